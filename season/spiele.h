// season/spiele.h - the fixtures store: games, their locks, results and events,
// suspensions, series and per-player event statistics.
//
// A game is named by its competition and three coordinates: the round (a
// league's matchday or a cup round, from 1), the pairing index within the
// round (from 0) and the matchday of the pairing (0 for the first or only
// leg, 1 for the second leg). Callers reach a game through a lock handle
// (`Spiel_Lock`, 0 = none): the game's number + 1, stable for the season.
//
// All events of all games live in one array that grows when full; a game gets
// a block of SPIEL_EREIGNISSE_MAX entries when its events are prepared and
// keeps only the entries it used once it is closed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t SPIEL_EREIGNISSE_MAX = 160;   // events kept per game
constexpr uint16_t SPIEL_KEIN_SPIELER = 0xFFFF;  // "no player" in an event

// Event kind bits, as the match writes them.
constexpr uint32_t EREIGNIS_HEIM = 0x1;          // the event belongs to the home side
constexpr uint32_t EREIGNIS_SCHUSS = 0x2;        // goal or shot at goal
constexpr uint32_t EREIGNIS_TOR = 0x4;           // with 0x2: a goal that counts for the side of 0x1
constexpr uint32_t EREIGNIS_GELB = 0x10;         // booking
constexpr uint32_t EREIGNIS_GELBROT = 0x20;      // sending-off after a second booking
constexpr uint32_t EREIGNIS_ROT = 0x40;          // straight red card
constexpr uint32_t EREIGNIS_EIGENTOR = 0x200;    // own goal (0x1 names the side that profits)
constexpr uint32_t EREIGNIS_FOUL = 0x10000;
constexpr uint32_t EREIGNIS_VERLETZUNG = 0x20000;
constexpr uint32_t EREIGNIS_WECHSEL = 0x40000;

// Goal-kind bits: a goal the dice write carries 0x2 | 0x4 and at most one of
// them. The two set-piece kinds are scored without an assist; nothing else in
// the game tells the kinds apart yet, so the other two carry their bit only.
constexpr uint32_t TORART_80 = 0x80;
constexpr uint32_t TORART_2000 = 0x2000;
constexpr uint32_t TORART_STANDARD_4000 = 0x4000;
constexpr uint32_t TORART_STANDARD_8000 = 0x8000;
constexpr uint32_t TORART_OHNE_VORLAGE = TORART_STANDARD_4000 | TORART_STANDARD_8000;

// Card states (Spiele_Get_Wettbewerb_Ereignis): beside the card kind bits of
// the events, modus 1 marks a booking in the running game and modus 8 a
// suspension for accumulated bookings.
constexpr uint32_t KARTE_GEBUCHT = 0x80;           // modus 1: the next booking sends him off
constexpr uint32_t SPERRE_GELB_SUMME = 0x80;       // modus 8

// Flag byte of a game (offset 24).
constexpr uint8_t SPIEL_FLAG_VERLAENGERUNG = 0x01;  // extra time due / played
constexpr uint8_t SPIEL_FLAG_ELFMETER = 0x02;       // a shoot-out decided the tie
constexpr uint8_t SPIEL_FLAG_LOS = 0x04;            // lots decided the tie
constexpr uint8_t SPIEL_FLAG_GESPIELT = 0x08;       // the result is final
constexpr uint8_t SPIEL_FLAG_EREIGNISSE_OFFEN = 0x10;  // the game holds a full event block
constexpr uint8_t SPIEL_FLAG_HEIM_ENTSCHIEDEN = 0x40;  // shoot-out or lot won by this game's home side

// Result kinds (offset 27).
constexpr uint8_t SPIEL_ERGEBNIS_GESPIELT = 1;
constexpr uint8_t SPIEL_ERGEBNIS_ABGESAGT = 4;     // a side could not field a team

#pragma pack(push, 1)
struct SpielDatensatz {          // 32 bytes, stored raw in the save and sent to clients
    int32_t zuschauer;           // 0: spectators
    int32_t ereignis_start;      // 4: first entry in the event array, -1 none
    int16_t heim;                // 8: team numbers, -1 none
    int16_t gast;                // 10
    int16_t wettbewerb;          // 12
    int16_t runde;               // 14
    int16_t spieltag;            // 16: 0 first leg, 1 second leg
    int16_t paarung;             // 18
    uint8_t minute;              // 20
    uint8_t ereignis_anzahl;     // 21
    int8_t tore_heim;            // 22: negative while not played
    int8_t tore_gast;            // 23
    uint8_t flags;               // 24: SPIEL_FLAG_*
    uint8_t temperatur;          // 25: 0-100
    uint8_t niederschlag;        // 26: 0-100
    uint8_t ergebnis_art;        // 27: SPIEL_ERGEBNIS_*
    uint8_t elfmeter_heim;       // 28: shoot-out goals
    uint8_t elfmeter_gast;       // 29
    uint16_t folge;              // 30: order in which results were entered (1 = first), 0 none
};
struct SpielEreignis {           // 9 bytes
    uint32_t art;                // kind bits
    uint8_t minute;
    uint16_t spieler;            // SPIEL_KEIN_SPIELER: none
    uint16_t spieler2;
};
#pragma pack(pop)
static_assert(sizeof(SpielDatensatz) == 32);
static_assert(offsetof(SpielDatensatz, heim) == 8);
static_assert(offsetof(SpielDatensatz, wettbewerb) == 12);
static_assert(offsetof(SpielDatensatz, runde) == 14);
static_assert(offsetof(SpielDatensatz, spieltag) == 16);
static_assert(offsetof(SpielDatensatz, paarung) == 18);
static_assert(offsetof(SpielDatensatz, tore_heim) == 22);
static_assert(offsetof(SpielDatensatz, flags) == 24);
static_assert(sizeof(SpielEreignis) == 9);

