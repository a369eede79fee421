// club/kader_hooks.h - what line-ups and transfers need from higher modules
// (the match's line geometry, the bank, the transfer factors and the news),
// as function pointers those modules fill when they start.
//
// An unfilled hook does the neutral thing and says so in the debug log: line
// values stay as they are, a transfer with a price is neither checked against
// a balance nor booked, the sale proceeds are 0 and no news is sent.
#pragma once
#include <cstdint>

namespace velmora {

// Booking categories of a transfer: what a club receives is its transfer
// income (a credit of 30), what it pays its transfer costs (a debit of 31).
constexpr int32_t BUCHUNG_TRANSFER_ERLOES = 30;
constexpr int32_t BUCHUNG_TRANSFER_KAUF = 31;

struct KaderHooks {
    // The eight formation line values of a player placed in a grid cell, for
    // his team's tactic `taktik` (the 7 bytes of Team_Get_Aktuelle_Taktik).
    void (*spielfeld_taktik_linie)(const int8_t taktik[7], int16_t out[8], int32_t spalte, int32_t reihe) = nullptr;
    // The club's balance.
    float (*bank_kontostand)(int32_t team) = nullptr;
    // Moves money from one team to another (-1 a party outside the league)
    // with a booking category; false when the bank refused the debit, which
    // it may only when it is not `zwingend`.
    bool (*bank_ueberweisung)(int32_t von, int32_t an, float betrag, int32_t kategorie, bool zwingend) = nullptr;
    // What a club receives for a player it hands over in a transfer.
    float (*verkaufserloes)(int32_t spieler) = nullptr;
    // News of a transfer to the human manager of `team`: the other club, the
    // player who came, the one who left (-1 none), what the club paid for the
    // one who came and what it was paid for the one who left.
    void (*transfer_news)(int32_t team, int32_t partner, int32_t kommt, int32_t geht, float bezahlt,
                          float erhalten) = nullptr;
};

KaderHooks& Kader_Hooks();

}  // namespace velmora
