// The version information of an executable (VS_VERSIONINFO): the numbers Windows Installer
// compares, and the texts Explorer and Task Manager show, in US English, Unicode.
package jvmhost.pack;

import java.io.ByteArrayOutputStream;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

final class VersionResource
{
    private VersionResource() {}

    static byte[] build(Description description, String fileName)
    {
        Map<String, String> texts = new LinkedHashMap<>();
        texts.put("CompanyName", description.company);
        texts.put("FileDescription", description.description);
        texts.put("FileVersion", description.displayVersion);
        texts.put("InternalName", description.name);
        texts.put("LegalCopyright", description.copyright);
        texts.put("OriginalFilename", fileName);
        texts.put("ProductName", description.name);
        texts.put("ProductVersion", description.displayVersion);
        List<byte[]> strings = new ArrayList<>();
        for (Map.Entry<String, String> text : texts.entrySet())
        {
            byte[] value = (text.getValue() + "\0").getBytes(StandardCharsets.UTF_16LE);
            strings.add(block(text.getKey(), value, 1, value.length / 2, List.of()));
        }
        byte[] table = block("040904B0", new byte[0], 1, 0, strings);
        byte[] stringInfo = block("StringFileInfo", new byte[0], 1, 0, List.of(table));
        byte[] translation = ByteBuffer.allocate(4)
                                 .order(ByteOrder.LITTLE_ENDIAN)
                                 .putShort((short)0x409)
                                 .putShort((short)1200)
                                 .array();
        byte[] variable = block("Translation", translation, 0, 4, List.of());
        byte[] variableInfo = block("VarFileInfo", new byte[0], 1, 0, List.of(variable));
        int[] v = description.version;
        ByteBuffer fixed = ByteBuffer.allocate(52).order(ByteOrder.LITTLE_ENDIAN);
        fixed.putInt(0xFEEF04BD).putInt(0x00010000);
        fixed.putInt(v[0] << 16 | v[1]).putInt(v[2] << 16 | v[3]);
        fixed.putInt(v[0] << 16 | v[1]).putInt(v[2] << 16 | v[3]);
        // Flags mask, no flags, Windows NT, an application, no subtype, no date.
        fixed.putInt(0x3F).putInt(0).putInt(0x40004).putInt(1).putInt(0).putInt(0).putInt(0);
        return block("VS_VERSION_INFO", fixed.array(), 0, 52, List.of(stringInfo, variableInfo));
    }

    /**
       One block: its length, the value's length (in characters for a text), whether the value
        is text, the key, the value and the children, each on a 4-byte boundary.
     */
    private static byte[] block(String key, byte[] value, int type, int valueLength,
                                List<byte[]> children)
    {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        out.writeBytes(new byte[6]);
        out.writeBytes((key + "\0").getBytes(StandardCharsets.UTF_16LE));
        pad(out);
        out.writeBytes(value);
        for (byte[] child : children)
        {
            pad(out);
            out.writeBytes(child);
        }
        byte[] bytes = out.toByteArray();
        ByteBuffer.wrap(bytes)
            .order(ByteOrder.LITTLE_ENDIAN)
            .putShort((short)bytes.length)
            .putShort((short)valueLength)
            .putShort((short)type);
        return bytes;
    }

    private static void pad(ByteArrayOutputStream out)
    {
        while (out.size() % 4 != 0)
            out.write(0);
    }
}
