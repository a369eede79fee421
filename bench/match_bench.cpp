// Set-up of the match records of a match day: 300 fixtures, at most 200 records at once;
// the figure work of one frame of a live match, two of the AI's shared queries,
// the ball contact and duels of a frame and one decision of the ball holder.
#include <benchmark/benchmark.h>

#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/figur_bewegen.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/ki_ballfuehrer.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/live/spielfeld_zweikampf.h"

namespace velmora {
namespace {

constexpr int32_t CLUBS = 600;
constexpr int32_t JE_CLUB = 18;

void Welt() {
    Rnd_Init();
    Spieler_Init(CLUBS * JE_CLUB);
    Team_Init(CLUBS + 1);
    Team_Markt_Setzen(0);
    for (int32_t p = 0; p < CLUBS * JE_CLUB; ++p) {
        int32_t i = p % JE_CLUB;
        Team_Spieler_Hinzufuegen(1 + p / JE_CLUB, p);
        Spieler_Wert(75, p, i < 11 ? 16 : (i < 17 ? 32 : 0), 8);
        Spieler_Wert(67, p, i == 0 ? 0 : 1 + i % 3, 1);
        Spieler_Wert(82, p, i == 0 ? 3 : i % 7, 1);
        Spieler_Wert(83, p, i == 0 ? 0 : 1 + i % 10, 1);
        Spieler_Wert(58, p, 5000 + 500 * (i % 10), 1);
        Spieler_Wert(101, p, -1, 1);
    }
    Spielfeld_Hooks().spiel = [](int32_t spiel, SpielfeldSpiel* out) {
        out->heim = 1 + 2 * spiel;
        out->gast = 2 + 2 * spiel;
        out->wettbewerb = spiel < 200 ? 1 : 2;
        out->zuschauer = 25000;
        out->niederschlag = spiel % 100;
        return true;
    };
}

void BM_Spieltag_300_Spielfelder(benchmark::State& state) {
    Welt();
    for (auto _ : state) {
        Spielfeld_Init();
        for (int32_t spiel = 0; spiel < 200; ++spiel) Spielfeld_Anlegen(spiel, 0, 0, 0, -1, -1);
        Spielfeld_Entfernen(1);
        for (int32_t spiel = 200; spiel < 300; ++spiel) Spielfeld_Anlegen(spiel, 0, 0, 0, -1, -1);
        benchmark::DoNotOptimize(Spielfeld_Anzahl());
        Spielfeld_Freigeben();
    }
}
BENCHMARK(BM_Spieltag_300_Spielfelder)->Unit(benchmark::kMillisecond);

// One live record with every player running to a target drawn anew whenever
// he arrives, the ball rolling across the pitch.
Spielfeld_Satz* Lauf_Satz() {
    Welt();
    Spielfeld_Init();
    Spielfeld_Anlegen(1, 0, 0, 0, -1, -1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    s->spielzustand = SZ_SPIEL;
    s->empfaenger = -1;
    return s;
}

void Neu_Befehlen(Spielfeld_Satz* s, int32_t k) {
    SetZSA(s, k, Rnd(200, 10600), Rnd(200, 6600), 0, Rnd(150, 950), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, 0, 0, 0);
}

// The animation step and the movement of the 53 figures of one frame; items
// are figures, so the time per item is the cost per figure and frame.
void BM_Figuren_Frame(benchmark::State& state) {
    Spielfeld_Satz* s = Lauf_Satz();
    for (int32_t k = 0; k < SF_SPIELER; ++k) Neu_Befehlen(s, k);
    s->ausdauer_timer = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < SF_FIGUREN; ++i) {
            Figur& f = s->figur[i];
            Figur_Anim_Schritt(s, i, &f, 30);
            const Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
            if (a.tempo != 0 || a.vz != 0) Figur_Bewegen(s, i, &f, 30, i == FIGUR_BALL);
            if (i < SF_SPIELER && a.tempo == 0) Neu_Befehlen(s, i);
        }
        Figur& ball = s->figur[FIGUR_BALL];
        if (Figur_Aktuelle_Anweisung(&ball)->tempo == 0 || s->spielzustand != SZ_SPIEL) {
            s->spielzustand = SZ_SPIEL;
            SetAnim(s, FIGUR_BALL, 5400, 3403, 0);
            SetZSA(s, FIGUR_BALL, Rnd(1000, 9800), Rnd(1000, 5800), 0, 1500, ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1,
                   RING_OHNE_PRUEFUNG, 0, 0);
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * SF_FIGUREN);
    Spielfeld_Freigeben();
}
BENCHMARK(BM_Figuren_Frame);

// The pass lane from a player to a point across the pitch, against the 17
// players of the other side.
void BM_Spieler_Im_Passweg(benchmark::State& state) {
    Spielfeld_Satz* s = Lauf_Satz();
    int32_t ziel = 0;
    for (auto _ : state) {
        float nah = 0;
        int32_t slot = -1, dicht = 0, nahe = 0;
        benchmark::DoNotOptimize(Spielfeld_Spieler_Im_Passweg(s, 5, float(1000 + ziel % 9000), float(500 + ziel % 5800),
                                                              1, &nah, &slot, 300, &dicht, &nahe));
        ziel += 731;
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    Spielfeld_Freigeben();
}
BENCHMARK(BM_Spieler_Im_Passweg);

// A free point 1000 cm around the ball, behind it for a side.
void BM_Freier_Punkt(benchmark::State& state) {
    Spielfeld_Satz* s = Lauf_Satz();
    for (auto _ : state) {
        int32_t x = 0, y = 0;
        Spielfeld_Freier_Punkt(s, 5, FIGUR_BALL, 990, &x, &y, 1);
        benchmark::DoNotOptimize(x + y);
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    Spielfeld_Freigeben();
}
BENCHMARK(BM_Freier_Punkt);

// The ball contact and the duels of one frame, the 34 players crowded within
// 8 m of the ball (every third frame runs the duel pass).
void BM_Zweikampf_Frame(benchmark::State& state) {
    Spielfeld_Satz* s = Lauf_Satz();
    s->wetter_init = 1;
    int32_t n = 0;
    for (auto _ : state) {
        if (n++ % 64 == 0) {
            for (int32_t k = 0; k < SF_SPIELER; ++k)
                SetAnim(s, k, 5400 + Rnd(-400, 400), 3403 + Rnd(-400, 400), 0);
            SetAnim(s, FIGUR_BALL, 5400, 3403, 0);
            s->spielzustand = SZ_SPIEL;
        }
        Spielfeld_Zweikampf(s);
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    Spielfeld_Freigeben();
}
BENCHMARK(BM_Zweikampf_Frame);

// One decision of a holder in the opponents' half: shot score, pass choice
// over his team-mates and the run with the ball.
void BM_Ballfuehrer(benchmark::State& state) {
    Spielfeld_Satz* s = Lauf_Satz();
    for (auto _ : state) {
        SetAnim(s, 5, 7000, 3000, 0);
        SetAnim(s, FIGUR_BALL, 7010, 3000, 0);
        s->ballhalter = 5;
        Figur_Ballsperre_Setzen(&s->figur[5], 0);
        KI_Ballfuehrer(s, 5, 0);
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
    Spielfeld_Freigeben();
}
BENCHMARK(BM_Ballfuehrer);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
