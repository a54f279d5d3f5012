#include "collection/ReadingsFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "input/FileBytes.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"
#include "reading/ManyReadings.h"
#include "reading/ReadingOpen.h"

namespace velloran {

namespace fs = std::filesystem;

namespace {

std::string ReasonOf(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory) return "no such folder";
    if (ec == std::errc::not_a_directory) return "not a folder";
    if (ec == std::errc::permission_denied) return "cannot be read: permission denied";
    return "cannot be read: " + ec.message();
}

int SignOf(const Chart& chart, ChartBody body) { return chart[body].sign; }

std::array<int, kListedSigns> ListedSigns(const Chart& chart) {
    return {SignOf(chart, ChartBody::Sun), SignOf(chart, ChartBody::Moon), chart.risingSign()};
}

FolderReading Unusable(std::string path, std::string reason) {
    FolderReading entry;
    entry.path = std::move(path);
    entry.error = std::move(reason);
    return entry;
}

// The entry of a file with a reading's name: read as opening reads it (never waiting on a pipe
// or device, never past the size a reading may have), or the reason it cannot be.
FolderReading ReadEntry(const std::string& path, bool link) {
    std::string reason;
    if (auto bytes = ReadRegularFile(path, kMaxReadingBytes, reason))
        return ReadingFromBytes(path, *bytes);
    if (link && reason == "no such file") reason = "a link to a file that is not there";
    return Unusable(path, reason);
}

}  // namespace

FolderReading ReadingFromBytes(std::string path, std::string_view bytes) {
    FolderReading entry;
    entry.path = std::move(path);
    const auto lines = ReadReadingFile(bytes);
    FormInput form;  // a fresh form, as a reading opens into
    if (!lines || !ApplyReadingToForm(*lines, form)) {
        entry.error = "damaged reading file";
        return entry;
    }
    entry.birth = BirthFromForm(form).birth;
    entry.form = std::move(form);
    return entry;
}

FolderScan ScanReadingsFolder(const std::string& folder) {
    FolderScan scan;
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (ec || !fs::is_directory(status)) {
        scan.error = ec ? ReasonOf(ec) : "not a folder";
        return scan;
    }
    std::vector<fs::path> pending{fs::path(folder)};
    bool top = true;
    while (!pending.empty()) {
        const fs::path dir = std::move(pending.back());
        pending.pop_back();
        fs::directory_iterator it(dir, ec);
        if (ec) {
            // The folder asked for must be readable; a subfolder that is not is a row saying so.
            if (top) {
                scan.error = ReasonOf(ec);
                return scan;
            }
            scan.readings.push_back(Unusable(dir.string(), "folder " + ReasonOf(ec)));
            ec.clear();
            continue;
        }
        top = false;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            const fs::directory_entry& entry = *it;
            std::error_code typeError;
            // A link to a folder is not followed: it could lead back up the tree.
            const bool link = entry.is_symlink(typeError);
            if (!link && entry.is_directory(typeError)) {
                pending.push_back(entry.path());
                continue;
            }
            if (!IsReadingFileName(entry.path().filename().string())) continue;
            scan.readings.push_back(ReadEntry(entry.path().string(), link));
        }
        if (ec) scan.readings.push_back(Unusable(dir.string(), "folder " + ReasonOf(ec)));
    }
    std::sort(scan.readings.begin(), scan.readings.end(),
              [](const FolderReading& a, const FolderReading& b) { return a.path < b.path; });
    return scan;
}

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A value as the settings store writes it: in quotes when it holds a comma, a semicolon or blanks
// at its ends; backslash escapes (\\, \", \n, \t, \r, \xHHHH) either way.
std::string UnescapedValue(std::string_view raw) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            break;  // a comment
        } else if (c == '\\' && i + 1 < raw.size()) {
            const char e = raw[++i];
            if (e == 'x') {
                unsigned code = 0;
                int digits = 0;
                while (digits < 4 && i + 1 < raw.size() &&
                       std::isxdigit(static_cast<unsigned char>(raw[i + 1]))) {
                    const char h =
                        static_cast<char>(std::tolower(static_cast<unsigned char>(raw[++i])));
                    code = code * 16 + static_cast<unsigned>(h <= '9' ? h - '0' : h - 'a' + 10);
                    ++digits;
                }
                AppendUtf8(out, code);
            } else {
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
            }
        } else {
            out += c;
        }
    }
    // A text starting with '@' is stored with the '@' doubled (older stores: @String(...)).
    if (out.rfind("@@", 0) == 0) return out.substr(1);
    constexpr std::string_view kString = "@String(";
    if (out.size() > kString.size() && out.compare(0, kString.size(), kString) == 0 &&
        out.back() == ')')
        out = out.substr(kString.size(), out.size() - kString.size() - 1);
    return out;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
    return {};
}

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string ConfigFolder(const std::string& home) {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    return home.empty() ? std::string() : home + "/.config";
}

