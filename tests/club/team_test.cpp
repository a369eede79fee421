// Teams: accessors, player lists and filters, strength, searches, morale and
// the save block.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "club/markt_elf.h"
#include "club/spieler_saetze.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/rnd.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

using TeamTest = test::WeltTest;

TEST_F(TeamTest, RecordsHaveTheirStoredSizes) {
    EXPECT_EQ(sizeof(TeamStruktur), 164u);
    EXPECT_EQ(sizeof(TeamFix), 52u);
    EXPECT_EQ(sizeof(TeamOwn), 768u);
    EXPECT_EQ(sizeof(StartTeam), 88u);
}

TEST_F(TeamTest, WriteClampsAndBitOperations) {
    struct Fall {
        int32_t modus, wert, op, erwartet;
    } faelle[] = {
        {19, 239, OP_SCHREIBEN, 239}, {19, 240, OP_SCHREIBEN, 239}, {23, -1, OP_SCHREIBEN, 0},
        {10, 14, OP_SCHREIBEN, 14},   {8, -3, OP_SCHREIBEN, -3},    {11, -1, OP_SCHREIBEN, -1},
        {7, 32, OP_SETZEN, 32},       {7, 2048, OP_SETZEN, 2080},   {7, 32, OP_LOESCHEN, 2048},
        {7, 2048 | 8, OP_TOGGLE, 8},  {20, 3, OP_SCHREIBEN, 3},     {20, 2, OP_PLUS, 5},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Team_Wert(f.modus, 3, f.wert, f.op), f.erwartet) << "modus " << f.modus;
        EXPECT_EQ(Team_Wert(f.modus, 3, 0, OP_LESEN), f.erwartet) << "modus " << f.modus;
    }
    test::Log().clear();
    EXPECT_EQ(Team_Wert(9, 3, 5, OP_SETZEN), 0);
    EXPECT_TRUE(Log_Enthaelt("Team_Wert: Operation 8 ungueltig"));
    EXPECT_EQ(Team_Wert(304, 3, 5, OP_SCHREIBEN), 0);
    EXPECT_TRUE(Log_Enthaelt("Team_Wert: Modus 304 nicht beschreibbar!"));
    EXPECT_EQ(Team_Wert(6, 99, 0, 0), 0);
    EXPECT_TRUE(Log_Enthaelt("Team_Wert: Team 99 ungueltig"));
    EXPECT_EQ(Team_Wert(19, 3, 0, OP_PROZENT), 100);
}

TEST_F(TeamTest, SecondClubFallsBackToTheMarket) {
    EXPECT_EQ(Team_Wert(26, 2, 0, 0), 0);
    Team_Wert(26, 2, 4, 1);
    EXPECT_EQ(Team_Wert(26, 2, 0, 0), 4);
}

TEST_F(TeamTest, StringsAndErrors) {
    EXPECT_STREQ(Team_String(0, 2, 0, 0), "Club 2");
    EXPECT_STREQ(Team_String(721, 2, 0, 0), "C2");
    EXPECT_STREQ(Team_String(721, 0, 0, 0), "Transfermarkt");   // no short name: the name
    EXPECT_STREQ(Team_String(703, 2, 0, 0), "Stadt");
    EXPECT_STREQ(Team_String(710, 2, 0, 0), "Deutschland");
    EXPECT_STREQ(Team_String(300, 2, 0, 0), "Team_String_Error");
    EXPECT_STREQ(Team_String(0, -1, 0, 0), "Team_String_Error");
    EXPECT_STREQ(Team_String(12345, 2, 0, 0), "Team_String_Error");
    EXPECT_EQ(Team_Basis_Nation(), 1);
}

TEST_F(TeamTest, PlayerListFilters) {
    // Club 2 holds players 0-17: starters 0-10, bench 11-16, reserve 17.
    Spieler_Wert(75, 4, SP_STATUS_VERLETZT, OP_SETZEN);
    Spieler_Wert(75, 12, 0x400, OP_SETZEN);
    struct Fall {
        int32_t filter, anzahl;
    } faelle[] = {{0, 18}, {16, 11}, {48, 17}, {32, 6}, {0x7c0, 2}};
    for (const Fall& f : faelle) {
        int32_t liste[20];
        EXPECT_EQ(Teamspieler_Ins_Array(2, liste, 20, f.filter), f.anzahl) << "filter " << f.filter;
        EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 20, f.filter), f.anzahl) << "filter " << f.filter;
    }
    int32_t liste[20];
    Teamspieler_Ins_Array(2, liste, 20, 0);
    for (int32_t i = 0; i < 18; ++i) EXPECT_EQ(liste[i], i);   // list order
    EXPECT_EQ(Teamspieler_Ins_Array(2, liste, 5, 0), 5);
    EXPECT_EQ(Teamspieler_Ins_Array(2, liste, 0, 0), 0);
}

