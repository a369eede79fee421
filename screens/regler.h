// screens/regler.h - the tactics panel of a live match: three switches and
// four sliders of the shown club's tactics, changed at once in the shown
// match record (network play: in its edit copy with the side's change bits,
// 1 pressing, 2 the tactic block, 32 re-place the players).
#pragma once
#include <cstdint>

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t ICON_REGLER_FENSTER = 2613;   // 246 x 113
constexpr int32_t ICON_REGLER_T6 = 2614;        // switch T6 (0 / 1)
constexpr int32_t ICON_REGLER_T3 = 2615;        // switch T3 (0 / 100)
constexpr int32_t ICON_REGLER_MINUS = 2616;     // minus / plus of slider i: 2616 + 2 i / 2617 + 2 i
constexpr int32_t ICON_REGLER_T12 = 2624;       // switch, on while T12 is 0
constexpr int32_t REGLER_SLIDER = 4;
constexpr uint32_t REGLER_KLICK_MS = 50;        // a click sooner after the last one is ignored
constexpr const char* REGLER_TEXTE = "TAKTIK_IM_SPIEL_SCREEN";

// The clock of the last accepted click.
struct ReglerStand {
    uint32_t letzter_klick = 0;
    bool geklickt = false;
};

// A left click on control `icon` (2614-2624) for side `seite` at clock `uhr`
// (ms); false when it was ignored (too soon, no such control, no side).
bool Regler_Klick(Spielfeld_Satz* s, int32_t seite, int32_t icon, uint32_t uhr, ReglerStand* st);
// The value slider i (0-3) shows: S exactly, the others as the largest
// multiple of 5 not above them.
int32_t Regler_Wert(const Spielfeld_Satz& s, int32_t seite, int32_t i);
// The shown state of a switch (2614, 2615, 2624).
int32_t Regler_Schalter(const Spielfeld_Satz& s, int32_t seite, int32_t icon);

// Option icon 722: opens the panel when it is not shown, else switches 722 off.
void Screen_Regler_Oeffnen();
void Screen_Regler_Schliessen();
bool Screen_Regler_Offen();

}  // namespace velmora
