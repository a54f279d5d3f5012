// Command-line parsing of velloran-cli; touches no file.

#include <map>

#include "cli/Cli.h"
#include "cli/CliText.h"

namespace velloran {

namespace {

bool IsHelp(const std::string& a) { return a == "--help" || a == "-h" || a == "help"; }

CliError Error(std::string message) { return CliError{std::move(message)}; }

CliCommand ParseNew(const std::vector<std::string>& args) {
    NewCommand cmd;
    const std::map<std::string, std::optional<std::string> NewCommand::*> valued = {
        {"--name", &NewCommand::name},       {"--date", &NewCommand::date},
        {"--time", &NewCommand::time},       {"--zone", &NewCommand::zone},
        {"--lat", &NewCommand::lat},         {"--lon", &NewCommand::lon},
        {"--city", &NewCommand::city},       {"--state", &NewCommand::state},
        {"--country", &NewCommand::country}, {"-o", &NewCommand::output},
        {"--output", &NewCommand::output},
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--dst") {
            cmd.dst = true;
            continue;
        }
        auto it = valued.find(a);
        if (it == valued.end()) return Error("new: unknown argument " + Quoted(a));
        if (i + 1 >= args.size()) return Error("new: " + a + " needs a value");
        std::optional<std::string>& slot = cmd.*(it->second);
        if (slot) return Error("new: " + a + " given twice");
        slot = args[++i];
    }
    return cmd;
}

CliCommand ParseExport(const std::vector<std::string>& args) {
    ExportCommand cmd;
    bool haveInput = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) return Error("export: " + a + " needs a value");
            if (cmd.output) return Error("export: " + a + " given twice");
            cmd.output = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return Error("export: unknown option " + Quoted(a));
        } else if (haveInput) {
            return Error("export: more than one reading file given");
        } else {
            cmd.input = a;
            haveInput = true;
        }
    }
    if (!haveInput) return Error("export: no reading file given");
    return cmd;
}

CliCommand ParseShow(const std::vector<std::string>& args) {
    ShowCommand cmd;
    bool haveInput = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            cmd.json = true;
        } else if (!a.empty() && a[0] == '-') {
            return Error("show: unknown option " + Quoted(a));
        } else if (haveInput) {
            return Error("show: more than one reading file given");
        } else {
            cmd.input = a;
            haveInput = true;
        }
    }
    if (!haveInput) return Error("show: no reading file given");
    return cmd;
}

}  // namespace

CliCommand ParseCli(const std::vector<std::string>& args) {
    if (args.empty()) return Error("no command given (try --help)");
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") return HelpCommand{};
    }
    const std::string& command = args[0];
    if (IsHelp(command)) return HelpCommand{};
    if (command == "--version") {
        if (args.size() > 1) return Error("--version: takes no arguments");
        return VersionCommand{};
    }
    if (command == "new") return ParseNew(args);
    if (command == "export") return ParseExport(args);
    if (command == "show") return ParseShow(args);
    if (command == "zones") {
        if (args.size() > 1) return Error("zones: takes no arguments");
        return ZonesCommand{};
    }
    return Error("unknown command " + Quoted(command) + " (try --help)");
}

std::string CliUsage() {
    return "Usage:\n"
           "  velloran-cli new --name NAME --date YYYY-MM-DD --time HH:MM --zone INDEX\n"
           "                   --lat DD:MM{N|S} --lon DDD:MM{E|W} [--dst]\n"
           "                   --city CITY --state STATE --country COUNTRY -o FILE.vlr\n"
           "      Checks the birth data as the birth-data form does and writes a reading file.\n"
           "  velloran-cli export FILE.vlr [-o OUT.txt]\n"
           "      Calculates the reading and writes the text export (standard output without -o).\n"
           "  velloran-cli show FILE.vlr [--json]\n"
           "      Calculates the reading and shows the natal and draconic charts.\n"
           "  velloran-cli zones\n"
           "      Lists the time zones with the index that --zone takes.\n"
           "  velloran-cli --help\n"
           "  velloran-cli --version\n"
           "\n"
           "Exit status: 0 success, 1 bad arguments or unusable file, 2 birth data refused\n"
           "by the form's checks (the form's message is printed).\n";
}

}  // namespace velloran
