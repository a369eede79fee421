// matchview/wetter.cpp - rain and snow over a match view (see wetter.h).
#include "matchview/wetter.h"

#include <algorithm>
#include <array>

#include "core/debug.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/rastport.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/spielansicht.h"

namespace velmora {
namespace {

constexpr int32_t RES_STADION_SPRITES = 17;
constexpr int32_t REGEN_ANTEIL = 30;   // of 128

struct AnsichtWetter {
    bool init = false;
    uint32_t spiel = 0;
    int32_t w = 0, h = 0;
    std::array<WetterTeilchen, WETTER_TEILCHEN> t{};
};

struct WetterModul {
    std::array<Rastport*, WETTER_BILDER> regen{}, schnee{};
    bool geladen = false;
    std::array<AnsichtWetter, MATCHVIEW_ANSICHTEN> a{};
};
WetterModul g;

// Lays the picture's set pixels over the screen at anteil / 128, clipped to the view.
void Zeichnen(Rastport* bild, const WetterAnsicht& v, int32_t sx, int32_t sy, int32_t anteil) {
    Rastport* schirm = Rastport_Screen();
    const int32_t tiefe = int32_t(Rastport_Depth(schirm));
    if ((tiefe != 15 && tiefe != 16) || Rastport_Depth(bild) != uint32_t(tiefe)) return;
    if (!Rastport_Lock(bild)) return;
    if (Rastport_Lock(schirm)) {
        const uint16_t* q = Rastport_Pixels16(bild);
        uint16_t* z = Rastport_Pixels16(schirm);
        const int32_t bw = int32_t(bild->width), bh = int32_t(bild->height), zw = int32_t(schirm->width);
        const int32_t x0 = std::max(sx, v.x), x1 = std::min({sx + bw, v.x + v.w, zw});
        const int32_t y0 = std::max(sy, v.y), y1 = std::min({sy + bh, v.y + v.h, int32_t(schirm->height)});
        for (int32_t y = y0; q && z && y < y1; ++y)
            for (int32_t x = x0; x < x1; ++x) {
                const uint16_t p = q[size_t(y - sy) * size_t(bw) + size_t(x - sx)];
                if (!p) continue;
                uint16_t& d = z[size_t(y) * size_t(zw) + size_t(x)];
                if (anteil >= 128) {
                    d = p;
                    continue;
                }
                int32_t r, gr, b, r2, g2, b2;
                Colour_Split(d, tiefe, &r, &gr, &b);
                Colour_Split(p, tiefe, &r2, &g2, &b2);
                d = Colour_Make16(tiefe, r + (r2 - r) * anteil / 128, gr + (g2 - gr) * anteil / 128,
                                  b + (b2 - b) * anteil / 128);
            }
        Rastport_Unlock(schirm);
    }
    Rastport_Unlock(bild);
}

void Oben_Neu(WetterTeilchen& t, int32_t w) {
    t.x = uint16_t(Ansicht_Zufall() % w);
    t.y = 0;
    t.frame = uint8_t(Ansicht_Zufall() % 3);
}

}  // namespace

int32_t Wetter_Art(uint8_t wetter) {
    if (wetter == 1 || wetter == 3) return WETTER_REGEN;
    if (wetter >= 4 && wetter <= 6) return WETTER_SCHNEE;
    return -1;
}

int32_t Wetter_Anzahl(int32_t intensitaet) {
    return std::clamp(intensitaet, 0, WETTER_TEILCHEN / 40) * 40;
}

bool Wetter_Init() {
    if (g.geladen) return true;
    const int32_t slot = Bild_Res_Slot(RES_STADION_SPRITES);
    bool ok = true;
    for (int32_t i = 0; i < WETTER_BILDER; ++i) {
        g.regen[size_t(i)] = static_cast<Rastport*>(Res_Load_Bild(slot, WETTER_RES_REGEN + i, 16));
        g.schnee[size_t(i)] = static_cast<Rastport*>(Res_Load_Bild(slot, WETTER_RES_SCHNEE + i, 16));
        ok = ok && g.regen[size_t(i)] && g.schnee[size_t(i)];
    }
    if (!ok) {
        Debug_Printf("MatchView: Regen- oder Schneebild von stadion_sprites.res fehlt\n");
        Wetter_Exit();
        return false;
    }
    g.geladen = true;
    return true;
}

void Wetter_Exit() {
    for (Rastport*& rp : g.regen) rp = rp ? Rastport_Free(rp) : nullptr;
    for (Rastport*& rp : g.schnee) rp = rp ? Rastport_Free(rp) : nullptr;
    g.geladen = false;
    for (AnsichtWetter& a : g.a) a.init = false;
}

int32_t Weather_Draw(const WetterAnsicht& v, int32_t intensitaet, int32_t art) {
    if (intensitaet <= 0 || v.ansicht < 0 || v.ansicht >= MATCHVIEW_ANSICHTEN || v.welt_w < 1 || v.welt_h < 1)
        return 0;
    if (!Wetter_Init()) return 0;
    AnsichtWetter& a = g.a[size_t(v.ansicht)];
    // A view's particles are scattered on its first weather frame of a game (and scale).
    if (!a.init || a.spiel != v.spiel || a.w != v.welt_w || a.h != v.welt_h) {
        for (WetterTeilchen& t : a.t) {
            t.x = uint16_t(Ansicht_Zufall() % v.welt_w);
            t.y = uint16_t(Ansicht_Zufall() % v.welt_h);
            t.tempo = uint16_t(Ansicht_Zufall() % 10);
            t.frame = uint8_t(Ansicht_Zufall() % 3);
        }
        a.init = true;
        a.spiel = v.spiel;
        a.w = v.welt_w;
        a.h = v.welt_h;
    }
    const int32_t n = Wetter_Anzahl(intensitaet);
    for (int32_t i = 0; i < n; ++i) {
        WetterTeilchen& t = a.t[size_t(i)];
        if (t.x == 0 && t.y == 0) Oben_Neu(t, v.welt_w);
        const int32_t sx = v.x + t.x - v.scroll_x, sy = v.y + t.y - v.scroll_y;
        int32_t x = t.x, y = t.y;
        if (art == WETTER_REGEN) {
            Zeichnen(g.regen[std::min<size_t>(t.frame, WETTER_BILDER - 1)], v, sx, sy, REGEN_ANTEIL);
            t.frame = uint8_t(t.frame >= 8 ? 0 : t.frame + 1);
            x += 2 * t.tempo + 3;
            y += 2 * t.tempo + 8;
        } else if (art == WETTER_SCHNEE) {
            Zeichnen(g.schnee[std::min<size_t>(t.frame, WETTER_BILDER - 1)], v, sx, sy, 128);
            const int32_t seit = Ansicht_Zufall() % 5;
            x += (Ansicht_Zufall() & 1) ? seit : -seit;
            y += 3 + (Ansicht_Zufall() & 1);
            if (Ansicht_Zufall() % 1000 < 100) t.frame = uint8_t(Ansicht_Zufall() % 3);
            if (Ansicht_Zufall() % 1000 < 10) y = 0, x = Ansicht_Zufall() % v.welt_w;
        }
        if (x < 0 || x >= v.welt_w || y >= v.welt_h) {
            Oben_Neu(t, v.welt_w);
            continue;
        }
        t.x = uint16_t(x);
        t.y = uint16_t(y);
    }
    return n;
}

const WetterTeilchen* Wetter_Teilchen(int32_t ansicht) {
    return ansicht >= 0 && ansicht < MATCHVIEW_ANSICHTEN ? g.a[size_t(ansicht)].t.data() : nullptr;
}

}  // namespace velmora
