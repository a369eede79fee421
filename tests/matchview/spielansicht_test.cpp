// tests/matchview/spielansicht_test.cpp - the match views: the projection,
// the direction index, the camera and the turning rules; the type-66 entries
// written and read back, damaged ones refused; and live matches of a
// generated world drawn in one to four views against reviewed pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <limits>
#include <memory>
#include <set>

#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "core/rnd.h"
#include "bilder/trikot.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "core/text.h"
#include "core/res.h"
#include "gfx/colour.h"
#include "gfx/font.h"
#include "gfx/text_pruefung.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "match/record/spielfeld_sync.h"
#include "match/day/spieltag.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/anzeigetafel.h"
#include "matchview/kommentar.h"
#include "matchview/spielansicht.h"
#include "matchview/spielansicht_ersatz.h"
#include "matchview/spielansicht_figuren.h"
#include "matchview/spielansicht_geometrie.h"
#include "platform/display.h"
#include "shell/maus.h"
#include "season/wettbewerb.h"
#include "tests/bilder/bild_support.h"
#include "tests/match/spieltag_welt.h"
#include "tests/support/png.h"

namespace velmora::test {
namespace {

TEST(SpielansichtGeometrie, ProjectsCornersCentreMirrorAndHeight) {
    struct Fall {
        float x, y, z;
        bool halb, gespiegelt;
        int32_t px, py;
    };
    const Fall faelle[] = {
        {0, 6806, 0, false, false, 102, 422},     {0, 0, 0, false, false, 1418, 93},
        {10800, 0, 0, false, false, 3498, 613},   {10800, 6806, 0, false, false, 2182, 942},
        // The centre is the middle of the four corners.
        {5400, 3403, 0, false, false, 1800, 518}, {5400, 3403, 0, true, false, 900, 259},
        // Mirrored: x = 0 lies where x = 10800 lies, reflected about x = 1805.
        {0, 0, 0, false, true, 3610 - 3498, 613}, {10800, 6806, 0, false, true, 3610 - 102, 422},
        // One metre up lifts a point by 19.3 pixels (517.5 to 498.2).
        {5400, 3403, 100, false, false, 1800, 498}, {0, 0, 200, false, false, 1418, 93 - 39},
        // No number counts as 0.
        {std::numeric_limits<float>::quiet_NaN(), 0, 0, false, false, 1418, 93},
    };
    for (const Fall& f : faelle) {
        const AnsichtPunkt p = Spielansicht_Projektion(f.x, f.y, f.z, f.halb, f.gespiegelt);
        EXPECT_EQ(p.x, f.px) << f.x << "," << f.y << "," << f.z << " halb " << f.halb << " spiegel " << f.gespiegelt;
        EXPECT_EQ(p.y, f.py) << f.x << "," << f.y << "," << f.z;
    }
    const AnsichtPunkt weit = Spielansicht_Projektion(1e30f, -1e30f, 1e30f, false, false);
    EXPECT_LT(std::abs(weit.x), 100000);
    EXPECT_LT(std::abs(weit.y), 100000);
}

TEST(SpielansichtGeometrie, DirectionIndexEveryBranch) {
    struct Fall {
        int32_t dx, dy, r;
    };
    const Fall faelle[] = {
        {0, 0, 4},    {5, 0, 4},    {-5, 0, 12},  {0, 5, 8},    {0, -5, 0},
        // dx > 0, dy > 0: atan in centiradians 0.23 -> 4, 0.63 -> 5, 0.91 -> 6, 1.28 -> 7, 1.3+ -> 8
        {100, 23, 4}, {100, 70, 5}, {100, 125, 6}, {100, 300, 7}, {100, 400, 8},
        {100, -23, 4}, {100, -70, 3}, {100, -125, 2}, {100, -300, 1}, {100, -400, 0},
        {-100, 23, 12}, {-100, 70, 11}, {-100, 125, 10}, {-100, 300, 9}, {-100, 400, 8},
        {-100, -23, 12}, {-100, -70, 13}, {-100, -125, 14}, {-100, -300, 15}, {-100, -400, 0},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Spielansicht_Richtung16(10, 10, 10 + f.dx, 10 + f.dy), f.r) << f.dx << "," << f.dy;
}

TEST(SpielansichtGeometrie, TurningTakesTheShorterWayOneStepAtATime) {
    struct Fall {
        int32_t gezeigt, gewollt, r;
    };
    const Fall faelle[] = {{255, 7, 7}, {3, 3, 3}, {0, 8, 15}, {4, 12, 3}, {0, 3, 1}, {0, 13, 15}, {15, 1, 0}, {14, 10, 13}};
    for (const Fall& f : faelle) EXPECT_EQ(Spielansicht_Drehen(f.gezeigt, f.gewollt), f.r) << f.gezeigt << "->" << f.gewollt;
    // Opposite: counter-clockwise all the way, one sixteenth per choice.
    int32_t r = 4;
    for (int32_t i = 0; i < 8; ++i) r = Spielansicht_Drehen(r, 12);
    EXPECT_EQ(r, 12);
}

TEST(SpielansichtGeometrie, CameraDivisorsClampsAndScrollBounds) {
    struct Fall {
        bool schnell;
        uint32_t frame_zeit;
        int32_t teiler;
    };
    for (const Fall& f : {Fall{false, 45, 15}, Fall{true, 45, 5}, Fall{true, 0, 8}, Fall{false, 0, 8}}) {
        AnsichtKamera k;
        k.pos[0] = 5000;
        k.pos[1] = 3000;
        KameraEingabe e;
        e.ziel[0] = 5000 + 3000;
        e.ziel[1] = 3000 + 1500;
        e.schnell = f.schnell;
        e.frame_zeit = f.frame_zeit;
        e.schritte = 1;
        EXPECT_EQ(Spielansicht_Kamera_Schritt(&k, &e), 1);
        EXPECT_EQ(k.pos[0], 5000 + 3000 / f.teiler) << f.teiler;
        EXPECT_EQ(k.pos[1], 3000 + 1500 / f.teiler) << f.teiler;
    }
    // The target is clamped to x 800..10000, y 1360..5440.
    float ziel[3] = {-500, 9000, 0};
    Spielansicht_Kamera_Ziel_Klemmen(ziel);
    EXPECT_EQ(ziel[0], 800);
    EXPECT_EQ(ziel[1], 5440);
    float ziel2[3] = {20000, 0, 0};
    Spielansicht_Kamera_Ziel_Klemmen(ziel2);
    EXPECT_EQ(ziel2[0], 10000);
    EXPECT_EQ(ziel2[1], 1360);
    // On target only the scroll is refreshed; PAUSE moves nothing.
    AnsichtKamera k;
    k.pos[0] = 5400;
    k.pos[1] = 3403;
    KameraEingabe e;
    e.ziel[0] = 5400;
    e.ziel[1] = 3403;
    e.schritte = 3;
    EXPECT_EQ(Spielansicht_Kamera_Schritt(&k, &e), 3);
    EXPECT_EQ(k.pos[0], 5400);
    EXPECT_EQ(k.scroll[0], 1800 - 400);
    EXPECT_EQ(k.scroll[1], 518 - 282);
    e.pause = true;
    e.ziel[0] = 9000;
    EXPECT_EQ(Spielansicht_Kamera_Schritt(&k, &e), 0);
    EXPECT_EQ(k.pos[0], 5400);
    // The scroll never leaves 0..(world - view), at either scale.
    for (bool halb : {false, true})
        for (float x : {800.0f, 10000.0f})
            for (float y : {1360.0f, 5440.0f}) {
                AnsichtKamera c;
                KameraEingabe f;
                f.halb = halb;
                f.breite = halb ? 400 : 800;
                f.hoehe = halb ? 282 : 564;
                f.ziel[0] = x;
                f.ziel[1] = y;
                f.frame_zeit = 0;
                f.schritte = 200;
                Spielansicht_Kamera_Schritt(&c, &f);
                const int32_t ww = halb ? 1805 : 3610, wh = halb ? 490 : 980;
                EXPECT_GE(c.scroll[0], 0);
                EXPECT_GE(c.scroll[1], 0);
                EXPECT_LE(c.scroll[0], ww - f.breite);
                EXPECT_LE(c.scroll[1], wh - f.hoehe);
            }
}

// A small entry: two frames per direction of a 3 x 2 picture.
std::vector<uint8_t> Kleiner_Eintrag() {
    std::vector<FigurenBild> bilder;
    for (int32_t d = 0; d < FIGUREN_RICHTUNGEN; ++d)
        for (int32_t f = 0; f < 2; ++f) {
            FigurenBild b;
            b.breite = 3;
            b.hoehe = 2;
            b.x_versatz = -1;
            b.y_versatz = -2;
            b.pixel = {0, uint8_t(d + 1), 0, uint8_t(f + 1), 0, 9};
            bilder.push_back(b);
        }
    return Figuren_Eintrag_Schreiben(bilder, 2);
}

TEST(SpielansichtZufall, SequenceRangesAndUniformDraws) {
    // The generator's known sequences: seed 1 starts 41, 18467, 6334, 26500.
    struct Fall {
        uint32_t saat;
        int32_t werte[4];
    } faelle[] = {{1, {41, 18467, 6334, 26500}}, {0, {38, 7719, 21238, 2437}}};
    for (const Fall& f : faelle) {
        Ansicht_Zufall_Setzen(f.saat);
        for (int32_t w : f.werte) EXPECT_EQ(Ansicht_Zufall(), w) << f.saat;
    }
    // random(lo, hi) = lo + value mod (hi - lo + 1); an empty range gives lo.
    Ansicht_Zufall_Setzen(1);
    EXPECT_EQ(Ansicht_Zufall(9, 33), 9 + 41 % 25);
    EXPECT_EQ(Ansicht_Zufall(5, 5), 5);
    EXPECT_EQ(Ansicht_Zufall(7, 3), 7);
    Ansicht_Zufall_Setzen(1);
    EXPECT_EQ(Ansicht_Zufall(INT32_MIN, INT32_MAX), INT32_MIN + 41) << "the whole range must not overflow";
    // Uniform over a cue's variants: chi-square over 9000 draws of 0..8 (8
    // degrees of freedom; 26.1 is the 0.1 % bound).
    int32_t n[9] = {};
    for (int32_t i = 0; i < 9000; ++i) ++n[Ansicht_Zufall(0, 8)];
    double chi = 0;
    for (int32_t k : n) chi += double(k - 1000) * double(k - 1000) / 1000.0;
    EXPECT_LT(chi, 26.1);
}

TEST(SpielansichtTafel, SpectatorsGetPointsBetweenTheThousands) {
    struct Fall {
        uint32_t wert;
        const char* text;
    } faelle[] = {{0, "0"}, {999, "999"}, {1000, "1.000"}, {65432, "65.432"}, {1234567, "1.234.567"},
                  {4294967295u, "4.294.967.295"}};
    for (const Fall& f : faelle) {
        char out[32];
        Anzeigetafel_Zahl(out, sizeof out, f.wert);
        EXPECT_STREQ(out, f.text);
    }
}

TEST(SpielansichtFiguren, EntriesReadBackAndDamageIsRefused) {
    const std::vector<uint8_t> gut = Kleiner_Eintrag();
    FigurenAnim a;
    std::string fehler;
    ASSERT_TRUE(Figuren_Eintrag_Lesen(gut.data(), gut.size(), 2, &a, &fehler)) << fehler;
    ASSERT_EQ(a.frames, 2);
    const FigurenFrame& f = a.Frame(5, 1);
    EXPECT_EQ(f.breite, 3);
    EXPECT_EQ(f.y_versatz, -2);
    // Drawn through a table that maps index i to i: the pixels come back.
    uint16_t tabelle[256];
    for (int32_t i = 0; i < 256; ++i) tabelle[i] = uint16_t(i);
    std::vector<uint16_t> ziel(16 * 8, 0);
    Rastport rp;
    PixelBuffer pb;
    pb.width = 16, pb.height = 8, pb.depth = 16, pb.pixels = ziel.data();
    rp.width = 16, rp.height = 8, rp.pixels = &pb;
    ASSERT_TRUE(Figuren_Frame_Zeichnen(a, f, tabelle, &rp, 5, 4, 0, 0, 16, 8, false));
    EXPECT_EQ(ziel[2 * 16 + 5], 6);   // direction 5 + 1, at (x - 1 + 1, y - 2)
    EXPECT_EQ(ziel[3 * 16 + 4], 2);   // frame 1 + 1
    EXPECT_EQ(ziel[3 * 16 + 6], 9);
    // Half outside the rectangle: clipped, not skipped; wholly outside: nothing.
    std::fill(ziel.begin(), ziel.end(), 0);
    EXPECT_TRUE(Figuren_Frame_Zeichnen(a, f, tabelle, &rp, 0, 4, 0, 0, 16, 8, false));
    EXPECT_EQ(ziel[2 * 16 + 0], 6);
    EXPECT_FALSE(Figuren_Frame_Zeichnen(a, f, tabelle, &rp, 40, 4, 0, 0, 16, 8, false));

    // Damage, each refused with a reason.
    struct Schaden {
        const char* was;
        void (*machen)(std::vector<uint8_t>&);
    };
    const Schaden schaeden[] = {
        {"cut short", [](std::vector<uint8_t>& d) { d.resize(d.size() - 1); }},
        {"no header", [](std::vector<uint8_t>& d) { d.resize(8); }},
        {"F of another row", [](std::vector<uint8_t>& d) { d[4] = 3; }},
        {"N not 16 F", [](std::vector<uint8_t>& d) { d[8] = 31; }},
        {"offset past the block", [](std::vector<uint8_t>& d) { d[12 + 4 * 7 + 2] = 0x7F; }},
        {"width 0", [](std::vector<uint8_t>& d) { d[12 + 4 * 32] = 0; }},
        {"height past the block", [](std::vector<uint8_t>& d) { d[12 + 4 * 32 + 2] = 200; }},
        {"row table", [](std::vector<uint8_t>& d) { d[12 + 4 * 32 + 36 + 4] ^= 1; }},
        {"run past the row", [](std::vector<uint8_t>& d) { d[12 + 4 * 32 + 36 + 8] = 0x85; }},
        {"run of nothing", [](std::vector<uint8_t>& d) { d[12 + 4 * 32 + 36 + 8] = 0; }},
    };
    for (const Schaden& s : schaeden) {
        std::vector<uint8_t> d = gut;
        s.machen(d);
        FigurenAnim b;
        std::string warum;
        EXPECT_FALSE(Figuren_Eintrag_Lesen(d.data(), d.size(), 2, &b, &warum)) << s.was;
        EXPECT_FALSE(warum.empty()) << s.was;
    }
}

TEST(SpielansichtFiguren, KitsRefereeAndBall) {
    // Bright bytes lower the brightening factor, but never below 130.
    uint8_t kit[36];
    std::memset(kit, 100, 36);
    Figuren_Trikot_Aufhellen(kit);
    EXPECT_EQ(kit[0], 180);
    std::memset(kit, 200, 36);
    Figuren_Trikot_Aufhellen(kit);
    EXPECT_EQ(kit[0], 255);
    std::memset(kit, 150, 36);
    kit[0] = 250;
    Figuren_Trikot_Aufhellen(kit);
    EXPECT_EQ(kit[1], 150 * 130 / 100);
    // The referee's colour is the one farthest from both shirts.
    EXPECT_EQ(Figuren_Schiri_Farbe(Farbe_RGB(0, 190, 190), Farbe_RGB(150, 60, 60)), Farbe_RGB(238, 220, 161));
    EXPECT_EQ(Figuren_Schiri_Farbe(Farbe_RGB(240, 220, 160), Farbe_RGB(150, 60, 60)), Farbe_RGB(0, 192, 192));
    EXPECT_EQ(Figuren_Schiri_Farbe(Farbe_RGB(0, 190, 190), Farbe_RGB(240, 220, 160)), Farbe_RGB(155, 67, 67));
    // No table entry is the transparent 0; the shadow is entry 44.
    uint16_t t[256];
    const uint32_t farben[6] = {Farbe_RGB(0, 0, 0), 0, 0, 0, 0, 0};
    Figuren_Tabelle_Figur(t, farben);
    for (int32_t i = 0; i < 256; ++i) EXPECT_NE(t[i], 0) << i;
    Figuren_Tabelle_Einfarbig(t, Farbe_RGB(230, 100, 0));
    EXPECT_EQ(t[FIGUREN_SCHATTEN], Colour_Screen_Pixel(40, 60, 40));
}


int32_t Schalter_Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }

// Live matches of a small generated world, some frames into the day, shown
// on a 16-bit screen with the installation's generated art and fonts.
class SpielansichtWelt : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    std::unique_ptr<BildInstallation> bild;
    int32_t font_slot = -1;
    std::vector<Spielfeld_Satz*> saetze;
    Spielfeld_Ansicht_Einstellung anzeige{};

    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        Spielfeld_Hooks().wettbewerb_schalter = Schalter_Live;
        ASSERT_TRUE(Spieltag_Start());
        for (int32_t f = 0; f < 400; ++f) ASSERT_TRUE(Spieltag_Frame());
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s))
            if (s->live == 1) saetze.push_back(s);
        ASSERT_GE(saetze.size(), 4u);
        bild = std::make_unique<BildInstallation>(2, 2);
        bild->Erzeugte_Datei(12, "stadion_gfx.res");
        bild->Erzeugte_Datei(13, "rasen_hg.res");
        bild->Erzeugte_Datei(17, "stadion_sprites.res");
        bild->Erzeugte_Datei(19, "stadion_menue.res");
        font_slot = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/fontres.res").c_str(), 0);
        Font_Free_Set();
        ASSERT_EQ(Font_Load_Set(font_slot, 0, FONT_SET_ANZAHL), 1);
        anzeige.frame_intervall = 45;
        Plat_Headless_Maus(-100, -100, 0);
        Ansicht_Zufall_Setzen(1);   // boards and weather draw the same in every run
    }
    void TearDown() override {
        MatchView_Exit();
        Font_Free_Set();
        font_slot = Res_Close(font_slot);
        bild.reset();
        Spieltag_Welt_Ende();
    }
    // Frames of the views over the first n records; the last one's result.
    bool Zeigen(size_t n, int32_t frames = 3) {
        bool r = false;
        for (int32_t i = 0; i < frames; ++i) {
            Maus_Frame_Position_Setzen(Mouse_X(), Mouse_Y());
            Maus_Tasten_Latch();
            r = MatchView_Frame(saetze.data(), int32_t(n), anzeige, false);
        }
        return r;
    }
    std::string Bild(const std::string& name) { return Png_Vergleichen(name, Rgb_Aus_565(bild->schirm.data(), 800, 600)); }
    // A player of the first record well inside view 0, not on the ball, and
    // his feet on the screen; -1 when there is none.
    int32_t Spieler_Im_Bild(AnsichtPunkt* p) const {
        const MatchViewLage l = MatchView_Lage(0);
        const Spielfeld_Satz& s = *saetze[0];
        for (int32_t i = 0; i < SF_SPIELER; ++i) {
            if (!s.figur[i].gezeichnet || s.ballhalter == i) continue;
            *p = Spielansicht_Projektion(s.figur[i].pos[0], s.figur[i].pos[1], s.figur[i].pos[2], false, false);
            p->x -= l.scroll[0];
            p->y -= l.scroll[1];
            if (p->x > 50 && p->x < 600 && p->y > 60 && p->y < 500) return i;
        }
        return -1;
    }
};

