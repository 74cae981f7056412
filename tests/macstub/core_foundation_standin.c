/* A stand-in for the CoreFoundation functions macstub uses, for running it on Linux. The main
   bundle is the X.app folder when the executable lies in X.app/Contents/MacOS/; its information
   dictionary is Contents/Info.plist, read with libplist. A bundle whose path is not valid UTF-8
   has no URL, as a stand-in for a bundle whose location cannot be had. */
#include "../../macstub/core_foundation.h"

#include <plist/plist.h>

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

struct __CFString
{
    char* text;
};

struct __CFBundle
{
    char path[PATH_MAX];
    plist_t info;
    int infoRead;
};

struct __CFURL
{
    char path[PATH_MAX];
};

CFStringRef __CFStringMakeConstantString(const char* text)
{
    struct __CFString* string = malloc(sizeof(struct __CFString));
    string->text = strdup(text);
    return string;
}

/* Whether the text ends with the suffix. */
static int EndsWith(const char* text, size_t length, const char* suffix)
{
    const size_t suffixLength = strlen(suffix);
    return length >= suffixLength && memcmp(text + length - suffixLength, suffix, suffixLength) == 0;
}

CFBundleRef CFBundleGetMainBundle(void)
{
    static struct __CFBundle bundle;
    static int found = -1;
    if (found >= 0)
        return found ? &bundle : NULL;
    char executable[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    found = 0;
    if (length <= 0)
        return NULL;
    executable[length] = '\0';
    char* slash = strrchr(executable, '/');
    if (slash == NULL)
        return NULL;
    *slash = '\0';
    const size_t folderLength = strlen(executable);
    if (!EndsWith(executable, folderLength, "/Contents/MacOS"))
        return NULL;
    executable[folderLength - strlen("/Contents/MacOS")] = '\0';
    if (!EndsWith(executable, strlen(executable), ".app"))
        return NULL;
    strcpy(bundle.path, executable);
    found = 1;
    return &bundle;
}

CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle)
{
    if (!bundle->infoRead)
    {
        bundle->infoRead = 1;
        char file[PATH_MAX + 32];
        snprintf(file, sizeof(file), "%s/Contents/Info.plist", bundle->path);
        FILE* stream = fopen(file, "rb");
        if (stream != NULL)
        {
            char data[65536];
            const size_t size = fread(data, 1, sizeof(data), stream);
            fclose(stream);
            plist_from_memory(data, (uint32_t)size, &bundle->info);
            if (bundle->info != NULL && plist_get_node_type(bundle->info) != PLIST_DICT)
            {
                plist_free(bundle->info);
                bundle->info = NULL;
            }
        }
    }
    return (CFDictionaryRef)bundle->info;
}

const void* CFDictionaryGetValue(CFDictionaryRef dictionary, const void* key)
{
    return plist_dict_get_item((plist_t)dictionary, ((CFStringRef)key)->text);
}

/* Whether the text is well-formed UTF-8. */
static int IsUtf8(const unsigned char* text)
{
    while (*text != 0)
    {
        int following = *text < 0x80 ? 0 : (*text >> 5) == 0x6 ? 1 : (*text >> 4) == 0xE ? 2
                                         : (*text >> 3) == 0x1E ? 3 : -1;
        if (following < 0)
            return 0;
        ++text;
        for (; following > 0; --following, ++text)
        {
            if ((*text & 0xC0) != 0x80)
                return 0;
        }
    }
    return 1;
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle)
{
    if (!IsUtf8((const unsigned char*)bundle->path))
        return NULL;
    struct __CFURL* url = malloc(sizeof(struct __CFURL));
    strcpy(url->path, bundle->path);
    return url;
}

Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen)
{
    (void)resolveAgainstBase;
    const size_t length = strlen(url->path);
    if ((CFIndex)length + 1 > maxBufLen)
        return 0;
    memcpy(buffer, url->path, length + 1);
    return 1;
}
