// The mixer: one 512-frame device buffer with 1, 16 and 64 channels playing.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/audio.h"

using namespace velmora;

static void BM_Audio_Mischen(benchmark::State& state) {
    Audio_Oeffnen(AUDIO_OHNE_GERAET);
    std::vector<int16_t> werte(AUDIO_RATE);
    for (size_t i = 0; i < werte.size(); ++i) werte[i] = int16_t((i * 37) % 20000 - 10000);
    const std::vector<uint8_t> mono = Audio_Wav_Bauen(1, AUDIO_RATE, werte);
    const std::vector<uint8_t> stereo = Audio_Wav_Bauen(2, 44100, werte);
    const int32_t k1 = Audio_Klang_Speicher(mono.data(), mono.size());
    const int32_t k2 = Audio_Klang_Speicher(stereo.data(), stereo.size());
    for (int64_t i = 0; i < state.range(0); ++i) {
        const int32_t kanal = Audio_Spielen(i % 2 ? k2 : k1, true);
        Audio_Kanal_Lautstaerke(kanal, int32_t(100 + i));
        Audio_Kanal_Pan(kanal, int32_t(i * 4));
    }
    std::vector<int16_t> out(512 * 2);
    for (auto _ : state) {
        Audio_Mischen(out.data(), 512);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 512);
    Audio_Schliessen();
}
BENCHMARK(BM_Audio_Mischen)->Arg(1)->Arg(16)->Arg(64);

BENCHMARK_MAIN();
