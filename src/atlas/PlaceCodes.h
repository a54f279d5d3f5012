#pragma once
// The short forms people type after a city's comma: US state codes ("TX") and the ISO country
// codes, with "UK" for the United Kingdom.

#include <string_view>

namespace velloran {

// "TX" for "Texas", "DC" for "District of Columbia"; empty for a name that is not a US state,
// district or territory.
std::string_view UsStateCode(std::string_view stateName);

}  // namespace velloran
