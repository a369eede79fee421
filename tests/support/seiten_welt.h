// tests/support/seiten_welt.h - the running game of the screen tests, played
// through every run mode: the announcement pages and their windows stop the
// menu's frame, so the script here runs at the start of every frame of the
// game (the calendar's mouse latch), waits for conditions as well as frames,
// and hands the first turn to the test for setting results up.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "match/day/spieltag.h"
#include "shell/maus.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {

// One step: wait until `bis` holds (at most `bilder` frames; without a
// condition exactly `bilder` frames), then keep the picture if asked and set
// the mouse. A step whose condition never holds fails the run.
struct SeitenSchritt {
    std::function<bool()> bis;
    int32_t bilder = 1;
    int32_t x = -100, y = -100;
    uint32_t knoepfe = 0;
    bool foto = false;
    const char* name = "";
};

class SeitenWelt : public ScreenWelt {
public:
    static inline std::vector<SeitenSchritt> plan;
    static inline size_t pos = 0;
    static inline int32_t gewartet = 0;
    static inline std::string fehler;
    static inline std::function<void(int32_t)> erster_zug;
    static inline bool zug_gesehen = false;

protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        plan.clear();
        pos = 0;
        gewartet = 0;
        fehler.clear();
        erster_zug = nullptr;
        zug_gesehen = false;
        // The menu's own script only waits; this one runs in every run mode.
        skript = {{1000000, -100, -100, 0, false}};
        Kalender_Hooks().maus_latch = Jedes_Bild;
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 60, [](int32_t team) {
            if (zug_gesehen) return;
            zug_gesehen = true;
            if (erster_zug) erster_zug(team);
        }, "Seiten");
    }
    // The match-day table lives on in the program (the wiring does not end
    // it): the next test's game starts with an empty one.
    void TearDown() override {
        if (Spieltag_Ist_Initialisiert()) Spieltag_Slots_Loeschen();
        ScreenWelt::TearDown();
    }

    // Plays the plan; "" when every step was reached.
    std::string Abspielen(int32_t durchlaeufe = 20000) {
        AppStart s;
        s.schalter.fenster = true;
        s.schalter.kein_intro = true;
        s.headless = true;
        s.max_durchlaeufe = durchlaeufe;
        const int32_t r = App_Main(s);
        if (!fehler.empty()) return fehler;
        if (pos < plan.size()) return "step " + std::to_string(pos) + " (" + plan[pos].name + ") not reached, App_Main " + std::to_string(r);
        return "";
    }

    // Waits `bilder` frames, moves to (x, y), presses there, releases.
    static void Klick(int32_t x, int32_t y, int32_t bilder = 2) {
        plan.push_back({nullptr, bilder, x, y, 0, false, "hin"});
        plan.push_back({nullptr, 2, x, y, 1, false, "druecken"});
        plan.push_back({nullptr, 2, x, y, 0, false, "loslassen"});
    }

private:
    static void Jedes_Bild() {
        Schritt_Machen();
        Maus_Tasten_Latch();
    }
    static void Schritt_Machen() {
        if (pos >= plan.size()) {
            Programm_Beenden_Anfordern();
            return;
        }
        SeitenSchritt& s = plan[pos];
        ++gewartet;
        const bool erfuellt = s.bis ? s.bis() : gewartet >= s.bilder;
        if (!erfuellt && gewartet < s.bilder) return;
        if (!erfuellt) {
            fehler = "condition of step " + std::to_string(pos) + " (" + s.name + ") never held";
            Programm_Beenden_Anfordern();
            return;
        }
        if (s.foto) fotos.push_back(Plat_Headless_Bild());
        Plat_Headless_Maus(s.x, s.y, s.knoepfe);
        gewartet = 0;
        ++pos;
    }
};

}  // namespace velmora::test
