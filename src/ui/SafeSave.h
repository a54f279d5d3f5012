#pragma once
// Writing a whole file for a command: through a temporary file renamed into place, so a failed
// save never destroys the file that was there, and with an error message when it fails.

#include <QByteArray>
#include <QString>

class QWidget;

namespace velloran {

class Platform;

// "Could not save <path>: <reason>", the error shown when a save fails.
QString SaveFailedText(const QString& path, const QString& reason);

// Writes bytes to path whole, through a temporary file renamed onto it; false with the reason when
// it fails, leaving any earlier file at path as it was and no partial file anywhere. A path held by
// a pipe, device or socket is refused.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString& reason);

// Writes bytes to path; on failure shows SaveFailedText (error icon, title "Velloran") and
// returns false, leaving any earlier file at path as it was.
bool SaveFileReportingErrors(Platform& platform, QWidget* parent, const QString& path,
                             const QByteArray& bytes);

}  // namespace velloran
