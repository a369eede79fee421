// bench/kalender_bench.cpp - days per second of the calendar driving a game
// without a screen on the full demo world (results from the stand-in match day).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "club/club_anbindung.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/reg.h"
#include "season/season_anbindung.h"
#include "tools/sim_lauf.h"

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
        ok = sim::Sim_Welt_Erzeugen((pfad / "install").string(), false, 1) && Dirs_Init() == 1;
        Club_Anbinden();
        Season_Anbinden();
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
        sim::SimOptionen o;
        o.autosave = false;
        sim::Sim_Anbinden(o);
        sim::Sim_Bis_Tag(0);
        state.ResumeTiming();
        sim::Sim_Bis_Tag(tage);
        gespielt += Tag_Index();
        state.PauseTiming();
        sim::Sim_Beenden();
        state.ResumeTiming();
    }
    state.counters["Tage/s"] = benchmark::Counter(double(gespielt), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Kalender_Tage)->Arg(30)->Arg(365)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
