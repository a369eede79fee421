// club/spieler_abgleich.h - the server's answer to a client that asks for
// every player's public record (main record and fixed data) as far as it
// changed since the version it holds (request 1043).
#pragma once
#include <cstdint>

namespace velmora {

struct ClubLeser;
struct ClubPacker;

// Reads the version the client holds from `l` and appends the answer, its
// length first, to `pk`; nothing on a damaged request (`l.fehler`). The block
// is built from the store only when a record changed since it was last built
// (the store's version moved and the records hash otherwise); a connection
// that has not joined (`client_team` < 0) gets it once and, asked again, the
// version last built.
void Spieler_Abgleich_Antworten(int32_t client_team, ClubLeser& l, ClubPacker& pk);

}  // namespace velmora
