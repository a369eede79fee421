// tests/gui/icon_blit_test.cpp - the full redraw: pictures in their states,
// clip windows, text items, modal requesters over a darkened backdrop; the
// screen is compared with reviewed reference pictures.
#include "tests/gui/menue_welt.h"

#include <array>

namespace velmora::test {
namespace {

class MenueZeichnen : public MenueWelt {
protected:
    // Resource file 2 holds the requester's darkening picture as entry 331.
    void Abdunkeln_Bereitstellen() {
        std::vector<ResDateiEintrag> e;
        const uint8_t null = 0;
        for (int k = 0; k < 331; ++k) e.push_back(Res_Datenblock(&null, 1));
        Rastport* schwarz = Rastport_Create(800, 600, 16, 0, 0);
        Rastport_Fill(schwarz, 0, 0, -1, -1, 1, nullptr);
        e.push_back({14, Nalp(schwarz)});
        const std::string pfad = tmp / "dunkel.res";
        ASSERT_TRUE(Res_Schreiben(pfad.c_str(), e));
        dunkel_slot = Res_Open(pfad.c_str(), 0);
        ASSERT_GE(dunkel_slot, 0);
        Menue_Hooks().resourcen_slot = [](int32_t index) {
            return index == 1 ? slot : index == 2 ? dunkel_slot : -1;
        };
    }
    void TearDown() override {
        MenueWelt::TearDown();
        if (dunkel_slot >= 0) Res_Close(dunkel_slot);
        dunkel_slot = -1;
    }
    static inline int32_t dunkel_slot = -1;
    // The box of the white ink in 100..179 x y..y+29: x0, x1, y0, y1.
    std::array<int32_t, 4> Weiss_Kasten(int32_t y_oben) const {
        std::array<int32_t, 4> k = {9999, -1, 9999, -1};
        for (int y = y_oben; y < y_oben + 30; ++y)
            for (int x = 100; x < 180; ++x)
                if (Pixel(x, y) == 0xFFFF) k = {std::min(k[0], x), std::max(k[1], x), std::min(k[2], y), std::max(k[3], y)};
        return k;
    }
};

s_icon_text Text(const char* t, uint16_t flags, int16_t x = 0, int16_t y = 0) {
    s_icon_text i{};
    i.font = 0;
    i.flags = flags;
    i.farbe_an = Farbe(255, 255, 0);
    i.farbe_aus = Farbe(255, 255, 255);
    i.text = t;
    i.x = x;
    i.y = y;
    return i;
}

TEST_F(MenueZeichnen, IconStatesMatchTheReference) {
    s_icon_text texte[] = {Text("MITTE", 0x30), Text("AN", 0x30), Text("DRUCK", 0x30), Text("RECHTS", 0x80 | 0x20, -4),
                           Text(nullptr, 0x4, 600, 400)};
    texte[4].zahl = 42;
    texte[4].stellen = 5;
    s_icon& normal = *Icon(Knopf(300, 50, 50));
    s_icon& kreis = *Icon(Knopf(301, 200, 45));
    kreis.bild = BILD_KREIS;
    kreis.Status = ICON_ST_KEY;
    s_icon& gesperrt = *Icon(Knopf(302, 50, 120));
    gesperrt.Status = ICON_ST_GESPERRT;
    s_icon& halb = *Icon(Knopf(303, 200, 120));
    halb.Status = ICON_ST_HALB;
    s_icon& toggle = *Icon(Knopf(304, 50, 190));
    toggle.Status = ICON_ST_TOGGLE;
    toggle.bild_an = BILD_KNOPF_AN;
    s_icon& toggle_ohne = *Icon(Knopf(305, 200, 190));
    toggle_ohne.Status = ICON_ST_TOGGLE;
    toggle_ohne.typ |= ICON_TYP_TEXT;
    toggle_ohne.daten = &texte[1];
    s_icon& druck = *Icon(Knopf(306, 50, 260, 0, Aufzeichnen));
    druck.Status = ICON_ST_DRUCK;
    druck.typ |= ICON_TYP_TEXT;
    druck.daten = &texte[2];
    s_icon& aussen = *Icon(Knopf(307, 350, 50));
    aussen.clip_x1 = 400;
    s_icon& aussen_frei = *Icon(Knopf(308, 350, 120));
    aussen_frei.clip_x1 = 400;
    aussen_frei.Status = ICON_ST_UNGECLIPT;
    s_icon& versteckt = *Icon(Knopf(309, 350, 190));
    versteckt.Status = ICON_ST_VERSTECKT;
    s_icon& mitte = *Icon(Knopf(310, 50, 330));
    mitte.typ |= ICON_TYP_TEXT;
    mitte.daten = &texte[0];
    texte[0].next = &texte[3];
    s_icon& eigen = *Icon(Knopf(311, 200, 330));
    eigen.bild = -1;
    eigen.br = 60;
    eigen.ho = 40;
    eigen.farbe = Farbe(200, 60, 200);
    s_icon& schatten = *Icon(Knopf(312, 300, 330));
    schatten.bild = BILD_KREIS;
    schatten.Status = ICON_ST_KEY | ICON_ST_SCHATTEN;
    s_icon& zahl = *Icon(Knopf(313, 500, 400));
    zahl.bild = BILD_KLEIN;
    zahl.typ |= ICON_TYP_TEXT;
    zahl.daten = &texte[4];
    for (s_icon* i : {&normal, &kreis, &gesperrt, &halb, &toggle, &toggle_ohne, &druck, &aussen, &aussen_frei,
                      &versteckt, &mitte, &eigen, &schatten, &zahl})
        Menue_Screen_Icon_Hinzufuegen(i);
    zustand[304] = 1;
    zustand[305] = 1;
    Bild(60, 265);
    Bild(60, 265, 1);   // pressed: armed and drawn pressed
    Bild(60, 265, 1);
    ASSERT_EQ(Menue_Get_Gedrueckt(), &druck);

    const uint16_t hg_unter_druck = Pixel(52, 262);
    EXPECT_EQ(Pixel(55, 195), Farbe(40, 200, 40));       // toggle on: picture on
    EXPECT_EQ(Pixel(205, 195), Farbe(180, 180, 180));    // toggle on without picture on: the normal picture
    EXPECT_NE(hg_unter_druck, Farbe(180, 180, 180));     // pressed without pressed picture: no picture
    EXPECT_NE(Pixel(355, 55), Farbe(180, 180, 180));     // outside its clip window
    EXPECT_EQ(Pixel(355, 125), Farbe(180, 180, 180));    // outside, drawn anyway
    EXPECT_NE(Pixel(355, 195), Farbe(180, 180, 180));    // hidden
    EXPECT_EQ(Pixel(205, 335), Farbe(200, 60, 200));     // own Rastport
    EXPECT_EQ(Pixel(200, 45), Pixel(200, 46));           // keyed corner shows the background
    const std::string diff = Png_Vergleichen("menue_icons", Schirm_Rgb());
    EXPECT_EQ(diff, "");
}

TEST_F(MenueZeichnen, CentredTextSitsInTheMiddleOfItsIcon) {
    s_icon_text t = Text("ABCDE", 0x30);
    s_icon& i = *Icon(Knopf(320, 100, 100));
    i.typ |= ICON_TYP_TEXT;
    i.daten = &t;
    Menue_Screen_Icon_Hinzufuegen(&i);
    Menue_Set_Hintergrund(-1);
    Bild(700, 590);
    const auto [x0, x1, y0, y1] = Weiss_Kasten(100);
    // Five glyphs of 3 pixels with 1 pixel spacing: 20 pixels of advance, ink 19 wide.
    EXPECT_EQ(x0, 100 + 40 - 10);
    EXPECT_EQ(x1, x0 + 18);
    // The font is 12 rows high: the baseline lies at y + ho/2 - 1 + 6, ink rows 2..9 above it.
    const int32_t basis = 100 + 15 - 1 + 6 - 10;
    EXPECT_EQ(y0, basis + 2);
    EXPECT_EQ(y1, basis + 9);
}

TEST_F(MenueZeichnen, ShadowedAndBoldTextGetsBothPrints) {
    // The shadowed print stands one row up; the bold print and each further
    // print one column right. Shadowed text gets no final print.
    struct Fall {
        uint16_t flags;
        int32_t breite, oben, unten;   // ink width and rows below the baseline's top
    };
    const Fall faelle[] = {{0x1, 19, 1, 8}, {0x2, 20, 2, 9}, {0x3, 20, 1, 9}};
    std::vector<s_icon_text> texte;
    for (const Fall& f : faelle) texte.push_back(Text("ABCDE", uint16_t(0x30 | f.flags)));
    for (size_t k = 0; k < texte.size(); ++k) {
        s_icon& i = *Icon(Knopf(int16_t(320 + k), 100, int16_t(100 + 100 * k)));
        i.typ |= ICON_TYP_TEXT;
        i.daten = &texte[k];
        Menue_Screen_Icon_Hinzufuegen(&i);
    }
    Menue_Set_Hintergrund(-1);
    Schatten_Cache_Leeren();
    Bild(700, 590);
    for (size_t k = 0; k < texte.size(); ++k) {
        const int32_t y_icon = int32_t(100 + 100 * k);
        const auto [x0, x1, y0, y1] = Weiss_Kasten(y_icon);
        const int32_t basis = y_icon + 15 - 1 + 6 - 10;
        EXPECT_EQ(x0, 100 + 40 - 10) << faelle[k].flags;
        EXPECT_EQ(x1 - x0 + 1, faelle[k].breite) << faelle[k].flags;
        EXPECT_EQ(y0, basis + faelle[k].oben) << faelle[k].flags;
        EXPECT_EQ(y1, basis + faelle[k].unten) << faelle[k].flags;
    }
    Schatten_Cache_Leeren();
}

TEST_F(MenueZeichnen, ModalRequesterDrawsOnlyItsIconsOverTheDarkenedScreen) {
    Abdunkeln_Bereitstellen();
    s_icon& unten = *Icon(Knopf(330, 100, 100, 3, Aufzeichnen));
    s_icon& kreis = *Icon(Knopf(331, 300, 300, 3));
    kreis.bild = BILD_KREIS;
    kreis.Status = ICON_ST_KEY;
    Menue_Screen_Icon_Hinzufuegen(&unten);
    Menue_Screen_Icon_Hinzufuegen(&kreis);
    Bild(700, 590);
    const uint16_t vorher = Pixel(110, 110);
    s_icon& schirm_icon = *Icon(Knopf(332, 0, 0, 20));
    schirm_icon.typ |= ICON_TYP_HINTERGRUND | ICON_TYP_MODAL | ICON_TYP_PASSIV;
    s_icon& ja = *Icon(Knopf(333, 360, 285, 21, Aufzeichnen));
    ja.typ |= ICON_TYP_MODAL;
    Menue_Screen_Icon_Hinzufuegen(&schirm_icon);   // takes the screen as it is now
    Menue_Screen_Icon_Hinzufuegen(&ja);
    EXPECT_EQ(schirm_icon.br, 800);
    EXPECT_EQ(schirm_icon.bild, -1);
    ASSERT_NE(schirm_icon.rp, nullptr);
    // The button under the requester moves away: the backdrop keeps its old picture.
    unten.x = 500;
    Bild(700, 590);
    EXPECT_EQ(Menue_Get_Zustand_Byte(), 1);
    EXPECT_NE(Pixel(110, 110), vorher);                         // darkened
    EXPECT_NE(Pixel(510, 110), Farbe(180, 180, 180));           // not drawn while the requester stands
    EXPECT_EQ(Pixel(370, 290), Farbe(180, 180, 180));           // the requester's button
    EXPECT_EQ(Png_Vergleichen("menue_modal", Schirm_Rgb()), "");
    Menue_Screen_Icon_Loeschen(333, nullptr);
    Menue_Screen_Icon_Loeschen(332, nullptr);
    EXPECT_EQ(schirm_icon.rp, nullptr);
    Bild(700, 590);
    EXPECT_EQ(Menue_Get_Zustand_Byte(), 0);
    EXPECT_EQ(Pixel(510, 110), Farbe(180, 180, 180));
}

TEST_F(MenueZeichnen, MissingPicturesAreReportedAndSkipped) {
    s_icon& fehlt = *Icon(Knopf(340, 10, 10));
    fehlt.bild = 4040;
    s_icon& an_fehlt = *Icon(Knopf(341, 100, 10));
    an_fehlt.Status = ICON_ST_TOGGLE;
    an_fehlt.bild_an = 4041;
    zustand[341] = 1;
    Menue_Screen_Icon_Hinzufuegen(&fehlt);
    Menue_Screen_Icon_Hinzufuegen(&an_fehlt);
    Bild(700, 590);
    EXPECT_TRUE(Geloggt("Menue_Screen_Refresh: Kein Base-Icon fuer Screen-Icon Nr. 340 !"));
    EXPECT_TRUE(Geloggt("Menue_Icon_Blit: AN-RP==NULL!"));
    EXPECT_EQ(Pixel(105, 15), Farbe(180, 180, 180));
    int32_t a, b, c, d;
    Menue_Icon_Passgroesse_Ermitteln(&an_fehlt, &a, &b, &c, nullptr);
    EXPECT_TRUE(Geloggt("Menue_Icon_Passgroesse_Ermitteln: Parameter=NULL!"));
    an_fehlt.clip_x1 = 150;
    Menue_Icon_Passgroesse_Ermitteln(&an_fehlt, &a, &b, &c, &d);
    EXPECT_EQ(a, 100);
    EXPECT_EQ(b, 150);
    EXPECT_EQ(c, 10);
    EXPECT_EQ(d, 40);
}

}  // namespace
}  // namespace velmora::test
