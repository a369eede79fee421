// The minute signal: packets 250 and 251 between a client and the server.
#include "net/min_signal.h"

#include <gtest/gtest.h>

#include "net_test_hilfe.h"

using namespace velmora;
using namespace velmora::test;

namespace {

struct Spielseite {
    int32_t server_team = -99;
    int32_t server_aufrufe = 0;
    int32_t client_team = -99;
    int32_t client_aufrufe = 0;
    uint32_t client_wert = 0;
};
Spielseite spiel;

void Haken_Setzen() {
    spiel = Spielseite();
    // The server's live match marks the packet (packet and answer are one buffer).
    Net_Hooks().sync_vom_client = [](void* paket, int32_t team) {
        spiel.server_team = team;
        ++spiel.server_aufrufe;
        uint32_t w;
        std::memcpy(&w, static_cast<uint8_t*>(paket) + 12, 4);
        w += 1000;
        std::memcpy(static_cast<uint8_t*>(paket) + 12, &w, 4);
    };
    Net_Hooks().sync_vom_server = [](const void* paket, int32_t team) {
        spiel.client_team = team;
        ++spiel.client_aufrufe;
        std::memcpy(&spiel.client_wert, static_cast<const uint8_t*>(paket) + 12, 4);
    };
}

std::vector<uint8_t> Paket(uint32_t art, uint32_t team, uint32_t minute) {
    std::vector<uint8_t> p(MIN_SIGNAL_GROESSE, 0);
    uint32_t w[4] = {MIN_SIGNAL_MAGIC, art, team, minute};
    std::memcpy(p.data(), w, sizeof(w));
    p.back() = 0xEE;
    return p;
}

NetKontext* Client_Im_Slot(Testnetz& netz, int32_t team) {
    NetKontext* c = netz.Client();
    ImKontext im(netz.server);
    Net_Slot_Team_Setzen(0, team);
    return c;
}

}  // namespace

TEST(MinSignal, PacketGoesToTheServerMatchAndComesBackAs251) {
    Testnetz netz;
    Haken_Setzen();
    NetKontext* c = Client_Im_Slot(netz, 8);
    ImKontext im(c);
    auto p = Paket(MIN_SIGNAL_ART_SYNC, 8, 17);
    ASSERT_TRUE(Net_Client_Signal(Net_Server_Verbindung(), p.data(), p.size()));
    uint8_t puffer[MIN_SIGNAL_GROESSE];
    uint32_t start = Plat_Ms();
    void* antwort = nullptr;
    while (!antwort && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
        Net_Pump();
        Server_Runde();
        antwort = Net_Minute_Receive(Net_Server_Verbindung(), puffer, sizeof(puffer));
    }
    ASSERT_EQ(antwort, puffer);
    EXPECT_EQ(spiel.server_aufrufe, 1);
    EXPECT_EQ(spiel.server_team, 8);
    uint32_t minute;
    std::memcpy(&minute, puffer + 12, 4);
    EXPECT_EQ(minute, 1017u);
    EXPECT_EQ(puffer[MIN_SIGNAL_GROESSE - 1], 0xEE);
    Min_Signal_Empfang(puffer, sizeof(puffer));
    EXPECT_EQ(spiel.client_aufrufe, 1);
    EXPECT_EQ(spiel.client_team, 8);
    EXPECT_EQ(spiel.client_wert, 1017u);
    EXPECT_EQ(Net_Minute_Receive(Net_Server_Verbindung(), puffer, sizeof(puffer)), nullptr);
}

