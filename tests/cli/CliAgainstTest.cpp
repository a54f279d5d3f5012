// velloran-cli contacts --with OTHER.vlr and --sky YYYY-MM-DDTHH:MM: the JSON keys, one direction
// per call, and one-line refusals with the usual exit codes.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../support/Json.h"
#include "CliSamples.h"
#include "cli/Cli.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "support/SampleBirths.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::Json;

class CliAgainst : public test::CliTwoReadings {
protected:
    const char* FolderName() const override { return "velloran-cli-against"; }
    std::vector<Json> Objects() {
        std::string error;
        std::optional<Json> json = test::JsonReader::Parse(m_out.str(), error);
        EXPECT_TRUE(json && json->type == Json::Type::Array) << error << m_out.str();
        return json ? json->items : std::vector<Json>{};
    }
    static std::string Text(const Json& object, const char* key) {
        const Json* member = object.Find(key);
        return member ? member->text : "<missing " + std::string(key) + ">";
    }
};

TEST_F(CliAgainst, WithListsOneDirectionPerCall) {
    ASSERT_EQ(Run({"contacts", ann, "--with", ravi, "--json"}), kExitOk) << m_err.str();
    std::vector<Json> rows = Objects();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Text(rows[0], "draconic"), "Asc");
    EXPECT_EQ(Text(rows[0], "natal"), "Asc");
    EXPECT_EQ(Text(rows[0], "aspect"), "opposition");
    EXPECT_NEAR(rows[0].Find("orb")->number, 0.3622, 1e-3);
    EXPECT_EQ(Text(rows[0], "other"), "Ravi Example");
    EXPECT_EQ(Text(rows[1], "draconic"), "Saturn");
    EXPECT_EQ(Text(rows[1], "natal"), "Venus");

    // Swapped: the other direction.
    ASSERT_EQ(Run({"contacts", ravi, "--with", ann, "--json"}), kExitOk) << m_err.str();
    rows = Objects();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Text(rows[0], "draconic"), "Mars");
    EXPECT_EQ(Text(rows[0], "natal"), "Asc");
    EXPECT_EQ(Text(rows[0], "other"), "Ann Example");

    ASSERT_EQ(Run({"contacts", ann, "--with", ravi}), kExitOk);
    EXPECT_EQ(m_out.str(),
              "Ann Example's draconic chart on Ravi Example's natal chart, within 2° "
              "(conjunction, opposition): 2\n"
              "  Draconic Asc        ☍ opposition  Natal Asc           0° 22'  04 Sco 34  "
              "04 Tau 56\n"
              "  Draconic Saturn     ☌ conjunction Natal Venus         1° 24'  27 Ari 03  "
              "28 Ari 27\n");
}

TEST_F(CliAgainst, SkyPutsTheTransitingBodyUnderSky) {
    ASSERT_EQ(Run({"contacts", ann, "--sky", "2000-01-01T12:00", "--json"}), kExitOk)
        << m_err.str();
    const std::vector<Json> rows = Objects();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(Text(rows[0], "sky"), "Jupiter");
    EXPECT_EQ(Text(rows[0], "draconic"), "Saturn");
    EXPECT_EQ(Text(rows[0], "aspect"), "conjunction");
    EXPECT_EQ(rows[0].Find("natal"), nullptr);
    EXPECT_EQ(rows[0].Find("other"), nullptr);

    // Wider settings and the precise positions: more rows, the modern bodies among them.
    ASSERT_EQ(Run({"contacts", ann, "--sky", "2000-01-01T12:00", "--orb", "5", "--aspects",
                   "conj,opp,sq,tri,sex", "--positions", "precise", "--json"}),
              kExitOk);
    bool modern = false;
    for (const Json& row : Objects()) {
        const std::string sky = Text(row, "sky");
        modern = modern || sky == "Uranus" || sky == "Neptune" || sky == "Pluto" || sky == "Chiron";
        EXPECT_NE(sky, "Ascendant");
    }
    EXPECT_TRUE(modern);
}

struct RefusalCase {
    const char* rowName;
    std::vector<std::string> extra;  // after "contacts ANN"
    int status;
    const char* mentions;
};

