// tests/season/tabelle_test.cpp - league tables from entered results.
#include <cstring>
#include <functional>
#include <map>

#include "core/bytes.h"
#include "core/mem.h"
#include "core/pack.h"
#include "tests/season/season_welt.h"

namespace velmora::test {
namespace {

// One country with one league of four clubs A=2, B=3, C=4, D=5.
class KleineLiga : public ::testing::Test {
protected:
    void SetUp() override {
        Rnd_Init();
        WettbewerbWeltOptionen o;
        o.freundschaft = false;
        o.quali_plaetze = 0;
        auto w = Wettbewerb_Welt_Beschreiben(Laender_Bauen(1, 1, 4), o);
        w.resize(1);   // the league only
        Spiele_Init();
        Wettbewerb_Init(w);
        Wettbewerb_Saison_Start();
        liga = w[0].id;
    }
    void TearDown() override { Welt_Ende(); }

    // Sets the result of the game (home, away) wherever the fixtures put it.
    void Setzen(int32_t heim, int32_t gast, int32_t th, int32_t tg) {
        for (int32_t nr = 0; nr < Spiele_Anzahl(); ++nr) {
            const SpielDatensatz* s = Spiele_Nummer(nr);
            if (s->wettbewerb == liga && s->heim == heim && s->gast == gast) {
                Spiele_Set_Ergebnis(Spiele_Handle(nr), th, tg, SPIEL_ERGEBNIS_GESPIELT);
                return;
            }
        }
        FAIL() << "no game " << heim << "-" << gast;
    }
    // The first-half game of a pair, with the pair's goals given per club.
    void Setzen_Hinrunde(int32_t a, int32_t b, int32_t tore_a, int32_t tore_b) {
        for (int32_t nr = 0; nr < Spiele_Anzahl(); ++nr) {
            const SpielDatensatz* s = Spiele_Nummer(nr);
            if (s->wettbewerb != liga || s->runde > 3) continue;
            if (s->heim == a && s->gast == b) return Spiele_Set_Ergebnis(Spiele_Handle(nr), tore_a, tore_b, 1);
            if (s->heim == b && s->gast == a) return Spiele_Set_Ergebnis(Spiele_Handle(nr), tore_b, tore_a, 1);
        }
        FAIL() << "no first-half game " << a << "-" << b;
    }
    std::vector<int32_t> Reihe(const TabellenPuffer& p) {
        std::vector<int32_t> r;
        for (int32_t i = 0; i < p.anzahl; ++i) r.push_back(p.zeile[p.reihenfolge[i]].team);
        return r;
    }
    const TabellenZeile& Zeile(const TabellenPuffer& p, int32_t team) {
        for (int32_t i = 0; i < p.anzahl; ++i)
            if (p.zeile[i].team == team) return p.zeile[i];
        static TabellenZeile leer{};
        return leer;
    }
    void Volle_Saison() {
        Setzen(2, 3, 2, 0), Setzen(3, 2, 1, 1);
        Setzen(2, 4, 1, 1), Setzen(4, 2, 0, 2);
        Setzen(2, 5, 0, 1), Setzen(5, 2, 1, 3);
        Setzen(3, 4, 3, 0), Setzen(4, 3, 2, 2);
        Setzen(3, 5, 1, 0), Setzen(5, 3, 0, 0);
        Setzen(4, 5, 4, 1), Setzen(5, 4, 1, 1);
    }
    int32_t liga = -1;
    TabellenPuffer p{};
};

TEST_F(KleineLiga, TableMatchesTheHandComputedOne) {
    Volle_Saison();
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &p), 4);
    EXPECT_EQ(Reihe(p), (std::vector<int32_t>{2, 3, 4, 5}));
    struct Soll {
        int32_t team, spiele, s, u, n, punkte, tore, gegen;
    };
    const Soll soll[] = {{2, 6, 3, 2, 1, 11, 9, 4}, {3, 6, 2, 3, 1, 9, 7, 5}, {4, 6, 1, 3, 2, 6, 8, 10},
                         {5, 6, 1, 2, 3, 5, 4, 9}};
    for (const Soll& x : soll) {
        const TabellenZeile& z = Zeile(p, x.team);
        EXPECT_EQ(z.spiele[0], x.spiele) << x.team;
        EXPECT_EQ(z.siege[0], x.s) << x.team;
        EXPECT_EQ(z.unentschieden[0], x.u) << x.team;
        EXPECT_EQ(z.niederlagen[0], x.n) << x.team;
        EXPECT_EQ(z.punkte[0], x.punkte) << x.team;
        EXPECT_EQ(z.tore[0], x.tore) << x.team;
        EXPECT_EQ(z.gegentore[0], x.gegen) << x.team;
        EXPECT_EQ(z.spiele[1] + z.spiele[2], z.spiele[0]);
        EXPECT_EQ(z.punkte[1] + z.punkte[2], z.punkte[0]);
    }
    EXPECT_EQ(Wettbewerb_Get_Tabellenplatz(liga, 4, 0, -1, 31, 0), 2);
    EXPECT_EQ(Wettbewerb_Get_Tabellenplatz(liga, 99, 0, -1, 31, 0), -1);
}

