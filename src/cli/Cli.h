#pragma once
// velloran-cli: creates reading files, exports and shows readings, lists the natal-draconic
// contacts and the time zones, and draws the degree wheel.
// The logic lives here so tests and the fuzzer run it in-process.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chart/ChartModel.h"
#include "domain/Bodies.h"
#include "domain/PositionsChoice.h"
#include "output/WholeFile.h"
#include "reading/Contacts.h"
#include "wheel/WheelDrawing.h"

namespace velloran {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;      // bad arguments, unreadable or damaged files
inline constexpr int kExitInvalidForm = 2;  // the birth data fail the form's validation

// File access of the tool; tests and the fuzzer supply one that keeps files in memory.
class CliFiles {
public:
    virtual ~CliFiles() = default;
    // The file's bytes, or nothing with a reason when it is missing, not a regular file,
    // unreadable or larger than limit bytes.
    virtual std::optional<std::string> Read(const std::string& path, std::size_t limit,
                                            std::string& reason) = 0;
    // The file's bytes in pieces, for a file too long to hold at once: a function that puts up to
    // size bytes at `into` and returns how many (0 at the end; nothing when a read fails); nothing
    // with a reason as Read gives it. This one reads the file whole first.
    using Pieces = std::function<std::optional<std::size_t>(char* into, std::size_t size)>;
    virtual std::optional<Pieces> ReadPieces(const std::string& path, std::size_t limit,
                                             std::string& reason);
    // Creates or replaces the file whole; false with a reason when it cannot be written, the
    // earlier file then kept as it was.
    virtual bool Write(const std::string& path, std::string_view bytes, std::string& reason) = 0;
    // As Write, the bytes made by fill while they are written (see WriteWholeFileFrom); false
    // with the reason when fill gives up or they cannot be written. This one gathers them first.
    virtual bool WriteFrom(const std::string& path, const FileFiller& fill, std::string& reason);
    // True when both paths name one existing file, also through links.
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
    // True when the error stream is a terminal someone watches: a long command then shows its
    // progress there.
    virtual bool ErrorsOnTerminal() const { return false; }
};

// The real file system.
class DiskFiles : public CliFiles {
public:
    explicit DiskFiles(bool errorsOnTerminal = false) : m_errorsOnTerminal(errorsOnTerminal) {}
    bool ErrorsOnTerminal() const override { return m_errorsOnTerminal; }
    std::optional<std::string> Read(const std::string& path, std::size_t limit,
                                    std::string& reason) override;
    bool Write(const std::string& path, std::string_view bytes, std::string& reason) override;
    bool WriteFrom(const std::string& path, const FileFiller& fill, std::string& reason) override;
    std::optional<Pieces> ReadPieces(const std::string& path, std::size_t limit,
                                     std::string& reason) override;
    bool SameFile(const std::string& a, const std::string& b) override;

private:
    bool m_errorsOnTerminal = false;
};

// Parsed command line.
struct NewCommand {
    std::optional<std::string> name, date, time, zone, lat, lon, city, state, country, output;
    std::optional<std::string> place;  // fills what is not given from the atlas's first match
    bool dst = false;
    bool noDst = false;         // --no-dst: no daylight saving, whatever the atlas says
    PositionsChoice positions;  // accepted as by the other commands; the file holds the birth only
};
struct ExportCommand {
    std::string input;
    std::optional<std::string> output;
    PositionsChoice positions;
};
struct ShowCommand {
    std::string input;
    bool json = false;
    PositionsChoice positions;
};
struct ContactsCommand {
    std::string input;
    ContactSettings settings;
    bool json = false;
    PositionsChoice positions;
    std::optional<std::string> with;  // another reading: input's draconic on its natal chart
    std::optional<std::string> sky;  // a moment, "YYYY-MM-DDTHH:MM" UT: the sky on input's draconic
};
inline constexpr int kMinWheelSize = 200;
inline constexpr int kMaxWheelSize = 4000;
// The degree wheel of a reading as an SVG, PDF or PNG picture (by the output's ending).
struct WheelCommand {
    std::string input;
    std::string output;
    ChartView view = ChartView::Comparison;
    PositionsChoice positions;
    std::optional<std::string> with;  // another reading's natal chart inside the draconic ring
    std::optional<std::string> sky;   // the sky of a moment inside the draconic ring
    int size = 800;                   // px
    WheelTheme theme = WheelTheme::Light;
};
// Places of the atlas matching a query; with a date and time, the zone row then.
struct PlaceCommand {
    std::string query;
    std::optional<std::string> date, time;
    bool json = false;
};
// The readings under a folder and its subfolders with their natal and draconic signs.
struct ListCommand {
    std::string folder;  // empty: the program's readings folder
    bool json = false;
    PositionsChoice positions;
};
// The births of a CSV file calculated into a CSV or JSON-lines file (by the output's ending).
struct BatchCommand {
    std::string input;
    std::string output;
    PositionsChoice positions;
};
struct ZonesCommand {};
struct HelpCommand {};
struct VersionCommand {};
struct CliError {
    std::string message;
};
using CliCommand = std::variant<NewCommand, ExportCommand, ShowCommand, ContactsCommand,
                                WheelCommand, PlaceCommand, ListCommand, BatchCommand, ZonesCommand,
                                HelpCommand, VersionCommand, CliError>;

// args without the program name. Never touches a file.
CliCommand ParseCli(const std::vector<std::string>& args);

// Runs the tool; returns the exit status. Output goes to out, one-line errors to err. months
// spell the birth month in exports and reports.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           CliFiles& files, const MonthNames& months = EnglishMonthNames());
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const MonthNames& months = EnglishMonthNames());

std::string CliUsage();

}  // namespace velloran
