#include "app/UpdateReminder.h"

#include <QUrl>

#include "input/Scramble.h"
#include "ui/Platform.h"

namespace velloran {

QString ScrambledSetting(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string bytes = ScrambleText(std::string_view(utf8.constData(), utf8.size()));
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QString UnscrambledSetting(const QString& stored) {
    for (QChar c : stored) {
        if (c.unicode() > 0xFF) return {};  // not a scrambled byte string
    }
    const QByteArray bytes = stored.toLatin1();
    const std::string text = UnscrambleText(std::string_view(bytes.constData(), bytes.size()));
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString ReminderTimeFormat(const QLocale& locale) {
    QString format = locale.dateTimeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString ReminderTimeText(const QDateTime& time, const QLocale& locale) {
    return locale.toString(time, ReminderTimeFormat(locale));
}

std::optional<QDateTime> ParseReminderTime(const QString& text, const QLocale& locale) {
    QDateTime parsed = locale.toDateTime(text, ReminderTimeFormat(locale));
    if (!parsed.isValid()) return std::nullopt;
    return parsed;
}

void RunUpdateReminder(Platform& platform, const QString& updatePage, const QLocale& locale,
                       QWidget* parent) {
    const QString name = ScrambledSetting(QStringLiteral("Duration"));
    auto writeNow = [&] {
        platform.writeSetting(kReminderSection, name,
                              ScrambledSetting(ReminderTimeText(platform.now(), locale)));
    };
    const QString stored = UnscrambledSetting(platform.readSetting(kReminderSection, name));
    const std::optional<QDateTime> last =
        stored.isEmpty() ? std::nullopt : ParseReminderTime(stored, locale);
    if (!last) {
        writeNow();
        return;
    }
    const qint64 days = platform.now().date().daysTo(last->date());
    if (days >= -kReminderQuietDays && days <= kReminderQuietDays) return;
    const bool yes = platform.askYesNo(parent, kReminderQuestion, MessageIcon::Information);
    writeNow();
    if (yes) platform.openUrl(QUrl(updatePage));
}

}  // namespace velloran
