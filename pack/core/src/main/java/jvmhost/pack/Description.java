// The application description: "Key = Value" lines, '#' or ';' comments, UTF-8, or the same keys
// given by a build tool. Paths are taken from the description's folder.
package jvmhost.pack;

import java.io.IOException;
import java.nio.charset.MalformedInputException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;

public final class Description
{
    /** The keys, as the description writes them, in the order of the README's table. */
    public static final List<String> KEY_NAMES = List.of(
        "Name", "Version", "Display Version", "Company", "Copyright", "Description", "Identifier",
        "Icon", "Main Class", "Jars", "Minimum Version", "Maximum Version", "VM Options",
        "Modern Runtimes", "Class Data Sharing", "Console", "App User Model ID", "Windows Runtime", "Windows Runtime 32", "macOS Runtime", "Runtime",
        "Sign Keystore", "Sign Alias", "Sign Password File", "Sign Timestamp URL", "DPI Aware",
        "Long Path Aware", "Supported OS");
    private static final Set<String> KEYS = Set.copyOf(
        KEY_NAMES.stream().map(key -> key.toLowerCase(Locale.ROOT)).toList());
    /** The longest Company, Copyright or Description, in UTF-16 code units. */
    private static final int MAX_VERSION_TEXT = 4000;
    private static final Set<String> RESERVED_NAMES = Set.of(
        "CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
        "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9");

    /** A jar of the application: where it is read from, and its place under the launchers. */
    public record Jar(Path source, String target) {}

    final String name;
    final int[] version;
    /** How the texts and the archives' names show the version. */
    final String displayVersion;
    final String company;
    final String copyright;
    final String description;
    final String identifier;
    /** Null for the launcher's own icon. */
    final Path icon;
    final String mainClass;
    final List<Jar> jars;
    final Path folder;
    final String minimumVersion;
    final String maximumVersion;
    final String vmOptions;
    final boolean modernRuntimes;
    final boolean classDataSharing;
    /** The application's executables: the windowed launchers ("no"), the console ones
     *  ("yes"), or both, the console ones named Name-console ("also"). */
    final String console;
    /** The taskbar's identity of the application's windows; the identifier unless given. */
    final String appUserModelId;
    final Path windowsRuntime;
    final Path windowsRuntime32;
    final Path macosRuntime;
    final Path signKeystore;
    final String signAlias;
    final Path signPasswordFile;
    final String signTimestampUrl;
    final boolean dpiAware;
    final boolean longPathAware;
    final boolean supportedOs;

    private Description(Path folder, Map<String, String> values, List<Jar> jars)
        throws PackFailure
    {
        this.folder = folder;
        name = required(values, "Name");
        checkFileName(name);
        version = parseVersion(required(values, "Version"));
        displayVersion = values.getOrDefault("display version", versionText());
        // It names the archives.
        if (!displayVersion.matches("[A-Za-z0-9._+-]+"))
            throw new PackFailure("Display Version " + displayVersion + " may hold letters, digits"
                                  + " and . _ + - only");
        company = versionText(values, "Company", "");
        copyright = versionText(values, "Copyright", "");
        description = versionText(values, "Description", name);
        identifier = required(values, "Identifier");
        if (!identifier.matches("[A-Za-z0-9][A-Za-z0-9.-]*"))
            throw new PackFailure("Identifier " + identifier +
                                  " is not a reverse-DNS name such as com.example.hello");
        icon = path(values, "icon");
        mainClass = required(values, "Main Class");
        // As the launcher's FindClass and macOS's java take it: a binary name.
        String part = "\\p{javaJavaIdentifierStart}\\p{javaJavaIdentifierPart}*";
        if (!mainClass.matches(part + "(\\." + part + ")*"))
            throw new PackFailure("Main Class " + mainClass + " is not a Java class name such as"
                                  + " com.example.hello.Main");
        this.jars = jars != null ? List.copyOf(jars) : jarsOf(required(values, "Jars"));
        if (this.jars.isEmpty())
            throw new PackFailure("The description has no Jars");
        minimumVersion = javaVersion(values, "Minimum Version");
        maximumVersion = javaVersion(values, "Maximum Version");
        vmOptions = values.getOrDefault("vm options", "");
        modernRuntimes = choice(values, "Modern Runtimes");
        classDataSharing = choice(values, "Class Data Sharing");
        console = values.getOrDefault("console", "no").toLowerCase(Locale.ROOT);
        if (!List.of("no", "yes", "also").contains(console))
            throw new PackFailure("Console is " + values.get("console") + ", not yes, no or also");
        appUserModelId = values.getOrDefault("app user model id", identifier);
        // What Windows takes, as the launcher checks it too.
        if (appUserModelId.length() > 128 || appUserModelId.matches(".*\\s.*"))
            throw new PackFailure("App User Model ID " + appUserModelId +
                                  " must have at most 128 characters and no blanks");
        windowsRuntime = path(values, "windows runtime");
        windowsRuntime32 = path(values, "windows runtime 32");
        if (values.containsKey("runtime") && values.containsKey("macos runtime"))
            throw new PackFailure("Runtime is the older name of macOS Runtime: give one of them");
        macosRuntime = path(values, values.containsKey("runtime") ? "runtime" : "macos runtime");
        signKeystore = path(values, "sign keystore");
        signAlias = values.getOrDefault("sign alias", "");
        signPasswordFile = path(values, "sign password file");
        signTimestampUrl = values.getOrDefault("sign timestamp url", "");
        if (signKeystore != null && (signAlias.isEmpty() || signPasswordFile == null))
            throw new PackFailure("Sign Keystore needs Sign Alias and Sign Password File too");
        dpiAware = choice(values, "DPI Aware");
        longPathAware = choice(values, "Long Path Aware");
        supportedOs = choice(values, "Supported OS");
    }

