// match/spieltag_netz.h - the day hand-over of network play on the match
// day's side: a client reports the end of its day (request 1029), the server
// takes the report as its club's readiness, and a client that leaves or is
// dropped gives its club back to the computer.
#pragma once
#include <cstdint>

namespace velmora {

struct Internet_Aufruf;

constexpr int32_t ANFRAGE_SPIELTAG_MELDEN = 1029;   // "vi": the client's team, -1 when it leaves

// Client: reports the end of the own club's day (request 1029 with the
// client's team); nothing without a team. False when the server did not answer.
bool Spieltag_Client_Melden();
// Server: the handler of request 1029. The requester's own team: its sides
// become ready (Spieltag_Team_Bereit_Setzen, bit 2048 kept also before the
// day's slots exist); -1: the client leaves, its club is released; any other
// team changes nothing.
int32_t Spieltag_Melden_Anfrage(Internet_Aufruf& aufruf);
// Server: the club of a client that left or was dropped goes back to the
// computer from today: its ready marks withdrawn, the client bit cleared, the
// placeholder manager back, offered again to joining clients.
void Spieltag_Client_Freigeben(int32_t team);

}  // namespace velmora
