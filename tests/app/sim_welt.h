// tests/app/sim_welt.h - a game bound by the composition root for a test, as
// velmora-sim binds it: two human managers on seed 9 of the world in the
// test's installation, no autosave, every message to the manager collected.
#pragma once
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "core/hooks.h"
#include "season/kalender.h"

namespace velmora_test {

// The messages the game showed since the binding.
inline std::vector<std::string>& Meldungen() {
    static std::vector<std::string> m;
    return m;
}

// Binds the game for `betrieb`; false with the reason in `fehler`.
inline bool Sim_Verdrahten(velmora::Betrieb betrieb, std::string* fehler) {
    velmora::VerdrahtungOptionen v;
    v.betrieb = betrieb;
    v.sim.seed = 9;
    v.sim.menschen = 2;
    v.sim.autosave = false;
    if (!velmora::Spiel_Verdrahten(v, fehler)) return false;
    Meldungen().clear();
    velmora::Core_Hooks().meldung = [](const char* text) { Meldungen().push_back(text); };
    return true;
}

// Ends the game and undoes the binding, the hooks the tests fill too.
inline void Sim_Entdrahten() {
    velmora::Sim_Beenden();
    velmora::Spiel_Entdrahten();
    velmora::Kalender_Hooks() = velmora::KalenderHooks{};
    velmora::Core_Hooks().meldung = nullptr;
}

}  // namespace velmora_test
