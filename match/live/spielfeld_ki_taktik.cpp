// match/live/spielfeld_ki_taktik.cpp - the computer managers' substitutions in a live match.
#include "match/live/spielfeld_ki_taktik.h"

#include "match/live/spielfeld_aufstellung.h"

namespace velmora {

void Spielfeld_KI_Taktik(Spielfeld_Satz* satz, int32_t minute, int32_t spielzeit) {
    if (!satz || spielzeit <= 0) return;
    const int32_t anteil = minute * 100 / spielzeit;
    const int32_t zeit_erlaubt = anteil >= 80 ? 3 : (anteil >= 70 ? 2 : (anteil >= 60 ? 1 : 0));
    for (int32_t seite = 0; seite < 2; ++seite) {
        if (!satz->computer[seite]) continue;
        int32_t eingetragen = 0;
        for (int32_t i = 0; i < SF_WECHSEL; ++i)
            if (satz->wechsel_aus[seite][i] != -1) ++eingetragen;
        if (int32_t(satz->wechsel_erlaubt[seite]) - eingetragen <= 0) continue;
        int32_t muede = -1;
        for (int32_t s = seite * SF_SPIELER_SEITE; s < (seite + 1) * SF_SPIELER_SEITE && muede < 0; ++s) {
            const Spieler_Matchsatz& sm = satz->spieler[s];
            if ((sm.zustand & SM_AUF_PLATZ) && !satz->figur[s].torwart && sm.ausdauer < KI_TAKTIK_MUEDE &&
                !Spielfeld_Ist_Ausgewechselt(satz, s))
                muede = s;
        }
        if (muede >= 0) {
            Spielfeld_Auswechseln(satz, seite, 2, muede);
            continue;
        }
        if (satz->wechsel_gemacht[seite] + eingetragen >= zeit_erlaubt) continue;
        const bool fuehrt = satz->tore[seite] > satz->tore[1 - seite];
        Spielfeld_Auswechseln(satz, seite, fuehrt ? 0 : 1, -1);
    }
}

}  // namespace velmora
