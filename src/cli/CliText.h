#pragma once
// Small text helpers of velloran-cli.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

// What every message of velloran-cli on standard error starts with.
inline constexpr std::string_view kCliProgram = "velloran-cli: ";

// Each distinct note of notes (empty ones left out) once, in order, as "velloran-cli: note: ...".
void PrintNotesOnce(std::ostream& err, const std::vector<std::string>& notes);

// A user-supplied text quoted for a one-line message: control bytes become '?', and a text
// longer than maxBytes (80 unless given) is cut there.
inline constexpr std::size_t kQuotedMaxBytes = 80;
std::string Quoted(std::string_view text, std::size_t maxBytes = kQuotedMaxBytes);
// A text for a line of a listing: as it is, or quoted whole (never cut) when it holds a control
// byte, so a name with an escape sequence or a line break neither acts on the terminal nor
// breaks the line.
std::string ShownName(std::string_view text);

// JSON string literal of a UTF-8 text; a byte that does not start valid UTF-8 is written as
// \ufffd, the replacement character.
std::string JsonString(std::string_view text);
// JSON number of a double (shortest round-trip form); null when not finite.
std::string JsonNumber(double value);

}  // namespace velloran
