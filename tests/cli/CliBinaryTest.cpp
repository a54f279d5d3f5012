// velloran-cli run as a program: output that cannot be written, saves past a file size limit,
// an output that is the input, text options that are not UTF-8, readings with values no list of
// the form shows, and readings too long to open again. VELLORAN_CLI_UNDER_TEST names another
// build of the tool to run the same rows against.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <fcntl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../core/RowName.h"
#include "CliSamples.h"
#include "input/ReadingFile.h"
#include "input/Scramble.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;

// Where the tool's standard output goes.
enum class Stdout { Pipe, Closed, DevFull };

struct Ran {
    bool exited = false;    // else killed by a signal
    bool timedOut = false;  // said nothing for 20 seconds and was killed
    int status = -1;
    std::string out, err;
};

std::string ToolPath() {
    const char* other = std::getenv("VELLORAN_CLI_UNDER_TEST");
    return other != nullptr && *other != '\0' ? other : VELLORAN_CLI_PATH;
}

// Runs the tool with args; fileSizeLimit (bytes) applies to the tool's process when not zero.
Ran RunTool(const std::vector<std::string>& args, Stdout stdoutMode = Stdout::Pipe,
            rlim_t fileSizeLimit = 0) {
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return {};
    const std::string tool = ToolPath();
    std::vector<char*> argv{const_cast<char*>(tool.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(errPipe[1], 2);
        if (stdoutMode == Stdout::Pipe) dup2(outPipe[1], 1);
        if (stdoutMode == Stdout::Closed) close(1);
        if (stdoutMode == Stdout::DevFull) {
            const int full = open("/dev/full", O_WRONLY);
            dup2(full, 1);
            close(full);
        }
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) close(fd);
        if (fileSizeLimit != 0) {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execv(tool.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    Ran ran;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&ran.out, &ran.err};
    int streamsOpen = 2;
    while (streamsOpen > 0 && poll(fds, 2, 20000) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --streamsOpen;
            }
        }
    }
    int status = 0;
    if (streamsOpen > 0) {
        // Silent for the whole wait: a hang, which the test reports rather than shares.
        ran.timedOut = true;
        kill(pid, SIGKILL);
        for (const pollfd& f : fds)
            if (f.fd >= 0) close(f.fd);
    }
    waitpid(pid, &status, 0);
    ran.exited = WIFEXITED(status);
    ran.status = ran.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return ran;
}

// The plain texts of Ann's reading in Delhi (zone 34, Indian Time).
std::vector<std::string> AnnLines() {
    return {"Ann", "3", "5",    "1980",  "7",     "5",     "34",    "77",   "12",
            "28",  "0", "True", "False", "False", "Delhi", "Delhi", "India"};
}

std::string FileOf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += ScrambleText(line) + "\r\n";
    return out;
}

// Each test works in a folder of its own under the system's temporary folder.
class CliBinaryTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder.emplace("velloran-cli-binary"); }
    void TearDown() override { m_folder.reset(); }

    std::string Path(const std::string& name) const { return m_folder->Path(name); }

    static std::string ReadFile(const std::string& path) { return test::ReadFileBytes(path); }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        test::WriteFileBytes(path, bytes);
    }
    std::vector<std::string> Entries() const { return m_folder->Entries(); }

    // Ann's reading at ann.vlr.
    std::string AnnReading() {
        const std::string path = Path("ann.vlr");
        WriteFile(path, FileOf(AnnLines()));
        return path;
    }

    std::optional<test::TempFolder> m_folder;
};

// A failure reported as one line on standard error that mentions what.
void ExpectOneLineFailure(const Ran& ran, const std::string& what) {
    EXPECT_TRUE(ran.exited) << "killed by signal " << ran.status;
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.err.rfind("velloran-cli: ", 0), 0u) << ran.err;
    EXPECT_EQ(ran.err.find('\n'), ran.err.size() - 1) << ran.err;
    EXPECT_NE(ran.err.find(what), std::string::npos) << ran.err;
}

// A reading that is a pipe (through a link, or by name) is refused at once by show and listed
// with its reason by list: neither waits for a writer.
TEST_F(CliBinaryTest, ListAndShowNeverWaitOnAPipe) {
    AnnReading();
    const std::string pipe = Path("pipe.vlr");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(symlink(pipe.c_str(), Path("k.vlr").c_str()), 0);
    for (const std::string& name : {std::string("k.vlr"), std::string("pipe.vlr")}) {
        const Ran shown = RunTool({"show", Path(name)});
        ASSERT_FALSE(shown.timedOut) << "show waited on the pipe";
        ExpectOneLineFailure(shown, "not a regular file");
    }
    const Ran listed = RunTool({"list", m_folder->dir().string()});
    ASSERT_FALSE(listed.timedOut) << "list waited on the pipe";
    EXPECT_EQ(listed.status, 0) << listed.err;
    for (const std::string& name : {std::string("k.vlr"), std::string("pipe.vlr")}) {
        const std::size_t at = listed.out.find(Path(name));
        ASSERT_NE(at, std::string::npos) << listed.out;
        EXPECT_NE(listed.out.find("(not a regular file)", at), std::string::npos) << listed.out;
    }
}