TEST_F(SpielansichtWelt, OneViewFillsTheScreenAboveTheBar) {
    EXPECT_FALSE(MatchView_Frame(saetze.data(), 1, anzeige, false)) << "the first frame only sets up";
    EXPECT_TRUE(Zeigen(1));
    const MatchViewLage l = MatchView_Lage(0);
    EXPECT_TRUE(l.in_use && l.visible && l.is_main);
    EXPECT_EQ(l.w, 800);
    EXPECT_EQ(l.h, 564);
    EXPECT_EQ(MatchView_Current(), saetze[0]);
    EXPECT_EQ(Bild("spielansicht_eine"), "");
}


// The shown game played on until it has had a shot, a pass, a cross and a
// keeper's punt or throw: two frames after the ball left the kicker is on
// the screen and still in his kick row; the keeper, whose punt or throw row
// ends as the ball leaves, was in it three frames before. Those screens are
// written to "kick_bilder/<kind>.png" in the test's folder for review, with
// the kicker four times enlarged beside them ("<kind>_nah.png").
TEST_F(SpielansichtWelt, EveryKindOfKickIsOnTheScreenInItsRow) {
    static constexpr int32_t KICK_ZEILEN[] = {34, 35, 54, 55, 56, 58, 60, 64, 75, 80, 131, 134};
    // The day's first live game is shown.
    Spielfeld_Satz& s = *saetze[0];
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    const std::filesystem::path ordner = std::filesystem::current_path() / "kick_bilder";
    std::filesystem::create_directories(ordner);
    std::map<std::string, int32_t> gezeigt;   // kind of kick: the kick row it was caught in
    struct Offen {
        std::string art;
        int32_t slot, anim, warten;
    };
    std::vector<Offen> offen;
    // The kicker's figure on the screen, for the screen's point p.
    const auto schreiben = [&](const std::string& art, const RgbBild& b, AnsichtPunkt p) {
        EXPECT_TRUE(Png_Schreiben((ordner / (art + ".png")).string(), b));
        RgbBild nah{640, 480, std::vector<uint8_t>(640 * 480 * 3)};
        for (int32_t y = 0; y < 480; ++y)
            for (int32_t x = 0; x < 640; ++x) {
                const int32_t qx = std::clamp(p.x - 80 + x / 4, 0, 799), qy = std::clamp(p.y - 80 + y / 4, 0, 599);
                std::memcpy(&nah.rgb[(size_t(y) * 640 + x) * 3], &b.rgb[(size_t(qy) * 800 + qx) * 3], 3);
            }
        EXPECT_TRUE(Png_Schreiben((ordner / (art + "_nah.png")).string(), nah));
    };
    // A figure's feet on the screen (the main view starts at the top left).
    const auto auf_schirm = [&](const Figur& f) {
        const MatchViewLage l = MatchView_Lage(0);
        AnsichtPunkt p = Spielansicht_Projektion(f.pos[0], f.pos[1], f.pos[2], false, false);
        p.x += l.x - l.scroll[0];
        p.y += l.y - l.scroll[1];
        return p;
    };
    struct Schirm {
        RgbBild bild;
        int32_t anim[SF_SPIELER];
        AnsichtPunkt punkt[SF_SPIELER];
    };
    std::deque<Schirm> torwart;   // the last three screens while a keeper punts or throws
    const auto abwurf = [](int32_t a) { return a == 55 || a == 58; };
    for (int32_t frame = 0; frame < 40000 && gezeigt.size() < 4; ++frame) {
        uint8_t vorher[SF_SPIELER][8];
        std::memcpy(vorher, s.statistik, sizeof vorher);
        if (!Spieltag_Frame() || s.live != 1) break;
        ASSERT_TRUE(Zeigen(1, 1));
        for (Offen& o : offen) {
            if (--o.warten > 0) continue;
            const Figur& f = s.figur[o.slot];
            const int32_t anim = Figur_Aktuelle_Anweisung(const_cast<Figur*>(&f))->anim;
            const MatchViewLage l = MatchView_Lage(0);
            const AnsichtPunkt p = auf_schirm(f);
            const bool im_bild = f.gezeichnet && p.x >= l.x && p.x < l.x + l.w && p.y >= l.y && p.y < l.y + l.h;
            const bool kick = std::find(std::begin(KICK_ZEILEN), std::end(KICK_ZEILEN), anim) != std::end(KICK_ZEILEN);
            // A kick the whistle or a foul broke into is not the one to show.
            if (!kick || gezeigt.count(o.art)) continue;
            EXPECT_TRUE(im_bild) << o.art << " by slot " << o.slot << " at (" << p.x << ", " << p.y << ")";
            gezeigt[o.art] = anim;
            schreiben(o.art, Rgb_Aus_565(bild->schirm.data(), 800, 600), p);
            std::printf("  %s: row %d, minute %d, %s\n", o.art.c_str(), anim, s.minute,
                        (ordner / (o.art + ".png")).c_str());
        }
        std::erase_if(offen, [](const Offen& o) { return o.warten <= 0; });
        Schirm jetzt;
        bool punt = false;
        for (int32_t k = 0; k < SF_SPIELER; ++k) {
            jetzt.anim[k] = Figur_Aktuelle_Anweisung(&s.figur[k])->anim;
            jetzt.punkt[k] = auf_schirm(s.figur[k]);
            punt = punt || (s.figur[k].torwart && abwurf(jetzt.anim[k]));
        }
        if (!punt) {
            torwart.clear();
        } else {
            jetzt.bild = Rgb_Aus_565(bild->schirm.data(), 800, 600);
            torwart.push_back(std::move(jetzt));
            if (torwart.size() > 3) torwart.pop_front();
        }
        for (int32_t k = 0; k < SF_SPIELER; ++k) {
            const bool schuss = s.statistik[k][2] != vorher[k][2];
            if (s.figur[k].torwart && !schuss && s.statistik[k][1] != vorher[k][1] && torwart.size() == 3 &&
                !gezeigt.count("keeper")) {
                const int32_t anim = torwart.front().anim[k];
                EXPECT_TRUE(abwurf(anim)) << "the keeper's row three frames before: " << anim;
                gezeigt["keeper"] = anim;
                schreiben("keeper", torwart.front().bild, torwart.front().punkt[k]);
                std::printf("  keeper: row %d, minute %d, %s\n", anim, s.minute, (ordner / "keeper.png").c_str());
                continue;
            }
            if (!schuss && s.statistik[k][1] == vorher[k][1]) continue;
            const Figur& f = s.figur[k];
            const bool flanke = !schuss && !f.torwart && std::min(f.pos[0], SPIELFELD_LAENGE - f.pos[0]) < 1600 &&
                                std::fabs(f.pos[1] - SPIELFELD_MITTE_Y) > 800;
            const std::string art = f.torwart && !schuss ? "keeper" : schuss ? "shot" : flanke ? "cross" : "pass";
            offen.push_back({art, k, 0, 2});
        }
    }
    EXPECT_EQ(gezeigt.size(), 4u) << "shot, pass, cross and the keeper's kick in the shown game";
}

