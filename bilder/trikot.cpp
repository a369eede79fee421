// bilder/trikot.cpp - the kit table, kit drawing, best fit, clash rule and player colours.
#include "bilder/trikot.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>

#include "bilder/wappen.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "gfx/alpha.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/schatten.h"

namespace velmora {
namespace {

// The kit table. Rows 0, 1, 100 and 239 are the game's well-known kits; the
// others combine a palette of club colours with white, grey and dark trims.
// Rows 0-79 have no fourth colour. No main colour is a middle grey: the
// figures brighten their kits, and a grey shirt looked white on the pitch
// beside a white one that the clash rule rightly lets stand.
constexpr std::array<TrikotStructure, TRIKOT_ANZAHL> Tabelle_Bauen() {
    constexpr uint32_t haupt[16] = {0xF0F0F0, 0x1818D8, 0xD02010, 0x10A020, 0x10D8F0, 0x101010, 0x0060F0, 0x801080,
                                    0x30C0F0, 0x808000, 0xA06010, 0x2020A0, 0x80F0F0, 0x0000A5, 0x40A0E0, 0xC0C0C0};
    constexpr uint32_t zweit[8] = {0xF0F0F0, 0x101010, 0x0000C0, 0xC00000, 0x00A000, 0x00C8F0, 0x808080, 0x602000};
    constexpr uint32_t dritt[5] = {0xD8D8D8, 0x202020, 0x0000C0, 0xC00000, 0x00A000};
    std::array<TrikotStructure, TRIKOT_ANZAHL> t{};
    for (uint32_t n = 0; n < uint32_t(TRIKOT_ANZAHL); ++n) {
        TrikotStructure& r = t[n];
        r.farbe1 = haupt[n % 16];
        r.farbe2 = zweit[(n / 16 + n) % 8];
        if (r.farbe2 == r.farbe1) r.farbe2 = zweit[(n / 16 + n + 1) % 8];
        r.leer = 0;
        r.farbe3 = dritt[(n / 4) % 5];
        r.farbe4 = n < 80 ? 0 : haupt[(n * 7 + 3) % 16];
        r.bild = uint32_t(TRIKOT_RES_ERSTER) + uint32_t(TRIKOT_RES_SCHRITT) * n;
        r.nummer = n;
    }
    t[0] = {0xF0F0F0, 0xF01018, 0, 0xD8D8D8, 0, 4016, 0};
    t[1] = {0x20B8F0, 0x0890C8, 0, 0xD0D0D0, 0, 4029, 1};
    t[100] = {0xA50000, 0xA50000, 0, 0xA50000, 0xA50000, 5316, 100};
    t[239] = {0x2169FF, 0x0000FF, 0, 0xC6C3C6, 0x2169FF, 7123, 239};
    return t;
}
constexpr std::array<TrikotStructure, TRIKOT_ANZAHL> TABELLE = Tabelle_Bauen();

bool Gueltig(int32_t n) { return n >= 0 && n < TRIKOT_ANZAHL; }

uint32_t Triple(const uint8_t* f) { return uint32_t(f[0]) | uint32_t(f[1]) << 8 | uint32_t(f[2]) << 16; }
void Triple_Setzen(uint8_t* f, uint32_t farbe) {
    f[0] = uint8_t(farbe);
    f[1] = uint8_t(farbe >> 8);
    f[2] = uint8_t(farbe >> 16);
}

// A kit that does not clash with any of `gegen` (kits outside the table are
// ignored): random draws first, then the table in order so that the search
// ends even when nearly every kit clashes. -1 when every kit clashes.
int32_t Freies_Trikot(const int32_t* gegen, int32_t anzahl) {
    auto frei = [&](int32_t k) {
        for (int32_t i = 0; i < anzahl; ++i)
            if (Gueltig(gegen[i]) && Trikot_Is_Trikot_Equal(k, gegen[i], TRIKOT_TOLERANZ, true)) return false;
        return true;
    };
    for (int32_t versuch = 0; versuch < TRIKOT_ANZAHL; ++versuch) {
        const int32_t k = Rnd(0, TRIKOT_ANZAHL - 1);
        if (frei(k)) return k;
    }
    for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k)
        if (frei(k)) return k;
    return -1;
}

}  // namespace

const TrikotStructure* Trikot_Get_TrikotStructure(int32_t n) {
    if (!Gueltig(n)) {
        Debug_Printf("Trikot_Get_TrikotStructure() nTrikotNr\n");
        return nullptr;
    }
    return &TABELLE[size_t(n)];
}

