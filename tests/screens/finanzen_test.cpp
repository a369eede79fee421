// tests/screens/finanzen_test.cpp - the finance screen in a running game,
// opened from the club menu: a new club's empty sheet, each row reading its own
// category, the sheet of a period closed by a match, and the period buttons.
#include "screens/finanzen.h"

#include <vector>

#include "business/bank.h"
#include "club/team.h"
#include "core/prioritaeten.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

struct Beobachtung {
    int32_t gegner = -1;
    std::vector<int32_t> versatz;   // the shown period after each step that asks
    FinanzWerte neu;                // the new club's open period
    FinanzWerte letzte;             // the last closed period after the match
};
Beobachtung g_b;

class FinanzScreen : public GeldWelt {
protected:
    void SetUp() override {
        GeldWelt::SetUp();
        g_b = Beobachtung{};
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 51, [](int32_t) {
            g_b.gegner = Menue_Lokal().gegner;
        }, "Gegner");
    }
};

constexpr int32_t ZURUECK_X = 95, VOR_X = 127, PFEIL_Y = 479;



void Versatz_Merken() { g_b.versatz.push_back(Menue_Screen_Icon_Ist_Vorhanden(ICON_FINANZ_FENSTER) ? Finanz_Screen_Versatz() : 99); }

// Closes the open period with a home match 3:1 before 23,456 spectators.
void Spiel_Buchen() {
    ASSERT_TRUE(Bank_Gutschrift(team, 210000.0f, BUCHUNG_EINTRITT, -1));
    ASSERT_TRUE(Bank_Abbuchung(team, 340000.0f, BUCHUNG_SPIELERKOSTEN, 1, -1));
    SpielDatensatz s{};
    s.heim = int16_t(team);
    s.gast = int16_t(g_b.gegner);
    s.tore_heim = 3;
    s.tore_gast = 1;
    s.zuschauer = 23456;
    Bank_Periode_Buchen(team, &s);
}

