// A reading dragged onto a watched window or text box is taken and its path passed on; anything
// else goes to the widget as it would without the filter.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/ReadingDrop.h"

namespace velloran {
namespace {

class ReadingDropTest : public testing::Test {
protected:
    ReadingDropTest() : filter(&window) {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(box);
        filter.watch(&window);
        filter.watch(box);
        QObject::connect(&filter, &ReadingDropFilter::readingDropped,
                         [this](const QString& path) { dropped << path; });
    }

    static std::unique_ptr<QMimeData> Urls(const QList<QUrl>& urls) {
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        return data;
    }

    // Drags the data over the widget and drops it: whether the drag was taken at the entry and
    // while it moved, and whether the drop was.
    struct Outcome {
        bool enter, move, drop;
    };
    static Outcome DragAndDrop(QWidget* target, const QMimeData* data) {
        const QPoint at(4, 4);
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return {enter.isAccepted(), move.isAccepted(), drop.isAccepted()};
    }

    QWidget window;
    QLineEdit* box = new QLineEdit;
    ReadingDropFilter filter;
    QStringList dropped;
};

TEST_F(ReadingDropTest, AReadingIsTakenOnTheWindowAndInsteadOfATextBoxsText) {
    const auto reading = Urls({QUrl(QStringLiteral("https://example.org/a.vlr")),
                               QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt")),
                               QUrl::fromLocalFile(QStringLiteral("/tmp/readings/Ann.vlr"))});
    for (QWidget* target : {&window, static_cast<QWidget*>(box)}) {
        dropped.clear();
        const Outcome outcome = DragAndDrop(target, reading.get());
        EXPECT_TRUE(outcome.enter && outcome.move && outcome.drop);
        // The first local reading named.
        EXPECT_EQ(dropped, QStringList{QStringLiteral("/tmp/readings/Ann.vlr")});
    }
    EXPECT_TRUE(box->text().isEmpty());
}

TEST_F(ReadingDropTest, AnythingElseIsLeftToTheWidget) {
    const auto notReadings = Urls({QUrl::fromLocalFile(QStringLiteral("/tmp/Ann.vlr.txt")),
                                   QUrl(QStringLiteral("https://example.org/Ann.vlr"))});
    const Outcome onWindow = DragAndDrop(&window, notReadings.get());
    EXPECT_FALSE(onWindow.enter || onWindow.move || onWindow.drop);

    // Text dropped on a text box is the box's to take.
    QMimeData text;
    text.setText(QStringLiteral("Ann"));
    const Outcome onBox = DragAndDrop(box, &text);
    EXPECT_TRUE(onBox.drop);
    EXPECT_EQ(box->text(), QStringLiteral("Ann"));
    EXPECT_TRUE(dropped.isEmpty());
}

}  // namespace
}  // namespace velloran
