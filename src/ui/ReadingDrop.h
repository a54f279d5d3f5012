#pragma once
// What a window takes from a drag and drop: a saved reading (a local file named *.vlr). Anything
// else is not taken, so the pointer shows that it cannot be dropped there.

#include <QString>

class QMimeData;

namespace velloran {

// The first local *.vlr file the dragged data names, or empty when it names none.
QString DroppedReading(const QMimeData* data);

}  // namespace velloran
