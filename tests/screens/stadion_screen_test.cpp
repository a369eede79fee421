// tests/screens/stadion_screen_test.cpp - the stadium screen in a running
// game, opened from the club menu: the four arrows of every spinner, building
// the next model with its notice, giving places up, a club that cannot pay,
// and plans from a damaged save.
#include "screens/stadion_screen.h"

#include <string>
#include <vector>

#include "business/bank.h"
#include "business/stadion.h"
#include "club/manager.h"
#include "club/regeln.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "season/kalender.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

struct Zustand {
    int32_t modell = -1, komfort = -1, kapazitaet = -1, kontostand = 0;
    StadionPlan plan;
    int64_t plaetze_kosten = -1;
    bool hinweis = false;
};
struct Beobachtung {
    std::vector<Zustand> z;
};
Beobachtung g_b;


class StadionScreen : public GeldWelt {
protected:
    void SetUp() override {
        GeldWelt::SetUp();
        g_b = Beobachtung{};
    }
};

constexpr int32_t AUSBAUEN_X = 366, AUSBAUEN_Y = 498, PLAETZE_ZAHLEN_X = 730, PLAETZE_ZAHLEN_Y = 498;
constexpr int32_t PLAETZE_MINUS_10_X = 681, PLAETZE_Y = 426;



void Merken() {
    Zustand z;
    if (const Stadion_Satz* s = Stadion_Get(team, 1)) {
        z.modell = s->modell;
        z.komfort = s->komfort;
        z.kapazitaet = s->kapazitaet;
    }
    z.kontostand = Bank_Kontostand(team, false, -1);
    z.plan = Stadion_Screen_Plan();
    z.plaetze_kosten = Stadion_Screen_Plaetze_Kosten();
    z.hinweis = Stadion_Screen_Hinweis_Offen();
    g_b.z.push_back(z);
}

// Model 4 with 45,000 places and its norm comfort, and money enough.
void Modell_4() {
    Stadion_Satz* s = Stadion_Get(team, 1);
    ASSERT_NE(s, nullptr);
    s->modell = 4;
    s->kapazitaet = 45000;
    s->komfort = Stadion_Modell_Wert(4, MODELL_NORMKOMFORT);
    ASSERT_TRUE(Bank_Gutschrift(team, 200000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
}

TEST_F(StadionScreen, BuildingModelFiveRaisesTheCapacityAndShowsTheNotice) {
    skript = {{4, 30, 300, 0, false, 0, Modell_4}};
    Menue_Eintrag(skript, VEREIN_X, STADION_Y);
    skript.push_back({1, 30, 200, 0, true, 0, Merken});    // 0: model 4; picture 0
    Klicken(skript, AUSBAUEN_X, AUSBAUEN_Y, 10);
    skript.push_back({2, 30, 200, 0, true, 0, Merken});    // 1: model 5 and the notice; picture 1
    Klicken(skript, 400, 300, 10);                             // a click closes the notice
    skript.push_back({2, 30, 200, 0, false, 0, Merken});   // 2
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.z.size(), 3u);
    EXPECT_EQ(g_b.z[0].modell, 4);
    EXPECT_EQ(g_b.z[1].modell, 5);
    EXPECT_EQ(g_b.z[1].kapazitaet, 60000) << "below the new model's least capacity";
    EXPECT_EQ(g_b.z[1].kontostand, g_b.z[0].kontostand - Stadion_Modell_Wert(5, MODELL_BAUPREIS));
    EXPECT_EQ(g_b.z[1].plan.komfort, g_b.z[1].komfort);
    EXPECT_TRUE(g_b.z[1].hinweis);
    EXPECT_FALSE(g_b.z[2].hinweis);
    EXPECT_EQ(Vergleichen("stadion_modell_4", 0), "");
    EXPECT_EQ(Vergleichen("stadion_hinweis", 1), "");
}

// Giving up 10,000 places costs 50 each; then a club without money cannot
// build: the stadium stays and the bank says why.
TEST_F(StadionScreen, FewerPlacesCostFiftyEachAndAClubWithoutMoneyKeepsItsStadium) {
    skript = {{4, 30, 300, 0, false, 0, Modell_4}};
    Menue_Eintrag(skript, VEREIN_X, STADION_Y);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});   // 0
    Klicken(skript, PLAETZE_MINUS_10_X, PLAETZE_Y, 10);        // the plan 10,000 lower
    Klicken(skript, PLAETZE_MINUS_10_X, PLAETZE_Y, 10);        // and never below the least capacity
    skript.push_back({1, 30, 200, 0, false, 0, Merken});   // 1
    Klicken(skript, PLAETZE_ZAHLEN_X, PLAETZE_ZAHLEN_Y, 10);
    skript.push_back({2, 30, 200, 0, false, 0, Merken});   // 2: paid
    Klicken(skript, 400, 300, 10);
    skript.push_back({2, 30, 200, 0, false, 0, [] {
        // Leave the club nothing it may spend.
        ASSERT_TRUE(Bank_Abbuchung(team, float(Bank_Kontostand(team, true, -1)) - 1000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1));
        meldungen.clear();
        Merken();                                          // 3
    }});
    Klicken(skript, AUSBAUEN_X, AUSBAUEN_Y, 10);
    skript.push_back({4, 30, 200, 0, false, 0, Merken});   // 4: refused
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.z.size(), 5u);
    const int32_t min4 = Stadion_Modell_Wert(4, MODELL_MIN_KAPAZITAET);
    ASSERT_LE(min4, 35000) << "the world's model 4 takes 35,000 places";
    EXPECT_EQ(g_b.z[1].plan.kapazitaet, std::max(min4, 25000));
    EXPECT_EQ(g_b.z[1].plaetze_kosten, int64_t(45000 - g_b.z[1].plan.kapazitaet) * STADION_ABBAU_JE_PLATZ);
    EXPECT_EQ(g_b.z[2].kapazitaet, g_b.z[1].plan.kapazitaet);
    EXPECT_EQ(g_b.z[2].kontostand, g_b.z[1].kontostand - g_b.z[1].plaetze_kosten);
    EXPECT_EQ(g_b.z[4].modell, 4) << "not paid: not built";
    EXPECT_EQ(g_b.z[4].kapazitaet, g_b.z[3].kapazitaet);
    EXPECT_EQ(g_b.z[4].kontostand, g_b.z[3].kontostand);
    EXPECT_FALSE(g_b.z[4].hinweis);
    EXPECT_EQ(meldungen.size(), 1u) << "the bank's refusal";
}

