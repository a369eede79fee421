// bench/menue_bench.cpp - one Menue frame over a full screen of icons: the
// redraw of the background and every icon, then the mouse pass with its hit
// tests and hooked procedures.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/grafik_laden.h"
#include "gfx/rastport.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "tests/gfx/grafik_lader.h"

namespace {

using namespace velmora;

std::vector<uint8_t> Nalp(Rastport* rp) {
    std::vector<uint8_t> d(Rastport_File_Size(rp));
    Rastport_Write_Mem(rp, d.data(), d.size());
    Rastport_Free(rp);
    return d;
}

int32_t g_slot = -1;
int32_t g_maus_x = 400, g_maus_y = 300;

void Hook(void*, int32_t) {}
void Main(s_icon*, int32_t) {}

// Background 4000 and a 16 x 16 button 4001 in a resource file of /tmp.
bool Bilder_Anlegen() {
    static test::GrafikLader lader;   // the loaders for the whole run
    Rastport* hg = Rastport_Create(800, 600, 16, 0, 0);
    Rastport_Fill(hg, 0, 0, -1, -1, 0x18E3, nullptr);
    Rastport* knopf = Rastport_Create(16, 16, 16, 0, 0);
    Rastport_Fill(knopf, 0, 0, -1, -1, 0xC618, nullptr);
    Rastport_Fill(knopf, 0, 0, 3, 3, 0, nullptr);
    const std::string pfad = "/tmp/velmora_menue_bench.res";
    if (!Res_Schreiben(pfad.c_str(), {{14, Nalp(hg)}, {14, Nalp(knopf)}})) return false;
    g_slot = Res_Open(pfad.c_str(), 0);
    std::remove(pfad.c_str());
    return g_slot >= 0;
}

// `anzahl` icons spread over the screen and the priorities; every fourth keyed.
void Frame_Voller_Schirm(benchmark::State& state) {
    static std::vector<uint16_t> schirm(800 * 600);
    Rastport_Screen_Setup(800, 600, schirm.data());
    if (g_slot < 0 && !Bilder_Anlegen()) {
        state.SkipWithError("no pictures");
        return;
    }
    MenueHooks& h = Menue_Hooks();
    h.maus_x = [] { return g_maus_x; };
    h.maus_y = [] { return g_maus_y; };
    h.maus_klick = [] { return 0u; };
    h.resourcen_slot = [](int32_t i) { return i == 1 ? g_slot : -1; };
    Menue_Init_Tabellen();
    Menue_Set_Hintergrund(4000);
    const int32_t anzahl = int32_t(state.range(0));
    std::vector<s_icon> icons(static_cast<size_t>(anzahl));
    for (int32_t k = 0; k < anzahl; ++k) {
        s_icon& i = icons[size_t(k)];
        i.nummer = int16_t(k % ANZ_SCREEN_ICONS);
        i.bild = 4001;
        i.x = int16_t((k * 37) % 784);
        i.y = int16_t((k * 53) % 584);
        i.Pri = int8_t(k % MENUE_PRIORITAETEN);
        i.Status = k % 4 == 0 ? ICON_ST_KEY : 0;
        i.Main_P = Main;
        Menue_Screen_Icon_Hinzufuegen(&i);
    }
    Menue_Hook_Procedure(Hook, nullptr, 0, 100);
    for (auto _ : state) {
        g_maus_x = (g_maus_x + 7) % 800;
        Menue_Frame();
        benchmark::DoNotOptimize(schirm[0]);
    }
    state.SetItemsProcessed(state.iterations() * anzahl);
    Menue_Hooks_Leeren();
    Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
}
BENCHMARK(Frame_Voller_Schirm)->Arg(100)->Arg(1000)->Arg(4202)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
