#include "atlas/Fold.h"

#include <glib.h>

#include <memory>

namespace velloran {

std::string FoldForSearch(std::string_view utf8) {
    std::string text(utf8);
    // The "C" locale keeps the transliteration independent of the user's settings.
    std::unique_ptr<gchar, decltype(&g_free)> ascii(g_str_to_ascii(text.c_str(), "C"), g_free);
    std::string folded = ascii ? ascii.get() : std::string();
    for (char& c : folded) c = g_ascii_tolower(c);
    return folded;
}

}  // namespace velloran