TEST_F(SpielansichtWelt, TheScoreLineShowsGoalsSpectatorsAndMinute) {
    // 3-2 in the 67th minute: the large plate over one view, the small ones over four.
    saetze[0]->tore[0] = 3;
    saetze[0]->tore[1] = 2;
    saetze[0]->minute = 66;
    saetze[0]->zuschauer_vorgabe = 23456;
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(Bild("spielansicht_tafel_gross"), "");
    MatchView_Exit();
    MatchView_Frame(saetze.data(), 4, anzeige, false);
    ASSERT_TRUE(Zeigen(4));
    EXPECT_EQ(Bild("spielansicht_tafel_klein"), "");
}

// Every text of the views fits where it is drawn: the score plates with two
// goals a side in the 90th minute and a six-figure crowd, the ticker with a
// long line and a hovered player's name, in one to four views; the text
// layer's check lists each text that passes its field or runs into another.
TEST_F(SpielansichtWelt, ThePlatesTickerAndNamesFitTheirFieldsInEveryLayout) {
    for (Spielfeld_Satz* s : saetze) {
        s->tore[0] = 12;
        s->tore[1] = 10;
        s->minute = 90;
        s->zuschauer_vorgabe = 123456;
    }
    Text_Pruefung_Starten();
    for (size_t n = 1; n <= 4; ++n) {
        MatchView_Exit();
        Text_Pruefung_Screen(std::to_string(n) + " Ansichten");
        MatchView_Frame(saetze.data(), int32_t(n), anzeige, false);
        for (size_t i = 0; i < n; ++i)
            Ticker_Add_Line(saetze[i]->spiel, "Freistoss in aussichtsreicher Position nach einem harten Foul am Strafraum");
        AnsichtPunkt p;
        if (Spieler_Im_Bild(&p) >= 0) Plat_Headless_Maus(p.x, p.y - 10, 0);
        for (int32_t k = 0; k < 4; ++k) {
            Text_Pruefung_Bild_Ende();
            Zeigen(n, 1);
        }
        Plat_Headless_Maus(-100, -100, 0);
    }
    std::string befunde;
    for (const TextBefund& b : Text_Pruefung_Befunde())
        befunde += b.screen + ": " + b.art + " \"" + b.text + "\" " + b.nachbar + "\n";
    Text_Pruefung_Beenden();
    EXPECT_EQ(befunde, "");
}

