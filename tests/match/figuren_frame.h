// tests/match/figuren_frame.h - the figure work of one frame of a live
// match, in the tick's order, and a kick of the ball, for the tests that
// drive the animation and movement steps without the tick.
#pragma once
#include <algorithm>
#include <cstdint>

#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/figur_bewegen.h"
#include "match/record/spielfeld_satz.h"

namespace velmora::test {

// One frame of figure work in the tick's order: the decision timer runs down
// by the figure step, then every figure on the pitch gets its animation step
// (an order with a frame duration) and its movement (an order with a speed or
// a launch speed; the ball as the ball).
inline void Figuren_Frame(Spielfeld_Satz* s, float schritt = 30.0f) {
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        Figur& f = s->figur[i];
        if (!f.gezeichnet) continue;
        f.entscheid_timer = std::max(0.0f, f.entscheid_timer - schritt);
        if (Figur_Aktuelle_Anweisung(&f)->dauer > 0) Figur_Anim_Schritt(s, i, &f, schritt);
        const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        if (a.tempo != 0 || a.vz != 0) Figur_Bewegen(s, i, &f, schritt, i == FIGUR_BALL);
    }
}

// Kicks the ball from (x, y) on the ground towards (zx, zy) at `tempo` cm/s
// with launch speed `vz`; nobody holds it, nobody is to receive it.
inline void Ball_Schiessen(Spielfeld_Satz* s, float x, float y, float zx, float zy, int32_t tempo, float vz = 0) {
    Figur& b = s->figur[FIGUR_BALL];
    s->ballhalter = -1;
    s->empfaenger = -1;
    SetAnim(s, FIGUR_BALL, int32_t(x), int32_t(y), 0);
    b.pos[0] = x;
    b.pos[1] = y;
    SetZSA(s, FIGUR_BALL, int32_t(zx), int32_t(zy), 0, tempo, ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1, RING_OHNE_PRUEFUNG,
           0, 0);
    Figur_Aktuelle_Anweisung(&b)->vz = vz;
    b.flug_start = b.flug_zeit = 0;
}

}  // namespace velmora::test
