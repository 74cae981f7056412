// Writing the launch trace.
#include "report/launch_trace.h"
#include "base/text.h"
#include "base/windows_machine.h"
#include "base/unique_handle.h"

namespace
{
SRWLOCK g_traceLock = SRWLOCK_INIT;
// The trace file, open for appending, for the life of the process.
CUniqueFile g_traceFile;
unsigned long long g_traceStart = 0;
unsigned long long g_counterFrequency = 1;
bool g_traceOpened = false;

// The performance counter, in microseconds: GetTickCount64 moves in steps of 10 to 16 ms.
// Unsigned, so that the 32-bit build takes the division it has already.
unsigned long long NowInMicroseconds()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const unsigned long long ticks = static_cast<unsigned long long>(now.QuadPart);
    return ticks / g_counterFrequency * 1000000 +
           ticks % g_counterFrequency * 1000000 / g_counterFrequency;
}
} // namespace

void OpenLaunchTrace()
{
    AcquireSRWLockExclusive(&g_traceLock);
    if (!g_traceOpened)
    {
        g_traceOpened = true;
        LARGE_INTEGER frequency;
        if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
            g_counterFrequency = static_cast<unsigned long long>(frequency.QuadPart);
        g_traceStart = NowInMicroseconds();
        wchar_t path[MAX_PATH * 4] = L"";
        const DWORD length = GetEnvironmentVariableW(L"JVMHOST_TRACE", path, MAX_PATH * 4);
        // A launcher and the pair product it starts write to the same file, each line whole.
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
    const std::wstring text =
        L"[" + DecimalText(GetCurrentProcessId()) + L" +" +
        DecimalText(static_cast<long long>((NowInMicroseconds() - g_traceStart) / 1000)) +
        L" ms] " + line + L"\r\n";
    const std::string utf8 = ToUtf8(text);
    AcquireSRWLockExclusive(&g_traceLock);
    DWORD written = 0;
    WriteFile(g_traceFile.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ReleaseSRWLockExclusive(&g_traceLock);
}

void TraceFileLines(const std::wstring& prefix, const std::wstring& path)
{
    std::string bytes;
    // A log of a few hundred lines; what lies beyond 1 MB is left in the file.
    if (!IsTracing() || path.empty() || !CWindowsMachine().ReadFileStart(path, 1 << 20, bytes))
        return;
    const std::wstring text = FromUtf8(bytes);
    for (size_t start = 0; start < text.size();)
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        TraceLine(prefix + text.substr(start, end - start -
                                                  (end > start && text[end - 1] == L'\r' ? 1 : 0)));
        start = end + 1;
    }
}

void TraceExplanation(const CExplanation& explanation)
{
    for (const std::wstring& line : explanation.Lines())
        TraceLine(line);
}

CTraceStep::CTraceStep(const wchar_t* pName) : m_pName(pName), m_start(NowInMicroseconds()) {}

CTraceStep::~CTraceStep()
{
    if (!IsTracing())
        return;
    // Milliseconds with three decimals.
    const unsigned long long micro = NowInMicroseconds() - m_start;
    const std::wstring fraction = DecimalText(static_cast<long long>(1000 + micro % 1000));
    TraceLine(std::wstring(m_pName) + L": " + DecimalText(static_cast<long long>(micro / 1000)) +
              L"." + (fraction.c_str() + 1) + L" ms");
}
