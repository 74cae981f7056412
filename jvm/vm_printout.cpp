// The VM's "vfprintf" hook. The VM hands its own C runtime's streams, which this program's
// runtime cannot write to: the text is formatted here and written to the process's handles.
#include "jvm/vm_printout.h"
#include "base/text.h"

#include <windows.h>

namespace
{
// The reason a box shows is the end of what the VM said: its last lines.
const size_t kKeptCharacters = 1000;

SRWLOCK g_printoutLock = SRWLOCK_INIT;
bool g_bKeeping = false;
std::string g_kept;

// Whether the VM's stream is its standard output: the Universal C Runtime's own streams, which
// the runtimes of Java 11 and later use, are told apart by address.
bool IsVmStandardOutput(FILE* pStream)
{
    typedef FILE*(__cdecl * FIob)(unsigned);
    const HMODULE hRuntime = GetModuleHandleW(L"ucrtbase.dll");
    const FIob pfnIob = hRuntime != nullptr ? reinterpret_cast<FIob>(reinterpret_cast<void*>(
                                                  GetProcAddress(hRuntime, "__acrt_iob_func")))
                                            : nullptr;
    return pfnIob != nullptr && pStream == pfnIob(1);
}

jint JNICALL PassOnVmPrint(FILE* pStream, const char* pFormat, va_list arguments)
{
    char text[4096];
    // The system's formatter (the VM's formats are C's), cut at the buffer's end.
    const int length = _vsnprintf(text, sizeof(text) - 1, pFormat, arguments);
    const size_t size = length < 0 ? sizeof(text) - 1 : static_cast<size_t>(length);
    text[size] = '\0';
    DWORD written = 0;
    WriteFile(GetStdHandle(IsVmStandardOutput(pStream) ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE),
              text, static_cast<DWORD>(size), &written, nullptr);
    AcquireSRWLockExclusive(&g_printoutLock);
    if (g_bKeeping)
    {
        g_kept.append(text, size);
        if (g_kept.size() > kKeptCharacters)
            g_kept.erase(0, g_kept.size() - kKeptCharacters);
    }
    ReleaseSRWLockExclusive(&g_printoutLock);
    return static_cast<jint>(size);
}
} // namespace

PfnPrintHook VmPrintHook()
{
    return &PassOnVmPrint;
}

void StartKeepingVmPrintout()
{
    AcquireSRWLockExclusive(&g_printoutLock);
    g_bKeeping = true;
    g_kept.clear();
    ReleaseSRWLockExclusive(&g_printoutLock);
}

std::wstring StopKeepingVmPrintout()
{
    AcquireSRWLockExclusive(&g_printoutLock);
    g_bKeeping = false;
    std::string kept;
    kept.swap(g_kept);
    ReleaseSRWLockExclusive(&g_printoutLock);
    while (!kept.empty() && (kept.back() == '\n' || kept.back() == '\r'))
        kept.pop_back();
    // The VM writes in the system's code page.
    return FromCodePage(kept, CP_ACP);
}
