// A Java version number: four signed 32-bit parts and the count of parts that were read.
#ifndef JVMHOST_JAVA_VERSION_H
#define JVMHOST_JAVA_VERSION_H

#include <string>

// Fill for the parts a text does not give: low for minimum, registry and preferred
// versions, high for maximum versions (1.6 then admits every 1.6 update).
const int kVersionFillLow = 0;
const int kVersionFillHigh = 65535;

class CJavaVersion
{
public:
    static const int kPartCount = 4;

    CJavaVersion() { Clear(); }

    // Reads up to four runs of ASCII digits; whatever lies around and between them only
    // separates parts. False, with 0.0.0.0 and count 0, when no part was read or a part
    // does not fit a signed 32-bit number.
    bool Parse(const std::wstring& text, int fill);
    void Set(int part0, int part1, int part2, int part3);
    void Clear();

    int Compare(const CJavaVersion& other) const;
    bool IsLess(const CJavaVersion& other) const { return Compare(other) < 0; }
    bool IsGreater(const CJavaVersion& other) const { return Compare(other) > 0; }
    bool IsEqual(const CJavaVersion& other) const { return Compare(other) == 0; }
    // Prefix match of a version found on the machine against a preferred version.
    bool Matches(const CJavaVersion& pattern) const;
    // All four parts 0, or all four 65535: no bound was given.
    bool IsUnset() const;
    // Dotted text for messages, at least two parts, trailing 0 and 65535 parts left out.
    std::wstring Format() const;

    int m_parts[kPartCount];
    int m_count;
};

#endif
