#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "../core/RowName.h"
#include "../support/Json.h"
#include "CliSamples.h"
#include "cli/Cli.h"
#include "cli/CliText.h"
#include "domain/ZoneTable.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "output/TextExport.h"
#include "reading/Reading.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::PrintTo;

namespace fs = std::filesystem;

// The known birth: Ann Example, 15 January 1980, 10:30 Eastern Standard Time, New York.
std::vector<std::string> KnownBirthArgs(const std::string& output) {
    return test::KnownBirthNewArgs(output);
}

// The Delhi birth's new arguments with one option's value changed.
std::vector<std::string> DelhiWith(const std::string& option, const std::string& value,
                                   const std::string& output = "OUT");

// One object of the contacts array.
struct JsonContact {
    std::string draconic, natal, aspect;
    double orb = 0.0;
};

// The objects of a contacts array written one per line with exactly the keys draconic, natal,
// aspect and orb in that order; nothing when the text has any other shape.
std::optional<std::vector<JsonContact>> ContactObjects(const std::string& array) {
    static const std::regex object(
        R"re(\s*\{"draconic": "([^"]*)", "natal": "([^"]*)", "aspect": "([^"]*)", "orb": )re"
        R"re(([0-9.eE+-]+)\},?)re");
    std::vector<JsonContact> objects;
    std::istringstream lines(array);
    std::string line;
    if (!std::getline(lines, line)) return std::nullopt;
    if (line == "[]") return objects;
    if (line != "[") return std::nullopt;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (std::regex_match(line, m, object)) {
            objects.push_back({m[1], m[2], m[3], std::stod(m[4])});
        } else if (line.find_first_not_of(' ') == line.find(']') && line.back() == ']') {
            return objects;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Each test works in a folder of its own under the system's temporary folder.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override { m_folder.emplace("velloran-cli-test"); }
    void TearDown() override { m_folder.reset(); }

    std::string Path(const std::string& name) const { return m_folder->Path(name); }

    int Run(const std::vector<std::string>& args) {
        m_out.str(""), m_err.str("");
        return RunCli(args, m_out, m_err);
    }
    std::string Out() const { return m_out.str(); }
    std::string Err() const { return m_err.str(); }

    static std::string ReadFile(const std::string& path) { return test::ReadFileBytes(path); }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        test::WriteFileBytes(path, bytes);
    }

    std::string MakeKnownBirthReading() {
        std::string path = Path("known.vlr");
        EXPECT_EQ(Run(KnownBirthArgs(path)), kExitOk) << Err();
        return path;
    }

    std::string MakeDelhiReading() {
        std::string path = Path("ann.vlr");
        EXPECT_EQ(Run(test::DelhiNewArgs(path)), kExitOk) << Err();
        return path;
    }

    // A one-line message on standard error that mentions what.
    void ExpectOneLineError(const std::string& what) {
        std::string err = Err();
        EXPECT_EQ(err.rfind("velloran-cli: ", 0), 0u) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_NE(err.find(what), std::string::npos) << err;
        EXPECT_EQ(Out(), "");
    }

    std::optional<test::TempFolder> m_folder;
    std::ostringstream m_out, m_err;
};

TEST_F(CliTest, HelpPrintsUsage) {
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_EQ(Out().rfind("Usage:", 0), 0u);
    EXPECT_NE(Out().find("velloran-cli export FILE.vlr"), std::string::npos);
    EXPECT_EQ(Run({"show", "x.vlr", "-h"}), kExitOk);
    EXPECT_EQ(Out().rfind("Usage:", 0), 0u);
    EXPECT_EQ(Err(), "");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"new", "--name", "Ann", "--help"},
          std::vector<std::string>{"zones", "--help"}, std::vector<std::string>{"help"}}) {
        EXPECT_EQ(Run(args), kExitOk) << args[0];
        EXPECT_EQ(Out().rfind("Usage:", 0), 0u) << args[0];
    }
}

