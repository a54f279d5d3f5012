// velloran-cli batch over 10,000 to 1,000,000 classic births, to CSV and to JSON Lines: the time
// of the whole command (the births file read in pieces, every core calculating, the rows written
// in order) and the process's peak resident memory after it, which must stay far below 100 MB
// however many rows there are.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/Cli.h"

namespace velloran::bench {
namespace {

namespace fs = std::filesystem;

// A folder of the run's own for the births files and outputs, removed when the run ends.
struct BenchFolderOwner {
    fs::path path =
        fs::temp_directory_path() / ("velloran-batch-bench-" + std::to_string(getpid()));
    BenchFolderOwner() { fs::create_directories(path); }
    ~BenchFolderOwner() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

fs::path BenchFolder() {
    static const BenchFolderOwner folder;
    return folder.path;
}

// A births file of `rows` made-up births (every zone, both hemispheres), written once a size.
std::string BirthsFile(long rows) {
    const fs::path path = BenchFolder() / ("births-" + std::to_string(rows) + ".csv");
    if (fs::exists(path)) return path.string();
    std::ofstream out(path, std::ios::binary);
    out << "name,date,time,zone,lat,lon,dst,city,state,country\n";
    char line[160];
    for (long i = 0; i < rows; ++i) {
        std::snprintf(line, sizeof line,
                      "Person %ld,%04ld-%02ld-%02ld,%02ld:%02ld,%ld,%ld:%02ld%c,%ld:%02ld%c,no,"
                      "City,State,Country\n",
                      i, 1905 + i % 146, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 71, i % 66,
                      (i * 7) % 60, i % 2 ? 'N' : 'S', i % 180, (i * 11) % 60, i % 3 ? 'E' : 'W');
        out << line;
    }
    return path.string();
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_Batch(benchmark::State& state, const char* ending) {
    const long rows = state.range(0);
    const std::string births = BirthsFile(rows);
    const std::string output = (BenchFolder() / (std::string("out.") + ending)).string();
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunCli({"batch", births, "-o", output}, out, err) != kExitOk) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["output_MB"] = static_cast<double>(fs::file_size(output)) / (1 << 20);
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
    fs::remove(output);
}

// Smallest first: the peak of the process so far is then the largest run's own.
BENCHMARK_CAPTURE(BM_Batch, csv, "csv")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Batch, jsonl, "jsonl")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace velloran::bench
