// The release's three launchers that a pack starts from: jvmhost.exe, jvmhost32.exe and macstub,
// read from a release's folder or from the jar that carries them.
package jvmhost.pack;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;

public final class Launchers
{
    static final String WINDOWS = "jvmhost.exe";
    static final String WINDOWS_32 = "jvmhost32.exe";
    static final String CONSOLE = "jvmhostc.exe";
    static final String CONSOLE_32 = "jvmhostc32.exe";
    static final String MACSTUB = "macstub";

    /** Where they were read, for messages. */
    private final String origin;
    final byte[] windows;
    final byte[] windows32;
    final byte[] macstub;
    /** Null where the release has none: only a description with Console needs them. */
    final byte[] console;
    final byte[] console32;

    private Launchers(String origin, byte[] windows, byte[] windows32, byte[] macstub,
                      byte[] console, byte[] console32)
    {
        this.origin = origin;
        this.windows = windows;
        this.windows32 = windows32;
        this.macstub = macstub;
        this.console = console;
        this.console32 = console32;
    }

    /** The launchers of the release in the folder. */
    public static Launchers fromFolder(Path folder) throws PackFailure
    {
        return new Launchers(folder.toString(), read(folder, WINDOWS), read(folder, WINDOWS_32),
                             read(folder, MACSTUB), readIfThere(folder, CONSOLE),
                             readIfThere(folder, CONSOLE_32));
    }

    /** The launchers that a jar carries as resources under the owner's package. */
    public static Launchers fromResources(Class<?> owner) throws PackFailure
    {
        return new Launchers("the jar of " + owner.getName(), resource(owner, WINDOWS),
                             resource(owner, WINDOWS_32), resource(owner, MACSTUB),
                             resource(owner, CONSOLE), resource(owner, CONSOLE_32));
    }

    /** The name of one of them, for messages. */
    String name(String fileName)
    {
        return origin + "/" + fileName;
    }

    /** A console launcher, which a description needs only with Console. */
    byte[] consoleLauncher(boolean pairProduct) throws PackFailure
    {
        byte[] bytes = pairProduct ? console32 : console;
        if (bytes == null)
            throw new PackFailure("The console launcher " + name(pairProduct ? CONSOLE_32 : CONSOLE)
                                  + " is not there, and Console asks for it");
        return bytes;
    }

    private static byte[] readIfThere(Path folder, String name) throws PackFailure
    {
        return Files.exists(folder.resolve(name)) ? read(folder, name) : null;
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
