// Remote-call round trips, minute-packet latency and the players' list asked
// by connections that have not joined, between a server and a client in one
// process on loopback; the client's wait runs the server.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "club/club_anbindung.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/le.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/sockets.h"

using namespace velmora;

namespace {

NetKontext* g_server = nullptr;

void Server_Runde() {
    NetKontext* vorher = Net_Kontext_Setzen(g_server);
    Net_Pump();
    Net_Server_Slot_Pump();
    Net_Server_Bedienen();
    Net_Pump();
    Net_Kontext_Setzen(vorher);
}

struct Paar {
    NetKontext* client = nullptr;
    Paar() {
        Net_Init();
        g_server = Net_Kontext_Neu();
        Net_Kontext_Setzen(g_server);
        uint8_t a[4] = {127, 0, 0, 1};
        Net_Bind_Adresse_Setzen(a);
        Net_Port_Setzen(0);
        Netzwerk_Modus_Setzen(2);
        Internet_Netzwerk_Start();
        uint16_t port = Net_Server_Port();
        Net_Hooks().warten = &Server_Runde;
        Net_Hooks().sync_vom_client = [](void*, int32_t) {};
        client = Net_Kontext_Neu();
        Net_Kontext_Setzen(client);
        uint32_t o[4] = {127, 0, 0, 1};
        Net_Server_Adresse_Setzen(o);
        Net_Port_Setzen(port);
        Netzwerk_Modus_Setzen(1);
        Internet_Netzwerk_Start();
    }
    ~Paar() {
        Net_Kontext_Setzen(nullptr);
        Net_Kontext_Loeschen(client);
        Net_Kontext_Loeschen(g_server);
        Net_Hooks().warten = nullptr;
    }
};

// Round trips of one client; with `flut`, another connection sends empty
// frames as fast as the server takes them the whole time.
void Rundreisen(benchmark::State& state, bool flut) {
    Paar paar;
    Internet_Server_Anmelden(1027, "vC<8400C<4C<4i", [](Internet_Aufruf& a) {
        std::memset(a.Ergebnis(0, nullptr), a.I(3), 8400);
        return 0;
    });
    std::atomic<bool> halt{false};
    std::thread flieger;
    int32_t sock = -1;
    if (flut) {
        uint8_t a[4] = {127, 0, 0, 1};
        NetKontext* vorher = Net_Kontext_Setzen(g_server);
        sock = Plat_Sock_Connect(a, Net_Server_Port(), 1000);
        Net_Kontext_Setzen(vorher);
        Server_Runde();
        flieger = std::thread([sock, &halt] {
            std::vector<uint8_t> strom(16 * 4096);
            for (size_t i = 0; i < strom.size(); i += 16) {
                Net_Frame_Kopf k{NET_FRAME_MAGIC, NET_TYP_ANFRAGE, 0, uint32_t(i / 16 + 1)};
                std::memcpy(&strom[i], &k, 16);
            }
            size_t pos = 0;
            while (!halt) {
                int64_t r = Plat_Sock_Send(sock, strom.data() + pos, strom.size() - pos);
                if (r < 0) break;
                if (r == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
                pos = (pos + size_t(r)) % strom.size();
            }
        });
    }
    std::vector<uint8_t> buchungen(8400);
    int32_t index = 0, periode = 0;
    for (auto _ : state) {
        if (!Internet_Client_Read(1027, "vC<8400C<4C<4i", 0, 0, buchungen.data(), &index, &periode, 7)) {
            state.SkipWithError("call failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    if (flut) {
        halt = true;
        flieger.join();
        Plat_Sock_Close(sock);
    }
    Internet_Server_Abmelden(1027);
}

void BM_RemoteCallRoundTrip(benchmark::State& state) { Rundreisen(state, false); }
BENCHMARK(BM_RemoteCallRoundTrip)->UseRealTime();

void BM_RemoteCallRoundTripDuringFlood(benchmark::State& state) { Rundreisen(state, true); }
BENCHMARK(BM_RemoteCallRoundTripDuringFlood)->UseRealTime();

void BM_MinutePacketLatency(benchmark::State& state) {
    Paar paar;
    std::vector<uint8_t> paket(MIN_SIGNAL_GROESSE, 0), antwort(MIN_SIGNAL_GROESSE);
    uint32_t kopf[2] = {MIN_SIGNAL_MAGIC, MIN_SIGNAL_ART_SYNC};
    std::memcpy(paket.data(), kopf, sizeof(kopf));
    for (auto _ : state) {
        Net_Client_Signal(Net_Server_Verbindung(), paket.data(), paket.size());
        void* p = nullptr;
        while (!p) {
            Net_Pump();
            Server_Runde();
            p = Net_Minute_Receive(Net_Server_Verbindung(), antwort.data(), antwort.size());
            if (Net_Server_Verbindung() < 0) break;
        }
        if (!p) {
            state.SkipWithError("packet lost");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MinutePacketLatency)->UseRealTime();

// The players' list of the demo world's size (12,000 players, 2.7 MB) on a
// server whose club requests are registered; undone at its end.
struct Spielerwelt {
    static constexpr int32_t N = 12000;
    Spielerwelt() {
        Spieler_Init(N);
        Team_Init(N / TEAM_SPIELER_MAX + 2);
        Team_Markt_Setzen(0);
        for (int32_t p = 0; p < N; ++p) Team_Spieler_Hinzufuegen(1 + p % (N / TEAM_SPIELER_MAX), p);
        Club_Hooks().netzwerk_modus = [] { return 2; };
    }
    ~Spielerwelt() {
        Club_Anfragen_Abmelden();
        Club_Hooks() = ClubHooks{};
        Spieler_Free();
    }
};

// The players' list asked with version 0 by a connection that has not
// joined, request after request, as a stranger's flood does. Counter
// "bytes_per_request": what the client received per request (frames with
// their headers), the first answer included.
void BM_SpielerlisteOhneBeitritt(benchmark::State& state) {
    Spielerwelt welt;
    Paar paar;
    Club_Anfragen_Anmelden();
    std::vector<uint8_t> a, antwort;
    Le_Put_U32(a, 0);
    const uint64_t vorher = Net_Zaehler_Lesen().empfangen;
    for (auto _ : state) {
        if (!Club_Client_Lesen(ANFRAGE_SPIELER_ABGLEICH, "", a, antwort)) {
            state.SkipWithError("call failed");
            break;
        }
    }
    state.counters["bytes_per_request"] =
        double(Net_Zaehler_Lesen().empfangen - vorher) / double(std::max<int64_t>(state.iterations(), 1));
}
BENCHMARK(BM_SpielerlisteOhneBeitritt)->Iterations(200)->Unit(benchmark::kMicrosecond);

// The same from one address that opens a new connection for every request
// and closes it after the answer. Counter "bytes_per_request" as above.
void BM_SpielerlisteNeueVerbindung(benchmark::State& state) {
    Spielerwelt welt;
    Paar paar;
    Club_Anfragen_Anmelden();
    NetKontext* vorher = Net_Kontext_Setzen(g_server);
    const uint16_t port = Net_Server_Port();
    Net_Kontext_Setzen(vorher);
    std::vector<uint8_t> a, antwort;
    Le_Put_U32(a, 0);
    uint64_t bytes = 0;
    for (auto _ : state) {
        NetKontext* c = Net_Kontext_Neu();
        Net_Kontext_Setzen(c);
        uint32_t o[4] = {127, 0, 0, 1};
        Net_Server_Adresse_Setzen(o);
        Net_Port_Setzen(port);
        Netzwerk_Modus_Setzen(1);
        const bool ok = Internet_Netzwerk_Start() && Club_Client_Lesen(ANFRAGE_SPIELER_ABGLEICH, "", a, antwort);
        bytes += Net_Zaehler_Lesen().empfangen;
        Internet_Netzwerk_Stop();
        Net_Kontext_Setzen(paar.client);
        Net_Kontext_Loeschen(c);
        Server_Runde();   // the server sees the connection go
        if (!ok) {
            state.SkipWithError("call failed");
            break;
        }
    }
    state.counters["bytes_per_request"] = double(bytes) / double(std::max<int64_t>(state.iterations(), 1));
}
BENCHMARK(BM_SpielerlisteNeueVerbindung)->Iterations(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
