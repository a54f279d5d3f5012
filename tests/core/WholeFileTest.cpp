// Whole-file saving: a save either puts the complete new bytes at the path or leaves what was
// there as it was, and never leaves a temporary file beside it.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "RowName.h"
#include "output/WholeFile.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;

// What is at the target's path before the save.
enum class Before {
    Nothing,
    OwnerOnlyFile,
    LinkToFile,
    LinkToNothing,
    Folder,
    Pipe,
    MissingFolder,
    FileOverSizeLimit,
    HardLinkedFile
};

struct SaveCase {
    const char* rowName;
    Before before;
    bool saved;
    const char* reason;  // the start of the reason when not saved
};

class WholeFileTest : public ::testing::TestWithParam<SaveCase> {
protected:
    void SetUp() override { m_folder.emplace("velloran-whole-file"); }
    void TearDown() override { m_folder.reset(); }

    std::string Path(const std::string& name) const { return m_folder->Path(name); }
    static std::string Read(const std::string& path) { return test::ReadFileBytes(path); }
    static void Write(const std::string& path, const std::string& bytes) {
        test::WriteFileBytes(path, bytes);
    }
    std::vector<std::string> Entries() const { return m_folder->Entries(); }

    std::optional<test::TempFolder> m_folder;
};

// A file size limit for this process, with SIGXFSZ ignored so that a write past it fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

