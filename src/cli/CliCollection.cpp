// velloran-cli list and batch.

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
// Largest births file batch reads: some millions of rows.
constexpr std::size_t kBatchInputLimit = std::size_t{1} << 30;

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

// The columns a births file may have.
constexpr std::array<std::string_view, 11> kBatchColumns = {
    "name", "date", "time", "zone", "lat", "lon", "dst", "city", "state", "country", "place"};
enum BatchColumn { kName, kDate, kTime, kZone, kLat, kLon, kDst, kCity, kState, kCountry, kPlace };

// One birth of the file: its form's values, or why the form would refuse it.
struct BatchBirth {
    std::string name;
    std::optional<FormInput> form;
    std::string error;
};

std::string WithoutCommandWord(std::string message) {
    constexpr std::string_view kNew = "new: ";
    if (message.rfind(kNew, 0) == 0) message.erase(0, kNew.size());
    return message;
}

BatchBirth PrepareBirth(const CsvRow& row, const std::array<int, kBatchColumns.size()>& at,
                        std::size_t columns) {
    BatchBirth birth;
    const auto field = [&](BatchColumn c) -> std::optional<std::string> {
        if (at[c] < 0 || static_cast<std::size_t>(at[c]) >= row.fields.size()) return std::nullopt;
        return row.fields[static_cast<std::size_t>(at[c])];
    };
    const auto given = [&](BatchColumn c) -> std::optional<std::string> {
        auto value = field(c);
        if (value && value->empty()) return std::nullopt;
        return value;
    };
    birth.name = field(kName).value_or("");
    if (row.fields.size() != columns) {
        birth.error = "the row has " + std::to_string(row.fields.size()) +
                      " fields where the header has " + std::to_string(columns);
        return birth;
    }
    NewCommand cmd;
    cmd.name = field(kName);
    cmd.city = field(kCity);
    cmd.state = field(kState);
    cmd.country = field(kCountry);
    cmd.date = given(kDate);
    cmd.time = given(kTime);
    cmd.zone = given(kZone);
    cmd.lat = given(kLat);
    cmd.lon = given(kLon);
    cmd.place = given(kPlace);
    const std::string dst = field(kDst).value_or("");
    if (dst == "yes") {
        cmd.dst = true;
    } else if (!dst.empty() && dst != "no") {
        birth.error = "dst " + Quoted(dst) + ": expected yes or no";
        return birth;
    }
    FormInput form;
    if (auto problem = FormFromNewOptions(cmd, form)) {
        birth.error = WithoutCommandWord(*problem);
        return birth;
    }
    if (auto failure = ValidateInput(form, true)) {
        birth.error = failure->message;
        return birth;
    }
    birth.form = std::move(form);
    return birth;
}

std::string BodyKey(int k) {
    std::string key(kBodyTitles[k]);
    for (char& c : key) c = c == ' ' ? '_' : static_cast<char>(std::tolower(c));
    return key;
}

std::string CsvHeader(int bodies) {
    std::vector<std::string> fields{"name"};
    for (const char* chart : {"natal", "draconic"}) {
        for (int k = 0; k < bodies; ++k) {
            const std::string body = std::string(chart) + "_" + BodyKey(k);
            for (const char* what : {"_longitude", "_sign", "_house", "_retrograde"})
                fields.push_back(body + what);
        }
    }
    fields.insert(fields.end(), {"contacts", "error"});
    return WriteCsvRow(fields);
}

std::string CsvLine(const std::string& name, const Reading* reading, int bodies,
                    const std::string& error) {
    std::string row;
    AppendCsvField(row, name);
    for (const ChartKind kind : {ChartKind::Natal, ChartKind::Draconic}) {
        for (int k = 0; k < bodies; ++k) {
            if (reading == nullptr) {
                row += ",,,,";
                continue;
            }
            const BodyPlace& place = reading->chart(kind).bodies[k];
            const bool known = place.sign >= 0;
            row += ',' + (known ? JsonNumber(place.longitude) : std::string()) + ',' +
                   (known ? std::string(kSignNames[place.sign]) : std::string()) + ',' +
                   (place.house ? std::to_string(place.house) : std::string()) + ',' +
                   (place.retrograde ? "yes" : "no");
        }
    }
    row += ',';
    if (reading) row += std::to_string(ReadingContacts(*reading, ContactSettings{}).size());
    row += ',';
    AppendCsvField(row, error);
    return row + "\r\n";
}

std::string JsonLine(const std::string& name, const Reading* reading, const std::string& error) {
    std::string line = "{\"name\": " + JsonString(name);
    if (reading == nullptr)
        return line + ", \"natal\": null, \"draconic\": null, \"contacts\": null, \"error\": " +
               JsonString(error) + "}\n";
    for (const ChartKind kind : {ChartKind::Natal, ChartKind::Draconic}) {
        line += kind == ChartKind::Natal ? ", \"natal\": [" : "], \"draconic\": [";
        for (int k = 0; k < reading->chart(kind).bodyCount; ++k)
            line += (k ? ", " : "") + BodyJson(*reading, kind, k);
    }
    return line + "], \"contacts\": " +
           std::to_string(ReadingContacts(*reading, ContactSettings{}).size()) +
           ", \"error\": null}\n";
}

