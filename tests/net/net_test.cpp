// Connections, slots, framing and traffic counters on loopback.
#include "net/net.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <tuple>

#include "core/hooks.h"
#include "core/programm.h"
#include "net/internet.h"
#include "platform/sockets.h"
#include "net_test_hilfe.h"

using namespace velmora;
using namespace velmora::test;

namespace {

int32_t Belegte_Slots(NetKontext* server) {
    ImKontext im(server);
    int32_t n = 0;
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i) n += Net_Slot(i)->zustand == 1;
    return n;
}

// A raw connection to the test server, welcomed into a slot.
int32_t Roh_Verbinden(const Testnetz& netz) {
    int32_t sock = Plat_Sock_Connect(netz.adresse, netz.port, 1000);
    Server_Runde();
    return sock;
}

// The tests that fill the places without a club connect from 127.0.0.1
// alone; they let that one address hold all of them.
void Eine_Adresse_Darf_Alle_Warteplaetze(const Testnetz& netz) {
    ImKontext im(netz.server);
    Net_Zeiten_Wert().warte_je_adresse = NET_WARTE_SLOTS;
}

// A raw connection from another loopback address (127.0.0.0/8 is this
// machine's whatever the last octets), welcomed into a slot or turned away.
int32_t Roh_Verbinden_Von(const Testnetz& netz, uint8_t letztes_oktett) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in von{};
    von.sin_family = AF_INET;
    von.sin_addr.s_addr = htonl((127u << 24) | letztes_oktett);
    sockaddr_in an{};
    an.sin_family = AF_INET;
    an.sin_port = htons(netz.port);
    std::memcpy(&an.sin_addr.s_addr, netz.adresse, 4);
    if (bind(fd, reinterpret_cast<sockaddr*>(&von), sizeof von) != 0 ||
        connect(fd, reinterpret_cast<sockaddr*>(&an), sizeof an) != 0) {
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
    Server_Bis([] { return false; }, 50);
    return fd;
}

// True once the server has closed the raw connection (what it sent read away).
bool Roh_Zu(int32_t sock) {
    uint8_t b[64];
    int64_t r;
    while ((r = Plat_Sock_Recv(sock, b, sizeof b)) > 0) {
    }
    return r < 0;
}

}  // namespace

TEST(NetKontext, TheModeIsReadFromTheContextInUseAfterEverySwitch) {
    Net_Init();
    Netzwerk_Modus_Setzen(0);
    NetKontext* a = Net_Kontext_Neu();
    NetKontext* b = Net_Kontext_Neu();
    struct Schritt {
        NetKontext* setzen;   // null: the default context
        int32_t modus;        // written there (-1: only read)
        int32_t erwartet;
    } schritte[] = {{nullptr, -1, 0}, {a, 2, 2}, {nullptr, -1, 0}, {b, 1, 1}, {a, -1, 2}, {b, -1, 1}, {nullptr, 1, 1},
                    {a, -1, 2}, {nullptr, 0, 0}};
    for (const Schritt& s : schritte) {
        Net_Kontext_Setzen(s.setzen);
        if (s.modus >= 0) Netzwerk_Modus_Setzen(s.modus);
        EXPECT_EQ(Netzwerk_Modus(), s.erwartet) << (s.setzen == a ? "a" : s.setzen == b ? "b" : "default");
    }
    // Deleting the context in use returns to the default one.
    Net_Kontext_Setzen(b);
    Net_Kontext_Loeschen(b);
    EXPECT_EQ(Netzwerk_Modus(), 0);
    Net_Kontext_Setzen(a);
    EXPECT_EQ(Netzwerk_Modus(), 2);
    Net_Kontext_Setzen(nullptr);
    Net_Kontext_Loeschen(a);
    EXPECT_EQ(Netzwerk_Modus(), 0);
}

