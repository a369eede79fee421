// tests/support/screen_welt.h - a running game for the screen tests: the small
// generated world with one human manager in a temporary installation that
// holds the build's generated resource files, every module bound by the
// composition root as the windowed game binds them, the program run headless
// on the virtual clock, and a script of mouse input played frame by frame in
// the menu phase (and, for the start screens, while the game waits to begin).
// The shown 800 x 600 screen is compared with reviewed PNGs.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/stadion.h"
#include "business/training_screen.h"
#include "business/trainingslager.h"
#include "core/debug.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "screens/spielstart_screen.h"
#include "season/kalender.h"
#include "shell/app.h"
#include "tests/core/temp_verz.h"
#include "tests/support/png.h"

namespace velmora::test {

// One step of the script: after `bilder` frames of the menu phase, the mouse
// moves to (x, y) with these buttons held; `foto` keeps the screen shown last.
// A press counts on the icon under the mouse when it goes down there (one
// carried there while held counts nothing); then release. `taste` types a character (> 0) or presses
// a key (< 0: the negated key code) with the step; `aktion` runs first (a
// check of the state, or a call a mouse cannot make). With `bis` the step
// waits, one frame at a time, until it holds (what another process does, a
// connection's end): the state is waited for, never a number of frames or a
// time. An action whose ASSERT failed ends the script there.
struct Schritt {
    int32_t bilder = 1;
    int32_t x = -100, y = -100;
    uint32_t knoepfe = 0;
    bool foto = false;
    int32_t taste = 0;
    void (*aktion)() = nullptr;
    bool (*bis)() = nullptr;
};

// With `startscreens` set the game begins as in a window, on the start screen
// (the module "Start" instead of the runner), and the script plays there too.
// `menschen` sets the human managers (one by default).
class ScreenWelt : public ::testing::Test {
public:
    static inline std::vector<Schritt> skript;
    static inline size_t schritt = 0;
    static inline int32_t warten = 0;
    static inline std::vector<std::vector<uint16_t>> fotos;
    static inline bool abgebrochen = false;   // an action's ASSERT failed: the script ended there

protected:
    void SetUp() override {
        // Every screen a test opens is watched for an icon the framework had to
        // cut to its emergency size and for a sound the installation lacks.
        maengel.clear();
        Debug_Faenger_Setzen(Mangel_Merken);
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 6));
        // The installation's resource files as the build generated them.
        for (const auto& e : std::filesystem::directory_iterator(VELMORA_INSTALL_RESFILE))
            std::filesystem::create_symlink(e.path(), std::filesystem::path(dirs.install) / "resfile" / e.path().filename());
        skript.clear();
        schritt = 0;
        warten = 0;
        abgebrochen = false;
        fotos.clear();
        Kalender_Hooks() = KalenderHooks{};
        VerdrahtungOptionen v;
        v.nur = {"Core",        "Grafik",   "Netz",     "Club",  "Saison",   "Spielfeld", "Spieltag", "News", "Stadion",
                 "Bank",        "Scout",    "Verhandlung", "Training", "Ereignis", "Shell", "Bildschirm", "Seiten",
                 startscreens ? "Start" : "Lauf"};
        if (ansicht) v.nur.push_back("Ansicht");
        v.sim.seed = 6;
        v.sim.menschen = menschen;
        v.sim.menschen_ligen_verschieden = menschen_ligen_verschieden;
        v.sim.autosave = false;
        v.sim.zuege_beenden = false;   // the screen ends the turn
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 50, Skript_Bild, "Skript");
        if (startscreens) Kalender_Hooks().spielstart_frame = [] {
            const bool laeuft = Spielstart_Screen_Frame();
            if (!laeuft) Skript_Bild();
            return laeuft;
        };
    }
    void TearDown() override {
        Debug_Faenger_Setzen(nullptr);
        for (const std::string& m : maengel) ADD_FAILURE() << m;
        Spiel_Entdrahten();
        Kalender_Hooks() = KalenderHooks{};
        Core_Hooks().meldung = nullptr;
        Plat_Uhr_Virtuell(false);
        // The next game of this test program starts from the program's start.
        Quit_State_Setzen(0);
        Kalender_Zuruecksetzen();
        // Each test's game stands for a program of its own: what the program
        // keeps across its games starts anew.
        Trainingslager_Auswahl_Zuruecksetzen();
        Training_Screen_Auswahl_Zuruecksetzen();
        // The stadium records are the game's world, built at its start: the
        // next game (or the start screens' editor, which reads the places
        // from the club file when there are none) must not see these.
        Stadion_Free();
    }

    // Runs the program headless until the script is played (true when it was).
    bool Spielen(int32_t durchlaeufe = 5000) {
        AppStart s;
        s.schalter.fenster = true;
        s.schalter.kein_intro = true;
        s.headless = true;
        s.max_durchlaeufe = durchlaeufe;
        const int32_t r = App_Main(s);
        if (r != 1) std::fprintf(stderr, "App_Main %d, step %zu of %zu\n", r, schritt, skript.size());
        if (r != 1 || abgebrochen) return false;
        if (schritt != skript.size()) std::fprintf(stderr, "script at step %zu of %zu\n", schritt, skript.size());
        return schritt == skript.size();
    }

    static std::string Vergleichen(const std::string& name, size_t foto) {
        if (foto >= fotos.size()) return "no picture " + std::to_string(foto);
        return Png_Vergleichen(name, Rgb_Aus_565(fotos[foto].data(), 800, 600));
    }

    velmora_test::TestWelt dirs;
    bool startscreens = false;
    int32_t menschen = 1;   // human managers of the generated world
    bool menschen_ligen_verschieden = false;   // each in a league of its own
    bool ansicht = false;   // the live match views bound: a manager's match is watched

    static inline std::vector<std::string> maengel;   // what the watch above saw

private:
    static void Mangel_Merken(uint32_t, const char* text) {
        const std::string t = text ? text : "";
        if (t.find("ICON-INIT-FEHLER") != std::string::npos || t.find("Sample_Spielen: Sample") != std::string::npos)
            if (maengel.size() < 20) maengel.push_back(t);
    }
    // After the screen's frame: the next step of the script, the end after the last.
    static void Skript_Bild() {
        if (warten-- > 0) return;
        if (schritt >= skript.size() || abgebrochen) {
            Programm_Beenden_Anfordern();
            return;
        }
        if (skript[schritt].bis && !skript[schritt].bis()) return;
        const Schritt& s = skript[schritt++];
        if (s.aktion) s.aktion();
        if (::testing::Test::HasFatalFailure()) {
            std::fprintf(stderr, "the script ends at step %zu: a precondition failed\n", schritt - 1);
            abgebrochen = true;
            Programm_Beenden_Anfordern();
            return;
        }
        if (s.foto) fotos.push_back(Plat_Headless_Bild());
        Plat_Headless_Maus(s.x, s.y, s.knoepfe);
        if (s.taste) {
            Plat_Headless_Taste(VK_SHIFT, s.taste >= 'A' && s.taste <= 'Z');
            PlatEreignis e;
            e.art = s.taste > 0 ? PLAT_E_ZEICHEN : PLAT_E_TASTE;
            e.code = s.taste > 0 ? s.taste : -s.taste;
            Plat_Headless_Ereignis(e);
        }
        warten = s.bilder - 1;
    }
};

}  // namespace velmora::test
