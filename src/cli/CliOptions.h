#pragma once
// The one option loop of velloran-cli's commands: each command lists its options and its one
// positional argument; the loop reads the arguments after the command word against them and
// words the errors the same way for every command.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

// An option of a command. A flag takes no value and may be repeated; an option with a value
// takes the next argument and may be given once (any of its names counts). apply returns a
// problem with the value ("--orb '7': the orb must be ..."), or nothing.
struct CliOption {
    std::vector<std::string_view> names;
    bool takesValue = false;
    std::function<std::optional<std::string>(const std::string& value)> apply;
};

// The command's positional argument: where it goes and what the errors say when a second one
// comes or none does. A command without one (target nullptr) calls any other word unknown.
struct CliPositional {
    std::string* target = nullptr;
    std::string_view name = "reading file";  // "more than one reading file given"
    std::string_view tooMany;                // replaces that message when given
    std::string_view missing;                // replaces "no reading file given" when given
    bool optional = false;                   // none given leaves the target as it is
};

// True when --help or -h stands in args[1..] where an option may stand: not as the value of an
// option that takes one (`new --name -h` names someone "-h").
bool AsksForHelp(const std::vector<std::string>& args, const std::vector<CliOption>& options);

// Reads args[1..] (args[0] is the command word); the first problem as "command: ..." or nothing.
// An option's value is the next argument whatever it looks like, "-h" and "--help" too.
std::optional<std::string> ReadCliOptions(std::string_view command,
                                          const std::vector<std::string>& args,
                                          const std::vector<CliOption>& options,
                                          const CliPositional& positional);

}  // namespace velloran
