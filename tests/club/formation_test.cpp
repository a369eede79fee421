// Formations: the built-in systems, slot order of the cells, the formation
// byte and the tactics with their ranges.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "club/club_netz.h"
#include "club/formation.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

// The digits of a name like "4-2-3-1".
std::vector<int32_t> Ziffern(const std::string& name) {
    std::vector<int32_t> z;
    for (char c : name)
        if (c >= '0' && c <= '9') z.push_back(c - '0');
    return z;
}

TEST(FormationStandard, EveryBuiltInIsSoundAndMatchesItsName) {
    std::set<std::string> namen;
    for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i) {
        Formation f;
        ASSERT_TRUE(Formation_Standard(i, &f)) << i;
        EXPECT_TRUE(Formation_Pruefen(f)) << Formation_Name(i);
        EXPECT_EQ(f.zelle[0][0], 3);
        EXPECT_EQ(f.zelle[0][1], 0);
        int32_t gruppen[4];
        Formation_Gruppen_Zaehlen(f, gruppen);
        std::vector<int32_t> z = Ziffern(Formation_Name(i));
        ASSERT_GE(z.size(), 3u) << Formation_Name(i);
        int32_t summe = 0;
        for (int32_t d : z) summe += d;
        EXPECT_EQ(summe, 10) << Formation_Name(i);
        EXPECT_EQ(gruppen[3], 1) << Formation_Name(i);
        EXPECT_EQ(gruppen[0], z.back()) << Formation_Name(i);
        // A sweeper system ("1-3-...") counts the sweeper to the defence.
        int32_t abwehr = z[0] == 1 ? z[0] + z[1] : z[0];
        EXPECT_EQ(gruppen[2], abwehr) << Formation_Name(i);
        EXPECT_EQ(gruppen[1], 10 - abwehr - z.back()) << Formation_Name(i);
        namen.insert(Formation_Name(i));
    }
    EXPECT_EQ(namen.size(), size_t(FORMATION_STANDARD_ANZAHL));
    for (const char* system : {"4-4-2", "4-3-3", "3-5-2", "5-3-2", "4-2-3-1"}) EXPECT_TRUE(namen.count(system)) << system;
}

TEST(FormationStandard, BadIndexLeavesTheOutputAlone) {
    test::LogFaenger log;
    Formation f{};
    f.zelle[4][0] = 5;
    for (int32_t index : {-1, FORMATION_STANDARD_ANZAHL, 1000}) {
        EXPECT_FALSE(Formation_Standard(index, &f));
        EXPECT_EQ(f.zelle[4][0], 5);
        EXPECT_STREQ(Formation_Name(index), "");
    }
    EXPECT_FALSE(Formation_Standard(0, nullptr));
    EXPECT_TRUE(Log_Enthaelt("Formation_Standard: Formation"));
}

TEST(FormationPruefen, RejectsBrokenFormations) {
    struct Fall {
        const char* was;
        int32_t zelle, spalte, reihe;   // the cell changed in a 4-4-2
    } faelle[] = {
        {"goalkeeper out of goal", 0, 2, 0},
        {"goalkeeper on the field", 0, 3, 1},
        {"field player in goal row", 5, 0, 0},
        {"same cell twice", 2, 0, 2},
        {"column beyond 6", 3, 7, 4},
        {"row beyond 10", 3, 4, 11},
        {"negative column", 9, -1, 9},
    };
    for (const Fall& fall : faelle) {
        Formation f;
        ASSERT_TRUE(Formation_Standard(0, &f));
        f.zelle[fall.zelle][0] = int16_t(fall.spalte);
        f.zelle[fall.zelle][1] = int16_t(fall.reihe);
        EXPECT_FALSE(Formation_Pruefen(f)) << fall.was;
    }
}

TEST(FormationSlot, SlotsRunInDescendingOrderOfRowAndColumnWithTheGoalkeeperLast) {
    for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i) {
        Formation f;
        Formation_Standard(i, &f);
        int32_t vorher = 1000;
        std::set<int32_t> zellen;
        for (int32_t slot = 0; slot < 11; ++slot) {
            int32_t s, r;
            ASSERT_TRUE(Formation_Zelle_Von_Slot(f, slot, &s, &r));
            EXPECT_LT(Formation_Schluessel(s, r), vorher) << Formation_Name(i) << " slot " << slot;
            vorher = Formation_Schluessel(s, r);
            zellen.insert(vorher);
        }
        EXPECT_EQ(zellen.size(), 11u);
        int32_t s, r;
        Formation_Zelle_Von_Slot(f, 10, &s, &r);
        EXPECT_EQ(s, 3);
        EXPECT_EQ(r, 0);
    }
    Formation f;
    Formation_Standard(0, &f);   // 4-4-2: the right forward leads
    int32_t s, r;
    Formation_Zelle_Von_Slot(f, 0, &s, &r);
    EXPECT_EQ(Formation_Schluessel(s, r), 94);
    EXPECT_FALSE(Formation_Zelle_Von_Slot(f, 11, &s, &r));
    EXPECT_FALSE(Formation_Zelle_Von_Slot(f, -1, &s, &r));
}

