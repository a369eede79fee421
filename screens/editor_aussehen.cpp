// screens/editor_aussehen.cpp - the team editor's face picker.
#include "screens/editor_aussehen.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "club/spieler.h"
#include "core/text.h"
#include "gfx/bildnr_editor.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "bilder/portrait.h"
#include "gfx/rastport.h"
#include "bilder/trikot.h"
#include "platform/clock.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "screens/editor_listen.h"
#include "screens/editor_zeichnen.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "EDITOR_SCREEN";
constexpr int32_t TEXT_TEIL = 25, TEXT_SCHLIESSEN = 32, TEXT_ZURUECK = 33;

constexpr int32_t PANEL_X = 58, PANEL_Y = 20, PANEL_B = 684, PANEL_H = 560;
constexpr int32_t TEIL_X[2] = {184, 432}, MINUS_X[2] = {160, 408}, PLUS_X[2] = {353, 601}, RASTER_KNOPF_X[2] = {377, 626};
constexpr int32_t TEIL_Y[3] = {50, 76, 102};
constexpr int32_t KNOPF = 20;
constexpr int32_t ZELLE_B = 88, ZELLE_H = 103, RASTER_X = 80, RASTER_Y = 148, SPALTEN = 7, ZEILEN = 4;
constexpr int32_t SCROLL_X = 695, SCROLL_Y = 147, SCROLL_H = 400;
constexpr int32_t FONT_NAME = 8, FONT_KNOPF = 9;

struct AussehenModul {
    bool offen = false;
    int32_t spieler = -1;
    uint32_t code = 0, anfang = 0;
    int32_t teil = -1, raster_teil = -1, seite = 0;
    std::vector<std::pair<uint32_t, Rastport*>> bilder;   // composed faces of the grid's page
    EditorTakt takt_minus, takt_plus;
    s_icon faenger, panel;
};
AussehenModul g;

const char* T(int32_t n) { return Text_Oder_Leer(TEXTE, n); }

void Bilder_Freigeben() {
    for (auto& b : g.bilder) Rastport_Free(b.second);
    g.bilder.clear();
}

void Gesicht(Rastport* ziel, uint32_t code, int32_t x, int32_t y) {
    Rastport* rp = nullptr;
    for (const auto& [c, bild] : g.bilder)
        if (c == code) rp = bild;
    if (!rp) {
        if (g.bilder.size() >= 40) Bilder_Freigeben();
        rp = Portrait_Zusammensetzen(int32_t(code), EDITOR_GRAU, EDITOR_TAFEL_HELL);
        if (!rp) return;
        g.bilder.emplace_back(code, rp);
    }
    Rastport_Blit(rp, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
}

int32_t Scrollbereich() { return std::max((Editor_Aussehen_Wahlen(g.code, g.raster_teil) - 28) / 7 + 7, 0); }

void Raster_Oeffnen(int32_t teil) {
    if (teil < 1 || teil > 5) return;
    g.raster_teil = teil;
    g.seite = 0;
}

void Code_Setzen(uint32_t code) {
    g.code = code;
    Spieler_Wert(SPW_AUSSEHEN, g.spieler, int32_t(code), OP_SCHREIBEN);
}

int32_t Zellen() {
    if (g.raster_teil < 0) return 0;
    const int32_t n = Editor_Aussehen_Wahlen(g.code, g.raster_teil);
    return std::clamp(n - g.seite * SPALTEN, 0, SPALTEN * ZEILEN);
}

void Panel_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!ziel || !g.offen) return;
    Editor_Bild(EDITOR_BILD_PICKER, PANEL_X, PANEL_Y);
    Gesicht(ziel, g.code, 71, 25);
    Font* f = Font_Get(FONT_KNOPF);
    Editor_Schreiben(Font_Get(FONT_NAME), 180, 39, EDITOR_WEISS, Spieler_String(SPS_NAME, g.spieler, 0, 0));
    for (int32_t t = 0; t < 6; ++t) {
        const int32_t s = t / 3, y = TEIL_Y[t % 3];
        char text[64];
        if (t == 0) std::snprintf(text, sizeof text, "%s %d", T(TEXT_TEIL), Editor_Aussehen_Teil(g.code, 0));
        else
            std::snprintf(text, sizeof text, "%s %d/%d", T(TEXT_TEIL + t), Editor_Aussehen_Teil(g.code, t) + 1,
                          Editor_Aussehen_Wahlen(g.code, t));
        Editor_Knopf(t == g.teil ? EDITOR_BILD_TEIL_AN : EDITOR_BILD_TEIL, f, TEIL_X[s], y, text);
        Editor_Knopf(EDITOR_BILD_KLEIN, f, MINUS_X[s], y, "-");
        Editor_Knopf(EDITOR_BILD_KLEIN, f, PLUS_X[s], y, "+");
        if (t > 0) Editor_Knopf(EDITOR_BILD_KLEIN + (t == g.raster_teil ? 1 : 0), f, RASTER_KNOPF_X[s], y, "#");
        if (t == g.teil) Editor_Bild(EDITOR_BILD_TEIL_MARKE, MINUS_X[s] - 2, y - 2);
    }
    Editor_Knopf(EDITOR_BILD_SEITENKNOPF, f, 656, 52, T(TEXT_SCHLIESSEN));
    Editor_Knopf(EDITOR_BILD_SEITENKNOPF, f, 656, 94, T(TEXT_ZURUECK));
    if (g.raster_teil < 0) return Editor_Bild(EDITOR_BILD_ZU, 73, 130);
    Editor_Bild(EDITOR_BILD_PICKER_RASTER, 73, 126);
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    const int32_t zellen = Zellen();
    for (int32_t k = 0; k < SPALTEN * ZEILEN; ++k) {
        const int32_t x = RASTER_X + ZELLE_B * (k % SPALTEN), y = RASTER_Y + ZELLE_H * (k / SPALTEN);
        const bool unter = k < zellen && mx >= x && mx < x + ZELLE_B && my >= y && my < y + ZELLE_H;
        Editor_Bild(EDITOR_BILD_GESICHT_ZELLE, x, y);
        if (k < zellen) Gesicht(ziel, Editor_Aussehen_Mit(g.code, g.raster_teil, g.seite * SPALTEN + k), x + 1, y + 1);
        if (unter) Editor_Bild(EDITOR_BILD_GESICHT_LICHT, x - 2, y - 2);
    }
    Editor_Bild(EDITOR_BILD_SCHATTEN, 73, 126);
    Editor_Bild(EDITOR_BILD_RASTER_RAHMEN, 73, 126);
    const int32_t knopf_y = SCROLL_Y + (SCROLL_H - 24) * g.seite / std::max(Scrollbereich(), 1);
    Editor_Bild(EDITOR_BILD_KNAUF, SCROLL_X + 1, knopf_y);
}

