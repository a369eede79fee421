// bench/sim_bench.cpp - the game without a screen as velmora-sim plays it: a
// season of the full world by dice with the autosave on (the headline
// figure), a season of the small world, and one autosave of the full world.
// With VELMORA_BENCH_PRUEFEN=1 the full-world season also runs the line-up's
// check mode and reports the line-ups whose decision or records differed from
// the long way's (the counter "abweichungen", which must be 0;
// "wiederverwendet" counts the line-ups that took the club's last search again).
// The seasons count the CPU time of all threads, the background writer's too.
// The full-world season also reports its best of three ("beste_s"), the
// calibration run's CPU seconds ("kalibrierung_s", gzip -6 of 64 MB of base64
// text, best of three) and the ratio of the two ("verhaeltnis").
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "bench/kalibrierung.h"
#include "bench/temp_ordner.h"
#include "club/aufstellung.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/reg.h"
#include "core/spielstand.h"
#include "platform/vmem.h"
#include "season/kalender.h"

namespace {

using namespace velmora;

// A generated world (full or small) in a temporary installation of its own,
// with the directories pointed at it.
bool Welt(bool klein) {
    Plat_Heap_Behalten();   // as velmora-sim runs
    const std::string basis = bench::Temp_Ordner(klein ? "velmora_sim_bench_klein" : "velmora_sim_bench");
    static std::string bereit[2];
    std::string& b = bereit[klein ? 1 : 0];
    if (b.empty()) {
        std::filesystem::create_directories(basis);
        if (!Sim_Welt_Erzeugen(basis + "/install", klein, 1)) return false;
        b = basis;
    }
    setenv("XDG_CONFIG_HOME", (basis + "/settings").c_str(), 1);
    setenv("XDG_CACHE_HOME", (basis + "/cache").c_str(), 1);
    Reg_Write_String("Work_dir", (basis + "/install").c_str());
    Reg_Write_String("USER_DIR", (basis + "/user").c_str());
    Core_Hooks().meldung = [](const char*) {};
    return Dirs_Init() == 1;
}

bool Starten(bool autosave) {
    VerdrahtungOptionen v;
    v.betrieb = Betrieb::SIM;
    v.konfig_cache = false;   // as velmora-sim runs
    v.sim.autosave = autosave;
    std::string fehler;
    return Spiel_Verdrahten(v, &fehler) && Sim_Bis_Tag(0);
}

void Ende() {
    Sim_Beenden();
    Spiel_Entdrahten();
}

double Prozess_Sekunden() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// One season (365 days) from a new game, as `velmora-sim --days 365` plays it.
void Saison(benchmark::State& state, bool klein) {
    if (!Welt(klein)) {
        state.SkipWithError("world not built");
        return;
    }
    const bool pruefen = !klein && std::getenv("VELMORA_BENCH_PRUEFEN");
    if (pruefen) Aufstellung_Pruefen_Setzen(true);
    const double kalibrierung = klein ? 0 : bench::Kalibrierung_Sekunden();
    double beste = 1e9;
    for (auto _ : state) {
        const double vorher = Prozess_Sekunden();
        if (!Starten(true) || !Sim_Bis_Tag(Tag_Index() + 365)) {
            state.SkipWithError("the season did not play");
            break;
        }
        Ende();   // waits for the last autosave
        beste = std::min(beste, Prozess_Sekunden() - vorher);
    }
    if (!klein) {
        state.counters["beste_s"] = beste;
        state.counters["kalibrierung_s"] = kalibrierung;
        if (kalibrierung > 0) state.counters["verhaeltnis"] = beste / kalibrierung;
    }
    if (pruefen) {
        state.counters["aufstellungen"] = double(Aufstellung_Pruefung().aufstellungen);
        state.counters["abweichungen"] = double(Aufstellung_Pruefung().abweichungen);
        state.counters["wiederverwendet"] = double(Aufstellung_Pruefung().wiederverwendet);
        Aufstellung_Pruefen_Setzen(false);
    }
}

void BM_Saison_Volle_Welt_Mit_Autosave(benchmark::State& state) { Saison(state, false); }
BENCHMARK(BM_Saison_Volle_Welt_Mit_Autosave)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

void BM_Saison_Kleine_Welt(benchmark::State& state) { Saison(state, true); }
BENCHMARK(BM_Saison_Kleine_Welt)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(5);

// One autosave of the full world after a month of play: the file built and
// written through to its rename.
void BM_Autosave_Volle_Welt(benchmark::State& state) {
    if (!Welt(false) || !Starten(false) || !Sim_Bis_Tag(Tag_Index() + 30)) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Spielstand_Speichern(SPIELSTAND_AUTOSAVE_SLOT));
    }
    Ende();
}
BENCHMARK(BM_Autosave_Volle_Welt)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