TEST(FormationGruppe, RowsFallIntoGoalDefenceMidfieldAttack) {
    const int32_t erwartet[11] = {0, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3};
    for (int32_t r = 0; r < 11; ++r) EXPECT_EQ(Formation_Gruppe(r), erwartet[r]) << r;
    EXPECT_EQ(Formation_Gruppe(-1), -1);
    EXPECT_EQ(Formation_Gruppe(11), -1);
}

class TeamFormationTest : public test::WeltTest {};

TEST_F(TeamFormationTest, ChoosingAFormationKeepsTheAssistantFlag) {
    Team_Wert(8, 2, int8_t(uint8_t(FORMATION_BYTE_ASSI | 2)), OP_SCHREIBEN);
    ASSERT_TRUE(Team_Formation_Waehlen(2, 4));
    EXPECT_EQ(Team_Formation_Index(2), 4);
    EXPECT_TRUE(Team_Formation_Assi(2));
    Formation f;
    Formation_Standard(4, &f);
    EXPECT_EQ(std::memcmp(Team_Aktuelle_Formation(2), &f, sizeof f), 0);
    Team_Formation_Flag_Loeschen(2);
    EXPECT_FALSE(Team_Formation_Assi(2));
    EXPECT_EQ(Team_Formation_Index(2), 4);
    EXPECT_FALSE(Team_Formation_Waehlen(2, FORMATION_STANDARD_ANZAHL));
    EXPECT_EQ(Team_Formation_Index(2), 4);
}

TEST_F(TeamFormationTest, ResetBringsBackTheBuiltInFormationOfTheIndex) {
    Team_Formation_Waehlen(3, 1);
    Formation* f = Team_Aktuelle_Formation(3);
    f->zelle[5][1] = 7;
    ASSERT_TRUE(Trobe_Spieler_Formation_Zuruecksetzen(3));
    Formation soll;
    Formation_Standard(1, &soll);
    EXPECT_EQ(std::memcmp(f, &soll, sizeof soll), 0);
}

TEST_F(TeamFormationTest, DefaultsFillEveryStoredFormation) {
    Team_Wert(8, 4, 6, OP_SCHREIBEN);
    Team_Formation_Standard();
    Formation gespeichert[TEAM_FORMATIONEN];
    ASSERT_TRUE(Team_Zeiger(705, 4, gespeichert, OP_ZEIGER_LESEN));
    for (int32_t i = 0; i < TEAM_FORMATIONEN; ++i) {
        Formation soll;
        Formation_Standard(i, &soll);
        EXPECT_EQ(std::memcmp(&gespeichert[i], &soll, sizeof soll), 0) << i;
    }
    Formation soll;
    Formation_Standard(6, &soll);
    EXPECT_EQ(std::memcmp(Team_Aktuelle_Formation(4), &soll, sizeof soll), 0);
}

TEST_F(TeamFormationTest, RowCountsOfTheCurrentFormation) {
    Team_Formation_Waehlen(2, 4);   // 4-2-3-1
    int32_t out[4];
    EXPECT_EQ(Formation_Zaehle_Reihen(2, out), 11);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(out[2], 4);
    EXPECT_EQ(out[3], 1);
    EXPECT_EQ(Formation_Zaehle_Reihen(99, out), 0);
    EXPECT_EQ(out[0] + out[1] + out[2] + out[3], 0);
}

TEST_F(TeamFormationTest, TacticsClampToTheirRanges) {
    struct Fall {
        int8_t ein[7];
        int8_t aus[7];
    } faelle[] = {
        {{0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}},
        {{1, 1, 9, 1, 4, 6, 4}, {1, 1, 9, 1, 4, 6, 4}},
        {{2, 5, 10, 7, 5, 7, 5}, {1, 1, 9, 1, 4, 6, 4}},
        {{-1, -5, -9, -128, -2, -3, -1}, {0, 0, 0, 0, 0, 0, 0}},
        {{127, 0, 5, 1, 2, 3, 100}, {1, 0, 5, 1, 2, 3, 4}},
    };
    for (const Fall& fall : faelle) {
        ASSERT_TRUE(Team_Set_Aktuelle_Taktik(2, fall.ein));
        int8_t aus[7];
        ASSERT_TRUE(Team_Get_Aktuelle_Taktik(2, aus));
        for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(aus[i], fall.aus[i]) << "byte " << i;
    }
    EXPECT_TRUE(Log_Enthaelt("Team_Set_Aktuelle_Taktik: Wert nicht innerhalb der Grenzen"));
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(Taktik_Hoechstwert(i), faelle[1].aus[i]);
    EXPECT_EQ(Taktik_Hoechstwert(7), -1);
}

