// The launcher's Java calls against a real VM. Each case runs jni_probe, which creates one VM in a
// process of its own, and checks the probe's exit status, its reports and what Java wrote.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace
{
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A new, empty folder under the temporary folder, removed with everything in it.
class CScratchFolder
{
public:
    CScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "jvmhost-native-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~CScratchFolder()
    {
        std::error_code error;
        if (!m_path.empty())
            fs::remove_all(m_path, error);
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

struct SProbeRun
{
    int exitStatus; // -1 when the probe did not exit on its own
    std::string out;
    std::string err;

    // The value of the first "key=value" report, "<none>" without one.
    std::string Report(const std::string& key) const
    {
        std::istringstream lines(out);
        std::string line;
        while (std::getline(lines, line))
        {
            if (line.compare(0, key.size() + 1, key + "=") == 0)
                return line.substr(key.size() + 1);
        }
        return "<none>";
    }

    // The values of all "key=value" reports, in order.
    std::vector<std::string> Reports(const std::string& key) const
    {
        std::vector<std::string> values;
        std::istringstream lines(out);
        std::string line;
        while (std::getline(lines, line))
        {
            if (line.compare(0, key.size() + 1, key + "=") == 0)
                values.push_back(line.substr(key.size() + 1));
        }
        return values;
    }

    bool Says(const std::string& text) const { return out.find(text) != std::string::npos; }
    bool Complains(const std::string& text) const { return err.find(text) != std::string::npos; }

    std::string Transcript() const { return "stdout:\n" + out + "stderr:\n" + err; }
};

// What -Xcheck:jni prints when it notices a misuse of JNI. HotSpot writes it to standard output,
// among the probe's reports, not to standard error.
const char kJniCheckWarning[] = "WARNING in native method";

// A probe that has not ended by then is stopped; ctest's own limit is 60 s.
const int kProbeBoundMs = 40000;

// Runs jni_probe with the test classes on the class path and the VM's JNI checks on, then the
// given options and actions; any misuse of JNI the VM notices fails the test. The VM's own option
// variables are dropped, and a UTF-8 locale makes the VM pass file names on in UTF-8, as Windows
// takes them in UTF-16.
SProbeRun RunProbe(const std::vector<std::string>& arguments, const CScratchFolder& folder)
{
    std::vector<std::string> command = {
        JNI_PROBE_PATH, std::string("-Djava.class.path=") + JAVA_CLASSES_DIR, "-Xcheck:jni"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment = {"LC_ALL=C.UTF-8"};
    for (char** ppEntry = environ; *ppEntry != nullptr; ++ppEntry)
    {
        const std::string entry = *ppEntry;
        if (entry.rfind("JAVA_TOOL_OPTIONS=", 0) != 0 && entry.rfind("_JAVA_OPTIONS=", 0) != 0 &&
            entry.rfind("LC_ALL=", 0) != 0)
            environment.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string outPath = (folder.Path() / "probe.out").string();
    const std::string errPath = (folder.Path() / "probe.err").string();
    posix_spawn_file_actions_t fileActions;
    posix_spawn_file_actions_init(&fileActions);
    posix_spawn_file_actions_addopen(&fileActions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&fileActions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &fileActions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&fileActions);

    SProbeRun run = {-1, "", ""};
    if (error != 0)
    {
        run.err = std::string("cannot start jni_probe: ") + std::strerror(error);
        return run;
    }
    int status = 0;
    int waitedMs = 0;
    pid_t ended = 0;
    while ((ended = waitpid(pid, &status, WNOHANG)) == 0 && waitedMs < kProbeBoundMs)
    {
        usleep(10000);
        waitedMs += 10;
    }
    if (ended == 0)
    {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        ADD_FAILURE() << "jni_probe did not end within " << kProbeBoundMs << " ms";
    }
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    if (WIFEXITED(status))
        run.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run.err += "\n[ended by signal " + std::to_string(WTERMSIG(status)) + "]";
    EXPECT_FALSE(run.Says(kJniCheckWarning) || run.Complains(kJniCheckWarning)) << run.Transcript();
    return run;
}

const int kExitVmNotCreated = 2;
} // namespace

TEST(JvmEntries, OldStyleDefaultsRecordCarriesTheJavaStackSize)
{
    CScratchFolder folder;
    const SProbeRun run = RunProbe({}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    // HotSpot refuses the 1.1 record but still fills in its 1 MiB default at byte 24.
    EXPECT_EQ(run.Report("defaults"), "-1");
    EXPECT_EQ(run.Report("defaults.javaStackSize"), "1048576");
    EXPECT_EQ(run.Report("create"), "0");
    EXPECT_EQ(run.Report("destroy"), "0");
}

TEST(CreateJavaVm, OptionsReachTheVmInListOrder)
{
    CScratchFolder folder;
    const fs::path dump = folder.Path() / "properties.txt";
    // For a repeated -D the VM keeps the last one: list order, not sorted or reversed.
    const SProbeRun run =
        RunProbe({"-Djvmhost.test.out=" + dump.string(), "-Djvmhost.plain=one",
                  "-Djvmhost.spaced=two words  and more", "-Djvmhost.twice=zulu",
                  "-Djvmhost.twice=alpha", "--", "main", "jvmhost/probe/PropertyDump",
                  "jvmhost.plain", "jvmhost.spaced", "jvmhost.twice", "jvmhost.unset"},
                 folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallReturned");
    EXPECT_EQ(ReadFile(dump), "jvmhost.plain=one\n"
                              "jvmhost.spaced=two words  and more\n"
                              "jvmhost.twice=alpha\n"
                              "jvmhost.unset=null\n");
}

TEST(CreateJavaVm, UnrecognisedOptionsAreRefused)
{
    CScratchFolder folder;
    // Were the VM created anyway, the exit action would end the probe with 255.
    const SProbeRun unknownX = RunProbe({"-Xfoo", "--", "exit"}, folder);
    EXPECT_EQ(unknownX.exitStatus, kExitVmNotCreated) << unknownX.Transcript();
    EXPECT_EQ(unknownX.Report("create"), "-1"); // JNI_ERR
    EXPECT_TRUE(unknownX.Complains("-Xfoo")) << unknownX.err;

    const SProbeRun unknownFlag = RunProbe({"-XX:+NoSuchFlag", "--", "exit"}, folder);
    EXPECT_EQ(unknownFlag.exitStatus, kExitVmNotCreated) << unknownFlag.Transcript();
    EXPECT_EQ(unknownFlag.Report("create"), "-6"); // JNI_EINVAL
    EXPECT_TRUE(unknownFlag.Complains("NoSuchFlag")) << unknownFlag.err;
}

TEST(CallMainMethod, ArgumentsArriveUnchangedAndInOrder)
{
    CScratchFolder folder;
    const fs::path dump = folder.Path() / "arguments.txt";
    const SProbeRun run =
        RunProbe({"-Djvmhost.test.out=" + dump.string(), "--", "main", "jvmhost/probe/ArgumentDump",
                  u8"caf\u00e9", "", u8"\U0001F600 at the start", "two words",
                  u8"Gr\u00fc\u00dfe \U0001F600\U0001F4A9 ende", "-x"},
                 folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallReturned");
    EXPECT_EQ(run.Report("main.escaped"), "null");
    EXPECT_EQ(ReadFile(dump), u8"6\n"
                              u8"[caf\u00e9]\n"
                              u8"[]\n"
                              u8"[\U0001F600 at the start]\n"
                              u8"[two words]\n"
                              u8"[Gr\u00fc\u00dfe \U0001F600\U0001F4A9 ende]\n"
                              u8"[-x]\n");
}

// As when thousands of files are dropped on the program: all of them reach main, and the
// launcher's thread keeps no reference per argument for the rest of the run.
TEST(CallMainMethod, ThousandsOfArgumentsLeaveOnlyTheArrayReferenced)
{
    CScratchFolder folder;
    const fs::path dump = folder.Path() / "arguments.txt";
    std::vector<std::string> probeArguments = {"-Djvmhost.test.out=" + dump.string(), "--", "main",
                                               "jvmhost/probe/ArgumentDump"};
    std::string expected = "5000\n";
    for (int i = 0; i < 5000; ++i)
    {
        const std::string argument = u8"Datei \u00fc" + std::to_string(i) + ".txt";
        probeArguments.push_back(argument);
        expected += "[" + argument + "]\n";
    }
    probeArguments.insert(probeArguments.end(), {"--", "localRefs"});
    const SProbeRun run = RunProbe(probeArguments, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallReturned");
    EXPECT_EQ(run.Report("main.escaped"), "null");
    EXPECT_TRUE(ReadFile(dump) == expected) << "the arguments main got differ";
    // CallMainMethod's class and argument array, and the one the VM leaves from its creation.
    EXPECT_EQ(run.Report("localRefs.count"), "3");
}

TEST(CallMainMethod, NoArgumentsGiveAnEmptyArray)
{
    CScratchFolder folder;
    const fs::path dump = folder.Path() / "arguments.txt";
    const SProbeRun run = RunProbe(
        {"-Djvmhost.test.out=" + dump.string(), "--", "main", "jvmhost/probe/ArgumentDump"},
        folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallReturned");
    EXPECT_EQ(ReadFile(dump), "0\n");
}

TEST(CallMainMethod, MissingClassIsReportedByItsSlashName)
{
    CScratchFolder folder;
    const std::string name = u8"no/such/Gr\u00fc\u00dfe\U0001F600";
    const SProbeRun run = RunProbe({"--", "main", name}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallClassNotFound");
    EXPECT_EQ(run.Report("main.className"), name);
    EXPECT_EQ(run.Report("main.pending"), "0");
    EXPECT_FALSE(run.Says("main.beforeMain"));
    EXPECT_TRUE(run.Complains("java.lang.NoClassDefFoundError: no/such/Gr")) << run.err;
}

TEST(CallMainMethod, ClassWithoutStringArrayMainFailsTheLookup)
{
    CScratchFolder folder;
    const SProbeRun run = RunProbe({"--", "main", "jvmhost/probe/NoArgsMain"}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallMethodFailed");
    EXPECT_EQ(run.Report("main.pending"), "0");
    EXPECT_FALSE(run.Says("main.beforeMain"));
    EXPECT_TRUE(run.Complains("java.lang.NoSuchMethodError")) << run.err;
}

// The VM initialises the class while finding it, so a failing initialiser counts as a class
// that cannot be found; the VM's printout tells the real cause.
TEST(CallMainMethod, ClassThatCannotBeInitialisedIsNotFound)
{
    CScratchFolder folder;
    const SProbeRun run = RunProbe({"--", "main", "jvmhost/probe/BrokenInit"}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.result"), "MainCallClassNotFound");
    EXPECT_FALSE(run.Says("main.beforeMain"));
    EXPECT_TRUE(run.Complains("java.lang.ExceptionInInitializerError")) << run.err;
    EXPECT_TRUE(run.Complains("java.lang.NumberFormatException")) << run.err;
}

TEST(CallMainMethod, ExceptionEscapingMainIsPrintedAndHandedBack)
{
    CScratchFolder folder;
    const SProbeRun run = RunProbe({"--", "main", "jvmhost/probe/Throwing"}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("main.beforeMain"), "1");
    EXPECT_EQ(run.Report("main.result"), "MainCallReturned");
    // Still usable after it was printed and cleared.
    EXPECT_EQ(run.Report("main.escaped"), "java.lang.IllegalStateException");
    EXPECT_EQ(run.Report("main.pending"), "0");
    EXPECT_EQ(run.Report("destroy"), "0");
    EXPECT_TRUE(run.Complains("java.lang.IllegalStateException: thrown from main")) << run.err;
    EXPECT_TRUE(run.Complains("at jvmhost.probe.Throwing.main(")) << run.err;
}

// The text equals Java's own printout, causes included, and keeps characters that the VM's
// default charset (here ASCII) has no room for.
TEST(GetExceptionText, EqualsJavasOwnStackTracePrintout)
{
    CScratchFolder folder;
    const std::string printout = (folder.Path() / "printout.txt").string();
    const SProbeRun run = RunProbe(
        {"-Dfile.encoding=US-ASCII", "--", "main", "jvmhost/probe/ChainedThrowing", printout},
        folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    std::ifstream file(printout, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    ASSERT_NE(expected.find(u8"\u0441\u0431\u043e\u0439 \u5931\u6557 \U0001F600"),
              std::string::npos);
    ASSERT_NE(expected.find("Caused by: java.io.IOException: inner cause"), std::string::npos);
    const std::string hex = run.Report("main.exceptionText");
    std::string text;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    EXPECT_EQ(text, expected);
    EXPECT_EQ(run.Report("main.pending"), "0");
}

TEST(CallMainMethod, SystemExitInMainEndsTheProcessWithItsStatus)
{
    CScratchFolder folder;
    const SProbeRun run = RunProbe({"--", "main", "jvmhost/probe/Exiting", "7"}, folder);
    EXPECT_EQ(run.exitStatus, 7) << run.Transcript();
    EXPECT_EQ(run.Report("main.beforeMain"), "1");
    EXPECT_FALSE(run.Says("main.result"));
}

TEST(CallSystemExit, EndsTheProcessWithStatus255)
{
    CScratchFolder folder;
    // System.exit(-1): the status is its low byte.
    const SProbeRun run = RunProbe({"--", "exit"}, folder);
    EXPECT_EQ(run.exitStatus, 255) << run.Transcript();
    EXPECT_FALSE(run.Says("exit.returned"));
    EXPECT_FALSE(run.Says("destroy"));
}

TEST(RedirectJavaStream, OutAndErrGoToTheirFiles)
{
    CScratchFolder folder;
    const fs::path logs = folder.Path() / u8"J\u00fcrgen's logs \U0001F600";
    fs::create_directories(logs);
    const fs::path outLog = logs / "out.log";
    const fs::path errLog = logs / u8"err \u00e9.log";
    WriteFile(outLog, "an older and much longer log than the new one\n");
    const SProbeRun run = RunProbe({"--", "setOut", outLog.string(), "--", "setErr",
                                    errLog.string(), "--", "main", "jvmhost/probe/Printing"},
                                   folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("setOut.redirected"), "1");
    EXPECT_EQ(run.Report("setErr.redirected"), "1");
    EXPECT_EQ(run.Report("setErr.pending"), "0");
    EXPECT_EQ(ReadFile(outLog), "to out\n");
    EXPECT_EQ(ReadFile(errLog), "to err\n");
    EXPECT_FALSE(run.Says("to out"));
    EXPECT_FALSE(run.Complains("to err"));
}

TEST(RedirectJavaStream, DirectoryIsRefusedAndTheStreamKept)
{
    CScratchFolder folder;
    const SProbeRun run = RunProbe(
        {"--", "setOut", folder.Path().string(), "--", "main", "jvmhost/probe/Printing"}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("setOut.redirected"), "0");
    EXPECT_EQ(run.Report("setOut.pending"), "1");
    EXPECT_TRUE(run.Complains("java.io.FileNotFoundException")) << run.err;
    // Java still prints to the probe's own stdout, and only once main runs.
    const size_t beforeMain = run.out.find("main.beforeMain=1\n");
    ASSERT_NE(beforeMain, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("to out\n", beforeMain), std::string::npos) << run.out;
}

TEST(NewJavaString, NonBmpTextRoundTripsThroughModifiedUtf8)
{
    CScratchFolder folder;
    const std::string text = u8"A\u00e9\u20ac\U0001F600z";
    const SProbeRun run = RunProbe({"--", "roundtrip", text}, folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    // U+1F600 is a surrogate pair in Java, each half three bytes in modified UTF-8.
    EXPECT_EQ(run.Report("roundtrip.length"), "6");
    EXPECT_EQ(run.Report("roundtrip.modified"), "41"
                                                "c3a9"
                                                "e282ac"
                                                "eda0bd"
                                                "edb880"
                                                "7a");
    EXPECT_EQ(run.Report("roundtrip.decoded"), text);
}

// A later start's arguments reach secondaryMain; the void form is answered with 0 before it runs,
// the int form with what it returns. The thread, which may serve many starts, keeps nothing.
TEST(CallSecondaryMain, BothFormsAreAnsweredAndGetTheArgumentsIntact)
{
    CScratchFolder folder;
    const fs::path dump = folder.Path() / "arguments.txt";
    const SProbeRun run =
        RunProbe({"-Djvmhost.test.out=" + dump.string(), "--", "secondary",
                  "jvmhost/probe/ArgumentDump", u8"Datei \u00fc", u8"\u6587", u8"\U0001F600", "--",
                  "secondary", "jvmhost/probe/IntSecondary", "-5", "--", "localRefs"},
                 folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Reports("secondary.result"),
              (std::vector<std::string>{"SecondaryMainVoidReturned", "SecondaryMainIntReplied"}));
    EXPECT_EQ(run.Reports("secondary.reply"), (std::vector<std::string>{"0", "-5"}));
    EXPECT_EQ(run.Reports("secondary.pending"), (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(ReadFile(dump), u8"3\n"
                              u8"[Datei \u00fc]\n"
                              u8"[\u6587]\n"
                              u8"[\U0001F600]\n");
    EXPECT_NE(run.out.find("secondary.reply=0\n"
                           "ArgumentDump.secondaryMain runs\n"
                           "secondary.result=SecondaryMainVoidReturned\n"),
              std::string::npos)
        << run.out;
    // Only the one the VM leaves from its creation.
    EXPECT_EQ(run.Report("localRefs.count"), "1");
    EXPECT_FALSE(run.Complains("Exception")) << run.err;
}

// Each failure is printed and the probe goes on; only the void form, answered before it runs,
// has replied when it throws.
TEST(CallSecondaryMain, FailuresArePrintedAndOnlyTheVoidFormHasReplied)
{
    CScratchFolder folder;
    const SProbeRun run =
        RunProbe({"--", "secondary", "no/such/Class", "--", "secondary", "jvmhost/probe/Printing",
                  "--", "secondary", "jvmhost/probe/IntSecondary", "not a number", "--",
                  "secondary", "jvmhost/probe/Throwing", "--", "localRefs"},
                 folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Reports("secondary.result"),
              (std::vector<std::string>{"SecondaryMainClassNotFound", "SecondaryMainNoMethod",
                                        "SecondaryMainIntThrew", "SecondaryMainVoidThrew"}));
    EXPECT_EQ(run.Reports("secondary.pending"), (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_NE(run.out.find("secondary.result=SecondaryMainIntThrew\n"
                           "secondary.pending=0\n"
                           "secondary.reply=0\n"
                           "secondary.result=SecondaryMainVoidThrew\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.Reports("secondary.reply"), (std::vector<std::string>{"0"}));
    EXPECT_TRUE(run.Complains("java.lang.NoClassDefFoundError: no/such/Class")) << run.err;
    EXPECT_TRUE(run.Complains("java.lang.NoSuchMethodError: secondaryMain")) << run.err;
    EXPECT_TRUE(
        run.Complains("java.lang.NumberFormatException: For input string: \"not a number\""))
        << run.err;
    EXPECT_TRUE(run.Complains("java.lang.IllegalStateException: thrown from secondaryMain"))
        << run.err;
    EXPECT_EQ(run.Report("localRefs.count"), "1");
    EXPECT_EQ(run.Report("destroy"), "0");
}

// A later start that comes before main is entered waits on the launcher's worker thread, which
// calls into Java only once main is entered.
TEST(CallSecondaryMain, RequestBeforeMainIsServedOnceMainIsEntered)
{
    CScratchFolder folder;
    const fs::path dump = folder.Path() / "events.txt";
    const SProbeRun run =
        RunProbe({"-Djvmhost.test.out=" + dump.string(), "--", "secondaryAtMain",
                  "jvmhost/probe/HandOver", "second start", "--", "main", "jvmhost/probe/HandOver"},
                 folder);
    ASSERT_EQ(run.exitStatus, 0) << run.Transcript();
    EXPECT_EQ(run.Report("secondaryAtMain.attach"), "0");
    EXPECT_NE(run.out.find("secondaryAtMain.waiting=1\nmain.beforeMain=1\n"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.Report("secondaryAtMain.mainEntered"), "1");
    EXPECT_EQ(run.Report("secondaryAtMain.reply"), "0");
    EXPECT_EQ(run.Report("secondaryAtMain.result"), "SecondaryMainVoidReturned");
    EXPECT_EQ(run.Report("secondaryAtMain.detach"), "0");
    EXPECT_EQ(run.Report("main.result"), "MainCallReturned");
    EXPECT_EQ(ReadFile(dump), "main entered\n"
                              "secondaryMain called with [second start]\n"
                              "main saw the call\n");
}
