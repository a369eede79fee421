// tests/season/spiele_test.cpp - the fixtures store: events, cards,
// suspensions, series, statistics, locks, save and load.
#include <algorithm>
#include <cstring>

#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "core/bytes.h"
#include "season/statistik.h"
#include "tests/club/welt.h"
#include "tests/season/season_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t LIGA = 50;

// The club test world (clubs 2-5, 18 players each; club t has players
// (t-2)*18 .. +17, 0-10 starting) in one league.
class SpieleTest : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        WettbewerbBeschreibung liga;
        liga.id = LIGA;
        liga.name = "Liga";
        liga.teams = 4;
        liga.spieltage = 6;
        liga.rueckspiel = 2;
        liga.team_liste = {2, 3, 4, 5};
        liga.gelb_sperre = 3;
        liga.sperre_rot = 2;
        Spiele_Init();
        Wettbewerb_Init({liga});
        Wettbewerb_Spielplan_Erstellen(LIGA);
        spiel = Spiele_Lock(LIGA, 1, 0, 0);
        sp = Spiele_Get_Spiel(spiel, 1);
    }
    void TearDown() override {
        Tabelle_Free();
        Wettbewerb_Free();
        Spiele_Free();
        WeltTest::TearDown();
    }
    int32_t Spieler_Von(int32_t team, int32_t i) { return (team - 2) * 18 + i; }
    Spiel_Lock spiel = 0;
    SpielDatensatz* sp = nullptr;
};

TEST_F(SpieleTest, GoalsCountForTheSideOfBitZero) {
    ASSERT_TRUE(sp);
    EXPECT_LT(sp->tore_heim, 0);
    Spiele_Clear_Tore(spiel);
    ASSERT_TRUE(Spiele_Ereignis_Array(spiel));
    struct Fall {
        uint32_t art;
        int32_t heim, gast;
    };
    const Fall faelle[] = {{6 | EREIGNIS_HEIM, 1, 0},  {6, 1, 1},        {2 | EREIGNIS_HEIM, 1, 1},
                           {6 | 0x200, 1, 2},          {0x2006 | 1, 2, 2}, {EREIGNIS_GELB | 1, 2, 2}};
    for (const Fall& f : faelle) {
        EXPECT_TRUE(Spiel_Ereignis(spiel, f.art, 10, Spieler_Von(sp->heim, 9), -1));
        EXPECT_EQ(sp->tore_heim, f.heim) << std::hex << f.art;
        EXPECT_EQ(sp->tore_gast, f.gast) << std::hex << f.art;
    }
    int32_t cursor = 0;
    const SpielEreignis* e = Spiele_Ereignis_Erstes(spiel, &cursor);
    ASSERT_TRUE(e);
    EXPECT_EQ(uint32_t(e->art), 7u);
    EXPECT_EQ(e->minute, 10);
    EXPECT_EQ(int32_t(e->spieler2), SPIEL_KEIN_SPIELER);
    int32_t n = 1;
    while (Spiele_Ereignis_Naechstes(spiel, &cursor)) ++n;
    EXPECT_EQ(n, 6);
    // Minute -1 takes the game's minute.
    sp->minute = 77;
    Spiel_Ereignis(spiel, EREIGNIS_FOUL, -1, 1, 2);
    EXPECT_EQ(Spiele_Ereignis_Erstes(spiel, &cursor)[6].minute, 77);
}

TEST_F(SpieleTest, EventsBeyondTheLimitAreDroppedButGoalsStillCount) {
    Spiele_Clear_Tore(spiel);
    for (int32_t i = 0; i < SPIEL_EREIGNISSE_MAX; ++i) EXPECT_TRUE(Spiel_Ereignis(spiel, EREIGNIS_FOUL, i % 90, 1, 2));
    EXPECT_FALSE(Spiel_Ereignis(spiel, 6 | EREIGNIS_HEIM, 89, 1, -1));
    EXPECT_FALSE(Spiel_Ereignis(spiel, 6, 90, 1, -1));
    EXPECT_EQ(sp->ereignis_anzahl, SPIEL_EREIGNISSE_MAX);
    EXPECT_EQ(sp->tore_heim, 1);
    EXPECT_EQ(sp->tore_gast, 1);
    EXPECT_TRUE(Log_Enthaelt("Spiel_Ereignis"));
}

