// kunst/stadion_klang.cpp - the match sounds, made from sines, filtered noise
// and detuned voices.
#include "kunst/stadion_klang.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "kunst/klang.h"

namespace velmora::werkzeug::stadion {

using Puffer = std::vector<double>;

inline size_t N(double s) { return size_t(s * RATE); }

// A small fixed noise source.
struct Rauschen {
    uint32_t z;
    explicit Rauschen(uint32_t saat) : z(saat * 2654435761u + 1u) {}
    double operator()() {
        z = z * 1664525u + 1013904223u;
        return double((z >> 8) & 0xFFFF) / 32767.5 - 1.0;
    }
};

// Noise through a one-pole low-pass (cut in Hz) and, with `hoch`, a high-pass.
inline Puffer Gefiltert(size_t n, double tief_hz, double hoch_hz, uint32_t saat) {
    Rauschen r(saat);
    Puffer out(n);
    const double a = 1.0 - std::exp(-2 * PI * tief_hz / RATE), b = 1.0 - std::exp(-2 * PI * hoch_hz / RATE);
    double lp = 0, hp = 0;
    for (size_t i = 0; i < n; ++i) {
        lp += a * (r() - lp);
        hp += b * (lp - hp);
        out[i] = hoch_hz > 0 ? lp - hp : lp;
    }
    return out;
}

// Mixes `q` into `z` from `ab` seconds at gain `k` under an envelope of attack a, decay d (seconds).
inline void Mischen(Puffer& z, const Puffer& q, double ab, double k, double a = 0.005, double d = 1e9) {
    const size_t s = N(ab);
    for (size_t i = 0; i < q.size() && s + i < z.size(); ++i) {
        const double t = double(i) / RATE;
        z[s + i] += k * q[i] * std::min(1.0, t / a) * std::exp(-t / d);
    }
}

inline Puffer Sinus(double sekunden, double hz, double hz_ende = -1, double vibrato = 0, double vib_hz = 0) {
    Puffer out(N(sekunden));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / out.size();
        const double f = (hz_ende > 0 ? hz + (hz_ende - hz) * t : hz) * (1 + vibrato * std::sin(2 * PI * vib_hz * i / RATE));
        phase += 2 * PI * f / RATE;
        out[i] = std::sin(phase);
    }
    return out;
}

// A voice: a fundamental with a few overtones shaped like a vowel.
inline Puffer Stimme(double sekunden, double hz, double hz_ende, double vib, uint32_t saat) {
    Puffer out(N(sekunden), 0.0);
    const double gewicht[5] = {1.0, 0.6, 0.45, 0.25, 0.12};
    Rauschen r(saat);
    const double vib_hz = 4.5 + r() * 1.0;
    for (int32_t k = 1; k <= 5; ++k) {
        Puffer p = Sinus(sekunden, hz * k, hz_ende * k, vib, vib_hz);
        for (size_t i = 0; i < out.size(); ++i) out[i] += gewicht[k - 1] * p[i] / 2.4;
    }
    return out;
}

// A crowd of `stimmen` voices singing the notes (Hz, beats) at `bpm`, with the crowd's murmur under it.
inline Puffer Gesang(const std::vector<std::pair<double, double>>& noten, double bpm, int32_t stimmen, uint32_t saat) {
    double takte = 0;
    for (auto& n : noten) takte += n.second;
    const double sekunden = takte * 60.0 / bpm;
    Puffer out(N(sekunden), 0.0);
    Rauschen r(saat);
    for (int32_t v = 0; v < stimmen; ++v) {
        const double verstimmt = 1.0 + r() * 0.018, versatz = std::abs(r()) * 0.04;
        double t = 0;
        for (auto& [hz, schlaege] : noten) {
            const double d = schlaege * 60.0 / bpm;
            if (hz > 0) Mischen(out, Stimme(d * 0.92, hz * verstimmt, hz * verstimmt, 0.01, saat + v), t + versatz, 0.5 / stimmen, 0.04, d * 1.5);
            t += d;
        }
    }
    return out;
}

