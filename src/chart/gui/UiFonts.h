#pragma once
// The two type faces of the windows. Verdana and Arial are used where installed; otherwise the
// metric-compatible DejaVu Sans and Liberation Sans take their place.

#include <QFont>

namespace velloran {

// Registers the substitutions once; call after the application object exists.
void InstallFontSubstitutions();

// Fonts sized in points as designed at 96 dpi, so text keeps its place on the pixel layout.
QFont VerdanaFont(double points, bool bold = false);
QFont ArialFont(double points, bool bold = false, bool underline = false);

}  // namespace velloran
