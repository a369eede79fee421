// business/spielerliste.h - the talent list window: a small movable window
// over any screen that lists one player's learnt talents and active
// weaknesses, lets the manager of the player's club choose which (at most
// three) talents are active, and steps through the club's players by line-up
// slot. The line-up, tactics, training and transfer screens open it.
//
// Every screen that changes what it shows first calls Screen_Zurueck, which
// closes the window; so do a right click outside it, a change of screen by
// the menu panel and the day's change (the composition root subscribes it).
// Once the developer action has run (Attribute_Tag), the opener shows the
// developer talent panel instead (through SpielerlisteHooks).
#pragma once
#include <cstdint>

#include "gfx/bildnr_spieler.h"
#include "gui/icon.h"

namespace velmora {

constexpr int32_t ICON_SPIELERLISTE_KOPF = 3509;
constexpr int32_t ICON_SPIELERLISTE_ZEILE_1 = 3510;     // rows 1-18 (3510-3527), 19 and 20 (3528, 3529)
constexpr int32_t ICON_SPIELERLISTE_BODEN = 3531;       // the bottom piece, row 21
constexpr int32_t ICON_SPIELERLISTE_SCHLIESSEN = 3532;
constexpr int32_t ICON_SPIELERLISTE_ZURUECK = 3533;
constexpr int32_t ICON_SPIELERLISTE_WEITER = 3534;
constexpr int32_t SPIELERLISTE_ZEILEN = 21;
constexpr int32_t SPIELERLISTE_ZEILE_H = 18;            // rows are 18 pixels apart
constexpr int32_t SPIELERLISTE_BREITE = 246;
constexpr int32_t SPIELERLISTE_KOPF_H = 46;
constexpr uint32_t SPIELERLISTE_PFEIL_MS = 250;         // at most one step per 250 ms

// The pictures of the window and the panels.
constexpr int32_t BILD_LISTE_KOPF = 28300;
constexpr int32_t BILD_LISTE_ZEILE = 28303, BILD_LISTE_ZEILE_AN = 28301;
constexpr int32_t BILD_LISTE_LETZTE = 28304, BILD_LISTE_LETZTE_AN = 28305;
constexpr int32_t BILD_LISTE_LEER = 28306;
constexpr int32_t BILD_MARKE_AKTIV = 28307, BILD_MARKE_NEGATIV = 28308, BILD_MARKE_GESPERRT = 28309;
constexpr int32_t BILD_ZEILE_SCHATTEN = 28310;
constexpr int32_t BILD_SCHLIESSEN = 28311, BILD_SCHLIESSEN_AN = 28312;
constexpr int32_t BILD_ZURUECK = 28314, BILD_ZURUECK_AN = 28313;
constexpr int32_t BILD_WEITER = 28316, BILD_WEITER_AN = 28315;
constexpr int32_t BILD_TALENT_ZEILE = TALENT_BILD_ERSTER[TALENT_16];   // + talent id: the rows' badges

// What the window needs from the screens above it, filled by the composition root.
struct SpielerlisteHooks {
    // The developer talent panel: opened with the opener's arguments, closed
    // with the window (true when it was open).
    void (*entwickler_oeffnen)(int32_t spieler, int32_t x, int32_t y, int32_t club) = nullptr;
    bool (*entwickler_schliessen)() = nullptr;
    // The first line-up screen refreshes its blinking markers once the window is gone.
    void (*aufstellung_blinken)() = nullptr;
};
SpielerlisteHooks& Spielerliste_Hooks();

// Opens the window for the player near (x, y) (the pointer of the click that
// opened it), for `club`: the club the screen shows; talents change only when
// it is the local human club and the player is in it. Nothing when open.
void Spielerliste_Oeffnen(int32_t spieler, int32_t x, int32_t y, int32_t club);
// Shows another player in the open window, in place (keep mode).
void Spielerliste_Spieler_Zeigen(int32_t spieler);
// The left click on a player's row of a list screen, as far as the window
// takes it: while the window is open and the screen's rows `folgen` it, the
// clicked player is shown in it (ZEIGT); else a click at x inside the row's
// talent column [x0, x1] opens it on him for `club` (OEFFNET). NICHT: the
// click is the screen's own.
enum class SpielerlisteKlick { NICHT, ZEIGT, OEFFNET };
SpielerlisteKlick Spielerliste_Zeilen_Klick(int32_t spieler, int32_t club, int32_t x, int32_t y, int32_t x0,
                                            int32_t x1, bool folgen);
// (Re)builds the rows for the player shown and places the window: opening
// mode (keep 0) from a pointer position, keep mode (1) from the header's.
void Spielerliste_Fuellen(int32_t x, int32_t y, int32_t keep);
// Closes the window (and the developer panel); true when one was open.
bool Screen_Zurueck();
bool Spielerliste_Offen();
// The window as it stands: the player, the club, the line-up slot, the rows,
// the active list (3 ids, -1 empty) and the header's position.
struct SpielerlisteStand {
    int32_t spieler = -1, team = -1, slot = -1, zeilen = 0;
    int32_t aktiv[3] = {-1, -1, -1};
    int32_t x = 0, y = 0;
};
SpielerlisteStand Spielerliste_Stand();

// Shared by the player windows:
// The slot after `slot` for a step with the next (`weiter`) or previous
// button: the local club walks 0 .. 19 and round; another club the order 11-16,
// 0-10, 17-19, previous one place forward, next one place back.
int32_t Spielerliste_Naechster_Slot(int32_t slot, bool weiter, bool eigener_club);
// The player of the team (among its first 20) in line-up slot `slot`, -1 none.
int32_t Spielerliste_Spieler_Mit_Slot(int32_t team, int32_t slot);
// The name of a player kind (0 goalkeeper ... 3 forward) and its small shirt.
const char* Spielerliste_Position_Name(int32_t art);
// A list row's kind column: the kind's name in font 9 centred at x + 43 of
// the row, within the 48 pixels between the shirt and the name at x + 70.
void Spielerliste_Position_Zeichnen(int32_t art, int32_t x, int32_t basis, int32_t farbe);
int32_t Spielerliste_Positions_Bild(int32_t art);
// The local human club: the club of the manager at the screen.
int32_t Spielerliste_Lokal();

// The talent windows' common parts (this window and the talent panels):
// The header's player: his kind's shirt, his name cut to `name_breite`, his kind.
void Spielerliste_Kopf_Malen(int32_t spieler, int32_t hx, int32_t hy, int32_t name_breite);
// A talent row at (x, y): the badge `bild_x` pixels in, the mark before it
// (-1 none), the name, and the shade over a row that cannot be changed.
void Spielerliste_Zeile_Malen(int32_t talent, int32_t x, int32_t y, int32_t marke, int32_t bild_x, bool schatten);
// A window's header follows the pointer while the left button holds it.
struct FensterZiehen {
    bool an = false;
    int32_t dx = 0, dy = 0;
};
// True while the drag lasts, with the header's new (unclamped) position.
bool Spielerliste_Ziehen(FensterZiehen& z, const s_icon* kopf, int32_t* x, int32_t* y);
// A window whose header lies over the first line-up screen's formation cells
// (left of x 187, above y 370) keeps them from taking clicks; false releases them.
void Spielerliste_Zellen_Sperren(bool sperren);
void Spielerliste_Zellen_Pruefen(int32_t hx, int32_t hy);
// The manager's state of an icon (lit rows and buttons), for the local club.
void Spielerliste_Zustand_Setzen(int32_t icon, int32_t wert);
// Hover lights a row or button for the manager; true when the event was a hover.
bool Spielerliste_Hover(s_icon* icon, int32_t ereignis);
// An icon of the talent windows: keyed picture, lit picture (-1 none), procedures.
s_icon Spielerliste_Icon(int32_t nummer, int32_t bild, int32_t bild_an, uint32_t typ, int8_t pri, IconMainP proc,
                         IconZeichnen zeichnen);

}  // namespace velmora
