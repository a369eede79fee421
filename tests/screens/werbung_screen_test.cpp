// tests/screens/werbung_screen_test.cpp - the advertising screen in a running
// game, opened from the club menu: the pending offer accepted, the messages
// without an offer, the agency's strain up to its rest, and automatic filling
// of a club with little money.
#include "screens/werbung_screen.h"

#include <cstring>
#include <string>
#include <vector>

#include "business/bank.h"
#include "business/werbung.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/text.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "season/kalender.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

struct Beobachtung {
    std::vector<Werbung_Datensatz> satz;
    std::vector<int32_t> kontostand;
    std::vector<bool> agentur_frei;
    std::vector<std::string> texte;   // WERBUNG_SCREEN 53-57 as the game had them
};
Beobachtung g_b;


class WerbungScreen : public GeldWelt {
protected:
    void SetUp() override {
        GeldWelt::SetUp();
        g_b = Beobachtung{};
    }
};

constexpr int32_t ANNEHMEN_X = 121, ANNEHMEN_Y = 420, AGENTUR_X = 121, AGENTUR_Y = 536, AUTO_X = 502, AUTO_Y = 535;



void Merken() {
    g_b.texte.clear();
    for (int32_t n = 53; n <= 57; ++n) g_b.texte.push_back(Text_Get(WERBUNG_TEXTE, n) ? Text_Get(WERBUNG_TEXTE, n) : "");
    const Werbung_Datensatz* w = Werbung_Get_Team(team);
    g_b.satz.push_back(w ? *w : Werbung_Datensatz{});
    g_b.kontostand.push_back(Bank_Kontostand(team, false, -1));
    g_b.agentur_frei.push_back(Werbung_Screen_Agentur_Frei());
}

const std::string& Text_Von(int32_t n) { return g_b.texte.at(size_t(n - 53)); }

int32_t Belegt(const Werbung_Datensatz& w) {
    int32_t n = 0;
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p) n += w.wert[p] != 0;
    return n;
}

TEST_F(WerbungScreen, ThePendingOfferIsAcceptedAndWithoutOneTheManagerHearsWhy) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        // A free place of the offer's kind, so the offer finds room.
        Werbung_Datensatz* w = Werbung_Get_Team(team);
        ASSERT_NE(w, nullptr);
        ASSERT_NE(w->angebot_wert, 0) << "a new club has an offer";
        for (int32_t p = WERBUNG_PLAETZE - 1; p >= 0; --p)
            if (Werbung_Kategorie_Von(p) == w->angebot_kategorie) {
                w->wert[p] = 0;
                break;
            }
    }}};
    Menue_Eintrag(skript, VEREIN_X, WERBUNG_Y);
    skript.push_back({1, 400, 80, 0, true, 0, Merken});    // 0: the offer; picture 0
    Klicken(skript, ANNEHMEN_X, ANNEHMEN_Y);
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        Merken();                                           // 1: accepted
        meldungen.clear();
        Werbung_Get_Team(team)->angebot_wert = 0;
    }});
    Klicken(skript, ANNEHMEN_X, ANNEHMEN_Y);
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        Merken();                                           // 2: no offer
        // An offer for the TV partner's place, which a locked contract holds.
        Werbung_Datensatz* w = Werbung_Get_Team(team);
        w->wert[0] = 5000;
        w->sperre[0] = 5;
        w->angebot_kategorie = 0;
        w->angebot_sponsor = 16;
        w->angebot_wert = 9000;
    }});
    Klicken(skript, ANNEHMEN_X, ANNEHMEN_Y);
    skript.push_back({2, 400, 80, 0, false, 0, Merken});    // 3: no place
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.satz.size(), 4u);
    EXPECT_EQ(Belegt(g_b.satz[1]), Belegt(g_b.satz[0]) + 1);
    EXPECT_EQ(meldungen, (std::vector<std::string>{Text_Von(53), Text_Von(54)}));
    EXPECT_EQ(g_b.satz[3].wert[0], 5000) << "the locked contract stays";
    EXPECT_EQ(Vergleichen("werbung_angebot", 0), "");
}

// Each request strains the agency: the 6th, 10th and 14th request bring texts
// 55, 56 and 57, and the last sends the agency to rest until its news.
TEST_F(WerbungScreen, TheAgencysStrainSpeaksThreeTimesAndThenItRests) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        ASSERT_TRUE(Bank_Gutschrift(team, 100000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
    }}};
    Menue_Eintrag(skript, VEREIN_X, WERBUNG_Y);
    for (int32_t k = 1; k <= 15; ++k) {
        Klicken(skript, AGENTUR_X, AGENTUR_Y);
        if (k >= 14) skript.push_back({1, 400, 80, 0, false, 0, Merken});   // 0: after 14, 1: after 15
    }
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.satz.size(), 2u);
    EXPECT_EQ(meldungen, (std::vector<std::string>{Text_Von(55), Text_Von(56), Text_Von(57)}));
    EXPECT_FALSE(g_b.agentur_frei[0]);
    EXPECT_GT(g_b.satz[0].countdown, 0);
    EXPECT_EQ(g_b.kontostand[1], g_b.kontostand[0]) << "a resting agency is not paid";
    EXPECT_EQ(g_b.satz[1].anfragen, g_b.satz[0].anfragen);
}

// With 800,000 or less, switching automatic filling on fills only free places.
TEST_F(WerbungScreen, AutomaticFillingOfAPoorClubTakesOnlyFreePlaces) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        Werbung_Datensatz* w = Werbung_Get_Team(team);
        ASSERT_NE(w, nullptr);
        w->automatisch = 0;
        for (int32_t p : {2, 3, 4}) w->wert[p] = 0;
        const int32_t stand = Bank_Kontostand(team, false, -1);
        ASSERT_TRUE(Bank_Abbuchung(team, float(stand - 500000), BUCHUNG_SONSTIGE_KOSTEN, 1, -1));
    }}};
    Menue_Eintrag(skript, VEREIN_X, WERBUNG_Y);
    skript.push_back({1, 400, 80, 0, false, 0, Merken});   // 0
    Klicken(skript, AUTO_X, AUTO_Y);
    skript.push_back({2, 400, 80, 0, false, 0, Merken});   // 1
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.satz.size(), 2u);
    EXPECT_EQ(g_b.satz[1].automatisch, 1);
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p)
        if (g_b.satz[0].wert[p] != 0) {
            EXPECT_EQ(g_b.satz[1].wert[p], g_b.satz[0].wert[p]) << "place " << p;
            EXPECT_EQ(g_b.satz[1].sponsor[p], g_b.satz[0].sponsor[p]) << "place " << p;
        }
    EXPECT_GE(Belegt(g_b.satz[1]), Belegt(g_b.satz[0]));
}

}  // namespace
}  // namespace velmora::test
