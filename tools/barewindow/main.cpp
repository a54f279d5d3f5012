// The reference for start-up timing: one empty main window that ends after its first paint.

#include <QApplication>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTimer>

namespace {
class BareWindow : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* event) override {
        QMainWindow::paintEvent(event);
        if (!m_painted) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        m_painted = true;
    }

private:
    bool m_painted = false;
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(640, 400);
    window.show();
    return app.exec();
}
