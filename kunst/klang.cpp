// kunst/klang.cpp - sine tones and noise for the asset tools.
#include "kunst/klang.h"

#include <algorithm>
#include <cmath>

namespace velmora::werkzeug {

std::vector<int16_t> synth(double sekunden, const std::vector<Ton>& toene, double rauschen, uint32_t saat) {
    const size_t n = size_t(sekunden * RATE);
    std::vector<double> s(n, 0.0);
    for (const Ton& t : toene) {
        const size_t a = size_t(t.start * RATE), e = std::min(n, size_t((t.start + t.dauer) * RATE));
        for (size_t i = a; i < e; ++i) {
            const double x = double(i - a) / RATE;
            const double huelle = std::min(1.0, x / 0.005) * std::exp(-3.0 * x / t.dauer);
            s[i] += t.pegel * huelle * std::sin(2 * PI * t.hz * x);
        }
    }
    uint32_t z = saat;
    for (size_t i = 0; i < n && rauschen > 0; ++i) {
        z = z * 1103515245u + 12345u;
        const double r = double((z >> 16) & 0x7FFF) / 16383.5 - 1.0;
        s[i] += rauschen * r * std::exp(-40.0 * double(i) / RATE);
    }
    std::vector<int16_t> out(n);
    for (size_t i = 0; i < n; ++i) out[i] = int16_t(std::lround(std::clamp(s[i], -1.0, 1.0) * 24000));
    return out;
}

}  // namespace velmora::werkzeug
