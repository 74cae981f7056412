// A pack: from the description and the release's launchers to what a user ships. Under the
// output folder:
//   windows/<Name>/   the stamped launchers for x64, x86 and ARM64 (signed with a key; the
//                     console ones with Console, both kinds with Console = also), their
//                     settings files, the jars, and a packed runtime in jre64 (and a 32-bit
//                     one in jre32)
//   macos/<Name>.app  the macOS bundle
//   <Name>-<version>-windows-x64.zip, <Name>-<version>-macos.zip   the two folders, zipped
// Nothing is put in place before all of it has been made.
package jvmhost.pack;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;

public final class Pack
{
    /** The two archives a pack made. */
    public record Result(Path windowsArchive, Path macosArchive) {}

    private Pack() {}

    public static Result pack(Description description, Launchers launchers, Path output)
        throws PackFailure
    {
        // Everything that can be refused is looked at before anything is written.
        IconFile icon = IconFile.read(description.icon);
        for (Description.Jar jar : description.jars)
        {
            if (!Files.isRegularFile(jar.source()))
                throw new PackFailure("The jar " + jar.source() + " is not there");
        }
        if (description.windowsRuntime != null)
            WindowsRuntime.check(description.windowsRuntime, true, "Windows Runtime");
        if (description.windowsRuntime32 != null)
            WindowsRuntime.check(description.windowsRuntime32, false, "Windows Runtime 32");
        // A runtime that holds the output folder would be copied into itself.
        Path outputFolder = output.toAbsolutePath().normalize();
        for (Path runtime : new Path[] {description.windowsRuntime, description.windowsRuntime32,
                                        description.macosRuntime})
        {
            if (runtime != null && outputFolder.startsWith(runtime.toAbsolutePath().normalize()))
                throw new PackFailure("The runtime " + runtime + " holds the output folder " +
                                      output + ": name an output folder outside it");
        }
        MacBundle.checkMacstub(launchers.name(Launchers.MACSTUB), launchers.macstub);
        CodeSigner signer = CodeSigner.of(description);
        long time = ZipArchive.entryTime();

        String name = description.name;
        String windows = "windows/" + name + "/";
        String archive = name + "-" + description.displayVersion;
        try (Outputs outputs = new Outputs(output))
        {
            List<String> executables = new ArrayList<>();
            // The windowed pair, or the console pair in its place, and with "also" the console
            // pair beside it, as java.exe sits beside javaw.exe.
            boolean consoleOnly = description.console.equals("yes");
            addPair(outputs, windows, name, consoleOnly, description, launchers, icon,
                    executables);
            if (description.console.equals("also"))
                addPair(outputs, windows, name + "-console", true, description, launchers, icon,
                        executables);
            for (Description.Jar jar : description.jars)
                outputs.copy(windows + jar.target(), jar.source());
            if (description.windowsRuntime != null)
                outputs.copyTree(windows + "jre64", description.windowsRuntime);
            if (description.windowsRuntime32 != null)
                outputs.copyTree(windows + SettingsFiles.JRE32, description.windowsRuntime32);
            MacBundle.build(description, launchers.macstub, icon, outputs, "macos/");
            // Signed after stamping, which would break a signature, and before archiving.
            if (signer != null)
            {
                for (String executable : executables)
                    signer.sign(outputs.staged(executable));
            }
            ZipArchive.write(outputs.staged("windows/" + name),
                             outputs.stage(archive + "-windows-x64.zip"), time);
            ZipArchive.write(outputs.staged("macos/" + name + ".app"),
                             outputs.stage(archive + "-macos.zip"), time);
            outputs.commit();
        }
        return new Result(output.resolve(archive + "-windows-x64.zip"),
                          output.resolve(archive + "-macos.zip"));
    }

    /**
       baseName.exe, its pair product baseName32.exe and its ARM64 twin baseName-arm64.exe,
        stamped, with their settings.
     */
    private static void addPair(Outputs outputs, String folder, String baseName, boolean console,
                                Description description, Launchers launchers, IconFile icon,
                                List<String> executables) throws PackFailure
    {
        for (LauncherMachine machine : LauncherMachine.values())
        {
            String exe = baseName + machine.suffix + ".exe";
            outputs.add(folder + exe,
                        LauncherStamp.stamp(launchers.name(machine.releaseFile(console)),
                                            launchers.windowsLauncher(machine, console), machine,
                                            description, icon, exe),
                        true);
            outputs.add(folder + baseName + machine.suffix + ".ini",
                        SettingsFiles.build(description, baseName, machine), false);
            executables.add(folder + exe);
        }
    }
}
