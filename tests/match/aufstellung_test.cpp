// Set-up of a record from its fixture: weather, venue, officials, line-ups,
// tactics and match strengths; periods and substitutions.
#include <cstring>

#include "club/spieler.h"
#include "match/live/ersatzbank.h"
#include "match/live/spielfeld_aufstellung.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

TEST_F(MatchTest, WeatherFromTheFixtureAndTheStadium) {
    Fake().stadien[1] = {30000, 6};
    Fake().stadien[2] = {30000, 4};
    struct Fall {
        int32_t temperatur, niederschlag, stadion;
        uint8_t wetter;
        float boden;
        uint8_t gefroren;
    } faelle[] = {
        {15, 0, -1, 0, 1.2f, 0},   {15, 61, -1, 1, 1.2f, 0},  {-5, 70, -1, 5, 1.2f, 1},
        {10, 80, -1, 3, 4 * 3.5f / 100 + 1.15f, 0},           {-5, 100, -1, 6, 10 * 3.0f / 100 + 1.15f, 1},
        {-5, 100, 1, 0, 1.2f, 1},  {-5, 80, 2, 4, 4 * 3.0f / 100 + 1.15f, 1},
    };
    int32_t spiel = 0;
    for (const Fall& c : faelle) {
        Spiel_Anlegen(++spiel, 2, 3);
        Fake().spiele[spiel].temperatur = c.temperatur;
        Fake().spiele[spiel].niederschlag = c.niederschlag;
        ASSERT_EQ(Spielfeld_Anlegen(spiel, 0, 0, 0, c.stadion, -1), 1);
        const Spielfeld_Satz* s = Spielfeld_Suchen(spiel);
        EXPECT_EQ(s->wetter, c.wetter) << spiel;
        EXPECT_FLOAT_EQ(s->boden_faktor, c.boden) << spiel;
        EXPECT_EQ(s->gefroren, c.gefroren) << spiel;
        EXPECT_EQ(s->wetter_init, 1);
    }
}

TEST_F(MatchTest, VenueCrowdAndOfficialsAfterSetUp) {
    Fake().stadien[5] = {60000, 2};
    Spiel_Anlegen(1, 2, 3);
    Fake().spiele[1].zuschauer = 15000;
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 30000, 5, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    for (uint32_t b : s->belegung) EXPECT_EQ(b, 30000u / 6 * 100 / 10000);
    const uint8_t arten[6] = {1, 2, 1, 1, 2, 1};
    EXPECT_EQ(std::memcmp(s->tribuene, arten, 6), 0);
    EXPECT_EQ(s->zuschauer_vorgabe, 30000u);
    EXPECT_EQ(s->zuschauer_klasse, 2u) << "the class follows the fixture's attendance";
    for (uint8_t st : s->strenge) {
        EXPECT_GE(st, 1) << "importance 40 / 25 = 1, drawn up to 6";
        EXPECT_LE(st, 6);
    }
    EXPECT_EQ(s->publikum, 1u);
    EXPECT_EQ(s->ff[0], 0xFF);
    EXPECT_EQ(s->ff[75], 0xFF);
    EXPECT_EQ(s->w25256, -3);
    EXPECT_EQ(s->empfaenger, -1) << "no receiver: 0 would be slot 0";
    EXPECT_EQ(s->abschnitt, 1u);
    EXPECT_EQ(s->spielzustand, uint32_t(SZ_ANSTOSS));
    // Ball on the centre spot, referee and linesmen at their places, flags at the corners.
    EXPECT_FLOAT_EQ(s->figur[FIGUR_BALL].pos[0], 5400);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_BALL].pos[1], 3403);
    EXPECT_EQ(s->figur[FIGUR_BALL].ist_ball, 1);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_SCHIRI].pos[1], 3253);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_SCHIRI].entscheid_intervall, 0.1f);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_LINIENRICHTER_1].pos[0], 2700);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_LINIENRICHTER_2].pos[1], 6806);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_ECKFAHNE + 3].pos[0], 10800);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_ECKFAHNE + 3].pos[1], 6806);
    EXPECT_EQ(s->figur[FIGUR_TORNETZ + 7].w320, -1);
    for (int32_t f = 34; f < SF_FIGUREN; ++f)
        if (f != FIGUR_OFFIZIELLER) {
            EXPECT_EQ(s->figur[f].gezeichnet, 1) << f;
        }
    // The coaches sit at the end of their benches.
    EXPECT_FLOAT_EQ(s->figur[FIGUR_TRAINER].pos[0], 4252);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_TRAINER + 1].pos[0], 6290);
    EXPECT_FLOAT_EQ(s->figur[FIGUR_TRAINER].pos[1], BANK_Y);
}

