// bench/radar_bench.cpp - the match radar: one frame over a live match of a
// small generated world (background, crests, names, 22 dots with numbers, the
// ball, the duel's names), without and with the card of a player under the
// mouse; time per frame.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/dirs.h"
#include "core/reg.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/font.h"
#include "gfx/grafik_laden.h"
#include "gfx/rastport.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "matchview/radar.h"
#include "season/wettbewerb.h"
#include "tests/match/spieltag_welt.h"

namespace {

using namespace velmora;

int32_t g_menue = -1, g_wappen = -1;
std::vector<uint16_t> g_schirm(800 * 600, 0);

// The first live record some frames into the small world's first match day.
Spielfeld_Satz* Radar_Spiel() {
    static Spielfeld_Satz* satz = [] {
        const std::string install = test::Leere_Installation("velmora_radar_bench");
        Spielfeld_Satz* s = nullptr;
        if (!test::Spieltag_Welt_Bauen(install, true, 7)) return s;
        Spielfeld_Hooks().wettbewerb_schalter = [](int32_t w, int32_t k) { return k == 5 ? 1 : Wettbewerb_Get_Schalter(w, k); };
        if (!Spieltag_Start()) return s;
        for (int32_t f = 0; f < 400; ++f) Spieltag_Frame();
        for (s = Spielfeld_Naechster(nullptr); s && s->live != 1; s = Spielfeld_Naechster(s)) {
        }
        const std::string res = VELMORA_INSTALL_RESFILE;
        g_menue = Res_Open((res + "/menue_res.res").c_str(), 0);
        g_wappen = Res_Open((res + "/wappen.res").c_str(), 0);
        Res_Loader_Hooks().bitmap = Grafik_Bitmap_Laden;
        Res_Loader_Hooks().font = [](const uint8_t* d, size_t n, int32_t t) -> void* { return Font_Res_Laden(d, n, t); };
        Bild_Hooks().res_slot = [](int32_t i) { return i == RADAR_RES_DATEI ? g_menue : i == BILD_RES_WAPPEN ? g_wappen : -1; };
        Font_Load_Set(Res_Open((res + "/fontres.res").c_str(), 0), 0, FONT_SET_ANZAHL);
        Rastport_Screen_Setup(800, 600, g_schirm.data());
        return s;
    }();
    return satz;
}

void BM_Radar(benchmark::State& state) {
    Spielfeld_Satz* s = Radar_Spiel();
    if (!s || !Radar_Zeichnen(*s, Rastport_Screen(), -100, -100)) {
        state.SkipWithError("world or art missing");
        return;
    }
    // With the mouse over a player his ranges and card are drawn too.
    RadarPunkt maus{-100, -100};
    if (state.range(0)) {
        for (int32_t f = 0; f < SF_SPIELER; ++f)
            if (s->spieler[f].zustand & SM_AUF_PLATZ) {
                maus = Radar_Punkt(*s, s->figur[f].pos[0], s->figur[f].pos[1]);
                break;
            }
    }
    for (auto _ : state) benchmark::DoNotOptimize(Radar_Zeichnen(*s, Rastport_Screen(), maus.x, maus.y));
    state.SetLabel(state.range(0) ? "ms per frame, card shown" : "ms per frame");
}
BENCHMARK(BM_Radar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