// Output that cannot be written is a failure for every command that writes to standard output
// (the old tool exited 0 on all of these rows).
struct OutputCase {
    const char* rowName;
    std::vector<std::string> args;  // "<ann>" stands for Ann's reading
    Stdout stdoutMode;
};

class OutputFailureTest : public CliBinaryTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(OutputFailureTest, IsReportedWithExitOne) {
    std::vector<std::string> args = GetParam().args;
    for (std::string& a : args) {
        if (a == "<ann>") a = AnnReading();
    }
    const Ran ran = RunTool(args, GetParam().stdoutMode);
    ExpectOneLineFailure(ran, "the output could not be written");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OutputFailureTest,
    ::testing::Values(OutputCase{"show_to_dev_full", {"show", "<ann>"}, Stdout::DevFull},
                      OutputCase{"show_json_closed", {"show", "<ann>", "--json"}, Stdout::Closed},
                      OutputCase{"export_to_dev_full", {"export", "<ann>"}, Stdout::DevFull},
                      OutputCase{"export_closed", {"export", "<ann>"}, Stdout::Closed},
                      OutputCase{"contacts_to_dev_full", {"contacts", "<ann>"}, Stdout::DevFull},
                      OutputCase{
                          "contacts_json_closed", {"contacts", "<ann>", "--json"}, Stdout::Closed},
                      OutputCase{"zones_to_dev_full", {"zones"}, Stdout::DevFull},
                      OutputCase{"zones_closed", {"zones"}, Stdout::Closed},
                      OutputCase{"help_to_dev_full", {"--help"}, Stdout::DevFull},
                      OutputCase{"version_closed", {"--version"}, Stdout::Closed}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST_F(CliBinaryTest, OutputThatIsWrittenIsSuccess) {
    const Ran ran = RunTool({"zones"});
    EXPECT_TRUE(ran.exited);
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.err, "");
    EXPECT_NE(ran.out.find("\n70\t"), std::string::npos);
}

// A save that cannot be completed (here: past the process's file size limit, as on a full disk)
// keeps the earlier file whole and leaves nothing beside it. The old tool truncated the earlier
// file and was killed by SIGXFSZ half-way.
struct LimitCase {
    const char* rowName;
    bool exportCommand;  // else new
};

class SavePastLimitTest : public CliBinaryTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(SavePastLimitTest, KeepsTheEarlierFile) {
    const std::string ann = AnnReading();
    const std::string target = Path(GetParam().exportCommand ? "out.txt" : "out.vlr");
    const std::string earlier(4096, 'e');
    WriteFile(target, earlier);
    const rlim_t limit = 20;  // bytes; both outputs are longer

    const Ran ran = GetParam().exportCommand
                        ? RunTool({"export", ann, "-o", target}, Stdout::Pipe, limit)
                        : RunTool(test::DelhiNewArgs(target), Stdout::Pipe, limit);

    ExpectOneLineFailure(ran, "cannot be written");
    EXPECT_EQ(ReadFile(target), earlier);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"ann.vlr", fs::path(target).filename()}));
}

