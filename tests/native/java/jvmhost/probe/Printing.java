package jvmhost.probe;

// One line on each standard stream.
public class Printing
{
    public static void main(String[] args)
    {
        System.out.println("to out");
        System.err.println("to err");
        System.out.flush();
        System.err.flush();
    }
}
