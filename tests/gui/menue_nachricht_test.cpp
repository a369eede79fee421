// tests/gui/menue_nachricht_test.cpp - a message to the local manager that
// came while it was nobody's turn (a page or the match day on the screen) is
// shown by the next frame of the menu, not kept for his next turn; one for
// another manager still waits for his.
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

class MenueNachricht : public MenueWelt {
protected:
    MenueSpielHooks vorher;
    void SetUp() override {
        MenueWelt::SetUp();
        vorher = Menue_Spiel_Hooks();
        Menue_Spiel_Hooks().team_hat_manager = [](int32_t team) { return team == 5 || team == 6; };
        Menue_Spiel_Hooks().aktives_team = [] { return -1; };   // pages, the match day: no turn
        MenueLokal lokal;
        lokal.team = 5;
        Menue_Lokal_Setzen(lokal);
    }
    void TearDown() override {
        Menue_Requester_Leeren();
        Menue_Lokal_Setzen(MenueLokal{});
        Menue_Spiel_Hooks() = vorher;
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
