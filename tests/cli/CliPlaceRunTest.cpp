// velloran-cli's place look-ups run as the real program: what a script sees on stdout and
// stderr, the exit status, and the atlas cache it leaves in its cache folder.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../core/RowName.h"

extern char** environ;

namespace velloran {
namespace {

using test::PrintTo;
namespace fs = std::filesystem;

constexpr auto RowNamed = [](const auto& info) { return std::string(info.param.rowName); };

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Spit(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct CliResult {
    int status = -1;
    std::string out, err;
};

// A folder of its own for each test: the cache folder and the outputs of the program.
class CliProgram : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velloran-cli-run-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Cache() const { return m_dir / "cache"; }
    fs::path CacheFile() const { return Cache() / "velloran" / "atlas-index"; }
    std::string Path(const char* name) const { return (m_dir / name).string(); }

    // velloran-cli with the arguments, its cache folder in the test's folder.
    CliResult Cli(const std::vector<std::string>& args) const {
        std::vector<std::string> env = {"XDG_CACHE_HOME=" + Cache().string()};
        for (char** e = environ; *e; ++e) {
            if (std::string_view(*e).rfind("XDG_CACHE_HOME=", 0) != 0) env.emplace_back(*e);
        }
        std::vector<char*> argv = {const_cast<char*>(VELLORAN_CLI_PATH)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);

        const std::string out = (m_dir / "stdout").string(), err = (m_dir / "stderr").string();
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        CliResult run;
        pid_t pid = 0;
        if (posix_spawn(&pid, VELLORAN_CLI_PATH, &files, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&files);
        run.out = Slurp(out);
        run.err = Slurp(err);
        return run;
    }

    fs::path m_dir;
};

// The first line of the text output: the place's label.
std::string FirstLabel(const std::string& out) { return out.substr(0, out.find('\t')); }

// --- Queries with no folded form match nothing ------------------------------------------------

struct UnfoldableRow {
    const char* rowName;
    std::string query;
    // What `new --place` says: text that is not UTF-8 is refused before any look-up.
    std::string newError = "no place matches";
};
class CliUnfoldable : public CliProgram, public ::testing::WithParamInterface<UnfoldableRow> {};

TEST_P(CliUnfoldable, MatchesNothingInTextJsonAndNew) {
    const std::string& query = GetParam().query;
    const CliResult text = Cli({"place", query});
    EXPECT_EQ(text.status, 1) << text.out;
    EXPECT_EQ(text.out, "");
    EXPECT_NE(text.err.find("no place matches"), std::string::npos) << text.err;

    const CliResult json = Cli({"place", query, "--json"});
    EXPECT_EQ(json.status, 1) << json.out;
    EXPECT_EQ(json.out, "[]\n");

    const CliResult made = Cli({"new", "--name", "Ann", "--place", query, "--date", "1980-01-15",
                                "--time", "12:00", "-o", Path("a.vlr")});
    EXPECT_EQ(made.status, 1) << made.err;
    EXPECT_NE(made.err.find(GetParam().newError), std::string::npos) << made.err;
    EXPECT_FALSE(fs::exists(Path("a.vlr")));
}

INSTANTIATE_TEST_SUITE_P(Rows, CliUnfoldable,
                         ::testing::Values(UnfoldableRow{"cyrillic", "Москва"},
                                           UnfoldableRow{"japanese", "東京"},
                                           UnfoldableRow{"greek", "Αθήνα"},
                                           UnfoldableRow{"omega", "Ω"},
                                           UnfoldableRow{"pound_sign", "£"},
                                           UnfoldableRow{"invalid_utf8", "\xff\xfe\xfd",
                                                         "--place: the text is not UTF-8"},
                                           UnfoldableRow{"question_marks", "??????"}),
                         RowNamed);

// --- Places as people type them -------------------------------------------------------------

struct TypedRow {
    const char* rowName;
    const char* query;
    std::vector<std::string> labels;  // each starts a line of the output
};
class CliTypedPlace : public CliProgram, public ::testing::WithParamInterface<TypedRow> {};

TEST_P(CliTypedPlace, FindsThePlace) {
    const CliResult run = Cli({"place", GetParam().query});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& label : GetParam().labels) {
        EXPECT_NE(("\n" + run.out).find("\n" + label + "\t"), std::string::npos) << label << " in\n"
                                                                                 << run.out;
    }
}

const std::string kUs = "United States of America";

INSTANTIATE_TEST_SUITE_P(
    Rows, CliTypedPlace,
    ::testing::Values(
        TypedRow{"us_state_code", "Houston, TX", {"Houston, Texas, " + kUs}},
        TypedRow{"us_state_code_same_as_name", "New York, NY", {"New York, " + kUs}},
        TypedRow{
            "district_code", "Washington, DC", {"Washington D.C., District of Columbia, " + kUs}},
        TypedRow{"country_code_gb", "London, GB", {"London, England, United Kingdom"}},
        TypedRow{"uk_for_gb", "London, UK", {"London, England, United Kingdom"}},
        TypedRow{"country_code_ch", "Zurich, CH", {"Zurich, Canton of Zurich, Switzerland"}},
        TypedRow{"country_code_de", "Berlin, DE", {"Berlin, Germany"}},
        TypedRow{"country_code_cn", "Shanghai, CN", {"Shanghai, Shanghai Municipality, China"}},
        TypedRow{"st_dot",
                 "St. Petersburg",
                 {"Saint Petersburg, Russia", "St. Petersburg, Florida, " + kUs}},
        TypedRow{"st_no_dot",
                 "St Petersburg",
                 {"Saint Petersburg, Russia", "St. Petersburg, Florida, " + kUs}},
        TypedRow{"saint_in_full",
                 "Saint Petersburg",
                 {"Saint Petersburg, Russia", "St. Petersburg, Florida, " + kUs}},
        TypedRow{"st_paul", "St. Paul", {"Saint Paul, Minnesota, " + kUs}},
        TypedRow{"st_hyphen", "St-Etienne", {"Saint-Etienne, Auvergne-Rhône-Alpes, France"}},
        TypedRow{"dotless_i", "Diyarbakir", {"Diyarbakır, Turkey"}},
        TypedRow{"dotless_i_and_breve", "Bagcilar", {"Bağcılar, Istanbul, Turkey"}},
        TypedRow{"d_with_stroke", "Nam Dinh", {"Nam Định, Vietnam"}},
        TypedRow{"typographic_apostrophe", "Taian", {"Tai’an, Shandong, China"}}),
    RowNamed);

// --- Dates that are no birth on the form ------------------------------------------------------

struct DateRow {
    const char* rowName;
    const char* date;
};
class CliPlaceDate : public CliProgram, public ::testing::WithParamInterface<DateRow> {};

TEST_P(CliPlaceDate, RefusedWithOneLine) {
    const CliResult run = Cli({"place", "zurich", "--date", GetParam().date, "--time", "12:00"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().date), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Rows, CliPlaceDate,
                         ::testing::Values(DateRow{"september_31", "2023-09-31"},
                                           DateRow{"february_30", "2021-02-30"},
                                           DateRow{"february_29_not_leap", "1900-02-29"},
                                           DateRow{"year_0", "0000-06-01"},
                                           DateRow{"year_1", "0001-06-01"},
                                           DateRow{"year_1800", "1800-06-01"},
                                           DateRow{"year_before_the_list", "1904-12-31"},
                                           DateRow{"year_after_the_list", "2051-01-01"},
                                           DateRow{"year_9999", "9999-06-01"}),
                         RowNamed);

TEST_F(CliProgram, LeapDayAndTheListsEndsAreDates) {
    for (const char* date : {"2024-02-29", "1905-01-01", "2050-12-31"}) {
        const CliResult run = Cli({"place", "zurich", "--date", date, "--time", "12:00"});
        EXPECT_EQ(run.status, 0) << date << run.err;
    }
}

// --- No match, and new --place with every value given ---------------------------------------

TEST_F(CliProgram, NoMatchIsExitOneInJsonToo) {
    const CliResult run = Cli({"place", "qqqq", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "[]\n");
}

TEST_F(CliProgram, NewPlaceWithEveryValueGivenNeedsNoMatch) {
    const std::vector<std::string> values = {
        "--name",     "Ann",    "--date", "1990-07-01", "--time",           "12:00",
        "--zone",     "20",     "--dst",  "--lat",      "47:22N",           "--lon",
        "8:33E",      "--city", "Zurich", "--state",    "Canton of Zurich", "--country",
        "Switzerland"};
    std::vector<std::string> byPlace = {"new", "--place", "Nowhere Atlantis"};
    byPlace.insert(byPlace.end(), values.begin(), values.end());
    byPlace.insert(byPlace.end(), {"-o", Path("a.vlr")});
    const CliResult run = Cli(byPlace);
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> byHand = {"new"};
    byHand.insert(byHand.end(), values.begin(), values.end());
    byHand.insert(byHand.end(), {"-o", Path("b.vlr")});
    ASSERT_EQ(Cli(byHand).status, 0);
    EXPECT_EQ(Slurp(Path("a.vlr")), Slurp(Path("b.vlr")));
}

// --- The atlas cache ------------------------------------------------------------------------

constexpr const char* kZurich = "Zurich, Canton of Zurich, Switzerland";

TEST_F(CliProgram, FirstLookUpWritesTheCacheAndTheNextReadsIt) {
    const CliResult cold = Cli({"place", "Zurich"});
    ASSERT_EQ(cold.status, 0) << cold.err;
    EXPECT_EQ(FirstLabel(cold.out), kZurich);
    ASSERT_TRUE(fs::is_regular_file(CacheFile()));
    const std::string written = Slurp(CacheFile());
    EXPECT_GT(written.size(), 100000u);
    // Nothing left beside it from the writing.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(CacheFile().parent_path()), fs::directory_iterator()),
        1);

    const CliResult warm = Cli({"place", "Zurich"});
    EXPECT_EQ(warm.status, 0) << warm.err;
    EXPECT_EQ(warm.out, cold.out);
    EXPECT_EQ(Slurp(CacheFile()), written);
}

// A cache file that is not the whole index written for this data and program.
struct DamageRow {
    const char* rowName;
    std::string (*damage)(const std::string& good);
};
class CliDamagedCache : public CliProgram, public ::testing::WithParamInterface<DamageRow> {};

TEST_P(CliDamagedCache, IsRebuiltNotTrusted) {
    ASSERT_EQ(Cli({"place", "Zurich"}).status, 0);
    const std::string good = Slurp(CacheFile());
    ASSERT_FALSE(good.empty());
    Spit(CacheFile(), GetParam().damage(good));

    for (const char* query : {"Zurich", "Houston, TX"}) {
        const CliResult run = Cli({"place", query, "--json"});
        EXPECT_EQ(run.status, 0) << query << run.err;
        EXPECT_NE(run.out.find("\"population\""), std::string::npos) << query;
    }
    EXPECT_EQ(FirstLabel(Cli({"place", "Zurich"}).out), kZurich);
    EXPECT_EQ(Slurp(CacheFile()), good);
}

std::string Flipped(const std::string& good, std::size_t at) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x5a);
    return bad;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliDamagedCache,
    ::testing::Values(
        DamageRow{"empty", [](const std::string&) { return std::string(); }},
        DamageRow{"cut_in_half", [](const std::string& g) { return g.substr(0, g.size() / 2); }},
        DamageRow{"last_byte_cut", [](const std::string& g) { return g.substr(0, g.size() - 1); }},
        DamageRow{"byte_changed_in_the_middle",
                  [](const std::string& g) { return Flipped(g, g.size() / 2); }},
        DamageRow{"byte_changed_in_a_name", [](const std::string& g) { return Flipped(g, 200); }},
        DamageRow{"byte_changed_in_the_stamp", [](const std::string& g) { return Flipped(g, 30); }},
        DamageRow{"bytes_added", [](const std::string& g) { return g + "extra"; }},
        DamageRow{"another_file",
                  [](const std::string&) { return std::string("[Desktop Entry]\n"); }},
        DamageRow{"zeros", [](const std::string& g) { return std::string(g.size(), '\0'); }}),
    RowNamed);

}  // namespace
}  // namespace velloran