bool Trikot_Get_TrikotResource(int32_t n, int32_t* datei, int32_t* eintrag) {
    if (!Gueltig(n)) {
        Debug_Printf("Trikot_Get_TrikotResource() nTrikotNr\n");
        return false;
    }
    if (datei) *datei = BILD_RES_TRIKOTS;
    if (eintrag) *eintrag = int32_t(TABELLE[size_t(n)].bild);
    return true;
}

Rastport* Trikot_Get_RP_Bitmap(int32_t n, int32_t variante) {
    if (!Gueltig(n)) {
        Debug_Printf("Trikot_Get_RP_Bitmap() nTrikotNr\n");
        return nullptr;
    }
    if (variante < 0 || variante >= TRIKOT_VARIANTEN) {
        Debug_Printf("Trikot_Get_RP_Bitmap() nVariante %d\n", variante);
        return nullptr;
    }
    return Bild_Res_Laden(BILD_RES_TRIKOTS, int32_t(TABELLE[size_t(n)].bild) + variante);
}

int32_t Team_Get_TrikotNr(int32_t team, int32_t art) {
    if (art < 0 || art > 3) {
        Debug_Printf("Team_Get_TrikotNr: Art %d unbekannt\n", art);
        return 0;
    }
    return Team_Wert(TW_TRIKOT_MODI[art], team, 0, OP_LESEN);
}

int32_t Trikot_Set_TrikotNr(int32_t team, int32_t trikot, int32_t art) {
    if (!Gueltig(trikot)) {
        Debug_Printf("Trikot_Set_TrikotNr() nTrikotNr\n");
        return 0;
    }
    if (art < 0 || art > 3) {
        Debug_Printf("Trikot_Set_TrikotNr() nArt %d\n", art);
        return 0;
    }
    if (art < 3) {
        const uint8_t* farben = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN));
        if (!farben) {
            Debug_Printf("Trikot_Set_TrikotNr TEAM_FARBEN = NULL\n");
            return 0;
        }
        uint8_t neu[36];
        std::copy(farben, farben + 36, neu);
        const TrikotStructure& t = TABELLE[size_t(trikot)];
        uint8_t* f = neu + art * 12;
        Triple_Setzen(f, t.farbe1);
        Triple_Setzen(f + 3, t.farbe2);
        Triple_Setzen(f + 6, t.farbe4);
        Triple_Setzen(f + 9, t.farbe3);
        if (!Team_Zeiger(TZ_FARBEN, team, neu, OP_SCHREIBEN)) return 0;
    }
    Team_Wert(TW_TRIKOT_MODI[art], team, trikot, OP_SCHREIBEN);
    Debug_Printf("Trikot von Team: %d gespeichert\n", team);
    return 1;
}

bool Trikot_Blt_Trikot(Rastport* ziel, int32_t trikot, int32_t x, int32_t y, int32_t variante, int32_t modus,
                       int32_t wert, int32_t wert2) {
    if (!Gueltig(trikot)) {
        Debug_Printf("Trikot_Blt_Trikot() nTrikotNr\n");
        return false;
    }
    if (!ziel || variante < 0 || variante >= TRIKOT_VARIANTEN || modus < 0 || modus > 6) {
        Debug_Printf("Trikot_Blt_Trikot() nVariante %d nModus %d\n", variante, modus);
        return false;
    }
    if ((modus == 2 && wert == -1)) {
        Debug_Printf("Trikot_Blt_Trikot() Enter TransparentValue\n");
        return false;
    }
    if ((modus == 4 || modus == 5) && wert == -1) {
        Debug_Printf("Trikot_Blt_Trikot() Enter ShadowSize\n");
        return false;
    }
    if (modus == 6 && (wert == -1 || wert2 == -1)) {
        Debug_Printf("Trikot_Blt_Trikot() Enter ShadowSize or Transp..\n");
        return false;
    }
    const int32_t erster = int32_t(TABELLE[size_t(trikot)].bild);
    Rastport* bild = Bild_Res_Laden(BILD_RES_TRIKOTS, erster + variante);
    if (!bild) {
        Debug_Printf("Trikot_Blt_Trikot() rpTrikot\n");
        return false;
    }
    Rastport* maske = Bild_Res_Laden(BILD_RES_TRIKOTS, erster + variante + TRIKOT_VARIANTEN);
    if (!maske || (variante == 0 && (modus == 0 || modus == 5))) modus = TRIKOT_KEY;
    const int32_t w = int32_t(bild->width), h = int32_t(bild->height);
    bool ok = true;
    switch (modus) {
    case TRIKOT_PLANE: ok = Blt_Alpha(bild, maske, 0, 0, w, h, ziel, x, y) == 1; break;
    case TRIKOT_KEY: ok = Rastport_Blit(bild, 0, 0, w, h, ziel, x, y, BlitMode_Key) == 1; break;
    case TRIKOT_TRANSPARENT: Blit_Alpha(bild, 0, 0, w, h, ziel, x, y, wert); break;
    case TRIKOT_DEFAULT: ok = Rastport_Blit(bild, 0, 0, w, h, ziel, x, y, BlitMode_Default) == 1; break;
    case TRIKOT_SCHATTEN_KEY:
        Schatten_Zeichnen(bild, 0, 0, w, h, ziel, x, y, wert);
        ok = Rastport_Blit(bild, 0, 0, w, h, ziel, x, y, BlitMode_Key) == 1;
        break;
    case TRIKOT_SCHATTEN_PLANE:
        Schatten_Zeichnen(bild, 0, 0, w, h, ziel, x, y, wert);
        ok = Blt_Alpha(bild, maske, 0, 0, w, h, ziel, x, y) == 1;
        break;
    default:
        Schatten_Zeichnen(bild, 0, 0, w, h, ziel, x, y, wert2);
        Blit_Alpha(bild, 0, 0, w, h, ziel, x, y, wert);
        break;
    }
    Rastport_Free(maske);
    Rastport_Free(bild);
    return ok;
}

