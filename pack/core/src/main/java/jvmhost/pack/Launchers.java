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
    static final String MACSTUB = "macstub";

    /** Where they were read, for messages. */
    private final String origin;
    final byte[] windows;
    final byte[] windows32;
    final byte[] macstub;

    private Launchers(String origin, byte[] windows, byte[] windows32, byte[] macstub)
    {
        this.origin = origin;
        this.windows = windows;
        this.windows32 = windows32;
        this.macstub = macstub;
    }

    /** The launchers of the release in the folder. */
    public static Launchers fromFolder(Path folder) throws PackFailure
    {
        return new Launchers(folder.toString(), read(folder, WINDOWS), read(folder, WINDOWS_32),
                             read(folder, MACSTUB));
    }

    /** The launchers that a jar carries as resources under the owner's package. */
    public static Launchers fromResources(Class<?> owner) throws PackFailure
    {
        return new Launchers("the jar of " + owner.getName(), resource(owner, WINDOWS),
                             resource(owner, WINDOWS_32), resource(owner, MACSTUB));
    }

    /** The name of one of them, for messages. */
    String name(String fileName)
    {
        return origin + "/" + fileName;
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
