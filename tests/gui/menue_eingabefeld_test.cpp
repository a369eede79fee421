// tests/gui/menue_eingabefeld_test.cpp - input fields: the rocker arithmetic
// on integers, words and floats, the choice of the rocker button in the click
// path with and without pictures, the highlight, and the input-field context
// menu with its item procedure; a lit rocker against a reviewed picture.
#include <climits>

#include "tests/gui/bedien_welt.h"

namespace velmora::test {
namespace {

// The middle of rocker button k of a field at x 0, by the horizontal rule.
constexpr int32_t KNOPF_MITTE[WIPPE_KNOEPFE] = {16, 30, 42, 62, 73, 89};

class Eingabefeld : public BedienWelt {
protected:
    void SetUp() override {
        BedienWelt::SetUp();
        ereignisse.clear();
    }
    s_icon* Feld(int16_t nummer, s_icon_wippe* w, IconMainP main = nullptr) {
        s_icon* i = Icon(Knopf(nummer, 300, 200, 3, main));
        i->bild = BILD_EINGABEFELD;
        i->typ |= ICON_TYP_EINGABE;
        i->daten = w;
        return i;
    }
    // An integer field over 0..maximum.
    static s_icon_wippe Ganzzahl(int32_t* wert, int32_t maximum, int32_t schritt = 1) {
        s_icon_wippe w;
        w.wert_i = wert;
        w.maximum = maximum;
        w.schritt = schritt;
        return w;
    }
    // One click: hover, press, release, with the buttons given.
    void Klicken(int32_t x, int32_t y, uint32_t knoepfe = 1) {
        Bild(x, y);
        Bild(x, y, knoepfe);
        Bild(x, y, 0);
    }
};

TEST_F(Eingabefeld, RockerStepsIntegersWordsAndFloatsWithinTheirBounds) {
    struct Fall {
        const char* name;
        char art;   // 'i' integer, 'w' word, 'f' float
        double wert;
        int32_t min, max, schritt, knopf;
        double ergebnis;
    } faelle[] = {
        {"20,000,001 + 1", 'i', 20000001, 0, 100000000, 1, 3, 20000002},
        {"20,000,001 - 1", 'i', 20000001, 0, 100000000, 1, 2, 20000000},
        {"16,777,217 + 10", 'i', 16777217, 0, 100000000, 1, 4, 16777227},
        {"50 below the maximum + 100", 'i', 950, 0, 1000, 1, 5, 1000},
        {"below the minimum - 100", 'i', 30, 0, 1000, 1, 0, 0},
        {"past the 32-bit range", 'i', 2000000000, 0, INT_MAX, 100000000, 5, INT_MAX},
        {"below the 32-bit range", 'i', -2000000000, INT_MIN, 0, 100000000, 0, INT_MIN},
        {"word 65,535 + 1, max 70,000", 'w', 65535, 0, 70000, 1, 3, 65535},
        {"word 65,535 + 1, max 65,535", 'w', 65535, 0, 65535, 1, 3, 65535},
        {"word 65,000 + 1000", 'w', 65000, 0, 70000, 10, 5, 65535},
        {"word 5 - 100, min -50", 'w', 5, -50, 100, 1, 0, 0},
        {"word 300 - 10", 'w', 300, 0, 1000, 1, 1, 290},
        {"float 2.5 - 1", 'f', 2.5, 0, 10, 1, 2, 1.5},
        {"float 9.5 + 10", 'f', 9.5, 0, 10, 1, 4, 10},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        int32_t wi = f.art == 'i' ? int32_t(f.wert) : 0;
        uint16_t ww = f.art == 'w' ? uint16_t(f.wert) : 0;
        float wf = f.art == 'f' ? float(f.wert) : 0;
        s_icon_wippe w;
        if (f.art == 'i') w.wert_i = &wi;
        if (f.art == 'w') w.wert_w = &ww;
        if (f.art == 'f') w.wert_f = &wf;
        w.minimum = f.min;
        w.maximum = f.max;
        w.schritt = f.schritt;
        s_icon i = Knopf(500, 0, 0);
        i.typ |= ICON_TYP_EINGABE;
        i.daten = &w;
        Plat_Headless_Maus(KNOPF_MITTE[f.knopf], 30, 0);
        Menue_Universaler_Wippe_Weiterschalter(&i, EV_LINKS | (f.knopf < 3 ? WIPPE_SENKEN : WIPPE_HEBEN));
        const double ist = f.art == 'i' ? double(wi) : f.art == 'w' ? double(ww) : double(wf);
        EXPECT_DOUBLE_EQ(ist, f.art == 'f' ? double(float(f.ergebnis)) : f.ergebnis);
    }
    Menue_Universaler_Wippe_Weiterschalter(nullptr, EV_LINKS | WIPPE_HEBEN);
    EXPECT_TRUE(Geloggt("Menue_Universaler_Wippe_Weiterschalter: NULL-Pointer!"));
    s_icon_wippe leer;
    s_icon i = Knopf(501, 0, 0);
    i.typ |= ICON_TYP_EINGABE;
    i.daten = &leer;
    Menue_Universaler_Wippe_Weiterschalter(&i, EV_LINKS | WIPPE_HEBEN);
    EXPECT_TRUE(Geloggt("Menue_Universaler_Wippe_Weiterschalter: Kein Wert!"));
}

TEST_F(Eingabefeld, ClickWithoutPicturesStepsByTheNearestHalfAtOnce) {
    int32_t wert = 500;
    s_icon_wippe w = Ganzzahl(&wert, 1000);
    s_icon& f = *Feld(510, &w, Aufzeichnen);
    f.typ |= ICON_TYP_WIPPE_SELBST;
    Menue_Screen_Icon_Hinzufuegen(&f);
    EXPECT_EQ(f.kontext, Menue_Kontext_Eingabefeld_Menue);
    EXPECT_EQ(w.vorgabe_i, 500);
    struct Schritt {
        int32_t knopf, wert_gedrueckt;
        int32_t ereignis;
    } schritte[] = {{5, 600, EV_LINKS | WIPPE_HEBEN},
                    {0, 500, EV_LINKS | WIPPE_SENKEN},
                    {3, 501, EV_LINKS | WIPPE_HEBEN},
                    {1, 491, EV_LINKS | WIPPE_SENKEN}};
    for (const Schritt& s : schritte) {
        ereignisse.clear();
        const int32_t x = 300 + KNOPF_MITTE[s.knopf];
        Bild(x, 228);
        Bild(x, 228, 1);           // pressed: the framework steps the value at once
        EXPECT_EQ(wert, s.wert_gedrueckt) << s.knopf;
        EXPECT_EQ(f.d2, WIPPE_HERVORGEHOBEN);
        Bild(x, 228, 1);
        Bild(x, 228, 0);           // released: the field's procedure gets the half
        EXPECT_EQ(wert, s.wert_gedrueckt) << s.knopf;
        EXPECT_EQ(ereignisse, (std::vector<Ereignis>{{510, s.ereignis, 0}})) << s.knopf;
    }
    // A frame over the field without the button ends the highlight.
    Bild(300 + KNOPF_MITTE[1], 228);
    Bild(700, 590);
    EXPECT_EQ(f.d2, 0);
    EXPECT_FALSE(Geloggt("found_eingabefeld_button_nr==NIX!"));
    EXPECT_FALSE(Geloggt("Wippe: Slave_Rp==NULL!"));
    // A right click asks the context procedure and changes nothing.
    ereignisse.clear();
    Klicken(300 + KNOPF_MITTE[5], 228, 2);
    EXPECT_EQ(wert, 491);
    EXPECT_TRUE(ereignisse.empty());
}

TEST_F(Eingabefeld, ClickWithPicturesLightsTheButtonWhosePictureIsNearest) {
    int32_t wert = 500;
    s_icon_wippe w = Ganzzahl(&wert, 1000);
    for (int k = 0; k < WIPPE_KNOEPFE; ++k) w.knopf_bild[k] = int16_t(BILD_WIPPE_LICHT);
    w.knopf_bild[0] = 20040;   // a picture the file does not hold: that button drops out
    s_icon& f = *Feld(520, &w, Aufzeichnen);
    f.typ |= ICON_TYP_WIPPE_SELBST;
    Menue_Screen_Icon_Hinzufuegen(&f);
    Bild(374, 230);
    Bild(374, 230, 1);   // the middle of button 4's picture
    EXPECT_EQ(Pixel(370, 227), Farbe(255, 140, 0));
    EXPECT_EQ(wert, 510);
    Bild(374, 230, 0);
    EXPECT_EQ(ereignisse, (std::vector<Ereignis>{{520, EV_LINKS | WIPPE_HEBEN, 0}}));
    Bild(374, 230);
    Bild(374, 230);
    EXPECT_EQ(f.d2, 0);   // hovered again without the left button: the highlight ends
    EXPECT_NE(Pixel(370, 227), Farbe(255, 140, 0));   // the next redraw shows the field as it is
    // Near button 0, whose picture is missing, button 1 is the nearest picture.
    Klicken(300 + 12, 226);
    EXPECT_TRUE(Geloggt("Wippe: Slave_Rp==NULL!"));
    EXPECT_EQ(wert, 410);   // the rocker's own rule steps by button 0's 100
    EXPECT_EQ(f.d2, WIPPE_HERVORGEHOBEN);
    Bild(312, 226);
    Bild(312, 226);
    EXPECT_EQ(f.d2, 0);
}

TEST_F(Eingabefeld, ContextMenuOffersRoundedValuesBetweenTheBounds) {
    int32_t wert = 123456;
    s_icon_wippe w = Ganzzahl(&wert, 1000000, 1000);
    s_icon& f = *Feld(530, &w, Aufzeichnen);
    Menue_Screen_Icon_Hinzufuegen(&f);
    s_kontextmenue* m = Menue_Kontext_Eingabefeld_Menue(&f);
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ(m->titel, "Eingabefeld \xe4ndern:");
    const std::vector<std::string> soll = {"Zur\xfc" "cksetzen auf Vorgabewert", "Zur\xfc" "cksetzen auf Minimalwert",
                                           "Zur\xfc" "cksetzen auf Maximalwert", "Setzen auf 200000",
                                           "Setzen auf 400000", "Setzen auf 600000", "Setzen auf 800000"};
    std::vector<std::string> texte;
    for (int k = 0; k < KONTEXT_EINTRAEGE && m->text[k]; ++k) texte.push_back(m->text[k]);
    EXPECT_EQ(texte, soll);
    EXPECT_EQ(m->wert[3], 200000);
    EXPECT_EQ(m->wert[6], 800000);
    EXPECT_EQ(m->status[2], 1 | 0x2);
    EXPECT_EQ(m->icon[5], 530);
    EXPECT_EQ(m->proc[4], Menue_Kontext_Eingabefeld_Jump_Call);
    // Step 1: the three resets only.
    w.schritt = 1;
    m = Menue_Kontext_Eingabefeld_Menue(&f);
    EXPECT_EQ(m->text[3], nullptr);
    EXPECT_EQ(m->status[2], 1);
    Menue_Init_Kontextmenue(m, "x", 1, -1, nullptr);
    EXPECT_TRUE(Geloggt("Menue_Init_Kontextmenue: default_status: falscher Wert!"));
    EXPECT_EQ(m->status[0], 0);
}

TEST_F(Eingabefeld, ContextItemsSetTheValueWithinTheBounds) {
    int32_t wert = 4711;
    uint16_t wort = 60000;
    s_icon_wippe w, ww;
    w.wert_i = &wert;
    w.minimum = 100;
    w.maximum = 1000000;
    ww.wert_w = &wort;
    ww.maximum = 70000;
    s_icon& f = *Feld(540, &w, Aufzeichnen);
    s_icon& g = *Feld(541, &ww, Menue_Universaler_Wippe_Weiterschalter);
    g.x = 500;
    Menue_Screen_Icon_Hinzufuegen(&f);
    Menue_Screen_Icon_Hinzufuegen(&g);
    wert = 0;
    struct Fall {
        int32_t item, nummer, wert, ergebnis, antwort;
    } faelle[] = {
        {0, 540, 0, 4711, 1},         // the value when the field was added
        {1, 540, 0, 100, 1},
        {2, 540, 0, 1000000, 1},
        {3, 540, 400000, 400000, 1},
        {5, 540, 5000000, 1000000, 1},   // beyond the maximum: the maximum
        {7, 540, -9, 100, 1},
        {8, 540, 5, 100, 0},
        {-1, 540, 5, 100, 0},
        {2, 541, 0, 65535, 1},        // a word's maximum above its range
        {0, 541, 0, 60000, 1},
        {3, 541, 99999, 65535, 1},
        {1, 999, 0, 100, 0},          // a number without input field
    };
    for (const Fall& c : faelle) {
        ereignisse.clear();
        EXPECT_EQ(Menue_Kontext_Eingabefeld_Jump_Call(c.item, c.nummer, c.wert), c.antwort) << c.item;
        EXPECT_EQ(c.nummer == 541 ? int32_t(wort) : wert, c.ergebnis) << c.item << "/" << c.nummer;
        // The field's own procedure hears of it; the rocker as procedure does not.
        const size_t gemeldet = c.antwort && c.nummer == 540 ? 1 : 0;
        ASSERT_EQ(ereignisse.size(), gemeldet) << c.item;
        if (gemeldet) {
            EXPECT_EQ(ereignisse[0], (Ereignis{540, EV_WERT_GESETZT, 0}));
        }
    }
    EXPECT_TRUE(Geloggt("Menue_Kontext_Eingabefeld_Jump_Call: item/icon-error!"));
}

TEST_F(Eingabefeld, LitRockerMatchesTheReference) {
    int32_t wert = 250;
    s_icon_wippe w = Ganzzahl(&wert, 10000, 5);
    for (int k = 0; k < WIPPE_KNOEPFE; ++k) w.knopf_bild[k] = int16_t(BILD_WIPPE_LICHT);
    s_icon_text t;
    t.flags = 0x10;
    t.y = 6;
    t.farbe_aus = Farbe(255, 255, 255);
    t.stellen = 5;
    s_icon& f = *Feld(550, &w, Aufzeichnen);
    f.typ |= ICON_TYP_WIPPE_SELBST;
    Menue_Screen_Icon_Hinzufuegen(&f);
    // The field's data is its rocker; a text icon above it shows the value.
    s_icon& zahl = *Icon(Knopf(551, 300, 150));
    zahl.typ |= ICON_TYP_TEXT;
    zahl.daten = &t;
    t.update = [](s_icon*, s_icon_text* x) {
        x->zahl = *static_cast<s_icon_wippe*>(Menue_Screen_Icon_Aus_Nummer(550)->daten)->wert_i;
    };
    Menue_Screen_Icon_Hinzufuegen(&zahl);
    Bild(388, 228);
    Bild(388, 228, 1);   // button 5 lit, the value raised by 100 steps of 5
    EXPECT_EQ(wert, 750);
    EXPECT_EQ(Png_Vergleichen("menue_wippe", Schirm_Rgb()), "");
    Bild(388, 228, 0);
}

}  // namespace
}  // namespace velmora::test