// Long club names stay in their fields of the score plates: the home name
// ends before the score's box, the away name starts after the minute. No
// white stands in the box (the digits are gold), on the large plate over one
// view (box x 249 to 320) nor on the small one of the first of four (151 to
// 200).
TEST_F(SpielansichtWelt, LongClubNamesStayInTheirFieldsOfThePlates) {
    ASSERT_TRUE(Team_Namen_Setzen(int32_t(saetze[0]->team[0]), nullptr, "Borussia Waldmuehlheim", nullptr));
    ASSERT_TRUE(Team_Namen_Setzen(int32_t(saetze[0]->team[1]), nullptr, "Sportfreunde Grossbuch", nullptr));
    saetze[0]->tore[0] = 12;
    saetze[0]->tore[1] = 10;
    saetze[0]->minute = 89;
    const auto weiss_im_kasten = [this](int32_t x0, int32_t x1) {
        for (int32_t y = 0; y < 28; ++y)
            for (int32_t x = x0; x <= x1; ++x)
                if (bild->schirm[size_t(y * 800 + x)] == 0xFFFF) return std::to_string(x) + "," + std::to_string(y);
        return std::string();
    };
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(weiss_im_kasten(249, 320), "") << "a name in the large plate's score box";
    EXPECT_EQ(Bild("spielansicht_lange_namen_gross"), "");
    MatchView_Exit();
    MatchView_Frame(saetze.data(), 4, anzeige, false);
    ASSERT_TRUE(Zeigen(4));
    EXPECT_EQ(weiss_im_kasten(151, 200), "") << "a name in the small plate's score box";
    EXPECT_EQ(Bild("spielansicht_lange_namen_klein"), "");
}

TEST_F(SpielansichtWelt, TiredPlayersBlinkTheirMarkerOnEverySecondMetre) {
    // Energy below a third (x 30 / 10000 under 10) on an odd metre shows the
    // marker: every player stands on an odd metre, the home keeper's 3334 is a
    // third (no marker), the others' 3333 just below.
    Spielfeld_Satz& s = *saetze[0];
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        const float meter = std::floor(s.figur[i].pos[0] / 100.0f);
        if (int32_t(meter) % 2 == 0) s.figur[i].pos[0] = (meter + 1.5f) * 100.0f;
        s.spieler[i].ausdauer = i == 0 ? 3334 : 3333;
    }
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(Bild("spielansicht_muede"), "");
}

// A booked player (his card state, the status byte, set) shows the status
// marker, a yellow card beside his head; one tired and booked shows both.
TEST_F(SpielansichtWelt, BookedPlayersShowTheStatusMarker) {
    Spielfeld_Satz& s = *saetze[0];
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        s.spieler[i].ausdauer = 10000;
        s.spieler[i].karte = i % 3 == 1 ? 16 : 0;
    }
    s.spieler[4].ausdauer = 1000;
    s.spieler[4].karte = 16;
    const float meter = std::floor(s.figur[4].pos[0] / 100.0f);
    if (int32_t(meter) % 2 == 0) s.figur[4].pos[0] = (meter + 1.5f) * 100.0f;
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(Bild("spielansicht_karte"), "");
}

TEST_F(SpielansichtWelt, TheNewestEventGivesOneSentenceAndTheTickerShowsIt) {
    Spielfeld_Satz s = *saetze[0];
    auto name = [&s](int32_t slot) { return std::string(Spieler_String(SPS_NAME, s.spieler[slot].nummer, 0, OP_LESEN)); };
    auto text = [](int32_t n) { return std::string(Text_Tabelle(n) ? Text_Tabelle(n) : ""); };
    const std::string n1 = name(3), n2 = name(20);
    struct Fall {
        uint32_t flags;
        int16_t zweiter;
        uint8_t slot, neu;
        std::string satz;
    } faelle[] = {
        {0x200 | 0x4 | 0x2, -1, 3, 1, text(181) + " " + n1 + "!"},   // an own goal is no goal of the scorer
        {0x4 | 0x2, 20, 3, 1, text(182) + " " + n1},
        {0x20 | 0x10, -1, 3, 1, text(183) + " " + n1 + "."},
        {0x10000, 20, 3, 1, n2 + " " + text(186) + " " + n1 + " " + text(187)},
        {0x10000, -1, 3, 1, n1 + " " + text(188)},
        {0x20000, 41, 3, 1, n1 + " " + text(189) + " " + (Text_Tabelle(141) ? Text_Tabelle(141) : "")},
        {0x20000, 42, 3, 1, n1 + " " + text(190)},
        {0x20000, -5, 3, 1, n1 + " " + text(190)},      // kinds outside the table: no read there
        {0x20000, 32767, 3, 1, n1 + " " + text(190)},
        {0x40000, -1, 3, 1, n1 + " " + text(193)},
        {0x40000, 40, 3, 1, ""},    // a second slot outside the match
        {0x4 | 0x2, -1, 34, 1, ""}, // a main slot outside the match
        {0x4 | 0x2, -1, 3, 0, ""},  // nothing pending
    };
    for (const Fall& f : faelle) {
        s.ereignis = f.flags;
        s.ereignis_spieler2 = f.zweiter;
        s.ereignis_spieler = f.slot;
        s.ereignis_neu = f.neu;
        EXPECT_EQ(Kommentar_Satz(s), f.satz) << std::hex << f.flags << std::dec << " " << f.zweiter;
    }
    struct Teil {
        const char* text;
        size_t teilung;
    } teile[] = {{"abc def ghi", 3}, {"Tor durch Anton Berger", 9}, {"abcdef", 3}, {"", 0}};
    for (const Teil& t : teile) EXPECT_EQ(Ticker_Teilung(t.text), t.teilung) << t.text;
    // A goal pending in the shown record: its sentence on one line at the bottom.
    saetze[0]->ereignis = 0x4 | 0x2;
    saetze[0]->ereignis_spieler = 3;
    saetze[0]->ereignis_neu = 1;
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(Bild("spielansicht_ticker_eine"), "");
    // In a quarter a long line breaks in two.
    MatchView_Exit();
    MatchView_Frame(saetze.data(), 4, anzeige, false);
    ASSERT_TRUE(Zeigen(4, 1));
    Ticker_Add_Line(saetze[1]->spiel, "Ein langer Satz des Sprechers, der in einem Viertel nicht auf eine Zeile passt");
    ASSERT_TRUE(Zeigen(4, 1));
    EXPECT_EQ(Bild("spielansicht_ticker_zwei"), "");
}

