#pragma once
// The saved-reading file: 17 scrambled lines, each ending in CR LF.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "domain/BirthData.h"
#include "input/FormInput.h"

namespace velloran {

inline constexpr int kReadingLines = 17;
// Largest reading file that opening reads.
inline constexpr std::size_t kMaxReadingBytes = 64 * 1024;

// The file's bytes for the birth data of the last calculation and the zone list's selection.
std::string WriteReadingFile(const BirthData& birth, int zoneIndex);

// Why the reading saved from birth and zoneIndex would not open again, as a phrase for a message
// ("the name is longer than 2000 characters, so the saved reading could not be opened again"),
// or nothing when it opens. Saving checks this first,
// so no saved reading is one that opening refuses.
std::optional<std::string> ReadingSaveProblem(const BirthData& birth, int zoneIndex);

// The 17 decoded line texts, or nothing for content that cannot be a reading: control bytes,
// larger than 64 KiB, fewer than 17 or more than 40 lines, a decoded text holding a control
// character (U+0000..U+001F, U+007F), a name, city, state or country longer than the form's
// boxes take (kMaxTextLength characters), a month line that is not empty and not 0..12 (0 is what
// a reading without a month was saved with; the form's checks refuse it), a zone line that is
// not empty and not a whole number.
std::optional<std::array<std::string, kReadingLines>> ReadReadingFile(std::string_view bytes);

// Puts decoded lines into the form's controls as the open command does. False, with the form
// untouched, when a day, year, hour, minute or zone line is not an entry of its list (an empty
// zone line selects the first zone): such a reading is damaged, and charting it with whatever
// the list showed would give a wrong chart.
[[nodiscard]] bool ApplyReadingToForm(const std::array<std::string, kReadingLines>& lines,
                                      FormInput& form);

// True when a chosen file name may be opened: its last three characters are exactly "vlr".
bool HasReadingExtension(std::string_view fileName);
// True when a name is one to save a reading under, one the library lists and every way of
// opening takes: something, then ".vlr" in small letters ("ann.vlr"; not "annvlr", "ann.VLR" or
// ".vlr").
bool IsReadingFileName(std::string_view fileName);

}  // namespace velloran
