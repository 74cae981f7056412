// The pieces of a Windows path, the folders above a file, the executable's own path.
#include "base/path_pieces.h"
#include "base/argument_list.h"
#include "base/unique_handle.h"

std::wstring StripLastComponent(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(0, slash);
}

std::wstring FolderWithBackslash(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring LastComponent(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ExecutableBaseName(const std::wstring& executablePath)
{
    const std::wstring name = LastComponent(executablePath);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring WithTrailingBackslash(const std::wstring& path)
{
    if (!path.empty() && path[path.size() - 1] == L'\\')
        return path;
    return path + L"\\";
}

bool HasRoot(const std::wstring& path)
{
    return path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

bool FileExists(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    const CUniqueFind hFind(FindFirstFileW(path.c_str(), &data));
    return hFind.IsValid();
}

std::vector<std::wstring> SplitPathComponents(const std::wstring& path)
{
    static const wchar_t kLongPrefix[] = L"\\\\?\\";
    std::wstring prefix;
    std::wstring rest = path;
    if (rest.compare(0, 4, kLongPrefix) == 0)
    {
        prefix = kLongPrefix;
        rest = rest.substr(4);
    }
    const bool isServer =
        rest.size() >= 3 && rest[0] == L'\\' && rest[1] == L'\\' && rest[2] != L'?';
    const size_t slash = rest.find(L'\\', isServer ? 2 : 0);
    std::vector<std::wstring> components;
    const std::wstring root = prefix + (slash == std::wstring::npos ? rest : rest.substr(0, slash));
    if (!root.empty())
        components.push_back(root);
    if (slash != std::wstring::npos)
    {
        CArgumentList parts;
        SplitString(rest.substr(slash + 1), L"\\", parts);
        for (size_t i = 0; i < parts.Count(); ++i)
            components.push_back(parts.At(i));
    }
    return components;
}

unsigned long EnsureParentFolders(const std::wstring& path)
{
    const bool isAbsolute = !path.empty() && (path[0] == L'\\' || HasRoot(path));
    if (isAbsolute && FileExists(path))
        return 0;
    const std::vector<std::wstring> components = SplitPathComponents(path);
    // A path with a drive or a server starts with that root, which is not made. A path from
    // the current folder (logs\out.txt) or from the current drive's root (\logs\out.txt)
    // starts with its first folder.
    const bool hasRoot = HasRoot(path);
    const size_t firstFolder = hasRoot ? 1 : 0;
    std::wstring folder = hasRoot ? components[0] : std::wstring();
    for (size_t i = firstFolder; i + 1 < components.size(); ++i)
    {
        const bool isFirst = i == 0 && path[0] != L'\\';
        folder += (isFirst ? L"" : L"\\") + components[i];
        if (!CreateDirectoryW(folder.c_str(), nullptr))
        {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS)
                return error;
        }
    }
    return 0;
}

bool ReadModulePath(std::wstring& path)
{
    // A path longer than the classic limit is read whole: a cut one would name a
    // settings file that does not exist.
    DWORD size = MAX_PATH;
    for (;;)
    {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return false;
        if (length < size || size >= 32768)
        {
            path.assign(buffer.data(), length < size ? length : size - 1);
            return true;
        }
        size *= 2;
    }
}
