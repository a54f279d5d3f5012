#include "cli/CliPlace.h"

#include <ostream>

#include "atlas/SystemAtlas.h"
#include "atlas/ZoneForBirth.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "domain/Calendar.h"
#include "domain/Text.h"
#include "domain/ZoneTable.h"
#include "input/FormInput.h"
#include "tz/SystemLegalTime.h"

namespace velloran {

namespace {

constexpr std::size_t kPlaceLimit = 10;

CliError Error(std::string message) { return CliError{std::move(message)}; }

// Exactly `digits` decimal digits as a number.
std::optional<int> Digits(const std::string& text, std::size_t from, std::size_t digits) {
    if (from + digits > text.size()) return std::nullopt;
    return DecimalDigits(std::string_view(text).substr(from, digits));
}

// "YYYY-MM-DD" and "H:MM" or "HH:MM" as a local moment; nothing when either is malformed.
std::optional<LocalMoment> ParseMoment(const std::string& date, const std::string& time) {
    LocalMoment m;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return std::nullopt;
    auto y = Digits(date, 0, 4), mo = Digits(date, 5, 2), d = Digits(date, 8, 2);
    const std::size_t colon = time.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || time.size() != colon + 3)
        return std::nullopt;
    auto h = Digits(time, 0, colon), mi = Digits(time, colon + 1, 2);
    if (!y || !mo || !d || !h || !mi) return std::nullopt;
    if (*mo < 1 || *mo > 12 || *d < 1 || *d > 31 || *h > 23 || *mi > 59) return std::nullopt;
    m.year = *y;
    m.month = *mo;
    m.day = *d;
    m.hour = *h;
    m.minute = *mi;
    return m;
}

// Why a well-formed moment cannot be a birth on the form: a day its month does not have, or a
// year outside the form's list. Nothing when it can.
std::optional<std::string> MomentProblem(const LocalMoment& m, const std::string& date) {
    if (m.day > DaysInMonth(m.year, m.month)) return "no such date " + Quoted(date);
    if (m.year < kFirstYear || m.year > kLastYear)
        return "the year of " + Quoted(date) + " is not from " + std::to_string(kFirstYear) +
               " to " + std::to_string(kLastYear);
    return std::nullopt;
}

// Degrees as the form's "DD:MM" followed by the hemisphere letter, rounded to the minute.
std::string Coordinate(double degrees, char positive, char negative) {
    const DegreesMinutes split = SplitDegrees(degrees);
    std::string text = std::to_string(split.degrees);
    text += split.minutes < 10 ? ":0" : ":";
    text += std::to_string(split.minutes);
    text += split.negative ? negative : positive;
    return text;
}

// Minutes of an offset given in seconds: a whole number unless the offset has seconds.
std::string OffsetMinutes(int seconds) {
    if (seconds % 60 == 0) return std::to_string(seconds / 60);
    return JsonNumber(seconds / 60.0);
}

std::string ZoneText(const ZoneChoice& choice, const Place& place, const LocalMoment& moment) {
    if (choice.fit != ZoneFit::Row) return ZoneChoiceNote(choice, place, moment);
    return "zone " + std::to_string(choice.zoneIndex) + " " + ZoneRowName(choice.zoneIndex) +
           (choice.daylightSaving ? ", daylight saving" : ", no daylight saving") + " (" +
           FormatUtcOffset(choice.legal.utcOffsetSeconds) + ")";
}

std::string PlaceJson(const Place& p, const std::optional<LocalMoment>& moment,
                      const LegalTimeSource& legal) {
    std::string out = "{\"name\": " + JsonString(p.name) + ", \"state\": " + JsonString(p.state) +
                      ", \"country\": " + JsonString(p.country) +
                      ", \"latitude\": " + JsonNumber(p.latitude) +
                      ", \"longitude\": " + JsonNumber(p.longitude) +
                      ", \"timezone\": " + JsonString(p.timezone) +
                      ", \"population\": " + std::to_string(p.population);
    if (moment) {
        const ZoneChoice choice = ZoneForBirth(p, *moment, legal);
        const bool row = choice.fit == ZoneFit::Row;
        out += ", \"zone_index\": " + (row ? std::to_string(choice.zoneIndex) : "null") +
               ", \"daylight_saving\": " + (choice.daylightSaving ? "true" : "false") +
               ", \"utc_offset_minutes\": " +
               (choice.fit == ZoneFit::UnknownZone ? "null"
                                                   : OffsetMinutes(choice.legal.utcOffsetSeconds)) +
               ", \"note\": " + JsonString(ZoneChoiceNote(choice, p, *moment));
    }
    return out + "}";
}

}  // namespace

