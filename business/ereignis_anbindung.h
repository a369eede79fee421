// business/ereignis_anbindung.h - connects the random events to the calendar,
// the match day, the request processor and the save game.
#pragma once

namespace velmora {

// Fills the hooks (chained in front of those already filled) and registers
// the save block "Ereignis" and the answers of request kinds 11, 14 and 15.
void Ereignis_Anbinden();
void Ereignis_Abbinden();

}  // namespace velmora
