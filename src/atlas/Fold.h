#pragma once
// Text folding for place search: accents dropped and letters lowered, so "Zürich", "ZURICH" and
// "zurich" compare equal.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace velloran {

// Folds many texts with one transliterator, made on the first text outside ASCII (making it
// costs about 100 ms). Safe to share between threads.
class SearchFolder {
public:
    SearchFolder();
    ~SearchFolder();
    SearchFolder(const SearchFolder&) = delete;
    SearchFolder& operator=(const SearchFolder&) = delete;

    // The UTF-8 text with its Latin letters transliterated to ASCII (ICU's Latin-ASCII: "ü" ->
    // "u", "ß" -> "ss", "ı" -> "i", "đ" -> "d", "ø" -> "o", "’" -> "'") and lowered. Nothing
    // when the text is not UTF-8 or keeps a character outside ASCII ("Москва", "東京", "Ω",
    // "£"): such a text has no folded form to compare. Leading and trailing blanks are kept.
    std::optional<std::string> Fold(std::string_view utf8) const;

private:
    struct Icu;
    mutable std::mutex m_mutex;
    mutable std::unique_ptr<Icu> m_icu;
};

// One text folded as SearchFolder::Fold does (with a transliterator of its own).
std::optional<std::string> FoldForSearch(std::string_view utf8);

}  // namespace velloran
