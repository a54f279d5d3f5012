// velloran-cli list and batch, run in-process on readings and births files of a test folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CliSamples.h"
#include "collection/Csv.h"
#include "support/Json.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::Json;
using test::JsonReader;

Json Parsed(const std::string& text) {
    std::string error;
    auto json = JsonReader::Parse(text, error);
    EXPECT_TRUE(json) << error << "\n" << text;
    return json.value_or(Json{});
}

bool SameJson(const Json& a, const Json& b) {
    if (a.type != b.type || a.boolean != b.boolean || a.text != b.text ||
        a.items.size() != b.items.size() || a.members.size() != b.members.size())
        return false;
    if (a.type == Json::Type::Number && a.number != b.number) return false;
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (!SameJson(a.items[i], b.items[i])) return false;
    for (const auto& [key, value] : a.members) {
        const Json* other = b.Find(key);
        if (other == nullptr || !SameJson(value, *other)) return false;
    }
    return true;
}

class CliCollectionTest : public test::CliTwoReadings {
protected:
    const char* FolderName() const override { return "velloran-cli-collection"; }
    std::string Path(const std::string& name) const { return m_folder->Path(name); }
    std::string Out() const { return m_out.str(); }
    std::string Err() const { return m_err.str(); }

    Json ShowJson(const std::string& file, const std::vector<std::string>& positions = {}) {
        std::vector<std::string> args{"show", file, "--json"};
        args.insert(args.end(), positions.begin(), positions.end());
        EXPECT_EQ(Run(args), kExitOk) << Err();
        return Parsed(Out());
    }
    void ExpectOneLineError(const std::string& what) {
        EXPECT_EQ(Err().rfind("velloran-cli: ", 0), 0u) << Err();
        EXPECT_EQ(Err().find('\n'), Err().size() - 1) << Err();
        EXPECT_NE(Err().find(what), std::string::npos) << Err();
        EXPECT_EQ(Out(), "");
    }
};

// The sign names of a show --json chart: Sun, Moon and rising.
std::vector<std::string> ShownSigns(const Json& chart) {
    return {chart.Find("bodies")->items[0].Find("sign")->text,
            chart.Find("bodies")->items[1].Find("sign")->text, chart.Find("risingSign")->text};
}
std::vector<std::string> ListedSigns(const Json& signs) {
    return {signs.Find("sun")->text, signs.Find("moon")->text, signs.Find("rising")->text};
}

TEST_F(CliCollectionTest, ListShowsEveryReadingWithTheSignsShowGives) {
    std::filesystem::create_directory(Path("more"));
    ASSERT_EQ(Run(test::DelhiNewArgs(Path("more/delhi.vlr"))), kExitOk) << Err();
    test::WriteFileBytes(Path("more/broken.vlr"), "1\r\n2\r\n");
    for (const std::vector<std::string>& positions :
         {std::vector<std::string>{}, std::vector<std::string>{"--positions", "precise"}}) {
        std::vector<std::string> args{"list", m_folder->dir().string(), "--json"};
        args.insert(args.end(), positions.begin(), positions.end());
        ASSERT_EQ(Run(args), kExitOk) << Err();
        const Json list = Parsed(Out());
        ASSERT_EQ(list.items.size(), 4u) << Out();
        const std::vector<std::string> files = {ann, Path("more/broken.vlr"),
                                                Path("more/delhi.vlr"), ravi};
        for (std::size_t i = 0; i < files.size(); ++i) {
            const Json& entry = list.items[i];
            EXPECT_EQ(entry.Find("file")->text, files[i]);
            if (i == 1) {
                EXPECT_EQ(entry.Find("error")->text, "damaged reading file");
                EXPECT_EQ(entry.Find("natal")->type, Json::Type::Null);
                continue;
            }
            EXPECT_EQ(entry.Find("error")->type, Json::Type::Null);
            if (i == 0) {
                EXPECT_EQ(entry.Find("birth")->Find("date")->text, "1980-01-15");
                EXPECT_EQ(entry.Find("birth")->Find("time")->text, "10:30");
            }
            const Json shown = ShowJson(files[i], positions);
            EXPECT_EQ(entry.Find("name")->text, shown.Find("name")->text);
            EXPECT_EQ(entry.Find("place")->Find("city")->text,
                      shown.Find("birth")->Find("city")->text);
            EXPECT_EQ(ListedSigns(*entry.Find("natal")), ShownSigns(*shown.Find("natal")));
            EXPECT_EQ(ListedSigns(*entry.Find("draconic")), ShownSigns(*shown.Find("draconic")));
        }
    }
}

