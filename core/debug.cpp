// core/debug.cpp - the debug sink.
#include "core/debug.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/hooks.h"
#include "core/str.h"
#include "platform/display.h"

namespace velmora {
namespace {

std::atomic<DebugFaenger> g_faenger{nullptr};

bool ausgabe_an() {
    static const bool an = [] {
        const char* v = std::getenv("VELMORA_DEBUG");
        return v && *v && *v != '0';
    }();
    return an;
}

// Every message ends here as plain, already formatted text.
void senke(uint32_t level, const char* text) {
    if (DebugFaenger f = g_faenger.load()) f(level, text);
    if (ausgabe_an()) std::fputs(Plat_Terminal_Text(text).c_str(), stderr);   // Latin-1 inside, UTF-8 out
}

// An unread message costs nothing: it is formatted only when output is on
// or a catcher listens.
void formatiert(uint32_t level, const char* format, va_list args) {
    if (!g_faenger.load() && !ausgabe_an()) return;
    char text[1024];
    Str_VFormat(text, sizeof text, format, args);
    senke(level, text);
}

}  // namespace

void Debug_Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    formatiert(0, format, args);
    va_end(args);
}

void Debug_Ausgabe(uint32_t level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    formatiert(level, format, args);
    va_end(args);
}

void Debug_Faenger_Setzen(DebugFaenger faenger) { g_faenger.store(faenger); }

void Debug_Monitor() {
    CoreHooks& h = Core_Hooks();
    int32_t breite = 0, hoehe = 0;
    if (!h.ziel_groesse || !h.ziel_groesse(&breite, &hoehe)) return;
    if (breite == 1024 && hoehe == 768 && h.monitor_zeichnen) h.monitor_zeichnen();
}

}  // namespace velmora
