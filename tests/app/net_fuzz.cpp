// The server of a running game under hostile input: the small generated world
// with every module bound by the composition root, so each request reaches the
// game's own handler. One client connection on loopback holds a slot.
//
// Input: the first byte picks who the slot is (bits 0-1: the first or second
// human manager's club, a computer's club, no club) and the way in (bit 2:
// through the connection, the server's framing and slot queue; else straight
// into the request switch and the minute-signal answer, frame by frame). The
// rest is a stream of frames as a client sends them.
//
// A connection that has not joined owns no club: whatever it sends, the game
// stays as it was (the random index aside). After each input the parts of
// the game a request can change are loaded back as they started, so inputs
// do not pile up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <cstdio>

#include "business/bank.h"
#include "business/news.h"
#include "business/scout.h"
#include "business/stadion.h"
#include "business/verhandlung.h"
#include "business/werbung.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "core/rnd.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/sockets.h"
#include "tests/support/fuzz_welt.h"

using namespace velmora;

namespace {

void Rnd_Sichern(std::vector<uint8_t>& out) {
    out.resize(RND_ZUSTAND_BYTES);
    Rnd_Zustand_Schreiben(out.data());
}

// The parts of the game a client's request can change, as each input finds them.
struct Teil {
    const char* name;
    void (*speichern)(std::vector<uint8_t>& out);
    bool (*laden)(const uint8_t* in, size_t bytes);
    std::vector<uint8_t> anfang = {};
};

struct Pruefstand {
    test::FuzzWelt* welt = nullptr;
    Teil teile[10] = {{"Rnd", Rnd_Sichern, Rnd_Zustand_Lesen},
                      {"Spieler", Spieler_Save, Spieler_Load},
                      {"Team", Team_Save, Team_Load},
                      {"Manager", Manager_Save, Manager_Load},
                      {"News", Optionen_News_Save, Optionen_News_Load},
                      {"Bank", Bank_Save, Bank_Load},
                      {"Stadion", Stadion_Save, Stadion_Load},
                      {"Werbung", Werbung_Save, Werbung_Load},
                      {"Verhandlung", Verhandlung_Save, Verhandlung_Load},
                      {"Scout", Scout_Save, Scout_Load}};
    uint16_t port = 0;
    int32_t sock = -1;
    int32_t slot = -1;
    uint8_t adresse[4] = {127, 0, 0, 1};
};
Pruefstand g;

// One pass of the server's main loop, and the client takes what it was sent.
void Runde() {
    Net_Pump();
    Net_Server_Slot_Pump();
    Net_Server_Bedienen();
    Net_Pump();
    uint8_t weg[65536];
    while (g.sock >= 0) {
        int64_t r = Plat_Sock_Recv(g.sock, weg, sizeof weg);
        if (r == 0) break;
        if (r < 0) {
            Plat_Sock_Close(g.sock);
            g.sock = -1;
        }
    }
}

// Until the server holds nothing more of the client's or for it (bounded).
void Leeren() {
    for (int i = 0; i < 200; ++i) {
        Runde();
        const Net_Client_Slot* s = g.slot >= 0 ? Net_Slot(g.slot) : nullptr;
        if (Net_Zaehler_Lesen().wartend == 0 && (!s || !s->neu)) return;
    }
}

// A connection with its slot; false when the server did not take it.
bool Verbinden() {
    if (g.sock >= 0 && g.slot >= 0 && Net_Slot(g.slot)->zustand == 1) return true;
    if (g.sock >= 0) Plat_Sock_Close(g.sock);
    g.sock = Plat_Sock_Connect(g.adresse, g.port, 1000);
    g.slot = -1;
    for (int i = 0; i < 50 && g.slot < 0; ++i) {
        Runde();
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s)
            if (Net_Slot(s)->zustand == 1) g.slot = s;
    }
    return g.sock >= 0 && g.slot >= 0;
}

// The frames of `d` straight into the switch, as the slot pump hands them on.
void Direkt(const uint8_t* d, size_t n) {
    size_t pos = 0;
    while (n - pos >= sizeof(Net_Frame_Kopf) && Net_Slot(g.slot)->zustand == 1) {
        Net_Frame_Kopf kopf;
        std::memcpy(&kopf, d + pos, sizeof kopf);
        pos += sizeof kopf;
        if (kopf.magic != NET_FRAME_MAGIC || kopf.laenge > n - pos) return;
        std::vector<uint8_t> block(d + pos, d + pos + kopf.laenge);   // the handler's own copy, as the pump's
        pos += kopf.laenge;
        Net_Slot(g.slot)->empfangen_folge = kopf.folge;
        if (kopf.typ == NET_TYP_MIN_SIGNAL) Min_Signal_Antwort(g.slot, block.data(), block.size());
        else if (kopf.typ == NET_TYP_ANFRAGE) Internet_Server_Antwort(g.slot, block.data(), block.size());
        Leeren();
    }
}

// The bytes of `d` through the connection.
void Verbindung(const uint8_t* d, size_t n) {
    size_t pos = 0;
    for (int i = 0; i < 1000 && pos < n && g.sock >= 0; ++i) {
        int64_t r = Plat_Sock_Send(g.sock, d + pos, n - pos);
        if (r < 0) break;
        pos += size_t(r);
        Runde();
    }
    Leeren();
}

// A connection without a club changed nothing but the random index.
void Unveraendert_Pruefen() {
    for (const Teil& t : g.teile) {
        if (t.speichern == Rnd_Sichern) continue;
        std::vector<uint8_t> jetzt;
        t.speichern(jetzt);
        if (jetzt == t.anfang) continue;
        std::fprintf(stderr, "net_fuzz: a connection without a club changed \"%s\"\n", t.name);
        __builtin_trap();
    }
}

void Zuruecksetzen() {
    for (Teil& t : g.teile)
        if (!t.laden(t.anfang.data(), t.anfang.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static test::FuzzWelt welt;
    g.welt = &welt;
    if (!welt.ok) std::abort();
    for (Teil& t : g.teile) t.speichern(t.anfang);
    Net_Bind_Adresse_Setzen(g.adresse);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    // No connection is closed for its silence: the runs do not depend on the clock.
    Net_Zeiten_Wert().leerlauf_ms = Net_Zeiten_Wert().beitritt_ms = 1u << 30;
    if (!Internet_Netzwerk_Start()) std::abort();
    g.port = Net_Server_Port();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    if (bytes == 0 || !Verbinden()) return 0;
    const int32_t teams[4] = {g.welt->mensch[0], g.welt->mensch[1], g.welt->ki, -1};
    const int32_t team = teams[daten[0] & 3];
    Net_Slot_Team_Setzen(g.slot, team);
    if (daten[0] & 4) Verbindung(daten + 1, bytes - 1);
    else Direkt(daten + 1, bytes - 1);
    if (team < 0) Unveraendert_Pruefen();
    Zuruecksetzen();
    return 0;
}
