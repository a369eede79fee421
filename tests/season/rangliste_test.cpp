// tests/season/rangliste_test.cpp - the ranking list and the player
// statistics on the season tests' world with results entered by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/prioritaeten.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/statistik.h"
#include "tests/club/welt.h"
#include "tests/season/season_welt.h"

namespace velmora {
namespace {

struct RanglisteWelt {
    int32_t liga = -1;
    RanglisteWelt() {
        test::Volle_Welt(2, 2, 6);
        liga = Wettbewerb_Alle()[0];
        Wettbewerb_Satz(liga)->wichtigkeit = 50;
        Rangliste_Init();
    }
    ~RanglisteWelt() {
        Rangliste_Free();
        Statistik_Free();
        Kalender_Hooks() = KalenderHooks{};
        test::Welt_Ende();
    }
    // Plays pairing `p` of round `r` and enters it for both clubs.
    Spiel_Lock spielen(int32_t r, int32_t p, int32_t heim, int32_t gast) {
        test::Ergebnis(liga, r, p, 0, heim, gast);
        Spiel_Lock h = Spiele_Lock(liga, r, p, 0);
        const SpielDatensatz* d = Spiele_Get_Spiel(h, 1);
        Nach_Spiel_Team(d->heim, h);
        Nach_Spiel_Team(d->gast, h);
        Spiele_Unlock(h);
        return h;
    }
};

TEST(Rangliste, PointsFollowResultAndImportance) {
    struct Fall {
        int32_t wichtigkeit, heim, gast, punkte_heim, punkte_gast;
    } faelle[] = {{50, 2, 1, 9, 0}, {50, 1, 1, 3, 3}, {0, 0, 3, 0, 6}, {100, 4, 0, 12, 0}};
    for (const Fall& f : faelle) {
        RanglisteWelt w;
        Wettbewerb_Satz(w.liga)->wichtigkeit = f.wichtigkeit;
        Spiel_Lock h = w.spielen(1, 0, f.heim, f.gast);
        const SpielDatensatz* d = Spiele_Get_Spiel(h, 1);
        RanglisteSatz heim, gast;
        ASSERT_TRUE(Rangliste_Team(d->heim, &heim));
        ASSERT_TRUE(Rangliste_Team(d->gast, &gast));
        EXPECT_EQ(heim.wert[0], f.punkte_heim);
        EXPECT_EQ(gast.wert[0], f.punkte_gast);
        EXPECT_EQ(heim.spiele[0].gegner, d->gast);
        EXPECT_EQ(heim.spiele[0].gegner_heim, 0);
        EXPECT_EQ(gast.spiele[0].gegner_heim, 1);
        EXPECT_EQ(gast.spiele[0].tore_heim, f.heim);
        EXPECT_EQ(heim.spiele[1].gegner, -1);
    }
}

TEST(Rangliste, TheFormFieldKeepsOnlyTheLastTenMatches) {
    RanglisteWelt w;
    int32_t team = -1;
    for (int32_t r = 1; r <= 10; ++r) {   // a 6-club league plays 10 rounds in two legs
        for (int32_t p = 0; p < 3; ++p) w.spielen(r, p, 1, 0);
    }
    team = Spiele_Get_Spiel(Spiele_Lock(w.liga, 1, 0, 0), 1)->heim;
    RanglisteSatz s;
    ASSERT_TRUE(Rangliste_Team(team, &s));
    int32_t summe = 0;
    for (const RanglisteSpiel& e : s.spiele) {
        ASSERT_GE(e.gegner, 0);
        summe += e.punkte;
    }
    EXPECT_EQ(s.wert[1], summe);
    EXPECT_GE(s.wert[0], s.wert[1]);
    Rangliste_Tag();
    ASSERT_TRUE(Rangliste_Team(team, &s));
    EXPECT_EQ(s.gesamt, s.wert[0]);
    Rangliste_Saison_Ende();
    ASSERT_TRUE(Rangliste_Team(team, &s));
    EXPECT_EQ(s.wert[0], 0);
    EXPECT_EQ(s.punkte_frueher, s.gesamt);
}

TEST(Rangliste, PagesAndTopTenFollowTheOrders) {
    RanglisteWelt w;
    for (int32_t p = 0; p < 3; ++p) w.spielen(1, p, 3 - p, 0);
    Rangliste_Tag();
    int32_t n = Rangliste_Anzahl();
    ASSERT_EQ(n, 24);   // every club, no country and no market
    std::vector<RanglisteSatz> seite(static_cast<size_t>(n));
    ASSERT_EQ(Rangliste_Get_Seite(0, n, seite.data(), 0), n);
    for (int32_t i = 1; i < n; ++i) {
        EXPECT_GE(seite[size_t(i - 1)].wert[0], seite[size_t(i)].wert[0]);
        EXPECT_EQ(seite[size_t(i)].platz[0], i);
    }
    RanglisteSatz zwei[2];
    ASSERT_EQ(Rangliste_Get_Seite(n - 1, 5, zwei, 0), 1);   // the page ends with the list
    EXPECT_EQ(zwei[0].team, seite.back().team);
    EXPECT_EQ(Rangliste_Get_Seite(0, 5, zwei, 2), 0);
    EXPECT_EQ(Rangliste_Get_Seite(-1, 5, zwei, 0), 0);
    RanglisteSatz top[10];
    ASSERT_EQ(Rangliste_Top10(top), 10);
    EXPECT_EQ(top[0].team, seite[0].team);
    EXPECT_FALSE(Rangliste_Team(Team_Markt(), top));
}

TEST(Rangliste, ThePlaceAloneIsTheRecordsPlaceInBothOrders) {
    RanglisteWelt w;
    // Two days with different results: the places move, and the accessor follows.
    for (int32_t tag = 1; tag <= 2; ++tag) {
        for (int32_t p = 0; p < 3; ++p) w.spielen(tag, p, tag == 1 ? 3 - p : 0, tag == 1 ? 0 : p + 1);
        Rangliste_Tag();
        int32_t gesehen = 0;
        for (int32_t team = -1; team <= Team_Anzahl(); ++team) {
            RanglisteSatz r;
            if (!Rangliste_Team(team, &r)) {
                for (int32_t modus : {0, 1}) EXPECT_EQ(Rangliste_Platz(team, modus), -1) << team;
                continue;
            }
            ++gesehen;
            for (int32_t modus : {0, 1}) EXPECT_EQ(Rangliste_Platz(team, modus), r.platz[modus]) << team << " day " << tag;
            EXPECT_EQ(Rangliste_Platz(team, 2), -1);
            EXPECT_EQ(Rangliste_Platz(team, -1), -1);
        }
        EXPECT_EQ(gesehen, Rangliste_Anzahl());
    }
    EXPECT_EQ(Rangliste_Platz(Team_Markt(), 0), -1);
}

TEST(Rangliste, SaveAndLoadKeepRecordsAndOrders) {
    RanglisteWelt w;
    for (int32_t p = 0; p < 3; ++p) w.spielen(1, p, p, 1);
    Rangliste_Tag();
    std::vector<uint8_t> b;
    Rangliste_Save(b);
    RanglisteSatz vorher[10];
    ASSERT_EQ(Rangliste_Top10(vorher), 10);
    Rangliste_Free();
    std::vector<uint8_t> kaputt = b;
    kaputt.pop_back();
    EXPECT_FALSE(Rangliste_Load(kaputt.data(), kaputt.size()));
    EXPECT_FALSE(Rangliste_Ist_Initialisiert());
    kaputt = b;
    kaputt[0] ^= 1;
    EXPECT_FALSE(Rangliste_Load(kaputt.data(), kaputt.size()));
    ASSERT_TRUE(Rangliste_Load(b.data(), b.size()));
    RanglisteSatz nachher[10];
    ASSERT_EQ(Rangliste_Top10(nachher), 10);
    for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(std::memcmp(&vorher[i], &nachher[i], sizeof(RanglisteSatz)), 0) << i;
    std::vector<uint8_t> nochmal;
    Rangliste_Save(nochmal);
    EXPECT_EQ(nochmal, b);
}

// The records as saved, in their order.
std::vector<RanglisteSatz> Gespeicherte_Saetze() {
    std::vector<uint8_t> b;
    Rangliste_Save(b);
    const size_t bytes = offsetof(RanglisteSatz, titel);
    std::vector<RanglisteSatz> saetze((b.size() - 8) / bytes);
    for (size_t i = 0; i < saetze.size(); ++i) std::memcpy(&saetze[i], &b[8 + i * bytes], bytes);
    return saetze;
}

// Each order is the stable sort of the records by value, summary value and
// team; places and earlier places follow it, and so do the pages.
void Ordnungen_Pruefen(const std::vector<RanglisteSatz>& vorher) {
    const std::vector<RanglisteSatz> s = Gespeicherte_Saetze();
    ASSERT_EQ(s.size(), vorher.size());
    for (int32_t f = 0; f < 2; ++f) {
        std::vector<int32_t> o(s.size());
        for (size_t i = 0; i < o.size(); ++i) o[i] = int32_t(i);
        std::stable_sort(o.begin(), o.end(), [&](int32_t a, int32_t b) {
            const RanglisteSatz &x = s[size_t(a)], &y = s[size_t(b)];
            if (x.wert[f] != y.wert[f]) return x.wert[f] > y.wert[f];
            if (x.gesamt != y.gesamt) return x.gesamt > y.gesamt;
            return x.team < y.team;
        });
        std::vector<RanglisteSatz> seite(s.size());
        ASSERT_EQ(Rangliste_Get_Seite(0, int32_t(s.size()), seite.data(), f), int32_t(s.size()));
        for (size_t p = 0; p < o.size(); ++p) {
            const size_t r = size_t(o[p]);
            EXPECT_EQ(s[r].platz[f], int32_t(p)) << "order " << f << " record " << r;
            EXPECT_EQ(s[r].platz_vorher[f], vorher[r].platz[f]) << "order " << f << " record " << r;
            EXPECT_EQ(std::memcmp(&seite[p], &s[r], offsetof(RanglisteSatz, titel)), 0) << "order " << f << " place " << p;
        }
    }
}

// Day after day each order is sorted on from the day before; after a load
// it starts from the saved places, equal records and a club twice included.
TEST(Rangliste, OrdersAreTheStableSortOfTheirKeysEveryDay) {
    RanglisteWelt w;
    std::vector<RanglisteSatz> vorher = Gespeicherte_Saetze();
    Rangliste_Tag();
    Ordnungen_Pruefen(vorher);
    for (int32_t runde = 1; runde <= 8; ++runde) {
        SCOPED_TRACE(runde);
        for (int32_t p = 0; p < 3; ++p) w.spielen(runde, p, (runde * 7 + p * 3) % 4, (runde + p) % 3);
        vorher = Gespeicherte_Saetze();
        Rangliste_Tag();
        Ordnungen_Pruefen(vorher);
    }
    vorher = Gespeicherte_Saetze();
    Rangliste_Saison_Ende();
    Ordnungen_Pruefen(vorher);
    // A block with equal records, one club twice and its places reversed.
    std::vector<uint8_t> b;
    Rangliste_Save(b);
    const size_t bytes = offsetof(RanglisteSatz, titel);
    std::vector<RanglisteSatz> s = Gespeicherte_Saetze();
    for (size_t i = 0; i < s.size(); ++i) {
        if (i < 6) s[i].wert[0] = s[i].wert[1] = 30, s[i].punkte_frueher = 5;
        for (int32_t f = 0; f < 2; ++f) s[i].platz[f] = int32_t(s.size() - 1 - i);
    }
    s[1].team = s[0].team;
    for (size_t i = 0; i < s.size(); ++i) std::memcpy(&b[8 + i * bytes], &s[i], bytes);
    ASSERT_TRUE(Rangliste_Load(b.data(), b.size()));
    vorher = Gespeicherte_Saetze();
    Rangliste_Tag();
    Ordnungen_Pruefen(vorher);
    w.spielen(9, 0, 5, 0);
    vorher = Gespeicherte_Saetze();
    Rangliste_Tag();
    Ordnungen_Pruefen(vorher);
}

// Point fields a game never reaches refuse the block; the largest accepted
// ones add up without overflow through the day and the season's end.
TEST(Rangliste, LoadRefusesPointsOutsideTheirRange) {
    RanglisteWelt w;
    std::vector<uint8_t> b;
    Rangliste_Save(b);
    constexpr size_t ERSTER = 8;   // magic and count before the first record
    auto setzen = [](std::vector<uint8_t>& d, size_t feld, int32_t wert) { std::memcpy(&d[ERSTER + feld], &wert, 4); };
    const struct {
        size_t feld;
        int32_t wert;
    } faelle[] = {{offsetof(RanglisteSatz, wert), 1962934272},   {offsetof(RanglisteSatz, wert), -1},
                  {offsetof(RanglisteSatz, punkte_frueher), INT32_MAX}, {offsetof(RanglisteSatz, punkte_frueher), -7},
                  {offsetof(RanglisteSatz, wert), 100000001}};
    for (const auto& c : faelle) {
        std::vector<uint8_t> kaputt = b;
        setzen(kaputt, c.feld, c.wert);
        EXPECT_FALSE(Rangliste_Load(kaputt.data(), kaputt.size())) << c.feld << " = " << c.wert;
    }
    std::vector<uint8_t> gross = b;
    setzen(gross, offsetof(RanglisteSatz, wert), 100000000);
    setzen(gross, offsetof(RanglisteSatz, punkte_frueher), 100000000);
    ASSERT_TRUE(Rangliste_Load(gross.data(), gross.size()));
    int32_t team = 0;
    std::memcpy(&team, &gross[ERSTER], 4);
    Rangliste_Tag();
    RanglisteSatz s{};
    ASSERT_TRUE(Rangliste_Team(team, &s));
    EXPECT_GE(s.gesamt, 200000000);
    w.spielen(1, 0, 0, 1);
    Rangliste_Saison_Ende();
    // What the season left is saved and loads again.
    std::vector<uint8_t> danach;
    Rangliste_Save(danach);
    EXPECT_TRUE(Rangliste_Load(danach.data(), danach.size()));
}

int32_t Punkte(int32_t team) {
    RanglisteSatz s{};
    return Rangliste_Team(team, &s) ? s.wert[0] : -1;
}

// The club management's work after a match runs for each club, around the
// ranking's own step: the upkeep before the points are entered, the bank's
// period close after them.
TEST(Rangliste, AfterTheMatchTheClubManagementRunsAroundTheRankingStep) {
    RanglisteWelt w;
    static std::vector<std::pair<int32_t, int32_t>> vorher, nachher;   // team, its ranking points then
    vorher.clear();
    nachher.clear();
    // Entered in the opposite order of their priorities.
    Kalender_Hooks().nach_spiel_team.Anmelden(
        prio::NACH_SPIEL_BANK, [](int32_t team, Spiel_Lock) { nachher.push_back({team, Punkte(team)}); }, "Bank");
    Kalender_Hooks().nach_spiel_team.Anmelden(
        prio::NACH_SPIEL_UNTERHALT, [](int32_t team, Spiel_Lock) { vorher.push_back({team, Punkte(team)}); },
        "Stadion");
    Spiel_Lock h = w.spielen(1, 0, 1, 1);
    const SpielDatensatz* d = Spiele_Get_Spiel(h, 1);
    ASSERT_EQ(vorher.size(), 2u);
    ASSERT_EQ(nachher.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(vorher[i].first, i == 0 ? d->heim : d->gast);
        EXPECT_EQ(nachher[i].first, vorher[i].first);
        // Both clubs won points (a draw): the bank sees them entered, the upkeep not yet.
        EXPECT_GT(nachher[i].second, vorher[i].second);
    }
    Nach_Spiel_Team(-1, h);
    Nach_Spiel_Team(d->heim, 0);
    EXPECT_EQ(vorher.size(), 2u);
}

TEST(Statistik, EntriesCountPerKindForSeasonAndCareer) {
    test::Volle_Welt(1, 1, 4);
    Spieler_Init(30);
    ASSERT_TRUE(Statistik_Init());
    StatistikEintrag spiel{50, 2, STATISTIK_FLAG_SPIEL, 90, 0};
    StatistikEintrag tor{50, 2, STATISTIK_FLAG_TOR | STATISTIK_FLAG_VORLAGE, 0, 0};
    StatistikEintrag karten{50, 2, STATISTIK_FLAG_GELB | STATISTIK_FLAG_ROT, 0, 0};
    EXPECT_TRUE(Statistik_Spieler_Eintragen(7, &spiel, 2));
    EXPECT_TRUE(Statistik_Spieler_Eintragen(7, &tor, 1));
    EXPECT_TRUE(Statistik_Spieler_Eintragen(7, &karten, 1));
    struct Fall {
        int32_t art, wert;
    } faelle[] = {{STATISTIK_SPIELE, 2}, {STATISTIK_TORE, 1},         {STATISTIK_VORLAGEN, 1},
                  {STATISTIK_GELB, 1},   {STATISTIK_PLATZVERWEISE, 1}, {STATISTIK_MINUTEN, 180}, {99, 0}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(Spieler_Get_Spieler_Statistik(f.art, 7, 0), f.wert) << f.art;
        EXPECT_EQ(Spieler_Get_Spieler_Statistik(f.art, 7, 1), f.wert) << f.art;
        EXPECT_EQ(Spieler_Get_Spieler_Statistik(f.art, 8, 0), 0) << f.art;
    }
    EXPECT_FALSE(Statistik_Spieler_Eintragen(30, &spiel, 1));
    EXPECT_FALSE(Statistik_Spieler_Eintragen(-1, &spiel, 1));
    EXPECT_FALSE(Statistik_Spieler_Eintragen(3, nullptr, 1));
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_TORE, 5000, 0), 0);
    std::vector<uint8_t> b;
    Statistik_Save(b);
    Statistik_Saison_Ende();
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, 7, 0), 0);
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, 7, 1), 2);
    std::vector<uint8_t> kaputt(b.begin(), b.end() - 1);
    EXPECT_FALSE(Statistik_Load(kaputt.data(), kaputt.size()));
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, 7, 1), 2);
    ASSERT_TRUE(Statistik_Load(b.data(), b.size()));
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, 7, 0), 2);
    Statistik_Free();
    test::Welt_Ende();
}

