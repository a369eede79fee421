// tests/shell/ruf_warten_test.cpp - clicks while a remote call waits: the
// shell's wait keeps the window shown with the calling icon pressed, a click
// of the wait counts once after the call returns (its keys and wheel steps are
// dropped), and a call without answer changes nothing and tells the manager
// once. A button of the menu framework calls a server on 127.0.0.1 that
// answers after 300 ms, or never.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/hooks.h"
#include "core/taste.h"
#include "net/internet.h"
#include "shell/app.h"
#include "shell/maus.h"
#include "shell/screen.h"
#include "tests/gui/menue_welt.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {
namespace {

constexpr int32_t ANFRAGE = 1040;
constexpr int32_t KNOPF_X = 300, KNOPF_Y = 200;   // a point on the button
constexpr int32_t ERGEBNIS = 250;                  // what the server adds to the balance
constexpr int32_t BLOCK_VORHER = 7, BLOCK_SERVER = 42;

struct Lauf {
    int32_t antwort_nach = -1;       // ms after the call began; -1: the server stays silent
    uint32_t start = 0;
    int32_t server_aufrufe = 0;
    int32_t klicks = 0;              // calls the button made
    int32_t stand = 0;               // the balance the answers change
    int32_t block = BLOCK_VORHER;    // the result block of the last call
    int32_t wartebilder = 0;         // hook passes that showed the screen as it stands
    int32_t wartende = 0;            // hook passes
    bool immer_gedrueckt = true;     // the calling icon was drawn pressed in every pass
    int32_t klick_x = KNOPF_X;       // where the user clicks during the first call
    int32_t loslassen_nach = -1;     // ms after the call began he releases; -1: after the call
    int32_t andere = 0;              // clicks of the other button
    s_icon* knopf = nullptr;
    std::vector<std::string> meldungen;
};
Lauf lauf;

int32_t Server_Handler(Internet_Aufruf& a) {
    ++lauf.server_aufrufe;
    uint32_t n = 0;
    int32_t* block = reinterpret_cast<int32_t*>(a.Ergebnis(1, &n));
    if (block && n >= 4) *block = BLOCK_SERVER;
    return a.I(0) + ERGEBNIS;
}

// The button's procedure: one remote call; only an answer changes the balance.
void Knopf_Ruft(s_icon*, int32_t) {
    ++lauf.klicks;
    lauf.start = Plat_Ms();
    int32_t block = lauf.block;
    const int32_t r = Internet_Client_Read(ANFRAGE, "iiI<4", 0, 0, 0, &block);
    lauf.block = block;
    if (r) lauf.stand += r;
}

void Anderer_Knopf(s_icon*, int32_t) { ++lauf.andere; }

// The wait as the program runs it, on the virtual clock: 10 ms a pass; during
// the first call the user clicks again 100 ms after his first click (held
// until after the call, or released at `loslassen_nach`), types a key and
// turns the wheel; the server runs from `antwort_nach` on.
void Warten() {
    Plat_Uhr_Vorstellen(10);
    const uint32_t seit = Plat_Ms() - lauf.start;
    if (seit >= 90 && lauf.klicks == 1) {
        const bool gehalten = lauf.loslassen_nach < 0 || seit < uint32_t(lauf.loslassen_nach);
        Plat_Headless_Maus(lauf.klick_x, KNOPF_Y, gehalten ? 1 : 0);
        if (seit < 100) {
            Plat_Headless_Ereignis(PlatEreignis{PLAT_E_TASTE, 65});
            Plat_Headless_Ereignis(PlatEreignis{PLAT_E_RAD, 1});
        }
    }
    if (lauf.antwort_nach >= 0 && seit >= uint32_t(lauf.antwort_nach)) Server_Runde();
    const uint32_t vorher = Plat_Headless_Bilder();
    Win_Warten();
    ++lauf.wartende;
    const uint16_t* schirm = Screen_Get().speicher;
    if (Plat_Headless_Bilder() > vorher && Plat_Headless_Bild() == std::vector<uint16_t>(schirm, schirm + 800 * 600))
        ++lauf.wartebilder;
    lauf.immer_gedrueckt = lauf.immer_gedrueckt && Menue_Get_Gedrueckt() == lauf.knopf;
}

class RufWarten : public MenueWelt {
protected:
    void SetUp() override {
        MenueWelt::SetUp();
        lauf = Lauf{};
        ASSERT_EQ(Win_Create_Window(true, true), 0);
        ASSERT_EQ(DDraw_Init(&Screen_Get()), 1);
        Rastport_Screen_Setup(800, 600, Screen_Get().speicher);
        // The mouse as the program reads it: the shell's latch and click.
        Menue_Hooks().maus_klick = Maus_Klick;
        Menue_Hooks().maus_neu = Maus_Neu;
        Core_Hooks().meldung = [](const char* text) { lauf.meldungen.emplace_back(text); };
        ASSERT_TRUE(Internet_Server_Anmelden(ANFRAGE, "iiI<4", Server_Handler));
    }
    void TearDown() override {
        im.reset();
        netz.reset();
        Internet_Server_Abmelden(ANFRAGE);
        Core_Hooks().meldung = nullptr;
        Net_Hooks().warten = nullptr;
        Net_Hooks().warten_ende = nullptr;
        Rastport_Screen_Setup(800, 600, schirm.data());
        DDraw_Release(&Screen_Get());
        Win_Destroy_Window();
        MenueWelt::TearDown();
    }
    // A server on 127.0.0.1 and the client joined to it (a fresh pair each
    // call), the wait bound as the program binds it.
    void Verbinden() {
        im.reset();
        netz.reset();
        netz.emplace();
        bool verbunden = false;
        im.emplace(netz->Client(&verbunden));
        ASSERT_TRUE(verbunden);
        Net_Hooks().warten = Warten;
        Net_Hooks().warten_ende = Win_Warten_Ende;
    }
    std::optional<Testnetz> netz;
    std::optional<ImKontext> im;
    // One frame of the menu phase with the shell's latch, as the calendar runs it.
    void Frame(uint32_t knoepfe) {
        Plat_Headless_Maus(KNOPF_X, KNOPF_Y, knoepfe);
        Maus_Tasten_Latch();
        Menue_Frame();
        Plat_Uhr_Vorstellen(10);
    }
};

struct Fall {
    const char* name;
    int32_t antwort_nach;
    int32_t klicks, server_aufrufe, stand, block, meldungen;
};

TEST_F(RufWarten, ASecondClickDuringTheCallCountsOnceAfterItAndASilentServerChangesNothing) {
    const Fall faelle[] = {
        {"answer after 300 ms", 300, 2, 2, 2 * ERGEBNIS, BLOCK_SERVER, 0},
        {"no answer", -1, 2, 0, 0, BLOCK_VORHER, 2},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Verbinden();
        lauf = Lauf{};
        lauf.antwort_nach = f.antwort_nach;
        lauf.knopf = Icon(Knopf(300, KNOPF_X - 20, KNOPF_Y - 10, 0, Knopf_Ruft));
        Menue_Screen_Icon_Hinzufuegen(lauf.knopf);

        Frame(0);   // the mouse rests on the button
        Frame(1);   // first click: press ...
        Frame(0);   // ... release: the call runs and waits, the second press comes meanwhile
        EXPECT_EQ(lauf.klicks, 1);
        EXPECT_GT(lauf.wartende, 0);
        EXPECT_EQ(lauf.wartebilder, lauf.wartende) << "the wait shows the screen in every pass";
        EXPECT_TRUE(lauf.immer_gedrueckt);
        EXPECT_EQ(Taste_Get_Code(), 0) << "a key typed during the call is dropped";
        EXPECT_EQ(Maus_Rad(), 0) << "a wheel step during the call is dropped";
        // The second press is still held after the call, then released: the second call.
        for (int n = 0; n < 3; ++n) Frame(1);
        for (int n = 0; n < 3; ++n) Frame(0);
        EXPECT_EQ(lauf.klicks, f.klicks);
        EXPECT_EQ(lauf.server_aufrufe, f.server_aufrufe);
        EXPECT_EQ(lauf.stand, f.stand);
        EXPECT_EQ(lauf.block, f.block) << "a call without answer fills nothing";
        ASSERT_EQ(int32_t(lauf.meldungen.size()), f.meldungen);
        if (f.meldungen) { EXPECT_EQ(lauf.meldungen[0], INTERNET_KEINE_ANTWORT); }

        // A fresh click after the release calls again.
        lauf.antwort_nach = 0;
        Frame(1);
        Frame(0);
        EXPECT_EQ(lauf.klicks, f.klicks + 1);
        Menue_Screen_Icon_Loeschen(-1, lauf.knopf);
        Menue_Eingabe_Zuruecksetzen();
    }
}

// A client's "Weiter" clicked while a refresh's call waits (pressed and
// released within the wait) is the click of the frame after the call, once.
TEST_F(RufWarten, AClickOnAnotherButtonDuringTheCallCountsOnceAfterIt) {
    Verbinden();
    lauf.antwort_nach = 300;
    lauf.klick_x = KNOPF_X + 200;
    lauf.loslassen_nach = 150;
    lauf.knopf = Icon(Knopf(300, KNOPF_X - 20, KNOPF_Y - 10, 0, Knopf_Ruft));
    Menue_Screen_Icon_Hinzufuegen(lauf.knopf);
    Menue_Screen_Icon_Hinzufuegen(Icon(Knopf(301, lauf.klick_x - 20, KNOPF_Y - 10, 0, Anderer_Knopf)));
    Frame(0);
    Frame(1);
    Frame(0);   // the call runs; the other button is pressed and released meanwhile
    ASSERT_EQ(lauf.klicks, 1);
    EXPECT_EQ(lauf.andere, 0) << "no frame runs during the call";
    for (int n = 0; n < 4; ++n) {
        Plat_Headless_Maus(lauf.klick_x, KNOPF_Y, 0);
        Maus_Tasten_Latch();
        Menue_Frame();
        Plat_Uhr_Vorstellen(10);
    }
    EXPECT_EQ(lauf.andere, 1);
    EXPECT_EQ(lauf.klicks, 1);
    EXPECT_EQ(lauf.stand, ERGEBNIS);
}

// A call the frame makes of its own between the latch and the icons (a
// client's refresh, its player count): a click latched at the frame's start,
// pressed and released between two frames, still counts once.
TEST_F(RufWarten, AClickLatchedBeforeACallOfItsFrameStillCountsOnce) {
    Verbinden();
    lauf.antwort_nach = 0;
    lauf.klicks = 10;   // the user presses nothing during these calls
    Menue_Screen_Icon_Hinzufuegen(Icon(Knopf(301, KNOPF_X - 20, KNOPF_Y - 10, 0, Anderer_Knopf)));
    Frame(0);
    Plat_Headless_Maus(KNOPF_X, KNOPF_Y, 1);
    Plat_Headless_Maus(KNOPF_X, KNOPF_Y, 0);
    for (int n = 0; n < 3; ++n) {
        Maus_Tasten_Latch();
        Knopf_Ruft(nullptr, 0);
        Menue_Frame();
        Plat_Uhr_Vorstellen(10);
    }
    EXPECT_EQ(lauf.klicks, 13);
    EXPECT_EQ(lauf.andere, 1);
}

}  // namespace
}  // namespace velmora::test
