#pragma once
// One place of the atlas: a city with its region, country, IANA zone and coordinates.

#include <string>

namespace velloran {

struct Place {
    std::string name;
    std::string state;        // first-level region ("Illinois", "Canton of Zurich"); may be empty
    std::string country;      // "Switzerland"
    std::string countryCode;  // ISO 3166 alpha-2, "CH"
    std::string timezone;     // IANA id, "Europe/Zurich"
    double latitude = 0.0;    // degrees, north positive
    double longitude = 0.0;   // degrees, east positive
    unsigned population = 0;
    bool operator==(const Place&) const = default;
};

}  // namespace velloran