TEST_F(SpielansichtWelt, TwoThreeAndFourViewsShareTheScreen) {
    struct Fall {
        size_t n;
        const char* bild;
        MatchViewLage lage[4];
    };
    const Fall faelle[] = {
        {2, "spielansicht_zwei", {{true, true, true, 1, 0, 0, 800, 282}, {true, true, false, 1, 0, 282, 800, 282}}},
        {3, "spielansicht_drei",
         {{true, true, true, 1, 0, 0, 800, 282}, {true, true, false, 2, 0, 282, 400, 282}, {true, true, false, 2, 400, 282, 400, 282}}},
        {4, "spielansicht_vier",
         {{true, true, true, 2, 0, 0, 400, 282}, {true, true, false, 2, 400, 0, 400, 282},
          {true, true, false, 2, 0, 282, 400, 282}, {true, true, false, 2, 400, 282, 400, 282}}},
    };
    for (const Fall& f : faelle) {
        MatchView_Exit();
        MatchView_Frame(saetze.data(), int32_t(f.n), anzeige, false);
        ASSERT_TRUE(Zeigen(f.n)) << f.n;
        for (size_t i = 0; i < f.n; ++i) {
            const MatchViewLage l = MatchView_Lage(int32_t(i)),& s = f.lage[i];
            EXPECT_EQ(l.in_use, s.in_use) << f.n << " " << i;
            EXPECT_EQ(l.is_main, s.is_main) << f.n << " " << i;
            EXPECT_EQ(l.size_mode, s.size_mode) << f.n << " " << i;
            EXPECT_EQ(l.x, s.x) << f.n << " " << i;
            EXPECT_EQ(l.y, s.y) << f.n << " " << i;
            EXPECT_EQ(l.w, s.w) << f.n << " " << i;
            EXPECT_EQ(l.h, s.h) << f.n << " " << i;
            EXPECT_EQ(l.spiel, saetze[i]->spiel);
        }
        EXPECT_EQ(Bild(f.bild), "") << f.n;
    }
}

TEST_F(SpielansichtWelt, ChangedMatchesRestartTheirViewsAndAClickChoosesTheMain) {
    MatchView_Frame(saetze.data(), 2, anzeige, false);
    ASSERT_TRUE(Zeigen(2));
    EXPECT_EQ(MatchView_Lage(0).starts, 1);
    EXPECT_EQ(MatchView_Lage(1).starts, 1);
    // One changed match restarts its view only.
    Spielfeld_Satz* andere[2] = {saetze[0], saetze[2]};
    ASSERT_TRUE(MatchView_Frame(andere, 2, anzeige, false));
    EXPECT_EQ(MatchView_Lage(0).starts, 1);
    EXPECT_EQ(MatchView_Lage(1).starts, 2);
    EXPECT_EQ(MatchView_Lage(1).spiel, saetze[2]->spiel);
    // A changed count restarts all.
    Spielfeld_Satz* drei[3] = {saetze[0], saetze[2], saetze[3]};
    ASSERT_TRUE(MatchView_Frame(drei, 3, anzeige, false));
    EXPECT_EQ(MatchView_Lage(0).starts, 2);
    EXPECT_EQ(MatchView_Lage(1).starts, 3);
    EXPECT_EQ(MatchView_Current(), saetze[0]);
    // A click on the lower right quarter makes it the main view; held, nothing toggles again.
    ASSERT_TRUE(Zeigen(3));
    Plat_Headless_Maus(600, 400, 0);
    Zeigen(3, 1);
    Plat_Headless_Maus(600, 400, 1);
    Zeigen(3, 1);
    EXPECT_TRUE(MatchView_Lage(2).is_main);
    EXPECT_FALSE(MatchView_Lage(0).is_main);
    EXPECT_EQ(MatchView_Current(), saetze[2]);
    Plat_Headless_Maus(100, 100, 1);
    Zeigen(3, 2);
    EXPECT_TRUE(MatchView_Lage(2).is_main) << "a held button chooses once";
    Plat_Headless_Maus(100, 100, 0);
    Zeigen(3, 1);
    // Over an icon of the menu the press stays with the icon.
    MatchView_Hooks().maus_ueber_icon = [] { return true; };
    Plat_Headless_Maus(100, 100, 1);
    Zeigen(3, 2);
    MatchView_Hooks().maus_ueber_icon = nullptr;
    EXPECT_TRUE(MatchView_Lage(2).is_main);
    Plat_Headless_Maus(100, 100, 0);
}

TEST_F(SpielansichtWelt, TheViewsWriteNothingIntoTheRecords) {
    // Watched or not, a match plays the same: drawing leaves every byte.
    std::vector<uint8_t> vorher(sizeof(Spielfeld_Satz) * 4);
    for (size_t i = 0; i < 4; ++i) std::memcpy(&vorher[i * sizeof(Spielfeld_Satz)], saetze[i], sizeof(Spielfeld_Satz));
    Plat_Headless_Maus(400, 300, 0);
    for (size_t n = 1; n <= 4; ++n) Zeigen(n, 20);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::memcmp(&vorher[i * sizeof(Spielfeld_Satz)], saetze[i], sizeof(Spielfeld_Satz)), 0) << i;
}

TEST_F(SpielansichtWelt, AHoveredPlayerShowsHisName) {
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    // The mouse on a player's feet: his name stands beside him.
    AnsichtPunkt p;
    ASSERT_GE(Spieler_Im_Bild(&p), 0);
    Plat_Headless_Maus(p.x, p.y - 10, 0);
    Zeigen(1, 1);
    EXPECT_EQ(Bild("spielansicht_name"), "");
}

// The mouse on a player shows his name, but not when it rests on a menu icon
// (a panel window) lying over him: the frame then is the frame without the mouse.
TEST_F(SpielansichtWelt, AHoveredPlayerUnderAPanelShowsNoName) {
    // Each picture starts the views from the same random state: the boards
    // take their rolling phase from it when the views set up.
    const uint32_t zufall = Ansicht_Zufall_Stand();
    auto bild_mit = [&](bool ueber_icon, int32_t mx, int32_t my) {
        MatchView_Exit();
        Ansicht_Zufall_Setzen(zufall);
        MatchView_Hooks().maus_ueber_icon = nullptr;
        if (ueber_icon) MatchView_Hooks().maus_ueber_icon = [] { return true; };
        Plat_Headless_Maus(mx, my, 0);
        MatchView_Frame(saetze.data(), 1, anzeige, false);
        Zeigen(1, 2);
        MatchView_Hooks().maus_ueber_icon = nullptr;
        return bild->schirm;
    };
    // A player well inside the view, not on the ball.
    bild_mit(false, -100, -100);
    AnsichtPunkt p;
    ASSERT_GE(Spieler_Im_Bild(&p), 0);
    const std::vector<uint16_t> ohne_maus = bild_mit(false, -100, -100);
    struct Fall {
        bool ueber_icon;
        bool wie_ohne_maus;
    };
    for (const Fall& f : {Fall{false, false}, Fall{true, true}}) {
        EXPECT_EQ(bild_mit(f.ueber_icon, p.x, p.y - 10) == ohne_maus, f.wie_ohne_maus) << "over an icon " << f.ueber_icon;
    }
    Plat_Headless_Maus(-100, -100, 0);
}

