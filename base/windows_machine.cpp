// Reading the machine the launcher runs on: files, registry views, environment, memory.
#include "base/windows_machine.h"
#include "base/mapped_image_file.h"
#include "base/path_pieces.h"
#include "base/unique_handle.h"

namespace
{
// Installs for one user live under HKEY_CURRENT_USER, which has one view only.
HKEY RootKey(ERegistryRoot root)
{
    return root == RegistryRootCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

REGSAM ReadAccess(ERegistryView view)
{
    return view == RegistryView32 ? KEY_READ | KEY_WOW64_32KEY : KEY_READ;
}

MEMORYSTATUS ReadMemoryStatus()
{
    MEMORYSTATUS status;
    ZeroMemory(&status, sizeof(status));
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    return status;
}
} // namespace

bool CWindowsMachine::FileExists(const std::wstring& path) const
{
    return ::FileExists(path);
}

std::vector<std::wstring> CWindowsMachine::FindFiles(const std::wstring& pattern) const
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const CUniqueFind hFind(FindFirstFileW(pattern.c_str(), &data));
    if (!hFind)
        return names;
    do
    {
        names.push_back(data.cFileName);
    } while (FindNextFileW(hFind.Get(), &data));
    return names;
}

bool CWindowsMachine::ReadFileStart(const std::wstring& path, size_t maxBytes,
                                    std::string& bytes) const
{
    bytes.clear();
    const CUniqueFile hFile(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!hFile)
        return false;
    // A large bound costs nothing for a small file: the buffer is the file's size and a byte
    // (the file may grow while it is read), within the bound.
    LARGE_INTEGER size;
    const unsigned long long wanted = GetFileSizeEx(hFile.Get(), &size)
                                          ? static_cast<unsigned long long>(size.QuadPart) + 1
                                          : maxBytes;
    maxBytes = wanted < maxBytes ? static_cast<size_t>(wanted) : maxBytes;
    bytes.resize(maxBytes);
    size_t filled = 0;
    while (filled < maxBytes)
    {
        const DWORD chunk =
            static_cast<DWORD>(maxBytes - filled < 0x10000000 ? maxBytes - filled : 0x10000000);
        DWORD read = 0;
        if (!ReadFile(hFile.Get(), &bytes[filled], chunk, &read, nullptr))
            return false;
        if (read == 0)
            break;
        filled += read;
    }
    bytes.resize(filled);
    return true;
}

bool CWindowsMachine::ReadFileStamp(const std::wstring& path, SFileStamp& stamp) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    stamp.m_size = static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.m_writeTime = static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                        data.ftLastWriteTime.dwLowDateTime;
    stamp.m_bFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

bool CWindowsMachine::ReadFileVersion(const std::wstring& path, int (&parts)[4]) const
{
    // The resource is read as data: the library is neither run nor bound to this process.
    const CUniqueModule hModule(LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    const HRSRC hResource = hModule ? FindResourceW(hModule.Get(), MAKEINTRESOURCEW(1),
                                                    MAKEINTRESOURCEW(16)) // RT_VERSION
                                    : nullptr;
    const HGLOBAL hData = hResource ? LoadResource(hModule.Get(), hResource) : nullptr;
    const BYTE* pData = static_cast<const BYTE*>(hData ? LockResource(hData) : nullptr);
    if (pData == nullptr)
        return false;
    const DWORD size = SizeofResource(hModule.Get(), hResource);
    // VS_FIXEDFILEINFO, after the block's header and its key, starts with its signature.
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4)
    {
        VS_FIXEDFILEINFO info;
        memcpy(&info, pData + offset, sizeof(info));
        if (info.dwSignature != 0xFEEF04BD)
            continue;
        parts[0] = HIWORD(info.dwFileVersionMS);
        parts[1] = LOWORD(info.dwFileVersionMS);
        parts[2] = HIWORD(info.dwFileVersionLS);
        parts[3] = LOWORD(info.dwFileVersionLS);
        return true;
    }
    return false;
}

bool CWindowsMachine::ReadImageMachine(const std::wstring& path, unsigned short& machine) const
{
    CMappedImageFile image;
    WORD value = 0;
    if (!image.Open(path) || !image.GetMachine(value))
        return false;
    machine = value;
    return true;
}

std::wstring CWindowsMachine::FullPath(const std::wstring& path) const
{
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    return GetFullPathNameW(path.c_str(), length + 1, buffer.data(), nullptr) != 0 ? buffer.data()
                                                                                   : path;
}

std::wstring CWindowsMachine::ShortPath(const std::wstring& path) const
{
    const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (length == 0)
        return std::wstring();
    std::vector<wchar_t> buffer(length + 1, L'\0');
    if (GetShortPathNameW(path.c_str(), buffer.data(), length + 1) == 0)
        return std::wstring();
    return buffer.data();
}

bool CWindowsMachine::ReadSubkeyNames(ERegistryRoot root, ERegistryView view,
                                      const std::wstring& key,
                                      std::vector<std::wstring>& names) const
{
    names.clear();
    CUniqueRegistryKey hKey;
    if (RegOpenKeyExW(RootKey(root), key.c_str(), 0, ReadAccess(view), hKey.Receive()) !=
        ERROR_SUCCESS)
        return false;
    for (DWORD index = 0;; ++index)
    {
        // A key's name has at most 255 characters.
        wchar_t name[520];
        DWORD length = 520;
        if (RegEnumKeyExW(hKey.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.push_back(std::wstring(name, length));
    }
    return true;
}

bool CWindowsMachine::ReadRegistryString(ERegistryRoot root, ERegistryView view,
                                         const std::wstring& key, const wchar_t* pName,
                                         std::wstring& value) const
{
    value.clear();
    CUniqueRegistryKey hKey;
    if (RegOpenKeyExW(RootKey(root), key.c_str(), 0, ReadAccess(view), hKey.Receive()) !=
        ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(hKey.Get(), pName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return true;
    // Room for a terminating zero that the stored data may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(hKey.Get(), pName, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS)
        value = buffer.data();
    return true;
}

bool CWindowsMachine::ReadVariable(const std::wstring& name, std::wstring& value) const
{
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0)
        return false;
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), buffer.data(), size);
    if (length >= size)
        return false;
    value.assign(buffer.data(), length);
    return true;
}

unsigned short CWindowsMachine::NativeMachine() const
{
    // Windows 10 1709 and later say what the machine is; older ones run on x64 or x86 only.
    typedef BOOL(WINAPI * FIsWow64Process2)(HANDLE, USHORT*, USHORT*);
    const FIsWow64Process2 pfn = reinterpret_cast<FIsWow64Process2>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process2")));
    USHORT process = 0;
    USHORT native = 0;
    if (pfn != nullptr && pfn(GetCurrentProcess(), &process, &native))
        return native;
    return IMAGE_FILE_MACHINE_AMD64;
}

unsigned long long CWindowsMachine::PhysicalMemory() const
{
    return ReadMemoryStatus().dwTotalPhys;
}

unsigned long long CWindowsMachine::FreeAddressSpace() const
{
    return ReadMemoryStatus().dwAvailVirtual;
}
