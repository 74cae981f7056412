// Packing a later start's arguments into the record's argument area and reading them back.
#include "instance/instance_record.h"
#include "base/text.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// The byte that stands for an empty argument.
const unsigned char kEmptyArgument = 0xFF;

// FNV-1a over the bytes, 32 bits.
DWORD HashBytes(const void* pData, size_t size, DWORD hash = 2166136261u)
{
    const unsigned char* pBytes = static_cast<const unsigned char*>(pData);
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ pBytes[i]) * 16777619u;
    return hash;
}
} // namespace

std::wstring GetInstanceObjectName(const std::wstring& modulePath)
{
    const size_t kMaxPlainName = 240;
    std::wstring name = modulePath;
    std::replace(name.begin(), name.end(), L'\\', L'_');
    if (name.size() <= kMaxPlainName)
        return name;
    // Two halves of different seeds: 64 bits, for paths that differ anywhere.
    const size_t bytes = modulePath.size() * sizeof(wchar_t);
    const DWORD halves[] = {HashBytes(modulePath.data(), bytes),
                            HashBytes(modulePath.data(), bytes, 0x9E3779B9u)};
    std::wstring hashed = L"jvmhost-";
    for (const DWORD half : halves)
        for (int shift = 28; shift >= 0; shift -= 4)
            hashed += L"0123456789abcdef"[(half >> shift) & 15];
    return hashed;
}

DWORD HashInstanceRequest(const unsigned char* pArea, DWORD requesterThreadId)
{
    return HashBytes(&requesterThreadId, sizeof(requesterThreadId),
                     HashBytes(pArea, kInstanceArgumentAreaSize));
}

bool WriteInstanceArguments(const CArgumentList& arguments, unsigned char* pArea)
{
    std::vector<std::string> packed;
    size_t needed = 1;
    // The characters travel as UTF-8: one byte per character would lose every character
    // outside the code page, a file opened from a Cyrillic folder among them.
    for (size_t i = 0; i < arguments.Count(); ++i)
    {
        packed.push_back(arguments.At(i).empty() ? std::string(1, static_cast<char>(kEmptyArgument))
                                                 : ToUtf8(arguments.At(i)));
        needed += packed.back().size() + 1;
    }
    if (needed > kInstanceArgumentAreaSize)
        return false;
    std::memset(pArea, 0, kInstanceArgumentAreaSize);
    size_t position = 0;
    for (const std::string& bytes : packed)
    {
        std::memcpy(pArea + position, bytes.data(), bytes.size());
        position += bytes.size() + 1;
    }
    return true;
}

void ReadInstanceArguments(const unsigned char* pArea, CArgumentList& arguments)
{
    arguments.Clear();
    std::string current;
    for (size_t i = 0; i + 1 < kInstanceArgumentAreaSize; ++i)
    {
        if (pArea[i] != 0)
        {
            current += static_cast<char>(pArea[i]);
            continue;
        }
        const bool isEmpty = current.size() == 1 && current[0] == static_cast<char>(kEmptyArgument);
        arguments.Append(isEmpty ? std::wstring() : FromUtf8(current));
        if (pArea[i + 1] == 0)
            return;
        current.clear();
    }
    // Without two zero bytes in a row, an unterminated remainder is dropped.
}
