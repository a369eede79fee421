// gfx/text_layout.h - word wrapping and paragraph layout of marked-up text
// into a box, with German hyphenation, centred and justified lines.
//
// One layout runs at a time: Textsatz_Box starts it, adds the words and
// flushes in one call; the font, flags and line buffer are module state that
// the next box overwrites. Screens usually lay a text out twice, first in
// colour 1 one pixel lower and to the right, then in the text colour, which
// gives a shadow.
#pragma once
#include <cstdint>

#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

// Flag bits of a layout.
constexpr uint8_t TEXTSATZ_ZENTRIERT = 1;     // centre each line
constexpr uint8_t TEXTSATZ_HOCH_94 = 2;       // after a line feed that reaches y 94, move up by 7
constexpr uint8_t TEXTSATZ_BLOCKSATZ = 4;     // justify by widening the gaps between words
constexpr uint8_t TEXTSATZ_TRENNEN = 8;       // hyphenate German words at syllable boundaries

constexpr int32_t TEXTSATZ_MAX_WORT = 399;
constexpr int32_t TEXTSATZ_MAX_ZEILE = 999;

constexpr int32_t TEXTSATZ_START = 1;
constexpr int32_t TEXTSATZ_WORT = 0;
constexpr int32_t TEXTSATZ_FLUSH = 2;

// Lays `text` out into the box (left, top)-(right, bottom) in `farbe`. A line
// height of -1 takes the glyph sheet's height - 1. Words end at spaces (a space
// before "!" or "?" stays inside the word) and byte 160; "^l" and a carriage
// return end the paragraph. A text beginning with "#" loses it and is never
// centred. Lines whose glyphs would pass the bottom stop the box. Returns the
// y below the last line.
int32_t Textsatz_Box(Rastport* ziel, Font* font, const char* text, int32_t left, int32_t right, int32_t top,
                     int32_t bottom, uint16_t farbe, uint8_t flags, int32_t zeilenhoehe);
// One step of a layout: mode TEXTSATZ_START begins at (x + left indent, y) with
// the flags, TEXTSATZ_WORT adds `wort`, TEXTSATZ_FLUSH draws what is left.
// Returns the current y.
int32_t Textsatz_Absatz(Rastport* ziel, const char* wort, int32_t breite, int32_t x, int32_t y, int32_t modus,
                        uint8_t flags, uint16_t farbe, int32_t zeilenhoehe, int32_t einzug_links,
                        int32_t einzug_rechts);
// The word scanner of the running layout.
void Textsatz_Text(Rastport* ziel, const char* text, int32_t breite, uint16_t farbe, int32_t zeilenhoehe);
// Sets the font colour to `farbe`, then draws the line (as text, not as a format).
void Textsatz_Line_Draw(Rastport* ziel, const char* text, int32_t x, int32_t y, uint16_t farbe);
void Textsatz_Line_Centre(Rastport* ziel, const char* text, int32_t left, int32_t right, int32_t y, uint16_t farbe);
// The font of the running layout (set by Textsatz_Box).
void Textsatz_Font_Setzen(Font* font);

// The hyphenation point of `wort` (length `n`): the last position p after which
// the word may be cut so that `benutzt` + the width of characters 0...p stays
// below `max_breite`; -1 when there is none. A "ck" across the cut becomes "k"
// (the word is changed), so that the line ends "k-" and the next begins "k".
int32_t Textsatz_Trennstelle(Font* font, char* wort, int32_t n, int32_t max_breite, int32_t benutzt);

}  // namespace velmora
