// business/compi.h - the computer clubs' economy: the salaries they pay at
// the season update, the talents they buy, their transfers round by round
// with other clubs and the transfer market, and the contract extensions their
// players ask for. Everything runs on the machine that holds the game.
//
// A round is a game week (its Monday). In a round each computer club acts
// when Rnd(0, FAKTOR_0_100_COMPI_TRANSFER_HAEUFIGKEIT_ABS) is 0; it deals with
// the transfer market when Rnd(0, 100) is below FAKTOR_0_100_COMPI_TRANSFER_MIT_TM,
// else with a computer club whose team number lies at most
// FAKTOR_0_100_COMPI_TRANSFER_DELTA_TEAMS_ABS from its own. A deal is an
// exchange of two players of the same kind (so every squad keeps its size and
// its goalkeepers): the club gives its weakest player of the kind and takes
// the strongest one of the partner that is stronger, whose maximum strength
// differs from the given player's by at most
// FAKTOR_0_100_COMPI_TRANSFER_DELTA_SPIELER_ABS x 1000 (on the 0-12,000
// scale), and whose demand (Spieler_Get_Forderung) the club can pay with its
// balance and the given player's sale proceeds. It runs through
// Spieler_Transfer_Ausfuehren: the price is booked 31, the proceeds 30.
#pragma once
#include <cstdint>

namespace velmora {

// What the economy did since the game started (not saved: the simulator's report).
struct CompiZaehler {
    int64_t gehaelter = 0;        // salaries charged at the season updates
    int64_t talente_geld = 0;     // money spent on talents
    int32_t talente = 0;          // talents bought
    int32_t transfers = 0;        // transfers a computer club made in its rounds
    int32_t verlaengerungen = 0;  // contract extensions accepted
    int64_t verlaengerungen_geld = 0;
};
const CompiZaehler& Compi_Zaehler();
void Compi_Zaehler_Zuruecksetzen();

// True for a club the computer runs: a normal club without a human manager.
bool Compi_Ist_Compi(int32_t team);

// A season's salaries of the club: the sum of Spieler_Berechne_Gehalt over its squad.
int64_t Compi_Gehaelter(int32_t team);
// The season update: every computer club pays its season's salaries
// (category 26, forced: a club may go into debt for them).
void Compi_Saison();

// The price of a talent bought outright: the price of one training unit
// (Attribut_Get_Preis) times the units it needs (the requirement divided by
// the points one unit gives, at least 1). 0 for an unknown talent.
int32_t Compi_Talent_Preis(int32_t talent);
// A computer club with more money than a season's salaries and a reserve
// buys one talent for its strongest player who can learn one (category 27).
// True when it bought one.
bool Compi_Talent_Kaufen(int32_t team);

// The partner club of a round: a computer club whose team number lies within
// FAKTOR_0_100_COMPI_TRANSFER_DELTA_TEAMS_ABS of `team`'s, drawn at random; -1 none.
int32_t Compi_Partner(int32_t team);
// The deal `kaeufer` can make with `partner` (rule above): the player it gives,
// the one it takes and his demand. False when there is none.
bool Compi_Tausch_Suchen(int32_t kaeufer, int32_t partner, int32_t* geht, int32_t* kommt, int32_t* preis);
// A contract extension was paid (the report counts it).
void Compi_Verlaengerung_Zaehlen(int32_t kosten);

// One club's transfer in its round, with the market (markt true) or a club;
// true when a transfer was made.
bool Compi_Transfer(int32_t team, bool markt);
// The round of every computer club (draws as above); each human manager's
// club gets an offer for one of its players with chance 1 in
// (HAEUFIGKEIT_ABS / 4 + 1) (business/angebot.h).
void Compi_Runde();
// Each game day: on Mondays the round; the talents of the rich clubs.
void Compi_Tag();

}  // namespace velmora
