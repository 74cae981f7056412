// The processors the release has launchers for: x64, x86 (the pair product that takes 32-bit
// runtimes) and ARM64 (the twin that takes ARM64 runtimes on Windows on ARM). Each gives the
// suffix of its file names, its machine type in the executable's header and its name in a
// manifest.
package jvmhost.pack;

enum LauncherMachine
{
    X64("", 0x8664, "amd64"),
    X86("32", 0x14C, "x86"),
    ARM64("-arm64", 0xAA64, "arm64");

    /** What follows the base name: jvmhost32.exe, MyApp-arm64.ini. */
    final String suffix;
    final int machineType;
    final String manifestName;

    LauncherMachine(String suffix, int machineType, String manifestName)
    {
        this.suffix = suffix;
        this.machineType = machineType;
        this.manifestName = manifestName;
    }

    /** The processor of a machine type, for messages. */
    static String describe(int machineType)
    {
        for (LauncherMachine machine : values())
        {
            if (machine.machineType == machineType)
                return machine.manifestName;
        }
        return String.format("the machine type 0x%X", machineType);
    }

    /** The release's launcher for this processor, windowed or for the console. */
    String releaseFile(boolean console)
    {
        return (console ? "jvmhostc" : "jvmhost") + suffix + ".exe";
    }
}
