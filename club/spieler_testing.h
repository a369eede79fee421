// club/spieler_testing.h - a seam of the player records for tests.
#pragma once
#include <cstdint>

namespace velmora {

// The mode's value read field by field (the reader changes use), without the
// table the plain reads of Spieler_Wert go through; 0 for a bad player.
int32_t Spieler_Feld_Lesen(int32_t modus, int32_t spieler);
// Server: how often the block of request 1043 was built from the store.
uint32_t Spieler_Abgleich_Gebaut();
// Server: how often request 1043 hashed the records (the store's version had
// moved since the block was built), and how often a debug build found them
// changed while the version had not moved (a write that did not move it).
uint32_t Spieler_Abgleich_Gehasht();
uint32_t Spieler_Abgleich_Verpasst();

}  // namespace velmora
