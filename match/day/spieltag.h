// match/day/spieltag.h - the match day: the table of today's matches and the walk
// that moves each of them from kick-off to the closed result.
//
// Every game a competition plays today gets a slot. A slot waits until both
// sides are ready, starts (line-up check, cancelled match with its fine,
// gate money, the match record), runs one game minute per frame by the
// minute dice, pauses between periods, goes to extra time and a shoot-out
// when the competition's rules ask for them, finishes and closes. Closing the
// last slot of a competition closes that competition's day. Slots of one
// start group start, pause, resume and close together.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t SPIELTAG_SLOTS = 300;
constexpr int16_t SPIELTAG_LEER = -1;          // an empty entry (0xFFFF)
constexpr uint32_t SPIELTAG_ABRUF_MS = 400;    // a client fetches its record at most this often

// Slot states.
constexpr int8_t SLOT_NEU = 0;                 // entered for today, waiting for both sides
constexpr int8_t SLOT_START = 1;               // started: the match record is being made
constexpr int8_t SLOT_LAEUFT = 2;
constexpr int8_t SLOT_PAUSE = 4;               // between two periods
constexpr int8_t SLOT_BEENDET = 8;             // the result is final
constexpr int8_t SLOT_GESCHLOSSEN = 16;        // released at the next refill
constexpr int8_t SLOT_ELFMETER = 32;           // penalty shoot-out
constexpr int8_t SLOT_LAUFEND_MASKE = 38;      // 2, 4 and 32

#pragma pack(push, 1)
struct Spieltag_Slot {           // 24 bytes, stored raw in the save and sent to clients
    int16_t spiel;               // 0: the game's handle in the fixtures store; -1 empty
    int8_t bereit[2];            // 2: 0 not ready, 1 confirmed by a client, 2 ready
    uint32_t zeit_vorbereitet;   // 4: process clock (ms) when prepared
    uint32_t zeit_vorbereitet_2; // 8
    uint8_t minute;              // 12: game minute at the last minute change
    int8_t status;               // 13: SLOT_*
    int8_t abschnitt;            // 14: current period, 0 the first half
    int8_t elfer;                // 15: nonzero while a shoot-out holds the minute
    int8_t startgruppe;          // 16: 1 and up, 0 not grouped
    uint8_t frei[3];             // 17: zero
    float uhr;                   // 20: the day's minute clock at the last minute change
};
#pragma pack(pop)
static_assert(sizeof(Spieltag_Slot) == 24);
static_assert(offsetof(Spieltag_Slot, bereit) == 2);
static_assert(offsetof(Spieltag_Slot, zeit_vorbereitet) == 4);
static_assert(offsetof(Spieltag_Slot, zeit_vorbereitet_2) == 8);
static_assert(offsetof(Spieltag_Slot, minute) == 12);
static_assert(offsetof(Spieltag_Slot, status) == 13);
static_assert(offsetof(Spieltag_Slot, abschnitt) == 14);
static_assert(offsetof(Spieltag_Slot, elfer) == 15);
static_assert(offsetof(Spieltag_Slot, startgruppe) == 16);
static_assert(offsetof(Spieltag_Slot, uhr) == 20);

// Starts the module: every entry empty, the shoot-out list, the match record
// module. A running module is cleared first.
bool Spieltag_Init();
// Releases every game of the table, empties it and the shoot-out list and
// frees the match record module.
void Spieltag_Slots_Loeschen();
// Lets go of the closed slots of the last match day and their game locks
// (the season change deletes those games); open slots stay.
void Spieltag_Geschlossene_Freigeben();
bool Spieltag_Ist_Initialisiert();

// The new day: closed slots are released and the table compacted, then the
// competitions that play today enter their games and each new slot is set up
// (weather, suspensions, line-ups). Never on a client. The number of games entered.
int32_t Spieltag_Slots_Auffuellen();
// Gives every unstarted slot a new start group and presets its ready bytes;
// true when it prepared at least one.
bool Spieltag_Slots_Vorbereiten();
// One frame of the match day; true when a slot was advanced or a watched
// match stands in a break. `nachholen` is handed to the live tick.
bool Spieltag_Run(int32_t nachholen);

// The calendar's calls: the start of today's matches (refill and start
// groups; false when nothing is to be played) and one frame (false once
// every match of today is closed).
bool Spieltag_Start();
bool Spieltag_Frame();
// Plays every match due today to the end (for tools and tests without
// frames); true when something was played.
bool Spieltag_Alle_Spielen();

