// tests/screens/beispiel_screen_test.cpp - the example screen in a running
// game: it opens at the manager's turn, the button ends his day, and the next
// turn opens it with the next date.
#include "tests/screens/beispiel_screen.h"

#include "core/prioritaeten.h"
#include "season/kalender.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {
namespace {

int32_t g_zuege = 0;

class BeispielScreen : public ScreenWelt {
protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        g_zuege = 0;
        // What the root does for a screen of the game: open it when a turn begins, close it when it ends.
        Kalender_Hooks().zug_beginnt.Anmelden(200, [](int32_t team) {
            ++g_zuege;
            Beispiel_Screen_Oeffnen(team);
        }, "Beispiel");
        Kalender_Hooks().zug_endet.Anmelden(100, [](int32_t) { Beispiel_Screen_Schliessen(); }, "Beispiel");
    }
    void TearDown() override {
        Beispiel_Screen_Schliessen();
        ScreenWelt::TearDown();
    }
};

TEST_F(BeispielScreen, TheButtonEndsTheDayAndTheNextTurnShowsTheNextDate) {
    const int32_t knopf_x = 400, knopf_y = 358;
    skript = {
        {3, 100, 100, 0, false},          // the screen settles
        {2, knopf_x, knopf_y, 0, true},   // picture 0: the first day; then over the button
        {2, knopf_x, knopf_y, 1, false},  // pressed
        {1, knopf_x, knopf_y, 1, false},  // held down
        {1, knopf_x, knopf_y, 0, false},  // released on the button: the day ends
        {5, 100, 100, 0, false},          // the next turn opens
        {1, 100, 100, 0, true},           // picture 1: the second day
    };
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(g_zuege, 2);
    EXPECT_EQ(Tag_Index(), 0) << "the program ended: the calendar is reset";
    ASSERT_EQ(fotos.size(), 2u);
    EXPECT_EQ(Vergleichen("beispiel_erster_tag", 0), "");
    EXPECT_EQ(Vergleichen("beispiel_zweiter_tag", 1), "");
}

}  // namespace
}  // namespace velmora::test
