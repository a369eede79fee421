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
#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/bank_netz.h"
#include "business/news.h"
#include "business/news_netz.h"
#include "business/stadion.h"
#include "business/werbung.h"
#include "club/manager.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/dirs.h"
#include "core/mem.h"
#include "core/reg.h"
#include "tests/support/netz_server.h"
#include "tests/support/temp_dir.h"
#include "club/abgleich.h"
#include "club/club_anbindung.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler_testing.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/sockets.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "tests/club/welt.h"
#include "tests/support/anfragen.h"
#include "tests/support/sanitizer.h"

namespace velmora {
namespace {

constexpr int32_t GAST = 3;
constexpr uint64_t SPEICHER_GRENZE = 64ull << 20;
// What a flood has brought to the server before the calls beside it start:
// a quarter of what one of its slots holds unread.
constexpr uint64_t FLUT_VORLAUF = 256u << 10;

// The address sanitizer keeps freed memory in quarantine: the resident size
// then says nothing about the queues, which are measured directly as well.
constexpr bool RSS_AUSSAGEKRAEFTIG = !test::UNTER_SANITIZERN;

// What the server process reports on request.
struct Bericht {
    uint64_t wartend_max = 0;
    uint64_t empfangen = 0;   // the bytes of the whole frames the server took in
    int32_t belegt = 0;
    int32_t mit_team = 0;
    int32_t ergebnis = 0;   // of the last command
    int64_t pruefsumme = 0; // of the clubs, players, balances and news
};

// Commands to the server process, one byte each.
enum : char {
    CMD_BEITRETEN = 'J',   // gives the newest slot without a team the club GAST
    CMD_BERICHT = 'B',
    CMD_MINDESTPREIS = 'P',   // the lowest price of market player MARKT_SPIELER
    CMD_ZWEIT_KI = 'Z',       // the guest's second club becomes the computer's club ZWEIT_KI
    CMD_ZWEIT_MENSCH = 'H',   // the guest's second club becomes the human club ANDERER
    CMD_ZWEIT_MARKT = 'M',    // the guest's second club is the market again
    CMD_SPIELER_AENDERN = 'S',   // a player's form changes (a new version of the players' list)
};

// The world of the handler tests: the guest (GAST) and another human (ANDERER)
// run clubs with accounts; ZWEIT_KI is a computer's club; market player
// MARKT_SPIELER is strong.
constexpr int32_t ANDERER = 4, ZWEIT_KI = 5, MARKT_SPIELER = 72;
constexpr int32_t GAST_SPIELER = 18 + 5, ANDERER_SPIELER = 36 + 12;

// The server binds the bank and the news beside the club data when set.
bool g_volle_welt = false;
// ... and the season, the stadium and the advertising as well when set.
bool g_alle_anfragen = false;

// The server's times for the test (set before the fork).
Net_Zeiten g_server_zeiten;

bool Verdrahten() {
    VerdrahtungOptionen o;
    o.nur = {"Netz", "Club"};
    if (g_volle_welt) o.nur = {"Netz", "Club", "News", "Bank", "Verhandlung"};
    if (g_alle_anfragen) o.nur = {"Netz", "Club", "Saison", "News", "Stadion", "Bank", "Verhandlung"};
    std::string fehler;
    return Spiel_Verdrahten(o, &fehler);
}

test::TempDir* g_tmp = nullptr;

void Volle_Welt() {
    // The news file lives in a user directory of the server process's own.
    static test::TempDir tmp;
    g_tmp = &tmp;
    std::filesystem::create_directories(tmp.pfad() + "/install");
    Reg_Write_String("Work_dir", (tmp.pfad() + "/install").c_str());
    Reg_Write_String("USER_DIR", (tmp.pfad() + "/user").c_str());
    if (Dirs_Init() != 1 || !News_Datei_Oeffnen()) _exit(15);
    for (int32_t t = 2; t < Team_Anzahl(); ++t) Bank_Waehrung_Umrechnen(t, 3000000 + t, 0);
    Manager_Neuer_Mitspieler(GAST, "Gast", 0);
    Manager_Neuer_Mitspieler(ANDERER, "Anderer", 0);
    Transferfaktor_Setzen(TF_MARKTWERT_ABS, 400);
    Transferfaktor_Setzen(TF_PROGRESSION, 200);
    Transferfaktor_Setzen(TF_PROGRESSION_GRENZE, 50);
    const int32_t gewichte[3] = {60, 15, 25};
    Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_TRANSFER, gewichte, 3);
    Spieler_Wert(58, MARKT_SPIELER, 12000, 1);
    Spieler_Wert(58, ANDERER_SPIELER, 12000, 1);
    News_Add(-1, GAST, -1, int32_t(NEWS_NACHRICHT), nullptr, "fuer den Gast");
    News_Add(-1, ANDERER, -1, int32_t(NEWS_NACHRICHT), nullptr, "fuer den anderen");
}

// Everything a client could change or should not read, folded into one number.
int64_t Pruefsumme() {
    uint64_t h = 0;   // wraps around: unsigned, so the folding is defined
    auto mischen = [&h](int64_t v) { h = h * 1000003u + uint64_t(v); };
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        mischen(Spieler_Get_Team(p));
        mischen(Spieler_Wert(SPW_FORM, p, 0, OP_LESEN));
        mischen(Spieler_Wert(58, p, 0, OP_LESEN));
    }
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        mischen(Team_Wert(19, t, 0, OP_LESEN));
        mischen(Team_Wert(TW_ZWEITCLUB, t, 0, OP_LESEN));
        if (g_volle_welt) mischen(Bank_Kontostand(t, false, -1));
        if (Team_Hat_Manager(t)) mischen(Manager_Icon_Button_Lesen(t, 5));
    }
    if (g_volle_welt) {
        mischen(int64_t(News_Letzte_Id()));
        for (int32_t i = News_Erste(-1, -1); i >= 0; i = News_Naechste()) mischen(int64_t(News_Walk_Flags()) + i);
    }
    return int64_t(h);
}

