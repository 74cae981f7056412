// The settings files of the application's launchers: the same main class, class path and
// runtime requirements; the x64 and ARM64 ones name the 32-bit pair product. A runtime packed
// beside them: the 64-bit one in "jre64", where the launcher looks by itself; the 32-bit one in
// "jre32", which "JRE Path" names (every launcher looks in "jre64").
package jvmhost.pack;

import java.nio.charset.StandardCharsets;

final class SettingsFiles
{
    private SettingsFiles() {}

    /** Where a packed 32-bit runtime lies, beside the launchers. */
    static final String JRE32 = "jre32";

    /** The settings of baseName.exe, its pair product baseName32.exe or its ARM64 twin. */
    static byte[] build(Description description, String baseName, LauncherMachine machine)
    {
        String exe = baseName + machine.suffix + ".exe";
        boolean pairProduct = machine == LauncherMachine.X86;
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
        line(ini, "Virtual Machine Parameters", survivingTheReader(description.vmOptions));
        // Runtimes that today's installers register under keys of their own, and JAVA_HOME.
        line(ini, "Modern Runtimes", description.modernRuntimes ? "yes" : "");
        // The application's own class-data archive, made by the first start and used after it.
        line(ini, "Class Data Sharing", description.classDataSharing ? "auto" : "");
        // The 32-bit launcher always takes the 32-bit runtime; the 64-bit ones too when no
        // 64-bit runtime is packed, and then hand the launch over.
        boolean takes32 = pairProduct || description.windowsRuntime == null;
        if (description.windowsRuntime32 != null && takes32)
            line(ini, "JRE Path", JRE32);
        ini.append("\r\n[Class Path]\r\nClass Path=");
        for (int i = 0; i < description.jars.size(); ++i)
            ini.append(i > 0 ? ";" : "")
                .append('\\')
                .append(description.jars.get(i).target().replace('/', '\\'));
        ini.append("\r\n\r\n[Application]\r\n")
            .append(
                "; The working directory is the executable's folder, so that the pair product and a\r\n"
                + "; packed runtime are found.\r\n")
            .append("Override WorkingDir=yes\r\n");
        // The windows of the application, and its pinned shortcuts, are grouped by it.
        ini.append("App User Model ID=").append(description.appUserModelId).append("\r\n");
        if (!pairProduct)
            ini.append("Pair Product=")
                .append(baseName)
                .append(LauncherMachine.X86.suffix)
                .append(".exe\r\n")
                .append("Pair Return Code=yes\r\n");
        // The launcher reads its settings file in the system's code page unless it starts with a
        // byte-order mark; with one, any text is read as written.
        return ("\uFEFF" + ini).getBytes(StandardCharsets.UTF_16LE);
    }

    /**
     * The settings reader removes one pair of quotes around a whole value: options that begin
     * and end with a quote ("-Da=b c" "-Dd=e f") get a pair more, so that they arrive as
     * written.
     */
    private static String survivingTheReader(String options)
    {
        boolean wrapped = options.length() >= 2 &&
                          (options.charAt(0) == '"' || options.charAt(0) == '\'') &&
                          options.charAt(options.length() - 1) == options.charAt(0);
        return wrapped ? "\"" + options + "\"" : options;
    }

    private static void line(StringBuilder ini, String key, String value)
    {
        if (!value.isEmpty())
            ini.append(key).append('=').append(value).append("\r\n");
    }
}