bool EndsWithJsonLines(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.size() >= 6 && lower.compare(lower.size() - 6, 6, ".jsonl") == 0;
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

int RunBatch(const BatchCommand& cmd, std::ostream& err, CliFiles& files) {
    std::string reason;
    const auto bytes = files.Read(cmd.input, kBatchInputLimit, reason);
    if (!bytes) return Fail(err, Quoted(cmd.input) + ": " + reason);
    const CsvTable table = ReadCsv(*bytes);
    if (!table.error.empty())
        return Fail(err, "batch: " + Quoted(cmd.input) + " line " +
                             std::to_string(table.errorLine) + ": " + table.error);
    if (table.rows.empty()) return Fail(err, "batch: " + Quoted(cmd.input) + ": no header row");

    // The header names the columns, in any order.
    const std::vector<std::string>& header = table.rows.front().fields;
    std::array<int, kBatchColumns.size()> at;
    at.fill(-1);
    for (std::size_t c = 0; c < header.size(); ++c) {
        const auto known = std::find(kBatchColumns.begin(), kBatchColumns.end(), header[c]);
        if (known == kBatchColumns.end())
            return Fail(err, "batch: " + Quoted(cmd.input) + ": unknown column " +
                                 Quoted(header[c]) +
                                 " (columns: name, date, time, zone, lat, lon, dst, city, state, "
                                 "country, place)");
        int& slot = at[static_cast<std::size_t>(known - kBatchColumns.begin())];
        if (slot >= 0)
            return Fail(err, "batch: " + Quoted(cmd.input) + ": column " + Quoted(header[c]) +
                                 " given twice");
        slot = static_cast<int>(c);
    }
    if (at[kDate] < 0 || at[kTime] < 0 || (at[kZone] < 0 && at[kPlace] < 0))
        return Fail(err, "batch: " + Quoted(cmd.input) +
                             ": the header needs date, time, and zone or place");
    if (files.SameFile(cmd.input, cmd.output))
        return Fail(err, "batch: " + Quoted(cmd.output) +
                             " is the births file itself; the output would replace it");

    // The form's checks (and the atlas for a place) row by row, then the calculations on every
    // core the positions allow.
    std::vector<const CsvRow*> rows;
    for (std::size_t r = 1; r < table.rows.size(); ++r) {
        const CsvRow& row = table.rows[r];
        // A blank line is no birth.
        if (row.fields.size() != 1 || !row.fields.front().empty()) rows.push_back(&row);
    }
    // The atlas is asked from this thread only; without places the workers check their rows.
    const bool placesGiven = at[kPlace] >= 0;
    std::vector<BatchBirth> births(rows.size());
    if (placesGiven) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            births[i] = PrepareBirth(*rows[i], at, header.size());
    }
    const bool json = EndsWithJsonLines(cmd.output);
    const int bodies = cmd.positions.withAsteroids() ? kMaxBodyCount
                       : cmd.positions.precise()     ? kPreciseBodyCount
                                                     : kBodyCount;
    std::vector<std::string> lines(births.size()), notes(births.size());
    std::vector<char> failed(births.size(), 0);
    const auto work = [&](std::size_t i, const PositionsSource& source) {
        if (!placesGiven) births[i] = PrepareBirth(*rows[i], at, header.size());
        const BatchBirth& birth = births[i];
        std::optional<Reading> reading;
        std::string error = birth.error;
        if (birth.form) {
            Calculation done = Calculate(BirthFromForm(*birth.form), source);
            if (done.reading) {
                reading = std::move(done.reading);
                notes[i] = reading->note;
            } else {
                error = done.error;
            }
        }
        failed[i] = reading ? 0 : 1;
        const Reading* calculated = reading ? &*reading : nullptr;
        lines[i] = json ? JsonLine(birth.name, calculated, error)
                        : CsvLine(birth.name, calculated, bodies, error);
    };
    std::function<void(std::size_t)> progress;
    if (files.ErrorsOnTerminal()) {
        progress = [&](std::size_t done) {
            err << '\r' << kProgram << "batch: " << done << " of " << births.size() << " births"
                << (done == births.size() ? "\n" : "") << std::flush;
        };
    }
    ForEachReading(births.size(), cmd.positions, work, progress);

    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size();
    std::string output = json ? std::string() : CsvHeader(bodies);
    output.reserve(output.size() + size);
    for (std::string& line : lines) {
        output += line;
        std::string().swap(line);
    }
    if (!files.Write(cmd.output, output, reason))
        return Fail(err, Quoted(cmd.output) + ": " + reason);
    PrintNotesOnce(err, notes);
    const auto refused = static_cast<std::size_t>(std::count(failed.begin(), failed.end(), 1));
    if (refused > 0)
        err << kProgram << "batch: " << refused << " of " << births.size()
            << " births could not be calculated (see their error column)\n";
    return kExitOk;
}

}  // namespace velloran
