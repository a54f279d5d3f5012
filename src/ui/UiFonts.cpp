#include "ui/UiFonts.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

#include "ui/Twips.h"

namespace velloran {

void InstallFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    QFont::insertSubstitutions(
        QStringLiteral("Verdana"),
        QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Arial"),
        QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

namespace {
QFont MakeFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(PointsToPx(points));
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
}  // namespace

QFont VerdanaFont(double points, bool bold) {
    return MakeFont(QStringLiteral("Verdana"), points, bold);
}

QFont ArialFont(double points, bool bold, bool underline) {
    QFont font = MakeFont(QStringLiteral("Arial"), points, bold);
    font.setUnderline(underline);
    return font;
}

QFont FittedFont(QFont font, const QStringList& texts, int width) {
    auto widest = [&texts](const QFont& f) {
        QFontMetrics metrics(f);
        int most = 0;
        for (const QString& text : texts) most = std::max(most, metrics.horizontalAdvance(text));
        return most;
    };
    while (font.pixelSize() > 1 && widest(font) > width) font.setPixelSize(font.pixelSize() - 1);
    return font;
}

}  // namespace velloran
