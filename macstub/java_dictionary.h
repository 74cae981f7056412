/* The "Java" dictionary of a bundle's Info.plist read into the command line java would get. */
#ifndef MACSTUB_JAVA_DICTIONARY_H
#define MACSTUB_JAVA_DICTIONARY_H

#include "command_line.h"
#include "core_foundation.h"

/* Adds, after argv[0]: -cp and the ClassPath, the VMOptions, -D for each of the Properties, the
   MainClass, the Arguments, then the process's own arguments. Writes what is wrong and returns 0
   when the dictionary cannot be used. */
int BuildJavaCommand(CFDictionaryRef java, const char* bundle, int argc, const char** argv,
                     struct SCommandLine* command);

/* A key of the dictionary: the constant string, and its name for messages. */
#define JAVA_KEY(name) CFSTR(name), name

/* The text of the key (expanded with the bundle's folders), empty when the key is absent.
   Writes what is wrong and returns 0 when the value is not text. */
int ReadJavaText(CFDictionaryRef java, CFStringRef key, const char* name, const char* bundle,
                 struct SText* text);

#endif