// The block a client takes from the server: the ranking list, the players'
// statistics and the titles, each with its length. One part that does not
// fit refuses the whole block: the parts before it stay as they were.
TEST(Rangliste, AClientTakesTheServersTalliesWholeOrNotAtAll) {
    RanglisteWelt w;
    Spieler_Init(30);
    ASSERT_TRUE(Statistik_Init());
    const Spiel_Lock h = w.spielen(1, 0, 3, 1);
    const StatistikEintrag tor{50, 2, STATISTIK_FLAG_TOR | STATISTIK_FLAG_VORLAGE, 0, 0};
    ASSERT_TRUE(Statistik_Spieler_Eintragen(7, &tor, 2));
    auto teil = [](void (*speichern)(std::vector<uint8_t>&), std::vector<uint8_t>& out, size_t weg) {
        std::vector<uint8_t> b;
        speichern(b);
        b.resize(b.size() - weg);
        const uint32_t n = uint32_t(b.size());
        out.insert(out.end(), reinterpret_cast<const uint8_t*>(&n), reinterpret_cast<const uint8_t*>(&n) + 4);
        out.insert(out.end(), b.begin(), b.end());
    };
    std::vector<uint8_t> server, kaputt;
    for (auto* s : {Rangliste_Save, Statistik_Save, Saison_Save}) teil(s, server, 0);
    teil(Rangliste_Save, kaputt, 0);
    teil(Statistik_Save, kaputt, 1);
    teil(Saison_Save, kaputt, 0);
    const int32_t team = Spiele_Get_Spiel(h, 1)->heim;
    RanglisteSatz vorher;
    ASSERT_TRUE(Rangliste_Team(team, &vorher));
    ASSERT_GT(vorher.wert[0], 0);

    // The client: its own tallies hold nothing.
    ASSERT_TRUE(Rangliste_Init());
    ASSERT_TRUE(Statistik_Init());
    EXPECT_FALSE(Rangliste_Stand_Laden(kaputt.data(), kaputt.size()));
    EXPECT_FALSE(Rangliste_Stand_Laden(server.data(), server.size() - 1));
    EXPECT_FALSE(Rangliste_Stand_Laden(nullptr, 0));
    RanglisteSatz r;
    ASSERT_TRUE(Rangliste_Team(team, &r));
    EXPECT_EQ(r.wert[0], 0) << "the ranking part of a refused block is not kept";
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_TORE, 7, 0), 0);
    ASSERT_TRUE(Rangliste_Stand_Laden(server.data(), server.size()));
    ASSERT_TRUE(Rangliste_Team(team, &r));
    EXPECT_EQ(std::memcmp(&r, &vorher, sizeof r), 0) << "the server's record";
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_TORE, 7, 0), 2);
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_VORLAGEN, 7, 1), 2);
}

