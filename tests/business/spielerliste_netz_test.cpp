// The talent list window on a client: a row's click switches the talent
// through the server, which answers after 300 ms; a second click meanwhile
// waits for the answer and then counts once: the talent is switched back, and
// nothing is sent again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "business/spielerliste.h"
#include "club/club_anbindung.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "net/internet.h"
#include "screens/menue_panel.h"
#include "shell/app.h"
#include "shell/maus.h"
#include "shell/screen.h"
#include "tests/club/talent_tabelle.h"
#include "tests/club/welt.h"
#include "tests/gui/menue_welt.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {
namespace {

constexpr int32_t GAST = 3;   // the client's club: players 18-35
constexpr int32_t TALENT = 8;

struct Lauf {
    uint32_t start = 0;
    bool klick_laeuft = false;
    int32_t server_aufrufe = 0;
    int32_t x = 0, y = 0;   // a point on the row
};
Lauf lauf;

// The server's side of a player value: counted, then written in the server's context.
bool Server_Spieler_Wert(int32_t, int32_t, const uint8_t* daten, size_t laenge, std::vector<uint8_t>& antwort) {
    ++lauf.server_aufrufe;
    ClubLeser l{daten, laenge};
    const int32_t modus = l.i32(), spieler = l.i32(), wert = l.i32(), op = l.i32();
    if (l.fehler) return false;
    ClubPacker pk{antwort};
    pk.i32(Spieler_Wert(modus, spieler, wert, op));
    return true;
}

// The wait as the program runs it, on the virtual clock: 10 ms a pass, the
// manager clicks the row again 100 ms after his first click; the server answers from 300 ms on.
void Warten() {
    Plat_Uhr_Vorstellen(10);
    const uint32_t seit = Plat_Ms() - lauf.start;
    if (seit >= 90 && seit < 300) Plat_Headless_Maus(lauf.x, lauf.y, 1);
    if (seit >= 300) Server_Runde();
    Win_Warten();
}

class SpielerlisteNetz : public MenueWelt {
protected:
    void SetUp() override {
        MenueWelt::SetUp();
        lauf = Lauf{};
        Welt_Bauen(4, 18);
        test::Talent_Tabelle_Setzen({.noetige_punkte = 10});
        Manager_Neuer_Mitspieler(GAST, "Gast", -1);
        // The window's pictures from the build's installation.
        bilder = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/oddo_res.res").c_str(), 0);
        ASSERT_GE(bilder, 0);
        Menue_Hooks().resourcen_slot = [](int32_t index) { return index == 1 ? slot : index == 7 ? bilder : -1; };
        Menue_Hooks().maus_klick = Maus_Klick;
        Menue_Hooks().maus_neu = Maus_Neu;
        ASSERT_EQ(Win_Create_Window(true, true), 0);
        ASSERT_EQ(DDraw_Init(&Screen_Get()), 1);
        Rastport_Screen_Setup(800, 600, Screen_Get().speicher);
        ClubHooks& c = Club_Hooks();
        c.netzwerk_modus = Netzwerk_Modus;
        c.client_team = [] { return GAST; };
        c.client_read = Club_Client_Lesen;
        ASSERT_TRUE(Club_Anfrage_Anmelden(ANFRAGE_SPIELER_WERT, Server_Spieler_Wert));
    }
    void TearDown() override {
        Club_Anfrage_Abmelden(ANFRAGE_SPIELER_WERT);
        Club_Hooks() = ClubHooks{};
        Net_Hooks().warten_ende = nullptr;
        Rastport_Screen_Setup(800, 600, schirm.data());
        DDraw_Release(&Screen_Get());
        Win_Destroy_Window();
        Res_Close(bilder);
        Welt_Freigeben();
        MenueWelt::TearDown();
    }
    void Frame(uint32_t knoepfe) {
        Plat_Headless_Maus(lauf.x, lauf.y, knoepfe);
        Maus_Tasten_Latch();
        if (knoepfe & 1 && !lauf.klick_laeuft) {
            lauf.klick_laeuft = true;
            lauf.start = Plat_Ms();
        }
        Menue_Frame();
        Plat_Uhr_Vorstellen(10);
    }
    static inline int32_t bilder = -1;
};

TEST_F(SpielerlisteNetz, ASecondClickWhileTheServerAnswersCountsOnceAfterTheAnswer) {
    Testnetz netz;
    bool verbunden = false;
    ImKontext im(netz.Client(&verbunden));
    ASSERT_TRUE(verbunden);
    Net_Hooks().warten = Warten;
    Net_Hooks().warten_ende = Win_Warten_Ende;
    const int32_t spieler = 20;
    ASSERT_EQ(Spieler_Get_Team(spieler), GAST);
    Menue_Set_Eigenes_Team(GAST);
    ASSERT_TRUE(Attribut_Spieler_Setze_Wert_2(spieler, TALENT, ATTRIBUT_LERNEN) || Attribute_Hat_Attribut(spieler, TALENT));
    lauf.server_aufrufe = 0;   // learning the talent went through the server too
    Spielerliste_Oeffnen(spieler, 100, 200, GAST);
    const SpielerlisteStand s = Spielerliste_Stand();
    ASSERT_EQ(s.zeilen, 1);
    lauf.x = s.x + 100;
    lauf.y = s.y + SPIELERLISTE_KOPF_H + 8;
    Frame(0);   // the pointer rests on the row
    Frame(0);
    Frame(1);   // press ...
    Frame(0);   // ... release: the switch is sent and waits; the second press comes meanwhile
    EXPECT_EQ(lauf.server_aufrufe, 1);
    EXPECT_TRUE(Attribute_Attribut_Aktief(spieler, TALENT));
    for (int n = 0; n < 3; ++n) Frame(1);
    Frame(0);
    EXPECT_FALSE(Attribute_Attribut_Aktief(spieler, TALENT)) << "the second click switched it back";
    const int32_t aufrufe = lauf.server_aufrufe;
    EXPECT_GT(aufrufe, 1);
    for (int n = 0; n < 5; ++n) Frame(0);
    EXPECT_EQ(lauf.server_aufrufe, aufrufe) << "no click is repeated";
    EXPECT_FALSE(Attribute_Attribut_Aktief(spieler, TALENT));
    Screen_Zurueck();
}

}  // namespace
}  // namespace velmora::test
