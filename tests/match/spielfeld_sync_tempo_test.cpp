// The server's frames while a client's match waits for its minutes: they are
// every watched match's frames, so they slow for the wait only while no other
// watched match plays on, and come back to the game's pace when the wait ends.
// Counted in waiting frames of 45 ms of the match clock, not in seconds.
#include <gtest/gtest.h>

#include "club/manager.h"
#include "club/team.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_sync.h"
#include "net/net.h"
#include "season/spiele.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

class TempoTest : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    int32_t client_team = -1;
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        Netzwerk_Modus_Setzen(2);
        Spielfeld_Frameabzug_Setzen(0);
    }
    void TearDown() override {
        if (client_team >= 0) {
            Team_Wert(TW_STATUS, client_team, int32_t(TEAM_STATUS_CLIENT), OP_LOESCHEN);
            Manager_Entfernen(client_team);
            Spieltag_Client_Live_Setzen(client_team, false);
        }
        Spielfeld_Frameabzug_Setzen(0);
        Spielfeld_Sync_Warten_Vergessen(-1);
        Netzwerk_Modus_Setzen(0);
        Spieltag_Welt_Ende();
    }
};

// Two running matches with their records: the first a client's in lock-step
// (its minute not released), the second the server's person's own. Both are
// watched on the server. Frames of the waiting match: its wait goes on for
// 200 frames of 45 ms; the frame deduction after each frame is recorded.
TEST_F(TempoTest, AClientsWaitingMatchSlowsTheServersFramesOnlyWhileNoOtherWatchedMatchPlays) {
    ASSERT_TRUE(Spieltag_Start());
    for (int32_t frame = 0; frame < 5; ++frame) Spieltag_Frame();
    Spielfeld_Satz* satz[2] = {};
    int32_t n = 0;
    for (Spielfeld_Satz* s = Spielfeld_Anzahl() > 0 ? Spielfeld_Naechster(nullptr) : nullptr; s && n < 2;
         s = Spielfeld_Naechster(s))
        if (Spieltag_Slot_Status(int32_t(s->spiel)) == SLOT_LAEUFT) satz[n++] = s;
    ASSERT_EQ(n, 2) << "two running matches with records";
    client_team = int32_t(satz[0]->team[0]);
    ASSERT_NE(Manager_Neuer_Mitspieler(client_team, "Carl", 1), nullptr);
    Team_Wert(TW_STATUS, client_team, int32_t(TEAM_STATUS_CLIENT), OP_SETZEN);
    Spieltag_Client_Live_Setzen(client_team, true);
    ASSERT_TRUE(Spielfeld_Seite_Im_Netz(satz[0], 0));
    for (Spielfeld_Satz* s : satz) {
        s->anzeige_modus = 1;
        s->live = 1;
    }
    ASSERT_FALSE(Spielfeld_Ansicht().fast);

    // The client's match waits: its side holds the minute.
    auto warten = [&](uint32_t beginn) {
        int32_t hoechster = 0;
        for (uint32_t frame = 0; frame < 200; ++frame) {
            Sync_Minute(satz[0], 0) = 0;
            Sync_Abschnitt(satz[0], 0) = satz[0]->abschnitt;
            satz[0]->minute = 10;
            Spielfeld_Sync_Warten(satz[0], beginn + frame * 45, false);
            EXPECT_NE(satz[0]->bereit & 3, 3) << "frame " << frame;
            hoechster = std::max(hoechster, Spielfeld_Frameabzug());
        }
        return hoechster;
    };
    // The person's own match plays on: the frames keep the game's pace.
    satz[1]->bereit = 3;
    EXPECT_EQ(warten(1000), 0) << "the server's own watched match kept its pace";
    EXPECT_EQ(Spielfeld_Ansicht().frame_intervall, uint32_t(1000 / 22));

    // Nothing else watched: the wait slows the frames, step by step ...
    satz[1]->anzeige_modus = 0;
    Spielfeld_Sync_Warten_Vergessen(-1);
    EXPECT_GE(warten(100000), 2) << "a wait of 9 s of frames slows them";
    // ... and the minute released, the frames are back at the game's pace.
    Spielfeld_Sync_Warten_Ende(satz[0]);
    EXPECT_EQ(Spielfeld_Frameabzug(), 0);
    EXPECT_EQ(Spielfeld_Ansicht().frame_intervall, uint32_t(1000 / 22));
}

}  // namespace
}  // namespace velmora::test
