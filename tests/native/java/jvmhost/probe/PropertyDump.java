package jvmhost.probe;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;

// Writes "name=value" for each system property named on the command line, in UTF-8 to the file
// named by the jvmhost.test.out property.
public class PropertyDump
{
    public static void main(String[] args) throws Exception
    {
        StringBuilder text = new StringBuilder();
        for (String name : args)
            text.append(name).append('=').append(System.getProperty(name)).append('\n');
        Files.writeString(Path.of(System.getProperty("jvmhost.test.out")), text,
                          StandardCharsets.UTF_8);
    }
}
