#include "output/ReadingFile.h"

#include <cstddef>
#include <string>

#include "domain/ZoneTable.h"
#include "input/TextRules.h"
#include "output/Scramble.h"

namespace velloran {

namespace {

constexpr std::size_t kMaxReadingBytes = 64 * 1024;
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

// Position in a list of consecutive numbers whose entry text equals text, or -1.
template <typename ListText>
int ListPositionOf(const std::string& text, ListText listText, int count) {
    for (int p = 0; p < count; ++p) {
        if (listText(p) == text) return p;
    }
    return -1;
}

void SelectListText(const std::string& text, std::string (*listText)(int), int count,
                    int& selection) {
    int p = ListPositionOf(text, listText, count);
    if (p >= 0) selection = p;
}

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

void ApplyReadingToForm(const std::array<std::string, kReadingLines>& lines, FormInput& form) {
    form.name = lines[kName];

    const std::string& month = lines[kMonth];
    if (month.empty()) {
        form.monthIndex = -1;
    } else if (auto value = IsWholeNumberText(month) ? WholeNumberOf(month) : std::nullopt;
               value && *value >= 0 && *value <= 12) {
        form.monthIndex = *value - 1;  // 0 gives no selection, as the empty line
    }

    SelectListText(lines[kDay], DayListText, 31, form.dayIndex);
    SelectListText(lines[kYear], YearListText, kLastYear - kFirstYear + 1, form.yearIndex);
    SelectListText(lines[kHour], HourListText, 24, form.hourIndex);
    SelectListText(lines[kMinute], MinuteListText, 60, form.minuteIndex);

    const std::string& zone = lines[kZone];
    if (zone.empty()) {
        form.zoneIndex = 0;
    } else if (auto value = IsWholeNumberText(zone) ? WholeNumberOf(zone) : std::nullopt;
               value && *value >= 0 && *value < kZoneCount) {
        form.zoneIndex = *value;
    }

    form.longitudeDegrees = lines[kLonDeg];
    form.longitudeMinutes = lines[kLonMin];
    form.latitudeDegrees = lines[kLatDeg];
    form.latitudeMinutes = lines[kLatMin];

    if (lines[kLongEast] == "True") form.longitudeHemisphere = 0;
    if (lines[kLongEast] == "False") form.longitudeHemisphere = 1;
    if (lines[kLatSouth] == "True") form.latitudeHemisphere = 1;
    if (lines[kLatSouth] == "False") form.latitudeHemisphere = 0;
    if (lines[kDaylightSaving] == "True") form.daylightSaving = 1;
    if (lines[kDaylightSaving] == "False") form.daylightSaving = 0;

    form.city = lines[kCity];
    form.state = lines[kState];
    form.country = lines[kCountry];
}

bool HasReadingExtension(std::string_view fileName) {
    return fileName.size() >= 3 && fileName.substr(fileName.size() - 3) == "vlr";
}

}  // namespace velloran
