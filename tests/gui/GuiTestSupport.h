#pragma once
// A started program on the fake platform, with helpers to find its widgets and to type a birth
// into the form.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/App.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "chart/gui/FrmDisplay.h"
#include "input/gui/FrmMain.h"
#include "reading/Reading.h"
#include "support/FakePlatform.h"
#include "support/SampleBirths.h"

namespace velloran::test {

// Bounding box of what a widget paints of its own (no window background), in its parent's
// coordinates; empty when it paints nothing.
inline QRect InkRect(QWidget* w) {
    QImage image(w->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink.translated(w->pos());
}

class StartedApp {
public:
    StartedApp();
    ~StartedApp();

    FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<InstanceLock> lock;
    std::unique_ptr<App> app;
    bool programEnded = false;

    FrmMain* form() const { return app->form(); }
    MainWindow* main() const { return app->mainWindow(); }
    FrmDisplay* display() const { return main() ? main()->display() : nullptr; }

    // Puts values into the form's widgets and presses cmdCalculate.
    void calculate(const FormInput& input);
    void clickCalculate();
    // Clicks a push button of the form or the main window by name.
    void click(QWidget* window, const char* name);
    void trigger(QWidget* window, const char* actionName);
    // Runs pending deferred deletions (a closed main window is deleted that way).
    static void settle();
    // Removes the converter library from the program folder.
    void removeConverter();
};

template <typename T = QWidget>
T* Find(QWidget* root, const QString& name) {
    if (!root) return nullptr;
    return root->findChild<T*>(name);
}

QString Label(QWidget* root, const QString& name);

// The reading of a form's birth, calculated without any window (a failed calculation fails the
// test and gives an empty reading).
Reading ReadingOf(const FormInput& form, const PositionsSource& source = {});
// The bytes of the reading file a save writes for a form's birth.
std::string ReadingFileOf(const FormInput& form);

}  // namespace velloran::test
