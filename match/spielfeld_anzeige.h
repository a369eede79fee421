// match/spielfeld_anzeige.h - watched matches and the display ring.
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

#include "match/spielfeld_satz.h"

namespace velmora {

constexpr int32_t ANZEIGE_BEOBACHTET_MAX = 4;
constexpr int32_t ANZEIGE_FRAMES = 175;
constexpr uint32_t ANZEIGE_ABSTAND_MS = 142;     // the display stays this far behind the match

// The match views (filled by the composition root once a view exists).
struct SpielfeldAnsichtHooks {
    // One frame of the live view over the watched games; true when the view
    // ended. Unfilled: no live display, watched matches run unthrottled.
    bool (*frame)(const int32_t* spiele, int32_t anzahl, Spielfeld_Ansicht_Einstellung* ansicht) = nullptr;
    // The game of the main view (-1 none); unfilled: the first watched one.
    int32_t (*current)() = nullptr;
};
SpielfeldAnsichtHooks& Spielfeld_Ansicht_Hooks();

void Spielfeld_Set_Fast(int32_t wert);
int32_t Spielfeld_Get_Fast();
void Spielfeld_Set_Pause(int32_t wert);
int32_t Spielfeld_Get_Pause();

// Adds a record to the watched list: not a fifth, not a second one of the
// same home team. `sofort` (or PAUSE) asks the view to start. True when added.
bool Spielfeld_Beobachten(const Spielfeld_Satz* satz, bool sofort);
void Spielfeld_Beobachtete_Loeschen();
// Removes one game; the later entries move up.
void Spielfeld_Beobachtete_Entfernen(int32_t spiel);
int32_t Spielfeld_Beobachtete_Anzahl();
// The game of the main view: the view's choice, else the first watched one; -1 none.
int32_t Spielfeld_Gezeigtes_Spiel();
// Whether the live display runs: a view exists and a match is watched.
bool Spielfeld_Anzeige_Offen();
// The per-frame view step: the live view over the watched matches.
void Spielfeld_Anzeige_Frame();

// The ring: a frame of the shown record stored; the display advanced; the
// display copy rebuilt from the frame at the read index (null when the ring
// holds nothing of the record). Step code: 0 held, 1 advanced, 50 restarted.
void Spielfeld_Anzeige_Eintragen(const Spielfeld_Satz* satz);
int32_t Spielfeld_Anzeige_Schritt(const Spielfeld_Satz* satz);
const Spielfeld_Satz* Spielfeld_Anzeige_Kopie();
// Restarts the ring at the oldest frame of the record; true when it holds one.
bool Spielfeld_Anzeige_Naechstes_Bild(const Spielfeld_Satz* satz);
void Spielfeld_Anzeige_Reset();
// The read and write index and the display clock (for the views and tests).
void Spielfeld_Anzeige_Stand(int32_t* lesen, int32_t* schreiben, uint32_t* uhr);

}  // namespace velmora
