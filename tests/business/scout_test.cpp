// The scout search: the pick list, the dialogue ring, the conversation and
// persuasion, the costs, signing and the save block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "business/scout.h"
#include "club/global_config.h"
#include "club/team_suche.h"
#include "club/wirtschaft.h"
#include "core/bytes.h"
#include "platform/clock.h"
#include "tests/business/bank_welt.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

constexpr int32_t LOKAL = 2;
constexpr int32_t HEIMAT = 3;           // the continent of the world's one country
constexpr int32_t MARKT_ERSTER = 72;    // 4 clubs x 18 players, then the market

struct Ereignis {
    int32_t zustand, spieler;
};
std::vector<Ereignis>& Ereignisse() {
    static std::vector<Ereignis> e;
    return e;
}

ScoutDaten Scout(int32_t wahrscheinlichkeit, int32_t ueberredung, int32_t staerke) {
    ScoutDaten d{};
    std::strcpy(d.vorname, "Karl");
    std::strcpy(d.name, "Sucher");
    d.alter = 50;
    d.grundpreis_factor = 5;
    for (int32_t r = 0; r < REGIONEN; ++r) {
        d.gebietspreis[r] = 10 * r;
        d.wahrscheinlichkeit[r] = wahrscheinlichkeit;
        d.ueberredung[r] = ueberredung;
        d.staerke_factor[r] = staerke;
    }
    return d;
}

// A world of four clubs and `markt` market players, a scout 0 and the continents.
class ScoutTest : public ::testing::Test {
protected:
    void SetUp() override { Bauen(30); }
    void Bauen(int32_t markt) {
        Rnd_Init();
        test::Welt_Bauen(4, 18, markt);
        Team_Lokal_Setzen(LOKAL);
        Global_Config_Init();
        for (int32_t r = 0; r < REGIONEN; ++r) Kontinent_Setzen(r, ("Region " + std::to_string(r)).c_str(), false);
        Scout_Daten_Setzen(0, Scout(100, 100, 4));
        Plat_Uhr_Virtuell(true, 50000);
        Scout_Init();
        Ereignisse().clear();
        Scout_Hooks().kandidat = [](int32_t zustand, int32_t spieler) { Ereignisse().push_back({zustand, spieler}); };
    }
    void TearDown() override {
        Scout_Hooks() = ScoutHooks{};
        Scout_Init();
        Plat_Uhr_Virtuell(false);
        Global_Config_Init();
        test::Welt_Freigeben();
    }
    // Market players 72.. become scout players of the home region with maximum
    // strengths 0, 1, 2, ...; club players leave the region when `clubs_weg`.
    static void Markt_Scouts(int32_t anzahl, bool clubs_weg) {
        if (clubs_weg)
            for (int32_t p = 0; p < MARKT_ERSTER; ++p) Spieler_Wert(68, p, -1, OP_SCHREIBEN);
        for (int32_t i = 0; i < anzahl; ++i) {
            Spieler_Wert(68, MARKT_ERSTER + i, 1, OP_SCHREIBEN);
            Spieler_Wert(75, MARKT_ERSTER + i, int32_t(SP_STATUS_SCOUT), OP_SETZEN);
            Spieler_Wert(97, MARKT_ERSTER + i, i % 13, OP_SCHREIBEN);
        }
    }
    static std::set<int32_t> Picks() {
        std::set<int32_t> s;
        for (int32_t i = 0; i < SCOUT_PICKS; ++i)
            if (Scout_Pick(i) >= 0) s.insert(Scout_Pick(i));
        return s;
    }
    // The screen's loop: a step every `takt` ms with the bar's percent, until
    // the search has ended or `fertig` says so; returns the steps made.
    template <typename F>
    static int32_t Laufen(uint32_t takt, int32_t max, F fertig) {
        int32_t n = 0;
        for (; n < max && Scout_Fertig() != 1 && !fertig(); ++n) {
            Plat_Uhr_Vorstellen(takt);
            Scout_Suche_Schritt(Scout_Prozent());
        }
        return n;
    }
    static int32_t Laufen(uint32_t takt, int32_t max) {
        return Laufen(takt, max, [] { return false; });
    }
    static int32_t Zeilen_Mit(const std::string& text) {
        int32_t n = 0;
        for (int32_t i = 0; i < Scout_Dialog_Anzahl(); ++i)
            if (std::string(Scout_Dialog(i)->text).find(text) != std::string::npos) ++n;
        return n;
    }
    test::LogFaenger log;
};

