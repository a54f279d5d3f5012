#pragma once
// Shared pieces of the file-command tests: a chart-sized widget with real content, file helpers
// and a picture comparison.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <cstdlib>

namespace velloran::test {

// An 802 x 448 window drawn like the chart window: wheel, coloured rim, header labels, a table.
class ChartLikeWidget : public QWidget {
public:
    explicit ChartLikeWidget(const QString& name = QStringLiteral("Name: Ann Example")) {
        setFixedSize(802, 448);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
        m_name = new QLabel(name, this);
        m_name->setObjectName(QStringLiteral("lblName"));
        m_name->move(472, 24);
        auto* dob = new QLabel(QStringLiteral("Date of Birth: March 5, 1980"), this);
        dob->move(472, 40);
        for (int row = 0; row < 10; ++row) {
            auto* cell = new QLabel(QStringLiteral("%1 Ari %2")
                                        .arg(row * 3, 2, 10, QChar('0'))
                                        .arg(row * 5, 2, 10, QChar('0')),
                                    this);
            cell->setStyleSheet(QStringLiteral("color: blue; border: 1px solid black;"));
            cell->setGeometry(600, 216 + row * 20, 90, 19);
        }
    }
    QLabel* nameLabel() { return m_name; }
    // Changes what the wheel shows, to tell two captures apart.
    void setWheelColor(const QColor& color) {
        m_wheel = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF centre(233, 223);
        for (int sector = 0; sector < 12; ++sector) {
            p.setBrush(QColor::fromHsv(sector * 30, 200, 230));
            p.setPen(Qt::NoPen);
            p.drawPie(QRectF(centre - QPointF(215, 215), QSizeF(430, 430)), sector * 30 * 16,
                      30 * 16);
        }
        p.setBrush(m_wheel);
        p.drawEllipse(centre, 190, 190);
        p.setPen(QPen(Qt::darkGray, 1));
        for (int spoke = 0; spoke < 12; ++spoke) {
            const double a = spoke * M_PI / 6;
            p.drawLine(centre + QPointF(90 * std::cos(a), 90 * std::sin(a)),
                       centre + QPointF(190 * std::cos(a), 190 * std::sin(a)));
        }
        p.setBrush(Qt::white);
        p.drawEllipse(centre, 90, 90);
        p.setPen(Qt::black);
        p.drawText(QRectF(centre - QPointF(80, 10), QSizeF(160, 20)), Qt::AlignCenter,
                   QStringLiteral("Su M Me V Ma"));
        // A dark frame along the edges marks the window's extent in a print.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0, 64, 64), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(1, 1, width() - 2, height() - 2));
    }

private:
    QLabel* m_name = nullptr;
    QColor m_wheel = QColor(255, 191, 0);
};

// Every file below dir, as paths relative to it, sorted.
inline QStringList FilesBelow(const QString& dir) {
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Mean absolute difference per colour channel (0..255) of two pictures of the same size; -1 when
// the sizes differ.
inline double MeanAbsoluteDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            sum += std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

// The smallest rectangle holding every pixel darker than near-white.
inline QRect NonWhiteBounds(const QImage& image) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 240) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Counts the page objects of a PDF written by Qt ("/Type /Page" not followed by "s").
inline int CountPdfPages(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1)) {
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    }
    return pages;
}

// Folder of the built converter library (the program's folder in a build).
inline QString ConverterFolder() { return QStringLiteral(VELLORAN_CONVERTER_DIR); }

}  // namespace velloran::test