TEST_F(TeamTest, MarketHasItsOwnListBeyondTheRecord) {
    int32_t vorher = Teamspieler_Ins_Array(0, nullptr, 0, 0);
    EXPECT_EQ(vorher, 5);
    int32_t marktspieler = Spieler_Anzahl() - 1;
    Spieler_Wert(75, marktspieler, SP_STATUS_SCOUT, OP_SETZEN);
    EXPECT_EQ(Teamspieler_Ins_Array(0, nullptr, 0, FILTER_NUR_SCOUT), 1);
    EXPECT_EQ(Teamspieler_Ins_Array(0, nullptr, 0, FILTER_OHNE_SCOUT), 4);
    // A market of thousands of players, far more than the 20 of a club record.
    Team_Free(0);
    Spieler_Init(MARKT_SPIELER_MAX + 1);
    Team_Init(3);
    Team_Markt_Setzen(0);
    for (int32_t p = 0; p < MARKT_SPIELER_MAX; ++p) ASSERT_TRUE(Team_Spieler_Hinzufuegen(0, p));
    EXPECT_FALSE(Team_Spieler_Hinzufuegen(0, MARKT_SPIELER_MAX));
    EXPECT_EQ(Teamspieler_Ins_Array(0, nullptr, 0, 0), MARKT_SPIELER_MAX);
    EXPECT_EQ(Spieler_Get_Team(3000), 0);
}

// The records taken once for a walk are the ones Spieler_Zeiger gives, for
// every player and for numbers beyond both ends.
TEST_F(TeamTest, RecordsForAWalkAreThoseOfEachPlayer) {
    const SpielerSaetze<const SpielerStruktur> saetze(SPZ_STRUKTUR);
    const SpielerSaetze<SpielerFix> fixe(SPZ_FIX);
    for (int32_t p = -3; p < Spieler_Anzahl() + 3; ++p) {
        EXPECT_EQ(saetze(p), Spieler_Zeiger(SPZ_STRUKTUR, p)) << p;
        EXPECT_EQ(fixe(p), Spieler_Zeiger(SPZ_FIX, p)) << p;
    }
    EXPECT_EQ(saetze(-1), nullptr);
    EXPECT_EQ(fixe(Spieler_Anzahl()), nullptr);
    test::Welt_Freigeben();   // no players: every number asks Spieler_Zeiger, which has none
    const SpielerSaetze<const SpielerStruktur> leer(SPZ_STRUKTUR);
    EXPECT_EQ(leer(0), nullptr);
    test::Welt_Bauen(4, 18);
}