TEST_F(KleineLiga, HomeAndAwayFiltersOrderByTheirOwnGames) {
    Volle_Saison();
    ASSERT_EQ(Spiele_Statistik(liga, -1, 0, 31, TABELLE_HEIM, &p), 4);
    // Home: B 7 points; C and A 4 points and +1, C with more goals (6 to 3); D 2.
    EXPECT_EQ(Reihe(p), (std::vector<int32_t>{3, 4, 2, 5}));
    EXPECT_EQ(Zeile(p, 3).punkte[TABELLE_HEIM], 7);
    EXPECT_EQ(Zeile(p, 4).tore[TABELLE_HEIM], 6);
    ASSERT_EQ(Spiele_Statistik(liga, -1, 0, 31, TABELLE_AUSWAERTS, &p), 4);
    // Away: A 7, D 3, B 2 (-2), C 2 (-3).
    EXPECT_EQ(Reihe(p), (std::vector<int32_t>{2, 5, 3, 4}));
    // Counting only home games leaves every away column empty.
    ASSERT_EQ(Spiele_Statistik(liga, -1, 0, TABELLE_MIT_HEIM, TABELLE_GESAMT, &p), 4);
    EXPECT_EQ(Zeile(p, 2).spiele[TABELLE_GESAMT], 3);
    EXPECT_EQ(Zeile(p, 2).spiele[TABELLE_AUSWAERTS], 0);
    EXPECT_EQ(Zeile(p, 2).punkte[TABELLE_GESAMT], 4);
}

TEST_F(KleineLiga, EnglishTableTakesThreePointsPerHomeGame) {
    Volle_Saison();
    ASSERT_EQ(Spiele_Statistik(liga, -1, 1, 31, TABELLE_GESAMT, &p), 4);
    const int32_t soll[][2] = {{2, 2}, {3, 0}, {4, -3}, {5, -4}};
    for (auto& x : soll) EXPECT_EQ(Zeile(p, x[0]).punkte[0], x[1]) << x[0];
    Wettbewerb_Satz(liga)->modus |= MODUS_ENGLISCHE_TABELLE;
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &p), 4);
    EXPECT_EQ(Zeile(p, 2).punkte[0], 2);
}

TEST_F(KleineLiga, LevelClubsAreOrderedByTheirGamesAgainstEachOther) {
    // A and B: 6 points, 3:1 goals each; B won their game.
    Setzen_Hinrunde(2, 3, 0, 1);
    Setzen_Hinrunde(2, 4, 2, 0);
    Setzen_Hinrunde(2, 5, 1, 0);
    Setzen_Hinrunde(3, 4, 2, 0);
    Setzen_Hinrunde(3, 5, 0, 1);
    Setzen_Hinrunde(4, 5, 0, 0);
    ASSERT_EQ(Spiele_Statistik(liga, 3, 0, 31, TABELLE_GESAMT, &p), 4);
    EXPECT_EQ(Reihe(p), (std::vector<int32_t>{3, 2, 5, 4}));
    // Without the games among them the slot order stays: A (slot 0) before B.
    ASSERT_EQ(Wettbewerb_Satz(liga)->team[0], 2);
    ASSERT_EQ(Spiele_Statistik(liga, 3, 0, TABELLE_MIT_HEIM | TABELLE_MIT_AUSWAERTS, TABELLE_GESAMT, &p), 4);
    EXPECT_EQ(Reihe(p), (std::vector<int32_t>{2, 3, 5, 4}));
}

