#include "config/path_pieces.h"

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

std::wstring WithTrailingBackslash(const std::wstring& path)
{
    if (!path.empty() && path[path.size() - 1] == L'\\')
        return path;
    return path + L"\\";
}