int32_t Ziel_Vorher(int32_t f) {
    return (f + Team_Get_Staerke(LOKAL) / 20) / 2;
}

TEST_F(ScoutTest, AFullListOfRegionPlayersLeavesTheMarketScoutsOut) {
    Markt_Scouts(13, false);
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    std::set<int32_t> p = Picks();
    EXPECT_EQ(p.size(), 10u);
    for (int32_t s : p) {
        EXPECT_LT(s, MARKT_ERSTER) << "a market scout player in a full list";
        EXPECT_NE(Spieler_Get_Team(s), LOKAL) << "a player of the own club";
    }
    EXPECT_TRUE(test::Log_Enthaelt("Factor "));
    EXPECT_TRUE(test::Log_Enthaelt("St "));
}

TEST_F(ScoutTest, ShortListsAreFilledWithMarketScoutsNearTheTarget) {
    Markt_Scouts(13, true);
    // A non-scout market player of the region is never taken.
    Spieler_Wert(68, MARKT_ERSTER + 20, 1, OP_SCHREIBEN);
    for (int32_t f : {0, 2, 4}) {
        Scout_Daten_Setzen(0, Scout(100, 100, f));
        int32_t ziel = Ziel_Vorher(f);
        ASSERT_LT(ziel, 8);
        test::Log().clear();
        ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
        EXPECT_TRUE(test::Log_Enthaelt("Factor " + std::to_string(ziel)));
        std::set<int32_t> erwartet;
        for (int32_t i = 0; i < 13; ++i)
            if (i >= ziel - 4 && i <= ziel + 4) erwartet.insert(MARKT_ERSTER + i);
        ASSERT_LE(erwartet.size(), 10u);
        EXPECT_EQ(Picks(), erwartet) << "target " << ziel;
    }
}

TEST_F(ScoutTest, AHighTargetBecomesElevenOrTwelve) {
    // Strong clubs: every club player at 12,000.
    for (int32_t p = 0; p < MARKT_ERSTER; ++p) Spieler_Wert(58, p, 12000, OP_SCHREIBEN);
    Markt_Scouts(13, true);
    Scout_Daten_Setzen(0, Scout(100, 100, 50));   // clamped to 12
    ASSERT_GE(Ziel_Vorher(12), 8);
    std::set<int32_t> ziele;
    for (int32_t lauf = 0; lauf < 40; ++lauf) {
        Rnd_Set_Index(lauf * 131, 0);
        test::Log().clear();
        ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
        int32_t ziel = test::Log_Enthaelt("Factor 11\n") ? 11 : test::Log_Enthaelt("Factor 12\n") ? 12 : -1;
        ASSERT_NE(ziel, -1) << "the target was not replaced";
        ziele.insert(ziel);
        // The window lies around 11 or 12: strengths 7..12.
        for (int32_t s : Picks()) EXPECT_GE(Spieler_Wert(97, s, 0, OP_LESEN), ziel - 4) << s;
        EXPECT_EQ(Picks().size(), size_t(13 - (ziel - 4))) << ziel;
    }
    EXPECT_EQ(ziele.size(), 2u) << "both 11 and 12 are drawn";
}

TEST_F(ScoutTest, PicksAreTakenInOrderUntilTheFirstEmptyEntry) {
    Markt_Scouts(3, true);   // strengths 0, 1, 2: three picks, seven empty
    Scout_Daten_Setzen(0, Scout(100, 100, 0));
    for (int32_t lauf = 0; lauf < 20; ++lauf) {
        Rnd_Set_Index(lauf * 71, 0);
        ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
        int32_t erstes_leer = SCOUT_PICKS;
        for (int32_t i = 0; i < SCOUT_PICKS; ++i)
            if (Scout_Pick(i) < 0 && erstes_leer == SCOUT_PICKS) erstes_leer = i;
        std::vector<int32_t> genommen;
        while (Scout_Hat_Treffer()) genommen.push_back(Scout_Naechster_Treffer());
        EXPECT_EQ(int32_t(genommen.size()), erstes_leer);
        for (size_t i = 0; i < genommen.size(); ++i) EXPECT_EQ(genommen[i], Scout_Pick(int32_t(i)));
        EXPECT_EQ(Scout_Naechster_Treffer(), -1);
        EXPECT_EQ(Scout_Pick_Index(), erstes_leer);
    }
}

