// Pictures per second: TGA and JPEG loading of a 160 x 120 photo, crest
// scaling, a cached crest frame, and composing a portrait.
#include <benchmark/benchmark.h>

#include <vector>

#include "bilder/portrait.h"
#include "core/mem.h"
#include "gfx/bild.h"
#include "gfx/bild_laden.h"
#include "gfx/rastport.h"
#include "kunst/bild_muster.h"

namespace velmora {
namespace {

constexpr int W = 160, H = 120;

std::vector<uint8_t> Tga_Datei(bool rle) {
    std::vector<uint8_t> d(18, 0);
    d[2] = rle ? 10 : 2;
    d[12] = W, d[14] = H, d[16] = 24;
    for (int i = 0; i < W * H; ++i) {
        const uint8_t px[3] = {uint8_t(i), uint8_t(i / W), 200};
        if (rle) d.push_back(0);   // every pixel a literal packet of one: the worst case
        d.insert(d.end(), px, px + 3);
    }
    return d;
}

void BM_Tga_24_Nach_16(benchmark::State& state) {
    const std::vector<uint8_t> d = Tga_Datei(state.range(0) != 0);
    std::vector<uint16_t> ziel(W * H);
    for (auto _ : state) benchmark::DoNotOptimize(Tga_Load_Mem(d.data(), d.size(), ziel.data(), 16, nullptr));
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_Tga_24_Nach_16)->Arg(0)->Arg(1);

void BM_Jpeg_Nach_16(benchmark::State& state) {
    std::vector<uint16_t> px(W * H);
    for (int i = 0; i < W * H; ++i) px[size_t(i)] = uint16_t(i * 2654435761u >> 16);
    uint32_t n = 0;
    uint8_t* jpg = Jpeg_Save_Mem(px.data(), W, H, 16, 85, 2, &n);
    std::vector<uint16_t> ziel(W * H);
    for (auto _ : state) benchmark::DoNotOptimize(Jpeg_Load_Mem(jpg, int32_t(n), ziel.data(), 16));
    state.SetItemsProcessed(state.iterations() * W * H);
    Mem_Free(jpg);
}
BENCHMARK(BM_Jpeg_Nach_16);

void BM_Wappen_Skalieren(benchmark::State& state) {
    Rastport* quelle = Muster_Wappen(7);
    const int32_t g = int32_t(state.range(0));
    Rastport* ziel = Rastport_Create(g, g, 16, 0, 0);
    for (auto _ : state) benchmark::DoNotOptimize(Bild_Skalieren(quelle, ziel));
    Rastport_Free(ziel);
    Rastport_Free(quelle);
}
BENCHMARK(BM_Wappen_Skalieren)->Arg(20)->Arg(40)->Arg(65);

void BM_Punkt_Skalieren(benchmark::State& state) {
    Rastport* quelle = Muster_Wappen(7);
    Rastport* ziel = Rastport_Create(170, 200, 16, 0, 0);
    for (auto _ : state) benchmark::DoNotOptimize(Bild_Skalieren_Punkt(quelle, ziel, 170, 200));
    Rastport_Free(ziel);
    Rastport_Free(quelle);
}
BENCHMARK(BM_Punkt_Skalieren);

void BM_Muster_Portrait_Teile(benchmark::State& state) {
    for (auto _ : state) {
        Rastport* rp = Muster_Portrait_Teil(int32_t(state.iterations() % PORTRAIT_TEILE));
        benchmark::DoNotOptimize(rp);
        Rastport_Free(rp);
    }
}
BENCHMARK(BM_Muster_Portrait_Teile);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
