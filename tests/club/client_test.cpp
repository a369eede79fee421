// The client rule and the remote calls: a fake network keeps the server's
// world as save blocks; each remote call swaps it in, runs the server's
// handler and swaps the client's world back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>

#include "club/abgleich.h"
#include "club/club_netz.h"
#include "club/team_suche.h"
#include "core/rnd.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;
using test::LogFaenger;

using Welt = test::WeltBloecke;

struct Netz {
    int32_t modus = 0;
    int32_t client_team = -1;
    Welt server;
    int32_t aufrufe = 0;
    bool server_weg = false;
    std::map<int32_t, size_t> groesse;   // the last answer's size per request
};
Netz netz;

// Runs `tun` in the server's world, as the server would, and keeps what it changed there.
template <class F>
void Auf_Dem_Server(F tun) {
    Welt client;
    client.sichern();
    netz.server.laden();
    netz.modus = 2;
    tun();
    netz.server.sichern();
    client.laden();
    netz.modus = 1;
}

bool Fake_Client_Read(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente,
                      std::vector<uint8_t>& antwort) {
    if (netz.server_weg) return false;
    ++netz.aufrufe;
    bool ok = false;
    Auf_Dem_Server([&] {
        if (anfrage == ANFRAGE_STARTTEAMS || anfrage == ANFRAGE_STARTTEAMS_ABGLEICH) Team_Startteams_Fuellen();
        ok = Club_Server_Anfrage(anfrage, netz.client_team, argumente.data(), argumente.size(), antwort);
        netz.groesse[anfrage] = antwort.size();
    });
    return ok;
}

class ClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        Rnd_Init();
        netz = Netz{};
        test::Welt_Bauen(4, 18);
        Manager_Neuer_Mitspieler(3, "Gast", -1);
        Team_Wert(7, 3, TEAM_STATUS_CLIENT, OP_SETZEN);
        for (int32_t p = 0; p < Spieler_Anzahl(); ++p)
            static_cast<SpielerClientEgal*>(Spieler_Zeiger(502, p))->marktwert = 100000 + p;
        netz.server.sichern();
        ClubHooks& h = Club_Hooks();
        h.netzwerk_modus = [] { return netz.modus; };
        h.client_team = [] { return netz.client_team; };
        h.client_read = Fake_Client_Read;
        netz.modus = 1;
        netz.client_team = 3;   // players 18-35
    }
    void TearDown() override {
        Club_Hooks() = ClubHooks{};
        test::Welt_Freigeben();
    }
    // A value as the server holds it.
    int32_t Server_Spieler(int32_t modus, int32_t p) {
        int32_t v = 0;
        Auf_Dem_Server([&] { v = Spieler_Wert(modus, p, 0, 0); });
        return v;
    }
    LogFaenger faenger;
};

TEST_F(ClientTest, WriteToAnotherTeamsPlayerIsRefused) {
    int32_t vorher = Spieler_Wert(57, 0, 0, 0);
    EXPECT_EQ(Spieler_Wert(57, 0, 500, OP_SCHREIBEN), 0);
    EXPECT_TRUE(Log_Enthaelt("Spieler_Wert: CLIENT-WRITE!"));
    EXPECT_EQ(Spieler_Wert(57, 0, 0, 0), vorher);
    EXPECT_EQ(Server_Spieler(57, 0), vorher);
    EXPECT_EQ(Spieler_Wert(75, 0, 64, OP_SETZEN), 0);
    EXPECT_EQ(netz.aufrufe, 0);
    test::Log().clear();
    EXPECT_EQ(Team_Wert(19, 2, 5, OP_SCHREIBEN), 0);
    EXPECT_TRUE(Log_Enthaelt("Team_Wert: CLIENT-WRITE!"));
    uint8_t farben[36] = {1};
    EXPECT_EQ(Team_Zeiger(700, 2, farben, 1), nullptr);
    EXPECT_TRUE(Log_Enthaelt("Team_Zeiger: CLIENT-WRITE!"));
    Manager_Neuer_Mitspieler(2, "Lokal", -1);
    Manager_Icon_Button_An_Aus(2, 10, 1);
    EXPECT_TRUE(Log_Enthaelt("Manager_Icon_Button_An_Aus: CLIENT-WRITE!"));
    EXPECT_EQ(Team_Set_Moral(10), 0);
    EXPECT_TRUE(Log_Enthaelt("Team_Set_Moral: CLIENT-WRITE!"));
}