namespace {

// The largest difference of two colours over their three channels.
int32_t Farb_Abstand(uint32_t a, uint32_t b) {
    int32_t d = 0;
    for (int32_t s = 0; s < 24; s += 8) d = std::max(d, std::abs(int32_t((a >> s) & 0xFF) - int32_t((b >> s) & 0xFF)));
    return d;
}

}  // namespace

bool Trikot_Farbe_Gleich(uint32_t a, uint32_t b, int32_t t) { return Farb_Abstand(a, b) <= t; }

namespace {

// The first kit whose colour 1 and colour 3 lie nearest to `a` and `b`, at the
// smallest tolerance 0, 3, 6, ... below `limit`; -1 none. A kit matches from
// the first step that covers its largest channel difference on, so one pass
// finds the same kit as widening step by step: the one with the lowest such
// step, the first of the table among equals.
int32_t Bestes_Trikot(uint32_t a, uint32_t b, int32_t limit) {
    int32_t beste = -1, beste_stufe = limit;
    for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k) {
        const int32_t d = std::max(Farb_Abstand(TABELLE[size_t(k)].farbe1, a), Farb_Abstand(TABELLE[size_t(k)].farbe3, b));
        const int32_t stufe = (d + 2) / 3 * 3;
        if (stufe < beste_stufe) {
            beste_stufe = stufe;
            beste = k;
        }
    }
    return beste;
}

// Whether a new game keeps the kit: the best fit of the colours it leaves in
// a team's triples (colour 1, and colour 4 where the fit reads colour 3) is
// the kit itself. Only a few kits of the table are such kits.
bool Bleibt_Im_Neuen_Spiel(int32_t k) {
    static const std::array<bool, TRIKOT_ANZAHL> bleibt = [] {
        std::array<bool, TRIKOT_ANZAHL> b{};
        for (int32_t n = 0; n < TRIKOT_ANZAHL; ++n)
            b[size_t(n)] = Bestes_Trikot(TABELLE[size_t(n)].farbe1, TABELLE[size_t(n)].farbe4, TRIKOT_LIMIT_NEUES_SPIEL) == n;
        return b;
    }();
    return bleibt[size_t(k)];
}

}  // namespace

int32_t Berechne_TrikotArt(int32_t team, int32_t art, int32_t limit) {
    if (art < 0 || art > 2) {
        Debug_Printf("Berechne_TrikotArt: Art %d ohne Farben\n", art);
        return -1;
    }
    if (limit <= 0) return -1;
    const uint8_t* farben = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN));
    if (!farben) return -1;
    return Bestes_Trikot(Triple(farben + art * 12), Triple(farben + art * 12 + 6), limit);
}