TEST_F(ScoutTest, TheDialogueRingKeepsTheLastFiveLines) {
    Scout_Dialog_Leeren();
    Scout_Dialog_Zeile(nullptr, -1, -1);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 0);
    for (int32_t i = 0; i < 7; ++i) Scout_Dialog_Zeile(("Zeile " + std::to_string(i)).c_str(), i == 6 ? 100 : -1, -1);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 5);
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(std::string(Scout_Dialog(i)->text), "Zeile " + std::to_string(i + 2));
    // Default lines alternate their colour, with font 6; others keep theirs.
    const struct {
        int32_t zeile, farbe, font;
    } FAELLE[] = {{0, 57343, 6}, {1, 65535, 6}, {2, 57343, 6}, {3, 65535, 6}, {4, 100, -1}};
    for (const auto& f : FAELLE) {
        EXPECT_EQ(Scout_Dialog_Farbe(f.zeile), f.farbe) << f.zeile;
        EXPECT_EQ(Scout_Dialog_Font(f.zeile), f.font) << f.zeile;
    }
    std::string lang(600, 'x');
    Scout_Dialog_Zeile(lang.c_str(), -1, -1);
    EXPECT_EQ(std::strlen(Scout_Dialog(4)->text), 255u) << "a long line is cut";
    EXPECT_EQ(Scout_Dialog(5), nullptr);
    EXPECT_EQ(Scout_Dialog(-1), nullptr);
    Scout_Dialog_Leeren();
    EXPECT_EQ(Scout_Dialog_Anzahl(), 0);
    EXPECT_STREQ(Scout_Dialog(0)->text, "");
}

TEST_F(ScoutTest, ReadinessAddsSeventyFiveBelowSeventyFive) {
    const struct {
        int32_t wert55, erwartet;
    } FAELLE[] = {{0, 75}, {40, 115}, {74, 149}, {75, 75}, {120, 120}};
    for (const auto& f : FAELLE) {
        Spieler_Wert(55, 4, f.wert55, OP_SCHREIBEN);
        EXPECT_EQ(Scout_Bereitschaft(4), f.erwartet) << f.wert55;
    }
    EXPECT_EQ(Scout_Bereitschaft(-1), 0);
    EXPECT_EQ(Scout_Bereitschaft(99999), 0);
}

TEST_F(ScoutTest, RegionFourteenOpensOnlyInItsWindows) {
    const struct {
        int32_t region, tag;
        bool erwartet;
    } FAELLE[] = {{3, 0, true},     {14, 0, false},   {14, 500, false}, {14, 485, false}, {14, 665, true},
                  {14, 694, true},  {14, 695, false}, {14, 845, true},  {14, 844, false}, {14, 501, true},  {14, 515, false},
                  {15, 665, false}, {-1, 665, false}, {13, 0, true}};
    for (const auto& f : FAELLE) EXPECT_EQ(Scout_Region_Waehlbar(f.region, f.tag), f.erwartet) << f.region << "/" << f.tag;
}

TEST_F(ScoutTest, ProgressGrowsByTwelveWhileSearchingAndEndsAtHundredPercent) {
    Scout_Daten_Setzen(0, Scout(0, 100, 4));   // nobody is ever met
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    Scout_Suche_Schritt(0);
    // Opening lines, the region line and the first searching line.
    EXPECT_EQ(Scout_Dialog_Anzahl(), 3);
    EXPECT_EQ(Zeilen_Mit("Region 3"), 1);
    EXPECT_EQ(Scout_Fortschritt(), 14);
    EXPECT_EQ(Scout_Prozent(), 7);
    // No further searching line within two seconds; the opening lines stay.
    for (int32_t i = 0; i < 200; ++i) {
        Plat_Uhr_Vorstellen(10);
        Scout_Suche_Schritt(Scout_Prozent());
    }
    EXPECT_EQ(Scout_Fortschritt(), 14);
    EXPECT_EQ(Zeilen_Mit("Region 3"), 1);
    Plat_Uhr_Vorstellen(1);
    Scout_Suche_Schritt(Scout_Prozent());
    EXPECT_EQ(Scout_Fortschritt(), 26);
    std::vector<int32_t> werte;
    Laufen(10, 100000, [&] {
        if (werte.empty() || werte.back() != Scout_Fortschritt()) werte.push_back(Scout_Fortschritt());
        return false;
    });
    ASSERT_GE(werte.size(), 2u);
    EXPECT_EQ(werte[werte.size() - 2], 206);
    EXPECT_EQ(werte.back(), 211) << "never above 211";
    EXPECT_EQ(Scout_Prozent(), 100);
    EXPECT_EQ(Scout_Fertig(), 1);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 1) << "the end clears the dialogue for its closing line";
    EXPECT_TRUE(Ereignisse().empty()) << "with chance 0 no prospect is ever met";
    // After the end nothing more happens.
    Scout_Suche_Schritt(100);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 1);
}