TEST_F(CliCollectionTest, ListTextHasALineForEachReadingAndTheReasonOfADamagedOne) {
    test::WriteFileBytes(Path("zz-broken.vlr"), "garbage");
    ASSERT_EQ(Run({"list", m_folder->dir().string()}), kExitOk) << Err();
    std::istringstream lines(Out());
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    ASSERT_EQ(all.size(), 4u) << Out();
    EXPECT_EQ(all[0].rfind("File", 0), 0u);
    EXPECT_EQ(all[1].rfind(ann, 0), 0u);
    // Each cell starts where its heading does.
    for (const auto& [heading, cell] :
         std::vector<std::pair<std::string, std::string>>{{"Name", "Ann Example "},
                                                          {"Born", "1980-01-15 10:30 "},
                                                          {"Place", "New York, NY, USA "},
                                                          {"Natal Sun", "Capricorn "}}) {
        EXPECT_EQ(all[1].find(cell), all[0].find(heading)) << heading << "\n" << Out();
    }
    EXPECT_EQ(all[2].rfind(ravi, 0), 0u);
    EXPECT_EQ(all[3].rfind(Path("zz-broken.vlr"), 0), 0u);
    EXPECT_NE(all[3].find("(damaged reading file)"), std::string::npos) << all[3];
}

TEST_F(CliCollectionTest, ListOfAFolderThatCannotBeReadFailsWithOneLine) {
    EXPECT_EQ(Run({"list", Path("missing")}), kExitFailure);
    ExpectOneLineError("no such folder");
    EXPECT_EQ(Run({"list", ann}), kExitFailure);
    ExpectOneLineError("not a folder");
    EXPECT_EQ(Run({"list"}), kExitFailure);
    ExpectOneLineError("no folder given");
}

// A births file of the known birth and the Pune birth, its columns in the order given.
std::string BirthsFile(const std::string& header) {
    const std::vector<std::string> columns = {"name", "date", "time", "zone",  "lat",
                                              "lon",  "dst",  "city", "state", "country"};
    const std::vector<std::vector<std::string>> births = {
        {"Ann Example", "1980-01-15", "10:30", std::to_string(test::KnownBirthForm().zoneIndex),
         "40:43N", "74:00W", "no", "New York", "NY", "USA"},
        {"Ravi Example", "1980-03-05", "07:05", "12", "18:31N", "73:51E", "no", "Pune",
         "Maharashtra", "India"}};
    const CsvTable order = ReadCsv(header);
    std::string text = WriteCsvRow(order.rows.front().fields);
    for (const auto& birth : births) {
        std::vector<std::string> row;
        for (const std::string& name : order.rows.front().fields) {
            const auto at = std::find(columns.begin(), columns.end(), name) - columns.begin();
            row.push_back(birth[static_cast<std::size_t>(at)]);
        }
        text += WriteCsvRow(row);
    }
    return text;
}

