// tools/mkfonts.cpp - renders the 17 fonts of the installation from the free
// DejaVu fonts through FreeType into the font resource file "fontres.res".
//
//   mkfonts <directory of the DejaVu .ttf files> <output fontres.res>
//
// Each font gets the glyphs of the code page (Windows-1252, codes 32 to 255)
// in one row of its glyph sheet. Fonts that may draw on any depth keep 8-bit
// coverage (smooth edges, painted in the text colour); the others are
// rendered one bit deep into a 5-6-5 sheet whose inked pixels take the text
// colour when drawn. docs/assets.md lists the table below.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "tools/werkzeug.h"

using namespace velmora;

namespace {

struct FontArt {
    const char* datei;
    int32_t pixel;        // em size in pixels
    int32_t jede_tiefe;   // 8-bit coverage sheet
};

// The font table of the installation; the number is the index.
const FontArt TABELLE[FONT_SET_ANZAHL] = {
    {"DejaVuSans.ttf", 10, 0},            // 0  small print
    {"DejaVuSans.ttf", 13, 0},            // 1  text boxes, news
    {"DejaVuSans-Bold.ttf", 20, 0},       // 2  headings, result lines
    {"DejaVuSans-Bold.ttf", 16, 0},       // 3  panel headings
    {"DejaVuSans-Bold.ttf", 30, 0},       // 4  titles
    {"DejaVuSans-Bold.ttf", 9, 1},        // 5  name plates, half-scale match view
    {"DejaVuSans-Bold.ttf", 13, 0},       // 6  buttons, tabs
    {"DejaVuSans.ttf", 12, 0},            // 7  lists
    {"DejaVuSans-Bold.ttf", 11, 0},       // 8  labels, status line
    {"DejaVuSans.ttf", 11, 0},            // 9  panels and tables
    {"DejaVuSans-Bold.ttf", 10, 0},       // 10 player plates
    {"DejaVuSansMono-Bold.ttf", 16, 0},   // 11 digits in fixed cells
    {"DejaVuSansMono.ttf", 12, 0},        // 12 number columns
    {"DejaVuSerif-Bold.ttf", 18, 0},      // 13 news headlines
    {"DejaVuSans-Bold.ttf", 18, 0},       // 14 team names, shadowed captions
    {"DejaVuSans-Bold.ttf", 8, 0},        // 15 shirt numbers
    {"DejaVuSans-Bold.ttf", 14, 1},       // 16 name plates, full-scale match view
};

// Windows-1252 codes 128 to 159 in Unicode; 0 where the code page has no character.
const uint16_t CP1252_80[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t Unicode(int32_t code) { return code >= 128 && code < 160 ? CP1252_80[code - 128] : uint32_t(code); }

struct Glyphe {
    int32_t breite = 0;
    int32_t links = 0, oben = 0;   // bitmap position in the cell, from the baseline
    int32_t w = 0, h = 0;
    std::vector<uint8_t> deckung;  // w x h, 0 or 255 for one-bit glyphs
};

bool Font_Bauen(FT_Library lib, const std::string& pfad, const FontArt& art, std::vector<uint8_t>& out) {
    FT_Face face;
    if (FT_New_Face(lib, pfad.c_str(), 0, &face)) {
        std::fprintf(stderr, "mkfonts: %s not readable\n", pfad.c_str());
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(art.pixel));
    const int32_t ascent = int32_t((face->size->metrics.ascender + 63) >> 6);
    const int32_t descent = int32_t((-face->size->metrics.descender + 63) >> 6);
    const int32_t hoehe = ascent + descent;
    const FT_Int32 laden = art.jede_tiefe ? FT_LOAD_RENDER : (FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
    std::vector<Glyphe> glyphen(224);
    int32_t gesamt = 0;
    for (int32_t code = 32; code < 256; ++code) {
        Glyphe& gl = glyphen[size_t(code - 32)];
        const uint32_t u = Unicode(code);
        const FT_UInt index = u ? FT_Get_Char_Index(face, u) : 0;
        if (!index || FT_Load_Glyph(face, index, laden)) continue;
        const FT_GlyphSlot s = face->glyph;
        const FT_Bitmap& b = s->bitmap;
        gl.links = s->bitmap_left < 0 ? 0 : s->bitmap_left;
        gl.oben = s->bitmap_top;
        gl.w = int32_t(b.width);
        gl.h = int32_t(b.rows);
        gl.deckung.assign(size_t(gl.w) * gl.h, 0);
        for (int32_t y = 0; y < gl.h; ++y)
            for (int32_t x = 0; x < gl.w; ++x) {
                const uint8_t* zeile = b.buffer + ptrdiff_t(y) * b.pitch;
                const uint8_t v = b.pixel_mode == FT_PIXEL_MODE_MONO ? ((zeile[x >> 3] >> (7 - (x & 7))) & 1) * 255
                                                                     : zeile[x];
                gl.deckung[size_t(y) * gl.w + x] = v;
            }
        const int32_t vorschub = int32_t((s->advance.x + 32) >> 6);
        gl.breite = std::max(vorschub, gl.links + gl.w);
        gesamt += gl.breite;
    }
    const int32_t tiefe = art.jede_tiefe ? 8 : 16;
    Font f;
    f.bogen = Rastport_Create(gesamt, hoehe, tiefe, 0, 0);
    if (!f.bogen) {
        FT_Done_Face(face);
        return false;
    }
    void* px = f.bogen->pixels->pixels;
    std::memset(px, 0, f.bogen->pixels->byte_size);
    int32_t x0 = 0;
    for (int32_t i = 0; i < 224; ++i) {
        const Glyphe& gl = glyphen[size_t(i)];
        f.glyph_x[i] = x0;
        f.glyph_breite[i] = gl.breite;
        for (int32_t y = 0; y < gl.h; ++y) {
            const int32_t zy = ascent - gl.oben + y;
            if (zy < 0 || zy >= hoehe) continue;
            for (int32_t x = 0; x < gl.w; ++x) {
                const uint8_t v = gl.deckung[size_t(y) * gl.w + x];
                const size_t k = size_t(zy) * gesamt + x0 + gl.links + x;
                if (tiefe == 8) static_cast<uint8_t*>(px)[k] = v;
                else if (v) static_cast<uint16_t*>(px)[k] = 0xFFFF;
            }
        }
        x0 += gl.breite;
    }
    f.baseline = ascent;
    f.farbe = 0xFFFF;
    f.jede_tiefe = art.jede_tiefe;
    out = Font_Write_Mem(&f);
    Rastport_Free(f.bogen);
    FT_Done_Face(face);
    return !out.empty();
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* BENUTZUNG =
        "Usage: mkfonts <font directory> <output fontres.res>\n"
        "Renders the 17 fonts of the installation from the DejaVu .ttf files of the font directory.\n";
    if (int ende = werkzeug::Hilfe_Oder_Version(argc, argv, "mkfonts", BENUTZUNG); ende >= 0) return ende;
    if (argc != 3 || argv[1][0] == '-' || argv[2][0] == '-') {
        return werkzeug::Falsch("mkfonts", "needs a font directory and an output file");
    }
    FT_Library lib;
    if (FT_Init_FreeType(&lib)) {
        std::fprintf(stderr, "mkfonts: FreeType does not start\n");
        return 1;
    }
    std::vector<ResDateiEintrag> eintraege;
    bool ok = true;
    for (const FontArt& art : TABELLE) {
        ResDateiEintrag e;
        e.typ = RES_TYP_FONT;
        if (!Font_Bauen(lib, std::string(argv[1]) + "/" + art.datei, art, e.bytes)) {
            ok = false;
            break;
        }
        eintraege.push_back(std::move(e));
    }
    FT_Done_FreeType(lib);
    if (!ok || !Res_Schreiben(argv[2], eintraege)) {
        std::fprintf(stderr, "mkfonts: %s not written\n", argv[2]);
        return 1;
    }
    return 0;
}
