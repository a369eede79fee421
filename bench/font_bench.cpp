// A full screen of text per frame: 40 lines of marked-up table rows on an
// 800 x 600 screen, plain and shadowed (the cached path), and a wrapped box.
#include <benchmark/benchmark.h>

#include <string>

#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "tests/gfx/grafik_lader.h"

namespace velmora {
namespace {

struct Schirm {
    test::GrafikLader lader;
    Rastport* rp = Rastport_Create(800, 600, 16, 0, 0);
    int32_t slot = -1;
    Schirm() {
        slot = Res_Open(VELMORA_FONTRES, 0);
        Font_Load_Set(slot, 0, FONT_SET_ANZAHL);
        Rastport_Fill(rp, 0, 0, -1, -1, 0x2104, nullptr);
    }
    ~Schirm() {
        Font_Free_Set();
        Res_Close(slot);
        Rastport_Free(rp);
    }
};

void BM_Screen_Of_Table_Rows(benchmark::State& state) {
    Schirm s;
    Font* f = Font_Get(9);
    if (!f) return state.SkipWithError("fontres.res missing");
    for (auto _ : state) {
        for (int32_t z = 0; z < 40; ++z)
            Text_Printf(s.rp, f, "^c%05d^tr0030%d.^tl0040Borussia Nordhafen %d^tz0400%d:%d^tr0780%d", 10, 14 + 14 * z,
                        65535, z + 1, z, 40 - z, z, 60 - z);
    }
    state.SetItemsProcessed(state.iterations() * 40);
}

void BM_Screen_Of_Shadowed_Captions(benchmark::State& state) {
    Schirm s;
    Font* f = Font_Get(14);
    if (!f) return state.SkipWithError("fontres.res missing");
    Schatten_Cache_Leeren();
    for (auto _ : state) {
        for (int32_t z = 0; z < 30; ++z) Text_Schatten_Print(s.rp, f, "Mannschaft %d", 10 + 400 * (z % 2), 20 + 38 * (z / 2), z);
    }
    Schatten_Cache_Leeren();
    state.SetItemsProcessed(state.iterations() * 30);
}

void BM_Wrapped_Box(benchmark::State& state) {
    Schirm s;
    Font* f = Font_Get(1);
    if (!f) return state.SkipWithError("fontres.res missing");
    std::string text;
    for (int i = 0; i < 12; ++i) text += "Der Vorstand hat die Vertragsverl\xE4ngerung mit dem Cheftrainer bekannt gegeben. ";
    for (auto _ : state)
        Textsatz_Box(s.rp, f, text.c_str(), 20, 780, 20, 580, 65535, TEXTSATZ_BLOCKSATZ | TEXTSATZ_TRENNEN, -1);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Screen_Of_Table_Rows);
BENCHMARK(BM_Screen_Of_Shadowed_Captions);
BENCHMARK(BM_Wrapped_Box);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