int32_t Trikot_Vereinsfarben(int32_t team, uint32_t wahl) {
    if (!Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN)) {
        Debug_Printf("Trikot_Vereinsfarben: Team %d ohne Farben\n", team);
        return 0;
    }
    uint32_t erste = 0, zweite = 0;
    Wappen_Farben(Team_Wert(TW_WAPPEN, team, 0, OP_LESEN), &erste, &zweite);
    // The first kit: the kit a new game keeps whose main colour lies nearest
    // to the crest's first colour, its sleeves nearest to the second; the
    // crest's second colour leads where no such kit comes near the first.
    auto naechstes = [](uint32_t haupt, uint32_t neben) {
        int32_t beste = -1, beste_wert = 0;
        for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k) {
            if (!Bleibt_Im_Neuen_Spiel(k)) continue;
            const int32_t wert = Farb_Abstand(TABELLE[size_t(k)].farbe1, haupt) * 256 + Farb_Abstand(TABELLE[size_t(k)].farbe2, neben);
            if (beste < 0 || wert < beste_wert) {
                beste = k;
                beste_wert = wert;
            }
        }
        return beste;
    };
    constexpr int32_t NAH = 60;   // a main colour this close reads as the crest's
    int32_t erstes = naechstes(erste, zweite);
    if (Farb_Abstand(TABELLE[size_t(erstes)].farbe1, erste) > NAH) {
        const int32_t anders = naechstes(zweite, erste);
        if (Farb_Abstand(TABELLE[size_t(anders)].farbe1, zweite) < Farb_Abstand(TABELLE[size_t(erstes)].farbe1, erste))
            erstes = anders;
    }
    // The second and the keeper's kit: kits a new game keeps whose main colour
    // the pitch tells apart from the first kit's (and from each other),
    // chosen by `wahl`.
    auto anderes = [&](std::initializer_list<int32_t> gegen, uint32_t w) {
        int32_t frei[TRIKOT_ANZAHL];
        int32_t n = 0;
        for (int32_t k = 0; k < TRIKOT_ANZAHL; ++k) {
            bool weit = Bleibt_Im_Neuen_Spiel(k);
            for (int32_t g : gegen) weit = weit && !Trikot_Is_Trikot_Equal(k, g, TRIKOT_TOLERANZ, false);
            if (weit) frei[n++] = k;
        }
        return n ? frei[w % uint32_t(n)] : gegen.begin()[0];
    };
    const int32_t zweites = anderes({erstes}, wahl);
    const int32_t torwart = anderes({erstes, zweites}, wahl >> 8);
    return Trikot_Set_TrikotNr(team, erstes, 0) & Trikot_Set_TrikotNr(team, zweites, 1) &
           Trikot_Set_TrikotNr(team, torwart, 2);
}

void Trikot_Neues_Spiel() {
    const int32_t markt = Team_Markt();
    for (int32_t team = 0; team < Team_Anzahl(); ++team) {
        if (team == markt) continue;
        for (int32_t art = 0; art <= 2; ++art) {
            int32_t k = Berechne_TrikotArt(team, art, TRIKOT_LIMIT_NEUES_SPIEL);
            if (k < 0) k = Rnd_Bereich(0, TRIKOT_ANZAHL - 1);
            Trikot_Set_TrikotNr(team, k, art);
        }
    }
}

bool Trikot_Is_Trikot_Equal(int32_t k1, int32_t k2, int32_t toleranz, bool streng) {
    if (!Gueltig(k1)) {
        Debug_Printf("Trikot_Is_Trikot_Equal() nTrikotNr1\n");
        return false;
    }
    if (!Gueltig(k2)) {
        Debug_Printf("Trikot_Is_Trikot_Equal() nTrikotNr2\n");
        return false;
    }
    const TrikotStructure& a = TABELLE[size_t(k1)];
    const TrikotStructure& b = TABELLE[size_t(k2)];
    if (Trikot_Farbe_Gleich(a.farbe1, b.farbe1, toleranz) || Trikot_Farbe_Gleich(a.farbe2, b.farbe2, toleranz))
        return true;
    return streng && Trikot_Farbe_Gleich(a.farbe3, b.farbe3, toleranz);
}

