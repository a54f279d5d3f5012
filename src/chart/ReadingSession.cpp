#include "chart/ReadingSession.h"

#include "chart/ContactTable.h"

namespace velloran {

void ReadingSession::show(Reading reading) {
    m_reading = std::move(reading);
    m_view = ChartView::Draconic;
}

PositionsChoice ReadingSession::positions() const {
    return m_reading ? m_reading->positions : PositionsChoice{};
}

std::optional<ChartWindowModel> ReadingSession::chartModel(const MonthNames& months,
                                                           const InnerRing* inner) const {
    if (!m_reading) return std::nullopt;
    const bool comparison = m_view == ChartView::Comparison;
    if (!comparison) inner = nullptr;
    ChartWindowModel model =
        MakeChartWindow(*m_reading, m_view, months, inner ? &inner->chart : nullptr);
    if (comparison)
        MarkContacts(inner ? inner->group : OwnContactGroup(*m_reading, m_contactSettings), model);
    return model;
}

}  // namespace velloran