TEST(MinSignal, AnswerArrivingDuringARemoteCallIsQueuedNotTakenAsTheAnswer) {
    Testnetz netz;
    Haken_Setzen();
    ASSERT_TRUE(Internet_Server_Anmelden(1031, "vC<24I<4I<4I<4I<4i", [](Internet_Aufruf& a) {
        std::memset(a.Ergebnis(0, nullptr), 0xAB, 24);
        int32_t wb = 4;
        std::memcpy(a.Ergebnis(1, nullptr), &wb, 4);
        return 0;
    }));
    NetKontext* c = Client_Im_Slot(netz, 2);
    ImKontext im(c);
    Client_Team_Setzen(2);
    auto p = Paket(MIN_SIGNAL_ART_SYNC, 2, 30);
    ASSERT_TRUE(Net_Client_Signal(Net_Server_Verbindung(), p.data(), p.size()));
    uint8_t slot[24] = {};
    int32_t wettbewerb = -1, runde = 0, spieltag = 0, index = 0;
    EXPECT_EQ(Internet_Client_Read(1031, "vC<24I<4I<4I<4I<4i", 0, 0, slot, &wettbewerb, &runde, &spieltag, &index, 2), 1);
    EXPECT_EQ(slot[23], 0xAB);
    EXPECT_EQ(wettbewerb, 4);
    EXPECT_EQ(spiel.server_aufrufe, 1);   // the server took the packet before the request
    EXPECT_EQ(spiel.client_aufrufe, 0);
    Net_Client_Bedienen();
    EXPECT_EQ(spiel.client_aufrufe, 1);
    EXPECT_EQ(spiel.client_wert, 1030u);
    Internet_Server_Abmelden(1031);
}

TEST(MinSignal, MalformedPacketsAreRefused) {
    Testnetz netz;
    Haken_Setzen();
    netz.Client();
    ImKontext im(netz.server);
    struct Fall {
        size_t laenge;
        uint32_t magic;
    } faelle[] = {{MIN_SIGNAL_GROESSE - 1, MIN_SIGNAL_MAGIC}, {100, MIN_SIGNAL_MAGIC}, {0, MIN_SIGNAL_MAGIC},
                  {MIN_SIGNAL_GROESSE + 4, MIN_SIGNAL_MAGIC}, {MIN_SIGNAL_GROESSE, 0xCFCECDCDu}};
    for (const Fall& f : faelle) {
        auto p = Paket(MIN_SIGNAL_ART_SYNC, 0, 1);
        p.resize(f.laenge + 4);
        std::memcpy(p.data(), &f.magic, 4);
        EXPECT_FALSE(Min_Signal_Antwort(0, p.data(), f.laenge)) << f.laenge;
    }
    EXPECT_EQ(spiel.server_aufrufe, 0);
    EXPECT_EQ(Net_Slot(0)->zustand, 1);
    // A packet of another kind is echoed without the match seeing it.
    auto anders = Paket(2, 0, 1);
    EXPECT_TRUE(Min_Signal_Antwort(0, anders.data(), anders.size()));
    EXPECT_EQ(spiel.server_aufrufe, 0);
    EXPECT_FALSE(Min_Signal_Antwort(5, anders.data(), anders.size()));   // unused slot
}

TEST(MinSignal, ClientIgnoresForeignAnswersAndReportsUnsentPackets) {
    Net_Init();
    Haken_Setzen();
    struct Fall {
        uint32_t magic, art;
        size_t laenge;
        int32_t aufrufe;
    } faelle[] = {{MIN_SIGNAL_MAGIC, 1, MIN_SIGNAL_GROESSE, 1},
                  {MIN_SIGNAL_MAGIC, 2, MIN_SIGNAL_GROESSE, 0},
                  {0, 1, MIN_SIGNAL_GROESSE, 0},
                  {MIN_SIGNAL_MAGIC, 1, 64, 0}};
    for (const Fall& f : faelle) {
        spiel.client_aufrufe = 0;
        auto p = Paket(f.art, 6, 1);
        std::memcpy(p.data(), &f.magic, 4);
        Min_Signal_Empfang(p.data(), f.laenge);
        EXPECT_EQ(spiel.client_aufrufe, f.aufrufe);
    }
    NetKontext* k = Net_Kontext_Neu();
    ImKontext im(k);
    Logfaenger log;
    auto p = Paket(1, 0, 0);
    EXPECT_FALSE(Net_Client_Signal(Net_Server_Verbindung(), p.data(), p.size()));
    EXPECT_TRUE(log.Enthaelt("CLIENT_SIGNAL NICHT GESENDET!!!"));
    Net_Kontext_Loeschen(k);
}
