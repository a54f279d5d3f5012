// The wheel's SVG document: read back with an XML reader, compared with PlaceText, and rendered
// with rsvg-convert when it is installed.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>
#include <set>

#include "glyphs/SystemGlyphs.h"
#include "wheel/WheelSvg.h"
#include "wheel_output/TestDrawing.h"

namespace velloran {
namespace {

struct Use {
    QString href;
    double x = 0, y = 0, scale = 0;
};
struct Group {
    QString dataLongitude;
    bool hasDataLongitude = false;
    std::vector<Use> uses;
};

// What the tests look at in a document.
struct Parsed {
    QString error;
    std::map<QString, QString> root;  // the svg element's attributes
    std::vector<QString> definedIds;  // paths in <defs>, in order
    std::map<QString, Group> groups;  // groups with an id
    std::vector<Use> uses;            // every <use>
    std::vector<QString> colours;     // every fill and stroke
    std::vector<QString> pathData;    // d of the paths outside <defs>
    std::vector<std::map<QString, QString>> circles;
    int textElements = 0;
    QString firstChild;
};

Parsed Parse(const std::string& svg) {
    Parsed parsed;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    bool inDefs = false;
    std::vector<QString> openGroups;  // id or "" per open <g>
    static const QRegularExpression transform(
        R"(^translate\(([-0-9.]+) ([-0-9.]+)\) scale\(([-0-9.]+)\)$)");
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"defs") inDefs = false;
            if (xml.name() == u"g") openGroups.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        const QString name = xml.name().toString();
        const QXmlStreamAttributes a = xml.attributes();
        if (name == "svg") {
            parsed.root["xmlns"] = xml.namespaceUri().toString();
            for (const auto& attribute : a) {
                parsed.root[attribute.qualifiedName().toString()] = attribute.value().toString();
            }
            continue;
        }
        if (parsed.firstChild.isEmpty()) parsed.firstChild = name;
        for (const char* paint : {"fill", "stroke"}) {
            if (a.hasAttribute(paint)) parsed.colours.push_back(a.value(paint).toString());
        }
        if (name == "text") ++parsed.textElements;
        if (name == "defs") inDefs = true;
        if (name == "path" && inDefs) parsed.definedIds.push_back(a.value("id").toString());
        if (name == "path" && !inDefs) parsed.pathData.push_back(a.value("d").toString());
        if (name == "circle") {
            std::map<QString, QString> attributes;
            for (const auto& attribute : a) {
                attributes[attribute.name().toString()] = attribute.value().toString();
            }
            parsed.circles.push_back(attributes);
        }
        if (name == "g") {
            const QString id = a.value("id").toString();
            openGroups.push_back(id);
            if (!id.isEmpty()) {
                Group& g = parsed.groups[id];
                g.hasDataLongitude = a.hasAttribute("data-longitude");
                g.dataLongitude = a.value("data-longitude").toString();
            }
        }
        if (name == "use") {
            Use use;
            use.href = a.hasAttribute("href")
                           ? a.value("href").toString()
                           : a.value("http://www.w3.org/1999/xlink", "href").toString();
            const auto m = transform.match(a.value("transform").toString());
            EXPECT_TRUE(m.hasMatch()) << a.value("transform").toString().toStdString();
            use.x = m.captured(1).toDouble();
            use.y = m.captured(2).toDouble();
            use.scale = m.captured(3).toDouble();
            parsed.uses.push_back(use);
            for (const QString& id : openGroups) {
                if (!id.isEmpty()) parsed.groups[id].uses.push_back(use);
            }
        }
    }
    if (xml.hasError()) parsed.error = xml.errorString();
    return parsed;
}

