// tests/gui/menue_test.cpp - the frame's mouse input: clicks on release,
// auto-repeat, priorities, hover events, right clicks, hooked procedures,
// drag and drop, wheel steps and modal icons, driven by the headless mouse.
#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

class MenueEingabe : public MenueWelt {
protected:
    void SetUp() override {
        MenueWelt::SetUp();
        ereignisse.clear();
    }
    std::vector<Ereignis> Von(int32_t nummer) const {
        std::vector<Ereignis> r;
        for (const Ereignis& e : ereignisse)
            if (e.nummer == nummer) r.push_back(e);
        return r;
    }
};

TEST_F(MenueEingabe, ButtonFiresOnReleaseOnce) {
    s_icon &k = *Icon(Knopf(100, 100, 100, 0, Aufzeichnen));
    Menue_Screen_Icon_Hinzufuegen(&k);
    Bild(120, 110);       // hover
    Bild(120, 110, 1);    // press: armed, drawn pressed
    EXPECT_TRUE(ereignisse.empty());
    EXPECT_EQ(Menue_Get_Gedrueckt(), &k);
    Bild(121, 111, 1);    // held
    EXPECT_TRUE(ereignisse.empty());
    Bild(121, 111, 0);    // release
    ASSERT_EQ(ereignisse.size(), 1u);
    EXPECT_EQ(ereignisse[0], (Ereignis{100, EV_LINKS, 0}));
    for (int n = 0; n < 5; ++n) Bild(121, 111, 0);
    EXPECT_EQ(ereignisse.size(), 1u);
}

TEST_F(MenueEingabe, PressThenReleaseElsewhereFiresNothing) {
    s_icon &a = *Icon(Knopf(101, 100, 100, 0, Aufzeichnen)), &b = *Icon(Knopf(102, 300, 100, 0, Aufzeichnen));
    Menue_Screen_Icon_Hinzufuegen(&a);
    Menue_Screen_Icon_Hinzufuegen(&b);
    Bild(120, 110);
    Bild(120, 110, 1);
    Bild(320, 110, 1);   // the hover moves on while held
    Bild(320, 110, 1);
    Bild(320, 110, 0);
    Bild(320, 110, 0);
    EXPECT_TRUE(ereignisse.empty());
    // A fresh click on b works.
    Bild(320, 110, 1);
    Bild(320, 110, 0);
    ASSERT_EQ(ereignisse.size(), 1u);
    EXPECT_EQ(ereignisse[0].nummer, 102);
}

// A press that goes down in the frame the pointer reaches an icon (a long
// frame, a page just replaced, a quick second click) counts once; one carried
// onto the icon while held still counts nothing.
TEST_F(MenueEingabe, AFreshPressOnAnIconNotYetHoveredClicksOnce) {
    s_icon &a = *Icon(Knopf(110, 100, 100, 0, Aufzeichnen)), &b = *Icon(Knopf(111, 100, 100, 0, Aufzeichnen));
    Menue_Screen_Icon_Hinzufuegen(&a);
    Bild(50, 50);
    Bild(120, 110, 1);   // the pointer arrives with the button down
    Bild(120, 110, 0);
    for (int n = 0; n < 3; ++n) Bild(120, 110, 0);
    ASSERT_EQ(ereignisse.size(), 1u);
    EXPECT_EQ(ereignisse[0], (Ereignis{110, EV_LINKS, 0}));
    Bild(120, 110, 1);   // at once a second click on the same button
    Bild(120, 110, 0);
    for (int n = 0; n < 3; ++n) Bild(120, 110, 0);
    EXPECT_EQ(ereignisse.size(), 2u);
    // The page is replaced: its first frame already sees the next click.
    Menue_Screen_Icon_Loeschen(-1, &a);
    Menue_Screen_Icon_Hinzufuegen(&b);
    Bild(120, 110, 1);
    Bild(120, 110, 0);
    for (int n = 0; n < 3; ++n) Bild(120, 110, 0);
    ASSERT_EQ(ereignisse.size(), 3u);
    EXPECT_EQ(ereignisse[2], (Ereignis{111, EV_LINKS, 0}));
    // Held from elsewhere onto the button: nothing.
    Bild(50, 50, 1);
    for (int n = 0; n < 3; ++n) Bild(120, 110, 1);
    for (int n = 0; n < 3; ++n) Bild(120, 110, 0);
    EXPECT_EQ(ereignisse.size(), 3u);
}