TEST_F(SpieleTest, SharedArrayKeepsEveryGamesEventsApart) {
    // Three games of one round fill their blocks in turns.
    Spiel_Lock h[2] = {Spiele_Lock(LIGA, 1, 0, 0), Spiele_Lock(LIGA, 1, 1, 0)};
    for (int32_t i = 0; i < 2; ++i) Spiele_Clear_Tore(h[i]);
    for (int32_t i = 0; i < 40; ++i) Spiel_Ereignis(h[i % 2], EREIGNIS_FOUL, i, i, -1);
    Spiele_Set_Ergebnis(h[0], 0, 0, 1);
    // Later games fill and close many blocks; the array is compacted on the way.
    for (int32_t r = 2; r <= 6; ++r)
        for (int32_t p = 0; p < 2; ++p) {
            Spiel_Lock x = Spiele_Lock(LIGA, r, p, 0);
            Spiele_Clear_Tore(x);
            for (int32_t i = 0; i < 5; ++i) Spiel_Ereignis(x, EREIGNIS_WECHSEL, 60 + i, r * 10 + p, -1);
            Spiele_Set_Ergebnis(x, 0, 0, 1);
            Spiele_Unlock(x);
        }
    Spiele_Set_Ergebnis(h[1], 0, 0, 1);
    for (int32_t k = 0; k < 2; ++k) {
        int32_t c = 0, n = 0;
        for (const SpielEreignis* e = Spiele_Ereignis_Erstes(h[k], &c); e; e = Spiele_Ereignis_Naechstes(h[k], &c)) {
            EXPECT_EQ(e->spieler % 2, k);
            EXPECT_EQ(int32_t(e->minute), int32_t(e->spieler));
            ++n;
        }
        EXPECT_EQ(n, 20);
    }
    EXPECT_LE(Spiele_Ereignis_Feld_Groesse(), 40 + 10 * 5 + SPIEL_EREIGNISSE_MAX);
}

TEST_F(SpieleTest, RedCardSuspendsAndIsCountedDown) {
    int32_t team = sp->heim, p = Spieler_Von(team, 4);
    ASSERT_TRUE(Spieler_Wert(75, p, 0, 0) & 16);
    Spiele_Clear_Tore(spiel);
    Spiel_Ereignis(spiel, EREIGNIS_ROT | EREIGNIS_HEIM | EREIGNIS_FOUL, 30, p, -1);
    EXPECT_FALSE(Spieler_Wert(75, p, 0, 0) & 16);
    EXPECT_TRUE(Spieler_Wert(75, p, 0, 0) & 512);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 8, -1, p, -1, -1), 0x40 | 2);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 6, -1, p, -1, -1), 1);
    // The day of the red card does not count as a game served.
    Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, team, 0);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 8, -1, p, -1, -1), 0x40 | 2);
    for (int32_t rest = 1; rest >= 0; --rest) {
        Spieler_Wert(75, p, 16, 8);
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, team, 1);
        EXPECT_FALSE(Spieler_Wert(75, p, 0, 0) & 16) << "a suspended player does not start";
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, team, 0);
        EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 8, -1, p, -1, -1), rest ? (0x40 | rest) : 0);
    }
    // Another competition knows nothing of it.
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA + 1, 8, -1, p, -1, -1), 0);
}

TEST_F(SpieleTest, BookingsAccumulateAndASecondBookingIsMarked) {
    int32_t team = sp->gast, p = Spieler_Von(team, 7);
    Spiele_Clear_Tore(spiel);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 1, -1, p, -1, -1), -1);
    Spiel_Ereignis(spiel, EREIGNIS_GELB, 12, p, -1);
    // Booked in this game: the next booking is a sending-off.
    EXPECT_TRUE(Spiele_Get_Wettbewerb_Ereignis(LIGA, 1, -1, p, -1, -1) & 128);
    Spiele_Setze_Sperren_Spieler_Vor_Spiel(LIGA, team, 0);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 1, -1, p, -1, -1), -1);
    Spiel_Ereignis(spiel, EREIGNIS_GELB, 50, p, -1);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 8, -1, p, -1, -1), 0);
    Spiel_Ereignis(spiel, EREIGNIS_GELB, 80, p, -1);   // the third booking costs a game here
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 4, -1, p, -1, -1), 3);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 8, -1, p, -1, -1), 0x80 | 1);
    Spiel_Ereignis(spiel, EREIGNIS_GELBROT, 85, p, -1);
    EXPECT_TRUE(Spieler_Wert(75, p, 0, 0) & 256);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 5, -1, p, -1, -1), 1);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 8, -1, p, -1, -1), 0x20 | 2);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 3, -1, p, -1, -1), 0);
}

