#include "GuiTestSupport.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>

#include <utility>

#include "domain/ZoneTable.h"
#include "input/FormCopy.h"
#include "input/ReadingFile.h"

namespace velloran::test {

StartedApp::StartedApp() {
    EXPECT_TRUE(dir.isValid());
    platform.folder = dir.path();
    QFile converter(QDir(dir.path()).filePath(kConverterLibrary));
    EXPECT_TRUE(converter.open(QIODevice::WriteOnly));
    lock = std::make_unique<InstanceLock>(QDir(dir.path()).filePath(QStringLiteral("app.lock")));
    app = std::make_unique<App>(platform);
    QObject::connect(app.get(), &App::programEnded, [this] { programEnded = true; });
    EXPECT_TRUE(app->start(*lock));
    form()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form()));
    platform.messages.clear();
    platform.settings.clear();
}

StartedApp::~StartedApp() {
    app.reset();
    settle();
}

void StartedApp::click(QWidget* window, const char* name) {
    auto* button = Find<QPushButton>(window, QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void StartedApp::trigger(QWidget* window, const char* actionName) {
    auto* action = Find<QAction>(window, QString::fromLatin1(actionName));
    ASSERT_NE(action, nullptr) << actionName;
    action->trigger();
}

void StartedApp::clickCalculate() { click(form(), "cmdCalculate"); }

void StartedApp::calculate(const FormInput& input) {
    form()->setInput(input);
    clickCalculate();
}

void StartedApp::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void StartedApp::removeConverter() { QFile::remove(QDir(dir.path()).filePath(kConverterLibrary)); }

QString Label(QWidget* root, const QString& name) {
    auto* label = Find<QLabel>(root, name);
    EXPECT_NE(label, nullptr) << name.toStdString();
    return label ? label->text() : QString();
}

Reading ReadingOf(const FormInput& form, const PositionsSource& source) {
    Calculation calculated = Calculate(BirthFromForm(form), source);
    EXPECT_TRUE(calculated.reading.has_value()) << calculated.error;
    return calculated.reading ? std::move(*calculated.reading) : Reading{};
}

std::string ReadingFileOf(const FormInput& form) {
    return WriteReadingFile(BirthFromForm(form).birth, form.zoneIndex);
}

}  // namespace velloran::test
