// screens/einwechseln_screen.cpp - the substitution panel's icons over the
// live match view: two windows the left button drags, 17 rows, 11 markers on
// the small pitch and the play-out switch.
#include <algorithm>
#include <cstdio>

#include "business/spieler_zeile.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/bildnr_live.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "platform/clock.h"
#include "screens/einwechseln.h"
#include "screens/menue_optionen.h"

#include "shell/maus.h"

namespace velmora {
namespace {

constexpr int32_t LISTE_B = 386, LISTE_H = 357, FELD_H = 280;
constexpr int32_t ICONS = 2 + SPL_ZEILEN + SPL_FELD + 1;
constexpr int32_t PRI = 14;
constexpr uint16_t WEISS = 65535, GOLDEN = 52743, ROT_AN = 65196, WARNUNG = 63488;
constexpr int32_t HEMD[4] = {24039, 24037, 24036, 24038};   // keeper, defender, midfielder, forward
constexpr int32_t MARKER_HEMD = 24054;                     // 24054-24057 by kind

enum Ziehen { NICHTS, LISTE, FELD, MARKER };

struct EinwechselnModul {
    EinwechselnHooks hooks;
    EinwechselnStand st;
    s_icon icons[ICONS + 1];
    bool offen = false;
    int32_t lx = 350, ly = 120, fx = 150, fy = 120;
    Ziehen ziehen = NICHTS;
    int32_t marker = -1, greif_x = 0, greif_y = 0;
    bool links_vorher = false;
};
EinwechselnModul g;

Spielfeld_Satz* Satz() { return g.hooks.satz ? g.hooks.satz() : nullptr; }
int32_t Manager_Team() { return Menue_Lokal().team; }
const char* Text(int32_t n) {
    const char* t = Text_Get(SPL_TEXTE, n);
    return t ? t : "";
}

void Bild(int32_t slave, int32_t x, int32_t y) { Einwechseln_Bild(slave, x, y); }
void Schreiben(int32_t font, uint16_t farbe, int32_t x, int32_t y, const char* text) {
    Einwechseln_Schreiben(font, farbe, x, y, text);
}

// Stored per manager: x in the icon state, y in the icon word; 0 takes the default.
void Lage_Laden(int32_t icon, int32_t* x, int32_t* y, int32_t x0, int32_t y0, int32_t xmin, int32_t h) {
    const int32_t t = Manager_Team();
    int32_t sx = t >= 0 ? Manager_Icon_Button_Lesen(t, icon) : 0, sy = t >= 0 ? Manager_Icon_Word_Data_Lesen(t, icon) : 0;
    if (sx == 0 || sy == 0) sx = x0, sy = y0;
    *x = std::clamp(sx, xmin, 758);
    *y = std::clamp(sy, 31, 565 - h);
}
void Lage_Sichern(int32_t icon, int32_t x, int32_t y) {
    const int32_t t = Manager_Team();
    if (t < 0) return;
    Manager_Icon_Button_An_Aus(t, icon, x);
    Manager_Icon_Word_Data_Schreiben(t, icon, y);
}

void Plaetze_Setzen() {
    g.icons[0].x = int16_t(g.lx), g.icons[0].y = int16_t(g.ly);
    g.icons[1].x = int16_t(g.fx), g.icons[1].y = int16_t(g.fy);
    for (int32_t r = 0; r < SPL_ZEILEN; ++r) {
        s_icon& i = g.icons[2 + r];
        i.x = int16_t(g.lx + 2);
        i.y = int16_t(g.ly + (r < SPL_FELD ? 46 : 67) + 17 * r);
    }
    for (int32_t k = 0; k < SPL_FELD; ++k) {
        s_icon& m = g.icons[2 + SPL_ZEILEN + k];
        const Spielfeld_Satz* satz = Satz();
        const int32_t slot = g.st.marker_slot[k];
        const bool da = satz && slot >= 0 && !(satz->spieler[slot].zustand & (0x3C0 | SM_AUSGEWECHSELT));
        m.Status = da ? m.Status & ~ICON_ST_VERSTECKT : m.Status | ICON_ST_VERSTECKT;
        if (!(g.ziehen == MARKER && g.marker == k)) m.x = int16_t(g.st.marker_x[k]), m.y = int16_t(g.st.marker_y[k]);
    }
    s_icon& s = g.icons[ICONS - 1];
    s.x = int16_t(g.lx + 127);
    s.y = int16_t(g.ly + 237);
}

void Fuellen() {
    if (const Spielfeld_Satz* s = Satz()) Einwechseln_Fuellen(*s, &g.st, g.fx, g.fy);
    Plaetze_Setzen();
}

// The left button dragging a window or a field marker; it starts on the icon
// under the mouse when the button goes down.
void Ziehen_Schritt() {
    const bool links = Mouse_Buttons() & 1;
    const int32_t mx = Maus_X(), my = Maus_Y();
    if (links && !g.links_vorher) {
        const s_icon* h = Menue_Get_Aktuelles_Icon();
        const int32_t n = h ? h->nummer : -1;
        if (n == ICON_SPL_LISTE) g.ziehen = LISTE, g.greif_x = mx - g.lx, g.greif_y = my - g.ly;
        else if (n == ICON_SPL_FELD) g.ziehen = FELD, g.greif_x = mx - g.fx, g.greif_y = my - g.fy;
        else if (n > ICON_SPL_TORWART && n < ICON_SPL_SCHALTER && g.st.marker_an[n - ICON_SPL_TORWART]) {
            g.ziehen = MARKER;
            g.marker = n - ICON_SPL_TORWART;
            g.greif_x = mx - h->x, g.greif_y = my - h->y;
        }
    }
    g.links_vorher = links;
    if (!links) {
        if (g.ziehen == LISTE) Lage_Sichern(ICON_SPL_LISTE, g.lx, g.ly);
        if (g.ziehen == FELD) Lage_Sichern(ICON_SPL_FELD, g.fx, g.fy);
        g.ziehen = NICHTS;
        return;
    }
    if (g.ziehen == LISTE) {
        g.lx = std::clamp(mx - g.greif_x, -345, 758);
        g.ly = std::clamp(my - g.greif_y, 31, 565 - LISTE_H);
    } else if (g.ziehen == FELD) {
        g.fx = std::clamp(mx - g.greif_x, -142, 758);
        g.fy = std::clamp(my - g.greif_y, 31, 565 - FELD_H);
    } else if (g.ziehen == MARKER) {
        s_icon& m = g.icons[2 + SPL_ZEILEN + g.marker];
        const int32_t x = std::clamp(mx - g.greif_x, g.fx, g.fx + SPL_FELD_H);
        const int32_t y = std::clamp(my - g.greif_y, g.fy, g.fy + SPL_FELD_B);
        m.x = int16_t(x), m.y = int16_t(y);
        Einwechseln_Marker_Setzen(Satz(), &g.st, g.marker, x, y, g.fx, g.fy);
    }
}

void Liste_Zeichnen(s_icon*, int32_t x, int32_t y, int32_t) {
    Spielfeld_Satz* s = Satz();
    if (!s) return;
    Ziehen_Schritt();
    if (g.ziehen != MARKER) Fuellen();
    else Plaetze_Setzen();
    Schreiben(3, GOLDEN, x + 10, y + 20, Text(0));
    static constexpr int32_t SPALTE[5] = {4, 45, 150, 246, 296};
    for (int32_t c = 0; c < 5; ++c) Schreiben(9, WEISS, x + SPALTE[c], y + 40, Text(1 + c));
    Schreiben(9, WEISS, x + 6, y + 249, Text(6));
    const int32_t m = Einwechseln_Meldung(g.st, Plat_Ms());
    if (m != SPL_OK) {
        // The refusal pulses between red and white.
        const uint32_t phase = (Plat_Ms() - g.st.meldung_seit) / 20 % 32;
        const uint16_t farbe = (phase / 8) % 2 ? WEISS : WARNUNG;
        if (Font* f = Font_Get(9))
            Text_Printf(Rastport_Screen(), f, "^c%05u^tr0000%s", x + LISTE_B - 10, y + 19, unsigned(farbe), Text(8 + m));
    }
}

void Zeile_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    const Spielfeld_Satz* s = Satz();
    const int32_t r = icon->nummer - ICON_SPL_ZEILE;
    if (!s || r < 0 || r >= SPL_ZEILEN) return;
    const int32_t slot = g.st.zeile[r];
    if (g.st.gewaehlt[r]) Bild(LIVE_ZEILE_AN, x, y);
    if (slot < 0 || slot >= SF_SPIELER) return;
    const Spieler_Matchsatz& sm = s->spieler[slot];
    const int32_t art = std::clamp(Spieler_Get_Art(sm.nummer), 0, 3);
    Bild(HEMD[art], x + 2, y + 1);
    char zahl[16];
    std::snprintf(zahl, sizeof zahl, "%d", Spieler_Zeile_Nummer(sm.nummer));
    Schreiben(15, WEISS, x + 14, y + 12, zahl);
    const uint32_t z = sm.zustand;
    int32_t marke = -1;
    if (z & SM_ROT) marke = 24010;
    else if (z & SM_GELBROT) marke = 24011;
    else if (z & SM_AUSGEWECHSELT) marke = LIVE_RAUS;
    else if (z == 64 || z == 80) marke = 24013;
    const int8_t* ein = s->wechsel_ein[g.st.seite < 0 ? 0 : g.st.seite];
    for (int32_t i = 0; i < SF_WECHSEL; ++i)
        if (ein[i] == slot) marke = LIVE_REIN;
    const int8_t* aus = s->wechsel_aus[g.st.seite < 0 ? 0 : g.st.seite];
    for (int32_t i = 0; i < SF_WECHSEL; ++i)
        if (aus[i] == slot) marke = LIVE_RAUS;
    if (s->e_aenderung[0] | s->e_aenderung[1]) {
        const int32_t seite = std::max(g.st.seite, 0);
        for (int32_t i = 0; i < SF_WECHSEL; ++i) {
            if (s->e_wechsel_ein[seite][i] == slot) marke = LIVE_REIN;
            if (s->e_wechsel_aus[seite][i] == slot) marke = LIVE_RAUS;
        }
    }
    if (marke >= 0) Bild(marke, x + 28, y + 1);
    char name[128];
    Font* f9 = Font_Get(9);
    if (f9) {
        const char* n = Spieler_String(SPS_NAME, sm.nummer, 0, OP_LESEN);
        Str_Auf_Breite(n ? n : "", name, sizeof name, f9, 105);
        Schreiben(9, WEISS, x + 45, y + 12, name);
    }
    // Strength in half stars, the empty slots shown.
    const int32_t sterne = std::clamp(Spieler_Wert(SPW_SPIEL_STERNE, sm.nummer, 0, OP_LESEN), 0, 10);
    for (int32_t k = 0; k < 5; ++k) {
        Bild(LIVE_STERN_LEER, x + 150 + 11 * k, y + 3);
        if (sterne >= 2 * k + 2) Bild(8324, x + 150 + 11 * k, y + 3);
        else if (sterne == 2 * k + 1) Bild(8325, x + 150 + 11 * k, y + 3);
    }
    // Up to three active talents, each with its 30-pixel place for the info text.
    int32_t talente[3];
    const int32_t n = Attribute_Get_Attribute(sm.nummer, talente, 3, 0);
    for (int32_t k = 0; k < std::min(n, 3); ++k)
        if (talente[k] >= 0 && talente[k] < TALENT_BILD_IDS) Bild(TALENT_BILD_ERSTER[TALENT_16] + talente[k], x + 300 + 30 * k, y);
    const int32_t prozent = std::clamp(sm.ausdauer / 100, 0, 100);
    std::snprintf(zahl, sizeof zahl, "%d%%", prozent);
    Schreiben(9, prozent < 30 ? WARNUNG : WEISS, x + 250, y + 12, zahl);
}

void Marker_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    const Spielfeld_Satz* s = Satz();
    const int32_t k = icon->nummer - ICON_SPL_TORWART;
    if (!s || k < 0 || k >= SPL_FELD) return;
    const int32_t slot = g.st.marker_slot[k];
    if (slot < 0) return;
    const Spieler_Matchsatz& sm = s->spieler[slot];
    if (sm.zustand & (0x3C0 | SM_AUSGEWECHSELT)) return;
    Bild(MARKER_HEMD + std::clamp(Spieler_Get_Art(sm.nummer), 0, 3), x, y);
    char zahl[16];
    std::snprintf(zahl, sizeof zahl, "%d", Spieler_Zeile_Nummer(sm.nummer));
    if (Font* f = Font_Get(15))
        Text_Printf(Rastport_Screen(), f, "^c%05u^tz0014%s", x, y + 17, unsigned(WEISS), zahl);
}

