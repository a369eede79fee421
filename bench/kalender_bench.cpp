// bench/kalender_bench.cpp - days per second of the calendar driving a game
// without a screen on the full demo world (results from the stand-in match day).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/reg.h"
#include "season/kalender.h"
#include "tools/ersatz_spieltag.h"

namespace {

using namespace velmora;

struct Installation {
    std::filesystem::path pfad;
    bool ok = false;
    Installation() {
        std::random_device rd;
        pfad = std::filesystem::temp_directory_path() / ("velmora_bench_" + std::to_string(rd()));
        setenv("XDG_CONFIG_HOME", (pfad / "settings").c_str(), 1);
        Reg_Write_String("Work_dir", (pfad / "install").c_str());
        Reg_Write_String("USER_DIR", (pfad / "user").c_str());
        Core_Hooks().meldung = [](const char*) {};
        ok = Sim_Welt_Erzeugen((pfad / "install").string(), false, 1) && Dirs_Init() == 1;
    }
    ~Installation() {
        std::error_code ec;
        std::filesystem::remove_all(pfad, ec);
    }
};

// One iteration: a new game of the full world, then `tage` days (autosave off).
void BM_Kalender_Tage(benchmark::State& state) {
    static Installation inst;
    if (!inst.ok) {
        state.SkipWithError("no installation");
        return;
    }
    const int32_t tage = int32_t(state.range(0));
    int64_t gespielt = 0;
    for (auto _ : state) {
        state.PauseTiming();
        VerdrahtungOptionen v;   // the club data, the season and the runner with the stand-in
        v.nur = {"Netz", "Club", "Saison", "Lauf"};
        v.sim.autosave = false;
        v.sim.spieltag_start = ersatz::Spieltag_Start;
        v.sim.spieltag_frame = ersatz::Spieltag_Frame;
        Kalender_Hooks() = KalenderHooks{};
        if (!Spiel_Verdrahten(v)) {
            state.SkipWithError("wiring failed");
            return;
        }
        Core_Hooks().meldung = [](const char*) {};
        Sim_Bis_Tag(0);
        state.ResumeTiming();
        Sim_Bis_Tag(tage);
        gespielt += Tag_Index();
        state.PauseTiming();
        Sim_Beenden();
        state.ResumeTiming();
    }
    state.counters["Tage/s"] = benchmark::Counter(double(gespielt), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Kalender_Tage)->Arg(30)->Arg(365)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
