/* Java version numbers as runtimes state them and as a bundle's JVMVersion asks for them. */
#include "runtime_version.h"

#include "c_library.h"

static int IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

/* Reads the numbers that begin the text, separated by '.' or '_'; returns the rest, or null
   when the text does not begin with a number. */
static const char* ReadNumbers(const char* text, struct SJavaVersion* version)
{
    int parts[kVersionParts + 1];
    int count = 0;
    while (IsDigit(*text))
    {
        int value = 0;
        for (; IsDigit(*text); ++text)
            value = value < 100000 ? 10 * value + (*text - '0') : value;
        if (count <= kVersionParts)
            parts[count++] = value;
        if ((*text != '.' && *text != '_') || !IsDigit(text[1]))
            break;
        ++text;
    }
    if (count == 0)
        return 0;
    const int first = count > 1 && parts[0] == 1 ? 1 : 0;
    version->m_count = 0;
    for (int i = first; i < count && version->m_count < kVersionParts; ++i)
        version->m_parts[version->m_count++] = parts[i];
    return text;
}

int ReadVersionRequirement(const char* text, struct SVersionRequirement* requirement)
{
    requirement->m_version.m_count = 0;
    requirement->m_orLater = 0;
    if (*text == '\0')
        return 1;
    const char* rest = ReadNumbers(text, &requirement->m_version);
    if (rest == 0)
        return 0;
    if (*rest == '+')
        requirement->m_orLater = 1;
    if (*rest == '+' || *rest == '*')
        ++rest;
    return *rest == '\0';
}

void ReadRuntimeVersion(const char* home, struct SJavaVersion* version)
{
    static const char kKey[] = "JAVA_VERSION=\"";
    char path[kLongPathSize];
    version->m_count = 0;
    snprintf(path, sizeof(path), "%s/release", home);
    FILE* release = fopen(path, "r");
    if (release == 0)
        return;
    char line[512];
    while (version->m_count == 0 && fgets(line, sizeof(line), release) != 0)
    {
        if (strncmp(line, kKey, sizeof(kKey) - 1) == 0)
            ReadNumbers(line + sizeof(kKey) - 1, version);
    }
    fclose(release);
}

static int PartOf(const struct SJavaVersion* version, int index)
{
    return index < version->m_count ? version->m_parts[index] : 0;
}

int CompareVersions(const struct SJavaVersion* left, const struct SJavaVersion* right)
{
    for (int i = 0; i < kVersionParts; ++i)
    {
        if (PartOf(left, i) != PartOf(right, i))
            return PartOf(left, i) < PartOf(right, i) ? -1 : 1;
    }
    return 0;
}

int MeetsRequirement(const struct SJavaVersion* version,
                     const struct SVersionRequirement* requirement)
{
    const struct SJavaVersion* wanted = &requirement->m_version;
    if (version->m_count == 0)
        return wanted->m_count == 0;
    if (requirement->m_orLater)
        return CompareVersions(version, wanted) >= 0;
    for (int i = 0; i < wanted->m_count; ++i)
    {
        if (PartOf(version, i) != wanted->m_parts[i])
            return 0;
    }
    return 1;
}
