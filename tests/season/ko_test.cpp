// tests/season/ko_test.cpp - knock-out ties and the rules the match day asks.
#include "season/wettbewerb_regeln.h"
#include "tests/season/season_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t POKAL = 60;
constexpr int32_t LIGA = 61;
constexpr int32_t EINZEL = 62;

// Clubs 2-5; a two-leg cup with away goals, extra time and shoot-out, a
// league, and a one-leg cup without extra time or shoot-out.
class KoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Rnd_Init();
        Laender_Bauen(1, 1, 4);
        WettbewerbBeschreibung pokal;
        pokal.id = POKAL;
        pokal.name = "Pokal";
        pokal.art = ART_POKAL;
        pokal.modus = MODUS_KO_SYSTEM;
        pokal.teams = 4;
        pokal.spieltage = 2;
        pokal.rueckspiel = 2;
        pokal.verlaengerung = 30;
        pokal.elfmeter = 1;
        pokal.auswaertstore = 1;
        pokal.team_liste = {2, 3, 4, 5};
        WettbewerbBeschreibung liga;
        liga.id = LIGA;
        liga.name = "Liga";
        liga.teams = 4;
        liga.spieltage = 3;
        liga.team_liste = {2, 3, 4, 5};
        WettbewerbBeschreibung einzel = pokal;
        einzel.id = EINZEL;
        einzel.rueckspiel = 1;
        einzel.verlaengerung = 0;
        einzel.elfmeter = 0;
        einzel.auswaertstore = 0;
        Spiele_Init();
        Wettbewerb_Init({pokal, liga, einzel});
        Wettbewerb_Saison_Start();
    }
    void TearDown() override { Welt_Ende(); }
    const SpielDatensatz* Spiel(int32_t w, int32_t r, int32_t p, int32_t s) {
        Spiel_Lock h = Spiele_Lock(w, r, p, s);
        const SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
        Spiele_Unlock(h);
        return sp;
    }
};

TEST_F(KoTest, TwoLegTiesAreDecidedOnAggregateThenAwayGoals) {
    const SpielDatensatz* hin = Spiel(POKAL, 1, 0, 0);
    const SpielDatensatz* rueck = Spiel(POKAL, 1, 0, 1);
    ASSERT_TRUE(hin && rueck);
    int32_t a = hin->heim, b = hin->gast;
    EXPECT_EQ(rueck->heim, b);
    EXPECT_EQ(rueck->gast, a);
    struct Fall {
        int32_t h1, g1, h2, g2, sieger;   // sieger: 0 = a, 1 = b, -2 undecided
    };
    const Fall faelle[] = {
        {2, 0, 1, 0, 0},    // 2:1 on aggregate
        {0, 1, 0, 0, 1},    // b won away
        {1, 1, 0, 0, 1},    // 1:1, b's goal scored away
        {2, 1, 1, 0, 1},    // 2:2, b 1 away goal, a 0
        {1, 1, 1, 1, -2},   // 2:2, one away goal each
        {0, 0, 0, 0, -2},
    };
    for (const Fall& f : faelle) {
        Ergebnis(POKAL, 1, 0, 0, f.h1, f.g1);
        Ergebnis(POKAL, 1, 0, 1, f.h2, f.g2);
        int32_t soll = f.sieger == 0 ? a : f.sieger == 1 ? b : -2;
        EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 0), soll)
            << f.h1 << ":" << f.g1 << " " << f.h2 << ":" << f.g2;
    }
    // What-if goals on the current leg.
    Ergebnis(POKAL, 1, 0, 0, 1, 0);
    Ergebnis(POKAL, 1, 0, 1, 0, 0);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 0), a);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 2, 0), b);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 1, 0), -2);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 1, 1), a);   // a's goal away
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 9, -1, 0, 0), -1);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(999, 1, 0, -1, 0, 0), -1);
}

