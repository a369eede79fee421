// gfx/texteingabe.h - the one-line text entry of the whole game.
//
// A screen calls Texteingabe_Edit every frame while one of its fields is being
// edited, until the call returns non-zero. The module keeps the edit between
// the calls (one field at a time), takes the frame's keys (core/taste.h) and
// the mouse, draws the field with its text, selection and blinking cursor onto
// the current target, and reports how the edit ended. Typed text is drawn as
// typed: a "^" or "%" in it is a character like any other, never markup.
#pragma once
#include <cstdint>

#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

// Flags of a field.
constexpr uint32_t TEXTEINGABE_NAME = 0x1;           // the name character set
constexpr uint32_t TEXTEINGABE_ZAHL = 0x2;           // a number: starts as the value, sets it at the end
constexpr uint32_t TEXTEINGABE_STANDARD = 0x4;       // the default character set (wins over 1 and 2)
constexpr uint32_t TEXTEINGABE_ALLES_MARKIERT = 0x10;   // the whole text starts selected
constexpr uint32_t TEXTEINGABE_NUR_TASTEN = 0x20;    // only Enter, Tab, Escape or another field end it
constexpr uint32_t TEXTEINGABE_MAUS = 0x80;          // a left click places the cursor, dragging selects
constexpr uint32_t TEXTEINGABE_RECHTS_ENDE = 0x100;  // a right click ends the edit
constexpr uint32_t TEXTEINGABE_FEST = 0x200;         // text 4 right and 1 down, field height 14
constexpr uint32_t TEXTEINGABE_KLICK_AUSSEN = 0x1000;   // with 0x80: a left click outside ends the edit

// Results of Texteingabe_Edit.
constexpr int32_t TEXTEINGABE_LAEUFT = 0;
constexpr int32_t TEXTEINGABE_KEIN_SPEICHER = -1;
constexpr int32_t TEXTEINGABE_ABGELOEST = 1;      // another field took over
constexpr int32_t TEXTEINGABE_TAB = 9;
constexpr int32_t TEXTEINGABE_ESCAPE = 27;
constexpr int32_t TEXTEINGABE_ENTER = 35;         // "#": Enter, or a click the flags allow
constexpr int32_t TEXTEINGABE_SHIFT_TAB = 37;     // "%"

constexpr uint16_t TEXTEINGABE_FARBE_AUSWAHL = 50055;
constexpr uint16_t TEXTEINGABE_FARBE_CURSOR = 65504;
// A held key types its character at most once in this many milliseconds.
constexpr uint32_t TEXTEINGABE_WIEDERHOLUNG_MS = 150;

// One frame of editing the field at (x, y), breite x hoehe, whose text lives in
// `text` (a buffer of `groesse` bytes). At most `max_laenge` characters, and
// never more than the buffer holds (groesse - 1). The text is drawn at
// (text_x, text_y) inside the field in `farbe`. The background picture and its
// position are accepted for the callers' sake; the field's look comes from the
// current target's area under it. `wert` is the value of a number field
// (flag 2): the text starts as it and it is set from the text when the edit
// ends (digits up to the first other character, at most 4,294,967,295).
// Returns 0 while editing, -1 when the first call cannot get its memory (the
// edit stays idle), 35 for Enter or an ending click, 9 for Tab, 37 for
// Shift+Tab, 27 for Escape (the text as it was when the edit began is back),
// 1 when another field calls while an edit runs (that edit ends, the new
// field starts on its next call). A missing font or text, a size, maximum,
// width or height below 1, or a negative x or y give 0 and change nothing.
int32_t Texteingabe_Edit(Font* font, char* text, int32_t groesse, int32_t max_laenge, uint32_t flags, int32_t x,
                         int32_t y, int32_t breite, int32_t hoehe, int32_t text_x, int32_t text_y,
                         Rastport* hintergrund, int32_t hintergrund_x, int32_t hintergrund_y, uint32_t* wert,
                         uint16_t farbe);
// The width of the first n characters: glyph width + spacing each, no markup.
int32_t Texteingabe_Breite(const Font* font, const char* text, int32_t n);
// The cursor position under the mouse for a text drawn from `feld_x`: the
// first n whose width passes mouse x - feld_x, minus 1 (at least 0), or the
// text's length.
int32_t Texteingabe_Position(const Font* font, const char* text, int32_t feld_x);
// True while an edit runs and its cursor blinks (then keyboard shortcuts stay off).
bool Texteingabe_Blink_An();
// Ends any edit and frees its buffers and picture (a screen closing, the program's end).
void Texteingabe_Free();

// The running edit as a screen or a test sees it.
struct TexteingabeStand {
    int32_t zustand = 0;          // 0 idle, 1 editing, 2 ended because another field took over
    int32_t cursor = 0;
    int32_t auswahl_start = -1;   // -1: no selection
    int32_t auswahl_ende = -1;
    bool cursor_sichtbar = false;
};
TexteingabeStand Texteingabe_Stand();

}  // namespace velmora
