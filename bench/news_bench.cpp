// How fast the news inbox works on a full index of 1500 items: adding,
// walking with a mask, the presentation's search and the save block.
#include <benchmark/benchmark.h>

#include <vector>

#include "business/news.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/dirs.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

struct Welt {
    velmora_test::TestWelt welt;
    Welt() {
        Team_Init(40);
        for (int32_t t = 2; t < 10; ++t) Manager_Neuer_Mitspieler(t, "Bench", -1);
    }
};

void Voll(Welt&) {
    News_Datei_Oeffnen();
    for (int32_t i = 0; i < NEWS_MAX; ++i)
        News_Add(-1, i % 4 == 0 ? -1 : 2 + i % 8, -1, i % 7 == 0 ? 1 : 4, nullptr, "Nachricht %d an die Manager", i);
}

void BM_News_Add(benchmark::State& state) {
    static Welt w;
    News_Datei_Oeffnen();
    int32_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(News_Add(-1, 2 + i % 8, -1, 4, nullptr, "Nachricht %d", i));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_News_Add);

void BM_News_Walk(benchmark::State& state) {
    static Welt w;
    Voll(w);
    for (auto _ : state) {
        int32_t n = 0;
        for (int32_t i = News_Erste(5, 1); i >= 0; i = News_Naechste()) ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * NEWS_MAX);
}
BENCHMARK(BM_News_Walk);

void BM_News_Suche_Anzeige(benchmark::State& state) {
    static Welt w;
    Voll(w);
    for (auto _ : state) benchmark::DoNotOptimize(News_Suche_Flags(11, 0x8006005, 0, 0x20000002));
    state.SetItemsProcessed(state.iterations() * NEWS_MAX);
}
BENCHMARK(BM_News_Suche_Anzeige);

void BM_News_Save_Load(benchmark::State& state) {
    static Welt w;
    Voll(w);
    std::vector<uint8_t> block;
    for (auto _ : state) {
        Optionen_News_Save(block);
        benchmark::DoNotOptimize(Optionen_News_Load(block.data(), block.size()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}
BENCHMARK(BM_News_Save_Load);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
