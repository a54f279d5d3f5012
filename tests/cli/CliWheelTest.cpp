// velloran-cli wheel: the SVG names every body's symbol, label and leader with the longitude the
// reading has, holds no text and no font, gives the same bytes twice and stays small; PNG and
// PDF come with the desktop build; bad values are refused with one line.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../support/Json.h"
#include "CliSamples.h"
#include "cli/Cli.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

using test::Json;

class CliWheel : public test::CliTwoReadings {
protected:
    const char* FolderName() const override { return "velloran-cli-wheel"; }
    std::string Out(const std::string& name) const { return m_folder->Path(name); }

    // id -> data-longitude of every body symbol in an SVG.
    static std::map<std::string, double> SymbolLongitudes(const std::string& svg) {
        std::map<std::string, double> found;
        static const std::regex symbol(R"re(id="([a-z-]+)" data-longitude="([0-9.]+)")re");
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), symbol);
             it != std::sregex_iterator(); ++it) {
            EXPECT_EQ(found.count((*it)[1]), 0u) << "id twice: " << (*it)[1];
            found[(*it)[1]] = std::stod((*it)[2]);
        }
        return found;
    }

    // The longitudes `show --json` gives a chart's bodies, by the wheel's body ids.
    std::map<std::string, double> ShownLongitudes(const std::string& file, const char* chart,
                                                  const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args{"show", file, "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(Run(args), kExitOk) << m_err.str();
        std::string error;
        const std::optional<Json> json = test::JsonReader::Parse(m_out.str(), error);
        EXPECT_TRUE(json) << error;
        std::map<std::string, double> longitudes;
        if (!json) return longitudes;
        for (const Json& body : json->Find(chart)->Find("bodies")->items) {
            std::string id = body.Find("body")->text;
            for (char& c : id) c = c == ' ' ? '-' : static_cast<char>(std::tolower(c));
            longitudes[std::string(chart) + "-" + id] = body.Find("longitude")->number;
        }
        return longitudes;
    }
};

TEST_F(CliWheel, SvgNamesEveryBodyWithTheReadingsLongitude) {
    struct Case {
        std::vector<std::string> extra;
    };
    for (const Case& c : {Case{{}}, Case{{"--positions", "precise"}},
                          Case{{"--positions", "precise", "--node", "true"}}}) {
        SCOPED_TRACE(c.extra.empty() ? "classic" : c.extra.back());
        std::vector<std::string> args{"wheel", ann, "-o", Out("ann.svg")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        ASSERT_EQ(Run(args), kExitOk) << m_err.str();
        const std::string svg = test::ReadFileBytes(Out("ann.svg"));

        std::map<std::string, double> expected = ShownLongitudes(ann, "natal", c.extra);
        for (const auto& [id, longitude] : ShownLongitudes(ann, "draconic", c.extra))
            expected[id] = longitude;
        const std::map<std::string, double> drawn = SymbolLongitudes(svg);
        ASSERT_EQ(drawn.size(), expected.size());
        for (const auto& [id, longitude] : expected) {
            ASSERT_EQ(drawn.count(id), 1u) << id;
            EXPECT_NEAR(drawn.at(id), longitude, 0.00005) << id;
            EXPECT_NE(svg.find("id=\"" + id + "-label\""), std::string::npos) << id;
            EXPECT_NE(svg.find("id=\"" + id + "-leader\""), std::string::npos) << id;
        }
        // No text and no font: every glyph is a path placed by reference.
        EXPECT_EQ(svg.find("<text"), std::string::npos);
        EXPECT_EQ(svg.find("font"), std::string::npos);
        EXPECT_NE(svg.find("<use"), std::string::npos);
        EXPECT_NE(svg.find("viewBox=\"0 0 800 800\""), std::string::npos);
        // 28 bodies with the precise positions, still a small file.
        EXPECT_LT(svg.size(), 100u * 1024u);
    }
}

TEST_F(CliWheel, SameInputSameBytes) {
    ASSERT_EQ(Run({"wheel", ann, "-o", Out("a.svg"), "--with", ravi}), kExitOk) << m_err.str();
    ASSERT_EQ(Run({"wheel", ann, "-o", Out("b.svg"), "--with", ravi}), kExitOk) << m_err.str();
    const std::string a = test::ReadFileBytes(Out("a.svg"));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, test::ReadFileBytes(Out("b.svg")));
}

