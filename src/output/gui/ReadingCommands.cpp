// Saving and opening readings, and the text export.

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include "input/FileBytes.h"
#include "input/ReadingFile.h"
#include "output/TextExport.h"
#include "output/gui/OutputCommands.h"
#include "ui/LibraryFolder.h"
#include "ui/Platform.h"
#include "ui/SafeSave.h"

namespace velloran {

namespace {

const QString kReadingFilter = QStringLiteral("Velloran (*.vlr)");
const QString kReadingSuffix = QStringLiteral("vlr");
const QString kCheckTheFile = QStringLiteral("Please Check The File.");

QByteArray ToBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// What reading a chosen file gave: its bytes, or why it gave none.
struct SmallFile {
    enum class Outcome { Read, CannotOpen, TooLarge, NotAReading } outcome = Outcome::Read;
    QByteArray bytes;
    QString reason;  // when it cannot be opened or read
};

// Reads at most kMaxReadingFileBytes + 1 bytes of a regular file, never waiting on a pipe or a
// device: a reading is well under 1 KiB, and a larger file (or an endless one) is refused without
// being read whole.
SmallFile ReadSmallFile(const QString& path) {
    SmallFile result;
    std::string reason;
    auto bytes = ReadRegularFile(QFile::encodeName(path).toStdString(),
                                 static_cast<std::size_t>(kMaxReadingFileBytes), reason);
    if (bytes) {
        result.bytes = ToBytes(*bytes);
    } else if (reason == "is a folder" || reason == "not a regular file") {
        result.outcome = SmallFile::Outcome::NotAReading;  // only a plain file can be a reading
    } else if (reason.rfind("larger than", 0) == 0) {
        result.outcome = SmallFile::Outcome::TooLarge;
    } else {
        result.outcome = SmallFile::Outcome::CannotOpen;
        const std::size_t colon = reason.find(": ");
        result.reason =
            QString::fromStdString(colon == std::string::npos ? reason : reason.substr(colon + 2));
    }
    return result;
}

}  // namespace

QString OpenFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not open %1: %2").arg(path, reason);
}

QString SaveReading(Platform& platform, QWidget* parent, const Reading& reading, int zoneIndex,
                    std::string& lastFileName) {
    FileDialogRequest request;
    request.title = kAppTitle;
    request.filter = kReadingFilter;
    request.defaultSuffix = kReadingSuffix;
    request.initialName = QString::fromStdString(lastFileName);
    // The readings folder is made for the dialog to start in, and taken away again unless the
    // reading is saved in it.
    QStringList made;
    request.folder = LibraryFolderForSaving(platform, made);
    const auto unmade = qScopeGuard([&made] { RemoveUnusedFolders(made); });
    request.confirmOverwrite = true;
    const QString path = platform.getSaveFileName(parent, request);
    if (path.isEmpty()) return {};
    lastFileName = path.toStdString();
    if (auto problem = ReadingSaveProblem(reading.birth(), zoneIndex)) {
        platform.showMessage(parent, SaveFailedText(path, QString::fromStdString(*problem)),
                             MessageIcon::Error, kAppTitle);
        return {};
    }
    if (!SaveFileReportingErrors(platform, parent, path,
                                 ToBytes(WriteReadingFile(reading.birth(), zoneIndex))))
        return {};
    return path;
}

std::optional<OpenOutcome> OpenReading(Platform& platform, QWidget* parent, ReadingForm& form,
                                       bool converterPresent, const PositionsSource& source) {
    const QString path = ChooseReadingToOpen(platform, parent);
    if (path.isEmpty()) return std::nullopt;
    return OpenReadingFile(platform, parent, path, form, converterPresent, source);
}

QString ChooseReadingToOpen(Platform& platform, QWidget* parent) {
    FileDialogRequest request;
    request.title = QStringLiteral("Select the source file");
    request.filter = kReadingFilter;
    request.defaultSuffix = kReadingSuffix;
    const QString folder = LibraryFolder(platform);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) request.folder = folder;
    return platform.getOpenFileName(parent, request);
}

std::optional<OpenOutcome> OpenReadingFile(Platform& platform, QWidget* parent, const QString& path,
                                           ReadingForm& form, bool converterPresent,
                                           const PositionsSource& source) {
    if (!HasReadingExtension(path.toStdString())) {
        platform.showMessage(parent, kCheckTheFile, MessageIcon::Error, kAppTitle);
        return std::nullopt;
    }
    const SmallFile file = ReadSmallFile(path);
    if (file.outcome == SmallFile::Outcome::CannotOpen) {
        platform.showMessage(parent, OpenFailedText(path, file.reason), MessageIcon::Error,
                             kAppTitle);
        return std::nullopt;
    }
    std::optional<OpenOutcome> opened;
    if (file.outcome == SmallFile::Outcome::Read) {
        opened = OpenAndCalculate(
            std::string_view(file.bytes.constData(), static_cast<size_t>(file.bytes.size())), form,
            converterPresent, source);
    }
    if (!opened || opened->status == OpenStatus::Damaged) {
        platform.showMessage(parent, kCheckTheFile, MessageIcon::Error, kAppTitle);
        return std::nullopt;
    }
    return opened;
}

void ExportChartText(Platform& platform, QWidget* parent, const Reading& reading,
                     const MonthNames& months, std::string& lastFileName) {
    FileDialogRequest request;
    request.title = QStringLiteral("Select the destination text file ");
    request.filter = QStringLiteral("Export Chart As Text (*.txt)");
    request.defaultSuffix = QStringLiteral("txt");
    request.initialName = QString::fromStdString(lastFileName);
    request.confirmOverwrite = true;
    const QString path = platform.getSaveFileName(parent, request);
    if (path.isEmpty()) return;
    lastFileName = path.toStdString();
    SaveFileReportingErrors(platform, parent, path, ToBytes(ExportText(reading, months)));
}

}  // namespace velloran
