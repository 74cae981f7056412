// The message of the JRE Not Found dialog: which runtime the application needs.
#ifndef JVMHOST_JRE_NOT_FOUND_MESSAGE_H
#define JVMHOST_JRE_NOT_FOUND_MESSAGE_H

#include "base/java_version.h"

#include <string>

// "latest version", "minimum version 1.6", "version between 1.6 and 1.7", ...
std::wstring DescribeRequiredVersion(const CJavaVersion& minVersion,
                                     const CJavaVersion& maxVersion);

// The whole message, for a server-only launcher or any other.
std::wstring ComposeJreNotFoundMessage(int jvmType, const CJavaVersion& minVersion,
                                       const CJavaVersion& maxVersion);

#endif
