// screens/menue_panel.h - the game's menu panel at the foot of the menu phase
// (the four buttons whose menus slide up and open the game's screens, the
// continue button that ends the manager's day), the header above it (the next
// match, the crests, the strengths, the balance) and the local team the
// screens show (gui/menue_lokal.h holds it for the framework).
//
// The panel reaches the match day, the bank, the announcements, the calendar,
// the clubs and the screens through MenuePanelHooks, which the composition
// root fills; what the framework asks of the game too (a club's texts and
// crest, the market's team) it reads from the framework's MenueSpielHooks. An
// unfilled hook does the neutral thing (no match, balance 0, no name, nothing
// opened).
#pragma once
#include <cstdint>

#include "gui/menue_lokal.h"

namespace velmora {

struct s_icon;

constexpr int32_t PANEL_KNOEPFE = 4;     // icons 702 (team) to 705 (system)
constexpr int32_t PANEL_EINTRAEGE = 6;   // entries per button
constexpr int32_t ICON_PANEL_TEAM = 702;
constexpr int32_t ICON_PANEL_SYSTEM = 705;
constexpr int32_t ICON_WEITER = 707;
constexpr int32_t ICON_SPIELZEILE = 709;
constexpr int32_t ICON_KONTOSTAND = 711;
constexpr int32_t PANEL_Y_UNTEN = 571;   // a lowered button's y

struct MenuePanelHooks {
    // The match day: the opponent of the team's match today (-1 none) with
    // its side (0 home, 1 away), importance, game and competition.
    int32_t (*spiel_info)(int32_t team, int32_t* seite, int32_t* wichtigkeit, int32_t* spiel,
                          int32_t* wettbewerb) = nullptr;
    // Whether the team plays today: its fixture of the day, known from the
    // morning on (the match day fills its table only when the day's last
    // turn ends). Unfilled: only the match day's table is asked.
    bool (*spiel_heute)(int32_t team) = nullptr;
    // The club's next fixture on a day without a match: its opponent,
    // competition and side (1 away where the competition has home grounds);
    // false when none is left. The opponent and competition may be written
    // also when it answers false.
    bool (*naechstes_spiel)(int32_t team, int32_t* gegner, int32_t* wettbewerb, int32_t* seite) = nullptr;
    // The bank: the smoothed balance set to the balance (a manager's turn begins).
    void (*mittelwert_angleichen)(int32_t team) = nullptr;
    // The announcements: forget the last one; start one (true when started).
    void (*ankuendigung_reset)() = nullptr;
    bool (*ankuendigung_jetzt)(int32_t art, int32_t dauer, int32_t puffer_pruefen) = nullptr;
    // The live view: pause and fast flags, the pitch display ring.
    void (*set_pause)(int32_t an) = nullptr;
    void (*set_fast)(int32_t an) = nullptr;
    void (*anzeige_reset)() = nullptr;
    void (*anzeige_naechstes)() = nullptr;
    // The result pages of a live match: open (true when opened) and close.
    bool (*ergebnis_seite)(int32_t seite) = nullptr;
    void (*ergebnis_seite_schliessen)(int32_t seite) = nullptr;
    // The screens: the openers behind the panel's entries (button - 702,
    // entry), the options screen, the load and save pages, the player list
    // and the tactics sliders of a live match.
    ScreenOeffner screens[PANEL_KNOEPFE][PANEL_EINTRAEGE] = {};
    ScreenOeffner optionen_screen = nullptr;
    ScreenOeffner disk_laden = nullptr;
    ScreenOeffner disk_speichern = nullptr;
    ScreenOeffner spielerliste_oeffnen = nullptr;
    ScreenOeffner spielerliste_schliessen = nullptr;
    ScreenOeffner regler_oeffnen = nullptr;
    ScreenOeffner regler_schliessen = nullptr;
    // Network play while the continue button is disabled: one line naming
    // whom this machine waits for ("" or null: nobody named).
    const char* (*warte_zeile)() = nullptr;
};
MenuePanelHooks& Menue_Panel_Hooks();

// The entries a panel button has (702 and 703: 6, 704 and 705: 4).
int32_t Menue_Panel_Eintraege(int32_t knopf);
// The shown text of a button's entry (-1: its title), "" when it has none.
const char* Menue_Panel_Eintrag_Text(int32_t knopf, int32_t eintrag);

// The local team and its match of the day (or its next fixture) as
// Menue_Lokal() shows it.
void Menue_Set_Eigenes_Team(int32_t team);
// The main screen: background, panel and header, and the team's last screen.
void Menue_Hauptscreen();
// A manager's turn begins: hooks emptied, texts resolved, local team set,
// and while the save byte is 0 the main screen.
void Menue_Neustart(int32_t team);
// The manager ends his day.
void Menue_Weiter();
// A turn begins at a machine where several managers take turns: a message
// names the manager and the club whose turn it is (nothing for a single one).
void Menue_Zug_Ansage(int32_t team);
void Menue_Beenden_Anfordern();
// Disables (on) or enables the continue button; disabled it shows the date.
void Menue_Panel_Icon_Schalten(int32_t an);
// A note that needs no click (another manager has ended his day): shown for
// a few seconds in the panel's line above the buttons, beside what the
// machine waits for.
void Menue_Panel_Notiz(const char* text);

// The icon procedures (public for the screens that call them).
void Menue_Panel_Team_Icon_Prozedur(s_icon* icon, int32_t ereignis);
void Menue_Weiter_Klick(s_icon* icon, int32_t ereignis);
void Menue_Leer_Prozedur(s_icon* icon, int32_t ereignis);

}  // namespace velmora
