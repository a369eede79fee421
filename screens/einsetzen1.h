// screens/einsetzen1.h - the line-up list screen: the club's twenty players
// in line-up order (starting eleven, bench, reserve) beside a small pitch with
// a shirt marker per starter. Two rows or markers clicked one after the other
// swap their players, a row or marker dragged onto another swaps them too, a
// player dropped on a free pitch cell moves there; the assistant can set the
// line-up, and with a match today the opponent's line-up shows read-only.
// Every change goes at once into the club's data (club/aufstellung); the
// screen holds no line-up of its own.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_E1_FENSTER = 2401;
constexpr int32_t ICON_E1_PLATZ = 2402;
constexpr int32_t ICON_E1_ZEILE = 2403;     // rows 2403-2422
constexpr int32_t ICON_E1_MARKER = 2423;    // markers 2423-2433
constexpr int32_t ICON_E1_ZWEITE = 2434;
constexpr int32_t ICON_E1_ASSI = 2435;
constexpr int32_t ICON_E1_GEGNER = 2436;
constexpr int32_t ICON_E2_GEGNER = 2496;    // the second screen's opponent switch, shared
constexpr int32_t E1_ZEILEN = 20, E1_MARKER = 11;
constexpr int32_t E1_ZEILE_X = 204, E1_ZEILE_B = 578, E1_ZEILE_H = 17;
constexpr uint32_t E1_BLINK_MS = 300;
constexpr int32_t E1_TEXT_ABGELEHNT = 48;   // the refusal of every refused swap or move

// The panel's opener: builds the screen unless it is open.
void E1_Screen_Oeffnen();
bool E1_Screen_Offen();
// Chooses the club shown and refreshes rows and markers.
void E1_Screen_Aufbauen();
// The screen row of row i (0-19).
int32_t E1_Zeile_Y(int32_t i);
// Pointer to formation cell on the small pitch; false outside the cells.
bool E1_Screen_Pixel_Zu_Feld(int32_t x, int32_t y, int32_t* spalte, int32_t* reihe);
// A starter's cell: the cell his slot holds in the club's current formation
// (a goalkeeper in a field slot plays there, though he keeps the goal cell);
// anyone else's the cell in his player values.
void E1_Spieler_Zelle(int32_t spieler, int32_t* spalte, int32_t* reihe);
// The marker position of a cell: own club, or mirrored for the opponent.
void E1_Marker_Position(int32_t spalte, int32_t reihe, bool gegner, int32_t* x, int32_t* y);
// Fills the preview of a drag of `spieler` (-1 resets it): the starters in the
// order of the slots they will hold after the drop under the pointer.
void Set_Preview_Array(int32_t spieler);

// The daily check and the server's check of requests: with the screen open
// the line-ups are completed again and the screen rebuilt.
void Screen_Aufstellung_Pruefen();
// The developer key: the assistant lines the club up anew.
void Screen_Team_Neu(int32_t club);

// The screen as it stands, for the tests.
struct E1Stand {
    bool offen = false;
    int32_t club = -1;
    bool gegner = false;
    int32_t zeilen = 0;                 // rows shown
    int32_t spieler[E1_ZEILEN] = {};    // per row, -1 hidden
    int32_t vorschau[E1_MARKER] = {};   // the preview, -1 none
    bool blinken = false;
};
E1Stand E1_Screen_Stand();

}  // namespace velmora
