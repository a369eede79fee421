// bench/world_bench.cpp - loading the full demo world from its text files and
// from the binary configuration cache: the club files alone, and the whole
// world build of a new game (Spielstart_Welt_Aufbauen) as a start with and
// without "-d" does it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "bench/temp_ordner.h"
#include "club/club_config.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/reg.h"
#include "core/rnd.h"
#include "season/kalender.h"
#include "season/spielstart.h"

namespace {

using namespace velmora;

// Generates the full world once into a temporary installation and points the
// directories (the cache directory too) at it.
bool Welt_Bereit() {
    static bool bereit = [] {
        const std::string basis = bench::Temp_Ordner("velmora_world_bench");
        std::filesystem::create_directories(basis + "/install/config");
        setenv("XDG_CONFIG_HOME", (basis + "/settings").c_str(), 1);
        setenv("XDG_CACHE_HOME", (basis + "/cache").c_str(), 1);
        Reg_Write_String("Work_dir", (basis + "/install").c_str());
        Reg_Write_String("USER_DIR", (basis + "/user").c_str());
        if (Dirs_Init() != 1) return false;
        Core_Hooks().meldung = [](const char*) {};
        Config_Satz_Setzen(0);
        if (!Sim_Welt_Erzeugen(basis + "/install", false, 1)) return false;
        return Global_Config_Bin_Anmelden() && Club_Config_Bin_Anmelden();
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

// A new game's world as the start screens build it, with the club data and
// the season bound: argument 0 reads every file (global.cfg, teams, players,
// competitions, schedule) and writes the cache, as a start without "-d"
// does; 1 loads the cache kept by "-d". Both make the first season's
// fixtures and set every club up.
void BM_Weltaufbau(benchmark::State& state) {
    const bool behalten = state.range(0) != 0;
    if (!Welt_Bereit()) {
        state.SkipWithError("no world");
        return;
    }
    VerdrahtungOptionen v;
    v.nur = {"Netz", "Club", "Saison"};
    Kalender_Hooks() = KalenderHooks{};
    if (!Spiel_Verdrahten(v)) {
        state.SkipWithError("wiring failed");
        return;
    }
    Core_Hooks().meldung = [](const char*) {};
    Rnd_Init();
    Spielstart_Cache_Behalten(false);
    if (!Spielstart_Welt_Aufbauen()) state.SkipWithError("world not built");
    Spielstart_Cache_Behalten(behalten);
    for (auto _ : state) {
        if (!Spielstart_Welt_Aufbauen()) state.SkipWithError("world not built");
    }
    state.counters["spieler"] = Spieler_Anzahl();
    state.counters["teams"] = Team_Anzahl();
    Spielstart_Cache_Behalten(false);
    Spiel_Entdrahten();
}
BENCHMARK(BM_Weltaufbau)->ArgName("behalten")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
