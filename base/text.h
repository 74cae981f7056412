// Text helpers that know nothing of the launcher: numbers, placeholders, ASCII case and the
// conversions between UTF-16 and code pages.
#ifndef JVMHOST_TEXT_H
#define JVMHOST_TEXT_H

#include <string>
#include <vector>

// Fills the placeholders of format ("%s", "%d", "%%") with values, in order. Numbers are
// passed already printed. A placeholder without a value stays as it is.
std::wstring FormatText(const std::wstring& format, const std::vector<std::wstring>& values);

// A whole number in decimal digits, with "-" in front when negative. (The C runtime's printf
// family, which would do the same, brings 17 KB of floating-point formatting along.)
std::wstring DecimalText(long long value);

inline bool IsAsciiDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Whether value and the literal are equal when A-Z count as a-z (and nothing else is folded).
bool EqualsIgnoringAsciiCase(const std::wstring& value, const wchar_t* pLiteral);

// The text in a code page; characters it lacks become best-fit or default characters.
std::string ToCodePage(const std::wstring& text, unsigned int codePage);
// Bytes that are not text of the code page become U+FFFD.
std::wstring FromCodePage(const std::string& bytes, unsigned int codePage);

// UTF-8, the encoding of the files and records that travel between processes and machines.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

#endif
