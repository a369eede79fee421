// tests/gui/menue_nachricht_test.cpp - a message to the local manager that
// came while it was nobody's turn (a page or the match day on the screen) is
// shown by the next frame of the menu, not kept for his next turn; one for
// another manager still waits for his.
#include "gui/menue_panel.h"
#include "gui/menue_requester.h"
#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

class MenueNachricht : public MenueWelt {
protected:
    MenuePanelHooks vorher;
    void SetUp() override {
        MenueWelt::SetUp();
        vorher = Menue_Panel_Hooks();
        Menue_Panel_Hooks().team_hat_manager = [](int32_t team) { return team == 5 || team == 6; };
        Menue_Panel_Hooks().aktives_team = [] { return -1; };   // pages, the match day: no turn
        Menue_Set_Eigenes_Team(5);
    }
    void TearDown() override {
        Menue_Requester_Leeren();
        Menue_Set_Eigenes_Team(-1);
        Menue_Panel_Hooks() = vorher;
        MenueWelt::TearDown();
    }
};

TEST_F(MenueNachricht, AMessageKeptOutsideATurnComesOnTheLocalManagersNextFrame) {
    ASSERT_TRUE(Menue_Nachricht_An_Manager(5, "Die Verbindung zu Carl ist abgerissen."));
    ASSERT_TRUE(Menue_Nachricht_An_Manager(6, "Eine Nachricht an den anderen Manager."));
    EXPECT_FALSE(Menue_Requester_Offen());
    EXPECT_EQ(Menue_Nachrichten_Wartend(5), 1);
    Bild(10, 10);
    EXPECT_TRUE(Menue_Requester_Offen()) << "shown on the first frame";
    EXPECT_EQ(Menue_Nachrichten_Wartend(5), 0);
    EXPECT_EQ(Menue_Nachrichten_Wartend(6), 1) << "kept for the other manager's turn";
    Bild(10, 10);
    EXPECT_EQ(Menue_Requester_Wartend(), 0) << "shown once";
}

}  // namespace
}  // namespace velmora::test
