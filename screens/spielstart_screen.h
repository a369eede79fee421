// screens/spielstart_screen.h - the first screen of every run and the wizard
// of a new game. The start screen offers a new game (891), the team editor
// (892, greyed while the machine is set up as server or client), the load page (893) and the last
// saved game (894). A new game walks the wizard: the number of managers, the
// level, and for each manager his name, portrait, country, club and league;
// a last question starts the game (Spielstart_Starten).
//
// While the calendar waits for a game it calls Spielstart_Screen_Frame each
// frame (the root fills its start-screen hook with it): the first call
// prepares the start (the world when none is loaded, the choices cleared, the
// placeholder manager on the transfer market, in whose record the screens
// keep their icon states) and opens the start screen; every call runs the
// menu frame.
#pragma once
#include <cstdint>

namespace velmora {

// Icon numbers.
constexpr int32_t ICON_START_NEU = 891, ICON_START_EDITOR = 892, ICON_START_LADEN = 893,
                  ICON_START_LETZTES = 894;
constexpr int32_t ICON_WIZARD_UEBERSICHT = 868, ICON_WIZARD_PANEL = 869, ICON_WIZARD_ZURUECK = 870,
                  ICON_WIZARD_WEITER = 871, ICON_WIZARD_NAME = 872, ICON_WIZARD_ZEILE = 873,
                  ICON_WIZARD_BALKEN = 885, ICON_WIZARD_KNAUF = 886, ICON_WIZARD_PLUS = 887,
                  ICON_WIZARD_MINUS = 888, ICON_WIZARD_ANZAHL = 889, ICON_WIZARD_KADER = 890;
// The network set-up on the start screen.
constexpr int32_t ICON_NETZ = 895, ICON_NETZ_ROLLE = 896, ICON_NETZ_SUCHEN = 897, ICON_NETZ_ADRESSE_TEXT = 898,
                  ICON_NETZ_ADRESSE = 899, ICON_NETZ_STOPP = 900, ICON_NETZ_PRUEFEN = 901;
constexpr uint32_t NETZ_ADRESSE_START[4] = {192, 168, 0, 1};
constexpr int32_t WIZARD_ZEILEN = 12;   // row icons 873-884
constexpr int32_t WIZARD_SEITEN = 8;    // pages 0-7

// What the start screens need from beside them, filled by the root. Unfilled
// they do nothing (and say so once in the debug log): the films are not
// shown, the load page is greyed.
struct SpielstartScreenHooks {
    // Opens film `nummer` of "animationen.res" at (x, y) and starts it; the
    // slot, 0 when none opened. Closes a slot.
    int32_t (*film_oeffnen)(int32_t nummer, int32_t x, int32_t y) = nullptr;
    void (*film_schliessen)(int32_t slot) = nullptr;
    // A game is started or loaded: the user directory's lock is taken.
    void (*spiel_sperren)() = nullptr;
};
SpielstartScreenHooks& Spielstart_Screen_Hooks();

// The calendar's frame while it waits for a game: the preparation on the
// first call, then the menu frame. True once a game runs.
bool Spielstart_Screen_Frame();
// Opens the start screen (the load page's "back" comes here).
void Spielstart_Screen_Oeffnen();
// The wizard's page switch by -1, 0 or +1 (+1 refused while the page's
// choice is missing).
void Spielstart_Seite_Wechseln(int32_t schritt);
// The page shown, -1 before the wizard; the first list entry in the top row.
int32_t Spielstart_Seite();
int32_t Spielstart_Versatz();
// The lists the wizard offers: countries, the chosen country's clubs, leagues.
int32_t Spielstart_Laender(const int32_t** liste);
int32_t Spielstart_Vereine_Liste(const int32_t** liste);
int32_t Spielstart_Ligen(const int32_t** liste);
// The server address the set-up holds, and its state: -1 unchecked, 1 a
// server answered, 0 no answer.
void Spielstart_Netz_Adresse(uint32_t out[4]);
int32_t Spielstart_Netz_Adresse_Zustand();
// A message shown over the start screen once it stands again (a network
// game that ended: the game's screens are gone before the start is rebuilt).
void Spielstart_Screen_Meldung(const char* text);
// Forgets the start screens' state: the next frame prepares the start again
// (a new program run, or a test's next game).
void Spielstart_Screen_Zuruecksetzen();

}  // namespace velmora
