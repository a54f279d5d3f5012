#pragma once
// File commands of the windows: saved readings, text export, JPEG saving, printing and the place
// look-up. Each takes the platform services it shows dialogs and messages through.

#include <functional>
#include <optional>

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <string>

#include "domain/Bodies.h"
#include "input/FormInput.h"
#include "input/Validation.h"
#include "reading/Reading.h"
#include "reading/ReadingOpen.h"
#include "wheel/WheelDrawing.h"

class QPainter;
class QWidget;

namespace velloran {

class Platform;

// File, "Save As Text" and the toolbar's Save: writes the reading's birth; zoneIndex is the
// zone list's current selection on the form. Shows an error when the file cannot be written, or
// when the reading would not open again (ReadingSaveProblem), writing nothing then. Returns the
// path written, or empty when the user cancelled or nothing was written. lastFileName is the
// name the save and the export dialogs offer (the last one chosen), updated by the choice.
QString SaveReading(Platform& platform, QWidget* parent, const Reading& reading, int zoneIndex,
                    std::string& lastFileName);

// The form's "Open Previously Saved Reading": the file dialog, then OpenAndCalculate of the chosen
// file into form. Nothing when the user cancelled or the file was refused (its message has been
// shown); otherwise the reading is in the form and the outcome tells whether it failed a check
// (the caller shows that with ShowRefusal) or the calculation, or holds the calculated reading.
std::optional<OpenOutcome> OpenReading(Platform& platform, QWidget* parent, ReadingForm& form,
                                       bool converterPresent, const PositionsSource& source = {});

// OpenReading's dialog: the chosen path, or empty when the user cancelled.
QString ChooseReadingToOpen(Platform& platform, QWidget* parent);

// OpenReading after its dialog, for a path known already (Open Recent, a dropped file, the
// command line): the same checks, messages and outcome.
std::optional<OpenOutcome> OpenReadingFile(Platform& platform, QWidget* parent, const QString& path,
                                           ReadingForm& form, bool converterPresent,
                                           const PositionsSource& source = {});

// Largest file OpenReading reads; a reading holds well under 1 KiB.
inline constexpr qsizetype kMaxReadingFileBytes = 64 * 1024;

// "Could not open <path>: <reason>", shown when a chosen reading cannot be read.
QString OpenFailedText(const QString& path, const QString& reason);

// File, "Export Chart As Text"; lastFileName as for SaveReading.
void ExportChartText(Platform& platform, QWidget* parent, const Reading& reading,
                     const MonthNames& months, std::string& lastFileName);

// File, "Save As JPEG": chartWindow is captured before the dialog opens. lastJpegName is the
// dialog's remembered name (kept by the caller for the program's lifetime).
void SaveChartJpeg(Platform& platform, QWidget* chartWindow, QString& lastJpegName);

// A pixel copy of the chart window's drawing area at device pixel ratio 1: exactly its size in
// pixels (802 x 448 for the chart window), whatever the screen's scaling.
QImage CaptureChartWindow(QWidget* chartWindow);

// The bitmap the converter reads: an unnamed file in the target's folder, open as descriptor and
// reached through /proc/self/fd (nothing is left behind if the program is killed), or, where the
// file system has no unnamed files, a named one beside the target ("<base>.bmp", "<base>~N.bmp").
struct TemporaryBitmap {
    QString path;         // what the converter opens; empty when none could be written
    int descriptor = -1;  // the unnamed file, kept open until the conversion ends
    // Closes the unnamed file or removes the named one.
    void remove();
};
TemporaryBitmap WriteTemporaryBitmap(const QImage& picture, const QString& targetPath,
                                     QString& reason);

// Writes picture as a JPEG (quality 100) at targetPath, a free name (SaveChartJpeg picks one),
// through a temporary bitmap (WriteTemporaryBitmap) and the converter library libbmp2jpeg.so in the
// program's folder. On failure shows an error naming the path and the reason and returns false. No
// partial JPEG and no temporary bitmap remain; a file of the user's at the bitmap's name is left
// alone, and so is anything found at targetPath, even when it appeared after the name was chosen.
bool WriteJpegThroughConverter(Platform& platform, QWidget* parent, const QImage& picture,
                               const QString& targetPath);

// File, "Export Wheel...": the wheel as an SVG, a PDF (title and facts first) or a PNG, by the
// ending of the name chosen (the dialog's filter gives a name without one its ending). Written
// whole; a failure shows the path and the reason. lastName is the dialog's remembered name.
void ExportWheel(Platform& platform, QWidget* parent, const WheelInput& wheel,
                 const WheelPalette& palette, const QString& title, const QStringList& facts,
                 QString& lastName);

// The bytes of a wheel picture by the file's ending (.svg, .pdf or .png; any case); empty for
// another ending or a failure.
QByteArray WheelFileBytes(const QString& path, const WheelInput& wheel, const WheelPalette& palette,
                          const QString& title, const QStringList& facts);

// Paints a printed page: given to PrintChart in place of the chart window's picture.
using PagePainter = std::function<void(QPainter& painter, const QRectF& page)>;

// File, "Print": print dialog, then the chart window scaled to the page. A print that fails shows
// PrintFailedText; printing to a file writes it whole or not at all, keeping an earlier file.
// With page, the page is painted by it instead (the degree wheel with its facts).
void PrintChart(Platform& platform, QWidget* chartWindow, const PagePainter& page = {});

// "Could not print: <reason>", the error shown when printing fails.
QString PrintFailedText(const QString& reason);

// The form's "Click here to find Latitude && Longitude": shows the check's message and returns
// the control to focus, or opens the map search and returns FormControl::None.
FormControl FindLatitudeLongitude(Platform& platform, QWidget* form, const FormInput& input);

// Shows a refusal of the form's checks (a calculation, an opened reading, the place look-up): its
// message, as an error or, for a calendar date, as a notice.
void ShowRefusal(Platform& platform, QWidget* parent, const ValidationFailure& failure);

}  // namespace velloran