TEST_F(ScoutTest, WithoutPicksTheScoutNeverMeetsAnybody) {
    Markt_Scouts(0, true);
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    EXPECT_TRUE(Picks().empty());
    EXPECT_FALSE(Scout_Hat_Treffer());
    Laufen(10, 100000);
    EXPECT_EQ(Scout_Fertig(), 1);
    EXPECT_TRUE(Ereignisse().empty());
}

TEST_F(ScoutTest, AConversationRunsThreeExchangesAndEndsInAnAnswer) {
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    int32_t erster = Scout_Pick(0);
    Laufen(10, 100000, [] { return Scout_Phase() == 0; });
    ASSERT_EQ(Scout_Phase(), 0);
    ASSERT_EQ(Ereignisse().size(), 1u);
    EXPECT_EQ(Ereignisse()[0].zustand, KANDIDAT_GEZEIGT);
    EXPECT_EQ(Ereignisse()[0].spieler, erster);
    EXPECT_EQ(Scout_Kandidat_Spieler(), erster);
    EXPECT_EQ(Scout_Pick_Index(), 1);
    int32_t fortschritt = Scout_Fortschritt();
    // Nothing for 1.5 s, then one exchange each step (or a break-off).
    Plat_Uhr_Vorstellen(1499);
    Scout_Suche_Schritt(Scout_Prozent());
    EXPECT_EQ(Scout_Phase(), 0);
    int32_t phase = 0;
    while (phase >= 0 && phase < 3) {
        Plat_Uhr_Vorstellen(1500);
        Scout_Suche_Schritt(Scout_Prozent());
        if (Scout_Phase() == -1) break;   // broke off
        EXPECT_EQ(Scout_Phase(), phase + 1);
        EXPECT_EQ(Scout_Fortschritt(), fortschritt + 3) << "a conversation step moves the bar by 3";
        fortschritt = Scout_Fortschritt();
        phase = Scout_Phase();
    }
    if (phase == 3) {
        EXPECT_EQ(Scout_Dialog_Anzahl(), 1) << "the persuasion starts on a cleared dialogue";
        Plat_Uhr_Vorstellen(1500);
        Scout_Suche_Schritt(Scout_Prozent());
        ASSERT_TRUE(Scout_Phase() == SCOUT_UEBERREDET || Scout_Phase() == SCOUT_ABGELEHNT);
        EXPECT_TRUE(test::Log_Enthaelt("Ueberredungskraft : 100"));
        if (Scout_Phase() == SCOUT_UEBERREDET) {
            EXPECT_EQ(Scout_Kandidat_Zustand(), KANDIDAT_UEBERZEUGT);
            EXPECT_EQ(Scout_Kandidat_Spieler(), erster);
            EXPECT_EQ(Scout_Dialog(Scout_Dialog_Anzahl() - 1)->farbe, 50055);
            EXPECT_EQ(Scout_Pick_Index(), 2) << "the persuasion uses up a further pick";
        }
    }
}

