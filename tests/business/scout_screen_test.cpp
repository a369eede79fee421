// tests/business/scout_screen_test.cpp - the scout screen in a running game,
// reached as a manager reaches it (team menu, transfers, the send button):
// choosing a region on the map, back and again, paying, the search's
// dialogue with its prospect, signing him into the transfer list; a refused
// payment; a search left by a change of screen that comes back on page 3; a
// requester that pauses the search; leaving with and without the question.
#include "business/scout_screen.h"

#include "business/bank.h"
#include "business/scout.h"
#include "business/transfer_screen.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "gui/icon.h"
#include "gui/menue_requester.h"
#include "kunst/bild_muster_scout.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t TEAM_X = 322, TRANSFER_Y = 536, SENDEN_X = 688, SENDEN_Y = 492;
// Western Europe: the small world's players come from there.
constexpr int32_t WESTEN = 0, WESTEN_X = 339, WESTEN_Y = 222;
constexpr int32_t BEZAHLEN_X = 731, BEZAHLEN_Y = 382, ZURUECK_Y = 427;
constexpr int32_t KNOPF_X = 691, VERPFLICHTEN_Y = 360;

int32_t g_konto = 0, g_kandidat = -1, g_fortschritt = 0;

// Money enough, and scout 0 who finds a prospect soon and nearly always persuades him.
void Vorbereiten() {
    ASSERT_TRUE(Bank_Gutschrift(team, 50000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
    ASSERT_NE(Scout_Daten(0), nullptr);
    ScoutDaten d = *Scout_Daten(0);
    for (int32_t r = 0; r < REGIONEN; ++r) {
        d.wahrscheinlichkeit[r] = 100;
        d.ueberredung[r] = 100;
    }
    ASSERT_TRUE(Scout_Daten_Setzen(0, d));
}

int32_t Preis(int32_t scout, int32_t region) { return Scout_Grundpreis(scout) + Scout_Gebietspreis(scout, region); }

// Runs the search on the virtual clock until `fertig` holds (false when it never does).
bool Suchen_Bis(bool (*fertig)()) {
    for (int32_t n = 0; n < 20000 && !fertig(); ++n) {
        Plat_Uhr_Vorstellen(25);
        Scout_Suche_Schritt(Scout_Prozent());
    }
    return fertig();
}

void Requester_Antworten(bool ja) {
    ASSERT_TRUE(Menue_Requester_Offen());
    s_icon* k = Menue_Screen_Icon_Aus_Nummer(ja ? ICON_REQUESTER_KNOPF_1 : ICON_REQUESTER_KNOPF_2);
    ASSERT_TRUE(k && k->Main_P);
    k->Main_P(k, EV_LINKS);
}

bool Icon_Da(int32_t nummer) {
    const s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    return Menue_Screen_Icon_Ist_Vorhanden(nummer) && i && !(i->Status & ICON_ST_VERSTECKT) &&
           !(i->Status & ICON_ST_GESPERRT);
}

class ScoutScreen : public GeldWelt {};

TEST_F(ScoutScreen, FromTheTransferScreenARegionIsPaidAndThePersuadedProspectSigned) {
    ASSERT_EQ(Muster_Scout_Region_An(WESTEN_X - SCOUT_KARTE_X, WESTEN_Y - SCOUT_KARTE_Y), WESTEN);
    skript = {{4, 30, 300, 0, false, 0, Vorbereiten}};
    Menue_Eintrag(skript, TEAM_X, TRANSFER_Y);
    Klicken(skript, SENDEN_X, SENDEN_Y, 4);
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Screen_Seite(), 1);
        EXPECT_FALSE(Transfer_Screen_Offen()) << "the scout screen lies over its work area";
        EXPECT_EQ(Scout_Screen_Region_Gezeigt(14), Scout_Region_Waehlbar(14, Tag_Index()));
        EXPECT_TRUE(Scout_Screen_Region_Gezeigt(WESTEN));
    }});
    skript.push_back({6, WESTEN_X, WESTEN_Y, 0, false});
    skript.push_back({1, WESTEN_X, WESTEN_Y, 0, true});          // picture 0: page 1, Western Europe lit, its price
    Klicken(skript, WESTEN_X, WESTEN_Y, 3);
    skript.push_back({2, 400, 80, 0, true, 0, [] {               // picture 1: page 2
        EXPECT_EQ(Scout_Screen_Seite(), 2);
        EXPECT_FALSE(Scout_Screen_Region_Gezeigt(WESTEN));
    }});
    Klicken(skript, BEZAHLEN_X, ZURUECK_Y, 3);
    skript.push_back({1, 400, 80, 0, false, 0, [] { EXPECT_EQ(Scout_Screen_Seite(), 1) << "back from page 2"; }});
    Klicken(skript, WESTEN_X, WESTEN_Y, 3);
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Screen_Seite(), 2);
        g_konto = Bank_Kontostand(team, false, -1);
    }});
    Klicken(skript, BEZAHLEN_X, BEZAHLEN_Y, 3);
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Screen_Seite(), 3);
        EXPECT_EQ(Scout_Region(), WESTEN);
        EXPECT_EQ(Bank_Kontostand(team, false, -1), g_konto - Preis(0, WESTEN));
        ASSERT_TRUE(Suchen_Bis([] { return Scout_Phase() == 2; }));
    }});
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Kandidat_Zustand(), KANDIDAT_GEZEIGT);
        EXPECT_TRUE(Icon_Da(ICON_SCOUT_WEGSCHICKEN));
        EXPECT_FALSE(Icon_Da(ICON_SCOUT_VERPFLICHTEN)) << "not yet persuaded";
    }});
    skript.push_back({1, 400, 80, 0, true});                     // picture 2: mid-dialogue
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        ASSERT_TRUE(Suchen_Bis([] { return Scout_Kandidat_Zustand() == KANDIDAT_UEBERZEUGT; }));
        g_kandidat = Scout_Kandidat_Spieler();
    }});
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        EXPECT_TRUE(Icon_Da(ICON_SCOUT_VERPFLICHTEN));
        EXPECT_TRUE(Icon_Da(ICON_SCOUT_KARTE));
    }});
    skript.push_back({1, 400, 80, 0, true});                     // picture 3: persuaded
    Klicken(skript, KNOPF_X, VERPFLICHTEN_Y, 3);
    skript.push_back({2, 400, 80, 0, false, 0, [] { Requester_Antworten(true); }});
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        EXPECT_FALSE(Scout_Screen_Offen());
        EXPECT_TRUE(Transfer_Screen_Offen()) << "back on the transfer screen";
        ASSERT_GE(g_kandidat, 0);
        EXPECT_EQ(Team_Wert(TW_SCOUT_SPIELER, team, 0, OP_LESEN), g_kandidat);
        EXPECT_EQ(Team_Wert(TW_SCOUT, team, 0, OP_LESEN), 0);
        EXPECT_EQ(Transfer_Stand().rechts[TRANSFER_RECHTE_ZEILEN], g_kandidat) << "the prospect's row";
        EXPECT_FALSE(Scout_Suche_Laeuft());
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("scout_regionen", 0), "");
    EXPECT_EQ(Vergleichen("scout_bestaetigen", 1), "");
    EXPECT_EQ(Vergleichen("scout_gespraech", 2), "");
    EXPECT_EQ(Vergleichen("scout_ueberzeugt", 3), "");
}

