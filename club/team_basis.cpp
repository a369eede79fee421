// club/team_basis.cpp - base data of the teams and the per-player update.
#include "club/team_basis.h"

#include <vector>

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/wirtschaft.h"
#include "core/debug.h"

namespace velmora {

void Team_Set_Basisdaten(int32_t team, int32_t) {
    if (Club_Ist_Client()) {
        Debug_Printf("Team_Set_Basisdaten: CLIENT-WRITE!\n");
        return;
    }
    int32_t von = team < 0 ? 0 : team, bis = team < 0 ? Team_Anzahl() - 1 : team;
    if (team >= Team_Anzahl()) {
        Debug_Printf("Team_Set_Basisdaten: Team %d ungueltig\n", team);
        return;
    }
    for (int32_t t = von; t <= bis; ++t) {
        Team_Wert(TW_NUMMER, t, t, OP_SCHREIBEN);
        if (t == Team_Markt() || Team_Ist_Nationalteam(t)) continue;
        int32_t nation = Team_Wert(TW_NATION, t, 0, OP_LESEN);
        if (nation >= 0 && nation < Team_Anzahl())
            Team_Wert(TW_KONTINENT, t, Team_Wert(TW_KONTINENT, nation, 0, OP_LESEN), OP_SCHREIBEN);
        if (Teamspieler_Ins_Array(t, nullptr, TEAM_SPIELER_MAX, 0) > 0) Team_Saison_Aktualisieren(t);
    }
}

void Team_Spieler_Aktualisieren(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Team_Spieler_Aktualisieren: Team %d ungueltig\n", team);
        return;
    }
    if (Club_Ist_Client()) {
        Debug_Printf("Team_Spieler_Aktualisieren: CLIENT-WRITE!\n");
        return;
    }
    // A club's squad fits a record's list; only the market needs room for thousands.
    int32_t kader[TEAM_SPIELER_MAX];
    std::vector<int32_t> markt(team == Team_Markt() ? size_t(MARKT_SPIELER_MAX) : 0);
    int32_t* liste = markt.empty() ? kader : markt.data();
    int32_t n = Teamspieler_Ins_Array(team, liste, markt.empty() ? TEAM_SPIELER_MAX : MARKT_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) {
        int32_t p = liste[i];
        auto* s = static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, p));
        auto* e = static_cast<SpielerClientEgal*>(Spieler_Zeiger(SPZ_CLIENT_EGAL, p));
        if (!s || !e) continue;
        if (s->max_staerke < s->staerke) s->max_staerke = s->staerke;
        e->marktwert = Spieler_Berechne_Marktwert(p);
        e->gehalt = Spieler_Berechne_Gehalt(p);
    }
}

}  // namespace velmora
