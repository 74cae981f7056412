package jvmhost.probe;

// main and secondaryMain end with an exception.
public class Throwing
{
    public static void main(String[] args) { throw new IllegalStateException("thrown from main"); }

    public static void secondaryMain(String[] args)
    {
        throw new IllegalStateException("thrown from secondaryMain");
    }
}