TEST_F(MenueEingabe, AutoRepeatFiresAtOnceThenAfter350ThenEvery50) {
    s_icon &k = *Icon(Knopf(103, 100, 100, 0, Aufzeichnen));
    k.Status = ICON_ST_WIEDERHOLEN | ICON_ST_DRUCK;
    Menue_Screen_Icon_Hinzufuegen(&k);
    Bild(120, 110);
    const uint32_t start = Plat_Ms();
    for (int t = 0; t < 1000; t += 5) Bild(120, 110, 1, 5);
    Bild(120, 110, 0);
    ASSERT_GE(ereignisse.size(), 10u);
    EXPECT_EQ(ereignisse[0].zeit, start);
    const uint32_t erster = ereignisse[1].zeit - ereignisse[0].zeit;
    EXPECT_GE(erster, 350u);
    EXPECT_LE(erster, 355u);
    for (size_t k2 = 2; k2 < ereignisse.size(); ++k2) {
        const uint32_t abstand = ereignisse[k2].zeit - ereignisse[k2 - 1].zeit;
        EXPECT_GE(abstand, 50u) << k2;
        EXPECT_LE(abstand, 55u) << k2;
    }
    EXPECT_LE(ereignisse.size(), 2u + (1000u - 350u) / 50u);
    for (const Ereignis& e : ereignisse) EXPECT_EQ(e.ereignis, EV_LINKS);
}

TEST_F(MenueEingabe, HigherPriorityWinsOverlapsAndDistanceDecidesWithinOne) {
    // A ranked-ahead icon (ICON_TYP_VORRANG) counts two priority steps more
    // and is hit 10 pixels below its picture; a and b are 80 x 30 at y 100.
    struct Fall {
        int8_t pri_a, pri_b;
        bool vorrang_a;
        int16_t bx;
        int32_t maus_x, maus_y;
        int32_t sieger;
    } faelle[] = {
        {0, 1, false, 160, 165, 110, 105},   // a's centre is nearer, b has the higher priority
        {1, 0, false, 160, 175, 110, 104},
        {2, 2, false, 160, 165, 110, 104},   // same priority: the nearer centre
        {2, 2, false, 160, 175, 110, 105},
        {0, 1, true, 160, 175, 110, 104},    // ranked ahead: beats one step more, though farther
        {2, 2, true, 160, 175, 110, 104},
        {0, 2, true, 160, 165, 110, 104},    // two steps even it out: the nearer centre
        {0, 2, true, 160, 175, 110, 105},
        {0, 0, true, 300, 120, 135, 104},    // the strip below the picture
        {0, 0, false, 300, 120, 135, -1},
    };
    for (const Fall& f : faelle) {
        ereignisse.clear();
        s_icon &a = *Icon(Knopf(104, 100, 100, f.pri_a, Aufzeichnen)), &b = *Icon(Knopf(105, f.bx, 100, f.pri_b, Aufzeichnen));
        a.typ |= ICON_TYP_MAUS_INFO;
        if (f.vorrang_a) a.typ |= ICON_TYP_VORRANG;
        b.typ |= ICON_TYP_MAUS_INFO;
        Menue_Screen_Icon_Hinzufuegen(&a);
        Menue_Screen_Icon_Hinzufuegen(&b);
        Bild(f.maus_x, f.maus_y);
        const std::string fall = std::to_string(f.pri_a) + "/" + std::to_string(f.pri_b) + (f.vorrang_a ? " ahead" : "") +
                                 " at " + std::to_string(f.maus_x) + "," + std::to_string(f.maus_y);
        if (f.sieger < 0) {
            EXPECT_TRUE(ereignisse.empty()) << fall;
            EXPECT_EQ(Menue_Get_Aktuelles_Icon(), nullptr) << fall;
        } else {
            ASSERT_EQ(ereignisse.size(), 1u) << fall;
            EXPECT_EQ(ereignisse[0], (Ereignis{f.sieger, EV_BETRETEN, 0})) << fall;
            ASSERT_NE(Menue_Get_Aktuelles_Icon(), nullptr) << fall;
            EXPECT_EQ(Menue_Get_Aktuelles_Icon()->nummer, f.sieger) << fall;
        }
        Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
        Bild(-50, -50);
    }
}

