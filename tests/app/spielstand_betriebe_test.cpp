// One save file for every way the game runs: the window, the headless main
// job and velmora-sim write the same modules, and each loads what the others
// wrote and plays on; what a mode does not run (the menu, the match-day
// pages) travels through it unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "business/bank.h"
#include "business/ereignis_trigger.h"
#include "business/news.h"
#include "club/talente.h"
#include "club/team.h"
#include "app/verdrahtung.h"
#include "core/hooks.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "core/spielstand_testing.h"
#include "gui/icon.h"
#include "season/kalender.h"
#include "tests/app/sim_welt.h"
#include "tests/core/temp_verz.h"
#include "tests/support/rnd_vorgabe.h"

namespace velmora {
namespace {

using velmora_test::Meldungen;

std::vector<std::string> Module(const std::vector<uint8_t>& bild) {
    SpielstandDatei d;
    EXPECT_TRUE(Spielstand_Datei_Oeffnen(&d, bild));
    std::vector<std::string> namen;
    for (const SpielstandRahmen& r : d.rahmen) namen.push_back(r.name);
    return namen;
}

struct SpielstandBetriebe : ::testing::Test {
    velmora_test::TestWelt dirs;
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 6));
    }
    void TearDown() override { Entdrahten(); }
    void Entdrahten() { velmora_test::Sim_Entdrahten(); }
    void Verdrahten(Betrieb b) {
        std::string fehler;
        ASSERT_TRUE(velmora_test::Sim_Verdrahten(b, &fehler)) << fehler;
    }
    std::string Gesagt() const {
        std::string s;
        for (const std::string& m : Meldungen()) s += m + "\n";
        return s;
    }
};

TEST_F(SpielstandBetriebe, EveryModeLoadsTheOthersSavesAndKeepsWhatItDoesNotRun) {
    Rnd_Init();
    Verdrahten(Betrieb::SIM);
    ASSERT_TRUE(Sim_Bis_Tag(4));
    std::vector<uint8_t> vom_sim;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&vom_sim));
    Entdrahten();
    for (Betrieb b : {Betrieb::FENSTER, Betrieb::HEADLESS}) {
        SCOPED_TRACE(b == Betrieb::FENSTER ? "window" : "headless");
        // The game loads the simulator's save and saves it again with a state
        // of its menu the simulator does not run.
        Verdrahten(b);
        ASSERT_TRUE(Spielstand_Laden_Aus_Bild(vom_sim)) << Gesagt();
        Menue_Save_Byte_Setzen(1);
        std::vector<uint8_t> vom_spiel;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&vom_spiel));
        EXPECT_EQ(Module(vom_spiel), Module(vom_sim));
        Entdrahten();
        // The simulator loads that save and plays on from it.
        Verdrahten(Betrieb::SIM);
        ASSERT_TRUE(Spielstand_Laden_Aus_Bild(vom_spiel)) << Gesagt();
        ASSERT_TRUE(Sim_Bis_Tag(8));
        std::vector<uint8_t> weiter;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&weiter));
        Entdrahten();
        // And the game loads what the simulator wrote, its menu state unchanged.
        Verdrahten(b);
        Menue_Save_Byte_Setzen(0);
        ASSERT_TRUE(Spielstand_Laden_Aus_Bild(weiter)) << Gesagt();
        EXPECT_EQ(Menue_Save_Byte(), 1);
        EXPECT_EQ(Tag_Index(), 8);
        Entdrahten();
    }
}

// A game without a window stores its requests as the window's game does: a
// weakness course offered after a match names its price with the currency
// ("18.000 \x80", the installation's money suffix), also when the window
// shows it later from the save.
TEST_F(SpielstandBetriebe, ARequestMadeWithoutAWindowGivesItsPriceWithTheCurrency) {
    Rnd_Init();
    Verdrahten(Betrieb::SIM);
    ASSERT_TRUE(Sim_Bis_Tag(1));
    int32_t team = 0;
    while (team < Team_Anzahl() && !Team_Hat_Manager(team)) ++team;
    ASSERT_LT(team, Team_Anzahl());
    ASSERT_EQ(Bank_Waehrung(team), 0);
    int32_t kader[20], schwaechen[3];
    bool kandidat = false;
    for (int32_t i = 0, n = Teamspieler_Ins_Array(team, kader, 20, 0); i < n; ++i)
        kandidat = kandidat || Attribute_Get_Attribute(kader[i], schwaechen, 3, 2) > 0;
    ASSERT_TRUE(kandidat) << "nobody in the squad has a weakness";
    // Every draw its lowest value: the course is offered, at (300 + 0) x 60.
    test::Rnd_Alle(0);
    const int32_t vorher = News_Anzahl();
    Ereignis_Spiel_Nachher(team, -1, 1, 1);
    std::string text;
    for (int32_t i = vorher; i < News_Anzahl(); ++i)
        if (News_Get_Kopf(i)[0] == EREIGNIS_ANFRAGE_SPIELER && News_Get_Kopf(i)[4] == 3) text = News_Text(i);
    ASSERT_FALSE(text.empty()) << "no course offered";
    EXPECT_NE(text.find("18.000 \x80 "), std::string::npos) << text;
}

}  // namespace
}  // namespace velmora
