// Throws out of main with a cause, for the exception printout and the Java Exception dialog.
// The cases hold this file's line numbers.
package probe;

public class Fail {
    public static void main(String[] args) throws Exception {
        try {
            read();
        } catch (java.io.IOException e) {
            throw new IllegalStateException("cannot go on: \u0441\u0431\u043e\u0439", e);
        }
        System.out.println("not reached");
    }

    static void read() throws java.io.IOException {
        throw new java.io.IOException("disk");
    }
}