TEST_F(FinanzScreen, ANewClubShowsItsOpenPeriodWithZerosAndTheComingMatch) {
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, VEREIN_X, FINANZEN_Y);
    skript.push_back({1, 400, 300, 0, true, 0, [] {
        Versatz_Merken();
        g_b.neu = Finanz_Werte_Berechnen(team, 0, g_b.gegner, Menue_Lokal().seite == 1);
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.versatz, std::vector<int32_t>{0}) << "no closed period yet";
    // Only the advertising agency's fee of the first day's offer is booked yet.
    for (int32_t r = 0; r < FINANZ_ZEILEN; ++r)
        if (r != 4) {
            EXPECT_EQ(g_b.neu.wert[r], 0) << "row " << r;
        }
    EXPECT_EQ(g_b.neu.tore_heim, -1);
    EXPECT_TRUE((g_b.neu.heim == team && g_b.neu.gast == g_b.gegner) ||
                (g_b.neu.gast == team && g_b.neu.heim == g_b.gegner));
    EXPECT_EQ(Vergleichen("finanz_neu", 0), "");
}

// Each row reads its own category, income rows the credits, cost rows the
// debits: a distinct amount booked into each row's category shows in that row only.
TEST_F(FinanzScreen, EachRowSumsItsOwnCategoryInEachPeriod) {
    static std::vector<std::vector<int32_t>> gesehen;
    static std::vector<int32_t> basis;
    gesehen.clear();
    skript = {{4, 30, 300, 0, false, 0, [] {
        // Period -2 (after two closes): rows booked 10,000 x (row + 1); -1: 20,000 x; 0: 30,000 x.
        ASSERT_TRUE(Bank_Gutschrift(team, 100000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
        // What the first day booked already (the agency's fee) stays in the oldest period.
        const FinanzWerte vorher = Finanz_Werte_Berechnen(team, 0, g_b.gegner, false);
        basis.assign(vorher.wert, vorher.wert + FINANZ_ZEILEN);
        for (int32_t periode = 0; periode < 3; ++periode) {
            for (int32_t r = 0; r < FINANZ_ZEILEN; ++r) {
                const float betrag = float(10000 * (periode + 1) * (r + 1));
                const uint8_t k = uint8_t(Finanz_Zeile_Kategorie(r) & 0x7f);
                ASSERT_TRUE(r < FINANZ_EINNAHME_ZEILEN ? Bank_Gutschrift(team, betrag, k, -1)
                                                       : Bank_Abbuchung(team, betrag, k, 1, -1));
            }
            if (periode < 2) Bank_Periode_Buchen(team, nullptr);
        }
        for (int32_t v = -2; v <= 0; ++v) {
            const FinanzWerte w = Finanz_Werte_Berechnen(team, v, g_b.gegner, false);
            gesehen.emplace_back(w.wert, w.wert + FINANZ_ZEILEN);
        }
    }}};
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(gesehen.size(), 3u);
    for (int32_t p = 0; p < 3; ++p)
        for (int32_t r = 0; r < FINANZ_ZEILEN; ++r) {
            // The start money of the open period and the support payment land in "other income" (row 3).
            if (r == 3 || r == 10) continue;
            EXPECT_EQ(gesehen[size_t(p)][size_t(r)], 10000 * (p + 1) * (r + 1) + (p == 0 ? basis[size_t(r)] : 0))
                << "period " << p - 2 << " row " << r;
        }
}

// After a match: the last period's sheet with its score and crowd; back past
// the oldest period returns to the open one, forward from it goes to the oldest.
TEST_F(FinanzScreen, TheLastMatchsSheetAndThePeriodButtons) {
    skript = {{4, 30, 300, 0, false, 0, Spiel_Buchen}};
    Menue_Eintrag(skript, VEREIN_X, FINANZEN_Y);
    skript.push_back({1, 400, 300, 0, true, 0, Versatz_Merken});
    Klicken(skript, ZURUECK_X, PFEIL_Y);
    skript.push_back({2, 400, 300, 0, true, 0, Versatz_Merken});
    Klicken(skript, VOR_X, PFEIL_Y);
    skript.push_back({2, 400, 300, 0, false, 0, Versatz_Merken});
    Klicken(skript, VOR_X, PFEIL_Y);
    skript.push_back({2, 400, 300, 0, false, 0, [] {
        Versatz_Merken();
        g_b.letzte = Finanz_Werte_Berechnen(team, -1, g_b.gegner, false);
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(g_b.versatz, (std::vector<int32_t>{-1, 0, -1, 0}));
    const FinanzWerte& w = g_b.letzte;
    EXPECT_EQ(w.heim, team);
    EXPECT_EQ(w.gast, g_b.gegner);
    EXPECT_EQ(w.tore_heim, 3);
    EXPECT_EQ(w.tore_gast, 1);
    EXPECT_EQ(w.zuschauer, 23456);
    EXPECT_EQ(w.wert[1], 210000);
    EXPECT_EQ(w.wert[8], 340000);
    EXPECT_EQ(Vergleichen("finanz_nach_spiel", 0), "");
}

// A long result keeps its first digit and its minus sign clear of the
// result's picture: a profit of 1,265,000 and a loss of 12,345,678.
TEST_F(FinanzScreen, TheResultsPictureLeavesALongResultClear) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        // The first day's agency fee (5,000) is booked already.
        ASSERT_TRUE(Bank_Gutschrift(team, 1270000.0f, BUCHUNG_EINTRITT, -1));
    }}};
    Menue_Eintrag(skript, VEREIN_X, FINANZEN_Y);
    skript.push_back({1, 400, 300, 0, true, 0, [] {
        g_b.neu = Finanz_Werte_Berechnen(team, 0, g_b.gegner, false);
    }});
    skript.push_back({1, 400, 300, 0, false, 0, [] {
        ASSERT_TRUE(Bank_Abbuchung(team, 13610678.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1));
    }});
    Klicken(skript, ZURUECK_X, PFEIL_Y);   // no closed period: the open one is drawn again
    skript.push_back({2, 400, 300, 0, true, 0, [] {
        Versatz_Merken();
        g_b.letzte = Finanz_Werte_Berechnen(team, 0, g_b.gegner, false);
    }});
    ASSERT_TRUE(Spielen());
    auto ergebnis = [](const FinanzWerte& w) {
        int32_t e = 0;
        for (int32_t r = 0; r < FINANZ_ZEILEN; ++r) e += r < FINANZ_EINNAHME_ZEILEN ? w.wert[r] : -w.wert[r];
        return e;
    };
    EXPECT_EQ(ergebnis(g_b.neu), 1265000);
    EXPECT_EQ(ergebnis(g_b.letzte), -12345678);
    EXPECT_EQ(g_b.versatz, std::vector<int32_t>{0});
    EXPECT_EQ(Vergleichen("finanz_gewinn_lang", 0), "");
    EXPECT_EQ(Vergleichen("finanz_verlust_lang", 1), "");
}

// Long club names stay in the match's box under the result: each is cut
// before it would run past the box's edge (the box spans x 209 to 459; only
// the match line's white stands in its rows).
TEST_F(FinanzScreen, TheMatchLineKeepsLongNamesInItsBox) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        ASSERT_TRUE(Team_Namen_Setzen(team, nullptr, "Sportfreunde Grossbuch", nullptr));
        ASSERT_TRUE(Team_Namen_Setzen(g_b.gegner, nullptr, "Borussia Waldmuehlheim", nullptr));
        Spiel_Buchen();
    }}};
    Menue_Eintrag(skript, VEREIN_X, FINANZEN_Y);
    skript.push_back({1, 400, 300, 0, true});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    const std::vector<uint16_t>& bild = fotos[0];
    // The window's columns beside the box, left (150 to 208) and right (460 to 734).
    std::string aussen;
    for (int32_t y = 462; y < 492 && aussen.empty(); ++y)
        for (int32_t x = 150; x < 735 && aussen.empty(); x = x == 208 ? 460 : x + 1)
            if (bild[size_t(y * 800 + x)] == 0xFFFF) aussen = std::to_string(x) + "," + std::to_string(y);
    EXPECT_EQ(aussen, "") << "the match line's white outside its box";
    EXPECT_EQ(Vergleichen("finanz_lange_namen", 0), "");
}

}  // namespace
}  // namespace velmora::test
