// tests/gfx/tga_bauen.h - TGA files written by hand: the picture tests and
// the seeds of the TGA fuzz target (the game itself writes no TGA).
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::test {

struct Tga {
    uint8_t typ = 2, bits = 24, beschreibung = 0, id_laenge = 0;
    int16_t breite = 0, hoehe = 0;
    std::vector<uint8_t> palette;   // entries of three bytes, blue, green, red
    std::vector<uint8_t> pixel;     // as stored

    std::vector<uint8_t> Bytes() const {
        const uint16_t eintraege = uint16_t(palette.size() / 3);
        const uint8_t kopf[18] = {id_laenge, uint8_t(palette.empty() ? 0 : 1), typ, 0, 0, uint8_t(eintraege),
                                  uint8_t(eintraege >> 8), uint8_t(palette.empty() ? 0 : 24), 0, 0, 0, 0,
                                  uint8_t(breite), uint8_t(uint16_t(breite) >> 8), uint8_t(hoehe),
                                  uint8_t(uint16_t(hoehe) >> 8), bits, beschreibung};
        std::vector<uint8_t> d(18 + id_laenge + palette.size() + pixel.size(), uint8_t('x'));
        std::copy(kopf, kopf + 18, d.begin());
        std::copy(palette.begin(), palette.end(), d.begin() + 18 + id_laenge);
        std::copy(pixel.begin(), pixel.end(), d.begin() + long(18 + id_laenge + palette.size()));
        return d;
    }
};

// Run-length codes pixels of `bpp` bytes: runs of equal pixels as repeat
// packets, everything else as literal packets.
inline std::vector<uint8_t> Rle(const std::vector<uint8_t>& roh, size_t bpp) {
    std::vector<uint8_t> aus;
    const size_t n = roh.size() / bpp;
    auto gleich = [&](size_t a, size_t b) { return std::equal(roh.begin() + long(a * bpp), roh.begin() + long((a + 1) * bpp), roh.begin() + long(b * bpp)); };
    size_t i = 0;
    while (i < n) {
        size_t lauf = 1;
        while (i + lauf < n && lauf < 128 && gleich(i, i + lauf)) ++lauf;
        if (lauf > 1) {
            aus.push_back(uint8_t(0x80 | (lauf - 1)));
            aus.insert(aus.end(), roh.begin() + long(i * bpp), roh.begin() + long((i + 1) * bpp));
            i += lauf;
            continue;
        }
        size_t lit = 1;
        while (i + lit < n && lit < 128 && !(i + lit + 1 < n && gleich(i + lit, i + lit + 1))) ++lit;
        aus.push_back(uint8_t(lit - 1));
        aus.insert(aus.end(), roh.begin() + long(i * bpp), roh.begin() + long((i + lit) * bpp));
        i += lit;
    }
    return aus;
}

}  // namespace velmora::test
