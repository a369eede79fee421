// tests/net/net_test_hilfe.h - a server and its clients in one test process.
//
// Each side has its own network context. A client's wait hook runs one pass
// of the server (receive, answer, send), so remote calls complete on one thread.
#pragma once
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/debug.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/sockets.h"
#include "tests/support/sanitizer.h"

namespace velmora::test {

// Switches to a context for the life of the object.
struct ImKontext {
    NetKontext* vorher;
    explicit ImKontext(NetKontext* k) : vorher(Net_Kontext_Setzen(k)) {}
    ~ImKontext() { Net_Kontext_Setzen(vorher); }
};

inline NetKontext*& Test_Server() {
    static NetKontext* s = nullptr;
    return s;
}

// One pass of the server's main loop.
inline void Server_Runde() {
    static bool laeuft = false;
    if (!Test_Server() || laeuft) return;
    laeuft = true;
    {
        ImKontext im(Test_Server());
        Net_Pump();
        Net_Server_Slot_Pump();
        Net_Server_Bedienen();
        Net_Pump();
    }
    laeuft = false;
}

inline void Kurze_Zeiten() {
    Net_Zeiten& z = Net_Zeiten_Wert();
    z.verbinden_ms = 1000;
    z.antwort_ms = 1000;
    z.senden_ms = 1000;
    z.suche_ms = 300;
}

// Pumps the server until `bedingung` holds or `ms` have passed: by default
// the limit of a hung state, so a busy machine does not decide (a condition
// that holds ends it at once).
inline bool Server_Bis(const std::function<bool()>& bedingung, uint32_t ms = WARTEN_GRENZE_MS) {
    uint32_t start = Plat_Ms();
    while (!bedingung()) {
        if (Plat_Ms() - start > ms) return false;
        Server_Runde();
        Plat_Sleep_Ms(1);
    }
    return true;
}

// A server on 127.0.0.1 (or `adresse`) on a port the system picks, and clients connected to it.
struct Testnetz {
    NetKontext* server = nullptr;
    std::vector<NetKontext*> clients;
    uint16_t port = 0;
    uint8_t adresse[4] = {127, 0, 0, 1};

    explicit Testnetz(const uint8_t* bind = nullptr) {
        Net_Init();
        if (bind) std::memcpy(adresse, bind, 4);
        server = Net_Kontext_Neu();
        Test_Server() = server;
        Net_Hooks().warten = &Server_Runde;
        ImKontext im(server);
        Kurze_Zeiten();
        Net_Bind_Adresse_Setzen(adresse);
        Net_Port_Setzen(0);
        Netzwerk_Modus_Setzen(2);
        if (Internet_Netzwerk_Start()) port = Net_Server_Port();
    }
    ~Testnetz() {
        for (NetKontext* c : clients) Net_Kontext_Loeschen(c);
        if (server) Net_Kontext_Loeschen(server);
        Test_Server() = nullptr;
        Net_Hooks().warten = nullptr;
    }
    // A new client context; true in `ok` when it joined.
    NetKontext* Client(bool* ok = nullptr) {
        NetKontext* c = Net_Kontext_Neu();
        clients.push_back(c);
        ImKontext im(c);
        Kurze_Zeiten();
        uint32_t a[4] = {adresse[0], adresse[1], adresse[2], adresse[3]};
        Net_Server_Adresse_Setzen(a);
        Net_Port_Setzen(port);
        Netzwerk_Modus_Setzen(1);
        bool r = Internet_Netzwerk_Start();
        if (ok) *ok = r;
        return c;
    }
    void Server_Stoppen() {
        Net_Kontext_Loeschen(server);
        server = nullptr;
        Test_Server() = nullptr;
    }
};

// Collects the debug lines while it lives.
struct Logfaenger {
    static std::vector<std::string>& Zeilen() {
        static std::vector<std::string> z;
        return z;
    }
    static void Fangen(uint32_t, const char* text) { Zeilen().push_back(text); }
    Logfaenger() {
        Zeilen().clear();
        Debug_Faenger_Setzen(&Fangen);
    }
    ~Logfaenger() { Debug_Faenger_Setzen(nullptr); }
    bool Enthaelt(const std::string& teil) const {
        for (const auto& z : Zeilen())
            if (z.find(teil) != std::string::npos) return true;
        return false;
    }
};

// A frame as it goes on the wire.
inline std::vector<uint8_t> Rahmen(uint32_t typ, uint32_t folge, const std::vector<uint8_t>& daten) {
    Net_Frame_Kopf kopf{NET_FRAME_MAGIC, typ, uint32_t(daten.size()), folge};
    std::vector<uint8_t> r(sizeof(kopf) + daten.size());
    std::memcpy(r.data(), &kopf, sizeof(kopf));
    if (!daten.empty()) std::memcpy(r.data() + sizeof(kopf), daten.data(), daten.size());
    return r;
}

// Writes all bytes on a raw socket, pumping the server while the socket is full.
inline bool Roh_Senden(int32_t sock, const uint8_t* p, size_t n) {
    uint32_t start = Plat_Ms();
    while (n) {
        int64_t r = Plat_Sock_Send(sock, p, n);
        if (r < 0) return false;
        p += r;
        n -= size_t(r);
        if (r == 0) {
            if (Plat_Ms() - start > WARTEN_GRENZE_MS) return false;
            Server_Runde();
        }
    }
    return true;
}

}  // namespace velmora::test
