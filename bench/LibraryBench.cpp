// The readings library with 10,000 readings: the folder listed, every reading's signs (classic
// and precise positions, on every core), the table filled, and one keystroke of the search
// answered with the table sorted by date.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "BenchBirths.h"
#include "collection/ReadingsFolder.h"
#include "collection/gui/LibraryModel.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"

namespace velloran::bench {
namespace {

constexpr int kReadings = 10000;

// A folder of kReadings reading files in ten subfolders, made once for the run.
QString LibraryFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        const std::vector<BenchBirth> births = MakeBenchBirths(kReadings);
        const char* cities[] = {"Pune", "London", "New York", "Lagos", "Lima"};
        for (int i = 0; i < kReadings; ++i) {
            FormInput form = births[i].form;
            form.name = "Person " + std::to_string(i);
            form.city = cities[i % 5];
            const QString sub = QStringLiteral("group%1").arg(i % 10);
            QDir(dir.path()).mkpath(sub);
            QFile file(QDir(dir.path()).filePath(sub + QStringLiteral("/r%1.vlr").arg(i)));
            if (!file.open(QIODevice::WriteOnly)) return false;
            const std::string bytes = WriteReadingFile(BirthFromForm(form).birth, form.zoneIndex);
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        return true;
    }();
    if (!made) std::abort();
    return dir.path();
}

void BM_LibraryScan(benchmark::State& state) {
    const std::string folder = LibraryFolder().toStdString();
    for (auto _ : state) benchmark::DoNotOptimize(ScanReadingsFolder(folder));
}
BENCHMARK(BM_LibraryScan)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LibrarySigns(benchmark::State& state) {
    const FolderScan scan = ScanReadingsFolder(LibraryFolder().toStdString());
    PositionsChoice choice;
    choice.positions = state.range(0) ? PositionsKind::Precise : PositionsKind::Classic;
    for (auto _ : state) benchmark::DoNotOptimize(ComputeAllSigns(scan.readings, choice));
    state.SetLabel(state.range(0) ? "precise" : "classic");
}
BENCHMARK(BM_LibrarySigns)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LibraryTableFill(benchmark::State& state) {
    const FolderScan scan = ScanReadingsFolder(LibraryFolder().toStdString());
    const std::vector<ReadingSigns> signs = ComputeAllSigns(scan.readings, {});
    LibraryModel model;
    LibraryFilter filter(&model);
    filter.sort(LibraryModel::Born);
    for (auto _ : state) {
        model.setReadings(scan.readings);
        model.setSigns(signs);
        benchmark::DoNotOptimize(filter.rowCount());
    }
}
BENCHMARK(BM_LibraryTableFill)->Unit(benchmark::kMillisecond)->UseRealTime();

// One keystroke: "l" narrows to the rows with an l, "lo" to London's, then back to all.
void BM_LibrarySearchKeystroke(benchmark::State& state) {
    const FolderScan scan = ScanReadingsFolder(LibraryFolder().toStdString());
    LibraryModel model;
    LibraryFilter filter(&model);
    model.setReadings(scan.readings);
    filter.sort(LibraryModel::Born);
    const QString steps[] = {"l", "lo", "lon", "lo", "l", ""};
    for (auto _ : state) {
        for (const QString& text : steps) {
            filter.setSearch(text);
            benchmark::DoNotOptimize(filter.rowCount());
        }
    }
    state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(BM_LibrarySearchKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velloran::bench
