// kunst/klang.h - the sound synthesis of the asset tools: sine tones with a
// short attack and an exponential decay, and noise, at the mixer's rate.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/audio.h"

namespace velmora::werkzeug {

constexpr int32_t RATE = AUDIO_RATE;
constexpr double PI = 3.14159265358979323846;

struct Ton {
    double hz;
    double start, dauer;   // seconds
    double pegel;          // 0-1
};

// Sine tones with a short attack and an exponential decay, plus optional noise.
std::vector<int16_t> synth(double sekunden, const std::vector<Ton>& toene, double rauschen, uint32_t saat);

}  // namespace velmora::werkzeug
