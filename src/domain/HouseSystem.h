#pragma once
// The house systems a precise chart can be laid out in: their keys (settings and command line)
// and their names (menus, position lines, exports). Classic charts are always whole-sign.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velloran {

enum class HouseSystem : std::uint8_t {
    WholeSign,
    Equal,
    Porphyry,
    Placidus,
    Koch,
    Regiomontanus,
    Campanus,
    Alcabitius,
};

inline constexpr std::array<HouseSystem, 8> kHouseSystems = {
    HouseSystem::WholeSign, HouseSystem::Equal,      HouseSystem::Porphyry,
    HouseSystem::Placidus,  HouseSystem::Koch,       HouseSystem::Regiomontanus,
    HouseSystem::Campanus,  HouseSystem::Alcabitius,
};

// The keys stored in settings and given on command lines, in HouseSystem order.
inline constexpr std::array<std::string_view, kHouseSystems.size()> kHouseSystemKeys = {
    "whole", "equal", "porphyry", "placidus", "koch", "regiomontanus", "campanus", "alcabitius"};
// The names shown to people, in HouseSystem order.
inline constexpr std::array<std::string_view, kHouseSystems.size()> kHouseSystemNames = {
    "Whole Sign", "Equal",         "Porphyry", "Placidus",
    "Koch",       "Regiomontanus", "Campanus", "Alcabitius"};

constexpr std::string_view HouseSystemKey(HouseSystem system) {
    return kHouseSystemKeys[static_cast<std::size_t>(system)];
}
constexpr std::string_view HouseSystemName(HouseSystem system) {
    return kHouseSystemNames[static_cast<std::size_t>(system)];
}
// The system of a key (exact, lower case); none for any other text.
constexpr std::optional<HouseSystem> ParseHouseSystem(std::string_view key) {
    for (std::size_t k = 0; k < kHouseSystems.size(); ++k) {
        if (kHouseSystemKeys[k] == key) return kHouseSystems[k];
    }
    return std::nullopt;
}

}  // namespace velloran
