// Command-line parsing of velloran-cli; touches no file.

#include <charconv>
#include <map>

#include "cli/Cli.h"
#include "cli/CliPlace.h"
#include "cli/CliText.h"
#include "reading/Sky.h"

namespace velloran {

namespace {

bool IsHelp(const std::string& a) { return a == "--help" || a == "-h" || a == "help"; }

CliError Error(std::string message) { return CliError{std::move(message)}; }

// --positions classic|precise and --node mean|true, shared by the commands that calculate.
class PositionsOptions {
public:
    explicit PositionsOptions(const char* command) : m_command(command) {}

    // Takes args[i] (and its value) when it is one of the two options: true when taken, with
    // error set when the option is malformed.
    bool Take(const std::vector<std::string>& args, std::size_t& i,
              std::optional<CliError>& error) {
        const std::string& a = args[i];
        if (a != "--positions" && a != "--node") return false;
        if (i + 1 >= args.size()) {
            error = Error(m_command + ": " + a + " needs a value");
            return true;
        }
        const std::string& value = args[++i];
        bool& given = a == "--positions" ? m_havePositions : m_haveNode;
        if (given) {
            error = Error(m_command + ": " + a + " given twice");
            return true;
        }
        given = true;
        if (a == "--positions") {
            if (auto kind = ParsePositionsKey(value)) {
                m_choice.positions = *kind;
            } else {
                error = Error(m_command + ": --positions " + Quoted(value) +
                              ": expected classic or precise");
            }
        } else if (auto node = ParseNodeKey(value)) {
            m_choice.node = *node;
        } else {
            error = Error(m_command + ": --node " + Quoted(value) + ": expected mean or true");
        }
        return true;
    }

    // The choice once every argument is read; an error when --node came without the precise
    // positions (the classic positions have their own node).
    std::optional<CliError> Finish(PositionsChoice& choice) const {
        if (m_haveNode && !m_choice.precise())
            return Error(m_command + ": --node needs --positions precise");
        choice = m_choice;
        return std::nullopt;
    }

private:
    std::string m_command;
    PositionsChoice m_choice;
    bool m_havePositions = false, m_haveNode = false;
};

CliCommand ParseNew(const std::vector<std::string>& args) {
    NewCommand cmd;
    const std::map<std::string, std::optional<std::string> NewCommand::*> valued = {
        {"--name", &NewCommand::name},       {"--date", &NewCommand::date},
        {"--time", &NewCommand::time},       {"--zone", &NewCommand::zone},
        {"--lat", &NewCommand::lat},         {"--lon", &NewCommand::lon},
        {"--city", &NewCommand::city},       {"--state", &NewCommand::state},
        {"--country", &NewCommand::country}, {"-o", &NewCommand::output},
        {"--output", &NewCommand::output},   {"--place", &NewCommand::place},
    };
    PositionsOptions positions("new");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--dst") {
            cmd.dst = true;
            continue;
        }
        if (std::optional<CliError> error; positions.Take(args, i, error)) {
            if (error) return *error;
            continue;
        }
        auto it = valued.find(a);
        if (it == valued.end()) return Error("new: unknown argument " + Quoted(a));
        if (i + 1 >= args.size()) return Error("new: " + a + " needs a value");
        std::optional<std::string>& slot = cmd.*(it->second);
        if (slot) return Error("new: " + a + " given twice");
        slot = args[++i];
    }
    if (auto error = positions.Finish(cmd.positions)) return *error;
    return cmd;
}

CliCommand ParseExport(const std::vector<std::string>& args) {
    ExportCommand cmd;
    bool haveInput = false;
    PositionsOptions positions("export");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::optional<CliError> error; positions.Take(args, i, error)) {
            if (error) return *error;
        } else if (a == "-o" || a == "--output") {
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
    if (auto error = positions.Finish(cmd.positions)) return *error;
    return cmd;
}

CliCommand ParseShow(const std::vector<std::string>& args) {
    ShowCommand cmd;
    bool haveInput = false;
    PositionsOptions positions("show");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::optional<CliError> error; positions.Take(args, i, error)) {
            if (error) return *error;
        } else if (a == "--json") {
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
    if (auto error = positions.Finish(cmd.positions)) return *error;
    return cmd;
}

// --orb: a plain decimal number of degrees, one of the offered orbs.
std::optional<double> ParseOrb(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
        text.find('.') != text.rfind('.') || text.front() == '.' || text.back() == '.')
        return std::nullopt;
    double value = 0.0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (!IsOfferedOrb(value)) return std::nullopt;
    return value;
}

// --aspects: short words separated by commas, at least one.
std::optional<AspectMask> ParseAspects(const std::string& text) {
    AspectMask mask = 0;
    std::size_t from = 0;
    while (true) {
        std::size_t comma = text.find(',', from);
        std::string_view word = std::string_view(text).substr(from, comma - from);
        bool known = false;
        for (int a = 0; a < kAspectCount; ++a) {
            if (word == AspectKey(static_cast<Aspect>(a))) {
                mask |= AspectBit(static_cast<Aspect>(a));
                known = true;
            }
        }
        if (!known) return std::nullopt;
        if (comma == std::string::npos) return mask;
        from = comma + 1;
    }
}

