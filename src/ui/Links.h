#pragma once
// The three web pages the program opens: the help page shipped with the program (opened from
// disk, so it works offline), the maker's forum and the download page.

#include <QString>
#include <QUrl>

namespace velloran {

enum class Page { Help, ForumHome, Update };

inline const QString kForumHomePage = QStringLiteral("https://forum.velloran.example/");
inline const QString kUpdatePage = QStringLiteral("https://www.velloran.example/download/");
// The help page relative to the installation prefix (and to a build folder's root).
inline const QString kHelpPagePath = QStringLiteral("share/velloran/help/index.html");

// The local help page for a program living in programFolder: installed (prefix/lib/velloran),
// in a build folder (build/bin) or, failing those, the copy in the build folder the program was
// built in.
QUrl HelpPageUrl(const QString& programFolder);
QUrl PageUrl(Page page, const QString& programFolder);

// Texts of the forum link labels; each names the forum's address.
QString FormForumLinkText();     // birth-data form, across the top
QString HeadingForumLinkText();  // main window, heading bar
QString ChartForumLinkText();    // main window, bottom bar
QString AboutForumLinkText();    // about box: "Click here to visit " + address

}  // namespace velloran
