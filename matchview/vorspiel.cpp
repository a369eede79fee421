// matchview/vorspiel.cpp - the pre-match picture and its sliding name plates.
#include "matchview/vorspiel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "bilder/trikot.h"
#include "bilder/wappen.h"
#include "club/aufstellung.h"
#include "club/club_hooks.h"
#include "club/formation.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/bild.h"
#include "gfx/bildnr_seiten.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/schatten.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "matchview/ankuendigung_intern.h"
#include "platform/clock.h"

namespace velmora {
namespace {

// Where a figure of depth row r (0 near) and formation column c stands.
constexpr int16_t FELD[12][7][2] = {
    {{151, 400}, {227, 400}, {300, 400}, {362, 415}, {440, 400}, {512, 400}, {589, 400}},
    {{151, 375}, {227, 375}, {300, 375}, {370, 375}, {440, 375}, {512, 375}, {589, 375}},
    {{165, 343}, {235, 343}, {307, 343}, {370, 343}, {436, 343}, {504, 343}, {568, 343}},
    {{182, 327}, {247, 327}, {313, 327}, {375, 327}, {435, 327}, {501, 327}, {558, 327}},
    {{197, 306}, {257, 306}, {319, 306}, {375, 306}, {433, 306}, {491, 306}, {542, 306}},
    {{212, 292}, {268, 292}, {325, 292}, {375, 292}, {427, 292}, {481, 292}, {532, 292}},
    {{227, 275}, {279, 275}, {329, 275}, {380, 275}, {426, 275}, {477, 275}, {526, 275}},
    {{240, 258}, {289, 258}, {334, 258}, {380, 258}, {425, 258}, {470, 258}, {515, 258}},
    {{251, 240}, {296, 240}, {340, 240}, {380, 240}, {424, 240}, {464, 240}, {503, 240}},
    {{261, 226}, {303, 226}, {344, 226}, {383, 226}, {423, 226}, {460, 226}, {500, 226}},
    {{270, 213}, {308, 213}, {346, 213}, {383, 213}, {420, 213}, {455, 213}, {492, 213}},
    {{270, 213}, {308, 213}, {346, 213}, {387, 206}, {420, 213}, {455, 213}, {492, 213}},
};

// What a depth row draws: the figure layer, the back-number strip and where
// the number sits on the figure.
struct Tiefe {
    int32_t figur, streifen, dx, dy;
};

struct Typ {
    uint16_t farbe;
    int32_t bild;   // trobe_res.res, read at 4000 + n
};
constexpr Typ TYPEN[4] = {{65535, 4039}, {20051, 4037}, {52743, 4036}, {50055, 4038}};

struct VorspielModul {
    Ankuendigung_Spielerschild schild[2][SCHILDER_MAX];
    int32_t anzahl[2] = {0, 0};
    Rastport* kopie = nullptr;      // the finished picture
    uint32_t letzter_schritt = 0;
    bool geschritten = false;
};
VorspielModul g;

bool Torwart_Zelle(int32_t spieler) {
    return Spieler_Wert(SPW_SPALTE, spieler, 0, OP_LESEN) == 3 && Spieler_Wert(SPW_REIHE, spieler, 0, OP_LESEN) == 0;
}

// An outfield player near the camera and the far keeper have layers of their own.
Tiefe Tiefe_Von(int32_t reihe, bool feld) {
    if (reihe == 0 && feld) return {11, 9, 18, 25};
    if (reihe >= 11) return {10, 4, 8, 10};
    if (reihe <= 2) return {15, 8, 14, 21};
    if (reihe <= 5) return {14, 7, 11, 18};
    if (reihe <= 8) return {13, 6, 12, 15};
    return {12, 4, 10, 13};
}

const VorspielFigur& Figur_Von(int32_t eintrag) {
    for (const VorspielFigur& f : VORSPIEL_FIGUREN)
        if (f.eintrag == eintrag) return f;
    return VORSPIEL_FIGUREN[0];
}

const VorspielStreifen* Streifen_Von(int32_t eintrag) {
    for (const VorspielStreifen& s : VORSPIEL_STREIFEN)
        if (s.eintrag == eintrag) return &s;
    return nullptr;
}

// A kit's first variant through its mask, scaled to w x h, at (x, y).
void Trikot_Zeichnen(Rastport* ziel, int32_t trikot, int32_t x, int32_t y, int32_t w, int32_t h) {
    const TrikotStructure* t = Trikot_Get_TrikotStructure(trikot);
    if (!t) return;
    Rastport* bild = Bild_Res_Laden(ANK_RES_ODDO, int32_t(t->bild));
    Rastport* maske = Bild_Res_Laden(ANK_RES_ODDO, int32_t(t->bild) + TRIKOT_VARIANTEN, 8);
    Rastport* b = bild ? Rastport_Create(w, h, int32_t(Rastport_Depth(bild)), 0, 0) : nullptr;
    Rastport* m = maske ? Rastport_Create(w, h, 8, 0, 0) : nullptr;
    if (b && m && Bild_Skalieren_Punkt(bild, b, w, h) && Bild_Skalieren_Punkt(maske, m, w, h))
        Blt_Alpha(b, m, 0, 0, w, h, ziel, x, y);
    for (Rastport* r : {bild, maske, b, m}) Rastport_Free(r);
}

void Figur_Zeichnen(Rastport* ziel, const Ankuendigung_Spielerschild& s, int32_t x, int32_t y) {
    const Tiefe satz = Tiefe_Von(s.reihe, !Torwart_Zelle(s.spieler));
    const VorspielFigur& f = Figur_Von(satz.figur);
    Trikot_Zeichnen(ziel, s.trikot, x + f.torso_x, y + f.torso_y, f.torso_b, f.torso_h);
    if (Rastport* lage = Bild_Res_Laden(ANK_RES_ODDO, BILD_RES_DIREKT_VERSATZ + f.eintrag)) {
        Rastport_Blit(lage, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
        Rastport_Free(lage);
    }
    const VorspielStreifen* st = Streifen_Von(satz.streifen);
    Rastport* streifen = st ? Bild_Res_Laden(ANK_RES_ODDO, BILD_RES_DIREKT_VERSATZ + st->eintrag) : nullptr;
    if (!streifen) {
        Debug_Printf("Ank..Dar...SpTrk() rpRueckenNr == NULL\n");
        return;
    }
    const int32_t oben = int32_t(streifen->height) - s.rueckennummer * st->hoehe;
    if (s.rueckennummer > 0 && oben >= 0)
        Blit_Alpha(streifen, 0, oben, st->breite, st->hoehe, ziel, x + satz.dx, y + satz.dy, 70);
    Rastport_Free(streifen);
}

// Where a plate's name starts: after the widest of the kinds' names.
int32_t Schild_Name_X() {
    int32_t breiteste = 0;
    for (int32_t typ = 0; typ < 4; ++typ)
        if (const char* name = Text_Tabelle(6 + typ)) breiteste = std::max(breiteste, Text_Width(Font_Get(10), name));
    return SCHILD_POSITION_X + breiteste + 8;
}

// The plate's picture: position badge, position, name and shirt number.
Rastport* Schild_Bild(const Ankuendigung_Spielerschild& s, int32_t typ) {
    Rastport* rp = Rastport_Create(SCHILD_B, SCHILD_H, Rastport_Screen_Depth(), 0, 0);
    if (!rp) return nullptr;
    Rastport_Fill(rp, 0, 0, -1, -1, 0, nullptr);
    if (Rastport* pos = Bild_Res_Laden(ANK_RES_TROBE, s.positionsbild)) {
        Rastport_Blit(pos, 0, 0, -1, -1, rp, 0, 0, BlitMode_Key);
        Rastport_Free(pos);
    }
    Font* f = Font_Get(10);
    const char* name = Text_Tabelle(6 + typ);   // the kinds' names ("*6" to "*9")
    Text_Printf(rp, f, "^c%05d^tl%04d%s", 0, 12, s.farbe, SCHILD_POSITION_X, name ? name : "");
    Text_Printf(rp, f, "^c%05d^tl%04d%s", 0, 12, 65535, Schild_Name_X(), s.name);
    const int32_t n = s.rueckennummer;
    Text_Printf(rp, Font_Get(15), n >= 10 && n <= 19 ? "^c%05d^fb0006^tz0010%d" : "^c%05d^fb0006^tz0011%d", 0, 12,
                65535, n);
    return rp;
}

void Kopie_Freigeben() {
    g.kopie = Rastport_Free(g.kopie);
}

}  // namespace

int32_t Ankuendigung_Rueckennummer(int32_t nummer) {
    if (nummer >= 0 && nummer <= VORSPIEL_NUMMERN) return nummer;
    return ((nummer % VORSPIEL_NUMMERN) + VORSPIEL_NUMMERN) % VORSPIEL_NUMMERN;
}

int32_t Ankuendigung_Spielerschilder(int32_t team, int32_t feld_trikot, int32_t torwart_trikot, bool heim,
                                     Ankuendigung_Spielerschild* schilder, int32_t ziel_x, int32_t erstes_y,
                                     int32_t schritt, int32_t ankunft) {
    for (int32_t i = 0; i < SCHILDER_MAX; ++i) {
        Rastport_Free(schilder[i].bild);
        schilder[i] = Ankuendigung_Spielerschild{};
    }
    if (team < 0 || team >= Team_Anzahl()) return 0;
    if (!Club_Ist_Client() || team == Team_Lokal()) Check_Und_Set_Aa(team);
    int32_t spieler[SCHILDER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, spieler, SCHILDER_MAX, 16);
    // Goalkeeper first, then by type; equal types keep their order.
    for (int32_t a = 0; a + 1 < n; ++a)
        for (int32_t b = 0; b + 1 < n - a; ++b)
            if (Spieler_Wert(SPW_ART, spieler[b], 0, OP_LESEN) > Spieler_Wert(SPW_ART, spieler[b + 1], 0, OP_LESEN))
                std::swap(spieler[b], spieler[b + 1]);
    for (int32_t i = 0; i < n; ++i) {
        Ankuendigung_Spielerschild& s = schilder[i];
        const int32_t sp = spieler[i];
        s.spieler = sp;
        Str_Auf_Breite(Spieler_String(SPS_NAME, sp, 0, 0), s.name, sizeof s.name, Font_Get(10), SCHILD_B - Schild_Name_X());
        s.rueckennummer = Ankuendigung_Rueckennummer(Spieler_Wert(SPW_RUECKENNUMMER, sp, 0, OP_LESEN));
        s.ziel_x = ziel_x;
        s.ziel_y = erstes_y + i * schritt;
        const int32_t reihe = Spieler_Wert(SPW_REIHE, sp, 0, OP_LESEN);
        s.reihe = heim ? reihe : (Torwart_Zelle(sp) ? 11 : 10 - reihe);
        s.reihe = s.reihe < 0 ? 0 : (s.reihe > 11 ? 11 : s.reihe);
        s.spalte = Spieler_Wert(SPW_SPALTE, sp, 0, OP_LESEN);
        s.spalte = s.spalte < 0 ? 0 : (s.spalte > 6 ? 6 : s.spalte);
        s.gast = !heim;
        int32_t typ = Spieler_Wert(SPW_ART, sp, 0, OP_LESEN);
        typ = typ < 0 || typ > 3 ? 2 : typ;
        s.farbe = TYPEN[typ].farbe;
        s.positionsbild = TYPEN[typ].bild;
        s.trikot = Torwart_Zelle(sp) ? torwart_trikot : feld_trikot;
        // Arrival from the side edge at the target row; plate i sets out i steps later.
        if (ankunft == 1) s.start_x = heim ? -SCHILD_B : 890, s.start_y = s.ziel_y;
        else if (ankunft == 0) s.start_x = ziel_x, s.start_y = heim ? -SCHILD_H : SCHILD_H + 600;
        else s.start_x = heim ? -SCHILD_B : 800 - SCHILD_B, s.start_y = heim ? -SCHILD_H : 600 - SCHILD_H;
        s.x = s.start_x;
        s.y = s.start_y;
        s.warten = i;
        s.bild = Schild_Bild(s, typ);
    }
    return n;
}

void Ankuendigung_Schild_Bewegen(Ankuendigung_Spielerschild* s) {
    if (!s) return;
    if (s->warten > 0) {
        --s->warten;
        return;
    }
    const int32_t dx = s->ziel_x - s->x, dy = s->ziel_y - s->y;
    if (dx == 0 && dy == 0) {
        s->tempo = 0;
        return;
    }
    s->tempo += 1.5f;
    const int32_t v = int32_t(s->tempo);
    // Never past the target: the last step lands on it.
    const auto naeher = [v](int32_t& p, int32_t d) { p += d > 0 ? (d < v ? d : v) : (-d < v ? d : -v); };
    naeher(s->x, dx);
    naeher(s->y, dy);
    if (s->x == s->ziel_x && s->y == s->ziel_y) s->tempo = 0;
}

void Ankuendigung_Aufstellung_Zeichnen(Rastport* bild, Ankuendigung_Spielerschild* schilder, int32_t anzahl) {
    // In a depth row where both sides stand, the home side moves a quarter of
    // the row's column spacing to the left and the away side to the right, so
    // two players of a cell stand apart instead of covering each other.
    bool seite_da[12][2] = {};
    for (int32_t i = 0; i < anzahl; ++i) seite_da[schilder[i].reihe][schilder[i].gast ? 1 : 0] = true;
    bool belegt[12][7] = {};
    for (int32_t i = 0; i < anzahl; ++i) {
        const Ankuendigung_Spielerschild& s = schilder[i];
        int32_t x = FELD[s.reihe][s.spalte][0], y = FELD[s.reihe][s.spalte][1];
        if (seite_da[s.reihe][0] && seite_da[s.reihe][1]) {
            const int32_t viertel = (FELD[s.reihe][6][0] - FELD[s.reihe][0][0]) / 24;
            x += s.gast ? viertel : -viertel;
        }
        if (belegt[s.reihe][s.spalte]) x += 8, y += 8;
        belegt[s.reihe][s.spalte] = true;
        Figur_Zeichnen(bild, s, x, y);
    }
}

Rastport* Ankuendigung_Zeichnen() {
    Ankuendigung_Rueckennummern();
    Schatten_Cache_Leeren();
    const Ankuendigung& st = Ankuendigung_Staging();
    const int32_t heim = int32_t(st.heim), gast = int32_t(st.gast);
    if (heim < 0 || heim >= Team_Anzahl() || gast < 0 || gast >= Team_Anzahl()) return nullptr;
    Rastport* seite = Bild_Res_Laden(ANK_RES_ODDO, BILD_RES_DIREKT_VERSATZ + VORSPIEL_SEITE);
    if (!seite) return nullptr;
    Ankuendigung_Seite_Gebaut();
    int32_t feld[2] = {0, 0}, torwart[2] = {0, 0};
    Trikot_Team_VS_Team(heim, gast, &feld[0], &feld[1], 0);
    Trikot_Team_VS_Team(heim, gast, &torwart[0], &torwart[1], 2);
    g.anzahl[0] = Ankuendigung_Spielerschilder(heim, feld[0], torwart[0], true, g.schild[0], SCHILD_ZIEL_HEIM, 147, 17, 1);
    g.anzahl[1] = Ankuendigung_Spielerschilder(gast, feld[1], torwart[1], false, g.schild[1], SCHILD_ZIEL_GAST, 147, 17, 1);
    static const SchattenParameter schatten{3, 3, 5, 0};
    Wappen_Zeichnen(heim, seite, 55, 19, 66, 66, &schatten);
    Wappen_Zeichnen(gast, seite, 682, 29, 66, 66, &schatten);
    // Each name is centred on its plate (x 131 to 307 and 489 to 670) and cut to it.
    const int32_t name_y[2] = {32, 77}, name_x[2] = {220, 580}, name_breite[2] = {162, 168};
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t team = k == 0 ? heim : gast;
        char name[128];
        Str_Auf_Breite(Team_String(TS_NAME_KURZ, team, 0, 0), name, sizeof name, Font_Get(14), name_breite[k]);
        Text_Schatten_Print(seite, Font_Get(14), "^c%05d^tz%04d%s", 0, name_y[k], 65535, name_x[k], name);
        int32_t reihen[4] = {0, 0, 0, 0};
        if (Formation_Zaehle_Reihen(team, reihen))
            Text_Schatten_Print(seite, Font_Get(9), "^c%05d^tz%04d%d - %d - %d", 0, name_y[k] + 14, ANK_TEXT, name_x[k],
                                reihen[2], reihen[1], reihen[0]);
    }
    // The figures: far rows first, so nearer figures cover farther ones.
    Ankuendigung_Spielerschild* liste[2 * SCHILDER_MAX];
    int32_t n = 0;
    for (int32_t k = 0; k < 2; ++k)
        for (int32_t i = 0; i < g.anzahl[k]; ++i) liste[n++] = &g.schild[k][i];
    for (int32_t a = 0; a + 1 < n; ++a)
        for (int32_t b = 0; b + 1 < n - a; ++b)
            if (liste[b]->reihe < liste[b + 1]->reihe) std::swap(liste[b], liste[b + 1]);
    Ankuendigung_Spielerschild sortiert[2 * SCHILDER_MAX];
    for (int32_t i = 0; i < n; ++i) {
        sortiert[i] = *liste[i];
        sortiert[i].bild = nullptr;   // the copies own no picture
    }
    Ankuendigung_Aufstellung_Zeichnen(seite, sortiert, n);
    // The squads' panels stand in front of the pitch: a figure of an outer
    // column near them goes behind the panel, not over the names.
    if (Rastport* leer = Bild_Res_Laden(ANK_RES_ODDO, BILD_RES_DIREKT_VERSATZ + VORSPIEL_SEITE)) {
        for (int32_t x : VORSPIEL_TAFEL_X)
            Rastport_Blit(leer, x, VORSPIEL_TAFEL_Y, VORSPIEL_TAFEL_B, VORSPIEL_TAFEL_H, seite, x, VORSPIEL_TAFEL_Y,
                          BlitMode_Default);
        Rastport_Free(leer);
    }
    // The big kits behind the plates.
    for (int32_t k = 0; k < 2; ++k) {
        const TrikotStructure* t = Trikot_Get_TrikotStructure(feld[k]);
        Rastport* kit = t ? Bild_Res_Laden(ANK_RES_ODDO, int32_t(t->bild)) : nullptr;
        Rastport* gross = kit ? Rastport_Create(int32_t(kit->width) * 3, int32_t(kit->height) * 3,
                                                int32_t(Rastport_Depth(kit)), 0, 0)
                              : nullptr;
        if (gross && Bild_Skalieren_Punkt(kit, gross, int32_t(gross->width), int32_t(gross->height)))
            Blit_Alpha(gross, 0, 0, -1, -1, seite, k == 0 ? 57 : 655, 168, 40);
        Rastport_Free(kit);
        Rastport_Free(gross);
    }
    Rastport* abzeichen = Bild_Res_Laden(ANK_RES_ODDO, BILD_RES_DIREKT_VERSATZ + VORSPIEL_ABZEICHEN);
    Rastport* maske = Bild_Res_Laden(ANK_RES_ODDO, BILD_RES_DIREKT_VERSATZ + VORSPIEL_MASKE, 8);
    if (abzeichen && maske) Blt_Alpha(abzeichen, maske, 0, 0, -1, -1, seite, 344, 464);
    Rastport_Free(abzeichen);
    Rastport_Free(maske);
    g.kopie = Rastport_Create(int32_t(seite->width), int32_t(seite->height), int32_t(Rastport_Depth(seite)), 0, 0);
    if (g.kopie) Rastport_Blit(seite, 0, 0, -1, -1, g.kopie, 0, 0, BlitMode_Default);
    g.letzter_schritt = Plat_Ms();
    return seite;
}

bool Ankuendigung_Ende(Rastport* screen) {
    if (!screen || !g.kopie) return true;
    Rastport_Blit(g.kopie, 0, 142, 400, 200, screen, 0, 142, BlitMode_Default);
    Rastport_Blit(g.kopie, 400, 142, 400, 200, screen, 400, 142, BlitMode_Default);
    // One step a frame at most, and not faster than the clock allows.
    const uint32_t jetzt = Plat_Ms();
    const bool schritt = jetzt - g.letzter_schritt >= SCHILD_SCHRITT_MS;
    if (schritt) g.letzter_schritt = jetzt;
    bool stehen = true;
    for (int32_t k = 0; k < 2; ++k)
        for (int32_t i = 0; i < g.anzahl[k]; ++i) {
            Ankuendigung_Spielerschild& s = g.schild[k][i];
            if (s.bild) Rastport_Blit(s.bild, 0, 0, -1, -1, screen, s.x, s.y, BlitMode_Key);
            stehen = stehen && s.x == s.ziel_x && s.y == s.ziel_y;
            if (schritt) Ankuendigung_Schild_Bewegen(&s);
        }
    return stehen;
}

void Ankuendigung_Rueckennummern() {
    Kopie_Freigeben();
    for (int32_t k = 0; k < 2; ++k) {
        for (Ankuendigung_Spielerschild& s : g.schild[k]) {
            Rastport_Free(s.bild);
            s = Ankuendigung_Spielerschild{};
        }
        g.anzahl[k] = 0;
    }
}

const Ankuendigung_Spielerschild* Ankuendigung_Schilder(int32_t seite, int32_t* anzahl) {
    const int32_t k = seite == 1 ? 1 : 0;
    if (anzahl) *anzahl = g.anzahl[k];
    return g.schild[k];
}

}  // namespace velmora
