// The release's launchers that a pack starts from: jvmhost.exe with its 32-bit pair product
// jvmhost32.exe and its ARM64 twin jvmhost-arm64.exe, the console launchers of the same three
// processors, and macstub, read from a release's folder or from the jar that carries them.
package jvmhost.pack;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.HashMap;
import java.util.Map;

public final class Launchers
{
    static final String MACSTUB = "macstub";

    /** Where they were read, for messages. */
    private final String origin;
    final byte[] macstub;
    /** By release file name; a console launcher may be missing: only Console needs them. */
    private final Map<String, byte[]> windows;

    private Launchers(String origin, byte[] macstub, Map<String, byte[]> windows)
    {
        this.origin = origin;
        this.macstub = macstub;
        this.windows = windows;
    }

    /** The launchers of the release in the folder. */
    public static Launchers fromFolder(Path folder) throws PackFailure
    {
        Map<String, byte[]> windows = new HashMap<>();
        for (LauncherMachine machine : LauncherMachine.values())
        {
            String windowed = machine.releaseFile(false);
            String console = machine.releaseFile(true);
            windows.put(windowed, read(folder, windowed));
            if (Files.exists(folder.resolve(console)))
                windows.put(console, read(folder, console));
        }
        return new Launchers(folder.toString(), read(folder, MACSTUB), windows);
    }

    /** The launchers that a jar carries as resources under the owner's package. */
    public static Launchers fromResources(Class<?> owner) throws PackFailure
    {
        Map<String, byte[]> windows = new HashMap<>();
        for (LauncherMachine machine : LauncherMachine.values())
        {
            for (boolean console : new boolean[] {false, true})
                windows.put(machine.releaseFile(console),
                            resource(owner, machine.releaseFile(console)));
        }
        return new Launchers("the jar of " + owner.getName(), resource(owner, MACSTUB), windows);
    }

    /** The name of one of them, for messages. */
    String name(String fileName)
    {
        return origin + "/" + fileName;
    }

    /** A Windows launcher; a console one is asked for only with Console. */
    byte[] windowsLauncher(LauncherMachine machine, boolean console) throws PackFailure
    {
        byte[] bytes = windows.get(machine.releaseFile(console));
        if (bytes == null)
            throw new PackFailure("The console launcher " + name(machine.releaseFile(console)) +
                                  " is not there, and Console asks for it");
        return bytes;
    }

    private static byte[] read(Path folder, String name) throws PackFailure
    {
        try
        {
            return Files.readAllBytes(folder.resolve(name));
        }
        catch (IOException e)
        {
            throw new PackFailure("The launcher " + folder.resolve(name) +
                                  " cannot be read (name the release's folder with --launchers)");
        }
    }

    private static byte[] resource(Class<?> owner, String name) throws PackFailure
    {
        try (InputStream in = owner.getResourceAsStream(name))
        {
            if (in == null)
                throw new PackFailure("The launcher " + name + " is missing from the jar of " +
                                      owner.getName());
            return in.readAllBytes();
        }
        catch (IOException e)
        {
            throw new PackFailure("The launcher " + name + " cannot be read from the jar of " +
                                  owner.getName() + ": " + e.getMessage());
        }
    }
}
