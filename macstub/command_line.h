/* The command line handed to the Java runtime, and the growing texts it is built from. */
#ifndef MACSTUB_COMMAND_LINE_H
#define MACSTUB_COMMAND_LINE_H

#include "c_library.h"

/* A zero-terminated text that grows as pieces are appended. */
struct SText
{
    char* m_pText;
    size_t m_length;
    size_t m_capacity;
};

/* Arguments as a zero-terminated vector, argv style. */
struct SCommandLine
{
    char** m_pArguments;
    int m_count;
    int m_capacity;
};

/* realloc that ends the process with a message when memory is out: the stub cannot go on. */
void* GrowBlock(void* block, size_t size);

void AppendText(struct SText* text, const char* piece, size_t length);
/* Appends the piece with $JAVAROOT (the bundle's Contents/Resources/Java) and $APP_PACKAGE (the
   bundle) replaced. */
void AppendExpanded(struct SText* text, const char* piece, size_t length, const char* bundle);
/* The text so far, never null. */
const char* TextOf(const struct SText* text);

/* Adds the text as one argument and leaves the text empty for the next one. */
void AddArgument(struct SCommandLine* command, struct SText* text);

#endif
