// tests/business/trainingslager_screen_test.cpp - the camp booking page in a
// running game, opened from the team menu: browsing, booking by its button
// (one camp fewer this season, the camp runs, the button goes off); the camp's
// window, shown again with the page, ended by its button; the results list.
#include "business/trainingslager_screen.h"

#include "business/bank.h"
#include "business/trainingslager.h"
#include "business/trainingslager_fenster.h"
#include "business/trainingslager_lauf.h"
#include "gui/icon.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t TEAM_X = 322, LAGER_Y = 580, BUCHEN_X = 660, BUCHEN_Y = 312, WEITER_X = 95, WEITER_Y = 450,
                  ENDE_X = 506, ENDE_Y = 285;

int32_t g_uebrig = -1, g_konto = 0;

class LagerScreen : public GeldWelt {};

TEST_F(LagerScreen, BrowsingAndBookingACampCountsItOffAndStartsIt) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        ASSERT_TRUE(Bank_Gutschrift(team, 50000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
    }}};
    Menue_Eintrag(skript, TEAM_X, LAGER_Y);
    Klicken(skript, WEITER_X, WEITER_Y, 2);
    skript.push_back({2, 300, 80, 0, true, 0, [] {
        ASSERT_TRUE(Trainingslager_Screen_Offen());
        EXPECT_EQ(Trainingslager_Auswahl(), 1);
        EXPECT_TRUE(Trainingslager_Screen_Buchbar());
        g_uebrig = Trainingslager_Uebrig();
        g_konto = Bank_Kontostand(team, false, -1);
        EXPECT_GE(g_uebrig, 1);
    }});
    Klicken(skript, BUCHEN_X, BUCHEN_Y, 2);
    skript.push_back({2, 300, 80, 0, false, 0, [] {
        EXPECT_EQ(Trainingslager_Uebrig(), g_uebrig - 1);
        EXPECT_LT(Bank_Kontostand(team, false, -1), g_konto);
        EXPECT_TRUE(Lager_Laeuft());
        EXPECT_FALSE(Trainingslager_Screen_Buchbar()) << "one camp at a time";
    }});
    Klicken(skript, BUCHEN_X, BUCHEN_Y, 2);
    skript.push_back({2, 300, 80, 0, false, 0, [] {
        EXPECT_EQ(Trainingslager_Uebrig(), g_uebrig - 1) << "the second click while it runs books nothing";
        EXPECT_TRUE(Lager_Fenster_Offen());
    }});
    skript.push_back({60, 300, 80, 0, false});
    skript.push_back({1, 300, 80, 0, true, 0, [] {
        // The page opened again (a loaded game) shows the running camp over it.
        for (int32_t i : {ICON_LF_HINTERGRUND, ICON_LF_FENSTER, ICON_LF_ENDE, ICON_LAGER_SEITE})
            Menue_Screen_Icon_Loeschen(i, nullptr);
        Trainingslager_Screen_Oeffnen();
        EXPECT_TRUE(Lager_Fenster_Offen());
        EXPECT_TRUE(Lager_Laeuft());
    }});
    Klicken(skript, ENDE_X, ENDE_Y, 3);
    skript.push_back({1, 300, 80, 0, true, 0, [] {
        EXPECT_FALSE(Lager_Laeuft());
        EXPECT_FALSE(Lager_Fenster_Offen());
        EXPECT_TRUE(Lager_Ergebnis_Fenster_Offen());
    }});
    Klicken(skript, 300, 300, 3);
    skript.push_back({1, 300, 80, 0, false, 0, [] {
        EXPECT_FALSE(Lager_Ergebnis_Fenster_Offen()) << "a click closes the results";
        EXPECT_FALSE(Lager_Ergebnisse_Offen());
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("trainingslager_seite", 0), "");
    EXPECT_EQ(Vergleichen("trainingslager_fenster", 1), "");
    EXPECT_EQ(Vergleichen("trainingslager_ergebnis", 2), "");
}

}  // namespace
}  // namespace velmora::test
