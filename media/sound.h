// media/sound.h - sound: a table of 64 sound handles over the platform mixer,
// the background music with its fading volume, and 10 sample slots.
//
// Lower layer: a handle is a stream (music from a file, kind 2002) or a sample
// (a short sound from memory, kind 2001). Every call on a null handle, a
// handle of the wrong kind or with sound off does nothing and returns its
// neutral value; the game then runs silent.
//
// Upper layer: one background music file ("background.wav" of the
// installation) and samples from the menu sound resource file (entry n is a
// data block holding a WAV file). Starting a sample lowers the music for 40
// checks; a looping sample keeps the music at 0 until Samples_Stop. Game
// option 42 switches the music, 43 the samples on and off.
#pragma once
#include <cstdint>

#include "platform/audio.h"

namespace velmora {

constexpr uint32_t SOUND_ART_SAMPLE = 2001;
constexpr uint32_t SOUND_ART_STREAM = 2002;
constexpr int32_t SOUND_HANDLES = 64;
constexpr int32_t SOUND_SAMPLE_SLOTS = 10;
constexpr int32_t SOUND_RES_MENUE = 21;         // index of "menue_sound.res" in the resource-file list
constexpr int32_t SOUND_OPTION_MUSIK = 42;
constexpr int32_t SOUND_OPTION_EFFEKTE = 43;
constexpr int32_t SOUND_MUSIK_MAX = 160;
constexpr int32_t SOUND_DUCK_PRUEFUNGEN = 40;
constexpr const char* SOUND_MUSIK_DATEI = "background.wav";

struct Sound_Handle {
    uint32_t art = 0;         // 0 none, 2001 sample, 2002 stream
    uint8_t in_use = 0;
    uint8_t paused = 0;
    int32_t sample = 0;       // the mixer's sound id of a sample (0 none)
    int32_t stream = 0;       // the mixer's sound id of a stream (0 none)
    int32_t channel = 0;      // the channel it plays on (0 names none)
    uint8_t volume = 0;       // as last set successfully
    uint8_t pan = 0;
};

// The resource files belong to the shell above; it tells this module which
// slot of core/res.h holds list entry n. Unfilled: no samples.
struct SoundHooks {
    int32_t (*resourcen_slot)(int32_t index) = nullptr;
};
SoundHooks& Sound_Hooks();

// Lower layer.
// Starts sound once (the audio device, or the headless mixer); returns 1 when
// sound is on, 0 when it stays off (the game runs silent).
int32_t Sound_Init();
int32_t Sound_Init_Mit(AudioBackend backend);
void Sound_Close();
int32_t Sound_An();
Sound_Handle* Sound_Handle_Alloc();
Sound_Handle* Sound_Handle_Clear(Sound_Handle* h);   // always null
Sound_Handle* Sound_Stream_Play(const char* datei, int32_t volume, int32_t pan);
void Sound_Stream_Pause(Sound_Handle* h);
void Sound_Stream_Resume(Sound_Handle* h);
void Sound_Stream_Close(Sound_Handle* h);
void Sound_Stream_Volume(Sound_Handle* h, int32_t v);   // samples and streams alike
void Sound_Stream_Pan(Sound_Handle* h, int32_t p);
int32_t Sound_Clamp_Byte(int32_t v);
Sound_Handle* Sound_Sample_Load(const void* daten, uint32_t laenge);
Sound_Handle* Sound_Sample_Play(Sound_Handle* h, int32_t volume, int32_t pan, bool loop);
void Sound_Sample_Stop(Sound_Handle* h);
Sound_Handle* Sound_Sample_Free(Sound_Handle* h);   // always null
// Window deactivation: samples stop, streams pause; reactivation resumes the
// streams only.
void Sound_Pause_All();
void Sound_Resume_All();
// Stops and frees every sample (the sample slots' too); streams stay.
void Sound_Samples_Free_All();

// Upper layer.
void Backsound_Pruefen();   // the periodic music check, every 500 ms
void Backsound_Start();
void Backsound_Stop(bool halten);
void Musik_Lautstaerke(int32_t v);
void Musik_Pause();
void Musik_Resume();
void Musik_Stop();
int32_t Sample_Spielen(int32_t nummer, bool loop);   // slot 0-9, or -1
int32_t Sample_Spielen_Einzeln(int32_t nummer, bool loop);
int32_t Sample_Spielen_Lautstaerke(int32_t nummer, bool loop, int32_t volume);
void Sample_Lautstaerke(int32_t v);
void Samples_Stop();
// The calendar's stop when the run mode changes: samples and music end (the
// next check starts the music again when it is wanted).
void Medien_Stop();

// What the upper layer holds, for the tests and the debug panel.
struct SoundZustand {
    int32_t musik_zustand = 0;   // 0 no stream, 1 playing, 2 paused
    const Sound_Handle* musik = nullptr;
    int32_t musik_volume = 0;
    int32_t halten = 0;
    int32_t exklusiv = 0;
    int32_t duck = 0;
    int32_t sample_volume = 255;
    int32_t slots_belegt = 0;
};
SoundZustand Sound_Zustand();
const Sound_Handle* Sound_Slot_Handle(int32_t slot);

}  // namespace velmora
