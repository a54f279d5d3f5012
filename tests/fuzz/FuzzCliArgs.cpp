// Fuzzes velloran-cli's argument handling in-process. The input is split at NUL bytes into
// arguments; files live in memory (reads see one valid reading under any name ending in "vlr",
// writes are kept in memory), so nothing on disk is touched.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "input/ReadingFile.h"

using namespace velloran;

namespace {

class MemoryFiles : public CliFiles {
public:
    std::optional<std::string> Read(const std::string& path, std::size_t limit,
                                    std::string& reason) override {
        if (path == "missing.vlr" || path.empty()) {
            reason = "no such file";
            return std::nullopt;
        }
        if (path == "damaged.vlr") return std::string("\x01\x02", 2);
        BirthData b;
        b.Name = path;  // the name line carries fuzzed bytes through the scrambler
        b.Month = 3, b.Day = 5, b.Year = 1980, b.Hour = 7, b.Minute = 5;
        b.LatDeg = 28, b.LonDeg = 77, b.LonMin = 12, b.LongEast = true;
        b.City = "Delhi", b.State = "Delhi", b.Country = "India";
        std::string bytes = WriteReadingFile(b, 34);
        if (bytes.size() > limit) {
            reason = "too large";
            return std::nullopt;
        }
        return bytes;
    }
    bool Write(const std::string& path, std::string_view bytes, std::string& reason) override {
        if (path.empty()) {
            reason = "empty file name";
            return false;
        }
        written = std::string(bytes);
        return true;
    }
    bool SameFile(const std::string& a, const std::string& b) override { return a == b; }
    std::string written;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back().push_back(static_cast<char>(data[i]));
        }
    }
    MemoryFiles files;
    std::ostringstream out, err;
    int status = RunCli(args, out, err, files);
    std::string errors = err.str();
    // Every failure is reported on exactly one line.
    if (status != 0 && (errors.empty() || errors.find('\n') != errors.size() - 1)) __builtin_trap();
    if (status == 0 && !errors.empty()) __builtin_trap();
    return 0;
}