// Every filter and limit, on a club and on the market, gives the players of
// the stored list, in its order, that a plain check of each record lets through.
TEST_F(TeamTest, PlayerListFiltersMatchAPlainCheckOfEachPlayer) {
    test::Welt_Bauen(4, 18, 40);
    Spieler_Wert(75, 4, SP_STATUS_VERLETZT, OP_SETZEN);
    Spieler_Wert(75, 7, SP_STATUS_SCOUT, OP_SETZEN);   // a scout bit at a club counts for nothing there
    const int32_t erster_markt = 4 * 18;
    for (int32_t p = erster_markt; p < Spieler_Anzahl(); p += 3) Spieler_Wert(75, p, SP_STATUS_SCOUT, OP_SETZEN);
    for (int32_t p = erster_markt + 1; p < Spieler_Anzahl(); p += 4) Spieler_Wert(75, p, SP_STATUS_BANK, OP_SETZEN);
    ASSERT_TRUE(Team_Spieler_Entfernen(0, erster_markt + 5));   // the market's order is not the numbers'
    ASSERT_TRUE(Team_Spieler_Hinzufuegen(0, erster_markt + 5));
    const int32_t filter[] = {0, 16, 32, 48, 0x400, 0x7c0, FILTER_NUR_SCOUT, FILTER_OHNE_SCOUT,
                              FILTER_NUR_SCOUT | FILTER_OHNE_SCOUT, 32 | FILTER_OHNE_SCOUT, 32 | FILTER_NUR_SCOUT};
    for (int32_t team : {2, 3, 0}) {
        std::vector<int32_t> alle(MARKT_SPIELER_MAX);
        alle.resize(size_t(Teamspieler_Ins_Array(team, alle.data(), MARKT_SPIELER_MAX, 0)));
        ASSERT_EQ(alle.size(), team == 0 ? 40u : 18u);
        for (int32_t f : filter)
            for (int32_t grenze : {0, 1, 5, 18, 40, MARKT_SPIELER_MAX}) {
                SCOPED_TRACE(testing::Message() << "team " << team << " filter " << f << " limit " << grenze);
                std::vector<int32_t> erwartet;
                for (int32_t p : alle) {
                    const uint32_t status = Spieler_Status(p);
                    const uint32_t maske = uint32_t(f) & ~uint32_t(FILTER_NUR_SCOUT | FILTER_OHNE_SCOUT);
                    if (maske && !(status & maske)) continue;
                    if (team == 0 && (f & FILTER_NUR_SCOUT) && !(status & SP_STATUS_SCOUT)) continue;
                    if (team == 0 && (f & FILTER_OHNE_SCOUT) && (status & SP_STATUS_SCOUT)) continue;
                    if (grenze > 0 && int32_t(erwartet.size()) == grenze) break;
                    erwartet.push_back(p);
                }
                EXPECT_EQ(Teamspieler_Ins_Array(team, nullptr, grenze, f), int32_t(erwartet.size()));
                if (grenze == 0) continue;
                std::vector<int32_t> liste(size_t(grenze) + 1, -7);
                liste.resize(size_t(Teamspieler_Ins_Array(team, liste.data(), grenze, f)));
                EXPECT_EQ(liste, erwartet);
            }
    }
}

// The market's eleven as a plain draw makes it: every player to the reserve,
// then per kind one of the kind's non-scouts at random, the list's order kept,
// a kind short of players filled from the others.
TEST_F(TeamTest, MarketElevenIsThePlainDrawOfTheDay) {
    test::Welt_Bauen(4, 18, 60);
    const int32_t erster_markt = 4 * 18;
    for (int32_t p = erster_markt; p < Spieler_Anzahl(); ++p) {
        const int32_t i = p - erster_markt;
        Spieler_Wert(67, p, i < 2 ? 0 : i < 25 ? 1 : i < 40 ? 2 : 3, OP_SCHREIBEN);   // only two goalkeepers
        if (i % 7 == 3 || i == 0) Spieler_Wert(75, p, SP_STATUS_SCOUT, OP_SETZEN);
        Spieler_Wert(SPW_SLOT, p, i % 20, OP_SCHREIBEN);
    }
    ASSERT_TRUE(Team_Spieler_Entfernen(0, erster_markt + 9));
    ASSERT_TRUE(Team_Spieler_Hinzufuegen(0, erster_markt + 9));
    auto plain = [&](int32_t tag) {
        std::vector<int32_t> slots(size_t(Spieler_Anzahl()), -1);
        std::vector<int32_t> alle(size_t(Spieler_Anzahl()), -1);
        alle.resize(size_t(Teamspieler_Ins_Array(0, alle.data(), int32_t(alle.size()), 0)));
        std::vector<int32_t> art[4], uebrig;
        for (int32_t p : alle) {
            slots[size_t(p)] = 19;
            if (!(Spieler_Status(p) & SP_STATUS_SCOUT)) art[Spieler_Get_Art(p)].push_back(p);
        }
        auto ziehen = [](std::vector<int32_t>& pool) {
            const int32_t i = Rnd(0, int32_t(pool.size()) - 1);
            const int32_t p = pool[size_t(i)];
            pool.erase(pool.begin() + i);
            return p;
        };
        Rnd_Push();
        Rnd_Set_Index(int32_t((int64_t(tag) * 7919) % RND_TABELLE), 0);
        int32_t slot = 0, fehlt = 0;
        for (int32_t a = 0; a < 4; ++a)
            for (int32_t k = 0; k < MARKT_ELF_ARTEN[a]; ++k) {
                if (art[a].empty()) ++fehlt;
                else slots[size_t(ziehen(art[a]))] = slot++;
            }
        for (auto& a : art) uebrig.insert(uebrig.end(), a.begin(), a.end());
        while (fehlt-- > 0 && !uebrig.empty()) slots[size_t(ziehen(uebrig))] = slot++;
        Rnd_Pop();
        return slots;
    };
    for (int32_t tag : {0, 1, 2, 17, 365, 800}) {
        SCOPED_TRACE(tag);
        const int32_t index = Rnd_Get_Index();
        const std::vector<int32_t> erwartet = plain(tag);
        Markt_Elf_Aufstellen(tag);
        EXPECT_EQ(Rnd_Get_Index(), index) << "the day's draw leaves the game's dice alone";
        int32_t elf = 0;
        for (int32_t p = erster_markt; p < Spieler_Anzahl(); ++p) {
            EXPECT_EQ(Spieler_Wert(SPW_SLOT, p, 0, OP_LESEN), erwartet[size_t(p)]) << "player " << p;
            elf += Spieler_Wert(SPW_SLOT, p, 0, OP_LESEN) < 11;
        }
        EXPECT_EQ(elf, 11);
    }
    Markt_Elf_Zuruecksetzen();
}

