// The reader of the reference cases' JSON: what it makes of each kind of value and what it
// refuses.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "../support/Json.h"

namespace velloran::test {
namespace {

struct TextCase {
    const char* rowName;
    const char* json;
    const char* text;
};

void PrintTo(const TextCase& row, std::ostream* os) { *os << row.rowName; }

class JsonStringTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(JsonStringTest, DecodesToUtf8) {
    std::string error;
    auto value = JsonReader::Parse(GetParam().json, error);
    ASSERT_TRUE(value) << error;
    EXPECT_EQ(value->type, Json::Type::String);
    EXPECT_EQ(value->text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, JsonStringTest,
    ::testing::Values(TextCase{"plain", R"("Sun")", "Sun"},
                      TextCase{"line_breaks", R"("\r\nKetu\r\nAsc")", "\r\nKetu\r\nAsc"},
                      TextCase{"quote_and_backslash", R"("2\" \\ \/")", "2\" \\ /"},
                      TextCase{"raw_utf8", "\"0\xC2\xB0 0' 0\\\" Lib\"", "0\xC2\xB0 0' 0\" Lib"},
                      TextCase{"escaped_degree_sign", R"("\u00b0")", "\xC2\xB0"},
                      TextCase{"surrogate_pair", R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},
                      TextCase{"empty", R"("")", ""}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(JsonReader, NumbersReadBackTheWrittenDouble) {
    std::string error;
    auto value = JsonReader::Parse(R"([340.21515686325426, -1.5e-3, 0, 29, 1E2])", error);
    ASSERT_TRUE(value) << error;
    ASSERT_EQ(value->items.size(), 5u);
    EXPECT_EQ(value->items[0].number, 340.21515686325426);
    EXPECT_EQ(value->items[1].number, -0.0015);
    EXPECT_EQ(value->items[2].number, 0.0);
    EXPECT_EQ(value->items[3].number, 29.0);
    EXPECT_EQ(value->items[4].number, 100.0);
}

TEST(JsonReader, ObjectsNestAndKeepTheirMembers) {
    std::string error;
    auto value = JsonReader::Parse(
        R"( {"birth": {"LongEast": false, "DaylightSaving": true, "ZoneHoursToUT": "-5"},
             "houses": {"natal": ["", "\r\nSun"]}, "none": null} )",
        error);
    ASSERT_TRUE(value) << error;
    const Json* birth = value->Find("birth");
    ASSERT_NE(birth, nullptr);
    ASSERT_NE(birth->Find("LongEast"), nullptr);
    EXPECT_EQ(birth->Find("LongEast")->type, Json::Type::Bool);
    EXPECT_FALSE(birth->Find("LongEast")->boolean);
    EXPECT_TRUE(birth->Find("DaylightSaving")->boolean);
    EXPECT_EQ(birth->Find("ZoneHoursToUT")->text, "-5");
    ASSERT_NE(value->Find("houses"), nullptr);
    const Json* natal = value->Find("houses")->Find("natal");
    ASSERT_NE(natal, nullptr);
    ASSERT_EQ(natal->items.size(), 2u);
    EXPECT_EQ(natal->items[1].text, "\r\nSun");
    EXPECT_EQ(value->Find("none")->type, Json::Type::Null);
    EXPECT_EQ(value->Find("absent"), nullptr);
    EXPECT_EQ(natal->Find("natal"), nullptr);  // not an object
}

struct BadCase {
    const char* rowName;
    const char* json;
};

void PrintTo(const BadCase& row, std::ostream* os) { *os << row.rowName; }

class JsonRefusalTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(JsonRefusalTest, RefusedWithAReason) {
    std::string error;
    EXPECT_FALSE(JsonReader::Parse(GetParam().json, error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, JsonRefusalTest,
    ::testing::Values(BadCase{"empty_text", ""}, BadCase{"unterminated_string", R"("Sun)"},
                      BadCase{"missing_colon", R"({"a" 1})"}, BadCase{"trailing_comma", "[1,]"},
                      BadCase{"text_after_value", "[1] 2"}, BadCase{"bare_word", "Sun"},
                      BadCase{"raw_line_break_in_string", "\"a\nb\""},
                      BadCase{"lone_low_surrogate", R"("\ude00")"}, BadCase{"leading_plus", "+1"},
                      BadCase{"fraction_without_digits", "1."}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(JsonReader, RefusesNestingDeeperThanItsLimit) {
    std::string error;
    EXPECT_TRUE(JsonReader::Parse(std::string(20, '[') + std::string(20, ']'), error)) << error;
    EXPECT_FALSE(JsonReader::Parse(std::string(100000, '['), error));
    EXPECT_NE(error.find("deeply"), std::string::npos) << error;
}

}  // namespace
}  // namespace velloran::test
