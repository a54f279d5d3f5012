#pragma once
// Which positions a reading is computed with: the classic written formulas (the default, which
// stored readings and earlier exports rely on) or the precise positions of the Swiss Ephemeris,
// with the mean or the true node.

#include <optional>
#include <string>
#include <string_view>

namespace velloran {

enum class PositionsKind : int { Classic = 0, Precise = 1 };
enum class NodeKind : int { Mean = 0, True = 1 };

struct PositionsChoice {
    PositionsKind positions = PositionsKind::Classic;
    NodeKind node = NodeKind::Mean;  // used by the precise positions only
    bool operator==(const PositionsChoice&) const = default;

    bool precise() const { return positions == PositionsKind::Precise; }
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

// The line that names the positions a chart shows: "Precise positions (Swiss Ephemeris), mean
// node" or "Classic positions".
inline std::string PositionsLine(const PositionsChoice& choice) {
    if (!choice.precise()) return "Classic positions";
    return std::string("Precise positions (Swiss Ephemeris), ") +
           (choice.node == NodeKind::True ? "true node" : "mean node");
}

}  // namespace velloran
