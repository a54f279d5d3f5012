#pragma once
// velloran-cli's commands over many readings: list (a folder of reading files) and batch (a
// CSV file of births).

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/Cli.h"
#include "input/FormInput.h"

namespace velloran {

int RunList(const ListCommand& cmd, std::ostream& out, std::ostream& err);
int RunBatch(const BatchCommand& cmd, std::ostream& err, CliFiles& files);

// The form's values of new's options but -o (--place filled from the atlas as new fills it);
// the first problem as new words it.
std::optional<std::string> FormFromNewOptions(NewCommand cmd, FormInput& form);

}  // namespace velloran