class CliAgainstRefusal : public CliAgainst, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CliAgainstRefusal, OneLineAndTheExitCode) {
    std::vector<std::string> args = {"contacts", ann};
    for (std::string a : GetParam().extra) {
        if (a == "BAD") {
            a = m_folder->Path("bad.vlr");
            test::WriteFileBytes(a, "not a reading\r\n");
        }
        args.push_back(a);
    }
    EXPECT_EQ(Run(args), GetParam().status);
    const std::string err = m_err.str();
    EXPECT_EQ(err.rfind("velloran-cli: ", 0), 0u) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_NE(err.find(GetParam().mentions), std::string::npos) << err;
    EXPECT_EQ(m_out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Options, CliAgainstRefusal,
    ::testing::Values(
        RefusalCase{"sky_before_classic_years",
                    {"--sky", "1850-01-01T00:00"},
                    kExitFailure,
                    "the classic positions cover the years 1905 to 2050"},
        RefusalCase{"sky_after_precise_years",
                    {"--sky", "2400-01-01T00:00", "--positions", "precise"},
                    kExitFailure,
                    "the precise positions cover the years 1800 to 2399"},
        RefusalCase{"sky_impossible_date",
                    {"--sky", "2001-02-29T00:00"},
                    kExitFailure,
                    "--sky '2001-02-29T00:00': expected a universal time"},
        RefusalCase{"sky_without_time", {"--sky", "2000-01-01"}, kExitFailure, "YYYY-MM-DDTHH:MM"},
        RefusalCase{"sky_missing_value", {"--sky"}, kExitFailure, "--sky needs a value"},
        RefusalCase{"with_missing_file", {"--with", "/nonexistent/x.vlr"}, kExitFailure, "x.vlr"},
        RefusalCase{"with_damaged_file", {"--with", "BAD"}, kExitFailure, "damaged reading file"},
        RefusalCase{
            "with_not_a_reading", {"--with", "notes.txt"}, kExitFailure, "not a reading file"},
        RefusalCase{"with_twice",
                    {"--with", "a.vlr", "--with", "b.vlr"},
                    kExitFailure,
                    "--with given twice"},
        RefusalCase{"with_and_sky",
                    {"--with", "a.vlr", "--sky", "2000-01-01T00:00"},
                    kExitFailure,
                    "cannot be given together"},
        RefusalCase{"node_pairs_with_sky",
                    {"--sky", "2000-01-01T00:00", "--node-pairs"},
                    kExitFailure,
                    "--node-pairs applies to a reading's own contacts"}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST_F(CliAgainst, AnOtherReadingTheFormRefusesExitsTwoWithItsMessage) {
    // A reading file whose minutes of latitude the form's check refuses.
    BirthData birth = BirthFromForm(test::KnownBirthForm()).birth;
    birth.LatMin = 75;
    const std::string invalid = m_folder->Path("invalid.vlr");
    test::WriteFileBytes(invalid, WriteReadingFile(birth, test::KnownBirthForm().zoneIndex));
    EXPECT_EQ(Run({"contacts", ann, "--with", invalid}), kExitInvalidForm);
    EXPECT_NE(m_err.str().find("Minutes of Latitude"), std::string::npos) << m_err.str();
    EXPECT_EQ(m_out.str(), "");
}

}  // namespace
}  // namespace velloran

namespace velloran {
namespace {

// A transiting node's name is longer than the names' column: the column widens, so a space parts
// every name from its aspect and the aspects stand one under another.
TEST_F(CliAgainst, LongNamesWidenTheirColumn) {
    ASSERT_EQ(Run({"contacts", ann, "--sky", "2006-07-01T00:00"}), kExitOk) << m_err.str();
    std::istringstream lines(m_out.str());
    std::string line;
    std::getline(lines, line);  // the title
    std::size_t aspectColumn = std::string::npos;
    int rows = 0;
    while (std::getline(lines, line)) {
        ++rows;
        const std::size_t glyph = std::min(line.find("☌"), line.find("☍"));
        ASSERT_NE(glyph, std::string::npos) << line;
        EXPECT_EQ(line[glyph - 1], ' ') << line;
        if (aspectColumn == std::string::npos) aspectColumn = glyph;
        EXPECT_EQ(glyph, aspectColumn) << line;
    }
    EXPECT_GE(rows, 2);
    EXPECT_NE(m_out.str().find("Transiting North Node ☍ opposition"), std::string::npos)
        << m_out.str();
}

}  // namespace
}  // namespace velloran
