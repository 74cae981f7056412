package jvmhost.probe;

// Ends the VM with the status given as the first argument.
public class Exiting
{
    public static void main(String[] args) { System.exit(Integer.parseInt(args[0])); }
}
