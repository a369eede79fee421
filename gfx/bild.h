// gfx/bild.h - pictures by number in the picture folders, and scaling.
//
// A picture is "<folder>\\<number>.jpg" or, when that cannot be read,
// "<folder>\\<number>.tga". Folders: 0 the user's manager pictures, 1 the
// user's player pictures, 2 the user's crest pictures, 3 the installation's
// configuration directory.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t BILD_MANAGER = 0;
constexpr int32_t BILD_SPIELER = 1;
constexpr int32_t BILD_WAPPEN = 2;
constexpr int32_t BILD_CONFIG = 3;
constexpr int32_t BILD_ORDNER = 4;

// Resource files the picture code draws from, by their index in the list.
constexpr int32_t BILD_RES_POKALE = 2;
constexpr int32_t BILD_RES_TRIKOTS = 7;
constexpr int32_t BILD_RES_WAPPEN = 8;
constexpr int32_t BILD_RES_GESICHTER = 18;

// The program's resource-file list lives above the graphics: the shell fills
// the slot of a list index (Resourcen_Slot). Unfilled, no built-in picture loads.
struct BildHooks {
    int32_t (*res_slot)(int32_t index) = nullptr;
};
BildHooks& Bild_Hooks();
// The slot of a list index, -1 when none.
int32_t Bild_Res_Slot(int32_t index);

// Files 1 to 7 of the list share their entries 0 to 3999 with the menu
// framework's slave numbers (slave n >= 4000 is entry n % 4000 of file
// n / 4000). A picture the code reads there by number or formula lies at
// 4000 + that number, which no slave reaches; files 0 and 8 on, which no
// slave loads, keep their numbers.
constexpr int32_t BILD_RES_DIREKT_VERSATZ = 4000;
constexpr int32_t BILD_RES_DIREKT_ERSTE = 1, BILD_RES_DIREKT_LETZTE = 7;
constexpr int32_t Bild_Res_Direkt_Eintrag(int32_t index, int32_t nummer) {
    return index >= BILD_RES_DIREKT_ERSTE && index <= BILD_RES_DIREKT_LETZTE ? BILD_RES_DIREKT_VERSATZ + nummer
                                                                              : nummer;
}
// Every picture read by entry: entry `eintrag` (a number Bild_Res_Direkt_Eintrag
// gave) of the list's file `index` as a new bitmap of depth `tiefe` (0: the
// screen's); the caller frees it. None when missing, and, logged, for an
// entry of files 1 to 7 that a slave number reaches.
Rastport* Bild_Res_Laden(int32_t index, int32_t eintrag, int32_t tiefe = 0);

// The folder's directory, or null for an unknown index.
const char* Bild_Ordner(int32_t ordner);
// Files matching "*.jpg" plus those matching "*.tga" (0 for an unknown folder).
int32_t Bild_Anzahl(int32_t ordner);
// The numbers of the first `maximum` pictures, ".jpg" names first; each number
// is formed by the name's first five characters. Returns how many were stored.
int32_t Bild_Liste(int32_t maximum, int32_t* nummern, int32_t ordner);
// A new bitmap of the screen's depth holding the picture, or none. A JPEG
// whose size can be read is returned even when its data are damaged.
Rastport* Bild_Laden(int32_t nummer, int32_t, int32_t ordner);
// A picture file read into a new bitmap of `tiefe` (JPEG or TGA by trying), or none.
Rastport* Bild_Datei_Laden(const char* jpg, const char* tga, int32_t tiefe);
// Whether the installed trophy picture "<installation>\\wappenbilder\\<n>.tga" exists.
int32_t Wappen_Datei_Existiert(int32_t nummer);
// Its bitmap at the screen depth, or none.
Rastport* Wappen_Datei_Laden(int32_t nummer);

// Scales down by area averaging: a pure black source pixel takes the target's
// own pixel, and a block without any other pixel stays black (transparent).
// Only when the target is at most the source's size, below 1024 x 768 and not
// empty; 1 when scaled.
int32_t Bild_Skalieren(Rastport* quelle, Rastport* ziel);
// The same by plain averaging.
int32_t Bild_Skalieren_Mittel(Rastport* quelle, Rastport* ziel);
// Nearest neighbour, up or down, into the target's first width x height pixels
// (1...1024 x 1...768); both bitmaps of the same depth (8, 15 or 16).
int32_t Bild_Skalieren_Punkt(Rastport* quelle, Rastport* ziel, int32_t breite, int32_t hoehe);

}  // namespace velmora