// The market's list read in place is the list the squad lists give, as
// players leave the market, come back and move to a club.
TEST_F(TeamTest, TheMarketsListReadInPlaceFollowsTheMarket) {
    auto pruefen = [](const char* wann) {
        std::vector<int32_t> soll(size_t(Spieler_Anzahl()) + 1);
        soll.resize(size_t(Teamspieler_Ins_Array(Team_Markt(), soll.data(), int32_t(soll.size()), 0)));
        int32_t laenge = -1;
        const int32_t* liste = Team_Markt_Liste(&laenge);
        ASSERT_GE(laenge, 0) << wann;
        EXPECT_EQ(std::vector<int32_t>(liste, liste + laenge), soll) << wann;
    };
    const int32_t letzter = Spieler_Anzahl() - 1;
    pruefen("start");
    ASSERT_TRUE(Team_Spieler_Entfernen(0, letzter - 1));
    pruefen("one left");
    ASSERT_TRUE(Team_Spieler_Hinzufuegen(0, letzter - 1));
    pruefen("back at the end");
    ASSERT_TRUE(Team_Spieler_Entfernen(0, letzter));
    ASSERT_TRUE(Team_Spieler_Hinzufuegen(2, letzter) || Team_Spieler_Hinzufuegen(3, letzter));
    pruefen("moved to a club");
}

TEST_F(TeamTest, ListsRefuseFullClubsAndDoublePlayers) {
    EXPECT_FALSE(Team_Spieler_Hinzufuegen(3, 0));   // already at club 2
    int32_t markt = Spieler_Anzahl() - 1;
    EXPECT_FALSE(Team_Spieler_Hinzufuegen(2, markt));        // still on the market
    for (int32_t p = markt; p > markt - 3; --p) EXPECT_TRUE(Team_Spieler_Entfernen(0, p));
    EXPECT_TRUE(Team_Spieler_Hinzufuegen(2, markt));
    EXPECT_EQ(Spieler_Get_Team(markt), 2);
    EXPECT_TRUE(Team_Spieler_Hinzufuegen(2, markt - 1));
    EXPECT_FALSE(Team_Spieler_Hinzufuegen(2, markt - 2));   // 20 is full
    EXPECT_EQ(Spieler_Get_Team(markt - 2), -1);
    EXPECT_FALSE(Team_Spieler_Entfernen(3, markt));          // not his club
}

TEST_F(TeamTest, PlayersComeAndGo) {
    ASSERT_TRUE(Team_Spieler_Kommt_Und_Geht(2, 3, 5, 20, 0));
    EXPECT_EQ(Spieler_Get_Team(5), 3);
    EXPECT_EQ(Spieler_Get_Team(20), 2);
    int32_t markt = Spieler_Anzahl() - 1;
    ASSERT_TRUE(Team_Spieler_Kommt_Und_Geht(2, 0, 6, -1, 0));
    EXPECT_EQ(Spieler_Get_Team(6), 0);
    EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 20, 0), 17);
    EXPECT_FALSE(Team_Spieler_Kommt_Und_Geht(2, 3, markt, -1, 0));   // not his club
}

