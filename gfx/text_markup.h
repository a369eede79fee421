// gfx/text_markup.h - drawing and measuring marked-up text with a Font.
//
// Every displayed text may carry inline codes, each "^" followed by letters:
//   ^cNNNNN   colour: the 16-bit pixel value; ^c00000 returns to the previous one
//   ^icNNNNN  fixes the colour against later ^c codes (^y draws in the last ^c)
//   ^bb ^be   bold on / off (kept in the font after the call)
//   ^tlNNNN ^trNNNN ^tzNNNN ^taNNNN
//             tab stops from the start x: left, right-aligned, centred, relative
//   ^fbNNNN ^fe  fixed cell width on / off (kept in the font after the call)
//   ^gllNNNN  the crest of team NNNN, as high as the ink of "A"
//   ^gnkXXHHHHHHHH, ^gu.., ^gt.., ^gs..   a picture by its handle (see
//             Text_Handle_Bild); "l" instead of "k" frees it after drawing
//   ^xXXHHHHHHHH  switch to the font of that handle (Text_Handle_Font)
//   ^l        10 pixels down, back to the start x;  ^zNNNN  NNNN pixels down
//   ^hb ^he ^ub ^ue  markers that drawing ignores;  ^pNNNN, ^s  skipped
//   ^yXXXX    the font colour returns to the colour of the last ^c
// N are decimal digits, H lower-case hexadecimal digits. A code whose operand
// is cut short or holds other characters is no code: its operand is drawn as
// text. Pictures and fonts inside texts are named by handles into a checked
// table, never by addresses, so a text from a file cannot reach memory.
//
// Text is the game's 8-bit code page (Windows-1252).
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

constexpr size_t TEXT_PUFFER = 1024;   // formatted text: at most 1023 characters

// Formats and draws: 1, or 0 without drawing for a null target, font or format,
// an empty format, a font without sheet, or a sheet of another depth than the
// target's when the font may not draw on other depths.
int32_t Text_Printf(Rastport* ziel, Font* font, const char* format, int32_t x, int32_t y, ...)
    __attribute__((format(printf, 3, 6)));
// Draws the marked-up text at (x, y - baseline offset) in `farbe`. With a
// non-zero `fest`, ^c codes do not change the colour that ^y returns to.
void Text_Render(Rastport* ziel, Font* font, uint16_t farbe, const char* text, int32_t x, int32_t y, int32_t fest);

// Draws the glyph of one character with its top-left corner at (x, y) in the
// font's colour, whatever markup meaning the character has elsewhere (typed
// text is drawn as typed). Characters below 32 draw nothing.
void Text_Zeichen_Zeichnen(Rastport* ziel, Font* font, uint8_t zeichen, int32_t x, int32_t y);

// The width of the text up to its end or the first ^t or ^z code, as drawing
// advances (bold included); the font's fixed cell and bold are left as they were.
int32_t Text_Width(Font* font, const char* text);
// The width of the widest ^l-separated line, bold included.
int32_t Text_Block_Size(Font* font, const char* text);

// The operand readers: four decimal digits, eight hexadecimal digits. -1 when
// the operand is cut short or holds another character.
int32_t Markup_Parse_Number(const char* p, int32_t stellen = 4);
int64_t Markup_Parse_Hex(const char* p);

// The characters the code at p (p[0] == '^') takes out of the text; what
// follows them is drawn. Never reads past the terminating zero.
int32_t Markup_Code_Laenge(const char* p);

// Handles of pictures and fonts for texts: a non-zero number to write with
// "%08x" into a ^g or ^x code, 0 when the table (256 entries) is full. The
// caller keeps the object; a ^g..l code frees the picture and its handle.
uint32_t Text_Handle_Bild(Rastport* bild);
uint32_t Text_Handle_Font(Font* font);
void Text_Handle_Loeschen(uint32_t handle);
Rastport* Text_Handle_Bild_Holen(uint32_t handle);   // none for an unknown handle

// The crest drawing of "^gll": draws team `team` into an h x h square at (x, y)
// with the shadow (1, 1, 3). Until the picture module sets it, a framed square
// in the text colour stands in for the crest.
using TextWappenZeichnen = void (*)(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h);
void Text_Wappen_Setzen(TextWappenZeichnen zeichnen);
TextWappenZeichnen Text_Wappen_Holen();

// Copies `text` into `out` (of `groesse` bytes), cut so that its Text_Width
// with `font` is at most `breite`; codes are never cut. Returns `out`.
char* Str_Auf_Breite(const char* text, char* out, size_t groesse, Font* font, int32_t breite);

// A caption with a soft shadow, cached with its background in the shadow cache
// (a leading "#" redraws it). 1, or 0 as Text_Printf refuses.
int32_t Text_Schatten_Print(Rastport* ziel, Font* font, const char* format, int32_t x, int32_t y, ...)
    __attribute__((format(printf, 3, 6)));

}  // namespace velmora
