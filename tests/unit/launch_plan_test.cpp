// The launch plan as a table: settings and a machine of facts give the plan's fields, with no
// process started. Each row's settings follow "[Java Runtime Environment]" and "Main
// Class=app.Main"; the executable is C:\App\tool.exe; a row lists only the fields it checks
// ("field: value"), and "trace: LINE" asks for a line of the plan's reasons.
#include "base/text.h"
#include "config/launch_settings.h"
#include "plan/plan_launch.h"
#include "plan/process_plan.h"
#include "report/error_report.h"
#include "table_machine.h"
#include "test_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

namespace
{
struct SPlanRow
{
    const char* pName;
    const char* pSettings;
    const wchar_t* pFacts;
    const wchar_t* pExpected;
    // The command line after the program's name.
    const wchar_t* pArguments = L"";
    // The library picked in the JRE Not Found dialog, when the search found none.
    const wchar_t* pChosenLibrary = nullptr;
    // The console launcher plans.
    bool bConsole = false;
    // The processor the launcher is built for.
    unsigned short launcherMachine = IMAGE_FILE_MACHINE_AMD64;
};

std::wstring Joined(const CVmOptionList& options)
{
    std::wstring text;
    for (size_t i = 0; i < options.Count(); ++i)
        text += (i == 0 ? L"" : L" ") + FromCodePage(options.At(i), CP_THREAD_ACP);
    return text;
}

// The plan's fields as the rows name them.
std::map<std::wstring, std::wstring> Describe(const SLaunchPlan& plan)
{
    static const wchar_t* const kSources[] = {L"none",     L"JRE Path", L"beside the executable",
                                              L"registry", L"modern",   L"user"};
    static const wchar_t* const kSplashes[] = {L"none", L"runtime library", L"window"};
    const SRuntimeChoice& runtime = plan.m_runtime;
    const SJavaStart& java = plan.m_java;
    std::map<std::wstring, std::wstring> fields = {
        {L"runtime", runtime.m_source == RuntimeSourceNone ? L"none" : runtime.m_jvmLibraryPath},
        {L"source", std::wstring(kSources[runtime.m_source]) +
                        (runtime.m_view == RegistryView32 ? L" 32-bit" : L"")},
        {L"version", runtime.m_version.m_count > 0 ? runtime.m_version.Format() : L""},
        {L"pair product", runtime.m_bRunPairProduct ? runtime.m_pairProductPath : L"no"},
        {L"options", DecimalText(static_cast<long long>(java.m_vmOptions.Count()))},
        {L"stack", DecimalText(static_cast<long long>(java.m_mainThreadStackSize))},
        {L"output", java.m_redirection.m_outputFile},
        {L"error", java.m_redirection.m_errorFile},
        {L"one file", java.m_redirection.m_bOneFile ? L"yes" : L"no"},
        {L"splash", kSplashes[plan.m_splash.m_kind]},
        {L"splash library", plan.m_splash.m_runtimeLibrary},
        {L"shadow", plan.m_splash.m_bShadow ? L"yes" : L"no"},
        {L"process end", java.m_processEnd == ProcessEndByLauncher ? L"launcher" : L"java program"},
        {L"ask after exception", java.m_bAskAfterException ? L"yes" : L"no"},
    };
    static const wchar_t* const kClassData[] = {L"none", L"dynamic", L"ahead-of-time"};
    const SClassDataPlan& classData = java.m_classData;
    fields[L"class data"] = kClassData[classData.m_kind];
    fields[L"archive"] = classData.m_archive;
    fields[L"writer"] = Joined(classData.m_writerOptions);
    fields[L"reader"] = Joined(classData.m_readerOptions);
    std::wstring deleted;
    for (const std::wstring& file : classData.m_filesToDelete)
        deleted += (deleted.empty() ? L"" : L" | ") + file;
    fields[L"delete"] = deleted;
    for (const SEnvironmentVariable& variable : plan.m_environment)
        fields[L"env " + variable.m_name] = variable.m_value;
    for (size_t i = 0; i < java.m_vmOptions.Count(); ++i)
        fields[L"option " + DecimalText(static_cast<long long>(i + 1))] =
            FromCodePage(java.m_vmOptions.At(i), CP_THREAD_ACP);
    std::wstring arguments;
    for (size_t i = 0; i < java.m_mainArguments.Count(); ++i)
        arguments += (i == 0 ? L"" : L" | ") + java.m_mainArguments.At(i);
    fields[L"arguments"] = arguments;
    const SMessage& failure =
        plan.m_environmentFailure.IsSet() ? plan.m_environmentFailure : plan.m_javaFailure;
    fields[L"failure"] =
        failure.IsSet() ? FormatText(LoadText(failure.m_textId), failure.m_values) : L"";
    return fields;
}

std::vector<std::wstring> TraceOf(const SLaunchPlan& plan)
{
    std::vector<std::wstring> lines;
    for (const CExplanation* pReasons : {&plan.m_runtimeReasons, &plan.m_environmentReasons,
                                         &plan.m_splashReasons, &plan.m_javaReasons})
        lines.insert(lines.end(), pReasons->Lines().begin(), pReasons->Lines().end());
    return lines;
}

void CheckRow(const SPlanRow& row)
{
    SCOPED_TRACE(row.pName);
    const std::wstring file = NewScratchFolder() + L"tool.ini";
    // With a byte-order mark, so that the profile reader takes the text as UTF-8.
    WriteTextFile(file, std::string("\xEF\xBB\xBF[Java Runtime Environment]\r\nMain Class=app.Main"
                                    "\r\n") +
                            row.pSettings);
    SLaunchSettings settings;
    ASSERT_TRUE(ReadLaunchSettings(file, L"C:\\App\\tool.exe", settings));
    const CTableMachine machine(row.pFacts);
    CArgumentList arguments;
    SplitArguments(row.pArguments, arguments);
    const SPlanInput input = {&settings, &arguments,   L"C:\\App\\tool.exe", &machine,
                              true,      row.bConsole, row.launcherMachine};
    SLaunchPlan plan;
    PlanLaunch(input, plan);
    SProcessPlan process;
    PlanProcess(settings, machine, true, process);
    if (row.pChosenLibrary != nullptr)
    {
        ASSERT_EQ(plan.m_runtime.m_source, RuntimeSourceNone);
        PlanLaunchOnChosenRuntime(input, L"", row.pChosenLibrary, plan);
    }
    std::map<std::wstring, std::wstring> fields = Describe(plan);
    std::wstring codes;
    for (DWORD code : process.m_restartCodes)
        codes += (codes.empty() ? L"" : L" ") + DecimalText(static_cast<long long>(code));
    fields[L"restart codes"] = codes;
    fields[L"supervise"] = process.m_bSupervise ? L"yes" : process.m_bSupervised ? L"child" : L"no";
    fields[L"app id"] = process.m_appUserModelId;
    fields[L"process failure"] =
        process.m_failure.IsSet()
            ? FormatText(LoadText(process.m_failure.m_textId), process.m_failure.m_values)
            : L"";
    std::vector<std::wstring> trace = TraceOf(plan);
    trace.insert(trace.end(), process.m_reasons.Lines().begin(), process.m_reasons.Lines().end());
    CArgumentList expected;
    SplitString(row.pExpected, L"\n", expected);
    for (size_t i = 0; i < expected.Count(); ++i)
    {
        const std::wstring& line = expected.At(i);
        const size_t colon = line.find(L": ");
        ASSERT_NE(colon, std::wstring::npos) << ToUtf8(line);
        const std::wstring field = line.substr(0, colon);
        const std::wstring value = line.substr(colon + 2);
        if (field == L"trace")
        {
            EXPECT_NE(std::find(trace.begin(), trace.end(), value), trace.end())
                << "no trace line " << ToUtf8(value);
            continue;
        }
        const auto found = fields.find(field);
        EXPECT_EQ(ToUtf8(found == fields.end() ? L"<none>" : found->second), ToUtf8(value))
            << "field " << ToUtf8(field);
    }
}

const SPlanRow kRuntimeRows[] = {
    {"jre_path_gets_its_backslash_and_is_used_outside_the_version_window",
     "Minimum Version=9\nJRE Path=C:\\Rt\n", L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"runtime: C:\\Rt\\bin\\client\\jvm.dll\nsource: JRE Path\npair product: no\n"
     L"trace: JRE Path C:\\Rt: C:\\Rt\\bin\\client\\jvm.dll"},
    {"jre_path_without_a_library_falls_through_to_the_runtime_beside_the_executable",
     "JRE Path=C:\\Empty\\\n",
     L"file C:\\Empty\\bin\\java.dll\nfile C:\\App\\bin\\java.dll\n"
     L"file C:\\App\\bin\\hotspot\\jvm.dll",
     L"runtime: C:\\App\\bin\\hotspot\\jvm.dll\nsource: beside the executable\n"
     L"trace: JRE Path C:\\Empty\\: no JVM of the configured type"},
    {"server_type_takes_the_server_vm_and_favor_server_falls_back",
     "JVM Type=favor_server\nJRE Path=C:\\Rt\n", L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"runtime: C:\\Rt\\bin\\client\\jvm.dll"},
    {"server_type_refuses_a_client_only_runtime", "JVM Type=server\nJRE Path=C:\\Rt\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll", L"runtime: none"},
    {"jre64_beside_the_executable", "",
     L"file C:\\App\\jre64\\bin\\java.dll\nfile C:\\App\\jre64\\bin\\server\\jvm.dll",
     L"runtime: C:\\App\\jre64\\bin\\server\\jvm.dll\nsource: beside the executable"},
    {"registry_native_view_takes_the_highest_in_the_version_window", "Minimum Version=1.6\n",
     L"reg native HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.5.0 | JavaHome = C:\\J15\n"
     L"reg native HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.6.0_45 | JavaHome = "
     L"C:\\J16\n"
     L"reg native HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.6.0_20 | JavaHome = "
     L"C:\\J20\n"
     L"file C:\\J15\\bin\\client\\jvm.dll\nfile C:\\J16\\bin\\client\\jvm.dll\n"
     L"file C:\\J20\\bin\\client\\jvm.dll",
     L"runtime: C:\\J16\\bin\\client\\jvm.dll\nsource: registry\nversion: 1.6.0.45\n"
     L"trace: registry native view HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.5.0, "
     L"version 1.5: outside the version window\n"
     L"trace: registry choice C:\\J16\\: C:\\J16\\bin\\client\\jvm.dll"},
    {"registry_jdk_keeps_its_vm_in_its_jre_folder", "",
     L"reg native HKLM\\Software\\JavaSoft\\Java Development Kit\\1.6.0 | JavaHome = C:\\Jdk\n"
     L"file C:\\Jdk\\jre\\bin\\server\\jvm.dll",
     L"runtime: C:\\Jdk\\jre\\bin\\server\\jvm.dll\nsource: registry"},
    {"the_32_bit_view_is_not_searched_without_a_pair_product", "",
     L"reg 32 HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.6.0 | JavaHome = C:\\J32\n"
     L"file C:\\J32\\bin\\client\\jvm.dll",
     L"runtime: none\ntrace: no runtime found: the JRE Not Found dialog asks the user"},
    {"the_32_bit_view_hands_the_launch_to_the_pair_product",
     "[Application]\nPair Product=C:\\App\\tool32.exe\n",
     L"reg 32 HKLM\\Software\\JavaSoft\\Java Runtime Environment\\1.6.0 | JavaHome = C:\\J32\n"
     L"file C:\\J32\\bin\\client\\jvm.dll",
     L"runtime: C:\\J32\\bin\\client\\jvm.dll\nsource: registry 32-bit\npair product: "
     L"C:\\App\\tool32.exe\n"
     L"options: 0\ntrace: found in the 32-bit view: the pair product starts instead"},
    {"a_32_bit_jre_path_library_goes_to_the_pair_product",
     "JRE Path=C:\\Rt\n[Application]\nPair Product=C:\\App\\tool32.exe\n",
     L"image C:\\Rt\\bin\\client\\jvm.dll i386",
     L"pair product: C:\\App\\tool32.exe\ntrace: not a 64-bit library: the pair product starts "
     L"instead"},
    {"a_32_bit_library_stays_with_this_launcher_without_a_pair_product", "JRE Path=C:\\Rt\n",
     L"image C:\\Rt\\bin\\client\\jvm.dll i386",
     L"runtime: C:\\Rt\\bin\\client\\jvm.dll\npair product: no"},
    {"an_arm64_jre_path_library_is_passed_over",
     "JRE Path=C:\\Rt\n[Application]\nPair Product=C:\\App\\tool32.exe\n",
     L"image C:\\Rt\\bin\\client\\jvm.dll arm64\nfile C:\\App\\bin\\java.dll\n"
     L"file C:\\App\\bin\\client\\jvm.dll",
     L"runtime: C:\\App\\bin\\client\\jvm.dll\nsource: beside the executable\n"
     L"trace: a library for another processor: skipped"},
    {"the_arm64_launcher_takes_an_arm64_runtime_and_passes_an_x64_one_over",
     "Modern Runtimes=yes\n",
     L"native arm64\nreg native HKLM\\Software\\JavaSoft\\JDK\\21 | JavaHome = C:\\X64\n"
     L"reg native HKLM\\Software\\JavaSoft\\JDK\\17 | JavaHome = C:\\Arm\n"
     L"image C:\\X64\\bin\\server\\jvm.dll amd64\nimage C:\\Arm\\bin\\server\\jvm.dll arm64",
     L"runtime: none\ntrace: a library for another processor: skipped", L"", nullptr, false,
     IMAGE_FILE_MACHINE_ARM64},
    {"the_arm64_launcher_takes_an_arm64_jre_path",
     "JRE Path=C:\\Arm\n[Application]\nPair Product=C:\\App\\tool32.exe\n",
     L"native arm64\nimage C:\\Arm\\bin\\server\\jvm.dll arm64",
     L"runtime: C:\\Arm\\bin\\server\\jvm.dll\npair product: no", L"", nullptr, false,
     IMAGE_FILE_MACHINE_ARM64},
    {"the_x64_launcher_hands_an_arm64_runtime_to_its_arm64_twin_on_an_arm64_machine", "",
     L"native arm64\nfile C:\\App\\tool-arm64.exe\nfile C:\\App\\bin\\java.dll\n"
     L"image C:\\App\\bin\\server\\jvm.dll arm64",
     L"runtime: C:\\App\\bin\\server\\jvm.dll\npair product: C:\\App\\tool-arm64.exe\n"
     L"trace: an ARM64 library on an ARM64 machine: C:\\App\\tool-arm64.exe starts instead"},
    {"without_its_arm64_twin_the_x64_launcher_goes_on_to_an_x64_runtime",
     "JRE Path=C:\\Arm\n[Application]\nPair Product ARM64=\n",
     L"native arm64\nimage C:\\Arm\\bin\\server\\jvm.dll arm64\nfile C:\\App\\bin\\java.dll\n"
     L"image C:\\App\\bin\\server\\jvm.dll amd64",
     L"runtime: C:\\App\\bin\\server\\jvm.dll\npair product: no\n"
     L"trace: a library for another processor: skipped"},
    {"java_home_with_its_release_file_among_the_modern_runtimes",
     "Modern Runtimes=yes\nMinimum Version=17\n",
     L"env JAVA_HOME=C:\\Jh\nfile C:\\Jh\\release = JAVA_VERSION=\"17.0.2\"\\n\n"
     L"file C:\\Jh\\bin\\server\\jvm.dll",
     L"runtime: C:\\Jh\\bin\\server\\jvm.dll\nsource: modern\nversion: 17.0.2\n"
     L"trace: modern runtime choice C:\\Jh\\: C:\\Jh\\bin\\server\\jvm.dll"},
    {"modern_runtimes_are_searched_only_when_asked_for", "",
     L"env JAVA_HOME=C:\\Jh\nfile C:\\Jh\\bin\\server\\jvm.dll", L"runtime: none"},
    {"preferred_versions_choose_among_modern_registry_runtimes",
     "Modern Runtimes=yes\nPreferred versions=17\n",
     L"reg native HKLM\\Software\\Eclipse Adoptium\\JDK\\17.0.2.8\\hotspot\\MSI | Path = C:\\A17\n"
     L"reg native HKLM\\Software\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI | Path = C:\\A21\n"
     L"file C:\\A17\\bin\\server\\jvm.dll\nfile C:\\A21\\bin\\server\\jvm.dll",
     L"runtime: C:\\A17\\bin\\server\\jvm.dll\nversion: 17.0.2.8"},
    {"the_users_arm64_choice_is_kept_for_loading_to_refuse",
     "[Application]\nPair Product=C:\\App\\tool32.exe\n",
     L"image C:\\Arm\\bin\\server\\jvm.dll arm64",
     L"runtime: C:\\Arm\\bin\\server\\jvm.dll\nsource: user\npair product: no\n"
     L"trace: JRE Not Found dialog: the user chose C:\\Arm\\bin\\server\\jvm.dll",
     L"", L"C:\\Arm\\bin\\server\\jvm.dll"},
    {"the_users_32_bit_choice_goes_to_the_pair_product",
     "[Application]\nPair Product=C:\\App\\tool32.exe\n",
     L"image C:\\J32\\bin\\client\\jvm.dll i386",
     L"source: user\npair product: C:\\App\\tool32.exe", L"", L"C:\\J32\\bin\\client\\jvm.dll"},
};

const SPlanRow kStartRows[] = {
    {"environment_names_the_vm_and_ends_the_search_path_with_its_bin_folder",
     "JRE Path=C:\\Rt\nSystem Path=C:\\Tools;%QV_JVM_HOME%\\x\nLibrary Path=C:\\Native\n"
     "[Class Path]\nClass Path=C:\\Shared\\util.jar;\\lib\\*.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll\nenv PATH=C:\\Windows\nfile C:\\App\\lib\\a.jar\n"
     L"file C:\\App\\lib\\b.jar",
     L"env QV_JVM_PATH: C:\\Rt\\bin\\client\\jvm.dll\nenv QV_JVM_HOME: C:\\Rt\n"
     L"env Path: C:\\Tools;C:\\Rt\\x;C:\\Windows;C:\\Rt\\bin\noptions: 2\n"
     L"option 1: -Djava.library.path=C:\\Native;C:\\App\\;.;C:\\Windows;C:\\Rt\\lib\n"
     L"option 2: -Djava.class.path=C:\\Shared\\util.jar;C:\\App\\lib\\a.jar;C:\\App\\lib\\b.jar;\n"
     L"trace: environment Path = C:\\Tools;C:\\Rt\\x;C:\\Windows;C:\\Rt\\bin"},
    {"embedded_jar_alone_is_the_class_path", "JRE Path=C:\\Rt\n[Application]\nEmbedded Jar=yes\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll", L"option 1: -Djava.class.path=C:\\App\\tool.exe"},
    {"a_path_the_code_page_cannot_spell_takes_its_short_form",
     "JRE Path=C:\\Rt\n[Class Path]\nClass Path=C:\\\xD0\x96\xD0\xB0\\app.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll\nshort C:\\\u0416\u0430\\app.jar = C:\\ZA~1\\app.jar",
     L"option 1: -Djava.class.path=C:\\ZA~1\\app.jar;"},
    {"no_class_path_is_a_failure", "JRE Path=C:\\Rt\n[Class Path]\nClass Path=\\missing.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"failure: Java Class Path was not specified in INI file.\noptions: 0"},
    {"parameters_are_unquoted_joined_resolved_and_expanded",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=-Xmx50P --add-opens java.base/java.lang=A "
     "\"-Dapp.home=C:\\My App\" -Xss2m -Dvm=%QV_JVM_HOME% -p\n[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll\nmemory 8G 2G",
     L"option 2: -Xmx4194304K\noption 3: --add-opens=java.base/java.lang=A\n"
     L"option 4: -Dapp.home=C:\\My App\noption 5: -Xss2m\noption 6: -Dvm=C:\\Rt\noption 7: -p\n"
     L"stack: 2097152\n"
     L"trace: VM parameter --add-opens java.base/java.lang=A joined: "
     L"--add-opens=java.base/java.lang=A\n"
     L"trace: VM option 4: -Dapp.home=C:\\My App"},
    {"option_files_are_read_from_the_executable_folder_and_through_variables",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=@opts.txt \"@%CONF%\\my opts.txt\"\n"
     "[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll\nenv CONF=C:\\Conf\n"
     L"file C:\\App\\opts.txt = --add-modules a\\n'-Dq=say \"hi\"' @C:\\Conf\\x.txt\n"
     L"file C:\\Conf\\x.txt = -Da=1\nfile C:\\Conf\\my opts.txt = -Xss1m",
     L"option 2: --add-modules=a\noption 3: -Dq=say \"hi\"\noption 4: -Da=1\noption 5: -Xss1m\n"
     L"stack: 1048576\n"
     L"trace: VM parameter @opts.txt read from C:\\App\\opts.txt: --add-modules a \"-Dq=say "
     L"\"hi\"\" @C:\\Conf\\x.txt"},
    {"an_option_file_that_cannot_be_read_is_a_failure",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=-Da @missing.txt\n[Class Path]\nClass "
     "Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"failure: The option file C:\\App\\missing.txt cannot be read (or names option files "
     L"without end)."},
    {"an_option_file_that_names_itself_is_a_failure",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=@self.txt\n[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll\nfile C:\\App\\self.txt = @self.txt",
     L"failure: The option file C:\\App\\self.txt cannot be read (or names option files without "
     L"end)."},
    {"cmd_arguments_follow_the_command_line_and_streams_share_one_file",
     "JRE Path=C:\\Rt\n[Application]\nCmd=--mode \"%QV_JVM_HOME%\"\n"
     "Output File=%QV_JVM_HOME%\\log.txt\nError File=C:\\RT\\LOG.TXT\n"
     "[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"arguments: one | two three | --mode | C:\\Rt\noutput: C:\\Rt\\log.txt\n"
     L"error: C:\\RT\\LOG.TXT\none file: yes\nprocess end: launcher\nask after exception: no",
     L"one \"two three\""},
    {"a_wholly_quoted_value_with_a_blank_in_an_option_stays_one_token",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=\"-Dp=a b\"\n[Class Path]\nClass Path=C:\\a.jar\n"
     "[Application]\nCmd='--name=x y'\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll", L"options: 2\noption 2: -Dp=a b\narguments: --name=x y"},
    {"a_wholly_quoted_list_of_options_splits_as_before",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=\"-Xmx512m -Dx=y\"\n[Class Path]\nClass "
     "Path=C:\\a.jar\n[Application]\nCmd=\"--a --b\"\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"options: 3\noption 2: -Xmx512m\noption 3: -Dx=y\narguments: --a | --b"},
    {"one_file_for_both_streams_however_each_is_written",
     "JRE Path=C:\\Rt\n[Application]\nOutput File=C:\\Work\\logs\\both.txt\n"
     "Error File=logs\\sub\\..\\.\\BOTH.TXT\n[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll", L"one file: yes"},
    {"an_option_file_without_a_name_is_a_failure",
     "JRE Path=C:\\Rt\nVirtual Machine Parameters=-Da @\n[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"failure: An option file is named with @ alone, without its name."},
    {"ibm_vms_leave_the_end_of_the_process_to_the_java_program",
     "JRE Path=C:\\Rt\nVM Provider=favor_ibm\n[Application]\nFailure Check=Yes\n"
     "[Class Path]\nClass Path=C:\\a.jar\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"process end: java program\nask after exception: yes\n"
     L"trace: IBM VMs admitted: the Java program ends the process"},
    {"no_splash_without_a_picture", "JRE Path=C:\\Rt\n", L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"splash: none\ntrace: splash: none"},
    {"the_command_line_turns_the_splash_off_in_its_own_spelling_only",
     "JRE Path=C:\\Rt\n[Display]\nSplash Screen=C:\\App\\s.gif\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"splash: none\ntrace: splash: none, as the command line asks", L"a /nosplash"},
    {"a_switch_in_other_letters_leaves_the_own_window",
     "JRE Path=C:\\Rt\n[Display]\nSplash Screen=C:\\App\\s.gif\nSplash Screen Shadow=true\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll", L"splash: window\nshadow: yes", L"-NoSplash"},
    {"the_runtimes_splash_library_when_preferred_and_present",
     "JRE Path=C:\\Rt\n[Display]\nSplash Screen=C:\\App\\s.gif\nPreffer Native Splash Screen=yes\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll\nfile C:\\Rt\\bin\\splashscreen.dll",
     L"splash: runtime library\nsplash library: C:\\Rt\\bin\\splashscreen.dll"},
    {"preferred_but_missing_splash_library_gives_the_own_window",
     "JRE Path=C:\\Rt\n[Display]\nSplash Screen=C:\\App\\s.gif\nPreffer Native Splash Screen=yes\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll", L"splash: window"},
};

// A runtime of each Java in C:\Jnn, with the base archive where it says so; the application's
// jar; LOCALAPPDATA.
#define CLASS_DATA_SETTINGS(java, more)                                                            \
    "JRE Path=C:\\J" java "\nClass Data Sharing=auto\n" more                                       \
    "[Class Path]\nClass Path=\\app.jar\n"                                                         \
    "[Product Information]\nProduct Name=Hello\nProduct Code=1.0\n"
#define CLASS_DATA_FACTS(java, version)                                                            \
    L"file C:\\J" java L"\\release = JAVA_VERSION=\"" version L"\"\n"                              \
    L"file C:\\J" java L"\\bin\\server\\jvm.dll\nfile C:\\App\\app.jar = jar\n"                    \
    L"env LOCALAPPDATA=C:\\Local\n"

#define ARCHIVE_21 L"C:\\Local\\Hello\\1.0\\cds\\a9cd109bb68db533.jsa"
#define ARCHIVE_25 L"C:\\Local\\Hello\\1.0\\cds\\b2d6263a07aedba9.aot"

const SPlanRow kClassDataRows[] = {
    {"java_21_with_its_base_archive_writes_a_dynamic_archive", CLASS_DATA_SETTINGS("21", ""),
     CLASS_DATA_FACTS("21", "21.0.8") L"file C:\\J21\\bin\\server\\classes.jsa",
     L"class data: dynamic\narchive: " ARCHIVE_21 L"\nwriter: -XX:SharedArchiveFile=" ARCHIVE_21 L" -XX:+AutoCreateSharedArchive -Xlog:cds*=off -Xlog:cds=info,cds+dynamic=info:file=\"" ARCHIVE_21 L".trace.log\"::filecount=0\nreader: \ndelete: "},
    {"java_21_reads_the_archive_once_made", CLASS_DATA_SETTINGS("21", ""),
     CLASS_DATA_FACTS("21", "21.0.8") L"file C:\\J21\\bin\\server\\classes.jsa\nfile " ARCHIVE_21,
     L"reader: -XX:SharedArchiveFile=" ARCHIVE_21 L" -Xlog:cds*=off -Xlog:cds=info,cds+dynamic="
     L"info:file=\"" ARCHIVE_21 L".trace.log\"::filecount=0"},
    {"java_21_without_its_base_archive_has_none", CLASS_DATA_SETTINGS("21", ""),
     CLASS_DATA_FACTS("21", "21.0.8"),
     L"class data: none\nwriter: \ntrace: class data sharing: none, the runtime has no base "
     L"archive C:\\J21\\bin\\server\\classes.jsa"},
    {"java_17_has_none", CLASS_DATA_SETTINGS("17", ""), CLASS_DATA_FACTS("17", "17.0.9"),
     L"class data: none\ntrace: class data sharing: none, Java 17.0.9 makes no archive of an "
     L"application by itself"},
    {"java_25_writes_its_cache_when_the_program_ends", CLASS_DATA_SETTINGS("25", ""),
     CLASS_DATA_FACTS("25", "25.0.2"),
     L"class data: ahead-of-time\nwriter: -XX:AOTCacheOutput=" ARCHIVE_25 L" -Xlog:cds*=off "
     L"-Xlog:aot*=off -Xlog:aot=info,cds=info:file=\"" ARCHIVE_25 L".trace.log\"::filecount=0\n"
     L"reader: "},
    {"java_25_reads_the_cache_that_the_vm_used_without_a_word", CLASS_DATA_SETTINGS("25", ""),
     CLASS_DATA_FACTS("25", "25.0.2") L"file " ARCHIVE_25 L"\nfile " ARCHIVE_25 L".log",
     L"writer: \nreader: -XX:AOTCache=" ARCHIVE_25 L" -Xlog:cds*=off -Xlog:aot*=off "
     L"-Xlog:aot=info,cds=info:file=\"" ARCHIVE_25 L".log\"::filecount=0"},
    {"java_25_makes_again_a_cache_that_the_vm_refused", CLASS_DATA_SETTINGS("25", ""),
     CLASS_DATA_FACTS("25", "25.0.2") L"file " ARCHIVE_25 L"\nfile"
                                      L" " ARCHIVE_25 L".log = [0.382s][warning][aot] The "
                                      L"AOT cache has been truncated.\\n",
     L"reader: \ndelete: " ARCHIVE_25 L" | " ARCHIVE_25 L".log\n"
     L"trace: class data sharing: the VM could not "
     L"use " ARCHIVE_25 L" (" ARCHIVE_25 L".log): it is made again"},
    {"a_changed_jar_names_another_archive", CLASS_DATA_SETTINGS("25", ""),
     CLASS_DATA_FACTS("25", "25.0.2") L"time C:\\App\\app.jar 5",
     L"archive: C:\\Local\\Hello\\1.0\\cds\\b72aa8a991b8f1b4.aot"},
    {"another_heap_names_another_archive",
     CLASS_DATA_SETTINGS("25", "Virtual Machine Parameters=-Xmx1g -Dp=1\n"),
     CLASS_DATA_FACTS("25", "25.0.2"),
     L"archive: C:\\Local\\Hello\\1.0\\cds\\4a3ee65b9d2b8ecf.aot"},
    {"a_property_names_the_same_archive",
     CLASS_DATA_SETTINGS("25", "Virtual Machine Parameters=-Dp=1\n"),
     CLASS_DATA_FACTS("25", "25.0.2"), L"archive: " ARCHIVE_25},
    {"a_folder_on_the_class_path_has_none",
     "JRE Path=C:\\J25\nClass Data Sharing=auto\n[Class Path]\nClass Path=\\app.jar;\\classes\n",
     CLASS_DATA_FACTS("25", "25.0.2") L"file C:\\App\\classes\\A.class",
     L"class data: none\ntrace: class data sharing: none, a folder on the class path: "
     L"C:\\App\\classes"},
    {"parameters_that_choose_their_own_archive_have_none",
     CLASS_DATA_SETTINGS("25", "Virtual Machine Parameters=-Xshare:off\n"),
     CLASS_DATA_FACTS("25", "25.0.2"),
     L"class data: none\ntrace: class data sharing: none, the VM parameters choose their own "
     L"(-Xshare:off)"},
    {"the_newest_other_archive_stays_and_older_ones_go", CLASS_DATA_SETTINGS("25", ""),
     CLASS_DATA_FACTS(
         "25",
         "25.0.2") L"file C:\\Local\\Hello\\1.0\\cds\\a.jsa\ntime "
                   L"C:\\Local\\Hello\\1.0\\cds\\a.jsa 1\nfile "
                   L"C:\\Local\\Hello\\1.0\\cds\\a.jsa.log\nfile "
                   L"C:\\Local\\Hello\\1.0\\cds\\b.aot\ntime C:\\Local\\Hello\\1.0\\cds\\b.aot "
                   L"3\nfile "
                   L"C:\\Local\\Hello\\1.0\\cds\\c.aot\ntime C:\\Local\\Hello\\1.0\\cds\\c.aot 2",
     L"delete: C:\\Local\\Hello\\1.0\\cds\\a.jsa | C:\\Local\\Hello\\1.0\\cds\\a.jsa.log | "
     L"C:\\Local\\Hello\\1.0\\cds\\c.aot"},
    {"without_a_product_name_or_release_file_the_executable_and_library_tell",
     "JRE Path=C:\\J21\nClass Data Sharing=Auto\n[Class Path]\nClass Path=\\app.jar\n",
     L"file C:\\J21\\bin\\server\\jvm.dll\nversion C:\\J21\\bin\\server\\jvm.dll 21.0.2.0\n"
     L"file C:\\J21\\lib\\modules\nfile C:\\J21\\bin\\server\\classes.jsa\nfile C:\\App\\app.jar\n"
     L"env LOCALAPPDATA=C:\\Local",
     L"class data: dynamic\narchive: C:\\Local\\tool\\cds\\7b0339afac8cb86a.jsa"},
    {"a_java_8_library_number_is_not_taken_for_java",
     "JRE Path=C:\\J8\nClass Data Sharing=auto\n[Class Path]\nClass Path=\\app.jar\n",
     L"file C:\\J8\\bin\\server\\jvm.dll\nversion C:\\J8\\bin\\server\\jvm.dll 25.391.0.13\n"
     L"file C:\\J8\\bin\\server\\classes.jsa\nfile C:\\App\\app.jar\nenv LOCALAPPDATA=C:\\Local",
     L"class data: none\ntrace: class data sharing: none, the runtime's version is not known"},
    {"an_openj9_runtime_has_none", CLASS_DATA_SETTINGS("25", ""),
     CLASS_DATA_FACTS("25", "25.0.2") L"file C:\\J25\\bin\\j9vm\\jvm.dll",
     L"class data: none\ntrace: class data sharing: none, an OpenJ9 runtime"},
    {"no_local_application_data_folder_has_none", CLASS_DATA_SETTINGS("25", ""),
     L"file C:\\J25\\release = JAVA_VERSION=\"25\"\nfile C:\\J25\\bin\\server\\jvm.dll\n"
     L"file C:\\App\\app.jar",
     L"class data: none\ntrace: class data sharing: none, LOCALAPPDATA names no folder"},
};

const SPlanRow kProcessRows[] = {
    {"a_console_launcher_has_no_splash_and_no_exception_dialog",
     "JRE Path=C:\\Rt\n[Application]\nFailure Check=yes\n[Display]\nSplash Screen=C:\\App\\s.gif\n",
     L"file C:\\Rt\\bin\\client\\jvm.dll",
     L"splash: none\nask after exception: no\ntrace: splash: none in a console launcher", L"",
     nullptr, true},
    {"restart_codes_make_this_process_the_supervisor",
     "[Application]\nRestart Exit Codes= 23 ; -1;\nApp User Model ID=Example.Hello\n", L"",
     L"restart codes: 23 4294967295\nsupervise: yes\napp id: Example.Hello\nprocess failure: "},
    {"the_supervised_launch_runs_the_program", "[Application]\nRestart Exit Codes=23\n",
     L"env JVMHOST_RESTART_SUPERVISOR=12",
     L"supervise: child\ntrace: started by the restart supervisor, process 12"},
    {"restart_codes_that_are_no_numbers_stop_the_launch",
     "[Application]\nRestart Exit Codes=23;x\n", L"",
     L"supervise: no\nprocess failure: The Restart Exit Codes 23;x are not whole numbers "
     L"separated by ;."},
    {"an_app_user_model_id_with_a_blank_stops_the_launch",
     "[Application]\nApp User Model ID=Example Hello\n", L"",
     L"app id: \nprocess failure: The App User Model ID Example Hello cannot be used: it must "
     L"have at most 128 characters and no blanks."},
};

template <size_t kCount> void CheckRows(const SPlanRow (&rows)[kCount])
{
    for (const SPlanRow& row : rows)
        CheckRow(row);
}
} // namespace

TEST(LaunchPlan, ConsoleRestartAndIdentity)
{
    CheckRows(kProcessRows);
}

TEST(LaunchPlan, ClassDataSharing)
{
    CheckRows(kClassDataRows);
}

TEST(LaunchPlan, RuntimeSearch)
{
    CheckRows(kRuntimeRows);
}

TEST(LaunchPlan, EnvironmentOptionsArgumentsSplashAndEnd)
{
    CheckRows(kStartRows);
}
