// season/kalender.h - the calendar: the run-mode machine that drives the whole
// game frame by frame, the date, the days, months and seasons, the turns of
// the human managers and the autosave.
//
// Day 0 of a game is the season change day of the first season's year
// (zeitplan.cfg). A day runs: its start (the turns of the human managers in
// the menu, one after another), the match day when any competition plays,
// and the next day: the date moves on, every seventh day is autosaved, the
// ranking list is updated, the competitions enter teams and draw fixtures,
// the daily and monthly news and events run, and on the season change day
// the yearly work (titles, promotion and relegation, qualification, new
// fixtures, two training camps for every human manager).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/abonnenten.h"
#include "season/spiele.h"

namespace velmora {

struct Zeitplan;

// Run modes.
constexpr int32_t KALENDER_START = 0;          // program start: modules initialised
constexpr int32_t KALENDER_MENUE = 1;          // a human manager's turn
constexpr int32_t KALENDER_WARTEN = 2;         // waits for a new or loaded game
constexpr int32_t KALENDER_SPIELSTART = 3;     // the game-start work, after a new game or a load
constexpr int32_t KALENDER_TAG_START = 4;      // a day begins: the turns are drawn up
constexpr int32_t KALENDER_SPIELTAG = 5;       // the match day runs
constexpr int32_t KALENDER_TAG_ENDE = 6;       // the date moves on; autosave
constexpr int32_t KALENDER_NEUER_TAG = 7;      // the new day's work
constexpr int32_t KALENDER_ERGEBNISSE = 17;    // announcement window: the results
constexpr int32_t KALENDER_TABELLE = 18;       // announcement window: the table
constexpr int32_t KALENDER_ENDE = 21;          // orderly shutdown
constexpr int32_t KALENDER_ANKUENDIGUNG = 22;  // announcement pages
constexpr int32_t KALENDER_AUS = 23;           // after the shutdown: nothing more runs
constexpr int32_t KALENDER_SIEGER = 24;        // announcement window: the winner

// Events of K_NEUER_TAG.
constexpr int32_t K_LADEN = 1;        // load save slot `wert`
constexpr int32_t K_SPEICHERN = 2;    // save into slot `wert`
constexpr int32_t K_FERTIG = 6;       // the manager whose turn it is has finished the day

#pragma pack(push, 1)
struct TagDatensatz {                 // 84 bytes
    int32_t tag_index;                // 0
    int32_t tag;                      // 4: day of the month
    int32_t wochentag;                // 8: 0 Monday .. 6 Sunday
    int32_t monat;                    // 12: 1..12
    int32_t jahr;                     // 16
    char text_lang[40];               // 20: "Samstag, 10. August 2001"
    char text_kurz[24];               // 60: "Sa 10.08.2001"
};
#pragma pack(pop)
static_assert(sizeof(TagDatensatz) == 84);
static_assert(offsetof(TagDatensatz, monat) == 12);
static_assert(offsetof(TagDatensatz, jahr) == 16);

// The calls the calendar makes into the shell, the GUI, the match day, the
// announcements and the club management. Single hooks have one owner and are
// optional: unfilled they do the neutral thing (nothing, or "done at once")
// and the calendar goes on. Events several modules answer are subscriber
// lists (core/abonnenten.h), run in the order of core/prioritaeten.h.
struct KalenderHooks {
    // Program start and end: the modules above the season (menu tables, ...).
    Abonnenten<> module_init;
    Abonnenten<> module_free;
    void (*app_beenden)() = nullptr;        // the shell's end (App_Beenden)
    // Per frame: the mouse latch at the start, the music check every 500 ms,
    // the media stop when the run mode changes; into the pages (the
    // announcement run mode or a page window's) only the films pause: the
    // page that asked for the switch has just started its opening sound.
    void (*maus_latch)() = nullptr;
    void (*backsound_pruefen)() = nullptr;
    Abonnenten<> medien_stop;
    Abonnenten<> filme_pausieren;
    uint32_t (*uhr)() = nullptr;            // milliseconds; unfilled: the platform clock
    // Waiting for a game: the start screens' frame (true once a game runs).
    bool (*spielstart_frame)() = nullptr;
    // The menu phase.
    Abonnenten<> menue_frame;
    Abonnenten<int32_t> zug_beginnt;        // a manager's turn begins (his team)
    Abonnenten<int32_t> zug_endet;          // his day is over (Menue_Weiter)
    // Announcements: the driver (0 nothing shown, 1 keep the match day
    // waiting, 2 let it run), whether entries wait, whether a window is open.
    int32_t (*ankuendigung_treiber)(uint32_t jetzt) = nullptr;
    bool (*ankuendigung_wartet)() = nullptr;
    bool (*ankuendigung_aktiv)() = nullptr;
    // The last manager of the day has ended his turn: the pages before the
    // matches are queued (before the match day starts).
    void (*letzter_zug)() = nullptr;
    // The match day: starts today's matches (false: nothing to play), then
    // advances them each frame (false once every match is closed).
    bool (*spieltag_start)() = nullptr;
    bool (*spieltag_frame)() = nullptr;
    // Every day, before its news and events (which a request still open at a
    // month's change skips): a runner counts its days here.
    Abonnenten<> tag_gezaehlt;
    // The day's and month's news and events, the yearly work of the club
    // management, and whether a request to a manager is still open.
    Abonnenten<> tag_ereignisse;
    Abonnenten<> monat_ereignisse;
    Abonnenten<> jahr_ereignisse;
    // Before the season change deletes the old fixtures: whoever still holds
    // games of the last match day lets go of them.
    Abonnenten<> vor_saisonwechsel;
    bool (*anfrage_offen)() = nullptr;
    // After a match of a team (Nach_Spiel_Team): stadium upkeep, advertising
    // week, then (after the ranking's own step) the bank period.
    Abonnenten<int32_t, Spiel_Lock> nach_spiel_team;
    // The daily check of the managers' line-ups (the ranking's day).
    Abonnenten<> aufstellung_pruefen;
    // Network play. The wait after the own managers' turns begins (1) or
    // ends (0): the main screen stays, "Weiter" disabled. A client fetches
    // the game's data from the server when the server's day moved on.
    void (*netz_warten)(int32_t an) = nullptr;
    void (*client_alles_holen)() = nullptr;
    // A waiting client's own match: one frame of it; true while it runs (its
    // views own the screen, the menu's frame waits).
    bool (*client_spieltag)() = nullptr;
    // The waiting client's match takes the screen (1): the main screen kept
    // for the wait goes; or gives it back (0) at its end, or when the wait
    // ends with it: the main screen comes back, "Weiter" disabled while the
    // wait goes on.
    Abonnenten<int32_t> client_spiel_zeigt;
};
KalenderHooks& Kalender_Hooks();

// The per-frame run-mode machine of the whole game.
void Kalender_Main();
// The control events (K_LADEN, K_SPEICHERN, K_FERTIG); loads and saves run at
// the start of the next frame, in the menu phase or while waiting for a game.
void K_NEUER_TAG(int32_t ereignis, int32_t wert);

int32_t Kalender_Get_Runmodus();
// Sets an announcement window's run mode (17, 18 or 24) from the menu, the
// match day or the pages; others are refused. The window's end returns there.
void Kalender_Set_Runmodus(int32_t modus);
bool Kalender_Ist_Menue_Modus();
// The team whose turn it is, -1 outside the menu phase.
int32_t Kalender_Aktives_Team();
// The team whose turn follows at this machine on this day, -1 when the
// current turn is the last one (or none is open).
int32_t Kalender_Naechster_Zug();
// Network play, after the own managers' turns: a client waits for the
// server's day to move on (it asks the server's calendar once a second and
// plays no match day of its own); the server waits until every club a client
// plays has reported the end of its day (bit 2048 of team value 7, cleared
// when the date moves on), and without own managers and clients plays no day.
bool Kalender_Netz_Wartet();
// The server while it waits after its own turns: the clubs of the clients
// that have not ended their day, in team order, at most `max` of them; their
// count. 0 on a client and while nothing is awaited.
int32_t Kalender_Netz_Wartet_Auf(int32_t* teams, int32_t max);

// The date.
int32_t Tag_Index();
int32_t Kalender_Tag_Index();
TagDatensatz Kalender_Datum_Kopie();
// The record of day `tag` (-1 today); false for a day before the game.
bool Kalender_Tag_Datensatz(int32_t tag, TagDatensatz* out);
const char* Kalender_Tag_Text(int32_t tag, int32_t);            // the long text
const char* Kalender_Tag_Name(int32_t tag, int32_t lang);       // 1 long, 0 short
int32_t Kalender_Tag_Index_Von_Datum(int32_t tag, int32_t monat, int32_t jahr);
// The year the current season started in.
int32_t Kalender_Saisonjahr();
// The date and the season's first year of the game saved in slot 0 to 9, read
// from its calendar block without loading it; false for a slot without a sound one.
bool Kalender_Spielstand_Datum(int32_t slot, TagDatensatz* datum, int32_t* saisonjahr);

// The schedule: the day index of a round's leg in the current season (-1
// when it has no date); the competitions with games due today (no date
// counts as due) into `out` (room for 256), their number.
int32_t Kalender_Team_Frei_2(int32_t wettbewerb, int32_t runde, int32_t spieltag);
int32_t Kalender_Freier_Tag(int32_t, int32_t, int32_t* out);
// The unplayed games of a competition due today, locked, into `out` (room
// for `max`); their number. The caller unlocks them.
int32_t Kalender_Heutige_Spiele(int32_t wettbewerb, Spiel_Lock* out, int32_t max);
const Zeitplan* Kalender_Zeitplan();

// Speed, frame flag, wait window, debug mode and the time limit of a turn.
void Kalender_Set_Tempo(int32_t tempo);
int32_t Kalender_Get_Tempo();
void Kalender_Clear_Frame();
bool Kalender_Get_Frame();
bool Kalender_Get_Wartefenster();
void Kalender_Set_Wartefenster(bool an);
bool Kalender_Get_Debug();
void Kalender_Zeit_Merken();

// The day's work as the run modes call it, for tests and tools that drive
// a game without frames.
void Kalender_Jeden_Tag();
void Kalender_Jeden_Monat();
void Kalender_Jedes_Jahr();

// The game-start work of a new game on day 0, or of a loaded one. The dates
// come from the schedule of the world just built (Zeitplan_Welt), else from
// zeitplan.cfg; the dates they lack are built.
bool Kalender_Neues_Spiel();
void Kalender_Free();
// Frees the game's data (the calendar's state but its run mode, the world's
// schedule, the season, the clubs and the players): no game is in memory afterwards.
void Kalender_Spiel_Freigeben();
// Back to the program's start (tests): everything freed, run mode 0.
void Kalender_Zuruecksetzen();
// The running game is let go without a save (every module freed as at the
// program's end) and the calendar starts over at the start screens: a
// client whose server is gone.
void Kalender_Zum_Start();

// Save-game block (the date, the resume point, the schedule).
void Kalender_Save(std::vector<uint8_t>& out);
bool Kalender_Load(const uint8_t* in, size_t bytes);
// Registers the "Kalender" block of the save game (position 24).
bool Kalender_Spielstand_Anmelden();

// Remote calls (docs/protocol.md).
constexpr int32_t ANFRAGE_KALENDER_STAND = 1035;   // "<B"
constexpr int32_t ANFRAGE_KALENDER_ABGLEICH = 1040;   // "i<B": the state as far as it changed (club/abgleich.h)
// Client: the calendar state fetched again from the server (also the
// calendar part of the network's Client_Alles_Holen); only what changed
// since the last fetch travels (request 1040). False when it failed.
bool Kalender_Client_Sync();
// Client: its request sent ahead without waiting (Club_Remote_Vorab).
void Kalender_Client_Sync_Vorab();
bool Kalender_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort);

// The year a title won now carries: the calendar year, or without a running
// calendar the seasons played.
int32_t Kalender_Titel_Jahr();

}  // namespace velmora
