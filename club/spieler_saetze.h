// club/spieler_saetze.h - the player records of one kind for a walk over many players.
#pragma once
#include <cstdint>
#include <type_traits>

#include "club/spieler.h"

namespace velmora {

// The records of one kind (SPZ_STRUKTUR or SPZ_FIX) of every player, taken
// once for a walk over many players: the records of players 0..n-1 lie in one
// array when Spieler_Zeiger gives them so at both ends. Called with p it gives
// player p's record as Spieler_Zeiger would (null for a player that does not exist).
// A const record kind reads (Spieler_Zeiger_Lesen); any other writes, and like
// a pointer of Spieler_Zeiger it is taken for one walk and not kept.
template <typename Satz>
class SpielerSaetze {
public:
    explicit SpielerSaetze(int32_t modus) : modus_(modus) {
        const int32_t n = Spieler_Anzahl();
        if (n <= 0) return;
        Satz* erster = Holen(modus, 0);
        if (erster && Holen(modus, n - 1) == erster + (n - 1)) {
            basis_ = erster;
            anzahl_ = n;
        }
    }
    Satz* operator()(int32_t p) const { return uint32_t(p) < uint32_t(anzahl_) ? basis_ + p : Holen(modus_, p); }

private:
    static Satz* Holen(int32_t modus, int32_t p) {
        if constexpr (std::is_const_v<Satz>) return static_cast<Satz*>(Spieler_Zeiger_Lesen(modus, p));
        else return static_cast<Satz*>(Spieler_Zeiger(modus, p));
    }

    int32_t modus_;
    Satz* basis_ = nullptr;
    int32_t anzahl_ = 0;
};

}  // namespace velmora