TEST_F(TeamTest, StrengthSumsTheAvailableStartersOrAllPlayers) {
    // Club 2: player i has strength i % 13 (value 92 and 94).
    int32_t starter = 0, alle = 0;
    for (int32_t i = 0; i < 18; ++i) {
        alle += i % 13;
        if (i < 11) starter += i % 13;
    }
    EXPECT_EQ(Team_Berechne_Staerke(2, 16), starter);
    EXPECT_EQ(Team_Berechne_Staerke(2, 0), alle);
    EXPECT_EQ(Team_Get_Staerke(2), alle);
    Spieler_Wert(75, 10, SP_STATUS_ROT, OP_SETZEN);            // sent off: not available
    EXPECT_EQ(Team_Berechne_Staerke(2, 16), starter - 10);
    for (int32_t i = 0; i < 11; ++i) Spieler_Wert(58, i, 12000, 1);
    Spieler_Wert(75, 10, SP_STATUS_ROT, OP_LOESCHEN);
    EXPECT_EQ(Team_Berechne_Staerke(2, 16), 132);               // the top of the dice scale
    EXPECT_EQ(Team_Berechne_Staerke(1, 16), 0);                 // a country without players
    EXPECT_STREQ(Team_Format_Staerke(13, 5), "6.5");
    EXPECT_STREQ(Team_Format_Staerke(12, 0), "6.0");
    // Every screen's strength: the half star it holds, never another figure as the decimal.
    const struct {
        int32_t wert;
        const char* text;
    } staerken[] = {{103, "51.5"}, {102, "51.0"}, {1, "0.5"}, {0, "0.0"}, {132, "66.0"}};
    for (const auto& s : staerken) EXPECT_STREQ(Team_Staerke_Text(s.wert), s.text) << s.wert;
    test::Welt_Freigeben();
    EXPECT_EQ(Team_Berechne_Staerke(2, 16), -1);
}

TEST_F(TeamTest, AttributeFigureCountsLearntTalents) {
    EXPECT_EQ(Team_Berechne_Attribute(2, 0), 0);
    Spieler_Wert(3, 0, 5, 1);
    Spieler_Wert(4, 0, 5, 1);
    Spieler_Wert(4, 1, 1, 1);   // chosen, no points yet
    EXPECT_EQ(Team_Berechne_Attribute(2, 0), 2 * 10 / 18);
    EXPECT_EQ(Team_Berechne_Attribute(2, 16), 2 * 10 / 11);
}

TEST_F(TeamTest, ClubChecks) {
    EXPECT_TRUE(Team_Ist_Normal(2, 0));
    EXPECT_FALSE(Team_Ist_Normal(0, 0));    // the market
    EXPECT_FALSE(Team_Ist_Normal(1, 0));    // a country
    EXPECT_TRUE(Team_Ist_Nationalteam(1));
    Team_Wert(11, 4, -1, 1);
    EXPECT_FALSE(Team_Ist_Normal(4, 0));    // no competition
    EXPECT_FALSE(Team_Hat_Wettbewerb(4));
    EXPECT_FALSE(Team_Ist_Normal(99, 0));
    EXPECT_NE(Team_Zeiger(14, 1, nullptr, 0), nullptr);
    EXPECT_EQ(Team_Zeiger(14, 2, nullptr, 0), nullptr);
}

TEST_F(TeamTest, RandomPlayersOfASmallSquadEndAndHalveAll) {
    Team_Free(0);
    Spieler_Init(3);
    Team_Init(2);
    for (int32_t p = 0; p < 3; ++p) {
        Team_Spieler_Hinzufuegen(1, p);
        Spieler_Wert(58, p, 8000, 1);
    }
    Team_Zufaellige_Spieler(1);
    for (int32_t p = 0; p < 3; ++p) EXPECT_EQ(Spieler_Wert(58, p, 0, 0), 4000);
}

TEST_F(TeamTest, RandomPlayersHalveFourDifferentPlayers) {
    for (int32_t runde = 0; runde < 20; ++runde) {
        for (int32_t p = 0; p < 18; ++p) Spieler_Wert(58, p, 8000, 1);
        Team_Zufaellige_Spieler(2);
        int32_t halbiert = 0;
        for (int32_t p = 0; p < 18; ++p) halbiert += Spieler_Wert(58, p, 0, 0) == 4000;
        EXPECT_EQ(halbiert, 4);
    }
}

