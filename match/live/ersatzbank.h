// match/live/ersatzbank.h - bench seats, substitutes and coaches.
//
// Two rows of eight seats beyond the touch line (y = -820); seat 7 of each row
// is the coach's place.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr int32_t BANK_PLAETZE = 8;
constexpr int32_t BANK_Y = -820;

// The x of a seat of side 0 or 1; 0 outside.
int32_t Bank_Platz_X(int32_t seite, int32_t platz);
// Gives player slot p the lowest seat no warming-up team-mate holds (seat 0 on
// a full bench); its position to the out values given. The seat, -1 for a bad slot.
int32_t Bank_Platz_Vergeben(Spielfeld_Satz* satz, int32_t p, int32_t* x, int32_t* y);
// A substitute: seated with `setzen`, else the warm-up rules.
void KI_Aufwaermen(Spielfeld_Satz* satz, int32_t p, int32_t setzen);
// A coach (figure 51 or 52): seated with `setzen`, else back to his place.
void KI_Trainer(Spielfeld_Satz* satz, int32_t figur, int32_t setzen);

}  // namespace velmora
