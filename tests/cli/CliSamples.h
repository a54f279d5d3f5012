#pragma once
// velloran-cli new arguments of the shared sample births.

#include <string>
#include <vector>

#include "support/SampleBirths.h"

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

}  // namespace velloran::test
