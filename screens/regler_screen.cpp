// screens/regler_screen.cpp - the tactics panel's icons over the live match
// view: a window the left button drags, three switches and four sliders.
#include <algorithm>

#include "club/manager.h"
#include "core/text.h"
#include "gfx/bildnr_live.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "match/record/spielfeld_satz.h"
#include "platform/clock.h"
#include "screens/regler.h"
#include "screens/einwechseln.h"
#include "shell/maus.h"

namespace velmora {
namespace {

constexpr int32_t ICON_OPTION_REGLER = 722;
constexpr int32_t FENSTER_B = 246, FENSTER_H = 160, PRI = 16;
// The window's place without a stored one: x 466, its foot at y 513, so that
// it stands clear of the ticker's two lines at the foot of a full-screen view.
constexpr int32_t START_X = 466, START_Y = 513 - FENSTER_H;
constexpr int32_t ICONS = 1 + 3 + 2 * REGLER_SLIDER;
constexpr uint16_t WEISS = 65535, GOLDEN = 52743;

struct ReglerModul {
    ReglerStand st;
    s_icon icons[ICONS + 1];
    int32_t x = START_X, y = START_Y;
    bool ziehen = false, links_vorher = false;
    int32_t greif_x = 0, greif_y = 0;
};
ReglerModul g;

Spielfeld_Satz* Satz() { return Einwechseln_Hooks().satz ? Einwechseln_Hooks().satz() : nullptr; }
int32_t Seite() {
    const Spielfeld_Satz* s = Satz();
    return s ? Einwechseln_Seite(*s, Screen_Team_Wechseln(-1)) : -1;
}
const char* Text(int32_t n) {
    const char* t = Text_Get(REGLER_TEXTE, n);
    return t ? t : "";
}
void Bild(int32_t slave, int32_t x, int32_t y) { Einwechseln_Bild(slave, x, y); }
void Schreiben(int32_t font, uint16_t farbe, int32_t x, int32_t y, const char* text) {
    Einwechseln_Schreiben(font, farbe, x, y, text);
}

// Where each control lies: the switches at the content's top, one slider row
// per value below them (caption, bar, minus, plus).
constexpr int32_t KOPF = 20, BALKEN_X = 120, MINUS_X = 186, PLUS_X = 206;
int32_t Zeile_Y(int32_t i) { return g.y + KOPF + 57 + 19 * i; }

void Plaetze_Setzen() {
    g.icons[0].x = int16_t(g.x), g.icons[0].y = int16_t(g.y);
    for (int32_t k = 0; k < 3; ++k) g.icons[1 + k].x = int16_t(g.x + 15), g.icons[1 + k].y = int16_t(g.y + KOPF + 19 * k);
    for (int32_t i = 0; i < REGLER_SLIDER; ++i)
        for (int32_t p = 0; p < 2; ++p) {
            s_icon& b = g.icons[4 + 2 * i + p];
            b.x = int16_t(g.x + (p ? PLUS_X : MINUS_X));
            b.y = int16_t(Zeile_Y(i));
        }
}

void Ziehen_Schritt() {
    const bool links = Mouse_Buttons() & 1;
    const int32_t mx = Maus_X(), my = Maus_Y();
    if (links && !g.links_vorher) {
        const s_icon* h = Menue_Get_Aktuelles_Icon();
        if (h && h->nummer == ICON_REGLER_FENSTER) g.ziehen = true, g.greif_x = mx - g.x, g.greif_y = my - g.y;
    }
    g.links_vorher = links;
    if (!links) {
        if (g.ziehen && Menue_Lokal().team >= 0) {
            Manager_Icon_Button_An_Aus(Menue_Lokal().team, ICON_REGLER_FENSTER, g.x);
            Manager_Icon_Word_Data_Schreiben(Menue_Lokal().team, ICON_REGLER_FENSTER, g.y);
        }
        g.ziehen = false;
        return;
    }
    if (g.ziehen) {
        g.x = std::clamp(mx - g.greif_x, -206, 1006 - FENSTER_B);
        g.y = std::clamp(my - g.greif_y, 32, 565 - FENSTER_H);
    }
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    const Spielfeld_Satz* s = Satz();
    const int32_t seite = Seite();
    if (!s || seite < 0) return;
    Ziehen_Schritt();
    Plaetze_Setzen();
    Schreiben(3, GOLDEN, g.x + 10, g.y + 17, Text(0));
    for (int32_t k = 0; k < 3; ++k) Schreiben(9, WEISS, g.x + 68, g.y + KOPF + 13 + 19 * k, Text(1 + k));
    for (int32_t i = 0; i < REGLER_SLIDER; ++i) {
        const int32_t y = Zeile_Y(i);
        Schreiben(9, WEISS, g.x + 8, y + 13, Text(4 + i));
        Bild(LIVE_BALKEN, g.x + BALKEN_X, y + 2);
        Bild(LIVE_KNAUF, g.x + BALKEN_X + std::clamp(Regler_Wert(*s, seite, i) / 3, 0, 35), y + 2);
    }
}

void Knopf_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    const Spielfeld_Satz* s = Satz();
    const int32_t seite = Seite();
    if (!s || seite < 0) return;
    const int32_t n = icon->nummer;
    if (n == ICON_REGLER_T6 || n == ICON_REGLER_T3 || n == ICON_REGLER_T12) {
        if (Regler_Schalter(*s, seite, n)) Bild(LIVE_TASTE_AN, x, y);
    }
}

// Info texts 15-24 for the switches and buttons in icon order, 27 for 2624.
const char* Hilfe(s_icon* icon) {
    const int32_t n = icon ? icon->nummer : -1;
    if (n == ICON_REGLER_T12) return Text_Get(REGLER_TEXTE, 27);
    if (n >= ICON_REGLER_T6 && n < ICON_REGLER_T12) return Text_Get(REGLER_TEXTE, 15 + n - ICON_REGLER_T6);
    return nullptr;
}

void Klick(s_icon* icon, int32_t ereignis) {
    if (!icon) return;
    if (ereignis & EV_RECHTS) {
        Screen_Regler_Schliessen();
        return;
    }
    if (!(ereignis & EV_LINKS) || icon->nummer == ICON_REGLER_FENSTER) return;
    Regler_Klick(Satz(), Seite(), icon->nummer, Plat_Ms(), &g.st);
}

void Aufbauen() {
    constexpr uint32_t TYP = ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE;
    g.icons[0] = Menue_Icon_Neu(ICON_REGLER_FENSTER, g.x, g.y, LIVE_REGLER, TYP, PRI);
    g.icons[0].zeichnen = Fenster_Zeichnen;
    static constexpr int32_t SCHALTER[3] = {ICON_REGLER_T6, ICON_REGLER_T3, ICON_REGLER_T12};
    for (int32_t k = 0; k < 3; ++k) g.icons[1 + k] = Menue_Icon_Neu(SCHALTER[k], 0, 0, LIVE_TASTE, TYP, PRI + 1);
    for (int32_t i = 0; i < 2 * REGLER_SLIDER; ++i)
        g.icons[4 + i] = Menue_Icon_Neu(ICON_REGLER_MINUS + i, 0, 0, i % 2 ? LIVE_PLUS : LIVE_MINUS, TYP, PRI + 1);
    for (int32_t i = 0; i < ICONS; ++i) {
        g.icons[i].Main_P = Klick;
        g.icons[i].hilfe_proc = Hilfe;
        if (i > 0) g.icons[i].zeichnen = Knopf_Zeichnen;
    }
    g.icons[ICONS] = s_icon{};
    g.icons[ICONS].nummer = -1;
    Plaetze_Setzen();
}

}  // namespace