TEST_F(TeamTest, MoraleChangesByPercentAndIsClamped) {
    struct Fall {
        int32_t vorher, prozent, nachher;
    } faelle[] = {{4, 50, 6}, {4, -50, 2}, {2, 100, 4}, {6, -100, 0}, {3, 10, 3}};
    for (const Fall& f : faelle) {
        Spieler_Wert(90, 0, f.vorher, 1);
        EXPECT_EQ(Team_Set_Moral(f.prozent), 1);
        EXPECT_EQ(Spieler_Wert(90, 0, 0, 0), f.nachher) << f.vorher << " " << f.prozent;
    }
    Spieler_Wert(90, 0, 3, 1);
    EXPECT_EQ(Team_Set_Moral(101), 0);
    EXPECT_EQ(Spieler_Wert(90, 0, 0, 0), 3);
}

TEST_F(TeamTest, SearchesOverClubs) {
    EXPECT_EQ(Team_Suche_Spieler_Mit_Art(2, 0), 0);
    EXPECT_EQ(Team_Suche_Spieler_Mit_Art(2, 3), 2);
    int32_t arten[4];
    EXPECT_EQ(Team_Get_Spieler_Art_Array(2, arten, -1, 0), 18);
    EXPECT_EQ(arten[0], 1);
    EXPECT_EQ(arten[0] + arten[1] + arten[2] + arten[3], 18);

    int32_t liste[TEAM_MAX];
    // Club 3 weakest: its players lose strength.
    for (int32_t p = 18; p < 36; ++p) Spieler_Wert(58, p, 0, 1);
    int32_t n = Team_Suche_Vereine_Von_Nation(1, liste, 1, 0);
    ASSERT_EQ(n, 4);
    // Competition 50 (clubs 2, 4) before 51 (3, 5); within one, the stronger first.
    EXPECT_EQ(liste[0] % 2, 0);
    EXPECT_EQ(liste[2], 5);
    EXPECT_EQ(liste[3], 3);
    Team_Wert(11, 4, -1, 1);
    EXPECT_EQ(Team_Suche_Vereine_Von_Nation(1, liste, 1, 0), 3);
    EXPECT_EQ(Team_Suche_Vereine_Von_Nation(1, liste, 1, 1), 4);
    EXPECT_EQ(liste[3], 4);

    for (int32_t p = 54; p < 72; ++p) static_cast<SpielerClientEgal*>(Spieler_Zeiger(502, p))->marktwert = 1000000;
    for (int32_t p = 0; p < 18; ++p) static_cast<SpielerClientEgal*>(Spieler_Zeiger(502, p))->marktwert = 200000;
    EXPECT_EQ(Team_Suche_Spieler(5, -1, 0), 10);
    EXPECT_EQ(Team_Suche_Spieler(2, -1, 16), 2);
    ASSERT_EQ(Team_Suche_Alle_Nach_Wert(liste), 3);   // club 4 has no competition now
    EXPECT_EQ(liste[0], 5);
    EXPECT_EQ(liste[1], 2);
    EXPECT_EQ(liste[2], 3);
}

TEST_F(TeamTest, RandomOpponentPrefersTheSameLeague) {
    for (int32_t i = 0; i < 30; ++i) {
        int32_t g = Team_Zufaelliger_Gegner(2, 1);
        EXPECT_EQ(g, 4);   // the only other club of competition 50
        int32_t x = Team_Zufaelliger_Gegner(2, 0);
        EXPECT_TRUE(x >= 3 && x <= 5) << x;
        int32_t z = Team_Zufaelliges_Aus_Liste();
        EXPECT_TRUE(z >= 2 && z <= 5) << z;
    }
}

TEST_F(TeamTest, StartersAsSixteenBitNumbersFitThirtyTwoBytes) {
    uint8_t puffer[32 + 8];
    std::memset(puffer, 0xAB, sizeof puffer);
    Spieler_Wert(87, 5, 15, 1);   // slot 5 now empty
    ASSERT_NE(Team_Zeiger(726, 3, puffer, 0), nullptr);
    int16_t elf[11];
    std::memcpy(elf, puffer, sizeof elf);
    for (int32_t i = 0; i < 11; ++i) EXPECT_EQ(elf[i], 18 + i);
    for (size_t i = 32; i < sizeof puffer; ++i) EXPECT_EQ(puffer[i], 0xAB);
    Team_Zeiger(726, 2, puffer, 0);
    std::memcpy(elf, puffer, sizeof elf);
    EXPECT_EQ(elf[5], -1);
}

