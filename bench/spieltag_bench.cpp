// bench/spieltag_bench.cpp - a whole season of the full demo world played by
// the match day (records and minute dice), and one match day of the full world.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/dirs.h"
#include "core/reg.h"
#include "tests/match/spieltag_welt.h"

namespace {

using namespace velmora;

// A temporary installation of the full world with the directories pointed at it.
std::string Installation() {
    static std::string install = test::Leere_Installation("velmora_spieltag_bench");
    return install;
}

void BM_SaisonVolleWelt(benchmark::State& state) {
    std::string install = Installation();
    for (auto _ : state) {
        state.PauseTiming();
        Spieltag_Statistik_Zuruecksetzen();
        if (!test::Spieltag_Welt_Bauen(install, false, 3)) {
            state.SkipWithError("world not built");
            return;
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(test::Saison_Spielen());
        state.PauseTiming();
        test::Spieltag_Welt_Ende();
        state.ResumeTiming();
    }
    std::fprintf(stderr, "%s", Spieltag_Statistik_Text().c_str());
    const SpieltagStatistik& s = Spieltag_Statistik();
    state.counters["spiele"] = double(s.spiele);
    state.counters["tore_pro_spiel"] = s.spiele ? double(s.tore) / double(s.spiele) : 0.0;
}
BENCHMARK(BM_SaisonVolleWelt)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SpieltagVolleWelt(benchmark::State& state) {
    std::string install = Installation();
    if (!test::Spieltag_Welt_Bauen(install, false, 3)) {
        state.SkipWithError("world not built");
        return;
    }
    int64_t spiele = 0;
    for (auto _ : state) {
        Spieltag_Start();
        spiele += Spieltag_Slot_Anzahl();
        while (Spieltag_Frame()) {}
    }
    state.counters["spiele_pro_tag"] = benchmark::Counter(double(spiele), benchmark::Counter::kAvgIterations);
    test::Spieltag_Welt_Ende();
}
BENCHMARK(BM_SpieltagVolleWelt)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
