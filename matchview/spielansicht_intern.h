// matchview/spielansicht_intern.h - what the match views' files share: the
// views and their figures' state live in spielansicht.cpp (set-up, cameras,
// the views' layout and the frame), the figures are drawn by
// spielansicht_zeichnen.cpp. Not for other modules.
#pragma once
#include <array>
#include <cstdint>

#include "match/live/anim.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/anzeigetafel.h"
#include "matchview/kommentar.h"
#include "matchview/spielansicht.h"
#include "matchview/spielansicht_figuren.h"
#include "matchview/spielansicht_geometrie.h"

namespace velmora::spielansicht_intern {

constexpr uint32_t HALTEN_MS = 70, NAME_MS = 1000;

struct FigurZustand {
    int32_t anim = -1, frame = 0, richtung = 255;
    uint32_t halten_bis = 0;
    int32_t wahl_anim = -2, wahl_frame = -1;
    int32_t gewollt = -1;              // facing wanted by the last move
    uint32_t name_zeit = 0;
    bool name = false;
    AnsichtPunkt p;
};

struct Ansicht {
    bool in_use = false, visible = false, is_main = false;
    int32_t size_mode = 0;
    int32_t x = 0, y = 0, w = 800, h = 564;
    Spielfeld_Satz* satz = nullptr;    // this frame's record only
    uint32_t spiel = 0;
    AnsichtKamera kamera;
    Rastport* welt = nullptr;
    bool welt_halb = false;
    uint32_t letzter_frame = 0;
    bool neu = true;
    int32_t starts = 0;
    std::array<std::array<uint16_t, 256>, FARBTABELLEN> farben{};
    std::array<FigurZustand, SF_FIGUREN> fig{};
    Anzeigetafeln tafeln;
    Ticker ticker;
    // The event the last sentence was composed for: one sentence per event,
    // without writing into the record.
    std::array<int64_t, 5> ereignis{-1, -1, -1, -1, -1};
    uint32_t wartezeilen = 0;          // the game's waiting lines already shown
};

struct Modul {
    int32_t zustand = 0;               // 0 not set up, 2 setting up, 1 running
    bool eingabe_verbraucht = false;
    bool gast_gezeigt = false;   // the shown-team toggle of the click selection
    bool maus_ueber_icon = false;   // this frame's mouse lies over a menu icon (a panel, the bar)
    uint32_t maus_vorher = 0;
    bool geladen = false;
    std::array<FigurenAnim, ANIM_ZEILEN> anim{};
    std::array<bool, ANIM_ZEILEN> da{};
    Rastport* leiste = nullptr;
    Rastport* muede = nullptr;         // the tired marker; none: not shown
    Rastport* status = nullptr;        // the status marker; none: not shown
    std::array<Ansicht, MATCHVIEW_ANSICHTEN> a{};
    MatchViewHooks hooks;
};
extern Modul g;

inline bool Halb(const Ansicht& a) { return a.size_mode != 0; }

// A view's figures, sorted by depth: each one's frame by its animation and
// facing (held for a moment while the record repeats it), the ball's shadow,
// the linesmen's flags, the players' markers and names.
void Figuren_Zeichnen(Ansicht& a, const Spielfeld_Ansicht_Einstellung& anzeige, bool folgen);

}  // namespace velmora::spielansicht_intern
