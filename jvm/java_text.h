// Launcher text and Java text: on Windows both are UTF-16, so the units pass unchanged.
#ifndef JVMHOST_JAVA_TEXT_H
#define JVMHOST_JAVA_TEXT_H

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text is UTF-16 here");

inline std::u16string ToJavaText(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

inline std::wstring FromJavaText(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

#endif
