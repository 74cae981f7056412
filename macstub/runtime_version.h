/* Java version numbers as runtimes state them and as a bundle's JVMVersion asks for them. */
#ifndef MACSTUB_RUNTIME_VERSION_H
#define MACSTUB_RUNTIME_VERSION_H

enum
{
    kVersionParts = 4
};

/* 17.0.2 is {17, 0, 2}; 1.8.0_292 is {8, 0, 292}: the "1." of old numbers is dropped. */
struct SJavaVersion
{
    int m_parts[kVersionParts];
    int m_count;
};

/* "17+" is 17 or later, "1.8*" and "11" the versions that begin so; an empty text is any. */
struct SVersionRequirement
{
    struct SJavaVersion m_version;
    int m_orLater;
};

/* Returns 0 when the text is not a requirement. */
int ReadVersionRequirement(const char* text, struct SVersionRequirement* requirement);
/* The JAVA_VERSION of the runtime's release file; no parts when it has none. */
void ReadRuntimeVersion(const char* home, struct SJavaVersion* version);
int MeetsRequirement(const struct SJavaVersion* version,
                     const struct SVersionRequirement* requirement);
/* Below zero, zero or above zero as the left version is older, the same or newer. */
int CompareVersions(const struct SJavaVersion* left, const struct SJavaVersion* right);

#endif