// The watched games are drawn by their numbers: the shown one from the
// display ring's copy, whose frames not yet shown the camera counts down; the
// main view names the live record and its game; with no record left the
// views stop.
TEST_F(SpielansichtWelt, TheShownGameIsDrawnFromTheDisplayCopy) {
    Spielfeld_Satz* s = saetze[0];
    Spielfeld_Beobachtete_Loeschen();
    ASSERT_TRUE(Spielfeld_Beobachten(s, true));
    Spielfeld_Anzeige_Reset();
    for (int32_t i = 0; i < 12; ++i) {
        s->spielzeit_ms += ANZEIGE_FRAME_MS;
        s->figur[FIGUR_BALL].pos[0] = float(1000 + 100 * i);
        Spielfeld_Anzeige_Eintragen(s);
        Spielfeld_Anzeige_Schritt(s);
    }
    Spielfeld_Satz* kopie = Spielfeld_Anzeige_Kopie();
    ASSERT_NE(kopie, nullptr);
    EXPECT_LT(kopie->figur[FIGUR_BALL].pos[0], s->figur[FIGUR_BALL].pos[0]) << "the copy runs behind";
    const int32_t spiele[2] = {int32_t(s->spiel), int32_t(saetze[1]->spiel)};
    MatchView_Spiele_Zeichnen(spiele, 2, anzeige);
    kopie->frame_zaehler = 7;
    ASSERT_TRUE(MatchView_Spiele_Zeichnen(spiele, 2, anzeige));
    EXPECT_EQ(kopie->frame_zaehler, 0u) << "the camera counted the copy's frames down";
    const uint32_t live_frames = saetze[1]->frame_zaehler;
    ASSERT_TRUE(MatchView_Spiele_Zeichnen(spiele, 2, anzeige));
    EXPECT_EQ(saetze[1]->frame_zaehler, live_frames) << "a live record is only read";
    EXPECT_EQ(MatchView_Current(), s);
    EXPECT_EQ(MatchView_Aktuelles_Spiel(), int32_t(s->spiel));
    EXPECT_EQ(MatchView_Lage(1).spiel, saetze[1]->spiel);
    const int32_t weg[1] = {999999};
    EXPECT_FALSE(MatchView_Spiele_Zeichnen(weg, 1, anzeige));
    EXPECT_FALSE(MatchView_Lage(0).in_use);
    EXPECT_EQ(MatchView_Aktuelles_Spiel(), -1);
    Spielfeld_Beobachtete_Loeschen();
}

// A watched match that is diced shows stand-in play on a copy: players drift,
// the ball goes from player to player, a goal the dice add goes in; the record
// is only read, the same game plays the same way, and its minutes wait 600 ms.
TEST_F(SpielansichtWelt, AWatchedDicedMatchShowsStandInPlayOnACopy) {
    Spielfeld_Satz* s = saetze[0];
    s->live = 0;
    const Spielfeld_Satz vorher = *s;
    auto spielen = [&](uint32_t von, int32_t frames, std::vector<float>* spur) {
        std::set<int32_t> halter;
        for (int32_t k = 0; k < frames; ++k) {
            const Spielfeld_Satz* e = Spielansicht_Ersatz(s, von + 40u * uint32_t(k));
            EXPECT_TRUE(Spielansicht_Ersatz_Ist_Kopie(e));
            halter.insert(e->ballhalter);
            for (int32_t i = 0; i <= FIGUR_BALL; ++i) {
                EXPECT_TRUE(e->figur[i].pos[0] >= 0 && e->figur[i].pos[0] <= SPIELFELD_LAENGE) << i;
                if (spur) spur->push_back(e->figur[i].pos[0]), spur->push_back(e->figur[i].pos[1]);
            }
        }
        return halter.size();
    };
    std::vector<float> eins, zwei;
    EXPECT_GE(spielen(1000, 250, &eins), 3u) << "the ball goes from player to player in ten seconds";
    EXPECT_EQ(std::memcmp(&vorher, s, sizeof vorher), 0) << "the record is only read";
    Spielansicht_Ersatz_Loeschen();
    spielen(1000, 250, &zwei);
    EXPECT_TRUE(eins == zwei) << "one game plays the same way";
    int32_t bewegt = 0;
    const size_t letzter = eins.size() - 2 * (FIGUR_BALL + 1);
    for (size_t i = 0; i < SF_SPIELER; ++i) bewegt += eins[2 * i] != eins[letzter + 2 * i] || eins[2 * i + 1] != eins[letzter + 2 * i + 1];
    EXPECT_GE(bewegt, 10) << "players drift";
    // A goal of side 0: the ball goes into the goal side 0 attacks.
    s->tore[0] = uint8_t(s->tore[0] + 1);
    float naechste = 1e9f;
    for (int32_t k = 0; k < 150; ++k) {
        const Spielfeld_Satz* e = Spielansicht_Ersatz(s, 11000 + 40u * uint32_t(k));
        naechste = std::min(naechste, std::fabs(e->figur[FIGUR_BALL].pos[0] - float(s->tor_x[0])));
    }
    EXPECT_LT(naechste, 60.0f) << "the goal goes in";
    // The diced minutes: one every 600 ms.
    EXPECT_FALSE(Spielansicht_Ersatz_Warten(s, 20000));
    EXPECT_TRUE(Spielansicht_Ersatz_Warten(s, 20599));
    EXPECT_FALSE(Spielansicht_Ersatz_Warten(s, 20600));
    // The views are handed the copy (by game number on the program's clock;
    // here at fixed times for the picture).
    const int32_t spiele[1] = {int32_t(s->spiel)};
    MatchView_Spiele_Zeichnen(spiele, 1, anzeige);
    ASSERT_TRUE(MatchView_Spiele_Zeichnen(spiele, 1, anzeige));
    EXPECT_EQ(MatchView_Current(), s);
    MatchView_Exit();
    spielen(1000, 100, nullptr);
    Spielfeld_Satz* e = Spielansicht_Ersatz(s, 5000);
    MatchView_Frame(&e, 1, anzeige, false);
    e = Spielansicht_Ersatz(s, 5040);
    ASSERT_TRUE(MatchView_Frame(&e, 1, anzeige, false));
    EXPECT_EQ(Bild("spielansicht_ersatz"), "");
    s->tore[0] = vorher.tore[0];
    s->live = 1;
}

TEST_F(SpielansichtWelt, ADamagedFigureFileFailsTheStartAndNothingIsDrawn) {
    // An entry cut short: the views stay dark with a debug line, nothing crashes.
    const std::string pfad = dirs.install + "/stadion_gfx_kaputt.res";
    std::vector<ResDateiEintrag> d(size_t(FIGUREN_RES_ERSTER + 1), Res_Datenblock(nullptr, 0));
    ResDateiEintrag e;
    e.typ = FIGUREN_RES_TYP;
    e.bytes = Kleiner_Eintrag();
    e.bytes.resize(e.bytes.size() - 3);
    d[size_t(FIGUREN_RES_ERSTER)] = e;
    ASSERT_TRUE(Res_Schreiben(pfad.c_str(), d));
    Test_Slots()[12] = Res_Close(Test_Slots()[12]);
    Test_Slots()[12] = Res_Open(pfad.c_str(), 0);
    EXPECT_FALSE(MatchView_Init());
    EXPECT_FALSE(MatchView_Frame(saetze.data(), 1, anzeige, false));
    EXPECT_FALSE(Zeigen(1));
    EXPECT_EQ(MatchView_Current(), nullptr);
}


TEST_F(SpielansichtWelt, RecordsFromASaveOrTheNetworkAreNeverReadOutsideATable) {
    // 1000 records of random bytes keeping their game: rows, frames, colour
    // slots, positions (no numbers, huge), stands and pitch bytes all wild.
    auto satz = std::make_unique<Spielfeld_Satz>(*saetze[0]);
    Spielfeld_Satz* liste[1] = {satz.get()};
    MatchView_Frame(liste, 1, anzeige, false);
    uint32_t x = 12345;
    auto zufall = [&x] { return x = x * 1664525u + 1013904223u; };
    const float wild[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -1e30f, 1e30f, 5400};
    for (int32_t runde = 0; runde < 1000; ++runde) {
        auto* b = reinterpret_cast<uint8_t*>(satz.get());
        for (size_t i = 0; i < sizeof(Spielfeld_Satz); i += 4) b[i] = uint8_t(zufall() >> 24);
        satz->spiel = saetze[0]->spiel;
        for (Figur& f : satz->figur)
            if (zufall() % 4 == 0) f.pos[zufall() % 3] = wild[zufall() % 5];
        satz->kamera_ziel[0] = wild[zufall() % 5];
        anzeige.frame_intervall = zufall() % 60;
        anzeige.pause = uint8_t(zufall() % 2);
        MatchView_Frame(liste, 1, anzeige, false);
    }
    EXPECT_EQ(MatchView_Lage(0).spiel, saetze[0]->spiel);
    EXPECT_EQ(MatchView_Lage(0).starts, 1);
}


