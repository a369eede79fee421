// bench/live_bench.cpp - matches computed live, headless, on one core: a day
// of the small world with every match live gives the cost of one match (ms
// and frames per match, matches per second, ns per frame of the tick), and
// one match day of the full world with every match live its wall time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "match/spielfeld.h"
#include "match/spielfeld_hooks.h"
#include "match/spieltag_hooks.h"
#include "season/wettbewerb.h"
#include "tests/match/spieltag_welt.h"

namespace {

using namespace velmora;

// Every competition computes its matches live (switch 5).
int32_t Schalter_Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }

// The tick as the root bound it, counted and timed frame by frame.
struct Tickzaehler {
    float (*tick)(Spielfeld_Satz*, int8_t*, int32_t) = nullptr;
    int64_t frames = 0;
    double ns = 0;
};
Tickzaehler z;

float Gezaehlter_Tick(Spielfeld_Satz* satz, int8_t* elfer, int32_t nachholen) {
    const auto anfang = std::chrono::steady_clock::now();
    const float r = z.tick(satz, elfer, nachholen);
    z.ns += double(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - anfang).count());
    ++z.frames;
    return r;
}

std::string Installation() {
    static std::string install = test::Leere_Installation("velmora_live_bench");
    return install;
}

// One day with every match live; the matches it played with a record.
int64_t Live_Tag() {
    if (!Spieltag_Start()) return 0;
    while (Spieltag_Frame()) {}
    return Spieltag_Statistik().mit_spielfeld;
}

bool Welt(bool klein, uint32_t seed) {
    Spieltag_Statistik_Zuruecksetzen();
    if (!test::Spieltag_Welt_Bauen(Installation(), klein, seed)) return false;
    Spielfeld_Hooks().wettbewerb_schalter = Schalter_Live;
    z = Tickzaehler{};
    z.tick = Spieltag_Hooks().tick;
    if (!z.tick) return false;
    Spieltag_Hooks().tick = Gezaehlter_Tick;
    return true;
}

void Ende() {
    Spieltag_Hooks().tick = z.tick;
    test::Spieltag_Welt_Ende();
}

// A day of the small world, every match live; the figures per match.
void BM_Live_Spiel(benchmark::State& state) {
    int64_t spiele = 0, frames = 0;
    double ns = 0, ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Welt(true, uint32_t(7 + state.iterations()))) {
            state.SkipWithError("world not built");
            return;
        }
        state.ResumeTiming();
        const auto anfang = std::chrono::steady_clock::now();
        spiele += Live_Tag();
        ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count();
        state.PauseTiming();
        frames += z.frames;
        ns += z.ns;
        Ende();
        state.ResumeTiming();
    }
    if (spiele == 0) {
        state.SkipWithError("no live match");
        return;
    }
    state.counters["spiele"] = double(spiele);
    state.counters["ms_pro_spiel"] = ms / double(spiele);
    state.counters["spiele_pro_s"] = double(spiele) * 1000.0 / ms;
    state.counters["frames_pro_spiel"] = double(frames) / double(spiele);
    state.counters["ns_pro_frame"] = ns / double(frames);
}
BENCHMARK(BM_Live_Spiel)->Unit(benchmark::kMillisecond)->Iterations(4);

// The first match day of the full world with every match live.
void BM_Live_Spieltag_Volle_Welt(benchmark::State& state) {
    int64_t spiele = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Welt(false, 3)) {
            state.SkipWithError("world not built");
            return;
        }
        state.ResumeTiming();
        spiele += Live_Tag();
        state.PauseTiming();
        Ende();
        state.ResumeTiming();
    }
    state.counters["spiele_pro_tag"] = benchmark::Counter(double(spiele), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Live_Spieltag_Volle_Welt)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