// A joining client keeps the start screens' state (a list's scroll position)
// in the market's placeholder until it has its club: the value stays on this
// machine, and the server is not asked to write another club's record. The
// own club's values still reach the server.
TEST_F(ClientTest, TheMarketPlaceholdersIconsStayOnTheClient) {
    const int32_t markt = Team_Markt();
    ASSERT_EQ(markt, 0);
    netz.client_team = markt;
    ASSERT_NE(Manager_Neuer_Mitspieler(markt, "Neuer Manager", -1), nullptr);
    Manager_Icon_Button_An_Aus(markt, 10, 194);
    Manager_Icon_Word_Data_Schreiben(markt, 11, 7);
    EXPECT_EQ(Manager_Icon_Button_Lesen(markt, 10), 194);
    EXPECT_EQ(Manager_Icon_Word_Data_Lesen(markt, 11), 7);
    EXPECT_EQ(netz.aufrufe, 0) << "nothing sent for the placeholder";
    netz.client_team = 3;
    Manager_Icon_Button_An_Aus(3, 10, 5);
    EXPECT_EQ(netz.aufrufe, 1);
    EXPECT_FALSE(Log_Enthaelt("CLIENT-WRITE"));
}

TEST_F(ClientTest, InjuryOnAClientIsRefusedWithMinusOne) {
    Verletzungsart arten[1] = {{1, 7, 7}};
    Spieler_Verletzungsarten_Setzen(arten, 1);
    EXPECT_EQ(Spieler_Verletzen(3, 20, 1), -1);
    EXPECT_TRUE(Log_Enthaelt("Spieler_Verletzen: CLIENT-AUFRUF!"));
    EXPECT_FALSE(Spieler_Wert(75, 20, 0, 0) & SP_STATUS_VERLETZT);
}

TEST_F(ClientTest, PermittedWriteReachesTheServerAndComesBackWithTheRefresh) {
    EXPECT_EQ(Spieler_Wert(57, 20, 777, OP_SCHREIBEN), 777);
    EXPECT_EQ(Server_Spieler(57, 20), 777);
    EXPECT_EQ(Spieler_Wert(75, 20, 0x1000, OP_SETZEN), int32_t(SP_STATUS_START | 0x1000));
    EXPECT_EQ(Server_Spieler(75, 20) & 0x1000, 0x1000);
    EXPECT_EQ(Team_Wert(19, 3, 12, OP_SCHREIBEN), 12);

    // The server changes the player meanwhile; the client's refresh brings it back.
    Auf_Dem_Server([] {
        Spieler_Wert(57, 20, 901, OP_SCHREIBEN);
        EXPECT_EQ(Team_Wert(19, 3, 0, 0), 12);
    });
    EXPECT_EQ(Spieler_Wert(57, 20, 0, 0), 777);
    ASSERT_TRUE(Spieler_Internet_Client_Refresh());
    EXPECT_EQ(Spieler_Wert(57, 20, 0, 0), 901);
}

TEST_F(ClientTest, ServerDataIsReadFromTheServer) {
    // A client's copy of another club's server data is empty; the value comes over the wire.
    EXPECT_EQ(Spieler_Zeiger(502, 0), nullptr);
    int32_t vorher = netz.aufrufe;
    EXPECT_EQ(Spieler_Wert(102, 5, 0, 0), 100005);
    EXPECT_EQ(netz.aufrufe, vorher + 1);
    EXPECT_EQ(Spieler_Wert(57, 5, 0, 0), 0);   // held locally: no call
    EXPECT_EQ(netz.aufrufe, vorher + 1);
}