TEST_F(KoTest, FirstLegNeverGoesToExtraTime) {
    const SpielDatensatz* hin = Spiel(POKAL, 1, 0, 0);
    Ergebnis(POKAL, 1, 0, 0, 1, 1);
    // Only the first leg has started: the tie is held, not undecided.
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 0), hin->heim);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 1), hin->gast);
    EXPECT_FALSE(Wettbewerb_Elfmeterschiessen_Noetig(POKAL, 1, 0, 120, 3, -1, 0, 0));
}

TEST_F(KoTest, ExtraTimeThenShootOutDecideTheLastLeg) {
    Ergebnis(POKAL, 1, 0, 0, 1, 0);
    Ergebnis(POKAL, 1, 0, 1, 1, 0);   // 1:1, no away goals either side
    const SpielDatensatz* rueck = Spiel(POKAL, 1, 0, 1);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 0), -2);
    EXPECT_EQ(Wettbewerb_Anz_Spielabschnitte(POKAL), 5);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(POKAL, 90, 1, 0, 1), ABPFIFF_SPIELENDE);
    // After 90 minutes extra time comes first; after 120 the shoot-out.
    EXPECT_FALSE(Wettbewerb_Elfmeterschiessen_Noetig(POKAL, 1, 0, 90, 1, -1, 0, 0));
    EXPECT_TRUE(Wettbewerb_Elfmeterschiessen_Noetig(POKAL, 1, 0, 120, 3, -1, 0, 0));
    Spiel_Lock h = Spiele_Lock(POKAL, 1, 0, 1);
    Spiele_Set_Elfmeter(h, 3, 5);
    Spiele_Unlock(h);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 0), rueck->gast);
    EXPECT_FALSE(Wettbewerb_Elfmeterschiessen_Noetig(POKAL, 1, 0, 120, 3, -1, 0, 0));
    // An extra-time goal in the last leg decides before any shoot-out.
    Ergebnis(POKAL, 1, 0, 1, 2, 0);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(POKAL, 1, 0, -1, 0, 0), rueck->heim);
}

TEST_F(KoTest, LevelTieWithoutDecisionOnThePitchIsDecidedByLot) {
    // The one-leg cup has neither extra time nor shoot-out.
    EXPECT_EQ(Wettbewerb_Anz_Spielabschnitte(EINZEL), 2);
    EXPECT_FALSE(Wettbewerb_Elfmeterschiessen_Noetig(EINZEL, 1, 0, 90, 1, -1, 0, 0));
    Ergebnis(EINZEL, 1, 0, 0, 2, 2);
    Ergebnis(EINZEL, 1, 1, 0, 3, 0);
    const SpielDatensatz* s = Spiel(EINZEL, 1, 0, 0);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(EINZEL, 1, 0, -1, 0, 0), -2);
    Wettbewerb_Spiele_Beendet(EINZEL);
    EXPECT_TRUE(s->flags & SPIEL_FLAG_LOS);
    int32_t sieger = Wettbewerb_Paarung_Sieger(EINZEL, 1, 0, -1, 0, 0);
    EXPECT_TRUE(sieger == s->heim || sieger == s->gast);
    EXPECT_EQ(sieger, (s->flags & SPIEL_FLAG_HEIM_ENTSCHIEDEN) ? s->heim : s->gast);
    EXPECT_EQ(Wettbewerb_KO_Sieger_Von_Team(EINZEL, s->heim, 1, 0), sieger);
    int32_t verlierer = sieger == s->heim ? s->gast : s->heim;
    EXPECT_FALSE(Wettbewerb_Team_Noch_Dabei(EINZEL, verlierer, 0, 0));
    EXPECT_TRUE(Wettbewerb_Team_Noch_Dabei(EINZEL, sieger, 0, 0));
    // The final is drawn between the two winners.
    ASSERT_EQ(Wettbewerb_Get_Spiele_Pro_Spieltag(EINZEL, 2), 1);
    const SpielDatensatz* finale = Spiel(EINZEL, 2, 0, 0);
    EXPECT_TRUE(finale->heim == sieger || finale->gast == sieger);
    Ergebnis(EINZEL, 2, 0, 0, 0, 1);
    Wettbewerb_Spiele_Beendet(EINZEL);
    EXPECT_EQ(Wettbewerb_Satz(EINZEL)->sieger, finale->gast);
}