// The order asked for again and again follows every change it is made of: a
// result entered, entered again, taken back, no longer final, a live match's
// goals made final, the store loaded back.
TEST_F(KleineLiga, TableOrderFollowsEveryChangeOfItsGames) {
    auto frisch = [&] {
        TabellenPuffer q{};
        Spiele_Statistik(liga, -1, 0, TABELLE_MIT_HEIM | TABELLE_MIT_AUSWAERTS | TABELLE_MIT_DIREKT, TABELLE_GESAMT,
                         &q);
        return Reihe(q);
    };
    auto gemerkt = [&] {
        int32_t teams[TABELLE_TEAMS_MAX];
        int32_t n = Tabelle_Reihenfolge(liga, teams);
        return std::vector<int32_t>(teams, teams + n);
    };
    auto nummer = [&](int32_t heim, int32_t gast) {
        for (int32_t nr = 0; nr < Spiele_Anzahl(); ++nr) {
            const SpielDatensatz* s = Spiele_Nummer(nr);
            if (s->wettbewerb == liga && s->heim == heim && s->gast == gast) return nr;
        }
        ADD_FAILURE() << "no game " << heim << "-" << gast;
        return 0;
    };
    std::vector<int32_t> vorher;
    const std::vector<std::function<void()>> schritte = {
        [] {},
        [&] { Setzen(5, 4, 3, 0); },
        [&] { Setzen(4, 5, 2, 0); },
        [&] { Setzen(5, 4, 3, 4); },   // a result entered again
        [&] { Setzen(2, 3, 0, 9); },
        [&] { Spiele_Set_Status(Spiele_Handle(nummer(5, 4)), -1); },
        [&] { Spiele_Set_Flag(Spiele_Handle(nummer(2, 3)), SPIEL_FLAG_GESPIELT, false); },
        [&] {   // a match played live: its goals as events, then its result made final
            const Spiel_Lock h = Spiele_Handle(nummer(4, 2));
            for (int32_t minute = 10; minute < 15; ++minute)
                Spiel_Ereignis(h, EREIGNIS_HEIM | EREIGNIS_SCHUSS | EREIGNIS_TOR, minute, -1, -1);
            Spiele_Set_Nachspiel_Statistik(h);
        },
        [&] {   // the store saved, changed and loaded back: the order is the saved one
            std::vector<uint8_t> stand;
            Spiele_Save(stand);
            Setzen(3, 5, 6, 0);
            EXPECT_NE(gemerkt(), vorher);
            ASSERT_TRUE(Spiele_Load(stand.data(), stand.size()));
            EXPECT_EQ(gemerkt(), vorher);
            Setzen(5, 3, 0, 4);
        },
    };
    for (size_t i = 0; i < schritte.size(); ++i) {
        schritte[i]();
        const std::vector<int32_t> soll = frisch();
        ASSERT_EQ(soll.size(), 4u) << i;
        EXPECT_EQ(gemerkt(), soll) << "step " << i;
        EXPECT_EQ(gemerkt(), soll) << "step " << i << ", asked again";
        if (i > 0) {
            EXPECT_NE(soll, vorher) << "step " << i << " changed nothing the order shows";
        }
        vorher = soll;
    }
}

TEST_F(KleineLiga, TrendAndRoundResultsFollowTheRounds) {
    Volle_Saison();
    TabellenPuffer vorher{};
    ASSERT_EQ(Spiele_Statistik(liga, 5, 0, 31, 0, &vorher), 4);
    ASSERT_EQ(Spiele_Statistik(liga, 6, 0, 31, 0, &p), 4);
    for (int32_t platz = 0; platz < 4; ++platz) {
        int32_t team = vorher.zeile[vorher.reihenfolge[platz]].team;
        EXPECT_EQ(Zeile(p, team).vorher, platz);
    }
    for (int32_t platz = 0; platz < 4; ++platz) {
        const TabellenZeile& z = p.zeile[p.reihenfolge[platz]];
        EXPECT_EQ(z.trend, z.vorher - platz);
    }
    // Every round holds one result per club: win/draw/loss and the home mark.
    for (int32_t nr = 0; nr < Spiele_Anzahl(); ++nr) {
        const SpielDatensatz* s = Spiele_Nummer(nr);
        int32_t code = s->tore_heim > s->tore_gast ? 0 : s->tore_heim == s->tore_gast ? 1 : 2;
        EXPECT_EQ(Zeile(p, s->heim).verlauf[s->runde - 1], code + 4);
        EXPECT_EQ(Zeile(p, s->gast).verlauf[s->runde - 1], code == 1 ? 1 : 2 - code);
    }
    EXPECT_EQ(Zeile(p, 2).verlauf[6], 3);   // no round 7
}

