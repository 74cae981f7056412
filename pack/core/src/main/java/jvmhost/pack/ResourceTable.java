// The resource section of a Windows executable as a tree: type, name, language, data. Read from
// and written to the section's bytes; the data entries hold addresses in the image (RVAs), so
// writing needs the section's address.
package jvmhost.pack;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;

final class ResourceTable
{
    static final int RT_ICON = 3;
    static final int RT_GROUP_ICON = 14;
    static final int RT_VERSION = 16;
    static final int RT_MANIFEST = 24;

    /** A resource type or name: a text, or a number. Texts come first, as Windows sorts them. */
    record Key(String text, int id) implements Comparable<Key>
    {
        static Key of(int id)
        {
            return new Key(null, id);
        }

        @Override public int compareTo(Key other)
        {
            if ((text == null) != (other.text == null))
                return text != null ? -1 : 1;
            return text != null ? text.compareTo(other.text) : Integer.compare(id, other.id);
        }
    }

    record Data(byte[] bytes, int codePage) {}

    private final TreeMap<Key, TreeMap<Key, TreeMap<Integer, Data>>> types = new TreeMap<>();

    static ResourceTable read(byte[] section, int sectionRva) throws PackFailure
    {
        ResourceTable table = new ResourceTable();
        try
        {
            ByteBuffer buffer = ByteBuffer.wrap(section).order(ByteOrder.LITTLE_ENDIAN);
            for (Map.Entry<Key, Integer> type : entries(buffer, 0, true).entrySet())
                for (Map.Entry<Key, Integer> name :
                     entries(buffer, type.getValue(), true).entrySet())
                    for (Map.Entry<Key, Integer> language :
                         entries(buffer, name.getValue(), false).entrySet())
                    {
                        int entry = language.getValue();
                        int offset = buffer.getInt(entry) - sectionRva;
                        byte[] bytes = new byte[buffer.getInt(entry + 4)];
                        buffer.get(offset, bytes);
                        table.put(type.getKey(), name.getKey(), language.getKey().id(),
                                  new Data(bytes, buffer.getInt(entry + 8)));
                    }
        }
        catch (IndexOutOfBoundsException e)
        {
            throw new PackFailure("its resource section is damaged");
        }
        return table;
    }

    /** The entries of the directory at the offset: key and the offset they point to. */
    private static Map<Key, Integer> entries(ByteBuffer buffer, int directory,
                                             boolean subdirectories) throws PackFailure
    {
        Map<Key, Integer> result = new TreeMap<>();
        int count = Short.toUnsignedInt(buffer.getShort(directory + 12)) +
                    Short.toUnsignedInt(buffer.getShort(directory + 14));
        for (int i = 0; i < count; ++i)
        {
            int name = buffer.getInt(directory + 16 + 8 * i);
            int target = buffer.getInt(directory + 20 + 8 * i);
            if ((target < 0) != subdirectories)
                throw new PackFailure("its resource section is damaged");
            Key key = Key.of(name & 0xFFFF);
            if (name < 0)
            {
                int at = name & 0x7FFFFFFF;
                byte[] text = new byte[2 * Short.toUnsignedInt(buffer.getShort(at))];
                buffer.get(at + 2, text);
                key = new Key(new String(text, StandardCharsets.UTF_16LE), 0);
            }
            result.put(key, target & 0x7FFFFFFF);
        }
        return result;
    }

    void put(Key type, Key name, int language, Data data)
    {
        types.computeIfAbsent(type, k -> new TreeMap<>())
            .computeIfAbsent(name, k -> new TreeMap<>())
            .put(language, data);
    }

    void removeType(int type) { types.remove(Key.of(type)); }

    /** The languages the first resource of the type is in, or English (US) when there is none. */
    int languageOf(int type)
    {
        TreeMap<Key, TreeMap<Integer, Data>> names = types.get(Key.of(type));
        return names == null || names.isEmpty() ? 0x409 : names.firstEntry().getValue().firstKey();
    }

