// Command-line parsing of velloran-cli; touches no file.

#include <cctype>
#include <charconv>
#include <map>

#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/CliPlace.h"
#include "cli/CliText.h"
#include "reading/Sky.h"

namespace velloran {

namespace {

bool IsHelp(const std::string& a) { return a == "--help" || a == "-h" || a == "help"; }

CliError Error(std::string message) { return CliError{std::move(message)}; }

// The words of the options that take one of a few (--houses Placidus, --theme DARK) match in
// any case.
std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Reads a command's options: the usage when --help or -h stands where an option may, else the
// first problem as an error; nothing when every argument was taken.
std::optional<CliCommand> ReadOptions(std::string_view command,
                                      const std::vector<std::string>& args,
                                      const std::vector<CliOption>& options,
                                      const CliPositional& positional) {
    if (AsksForHelp(args, options)) return HelpCommand{};
    if (auto problem = ReadCliOptions(command, args, options, positional)) return Error(*problem);
    return std::nullopt;
}

// --positions classic|precise, --node mean|true, --houses SYSTEM and --asteroids, shared by the
// commands that calculate.
struct PositionsOptions {
    PositionsChoice choice;
    bool haveNode = false;
    bool haveHouses = false;

    std::vector<CliOption> Options() {
        return {CliOption{{"--positions"},
                          true,
                          [this](const std::string& value) -> std::optional<std::string> {
                              if (auto kind = ParsePositionsKey(Lower(value))) {
                                  choice.positions = *kind;
                                  return std::nullopt;
                              }
                              return "--positions " + Quoted(value) +
                                     ": expected classic or precise";
                          }},
                CliOption{{"--node"},
                          true,
                          [this](const std::string& value) -> std::optional<std::string> {
                              haveNode = true;
                              if (auto node = ParseNodeKey(Lower(value))) {
                                  choice.node = *node;
                                  return std::nullopt;
                              }
                              return "--node " + Quoted(value) + ": expected mean or true";
                          }},
                CliOption{{"--houses"},
                          true,
                          [this](const std::string& value) -> std::optional<std::string> {
                              haveHouses = true;
                              if (auto system = ParseHouseSystem(Lower(value))) {
                                  choice.houses = *system;
                                  return std::nullopt;
                              }
                              std::string keys;
                              for (std::string_view key : kHouseSystemKeys)
                                  keys += (keys.empty() ? "" : ", ") + std::string(key);
                              return "--houses " + Quoted(value) + ": expected one of " + keys;
                          }},
                CliOption{{"--asteroids"}, false, [this](const std::string&) {
                              choice.asteroids = true;
                              return std::optional<std::string>();
                          }}};
    }

