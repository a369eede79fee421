// bench/spielansicht_bench.cpp - the match views: one frame of one and of four
// views over live matches of a small generated world (world picture window,
// up to 53 figures sorted and drawn, names, the bar), ms per frame.
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
#include "matchview/spielansicht.h"
#include "season/wettbewerb.h"
#include "tests/match/spieltag_welt.h"

namespace {

using namespace velmora;

struct Welt {
    std::vector<Spielfeld_Satz*> saetze;
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600, 0);
    bool ok = false;
};

int32_t g_slots[3] = {-1, -1, -1};

Welt& Die_Welt() {
    static Welt w = [] {
        Welt x;
        const std::string install = test::Leere_Installation("velmora_spielansicht_bench");
        if (!test::Spieltag_Welt_Bauen(install, true, 7)) return x;
        Spielfeld_Hooks().wettbewerb_schalter = [](int32_t w, int32_t s) { return s == 5 ? 1 : Wettbewerb_Get_Schalter(w, s); };
        if (!Spieltag_Start()) return x;
        for (int32_t f = 0; f < 400; ++f) Spieltag_Frame();
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s))
            if (s->live == 1) x.saetze.push_back(s);
        const std::string res = VELMORA_INSTALL_RESFILE;
        const char* namen[3] = {"stadion_gfx.res", "rasen_hg.res", "stadion_menue.res"};
        for (int32_t i = 0; i < 3; ++i) g_slots[i] = Res_Open((res + "/" + namen[i]).c_str(), 0);
        Res_Loader_Hooks().bitmap = Grafik_Bitmap_Laden;
        Res_Loader_Hooks().font = [](const uint8_t* d, size_t n, int32_t t) -> void* { return Font_Res_Laden(d, n, t); };
        Bild_Hooks().res_slot = [](int32_t i) { return i == 12 ? g_slots[0] : i == 13 ? g_slots[1] : i == 19 ? g_slots[2] : -1; };
        Font_Load_Set(Res_Open((res + "/fontres.res").c_str(), 0), 0, FONT_SET_ANZAHL);
        Rastport_Screen_Setup(800, 600, x.schirm.data());
        x.ok = x.saetze.size() >= 4 && MatchView_Init();
        return x;
    }();
    return w;
}

void BM_Spielansicht(benchmark::State& state) {
    Welt& w = Die_Welt();
    if (!w.ok) {
        state.SkipWithError("world or art missing");
        return;
    }
    const int32_t n = int32_t(state.range(0));
    Spielfeld_Ansicht_Einstellung anzeige{};
    anzeige.frame_intervall = 45;
    MatchView_Frame(w.saetze.data(), n, anzeige, false);
    MatchView_Frame(w.saetze.data(), n, anzeige, false);
    for (auto _ : state) benchmark::DoNotOptimize(MatchView_Frame(w.saetze.data(), n, anzeige, false));
    int32_t figuren = 0;
    for (int32_t i = 0; i < n; ++i)
        for (const Figur& f : w.saetze[size_t(i)]->figur) figuren += f.gezeichnet ? 1 : 0;
    state.counters["figuren"] = figuren;
}
BENCHMARK(BM_Spielansicht)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
