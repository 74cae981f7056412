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

// The VM's own C runtime, the Universal C Runtime of Java 11 and later: its standard streams,
// told apart by address, and its formatter for the VM's other streams (a -Xlog file).
typedef FILE*(__cdecl* FIob)(unsigned index);
typedef int(__cdecl* FCommonVfprintf)(unsigned long long options, FILE* pStream,
                                      const char* pFormat, void* pLocale, va_list arguments);
struct SVmRuntime
{
    FIob pfnIob;
    FCommonVfprintf pfnVfprintf;
};

SVmRuntime FindVmRuntime()
{
    const HMODULE hRuntime = GetModuleHandleW(L"ucrtbase.dll");
    if (hRuntime == nullptr)
        return {nullptr, nullptr};
    return {reinterpret_cast<FIob>(
                reinterpret_cast<void*>(GetProcAddress(hRuntime, "__acrt_iob_func"))),
            reinterpret_cast<FCommonVfprintf>(
                reinterpret_cast<void*>(GetProcAddress(hRuntime, "__stdio_common_vfprintf")))};
}

// Looked up once, when the hook is given, before the VM can print: the VM prints many lines.
SVmRuntime g_vmRuntime = {nullptr, nullptr};

jint JNICALL PassOnVmPrint(FILE* pStream, const char* pFormat, va_list arguments)
{
    const SVmRuntime& runtime = g_vmRuntime;
    const bool bOutput = pStream == runtime.pfnIob(1);
    // A file of the VM's own is written by its own runtime, as without the hook.
    if (!bOutput && pStream != runtime.pfnIob(2))
        return runtime.pfnVfprintf(0, pStream, pFormat, nullptr, arguments);
    char text[4096];
    // The system's formatter (the VM's formats are C's), cut at the buffer's end.
    const int length = _vsnprintf(text, sizeof(text) - 1, pFormat, arguments);
    const size_t size = length < 0 ? sizeof(text) - 1 : static_cast<size_t>(length);
    text[size] = '\0';
    DWORD written = 0;
    WriteFile(GetStdHandle(bOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), text,
              static_cast<DWORD>(size), &written, nullptr);
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
    // Another runtime (Java 8's) has streams this one cannot tell apart: no hook there.
    g_vmRuntime = FindVmRuntime();
    return g_vmRuntime.pfnIob != nullptr && g_vmRuntime.pfnVfprintf != nullptr ? &PassOnVmPrint
                                                                               : nullptr;
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
