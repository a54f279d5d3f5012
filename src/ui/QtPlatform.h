#pragma once
// The platform services of the real program, on Qt: message boxes, file and print dialogs, the
// default browser, the per-user settings store, the clock, the program's and the documents
// folders and the desktop's trash.

#include "ui/Platform.h"

namespace velloran {

class QtPlatform : public Platform {
public:
    // settingsName names the per-user settings store (the executable's name).
    explicit QtPlatform(const QString& settingsName);

    void showMessage(QWidget* parent, const QString& text, MessageIcon icon,
                     const QString& title) override;
    bool askYesNo(QWidget* parent, const QString& text, MessageIcon icon,
                  const QString& title) override;
    QString getSaveFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString getOpenFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString getExistingFolder(QWidget* parent, const QString& title, const QString& start) override;
    bool runPrintDialog(QWidget* parent, QPrinter& printer, int options) override;
    void openUrl(const QUrl& url) override;
    QString readSetting(const QString& section, const QString& name) override;
    void writeSetting(const QString& section, const QString& name, const QString& value) override;
    QDateTime now() override;
    QString programFolder() override;
    QString documentsFolder() override;
    bool moveToTrash(const QString& path, QString& error) override;

private:
    bool settingsUsable() const;

    QString m_settingsName;
};

}  // namespace velloran
