#pragma once
// Plain model of everything the chart window shows, made from a Reading by MakeChartWindow. The
// window only paints it. The header names follow the window's controls; the wheels and columns
// are named parts.

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "domain/Bodies.h"
#include "wheel/WheelLayout.h"

namespace velloran {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

enum class ChartView { Natal, Draconic, Comparison };
enum class ChartPicture { Single, Comparison };  // picNatal / picNatalDraconic in front
enum class PositionFrame { Draconic, Natal };    // fraPlanet_Position(0) / (1) in front

// One column of position cells, a cell per body (ChartBody order); the window shows the first
// ChartWindowModel::bodyRows of them.
struct PositionColumn {
    std::array<std::string, kMaxBodyCount> cells;
    // Contacts a cell takes part in, one per line (its mark and tooltip); empty for an unmarked
    // cell.
    std::array<std::string, kMaxBodyCount> contacts;
    // The house 1..12 of each cell's body in its chart, shown beside the cell with the precise
    // positions; 0 for none (the classic window shows no houses).
    std::array<int, kMaxBodyCount> houses{};
    bool operator==(const PositionColumn&) const = default;
};

// How a wheel names its bodies: the single wheel by wheel names ("Mercury", "Rahu", "Asc"), the
// comparison rings by labels ("Me", "N", "A"); retrograde ones with the mark.
enum class BodyNaming { WheelNames, Labels };

// The bodies of one house in chart order (at most every body of a chart, no allocation).
class HouseBodies {
public:
    HouseBodies() = default;
    HouseBodies(std::initializer_list<ChartBody> bodies) {
        for (const ChartBody body : bodies) push_back(body);
    }
    void push_back(ChartBody body) {
        if (m_count < kMaxBodyCount) m_bodies[m_count++] = body;
    }
    const ChartBody* begin() const { return m_bodies.data(); }
    const ChartBody* end() const { return m_bodies.data() + m_count; }
    int size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    bool operator==(const HouseBodies& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

private:
    std::array<ChartBody, kMaxBodyCount> m_bodies{};
    int m_count = 0;
};

// Houses 1..12 of a wheel: the bodies in each (chart order) and its sign picture (image list
// position 1..12, Aries..Pisces; 0 = none).
struct WheelHouses {
    std::array<HouseBodies, kSignCount> bodies;
    std::array<bool, kMaxBodyCount> retrograde{};
    BodyNaming naming = BodyNaming::WheelNames;
    std::array<int, kSignCount> signPictures{};
    bool operator==(const WheelHouses&) const = default;
};

struct ChartWindowModel {
    std::string lblType = "Draconian";
    // The birth's lines; the zone line and the coordinates' hemispheres are the window's own (the
    // export keeps its lines as they were).
    std::string lblName, lblCity, lblState, lblCountry, lblDOB, lblTOB, lblZone, lblLatitude,
        lblLongitude;
    bool legendsVisible = false;  // lblLegend(0) and (1)
    // The inner ring's legend and the natal column's caption when another chart stands in for
    // the natal one (empty: the reading's natal chart, "Inner Wheel - Natal Chart" and "Natal").
    std::string innerLegend;
    std::string natalColumnCaption;
    // The line under the heading naming the positions; empty for the classic positions, whose
    // window stays as it always was.
    std::string positionsLine;
    // When the precise positions could not find the ephemeris files: the note saying so (the
    // library then computes from a less precise theory); empty otherwise.
    std::string positionsNote;
    // Rows of the position columns: the chart's bodies (kBodyCount classic, kPreciseBodyCount
    // precise, kMaxBodyCount precise with the asteroids and Lilith).
    int bodyRows = kBodyCount;
    // The house beside each position (the precise positions, whose houses follow a chosen system).
    bool houseNumbers = false;

    PositionColumn natalColumn;     // Planet(0..9), then Planet(20..29)
    PositionColumn draconicColumn;  // Planet(10..19), then Planet(30..39)
    // The natal frame beside the draconic one (comparison) or stacked on it (single wheels).
    bool framesBeside = false;
    PositionFrame frameInFront = PositionFrame::Draconic;
    ChartPicture pictureInFront = ChartPicture::Single;

    // Single wheel (lblNatal, imgSign 0..11) and the colour of its house texts.
    WheelHouses singleWheel;
    Rgb singleWheelColor = kBlack;
    // Comparison wheel: the draconic chart on the outer ring (lblPlanets_Position 0..11, imgSign
    // 12..23), the natal chart on the inner ring (lblPlanets_Position 12..23, imgSign 24..35).
    WheelHouses outerRing;
    WheelHouses innerRing;

    // The degree wheel drawn in place of the house-list wheels (the wheel style chosen in
    // Options), its size left to the window; none for the house lists.
    std::optional<WheelInput> degreeWheel;
};

}  // namespace velloran