TEST_F(CliWheel, RingsFollowTheViewAndTheOtherChart) {
    struct Case {
        std::vector<std::string> extra;
        std::vector<std::string> present, absent;
    };
    const std::vector<Case> cases = {
        {{"--view", "natal"}, {"natal-sun", "natal-ascendant"}, {"draconic-sun"}},
        {{"--view", "draconic"}, {"draconic-sun"}, {"natal-sun"}},
        {{}, {"natal-sun", "draconic-sun"}, {"other-sun", "sky-sun"}},
        {{"--with", ravi}, {"other-sun", "draconic-sun"}, {"natal-sun"}},
        // The sky has no ascendant.
        {{"--sky", "2009-01-01T00:00"}, {"sky-sun", "draconic-sun"}, {"sky-ascendant"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"wheel", ann, "-o", Out("w.svg")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        ASSERT_EQ(Run(args), kExitOk) << m_err.str();
        const std::map<std::string, double> drawn =
            SymbolLongitudes(test::ReadFileBytes(Out("w.svg")));
        for (const std::string& id : c.present) EXPECT_EQ(drawn.count(id), 1u) << id;
        for (const std::string& id : c.absent) EXPECT_EQ(drawn.count(id), 0u) << id;
    }
}

TEST_F(CliWheel, RasterAndPdfFiles) {
    const bool desktopBuild =
#ifdef VELLORAN_WHEEL_FILES
        true;
#else
        false;
#endif
    struct Case {
        const char* name;
        std::string magic;
    };
    for (const Case& c : {Case{"w.png", "\x89PNG\r\n"}, Case{"w.PDF", "%PDF-"}}) {
        const int status = Run({"wheel", ann, "-o", Out(c.name), "--size", "300"});
        if (!desktopBuild) {
            EXPECT_EQ(status, kExitFailure);
            EXPECT_NE(m_err.str().find("SVG pictures only"), std::string::npos) << m_err.str();
            continue;
        }
        ASSERT_EQ(status, kExitOk) << m_err.str();
        const std::string bytes = test::ReadFileBytes(Out(c.name));
        EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic) << c.name;
    }
}

TEST_F(CliWheel, RefusesBadValuesWithOneLine) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::string svg = Out("w.svg");
    const std::vector<Case> cases = {
        {{"wheel", ann},
         "velloran-cli: wheel: no picture file given (-o OUT.svg, OUT.pdf or "
         "OUT.png)\n"},
        {{"wheel", ann, "-o", Out("w.gif")}, "the picture's name must end in .svg, .pdf or .png"},
        {{"wheel", ann, "-o", m_folder->Path("svg")}, "must end in .svg, .pdf or .png"},
        {{"wheel", ann, "-o", svg, "--size", "199"}, "--size '199': expected a whole number"},
        {{"wheel", ann, "-o", svg, "--size", "4001"}, "from 200 to 4000"},
        {{"wheel", ann, "-o", svg, "--size", "8e2"}, "from 200 to 4000"},
        {{"wheel", ann, "-o", svg, "--view", "outer"}, "expected natal, draconic or comparison"},
        {{"wheel", ann, "-o", svg, "--theme", "neon"}, "expected light, dark or print"},
        {{"wheel", ann, "-o", svg, "--with", ravi, "--sky", "2009-01-01T00:00"},
         "--with and --sky cannot be given together"},
        {{"wheel", ann, "-o", svg, "--view", "natal", "--with", ravi}, "--view comparison"},
        {{"wheel", ann, "-o", svg, "--sky", "2009-02-30T00:00"}, "on a real date"},
        {{"wheel", ann, "-o", svg, "--node", "true"}, "--node needs --positions precise"},
        {{"wheel", ann, "-o", ann}, "must end in .svg, .pdf or .png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(Run(c.args), kExitFailure);
        const std::string err = m_err.str();
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    EXPECT_TRUE(m_folder->Entries() == (std::vector<std::string>{"ann.vlr", "ravi.vlr"}));
}

// The SVG renders in an ordinary SVG renderer, at its own size, without any font.
TEST_F(CliWheel, SvgRendersWithRsvg) {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert not found";
    ASSERT_EQ(Run({"wheel", ann, "-o", Out("w.svg"), "--with", ravi, "--theme", "dark"}), kExitOk);
    const std::string command =
        "rsvg-convert -o '" + Out("w.png") + "' '" + Out("w.svg") + "' 2>'" + Out("err") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << test::ReadFileBytes(Out("err"));
    const std::string png = test::ReadFileBytes(Out("w.png"));
    ASSERT_GT(png.size(), 24u);
    // PNG header: width and height, big-endian, at bytes 16..23.
    auto be32 = [&](size_t at) {
        return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
               (uint32_t(uint8_t(png[at + 2])) << 8) | uint32_t(uint8_t(png[at + 3]));
    };
    EXPECT_EQ(be32(16), 800u);
    EXPECT_EQ(be32(20), 800u);
}

}  // namespace
}  // namespace velloran