TEST_F(SpieleTest, SeriesCountsTheRunningStreaks) {
    int32_t team = 2;
    int32_t z[7];
    EXPECT_EQ(Spiele_Serie(-1, team, &z[0], &z[1], &z[2], &z[3], &z[4], &z[5], &z[6], 2), 0);
    // Team 2's games in round order: W 2:0, W 1:0, D 1:1, W 3:1 (all from its view).
    const int32_t ergebnis[][2] = {{2, 0}, {1, 0}, {1, 1}, {3, 1}};
    for (int32_t r = 1; r <= 4; ++r)
        for (int32_t p = 0;; ++p) {
            Spiel_Lock h = Spiele_Lock(LIGA, r, p, 0);
            ASSERT_NE(h, 0);
            const SpielDatensatz* s = Spiele_Get_Spiel(h, 1);
            Spiele_Unlock(h);
            if (s->heim != team && s->gast != team) continue;
            bool heim = s->heim == team;
            Spiele_Set_Ergebnis(h, ergebnis[r - 1][heim ? 0 : 1], ergebnis[r - 1][heim ? 1 : 0], 1);
            break;
        }
    ASSERT_EQ(Spiele_Serie(-1, team, &z[0], &z[1], &z[2], &z[3], &z[4], &z[5], &z[6], 2), 1);
    const int32_t soll[7] = {1, 0, 0, 4, 0, 4, 0};
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(z[i], soll[i]) << i;
    EXPECT_EQ(Spiele_Serie(LIGA, team, nullptr, nullptr, nullptr, &z[3], nullptr, nullptr, nullptr, 2), 1);
    EXPECT_EQ(z[3], 4);
    EXPECT_EQ(Spiele_Serie(LIGA + 1, team, &z[0], nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 2), 0);
    EXPECT_EQ(Spiele_Serie(-1, team, &z[0], nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 3), 0);
}

TEST_F(SpieleTest, ClientAsksTheServerForTheSeries) {
    Spiele_Set_Ergebnis(spiel, 2, 0, 1);
    Club_Hooks().netzwerk_modus = [] { return 1; };
    Club_Hooks().client_read = [](int32_t anfrage, const char* typ, const std::vector<uint8_t>& arg,
                                  std::vector<uint8_t>& antwort) {
        EXPECT_STREQ(typ, "iii<iiiiiiii");
        Club_Hooks().netzwerk_modus = nullptr;   // the server answers from its own data
        bool ok = Spiele_Server_Anfrage(anfrage, arg.data(), arg.size(), antwort);
        Club_Hooks().netzwerk_modus = [] { return 1; };
        return ok;
    };
    int32_t siege = -1;
    EXPECT_EQ(Spiele_Serie(-1, sp->heim, &siege, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), 1);
    EXPECT_EQ(siege, 1);
    Club_Hooks().client_read = nullptr;
    EXPECT_EQ(Spiele_Serie(-1, sp->heim, &siege, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0), 0);
    Club_Hooks() = ClubHooks{};
    std::vector<uint8_t> antwort, arg;
    ClubPacker p{arg};
    for (int32_t v : {LIGA, 1, 0, 0}) p.i32(v);
    ASSERT_TRUE(Spiele_Server_Anfrage(ANFRAGE_SPIELE_SPIEL, arg.data(), arg.size(), antwort));
    ClubLeser l{antwort.data(), antwort.size()};
    size_t n = 0;
    const uint8_t* block = l.block_mit_laenge(&n);
    ASSERT_EQ(n, sizeof(SpielDatensatz));
    EXPECT_EQ(std::memcmp(block, sp, n), 0);
    EXPECT_FALSE(Spiele_Server_Anfrage(ANFRAGE_SPIELE_SPIEL, arg.data(), 8, antwort));
    EXPECT_FALSE(Spiele_Server_Anfrage(999, arg.data(), arg.size(), antwort));
}

TEST_F(SpieleTest, ClientFetchesAGameWithItsEvents) {
    Spiele_Clear_Tore(spiel);
    Spiel_Ereignis(spiel, 6 | 1, 12, 3, 4);
    Spiel_Ereignis(spiel, EREIGNIS_GELB, 40, 20, -1);
    Spiele_Set_Ergebnis(spiel, 1, 0, 1);
    SpielDatensatz server = *sp;
    static std::vector<uint8_t> antwort_server;
    std::vector<uint8_t> arg;
    ClubPacker p{arg};
    for (int32_t v : {LIGA, 1, 0, 0}) p.i32(v);
    antwort_server.clear();
    ASSERT_TRUE(Spiele_Server_Anfrage(ANFRAGE_SPIELE_SPIEL, arg.data(), arg.size(), antwort_server));
    // The client's store starts empty and takes the server's answer.
    Spiele_Init();
    Club_Hooks().client_read = [](int32_t anfrage, const char*, const std::vector<uint8_t>&,
                                  std::vector<uint8_t>& antwort) {
        antwort = antwort_server;
        return anfrage == ANFRAGE_SPIELE_SPIEL;
    };
    Spiel_Lock h = Spiele_Client_Holen(LIGA, 1, 0, 0);
    ASSERT_NE(h, 0);
    const SpielDatensatz* s = Spiele_Get_Spiel(h, 1);
    EXPECT_EQ(s->heim, server.heim);
    EXPECT_EQ(s->tore_heim, 1);
    EXPECT_EQ(s->ereignis_anzahl, 2);
    int32_t c = 0;
    const SpielEreignis* e = Spiele_Ereignis_Erstes(h, &c);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->minute, 12);
    EXPECT_EQ(int32_t(Spiele_Ereignis_Naechstes(h, &c)->spieler), 20);
    // Fetched twice: one game, the newest copy.
    EXPECT_EQ(Spiele_Client_Holen(LIGA, 1, 0, 0), h);
    EXPECT_EQ(Spiele_Anzahl(), 1);
    // A wrong or cut answer is refused.
    antwort_server.resize(antwort_server.size() - 3);
    EXPECT_EQ(Spiele_Client_Holen(LIGA, 1, 0, 0), 0);
    EXPECT_EQ(Spiele_Client_Holen(LIGA, 2, 0, 0), 0);
    Club_Hooks() = ClubHooks{};
}