// Runs searches until `anzahl` prospects have had their say; counts the outcomes.
struct Ausgang {
    int32_t ja = 0, nein = 0, abbruch = 0, getroffen = 0;
};
Ausgang Viele_Gespraeche(int32_t anzahl) {
    Ausgang a;
    for (int32_t suche = 0; a.getroffen < anzahl && suche < 5000; ++suche) {
        Scout_Suche_Beginnen(0, HEIMAT);
        for (int32_t n = 0; n < 5000 && Scout_Fertig() != 1; ++n) {
            int32_t vorher = Scout_Phase();
            Plat_Uhr_Vorstellen(100);
            Scout_Suche_Schritt(Scout_Prozent());
            int32_t jetzt = Scout_Phase();
            if (vorher == -1 && jetzt == 0) ++a.getroffen;
            if (vorher >= 0 && vorher <= 2 && jetzt == -1) ++a.abbruch;
            if (jetzt == SCOUT_ABGELEHNT && vorher == 3) ++a.nein;
            if (jetzt == SCOUT_UEBERREDET) {
                ++a.ja;
                break;   // the screen stops stepping
            }
        }
    }
    return a;
}

// The table position from which the next draw of lo..hi gives `wurf`.
int32_t Index_Fuer(int32_t lo, int32_t hi, int32_t wurf) {
    for (int32_t k = 0; k < RND_TABELLE; ++k) {
        Rnd_Set_Index(k, 0);
        if (Rnd(lo, hi) == wurf) return k;
    }
    ADD_FAILURE() << "no table position gives " << wurf;
    return 0;
}

TEST_F(ScoutTest, PersuasionAndBreakOffFollowTheirRolls) {
    const struct {
        int32_t kraft, phase, hi, wurf, danach;
    } FAELLE[] = {
        // Persuasion: refused when the roll reaches the power, so even at 100 on a roll of 100.
        {100, 3, 100, 100, SCOUT_ABGELEHNT}, {100, 3, 100, 99, SCOUT_UEBERREDET}, {0, 3, 100, 0, SCOUT_ABGELEHNT},
        {50, 3, 100, 49, SCOUT_UEBERREDET},  {50, 3, 100, 50, SCOUT_ABGELEHNT},
        // Break-off: below 150 - power of 0..1000.
        {100, 0, 1000, 49, SCOUT_SUCHT}, {100, 0, 1000, 50, 1}, {0, 1, 1000, 149, SCOUT_SUCHT}, {0, 1, 1000, 150, 2},
        {100, 2, 1000, 49, SCOUT_SUCHT}, {100, 2, 1000, 50, 3},
    };
    for (const auto& f : FAELLE) {
        Scout_Daten_Setzen(0, Scout(100, f.kraft, 4));
        for (int32_t suche = 0; suche < 200 && Scout_Phase() != f.phase; ++suche) {
            Rnd_Set_Index(suche * 97, 0);
            Scout_Suche_Beginnen(0, HEIMAT);
            Laufen(100, 5000, [&] { return Scout_Phase() == f.phase; });
        }
        ASSERT_EQ(Scout_Phase(), f.phase) << f.kraft;
        int32_t k = Index_Fuer(0, f.hi, f.wurf);
        Plat_Uhr_Vorstellen(1500);
        Rnd_Set_Index(k, 0);
        Scout_Suche_Schritt(Scout_Prozent());
        EXPECT_EQ(Scout_Phase(), f.danach) << "power " << f.kraft << ", phase " << f.phase << ", roll " << f.wurf;
        if (f.danach == SCOUT_SUCHT) {
            EXPECT_EQ(Scout_Kandidat_Spieler(), -1);
        }
        Scout_Init();
    }
}

TEST_F(ScoutTest, NoPersuasionPowerAlwaysRefusesAndBreaksOffMoreOften) {
    Scout_Daten_Setzen(0, Scout(100, 0, 4));
    Ausgang a = Viele_Gespraeche(2000);
    EXPECT_EQ(a.ja, 0);
    EXPECT_GT(a.nein, 0);
    EXPECT_GT(a.abbruch, 0);
    EXPECT_LE(a.ja + a.nein + a.abbruch, a.getroffen) << "a prospect ends one way at most";
}

TEST_F(ScoutTest, TheSameRandomStateGivesTheSameSearch) {
    auto lauf = [] {
        Rnd_Set_Index(4242, 0);
        Ereignisse().clear();
        Scout_Suche_Beginnen(0, HEIMAT);
        std::vector<std::string> zeilen;
        Plat_Uhr_Virtuell(true, 50000);
        Laufen(10, 100000, [&] {
            if (Scout_Dialog_Anzahl() > 0) zeilen.push_back(Scout_Dialog(Scout_Dialog_Anzahl() - 1)->text);
            return Scout_Phase() == SCOUT_UEBERREDET;
        });
        std::vector<int32_t> e;
        for (const Ereignis& x : Ereignisse()) e.insert(e.end(), {x.zustand, x.spieler});
        return std::make_pair(zeilen, e);
    };
    auto a = lauf();
    auto b = lauf();
    EXPECT_FALSE(a.second.empty());
    EXPECT_EQ(a.first, b.first);
    EXPECT_EQ(a.second, b.second);
}

