// matchview/banden.cpp - the advertising boards (see banden.h).
#include "matchview/banden.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/debug.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/rastport.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/spielansicht.h"

namespace velmora {
namespace {

constexpr int32_t RES_STADION_BITMAPS = 16;

// Position and slant of the boards, in world-picture pixels at full scale.
constexpr int32_t ORTE[BANDEN][3] = {
    {117, 338, 0},   {239, 307, 0},   {361, 277, 0},   {922, 137, 0},   {1044, 107, 0},  {1166, 76, 0},
    {1542, 76, 1},   {1663, 106, 1},  {1784, 136, 1},  {1904, 166, 1},  {2025, 196, 1},  {2146, 227, 1},
    {2267, 257, 1},  {2630, 347, 1},  {2751, 378, 1},  {2872, 408, 1},  {2993, 438, 1},  {3114, 468, 1},
    {3235, 499, 1},  {3356, 529, 1},  {2317, 889, 0},  {2439, 858, 0},  {2561, 828, 0},  {3123, 687, 0},
    {3244, 657, 0},  {3367, 626, 0},  {103, 435, 1},   {224, 465, 1},   {345, 495, 1},   {466, 525, 1},
    {586, 556, 1},   {707, 586, 1},   {828, 616, 1},   {949, 647, 1},   {1070, 677, 1},  {1191, 707, 1},
    {1312, 738, 1},  {1433, 768, 1},  {1554, 798, 1},  {1675, 829, 1},  {1797, 859, 1},  {1918, 889, 1}};

struct AnsichtBanden {
    bool init = false;
    uint32_t spiel = 0;
    std::array<Bande, BANDEN> b{};
};

struct BandenModul {
    std::array<Rastport*, 2> rahmen{};
    std::array<std::array<Rastport*, BANDEN_WERBER>, 2> werbung{};
    bool geladen = false;
    std::array<AnsichtBanden, MATCHVIEW_ANSICHTEN> a{};
    std::vector<uint16_t> mischung = std::vector<uint16_t>(size_t(BANDE_W) * BANDE_H);
};
BandenModul g;

int32_t Ein_X(int32_t lage) { return lage == 0 ? 13 : -13; }

// Draws w x h pixels (non-zero ones) at world position (wx, wy) into the
// view, halved at half scale: every second pixel of every second row.
void Zeichnen(const uint16_t* px, int32_t w, int32_t h, const BandenAnsicht& v, int32_t wx, int32_t wy) {
    Rastport* schirm = Rastport_Screen();
    if (!px || Rastport_Depth(schirm) < 15 || !Rastport_Lock(schirm)) return;
    uint16_t* z = Rastport_Pixels16(schirm);
    const int32_t k = v.halb ? 2 : 1, zw = int32_t(schirm->width), zh = int32_t(schirm->height);
    const int32_t sx = v.x + wx / k - v.scroll_x, sy = v.y + wy / k - v.scroll_y;
    for (int32_t j = 0; z && j < h / k; ++j) {
        const int32_t y = sy + j;
        if (y < std::max(v.y, 0) || y >= std::min(v.y + v.h, zh)) continue;
        for (int32_t i = 0; i < w / k; ++i) {
            const int32_t x = sx + i;
            if (x < std::max(v.x, 0) || x >= std::min(v.x + v.w, zw)) continue;
            const uint16_t p = px[size_t(j * k) * size_t(w) + size_t(i * k)];
            if (p) z[size_t(y) * size_t(zw) + size_t(x)] = p;
        }
    }
    Rastport_Unlock(schirm);
}

const uint16_t* Pixel(Rastport* rp) { return rp && Rastport_Lock(rp) ? Rastport_Pixels16(rp) : nullptr; }
void Frei(Rastport* rp) {
    if (rp) Rastport_Unlock(rp);
}

// A rolling board: the frame with the two advertisers laid into its face at
// their offsets (the outgoing one over the incoming one).
void Rollen_Zeichnen(const Bande& b, const BandenAnsicht& v) {
    Rastport* rahmen = g.rahmen[size_t(b.lage)];
    Rastport* aus = g.werbung[size_t(b.lage)][size_t(b.werber[b.gezeigt])];
    Rastport* ein = g.werbung[size_t(b.lage)][size_t(b.werber[1 - b.gezeigt])];
    const uint16_t *r = Pixel(rahmen), *pa = Pixel(aus), *pe = Pixel(ein);
    if (r && pa && pe) {
        for (int32_t y = 0; y < BANDE_H; ++y)
            for (int32_t x = 0; x < BANDE_W; ++x) {
                uint16_t p = r[size_t(y) * BANDE_W + size_t(x)];
                auto holen = [&](const uint16_t* q, const int32_t* o) -> uint16_t {
                    const int32_t qx = x - o[0], qy = y - o[1];
                    return qx >= 0 && qy >= 0 && qx < BANDE_W && qy < BANDE_H ? q[size_t(qy) * BANDE_W + size_t(qx)] : 0;
                };
                if (p) {
                    if (const uint16_t q = holen(pa, b.aus)) p = q;
                    else if (const uint16_t q2 = holen(pe, b.ein)) p = q2;
                }
                g.mischung[size_t(y) * BANDE_W + size_t(x)] = p;
            }
        Zeichnen(g.mischung.data(), BANDE_W, BANDE_H, v, b.x, b.y);
    }
    Frei(rahmen);
    Frei(aus);
    Frei(ein);
}

void Aufstellen(AnsichtBanden& a, const Spielfeld_Satz& s) {
    int32_t k = 0, k2 = 1;
    for (int32_t i = 0; i < BANDEN; ++i) {
        Bande& b = a.b[size_t(i)];
        b = Bande{};
        b.x = ORTE[i][0];
        b.y = ORTE[i][1];
        b.lage = ORTE[i][2];
        b.wechsel = int64_t(s.spielzeit_ms) - Ansicht_Zufall() % BANDEN_WECHSEL_MS;
        b.werber[0] = Banden_Werber(s, k);
        b.werber[1] = Banden_Werber(s, k2);
        b.ein[0] = Ein_X(b.lage);
        b.ein[1] = 26;
        k = (k + 1) % 8;
        k2 = (k2 + 1) % 8;
    }
    a.init = true;
    a.spiel = s.spiel;
}

}  // namespace

int32_t Banden_Werber(const Spielfeld_Satz& s, int32_t j) {
    const int32_t w = int32_t(s.werbung[size_t(std::clamp(j, 0, 13))] % 15) - 1;
    return w < 0 ? 1 : w;
}

bool Banden_Init() {
    if (g.geladen) return true;
    const int32_t slot = Bild_Res_Slot(RES_STADION_BITMAPS);
    bool ok = true;
    for (int32_t l = 0; l < 2; ++l) {
        Rastport* r = static_cast<Rastport*>(Res_Load_Bild(slot, BANDEN_RES_RAHMEN + l, 16));
        g.rahmen[size_t(l)] = r;
        ok = ok && r && r->width == uint32_t(BANDE_W) && r->height == uint32_t(BANDE_H);
        for (int32_t w = 0; w < BANDEN_WERBER; ++w) {
            Rastport* p = static_cast<Rastport*>(Res_Load_Bild(slot, BANDEN_RES_WERBUNG + l * BANDEN_WERBER + w, 16));
            g.werbung[size_t(l)][size_t(w)] = p;
            ok = ok && p && p->width == uint32_t(BANDE_W) && p->height == uint32_t(BANDE_H);
        }
    }
    if (!ok) {
        Debug_Printf("MatchView: Bandenbild von stadion_bitmaps.res fehlt oder hat eine andere Groesse\n");
        Banden_Exit();
        return false;
    }
    g.geladen = true;
    return true;
}

void Banden_Exit() {
    for (Rastport*& r : g.rahmen) r = r ? Rastport_Free(r) : nullptr;
    for (auto& reihe : g.werbung)
        for (Rastport*& r : reihe) r = r ? Rastport_Free(r) : nullptr;
    g.geladen = false;
    for (AnsichtBanden& a : g.a) a.init = false;
}

void Boards_Draw(const BandenAnsicht& v, const Spielfeld_Satz& s, int32_t ebene) {
    if (v.ansicht < 0 || v.ansicht >= MATCHVIEW_ANSICHTEN || (ebene != 1 && ebene != 2) || !Banden_Init()) return;
    AnsichtBanden& a = g.a[size_t(v.ansicht)];
    if (!a.init || a.spiel != s.spiel) Aufstellen(a, s);
    const int64_t uhr = s.spielzeit_ms;
    for (Bande& b : a.b)
        if (!b.rollt && b.wechsel + BANDEN_WECHSEL_MS < uhr) {
            b.rollt = true;
            b.wechsel = uhr;
        }
    const int32_t von = ebene == 1 ? 0 : BANDEN_EBENE1, bis = ebene == 1 ? BANDEN_EBENE1 : BANDEN;
    for (int32_t i = von; i < bis; ++i) {
        Bande& b = a.b[size_t(i)];
        if (!b.rollt) {
            Rastport* p = g.werbung[size_t(b.lage)][size_t(b.werber[b.gezeigt])];
            Zeichnen(Pixel(p), BANDE_W, BANDE_H, v, b.x, b.y);
            Frei(p);
            continue;
        }
        Rollen_Zeichnen(b, v);
        const int32_t dx = b.lage == 0 ? -1 : 1;
        b.aus[0] += dx;
        b.ein[0] += dx;
        b.aus[1] -= 2;
        b.ein[1] -= 2;
        if (b.lage == 0 ? b.ein[0] < 0 : b.ein[0] > 0) {
            b.aus[0] = b.aus[1] = 0;
            b.ein[0] = Ein_X(b.lage);
            b.ein[1] = 26;
            b.werber[b.gezeigt] = Banden_Werber(s, Ansicht_Zufall() % 8);
            b.gezeigt = 1 - b.gezeigt;
            b.rollt = false;
        }
    }
}

const Bande* Banden_Zustand(int32_t ansicht) {
    if (ansicht < 0 || ansicht >= MATCHVIEW_ANSICHTEN || !g.a[size_t(ansicht)].init) return nullptr;
    return g.a[size_t(ansicht)].b.data();
}

}  // namespace velmora
