// jvmhost-pack: makes what an application ships (its own launchers, settings files, jars and
// runtime, the macOS bundle, and both as archives) from its description.
//   java -jar jvmhost-pack.jar DESCRIPTION [--launchers FOLDER] [--output FOLDER]
// The launchers (jvmhost.exe, jvmhost32.exe, macstub) are taken from the jar's folder unless
// named; the outputs go to the current folder unless named.
package jvmhost.pack;

import java.net.URISyntaxException;
import java.nio.file.Path;

public final class Main
{
    private static final String USAGE =
        "usage: java -jar jvmhost-pack.jar DESCRIPTION [--launchers FOLDER] [--output FOLDER]\n"
        + "       java -jar jvmhost-pack.jar --help | --version";

    private Main() {}

    public static void main(String[] arguments)
    {
        System.setProperty("java.awt.headless", "true");
        try
        {
            run(arguments);
        }
        catch (PackFailure failure)
        {
            System.err.println("jvmhost-pack: " + failure.getMessage());
            System.exit(1);
        }
    }

    private static void run(String[] arguments) throws PackFailure
    {
        if (arguments.length == 1 && arguments[0].equals("--help"))
        {
            System.out.println(USAGE + "\n\nThe description's keys (\"Key = Value\" lines, UTF-8):\n  " +
                               String.join("\n  ", Description.KEY_NAMES) +
                               "\n\nThe README's part \"Your application's own executables\" says"
                               + " what each means.");
            return;
        }
        if (arguments.length == 1 && arguments[0].equals("--version"))
        {
            System.out.println("jvmhost-pack " + version());
            return;
        }
        Path description = null;
        Path launchers = null;
        Path output = Path.of("");
        for (int i = 0; i < arguments.length; ++i)
        {
            boolean valued = arguments[i].equals("--launchers") || arguments[i].equals("--output");
            if (valued && i + 1 == arguments.length)
                throw new PackFailure(arguments[i] + " needs a folder\n" + USAGE);
            if (arguments[i].equals("--launchers"))
                launchers = Path.of(arguments[++i]);
            else if (arguments[i].equals("--output"))
                output = Path.of(arguments[++i]);
            else if (description == null && !arguments[i].startsWith("--"))
                description = Path.of(arguments[i]);
            else
                throw new PackFailure("unknown argument " + arguments[i] + "\n" + USAGE);
        }
        if (description == null)
            throw new PackFailure(USAGE);
        Description read = Description.read(description);
        Pack.pack(read, Launchers.fromFolder(launchers != null ? launchers : jarFolder()),
                  output.toAbsolutePath());
    }

    /** The version the jar was built as. */
    static String version()
    {
        String version = Main.class.getPackage().getImplementationVersion();
        return version != null ? version : "(not built as a jar)";
    }

    private static Path jarFolder()
    {
        try
        {
            return Path.of(Main.class.getProtectionDomain().getCodeSource().getLocation().toURI())
                .getParent();
        }
        catch (URISyntaxException e)
        {
            return Path.of("");
        }
    }
}
