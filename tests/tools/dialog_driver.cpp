// The dialog steps of boxwatch.exe.
#include "dialog_driver.h"
#include "../support/message_box_probe.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace
{
const int kBrowseButton = 202;
const DWORD kWaitMs = 10000;

std::string RectJson(const RECT& rect)
{
    return "[" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "]";
}

std::string Text(const std::string& name, const std::string& value)
{
    return "\"" + name + "\":" + value;
}

struct SControlList
{
    HWND hDialog;
    std::map<std::string, int> seen;
    std::string json;
};

BOOL CALLBACK ListControlProc(HWND hControl, LPARAM lParam)
{
    SControlList* pList = reinterpret_cast<SControlList*>(lParam);
    if (GetParent(hControl) != pList->hDialog)
        return TRUE;
    std::string key = std::to_string(GetDlgCtrlID(hControl) & 0xFFFF);
    const int count = ++pList->seen[key];
    if (count > 1)
        key += "/" + std::to_string(count);
    RECT rect = {};
    GetWindowRect(hControl, &rect);
    MapWindowPoints(nullptr, pList->hDialog, reinterpret_cast<POINT*>(&rect), 2);
    pList->json += std::string(pList->json.empty() ? "" : ",") + "\"" + key + "\":{" +
                   Text("class", Json(ClassOf(hControl))) + "," +
                   Text("text", Json(ReadWindowText(hControl))) + "," +
                   Text("enabled", IsWindowEnabled(hControl) ? "true" : "false") + "," +
                   Text("visible", IsWindowVisible(hControl) ? "true" : "false") + "," +
                   Text("rect", RectJson(rect)) + "}";
    return TRUE;
}

std::string ListControls(HWND hDialog)
{
    SControlList list = {hDialog, {}, ""};
    EnumChildWindows(hDialog, ListControlProc, reinterpret_cast<LPARAM>(&list));
    RECT window = {};
    GetWindowRect(hDialog, &window);
    return Text("controls", "{" + list.json + "}") + "," +
           Text("window", "[" + std::to_string(window.right - window.left) + "," +
                              std::to_string(window.bottom - window.top) + "]");
}

// Memory in the dialog's process for tree-view calls that take pointers.
class CRemoteBuffer
{
public:
    explicit CRemoteBuffer(DWORD processId)
        : m_hProcess(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 processId)),
          m_pRemote(m_hProcess != nullptr
                        ? VirtualAllocEx(m_hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE)
                        : nullptr)
    {
    }
    ~CRemoteBuffer()
    {
        if (m_pRemote != nullptr)
            VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
        if (m_hProcess != nullptr)
            CloseHandle(m_hProcess);
    }
    bool IsValid() const { return m_pRemote != nullptr; }

    std::wstring ItemText(HWND hTree, HTREEITEM hItem)
    {
        BYTE* pRemote = static_cast<BYTE*>(m_pRemote);
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = reinterpret_cast<wchar_t*>(pRemote + sizeof(item));
        item.cchTextMax = 260;
        WriteProcessMemory(m_hProcess, pRemote, &item, sizeof(item), nullptr);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pRemote),
                            SMTO_ABORTIFHUNG, 5000, &result);
        wchar_t text[261] = L"";
        ReadProcessMemory(m_hProcess, pRemote + sizeof(item), text, 260 * sizeof(wchar_t), nullptr);
        return text;
    }

private:
    HANDLE m_hProcess;
    void* m_pRemote;
};

HTREEITEM TreeItem(HWND hTree, UINT relation, HTREEITEM hItem)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hTree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(hItem),
                        SMTO_ABORTIFHUNG, 5000, &result);
    return reinterpret_cast<HTREEITEM>(result);
}

// The child of hParent (its children listed first) whose text the test accepts; null when none.
template <typename TTest>
HTREEITEM FindChild(HWND hTree, CRemoteBuffer& buffer, HTREEITEM hParent, TTest accepts,
                    std::wstring& seen)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hParent),
                        SMTO_ABORTIFHUNG, 10000, &result);
    for (HTREEITEM hChild = TreeItem(hTree, TVGN_CHILD, hParent); hChild != nullptr;
         hChild = TreeItem(hTree, TVGN_NEXT, hChild))
    {
        const std::wstring text = buffer.ItemText(hTree, hChild);
        seen += L"|" + text;
        if (accepts(text))
            return hChild;
    }
    return nullptr;
}

BOOL CALLBACK FindTreeProc(HWND hWindow, LPARAM lParam)
{
    if (ClassOf(hWindow) != L"SysTreeView32")
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWindow;
    return FALSE;
}