// After each refresh a client's line-up and screens write their players'
// cells and status bits and their icons again, mostly with the values the
// server already holds: over a slow link each was a round trip. From the
// refresh on the client knows the server's records (and follows the answers
// to its own writes), so a write that leaves the server's value as it is and
// a read of a server value take no call; a write that changes it still goes
// out. Until the next refresh, after a request that may change the server's
// data otherwise, every write goes out again.
TEST_F(ClientTest, WritesTheServerAlreadyHoldsAndServerValuesTakeNoCallFromTheRefreshOn) {
    const int32_t p = 20;   // a field player of the client's club
    ASSERT_NE(Spieler_Get_Art(p), 0);
    const int32_t reihe = Spieler_Wert(SPW_REIHE, p, 0, OP_LESEN);
    const int32_t andere = reihe == 4 ? 5 : 4;
    Auf_Dem_Server([&] { Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_START), OP_SETZEN); });
    struct Schritt {
        const char* was;
        std::function<void()> vorher;
        std::function<void()> tun;
        int32_t aufrufe;          // calls made by `tun`
        int32_t reihe_server;     // the row the server holds afterwards
    };
    // The line-up as a client writes a starter's bits: it clears the bench bit, sets the starter's.
    auto starter = [p] {
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_BANK), OP_LOESCHEN);
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_START), OP_SETZEN);
    };
    const Schritt schritte[] = {
        {"before any refresh every write goes out", [] {}, [&] { Spieler_Wert(SPW_REIHE, p, reihe, OP_SCHREIBEN); }, 1,
         reihe},
        {"after the refresh the unchanged row, bits, icon and a shirt number take none",
         [] { ASSERT_TRUE(Club_Client_Refresh_Alle()); },
         [&] {
             Spieler_Wert(SPW_REIHE, p, reihe, OP_SCHREIBEN);
             starter();
             Manager_Icon_Button_An_Aus(3, 2426, 0);
             EXPECT_EQ(Spieler_Wert(SPW_MARKTWERT, p, 0, OP_LESEN), 100000 + p);
         },
         0, reihe},
        {"a changed row goes out once", [] {},
         [&] {
             EXPECT_EQ(Spieler_Wert(SPW_REIHE, p, andere, OP_SCHREIBEN), andere);
             Spieler_Wert(SPW_REIHE, p, andere, OP_SCHREIBEN);
         },
         1, andere},
        {"a changed icon goes out once", [] {},
         [] {
             Manager_Icon_Button_An_Aus(3, 2426, 1);
             Manager_Icon_Button_An_Aus(3, 2426, 1);
         },
         1, andere},
        {"a row taken back on this machine alone is written to the server", [&] {
             static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, p))->reihe = int16_t(reihe);
         },
         [&] { Spieler_Wert(SPW_REIHE, p, andere, OP_SCHREIBEN); }, 1, andere},
        {"after a request that may change the server's data all go out again",
         [&] {
             Auf_Dem_Server([&] { Spieler_Wert(SPW_REIHE, p, reihe, OP_SCHREIBEN); });
             Spieler_Server_Stand_Vergessen();
             Manager_Server_Stand_Vergessen();
         },
         [&] {
             Spieler_Wert(SPW_REIHE, p, andere, OP_SCHREIBEN);
             starter();
             Manager_Icon_Button_An_Aus(3, 2426, 1);
             EXPECT_EQ(Spieler_Wert(SPW_MARKTWERT, p, 0, OP_LESEN), 100000 + p);
         },
         5, andere},
    };
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.was);
        s.vorher();
        const int32_t vorher = netz.aufrufe;
        s.tun();
        EXPECT_EQ(netz.aufrufe - vorher, s.aufrufe);
        EXPECT_EQ(Server_Spieler(SPW_REIHE, p), s.reihe_server);
        EXPECT_EQ(Spieler_Wert(SPW_REIHE, p, 0, OP_LESEN), s.reihe_server);
        EXPECT_EQ(uint32_t(Server_Spieler(SPW_STATUS, p)) & (SP_STATUS_START | SP_STATUS_BANK), SP_STATUS_START);
    }
    int32_t icon = -1;
    Auf_Dem_Server([&] { icon = Manager_Icon_Button_Lesen(3, 2426); });
    EXPECT_EQ(icon, 1);
    EXPECT_GT(Spieler_Server_Stand_Zaehler().nicht_gesendet, 0u);
    EXPECT_GT(Manager_Icons_Nicht_Gesendet(), 0u);
}