TEST_F(CliCollectionTest, BatchRowsCarryTheBodiesShowGives) {
    const std::string births = Path("births.csv");
    test::WriteFileBytes(births, BirthsFile("country,lon,name,time,zone,date,lat,city,state,dst"));
    for (const std::vector<std::string>& positions :
         {std::vector<std::string>{}, std::vector<std::string>{"--positions", "precise"},
          std::vector<std::string>{"--positions", "precise", "--node", "true"}}) {
        std::vector<std::string> args{"batch", births, "-o", Path("out.jsonl")};
        args.insert(args.end(), positions.begin(), positions.end());
        ASSERT_EQ(Run(args), kExitOk) << Err();
        std::istringstream lines(test::ReadFileBytes(Path("out.jsonl")));
        std::vector<Json> rows;
        for (std::string line; std::getline(lines, line);) rows.push_back(Parsed(line));
        ASSERT_EQ(rows.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            const Json shown = ShowJson(i == 0 ? ann : ravi, positions);
            const Json& row = rows[i];
            EXPECT_EQ(row.Find("name")->text, shown.Find("name")->text);
            EXPECT_EQ(row.Find("error")->type, Json::Type::Null);
            for (const char* chart : {"natal", "draconic"}) {
                const Json& bodies = *shown.Find(chart)->Find("bodies");
                EXPECT_TRUE(SameJson(*row.Find(chart), bodies)) << chart << " of row " << i;
            }
            EXPECT_EQ(row.Find("contacts")->number,
                      static_cast<double>(shown.Find("contacts")->items.size()));
        }

        // The CSV output holds the same values, one column group per body.
        args[3] = Path("out.csv");
        ASSERT_EQ(Run(args), kExitOk) << Err();
        const CsvTable table = ReadCsv(test::ReadFileBytes(Path("out.csv")));
        ASSERT_EQ(table.error, "");
        ASSERT_EQ(table.rows.size(), 3u);
        const std::vector<std::string>& header = table.rows[0].fields;
        const Json shown = ShowJson(ann, positions);
        const std::vector<std::string>& row = table.rows[1].fields;
        ASSERT_EQ(row.size(), header.size());
        const auto field = [&](const std::string& name) {
            const auto at = std::find(header.begin(), header.end(), name);
            return at == header.end() ? std::string("(no column)")
                                      : row[static_cast<std::size_t>(at - header.begin())];
        };
        const Json& draconicMoon = shown.Find("draconic")->Find("bodies")->items[1];
        EXPECT_EQ(std::stod(field("draconic_moon_longitude")),
                  draconicMoon.Find("longitude")->number);
        EXPECT_EQ(field("draconic_moon_sign"), draconicMoon.Find("sign")->text);
        EXPECT_EQ(field("draconic_moon_house"),
                  std::to_string(static_cast<int>(draconicMoon.Find("house")->number)));
        EXPECT_EQ(field("natal_saturn_retrograde"),
                  shown.Find("natal")->Find("bodies")->items[6].Find("retrograde")->boolean ? "yes"
                                                                                            : "no");
        EXPECT_EQ(field("contacts"), std::to_string(shown.Find("contacts")->items.size()));
        EXPECT_EQ(field("error"), "");
        // The bodies' columns, contacts and error, then the place, coordinates, zone and houses.
        EXPECT_EQ(header.size(),
                  (positions.empty() ? 2u + 2 * 10 * 4 + 1 : 2u + 2 * 15 * 4 + 1) + 7);
    }
}

