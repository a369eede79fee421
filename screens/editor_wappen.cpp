// screens/editor_wappen.cpp - the team editor's club page.
#include "screens/editor_wappen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "business/stadion.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/text.h"
#include "gfx/bild.h"
#include "gfx/bildnr_editor.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gfx/texteingabe.h"
#include "bilder/trikot.h"
#include "bilder/wappen.h"
#include "gui/icon.h"
#include "platform/clock.h"
#include "gui/menue.h"
#include "screens/editor_listen.h"
#include "screens/editor_zeichnen.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "EDITOR_SCREEN";
constexpr int32_t TEXT_SCHLIESSEN = 32, TEXT_ZURUECK = 33, TEXT_FELD_NAME = 36, TEXT_TRIKOT = 44,
                  TEXT_BELEGT = 45;

constexpr int32_t SEITE_X = 58, SEITE_Y = 20, SEITE_B = 684, SEITE_H = 560;
constexpr int32_t SPALTE_X[4] = {64, 214, 364, 514};
constexpr int32_t KNOPF_Y = 132, KNOPF_B = 28, KNOPF_H = 20;
constexpr int32_t RASTER_X = 111, RASTER_Y = 251, ZELLE = 78, RASTER_SPALTEN = 7, RASTER_ZEILEN = 4;
constexpr int32_t SCROLL_X = 655, SCROLL_Y = 250, SCROLL_H = 300;
constexpr int32_t FELD_H = 20, FELD_B = 280;
constexpr int32_t FONT_TITEL = 9, FONT_FELD = 8, FONT_KLEIN = 15;

constexpr uint16_t WEISS = EDITOR_WEISS, GOLD = EDITOR_GOLD, GRAU = EDITOR_GRAU;

// The text fields in Tab order: the Team_String mode (or the capacity) and where they stand.
struct Feld {
    int32_t modus, x, y, label;
};
constexpr Feld FELDER[5] = {{TS_NAME_KURZ, 63, 160, 36},     {TS_KUERZEL, 63, 182, 37},
                            {TS_STADION_NAME, 63, 204, 38},  {EDITOR_FELD_KAPAZITAET, 353, 160, 39},
                            {TS_STADT, 353, 182, 40}};

struct WappenModul {
    bool offen = false;
    int32_t team = -1;
    int32_t anfang[4] = {}, wert[4] = {};
    int32_t spalte = -1;
    bool raster = false;
    int32_t seite = 0;
    int32_t edit = -1;            // index into FELDER, -1 none
    char puffer[32] = {};
    s_icon faenger, seite_icon;
    std::vector<std::pair<int32_t, Rastport*>> wappen;   // crests loaded while the page is open
    EditorTakt takt_zurueck, takt_weiter;
};
WappenModul g;

const char* T(int32_t n) { return Text_Oder_Leer(TEXTE, n); }

void Mittig(Font* f, int32_t mitte, int32_t y, uint16_t farbe, const char* text) {
    if (f) Editor_Schreiben(f, mitte - Text_Width(f, text) / 2, y, farbe, text);
}

int32_t Eintraege() { return g.spalte == 0 ? EDITOR_WAPPEN_MAX : EDITOR_TRIKOTE; }
int32_t Scrollbereich() { return g.spalte == 0 ? 285 : 37; }

// The club's value of a column, and writing it.
int32_t Lesen(int32_t spalte) {
    return spalte == 0 ? Team_Wert(TW_WAPPEN, g.team, 0, OP_LESEN) : Team_Get_TrikotNr(g.team, Editor_Trikot_Art(spalte));
}
void Setzen(int32_t spalte, int32_t wert) {
    g.wert[spalte] = wert;
    if (spalte == 0) Team_Wert(TW_WAPPEN, g.team, wert, OP_SCHREIBEN);
    else Trikot_Set_TrikotNr(g.team, wert, Editor_Trikot_Art(spalte));
    // Crests drawn for the club before are kept finished; they show the old one.
    if (spalte == 0) Rastport_Cache_Clear();
}

void Edit_Beenden() {
    Texteingabe_Free();
    g.edit = -1;
}

void Spalte_Waehlen(int32_t spalte) {
    if (spalte != g.spalte) g.raster = false;
    g.spalte = spalte;
}

std::string Feld_Text(int32_t i) {
    if (FELDER[i].modus == EDITOR_FELD_KAPAZITAET) return std::to_string(Editor_Kapazitaet(g.team));
    return Team_String(FELDER[i].modus, g.team, 0, 0);
}

