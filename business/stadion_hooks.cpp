// business/stadion_hooks.cpp
#include "business/stadion_hooks.h"

#include "core/debug.h"

namespace velmora {
namespace {
StadionHooks g_hooks;
bool g_gemeldet = false;
}  // namespace

StadionHooks& Stadion_Hooks() { return g_hooks; }

void Stadion_Hook_News(int32_t team, int32_t absender, uint32_t flags, const char* text) {
    if (g_hooks.news) {
        g_hooks.news(team, absender, flags, text);
        return;
    }
    if (g_gemeldet) return;
    g_gemeldet = true;
    Debug_Printf("Stadion_Hooks: News_Add nicht angebunden\n");
}

}  // namespace velmora
