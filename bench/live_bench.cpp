// bench/live_bench.cpp - matches computed live, headless, on one core: a day
// of the small world with every match live gives the cost of one match (ms
// and frames per match, matches per second, ns per frame of the tick), and
// one match day of the full world with every match live its wall time. A
// human club's matches, the only live ones of their day among the other
// clubs' diced matches, played as velmora-sim --humans 1 plays them in both
// worlds: their ms per match, the match day's walk over its table included,
// and the part of it the tick took.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "app/sim_lauf.h"
#include "app/sim_live_statistik.h"
#include "app/verdrahtung.h"
#include "bench/temp_ordner.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/reg.h"
#include "season/kalender.h"

#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
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

// A human club's live matches over the first `tage` days of a new game
// (velmora-sim --humans 1 --days N --no-autosave); the world is generated once.
void Mensch_Spiele(benchmark::State& state, bool klein, int32_t tage) {
    const std::string basis = bench::Temp_Ordner(klein ? "velmora_live_mensch_klein" : "velmora_live_mensch");
    std::filesystem::remove_all(basis);
    if (!Sim_Welt_Erzeugen(basis + "/install", klein, 1)) {
        state.SkipWithError("world not built");
        return;
    }
    setenv("XDG_CONFIG_HOME", (basis + "/settings").c_str(), 1);
    setenv("XDG_CACHE_HOME", (basis + "/cache").c_str(), 1);
    Reg_Write_String("Work_dir", (basis + "/install").c_str());
    Reg_Write_String("USER_DIR", (basis + "/user").c_str());
    Core_Hooks().meldung = [](const char*) {};
    if (Dirs_Init() != 1) {
        state.SkipWithError("no directories");
        return;
    }
    int64_t spiele = 0;
    double ms = 0, tick_ms = 0;
    for (auto _ : state) {
        Sim_Live_Statistik_Zuruecksetzen();
        VerdrahtungOptionen v;
        v.betrieb = Betrieb::SIM;
        v.konfig_cache = false;
        v.sim.autosave = false;
        v.sim.menschen = 1;
        std::string fehler;
        if (!Spiel_Verdrahten(v, &fehler)) {
            state.SkipWithError("the game was not wired");
            return;
        }
        z = Tickzaehler{};
        z.tick = Spieltag_Hooks().tick;
        Spieltag_Hooks().tick = Gezaehlter_Tick;
        if (!Sim_Bis_Tag(0) || !Sim_Bis_Tag(Tag_Index() + tage)) {
            state.SkipWithError("the days did not play");
            return;
        }
        Spieltag_Hooks().tick = z.tick;
        double m = 0;
        spiele += Sim_Live_Beendet(&m);
        ms += m;
        tick_ms += z.ns / 1e6;
        Sim_Beenden();
        Spiel_Entdrahten();
    }
    if (spiele == 0) {
        state.SkipWithError("no live match");
        return;
    }
    state.counters["spiele"] = double(spiele);
    state.counters["ms_pro_spiel"] = ms / double(spiele);
    // The tick's part of it: the rest is the match day's walk and the other matches of the day.
    state.counters["tick_ms_pro_spiel"] = tick_ms / double(spiele);
}

void BM_Mensch_Spiel_Volle_Welt(benchmark::State& state) { Mensch_Spiele(state, false, 120); }
BENCHMARK(BM_Mensch_Spiel_Volle_Welt)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Mensch_Spiel_Kleine_Welt(benchmark::State& state) { Mensch_Spiele(state, true, 120); }
BENCHMARK(BM_Mensch_Spiel_Kleine_Welt)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
