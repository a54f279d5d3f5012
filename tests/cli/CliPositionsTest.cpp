// velloran-cli's --positions and --node: what each command takes, the refusals, and what the
// precise report, JSON and export carry next to the classic ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../core/RowName.h"
#include "../support/Json.h"
#include "CliSamples.h"
#include "cli/Cli.h"
#include "domain/ZoneTable.h"
#include "support/SampleBirths.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::Json;
using test::PrintTo;

constexpr PositionsChoice kClassic{};
constexpr PositionsChoice kPreciseMean{PositionsKind::Precise, NodeKind::Mean};
constexpr PositionsChoice kPreciseTrue{PositionsKind::Precise, NodeKind::True};

PositionsChoice ParsedChoice(const CliCommand& command) {
    return std::visit(
        [](const auto& c) -> PositionsChoice {
            if constexpr (requires { c.positions; }) {
                return c.positions;
            } else {
                ADD_FAILURE() << "no command with positions";
                return {};
            }
        },
        command);
}

struct ChoiceCase {
    const char* rowName;
    std::vector<std::string> args;
    PositionsChoice expected;
};

class CliPositionsParse : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(CliPositionsParse, EachCalculatingCommandTakesTheChoice) {
    const CliCommand command = ParseCli(GetParam().args);
    ASSERT_FALSE(std::holds_alternative<CliError>(command)) << std::get<CliError>(command).message;
    EXPECT_EQ(ParsedChoice(command), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CliPositionsParse,
    ::testing::Values(
        ChoiceCase{"show_default_classic", {"show", "a.vlr"}, kClassic},
        ChoiceCase{"show_classic", {"show", "a.vlr", "--positions", "classic"}, kClassic},
        ChoiceCase{"show_precise", {"show", "--positions", "precise", "a.vlr"}, kPreciseMean},
        ChoiceCase{"show_precise_true",
                   {"show", "a.vlr", "--node", "true", "--positions", "precise", "--json"},
                   kPreciseTrue},
        ChoiceCase{"export_precise_mean",
                   {"export", "a.vlr", "--positions", "precise", "--node", "mean", "-o", "x.txt"},
                   kPreciseMean},
        ChoiceCase{"contacts_precise_true",
                   {"contacts", "a.vlr", "--orb", "1", "--positions", "precise", "--node", "true"},
                   kPreciseTrue},
        ChoiceCase{"new_precise", {"new", "--positions", "precise", "--name", "Ann"}, kPreciseMean},
        // The words match in any case, as people type them.
        ChoiceCase{"words_in_any_case",
                   {"show", "a.vlr", "--positions", "PRECISE", "--node", "True"},
                   kPreciseTrue},
        ChoiceCase{
            "houses_in_any_case",
            {"list", "k", "--positions", "precise", "--houses", "Placidus", "--asteroids"},
            PositionsChoice{PositionsKind::Precise, NodeKind::Mean, HouseSystem::Placidus, true}},
        ChoiceCase{"houses_in_capitals",
                   {"batch", "b.csv", "-o", "x.csv", "--positions", "precise", "--houses",
                    "REGIOMONTANUS"},
                   PositionsChoice{PositionsKind::Precise, NodeKind::Mean,
                                   HouseSystem::Regiomontanus, false}}),
    [](const auto& info) { return std::string(info.param.rowName); });

struct RefusalCase {
    const char* rowName;
    std::vector<std::string> args;
    const char* message;
};

class CliPositionsRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CliPositionsRefusal, OneLineNamingTheOption) {
    const CliCommand command = ParseCli(GetParam().args);
    ASSERT_TRUE(std::holds_alternative<CliError>(command));
    EXPECT_EQ(std::get<CliError>(command).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CliPositionsRefusal,
    ::testing::Values(
        RefusalCase{"unknown_positions",
                    {"show", "a.vlr", "--positions", "exact"},
                    "show: --positions 'exact': expected classic or precise"},
        RefusalCase{"unknown_node",
                    {"contacts", "a.vlr", "--positions", "precise", "--node", "osculating"},
                    "contacts: --node 'osculating': expected mean or true"},
        RefusalCase{"node_without_precise",
                    {"show", "a.vlr", "--node", "true"},
                    "show: --node needs --positions precise"},
        RefusalCase{"node_with_classic",
                    {"contacts", "a.vlr", "--positions", "classic", "--node", "mean"},
                    "contacts: --node needs --positions precise"},
        RefusalCase{"positions_without_value",
                    {"show", "a.vlr", "--positions"},
                    "show: --positions needs a value"},
        RefusalCase{"positions_twice",
                    {"export", "a.vlr", "--positions", "precise", "--positions", "classic"},
                    "export: --positions given twice"},
        RefusalCase{"node_twice",
                    {"new", "--positions", "precise", "--node", "true", "--node", "true"},
                    "new: --node given twice"}),
    [](const auto& info) { return std::string(info.param.rowName); });

class CliPositionsRun : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.emplace("velloran-cli-positions");
        m_reading = m_folder->Path("known.vlr");
        ASSERT_EQ(Run(test::KnownBirthNewArgs(m_reading)), kExitOk) << m_err.str();
    }

    int Run(const std::vector<std::string>& args) {
        m_out.str(""), m_err.str("");
        return RunCli(args, m_out, m_err);
    }

    Json ParsedOut() {
        std::string error;
        std::optional<Json> json = test::JsonReader::Parse(m_out.str(), error);
        EXPECT_TRUE(json) << error << "\n" << m_out.str();
        return json.value_or(Json{});
    }

    // The planet and Moon files of Debian's ephemeris, without the asteroid file (Chiron's), in
    // the test's folder; false when the files are not there or SE_EPHE_PATH is set already.
    bool EphemerisWithoutTheAsteroidFile() {
        const std::string folder = "/usr/share/libswe/ephe";
        const std::string planets = test::ReadFileBytes(folder + "/sepl_18.se1");
        if (planets.size() < 100000 || std::getenv("SE_EPHE_PATH") != nullptr) return false;
        test::WriteFileBytes(m_folder->Path("sepl_18.se1"), planets);
        test::WriteFileBytes(m_folder->Path("semo_18.se1"),
                             test::ReadFileBytes(folder + "/semo_18.se1"));
        return true;
    }
    static constexpr const char* kNeedsDebianFiles =
        "needs Debian's ephemeris files and no SE_EPHE_PATH";

    std::optional<test::TempFolder> m_folder;
    std::string m_reading;
    std::ostringstream m_out, m_err;
};

