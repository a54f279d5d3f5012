#include "collection/ReadingsFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "reading/ManyReadings.h"
#include "reading/ReadingOpen.h"

namespace velloran {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSuffix = ".vlr";

bool IsReadingName(const std::string& name) {
    return name.size() > kSuffix.size() &&
           name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

// The file's bytes, or nothing with the reason as the command-line tool words it.
std::optional<std::string> ReadBytes(const std::string& path, std::string& reason) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot be opened";
        return std::nullopt;
    }
    std::string bytes(kMaxReadingBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        reason = "cannot be read";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxReadingBytes) {
        reason = "larger than " + std::to_string(kMaxReadingBytes) + " bytes";
        return std::nullopt;
    }
    return bytes;
}

std::string ReasonOf(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory) return "no such folder";
    if (ec == std::errc::not_a_directory) return "not a folder";
    if (ec == std::errc::permission_denied) return "cannot be read: permission denied";
    return "cannot be read: " + ec.message();
}

int SignOf(const Chart& chart, ChartBody body) { return chart[body].sign; }

std::array<int, kListedSigns> ListedSigns(const Chart& chart) {
    return {SignOf(chart, ChartBody::Sun), SignOf(chart, ChartBody::Moon), chart.risingSign()};
}

}  // namespace

FolderReading ReadingFromBytes(std::string path, std::string_view bytes) {
    FolderReading entry;
    entry.path = std::move(path);
    const auto lines = ReadReadingFile(bytes);
    FormInput form;  // a fresh form, as a reading opens into
    if (!lines || !ApplyReadingToForm(*lines, form)) {
        entry.error = "damaged reading file";
        return entry;
    }
    entry.birth = BirthFromForm(form).birth;
    entry.form = std::move(form);
    return entry;
}

FolderScan ScanReadingsFolder(const std::string& folder) {
    FolderScan scan;
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (ec || !fs::is_directory(status)) {
        scan.error = ec ? ReasonOf(ec) : "not a folder";
        return scan;
    }
    std::vector<fs::path> pending{fs::path(folder)};
    bool top = true;
    while (!pending.empty()) {
        const fs::path dir = std::move(pending.back());
        pending.pop_back();
        fs::directory_iterator it(dir, ec);
        if (ec) {
            // The folder asked for must be readable; a subfolder that is not is passed over.
            if (top) {
                scan.error = ReasonOf(ec);
                return scan;
            }
            continue;
        }
        top = false;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            const fs::directory_entry& entry = *it;
            std::error_code typeError;
            // A link to a folder is not followed: it could lead back up the tree.
            if (entry.is_directory(typeError) && !entry.is_symlink(typeError)) {
                pending.push_back(entry.path());
                continue;
            }
            const std::string name = entry.path().filename().string();
            if (!IsReadingName(name) || !entry.is_regular_file(typeError)) continue;
            const std::string path = entry.path().string();
            std::string reason;
            if (auto bytes = ReadBytes(path, reason)) {
                scan.readings.push_back(ReadingFromBytes(path, *bytes));
            } else {
                FolderReading unreadable;
                unreadable.path = path;
                unreadable.error = reason;
                scan.readings.push_back(std::move(unreadable));
            }
        }
    }
    std::sort(scan.readings.begin(), scan.readings.end(),
              [](const FolderReading& a, const FolderReading& b) { return a.path < b.path; });
    return scan;
}

ReadingSigns ComputeSigns(const FolderReading& reading, const PositionsSource& source) {
    ReadingSigns signs;
    if (!reading.form) {
        signs.error = reading.error;
        return signs;
    }
    const OpenOutcome outcome = CheckAndCalculate(*reading.form, true, source);
    switch (outcome.status) {
        case OpenStatus::Damaged:
            signs.error = "damaged reading file";
            break;
        case OpenStatus::Invalid:
            signs.error = outcome.failure->message;
            break;
        case OpenStatus::Failed:
            signs.error = outcome.error;
            break;
        case OpenStatus::Calculated:
            signs.natal = ListedSigns(outcome.reading->natal);
            signs.draconic = ListedSigns(outcome.reading->draconic);
            break;
    }
    return signs;
}

std::vector<ReadingSigns> ComputeAllSigns(const std::vector<FolderReading>& readings,
                                          const PositionsChoice& choice) {
    std::vector<ReadingSigns> signs(readings.size());
    ForEachReading(readings.size(), choice, [&](std::size_t i, const PositionsSource& source) {
        signs[i] = ComputeSigns(readings[i], source);
    });
    return signs;
}

}  // namespace velloran
