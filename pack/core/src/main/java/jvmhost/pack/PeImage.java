// A Windows executable whose resource section is its last section and ends the file, as the
// release lays out its launchers: the section can then be replaced whole, and the sizes, the
// resource directory entry and the checksum in the headers follow it.
package jvmhost.pack;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;

final class PeImage
{
    private static final int DIRECTORY_RESOURCE = 2;
    private static final int DIRECTORY_SECURITY = 4;

    private final String name;
    private final ByteBuffer image;
    private final int optionalHeader;
    private final int directories;
    private final int lastSection;
    private final int fileHeader;
    /**
       The section names' string table, which a 32-bit build has for ".eh_frame" behind the
        image: it moves behind the new resources. Empty when there is none.
     */
    private final byte[] nameTable;

    private PeImage(String name, byte[] bytes) throws PackFailure
    {
        this.name = name;
        image = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
        if (bytes.length < 0x40 || image.getShort(0) != 0x5A4D)
            throw new PackFailure(name + " is not a Windows executable");
        int header = image.getInt(0x3C);
        if (header < 0 || header + 24 > bytes.length || image.getInt(header) != 0x4550)
            throw new PackFailure(name + " is not a Windows executable");
        fileHeader = header + 4;
        optionalHeader = header + 24;
        int magic = Short.toUnsignedInt(image.getShort(optionalHeader));
        if (magic != 0x10B && magic != 0x20B)
            throw new PackFailure(name + " is not a Windows executable");
        directories = optionalHeader + (magic == 0x20B ? 112 : 96);
        int sections = optionalHeader + Short.toUnsignedInt(image.getShort(header + 20));
        int count = Short.toUnsignedInt(image.getShort(header + 6));
        if (directory(DIRECTORY_SECURITY)[1] != 0)
            throw new PackFailure(name + " is signed, and stamping it would break the signature:"
                                  + " stamp the unsigned release executable, then sign the result");
        lastSection = sections + 40 * (count - 1);
        String last =
            new String(bytes, lastSection, 8, StandardCharsets.US_ASCII).replace("\0", "");
        int[] resources = directory(DIRECTORY_RESOURCE);
        int end = rawStart() + rawSize();
        nameTable = Arrays.copyOfRange(bytes, Math.min(end, bytes.length), bytes.length);
        boolean onlyNames = nameTable.length == 0 ||
                            (image.getInt(fileHeader + 8) == end &&
                             image.getInt(fileHeader + 12) == 0 && nameTable.length >= 4 &&
                             ByteBuffer.wrap(nameTable).order(ByteOrder.LITTLE_ENDIAN).getInt(0) ==
                                 nameTable.length);
        if (count < 1 || !last.equals(".rsrc") || resources[0] != sectionRva() ||
            end > bytes.length || !onlyNames)
            throw new PackFailure(name + " does not end with its resource section, as the release's"
                                  + " launchers do: use the launchers of a release");
    }

    static PeImage read(String name, byte[] bytes) throws PackFailure
    {
        try
        {
            return new PeImage(name, bytes.clone());
        }
        catch (IndexOutOfBoundsException e)
        {
            throw new PackFailure(name + " is not a Windows executable");
        }
    }

    int machineType() { return Short.toUnsignedInt(image.getShort(fileHeader)); }

    ResourceTable resources() throws PackFailure
    {
        byte[] section = Arrays.copyOfRange(image.array(), rawStart(), rawStart() + virtualSize());
        return ResourceTable.read(section, sectionRva());
    }

    /** The executable with the resource section replaced by the table, its checksum made anew. */
    byte[] withResources(ResourceTable table)
    {
        int fileAlignment = image.getInt(optionalHeader + 36);
        int sectionAlignment = image.getInt(optionalHeader + 32);
        byte[] section = table.write(sectionRva());
        int newRawSize = ResourceTable.align(section.length, fileAlignment);
        int end = rawStart() + newRawSize;
        ByteBuffer out = ByteBuffer.allocate(end + nameTable.length).order(ByteOrder.LITTLE_ENDIAN);
        out.put(0, image.array(), 0, rawStart());
        out.put(rawStart(), section);
        out.put(end, nameTable);
        if (nameTable.length > 0)
            out.putInt(fileHeader + 8, end);
        out.putInt(lastSection + 8, section.length);
        out.putInt(lastSection + 16, newRawSize);
        out.putInt(optionalHeader + 8, image.getInt(optionalHeader + 8) + newRawSize - rawSize());
        out.putInt(optionalHeader + 56,
                   ResourceTable.align(sectionRva() + section.length, sectionAlignment));
        out.putInt(directories + 8 * DIRECTORY_RESOURCE + 4, section.length);
        out.putInt(optionalHeader + 64, checksum(out.array(), optionalHeader + 64));
        return out.array();
    }

    /**
       The checksum of the optional header: the file as 16-bit words added with the carry
        folded back, the checksum field left out, plus the file's length.
     */
    static int checksum(byte[] file, int checksumOffset)
    {
        long sum = 0;
        for (int i = 0; i < file.length; i += 2)
        {
            if (i == checksumOffset || i == checksumOffset + 2)
                continue;
            int word = (file[i] & 0xFF) | (i + 1 < file.length ? (file[i + 1] & 0xFF) << 8 : 0);
            sum += word;
            sum = (sum & 0xFFFF) + (sum >>> 16);
        }
        sum = (sum & 0xFFFF) + (sum >>> 16);
        return (int)(sum + file.length);
    }

    private int[] directory(int index) throws PackFailure
    {
        int count = image.getInt(directories - 4);
        if (index >= count)
            return new int[] {0, 0};
        if (directories + 8 * index + 8 > image.capacity())
            throw new PackFailure(name + " is not a Windows executable");
        return new int[] {image.getInt(directories + 8 * index),
                          image.getInt(directories + 8 * index + 4)};
    }

    private int virtualSize() { return Math.min(image.getInt(lastSection + 8), rawSize()); }

    private int sectionRva() { return image.getInt(lastSection + 12); }

    private int rawSize() { return image.getInt(lastSection + 16); }

    private int rawStart() { return image.getInt(lastSection + 20); }
}
