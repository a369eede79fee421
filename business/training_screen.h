// business/training_screen.h - the squad's training screen: the local club's
// players by line-up slot, the selected player's details and a carousel of
// the talents he may train (previous, current, next), with the buttons that
// step the carousel, make its talent the one in training, start a unit and
// open the talents screen.
//
// The carousel is a set of plain functions over (player, slots), so the
// screen's steps can be driven without icons.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_TRAINING_FENSTER = 3466;
constexpr int32_t ICON_TRAINING_ZEILE = 3467;      // rows 3467-3486
constexpr int32_t ICON_TRAINING_SCHALTER = 3487;
constexpr int32_t ICON_TRAINING_START = 3488;
constexpr int32_t ICON_TRAINING_WAHL = 3489;       // the current talent: make it the one in training
constexpr int32_t ICON_TRAINING_ZURUECK = 3490, ICON_TRAINING_WEITER = 3491;
constexpr int32_t ICON_TRAINING_TALENTE = 3494;
constexpr int32_t ICON_TRAINING_ZURUECK_2 = 3495, ICON_TRAINING_WEITER_2 = 3496;
constexpr int32_t TRAINING_ZEILEN = 20;
constexpr uint32_t TRAINING_PFEIL_MS = 250;        // at most one carousel step per 250 ms
constexpr int32_t TRAINING_STERNE = 53;            // the strength stars, a talent of its own

// The carousel's three slots (talent numbers, -1 empty).
struct Karussell {
    int32_t vor = -1, akt = -1, nach = -1;
    bool operator==(const Karussell&) const = default;
};
// Modes: 0 rebuilt around the talent in training, 1 one step forward, 2 one step back.
constexpr int32_t KARUSSELL_NEU = 0, KARUSSELL_VOR = 1, KARUSSELL_ZURUECK = 2;
// Steps the carousel of `spieler` as the mode says; a player holding the most
// talents a player may have is offered only the strength stars (talent 53),
// below his highest strength.
void Karussell_Schritt(int32_t spieler, int32_t modus, Karussell& k);

// What the screen reaches above it, filled by the composition root.
struct TrainingScreenHooks {
    void (*karte_oeffnen)(int32_t spieler, int32_t club, int32_t modus) = nullptr;
    // The training window for the unit Training2_Oeffnen set up (unfilled: the start button stays off).
    void (*fenster_oeffnen)(int32_t spieler, int32_t talent) = nullptr;
};
TrainingScreenHooks& Training_Screen_Hooks();

// Panel button 702, entry 4.
void Training_Screen_Oeffnen();
bool Training_Screen_Offen();
// The selected player and his carousel as at the program's start (none).
void Training_Screen_Auswahl_Zuruecksetzen();
// Rebuilds the list when the screen is open (the talents changed).
void Training_Aktualisieren();
// A row's left click (0-19), the carousel's buttons (false when dropped
// within 250 ms), the training talent switch and the start.
void Training_Zeile_Klick(int32_t zeile);
bool Training_Pfeil(bool weiter);
void Training_Wahl_Klick();
void Training_Start_Klick();

struct TrainingStand {
    int32_t spieler = -1;
    Karussell k;
    int32_t zeilen[TRAINING_ZEILEN];
};
TrainingStand Training_Screen_Stand();

}  // namespace velmora
