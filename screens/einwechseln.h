// screens/einwechseln.h - the substitution panel of a live match: a list of
// the club's 17 match players in which two clicks arrange a substitution, a
// small pitch on which the manager drags his players to new line positions,
// and the switch that asks the side to play the ball out for a waiting
// substitution.
//
// The panel writes only into the shown match record: alone into the record
// itself, in network play into the record's edit copy with the side's change
// bits (4 a new or cancelled pair, 16 moved positions, 2 the switch), which
// the lock-step carries to every machine. It never calls the network itself,
// so a click never waits. The match simulation carries the pairs out at the
// next stoppage.
//
// The rules (filling the list, a row click, entering a pair, the two
// conversions between the pitch and the panel's small pitch) are plain
// functions over a record and a panel state; the screen functions below them
// lay the icons over the match view.
#pragma once
#include <cstdint>

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t ICON_SPL_LISTE = 2580;     // the list window, 386 x 357
constexpr int32_t ICON_SPL_FELD = 2581;      // the pitch window, 182 x 280
constexpr int32_t ICON_SPL_ZEILE = 2582;     // rows 2582-2598
constexpr int32_t ICON_SPL_TORWART = 2599;   // marker 0: never dragged
constexpr int32_t ICON_SPL_SCHALTER = 2610;  // play the ball out
constexpr int32_t SPL_ZEILEN = 17, SPL_FELD = 11, SPL_BANK = 6;
constexpr int32_t SPL_FELD_B = 257, SPL_FELD_H = 153;   // the small pitch: length 257 down, width 153 across
constexpr uint32_t SPL_MELDUNG_MS = 2040;    // a refusal stays this long
constexpr const char* SPL_TEXTE = "EINSETZEN_IM_SPIEL_SCREEN";

// Refusals shown by the panel (texts 9, 10 and 11).
enum SplMeldung : int32_t {
    SPL_OK = 0,
    SPL_KEINE_WECHSEL = 1,   // no substitution left
    SPL_ZU_VIELE = 2,        // the pending pairs use up what is left
    SPL_NICHT_MOEGLICH = 3,  // this player cannot take part
};

// What the panel shows of one side.
struct EinwechselnStand {
    int32_t team = -1;
    int32_t seite = -1;                 // of `team` in the record, -1 not in it
    int32_t zeile[SPL_ZEILEN];          // match slot of each row, -1 an empty place
    bool gewaehlt[SPL_ZEILEN];
    int32_t marker_slot[SPL_FELD];      // match slot of each marker, -1 none
    int32_t marker_x[SPL_FELD], marker_y[SPL_FELD];   // screen position
    bool marker_an[SPL_FELD];
    int32_t meldung = SPL_OK;
    uint32_t meldung_seit = 0;          // clock of the refusal (ms)
    EinwechselnStand();
};

// The side of `team` in the record: 0 home, 1 away, -1 none.
int32_t Einwechseln_Seite(const Spielfeld_Satz& s, int32_t team);
// Whether the side's small pitch is drawn mirrored: the home side before the
// halves are swapped, the away side after, so that the side always defends
// the bottom of the window.
bool Einwechseln_Gespiegelt(const Spielfeld_Satz& s, int32_t seite);
// A line position on the pitch (x along, y across) to the small pitch (fx
// across 0-153, fy down 0-257) and back; window to pitch and back again lands
// within one pixel of where it began.
void Einwechseln_Nach_Fenster(const Spielfeld_Satz& s, int32_t seite, int32_t x, int32_t y, int32_t* fx, int32_t* fy);
void Einwechseln_Nach_Feld(const Spielfeld_Satz& s, int32_t seite, int32_t fx, int32_t fy, int32_t* x, int32_t* y);
// A slot's line position as the panel shows it (network play: the edit copy).
void Einwechseln_Linie(const Spielfeld_Satz& s, int32_t slot, int32_t* x, int32_t* y);

// Fills rows and markers of st->team's side; (fx0, fy0) is the pitch
// window's origin on the screen. Selections of rows that keep their player
// stay; a record without the team empties everything.
void Einwechseln_Fuellen(const Spielfeld_Satz& s, EinwechselnStand* st, int32_t fx0, int32_t fy0);
// Enters the pair (slot coming on, slot going off or -1) into a side's lists
// at the first free entry; -1 when the player already comes on in an earlier
// entry or leaves in it, or every entry is used. Else the entry's index.
int32_t Einwechseln_Paar_Eintragen(int8_t ein[7], int8_t aus[7], int32_t rein, int32_t raus);
// A left click on row `zeile` at clock `uhr` (ms): cancels, selects,
// deselects or enters a pair and sets st->meldung. `zufall(a, b)` places a
// substitute filling a hole at the touchline; it must not be the match's own
// random source (a click on one machine must not move the match).
void Einwechseln_Zeile_Klick(Spielfeld_Satz* s, EinwechselnStand* st, int32_t zeile, uint32_t uhr,
                              int32_t (*zufall)(int32_t a, int32_t b));
// A marker dragged to the screen point (mx, my): the player's new line position.
void Einwechseln_Marker_Setzen(Spielfeld_Satz* s, EinwechselnStand* st, int32_t k, int32_t mx, int32_t my,
                                int32_t fx0, int32_t fy0);
// The play-out switch of the side: toggled; its new state.
int32_t Einwechseln_Schalter(Spielfeld_Satz* s, const EinwechselnStand& st);
// The refusal still shown at clock `uhr`, SPL_OK once it has lasted its time.
int32_t Einwechseln_Meldung(const EinwechselnStand& st, uint32_t uhr);

// What the panel needs from modules it may not include; filled by the
// composition root. Unfilled: no record shown, the standard generator.
struct EinwechselnHooks {
    Spielfeld_Satz* (*satz)() = nullptr;                 // the record of the main view
    int32_t (*zufall)(int32_t a, int32_t b) = nullptr;   // the views' own generator
    void (*namen_neu)() = nullptr;                       // the views' name plates after a team change
};
EinwechselnHooks& Einwechseln_Hooks();

// Option icon 721: opens the panel, or closes it when both windows are shown.
void Screen_Spielerliste_Oeffnen();
void Screen_Spielerliste_Schliessen();
bool Screen_Spielerliste_Offen();
// -1: the club shown. Otherwise shows `team` when its manager plays at this
// machine, else the match's home club, else the away club when theirs does;
// with none the panel closes. Returns the club shown.
int32_t Screen_Team_Wechseln(int32_t team);
// What both panels draw with: a picture by slave number (black transparent)
// and a text in a font and 16-bit colour, on the screen.
void Einwechseln_Bild(int32_t slave, int32_t x, int32_t y);
void Einwechseln_Schreiben(int32_t font, uint16_t farbe, int32_t x, int32_t y, const char* text);
// The panel's state (tests).
const EinwechselnStand& Einwechseln_Stand();

}  // namespace velmora
