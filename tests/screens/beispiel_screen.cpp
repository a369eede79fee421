// tests/screens/beispiel_screen.cpp - the example screen.
#include "tests/screens/beispiel_screen.h"

#include <algorithm>
#include <string>

#include "bilder/wappen.h"
#include "club/manager.h"
#include "club/team.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora::test {
namespace {

constexpr uint16_t Farbe(int r, int g, int b) { return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }

constexpr uint16_t TAFEL = Farbe(18, 34, 28), TAFEL_KANTE = Farbe(212, 176, 74), TEXT_HELL = Farbe(240, 240, 232);
constexpr uint16_t TEXT_GRAU = Farbe(170, 186, 176), KNOPF = Farbe(46, 84, 60), KNOPF_KANTE = Farbe(120, 170, 130);

constexpr int32_t TAFEL_X = 200, TAFEL_Y = 160, TAFEL_B = 400, TAFEL_H = 240;
constexpr int32_t KNOPF_X = 340, KNOPF_Y = 342, KNOPF_B = 120, KNOPF_H = 34;

struct BeispielModul {
    bool offen = false;
    s_icon tafel, weiter;
    s_icon_text weiter_text;
};
BeispielModul g;

// The panel: the club's crest and name, the manager, the date and the league place.
Rastport* Tafel_Malen(int32_t team) {
    Rastport* rp = Rastport_Create(TAFEL_B, TAFEL_H, 16, 0, 0);
    if (!rp) return nullptr;
    Rastport_Fill(rp, 0, 0, TAFEL_B, TAFEL_H, TAFEL_KANTE, nullptr);
    Rastport_Fill(rp, 2, 2, TAFEL_B - 4, TAFEL_H - 4, TAFEL, nullptr);
    Rastport_Fill(rp, 16, 92, TAFEL_B - 32, 1, TAFEL_KANTE, nullptr);
    static const SchattenParameter schatten{2, 2, 3, 0};
    Wappen_Zeichnen(team, rp, 18, 16, 64, 64, &schatten);
    if (Font* f = Font_Get(14)) Text_Printf(rp, f, "^c%05d%s", 96, 42, TEXT_HELL, Team_String(TS_NAME, team, 0, 0));
    if (Font* f = Font_Get(9)) {
        Text_Printf(rp, f, "^c%05dManager: %s", 96, 66, TEXT_GRAU, Manager_Name(team));
        Text_Printf(rp, f, "^c%05d%s", 18, 120, TEXT_HELL, Kalender_Tag_Text(-1, 0));
        const int32_t liga = Team_Get_Liga(team, 1);
        int32_t reihe[TABELLE_TEAMS_MAX];
        const int32_t n = liga >= 0 ? Tabelle_Reihenfolge(liga, reihe) : 0;
        const int32_t platz = int32_t(std::find(reihe, reihe + n, team) - reihe);
        if (platz < n)
            Text_Printf(rp, f, "^c%05d%s: %d. Platz", 18, 142, TEXT_HELL, Wettbewerb_Get_Landespokal(liga, 0, 0),
                        platz + 1);
    }
    return rp;
}

Rastport* Knopf_Malen() {
    Rastport* rp = Rastport_Create(KNOPF_B, KNOPF_H, 16, 0, 0);
    if (!rp) return nullptr;
    Rastport_Fill(rp, 0, 0, KNOPF_B, KNOPF_H, KNOPF_KANTE, nullptr);
    Rastport_Fill(rp, 2, 2, KNOPF_B - 4, KNOPF_H - 4, KNOPF, nullptr);
    return rp;
}

// The button ends the manager's day; the calendar then opens the next turn.
void Weiter_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & EV_LINKS) K_NEUER_TAG(K_FERTIG, 0);
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, uint32_t typ, Rastport* rp) {
    s_icon i;
    i.nummer = int16_t(nummer);
    i.typ = typ;
    i.x = int16_t(x);
    i.y = int16_t(y);
    i.rp = rp;
    i.br = rp ? int16_t(rp->width) : 0;
    i.ho = rp ? int16_t(rp->height) : 0;
    return i;
}

}  // namespace

void Beispiel_Screen_Oeffnen(int32_t team) {
    Beispiel_Screen_Schliessen();
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);   // what the panel opened in the work area
    g.tafel = Icon(BEISPIEL_ICON_TAFEL, TAFEL_X, TAFEL_Y, ICON_TYP_PASSIV, Tafel_Malen(team));
    g.tafel.Pri = 1;
    g.weiter = Icon(BEISPIEL_ICON_WEITER, KNOPF_X, KNOPF_Y, ICON_TYP_TEXT, Knopf_Malen());
    g.weiter.Pri = 2;
    g.weiter.Main_P = Weiter_Klick;
    g.weiter_text = s_icon_text{};
    g.weiter_text.font = 6;
    g.weiter_text.flags = 0x10 | 0x20;
    g.weiter_text.farbe_aus = TEXT_HELL;
    g.weiter_text.farbe_an = TAFEL_KANTE;
    g.weiter_text.text = "Weiter";
    g.weiter.daten = &g.weiter_text;
    for (s_icon* i : {&g.tafel, &g.weiter}) Menue_Screen_Icon_Hinzufuegen(i);
    g.offen = true;
}

void Beispiel_Screen_Schliessen() {
    if (!g.offen) return;
    for (s_icon* i : {&g.weiter, &g.tafel}) Menue_Screen_Icon_Loeschen(-1, i);
    g.offen = false;
}

bool Beispiel_Screen_Offen() { return g.offen; }

}  // namespace velmora::test
