// matchview/spielansicht_ersatz.h - the stand-in play of a watched match that
// is diced rather than computed live (a networked match day): the views draw
// a copy of its record whose figures a small script moves. Players drift about
// their zones towards the ball, the side in possession passes the ball among
// itself and now and then loses it, keepers hold their line, the officials
// follow the play, and a goal the dice add is shown as the ball going in. The
// script draws from the views' own generator, seeded by the game number, never
// from the game's random source; the record itself is only read.
#pragma once
#include <cstdint>

namespace velmora {

struct Spielfeld_Satz;

constexpr uint32_t ERSATZ_MINUTE_MS = 600;   // a watched diced minute lasts this long

// The copy of a diced record moved on to `jetzt_ms`; null for a record
// computed live (or none). Up to four games are kept; a fifth takes the place
// of the one used longest ago.
Spielfeld_Satz* Spielansicht_Ersatz(const Spielfeld_Satz* satz, uint32_t jetzt_ms);
// Whether `satz` is one of the stand-in copies.
bool Spielansicht_Ersatz_Ist_Kopie(const Spielfeld_Satz* satz);
// Whether the match day should wait with the next diced minute of this
// watched game: true until ERSATZ_MINUTE_MS passed since its last minute.
bool Spielansicht_Ersatz_Warten(const Spielfeld_Satz* satz, uint32_t jetzt_ms);
void Spielansicht_Ersatz_Loeschen();

}  // namespace velmora