std::vector<std::string> BodyNames(const Json& chart) {
    std::vector<std::string> names;
    const Json* bodies = chart.Find("bodies");
    if (bodies == nullptr) return names;
    for (const Json& body : bodies->items) {
        const Json* name = body.Find("body");
        names.push_back(name ? name->text : "?");
    }
    return names;
}

TEST_F(CliPositionsRun, ShowJsonNamesThePositionsAndListsEveryBodyShown) {
    ASSERT_EQ(Run({"show", m_reading, "--json"}), kExitOk) << m_err.str();
    const Json classic = ParsedOut();
    EXPECT_EQ(classic.Find("positions")->text, "classic");
    EXPECT_EQ(classic.Find("node")->text, "mean");
    EXPECT_EQ(BodyNames(*classic.Find("natal")).size(), 10u);

    ASSERT_EQ(Run({"show", m_reading, "--json", "--positions", "precise", "--node", "true"}),
              kExitOk)
        << m_err.str();
    const Json precise = ParsedOut();
    EXPECT_EQ(precise.Find("positions")->text, "precise");
    EXPECT_EQ(precise.Find("node")->text, "true");
    EXPECT_EQ(precise.Find("positionsNote"), nullptr);
    for (const char* chart : {"natal", "draconic"}) {
        const std::vector<std::string> names = BodyNames(*precise.Find(chart));
        ASSERT_EQ(names.size(), 15u) << chart;
        EXPECT_EQ(std::vector<std::string>(names.begin() + 10, names.end()),
                  (std::vector<std::string>{"Midheaven", "Uranus", "Neptune", "Pluto", "Chiron"}))
            << chart;
    }
    const Json& chiron = precise.Find("natal")->Find("bodies")->items[14];
    EXPECT_EQ(chiron.Find("label")->text, "Ch (R) ");  // Chiron turned back in early 1980
    EXPECT_EQ(chiron.Find("sign")->text, "Taurus");
    const Json& uranus = precise.Find("natal")->Find("bodies")->items[11];
    EXPECT_EQ(uranus.Find("label")->text, "U");
}

TEST_F(CliPositionsRun, ExportAndShowTextNameThePreciseOnlyAndKeepTheClassicBytes) {
    ASSERT_EQ(Run({"export", m_reading}), kExitOk);
    const std::string classic = m_out.str();
    ASSERT_EQ(Run({"export", m_reading, "--positions", "classic"}), kExitOk);
    EXPECT_EQ(m_out.str(), classic);
    EXPECT_EQ(classic.find("Positions:"), std::string::npos);
    ASSERT_EQ(Run({"export", m_reading, "--positions", "precise"}), kExitOk);
    const std::string precise = m_out.str();
    EXPECT_NE(precise, classic);
    EXPECT_TRUE(
        precise.ends_with("\r\nPositions: Precise positions (Swiss Ephemeris), mean node\r\n"));
    EXPECT_NE(precise.find("\r\nUranus 24 Sco 40\r\n"), std::string::npos) << precise;

    ASSERT_EQ(Run({"show", m_reading}), kExitOk);
    EXPECT_EQ(m_out.str().find("Positions:"), std::string::npos);
    ASSERT_EQ(Run({"show", m_reading, "--positions", "precise"}), kExitOk);
    EXPECT_NE(m_out.str().find("\nPositions: Precise positions (Swiss Ephemeris), mean node\n"),
              std::string::npos);
    EXPECT_NE(m_out.str().find("\n  Chiron (R)    39.1"), std::string::npos) << m_out.str();
}