TEST_F(MenueEingabe, EnteringAndLeavingSendTheirEventsOnce) {
    s_icon &k = *Icon(Knopf(106, 100, 100, 0, Aufzeichnen));
    k.typ |= ICON_TYP_MAUS_INFO;
    Menue_Screen_Icon_Hinzufuegen(&k);
    Bild(50, 50);
    Bild(120, 110);
    Bild(125, 112);
    Bild(130, 115);
    Bild(50, 50);
    Bild(50, 50);
    const std::vector<Ereignis> soll = {{106, EV_BETRETEN, 0}, {106, EV_VERLASSEN, 0}};
    EXPECT_EQ(ereignisse, soll);
    // A click ends the hover without the leaving event (a button is not
    // entered again under the pointer). When the pointer goes straight on to
    // rest elsewhere (the screen the button opened lies there), the button
    // leaves then, and is entered again when the pointer comes back.
    ereignisse.clear();
    Bild(120, 110);
    Bild(120, 110, 1);
    Bild(120, 110, 0);
    Bild(50, 50);
    Bild(120, 110);
    const std::vector<Ereignis> nach_klick = {
        {106, EV_BETRETEN, 0}, {106, EV_LINKS, 0}, {106, EV_VERLASSEN, 0}, {106, EV_BETRETEN, 0}};
    EXPECT_EQ(ereignisse, nach_klick);
    // Removing the hovered icon sends the leaving event.
    Bild(120, 110);
    Menue_Screen_Icon_Loeschen(106, nullptr);
    EXPECT_EQ(ereignisse.back(), (Ereignis{106, EV_VERLASSEN, 0}));
    EXPECT_EQ(Menue_Get_Aktuelles_Icon(), nullptr);
}

TEST_F(MenueEingabe, RightClickIconTakesTheRightButtonOnceWhileHeld) {
    s_icon &zurueck = *Icon(Knopf(107, 700, 550, 0, Aufzeichnen)), &k = *Icon(Knopf(108, 100, 100, 0, Aufzeichnen));
    k.typ |= ICON_TYP_RECHTSKLICK;
    Menue_Screen_Icon_Hinzufuegen(&zurueck);
    Menue_Screen_Icon_Hinzufuegen(&k);
    Menue_Set_Rechtsklick_Icon(107);
    Bild(120, 110);
    for (int n = 0; n < 5; ++n) Bild(120, 110, 2);
    Bild(120, 110, 0);
    const std::vector<Ereignis> soll = {{107, EV_RECHTS, 0}};
    EXPECT_EQ(ereignisse, soll);
    // Without the right-click icon a type-0x100 icon takes the right click itself, once.
    Menue_Screen_Icon_Loeschen(107, nullptr);
    EXPECT_EQ(Menue_Get_Rechtsklick_Icon(), -1);
    ereignisse.clear();
    Bild(120, 110);
    for (int n = 0; n < 5; ++n) Bild(120, 110, 2);
    Bild(120, 110, 0);
    EXPECT_EQ(ereignisse, (std::vector<Ereignis>{{108, EV_RECHTS, 0}}));
}