TEST(WheelSvg, GroupsGlyphDefinitionsAndPlacementsReadBack) {
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    const WheelDrawing drawing = test::SmallDrawing();
    const std::string svg = WheelSvg(drawing, outlines);
    const Parsed parsed = Parse(svg);
    ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();

    EXPECT_EQ(parsed.root.at("xmlns"), "http://www.w3.org/2000/svg");
    EXPECT_EQ(parsed.root.at("viewBox"), "0 0 200 200");
    EXPECT_EQ(parsed.root.at("width"), "200");
    EXPECT_EQ(parsed.root.at("height"), "200");
    EXPECT_EQ(parsed.firstChild, "rect");  // the background
    EXPECT_EQ(parsed.textElements, 0);
    EXPECT_EQ(svg.find("<text"), std::string::npos);

    // Ids as given; data-longitude only where there is one.
    ASSERT_EQ(parsed.groups.size(), 3u);
    EXPECT_EQ(parsed.groups.at("natal-sun").dataLongitude, "123.4567");
    EXPECT_FALSE(parsed.groups.at("natal-sun-label").hasDataLongitude);
    EXPECT_FALSE(parsed.groups.at("natal-sun-leader").hasDataLongitude);
    EXPECT_EQ(parsed.groups.at("natal-sun").uses.size(), 1u);
    EXPECT_EQ(parsed.groups.at("natal-sun-label").uses.size(), 5u);
    EXPECT_TRUE(parsed.groups.at("natal-sun-label").uses.size() > 0 &&
                parsed.groups.at("natal-sun-label").uses[2].href == "#g-264C");

    // Each glyph used is defined once, in code point order, and each definition is used.
    std::set<QString> defined(parsed.definedIds.begin(), parsed.definedIds.end());
    EXPECT_EQ(defined.size(), parsed.definedIds.size());
    EXPECT_TRUE(std::is_sorted(
        parsed.definedIds.begin(), parsed.definedIds.end(), [](const QString& a, const QString& b) {
            return a.mid(2).toUInt(nullptr, 16) < b.mid(2).toUInt(nullptr, 16);
        }));
    std::set<QString> referenced;
    for (const Use& use : parsed.uses) {
        ASSERT_TRUE(use.href.startsWith('#'));
        referenced.insert(use.href.mid(1));
    }
    EXPECT_EQ(referenced, defined);
    const std::set<QString> expected = {"g-0030", "g-0031", "g-0035", "g-0037",
                                        "g-0041", "g-0043", "g-2609", "g-264C"};
    EXPECT_EQ(defined, expected);

    static const QRegularExpression colour("^(#[0-9a-f]{6}|none)$");
    for (const QString& c : parsed.colours) {
        EXPECT_TRUE(colour.match(c).hasMatch()) << c.toStdString();
    }
    // The spokes as one path, the leader as another.
    EXPECT_EQ(parsed.pathData.size(), 2u);
}

// A label drawn as several texts (degree, sign, minute, ℞ stacked along the body's ray) is one
// group: an id names one element.
TEST(WheelSvg, ConsecutiveItemsWithOneIdShareOneGroup) {
    WheelDrawing drawing;
    drawing.size = 100;
    auto text = [](std::u32string t, double top, std::string id) {
        DrawItem item;
        item.kind = DrawItem::Kind::Text;
        item.text = std::move(t);
        item.box = {10, top, 40, top + 10};
        item.fill = WheelColour{0, 0, 0};
        item.id = std::move(id);
        return item;
    };
    drawing.items = {text(U"15", 10, "natal-sun-label"), text(U"\u264C", 20, "natal-sun-label"),
                     text(U"07", 30, "natal-sun-label"), text(U"1", 50, ""),
                     text(U"2", 60, "natal-moon-label")};
    const std::string svg = WheelSvg(drawing, SystemGlyphOutlines());
    const Parsed parsed = Parse(svg);
    ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    size_t count = 0;
    for (size_t at = svg.find("id=\"natal-sun-label\""); at != std::string::npos;
         at = svg.find("id=\"natal-sun-label\"", at + 1))
        ++count;
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(parsed.groups.at("natal-sun-label").uses.size(), 5u);
    EXPECT_EQ(parsed.groups.at("natal-moon-label").uses.size(), 1u);
    EXPECT_EQ(parsed.uses.size(), 7u);
}

TEST(WheelSvg, PlacementsAreThoseOfPlaceText) {
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    const WheelDrawing drawing = test::SmallDrawing();
    const Parsed parsed = Parse(WheelSvg(drawing, outlines));
    size_t next = 0;
    for (const DrawItem& item : drawing.items) {
        if (item.kind != DrawItem::Kind::Text) continue;
        const WheelBox& box = item.box;
        for (const GlyphPlacement& p : PlaceText(outlines, item.text, box.left, box.top, box.right,
                                                 box.bottom, box.height())) {
            ASSERT_LT(next, parsed.uses.size());
            const Use& use = parsed.uses[next++];
            char id[16];
            std::snprintf(id, sizeof id, "#g-%04X", static_cast<unsigned>(p.c));
            EXPECT_EQ(use.href, id);
            EXPECT_NEAR(use.x, p.x, 5e-4);
            EXPECT_NEAR(use.y, p.y, 5e-4);
            EXPECT_NEAR(use.scale, p.scale, 5e-4);
        }
    }
    EXPECT_EQ(next, parsed.uses.size());
}