void Schalter_Zeichnen(s_icon*, int32_t x, int32_t y, int32_t) {
    const Spielfeld_Satz* s = Satz();
    if (!s || g.st.seite < 0) return;
    const bool an = Spielfeld_Hook_Netz_Modus() != 0 ? s->e_anweisung[g.st.seite] : s->live_anweisung_seite[g.st.seite];
    Bild(an ? LIVE_SCHALTER_AN : LIVE_SCHALTER, x, y);
    Schreiben(9, an ? ROT_AN : WEISS, x + 24, y + 13, Text(an ? 7 : 8));
}

// Info texts: the windows and the switch say what they do; a row names the
// talent under the mouse or the player, a marker its player.
const char* Hilfe(s_icon* icon) {
    const Spielfeld_Satz* s = Satz();
    const int32_t n = icon ? icon->nummer : -1;
    if (n == ICON_SPL_LISTE) return Text_Get("ZUSATZTEXTE_TROBE", 12);
    if (n == ICON_SPL_FELD) return Text_Get("ZUSATZTEXTE_TROBE", 13);
    if (n == ICON_SPL_SCHALTER) return Text_Get("ZUSATZTEXTE_TROBE", 11);
    if (!s) return nullptr;
    int32_t slot = -1;
    if (n >= ICON_SPL_ZEILE && n < ICON_SPL_ZEILE + SPL_ZEILEN) {
        slot = g.st.zeile[n - ICON_SPL_ZEILE];
        const int32_t dx = Maus_X() - icon->x;
        if (slot >= 0 && dx >= 296 && dx <= 385) return Attribut_Get_Name(s->spieler[slot].nummer, (dx - 296) / 30);
    } else if (n >= ICON_SPL_TORWART && n < ICON_SPL_SCHALTER) {
        slot = g.st.marker_slot[n - ICON_SPL_TORWART];
    }
    if (slot < 0 || slot >= SF_SPIELER) return nullptr;
    return Spieler_String(SPS_NACHNAME, s->spieler[slot].nummer, 0, OP_LESEN);
}

