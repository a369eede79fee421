// app/main/velmora.cpp - the program's entry point, beside the composition root:
// the root wires the game, the shell runs it.
//
// With a display the game opens its window. Where none is set (nor DISPLAY
// nor WAYLAND_DISPLAY, or SDL's offscreen or dummy driver), or in a build made
// without a window, it runs headless on a virtual clock, unless "-w" asked for
// a window: then it ends with status 1. A display that is set but does not
// open (or an SDL2 library missing at run time) is a failed start: the game
// says why and ends with status 1 instead of playing headless behind the
// user's back.
// The calendar drives every frame. In a window the game begins on the start
// screen. Headless, the main job starts a new game of the demo world with one
// human manager on the first league's first club (level 2, his days end at
// once), plays a number of days with the game's match day, prints a short
// summary and ends the program the orderly way.
//
// Every start-up failure ends the program with one line on stderr naming what
// failed, and a non-zero status: 1 the game could not start or stopped on an
// error, 2 bad usage, 6 the headless game played, but a save failed (each
// failure was reported when it happened), as velmora-sim ends.
#include <cstdio>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "core/dirs.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "platform/display.h"
#include "platform/files.h"
#include "shell/app.h"
#include "shell/resourcen.h"

using namespace velmora;

namespace {

constexpr int32_t HEADLESS_TAGE = 60;          // days the headless main job plays
constexpr uint32_t HEADLESS_BILDER = 100000;   // a bound on its frames

constexpr int ENDE_FEHLER = 1;
constexpr int ENDE_BENUTZUNG = 2;
constexpr int ENDE_SPEICHERN = 6;

}  // namespace

int main(int argc, char** argv) {
    // A write past the file-size limit, such as the demo pictures copied into
    // a new user directory, is told like any other failed write.
    Plat_Dateigrenze_Ignorieren();
    AppStart start;
    std::string fehler;
    switch (App_Schalter_Lesen(argc, argv, start.schalter, &fehler)) {
        case AppAufruf::HILFE: std::fputs(App_Hilfe_Text("velmora").c_str(), stdout); return 0;
        case AppAufruf::VERSION: std::printf("velmora %s (start screen %s)\n", App_Version(), APP_ANZEIGE_VERSION); return 0;
        case AppAufruf::FEHLER: std::fprintf(stderr, "%s\n", Plat_Terminal_Text(fehler).c_str()); return ENDE_BENUTZUNG;
        case AppAufruf::STARTEN: break;
    }

    start.headless = !Plat_Display_Vorhanden();
    if (start.headless && !start.schalter.fenster && !Plat_Fenster_Gebaut() && Plat_Display_Gesetzt())
        Plat_Stderr_Zeile("built without a window (VELMORA_HEADLESS, no SDL2): playing headless although a display is set");
    if (start.headless && start.schalter.fenster) {
        Plat_Stderr_Zeile(("no display could be opened for the window (-w): " + Plat_Display_Grund()).c_str());
        return ENDE_FEHLER;
    }
    if (start.headless && Plat_Fenster_Gebaut() && Plat_Display_Gesetzt()) {
        Plat_Stderr_Zeile(("the window could not open: " + Plat_Display_Grund()).c_str());
        return ENDE_FEHLER;
    }
    // The directories are checked before anything starts, so a failure is the
    // first line the user reads and names the directory.
    Dirs_Setze_Registry2(start.schalter.registry2);
    Dirs_Setze_Installation(start.schalter.datadir.c_str());
    // Where a display exists, the same text is shown in the "ERROR:" box,
    // with the game's words that the program ends.
    if (!Dirs_Init()) {
        Plat_Startfehler(App_Verzeichnis_Fehler(Dirs_Fehler()).c_str());
        return ENDE_FEHLER;
    }
    // So are the resource files: a directory that is not an installation is
    // named with the file it lacks.
    if (const std::string f = Resourcen_Fehler(); !f.empty()) {
        Plat_Startfehler(App_Resourcen_Fehler(f).c_str());
        return ENDE_FEHLER;
    }

    VerdrahtungOptionen o;
    o.betrieb = start.headless ? Betrieb::HEADLESS : Betrieb::FENSTER;
    if (start.headless) {
        start.max_durchlaeufe = HEADLESS_BILDER;
        o.sim.tage = HEADLESS_TAGE;
        o.sim.menschen = 1;   // the first league's first club, whose days end at once
    }
    // A world that cannot be read (a broken or missing configuration file) is
    // a failed start as well.
    if (!Spiel_Verdrahten(o, &fehler)) {
        Plat_Startfehler(fehler.c_str());
        return ENDE_FEHLER;
    }
    int32_t ok = App_Main(start);
    const SimZustand lauf = Sim();
    Spiel_Entdrahten();
    if (start.headless && lauf.fehler) {
        Plat_Stderr_Zeile(lauf.fehler_text.c_str());
        return ENDE_FEHLER;
    }
    // A module that ended the game on a fatal error has said why; the run did not succeed.
    if (start.headless && ok && !lauf.fertig) {
        Plat_Stderr_Zeile(Str_Format("the game ended on day %d before its %d days were played", lauf.gespielte_tage,
                                     HEADLESS_TAGE));
        return ENDE_FEHLER;
    }
    if (start.headless && ok)
        std::printf("Velmora ran headless: %d days played, %u frames shown.\n", lauf.gespielte_tage,
                    Plat_Headless_Bilder());
    // A failed save was told when it happened; the run still did not keep what it played.
    if (start.headless && ok && Spielstand_Fehlgeschlagen() > 0) {
        Plat_Stderr_Zeile(Str_Format("%d saves failed", Spielstand_Fehlgeschlagen()));
        return ENDE_SPEICHERN;
    }
    return ok ? 0 : ENDE_FEHLER;
}
