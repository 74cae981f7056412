// Writing the launch trace.
#include "launcher/launch_trace.h"
#include "launcher/error_report.h"
#include "launcher/unique_handle.h"

namespace
{
SRWLOCK g_traceLock = SRWLOCK_INIT;
// The trace file, open for appending, for the life of the process.
CUniqueFile g_traceFile;
long long g_traceStart = 0;
bool g_traceOpened = false;

// The performance counter, in microseconds: GetTickCount64 moves in steps of 10 to 16 ms.
long long NowInMicroseconds()
{
    static const long long s_frequency = []
    {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / s_frequency * 1000000 +
           now.QuadPart % s_frequency * 1000000 / s_frequency;
}
} // namespace

void OpenLaunchTrace()
{
    AcquireSRWLockExclusive(&g_traceLock);
    if (!g_traceOpened)
    {
        g_traceOpened = true;
        g_traceStart = NowInMicroseconds();
        wchar_t path[MAX_PATH * 4] = L"";
        const DWORD length = GetEnvironmentVariableW(L"JVMHOST_TRACE", path, MAX_PATH * 4);
        // A launcher and the companion it starts write to the same file, each line whole.
        if (length > 0 && length < MAX_PATH * 4)
            g_traceFile.Reset(CreateFileW(path, FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    ReleaseSRWLockExclusive(&g_traceLock);
}

bool IsTracing()
{
    return g_traceFile.IsValid();
}

void TraceLine(const std::wstring& line)
{
    if (!IsTracing())
        return;
    const std::wstring text = L"[" + DecimalText(GetCurrentProcessId()) + L" +" +
                              DecimalText((NowInMicroseconds() - g_traceStart) / 1000) + L" ms] " +
                              line + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], size,
                            nullptr, nullptr);
    AcquireSRWLockExclusive(&g_traceLock);
    DWORD written = 0;
    WriteFile(g_traceFile.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ReleaseSRWLockExclusive(&g_traceLock);
}

CTraceStep::CTraceStep(const wchar_t* pName) : m_pName(pName), m_start(NowInMicroseconds()) {}

CTraceStep::~CTraceStep()
{
    if (!IsTracing())
        return;
    // Milliseconds with three decimals.
    const long long micro = NowInMicroseconds() - m_start;
    const std::wstring fraction = DecimalText(1000 + micro % 1000).substr(1);
    TraceLine(std::wstring(m_pName) + L": " + DecimalText(micro / 1000) + L"." + fraction + L" ms");
}
