// UTF-8, the encoding of the files and records that travel between processes and machines.
#ifndef JVMHOST_UTF8_TEXT_H
#define JVMHOST_UTF8_TEXT_H

#include <string>

std::string ToUtf8(const std::wstring& text);

// Bytes that are not UTF-8 become U+FFFD.
std::wstring FromUtf8(const std::string& bytes);

#endif
