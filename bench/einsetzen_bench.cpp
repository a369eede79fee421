// bench/einsetzen_bench.cpp - one menu frame of the line-up list screen (20
// rows with stars, talents and fitness, 11 shirt markers on the pitch, the
// window and its buttons) beside one frame of the menu with an empty work
// area, in a running game of the small generated world with the build's
// resource files and fonts, headless.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "screens/einsetzen1.h"
#include "season/kalender.h"
#include "shell/app.h"
#include "tests/core/temp_verz.h"

namespace {

using namespace velmora;

benchmark::State* g_state = nullptr;
bool g_liste = false, g_gemessen = false;

// At the first menu frame of the first turn: the screen, then the measured frames.
void Messen() {
    if (g_gemessen) return;
    g_gemessen = true;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    if (g_liste) E1_Screen_Oeffnen();
    if (g_liste && E1_Screen_Stand().zeilen != 20) g_state->SkipWithError("the list shows no full squad");
    int32_t x = 300;
    for (auto _ : *g_state) {
        x = x == 300 ? 310 : 300;   // the pointer moves over the rows: hover and help as a user sees them
        Plat_Headless_Maus(x, 250, 0);
        Menue_Frame();
    }
    Programm_Beenden_Anfordern();
}

void Frame(benchmark::State& state, bool liste) {
    velmora_test::TestWelt dirs;
    if (!dirs.ok || !Sim_Welt_Erzeugen(dirs.install, true, 6)) {
        state.SkipWithError("no world");
        return;
    }
    for (const auto& e : std::filesystem::directory_iterator(VELMORA_INSTALL_RESFILE))
        std::filesystem::create_symlink(e.path(), std::filesystem::path(dirs.install) / "resfile" / e.path().filename());
    Kalender_Hooks() = KalenderHooks{};
    VerdrahtungOptionen v;
    v.nur = {"Core", "Grafik", "Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank", "Scout",
             "Verhandlung", "Training", "Ereignis", "Shell", "Bildschirm", "Seiten", "Lauf"};
    v.sim.seed = 6;
    v.sim.menschen = 1;
    v.sim.autosave = false;
    v.sim.zuege_beenden = false;
    std::string fehler;
    if (!Spiel_Verdrahten(v, &fehler)) {
        state.SkipWithError(fehler.c_str());
        return;
    }
    g_state = &state;
    g_liste = liste;
    g_gemessen = false;
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 50, Messen, "Bench");
    AppStart s;
    s.schalter.fenster = true;
    s.schalter.kein_intro = true;
    s.headless = true;
    s.max_durchlaeufe = 5000;
    App_Main(s);
    if (!g_gemessen) state.SkipWithError("no menu frame reached");
    Spiel_Entdrahten();
    Kalender_Hooks() = KalenderHooks{};
    Core_Hooks().meldung = nullptr;
    Plat_Uhr_Virtuell(false);
    Quit_State_Setzen(0);
    Kalender_Zuruecksetzen();
}

void BM_Menue_Leer(benchmark::State& state) { Frame(state, false); }
void BM_Einsetzen_Liste(benchmark::State& state) { Frame(state, true); }
BENCHMARK(BM_Menue_Leer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Einsetzen_Liste)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