using Spiel_Lock = int32_t;

bool Spiele_Init();     // an empty store; called when a game starts
void Spiele_Free();
bool Spiele_Ist_Initialisiert();

// Enters a new game; its number, or -1 when the coordinates are taken or bad.
int32_t Spiele_Neu(int32_t wettbewerb, int32_t runde, int32_t paarung, int32_t spieltag, int32_t heim,
                   int32_t gast);
// Removes every game of a competition (new fixtures); false while one is locked.
bool Spiele_Loeschen_Wettbewerb(int32_t wettbewerb);
// A club takes another's place in a competition: in its games not yet played
// (no score) `neu` stands where `alt` stood. Returns how many games changed.
int32_t Spiele_Team_Ersetzen(int32_t wettbewerb, int32_t alt, int32_t neu);
int32_t Spiele_Anzahl();
// The numbers of a competition's games in ascending order (valid until games
// are added or removed) and their count.
int32_t Spiele_Nummern_Von(int32_t wettbewerb, const int32_t** nummern);
// A game by number, for walks over the store; null past the end.
const SpielDatensatz* Spiele_Nummer(int32_t nummer);
// Every game in number order and their count (valid until games are added or
// removed): the walk over the whole store without a call per game.
const SpielDatensatz* Spiele_Alle(int32_t* anzahl);
// A count that changes whenever a game of the competition may have changed
// (a result, flag or event set, a game added, removed or given another club,
// the store loaded or emptied) and never returns to a value it had: what was
// computed from the games while it reads the same still holds.
uint64_t Spiele_Stand(int32_t wettbewerb);

// The handle of a game (0 when there is none) and one more lock on it.
Spiel_Lock Spiele_Lock(int32_t wettbewerb, int32_t runde, int32_t paarung, int32_t spieltag);
void Spiele_Unlock(Spiel_Lock spiel);
// Releases every lock (the match-day table was emptied).
void Spiele_Lock_Alle();
int32_t Spiele_Locks(Spiel_Lock spiel);
// The handle of a game number without taking a lock (0 for a bad number).
Spiel_Lock Spiele_Handle(int32_t nummer);

// The game's record: `zeiger` 1 the record in the store, 0 a copy in a
// scratch buffer (valid until the next call). Null when the game does not exist.
// The record is for reading: results, sides and flags change only through the
// setters below, which move Spiele_Stand.
SpielDatensatz* Spiele_Get_Spiel(Spiel_Lock spiel, int32_t zeiger);

// The result as a text, "2:1", or "-:-" while not played; "" for no game.
const char* Spiele_Get_Ergebnis(Spiel_Lock spiel);
// How the tie was decided in this game: "n.V." after extra time, "i.E. 4:3"
// after a shoot-out, "Los" by lot, "" otherwise.
const char* Spiele_Flag_Text(Spiel_Lock spiel);

void Spiele_Clear_Tore(Spiel_Lock spiel);    // kick-off: 0:0, no events yet
// The final result; `art` SPIEL_ERGEBNIS_*. Closes the game's event block.
void Spiele_Set_Ergebnis(Spiel_Lock spiel, int32_t heim, int32_t gast, int32_t art);
void Spiele_Set_Wert(Spiel_Lock spiel, int32_t zuschauer);
// -1 marks the game as not played again (result, events and flags cleared).
void Spiele_Set_Status(Spiel_Lock spiel, int32_t status);
void Spiele_Set_Elfmeter(Spiel_Lock spiel, int32_t heim, int32_t gast);
void Spiele_Set_Flag(Spiel_Lock spiel, uint8_t bits, bool setzen);
// After the match: the result becomes final and the event block is trimmed.
void Spiele_Set_Nachspiel_Statistik(Spiel_Lock spiel);