// An option's value is never an option: a script that passes a person's name "-h" or "--help"
// gets the reading written, not the usage and success with nothing done.
TEST_F(CliTest, NewTakesANameThatLooksLikeAnOption) {
    for (const std::string name : {"-h", "--help", "--name"}) {
        const std::string path = Path("named.vlr");
        fs::remove(path);
        ASSERT_EQ(Run(DelhiWith("--name", name, path)), kExitOk) << name << ": " << Err();
        EXPECT_EQ(Out(), "") << name;
        const auto lines = ReadReadingFile(ReadFile(path));
        ASSERT_TRUE(lines) << name;
        EXPECT_EQ((*lines)[0], name);
    }
}

TEST_F(CliTest, ZonesListsTheSeventyOneZonesWithTheirIndex) {
    EXPECT_EQ(Run({"zones"}), kExitOk);
    std::istringstream lines(Out());
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    ASSERT_EQ(all.size(), 71u);
    EXPECT_EQ(all[0], "0\tAlaska/Hawaii Daylight Time,AHDT,-9.0");
    EXPECT_EQ(all[34], "34\tIndian Time, IST, +5.3");
    EXPECT_EQ(all[70], "70\tYukon War Time,YWT,-8.0");
}

TEST_F(CliTest, NewWritesTheReadingFileOfTheForm) {
    std::string path = Path("ann.vlr");
    std::vector<std::string> args = test::DelhiNewArgs(path);
    args.push_back("--dst");
    ASSERT_EQ(Run(args), kExitOk) << Err();
    EXPECT_EQ(Err(), "");
    BirthData b = test::DelhiBirth();
    b.Name = "Ann Example";
    b.ZoneHours = 5, b.ZoneMinutes = 30;
    b.DaylightSaving = true;
    EXPECT_EQ(ReadFile(path), WriteReadingFile(b, 34));
}

TEST_F(CliTest, NewTakesSouthAndWestInEitherCase) {
    std::string path = Path("sydney.vlr");
    auto args = test::DelhiNewArgs(path);
    args[10] = "33:52s";
    args[12] = "151:13w";
    ASSERT_EQ(Run(args), kExitOk) << Err();
    auto lines = ReadReadingFile(ReadFile(path));
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[7], "151");
    EXPECT_EQ((*lines)[9], "33");
    EXPECT_EQ((*lines)[11], "False");  // not East
    EXPECT_EQ((*lines)[12], "True");   // South
}

struct FormRefusalCase {
    const char* rowName;
    const char* option;  // option to change, or to drop when value is null
    const char* value;
    const char* message;
};

class CliFormRefusalTest : public CliTest, public ::testing::WithParamInterface<FormRefusalCase> {};

TEST_P(CliFormRefusalTest, PrintsTheFormsMessageAndExitsTwoWithoutWriting) {
    const FormRefusalCase& c = GetParam();
    std::string path = Path("refused.vlr");
    std::vector<std::string> args = test::DelhiNewArgs(path), changed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == c.option) {
            if (c.value) changed.insert(changed.end(), {args[i], c.value});
            ++i;
        } else {
            changed.push_back(args[i]);
        }
    }
    EXPECT_EQ(Run(changed), kExitInvalidForm);
    EXPECT_EQ(Err(), std::string("velloran-cli: ") + c.message + "\n");
    EXPECT_FALSE(fs::exists(path));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CliFormRefusalTest,
    ::testing::Values(
        FormRefusalCase{"no_name", "--name", nullptr, "Please Enter Your Name"},
        FormRefusalCase{"empty_name", "--name", "", "Please Enter Your Name"},
        FormRefusalCase{"no_latitude", "--lat", nullptr, "Please Enter Degree of Latitude"},
        FormRefusalCase{"no_longitude", "--lon", nullptr, "Please Enter Degree of Longitude"},
        FormRefusalCase{"no_city", "--city", nullptr, "Please Enter Your City name"},
        FormRefusalCase{"no_state", "--state", nullptr, "Please Enter Your State name"},
        FormRefusalCase{"no_country", "--country", nullptr, "Please Enter Your Country name"},
        FormRefusalCase{"latitude_91", "--lat", "91:00N",
                        "Please Enter Degree of Latitude From 0 To 90"},
        FormRefusalCase{"latitude_999", "--lat", "999:00S",
                        "Please Enter Degree of Latitude From 0 To 90"},
        FormRefusalCase{"latitude_minutes_60", "--lat", "28:60N",
                        "Please Enter Minutes of Latitude From 0 To 59"},
        FormRefusalCase{"latitude_90_30", "--lat", "90:30S",
                        "Please Enter Minutes of Latitude From 0 To 59"},
        FormRefusalCase{"longitude_181", "--lon", "181:00W",
                        "Please Enter Degree of Longitude From 0 To 180"},
        FormRefusalCase{"longitude_minutes_99", "--lon", "77:99E",
                        "Please Enter Minute of Longitude From 0 To 59"},
        FormRefusalCase{"longitude_180_01", "--lon", "180:01E",
                        "Please Enter Minute of Longitude From 0 To 59"},
        // The form refuses a pole when it calculates: no ascendant there.
        FormRefusalCase{"latitude_90_north", "--lat", "90:00N",
                        "There is no ascendant at the poles: please enter a latitude below 90 "
                        "degrees."},
        FormRefusalCase{"latitude_90_south", "--lat", "90:00S",
                        "There is no ascendant at the poles: please enter a latitude below 90 "
                        "degrees."},
        FormRefusalCase{"feb_29_1905", "--date", "1905-02-29",
                        "Please Enter Correct Date Or Month!"},
        FormRefusalCase{"april_31", "--date", "1980-04-31",
                        "Please Enter Correct Date Or Month !"}),
    [](const auto& info) { return std::string(info.param.rowName); });

