// A zip of one folder as "ditto -c -k --keepParent" makes it: every path begins with the
// folder's own name, Unix modes are kept (the executable bit survives unzipping on a Mac) and
// symbolic links are stored as links. Entries come in sorted order and all carry one time, so
// that the same files give the same bytes.
package jvmhost.pack;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.attribute.PosixFilePermission;
import java.time.LocalDateTime;
import java.time.ZoneOffset;
import java.util.List;
import java.util.Set;
import java.util.stream.Stream;
import java.util.zip.CRC32;
import java.util.zip.Deflater;

final class ZipArchive
{
    private static final int UNIX_FILE = 0100000;
    private static final int UNIX_FOLDER = 0040000;
    private static final int UNIX_LINK = 0120000;
    // 1980-01-01, the earliest time a zip entry can hold.
    private static final long EARLIEST = 315532800L;

    private ZipArchive() {}

    /** The entries' time: SOURCE_DATE_EPOCH's seconds when it is set, else a fixed one. */
    static long entryTime() throws PackFailure
    {
        String epoch = System.getenv("SOURCE_DATE_EPOCH");
        if (epoch == null || epoch.isEmpty())
            return EARLIEST;
        try
        {
            return Math.max(EARLIEST, Long.parseLong(epoch));
        }
        catch (NumberFormatException e)
        {
            throw new PackFailure("SOURCE_DATE_EPOCH is " + epoch + ", not a number of seconds");
        }
    }

    static void write(Path folder, Path zip, long time) throws PackFailure
    {
        List<Path> paths;
        try (Stream<Path> walk = Files.walk(folder))
        {
            paths = walk.sorted((a, b) -> entryName(folder, a).compareTo(entryName(folder, b)))
                        .toList();
        }
        catch (IOException e)
        {
            throw new PackFailure(folder + " cannot be read: " + e);
        }
        LocalDateTime when = LocalDateTime.ofEpochSecond(time, 0, ZoneOffset.UTC);
        int dosTime = when.getHour() << 11 | when.getMinute() << 5 | when.getSecond() / 2;
        int dosDate = (when.getYear() - 1980) << 9 | when.getMonthValue() << 5 |
                      when.getDayOfMonth();
        ByteArrayOutputStream central = new ByteArrayOutputStream();
        try (OutputStream out = Files.newOutputStream(zip))
        {
            long offset = 0;
            for (Path path : paths)
            {
                Entry entry = Entry.of(path);
                byte[] name = entryName(folder, path).getBytes(StandardCharsets.UTF_8);
                byte[] local = header(0x04034b50, entry, name, dosTime, dosDate, -1);
                out.write(local);
                out.write(entry.stored);
                central.write(header(0x02014b50, entry, name, dosTime, dosDate, offset));
                offset += local.length + entry.stored.length;
                if (offset > 0xFFFFFFFFL || paths.size() > 0xFFFF)
                    throw new PackFailure(zip + " would need the zip format's 64-bit form");
            }
            ByteBuffer end = little(22).putInt(0x06054b50).putShort((short)0).putShort((short)0)
                                 .putShort((short)paths.size()).putShort((short)paths.size())
                                 .putInt(central.size()).putInt((int)offset).putShort((short)0);
            central.writeTo(out);
            out.write(end.array());
        }
        catch (IOException e)
        {
            throw new PackFailure(zip + " cannot be written: " + e);
        }
    }

    /** The folder's name, then the path below it; a folder's name ends with '/'. */
    private static String entryName(Path folder, Path path)
    {
        String relative = folder.relativize(path).toString().replace('\\', '/');
        String name = folder.getFileName() + (relative.isEmpty() ? "" : "/" + relative);
        return Files.isDirectory(path, LinkOption.NOFOLLOW_LINKS) ? name + "/" : name;
    }

    /** One entry: its Unix mode, and its bytes as stored (deflated for a file). */
    private record Entry(int mode, boolean deflated, long crc, long size, byte[] stored)
    {
        static Entry of(Path path) throws IOException
        {
            byte[] content;
            int type;
            if (Files.isSymbolicLink(path))
            {
                content = Files.readSymbolicLink(path).toString().getBytes(StandardCharsets.UTF_8);
                type = UNIX_LINK;
            }
            else if (Files.isDirectory(path))
            {
                content = new byte[0];
                type = UNIX_FOLDER;
            }
            else
            {
                content = Files.readAllBytes(path);
                type = UNIX_FILE;
            }
            CRC32 crc = new CRC32();
            crc.update(content);
            boolean deflated = type == UNIX_FILE && content.length > 0;
            return new Entry(type | permissions(path, type), deflated, crc.getValue(),
                             content.length, deflated ? deflate(content) : content);
        }
    }

    private static int permissions(Path path, int type) throws IOException
    {
        if (type == UNIX_LINK)
            return 0777;
        if (!Files.getFileStore(path).supportsFileAttributeView("posix"))
            return type == UNIX_FOLDER ? 0755 : 0644;
        Set<PosixFilePermission> permissions =
            Files.getPosixFilePermissions(path, LinkOption.NOFOLLOW_LINKS);
        int mode = 0;
        for (PosixFilePermission permission : permissions)
            mode |= 0400 >> permission.ordinal();
        return mode;
    }

    private static byte[] deflate(byte[] content)
    {
        Deflater deflater = new Deflater(Deflater.BEST_COMPRESSION, true);
        deflater.setInput(content);
        deflater.finish();
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        byte[] buffer = new byte[65536];
        while (!deflater.finished())
            out.write(buffer, 0, deflater.deflate(buffer));
        deflater.end();
        return out.toByteArray();
    }

    /** A local header (offset < 0) or a central directory entry. */
    private static byte[] header(int signature, Entry entry, byte[] name, int dosTime,
                                 int dosDate, long offset)
    {
        boolean central = offset >= 0;
        ByteBuffer header = little((central ? 46 : 30) + name.length).putInt(signature);
        // Made by Unix, zip 2.0, so that the modes are read; UTF-8 names.
        if (central)
            header.putShort((short)(3 << 8 | 20));
        header.putShort((short)20)
            .putShort((short)0x0800)
            .putShort((short)(entry.deflated() ? 8 : 0))
            .putShort((short)dosTime)
            .putShort((short)dosDate)
            .putInt((int)entry.crc())
            .putInt(entry.stored().length)
            .putInt((int)entry.size())
            .putShort((short)name.length)
            .putShort((short)0);
        if (central)
        {
            boolean folder = (entry.mode() & 0170000) == UNIX_FOLDER;
            header.putShort((short)0).putShort((short)0).putShort((short)0)
                .putInt(entry.mode() << 16 | (folder ? 0x10 : 0))
                .putInt((int)offset);
        }
        return header.put(name).array();
    }

    private static ByteBuffer little(int size)
    {
        return ByteBuffer.allocate(size).order(ByteOrder.LITTLE_ENDIAN);
    }
}