TEST_F(KoTest, RoundTextsNameTheRoundsFromTheFinalBack) {
    struct Fall {
        int32_t w, runde, spieltag;
        const char* text;
    };
    const Fall faelle[] = {{LIGA, 3, 0, "3. Spieltag"},        {POKAL, 1, 0, "Halbfinale, Hinspiel"},
                           {POKAL, 2, 1, "Finale, R\xfc" "ckspiel"}, {EINZEL, 2, 0, "Finale"},
                           {EINZEL, 1, 0, "Halbfinale"},         {999, 1, 0, ""}};
    for (const Fall& f : faelle) EXPECT_STREQ(Wettbewerb_Get_Rundentext(f.w, f.runde, f.spieltag), f.text);
    Wettbewerb_Satz(EINZEL)->spieltage = 6;
    EXPECT_STREQ(Wettbewerb_Get_Rundentext(EINZEL, 3, 0), "Achtelfinale");
    EXPECT_STREQ(Wettbewerb_Get_Rundentext(EINZEL, 2, 0), "2. Runde");
    // Only a round counted by number has a feminine name ("vor der 2. Runde").
    const struct {
        int32_t w, runde;
        bool weiblich;
    } artikel[] = {{EINZEL, 2, true}, {EINZEL, 1, true}, {EINZEL, 3, false}, {EINZEL, 6, false},
                   {LIGA, 3, false},  {POKAL, 1, false}, {999, 1, false}};
    for (const auto& a : artikel)
        EXPECT_EQ(Wettbewerb_Rundentext_Weiblich(a.w, a.runde), a.weiblich) << a.w << " " << a.runde;
}

TEST_F(KoTest, ResultTextsShowHowTheTieWasDecided) {
    Spiel_Lock h = Spiele_Lock(POKAL, 1, 0, 1);
    EXPECT_STREQ(Spiele_Get_Ergebnis(h), "-:-");
    EXPECT_STREQ(Spiele_Flag_Text(h), "");
    Spiele_Clear_Tore(h);
    Spiele_Set_Ergebnis(h, 2, 1, SPIEL_ERGEBNIS_GESPIELT);
    EXPECT_STREQ(Spiele_Get_Ergebnis(h), "2:1");
    Spiele_Set_Flag(h, SPIEL_FLAG_VERLAENGERUNG, true);
    EXPECT_STREQ(Spiele_Flag_Text(h), "n.V.");
    Spiele_Set_Elfmeter(h, 4, 3);
    EXPECT_STREQ(Spiele_Flag_Text(h), "i.E. 4:3");
    Spiele_Set_Elfmeter(h, 3, 3);   // a shoot-out has a winner: refused
    EXPECT_STREQ(Spiele_Flag_Text(h), "i.E. 4:3");
    Spiele_Set_Status(h, -1);
    EXPECT_STREQ(Spiele_Get_Ergebnis(h), "-:-");
    EXPECT_STREQ(Spiele_Flag_Text(h), "");
    Spiele_Unlock(h);
    EXPECT_STREQ(Spiele_Get_Ergebnis(0), "");
}

