#pragma once
// What a window takes from a drag and drop: a saved reading (a local file named *.vlr). Anything
// else is not taken, so the pointer shows that it cannot be dropped there.

#include <QObject>
#include <QString>

class QEvent;
class QMimeData;
class QWidget;

namespace velloran {

// The first local *.vlr file the dragged data names, or empty when it names none.
QString DroppedReading(const QMimeData* data);

// Takes the drag and drop of a reading for the widgets it watches: the drag is accepted while it
// carries a reading, and its drop emits readingDropped. Any other drag goes on to the widget
// under the pointer as usual (a text box still takes dropped text); a window's own handler
// refuses it.
class ReadingDropFilter : public QObject {
    Q_OBJECT
public:
    explicit ReadingDropFilter(QObject* parent);

    // Lets the widget take drops and watches its drags. A window and text boxes on it that would
    // take a file's path as text are watched alike.
    void watch(QWidget* widget);

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void readingDropped(const QString& path);
};

}  // namespace velloran
