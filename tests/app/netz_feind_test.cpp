// Hostile clients against the real server: a server process on loopback with
// the game's club handlers bound by the composition root, attacked over raw
// sockets while a well-behaved client of the game plays beside them.
//
// Memory bound: the server's queues never hold more than 64 MB, and its
// resident memory grows by less than 64 MB over its start.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/verdrahtung.h"
#include "club/club_anbindung.h"
#include "club/club_netz.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/sockets.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

constexpr int32_t GAST = 3;
constexpr uint64_t SPEICHER_GRENZE = 64ull << 20;

// The address sanitizer keeps freed memory in quarantine: the resident size
// then says nothing about the queues, which are measured directly as well.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool RSS_AUSSAGEKRAEFTIG = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool RSS_AUSSAGEKRAEFTIG = false;
#else
constexpr bool RSS_AUSSAGEKRAEFTIG = true;
#endif
#else
constexpr bool RSS_AUSSAGEKRAEFTIG = true;
#endif

// What the server process reports on request.
struct Bericht {
    uint64_t wartend_max = 0;
    int32_t belegt = 0;
    int32_t mit_team = 0;
    int32_t ergebnis = 0;   // of the last command
};

// Commands to the server process, one byte each.
enum : char {
    CMD_BEITRETEN = 'J',   // gives the newest slot without a team the club GAST
    CMD_BERICHT = 'B',
};

// The server's times for the test (set before the fork).
Net_Zeiten g_server_zeiten;

bool Verdrahten() {
    VerdrahtungOptionen o;
    o.nur = {"Netz", "Club"};
    std::string fehler;
    return Spiel_Verdrahten(o, &fehler);
}

[[noreturn]] void Server_Prozess(int port_schreiben, int befehl_lesen, int bericht_schreiben) {
    Debug_Faenger_Setzen(nullptr);
    Rnd_Init();
    test::Welt_Bauen(4, 18);
    Net_Init();
    if (!Verdrahten()) _exit(13);
    uint8_t adresse[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(adresse);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    Net_Zeiten_Wert() = g_server_zeiten;
    if (!Internet_Netzwerk_Start()) _exit(10);
    uint16_t port = Net_Server_Port();
    if (write(port_schreiben, &port, sizeof port) != sizeof port) _exit(11);
    close(port_schreiben);
    fcntl(befehl_lesen, F_SETFL, O_NONBLOCK);
    std::vector<int32_t> reihenfolge;   // the slots in use, by their welcome
    uint32_t start = Plat_Ms();
    for (;;) {
        if (Plat_Ms() - start > 120000) _exit(12);
        Net_Pump();
        Net_Server_Slot_Pump();
        for (size_t i = 0; i < reihenfolge.size();) {
            if (Net_Slot(reihenfolge[i])->zustand != 1) reihenfolge.erase(reihenfolge.begin() + ptrdiff_t(i));
            else ++i;
        }
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s) {
            bool bekannt = false;
            for (int32_t r : reihenfolge) bekannt = bekannt || r == s;
            if (!bekannt && Net_Slot(s)->zustand == 1) reihenfolge.push_back(s);
        }
        Net_Server_Bedienen();
        Net_Pump();
        char befehl;
        ssize_t r = read(befehl_lesen, &befehl, 1);
        if (r == 0) break;   // the test is done
        if (r != 1) continue;
        Bericht b;
        if (befehl == CMD_BEITRETEN) {
            for (auto it = reihenfolge.rbegin(); it != reihenfolge.rend() && !b.ergebnis; ++it)
                if (Net_Slot(*it)->team < 0) b.ergebnis = Net_Slot_Team_Setzen(*it, GAST) ? 1 : -1;
        }
        b.wartend_max = Net_Zaehler_Lesen().wartend_max;
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s) {
            b.belegt += Net_Slot(s)->zustand == 1;
            b.mit_team += Net_Slot(s)->zustand == 1 && Net_Slot(s)->team >= 0;
        }
        if (write(bericht_schreiben, &b, sizeof b) != sizeof b) _exit(14);
    }
    _exit(0);
}

