/* Where the Java runtime of a bundle is: the bundle's own, or one installed on the Mac. Each
   runtime is a folder X whose X/Contents/Home holds it, as in a .jdk bundle. */
#include "runtime_location.h"

#include "c_library.h"

/* The newest X/Contents/Home under the folder that meets the requirement; among runtimes of the
   same version the last by name, so that the choice does not hang on the order of the folder. */
static int FindNewestHome(const char* folder, const struct SVersionRequirement* requirement,
                          char* home)
{
    DIR* directory = opendir(folder);
    if (directory == 0)
        return 0;
    struct SJavaVersion newest = {{0}, 0};
    char newestName[sizeof(((struct dirent*)0)->d_name)];
    newestName[0] = '\0';
    int found = 0;
    char candidate[kLongPathSize];
    for (struct dirent* entry = readdir(directory); entry != 0; entry = readdir(directory))
    {
        struct SJavaVersion version;
        if (entry->d_name[0] == '.' ||
            snprintf(candidate, sizeof(candidate), "%s/%s/Contents/Home", folder, entry->d_name) >=
                (int)sizeof(candidate) ||
            access(candidate, F_OK) != 0)
            continue;
        ReadRuntimeVersion(candidate, &version);
        const int order = CompareVersions(&version, &newest);
        if (!MeetsRequirement(&version, requirement) ||
            (found && (order < 0 || (order == 0 && strcmp(entry->d_name, newestName) < 0))))
            continue;
        found = 1;
        newest = version;
        snprintf(newestName, sizeof(newestName), "%s", entry->d_name);
        snprintf(home, kLongPathSize, "%s", candidate);
    }
    closedir(directory);
    return found;
}

int FindBundleRuntime(const char* bundle, char* home)
{
    static const struct SVersionRequirement kAnyVersion = {{{0}, 0}, 0};
    char plugIns[kLongPathSize];
    snprintf(home, kLongPathSize, "%s/Contents/runtime/Contents/Home", bundle);
    if (access(home, F_OK) == 0)
        return 1;
    snprintf(plugIns, sizeof(plugIns), "%s/Contents/PlugIns", bundle);
    return FindNewestHome(plugIns, &kAnyVersion, home);
}

int FindInstalledRuntime(const struct SVersionRequirement* requirement, char* home)
{
    return FindNewestHome(MACSTUB_INSTALLED_RUNTIMES, requirement, home);
}
