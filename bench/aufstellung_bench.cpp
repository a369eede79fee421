// Speed of the automatic line-up: every club of a full world lines up.
#include <benchmark/benchmark.h>

#include "club/aufstellung.h"
#include "club/spieler.h"
#include "club/team.h"

namespace velmora {
namespace {

constexpr int32_t CLUBS = 320;

// Clubs 1..CLUBS of 20 players of mixed kinds and strengths, one in six unavailable.
void Welt() {
    Spieler_Init(CLUBS * TEAM_SPIELER_MAX);
    Team_Init(CLUBS + 1);
    Team_Markt_Setzen(0);
    uint32_t z = 12345;
    auto zufall = [&z](int32_t n) {
        z = z * 1103515245u + 12345u;
        return int32_t((z >> 16) % uint32_t(n));
    };
    for (int32_t p = 0; p < CLUBS * TEAM_SPIELER_MAX; ++p) {
        Team_Spieler_Hinzufuegen(1 + p / TEAM_SPIELER_MAX, p);
        Spieler_Wert(67, p, zufall(8) == 0 ? 0 : 1 + zufall(3), OP_SCHREIBEN);
        Spieler_Wert(58, p, zufall(12001), OP_SCHREIBEN);
        Spieler_Wert(57, p, zufall(1000), OP_SCHREIBEN);
        Spieler_Wert(87, p, p % TEAM_SPIELER_MAX, OP_SCHREIBEN);
        if (zufall(6) == 0) Spieler_Wert(75, p, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
    }
}

void BM_Auto_Aufstellung_Alle_Clubs(benchmark::State& state) {
    Welt();
    int32_t runde = 0;
    for (auto _ : state) {
        int64_t starter = 0;
        // A club whose inputs did not change takes its last search again:
        // each round moves one player's form per club, so every club searches.
        ++runde;
        for (int32_t t = 1; t <= CLUBS; ++t) {
            Spieler_Wert(SPW_FORM, (t - 1) * TEAM_SPIELER_MAX, 500 + runde % 2, OP_SCHREIBEN);
            starter += Team_Auto_Aufstellung(t);
        }
        benchmark::DoNotOptimize(starter);
    }
    state.SetItemsProcessed(state.iterations() * CLUBS);
    Team_Free(0);
    Spieler_Free();
}
BENCHMARK(BM_Auto_Aufstellung_Alle_Clubs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