TEST_F(ScoutTest, SendingAwayAndTheEndOfTimeRemoveTheProspect) {
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    Laufen(10, 100000, [] { return Scout_Phase() == 0; });
    ASSERT_EQ(Scout_Phase(), 0);
    Scout_Wegschicken();
    EXPECT_EQ(Scout_Phase(), SCOUT_SUCHT);
    EXPECT_EQ(Scout_Kandidat_Spieler(), -1);
    EXPECT_EQ(Ereignisse().back().zustand, KANDIDAT_WEG);
    EXPECT_EQ(Scout_Pick_Index(), 2) << "sending away uses up a pick";
    Laufen(10, 100000, [] { return Scout_Phase() == 0; });
    ASSERT_EQ(Scout_Phase(), 0);
    size_t vorher = Ereignisse().size();
    Plat_Uhr_Vorstellen(1500);
    Scout_Suche_Schritt(100);
    EXPECT_EQ(Scout_Fertig(), 1);
    EXPECT_EQ(Scout_Phase(), SCOUT_SUCHT);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 2) << "closing line and the prospect's farewell";
    ASSERT_EQ(Ereignisse().size(), vorher + 1);
    EXPECT_EQ(Ereignisse().back().zustand, KANDIDAT_WEG);
}

TEST_F(ScoutTest, SigningHandsPlayerAndScoutToTheNegotiation) {
    EXPECT_FALSE(Scout_Verpflichten()) << "nobody persuaded";
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    int32_t suchen = 0;
    while (Scout_Phase() != SCOUT_UEBERREDET && suchen++ < 50) {
        Laufen(100, 5000, [] { return Scout_Phase() == SCOUT_UEBERREDET; });
        if (Scout_Phase() != SCOUT_UEBERREDET) Scout_Suche_Beginnen(0, HEIMAT);
    }
    ASSERT_EQ(Scout_Phase(), SCOUT_UEBERREDET);
    int32_t p = Scout_Kandidat_Spieler();
    Spieler_Wert(55, p, 30, OP_SCHREIBEN);
    ASSERT_TRUE(Scout_Verpflichten());
    EXPECT_EQ(Team_Wert(17, LOKAL, 0, OP_LESEN), p);
    EXPECT_EQ(Team_Wert(16, LOKAL, 0, OP_LESEN), 0);
    EXPECT_EQ(Spieler_Wert(55, p, 0, OP_LESEN), 105);
    EXPECT_EQ(Scout_Phase(), SCOUT_SUCHT);
    EXPECT_EQ(Scout_Fortschritt(), 0);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 0);
    EXPECT_FALSE(Scout_Verpflichten()) << "signed only once";
}

TEST_F(ScoutTest, BadScoutOrRegionStartsNothing) {
    EXPECT_FALSE(Scout_Suche_Beginnen(3, HEIMAT));
    EXPECT_FALSE(Scout_Suche_Beginnen(0, 15));
    EXPECT_FALSE(Scout_Suche_Beginnen(0, -1));
    EXPECT_FALSE(Scout_Suche_Bezahlen(-1, HEIMAT));
    Scout_Screen_Zuruecksetzen(3);
    Scout_Suche_Schritt(0);
    EXPECT_EQ(Scout_Dialog_Anzahl(), 0);
    EXPECT_TRUE(test::Log_Enthaelt("Scout_Suche_Schritt: Scout 3 ungueltig"));
}