TEST_F(KoTest, PeriodEndsFollowTheCompetition) {
    struct Fall {
        int32_t w, minute, abschnitt, ende;
    };
    const Fall faelle[] = {{LIGA, 44, 0, -1}, {LIGA, 45, 0, 45}, {LIGA, 93, 1, 90}, {LIGA, 60, 1, -1},
                           {POKAL, 104, 2, -1}, {POKAL, 105, 2, 105}, {POKAL, 121, 3, 120}, {LIGA, 100, 2, -1},
                           {LIGA, 45, -1, -1}, {999, 45, 0, -1}};
    for (const Fall& f : faelle)
        EXPECT_EQ(Wettbewerb_Halbzeit_Ende(f.w, f.minute, f.abschnitt), f.ende) << f.w << " " << f.minute;
    EXPECT_EQ(Wettbewerb_Anz_Spielabschnitte(LIGA), 2);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(LIGA, 30, 0, 0, 1), ABPFIFF_WEITER);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(LIGA, 45, 0, 0, 1), ABPFIFF_ABSCHNITT);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(LIGA, 30, 0, 1, 1), ABPFIFF_ABSCHNITT);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(LIGA, 90, 1, 0, 1), ABPFIFF_SPIELENDE);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(POKAL, 105, 2, 0, 1), ABPFIFF_ABSCHNITT);
    EXPECT_EQ(Wettbewerb_Abpfiff_Pruefen(POKAL, 120, 3, 0, 1), ABPFIFF_SPIELENDE);
    EXPECT_EQ(Wettbewerb_Spielzeit(LIGA, 0), 90);
    EXPECT_FALSE(Wettbewerb_Ist_Sudden_Death(POKAL, 2));
    Wettbewerb_Satz(POKAL)->golden_goal = 1;
    EXPECT_TRUE(Wettbewerb_Ist_Sudden_Death(POKAL, 2));
    EXPECT_FALSE(Wettbewerb_Ist_Sudden_Death(POKAL, 1));
}

TEST_F(KoTest, LeagueGameWinnerIsTheScore) {
    Ergebnis(LIGA, 1, 0, 0, 0, 2);
    const SpielDatensatz* s = Spiel(LIGA, 1, 0, 0);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(LIGA, 1, 0, -1, 0, 0), s->gast);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(LIGA, 1, 0, -1, 2, 0), -2);
    EXPECT_EQ(Wettbewerb_Paarung_Sieger(LIGA, 1, 0, -1, 3, 0), s->heim);
    EXPECT_FALSE(Wettbewerb_Elfmeterschiessen_Noetig(LIGA, 1, 0, 90, 1, -1, 0, 0));
}

TEST_F(KoTest, PointBonusGoesThroughTheBankHook) {
    static std::vector<std::pair<int32_t, float>> buchungen;
    buchungen.clear();
    Wettbewerb_Satz(LIGA)->punkt_praemie = 1000;
    EXPECT_EQ(Wettbewerb_Zahle_Punkt_U(LIGA, 3, 1), 0);   // no bank yet
    Wettbewerb_Hooks().bank_buchen = [](int32_t team, float betrag, int32_t, const char*) {
        buchungen.emplace_back(team, betrag);
    };
    EXPECT_EQ(Wettbewerb_Zahle_Punkt_U(LIGA, 3, 1), 3000);
    EXPECT_EQ(Wettbewerb_Zahle_Punkt_U(LIGA, 4, 0), 1000);
    EXPECT_EQ(Wettbewerb_Zahle_Punkt_U(POKAL, 4, 0), 0);
    EXPECT_EQ(Wettbewerb_Zahle_Punkt_U(999, 4, 0), 0);
    Wettbewerb_Hooks().bank_buchen = nullptr;
    ASSERT_EQ(buchungen.size(), 2u);
    EXPECT_EQ(buchungen[0], std::make_pair(3, 3000.0f));
    EXPECT_EQ(buchungen[1], std::make_pair(4, 1000.0f));
}

TEST_F(KoTest, ImportanceGrowsTowardsTheFinal) {
    Wettbewerb_Satz(POKAL)->wichtigkeit = 40;
    EXPECT_EQ(Wettbewerb_Spiel_Wichtigkeit(POKAL, 1), 40);
    EXPECT_EQ(Wettbewerb_Spiel_Wichtigkeit(POKAL, 2), 100);
    EXPECT_EQ(Wettbewerb_Spiel_Wichtigkeit(999, 1), 0);
    int32_t teams[2] = {2, 3}, out[2] = {};
    Wettbewerb_Spiel_Bedeutung_Teams(POKAL, teams, out, 2);
    EXPECT_EQ(out[0], 100);
    Wettbewerb_Spiel_Bedeutung_Teams(LIGA, teams, out, 2);
    EXPECT_EQ(out[1], 80);
}

}  // namespace
}  // namespace velmora::test