// A list of the own squad reads each player's shirt number, server data.
// Without the server's copy of the squad (forgotten after any request that
// may change the server's data, the day's report among them) each read was
// a round trip: the main screen's squad list drew one per row. The first
// read fetches the squad's copy in one request; a player of another club is
// still asked for alone.
TEST_F(ClientTest, TheOwnSquadsServerValuesWithoutTheCopyComeInOneRequest) {
    Auf_Dem_Server([] {
        for (int32_t p = 18; p < 36; ++p) Spieler_Wert(SPW_RUECKENNUMMER, p, p - 10, OP_SCHREIBEN);
    });
    Spieler_Server_Stand_Vergessen();
    const int32_t vorher = netz.aufrufe;
    for (int32_t p = 18; p < 36; ++p) {
        ASSERT_EQ(Spieler_Get_Team(p), 3);
        EXPECT_EQ(Spieler_Wert(SPW_RUECKENNUMMER, p, 0, OP_LESEN), p - 10) << "player " << p;
    }
    EXPECT_EQ(netz.aufrufe - vorher, 1);
    EXPECT_EQ(Spieler_Wert(SPW_MARKTWERT, 5, 0, OP_LESEN), 100005);
    EXPECT_EQ(netz.aufrufe - vorher, 2);
}

TEST_F(ClientTest, ServerRefusesForeignWritesOfAModifiedClient) {
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    pk.i32(57);
    pk.i32(0);      // a player of club 2
    pk.i32(555);
    pk.i32(OP_SCHREIBEN);
    ASSERT_TRUE(Fake_Client_Read(ANFRAGE_SPIELER_WERT, "iiii<i", a, antwort));
    EXPECT_TRUE(Log_Enthaelt("Spieler_Wert: CLIENT-WRITE! (Spieler 0, Team 3)"));
    EXPECT_NE(Server_Spieler(57, 0), 555);
    // Short and unknown requests give no answer.
    EXPECT_FALSE(Club_Server_Anfrage(ANFRAGE_SPIELER_WERT, 3, a.data(), 7, antwort));
    EXPECT_TRUE(antwort.empty());
    EXPECT_FALSE(Club_Server_Anfrage(1024, 3, a.data(), a.size(), antwort));
}

TEST_F(ClientTest, StartUpFetchesTheWholeWorld) {
    Team_Free(0);
    Spieler_Free();
    Team_Lokal_Setzen(-1);
    int32_t level = -1, manager = -1;
    ASSERT_TRUE(Manager_Internet_Client_Startinfo_1(&level, &manager));
    EXPECT_EQ(manager, 1);
    ASSERT_TRUE(Spieler_Internet_Client_Get_Anzahl());
    EXPECT_EQ(Spieler_Anzahl(), 4 * 18 + 5);
    Team_Free(1);
    ASSERT_TRUE(Team_Internet_Client_Startinfo());
    ASSERT_TRUE(Team_Internet_Client_Init());
    ASSERT_TRUE(Spieler_Internet_Client_Init());
    ASSERT_TRUE(Team_Internet_Client_Startteams());

    EXPECT_EQ(Team_Anzahl(), 6);
    EXPECT_EQ(Team_Markt(), 0);
    EXPECT_STREQ(Team_String(0, 4, 0, 0), "Club 4");
    EXPECT_EQ(Spieler_Get_Team(20), 3);
    EXPECT_EQ(Spieler_Get_Team(Spieler_Anzahl() - 1), 0);
    EXPECT_STREQ(Spieler_String(505, 40, 0, 0), "Vor Spieler40");
    EXPECT_EQ(Team_Berechne_Staerke(2, 16), 55);   // 0 + 1 + ... + 10
    ASSERT_EQ(Team_Startteams_Anzahl(), 6);
    EXPECT_EQ(Team_Startteam(0)->team, -1);   // the market
    EXPECT_EQ(Team_Startteam(1)->team, -1);   // a country
    EXPECT_EQ(Team_Startteam(2)->team, 2);
    EXPECT_EQ(Team_Startteam(2)->flags, 0u);
    EXPECT_EQ(Team_Startteam(3)->flags, STARTTEAM_MANAGER | STARTTEAM_CLIENT);
    EXPECT_STREQ(Team_Startteam(3)->manager, "Gast");
    // The own club's server data arrives; other clubs' stays on the server.
    ASSERT_TRUE(Spieler_Internet_Client_Refresh());
    EXPECT_EQ(static_cast<SpielerClientEgal*>(Spieler_Zeiger(502, 20))->marktwert, 100020);
    netz.modus = 0;
    EXPECT_EQ(static_cast<SpielerClientEgal*>(Spieler_Zeiger(502, 5))->marktwert, 0);
}