// The resident memory of a process in bytes.
uint64_t Rss(pid_t pid) {
    FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/statm").c_str(), "r");
    if (!f) return 0;
    unsigned long groesse = 0, resident = 0;
    int n = std::fscanf(f, "%lu %lu", &groesse, &resident);
    std::fclose(f);
    return n == 2 ? uint64_t(resident) * uint64_t(sysconf(_SC_PAGESIZE)) : 0;
}

// The server process and the test's clients.
struct Serverprozess {
    pid_t pid = -1;
    uint16_t port = 0;
    int befehl = -1, bericht = -1;
    std::vector<NetKontext*> clients;

    Serverprozess() {
        int port_pipe[2], befehl_pipe[2], bericht_pipe[2];
        if (pipe(port_pipe) || pipe(befehl_pipe) || pipe(bericht_pipe)) return;
        pid = fork();
        if (pid == 0) {
            close(port_pipe[0]);
            close(befehl_pipe[1]);
            close(bericht_pipe[0]);
            Server_Prozess(port_pipe[1], befehl_pipe[0], bericht_pipe[1]);
        }
        close(port_pipe[1]);
        close(befehl_pipe[0]);
        close(bericht_pipe[1]);
        befehl = befehl_pipe[1];
        bericht = bericht_pipe[0];
        if (read(port_pipe[0], &port, sizeof port) != ssize_t(sizeof port)) port = 0;
        close(port_pipe[0]);
        Net_Init();
    }
    ~Serverprozess() {
        Net_Kontext_Setzen(nullptr);
        for (NetKontext* c : clients) Net_Kontext_Loeschen(c);
        close(befehl);
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, 0) == pid) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "server status " << status;
        }
        close(bericht);
    }
    Bericht Fragen(char was) {
        Bericht b;
        if (write(befehl, &was, 1) != 1 || read(bericht, &b, sizeof b) != ssize_t(sizeof b)) b.ergebnis = -99;
        return b;
    }
    // A client of the game, connected and welcomed; its context is current afterwards.
// The test's own process binds nothing: its calls go straight to the server.
    NetKontext* Client(bool* ok) {
        NetKontext* c = Net_Kontext_Neu();
        clients.push_back(c);
        Net_Kontext_Setzen(c);
        uint32_t a[4] = {127, 0, 0, 1};
        Net_Server_Adresse_Setzen(a);
        Net_Port_Setzen(port);
        Net_Zeiten_Wert().antwort_ms = 5000;
        Netzwerk_Modus_Setzen(1);
        *ok = Internet_Netzwerk_Start();
        return c;
    }
    // A raw connection; true in `willkommen` when the server's welcome arrived.
    int32_t Roh(bool* willkommen) {
        uint8_t a[4] = {127, 0, 0, 1};
        int32_t sock = Plat_Sock_Connect(a, port, 2000);
        *willkommen = false;
        if (sock < 0) return sock;
        uint8_t rahmen[20];
        size_t n = 0;
        uint32_t start = Plat_Ms();
        while (n < sizeof rahmen && Plat_Ms() - start < 2000) {
            int64_t r = Plat_Sock_Recv(sock, rahmen + n, sizeof rahmen - n);
            if (r < 0) break;
            n += size_t(r);
            if (r == 0) Plat_Sleep_Ms(1);
        }
        uint32_t typ;
        std::memcpy(&typ, rahmen + 4, 4);
        *willkommen = n == sizeof rahmen && typ == NET_TYP_WILLKOMMEN;
        return sock;
    }
};

// True once the server closed the raw connection (within `ms`).
bool Geschlossen(int32_t sock, uint32_t ms) {
    uint32_t start = Plat_Ms();
    uint8_t puffer[256];
    while (Plat_Ms() - start < ms) {
        int64_t r = Plat_Sock_Recv(sock, puffer, sizeof puffer);
        if (r < 0) return true;
        if (r == 0) Plat_Sleep_Ms(2);
    }
    return false;
}

