// match/record/spielfeld.h - the match record module: one record per running match.
//
// The module keeps a keyed list of match records (key: the game number of the
// fixtures store, at most 200 at once), the pitch constants, the view settings
// and the display ring, and saves all of it as one block of the save game.
// A record is created from its fixture when the match starts, advanced by the
// tick or the minute dice, and deleted when its competition's day is closed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "match/record/spielfeld_satz.h"

namespace velmora {


constexpr int32_t SPIELFELD_MAX = 200;
// A human club's match takes a record beyond the 200 (one more for each of
// the six managers): it is the match its manager watches and plays live, and
// on a full match day the computer clubs' games fill the first 200.
constexpr int32_t SPIELFELD_MENSCH_EXTRA = 6;
constexpr size_t SPIELFELD_ANZEIGE_BYTES = 175016;     // display ring
constexpr size_t SPIELFELD_ARBEIT_BYTES = 35724;       // work buffer of the view
constexpr int32_t SPIELFELD_MINUTEN = 90;              // the match-length setting

// False, with "Spielfeld wurde nicht initialisiert!", while the module is not running.
bool Spielfeld_Ist_Initialisiert();
// Starts the module (a running one is freed first): the empty list, the pitch
// constants, the display ring and the view settings. False when the display
// ring or the work buffer cannot be had.
bool Spielfeld_Init();
// Deletes every record and releases the display ring and the work buffer.
void Spielfeld_Freigeben();
// Deletes every record of a competition.
void Spielfeld_Entfernen(int32_t wettbewerb);
// The record of a game number, or null.
Spielfeld_Satz* Spielfeld_Suchen(int32_t spiel);
int32_t Spielfeld_Anzahl();
// Changes whenever a record leaves (or the records are freed or loaded): a
// record found under an unchanged value is still the game's, at its address.
uint32_t Spielfeld_Abgang_Stand();
// The records in list order: null starts the walk; null after the last.
Spielfeld_Satz* Spielfeld_Naechster(Spielfeld_Satz* satz);

// The per-minute position checksum over the players and the ball; 0 for null.
uint32_t Spielfeld_Checksumme(const Spielfeld_Satz* satz);
// The record's count of the play state under way (a restart, say): called by
// the tick in every frame it runs, it notes the frame counter at the first
// frame of each play state (`standard_ab`, `standard_zustand`), and afresh
// when the counter went back.
void Spielfeld_Zustand_Zaehlen(Spielfeld_Satz* satz);
// The frames the play state under way has lasted by that count; 0 before
// its count began (its first frame not yet run, or a save without the count).
// The restart scripts' bound reads it (the rule checker and the statistics
// count the restarts themselves).
uint32_t Spielfeld_Zustand_Dauer(const Spielfeld_Satz* satz);
// Refreshes the edit copy from the live fields and clears the change flags.
void Spielfeld_Eingabekopie_Fuellen(Spielfeld_Satz* satz);
// The goals each side attacks: side 0 (10800, 3403), side 1 (0, 3403), the two
// exchanged while the sides are changed.
void Spielfeld_Tore_Setzen(Spielfeld_Satz* satz);
const Spielfeld_Konstanten& Spielfeld_Get_Konstanten();
// The distance (cm) within which a side's defenders engage the ball (4000 for
// both sides; kept with the module in the save game).
float Spielfeld_Einsatzweite(int32_t seite);
// The view settings (FAST, PAUSE and the frame interval live here).
Spielfeld_Ansicht_Einstellung& Spielfeld_Ansicht();
// The record shown while matches are watched, else the record last given to
// Spielfeld_Get_Spielerstaerke.
Spielfeld_Satz* Spielfeld_Get_Aktives();
// The display ring's SPIELFELD_ANZEIGE_BYTES, null while the module does not run.
uint8_t* Spielfeld_Anzeigepuffer();
void Spielfeld_Aktives_Merken(Spielfeld_Satz* satz);
// A competition whose switch 4 was met by a set-up today, -1 none.
int32_t Spielfeld_Schalter4_Wettbewerb();
// The client's re-fetch flag, set by a load.
bool Spielfeld_Client_Holen_Offen();
void Spielfeld_Client_Holen_Setzen(bool offen);
// Client: a record fetched from the server becomes the module's only record,
// keyed by the game on this machine; the previous copy is deleted. Null when
// the module does not run.
Spielfeld_Satz* Spielfeld_Satz_Einsetzen(int32_t spiel, const Spielfeld_Satz& neu);

constexpr int32_t SPIELFELD_NUR_WUERFEL = -2;
// Testing: off sets a record asked for as SPIELFELD_NUR_WUERFEL up in full
// (match values and figures), to compare the light set-up with. On by default.
void Spielfeld_Leicht_Setzen(bool an);
// Whether a record of the module was set up for the dice only.
bool Spielfeld_Ist_Leicht(const Spielfeld_Satz* satz);

// Creates the record of a game from its fixture and starts its first period.
// anzeige: 0 background, 1 watched, 2 reported; zuschauer overrides the
// fixture's attendance when not 0; stadion -1 for none; live: -1 never live,
// 0 live when watched or the competition's switch 5 asks for it, 1 live,
// SPIELFELD_NUR_WUERFEL never live, watched or sent (a background record on a
// single machine that its competition does not compute live): the players'
// match values, which only the live engine reads, and the figures' places and
// orders (the players' also at each new period), which only the live engine and
// the views read, are then left out; the draws stay the same.
// 1 when created; 0 when the module does not run, 200 records exist or the
// game is unknown (the match is then played without a record).
int32_t Spielfeld_Anlegen(int32_t spiel, int32_t anzeige, int32_t reserviert, int32_t zuschauer, int32_t stadion,
                          int32_t live);
// Fills a record from a fixture (everything but weather, venue and officials'
// strictness); logs "Spielfeld_Daten_Eintragen: Null Pointer" for null.
void Spielfeld_Daten_Eintragen(Spielfeld_Satz* satz, const struct SpielfeldSpiel* spiel, int32_t nummer,
                               int32_t live);

// Starts the next period of a game's record: sides change, stamina partly
// recovers, the line-ups are placed and the kick-off is set up.
void Spielfeld_Periode_Starten(int32_t spiel);
void Spielfeld_Periode_Starten_Satz(Spielfeld_Satz* satz);
// Ends the current period: everyone walks off; before minute 60 the half-time
// event is recorded (it leaves no trace).
void Spielfeld_Periode_Beenden(int32_t spiel);
// Play state 0, or 9 while a substitution is in progress.
void Spielfeld_Spielzustand_Freigeben(Spielfeld_Satz* satz);
// Stops following a match that is no longer shown.
void Spielfeld_Abbrechen(int32_t spiel);

// The module's save block: initialised flag; the list; view settings,
// constants, three reserved words, two floats, live flag, random index.
void Spielfeld_Save(std::vector<uint8_t>& out);
// Loads a block; false (module unchanged) for a damaged block.
bool Spielfeld_Load(const uint8_t* in, size_t bytes);
// Registers the "Spielfeld" block of the save game (position 31).
bool Spielfeld_Spielstand_Anmelden();

}  // namespace velmora
