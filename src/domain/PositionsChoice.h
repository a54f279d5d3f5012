#pragma once
// Which positions a reading is computed with: the classic written formulas (the default, which
// stored readings and earlier exports rely on) or the precise positions of the Swiss Ephemeris,
// with the mean or the true node, a house system and, on request, the asteroids and Lilith.

#include <optional>
#include <string>
#include <string_view>

#include "domain/HouseSystem.h"

namespace velloran {

enum class PositionsKind : int { Classic = 0, Precise = 1 };
enum class NodeKind : int { Mean = 0, True = 1 };

struct PositionsChoice {
    PositionsKind positions = PositionsKind::Classic;
    NodeKind node = NodeKind::Mean;  // used by the precise positions only
    // Used by the precise positions only: classic charts are whole-sign with the ten bodies.
    HouseSystem houses = HouseSystem::WholeSign;
    bool asteroids = false;  // Ceres, Pallas, Juno, Vesta and Lilith after Chiron
    bool operator==(const PositionsChoice&) const = default;

    bool precise() const { return positions == PositionsKind::Precise; }
    // The house system the charts are laid out in: whole-sign with the classic positions.
    HouseSystem houseSystem() const { return precise() ? houses : HouseSystem::WholeSign; }
    bool withAsteroids() const { return precise() && asteroids; }
};

// The command line's and the settings' words: "classic" / "precise", "mean" / "true".
constexpr std::string_view PositionsKey(PositionsKind kind) {
    return kind == PositionsKind::Precise ? "precise" : "classic";
}
constexpr std::string_view NodeKey(NodeKind node) {
    return node == NodeKind::True ? "true" : "mean";
}
inline std::optional<PositionsKind> ParsePositionsKey(std::string_view word) {
    if (word == "classic") return PositionsKind::Classic;
    if (word == "precise") return PositionsKind::Precise;
    return std::nullopt;
}
inline std::optional<NodeKind> ParseNodeKey(std::string_view word) {
    if (word == "mean") return NodeKind::Mean;
    if (word == "true") return NodeKind::True;
    return std::nullopt;
}

// The line that names the positions a chart shows: "Classic positions", "Precise positions
// (Swiss Ephemeris), mean node", with the house system when it is not whole-sign ("..., mean
// node, Placidus houses"), and the houses' note when the chart could not use them.
inline std::string PositionsLine(const PositionsChoice& choice, std::string_view housesNote = {}) {
    if (!choice.precise()) return "Classic positions";
    std::string line = std::string("Precise positions (Swiss Ephemeris), ") +
                       (choice.node == NodeKind::True ? "true node" : "mean node");
    if (choice.houses != HouseSystem::WholeSign)
        line += ", " + std::string(HouseSystemName(choice.houses)) + " houses";
    if (!housesNote.empty()) line += ". " + std::string(housesNote);
    return line;
}

// What a chart says when its house system has no cusps at the birth's latitude.
inline std::string HousesFallbackNote(HouseSystem asked, HouseSystem used) {
    return std::string(HouseSystemName(asked)) + " has no cusps at this latitude; " +
           std::string(HouseSystemName(used)) + " houses shown";
}

}  // namespace velloran
