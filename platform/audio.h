// platform/audio.h - sound output: a 22050 Hz stereo mixer of 64 channels.
//
// Sounds are PCM WAV data (8 or 16 bit, mono or stereo, any rate), decoded
// once into memory: from a memory block (samples) or from a file (streams,
// the background music). A sound plays on a channel with a volume (0-255)
// and a pan (0 left, 128 centre, 255 right); a channel that reaches the end
// of a sound that does not loop becomes free again.
//
// The SDL back-end plays through the audio device; the headless one opens no
// device, and the mixer only runs when Audio_Mischen is called (the tests).
// Every call is safe from the main thread while the device's thread mixes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t AUDIO_RATE = 22050;
constexpr int32_t AUDIO_KANAELE = 64;

enum AudioBackend : int32_t { AUDIO_GERAET = 0, AUDIO_OHNE_GERAET = 1 };

// A WAV file's format and where its PCM bytes lie inside the file's bytes.
struct AudioWav {
    int32_t kanaele = 0;      // 1 or 2
    int32_t rate = 0;         // frames per second
    int32_t bits = 0;         // 8 (unsigned) or 16 (signed)
    size_t pcm_offset = 0;
    size_t pcm_bytes = 0;     // whole frames only
};
// Reads the RIFF/WAVE header of `bytes` bytes; false for anything that is not
// uncompressed PCM of 1-2 channels and 8 or 16 bits at 1000-192000 Hz, or whose
// chunks run past the end.
bool Audio_Wav_Lesen(const uint8_t* daten, size_t bytes, AudioWav* out);
// A 16-bit PCM WAV file of the given interleaved values (for the tools that
// make the installation's sounds, and the tests).
std::vector<uint8_t> Audio_Wav_Bauen(int32_t kanaele, int32_t rate, const std::vector<int16_t>& werte);

// Opens the output; false (nothing open) when the device cannot be opened or
// the sound driver lists no output device (then nothing is tried and nothing
// is printed).
bool Audio_Oeffnen(AudioBackend backend);
// Stops every channel, frees every sound, closes the device.
void Audio_Schliessen();
bool Audio_Offen();

// A sound from a WAV block in memory (copied) or from a WAV file. Returns its
// id (1 or more), or 0 when the output is closed or the data is no WAV.
int32_t Audio_Klang_Speicher(const uint8_t* daten, size_t bytes);
int32_t Audio_Klang_Datei(const char* pfad);
// Stops the channels playing it and frees it; false for an unknown id.
bool Audio_Klang_Freigeben(int32_t klang);
// Length of a sound in frames at its own rate; 0 for an unknown id.
uint32_t Audio_Klang_Frames(int32_t klang);

// Starts a sound on the first free channel at volume 255, centre, unpaused
// unless `pausiert`. Returns the channel handle (>= 0), or -1 when the sound is
// unknown or all 64 channels play. A handle names one playing of a sound: once
// that ends, calls on the old handle do nothing even when the channel plays
// something else.
int32_t Audio_Spielen(int32_t klang, bool schleife, bool pausiert = false);
// Each returns false (nothing changed) for a handle that no longer plays.
bool Audio_Kanal_Stop(int32_t kanal);
bool Audio_Kanal_Pause(int32_t kanal, bool pause);
bool Audio_Kanal_Lautstaerke(int32_t kanal, int32_t lautstaerke);   // 0-255
bool Audio_Kanal_Pan(int32_t kanal, int32_t pan);                   // 0-255
bool Audio_Kanal_Aktiv(int32_t kanal);
int32_t Audio_Kanaele_Aktiv();

// Mixes the next `frames` stereo frames (left, right) into `out`, advancing
// every playing channel; silence when the output is closed. The device's
// callback calls it; with the headless back-end the caller does.
void Audio_Mischen(int16_t* out, size_t frames);

}  // namespace velmora
