// Reference readings from an independent implementation of the calculation (the README of the
// reference folder describes them). Each saved reading goes through the reading-file reader, the
// validation and the calculation as the open command runs them; the text export must match the
// expected bytes, and the charts, in the state and in velloran-cli's report, the expected texts,
// houses, marks, pictures and longitudes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "../support/Json.h"
#include "astro/Engine.h"
#include "astro/TimeScales.h"
#include "chart/ChartWindow.h"
#include "cli/Cli.h"
#include "domain/Bodies.h"
#include "output/TextExport.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"

namespace velloran {
namespace {

namespace fs = std::filesystem;
using test::Json;
using test::JsonReader;

// The tolerance the reference states for its 64-bit longitudes.
constexpr double kLongitudeTolDeg = 1e-9;
// Universal moments and day numbers: far below a second, far above double rounding of 2.4e6.
constexpr double kMomentTolDays = 1e-8;
constexpr const char* kMissingFolder = "reference_folder_missing";
constexpr std::string_view kRetrogradeMark = " (R) ";

fs::path ReferenceDir() { return fs::path(VELLORAN_REFERENCE_DIR); }

// Case names ("case-001"), sorted. When the folder cannot be listed the one row
// kMissingFolder stands in, so a missing folder fails the run instead of running no case.
std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(ReferenceDir(), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (path.extension() == ".json") names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back(kMissingFolder);
    return names;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Members of the expected state. A missing member or one of another type fails the test, so a
// changed reference never turns a comparison into one that checks nothing.
using JsonPath = std::initializer_list<std::string_view>;

const Json& Typed(const Json& root, JsonPath path, Json::Type type) {
    static const Json kNothing;
    const Json* node = &root;
    std::string where;
    for (std::string_view key : path) {
        where += "/" + std::string(key);
        node = node->Find(key);
        if (node == nullptr) {
            ADD_FAILURE() << "expected state has no " << where;
            return kNothing;
        }
    }
    if (node->type == type) return *node;
    ADD_FAILURE() << "expected state member " << where << " has another type";
    return kNothing;
}

std::string Text(const Json& root, JsonPath path) {
    return Typed(root, path, Json::Type::String).text;
}
double Number(const Json& root, JsonPath path) {
    return Typed(root, path, Json::Type::Number).number;
}
// A whole number; a fraction fails the test.
int Int(const Json& root, JsonPath path) {
    const double value = Number(root, path);
    EXPECT_EQ(value, static_cast<int>(value)) << "not a whole number";
    return static_cast<int>(value);
}
bool Flag(const Json& root, JsonPath path) { return Typed(root, path, Json::Type::Bool).boolean; }

std::vector<std::string> Texts(const Json& root, JsonPath path) {
    std::vector<std::string> texts;
    for (const Json& item : Typed(root, path, Json::Type::Array).items) {
        EXPECT_EQ(item.type, Json::Type::String);
        texts.push_back(item.text);
    }
    return texts;
}
std::vector<double> Numbers(const Json& root, JsonPath path) {
    std::vector<double> numbers;
    for (const Json& item : Typed(root, path, Json::Type::Array).items) {
        EXPECT_EQ(item.type, Json::Type::Number);
        numbers.push_back(item.number);
    }
    return numbers;
}
std::vector<int> Ints(const Json& root, JsonPath path) {
    std::vector<int> ints;
    for (double value : Numbers(root, path)) {
        EXPECT_EQ(value, static_cast<int>(value)) << "not a whole number";
        ints.push_back(static_cast<int>(value));
    }
    return ints;
}

// Entries first..first+count-1 of one of our lists, to compare with an expected list.
template <typename List>
auto Slice(const List& list, std::size_t first, std::size_t count) {
    return std::vector<typename List::value_type>(list.begin() + first,
                                                  list.begin() + first + count);
}

// The longitudes of a classic chart's ten bodies.
std::vector<double> Longitudes(const Chart& chart) {
    std::vector<double> out;
    for (int k = 0; k < kBodyCount; ++k) out.push_back(chart.bodies[k].longitude);
    return out;
}

// The twelve house texts of a wheel, house 1 first.
std::vector<std::string> HouseTexts(const WheelHouses& wheel) {
    std::vector<std::string> texts;
    for (int h = 1; h <= kSignCount; ++h) texts.push_back(HouseText(wheel, h));
    return texts;
}

void ExpectLongitudes(const std::vector<double>& expected, const std::vector<double>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_NEAR(actual[k], expected[k], kLongitudeTolDeg) << "body " << k;
    }
}

class ReferenceCaseTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        ASSERT_NE(GetParam(), kMissingFolder)
            << "no reference cases (*.json) in " << ReferenceDir()
            << "; set VELLORAN_REFERENCE_DIR to the folder of the reference readings";
        const fs::path base = ReferenceDir() / GetParam();
        m_readingPath = base.string() + ".vlr";
        m_export = ReadAll(base.string() + ".export.txt");
        ASSERT_FALSE(m_export.empty()) << "no export text for " << base;
        std::string error;
        auto json = JsonReader::Parse(ReadAll(base.string() + ".json"), error);
        ASSERT_TRUE(json) << base << ".json: " << error;
        m_expected = std::move(*json);

