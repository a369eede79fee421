// shell/main/velmora.cpp - the program's entry point: the composition root
// wires the game, the shell runs it.
//
// With a display (DISPLAY or WAYLAND_DISPLAY) the game opens its window; without
// one it runs headless on a virtual clock. The calendar drives every frame.
// Headless, the main job starts a new game of the demo world with every club
// computer-managed, plays a number of days with the game's match day, prints
// a short summary and ends the program the orderly way.
#include <cstdio>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "platform/display.h"
#include "shell/app.h"

using namespace velmora;

namespace {

constexpr int32_t HEADLESS_TAGE = 60;          // days the headless main job plays
constexpr uint32_t HEADLESS_BILDER = 100000;   // a bound on its frames

}  // namespace

int main(int argc, char** argv) {
    std::string kommandozeile;
    for (int i = 0; i < argc; ++i) kommandozeile += std::string(i ? " " : "") + argv[i];

    AppStart start;
    start.headless = !Plat_Display_Vorhanden();
    VerdrahtungOptionen o;
    o.betrieb = start.headless ? Betrieb::HEADLESS : Betrieb::FENSTER;
    if (start.headless) {
        start.max_durchlaeufe = HEADLESS_BILDER;
        o.sim.tage = HEADLESS_TAGE;
    }
    std::string fehler;
    if (!Spiel_Verdrahten(o, &fehler)) {
        std::fprintf(stderr, "velmora: %s\n", fehler.c_str());
        return 1;
    }
    int32_t ok = App_Main(kommandozeile.c_str(), start);
    Spiel_Entdrahten();
    if (start.headless && ok)
        std::printf("Velmora ran headless: %d days played, %u frames shown.\n", Sim().gespielte_tage,
                    Plat_Headless_Bilder());
    return ok ? 0 : 1;
}