// A client's own draw of the fixtures names other pairings than the server's:
// the whole store is taken from the server, and with it the next opponent the
// main screen shows. A damaged answer or none keeps the store.
TEST_F(SpieleTest, AClientTakesTheServersWholeStoreAndWithItTheNextOpponent) {
    const int32_t team = sp->heim;
    Spiele_Clear_Tore(spiel);
    Spiel_Ereignis(spiel, 6 | 1, 30, Spieler_Von(team, 0), -1);
    Spiele_Set_Ergebnis(spiel, 1, 0, 1);
    int32_t gegner_server = -1, w = -1;
    Spiel_Lock naechstes = Statistik_Spiele_Von_Team(team, -1, -1, &gegner_server, &w, nullptr);
    ASSERT_NE(naechstes, 0);
    Spiele_Unlock(naechstes);
    const int32_t anzahl = Spiele_Anzahl();
    static std::vector<uint8_t> antwort_server;
    antwort_server.clear();
    ASSERT_TRUE(Spiele_Server_Anfrage(ANFRAGE_SPIELE_ALLE, nullptr, 0, antwort_server));
    // Fetched again, the store travels as far as it changed: whole to a
    // client without a copy, a few bytes while unchanged, one piece after a
    // result.
    std::vector<uint8_t> block;
    Spiele_Save(block);
    const auto abgleich = [](uint32_t version, std::vector<uint8_t>& a) {
        std::vector<uint8_t> arg(4);
        std::memcpy(arg.data(), &version, 4);
        a.clear();
        return Spiele_Server_Anfrage(ANFRAGE_SPIELE_ABGLEICH, arg.data(), arg.size(), a) && a.size() >= 20;
    };
    std::vector<uint8_t> a;
    ASSERT_TRUE(abgleich(0, a));
    ASSERT_EQ(a.size(), 20 + block.size());
    EXPECT_TRUE(std::equal(block.begin(), block.end(), a.begin() + 20));
    uint32_t version = 0;
    std::memcpy(&version, a.data() + 4, 4);
    ASSERT_TRUE(abgleich(version, a));
    EXPECT_EQ(a.size(), 20u);
    Spiele_Set_Ergebnis(spiel, 2, 0, 1);
    ASSERT_TRUE(abgleich(version, a));
    EXPECT_LE(a.size(), 20u + 8 + 2 * ABGLEICH_RASTER) << "of " << block.size();
    Spiele_Set_Ergebnis(spiel, 1, 0, 1);

    // The client drew its own first round: the club meets another side.
    Spiele_Init();
    int32_t anderer = -1;
    for (int32_t t : {2, 3, 4, 5})
        if (t != team && t != gegner_server) anderer = t;
    ASSERT_GE(Spiele_Neu(LIGA, 1, 0, 0, team, anderer), 0);
    int32_t gegner = -1;
    Spiele_Unlock(Statistik_Spiele_Von_Team(team, -1, -1, &gegner, &w, nullptr));
    ASSERT_EQ(gegner, anderer);

    // The server's answer as the client receives it: its store as far as it
    // changed since the version the client names.
    constexpr auto server = [](int32_t anfrage, const char*, const std::vector<uint8_t>& arg,
                               std::vector<uint8_t>& antwort) {
        static Abgleich_Server fassungen(500);
        uint32_t version = 0;
        if (arg.size() == 4) std::memcpy(&version, arg.data(), 4);
        const std::vector<uint8_t> stand(antwort_server.begin() + (antwort_server.size() >= 4 ? 4 : 0),
                                         antwort_server.end());
        std::vector<uint8_t> inhalt;
        fassungen.Antworten(stand, version, inhalt);
        antwort.assign(4, 0);
        const uint32_t laenge = uint32_t(inhalt.size());
        std::memcpy(antwort.data(), &laenge, 4);
        antwort.insert(antwort.end(), inhalt.begin(), inhalt.end());
        return anfrage == ANFRAGE_SPIELE_ABGLEICH;
    };
    Club_Hooks().client_read = server;
    ASSERT_TRUE(Spiele_Client_Alle_Holen());
    EXPECT_EQ(Spiele_Anzahl(), anzahl);
    Spiele_Unlock(Statistik_Spiele_Von_Team(team, -1, -1, &gegner, &w, nullptr));
    EXPECT_EQ(gegner, gegner_server);
    const Spiel_Lock erstes = Spiele_Lock(LIGA, 1, 0, 0);
    ASSERT_NE(erstes, 0);
    EXPECT_EQ(Spiele_Get_Spiel(erstes, 0)->tore_heim, 1) << "the server's result";
    int32_t c = 0;
    ASSERT_NE(Spiele_Ereignis_Erstes(erstes, &c), nullptr) << "with its events";
    Spiele_Unlock(erstes);

    // A damaged store, then no answer: refused, the fetched store stays.
    antwort_server.resize(antwort_server.size() - 5);
    EXPECT_FALSE(Spiele_Client_Alle_Holen());
    Club_Hooks().client_read = nullptr;
    EXPECT_FALSE(Spiele_Client_Alle_Holen());
    EXPECT_EQ(Spiele_Anzahl(), anzahl);
    Club_Hooks() = ClubHooks{};
    // A server without a game answers an empty block, which the client refuses.
    Spiele_Free();
    antwort_server.clear();
    ASSERT_TRUE(Spiele_Server_Anfrage(ANFRAGE_SPIELE_ALLE, nullptr, 0, antwort_server));
    EXPECT_EQ(antwort_server.size(), 4u);
    Spiele_Init();
    Club_Hooks().client_read = server;
    EXPECT_FALSE(Spiele_Client_Alle_Holen());
    Club_Hooks() = ClubHooks{};
}