    /**
       The section's bytes for a section at the address: directories, their texts, the data
        entries, then the data, each piece of data on an 8-byte boundary.
     */
    byte[] write(int sectionRva)
    {
        List<Key> texts = new ArrayList<>();
        int directories = 16 + 8 * types.size();
        for (Map.Entry<Key, TreeMap<Key, TreeMap<Integer, Data>>> type : types.entrySet())
        {
            collectText(texts, type.getKey());
            directories += 16 + 8 * type.getValue().size();
            for (Map.Entry<Key, TreeMap<Integer, Data>> name : type.getValue().entrySet())
            {
                collectText(texts, name.getKey());
                directories += 16 + 8 * name.getValue().size();
            }
        }
        Map<Key, Integer> textOffsets = new TreeMap<>();
        int offset = directories;
        for (Key text : texts)
        {
            textOffsets.put(text, offset);
            offset += 2 + 2 * text.text().length();
        }
        int dataEntries = align(offset, 4);
        int leaves = 0;
        for (TreeMap<Key, TreeMap<Integer, Data>> names : types.values())
            for (TreeMap<Integer, Data> languages : names.values())
                leaves += languages.size();
        int dataStart = align(dataEntries + 16 * leaves, 8);
        int size = dataStart;
        for (TreeMap<Key, TreeMap<Integer, Data>> names : types.values())
            for (TreeMap<Integer, Data> languages : names.values())
                for (Data data : languages.values())
                    size = align(size + data.bytes().length, 8);

        ByteBuffer out = ByteBuffer.allocate(size).order(ByteOrder.LITTLE_ENDIAN);
        for (Map.Entry<Key, Integer> text : textOffsets.entrySet())
        {
            out.putShort(text.getValue(), (short)text.getKey().text().length());
            out.put(text.getValue() + 2, text.getKey().text().getBytes(StandardCharsets.UTF_16LE));
        }
        int[] next = {16 + 8 * types.size(), dataEntries, dataStart};
        writeDirectory(out, 0, types.keySet(), textOffsets);
        int typeIndex = 0;
        for (TreeMap<Key, TreeMap<Integer, Data>> names : types.values())
        {
            int typeDirectory = next[0];
            out.putInt(20 + 8 * typeIndex++, 0x80000000 | typeDirectory);
            next[0] += 16 + 8 * names.size();
            writeDirectory(out, typeDirectory, names.keySet(), textOffsets);
            int nameIndex = 0;
            for (TreeMap<Integer, Data> languages : names.values())
            {
                int nameDirectory = next[0];
                out.putInt(typeDirectory + 20 + 8 * nameIndex++, 0x80000000 | nameDirectory);
                next[0] += 16 + 8 * languages.size();
                List<Key> languageKeys = new ArrayList<>();
                for (int language : languages.keySet())
                    languageKeys.add(Key.of(language));
                writeDirectory(out, nameDirectory, languageKeys, textOffsets);
                int languageIndex = 0;
                for (Data data : languages.values())
                {
                    out.putInt(nameDirectory + 20 + 8 * languageIndex++, next[1]);
                    out.putInt(next[1], sectionRva + next[2]);
                    out.putInt(next[1] + 4, data.bytes().length);
                    out.putInt(next[1] + 8, data.codePage());
                    out.put(next[2], data.bytes());
                    next[1] += 16;
                    next[2] = align(next[2] + data.bytes().length, 8);
                }
            }
        }
        return out.array();
    }

    private static void collectText(List<Key> texts, Key key)
    {
        if (key.text() != null && !texts.contains(key))
            texts.add(key);
    }

    /** The directory's header and its entries' names; where they point is written after. */
    private static void writeDirectory(ByteBuffer out, int at, Iterable<Key> keys,
                                       Map<Key, Integer> textOffsets)
    {
        int named = 0;
        int numbered = 0;
        int index = 0;
        for (Key key : keys)
        {
            if (key.text() != null)
            {
                ++named;
                out.putInt(at + 16 + 8 * index++, 0x80000000 | textOffsets.get(key));
            }
            else
            {
                ++numbered;
                out.putInt(at + 16 + 8 * index++, key.id());
            }
        }
        out.putShort(at + 12, (short)named);
        out.putShort(at + 14, (short)numbered);
    }

    static int align(int value, int alignment)
    {
        return (value + alignment - 1) / alignment * alignment;
    }
}
