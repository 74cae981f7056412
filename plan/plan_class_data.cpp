// The class-data archive: which kind the runtime makes, where the file lives, what names it,
// and the options of the start that writes it and of one that reads it.
#include "plan/plan_class_data.h"
#include "base/argument_list.h"
#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "config/user_settings.h"
#include "jre/jvm_resolution.h"

#include <windows.h>

#include <cstring>

namespace
{
// What the VM logs about its archives; an option that names an unknown tag stops the VM, and
// "aot" is known from Java 25 on.
const wchar_t kQuietDynamic[] = L"-Xlog:cds*=off";
const wchar_t kQuietAheadOfTime[] = L"-Xlog:aot*=off";

bool StartsWithAny(const std::wstring& text, std::initializer_list<const wchar_t*> prefixes)
{
    for (const wchar_t* pPrefix : prefixes)
    {
        if (text.compare(0, wcslen(pPrefix), pPrefix) == 0)
            return true;
    }
    return false;
}

// Options with which the program chooses its own archive, or none: they are left alone.
bool ChoosesOwnArchive(const std::wstring& option)
{
    return StartsWithAny(option, {L"-Xshare", L"-XX:SharedArchiveFile", L"-XX:ArchiveClassesAtExit",
                                  L"-XX:+AutoCreateSharedArchive", L"-XX:-AutoCreateSharedArchive",
                                  L"-XX:AOT", L"-XX:+AOT", L"-XX:-AOT"});
}

// Options that change what the VM archives, or whether it can map an archive: heap and
// collector choices, module options, -XX flags.
bool ShapesArchive(const std::wstring& option)
{
    return StartsWithAny(option, {L"-XX:", L"-Xm", L"--", L"-Djdk.module."});
}

// 64-bit FNV-1a over the text's UTF-16 code units: the archive's name.
class CArchiveHash
{
public:
    void Add(const std::wstring& text)
    {
        for (wchar_t c : text)
            AddUnit(static_cast<unsigned>(c));
        // A separator, so that "ab","c" and "a","bc" differ.
        AddUnit(0);
    }
    void Add(const SFileStamp& stamp)
    {
        for (int shift = 0; shift < 64; shift += 16)
        {
            AddUnit(static_cast<unsigned>(stamp.m_size >> shift) & 0xFFFF);
            AddUnit(static_cast<unsigned>(stamp.m_writeTime >> shift) & 0xFFFF);
        }
    }
    std::wstring Hex() const
    {
        std::wstring text;
        for (int shift = 60; shift >= 0; shift -= 4)
            text += L"0123456789abcdef"[(m_value >> shift) & 15];
        return text;
    }

private:
    void AddUnit(unsigned unit)
    {
        m_value = (m_value ^ (unit & 0xFF)) * 0x100000001B3ULL;
        m_value = (m_value ^ (unit >> 8)) * 0x100000001B3ULL;
    }

