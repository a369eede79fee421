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
// Server: the stock of players' lists of each peer address (request 1043
// and the player blocks of 1005): `vorrat` lists, one back every
// `nachfuellen_ms` (0 never); every address starts full again.
void Spieler_Abgleich_Adressen_Setzen(uint32_t vorrat, uint32_t nachfuellen_ms);

}  // namespace velmora
