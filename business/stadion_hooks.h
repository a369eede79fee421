// business/stadion_hooks.h - what the advertising needs from the news, as a
// function pointer the root fills when the news are connected, the way the
// bank sends its news. Unfilled, no news is sent and the debug log says so
// once. The stadium's and the advertising's money moves through the bank
// directly, as its other neighbours' does.
#pragma once
#include <cstdint>

namespace velmora {

struct StadionHooks {
    // A news item to the team's manager from `absender` (-1 nobody) with its flag word.
    void (*news)(int32_t team, int32_t absender, uint32_t flags, const char* text) = nullptr;
};

StadionHooks& Stadion_Hooks();

// The hook read with its neutral answer.
void Stadion_Hook_News(int32_t team, int32_t absender, uint32_t flags, const char* text);

}  // namespace velmora
