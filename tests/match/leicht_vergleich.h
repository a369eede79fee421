// tests/match/leicht_vergleich.h - a match record as the dice see it: what a
// record set up for the dice only leaves out (the players' match values and
// the figures' places and orders) cleared, so a light record and a full one
// compare byte for byte.
#pragma once
#include <cstring>

#include "match/record/spielfeld_satz.h"

namespace velmora::test {

// Of the figures the keepers' marks stay: the set-up reads them.
inline Spielfeld_Satz Ohne_Werte_Und_Figuren(Spielfeld_Satz s) {
    for (Spieler_Matchsatz& sm : s.spieler) {
        std::memset(sm.werte, 0, sizeof sm.werte);
        std::memset(sm.talent_flag, 0, sizeof sm.talent_flag);
        sm.basis = 0;
        sm.fitness = 0;
    }
    for (Figur& f : s.figur) {
        const uint8_t torwart = f.torwart;
        std::memset(static_cast<void*>(&f), 0, sizeof f);
        f.torwart = torwart;
    }
    std::memset(s.ball_ziel, 0, sizeof s.ball_ziel);
    s.spielzeit_ms = 0;
    return s;
}

}  // namespace velmora::test
