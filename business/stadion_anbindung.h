// business/stadion_anbindung.h - connects the stadium and the advertising to
// the match day, the match record, the calendar's after-match work, the save
// game and the network.
#pragma once

namespace velmora {

// Fills the match day's stadium hooks (capacity, gate money, the result into
// the statistics), the match record's stadium and board hooks, the calendar's
// after-match work (upkeep and the advertising week before any work that was
// there already), registers the save blocks "Stadion" and "Werbung" through
// the club data's save seam and the requests 1015-1017 and 1022 with the
// request switch. Call after Club_Anbinden and Match_Anbinden.
void Stadion_Anbinden();
void Stadion_Abbinden();

// A new game: both modules started, every club with a STADION line gets its
// stadium and every managed club its advertising record (filled).
bool Stadion_Spielstart();

}  // namespace velmora
