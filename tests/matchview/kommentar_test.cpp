// tests/matchview/kommentar_test.cpp - the ticker's sentences beyond the
// events the view shows itself: the change list (team, commas, the cut at 255
// characters), the whistled flag, and the match telling the ticker of a
// watched match at once through its hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/text.h"
#include "match/day/spieltag.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/kommentar.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

std::string T(int32_t n) { return Text_Tabelle(n) ? Text_Tabelle(n) : ""; }

class Kommentar : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        ASSERT_TRUE(Text_Laden());
        ASSERT_TRUE(Spieltag_Start());
        for (int32_t f = 0; f < 50 && !Spielfeld_Naechster(nullptr); ++f) ASSERT_TRUE(Spieltag_Frame());
        ASSERT_NE(Spielfeld_Naechster(nullptr), nullptr);
        ASSERT_FALSE(T(167).empty());
    }
    void TearDown() override {
        Spielfeld_Hooks().kommentar = nullptr;
        Spieltag_Welt_Ende();
        Text_Free();
    }
    velmora_test::TestWelt dirs;
};

TEST_F(Kommentar, TheChangeListJoinsItsChangesAfterTheTeamAndIsCutAt255) {
    struct Fall {
        int32_t bits;
        std::string satz;
    } faelle[] = {
        {0, ""},
        {-1, ""},
        {1, "FC " + T(196)},
        {1 | 2, "FC " + T(197)},
        {4, "FC " + T(167)},
        {4 | 8 | (1 << 13), "FC " + T(167) + ", " + T(168) + ", " + T(178)},
        {2 | (1 << 7), "FC " + T(197) + ", " + T(172)},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Kommentar_Aenderungen("FC", f.bits), f.satz) << f.bits;
    const std::string lang(300, 'x');
    const std::string satz = Kommentar_Aenderungen(lang.c_str(), 4 | 8);
    EXPECT_EQ(satz.size(), 255u);
    EXPECT_EQ(satz, (lang + " " + T(167)).substr(0, 255));
}

TEST_F(Kommentar, TheListNamesTheClubOfTheMainSlotsSideAndTheFlagItsSentence) {
    Spielfeld_Satz s = *Spielfeld_Naechster(nullptr);
    const std::string heim = Team_String(TS_NAME_KURZ, int32_t(s.team[0]), 0, OP_LESEN);
    const std::string gast = Team_String(TS_NAME_KURZ, int32_t(s.team[1]), 0, OP_LESEN);
    ASSERT_NE(heim, gast);
    const std::string name = Spieler_String(SPS_NAME, s.spieler[20].nummer, 0, OP_LESEN);
    struct Fall {
        uint32_t flags;
        uint8_t slot, flagge;
        int16_t zweiter;
        std::string satz;
    } faelle[] = {
        {KOMMENTAR_AENDERUNGEN, 3, 0, 4, heim + " " + T(167)},
        {KOMMENTAR_AENDERUNGEN, 20, 0, 4, gast + " " + T(167)},
        {SE_TICK, 20, 2, -1, T(194) + " (" + name + ")"},
        {SE_TICK, 20, 0, -1, T(195) + " (" + name + ")"},
        {SE_TICK, 34, 2, -1, ""},
    };
    for (const Fall& f : faelle) {
        s.ereignis = f.flags;
        s.ereignis_spieler = f.slot;
        s.ereignis_spieler2 = f.zweiter;
        s.w25127 = f.flagge;
        s.ereignis_neu = 1;
        EXPECT_EQ(Kommentar_Satz(s), f.satz) << std::hex << f.flags << std::dec << " " << int(f.slot);
    }
}

std::vector<std::string> g_zeilen;

TEST_F(Kommentar, AWatchedMatchTellsTheTickerOfEveryShownEventAtOnce) {
    Spielfeld_Hooks().kommentar = [](const Spielfeld_Satz* s) { g_zeilen.push_back(Kommentar_Satz(*s)); };
    Spielfeld_Satz* s = Spielfeld_Naechster(nullptr);
    const std::string n3 = Spieler_String(SPS_NAME, s->spieler[3].nummer, 0, OP_LESEN);
    const std::string n20 = Spieler_String(SPS_NAME, s->spieler[20].nummer, 0, OP_LESEN);
    g_zeilen.clear();
    s->anzeige_modus = 0;
    Spielfeld_Ereignis(s, SE_GELB, 3, -1);
    EXPECT_TRUE(g_zeilen.empty()) << "a match nobody watches";
    s->anzeige_modus = 1;
    s->ereignis_neu = 0;
    // Two events of one frame give two sentences; a stored-only event none.
    Spielfeld_Ereignis(s, SE_GELB, 3, -1);
    Spielfeld_Ereignis(s, SE_FOUL, 20, 3);
    Spielfeld_Ereignis(s, SE_TICK, 20, -1);
    ASSERT_EQ(g_zeilen.size(), 2u);
    EXPECT_EQ(g_zeilen[0], T(185) + " " + n3 + ".");
    EXPECT_EQ(g_zeilen[1], n3 + " " + T(186) + " " + n20 + " " + T(187));
    s->anzeige_modus = 0;
}

}  // namespace
}  // namespace velmora::test
