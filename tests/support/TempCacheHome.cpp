// Every test program keeps the atlas cache (and anything else in the user's cache folder) and the
// runtime folder (the instance lock and socket, Qt's runtime files) in a folder of its own,
// removed at the end, so no test reads or writes the real ones or leaves Qt's fallback
// "runtime-<user>" in the shared temporary folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace {

class TempCacheHome : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velloran-test-cache-XXXXXX").string();
        if (!mkdtemp(pattern.data())) FAIL() << "no temporary cache folder";
        m_folder = pattern;
        setenv("XDG_CACHE_HOME", m_folder.c_str(), 1);
        const std::string runtime = m_folder + "/runtime";
        if (mkdir(runtime.c_str(), 0700) != 0) FAIL() << "no temporary runtime folder";
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    void TearDown() override {
        std::error_code error;
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder, error);
    }

private:
    std::string m_folder;
};

[[maybe_unused]] const auto* const kRegistered =
    ::testing::AddGlobalTestEnvironment(new TempCacheHome);

}  // namespace
