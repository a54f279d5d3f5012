#include "glyphs/SystemGlyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include <strings.h>
#include <memory>
#include <optional>

namespace velloran {

namespace {

const char* const kMissingSymbolsNote =
    "The astrological symbols need the Symbola font (Debian package fonts-symbola); the wheel "
    "shows two-letter labels.";
const char* const kMissingTextNote =
    "No font was found for the wheel's digits and letters (Debian package fonts-dejavu-core); "
    "the wheel shows no text.";

struct FontFile {
    std::string path;
    int index = 0;
};

// One font face opened by FreeType; closes face and library on destruction.
class Face {
public:
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    ~Face() {
        if (m_face) FT_Done_Face(m_face);
        if (m_library) FT_Done_FreeType(m_library);
    }

    static std::unique_ptr<Face> Open(const FontFile& file) {
        if (file.path.empty()) return nullptr;
        std::unique_ptr<Face> face(new Face);
        if (FT_Init_FreeType(&face->m_library) != 0) return nullptr;
        if (FT_New_Face(face->m_library, file.path.c_str(), file.index, &face->m_face) != 0) {
            face->m_face = nullptr;
            return nullptr;
        }
        if (!FT_IS_SCALABLE(face->m_face) || face->m_face->units_per_EM == 0) return nullptr;
        return face;
    }

    // The outline of c in em units, y downwards; nothing when the font lacks c.
    std::optional<GlyphOutline> outline(char32_t c) const;

private:
    Face() = default;
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

// Collects FreeType's outline walk as PathOps in em units with y downwards.
struct PathBuilder {
    PathData path;
    double unit = 1.0;  // em per font unit
    bool open = false;

    PathPoint point(const FT_Vector* v) const {
        return {static_cast<double>(v->x) * unit, -static_cast<double>(v->y) * unit};
    }
    static PathBuilder& Of(void* user) { return *static_cast<PathBuilder*>(user); }

    static int MoveTo(const FT_Vector* to, void* user) {
        PathBuilder& b = Of(user);
        if (b.open) b.path.push_back({PathOp::Kind::Close, {}, {}, {}});
        b.path.push_back({PathOp::Kind::MoveTo, b.point(to), {}, {}});
        b.open = true;
        return 0;
    }
    static int LineTo(const FT_Vector* to, void* user) {
        PathBuilder& b = Of(user);
        b.path.push_back({PathOp::Kind::LineTo, b.point(to), {}, {}});
        return 0;
    }
    static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        PathBuilder& b = Of(user);
        b.path.push_back({PathOp::Kind::QuadTo, b.point(control), b.point(to), {}});
        return 0;
    }
    static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        PathBuilder& b = Of(user);
        b.path.push_back({PathOp::Kind::CubicTo, b.point(c1), b.point(c2), b.point(to)});
        return 0;
    }
};

std::optional<GlyphOutline> Face::outline(char32_t c) const {
    const FT_UInt index = FT_Get_Char_Index(m_face, c);
    if (index == 0) return std::nullopt;
    // Unscaled and unhinted: the design outline, in font units.
    if (FT_Load_Glyph(m_face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) !=
        0) {
        return std::nullopt;
    }
    const FT_GlyphSlot slot = m_face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return std::nullopt;

    const double unit = 1.0 / m_face->units_per_EM;
    GlyphOutline glyph;
    glyph.advance = static_cast<double>(slot->metrics.horiAdvance) * unit;
    if (slot->outline.n_points > 0) {
        PathBuilder builder;
        builder.unit = unit;
        FT_Outline_Funcs funcs{};
        funcs.move_to = &PathBuilder::MoveTo;
        funcs.line_to = &PathBuilder::LineTo;
        funcs.conic_to = &PathBuilder::ConicTo;
        funcs.cubic_to = &PathBuilder::CubicTo;
        if (FT_Outline_Decompose(&slot->outline, &funcs, &builder) != 0) return std::nullopt;
        if (builder.open) builder.path.push_back({PathOp::Kind::Close, {}, {}, {}});
        glyph.path = std::move(builder.path);

        FT_BBox box;
        if (FT_Outline_Get_BBox(&slot->outline, &box) == 0) {
            glyph.inkLeft = static_cast<double>(box.xMin) * unit;
            glyph.inkRight = static_cast<double>(box.xMax) * unit;
            glyph.inkTop = -static_cast<double>(box.yMax) * unit;
            glyph.inkBottom = -static_cast<double>(box.yMin) * unit;
        }
    }
    return glyph;
}

// The file fontconfig picks for family; nothing when there is none or, with exactFamily, when
// its pick is another family (fontconfig always answers with some font).
std::optional<FontFile> MatchFont(FcConfig* config, const char* family, bool exactFamily) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    // Without that family, the nearest sans font rather than whatever the default would be.
    if (!exactFamily) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    }
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;

    std::optional<FontFile> found;
    FcChar8* matchedFamily = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    const bool familyOk =
        !exactFamily || (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
                         strcasecmp(reinterpret_cast<const char*>(matchedFamily), family) == 0);
    if (familyOk && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        found = FontFile{reinterpret_cast<const char*>(file), index};
    }
    FcPatternDestroy(match);
    return found;
}

GlyphOutlines LoadOutlines(const FontFile& symbolFont, const FontFile& textFont) {
    GlyphOutlines outlines;
    const std::unique_ptr<Face> symbols = Face::Open(symbolFont);
    const std::unique_ptr<Face> text = Face::Open(textFont);

    bool allSymbols = symbols != nullptr;
    if (symbols) {
        outlines.sources.push_back(symbolFont.path);
        for (const char32_t c : kAstrologicalSymbols) {
            if (auto glyph = symbols->outline(c)) {
                outlines.add(c, std::move(*glyph));
            } else {
                allSymbols = false;
            }
        }
    }
    if (text) outlines.sources.push_back(textFont.path);
    bool allText = true;
    for (const char32_t c : kTextCharacters) {
        std::optional<GlyphOutline> glyph = text ? text->outline(c) : std::nullopt;
        if (!glyph && symbols) glyph = symbols->outline(c);
        if (glyph) {
            outlines.add(c, std::move(*glyph));
        } else {
            allText = false;
        }
    }

    outlines.setHasSymbols(allSymbols);
    std::string note;
    if (!allSymbols) note = kMissingSymbolsNote;
    if (!allText) {
        if (!note.empty()) note += ' ';
        note += kMissingTextNote;
    }
    outlines.setNote(std::move(note));
    return outlines;
}

GlyphOutlines FindAndLoadSystemOutlines() {
    FontFile symbolFont, textFont;
    if (FcConfig* config = FcInitLoadConfigAndFonts()) {
        if (auto found = MatchFont(config, "Symbola", true)) symbolFont = *found;
        if (auto found = MatchFont(config, "DejaVu Sans", false)) textFont = *found;
        FcConfigDestroy(config);
    }
    return LoadOutlines(symbolFont, textFont);
}

}  // namespace

GlyphOutlines LoadGlyphOutlines(const std::string& symbolFont, const std::string& textFont) {
    return LoadOutlines({symbolFont, 0}, {textFont, 0});
}

const GlyphOutlines& SystemGlyphOutlines() {
    static const GlyphOutlines outlines = FindAndLoadSystemOutlines();
    return outlines;
}

}  // namespace velloran
