#include "chart/ReadingSession.h"

#include "chart/ContactTable.h"
#include "domain/ZoneTable.h"

namespace velloran {

namespace {

// The ring a comparison group's other chart takes: the reading's own natal chart (the untitled
// group), another reading's natal chart, or the sky.
WheelChart OtherRing(const ContactGroup& group) {
    if (group.kind == OtherChart::Sky) return WheelChart::Sky;
    return group.title.empty() ? WheelChart::Natal : WheelChart::Other;
}

}  // namespace

WheelInput MakeDegreeWheel(const Reading& reading, ChartView view, const ContactGroup& comparison,
                           const ContactSettings& settings, const WheelOptions& options) {
    switch (view) {
        case ChartView::Natal:
            return SingleWheelInput(reading.natal, WheelChart::Natal, options);
        case ChartView::Draconic:
            return SingleWheelInput(reading.draconic, WheelChart::Draconic, options);
        case ChartView::Comparison:
            break;
    }
    return BiWheelInput(comparison.other, OtherRing(comparison), comparison.draconic,
                        WheelChart::Draconic, comparison.contacts, settings, options);
}

std::string WheelTitle(const Reading& reading, ChartView view) {
    const char* kind = view == ChartView::Natal      ? "Natal Chart"
                       : view == ChartView::Draconic ? "Draconic Chart"
                                                     : "Natal and Draconic Charts";
    const std::string& name = reading.birth().Name;
    return name.empty() ? kind : std::string(kind) + " of " + name;
}

std::vector<std::string> WheelFacts(const Reading& reading, const MonthNames& months) {
    const BirthLines lines = MakeBirthLines(reading.birth(), months);
    std::string place;
    for (const std::string* part :
         {&reading.birth().City, &reading.birth().State, &reading.birth().Country}) {
        if (part->empty()) continue;
        if (!place.empty()) place += ", ";
        place += *part;
    }
    return {lines.name,
            lines.dateOfBirth,
            lines.timeOfBirth,
            "Time Zone: " + std::string(ZoneLabel(reading.input.zoneIndex)),
            "Place: " + place,
            lines.latitude + ", " + lines.longitude,
            "Positions: " + PositionsLine(reading.positions, reading.housesNote),
            "North Node: " + LongPosition(reading.natal[ChartBody::NorthNode])};
}

void ReadingSession::show(Reading reading) {
    m_reading = std::move(reading);
    m_view = ChartView::Draconic;
}

PositionsChoice ReadingSession::positions() const {
    return m_reading ? m_reading->positions : PositionsChoice{};
}

std::optional<ChartWindowModel> ReadingSession::chartModel(
    const MonthNames& months, const InnerRing* inner,
    const std::optional<WheelOptions>& wheel) const {
    if (!m_reading) return std::nullopt;
    const bool comparison = m_view == ChartView::Comparison;
    if (!comparison) inner = nullptr;
    ChartWindowModel model =
        MakeChartWindow(*m_reading, m_view, months, inner ? &inner->chart : nullptr);
    if (comparison)
        MarkContacts(inner ? inner->group : OwnContactGroup(*m_reading, m_contactSettings), model);
    if (wheel) model.degreeWheel = degreeWheel(*wheel, inner);
    return model;
}

std::optional<WheelInput> ReadingSession::degreeWheel(const WheelOptions& options,
                                                      const InnerRing* inner) const {
    if (!m_reading) return std::nullopt;
    if (m_view != ChartView::Comparison)
        return MakeDegreeWheel(*m_reading, m_view, ContactGroup{}, m_contactSettings, options);
    if (inner) return MakeDegreeWheel(*m_reading, m_view, inner->group, m_contactSettings, options);
    return MakeDegreeWheel(*m_reading, m_view, OwnContactGroup(*m_reading, m_contactSettings),
                           m_contactSettings, options);
}

}  // namespace velloran