TEST(WheelSvg, NumbersHaveAtMostThreeDecimalsAndNoTrailingZeros) {
    struct Case {
        WheelPoint from, to;
        const char* pathData;
    };
    const Case cases[] = {
        {{1.0 / 3, 2.5}, {100, -0.0004}, "M.333 2.5L100 0"},
        {{-0.5, 12.30049}, {7, -3.14159}, "M-.5 12.3L7-3.142"},
        {{1234.0006, 0.0996}, {-20.25, 9.9999}, "M1234.001 .1L-20.25 10"},
    };
    for (const Case& c : cases) {
        WheelDrawing drawing;
        drawing.size = 100;
        DrawItem segment;
        segment.kind = DrawItem::Kind::Segments;
        segment.stroke = test::kInk;
        segment.strokeWidth = 0.5;
        segment.segments = {{c.from, c.to}};
        drawing.items.push_back(segment);
        DrawItem circle;
        circle.kind = DrawItem::Kind::Circle;
        circle.centre = c.from;
        circle.radius = 2.0 / 3;
        circle.fill = test::kRed;
        drawing.items.push_back(circle);

        const Parsed parsed = Parse(WheelSvg(drawing, GlyphOutlines()));
        ASSERT_EQ(parsed.pathData.size(), 1u);
        EXPECT_EQ(parsed.pathData[0], c.pathData);
        ASSERT_EQ(parsed.circles.size(), 1u);
        EXPECT_EQ(parsed.circles[0].at("r"), "0.667");
        EXPECT_EQ(parsed.circles[0].at("fill"), "#c81414");
        EXPECT_EQ(parsed.circles[0].count("stroke"), 0u);
        EXPECT_DOUBLE_EQ(parsed.circles[0].at("cx").toDouble(), std::round(c.from.x * 1000) / 1000);
    }
}

TEST(WheelSvg, SameDrawingSameBytesAndABiWheelStaysSmall) {
    const GlyphOutlines& outlines = SystemGlyphOutlines();
    // A second load of the same fonts: nothing may depend on where or in which order things sit
    // in memory.
    const GlyphOutlines reloaded = LoadGlyphOutlines(outlines.sources[0], outlines.sources[1]);
    const WheelDrawing busy = test::BusyDrawing();
    const std::string svg = WheelSvg(busy, outlines);
    EXPECT_EQ(svg, WheelSvg(busy, outlines));
    EXPECT_EQ(svg, WheelSvg(busy, reloaded));
    EXPECT_EQ(WheelSvg(test::SmallDrawing(), outlines), WheelSvg(test::SmallDrawing(), reloaded));

    EXPECT_LT(svg.size(), 100u * 1024) << svg.size();
    const Parsed parsed = Parse(svg);
    ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    EXPECT_EQ(parsed.groups.size(), 30u * 3);
    EXPECT_EQ(parsed.groups.at("draconic-chiron").uses.size(), 1u);
}

// The PNG's width and height from its header.
std::pair<int, int> PngSize(const QByteArray& png) {
    if (png.size() < 24 || !png.startsWith("\x89PNG\r\n\x1a\n")) return {0, 0};
    auto be32 = [&](int at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    return {be32(16), be32(20)};
}

TEST(WheelSvg, RendersWithRsvgConvert) {
    const QString rsvg = QStandardPaths::findExecutable("rsvg-convert");
    if (rsvg.isEmpty()) GTEST_SKIP() << "rsvg-convert is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const WheelDrawing& drawing : {test::SmallDrawing(), test::BusyDrawing()}) {
        const QString svgPath = dir.filePath("wheel.svg");
        const QString pngPath = dir.filePath("wheel.png");
        QFile svg(svgPath);
        ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write(QByteArray::fromStdString(WheelSvg(drawing, SystemGlyphOutlines())));
        svg.close();
        QProcess process;
        process.start(rsvg, {"-o", pngPath, svgPath});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_TRUE(process.readAllStandardError().isEmpty());
        QFile png(pngPath);
        ASSERT_TRUE(png.open(QIODevice::ReadOnly));
        const int side = static_cast<int>(drawing.size);
        EXPECT_EQ(PngSize(png.readAll()), std::make_pair(side, side));
    }
}

}  // namespace
}  // namespace velloran
