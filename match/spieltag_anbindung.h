// match/spieltag_anbindung.h - connects the match simulation to the rest of
// the game: the match record's and the match day's hooks, and their save blocks.
#pragma once

namespace velmora {

// Fills the match day's hooks that the modules below can answer already (the
// stadium capacity from the club data, the bank through the club data's seam).
void Spieltag_Anbinden();
// The program's entry: both hook tables and the save blocks "Spieltag" and
// "Spielfeld" (through the club data's save seam).
void Match_Anbinden();
void Match_Abbinden();

}  // namespace velmora
