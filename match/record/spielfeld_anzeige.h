// match/record/spielfeld_anzeige.h - watched matches and the display ring.
//
// Up to four matches of a match day are watched. The shown match is written
// into the display ring every frame; the live view draws a copy of the record
// rebuilt from the ring, 142 ms behind the simulation. FAST runs the shown
// match without waiting, PAUSE holds the ring's read index. Ring frames keep
// the game number of their record (stored + 1; 0: stale), so a deleted record
// never shows.
// The views themselves sit above the match: they reach it through the hooks.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr int32_t ANZEIGE_BEOBACHTET_MAX = 4;
constexpr int32_t ANZEIGE_FRAMES = 175;
constexpr uint32_t ANZEIGE_ABSTAND_MS = 142;     // the display stays this far behind the match
constexpr uint32_t ANZEIGE_FRAME_MS = 44;        // match time of one ring frame (the tick's step)

// The match views (filled by the composition root in a window).
struct SpielfeldAnsichtHooks {
    // One frame of the live view over the watched games; true when a view was
    // drawn. The shown game is drawn from the display copy. Unfilled: no live
    // display, watched matches run unthrottled.
    bool (*frame)(const int32_t* spiele, int32_t anzahl, Spielfeld_Ansicht_Einstellung* ansicht) = nullptr;
    // The game of the main view (-1 none); unfilled or none: the first watched one.
    int32_t (*current)() = nullptr;
};
SpielfeldAnsichtHooks& Spielfeld_Ansicht_Hooks();

void Spielfeld_Set_Fast(int32_t wert);
int32_t Spielfeld_Get_Fast();
void Spielfeld_Set_Pause(int32_t wert);
int32_t Spielfeld_Get_Pause();

// Adds a record to the watched list: not a fifth, not a second one of the
// same home team. `sofort` (or PAUSE) asks the view to start: until its first
// frame the match is held to the frame interval. True when added.
bool Spielfeld_Beobachten(const Spielfeld_Satz* satz, bool sofort);
void Spielfeld_Beobachtete_Loeschen();
// Removes one game; the later entries move up.
void Spielfeld_Beobachtete_Entfernen(int32_t spiel);
int32_t Spielfeld_Beobachtete_Anzahl();
bool Spielfeld_Ist_Beobachtet(int32_t spiel);
// The game of the main view: the view's choice, else the first watched one; -1 none.
int32_t Spielfeld_Gezeigtes_Spiel();
// Whether the live display runs: a view exists and a match is watched.
bool Spielfeld_Anzeige_Offen();
// The per-frame view step: the live view over the watched matches. A drawn
// view holds the watched matches to the frame interval (FAST bit 1 cleared);
// a view that draws nothing without a start pending lets them run (bit 1 set).
void Spielfeld_Anzeige_Frame();

// The ring: a frame of the shown record stored; the display advanced; the
// display copy rebuilt from the frame at the read index (null when the ring
// holds nothing of the record). The display clock keeps 142 ms behind the
// match time and moves one frame step (44 ms) at a time; the read index
// follows it to the newest frame the clock has reached, so the copy plays at
// the match's pace. Step code: 0 held, else the frames the display moved on
// (50 restarted). The copy's frame counter carries the frames not yet shown:
// the view counts it down.
void Spielfeld_Anzeige_Eintragen(const Spielfeld_Satz* satz);
int32_t Spielfeld_Anzeige_Schritt(const Spielfeld_Satz* satz);
Spielfeld_Satz* Spielfeld_Anzeige_Kopie();
// Restarts the ring at the oldest frame of the record; true when it holds one.
bool Spielfeld_Anzeige_Naechstes_Bild(const Spielfeld_Satz* satz);
void Spielfeld_Anzeige_Reset();
// The read and write index and the display clock (for the views and tests).
void Spielfeld_Anzeige_Stand(int32_t* lesen, int32_t* schreiben, uint32_t* uhr);

}  // namespace velmora
