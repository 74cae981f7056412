/* macstub: the executable of a macOS application bundle. Hands the start of the Java
   application to the system's Java application launcher: with the bundle's information
   dictionary when it has a "Java" entry, otherwise from the folder that holds the bundle. */
#include "c_library.h"
#include "core_foundation.h"
#include "java_launcher.h"

/* The bundle's path, with room behind it for "/..". */
enum
{
    kPathBufferSize = 2000
};

/* A message without anything to fill in. */
#define WRITE_ERROR(text) fwrite(text, 1, sizeof(text) - 1, stderr)

static int LaunchFromBundleFolder(CFBundleRef bundle, int argc, const char** argv)
{
    char path[kPathBufferSize + 3];
    CFURLRef url = CFBundleCopyBundleURL(bundle);
    if (url == 0)
    {
        WRITE_ERROR("CFBundleCopyBundleURL() failed on main bundle\n");
        return 1;
    }
    if (!CFURLGetFileSystemRepresentation(url, 1, (UInt8*)path, kPathBufferSize))
    {
        WRITE_ERROR("CFURLGetFileSystemRepresentation() failed on main bundle\n");
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
    if (chdir(path) != 0)
    {
        fprintf(stderr, "ERROR: Could not change the current working directory to %s\n", path);
        perror("ERROR");
        return 1;
    }
    MRJApplicationMainArgs(argc, argv);
    return 0;
}

static int MacStubMain(int argc, const char** argv)
{
    if (launchJavaApplication == 0 || MRJApplicationMainArgs == 0)
    {
        WRITE_ERROR("ERROR: JavaApplicationLauncher.framework is not on this Mac\n");
        return 1;
    }
    CFBundleRef bundle = CFBundleGetMainBundle();
    if (bundle == 0)
    {
        WRITE_ERROR("CFBundleGetMainBundle() failed\n");
        return 1;
    }
    CFDictionaryRef info = CFBundleGetInfoDictionary(bundle);
    if (info != 0 && CFDictionaryGetValue(info, CFSTR("Java")) != 0)
        return launchJavaApplication(argc, argv, info);
    return LaunchFromBundleFolder(bundle, argc, argv);
}

int main(int argc, const char** argv)
{
    exit(MacStubMain(argc, argv));
}
