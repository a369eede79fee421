// business/stadion_hooks.h - what the stadium and the advertising need from
// the bank and the news, as function pointers those modules fill when they
// are connected. An unfilled hook does the neutral thing and says so in the
// debug log: no money moves (the transfer reports false), every balance reads
// 0 and no news is sent.
#pragma once
#include <cstdint>

#include "business/bank.h"   // the booking categories

namespace velmora {

struct StadionHooks {
    // Moves money from one team to another (-1 a party outside the league)
    // with a booking category; `erzwingen` books even past the balance.
    // False when nothing moved (refused, or an amount of 0).
    bool (*geld_ueberweisen)(int32_t von, int32_t an, float betrag, int32_t kategorie, bool erzwingen) = nullptr;
    // The club's balance.
    int32_t (*kontostand)(int32_t team) = nullptr;
    // A news item to the team's manager from `absender` (-1 nobody) with its flag word.
    void (*news)(int32_t team, int32_t absender, uint32_t flags, const char* text) = nullptr;
};

StadionHooks& Stadion_Hooks();

// The hooks read with their neutral answers.
bool Stadion_Hook_Geld(int32_t von, int32_t an, float betrag, int32_t kategorie, bool erzwingen);
int32_t Stadion_Hook_Kontostand(int32_t team);
void Stadion_Hook_News(int32_t team, int32_t absender, uint32_t flags, const char* text);

}  // namespace velmora
