// velloran-cli batch: the births of a CSV file calculated on every core and written, row by row
// in their order, to a CSV or JSON Lines file.

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <vector>

#include "atlas/Atlas.h"
#include "atlas/SystemAtlas.h"
#include "cli/CliCollection.h"
#include "cli/CliReport.h"
#include "cli/CliText.h"
#include "collection/Csv.h"
#include "domain/Bodies.h"
#include "domain/ZoneTable.h"
#include "input/FormCopy.h"
#include "input/Validation.h"
#include "reading/Contacts.h"
#include "reading/ManyReadings.h"

namespace velloran {

namespace {

constexpr std::string_view kProgram = kCliProgram;
// Largest births file batch reads: some millions of rows; it is read in pieces, never whole.
constexpr std::size_t kBatchInputLimit = std::size_t{1} << 30;
// Longest row of a births file (a row is held whole while it is read).
constexpr std::size_t kBatchRowLimit = std::size_t{1} << 24;
// Rows between the one being read and the one being written: what the run holds at most.
constexpr std::size_t kRowsInFlight = 1024;
// Output gathered before it goes to the file.
constexpr std::size_t kWritePiece = std::size_t{1} << 20;

int Fail(std::ostream& err, const std::string& message) {
    err << kProgram << message << '\n';
    return kExitFailure;
}

// The columns a births file may have.
constexpr std::array<std::string_view, 11> kBatchColumns = {
    "name", "date", "time", "zone", "lat", "lon", "dst", "city", "state", "country", "place"};
enum BatchColumn { kName, kDate, kTime, kZone, kLat, kLon, kDst, kCity, kState, kCountry, kPlace };
using ColumnsAt = std::array<int, kBatchColumns.size()>;

// One birth of the file: its form's values, or why the form would refuse it.
struct BatchBirth {
    std::string name;
    std::optional<FormInput> form;
    std::string error;
};

// A message of new's options in the words of the births file: "--date '1980-13-15': ..." as
// "the date column '1980-13-15': ...", "--zone is required" as "the zone column is empty". A
// cell a spreadsheet opens then never starts like a formula.
std::string InColumnWords(std::string message) {
    constexpr std::string_view kNew = "new: ";
    if (message.rfind(kNew, 0) == 0) message.erase(0, kNew.size());
    for (const std::string_view column : kBatchColumns) {
        const std::string option = "--" + std::string(column);
        const std::string column_words = "the " + std::string(column) + " column";
        if (message == option + " is required") return column_words + " is empty";
        if (message.rfind(option + " ", 0) == 0 || message.rfind(option + ":", 0) == 0)
            message.replace(0, option.size(), column_words);
    }
    constexpr std::string_view kGiveZone = "Give --zone (and --dst).";
    if (const std::size_t at = message.find(kGiveZone); at != std::string::npos)
        message.replace(at, kGiveZone.size(), "Fill the zone (and dst) column.");
    return message;
}

// Why a place column's text names no one place: the atlas's matches of similar size, as the
// form's completer lists them. Nothing when one match stands out (or none matches: the form's
// own look-up says so).
std::optional<std::string> VaguePlace(const std::string& place) {
    const std::vector<Place> similar = SimilarMatches(SystemAtlas().FindPlaces(place, 10));
    if (similar.size() < 2) return std::nullopt;
    constexpr std::size_t kNamed = 4;
    std::string names;
    for (std::size_t i = 0; i < similar.size() && i < kNamed; ++i)
        names += (i ? "; " : "") + PlaceLabel(similar[i]);
    if (similar.size() > kNamed) names += "; ...";
    return "the place column " + Quoted(place) + " matches places of similar size (" + names +
           "); add the state or country";
}

BatchBirth PrepareBirth(const CsvRow& row, const ColumnsAt& at, std::size_t columns) {
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
        birth.error = "the dst column " + Quoted(dst) + ": expected yes or no";
        return birth;
    }
    // The atlas is asked only for what the row leaves out, as new asks it.
    const bool asksAtlas =
        cmd.place && !(cmd.city && cmd.state && cmd.country && cmd.lat && cmd.lon && cmd.zone);
    if (asksAtlas) {
        if (auto vague = VaguePlace(*cmd.place)) {
            birth.error = *vague;
            return birth;
        }
    }
    FormInput form;
    if (auto problem = FormFromNewOptions(cmd, form)) {
        birth.error = InColumnWords(*problem);
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

// "New York, NY, USA": the birth's place as the row gave it or the atlas filled it in.
std::string PlaceText(const BirthData& b) {
    std::string place;
    for (const std::string* part : {&b.City, &b.State, &b.Country}) {
        if (part->empty()) continue;
        if (!place.empty()) place += ", ";
        place += *part;
    }
    return place;
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
    // Added after the first columns, so files read by column number keep theirs.
    fields.insert(fields.end(), {"place", "latitude", "longitude", "zone", "zone_label",
                                 "daylight_saving", "houses_note"});
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
    if (reading == nullptr) return row + ",,,,,,,\r\n";
    const int zone = reading->input.zoneIndex;
    row += ',';
    AppendCsvField(row, PlaceText(reading->birth()));
    row += ',' + JsonNumber(reading->latitude) + ',' + JsonNumber(reading->longitude) + ',' +
           std::to_string(zone) + ',';
    AppendCsvField(row, ZoneRowAt(zone).label);
    row += reading->birth().DaylightSaving ? ",yes," : ",no,";
    AppendCsvField(row, reading->housesNote);
    return row + "\r\n";
}

std::string JsonLine(const std::string& name, const Reading* reading, const std::string& error) {
    std::string line;
    line.reserve(4096);
    line += "{\"name\": " + JsonString(name);
    if (reading == nullptr)
        return line + ", \"natal\": null, \"draconic\": null, \"contacts\": null, \"error\": " +
               JsonString(error) + ", \"place\": null, \"housesNote\": null}\n";
    for (const ChartKind kind : {ChartKind::Natal, ChartKind::Draconic}) {
        line += kind == ChartKind::Natal ? ", \"natal\": [" : "], \"draconic\": [";
        for (int k = 0; k < reading->chart(kind).bodyCount; ++k)
            line += (k ? ", " : "") + BodyJson(*reading, kind, k);
    }
    const int zone = reading->input.zoneIndex;
    line +=
        "], \"contacts\": " + std::to_string(ReadingContacts(*reading, ContactSettings{}).size()) +
        ", \"error\": null, \"place\": {\"name\": " + JsonString(PlaceText(reading->birth())) +
        ", \"latitude\": " + JsonNumber(reading->latitude) +
        ", \"longitude\": " + JsonNumber(reading->longitude) +
        ", \"zoneIndex\": " + std::to_string(zone) +
        ", \"zoneLabel\": " + JsonString(ZoneRowAt(zone).label) +
        ", \"daylightSaving\": " + (reading->birth().DaylightSaving ? "true" : "false") +
        "}, \"housesNote\": ";
    line += reading->housesNote.empty() ? "null" : JsonString(reading->housesNote);
    return line + "}\n";
}

bool EndsWithJsonLines(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.size() >= 6 && lower.compare(lower.size() - 6, 6, ".jsonl") == 0;
}

// A blank line of the births file is no birth.
bool IsBlank(const CsvRow& row) { return row.fields.size() == 1 && row.fields.front().empty(); }

// A row on its way from the births file to the output.
struct BatchSlot {
    CsvRow row;
    BatchBirth birth;
    std::string line;        // the output's row
    std::string note;        // the positions' note
    std::string housesNote;  // the houses shown in place of those asked for
    bool calculated = false;
    bool cleanText = true;  // every field is UTF-8 text without NUL
};

// What the run tells on standard error once the output is written.
struct BatchTally {
    std::size_t failed = 0, fellBack = 0, unclean = 0;
    std::vector<std::string> notes;  // each distinct note once, in order
    std::string housesNote;          // the first fallback's note
};

// The header's columns, or why batch refuses it.
std::optional<std::string> ReadHeader(const std::vector<std::string>& header, ColumnsAt& at) {
    at.fill(-1);
    for (std::size_t c = 0; c < header.size(); ++c) {
        const auto known = std::find(kBatchColumns.begin(), kBatchColumns.end(), header[c]);
        if (known == kBatchColumns.end())
            return "unknown column " + Quoted(header[c]) +
                   " (columns: name, date, time, zone, lat, lon, dst, city, state, country, "
                   "place)";
        int& slot = at[static_cast<std::size_t>(known - kBatchColumns.begin())];
        if (slot >= 0) return "column " + Quoted(header[c]) + " given twice";
        slot = static_cast<int>(c);
    }
    if (at[kDate] < 0 || at[kTime] < 0 || (at[kZone] < 0 && at[kPlace] < 0))
        return std::string("the header needs date, time, and zone or place");
    return std::nullopt;
}

}  // namespace

int RunBatch(const BatchCommand& cmd, std::ostream& err, CliFiles& files) {
    std::string reason;
    auto pieces = files.ReadPieces(cmd.input, kBatchInputLimit, reason);
    if (!pieces) return Fail(err, Quoted(cmd.input) + ": " + reason);
    const std::string where = "batch: " + Quoted(cmd.input);
    CsvReader reader(std::move(*pieces), kBatchRowLimit);
    CsvRow headerRow;
    if (!reader.Next(headerRow)) {
        if (!reader.error().empty())
            return Fail(
                err, where + " line " + std::to_string(reader.errorLine()) + ": " + reader.error());
        return Fail(err, where + ": no header row");
    }
    // The header names the columns, in any order.
    const std::vector<std::string>& header = headerRow.fields;
    ColumnsAt at;
    if (auto problem = ReadHeader(header, at)) return Fail(err, where + ": " + *problem);

    // The whole file is read once before any calculation, so a damaged one is refused at once
    // and the births are counted.
    std::size_t births = 0;
    {
        auto again = files.ReadPieces(cmd.input, kBatchInputLimit, reason);
        if (!again) return Fail(err, Quoted(cmd.input) + ": " + reason);
        CsvReader counting(std::move(*again), kBatchRowLimit);
        CsvRow row;
        counting.Next(row);  // the header
        while (counting.Next(row)) births += IsBlank(row) ? 0 : 1;
        if (!counting.error().empty())
            return Fail(err, where + " line " + std::to_string(counting.errorLine()) + ": " +
                                 counting.error());
    }
    if (files.SameFile(cmd.input, cmd.output))
        return Fail(err, "batch: " + Quoted(cmd.output) +
                             " is the births file itself; the output would replace it");

    // The form's checks (and the atlas for a place) row by row, then the calculations on every
    // core the positions allow, a bounded window of rows at a time: the rows are read on this
    // thread ahead of the workers and written on it in their order as they are done.
    // The atlas is asked from this thread only; without places the workers check their rows.
    const bool placesGiven = at[kPlace] >= 0;
    const bool json = EndsWithJsonLines(cmd.output);
    const int bodies = cmd.positions.withAsteroids() ? kMaxBodyCount
                       : cmd.positions.precise()     ? kPreciseBodyCount
                                                     : kBodyCount;
    std::vector<BatchSlot> slots(std::min(births, kRowsInFlight));
    const auto slot = [&slots](std::size_t i) -> BatchSlot& { return slots[i % slots.size()]; };
    bool changed = false;  // the second reading of the file found other rows than the first
    const auto prepare = [&](std::size_t i) {
        BatchSlot& s = slot(i);
        bool read = false;
        while ((read = reader.Next(s.row)) && IsBlank(s.row)) {
        }
        changed = changed || !read;
        s.cleanText = std::all_of(s.row.fields.begin(), s.row.fields.end(),
                                  [](const std::string& f) { return IsCleanText(f); });
        if (placesGiven) s.birth = PrepareBirth(s.row, at, header.size());
    };
    const auto work = [&](std::size_t i, const PositionsSource& source) {
        BatchSlot& s = slot(i);
        if (!placesGiven) s.birth = PrepareBirth(s.row, at, header.size());
        std::optional<Reading> reading;
        std::string error = s.birth.error;
        if (s.birth.form) {
            Calculation done = Calculate(BirthFromForm(*s.birth.form), source);
            if (done.reading) {
                reading = std::move(done.reading);
            } else {
                error = done.error;
            }
        }
        s.calculated = reading.has_value();
        s.note = reading ? reading->note : std::string();
        s.housesNote = reading ? reading->housesNote : std::string();
        const Reading* calculated = reading ? &*reading : nullptr;
        s.line = json ? JsonLine(s.birth.name, calculated, error)
                      : CsvLine(s.birth.name, calculated, bodies, error);
    };
    std::function<void(std::size_t)> progress;
    if (files.ErrorsOnTerminal()) {
        progress = [&](std::size_t done) {
            err << '\r' << kProgram << "batch: " << done << " of " << births << " births"
                << (done == births ? "\n" : "") << std::flush;
        };
    }
    BatchTally tally;
    const FileFiller fill = [&](const PieceSink& put, std::string& why) {
        std::string piece = json ? std::string() : CsvHeader(bodies);
        const auto deliver = [&](std::size_t i) {
            BatchSlot& s = slot(i);
            piece += s.line;
            if (!s.calculated) ++tally.failed;
            if (!s.cleanText) ++tally.unclean;
            if (!s.note.empty() &&
                std::find(tally.notes.begin(), tally.notes.end(), s.note) == tally.notes.end())
                tally.notes.push_back(s.note);
            if (!s.housesNote.empty()) {
                if (tally.fellBack++ == 0) tally.housesNote = s.housesNote;
            }
            if (piece.size() < kWritePiece) return true;
            const bool written = put(piece);
            piece.clear();
            return written;
        };
        const bool done = ForEachReadingInOrder(births, cmd.positions, kRowsInFlight, prepare, work,
                                                deliver, progress);
        if (!done) return false;  // a piece could not be written: the write says why
        for (CsvRow more; reader.Next(more);) changed = changed || !IsBlank(more);
        if (changed || !reader.error().empty()) {
            why = Quoted(cmd.input) + " changed while it was read; nothing was written";
            return false;
        }
        return put(piece);
    };
    if (!files.WriteFrom(cmd.output, fill, reason))
        return Fail(err, Quoted(cmd.output) + ": " + reason);

    PrintNotesOnce(err, tally.notes);
    if (tally.fellBack > 0)
        err << kProgram << "note: batch: " << tally.fellBack << " of " << births
            << " births: " << tally.housesNote << " (see their "
            << (json ? "housesNote field" : "houses_note column") << ")\n";
    if (tally.unclean > 0)
        err << kProgram << "note: batch: " << tally.unclean << " of " << births
            << " rows hold bytes that are not UTF-8 text (or NUL); the output has U+FFFD in "
               "their place\n";
    const std::string errors = json ? "error field" : "error column";
    if (births == 0)
        return Fail(err, where + " has no births (only the header); nothing was calculated");
    if (tally.failed == births)
        return Fail(err, "batch: none of the " + std::to_string(births) +
                             " births could be calculated (see their " + errors + ")");
    if (tally.failed > 0)
        err << kProgram << "batch: " << tally.failed << " of " << births
            << " births could not be calculated (see their " << errors << ")\n";
    return kExitOk;
}

}  // namespace velloran