void Klick(s_icon* icon, int32_t ereignis) {
    if (!icon) return;
    if (ereignis & EV_RECHTS) {
        Screen_Spielerliste_Schliessen();
        return;
    }
    if (!(ereignis & EV_LINKS)) return;
    Spielfeld_Satz* s = Satz();
    if (!s) return;
    const int32_t n = icon->nummer;
    if (n >= ICON_SPL_ZEILE && n < ICON_SPL_ZEILE + SPL_ZEILEN) {
        Einwechseln_Zeile_Klick(s, &g.st, n - ICON_SPL_ZEILE, Plat_Ms(), g.hooks.zufall);
        Fuellen();
    } else if (n == ICON_SPL_SCHALTER) {
        Einwechseln_Schalter(s, g.st);
    }
}

void Aufbauen() {
    constexpr uint32_t TYP = ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE;
    g.icons[0] = Menue_Icon_Neu(ICON_SPL_LISTE, g.lx, g.ly, LIVE_LISTE, TYP, PRI);
    g.icons[0].zeichnen = Liste_Zeichnen;
    g.icons[1] = Menue_Icon_Neu(ICON_SPL_FELD, g.fx, g.fy, LIVE_FELD, TYP, PRI);
    for (int32_t r = 0; r < SPL_ZEILEN; ++r) {
        s_icon& i = g.icons[2 + r];
        i = Menue_Icon_Neu(ICON_SPL_ZEILE + r, 0, 0, LIVE_ZEILE, TYP, PRI + 1);
        i.zeichnen = Zeile_Zeichnen;
    }
    for (int32_t k = 0; k < SPL_FELD; ++k) {
        s_icon& m = g.icons[2 + SPL_ZEILEN + k];
        m = Menue_Icon_Neu(ICON_SPL_TORWART + k, 0, 0, MARKER_HEMD, TYP, PRI + 2);
        m.zeichnen = Marker_Zeichnen;
    }
    s_icon& s = g.icons[ICONS - 1];
    s = Menue_Icon_Neu(ICON_SPL_SCHALTER, 0, 0, LIVE_SCHALTER, TYP, PRI + 1);
    s.zeichnen = Schalter_Zeichnen;
    for (int32_t i = 0; i < ICONS; ++i) {
        g.icons[i].Main_P = Klick;
        g.icons[i].hilfe_proc = Hilfe;
    }
    g.icons[ICONS] = s_icon{};
    g.icons[ICONS].nummer = -1;
}

}  // namespace