        // The open command: reader, form, validation, calculation.
        PlainForm form;
        OpenOutcome opened = OpenAndCalculate(ReadAll(m_readingPath), form, true);
        ASSERT_NE(opened.status, OpenStatus::Damaged) << m_readingPath << " was refused";
        ASSERT_EQ(opened.status, OpenStatus::Calculated)
            << (opened.failure ? opened.failure->message : opened.error);
        m_form = form.values();
        m_reading = std::move(*opened.reading);
        // The window as a calculation first shows it.
        m_window = MakeChartWindow(m_reading, ChartView::Draconic, EnglishMonthNames());
    }

    const Json& E() const { return m_expected; }

    // One chart of the command-line report against the expected rising sign, house signs (from
    // the sign pictures) and houses: each body in the house whose expected text lists it.
    void ExpectReportedChart(const Json& reported, const char* chart) const {
        EXPECT_EQ(Text(reported, {"risingSign"}), kSignNames[Int(E(), {"rising_sign", chart})]);
        const std::vector<std::string> houses = Texts(E(), {"houses", chart});
        const std::vector<int> pictures = Ints(E(), {"sign_pictures", chart});
        const std::vector<Json>& reportedHouses =
            Typed(reported, {"houses"}, Json::Type::Array).items;
        ASSERT_EQ(reportedHouses.size(), 12u);
        ASSERT_EQ(pictures.size(), 12u);
        for (int h = 0; h < 12; ++h) {
            EXPECT_EQ(Text(reportedHouses[h], {"sign"}), kSignNames[pictures[h] - 1]) << h + 1;
            EXPECT_EQ(Text(reportedHouses[h], {"text"}), houses[h]) << h + 1;
        }
        const std::vector<std::string> names = Texts(E(), {"body_names"});
        const std::vector<Json>& bodies = Typed(reported, {"bodies"}, Json::Type::Array).items;
        ASSERT_EQ(bodies.size(), static_cast<std::size_t>(kBodyCount));
        for (int k = 0; k < kBodyCount; ++k) {
            int expectedHouse = 0;
            for (int h = 0; h < 12; ++h) {
                if ((houses[h] + "\r\n").find("\r\n" + names[k] + "\r\n") != std::string::npos) {
                    expectedHouse = h + 1;
                }
            }
            const Json* house = bodies[k].Find("house");
            ASSERT_NE(house, nullptr);
            EXPECT_EQ(house->type == Json::Type::Number ? static_cast<int>(house->number) : 0,
                      expectedHouse)
                << names[k];
            EXPECT_EQ(Flag(bodies[k], {"retrograde"}), names[k].ends_with(kRetrogradeMark))
                << names[k];
        }
    }