// Ends a loop without a click: the last `fade` seconds of `q` are faded into
// its start (q must be loop + fade long); the result has the loop's length.
inline Puffer Schleife(const Puffer& q, double fade) {
    const size_t f = N(fade), n = q.size() - f;
    Puffer out(q.begin(), q.begin() + long(n));
    for (size_t i = 0; i < f; ++i) {
        const double w = double(i) / f;
        out[i] = out[i] * w + q[n + i] * (1 - w);
    }
    return out;
}

// The crowd's murmur: low noise swelling slowly (periods that fit the loop).
inline Puffer Murmeln(double sekunden, double pegel, uint32_t saat) {
    Puffer out = Gefiltert(N(sekunden), 700, 90, saat);
    Puffer zwei = Gefiltert(N(sekunden), 2200, 400, saat + 7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / RATE;
        const double welle = 0.8 + 0.2 * std::sin(2 * PI * t * 0.5) + 0.1 * std::sin(2 * PI * t * 1.25 + 1);
        out[i] = pegel * welle * (out[i] * 2.2 + zwei[i] * 0.8);
    }
    return out;
}

inline std::vector<int16_t> Fertig(const Puffer& p, double pegel = 0.9) {
    double spitze = 1e-9;
    for (double x : p) spitze = std::max(spitze, std::abs(x));
    std::vector<int16_t> out(p.size());
    for (size_t i = 0; i < p.size(); ++i) out[i] = int16_t(std::lround(p[i] / spitze * pegel * 32000));
    return out;
}

inline Puffer Schuss(double staerke, uint32_t saat) {
    Puffer out(N(0.25), 0.0);
    Mischen(out, Sinus(0.2, 140 + 60 * staerke, 55), 0, 1.0, 0.001, 0.03 + 0.02 * staerke);
    Mischen(out, Gefiltert(N(0.05), 4000, 300, saat), 0, 0.6 * staerke + 0.2, 0.0005, 0.008);
    return out;
}

inline Puffer Pfiff(double sekunden, uint32_t saat) {
    Puffer out(N(sekunden + 0.05), 0.0);
    Puffer t = Sinus(sekunden, 2650, 2700, 0.035, 28);   // the pea's trill
    Puffer hauch = Gefiltert(N(sekunden), 6000, 1500, saat);
    for (size_t i = 0; i < t.size(); ++i) t[i] = t[i] * 0.8 + hauch[i] * 0.25;
    Mischen(out, t, 0, 1.0, 0.015, 1e9);
    const size_t n = t.size();
    for (size_t i = n > N(0.04) ? n - N(0.04) : 0; i < n; ++i) out[i] *= double(n - i) / N(0.04);
    return out;
}

// A swell of the crowd: noise and voices up and down in `sekunden`, peaking at `spitze` (0-1 of the time).
inline Puffer Welle(double sekunden, double spitze, double hz, double hz_ende, uint32_t saat, int32_t stimmen = 24) {
    Puffer out = Murmeln(sekunden, 0.6, saat);
    Rauschen r(saat + 3);
    for (int32_t v = 0; v < stimmen; ++v) {
        const double f = hz * (1 + r() * 0.25), fe = hz_ende * (1 + r() * 0.25);
        Mischen(out, Stimme(sekunden * 0.9, f, fe, 0.02, saat + 11u * v), std::abs(r()) * 0.08, 0.5 / std::sqrt(stimmen));
    }
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / out.size();
        const double h = t < spitze ? t / spitze : (1 - t) / (1 - spitze);
        out[i] *= std::pow(std::max(0.0, h), 0.8);
    }
    return out;
}

