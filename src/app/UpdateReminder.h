#pragma once
// The start-up reminder that offers, at most once every 14 days, to open the download page. Its
// one setting holds the time of the last reminder, name and value scrambled.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

class QWidget;

namespace velloran {

class Platform;

inline const QString kReminderSection = QStringLiteral("Settings");
inline const QString kReminderQuestion =
    QStringLiteral("There maybe an update to this software available") + QChar(13) +
    QStringLiteral("Do you want to check for an update?");
inline constexpr int kReminderQuietDays = 14;

// Scrambled bytes carried in a QString as Latin-1 code points, and back.
QString ScrambledSetting(const QString& text);
QString UnscrambledSetting(const QString& stored);

// The locale's short date and time format with the year written in four digits.
QString ReminderTimeFormat(const QLocale& locale);
QString ReminderTimeText(const QDateTime& time, const QLocale& locale);
std::optional<QDateTime> ParseReminderTime(const QString& text, const QLocale& locale);

// Reads the setting, asks when the last reminder lies more than 14 days away (either way), and
// rewrites the setting when it was empty, unreadable or the question was asked.
void RunUpdateReminder(Platform& platform, const QString& updatePage,
                       const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);

}  // namespace velloran