TEST_F(ClientTest, ManagerIconsAndRecordTravel) {
    Manager_Icon_Button_An_Aus(3, 2580, 345);
    Manager_Icon_Word_Data_Schreiben(3, 2580, 99);
    Auf_Dem_Server([] {
        EXPECT_EQ(Manager_Icon_Button_Lesen(3, 2580), 345);
        EXPECT_EQ(Manager_Icon_Word_Data_Lesen(3, 2580), 99);
        Manager_Icon_Button_An_Aus(3, 17, 4);
    });
    EXPECT_EQ(Manager_Icon_Button_Lesen(3, 17), 0);
    ASSERT_TRUE(Club_Client_Refresh_Alle());
    EXPECT_EQ(Manager_Icon_Button_Lesen(3, 17), 4);
}

TEST_F(ClientTest, OwnKitsAndFormationsGoToTheServer) {
    uint8_t farben[36];
    for (int32_t i = 0; i < 36; ++i) farben[i] = uint8_t(200 - i);
    ASSERT_NE(Team_Zeiger(700, 3, farben, 1), nullptr);
    Formation f[TEAM_FORMATIONEN] = {};
    f[0].zelle[10][0] = 6;
    ASSERT_NE(Team_Zeiger(705, 3, f, 1), nullptr);
    Auf_Dem_Server([&] {
        EXPECT_EQ(std::memcmp(Team_Zeiger(700, 3, nullptr, 0), farben, 36), 0);
        Formation zurueck[TEAM_FORMATIONEN];
        Team_Zeiger(705, 3, zurueck, OP_ZEIGER_LESEN);
        EXPECT_EQ(zurueck[0].zelle[10][0], 6);
    });
}

// The clubs' table a client refreshes every 5 s (its news check) travels only
// as far as it changed: unchanged, a few bytes; a club changed on the server,
// its piece, and the change is there.
TEST_F(ClientTest, TheClubsTableRefreshCarriesOnlyWhatChanged) {
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    const size_t ganz = (sizeof(TeamStruktur) + sizeof(TeamFix)) * size_t(Team_Anzahl());
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    EXPECT_LE(netz.groesse[ANFRAGE_TEAMS_ABGLEICH], 24u) << "of " << ganz;
    Auf_Dem_Server([] { Team_Wert(19, 2, 99, OP_SCHREIBEN); });
    EXPECT_NE(Team_Wert(19, 2, 0, 0), 99);
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    EXPECT_EQ(Team_Wert(19, 2, 0, 0), 99);
    EXPECT_LE(netz.groesse[ANFRAGE_TEAMS_ABGLEICH], 24u + 8 + 2 * ABGLEICH_RASTER);
}

