// gui/menue_panel.h - the menu panel at the foot of the menu phase (the four
// buttons whose menus slide up and open the game's screens, the continue
// button that ends the manager's day), the header above it (the next match,
// the crests, the strengths, the balance) and the local team the screens show.
//
// The panel lives in gui and reaches the match day, the bank, the news, the
// announcements, the live view and the screens only through MenuePanelHooks,
// which the composition root fills. The same table tells the panel, the
// requester, the option bar and the header's film what they show of the
// clubs, the managers, the calendar and the competitions: the framework
// includes none of the game's modules. An unfilled hook does the neutral
// thing (no match, balance 0, no name, nothing opened).
#pragma once
#include <cstdint>
#include <string>

#include "core/abonnenten.h"

namespace velmora {

struct s_icon;
struct Rastport;
struct SchattenParameter;

constexpr int32_t PANEL_KNOEPFE = 4;     // icons 702 (team) to 705 (system)
constexpr int32_t PANEL_EINTRAEGE = 6;   // entries per button
constexpr int32_t ICON_PANEL_TEAM = 702;
constexpr int32_t ICON_PANEL_SYSTEM = 705;
constexpr int32_t ICON_WEITER = 707;
constexpr int32_t ICON_SPIELZEILE = 709;
constexpr int32_t ICON_KONTOSTAND = 711;
constexpr int32_t PANEL_Y_UNTEN = 571;   // a lowered button's y
constexpr int32_t MENUE_WAPPEN_GROESSE = 66;   // the crests and the trophy of the header and the requester
// The framework's own screen texts.
constexpr const char* MENUE_TEXTE = "MENUE_SCREEN";

using ScreenOeffner = void (*)();

// The texts of a club the framework shows.
enum class MenueTeamText : int32_t { NAME, NAME_KURZ, MANAGER };

// Today as the header and the continue button show it.
struct MenueDatum {
    int32_t tag_index = -1;   // the calendar's day
    int32_t tag = 0, monat = 0, jahr = 0;
    int32_t saisonjahr = 0;   // the year the season began in
    std::string text_lang;    // "Samstag, 10. August 2001"
    std::string text_kurz;    // "Sa 10.08.2001"
};

struct MenuePanelHooks {
    // The match day: the opponent of the team's match today (-1 none) with
    // its side (0 home, 1 away), importance, game and competition; whether
    // the team plays today; a client reports the end of its day.
    int32_t (*spiel_info)(int32_t team, int32_t* seite, int32_t* wichtigkeit, int32_t* spiel,
                          int32_t* wettbewerb) = nullptr;
    bool (*team_hat_spiel)(int32_t team) = nullptr;
    void (*client_melden)() = nullptr;
    // The bank: the balance, the smoothed balance (each call moves it on) and money as text.
    int32_t (*kontostand)(int32_t team) = nullptr;
    int32_t (*mittelwert)(int32_t team) = nullptr;
    // The smoothed balance set to the balance (a manager's turn begins).
    void (*mittelwert_angleichen)(int32_t team) = nullptr;
    const char* (*geld_text)(float betrag, int32_t team) = nullptr;
    // The news: in network play the other managers hear that this one has finished.
    void (*manager_nachricht)() = nullptr;
    // The announcements: forget the last one; start one (true when started).
    void (*ankuendigung_reset)() = nullptr;
    bool (*ankuendigung_jetzt)(int32_t art, int32_t dauer, int32_t puffer_pruefen) = nullptr;
    // The live view: pause and fast flags, the pitch display ring.
    void (*set_pause)(int32_t an) = nullptr;
    int32_t (*get_pause)() = nullptr;
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
    // The team module's continuous play: while on, the day ends without the menu.
    bool (*dauerspiel_an)() = nullptr;
    void (*dauerspiel)() = nullptr;
    // A client: the own players, team and manager fetched again from the server.
    void (*client_refresh)() = nullptr;
    // Network play while the continue button is disabled: one line naming
    // whom this machine waits for ("" or null: nobody named).
    const char* (*warte_zeile)() = nullptr;
    // Another screen is about to open from the panel: the windows lying over
    // the old one close first.
    Abonnenten<> screen_wechsel;