TEST_F(SpieleTest, StatisticsCountScorersButNotOwnGoals) {
    Spiele_Clear_Tore(spiel);
    Spiel_Ereignis(spiel, 6 | 1, 5, 3, 4);
    Spiel_Ereignis(spiel, 6 | 1, 15, 3, -1);
    Spiel_Ereignis(spiel, 6 | 0x200, 25, 3, -1);
    Spiel_Ereignis(spiel, EREIGNIS_GELB, 35, 4, -1);
    int32_t tore[100];
    int32_t liga = LIGA;
    EXPECT_EQ(Spiele_Get_Statistik(&liga, 1, 6, tore, 100), 2);
    EXPECT_EQ(tore[3], 2);
    EXPECT_EQ(tore[4], 0);
    EXPECT_EQ(Spiele_Get_Statistik(&liga, 1, EREIGNIS_GELB, tore, 100), 1);
    EXPECT_EQ(tore[4], 1);
    int32_t andere = LIGA + 1;
    EXPECT_EQ(Spiele_Get_Statistik(&andere, 1, 6, tore, 100), 0);
}

TEST_F(SpieleTest, LocksAreCountedAndBlockRemoval) {
    EXPECT_EQ(Spiele_Locks(spiel), 1);
    Spiel_Lock zweit = Spiele_Lock(LIGA, 1, 0, 0);
    EXPECT_EQ(zweit, spiel);
    EXPECT_EQ(Spiele_Locks(spiel), 2);
    EXPECT_FALSE(Spiele_Loeschen_Wettbewerb(LIGA));
    Spiele_Unlock(spiel);
    Spiele_Unlock(spiel);
    EXPECT_EQ(Spiele_Locks(spiel), 0);
    Spiele_Lock(LIGA, 2, 0, 0);
    Spiele_Lock_Alle();
    EXPECT_TRUE(Spiele_Loeschen_Wettbewerb(LIGA));
    EXPECT_EQ(Spiele_Anzahl(), 0);
    EXPECT_EQ(Spiele_Lock(LIGA, 1, 0, 0), 0);
    EXPECT_EQ(Spiele_Get_Spiel(999, 0), nullptr);
    EXPECT_EQ(Spiele_Neu(LIGA, 1, 0, 0, 2, 3), 0);
    EXPECT_EQ(Spiele_Neu(LIGA, 1, 0, 0, 4, 5), -1);
    EXPECT_EQ(Spiele_Neu(-1, 1, 0, 0, 4, 5), -1);
}

