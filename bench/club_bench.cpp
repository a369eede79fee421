// Speed of the player accessor and of the team player lists.
#include <benchmark/benchmark.h>

#include "club/spieler.h"
#include "club/team.h"

namespace velmora {
namespace {

constexpr int32_t SPIELER = 10000;
constexpr int32_t CLUBS = SPIELER / TEAM_SPIELER_MAX;

void Welt() {
    Spieler_Init(SPIELER);
    Team_Init(CLUBS + 1);
    Team_Markt_Setzen(0);
    for (int32_t p = 0; p < SPIELER; ++p) {
        Team_Spieler_Hinzufuegen(1 + p % CLUBS, p);
        Spieler_Wert(75, p, (p % TEAM_SPIELER_MAX) < 11 ? 16 : 32, 8);
    }
}

// 10 million reads and writes of player values.
void BM_SpielerWert(benchmark::State& state) {
    Welt();
    for (auto _ : state) {
        int64_t summe = 0;
        for (int32_t i = 0; i < 5000000; ++i) {
            int32_t p = i % SPIELER;
            Spieler_Wert(57, p, i & 1023, 1);
            summe += Spieler_Wert(57, p, 0, 0);
        }
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * 10000000);
}
BENCHMARK(BM_SpielerWert)->Unit(benchmark::kMillisecond);

// Every club's starting eleven from 10,000 players.
void BM_Teamspieler_Sweep(benchmark::State& state) {
    Welt();
    int32_t liste[TEAM_SPIELER_MAX];
    for (auto _ : state) {
        int64_t summe = 0;
        for (int32_t t = 0; t < Team_Anzahl(); ++t) summe += Teamspieler_Ins_Array(t, liste, TEAM_SPIELER_MAX, 16);
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * SPIELER);
}
BENCHMARK(BM_Teamspieler_Sweep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
