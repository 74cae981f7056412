package jvmhost.probe;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;

// Writes the number of arguments, then each argument in brackets on a line of its own, in UTF-8
// to the file named by the jvmhost.test.out property. secondaryMain says on stdout that it runs,
// then does the same.
public class ArgumentDump
{
    public static void main(String[] args) throws Exception
    {
        StringBuilder text = new StringBuilder().append(args.length).append('\n');
        for (String argument : args)
            text.append('[').append(argument).append("]\n");
        Files.writeString(Path.of(System.getProperty("jvmhost.test.out")), text,
                          StandardCharsets.UTF_8);
    }

    public static void secondaryMain(String[] args) throws Exception
    {
        System.out.println("ArgumentDump.secondaryMain runs");
        main(args);
    }
}
