// tests/screens/bank_screen_test.cpp - the bank screen in a running game,
// opened from the club menu: the spinners by click position and their ranges,
// the bank's rate following the term, a loan from the bank, a refusal that
// offers the credit limit, and icon values from a damaged save.
#include "screens/bank_screen.h"

#include <string>
#include <vector>

#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/news.h"
#include "club/manager.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "season/kalender.h"
#include "tests/screens/geld_welt.h"
#include "tests/support/client_welt.h"

namespace velmora::test {
namespace {

struct Beobachtung {
    int32_t gegner = -1;
    std::vector<BankEingaben> eingaben;   // after each step that asks
    std::vector<int32_t> kontostand, posten;
};
Beobachtung g_b;

class BankScreen : public GeldWelt {
protected:
    void SetUp() override {
        GeldWelt::SetUp();
        g_b = Beobachtung{};
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 51, [](int32_t) {
            g_b.gegner = Menue_Lokal().gegner;
        }, "Gegner");
    }
};

constexpr int32_t BETRAG_Y = 360, LAUFZEIT_Y = 425, ANTRAG_X = 487, ANTRAG_Y = 489;
// The spinners' keys: ten down, one down, one up, ten up.
constexpr int32_t MINUS_10 = 105, MINUS_1 = 135, PLUS_1 = 153, PLUS_10 = 175;



void Merken() {
    g_b.eingaben.push_back(Menue_Screen_Icon_Ist_Vorhanden(ICON_BANK_FENSTER) ? Bank_Screen_Eingaben() : BankEingaben{-1, -1, -1, -1});
    g_b.kontostand.push_back(Bank_Kontostand(team, false, -1));
    g_b.posten.push_back(Bank_Anzahl_Posten(team));
}

int32_t Tabellenzins(int32_t laufzeit) { return int32_t(Bank_Kreditzins(Bank_Stufe(laufzeit))); }

TEST_F(BankScreen, SpinnersStayInRangeTheRateFollowsTheTermAndApplyBorrowsFromTheBank) {
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, VEREIN_X, BANK_Y);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});          // 0: as opened
    // Each click waits long enough for the next change (one every 150 ms).
    Klicken(skript, MINUS_10, BETRAG_Y, 12);                          // below the least amount: stays
    Klicken(skript, PLUS_10, BETRAG_Y, 12);
    Klicken(skript, PLUS_1, BETRAG_Y, 12);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});          // 1: 1,200,000
    Klicken(skript, MINUS_1, LAUFZEIT_Y, 12);                         // below 10: stays
    Klicken(skript, PLUS_10, LAUFZEIT_Y, 12);
    Klicken(skript, PLUS_1, LAUFZEIT_Y, 12);
    Klicken(skript, PLUS_1, LAUFZEIT_Y, 12);
    Klicken(skript, PLUS_1, LAUFZEIT_Y, 12);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});          // 2: term 23
    Klicken(skript, PLUS_1, LAUFZEIT_Y, 12);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});          // 3: term 24
    for (int32_t k = 0; k < 4; ++k) Klicken(skript, PLUS_10, LAUFZEIT_Y, 12);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});          // 4: term 50 at most
    Klicken(skript, ANTRAG_X, ANTRAG_Y, 12);
    skript.push_back({4, 30, 200, 0, true, 0, Merken});           // 5: the loan booked; picture 0
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.eingaben.size(), 6u);
    const auto& e = g_b.eingaben;
    EXPECT_EQ(e[0].geber, 0) << "one manager: the bank lends";
    EXPECT_EQ(e[0].betrag, BANK_BETRAG_MIN);
    EXPECT_EQ(e[0].laufzeit, BANK_LAUFZEIT_MIN);
    EXPECT_EQ(e[1].betrag, 1200000);
    EXPECT_EQ(e[2].laufzeit, 23);
    EXPECT_EQ(e[3].laufzeit, 24);
    EXPECT_EQ(e[4].laufzeit, BANK_LAUFZEIT_MAX);
    const int32_t erwartet[5][2] = {{10, 8}, {10, 8}, {23, 8}, {24, 7}, {50, 7}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(e[i].zins, Tabellenzins(erwartet[i][0])) << "step " << i;
        // The unmoved table: 8 % for terms 10-23, 7 % from 24 (the rates move in one game of ten).
        if (Bank_Kreditzins(3) == 8.0f && Bank_Kreditzins(4) == 7.0f) {
            EXPECT_EQ(e[i].zins, erwartet[i][1]);
        }
    }
    EXPECT_EQ(g_b.posten[5], g_b.posten[4] + 1);
    EXPECT_EQ(g_b.kontostand[5], g_b.kontostand[4] + 1200000);
    EXPECT_EQ(Vergleichen("bank_kredit", 0), "");
}