TEST(NetVerbindung, ClientJoinsSlotAndLeavingFreesIt) {
    Testnetz netz;
    ASSERT_NE(netz.port, 0);
    bool ok = false;
    NetKontext* c = netz.Client(&ok);
    ASSERT_TRUE(ok);
    {
        ImKontext im(c);
        EXPECT_EQ(Netzwerk_Modus(), 1);
        EXPECT_GE(Net_Server_Verbindung(), 0);
    }
    EXPECT_EQ(Belegte_Slots(netz.server), 1);
    {
        ImKontext im(netz.server);
        EXPECT_EQ(Net_Slot(0)->team, -1);
        EXPECT_TRUE(Net_Slot_Team_Setzen(0, 17));
        EXPECT_EQ(Net_Slot(0)->team, 17);
        EXPECT_FALSE(Net_Slot_Team_Setzen(1, 3));   // unused slot
        EXPECT_EQ(Net_Slot(NET_SLOTS_GESAMT), nullptr);
    }
    {
        ImKontext im(c);
        Internet_Netzwerk_Stop();
        EXPECT_EQ(Net_Server_Verbindung(), -1);
    }
    EXPECT_TRUE(Server_Bis([&] { return Belegte_Slots(netz.server) == 0; }));
    ImKontext im(netz.server);
    EXPECT_EQ(Net_Slot(0)->team, -1);
}

TEST(NetVerbindung, SeventhClientIsRefusedAndFallsBackToModeZero) {
    Testnetz netz;
    Eine_Adresse_Darf_Alle_Warteplaetze(netz);
    for (int i = 0; i < NET_SLOTS; ++i) {
        bool ok = false;
        netz.Client(&ok);
        ASSERT_TRUE(ok) << "client " << i;
    }
    EXPECT_EQ(Belegte_Slots(netz.server), NET_SLOTS);
    bool ok = true;
    NetKontext* siebter = netz.Client(&ok);
    EXPECT_FALSE(ok);
    ImKontext im(siebter);
    EXPECT_EQ(Netzwerk_Modus(), 0);
    EXPECT_EQ(Net_Server_Verbindung(), -1);
}

TEST(NetVerbindung, StartWithoutListeningServerFallsBackToModeZero) {
    Testnetz netz;
    uint16_t port = netz.port;
    netz.Server_Stoppen();
    NetKontext* c = Net_Kontext_Neu();
    {
        ImKontext im(c);
        Kurze_Zeiten();
        uint32_t a[4] = {127, 0, 0, 1};
        Net_Server_Adresse_Setzen(a);
        Net_Port_Setzen(port);
        Netzwerk_Modus_Setzen(1);
        EXPECT_FALSE(Internet_Netzwerk_Start());
        EXPECT_EQ(Netzwerk_Modus(), 0);
        // An octet left empty on the start screen is not an address.
        uint32_t leer[4] = {127, 0, 0, uint32_t(-1)};
        Net_Server_Adresse_Setzen(leer);
        Netzwerk_Modus_Setzen(1);
        EXPECT_FALSE(Internet_Netzwerk_Start());
        EXPECT_EQ(Netzwerk_Modus(), 0);
    }
    Net_Kontext_Loeschen(c);
}

TEST(NetVerbindung, ServerOnBusyPortFallsBackToModeZero) {
    Testnetz netz;
    NetKontext* zweiter = Net_Kontext_Neu();
    {
        ImKontext im(zweiter);
        uint8_t a[4] = {127, 0, 0, 1};
        Net_Bind_Adresse_Setzen(a);
        Net_Port_Setzen(netz.port);
        Netzwerk_Modus_Setzen(2);
        EXPECT_FALSE(Internet_Netzwerk_Start());
        EXPECT_EQ(Netzwerk_Modus(), 0);
    }
    Net_Kontext_Loeschen(zweiter);
}

TEST(NetVerbindung, AServerWithoutAChosenAddressIsReachedOverLoopback) {
    // Two instances on one machine: the server started from the start screen
    // names no address; a client on the same machine asks 127.0.0.1.
    NetKontext* server = Net_Kontext_Neu();
    uint16_t port = 0;
    {
        ImKontext im(server);
        Net_Bind_Adresse_Setzen(nullptr);
        Net_Port_Setzen(0);
        Netzwerk_Modus_Setzen(2);
        ASSERT_TRUE(Internet_Netzwerk_Start());
        port = Net_Server_Port();
    }
    const uint8_t loopback[4] = {127, 0, 0, 1};
    const int32_t s = Plat_Sock_Connect(loopback, port, 2000);
    EXPECT_GE(s, 0) << "nobody listens on 127.0.0.1:" << port;
    if (s >= 0) Plat_Sock_Close(s);
    Net_Kontext_Loeschen(server);
}

