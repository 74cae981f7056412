// Automation helper for the black-box tests. Starts a program, answers every message box it
// shows with OK, and writes what the boxes showed, where the program's splash window stood and
// what it showed, and the program's exit code as JSON:
//   boxwatch.exe REPORT_FILE COMMAND_LINE_FILE TIMEOUT_SECONDS [--steps=FILE] [NAME=VALUE...]
// The command line file holds the exact command line in UTF-8 (no line end). Each NAME=VALUE
// is set in the program's environment (Wine sets some variables, APPDATA among them, anew
// in a process started from Linux, so the case's values are set here).
// The launcher's own dialogs ("JRE Not Found", "Java Exception") are reported like boxes
// (their message or stack trace as the text) and answered with Cancel, unless the steps file
// (UTF-8, one step a line, see dialog_driver.h) has steps for them: each dialog takes the
// steps up to the next line "---", with what they saw reported as its "steps".
// With --window=CLASS, a top-level window of that class (a window of the Java program) counts
// as a dialog too: its title is reported as the caption, the steps run on it, then it is closed.
#include "../support/message_box_probe.h"
#include "dialog_driver.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
std::wstring ReadUtf8File(const wchar_t* path)
{
    std::string bytes;
    FILE* pFile = _wfopen(path, L"rb");
    if (pFile == nullptr)
        return std::wstring();
    char chunk[4096];
    size_t count;
    while ((count = fread(chunk, 1, sizeof(chunk), pFile)) > 0)
        bytes.append(chunk, count);
    fclose(pFile);
    if (bytes.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], length);
    return text;
}

std::string BoxJson(const SMessageBoxInfo& box, const std::string& steps)
{
    std::string buttons;
    for (size_t i = 0; i < box.buttons.size(); ++i)
        buttons += (i ? "," : "") + Json(box.buttons[i]);
    return "{\"caption\":" + Json(box.caption) + ",\"text\":" + Json(box.text) +
           ",\"owner\":" + Json(box.owner) + ",\"icon\":" + Json(box.icon) + ",\"buttons\":[" +
           buttons + "]" + (steps.empty() ? "" : ",\"steps\":" + steps) + "}";
}
// The launcher dialogs' controls that hold their text and their icon.
const int kJreMessageId = 203;
const int kStackTraceId = 208;
const int kDialogIconId = 204;

// The steps file: groups of steps, one group per dialog, separated by "---" lines.
std::vector<std::vector<std::wstring>> ReadStepGroups(const std::wstring& file)
{
    std::vector<std::vector<std::wstring>> groups(1);
    std::wstring text = ReadUtf8File(file.c_str());
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line == L"---")
            groups.emplace_back();
        else if (!line.empty())
            groups.back().push_back(line);
        start = end + 1;
    }
    return groups;
}

// A visible top-level window of that class and process, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* pClassName)
{
    HWND hWindow = nullptr;
    while ((hWindow = FindWindowExW(nullptr, hWindow, pClassName, nullptr)) != nullptr)
    {
        DWORD owner = 0;
        GetWindowThreadProcessId(hWindow, &owner);
        if (owner == processId && IsWindowVisible(hWindow))
            return hWindow;
    }
    return nullptr;
}

// The colours on the screen at the centres of the window's four quadrants (left to right, top
// to bottom), as "rrggbb".
std::string QuadrantColours(const RECT& frame)
{
    std::string colours;
    HDC hScreen = GetDC(nullptr);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    for (int row = 1; row <= 3; row += 2)
    {
        for (int column = 1; column <= 3; column += 2)
        {
            const COLORREF colour =
                GetPixel(hScreen, frame.left + width * column / 4, frame.top + height * row / 4);
            char text[8];
            snprintf(text, sizeof(text), "%02x%02x%02x", GetRValue(colour), GetGValue(colour),
                     GetBValue(colour));
            colours += std::string(colours.empty() ? "" : ",") + "\"" + text + "\"";
        }
    }
    ReleaseDC(nullptr, hScreen);
    return "[" + colours + "]";
}

// What the splash window showed: its frame and class style when first seen visible, then each
// change of what its quadrants show on the screen while it stays up.
struct SSplashWatch
{
    bool seen = false;
    RECT frame = {};
    DWORD classStyle = 0;
    std::vector<std::string> readings;

    void Look(DWORD processId)
    {
        HWND hWindow = FindProcessWindow(processId, L"SplashScreenWindow");
        if (hWindow == nullptr)
            return;
        if (!seen)
        {
            seen = true;
            GetWindowRect(hWindow, &frame);
            classStyle = GetClassLongW(hWindow, GCL_STYLE);
        }
        if (frame.right <= frame.left || frame.bottom <= frame.top)
            return;
        const std::string reading = QuadrantColours(frame);
        if (readings.empty() || readings.back() != reading)
            readings.push_back(reading);
    }

