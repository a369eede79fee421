// media/sound.cpp - sound handles, background music and sample slots.
#include "media/sound.h"

#include <string>

#include "core/debug.h"
#include "core/dirs.h"
#include "core/mem.h"
#include "core/optionen.h"
#include "core/res.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

// Music stream mode: bit 2 makes the stream loop; the background music plays
// until it is stopped.
constexpr int32_t STREAM_MODUS = 43;
constexpr int32_t STREAM_SCHLEIFE = 2;

struct SampleSlot {
    Sound_Handle* handle = nullptr;
    void* daten = nullptr;   // the data block from Res_Load, freed with the slot
};

struct SoundModul {
    int32_t an = 0;
    Sound_Handle handle[SOUND_HANDLES];
    // the music
    int32_t musik_zustand = 0;
    Sound_Handle* musik = nullptr;
    int32_t musik_volume = 0;
    int32_t halten = 0;
    int32_t exklusiv = 0;
    int32_t duck = 0;
    int32_t sample_volume = 255;
    SampleSlot slot[SOUND_SAMPLE_SLOTS];
    SoundHooks hooks;
};
SoundModul g;

bool ist(const Sound_Handle* h, uint32_t art) { return g.an && h && h->in_use && h->art == art; }

void slot_leeren(SampleSlot& s) {
    s.daten = Mem_Free(s.daten);
    s.handle = nullptr;
}

void oberschicht_leeren() {
    for (SampleSlot& s : g.slot) slot_leeren(s);
    g.musik_zustand = 0;
    g.musik = nullptr;
    g.musik_volume = 0;
    g.halten = 0;
    g.exklusiv = 0;
    g.duck = 0;
    g.sample_volume = 255;
}

}  // namespace

SoundHooks& Sound_Hooks() { return g.hooks; }

int32_t Sound_Init() { return Sound_Init_Mit(AUDIO_GERAET); }

int32_t Sound_Init_Mit(AudioBackend backend) {
    if (g.an) return g.an;
    g.an = Audio_Oeffnen(backend) ? 1 : 0;
    if (!g.an) {
        Debug_Printf("Sound_Init: keine Tonausgabe, das Spiel laeuft ohne Ton\n");
        Audio_Schliessen();
    }
    return g.an;
}

void Sound_Close() {
    if (!g.an) return;
    Audio_Schliessen();
    g.an = 0;
    // The mixer freed every sound: the handles and slots that named them go too.
    for (Sound_Handle& h : g.handle) Sound_Handle_Clear(&h);
    oberschicht_leeren();
}

int32_t Sound_An() { return g.an; }

Sound_Handle* Sound_Handle_Alloc() {
    for (Sound_Handle& h : g.handle)
        if (!h.in_use) {
            h = Sound_Handle{};
            h.in_use = 1;
            return &h;
        }
    Debug_Printf("Sound_Handle_Alloc: alle %d Handles belegt\n", SOUND_HANDLES);
    return nullptr;
}

Sound_Handle* Sound_Handle_Clear(Sound_Handle* h) {
    if (h) *h = Sound_Handle{};
    return nullptr;
}

int32_t Sound_Clamp_Byte(int32_t v) { return Clamp(v, 0, 255, -1); }

Sound_Handle* Sound_Stream_Play(const char* datei, int32_t volume, int32_t pan) {
    if (!g.an || !datei) return nullptr;
    Sound_Handle* h = Sound_Handle_Alloc();
    if (!h) return nullptr;
    h->stream = Audio_Klang_Datei(datei);
    if (!h->stream) {
        Debug_Printf("Sound_Stream_Play: %s nicht lesbar\n", datei);
        return Sound_Handle_Clear(h);
    }
    h->channel = Audio_Spielen(h->stream, (STREAM_MODUS & STREAM_SCHLEIFE) != 0);
    if (h->channel < 0) {
        Debug_Printf("Sound_Stream_Play: kein freier Kanal fuer %s\n", datei);
        Audio_Klang_Freigeben(h->stream);
        return Sound_Handle_Clear(h);
    }
    h->art = SOUND_ART_STREAM;
    Sound_Stream_Volume(h, volume);
    Sound_Stream_Pan(h, pan);
    return h;
}

void Sound_Stream_Pause(Sound_Handle* h) {
    if (ist(h, SOUND_ART_STREAM) && h->stream) Audio_Kanal_Pause(h->channel, true);
}

void Sound_Stream_Resume(Sound_Handle* h) {
    if (ist(h, SOUND_ART_STREAM) && h->stream) Audio_Kanal_Pause(h->channel, false);
}

void Sound_Stream_Close(Sound_Handle* h) {
    if (!ist(h, SOUND_ART_STREAM) || !h->stream) return;
    Audio_Klang_Freigeben(h->stream);
    Sound_Handle_Clear(h);
}

