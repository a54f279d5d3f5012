#pragma once
// The position texts a pass makes for each body, without building a long-form string for each.

#include <cstddef>
#include <string>
#include <string_view>

namespace velloran {

struct LongFormBuffer {
    char text[24];  // the longest form, "29° 59' 59\" Pis", takes 16 bytes
    size_t size = 0;
    std::string_view View() const { return {text, size}; }
};

// FormatSignPosition into a buffer; false (and an empty text) for a non-finite x.
bool FormatSignPositionInto(double x, LongFormBuffer& out);

}  // namespace velloran