bool Trikot_Team_VS_Team(int32_t heim, int32_t gast, int32_t* heim_trikot, int32_t* gast_trikot, int32_t modus) {
    if (modus != 0 && modus != 2) {
        Debug_Printf("Trikot_Team_VS_Team() nModus == ???\n");
        return false;
    }
    const int32_t h = Team_Get_TrikotNr(heim, 0), a = Team_Get_TrikotNr(gast, 0);
    if (!Gueltig(h)) {
        Debug_Printf("Trikot_Team_VS_Team() nHeimTrk == NULL\n");
        return false;
    }
    if (!Gueltig(a)) {
        Debug_Printf("Trikot_Team_VS_Team() nAuswTrk == NULL\n");
        return false;
    }
    if (modus == 0) {
        int32_t neu = a;
        if (Trikot_Is_Trikot_Equal(a, h, TRIKOT_TOLERANZ, true)) {
            neu = Freies_Trikot(&h, 1);
            if (neu < 0) neu = a;
            else Debug_Printf("Trikot_Team_VS_Team() AltSpTrikot überschrieben\n");
        }
        Trikot_Set_TrikotNr(gast, neu, 1);
        if (heim_trikot) *heim_trikot = h;
        // The away side wears what the pitch puts on it: its second kit only
        // where the first kits clash loosely (main or second colour), else its
        // first kit, which a match of hems alone leaves on.
        if (gast_trikot) *gast_trikot = Trikot_Is_Trikot_Equal(a, h, TRIKOT_TOLERANZ, false) ? neu : a;
        return true;
    }
    const int32_t hg = Team_Get_TrikotNr(heim, 2);
    int32_t ag = Team_Get_TrikotNr(gast, 2);
    if (!Gueltig(hg)) {
        Debug_Printf("Trikot_Team_VS_Team() nHeimTrkTrw == NULL\n");
        return false;
    }
    if (!Gueltig(ag)) {
        Debug_Printf("Trikot_Team_VS_Team() nAuswTrkTrw == NULL\n");
        return false;
    }
    const int32_t gegen[3] = {a, h, hg};
    auto kollidiert = [&](int32_t k) {
        if (!Gueltig(k)) return true;   // a missing second keeper kit cannot be worn
        for (int32_t g : gegen)
            if (Trikot_Is_Trikot_Equal(k, g, TRIKOT_TOLERANZ, true)) return true;
        return false;
    };
    if (kollidiert(ag)) {
        ag = Team_Get_TrikotNr(gast, 3);
        if (kollidiert(ag)) {
            const int32_t neu = Freies_Trikot(&a, 1);
            if (neu >= 0) {
                ag = neu;
                Debug_Printf("Trikot_Team_VS_Team() AltTrwTrikot überschrieben\n");
            }
        }
        if (Gueltig(ag)) Trikot_Set_TrikotNr(gast, ag, 3);
    }
    if (heim_trikot) *heim_trikot = hg;
    if (gast_trikot) *gast_trikot = ag;
    return true;
}

int32_t Spieler_Haarart(int32_t teil3) {
    static constexpr uint8_t HAAR[62] = {1, 2, 1, 3, 3, 1, 3, 4, 1, 2, 3, 3, 1, 3, 3, 1, 3, 1, 2, 1, 1,
                                         2, 2, 1, 2, 3, 2, 2, 3, 4, 2, 3, 1, 1, 3, 1, 3, 2, 3, 3, 3, 2,
                                         3, 1, 1, 3, 3, 1, 1, 2, 2, 1, 2, 2, 2, 2, 2, 3, 1, 3, 3, 3};
    if (teil3 < 0) teil3 = 0;
    if (teil3 > 61) teil3 = 61;
    return HAAR[teil3];
}

void Spieler_Farben_Setzen(int32_t aussehen, uint16_t* haar, uint16_t* haut) {
    // Each colour draws blue, then green, then red.
    auto farbe = [](int32_t r0, int32_t r1, int32_t g0, int32_t g1, int32_t b0, int32_t b1) {
        const int32_t b = Rnd(b0, b1), g = Rnd(g0, g1), r = Rnd(r0, r1);
        return Colour_Pack565(r, g, b);
    };
    auto grau = [](int32_t lo, int32_t hi) {
        const int32_t v = Rnd(lo, hi);
        return Colour_Pack565(v, v, v);
    };
    uint16_t s = 0, h = 0;
    if (aussehen & 1) {
        s = farbe(147, 152, 87, 91, 36, 40);
        h = grau(5, 30);
    } else {
        s = farbe(240, 245, 178, 182, 108, 111);
        switch (Spieler_Haarart((aussehen >> 13) & 0x7F)) {
        case 1: h = farbe(235, 240, 179, 183, 107, 110); break;
        case 2: h = grau(5, 30); break;
        case 3: h = farbe(150, 154, 91, 93, 39, 41); break;
        default: h = grau(180, 225); break;
        }
    }
    if (haut) *haut = s;
    if (haar) *haar = h;
}

}  // namespace velmora
