#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "../core/RowName.h"
#include "../support/Json.h"
#include "cli/Cli.h"

namespace velloran {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;

struct CliRun {
    int status = 0;
    std::string out, err;
};

CliRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun run;
    run.status = RunCli(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The captured values of each object of the place array (one object a line, exactly these keys
// in this order): name, country, latitude, longitude, timezone and, with a moment, zone_index,
// daylight_saving, utc_offset_minutes and note. Nothing when any line has another shape.
using Fields = std::vector<std::string>;
std::vector<Fields> PlaceObjects(const std::string& json, bool withMoment) {
    static const std::string kPlace =
        R"re(\{"name": "([^"]*)", "state": "[^"]*", "country": "([^"]*)", )re"
        R"re("latitude": (-?[0-9.]+), "longitude": (-?[0-9.]+), "timezone": "([^"]*)", )re"
        R"re("population": [0-9]+)re";
    static const std::regex plain(kPlace + "\\},?");
    static const std::regex timed(
        kPlace + R"re(, "zone_index": (null|[0-9]+), "daylight_saving": (true|false), )re"
                 R"re("utc_offset_minutes": (-?[0-9.]+), "note": "((?:[^"\\]|\\.)*)"\},?)re");
    std::vector<Fields> objects;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        if (line == "[" || line == "]") continue;
        std::smatch m;
        const std::string body = line.substr(std::min(line.find('{'), line.size()));
        if (!std::regex_match(body, m, withMoment ? timed : plain)) return {};
        objects.emplace_back(m.begin() + 1, m.end());
    }
    return objects;
}

TEST(CliPlace, JsonListsZurichFirstWithExactlyTheKeys) {
    const CliRun run = RunTool({"place", "Zür", "--json"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_TRUE(test::JsonReader::Valid(run.out)) << run.out;
    const auto objects = PlaceObjects(run.out, false);
    ASSERT_FALSE(objects.empty()) << run.out;
    EXPECT_EQ(objects[0][0], "Zurich");
    EXPECT_EQ(objects[0][1], "Switzerland");
    EXPECT_NEAR(std::stod(objects[0][2]), 47.367, 0.001);
    EXPECT_NEAR(std::stod(objects[0][3]), 8.55, 0.001);
    EXPECT_EQ(objects[0][4], "Europe/Zurich");
}

TEST(CliPlace, WestAndSouthAreNegativeInJson) {
    const CliRun run = RunTool({"place", "sydney, new south", "--json"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const auto objects = PlaceObjects(run.out, false);
    ASSERT_EQ(objects.size(), 1u) << run.out;
    EXPECT_LT(std::stod(objects[0][2]), 0.0);
    EXPECT_GT(std::stod(objects[0][3]), 0.0);
    const auto ny = PlaceObjects(RunTool({"place", "new york", "--json"}).out, false);
    ASSERT_FALSE(ny.empty());
    EXPECT_GT(std::stod(ny[0][2]), 0.0);
    EXPECT_LT(std::stod(ny[0][3]), 0.0);
}

struct PlaceMomentRow {
    const char* rowName;
    const char* query;
    const char* date;
    const char* time;
    const char* zoneIndex;  // "null" when no row fits
    const char* daylightSaving;
    const char* offsetMinutes;
    bool noted;  // a note says why no row is set
};

class CliPlaceMoment : public ::testing::TestWithParam<PlaceMomentRow> {};

TEST_P(CliPlaceMoment, JsonGivesZoneBoxOffsetAndNote) {
    const PlaceMomentRow& row = GetParam();
    const CliRun run =
        RunTool({"place", row.query, "--date", row.date, "--time", row.time, "--json"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    ASSERT_TRUE(test::JsonReader::Valid(run.out)) << run.out;
    const auto objects = PlaceObjects(run.out, true);
    ASSERT_FALSE(objects.empty()) << run.out;
    EXPECT_EQ(objects[0][5], row.zoneIndex);
    EXPECT_EQ(objects[0][6], row.daylightSaving);
    EXPECT_EQ(objects[0][7], row.offsetMinutes);
    EXPECT_EQ(objects[0][8].length() > 0, row.noted) << objects[0][8];
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliPlaceMoment,
    ::testing::Values(
        PlaceMomentRow{"new_york_winter", "new york", "1980-01-15", "10:30", "27", "false", "-300",
                       false},
        PlaceMomentRow{"new_york_summer", "New York", "1980-07-04", "12:00", "27", "true", "-240",
                       false},
        PlaceMomentRow{"zurich_summer", "zurich", "1990-07-01", "9:05", "20", "true", "120", false},
        PlaceMomentRow{"kathmandu", "kathmandu", "1990-06-01", "12:00", "null", "false", "345",
                       true},
        PlaceMomentRow{"amsterdam_1935", "amsterdam, north", "1935-06-01", "12:00", "null", "false",
                       "79.53333333333333", true},
        PlaceMomentRow{"skipped", "new york", "2021-03-14", "02:30", "null", "false", "-300", true},
        PlaceMomentRow{"ambiguous", "new york", "2021-11-07", "01:30", "null", "false", "-240",
                       true}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(CliPlace, TextListsCoordinatesZoneAndRow) {
    const CliRun run =
        RunTool({"place", "springfield, il", "--date", "1980-07-04", "--time", "12:00"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out,
              "Springfield, Illinois, United States of America\t39:48N 89:39W\tAmerica/Chicago\t"
              "zone 21 Central Standard Time, daylight saving (UTC\u22125)\n");
}

struct PlaceErrorRow {
    const char* rowName;
    std::vector<std::string> args;
    const char* message;
};
class CliPlaceError : public ::testing::TestWithParam<PlaceErrorRow> {};
TEST_P(CliPlaceError, OneLineErrorAndExitOne) {
    const CliRun run = RunTool(GetParam().args);
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}
INSTANTIATE_TEST_SUITE_P(
    Rows, CliPlaceError,
    ::testing::Values(PlaceErrorRow{"no_query", {"place"}, "no place name given"},
                      PlaceErrorRow{"no_match", {"place", "qqqq"}, "no place matches"},
                      PlaceErrorRow{"date_without_time",
                                    {"place", "zurich", "--date", "1980-01-01"},
                                    "--date and --time go together"},
                      PlaceErrorRow{"bad_date",
                                    {"place", "zurich", "--date", "1980-13-01", "--time", "10:00"},
                                    "expected --date YYYY-MM-DD"},
                      PlaceErrorRow{
                          "unknown_option", {"place", "zurich", "--limit"}, "unknown option"},
                      PlaceErrorRow{"new_place_without_match",
                                    {"new", "--place", "qqqq", "--date", "1980-01-01", "--time",
                                     "10:00", "-o", "/nonexistent/x.vlr"},
                                    "no place matches"},
                      PlaceErrorRow{"new_place_without_row",
                                    {"new", "--place", "kathmandu", "--date", "1990-06-01",
                                     "--time", "10:00", "-o", "/nonexistent/x.vlr"},
                                    "UTC+5:45"}),
    [](const auto& info) { return std::string(info.param.rowName); });

class CliNewPlace : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("velloran-cli-place-" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    fs::path m_dir;
};

TEST_F(CliNewPlace, FillsWhatTheAtlasKnows) {
    const CliRun byPlace =
        RunTool({"new", "--name", "Ann", "--place", "Zurich, Switzerland", "--date", "1990-07-01",
                 "--time", "12:00", "-o", Path("a.vlr")});
    ASSERT_EQ(byPlace.status, kExitOk) << byPlace.err;
    const CliRun byHand = RunTool(
        {"new",       "--name",      "Ann",    "--date",     "1990-07-01", "--time",
         "12:00",     "--zone",      "20",     "--dst",      "--lat",      "47:22N",
         "--lon",     "8:33E",       "--city", "Zurich",     "--state",    "Canton of Zurich",
         "--country", "Switzerland", "-o",     Path("b.vlr")});
    ASSERT_EQ(byHand.status, kExitOk) << byHand.err;
    EXPECT_EQ(Bytes(Path("a.vlr")), Bytes(Path("b.vlr")));
}

TEST_F(CliNewPlace, ExplicitOptionsWin) {
    const CliRun byPlace =
        RunTool({"new", "--name", "Ann", "--place", "Zurich, Switzerland", "--date", "1980-01-15",
                 "--time", "12:00", "--zone", "29", "--no-dst", "--lat", "10:00S", "--city",
                 "Oerlikon", "-o", Path("a.vlr")});
    ASSERT_EQ(byPlace.status, kExitOk) << byPlace.err;
    const CliRun byHand =
        RunTool({"new",         "--name", "Ann",        "--date",  "1980-01-15",       "--time",
                 "12:00",       "--zone", "29",         "--lat",   "10:00S",           "--lon",
                 "8:33E",       "--city", "Oerlikon",   "--state", "Canton of Zurich", "--country",
                 "Switzerland", "-o",     Path("b.vlr")});
    ASSERT_EQ(byHand.status, kExitOk) << byHand.err;
    EXPECT_EQ(Bytes(Path("a.vlr")), Bytes(Path("b.vlr")));
}

// London on 1 July 1980 at 12:00 is British Summer Time: zone 29 (GMT) with daylight saving,
// 11:00 UT. A --zone that is the atlas's own row keeps the atlas's daylight saving; another row
// needs --dst or --no-dst, and its refusal names the atlas's row.
TEST_F(CliNewPlace, AnExplicitZoneKeepsTheAtlasDaylightSavingOrIsRefused) {
    const std::vector<std::string> london = {"new",    "--name",     "Ann",    "--place", "London",
                                             "--date", "1980-07-01", "--time", "12:00"};
    const auto make = [&](std::vector<std::string> extra, const char* file) {
        std::vector<std::string> args = london;
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-o", Path(file)});
        return RunTool(args);
    };
    const auto universalTime = [](const std::string& file) {
        const CliRun shown = RunTool({"show", file, "--json"});
        const auto at = shown.out.find("\"universalTimeHours\": ");
        return at == std::string::npos
                   ? std::string("none")
                   : shown.out.substr(at + 22, shown.out.find(',', at) - at - 22);
    };

    const CliRun atlas = make({}, "atlas.vlr");
    ASSERT_EQ(atlas.status, kExitOk) << atlas.err;
    EXPECT_EQ(universalTime(Path("atlas.vlr")), "11");
    const CliRun ownRow = make({"--zone", "29"}, "own.vlr");
    ASSERT_EQ(ownRow.status, kExitOk) << ownRow.err;
    EXPECT_EQ(universalTime(Path("own.vlr")), "11");
    EXPECT_EQ(Bytes(Path("own.vlr")), Bytes(Path("atlas.vlr")));

    const CliRun other = make({"--zone", "27"}, "other.vlr");
    EXPECT_EQ(other.status, kExitFailure);
    EXPECT_NE(other.err.find("zone 29 Greenwich Mean Time, daylight saving"), std::string::npos)
        << other.err;
    EXPECT_NE(other.err.find("--no-dst"), std::string::npos) << other.err;
    EXPECT_FALSE(fs::exists(Path("other.vlr")));

    ASSERT_EQ(make({"--zone", "29", "--no-dst"}, "winter.vlr").status, kExitOk);
    EXPECT_EQ(universalTime(Path("winter.vlr")), "12");
    ASSERT_EQ(make({"--zone", "27", "--dst"}, "chosen.vlr").status, kExitOk);
}

}  // namespace
}  // namespace velloran