CliCommand ParseContacts(const std::vector<std::string>& args) {
    ContactsCommand cmd;
    bool haveInput = false, haveOrb = false, haveAspects = false;
    PositionsOptions positions("contacts");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::optional<CliError> error; positions.Take(args, i, error)) {
            if (error) return *error;
        } else if (a == "--json") {
            cmd.json = true;
        } else if (a == "--node-pairs") {
            cmd.settings.nodePairs = true;
        } else if (a == "--with" || a == "--sky") {
            if (i + 1 >= args.size()) return Error("contacts: " + a + " needs a value");
            std::optional<std::string>& slot = a == "--with" ? cmd.with : cmd.sky;
            if (slot) return Error("contacts: " + a + " given twice");
            slot = args[++i];
            if (a == "--sky" && !ParseSkyMoment(*slot))
                return Error("contacts: --sky " + Quoted(*slot) +
                             ": expected a universal time YYYY-MM-DDTHH:MM on a real date");
        } else if (a == "--orb" || a == "--aspects") {
            if (i + 1 >= args.size()) return Error("contacts: " + a + " needs a value");
            bool& given = a == "--orb" ? haveOrb : haveAspects;
            if (given) return Error("contacts: " + a + " given twice");
            given = true;
            const std::string& value = args[++i];
            if (a == "--orb") {
                auto orb = ParseOrb(value);
                if (!orb)
                    return Error("contacts: --orb " + Quoted(value) +
                                 ": the orb must be 0.5 to 5 degrees in steps of 0.5");
                cmd.settings.orb = *orb;
            } else {
                auto aspects = ParseAspects(value);
                if (!aspects)
                    return Error("contacts: --aspects " + Quoted(value) +
                                 ": expected a comma-separated list of conj, opp, sq, tri, sex");
                cmd.settings.aspects = *aspects;
            }
        } else if (!a.empty() && a[0] == '-') {
            return Error("contacts: unknown option " + Quoted(a));
        } else if (haveInput) {
            return Error("contacts: more than one reading file given");
        } else {
            cmd.input = a;
            haveInput = true;
        }
    }
    if (!haveInput) return Error("contacts: no reading file given");
    if (cmd.with && cmd.sky) return Error("contacts: --with and --sky cannot be given together");
    if ((cmd.with || cmd.sky) && cmd.settings.nodePairs)
        return Error(
            "contacts: --node-pairs applies to a reading's own contacts; against "
            "another chart the node pairs are always listed");
    if (auto error = positions.Finish(cmd.positions)) return *error;
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
    if (command == "contacts") return ParseContacts(args);
    if (command == "place") return ParsePlace(args);
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
           "      Calculates the reading and shows the natal and draconic charts; with --json\n"
           "      also the contacts of the default settings.\n"
           "  velloran-cli contacts FILE.vlr [--orb DEG] [--aspects conj,opp,sq,tri,sex]\n"
           "                        [--node-pairs] [--json]\n"
           "      Lists the contacts between the draconic and the natal chart, smallest orb\n"
           "      first: conjunctions and oppositions within 2 degrees unless --orb (0.5 to 5\n"
           "      in steps of 0.5) and --aspects say otherwise. The draconic node to natal\n"
           "      node pairs are left out unless --node-pairs is given.\n"
           "  velloran-cli contacts FILE.vlr --with OTHER.vlr [options as above]\n"
           "      FILE's draconic chart on OTHER's natal chart (draconic synastry); swap the\n"
           "      files for the other direction. Node pairs are always listed.\n"
           "  velloran-cli contacts FILE.vlr --sky YYYY-MM-DDTHH:MM [options as above]\n"
           "      The sky at that universal time (transits) on FILE's draconic chart: every\n"
           "      body but the ascendant, with the positions chosen (classic: 1905..2050;\n"
           "      precise: 1800..2399).\n"
           "  velloran-cli new --place PLACE --date YYYY-MM-DD --time HH:MM -o FILE.vlr ...\n"
           "      Takes city, state, country, coordinates, zone and daylight saving from the\n"
           "      atlas's first match for PLACE; options given explicitly win.\n"
           "  velloran-cli place QUERY [--date YYYY-MM-DD --time HH:MM] [--json]\n"
           "      Lists the atlas's places whose name starts with QUERY (\"city, state\" and\n"
           "      \"city, country\" narrow it, also \"Houston, TX\", \"Zurich, CH\"), largest\n"
           "      first, with coordinates and time zone; with a date and time also the zone\n"
           "      index and daylight saving of that moment. No match is exit status 1.\n"
           "  velloran-cli zones\n"
           "      Lists the time zones with the index that --zone takes.\n"
           "  Options of new, export, show and contacts:\n"
           "    --positions classic|precise\n"
           "      classic (the default): the program's own formulas, as stored readings and\n"
           "      earlier exports show them; precise: the Swiss Ephemeris's apparent positions\n"
           "      of date with Uranus, Neptune, Pluto and Chiron. A reading file holds the birth\n"
           "      only, so new writes the same file either way.\n"
           "    --node mean|true\n"
           "      The node the precise draconic chart is measured from (mean by default).\n"
           "  velloran-cli --help\n"
           "  velloran-cli --version\n"
           "\n"
           "Exit status: 0 success, 1 bad arguments or unusable file, 2 birth data refused\n"
           "by the form's checks (the form's message is printed).\n";
}

}  // namespace velloran