// Starts one match (line-up check, fine, gate money, record or the
// all-at-once dice). Nothing on a client.
void Spieltag_Spiel_Starten(int32_t slot);
// Closes a competition's day once all of its slots are closed.
void Spieltag_Weiterschalten(int32_t slot, bool mit_spielfeld);
// The end-of-day work for the games of one competition.
void Spieltag_Tagesabschluss(int32_t wettbewerb);
// The form of both elevens after a game.
void Spieltag_Form_Nach_Spiel(int32_t spiel);
// Before the day, per team: the early game's form and talent values.
void Spieltag_Vor_Tag(int32_t team);
// The fine of a club that cannot field eight players: 200,000 at a league
// level of 100 % (Wettbewerb_Team_Niveau), cut down to a multiple of 10,000.
int32_t Spieltag_Absage_Strafe(int32_t team);

// The shoot-out of a slot: state 32 and its record.
void Spieltag_Elfmeter_Vorbereiten(int32_t slot);
// Asked by the tick at each minute change of a live record: is its period
// over? Stoppage time starts once the period's end minute is reached; the
// referee then decides. True ends the period (the walk-off follows). False
// for a record not computed live; true without a slot or game.
bool Spieltag_Abschnitt_Pruefen(Spielfeld_Satz* satz);

// Queries for the calendar and the screens.
bool Spieltag_Team_Hat_Spiel(int32_t team);
bool Spieltag_Team_Im_Spiel(int32_t team);
bool Spieltag_Spiele_Offen();
bool Spieltag_Team_Spiel_Ausstehend(int32_t team);
// The opponent of the team's first unplayed game today with its side,
// importance, game and competition. Without one today: the opponent of the
// team's next unplayed game by date (the other answers stay as they were),
// -1 when it has none.
int32_t Spieltag_Spiel_Info(int32_t team, int32_t* seite, int32_t* wichtigkeit, int32_t* spiel,
                            int32_t* wettbewerb);
// Appends the game of every slot of the competition to `liste`.
void Spieltag_Spiele_Des_Wettbewerbs(int32_t wettbewerb, std::vector<int32_t>& liste);
int32_t Spieltag_Slot_Status(int32_t spiel);        // 0 without slot
// The state of the team's first slot today that is not closed, 0 without one
// (what the server tells a client with its news).
int32_t Spieltag_Team_Zustand(int32_t team);
int32_t Spieltag_Slot_Wettbewerb(int32_t slot);     // -1 without game
// A copy of a slot (false for an empty entry or a bad index).
bool Spieltag_Get_Slot(int32_t slot, Spieltag_Slot* out);
int32_t Spieltag_Slot_Anzahl();                     // occupied entries
// Server: the team's sides become ready (1) / are withdrawn (1 back to 0),
// with bit 2048 of its team value 7.
void Spieltag_Team_Bereit_Setzen(int32_t team);
void Spieltag_Team_Bereit_Loeschen(int32_t team);
bool Spieltag_Seite_Geladen(int32_t spiel, int32_t seite);
// Server: the club of a client that vanished plays on computer-managed: its
// sides of today's open slots are ready, its live records' sides computer-run.
void Spieltag_Team_Freigeben(int32_t team);
// Client: the slot the server answered becomes slot 0 (its game already
// locked on this machine); false when the module does not run.
bool Spieltag_Client_Slot_Setzen(const Spieltag_Slot& slot);
// Client: a record taken from the server may stand in another period than
// the slot (a fetch across the break): the slot's period follows the record's,
// so the slot neither takes a break the server already took nor skips one.
// False without such a slot and record.
bool Spieltag_Client_Abschnitt_Folgen(int32_t spiel);

// Save-game block: flag, the 300 slots, the shoot-out list, the clock start.
void Spieltag_Save(std::vector<uint8_t>& out);
// False (module unchanged) for a damaged block.
bool Spieltag_Load(const uint8_t* in, size_t bytes);
// Registers the "Spieltag" block of the save game (position 30).
bool Spieltag_Spielstand_Anmelden();

// Counts of the matches closed since the last reset, for the simulator's statistics.
struct SpieltagStatistik {
    int64_t spiele = 0;              // played (cancelled ones not counted)
    int64_t tore = 0;
    int64_t heimsiege = 0, remis = 0, auswaertssiege = 0;   // after the periods, before a shoot-out
    int64_t verlaengerungen = 0;
    int64_t elfmeterschiessen = 0;
    int64_t abgesagt = 0;
    int64_t mit_spielfeld = 0;       // played with a match record
};
const SpieltagStatistik& Spieltag_Statistik();
void Spieltag_Statistik_Zuruecksetzen();
// The counts as lines of text: goals per match and the shares of the results.
std::string Spieltag_Statistik_Text();

}  // namespace velmora
