// screens/platzhalter.cpp - the cards of the screens still to come.
#include "screens/platzhalter.h"

#include <array>
#include <utility>

#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "screens/menue_panel.h"

namespace velmora {
namespace {

constexpr uint16_t Farbe(int r, int g, int b) { return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }
constexpr uint16_t KARTE = Farbe(16, 30, 44), KARTE_KOPF = Farbe(24, 46, 66), GOLD = Farbe(214, 178, 82),
                   HELL = Farbe(240, 238, 228), GRAU = Farbe(160, 176, 188);
constexpr int32_t KARTE_B = 440, KARTE_H = 170, KARTE_X = (800 - KARTE_B) / 2, KARTE_Y = 70 + (495 - KARTE_H) / 2;

struct PlatzhalterModul {
    s_icon karte;
    int32_t knopf = -1, eintrag = -1;
};
PlatzhalterModul g;

void Mittig(Rastport* rp, int32_t font, uint16_t farbe, int32_t y, const char* text) {
    Font* f = Font_Get(font);
    if (!f || !text) return;
    Text_Printf(rp, f, "^c%05d%s", KARTE_B / 2 - Text_Width(f, text) / 2, y, int32_t(farbe), text);
}

// The card: the menu's name above, the screen's name large in the middle.
Rastport* Karte_Malen(int32_t knopf, int32_t eintrag) {
    Rastport* rp = Rastport_Create(KARTE_B, KARTE_H, Rastport_Screen_Depth(), 0, 0);
    if (!rp) return nullptr;
    Rastport_Fill(rp, 0, 0, KARTE_B, KARTE_H, GOLD, nullptr);
    Rastport_Fill(rp, 2, 2, KARTE_B - 4, KARTE_H - 4, KARTE, nullptr);
    Rastport_Fill(rp, 2, 2, KARTE_B - 4, 38, KARTE_KOPF, nullptr);
    Rastport_Fill(rp, 2, 40, KARTE_B - 4, 1, GOLD, nullptr);
    Mittig(rp, 3, GRAU, 28, Menue_Panel_Eintrag_Text(knopf, -1));
    Mittig(rp, 4, HELL, 100, Menue_Panel_Eintrag_Text(knopf, eintrag));
    Rastport_Fill(rp, KARTE_B / 2 - 60, 122, 120, 2, GOLD, nullptr);
    return rp;
}

void Zeigen(int32_t knopf, int32_t eintrag) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_PLATZHALTER) && g.knopf == knopf && g.eintrag == eintrag) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Menue_Screen_Icon_Loeschen(ICON_PLATZHALTER, nullptr);
    g.karte = s_icon{};
    g.karte.nummer = ICON_PLATZHALTER;
    g.karte.x = KARTE_X;
    g.karte.y = KARTE_Y;
    g.karte.typ = ICON_TYP_PASSIV;
    g.karte.Pri = 1;
    g.karte.rp = Karte_Malen(knopf, eintrag);
    if (!g.karte.rp) return;
    g.karte.br = int16_t(g.karte.rp->width);
    g.karte.ho = int16_t(g.karte.rp->height);
    Menue_Screen_Icon_Hinzufuegen(&g.karte);
    g.knopf = knopf;
    g.eintrag = eintrag;
}

template <int32_t K, int32_t E>
void Oeffnen() {
    Zeigen(ICON_PANEL_TEAM + K, E);
}

template <int32_t K, std::size_t... E>
constexpr std::array<ScreenOeffner, PANEL_EINTRAEGE> Reihe(std::index_sequence<E...>) {
    return {&Oeffnen<K, int32_t(E)>...};
}

constexpr std::array<std::array<ScreenOeffner, PANEL_EINTRAEGE>, PANEL_KNOEPFE> OEFFNER = {
    Reihe<0>(std::make_index_sequence<PANEL_EINTRAEGE>{}), Reihe<1>(std::make_index_sequence<PANEL_EINTRAEGE>{}),
    Reihe<2>(std::make_index_sequence<PANEL_EINTRAEGE>{}), Reihe<3>(std::make_index_sequence<PANEL_EINTRAEGE>{})};

}  // namespace

ScreenOeffner Platzhalter_Oeffner(int32_t knopf, int32_t eintrag) {
    const int32_t k = knopf - ICON_PANEL_TEAM;
    if (k < 0 || k >= PANEL_KNOEPFE || eintrag < 0 || eintrag >= Menue_Panel_Eintraege(knopf)) return nullptr;
    // The competitions' fifth entry is empty; the system's fourth is the quit question.
    if ((knopf == 703 && eintrag == 4) || (knopf == ICON_PANEL_SYSTEM && eintrag == 3)) return nullptr;
    return OEFFNER[size_t(k)][size_t(eintrag)];
}

void Platzhalter_Gezeigt(int32_t* knopf, int32_t* eintrag) {
    const bool da = Menue_Screen_Icon_Ist_Vorhanden(ICON_PLATZHALTER);
    if (knopf) *knopf = da ? g.knopf : -1;
    if (eintrag) *eintrag = da ? g.eintrag : -1;
}

}  // namespace velmora
