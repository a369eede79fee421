// matchview/ankuendigung_intern.h - what the announcement sequence and its
// pages share inside matchview: the page builders, the pre-match picture's
// plates, the result windows, and the sequence's flags.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"
#include "matchview/ankuendigung.h"

namespace velmora {

// Resource files and entries of the pages (files 1-7 read by number lie at
// 4000 + the number: docs/decisions.md, "Resource numbers").
constexpr int32_t ANK_RES_GLOBAL = 1, ANK_RES_PIRAK = 3, ANK_RES_TROBE = 5, ANK_RES_ODDO = 7;
constexpr int32_t ANK_BILD_ABDUNKELN = 4331;     // global_res: the darkening behind the pages
constexpr int32_t ANK_BILD_VOR_MENUE = 4165;     // pirak_res: "VOR DEM MENUE"
constexpr int32_t ANK_BILD_NACH_SPIEL = 4166;    // + kind: the three "NACH DEM SPIEL" pages (4168-4170)
constexpr int32_t ANK_BILD_ZIFFERN = 4171;       // pirak_res: goal digits, cells of 56 x 30, 0-15 per side
constexpr int32_t ANK_ZIFFER_B = 56, ANK_ZIFFER_H = 30, ANK_ZIFFER_MAX = 15;

// The pages' colours (16-bit pixels).
constexpr uint16_t ANK_WEISS = 65535, ANK_TEXT = 57115, ANK_WERT = 52743, ANK_PLUS = 20051, ANK_MINUS = 64160;
constexpr uint16_t ANK_MENSCH = 61261, ANK_GRAU = 50744;

// The texts of the pages.
constexpr const char* ANK_TEXTE = "REST_PIRAK";
constexpr const char* ANK_ZUSATZ = "ULVO_ZUSATZ";

// The page builders: each returns the page picture (owned by the sequence)
// and marks the page as just built; null when it cannot be built.
Rastport* Ankuendigung_Vor_Menue_Bauen();         // kind 0
Rastport* Ankuendigung_Nach_Spiel_Bauen(int32_t art);   // kinds 2-4
Rastport* Ankuendigung_Zeichnen();                // kind 1, the pre-match picture
// The pre-match picture's plates: one animation step onto the screen (true
// once every plate stands at its place), and freeing the saved picture with
// all plates.
bool Ankuendigung_Ende(Rastport* screen);
void Ankuendigung_Rueckennummern();
// The windows of kinds 5, 6, 8 (mode 1 results, 0 table, 2 winner).
void Ankuendigung_Ergebnis_Seite_Oeffnen(int32_t modus);
// The open window's opening sound (the winner's or the pages'), when none was
// played in this sequence yet. Played once the window's run mode is set: the
// calendar stops every sample when its run mode changes.
void Ankuendigung_Ergebnis_Seite_Ton();

// The sequence's flags the pages set and read.
void Ankuendigung_Seite_Gebaut();            // the page-started flag
void Ankuendigung_Gegner_Gezeigt(int32_t gegner);   // the kind-0 page shows once per opponent
bool Ankuendigung_Ton_Gespielt();            // the opening sound of this sequence
void Ankuendigung_Ton_Setzen(bool gespielt);
// A text of the pages' arrays, "" when missing.
const char* Ankuendigung_Text(const char* feld, int32_t nummer);

}  // namespace velmora