TEST_F(MenueEingabe, DisabledAndPassiveIconsNeverFire) {
    s_icon &a = *Icon(Knopf(109, 100, 100, 0, Aufzeichnen)), &b = *Icon(Knopf(110, 300, 100, 0, Aufzeichnen));
    a.Status = ICON_ST_GESPERRT;
    b.typ |= ICON_TYP_PASSIV;
    Menue_Screen_Icon_Hinzufuegen(&a);
    Menue_Screen_Icon_Hinzufuegen(&b);
    for (int32_t x : {120, 320}) {
        Bild(x, 110);
        Bild(x, 110, 1);
        Bild(x, 110, 0);
    }
    EXPECT_TRUE(ereignisse.empty());
}

TEST_F(MenueEingabe, ModalIconsShutOutTheOthers) {
    s_icon &unten = *Icon(Knopf(111, 100, 100, 5, Aufzeichnen)), &modal = *Icon(Knopf(112, 300, 300, 20, Aufzeichnen));
    modal.typ |= ICON_TYP_MODAL;
    Menue_Screen_Icon_Hinzufuegen(&unten);
    Menue_Screen_Icon_Hinzufuegen(&modal);
    for (int32_t x : {120, 320}) {
        const int32_t y = x == 120 ? 110 : 310;
        Bild(x, y);
        Bild(x, y, 1);
        Bild(x, y, 0);
    }
    EXPECT_EQ(Menue_Get_Zustand_Byte(), 1);
    EXPECT_EQ(ereignisse, (std::vector<Ereignis>{{112, EV_LINKS, 0}}));
}

std::vector<int32_t> hook_aufrufe;
void Hook(void* arg, int32_t e) { hook_aufrufe.push_back(e + (arg ? 1 : 0)); }
void Hook2(void*, int32_t) {}

TEST_F(MenueEingabe, HookedProcedureRunsPerVisibleIconAndIsDueOncePerInterval) {
    std::vector<s_icon>& icons = Vektor(31);
    for (int k = 0; k < 30; ++k) {
        icons[k] = Knopf(int16_t(200 + k), int16_t(20 * k), 400);
        icons[k].bild = BILD_KLEIN;
    }
    icons[30] = Knopf(230, 0, 0);
    icons[30].Status = ICON_ST_VERSTECKT;   // hidden icons do not count
    for (auto& i : icons) Menue_Screen_Icon_Hinzufuegen(&i);
    hook_aufrufe.clear();
    Menue_Hook_Procedure(Hook, nullptr, 0, 10);
    EXPECT_TRUE(Menue_Hook_Ist_Aktiv(Hook, nullptr));
    Bild(700, 10, 0, 3);
    ASSERT_EQ(hook_aufrufe.size(), 30u);
    EXPECT_EQ(std::count(hook_aufrufe.begin(), hook_aufrufe.end(), EV_HOOK_FAELLIG), 1);
    EXPECT_EQ(hook_aufrufe[0], EV_HOOK_FAELLIG);
    hook_aufrufe.clear();
    Bild(700, 10, 0, 3);   // 3 ms later: not due
    EXPECT_EQ(std::count(hook_aufrufe.begin(), hook_aufrufe.end(), EV_HOOK_NICHT_FAELLIG), 30);
    hook_aufrufe.clear();
    Bild(700, 10, 0, 3);
    Bild(700, 10, 0, 3);
    Bild(700, 10, 0, 3);   // 12 ms after it was due: due again
    EXPECT_EQ(std::count(hook_aufrufe.begin(), hook_aufrufe.end(), EV_HOOK_FAELLIG), 1);
    Menue_Hook_Procedure(Hook, nullptr, 1, 0);
    EXPECT_FALSE(Menue_Hook_Ist_Aktiv(Hook, nullptr));
    hook_aufrufe.clear();
    Bild(700, 10);
    EXPECT_TRUE(hook_aufrufe.empty());
    Menue_Hook_Procedure(Hook, nullptr, 1, 0);
    EXPECT_TRUE(Geloggt("Hook-Procedure nicht gefunden!"));
}

