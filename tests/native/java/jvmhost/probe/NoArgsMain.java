package jvmhost.probe;

// A main method, but not main(String[]).
public class NoArgsMain
{
    public static void main() {}
}
