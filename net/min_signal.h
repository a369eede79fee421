// net/min_signal.h - the minute signal of live matches.
//
// Every game minute of a live match the client sends its 6324-byte minute
// packet as message type 250; the server lets the live match take it and
// sends it back as type 251. An answer that arrives while the client waits
// for a remote call stays queued until Net_Minute_Receive takes it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr uint32_t MIN_SIGNAL_MAGIC = 0xCFCECDCCu;
constexpr uint32_t MIN_SIGNAL_ART_SYNC = 1;        // the packet's kind (second u32)
constexpr size_t MIN_SIGNAL_GROESSE = 6324;
constexpr size_t MIN_SIGNAL_TEAM_OFFSET = 8;       // the sending client's team (u32)

// Client: sends the minute packet on the connection to the server; false (and
// "CLIENT_SIGNAL NICHT GESENDET!!!" in the log) when it cannot be sent.
bool Net_Client_Signal(int32_t verbindung, const void* block, size_t laenge);
// Server: answers a client's minute packet. A packet of kind 1 is first handed
// to the live match with the slot's team (packet and answer in the same
// buffer), then the packet goes back as type 251. A packet that is not 6324
// bytes or lacks the magic is refused. The block stays the caller's.
bool Min_Signal_Antwort(int32_t slot, void* block, size_t laenge);
// Client: the next minute packet the server sent, copied into `puffer` (at
// least 6324 bytes), or null when none has arrived.
void* Net_Minute_Receive(int32_t verbindung, void* puffer, size_t kapazitaet);
// Client: hands a packet with the magic and kind 1 to the live match with the
// packet's team; others are ignored.
void Min_Signal_Empfang(const void* block, size_t laenge);
// Client, once per frame: takes every minute packet the server sent.
void Net_Client_Bedienen();

}  // namespace velmora