// Each spinner's arrows by where the pointer clicks: ten down, one down, one
// up, ten up, from the spinner's left edge.
constexpr int32_t PFEIL_DX[] = {10, 40, 58, 75};

struct SpinnerWerte {
    std::vector<int32_t> preis, komfort, plaetze;
};
SpinnerWerte g_w;

void Spinner_Merken() {
    const Stadion_Satz* s = Stadion_Get(team, 1);
    g_w.preis.push_back(s ? s->preis : -1);
    g_w.komfort.push_back(Stadion_Screen_Plan().komfort);
    g_w.plaetze.push_back(Stadion_Screen_Plan().kapazitaet);
}

// A price of 30, comfort 50 and a capacity in the middle of the model's range,
// so that no arrow meets a limit.
void Mitte() {
    Modell_4();
    Stadion_Satz* s = Stadion_Get(team, 1);
    s->preis = 30;
    s->komfort = 50;
    const int32_t min = Stadion_Modell_Wert(4, MODELL_MIN_KAPAZITAET), max = Stadion_Modell_Wert(4, MODELL_MAX_KAPAZITAET);
    s->kapazitaet = (min + max) / 2 / 1000 * 1000;
}

TEST_F(StadionScreen, EveryArrowOfEverySpinnerStepsByItsAmount) {
    g_w = SpinnerWerte{};
    struct Fall {
        int32_t x, y;
        std::vector<int32_t> pfeile;   // indices into PFEIL_DX, clicked in this order
        std::vector<int32_t>* werte;
        std::vector<int32_t> schritte;  // the expected change of each click
    };
    // Comfort starts at the stadium's own, its least: up first.
    Fall faelle[] = {{620, 184, {0, 1, 2, 3}, &g_w.preis, {-10, -1, 1, 10}},
                     {671, 284, {2, 3, 1, 0}, &g_w.komfort, {1, 10, -1, -10}},
                     {671, 426, {0, 1, 2, 3}, &g_w.plaetze, {-10000, -1000, 1000, 10000}}};
    skript = {{4, 30, 300, 0, false, 0, Mitte}};
    Menue_Eintrag(skript, VEREIN_X, STADION_Y);
    skript.push_back({1, 30, 200, 0, false, 0, Spinner_Merken});
    for (const Fall& f : faelle)
        for (int32_t p : f.pfeile) {
            Klicken(skript, f.x + PFEIL_DX[p], f.y, 10);
            skript.push_back({1, 30, 200, 0, false, 0, Spinner_Merken});
        }
    ASSERT_TRUE(Spielen());
    int32_t klick = 0;
    for (const Fall& f : faelle)
        for (size_t k = 0; k < f.schritte.size(); ++k, ++klick) {
            ASSERT_LT(size_t(klick + 1), f.werte->size());
            EXPECT_EQ((*f.werte)[klick + 1] - (*f.werte)[klick], f.schritte[k])
                << "spinner at " << f.x << "," << f.y << ", arrow " << f.pfeile[k];
        }
}

TEST_F(StadionScreen, PlansFromADamagedSaveOpenInsideTheirRanges) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        Manager_Icon_Button_An_Aus(team, ICON_STADION_KOMFORT, 250);
        Manager_Icon_Button_An_Aus(team, ICON_STADION_PLAETZE, 999999);
    }}};
    Menue_Eintrag(skript, VEREIN_X, STADION_Y);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.z.size(), 1u);
    EXPECT_EQ(g_b.z[0].plan.komfort, g_b.z[0].komfort);
    EXPECT_LE(g_b.z[0].plan.kapazitaet, 120000);
    EXPECT_GE(g_b.z[0].plan.kapazitaet, g_b.z[0].kapazitaet);
    EXPECT_EQ(g_b.z[0].plan.kapazitaet % 1000, 0);
}

}  // namespace
}  // namespace velmora::test
