#pragma once
// The platform services the windows use: message boxes, file and print dialogs, the browser,
// the settings store, the clock, the program's and the documents folders, the trash. The program
// uses QtPlatform; tests use a fake that records what was asked and answers at once.

#include <QDateTime>
#include <QString>
#include <QUrl>

#include "ui/MessageIcon.h"

class QPrinter;
class QWidget;

namespace velloran {

inline const QString kAppTitle = QStringLiteral("Velloran");

struct FileDialogRequest {
    QString title;          // dialog title; empty for the platform's own
    QString filter;         // Qt filter text, e.g. "Velloran (*.vlr)"
    QString defaultSuffix;  // appended when the user types a name without an extension
    QString initialName;    // initial file name or path
    QString folder;         // the folder shown first when initialName names none
    bool confirmOverwrite = false;
    // A save dialog with several filters: the chosen filter's ending ("*.pdf") becomes the
    // suffix a name typed without one gets.
    bool suffixFromFilter = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box with an OK button, captioned title.
    virtual void showMessage(QWidget* parent, const QString& text, MessageIcon icon,
                             const QString& title = kAppTitle) = 0;
    // Modal question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, MessageIcon icon,
                          const QString& title = kAppTitle) = 0;
    // Chosen path, or empty when the user cancels.
    virtual QString getSaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString getOpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // A folder chosen in the folder dialog, starting at start; empty when the user cancels.
    virtual QString getExistingFolder(QWidget* parent, const QString& title,
                                      const QString& start) = 0;
    // Shows the print dialog for printer with the given QAbstractPrintDialog::PrintDialogOptions
    // (as int: page-range fields, print to file, ...); true when the user confirms.
    virtual bool runPrintDialog(QWidget* parent, QPrinter& printer, int options) = 0;
    // Opens an address in the default browser; failures are ignored.
    virtual void openUrl(const QUrl& url) = 0;
    // Per-user settings store: a named value in a named section ("" when absent).
    virtual QString readSetting(const QString& section, const QString& name) = 0;
    virtual void writeSetting(const QString& section, const QString& name,
                              const QString& value) = 0;
    virtual QDateTime now() = 0;
    // Folder that holds the program and its converter library.
    virtual QString programFolder() = 0;
    // The user's documents folder; empty when the desktop names none.
    virtual QString documentsFolder() = 0;
    // Moves the file to the desktop's trash (never deletes it outright); false with the reason in
    // error when the trash refuses it.
    virtual bool moveToTrash(const QString& path, QString& error) = 0;
};

}  // namespace velloran
