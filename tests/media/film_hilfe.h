// tests/media/film_hilfe.h - films the tests build in memory: frame k (from 1)
// is one flat colour that names it, so a copied pixel tells which frame shows.
#pragma once
#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "core/mem.h"
#include "media/film.h"

namespace velmora::test {

inline uint16_t Bild_Farbe(int32_t k) { return uint16_t(0x0841 * k + 0x1000); }

// A film of n frames; the frames in `wiederholt` repeat the frame before.
inline std::vector<uint8_t> Film_Testbau(int32_t breite, int32_t hoehe, int32_t n, std::vector<uint8_t> ton = {},
                                         const std::set<int32_t>& wiederholt = {}, uint32_t bild_us = FILM_BILD_US_25) {
    FilmBau b;
    b.breite = breite;
    b.hoehe = hoehe;
    b.bild_us = bild_us;
    b.ton = std::move(ton);
    std::vector<uint16_t> px(size_t(breite) * size_t(hoehe));
    for (int32_t k = 1; k <= n; ++k) {
        if (wiederholt.count(k)) {
            b.bilder.emplace_back();
            continue;
        }
        std::fill(px.begin(), px.end(), Bild_Farbe(k));
        b.bilder.push_back(Film_Bild_Packen(px.data(), breite, hoehe));
    }
    return Film_Zusammensetzen(b);
}

// The film's bytes in a tracked block, as the memory kind of a video slot takes it.
inline uintptr_t Film_Block(const std::vector<uint8_t>& bytes) {
    void* block = Mem_Alloc(bytes.size(), "Testfilm");
    std::memcpy(block, bytes.data(), bytes.size());
    return reinterpret_cast<uintptr_t>(block);
}

}  // namespace velmora::test