std::string SmallFileText(const std::string& path) {
    constexpr std::size_t kMaxSettingsBytes = std::size_t{1} << 20;
    std::string reason;
    return ReadRegularFile(path, kMaxSettingsBytes, reason).value_or(std::string());
}

// The documents folder as the desktop's user folders name it, else ~/Documents.
std::string DocumentsFolder(const std::string& home, const std::string& config) {
    const std::string dirs = SmallFileText(config + "/user-dirs.dirs");
    std::string_view rest = dirs;
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.substr(0, kKey.size()) != kKey) continue;
        std::string_view value = line.substr(kKey.size());
        if (value.size() > 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        std::string path(value);
        if (path.rfind("$HOME", 0) == 0) path = home + path.substr(5);
        if (!path.empty()) return path;
    }
    return home + "/Documents";
}

// The path with "." parts, doubled and trailing slashes taken out, as the program stores it.
std::string CleanPath(const std::string& path) {
    std::string clean = fs::path(path).lexically_normal().string();
    while (clean.size() > 1 && clean.back() == '/') clean.pop_back();
    return clean;
}

}  // namespace

std::optional<std::string> SettingsValue(std::string_view ini, std::string_view section,
                                         std::string_view key) {
    std::string_view current;
    std::optional<std::string> found;
    while (!ini.empty()) {
        const std::size_t end = ini.find('\n');
        const std::string_view line = Trimmed(ini.substr(0, end));
        ini = end == std::string_view::npos ? std::string_view() : ini.substr(end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current != section || equals == std::string_view::npos) continue;
        if (Trimmed(line.substr(0, equals)) != key) continue;
        found = UnescapedValue(Trimmed(line.substr(equals + 1)));
    }
    return found;
}

std::string ProgramReadingsFolder(const std::string& program) {
    const std::string home = HomeFolder();
    const std::string config = ConfigFolder(home);
    if (config.empty()) return {};
    const std::string settings = SmallFileText(config + "/" + program + "/" + program + ".conf");
    if (auto chosen = SettingsValue(settings, "Library", "Folder"); chosen && !chosen->empty())
        return CleanPath(*chosen);
    if (home.empty()) return {};
    return CleanPath(DocumentsFolder(home, config) + "/Velloran");
}

ReadingSigns ComputeSigns(const FolderReading& reading, const PositionsSource& source) {
    ReadingSigns signs;
    if (!reading.form) {
        signs.error = reading.error;
        return signs;
    }
    const OpenOutcome outcome = CheckAndCalculate(*reading.form, true, source);
    switch (outcome.status) {
        case OpenStatus::Damaged:
            signs.error = "damaged reading file";
            break;
        case OpenStatus::Invalid:
            signs.error = outcome.failure->message;
            break;
        case OpenStatus::Failed:
            signs.error = outcome.error;
            break;
        case OpenStatus::Calculated:
            signs.natal = ListedSigns(outcome.reading->natal);
            signs.draconic = ListedSigns(outcome.reading->draconic);
            break;
    }
    return signs;
}

std::vector<ReadingSigns> ComputeAllSigns(const std::vector<FolderReading>& readings,
                                          const PositionsChoice& choice) {
    std::vector<ReadingSigns> signs(readings.size());
    ForEachReading(readings.size(), choice, [&](std::size_t i, const PositionsSource& source) {
        signs[i] = ComputeSigns(readings[i], source);
    });
    return signs;
}

}  // namespace velloran
