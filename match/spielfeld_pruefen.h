// match/spielfeld_pruefen.h - the rules a live match record keeps in every
// frame. The simulator checks them frame by frame and stops at the first
// broken one; a break is a fault of the match, not of the rule.
#pragma once
#include <cstdint>

#include "match/spielfeld_satz.h"

namespace velmora {

constexpr uint32_t PRUEF_MAX_FRAMES = 50000;    // the final whistle comes before this
constexpr int32_t PRUEF_MAX_RUHE = 450;         // frames a ball may lie unmoved and unheld in open play

// What the checker remembers of a record between two frames.
struct Spielfeld_Pruefstand {
    uint32_t spiel = 0;              // the game the state belongs to (0: none yet)
    int32_t minute = -1;
    uint64_t vom_platz = 0;          // slots sent off (bit per slot)
    float ball[3] = {};
    int32_t ruhe = 0;                // frames the ball lay still and unheld in open play
};

// The first rule the record breaks, or null. `abschnitte` is the number of
// periods the competition plays (-1: not checked). `st` carries the state
// from the record's previous frame.
const char* Spielfeld_Pruefen(const Spielfeld_Satz* satz, int32_t abschnitte, Spielfeld_Pruefstand* st);

}  // namespace velmora
