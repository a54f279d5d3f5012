#include "ui/Links.h"

#include <QDir>
#include <QFileInfo>

namespace velloran {

QUrl HelpPageUrl(const QString& programFolder) {
    const QDir dir(programFolder);
    const QStringList candidates = {
        dir.absoluteFilePath(QStringLiteral("../../") + kHelpPagePath),  // prefix/lib/velloran
        dir.absoluteFilePath(QStringLiteral("../") + kHelpPagePath),     // build/bin
#ifdef VELLORAN_BUILD_HELP_PAGE
        QStringLiteral(VELLORAN_BUILD_HELP_PAGE),
#endif
    };
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) return QUrl::fromLocalFile(QDir::cleanPath(path));
    }
    return QUrl::fromLocalFile(QDir::cleanPath(candidates.front()));
}

QUrl PageUrl(Page page, const QString& programFolder) {
    switch (page) {
        case Page::Help:
            return HelpPageUrl(programFolder);
        case Page::ForumHome:
            return QUrl(kForumHomePage);
        case Page::Update:
            return QUrl(kUpdatePage);
    }
    return {};
}

QString FormForumLinkText() {
    return QStringLiteral("Discuss your chart with other astrologers on our forum: ") +
           kForumHomePage;
}

QString HeadingForumLinkText() {
    return QStringLiteral("We recommend the Velloran astrology forum at ") + kForumHomePage;
}

QString ChartForumLinkText() {
    return QStringLiteral("Have your natal chart analysed free on our forum: ") + kForumHomePage;
}

QString AboutForumLinkText() { return QStringLiteral("Click here to visit ") + kForumHomePage; }

}  // namespace velloran
