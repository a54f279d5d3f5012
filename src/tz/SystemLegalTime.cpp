#include "tz/SystemLegalTime.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <mutex>

namespace velloran {

namespace {

constexpr int kTransitionsLooked = 6;

// The names of the standard-time periods with the standard offset `standardOffset` nearest the
// instant: the next ones after it, then the last ones before it. In war-time years the next
// period without daylight saving can belong to another zone's time (Paris, October 1944: "WEST",
// +1 hour like the "CET" before and after), so all of them are given and the caller keeps the
// first it knows.
std::vector<std::string> StandardAbbreviations(const QTimeZone& zone, const QDateTime& at,
                                               int standardOffset) {
    std::vector<std::string> names;
    const auto add = [&names, standardOffset](const QTimeZone::OffsetData& d) {
        if (!d.atUtc.isValid() || d.daylightTimeOffset != 0 || d.offsetFromUtc != standardOffset)
            return;
        std::string name = d.abbreviation.toStdString();
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    QDateTime from = at;
    for (int i = 0; i < kTransitionsLooked; ++i) {
        const QTimeZone::OffsetData next = zone.nextTransition(from);
        if (!next.atUtc.isValid()) break;
        add(next);
        from = next.atUtc;
    }
    from = at;
    for (int i = 0; i < kTransitionsLooked; ++i) {
        const QTimeZone::OffsetData entered = zone.previousTransition(from);
        if (!entered.atUtc.isValid()) break;
        add(zone.previousTransition(entered.atUtc));
        from = entered.atUtc;
    }
    return names;
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
        if (!legal.daylightSaving) legal.standardAbbreviations.push_back(legal.abbreviation);
        for (std::string& name : StandardAbbreviations(m_zone, at, legal.standardOffsetSeconds)) {
            if (name != legal.abbreviation || legal.daylightSaving)
                legal.standardAbbreviations.push_back(std::move(name));
        }
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