struct ArgumentErrorCase {
    const char* rowName;
    std::vector<std::string> args;  // "OUT" stands for the output file
    const char* mentions;
};

class CliArgumentErrorTest : public CliTest,
                             public ::testing::WithParamInterface<ArgumentErrorCase> {};

TEST_P(CliArgumentErrorTest, OneLineErrorExitOneAndNoFile) {
    std::string path = Path("out.vlr");
    std::vector<std::string> args = GetParam().args;
    for (auto& a : args) {
        if (a == "OUT") a = path;
    }
    EXPECT_EQ(Run(args), kExitFailure);
    ExpectOneLineError(GetParam().mentions);
    EXPECT_FALSE(fs::exists(path));
}

std::vector<std::string> DelhiWith(const std::string& option, const std::string& value,
                                   const std::string& output) {
    std::vector<std::string> args = test::DelhiNewArgs(output);
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == option) {
            args[i + 1] = value;
            break;
        }
    }
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliArgumentErrorTest,
    ::testing::Values(
        ArgumentErrorCase{"no_command", {}, "no command"},
        ArgumentErrorCase{"unknown_command", {"draw", "x.vlr"}, "unknown command 'draw'"},
        ArgumentErrorCase{"year_before_list", DelhiWith("--date", "1904-12-31"), "1905..2050"},
        ArgumentErrorCase{"year_after_list", DelhiWith("--date", "2051-01-01"), "1905..2050"},
        ArgumentErrorCase{"month_13", DelhiWith("--date", "1980-13-01"), "month"},
        ArgumentErrorCase{"day_32", DelhiWith("--date", "1980-01-32"), "day"},
        ArgumentErrorCase{"date_format", DelhiWith("--date", "5.3.1980"), "YYYY-MM-DD"},
        ArgumentErrorCase{"hour_24", DelhiWith("--time", "24:00"), "--time"},
        ArgumentErrorCase{"minute_60", DelhiWith("--time", "7:60"), "--time"},
        ArgumentErrorCase{"time_without_colon", DelhiWith("--time", "0705"), "HH:MM"},
        ArgumentErrorCase{"zone_71", DelhiWith("--zone", "71"), "0..70"},
        ArgumentErrorCase{"zone_negative", DelhiWith("--zone", "-1"), "0..70"},
        ArgumentErrorCase{"latitude_hemisphere", DelhiWith("--lat", "28:00E"), "--lat"},
        ArgumentErrorCase{"latitude_four_digits", DelhiWith("--lat", "1234:00N"), "--lat"},
        ArgumentErrorCase{"longitude_sign", DelhiWith("--lon", "-77:12E"), "--lon"},
        ArgumentErrorCase{"output_not_vlr", DelhiWith("-o", "out.txt"), "must end in .vlr"},
        // Names the library would not list and the program would not open.
        ArgumentErrorCase{"output_vlr_without_dot", DelhiWith("-o", "outvlr"), "must end in .vlr"},
        ArgumentErrorCase{"output_capital_vlr", DelhiWith("-o", "out.VLR"), "in small letters"},
        ArgumentErrorCase{"output_only_ending", DelhiWith("-o", "dir/.vlr"), "must end in .vlr"},
        ArgumentErrorCase{"name_with_line_feed", DelhiWith("--name", "Ann\nExample"),
                          "--name 'Ann?Example': control characters are not allowed"},
        ArgumentErrorCase{"city_with_tab", DelhiWith("--city", "New\tDelhi"), "--city"},
        ArgumentErrorCase{"country_with_delete", DelhiWith("--country", "India\x7f"), "--country"},
        ArgumentErrorCase{"unknown_option", {"new", "--colour", "red"}, "'--colour'"},
        ArgumentErrorCase{"missing_value", {"new", "--name"}, "--name needs a value"},
        ArgumentErrorCase{"option_twice", {"new", "--zone", "1", "--zone", "2"}, "given twice"},
        ArgumentErrorCase{"missing_date", {"new", "--name", "Ann", "-o", "OUT"}, "--date"},
        ArgumentErrorCase{"export_without_file", {"export"}, "no reading file"},
        ArgumentErrorCase{"show_two_files", {"show", "a.vlr", "b.vlr"}, "more than one"},
        ArgumentErrorCase{"zones_with_argument", {"zones", "all"}, "no arguments"},
        ArgumentErrorCase{"version_with_argument", {"--version", "zones"}, "no arguments"},
        ArgumentErrorCase{"contacts_without_file", {"contacts", "--json"}, "no reading file"},
        ArgumentErrorCase{"contacts_orb_too_wide",
                          {"contacts", "a.vlr", "--orb", "5.5"},
                          "0.5 to 5 degrees in steps of 0.5"},
        ArgumentErrorCase{
            "contacts_orb_off_step", {"contacts", "a.vlr", "--orb", "1.3"}, "--orb '1.3'"},
        ArgumentErrorCase{"contacts_orb_zero", {"contacts", "a.vlr", "--orb", "0"}, "--orb '0'"},
        ArgumentErrorCase{
            "contacts_orb_words", {"contacts", "a.vlr", "--orb", "2deg"}, "--orb '2deg'"},
        ArgumentErrorCase{
            "contacts_orb_exponent", {"contacts", "a.vlr", "--orb", "2e0"}, "--orb '2e0'"},
        ArgumentErrorCase{"contacts_orb_missing", {"contacts", "a.vlr", "--orb"}, "needs a value"},
        ArgumentErrorCase{"contacts_aspect_unknown",
                          {"contacts", "a.vlr", "--aspects", "conj,quincunx"},
                          "conj, opp, sq, tri, sex"},
        ArgumentErrorCase{"contacts_aspects_empty_item",
                          {"contacts", "a.vlr", "--aspects", "conj,,opp"},
                          "--aspects 'conj,,opp'"},
        ArgumentErrorCase{
            "contacts_aspects_empty", {"contacts", "a.vlr", "--aspects", ""}, "--aspects ''"},
        ArgumentErrorCase{
            "contacts_orb_twice", {"contacts", "a.vlr", "--orb", "1", "--orb", "2"}, "given twice"},
        ArgumentErrorCase{"contacts_unknown_option", {"contacts", "a.vlr", "--all"}, "'--all'"},
        // "-h" and "--help" as an option's value are that value: refused when it is none.
        ArgumentErrorCase{
            "positions_value_h", {"show", "a.vlr", "--positions", "-h"}, "--positions '-h'"},
        ArgumentErrorCase{"node_value_help", {"export", "--node", "--help", "a.vlr"}, "'--help'"},
        ArgumentErrorCase{"orb_value_help", {"contacts", "a.vlr", "--orb", "--help"}, "'--help'"},
        ArgumentErrorCase{"wheel_output_h", {"wheel", "a.vlr", "-o", "-h"}, "-o '-h'"},
        ArgumentErrorCase{"theme_value_help",
                          {"wheel", "a.vlr", "-o", "x.svg", "--theme", "--help"},
                          "--theme '--help'"},
        ArgumentErrorCase{"houses_value_h", {"list", "k", "--houses", "-h"}, "--houses '-h'"},
        ArgumentErrorCase{"batch_output_help", {"batch", "b.csv", "-o", "--help"}, "'--help'"},
        ArgumentErrorCase{
            "place_date_h", {"place", "zurich", "--date", "-h", "--time", "10:00"}, "'-h'"},
        ArgumentErrorCase{"new_date_help", DelhiWith("--date", "--help"), "--date '--help'"},
        ArgumentErrorCase{
            "dst_and_no_dst", {"new", "--dst", "--no-dst", "--name", "Ann"}, "--dst and --no-dst"},
        ArgumentErrorCase{"control_bytes_quoted",
                          {"new", "--x\n\x1b"},
                          "'--x?"
                          "?'"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// A reading at a pole (written by another tool, or before new refused it) has no ascendant:
// export refuses it with the reason. A minute off the pole, on the date line, is a chart like
// any other.
TEST_F(CliTest, ExportRefusesThePoleAndTakesTheDateLine) {
    std::string path = Path("pole.vlr");
    FormInput pole = test::DelhiBirthForm();
    pole.latitudeDegrees = "90", pole.latitudeMinutes = "0", pole.latitudeHemisphere = 1;
    WriteFile(path, WriteReadingFile(BirthFromForm(pole).birth, pole.zoneIndex));
    EXPECT_EQ(Run({"export", path}), kExitFailure);
    EXPECT_EQ(Out(), "");
    EXPECT_NE(Err().find("There is no ascendant at the poles"), std::string::npos) << Err();

    auto args = test::DelhiNewArgs(path);
    args[10] = "89:59S";
    args[12] = "180:00W";
    ASSERT_EQ(Run(args), kExitOk) << Err();
    ASSERT_EQ(Run({"export", path}), kExitOk) << Err();
    EXPECT_NE(Out().find("\r\nLatitude: 89 Degree 59 Minute \r\n"), std::string::npos) << Out();
    EXPECT_NE(Out().find("\r\nLongitude: 180 Degree 0 Minute \r\n"), std::string::npos) << Out();
}

TEST_F(CliTest, ExportWritesTheThirtyThreeLinesOfTheCalculatedReading) {
    std::string reading = MakeDelhiReading();
    ASSERT_EQ(Run({"export", reading}), kExitOk) << Err();
    std::string text = Out();

    FormInput form;
    ASSERT_TRUE(ApplyReadingToForm(*ReadReadingFile(ReadFile(reading)), form));
    const Calculation calculated = Calculate(BirthFromForm(form));
    ASSERT_TRUE(calculated.reading) << calculated.error;
    EXPECT_EQ(text, ExportText(*calculated.reading, EnglishMonthNames()));
    EXPECT_EQ(text.rfind("Name: Ann Example\r\nDate of Birth: March 5, 1980\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nLatitude: 28 Degree 0 Minute \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nNorth Node 0° 0' 0\" Ari\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 3), "\r\r\n");

    std::string out = Path("ann.txt");
    ASSERT_EQ(Run({"export", reading, "-o", out}), kExitOk) << Err();
    EXPECT_EQ(Out(), "");
    EXPECT_EQ(ReadFile(out), text);
}

TEST_F(CliTest, ShowPrintsBothChartsReadably) {
    std::string reading = MakeDelhiReading();
    ASSERT_EQ(Run({"show", reading}), kExitOk) << Err();
    std::string text = Out();
    EXPECT_NE(text.find("Date of Birth: March 5, 1980\n"), std::string::npos);
    EXPECT_NE(text.find("Retrograde: Mercury, Mars, Jupiter, Saturn\n"), std::string::npos);
    EXPECT_NE(text.find("Natal chart, rising sign "), std::string::npos);
    EXPECT_NE(text.find("Draconic chart, rising sign "), std::string::npos);
    EXPECT_NE(text.find("  Mercury (R)"), std::string::npos);
    EXPECT_NE(text.find("0° 0' 0\" Ari"), std::string::npos);
    EXPECT_NE(text.find("Houses (whole signs from the rising sign):"), std::string::npos);
}

TEST_F(CliTest, ShowJsonIsValidAndCarriesTheComputedValues) {
    std::string reading = MakeDelhiReading();
    ASSERT_EQ(Run({"show", reading, "--json"}), kExitOk) << Err();
    std::string json = Out();
    EXPECT_TRUE(test::JsonReader::Valid(json)) << json;
    for (const char* piece :
         {"\"universalTimeHours\": 1.58333", "\"dayNumber\": -7241.43",
          "\"retrograde\": [\"Mercury\", \"Mars\", \"Jupiter\", \"Saturn\"]",
          "\"zoneHoursToUT\": -5", "\"zoneMinutesToUT\": -30",
          "\"body\": \"North Node\", \"wheelName\": \"Rahu\"",
          "\"longitude\": 0, \"rawLongitude\": ", "\"position\": \"0° 0' 0\\\" Ari\"",
          "\"body\": \"Mercury\", \"wheelName\": \"Mercury\", \"label\": \"Me (R) \"",
          "\"Mercury (R) \"", "\"risingSign\": ", "\"text\": \"\\r\\n"}) {
        EXPECT_NE(json.find(piece), std::string::npos) << piece;
    }
}

TEST_F(CliTest, ContactsJsonOfTheKnownBirthIsTheMoonOppositeTheSun) {
    std::string reading = MakeKnownBirthReading();
    ASSERT_EQ(Run({"contacts", reading, "--json"}), kExitOk) << Err();
    const std::string json = Out();
    EXPECT_TRUE(test::JsonReader::Valid(json)) << json;
    auto objects = ContactObjects(json);
    ASSERT_TRUE(objects) << json;
    // Worked out by hand from the positions in docs/ (see the core's contact tests): draconic
    // Moon 114°58' against natal Sun 294°55' - 180° = 114°55', 3' give or take one.
    ASSERT_EQ(objects->size(), 1u) << json;
    EXPECT_EQ((*objects)[0].draconic, "Moon");
    EXPECT_EQ((*objects)[0].natal, "Sun");
    EXPECT_EQ((*objects)[0].aspect, "opposition");
    EXPECT_NEAR((*objects)[0].orb * 60, 3, 1.0);
    EXPECT_EQ(json.back(), '\n');
}

TEST_F(CliTest, ContactsFollowTheOrbAndTheAspectsAsked) {
    std::string reading = MakeKnownBirthReading();
    ASSERT_EQ(Run({"contacts", reading, "--json", "--orb", "2.5"}), kExitOk) << Err();
    auto wider = ContactObjects(Out());
    ASSERT_TRUE(wider) << Out();
    ASSERT_EQ(wider->size(), 2u) << Out();
    EXPECT_EQ((*wider)[1].draconic, "Venus");
    EXPECT_EQ((*wider)[1].natal, "Saturn");
    EXPECT_EQ((*wider)[1].aspect, "conjunction");
    EXPECT_NEAR((*wider)[1].orb * 60, 133, 1.0);  // 179°28' - 177°15'

    // At 3° the nodes join, under their names in the text export: the draconic North Node (0°)
    // opposite natal Saturn (177°15') and the draconic South Node (180°) conjunct it, 2°45' each
    // from the texts, so equal orbs in either order.
    ASSERT_EQ(Run({"contacts", reading, "--json", "--orb", "3"}), kExitOk) << Err();
    auto nodes = ContactObjects(Out());
    ASSERT_TRUE(nodes) << Out();
    ASSERT_EQ(nodes->size(), 4u) << Out();
    std::set<std::string> nodeContacts;
    for (std::size_t i = 2; i < 4; ++i) {
        const JsonContact& c = (*nodes)[i];
        nodeContacts.insert(c.draconic + " " + c.aspect + " " + c.natal);
        EXPECT_NEAR(c.orb * 60, 165, 1.0);
    }
    EXPECT_EQ(nodeContacts, (std::set<std::string>{"North Node opposition Saturn",
                                                   "South Node conjunction Saturn"}));

    ASSERT_EQ(Run({"contacts", reading, "--json", "--orb", "5", "--aspects", "sq,tri,sex"}),
              kExitOk)
        << Err();
    auto others = ContactObjects(Out());
    ASSERT_TRUE(others) << Out();
    double previous = 0.0;
    for (const JsonContact& c : *others) {
        EXPECT_TRUE(c.aspect == "square" || c.aspect == "trine" || c.aspect == "sextile")
            << c.aspect;
        EXPECT_LE(c.orb, 5.0);
        EXPECT_GE(c.orb, previous) << "smallest orb first";
        previous = c.orb;
    }
    EXPECT_FALSE(others->empty());

    ASSERT_EQ(Run({"contacts", reading}), kExitOk) << Err();
    const std::string text = Out();
    EXPECT_EQ(text.rfind("Contacts within 2° (conjunction, opposition): 1\n", 0), 0u) << text;
    EXPECT_NE(text.find("Draconic Moon"), std::string::npos) << text;
    EXPECT_NE(text.find("☍ opposition"), std::string::npos) << text;
    EXPECT_NE(text.find("Natal Sun"), std::string::npos) << text;
    EXPECT_NE(text.find("24 Can 58"), std::string::npos) << text;
}

TEST(CliParse, ContactsOptionsBecomeTheSettings) {
    auto plain = std::get<ContactsCommand>(ParseCli({"contacts", "a.vlr"}));
    EXPECT_EQ(plain.input, "a.vlr");
    EXPECT_EQ(plain.settings, ContactSettings{});
    EXPECT_FALSE(plain.json);

    auto all =
        std::get<ContactsCommand>(ParseCli({"contacts", "--orb", "0.5", "--node-pairs", "a.vlr",
                                            "--aspects", "sex,tri,sq,opp,conj", "--json"}));
    EXPECT_EQ(all.settings.orb, 0.5);
    EXPECT_EQ(all.settings.aspects, kAllAspects);
    EXPECT_TRUE(all.settings.nodePairs);
    EXPECT_TRUE(all.json);

    auto squares = std::get<ContactsCommand>(ParseCli({"contacts", "a.vlr", "--aspects", "sq"}));
    EXPECT_EQ(squares.settings.aspects, AspectBit(Aspect::Square));
}

TEST_F(CliTest, ShowJsonCarriesTheDefaultContacts) {
    std::string reading = MakeKnownBirthReading();
    ASSERT_EQ(Run({"show", reading, "--json"}), kExitOk) << Err();
    const std::string json = Out();
    EXPECT_TRUE(test::JsonReader::Valid(json)) << json;
    const std::size_t at = json.find("\n  \"contacts\": ");
    ASSERT_NE(at, std::string::npos) << json;
    const std::size_t start = json.find('[', at);
    const std::size_t end = json.find(']', start);
    auto objects = ContactObjects(json.substr(start, end + 1 - start));
    ASSERT_TRUE(objects) << json.substr(start);
    ASSERT_EQ(objects->size(), 1u);
    EXPECT_EQ((*objects)[0].draconic, "Moon");
    EXPECT_EQ((*objects)[0].natal, "Sun");
    EXPECT_EQ((*objects)[0].aspect, "opposition");
}

TEST_F(CliTest, ShowAndExportRefuseUnusableFiles) {
    std::string damaged = Path("damaged.vlr");
    WriteFile(damaged, std::string("\x96\x01\xc3\r\n", 5));
    fs::create_directory(Path("folder.vlr"));
    std::string wrongName = Path("reading.txt");
    WriteFile(wrongName, WriteReadingFile(BirthData{}, 0));
    std::string empty = Path("empty.vlr");
    WriteFile(empty, "");
    const std::string ann = ReadFile(MakeDelhiReading());
    std::string cutShort = Path("short.vlr");
    std::size_t fifthLineEnd = 0;
    for (int i = 0; i < 5; ++i) fifthLineEnd = ann.find("\r\n", fifthLineEnd) + 2;
    WriteFile(cutShort, ann.substr(0, fifthLineEnd));
    std::string lineFeed = Path("linefeed.vlr");
    WriteFile(lineFeed, "\x5f" + ann);  // a line feed before the name

    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    for (const Case& c : std::vector<Case>{{{"show", Path("missing.vlr")}, "no such file"},
                                           {{"export", Path("missing.vlr")}, "no such file"},
                                           {{"show", wrongName}, "not a reading file"},
                                           {{"show", Path("upper.VLR")}, "not a reading file"},
                                           {{"export", damaged}, "damaged reading file"},
                                           {{"export", empty}, "damaged reading file"},
                                           {{"show", cutShort}, "damaged reading file"},
                                           {{"export", lineFeed}, "damaged reading file"},
                                           {{"show", Path("folder.vlr")}, "is a folder"},
                                           {{"show", "/dev/null.vlr"}, "no such file"}}) {
        SCOPED_TRACE(c.args[1]);
        EXPECT_EQ(Run(c.args), kExitFailure);
        ExpectOneLineError(c.mentions);
    }
}

// Readings whose birth data the form's checks refuse: export and show print the form's message.
struct RefusedReadingCase {
    const char* rowName;
    void (*change)(BirthData&);
    const char* message;
};

class CliRefusedReadingTest : public CliTest,
                              public ::testing::WithParamInterface<RefusedReadingCase> {};

TEST_P(CliRefusedReadingTest, ExportAndShowPrintTheFormsMessageAndExitTwo) {
    BirthData b = test::DelhiBirth();
    GetParam().change(b);
    std::string path = Path("refused.vlr");
    WriteFile(path, WriteReadingFile(b, 34));
    for (const char* command : {"export", "show"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Run({command, path}), kExitInvalidForm);
        ExpectOneLineError(std::string(": ") + GetParam().message + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readings, CliRefusedReadingTest,
    ::testing::Values(RefusedReadingCase{"empty_name", [](BirthData& b) { b.Name = ""; },
                                         "Please Enter Your Name"},
                      RefusedReadingCase{"month_0", [](BirthData& b) { b.Month = 0; },
                                         "Please Enter Correct Date Or Month!"},
                      RefusedReadingCase{"latitude_999", [](BirthData& b) { b.LatDeg = 999; },
                                         "Please Enter Degree of Latitude From 0 To 90"},
                      RefusedReadingCase{"latitude_90_1",
                                         [](BirthData& b) { b.LatDeg = 90, b.LatMin = 1; },
                                         "Please Enter Minutes of Latitude From 0 To 59"},
                      RefusedReadingCase{"longitude_negative", [](BirthData& b) { b.LonDeg = -77; },
                                         "Please Enter Degree of Longitude From 0 To 180"},
                      RefusedReadingCase{"longitude_minutes_75",
                                         [](BirthData& b) { b.LonMin = 75; },
                                         "Please Enter Minute of Longitude From 0 To 59"}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST_F(CliTest, UnwritableOutputIsReported) {
    std::string reading = MakeDelhiReading();
    EXPECT_EQ(Run({"export", reading, "-o", Path("no/such/folder/out.txt")}), kExitFailure);
    ExpectOneLineError("cannot be created");
    EXPECT_EQ(Run(test::DelhiNewArgs(Path("folder.vlr/"))), kExitFailure);
}

TEST(CliText, JsonStringsEscapeQuotesBackslashesAndControls) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("\r\n\t\x01\x7f"), "\"\\r\\n\\t\\u0001\\u007f\"");
    EXPECT_EQ(JsonString("0° Ari"), "\"0° Ari\"");
    EXPECT_TRUE(test::JsonReader::Valid(JsonString(std::string("\0\x1f", 2))));
    EXPECT_EQ(JsonNumber(0.5), "0.5");
    EXPECT_EQ(JsonNumber(std::nan("")), "null");
    EXPECT_FALSE(test::JsonReader::Valid("{\"a\": 1,}"));
    EXPECT_FALSE(test::JsonReader::Valid("\"raw\ttab\""));
}

}  // namespace
}  // namespace velloran