TEST_F(SpielansichtWelt, FiguresTurnOneStepPerChoiceHoldFor70MsAndKeepTheirFacingWhilePaused) {
    // A copy of a match whose player 5 stands still and wants to face the far side.
    auto satz = std::make_unique<Spielfeld_Satz>(*saetze[0]);
    Spielfeld_Satz* liste[1] = {satz.get()};
    Figur& f = satz->figur[5];
    f.gezeichnet = 1;
    Anweisung& an = f.ring[size_t(f.aktuell) & 3];
    an.anim = ANIM_STEHEN;
    an.frame = 0;
    auto ziel = [&](float dx, float dy) {
        an.ziel[0] = f.pos[0] + dx;
        an.ziel[1] = f.pos[1] + dy;
    };
    auto richtung = [&](float dx, float dy) {
        const AnsichtPunkt a = Spielansicht_Projektion(f.pos[0], f.pos[1], 0, false, false);
        const AnsichtPunkt b = Spielansicht_Projektion(f.pos[0] + dx, f.pos[1] + dy, 0, false, false);
        return Spielansicht_Richtung16(a.x, a.y, b.x, b.y);
    };
    auto bild = [&](uint32_t intervall, bool pause) {
        anzeige.frame_intervall = intervall;
        anzeige.pause = pause ? 1 : 0;
        return MatchView_Frame(liste, 1, anzeige, false);
    };
    bild(10, false);
    ziel(500, 0);
    ASSERT_TRUE(bild(10, false));
    const int32_t start = MatchView_Richtung(0, 5);
    ASSERT_NE(start, 255);
    // Settled on the first target.
    for (int32_t i = 0; i < 16; ++i) bild(10, false);
    EXPECT_EQ(MatchView_Richtung(0, 5), richtung(500, 0));
    // The opposite way: counter-clockwise, one sixteenth per frame below 18 ms.
    const int32_t von = MatchView_Richtung(0, 5);
    ziel(-500, 0);
    bild(10, false);
    EXPECT_EQ(MatchView_Richtung(0, 5), (von + 15) % 16);
    bild(10, false);
    EXPECT_EQ(MatchView_Richtung(0, 5), (von + 14) % 16);
    // PAUSE keeps the facing.
    bild(10, true);
    bild(10, true);
    EXPECT_EQ(MatchView_Richtung(0, 5), (von + 14) % 16);
    // At 45 ms a choice is held for 70 ms of the match clock while the order stands.
    bild(45, false);
    const int32_t gehalten = MatchView_Richtung(0, 5);
    bild(45, false);
    bild(45, false);
    EXPECT_EQ(MatchView_Richtung(0, 5), gehalten);
    satz->spielzeit_ms += 71;
    bild(45, false);
    EXPECT_EQ(MatchView_Richtung(0, 5), (gehalten + 15) % 16);
    for (int32_t i = 0; i < 16; ++i) {
        satz->spielzeit_ms += 71;
        bild(45, false);
    }
    EXPECT_EQ(MatchView_Richtung(0, 5), richtung(-500, 0));
}


// The team panel's club as a stand-in for the panel: a switch redraws the
// plates, as the panel's switch does through the composition root.
int32_t g_gezeigt = -1;
int32_t Gezeigt_Wechseln(int32_t team) {
    if (team != -1 && team != g_gezeigt) {
        g_gezeigt = team;
        MatchView_Name_Plates();
    }
    return g_gezeigt;
}

// Pixels of the standing-out name colour in the left and right half of a plate.
std::array<int32_t, 2> Hervorgehoben(const std::vector<uint16_t>& schirm, int32_t x, int32_t y, int32_t w, int32_t h) {
    std::array<int32_t, 2> n{0, 0};
    for (int32_t yy = y; yy < y + h; ++yy)
        for (int32_t xx = x; xx < x + w; ++xx)
            if (schirm[size_t(yy) * 800 + size_t(xx)] == TAFEL_NAME_GEZEIGT) ++n[xx - x < w / 2 ? 0 : 1];
    return n;
}

// The club the team panel shows stands out on every visible plate: nobody's
// at first, then the first view's home club, after a click on the lower view
// that view's away club (the shown-team toggle), the upper plate white again.
TEST_F(SpielansichtWelt, TheTeamPanelsClubStandsOutOnEveryVisiblePlate) {
    ASSERT_NE(saetze[0]->team[0], saetze[1]->team[1]);
    g_gezeigt = -1;
    MatchView_Frame(saetze.data(), 2, anzeige, false);
    ASSERT_TRUE(Zeigen(2));
    enum Schritt { NICHTS, PANEL_HEIM, KLICK_UNTEN };
    struct Fall {
        const char* was;
        Schritt schritt;
        int32_t gezeigt_aus;     // -1 none, else 2 * view + side of the club shown
        const char* bild;
    };
    const Fall faelle[] = {
        {"no club shown", NICHTS, -1, nullptr},
        {"the panel switches to view 0's home club", PANEL_HEIM, 0, "spielansicht_namen_heim"},
        {"a click on view 1 shows its away club", KLICK_UNTEN, 3, "spielansicht_namen_gast"},
    };
    for (const Fall& f : faelle) {
        if (f.schritt == PANEL_HEIM) {
            MatchView_Hooks().team_wechseln = Gezeigt_Wechseln;
            Gezeigt_Wechseln(int32_t(saetze[0]->team[0]));
        } else if (f.schritt == KLICK_UNTEN) {
            Plat_Headless_Maus(400, 420, 0);
            Zeigen(2, 1);
            Plat_Headless_Maus(400, 420, 1);
            Zeigen(2, 1);
            Plat_Headless_Maus(-100, -100, 0);
        }
        ASSERT_TRUE(Zeigen(2, 1)) << f.was;
        if (f.gezeigt_aus >= 0) {
            EXPECT_EQ(g_gezeigt, int32_t(saetze[size_t(f.gezeigt_aus / 2)]->team[f.gezeigt_aus % 2])) << f.was;
        }
        for (int32_t v = 0; v < 2; ++v) {
            const MatchViewLage l = MatchView_Lage(v);
            const std::array<int32_t, 2> n = Hervorgehoben(bild->schirm, l.x, l.y, l.w, TAFEL_GROSS_H);
            for (int32_t seite = 0; seite < 2; ++seite) {
                if (f.gezeigt_aus == 2 * v + seite) {
                    EXPECT_GT(n[size_t(seite)], 20) << f.was << ": view " << v << " side " << seite;
                } else {
                    EXPECT_EQ(n[size_t(seite)], 0) << f.was << ": view " << v << " side " << seite;
                }
            }
        }
        if (f.bild) {
            EXPECT_EQ(Bild(f.bild), "") << f.was;
        }
    }
    MatchView_Hooks().team_wechseln = nullptr;
}

