#include "cli/CliOptions.h"

#include <algorithm>

#include "cli/CliText.h"

namespace velloran {

namespace {

const CliOption* Named(const std::vector<CliOption>& options, const std::string& a) {
    const auto named = std::find_if(options.begin(), options.end(), [&](const CliOption& o) {
        return std::find(o.names.begin(), o.names.end(), a) != o.names.end();
    });
    return named == options.end() ? nullptr : &*named;
}

}  // namespace

bool AsksForHelp(const std::vector<std::string>& args, const std::vector<CliOption>& options) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") return true;
        const CliOption* named = Named(options, args[i]);
        if (named != nullptr && named->takesValue) ++i;
    }
    return false;
}

std::optional<std::string> ReadCliOptions(std::string_view command,
                                          const std::vector<std::string>& args,
                                          const std::vector<CliOption>& options,
                                          const CliPositional& positional) {
    const std::string prefix = std::string(command) + ": ";
    std::vector<bool> given(options.size(), false);
    bool haveInput = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const CliOption* named = Named(options, a);
        if (named != nullptr) {
            if (!named->takesValue) {
                named->apply(std::string());
                continue;
            }
            if (i + 1 >= args.size()) return prefix + a + " needs a value";
            const auto index = static_cast<std::size_t>(named - options.data());
            if (given[index]) return prefix + a + " given twice";
            given[index] = true;
            if (auto problem = named->apply(args[++i])) return prefix + *problem;
            continue;
        }
        if (positional.target == nullptr) return prefix + "unknown argument " + Quoted(a);
        if (!a.empty() && a[0] == '-') return prefix + "unknown option " + Quoted(a);
        if (haveInput) {
            if (!positional.tooMany.empty()) return prefix + std::string(positional.tooMany);
            return prefix + "more than one " + std::string(positional.name) + " given";
        }
        *positional.target = a;
        haveInput = true;
    }
    if (positional.target != nullptr && !haveInput && !positional.optional) {
        if (!positional.missing.empty()) return prefix + std::string(positional.missing);
        return prefix + "no " + std::string(positional.name) + " given";
    }
    return std::nullopt;
}

}  // namespace velloran
