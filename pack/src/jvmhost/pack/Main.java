// jvmhost-pack: makes an application's own launchers and macOS bundle from its description.
//   java -jar jvmhost-pack.jar DESCRIPTION [--launchers FOLDER] [--output FOLDER]
// The launchers (jvmhost.exe, jvmhost32.exe, macstub) are taken from the jar's folder unless
// named; the outputs go to the current folder unless named.
package jvmhost.pack;

import java.io.IOException;
import java.net.URISyntaxException;
import java.nio.file.Files;
import java.nio.file.Path;

public final class Main
{
    private static final String USAGE =
        "usage: java -jar jvmhost-pack.jar DESCRIPTION [--launchers FOLDER] [--output FOLDER]";

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
        pack(Description.read(description), launchers != null ? launchers : jarFolder(),
             output.toAbsolutePath());
    }

    private static void pack(Description description, Path launchers, Path output)
        throws PackFailure
    {
        IconFile icon = IconFile.read(description.icon);
        byte[] launcher = readLauncher(launchers.resolve("jvmhost.exe"));
        byte[] companion = readLauncher(launchers.resolve("jvmhost32.exe"));
        byte[] macstub = readLauncher(launchers.resolve("macstub"));
        for (String jar : description.jars)
        {
            if (!Files.isRegularFile(description.folder.resolve(jar)))
                throw new PackFailure("The jar " + description.folder.resolve(jar) +
                                      " is not there");
        }
        try (Outputs outputs = new Outputs(output))
        {
            String name = description.name;
            outputs.add(name + ".exe",
                        LauncherStamp.stamp(launchers.resolve("jvmhost.exe").toString(), launcher,
                                            description, icon, name + ".exe"),
                        true);
            outputs.add(name + "32.exe",
                        LauncherStamp.stamp(launchers.resolve("jvmhost32.exe").toString(),
                                            companion, description, icon, name + "32.exe"),
                        true);
            outputs.add(name + ".ini", SettingsFiles.build(description, false), false);
            outputs.add(name + "32.ini", SettingsFiles.build(description, true), false);
            MacBundle.build(description, macstub, icon, outputs);
            outputs.commit();
        }
    }

    private static byte[] readLauncher(Path file) throws PackFailure
    {
        try
        {
            return Files.readAllBytes(file);
        }
        catch (IOException e)
        {
            throw new PackFailure("The launcher " + file + " cannot be read (name the release's"
                                  + " folder with --launchers)");
        }
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
