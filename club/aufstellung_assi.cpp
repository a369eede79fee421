// club/aufstellung_assi.cpp - the assistant's work against an opponent: the
// pairs of the opponent's stars with the club's starting defenders (player
// value 101), made before a match and cleared again.
#include <algorithm>

#include "club/aufstellung.h"
#include "club/aufstellung_suche.h"
#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"

namespace velmora {
namespace {

using aufstellung::Stabil_Sortieren;

// A club the assistant works for: a valid one, not the transfer market.
bool Assi_Club(const char* wer, int32_t club) {
    if (club >= 0 && club < Team_Anzahl() && club != Team_Markt()) return true;
    Debug_Printf("%s: Team %d ungueltig\n", wer, club);
    return false;
}

}  // namespace

void Assi_Paare_Loeschen(int32_t club) {
    if (!Assi_Club("Assi_Paare_Loeschen", club)) return;
    int32_t kader[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(club, kader, TEAM_SPIELER_MAX, 0);
    // Where the records are, a player without a partner is left as he is
    // (the write would change nothing); a client sends every write.
    const bool lokal = !Club_Ist_Client();
    for (int32_t i = 0; i < n; ++i)
        if (!lokal || Spieler_Wert(SPW_PARTNER, kader[i], 0, OP_LESEN) != -1)
            Spieler_Wert(SPW_PARTNER, kader[i], -1, OP_SCHREIBEN);
}

int32_t Assi_Mannschaftsaufstellung(int32_t club, int32_t gegner, int32_t prozent, bool paare_behalten) {
    if (gegner == -1) return 0;
    if (!Assi_Club("Assi_Mannschaftsaufstellung", club) || !Assi_Club("Assi_Mannschaftsaufstellung", gegner))
        return 0;
    int32_t ihre[TEAM_SPIELER_MAX], unsere[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(gegner, ihre, TEAM_SPIELER_MAX, 0);
    if (n == 0) return 0;
    int32_t m = Teamspieler_Ins_Array(club, unsere, TEAM_SPIELER_MAX, 0);
    // Each strength read once: the orders below compare these.
    int32_t staerke_ihre[TEAM_SPIELER_MAX];
    int64_t summe = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (!paare_behalten) Spieler_Wert(SPW_PARTNER, ihre[i], -1, OP_SCHREIBEN);
        staerke_ihre[i] = Spieler_Staerke(ihre[i]);
        summe += staerke_ihre[i];
    }
    // Our markers of the opponent's players are stale now.
    for (int32_t j = 0; j < m && !paare_behalten; ++j) {
        int32_t partner = Spieler_Wert(SPW_PARTNER, unsere[j], 0, OP_LESEN);
        if (partner >= 0 && Spieler_Get_Team(partner) == gegner)
            Spieler_Wert(SPW_PARTNER, unsere[j], -1, OP_SCHREIBEN);
    }
    if (prozent <= 0) return 0;
    int64_t schnitt = summe / n;
    // The dangerous ones and our available starting defenders with their
    // strengths, each strongest first (equal ones in list order).
    struct Mit_Staerke {
        int32_t spieler, staerke;
    };
    Mit_Staerke gefaehrlich[TEAM_SPIELER_MAX], verteidiger[TEAM_SPIELER_MAX];
    int32_t anzahl_gefaehrlich = 0, anzahl_verteidiger = 0;
    for (int32_t i = 0; i < n; ++i)
        if (staerke_ihre[i] > 2 * schnitt) gefaehrlich[anzahl_gefaehrlich++] = {ihre[i], staerke_ihre[i]};
    for (int32_t j = 0; j < m; ++j) {
        uint32_t st = Spieler_Status(unsere[j]);
        if ((st & SP_STATUS_START) && !(st & SP_STATUS_NICHT_VERFUEGBAR) && Spieler_Get_Art(unsere[j]) == 1)
            verteidiger[anzahl_verteidiger++] = {unsere[j], Spieler_Staerke(unsere[j])};
    }
    auto staerker = [](const Mit_Staerke& a, const Mit_Staerke& b) { return a.staerke > b.staerke; };
    Stabil_Sortieren(gefaehrlich, anzahl_gefaehrlich, staerker);
    Stabil_Sortieren(verteidiger, anzahl_verteidiger, staerker);
    const int32_t paare = std::min({anzahl_gefaehrlich, anzahl_verteidiger, prozent / 20});
    for (int32_t k = 0; k < paare; ++k) {
        Spieler_Wert(SPW_PARTNER, gefaehrlich[k].spieler, verteidiger[k].spieler, OP_SCHREIBEN);
        Spieler_Wert(SPW_PARTNER, verteidiger[k].spieler, gefaehrlich[k].spieler, OP_SCHREIBEN);
    }
    return paare;
}

}  // namespace velmora