// A round trip of the game: the number of players.
bool Rundreise() {
    std::vector<uint8_t> antwort;
    return Club_Client_Lesen(ANFRAGE_SPIELER_ANZAHL, "<i", {}, antwort) && antwort.size() == 4;
}

// Round trips per second over `ms`.
double Rate(uint32_t ms) {
    uint32_t start = Plat_Ms();
    int64_t n = 0;
    while (Plat_Ms() - start < ms) {
        if (!Rundreise()) return -1.0;
        ++n;
    }
    return double(n) * 1000.0 / double(Plat_Ms() - start);
}

// Sends empty frames of `typ` as fast as the socket takes them until told to stop.
struct Flut {
    std::atomic<bool> halt{false};
    std::atomic<uint64_t> gesendet{0};
    std::thread t;
    Flut(int32_t sock, uint32_t typ) {
        t = std::thread([this, sock, typ] {
            std::vector<uint8_t> strom(16 * 4096);
            for (size_t i = 0; i < strom.size(); i += 16) {
                Net_Frame_Kopf k{NET_FRAME_MAGIC, typ, 0, uint32_t(i / 16 + 1)};
                std::memcpy(&strom[i], &k, 16);
            }
            size_t pos = 0;
            while (!halt) {
                int64_t r = Plat_Sock_Send(sock, strom.data() + pos, strom.size() - pos);
                if (r < 0) break;
                if (r == 0) {
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                    continue;
                }
                gesendet += uint64_t(r);
                pos = (pos + size_t(r)) % strom.size();
            }
        });
    }
    ~Flut() {
        halt = true;
        t.join();
    }
};