TEST(NetVerbindung, LocalAddressGivesDefaultPortWhenHostResolves) {
    EXPECT_EQ(Net_Init(), 1);
    char name[64] = {};
    uint16_t port = 0;
    uint8_t a[4] = {};
    if (Net_Local_Address(name, sizeof(name), &port, a) == 1) {
        EXPECT_EQ(port, NET_PORT_STANDARD);
        EXPECT_NE(name[0], 0);
    } else {
        EXPECT_EQ(port, 0);   // no host name: nothing is filled in, the program goes on
    }
}

TEST(NetRahmen, SplitAndCoalescedFramesAreReassembled) {
    Testnetz netz;
    int32_t sock = Roh_Verbinden(netz);
    ASSERT_GE(sock, 0);
    ASSERT_EQ(Belegte_Slots(netz.server), 1);
    // Three messages in one write, the second cut into single bytes after it.
    std::vector<uint8_t> strom;
    std::vector<std::vector<uint8_t>> bloecke = {{1, 2, 3}, {}, std::vector<uint8_t>(700, 9), {42}};
    for (size_t i = 0; i < bloecke.size(); ++i) {
        auto r = Rahmen(NET_TYP_ANFRAGE, uint32_t(i + 1), bloecke[i]);
        strom.insert(strom.end(), r.begin(), r.end());
    }
    size_t geteilt = 16 + 3 + 16 + 5;
    ASSERT_TRUE(Roh_Senden(sock, strom.data(), geteilt));
    for (size_t i = geteilt; i < strom.size(); ++i) {
        ASSERT_TRUE(Roh_Senden(sock, &strom[i], 1));
        if (i % 50 == 0) {
            ImKontext im(netz.server);   // receive only; the blocks are read below
            Net_Pump();
        }
    }
    ImKontext im(netz.server);
    for (size_t i = 0; i < bloecke.size(); ++i) {
        Net_Client_Slot* s = Net_Slot(0);
        uint32_t start = Plat_Ms();
        while (!s->neu && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
            Net_Pump();
            Net_Server_Slot_Pump();
        }
        ASSERT_EQ(s->neu, 1) << "message " << i;
        EXPECT_EQ(s->empfangen_folge, i + 1);
        ASSERT_EQ(s->empfangen_laenge, bloecke[i].size());
        if (!bloecke[i].empty())
            EXPECT_EQ(0, std::memcmp(s->empfangen_block, bloecke[i].data(), bloecke[i].size()));
        else
            EXPECT_EQ(s->empfangen_block, nullptr);
        s->neu = 0;   // the dispatcher's part
    }
    Plat_Sock_Close(sock);
}

TEST(NetRahmen, FiftyKilobyteMessageArrivesWholeAndCountersMatch) {
    Testnetz netz;
    // The server takes frames up to its largest registered request.
    ASSERT_TRUE(Internet_Server_Anmelden(1040, "vC60000", [](Internet_Aufruf&) { return 0; }));
    NetKontext* c = netz.Client();
    std::vector<uint8_t> gross(50 * 1024);
    for (size_t i = 0; i < gross.size(); ++i) gross[i] = uint8_t(i * 7 + 3);
    Net_Zaehler c0, s0;
    {
        ImKontext im(c);
        c0 = Net_Zaehler_Lesen();
        ASSERT_TRUE(Net_Senden(Net_Server_Verbindung(), NET_TYP_ANFRAGE, 1, gross.data(), gross.size()));
        ASSERT_TRUE(Net_Senden(Net_Server_Verbindung(), NET_TYP_ANFRAGE, 2, gross.data(), 100));
        Net_Senden_Leeren(1000);
    }
    {
        ImKontext im(netz.server);
        s0 = Net_Zaehler_Lesen();
    }
    ImKontext im(netz.server);
    Net_Client_Slot* s = Net_Slot(0);
    uint32_t start = Plat_Ms();
    while (!s->neu && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
        Net_Pump();
        Net_Server_Slot_Pump();
    }
    ASSERT_EQ(s->neu, 1);
    ASSERT_EQ(s->empfangen_laenge, gross.size());
    EXPECT_EQ(0, std::memcmp(s->empfangen_block, gross.data(), gross.size()));
    Net_Zaehler s1 = Net_Zaehler_Lesen();
    Net_Zaehler c1;
    {
        ImKontext ic(c);
        c1 = Net_Zaehler_Lesen();
    }
    EXPECT_EQ(c1.gesendet - c0.gesendet, gross.size() + 100 + 2 * sizeof(Net_Frame_Kopf));
    EXPECT_EQ(c1.groesster_gesendet, gross.size());
    EXPECT_EQ(s1.empfangen - s0.empfangen, c1.gesendet - c0.gesendet);
    EXPECT_EQ(s1.groesster_empfangen, gross.size());
    Internet_Server_Abmelden(1040);
}

