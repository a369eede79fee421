// Feeds arbitrary bytes to the WAV reader and, when it accepts them, decodes
// and mixes the sound: nothing may read outside the input or crash.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    AudioWav w;
    if (Audio_Wav_Lesen(daten, bytes, &w)) {
        if (w.pcm_offset + w.pcm_bytes > bytes) __builtin_trap();
        if (!Audio_Offen()) Audio_Oeffnen(AUDIO_OHNE_GERAET);
        const int32_t k = Audio_Klang_Speicher(daten, bytes);
        if (!k) __builtin_trap();   // an accepted header must decode
        const int32_t kanal = Audio_Spielen(k, bytes & 1);
        Audio_Kanal_Pan(kanal, int32_t(bytes % 256));
        std::vector<int16_t> out(2 * 256);
        Audio_Mischen(out.data(), 256);
        Audio_Klang_Freigeben(k);
    }
    return 0;
}
