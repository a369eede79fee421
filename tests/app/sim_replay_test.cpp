// velmora-sim --check: the game of a recent minute change is kept in memory
// and written into the replay slot only when a rule breaks; loading that
// slot with the checker on plays the day on to the same break.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/sim_live_statistik.h"
#include "core/dirs.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_pruefen.h"
#include "season/kalender.h"
#include "tests/app/sim_welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

// The first event of a live match after it is armed sets that match's frame
// counter 200 frames short of the checker's limit: the rule "no final whistle
// before 50000 frames" breaks a few game minutes later, and the counter
// stands in the record, so a save taken in between carries it.
struct Bruch {
    static inline bool scharf = false;
    static inline void (*weiter)(int32_t, uint32_t, int32_t, int32_t, int32_t) = nullptr;
    static void Ereignis(int32_t spiel, uint32_t art, int32_t minute, int32_t spieler, int32_t spieler2) {
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); scharf && s; s = Spielfeld_Naechster(s)) {
            if (s->spiel != uint32_t(spiel) || s->live != 1) continue;
            // The parity stays: the tick's order of the sides follows it.
            s->frame_zaehler = PRUEF_MAX_FRAMES - 200 + (s->frame_zaehler & 1);
            scharf = false;
        }
        if (weiter) weiter(spiel, art, minute, spieler, spieler2);
    }
};

struct SimReplay : ::testing::Test {
    velmora_test::TestWelt dirs;
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 6));
    }
    void TearDown() override {
        Bruch::scharf = false;
        velmora_test::Sim_Entdrahten();
    }
    // Bound as `velmora-sim --live --check [--load slot]` binds the game.
    void Verdrahten(int32_t laden) {
        std::string fehler;
        ASSERT_TRUE(velmora_test::Sim_Verdrahten(Betrieb::SIM, &fehler)) << fehler;
        Sim().optionen.alle_live = true;
        Sim().optionen.pruefen = true;
        Sim().optionen.laden = laden;
        Bruch::weiter = Spielfeld_Hooks().spiel_ereignis;
        Spielfeld_Hooks().spiel_ereignis = &Bruch::Ereignis;
    }
};

TEST_F(SimReplay, ABreakWritesARecentMinuteChangeWhoseReplayBreaksAtTheSameFrame) {
    Verdrahten(-1);
    // Clean days with live matches leave no replay save behind.
    ASSERT_TRUE(Sim_Bis_Tag(0));
    const int32_t start = Tag_Index();
    ASSERT_TRUE(Sim_Bis_Tag(start + 45));
    ASSERT_FALSE(Sim().fehler) << Sim().fehler_text;
    double ms = 0;
    ASSERT_GT(Sim_Live_Beendet(&ms), 0) << "live matches were played";
    EXPECT_FALSE(Spielstand_Datei_Vorhanden(SIM_REPLAY_SLOT));
    EXPECT_FALSE(Sim().replay_gespeichert);

    Bruch::scharf = true;
    EXPECT_FALSE(Sim_Bis_Tag(start + 120));
    ASSERT_EQ(Sim().stopp, SimStopp::REGEL) << Sim().fehler_text;
    EXPECT_FALSE(Bruch::scharf);
    const std::string bruch = Sim().fehler_text;
    EXPECT_NE(bruch.find("kein Abpfiff vor 50000 Frames"), std::string::npos) << bruch;
    ASSERT_TRUE(Sim().replay_gespeichert);
    ASSERT_TRUE(Spielstand_Datei_Vorhanden(SIM_REPLAY_SLOT));
    // The save is of a minute change shortly before the break: the image is
    // taken again a game minute (45 frames of open play) after the one before.
    Pruefstand_Sicherung staende;
    ASSERT_TRUE(Pruefstand_Sicherung_Lesen(
        Str_Format("%s/game_%d.pruef", Dirs_Get(DIR_SPIELSTAND), SIM_REPLAY_SLOT), &staende));
    const int64_t bruch_frame = std::stoll(bruch.substr(bruch.find("frame ") + 6));
    EXPECT_LT(staende.frame, bruch_frame);
    EXPECT_LE(bruch_frame - staende.frame, 2 * 45) << "frame " << staende.frame << " kept, " << bruch;
    const int32_t tag = Tag_Index();
    velmora_test::Sim_Entdrahten();

    // The replay: the same frame, day, game, minute and rule.
    Verdrahten(SIM_REPLAY_SLOT);
    EXPECT_FALSE(Sim_Bis_Tag(tag + 1));
    ASSERT_EQ(Sim().stopp, SimStopp::REGEL) << Sim().fehler_text;
    EXPECT_EQ(Sim().fehler_text.substr(0, Sim().fehler_text.find(';')), bruch.substr(0, bruch.find(';')));
}

// An image taken now and written later is the save written now, byte for
// byte: it holds the game's bytes, not references to what plays on.
TEST_F(SimReplay, AnImageWrittenLaterIsTheSaveOfItsMoment) {
    Verdrahten(-1);
    ASSERT_TRUE(Sim_Bis_Tag(0));
    const int32_t start = Tag_Index();
    ASSERT_TRUE(Sim_Bis_Tag(start + 3));
    auto datei = [] {
        std::ifstream f(Str_Format("%s/game_7.qzv", Dirs_Get(DIR_SPIELSTAND)), std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(f), {});
    };
    SpielstandAbbild abbild;
    EXPECT_FALSE(Spielstand_Abbild_Nehmen(&abbild, SPIELSTAND_SLOTS));
    EXPECT_FALSE(Spielstand_Abbild_Speichern(abbild)) << "no image taken";
    ASSERT_TRUE(Spielstand_Abbild_Nehmen(&abbild, 7));
    ASSERT_TRUE(Spielstand_Speichern(7));
    const std::vector<char> damals = datei();
    ASSERT_GT(damals.size(), 1000u);
    ASSERT_TRUE(Sim_Bis_Tag(start + 45));
    ASSERT_TRUE(Spielstand_Speichern(7));
    EXPECT_NE(datei(), damals);
    ASSERT_TRUE(Spielstand_Abbild_Speichern(abbild));
    EXPECT_EQ(datei(), damals);
    // Taken again into the room of the first: the game of now.
    ASSERT_TRUE(Spielstand_Abbild_Nehmen(&abbild, 7));
    ASSERT_TRUE(Spielstand_Abbild_Speichern(abbild));
    const std::vector<char> jetzt = datei();
    ASSERT_TRUE(Spielstand_Speichern(7));
    EXPECT_EQ(datei(), jetzt);
}

}  // namespace
}  // namespace velmora
