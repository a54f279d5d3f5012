#pragma once
// The readings opened or saved lately, newest first, kept in the per-user settings store, and the
// File menus' "Open Recent" submenu that lists them. Every window's submenu reads the store when
// it opens, so all of them show the same list.

#include <QMenu>
#include <QString>
#include <QStringList>

namespace velloran {

class Platform;

inline constexpr int kMaxRecentReadings = 10;

// The list after path was opened or saved: path (made absolute) first, an earlier entry for the
// same file dropped, empty entries dropped, at most kMaxRecentReadings entries.
QStringList WithRecentReading(const QStringList& list, const QString& path);

class RecentReadings {
public:
    explicit RecentReadings(Platform& platform) : m_platform(platform) {}

    // Newest first; what the store holds, without empty entries or repeats.
    QStringList list() const;
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void store(const QStringList& list);

    Platform& m_platform;
};

// "Open &Recent": "&1 name.vlr" .. "1&0 name.vlr" with the whole path as each entry's tooltip,
// then "Clear List". Choosing an entry emits readingChosen; what happens to a file that has gone
// is the program's decision.
class RecentReadingsMenu : public QMenu {
    Q_OBJECT
public:
    RecentReadingsMenu(Platform& platform, QWidget* parent);

    // Rebuilds the entries from the store (done each time the menu is about to show).
    void refresh();

signals:
    void readingChosen(const QString& path);

private:
    RecentReadings m_recent;
};

}  // namespace velloran
