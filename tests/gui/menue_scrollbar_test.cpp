// tests/gui/menue_scrollbar_test.cpp - scroll bars: the bar position from a
// stored coordinate, the track click, the drag of the button, the wheel, the
// visibility by positions, the caching caller and the scroll screen, driven
// by the headless mouse; the bars' screen against a reviewed picture.
#include "tests/gui/bedien_welt.h"

namespace velmora::test {
namespace {

class Scrollbalken : public BedienWelt {};

TEST_F(Scrollbalken, StoredCoordinateGivesAPositionOfTheBar) {
    struct Fall {
        const char* name;
        bool senkrecht;
        int16_t min, max, positionen;
        int32_t gespeichert;
        int32_t koordinate, position;
    } faelle[] = {
        {"top", true, 149, 311, 9, 149, 149, 0},
        {"bottom", true, 149, 311, 9, 311, 311, 8},
        {"middle", true, 149, 311, 9, 230, 230, 4},
        {"past max", true, 149, 311, 9, 5000, 311, 8},
        {"below min", true, 149, 311, 9, 0, 149, 0},
        {"negative", true, 149, 311, 9, -70000, 149, 0},
        {"max = min", true, 149, 149, 9, 149, 149, 0},
        {"max = min, stored past", true, 149, 149, 9, 400, 149, 0},
        {"one position", true, 149, 311, 1, 311, 311, 0},
        {"horizontal past max", false, 100, 260, 5, 999, 260, 4},
        {"horizontal middle", false, 100, 260, 5, 180, 180, 2},
    };
    int16_t n = 400;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        s_icon *track, *knopf;
        if (f.senkrecht)
            Senkrechter_Balken(n, int16_t(n + 1), 600, f.min, f.max, f.positionen, track, knopf);
        else
            Waagerechter_Balken(n, int16_t(n + 1), f.min, f.max, 500, f.positionen, track, knopf);
        zustand[n + 1] = f.gespeichert;
        Menue_Screen_Icon_Hinzufuegen(track);
        Menue_Screen_Icon_Hinzufuegen(knopf);
        EXPECT_EQ(f.senkrecht ? knopf->y : knopf->x, f.koordinate);
        const int32_t pos = Menue_Abs_Balkenpos(knopf);
        EXPECT_EQ(pos, f.position);
        EXPECT_GE(pos, 0);
        EXPECT_LE(pos, std::max<int32_t>(0, f.positionen - 1));
        n = int16_t(n + 2);
    }
    EXPECT_EQ(Menue_Abs_Balkenpos(nullptr), -1);
    s_icon& ohne = *Icon(Knopf(450, 0, 0));
    ohne.typ |= ICON_TYP_SCROLLBUTTON;
    EXPECT_EQ(Menue_Abs_Balkenpos(&ohne), -1);
    EXPECT_EQ(Anzahl_Geloggt("Menue_Abs_Balkenpos: sc=NULL!"), 2);
}

TEST_F(Scrollbalken, TrackClickJumpsTheButtonAndReturns1) {
    s_icon *track, *knopf;
    Senkrechter_Balken(410, 411, 600, 149, 311, 9, track, knopf);
    track->Status = ICON_ST_WIEDERHOLEN;   // a held track keeps jumping
    Menue_Screen_Icon_Hinzufuegen(track);
    Menue_Screen_Icon_Hinzufuegen(knopf);
    struct Fall {
        int32_t maus_y, knopf_y, position;
    } faelle[] = {{346, 311, 8}, {245, 230, 4}, {148, 149, 0}, {200, 185, 1}};
    for (const Fall& f : faelle) {
        Bild(610, f.maus_y);   // over the track, away from the button: the old hover ends,
        Bild(610, f.maus_y);   // then the track is hovered
        balken_aufrufe.clear();
        Plat_Headless_Maus(610, f.maus_y, 1);
        Menue_Screen_Refresh();
        EXPECT_EQ(Menue_Icons_Check(), 1) << f.maus_y;
        Bild(610, f.maus_y, 0);
        EXPECT_EQ(knopf->y, f.knopf_y);
        EXPECT_EQ(knopf->x, 600);
        EXPECT_EQ(zustand[411], f.knopf_y);   // the manager's state holds the coordinate
        ASSERT_FALSE(balken_aufrufe.empty());
        EXPECT_EQ(balken_aufrufe[0], (BalkenAufruf{411, f.position, SCROLL_GESETZT})) << f.maus_y;
    }
    Menue_Scrollbar_Klick(nullptr, EV_LINKS);
    EXPECT_TRUE(Geloggt("Menue_Scrollbar_Klick: icon=NULL!"));
}

TEST_F(Scrollbalken, DragCallsWith0ThenWith0x4000000AndKeepsTheFixedAxis) {
    s_icon *track, *knopf;
    Senkrechter_Balken(420, 421, 600, 149, 311, 9, track, knopf);
    Menue_Screen_Icon_Hinzufuegen(track);
    Menue_Screen_Icon_Hinzufuegen(knopf);
    Bild(610, 160);   // the first redraw reports the position
    EXPECT_EQ(balken_aufrufe, (std::vector<BalkenAufruf>{{421, 0, SCROLL_REFRESH}}));
    balken_aufrufe.clear();
    Bild(610, 160, 1);       // pressed: pending
    Bild(612, 170, 1);       // moved: the drag starts
    ASSERT_EQ(Menue_Get_Maus_Ereignis(), knopf);
    Bild(650, 240, 1);       // sideways and down: the button stays on its track
    EXPECT_EQ(knopf->x, 600);
    EXPECT_EQ(knopf->y, 149 + 70);
    EXPECT_EQ(zustand[421], 149 + 70);
    EXPECT_TRUE(knopf->Status & ICON_ST_VERSTECKT);
    Bild(650, 240, 1);       // no change: no call
    Bild(700, 900, 1);       // far past the end: clamped
    EXPECT_EQ(knopf->y, 311);
    Bild(700, 900, 0);       // released
    EXPECT_EQ(Menue_Get_Maus_Ereignis(), nullptr);
    EXPECT_FALSE(knopf->Status & ICON_ST_VERSTECKT);
    const std::vector<BalkenAufruf> soll = {{421, 3, SCROLL_ZIEHEN},
                                            {421, 8, SCROLL_ZIEHEN},
                                            {421, 8, SCROLL_GESETZT}};
    EXPECT_EQ(balken_aufrufe, soll);
    EXPECT_FALSE(Geloggt("Moven: Scrollbutton-Pos falsch!"));
    // The next redraws repeat nothing.
    Bild(700, 590);
    Bild(700, 590);
    EXPECT_EQ(balken_aufrufe.size(), soll.size());
}

// The caching caller drops a repeated (procedure, value) pair, but not across
// screens: once the screen is cleared the same pair is reported again.
TEST_F(Scrollbalken, TheCachingCallerForgetsItsPairWithTheScreen) {
    s_icon* knopf = Icon(Knopf(470, 0, 0));
    struct Schritt {
        int32_t wert;
        bool loeschen;   // the screen cleared before the call
        size_t aufrufe;  // calls recorded after it
    } schritte[] = {{0, false, 1}, {0, false, 1}, {1, false, 2}, {1, true, 3}, {1, false, 3}, {1, true, 4}};
    for (const Schritt& s : schritte) {
        if (s.loeschen) Menue_Alles_Loeschen();
        Menue_Scrollbar_Aufrufen(Balken_Aufzeichnen, knopf, s.wert, SCROLL_REFRESH);
        EXPECT_EQ(balken_aufrufe.size(), s.aufrufe) << s.wert << (s.loeschen ? " after clearing" : "");
    }
}

TEST_F(Scrollbalken, WheelMovesTheBarNearestToTheMouse) {
    s_icon *track_a, *knopf_a, *track_b, *knopf_b;
    Senkrechter_Balken(430, 431, 100, 149, 311, 9, track_a, knopf_a);
    Senkrechter_Balken(432, 433, 500, 149, 311, 9, track_b, knopf_b);
    for (s_icon* i : {track_a, knopf_a, track_b, knopf_b}) Menue_Screen_Icon_Hinzufuegen(i);
    Bild(450, 250);
    balken_aufrufe.clear();
    rad = 2;                  // two steps towards the user: down
    Bild(450, 250);
    EXPECT_EQ(knopf_b->y, 149 + 40);   // (311 - 149) / 9 + 2 = 20 pixels a step
    EXPECT_EQ(knopf_a->y, 149);
    EXPECT_EQ(zustand[433], 189);
    rad = 3;
    Bild(150, 250, 0, 600);
    EXPECT_EQ(knopf_a->y, 149 + 60);
    EXPECT_EQ(knopf_b->y, 189);
    rad = -5;                 // up, past the top: clamped
    Bild(150, 250, 0, 600);
    EXPECT_EQ(knopf_a->y, 149);
    const std::vector<BalkenAufruf> soll = {{433, 1, SCROLL_GESETZT}, {431, 2, SCROLL_GESETZT}, {431, 0, SCROLL_GESETZT}};
    std::vector<BalkenAufruf> ohne_refresh;
    for (const BalkenAufruf& a : balken_aufrufe)
        if (a.flag != SCROLL_REFRESH) ohne_refresh.push_back(a);
    EXPECT_EQ(ohne_refresh, soll);
}

TEST_F(Scrollbalken, BarWithFewerThanTwoPositionsIsHiddenWithItsTrackAndIgnoresTheWheel) {
    s_icon *track, *knopf;
    Senkrechter_Balken(440, 441, 300, 149, 311, 9, track, knopf);
    Menue_Screen_Icon_Hinzufuegen(track);
    Menue_Screen_Icon_Hinzufuegen(knopf);
    Bild(310, 250);
    EXPECT_EQ(Pixel(305, 200), Farbe(50, 50, 70));
    Sc(knopf)->positionen = 1;
    balken_aufrufe.clear();
    rad = 2;
    Bild(310, 250, 0, 600);
    EXPECT_TRUE(knopf->Status & ICON_ST_VERSTECKT);
    EXPECT_TRUE(track->Status & ICON_ST_VERSTECKT);
    EXPECT_NE(Pixel(305, 200), Farbe(50, 50, 70));   // hidden in the same frame
    EXPECT_EQ(knopf->y, 149);
    EXPECT_TRUE(balken_aufrufe.empty());
    // Called directly, a bar without positions does not move either.
    Menue_Scrollbar_Klick_Ausfuehren(knopf, 3);
    EXPECT_EQ(knopf->y, 149);
    Sc(knopf)->positionen = 4;
    Bild(310, 250);
    EXPECT_FALSE(knopf->Status & ICON_ST_VERSTECKT);
    EXPECT_FALSE(track->Status & ICON_ST_VERSTECKT);
}

TEST_F(Scrollbalken, CachingCallerRunsAProcedureOnceForTheSameValue) {
    s_icon& i = *Icon(Knopf(442, 0, 0));
    Menue_Scrollbar_Aufrufen(Balken_Aufzeichnen, &i, 3, 0);
    Menue_Scrollbar_Aufrufen(Balken_Aufzeichnen, &i, 3, SCROLL_GESETZT);
    Menue_Scrollbar_Aufrufen(Balken_Aufzeichnen, &i, 4, 0);
    Menue_Scrollbar_Aufrufen(Balken_Aufzeichnen, &i, 3, 0);
    Menue_Scrollbar_Aufrufen(nullptr, &i, 5, 0);
    const std::vector<BalkenAufruf> soll = {{442, 3, 0}, {442, 4, 0}, {442, 3, 0}};
    EXPECT_EQ(balken_aufrufe, soll);
}

TEST_F(Scrollbalken, AreaClearKillsTheActiveScrollScreenUnlessMode8) {
    Scrollscreen* ss = Menue_Get_Scrollscreen(0);
    ASSERT_NE(ss, nullptr);
    EXPECT_EQ(Menue_Get_Scrollscreen(1), nullptr);
    EXPECT_TRUE(Geloggt("Menue_Get_Scrollscreen: nr falsch!"));
    s_icon *track, *knopf;
    Senkrechter_Balken(460, 461, 160, 130, 290, 6, track, knopf);
    ss->scrollbutton = 461;
    s_icon& zeile = *Icon(Knopf(462, 10, 130));
    zeile.scrollscreen = 0;
    zeile.Status = ICON_ST_SCROLLSCREEN;
    s_icon& draussen = *Icon(Knopf(463, 600, 500));
    for (s_icon* i : {track, knopf, &zeile, &draussen}) Menue_Screen_Icon_Hinzufuegen(i);
    // Inactive: an area clear leaves the scroll screen's bar alone.
    Menue_Screen_Bereich_Loeschen(0, 0, 0, 5, 200);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(461));
    ASSERT_NE(Menue_Screen_Icon_Scroll_Bitmap(0), nullptr);
    Menue_Screen_Bereich_Loeschen(8, 0, 0, 5, 200);   // meets the window at (1, 124), mode 8
    EXPECT_NE(ss->bitmap, nullptr);
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(461));
    Menue_Screen_Bereich_Loeschen(0, 0, 0, 5, 200);
    EXPECT_EQ(ss->bitmap, nullptr);
    for (int32_t n : {460, 461, 462}) EXPECT_FALSE(Menue_Screen_Icon_Ist_Vorhanden(n)) << n;
    EXPECT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(463));
    // A rectangle that misses the window, or with mode 2 does not hold it, keeps it.
    ASSERT_NE(Menue_Screen_Icon_Scroll_Bitmap(0), nullptr);
    Menue_Screen_Bereich_Loeschen(0, 300, 0, 400, 100);
    Menue_Screen_Bereich_Loeschen(2, 0, 0, 100, 600);
    EXPECT_NE(ss->bitmap, nullptr);
    Menue_Kill_Scrollscreen(3);
    EXPECT_TRUE(Geloggt("Menue_Kill_Scrollscreen: nr falsch!"));
}