// Prepares the game's block of events (kept events stay).
bool Spiele_Ereignis_Array(Spiel_Lock spiel);
// Appends one event: `minute` -1 takes the game's minute; players -1 or
// 65535 for none. A goal (0x2 with 0x4) is counted for the side of bit 0x1
// even when the block is full and the event itself is dropped. Cards are
// counted for the player in the game's competition and suspend him. False
// when the event was not stored.
bool Spiel_Ereignis(Spiel_Lock spiel, uint32_t art, int32_t minute, int32_t spieler, int32_t spieler2);
// The game's events in order: cursor starts at 0; null at the end.
const SpielEreignis* Spiele_Ereignis_Erstes(Spiel_Lock spiel, int32_t* cursor);
const SpielEreignis* Spiele_Ereignis_Naechstes(Spiel_Lock spiel, int32_t* cursor);
int32_t Spiele_Ereignis_Feld_Groesse();   // entries the shared array holds now

// A player's card state in a competition:
// modus 1: his earlier card kind in the running game (EREIGNIS_GELB |
//          KARTE_GEBUCHT after a booking there, so the next booking is a
//          sending-off), or -1;
// modus 4, 5, 6: his bookings, sendings-off after a second booking, red cards;
// modus 7: the times he was in the competition's team of the round;
// modus 8: the suspension: EREIGNIS_GELBROT after a second booking, EREIGNIS_ROT
//          after a red card, SPERRE_GELB_SUMME after accumulated bookings, with
//          the games left in the low 5 bits; 0 none.
constexpr int32_t WETTBEWERB_EREIGNIS_ELF = 7;
int32_t Spiele_Get_Wettbewerb_Ereignis(int32_t wettbewerb, int32_t modus, int32_t, int32_t spieler, int32_t,
                                       int32_t);
// Enters an event of a player in a competition; the one kind entered so far
// is WETTBEWERB_EREIGNIS_ELF (the team of the round, counted up to 255).
// False for a bad player or kind. The last argument is unused (-1).
bool Spiele_Wettbewerb_Ereignis_Add(int32_t wettbewerb, int32_t spieler, int32_t art, int32_t);
// Suspension work for a team's players in a competition: `vor_spiel` 1
// before a match notes who sits the game out and takes him out of the
// starting eleven; 0 at the end of the day counts those games down and
// clears the bookings of the day's game.
void Spiele_Setze_Sperren_Spieler_Vor_Spiel(int32_t wettbewerb, int32_t team, int32_t vor_spiel);
// Rules of a competition's suspensions (set by the competitions).
void Spiele_Sperr_Regeln(int32_t wettbewerb, int32_t gelb_grenze, int32_t spiele_gelbrot, int32_t spiele_rot);

// The team's running series over its played games (competition -1: all) in
// the order results came in; `art` 0 home games, 1 away games, 2 all. The
// seven counters: wins, draws, defeats in a row, unbeaten, without a win,
// games with a goal scored, games without conceding. 1 when the team has
// played such a game (counters filled, null pointers skipped), else 0. On a
// client the server is asked.
int32_t Spiele_Serie(int32_t wettbewerb, int32_t team, int32_t* z0, int32_t* z1, int32_t* z2, int32_t* z3,
                     int32_t* z4, int32_t* z5, int32_t* z6, int32_t art);

// Counts per player the events whose kind has every bit of `maske` (own goals
// never count as goals of the scorer) over the given competitions into
// `pro_spieler` (room for `spieler_anzahl`, cleared first). Returns the events counted.
int32_t Spiele_Get_Statistik(const int32_t* wettbewerbe, int32_t anzahl, uint32_t maske, int32_t* pro_spieler,
                             int32_t spieler_anzahl);

// Save-game block; loading refuses a damaged block and leaves the store as it was.
void Spiele_Save(std::vector<uint8_t>& out);
bool Spiele_Load(const uint8_t* in, size_t bytes);
// Registers the "Spiele" block of the save game (position 21).
bool Spiele_Spielstand_Anmelden();

// Remote calls (docs/protocol.md).
constexpr int32_t ANFRAGE_SPIELE_SERIE = 1033;     // "iii<iiiiiiii"
constexpr int32_t ANFRAGE_SPIELE_SPIEL = 1034;     // "iiii<B"
constexpr int32_t ANFRAGE_SPIELE_ALLE = 1038;      // "<B": the whole store as its save block
constexpr int32_t ANFRAGE_SPIELE_ABGLEICH = 1039;  // "i<B": the store's save block as far as it changed (club/abgleich.h)
// Client side: fetches a game with its events from the server into this
// machine's store (replacing an older copy); its handle, or 0 when the
// server has no such game or did not answer.
Spiel_Lock Spiele_Client_Holen(int32_t wettbewerb, int32_t runde, int32_t paarung, int32_t spieltag);
// Client side: replaces this machine's whole store by the server's (fixtures,
// results, events, suspensions). A client's own fixtures were drawn by its own
// dice and name other pairings than the server's. The server sends only what
// changed since the store it sent last (request 1039). False, the store kept,
// when the server did not answer or its block is damaged.
bool Spiele_Client_Alle_Holen();
// Client: its request sent ahead without waiting (Club_Remote_Vorab).
void Spiele_Client_Alle_Holen_Vorab();
// Server side: answers a request of this module; false for another id or bad arguments.
bool Spiele_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort);

}  // namespace velmora
