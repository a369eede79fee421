// tests/screens/optionen_test.cpp - the options screen in a running game,
// opened from the system menu: the time limit's steps back to off, switches,
// the scrolled list, and the rows that do not react (the network row with one
// manager; the time limit and the network row on a client); with two
// managers the network row makes the machine a server on loopback and stops it.
#include "screens/optionen.h"

#include <vector>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "net/net.h"
#include "screens/disk_screen.h"
#include "platform/sockets.h"
#include "season/kalender.h"
#include "shell/app.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

struct Stand {
    int32_t zeitlimit, server, modus, option_14, versatz;
    bool offen;
};
std::vector<Stand> g_staende;

void Merken() {
    g_staende.push_back({Optionen(OPTION_ZEITLIMIT, 0, 0), Optionen(OPTION_NETZWERK_SERVER, 0, 0), Netzwerk_Modus(),
                         Optionen(14, 0, 0), Optionen_Screen_Versatz(),
                         Menue_Screen_Icon_Ist_Vorhanden(ICON_OPTIONEN_FENSTER) != 0});
}

class OptionenScreen : public GeldWelt {
protected:
    void SetUp() override {
        GeldWelt::SetUp();
        g_staende.clear();
    }
};

constexpr int32_t LISTE_X = 300, ZEITLIMIT_Y = 223, NETZ_Y = 304, LETZTE_Y = 439, BALKEN_X = 754, BALKEN_UNTEN = 445;



TEST_F(OptionenScreen, ElevenClicksTurnTheTimeLimitOffAndTheNetworkRowNeedsTwoManagers) {
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, SYSTEM_X, OPTIONEN_Y);
    skript.push_back({1, 400, 530, 0, false, 0, Merken});   // 0: as opened
    for (int32_t k = 1; k <= 11; ++k) {
        Klicken(skript, LISTE_X, ZEITLIMIT_Y);
        if (k == 1 || k == 10 || k == 11) skript.push_back({1, LISTE_X, ZEITLIMIT_Y, 0, false, 0, Merken});   // 1-3
        if (k == 1) skript.push_back({1, 400, 530, 0, true});   // picture 0: the time limit named, one minute
    }
    Klicken(skript, LISTE_X, NETZ_Y);
    skript.push_back({2, 400, 530, 0, false, 0, Merken});   // 4: one manager: no server, the reason said
    skript.push_back({1, 400, 530, 0, false, 0, [] {
        ASSERT_FALSE(meldungen.empty()) << "the reason";
        EXPECT_NE(meldungen.back().find("zwei Managern"), std::string::npos) << meldungen.back();
        EXPECT_NE(meldungen.back().find("Startbildschirm"), std::string::npos) << "the start screen's way";
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_staende.size(), 5u);
    EXPECT_TRUE(g_staende[0].offen);
    EXPECT_EQ(g_staende[0].zeitlimit, 0);
    EXPECT_EQ(g_staende[1].zeitlimit, 60000);
    EXPECT_EQ(g_staende[2].zeitlimit, 600000);
    EXPECT_EQ(g_staende[3].zeitlimit, 0);
    EXPECT_EQ(g_staende[4].server, 0);
    EXPECT_EQ(g_staende[4].modus, 0);
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("optionen_zeitlimit", 0), "");
}