TEST_F(MatchTest, WithoutACrowdTheStrictnessIs157) {
    Fake().publikum = false;
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    EXPECT_EQ(Spielfeld_Suchen(1)->strenge[0], 157);
    EXPECT_EQ(Spielfeld_Suchen(1)->strenge[1], 157);
}

TEST_F(MatchTest, BothElevensStandMirroredAtTheMiddleOfTheirZones) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    int32_t feld[2] = {}, bank[2] = {};
    for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
        const Spieler_Matchsatz& sm = s->spieler[slot];
        if (sm.nummer < 0) continue;
        int32_t seite = slot / 17;
        if (sm.zustand == SM_AUF_PLATZ) ++feld[seite];
        if (sm.zustand == SM_RESERVE) ++bank[seite];
        if (sm.zustand != SM_AUF_PLATZ) continue;
        EXPECT_FLOAT_EQ(s->figur[slot].pos[0], float((sm.bereich[0] + sm.bereich[1]) / 2)) << slot;
        EXPECT_FLOAT_EQ(s->figur[slot].pos[1], float((sm.bereich[2] + sm.bereich[3]) / 2)) << slot;
        // The same cell of the other side lies mirrored.
        const Spieler_Matchsatz& gegen = s->spieler[slot < 17 ? slot + 17 : slot - 17];
        EXPECT_EQ(sm.bereich[0], 10800 - gegen.bereich[1]) << slot;
        EXPECT_EQ(sm.linie[2], 6806 - gegen.linie[2]) << slot;
        EXPECT_GT(sm.werte[4], 0) << "valued";
    }
    EXPECT_EQ(feld[0], 11);
    EXPECT_EQ(feld[1], 11);
    EXPECT_EQ(bank[0], 6);
    // Side 0 attacks the goal at tor_x[0]; its keeper stands at the other end.
    const Spieler_Matchsatz& tw = s->spieler[0];
    ASSERT_TRUE(s->figur[0].torwart);
    bool nach_links = s->tor_x[0] == 0;
    EXPECT_EQ(tw.linie[0], nach_links ? 10800 : 0);
    EXPECT_EQ(tw.bereich[2], 2487);
    EXPECT_EQ(tw.bereich[3], 4319);
    // The reserve keeper is flagged and sits on the bench.
    int32_t reserve_tw = -1;
    for (int32_t slot = 0; slot < 17; ++slot)
        if (s->spieler[slot].zustand == SM_RESERVE && s->figur[slot].torwart) reserve_tw = slot;
    ASSERT_GE(reserve_tw, 0);
    EXPECT_FLOAT_EQ(s->figur[reserve_tw].pos[1], float(BANK_Y + s->spieler[reserve_tw].bank));
}

TEST_F(MatchTest, ManagedTeamTakesItsTacticsComputerTeamThePresets) {
    Manager_Neuer_Mitspieler(2, "M", 1);
    Fake().taktik[2] = {1, 1, 9, 1, 4, 0, 3};
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    const int8_t mensch[13] = {100, 75, 75, 100, 25, 0, 1, 1, 1, 1, 0, 0, 1};
    EXPECT_EQ(std::memcmp(s->taktik[0], mensch, 13), 0);
    EXPECT_EQ(s->pressing[0], 100);
    EXPECT_EQ(s->computer[0], 0);
    const int8_t vorgabe[13] = {50, 50, 80, 50, 50, 50, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(s->taktik[1], vorgabe, 13), 0);
    EXPECT_EQ(s->pressing[1], 65);
    EXPECT_EQ(s->computer[1], 1);
    EXPECT_EQ(s->computer2[1], 1);
    EXPECT_EQ(s->computer100[1], 100);
    EXPECT_EQ(s->linienwerte[1][0], 50);
    // The edit copy follows the live fields.
    EXPECT_EQ(std::memcmp(s->e_taktik, s->taktik, 26), 0);
    EXPECT_EQ(s->e_pressing[0], 100);
}

