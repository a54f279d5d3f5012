// Every test program keeps the atlas cache (and anything else in the user's cache folder) in a
// folder of its own, removed at the end, so no test reads or writes the real one.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class TempCacheHome : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velloran-test-cache-XXXXXX").string();
        if (!mkdtemp(pattern.data())) FAIL() << "no temporary cache folder";
        m_folder = pattern;
        setenv("XDG_CACHE_HOME", m_folder.c_str(), 1);
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