void Einwechseln_Bild(int32_t slave, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(slave, nullptr))
        Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Screen(), x, y, BlitMode_Key);
}

void Einwechseln_Schreiben(int32_t font, uint16_t farbe, int32_t x, int32_t y, const char* text) {
    if (Font* f = Font_Get(font)) Text_Printf(Rastport_Screen(), f, "^c%05u%s", x, y, unsigned(farbe), text);
}

EinwechselnHooks& Einwechseln_Hooks() { return g.hooks; }
const EinwechselnStand& Einwechseln_Stand() { return g.st; }
bool Screen_Spielerliste_Offen() { return g.offen; }

int32_t Screen_Team_Wechseln(int32_t team) {
    if (team == -1) return g.st.team;
    const Spielfeld_Satz* s = Satz();
    int32_t neu = -1;
    if (team >= 0 && Team_Hat_Aktiven_Manager(team)) neu = team;
    else if (s && Team_Hat_Aktiven_Manager(int32_t(s->team[0]))) neu = int32_t(s->team[0]);
    else if (s && Team_Hat_Aktiven_Manager(int32_t(s->team[1]))) neu = int32_t(s->team[1]);
    if (neu < 0) {
        if (g.offen) Screen_Spielerliste_Schliessen();
        return g.st.team;
    }
    if (neu != g.st.team) {
        g.st.team = neu;
        std::fill(g.st.gewaehlt, g.st.gewaehlt + SPL_ZEILEN, false);
        if (g.offen) Fuellen();
        if (g.hooks.namen_neu) g.hooks.namen_neu();
    }
    return g.st.team;
}

