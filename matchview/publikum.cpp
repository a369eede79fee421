// matchview/publikum.cpp - the crowd in the stands (see publikum.h).
#include "matchview/publikum.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/debug.h"
#include "core/mem.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/colour.h"
#include "gfx/rastport.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/spielansicht.h"
#include "matchview/spielansicht_figuren.h"

namespace velmora {
namespace {

constexpr int32_t RES_STADION_GFX = 12;

// The layout rows: lines, direction of the figures, figures per line, line
// starts, step A and step B (after every fourth figure).
struct Reihe {
    int32_t linien;
    uint8_t richtung;
    int32_t figuren[16];
    int32_t start[16][2];
    int32_t a[2], b[2];
};
const Reihe REIHEN[16] = {
    {3, 6, {6, 14, 22}, {{648, 31}, {688, 80}, {729, 130}}, {23, -6}, {37, -8}},
    {5, 10, {36, 32, 24, 16, 8}, {{1708, 28}, {1853, 4}, {2104, 7}, {2355, 10}, {2606, 13}}, {22, 5}, {40, 11}},
    {6, 10, {33, 32, 30, 28, 27, 25}, {{2749, 288}, {2789, 238}, {2830, 189}, {2871, 139}, {2913, 89}, {2956, 39}}, {22, 5}, {40, 11}},
    {}, {}, {}, {},
    {7, 6, {15, 13, 12, 10, 8, 3, 0}, {{354, 223}, {314, 174}, {273, 124}, {232, 75}, {191, 26}, {42, 2}, {0, 0}}, {-23, 6}, {-37, 8}},
    {7, 6, {20, 18, 16, 12, 11, 7, 4}, {{719, 137}, {702, 117}, {685, 98}, {671, 78}, {655, 59}, {638, 40}, {621, 20}}, {23, -6}, {37, -8}},
    {14, 10, {4, 5, 8, 11, 14, 16, 20, 24, 26, 28, 32, 36, 36, 36},
     {{2835, 9}, {2819, 28}, {2802, 47}, {2786, 67}, {2770, 87}, {2753, 106}, {2735, 124}, {2720, 144}, {2702, 164},
      {2687, 184}, {2671, 203}, {2654, 222}, {2636, 242}, {2619, 261}}, {-23, -6}, {-37, -8}},
    {15, 10, {24, 25, 26, 27, 27, 28, 28, 28, 28, 28, 29, 30, 30, 32, 32},
     {{2973, 19}, {2957, 39}, {2939, 58}, {2923, 77}, {2907, 97}, {2890, 116}, {2874, 136}, {2858, 156}, {2842, 175},
      {2826, 195}, {2809, 214}, {2792, 234}, {2776, 253}, {2759, 273}, {2745, 291}}, {22, 5}, {40, 11}},
    {}, {}, {}, {},
    {12, 6, {6, 8, 8, 10, 10, 11, 12, 12, 12, 12, 13, 14},
     {{175, 13}, {190, 33}, {207, 52}, {223, 72}, {240, 91}, {259, 111}, {273, 130}, {292, 149}, {306, 169}, {323, 187},
      {339, 208}, {350, 228}}, {-23, 6}, {-37, 8}},
};
constexpr int32_t BLOCK_STAND[8] = {0, 1, 1, 2, 3, 4, 4, 5};

struct AnsichtPublikum {
    bool init = false;
    uint32_t spiel = 0;
    std::vector<Zuschauer> z;
};

struct PublikumModul {
    std::array<FigurenAnim, PUBLIKUM_ANIMATIONEN> anim{};
    bool geladen = false, versucht = false;
    std::array<AnsichtPublikum, MATCHVIEW_ANSICHTEN> a{};
    std::array<std::array<uint16_t, 256>, 5> farben{};   // the crowd's own colours, slots 57-61
};
PublikumModul g;

// Spectators of no side: skin, hair and four clothes colours each.
void Farben_Bauen() {
    static constexpr uint32_t KLEIDUNG[5][4] = {{0x2A4A8C, 0x1C2F5A, 0xD8D4C8, 0x303030},
                                                {0x8C2A2A, 0x5A1C1C, 0xE0C890, 0x3A3A3A},
                                                {0x3A6A3A, 0x2A4A2A, 0xC8C8C8, 0x202020},
                                                {0xC89A3A, 0x8A6A2A, 0x6A5A4A, 0x2A2A2A},
                                                {0xE8E8E8, 0xA0A0A0, 0x4A5A7A, 0x1A1A1A}};
    static constexpr uint32_t HAUT[5] = {0xE0B896, 0x8A6A4A, 0xD8A880, 0xB88A60, 0xF0CCAA};
    static constexpr uint32_t HAAR[5] = {0x3A2A1A, 0x101010, 0xC8A060, 0x6A4A2A, 0x808080};
    for (int32_t i = 0; i < 5; ++i) {
        auto rgb = [](uint32_t c) { return Farbe_RGB(int32_t(c >> 16) & 255, int32_t(c >> 8) & 255, int32_t(c) & 255); };
        const uint32_t f[6] = {rgb(HAUT[i]),        rgb(HAAR[i]),        rgb(KLEIDUNG[i][0]),
                               rgb(KLEIDUNG[i][1]), rgb(KLEIDUNG[i][2]), rgb(KLEIDUNG[i][3])};
        Figuren_Tabelle_Figur(g.farben[size_t(i)].data(), f);
    }
}

int32_t Animation(uint8_t art, int32_t r) {
    if (art == 1) return r < 30 ? 14 : r < 50 ? 1 : r < 60 ? 2 : r < 70 ? 5 : r < 80 ? 6 : r < 85 ? 7 : r < 90 ? 8 : r < 100 ? 9 : 0;
    if (art == 2) return r < 30 ? 3 : r < 70 ? 4 : r < 80 ? 10 : r < 90 ? 11 : r < 100 ? 12 : 0;
    return 0;
}

}  // namespace

int32_t Crowd_Setup(int32_t ansicht, const Spielfeld_Satz& s) {
    if (ansicht < 0 || ansicht >= MATCHVIEW_ANSICHTEN) return 0;
    AnsichtPublikum& a = g.a[size_t(ansicht)];
    a.z.clear();
    a.init = true;
    a.spiel = s.spiel;
    const int64_t uhr = s.spielzeit_ms;
    for (int32_t block = 0; block < 8; ++block) {
        const int32_t stand = BLOCK_STAND[block], kind = int8_t(s.tribuene[stand]);
        if (kind < 1 || kind > 4) continue;
        const Reihe& reihe = REIHEN[kind == 1 ? block + 8 : block];
        const uint8_t art = kind == 1 ? 2 : 1;
        const int32_t fuellung = int32_t(std::min<uint32_t>(s.belegung[stand], 1000));
        const uint8_t gruppe = block >= 2 && block <= 5 ? 1 : 0;
        for (int32_t l = 0; l < reihe.linien; ++l) {
            int32_t px = reihe.start[l][0], py = reihe.start[l][1];
            for (int32_t j = 0; j < reihe.figuren[l] && a.z.size() < size_t(PUBLIKUM_MAX); ++j) {
                Zuschauer z;
                z.art = Ansicht_Zufall(0, 100) <= fuellung ? art : 0;
                z.anim = uint8_t(Animation(z.art, Ansicht_Zufall(0, 100)));
                z.richtung = reihe.richtung;
                z.x = px + (art == 1 ? -6 : 0);
                z.y = py + (art == 1 ? 14 : 0);
                z.zeit = uhr;
                z.intervall = Ansicht_Zufall(0, 300) + 50;
                Ansicht_Zufall(50, 5000);   // the spare time value's draw keeps the sequence
                z.gruppe = gruppe;
                if (gruppe == 0) z.farbe = uint8_t(Ansicht_Zufall(0, 100) < 70 ? Ansicht_Zufall(3, 17) : PUBLIKUM_FARBE_ERSTE + Ansicht_Zufall(0, 4));
                else z.farbe = uint8_t(Ansicht_Zufall(0, 100) < 30 ? Ansicht_Zufall(20, 34) : PUBLIKUM_FARBE_ERSTE + Ansicht_Zufall(0, 4));
                a.z.push_back(z);
                const int32_t* schritt = j % 4 == 3 ? reihe.b : reihe.a;
                px += schritt[0];
                py += schritt[1];
            }
        }
    }
    return int32_t(a.z.size());
}

const Zuschauer* Publikum(int32_t ansicht, int32_t* anzahl) {
    if (ansicht < 0 || ansicht >= MATCHVIEW_ANSICHTEN || !g.a[size_t(ansicht)].init) {
        if (anzahl) *anzahl = 0;
        return nullptr;
    }
    if (anzahl) *anzahl = int32_t(g.a[size_t(ansicht)].z.size());
    return g.a[size_t(ansicht)].z.data();
}

bool Publikum_Init() {
    if (g.geladen) return true;
    if (g.versucht) return false;   // a failed load is not retried every frame: no crowd frames
    g.versucht = true;
    const int32_t slot = Bild_Res_Slot(RES_STADION_GFX);
    for (int32_t i = 0; i < PUBLIKUM_ANIMATIONEN; ++i) {
        uint32_t bytes = 0;
        int16_t typ = 0;
        std::string fehler = "Eintrag fehlt";
        void* roh = Res_Eintrag_Info(slot, PUBLIKUM_RES[i], &typ, &bytes) && typ == FIGUREN_RES_TYP
                        ? Res_Eintrag_Roh(slot, PUBLIKUM_RES[i], &bytes)
                        : nullptr;
        const bool ok = roh && Figuren_Eintrag_Lesen(static_cast<const uint8_t*>(roh), bytes, 0, &g.anim[size_t(i)], &fehler);
        Mem_Free(roh);
        if (!ok) {
            Debug_Printf("MatchView: Zuschauer-Animation %d (Eintrag %d) fehlt: %s\n", i, PUBLIKUM_RES[i], fehler.c_str());
            for (FigurenAnim& f : g.anim) f = FigurenAnim{};
            return false;
        }
    }
    Farben_Bauen();
    g.geladen = true;
    return true;
}

void Publikum_Exit() {
    for (FigurenAnim& f : g.anim) f = FigurenAnim{};
    g.geladen = g.versucht = false;
    for (AnsichtPublikum& a : g.a) a = AnsichtPublikum{};
}

void Crowd_Draw(const AnsichtFenster& v, const Spielfeld_Satz& s, const uint16_t* (*tabelle)(int32_t, int32_t)) {
    if (v.ansicht < 0 || v.ansicht >= MATCHVIEW_ANSICHTEN || !tabelle) return;
    AnsichtPublikum& a = g.a[size_t(v.ansicht)];
    if (!a.init || a.spiel != s.spiel) Crowd_Setup(v.ansicht, s);
    if (!Publikum_Init()) return;
    const int64_t uhr = s.spielzeit_ms;
    const int32_t k = v.halb ? 2 : 1;
    for (Zuschauer& z : a.z) {
        if (z.art != 1 && z.art != 2) continue;
        const FigurenAnim& an = g.anim[z.anim];
        if (an.frames < 1) continue;
        const int32_t richtungen = int32_t(an.frame.size()) / an.frames;
        const int32_t r = richtungen > 1 ? z.richtung % richtungen : 0;
        z.frame = uint8_t(std::min<int32_t>(z.frame, an.frames - 1));
        const uint16_t* t = z.farbe >= PUBLIKUM_FARBE_ERSTE && z.farbe < PUBLIKUM_FARBE_ERSTE + 5
                                ? g.farben[size_t(z.farbe - PUBLIKUM_FARBE_ERSTE)].data()
                                : tabelle(v.ansicht, z.farbe);
        if (t)
            Figuren_Frame_Zeichnen(an, an.Frame(r, z.frame), t, Rastport_Screen(), v.x + z.x / k - v.scroll_x,
                                   v.y + z.y / k - v.scroll_y, v.x, v.y, v.w, v.h, v.halb);
        const bool faellig = uhr - z.zeit >= z.intervall;
        if (z.anim == 0) {
            if (Ansicht_Zufall(0, 100) < int32_t(std::min<uint32_t>(s.stimmung[z.gruppe], 1000))) z.bewegt = true;
            if (z.bewegt && faellig) {
                z.frame = uint8_t(z.frame + 1 >= an.frames ? 0 : z.frame + 1);
                z.zeit = uhr;
            }
        } else if (z.anim <= 6) {
            if (s.reaktion_art[z.gruppe] & 1) z.bewegt = Ansicht_Zufall(0, 100) < 50;
            if (z.bewegt && faellig) {
                z.frame = uint8_t(z.frame + 1 >= an.frames ? 0 : z.frame + 1);
                z.zeit = uhr;
                if (z.frame == 0) z.bewegt = false;
            }
        }
    }
}

}  // namespace velmora
