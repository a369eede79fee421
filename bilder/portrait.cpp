// bilder/portrait.cpp - composing, tinting, scaling and caching player portraits.
#include "bilder/portrait.h"

#include <algorithm>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/colour.h"

namespace velmora {

const PortraitSatz PORTRAIT_SATZ[PORTRAIT_SAETZE] = {
    {2, 0},    {12, 158}, {31, 2},   {62, 33},  {31, 95}, {32, 126}, {10, 202},
    {2, 170},  {10, 172}, {10, 182}, {10, 192}, {2, 212}, {2, 214},
};

namespace {

// Part ranges (entries per set) by kind; part n of kind k lies in set 1 + 5k + n.
constexpr int32_t SATZ_BASIS = 0;
constexpr int32_t SATZ_HEMD[2] = {11, 12};
// Parts are laid over the base in this order.
constexpr int32_t REIHENFOLGE[5] = {0, 3, 1, 4, 2};
constexpr int32_t FELD_BITS[5][2] = {{2, 5}, {7, 6}, {13, 7}, {20, 6}, {26, 6}};

struct PortraitModul {
    bool geladen = false;
    std::vector<std::vector<Rastport*>> saetze;
};
PortraitModul g;

Rastport* Teil(int32_t satz, int32_t index) {
    if (satz < 0 || satz >= int32_t(g.saetze.size())) return nullptr;
    const auto& s = g.saetze[size_t(satz)];
    if (index < 0 || index >= int32_t(s.size())) return nullptr;
    return s[size_t(index)];
}

// Tints the composed pixels through the shirt mask's 8-bit plane.
void Hemd_Faerben(Rastport* bild, const Rastport* maske, uint16_t farbe) {
    if (!maske || !maske->alpha || maske->width != bild->width || maske->height != bild->height) return;
    const int32_t n = int32_t(bild->width * bild->height);
    std::vector<uint8_t> bits(size_t(n) / 8 + 1, 0);
    for (int32_t i = 0; i < n; ++i)
        if (maske->alpha[i]) bits[size_t(i) >> 3] |= uint8_t(1u << (i & 7));
    Colour_Tint_Row(Rastport_Pixels16(bild), bits.data(), farbe, int32_t(Rastport_Depth(bild)), n);
}

}  // namespace

PortraitCode Portrait_Code_Zerlegen(int32_t aussehen) {
    PortraitCode c;
    const uint32_t u = uint32_t(aussehen);
    c.art = (u & 3) ? 1 : 0;
    for (int32_t t = 0; t < 5; ++t) {
        const int32_t wert = int32_t((u >> FELD_BITS[t][0]) & ((1u << FELD_BITS[t][1]) - 1));
        const int32_t hoechst = PORTRAIT_SATZ[1 + 5 * c.art + t].anzahl - 1;
        c.teil[t] = std::min(wert, hoechst);
    }
    return c;
}

int32_t Portrait_Code_Bauen(int32_t art, const int32_t teil[5]) {
    uint32_t u = uint32_t(art) & 3;
    for (int32_t t = 0; t < 5; ++t)
        u |= (uint32_t(teil[t]) & ((1u << FELD_BITS[t][1]) - 1)) << FELD_BITS[t][0];
    return int32_t(u);
}

int32_t Portrait_Teile_Laden() {
    if (g.geladen) return 1;
    const int32_t slot = Bild_Res_Slot(BILD_RES_GESICHTER);
    if (slot < 0) return 0;
    g.saetze.assign(PORTRAIT_SAETZE, {});
    for (int32_t s = 0; s < PORTRAIT_SAETZE; ++s) {
        auto& satz = g.saetze[size_t(s)];
        satz.assign(size_t(PORTRAIT_SATZ[s].anzahl), nullptr);
        for (int32_t i = 0; i < PORTRAIT_SATZ[s].anzahl; ++i)
            satz[size_t(i)] =
                static_cast<Rastport*>(Res_Load_Bild(slot, PORTRAIT_SATZ[s].erster + i, Rastport_Screen_Depth()));
    }
    g.geladen = true;
    return 1;
}

void Portrait_Teile_Freigeben() {
    for (auto& satz : g.saetze)
        for (Rastport*& rp : satz) rp = Rastport_Free(rp);
    g.saetze.clear();
    g.geladen = false;
}

Rastport* Portrait_Zusammensetzen(int32_t aussehen, uint16_t hemd1, uint16_t hemd2) {
    if (aussehen < 0 || !Portrait_Teile_Laden()) return nullptr;
    const PortraitCode c = Portrait_Code_Zerlegen(aussehen);
    Rastport* basis = Teil(SATZ_BASIS, c.art);
    if (!basis) {
        Debug_Printf("Portrait_Zusammensetzen: Grundbild %d fehlt\n", c.art);
        return nullptr;
    }
    Rastport* bild = Rastport_Create(int32_t(basis->width), int32_t(basis->height), Rastport_Screen_Depth(), 0, 0);
    if (!bild) return nullptr;
    Rastport_Blit(basis, 0, 0, -1, -1, bild, 0, 0, nullptr);
    for (int32_t t : REIHENFOLGE)
        if (Rastport* teil = Teil(1 + 5 * c.art + t, c.teil[t])) Rastport_Blit(teil, 0, 0, -1, -1, bild, 0, 0, BlitMode_Key_Plane);
    if (Rastport_Lock(bild)) {
        Hemd_Faerben(bild, Teil(SATZ_HEMD[c.art], 0), hemd1);
        Hemd_Faerben(bild, Teil(SATZ_HEMD[c.art], 1), hemd2);
        Rastport_Unlock(bild);
    }
    return bild;
}

Rastport* Portrait_Zeichnen(int32_t spieler, int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t w,
                            int32_t h) {
    if (w < 1) w = PORTRAIT_BREITE;
    if (h < 1) h = PORTRAIT_HOEHE;
    if (!ziel) return nullptr;
    if (!Portrait_Teile_Laden()) return nullptr;
    const int32_t parameter[4] = {spieler, team, w, h};
    if (Rastport* fertig = Rastport_Cache_Find(parameter, 4, CACHE_ART_PORTRAIT)) {
        Rastport_Blit(fertig, 0, 0, -1, -1, ziel, x, y, nullptr);
        return fertig;
    }
    const int32_t code = Spieler_Wert(SPW_AUSSEHEN, spieler, 0, OP_LESEN);
    Rastport* bild = nullptr;
    if (code >= 0) {
        const int32_t tiefe = Rastport_Screen_Depth();
        int32_t f[6] = {180, 180, 180, 240, 240, 240};
        if (const uint8_t* farben = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN))) {
            // Field players wear the kit's triples 1 and 2, goalkeepers triples 9 and 10.
            const int32_t erster = Spieler_Wert(SPW_ART, spieler, 0, OP_LESEN) != 0 ? 0 : 8;
            for (int32_t i = 0; i < 6; ++i) f[i] = farben[erster * 3 + i];
        }
        bild = Portrait_Zusammensetzen(code, Colour_Make(tiefe, f[0], f[1], f[2]), Colour_Make(tiefe, f[3], f[4], f[5]));
    } else {
        bild = Bild_Laden(spieler, 0, BILD_SPIELER);
    }
    if (!bild) return nullptr;
    if (bild->width != uint32_t(w) || bild->height != uint32_t(h)) {
        Rastport* skaliert = Rastport_Create(w, h, int32_t(Rastport_Depth(bild)), 0, 0);
        bool ok = false;
        if (skaliert) {
            if (uint32_t(w) > bild->width || uint32_t(h) > bild->height) ok = Bild_Skalieren_Punkt(bild, skaliert, w, h) == 1;
            else ok = Bild_Skalieren_Mittel(bild, skaliert) == 1;
        }
        Rastport_Free(bild);
        if (!ok) {
            Rastport_Free(skaliert);
            return nullptr;
        }
        bild = skaliert;
    }
    Rastport_Blit(bild, 0, 0, -1, -1, ziel, x, y, nullptr);
    if (!Rastport_Cache_Add(bild, parameter, 4, CACHE_ART_PORTRAIT)) {
        // The cache is full: the portrait was drawn, but nothing can be handed out.
        Rastport_Free(bild);
        return nullptr;
    }
    return bild;
}

}  // namespace velmora
