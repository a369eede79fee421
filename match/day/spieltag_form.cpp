// match/day/spieltag_form.cpp - the players' form around a match day: after a
// game by its result and the two sides' strengths; before the day in the
// first 90 days at difficulty 0.
#include "match/day/spieltag.h"

#include <algorithm>

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/rnd.h"
#include "match/record/spielfeld_hooks.h"
#include "match/day/spieltag_hooks.h"
#include "season/statistik.h"

namespace velmora {

void Spieltag_Form_Nach_Spiel(int32_t spiel) {
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 1);
    if (!sp) return;
    const int32_t teams[2] = {sp->heim, sp->gast};
    const int32_t tore[2] = {std::max<int32_t>(sp->tore_heim, 0), std::max<int32_t>(sp->tore_gast, 0)};
    int32_t staerke[2];
    for (int32_t s = 0; s < 2; ++s) staerke[s] = teams[s] >= 0 ? Team_Berechne_Staerke(teams[s], 0) : 0;
    bool fruehe_phase = Spielfeld_Hook_Schwierigkeit() == 0 && Spieltag_Hook_Tag() < 90;
    const bool client = Club_Ist_Client();
    for (int32_t seite = 0; seite < 2; ++seite) {
        int32_t team = teams[seite];
        if (team < 0) continue;
        int32_t eigen = tore[seite], andere = tore[1 - seite];
        int32_t s_eigen = staerke[seite], s_andere = staerke[1 - seite];
        bool frueh = fruehe_phase && Team_Hat_Manager(team);
        int32_t spieler[TEAM_SPIELER_MAX];
        int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, frueh ? 0 : 48);
        int32_t basis = (eigen - andere) * 10 + (seite == 0 ? 90 : 100);
        if (eigen + 3 <= andere) {
            if (seite == 0 && s_andere < s_eigen - 17 + 3 * (eigen - andere)) basis -= 25;
            if (seite == 1 && s_eigen < s_andere - 22 + 3 * (eigen - andere)) basis -= 25;
        }
        for (int32_t k = 0; k < n; ++k) {
            int32_t p = spieler[k];
            const int32_t alt = Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN);
            int32_t f = alt;
            if (frueh) {
                f = 4;
            } else {
                if (4 * f + 130 - Rnd(0, 40) < basis) f += 1;
                if (Rnd(0, 40) + 70 - 4 * (6 - f) > basis) f -= 1;
                if (f < 3 && Rnd(0, 5) == 0) f += 1;
                else if (f > 3 && Rnd(0, 5) == 0) f -= 1;
            }
            // Talent 10 keeps the value at 3 or above, talent 45 at 3 or
            // below: each asked only on its side of 3.
            if (f < 3 ? Attribute_Hat_Attribut(p, 10) : f > 3 && Attribute_Hat_Attribut(p, 45)) f = 3;
            f = std::clamp(f, 0, 6);
            // A client's write goes to the server, whose value may differ.
            if (f != alt || client) Spieler_Wert(SPW_MORAL, p, f, OP_SCHREIBEN);
        }
    }
}

void Spieltag_Vor_Tag(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return;
    if (Spielfeld_Hook_Schwierigkeit() != 0 || Spieltag_Hook_Tag() >= 90) return;
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    for (int32_t k = 0; k < n; ++k) {
        int32_t p = spieler[k];
        Spieler_Wert(SPW_MORAL, p, 4, OP_SCHREIBEN);
        Spieler_Wert(SPW_EINSAETZE, p, 0, OP_SCHREIBEN);
        for (int32_t t = 0; t <= 52; ++t)
            if (Attribute_Hat_Attribut(p, t)) Spieler_Wert(t, p, 0, OP_SCHREIBEN);
    }
}

}  // namespace velmora
