// screens/kader_uebersicht.cpp - the squad at a glance.
#include "screens/kader_uebersicht.h"

#include <algorithm>

#include "business/spielerliste.h"
#include "business/sterne.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_panel.h"
#include "screens/spielerinfo.h"

namespace velmora {
namespace {

constexpr uint16_t Farbe(int r, int g, int b) { return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }
constexpr uint16_t TAFEL = Farbe(16, 30, 44), KOPF = Farbe(30, 56, 82), GOLD = Farbe(214, 178, 82),
                   STREIFEN = Farbe(22, 40, 60), HELL = Farbe(240, 238, 228), GRAU = Farbe(150, 164, 178);
constexpr int32_t ZEILEN = TEAM_SPIELER_MAX;
constexpr int32_t HOEHE = 40 + ZEILEN * KADER_ZEILE_H + 8;
constexpr int32_t KLEINES_HEMD[4] = {24039, 24037, 24036, 24038};

struct KaderModul {
    s_icon tafel;
};
KaderModul g;

// The player in the row under the pointer, -1 none.
int32_t Spieler_Unter(int32_t my) {
    const int32_t zeile = (my - KADER_ZEILE_Y) / KADER_ZEILE_H;
    if (my < KADER_ZEILE_Y || zeile >= ZEILEN) return -1;
    return Spielerliste_Spieler_Mit_Slot(Spielerliste_Lokal(), zeile);
}

void Klick(s_icon*, int32_t ereignis) {
    const int32_t mx = Menue_Hooks().maus_x ? Menue_Hooks().maus_x() : -1;
    const int32_t my = Menue_Hooks().maus_y ? Menue_Hooks().maus_y() : -1;
    const int32_t spieler = Spieler_Unter(my);
    if (spieler < 0) return;
    Screen_Zurueck();
    if (ereignis & EV_RECHTS) Spielerinfo_Oeffnen(spieler, Spielerliste_Lokal(), 0);
    else if ((ereignis & EV_LINKS) && mx >= KADER_TALENT_X0 && mx < KADER_TALENT_X1)
        Spielerliste_Oeffnen(spieler, mx, my, Spielerliste_Lokal());
}

void Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    const int32_t team = Spielerliste_Lokal();
    Rastport* ziel = Rastport_Target();
    Font* f6 = Font_Get(6);
    Font* f9 = Font_Get(9);
    Font* f15 = Font_Get(15);
    if (!f6 || !f9 || team < 0) return;
    Text_Printf(ziel, Font_Get(3), "^c%05dKader  ^c%05d%s", KADER_X + 14, KADER_Y + 26, int32_t(GOLD), int32_t(HELL),
                Team_String(TS_NAME, team, 0, 0));
    for (int32_t slot = 0; slot < ZEILEN; ++slot) {
        const int32_t p = Spielerliste_Spieler_Mit_Slot(team, slot);
        if (p < 0) continue;
        const int32_t y = KADER_ZEILE_Y + slot * KADER_ZEILE_H;
        const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
        if (Rastport* h = Menue_Get_Slave_Rastport(KLEINES_HEMD[art], nullptr))
            Rastport_Blit(h, 0, 0, -1, -1, ziel, KADER_X + 12, y + 3, BlitMode_Key);
        if (f15)
            Text_Printf(ziel, f15, "^c%05d^fb0006^tr0026%d^fe", KADER_X + 30, y + 15, int32_t(HELL),
                        Spieler_Wert(SPW_RUECKENNUMMER, p, 0, OP_LESEN));
        char name[96];
        Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f6, 190);
        Text_Printf(ziel, f6, "^c%05d%s", KADER_X + 70, y + 16, int32_t(HELL), name);
        Text_Printf(ziel, f9, "^c%05d%s", KADER_X + 266, y + 15, int32_t(GRAU), Spielerliste_Position_Name(art));
        Liste_Fuellen(p, 0, KADER_X + 340, y + 4, 0, false);
        int32_t aktiv[3] = {-1, -1, -1};
        const int32_t n = Attribute_Get_Attribute(p, aktiv, 3, 0);
        for (int32_t i = 0; i < n; ++i)
            if (Rastport* b = Menue_Get_Slave_Rastport(BILD_TALENT_ZEILE + aktiv[i], nullptr))
                Rastport_Blit(b, 0, 0, -1, -1, ziel, KADER_TALENT_X0 + 4 + 24 * i, y + 3, BlitMode_Key);
    }
}

Rastport* Tafel_Malen() {
    Rastport* rp = Rastport_Create(KADER_B, HOEHE, Rastport_Screen_Depth(), 0, 0);
    if (!rp) return nullptr;
    Rastport_Fill(rp, 0, 0, KADER_B, HOEHE, GOLD, nullptr);
    Rastport_Fill(rp, 2, 2, KADER_B - 4, HOEHE - 4, TAFEL, nullptr);
    Rastport_Fill(rp, 2, 2, KADER_B - 4, 36, KOPF, nullptr);
    Rastport_Fill(rp, 2, 38, KADER_B - 4, 1, GOLD, nullptr);
    for (int32_t z = 0; z < ZEILEN; z += 2)
        Rastport_Fill(rp, 4, 40 + z * KADER_ZEILE_H, KADER_B - 8, KADER_ZEILE_H, STREIFEN, nullptr);
    // The talent column stands out: a click there opens the talent list.
    Rastport_Fill(rp, KADER_TALENT_X0 - KADER_X, 40, 1, ZEILEN * KADER_ZEILE_H, GOLD, nullptr);
    Rastport_Fill(rp, KADER_TALENT_X1 - KADER_X, 40, 1, ZEILEN * KADER_ZEILE_H, GOLD, nullptr);
    return rp;
}

}  // namespace

void Kader_Uebersicht_Oeffnen() {
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Menue_Screen_Icon_Loeschen(ICON_KADER_UEBERSICHT, nullptr);
    g.tafel = Menue_Icon_Neu(ICON_KADER_UEBERSICHT, KADER_X, KADER_Y, -1, ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE, 1);
    g.tafel.rp = Tafel_Malen();
    if (!g.tafel.rp) return;
    g.tafel.br = int16_t(g.tafel.rp->width);
    g.tafel.ho = int16_t(g.tafel.rp->height);
    g.tafel.Main_P = Klick;
    g.tafel.zeichnen = Zeichnen;
    Menue_Screen_Icon_Hinzufuegen(&g.tafel);
}

bool Kader_Uebersicht_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_KADER_UEBERSICHT); }

}  // namespace velmora