// Removing a competition's games numbers the others anew: each is still found
// by its coordinates, the removed one's coordinates and cards are gone, the
// other's cards stay, and the store saves and loads as before.
TEST_F(SpieleTest, RemovingACompetitionRenumbersTheOthersAndDropsItsCards) {
    constexpr int32_t POKAL = 60;
    const int32_t paarungen[][4] = {{1, 0, 2, 5}, {1, 1, 3, 4}, {2, 0, 4, 2}};   // round, pairing, home, away
    for (const auto& p : paarungen) ASSERT_GE(Spiele_Neu(POKAL, p[0], p[1], 0, p[2], p[3]), 0);
    const int32_t liga_spieler = Spieler_Von(sp->heim, 4), pokal_spieler = Spieler_Von(5, 6);
    Spiel_Ereignis(spiel, EREIGNIS_ROT, 30, liga_spieler, -1);
    Spiel_Lock pokal = Spiele_Lock(POKAL, 1, 0, 0);
    Spiel_Ereignis(pokal, EREIGNIS_GELB, 12, pokal_spieler, -1);
    Spiele_Unlock(pokal);
    Spiele_Unlock(spiel);
    ASSERT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 6, -1, liga_spieler, -1, -1), 1);
    ASSERT_TRUE(Spiele_Loeschen_Wettbewerb(LIGA));
    EXPECT_EQ(Spiele_Anzahl(), 3);
    for (const auto& p : paarungen) {
        Spiel_Lock h = Spiele_Lock(POKAL, p[0], p[1], 0);
        const SpielDatensatz* d = Spiele_Get_Spiel(h, 0);
        ASSERT_NE(d, nullptr) << p[0] << "/" << p[1];
        EXPECT_EQ(d->heim, p[2]);
        EXPECT_EQ(d->gast, p[3]);
        Spiele_Unlock(h);
    }
    EXPECT_EQ(Spiele_Lock(LIGA, 1, 0, 0), 0);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 6, -1, liga_spieler, -1, -1), 0);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(POKAL, 4, -1, pokal_spieler, -1, -1), 1);
    EXPECT_EQ(Spiele_Neu(LIGA, 1, 0, 0, 2, 3), 3);   // the coordinates are free again
    std::vector<uint8_t> vorher, nachher;
    Spiele_Save(vorher);
    ASSERT_TRUE(Spiele_Load(vorher.data(), vorher.size()));
    Spiele_Save(nachher);
    EXPECT_EQ(nachher, vorher);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(POKAL, 4, -1, pokal_spieler, -1, -1), 1);
    ASSERT_TRUE(Spiele_Loeschen_Wettbewerb(POKAL));
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(POKAL, 4, -1, pokal_spieler, -1, -1), 0);
    EXPECT_EQ(Spiele_Anzahl(), 1);
    spiel = 0;
}

// The walk over the whole store sees the games Spiele_Nummer numbers, as
// games are added, a competition is removed and the store is emptied.
TEST_F(SpieleTest, TheWholeStoreWalkSeesEveryGameByItsNumber) {
    constexpr int32_t POKAL = 60;
    auto pruefen = [](const char* wann) {
        int32_t anzahl = -1;
        const SpielDatensatz* alle = Spiele_Alle(&anzahl);
        ASSERT_EQ(anzahl, Spiele_Anzahl()) << wann;
        for (int32_t i = 0; i < anzahl; ++i) EXPECT_EQ(&alle[i], Spiele_Nummer(i)) << wann << ", game " << i;
        EXPECT_EQ(Spiele_Nummer(anzahl), nullptr) << wann;
    };
    Spiele_Unlock(spiel);
    spiel = 0;
    pruefen("league drawn");
    ASSERT_GE(Spiele_Neu(POKAL, 1, 0, 0, 2, 5), 0);
    ASSERT_GE(Spiele_Neu(POKAL, 1, 1, 0, -1, 4), 0);
    pruefen("cup added");
    ASSERT_TRUE(Spiele_Loeschen_Wettbewerb(LIGA));
    pruefen("league removed");
    int32_t zwei = 0;
    const SpielDatensatz* pokal = Spiele_Alle(&zwei);
    ASSERT_EQ(zwei, 2);
    EXPECT_EQ(pokal[0].wettbewerb, POKAL);
    EXPECT_EQ(pokal[1].gast, 4);
    Spiele_Free();
    int32_t leer = -1;
    EXPECT_EQ(Spiele_Alle(&leer), nullptr);
    EXPECT_EQ(leer, 0);
}

