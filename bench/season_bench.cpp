// Speed of fixture generation and of the tables of the full world
// (8 countries, 3 levels of 18 clubs, cups, the continental cup).
#include <benchmark/benchmark.h>

#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"
#include "tests/season/laender.h"

namespace velmora {
namespace {

std::vector<WettbewerbBeschreibung> Welt() {
    Rnd_Init();
    return Wettbewerb_Welt_Beschreiben(test::Laender_Bauen(8, 3, 18));
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
    {
        const int32_t heim = Rnd(0, 4);
        Spiele_Set_Ergebnis(Spiele_Handle(nr), heim, Rnd(0, 3), SPIEL_ERGEBNIS_GESPIELT);
    }
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
