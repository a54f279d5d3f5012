#include "input/ReadingFile.h"

#include <cstddef>
#include <string>

#include "domain/ZoneTable.h"
#include "input/Scramble.h"
#include "input/TextRules.h"
#include "input/Utf8.h"

namespace velloran {

namespace {

constexpr int kMaxReadingLines = 40;

enum Line {
    kName,
    kMonth,
    kDay,
    kYear,
    kHour,
    kMinute,
    kZone,
    kLonDeg,
    kLonMin,
    kLatDeg,
    kLatMin,
    kLongEast,
    kLatSouth,
    kDaylightSaving,
    kCity,
    kState,
    kCountry
};

const char* TruthText(bool value) { return value ? "True" : "False"; }

bool HasControlByte(std::string_view bytes) {
    for (unsigned char b : bytes) {
        if (b < 32 && b != 9 && b != 10 && b != 13) return true;
    }
    return false;
}

// A decoded text with a control character (U+0000..U+001F or U+007F): no form field holds one,
// and a line feed in a name would split the export's lines. In UTF-8 these are single bytes.
bool HasControlCharacter(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

// Selects the position of a list of the numbers first..last whose entry is text: the number
// written plainly, as the list shows it ("7", never "07" or " 7"). False, selection untouched,
// for any other text.
bool SelectListNumber(const std::string& text, int first, int last, int& selection) {
    const std::optional<int> value = DecimalDigits(text);
    if (!value || (text.size() > 1 && text.front() == '0')) return false;
    if (*value < first || *value > last) return false;
    selection = *value - first;
    return true;
}

// Characters (code points) of a UTF-8 text.
std::size_t CodePointCount(std::string_view text) { return DecodeUtf8(text).size(); }

// The lines holding the texts the form's letter boxes take, with the word a message uses.
struct TextLine {
    int line;
    const char* word;
};
constexpr TextLine kTextLines[] = {
    {kName, "name"}, {kCity, "city"}, {kState, "state"}, {kCountry, "country"}};

// A birth-data number with its word and the range its list holds.
struct ListValue {
    const char* word;
    int value, first, last;
};

}  // namespace

std::string WriteReadingFile(const BirthData& birth, int zoneIndex) {
    const std::string fields[kReadingLines] = {
        birth.Name,
        std::to_string(birth.Month),
        std::to_string(birth.Day),
        std::to_string(birth.Year),
        std::to_string(birth.Hour),
        std::to_string(birth.Minute),
        std::to_string(zoneIndex),
        std::to_string(birth.LonDeg),
        std::to_string(birth.LonMin),
        std::to_string(birth.LatDeg),
        std::to_string(birth.LatMin),
        TruthText(birth.LongEast),
        TruthText(birth.LatSouth),
        TruthText(birth.DaylightSaving),
        birth.City,
        birth.State,
        birth.Country,
    };
    std::string out;
    for (const std::string& field : fields) {
        out += ScrambleText(TrimBlanks(field));
        out += "\r\n";
    }
    return out;
}

std::optional<std::string> ReadingSaveProblem(const BirthData& birth, int zoneIndex) {
    const std::string consequence = ", so the saved reading could not be opened again";
    const std::string* texts[] = {&birth.Name, &birth.City, &birth.State, &birth.Country};
    for (std::size_t i = 0; i < std::size(kTextLines); ++i) {
        const std::string_view text = TrimBlanks(*texts[i]);
        const std::string word = kTextLines[i].word;
        if (CodePointCount(text) > static_cast<std::size_t>(kMaxTextLength))
            return "the " + word + " is longer than " + std::to_string(kMaxTextLength) +
                   " characters" + consequence;
        if (HasControlCharacter(text))
            return "the " + word + " holds a control character" + consequence;
    }
    const ListValue values[] = {{"month", birth.Month, 0, 12},
                                {"day", birth.Day, 1, 31},
                                {"year", birth.Year, kFirstYear, kLastYear},
                                {"hour", birth.Hour, 0, 23},
                                {"minute", birth.Minute, 0, 59},
                                {"time zone position", zoneIndex, 0, kZoneCount - 1}};
    for (const ListValue& v : values) {
        if (v.value < v.first || v.value > v.last)
            return std::string("the ") + v.word + " " + std::to_string(v.value) +
                   " is not in the form's list" + consequence;
    }
    // The last word: the bytes as written must open, whatever the checks above missed.
    const auto lines = ReadReadingFile(WriteReadingFile(birth, zoneIndex));
    FormInput form;
    if (!lines || !ApplyReadingToForm(*lines, form))
        return "the saved reading could not be opened again";
    return std::nullopt;
}

std::optional<std::array<std::string, kReadingLines>> ReadReadingFile(std::string_view bytes) {
    if (bytes.size() > kMaxReadingBytes || HasControlByte(bytes)) return std::nullopt;

    std::array<std::string, kReadingLines> lines;
    int count = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        std::string_view line = bytes.substr(pos, end == std::string_view::npos ? end : end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (++count > kMaxReadingLines) return std::nullopt;
        if (count <= kReadingLines) {
            lines[count - 1] = UnscrambleText(line);
            if (HasControlCharacter(lines[count - 1])) return std::nullopt;
        }
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    // An empty or cut-short file would empty the form's fields that it does not reach.
    if (count < kReadingLines) return std::nullopt;
    // The form's boxes take no more, and a longer text might not fit the file when saved again.
    for (const TextLine& text : kTextLines) {
        if (CodePointCount(lines[text.line]) > static_cast<std::size_t>(kMaxTextLength))
            return std::nullopt;
    }

    // Month 0 is what a reading calculated without a month selection was saved with; the form's
    // checks refuse it once it is in the form.
    const std::string& month = lines[kMonth];
    if (!month.empty()) {
        auto value = IsWholeNumberText(month) ? WholeNumberOf(month) : std::nullopt;
        if (!value || *value < 0 || *value > 12) return std::nullopt;
    }
    if (!lines[kZone].empty() && !IsWholeNumberText(lines[kZone])) return std::nullopt;
    return lines;
}

bool ApplyReadingToForm(const std::array<std::string, kReadingLines>& lines, FormInput& form) {
    FormInput opened = form;
    opened.name = lines[kName];

    const std::string& month = lines[kMonth];
    if (month.empty()) {
        opened.monthIndex = -1;
    } else if (auto value = IsWholeNumberText(month) ? WholeNumberOf(month) : std::nullopt;
               value && *value >= 0 && *value <= 12) {
        opened.monthIndex = *value - 1;  // 0 gives no selection, as the empty line
    }

    if (!SelectListNumber(lines[kDay], 1, 31, opened.dayIndex) ||
        !SelectListNumber(lines[kYear], kFirstYear, kLastYear, opened.yearIndex) ||
        !SelectListNumber(lines[kHour], 0, 23, opened.hourIndex) ||
        !SelectListNumber(lines[kMinute], 0, 59, opened.minuteIndex))
        return false;

    const std::string& zone = lines[kZone];
    if (zone.empty()) {
        opened.zoneIndex = 0;
    } else {
        auto value = IsWholeNumberText(zone) ? WholeNumberOf(zone) : std::nullopt;
        if (!value || *value < 0 || *value >= kZoneCount) return false;
        opened.zoneIndex = *value;
    }

    opened.longitudeDegrees = lines[kLonDeg];
    opened.longitudeMinutes = lines[kLonMin];
    opened.latitudeDegrees = lines[kLatDeg];
    opened.latitudeMinutes = lines[kLatMin];

    if (lines[kLongEast] == "True") opened.longitudeHemisphere = 0;
    if (lines[kLongEast] == "False") opened.longitudeHemisphere = 1;
    if (lines[kLatSouth] == "True") opened.latitudeHemisphere = 1;
    if (lines[kLatSouth] == "False") opened.latitudeHemisphere = 0;
    if (lines[kDaylightSaving] == "True") opened.daylightSaving = 1;
    if (lines[kDaylightSaving] == "False") opened.daylightSaving = 0;

    opened.city = lines[kCity];
    opened.state = lines[kState];
    opened.country = lines[kCountry];
    form = opened;
    return true;
}

bool HasReadingExtension(std::string_view fileName) {
    return fileName.size() >= 3 && fileName.substr(fileName.size() - 3) == "vlr";
}

bool IsReadingFileName(std::string_view fileName) {
    constexpr std::string_view kEnding = ".vlr";
    const std::string_view name = fileName.substr(fileName.rfind('/') + 1);
    return name.size() > kEnding.size() && name.substr(name.size() - kEnding.size()) == kEnding;
}

}  // namespace velloran
