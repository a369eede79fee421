// business/markt_statistik.cpp - the developer screen of the world's balance.
#include "business/markt_statistik.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t WEISS = 65535, X = 5, ZEILE = 12;
constexpr int32_t FILTER_OHNE_SCOUTS = 0x40000, FILTER_NUR_SCOUTS = 0x20000;
constexpr int32_t MINDEST[4] = {2, 4, 5, 4};   // goalkeepers, defenders, midfielders, forwards for a line

struct StatistikModul {
    MarktStatistikHooks hooks;
    s_icon icon;
    std::vector<int32_t> wettbewerbe;
    bool gemeldet = false;   // the short-handed clubs went to the debug output once
};
StatistikModul g;

void Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Font* f = Font_Get(10);
    if (!f) return;
    Rastport* ziel = Rastport_Target();
    int32_t y = 112;
    for (int32_t w : g.wettbewerbe) {
        const WettbewerbStaerke s = Markt_Statistik_Wettbewerb(w);
        const WettbewerbSatz* satz = Wettbewerb_Satz(w);
        const char* name = satz ? satz->name : "";
        // A competition without clubs has no average to show.
        if (s.clubs == 0) Text_Printf(ziel, f, "^c%05d%s^fb0010^tr0270-^fe", X, y, WEISS, name);
        else
            Text_Printf(ziel, f, "^c%05d%s^fb0010^tr0270D=%4d^tr0370Min=%4d^tr0470Max=%4d^tr0570D-Max=%2d^fe", X, y, WEISS,
                        name, s.schnitt, s.min, s.max, s.max_schnitt);
        y += ZEILE;
    }
    for (bool scouts : {false, true}) {
        y += 22;
        Text_Printf(ziel, f, scouts ? "^c%05dTransfermarkt-St\xe4rken (nur Scouts):" : "^c%05dTransfermarkt-St\xe4rken (ohne Scouts):",
                    X, y, WEISS);
        const std::vector<int32_t> eimer = Markt_Statistik_Sterne(scouts);
        for (int32_t i = 0; i < 6; ++i) {
            y += ZEILE;
            Text_Printf(ziel, f, "^c%05d^fb0010<%d: %d^fe", X, y, WEISS, i + 1, eimer[size_t(i)]);
        }
    }
    int64_t talente = 0;
    const int32_t spieler = Spieler_Anzahl();
    for (int32_t p = 0; p < spieler; ++p) {
        int32_t liste[64];
        talente += Attribute_Get_Attribute(p, liste, 64, 1);
    }
    y += 42;
    Text_Printf(ziel, f, "^c%05d%d Spieler, %lld Attribute, Schnitt=%2.2f pro Spieler", X, y, WEISS, spieler,
                static_cast<long long>(talente), spieler > 0 ? double(talente) / spieler : 0.0);
    const std::vector<int32_t> not_teams = Markt_Statistik_Not_Teams();
    if (!g.gemeldet) {
        for (int32_t t : not_teams) Debug_Printf("%s\n", Team_String(TS_NAME, t, 0, 0));
        g.gemeldet = true;
    }
    y += ZEILE;
    Text_Printf(ziel, f, "^c%05dNOT-Teams: %d", X, y, WEISS, int32_t(not_teams.size()));
}

}  // namespace

MarktStatistikHooks& Markt_Statistik_Hooks() { return g.hooks; }

void Transfermarkt_Statistik_Screen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_MARKT_STATISTIK)) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    g.icon = Menue_Icon_Neu(ICON_MARKT_STATISTIK, 0, 100, -1, ICON_TYP_PASSIV, 1);
    g.icon.br = 800;
    g.icon.ho = 460;
    g.icon.Status = ICON_ST_KEY;
    g.icon.zeichnen = Zeichnen;
    g.wettbewerbe.clear();
    if (g.hooks.wettbewerbe) {
        std::vector<int32_t> puffer(1024, -1);
        const int32_t n = g.hooks.wettbewerbe(puffer.data());
        g.wettbewerbe.assign(puffer.begin(), puffer.begin() + std::clamp(n, 0, int32_t(puffer.size())));
    }
    Menue_Screen_Icon_Hinzufuegen(&g.icon);
}

WettbewerbStaerke Markt_Statistik_Wettbewerb(int32_t wettbewerb) {
    WettbewerbStaerke s;
    s.wettbewerb = wettbewerb;
    int32_t teams[128];
    s.clubs = std::max(0, Wettbewerb_Get_Teams(wettbewerb, teams));
    if (s.clubs == 0) return s;
    int64_t summe = 0, max_summe = 0;
    s.min = INT32_MAX;
    s.max = INT32_MIN;
    for (int32_t i = 0; i < s.clubs; ++i) {
        const int32_t st = Team_Get_Staerke(teams[i]);
        summe += st;
        s.min = std::min(s.min, st);
        s.max = std::max(s.max, st);
        max_summe += Team_Get_Staerke_2(teams[i]);
    }
    s.schnitt = int32_t(summe / s.clubs);
    s.max_schnitt = int32_t(max_summe / (int64_t(s.clubs) * 20));
    return s;
}

std::vector<int32_t> Markt_Statistik_Sterne(bool nur_scouts) {
    std::vector<int32_t> eimer(6, 0);
    const int32_t markt = Team_Markt();
    if (markt < 0) return eimer;
    std::vector<int32_t> liste(3900);
    const int32_t n = Teamspieler_Ins_Array(markt, liste.data(), int32_t(liste.size()),
                                            nur_scouts ? FILTER_NUR_SCOUTS : FILTER_OHNE_SCOUTS);
    for (int32_t i = 0; i < n; ++i) ++eimer[size_t(std::clamp(Spieler_Sterne(liste[size_t(i)]) / 2, 0, 5))];
    return eimer;
}

std::vector<int32_t> Markt_Statistik_Not_Teams() {
    std::vector<int32_t> not_teams;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Team_Ist_Normal(t, 0)) continue;
        int32_t arten[4] = {};
        Team_Get_Spieler_Art_Array(t, arten, 0, 0);
        for (int32_t a = 0; a < 4; ++a)
            if (arten[a] < MINDEST[a]) {
                not_teams.push_back(t);
                break;
            }
    }
    return not_teams;
}

}  // namespace velmora
