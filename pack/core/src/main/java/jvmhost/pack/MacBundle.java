// The macOS application bundle: Info.plist with the bundle keys a current Mac reads and the
// "Java" dictionary macstub reads, macstub as the executable, the icon, the jars under
// Contents/Resources/Java, and the runtime under Contents/runtime/Contents/Home when the
// description names one.
package jvmhost.pack;

import java.nio.charset.StandardCharsets;

final class MacBundle
{
    private MacBundle() {}

    /**
     * Refuses a macstub that is no macOS executable, or one cut short: a universal file whose
     * slices lie within it, or a single 64-bit Mach-O whose load commands do.
     */
    static void checkMacstub(String name, byte[] bytes) throws PackFailure
    {
        java.nio.ByteBuffer big = java.nio.ByteBuffer.wrap(bytes);
        java.nio.ByteBuffer little =
            java.nio.ByteBuffer.wrap(bytes).order(java.nio.ByteOrder.LITTLE_ENDIAN);
        boolean whole = false;
        if (bytes.length >= 8 && big.getInt(0) == 0xCAFEBABE)
        {
            long count = Integer.toUnsignedLong(big.getInt(4));
            whole = count > 0 && 8 + 20 * count <= bytes.length;
            for (int i = 0; whole && i < count; ++i)
            {
                long offset = Integer.toUnsignedLong(big.getInt(8 + 20 * i + 8));
                long size = Integer.toUnsignedLong(big.getInt(8 + 20 * i + 12));
                whole = offset + size <= bytes.length;
            }
        }
        else if (bytes.length >= 32 && little.getInt(0) == 0xFEEDFACF)
            whole = 32 + Integer.toUnsignedLong(little.getInt(20)) <= bytes.length;
        if (!whole)
            throw new PackFailure(name + " is not a macOS executable (a Mach-O file), or is cut"
                                  + " short");
    }

    /** Lays the bundle out through the outputs, under the folder given ("macos/"). */
    static void build(Description description, byte[] macstub, IconFile icon, Outputs outputs,
                      String folder) throws PackFailure
    {
        String bundle = folder + description.name + ".app/Contents/";
        outputs.add(bundle + "Info.plist", infoPlist(description), false);
        outputs.add(bundle + "MacOS/" + description.name, macstub, true);
        outputs.add(bundle + "Resources/" + description.name + ".icns", IcnsFile.build(icon),
                    false);
        for (Description.Jar jar : description.jars)
            outputs.copy(bundle + "Resources/Java/" + jar.target(), jar.source());
        if (description.macosRuntime != null)
            outputs.copyTree(bundle + "runtime/Contents/Home", description.macosRuntime);
    }

    static byte[] infoPlist(Description description)
    {
        int[] v = description.version;
        StringBuilder plist = new StringBuilder();
        plist.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")
            .append("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\"")
            .append(" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n")
            .append("<plist version=\"1.0\">\n<dict>\n");
        text(plist, "  ", "CFBundleDevelopmentRegion", "en");
        text(plist, "  ", "CFBundleDisplayName", description.name);
        text(plist, "  ", "CFBundleExecutable", description.name);
        text(plist, "  ", "CFBundleIconFile", description.name + ".icns");
        text(plist, "  ", "CFBundleIdentifier", description.identifier);
        text(plist, "  ", "CFBundleInfoDictionaryVersion", "6.0");
        text(plist, "  ", "CFBundleName", description.name);
        text(plist, "  ", "CFBundlePackageType", "APPL");
        text(plist, "  ", "CFBundleShortVersionString", v[0] + "." + v[1] + "." + v[2]);
        text(plist, "  ", "CFBundleVersion", description.versionText());
        text(plist, "  ", "LSMinimumSystemVersion", "10.9");
        plist.append("  <key>NSHighResolutionCapable</key>\n  <true/>\n");
        if (!description.copyright.isEmpty())
            text(plist, "  ", "NSHumanReadableCopyright", description.copyright);
        plist.append("  <key>Java</key>\n  <dict>\n");
        text(plist, "    ", "MainClass", description.mainClass);
        plist.append("    <key>ClassPath</key>\n    <array>\n");
        for (Description.Jar jar : description.jars)
            plist.append("      <string>")
                .append(ManifestResource.escape("$JAVAROOT/" + jar.target()))
                .append("</string>\n");
        plist.append("    </array>\n");
        // A list, one option an item, so that an option with blanks stays one.
        if (!description.vmOptions.isEmpty())
        {
            plist.append("    <key>VMOptions</key>\n    <array>\n");
            for (String option : vmOptionItems(description.vmOptions))
                plist.append("      <string>")
                    .append(ManifestResource.escape(option))
                    .append("</string>\n");
            plist.append("    </array>\n");
        }
        if (!description.minimumVersion.isEmpty())
            text(plist, "    ", "JVMVersion", description.minimumVersion + "+");
        plist.append("  </dict>\n</dict>\n</plist>\n");
        return plist.toString().getBytes(StandardCharsets.UTF_8);
    }

    /**
     * The options as the launcher reads "Virtual Machine Parameters": blanks separate, a double
     * quote opens a part that the next one closes, and the parts' quotes are removed.
     */
    static java.util.List<String> vmOptionItems(String text)
    {
        java.util.List<String> items = new java.util.ArrayList<>();
        StringBuilder item = new StringBuilder();
        boolean quoted = false;
        boolean started = false;
        for (int i = 0; i < text.length(); ++i)
        {
            char c = text.charAt(i);
            // A quote opens a part only when another one closes it.
            if (c == '"' && (quoted || text.indexOf('"', i + 1) >= 0))
            {
                quoted = !quoted;
                started = true;
            }
            else if (c == ' ' && !quoted)
            {
                if (started)
                    items.add(item.toString());
                item.setLength(0);
                started = false;
            }
            else
            {
                item.append(c);
                started = true;
            }
        }
        if (started)
            items.add(item.toString());
        return items;
    }

    private static void text(StringBuilder plist, String indent, String key, String value)
    {
        plist.append(indent)
            .append("<key>")
            .append(key)
            .append("</key>\n")
            .append(indent)
            .append("<string>")
            .append(ManifestResource.escape(value))
            .append("</string>\n");
    }
}
