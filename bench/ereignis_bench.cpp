// How fast the event catalogue works: reading the demo world's ereignis.cfg,
// random picks over a catalogue of 1000 events, formatting an event text.
#include <benchmark/benchmark.h>

#include <string>

#include "business/ereignis.h"
#include "core/config.h"
#include "core/hooks.h"
#include "core/rnd.h"
#include "core/text_format.h"

namespace velmora {
namespace {

std::string Katalog(int32_t anzahl) {
    std::string o;
    for (int32_t i = 0; i < anzahl; ++i) {
        Config_Schreibe_Befehl(o, "NEUES_EREIGNIS");
        Config_Schreibe_String(o, "TEXT", "Der Verein %s erhaelt %s von einem Sponsor.");
        Config_Schreibe_String(o, "KATEGORIE", EREIGNIS_KATEGORIE_NAMEN[i % EREIGNIS_KATEGORIEN]);
        Config_Schreibe_Wert(o, "WERT1", 1000 * i);
        Config_Schreibe_Wert(o, "SOUND", i % 20);
    }
    return o;
}

void BM_Ereignis_Lesen(benchmark::State& state) {
    std::string text = Katalog(int32_t(state.range(0)));
    for (auto _ : state) {
        Ereignis_Lesen_Text(text.c_str(), uint32_t(text.size()), "ereignis.cfg");
        benchmark::DoNotOptimize(Ereignis_Anzahl());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    Ereignis_Exit();
}
BENCHMARK(BM_Ereignis_Lesen)->Arg(40)->Arg(1000);

void BM_Ereignis_Zufall(benchmark::State& state) {
    Rnd_Init();
    std::string text = Katalog(1000);
    Ereignis_Lesen_Text(text.c_str(), uint32_t(text.size()), "ereignis.cfg");
    int32_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ereignis_Zufall(k));
        k = (k + 1) % EREIGNIS_KATEGORIEN;
    }
    Ereignis_Exit();
}
BENCHMARK(BM_Ereignis_Zufall);

void BM_Text_Format(benchmark::State& state) {
    const TextArg args[] = {TextArg("FC Velmora"), TextArg("120.000 EUR")};
    for (auto _ : state)
        benchmark::DoNotOptimize(Text_Format("Der Verein %s erhaelt %s von einem Sponsor.", args, 2));
}
BENCHMARK(BM_Text_Format);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
