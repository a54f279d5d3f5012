#pragma once
// A folder of the running test's own under the system's temporary folder, made empty on
// construction and removed with everything in it on destruction, and whole-file reads and writes
// for the files tests put there.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace velloran::test {

// The bytes of the file at path (empty when it cannot be read).
inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The folders a TempFolder may go in: the system's temporary folder (TMPDIR), which a user may
// have set to a long path of their own that no one else may enter, and /tmp.
inline std::vector<std::filesystem::path> TempRoots() {
    return {std::filesystem::temp_directory_path(), "/tmp"};
}

// True when every folder from the root down to folder may be entered by other users.
inline bool OthersMayEnter(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::path at = fs::weakly_canonical(folder, ec);; at = at.parent_path()) {
        const fs::perms p = fs::status(at, ec).permissions();
        if (ec || (p & fs::perms::others_exec) == fs::perms::none) return false;
        if (at == at.root_path() || at.empty()) return true;
    }
}

// A temporary root that another user (a test acting as nobody) can reach: TMPDIR when others may
// enter it, else /tmp; empty when neither.
inline std::filesystem::path TempRootOthersMayEnter() {
    for (const auto& root : TempRoots())
        if (OthersMayEnter(root)) return root;
    return {};
}

// A temporary root short enough that a Unix socket named within a test's folder in it fits the
// 107 bytes of a socket's name: TMPDIR when it is short, else /tmp.
inline std::filesystem::path TempRootForSockets() {
    constexpr std::size_t kRoom = 107 - 100;  // the longest test folder and socket name take 100
    const std::filesystem::path tmp = std::filesystem::temp_directory_path();
    return tmp.string().size() <= kRoom ? tmp : std::filesystem::path("/tmp");
}

class TempFolder {
public:
    // <root>/<prefix>-<pid>-<suite>-<test>, root the system's temporary folder unless given; a
    // parameterised test's '/' becomes '-', so each test has one folder and nothing is left
    // inside another.
    explicit TempFolder(std::string_view prefix, const std::filesystem::path& root = {}) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(prefix) + "-" + std::to_string(getpid());
        if (info != nullptr)
            name += std::string("-") + info->test_suite_name() + "-" + info->name();
        std::replace(name.begin(), name.end(), '/', '-');
        m_dir = (root.empty() ? std::filesystem::temp_directory_path() : root) / name;
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& dir() const { return m_dir; }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // The names in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_dir))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_dir;
};

}  // namespace velloran::test