TEST_F(MatchTest, MatchStrengthGrowsForTheClearlyStrongerSide) {
    // Team 2 strong (sum of value 94 of its starters), team 3 equal, team 4 weak.
    auto staerke = [](int32_t team, int32_t wert) {
        int32_t sp[20];
        int32_t n = Teamspieler_Ins_Array(team, sp, 20, 0);
        for (int32_t i = 0; i < n; ++i) Spieler_Wert(58, sp[i], wert, 1);
    };
    staerke(2, 9000);
    staerke(3, 9000);
    staerke(4, 3000);
    Spiel_Anlegen(1, 2, 3);
    Spiel_Anlegen(2, 2, 4);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    ASSERT_EQ(Spielfeld_Anlegen(2, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* gleich = Spielfeld_Suchen(1);
    EXPECT_EQ(gleich->staerke[0], gleich->staerke[1]);
    EXPECT_EQ(gleich->team_staerke[0], uint32_t(99 * 999 / 132));
    const Spielfeld_Satz* s = Spielfeld_Suchen(2);
    int32_t stark = 99 * 999 / 132, schwach = 33 * 999 / 132;
    int32_t b0 = std::min(stark * 140 / 100, 999) * 7 / 100, b1 = schwach * 80 / 100 * 7 / 100;
    int32_t diff = b0 - b1;
    EXPECT_EQ(s->staerke[0], std::min(b0 * (100 + std::min(diff / 15, 45)) / 100, 99));
    EXPECT_EQ(s->staerke[1], b1 * (100 + std::max(diff / -15, -45)) / 100);
}

TEST_F(MatchTest, TwelveOnThePitchPutsTheFirstElevenOn) {
    int32_t p = 2 * 0 + 11 + 1;   // club 2's slot 12 also marked for the pitch
    Spieler_Wert(75, p, SP_STATUS_START, 8);
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    int32_t feld = 0;
    for (int32_t slot = 0; slot < 17; ++slot) feld += s->spieler[slot].zustand == SM_AUF_PLATZ;
    EXPECT_EQ(feld, 11);
    EXPECT_TRUE(Log_Enthaelt("versuchte mit mehr als 11 Feldspielern"));
}

TEST_F(MatchTest, TeamWithoutAnyGoalkeeperGetsItsDeepestFieldPlayerInGoal) {
    for (int32_t p : {0, 11}) {   // club 2's keepers become field players
        Spieler_Wert(67, p, 1, 1);
        Spieler_Wert(82, p, 1, 1);
        Spieler_Wert(83, p, 1, 1);
    }
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    EXPECT_TRUE(Log_Enthaelt("FELDSPIELER INS TOR GESETZT"));
    int32_t torwart = 0;
    for (int32_t slot = 0; slot < 17; ++slot)
        if (s->figur[slot].torwart) {
            ++torwart;
            EXPECT_EQ(std::min(s->spieler[slot].linie[0], 10800 - s->spieler[slot].linie[0]), 0);
        }
    EXPECT_EQ(torwart, 1);
}

TEST_F(MatchTest, TheFirstLineUpTakesTheSquadByRowKeepersFirstTiesInSquadOrder) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(2, liste, TEAM_SPIELER_MAX, 0);
    ASSERT_GE(n, 17);
    // Rows 1-4 with many ties, running against the squad's order.
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(SPW_REIHE, liste[i], (n - i) % 4 + 1, OP_SCHREIBEN);
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    std::vector<int32_t> erwartet;
    for (int32_t reihe = -1; reihe <= 10; ++reihe)
        for (int32_t i = 0; i < n; ++i) {
            const int32_t p = liste[i];
            const int32_t schluessel = Spieler_Get_Art(p) == 0 ? -1 : Spieler_Wert(SPW_REIHE, p, 0, OP_LESEN);
            if (schluessel == reihe && (Spieler_Status(p) & (SM_AUF_PLATZ | SM_RESERVE))) erwartet.push_back(p);
        }
    erwartet.resize(std::min<size_t>(erwartet.size(), SF_SPIELER_SEITE));
    std::vector<int32_t> belegt;
    for (int32_t slot = 0; slot < SF_SPIELER_SEITE && s->spieler[slot].nummer >= 0; ++slot)
        belegt.push_back(s->spieler[slot].nummer);
    EXPECT_EQ(belegt, erwartet);
    EXPECT_GT(erwartet.size(), 11u);
}

TEST_F(MatchTest, AFieldPlayerKeepsGoalOnlyFromColumnThreeRowZero) {
    struct Fall {
        int32_t spalte, reihe;
        bool torwart;
    };
    const Fall faelle[] = {{3, 0, true}, {3, 1, false}, {2, 0, false}, {6, 10, false}};
    for (const Fall& f : faelle) {
        Spielfeld_Freigeben();
        ASSERT_TRUE(Spielfeld_Init());
        Log().clear();
        const int32_t p = 5;   // a field player of club 2's starting eleven
        ASSERT_NE(Spieler_Get_Art(p), 0);
        Spieler_Wert(SPW_SPALTE, p, f.spalte, OP_SCHREIBEN);
        Spieler_Wert(SPW_REIHE, p, f.reihe, OP_SCHREIBEN);
        Spiel_Anlegen(1, 2, 3);
        ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
        const Spielfeld_Satz* s = Spielfeld_Suchen(1);
        int32_t slot = -1;
        for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i)
            if (s->spieler[i].nummer == p) slot = i;
        ASSERT_GE(slot, 0) << f.spalte << "/" << f.reihe;
        const int32_t x = s->spieler[slot].linie[0];
        // A keeper's lines start on his goal line; the club's keeper is the first one on the pitch.
        EXPECT_EQ(std::min(x, SPIELFELD_LAENGE - x) == 0, f.torwart) << f.spalte << "/" << f.reihe;
        EXPECT_EQ(Log_Enthaelt("2 TORH"), f.torwart) << f.spalte << "/" << f.reihe;
    }
}

