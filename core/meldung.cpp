// core/meldung.cpp - messages to the managers.
#include "core/meldung.h"

#include <cstdarg>
#include <string>

#include "core/debug.h"
#include "core/hooks.h"
#include "core/str.h"
#include "platform/display.h"

namespace velmora {

void Meldung(const char* format, ...) {
    char text[STR_TEMP_GROESSE];
    va_list args;
    va_start(args, format);
    Str_VFormat(text, sizeof text, format, args);
    va_end(args);
    if (Core_Hooks().meldung) {
        Core_Hooks().meldung(text);
    } else {
        Debug_Printf("Meldung: keine Oberflaeche, Ausgabe auf stderr\n");
        Plat_Stderr_Zeile(text);
    }
}

bool Message_An_Manager(int32_t art, int32_t team, const char* format, ...) {
    char text[STR_TEMP_GROESSE];
    va_list args;
    va_start(args, format);
    Str_VFormat(text, sizeof text, format, args);
    va_end(args);
    if (Core_Hooks().message_an_manager) return Core_Hooks().message_an_manager(art, team, text);
    Debug_Printf("Message_An_Manager: keine Oberflaeche, Ausgabe auf stderr\n");
    Plat_Stderr_Zeile(("[Manager von Team " + std::to_string(team) + "] " + text).c_str());
    return true;
}

void Win_Error_Box(const char* text) {
    if (Core_Hooks().win_error_box) {
        Core_Hooks().win_error_box(text ? text : "");
    } else {
        Plat_Stderr_Zeile((std::string("Fehler: ") + (text ? text : "")).c_str());
    }
}

}  // namespace velmora
