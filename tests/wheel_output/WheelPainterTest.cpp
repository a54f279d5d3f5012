// The wheel painted with QPainter: the PNG's pixels against the drawing and against the SVG as
// rsvg-convert renders it, and the PDF page as poppler's tools read it.

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QHashSeed>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <thread>

#include "glyphs/SystemGlyphs.h"
#include "wheel/WheelSvg.h"
#include "wheel/gui/WheelPainter.h"
#include "wheel_output/TestDrawing.h"

namespace velloran {
namespace {

class WheelPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "wheel_paint_tests";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
    // Closed at the end, as a program closes it: its font database is released.
    static void TearDownTestSuite() {
        delete app;
        app = nullptr;
    }
    static inline QGuiApplication* app = nullptr;
};

QImage Decode(const QByteArray& png) {
    QImage image;
    EXPECT_TRUE(image.loadFromData(png, "PNG"));
    return image.convertToFormat(QImage::Format_RGB32);
}

int ColourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QRgb Rgb(const WheelColour& c) { return qRgb(c.r, c.g, c.b); }

TEST_F(WheelPaint, PngIsOpaqueAtItsSizeWithTheItemsWhereTheyWerePut) {
    const WheelDrawing drawing = test::SmallDrawing();  // 200 px, painted at 300: x1.5
    const QByteArray png = WheelPng(drawing, SystemGlyphOutlines(), 300);
    ASSERT_FALSE(png.isEmpty());
    QImage image;
    ASSERT_TRUE(image.loadFromData(png, "PNG"));
    EXPECT_EQ(image.size(), QSize(300, 300));
    EXPECT_FALSE(image.hasAlphaChannel());

    const double s = 1.5;
    const double diagonal = 100 + 90 * std::sqrt(0.5);
    struct Probe {
        const char* what;
        double x, y;  // in the drawing
        WheelColour expected;
    };
    const Probe probes[] = {
        {"corner", 2, 2, test::kWhite},
        {"inside the ring, off the spokes", 70, 140, test::kWhite},
        {"on the ring", diagonal, diagonal, test::kInk},
        {"on the ring's top", 100 + 90 * std::sin(0.3), 100 - 90 * std::cos(0.3), test::kInk},
        {"on a spoke", 50, 100, test::kRed},
        {"on the other spoke", 100, 160, test::kRed},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        const QRgb pixel = image.pixel(static_cast<int>(std::floor(p.x * s)),
                                       static_cast<int>(std::floor(p.y * s)));
        EXPECT_LT(ColourDistance(pixel, Rgb(p.expected)), 48)
            << std::hex << pixel << " against " << Rgb(p.expected);
    }
}

// The extent of the pixels that differ from white.
struct Ink {
    int count = 0;
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
Ink InkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (ColourDistance(image.pixel(x, y), qRgb(255, 255, 255)) < 24) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x + 1);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y + 1);
        }
    }
    return ink;
}

TEST_F(WheelPaint, TextInkStaysInItsBoxCentredAndShrunkToFit) {
    struct Case {
        const char* what;
        std::u32string text;
        WheelBox box;  // in a 100 px drawing, painted at 200 px
        bool fillsWidth;
    };
    const Case cases[] = {
        {"a symbol", U"\u2609", {40, 40, 60, 60}, false},
        {"a label", U"15\u264C07", {20, 45, 80, 55}, false},
        {"letters in a narrow box", U"Conjunction", {40, 40, 60, 52}, true},
        {"a retrograde mark off centre", U"\u211E", {10, 70, 22, 82}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WheelDrawing drawing;
        drawing.size = 100;
        drawing.background = test::kWhite;
        drawing.items.push_back(test::TextItem(c.text, c.box, test::kInk));
        const QImage image = Decode(WheelPng(drawing, SystemGlyphOutlines(), 200));
        const Ink ink = InkOf(image);
        ASSERT_GT(ink.count, 10);
        // Inside the box (antialiasing may touch the pixel next to it).
        EXPECT_GE(ink.left, std::floor(c.box.left * 2) - 1);
        EXPECT_LE(ink.right, std::ceil(c.box.right * 2) + 1);
        EXPECT_GE(ink.top, std::floor(c.box.top * 2) - 1);
        EXPECT_LE(ink.bottom, std::ceil(c.box.bottom * 2) + 1);
        // Centred both ways.
        EXPECT_NEAR((ink.left + ink.right) / 2.0, (c.box.left + c.box.right), 1.5);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (c.box.top + c.box.bottom), 1.5);
        if (c.fillsWidth) {
            EXPECT_NEAR(ink.right - ink.left, c.box.width() * 2, 2.0);
        }
    }
}