TEST(FeindlicheClients, FloodsOfEmptyFramesStayBoundedAndLeaveOthersHalfTheirRate) {
    test::LogFaenger faenger;
    g_server_zeiten = Net_Zeiten();
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    bool ok = false;
    server.Client(&ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(server.Fragen(CMD_BEITRETEN).ergebnis, 1);
    uint64_t rss_start = Rss(server.pid);
    ASSERT_GT(rss_start, 0u);
    struct Fall {
        const char* name;
        uint32_t typ;
    } faelle[] = {{"requests", NET_TYP_ANFRAGE}, {"unknown type", 0x77}, {"minute packets", NET_TYP_MIN_SIGNAL}};
    for (const Fall& f : faelle) {
        bool willkommen = false;
        int32_t sock = server.Roh(&willkommen);
        ASSERT_TRUE(willkommen) << f.name;
        // The rate alone and during the flood, measured in turns; a busy
        // machine gets three tries at half the rate.
        double allein = 0, geflutet = 0;
        uint64_t rss_max = 0;
        for (int versuch = 0; versuch < 3; ++versuch) {
            allein = Rate(700);
            Flut flut(sock, f.typ);
            Plat_Sleep_Ms(300);   // the flood fills the server's queue first
            geflutet = Rate(700);
            rss_max = std::max(rss_max, Rss(server.pid));
            if (geflutet >= allein / 2) break;
        }
        EXPECT_GT(allein, 0) << f.name;
        EXPECT_GE(geflutet, allein / 2) << f.name << ": alone " << allein << "/s, flooded " << geflutet << "/s";
        Bericht b = server.Fragen(CMD_BERICHT);
        EXPECT_LT(b.wartend_max, SPEICHER_GRENZE) << f.name;
        if (RSS_AUSSAGEKRAEFTIG)
            EXPECT_LT(rss_max, rss_start + SPEICHER_GRENZE) << f.name << ": " << (rss_max - rss_start) / 1024 << " KB more";
        // The flooder leaves: its slot is free once the server reaches the end
        // of what it sent, whatever it still had queued goes unanswered.
        Plat_Sock_Close(sock);
        uint32_t start = Plat_Ms();
        while (server.Fragen(CMD_BERICHT).belegt != 1 && Plat_Ms() - start < 5000) Plat_Sleep_Ms(5);
        EXPECT_EQ(server.Fragen(CMD_BERICHT).belegt, 1) << f.name;
        EXPECT_TRUE(Rundreise()) << f.name;
    }
}

TEST(FeindlicheClients, AFrameAnnouncingMoreThanTheLargestRequestClosesTheConnection) {
    test::LogFaenger faenger;
    g_server_zeiten = Net_Zeiten();
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    // The largest registered request: a club request with its 64 KB argument block.
    const uint32_t groesste = uint32_t(sizeof(Internet_Block_Kopf)) + INTERNET_TYP_MAX + 64 * 1024;
    struct Fall {
        uint32_t laenge;
        bool geschlossen;
    } faelle[] = {{groesste + 1, true}, {1u << 20, true}, {NET_FRAME_MAX, true}, {groesste, false}, {100, false}};
    for (const Fall& f : faelle) {
        bool willkommen = false;
        int32_t sock = server.Roh(&willkommen);
        ASSERT_TRUE(willkommen) << f.laenge;
        Net_Frame_Kopf kopf{NET_FRAME_MAGIC, NET_TYP_ANFRAGE, f.laenge, 1};
        ASSERT_EQ(Plat_Sock_Send(sock, &kopf, sizeof kopf), int64_t(sizeof kopf));
        EXPECT_EQ(Geschlossen(sock, f.geschlossen ? 2000 : 300), f.geschlossen) << f.laenge;
        Plat_Sock_Close(sock);
        uint32_t start = Plat_Ms();
        while (server.Fragen(CMD_BERICHT).belegt != 0 && Plat_Ms() - start < 2000) Plat_Sleep_Ms(5);
        EXPECT_EQ(server.Fragen(CMD_BERICHT).belegt, 0) << f.laenge;
    }
    // A client of the game still gets in and is answered.
    bool ok = false;
    server.Client(&ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(Rundreise());
}

TEST(FeindlicheClients, IdleConnectionsNeverTakeAJoinedClientsSlotAndAreClosed) {
    test::LogFaenger faenger;
    g_server_zeiten = Net_Zeiten();
    g_server_zeiten.leerlauf_ms = 1500;
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    bool ok = false;
    NetKontext* gast = server.Client(&ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(server.Fragen(CMD_BEITRETEN).ergebnis, 1);
    std::vector<int32_t> still;
    for (int32_t i = 0; i < NET_WARTE_SLOTS; ++i) {
        bool willkommen = false;
        still.push_back(server.Roh(&willkommen));
        EXPECT_TRUE(willkommen) << "idle connection " << i;
    }
    // The places for connections that have not joined are full: the next one is closed at once.
    bool willkommen = true;
    int32_t zuviel = server.Roh(&willkommen);
    EXPECT_FALSE(willkommen);
    EXPECT_TRUE(Geschlossen(zuviel, 2000));
    Plat_Sock_Close(zuviel);
    Bericht b = server.Fragen(CMD_BERICHT);
    EXPECT_EQ(b.belegt, 1 + NET_WARTE_SLOTS);
    EXPECT_EQ(b.mit_team, 1);
    // The joined client plays on, silent or not; the idle ones are closed after their time.
    Net_Kontext_Setzen(gast);
    EXPECT_TRUE(Rundreise());
    for (int32_t sock : still) {
        EXPECT_TRUE(Geschlossen(sock, 3000));
        Plat_Sock_Close(sock);
    }
    Plat_Sleep_Ms(g_server_zeiten.leerlauf_ms + 200);
    EXPECT_TRUE(Rundreise());
    b = server.Fragen(CMD_BERICHT);
    EXPECT_EQ(b.belegt, 1);
    EXPECT_EQ(b.mit_team, 1);
    // A new client then gets in and joins.
    server.Client(&ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(server.Fragen(CMD_BEITRETEN).ergebnis, 1);
    EXPECT_TRUE(Rundreise());
    EXPECT_EQ(server.Fragen(CMD_BERICHT).mit_team, 2);
}

}  // namespace
}  // namespace velmora
