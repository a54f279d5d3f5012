#pragma once
// A runtime folder of the test program's own (XDG_RUNTIME_DIR), made before Qt starts and removed
// at the end: without one Qt falls back to "runtime-<user>" in the shared temporary folder and
// leaves it there.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velloran::test {

class PrivateRuntime {
public:
    PrivateRuntime() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velloran-test-runtime-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {  // mode 0700
            m_folder = pattern;
            setenv("XDG_RUNTIME_DIR", m_folder.c_str(), 1);
        }
    }
    ~PrivateRuntime() {
        std::error_code ignored;
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
    }
    PrivateRuntime(const PrivateRuntime&) = delete;
    PrivateRuntime& operator=(const PrivateRuntime&) = delete;

private:
    std::string m_folder;
};

}  // namespace velloran::test