TEST_F(WheelPaint, FitsTheSquareInTheMiddleOfItsTarget) {
    const WheelDrawing drawing = test::SmallDrawing();
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        PaintWheel(painter, drawing, SystemGlyphOutlines(), QRectF(0, 0, 300, 200));
    }
    EXPECT_EQ(image.pixel(49, 100), QColor(Qt::green).rgb());
    EXPECT_EQ(image.pixel(250, 100), QColor(Qt::green).rgb());
    EXPECT_EQ(image.pixel(51, 1), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(248, 198), qRgb(255, 255, 255));
    // The ring, at 45 degrees from the middle of the image.
    EXPECT_LT(ColourDistance(image.pixel(213, 163), Rgb(test::kInk)), 48);
}

TEST_F(WheelPaint, SameDrawingSamePixelsWhicheverOutlinesObject) {
    const GlyphOutlines& system = SystemGlyphOutlines();
    const GlyphOutlines reloaded = LoadGlyphOutlines(system.sources[0], system.sources[1]);
    const WheelDrawing drawing = test::BusyDrawing();
    const QImage first = Decode(WheelPng(drawing, system, 500));
    EXPECT_EQ(first, Decode(WheelPng(drawing, system, 500)));
    EXPECT_EQ(first, Decode(WheelPng(drawing, reloaded, 500)));
}

TEST_F(WheelPaint, PngAndSvgShowTheSameDrawing) {
    const QString rsvg = QStandardPaths::findExecutable("rsvg-convert");
    if (rsvg.isEmpty()) GTEST_SKIP() << "rsvg-convert is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const WheelDrawing& drawing : {test::SmallDrawing(), test::BusyDrawing()}) {
        const int side = static_cast<int>(drawing.size);
        QFile svg(dir.filePath("wheel.svg"));
        ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write(QByteArray::fromStdString(WheelSvg(drawing, SystemGlyphOutlines())));
        svg.close();
        QProcess process;
        process.start(rsvg, {"-o", dir.filePath("wheel.png"), svg.fileName()});
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0);
        const QImage fromSvg =
            QImage(dir.filePath("wheel.png")).convertToFormat(QImage::Format_RGB32);
        const QImage painted = Decode(WheelPng(drawing, SystemGlyphOutlines(), side));
        ASSERT_EQ(fromSvg.size(), painted.size());

        // The glyphs were drawn by both (rsvg resolved the <use> references)...
        const DrawItem& text = drawing.items[drawing.items.size() > 100 ? 10 : 2];
        ASSERT_EQ(text.kind, DrawItem::Kind::Text);
        const QRect box(
            QPoint(static_cast<int>(text.box.left), static_cast<int>(text.box.top)),
            QPoint(static_cast<int>(text.box.right) - 1, static_cast<int>(text.box.bottom) - 1));
        const Ink svgInk = InkOf(fromSvg.copy(box));
        const Ink paintedInk = InkOf(painted.copy(box));
        EXPECT_GT(svgInk.count, 10);
        EXPECT_NEAR(svgInk.count, paintedInk.count, paintedInk.count * 0.15 + 4);
        // ...and the two pictures differ only in antialiasing at the edges.
        int differing = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if (ColourDistance(fromSvg.pixel(x, y), painted.pixel(x, y)) > 96) ++differing;
            }
        }
        EXPECT_LT(differing, side * side / 200) << differing << " pixels differ";
    }
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A wheel of 800 px with the facts as its caption, drawn as the exports draw it.
const std::vector<std::string> kFacts = {"Name: Ada Example",
                                         "Date of Birth: December 10, 1815",
                                         "Time of Birth: 1:00 PM",
                                         "Time Zone: Greenwich Mean Time,GMT,0.0",
                                         "Place: London, England",
                                         "Latitude: 51\u00B0 30' N, Longitude: 0\u00B0 07' W",
                                         "Positions: precise, Placidus houses",
                                         "North Node: 3\u00B0 Aries 12'"};

WheelDrawing CaptionedDrawing() {
    WheelInput input;
    WheelRingInput ring;
    for (int i = 0; i < 10; ++i)
        ring.bodies.push_back({static_cast<ChartBody>(i), std::fmod(17.0 + 37.0 * i, 360.0)});
    input.rings.push_back(ring);
    input.ascendant = 100.0;
    for (int h = 0; h < 12; ++h) input.cusps[h] = 90.0 + 30.0 * h;
    input.caption = kFacts;
    input.size = 800.0;
    return DrawWheel(LayOutWheel(input), ThemePalette(WheelTheme::Light));
}

struct PdfWord {
    QString text;
    QRectF box;  // pt, y downwards from the page's top
};