TEST_F(MenueEingabe, HookSlotsAreLimitedAndMatchedByProcedureOrArgument) {
    int arg[20];
    for (int k = 0; k < 20; ++k) Menue_Hook_Procedure(Hook2, &arg[k], 0, 100);
    Menue_Hook_Procedure(Hook, nullptr, 0, 100);
    EXPECT_TRUE(Geloggt("Zuviele Hooked-Procedures!"));
    EXPECT_FALSE(Menue_Hook_Ist_Aktiv(Hook, nullptr));
    EXPECT_TRUE(Menue_Hook_Ist_Aktiv(nullptr, &arg[7]));
    EXPECT_TRUE(Menue_Hook_Ist_Aktiv(Hook2, &arg[19]));
    EXPECT_FALSE(Menue_Hook_Ist_Aktiv(Hook, &arg[19]));
    Menue_Hook_Procedure(Hook2, &arg[3], 1, 0);
    EXPECT_FALSE(Menue_Hook_Ist_Aktiv(nullptr, &arg[3]));
    Menue_Hook_Procedure(Hook, nullptr, 0, 100);
    EXPECT_TRUE(Menue_Hook_Ist_Aktiv(Hook, nullptr));
}

struct Abwurf {
    int32_t ziel, x, y, ereignis;
};
std::vector<Abwurf> abwuerfe;
void Bewegen(s_icon*, s_icon* ziel, int32_t x, int32_t y, int32_t e) {
    abwuerfe.push_back({ziel ? ziel->nummer : -1, x, y, e});
}

TEST_F(MenueEingabe, DraggedIconIsDroppedOntoAnIconOfItsGroup) {
    s_icon_move move;
    move.gruppe = 0x2;
    move.flags = 0x8;
    move.proc = Bewegen;
    s_icon &spieler = *Icon(Knopf(120, 100, 100, 2, Aufzeichnen)), &feld = *Icon(Knopf(121, 400, 300, 1, Aufzeichnen)), &fremd = *Icon(Knopf(122, 400, 100, 1, Aufzeichnen));
    spieler.typ |= ICON_TYP_BEWEGLICH;
    spieler.move = &move;
    feld.gruppe = 0x3;
    fremd.gruppe = 0x4;
    for (s_icon* i : {&spieler, &feld, &fremd}) Menue_Screen_Icon_Hinzufuegen(i);
    struct Fall {
        int32_t zx, zy;
        std::vector<int32_t> ziele;
    } faelle[] = {{420, 310, {121}}, {420, 110, {}}, {600, 500, {}}};
    for (const Fall& f : faelle) {
        abwuerfe.clear();
        spieler.x = 100;
        spieler.y = 100;
        Bild(110, 105);
        Bild(110, 105, 1);          // pending
        Bild(130, 115, 1);          // moved: the drag starts
        ASSERT_EQ(Menue_Get_Maus_Ereignis(), &spieler);
        EXPECT_TRUE(spieler.Status & ICON_ST_VERSTECKT);
        Bild(f.zx, f.zy, 1);
        int32_t x = 0, y = 0;
        Menue_Get_Mausposition(&x, &y);
        EXPECT_EQ(x, f.zx - 30);    // the grab offset taken when the drag started
        EXPECT_EQ(y, f.zy - 15);
        Bild(f.zx, f.zy, 1);
        Bild(f.zx, f.zy, 0);        // drop
        EXPECT_EQ(Menue_Get_Maus_Ereignis(), nullptr);
        EXPECT_FALSE(spieler.Status & ICON_ST_VERSTECKT);
        std::vector<int32_t> ziele;
        for (const Abwurf& a : abwuerfe) {
            EXPECT_EQ(a.ereignis, EV_ABGELEGT);
            EXPECT_EQ(a.x, f.zx - 30);
            ziele.push_back(a.ziel);
        }
        EXPECT_EQ(ziele, f.ziele) << f.zx << "," << f.zy;
        Bild(700, 590);
    }
    EXPECT_TRUE(ereignisse.empty());   // a drag is no click
}