TEST(NetRahmen, ForeignHeaderClosesOnlyThatConnection) {
    Testnetz netz;
    NetKontext* gut = netz.Client();
    int32_t sock = Roh_Verbinden(netz);
    ASSERT_EQ(Belegte_Slots(netz.server), 2);
    Logfaenger log;
    struct Fall {
        uint32_t magic, laenge;
    } faelle[] = {{0x12345678u, 4}, {NET_FRAME_MAGIC, NET_FRAME_MAX + 1}};
    for (const Fall& f : faelle) {
        if (sock < 0) sock = Roh_Verbinden(netz);
        Net_Frame_Kopf kopf{f.magic, NET_TYP_ANFRAGE, f.laenge, 1};
        ASSERT_TRUE(Roh_Senden(sock, reinterpret_cast<uint8_t*>(&kopf), sizeof(kopf)));
        EXPECT_TRUE(Server_Bis([&] { return Belegte_Slots(netz.server) == 1; }));
        uint8_t b;
        EXPECT_TRUE(Server_Bis([&] { return Plat_Sock_Recv(sock, &b, 1) < 0; }));
        Plat_Sock_Close(sock);
        sock = -1;
    }
    EXPECT_TRUE(log.Enthaelt("ungueltiger Rahmen"));
    ImKontext im(gut);
    EXPECT_GE(Net_Server_Verbindung(), 0);
}

TEST(NetRahmen, ClientThatStopsReadingIsDropped) {
    Testnetz netz;
    {
        ImKontext im(netz.server);
        Net_Zeiten_Wert().senden_ms = 150;
    }
    int32_t sock = Roh_Verbinden(netz);
    ASSERT_EQ(Belegte_Slots(netz.server), 1);
    std::vector<uint8_t> block(4u << 20, 0x5A);
    {
        ImKontext im(netz.server);
        for (int i = 0; i < 6; ++i) ASSERT_TRUE(Net_Senden(0, NET_TYP_MIN_ANTWORT, 0, block.data(), block.size()));
    }
    EXPECT_TRUE(Server_Bis([&] { return Belegte_Slots(netz.server) == 0; }));
    Plat_Sock_Close(sock);
}

TEST(NetVerbindung, ProgramEndTellsServerAndClosesAndTheSlotIsFreedUnanswered) {
    Testnetz netz;
    static int32_t aufrufe = 0;
    Internet_Server_Anmelden(1029, "vi", [](Internet_Aufruf&) { return ++aufrufe; });
    NetKontext* c = netz.Client();
    {
        ImKontext im(netz.server);
        Net_Slot_Team_Setzen(0, 23);
    }
    uint64_t empfangen_vorher;
    {
        ImKontext im(netz.server);
        empfangen_vorher = Net_Zaehler_Lesen().empfangen;
    }
    {
        ImKontext im(c);
        Client_Team_Setzen(23);
        Core_Hooks().netz_beenden = Internet_Netzwerk_Stop;   // as the program wires it
        Programm_Beenden();
        Core_Hooks().netz_beenden = nullptr;
        EXPECT_EQ(Net_Server_Verbindung(), -1);
        EXPECT_EQ(Quit_State(), 1);
        Quit_State_Setzen(0);
    }
    // The goodbye (request 1029: header, "vi", team -1) reached the server; the
    // client is gone, so its slot is free at once and nothing is answered.
    EXPECT_TRUE(Server_Bis([&] { return Belegte_Slots(netz.server) == 0; }));
    ImKontext im(netz.server);
    EXPECT_EQ(Net_Zaehler_Lesen().empfangen - empfangen_vorher,
              sizeof(Net_Frame_Kopf) + sizeof(Internet_Block_Kopf) + 2 + 4);
    EXPECT_EQ(aufrufe, 0);
    EXPECT_EQ(Net_Slot(0)->team, -1);
    Internet_Server_Abmelden(1029);
}

