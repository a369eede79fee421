// business/stadion_hooks.cpp
#include "business/stadion_hooks.h"

#include "core/debug.h"

namespace velmora {
namespace {
StadionHooks g_hooks;
bool g_gemeldet[3] = {};

void Fehlt(int32_t n, const char* was) {
    if (g_gemeldet[n]) return;
    g_gemeldet[n] = true;
    Debug_Printf("Stadion_Hooks: %s nicht angebunden\n", was);
}
}  // namespace

StadionHooks& Stadion_Hooks() { return g_hooks; }

bool Stadion_Hook_Geld(int32_t von, int32_t an, float betrag, int32_t kategorie, bool erzwingen) {
    if (g_hooks.geld_ueberweisen) return g_hooks.geld_ueberweisen(von, an, betrag, kategorie, erzwingen);
    Fehlt(0, "Bank_Ueberweisung");
    return false;
}

int32_t Stadion_Hook_Kontostand(int32_t team) {
    if (g_hooks.kontostand) return g_hooks.kontostand(team);
    Fehlt(1, "Bank_Kontostand");
    return 0;
}

void Stadion_Hook_News(int32_t team, int32_t absender, uint32_t flags, const char* text) {
    if (g_hooks.news) {
        g_hooks.news(team, absender, flags, text);
        return;
    }
    Fehlt(2, "News_Add");
}

}  // namespace velmora