void Edit_Starten(int32_t i) {
    Texteingabe_Free();
    g.edit = i;
    std::snprintf(g.puffer, sizeof g.puffer, "%s", Feld_Text(i).c_str());
}

void Uebernehmen() {
    if (g.edit < 0) return;
    const Feld& f = FELDER[g.edit];
    if (f.modus == EDITOR_FELD_KAPAZITAET) Editor_Kapazitaet_Setzen(g.team, std::atoi(g.puffer));
    else Editor_Team_Text_Setzen(g.team, f.modus, g.puffer);
}

// A crest by number as the built-in picture shows it.
void Wappen_Bild(Rastport* ziel, int32_t nummer, int32_t x, int32_t y) {
    const int32_t eintrag = std::clamp(nummer, 0, WAPPEN_RES_ANZAHL - 1);
    Rastport* rp = nullptr;
    for (const auto& [n, bild] : g.wappen)
        if (n == eintrag) rp = bild;
    if (!rp) {
        // One grid page at a time: the pictures of pages left behind go.
        if (g.wappen.size() >= 64) {
            for (auto& w : g.wappen) Rastport_Free(w.second);
            g.wappen.clear();
        }
        rp = Bild_Res_Laden(BILD_RES_WAPPEN, eintrag);
        if (!rp) return;
        g.wappen.emplace_back(eintrag, rp);
    }
    Rastport_Blit(rp, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
}

void Raster_Zeichnen(Rastport* ziel) {
    Font* klein = Font_Get(FONT_KLEIN);
    Font* f = Font_Get(FONT_TITEL);
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    for (int32_t z = 0; z < RASTER_ZEILEN; ++z)
        for (int32_t c = 0; c < RASTER_SPALTEN; ++c) {
            const int32_t k = (g.seite + z) * RASTER_SPALTEN + c;
            const int32_t x = RASTER_X + ZELLE * c, y = RASTER_Y + ZELLE * z;
            Editor_Bild(g.spalte == 0 ? EDITOR_BILD_WAPPEN_ZELLE : EDITOR_BILD_TRIKOT_ZELLE, x - 2, y - 2);
            if (k >= Eintraege()) continue;
            const bool unter = mx >= x - 2 && mx < x + ZELLE - 6 && my >= y - 2 && my < y + ZELLE - 6;
            if (g.spalte == 0) {
                // Cell k shows and sets crest k + 1: crests count from 1.
                Wappen_Bild(ziel, k + 1, x + 3, y);
                char zahl[12];
                std::snprintf(zahl, sizeof zahl, "%d", k + 1);
                Editor_Rechts(klein, x + ZELLE - 9, y + ZELLE - 9, WEISS, zahl);
            } else if (Editor_Trikot_Erlaubt(g.team, g.spalte, k)) {
                Trikot_Blt_Trikot(ziel, k, x + 20, y + 12, 2, TRIKOT_SCHATTEN_PLANE, 2, 0);
                char zahl[12];
                std::snprintf(zahl, sizeof zahl, "%d", k);
                Editor_Rechts(klein, x + ZELLE - 9, y + ZELLE - 9, WEISS, zahl);
            } else {
                Trikot_Blt_Trikot(ziel, k, x + 20, y + 12, 2, TRIKOT_TRANSPARENT, 40, 0);
                Mittig(f, x + 35, y + 60, GRAU, T(TEXT_BELEGT));
                continue;
            }
            if (unter) Editor_Bild(EDITOR_BILD_ZELLE_LICHT, x - 3, y - 3);
        }
    Editor_Bild(EDITOR_BILD_SCHATTEN, 73, 236);
    const int32_t knopf_y = SCROLL_Y + (SCROLL_H - 24) * g.seite / std::max(Scrollbereich(), 1);
    Editor_Bild(EDITOR_BILD_KNAUF, SCROLL_X + 1, knopf_y);
}

void Felder_Zeichnen() {
    Font* f = Font_Get(FONT_FELD);
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    for (int32_t i = 0; i < 5; ++i) {
        const Feld& fe = FELDER[i];
        const bool unter = mx >= fe.x && mx < fe.x + FELD_B && my >= fe.y && my < fe.y + FELD_H;
        if (unter || i == g.edit) Editor_Bild(EDITOR_BILD_FELD_LICHT, fe.x, fe.y);
        Editor_Schreiben(f, fe.x + 5, fe.y + 15, GRAU, T(fe.label));
        if (i == g.edit) continue;
        Editor_Rechts(f, fe.x + FELD_B - 6, fe.y + 15, WEISS, Feld_Text(i));
    }
    // The nation, shown only, in the field under the city's.
    constexpr int32_t LAND_X = 353, LAND_Y = 204;
    Editor_Schreiben(f, LAND_X + 5, LAND_Y + 15, GRAU, T(TEXT_FELD_NAME + 5));
    Editor_Rechts(f, LAND_X + FELD_B - 6, LAND_Y + 15, WEISS, Team_String(TS_NATION, g.team, 0, 0));
    if (g.edit < 0) return;
    const Feld& fe = FELDER[g.edit];
    const int32_t laenge = Editor_Feld_Laenge(fe.modus, true);
    const uint32_t flags = (fe.modus == EDITOR_FELD_KAPAZITAET ? TEXTEINGABE_ZAHL : TEXTEINGABE_STANDARD) |
                           TEXTEINGABE_ALLES_MARKIERT | TEXTEINGABE_NUR_TASTEN;
    const int32_t ende = Texteingabe_Edit(Font_Get(FONT_FELD), g.puffer, int32_t(sizeof g.puffer), laenge, flags,
                                          fe.x + 100, fe.y + 1, EDITOR_EINGABE_B, EDITOR_EINGABE_H, 4, 0, nullptr, 0, 0,
                                          nullptr, GOLD);
    switch (ende) {
    case TEXTEINGABE_ENTER:
        Uebernehmen();
        Edit_Beenden();
        break;
    case TEXTEINGABE_TAB:
    case TEXTEINGABE_SHIFT_TAB:
        Uebernehmen();
        Edit_Starten((g.edit + (ende == TEXTEINGABE_TAB ? 1 : 4)) % 5);
        break;
    case TEXTEINGABE_ESCAPE: Edit_Beenden(); break;
    default: break;
    }
}

void Seite_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!ziel || !g.offen) return;
    Editor_Bild(EDITOR_BILD_SEITE, SEITE_X, SEITE_Y);
    Font* f = Font_Get(FONT_TITEL);
    for (int32_t s = 0; s < 4; ++s) {
        const int32_t x = SPALTE_X[s];
        Editor_Bild(EDITOR_BILD_SPALTE, x - 1, 26);
        if (s == g.spalte) Editor_Bild(EDITOR_BILD_SPALTE_AN, x - 1, 26);
        char titel[64];
        if (s == 0) std::snprintf(titel, sizeof titel, "%s", Text_Oder_Leer("ULVO_ZUSATZ", 89));
        else if (s < 3) std::snprintf(titel, sizeof titel, "%s %d", T(TEXT_TRIKOT), s);
        else std::snprintf(titel, sizeof titel, "%s %s", T(TEXT_TRIKOT), Text_Tabelle(6));   // the goalkeeper's
        Mittig(f, x + 59, 43, WEISS, titel);
        if (s == 0) Wappen_Bild(ziel, g.wert[0], 90, 56);
        else Trikot_Blt_Trikot(ziel, g.wert[s], x + 44, 70, 2, TRIKOT_SCHATTEN_PLANE, 2, 0);
        char zahl[12];
        std::snprintf(zahl, sizeof zahl, "%d", g.wert[s]);
        Mittig(Font_Get(FONT_KLEIN), x + 59, 126, GRAU, zahl);
        static const char* const ZEICHEN[4] = {"<", ">", "=", "#"};
        for (int32_t k = 0; k < 4; ++k)
            Editor_Knopf(EDITOR_BILD_SCHRITT + (k == 3 && g.raster && s == g.spalte ? 1 : 0), f, x + 30 * k + 1, KNOPF_Y,
                         ZEICHEN[k]);
    }
    Editor_Knopf(EDITOR_BILD_SEITENKNOPF, f, 653, 79, T(TEXT_SCHLIESSEN));
    Editor_Knopf(EDITOR_BILD_SEITENKNOPF, f, 653, 171, T(TEXT_ZURUECK));
    Felder_Zeichnen();
    if (g.raster) {
        Editor_Bild(EDITOR_BILD_SEITE_RASTER, 73, 236);
        Raster_Zeichnen(ziel);
    } else {
        Editor_Bild(EDITOR_BILD_ZU, 73, 230, -1, 336);
    }
}