TEST_F(MenueEingabe, MovableIconPressedAndReleasedInPlaceIsAClick) {
    s_icon_move move;
    move.proc = Bewegen;
    s_icon &k = *Icon(Knopf(123, 100, 100, 0, Aufzeichnen));
    k.typ |= ICON_TYP_BEWEGLICH;
    k.move = &move;
    Menue_Screen_Icon_Hinzufuegen(&k);
    abwuerfe.clear();
    Bild(110, 105);
    Bild(110, 105, 1);
    Bild(110, 105, 1);
    Bild(110, 105, 0);
    Bild(110, 105, 0);
    EXPECT_EQ(ereignisse, (std::vector<Ereignis>{{123, EV_LINKS, 0}}));
    EXPECT_TRUE(abwuerfe.empty());
}

TEST_F(MenueEingabe, DraggedIconSnapsToTheRasterAndStaysInItsRectangle) {
    s_icon_raster zweiter{2, 1, 600, 500, 30, 30, 10, 0, nullptr};
    s_icon_raster raster{3, 2, 100, 300, 40, 40, 10, 10, &zweiter};
    int32_t x = 130, y = 370;
    EXPECT_TRUE(Menue_Check_Icon_Raster(&raster, &x, &y));
    EXPECT_EQ(x, 100);   // cell (0, 1) of the first block: centre (120, 370)
    EXPECT_EQ(y, 350);
    x = 645;
    y = 505;
    EXPECT_TRUE(Menue_Check_Icon_Raster(&raster, &x, &y));
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 500);
    EXPECT_FALSE(Menue_Check_Icon_Raster(nullptr, &x, &y));
    EXPECT_TRUE(Geloggt("Menue_Check_Icon_Raster: Raster-Fehler!"));

    s_icon_move move;
    move.x0 = 0;
    move.y0 = 0;
    move.x1 = 300;
    move.y1 = 200;
    s_icon &k = *Icon(Knopf(124, 100, 100));
    k.typ |= ICON_TYP_BEWEGLICH;
    k.move = &move;
    Menue_Screen_Icon_Hinzufuegen(&k);
    // The drag update runs while any icon is shown; the moved one is hidden.
    s_icon &anderes = *Icon(Knopf(125, 700, 10));
    Menue_Screen_Icon_Hinzufuegen(&anderes);
    Bild(110, 105);
    Bild(110, 105, 1);
    Bild(115, 105, 1);
    Bild(700, 500, 1);
    Menue_Get_Mausposition(&x, &y);
    EXPECT_EQ(x, 300 - 80);
    EXPECT_EQ(y, 200 - 30);
    Bild(700, 500, 0);
    k.raster = &raster;
    Bild(110, 105);
    Bild(110, 105, 1);
    Bild(135, 372, 1);   // the mouse left the icon at once: the drag starts a frame later
    Bild(135, 372, 1);
    Bild(135, 372, 1);
    Menue_Get_Mausposition(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 350);
    Bild(135, 372, 0);
}

std::vector<std::pair<int32_t, int32_t>> rad_aufrufe;

TEST_F(MenueEingabe, WheelStepsGoToTheScrollButtonNearestToTheMouse) {
    s_icon &liste_a = *Icon(Knopf(130, 50, 50)), &liste_b = *Icon(Knopf(131, 450, 50));
    s_icon &knopf_a = *Icon(Knopf(132, 140, 50)), &knopf_b = *Icon(Knopf(133, 540, 50)), &sonst = *Icon(Knopf(134, 50, 400, 0, Aufzeichnen));
    for (s_icon* k : {&knopf_a, &knopf_b}) {
        k->typ |= ICON_TYP_SCROLLBUTTON;
        k->bild = BILD_KLEIN;
    }
    knopf_a.partner = 130;
    knopf_b.partner = 131;
    for (s_icon* i : {&liste_a, &liste_b, &knopf_a, &knopf_b, &sonst}) Menue_Screen_Icon_Hinzufuegen(i);
    rad_aufrufe.clear();
    Menue_Hooks().scrollbar_rad = [](s_icon* i, int32_t s) { rad_aufrufe.push_back({i->nummer, s}); };
    rad = 2;
    Bild(470, 60);
    rad = -1;
    Bild(60, 410);
    Bild(60, 410);
    const std::vector<std::pair<int32_t, int32_t>> soll = {{133, 2}, {132, -1}};
    EXPECT_EQ(rad_aufrufe, soll);
    // For half a second after a wheel step the mouse hovers nothing.
    EXPECT_EQ(Menue_Get_Aktuelles_Icon(), nullptr);
    Bild(60, 410, 0, 400);
    EXPECT_EQ(Menue_Get_Aktuelles_Icon(), nullptr);
    Bild(60, 410, 0, 100);
    Bild(60, 410);
    EXPECT_EQ(Menue_Get_Aktuelles_Icon(), &sonst);
}

