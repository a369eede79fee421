// business/spieler_zeile.h - the common part of a squad row on the transfer
// and training screens: the kind's shirt with the shirt number, the kind's
// short name in its colour, the name cut to its column with the ambition, and
// the strength stars.
#pragma once
#include <cstdint>

namespace velmora {

// The colours of the kinds (goalkeeper, defender, midfielder, forward).
constexpr int32_t SPIELER_ZEILE_ART_FARBE[4] = {65535, 20051, 52743, 50055};
constexpr int32_t SPIELER_ZEILE_GOLD = 52743;
constexpr int32_t SPIELER_ZEILE_HEMD[4] = {24039, 24037, 24036, 24038};

// Draws the row of `spieler` at (x, y) on the current target; `art_kurz` is
// the kind's short name, the stars lit when `gewaehlt`.
void Spieler_Zeile_Malen(int32_t spieler, int32_t x, int32_t y, const char* art_kurz, bool gewaehlt);
// The title of the transfer, training and camp screens in gold, in the band
// between the header's lower edge and the lists' frames; with a balance text
// (may be null) right-aligned in that band, clear of the screen's edge.
void Spieler_Zeile_Titel(const char* titel, const char* rechts);
// A player's shirt number as the lists show it. On a client the number lives
// on the server: it is asked once and kept until the lists refresh, so a
// drawn frame makes no remote call.
int32_t Spieler_Zeile_Nummer(int32_t spieler);
// Forgets the kept numbers; the lists call it whenever they are filled again
// (a transfer, a training change, the screen opened).
void Spieler_Zeile_Auffrischen();
// A shirt number on a list's small shirt: white over a dark shadow one pixel
// down and right, in the shirt-number font's 6-pixel cells, centred at
// x + mitte on the baseline `basis` (the shirts' kind colours, yellow among
// them, leave neither a dark nor a plain white number readable).
void Spieler_Zeile_Hemdnummer(int32_t x, int32_t basis, int32_t mitte, int32_t nummer);
// A picture by slave number at (x, y), cut to `breite` pixels (-1 whole).
void Spieler_Zeile_Bild(int32_t bild, int32_t x, int32_t y, int32_t breite = -1);

// A click on a player's row, read the same way on every list screen: the
// right button is RECHTS (the screen opens the player's card), the left one
// LINKS with the pointer's position (for the talent list window, see
// Spielerliste_Zeilen_Klick), any other event KEIN.
enum class ZeilenKlickArt { KEIN, RECHTS, LINKS };
struct ZeilenKlick {
    ZeilenKlickArt art = ZeilenKlickArt::KEIN;
    int32_t x = -1, y = -1;
};
ZeilenKlick Spieler_Zeile_Klick(int32_t ereignis);

}  // namespace velmora
