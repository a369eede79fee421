// Player match values: base strength, form and fatigue, talents, caps and the
// rule that a valuation always starts again from the club data.
#include <algorithm>
#include <cstring>
#include <vector>

#include "club/spieler.h"
#include "core/rnd.h"
#include "match/live/spielfeld_staerke.h"
#include "match_welt.h"
#include "tests/support/pruefung.h"

namespace velmora::test {
namespace {

class StaerkeTest : public SpielTest {
protected:
    int32_t Spieler(int32_t slot) { return s->spieler[slot].nummer; }
};

TEST_F(StaerkeTest, RevaluingGivesTheSameValuesAndKeepsTheFitnessByte) {
    const int32_t slot = 5;
    int32_t p = Spieler(slot);
    Spieler_Wert(56, p, 9, 1);            // nine appearances in a row: value 27 = 1000
    Fake().talente.insert({p, 11});       // fitness + 1 per valuation, as written
    Fake().talente.insert({p, 30});       // fitness + 2
    Spielfeld_Get_Spielerstaerke(s, 2, slot);
    Spieler_Matchsatz erst = s->spieler[slot];
    EXPECT_EQ(erst.werte[27], 1000);
    EXPECT_EQ(erst.fitness, 3);
    for (int32_t i = 0; i < 50; ++i) Spielfeld_Get_Spielerstaerke(s, 2, slot);
    EXPECT_EQ(std::memcmp(erst.werte, s->spieler[slot].werte, sizeof erst.werte), 0);
    EXPECT_EQ(s->spieler[slot].fitness, 3);
    EXPECT_EQ(s->spieler[slot].werte[27], 1000) << "value 27 never compounds";
}

TEST_F(StaerkeTest, BaseIsZeroWhenThePositionPenaltyEqualsTheStrength) {
    const int32_t slot = 6;
    int32_t p = Spieler(slot);
    Spieler_Wert(58, p, 7000, 1);
    Spielfeld_Hooks().positionsstaerke = [](const Spielfeld_Satz*, int32_t, int32_t, int32_t) { return 7; };
    Spielfeld_Get_Spielerstaerke(s, 2, slot);
    EXPECT_EQ(s->spieler[slot].basis, 0);
    for (int32_t k = 1; k < SF_WERTE; ++k) {
        int32_t t = Spielfeld_Wert_Talent(k);
        if (t >= 0 && t <= 52 && k != 27) {
            EXPECT_EQ(s->spieler[slot].werte[k], 0) << "value " << k;
        }
    }
    Fake().talente.insert({p, 5});        // talent bonus "at least 100" on value 1
    Spielfeld_Get_Spielerstaerke(s, 2, slot);
    EXPECT_EQ(s->spieler[slot].werte[1], 150);   // start value at least 150, then +15 % of 0
}

TEST_F(StaerkeTest, FatigueCountsOnlyFromSixMatchesInARow) {
    const int32_t slot = 6;
    int32_t p = Spieler(slot);
    Spieler_Wert(58, p, 12000, 1);
    Spieler_Wert(57, p, 500, 1);
    Spieler_Wert(90, p, 3, 1);
    int32_t basis[10];
    for (int32_t n : {0, 5, 6, 9}) {
        Spieler_Wert(56, p, n, 1);
        Spielfeld_Get_Spielerstaerke(s, 2, slot);
        basis[n] = s->spieler[slot].basis;
    }
    // B = 999 x 1.1 = 1098; a = 1098 x 100 / 100; e = 1098 x 100 / 100.
    const int32_t b = 1098, a = b * (500 / 5) / 100, e = b * (3 * 100 / 6 + 50) / 100;
    EXPECT_EQ(basis[0], (60 * b + 10 * a + 15 * b + 15 * e) / 100);
    EXPECT_EQ(basis[5], basis[0]);
    EXPECT_EQ(basis[6], (60 * b + 10 * a + 15 * (b * 34 / 100) + 15 * e) / 100);
    EXPECT_EQ(basis[9], (60 * b + 10 * a + 15 * (b * 0 / 100) + 15 * e) / 100);
}

TEST_F(StaerkeTest, HeatCapsSpeedValuesAndColdCapsOthers) {
    const int32_t slot = 8;
    Spieler_Wert(58, Spieler(slot), 12000, 1);
    Spieler_Wert(57, Spieler(slot), 999, 1);
    Spieler_Wert(90, Spieler(slot), 6, 1);
    struct Fall {
        int32_t temperatur;
        int32_t k;
        bool gedeckelt;
    } faelle[] = {{30, 2, true}, {30, 3, true}, {30, 4, false}, {-3, 4, true}, {-3, 5, true}, {-3, 8, true}, {15, 2, false}};
    for (const Fall& c : faelle) {
        Fake().spiele[1].temperatur = c.temperatur;
        Spielfeld_Get_Spielerstaerke(s, 2, slot);
        ASSERT_GT(s->spieler[slot].basis, 800);
        if (c.gedeckelt) EXPECT_EQ(s->spieler[slot].werte[c.k], 800) << c.temperatur << " value " << c.k;
        else EXPECT_GT(s->spieler[slot].werte[c.k], 800) << c.temperatur << " value " << c.k;
    }
}

TEST_F(StaerkeTest, GoalkeeperValueZeroIsNeverScaledByTheHomeFactor) {
    ASSERT_TRUE(s->figur[0].torwart);
    ASSERT_FALSE(s->figur[5].torwart);
    for (int32_t slot : {0, 5}) Spieler_Wert(58, Spieler(slot), 9000, 1);
    Spielfeld_Get_Spielerstaerke(s, 2, 0);
    Spielfeld_Get_Spielerstaerke(s, 2, 5);
    int32_t tw = s->spieler[0].werte[0], feld = s->spieler[5].werte[0];
    // Value 0 of a goalkeeper is his talent part alone: the base.
    EXPECT_EQ(tw, std::max<int32_t>(s->spieler[0].basis, 1));
    int32_t f = 92 + std::min(20000 / 5000, 8);
    int32_t faktor = s->staerke[0] > s->staerke[1] ? f + 5 : f;
    EXPECT_EQ(feld, std::max<int32_t>(s->spieler[5].basis, 1) * faktor / 100);
    // Goalkeepers take values 3 and 7 from value 24.
    EXPECT_EQ(s->spieler[0].werte[3], s->spieler[0].werte[24]);
    EXPECT_EQ(s->spieler[0].werte[7], s->spieler[0].werte[24]);
}

TEST_F(StaerkeTest, TalentThirtyNineMakesValueZeroTheMaximum) {
    const int32_t slot = 0;   // the goalkeeper: no home factor
    Fake().talente.insert({Spieler(slot), 39});
    Spielfeld_Get_Spielerstaerke(s, 2, slot);
    EXPECT_EQ(s->spieler[slot].werte[0], 1300);
    for (int32_t b : {177, 178, 179, 181}) EXPECT_EQ(s->spieler[slot].talent_flag[TALENT_FLAG(b)], 1);
    EXPECT_EQ(Spielfeld_Staerke_Attribut(nullptr, 2, 0, 0), 0);
}

TEST_F(StaerkeTest, DifficultyScalesOnlyManagedTeams) {
    const int32_t slot = 6;
    Spieler_Wert(58, Spieler(slot), 6000, 1);
    Spielfeld_Get_Spielerstaerke(s, 2, slot);
    int32_t ohne = s->spieler[slot].werte[4];
    Manager_Neuer_Mitspieler(2, "M", 1);
    struct Fall {
        int32_t schwierigkeit, prozent;
    } faelle[] = {{0, 114}, {1, 100}, {2, 80}, {4, 40}};
    for (const Fall& c : faelle) {
        static int32_t stufe;
        stufe = c.schwierigkeit;
        Spielfeld_Hooks().schwierigkeit = [] { return stufe; };
        Spielfeld_Get_Spielerstaerke(s, 2, slot);
        EXPECT_EQ(s->spieler[slot].werte[4], ohne * c.prozent / 100) << c.schwierigkeit;
    }
}

TEST_F(StaerkeTest, ASubstituteValuedWhileTheMatchRunsStartsFreshAStarterKeepsHisStamina) {
    int32_t feld_reserve = -1, tor_reserve = -1, starter = 5;
    for (int32_t slot = 0; slot < SF_SPIELER_SEITE; ++slot) {
        const Spieler_Matchsatz& sm = s->spieler[slot];
        if (sm.nummer < 0 || !(sm.zustand & SM_RESERVE)) continue;
        int32_t& ziel = s->figur[slot].torwart ? tor_reserve : feld_reserve;
        if (ziel < 0) ziel = slot;
    }
    ASSERT_GE(feld_reserve, 0);
    ASSERT_GE(tor_reserve, 0);
    ASSERT_TRUE(s->spieler[starter].zustand & SM_AUF_PLATZ);
    Spieler_Wert(56, Spieler(feld_reserve), 9, 1);   // value 27 = 1000
    struct Fall {
        int32_t slot;
        int16_t minute;
        uint8_t zaehler;   // frames he has been on the pitch
        bool frisch;
    } faelle[] = {{feld_reserve, 30, 0, true}, {tor_reserve, 30, 0, true}, {starter, 0, 0, false},
                  {starter, 30, 40, false}, {feld_reserve, 0, 0, false}};
    for (const Fall& c : faelle) {
        Spieler_Matchsatz& sm = s->spieler[c.slot];
        s->minute = c.minute;
        sm.zaehler = c.zaehler;
        sm.ausdauer = 4321;
        sm.frische = 77;
        Spielfeld_Get_Spielerstaerke(s, 2, c.slot);
        const int32_t w2 = sm.werte[2], w27 = sm.werte[27];
        int32_t ausdauer = 4321, frische = 77;
        if (c.frisch && s->figur[c.slot].torwart) {
            ausdauer = 9999;
            frische = 100;
        } else if (c.frisch) {
            ASSERT_EQ(w27, 1000);
            ausdauer = std::min(3 * w2 + 5000, 10000);
            frische = std::max((1300 - w2) / 2, 0);
        }
        EXPECT_EQ(sm.ausdauer, ausdauer) << "slot " << c.slot << " minute " << c.minute;
        EXPECT_EQ(sm.frische, frische) << "slot " << c.slot << " minute " << c.minute;
    }
}

TEST_F(StaerkeTest, TalentCountsOfTheZones) {
    // Two central players with talent 21: their zones centred on the centre spot.
    int32_t zentrale[2] = {5, 6};
    for (int32_t slot : zentrale) {
        Spieler_Matchsatz& sm = s->spieler[slot];
        sm.bereich[0] = 4400;
        sm.bereich[1] = 6400;
        sm.bereich[2] = 2903;
        sm.bereich[3] = 3903;
        ASSERT_TRUE(Spieler_In_Zone(s, slot, 7400, 4003, 3400, 2803)) << "corners are put in order";
    }
    EXPECT_FALSE(Spieler_In_Zone(s, 5, 5400, 2803, 7400, 4003)) << "the centre must lie strictly inside";
    for (int32_t slot : zentrale) Fake().talente.insert({Spieler(slot), 21});
    EXPECT_EQ(Team_Talent_Zentrum(s, 2), 0) << "two without an anchor count nothing";
    Fake().talente.insert({Spieler(zentrale[0]), 9});
    EXPECT_EQ(Team_Talent_Zentrum(s, 2), 1);
    EXPECT_EQ(Team_Talent_Zentrum(s, 3), 0);
    // A player off the pitch is in no zone.
    s->spieler[zentrale[1]].zustand = SM_RESERVE;
    EXPECT_FALSE(Spieler_In_Zone(s, zentrale[1], 0, 0, 10800, 6806));
    EXPECT_FALSE(Spieler_In_Zone(s, 40, 0, 0, 10800, 6806));
}

// The engine never asks for a slot it does not have: the sanitizer build
// stops there, a shipped one logs it and changes nothing.
TEST_F(StaerkeTest, BadSlotBreaksTheCheckAndChangesNothing) {
    Spielfeld_Satz kopie = *s;
    EXPECT_PRUEFUNG_VERLETZT(Spielfeld_Get_Spielerstaerke(s, 2, 34), "Spielfeld_Get_Spielerstaerke 34");
    EXPECT_PRUEFUNG_VERLETZT(Spielfeld_Get_Spielerstaerke(nullptr, 2, 3), "Spielfeld_Get_Spielerstaerke 3");
    EXPECT_PRUEFUNG_VERLETZT(Spielfeld_Spielerstaerke_Ziehen(s, -1), "Spielfeld_Spielerstaerke_Ziehen -1");
    if (!PRUEFUNG_BRICHT_AB) {
        EXPECT_TRUE(Log_Enthaelt("Spielfeld_Get_Spielerstaerke 34"));
    }
    EXPECT_EQ(std::memcmp(&kopie, s, sizeof kopie), 0);
}

// The club data may tell talents 0-53 as one word; the valuation then tests
// bits instead of asking talent by talent. Both ways give the same record
// bytes and draw the same numbers, whatever talents the player has.
TEST_F(StaerkeTest, TalentWordGivesWhatAskingTalentByTalentGives) {
    const std::vector<std::vector<int32_t>> faelle = {
        {},
        {5, 37, 8, 38, 6, 36},                          // bonus talents with their "at least"
        {39, 11, 30, 38},                               // value 0 at the maximum, fitness, turning
        {4, 32, 42, 40, 29, 15},                        // turning, value 35, the drawn slump, the weaker side
        {20, 21, 9, 45, 35, 31, 13, 22, 50, 48, 51, 49, 47, 2, 17, 33, 34, 14, 7, 18, 19, 25, 24, 26, 28, 27, 12, 3, 0},
    };
    const int32_t slot = 4, p = Spieler(slot);
    auto bewerten = [&](bool wort, Spieler_Matchsatz* sm, int8_t* dreh, int32_t* rnd_danach) {
        Spielfeld_Hooks().attribute_maske = wort ? +[](int32_t spieler, uint64_t* maske) {
            *maske = 0;
            for (int32_t t = 0; t < 54; ++t)
                if (Fake().talente.count({spieler, t})) *maske |= uint64_t(1) << t;
            return true;
        } : nullptr;
        Rnd_Set_Index(1234, 0);
        s->spieler[slot].fitness = 5;
        Spielfeld_Get_Spielerstaerke(s, 2, slot);
        *sm = s->spieler[slot];
        *dreh = int8_t(s->figur[slot].dreh_min);
        *rnd_danach = Rnd_Get_Index();
    };
    for (size_t f = 0; f < faelle.size(); ++f) {
        Fake().talente.clear();
        for (int32_t t : faelle[f]) Fake().talente.insert({p, t});
        for (int32_t minute : {0, 55}) {
            s->minute = int16_t(minute);
            Spieler_Matchsatz einzeln{}, wort{};
            int8_t dreh_einzeln = 0, dreh_wort = 0;
            int32_t rnd_einzeln = 0, rnd_wort = 0;
            bewerten(false, &einzeln, &dreh_einzeln, &rnd_einzeln);
            bewerten(true, &wort, &dreh_wort, &rnd_wort);
            EXPECT_EQ(std::memcmp(&einzeln, &wort, sizeof einzeln), 0) << "case " << f << " minute " << minute;
            EXPECT_EQ(dreh_einzeln, dreh_wort) << "case " << f;
            EXPECT_EQ(rnd_einzeln, rnd_wort) << "case " << f;
        }
    }
    Spielfeld_Hooks().attribute_maske = nullptr;
}

}  // namespace
}  // namespace velmora::test
