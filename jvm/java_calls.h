// Everything the launcher asks of a running Java VM, in plain JNI: no platform header, so that
// the same code runs in jvmhost.exe and, in the tests, against a real VM on any platform.
// Texts for Java are UTF-16 code units, handed over unchanged.
#ifndef JVMHOST_JAVA_CALLS_H
#define JVMHOST_JAVA_CALLS_H

#include "jvm/jvm_entries.h"
#include "base/vm_option_list.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

// The VM's "vfprintf" hook: everything the VM prints goes through it instead.
typedef jint(JNICALL* PfnPrintHook)(FILE* pStream, const char* pFormat, va_list arguments);

// Creates the VM with the options in list order (JNI 1.2, unrecognised options refused), and
// with the VM's "exit" hook when one is given: it is called with the code of System.exit; and
// its "vfprintf" hook when one is given. Returns the Invocation API's result; on 0 both
// pointers are set.
jint CreateJavaVm(PfnCreateJavaVM pfnCreateJavaVM, const CVmOptionList& options, JavaVM** ppVm,
                  JNIEnv** ppEnv, void(JNICALL* pfnExitHook)(jint) = nullptr,
                  PfnPrintHook pfnPrintHook = nullptr);

// A new Java string made through the char[] constructor; null on failure (the VM's
// exception, if it raised one, stays pending). The result is the only local reference left.
jstring NewJavaString(const std::u16string& text, JNIEnv* pEnv);

// A new String[] with the texts in order; null on failure, as above. However many texts, the
// array is the only local reference left.
jobjectArray NewJavaStringArray(const std::vector<std::u16string>& texts, JNIEnv* pEnv);

// System.exit(-1). Returns only when the VM does not end the process.
void CallSystemExit(JNIEnv* pEnv);

// Opens the file through java.io.FileOutputStream (created or truncated) and installs it with
// the static java.lang.System method setterName ("setOut" or "setErr"), and with the second
// setter too when one is given (one stream for both). False when the stream is not
// installed; an exception may be left pending.
bool RedirectJavaStream(const std::u16string& path, const char* pSetterName, JNIEnv* pEnv,
                        const char* pSecondSetterName = nullptr);

// The exception's stack trace as its own printStackTrace writes it (chained causes included),
// written and read back as UTF-8 whatever the VM's default charset; empty on failure. An
// exception raised on the way is printed; local references are left to the VM.
std::u16string GetExceptionText(jthrowable exception, JNIEnv* pEnv);

// UTF-16 from the VM's modified UTF-8.
std::u16string DecodeModifiedUtf8(const char* pText);

enum EMainCallResult
{
    MainCallReturned,      // main ran; escapedException is its uncaught exception or null
    MainCallNoClassName,   // no Java string could be made of the class name
    MainCallNoNameChars,   // the name's characters could not be had (printed)
    MainCallClassNotFound, // the VM did not find the class (printed)
    MainCallNoMainMethod,  // no main(String[]) and no exception explains it
    MainCallMethodFailed,  // the method lookup failed with an exception (printed)
    MainCallNoArguments,   // the argument array could not be made (printed)
};

struct SMainCall
{
    EMainCallResult result;
    // The class name as the VM was asked for it (slash form), for messages.
    std::u16string className;
    // The exception that escaped main, already printed and cleared; null when none.
    jthrowable escapedException;
};

// Finds the class (slash form) and calls its static main(String[]) with the arguments.
// beforeMain, when given, runs immediately before the call.
SMainCall CallMainMethod(const std::u16string& mainClass,
                         const std::vector<std::u16string>& arguments, JNIEnv* pEnv,
                         void (*pfnBeforeMain)(void*), void* pContext);

enum ESecondaryMainResult
{
    SecondaryMainIntReplied,    // the int form returned and its value was replied
    SecondaryMainVoidReturned,  // 0 was replied, then the void form returned
    SecondaryMainNoClassName,   // no Java string could be made of the class name
    SecondaryMainNoNameChars,   // the name's characters could not be had
    SecondaryMainClassNotFound, // the VM did not find the class
    SecondaryMainNoMethod,      // neither secondaryMain(String[]) form
    SecondaryMainNoArguments,   // the argument array could not be made
    SecondaryMainIntThrew,      // the int form threw: nothing was replied
    SecondaryMainVoidThrew,     // 0 was replied, then the void form threw
};

// Hands the arguments of a later start to the running program: finds the class (slash form) and
// calls its static secondaryMain(String[]), void or int, on the calling thread, which must be
// attached to the VM. The void form is answered with 0 before it runs, so that the later start
// need not wait for it; the int form with its result once it returns. Nothing is replied on
// failure or when the int form throws. Returns with no exception pending (any was printed) and
// no local reference left, as the calling thread may serve many starts.
ESecondaryMainResult CallSecondaryMain(const std::u16string& mainClass,
                                       const std::vector<std::u16string>& arguments, JNIEnv* pEnv,
                                       void (*pfnReply)(void* pContext, jint value),
                                       void* pContext);

#endif
