#pragma once
// velloran-cli's atlas: the place command and the --place option of new.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace velloran {

CliCommand ParsePlace(const std::vector<std::string>& args);

int RunPlace(const PlaceCommand& cmd, std::ostream& out, std::ostream& err);

// Fills what new's --place gives and the command line left out: city, state, country,
// coordinates, and with --date and --time the zone and box (only when --zone is not given).
// The reason when the place is not found or its legal time has no zone row.
// With settleDaylight (new's command line), a --zone given without --dst or --no-dst takes the
// atlas's daylight saving when it is the atlas's own row then, and is refused, naming the
// atlas's row, when it is another.
std::optional<std::string> FillFromPlace(NewCommand& cmd, bool settleDaylight = false);

}  // namespace velloran
