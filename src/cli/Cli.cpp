#include "cli/Cli.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <ostream>
#include <system_error>

#include "Version.h"
#include "chart/ReadingSession.h"
#include "cli/CliCollection.h"
#include "cli/CliPlace.h"
#include "cli/CliReport.h"
#include "cli/CliText.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"
#include "glyphs/Outline.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "input/Utf8.h"
#include "input/Validation.h"
#include "output/TextExport.h"
#include "reading/Against.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"
#include "reading/Sky.h"
#include "wheel/WheelSvg.h"
#ifdef VELLORAN_WHEEL_FILES
#include "wheel/gui/WheelFiles.h"
#endif

namespace velloran {

namespace {

constexpr std::size_t kReadingSizeLimit = 64 * 1024;
constexpr std::string_view kProgram = kCliProgram;

// Digits only, 1..maxDigits of them, as a number.
std::optional<int> SmallNumber(std::string_view text, std::size_t maxDigits) {
    if (text.size() > maxDigits) return std::nullopt;
    return DecimalDigits(text);
}

// Splits "a<sep>b" into its two parts.
bool SplitAt(std::string_view text, char sep, std::string_view& a, std::string_view& b) {
    std::size_t at = text.find(sep);
    if (at == std::string_view::npos) return false;
    a = text.substr(0, at);
    b = text.substr(at + 1);
    return true;
}

struct Problem {
    std::string message;
};

// --date YYYY-MM-DD into the form's month, day and year lists.
std::optional<Problem> SetDate(const std::string& text, FormInput& form) {
    std::string_view year, rest, month, day;
    if (!SplitAt(text, '-', year, rest) || !SplitAt(rest, '-', month, day) || year.size() != 4)
        return Problem{"--date " + Quoted(text) + ": expected YYYY-MM-DD"};
    auto y = SmallNumber(year, 4), m = SmallNumber(month, 2), d = SmallNumber(day, 2);
    if (!y || !m || !d) return Problem{"--date " + Quoted(text) + ": expected YYYY-MM-DD"};
    if (*y < kFirstYear || *y > kLastYear)
        return Problem{"--date " + Quoted(text) + ": the year must lie in 1905..2050"};
    if (*m < 1 || *m > 12)
        return Problem{"--date " + Quoted(text) + ": the month must lie in 1..12"};
    if (*d < 1 || *d > 31) return Problem{"--date " + Quoted(text) + ": the day must lie in 1..31"};
    form.yearIndex = *y - kFirstYear;
    form.monthIndex = *m - 1;
    form.dayIndex = *d - 1;
    return std::nullopt;
}

std::optional<Problem> SetTime(const std::string& text, FormInput& form) {
    std::string_view hour, minute;
    std::optional<int> h, m;
    if (SplitAt(text, ':', hour, minute)) h = SmallNumber(hour, 2), m = SmallNumber(minute, 2);
    if (!h || !m) return Problem{"--time " + Quoted(text) + ": expected HH:MM"};
    if (*h > 23 || *m > 59)
        return Problem{"--time " + Quoted(text) + ": hour 0..23 and minute 0..59 expected"};
    form.hourIndex = *h;
    form.minuteIndex = *m;
    return std::nullopt;
}

std::optional<Problem> SetZone(const std::string& text, FormInput& form) {
    auto z = SmallNumber(text, 2);
    if (!z || *z >= kZoneCount)
        return Problem{"--zone " + Quoted(text) + ": expected a zone index 0..70 (see zones)"};
    form.zoneIndex = *z;
    return std::nullopt;
}

// "40:43N" into degree and minute boxes (at most three digits each, as the form's boxes) and
// the hemisphere option: position 0 for first letter, 1 for second.
std::optional<Problem> SetCoordinate(const char* option, const std::string& text, char first,
                                     char second, std::string& degrees, std::string& minutes,
                                     int& hemisphere) {
    std::string_view deg, rest;
    Problem bad{std::string(option) + " " + Quoted(text) + ": expected DEG:MIN followed by " +
                first + " or " + second};
    if (!SplitAt(text, ':', deg, rest) || rest.empty()) return bad;
    char letter = rest.back();
    std::string_view min = rest.substr(0, rest.size() - 1);
    if (!SmallNumber(deg, 3) || !SmallNumber(min, 3)) return bad;
    if (letter == first || letter == first + 32) {
        hemisphere = 0;
    } else if (letter == second || letter == second + 32) {
        hemisphere = 1;
    } else {
        return bad;
    }
    degrees = std::string(deg);
    minutes = std::string(min);
    return std::nullopt;
}

// The form's letter boxes never hold control characters, and a reading file with one in a
// text is refused when it is opened. Bytes that are not UTF-8 would be stored as U+FFFD.
std::optional<Problem> CheckPlainText(const char* option, const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    if (SanitizeUtf8(*text) != *text)
        return Problem{std::string("new: ") + option + ": the text is not UTF-8"};
    for (unsigned char c : *text) {
        if (c < 0x20 || c == 0x7F)
            return Problem{std::string("new: ") + option + " " + Quoted(*text) +
                           ": control characters are not allowed"};
    }
    return std::nullopt;
}

std::optional<Problem> FormOfOptions(const NewCommand& cmd, FormInput& form) {
    if (!cmd.date) return Problem{"new: --date is required"};
    if (!cmd.time) return Problem{"new: --time is required"};
    if (!cmd.zone) return Problem{"new: --zone is required"};
    if (auto p = CheckPlainText("--name", cmd.name)) return p;
    if (auto p = CheckPlainText("--city", cmd.city)) return p;
    if (auto p = CheckPlainText("--state", cmd.state)) return p;
    if (auto p = CheckPlainText("--country", cmd.country)) return p;
    form.name = cmd.name.value_or("");
    form.city = cmd.city.value_or("");
    form.state = cmd.state.value_or("");
    form.country = cmd.country.value_or("");
    form.daylightSaving = cmd.dst ? 1 : 0;
    if (auto p = SetDate(*cmd.date, form)) return p;
    if (auto p = SetTime(*cmd.time, form)) return p;
    if (auto p = SetZone(*cmd.zone, form)) return p;
    if (cmd.lat) {
        if (auto p = SetCoordinate("--lat", *cmd.lat, 'N', 'S', form.latitudeDegrees,
                                   form.latitudeMinutes, form.latitudeHemisphere))
            return p;
    }
    if (cmd.lon) {
        if (auto p = SetCoordinate("--lon", *cmd.lon, 'E', 'W', form.longitudeDegrees,
                                   form.longitudeMinutes, form.longitudeHemisphere))
            return p;
    }
    return std::nullopt;
}

std::optional<Problem> BuildForm(const NewCommand& cmd, FormInput& form) {
    if (!cmd.date) return Problem{"new: --date is required"};
    if (!cmd.time) return Problem{"new: --time is required"};
    if (!cmd.zone) return Problem{"new: --zone is required"};
    if (!cmd.output) return Problem{"new: -o FILE.vlr is required"};
    // The name every way of opening takes and the library lists.
    if (!IsReadingFileName(*cmd.output))
        return Problem{"new: " + Quoted(*cmd.output) +
                       ": a reading file name must end in .vlr, in small letters as the "
                       "program opens it"};
    return FormOfOptions(cmd, form);
}

int Fail(std::ostream& err, const std::string& message, int status = kExitFailure) {
    err << kProgram << message << '\n';
    return status;
}

int RunNew(NewCommand cmd, std::ostream& err, CliFiles& files) {
    if (auto p = CheckPlainText("--place", cmd.place)) return Fail(err, p->message);
    if (cmd.place) {
        if (auto problem = FillFromPlace(cmd, true)) return Fail(err, *problem);
    }
    FormInput form;
    if (auto problem = BuildForm(cmd, form)) return Fail(err, problem->message);
    if (auto failure = ValidateInput(form, true))
        return Fail(err, failure->message, kExitInvalidForm);
    const BirthInput birth = BirthFromForm(form);
    // The form refuses, when it calculates, a birth no chart can be drawn for (at a pole): a
    // reading every command would refuse is not written.
    const Calculation calculated = Calculate(birth);
    if (!calculated.reading) return Fail(err, calculated.error, kExitInvalidForm);
    if (auto problem = ReadingSaveProblem(birth.birth, form.zoneIndex))
        return Fail(err, "new: " + *problem);
    std::string reason;
    if (!files.Write(*cmd.output, WriteReadingFile(birth.birth, form.zoneIndex), reason))
        return Fail(err, Quoted(*cmd.output) + ": " + reason);
    return kExitOk;
}

// Reads, checks and calculates a reading file; the exit status when that fails.
std::variant<Reading, int> LoadReading(const std::string& path, const PositionsChoice& positions,
                                       std::ostream& err, CliFiles& files) {
    if (!HasReadingExtension(path))
        return Fail(err, Quoted(path) + ": not a reading file (the name must end in vlr)");
    std::string reason;
    auto bytes = files.Read(path, kReadingSizeLimit, reason);
    if (!bytes) return Fail(err, Quoted(path) + ": " + reason);
    PlainForm form;  // a fresh form: every list at its first entry, North and East
    OpenOutcome opened = OpenAndCalculate(*bytes, form, true, PositionsSource{positions, nullptr});
    switch (opened.status) {
        case OpenStatus::Damaged:
            return Fail(err, Quoted(path) + ": damaged reading file");
        case OpenStatus::Invalid:
            return Fail(err, Quoted(path) + ": " + opened.failure->message, kExitInvalidForm);
        case OpenStatus::Failed:
            return Fail(err, Quoted(path) + ": " + opened.error);
        case OpenStatus::Calculated:
            break;
    }
    return std::move(*opened.reading);
}

int RunExport(const ExportCommand& cmd, std::ostream& out, std::ostream& err, CliFiles& files,
              const MonthNames& months) {
    auto loaded = LoadReading(cmd.input, cmd.positions, err, files);
    if (auto* status = std::get_if<int>(&loaded)) return *status;
    std::string text = ExportText(std::get<Reading>(loaded), months);
    if (!cmd.output) {
        out << text;
        return out ? kExitOk : kExitFailure;
    }
    if (files.SameFile(cmd.input, *cmd.output))
        return Fail(err, "export: " + Quoted(*cmd.output) +
                             " is the reading file itself; the export would replace it");
    std::string reason;
    if (!files.Write(*cmd.output, text, reason))
        return Fail(err, Quoted(*cmd.output) + ": " + reason);
    return kExitOk;
}

int RunShow(const ShowCommand& cmd, std::ostream& out, std::ostream& err, CliFiles& files,
            const MonthNames& months) {
    auto loaded = LoadReading(cmd.input, cmd.positions, err, files);
    if (auto* status = std::get_if<int>(&loaded)) return *status;
    const Reading& reading = std::get<Reading>(loaded);
    out << (cmd.json ? ShowJson(reading) : ShowText(reading, months));
    return out ? kExitOk : kExitFailure;
}

// The contacts, then the notes of the charts they join (the ephemeris files missing: a body such
// as Chiron then takes part in none): after the text, or on standard error beside the JSON.
int WriteContacts(const std::string& text, bool json, const std::vector<std::string>& notes,
                  std::ostream& out, std::ostream& err) {
    out << text;
    std::vector<std::string> said;
    for (const std::string& note : notes) {
        if (note.empty() || std::find(said.begin(), said.end(), note) != said.end()) continue;
        said.push_back(note);
        if (json) {
            err << kProgram << "note: " << note << '\n';
        } else {
            out << "Note: " << note << '\n';
        }
    }
    return out ? kExitOk : kExitFailure;
}

int RunContacts(const ContactsCommand& cmd, std::ostream& out, std::ostream& err, CliFiles& files) {
    auto loaded = LoadReading(cmd.input, cmd.positions, err, files);
    if (auto* status = std::get_if<int>(&loaded)) return *status;
    const Reading& state = std::get<Reading>(loaded);
    if (cmd.with) {
        // The other reading opens as any reading does, with the same checks and messages.
        auto other = LoadReading(*cmd.with, cmd.positions, err, files);
        if (auto* status = std::get_if<int>(&other)) return *status;
        const Reading& partner = std::get<Reading>(other);
        const ContactGroup group = SynastryGroups(state, partner, cmd.settings).front();
        return WriteContacts(cmd.json ? GroupJson(group, "natal", partner.birth().Name) + "\n"
                                      : GroupText(group, cmd.settings),
                             cmd.json, {state.note, partner.note}, out, err);
    }
    if (cmd.sky) {
        const SkyResult sky =
            ComputeSky(*ParseSkyMoment(*cmd.sky), PositionsSource{cmd.positions, nullptr});
        if (!sky.sky) return Fail(err, "contacts: --sky " + Quoted(*cmd.sky) + ": " + sky.error);
        const ContactGroup group = SkyGroup(state, *sky.sky, cmd.settings);
        return WriteContacts(cmd.json ? GroupJson(group, "sky", std::nullopt) + "\n"
                                      : GroupText(group, cmd.settings),
                             cmd.json, {state.note, sky.sky->note}, out, err);
    }
    return WriteContacts(
        cmd.json ? ContactsJson(state, cmd.settings) + "\n" : ContactsText(state, cmd.settings),
        cmd.json, {state.note}, out, err);
}

std::string LowerSuffix(const std::string& path) {
    std::string suffix = path.substr(path.rfind('.') + 1);
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix;
}

int RunWheel(const WheelCommand& cmd, std::ostream& err, CliFiles& files,
             const MonthNames& months) {
    auto loaded = LoadReading(cmd.input, cmd.positions, err, files);
    if (auto* status = std::get_if<int>(&loaded)) return *status;
    const Reading& reading = std::get<Reading>(loaded);
    // The comparison's inner chart and its contacts at the default settings.
    const ContactSettings settings;
    ContactGroup group;
    std::vector<std::string> notes{reading.note};
    if (cmd.with) {
        auto other = LoadReading(*cmd.with, cmd.positions, err, files);
        if (auto* status = std::get_if<int>(&other)) return *status;
        const Reading& partner = std::get<Reading>(other);
        group = SynastryGroups(reading, partner, settings).front();
        notes.push_back(partner.note);
    } else if (cmd.sky) {
        const SkyResult sky =
            ComputeSky(*ParseSkyMoment(*cmd.sky), PositionsSource{cmd.positions, nullptr});
        if (!sky.sky) return Fail(err, "wheel: --sky " + Quoted(*cmd.sky) + ": " + sky.error);
        group = SkyGroup(reading, *sky.sky, settings);
        notes.push_back(sky.sky->note);
    } else if (cmd.view == ChartView::Comparison) {
        group = OwnContactGroup(reading, settings);
    }
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    notes.push_back(outlines.note());
    WheelOptions options;
    options.size = cmd.size;
    options.symbols = outlines.hasSymbols();
    const std::string suffix = LowerSuffix(cmd.output);
    // Every picture carries the facts as its caption, in its top corners.
    options.caption = WheelFacts(reading, months);
    const WheelInput input = MakeDegreeWheel(reading, cmd.view, group, settings, options);
    const WheelDrawing drawing = DrawWheel(LayOutWheel(input), ThemePalette(cmd.theme));

    std::string bytes;
    if (suffix == "svg") {
        bytes = WheelSvg(drawing, outlines);
    } else {
#ifdef VELLORAN_WHEEL_FILES
        bytes = suffix == "png" ? WheelPngFile(drawing, outlines, cmd.size)
                                : WheelPdfFile(drawing, outlines, WheelTitle(reading, cmd.view));
#else
        return Fail(err, "wheel: " + Quoted(cmd.output) +
                             ": this build draws SVG pictures only (PNG and PDF come with the "
                             "desktop program's build)");
#endif
    }
    if (bytes.empty())
        return Fail(err, "wheel: " + Quoted(cmd.output) + ": the picture could not be made");
    if (files.SameFile(cmd.input, cmd.output) ||
        (cmd.with && files.SameFile(*cmd.with, cmd.output)))
        return Fail(err, "wheel: " + Quoted(cmd.output) +
                             " is a reading file; the picture would replace it");
    std::string reason;
    if (!files.Write(cmd.output, bytes, reason))
        return Fail(err, Quoted(cmd.output) + ": " + reason);
    PrintNotesOnce(err, notes);
    return kExitOk;
}

}  // namespace

std::optional<std::string> FormFromNewOptions(NewCommand cmd, FormInput& form) {
    if (auto p = CheckPlainText("--place", cmd.place)) return p->message;
    if (cmd.place) {
        if (auto problem = FillFromPlace(cmd)) return *problem;
    }
    if (auto problem = FormOfOptions(cmd, form)) return problem->message;
    return std::nullopt;
}

namespace {

int RunZones(std::ostream& out) {
    for (int i = 0; i < kZoneCount; ++i) out << i << '\t' << ZoneLabel(i) << '\n';
    return out ? kExitOk : kExitFailure;
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               CliFiles& files, const MonthNames& months) {
    CliCommand command = ParseCli(args);
    if (auto* e = std::get_if<CliError>(&command)) return Fail(err, e->message);
    if (std::holds_alternative<HelpCommand>(command)) {
        out << CliUsage();
        return kExitOk;
    }
    if (std::holds_alternative<VersionCommand>(command)) {
        out << "velloran-cli " VELLORAN_VERSION "\n" VELLORAN_LICENCE "\n";
        return out ? kExitOk : kExitFailure;
    }
    if (std::holds_alternative<ZonesCommand>(command)) return RunZones(out);
    if (auto* c = std::get_if<NewCommand>(&command)) return RunNew(*c, err, files);
    if (auto* c = std::get_if<ExportCommand>(&command))
        return RunExport(*c, out, err, files, months);
    if (auto* c = std::get_if<ContactsCommand>(&command)) return RunContacts(*c, out, err, files);
    if (auto* c = std::get_if<WheelCommand>(&command)) return RunWheel(*c, err, files, months);
    if (auto* c = std::get_if<PlaceCommand>(&command)) return RunPlace(*c, out, err);
    if (auto* c = std::get_if<ListCommand>(&command)) return RunList(*c, out, err);
    if (auto* c = std::get_if<BatchCommand>(&command)) return RunBatch(*c, err, files);
    return RunShow(std::get<ShowCommand>(command), out, err, files, months);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           CliFiles& files, const MonthNames& months) {
    int status = kExitFailure;
    // Memory that runs out anywhere (a memory limit, a huge input) is one line and a failure,
    // not an abort; a file being written is left unnamed and the earlier one kept.
    try {
        status = RunCommand(args, out, err, files, months);
    } catch (const std::bad_alloc&) {
        out.flush();
        return Fail(err, "out of memory");
    } catch (const std::system_error& e) {
        // A thread the system would not start (no memory for its stack, a process limit).
        out.flush();
        return Fail(err, std::string("the system refused: ") + e.what());
    }
    // Output that did not all reach its file, pipe or terminal (a full disk, /dev/full, a closed
    // standard output) is a failure, whatever the command made of it.
    out.flush();
    if (out) return status;
    const int failed = Fail(err, "the output could not be written");
    return status == kExitOk ? failed : status;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const MonthNames& months) {
    DiskFiles files;
    return RunCli(args, out, err, files, months);
}

}  // namespace velloran
