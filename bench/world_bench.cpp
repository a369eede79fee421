// bench/world_bench.cpp - loading the full demo world from its text files and
// from the binary configuration cache.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "club/club_config.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/reg.h"
#include "core/rnd.h"

namespace {

using namespace velmora;

// Generates the full world once into a temporary installation and points the directories at it.
bool Welt_Bereit() {
    static bool bereit = [] {
        std::string basis = (std::filesystem::temp_directory_path() / "velmora_world_bench").string();
        std::filesystem::remove_all(basis);
        std::filesystem::create_directories(basis + "/install/config");
        setenv("XDG_CONFIG_HOME", (basis + "/settings").c_str(), 1);
        Reg_Write_String("Work_dir", (basis + "/install").c_str());
        Reg_Write_String("USER_DIR", (basis + "/user").c_str());
        if (Dirs_Init() != 1) return false;
        Core_Hooks().meldung = [](const char*) {};
        Rnd_Init();
        Config_Satz_Setzen(0);
        WeltgenWelt welt;
        if (!Weltgen_Erzeugen(WeltgenOptionen{}, welt) || !Weltgen_Schreiben(welt, basis + "/install")) return false;
        Global_Config_Init();
        Club_Config_Bin_Anmelden();
        return true;
    }();
    return bereit;
}

bool Aus_Text() {
    uint8_t voll = 0;
    return Global_Config_Lesen() && Team(0) && Spieler(0, &voll) && voll == 1;
}

void BM_Welt_Aus_Text(benchmark::State& state) {
    if (!Welt_Bereit()) {
        state.SkipWithError("no world");
        return;
    }
    for (auto _ : state) {
        if (!Aus_Text()) state.SkipWithError("load failed");
    }
    state.counters["spieler"] = Spieler_Anzahl();
}
BENCHMARK(BM_Welt_Aus_Text)->Unit(benchmark::kMillisecond);

void BM_Welt_Aus_Cache(benchmark::State& state) {
    if (!Welt_Bereit() || !Aus_Text() || !Config_Bin_Schreiben()) {
        state.SkipWithError("no cache");
        return;
    }
    for (auto _ : state) {
        if (!Config_Bin_Laden()) state.SkipWithError("cache refused");
    }
    state.counters["spieler"] = Spieler_Anzahl();
}
BENCHMARK(BM_Welt_Aus_Cache)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