    std::string Json() const
    {
        if (!seen)
            return "null";
        std::string shown;
        for (size_t i = 0; i < readings.size(); ++i)
            shown += (i ? "," : "") + readings[i];
        return "{\"x\":" + std::to_string(frame.left) + ",\"y\":" + std::to_string(frame.top) +
               ",\"width\":" + std::to_string(frame.right - frame.left) +
               ",\"height\":" + std::to_string(frame.bottom - frame.top) +
               ",\"class_style\":" + std::to_string(classStyle) + ",\"readings\":[" + shown + "]}";
    }
};
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
    {
        fprintf(stderr, "usage: boxwatch REPORT_FILE COMMAND_LINE_FILE TIMEOUT_SECONDS "
                        "[NAME=VALUE...]\n");
        return 2;
    }
    std::wstring commandLine = ReadUtf8File(argv[2]);
    const DWORD timeoutMs = wcstoul(argv[3], nullptr, 10) * 1000;
    std::vector<std::vector<std::wstring>> stepGroups;
    std::wstring windowClass;
    for (int i = 4; i < argc; ++i)
    {
        const std::wstring assignment = argv[i];
        if (assignment.compare(0, 8, L"--steps=") == 0)
        {
            stepGroups = ReadStepGroups(assignment.substr(8));
            continue;
        }
        if (assignment.compare(0, 9, L"--window=") == 0)
        {
            windowClass = assignment.substr(9);
            continue;
        }
        const size_t equals = assignment.find(L'=');
        if (equals != std::wstring::npos)
            SetEnvironmentVariableW(assignment.substr(0, equals).c_str(),
                                    assignment.substr(equals + 1).c_str());
    }

    STARTUPINFOW startupInfo = {};
    startupInfo.cb = sizeof(startupInfo);
    PROCESS_INFORMATION processInfo = {};
    // Wine now and then refuses a start while the previous program is still going away.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 5 && !started; ++attempt)
    {
        if (attempt > 0)
            Sleep(200);
        started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startupInfo, &processInfo);
    }
    if (!started)
    {
        fprintf(stderr, "boxwatch: cannot start the program (error %lu)\n", GetLastError());
        return 3;
    }

    std::vector<std::pair<SMessageBoxInfo, std::string>> boxes;
    // The steps of the next dialog, run on it; what they saw.
    auto RunNextSteps = [&](HWND hDialog)
    {
        if (stepGroups.empty())
            return std::string();
        const std::string steps =
            RunDialogSteps(hDialog, processInfo.dwProcessId, stepGroups.front());
        stepGroups.erase(stepGroups.begin());
        // The steps' last input may still be on its way to the dialog.
        for (int i = 0; i < 300 && IsWindow(hDialog) && IsWindowVisible(hDialog); ++i)
            Sleep(10);
        return steps;
    };
    HWND hClosedWindow = nullptr;
    SSplashWatch splash;
    bool timedOut = false;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(processInfo.hProcess, 10) == WAIT_TIMEOUT)
    {
        if (GetTickCount() - start > timeoutMs)
        {
            timedOut = true;
            TerminateProcess(processInfo.hProcess, 0xDEAD);
            WaitForSingleObject(processInfo.hProcess, 5000);
            break;
        }
        splash.Look(processInfo.dwProcessId);
        HWND hBox = FindMessageBox(processInfo.dwProcessId);
        if (hBox == nullptr && !windowClass.empty())
        {
            hBox = FindProcessWindow(processInfo.dwProcessId, windowClass.c_str());
            if (hBox == nullptr || hBox == hClosedWindow)
                continue;
            SMessageBoxInfo window;
            window.caption = ReadWindowText(hBox);
            boxes.push_back({window, RunNextSteps(hBox)});
            PostMessageW(hBox, WM_SYSCOMMAND, SC_CLOSE, 0);
            hClosedWindow = hBox;
            continue;
        }
        if (hBox == nullptr)
            continue;
        const std::wstring caption = ReadWindowText(hBox);
        if (caption != L"JRE Not Found" && caption != L"Java Exception")
        {
            boxes.push_back({ReadMessageBox(hBox), ""});
            PressMessageBoxButton(hBox, IDOK);
            continue;
        }
        const SMessageBoxInfo dialog = ReadDialog(
            hBox, caption == L"JRE Not Found" ? kJreMessageId : kStackTraceId, kDialogIconId);
        boxes.push_back({dialog, RunNextSteps(hBox)});
        if (IsWindow(hBox) && IsWindowVisible(hBox))
            PressMessageBoxButton(hBox, IDCANCEL);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(processInfo.hProcess, &exitCode);

    std::string report = "{\"boxes\":[";
    for (size_t i = 0; i < boxes.size(); ++i)
        report += (i ? "," : "") + BoxJson(boxes[i].first, boxes[i].second);
    report += "],\"exit\":" + std::to_string(exitCode) +
              ",\"timeout\":" + (timedOut ? "true" : "false") + ",\"splash\":" + splash.Json() +
              "}\n";
    FILE* pReport = _wfopen(argv[1], L"wb");
    if (pReport == nullptr)
        return 4;
    fwrite(report.data(), 1, report.size(), pReport);
    fclose(pReport);
    return 0;
}
