#include "ui/QtPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace velloran {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Message texts use a carriage return as their line break; Qt breaks lines at line feeds.
QString DisplayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int Ask(QWidget* parent, const QString& text, MessageIcon icon, const QString& title,
        QMessageBox::StandardButtons buttons) {
    QMessageBox box(ToQt(icon), title, DisplayText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

void Configure(QFileDialog& dialog, const FileDialogRequest& request) {
    if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
    if (!request.filter.isEmpty()) dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.suffixFromFilter) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) {
                             const int star = filter.indexOf(QLatin1String("*."));
                             if (star < 0) return;
                             QString suffix = filter.mid(star + 2);
                             suffix.truncate(suffix.indexOf(QRegularExpression("[^A-Za-z0-9]")));
                             dialog.setDefaultSuffix(suffix);
                         });
    }
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
}

}  // namespace

QtPlatform::QtPlatform(const QString& settingsName) : m_settingsName(settingsName) {}

void QtPlatform::showMessage(QWidget* parent, const QString& text, MessageIcon icon,
                             const QString& title) {
    Ask(parent, text, icon, title, QMessageBox::Ok);
}

bool QtPlatform::askYesNo(QWidget* parent, const QString& text, MessageIcon icon,
                          const QString& title) {
    return Ask(parent, text, icon, title, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString QtPlatform::getSaveFileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    Configure(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString QtPlatform::getOpenFileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    Configure(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString QtPlatform::getExistingFolder(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

bool QtPlatform::runPrintDialog(QWidget* parent, QPrinter& printer, int options) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions::fromInt(options));
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

// The settings file, when it is there, must be a file: a FIFO would hang the program on its
// first read, a device or folder makes no settings. Then the program runs with the defaults and
// keeps nothing.
bool QtPlatform::settingsUsable() const {
    // Where the user store keeps it: QSettings would open the file itself while working that out,
    // so the folder is asked of a store that has no file.
    const QString probe = QSettings(QSettings::UserScope, QStringLiteral("velloran-no-such-store"),
                                    QStringLiteral("x"))
                              .fileName();
    const QDir base = QFileInfo(QFileInfo(probe).absolutePath()).dir();
    const QFileInfo info(base.filePath(m_settingsName + QLatin1Char('/') + m_settingsName +
                                       QStringLiteral(".conf")));
    return !info.exists() || info.isFile();
}

QString QtPlatform::readSetting(const QString& section, const QString& name) {
    if (!settingsUsable()) return {};
    QSettings settings(QSettings::UserScope, m_settingsName, m_settingsName);
    settings.beginGroup(section);
    return settings.value(name).toString();
}

void QtPlatform::writeSetting(const QString& section, const QString& name, const QString& value) {
    if (!settingsUsable()) return;
    QSettings settings(QSettings::UserScope, m_settingsName, m_settingsName);
    settings.beginGroup(section);
    settings.setValue(name, value);
}

QDateTime QtPlatform::now() { return QDateTime::currentDateTime(); }

QString QtPlatform::programFolder() { return QCoreApplication::applicationDirPath(); }

QString QtPlatform::documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool QtPlatform::moveToTrash(const QString& path, QString& error) {
    // The home trash ($XDG_DATA_HOME/Trash with files/ and info/, this user's alone) is made
    // first when it is missing, as a fresh account has none: Qt makes only its last folder and,
    // failing that, would put files/ and info/ into the working folder.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir::isAbsolutePath(data)) {
        error = QStringLiteral("there is no home folder for the trash");
        return false;
    }
    const QString trash = QDir(data).filePath(QStringLiteral("Trash"));
    for (const QString& folder :
         {data, trash, trash + QStringLiteral("/files"), trash + QStringLiteral("/info")}) {
        if (QFileInfo(folder).isDir()) continue;
        if (!QDir().mkpath(folder) ||
            !QFile::setPermissions(
                folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
            error = QStringLiteral("the trash folder %1 cannot be made").arg(folder);
            return false;
        }
    }
    QFile file(path);
    if (file.moveToTrash()) return true;
    error = file.errorString();
    if (error.isEmpty() || error == QStringLiteral("Unknown error"))
        error = QStringLiteral("the desktop's trash did not take it");
    return false;
}

}  // namespace velloran
