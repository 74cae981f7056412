#include "base/java_version.h"
#include "base/text.h"

bool CJavaVersion::Parse(const std::wstring& text, int fill)
{
    Clear();
    size_t position = 0;
    while (position < text.size() && !IsAsciiDigit(text[position]))
        ++position;
    if (position == text.size())
        return false;
    int count = 0;
    while (count < kPartCount && position < text.size())
    {
        long long value = 0;
        while (position < text.size() && IsAsciiDigit(text[position]))
        {
            value = value * 10 + (text[position] - L'0');
            if (value > 2147483647LL)
            {
                Clear();
                return false;
            }
            ++position;
        }
        m_parts[count++] = static_cast<int>(value);
        while (position < text.size() && !IsAsciiDigit(text[position]))
            ++position;
    }
    m_count = count;
    for (int i = count; i < kPartCount; ++i)
        m_parts[i] = fill;
    return true;
}

void CJavaVersion::Set(int part0, int part1, int part2, int part3)
{
    m_parts[0] = part0;
    m_parts[1] = part1;
    m_parts[2] = part2;
    m_parts[3] = part3;
    m_count = kPartCount;
}

void CJavaVersion::Clear()
{
    for (int i = 0; i < kPartCount; ++i)
        m_parts[i] = 0;
    m_count = 0;
}

int CJavaVersion::Compare(const CJavaVersion& other) const
{
    for (int i = 0; i < kPartCount; ++i)
    {
        if (m_parts[i] != other.m_parts[i])
            return m_parts[i] < other.m_parts[i] ? -1 : 1;
    }
    return 0;
}

bool CJavaVersion::Matches(const CJavaVersion& pattern) const
{
    if (IsEqual(pattern))
        return true;
    const int count = pattern.m_count;
    if (count == 0 || count > m_count)
        return false;
    for (int i = 0; i < count; ++i)
    {
        if (m_parts[i] != pattern.m_parts[i])
            return false;
    }
    return true;
}

bool CJavaVersion::IsUnset() const
{
    bool allLow = true;
    bool allHigh = true;
    for (int i = 0; i < kPartCount; ++i)
    {
        allLow = allLow && m_parts[i] == kVersionFillLow;
        allHigh = allHigh && m_parts[i] == kVersionFillHigh;
    }
    return allLow || allHigh;
}

std::wstring CJavaVersion::Format() const
{
    int last = -1;
    for (int i = 0; i < kPartCount; ++i)
    {
        if (m_parts[i] != kVersionFillLow && m_parts[i] != kVersionFillHigh)
            last = i;
    }
    if (last < 0)
        return L"0.0.0.0";
    if (last == 0)
        last = 1;
    std::wstring text;
    for (int i = 0; i <= last; ++i)
        text += (i ? L"." : L"") + DecimalText(m_parts[i]);
    return text;
}