// The words poppler reads off the PDF's one page, with where they stand.
std::vector<PdfWord> PdfWords(const QString& pdftotext, const QString& pdf) {
    const QString html = RunTool(pdftotext, {"-bbox", pdf, "-"});
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace("&amp;", "&").replace("&apos;", "'").replace("&quot;", "\"");
        words.push_back({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}

QString WriteTemporary(const QTemporaryDir& dir, const QByteArray& bytes) {
    QFile file(dir.filePath("wheel.pdf"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

TEST_F(WheelPaint, PdfIsOneVectorA4PageWithTheFactsAsText) {
    const QString title = QStringLiteral("Degree wheel: Ada Example");
    const QByteArray pdf = WheelPdf(CaptionedDrawing(), SystemGlyphOutlines(), title);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    // Vector: the page holds no raster image.
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));

    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = WriteTemporary(dir, pdf);
    const QString info = RunTool(pdfinfo, {file});
    EXPECT_TRUE(info.contains(QRegularExpression(R"(Pages:\s+1\n)"))) << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression(R"(Page size:\s+595(\.\d+)? x 84[12](\.\d+)? pts)")))
        << info.toStdString();
    const QString images = RunTool(QStandardPaths::findExecutable("pdfimages"), {"-list", file});
    EXPECT_EQ(images.trimmed().split('\n').size(), 2) << images.toStdString();  // header only
    const QString text = RunTool(pdftotext, {file, "-"});
    EXPECT_TRUE(text.contains(title)) << text.toStdString();
    for (const std::string& fact : kFacts)
        EXPECT_TRUE(text.contains(QString::fromStdString(fact))) << text.toStdString();
}

// The facts stand on the PDF page where the drawing puts its caption: in the wheel's top corners,
// every word inside its line's box (the wheel fills the page's width under the title, 15 mm
// margins), not above the wheel. Under a title the whole wheel, caption and all, moves down by
// the title's height, and the title stays above it.
TEST_F(WheelPaint, PdfSetsTheCaptionInTheWheelsTopCorners) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    const WheelDrawing drawing = CaptionedDrawing();
    std::vector<const DrawItem*> caption;
    for (const DrawItem& item : drawing.items)
        if (item.caption) caption.push_back(&item);
    ASSERT_GE(caption.size(), kFacts.size());
    const double margin = 15.0 / 25.4 * 72.0, side = 595.0 - 2 * margin;
    const double scale = side / drawing.size;
    for (const QString& title : {QString(), QStringLiteral("Natal Chart of Ada Example")}) {
        SCOPED_TRACE(title.toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const std::vector<PdfWord> words = PdfWords(
            pdftotext, WriteTemporary(dir, WheelPdf(drawing, SystemGlyphOutlines(), title)));
        ASSERT_FALSE(words.empty());
        // How far down the wheel starts under the title: where the first line's first word is.
        const DrawItem& first = *caption.front();
        const QString firstWord =
            QString::fromUcs4(first.text.data(), static_cast<qsizetype>(first.text.size()))
                .split(' ')
                .front();
        double wheelTop = -1.0;
        for (const PdfWord& w : words)
            if (w.text == firstWord) wheelTop = w.box.center().y() - first.box.centre().y * scale;
        if (title.isEmpty()) {
            EXPECT_NEAR(wheelTop, margin, 1.0);
        } else {
            EXPECT_GT(wheelTop, margin + 12.0);
            for (const QString& part : title.split(' ')) {
                bool above = false;
                for (const PdfWord& w : words)
                    above = above || (w.text == part && w.box.bottom() < wheelTop);
                EXPECT_TRUE(above) << part.toStdString();
            }
        }
        for (const DrawItem* line : caption) {
            const QString text =
                QString::fromUcs4(line->text.data(), static_cast<qsizetype>(line->text.size()));
            // The line's box on the page, a point wider for the face's side bearings.
            const QRectF box(margin + line->box.left * scale - 1.0,
                             wheelTop + line->box.top * scale - 1.0,
                             line->box.width() * scale + 2.0, line->box.height() * scale + 2.0);
            EXPECT_LT(box.bottom(), wheelTop + side / 4) << text.toStdString();
            for (const QString& part : text.split(' ', Qt::SkipEmptyParts)) {
                bool inside = false;
                for (const PdfWord& w : words)
                    inside = inside || (w.text == part && box.contains(w.box.center()) &&
                                        w.box.left() >= box.left() && w.box.right() <= box.right());
                EXPECT_TRUE(inside) << part.toStdString() << " of \"" << text.toStdString() << "\"";
            }
        }
    }
}

// The same wheel gives the same PDF bytes whenever it is written: not stamped with the moment of
// writing (a second apart here), nor with its fonts in the order of a hash seeded per process
// (reseeded here as another process would be).
TEST_F(WheelPaint, PdfSameBytesForTheSameWheel) {
    const QString title = QStringLiteral("Degree wheel: Ada Example");
    const QByteArray first = WheelPdf(CaptionedDrawing(), SystemGlyphOutlines(), title);
    ASSERT_TRUE(first.startsWith("%PDF"));
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    QHashSeed::resetRandomGlobalSeed();
    const QByteArray second = WheelPdf(CaptionedDrawing(), SystemGlyphOutlines(), title);
    EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace velloran
