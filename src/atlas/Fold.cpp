#include "atlas/Fold.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace velloran {

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

std::string LoweredAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Letters Latin-ASCII leaves alone: the turned e and the schwa (Azerbaijani place names).
void FoldTurnedE(icu::UnicodeString& text) {
    text.findAndReplace(icu::UnicodeString(static_cast<UChar32>(0x01DD)), u"e");  // ǝ
    text.findAndReplace(icu::UnicodeString(static_cast<UChar32>(0x0259)), u"e");  // ə
    text.findAndReplace(icu::UnicodeString(static_cast<UChar32>(0x018E)), u"E");  // Ǝ
    text.findAndReplace(icu::UnicodeString(static_cast<UChar32>(0x018F)), u"E");  // Ə
}

}  // namespace

struct SearchFolder::Icu {
    std::unique_ptr<icu::Transliterator> latinAscii;
};

SearchFolder::SearchFolder() = default;
SearchFolder::~SearchFolder() = default;

std::optional<std::string> SearchFolder::Fold(std::string_view utf8) const {
    if (IsAscii(utf8)) return LoweredAscii(std::string(utf8));
    if (!IsUtf8(utf8)) return std::nullopt;
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    FoldTurnedE(text);
    {
        std::lock_guard lock(m_mutex);
        if (!m_icu) {
            UErrorCode status = U_ZERO_ERROR;
            m_icu = std::make_unique<Icu>();
            m_icu->latinAscii.reset(
                icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
            if (U_FAILURE(status)) m_icu->latinAscii.reset();
        }
        if (!m_icu->latinAscii) return std::nullopt;
        m_icu->latinAscii->transliterate(text);
    }
    std::string folded;
    text.toUTF8String(folded);
    if (!IsAscii(folded)) return std::nullopt;
    return LoweredAscii(std::move(folded));
}

std::optional<std::string> FoldForSearch(std::string_view utf8) {
    return SearchFolder().Fold(utf8);
}

}  // namespace velloran
