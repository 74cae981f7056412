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
    return (CFStringRef)plist_new_string(text);
}

/* Whether the text ends with the suffix. */
static int EndsWith(const char* text, size_t length, const char* suffix)
{
    const size_t suffixLength = strlen(suffix);
    return length >= suffixLength &&
           memcmp(text + length - suffixLength, suffix, suffixLength) == 0;
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
            /* The whole file, however large. */
            char* data = NULL;
            size_t size = 0;
            for (size_t capacity = 65536;; capacity *= 2)
            {
                data = realloc(data, capacity);
                size += fread(data + size, 1, capacity - size, stream);
                if (size < capacity)
                    break;
            }
            fclose(stream);
            plist_from_memory(data, (uint32_t)size, &bundle->info);
            free(data);
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
    char* name = NULL;
    plist_get_string_val((plist_t)key, &name);
    const void* value = plist_dict_get_item((plist_t)dictionary, name);
    free(name);
    return value;
}

/* A node's type is its identifier, counted from 1 so that none is 0. */
CFTypeID CFGetTypeID(CFTypeRef object)
{
    return (CFTypeID)plist_get_node_type((plist_t)object) + 1;
}

CFTypeID CFStringGetTypeID(void)
{
    return (CFTypeID)PLIST_STRING + 1;
}

CFTypeID CFArrayGetTypeID(void)
{
    return (CFTypeID)PLIST_ARRAY + 1;
}

CFTypeID CFDictionaryGetTypeID(void)
{
    return (CFTypeID)PLIST_DICT + 1;
}

CFIndex CFDictionaryGetCount(CFDictionaryRef dictionary)
{
    return (CFIndex)plist_dict_get_size((plist_t)dictionary);
}

void CFDictionaryGetKeysAndValues(CFDictionaryRef dictionary, const void** keys,
                                  const void** values)
{
    plist_dict_iter iterator = NULL;
    plist_dict_new_iter((plist_t)dictionary, &iterator);
    for (CFIndex i = 0; i < CFDictionaryGetCount(dictionary); ++i)
    {
        char* key = NULL;
        plist_t value = NULL;
        plist_dict_next_item((plist_t)dictionary, iterator, &key, &value);
        keys[i] = plist_new_string(key);
        values[i] = value;
        free(key);
    }
    free(iterator);
}

CFIndex CFArrayGetCount(CFArrayRef array)
{
    return (CFIndex)plist_array_get_size((plist_t)array);
}

const void* CFArrayGetValueAtIndex(CFArrayRef array, CFIndex index)
{
    return plist_array_get_item((plist_t)array, (uint32_t)index);
}

/* In UTF-8 bytes: at least the UTF-16 units CoreFoundation counts. */
CFIndex CFStringGetLength(CFStringRef string)
{
    char* text = NULL;
    plist_get_string_val((plist_t)string, &text);
    const CFIndex length = text != NULL ? (CFIndex)strlen(text) : 0;
    free(text);
    return length;
}

CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding)
{
    (void)encoding;
    return 3 * length;
}

Boolean CFStringGetCString(CFStringRef string, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding)
{
    char* text = NULL;
    plist_get_string_val((plist_t)string, &text);
    const int fits =
        text != NULL && encoding == kCFStringEncodingUTF8 && (CFIndex)strlen(text) < bufferSize;
    if (fits)
        memcpy(buffer, text, strlen(text) + 1);
    free(text);
    return fits;
}

/* Whether the text is well-formed UTF-8. */
static int IsUtf8(const unsigned char* text)
{
    while (*text != 0)
    {
        int following = *text < 0x80           ? 0
                        : (*text >> 5) == 0x6  ? 1
                        : (*text >> 4) == 0xE  ? 2
                        : (*text >> 3) == 0x1E ? 3
                                               : -1;
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