// Icon values from a damaged save open clamped; with four items the bank
// refuses and the screen offers the credit limit.
TEST_F(BankScreen, DamagedValuesOpenClampedAndARefusalOffersTheLimit) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        Manager_Icon_Button_An_Aus(team, ICON_BANK_GEBER, 1999);
        Manager_Icon_Button_An_Aus(team, ICON_BANK_BETRAG, 2147483647);
        Manager_Icon_Button_An_Aus(team, ICON_BANK_LAUFZEIT, 0);
        Manager_Icon_Button_An_Aus(team, ICON_BANK_ZINS, -5);
        // Two loans from the bank, and 3,000,000 lent out to the next match's opponent.
        ASSERT_TRUE(Bank_Kredit(-1, team, 2000000.0f, 20, 0, -1.0f, 0));
        ASSERT_TRUE(Bank_Kredit(-1, team, 500000.0f, 12, 0, -1.0f, 0));
        ASSERT_TRUE(Bank_Waehrung_Umrechnen(g_b.gegner, 1000000, 0));
        ASSERT_TRUE(Bank_Kredit(team, g_b.gegner, 300000.0f, 15, 0, 9.0f, 0));
    }}};
    Menue_Eintrag(skript, VEREIN_X, BANK_Y);
    skript.push_back({1, 30, 200, 0, true, 0, Merken});     // 0: as opened; picture 0
    Klicken(skript, ANTRAG_X, ANTRAG_Y, 12);                    // 12,000,000 is over the limit
    skript.push_back({4, 30, 200, 0, false, 0, Merken});    // 1: the limit offered
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.eingaben.size(), 2u);
    const BankEingaben& e = g_b.eingaben[0];
    EXPECT_EQ(e.geber, 0);
    EXPECT_EQ(e.betrag, BANK_BETRAG_MAX);
    EXPECT_EQ(e.laufzeit, BANK_LAUFZEIT_MIN);
    EXPECT_EQ(e.zins, Tabellenzins(BANK_LAUFZEIT_MIN));
    EXPECT_EQ(g_b.posten[1], g_b.posten[0]) << "refused: no new item";
    EXPECT_EQ(g_b.kontostand[1], g_b.kontostand[0]);
    EXPECT_EQ(g_b.eingaben[1].betrag, 12000000 - 2500000) << "the credit limit is offered";
    EXPECT_EQ(Vergleichen("bank_posten", 0), "");
}

// With a second manager the lender steps to his club and the rate is free;
// apply sends him the request as news and tells the own manager.
class BankScreenZwei : public BankScreen {
protected:
    void SetUp() override {
        menschen = 2;
        BankScreen::SetUp();
    }
};

struct Anfrage {
    int32_t kopf[7] = {-1, -1, -1, -1, -1, -1, -1};
    int32_t empfaenger_name_gehoert = 0;
    int32_t heute = 0;
};
Anfrage g_anfrage;