TEST_F(OptionenScreen, TheScrolledListSwitchesItsLastRowAndAClientChangesNeitherLimitNorServer) {
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, SYSTEM_X, OPTIONEN_Y);
    skript.push_back({1, 400, 530, 0, false, 0, Merken});          // 0
    Klicken(skript, BALKEN_X, BALKEN_UNTEN);                      // the track: to the end
    skript.push_back({4, LISTE_X, LETZTE_Y, 0, false, 0, Merken});  // 1: scrolled
    skript.push_back({1, LISTE_X, LETZTE_Y, 0, true});             // picture 0
    Klicken(skript, LISTE_X, LETZTE_Y);                           // the last row: option 14
    skript.push_back({1, 400, 530, 0, false, 0, Merken});          // 2
    Klicken(skript, BALKEN_X, 190);                               // back to the top
    // As a client: the time limit and the network row do not react. (The
    // client's pass is left out meanwhile: without a server it would end the game.)
    static decltype(Shell_Dienste().client_bedienen) client_pass = nullptr;
    skript.push_back({1, LISTE_X, ZEITLIMIT_Y, 0, false, 0, [] {
        client_pass = Shell_Dienste().client_bedienen;
        Shell_Dienste().client_bedienen = nullptr;
        Netzwerk_Modus_Setzen(1);
    }});
    Klicken(skript, LISTE_X, ZEITLIMIT_Y);
    Klicken(skript, LISTE_X, NETZ_Y);
    skript.push_back({1, 400, 530, 0, false, 0, [] {
        Merken();                                                  // 3
        Netzwerk_Modus_Setzen(0);
        Shell_Dienste().client_bedienen = client_pass;
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_staende.size(), 4u);
    EXPECT_EQ(g_staende[1].versatz, OPTIONEN_ZEILEN - OPTIONEN_SICHTBAR);
    EXPECT_EQ(g_staende[2].option_14, g_staende[0].option_14 ^ 1);
    EXPECT_EQ(g_staende[3].versatz, 0);
    EXPECT_EQ(g_staende[3].zeitlimit, 0);
    EXPECT_EQ(g_staende[3].server, 0);
    EXPECT_EQ(Vergleichen("optionen_gescrollt", 0), "");
}

// The system pages take each other's place: the load or the save page opened
// from the panel over the options closes them (the options stood over the
// load page's list and took its clicks).
TEST_F(OptionenScreen, EachSystemPageOpenedFromThePanelClosesTheOneOpen) {
    static std::vector<std::vector<bool>> offen;   // options, load, save after each opening
    offen.clear();
    auto merken = [] {
        offen.push_back({Menue_Screen_Icon_Ist_Vorhanden(ICON_OPTIONEN_FENSTER) != 0,
                         Menue_Screen_Icon_Ist_Vorhanden(ICON_DISK_LADEN_FENSTER) != 0,
                         Menue_Screen_Icon_Ist_Vorhanden(ICON_DISK_SPEICHERN_FENSTER) != 0});
    };
    skript = {{4, 30, 300, 0, false}};
    for (int32_t seite : {LADEN_Y, SPEICHERN_Y}) {
        for (int32_t y : {OPTIONEN_Y, seite}) {
            Menue_Eintrag(skript, SYSTEM_X, y);
            skript.push_back({1, 400, 530, 0, false, 0, merken});
        }
        Klicken(skript, 707, 428);   // the page's back button
        skript.push_back({4, 400, 530, 0, false});
    }
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(offen, (std::vector<std::vector<bool>>{
                         {true, false, false}, {false, true, false}, {true, false, false}, {false, false, true}}));
}

// Two managers: the network row starts the server through the start screen's
// routine (listening, reached over loopback); the other manager's club becomes
// a network club that the start-team table offers a client; a second click
// stops the server and every club is this machine's again.
class OptionenScreenZwei : public OptionenScreen {
protected:
    void SetUp() override {
        menschen = 2;
        OptionenScreen::SetUp();
        const uint8_t lo[4] = {127, 0, 0, 1};
        Net_Bind_Adresse_Setzen(lo);
        Net_Port_Setzen(0);
    }
    void TearDown() override {
        Net_Bind_Adresse_Setzen(nullptr);
        Net_Port_Setzen(NET_PORT_STANDARD);
        OptionenScreen::TearDown();
    }
};

struct ServerStand {
    int32_t eigen = -1, anderer = -1;
    bool eigen_netz = true, anderer_netz = false, angeboten = false, erreicht = false;
};
std::vector<ServerStand> g_server;

void Server_Merken() {
    Merken();
    ServerStand s;
    int32_t liste[TEAM_MAX];
    const int32_t n = Manager_Ist_Dran(liste, 0, 1);
    s.eigen = Menue_Lokal().team;
    for (int32_t i = 0; i < n; ++i)
        if (liste[i] != s.eigen) s.anderer = liste[i];
    auto netz = [](int32_t t) { return t >= 0 && (Team_Wert(TW_STATUS, t, 0, OP_LESEN) & int32_t(TEAM_STATUS_NETZ)); };
    s.eigen_netz = netz(s.eigen);
    s.anderer_netz = netz(s.anderer);
    const StartTeam* e = Team_Startteam(s.anderer);
    s.angeboten = e && e->team == s.anderer && (e->flags & STARTTEAM_MANAGER);
    if (Netzwerk_Modus() == 2) {
        const uint8_t lo[4] = {127, 0, 0, 1};
        const int32_t sock = Plat_Sock_Connect(lo, Net_Server_Port(), 5000);
        s.erreicht = sock >= 0;
        if (sock >= 0) Plat_Sock_Close(sock);
    }
    g_server.push_back(s);
}

TEST_F(OptionenScreenZwei, TheNetworkRowMakesALoopbackServerOfferingTheOtherClubAndStopsIt) {
    g_server.clear();
    skript = {{4, 30, 300, 0, false}};
    Klicken(skript, OK_X, OK_Y);   // the message of whose turn it is
    Menue_Eintrag(skript, SYSTEM_X, OPTIONEN_Y);
    Klicken(skript, LISTE_X, NETZ_Y);
    skript.push_back({2, 400, 530, 0, false, 0, Server_Merken});   // 0: a server
    Klicken(skript, LISTE_X, NETZ_Y);
    skript.push_back({2, 400, 530, 0, false, 0, Server_Merken});   // 1: alone again
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_server.size(), 2u);
    ASSERT_EQ(g_staende.size(), 2u);
    EXPECT_EQ(g_staende[0].modus, 2);
    EXPECT_EQ(g_staende[0].server, 3);
    EXPECT_TRUE(g_server[0].erreicht) << "a client on this machine reaches it";
    ASSERT_GE(g_server[0].anderer, 0);
    EXPECT_FALSE(g_server[0].eigen_netz);
    EXPECT_TRUE(g_server[0].anderer_netz);
    EXPECT_TRUE(g_server[0].angeboten);
    EXPECT_EQ(g_staende[1].modus, 0);
    EXPECT_EQ(g_staende[1].server, 0);
    EXPECT_FALSE(g_server[1].anderer_netz);
}

TEST(OptionenZeilen, HeadingsEmptyRowsAndRowsPastTheListHaveNoOption) {
    const int32_t soll[] = {-1, 0, 19, 24, 21, -1, -1, 40, 42, 43, 13, -1, -1, 4, 5, 8, 11, 12, 10, 14, -1, -1};
    for (int32_t z = -1; z <= OPTIONEN_ZEILEN; ++z)
        EXPECT_EQ(Optionen_Zeile_Option(z), z < 0 ? -1 : soll[z]) << "row " << z;
}

}  // namespace
}  // namespace velmora::test
