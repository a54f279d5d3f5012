#pragma once
// Small text helpers of velloran-cli.

#include <string>
#include <string_view>

namespace velloran {

// A user-supplied text quoted for a one-line message: control bytes become '?', and a long text
// is cut at 80 bytes.
std::string Quoted(std::string_view text);

// JSON string literal of a UTF-8 text.
std::string JsonString(std::string_view text);
// JSON number of a double (shortest round-trip form); null when not finite.
std::string JsonNumber(double value);

}  // namespace velloran