TEST_F(MatchTest, SetPieceTakersAndPartners) {
    // Two free-kick takers on the pitch: the last one in slot order takes them.
    Spieler_Wert(75, 3, 0x1000, 8);
    Spieler_Wert(75, 7, 0x1000, 8);
    Spieler_Wert(75, 13, 0x2000, 8);   // a reserve
    Spieler_Wert(101, 4, 9, 1);
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const Spielfeld_Satz* s = Spielfeld_Suchen(1);
    EXPECT_EQ(s->freistoss_schuetze[0], 7);
    EXPECT_EQ(s->elfmeter_schuetze[0], 13);
    EXPECT_EQ(s->ecken_schuetze[0], -1);
    int32_t a = -1, b = -1;
    for (int32_t slot = 0; slot < 17; ++slot) {
        if (s->spieler[slot].nummer == 4) a = slot;
        if (s->spieler[slot].nummer == 9) b = slot;
    }
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    // Value 101 names an opponent to mark: a team-mate leaves both bytes at -1.
    EXPECT_EQ(s->spieler[a].partner, 0xFF);
    EXPECT_EQ(s->spieler[b].rueck, 0xFF);
}

TEST_F(MatchTest, PeriodStartRecoversStaminaAndGivesTheKickOff) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    s->spieler[1].ausdauer = 10000;
    s->spieler[2].ausdauer = 2000;
    s->spieler[3].ausdauer = -50;   // damaged: held to 0 first
    int8_t gewechselt = s->seiten_gewechselt;
    uint8_t anstoss = s->anstoss_seite;
    s->spielzustand = SZ_SPIEL;
    const int32_t spiel_index = Rnd_Get_Index();
    const uint32_t satz_index = s->rnd_index;
    Spielfeld_Periode_Beenden(1);
    EXPECT_EQ(s->spielzustand, uint32_t(SZ_ABGANG));
    EXPECT_EQ(s->abschnitt_ende, 2);
    Spielfeld_Periode_Starten(1);
    EXPECT_EQ(s->abschnitt, 2u);
    EXPECT_EQ(s->spieler[1].ausdauer, 10000);
    EXPECT_GE(s->spieler[2].ausdauer, 4000);
    EXPECT_LE(s->spieler[2].ausdauer, 6000);
    EXPECT_GE(s->spieler[3].ausdauer, 2500);
    EXPECT_NE(s->seiten_gewechselt, gewechselt);
    EXPECT_EQ(s->letzte_beruehrung, 1 - anstoss) << "the side that does not kick off touched last";
    EXPECT_EQ(s->anstoss_seite, 1 - anstoss);
    EXPECT_EQ(s->spielzustand, uint32_t(SZ_ANSTOSS));
    EXPECT_EQ(s->abschnitt_ende, 0);
    // The period's draws come from the record's index, not the game's.
    EXPECT_EQ(Rnd_Get_Index(), spiel_index);
    EXPECT_NE(s->rnd_index, satz_index);
    for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
        const Spieler_Matchsatz& sm = s->spieler[slot];
        if (sm.zustand != SM_AUF_PLATZ) continue;
        EXPECT_FLOAT_EQ(s->figur[slot].pos[0], float((sm.bereich[0] + sm.bereich[1]) / 2));
    }
}

