// velloran-cli list (batch is in CliBatch.cpp).

#include "cli/CliCollection.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ostream>
#include <vector>

#include "cli/CliReport.h"
#include "cli/CliText.h"
#include "collection/Csv.h"
#include "collection/ReadingsFolder.h"
#include "domain/Bodies.h"
#include "domain/Text.h"
#include "input/FormCopy.h"
#include "input/Validation.h"
#include "reading/Contacts.h"
#include "reading/ManyReadings.h"

namespace velloran {

namespace {

constexpr std::string_view kProgram = kCliProgram;

int Fail(std::ostream& err, const std::string& message) {
    err << kProgram << message << '\n';
    return kExitFailure;
}

std::string Padded(std::string text, std::size_t width) {
    const std::size_t chars = CharacterCount(text);
    if (chars < width) text.append(width - chars, ' ');
    return text;
}

// "1980-01-15" and "10:30".
std::string DateText(const BirthData& b) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", b.Year, b.Month, b.Day);
    return buffer;
}
std::string TimeText(const BirthData& b) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", b.Hour, b.Minute);
    return buffer;
}

std::string PlaceText(const BirthData& b) {
    std::string place;
    for (const std::string* part : {&b.City, &b.State, &b.Country}) {
        if (part->empty()) continue;
        if (!place.empty()) place += ", ";
        place += *part;
    }
    return place;
}

std::string SignText(int sign) { return sign < 0 ? "-" : std::string(kSignNames[sign]); }
std::string SignJson(int sign) { return sign < 0 ? "null" : JsonString(kSignNames[sign]); }

std::string SignsJson(const std::array<int, kListedSigns>& signs) {
    return "{\"sun\": " + SignJson(signs[0]) + ", \"moon\": " + SignJson(signs[1]) +
           ", \"rising\": " + SignJson(signs[2]) + "}";
}

std::string ListJson(const std::vector<FolderReading>& readings,
                     const std::vector<ReadingSigns>& signs) {
    if (readings.empty()) return "[]\n";
    std::string out = "[\n";
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const FolderReading& r = readings[i];
        const ReadingSigns& s = signs[i];
        const BirthData& b = r.birth;
        out += "  {\"file\": " + JsonString(r.path);
        if (r.form) {
            out += ", \"name\": " + JsonString(b.Name) +
                   ", \"birth\": {\"date\": " + JsonString(DateText(b)) +
                   ", \"time\": " + JsonString(TimeText(b)) +
                   ", \"zoneIndex\": " + std::to_string(r.form->zoneIndex) +
                   ", \"daylightSaving\": " + (b.DaylightSaving ? "true" : "false") +
                   "}, \"place\": {\"city\": " + JsonString(b.City) +
                   ", \"state\": " + JsonString(b.State) +
                   ", \"country\": " + JsonString(b.Country) + "}";
        } else {
            out += ", \"name\": null, \"birth\": null, \"place\": null";
        }
        if (s.error.empty()) {
            out += ", \"natal\": " + SignsJson(s.natal) +
                   ", \"draconic\": " + SignsJson(s.draconic) + ", \"error\": null}";
        } else {
            out += ", \"natal\": null, \"draconic\": null, \"error\": " + JsonString(s.error) + "}";
        }
        out += i + 1 < readings.size() ? ",\n" : "\n";
    }
    return out + "]\n";
}

// Aligned columns, one reading a line; a reading that cannot be calculated shows its reason in
// place of the signs.
std::string ListText(const std::vector<FolderReading>& readings,
                     const std::vector<ReadingSigns>& signs) {
    std::vector<std::vector<std::string>> rows;
    rows.push_back({"File", "Name", "Born", "Place", "Natal Sun", "Natal Moon", "Natal Rising",
                    "Draconic Sun", "Draconic Moon", "Draconic Rising"});
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const FolderReading& r = readings[i];
        std::vector<std::string> row{ShownName(r.path)};
        if (r.form) {
            row.insert(row.end(),
                       {std::string(TrimBlanks(r.birth.Name)),
                        DateText(r.birth) + " " + TimeText(r.birth), PlaceText(r.birth)});
        } else {
            row.insert(row.end(), {"", "", ""});
        }
        if (signs[i].error.empty()) {
            for (const auto* chart : {&signs[i].natal, &signs[i].draconic})
                for (int sign : *chart) row.push_back(SignText(sign));
        } else {
            row.push_back("(" + signs[i].error + ")");
        }
        rows.push_back(std::move(row));
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        // The last cell of a row is not padded: an error's text does not widen the columns.
        for (std::size_t c = 0; c + 1 < row.size(); ++c)
            widths[c] = std::max(widths[c], CharacterCount(row[c]));
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? Padded(row[c], widths[c] + 2) : row[c];
        out += line + "\n";
    }
    return out;
}

}  // namespace

int RunList(const ListCommand& cmd, std::ostream& out, std::ostream& err) {
    const std::string folder = cmd.folder.empty() ? ProgramReadingsFolder() : cmd.folder;
    if (folder.empty())
        return Fail(err,
                    "list: no folder given, and no home folder to find the readings folder in");
    const FolderScan scan = ScanReadingsFolder(folder);
    if (!scan.error.empty()) {
        // The program's folder before anything was saved: nothing to list, which is no fault.
        if (cmd.folder.empty() && scan.error == "no such folder") {
            err << kProgram << "list: " << Quoted(folder, folder.size())
                << ": no readings yet (the program makes this folder when a reading is first "
                   "saved)\n";
            out << (cmd.json ? ListJson({}, {}) : ListText({}, {}));
            return out ? kExitOk : kExitFailure;
        }
        return Fail(err, "list: " + Quoted(folder) + ": " + scan.error);
    }
    const std::vector<ReadingSigns> signs = ComputeAllSigns(scan.readings, cmd.positions);
    out << (cmd.json ? ListJson(scan.readings, signs) : ListText(scan.readings, signs));
    return out ? kExitOk : kExitFailure;
}

}  // namespace velloran
