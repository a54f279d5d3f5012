#pragma once
// Writing a whole file for a command through the core's WriteWholeFile, with an error message
// when it fails.

#include <QByteArray>
#include <QString>

class QWidget;

namespace velloran {

class Platform;

// "Could not save <path>: <reason>", the error shown when a save fails.
QString SaveFailedText(const QString& path, const QString& reason);

// WriteWholeFile for a window's path: false with the reason when it fails, leaving any earlier
// file at path as it was and no partial file anywhere.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString& reason);

// Writes bytes to path; on failure shows SaveFailedText (error icon, title "Velloran") and
// returns false, leaving any earlier file at path as it was.
bool SaveFileReportingErrors(Platform& platform, QWidget* parent, const QString& path,
                             const QByteArray& bytes);

}  // namespace velloran