CliCommand ParsePlace(const std::vector<std::string>& args) {
    PlaceCommand cmd;
    const auto text = [](std::optional<std::string>& slot) {
        return [&slot](const std::string& value) {
            slot = value;
            return std::optional<std::string>();
        };
    };
    const std::vector<CliOption> options = {{{"--json"},
                                             false,
                                             [&cmd](const std::string&) {
                                                 cmd.json = true;
                                                 return std::optional<std::string>();
                                             }},
                                            {{"--date"}, true, text(cmd.date)},
                                            {{"--time"}, true, text(cmd.time)}};
    const CliPositional query{&cmd.query, "query",
                              "more than one query given (quote a name with blanks)",
                              "no place name given"};
    if (AsksForHelp(args, options)) return HelpCommand{};
    if (auto problem = ReadCliOptions("place", args, options, query)) return Error(*problem);
    if (cmd.date.has_value() != cmd.time.has_value())
        return Error("place: --date and --time go together");
    if (!cmd.date) return cmd;
    const auto moment = ParseMoment(*cmd.date, *cmd.time);
    if (!moment)
        return Error("place: expected --date YYYY-MM-DD and --time HH:MM, got " +
                     Quoted(*cmd.date) + " " + Quoted(*cmd.time));
    if (auto problem = MomentProblem(*moment, *cmd.date)) return Error("place: " + *problem);
    return cmd;
}

int RunPlace(const PlaceCommand& cmd, std::ostream& out, std::ostream& err) {
    const std::vector<Place> found = SystemAtlas().FindPlaces(cmd.query, kPlaceLimit);
    std::optional<LocalMoment> moment;
    if (cmd.date) moment = ParseMoment(*cmd.date, *cmd.time);
    const auto legal = MakeSystemLegalTime();
    // No match is a failure in both forms; JSON still prints its (empty) array.
    if (found.empty()) err << "velloran-cli: place: no place matches " << Quoted(cmd.query) << '\n';
    if (cmd.json) {
        out << "[";
        for (std::size_t i = 0; i < found.size(); ++i) {
            out << (i ? ",\n  " : "\n  ") << PlaceJson(found[i], moment, *legal);
        }
        out << (found.empty() ? "]\n" : "\n]\n");
        return out && !found.empty() ? kExitOk : kExitFailure;
    }
    if (found.empty()) return kExitFailure;
    for (const Place& p : found) {
        out << PlaceLabel(p) << '\t' << Coordinate(p.latitude, 'N', 'S') << ' '
            << Coordinate(p.longitude, 'E', 'W') << '\t' << p.timezone;
        if (moment) out << '\t' << ZoneText(ZoneForBirth(p, *moment, *legal), p, *moment);
        out << '\n';
    }
    return out ? kExitOk : kExitFailure;
}

std::optional<std::string> FillFromPlace(NewCommand& cmd, bool settleDaylight) {
    const bool zoneGiven = cmd.zone.has_value();
    const bool daylightOpen = settleDaylight && zoneGiven && !cmd.dst && !cmd.noDst;
    // Every value the atlas would give is given: the place name is not needed.
    const bool allGiven = cmd.city && cmd.state && cmd.country && cmd.lat && cmd.lon && zoneGiven;
    if (allGiven && !daylightOpen) return std::nullopt;
    const auto found = SystemAtlas().FindPlaces(*cmd.place, 1);
    if (found.empty()) {
        if (allGiven) return std::nullopt;
        return "new: --place " + Quoted(*cmd.place) + ": no place matches";
    }
    const Place& p = found.front();
    if (!cmd.city) cmd.city = p.name;
    if (!cmd.state) cmd.state = p.state;
    if (!cmd.country) cmd.country = p.country;
    if (!cmd.lat) cmd.lat = Coordinate(p.latitude, 'N', 'S');
    if (!cmd.lon) cmd.lon = Coordinate(p.longitude, 'E', 'W');
    if ((zoneGiven && !daylightOpen) || !cmd.date || !cmd.time) return std::nullopt;
    const auto moment = ParseMoment(*cmd.date, *cmd.time);
    if (!moment) return std::nullopt;  // the form's own checks name the bad date or time
    const ZoneChoice choice = ZoneForBirth(p, *moment, *MakeSystemLegalTime());
    if (daylightOpen) {
        // The atlas's own row keeps its daylight saving; another row's box is the user's call.
        const auto zone = DecimalDigits(*cmd.zone);
        if (choice.fit == ZoneFit::Row && zone == choice.zoneIndex) {
            cmd.dst = choice.daylightSaving;
            return std::nullopt;
        }
        return "new: --zone " + Quoted(*cmd.zone) + " is not the atlas's zone for " +
               Quoted(*cmd.place) + " on " + FormatLocalMoment(*moment) + " (the atlas gives " +
               ZoneText(choice, p, *moment) + "); give --dst or --no-dst with it.";
    }
    if (choice.fit != ZoneFit::Row)
        return "new: --place " + Quoted(*cmd.place) + ": " + ZoneChoiceNote(choice, p, *moment) +
               " Give --zone (and --dst).";
    cmd.zone = std::to_string(choice.zoneIndex);
    cmd.dst = cmd.dst || choice.daylightSaving;
    return std::nullopt;
}

}  // namespace velloran
