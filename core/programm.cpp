// core/programm.cpp - the end of the program.
#include "core/programm.h"

#include "core/debug.h"
#include "core/hooks.h"

namespace velmora {
namespace {

struct ProgrammModul {
    int32_t quit_state = 0;
    // The quit question and its buttons, held here so the system menu can ask
    // before the screen texts are loaded.
    const char* frage = "Das Spiel wirklich beenden?";
    const char* ja = "Ja";
    const char* nein = "Nein";
};
ProgrammModul g;

}  // namespace

int32_t Quit_State() { return g.quit_state; }
void Quit_State_Setzen(int32_t zustand) { g.quit_state = zustand; }

void Programm_Beenden_Anfordern() { g.quit_state = 1; }

void Programm_Beenden() {
    if (Core_Hooks().netz_beenden) {
        Core_Hooks().netz_beenden();
    } else {
        Debug_Printf("Programm_Beenden: kein Netzwerk angemeldet\n");
    }
    if (g.quit_state == 0) g.quit_state = 1;
}

void Dialog_Zeigen() {
    if (!Core_Hooks().requester) {
        Debug_Printf("Dialog_Zeigen: keine Oberflaeche angemeldet\n");
        return;
    }
    Core_Hooks().requester(g.frage, g.ja, g.nein, &Programm_Beenden_Anfordern);
}

}  // namespace velmora
