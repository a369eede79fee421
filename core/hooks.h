// core/hooks.h - the calls core makes upwards, into subsystems built on top of it.
//
// Core never includes a higher subsystem's header. Each higher module fills its
// hooks when it starts; a hook nobody filled does the neutral thing and says so
// in the debug log.
#pragma once
#include <cstdint>

namespace velmora {

struct CoreHooks {
    // Message box for the active manager (the GUI's requester). Unfilled: stderr.
    void (*meldung)(const char* text) = nullptr;
    // The system's error box for fatal start-up errors. Unfilled: stderr.
    void (*win_error_box)(const char* text) = nullptr;
    // Shows `text` to the manager of `team` (-1: the manager whose turn it is);
    // false when that club has no human manager. Unfilled: stderr, true.
    bool (*message_an_manager)(int32_t kind, int32_t team, const char* text) = nullptr;
    // Options 40 to 43 live in the local manager's record (the club data fills these).
    int32_t (*manager_option_lesen)(int32_t nummer) = nullptr;
    void (*manager_option_schreiben)(int32_t nummer, int32_t wert) = nullptr;
    // Orderly network end: message 1029 to the server, connections closed (the network fills it).
    void (*netz_beenden)() = nullptr;
    // A yes/no requester for the local manager; `ja` runs when the first button is chosen.
    void (*requester)(const char* frage, const char* ja_text, const char* nein_text, void (*ja)()) = nullptr;
    // The size of the current drawing target, for the diagnostic panel (the graphics fill it).
    bool (*ziel_groesse)(int32_t* breite, int32_t* hoehe) = nullptr;
    void (*monitor_zeichnen)() = nullptr;
};

CoreHooks& Core_Hooks();

}  // namespace velmora