void Sound_Stream_Volume(Sound_Handle* h, int32_t v) {
    if (!g.an || !h || !h->in_use) return;
    v = Sound_Clamp_Byte(v);
    if (Audio_Kanal_Lautstaerke(h->channel, v)) h->volume = uint8_t(v);
}

void Sound_Stream_Pan(Sound_Handle* h, int32_t p) {
    if (!g.an || !h || !h->in_use) return;
    p = Sound_Clamp_Byte(p);
    if (Audio_Kanal_Pan(h->channel, p)) h->pan = uint8_t(p);
}

Sound_Handle* Sound_Sample_Load(const void* daten, uint32_t laenge) {
    if (!g.an || !daten) return nullptr;
    Sound_Handle* h = Sound_Handle_Alloc();
    if (!h) return nullptr;
    h->sample = Audio_Klang_Speicher(static_cast<const uint8_t*>(daten), laenge);
    if (!h->sample) {
        Debug_Printf("Sound_Sample_Load: keine lesbaren Tondaten (%u Bytes)\n", laenge);
        return Sound_Handle_Clear(h);
    }
    h->art = SOUND_ART_SAMPLE;
    return h;
}

Sound_Handle* Sound_Sample_Play(Sound_Handle* h, int32_t volume, int32_t pan, bool loop) {
    if (!ist(h, SOUND_ART_SAMPLE)) return h;
    h->channel = Audio_Spielen(h->sample, loop);
    if (h->channel < 0) Debug_Printf("Sound_Sample_Play: kein freier Kanal\n");
    Sound_Stream_Volume(h, volume == -1 ? 255 : volume);
    Sound_Stream_Pan(h, pan == -1 ? 128 : pan);
    return h;
}

void Sound_Sample_Stop(Sound_Handle* h) {
    if (ist(h, SOUND_ART_SAMPLE)) Audio_Kanal_Stop(h->channel);
}

Sound_Handle* Sound_Sample_Free(Sound_Handle* h) {
    if (!ist(h, SOUND_ART_SAMPLE)) return nullptr;
    Audio_Klang_Freigeben(h->sample);
    return Sound_Handle_Clear(h);
}

void Sound_Pause_All() {
    if (!g.an) return;
    for (Sound_Handle& h : g.handle) {
        if (!h.in_use) continue;
        if (h.art == SOUND_ART_SAMPLE) Sound_Sample_Stop(&h);
        else if (h.art == SOUND_ART_STREAM) Sound_Stream_Pause(&h);
        else continue;
        h.paused = 1;
    }
}

void Sound_Resume_All() {
    if (!g.an) return;
    for (Sound_Handle& h : g.handle) {
        if (!h.in_use || !h.paused) continue;
        h.paused = 0;
        if (h.art == SOUND_ART_STREAM) Sound_Stream_Resume(&h);
    }
}

void Sound_Samples_Free_All() {
    if (!g.an) return;
    // A sample slot whose handle is freed here is emptied too: the handle may be
    // handed out again, and Samples_Stop must not free the new owner's sound.
    for (SampleSlot& s : g.slot)
        if (s.handle) slot_leeren(s);
    for (Sound_Handle& h : g.handle) {
        if (!h.in_use) continue;
        if (h.art == SOUND_ART_SAMPLE) {
            Sound_Sample_Stop(&h);
            Sound_Sample_Free(&h);
        } else if (h.art != SOUND_ART_STREAM) {
            Sound_Handle_Clear(&h);
        }
    }
}

// ---- the background music and the sample slots ----

void Backsound_Start() {
    const std::string pfad = std::string(Dirs_Get(DIR_INSTALL)) + "\\" + SOUND_MUSIK_DATEI;
    if (g.halten) return;
    if (g.musik_zustand != 0 && g.musik) {
        Musik_Resume();
        return;
    }
    if (Optionen(SOUND_OPTION_MUSIK, 0, 0)) {
        // Starts silent; the checks fade it in. Without a stream (no file, no
        // sound) the state stays 1, so the periodic check does not try every
        // 500 ms; the next start request tries again.
        g.musik = Sound_Stream_Play(pfad.c_str(), 255, 128);
        g.musik_zustand = 1;
        Musik_Lautstaerke(0);
        g.musik_volume = 0;
    }
}

void Backsound_Stop(bool halten) {
    if (halten) {
        if (!g.halten) Musik_Stop();
        g.halten = 1;
    } else if (g.halten) {
        g.halten = 0;
        Backsound_Start();
    }
}

