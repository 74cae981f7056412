/* macstub: the executable of a macOS application bundle. A bundle that carries a Java runtime,
   or any bundle with a "Java" dictionary on a Mac without the system's Java application
   launcher, starts on a runtime through its libjli, as java does. Otherwise the start is handed
   to the system's launcher: with the bundle's information dictionary when it has a "Java"
   entry, else from the folder that holds the bundle. */
#include "c_library.h"
#include "core_foundation.h"
#include "java_dictionary.h"
#include "java_launcher.h"
#include "jli_launch.h"
#include "runtime_location.h"

/* The bundle's path, with room behind it for "/..". */
enum
{
    kPathBufferSize = 2000
};

/* Writes the bundle's path into the buffer; returns 0, or the message that says why not. */
static const char* CopyBundlePath(CFBundleRef bundle, char* path)
{
    CFURLRef url = CFBundleCopyBundleURL(bundle);
    if (url == 0)
        return "CFBundleCopyBundleURL() failed on main bundle\n";
    if (!CFURLGetFileSystemRepresentation(url, 1, (UInt8*)path, kPathBufferSize))
        return "CFURLGetFileSystemRepresentation() failed on main bundle\n";
    return 0;
}

static int ChangeDirectory(const char* path)
{
    if (chdir(path) == 0)
        return 1;
    fprintf(stderr, "ERROR: Could not change the current working directory to %s\n", path);
    perror("ERROR");
    return 0;
}

static int LaunchFromBundleFolder(const char* pathProblem, char* path, int argc, const char** argv)
{
    if (pathProblem != 0)
    {
        fputs(pathProblem, stderr);
        return 1;
    }
    /* /Applications/Tool.app/.. names the folder that holds the bundle. */
    size_t length = 0;
    while (path[length] != '\0')
        ++length;
    path[length] = '/';
    path[length + 1] = '.';
    path[length + 2] = '.';
    path[length + 3] = '\0';
    if (!ChangeDirectory(path))
        return 1;
    MRJApplicationMainArgs(argc, argv);
    return 0;
}

/* The bundle's own runtime in home, else the newest installed one that meets JVMVersion. */
static int FindRuntime(CFDictionaryRef java, const char* bundle, int ownRuntime, char* home)
{
    struct SText wanted = {0, 0, 0};
    struct SVersionRequirement requirement;
    if (!ReadJavaText(java, JAVA_KEY("JVMVersion"), bundle, &wanted))
        return 0;
    /* A JVMVersion that cannot be read is refused whichever runtime starts. */
    const int valid = ReadVersionRequirement(TextOf(&wanted), &requirement);
    const int found = valid && (ownRuntime || FindInstalledRuntime(&requirement, home));
    if (!valid)
        fprintf(stderr,
                "ERROR: JVMVersion %s in the Java dictionary of %s/Contents/Info.plist is not "
                "a version such as 17+ or 1.8*\n",
                TextOf(&wanted), bundle);
    else if (!found)
        fprintf(stderr,
                "ERROR: No Java runtime%s%s in %s/Contents/runtime, %s/Contents/PlugIns "
                "or " MACSTUB_INSTALLED_RUNTIMES
                ", and JavaApplicationLauncher.framework is not on "
                "this Mac\n",
                wanted.m_length > 0 ? " " : "", TextOf(&wanted), bundle, bundle);
    free(wanted.m_pText);
    return found;
}

static int LaunchOnRuntime(CFDictionaryRef java, const char* pathProblem, const char* bundle,
                           int ownRuntime, char* home, int argc, const char** argv)
{
    /* Kept for the second call of main that libjli makes on macOS. */
    static struct SCommandLine command;
    struct SText folder = {0, 0, 0};
    if (pathProblem != 0)
    {
        fputs(pathProblem, stderr);
        return 1;
    }
    if (!BuildJavaCommand(java, bundle, argc, argv, &command) ||
        !FindRuntime(java, bundle, ownRuntime, home) ||
        !ReadJavaText(java, JAVA_KEY("WorkingDirectory"), bundle, &folder) ||
        (folder.m_length > 0 && !ChangeDirectory(TextOf(&folder))))
        return 1;
    return LaunchWithJli(home, &command);
}

static int MacStubMain(int argc, const char** argv)
{
    char path[kPathBufferSize + 3];
    char home[kLongPathSize];
    CFBundleRef bundle = CFBundleGetMainBundle();
    if (bundle == 0)
    {
        WRITE_ERROR("CFBundleGetMainBundle() failed\n");
        return 1;
    }
    CFDictionaryRef info = CFBundleGetInfoDictionary(bundle);
    CFTypeRef java = info != 0 ? CFDictionaryGetValue(info, CFSTR("Java")) : 0;
    const int hasLauncher = launchJavaApplication != 0 && MRJApplicationMainArgs != 0;
    const char* pathProblem = CopyBundlePath(bundle, path);
    const int ownRuntime = pathProblem == 0 && FindBundleRuntime(path, home);
    /* Neither way can start from a "Java" entry that is a text or a list. */
    if (java != 0 && CFGetTypeID(java) != CFDictionaryGetTypeID())
    {
        fprintf(stderr, "ERROR: \"Java\" in %s/Contents/Info.plist is not a dictionary\n",
                pathProblem == 0 ? path : "the bundle");
        return 1;
    }
    if (java != 0 && (ownRuntime || !hasLauncher))
        return LaunchOnRuntime(java, pathProblem, path, ownRuntime, home, argc, argv);
    if (!hasLauncher)
    {
        WRITE_ERROR("ERROR: JavaApplicationLauncher.framework is not on this Mac\n");
        return 1;
    }
    if (java != 0)
        return launchJavaApplication(argc, argv, info);
    return LaunchFromBundleFolder(pathProblem, path, argc, argv);
}

int main(int argc, const char** argv)
{
    int status = 0;
    if (ResumeJliLaunch(&status))
        exit(status);
    exit(MacStubMain(argc, argv));
}
