// A Windows Java runtime packed beside the launchers: a runtime's folder (a jlinked runtime or an
// unpacked JDK or JRE) whose JVM library the launcher of that width can load.
package jvmhost.pack;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.channels.FileChannel;
import java.nio.file.Files;
import java.nio.file.Path;

final class WindowsRuntime
{
    private static final int MACHINE_I386 = 0x14C;
    private static final int MACHINE_AMD64 = 0x8664;

    private WindowsRuntime() {}

    /**
     * Refuses a folder that holds no JVM library for the width: the 64-bit launcher looks for
     * bin\server\jvm.dll, the 32-bit one also takes bin\client\jvm.dll.
     */
    static void check(Path folder, boolean is64Bit, String key) throws PackFailure
    {
        Path library = folder.resolve("bin/server/jvm.dll");
        if (!is64Bit && !Files.isRegularFile(library))
            library = folder.resolve("bin/client/jvm.dll");
        if (!Files.isDirectory(folder) || !Files.isRegularFile(library))
            throw new PackFailure(key + " " + folder + " holds no " +
                                  (is64Bit ? "bin\\server\\jvm.dll" : "bin\\server\\jvm.dll or"
                                                                          + " bin\\client\\jvm.dll") +
                                  ": name the folder of a Windows Java runtime");
        int machine = machineOf(library);
        int wanted = is64Bit ? MACHINE_AMD64 : MACHINE_I386;
        if (machine != wanted)
            throw new PackFailure(key + " " + folder + " is a runtime for " + describe(machine) +
                                  ", not for " + describe(wanted) + " Windows");
    }

    /** The Machine field of a PE image's file header; 0 for a file that holds none. */
    private static int machineOf(Path file) throws PackFailure
    {
        try (FileChannel channel = FileChannel.open(file))
        {
            ByteBuffer dos = read(channel, 0, 64);
            if (dos == null || dos.getShort(0) != 0x5A4D)
                return 0;
            ByteBuffer nt = read(channel, Integer.toUnsignedLong(dos.getInt(0x3C)), 6);
            return nt == null || nt.getInt(0) != 0x4550 ? 0 : Short.toUnsignedInt(nt.getShort(4));
        }
        catch (IOException e)
        {
            throw new PackFailure(file + " cannot be read: " + PackFailure.reason(e));
        }
    }

    private static ByteBuffer read(FileChannel channel, long position, int length)
        throws IOException
    {
        ByteBuffer buffer = ByteBuffer.allocate(length).order(ByteOrder.LITTLE_ENDIAN);
        while (buffer.hasRemaining() && channel.read(buffer, position + buffer.position()) > 0)
            ;
        return buffer.hasRemaining() ? null : buffer;
    }

    private static String describe(int machine)
    {
        switch (machine)
        {
            case MACHINE_AMD64:
                return "64-bit (x64)";
            case MACHINE_I386:
                return "32-bit (x86)";
            case 0xAA64:
                return "ARM64";
            default:
                return "no Windows processor known here";
        }
    }
}
