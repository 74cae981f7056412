/* The start of the Java application through the runtime's launcher library, libjli, as java
   itself starts it. */
#include "jli_launch.h"

#ifdef __APPLE__
#define MACSTUB_LIBRARY_SUFFIX ".dylib"
#else
#define MACSTUB_LIBRARY_SUFFIX ".so"
#endif

/* JLI_Launch as java's main calls it: its own arguments, no extra java or class path arguments,
   the version texts, the program and launcher names, then whether JDK_JAVA_OPTIONS-style
   arguments were added, whether class path wildcards are expanded, javaw (Windows only) and
   the ergonomics class. */
typedef int (*PFN_JLI_LAUNCH)(int argc, char** argv, int jargc, const char** jargv, int appclassc,
                              const char** appclassv, const char* fullversion,
                              const char* dotversion, const char* pname, const char* lname,
                              unsigned char javaargs, unsigned char cpwildcard, unsigned char javaw,
                              int ergo);

/* The launch under way, kept for the second call of main. */
static PFN_JLI_LAUNCH s_pfnJliLaunch;
static const struct SCommandLine* s_pCommand;

static int CallJliLaunch(void)
{
    return s_pfnJliLaunch(s_pCommand->m_count, s_pCommand->m_pArguments, 0, 0, 0, 0, "", "", "java",
                          "java", 0, 1, 0, 0);
}

int LaunchWithJli(const char* home, const struct SCommandLine* command)
{
    /* lib/jli/ is where runtimes before 9 keep it. */
    char library[kLongPathSize];
    snprintf(library, sizeof(library), "%s/lib/libjli" MACSTUB_LIBRARY_SUFFIX, home);
    if (access(library, F_OK) != 0)
        snprintf(library, sizeof(library), "%s/lib/jli/libjli" MACSTUB_LIBRARY_SUFFIX, home);
    if (access(library, F_OK) != 0)
    {
        fprintf(stderr, "ERROR: No libjli" MACSTUB_LIBRARY_SUFFIX " in %s/lib or %s/lib/jli\n",
                home, home);
        return 1;
    }
    void* jli = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (jli == 0)
    {
        fprintf(stderr, "ERROR: Could not load %s: %s\n", library, dlerror());
        return 1;
    }
    s_pfnJliLaunch = (PFN_JLI_LAUNCH)dlsym(jli, "JLI_Launch");
    if (s_pfnJliLaunch == 0)
    {
        fprintf(stderr, "ERROR: %s has no JLI_Launch\n", library);
        return 1;
    }
    s_pCommand = command;
    return CallJliLaunch();
}

int ResumeJliLaunch(int* status)
{
    if (s_pfnJliLaunch == 0 || s_pCommand == 0)
        return 0;
    *status = CallJliLaunch();
    return 1;
}
