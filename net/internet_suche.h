// net/internet_suche.h - the search for a server on the local network.
//
// Each asked address is checked in a short-lived thread that tries to connect
// to it on the port and writes its answer into a 256-entry table indexed by
// the last octet: 0 not yet answered, 1 a server answered, 2 none.
#pragma once
#include <cstdint>

namespace velmora {

constexpr uint8_t SUCHE_OFFEN = 0;
constexpr uint8_t SUCHE_SERVER = 1;
constexpr uint8_t SUCHE_KEINER = 2;

// Asks o1.o2.o3.o4 on `port`. Clears only that address's entry, so an answer
// of an earlier ask is never read as this one's. With `warten` it waits in
// 50 ms steps (keeping the program alive) until the answer is in and returns
// true when a server answered; without it returns false at once.
bool Internet_Server_Suche_Frage(uint32_t o1, uint32_t o2, uint32_t o3, uint32_t o4, uint16_t port, bool warten);
// Reads the answers of a search over the entries 0-254: at the first server
// found, its index goes into *o4 and the result is -1; otherwise the result is
// the number of entries not yet answered "none", whose indexes go into `liste`
// (255 bytes) when it is given. o1 to o3 and the port are not used.
int32_t Internet_Server_Suche_Ergebnis(uint32_t* o1, uint32_t* o2, uint32_t* o3, uint32_t* o4, uint16_t port,
                                       uint8_t* liste);
// Clears the whole table, before a new search of all 255 addresses.
void Internet_Server_Suche_Zuruecksetzen();
// The answer entry of a last octet (SUCHE_*).
uint8_t Internet_Server_Suche_Eintrag(uint32_t o4);

}  // namespace velmora
