#pragma once
// Small text helpers of velloran-cli.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

// What every message of velloran-cli on standard error starts with.
inline constexpr std::string_view kCliProgram = "velloran-cli: ";

// Each distinct note of notes (empty ones left out) once, in order, as "velloran-cli: note: ...".
void PrintNotesOnce(std::ostream& err, const std::vector<std::string>& notes);

// A user-supplied text quoted for a one-line message: control bytes become '?', and a long text
// is cut at 80 bytes.
std::string Quoted(std::string_view text);

// JSON string literal of a UTF-8 text; a byte that does not start valid UTF-8 is written as
// \ufffd, the replacement character.
std::string JsonString(std::string_view text);
// JSON number of a double (shortest round-trip form); null when not finite.
std::string JsonNumber(double value);

}  // namespace velloran
