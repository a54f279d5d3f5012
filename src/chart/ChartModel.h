#pragma once
// Plain model of everything the chart window shows. The fills and views write it; the window
// only paints it. Names follow the window's controls.

#include <array>
#include <cstdint>
#include <string>

namespace velloran {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

enum class ChartPicture { Single, Comparison };  // picNatal / picNatalDraconic in front
enum class PositionFrame { Draconic, Natal };    // fraPlanet_Position(0) / (1) in front

inline constexpr int kFrameLeftSingle = 9007;       // twips, both position frames stacked
inline constexpr int kFrameLeftComparison = 10560;  // twips, natal frame beside the draconic one

inline constexpr const char* kComparisonPlaceholder = "Su M Me V Ma J Sa N S A";

struct ChartWindowModel {
    std::string lblType = "Draconian";
    std::string lblName, lblCity, lblState, lblCountry, lblDOB, lblTOB, lblLatitude, lblLongitude;
    bool legendsVisible = true;  // lblLegend(0) and (1)

    // Position cells: 0..9 natal column, 10..19 draconic column, ChartBody order.
    std::array<std::string, 20> Planet;
    // Contacts a position cell takes part in, one per line (its mark and tooltip); empty for an
    // unmarked cell. Same indices as Planet.
    std::array<std::string, 20> PlanetContacts;
    int natalFrameLeft = kFrameLeftComparison;  // twips
    PositionFrame frameInFront = PositionFrame::Natal;
    ChartPicture pictureInFront = ChartPicture::Single;

    // Single wheel: house texts of houses 1..12 (lines separated by CR LF) and their colour.
    std::array<std::string, 12> lblNatal;
    Rgb natalHouseColor = kBlack;

    // Comparison wheel: 0..11 outer ring (draconic), 12..23 inner ring (natal).
    std::array<std::string, 24> lblPlanets_Position;

    // Sign pictures: IMG position 1..12 (Aries..Pisces), 0 = no picture yet.
    // 0..11 single wheel, 12..23 outer ring, 24..35 inner ring; index h-1 / 11+h / 23+h for house
    // h.
    std::array<int, 36> imgSign{};

    ChartWindowModel() { lblPlanets_Position.fill(kComparisonPlaceholder); }
};

}  // namespace velloran