TEST_F(CliPositionsRun, PreciseContactsTakeTheModernBodiesIn) {
    ASSERT_EQ(Run({"contacts", m_reading, "--orb", "5", "--aspects", "conj,opp,sq,tri,sex"}),
              kExitOk);
    EXPECT_EQ(m_out.str().find("Uranus"), std::string::npos);
    ASSERT_EQ(Run({"contacts", m_reading, "--orb", "5", "--aspects", "conj,opp,sq,tri,sex",
                   "--positions", "precise", "--json"}),
              kExitOk);
    const std::string json = m_out.str();
    EXPECT_TRUE(test::JsonReader::Valid(json));
    // Natal Neptune 261.43° (precise) and the draconic Sun 143.52°: 117.91° apart, a trine
    // 2.09° wide, inside a 5° orb.
    EXPECT_NE(json.find("{\"draconic\": \"Sun\", \"natal\": \"Neptune\", \"aspect\": \"trine\""),
              std::string::npos)
        << json;
}

// With a damaged planet file every command that calculates refuses the reading with the reason
// and exit status 1, instead of printing positions that are not there.
TEST_F(CliPositionsRun, ADamagedPlanetFileIsRefusedByEveryCalculatingCommand) {
    const std::string planets = test::ReadFileBytes("/usr/share/libswe/ephe/sepl_18.se1");
    if (planets.size() < 100000 || std::getenv("SE_EPHE_PATH") != nullptr)
        GTEST_SKIP() << "needs Debian's ephemeris files and no SE_EPHE_PATH";
    test::WriteFileBytes(m_folder->Path("sepl_18.se1"), planets.substr(0, 1000));
    ::setenv("SE_EPHE_PATH", m_folder->Path("").c_str(), 1);
    const std::vector<std::vector<std::string>> commands = {
        {"show", m_reading, "--positions", "precise"},
        {"show", m_reading, "--json", "--positions", "precise"},
        {"export", m_reading, "--positions", "precise"},
        {"contacts", m_reading, "--positions", "precise"},
        {"contacts", m_reading, "--with", m_reading, "--positions", "precise"}};
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0] + " " + args[2]);
        EXPECT_EQ(Run(args), kExitFailure);
        EXPECT_EQ(m_out.str(), "");
        EXPECT_NE(m_err.str().find("The precise positions could not be computed"),
                  std::string::npos)
            << m_err.str();
    }
    ::unsetenv("SE_EPHE_PATH");
    EXPECT_EQ(Run({"show", m_reading, "--positions", "precise"}), kExitOk) << m_err.str();
}

// Without the asteroid file Chiron has no position: the report shows none, never "nan".
TEST_F(CliPositionsRun, ABodyWithoutAPositionShowsNone) {
    if (!EphemerisWithoutTheAsteroidFile()) GTEST_SKIP() << kNeedsDebianFiles;
    ::setenv("SE_EPHE_PATH", m_folder->Path("").c_str(), 1);
    const int status = Run({"show", m_reading, "--positions", "precise"});
    ::unsetenv("SE_EPHE_PATH");
    ASSERT_EQ(status, kExitOk) << m_err.str();
    const std::string text = m_out.str();
    EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    const std::size_t chiron = text.find("\n  Chiron ");
    ASSERT_NE(chiron, std::string::npos) << text;
    const std::string line = text.substr(chiron + 1, text.find('\n', chiron + 1) - chiron - 1);
    EXPECT_EQ(line.find_first_of("0123456789"), std::string::npos) << line;  // no position
}

// Without the asteroid file Chiron takes part in no contact, and the contacts say why: after the
// text, on standard error beside the JSON (which stays an array), for the sky once.
TEST_F(CliPositionsRun, ContactsWithoutAChartsBodySayWhy) {
    if (!EphemerisWithoutTheAsteroidFile()) GTEST_SKIP() << kNeedsDebianFiles;
    ::setenv("SE_EPHE_PATH", m_folder->Path("").c_str(), 1);
    const int text =
        Run({"contacts", m_reading, "--sky", "2009-01-01T00:00", "--positions", "precise"});
    const std::string textOut = m_out.str();
    const int json = Run(
        {"contacts", m_reading, "--sky", "2009-01-01T00:00", "--positions", "precise", "--json"});
    const std::string jsonOut = m_out.str(), jsonErr = m_err.str();
    ::unsetenv("SE_EPHE_PATH");
    ASSERT_EQ(text, kExitOk);
    ASSERT_EQ(json, kExitOk) << jsonErr;
    EXPECT_NE(textOut.find("\nNote: The Swiss Ephemeris files were not found"), std::string::npos)
        << textOut;
    EXPECT_EQ(textOut.find("Chiron"), std::string::npos) << textOut;
    EXPECT_TRUE(test::JsonReader::Valid(jsonOut)) << jsonOut;
    EXPECT_EQ(jsonOut.front(), '[');
    EXPECT_EQ(jsonErr.rfind("velloran-cli: note: The Swiss Ephemeris files were not found", 0), 0u)
        << jsonErr;
    EXPECT_EQ(std::count(jsonErr.begin(), jsonErr.end(), '\n'), 1) << jsonErr;  // said once
}

}  // namespace
}  // namespace velloran