// The start-team table and the market list of the same check travel as far
// as they changed too: a club renamed and a player put on the market on the
// server reach the client with a piece each.
TEST_F(ClientTest, StartTeamsAndTheMarketListCarryOnlyWhatChanged) {
    ASSERT_TRUE(Team_Internet_Client_Startteams());
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    auto auf_dem_markt = [](int32_t spieler) {
        int32_t liste[MARKT_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(Team_Markt(), liste, MARKT_SPIELER_MAX, 0);
        return std::count(liste, liste + n, spieler) > 0;
    };
    Auf_Dem_Server([] {
        Team_Namen_Setzen(4, "Umbenannt", "UB", "Stadt");
        ASSERT_TRUE(Team_Spieler_Entfernen(4, 40));
        ASSERT_TRUE(Team_Spieler_Hinzufuegen(Team_Markt(), 40));
    });
    EXPECT_FALSE(auf_dem_markt(40));
    ASSERT_TRUE(Team_Internet_Client_Refresh());
    ASSERT_TRUE(Team_Internet_Client_Startteams());   // last: the test's world swap forgets the table
    ASSERT_NE(Team_Startteam(4), nullptr);
    EXPECT_STREQ(Team_Startteam(4)->name, "Umbenannt");
    EXPECT_TRUE(auf_dem_markt(40));
    const size_t stueck = 24u + 8 + 2 * ABGLEICH_RASTER;
    EXPECT_LE(netz.groesse[ANFRAGE_STARTTEAMS_ABGLEICH], stueck);
    EXPECT_LE(netz.groesse[ANFRAGE_TEAMS_ABGLEICH], 2 * stueck);
    EXPECT_EQ(netz.groesse.count(ANFRAGE_STARTTEAMS) + netz.groesse.count(ANFRAGE_MARKT_LISTE), 0u);
}

TEST_F(ClientTest, ServerGoneKeepsTheClientRunning) {
    netz.server_weg = true;
    EXPECT_FALSE(Spieler_Internet_Client_Refresh());
    EXPECT_FALSE(Team_Internet_Client_Refresh());
    EXPECT_FALSE(Club_Client_Refresh_Alle());
    EXPECT_EQ(Spieler_Wert(102, 5, 0, 0), 0);
    EXPECT_TRUE(Log_Enthaelt("Server antwortet nicht"));
    EXPECT_EQ(Spieler_Wert(57, 20, 42, 1), 42);   // kept locally
}


// One club's fixed-size record: the request names the club; an answer of the
// record's size is taken, an empty one only where the caller allows it, any
// other size and a silent server give null.
struct SatzAntwort {
    bool antwortet;
    size_t bytes;
};
SatzAntwort satz_antwort;
int32_t satz_gefragt = -1;

bool Satz_Client_Read(int32_t, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    ClubLeser l{argumente.data(), argumente.size()};
    satz_gefragt = l.i32();
    if (!satz_antwort.antwortet) return false;
    std::vector<uint8_t> daten(satz_antwort.bytes);
    for (size_t i = 0; i < daten.size(); ++i) daten[i] = uint8_t(i + 1);
    ClubPacker{antwort}.block_mit_laenge(daten.data(), daten.size());
    return true;
}

TEST(ClubRemoteSatz, TakesARecordOfItsSizeAndAnEmptyAnswerOnlyWhereAllowed) {
    struct Fall {
        SatzAntwort antwort;
        bool leer_erlaubt;
        bool satz, leer;
    };
    const Fall faelle[] = {
        {{true, 16}, false, true, false}, {{true, 16}, true, true, false}, {{true, 0}, true, false, true},
        {{true, 0}, false, false, false}, {{true, 15}, true, false, false}, {{true, 17}, false, false, false},
        {{false, 16}, true, false, false},
    };
    Club_Hooks().client_read = Satz_Client_Read;
    for (const Fall& f : faelle) {
        satz_antwort = f.antwort;
        satz_gefragt = -1;
        std::vector<uint8_t> antwort;
        bool leer = !f.leer;
        const uint8_t* d = Club_Remote_Satz("Test", ANFRAGE_TEAM_OWN, 7, 16, antwort, f.leer_erlaubt ? &leer : nullptr);
        EXPECT_EQ(satz_gefragt, 7);
        EXPECT_EQ(d != nullptr, f.satz) << f.antwort.bytes;
        if (d) {
            EXPECT_EQ(d[15], 16);
        }
        if (f.leer_erlaubt) {
            EXPECT_EQ(leer, f.leer) << f.antwort.bytes;
        }
    }
    Club_Hooks() = ClubHooks{};
}

}  // namespace
}  // namespace velmora
