#include <gtest/gtest.h>

#include <optional>

#include "../core/RowName.h"
#include "atlas/Atlas.h"
#include "atlas/Fold.h"
#include "atlas/Geonames.h"

namespace velloran {
namespace {

using test::PrintTo;

constexpr auto RowNamed = [](const auto& info) { return std::string(info.param.rowName); };

Place P(std::string name, std::string state, std::string country, unsigned population) {
    Place p;
    p.name = std::move(name);
    p.state = std::move(state);
    p.country = std::move(country);
    p.population = population;
    return p;
}

// A few places chosen so that order by population, name and state differ.
Atlas SmallAtlas() {
    return Atlas({P("Springfield", "Missouri", "United States", 169176),
                  P("Springfield", "Illinois", "United States", 116250),
                  P("Springfield", "Massachusetts", "United States", 153703),
                  P("Spring", "Texas", "United States", 54298),
                  P("Zürich", "Canton of Zurich", "Switzerland", 341730),
                  P("Zug", "Canton of Zug", "Switzerland", 23435),
                  P("São Paulo", "São Paulo", "Brazil", 10021295),
                  P("Illinois City", "Illinois", "United States", 1000)});
}

std::vector<std::string> Labels(const std::vector<Place>& found) {
    std::vector<std::string> labels;
    for (const Place& p : found) labels.push_back(p.name + "/" + p.state);
    return labels;
}

// The matches a look-up cannot choose between, from the small atlas's ranking.
TEST(SimilarMatches, OnlyPlacesOfTheFirstsSizeCount) {
    const Atlas atlas = SmallAtlas();
    const struct {
        const char* query;
        std::vector<std::string> similar;
    } cases[] = {
        // Missouri's, Massachusetts's and Illinois's are within half of each other; Spring is not.
        {"spring", {"Springfield/Missouri", "Springfield/Massachusetts", "Springfield/Illinois"}},
        {"springfield, il", {"Springfield/Illinois"}},
        // Zürich stands out from Zug.
        {"z", {"Zürich/Canton of Zurich"}},
        {"nowhere", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Labels(SimilarMatches(atlas.FindPlaces(c.query, 10))), c.similar) << c.query;
    // Exactly half the first's population is still similar; one less is not.
    EXPECT_EQ(SimilarMatches({P("A", "", "", 200), P("B", "", "", 100)}).size(), 2u);
    EXPECT_EQ(SimilarMatches({P("A", "", "", 200), P("B", "", "", 99)}).size(), 1u);
}

struct SearchRow {
    const char* rowName;
    const char* query;
    std::size_t limit;
    std::vector<std::string> expected;
};

class SmallAtlasSearch : public ::testing::TestWithParam<SearchRow> {};

TEST_P(SmallAtlasSearch, FindsInPopulationOrder) {
    const SearchRow& row = GetParam();
    EXPECT_EQ(Labels(SmallAtlas().FindPlaces(row.query, row.limit)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SmallAtlasSearch,
    ::testing::Values(
        SearchRow{"prefix_by_population",
                  "spring",
                  10,
                  {"Springfield/Missouri", "Springfield/Massachusetts", "Springfield/Illinois",
                   "Spring/Texas"}},
        SearchRow{"limit_keeps_the_largest",
                  "spring",
                  2,
                  {"Springfield/Missouri", "Springfield/Massachusetts"}},
        SearchRow{"city_comma_state", "springfield, il", 10, {"Springfield/Illinois"}},
        SearchRow{"comma_spacing_ignored", "Springfield ,IL", 10, {"Springfield/Illinois"}},
        SearchRow{"city_comma_country", "zug, swi", 10, {"Zug/Canton of Zug"}},
        SearchRow{"state_alone_is_not_a_name", "illinois", 10, {"Illinois City/Illinois"}},
        SearchRow{"plain_query_finds_accented_name", "zur", 10, {"Zürich/Canton of Zurich"}},
        SearchRow{"accented_query", "Zürich", 10, {"Zürich/Canton of Zurich"}},
        SearchRow{"upper_case_query", "ZU", 10, {"Zürich/Canton of Zurich", "Zug/Canton of Zug"}},
        SearchRow{"accent_in_state_part", "sao paulo, são", 10, {"São Paulo/São Paulo"}},
        SearchRow{"no_match", "xyz", 10, {}}, SearchRow{"blank_query", "   ", 10, {}},
        SearchRow{"zero_limit", "spring", 0, {}}),
    RowNamed);

TEST(FoldForSearch, DropsAccentsAndCase) {
    EXPECT_EQ(FoldForSearch("Zürich"), "zurich");
    EXPECT_EQ(FoldForSearch("SÃO Paulo"), "sao paulo");
    EXPECT_EQ(FoldForSearch("Straße"), "strasse");
    EXPECT_EQ(FoldForSearch("St. John's"), "st. john's");
}

struct FoldRow {
    const char* rowName;
    const char* text;
    std::optional<std::string> folded;  // nothing: the text has no folded form
};
class FoldLetters : public ::testing::TestWithParam<FoldRow> {};
TEST_P(FoldLetters, FoldsOrRefuses) {
    EXPECT_EQ(FoldForSearch(GetParam().text), GetParam().folded);
}
INSTANTIATE_TEST_SUITE_P(Rows, FoldLetters,
                         ::testing::Values(FoldRow{"dotless_i", "Diyarbakır", "diyarbakir"},
                                           FoldRow{"d_with_stroke", "Nam Định", "nam dinh"},
                                           FoldRow{"capital_d_with_stroke", "Đà Nẵng", "da nang"},
                                           FoldRow{"o_with_stroke", "Tromsø", "tromso"},
                                           FoldRow{"turned_e", "ǝ", "e"},
                                           FoldRow{"schwa", "Şəki", "seki"},
                                           FoldRow{"cyrillic", "Москва", std::nullopt},
                                           FoldRow{"japanese", "東京", std::nullopt},
                                           FoldRow{"latin_then_greek", "AthΩ", std::nullopt},
                                           FoldRow{"pound_sign", "£", std::nullopt},
                                           FoldRow{"invalid_utf8", "Z\xffrich", std::nullopt},
                                           FoldRow{"cut_utf8", "Z\xc3", std::nullopt}),
                         RowNamed);
// What held before and must still hold.
INSTANTIATE_TEST_SUITE_P(Guards, FoldLetters,
                         ::testing::Values(FoldRow{"dotted_capital_i", "İzmir", "izmir"},
                                           FoldRow{"typographic_apostrophe", "Tai’an", "tai'an"},
                                           FoldRow{"decomposed_accent", "Zu\xcc\x88rich",
                                                   "zurich"}),
                         RowNamed);

// Places with the codes people type after the comma.
Atlas CodedAtlas() {
    const auto coded = [](Place p, const char* code) {
        p.countryCode = code;
        return p;
    };
    return Atlas(
        {coded(P("Houston", "Texas", "United States of America", 2296224), "US"),
         coded(P("Washington D.C.", "District of Columbia", "United States of America", 689545),
               "US"),
         coded(P("Washington", "England", "United Kingdom", 53526), "GB"),
         coded(P("London", "England", "United Kingdom", 8961989), "GB"),
         coded(P("London", "Ontario", "Canada", 346765), "CA"),
         coded(P("Saint Petersburg", "", "Russia", 5351935), "RU"),
         coded(P("St. Petersburg", "Florida", "United States of America", 258308), "US"),
         coded(P("Saint-Étienne", "Auvergne-Rhône-Alpes", "France", 171483), "FR"),
         coded(P("Stockholm", "Stockholm", "Sweden", 1515017), "SE"),
         coded(P("Москва", "", "Russia", 1), "RU"),
         coded(P("Tai’an", "Shandong", "China", 1629000), "CN")});
}

class CodedAtlasSearch : public ::testing::TestWithParam<SearchRow> {};
TEST_P(CodedAtlasSearch, FindsTypedForms) {
    const SearchRow& row = GetParam();
    EXPECT_EQ(Labels(CodedAtlas().FindPlaces(row.query, row.limit)), row.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, CodedAtlasSearch,
    ::testing::Values(
        SearchRow{"us_state_code", "Houston, TX", 10, {"Houston/Texas"}},
        SearchRow{"state_code_is_us_only", "London, TX", 10, {}},
        SearchRow{
            "code_in_place_name", "Washington, DC", 10, {"Washington D.C./District of Columbia"}},
        SearchRow{"name_with_dots_typed_plain",
                  "washington dc",
                  10,
                  {"Washington D.C./District of Columbia"}},
        SearchRow{"country_code", "London, GB", 10, {"London/England"}},
        SearchRow{"uk_for_gb", "london, uk", 10, {"London/England"}},
        SearchRow{"st_dot", "St. Petersburg", 10, {"Saint Petersburg/", "St. Petersburg/Florida"}},
        SearchRow{"saint", "saint pet", 10, {"Saint Petersburg/", "St. Petersburg/Florida"}},
        SearchRow{"st_with_state_code", "st petersburg, fl", 10, {"St. Petersburg/Florida"}},
        SearchRow{"st_hyphen", "St-Etienne", 10, {"Saint-Étienne/Auvergne-Rhône-Alpes"}},
        SearchRow{"apostrophe_left_out", "taian", 10, {"Tai’an/Shandong"}},
        SearchRow{"unfoldable_query", "Москва", 10, {}},
        SearchRow{"question_marks", "??????", 10, {}}),
    RowNamed);
// What held before and must still hold.
INSTANTIATE_TEST_SUITE_P(
    Guards, CodedAtlasSearch,
    ::testing::Values(
        SearchRow{"state_code_is_us_only", "London, TX", 10, {}},
        SearchRow{
            "st_alone_is_a_prefix", "st", 10, {"Stockholm/Stockholm", "St. Petersburg/Florida"}},
        SearchRow{"each_place_once",
                  "s",
                  10,
                  {"Saint Petersburg/", "Stockholm/Stockholm", "St. Petersburg/Florida",
                   "Saint-Étienne/Auvergne-Rhône-Alpes"}},
        SearchRow{"saint_in_full", "Saint-Étienne", 10, {"Saint-Étienne/Auvergne-Rhône-Alpes"}},
        SearchRow{"comma_first", ", gb", 10, {}},
        SearchRow{"country_prefix", "london, c", 10, {"London/Ontario"}}),
    RowNamed);

// The system's geonames database, as the program reads it.
class GeonamesAtlas : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_places = new std::vector<Place>(LoadGeonamesPlaces());
        s_atlas = new Atlas(*s_places);
    }
    static void TearDownTestSuite() {
        delete s_atlas;
        delete s_places;
    }
    static const std::vector<Place>* s_places;
    static const Atlas* s_atlas;
};
const std::vector<Place>* GeonamesAtlas::s_places = nullptr;
const Atlas* GeonamesAtlas::s_atlas = nullptr;

TEST_F(GeonamesAtlas, LoadsEveryCityWithZoneAndCoordinates) {
    ASSERT_GT(s_places->size(), 20000u);
    for (const Place& p : *s_places) {
        ASSERT_FALSE(p.name.empty());
        ASSERT_FALSE(p.timezone.empty()) << p.name;
        ASSERT_LE(std::abs(p.latitude), 90.0) << p.name;
        ASSERT_LE(std::abs(p.longitude), 180.0) << p.name;
    }
}

TEST_F(GeonamesAtlas, ZurFindsZurichFirst) {
    for (const char* query : {"zur", "Zür", "Zürich", "ZURICH"}) {
        const auto found = s_atlas->FindPlaces(query, 10);
        ASSERT_FALSE(found.empty()) << query;
        EXPECT_EQ(found.front().name, "Zurich") << query;
        EXPECT_EQ(found.front().country, "Switzerland") << query;
        EXPECT_EQ(found.front().timezone, "Europe/Zurich") << query;
        EXPECT_NEAR(found.front().latitude, 47.37, 0.01) << query;
        EXPECT_NEAR(found.front().longitude, 8.55, 0.01) << query;
    }
}

TEST_F(GeonamesAtlas, CityCommaStateNarrowsToIllinois) {
    const auto found = s_atlas->FindPlaces("springfield, il", 10);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().state, "Illinois");
    EXPECT_EQ(found.front().timezone, "America/Chicago");
    EXPECT_GT(s_atlas->FindPlaces("springfield", 10).size(), 1u);
}

TEST_F(GeonamesAtlas, OneLetterPrefixesAreRankedByPopulation) {
    for (const char* query : {"a", "s", "z"}) {
        const auto found = s_atlas->FindPlaces(query, 20);
        ASSERT_EQ(found.size(), 20u) << query;
        for (std::size_t i = 1; i < found.size(); ++i) {
            EXPECT_GE(found[i - 1].population, found[i].population) << query << " " << i;
        }
    }
}

}  // namespace
}  // namespace velloran
