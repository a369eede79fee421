// core/meldung.cpp - messages to the managers.
#include "core/meldung.h"

#include <cstdarg>
#include <cstdio>

#include "core/debug.h"
#include "core/hooks.h"
#include "core/str.h"

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
        std::fprintf(stderr, "%s\n", text);
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
    std::fprintf(stderr, "[Manager von Team %d] %s\n", team, text);
    return true;
}

void Win_Error_Box(const char* text) {
    if (Core_Hooks().win_error_box) {
        Core_Hooks().win_error_box(text ? text : "");
    } else {
        std::fprintf(stderr, "Fehler: %s\n", text ? text : "");
    }
}

}  // namespace velmora
