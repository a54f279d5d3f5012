#pragma once
// Picture widgets of the chart window: the wheel backgrounds, the sign slots and the framed
// position columns.

#include <QColor>
#include <QLabel>
#include <QWidget>

#include "chart/gui/WheelArt.h"

namespace velloran {

// picNatal (single wheel) or picNatalDraconic (comparison wheel), 450 x 431 px.
class WheelPicture : public QWidget {
    Q_OBJECT
public:
    WheelPicture(bool comparison, const WheelGeometry& geometry, QWidget* parent);
    bool isComparison() const { return m_comparison; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_comparison;
    WheelGeometry m_geometry;
};

// imgSign: a 20 x 20 slot showing one image list picture stretched to fill it.
class SignPicture : public QWidget {
    Q_OBJECT
public:
    explicit SignPicture(QWidget* parent);
    // Image list position 1..12, or 0 for an empty slot.
    void setPicture(int imgPosition);
    int picture() const { return m_position; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_position = 0;
};

// A cell of the position table: coloured text in a white box with a flat black border.
// A cell that takes part in a natal-draconic contact is marked: pale amber ground and underlined
// text, both kept by a screen capture and by a black-and-white print, with the contact named in
// its tooltip.
class PositionCell : public QLabel {
    Q_OBJECT
public:
    explicit PositionCell(QWidget* parent);
    // The contacts of the cell, one per line; empty removes the mark.
    void setContactNote(const QString& note);
    // Ground colour of a marked cell.
    static QColor markColour() { return QColor(255, 226, 150); }
    bool isMarked() const { return !m_contactNote.isEmpty(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_contactNote;
};

// A frame with its caption set into the top border, drawn in the frame's colour; white inside.
class CaptionFrame : public QWidget {
    Q_OBJECT
public:
    CaptionFrame(const QString& caption, const QColor& colour, QWidget* parent);
    QString caption() const { return m_caption; }
    // A caption longer than the border's room is shown cut with "…"; its accessible name and
    // tooltip hold it whole.
    void setCaption(const QString& caption) {
        if (caption == m_caption) return;
        m_caption = caption;
        setAccessibleName(caption);
        setToolTip(shownCaption() == caption ? QString() : caption);
        update();
    }
    // The caption as drawn.
    QString shownCaption() const;
    // Where the caption is drawn, on the top border, and the widest caption text that fits
    // inside the border, px.
    QRect captionRect() const;
    int captionRoom() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QColor m_colour;
};

}  // namespace velloran