TEST_F(Scrollbalken, ScrollScreenDrawsItsWindowAndMovesItsIconsByTheScroll) {
    Scrollscreen* ss = Menue_Get_Scrollscreen(0);
    s_icon& zeile = *Icon(Knopf(470, 20, 200));
    zeile.scrollscreen = 0;
    zeile.Status = ICON_ST_SCROLLSCREEN;
    Menue_Screen_Icon_Hinzufuegen(&zeile);
    Rastport* inhalt = Menue_Screen_Icon_Scroll_Bitmap(0);
    ASSERT_NE(inhalt, nullptr);
    int32_t x = 0, y = 0;
    EXPECT_EQ(Menue_Blit_Rastport(&zeile, &x, &y), inhalt);
    EXPECT_EQ(x, 20 - 1);
    EXPECT_EQ(y, 200 - 124);
    Bild(700, 590);   // the icon is drawn into the content and the window onto the screen
    EXPECT_EQ(Pixel(25, 205), Farbe(180, 180, 180));
    ss->position = 40;
    Menue_Universale_Scroll_Blit_Prozedur(0, 0);
    EXPECT_EQ(zeile.y, 200 - 40);
    Menue_Universale_Scroll_Blit_Prozedur(0, 0);
    EXPECT_EQ(zeile.y, 160);
    Menue_Dynamischen_Scrollbar_Korrigieren(nullptr);
    EXPECT_TRUE(Geloggt("Menue_Dynamischen_Scrollbar_Korrigieren: ss==NULL"));
    Menue_Universale_Scroll_Blit_Prozedur(1, 0);
    EXPECT_TRUE(Geloggt("pseudonr ungültig!"));
    Menue_Blit_Rastport(nullptr, &x, &y);
    EXPECT_TRUE(Geloggt("Menue_Blit_Rastport: x||y||s_icon==NULL!"));
}

