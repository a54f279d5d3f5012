#pragma once
// Platform services for widget tests: records every request and answers at once from queued
// replies, so no modal loop ever blocks a test.

#include <deque>
#include <map>
#include <utility>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include "ui/Platform.h"

namespace velloran::test {

class FakePlatform : public Platform {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
    };

    std::vector<Message> messages;  // every message and question shown, in order
    std::vector<FileDialogRequest> saveDialogs;
    std::vector<FileDialogRequest> openDialogs;
    std::vector<QUrl> openedUrls;
    std::vector<QString> folderDialogs;  // the start folder of every folder dialog
    std::vector<QString> trashed;        // every file moved to the trash
    int printDialogs = 0;
    int printDialogOptions = -1;  // options of the last print dialog, -1 if none

    std::deque<QString> saveAnswers;  // empty string = cancel; no answer queued = cancel
    std::deque<QString> openAnswers;
    std::deque<bool> yesNoAnswers;  // no answer queued = No
    std::deque<QString> folderAnswers;
    // Where moveToTrash puts files; empty: the trash refuses every file with trashRefusal.
    QString trashFolder;
    QString trashRefusal = QStringLiteral("no trash here");
    bool confirmPrint = false;
    QString printToPdf;  // when set and confirmed, the printer writes this PDF

    std::map<std::pair<QString, QString>, QString> settings;
    QDateTime clock = QDateTime(QDate(2026, 1, 1), QTime(12, 0));
    QString folder;
    QString documents;  // the documents folder; empty: the desktop names none

    void showMessage(QWidget*, const QString& text, MessageIcon icon,
                     const QString& title) override {
        messages.push_back({text, icon, title});
    }
    bool askYesNo(QWidget*, const QString& text, MessageIcon icon, const QString& title) override {
        messages.push_back({text, icon, title});
        if (yesNoAnswers.empty()) return false;
        bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    QString getSaveFileName(QWidget*, const FileDialogRequest& request) override {
        saveDialogs.push_back(request);
        return pop(saveAnswers);
    }
    QString getOpenFileName(QWidget*, const FileDialogRequest& request) override {
        openDialogs.push_back(request);
        return pop(openAnswers);
    }
    QString getExistingFolder(QWidget*, const QString&, const QString& start) override {
        folderDialogs.push_back(start);
        return pop(folderAnswers);
    }
    bool runPrintDialog(QWidget*, QPrinter& printer, int options) override {
        ++printDialogs;
        printDialogOptions = options;
        if (confirmPrint && !printToPdf.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printToPdf);
        }
        return confirmPrint;
    }
    void openUrl(const QUrl& url) override { openedUrls.push_back(url); }
    QString readSetting(const QString& section, const QString& name) override {
        auto it = settings.find({section, name});
        return it == settings.end() ? QString() : it->second;
    }
    void writeSetting(const QString& section, const QString& name, const QString& value) override {
        settings[{section, name}] = value;
    }
    QDateTime now() override { return clock; }
    QString programFolder() override { return folder; }
    QString documentsFolder() override { return documents; }
    bool moveToTrash(const QString& path, QString& error) override {
        const QString target = trashFolder + QLatin1Char('/') + QFileInfo(path).fileName();
        if (trashFolder.isEmpty() || !QFile::rename(path, target)) {
            error = trashRefusal;
            return false;
        }
        trashed.push_back(path);
        return true;
    }

private:
    static QString pop(std::deque<QString>& answers) {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace velloran::test
