// Speed of fixture generation and of the tables of the full world
// (8 countries, 3 levels of 18 clubs, cups, the continental cup).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"

namespace velmora {
namespace {

std::vector<WettbewerbBeschreibung> Welt() {
    constexpr int32_t LAENDER = 8, STUFEN = 3, JE_LIGA = 18;
    Rnd_Init();
    Spieler_Init(0);
    Team_Init(1 + LAENDER + LAENDER * STUFEN * JE_LIGA);
    std::vector<WettbewerbLand> laender;
    int32_t t = 1 + LAENDER;
    for (int32_t l = 0; l < LAENDER; ++l) {
        WettbewerbLand land;
        land.land = 1 + l;
        land.name = "Land" + std::to_string(l);
        for (int32_t s = 0; s < STUFEN; ++s) {
            land.ligen.emplace_back();
            for (int32_t c = 0; c < JE_LIGA; ++c) land.ligen.back().push_back(t++);
        }
        laender.push_back(land);
    }
    return Wettbewerb_Welt_Beschreiben(laender);
}

void Ende() {
    Saison_Free();
    Tabelle_Free();
    Wettbewerb_Free();
    Spiele_Free();
    Team_Free(0);
    Spieler_Free();
}

// Every competition's fixtures for a season.
void BM_SpielplanVolleWelt(benchmark::State& state) {
    std::vector<WettbewerbBeschreibung> w = Welt();
    Spiele_Init();
    Wettbewerb_Init(w);
    for (auto _ : state) {
        Wettbewerb_Saison_Start();
        benchmark::DoNotOptimize(Spiele_Anzahl());
    }
    Ende();
}
BENCHMARK(BM_SpielplanVolleWelt)->Unit(benchmark::kMillisecond);

// Every league and group table of the full world after a played season.
void BM_TabellenVolleWelt(benchmark::State& state) {
    std::vector<WettbewerbBeschreibung> w = Welt();
    Spiele_Init();
    Wettbewerb_Init(w);
    Wettbewerb_Saison_Start();
    for (int32_t nr = 0; nr < Spiele_Anzahl(); ++nr)
        Spiele_Set_Ergebnis(Spiele_Handle(nr), Rnd(0, 4), Rnd(0, 3), SPIEL_ERGEBNIS_GESPIELT);
    std::vector<int32_t> ligen;
    for (int32_t id : Wettbewerb_Alle())
        if (Wettbewerb_Ist_Liga(id)) ligen.push_back(id);
    TabellenPuffer p;
    for (auto _ : state) {
        int32_t summe = 0;
        for (int32_t id : ligen) summe += Wettbewerb_Tabelle_Vorbereiten(id, &p);
        benchmark::DoNotOptimize(summe);
    }
    state.counters["tabellen"] = double(ligen.size());
    Ende();
}
BENCHMARK(BM_TabellenVolleWelt)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
