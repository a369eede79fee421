// platform/audio.cpp - the 64-channel mixer on SDL2's audio device, or headless.
#include "platform/audio.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/files.h"

#ifdef VELMORA_HAVE_SDL
#include "platform/sdl.h"
#endif

namespace velmora {
namespace {

// A decoded sound: signed 16-bit frames, interleaved when stereo.
struct Pcm {
    std::vector<int16_t> daten;
    int32_t kanaele = 1;
    uint32_t frames = 0;
    uint32_t schritt = 0;   // source frames per output frame, 16.16 fixed point
};

struct Kanal {
    std::shared_ptr<const Pcm> pcm;   // null: free
    int32_t klang = 0;
    uint32_t generation = 0;         // makes each playing's handle distinct
    uint64_t pos = 0;                  // source frame, 16.16 fixed point
    bool schleife = false;
    bool pausiert = false;
    int32_t lautstaerke = 255;
    int32_t pan = 128;
    int32_t faktor_l = 65536, faktor_r = 65536;   // volume and pan, 16.16
};

struct AudioModul {
    std::mutex sperre;
    bool offen = false;
    AudioBackend backend = AUDIO_OHNE_GERAET;
    std::vector<std::shared_ptr<const Pcm>> klaenge;   // id - 1; null: free id
    Kanal kanal[AUDIO_KANAELE];
    std::vector<int32_t> summe;
#ifdef VELMORA_HAVE_SDL
    SDL_AudioDeviceID geraet = 0;
#endif
};
AudioModul g;

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

// A channel handle: the channel's index in bits 0-7, its generation above.
// Handle 0 is never valid, so a cleared record's channel field names nothing.
int32_t handle_von(int32_t index) {
    return int32_t((g.kanal[index].generation % 0x7FFFFFu + 1u) << 8 | uint32_t(index));
}
Kanal* kanal_von(int32_t handle) {
    if (handle < 0) return nullptr;
    int32_t index = handle & 0xFF;
    if (index >= AUDIO_KANAELE) return nullptr;
    Kanal& k = g.kanal[index];
    if (!k.pcm || handle_von(index) != handle) return nullptr;
    return &k;
}

// Pan law: the far side falls linearly to 0; the near side stays at full volume.
void faktoren_setzen(Kanal& k) {
    int32_t links = k.pan <= 128 ? 256 : (255 - k.pan) * 256 / 127;
    int32_t rechts = k.pan >= 128 ? 256 : k.pan * 256 / 128;
    k.faktor_l = int32_t(int64_t(k.lautstaerke) * links * 65536 / (255 * 256));
    k.faktor_r = int32_t(int64_t(k.lautstaerke) * rechts * 65536 / (255 * 256));
}

void kanal_freigeben(Kanal& k) {
    k.pcm.reset();
    k.klang = 0;
    ++k.generation;
}

std::shared_ptr<const Pcm> dekodieren(const uint8_t* daten, size_t bytes) {
    AudioWav wav;
    if (!Audio_Wav_Lesen(daten, bytes, &wav)) return nullptr;
    auto pcm = std::make_shared<Pcm>();
    pcm->kanaele = wav.kanaele;
    const size_t werte = wav.pcm_bytes / size_t(wav.bits / 8);
    pcm->frames = uint32_t(werte / size_t(wav.kanaele));
    pcm->daten.resize(werte);
    const uint8_t* q = daten + wav.pcm_offset;
    for (size_t i = 0; i < werte; ++i)
        pcm->daten[i] = wav.bits == 8 ? int16_t((int32_t(q[i]) - 128) << 8) : int16_t(le16(q + 2 * i));
    pcm->schritt = uint32_t((uint64_t(wav.rate) << 16) / AUDIO_RATE);
    return pcm;
}

int32_t klang_eintragen(std::shared_ptr<const Pcm> pcm) {
    for (size_t i = 0; i < g.klaenge.size(); ++i)
        if (!g.klaenge[i]) {
            g.klaenge[i] = std::move(pcm);
            return int32_t(i + 1);
        }
    g.klaenge.push_back(std::move(pcm));
    return int32_t(g.klaenge.size());
}

void mischen_gesperrt(int16_t* out, size_t frames) {
    g.summe.assign(frames * 2, 0);
    if (g.offen) {
        for (Kanal& k : g.kanal) {
            if (!k.pcm || k.pausiert) continue;
            const Pcm& p = *k.pcm;
            const int16_t* d = p.daten.data();
            const uint64_t ende = uint64_t(p.frames) << 16;
            for (size_t i = 0; i < frames; ++i) {
                if (k.pos >= ende) {
                    if (!k.schleife || p.frames == 0) {
                        kanal_freigeben(k);
                        break;
                    }
                    k.pos %= ende;
                }
                const size_t f = size_t(k.pos >> 16);
                int32_t l, r;
                if (p.kanaele == 2) {
                    l = d[2 * f];
                    r = d[2 * f + 1];
                } else {
                    l = r = d[f];
                }
                g.summe[2 * i] += int32_t((int64_t(l) * k.faktor_l) >> 16);
                g.summe[2 * i + 1] += int32_t((int64_t(r) * k.faktor_r) >> 16);
                k.pos += p.schritt;
            }
        }
    }
    for (size_t i = 0; i < frames * 2; ++i) out[i] = int16_t(std::clamp(g.summe[i], -32768, 32767));
}

#ifdef VELMORA_HAVE_SDL
void sdl_rueckruf(void*, Uint8* strom, int laenge) {
    std::lock_guard<std::mutex> lock(g.sperre);
    mischen_gesperrt(reinterpret_cast<int16_t*>(strom), size_t(laenge) / 4);
}
#endif

}  // namespace

bool Audio_Wav_Lesen(const uint8_t* daten, size_t bytes, AudioWav* out) {
    if (!daten || !out || bytes < 12) return false;
    if (std::memcmp(daten, "RIFF", 4) != 0 || std::memcmp(daten + 8, "WAVE", 4) != 0) return false;
    AudioWav w;
    bool fmt = false;
    size_t pos = 12;
    while (pos + 8 <= bytes) {
        const uint8_t* kopf = daten + pos;
        const size_t groesse = le32(kopf + 4);
        pos += 8;
        if (groesse > bytes - pos) return false;
        if (std::memcmp(kopf, "fmt ", 4) == 0) {
            if (groesse < 16) return false;
            const uint8_t* f = daten + pos;
            if (le16(f) != 1) return false;   // PCM only
            w.kanaele = int32_t(le16(f + 2));
            w.rate = int32_t(le32(f + 4));
            w.bits = int32_t(le16(f + 14));
            const uint32_t block = le16(f + 12);
            if (w.kanaele < 1 || w.kanaele > 2 || (w.bits != 8 && w.bits != 16) || w.rate < 1000 ||
                w.rate > 192000 || block != uint32_t(w.kanaele * w.bits / 8))
                return false;
            fmt = true;
        } else if (std::memcmp(kopf, "data", 4) == 0) {
            if (!fmt) return false;   // the format must come first
            const size_t block = size_t(w.kanaele * w.bits / 8);
            w.pcm_offset = pos;
            w.pcm_bytes = groesse / block * block;
            *out = w;
            return true;
        }
        pos += groesse + (groesse & 1);
    }
    return false;
}

std::vector<uint8_t> Audio_Wav_Bauen(int32_t kanaele, int32_t rate, const std::vector<int16_t>& werte) {
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto kennung = [&](const char* k) {
        for (int i = 0; i < 4; ++i) out.push_back(uint8_t(k[i]));
    };
    const uint32_t daten = uint32_t(werte.size() * 2);
    kennung("RIFF");
    u32(36 + daten);
    kennung("WAVE");
    kennung("fmt ");
    u32(16);
    u16(1);
    u16(uint32_t(kanaele));
    u32(uint32_t(rate));
    u32(uint32_t(rate * kanaele * 2));
    u16(uint32_t(kanaele * 2));
    u16(16);
    kennung("data");
    u32(daten);
    for (int16_t w : werte) u16(uint16_t(w));
    return out;
}

bool Audio_Oeffnen(AudioBackend backend) {
    Audio_Schliessen();
    if (backend == AUDIO_GERAET) {
#ifdef VELMORA_HAVE_SDL
        if (!Sdl_Laden() || Sdl().SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        // A driver that lists no output device has none: opening its default
        // would only fill stderr with the sound library's complaints. A count
        // of -1 means the driver cannot tell, and the device is tried.
        if (Sdl().SDL_GetNumAudioDevices(0) == 0) {
            Sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_AudioSpec will{}, hat{};
        will.freq = AUDIO_RATE;
        will.format = AUDIO_S16SYS;
        will.channels = 2;
        will.samples = 512;
        will.callback = sdl_rueckruf;
        g.geraet = Sdl().SDL_OpenAudioDevice(nullptr, 0, &will, &hat, 0);
        if (g.geraet == 0) {
            Sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
#else
        return false;
#endif
    }
    {
        std::lock_guard<std::mutex> lock(g.sperre);
        g.backend = backend;
        g.offen = true;
    }
#ifdef VELMORA_HAVE_SDL
    if (g.geraet) Sdl().SDL_PauseAudioDevice(g.geraet, 0);
#endif
    return true;
}

void Audio_Schliessen() {
#ifdef VELMORA_HAVE_SDL
    if (g.geraet) {
        Sdl().SDL_CloseAudioDevice(g.geraet);   // waits for the callback to return
        g.geraet = 0;
        Sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
#endif
    std::lock_guard<std::mutex> lock(g.sperre);
    for (Kanal& k : g.kanal)
        if (k.pcm) kanal_freigeben(k);
    g.klaenge.clear();
    g.offen = false;
}

bool Audio_Offen() {
    std::lock_guard<std::mutex> lock(g.sperre);
    return g.offen;
}

int32_t Audio_Klang_Speicher(const uint8_t* daten, size_t bytes) {
    auto pcm = dekodieren(daten, bytes);   // outside the lock: the mixer keeps running
    std::lock_guard<std::mutex> lock(g.sperre);
    if (!g.offen || !pcm) return 0;
    return klang_eintragen(std::move(pcm));
}

int32_t Audio_Klang_Datei(const char* pfad) {
    std::vector<uint8_t> bytes;
    if (!pfad || !Plat_Read_All(pfad, bytes)) return 0;
    return Audio_Klang_Speicher(bytes.data(), bytes.size());
}

bool Audio_Klang_Freigeben(int32_t klang) {
    std::lock_guard<std::mutex> lock(g.sperre);
    if (klang < 1 || size_t(klang) > g.klaenge.size() || !g.klaenge[size_t(klang - 1)]) return false;
    for (Kanal& k : g.kanal)
        if (k.pcm && k.klang == klang) kanal_freigeben(k);
    g.klaenge[size_t(klang - 1)].reset();
    return true;
}

uint32_t Audio_Klang_Frames(int32_t klang) {
    std::lock_guard<std::mutex> lock(g.sperre);
    if (klang < 1 || size_t(klang) > g.klaenge.size() || !g.klaenge[size_t(klang - 1)]) return 0;
    return g.klaenge[size_t(klang - 1)]->frames;
}

int32_t Audio_Spielen(int32_t klang, bool schleife, bool pausiert) {
    std::lock_guard<std::mutex> lock(g.sperre);
    if (!g.offen || klang < 1 || size_t(klang) > g.klaenge.size() || !g.klaenge[size_t(klang - 1)]) return -1;
    for (int32_t i = 0; i < AUDIO_KANAELE; ++i) {
        Kanal& k = g.kanal[i];
        if (k.pcm) continue;
        k.pcm = g.klaenge[size_t(klang - 1)];
        k.klang = klang;
        k.pos = 0;
        k.schleife = schleife;
        k.pausiert = pausiert;
        k.lautstaerke = 255;
        k.pan = 128;
        faktoren_setzen(k);
        return handle_von(i);
    }
    return -1;
}

bool Audio_Kanal_Stop(int32_t kanal) {
    std::lock_guard<std::mutex> lock(g.sperre);
    Kanal* k = kanal_von(kanal);
    if (!k) return false;
    kanal_freigeben(*k);
    return true;
}

bool Audio_Kanal_Pause(int32_t kanal, bool pause) {
    std::lock_guard<std::mutex> lock(g.sperre);
    Kanal* k = kanal_von(kanal);
    if (!k) return false;
    k->pausiert = pause;
    return true;
}

bool Audio_Kanal_Lautstaerke(int32_t kanal, int32_t lautstaerke) {
    std::lock_guard<std::mutex> lock(g.sperre);
    Kanal* k = kanal_von(kanal);
    if (!k) return false;
    k->lautstaerke = std::clamp(lautstaerke, 0, 255);
    faktoren_setzen(*k);
    return true;
}

bool Audio_Kanal_Pan(int32_t kanal, int32_t pan) {
    std::lock_guard<std::mutex> lock(g.sperre);
    Kanal* k = kanal_von(kanal);
    if (!k) return false;
    k->pan = std::clamp(pan, 0, 255);
    faktoren_setzen(*k);
    return true;
}

bool Audio_Kanal_Aktiv(int32_t kanal) {
    std::lock_guard<std::mutex> lock(g.sperre);
    return kanal_von(kanal) != nullptr;
}

int32_t Audio_Kanaele_Aktiv() {
    std::lock_guard<std::mutex> lock(g.sperre);
    int32_t n = 0;
    for (const Kanal& k : g.kanal) n += k.pcm ? 1 : 0;
    return n;
}

void Audio_Mischen(int16_t* out, size_t frames) {
    if (!out) return;
    std::lock_guard<std::mutex> lock(g.sperre);
    mischen_gesperrt(out, frames);
}

}  // namespace velmora
