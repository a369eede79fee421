// club/club_wert.h - what the player and team accessors share: the table of a
// mode's limits and the operations applied to a value.
#pragma once
#include <cstdint>

namespace velmora {

enum : uint8_t {
    W_GUELTIG = 1,   // the mode has a value
    W_NUR_LESEN = 2,
    W_BITS = 4,      // a bit word: the bit operations apply
    W_SERVER = 8,    // held in the server data a client does not receive
};

struct WertGrenze {
    int32_t unten = 0;
    int32_t oben = 0;
    uint8_t flags = 0;
};

// One table of limits per accessor, indexed by mode.
template <int32_t N>
struct WertTabelle {
    WertGrenze g[N];
    constexpr void setze(int32_t modus, int32_t unten, int32_t oben, uint8_t flags = 0) {
        g[modus] = WertGrenze{unten, oben, uint8_t(flags | W_GUELTIG)};
    }
    // The mode's limits, null for a mode without a value.
    constexpr const WertGrenze* finde(int32_t modus) const {
        return modus >= 0 && modus < N && (g[modus].flags & W_GUELTIG) ? &g[modus] : nullptr;
    }
    bool grenzen(int32_t modus, int32_t* unten, int32_t* oben) const {
        const WertGrenze* gr = finde(modus);
        if (!gr) return false;
        if (unten) *unten = gr->unten;
        if (oben) *oben = gr->oben;
        return true;
    }
};

// The value as a percentage of the mode's range.
int32_t Wert_Prozent(int32_t wert, const WertGrenze& gr);
int32_t Wert_Klemmen(int64_t wert, const WertGrenze& gr);
// False, with "<wer>: Operation %d ungueltig", for an operation that is not a
// change of this mode (bit operations need a bit word).
bool Wert_Operation_Pruefen(const char* wer, int32_t op, int32_t modus, const WertGrenze& gr);
// The value after a checked change, clamped; a write outside the limits logs
// "<wer>: Wert nicht innerhalb der Grenzen, wert=%d,modus=%d".
int32_t Wert_Operation(const char* wer, int32_t op, int32_t modus, int32_t alt, int32_t wert, const WertGrenze& gr);
// A client's permitted change sent on to the server: (mode, number, value,
// operation). True with the server's value, clamped, in `ergebnis`.
bool Wert_Senden(const char* wer, int32_t anfrage, int32_t modus, int32_t nummer, int32_t wert, int32_t op,
                 const WertGrenze& gr, int32_t* ergebnis);

}  // namespace velmora
