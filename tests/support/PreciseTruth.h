#pragma once
// precise-truth.jsonl of the reference folder: for each reference birth its id, its moment
// (jd_ut) and longitudes from an independent ephemeris. A line that is not JSON, or a number
// that is missing, fails the test that reads it.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "domain/HouseSystem.h"
#include "support/Json.h"

namespace velloran::test {

// houses-truth.jsonl's key of each house system, in kHouseSystems order.
inline constexpr std::array<const char*, kHouseSystems.size()> kHouseTruthKeys = {
    "whole_sign", "equal",         "porphyry", "placidus",
    "koch",       "regiomontanus", "campanus", "alcabitius"};

// The independent ephemeris is good to about one arc-minute. Its ascendant is compared only
// below the polar circles, where the ascendant's formula has one answer.
inline constexpr double kTruthTolArcsec = 60.0;
inline constexpr double kPolarCircleDeg = 66.56;

// Every line of a JSON-lines file of the reference folder (folder/name), parsed; empty lines
// skipped.
inline std::vector<Json> TruthLines(const std::string& folder, const std::string& name) {
    std::ifstream file(folder + "/" + name, std::ios::binary);
    std::vector<Json> lines;
    std::string line, error;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        std::optional<Json> json = JsonReader::Parse(line, error);
        if (!json) ADD_FAILURE() << name << ": " << error;
        if (json) lines.push_back(std::move(*json));
    }
    return lines;
}

// Every line of folder/precise-truth.jsonl, parsed.
inline std::vector<Json> PreciseTruthLines(const std::string& folder) {
    return TruthLines(folder, "precise-truth.jsonl");
}

// A number member of an object; a missing one fails the test and reads as NaN, failing every
// comparison made with it.
inline double TruthNumber(const Json& object, std::string_view key, const std::string& where) {
    const Json* member = object.Find(key);
    if (member == nullptr || member->type != Json::Type::Number) {
        ADD_FAILURE() << where << " has no number " << key;
        return std::nan("");
    }
    return member->number;
}

}  // namespace velloran::test