// Before a match every suspended player of the squad is marked, in his
// competition only: a player suspended in two competitions, neighbours
// without a card, after a save and load and after a competition is removed.
TEST_F(SpieleTest, EverySuspendedPlayerOfTheSquadIsMarkedBeforeTheMatch) {
    constexpr int32_t POKAL = 60, POKAL2 = 61;
    ASSERT_GE(Spiele_Neu(POKAL, 1, 0, 0, 2, 5), 0);
    ASSERT_GE(Spiele_Neu(POKAL2, 1, 0, 0, 5, 3), 0);
    struct Karte {
        int32_t wettbewerb, spieler;
    } karten[] = {{POKAL, Spieler_Von(5, 9)},  {POKAL, Spieler_Von(5, 10)}, {POKAL, Spieler_Von(2, 0)},
                  {POKAL2, Spieler_Von(5, 0)}, {POKAL2, Spieler_Von(5, 9)}, {POKAL2, Spieler_Von(5, 17)}};
    for (const Karte& k : karten) {
        Spiel_Lock h = Spiele_Lock(k.wettbewerb, 1, 0, 0);
        Spiel_Ereignis(h, EREIGNIS_ROT, 30, k.spieler, -1);
        Spiele_Unlock(h);
    }
    auto gesperrt = [&](int32_t w, int32_t team) {
        std::vector<int32_t> aus;
        for (int32_t i = 0; i < 18; ++i) Spieler_Wert(75, Spieler_Von(team, i), 16, 8);
        Spiele_Setze_Sperren_Spieler_Vor_Spiel(w, team, 1);
        for (int32_t i = 0; i < 18; ++i)
            if (!(Spieler_Wert(75, Spieler_Von(team, i), 0, 0) & 16)) aus.push_back(Spieler_Von(team, i));
        return aus;
    };
    struct Fall {
        int32_t wettbewerb, team;
        std::vector<int32_t> gesperrt;
    };
    const std::vector<Fall> faelle = {{POKAL, 5, {Spieler_Von(5, 9), Spieler_Von(5, 10)}},
                                      {POKAL, 2, {Spieler_Von(2, 0)}},
                                      {POKAL2, 5, {Spieler_Von(5, 0), Spieler_Von(5, 9), Spieler_Von(5, 17)}},
                                      {POKAL2, 3, {}},
                                      {LIGA, 5, {}}};
    for (const char* stufe : {"played", "loaded"}) {
        if (std::strcmp(stufe, "loaded") == 0) {
            std::vector<uint8_t> b;
            Spiele_Save(b);
            Spiele_Free();
            Spiele_Init();
            ASSERT_TRUE(Spiele_Load(b.data(), b.size()));
        }
        for (const Fall& f : faelle) EXPECT_EQ(gesperrt(f.wettbewerb, f.team), f.gesperrt) << stufe << " " << f.wettbewerb << "/" << f.team;
    }
    ASSERT_TRUE(Spiele_Loeschen_Wettbewerb(POKAL));
    EXPECT_EQ(gesperrt(POKAL, 5), std::vector<int32_t>{});
    EXPECT_EQ(gesperrt(POKAL2, 5), faelle[2].gesperrt);
    spiel = 0;
}

// The (competition, player) of each card entry in a saved store, in the file's order.
std::vector<std::pair<int32_t, int32_t>> Gespeicherte_Karten(const std::vector<uint8_t>& b) {
    size_t pos = 12;
    const uint32_t spiele = Bytes_Get32(b.data() + pos);
    pos += 4 + size_t(spiele) * sizeof(SpielDatensatz);
    const uint32_t ereignisse = Bytes_Get32(b.data() + pos);
    pos += 4 + size_t(ereignisse) * 9;
    const uint32_t karten = Bytes_Get32(b.data() + pos);
    pos += 4;
    std::vector<std::pair<int32_t, int32_t>> aus;
    for (uint32_t i = 0; i < karten && pos + 12 <= b.size(); ++i, pos += 12)
        aus.emplace_back(int16_t(Bytes_Get16(b.data() + pos)), Bytes_Get16(b.data() + pos + 2));
    return aus;
}

// Card entries are saved in the order of competition and player whatever
// order they came in: an entry made after a save stands in its place at the
// next one, and after a competition is removed the others' are still found.
TEST_F(SpieleTest, CardsAreSavedInTheOrderOfCompetitionAndPlayer) {
    constexpr int32_t POKAL = 60;
    const int32_t heim = sp->heim;   // the record may move when a game is added
    ASSERT_GE(Spiele_Neu(POKAL, 1, 0, 0, 2, 5), 0);
    Spiel_Lock pokal = Spiele_Lock(POKAL, 1, 0, 0);
    Spiel_Ereignis(pokal, EREIGNIS_GELB, 10, Spieler_Von(2, 1), -1);
    for (int32_t i : {9, 5, 3}) Spiel_Ereignis(spiel, EREIGNIS_GELB, 20 + i, Spieler_Von(heim, i), -1);
    std::vector<uint8_t> erst;
    Spiele_Save(erst);
    std::vector<std::pair<int32_t, int32_t>> soll = {{LIGA, Spieler_Von(heim, 3)},
                                                     {LIGA, Spieler_Von(heim, 5)},
                                                     {LIGA, Spieler_Von(heim, 9)},
                                                     {POKAL, Spieler_Von(2, 1)}};
    EXPECT_EQ(Gespeicherte_Karten(erst), soll);
    // Made after the save, in front of the others in both competitions.
    Spiel_Ereignis(spiel, EREIGNIS_GELB, 60, Spieler_Von(heim, 0), -1);
    Spiel_Ereignis(pokal, EREIGNIS_GELB, 61, Spieler_Von(2, 0), -1);
    Spiele_Unlock(pokal);
    std::vector<uint8_t> dann;
    Spiele_Save(dann);
    soll.insert(soll.begin(), {LIGA, Spieler_Von(heim, 0)});
    soll.insert(soll.end() - 1, {POKAL, Spieler_Von(2, 0)});
    EXPECT_EQ(Gespeicherte_Karten(dann), soll);
    ASSERT_TRUE(Spiele_Loeschen_Wettbewerb(POKAL));
    std::vector<uint8_t> ohne;
    Spiele_Save(ohne);
    soll.resize(4);
    EXPECT_EQ(Gespeicherte_Karten(ohne), soll);
    for (int32_t i : {0, 3, 5, 9}) EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 4, -1, Spieler_Von(heim, i), -1, -1), 1) << i;
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(POKAL, 4, -1, Spieler_Von(2, 0), -1, -1), 0);
}