INSTANTIATE_TEST_SUITE_P(Commands, SavePastLimitTest,
                         ::testing::Values(LimitCase{"new_reading", false},
                                           LimitCase{"export_text", true}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST_F(CliBinaryTest, SavesReplaceTheFileWhole) {
    const std::string target = Path("out.vlr");
    WriteFile(target, std::string(8192, 'x'));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const Ran ran = RunTool(test::DelhiNewArgs(target));
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::string saved = ReadFile(target);
    ASSERT_TRUE(ReadReadingFile(saved));
    EXPECT_EQ((*ReadReadingFile(saved))[0], "Ann Example");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.vlr"});
}

// export's output naming the reading itself is refused; the old tool replaced the reading with
// its export on every row.
enum class SameBy { Path, DotPath, HardLink, SymbolicLink };

struct SameFileCase {
    const char* rowName;
    SameBy by;
};

class SameFileTest : public CliBinaryTest, public ::testing::WithParamInterface<SameFileCase> {};

TEST_P(SameFileTest, ExportRefusesToReplaceItsInput) {
    const std::string ann = AnnReading();
    std::string output;
    switch (GetParam().by) {
        case SameBy::Path:
            output = ann;
            break;
        case SameBy::DotPath:
            output = (m_folder->dir() / "." / "ann.vlr").string();
            break;
        case SameBy::HardLink:
            output = Path("hard.txt");
            fs::create_hard_link(ann, output);
            break;
        case SameBy::SymbolicLink:
            output = Path("soft.txt");
            fs::create_symlink(ann, output);
            break;
    }

    const Ran ran = RunTool({"export", ann, "-o", output});

    ExpectOneLineFailure(ran, "is the reading file itself");
    EXPECT_EQ(ReadFile(ann), FileOf(AnnLines()));
}

INSTANTIATE_TEST_SUITE_P(Links, SameFileTest,
                         ::testing::Values(SameFileCase{"same_path", SameBy::Path},
                                           SameFileCase{"dot_in_path", SameBy::DotPath},
                                           SameFileCase{"hard_link", SameBy::HardLink},
                                           SameFileCase{"symbolic_link", SameBy::SymbolicLink}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST_F(CliBinaryTest, ExportToAnotherFileIsWritten) {
    const std::string ann = AnnReading();
    const Ran ran = RunTool({"export", ann, "-o", Path("ann.txt")});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ReadFile(Path("ann.txt")).rfind("Name: Ann\r\n", 0), 0u);
}

// Text options that are not UTF-8 are refused with one line and nothing written; the old tool
// stored them as U+FFFD.
struct NotUtf8Case {
    const char* rowName;
    const char* option;
    const char* value;
};

class NotUtf8Test : public CliBinaryTest, public ::testing::WithParamInterface<NotUtf8Case> {};

TEST_P(NotUtf8Test, NewRefusesTheOption) {
    std::vector<std::string> args = test::DelhiNewArgs(Path("out.vlr"));
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == GetParam().option) args[i + 1] = GetParam().value;
    }

    const Ran ran = RunTool(args);

    ExpectOneLineFailure(ran, std::string(GetParam().option) + ": the text is not UTF-8");
    EXPECT_FALSE(fs::exists(Path("out.vlr")));
}

INSTANTIATE_TEST_SUITE_P(
    Options, NotUtf8Test,
    ::testing::Values(NotUtf8Case{"name_ff_fe", "--name", "\xff\xfeZ"},
                      NotUtf8Case{"city_cut_sequence", "--city", "Z\xc3"},
                      NotUtf8Case{"state_overlong_slash", "--state", "\xc0\xaf"},
                      NotUtf8Case{"country_surrogate", "--country", "\xed\xa0\x80"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// Readings with a value no list of the form shows are damaged; the old tool charted them with the
// list's first entry (1905, 0 h, 0 min, zone 0) and exited 0.
struct ListValueCase {
    const char* rowName;
    int line;
    const char* text;
};

class ListValueTest : public CliBinaryTest, public ::testing::WithParamInterface<ListValueCase> {};

TEST_P(ListValueTest, ShowAndExportRefuseTheReading) {
    std::vector<std::string> lines = AnnLines();
    lines[GetParam().line] = GetParam().text;
    const std::string path = Path("odd.vlr");
    WriteFile(path, FileOf(lines));
    for (const char* command : {"show", "export"}) {
        SCOPED_TRACE(command);
        const Ran ran = RunTool({command, path});
        ExpectOneLineFailure(ran, "damaged reading file");
        EXPECT_EQ(ran.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ListValueTest,
    ::testing::Values(ListValueCase{"year_1904", 3, "1904"}, ListValueCase{"hour_24", 4, "24"},
                      ListValueCase{"minute_60", 5, "60"}, ListValueCase{"zone_71", 6, "71"},
                      ListValueCase{"zone_minus_1", 6, "-1"},
                      ListValueCase{"zone_20_digits", 6, "12345678901234567890"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// A name too long for a reading to open again is refused before anything is written; the old
// tool wrote it (the CJK row as a file bigger than opening reads).
struct LongNameCase {
    const char* rowName;
    std::string name;
};

class LongNameTest : public CliBinaryTest, public ::testing::WithParamInterface<LongNameCase> {};

TEST_P(LongNameTest, NewRefusesIt) {
    std::vector<std::string> args = test::DelhiNewArgs(Path("out.vlr"));
    args[2] = GetParam().name;

    const Ran ran = RunTool(args);

    ExpectOneLineFailure(ran, "new: the name is longer than 2000 characters");
    EXPECT_FALSE(fs::exists(Path("out.vlr")));
}

std::string Repeated(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

INSTANTIATE_TEST_SUITE_P(Names, LongNameTest,
                         ::testing::Values(LongNameCase{"letters_2001", std::string(2001, 'A')},
                                           LongNameCase{"cjk_11000", Repeated("\u6771", 11000)}),
                         [](const auto& info) { return std::string(info.param.rowName); });

TEST_F(CliBinaryTest, NameOfTheBoxLengthIsSavedAndOpens) {
    std::vector<std::string> args = test::DelhiNewArgs(Path("out.vlr"));
    args[2] = Repeated("\u6771", 2000);
    ASSERT_EQ(RunTool(args).status, 0);
    const Ran shown = RunTool({"show", Path("out.vlr")});
    EXPECT_EQ(shown.status, 0) << shown.err;
}

}  // namespace
}  // namespace velloran
