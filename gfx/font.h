// gfx/font.h - bitmap fonts: the Font record and its file form, the font set of
// the installation ("fontres.res", 17 fonts) and the type-17 resource loader.
//
// File form of a font entry (little-endian 32-bit words):
//   0     "FONT"
//   4     the 3124-byte record:
//           0     65 words not read
//           260   glyph x: 256 words, left column of glyph i in the sheet
//           1284  glyph width: 256 words
//           2308  advance table flag: non-zero when the table follows
//           2312  baseline offset (subtracted from the y given to the renderer)
//           2316  not used
//           2320  colour (low half of the word: a 16-bit pixel value)
//           2324  not used
//           2328  spacing: extra pixels after every glyph
//           2332  fixed cell width (0 = proportional)
//           2336  keep colours: glyphs are copied with their own colours
//           2340  bold: each glyph drawn twice, the second one pixel to the right
//           2344  any depth: an 8-bit coverage sheet painted onto any 15/16-bit target
//           2348  772 bytes not used, then at 3120 the sheet word (ignored)
//   3128  65,536-byte advance table, only when the flag is set
//   then  the glyph sheet, a Rastport in its file form
// Glyph i belongs to the character code i + 32 (codes 32 to 255 of the code
// page, Windows-1252); every glyph spans the full sheet height from row 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/rastport.h"

namespace velmora {

constexpr uint32_t FONT_RECORD_BYTES = 3124;
constexpr uint32_t FONT_TABLE_BYTES = 65536;
constexpr int32_t FONT_SET_ANZAHL = 17;        // fonts of the installation
constexpr int32_t FONT_MAX_SET = 64;
constexpr const char* FONT_RES_DATEI = "fontres.res";

// Record offsets of the fields the program reads.
constexpr uint32_t FONT_OFS_GLYPH_X = 260;
constexpr uint32_t FONT_OFS_GLYPH_BREITE = 1284;
constexpr uint32_t FONT_OFS_TABELLE = 2308;
constexpr uint32_t FONT_OFS_BASELINE = 2312;
constexpr uint32_t FONT_OFS_FARBE = 2320;
constexpr uint32_t FONT_OFS_ABSTAND = 2328;
constexpr uint32_t FONT_OFS_ZELLE = 2332;
constexpr uint32_t FONT_OFS_EIGENE_FARBEN = 2336;
constexpr uint32_t FONT_OFS_FETT = 2340;
constexpr uint32_t FONT_OFS_JEDE_TIEFE = 2344;

struct Font {
    int32_t glyph_x[256] = {};
    int32_t glyph_breite[256] = {};
    uint8_t* tabelle = nullptr;     // 65,536 extra-advance bytes (unsigned), or null
    int32_t baseline = 0;
    uint16_t farbe = 0;             // changed by markup and kept after the call
    int32_t abstand = 0;            // spacing
    int32_t zelle = 0;              // fixed cell width, kept after the call
    int32_t eigene_farben = 0;
    int32_t fett = 0;               // kept after the call
    int32_t jede_tiefe = 0;
    Rastport* bogen = nullptr;      // the glyph sheet
};

// Reads a font entry (magic, record, table, sheet) from its bytes; none for a
// wrong magic, a short or damaged entry, or a record whose glyphs lie outside
// the sheet. `gelesen`, when given, receives the bytes consumed.
Font* Font_Read(const uint8_t* daten, size_t laenge, size_t* gelesen = nullptr);
// The file form of a font (for the font generator and the tests); empty for a
// font without sheet.
std::vector<uint8_t> Font_Write_Mem(const Font* font);
// Frees the sheet, the table and the record; returns null to store back.
Font* Font_Free(Font* font);

// The advance of one character (code page byte) as the renderer moves: the
// fixed cell unless the character is "." or ","; else glyph width + table byte
// + spacing; plus 1 when `fett`. Characters below 32 take nothing.
int32_t Font_Advance(const Font* font, uint8_t zeichen, bool fett);
// Width of one character without cell or bold: glyph width + table byte + spacing.
int32_t Font_Char_Width(const Font* font, uint8_t zeichen);

// Scans the glyph of `zeichen` over the full sheet height for its first and
// last inked row; stores first - 2 into `oben` and returns last - first + 6
// (-2 and 6 for a glyph without ink, 0 for no font).
int32_t Glyph_Ink_Extent(const Font* font, uint8_t zeichen, int32_t* oben);

// The type-17 loader of the resource files: reads the font and brings a sheet
// that may not draw on other depths to the screen depth `tiefe`.
Font* Font_Res_Laden(const uint8_t* daten, size_t laenge, int32_t tiefe);

// The font set. Loads entries first ... first + count - 1 of the open resource
// slot at the screen depth: 1 when loaded, 0 when one failed (the set is then
// freed). A set already loaded, or a count of 0, returns the loaded flag.
int32_t Font_Load_Set(int32_t res_slot, int32_t first, int32_t count);
void Font_Free_Set();
// Font n of the set, or none (with a log line) when n is outside the set.
Font* Font_Get(int32_t n);
int32_t Font_Set_Anzahl();
// Start-up: opens "fontres.res" in the resource-file directory and loads its
// 17 fonts at the screen depth; 1 or 0. The shell's font service.
int32_t Font_Set_Installation_Laden();

}  // namespace velmora