TEST(NetPlaetze, SixClubsAtMostAndConnectionsWithoutOneAreClosedWhenSilentOrLate) {
    Testnetz netz;
    {
        ImKontext im(netz.server);
        // Generous while the twelve connect (on a loaded machine that can take
        // seconds); the short times are set once all are in.
        Net_Zeiten_Wert().leerlauf_ms = 60000;
        Net_Zeiten_Wert().beitritt_ms = 60000;
    }
    Eine_Adresse_Darf_Alle_Warteplaetze(netz);
    // Six clients join; six more connect without a club; the next is turned away.
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i) {
        bool ok = false;
        netz.Client(&ok);
        ASSERT_TRUE(ok) << "client " << i;
        ImKontext im(netz.server);
        if (i < NET_SLOTS) {
            EXPECT_TRUE(Net_Slot_Team_Setzen(i, 10 + i));
        }
    }
    bool ok = true;
    netz.Client(&ok);
    EXPECT_FALSE(ok);
    {
        ImKontext im(netz.server);
        EXPECT_FALSE(Net_Slot_Team_Setzen(NET_SLOTS, 40)) << "a seventh club";
        EXPECT_TRUE(Net_Slot_Team_Setzen(0, -1));
        EXPECT_TRUE(Net_Slot_Team_Setzen(NET_SLOTS, 40));
        EXPECT_TRUE(Net_Slot_Team_Setzen(1, 11)) << "a joined slot may change its club";
    }
    // The silent ones without a club go after their time; the six with one stay.
    {
        ImKontext im(netz.server);
        Net_Zeiten_Wert().leerlauf_ms = 300;
        Net_Zeiten_Wert().beitritt_ms = 900;
    }
    EXPECT_TRUE(Server_Bis([&] { return Belegte_Slots(netz.server) == NET_SLOTS; }));
    {
        ImKontext im(netz.server);
        for (int32_t i = 1; i <= NET_SLOTS; ++i) EXPECT_GE(Net_Slot(i)->team, 0) << i;
    }
    // One that sends empty or refused frames is not heard: it goes when
    // silent too long. One that keeps asking a request the server takes, but
    // never joins, goes when its time to join is up. Which rule closed it is
    // read from the server's log, not from a clock: the silent ones' time to
    // join lies far beyond their run, and the asking one's silence limit is
    // thirty times the pause between its requests, so a slow machine cannot
    // mix the two rules up.
    Internet_Server_Anmelden(1040, "vi", [](Internet_Aufruf&) { return 1; });
    const Internet_Block_Kopf kopf{INTERNET_MAGIC_ANFRAGE, 1040, 2, -1};
    std::vector<uint8_t> anfrage(sizeof kopf);
    std::memcpy(anfrage.data(), &kopf, sizeof kopf);
    anfrage.insert(anfrage.end(), {'v', 'i', 0, 0, 0, 0});
    std::vector<uint8_t> unbekannt = anfrage;
    unbekannt[4] = 0x99;   // an id nobody registered: refused
    for (const auto& [was, daten, still] : {std::tuple{"empty", std::vector<uint8_t>{}, true},
                                            std::tuple{"refused", unbekannt, true},
                                            std::tuple{"taken", anfrage, false}}) {
        SCOPED_TRACE(was);
        {
            ImKontext im(netz.server);
            Net_Zeiten_Wert().leerlauf_ms = still ? 300 : 3000;
            Net_Zeiten_Wert().beitritt_ms = still ? 600000 : 9000;
        }
        Logfaenger log;
        int32_t sock = Roh_Verbinden(netz);
        ASSERT_GE(sock, 0);
        ASSERT_EQ(Belegte_Slots(netz.server), NET_SLOTS + 1);
        uint32_t start = Plat_Ms();
        uint8_t b;
        bool zu = false;
        while (!zu && Plat_Ms() - start < 120000) {
            auto r = Rahmen(NET_TYP_ANFRAGE, 1, daten);
            Roh_Senden(sock, r.data(), r.size());
            Server_Bis([] { return false; }, 100);
            while (Plat_Sock_Recv(sock, &b, 1) > 0) {
            }
            zu = Plat_Sock_Recv(sock, &b, 1) < 0;
        }
        EXPECT_TRUE(zu);
        EXPECT_EQ(log.Enthaelt("ohne Anfrage seit"), still) << "closed for its silence";
        EXPECT_EQ(log.Enthaelt("nicht beigetreten"), !still) << "closed when its time to join was up";
        EXPECT_EQ(Belegte_Slots(netz.server), NET_SLOTS);
        Plat_Sock_Close(sock);
    }
    Internet_Server_Abmelden(1040);
}

