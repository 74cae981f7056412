// The settings files of the application's two launchers: the same main class, class path and
// runtime requirements; the 64-bit one names its 32-bit companion.
package jvmhost.pack;

import java.nio.charset.StandardCharsets;

final class SettingsFiles
{
    private SettingsFiles() {}

    static byte[] build(Description description, boolean companion)
    {
        String exe = description.name + (companion ? "32.exe" : ".exe");
        StringBuilder ini = new StringBuilder();
        ini.append("; Settings of ")
            .append(exe)
            .append(", made by jvmhost-pack.\r\n")
            .append("[Product Information]\r\n")
            .append("Product Name=")
            .append(description.name)
            .append("\r\n")
            .append("Product Code=")
            .append(description.versionText())
            .append("\r\n\r\n")
            .append("[Java Runtime Environment]\r\n")
            .append("Main Class=")
            .append(description.mainClass)
            .append("\r\n");
        line(ini, "Minimum Version", description.minimumVersion);
        line(ini, "Maximum Version", description.maximumVersion);
        line(ini, "Virtual Machine Parameters", description.vmOptions);
        ini.append("\r\n[Class Path]\r\nClass Path=");
        for (int i = 0; i < description.jars.size(); ++i)
            ini.append(i > 0 ? ";" : "")
                .append('\\')
                .append(description.jars.get(i).replace('/', '\\'));
        ini.append("\r\n\r\n[Application]\r\n")
            .append(
                "; The working directory is the executable's folder, so that the companion is found.\r\n")
            .append("Override WorkingDir=yes\r\n");
        if (!companion)
            ini.append("Pair Product=")
                .append(description.name)
                .append("32.exe\r\n")
                .append("Pair Return Code=yes\r\n");
        // The launcher reads its settings file in the system's code page unless it starts with a
        // byte-order mark; with one, any text is read as written.
        return ("\uFEFF" + ini).getBytes(StandardCharsets.UTF_16LE);
    }

    private static void line(StringBuilder ini, String key, String value)
    {
        if (!value.isEmpty())
            ini.append(key).append('=').append(value).append("\r\n");
    }
}
