// Environment references in settings values.
#ifndef JVMHOST_ENVIRONMENT_H
#define JVMHOST_ENVIRONMENT_H

#include <string>

// Replaces every %NAME% by the variable's value; unknown names and lone percent signs stay.
void ExpandEnvironmentReferences(std::wstring& text);

#endif
