// tests/gui/menue_welt.h - a Menue screen for the tests: an 800 x 600 screen,
// a resource file of test pictures as resource file 1 (slave numbers 4000 +
// entry), the headless mouse and virtual clock behind the framework's hooks,
// manager icon states in a table, a block font, and the debug log captured.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "core/debug.h"
#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/grafik_laden.h"
#include "gfx/rastport.h"
#include "gfx/schatten.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "tests/gfx/grafik_lader.h"
#include "tests/support/png.h"
#include "tests/support/temp_dir.h"

namespace velmora::test {

constexpr uint16_t Farbe(int r, int g, int b) { return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }

// The pictures of the test resource file, slave number 4000 + index.
enum TestBild : int32_t {
    BILD_HINTERGRUND = 4000,   // 800 x 600 blue gradient with a grid
    BILD_KNOPF = 4001,         // 80 x 30 grey button with a dark frame
    BILD_KNOPF_AN = 4002,      // 80 x 30 green
    BILD_KNOPF_DRUCK = 4003,   // 80 x 30 dark grey
    BILD_KREIS = 4004,         // 40 x 40 red disc on 0 (transparent when keyed)
    BILD_KLEIN = 4005,         // 16 x 16 yellow square
    BILD_ABDUNKELN = 12331,    // the requester's darkening picture (file 3, entry 331) is absent
};

inline std::vector<uint8_t> Nalp(Rastport* rp) {
    std::vector<uint8_t> d(Rastport_File_Size(rp));
    Rastport_Write_Mem(rp, d.data(), d.size());
    Rastport_Free(rp);
    return d;
}

inline Rastport* Flaeche(int32_t w, int32_t h, uint16_t farbe, uint16_t rahmen) {
    Rastport* rp = Rastport_Create(w, h, 16, 0, 0);
    Rastport_Fill(rp, 0, 0, -1, -1, rahmen, nullptr);
    Rastport_Fill(rp, 2, 2, w - 4, h - 4, farbe, nullptr);
    return rp;
}

inline std::vector<ResDateiEintrag> Test_Bilder() {
    std::vector<ResDateiEintrag> e;
    Rastport* hg = Rastport_Create(800, 600, 16, 0, 0);
    uint16_t* p = Rastport_Pixels16(hg);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            p[y * 800 + x] = (x % 100 == 0 || y % 100 == 0) ? Farbe(200, 200, 255) : Farbe(0, y * 120 / 600, 60 + x * 150 / 800);
    e.push_back({14, Nalp(hg)});
    e.push_back({14, Nalp(Flaeche(80, 30, Farbe(180, 180, 180), Farbe(40, 40, 40)))});
    e.push_back({14, Nalp(Flaeche(80, 30, Farbe(40, 200, 40), Farbe(40, 40, 40)))});
    e.push_back({14, Nalp(Flaeche(80, 30, Farbe(90, 90, 90), Farbe(40, 40, 40)))});
    Rastport* kreis = Rastport_Create(40, 40, 16, 0, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            Rastport_Pixels16(kreis)[y * 40 + x] =
                (x - 19.5) * (x - 19.5) + (y - 19.5) * (y - 19.5) <= 400 ? Farbe(230, 30, 30) : 0;
    e.push_back({14, Nalp(kreis)});
    e.push_back({14, Nalp(Flaeche(16, 16, Farbe(250, 230, 0), Farbe(120, 100, 0)))});
    return e;
}

// A font whose glyphs are solid white blocks 3 pixels wide over rows 2..9 of a
// 12-row sheet; the space is 3 pixels of nothing. Baseline offset 10.
inline std::vector<uint8_t> Block_Font_Eintrag() {
    Font f;
    f.bogen = Rastport_Create(224 * 4, 12, 16, 0, 0);
    Rastport_Fill(f.bogen, 0, 0, -1, -1, 0, nullptr);
    for (int c = 0; c < 224; ++c) {
        f.glyph_x[c] = c * 4;
        f.glyph_breite[c] = 3;
        if (c != 0) Rastport_Fill(f.bogen, c * 4, 2, 3, 8, 0xFFFF, nullptr);
    }
    f.abstand = 1;
    f.baseline = 10;
    f.farbe = 0xFFFF;
    std::vector<uint8_t> d = Font_Write_Mem(&f);
    Rastport_Free(f.bogen);
    return d;
}

class MenueWelt : public ::testing::Test {
public:
    static inline std::vector<std::string> log;
    static inline int32_t zustand[ANZ_SCREEN_ICONS] = {};
    static inline bool rechts_gesperrt = false;
    static inline int32_t rad = 0;
    static inline int32_t slot = -1;
    static inline int32_t slot_anfragen = 0;

protected:
    test::GrafikLader lader;
    void SetUp() override {
        log.clear();
        std::memset(zustand, 0, sizeof zustand);
        rechts_gesperrt = false;
        rad = 0;
        slot_anfragen = 0;
        Debug_Faenger_Setzen([](uint32_t, const char* t) { log.emplace_back(t); });
        static std::vector<ResDateiEintrag> bilder = Test_Bilder();
        const std::string pfad = tmp / "test.res";
        ASSERT_TRUE(Res_Schreiben(pfad.c_str(), bilder));
        slot = Res_Open(pfad.c_str(), 0);
        ASSERT_GE(slot, 0);
        const std::string fpfad = tmp / "font.res";
        ASSERT_TRUE(Res_Schreiben(fpfad.c_str(), {{17, Block_Font_Eintrag()}}));
        font_slot = Res_Open(fpfad.c_str(), 0);
        Font_Free_Set();
        ASSERT_EQ(Font_Load_Set(font_slot, 0, 1), 1);
        schirm.assign(800 * 600, 0);
        Rastport_Screen_Setup(800, 600, schirm.data());
        Rastport_Set_Target(nullptr);
        Plat_Uhr_Virtuell(true, 100000);
        Plat_Headless_Maus(-100, -100, 0);
        MenueHooks& h = Menue_Hooks();
        h = MenueHooks{};
        h.maus_x = [] { int32_t x, y; Plat_Maus(&x, &y); return x; };
        h.maus_y = [] { int32_t x, y; Plat_Maus(&x, &y); return y; };
        h.maus_klick = [] {
            uint32_t k = Plat_Maus_Knoepfe();
            if (!(k & 2)) rechts_gesperrt = false;
            return rechts_gesperrt ? k & ~2u : k;
        };
        h.rechts_sperre = [] { rechts_gesperrt = true; };
        h.rad_holen = [] { int32_t r = rad; rad = 0; return r; };
        h.icon_zustand = [](int32_t n) { return zustand[n]; };
        h.icon_zustand_setzen = [](int32_t n, int32_t w) { zustand[n] = w; };
        h.resourcen_slot = [](int32_t index) { ++slot_anfragen; return index == 1 ? slot : -1; };
        Menue_Hooks_Leeren();
        Menue_Init_Tabellen();
        Menue_Set_Rechtsklick_Icon(-1);
        Menue_Set_Hintergrund(BILD_HINTERGRUND);
        Schatten_Cache_Leeren();
    }
    void TearDown() override {
        Menue_Alles_Loeschen();
        Menue_Init_Tabellen();
        Menue_Hooks_Leeren();
        Menue_Hooks() = MenueHooks{};
        Font_Free_Set();
        Res_Close(slot);
        Res_Close(font_slot);
        Plat_Uhr_Virtuell(false);
        Debug_Faenger_Setzen(nullptr);
    }

    // One frame with the mouse at (x, y) and these buttons; the clock then moves on by `ms`.
    void Bild(int32_t x, int32_t y, uint32_t knoepfe = 0, uint32_t ms = 10) {
        Plat_Headless_Maus(x, y, knoepfe);
        Menue_Frame();
        Plat_Uhr_Vorstellen(ms);
    }
    bool Geloggt(const std::string& teil) const {
        for (const auto& l : log)
            if (l.find(teil) != std::string::npos) return true;
        return false;
    }
    int32_t Anzahl_Geloggt(const std::string& teil) const {
        int32_t n = 0;
        for (const auto& l : log) n += l.find(teil) != std::string::npos;
        return n;
    }
    uint16_t Pixel(int32_t x, int32_t y) const { return schirm[size_t(y) * 800 + x]; }
    RgbBild Schirm_Rgb() const { return Rgb_Aus_565(schirm.data(), 800, 600); }

    static s_icon Knopf(int16_t nummer, int16_t x, int16_t y, int8_t pri = 0, IconMainP main = nullptr) {
        s_icon i;
        i.nummer = nummer;
        i.bild = BILD_KNOPF;
        i.typ = 0x1;
        i.x = x;
        i.y = y;
        i.Pri = pri;
        i.Main_P = main;
        return i;
    }

    // Icons live in the fixture, so the tables never point at a test's dead
    // locals when TearDown clears the screen.
    s_icon* Icon(const s_icon& i) { return &icons_.emplace_back(i); }
    s_icon* Liste(std::initializer_list<s_icon> l) {
        std::vector<s_icon>& v = listen_.emplace_back(l);
        v.push_back(s_icon{});
        return v.data();
    }
    std::vector<s_icon>& Vektor(size_t n) { return listen_.emplace_back(n); }

    TempDir tmp;
    int32_t font_slot = -1;
    std::deque<s_icon> icons_;
    std::deque<std::vector<s_icon>> listen_;
    std::vector<uint16_t> schirm;
};

// Records the events every icon's Main_P receives.
struct Ereignis {
    int32_t nummer, ereignis;
    uint32_t zeit;
    bool operator==(const Ereignis& o) const { return nummer == o.nummer && ereignis == o.ereignis; }
};
inline std::vector<Ereignis> ereignisse;
inline void Aufzeichnen(s_icon* i, int32_t e) { ereignisse.push_back({i->nummer, e, Plat_Ms()}); }

}  // namespace velmora::test
