#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RowName.h"
#include "input/Scramble.h"

namespace velloran {
namespace {

using test::PrintTo;

std::vector<int> Bytes(const std::string& s) {
    std::vector<int> out;
    for (unsigned char c : s) out.push_back(c);
    return out;
}

TEST(ScrambleText, AsciiKeepsTheClassicPlus85Bytes) {
    EXPECT_EQ(Bytes(ScrambleText("Ann")), (std::vector<int>{150, 195, 195}));
    EXPECT_EQ(Bytes(ScrambleText("True")), (std::vector<int>{169, 199, 202, 186}));
    EXPECT_EQ(Bytes(ScrambleText("False")), (std::vector<int>{155, 182, 193, 200, 186}));
    EXPECT_EQ(Bytes(ScrambleText("-30")), (std::vector<int>{130, 136, 133}));
    EXPECT_EQ(ScrambleText(""), "");
    EXPECT_EQ(Bytes(ScrambleText(std::string("\0\x7f", 2))), (std::vector<int>{85, 212}));
}

TEST(ScrambleText, Windows1252UpperCharactersUseTheClassicSingleByte) {
    EXPECT_EQ(Bytes(ScrambleText("€")), (std::vector<int>{128 + 85}));
    EXPECT_EQ(Bytes(ScrambleText("ª")), (std::vector<int>{170 + 85}));
    EXPECT_EQ(Bytes(ScrambleText("Š")), (std::vector<int>{0x8A + 85}));
    EXPECT_EQ(Bytes(ScrambleText("\u00A0")), (std::vector<int>{160 + 85}));
}

TEST(ScrambleText, OtherCharactersUseEscapePairsOfTheirUtf8Bytes) {
    // é is C3 A9: high nibbles 12 and 10, low nibbles 3 and 9.
    EXPECT_EQ(Bytes(ScrambleText("é")), (std::vector<int>{68, 51, 66, 57}));
    // « (U+00AB) is the first Latin-1 character beyond the one-byte range: C2 AB.
    EXPECT_EQ(Bytes(ScrambleText("«")), (std::vector<int>{68, 50, 66, 59}));
    EXPECT_EQ(Bytes(ScrambleText("Zoë")), (std::vector<int>{175, 196, 68, 51, 66, 59}));
}

TEST(UnscrambleText, LeavesOutBytesWithoutADecodedForm) {
    std::string stored = ScrambleText("Ann");
    stored.insert(1, std::string("\x10\x40\x3f\x30", 4));
    // 16 is dropped; 64 then 63 is one escape pair (byte 0x8F, invalid alone, so U+FFFD); the
    // lone 48 is dropped.
    EXPECT_EQ(UnscrambleText(stored), "A\uFFFDnn");
    EXPECT_EQ(UnscrambleText(std::string("\x40", 1)), "");  // escape lead at the very end
    EXPECT_EQ(UnscrambleText(std::string("\x01\x0a\x0d\x54", 4)), "");
}

TEST(UnscrambleText, DamagedUtf8BecomesReplacementCharacters) {
    // The lead byte of "é" without its continuation, then "A".
    EXPECT_EQ(UnscrambleText(std::string("\x44\x33") + ScrambleText("A")), "\uFFFDA");
    // An overlong form of "/" (C0 AF) is refused byte by byte.
    EXPECT_EQ(UnscrambleText(std::string("\x44\x30\x42\x3f", 4)), "\uFFFD\uFFFD");
}

TEST(ScrambleText, InvalidUtf8InputIsStoredAsReplacementCharacters) {
    EXPECT_EQ(UnscrambleText(ScrambleText("a\xff"
                                          "b")),
              "a\uFFFDb");
}

struct RoundTripCase {
    const char* rowName;
    std::string text;
};

class ScrambleRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ScrambleRoundTripTest, UnscrambleGivesTheTextBackAndNoLineBreakByteIsStored) {
    const std::string& text = GetParam().text;
    std::string stored = ScrambleText(text);
    EXPECT_EQ(UnscrambleText(stored), text);
    EXPECT_EQ(stored.find('\n'), std::string::npos);
    EXPECT_EQ(stored.find('\r'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScrambleRoundTripTest,
    ::testing::Values(RoundTripCase{"empty", ""}, RoundTripCase{"ascii_name", "Ann Example"},
                      RoundTripCase{"jose", "José"}, RoundTripCase{"zoe", "Zoë"},
                      RoundTripCase{"lodz", "Łódź"}, RoundTripCase{"cjk", "北京市"},
                      RoundTripCase{"emoji", "Star ⭐ 🌙"}, RoundTripCase{"euro", "€"},
                      RoundTripCase{"ordinal_a", "ª"}, RoundTripCase{"guillemets", "«»"},
                      RoundTripCase{"c1_control_0x81", "\u0081\u008d\u009d"},
                      RoundTripCase{"cp1252_punctuation", "‘quoted’ – “text” … ™"},
                      RoundTripCase{"control_chars", std::string("a\tb\nc\rd\0e\x1f\x7f", 11)},
                      RoundTripCase{"max_code_point", "\U0010FFFF"},
                      RoundTripCase{"replacement_char", "\uFFFD"},
                      RoundTripCase{"all_ascii",
                                    [] {
                                        std::string s;
                                        for (int c = 0; c < 128; ++c) s.push_back(char(c));
                                        return s;
                                    }()}),
    [](const auto& info) { return std::string(info.param.rowName); });

TEST(ScrambleText, EveryTwoByteCharacterRoundTripsWithoutLowBytes) {
    for (char32_t c = 0x80; c < 0x800; ++c) {
        std::string utf8{char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        std::string stored = ScrambleText(utf8);
        ASSERT_EQ(UnscrambleText(stored), utf8) << "U+" << std::hex << unsigned(c);
        for (unsigned char b : stored) ASSERT_TRUE(b >= 48) << "U+" << std::hex << unsigned(c);
    }
}

}  // namespace
}  // namespace velloran
