// The stand-in VM's state: a handful of Java objects, the attached threads, the streams.
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
    ObjectByteStream,
};

struct SObject
{
    EObjectKind kind;
    std::string name;            // class: its slash name; throwable: its class, dotted
    std::u16string text;         // string, char array, byte stream; throwable: the message;
                                 // print stream on a byte stream: its charset
    std::string trace;           // throwable: the stack lines ExceptionDescribe prints
    std::vector<SObject*> items; // object array; print stream: the byte stream it writes to
    HANDLE hFile;                // file stream, print stream
    bool bDeleted;
};

// Ends the process loudly: the launcher used JNI in a way a real VM would not accept.
[[noreturn]] void Fail(const std::string& what);

// Holds the stand-in's one lock while in scope. The launcher's worker threads use the VM while
// the Java main thread runs, so shared state is touched only under it; its holder may take it
// again. Never held while a script sleeps or waits.
class CVmLock
{
public:
    CVmLock();
    ~CVmLock();
    CVmLock(const CVmLock&) = delete;
    CVmLock& operator=(const CVmLock&) = delete;
};

SObject* NewFakeObject(EObjectKind kind, const std::string& name);
// The object behind a reference, checked: known, alive, of that kind.
SObject* Checked(void* reference, EObjectKind kind, const char* pWhere);
// The object behind a reference, checked: known and alive, of whatever kind.
SObject* CheckedAnyKind(void* reference, const char* pWhere);
// Marks a reference deleted, after checking it as Checked does.
void DeleteReference(void* reference, const char* pWhere);

std::string ToUtf8(const std::u16string& text);
std::u16string FromAnsi(const std::string& text);

struct SFakeVm
{
    std::vector<std::string> options;
    DWORD dwCreatorThread = 0;
    // The creating thread counts as attached until it detaches, as with a real VM.
    bool bCreatorAttached = false;
    // The "exit" option's hook, called by System.exit before the process ends.
    void(JNICALL* pfnExitHook)(jint) = nullptr;
    bool bCreated = false;
    bool bDestroyed = false;
    HANDLE hOut = nullptr; // null: the process's own standard handle
    HANDLE hErr = nullptr;
    HANDLE hLingerThread = nullptr;
    std::wstring recordPath;
};

extern SFakeVm g_vm;

// The value of "-Dname=" among the options, or empty.
std::string OptionValue(const std::string& name);

void WriteStream(bool toError, const std::string& text);
void SetPending(const std::string& throwableClass, const std::u16string& message,
                const std::string& trace = std::string());
// The calling thread's pending exception, or null; each thread has its own.
SObject* PendingException();
void ClearPending();

// True on the thread that created the VM and on threads attached to it.
bool IsVmThread();
// The Java name of the calling thread: "main" for the creator, "Thread-<n>" for attached ones.
std::string JavaThreadName();

// Appends a line to the record file.
void RecordLine(const std::string& line);

// System.exit: the exit hook, then the end of the process.
[[noreturn]] void JavaExit(jint code);

// Runs the scripted program of a main class; false when the class has no script.
bool IsScriptedClass(const std::string& name);
void RunScript(const std::string& name, const std::vector<std::u16string>& arguments);

enum ESecondaryForm
{
    SecondaryNone,
    SecondaryVoid, // static void secondaryMain(String[])
    SecondaryInt,  // static int secondaryMain(String[])
};

// Which secondaryMain a scripted class has.
ESecondaryForm SecondaryFormOf(const std::string& name);
// Runs the scripted secondaryMain; the value is the int form's result.
jint RunSecondaryScript(const std::string& name, const std::vector<std::u16string>& arguments);

JNIEnv* FakeEnv();
JavaVM* FakeJavaVm();

#endif
