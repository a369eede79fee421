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
// (the store's version moved and the records hash otherwise). A connection
// that has not joined (`client_team` < 0) gets records once, taken from its
// peer address's stock of lists (a few, given back when the connection joins
// and one by one over time); asked again it hears that the version it was
// handed is unchanged. A joined client gets records when the version it
// names is not the newest: twice per version on one connection, then from
// its address's stock. Refused records are "unchanged" of the newest.
void Spieler_Abgleich_Antworten(int32_t client_team, ClubLeser& l, ClubPacker& pk);
// Server: whether the connection being answered may read `anzahl` players
// by request 1005; a connection that has not joined reads the list once by
// either request, from its address's stock; a joined client as often as it
// asks. The read is counted.
bool Spieler_Abgleich_Block_Erlaubt(int32_t client_team, int32_t anzahl);

}  // namespace velmora