TEST_F(TeamTest, KitsAndFormationsThroughPointers) {
    uint8_t farben[36];
    for (int32_t i = 0; i < 36; ++i) farben[i] = uint8_t(i * 7);
    ASSERT_NE(Team_Zeiger(700, 2, farben, 1), nullptr);
    EXPECT_EQ(std::memcmp(Team_Zeiger(700, 2, nullptr, 0), farben, 36), 0);
    EXPECT_EQ(Team_Zeiger(700, 77, nullptr, 0), nullptr);
    Formation f[TEAM_FORMATIONEN] = {};
    f[3].zelle[4][0] = 5;
    f[3].zelle[4][1] = 9;
    ASSERT_NE(Team_Zeiger(705, 2, f, 1), nullptr);
    Formation zurueck[TEAM_FORMATIONEN];
    ASSERT_NE(Team_Zeiger(705, 2, zurueck, OP_ZEIGER_LESEN), nullptr);
    EXPECT_EQ(zurueck[3].zelle[4][1], 9);
}

TEST_F(TeamTest, SaveAndLoadAreByteIdentical) {
    Team_Spielstand_Setzen(1, 3);
    Team_Lokal_Setzen(2);
    Team_Wert(7, 3, 2048, OP_SETZEN);
    Team_Wert(8, 4, 2, 1);
    std::vector<uint8_t> spieler, eins, zwei;
    Spieler_Save(spieler);
    Team_Save(eins);
    Team_Free(0);
    Spieler_Free();
    ASSERT_TRUE(Spieler_Load(spieler.data(), spieler.size()));
    ASSERT_TRUE(Team_Load(eins.data(), eins.size()));
    Team_Save(zwei);
    EXPECT_EQ(eins, zwei);
    EXPECT_EQ(Team_Spiel_Laeuft(), 1);
    EXPECT_EQ(Team_Spiel_Level(), 3);
    EXPECT_EQ(Team_Lokal(), 2);
    EXPECT_EQ(Team_Markt(), 0);
    EXPECT_EQ(Spieler_Get_Team(20), 3);
    EXPECT_EQ(Spieler_Get_Team(Spieler_Anzahl() - 1), 0);
}

TEST_F(TeamTest, DamagedBlocksAreRefused) {
    std::vector<uint8_t> gut;
    Team_Save(gut);
    const size_t kopf = 20;
    const size_t fix0 = kopf + sizeof(TeamStruktur) * size_t(Team_Anzahl());
    auto mit = [&](size_t pos, uint8_t wert) {
        std::vector<uint8_t> b = gut;
        b[pos] = wert;
        return b;
    };
    std::vector<std::vector<uint8_t>> kaputt = {
        {},
        std::vector<uint8_t>(gut.begin(), gut.end() - 1),
        mit(0, 0xFF),                                            // team count
        mit(12, 0x40),                                           // market team out of range
        mit(fix0 + sizeof(TeamFix) * 2 + 4, 21),                // 21 players in club 2
        mit(fix0 + sizeof(TeamFix) * 3 + 8, 0),                 // club 3 lists player 0 of club 2
    };
    Team_Wert(9, 2, 77, 1);
    for (size_t i = 0; i < kaputt.size(); ++i) {
        EXPECT_FALSE(Team_Load(kaputt[i].data(), kaputt[i].size())) << i;
        EXPECT_EQ(Team_Wert(9, 2, 0, 0), 77) << i;
    }
}

TEST_F(TeamTest, AfterMatchUpdateSetsTheTeamValue) {
    for (int32_t p = 0; p < 18; ++p) Spieler_Wert(58, p, 9000, 1);
    Team_Saison_Aktualisieren(2);
    EXPECT_EQ(Team_Wert(2, 2, 0, 0), 90);
    for (int32_t p = 0; p < 18; ++p) Spieler_Wert(58, p, 100, 1);
    Team_Saison_Aktualisieren(2);
    EXPECT_EQ(Team_Wert(2, 2, 0, 0), 40);
}

}  // namespace
}  // namespace velmora
