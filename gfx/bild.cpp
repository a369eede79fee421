// gfx/bild.cpp - picture folders, loading by number and the three scalers.
#include "gfx/bild.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/debug.h"
#include "core/dirs.h"
#include "core/res.h"
#include "gfx/bild_laden.h"
#include "gfx/blit.h"
#include "gfx/text_markup.h"

namespace velmora {
namespace {

struct BildModul {
    BildHooks hooks;
    // The nearest-neighbour maps, kept while size and ratios stay.
    int32_t map_x[1025] = {};
    int32_t map_y[769] = {};
    bool maps_gueltig = false;
    int32_t map_breite = 0, map_hoehe = 0, ratio_x = 0, ratio_y = 0;
};
BildModul g;

// map[i] = i x ratio / 128 with ratio = quelle x 128 / ziel, i from 0 to ziel.
int32_t Map_Bauen(int32_t* map, int32_t quelle, int32_t ziel) {
    const int32_t ratio = quelle * 128 / ziel;
    for (int32_t i = 0; i <= ziel; ++i) map[i] = i * ratio / 128;
    return ratio;
}

void Rgb_Lesen(const Rastport* rp, std::vector<uint8_t>& rgb) {
    const size_t n = size_t(rp->width) * rp->height;
    rgb.resize(3 * n);
    const uint16_t* p = Rastport_Pixels16(rp);
    if (Rastport_Depth(rp) == 16) Row_565_To_RGB(p, rgb.data(), rgb.data() + n, rgb.data() + 2 * n, int32_t(n));
    else Row_555_To_RGB(p, rgb.data(), rgb.data() + n, rgb.data() + 2 * n, int32_t(n));
}

int32_t Skalieren(Rastport* q, Rastport* z, bool schwarz_durchsichtig, const char* name) {
    if (!q || !z) return 0;
    const int32_t qw = int32_t(q->width), qh = int32_t(q->height);
    const int32_t zw = int32_t(z->width), zh = int32_t(z->height);
    if (zw < 1 || zh < 1 || zw > qw || zh > qh || zw >= 1024 || zh >= 768) {
        Debug_Printf("%s: Groesse %d x %d nach %d x %d nicht moeglich\n", name, qw, qh, zw, zh);
        return 0;
    }
    const uint32_t qt = Rastport_Depth(q), zt = Rastport_Depth(z);
    if ((qt != 15 && qt != 16) || (zt != 15 && zt != 16)) return 0;
    if (!Rastport_Lock(q)) return 0;
    if (!Rastport_Lock(z)) {
        Rastport_Unlock(q);
        return 0;
    }
    std::vector<uint8_t> qrgb, zrgb;
    Rgb_Lesen(q, qrgb);
    Rgb_Lesen(z, zrgb);
    const size_t qn = size_t(qw) * qh, zn = size_t(zw) * zh;
    Map_Bauen(g.map_x, qw, zw);
    Map_Bauen(g.map_y, qh, zh);
    g.maps_gueltig = false;   // the point scaler rebuilds its maps
    for (int32_t j = 0; j < zh; ++j) {
        for (int32_t i = 0; i < zw; ++i) {
            const size_t zi = size_t(j) * zw + i;
            uint32_t s[3] = {0, 0, 0}, anzahl = 0, farbig = 0;
            for (int32_t y = g.map_y[j]; y < g.map_y[j + 1]; ++y) {
                for (int32_t x = g.map_x[i]; x < g.map_x[i + 1]; ++x) {
                    const size_t qi = size_t(y) * qw + x;
                    const uint8_t r = qrgb[qi], gr = qrgb[qn + qi], b = qrgb[2 * qn + qi];
                    ++anzahl;
                    if (schwarz_durchsichtig && (r | gr | b) == 0) {
                        s[0] += zrgb[zi];
                        s[1] += zrgb[zn + zi];
                        s[2] += zrgb[2 * zn + zi];
                    } else {
                        ++farbig;
                        s[0] += r;
                        s[1] += gr;
                        s[2] += b;
                    }
                }
            }
            const bool schwarz = anzahl == 0 || (schwarz_durchsichtig && farbig == 0);
            for (int32_t c = 0; c < 3; ++c) zrgb[c * zn + zi] = schwarz ? 0 : uint8_t(s[c] / anzahl);
        }
    }
    uint16_t* zp = Rastport_Pixels16(z);
    if (zt == 16) Row_RGB_To_565(zrgb.data(), zrgb.data() + zn, zrgb.data() + 2 * zn, zp, int32_t(zn));
    else Row_RGB_To_555(zrgb.data(), zrgb.data() + zn, zrgb.data() + 2 * zn, zp, int32_t(zn));
    Rastport_Unlock(z);
    Rastport_Unlock(q);
    return 1;
}

std::string Pfad(const char* ordner, int32_t nummer, const char* endung) {
    return std::string(ordner) + "\\" + std::to_string(nummer) + endung;
}

}  // namespace

BildHooks& Bild_Hooks() { return g.hooks; }

int32_t Bild_Res_Slot(int32_t index) {
    if (!g.hooks.res_slot) {
        Debug_Printf("Bild_Res_Slot: keine Resourcen-Liste (Datei %d)\n", index);
        return -1;
    }
    return g.hooks.res_slot(index);
}

Rastport* Bild_Res_Laden(int32_t index, int32_t eintrag, int32_t tiefe) {
    if (eintrag < Bild_Res_Direkt_Eintrag(index, 0)) {
        Debug_Printf("Bild_Res_Laden: Datei %d hat keinen direkten Eintrag %d\n", index, eintrag);
        return nullptr;
    }
    const int32_t slot = Bild_Res_Slot(index);
    if (slot < 0) return nullptr;
    return static_cast<Rastport*>(Res_Load_Bild(slot, eintrag, tiefe ? tiefe : Rastport_Screen_Depth()));
}


const char* Bild_Ordner(int32_t ordner) {
    switch (ordner) {
    case BILD_MANAGER: return Dirs_Get(DIR_MANAGERBILDER);
    case BILD_SPIELER: return Dirs_Get(DIR_SPIELERBILDER);
    case BILD_WAPPEN: return Dirs_Get(DIR_WAPPENBILDER);
    case BILD_CONFIG: return Dirs_Get(DIR_INSTALL_CONFIG);
    default: return nullptr;
    }
}

int32_t Bild_Anzahl(int32_t ordner) {
    const char* d = Bild_Ordner(ordner);
    if (!d) {
        Debug_Printf("Bild_Anzahl: Ordner %d unbekannt\n", ordner);
        return 0;
    }
    return Dirs_Count_Files(d, "*.jpg") + Dirs_Count_Files(d, "*.tga");
}

int32_t Bild_Liste(int32_t maximum, int32_t* nummern, int32_t ordner) {
    const char* d = Bild_Ordner(ordner);
    if (!d || !nummern || maximum <= 0) return 0;
    struct Name {
        char s[256];
    };
    std::vector<Name> namen(static_cast<size_t>(maximum));
    auto feld = reinterpret_cast<char(*)[256]>(namen.data());
    int32_t n = Dirs_Find_File(d, "*.jpg", maximum, feld);
    if (n < maximum) n += Dirs_Find_File(d, "*.tga", maximum - n, feld + n);
    for (int32_t i = 0; i < n; ++i) {
        char kurz[6] = {};
        std::memcpy(kurz, namen[size_t(i)].s, 5);
        nummern[i] = std::atoi(kurz);
    }
    return n;
}

Rastport* Bild_Datei_Laden(const char* jpg, const char* tga, int32_t tiefe) {
    int32_t bits = 0, w = 0, h = 0;
    if (jpg && Jpeg_Get_Size(jpg, &bits, &w, &h)) {
        Rastport* rp = Rastport_Create(w, h, tiefe, 0, 0);
        if (!rp) return nullptr;
        // A damaged picture still gives its bitmap: black rather than stale memory.
        std::memset(rp->pixels->pixels, 0, size_t(w) * h * Depth_Bytes(uint32_t(tiefe)));
        Jpeg_Load(jpg, rp->pixels->pixels, tiefe);
        return rp;
    }
    if (tga && Tga_Get_Size(tga, &bits, &w, &h) && w > 0 && h > 0) {
        Rastport* rp = Rastport_Create(w, h, tiefe, 0, 0);
        if (!rp) return nullptr;
        std::memset(rp->pixels->pixels, 0, size_t(w) * h * Depth_Bytes(uint32_t(tiefe)));
        if (!Tga_Load(tga, rp->pixels->pixels, tiefe, nullptr)) return Rastport_Free(rp);
        return rp;
    }
    return nullptr;
}

Rastport* Bild_Laden(int32_t nummer, int32_t, int32_t ordner) {
    const char* d = Bild_Ordner(ordner);
    if (!d) {
        Debug_Printf("Bild_Laden: Ordner %d unbekannt\n", ordner);
        return nullptr;
    }
    return Bild_Datei_Laden(Pfad(d, nummer, ".jpg").c_str(), Pfad(d, nummer, ".tga").c_str(), Rastport_Screen_Depth());
}

int32_t Wappen_Datei_Existiert(int32_t nummer) {
    return Datei_Existiert(Pfad(Dirs_Get(DIR_INSTALL_WAPPEN), nummer, ".tga").c_str()) ? 1 : 0;
}

Rastport* Wappen_Datei_Laden(int32_t nummer) {
    return Bild_Datei_Laden(nullptr, Pfad(Dirs_Get(DIR_INSTALL_WAPPEN), nummer, ".tga").c_str(),
                            Rastport_Screen_Depth());
}

int32_t Bild_Skalieren(Rastport* quelle, Rastport* ziel) { return Skalieren(quelle, ziel, true, "Bild_Skalieren"); }

int32_t Bild_Skalieren_Mittel(Rastport* quelle, Rastport* ziel) {
    return Skalieren(quelle, ziel, false, "Bild_Skalieren_Mittel");
}

int32_t Bild_Skalieren_Punkt(Rastport* q, Rastport* z, int32_t breite, int32_t hoehe) {
    if (!q || !z || breite < 1 || breite > 1024 || hoehe < 1 || hoehe > 768 || q->width < 1 || q->height < 1 ||
        uint32_t(breite) > z->width || uint32_t(hoehe) > z->height) {
        Debug_Printf("Bild_Skalieren_Punkt: Groesse %d x %d ungueltig\n", breite, hoehe);
        return 0;
    }
    const uint32_t tiefe = Rastport_Depth(q);
    if (tiefe != Rastport_Depth(z) || (tiefe != 8 && tiefe != 15 && tiefe != 16)) return 0;
    const int32_t rx = int32_t(q->width) * 128 / breite, ry = int32_t(q->height) * 128 / hoehe;
    if (!g.maps_gueltig || g.map_breite != breite || g.map_hoehe != hoehe || g.ratio_x != rx || g.ratio_y != ry) {
        Map_Bauen(g.map_x, int32_t(q->width), breite);
        Map_Bauen(g.map_y, int32_t(q->height), hoehe);
        g.map_breite = breite, g.map_hoehe = hoehe, g.ratio_x = rx, g.ratio_y = ry;
        g.maps_gueltig = true;
    }
    if (!Rastport_Lock(q)) return 0;
    if (!Rastport_Lock(z)) {
        Rastport_Unlock(q);
        return 0;
    }
    const size_t bpp = Depth_Bytes(tiefe), qs = q->width * bpp, zs = z->width * bpp;
    const uint8_t* qp = static_cast<const uint8_t*>(q->pixels->pixels);
    uint8_t* zp = static_cast<uint8_t*>(z->pixels->pixels);
    for (int32_t j = 0; j < hoehe; ++j) {
        uint8_t* zeile = zp + size_t(j) * zs;
        if (j > 0 && g.map_y[j] == g.map_y[j - 1]) {
            std::memcpy(zeile, zeile - zs, size_t(breite) * bpp);
            continue;
        }
        const uint8_t* qz = qp + size_t(g.map_y[j]) * qs;
        if (bpp == 1) {
            for (int32_t i = 0; i < breite; ++i) zeile[i] = qz[g.map_x[i]];
        } else {
            const uint16_t* q16 = reinterpret_cast<const uint16_t*>(qz);
            uint16_t* z16 = reinterpret_cast<uint16_t*>(zeile);
            for (int32_t i = 0; i < breite; ++i) z16[i] = q16[g.map_x[i]];
        }
    }
    Rastport_Unlock(z);
    Rastport_Unlock(q);
    return 1;
}

}  // namespace velmora
