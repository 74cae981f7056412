/* The "Java" dictionary of a bundle's Info.plist read into the command line java would get.
   ClassPath is a text or a list of texts, joined with ':'. VMOptions and Arguments are a text of
   blank-separated words or a list whose every item is one argument, so that an item may hold
   blanks. Properties maps names to texts. $JAVAROOT and $APP_PACKAGE are replaced in every
   text after it has been split, so that a bundle path with blanks stays one argument. */
#include "java_dictionary.h"

enum EPieces
{
    kJoinedWithColons,
    kWordsOrItems
};

/* The CoreFoundation text as UTF-8 in a block of its own, or null when it is not a text. */
static char* CopyUtf8(CFTypeRef value)
{
    if (value == 0 || CFGetTypeID(value) != CFStringGetTypeID())
        return 0;
    const CFIndex size =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(value), kCFStringEncodingUTF8) + 1;
    char* text = GrowBlock(0, (size_t)size);
    if (!CFStringGetCString(value, text, size, kCFStringEncodingUTF8))
    {
        free(text);
        return 0;
    }
    return text;
}

static void SayNotA(const char* name, const char* bundle, const char* kind)
{
    fprintf(stderr, "ERROR: %s in the Java dictionary of %s/Contents/Info.plist is not %s\n", name,
            bundle, kind);
}

/* Adds each blank-separated word of the text as one argument. */
static void AddWords(struct SCommandLine* command, const char* words, const char* bundle)
{
    struct SText argument = {0, 0, 0};
    for (const char* word = words; *word != '\0';)
    {
        if (*word == ' ' || *word == '\t' || *word == '\n')
        {
            ++word;
            continue;
        }
        size_t length = 0;
        while (word[length] != '\0' && word[length] != ' ' && word[length] != '\t' &&
               word[length] != '\n')
            ++length;
        AppendExpanded(&argument, word, length, bundle);
        AddArgument(command, &argument);
        word += length;
    }
}

/* Adds the value of a text-or-list key. Returns 0 when it is neither. */
static int AddPieces(struct SCommandLine* command, CFTypeRef value, enum EPieces pieces,
                     const char* bundle)
{
    struct SText joined = {0, 0, 0};
    const int isList = CFGetTypeID(value) == CFArrayGetTypeID();
    const CFIndex count = isList ? CFArrayGetCount(value) : 1;
    for (CFIndex i = 0; i < count; ++i)
    {
        char* text = CopyUtf8(isList ? CFArrayGetValueAtIndex(value, i) : value);
        if (text == 0)
        {
            free(joined.m_pText);
            return 0;
        }
        if (pieces == kJoinedWithColons)
        {
            if (i > 0)
                AppendText(&joined, ":", 1);
            AppendExpanded(&joined, text, strlen(text), bundle);
        }
        else if (isList)
        {
            AppendExpanded(&joined, text, strlen(text), bundle);
            AddArgument(command, &joined);
        }
        else
            AddWords(command, text, bundle);
        free(text);
    }
    if (pieces == kJoinedWithColons)
        AddArgument(command, &joined);
    return 1;
}

static int AddProperties(struct SCommandLine* command, CFTypeRef properties, const char* bundle)
{
    if (CFGetTypeID(properties) != CFDictionaryGetTypeID())
        return 0;
    const CFIndex count = CFDictionaryGetCount(properties);
    const void** entries = GrowBlock(0, (size_t)(2 * count + 1) * sizeof(void*));
    CFDictionaryGetKeysAndValues(properties, entries, entries + count);
    int valid = 1;
    for (CFIndex i = 0; valid && i < count; ++i)
    {
        char* name = CopyUtf8(entries[i]);
        char* value = CopyUtf8(entries[count + i]);
        valid = name != 0 && value != 0;
        if (valid)
        {
            struct SText property = {0, 0, 0};
            AppendText(&property, "-D", 2);
            AppendText(&property, name, strlen(name));
            AppendText(&property, "=", 1);
            AppendExpanded(&property, value, strlen(value), bundle);
            AddArgument(command, &property);
        }
        free(name);
        free(value);
    }
    free(entries);
    return valid;
}

/* Finder once passed a process serial number as an argument; it is not the application's. */
static int IsProcessSerialNumber(const char* argument)
{
    return strncmp(argument, "-psn_", 5) == 0;
}

int ReadJavaText(CFDictionaryRef java, CFStringRef key, const char* name, const char* bundle,
                 struct SText* text)
{
    CFTypeRef value = CFDictionaryGetValue(java, key);
    if (value == 0)
        return 1;
    char* utf8 = CopyUtf8(value);
    if (utf8 == 0)
    {
        SayNotA(name, bundle, "a text");
        return 0;
    }
    AppendExpanded(text, utf8, strlen(utf8), bundle);
    free(utf8);
    return 1;
}

/* Adds the value of a text-or-list key when the dictionary has it. */
static int AddListKey(struct SCommandLine* command, CFDictionaryRef java, CFStringRef key,
                      const char* name, enum EPieces pieces, const char* bundle)
{
    CFTypeRef value = CFDictionaryGetValue(java, key);
    if (value == 0 || AddPieces(command, value, pieces, bundle))
        return 1;
    SayNotA(name, bundle, "a text or a list of texts");
    return 0;
}

int BuildJavaCommand(CFDictionaryRef java, const char* bundle, int argc, const char** argv,
                     struct SCommandLine* command)
{
    struct SText argument = {0, 0, 0};
    AppendText(&argument, argv[0], strlen(argv[0]));
    AddArgument(command, &argument);
    if (CFDictionaryGetValue(java, CFSTR("ClassPath")) != 0)
    {
        AppendText(&argument, "-cp", 3);
        AddArgument(command, &argument);
    }
    if (!AddListKey(command, java, JAVA_KEY("ClassPath"), kJoinedWithColons, bundle))
        return 0;
    const int firstOption = command->m_count;
    if (!AddListKey(command, java, JAVA_KEY("VMOptions"), kWordsOrItems, bundle))
        return 0;
    /* java would take any other word for the main class. */
    for (int i = firstOption; i < command->m_count; ++i)
    {
        if (command->m_pArguments[i][0] != '-')
        {
            fprintf(stderr,
                    "ERROR: VMOptions in the Java dictionary of %s/Contents/Info.plist holds %s,"
                    " which is not an option (they start with -)\n",
                    bundle, command->m_pArguments[i]);
            return 0;
        }
    }
    CFTypeRef properties = CFDictionaryGetValue(java, CFSTR("Properties"));
    if (properties != 0 && !AddProperties(command, properties, bundle))
    {
        SayNotA("Properties", bundle, "a dictionary of texts");
        return 0;
    }
    if (!ReadJavaText(java, JAVA_KEY("MainClass"), bundle, &argument))
        return 0;
    if (argument.m_length == 0)
    {
        fprintf(stderr, "ERROR: The Java dictionary of %s/Contents/Info.plist has no MainClass\n",
                bundle);
        return 0;
    }
    AddArgument(command, &argument);
    if (!AddListKey(command, java, JAVA_KEY("Arguments"), kWordsOrItems, bundle))
        return 0;
    for (int i = 1; i < argc; ++i)
    {
        if (IsProcessSerialNumber(argv[i]))
            continue;
        AppendText(&argument, argv[i], strlen(argv[i]));
        AddArgument(command, &argument);
    }
    return 1;
}