// The best-player lines name their kind; the table of all kinds lists the
// goals, then the assists, then the games, each kind by its count.
TEST(Statistik, TheBestPlayersTablesByKindAndOfAllKinds) {
    test::Welt_Bauen(1, 18);   // team 2: players 0-17, "Spieler<n>"
    ASSERT_TRUE(Statistik_Init());
    const StatistikEintrag spiel{50, 2, STATISTIK_FLAG_SPIEL, 90, 0}, tor{50, 2, STATISTIK_FLAG_TOR, 0, 0},
        vorlage{50, 2, STATISTIK_FLAG_VORLAGE, 0, 0};
    for (const auto& [p, e, n] : {std::tuple{3, &tor, 2}, {3, &spiel, 12}, {5, &tor, 1}, {5, &vorlage, 1},
                                  {7, &vorlage, 3}, {1, &spiel, 12}})
        ASSERT_TRUE(Statistik_Spieler_Eintragen(p, e, n));
    const struct {
        int32_t art;
        std::vector<std::string> zeilen;
    } faelle[] = {
        {STATISTIK_TABELLE_TORE, {"Spieler3: 2 Tore", "Spieler5: 1 Tor"}},
        {STATISTIK_TABELLE_VORLAGEN, {"Spieler7: 3 Vorlagen", "Spieler5: 1 Vorlage"}},
        {STATISTIK_TABELLE_ALLE,
         {"Spieler3: 2 Tore", "Spieler5: 1 Tor", "Spieler7: 3 Vorlagen", "Spieler5: 1 Vorlage", "Spieler1: 12 Spiele",
          "Spieler3: 12 Spiele"}},
    };
    for (const auto& f : faelle) {
        char zeilen[8][STATISTIK_ZEILE];
        const int32_t n = Statistik_Tabelle_Erstellen(-1, 2, -1, f.art, -1, zeilen, 8);
        EXPECT_EQ(std::vector<std::string>(zeilen, zeilen + n), f.zeilen) << f.art;
    }
    char zeilen[3][STATISTIK_ZEILE];
    EXPECT_EQ(Statistik_Tabelle_Erstellen(-1, 2, -1, STATISTIK_TABELLE_ALLE, -1, zeilen, 3), 3) << "at most max lines";
    EXPECT_EQ(Statistik_Tabelle_Erstellen(-1, 99, -1, STATISTIK_TABELLE_ALLE, -1, zeilen, 3), 0) << "no such team";
    Statistik_Free();
    test::Welt_Freigeben();
}

}  // namespace
}  // namespace velmora