void Panel_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & (EV_LINKS | EV_RECHTS))) return;
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    auto in = [&](int32_t x, int32_t y, int32_t b, int32_t h) { return mx >= x && mx < x + b && my >= y && my < y + h; };
    if (g.raster_teil >= 0 && my >= RASTER_Y) {
        if (!(ereignis & EV_LINKS)) {
            g.raster_teil = -1;   // nothing chosen: the working code stays
            return;
        }
        if (in(SCROLL_X, SCROLL_Y, 10, SCROLL_H)) {
            g.seite = std::clamp((my - SCROLL_Y) * (Scrollbereich() + 1) / SCROLL_H, 0, Scrollbereich());
            return;
        }
        const int32_t c = (mx - RASTER_X) / ZELLE_B, z = (my - RASTER_Y) / ZELLE_H;
        if (mx < RASTER_X || c >= SPALTEN || z >= ZEILEN) return;
        const int32_t k = z * SPALTEN + c;
        if (k >= Zellen()) return;
        Code_Setzen(Editor_Aussehen_Mit(g.code, g.raster_teil, g.seite * SPALTEN + k));
        g.raster_teil = -1;
        return;
    }
    if (!(ereignis & EV_LINKS)) return;
    if (in(656, 52, 84, 24)) return Editor_Aussehen_Schliessen();
    if (in(656, 94, 84, 24)) return Code_Setzen(g.anfang);
    for (int32_t t = 0; t < 6; ++t) {
        const int32_t s = t / 3, y = TEIL_Y[t % 3];
        if (in(TEIL_X[s], y, 165, KNOPF) || (t > 0 && in(RASTER_KNOPF_X[s], y, KNOPF, KNOPF))) {
            g.teil = t;
            Raster_Oeffnen(t);
            return;
        }
        const bool minus = in(MINUS_X[s], y, KNOPF, KNOPF), plus = in(PLUS_X[s], y, KNOPF, KNOPF);
        if (!minus && !plus) continue;
        if (!Editor_Takt(plus ? g.takt_plus : g.takt_minus, Plat_Ms(), 200)) return;
        if (t == 0) {
            g.raster_teil = -1;
            Code_Setzen(Editor_Aussehen_Art_Wechsel(g.code, g.anfang));
            return;
        }
        Code_Setzen(Editor_Aussehen_Schritt(g.code, t, plus ? 1 : 0));
        g.teil = t;
        if (g.raster_teil >= 0) Raster_Oeffnen(t);
        return;
    }
}

}  // namespace

void Editor_Aussehen_Oeffnen(int32_t spieler) {
    if (g.offen) return;
    const int32_t code = Spieler_Wert(SPW_AUSSEHEN, spieler, 0, OP_LESEN);
    if (code < 0) return;
    g.offen = true;
    g.spieler = spieler;
    g.anfang = Editor_Aussehen_Begrenzen(uint32_t(code));
    Code_Setzen(g.anfang);
    g.teil = -1;
    g.raster_teil = -1;
    g.seite = 0;
    Editor_Seite_Anlegen(g.faenger, ICON_AUSSEHEN_FAENGER, g.panel, ICON_AUSSEHEN_PANEL, PANEL_X, PANEL_Y, PANEL_B,
                         PANEL_H, Panel_Klick, Panel_Zeichnen);
}

bool Editor_Aussehen_Offen() { return g.offen; }

void Editor_Aussehen_Schliessen() {
    if (!g.offen) return;
    // The skin and hair colours follow the final code.
    uint16_t haar = 0, haut = 0;
    Spieler_Farben_Setzen(int32_t(g.code), &haar, &haut);
    Spieler_Wert(SPW_HAUT, g.spieler, haut, OP_SCHREIBEN);
    Spieler_Wert(SPW_HAAR, g.spieler, haar, OP_SCHREIBEN);
    Editor_Seite_Entfernen(g.faenger, g.panel);
    Bilder_Freigeben();
    g.offen = false;
}

EditorAussehenStand Editor_Aussehen_Stand() {
    EditorAussehenStand s;
    s.spieler = g.offen ? g.spieler : -1;
    s.code = g.code;
    s.anfang = g.anfang;
    s.teil = g.teil;
    s.raster_teil = g.raster_teil;
    s.raster_zellen = Zellen();
    return s;
}

}  // namespace velmora
