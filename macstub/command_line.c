/* The command line handed to the Java runtime, and the growing texts it is built from. */
#include "command_line.h"

void* GrowBlock(void* block, size_t size)
{
    void* grown = realloc(block, size);
    if (grown == 0)
    {
        WRITE_ERROR("ERROR: Out of memory\n");
        exit(1);
    }
    return grown;
}

void AppendText(struct SText* text, const char* piece, size_t length)
{
    if (text->m_length + length + 1 > text->m_capacity)
    {
        text->m_capacity = 2 * (text->m_length + length + 1);
        text->m_pText = GrowBlock(text->m_pText, text->m_capacity);
    }
    memcpy(text->m_pText + text->m_length, piece, length);
    text->m_length += length;
    text->m_pText[text->m_length] = '\0';
}

void AppendExpanded(struct SText* text, const char* piece, size_t length, const char* bundle)
{
    static const char kJavaRoot[] = "$JAVAROOT";
    static const char kAppPackage[] = "$APP_PACKAGE";
    static const char kJavaFolder[] = "/Contents/Resources/Java";
    size_t start = 0;
    for (size_t i = 0; i < length; ++i)
    {
        const size_t rest = length - i;
        const int isRoot = rest >= sizeof(kJavaRoot) - 1 &&
                           strncmp(piece + i, kJavaRoot, sizeof(kJavaRoot) - 1) == 0;
        const int isPackage = rest >= sizeof(kAppPackage) - 1 &&
                              strncmp(piece + i, kAppPackage, sizeof(kAppPackage) - 1) == 0;
        if (!isRoot && !isPackage)
            continue;
        AppendText(text, piece + start, i - start);
        AppendText(text, bundle, strlen(bundle));
        if (isRoot)
            AppendText(text, kJavaFolder, sizeof(kJavaFolder) - 1);
        i += (isRoot ? sizeof(kJavaRoot) : sizeof(kAppPackage)) - 2;
        start = i + 1;
    }
    AppendText(text, piece + start, length - start);
}

const char* TextOf(const struct SText* text)
{
    return text->m_pText != 0 ? text->m_pText : "";
}

void AddArgument(struct SCommandLine* command, struct SText* text)
{
    if (command->m_count + 2 > command->m_capacity)
    {
        command->m_capacity = 2 * (command->m_count + 2);
        command->m_pArguments =
            GrowBlock(command->m_pArguments, command->m_capacity * sizeof(char*));
    }
    if (text->m_pText == 0)
        AppendText(text, "", 0);
    command->m_pArguments[command->m_count++] = text->m_pText;
    command->m_pArguments[command->m_count] = 0;
    text->m_pText = 0;
    text->m_length = 0;
    text->m_capacity = 0;
}