void Screen_Spielerliste_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPL_LISTE) && Menue_Screen_Icon_Ist_Vorhanden(ICON_SPL_FELD)) {
        Screen_Spielerliste_Schliessen();
        return;
    }
    const Spielfeld_Satz* s = Satz();
    if (!s) return;
    if (Einwechseln_Seite(*s, g.st.team) < 0 || !Team_Hat_Aktiven_Manager(g.st.team)) {
        g.st.team = -1;
        if (Screen_Team_Wechseln(Manager_Team()) < 0) return;
    }
    // The shirt numbers are asked once per opening (on a client from the server), never per frame.
    Spieler_Zeile_Auffrischen();
    Lage_Laden(ICON_SPL_LISTE, &g.lx, &g.ly, 350, 120, -345, LISTE_H);
    Lage_Laden(ICON_SPL_FELD, &g.fx, &g.fy, 150, 120, -142, FELD_H);
    Aufbauen();
    Fuellen();
    Menue_Screen_Icons_Hinzufuegen(g.icons);
    g.offen = true;
    g.ziehen = NICHTS;
    g.links_vorher = Mouse_Buttons() & 1;
}

void Screen_Spielerliste_Schliessen() {
    if (g.offen) Menue_Screen_Icons_Loeschen(g.icons);
    g.offen = false;
    g.ziehen = NICHTS;
    if (Menue_Hooks().icon_zustand_setzen) Menue_Hooks().icon_zustand_setzen(ICON_OPTION_SPIELER, 0);
    Menue_Optionen_Sperren(0);
}

}  // namespace velmora
