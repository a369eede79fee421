// Full-screen (800 x 600) blits per second: plain copy, keyed copy, alpha blit.
#include <benchmark/benchmark.h>

#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/pixel.h"
#include "core/mem.h"

namespace velmora {
namespace {

struct Schirm {
    Rastport* quelle;
    Rastport* ziel;
    Schirm() {
        quelle = Rastport_Create(800, 600, 16, 0, 0);
        ziel = Rastport_Create(800, 600, 16, 0, 0);
        uint16_t* p = Rastport_Pixels16(quelle);
        for (int i = 0; i < 800 * 600; ++i) p[i] = (i % 7 == 0) ? 0 : uint16_t(i * 2654435761u >> 16);
        Rastport_Fill(ziel, 0, 0, -1, -1, 0x4208, nullptr);
        quelle->alpha = static_cast<uint8_t*>(Mem_Alloc(800 * 600, "bench"));
        for (int i = 0; i < 800 * 600; ++i) quelle->alpha[i] = uint8_t(i);
    }
    ~Schirm() {
        Rastport_Free(quelle);
        Rastport_Free(ziel);
    }
};

void Lauf(benchmark::State& state, const BlitMode* mode) {
    Schirm s;
    for (auto _ : state) benchmark::DoNotOptimize(Rastport_Blit(s.quelle, 0, 0, -1, -1, s.ziel, 0, 0, mode));
    state.SetItemsProcessed(state.iterations());
}

void BM_Copy(benchmark::State& state) { Lauf(state, BlitMode_Default); }
void BM_Key(benchmark::State& state) { Lauf(state, BlitMode_Key); }
void BM_Alpha_Plane(benchmark::State& state) { Lauf(state, BlitMode_Plane); }
void BM_Alpha_Key_Plane(benchmark::State& state) { Lauf(state, BlitMode_Key_Plane); }

void BM_Alpha_Percent(benchmark::State& state) {
    Schirm s;
    uint8_t* eigene = s.quelle->alpha;
    s.quelle->alpha = nullptr;
    for (auto _ : state) Blit_Alpha(s.quelle, 0, 0, -1, -1, s.ziel, 0, 0, 50);
    s.quelle->alpha = eigene;
    state.SetItemsProcessed(state.iterations());
}

// The per-pixel keyed rule, to weigh the four-pixel word loop against.
void BM_Key_Per_Pixel(benchmark::State& state) {
    Schirm s;
    for (auto _ : state)
        Blit_Key16(Rastport_Pixels16(s.quelle), 0, 0, 800, 600, 800, Rastport_Pixels16(s.ziel), 0, 0, 800);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Copy);
BENCHMARK(BM_Key);
BENCHMARK(BM_Key_Per_Pixel);
BENCHMARK(BM_Alpha_Plane);
BENCHMARK(BM_Alpha_Key_Plane);
BENCHMARK(BM_Alpha_Percent);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
