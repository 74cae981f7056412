// Memory sizes given as a share of the machine's memory, and stack sizes.
#include "plan/memory_options.h"
#include "base/text.h"

size_t ReadNumberList(const std::wstring& text, std::vector<unsigned long long>& numbers)
{
    numbers.clear();
    size_t start = 0;
    while (start < text.size() && !IsAsciiDigit(text[start]) && text[start] != L':')
        ++start;
    if (start == text.size())
        return start;
    numbers.push_back(0);
    for (size_t i = start; i + 1 < text.size(); ++i)
    {
        if (IsAsciiDigit(text[i]))
            numbers.back() = numbers.back() * 10 + (text[i] - L'0');
        else if (text[i] == L':')
            numbers.push_back(0);
    }
    return start;
}

unsigned long long UnitMultiplier(const std::wstring& text)
{
    switch (text.empty() ? L'\0' : text[text.size() - 1])
    {
        case L'k':
        case L'K':
            return 1024ULL;
        case L'm':
        case L'M':
            return 1048576ULL;
        case L'g':
        case L'G':
            return 1073741824ULL;
        default:
            return 1;
    }
}

bool IsMemoryPercentOption(const std::wstring& token)
{
    if (token.size() < 5)
        return false;
    const std::wstring prefix = token.substr(0, 4);
    if (prefix != L"-Xms" && prefix != L"-Xmx" && prefix != L"-Xss")
        return false;
    const wchar_t last = token[token.size() - 1];
    return last == L'P' || last == L'p' || last == L'T' || last == L't';
}

void ExpandMemoryPercentageOf(std::wstring& token, unsigned long long basis)
{
    std::vector<unsigned long long> numbers;
    const size_t start = ReadNumberList(token, numbers);
    const unsigned long long percent = numbers.size() > 0 ? numbers[0] : 0;
    const unsigned long long lower = numbers.size() > 1 ? numbers[1] : 0;
    const unsigned long long upper = numbers.size() > 2 ? numbers[2] : 0;
    const unsigned long long kilobytes = basis / 1024;
    unsigned long long size =
        static_cast<unsigned long long>(static_cast<double>(kilobytes) * (percent / 100.0));
    if (upper != 0 && size > upper * 1024)
        size = upper * 1024;
    if (lower * 1024 > size)
        size = lower * 1024;
    token = token.substr(0, start) + DecimalText(static_cast<long long>(size)) + L"K";
}

void ExpandMemoryPercentage(std::wstring& token, const CMachineView& machine)
{
    const wchar_t last = token.empty() ? L'\0' : token[token.size() - 1];
    const bool addressSpace = last == L'T' || last == L't';
    ExpandMemoryPercentageOf(token,
                             addressSpace ? machine.FreeAddressSpace() : machine.PhysicalMemory());
}

unsigned long long ParseStackSize(const std::wstring& value)
{
    if (value.empty() || !IsAsciiDigit(value[0]))
        return 0;
    if (value.find(L':') < value.size() - 1)
        return 0;
    unsigned long long number = 0;
    for (wchar_t c : value)
    {
        if (IsAsciiDigit(c))
            number = number * 10 + (c - L'0');
    }
    return number * UnitMultiplier(value);
}
