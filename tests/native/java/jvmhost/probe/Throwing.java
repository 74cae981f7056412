package jvmhost.probe;

// main ends with an exception.
public class Throwing
{
    public static void main(String[] args) { throw new IllegalStateException("thrown from main"); }
}
