// tests/support/rnd_vorgabe.h - random draws chosen by the test, so a
// formula with random terms can be checked against values worked out by hand.
// Rnd(lo, hi) gives lo + table value mod (hi - lo + 1); both helpers set the
// index to 0, so the first draw reads table entry 1.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/rnd.h"

namespace velmora::test {

// Every table entry holds `wert`: each draw of a range gives the same value,
// however many draws come before it.
inline void Rnd_Alle(uint32_t wert) {
    std::vector<uint8_t> z(RND_ZUSTAND_BYTES, 0);
    for (int32_t i = 0; i < RND_TABELLE; ++i)
        for (int32_t k = 0; k < 4; ++k) z[size_t(i) * 4 + size_t(k)] = uint8_t(wert >> (8 * k));
    ASSERT_TRUE(Rnd_Zustand_Lesen(z.data(), z.size()));
}

// The next draws read these raw values, all later ones the seeded table.
inline void Rnd_Vorgeben(std::initializer_list<uint32_t> roh) {
    Rnd_Init();
    std::vector<uint8_t> z(RND_ZUSTAND_BYTES);
    Rnd_Zustand_Schreiben(z.data());
    size_t i = 1;
    for (uint32_t v : roh) {
        for (int32_t k = 0; k < 4; ++k) z[i * 4 + size_t(k)] = uint8_t(v >> (8 * k));
        ++i;
    }
    ASSERT_TRUE(Rnd_Zustand_Lesen(z.data(), z.size()));
}

}  // namespace velmora::test
