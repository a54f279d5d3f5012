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
#include "chart/ChartFill.h"
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
        const OpenOutcome opened = OpenAndCalculate(ReadAll(m_readingPath), form, true,
                                                    EnglishMonthNames(), m_state, m_window);
        ASSERT_NE(opened.status, OpenStatus::Damaged) << m_readingPath << " was refused";
        ASSERT_EQ(opened.status, OpenStatus::Calculated) << opened.failure->message;
        m_form = form.values();
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
    ReadingState m_state;
    ChartWindowModel m_window;
};

TEST_P(ReferenceCaseTest, ExportAndChartsMatch) {
    SCOPED_TRACE(Text(E(), {"case"}));
    {
        SCOPED_TRACE("text export");
        EXPECT_EQ(ExportText(m_state, EnglishMonthNames()), m_export);
        std::ostringstream out, err;
        EXPECT_EQ(RunCli({"export", m_readingPath}, out, err), kExitOk) << err.str();
        EXPECT_EQ(out.str(), m_export) << "velloran-cli export";
    }
    {
        SCOPED_TRACE("birth data and universal time");
        const BirthData& b = m_state.Birth;
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
        EXPECT_EQ(m_state.ZoneHoursToUT, Text(E(), {"birth", "ZoneHoursToUT"}));
        EXPECT_EQ(m_state.ZoneMinutesToUT, Text(E(), {"birth", "ZoneMinutesToUT"}));
        // Our hours count from the local date, the reference's from the universal date.
        const double moment =
            JulianDayNumber(b.Month, b.Day, b.Year) + m_state.UniversalTimeHours / 24.0;
        EXPECT_NEAR(moment, Number(E(), {"ut", "J0"}) + Number(E(), {"ut", "hours"}) / 24.0,
                    kMomentTolDays);
        EXPECT_NEAR(m_state.DayNumber, Number(E(), {"ut", "d"}), kMomentTolDays);
    }
    {
        SCOPED_TRACE("natal chart");
        ExpectLongitudes(Numbers(E(), {"natal", "longitudes"}),
                         Slice(m_state.NatalLongitudes, 0, kBodyCount));
        std::vector<std::string> longTexts;
        for (int k = 0; k < kBodyCount; ++k) {
            longTexts.push_back(FormatSignPosition(m_state.NatalLongitudes[k]));
        }
        longTexts[static_cast<int>(ChartBody::Moon)] = m_state.MoonPositionText;
        longTexts[static_cast<int>(ChartBody::Ascendant)] = m_state.NatalAscendantText;
        EXPECT_EQ(longTexts, Texts(E(), {"natal", "long_texts"}));
        EXPECT_EQ(Slice(m_state.NatalPositions, 0, kBodyCount), Texts(E(), {"natal", "texts"}));
        EXPECT_EQ(Slice(m_window.natalColumn.cells, 0, kBodyCount), Texts(E(), {"natal", "cells"}));
    }
    {
        SCOPED_TRACE("draconic chart");
        ExpectLongitudes(Numbers(E(), {"draconic", "raw_longitudes"}),
                         Slice(m_state.DraconicRawLongitudes, 0, kBodyCount));
        // The fill consumed the pass's decimals; a fresh pass shows them again. They are the
        // longitudes to 15 significant digits, so they compare as longitudes: the reference
        // reckons the ascendant from the universal date, we from the local date (the same moment),
        // and the last digit may differ.
        ReadingState fresh = m_state;
        RunPass(fresh, ChartKind::Draconic);
        std::vector<double> decimals;
        for (int k = 0; k < kBodyCount; ++k) {
            bool ok = false;
            decimals.push_back(ParseDecimalText(fresh.DraconicPositions[k], &ok));
            EXPECT_TRUE(ok) << fresh.DraconicPositions[k];
        }
        std::vector<double> expectedDecimals;
        for (const std::string& text : Texts(E(), {"draconic", "raw_texts"})) {
            bool ok = false;
            expectedDecimals.push_back(ParseDecimalText(text, &ok));
            EXPECT_TRUE(ok) << "expected " << text;
        }
        ExpectLongitudes(expectedDecimals, decimals);
        EXPECT_EQ(Slice(m_state.DraconicPositions, 0, kBodyCount),
                  Texts(E(), {"draconic", "long_texts"}));
        EXPECT_EQ(Slice(m_window.draconicColumn.cells, 0, kBodyCount),
                  Texts(E(), {"draconic", "cells"}));
    }
    {
        SCOPED_TRACE("names, labels and retrograde marks");
        std::vector<std::string> retrograde;
        for (int k = 0; k < kBodyCount; ++k) {
            if (m_state.BodyNames[k].ends_with(kRetrogradeMark)) {
                retrograde.push_back(m_state.WesternBodyNames[k]);
            }
        }
        EXPECT_EQ(retrograde, Texts(E(), {"retrograde"}));
        std::vector<std::string> flagged;
        for (int k = 0; k < kBodyCount; ++k) {
            if (m_state.Retrograde[k]) flagged.push_back(m_state.WesternBodyNames[k]);
        }
        EXPECT_EQ(flagged, Texts(E(), {"retrograde"})) << "retrograde flags";
        EXPECT_EQ(Slice(m_state.BodyNames, 0, kBodyCount), Texts(E(), {"body_names"}));
        EXPECT_EQ(Slice(m_state.BodyLabels, 0, kBodyCount), Texts(E(), {"body_labels"}));
    }
    {
        SCOPED_TRACE("houses, rising signs and sign pictures");
        const int natalAsc = m_state.NatalChart[ChartBody::Ascendant].sign;
        const int draconicAsc = m_state.DraconicChart[ChartBody::Ascendant].sign;
        EXPECT_EQ(natalAsc, Int(E(), {"ascendant_sign", "natal"}));
        EXPECT_EQ(draconicAsc, Int(E(), {"ascendant_sign", "draconic"}));
        // Our house 1 holds the ascendant, so the rising sign is the ascendant's sign.
        EXPECT_NE(m_state.WheelHouseTexts[12].find("\r\nAsc"), std::string::npos);
        EXPECT_NE(m_state.WheelHouseTexts[0].find("\r\nAsc"), std::string::npos);
        EXPECT_EQ(natalAsc, Int(E(), {"rising_sign", "natal"}));
        EXPECT_EQ(draconicAsc, Int(E(), {"rising_sign", "draconic"}));
        EXPECT_EQ(m_state.NatalChart.risingSign(), Int(E(), {"rising_sign", "natal"}));
        EXPECT_EQ(m_state.DraconicChart.risingSign(), Int(E(), {"rising_sign", "draconic"}));

        const std::vector<std::string> draconicHouses = Texts(E(), {"houses", "draconic"});
        EXPECT_EQ(Slice(m_state.WheelHouseTexts, 12, 12), Texts(E(), {"houses", "natal"}));
        EXPECT_EQ(Slice(m_state.WheelHouseTexts, 0, 12), draconicHouses);
        EXPECT_EQ(Slice(m_window.singleWheel.texts, 0, 12), draconicHouses) << "single wheel";

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
        ShowComparisonView(m_state, m_window);
        const std::vector<std::string> expected =
            Texts(E(), {"wheel_house_texts_after_comparison"});
        EXPECT_EQ(Slice(m_state.WheelHouseTexts, 0, 24), expected);
        std::vector<std::string> rings = Slice(m_window.outerRing.texts, 0, 12);
        for (const std::string& text : m_window.innerRing.texts) rings.push_back(text);
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