void Backsound_Pruefen() {
    const bool musik_an = Optionen(SOUND_OPTION_MUSIK, 0, 0) != 0;
    if ((!musik_an || g.halten) && g.musik_zustand != 0) Musik_Stop();
    if (musik_an && g.musik_zustand == 0 && !g.halten) Backsound_Start();
    if (g.exklusiv) return;
    if (g.duck > 0) {
        if (g.musik_volume != 0) {
            g.musik_volume = Clamp(g.musik_volume - 15, 50, SOUND_MUSIK_MAX, -1);
            Musik_Lautstaerke(g.musik_volume);
        }
        --g.duck;
        return;
    }
    g.musik_volume = Clamp(g.musik_volume + 5, 0, SOUND_MUSIK_MAX, -1);
    Musik_Lautstaerke(g.musik_volume);
}

void Musik_Lautstaerke(int32_t v) {
    if ((g.exklusiv && v != 0) || g.musik_zustand == 0 || !g.musik) return;
    if (v > 0) Musik_Resume();
    else Musik_Pause();
    Sound_Stream_Volume(g.musik, v);
    g.musik_volume = v;
}

void Musik_Pause() {
    if (g.musik_zustand != 1 || !g.musik) return;
    Sound_Stream_Pause(g.musik);
    g.musik_zustand = 2;
}

void Musik_Resume() {
    if (g.exklusiv || g.musik_zustand != 2 || !g.musik || g.halten) return;
    Sound_Stream_Resume(g.musik);
    g.musik_zustand = 1;
    if (g.musik_volume < 50) g.musik_volume = 50;
}

void Musik_Stop() {
    if (g.musik_zustand != 1 && g.musik_zustand != 2) return;
    if (g.musik) Sound_Stream_Close(g.musik);
    g.musik = nullptr;
    g.musik_zustand = 0;
}

int32_t Sample_Spielen(int32_t nummer, bool loop) {
    if (!Optionen(SOUND_OPTION_EFFEKTE, 0, 0)) return -1;
    if (g.musik_volume > 120) g.musik_volume = 120;
    int32_t wert = g.musik_volume;
    g.duck = SOUND_DUCK_PRUEFUNGEN;
    int32_t frei = -1;
    for (int32_t i = 0; i < SOUND_SAMPLE_SLOTS && frei < 0; ++i)
        if (!g.slot[i].handle) frei = i;
    if (loop) {
        wert = 0;
        g.exklusiv = 1;
        g.musik_volume = 0;
    }
    Musik_Lautstaerke(wert);
    if (frei < 0) {
        Debug_Printf("Sample_Spielen: alle %d Slots belegt\n", SOUND_SAMPLE_SLOTS);
        return -1;
    }
    const int32_t datei = g.hooks.resourcen_slot ? g.hooks.resourcen_slot(SOUND_RES_MENUE) : -1;
    uint32_t laenge = 0;
    void* daten = datei >= 0 ? Res_Load(datei, nummer, 0, &laenge) : nullptr;
    if (!daten) {
        Debug_Printf("Sample_Spielen: Sample %d nicht vorhanden\n", nummer);
        return -1;
    }
    Sound_Handle* h = Sound_Sample_Load(daten, laenge);
    if (!h) {
        Mem_Free(daten);
        return -1;
    }
    g.slot[frei].handle = h;
    g.slot[frei].daten = daten;
    Sound_Sample_Play(h, g.sample_volume, -1, loop);
    return frei;
}

int32_t Sample_Spielen_Einzeln(int32_t nummer, bool loop) {
    Samples_Stop();
    Sample_Spielen(nummer, loop);
    return 0;
}

int32_t Sample_Spielen_Lautstaerke(int32_t nummer, bool loop, int32_t volume) {
    Samples_Stop();
    Sample_Lautstaerke(volume);
    Sample_Spielen(nummer, loop);
    return 0;
}

void Sample_Lautstaerke(int32_t v) { g.sample_volume = Clamp(v, 0, 255, -1); }

void Samples_Stop() {
    g.sample_volume = 255;
    for (SampleSlot& s : g.slot) {
        if (!s.handle) continue;
        Sound_Sample_Stop(s.handle);
        Sound_Sample_Free(s.handle);
        slot_leeren(s);
    }
    g.exklusiv = 0;
    Backsound_Start();
}

void Medien_Stop() {
    Samples_Stop();
    Musik_Stop();
}

SoundZustand Sound_Zustand() {
    SoundZustand z;
    z.musik_zustand = g.musik_zustand;
    z.musik = g.musik;
    z.musik_volume = g.musik_volume;
    z.halten = g.halten;
    z.exklusiv = g.exklusiv;
    z.duck = g.duck;
    z.sample_volume = g.sample_volume;
    for (const SampleSlot& s : g.slot) z.slots_belegt += s.handle ? 1 : 0;
    return z;
}

const Sound_Handle* Sound_Slot_Handle(int32_t slot) {
    if (slot < 0 || slot >= SOUND_SAMPLE_SLOTS) return nullptr;
    return g.slot[slot].handle;
}

}  // namespace velmora