    unsigned long long m_value = 0xCBF29CE484222325ULL;
};

// Java's feature number: 8 for 1.8, 21 for 21.0.2.
int FeatureNumber(const CJavaVersion& version)
{
    return version.m_parts[0] == 1 ? version.m_parts[1] : version.m_parts[0];
}

// Why a launch has no archive; empty when it may have one. Adds what names the archive to hash.
std::wstring CheckRuntime(const SPlanInput& input, const SRuntimeChoice& runtime,
                          EClassDataKind& kind, CArchiveHash& hash)
{
    const CMachineView& machine = *input.m_pMachine;
    CJavaVersion version = runtime.m_version;
    if (version.m_count == 0 &&
        !ReadRuntimeVersion(machine, runtime.m_home, runtime.m_jvmLibraryPath, version))
        return L"the runtime's version is not known";
    const int feature = FeatureNumber(version);
    // Java 19 made the dynamic archive one that the VM keeps up to date by itself; Java 25 made
    // the ahead-of-time cache in one step.
    if (feature < 19)
        return L"Java " + version.Format() + L" makes no archive of an application by itself";
    // OpenJ9 shares classes its own way, and stops at the HotSpot options.
    if (machine.FileExists(runtime.m_home + L"bin\\j9vm") ||
        machine.FileExists(runtime.m_home + L"lib\\j9vm"))
        return L"an OpenJ9 runtime";
    kind = feature >= 25 ? ClassDataAheadOfTimeCache : ClassDataDynamicArchive;
    SFileStamp stamp;
    if (!machine.ReadFileStamp(runtime.m_jvmLibraryPath, stamp))
        return L"the runtime's library cannot be read";
    hash.Add(runtime.m_home);
    hash.Add(version.Format());
    hash.Add(stamp);
    if (kind == ClassDataAheadOfTimeCache)
        return std::wstring();
    // A dynamic archive lies on top of the base archive it was made with.
    const std::wstring baseArchive = FolderWithBackslash(runtime.m_jvmLibraryPath) + L"classes.jsa";
    if (!machine.ReadFileStamp(baseArchive, stamp))
        return L"the runtime has no base archive " + baseArchive;
    hash.Add(stamp);
    return std::wstring();
}

// The archives take jars only: the VM refuses to archive a class path with a folder on it.
std::wstring CheckClassPath(const CMachineView& machine, const std::wstring& classPath,
                            CArchiveHash& hash)
{
    CArgumentList entries;
    SplitString(classPath, L";", entries);
    for (size_t i = 0; i < entries.Count(); ++i)
    {
        const std::wstring& entry = entries.At(i);
        if (entry.empty())
            continue;
        SFileStamp stamp;
        if (!machine.ReadFileStamp(entry, stamp))
            return L"the class path entry " + entry + L" is not there";
        if (stamp.m_bFolder)
            return L"a folder on the class path: " + entry;
        hash.Add(entry);
        hash.Add(stamp);
    }
    return std::wstring();
}

// %LOCALAPPDATA%\<Product Name>\<Product Code>\cds\, with the executable's name for a product
// without one, so that no two applications share the folder; empty when it cannot be named.
std::wstring ArchiveFolder(const SPlanInput& input, std::wstring& why)
{
    const SLaunchSettings& settings = *input.m_pSettings;
    std::wstring folder;
    if (!input.m_pMachine->ReadVariable(L"LOCALAPPDATA", folder) || !HasRoot(folder))
    {
        why = L"LOCALAPPDATA names no folder";
        return std::wstring();
    }
    const std::wstring product = FilterProductFolderName(settings.m_productName);
    folder = WithTrailingBackslash(folder) +
             (product.empty() ? ExecutableBaseName(input.m_modulePath) : product) + L"\\";
    const std::wstring code = FilterProductFolderName(settings.m_productCode);
    if (!code.empty())
        folder += code + L"\\";
    folder += L"cds\\";
    // The VM takes the path in its code page: an existing folder may have a short form that
    // survives it.
    const std::wstring safe = AnsiSafePath(*input.m_pMachine, folder);
    if (!SurvivesNarrowing(safe))
    {
        why = L"the folder " + folder + L" cannot be named in the VM's code page";
        return std::wstring();
    }
    return safe;
}

// Every archive in the folder but the one planned and the newest other one, with their logs.
void ListOlderArchives(const CMachineView& machine, SClassDataPlan& classData)
{
    std::vector<std::wstring> others;
    std::wstring newest;
    unsigned long long newestTime = 0;
    const std::wstring name = LastComponent(classData.m_archive);
    for (const wchar_t* pPattern : {L"*.jsa", L"*.aot"})
    {
        for (const std::wstring& found : machine.FindFiles(classData.m_folder + pPattern))
        {
            SFileStamp stamp;
            if (EqualsIgnoringAsciiCase(found, name.c_str()) ||
                !machine.ReadFileStamp(classData.m_folder + found, stamp))
                continue;
            if (newest.empty() || stamp.m_writeTime > newestTime)
            {
                newest = found;
                newestTime = stamp.m_writeTime;
            }
            others.push_back(found);
        }
    }
    for (const std::wstring& other : others)
    {
        if (other == newest)
            continue;
        for (const std::wstring& file : machine.FindFiles(classData.m_folder + other + L"*"))
            classData.m_filesToDelete.push_back(classData.m_folder + file);
    }
}

// Whether the VM's log of the last start that read the cache says it could not use it.
bool WasRefused(const CMachineView& machine, const std::wstring& log)
{
    std::string text;
    return machine.ReadFileStart(log, 1 << 16, text) &&
           (strstr(text.c_str(), "][warning]") != nullptr ||
            strstr(text.c_str(), "][error") != nullptr);
}

// -Xlog's own syntax: the file's name in quotes, whole lines of the tags at that level.
std::wstring LogOption(const wchar_t* pTags, const std::wstring& file)
{
    return std::wstring(L"-Xlog:") + pTags + L":file=\"" + file + L"\"::filecount=0";
}

void AddOptions(CVmOptionList& list, std::initializer_list<std::wstring> options)
{
    for (const std::wstring& option : options)
    {
        if (!option.empty())
            list.Append(NarrowForVm(option));
    }
}

void PlanDynamicArchive(const SPlanInput& input, SClassDataPlan& classData, CExplanation& reasons)
{
    const std::wstring& archive = classData.m_archive;
    const std::wstring log = input.m_bExplain
                                 ? LogOption(L"cds=info,cds+dynamic=info", classData.m_vmLog)
                                 : std::wstring();
    // The writer's VM maps the archive when it can and writes it anew at its end when it
    // cannot: missing, refused or cut short by a start that was killed.
    AddOptions(classData.m_writerOptions, {L"-XX:SharedArchiveFile=" + archive,
                                           L"-XX:+AutoCreateSharedArchive", kQuietDynamic, log});
    if (input.m_pMachine->FileExists(classData.m_archive))
        AddOptions(classData.m_readerOptions,
                   {L"-XX:SharedArchiveFile=" + archive, kQuietDynamic, log});
    reasons.Add(L"class data sharing: dynamic archive " + classData.m_archive +
                L", written by the start that holds its lock");
}

void PlanAheadOfTimeCache(const SPlanInput& input, SClassDataPlan& classData, CExplanation& reasons)
{
    const CMachineView& machine = *input.m_pMachine;
    const std::wstring& archive = classData.m_archive;
    // A start that reads the cache logs what the VM thought of it: the next start deletes a
    // cache the VM could not use and makes it again.
    const std::wstring readLog = classData.m_archive + L".log";
    if (machine.FileExists(classData.m_archive) && !WasRefused(machine, readLog))
    {
        classData.m_vmLog = readLog;
        AddOptions(classData.m_readerOptions,
                   {L"-XX:AOTCache=" + archive, kQuietDynamic, kQuietAheadOfTime,
                    LogOption(input.m_bExplain ? L"aot=info,cds=info" : L"aot=warning,cds=warning",
                              readLog)});
        reasons.Add(L"class data sharing: ahead-of-time cache " + classData.m_archive + L", used");
        return;
    }
    if (machine.FileExists(classData.m_archive))
    {
        classData.m_filesToDelete.push_back(classData.m_archive);
        classData.m_filesToDelete.push_back(readLog);
        reasons.Add(L"class data sharing: the VM could not use " + classData.m_archive + L" (" +
                    readLog + L"): it is made again");
    }
    // At its end the VM starts the runtime's java to write the cache, and waits for it.
    AddOptions(
        classData.m_writerOptions,
        {L"-XX:AOTCacheOutput=" + archive, kQuietDynamic, kQuietAheadOfTime,
         input.m_bExplain ? LogOption(L"aot=info,cds=info", classData.m_vmLog) : std::wstring()});
    reasons.Add(L"class data sharing: ahead-of-time cache " + classData.m_archive +
                L", written when the program ends by the start that holds its lock");
}
} // namespace

