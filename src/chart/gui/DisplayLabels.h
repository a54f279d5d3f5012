#pragma once
// The labels of the chart window's parts: how they are made and how they take a text.

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

class QLabel;
class QWidget;

namespace velloran {

// A plain-text label without margins, its text at the top left in the given font and colour.
QLabel* MakeDisplayLabel(QWidget* parent, const QString& name, const QFont& font,
                         const QColor& colour);
void SetTextColour(QWidget* widget, const QColor& colour);

// Display form of a model text: CR LF line ends become plain line breaks.
QString HouseDisplayText(const std::string& text);

// A label as large as its text.
void SetFittedText(QLabel* label, const QString& text);
// A word-wrapped label of fixed width, as tall as its text.
void SetWrappedText(QLabel* label, const QString& text);

}  // namespace velloran