TEST_F(KleineLiga, SnapshotUnpacksToTheSameTable) {
    Volle_Saison();
    ASSERT_TRUE(Tabelle_Schnappschuss(liga, 17));
    TabellenPuffer gespeichert{};
    ASSERT_TRUE(Statistik_Eintrag_Entpacken(&gespeichert, liga, 17));
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &p), 4);
    EXPECT_EQ(std::memcmp(&gespeichert, &p, sizeof p), 0);
    EXPECT_FALSE(Statistik_Eintrag_Entpacken(&gespeichert, liga, 18));
    std::vector<uint8_t> block;
    Tabelle_Save(block);
    Spiele_Tabellen_Cache_Loeschen(liga);
    EXPECT_FALSE(Statistik_Eintrag_Entpacken(&gespeichert, liga, 17));
    ASSERT_TRUE(Tabelle_Load(block.data(), block.size()));
    EXPECT_TRUE(Statistik_Eintrag_Entpacken(&gespeichert, liga, 17));
    block.pop_back();
    EXPECT_FALSE(Tabelle_Load(block.data(), block.size()));
    EXPECT_EQ(Tabelle_Schnappschuss_Anzahl(), 1);
}

// The save block a snapshot of `tabelle` makes: magic "TABL", count 1,
// competition, day, length and the packed table.
std::vector<uint8_t> Block_Mit(int32_t w, int32_t tag, const TabellenPuffer& tabelle) {
    uint32_t laenge = 0;
    void* gepackt = Puffer_Packen(&tabelle, sizeof tabelle, &laenge);
    EXPECT_NE(gepackt, nullptr);
    std::vector<uint8_t> block(20 + laenge);
    const uint32_t kopf[5] = {0x4C424154u, 1u, uint32_t(w), uint32_t(tag), laenge};
    for (int32_t i = 0; i < 5; ++i) Bytes_Put32(block.data() + 4 * i, kopf[i]);
    if (gepackt) std::memcpy(block.data() + 20, gepackt, laenge);
    Mem_Free(gepackt);
    return block;
}

TEST_F(KleineLiga, ASnapshotIsSavedAsTheTableStoodWhenItWasTaken) {
    Setzen(2, 3, 2, 0);
    ASSERT_TRUE(Tabelle_Schnappschuss(liga, 1));
    TabellenPuffer damals{};
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &damals), 4);
    // Results entered after the snapshot change the table, not the snapshot.
    Setzen(3, 2, 0, 4);
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &p), 4);
    ASSERT_NE(std::memcmp(&damals, &p, sizeof p), 0);
    std::vector<uint8_t> block;
    Tabelle_Save(block);
    EXPECT_EQ(block, Block_Mit(liga, 1, damals));
    // Saved twice, the same bytes.
    std::vector<uint8_t> noch_einmal;
    Tabelle_Save(noch_einmal);
    EXPECT_EQ(noch_einmal, block);
    TabellenPuffer gelesen{};
    ASSERT_TRUE(Statistik_Eintrag_Entpacken(&gelesen, liga, 1));
    EXPECT_EQ(std::memcmp(&gelesen, &damals, sizeof damals), 0);
}

TEST_F(KleineLiga, ASnapshotTakenAgainReplacesTheSavedOne) {
    Setzen(2, 3, 2, 0);
    ASSERT_TRUE(Tabelle_Schnappschuss(liga, 1));
    std::vector<uint8_t> erster;
    Tabelle_Save(erster);   // now packed
    Setzen(2, 3, 0, 5);
    ASSERT_TRUE(Tabelle_Schnappschuss(liga, 1));
    TabellenPuffer jetzt{};
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &jetzt), 4);
    TabellenPuffer gelesen{};
    ASSERT_TRUE(Statistik_Eintrag_Entpacken(&gelesen, liga, 1));
    EXPECT_EQ(std::memcmp(&gelesen, &jetzt, sizeof jetzt), 0);
    std::vector<uint8_t> zweiter;
    Tabelle_Save(zweiter);
    EXPECT_NE(zweiter, erster);
    EXPECT_EQ(zweiter, Block_Mit(liga, 1, jetzt));
    // A loaded block gives the same table back, and saves as it came.
    ASSERT_TRUE(Tabelle_Load(erster.data(), erster.size()));
    std::vector<uint8_t> wieder;
    Tabelle_Save(wieder);
    EXPECT_EQ(wieder, erster);
    EXPECT_EQ(Tabelle_Schnappschuss_Anzahl(), 1);
}

TEST_F(KleineLiga, UnplayedAndForeignCompetitionsGiveNoRows) {
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga, &p), 4);
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(p.zeile[i].spiele[0], 0);
    EXPECT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga + 1, &p), 0);
    EXPECT_EQ(Spiele_Statistik(liga, -1, 0, 31, 3, &p), 0);
    EXPECT_EQ(Spiele_Statistik(liga, -1, 0, 31, 0, nullptr), 0);
}

}  // namespace
}  // namespace velmora::test