TEST_F(BankScreenZwei, AnotherManagersClubLendsThroughARequestInItsNews) {
    g_anfrage = Anfrage{};
    constexpr int32_t GEBER_X = 140, GEBER_Y = 297, ZINS_Y = 490;
    skript = {{4, 30, 300, 0, false}};
    Klicken(skript, OK_X, OK_Y);   // the message of whose turn it is
    Menue_Eintrag(skript, VEREIN_X, BANK_Y);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});       // 0: the bank lends
    Klicken(skript, GEBER_X, GEBER_Y, 12);                      // the other club
    skript.push_back({1, 30, 200, 0, false, 0, Merken});       // 1
    Klicken(skript, PLUS_1, ZINS_Y, 12);                        // the rate is free now
    Klicken(skript, PLUS_10, BETRAG_Y, 12);
    skript.push_back({1, 30, 200, 0, false, 0, [] {
        Merken();                                                // 2
        meldungen.clear();
    }});
    Klicken(skript, ANTRAG_X, ANTRAG_Y, 12);
    skript.push_back({1, 30, 200, 0, false, 0, [] {
        Merken();                                                // 3
        g_anfrage.heute = Tag_Index();
        const int32_t geber = g_b.eingaben[2].geber;
        for (int32_t i = 0; i < News_Anzahl(); ++i)
            if (const int32_t* k = News_Get_Kopf(i); k && k[0] == BANK_ANFRAGE_ART && k[1] == team && k[2] == geber)
                std::copy(k, k + 7, g_anfrage.kopf);
        for (const std::string& m : meldungen)
            if (m.find(Manager_Name(geber)) != std::string::npos) ++g_anfrage.empfaenger_name_gehoert;
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.eingaben.size(), 4u);
    EXPECT_EQ(g_b.eingaben[0].geber, 0);
    EXPECT_GT(g_b.eingaben[1].geber, 0);
    EXPECT_NE(g_b.eingaben[1].geber, team);
    EXPECT_EQ(g_b.eingaben[2].zins, g_b.eingaben[1].zins + 1);
    const BankEingaben& e = g_b.eingaben[2];
    EXPECT_EQ(g_anfrage.kopf[3], g_anfrage.heute + BANK_ANFRAGE_FRIST);
    EXPECT_EQ(g_anfrage.kopf[4], e.betrag);
    EXPECT_EQ(g_anfrage.kopf[5], e.zins);
    EXPECT_EQ(g_anfrage.kopf[6], e.laufzeit);
    EXPECT_EQ(g_anfrage.empfaenger_name_gehoert, 1);
    EXPECT_EQ(g_b.posten[3], g_b.posten[2]) << "nothing booked before the answer";
    EXPECT_EQ(g_b.kontostand[3], g_b.kontostand[2]);
}

// On a client whose server answers late (each call 150 ms), a second click on
// "apply" made while the loan's call waits is dropped: one loan, its money once.
TEST_F(BankScreen, OnAClientASecondClickOnApplyDuringTheCallBooksOneLoan) {
    static bool ist_client = false;
    ist_client = false;
    Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 52, [](int32_t t) {
        if (!ClientWelt::netz) ist_client = ClientWelt::Werden(t);
    }, "Client");
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, VEREIN_X, BANK_Y);
    skript.push_back({1, 30, 200, 0, false, 0, Merken});   // 0: before
    skript.push_back({1, ANTRAG_X, ANTRAG_Y, 0, false, 0, [] {
        ClientWelt::verzoegerung = 15;
        ClientWelt::klick_x = ANTRAG_X;
        ClientWelt::klick_y = ANTRAG_Y;
    }});
    Klicken(skript, ANTRAG_X, ANTRAG_Y, 2);
    skript.push_back({3, ANTRAG_X, ANTRAG_Y, 1, false});   // the second press, still held after the call
    skript.push_back({4, ANTRAG_X, ANTRAG_Y, 0, false});   // ... released on the button
    skript.push_back({1, 30, 200, 0, false, 0, [] {
        ClientWelt::verzoegerung = 0;
        Merken();                                           // 1: after
    }});
    const bool gespielt = Spielen();
    ClientWelt::Ende();
    ASSERT_TRUE(gespielt);
    ASSERT_TRUE(ist_client);
    ASSERT_EQ(g_b.posten.size(), 2u);
    EXPECT_GT(ClientWelt::paesse, 8) << "the call waited";
    EXPECT_FALSE(ClientWelt::knopf_beim_warten) << "apply calls on the release";
    EXPECT_EQ(g_b.posten[1], g_b.posten[0] + 1);
    EXPECT_EQ(g_b.kontostand[1], g_b.kontostand[0] + BANK_BETRAG_MIN);
}

}  // namespace
}  // namespace velmora::test
