#include "chart/gui/DisplayLabels.h"

#include <QLabel>

#include "ui/QtText.h"

namespace velloran {

QLabel* MakeDisplayLabel(QWidget* parent, const QString& name, const QFont& font,
                         const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setMargin(0);
    label->setIndent(0);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A label never given a text answers no height for a width (-1): given one and emptied, an
    // empty house text is sized as any other, without Qt's warning of a negative size.
    label->setText(QStringLiteral(" "));
    label->setText(QString());
    SetTextColour(label, colour);
    return label;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    if (pal.color(QPalette::WindowText) == colour) return;
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
}

QString HouseDisplayText(const std::string& text) {
    QString display = Q(text);
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    display.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return display;
}

void SetFittedText(QLabel* label, const QString& text) {
    if (label->text() == text && !text.isEmpty()) return;
    label->setText(text);
    label->adjustSize();
}

void SetWrappedText(QLabel* label, const QString& text) {
    if (label->text() == text && label->height() > 0) return;
    label->setText(text);
    label->setFixedHeight(label->heightForWidth(label->width()));
}

}  // namespace velloran