TEST_F(TeamFormationTest, TacticsOfEachClubStayApart) {
    const int8_t a[7] = {1, 0, 3, 1, 2, 5, 1};
    Team_Set_Aktuelle_Taktik(2, a);
    int8_t b[7];
    Team_Get_Aktuelle_Taktik(3, b);
    for (int8_t v : b) EXPECT_EQ(v, 0);
    int8_t aus[7] = {9, 9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(Team_Get_Aktuelle_Taktik(-1, aus));
    for (int8_t v : aus) EXPECT_EQ(v, 0);
    EXPECT_FALSE(Team_Set_Aktuelle_Taktik(999, a));
}

TEST_F(TeamFormationTest, ClientMayChangeOnlyItsOwnClub) {
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = [] { return 1; };
    h.client_team = [] { return 3; };
    const int8_t t[7] = {1, 1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(Team_Set_Aktuelle_Taktik(2, t));
    EXPECT_TRUE(Log_Enthaelt("Team_Set_Aktuelle_Taktik: CLIENT-WRITE!"));
    EXPECT_FALSE(Trobe_Spieler_Formation_Zuruecksetzen(2));
    EXPECT_TRUE(Log_Enthaelt("Trobe_Spieler_Formation_Zuruecksetzen: CLIENT-WRITE!"));
    EXPECT_TRUE(Team_Set_Aktuelle_Taktik(3, t));
    int8_t aus[7];
    Team_Get_Aktuelle_Taktik(2, aus);
    EXPECT_EQ(aus[0], 0);
}

// The requests a client sent, answered by the server's handler on the same world.
std::vector<std::pair<int32_t, std::vector<uint8_t>>> gesendet;
int32_t netz_modus = 1;

bool Fake_Server(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    gesendet.emplace_back(anfrage, argumente);
    netz_modus = 2;
    bool ok = Club_Server_Anfrage(anfrage, 3, argumente.data(), argumente.size(), antwort);
    netz_modus = 1;
    return ok;
}

TEST_F(TeamFormationTest, ClientSendsFormationAndTacticsToTheServer) {
    gesendet.clear();
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = [] { return netz_modus; };
    h.client_team = [] { return 3; };
    h.client_read = Fake_Server;
    const int8_t t[7] = {1, 0, 4, 1, 2, 3, 4};
    ASSERT_TRUE(Team_Set_Aktuelle_Taktik(3, t));
    ASSERT_TRUE(Team_Formation_Waehlen(3, 2));
    size_t bloecke = 0;
    for (const auto& [anfrage, argumente] : gesendet) {
        if (anfrage != ANFRAGE_TEAM_ZEIGER) continue;
        ClubLeser l{argumente.data(), argumente.size()};
        EXPECT_EQ(l.i32(), 704);
        EXPECT_EQ(l.i32(), 3);
        size_t n = 0;
        const uint8_t* d = l.block_mit_laenge(&n);
        ASSERT_EQ(n, TEAM_AUFSTELLUNG_BYTES);
        EXPECT_EQ(std::memcmp(d + sizeof(Formation), t, 7), 0);
        ++bloecke;
    }
    EXPECT_EQ(bloecke, 2u);
    EXPECT_FALSE(Log_Enthaelt("Team_Aufstellung_Senden"));
}

TEST_F(TeamFormationTest, ServerTakesOnlyASoundFormationFromAClient) {
    Team_Formation_Waehlen(3, 0);
    struct Fall {
        const char* was;
        int32_t team;
        int16_t tw_spalte;
        int8_t t5;
        int32_t antwort;
    } faelle[] = {
        {"sound", 3, 3, 6, 1},
        {"goalkeeper out of goal", 3, 2, 6, 0},
        {"tactic byte out of range", 3, 3, 7, 0},
        {"another club", 2, 3, 6, 0},
    };
    for (const Fall& fall : faelle) {
        Formation f;
        Formation_Standard(1, &f);
        f.zelle[0][0] = fall.tw_spalte;
        int8_t taktik[7] = {0, 0, 0, 0, 0, fall.t5, 0};
        uint8_t block[TEAM_AUFSTELLUNG_BYTES];
        std::memcpy(block, &f, sizeof f);
        std::memcpy(block + sizeof f, taktik, 7);
        std::vector<uint8_t> a, antwort;
        ClubPacker pk{a};
        pk.i32(704);
        pk.i32(fall.team);
        pk.block_mit_laenge(block, sizeof block);
        Formation vorher = *Team_Aktuelle_Formation(fall.team);
        ASSERT_TRUE(Club_Server_Anfrage(ANFRAGE_TEAM_ZEIGER, 3, a.data(), a.size(), antwort)) << fall.was;
        ClubLeser l{antwort.data(), antwort.size()};
        EXPECT_EQ(l.i32(), fall.antwort) << fall.was;
        int8_t jetzt[7];
        Team_Get_Aktuelle_Taktik(fall.team, jetzt);
        if (fall.antwort) {
            EXPECT_EQ(std::memcmp(Team_Aktuelle_Formation(3), &f, sizeof f), 0);
            EXPECT_EQ(jetzt[5], 6);
        } else {
            EXPECT_EQ(std::memcmp(Team_Aktuelle_Formation(fall.team), &vorher, sizeof vorher), 0) << fall.was;
        }
    }
}

}  // namespace
}  // namespace velmora
