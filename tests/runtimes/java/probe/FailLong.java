// Throws out of main with a message of a million characters on one line.
package probe;

public class FailLong {
    public static void main(String[] args) {
        throw new IllegalStateException("x".repeat(1000000));
    }
}
