// screens/editor_zeichnen.h - what the team editor's pages draw alike: the
// palette's colours as pixels, the pointer, texts (typed ones as typed), the
// pictures and the buttons.
#pragma once
#include <cstdint>
#include <string>

#include "gfx/bild_leinwand.h"
#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

constexpr uint16_t Editor_Farbe(Rgb c) { return uint16_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3)); }
constexpr uint16_t EDITOR_WEISS = 0xFFFF, EDITOR_GOLD = Editor_Farbe(palette::GOLD),
                   EDITOR_GRAU = Editor_Farbe(palette::GRAU), EDITOR_NACHT = Editor_Farbe(palette::NACHT),
                   EDITOR_TAFEL_HELL = Editor_Farbe(palette::TAFEL_HELL);

// The pointer of this frame (-1, -1 without one).
void Editor_Maus(int32_t* x, int32_t* y);
// A text at (x, baseline y) on the current target.
void Editor_Schreiben(Font* f, int32_t x, int32_t y, uint16_t farbe, const char* text);
// A typed text, drawn as typed (a markup character stands for itself), right-aligned at `ende`.
void Editor_Rechts(Font* f, int32_t ende, int32_t y, uint16_t farbe, const std::string& text);
// One of the editor's pictures (gfx/bildnr_editor.h) at (x, y), cut to
// `breite` x `hoehe` pixels where those are not -1.
void Editor_Bild(int32_t bild, int32_t x, int32_t y, int32_t breite = -1, int32_t hoehe = -1);
// A button: its picture at (x, y) with the label centred on it in white.
void Editor_Knopf(int32_t bild, Font* f, int32_t x, int32_t y, const char* text);

struct s_icon;
// A page over the editor: a catcher over the whole screen (nothing under the
// page takes a click) and the page's icon at (x, y), b x h, which takes left
// and right clicks. The records stay the caller's; both go on screen.
void Editor_Seite_Anlegen(s_icon& faenger, int32_t faenger_nummer, s_icon& seite, int32_t seite_nummer, int32_t x,
                          int32_t y, int32_t b, int32_t h, void (*klick)(s_icon*, int32_t),
                          void (*zeichnen)(s_icon*, int32_t, int32_t, int32_t));
void Editor_Seite_Entfernen(s_icon& faenger, s_icon& seite);

}  // namespace velmora