    // The clubs: the transfer market's team; a club's texts; its manager's
    // portrait (0-11); whether it is a normal club of a competition and has
    // a human manager; its players; the strength of its available starters
    // and the figure it is shown as, and their attribute figure.
    int32_t (*team_markt)() = nullptr;
    const char* (*team_text)(MenueTeamText art, int32_t team) = nullptr;
    int32_t (*team_portrait)(int32_t team) = nullptr;
    bool (*team_ist_normal)(int32_t team) = nullptr;
    bool (*team_hat_manager)(int32_t team) = nullptr;
    int32_t (*team_spieler)(int32_t team) = nullptr;
    int32_t (*team_staerke)(int32_t team) = nullptr;
    const char* (*staerke_text)(int32_t staerke) = nullptr;
    int32_t (*team_attribute)(int32_t team) = nullptr;
    // The game's pictures: a club's crest, a competition's trophy (or that
    // of the club's competition) drawn breite x hoehe at (x, y) with the
    // shadow; 1 when drawn.
    int32_t (*wappen_zeichnen)(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite, int32_t hoehe,
                               const SchattenParameter* schatten) = nullptr;
    int32_t (*pokal_zeichnen)(int32_t wettbewerb, int32_t team, Rastport* ziel, int32_t x, int32_t y,
                              int32_t breite, int32_t hoehe, const SchattenParameter* schatten) = nullptr;
    // The panel entry a club opened last (button - 702, entry), kept with its
    // manager: read (false when none is kept) and written.
    bool (*auswahl_lesen)(int32_t team, int32_t paar[2]) = nullptr;
    void (*auswahl_schreiben)(int32_t team, const int32_t paar[2]) = nullptr;
    // The managers who take turns at this machine, counted.
    int32_t (*manager_am_zug)() = nullptr;
    // The calendar: the club whose turn it is (-1 none); its manager has
    // finished the day; today (false before a game runs); whether it waits
    // for the continue button and its tempo (1 fast).
    int32_t (*aktives_team)() = nullptr;
    // The club whose turn follows this one at this machine today, -1 when
    // this turn is the day's last.
    int32_t (*naechster_zug)() = nullptr;
    void (*tag_fertig)() = nullptr;
    bool (*heute)(MenueDatum* datum) = nullptr;
    bool (*wartefenster)() = nullptr;
    void (*tempo_setzen)(int32_t tempo) = nullptr;
    // The club's next fixture on a day without a match: its opponent,
    // competition and side (1 away where the competition has home grounds);
    // false when none is left. The opponent and competition may be written
    // also when it answers false.
    bool (*naechstes_spiel)(int32_t team, int32_t* gegner, int32_t* wettbewerb, int32_t* seite) = nullptr;
    // The competitions: the graphic number (-1 none) and whether it has a cup to show.
    int32_t (*wettbewerb_grafik)(int32_t wettbewerb) = nullptr;
    bool (*wettbewerb_pokal)(int32_t wettbewerb) = nullptr;
};
MenuePanelHooks& Menue_Panel_Hooks();

// The entries a panel button has (702 and 703: 6, 704 and 705: 4).
int32_t Menue_Panel_Eintraege(int32_t knopf);
// The shown text of a button's entry (-1: its title), "" when it has none.
const char* Menue_Panel_Eintrag_Text(int32_t knopf, int32_t eintrag);

// The local team and its match of the day.
struct MenueLokal {
    int32_t team = -1;
    int32_t gegner = -1;
    int32_t seite = 0;         // 0 home, 1 away
    int32_t wichtigkeit = 0;   // 0..100
    int32_t wettbewerb = -1;
};
const MenueLokal& Menue_Lokal();
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
void Menue_Client_Refresh();

// The icon procedures (public for the screens that call them).
void Menue_Panel_Team_Icon_Prozedur(s_icon* icon, int32_t ereignis);
void Menue_Weiter_Klick(s_icon* icon, int32_t ereignis);
void Menue_Leer_Prozedur(s_icon* icon, int32_t ereignis);

}  // namespace velmora