inline Puffer Klatschen(double sekunden, double takt, uint32_t saat) {
    Puffer out(N(sekunden), 0.0);
    Rauschen r(saat);
    for (int32_t k = 0; k < int32_t(sekunden * 60); ++k) {
        const double t = std::abs(r()) * (sekunden - 0.05);
        const double im_takt = takt > 0 ? std::round(t / takt) * takt + r() * 0.02 : t;
        Mischen(out, Gefiltert(N(0.04), 3500, 700, saat + k), std::clamp(im_takt, 0.0, sekunden - 0.05), 0.35, 0.0005, 0.012);
    }
    return out;
}

std::vector<int16_t> Eintrag(int32_t e) {
    switch (e) {
    case 0: case 1: case 2: case 3: case 4: return Fertig(Schuss(1.0 - e * 0.2, 40 + e), 0.95 - e * 0.1);
    case 5: case 6: {   // the post or bar: a metallic ring
        Puffer out(N(1.2), 0.0);
        const double basis = e == 5 ? 520 : 610;
        for (double k : {1.0, 2.52, 4.37, 6.1}) Mischen(out, Sinus(1.2, basis * k), 0, 1.0 / k, 0.0005, 0.35 / std::sqrt(k));
        Mischen(out, Schuss(0.6, 50), 0, 0.5);
        return Fertig(out);
    }
    case 7: {   // the net: a soft rustle
        Puffer out(N(0.6), 0.0);
        Mischen(out, Gefiltert(N(0.6), 5000, 800, 70), 0, 1.0, 0.02, 0.15);
        return Fertig(out, 0.7);
    }
    case 8: {   // the keeper's gloves: a dull slap
        Puffer out(N(0.3), 0.0);
        Mischen(out, Sinus(0.2, 180, 90), 0, 1.0, 0.001, 0.04);
        Mischen(out, Gefiltert(N(0.1), 2500, 200, 80), 0, 0.9, 0.0005, 0.02);
        return Fertig(out);
    }
    case 9: return Fertig(Pfiff(0.22, 90));
    case 10: return Fertig(Pfiff(0.9, 91));
    case 11: {   // the final whistle: short, short, long
        Puffer out(N(2.2), 0.0);
        Mischen(out, Pfiff(0.3, 92), 0, 1.0);
        Mischen(out, Pfiff(0.3, 93), 0.45, 1.0);
        Mischen(out, Pfiff(1.1, 94), 0.9, 1.0);
        return Fertig(out);
    }
    case 12: {   // a cry of pain
        Puffer out(N(0.7), 0.0);
        Mischen(out, Stimme(0.6, 420, 260, 0.03, 120), 0, 1.0, 0.03, 0.3);
        return Fertig(out, 0.8);
    }
    case 13: case 15: {   // clicks
        Puffer out(N(0.06), 0.0);
        Mischen(out, Sinus(0.05, e == 13 ? 1800 : 1200), 0, 1.0, 0.0005, 0.01);
        return Fertig(out, 0.6);
    }
    case 14: {   // the substitution board's chime
        Puffer out(N(0.8), 0.0);
        Mischen(out, Sinus(0.4, 880), 0, 1.0, 0.005, 0.2);
        Mischen(out, Sinus(0.5, 1318.5), 0.18, 0.9, 0.005, 0.25);
        return Fertig(out, 0.7);
    }
    case 16: {   // the beam: a rising shimmer
        Puffer out(N(1.0), 0.0);
        Mischen(out, Sinus(1.0, 300, 2400, 0.02, 12), 0, 1.0, 0.05, 0.6);
        return Fertig(out, 0.6);
    }
    case 17: case 18: {   // the crowd's beds, 6 s loops
        Puffer q = Murmeln(6.5, 1.0, 170u + uint32_t(e));
        if (e == 18) Mischen(q, Klatschen(6.5, 0, 181), 0, 0.3);
        return Fertig(Schleife(q, 0.5), 0.6);
    }
    case 19: case 20: case 21: case 22: {   // chants: a phrase of whole bars, looping
        static const std::vector<std::pair<double, double>> lieder[4] = {
            {{392, 1}, {392, 1}, {440, 1}, {392, 1}, {523, 2}, {494, 2}, {392, 1}, {392, 1}, {440, 1}, {392, 1}, {587, 2}, {523, 2}},
            {{330, 1.5}, {330, 0.5}, {392, 1}, {330, 1}, {294, 2}, {0, 2}, {330, 1.5}, {330, 0.5}, {392, 1}, {440, 1}, {392, 2}, {0, 2}},
            {{440, 2}, {440, 2}, {0, 1}, {440, 1}, {494, 1}, {440, 1}, {392, 2}, {392, 2}, {0, 2}, {330, 1}, {0, 1}},
            {{262, 1}, {330, 1}, {392, 2}, {330, 1}, {392, 1}, {523, 2}, {392, 1}, {330, 1}, {262, 2}, {0, 4}}};
        const double bpm = e == 21 ? 150 : 120;
        Puffer gesang = Gesang(lieder[e - 19], bpm, 28, 190u + uint32_t(e));
        const double lang = double(gesang.size()) / RATE;
        Puffer q = Murmeln(lang + 0.4, 0.5, 200u + uint32_t(e));
        Mischen(q, gesang, 0, 1.6);
        if (e == 21) Mischen(q, Klatschen(lang, 60.0 / bpm, 210), 0, 0.5);
        // The fade borrows the phrase's start, so the seam is the phrase's own turn.
        for (size_t i = 0; i < N(0.4) && i < gesang.size(); ++i) q[gesang.size() + i] += 1.6 * gesang[i];
        return Fertig(Schleife(q, 0.4), 0.8);
    }
    case 23: {   // the encore: the first chant once more, louder, ending in cheers
        Puffer g = Gesang({{392, 1}, {392, 1}, {440, 1}, {392, 1}, {523, 2}, {494, 2}, {523, 4}}, 130, 36, 230);
        Puffer out(g.size() + N(1.5), 0.0);
        Mischen(out, g, 0, 1.5);
        Mischen(out, Welle(2.0, 0.2, 500, 400, 231), double(g.size()) / RATE - 0.5, 1.0);
        return Fertig(out);
    }
    case 24: case 33: {   // fouls: the crowd boos
        Puffer out = Welle(e == 24 ? 2.0 : 2.8, 0.35, e == 24 ? 140 : 120, 110, 240u + uint32_t(e), 30);
        return Fertig(out, 0.8);
    }
    case 25: case 26: {   // whistling in the stands
        Puffer out = Murmeln(2.5, 0.4, 250u + uint32_t(e));
        Rauschen r(260u + uint32_t(e));
        for (int32_t k = 0; k < (e == 25 ? 14 : 24); ++k) {
            const double f = 1800 + std::abs(r()) * 1600, d = 0.4 + std::abs(r()) * 1.2;
            Mischen(out, Sinus(d, f, f * (1 + r() * 0.1), 0.02, 9), std::abs(r()) * (2.5 - d), 0.25, 0.03, d);
        }
        return Fertig(out, 0.8);
    }
    case 27: return Fertig(Klatschen(2.5, 0, 270), 0.8);
    case 28: return Fertig(Welle(1.8, 0.3, 300, 180, 280), 0.85);   // the near miss: "oooh"
    case 29: return Fertig(Welle(2.2, 0.25, 420, 330, 290), 0.9);
    case 30: return Fertig(Welle(1.6, 0.5, 360, 300, 300), 0.85);
    case 31: return Fertig(Welle(1.4, 0.2, 330, 260, 310), 0.85);
    case 32: return Fertig(Welle(2.0, 0.4, 480, 380, 320), 0.9);
    case 34: {   // the goal roar: a long swell with clapping in it
        Puffer out = Welle(4.5, 0.12, 520, 380, 340, 48);
        Mischen(out, Klatschen(4.5, 0, 341), 0.3, 0.5, 0.3, 3);
        return Fertig(out, 0.95);
    }
    default: return {};
    }
}

}  // namespace velmora::werkzeug::stadion
