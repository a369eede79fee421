// bilder/wappen.cpp - trophy and crest drawing through the generated-bitmap cache.
#include "bilder/wappen.h"

#include <algorithm>
#include <cstdint>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "gfx/bild.h"
#include "gfx/bild_leinwand.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "season/wettbewerb.h"

namespace velmora {

void Wappen_Farben(int32_t nummer, uint32_t* erste, uint32_t* zweite) {
    static constexpr uint32_t PALETTE[12] = {0x1818D8, 0xD02010, 0x10A020, 0x10D8F0, 0x202020, 0xF0F0F0,
                                             0x0060F0, 0x801080, 0xC080F0, 0xA06010, 0x40E0A0, 0x40A0E0};
    const uint32_t h = Leinwand_Mischen(uint32_t(nummer) + 1);
    // Two different colours: a crest of one colour reads like a missing picture.
    const uint32_t z = h / 12 % 12 == 11 ? h + 1 : h / 12 + 1 + h % 12;
    if (erste) *erste = PALETTE[h % 12];
    if (zweite) *zweite = PALETTE[z % 12];
}

namespace {

struct WappenModul {
    int32_t treffer = 0;   // crest drawings served from the cache this frame
    int32_t neu = 0;       // crest drawings made new this frame
};
WappenModul g;

int32_t Schatten_Schluessel(const SchattenParameter* s) {
    if (!s) return -1;
    return (s->offset_x & 0xFF) | (s->offset_y & 0xFF) << 8 | (s->size & 0xFF) << 16 | (s->strength & 0xFF) << 24;
}

int32_t Ziel_Schluessel(const Rastport* ziel) { return int32_t(uint32_t(reinterpret_cast<uintptr_t>(ziel))); }

// Draws the whole source at (x, y): with the soft shadow, or colour-keyed.
void Zeichnen(Rastport* quelle, Rastport* ziel, int32_t x, int32_t y, const SchattenParameter* schatten) {
    if (schatten) Rastport_Blit_Ex(quelle, 0, 0, -1, -1, ziel, x, y, schatten);
    else Rastport_Blit(quelle, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
}

// Keeps the finished area at (x, y), grown by the shadow, in the cache.
void Fertig_Speichern(Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h, const SchattenParameter* schatten,
                      const int32_t* parameter, int32_t anzahl, uint32_t art) {
    if (schatten) {
        w += schatten->size + schatten->offset_x + 1;
        h += schatten->size + schatten->offset_y + 1;
    }
    Rastport* fertig = Rastport_Create(w, h, int32_t(Rastport_Depth(ziel)), 0, 0);
    if (!fertig) return;
    Rastport_Blit(ziel, x, y, w, h, fertig, 0, 0, nullptr);
    if (!Rastport_Cache_Add(fertig, parameter, anzahl, art)) Rastport_Free(fertig);
}

// Scales the source over the target's area at (x, y) into a w x h bitmap and
// draws that; false when the scaling was refused.
bool Skaliert_Zeichnen(Rastport* quelle, Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h,
                       const SchattenParameter* schatten, bool leeren) {
    Rastport* klein = Rastport_Create(w, h, int32_t(Rastport_Depth(ziel)), 0, 0);
    if (!klein) return false;
    if (leeren) Rastport_Fill(klein, 0, 0, -1, -1, 0, nullptr);
    Rastport_Blit(ziel, x, y, w, h, klein, 0, 0, nullptr);
    bool ok = Bild_Skalieren(quelle, klein) == 1;
    if (ok) Zeichnen(klein, ziel, x, y, schatten);
    Rastport_Free(klein);
    return ok;
}

int32_t Pokal(const char* name, bool zweite, int32_t wettbewerb, int32_t team, Rastport* ziel, int32_t x, int32_t y,
              int32_t w, int32_t h, const SchattenParameter* schatten) {
    if (w < 1) w = WAPPEN_GROESSE;
    if (h < 1) h = WAPPEN_GROESSE;
    if (!ziel) return 0;
    if (w > WAPPEN_GROESSE || h > WAPPEN_GROESSE) {
        Debug_Printf("%s: Groesse %d x %d zu gross\n", name, w, h);
        return 0;
    }
    // The installed picture is preferred; its number is then the key.
    int32_t bild = -1;
    if (zweite) {
        const int32_t symbol = Wettbewerb_Get_Liga_Symbol(wettbewerb);
        if (symbol != -1 && Wappen_Datei_Existiert(symbol)) bild = symbol;
    }
    if (bild == -1) {
        const int32_t grafik = Wettbewerb_Get_Grafik(wettbewerb, nullptr);
        if (grafik >= (zweite ? 18 : 19) && Wappen_Datei_Existiert(grafik)) bild = grafik;
    }
    int32_t schluessel = bild != -1 ? bild : wettbewerb;
    if (schluessel == -1) schluessel = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
    if (schluessel == -1) return 0;

    const int32_t parameter[8] = {schluessel, team, w, h, x, y, Schatten_Schluessel(schatten), Ziel_Schluessel(ziel)};
    if (Rastport* fertig = Rastport_Cache_Find(parameter, 8, CACHE_ART_POKAL)) {
        Rastport_Blit(fertig, 0, 0, -1, -1, ziel, x, y, nullptr);
        return 1;
    }
    Rastport* quelle = nullptr;
    if (bild != -1 && !(zweite && bild < 1)) {
        quelle = Wappen_Datei_Laden(bild);
    } else {
        const int32_t grafik = Wettbewerb_Get_Grafik(schluessel, nullptr);
        if (grafik >= 0) quelle = Bild_Res_Laden(BILD_RES_POKALE, POKAL_RES_ERSTER + grafik);
    }
    if (!quelle) return 0;
    int32_t ok = 0;
    if (w == WAPPEN_GROESSE && h == WAPPEN_GROESSE) {
        Zeichnen(quelle, ziel, x, y, schatten);
        ok = 1;
    } else {
        ok = Skaliert_Zeichnen(quelle, ziel, x, y, w, h, schatten, false) ? 1 : 0;
    }
    if (ok) Fertig_Speichern(ziel, x, y, w, h, schatten, parameter, 8, CACHE_ART_POKAL);
    Rastport_Free(quelle);
    return ok;
}

}  // namespace

int32_t Pokal_Zeichnen(int32_t wettbewerb, int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite,
                       int32_t hoehe, const SchattenParameter* schatten) {
    return Pokal("Pokal_Zeichnen", false, wettbewerb, team, ziel, x, y, breite, hoehe, schatten);
}

int32_t Pokal_Zeichnen_2(int32_t wettbewerb, int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite,
                         int32_t hoehe, const SchattenParameter* schatten) {
    return Pokal("Pokal_Zeichnen_2", true, wettbewerb, team, ziel, x, y, breite, hoehe, schatten);
}

int32_t Wappen_Zeichnen(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h,
                        const SchattenParameter* schatten) {
    if (w < 1) w = WAPPEN_GROESSE;
    if (h < 1) h = WAPPEN_GROESSE;
    if (!ziel) return 0;
    const int32_t parameter[7] = {team, w, h, x, y, Schatten_Schluessel(schatten), Ziel_Schluessel(ziel)};
    if (Rastport* fertig = Rastport_Cache_Find(parameter, 7, CACHE_ART_WAPPEN)) {
        Rastport_Blit(fertig, 0, 0, -1, -1, ziel, x, y, nullptr);
        ++g.treffer;
        return 1;
    }
    ++g.neu;
    const int32_t k = Team_Wert(TW_WAPPEN, team, 0, OP_LESEN);
    if (k < 0) {
        Debug_Printf("Wappen_Zeichnen: Wappen %d von Team %d ungueltig\n", k, team);
        return 0;
    }
    Rastport* quelle = nullptr;
    if (uint32_t(Team_Wert(TW_STATUS, team, 0, OP_LESEN)) & TEAM_STATUS_WAPPEN) quelle = Bild_Laden(k, 0, BILD_WAPPEN);
    if (!quelle) quelle = Bild_Res_Laden(BILD_RES_WAPPEN, std::min(k, WAPPEN_RES_ANZAHL - 1));
    if (!quelle) return 0;
    int32_t ok = 0;
    if (uint32_t(w) == quelle->width && uint32_t(h) == quelle->height) {
        Zeichnen(quelle, ziel, x, y, schatten);
        ok = 1;
    } else if (uint32_t(w) <= quelle->width && uint32_t(h) <= quelle->height) {
        ok = Skaliert_Zeichnen(quelle, ziel, x, y, w, h, schatten, true) ? 1 : 0;
    }
    if (ok) Fertig_Speichern(ziel, x, y, w, h, schatten, parameter, 7, CACHE_ART_WAPPEN);
    Rastport_Free(quelle);
    return ok;
}

void Wappen_Statistik(int32_t* treffer, int32_t* neu) {
    if (treffer) *treffer = g.treffer;
    if (neu) *neu = g.neu;
    if (Rastport* schirm = Rastport_Screen()) {
        Rastport_Fill(schirm, 0, 630, 800, 20, 0, nullptr);
        if (Font_Set_Anzahl() > 1)
            Text_Printf(schirm, Font_Get(1), "^c%05dVWappen Cache/New: %d / %d", 0, 630, -1, g.treffer, g.neu);
    }
    g.treffer = 0;
    g.neu = 0;
}

}  // namespace velmora
