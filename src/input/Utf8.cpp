#include "input/Utf8.h"

namespace velloran {

namespace {

// Length of the valid sequence starting at bytes[i] and its code point, or 0 when invalid.
int ValidSequence(std::string_view bytes, std::size_t i, char32_t& code) {
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    unsigned char b0 = at(i);
    if (b0 < 0x80) {
        code = b0;
        return 1;
    }
    int length;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, min = 0x80, code = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, min = 0x800, code = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, min = 0x10000, code = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    for (int k = 1; k < length; ++k) {
        unsigned char b = at(i + k);
        if ((b & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::vector<char32_t> DecodeUtf8(std::string_view bytes) {
    std::vector<char32_t> out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t code = 0;
        int length = ValidSequence(bytes, i, code);
        if (length == 0) {
            out.push_back(kReplacementChar);
            ++i;
        } else {
            out.push_back(code);
            i += length;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    auto put = [&](unsigned v) { out.push_back(static_cast<char>(v)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

std::string SanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char32_t c : DecodeUtf8(bytes)) AppendUtf8(out, c);
    return out;
}

}  // namespace velloran
