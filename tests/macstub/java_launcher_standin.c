/* A stand-in for the system's Java application launcher, for running macstub on Linux: starts
   the application on the JDK's java command (MACSTUB_JAVA) and waits for it.
   - launchJavaApplication reads the "Java" dictionary: MainClass (required), ClassPath (text
     with ':' or array), VMOptions (text with blanks or array), Properties (dictionary),
     Arguments (text with blanks or array; the process's own arguments follow) and
     WorkingDirectory. $JAVAROOT stands for Contents/Resources/Java of the bundle and
     $APP_PACKAGE for the bundle, in every text. Its result is the application's exit status.
   - MRJApplicationMainArgs reads MRJApp.properties in the current directory:
     com.apple.mrj.application.main and com.apple.mrj.application.classpath (':'-separated). */
#include "../../macstub/java_launcher.h"

#include <plist/plist.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

enum
{
    kMaxArguments = 256,
    kTextSize = 4096
};

struct SCommand
{
    char* arguments[kMaxArguments + 1];
    int count;
};

static void Add(struct SCommand* command, const char* text)
{
    if (command->count < kMaxArguments)
        command->arguments[command->count++] = strdup(text);
}

/* The text with $JAVAROOT and $APP_PACKAGE replaced. */
static void Expand(const char* text, const char* bundle, char* out)
{
    out[0] = '\0';
    while (*text != '\0')
    {
        if (strncmp(text, "$JAVAROOT", 9) == 0)
        {
            strcat(out, bundle);
            strcat(out, "/Contents/Resources/Java");
            text += 9;
        }
        else if (strncmp(text, "$APP_PACKAGE", 12) == 0)
        {
            strcat(out, bundle);
            text += 12;
        }
        else
        {
            strncat(out, text, 1);
            ++text;
        }
    }
}

/* Each piece of a text split at the separator, or each text of an array, expanded; the pieces
   joined by joiner into one argument when joiner is not 0. */
static void AddPieces(struct SCommand* command, plist_t node, char separator, char joiner,
                      const char* prefix, const char* bundle)
{
    char joined[kTextSize] = "";
    strcpy(joined, prefix);
    const size_t start = strlen(joined);
    const uint32_t count =
        plist_get_node_type(node) == PLIST_ARRAY ? plist_array_get_size(node) : 1;
    for (uint32_t i = 0; node != NULL && i < count; ++i)
    {
        plist_t item =
            plist_get_node_type(node) == PLIST_ARRAY ? plist_array_get_item(node, i) : node;
        char* value = NULL;
        plist_get_string_val(item, &value);
        if (value == NULL)
            continue;
        char* rest = value;
        for (char* piece = strsep(&rest, (char[]){separator, 0}); piece != NULL;
             piece = strsep(&rest, (char[]){separator, 0}))
        {
            char expanded[kTextSize];
            if (piece[0] == '\0')
                continue;
            Expand(piece, bundle, expanded);
            if (joiner == 0)
            {
                Add(command, expanded);
                continue;
            }
            if (strlen(joined) > start)
                strncat(joined, &joiner, 1);
            strcat(joined, expanded);
        }
        free(value);
    }
    if (joiner != 0 && strlen(joined) > start)
        Add(command, joined);
}

/* Runs the command in the folder (when given) and returns its exit status. */
static int Run(struct SCommand* command, const char* folder)
{
    command->arguments[command->count] = NULL;
    fflush(NULL);
    const pid_t child = fork();
    if (child == 0)
    {
        if (folder != NULL && folder[0] != '\0' && chdir(folder) != 0)
            _exit(126);
        execv(command->arguments[0], command->arguments);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

/* The bundle's path, from the CoreFoundation stand-in. */
static void BundlePath(char* path)
{
    path[0] = '\0';
    CFBundleRef bundle = CFBundleGetMainBundle();
    CFURLRef url = bundle != NULL ? CFBundleCopyBundleURL(bundle) : NULL;
    if (url != NULL)
        CFURLGetFileSystemRepresentation(url, 1, (UInt8*)path, kTextSize);
}

int launchJavaApplication(int argc, const char** argv, CFDictionaryRef infoDictionary)
{
    plist_t java = plist_dict_get_item((plist_t)infoDictionary, "Java");
    plist_t mainClass = plist_dict_get_item(java, "MainClass");
    char* mainName = NULL;
    if (mainClass != NULL)
        plist_get_string_val(mainClass, &mainName);
    if (mainName == NULL)
    {
        fprintf(stderr, "launchJavaApplication: no MainClass in the Java dictionary\n");
        return 1;
    }
    char bundle[kTextSize];
    BundlePath(bundle);
    struct SCommand command = {{0}, 0};
    Add(&command, MACSTUB_JAVA);
    AddPieces(&command, plist_dict_get_item(java, "ClassPath"), ':', ':',
              "-Djava.class.path=", bundle);
    AddPieces(&command, plist_dict_get_item(java, "VMOptions"), ' ', 0, "", bundle);
    plist_t properties = plist_dict_get_item(java, "Properties");
    plist_dict_iter iterator = NULL;
    if (properties != NULL && plist_get_node_type(properties) == PLIST_DICT)
        plist_dict_new_iter(properties, &iterator);
    for (;;)
    {
        char* key = NULL;
        plist_t value = NULL;
        if (iterator == NULL)
            break;
        plist_dict_next_item(properties, iterator, &key, &value);
        if (key == NULL)
            break;
        char prefix[kTextSize];
        snprintf(prefix, sizeof(prefix), "-D%s=", key);
        AddPieces(&command, value, 0, '\n', prefix, bundle);
        free(key);
    }
    free(iterator);
    Add(&command, mainName);
    AddPieces(&command, plist_dict_get_item(java, "Arguments"), ' ', 0, "", bundle);
    for (int i = 1; i < argc; ++i)
        Add(&command, argv[i]);
    char folder[kTextSize] = "";
    plist_t workingDirectory = plist_dict_get_item(java, "WorkingDirectory");
    char* folderText = NULL;
    if (workingDirectory != NULL)
        plist_get_string_val(workingDirectory, &folderText);
    if (folderText != NULL)
        Expand(folderText, bundle, folder);
    free(folderText);
    free(mainName);
    return Run(&command, folder);
}

/* The value of a "key=value" line of the properties file, or an empty text. */
static void PropertyValue(const char* file, const char* key, char* value)
{
    value[0] = '\0';
    FILE* stream = fopen(file, "r");
    if (stream == NULL)
        return;
    char line[kTextSize];
    const size_t keyLength = strlen(key);
    while (fgets(line, sizeof(line), stream) != NULL)
    {
        line[strcspn(line, "\r\n")] = '\0';
        if (strncmp(line, key, keyLength) == 0 && line[keyLength] == '=')
            strcpy(value, line + keyLength + 1);
    }
    fclose(stream);
}

int MRJApplicationMainArgs(int argc, const char** argv)
{
    char mainName[kTextSize];
    char classPath[kTextSize];
    PropertyValue("MRJApp.properties", "com.apple.mrj.application.main", mainName);
    PropertyValue("MRJApp.properties", "com.apple.mrj.application.classpath", classPath);
    if (mainName[0] == '\0')
    {
        fprintf(stderr, "MRJApplicationMainArgs: no main class in MRJApp.properties\n");
        return 1;
    }
    struct SCommand command = {{0}, 0};
    Add(&command, MACSTUB_JAVA);
    Add(&command, "-cp");
    Add(&command, classPath);
    Add(&command, mainName);
    for (int i = 1; i < argc; ++i)
        Add(&command, argv[i]);
    return Run(&command, NULL);
}
