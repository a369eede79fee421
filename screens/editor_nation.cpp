// screens/editor_nation.cpp - the team editor's nation chooser.
#include "screens/editor_nation.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/text.h"
#include "business/spielerliste.h"
#include "gfx/bildnr_editor.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gui/icon.h"
#include "screens/editor_listen.h"
#include "screens/editor_zeichnen.h"

namespace velmora {
namespace {

constexpr int32_t TEXT_KONTINENT = 42, TEXT_LAND = 43;
constexpr int32_t LISTE_X = 300, LISTE_Y = 100, ZEILE = 22, BREITE = 170, ABSTAND = 178;
constexpr int32_t ZEILEN_MAX = 20;
constexpr int32_t FONT_ZEILE = 9;

struct NationModul {
    bool offen = false;
    int32_t spieler = -1;
    int32_t kontinent = -1;       // the continent whose countries are shown
    std::vector<int32_t> kontinente, laender;
    int32_t scouts[EDITOR_REGIONEN] = {};
    s_icon faenger, liste;
};
NationModul g;

bool Scout(int32_t spieler) { return Spieler_Status(spieler) & FILTER_NUR_SCOUT; }

int32_t Zeile_Unter(int32_t x0, int32_t mx, int32_t my, int32_t anzahl) {
    if (mx < x0 || mx >= x0 + BREITE || my < LISTE_Y + ZEILE) return -1;
    const int32_t k = (my - LISTE_Y - ZEILE) / ZEILE;
    return k < anzahl ? k : -1;
}

void Zeile(Font* f, int32_t x, int32_t k, const char* text, bool an, bool haken) {
    Editor_Bild(an ? EDITOR_BILD_MARKT_LICHT : EDITOR_BILD_MARKT, x, LISTE_Y + ZEILE * (k + 1));
    Editor_Schreiben(f, x + 8, LISTE_Y + ZEILE * (k + 1) + 15, EDITOR_WEISS, text);
    // The player's nation carries the lists' green mark.
    if (haken) Editor_Bild(BILD_MARKE_AKTIV, x + BREITE - 16, LISTE_Y + ZEILE * (k + 1) + 1);
}

void Liste_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* f = Font_Get(FONT_ZEILE);
    if (!ziel || !g.offen) return;
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    // Moving onto a continent shows its countries.
    const int32_t unter = Zeile_Unter(LISTE_X, mx, my, int32_t(g.kontinente.size()));
    if (unter >= 0 && g.kontinente[size_t(unter)] != g.kontinent) {
        g.kontinent = g.kontinente[size_t(unter)];
        g.laender = Editor_Nation_Laender(g.kontinent);
        if (g.laender.size() > size_t(ZEILEN_MAX)) g.laender.resize(size_t(ZEILEN_MAX));
    }
    // One board under both lists, as high as the longer one.
    const int32_t zeilen = int32_t(std::max(g.kontinente.size(), g.kontinent >= 0 ? g.laender.size() : 0)) + 1;
    const int32_t breite = (g.kontinent >= 0 ? ABSTAND + BREITE : BREITE) + 16;
    Rastport_Fill(ziel, LISTE_X - 8, LISTE_Y - 8, breite, ZEILE * zeilen + 14, EDITOR_GOLD, nullptr);
    Rastport_Fill(ziel, LISTE_X - 6, LISTE_Y - 6, breite - 4, ZEILE * zeilen + 10, EDITOR_NACHT, nullptr);
    Editor_Knopf(EDITOR_BILD_MARKT_AN, f, LISTE_X, LISTE_Y, Text_Oder_Leer("EDITOR_SCREEN", TEXT_KONTINENT));
    for (size_t k = 0; k < g.kontinente.size(); ++k) {
        const Kontinent* kd = Kontinent_Daten(g.kontinente[k]);
        char text[80];
        if (Scout(g.spieler)) std::snprintf(text, sizeof text, "%s (%d)", kd ? kd->name : "", g.scouts[g.kontinente[k]]);
        else std::snprintf(text, sizeof text, "%s >", kd ? kd->name : "");
        Zeile(f, LISTE_X, int32_t(k), text, g.kontinente[k] == g.kontinent, false);
    }
    if (g.kontinent < 0) return;
    const int32_t x = LISTE_X + ABSTAND;
    Editor_Knopf(EDITOR_BILD_MARKT_AN, f, x, LISTE_Y, Text_Oder_Leer("EDITOR_SCREEN", TEXT_LAND));
    const int32_t nation = Spieler_Wert(SPW_NATION, g.spieler, 0, OP_LESEN);
    const int32_t land_unter = Zeile_Unter(x, mx, my, int32_t(g.laender.size()));
    for (size_t j = 0; j < g.laender.size(); ++j)
        Zeile(f, x, int32_t(j), Team_String(TS_NAME, g.laender[j], 0, 0), int32_t(j) == land_unter,
              g.laender[j] == nation);
}

void Liste_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & EV_RECHTS) return Editor_Nation_Schliessen();
    if (!(ereignis & EV_LINKS)) return;
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    const int32_t j = Zeile_Unter(LISTE_X + ABSTAND, mx, my, int32_t(g.laender.size()));
    if (j < 0) return;
    Spieler_Wert(SPW_NATION, g.spieler, g.laender[size_t(j)], OP_SCHREIBEN);
    Editor_Marktliste(1, g.scouts);   // the scout players per continent again
}

}  // namespace

std::vector<int32_t> Editor_Nation_Kontinente(int32_t spieler) {
    std::vector<int32_t> liste;
    for (int32_t k = 0; k < Kontinent_Anzahl() && k < EDITOR_REGIONEN; ++k) {
        const Kontinent* kd = Kontinent_Daten(k);
        if (kd && (kd->liste || Scout(spieler))) liste.push_back(k);
    }
    if (liste.size() > size_t(ZEILEN_MAX)) liste.resize(size_t(ZEILEN_MAX));
    return liste;
}

std::vector<int32_t> Editor_Nation_Laender(int32_t kontinent) {
    std::vector<int32_t> laender;
    const Kontinent* kd = Kontinent_Daten(kontinent);
    if (!kd) return laender;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!(uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_LAND)) continue;
        if (kd->liste ? Team_Wert(TW_KONTINENT, t, 0, OP_LESEN) == kontinent
                      : std::strcmp(Team_String(TS_NAME, t, 0, 0), kd->name) == 0)
            laender.push_back(t);
    }
    return laender;
}

void Editor_Nation_Oeffnen(int32_t spieler) {
    if (g.offen) return;
    g.offen = true;
    g.spieler = spieler;
    g.kontinent = -1;
    g.laender.clear();
    g.kontinente = Editor_Nation_Kontinente(spieler);
    Editor_Marktliste(1, g.scouts);
    Editor_Seite_Anlegen(g.faenger, ICON_NATION_FAENGER, g.liste, ICON_NATION_LISTE, LISTE_X, LISTE_Y,
                         ABSTAND + BREITE, ZEILE * (ZEILEN_MAX + 1), Liste_Klick, Liste_Zeichnen);
}

bool Editor_Nation_Offen() { return g.offen; }

void Editor_Nation_Schliessen() {
    if (!g.offen) return;
    Editor_Seite_Entfernen(g.faenger, g.liste);
    g.offen = false;
}

}  // namespace velmora
