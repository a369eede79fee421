// net/net.h - network play: connections, framing, the server's client slots.
//
// One machine plays alone (mode 0), as a client (1) or as the server (2). The
// server listens on TCP port 3040. It keeps twelve client slots: six for the
// clients that have joined (a slot holding a team) and six for connections
// that have not joined yet. A connection is welcomed into one of the latter;
// it earns a place among the six when it joins (Net_Slot_Team_Setzen), and it
// is closed when it stays silent or does not join in time. Every message on
// a connection is one frame: a 16-byte header (Net_Frame_Kopf) and its
// payload. Nothing here blocks: Net_Pump moves what the sockets take and what
// has arrived, every pass of the main loop.
//
// All state lives in one context object (NetKontext). The program uses the
// default one; a test may make more and switch between them, so that one
// process runs a server and its clients.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/abonnenten.h"

namespace velmora {

constexpr uint16_t NET_PORT_STANDARD = 3040;
constexpr int32_t NET_SLOTS = 6;                     // clients that have joined (a slot with a team)
constexpr int32_t NET_WARTE_SLOTS = 6;               // connections that have not joined yet
constexpr int32_t NET_SLOTS_GESAMT = NET_SLOTS + NET_WARTE_SLOTS;   // slot numbers 0-11
constexpr uint32_t NET_FRAME_MAGIC = 0x4E4D4C56u;    // "VLMN"
constexpr uint32_t NET_FRAME_MAX = 16u << 20;        // largest payload of one frame

// Frame types. A request is answered by a frame of type 2 with the same sequence number.
enum : uint32_t {
    NET_TYP_ANFRAGE = 1,          // remote-call block (Internet_Block_Kopf first)
    NET_TYP_ANTWORT = 2,          // answer to a remote call
    NET_TYP_WILLKOMMEN = 3,       // the server took the client into a slot (payload: u32 slot)
    NET_TYP_MIN_SIGNAL = 250,     // minute packet, client to server
    NET_TYP_MIN_ANTWORT = 251,    // minute packet, server's answer
};

#pragma pack(push, 1)
struct Net_Frame_Kopf {           // 16 bytes in front of every message
    uint32_t magic;               // NET_FRAME_MAGIC
    uint32_t typ;                 // NET_TYP_*
    uint32_t laenge;              // payload bytes that follow, at most NET_FRAME_MAX
    uint32_t folge;               // sequence number; an answer repeats its request's
};
#pragma pack(pop)
static_assert(sizeof(Net_Frame_Kopf) == 16);

// One of the server's client slots. The main loop reads a slot whose `neu` is
// set, answers its block (Net_Server_Bedienen) and clears `neu`.
struct Net_Client_Slot {
    int32_t zustand = 0;              // 1 in use
    int32_t neu = 0;                  // a received block waits
    uint32_t empfangen_laenge = 0;
    void* empfangen_block = nullptr;  // tracked block with one whole message, or null
    uint32_t empfangen_typ = 0;       // its frame type
    uint32_t empfangen_folge = 0;     // its sequence number, repeated by the answer
    int32_t team = -1;                // the team the client plays, -1 until it has joined
    uint32_t verbindung = 0;          // the connection's number, unique in this process (0 none)
    uint32_t adresse = 0;             // the peer's IPv4 address, first octet in the low byte
};

// Traffic since the context was made: whole frames, header included; the
// largest values are payloads. `wartend` is what the connections hold now:
// bytes to send, bytes received and not yet taken (each message with its
// header), the largest it was since the context was made in `wartend_max`.
struct Net_Zaehler {
    uint64_t gesendet = 0;
    uint32_t groesster_gesendet = 0;
    uint64_t empfangen = 0;
    uint32_t groesster_empfangen = 0;
    uint64_t wartend = 0;
    uint64_t wartend_max = 0;
};

// How long the network waits. Tests shorten them.
struct Net_Zeiten {
    uint32_t verbinden_ms = 3000;     // opening a connection, and the server's welcome
    uint32_t antwort_ms = 30000;      // a remote call's answer
    uint32_t senden_ms = 15000;       // a peer that takes nothing for this long is dropped
    uint32_t suche_ms = 1000;         // one address of the server search
    // The server closes a connection that has not joined when it sends no
    // request for `leerlauf_ms`, or has not joined `beitritt_ms` after its welcome.
    uint32_t leerlauf_ms = 10000;
    uint32_t beitritt_ms = 600000;
    // Of the six places for connections that have not joined, one peer
    // address holds at most this many; a further connection from it is
    // turned away. So one machine cannot keep every new client out for the
    // time to join, while two persons at one machine may still choose at once.
    int32_t warte_je_adresse = 2;
    // A joined client that sends no request for this long is dropped (its
    // news check every 5 s and its calendar question keep it heard).
    uint32_t client_stille_ms = 60000;
};

// Upward calls; the composition root fills them at start. An unfilled hook does nothing.
struct NetHooks {
    // The shell's event pump (Win_Warten), called while the program waits for
    // the other side: it keeps the window shown, no frame of the game runs.
    void (*warten)() = nullptr;
    // Called once when a remote call's wait ends, answered or not: the shell
    // drops the input that came in meanwhile, so a click made while the call
    // waited never reaches the screen that made the call.
    void (*warten_ende)() = nullptr;
    // The live match takes a client's minute packet (packet and answer in the same 6324 bytes).
    void (*sync_vom_client)(void* paket, int32_t team) = nullptr;
    // The live match takes the server's answer to a minute packet.
    void (*sync_vom_server)(const void* paket, int32_t team) = nullptr;
    // The client's fetches of the game data from the server, subscriber
    // lists: the club data (players, own club, managers) for
    // Internet_Client_Refresh_Alle, and the rest (calendar, bank, match
    // counters, the news file reopened empty) for Client_Alles_Holen.
    Abonnenten<> client_refresh;
    Abonnenten<> client_alles_holen;
    // A client sends a remote call (its request id), before it goes out: the
    // copies of the server's data it may outdate are forgotten.
    Abonnenten<int32_t> client_anfrage;
    void (*spieler_testblock)(int32_t team) = nullptr;   // one block of a team's player data
    // Server: the connection of the client playing `team` closed (it left, was
    // silent too long or broke the protocol); its club is to be released.
    void (*client_getrennt)(int32_t team) = nullptr;
};
NetHooks& Net_Hooks();

struct NetKontext;
NetKontext* Net_Kontext_Neu();
// Closes every connection of the context and frees it (never the default one).
void Net_Kontext_Loeschen(NetKontext* kontext);
// Makes `kontext` the current one (null: the default) and returns the one before.
NetKontext* Net_Kontext_Setzen(NetKontext* kontext);

// Initialises the network layer once; 1 when it is ready. Also lets the
// program's end tell the server and close the connections.
int32_t Net_Init();
// This machine's host name and IPv4 address; the port becomes 3040 when given.
// 0 when the layer is not ready or the host cannot be looked up: network play
// is then unavailable, the program goes on.
int32_t Net_Local_Address(char* name, size_t name_groesse, uint16_t* port, uint8_t adresse[4]);

// One send and receive pass over all connections.
void Net_Pump();
// Accepts connections into free slots and hands each slot its next received message.
void Net_Server_Slot_Pump();
// The slot (0 to NET_SLOTS_GESAMT - 1), or null for a bad number.
Net_Client_Slot* Net_Slot(int32_t slot);
// Server: waits at most `ms` until the listening socket or a slot's
// connection can be read; true when one can (false at once without a server).
bool Net_Server_Warten(uint32_t ms);
// Gives a slot its team when its client joins; the server's requests of that
// client then run for this team. Team -1 takes the team away again. False for
// a bad or unused slot, and when six other slots already hold a team.
bool Net_Slot_Team_Setzen(int32_t slot, int32_t team);
Net_Zaehler Net_Zaehler_Lesen();
Net_Zeiten& Net_Zeiten_Wert();

int32_t Netzwerk_Modus();
void Netzwerk_Modus_Setzen(int32_t modus);
// On the server while a request is answered: the requesting client's team; on a client: its own team.
int32_t Client_Team();
void Client_Team_Setzen(int32_t team);

// The server's address as entered on the start screen.
void Net_Server_Adresse_Setzen(const uint32_t oktett[4]);
void Net_Port_Setzen(uint16_t port);
uint16_t Net_Port();
// The address a server listens on; without one, this machine's address.
void Net_Bind_Adresse_Setzen(const uint8_t adresse[4]);
// The port the server listens on (useful when port 0 let the system choose).
uint16_t Net_Server_Port();

// Mode 2: opens the listening socket unless one is open. Mode 1: connects to
// the entered address and waits for the server's welcome. On failure the mode
// becomes 0 and the result is false. Mode 0: nothing, true.
bool Internet_Netzwerk_Start();
// Closes every connection; a client tells the server first that it leaves
// (request 1029 with team -1). The mode is kept.
void Internet_Netzwerk_Stop();
// Client: the handle of the connection to the server, -1 without one.
int32_t Net_Server_Verbindung();
// Client: this process did not run for longer than the server's silence rule
// (`client_stille_ms`) while connected, no longer ago than that rule's time.
// A connection found closed then was closed by the server, which drops a
// client it has not heard for that long, not by a server that went away.
bool Net_Client_Wegen_Stille_Getrennt();

// Queues one message on a connection; false when it is not open or the message is too large.
bool Net_Senden(int32_t verbindung, uint32_t typ, uint32_t folge, const void* daten, size_t laenge);
// Sends what the socket takes at once, so a message queued just before the end goes out.
void Net_Senden_Leeren(uint32_t max_ms);

}  // namespace velmora