int32_t kontext_aufrufe = 0;
std::vector<std::string> hilfen;

TEST_F(MenueEingabe, RightClickOpensTheContextProcedureAndEndsTheHoverWith0x28) {
    s_icon& k = *Icon(Knopf(140, 100, 100, 0, Aufzeichnen));
    k.typ |= ICON_TYP_MAUS_INFO;
    k.kontext = [](s_icon*) -> s_kontextmenue* {
        ++kontext_aufrufe;
        return nullptr;
    };
    Menue_Screen_Icon_Hinzufuegen(&k);
    kontext_aufrufe = 0;
    Bild(120, 110);
    Bild(120, 110, 2);
    Bild(120, 110, 2);   // held: the right button is locked
    Bild(120, 110, 0);
    EXPECT_EQ(kontext_aufrufe, 1);
    const std::vector<Ereignis> soll = {{140, EV_BETRETEN, 0}, {140, EV_VERLASSEN_KONTEXT, 0}, {140, EV_BETRETEN, 0}};
    EXPECT_EQ(ereignisse, soll);
}

TEST_F(MenueEingabe, HelpTextAppearsAfterASecondOfHover) {
    s_icon& oben = *Icon(Knopf(141, 100, 100, 0, Aufzeichnen));
    oben.hilfe = "Oben";
    s_icon& unten = *Icon(Knopf(142, 100, 550));
    unten.hilfe_proc = [](s_icon*) -> const char* { return "Unten"; };
    Menue_Screen_Icon_Hinzufuegen(&oben);
    Menue_Screen_Icon_Hinzufuegen(&unten);
    hilfen.clear();
    Menue_Hooks().hilfe_zeigen = [](const char* t, int32_t x, int32_t y) {
        hilfen.push_back(std::string(t) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    for (int n = 0; n < 11; ++n) Bild(120, 110, 0, 100);   // the hover began with the first: 1000 ms
    EXPECT_TRUE(hilfen.empty());
    Bild(120, 110, 0, 100);
    ASSERT_EQ(hilfen.size(), 1u);
    EXPECT_EQ(hilfen.back(), "Oben@120,110");
    hilfen.clear();
    for (int n = 0; n < 13; ++n) Bild(120, 560, 0, 100);
    ASSERT_FALSE(hilfen.empty());
    EXPECT_EQ(hilfen.back(), "Unten@100,510");   // low icons show their help above them
    // A click takes the help away: it told what the click does. It comes
    // back only once the pointer has left the icon and rested on it again.
    Bild(120, 110);
    Bild(120, 110);
    hilfen.clear();
    ereignisse.clear();
    Bild(120, 110, 1);
    Bild(120, 110, 0);
    ASSERT_EQ(ereignisse.size(), 1u) << "the click";
    for (int n = 0; n < 30; ++n) Bild(120, 110, 0, 100);
    EXPECT_TRUE(hilfen.empty()) << hilfen.size() << " after the click, " << (hilfen.empty() ? "" : hilfen.back());
    Bild(400, 300);
    for (int n = 0; n < 13; ++n) Bild(120, 110, 0, 100);
    ASSERT_FALSE(hilfen.empty());
    EXPECT_EQ(hilfen.back(), "Oben@120,110");
    Menue_Hooks().hilfe_option = [] { return uint8_t(0); };
    hilfen.clear();
    for (int n = 0; n < 13; ++n) Bild(120, 560, 0, 100);
    EXPECT_TRUE(hilfen.empty());
}

}  // namespace
}  // namespace velmora::test
