// business/training_fenster.h - the window in which a training unit runs
// (business/training.h): the player's header, the talent's progress, the
// unit's points with a marker per full hundred, the strain gauge, the crash
// and result panels and the buttons (safe mode, start/stop, apply, close),
// the talent's training film and a second window that plays the film of a
// talent just learnt. The window's drawing procedure drives the unit
// (Training2_Frame); what the unit reports through TrainingHooks::anzeige
// becomes films, samples and flip books here.
#pragma once
#include <cstdint>
#include <span>

#include "gui/anim_liste.h"

namespace velmora {

constexpr int32_t ICON_TRF_FENSTER = 3498, ICON_TRF_SICHER = 3499, ICON_TRF_START = 3500, ICON_TRF_ANWENDEN = 3502,
                  ICON_TRF_HINTERGRUND = 3503, ICON_TRF_SCHLIESSEN = 3504,
                  ICON_TRF_FILM = 3506, ICON_TRF_FILM_ZU = 3507;
constexpr int32_t TRF_MARKEN = 10;   // slots of the hundred-points markers

// Shows the window for the unit Training2_Oeffnen prepared (nothing without
// one, or when the window is up); a unit already paid shows as it stands.
void Training_Fenster_Oeffnen(int32_t spieler, int32_t talent);
bool Training_Fenster_Offen();
// The buttons, as their procedures call them.
void Training_Fenster_Sicher();
void Training_Fenster_Start_Stop();
void Training_Fenster_Anwenden();
void Training_Fenster_Schliessen();
// What the unit reports (TrainingHooks::anzeige, filled by the root).
void Training_Fenster_Anzeige(int32_t was, int32_t a, int32_t b);
// The learnt talent's film window for talents 0-53; false (with a debug line) for others.
bool Attr_Film(int32_t spieler, int32_t talent);
bool Attr_Film_Offen();
void Attr_Film_Schliessen();
// The film window's segment rule: the frame to jump to from frame `bild`
// for the talent, -1 to play on; `letztes` is the film's last frame.
int32_t Attr_Film_Sprung(int32_t bild, int32_t talent, int32_t letztes, bool* halten);

// The points bar as drawn: its width (0-183) and the markers started so far.
struct TrainingFensterBalken {
    int32_t breite = 0, hunderter = 0;
};
TrainingFensterBalken Training_Fenster_Balken();
// The three flip-book arrays (markers, bonus, bonus text), for the tests.
std::span<const Anim_Slot> Training_Fenster_Marken();

}  // namespace velmora
