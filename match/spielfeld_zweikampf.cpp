// match/spielfeld_zweikampf.cpp - the stand-in of the duels.
#include "match/spielfeld_zweikampf.h"

#include <cmath>

#include "match/anweisung.h"
#include "match/figur_bewegen.h"
#include "match/spielfeld.h"
#include "match/spielfeld_besitz.h"

namespace velmora {

void Spielfeld_Zweikampf(Spielfeld_Satz* satz) {
    if (!satz) return;
    Figur& b = satz->figur[FIGUR_BALL];
    int32_t naechster[2] = {-1, -1};
    float abstand[2] = {0, 0};
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        if (!(satz->spieler[s].zustand & SM_AUF_PLATZ)) continue;
        const Figur& f = satz->figur[s];
        const float d = std::hypot(f.pos[0] - b.pos[0], f.pos[1] - b.pos[1]);
        const int32_t seite = s < SF_SPIELER_SEITE ? 0 : 1;
        if (naechster[seite] < 0 || d < abstand[seite]) {
            naechster[seite] = s;
            abstand[seite] = d;
        }
    }
    satz->naechster0 = naechster[0];
    satz->naechster1 = naechster[1];
    satz->naechster_abstand0 = abstand[0];
    satz->naechster_abstand1 = abstand[1];

    if (satz->ballhalter >= 0 || !satz->wetter_init || b.pos[2] >= 210) return;
    // A rebound off the frame that came to rest inside the pitch is in play.
    const bool im_feld = b.pos[0] >= 0 && b.pos[0] <= SPIELFELD_LAENGE && b.pos[1] >= 0 && b.pos[1] <= SPIELFELD_BREITE;
    if (satz->ball_linie == BALL_ABPRALLER && im_feld) satz->ball_linie = BALL_IM_SPIEL;
    if (satz->ball_linie != BALL_IM_SPIEL || satz->spielzustand == SZ_ABGANG || satz->spielzustand == SZ_NACH_TOR)
        return;
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        Figur& f = satz->figur[s];
        if (!(satz->spieler[s].zustand & SM_AUF_PLATZ) || f.entscheid_timer > 0) continue;
        if (std::hypot(f.pos[0] - b.pos[0], f.pos[1] - b.pos[1]) > 60) continue;
        Ballbesitz_Setzen(satz, s);
        b.v[0] = b.v[1] = b.v[2] = 0;
        Figur_Aktuelle_Anweisung(&b)->tempo = 0;
        f.entscheiden = 1;
        // Set pieces are not scripted yet: the first touch restarts open play.
        if (satz->spielzustand != SZ_SPIEL && satz->spielzustand != SZ_NEUE_HALBZEIT)
            Spielfeld_Spielzustand_Freigeben(satz);
        return;
    }
}

}  // namespace velmora
