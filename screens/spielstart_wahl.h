// screens/spielstart_wahl.h - a new game from the managers' choices: the
// choice table the start screens fill (one entry per human manager: name,
// country, league, club, portrait, a new squad or not), the game's level, and
// the start that turns the choices into a running game. The start gives each
// manager his club, moves a club into the league its manager picked, fits the
// human clubs' stadiums and squads to their leagues, opens their bank
// accounts with the level's start money, resets their advertising and raises
// the game-running flag. The world itself is built by the season
// (Spielstart_Welt_Aufbauen); the wizard, the headless program and the
// simulator all start through here.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

#pragma pack(push, 1)
struct SpielstartWahl {           // 56 bytes: one human manager's choices
    char name[36];                // at most 35 characters (the manager record keeps 19)
    int32_t nation;               // the country entry's team number, -1 none
    int32_t wettbewerb;           // the chosen league, -1 none
    int32_t team;                 // the chosen club, -1 none
    int32_t portrait;             // 0-11, -1 none (the team editor's placeholder entry)
    int32_t startkader;           // 1: the club starts with a newly drawn squad
};
#pragma pack(pop)
static_assert(sizeof(SpielstartWahl) == 56);
static_assert(offsetof(SpielstartWahl, nation) == 36);

constexpr int32_t SPIELSTART_WAHL_MAX = 2000;
constexpr int32_t SPIELSTART_MANAGER_MAX = 6;     // human managers on one machine
constexpr int32_t SPIELSTART_NAME_MAX = 19;       // characters the manager record keeps
constexpr int32_t SPIELSTART_LEVEL = 5;           // levels 0 (Amateur) to 4 (Profi)
constexpr int32_t SPIELSTART_PORTRAITS = 12;      // portraits 0-11 to choose from
// The start money of a level before it is scaled by the club's league.
constexpr int32_t SPIELSTART_GELD[SPIELSTART_LEVEL] = {6000000, 4500000, 3000000, 2500000, 2000000};

// Entry `eintrag` of the choice table (0..1999), null outside it.
SpielstartWahl* Spielstart_Wahl(int32_t eintrag);
// The number of human managers (-1 until chosen), the entry being edited and
// the level (-1 until chosen).
int32_t Spielstart_Anzahl();
void Spielstart_Anzahl_Setzen(int32_t anzahl);
int32_t Spielstart_Aktuell();
void Spielstart_Aktuell_Setzen(int32_t eintrag);
int32_t Spielstart_Level();
void Spielstart_Level_Setzen(int32_t level);
// The level's name (ULVO_ZUSATZ texts 99-103), "" outside 0-4.
const char* Spielstart_Level_Name(int32_t level);
// The human managers' clubs in entry order after the start (-1 where none).
int32_t Spielstart_Manager_Team(int32_t index);

// The table as at the program's start: every entry empty, names too.
void Spielstart_Wahl_Leeren();
// Before the start screen opens: every entry's country, league, club and
// portrait to -1 and its new-squad flag to 0 (names stay), the count, the
// level and the manager team list cleared, then the clubs that already have
// a human manager written into the list in team order.
void Spielstart_Wahl_Zuruecksetzen();
// The start screens' placeholder: the transfer market becomes the local team
// and gets a human manager named with ULVO_ZUSATZ text 104, in whose record
// the start screens keep their icon states. False without a transfer market.
bool Spielstart_Platzhalter_Anlegen();

// The balance a club opens with at `level` (clamped to 0-4): the level's
// start money scaled by the club's league level, plus 500,000, rounded down
// to a multiple of 100,000.
int32_t Spielstart_Startgeld(int32_t team, int32_t level);

// Turns the choices into a running game: a human manager on each entry's club
// (entries with a bad club are skipped and named in the debug log), the
// placeholder removed, the level copied, the screen cleared. An entry 0
// without a portrait on a machine playing alone is the team editor's: the
// start stops there (false, no game runs). Otherwise the stadiums,
// advertising, bank, scouts and negotiations start for the new game, the
// clubs are fitted (Spielstart_Vereine), each manager's club opens its
// account with its start money and gets its first advertising offers, and the
// game-running flag is raised (true).
bool Spielstart_Starten();
// Network play. The server's new game (the world built): a placeholder
// manager named TEAM_CLIENT_NAME (portrait 0) on every normal club but the
// market, level 2, Spielstart_Starten. Given to Spielstart_Netz_Server.
bool Spielstart_Server_Starten();
// Makes this machine a network game's server, from the start screen (a new
// game, `spiel` = Spielstart_Server_Starten, no own club) and from the options
// screen (the running game, no `spiel`): mode 2 and listening (on every
// address of the machine unless one is set, so loopback reaches it); then
// `spiel`; this machine plays `eigenes_team`, every other club of a human
// manager becomes a network team (bit 16), which no turn of the server's
// plays and a client may take, and the start-team table is filled for the
// clients. Not listening or `spiel` failing: the machine plays alone again
// (mode 0), false; the caller tells the manager (ULVO_ZUSATZ 142).
bool Spielstart_Netz_Server(int32_t eigenes_team, bool (*spiel)());
// The server's new game after its wizard: mode 2 and listening (as
// Spielstart_Netz_Server), then Spielstart_Starten with the wizard's
// managers, who all play on this machine; the start-team table is filled for
// the clients, who take the clubs no manager here plays. Not listening or no
// game: the machine plays alone again (mode 0), false.
bool Spielstart_Netz_Server_Neu();
// A client's join (mode 1, the server's address set): the connection, the
// game's data (the level into the level choice, the players, the teams, the
// start-team table); the market's manager record (the start screens' state)
// survives. Any step failing frees what was fetched, closes the connection
// and sets mode 0 (false); only the players' list, which the server may
// withhold from a connection that has not joined, follows in
// Spielstart_Client_Starten once the club is taken.
bool Spielstart_Client_Beitreten();
// A client that has joined and not yet taken its club, once per frame of the
// start screens (its connection is kept by the program's sign of life every
// 3 s, Netz_Client_Lebenszeichen): false once the connection is gone (the
// server dropped it or left): the world fetched from the server is let go and
// the connection closed; the machine stays a client (mode 1) for the next join.
bool Spielstart_Client_Halten();
// A client's start with the current choice entry: asks the server for the
// club (request 1036); refused (taken meanwhile, not offered) gives false and
// changes nothing here. Taken: the manager (an empty name becomes ULVO_ZUSATZ
// text 104, no portrait the first of 0-11 no start-table manager uses) is
// made here, its record sent (1037), and the game runs on the server's calendar.
bool Spielstart_Client_Starten();

// Fits the clubs to the choices: a club whose manager picked another league
// swaps places with that league's last club no manager picked; then each
// club (and the club it swapped with) gets a stadium sized by its league's
// averages and a squad scaled to the league's strength, and four of its
// players drawn at random lose half their strength. A club that starts with
// a new squad gets newly drawn players instead and nothing else.
void Spielstart_Vereine();

}  // namespace velmora