std::vector<std::wstring> Split(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstringstream stream(path);
    std::wstring part;
    while (std::getline(stream, part, L'\\'))
    {
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// Chooses the folder in the browser's tree and presses OK. Returns an empty text or what
// went wrong.
std::wstring ChooseInBrowser(HWND hBrowser, DWORD processId, const std::wstring& path)
{
    HWND hTree = nullptr;
    EnumChildWindows(hBrowser, FindTreeProc, reinterpret_cast<LPARAM>(&hTree));
    CRemoteBuffer buffer(processId);
    if (hTree == nullptr || !buffer.IsValid())
        return L"no tree view in the folder browser";
    const std::vector<std::wstring> parts = Split(path);
    if (parts.empty())
        return L"empty path";
    // The drive lies below the desktop's computer item: the first item that names it within
    // the first two levels.
    std::wstring seen;
    const std::wstring drive = parts[0];
    auto namesDrive = [&](const std::wstring& text)
    { return SameName(text, drive) || text.find(L"(" + drive + L")") != std::wstring::npos; };
    HTREEITEM hItem = nullptr;
    for (HTREEITEM hTop = TreeItem(hTree, TVGN_ROOT, nullptr); hTop != nullptr && !hItem;
         hTop = TreeItem(hTree, TVGN_NEXT, hTop))
    {
        hItem = FindChild(hTree, buffer, hTop, namesDrive, seen);
        for (HTREEITEM hLevel = TreeItem(hTree, TVGN_CHILD, hTop); hLevel != nullptr && !hItem;
             hLevel = TreeItem(hTree, TVGN_NEXT, hLevel))
            hItem = FindChild(hTree, buffer, hLevel, namesDrive, seen);
    }
    if (hItem == nullptr)
        return L"drive not found among" + seen;
    for (size_t i = 1; i < parts.size(); ++i)
    {
        seen.clear();
        hItem = FindChild(
            hTree, buffer, hItem,
            [&](const std::wstring& text) { return SameName(text, parts[i]); }, seen);
        if (hItem == nullptr)
            return L"no " + parts[i] + L" among" + seen;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem),
                        SMTO_ABORTIFHUNG, 5000, &result);
    PostMessageW(hBrowser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hBrowser, IDOK)));
    for (DWORD waited = 0; IsWindow(hBrowser) && IsWindowVisible(hBrowser); waited += 10)
    {
        if (waited > kWaitMs)
            return L"the folder browser stayed open after OK";
        Sleep(10);
    }
    return L"";
}

std::string Browse(HWND hDialog, DWORD processId, const std::wstring& path)
{
    PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(kBrowseButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, kBrowseButton)));
    HWND hBrowser = nullptr;
    for (DWORD waited = 0; hBrowser == nullptr; waited += 10)
    {
        if (waited > kWaitMs)
            return Text("error", Json(L"waited more than 10 s for the folder browser"));
        Sleep(10);
        hBrowser = FindDialogWindow(processId, hDialog);
    }
    const std::wstring error = ChooseInBrowser(hBrowser, processId, path);
    return Text("error", Json(error));
}

void PostKey(HWND hWindow, UINT key)
{
    PostMessageW(hWindow, WM_KEYDOWN, key, 1);
    PostMessageW(hWindow, WM_KEYUP, key, 0xC0000001);
}

// The two colours a window's area shows most on the screen (its background and, for a text,
// the text's colour), once two readings a moment apart agree.
std::string Colors(HWND hControl)
{
    RECT rect = {};
    GetWindowRect(hControl, &rect);
    std::vector<DWORD> previous;
    std::vector<DWORD> pixels;
    for (int attempt = 0; attempt < 50 && (pixels.empty() || pixels != previous); ++attempt)
    {
        previous = pixels;
        Sleep(50);
        HDC hScreen = GetDC(nullptr);
        pixels = CopyPixels(hScreen, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top);
        ReleaseDC(nullptr, hScreen);
    }
    std::map<DWORD, int> counts;
    for (DWORD pixel : pixels)
        ++counts[pixel & 0xFFFFFF];
    std::vector<std::pair<int, DWORD>> ranked;
    for (const auto& entry : counts)
        ranked.push_back({entry.second, entry.first});
    std::sort(ranked.rbegin(), ranked.rend());
    std::string json;
    for (size_t i = 0; i < ranked.size() && i < 2; ++i)
    {
        char text[8];
        snprintf(text, sizeof(text), "%06lx", static_cast<unsigned long>(ranked[i].second));
        json += std::string(i ? "," : "") + "\"" + text + "\"";
    }
    return Text("colors", "[" + json + "]");
}