void Raster_Klick(int32_t mx, int32_t my, bool links) {
    if (!links) {
        // A right click closes the grid; the column keeps the value it had.
        g.raster = false;
        return;
    }
    if (mx >= SCROLL_X && mx < SCROLL_X + 10 && my >= SCROLL_Y && my < SCROLL_Y + SCROLL_H) {
        g.seite = std::clamp((my - SCROLL_Y) * (Scrollbereich() + 1) / SCROLL_H, 0, Scrollbereich());
        return;
    }
    if (mx < RASTER_X - 2 || my < RASTER_Y - 2) return;
    const int32_t c = (mx - RASTER_X + 2) / ZELLE, z = (my - RASTER_Y + 2) / ZELLE;
    if (c >= RASTER_SPALTEN || z >= RASTER_ZEILEN) return;
    const int32_t k = (g.seite + z) * RASTER_SPALTEN + c;
    if (k >= Eintraege()) return;
    if (g.spalte == 0) Setzen(0, k + 1);
    else if (Editor_Trikot_Erlaubt(g.team, g.spalte, k)) Setzen(g.spalte, k);
    else return;
    g.raster = false;
}

void Seite_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & (EV_LINKS | EV_RECHTS))) return;
    const bool links = ereignis & EV_LINKS;
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    if (g.raster && my >= 230) return Raster_Klick(mx, my, links);
    if (!links) return;
    auto in = [&](int32_t x, int32_t y, int32_t b, int32_t h) { return mx >= x && mx < x + b && my >= y && my < y + h; };
    if (in(653, 79, 84, 24)) return Editor_Wappen_Schliessen();
    if (in(653, 171, 84, 24)) {
        Edit_Beenden();
        for (int32_t s = 0; s < 4; ++s) Setzen(s, g.anfang[s]);
        return;
    }
    for (int32_t i = 0; i < 5; ++i)
        if (in(FELDER[i].x, FELDER[i].y, FELD_B, FELD_H)) {
            if (g.edit != i) {
                Uebernehmen();
                Edit_Starten(i);
            }
            return;
        }
    for (int32_t s = 0; s < 4; ++s)
        for (int32_t k = 0; k < 4; ++k) {
            if (!in(SPALTE_X[s] + 30 * k + 1, KNOPF_Y, KNOPF_B, KNOPF_H)) continue;
            Edit_Beenden();
            switch (k) {
            case 0:
            case 1:
                if (!Editor_Takt(k == 1 ? g.takt_weiter : g.takt_zurueck, Plat_Ms(), 200)) return;
                Setzen(s, s == 0 ? Editor_Wappen_Schritt(g.wert[0], k)
                                 : Editor_Trikot_Schritt(g.team, s, g.wert[s], k));
                Spalte_Waehlen(s);
                break;
            case 2:
                Setzen(s, g.anfang[s]);
                Spalte_Waehlen(s);
                break;
            default:
                Spalte_Waehlen(s);
                g.raster = true;
                g.seite = 0;
                break;
            }
            return;
        }
}

}  // namespace

