#include "tz/SystemLegalTime.h"

#include <QDateTime>
#include <QTimeZone>

#include <mutex>

namespace velloran {

namespace {

constexpr int kTransitionsLooked = 4;

std::string StandardAbbreviationOf(const QTimeZone::OffsetData& d) {
    return d.atUtc.isValid() && d.daylightTimeOffset == 0 ? d.abbreviation.toStdString()
                                                          : std::string();
}

// The abbreviation of the standard time nearest the instant: the next transition out of
// daylight saving, else the last one before it began.
std::string StandardAbbreviation(const QTimeZone& zone, const QDateTime& at) {
    QDateTime from = at;
    for (int i = 0; i < kTransitionsLooked; ++i) {
        const QTimeZone::OffsetData next = zone.nextTransition(from);
        if (!next.atUtc.isValid()) break;
        if (auto abbreviation = StandardAbbreviationOf(next); !abbreviation.empty()) {
            return abbreviation;
        }
        from = next.atUtc;
    }
    from = at;
    for (int i = 0; i < kTransitionsLooked; ++i) {
        const QTimeZone::OffsetData entered = zone.previousTransition(from);
        if (!entered.atUtc.isValid()) break;
        const QTimeZone::OffsetData earlier = zone.previousTransition(entered.atUtc);
        if (auto abbreviation = StandardAbbreviationOf(earlier); !abbreviation.empty()) {
            return abbreviation;
        }
        from = entered.atUtc;
    }
    return {};
}

class QtLegalTime : public LegalTimeSource {
public:
    std::optional<LegalTime> At(const std::string& ianaId, std::int64_t utcSeconds) const override {
        std::lock_guard lock(m_mutex);
        if (ianaId != m_id) {
            m_id = ianaId;
            m_zone = QTimeZone(QByteArray::fromStdString(ianaId));
        }
        if (!m_zone.isValid()) return std::nullopt;
        const QDateTime at = QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC);
        LegalTime legal;
        legal.utcOffsetSeconds = m_zone.offsetFromUtc(at);
        legal.standardOffsetSeconds = m_zone.standardTimeOffset(at);
        legal.daylightSaving = m_zone.isDaylightTime(at);
        legal.abbreviation = m_zone.abbreviation(at).toStdString();
        legal.standardAbbreviation =
            legal.daylightSaving ? StandardAbbreviation(m_zone, at) : legal.abbreviation;
        return legal;
    }

private:
    mutable std::mutex m_mutex;
    mutable std::string m_id;
    mutable QTimeZone m_zone;
};

}  // namespace

std::unique_ptr<LegalTimeSource> MakeSystemLegalTime() { return std::make_unique<QtLegalTime>(); }

}  // namespace velloran