// Shows the bar position of its button as the icon's number.
void Position_Zeigen(s_icon* icon, s_icon_text* t) {
    t->zahl = Menue_Abs_Balkenpos(Menue_Screen_Icon_Aus_Nummer(int16_t(icon->d)));
}

TEST_F(Scrollbalken, BarsMatchTheReference) {
    s_icon *track_a, *knopf_a, *track_b, *knopf_b;
    Senkrechter_Balken(480, 481, 500, 100, 260, 9, track_a, knopf_a);
    Waagerechter_Balken(482, 483, 150, 310, 400, 5, track_b, knopf_b);
    zustand[483] = 9999;   // a stored coordinate far past the end
    s_icon_text texte[2];
    for (int k = 0; k < 2; ++k) {
        texte[k].flags = 0x30;
        texte[k].farbe_aus = Farbe(255, 255, 255);
        texte[k].stellen = 2;
        texte[k].update = Position_Zeigen;
    }
    s_icon& zahl_a = *Icon(Knopf(484, 560, 170));
    s_icon& zahl_b = *Icon(Knopf(485, 360, 395));
    for (int k = 0; k < 2; ++k) {
        s_icon& z = k ? zahl_b : zahl_a;
        z.bild = BILD_KLEIN;
        z.typ |= ICON_TYP_TEXT;
        z.daten = &texte[k];
        z.d = k ? 483 : 481;
    }
    for (s_icon* i : {track_a, knopf_a, track_b, knopf_b, &zahl_a, &zahl_b}) Menue_Screen_Icon_Hinzufuegen(i);
    Bild(510, 110);
    Bild(510, 110, 1);
    Bild(512, 120, 1);
    Bild(512, 195, 1);
    Bild(512, 195, 0);
    Bild(700, 590);
    EXPECT_EQ(knopf_a->y, 175);
    EXPECT_EQ(knopf_b->x, 310);
    EXPECT_EQ(texte[0].zahl, 3);
    EXPECT_EQ(texte[1].zahl, 4);
    EXPECT_EQ(Png_Vergleichen("menue_scrollbalken", Schirm_Rgb()), "");
}

}  // namespace
}  // namespace velmora::test