TEST_F(CliCollectionTest, RefusedRowsKeepTheirPlaceWithTheFormsMessage) {
    const std::string births = Path("births.csv");
    const std::string good = "1980-01-15,10:30,20,40:43N,74:00W,no,New York,NY,USA\n";
    test::WriteFileBytes(births,
                         "name,date,time,zone,lat,lon,dst,city,state,country\n"
                         "First," +
                             good +
                             "Too far north,1980-01-15,10:30,20,91:00N,74:00W,no,New York,NY,USA\n"
                             "No such month,1980-13-15,10:30,20,40:43N,74:00W,no,New York,NY,USA\n"
                             ",1980-01-15,10:30,20,40:43N,74:00W,no,New York,NY,USA\n"
                             "Short row,1980-01-15\n"
                             "Odd dst,1980-01-15,10:30,20,40:43N,74:00W,maybe,New York,NY,USA\n"
                             "Last," +
                             good);
    ASSERT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitOk) << Err();
    EXPECT_NE(Err().find("5 of 7 births could not be calculated"), std::string::npos) << Err();
    const CsvTable table = ReadCsv(test::ReadFileBytes(Path("out.csv")));
    ASSERT_EQ(table.rows.size(), 8u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"First", ""},
        {"Too far north", "Please Enter Degree of Latitude From 0 To 90"},
        {"No such month", "the date column '1980-13-15': the month must lie in 1..12"},
        {"", "Please Enter Your Name"},
        {"Short row", "the row has 2 fields where the header has 10"},
        {"Odd dst", "the dst column 'maybe': expected yes or no"},
        {"Last", ""}};
    const std::vector<std::string>& header = table.rows[0].fields;
    const auto errorColumn =
        static_cast<std::size_t>(std::find(header.begin(), header.end(), "error") - header.begin());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::vector<std::string>& row = table.rows[i + 1].fields;
        ASSERT_EQ(row.size(), header.size()) << i;
        EXPECT_EQ(row.front(), expected[i].first) << i;
        EXPECT_EQ(row[errorColumn], expected[i].second) << i;
        // A refused row has no values; a calculated one has its Sun's sign.
        EXPECT_EQ(row[2].empty(), !expected[i].second.empty()) << i;
    }
}

TEST_F(CliCollectionTest, BatchTakesThePlaceAsNewTakesIt) {
    const std::string births = Path("births.csv");
    test::WriteFileBytes(births,
                         "\xEF\xBB\xBFname,place,date,time\r\n"
                         "Ann,\"Zurich, Switzerland\",1990-07-01,12:00\r\n"
                         "Nobody,qqqq,1990-07-01,12:00\r\n");
    ASSERT_EQ(Run({"batch", births, "-o", Path("out.jsonl")}), kExitOk) << Err();
    ASSERT_EQ(Run({"new", "--name", "Ann", "--place", "Zurich, Switzerland", "--date", "1990-07-01",
                   "--time", "12:00", "-o", Path("zurich.vlr")}),
              kExitOk)
        << Err();
    const Json shown = ShowJson(Path("zurich.vlr"));
    std::istringstream lines(test::ReadFileBytes(Path("out.jsonl")));
    std::vector<Json> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(Parsed(line));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(SameJson(*rows[0].Find("natal"), *shown.Find("natal")->Find("bodies")));
    EXPECT_TRUE(SameJson(*rows[0].Find("draconic"), *shown.Find("draconic")->Find("bodies")));
    EXPECT_EQ(rows[1].Find("name")->text, "Nobody");
    EXPECT_EQ(rows[1].Find("natal")->type, Json::Type::Null);
    EXPECT_EQ(rows[1].Find("error")->text, "the place column 'qqqq': no place matches");
}

TEST_F(CliCollectionTest, BatchRefusesAFileItCannotReadWithOneLine) {
    const std::string births = Path("births.csv");
    struct Case {
        const char* text;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"name,birthday,time,zone\n", "unknown column 'birthday'"},
        {"name,date,date,time,zone\n", "column 'date' given twice"},
        {"name,date,time,lat,lon\n", "the header needs date, time, and zone or place"},
        {"", "no header row"},
        {"name,date,time,zone\nA,\"1980-01-15\n,10:30,20\n",
         "line 2: a quoted field is not closed"},
    };
    for (const Case& c : cases) {
        test::WriteFileBytes(births, c.text);
        EXPECT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitFailure) << c.message;
        ExpectOneLineError(c.message);
        EXPECT_FALSE(std::filesystem::exists(Path("out.csv"))) << c.message;
    }
    EXPECT_EQ(Run({"batch", births, "-o", Path("out.txt")}), kExitFailure);
    ExpectOneLineError("must end in .csv or .jsonl");
    EXPECT_EQ(Run({"batch", Path("missing.csv"), "-o", Path("out.csv")}), kExitFailure);
    ExpectOneLineError("no such file");
}

}  // namespace
}  // namespace velloran