TEST(NetRahmen, EmptyFramesCountAgainstTheSlotsInputLimit) {
    Testnetz netz;
    int32_t sock = Roh_Verbinden(netz);
    ASSERT_EQ(Belegte_Slots(netz.server), 1);
    // 8 MB of empty requests, read but never handed on: the slot holds at most its limit.
    std::vector<uint8_t> strom;
    for (int i = 0; i < 4096; ++i) {
        auto r = Rahmen(NET_TYP_ANFRAGE, uint32_t(i), {});
        strom.insert(strom.end(), r.begin(), r.end());
    }
    ImKontext im(netz.server);
    size_t pos = 0;
    for (int runde = 0; runde < 4096; ++runde) {
        int64_t r = Plat_Sock_Send(sock, strom.data() + pos, strom.size() - pos);
        if (r < 0) break;
        pos = (pos + size_t(r)) % strom.size();
        Net_Pump();
    }
    EXPECT_EQ(Belegte_Slots(netz.server), 1) << "the stream stayed whole";
    EXPECT_GE(Net_Zaehler_Lesen().empfangen, 1u << 20) << "read up to the limit";
    EXPECT_LE(Net_Zaehler_Lesen().wartend_max, 2u << 20);
    Plat_Sock_Close(sock);
}

// Connections that keep asking a request the server takes but never join
// hold their places up to the time to join (10 minutes). One address holds at
// most two of the six: a machine that opens six cannot keep a client of
// another machine out, and is let in again once one of its own has joined.
TEST(NetPlaetze, OneAddressHoldsAtMostTwoPlacesWithoutAClub) {
    Testnetz netz;
    Internet_Server_Anmelden(1040, "vi", [](Internet_Aufruf&) { return 1; });
    const Internet_Block_Kopf kopf{INTERNET_MAGIC_ANFRAGE, 1040, 2, -1};
    std::vector<uint8_t> anfrage(sizeof kopf);
    std::memcpy(anfrage.data(), &kopf, sizeof kopf);
    anfrage.insert(anfrage.end(), {'v', 'i', 0, 0, 0, 0});
    const auto rahmen = Rahmen(NET_TYP_ANFRAGE, 1, anfrage);

    std::vector<int32_t> fremd;
    for (int i = 0; i < NET_WARTE_SLOTS; ++i) fremd.push_back(Roh_Verbinden_Von(netz, 2));
    for (int runde = 0; runde < 5; ++runde) {
        for (int32_t s : fremd)
            if (s >= 0) Roh_Senden(s, rahmen.data(), rahmen.size());
        Server_Bis([] { return false; }, 50);
    }
    int32_t offen = 0;
    for (int32_t s : fremd) offen += s >= 0 && !Roh_Zu(s);
    EXPECT_EQ(offen, 2) << "connections of 127.0.0.2 kept";
    EXPECT_EQ(Belegte_Slots(netz.server), 2);

    // A client of another address still gets in; a third from 127.0.0.2 not.
    bool ok = false;
    netz.Client(&ok);
    EXPECT_TRUE(ok);
    const int32_t dritter = Roh_Verbinden_Von(netz, 2);
    EXPECT_TRUE(Server_Bis([&] { return Roh_Zu(dritter); }, 2000));
    // Once one of 127.0.0.2's places holds a club, the address may open another.
    // (The two kept took places 0 and 1, the client place 2.)
    {
        ImKontext im(netz.server);
        EXPECT_TRUE(Net_Slot_Team_Setzen(0, 5));
    }
    const int32_t vierter = Roh_Verbinden_Von(netz, 2);
    ASSERT_GE(vierter, 0);
    Server_Bis([] { return false; }, 200);
    EXPECT_FALSE(Roh_Zu(vierter));
    EXPECT_EQ(Belegte_Slots(netz.server), 4);
    for (int32_t s : fremd) close(s);
    close(dritter);
    close(vierter);
    Internet_Server_Abmelden(1040);
}
