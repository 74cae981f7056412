package jvmhost.probe;

// The static initialiser fails, so the class cannot be initialised for its main method.
public class BrokenInit
{
    static final int VALUE = Integer.parseInt("not a number");

    public static void main(String[] args) { System.out.println(VALUE); }
}
