// The application description: "Key = Value" lines, '#' or ';' comments, UTF-8. Paths are taken
// from the description's folder.
package jvmhost.pack;

import java.io.IOException;
import java.nio.charset.MalformedInputException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;

final class Description
{
    private static final Set<String> KEYS =
        Set.of("name", "version", "company", "copyright", "description", "identifier", "icon",
               "main class", "jars", "minimum version", "maximum version", "vm options", "runtime",
               "dpi aware", "long path aware", "supported os");
    private static final Set<String> RESERVED_NAMES = Set.of(
        "CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
        "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9");

    final String name;
    final int[] version;
    final String company;
    final String copyright;
    final String description;
    final String identifier;
    final Path icon;
    final String mainClass;
    /** Relative to the description's folder, with '/' between the parts. */
    final List<String> jars;
    final Path folder;
    final String minimumVersion;
    final String maximumVersion;
    final String vmOptions;
    final Path runtime;
    final boolean dpiAware;
    final boolean longPathAware;
    final boolean supportedOs;

    private Description(Path file, Map<String, String> values) throws PackFailure
    {
        folder = file.toAbsolutePath().getParent();
        name = required(values, "Name");
        checkFileName(name);
        version = parseVersion(required(values, "Version"));
        company = values.getOrDefault("company", "");
        copyright = values.getOrDefault("copyright", "");
        description = values.getOrDefault("description", name);
        identifier = required(values, "Identifier");
        if (!identifier.matches("[A-Za-z0-9][A-Za-z0-9.-]*"))
            throw new PackFailure("Identifier " + identifier +
                                  " is not a reverse-DNS name such as com.example.hello");
        icon = folder.resolve(required(values, "Icon"));
        mainClass = required(values, "Main Class");
        jars = new ArrayList<>();
        for (String jar : required(values, "Jars").split("\\s+"))
        {
            if (jar.startsWith("/") || jar.contains("\\") || jar.contains(".."))
                throw new PackFailure("Jars: " + jar +
                                      " is not a path below the description's folder"
                                      + " written with '/'");
            jars.add(jar);
        }
        minimumVersion = values.getOrDefault("minimum version", "");
        maximumVersion = values.getOrDefault("maximum version", "");
        vmOptions = values.getOrDefault("vm options", "");
        runtime = values.containsKey("runtime") ? folder.resolve(values.get("runtime")) : null;
        dpiAware = choice(values, "DPI Aware");
        longPathAware = choice(values, "Long Path Aware");
        supportedOs = choice(values, "Supported OS");
    }

    static Description read(Path file) throws PackFailure
    {
        List<String> lines;
        try
        {
            lines = Files.readAllLines(file, StandardCharsets.UTF_8);
        }
        catch (MalformedInputException e)
        {
            throw new PackFailure(file + " is not UTF-8 text");
        }
        catch (IOException e)
        {
            throw new PackFailure("The description " + file + " cannot be read: " + e.getMessage());
        }
        Map<String, String> values = new LinkedHashMap<>();
        int number = 0;
        for (String line : lines)
        {
            ++number;
            String text = line.strip();
            if (number == 1 && text.startsWith("\uFEFF"))
                text = text.substring(1).strip();
            if (text.isEmpty() || text.startsWith("#") || text.startsWith(";"))
                continue;
            int equals = text.indexOf('=');
            String key =
                equals < 0 ? "" : text.substring(0, equals).strip().toLowerCase(Locale.ROOT);
            if (!KEYS.contains(key))
                throw new PackFailure(file + " line " + number + ": " + text +
                                      " is not one of the description's keys");
            values.put(key, text.substring(equals + 1).strip());
        }
        return new Description(file, values);
    }

    /** The version as "1.2.0.7". */
    String versionText()
    {
        return version[0] + "." + version[1] + "." + version[2] + "." + version[3];
    }

    private static String required(Map<String, String> values, String key) throws PackFailure
    {
        String value = values.getOrDefault(key.toLowerCase(Locale.ROOT), "");
        if (value.isEmpty())
            throw new PackFailure("The description has no " + key);
        return value;
    }

    private static boolean choice(Map<String, String> values, String key) throws PackFailure
    {
        String value = values.getOrDefault(key.toLowerCase(Locale.ROOT), "yes");
        if (!value.equalsIgnoreCase("yes") && !value.equalsIgnoreCase("no"))
            throw new PackFailure(key + " is " + value + ", not yes or no");
        return value.equalsIgnoreCase("yes");
    }

    private static int[] parseVersion(String text) throws PackFailure
    {
        String[] parts = text.split("\\.", -1);
        int[] numbers = new int[4];
        boolean valid = parts.length == 4;
        for (int i = 0; valid && i < 4; ++i)
        {
            valid = parts[i].matches("[0-9]{1,5}") && Integer.parseInt(parts[i]) <= 65535;
            numbers[i] = valid ? Integer.parseInt(parts[i]) : 0;
        }
        if (!valid)
            throw new PackFailure("Version " + text +
                                  " is not four numbers from 0 to 65535, such as 1.2.0.7");
        return numbers;
    }

    /** A name that is a file name on Windows and macOS alike. */
    private static void checkFileName(String name) throws PackFailure
    {
        boolean valid = !name.endsWith(".") && !name.endsWith(" ") && name.length() <= 200 &&
                        !RESERVED_NAMES.contains(name.toUpperCase(Locale.ROOT));
        for (char c : name.toCharArray())
            valid &= c >= 0x20 && "<>:\"/\\|?*".indexOf(c) < 0;
        if (!valid)
            throw new PackFailure("Name " + name + " cannot be a file name: it must not hold"
                                  + " < > : \" / \\ | ? * or control characters, end with a dot or"
                                  + " a blank, or be a device name such as CON");
    }
}
