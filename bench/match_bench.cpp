// Set-up of the match records of a match day: 300 fixtures, at most 200 records at once.
#include <benchmark/benchmark.h>

#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "match/spielfeld.h"
#include "match/spielfeld_hooks.h"

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

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
