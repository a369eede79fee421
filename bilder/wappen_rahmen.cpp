// bilder/wappen_rahmen.cpp
#include "bilder/wappen_rahmen.h"

#include "bilder/wappen.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

struct RahmenModul {
    SchattenHooks hooks;
};
RahmenModul g;

constexpr int32_t RAHMEN_WAPPEN_MAX = 2000;
constexpr int32_t WAPPEN_RAHMEN_STANDARD = 66;   // the size looked up when none is given

// The logo or crest of Schatten_Rahmen, or none; *slave tells that the bitmap
// belongs to the menu framework and must not be freed.
Rastport* Rahmen_Bild(int32_t datei, int32_t tiefe, int32_t team, int32_t wettbewerb_flag, int32_t nummer,
                      bool* slave) {
    *slave = false;
    if (wettbewerb_flag) {
        const int32_t wb = nummer != -1 ? nummer : (team >= 0 ? Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN) : -1);
        if (wb == -1) return nullptr;
        const int32_t grafik = Wettbewerb_Get_Grafik(wb, nullptr);
        if (grafik < 0) return nullptr;
        if (!g.hooks.slave_rastport) {
            Debug_Printf("Schatten_Rahmen: kein Menue fuer Logo %d\n", grafik);
            return nullptr;
        }
        *slave = true;
        return g.hooks.slave_rastport(SCHATTEN_LOGO_ERSTER + grafik);
    }
    int32_t k = nummer != -1 ? nummer : (team >= 0 ? Team_Wert(TW_WAPPEN, team, 0, OP_LESEN) : RAHMEN_WAPPEN_MAX);
    if (k < 0) {
        Debug_Printf("Schatten_Rahmen: Wappen %d ungueltig\n", k);
        return nullptr;
    }
    if (k > RAHMEN_WAPPEN_MAX) k = RAHMEN_WAPPEN_MAX;
    Rastport* bild = nullptr;
    if (team >= 0 && (uint32_t(Team_Wert(TW_STATUS, team, 0, OP_LESEN)) & TEAM_STATUS_WAPPEN))
        bild = Bild_Laden(k, 0, BILD_WAPPEN);
    if (!bild) bild = Bild_Res_Laden(datei ? datei : BILD_RES_WAPPEN, k, tiefe);
    return bild;
}

// A new w x h bitmap holding dst's box at (x, y) (cleared without dst) with
// the picture scaled over it, or none.
Rastport* Rahmen_Skaliert(Rastport* bild, Rastport* dst, int32_t tiefe, int32_t x, int32_t y, int32_t w, int32_t h) {
    Rastport* s = Rastport_Create(w, h, tiefe, 0, 0);
    if (!s) return nullptr;
    Rastport_Fill(s, 0, 0, -1, -1, 0, nullptr);
    if (dst) Rastport_Blit(dst, x, y, w, h, s, 0, 0, BlitMode_Default);
    Bild_Skalieren(bild, s);
    return s;
}

}  // namespace

SchattenHooks& Schatten_Hooks() { return g.hooks; }

Rastport* Schatten_Rahmen(int32_t datei, Rastport* dst, int32_t tiefe, int32_t team, int32_t x, int32_t y,
                          int32_t key, int32_t w, int32_t h, int32_t wettbewerb_flag, int32_t nummer) {
    if (dst) {
        const int32_t cw = w ? w : WAPPEN_RAHMEN_STANDARD, ch = h ? h : WAPPEN_RAHMEN_STANDARD;
        if (Rastport* treffer = Schatten_Cache_Suchen(0, 0, cw + 5, ch + 5, x, y)) {
            Rastport_Blit(treffer, 0, 0, -1, -1, dst, x, y, BlitMode_Default);
            return treffer;
        }
    }
    if (tiefe == 0) tiefe = dst ? int32_t(Rastport_Depth(dst)) : Rastport_Screen_Depth();
    bool slave = false;
    Rastport* bild = Rahmen_Bild(datei, tiefe, team, wettbewerb_flag, nummer, &slave);
    if (!bild) return nullptr;
    Rastport* maske = nullptr;
    if (w + h >= 1 || (!dst && slave)) {
        // Without a destination the caller owns the result, so a framework
        // bitmap is handed on as a copy of its own size.
        if (w + h < 1) w = int32_t(bild->width), h = int32_t(bild->height);
        if (w < 0) w = h;
        if (h < 0) h = w;
        if (dst) {
            maske = Rastport_Create(w, h, tiefe, 0, 0);
            if (maske) {
                Rastport_Fill(maske, 0, 0, -1, -1, 0, nullptr);
                Bild_Skalieren(bild, maske);
            }
        }
        Rastport* s = Rahmen_Skaliert(bild, dst, tiefe, x, y, w, h);
        if (!slave) Rastport_Free(bild);
        slave = false;
        bild = s;
        if (!bild) {
            Rastport_Free(maske);
            return nullptr;
        }
    }
    if (!dst) return bild;
    const int32_t bw = int32_t(bild->width), bh = int32_t(bild->height);
    const int32_t kind = bw < 16 ? 0 : (bw < 33 ? 1 : 2);
    if (maske) {
        Schatten_Text_Zeichnen(bild, 0, 0, bw, bh, dst, x, y, kind, maske);
    } else {
        Schatten_Zeichnen(bild, 0, 0, bw, bh, dst, x, y, kind);
        Rastport_Blit(bild, 0, 0, -1, -1, dst, x, y, key ? BlitMode_Key : BlitMode_Default);
    }
    Rastport_Free(maske);
    if (!slave) Rastport_Free(bild);
    Schatten_Cache_Speichern(dst, 0, 0, bw + 5, bh + 5, x, y);
    return Schatten_Cache_Suchen(0, 0, bw + 5, bh + 5, x, y);
}

void Bild_Wappen_Im_Text(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h) {
    static const SchattenParameter schatten{1, 1, 3, 0};
    Wappen_Zeichnen(team, ziel, x, y, w, h, &schatten);
}

}  // namespace velmora
