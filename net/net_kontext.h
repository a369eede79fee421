// net/net_kontext.h - the network context, shared by the net modules only.
#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "net/net.h"

namespace velmora {

// One received message, waiting to be taken.
struct Net_Nachricht {
    uint32_t typ = 0;
    uint32_t folge = 0;
    std::vector<uint8_t> daten;
};

// What a waiting message counts against its connection's input limit: its
// payload and its header, so a stream of empty frames fills the limit too.
inline size_t Net_Kosten(const Net_Nachricht& n) { return sizeof(Net_Frame_Kopf) + n.daten.size(); }

// One TCP connection with its send queue and the messages received on it.
struct Net_Verbindung {
    int32_t sock = -1;
    std::vector<uint8_t> aus;          // frames not yet taken by the socket
    size_t aus_pos = 0;
    uint32_t aus_seit_ms = 0;          // when the socket last took bytes (or the queue was empty)
    std::vector<uint8_t> ein;          // bytes of the frame being received
    std::deque<Net_Nachricht> fertig;  // whole messages
    size_t fertig_bytes = 0;           // their Net_Kosten
    bool ende = false;                 // the peer closed; the messages it sent before are still taken
    uint32_t seit_ms = 0;              // server: when the connection was welcomed
    uint32_t anfrage_ms = 0;           // server: when its last request arrived (or the welcome)
    uint8_t partner[4] = {0, 0, 0, 0}; // server: the peer's address
};

// The answers of the server search: per last octet the generation of the
// latest ask (bits 2 and up) and its answer (bits 0-1: 0 open, 1 a server, 2 none).
struct Net_Suche_Tabelle {
    std::atomic<uint32_t> eintrag[256];
    Net_Suche_Tabelle() {
        for (auto& e : eintrag) e.store(0);
    }
};

// Client: a read sent ahead of the call that takes its answer (Internet_Client_Vorab).
struct Net_Vorab {
    uint32_t folge = 0;
    std::vector<uint8_t> anfrage;      // the request block as it went out
};

constexpr int32_t NET_VERBINDUNGEN = NET_SLOTS_GESAMT + 1;   // the slots, then the client's connection
constexpr int32_t NET_CLIENT_VERBINDUNG = NET_SLOTS_GESAMT;

struct NetKontext {
    int32_t modus = 0;
    int32_t client_team = -1;
    int32_t listen_sock = -1;
    uint16_t port = NET_PORT_STANDARD;
    uint32_t server_adresse[4] = {192, 168, 0, 1};
    bool bind_gesetzt = false;
    uint8_t bind_adresse[4] = {0, 0, 0, 0};
    Net_Verbindung verbindung[NET_VERBINDUNGEN];
    Net_Client_Slot slot[NET_SLOTS_GESAMT];
    Net_Zaehler zaehler;
    Net_Zeiten zeiten;
    uint32_t folge = 0;                // the client's last request number
    std::vector<uint32_t> wartend;     // requests whose answer is awaited (calls may nest through the wait hook)
    std::vector<Net_Vorab> vorab;      // client: reads sent ahead and not yet taken by their call, in the order sent
    int32_t bedienter_slot = -1;       // the slot whose request the server answers now
    // Client: when the last pass ran over its connection to the server, and
    // when a pass last came after a pause longer than the server's silence
    // rule (this process did not run: stopped, or the machine slept).
    uint32_t client_gepumpt_ms = 0;
    uint32_t client_stockung_ms = 0;
    bool client_gestockt = false;
    std::shared_ptr<Net_Suche_Tabelle> suche = std::make_shared<Net_Suche_Tabelle>();
};

// The current context (the default one unless a test switched).
NetKontext& Net_K();
bool Net_Offen(const NetKontext& k, int32_t verbindung);
// Closes at once and drops what was received (a broken or hostile connection,
// or the end of the context). A server slot becomes free.
void Net_Schliessen(NetKontext& k, int32_t verbindung);
// Takes the first whole message of `typ` (with `folge` unless it is 0) from the
// connection; false when none is there.
bool Net_Nehmen(NetKontext& k, int32_t verbindung, uint32_t typ, uint32_t folge, Net_Nachricht& out);
// The largest frame a client may send the server: the largest registered
// request (header, type string and its input blocks) or a minute packet. A
// client's frame that announces more closes its connection.
uint32_t Internet_Anfrage_Max();
// Waits one short moment for the connection, keeping the program alive (the wait hook).
void Net_Kurz_Warten(NetKontext& k, int32_t verbindung);

}  // namespace velmora