    std::string m_readingPath;
    std::string m_export;
    Json m_expected;
    FormInput m_form;
    Reading m_reading;
    ChartWindowModel m_window;
};

TEST_P(ReferenceCaseTest, ExportAndChartsMatch) {
    SCOPED_TRACE(Text(E(), {"case"}));
    {
        SCOPED_TRACE("text export");
        EXPECT_EQ(ExportText(m_reading, EnglishMonthNames()), m_export);
        std::ostringstream out, err;
        EXPECT_EQ(RunCli({"export", m_readingPath}, out, err), kExitOk) << err.str();
        EXPECT_EQ(out.str(), m_export) << "velloran-cli export";
    }
    {
        SCOPED_TRACE("birth data and universal time");
        const BirthData& b = m_reading.birth();
        EXPECT_EQ(b.Name, Text(E(), {"birth", "Name"}));
        EXPECT_EQ(b.Month, Int(E(), {"birth", "Month"}));
        EXPECT_EQ(b.Day, Int(E(), {"birth", "Day"}));
        EXPECT_EQ(b.Year, Int(E(), {"birth", "Year"}));
        EXPECT_EQ(b.Hour, Int(E(), {"birth", "Hour"}));
        EXPECT_EQ(b.Minute, Int(E(), {"birth", "Minute"}));
        EXPECT_EQ(b.ZoneHours, Int(E(), {"birth", "ZoneHours"}));
        EXPECT_EQ(b.ZoneMinutes, Int(E(), {"birth", "ZoneMinutes"}));
        EXPECT_EQ(b.LonDeg, Int(E(), {"birth", "LonDeg"}));
        EXPECT_EQ(b.LonMin, Int(E(), {"birth", "LonMin"}));
        EXPECT_EQ(b.LatDeg, Int(E(), {"birth", "LatDeg"}));
        EXPECT_EQ(b.LatMin, Int(E(), {"birth", "LatMin"}));
        EXPECT_EQ(b.LongEast, Flag(E(), {"birth", "LongEast"}));
        EXPECT_EQ(b.LatSouth, Flag(E(), {"birth", "LatSouth"}));
        EXPECT_EQ(b.DaylightSaving, Flag(E(), {"birth", "DaylightSaving"}));
        EXPECT_EQ(b.City, Text(E(), {"birth", "City"}));
        EXPECT_EQ(b.State, Text(E(), {"birth", "State"}));
        EXPECT_EQ(b.Country, Text(E(), {"birth", "Country"}));
        EXPECT_EQ(m_form.zoneIndex, Int(E(), {"birth", "ZoneIndex"}));
        EXPECT_EQ(m_reading.input.zoneIndex, Int(E(), {"birth", "ZoneIndex"}));
        // The reference writes the zone as signed hours and minutes to add to local time.
        EXPECT_EQ(m_reading.input.zoneMinutesToUT,
                  std::stoi(Text(E(), {"birth", "ZoneHoursToUT"})) * 60 +
                      std::stoi(Text(E(), {"birth", "ZoneMinutesToUT"})));
        // Our hours count from the local date, the reference's from the universal date.
        const double moment =
            JulianDayNumber(b.Month, b.Day, b.Year) + m_reading.universalTimeHours / 24.0;
        EXPECT_NEAR(moment, Number(E(), {"ut", "J0"}) + Number(E(), {"ut", "hours"}) / 24.0,
                    kMomentTolDays);
        EXPECT_NEAR(m_reading.dayNumber, Number(E(), {"ut", "d"}), kMomentTolDays);
    }
    {
        SCOPED_TRACE("natal chart");
        const Chart& natal = m_reading.natal;
        ExpectLongitudes(Numbers(E(), {"natal", "longitudes"}), Longitudes(natal));
        std::vector<std::string> longTexts, texts;
        for (int k = 0; k < kBodyCount; ++k) {
            longTexts.push_back(LongPosition(natal.bodies[k]));
            texts.push_back(CompactPosition(natal.bodies[k]));
        }
        EXPECT_EQ(longTexts, Texts(E(), {"natal", "long_texts"}));
        EXPECT_EQ(texts, Texts(E(), {"natal", "texts"}));
        EXPECT_EQ(Slice(m_window.natalColumn.cells, 0, kBodyCount), Texts(E(), {"natal", "cells"}));
    }
    {
        SCOPED_TRACE("draconic chart");
        // The draconic chart is measured from the bodies' longitudes as computed, which are the
        // natal ones.
        ExpectLongitudes(Numbers(E(), {"draconic", "raw_longitudes"}), Longitudes(m_reading.natal));
        // It takes them at 15 significant digits. The reference reckons the ascendant from the
        // universal date, we from the local date (the same moment), and the last digit may
        // differ, so they compare as longitudes.
        std::vector<double> decimals, expectedDecimals;
        for (int k = 0; k < kBodyCount; ++k)
            decimals.push_back(RoundToFifteenDigits(m_reading.natal.bodies[k].longitude));
        for (const std::string& text : Texts(E(), {"draconic", "raw_texts"}))
            expectedDecimals.push_back(std::stod(text));
        ExpectLongitudes(expectedDecimals, decimals);
        std::vector<std::string> longTexts;
        for (int k = 0; k < kBodyCount; ++k)
            longTexts.push_back(LongPosition(m_reading.draconic.bodies[k]));
        EXPECT_EQ(longTexts, Texts(E(), {"draconic", "long_texts"}));
        EXPECT_EQ(Slice(m_window.draconicColumn.cells, 0, kBodyCount),
                  Texts(E(), {"draconic", "cells"}));
    }
    {
        SCOPED_TRACE("names, labels and retrograde marks");
        // The names and labels as the wheels show them, marks included.
        const WheelHouses names = MakeWheelHouses(m_reading.natal, BodyNaming::WheelNames);
        const WheelHouses labels = MakeWheelHouses(m_reading.natal, BodyNaming::Labels);
        std::vector<std::string> wheelNames, wheelLabels, retrograde, flagged;
        for (int k = 0; k < kBodyCount; ++k) {
            const auto body = static_cast<ChartBody>(k);
            wheelNames.push_back(WheelBodyName(names, body));
            wheelLabels.push_back(WheelBodyName(labels, body));
            if (wheelNames.back().ends_with(kRetrogradeMark))
                retrograde.push_back(std::string(kWesternBodyNames[k]));
            if (m_reading.natal.bodies[k].retrograde)
                flagged.push_back(std::string(kWesternBodyNames[k]));
            EXPECT_EQ(m_reading.draconic.bodies[k].retrograde,
                      m_reading.natal.bodies[k].retrograde);
        }
        EXPECT_EQ(retrograde, Texts(E(), {"retrograde"}));
        EXPECT_EQ(flagged, Texts(E(), {"retrograde"})) << "retrograde flags";
        EXPECT_EQ(wheelNames, Texts(E(), {"body_names"}));
        EXPECT_EQ(wheelLabels, Texts(E(), {"body_labels"}));
    }
    {
        SCOPED_TRACE("houses, rising signs and sign pictures");
        const int natalAsc = m_reading.natal[ChartBody::Ascendant].sign;
        const int draconicAsc = m_reading.draconic[ChartBody::Ascendant].sign;
        const std::vector<std::string> natalHouses =
            HouseTexts(MakeWheelHouses(m_reading.natal, BodyNaming::WheelNames));
        const std::vector<std::string> draconicTexts =
            HouseTexts(MakeWheelHouses(m_reading.draconic, BodyNaming::WheelNames));
        EXPECT_EQ(natalAsc, Int(E(), {"ascendant_sign", "natal"}));
        EXPECT_EQ(draconicAsc, Int(E(), {"ascendant_sign", "draconic"}));
        // Our house 1 holds the ascendant, so the rising sign is the ascendant's sign.
        EXPECT_NE(natalHouses[0].find("\r\nAsc"), std::string::npos);
        EXPECT_NE(draconicTexts[0].find("\r\nAsc"), std::string::npos);
        EXPECT_EQ(natalAsc, Int(E(), {"rising_sign", "natal"}));
        EXPECT_EQ(draconicAsc, Int(E(), {"rising_sign", "draconic"}));
        EXPECT_EQ(m_reading.natal.risingSign(), Int(E(), {"rising_sign", "natal"}));
        EXPECT_EQ(m_reading.draconic.risingSign(), Int(E(), {"rising_sign", "draconic"}));

        const std::vector<std::string> draconicHouses = Texts(E(), {"houses", "draconic"});
        EXPECT_EQ(natalHouses, Texts(E(), {"houses", "natal"}));
        EXPECT_EQ(draconicTexts, draconicHouses);
        EXPECT_EQ(HouseTexts(m_window.singleWheel), draconicHouses) << "single wheel";
        EXPECT_EQ(
            HouseTexts(
                MakeChartWindow(m_reading, ChartView::Natal, EnglishMonthNames()).singleWheel),
            Texts(E(), {"houses", "natal"}))
            << "natal view's single wheel";

        const std::vector<int> draconicPictures = Ints(E(), {"sign_pictures", "draconic"});
        EXPECT_EQ(Slice(m_window.innerRing.signPictures, 0, 12),
                  Ints(E(), {"sign_pictures", "natal"}));
        EXPECT_EQ(Slice(m_window.outerRing.signPictures, 0, 12), draconicPictures) << "outer ring";
        EXPECT_EQ(Slice(m_window.singleWheel.signPictures, 0, 12), draconicPictures)
            << "single wheel";
        EXPECT_EQ(m_window.lblType, Text(E(), {"heading_after_calculation"}));
    }
    {
        SCOPED_TRACE("velloran-cli show --json");
        std::ostringstream out, err;
        ASSERT_EQ(RunCli({"show", "--json", m_readingPath}, out, err), kExitOk) << err.str();
        std::string error;
        const std::optional<Json> shown = JsonReader::Parse(out.str(), error);
        ASSERT_TRUE(shown) << error;
        EXPECT_EQ(Texts(*shown, {"retrograde"}), Texts(E(), {"retrograde"}));
        for (const char* chart : {"natal", "draconic"}) {
            SCOPED_TRACE(chart);
            ExpectReportedChart(Typed(*shown, {chart}, Json::Type::Object), chart);
        }
    }
    {
        SCOPED_TRACE("comparison wheel");
        const ChartWindowModel comparison =
            MakeChartWindow(m_reading, ChartView::Comparison, EnglishMonthNames());
        const std::vector<std::string> expected =
            Texts(E(), {"wheel_house_texts_after_comparison"});
        std::vector<std::string> rings = HouseTexts(comparison.outerRing);
        for (const std::string& text : HouseTexts(comparison.innerRing)) rings.push_back(text);
        EXPECT_EQ(rings, expected) << "outer ring, then inner ring";
    }
}

// Test names allow letters, digits and underscores only: "case-001" runs as "case_001".
INSTANTIATE_TEST_SUITE_P(Readings, ReferenceCaseTest, ::testing::ValuesIn(CaseNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// Every case comes with its saved reading and its export.
TEST(ReferenceFolder, EveryCaseHasItsReadingAndExport) {
    const std::vector<std::string> names = CaseNames();
    ASSERT_NE(names.front(), kMissingFolder) << "no reference cases in " << ReferenceDir();
    for (const std::string& name : names) {
        EXPECT_TRUE(fs::is_regular_file(ReferenceDir() / (name + ".vlr"))) << name;
        EXPECT_TRUE(fs::is_regular_file(ReferenceDir() / (name + ".export.txt"))) << name;
    }
}

}  // namespace
}  // namespace velloran