TEST_P(WholeFileTest, SavesWholeOrKeepsWhatWasThere) {
    const SaveCase& c = GetParam();
    const std::string earlier(4096, 'e');
    const std::string bytes = "new reading\r\n";
    std::string target = Path("out.vlr");
    std::vector<std::string> after{"out.vlr"};
    switch (c.before) {
        case Before::Nothing:
            break;
        case Before::OwnerOnlyFile:
            Write(target, earlier);
            fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
            break;
        case Before::LinkToFile:
            Write(Path("real.vlr"), earlier);
            fs::create_symlink("real.vlr", target);
            after = {"out.vlr", "real.vlr"};
            break;
        case Before::LinkToNothing:
            fs::create_symlink("made.vlr", target);
            after = {"made.vlr", "out.vlr"};
            break;
        case Before::Folder:
            fs::create_directory(target);
            break;
        case Before::Pipe:
            ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
            break;
        case Before::MissingFolder:
            target = Path("no such folder/out.vlr");
            after = {};
            break;
        case Before::FileOverSizeLimit:
            Write(target, earlier);
            break;
        case Before::HardLinkedFile:
            Write(Path("other.vlr"), earlier);
            fs::create_hard_link(Path("other.vlr"), target);
            after = {"other.vlr", "out.vlr"};
            break;
    }

    std::string reason;
    bool saved = false;
    if (c.before == Before::FileOverSizeLimit) {
        FileSizeLimit limit(4);
        saved = WriteWholeFile(target, bytes, reason);
    } else {
        saved = WriteWholeFile(target, bytes, reason);
    }

    EXPECT_EQ(saved, c.saved) << reason;
    EXPECT_EQ(Entries(), after);  // nothing beside the target
    if (c.saved) {
        EXPECT_EQ(Read(target), bytes);
    } else {
        EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << reason;
    }
    switch (c.before) {
        case Before::OwnerOnlyFile:
            EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write);
            break;
        case Before::LinkToFile:
        case Before::LinkToNothing:
            EXPECT_TRUE(fs::is_symlink(target));  // the link stays; its file has the bytes
            break;
        case Before::Folder:
            EXPECT_TRUE(fs::is_directory(target));
            break;
        case Before::Pipe:
            EXPECT_TRUE(fs::is_fifo(target));
            break;
        case Before::FileOverSizeLimit:
            EXPECT_EQ(Read(target), earlier);
            break;
        case Before::HardLinkedFile:
            EXPECT_EQ(Read(target), earlier);
            EXPECT_EQ(fs::hard_link_count(target), 2u);
            break;
        default:
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, WholeFileTest,
    ::testing::Values(SaveCase{"new_file", Before::Nothing, true, ""},
                      SaveCase{"replaces_a_file_keeping_its_permissions", Before::OwnerOnlyFile,
                               true, ""},
                      SaveCase{"through_a_link", Before::LinkToFile, true, ""},
                      SaveCase{"through_a_link_to_nothing", Before::LinkToNothing, true, ""},
                      SaveCase{"folder_refused", Before::Folder, false, "is a folder"},
                      SaveCase{"pipe_refused", Before::Pipe, false, "not a regular file"},
                      SaveCase{"missing_folder", Before::MissingFolder, false, "cannot be created"},
                      SaveCase{"past_the_file_size_limit", Before::FileOverSizeLimit, false,
                               "cannot be written: File too large"},
                      SaveCase{"hard_linked_file_refused", Before::HardLinkedFile, false,
                               "has other names (hard links)"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// Runs body with the effective user id of another user (nobody), as root can.
template <typename Body>
void AsAnotherUser(Body body) {
    ASSERT_EQ(::seteuid(65534), 0);
    body();
    ASSERT_EQ(::seteuid(0), 0);
}

// A reading its owner made read-only is not replaced, in the program and the command line alike,
// with the system's message; a writable one is.
TEST(WholeFileProtection, AFileTheUserMayNotWriteIsKept) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    // The other user must be able to reach the file: a private TMPDIR is no place for it.
    const std::filesystem::path root = test::TempRootOthersMayEnter();
    if (root.empty()) GTEST_SKIP() << "no temporary folder another user may enter";
    test::TempFolder dir("velloran-protected", root);
    ASSERT_EQ(::chmod(dir.dir().c_str(), 0777), 0);
    const std::string path = dir.Path("reading.vlr");
    test::WriteFileBytes(path, "earlier");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    std::string reason;
    bool saved = true;
    AsAnotherUser([&] { saved = WriteWholeFile(path, "new", reason); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(reason, "cannot be written: Permission denied");
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"reading.vlr"});
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    AsAnotherUser([&] { saved = WriteWholeFile(path, "new", reason); });
    EXPECT_TRUE(saved) << reason;
    EXPECT_EQ(test::ReadFileBytes(path), "new");
}

// Root saving over another user's file leaves it theirs, with its group and permissions; a user
// who may write another's file but cannot give a file away is refused, and the file is kept.
TEST(WholeFileProtection, AnotherUsersFileKeepsItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "files of another user need root";
    const std::filesystem::path root = test::TempRootOthersMayEnter();
    if (root.empty()) GTEST_SKIP() << "no temporary folder another user may enter";
    test::TempFolder dir("velloran-owner", root);
    ASSERT_EQ(::chmod(dir.dir().c_str(), 0777), 0);
    const std::string theirs = dir.Path("theirs.vlr");
    test::WriteFileBytes(theirs, "earlier");
    ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0640), 0);
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(theirs, "new", reason)) << reason;
    struct stat st {};
    ASSERT_EQ(::stat(theirs.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(test::ReadFileBytes(theirs), "new");

    const std::string roots = dir.Path("roots.vlr");
    test::WriteFileBytes(roots, "earlier");
    ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
    bool saved = true;
    AsAnotherUser([&] { saved = WriteWholeFile(roots, "new", reason); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(reason.rfind("is another user's file", 0), 0u) << reason;
    EXPECT_EQ(test::ReadFileBytes(roots), "earlier");
    ASSERT_EQ(::stat(roots.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"roots.vlr", "theirs.vlr"}));
}

// In a sticky folder anyone may write to, another user's link is not followed (the kernel's
// protected-symlinks rule); one's own link still is.
TEST(WholeFileProtection, AnotherUsersLinkInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
    test::TempFolder dir("velloran-sticky");
    ASSERT_EQ(::chmod(dir.dir().c_str(), 01777), 0);
    const std::string victim = dir.Path("victim.txt"), planted = dir.Path("planted.vlr");
    test::WriteFileBytes(victim, "precious");
    ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);
    ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
    std::string reason;
    EXPECT_FALSE(WriteWholeFile(planted, "reading", reason));
    EXPECT_EQ(reason, "is a link of another user's in a shared folder");
    EXPECT_EQ(test::ReadFileBytes(victim), "precious");

    const std::string own = dir.Path("own.vlr");
    ASSERT_EQ(::symlink(victim.c_str(), own.c_str()), 0);
    EXPECT_TRUE(WriteWholeFile(own, "reading", reason)) << reason;
    EXPECT_EQ(test::ReadFileBytes(victim), "reading");
}

// A save killed between naming its temporary file and renaming it leaves ".velloran-<pid>-<n>"
// beside the reading; the next save in that folder removes it once that process is gone, and
// leaves the temporaries of running processes and every other file alone.
TEST(WholeFileLeftovers, TheNextSaveRemovesTheTemporariesOfEndedProcesses) {
    test::TempFolder folder("velloran-wholefile-leftovers");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);  // a process number no process has now
    const std::string ended = ".velloran-" + std::to_string(child) + "-0";
    const std::string mine = ".velloran-" + std::to_string(getpid()) + "-3";
    for (const std::string& name : {ended, mine, std::string(".velloran-1-0"),
                                    std::string(".velloran-x-0"), std::string("notes.txt")})
        test::WriteFileBytes(folder.Path(name), "left");
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(folder.Path("reading.vlr"), "reading", reason)) << reason;
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{".velloran-1-0", mine, ".velloran-x-0",
                                                          "notes.txt", "reading.vlr"}));
}

TEST(IsSameFile, SameInodeThroughLinksOnly) {
    const fs::path dir = fs::temp_directory_path() / ("velloran-same-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream((dir / "a").string()) << "a";
    std::ofstream((dir / "b").string()) << "a";
    fs::create_hard_link(dir / "a", dir / "hard");
    fs::create_symlink(dir / "a", dir / "soft");
    EXPECT_TRUE(IsSameFile((dir / "a").string(), (dir / "a").string()));
    EXPECT_TRUE(IsSameFile((dir / "a").string(), (dir / "." / "a").string()));
    EXPECT_TRUE(IsSameFile((dir / "a").string(), (dir / "hard").string()));
    EXPECT_TRUE(IsSameFile((dir / "soft").string(), (dir / "a").string()));
    EXPECT_FALSE(IsSameFile((dir / "a").string(), (dir / "b").string()));  // same bytes only
    EXPECT_FALSE(IsSameFile((dir / "a").string(), (dir / "missing").string()));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace velloran
