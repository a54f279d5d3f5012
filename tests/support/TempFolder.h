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

class TempFolder {
public:
    // <temp>/<prefix>-<pid>-<suite>-<test>; a parameterised test's '/' becomes '-', so each test
    // has one folder and nothing is left inside another.
    explicit TempFolder(std::string_view prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(prefix) + "-" + std::to_string(getpid());
        if (info != nullptr)
            name += std::string("-") + info->test_suite_name() + "-" + info->name();
        std::replace(name.begin(), name.end(), '/', '-');
        m_dir = std::filesystem::temp_directory_path() / name;
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
