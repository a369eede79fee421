// season/spielplan.h - fixtures: round robins, cup draws, knock-out ties and
// the end of a competition's day.
//
// A league of n clubs plays the circle method: one club stays, the others
// turn; an odd n gets a bye. With two legs the second half repeats the first
// with home and away exchanged, so every pair meets once at each ground and
// every club's home and away games differ by at most one after any round of
// the first half and are equal at the end.
//
// A knock-out round pairs the clubs still in by lot; a first round of an
// entry that is no power of two lets the surplus clubs play while the rest
// have a bye. With two legs the second leg exchanges the grounds.
#pragma once
#include <cstdint>

namespace velmora {

// Pairs of round `runde` (1 to n-1 or n for odd n) of a single round robin of
// `n` slots: out[2k] home slot, out[2k+1] away slot. The number of pairs.
int32_t Spielplan_Runde(int32_t n, int32_t runde, int32_t* out);

// Makes the competition's fixtures for a new season: a league or group all of
// its rounds, a knock-out competition its first round (drawn with Rnd). Old
// games of the competition are removed. False for an unknown id or one still
// locked.
bool Wettbewerb_Spielplan_Erstellen(int32_t wettbewerb);
// Draws knock-out round `runde` among the clubs still in.
bool Wettbewerb_KO_Runde_Auslosen(int32_t wettbewerb, int32_t runde);
// A friendly between two clubs; its handle-free game number, or -1.
int32_t Wettbewerb_Freundschaftsspiel(int32_t wettbewerb, int32_t heim, int32_t gast);

int32_t Wettbewerb_Get_Spiele_Pro_Spieltag(int32_t wettbewerb, int32_t runde);
// The pairs of a round's first leg: out[2k] home, out[2k+1] away team.
int32_t Wettbewerb_Get_Spieltag_Paarungen(int32_t wettbewerb, int32_t runde, int32_t* out);

// The winner of a pairing under the competition's rules. `spieltag` -1 means
// the latest leg that has started; `plus_heim`/`plus_gast` are goals added to
// that leg for a what-if question. A league or friendly game: its winner.
// A knock-out tie: on aggregate, then away goals where the competition
// counts them, then the shoot-out or the lot recorded on the last leg. A leg
// that does not decide the tie never goes to extra time, so the tie then
// counts as held by the leader on aggregate, or the first leg's home club.
// -2 while undecided, -1 for an unknown competition or pairing.
int32_t Wettbewerb_Paarung_Sieger(int32_t wettbewerb, int32_t runde, int32_t paarung, int32_t spieltag,
                                  int32_t plus_heim, int32_t plus_gast);
// The winner of the tie of `team` in a round (-1 none or not decided).
int32_t Wettbewerb_KO_Sieger_Von_Team(int32_t wettbewerb, int32_t team, int32_t runde, int32_t spieltag);
// True when every leg of every pairing of the round has its final result.
bool Wettbewerb_Runde_Gespielt(int32_t wettbewerb, int32_t runde);

// The competition's end of a match day: when the current round is played,
// a league keeps its table snapshot (day `tag`) and moves on; a knock-out
// round decides its ties (a tie still level without a decision on the pitch
// is decided by lot with Rnd and recorded on its last leg), knocks the
// losers out and draws the next round or names the winner; a finished group
// sends its qualified clubs to the next stage, which is drawn when every
// group is finished.
void Wettbewerb_Spiele_Beendet(int32_t wettbewerb);

// The text of a round: "12. Spieltag" in a league or group, the knock-out
// rounds by name from the final back ("Finale", "Halbfinale",
// "Viertelfinale", "Achtelfinale", else "3. Runde"), with ", Hinspiel" or
// ", Rueckspiel" for two legs. "" for an unknown competition.
const char* Wettbewerb_Get_Rundentext(int32_t wettbewerb, int32_t runde, int32_t spieltag);
// Whether that text names the round with a feminine word: a knock-out round
// counted by number ("3. Runde"). A heading that puts an article before it
// says "vor der 3. Runde", but "vor dem 12. Spieltag" and "vor dem Finale".
bool Wettbewerb_Rundentext_Weiblich(int32_t wettbewerb, int32_t runde);
// Replaces clubs with a human manager in the continental competitions' slots
// by computer clubs of the same country that are not in it yet.
void Wettbewerb_Menschliche_Teams_Ersetzen();
// A new game: reads "wettbewerb.cfg" again and makes the first fixtures.
// Refused while the competition editing mode is open.
bool Wettbewerb_Spielstart_Pruefen(int32_t, int32_t);
// Its two halves, for the world build that caches what was read before the
// fixtures are made: the reading (refused while editing) and the fixtures of
// the first season over empty fixtures, tables and season records.
bool Wettbewerb_Spielstart_Lesen();
bool Wettbewerb_Spielstart_Spielplaene();
void Wettbewerb_Spiele_Beendet_Tag(int32_t wettbewerb, int32_t tag);

}  // namespace velmora