bool Screen_Regler_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_REGLER_T6) != 0; }

void Screen_Regler_Oeffnen() {
    if (Screen_Regler_Offen()) {
        if (Menue_Hooks().icon_zustand_setzen) Menue_Hooks().icon_zustand_setzen(ICON_OPTION_REGLER, 0);
        return;
    }
    const int32_t t = Menue_Lokal().team;
    const int32_t sx = t >= 0 ? Manager_Icon_Button_Lesen(t, ICON_REGLER_FENSTER) : 0;
    const int32_t sy = t >= 0 ? Manager_Icon_Word_Data_Lesen(t, ICON_REGLER_FENSTER) : 0;
    // A stored place off the screen is brought back onto it.
    g.x = std::clamp(sx && sy ? sx : START_X, -206, 1006 - FENSTER_B);
    g.x = std::min(g.x, 800 - 40);
    g.y = std::clamp(sx && sy ? sy : START_Y, 32, 565 - FENSTER_H);
    if (Screen_Team_Wechseln(-1) < 0) Screen_Team_Wechseln(t);
    Aufbauen();
    Menue_Screen_Icons_Hinzufuegen(g.icons);
    g.ziehen = false;
    g.links_vorher = Mouse_Buttons() & 1;
}

void Screen_Regler_Schliessen() {
    if (Screen_Regler_Offen()) Menue_Screen_Icons_Loeschen(g.icons);
    g.ziehen = false;
    if (Menue_Hooks().icon_zustand_setzen) Menue_Hooks().icon_zustand_setzen(ICON_OPTION_REGLER, 0);
}

}  // namespace velmora
