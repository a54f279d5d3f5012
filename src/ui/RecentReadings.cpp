#include "ui/RecentReadings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "ui/Accessibility.h"
#include "ui/Platform.h"

namespace velloran {

namespace {

const QString kSection = QStringLiteral("RecentReadings");

QString EntryName(int index) { return QStringLiteral("File%1").arg(index + 1); }

// One spelling per file: absolute, without "." or ".." or doubled separators.
QString SamePathKey(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// "&1" .. "&9", then "1&0": each entry keeps a distinct access key.
QString NumberedCaption(int index, const QString& fileName) {
    QString name = fileName;
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QStringLiteral("1&0");
    return number + QLatin1Char(' ') + name;
}

}  // namespace

QStringList WithRecentReading(const QStringList& list, const QString& path) {
    QStringList result;
    if (!path.isEmpty()) result << SamePathKey(path);
    for (const QString& entry : list) {
        if (result.size() >= kMaxRecentReadings) break;
        if (entry.isEmpty()) continue;
        const QString key = SamePathKey(entry);
        if (!result.contains(key)) result << key;
    }
    return result;
}

QStringList RecentReadings::list() const {
    QStringList stored;
    for (int i = 0; i < kMaxRecentReadings; ++i)
        stored << m_platform.readSetting(kSection, EntryName(i));
    return WithRecentReading(stored, QString());
}

void RecentReadings::add(const QString& path) { store(WithRecentReading(list(), path)); }

void RecentReadings::remove(const QString& path) {
    QStringList entries = list();
    entries.removeAll(SamePathKey(path));
    store(entries);
}

void RecentReadings::clear() { store({}); }

void RecentReadings::store(const QStringList& list) {
    for (int i = 0; i < kMaxRecentReadings; ++i)
        m_platform.writeSetting(kSection, EntryName(i), i < list.size() ? list[i] : QString());
}

RecentReadingsMenu::RecentReadingsMenu(Platform& platform, QWidget* parent)
    : QMenu(tr("Open &Recent"), parent), m_recent(platform) {
    setObjectName(QStringLiteral("mnuRecent"));
    setToolTipsVisible(true);
    connect(this, &QMenu::aboutToShow, this, &RecentReadingsMenu::refresh);
    refresh();
}

void RecentReadingsMenu::refresh() {
    clear();
    const QStringList paths = m_recent.list();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        // A path without a file name ("/") shows as it is rather than as an empty entry.
        const QString name = QFileInfo(path).fileName();
        const QString shown = QDir::toNativeSeparators(path);
        // Made and described before it joins the menu: a screen reader that is listening asks
        // for the entry's interface as soon as it is added, and keeps the one it got.
        auto* entry = new QAction(NumberedCaption(i, name.isEmpty() ? shown : name), this);
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        entry->setToolTip(shown);
        // Screen readers hear the full path too: two readings of one name are told apart.
        DescribeMenuEntry(entry, shown);
        addAction(entry);
        connect(entry, &QAction::triggered, this, [this, path] { emit readingChosen(path); });
    }
    if (!paths.isEmpty()) addSeparator();
    QAction* clearList = addAction(tr("&Clear List"));
    clearList->setObjectName(QStringLiteral("mnuRecentClear"));
    clearList->setEnabled(!paths.isEmpty());
    connect(clearList, &QAction::triggered, this, [this] {
        m_recent.clear();
        // Not from within the entry's own signal: refreshing deletes the entries.
        QMetaObject::invokeMethod(this, &RecentReadingsMenu::refresh, Qt::QueuedConnection);
    });
}

}  // namespace velloran
