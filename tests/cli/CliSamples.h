#pragma once
// velloran-cli new arguments of the shared sample births.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/SampleBirths.h"
#include "support/TempFolder.h"

namespace velloran::test {

// The known birth: Ann Example, 15 January 1980, 10:30 Eastern Standard Time, New York.
inline std::vector<std::string> KnownBirthNewArgs(const std::string& output) {
    return {"new",     "--name",     "Ann Example",
            "--date",  "1980-01-15", "--time",
            "10:30",   "--zone",     std::to_string(KnownBirthForm().zoneIndex),
            "--lat",   "40:43N",     "--lon",
            "74:00W",  "--city",     "New York",
            "--state", "NY",         "--country",
            "USA",     "-o",         output};
}

// The Pune birth (5 March 1980, 07:05, zone list position 12) under another name, for a
// second person.
inline std::vector<std::string> RaviNewArgs(const std::string& output) {
    return {"new",    "--name",  "Ravi Example", "--date",    "1980-03-05", "--time", "07:05",
            "--zone", "12",      "--lat",        "18:31N",    "--lon",      "73:51E", "--city",
            "Pune",   "--state", "Maharashtra",  "--country", "India",      "-o",     output};
}

// The Delhi birth (5 March 1980, 7:05, Indian Time) under the name Ann Example.
inline std::vector<std::string> DelhiNewArgs(const std::string& output) {
    return {"new",     "--name",     "Ann Example",
            "--date",  "1980-03-05", "--time",
            "7:05",    "--zone",     std::to_string(DelhiBirthForm().zoneIndex),
            "--lat",   "28:00N",     "--lon",
            "77:12E",  "--city",     "Delhi",
            "--state", "Delhi",      "--country",
            "India",   "-o",         output};
}

// Two readings written by `new` in a folder of the test's own: Ann Example (the known birth) and
// Ravi Example; Run runs the tool in-process on them.
class CliTwoReadings : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.emplace(FolderName());
        ann = m_folder->Path("ann.vlr");
        ravi = m_folder->Path("ravi.vlr");
        ASSERT_EQ(Run(KnownBirthNewArgs(ann)), kExitOk) << m_err.str();
        ASSERT_EQ(Run(RaviNewArgs(ravi)), kExitOk) << m_err.str();
    }
    virtual const char* FolderName() const = 0;
    int Run(const std::vector<std::string>& args) {
        m_out.str(""), m_err.str("");
        return RunCli(args, m_out, m_err);
    }

    std::optional<TempFolder> m_folder;
    std::string ann, ravi;
    std::ostringstream m_out, m_err;
};

}  // namespace velloran::test