    /**
     * A description from its keys (as the description writes them, any case) with paths from
     * folder; jars, when given, instead of the "Jars" key.
     */
    public static Description of(Path folder, Map<String, String> keys, List<Jar> jars)
        throws PackFailure
    {
        Map<String, String> values = new LinkedHashMap<>();
        for (Map.Entry<String, String> entry : keys.entrySet())
        {
            String key = entry.getKey().toLowerCase(Locale.ROOT);
            if (!KEYS.contains(key))
                throw new PackFailure(entry.getKey() + " is not one of the description's keys");
            if (entry.getValue() != null && !entry.getValue().strip().isEmpty())
                values.put(key, entry.getValue().strip());
        }
        return new Description(folder.toAbsolutePath(), values, jars);
    }

    private List<Jar> jarsOf(String text) throws PackFailure
    {
        List<Jar> found = new ArrayList<>();
        Set<String> named = new java.util.HashSet<>();
        for (String jar : text.split("\\s+"))
        {
            if (!named.add(jar))
                throw new PackFailure("Jars: " + jar + " is named twice");
            if (jar.startsWith("/") || jar.contains("\\") || jar.contains(".."))
                throw new PackFailure("Jars: " + jar +
                                      " is not a path below the description's folder"
                                      + " written with '/'");
            found.add(new Jar(folder.resolve(jar), jar));
        }
        return found;
    }

    private Path path(Map<String, String> values, String key)
    {
        return values.containsKey(key) ? folder.resolve(values.get(key)) : null;
    }

    public static Description read(Path file) throws PackFailure
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
            throw new PackFailure("The description " + file + " cannot be read: " +
                                  PackFailure.reason(e));
        }
        Map<String, String> values = new LinkedHashMap<>();
        Map<String, Integer> lineOfKey = new HashMap<>();
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
            if (lineOfKey.containsKey(key))
                throw new PackFailure(file + " line " + number + ": " +
                                      text.substring(0, equals).strip() + " is given on line " +
                                      lineOfKey.get(key) + " already");
            lineOfKey.put(key, number);
            values.put(key, text.substring(equals + 1).strip());
        }
        return new Description(file.toAbsolutePath().getParent(), values, null);
    }

    /**
     * A text of the version information, whose lengths are 16-bit counts of bytes: each text is
     * kept well within them, so that all of them together fit the resource too.
     */
    private static String versionText(Map<String, String> values, String key, String otherwise)
        throws PackFailure
    {
        String value = values.getOrDefault(key.toLowerCase(Locale.ROOT), otherwise);
        if (value.length() > MAX_VERSION_TEXT)
            throw new PackFailure(key + " has " + value.length() + " characters; the version"
                                  + " information holds at most " + MAX_VERSION_TEXT);
        return value;
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

    /**
     * A Java version as the launcher reads it: up to four numbers of digits with anything
     * between them ("1.8", "17", "1.6.0_45"), or "any"; empty when not given.
     */
    private static String javaVersion(Map<String, String> values, String key) throws PackFailure
    {
        String value = values.getOrDefault(key.toLowerCase(Locale.ROOT), "");
        if (value.isEmpty() || value.equals("any"))
            return value;
        java.util.regex.Matcher numbers = java.util.regex.Pattern.compile("[0-9]+").matcher(value);
        int count = 0;
        while (numbers.find())
        {
            ++count;
            if (numbers.group().length() > 9)
                count = 5;
        }
        if (count == 0 || count > 4 || !Character.isDigit(value.charAt(0)))
            throw new PackFailure(key + " " + value + " is not a Java version such as 17, 1.8 or"
                                  + " 1.6.0_45");
        return value;
    }

    private static boolean choice(Map<String, String> values, String key) throws PackFailure
    {
        String value = values.getOrDefault(key.toLowerCase(Locale.ROOT), "yes");
        if (!value.equalsIgnoreCase("yes") && !value.equalsIgnoreCase("no"))
            throw new PackFailure(key + " is " + value + ", not yes or no");
        return value.equalsIgnoreCase("yes");
    }

    /**
     * The four numbers a build tool's version stands for: its leading numbers, the missing ones
     * 0 ("1.4-SNAPSHOT" is 1.4.0.0).
     */
    public static String fourNumbers(String text) throws PackFailure
    {
        java.util.regex.Matcher leading =
            java.util.regex.Pattern.compile("([0-9]+)(\\.[0-9]+){0,3}").matcher(text);
        if (!leading.lookingAt() || leading.end() < text.length() &&
                                        Character.isDigit(text.charAt(leading.end())))
            throw new PackFailure("Version " + text + " cannot be made into four numbers: it"
                                  + " does not begin with up to four numbers such as 1.4");
        String[] parts = (leading.group() + ".0.0.0").split("\\.");
        String numbers = parts[0] + "." + parts[1] + "." + parts[2] + "." + parts[3];
        for (String part : parts)
        {
            if (part.length() > 5 || Integer.parseInt(part) > 65535)
                throw new PackFailure("Version " + text + " cannot be made into four numbers:"
                                      + " each must be at most 65535");
        }
        return numbers;
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
                        !RESERVED_NAMES.contains(name.split("\\.", 2)[0].strip().toUpperCase(Locale.ROOT));
        for (char c : name.toCharArray())
            valid &= c >= 0x20 && "<>:\"/\\|?*".indexOf(c) < 0;
        if (!valid)
            throw new PackFailure("Name " + name + " cannot be a file name: it must not hold"
                                  + " < > : \" / \\ | ? * or control characters, end with a dot or"
                                  + " a blank, or be a device name such as CON (with an extension"
                                  + " too: CON.txt)");
    }
}
