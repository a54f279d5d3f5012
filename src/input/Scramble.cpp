// Stored-text scrambling. Forms of one character:
//   code point below 128             -> one byte, code + 85            (85..212)
//   Windows-1252 byte b in 128..170  -> one byte, b + 85               (213..255)
//   anything else                    -> per UTF-8 byte u: 64 + (u >> 4) - 8, then 48 + (u & 15)
// so no stored byte is ever 10 or 13, and readers of the one-byte form skip the escape pairs.

#include "input/Scramble.h"

#include "input/Utf8.h"

namespace velloran {

namespace {

constexpr int kShift = 85;
constexpr unsigned char kEscapeHighFirst = 64;  // 64..71 carry the high nibble 8..15
constexpr unsigned char kEscapeHighLast = 71;
constexpr unsigned char kEscapeLowFirst = 48;  // 48..63 carry the low nibble 0..15
constexpr unsigned char kEscapeLowLast = 63;

// Unicode of the Windows-1252 bytes 0x80..0xAA (the bytes Windows leaves undefined map to the
// C1 control of the same number).
constexpr char32_t kCp1252High[43] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0,
    0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA,
};

// Windows-1252 byte 128..170 of a code point, or 0 when it has none in that range.
int Cp1252HighByte(char32_t c) {
    for (int i = 0; i < 43; ++i) {
        if (kCp1252High[i] == c) return 128 + i;
    }
    return 0;
}

}  // namespace

std::string ScrambleText(std::string_view utf8Text) {
    std::string out;
    for (char32_t c : DecodeUtf8(utf8Text)) {
        if (c < 128) {
            out.push_back(static_cast<char>(c + kShift));
        } else if (int b = Cp1252HighByte(c)) {
            out.push_back(static_cast<char>(b + kShift));
        } else {
            std::string utf8;
            AppendUtf8(utf8, c);
            for (unsigned char u : utf8) {
                out.push_back(static_cast<char>(kEscapeHighFirst + ((u >> 4) - 8)));
                out.push_back(static_cast<char>(kEscapeLowFirst + (u & 15)));
            }
        }
    }
    return out;
}

std::string UnscrambleText(std::string_view scrambled) {
    std::string raw;  // UTF-8 as stored, checked at the end
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(scrambled[i]);
        if (b >= kShift && b < 128 + kShift) {
            raw.push_back(static_cast<char>(b - kShift));
        } else if (b >= 128 + kShift) {
            AppendUtf8(raw, kCp1252High[b - kShift - 128]);
        } else if (b >= kEscapeHighFirst && b <= kEscapeHighLast && i + 1 < scrambled.size()) {
            unsigned char low = static_cast<unsigned char>(scrambled[i + 1]);
            if (low >= kEscapeLowFirst && low <= kEscapeLowLast) {
                raw.push_back(
                    static_cast<char>(((b - kEscapeHighFirst + 8) << 4) | (low - kEscapeLowFirst)));
                ++i;
            }
        }
        // Any other byte below 85 has no decoded form and is left out.
    }
    return SanitizeUtf8(raw);
}

}  // namespace velloran