[[noreturn]] void Server_Prozess(int port_schreiben, int befehl_lesen, int bericht_schreiben) {
    Debug_Faenger_Setzen(nullptr);
    Rnd_Init();
    test::Welt_Bauen(4, 18);
    Net_Init();
    if (!Verdrahten()) _exit(13);
    if (g_volle_welt) Volle_Welt();
    if (g_alle_anfragen && !Werbung_Spielstart()) _exit(16);
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
        if (Plat_Ms() - start > 6 * test::WARTEN_GRENZE_MS) _exit(12);
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
        } else if (befehl == CMD_SPIELER_AENDERN) {
            b.ergebnis = Spieler_Wert(SPW_FORM, 30, Spieler_Wert(SPW_FORM, 30, 0, OP_LESEN) == 7 ? 8 : 7, OP_SCHREIBEN);
        } else if (befehl == CMD_MINDESTPREIS) {
            b.ergebnis = Transfer_Mindestpreis(MARKT_SPIELER);
        } else if (befehl == CMD_ZWEIT_KI || befehl == CMD_ZWEIT_MENSCH || befehl == CMD_ZWEIT_MARKT) {
            int32_t zweit = befehl == CMD_ZWEIT_KI ? ZWEIT_KI : befehl == CMD_ZWEIT_MENSCH ? ANDERER : -1;
            b.ergebnis = Team_Wert(TW_ZWEITCLUB, GAST, zweit, OP_SCHREIBEN);
        }
        b.pruefsumme = Pruefsumme();
        b.wartend_max = Net_Zaehler_Lesen().wartend_max;
        b.empfangen = Net_Zaehler_Lesen().empfangen;
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s) {
            b.belegt += Net_Slot(s)->zustand == 1;
            b.mit_team += Net_Slot(s)->zustand == 1 && Net_Slot(s)->team >= 0;
        }
        if (write(bericht_schreiben, &b, sizeof b) != sizeof b) _exit(14);
    }
    if (g_tmp) g_tmp->~TempDir();
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

// What the server process binds beside the club data.
enum class Umfang { KLUB, VOLL, ALLE };   // VOLL: the bank and the news; ALLE: the season, stadium and advertising too

// The server process and the test's clients.
struct Serverprozess : test::NetzProzess {
    std::vector<NetKontext*> clients;

