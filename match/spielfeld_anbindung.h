// match/spielfeld_anbindung.h - connects the match record to the fixtures
// store, the competitions and the club data, and the club data's formation
// refresh to the match's line geometry.
#pragma once

namespace velmora {

// Fills the match record's hooks with the real season and club modules.
void Spielfeld_Anbinden();
void Spielfeld_Abbinden();

}  // namespace velmora
