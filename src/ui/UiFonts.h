#pragma once
// The two type faces of the windows. Verdana and Arial are used where installed; otherwise the
// metric-compatible DejaVu Sans and Liberation Sans take their place.

#include <QFont>
#include <QStringList>

namespace velloran {

// Registers the substitutions once; call after the application object exists.
void InstallFontSubstitutions();

// Fonts sized in points as designed at 96 dpi, so text keeps its place on the pixel layout.
QFont VerdanaFont(double points, bool bold = false);
QFont ArialFont(double points, bool bold = false, bool underline = false);

// The font (sized in pixels), one pixel smaller at a time until every text is at most width px
// wide in it. A substitute face can run wider than the designed one and would be cut at the edge.
QFont FittedFont(QFont font, const QStringList& texts, int width);

}  // namespace velloran
