// match/day/spieltag_netz.h - the day hand-over of network play on the match
// day's side: a client reports the end of its day (request 1029), the server
// takes the report as its club's readiness, and a client that leaves or is
// dropped gives its club back to the computer.
#pragma once
#include <cstdint>

namespace velmora {

struct Internet_Aufruf;

constexpr int32_t ANFRAGE_SPIELTAG_MELDEN = 1029;   // "vi": the client's team, -1 when it leaves
constexpr int32_t ANFRAGE_SPIELTAG_SLOT = 1031;     // the client's team; answer: its slot and game coordinates
inline constexpr char SPIELTAG_SLOT_TYP[] = "vC<24I<4I<4I<4I<4i";
constexpr int32_t SPIELTAG_KEIN_TEAM = -2;          // 1031's competition answer for a team outside the club table
// 1031's competition answer for a club whose client came after the club's
// match of today was prepared: the computer plays that match, the client
// waits for the next day.
constexpr int32_t SPIELTAG_OHNE_CLIENT = -3;

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

// Client: asks the server for the slot of the own team's match today (request
// 1031), only while the no-match flag is clear. The table is started afresh;
// an answered slot becomes slot 0 with the game as locked on this machine; a
// team without a match sets the no-match flag. True when a slot was taken.
bool Spieltag_Slot_Anfordern(int32_t team);
// Client: the server computes the own club's match of today without this
// machine (it joined after the match day began); cleared with the flag.
bool Spieltag_Ohne_Client();
// Client: clears the flag, withdraws the team's ready marks and asks again.
bool Spieltag_Slot_Neu_Anfordern(int32_t team);
bool Spieltag_Kein_Spiel();
void Spieltag_Kein_Spiel_Loeschen();
// Server: the handler of 1031. For the requester's own team: the last slot of
// today in which it plays whose game is not finished, with its competition,
// round, matchday and pairing index; competition -1 when it has none, -2
// for a team outside the club table. A client asking first after its club's
// match of today was prepared (it joined on the match day) is not taken as
// playing live: the computer plays that match and the answer is -3.
int32_t Spieltag_Netz_Nachricht(Internet_Aufruf& aufruf);
// Server: a client that asked for its slot (1031) plays its club's matches
// live in lock-step; one that only reports its days has them played here.
// The mark goes with the client (Spieltag_Client_Freigeben).
bool Spieltag_Client_Spielt_Live(int32_t team);
void Spieltag_Client_Live_Setzen(int32_t team, bool live);

// Client: the end of the own club's day. It asks for its slot first (request
// 1031: the server then plays the club's matches live with this machine; the
// day's slots do not exist yet, so no slot comes back), then reports (1029).
// The day's match starts afresh. False when the report was not answered.
bool Spieltag_Client_Tag_Beenden();
// Client: one frame of the own club's match while it waits for the server's
// day. After the report it asks for its slot every 400 ms until the server
// has one; then the match day walks that slot each frame: the record is
// fetched, the match runs in lock-step and shows in the views. Once the slot
// closed it asks until the server closed its own and takes the server's
// result (its last two minutes went unchecked). True when the walk ran this
// frame with the match's record (its views own the screen).
bool Spieltag_Client_Frame();
// Client: the phases of the day's match, for the tests and the log.
enum class ClientSpiel : int32_t { KEINS, FRAGEN, LAEUFT, ERGEBNIS, FERTIG };
ClientSpiel Spieltag_Client_Spiel();
// Client: its match runs and a minute packet sent has had no answer for
// longer than a remote call may wait: the server is taken for gone.
bool Spieltag_Client_Ohne_Antwort();
// Client: network play ended; the day's match is forgotten.
void Spieltag_Client_Zuruecksetzen();
// Client: the server's day moved on while this machine still waited in it.
// Its club's match of that day, still under way here (the server ends its
// side up to two minutes ahead and may close the day before the client's
// last minutes ran) or its slot or record still being asked for, ends with
// the day: a record fetch out is given up and the table stands empty, as
// after a match that ended here; the result comes with the day's data.
void Spieltag_Client_Tag_Vorbei();

}  // namespace velmora