    explicit Serverprozess(Umfang umfang = Umfang::KLUB) : NetzProzess(Prozess_Mit(umfang)) {
        g_volle_welt = g_alle_anfragen = false;
        Net_Init();
    }
    // The server's process, forked from here with the flags of `umfang` set.
    static void (*Prozess_Mit(Umfang umfang))(int, int, int) {
        g_volle_welt = umfang != Umfang::KLUB;
        g_alle_anfragen = umfang == Umfang::ALLE;
        return Server_Prozess;
    }
    ~Serverprozess() {
        Net_Kontext_Setzen(nullptr);
        for (NetKontext* c : clients) Net_Kontext_Loeschen(c);
        const int status = Beenden();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "server status " << status;
    }
    Bericht Fragen(char was) {
        Bericht b;
        if (!NetzProzess::Fragen(was, &b, sizeof b)) b.ergebnis = -99;
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
    // A client of the game whose slot then joins as the guest's club.
    bool Gast() {
        bool ok = false;
        Client(&ok);
        return ok && Fragen(CMD_BEITRETEN).ergebnis == 1;
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
        while (n < sizeof rahmen && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
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

// Each test catches the debug log and starts from the server's default times.
class FeindlicheClients : public ::testing::Test {
protected:
    test::LogFaenger faenger;
    void SetUp() override { g_server_zeiten = Net_Zeiten(); }
};
// The documented requests, against the same server.
class Vorlagen : public FeindlicheClients {};

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

// A flood of empty frames from one connection: the server's queues and
// memory stay bounded and the client of the game is still answered, call
// after call, while the flood goes on. How fast it is answered, alone and
// under the flood, is bench/net_bench's (BM_RemoteCallRoundTripDuringFlood):
// a rate says nothing on a busy machine.
TEST_F(FeindlicheClients, FloodsOfEmptyFramesStayBoundedAndOthersAreStillAnswered) {
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    ASSERT_TRUE(server.Gast());
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
        uint64_t rss_max = 0;
        {
            const uint64_t vorher = server.Fragen(CMD_BERICHT).empfangen;
            Flut flut(sock, f.typ);
            // The flood fills the server's queue first: the calls start once
            // the server has taken FLUT_VORLAUF bytes of it.
            const uint32_t start = Plat_Ms();
            uint64_t geflutet = 0;
            while ((geflutet = server.Fragen(CMD_BERICHT).empfangen - vorher) < FLUT_VORLAUF &&
                   Plat_Ms() - start < test::WARTEN_GRENZE_MS)
                Plat_Sleep_Ms(5);
            ASSERT_GE(geflutet, FLUT_VORLAUF) << f.name << ": the flood did not reach the server (" << flut.gesendet
                                              << " bytes sent)";
            // Every call is answered within the game's answer time: none starves.
            for (int32_t i = 0; i < 200; ++i) {
                ASSERT_TRUE(Rundreise()) << f.name << ": call " << i << " went unanswered";
                if (i % 20 == 0) rss_max = std::max(rss_max, Rss(server.pid));
            }
        }
        Bericht b = server.Fragen(CMD_BERICHT);
        EXPECT_LT(b.wartend_max, SPEICHER_GRENZE) << f.name;
        if (RSS_AUSSAGEKRAEFTIG) {
            EXPECT_LT(rss_max, rss_start + SPEICHER_GRENZE) << f.name << ": " << (rss_max - rss_start) / 1024 << " KB more";
        }
        // The flooder leaves: its slot is free once the server reaches the end
        // of what it sent, whatever it still had queued goes unanswered.
        Plat_Sock_Close(sock);
        uint32_t start = Plat_Ms();
        while (server.Fragen(CMD_BERICHT).belegt != 1 && Plat_Ms() - start < test::WARTEN_GRENZE_MS) Plat_Sleep_Ms(5);
        ASSERT_EQ(server.Fragen(CMD_BERICHT).belegt, 1) << f.name;
        EXPECT_TRUE(Rundreise()) << f.name;
    }
}

TEST_F(FeindlicheClients, AFrameAnnouncingMoreThanTheLargestRequestClosesTheConnection) {
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
        EXPECT_EQ(Geschlossen(sock, f.geschlossen ? test::WARTEN_GRENZE_MS : 300), f.geschlossen) << f.laenge;
        Plat_Sock_Close(sock);
        uint32_t start = Plat_Ms();
        while (server.Fragen(CMD_BERICHT).belegt != 0 && Plat_Ms() - start < test::WARTEN_GRENZE_MS) Plat_Sleep_Ms(5);
        ASSERT_EQ(server.Fragen(CMD_BERICHT).belegt, 0) << f.laenge;
    }
    // A client of the game still gets in and is answered.
    bool ok = false;
    server.Client(&ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(Rundreise());
}

TEST_F(FeindlicheClients, IdleConnectionsNeverTakeAJoinedClientsSlotAndAreClosed) {
    g_server_zeiten.leerlauf_ms = 1500;
    // All the idle connections come from 127.0.0.1: that one address may fill every place.
    g_server_zeiten.warte_je_adresse = NET_WARTE_SLOTS;
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
    EXPECT_TRUE(Geschlossen(zuviel, test::WARTEN_GRENZE_MS));
    Plat_Sock_Close(zuviel);
    Bericht b = server.Fragen(CMD_BERICHT);
    EXPECT_EQ(b.belegt, 1 + NET_WARTE_SLOTS);
    EXPECT_EQ(b.mit_team, 1);
    // The joined client plays on, silent or not; the idle ones are closed after their time.
    Net_Kontext_Setzen(gast);
    EXPECT_TRUE(Rundreise());
    for (int32_t sock : still) {
        EXPECT_TRUE(Geschlossen(sock, test::WARTEN_GRENZE_MS + g_server_zeiten.leerlauf_ms));
        Plat_Sock_Close(sock);
    }
    // The joined client stays silent past the idle time by the server's own
    // clock: an idle connection opened after its last call is closed first.
    int32_t zeuge = server.Roh(&willkommen);
    ASSERT_TRUE(willkommen);
    EXPECT_TRUE(Geschlossen(zeuge, test::WARTEN_GRENZE_MS + g_server_zeiten.leerlauf_ms));
    Plat_Sock_Close(zeuge);
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

using test::Argumente;
using test::Bits;
using test::Transfer;

struct Anfrage {
    const char* name;
    int32_t id;
    std::vector<uint8_t> argumente;
};

// Every request that writes or reads a club's private part, naming `team`
// (-1, or a club that is not the requester's); `anderer_spieler` plays for it.
std::vector<Anfrage> Verbotene(int32_t team, int32_t anderer_spieler) {
    std::vector<uint8_t> kit(36, 7), news_kopf(NEWS_KOPF_BYTES, 0), text = {'x', 0};
    std::vector<uint8_t> news_add = Argumente({team, team, -1, int32_t(NEWS_NACHRICHT)});
    news_add.insert(news_add.end(), news_kopf.begin(), news_kopf.end());
    ClubPacker{news_add}.block_mit_laenge(text.data(), text.size());
    std::vector<uint8_t> news_fremd = Argumente({team, GAST, -1, int32_t(NEWS_NACHRICHT)});
    news_fremd.insert(news_fremd.end(), news_kopf.begin(), news_kopf.end());
    ClubPacker{news_fremd}.block_mit_laenge(text.data(), text.size());
    std::vector<Anfrage> a = {
        {"player value", ANFRAGE_SPIELER_WERT, Argumente({SPW_FORM, anderer_spieler, 999, OP_SCHREIBEN})},
        {"team value", ANFRAGE_TEAM_WERT, Argumente({19, team, 77, OP_SCHREIBEN})},
        {"team kit", ANFRAGE_TEAM_ZEIGER, Argumente({700, team}, kit, true)},
        {"manager icon", ANFRAGE_MANAGER_ICON, Argumente({team, 5, 9, 0})},
        {"news add", ANFRAGE_NEWS_HINZUFUEGEN, news_add},
        {"news add to the guest", ANFRAGE_NEWS_HINZUFUEGEN, news_fremd},
        {"bank payout", ANFRAGE_BANK_AUSZAHLUNG, Argumente({team, -1, 1000, 31, 1, -1})},
        {"bank payout in", ANFRAGE_BANK_AUSZAHLUNG, Argumente({-1, GAST, 1000, 31, 1, -1})},
        {"bank loan", ANFRAGE_BANK_KREDIT, Argumente({Bits(100000.0f), Bits(-1.0f), -1, team, 12, 0})},
        {"stadium", ANFRAGE_STADION_AENDERN, Argumente({team, 0, 50, 1000, 10})},
        {"advertising", ANFRAGE_WERBUNG, Argumente({team, 1, 1, 1})},
        {"transfer", ANFRAGE_TRANSFER, Transfer(team, 0, anderer_spieler, -1, team, 0.0f)},
    };
    for (uint32_t id = 1; id <= 4; ++id)
        for (int32_t modus : {NEWS_SET_LOESCHEN, 1})
            a.push_back({"news set", ANFRAGE_NEWS_SETZEN, Argumente({int32_t(id), team, -1, modus})});
    return a;
}

// Reads of a club's private part, naming `team`: each answers an empty block
// (the news: only its end).
std::vector<Anfrage> Private_Lesungen(int32_t team) {
    return {
        {"club players", ANFRAGE_SPIELER_TEAM, Argumente({team})},
        {"team own", ANFRAGE_TEAM_OWN, Argumente({team})},
        {"manager record", ANFRAGE_MANAGER_RECORD, Argumente({team})},
        {"news", ANFRAGE_NEWS_HOLEN, Argumente({}, std::vector<uint8_t>(4, 0), true)},
    };
}

// The request's answer; an empty vector when the server did not answer.
std::vector<uint8_t> Senden(const Anfrage& a) {
    std::vector<uint8_t> antwort;
    if (!Club_Client_Lesen(a.id, "vC<=0C<=0", a.argumente, antwort)) antwort.clear();
    return antwort;
}

int32_t Wort(const std::vector<uint8_t>& d, size_t pos = 0) {
    int32_t w = -99;
    if (d.size() >= pos + 4) std::memcpy(&w, d.data() + pos, 4);
    return w;
}

// The players' list (request 1043) asked by a client of the game: the
// answer after its length, empty when there was none. With `vorab` the
// request is sent ahead first and the answer taken from there.
std::vector<uint8_t> Spielerliste(uint32_t stand, size_t mehr = 0, bool vorab = false) {
    std::vector<uint8_t> a, antwort;
    ClubPacker{a}.i32(int32_t(stand));
    a.resize(a.size() + mehr, 0xEE);
    if (vorab) Club_Client_Vorab(ANFRAGE_SPIELER_ABGLEICH, a);
    if (!Club_Client_Lesen(ANFRAGE_SPIELER_ABGLEICH, "", a, antwort) || antwort.size() < 4 + 16) return {};
    if (vorab) Internet_Client_Vorab_Ende();
    return std::vector<uint8_t>(antwort.begin() + 4, antwort.end());
}

// A connection that has not joined asks for the players' list again and
// again, in every form it can (version 0, a version it never held, bytes
// beyond the version, sent ahead): it gets the list once, every other answer
// is the 16 bytes of "unchanged". Joined, it gets records only while its copy
// is out of date. The bytes it received are printed for the record.
TEST_F(FeindlicheClients, AConnectionThatHasNotJoinedGetsThePlayersListOnce) {
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    bool ok = false;
    server.Client(&ok);
    ASSERT_TRUE(ok);
    const uint64_t vorher = Net_Zaehler_Lesen().empfangen;
    constexpr int ANFRAGEN = 40;
    int mit_spielern = 0;
    size_t liste = 0;
    Abgleich_Client kopie;
    for (int i = 0; i < ANFRAGEN; ++i) {
        const std::vector<uint8_t> a = Spielerliste(i % 7 == 3 ? 0x5EEDu + uint32_t(i) : 0, i % 5 == 4 ? 40 : 0, i % 6 == 5);
        ASSERT_FALSE(a.empty()) << i;
        if (Wort(a, 4) == int32_t(ABGLEICH_UNVERAENDERT)) {
            EXPECT_EQ(a.size(), 16u) << i;
            continue;
        }
        ++mit_spielern;
        liste = a.size();
        ASSERT_TRUE(kopie.Nehmen(a.data(), a.size()));
    }
    const uint64_t bytes = Net_Zaehler_Lesen().empfangen - vorher;
    std::printf("players' list: %d requests of a connection that has not joined: %llu bytes received, list %zu bytes\n",
                ANFRAGEN, static_cast<unsigned long long>(bytes), liste);
    EXPECT_EQ(mit_spielern, 1);
    EXPECT_LT(bytes, liste + ANFRAGEN * 256);
    // Its own copy is still "unchanged" to it.
    std::vector<uint8_t> a = Spielerliste(kopie.stand);
    EXPECT_TRUE(kopie.Nehmen(a.data(), a.size()));

    ASSERT_EQ(server.Fragen(CMD_BEITRETEN).ergebnis, 1);
    a = Spielerliste(kopie.stand);
    EXPECT_EQ(a.size(), 16u) << "a joined client with a current copy";
    EXPECT_TRUE(kopie.Nehmen(a.data(), a.size()));
    server.Fragen(CMD_SPIELER_AENDERN);
    a = Spielerliste(kopie.stand);
    EXPECT_EQ(Wort(a, 4), int32_t(ABGLEICH_STUECKE)) << "a joined client with an outdated copy";
    EXPECT_TRUE(kopie.Nehmen(a.data(), a.size()));
    server.Fragen(CMD_SPIELER_AENDERN);
    a = Spielerliste(0);
    EXPECT_EQ(Wort(a, 4), int32_t(ABGLEICH_GANZ)) << "a joined client without a copy";
    Abgleich_Client neu;
    EXPECT_TRUE(neu.Nehmen(a.data(), a.size()));
    EXPECT_EQ(neu.bytes.size(), liste - 16);
}

// One address that connects, asks for the players' list with version 0 and
// closes, again and again, draws its address's stock of lists, not one a
// connection; clients behind that address that join get their read back,
// however many come one after the other. The stock comes back by time too,
// switched off here. The bytes the loop received are printed for the record.
TEST_F(FeindlicheClients, AnAddressThatReconnectsDrawsItsStockOfListsNotOneAConnection) {
    constexpr uint32_t VORRAT = 4;
    Spieler_Abgleich_Adressen_Setzen(VORRAT, 0);   // in the server process, which forks from here
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    // A new connection's players' list: whether it came with records; the
    // bytes the connection received are added to `bytes`.
    uint64_t bytes = 0;
    auto neu_fragen = [&server, &bytes](bool beitreten) {
        bool ok = false;
        server.Client(&ok);
        EXPECT_TRUE(ok);
        Abgleich_Client kopie;
        std::vector<uint8_t> a = Spielerliste(0);
        const bool mit_spielern = !a.empty() && kopie.Nehmen(a.data(), a.size()) && !kopie.bytes.empty();
        if (beitreten && mit_spielern) {
            EXPECT_EQ(server.Fragen(CMD_BEITRETEN).ergebnis, 1);
            a = Spielerliste(kopie.stand);   // the joined client's next fetch
            EXPECT_TRUE(kopie.Nehmen(a.data(), a.size()));
        }
        bytes += Net_Zaehler_Lesen().empfangen;
        Internet_Netzwerk_Stop();
        return mit_spielern;
    };
    for (uint32_t i = 0; i < 3 * VORRAT; ++i) EXPECT_TRUE(neu_fragen(true)) << "client " << i << " choosing a club";
    constexpr int VERBINDUNGEN = 24;
    bytes = 0;
    int mit_spielern = 0;
    for (int i = 0; i < VERBINDUNGEN; ++i) mit_spielern += neu_fragen(false);
    std::printf("players' list: %d connections of one address asking version 0 and closing: %d lists, %llu bytes received\n",
                VERBINDUNGEN, mit_spielern, static_cast<unsigned long long>(bytes));
    EXPECT_EQ(mit_spielern, int(VORRAT));
}

// A joined client whose two answers of one version were lost (sent ahead and
// dropped) still takes the list when it asks a third time, from its
// address's stock, and holds the server's version afterwards.
TEST_F(FeindlicheClients, AJoinedClientThatLostTwoAnswersOfOneVersionStillEndsWithTheList) {
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    ASSERT_TRUE(server.Gast());
    ClubHooks& h = Club_Hooks();
    h.client_read = Club_Client_Lesen;
    h.client_vorab = Club_Client_Vorab;
    h.client_vorab_ende = Internet_Client_Vorab_Ende;
    Abgleich_Client kopie;
    EXPECT_TRUE(kopie.Holen("test", ANFRAGE_SPIELER_ABGLEICH));
    server.Fragen(CMD_SPIELER_AENDERN);
    for (int verloren = 0; verloren < 2; ++verloren) {
        EXPECT_TRUE(kopie.Vorab(ANFRAGE_SPIELER_ABGLEICH));
        Internet_Client_Vorab_Ende();   // its answer is dropped when it comes
    }
    EXPECT_TRUE(kopie.Holen("test", ANFRAGE_SPIELER_ABGLEICH));
    h = ClubHooks{};
    // Its copy is the server's newest: "unchanged", and the copy takes it.
    const std::vector<uint8_t> a = Spielerliste(kopie.stand);
    EXPECT_EQ(a.size(), 16u);
    EXPECT_TRUE(kopie.Nehmen(a.data(), a.size()));
    EXPECT_FALSE(kopie.bytes.empty());
}

TEST_F(FeindlicheClients, EveryHandlerRefusesASlotWithoutTeamAndAForeignClub) {
    Serverprozess server(Umfang::VOLL);
    ASSERT_NE(server.port, 0);
    bool ok = false;
    server.Client(&ok);
    ASSERT_TRUE(ok);
    int64_t vorher = server.Fragen(CMD_BERICHT).pruefsumme;
    struct Fall {
        const char* wer;
        int32_t team;      // named in the requests
        bool beitreten;    // the slot holds the guest's club first
    } faelle[] = {{"no team, team -1", -1, false}, {"no team, another club", ANDERER, false},
                  {"no team, the guest's club", GAST, false}, {"guest, another club", ANDERER, true}};
    for (const Fall& f : faelle) {
        if (f.beitreten) {
            ASSERT_EQ(server.Fragen(CMD_BEITRETEN).ergebnis, 1);
        }
        int32_t spieler = f.team == GAST ? GAST_SPIELER : ANDERER_SPIELER;
        for (const Anfrage& a : Verbotene(f.team, spieler)) {
            // A joined guest may write news to itself, and a wrong sender earns it a note.
            const bool eigene_news = f.beitreten && a.id == ANFRAGE_NEWS_HINZUFUEGEN;
            std::vector<uint8_t> antwort = Senden(a);
            if (!antwort.empty() && a.id != ANFRAGE_NEWS_SETZEN && a.id != ANFRAGE_WERBUNG &&
                !(eigene_news && std::string(a.name) == "news add to the guest")) {
                EXPECT_EQ(Wort(antwort), 0) << f.wer << ": " << a.name;
            }
            if (eigene_news) vorher = server.Fragen(CMD_BERICHT).pruefsumme;
            EXPECT_EQ(server.Fragen(CMD_BERICHT).pruefsumme, vorher) << f.wer << ": " << a.name;
        }
        for (const Anfrage& a : Private_Lesungen(f.team)) {
            std::vector<uint8_t> antwort = Senden(a);
            if (antwort.empty()) continue;   // refused as malformed: no answer at all
            EXPECT_EQ(Wort(antwort), a.id == ANFRAGE_NEWS_HOLEN ? 4 : 0) << f.wer << ": " << a.name;
        }
        for (int32_t id : {ANFRAGE_BANK_KONTO, ANFRAGE_BANK_BUCHUNGEN}) {
            std::vector<uint8_t> antwort = Senden({"bank", id, Argumente({f.team})});
            size_t erste = id == ANFRAGE_BANK_KONTO ? 8 : 0;   // after the result and the loan block's length
            ASSERT_GT(antwort.size(), erste) << f.wer << ": " << id;
            EXPECT_EQ(std::vector<uint8_t>(antwort.begin() + ptrdiff_t(erste), antwort.end()),
                      std::vector<uint8_t>(antwort.size() - erste, 0))
                << f.wer << ": " << id;
        }
    }
}

TEST_F(FeindlicheClients, TransfersAndPayoutsAreTheOnesTheServerDecides) {
    Serverprozess server(Umfang::VOLL);
    ASSERT_NE(server.port, 0);
    ASSERT_TRUE(server.Gast());
    const int32_t mindest = server.Fragen(CMD_MINDESTPREIS).ergebnis;
    ASSERT_GE(mindest, 20000) << "a market player worth something";
    const int64_t vorher = server.Fragen(CMD_BERICHT).pruefsumme;
    const float unter = float(mindest - 10000);
    std::vector<Anfrage> verboten = {
        {"swap with another human at price 0", ANFRAGE_TRANSFER,
         Transfer(GAST, ANDERER, GAST_SPIELER, ANDERER_SPIELER, GAST, 0.0f)},
        {"purchase from another human", ANFRAGE_TRANSFER,
         Transfer(GAST, ANDERER, GAST_SPIELER, ANDERER_SPIELER, GAST, 50000000.0f)},
        {"purchase below market value", ANFRAGE_TRANSFER,
         Transfer(GAST, 0, GAST_SPIELER, MARKT_SPIELER, GAST, unter)},
        {"purchase without an own player", ANFRAGE_TRANSFER, Transfer(GAST, 0, -1, MARKT_SPIELER, GAST, 1e9f)},
        {"purchase beyond the balance", ANFRAGE_TRANSFER, Transfer(GAST, 0, GAST_SPIELER, MARKT_SPIELER, GAST, 2e9f)},
        {"purchase at a price of NaN", ANFRAGE_TRANSFER,
         Transfer(GAST, 0, GAST_SPIELER, MARKT_SPIELER, GAST, std::numeric_limits<float>::quiet_NaN())},
        {"release with a player from the market", ANFRAGE_TRANSFER,
         Transfer(GAST, 0, GAST_SPIELER, MARKT_SPIELER, GAST, 0.0f)},
        {"release to another club", ANFRAGE_TRANSFER, Transfer(GAST, ZWEIT_KI, GAST_SPIELER, -1, GAST, 0.0f)},
        {"a negative price", ANFRAGE_TRANSFER, Transfer(GAST, 0, GAST_SPIELER, -1, GAST, -1.0f)},
        {"payout to another club", ANFRAGE_BANK_AUSZAHLUNG, Argumente({GAST, ANDERER, 1000000, 31, 1, -1})},
        {"payout beyond the limit, forced", ANFRAGE_BANK_AUSZAHLUNG, Argumente({GAST, -1, 3000004, 31, 1, -1})},
        {"payout of 200,000,000", ANFRAGE_BANK_AUSZAHLUNG, Argumente({GAST, -1, 200000000, 31, 1, -1})},
        {"payout of 1,400,000,000", ANFRAGE_BANK_AUSZAHLUNG, Argumente({GAST, -1, 1400000000, 31, 1, -1})},
    };
    for (const Anfrage& a : verboten) {
        EXPECT_EQ(Wort(Senden(a)), 0) << a.name;
        EXPECT_EQ(server.Fragen(CMD_BERICHT).pruefsumme, vorher) << a.name;
    }
    // The second club a human runs takes nobody on a release.
    ASSERT_EQ(server.Fragen(CMD_ZWEIT_MENSCH).ergebnis, ANDERER);
    int64_t stand = server.Fragen(CMD_BERICHT).pruefsumme;
    EXPECT_EQ(Wort(Senden({"release to a human's club", ANFRAGE_TRANSFER,
                           Transfer(GAST, ANDERER, GAST_SPIELER, ANDERER_SPIELER, GAST, 0.0f)})),
              0);
    EXPECT_EQ(server.Fragen(CMD_BERICHT).pruefsumme, stand);

    server.Fragen(CMD_ZWEIT_MARKT);
    // What the screens send goes through: the negotiated purchase at its lowest price,
    int64_t jetzt = server.Fragen(CMD_BERICHT).pruefsumme;
    EXPECT_EQ(Wort(Senden({"", ANFRAGE_TRANSFER, Transfer(GAST, 0, GAST_SPIELER, MARKT_SPIELER, GAST, float(mindest))})), 1);
    EXPECT_NE(server.Fragen(CMD_BERICHT).pruefsumme, jetzt);
    // the release to the market for nothing,
    jetzt = server.Fragen(CMD_BERICHT).pruefsumme;
    EXPECT_EQ(Wort(Senden({"", ANFRAGE_TRANSFER, Transfer(GAST, 0, GAST_SPIELER + 1, -1, GAST, 0.0f)})), 1);
    EXPECT_NE(server.Fragen(CMD_BERICHT).pruefsumme, jetzt);
    // the release to the computer's second club for its first player of the
    // same kind (player 55: slot 1 of club 5; slot 7 of the guest has that kind), no other.
    ASSERT_EQ(server.Fragen(CMD_ZWEIT_KI).ergebnis, ZWEIT_KI);
    jetzt = server.Fragen(CMD_BERICHT).pruefsumme;
    EXPECT_EQ(Wort(Senden({"", ANFRAGE_TRANSFER, Transfer(GAST, ZWEIT_KI, 18 + 7, 56, GAST, 0.0f)})), 0);
    EXPECT_EQ(server.Fragen(CMD_BERICHT).pruefsumme, jetzt);
    EXPECT_EQ(Wort(Senden({"", ANFRAGE_TRANSFER, Transfer(GAST, ZWEIT_KI, 18 + 7, 55, GAST, 0.0f)})), 1);
    EXPECT_NE(server.Fragen(CMD_BERICHT).pruefsumme, jetzt);
    // and a payout to outside the league, forced or not, up to the balance and not one unit more.
    jetzt = server.Fragen(CMD_BERICHT).pruefsumme;
    EXPECT_EQ(Wort(Senden({"", ANFRAGE_BANK_AUSZAHLUNG, Argumente({GAST, -1, 1000, 31, 1, -1})})), 1);
    EXPECT_NE(server.Fragen(CMD_BERICHT).pruefsumme, jetzt);
    EXPECT_EQ(Wort(Senden({"", ANFRAGE_BANK_AUSZAHLUNG, Argumente({GAST, -1, 1400000000, 31, 1, -1})})), 0);
}

// The requests' packing as docs/protocol.md lists it: id -> fields.
std::map<int32_t, std::string> Dokumentierte_Felder() {
    std::map<int32_t, std::string> felder;
    std::ifstream doku(VELMORA_PROTOKOLL);
    const std::regex zeile(R"re(^\| (\d+) \| "([^"]*)" \|)re");
    std::string z;
    std::smatch m;
    while (std::getline(doku, z))
        if (std::regex_search(z, m, zeile)) felder[std::stoi(m[1].str())] = m[2].str();
    return felder;
}

// True when `d` holds exactly the fields of `felder` ("i", "F4", "C%d", "B").
bool Felder_Passen(const std::string& felder, const std::vector<uint8_t>& d) {
    size_t pos = 0;
    for (size_t i = 0; i < felder.size(); ++i) {
        uint64_t n = 0;
        if (felder[i] == 'i') {
            n = 4;
        } else if (felder[i] == 'F' || felder[i] == 'C') {
            size_t ziffern = 0;
            while (i + 1 < felder.size() && std::isdigit(static_cast<unsigned char>(felder[i + 1])))
                n = n * 10 + uint64_t(felder[++i] - '0'), ++ziffern;
            if (!ziffern) return false;
        } else if (felder[i] == 'B') {
            if (d.size() - pos < 4) return false;
            n = uint32_t(Wort(d, pos));
            pos += 4;
        } else {
            return false;
        }
        if (d.size() - pos < n) return false;
        pos += size_t(n);
    }
    return pos == d.size();
}

TEST_F(Vorlagen, EveryDocumentedRequestInItsDocumentedFormIsAnsweredAsDocumented) {
    Serverprozess server(Umfang::ALLE);
    ASSERT_NE(server.port, 0);
    ASSERT_TRUE(server.Gast());

    const std::map<int32_t, std::string> doku = Dokumentierte_Felder();
    const std::map<int32_t, std::vector<uint8_t>> anfragen = test::Dokumentierte_Anfragen(GAST, GAST_SPIELER, ANDERER, ZWEIT_KI);
    ASSERT_GE(doku.size(), 30u) << VELMORA_PROTOKOLL;
    for (const auto& [id, felder] : doku) EXPECT_TRUE(anfragen.count(id)) << "documented request " << id << " not sent";
    for (const auto& [id, argumente] : anfragen) {
        auto it = doku.find(id);
        ASSERT_NE(it, doku.end()) << "request " << id << " is not documented";
        const size_t trenner = it->second.find('<');
        ASSERT_NE(trenner, std::string::npos) << id;
        const std::string ein = it->second.substr(0, trenner), aus = it->second.substr(trenner + 1);
        ASSERT_TRUE(Felder_Passen(ein, argumente)) << "the test packs request " << id << " against " << ein;
        std::vector<uint8_t> antwort;
        ASSERT_TRUE(Club_Client_Lesen(id, "", argumente, antwort)) << id;
        EXPECT_TRUE(Felder_Passen(aus, antwort)) << "request " << id << ": " << antwort.size()
                                                 << " answer bytes are not " << aus;
        // The guest's own advertising record is there: its handler answers "done".
        if (id == ANFRAGE_WERBUNG) {
            EXPECT_EQ(Wort(antwort), 1);
        }
    }
}

TEST_F(Vorlagen, ARequestInAnotherFormIsRefusedByTheSwitch) {
    std::vector<uint8_t> gross(64 * 1024 + 4, 0);
    Serverprozess server;
    ASSERT_NE(server.port, 0);
    ASSERT_TRUE(server.Gast());
    uint8_t feld[8] = {};
    Internet_Block block;
    struct Fall {
        const char* wer;
        std::function<int32_t()> senden;
    } faelle[] = {
        {"the ints of the field list as arguments",
         [] { return Internet_Client_Read(ANFRAGE_SPIELER_WERT, "iiiii", 0, 0, 84, GAST_SPIELER, 0, 0); }},
        {"an int result", [&] { return Internet_Client_Read(ANFRAGE_SPIELER_ANZAHL, "iC4C<=0", 0, 0, feld, &block); }},
        {"a fixed answer block", [&] { return Internet_Client_Read(ANFRAGE_SPIELER_ANZAHL, "vC4C<4", 0, 0, feld, feld); }},
        {"no answer block", [&] { return Internet_Client_Read(ANFRAGE_SPIELER_ANZAHL, "vC4", 0, 0, feld); }},
        {"two argument blocks",
         [&] { return Internet_Client_Read(ANFRAGE_SPIELER_ANZAHL, "vC4C4C<=0", 0, 0, feld, feld, &block); }},
        {"an argument block above 64 KB", [&] {
             return Internet_Client_Read(ANFRAGE_SPIELER_ANZAHL, "vC65540C<=0", 0, 0, gross.data(), &block);
         }},
    };
    for (const Fall& f : faelle) {
        test::Log().clear();
        EXPECT_EQ(f.senden(), 0) << f.wer;
        EXPECT_TRUE(test::Log_Enthaelt("Server lehnt Anfrage")) << f.wer;
        if (block.daten) Mem_Free(block.daten);
        block = Internet_Block();
        // The connection stays and the documented form is still answered.
        std::vector<uint8_t> antwort;
        EXPECT_TRUE(Club_Client_Lesen(ANFRAGE_SPIELER_ANZAHL, "", {}, antwort)) << f.wer;
        EXPECT_EQ(antwort.size(), 4u) << f.wer;
    }
}

}  // namespace
}  // namespace velmora
