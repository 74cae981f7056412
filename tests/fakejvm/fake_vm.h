// The stand-in VM's state: a handful of Java objects, the pending exception, the streams.
#ifndef JVMHOST_TESTS_FAKE_VM_H
#define JVMHOST_TESTS_FAKE_VM_H

#include <windows.h>

#define JNIIMPORT __declspec(dllexport)
#include <jni.h>

#include <string>
#include <vector>

enum EObjectKind
{
    ObjectClass,
    ObjectString,
    ObjectCharArray,
    ObjectArray,
    ObjectFileStream,
    ObjectPrintStream,
    ObjectThrowable,
};

struct SObject
{
    EObjectKind kind;
    std::string name;            // class: its slash name; throwable: its class, dotted
    std::u16string text;         // string, char array; throwable: the message
    std::vector<SObject*> items; // object array
    HANDLE hFile;                // file stream, print stream
    bool bDeleted;
};

// Ends the process loudly: the launcher used JNI in a way a real VM would not accept.
[[noreturn]] void Fail(const std::string& what);

SObject* NewFakeObject(EObjectKind kind, const std::string& name);
// The object behind a reference, checked: known, alive, of that kind.
SObject* Checked(void* reference, EObjectKind kind, const char* pWhere);

std::string ToUtf8(const std::u16string& text);
std::u16string FromAnsi(const std::string& text);

struct SFakeVm
{
    std::vector<std::string> options;
    DWORD dwCreatorThread = 0;
    bool bCreated = false;
    bool bDestroyed = false;
    SObject* pPending = nullptr;
    HANDLE hOut = nullptr; // null: the process's own standard handle
    HANDLE hErr = nullptr;
    HANDLE hLingerThread = nullptr;
    std::wstring recordPath;
};

extern SFakeVm g_vm;

// The value of "-Dname=" among the options, or empty.
std::string OptionValue(const std::string& name);

void WriteStream(bool toError, const std::string& text);
void SetPending(const std::string& throwableClass, const std::u16string& message);

// Runs the scripted program of a main class; false when the class has no script.
bool IsScriptedClass(const std::string& name);
void RunScript(const std::string& name, const std::vector<std::u16string>& arguments);

JNIEnv* FakeEnv();
JavaVM* FakeJavaVm();

#endif