void PlanClassData(const SPlanInput& input, const std::wstring& classPath, SLaunchPlan& plan)
{
    if (!input.m_pSettings->m_bClassDataSharing)
        return;
    CExplanation& reasons = plan.m_javaReasons;
    std::vector<std::wstring> options;
    for (size_t i = 0; i < plan.m_java.m_vmOptions.Count(); ++i)
    {
        options.push_back(FromCodePage(plan.m_java.m_vmOptions.At(i), CP_THREAD_ACP));
        if (ChoosesOwnArchive(options.back()))
        {
            reasons.Add(L"class data sharing: none, the VM parameters choose their own (" +
                        options.back() + L")");
            return;
        }
    }
    CArchiveHash hash;
    EClassDataKind kind = ClassDataNone;
    std::wstring why = CheckRuntime(input, plan.m_runtime, kind, hash);
    if (why.empty())
        why = CheckClassPath(*input.m_pMachine, classPath, hash);
    const std::wstring folder = why.empty() ? ArchiveFolder(input, why) : std::wstring();
    if (!why.empty())
    {
        reasons.Add(L"class data sharing: none, " + why);
        return;
    }
    for (const std::wstring& option : options)
    {
        if (ShapesArchive(option))
            hash.Add(option);
    }
    SClassDataPlan& classData = plan.m_java.m_classData;
    classData.m_kind = kind;
    classData.m_folder = folder;
    classData.m_archive =
        folder + hash.Hex() + (kind == ClassDataAheadOfTimeCache ? L".aot" : L".jsa");
    classData.m_vmLog = input.m_bExplain ? classData.m_archive + L".trace.log" : std::wstring();
    ListOlderArchives(*input.m_pMachine, classData);
    if (kind == ClassDataDynamicArchive)
        PlanDynamicArchive(input, classData, reasons);
    else
        PlanAheadOfTimeCache(input, classData, reasons);
}
