// gfx/text_pruefung.h - the text layer's record of texts that do not fit:
// while it is on, every run of text drawn (the glyphs between two codes that
// move the pen: tab stops, line feeds) is kept for the frame, and a run is
// noted when it passes its target's left or right edge ("Rand"), when it
// reaches past the tab stop of the text's next column ("Spalte"), or when it
// runs into a run of another text drawn on the same target in the same frame
// ("Nachbar"). Two more findings need the pictures and fills painted in the
// frame: a run that starts on one of them (a plate, a band, a window) and
// runs off it onto what was painted before it ("Flaeche"), and a text cut
// before its mark by Str_Auf_Breite where the whole text would have had room
// at its place: within its target, clear of every other text of the frame and
// of every edge of a painted area ("Gekuerzt"). The screen checks switch it
// on and name the screen they show; the game never does, and then the text
// layer pays one test per run.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/rastport.h"

namespace velmora {

struct TextBefund {
    std::string screen;   // the name the check gave the screen
    std::string art;      // "Rand", "Spalte", "Nachbar", "Flaeche" or "Gekuerzt"
    std::string text;     // the run, its codes taken out
    std::string nachbar;  // for "Nachbar": the run it runs into
};

// On (the record starts empty) and off.
void Text_Pruefung_Starten();
void Text_Pruefung_Beenden();
bool Text_Pruefung_An();
// The screen the following runs belong to.
void Text_Pruefung_Screen(const std::string& name);
// A frame has been shown: its cut texts are judged, and the runs and areas
// kept for the tests are forgotten.
void Text_Pruefung_Bild_Ende();
// The findings so far (the running frame's cut texts judged), each screen,
// kind and text once, in the order found.
const std::vector<TextBefund>& Text_Pruefung_Befunde();

// From the text layer: a text begins (its runs share the number returned);
// one run of it drawn on `ziel` with its ink from x0 to x1 and its capital
// letters' ink from y0 to y1.
uint32_t Text_Pruefung_Text();
// From the drawing routines: the area (x, y, w, h) of `ziel` was painted over
// by a picture or a fill, which covers the part of each run it spans over at
// least half the run's height: a covered part runs into nothing, a run
// covered whole is gone. Glyphs are
// drawn between Text_Pruefung_Glyphen(true) and (false) and cover nothing.
void Text_Pruefung_Flaeche(const Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h);
void Text_Pruefung_Glyphen(bool an);
// From Str_Auf_Breite: a text was cut before the mark; `sichtbar` is what the
// cut text shows (its codes taken out), `fehlt` the width the cut took away.
void Text_Pruefung_Gekuerzt(std::string_view sichtbar, int32_t fehlt);
void Text_Pruefung_Lauf(const Rastport* ziel, uint32_t text_nr, std::string_view text, int32_t x0, int32_t x1,
                        int32_t y0, int32_t y1);

}  // namespace velmora