    // The choice once every argument is read; an error when --node came without the precise
    // positions (the classic positions have their own node).
    std::optional<CliError> Finish(const std::string& command, PositionsChoice& out) const {
        if (haveNode && !choice.precise())
            return Error(command + ": --node needs --positions precise");
        if (haveHouses && !choice.precise())
            return Error(command + ": --houses needs --positions precise");
        if (choice.asteroids && !choice.precise())
            return Error(command + ": --asteroids needs --positions precise");
        out = choice;
        return std::nullopt;
    }
};

// The reading file a command reads.
CliPositional ReadingFileArgument(std::string& input) {
    CliPositional positional;
    positional.target = &input;
    return positional;
}

// A valued option that fills an optional text.
CliOption TextOption(std::vector<std::string_view> names, std::optional<std::string>& slot) {
    return {std::move(names), true, [&slot](const std::string& value) {
                slot = value;
                return std::optional<std::string>();
            }};
}

// A flag that sets a boolean.
CliOption FlagOption(std::string_view name, bool& flag) {
    return {{name}, false, [&flag](const std::string&) {
                flag = true;
                return std::optional<std::string>();
            }};
}

std::vector<CliOption> Joined(std::vector<CliOption> a, std::vector<CliOption> b) {
    for (CliOption& o : b) a.push_back(std::move(o));
    return a;
}

CliCommand ParseNew(const std::vector<std::string>& args) {
    NewCommand cmd;
    PositionsOptions positions;
    const std::vector<CliOption> options =
        Joined({FlagOption("--dst", cmd.dst), FlagOption("--no-dst", cmd.noDst),
                TextOption({"--name"}, cmd.name), TextOption({"--date"}, cmd.date),
                TextOption({"--time"}, cmd.time), TextOption({"--zone"}, cmd.zone),
                TextOption({"--lat"}, cmd.lat), TextOption({"--lon"}, cmd.lon),
                TextOption({"--city"}, cmd.city), TextOption({"--state"}, cmd.state),
                TextOption({"--country"}, cmd.country), TextOption({"-o", "--output"}, cmd.output),
                TextOption({"--place"}, cmd.place)},
               positions.Options());
    if (auto stop = ReadOptions("new", args, options, CliPositional{})) return *stop;
    if (cmd.dst && cmd.noDst) return Error("new: --dst and --no-dst cannot be given together");
    if (auto error = positions.Finish("new", cmd.positions)) return *error;
    return cmd;
}

CliCommand ParseExport(const std::vector<std::string>& args) {
    ExportCommand cmd;
    PositionsOptions positions;
    const std::vector<CliOption> options =
        Joined(positions.Options(), {TextOption({"-o", "--output"}, cmd.output)});
    if (auto stop = ReadOptions("export", args, options, ReadingFileArgument(cmd.input)))
        return *stop;
    if (auto error = positions.Finish("export", cmd.positions)) return *error;
    return cmd;
}

CliCommand ParseShow(const std::vector<std::string>& args) {
    ShowCommand cmd;
    PositionsOptions positions;
    const std::vector<CliOption> options =
        Joined(positions.Options(), {FlagOption("--json", cmd.json)});
    if (auto stop = ReadOptions("show", args, options, ReadingFileArgument(cmd.input)))
        return *stop;
    if (auto error = positions.Finish("show", cmd.positions)) return *error;
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
std::optional<AspectMask> ParseAspects(const std::string& given) {
    const std::string text = Lower(given);
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

// --sky: a universal time on a real date.
CliOption SkyOption(std::optional<std::string>& slot) {
    return {{"--sky"}, true, [&slot](const std::string& value) -> std::optional<std::string> {
                slot = value;
                if (ParseSkyMoment(value)) return std::nullopt;
                return "--sky " + Quoted(value) +
                       ": expected a universal time YYYY-MM-DDTHH:MM on a real date";
            }};
}

// A valued option that takes one of a few words.
template <typename T>
CliOption WordOption(std::string_view name, std::vector<std::pair<std::string_view, T>> words,
                     T& slot, std::string expected) {
    return {{name},
            true,
            [name, words = std::move(words), &slot, expected = std::move(expected)](
                const std::string& value) -> std::optional<std::string> {
                for (const auto& [word, choice] : words) {
                    if (Lower(value) == word) {
                        slot = choice;
                        return std::nullopt;
                    }
                }
                return std::string(name) + " " + Quoted(value) + ": expected " + expected;
            }};
}

bool EndsWithPictureSuffix(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
    std::string suffix = path.substr(dot + 1);
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == "svg" || suffix == "pdf" || suffix == "png";
}

CliCommand ParseWheel(const std::vector<std::string>& args) {
    WheelCommand cmd;
    PositionsOptions positions;
    std::optional<std::string> output;
    const std::vector<CliOption> options = Joined(
        positions.Options(),
        {TextOption({"-o", "--output"}, output), TextOption({"--with"}, cmd.with),
         SkyOption(cmd.sky),
         WordOption<ChartView>("--view",
                               {{"natal", ChartView::Natal},
                                {"draconic", ChartView::Draconic},
                                {"comparison", ChartView::Comparison}},
                               cmd.view, "natal, draconic or comparison"),
         WordOption<WheelTheme>("--theme",
                                {{"light", WheelTheme::Light},
                                 {"dark", WheelTheme::Dark},
                                 {"print", WheelTheme::Print}},
                                cmd.theme, "light, dark or print"),
         CliOption{
             {"--size"}, true, [&cmd](const std::string& value) -> std::optional<std::string> {
                 int px = 0;
                 const auto [end, ec] =
                     std::from_chars(value.data(), value.data() + value.size(), px);
                 const bool digits = !value.empty() && value.size() <= 4 &&
                                     value.find_first_not_of("0123456789") == std::string::npos;
                 if (!digits || ec != std::errc() || end != value.data() + value.size() ||
                     px < kMinWheelSize || px > kMaxWheelSize)
                     return "--size " + Quoted(value) +
                            ": expected a whole number of pixels from 200 to 4000";
                 cmd.size = px;
                 return std::nullopt;
             }}});
    if (auto stop = ReadOptions("wheel", args, options, ReadingFileArgument(cmd.input)))
        return *stop;
    if (!output) return Error("wheel: no picture file given (-o OUT.svg, OUT.pdf or OUT.png)");
    if (!EndsWithPictureSuffix(*output))
        return Error("wheel: -o " + Quoted(*output) +
                     ": the picture's name must end in .svg, .pdf or .png");
    cmd.output = *output;
    if (cmd.with && cmd.sky) return Error("wheel: --with and --sky cannot be given together");
    if ((cmd.with || cmd.sky) && cmd.view != ChartView::Comparison)
        return Error(
            "wheel: --with and --sky draw the comparison wheel; leave out --view or give "
            "--view comparison");
    if (auto error = positions.Finish("wheel", cmd.positions)) return *error;
    return cmd;
}

CliCommand ParseContacts(const std::vector<std::string>& args) {
    ContactsCommand cmd;
    PositionsOptions positions;
    std::vector<CliOption> options = Joined(
        positions.Options(),
        {FlagOption("--json", cmd.json), FlagOption("--node-pairs", cmd.settings.nodePairs),
         TextOption({"--with"}, cmd.with), SkyOption(cmd.sky),
         CliOption{{"--orb"},
                   true,
                   [&cmd](const std::string& value) -> std::optional<std::string> {
                       const auto orb = ParseOrb(value);
                       if (!orb)
                           return "--orb " + Quoted(value) +
                                  ": the orb must be 0.5 to 5 degrees in steps of 0.5";
                       cmd.settings.orb = *orb;
                       return std::nullopt;
                   }},
         CliOption{
             {"--aspects"}, true, [&cmd](const std::string& value) -> std::optional<std::string> {
                 const auto aspects = ParseAspects(value);
                 if (!aspects)
                     return "--aspects " + Quoted(value) +
                            ": expected a comma-separated list of conj, opp, sq, tri, sex";
                 cmd.settings.aspects = *aspects;
                 return std::nullopt;
             }}});
    if (auto stop = ReadOptions("contacts", args, options, ReadingFileArgument(cmd.input)))
        return *stop;
    if (cmd.with && cmd.sky) return Error("contacts: --with and --sky cannot be given together");
    if ((cmd.with || cmd.sky) && cmd.settings.nodePairs)
        return Error(
            "contacts: --node-pairs applies to a reading's own contacts; against "
            "another chart the node pairs are always listed");
    if (auto error = positions.Finish("contacts", cmd.positions)) return *error;
    return cmd;
}

CliCommand ParseList(const std::vector<std::string>& args) {
    ListCommand cmd;
    PositionsOptions positions;
    const std::vector<CliOption> options =
        Joined(positions.Options(), {FlagOption("--json", cmd.json)});
    CliPositional folder;
    folder.target = &cmd.folder;
    folder.name = "folder";
    folder.optional = true;  // the program's readings folder
    if (auto stop = ReadOptions("list", args, options, folder)) return *stop;
    if (auto error = positions.Finish("list", cmd.positions)) return *error;
    return cmd;
}

bool EndsWithOutputSuffix(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto endsWith = [&lower](std::string_view suffix) {
        return lower.size() > suffix.size() &&
               lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    return endsWith(".csv") || endsWith(".jsonl");
}

CliCommand ParseBatch(const std::vector<std::string>& args) {
    BatchCommand cmd;
    PositionsOptions positions;
    std::optional<std::string> output;
    const std::vector<CliOption> options =
        Joined(positions.Options(), {TextOption({"-o", "--output"}, output)});
    CliPositional births;
    births.target = &cmd.input;
    births.name = "births file";
    if (auto stop = ReadOptions("batch", args, options, births)) return *stop;
    if (!output) return Error("batch: no output file given (-o OUT.csv or OUT.jsonl)");
    if (!EndsWithOutputSuffix(*output))
        return Error("batch: -o " + Quoted(*output) +
                     ": the output's name must end in .csv or .jsonl");
    cmd.output = *output;
    if (auto error = positions.Finish("batch", cmd.positions)) return *error;
    return cmd;
}

}  // namespace

CliCommand ParseCli(const std::vector<std::string>& args) {
    if (args.empty()) return Error("no command given (try --help)");
    // Each command finds --help among its options, where no option's value can be it.
    const std::string& command = args[0];
    if (IsHelp(command)) return HelpCommand{};
    const bool helpAfter = args.size() == 2 && (args[1] == "--help" || args[1] == "-h");
    if (command == "--version") {
        if (helpAfter) return HelpCommand{};
        if (args.size() > 1) return Error("--version: takes no arguments");
        return VersionCommand{};
    }
    if (command == "new") return ParseNew(args);
    if (command == "export") return ParseExport(args);
    if (command == "show") return ParseShow(args);
    if (command == "contacts") return ParseContacts(args);
    if (command == "wheel") return ParseWheel(args);
    if (command == "place") return ParsePlace(args);
    if (command == "list") return ParseList(args);
    if (command == "batch") return ParseBatch(args);
    if (command == "zones") {
        if (helpAfter) return HelpCommand{};
        if (args.size() > 1) return Error("zones: takes no arguments");
        return ZonesCommand{};
    }
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") return HelpCommand{};
    }
    return Error("unknown command " + Quoted(command) + " (try --help)");
}

std::string CliUsage() {
    return "Usage:\n"
           "  velloran-cli new --name NAME --date YYYY-MM-DD --time HH:MM --zone INDEX\n"
           "                   --lat DD:MM{N|S} --lon DDD:MM{E|W} [--dst | --no-dst]\n"
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
           "  velloran-cli contacts FILE.vlr --with OTHER.vlr [--orb DEG] [--aspects ...] "
           "[--json]\n"
           "      FILE's draconic chart on OTHER's natal chart (draconic synastry); swap the\n"
           "      files for the other direction. Node pairs are always listed.\n"
           "  velloran-cli contacts FILE.vlr --sky YYYY-MM-DDTHH:MM [--orb DEG] [--aspects ...]\n"
           "                        [--json]\n"
           "      The sky at that universal time (transits) on FILE's draconic chart: every\n"
           "      body but the ascendant, with the positions chosen (classic: 1905..2050;\n"
           "      precise: 1800..2399).\n"
           "  velloran-cli wheel FILE.vlr -o OUT.svg|OUT.pdf|OUT.png\n"
           "                     [--view natal|draconic|comparison] [--with OTHER.vlr |\n"
           "                     --sky YYYY-MM-DDTHH:MM] [--size PX] [--theme light|dark|print]\n"
           "      Draws the degree wheel: each body at its degree, the ascendant at nine\n"
           "      o'clock. natal and draconic draw one chart with its own aspect lines;\n"
           "      comparison (the default) draws the natal chart inside the draconic one with\n"
           "      the lines of their contacts (default orb and aspects), or with --with or\n"
           "      --sky that chart inside. The picture's ending chooses SVG (no fonts needed\n"
           "      to view it; each body a group with an id such as natal-sun), PDF (the key\n"
           "      facts first) or PNG. --size: 200 to 4000 pixels (800 by default).\n"
           "  velloran-cli new --place PLACE --date YYYY-MM-DD --time HH:MM -o FILE.vlr ...\n"
           "      Takes city, state, country, coordinates, zone and daylight saving from the\n"
           "      atlas's first match for PLACE; options given explicitly win. A --zone\n"
           "      without --dst or --no-dst keeps the atlas's daylight saving when it is the\n"
           "      atlas's zone then, and is refused when it is another.\n"
           "  velloran-cli place QUERY [--date YYYY-MM-DD --time HH:MM] [--json]\n"
           "      Lists the atlas's places whose name starts with QUERY (\"city, state\" and\n"
           "      \"city, country\" narrow it, also \"Houston, TX\", \"Zurich, CH\"), largest\n"
           "      first, with coordinates (as --lat and --lon take them) and time zone; with a\n"
           "      date and time also the zone index and daylight saving of that moment. No\n"
           "      match is exit status 1.\n"
           "  velloran-cli list [FOLDER] [--json]\n"
           "      Lists the reading files (*.vlr) in FOLDER (the program's readings folder\n"
           "      when none is given) and its subfolders: file, name, birth, place and the\n"
           "      natal and draconic Sun, Moon and rising signs; a file that cannot be\n"
           "      opened or calculated (a pipe, a link to nothing, a damaged file) and a\n"
           "      subfolder that cannot be read are listed with the reason. A name with\n"
           "      control characters is shown quoted, each of them as '?'. --json: an\n"
           "      array of objects with file, name, birth, place, natal, draconic and\n"
           "      error.\n"
           "  velloran-cli batch BIRTHS.csv -o OUT.csv|OUT.jsonl\n"
           "      Calculates every birth of a CSV file whose header names its columns, in any\n"
           "      order: name, date, time, zone, lat, lon, dst (yes or no), city, state,\n"
           "      country, with values as new takes them, or place in place of zone, lat and\n"
           "      lon. One output row per birth, in order: for each body of the natal and the\n"
           "      draconic chart its longitude, sign, house and retrograde flag, the number of\n"
           "      contacts at the default settings, and the error of a birth the form's checks\n"
           "      refuse (the others are still calculated), then the place, latitude, longitude,\n"
           "      zone, zone_label, daylight_saving and houses_note (Porphyry's houses where\n"
           "      Placidus or Koch have none). OUT.jsonl: one object a line with name, natal\n"
           "      and draconic (the bodies as show --json has them), contacts, error, place\n"
           "      and housesNote. A place matching several places of similar size is refused.\n"
           "      Text cells that would start a spreadsheet formula get a ' in front; bytes\n"
           "      that are not UTF-8 become U+FFFD. Exit status 1 when no birth could be\n"
           "      calculated. Uses every core; memory does not grow with the file.\n"
           "  velloran-cli zones\n"
           "      Lists the time zones with the index that --zone takes, each with its label\n"
           "      as the form's list shows it (\"+5.3\" is five and a half hours east).\n"
           "  Options of new, export, show, contacts, wheel, list and batch:\n"
           "    --positions classic|precise\n"
           "      classic (the default): the program's own formulas, as stored readings and\n"
           "      earlier exports show them; precise: the Swiss Ephemeris's apparent positions\n"
           "      of date with the midheaven, Uranus, Neptune, Pluto and Chiron (the two\n"
           "      differ by up to about 1.3 degrees for the planets, 0.9 for the node). A\n"
           "      reading file holds the birth only, so new writes the same file either way.\n"
           "    --node mean|true\n"
           "      The node the precise draconic chart is measured from (mean by default).\n"
           "    --houses whole|equal|porphyry|placidus|koch|regiomontanus|campanus|alcabitius\n"
           "      The precise charts' house system (whole by default: whole-sign houses from\n"
           "      each chart's rising sign). With another system the draconic cusps are the\n"
           "      natal ones measured from the node. Where Placidus or Koch have no cusps\n"
           "      (inside the polar circles) Porphyry houses are shown, and the output says so.\n"
           "    --asteroids\n"
           "      Adds Ceres, Pallas, Juno, Vesta and the mean Black Moon Lilith to the\n"
           "      precise charts.\n"
           "    The words of --positions, --node, --houses, --view, --theme and --aspects\n"
           "    are taken in any case. An option's value is the next argument whatever it\n"
           "    looks like (new --name -h names someone \"-h\").\n"
           "  velloran-cli --help\n"
           "  velloran-cli --version\n"
           "\n"
           "Exit status: 0 success, 1 bad arguments or unusable file, 2 birth data refused\n"
           "by the form's checks (the form's message is printed).\n";
}

}  // namespace velloran