bool WriteShot(HWND hDialog, const std::wstring& file)
{
    RECT rect = {};
    GetWindowRect(hDialog, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Sleep(300);
    HDC hScreen = GetDC(nullptr);
    const std::vector<DWORD> pixels = CopyPixels(hScreen, rect.left, rect.top, width, height);
    ReleaseDC(nullptr, hScreen);
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fileHeader = {};
    BITMAPINFOHEADER infoHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(infoHeader);
    fileHeader.bfSize = fileHeader.bfOffBits + rowBytes * height;
    infoHeader.biSize = sizeof(infoHeader);
    infoHeader.biWidth = width;
    infoHeader.biHeight = height;
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 24;
    FILE* pFile = _wfopen(file.c_str(), L"wb");
    if (pFile == nullptr)
        return false;
    fwrite(&fileHeader, sizeof(fileHeader), 1, pFile);
    fwrite(&infoHeader, sizeof(infoHeader), 1, pFile);
    std::vector<BYTE> row(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y)
    {
        for (int x = 0; x < width; ++x)
        {
            const DWORD pixel = pixels[static_cast<size_t>(y) * width + x];
            row[x * 3] = static_cast<BYTE>(pixel);
            row[x * 3 + 1] = static_cast<BYTE>(pixel >> 8);
            row[x * 3 + 2] = static_cast<BYTE>(pixel >> 16);
        }
        fwrite(row.data(), 1, row.size(), pFile);
    }
    fclose(pFile);
    return true;
}

std::string RunStep(HWND hDialog, DWORD processId, const std::wstring& step)
{
    std::wstringstream stream(step);
    std::wstring verb;
    stream >> verb;
    std::wstring rest;
    std::getline(stream, rest);
    rest.erase(0, rest.find_first_not_of(L' '));
    const int id = _wtoi(rest.c_str());
    HWND hControl = GetDlgItem(hDialog, id);
    std::string report = Text("step", Json(step));
    if (verb == L"texts")
        report += "," + ListControls(hDialog);
    else if (verb == L"browse")
        report += "," + Browse(hDialog, processId, rest);
    else if (verb == L"click")
        PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(hControl));
    else if (verb == L"key")
        PostKey(hDialog, rest == L"return" ? VK_RETURN : VK_ESCAPE);
    else if (verb == L"close")
        PostMessageW(hDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (verb == L"link")
    {
        PostMessageW(hControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        PostMessageW(hControl, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    }
    else if (verb == L"char")
        PostMessageW(hControl, WM_CHAR, _wtoi(rest.substr(rest.find(L' ') + 1).c_str()), 1);
    else if (verb == L"resize")
    {
        int dx = 0;
        int dy = 0;
        swscanf(rest.c_str(), L"%d %d", &dx, &dy);
        RECT window = {};
        GetWindowRect(hDialog, &window);
        SetWindowPos(hDialog, nullptr, 0, 0, window.right - window.left + dx,
                     window.bottom - window.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(200);
    }
    else if (verb == L"colors")
        report += "," + Colors(hControl);
    else if (verb == L"shot")
        report += "," + Text("written", WriteShot(hDialog, rest) ? "true" : "false");
    else if (verb == L"waitfile")
    {
        DWORD waited = 0;
        while (GetFileAttributesW(rest.c_str()) == INVALID_FILE_ATTRIBUTES && waited <= kWaitMs)
        {
            Sleep(20);
            waited += 20;
        }
        report += "," + Text("found", waited <= kWaitMs ? "true" : "false");
    }
    else
        report += "," + Text("error", Json(L"unknown step"));
    // Posted input is handled before the next step looks.
    Sleep(100);
    return "{" + report + "}";
}
} // namespace

std::string Json(const std::wstring& text)
{
    std::string out = "\"";
    for (wchar_t c : text)
    {
        if (c == L'"' || c == L'\\')
        {
            out += '\\';
            out += static_cast<char>(c);
        }
        else if (c >= 0x20 && c < 0x7F)
        {
            out += static_cast<char>(c);
        }
        else
        {
            char escape[8];
            snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        }
    }
    return out + "\"";
}

std::string RunDialogSteps(HWND hDialog, DWORD processId, const std::vector<std::wstring>& steps)
{
    std::string json;
    for (const std::wstring& step : steps)
        json += (json.empty() ? "" : ",") + RunStep(hDialog, processId, step);
    return "[" + json + "]";
}