// A saved store with a second entry of one (competition, player) is refused,
// wherever the two stand, and the store in use stays as it was.
TEST_F(SpieleTest, ASecondCardEntryOfOnePlayerIsRefusedOnLoad) {
    const int32_t heim = sp->heim;
    for (int32_t i : {1, 2, 3}) Spiel_Ereignis(spiel, EREIGNIS_GELB, 10 + i, Spieler_Von(heim, i), -1);
    std::vector<uint8_t> gut;
    Spiele_Save(gut);
    ASSERT_EQ(Gespeicherte_Karten(gut).size(), 3u);
    struct Fall {
        int32_t von, nach;   // the card entry copied over another
    } faelle[] = {{0, 1}, {0, 2}, {2, 1}};
    for (const Fall& f : faelle) {
        std::vector<uint8_t> b = gut;
        // The card entries follow the games and the events.
        size_t pos = 12;
        pos += 4 + size_t(Bytes_Get32(b.data() + pos)) * sizeof(SpielDatensatz);
        pos += 4 + size_t(Bytes_Get32(b.data() + pos)) * 9;
        pos += 4;
        std::memcpy(b.data() + pos + 12 * size_t(f.nach), b.data() + pos + 12 * size_t(f.von), 12);
        EXPECT_FALSE(Spiele_Load(b.data(), b.size())) << f.von << "->" << f.nach;
        std::vector<uint8_t> danach;
        Spiele_Save(danach);
        EXPECT_EQ(danach, gut);
    }
    ASSERT_TRUE(Spiele_Load(gut.data(), gut.size()));
    for (int32_t i : {1, 2, 3}) EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 4, -1, Spieler_Von(heim, i), -1, -1), 1) << i;
}

TEST_F(SpieleTest, SaveAndLoadAreByteIdenticalAndRefuseDamage) {
    int32_t rot = Spieler_Von(sp->gast, 2);   // the record moves when the store is loaded
    Spiele_Clear_Tore(spiel);
    Spiel_Ereignis(spiel, 6 | 1, 5, 3, 4);
    Spiel_Ereignis(spiel, EREIGNIS_ROT, 44, rot, -1);
    Spiel_Lock offen = Spiele_Lock(LIGA, 1, 1, 0);
    Spiel_Ereignis(offen, EREIGNIS_GELB, 3, 20, -1);   // still running: a full block
    Spiele_Set_Ergebnis(spiel, 1, 0, 1);
    Tabelle_Schnappschuss(LIGA, 1);
    std::vector<uint8_t> spiele, wettbewerb, tabelle;
    Spiele_Save(spiele);
    Wettbewerb_Save(wettbewerb);
    Tabelle_Save(tabelle);
    ASSERT_TRUE(Spiele_Load(spiele.data(), spiele.size()));
    ASSERT_TRUE(Wettbewerb_Load(wettbewerb.data(), wettbewerb.size()));
    std::vector<uint8_t> spiele2, wettbewerb2;
    Spiele_Save(spiele2);
    Wettbewerb_Save(wettbewerb2);
    EXPECT_EQ(spiele, spiele2);
    EXPECT_EQ(wettbewerb, wettbewerb2);
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(LIGA, 6, -1, rot, -1, -1), 1);
    // Damage: cut, grown, a game pointing outside the events, a foreign record.
    std::vector<std::vector<uint8_t>> kaputt;
    kaputt.emplace_back(spiele.begin(), spiele.end() - 1);
    kaputt.push_back(spiele);
    kaputt.back().push_back(0);
    kaputt.push_back(spiele);
    Bytes_Put32(kaputt.back().data() + 16 + 4, 0x7FFFFF00);   // the first game's event start
    kaputt.push_back(spiele);
    kaputt.back()[0] ^= 1;
    kaputt.push_back(spiele);
    Bytes_Put32(kaputt.back().data() + 12, 0x7FFFFFFF);       // game count
    int32_t vorher = Spiele_Anzahl();
    for (const auto& k : kaputt) EXPECT_FALSE(Spiele_Load(k.data(), k.size()));
    EXPECT_EQ(Spiele_Anzahl(), vorher);
    std::vector<uint8_t> w = wettbewerb;
    w[12] = 7;   // the record's id no longer matches its place
    EXPECT_FALSE(Wettbewerb_Load(w.data(), w.size()));
    w = wettbewerb;
    w.resize(w.size() - 100);
    EXPECT_FALSE(Wettbewerb_Load(w.data(), w.size()));
    EXPECT_TRUE(Wettbewerb_Satz(LIGA) != nullptr);
    EXPECT_FALSE(Spiele_Load(nullptr, 0));
}

}  // namespace
}  // namespace velmora::test