// A networked match waiting for the other machine shows the waiting line in
// its ticker: once the wait has lasted over 2000 ms, then at every further
// 2000 ms, never while the view is paused, and a brief wait at a minute change
// shows nothing.
TEST_F(SpielansichtWelt, ANetworkedMatchWaitingForTheOtherMachineSaysSoInItsTicker) {
    const auto netz_vorher = Spielfeld_Hooks().netz_modus;
    const uint32_t intervall_vorher = Spielfeld_Ansicht().frame_intervall;
    Spielfeld_Hooks().netz_modus = [] { return 2; };
    Spielfeld_Satz* s = saetze[0];
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    // The world's texts (the pictures' installation holds none).
    Reg_Write_String("Work_dir", dirs.install.c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    const bool texte = Text_Laden();
    Reg_Write_String("Work_dir", bild->welt.install.c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    ASSERT_TRUE(texte);
    const std::string zeile = Text_Tabelle(TICKER_TEXT_WARTEN) ? Text_Tabelle(TICKER_TEXT_WARTEN) : "";
    ASSERT_FALSE(zeile.empty());
    struct Fall {
        uint32_t jetzt;       // the frame time the tick hands the wait
        bool pause, ende;     // the view paused; the minute released before this wait
        bool neue_zeile;
    };
    const Fall faelle[] = {
        {100000, false, false, false},   // the wait begins
        {101000, false, false, false},
        {102001, false, false, true},    // over 2000 ms
        {103000, false, false, false},
        {104002, true, false, false},    // paused: no line
        {104003, false, false, true},
        {106004, false, false, true},
        {108100, false, true, false},    // released, then a new wait: brief, nothing
        {109000, false, false, false},
        {110101, false, false, true},
    };
    uint32_t uhr = s->spielzeit_ms;
    for (const Fall& f : faelle) {
        if (f.ende) Spielfeld_Sync_Warten_Ende(s);
        s->spielzeit_ms = ++uhr;
        Spielfeld_Sync_Warten(s, f.jetzt, f.pause);
        uint32_t vorher = 0, zeit = 0;
        MatchView_Ticker(0, &vorher);
        ASSERT_TRUE(Zeigen(1, 1));
        const std::string text = MatchView_Ticker(0, &zeit);
        EXPECT_EQ(zeit != vorher, f.neue_zeile) << f.jetzt;
        if (f.neue_zeile) {
            EXPECT_EQ(text, zeile) << f.jetzt;
            EXPECT_EQ(zeit, uhr) << f.jetzt;
        }
    }
    EXPECT_EQ(Bild("spielansicht_warten"), "");
    // A view started while its game waits shows no line of the past (the
    // match's newest event is no longer new, whatever the play brought).
    s->ereignis_neu = 0;
    MatchView_Exit();
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(MatchView_Ticker(0, nullptr), "");
    Spielfeld_Sync_Warten_Ende(s);
    Spielfeld_Hooks().netz_modus = netz_vorher;
    Spielfeld_Frameabzug_Setzen(0);
    Spielfeld_Ansicht().frame_intervall = intervall_vorher;
    Text_Free();
}

// The ticker shows its line for 3000 ms of match clock from the moment it was
// set and not before it (a record whose clock went back), whatever the view's
// PAUSE: a paused match's clock stands, so its line stays until play goes on.
TEST_F(SpielansichtWelt, TheTickerShowsItsLineFor3000MsOfMatchClockAlsoWhilePaused) {
    Spielfeld_Satz* s = saetze[0];
    s->ereignis_neu = 0;
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    const uint32_t gesetzt = s->spielzeit_ms;
    Ticker_Add_Line(s->spiel, "Ein Satz im Ticker");
    struct Fall {
        int64_t nach;   // ms of match clock since the line was set
        bool pause, sichtbar;
    };
    const Fall faelle[] = {{0, false, true}, {1500, true, true}, {2999, true, true}, {2999, false, true},
                           {3000, true, false}, {3000, false, false}, {9000, false, false}, {-1, false, false}};
    // The ticker's two rows at the bottom of the view, with the ticker and without it.
    auto zeilen = [&] {
        std::vector<uint16_t> z;
        for (int32_t y = 564 - 30; y < 564; ++y)
            z.insert(z.end(), bild->schirm.begin() + y * 800, bild->schirm.begin() + y * 800 + 800);
        return z;
    };
    for (const Fall& f : faelle) {
        s->spielzeit_ms = uint32_t(int64_t(gesetzt) + f.nach);
        anzeige.pause = f.pause ? 1 : 0;
        ASSERT_TRUE(Zeigen(1, 1));
        const std::vector<uint16_t> mit = zeilen();
        Ticker t;
        Ticker_Setzen(&t, "Ein Satz im Ticker", gesetzt);
        // Drawn again by hand over the same frame: no change when the view drew it too.
        Ticker_Zeichnen(t, gesetzt, 0, 0, 800, 564);
        EXPECT_EQ(zeilen() == mit, f.sichtbar) << f.nach << " pause " << f.pause;
        uint32_t zeit = 0;
        MatchView_Ticker(0, &zeit);
        EXPECT_EQ(zeit, gesetzt);
    }
    anzeige.pause = 0;
    s->spielzeit_ms = gesetzt;
}

TEST_F(SpielansichtWelt, OnSnowThePitchIsWhiteAndTheBallOrange) {
    auto satz = std::make_unique<Spielfeld_Satz>(*saetze[0]);
    satz->wetter = 5;
    Spielfeld_Satz* liste[1] = {satz.get()};
    MatchView_Frame(liste, 1, anzeige, false);
    ASSERT_TRUE(MatchView_Frame(liste, 1, anzeige, false));
    ASSERT_TRUE(MatchView_Frame(liste, 1, anzeige, false));
    EXPECT_EQ(Bild("spielansicht_schnee"), "");
}


TEST_F(SpielansichtWelt, OnAClashTheAwaySideWearsItsSecondKitAndTheKeepersTheirs) {
    // Both sides in red first kits of one kit number: the away side changes
    // into its blue second kit; each keeper wears his green or black kit.
    Spielfeld_Satz* s = saetze[0];
    const int32_t heim = int32_t(s->team[0]), gast = int32_t(s->team[1]);
    uint8_t kit[2][36];
    for (int32_t t = 0; t < 2; ++t) {
        const uint8_t farben[12] = {200, 20, 20, 230, 230, 230, 240, 240, 240, 200, 20, 20};
        for (int32_t k = 0; k < 3; ++k) std::memcpy(kit[t] + 12 * k, farben, 12);
        const uint8_t zweites[12] = {20, 40, 200, 230, 230, 230, 20, 40, 120, 230, 230, 230};
        std::memcpy(kit[t] + 12, zweites, 12);
        const uint8_t torwart[12] = {uint8_t(t ? 20 : 30), uint8_t(t ? 20 : 160), uint8_t(t ? 20 : 40), 200, 200, 200, 20, 20, 20, 20, 20, 20};
        std::memcpy(kit[t] + 24, torwart, 12);
        ASSERT_NE(Team_Zeiger(TZ_FARBEN, t ? gast : heim, kit[t], OP_SCHREIBEN), nullptr);
    }
    Team_Wert(TW_TRIKOT_1, gast, Team_Wert(TW_TRIKOT_1, heim, 0, OP_LESEN), OP_SCHREIBEN);
    MatchView_Frame(saetze.data(), 1, anzeige, false);
    ASSERT_TRUE(Zeigen(1));
    EXPECT_EQ(Bild("spielansicht_trikots"), "");
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// The shirt of a side as the pitch shows it: the kit colours brightened as
// the figures take them, the away side in its second kit on a clash.
std::array<int32_t, 3> Hemd(int32_t team, bool zweites) {
    uint8_t kit[36];
    std::memcpy(kit, Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN), 36);
    Figuren_Trikot_Aufhellen(kit);
    const uint8_t* f = kit + (zweites ? 12 : 0);
    return {f[0], f[1], f[2]};
}

// Every two clubs of a league of the generated worlds, with the kits a new
// game gives them and the clash settled as the match day settles it, wear
// shirts that the pitch tells apart: one channel differs by at least 100.
// (A grey kit, brightened as the figures take it, looked white beside a
// white one that the rule rightly does not call a clash.)
TEST(TrikotLiga, EveryTwoClubsOfAGeneratedLeagueAreToldApartOnThePitch) {
    for (auto [seed, klein] : {std::pair{1u, false}, std::pair{2u, true}, std::pair{5u, true}, std::pair{13u, false}}) {
        Rnd_Init();
        WeltgenOptionen o;
        o.klein = klein;
        o.seed = seed;
        WeltgenWelt welt;
        ASSERT_TRUE(Weltgen_Erzeugen(o, welt));
        Trikot_Neues_Spiel();
        for (const WeltgenLand& l : welt.laender)
            for (const auto& liga : l.ligen)
                for (int32_t h : liga)
                    for (int32_t a : liga) {
                        if (h == a) continue;
                        int32_t hk = -1, ak = -1;
                        ASSERT_TRUE(Trikot_Team_VS_Team(h, a, &hk, &ak, 0));
                        const bool zweites = Trikot_Is_Trikot_Equal(Team_Get_TrikotNr(h, 0), Team_Get_TrikotNr(a, 0), 120, false);
                        const std::array<int32_t, 3> x = Hemd(h, false), y = Hemd(a, zweites);
                        int32_t d = 0;
                        for (int32_t c = 0; c < 3; ++c) d = std::max(d, std::abs(x[size_t(c)] - y[size_t(c)]));
                        EXPECT_GE(d, 100) << Team_String(TS_NAME, h, 0, 0) << " against " << Team_String(TS_NAME, a, 0, 0)
                                          << ": kits " << hk << " and " << ak;
                    }
        Spieler_Free();
        Team_Free(0);
    }
}

}  // namespace
}  // namespace velmora::test