TEST_F(ScoutTest, SaveAndLoadKeepTheSearch) {
    ASSERT_TRUE(Scout_Suche_Beginnen(0, HEIMAT));
    Laufen(10, 100000, [] { return Scout_Phase() == 1; });
    ASSERT_EQ(Scout_Phase(), 1);
    std::vector<uint8_t> block;
    Scout_Save(block);
    ASSERT_EQ(block.size(), 19u * 4 + 5 * 264);
    int32_t fortschritt = Scout_Fortschritt(), kandidat = Scout_Kandidat_Spieler(), index = Scout_Pick_Index();
    std::vector<std::string> zeilen;
    for (int32_t i = 0; i < Scout_Dialog_Anzahl(); ++i) zeilen.push_back(Scout_Dialog(i)->text);

    Scout_Init();
    ASSERT_TRUE(Scout_Load(block.data(), block.size()));
    EXPECT_EQ(Scout_Phase(), 1);
    EXPECT_EQ(Scout_Region(), HEIMAT);
    EXPECT_EQ(Scout_Fortschritt(), fortschritt);
    EXPECT_EQ(Scout_Kandidat_Spieler(), kandidat);
    EXPECT_EQ(Scout_Pick_Index(), index);
    ASSERT_EQ(Scout_Dialog_Anzahl(), int32_t(zeilen.size()));
    for (size_t i = 0; i < zeilen.size(); ++i) EXPECT_EQ(Scout_Dialog(int32_t(i))->text, zeilen[i]);
    std::vector<uint8_t> wieder;
    Scout_Save(wieder);
    EXPECT_EQ(wieder, block);

    // Damaged blocks change nothing.
    const struct {
        size_t offset;
        int32_t wert;
    } SCHLECHT[] = {{0, 9}, {4, 15}, {8, 6}, {12, 212}, {16, 0}, {20, -2}, {60, 11}, {72, 6}};
    for (const auto& f : SCHLECHT) {
        std::vector<uint8_t> b = block;
        Bytes_Put32(b.data() + f.offset, uint32_t(f.wert));
        EXPECT_FALSE(Scout_Load(b.data(), b.size())) << f.offset;
    }
    std::vector<uint8_t> ohne_ende = block;
    std::memset(ohne_ende.data() + 76, 'x', 256);
    EXPECT_FALSE(Scout_Load(ohne_ende.data(), ohne_ende.size())) << "a line without its end";
    EXPECT_FALSE(Scout_Load(block.data(), block.size() - 1));
    EXPECT_FALSE(Scout_Load(nullptr, 0));
    EXPECT_EQ(Scout_Fortschritt(), fortschritt);
    EXPECT_EQ(Scout_Phase(), 1);
}

// The search's cost goes through the bank.
TEST(ScoutKosten, PayingStartsTheSearchAndARefusalChangesNothing) {
    test::BankWelt w;
    Team_Lokal_Setzen(LOKAL);
    Global_Config_Init();
    for (int32_t r = 0; r < REGIONEN; ++r) Kontinent_Setzen(r, "R", false);
    ScoutDaten d = Scout(100, 100, 4);
    Scout_Daten_Setzen(0, d);
    Scout_Init();
    int32_t samples = 0;
    static int32_t* zaehler = nullptr;
    zaehler = &samples;
    Scout_Hooks().sample = [](int32_t n) { *zaehler += n == 3 ? 1 : 100; };
    int32_t kosten = Scout_Grundpreis(0) + Scout_Gebietspreis(0, HEIMAT);
    ASSERT_GT(kosten, 0);
    ASSERT_LT(kosten, 1000000);
    ASSERT_TRUE(Scout_Suche_Bezahlen(0, HEIMAT));
    EXPECT_EQ(Bank_Kontostand(LOKAL, false, -1), 1000000 - kosten);
    EXPECT_EQ(Scout_Region(), HEIMAT);
    EXPECT_EQ(samples, 1);
    EXPECT_TRUE(Scout_Hat_Treffer());
    // Too dear: the bank refuses and the search stays as it was.
    d.grundpreis_factor = 100000;
    Scout_Daten_Setzen(0, d);
    Bank_Ueberweisung(LOKAL, -1, float(Bank_Kontostand(LOKAL, false, -1)), BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    int32_t stand = Bank_Kontostand(LOKAL, false, -1);
    EXPECT_FALSE(Scout_Suche_Bezahlen(0, 5));
    EXPECT_EQ(Bank_Kontostand(LOKAL, false, -1), stand);
    EXPECT_EQ(Scout_Region(), HEIMAT);
    EXPECT_EQ(samples, 1);
    Scout_Hooks() = ScoutHooks{};
    Scout_Init();
    Global_Config_Init();
}

}  // namespace
}  // namespace velmora