TEST_F(MatchTest, ComputerSidesSubstituteHumanSidesNever) {
    Manager_Neuer_Mitspieler(2, "M", 1);
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    s->spielzustand = SZ_SPIEL;
    EXPECT_FALSE(Spielfeld_Auswechseln(s, 0, 0, -1));
    for (int32_t modus : {0, 1, 2}) {
        ASSERT_TRUE(Spielfeld_Auswechseln(s, 1, modus, -1)) << modus;
        int8_t aus = s->wechsel_aus[1][modus], ein = s->wechsel_ein[1][modus];
        EXPECT_EQ(s->spieler[aus].zustand, SM_AUF_PLATZ);
        EXPECT_EQ(s->spieler[ein].zustand, SM_RESERVE);
        EXPECT_FALSE(s->figur[ein].torwart);
        EXPECT_TRUE(Spielfeld_Ist_Ausgewechselt(s, aus));
        EXPECT_TRUE(Spielfeld_Ist_Eingewechselt(s, ein));
        EXPECT_EQ(s->live_anweisung_seite[1], modus < 2 ? 1 : 0);
    }
    EXPECT_FALSE(Spielfeld_Auswechseln(s, 1, 0, -1)) << "three substitutions allowed";
    s->spielzustand = SZ_ECKE;
    s->wechsel_erlaubt[1] = 5;
    EXPECT_FALSE(Spielfeld_Auswechseln(s, 1, 0, -1)) << "not during a corner";
}

TEST_F(MatchTest, NinthSubstituteOnAFullBenchSharesSeatZero) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    for (int32_t i = 0; i < 17; ++i) s->spieler[i].zustand = SM_AUF_PLATZ;
    for (int32_t i = 0; i < 8; ++i) {
        s->spieler[i].zustand = SM_RESERVE;
        s->spieler[i].bank = int8_t(i);
    }
    int32_t x = 0, y = 0;
    EXPECT_EQ(Bank_Platz_Vergeben(s, 9, &x, &y), 0);
    EXPECT_EQ(x, 3640);
    EXPECT_EQ(y, BANK_Y);
    s->spieler[3].zustand = SM_AUF_PLATZ;
    EXPECT_EQ(Bank_Platz_Vergeben(s, 9, &x, nullptr), 3);
    EXPECT_EQ(x, 3899);
    EXPECT_EQ(Bank_Platz_Vergeben(s, 20, &x, nullptr), 6) << "the away side's six substitutes hold seats 0-5";
    EXPECT_EQ(x, 6192);
}

TEST_F(MatchTest, LiveFlagFollowsTheCompetitionSwitch) {
    Fake().schalter5[51] = 1;
    Spiel_Anlegen(1, 2, 3, 50);
    Spiel_Anlegen(2, 4, 5, 51);
    Spiel_Anlegen(3, 6, 7, 50);
    Spiel_Anlegen(4, 8, 9, 50);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, 0), 1);
    ASSERT_EQ(Spielfeld_Anlegen(2, 0, 0, 0, -1, 0), 1);
    ASSERT_EQ(Spielfeld_Anlegen(3, 1, 0, 0, -1, 0), 1);
    ASSERT_EQ(Spielfeld_Anlegen(4, 1, 0, 0, -1, -1), 1);
    EXPECT_EQ(Spielfeld_Suchen(1)->live, 0);
    EXPECT_EQ(Spielfeld_Suchen(2)->live, 1);
    EXPECT_EQ(Spielfeld_Suchen(3)->live, 1) << "a watched match is live";
    EXPECT_EQ(Spielfeld_Suchen(4)->live, 0);
}

}  // namespace
}  // namespace velmora::test
