// club/team_suche.h - questions asked of a club's squad and searches over the
// clubs: strength, random picks, lists by nation and value, morale.
#pragma once
#include <cstdint>

namespace velmora {

// The top of a starting eleven's strength: eleven players of at most 12 half
// stars. The match record, the dice and the club's appeal to advertisers
// scale by it.
constexpr int32_t TEAM_STAERKE_SKALA = 11 * 12;

// With filter bit 16 the sum of value 94 (0-12) over the available starters
// (status 16, no bit of 0x7c0): 0 to TEAM_STAERKE_SKALA; otherwise the sum of
// value 92 over all players. 0 for a team without players, -1 before players
// and teams exist.
int32_t Team_Berechne_Staerke(int32_t team, int32_t filter);
// The attribute figure over the same players: the talents they have learnt
// past the first points (values above 1, talents 0-52), per player, in tenths.
int32_t Team_Berechne_Attribute(int32_t team, int32_t filter);
// "%d.%d": a strength in half stars shown as whole stars with the given decimal.
const char* Team_Format_Staerke(int32_t wert, int32_t dezimal);
// A strength in half stars as the stars it is worth: 103 is "51.5", 102 "51.0".
// Every screen shows a strength this way, so one figure reads the same everywhere.
const char* Team_Staerke_Text(int32_t wert);
// The club's strength over its squad: the sum of value 92 (at most 20 x 12).
int32_t Team_Get_Staerke(int32_t team);
// The same over the players' highest strengths (value 97); 0 for a bad team.
int32_t Team_Get_Staerke_2(int32_t team);

// The first player of the team of kind `art`, -1 none.
int32_t Team_Suche_Spieler_Mit_Art(int32_t team, int32_t art);
// The squad's average market value in units of 100,000 (the filter as Teamspieler_Ins_Array).
int32_t Team_Suche_Spieler(int32_t team, int32_t, int32_t filter);
// Every normal club into `liste` (room for TEAM_MAX), the highest squad
// market value first; returns the count.
int32_t Team_Suche_Alle_Nach_Wert(int32_t* liste);
// The clubs (not countries, not the market) of a nation; with `sortieren`
// ascending by competition id x 1000 + (240 - Team_Get_Staerke), a club
// without a competition keyed 999,240 - strength; clubs without a competition
// only with `ohne_wettbewerb`. Returns the count.
int32_t Team_Suche_Vereine_Von_Nation(int32_t nation, int32_t* liste, int32_t sortieren, int32_t ohne_wettbewerb);
// Counts of the team's players by kind into out[4]; returns the player count.
int32_t Team_Get_Spieler_Art_Array(int32_t team, int32_t* out, int32_t, int32_t);

// A random other normal club, one of the same competition when `gleiche_liga`
// is set and there is one; -1 when there is none.
int32_t Team_Zufaelliger_Gegner(int32_t team, int32_t gleiche_liga);
// A random normal club, -1 none.
int32_t Team_Zufaelliges_Aus_Liste();

// Morale m of every player of every normal club becomes m + m x p / 100,
// clamped to 0-6. 0 on a client ("Team_Set_Moral: CLIENT-WRITE!") or for |p| > 100.
int32_t Team_Set_Moral(int32_t prozent);
// Halves value 58 of four different random players of the team (of all of
// them when it has fewer than four).
void Team_Zufaellige_Spieler(int32_t team);
// After a match: team value 2 becomes the squad's average strength (value 58)
// / 100, at least 40.
void Team_Saison_Aktualisieren(int32_t team);

}  // namespace velmora
