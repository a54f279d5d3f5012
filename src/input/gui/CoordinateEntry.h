#pragma once
// One coordinate of the birth-data form, latitude or longitude: the degrees box, the pair of
// hemisphere options in a frame a screen reader names, the minutes box and the "DEG/MIN" hint,
// in a row.

#include <QObject>
#include <QString>
#include <string>

class QButtonGroup;
class QFrame;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;

namespace velloran {

// The names a coordinate's controls go by: object names, captions and what screen readers hear.
struct CoordinateNames {
    QString degreesBox, minutesBox;        // "txtLatD", "txtLatM"
    QString frame;                         // "Frame3"
    QString firstOption, secondOption;     // "optLatSouth0", "optLatSouth1"
    QString firstCaption, secondCaption;   // "North", "South"
    QString spokenDegrees, spokenMinutes;  // "Latitude degrees", "Latitude minutes"
    QString spokenDirection;               // "Latitude direction"
};

// The form's values of a coordinate: the boxes' texts and the hemisphere chosen (0 the first
// option, North or East; 1 the second; -1 neither).
struct CoordinateText {
    std::string degrees, minutes;
    int hemisphere = -1;
};

class CoordinateEntry : public QObject {
public:
    // The controls are made without a parent: the form's layout takes them with row().
    CoordinateEntry(const CoordinateNames& names, QObject* parent);

    QLineEdit* degreesBox() const { return m_degrees; }
    QLineEdit* minutesBox() const { return m_minutes; }
    QRadioButton* firstOption() const { return m_first; }
    QRadioButton* secondOption() const { return m_second; }
    // The row to place on the form.
    QHBoxLayout* row() const { return m_row; }

    CoordinateText text() const;
    void setText(const CoordinateText& text);
    // Checks the option given (0 or 1); any other value clears both.
    void setHemisphere(int hemisphere);

private:
    QLineEdit* m_degrees = nullptr;
    QLineEdit* m_minutes = nullptr;
    QRadioButton* m_first = nullptr;
    QRadioButton* m_second = nullptr;
    QButtonGroup* m_group = nullptr;
    QHBoxLayout* m_row = nullptr;
};

}  // namespace velloran