// A refused payment keeps page 2 and the money; a paid search left by a
// change of screen comes back on page 3 with its own scout; a requester
// pauses it; leaving asks below 100 % ("no" stays), and ends it.
TEST_F(ScoutScreen, ASearchSurvivesAChangeOfScreenAndEndsOnlyWhenLeft) {
    skript = {{4, 30, 300, 0, false, 0, Vorbereiten}};
    Menue_Eintrag(skript, TEAM_X, TRANSFER_Y);
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        struct Fall {
            bool geld;
            int32_t seite;
        };
        for (const Fall f : {Fall{false, 2}, Fall{true, 3}}) {
            SCOPED_TRACE(f.geld ? "with money" : "without money");
            if (!f.geld) {
                Bank_Ueberweisung(team, -1, float(Bank_Kontostand(team, false, -1)), BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
                Bank_Ueberweisung(team, -1, 5.0e7f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
            } else {
                ASSERT_TRUE(Bank_Gutschrift(team, 1.0e8f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
            }
            Scout_Screen_Oeffnen(0);
            Scout_Screen_Region_Klick(WESTEN);
            ASSERT_EQ(Scout_Screen_Seite(), 2);
            const int32_t konto = Bank_Kontostand(team, false, -1);
            EXPECT_EQ(Scout_Screen_Bezahlen(), f.geld);
            EXPECT_EQ(Scout_Screen_Seite(), f.seite);
            EXPECT_EQ(Bank_Kontostand(team, false, -1), f.geld ? konto - Preis(0, WESTEN) : konto);
        }
    }});
    skript.push_back({40, 400, 80, 0, false, 0, nullptr});
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        g_fortschritt = Scout_Fortschritt();
        EXPECT_GT(g_fortschritt, 0) << "the page steps the search";
        EXPECT_TRUE(Scout_Suche_Laeuft());
    }});
    Menue_Eintrag(skript, VEREIN_X, BANK_Y);
    skript.push_back({30, 400, 80, 0, false, 0, [] {
        EXPECT_FALSE(Scout_Screen_Offen());
        g_fortschritt = Scout_Fortschritt();
    }});
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Fortschritt(), g_fortschritt) << "no steps while another screen shows";
        Scout_Screen_Oeffnen(2);
        EXPECT_EQ(Scout_Screen_Seite(), 3);
        EXPECT_EQ(Scout_Aktuell(), 0) << "the scout on the road, not the one chosen now";
        EXPECT_EQ(Scout_Region(), WESTEN);
        ASSERT_LT(Scout_Prozent(), 100);
        Scout_Screen_Verlassen();
        EXPECT_TRUE(Menue_Requester_Offen()) << "below 100 % leaving asks";
        g_fortschritt = Scout_Fortschritt();
    }});
    skript.push_back({30, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Fortschritt(), g_fortschritt) << "the requester pauses the search";
        Requester_Antworten(false);
    }});
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Scout_Screen_Seite(), 3) << "no: the search goes on";
        Scout_Screen_Verlassen();
        Requester_Antworten(true);
    }});
    skript.push_back({2, 400, 80, 0, false, 0, [] {
        EXPECT_FALSE(Scout_Screen_Offen());
        EXPECT_TRUE(Transfer_Screen_Offen());
        EXPECT_FALSE(Scout_Suche_Laeuft());
        Scout_Screen_Oeffnen(1);
        EXPECT_EQ(Scout_Screen_Seite(), 1) << "a new search";
        EXPECT_EQ(Scout_Aktuell(), 1);
        Scout_Screen_Zurueck();
        EXPECT_FALSE(Scout_Screen_Offen());
        EXPECT_TRUE(Transfer_Screen_Offen()) << "back on page 1 returns to the transfer screen";
    }});
    ASSERT_TRUE(Spielen());
}

}  // namespace
}  // namespace velmora::test
