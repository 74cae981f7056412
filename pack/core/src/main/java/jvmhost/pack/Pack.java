// A pack: from the description and the release's launchers to what a user ships. Under the
// output folder:
//   windows/<Name>/   the two stamped launchers (signed with a key), their settings files, the
//                     jars, and a packed runtime in jre64 (and a 32-bit one in jre32)
//   macos/<Name>.app  the macOS bundle
//   <Name>-<version>-windows-x64.zip, <Name>-<version>-macos.zip   the two folders, zipped
// Nothing is put in place before all of it has been made.
package jvmhost.pack;

import java.nio.file.Files;
import java.nio.file.Path;

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
        CodeSigner signer = CodeSigner.of(description);
        long time = ZipArchive.entryTime();

        String name = description.name;
        String windows = "windows/" + name + "/";
        String archive = name + "-" + description.displayVersion;
        try (Outputs outputs = new Outputs(output))
        {
            byte[] stamped =
                LauncherStamp.stamp(launchers.name(Launchers.WINDOWS), launchers.windows,
                                    description, icon, name + ".exe");
            byte[] stamped32 =
                LauncherStamp.stamp(launchers.name(Launchers.WINDOWS_32), launchers.windows32,
                                    description, icon, name + "32.exe");
            outputs.add(windows + name + ".exe", stamped, true);
            outputs.add(windows + name + "32.exe", stamped32, true);
            outputs.add(windows + name + ".ini", SettingsFiles.build(description, false), false);
            outputs.add(windows + name + "32.ini", SettingsFiles.build(description, true), false);
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
                signer.sign(outputs.staged(windows + name + ".exe"));
                signer.sign(outputs.staged(windows + name + "32.exe"));
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
}
