package jvmhost.probe;

// secondaryMain in its int form: answers with the number given as the first argument, and throws
// NumberFormatException when it is none.
public class IntSecondary
{
    public static int secondaryMain(String[] args) { return Integer.parseInt(args[0]); }
}