void Editor_Wappen_Oeffnen(int32_t team) {
    if (g.offen || team < 0 || team >= Team_Anzahl()) return;
    g.offen = true;
    g.team = team;
    for (int32_t s = 0; s < 4; ++s) g.anfang[s] = g.wert[s] = Lesen(s);
    g.spalte = -1;
    g.raster = false;
    g.seite = 0;
    Edit_Beenden();
    Stadion_Get(team, 1);
    Editor_Seite_Anlegen(g.faenger, ICON_WAPPEN_FAENGER, g.seite_icon, ICON_WAPPEN_SEITE, SEITE_X, SEITE_Y, SEITE_B,
                         SEITE_H, Seite_Klick, Seite_Zeichnen);
}

bool Editor_Wappen_Offen() { return g.offen; }

void Editor_Wappen_Schliessen() {
    if (!g.offen) return;
    Edit_Beenden();
    Editor_Seite_Entfernen(g.faenger, g.seite_icon);
    for (auto& w : g.wappen) Rastport_Free(w.second);
    g.wappen.clear();
    g.offen = false;
    Rastport_Cache_Clear();
}

EditorWappenStand Editor_Wappen_Stand() {
    EditorWappenStand s;
    s.team = g.offen ? g.team : -1;
    s.spalte = g.spalte;
    std::copy(g.wert, g.wert + 4, s.wert);
    s.raster = g.raster;
    s.seite = g.seite;
    s.edit_feld = g.edit >= 0 ? FELDER[g.edit].modus : -1;
    return s;
}

}  // namespace velmora
