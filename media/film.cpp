// media/film.cpp - the film player and the film writer.
#include "media/film.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/file.h"
#include "core/le.h"
#include "core/mem.h"
#include "core/optionen.h"
#include "core/pack.h"
#include "gfx/colour.h"
#include "media/sound.h"
#include "platform/audio.h"
#include "platform/clock.h"

namespace velmora {

struct FilmEintrag {              // one row of the frame table as the player keeps it
    uint32_t offset;
    uint32_t laenge;
    int32_t quelle;               // the frame (from 0) whose pixels this one shows
};

// Everything lives in tracked blocks, so a film that is never closed shows in
// the block count.
struct Film {
    int32_t handle;               // -1 for a film in memory
    uint32_t basis;               // the film's start in the file
    const uint8_t* speicher;
    uint32_t laenge;
    int32_t breite, hoehe, bilder;
    uint32_t bild_us;
    FilmEintrag* tabelle;
    uint8_t* lesepuffer;          // one packed frame read from the file
    uint16_t* pixel;              // the picture shown
    uint16_t* neu;                // a frame being unpacked
    int32_t im_bild;              // the frame (from 0) whose pixels `pixel` holds, -1 none
    int32_t aktuell;              // from 1
    bool pausiert;
    bool durchgang;               // the next frame shown begins a pass
    uint32_t faellig_ms;
    uint32_t faellig_rest_us;     // below the millisecond
    Sound_Handle* ton;
    uint32_t entpackt;
};

namespace {

bool lesen(const Film* f, uint32_t offset, void* ziel, uint32_t n) {
    if (uint64_t(offset) + n > f->laenge) return false;
    if (f->speicher) {
        std::memcpy(ziel, f->speicher + offset, n);
        return true;
    }
    const int32_t pos = int32_t(f->basis + offset);
    return File_Seek(f->handle, pos, 0) == pos && File_Read(ziel, 1, int32_t(n), f->handle) == int32_t(n);
}

void frei(Film* f) {
    if (!f) return;
    Mem_Free(f->tabelle);
    Mem_Free(f->lesepuffer);
    Mem_Free(f->pixel);
    Mem_Free(f->neu);
    f->~Film();
    Mem_Free(f);
}

// Unpacks frame i (from 0) into the spare picture and swaps it in; a frame
// that is damaged or of another size leaves the picture as it was.
void entpacken(Film* f, int32_t i) {
    const FilmEintrag& e = f->tabelle[i];
    const size_t bytes = size_t(f->breite) * size_t(f->hoehe) * 2;
    ++f->entpackt;
    const uint8_t* block = f->speicher ? f->speicher + e.offset : f->lesepuffer;
    if (!f->speicher && !lesen(f, e.offset, f->lesepuffer, e.laenge)) {
        Debug_Printf("Film: Bild %d nicht lesbar\n", i + 1);
        return;
    }
    if (e.laenge < PACK_KOPF || Bytes_Get32(block) != bytes ||
        Zlib_Unpack(block, e.laenge, f->neu, bytes) != int32_t(bytes)) {
        Debug_Printf("Film: Bild %d beschaedigt, das letzte bleibt stehen\n", i + 1);
        return;
    }
    std::swap(f->pixel, f->neu);
    f->im_bild = i;
}

void ton_stoppen(Film* f) {
    if (f->ton) Sound_Sample_Stop(f->ton);
}

// Reads and checks header, table and sound track; false for anything that
// does not fit the film's bytes.
bool kopf_lesen(Film* f) {
    uint8_t k[FILM_KOPF_BYTES];
    if (f->laenge < FILM_KOPF_BYTES || !lesen(f, 0, k, FILM_KOPF_BYTES)) {
        Debug_Printf("Film: kein Kopf (%u Bytes)\n", f->laenge);
        return false;
    }
    const uint16_t version = Bytes_Get16(k + 4), flags = Bytes_Get16(k + 6);
    f->breite = Bytes_Get16(k + 8);
    f->hoehe = Bytes_Get16(k + 10);
    const uint32_t bilder = Bytes_Get32(k + 12);
    f->bild_us = Bytes_Get32(k + 16);
    const uint32_t tabelle = Bytes_Get32(k + 20), ton_offset = Bytes_Get32(k + 24), ton_laenge = Bytes_Get32(k + 28);
    if (std::memcmp(k, "VFLM", 4) || version != FILM_VERSION) {
        Debug_Printf("Film: kein VFLM-Film der Version %u\n", FILM_VERSION);
        return false;
    }
    if (f->breite < 1 || f->breite > FILM_MAX_BREITE || f->hoehe < 1 || f->hoehe > FILM_MAX_HOEHE || bilder < 1 ||
        f->bild_us == 0) {
        Debug_Printf("Film: Groesse %d x %d, %u Bilder, %u us unmoeglich\n", f->breite, f->hoehe, bilder, f->bild_us);
        return false;
    }
    if (uint64_t(tabelle) + uint64_t(bilder) * 8 > f->laenge) {
        Debug_Printf("Film: Bildtabelle (%u Bilder) ausserhalb des Films\n", bilder);
        return false;
    }
    const bool hat_ton = (flags & FILM_FLAG_TON) != 0;
    if (hat_ton != (ton_laenge != 0) || uint64_t(ton_offset) + ton_laenge > f->laenge) {
        Debug_Printf("Film: Tonspur (%u+%u, Flag %d) passt nicht\n", ton_offset, ton_laenge, hat_ton);
        return false;
    }
    f->bilder = int32_t(bilder);
    uint8_t* roh = static_cast<uint8_t*>(Mem_Alloc(size_t(bilder) * 8, "Film"));
    f->tabelle = static_cast<FilmEintrag*>(Mem_Alloc(size_t(bilder) * sizeof(FilmEintrag), "Film"));
    bool ok = roh && f->tabelle && lesen(f, tabelle, roh, bilder * 8);
    uint32_t groesster = 0;
    for (uint32_t i = 0; ok && i < bilder; ++i) {
        FilmEintrag& e = f->tabelle[i];
        e.offset = Bytes_Get32(roh + 8 * i);
        e.laenge = Bytes_Get32(roh + 8 * i + 4);
        e.quelle = e.laenge ? int32_t(i) : (i ? f->tabelle[i - 1].quelle : -1);
        if (e.quelle < 0 || uint64_t(e.offset) + e.laenge > f->laenge) {
            Debug_Printf("Film: Bild %u (%u+%u) ausserhalb des Films\n", i + 1, e.offset, e.laenge);
            ok = false;
        }
        groesster = std::max(groesster, e.laenge);
    }
    Mem_Free(roh);
    if (!ok) return false;
    if (!f->speicher && !(f->lesepuffer = static_cast<uint8_t*>(Mem_Alloc(groesster, "Film")))) return false;
    if (ton_laenge) {
        uint8_t* wav = static_cast<uint8_t*>(Mem_Alloc(ton_laenge, "Film"));
        AudioWav info;
        ok = wav && lesen(f, ton_offset, wav, ton_laenge) && Audio_Wav_Lesen(wav, ton_laenge, &info);
        if (!ok) Debug_Printf("Film: Tonspur ist keine PCM-WAV-Datei\n");
        // The mixer copies the sound; without sound the film plays silent.
        if (ok && Sound_An()) f->ton = Sound_Sample_Load(wav, ton_laenge);
        Mem_Free(wav);
    }
    return ok;
}

Film* oeffnen(int32_t handle, const uint8_t* speicher, size_t laenge) {
    if (laenge > UINT32_MAX || (!speicher && handle < 0)) {
        Debug_Printf("Film: keine Quelle\n");
        return nullptr;
    }
    void* block = Mem_Alloc(sizeof(Film), "Film");
    if (!block) return nullptr;
    Film* f = new (block) Film{};
    f->handle = speicher ? -1 : handle;
    f->speicher = speicher;
    f->laenge = uint32_t(laenge);
    f->im_bild = -1;
    f->aktuell = 1;
    f->durchgang = true;
    if (!speicher) {
        const int32_t pos = File_Tell(handle);
        if (pos < 0) {
            frei(f);
            return nullptr;
        }
        f->basis = uint32_t(pos);
    }
    if (!kopf_lesen(f)) {
        if (f->ton) Sound_Sample_Free(f->ton);
        frei(f);
        return nullptr;
    }
    const size_t bytes = size_t(f->breite) * size_t(f->hoehe) * 2;
    f->pixel = static_cast<uint16_t*>(Mem_Alloc_Fill(bytes, "Film", 0));
    f->neu = static_cast<uint16_t*>(Mem_Alloc(bytes, "Film"));
    if (!f->pixel || !f->neu) {
        Film_Schliessen(f);
        return nullptr;
    }
    entpacken(f, 0);
    f->faellig_ms = Plat_Ms();
    return f;
}

}  // namespace

Film* Film_Oeffnen_Datei(int32_t handle, uint32_t laenge) { return oeffnen(handle, nullptr, laenge); }

Film* Film_Oeffnen_Speicher(const uint8_t* daten, size_t laenge) {
    if (!daten) return nullptr;
    return oeffnen(-1, daten, laenge);
}

void Film_Schliessen(Film* f) {
    if (!f) return;
    if (f->ton) {
        Sound_Sample_Stop(f->ton);
        Sound_Sample_Free(f->ton);
    }
    frei(f);
}

int32_t Film_Breite(const Film* f) { return f ? f->breite : 0; }
int32_t Film_Hoehe(const Film* f) { return f ? f->hoehe : 0; }
int32_t Film_Bilder(const Film* f) { return f ? f->bilder : 0; }
int32_t Film_Bild(const Film* f) { return f ? f->aktuell : 0; }
const uint16_t* Film_Pixel(const Film* f) { return f ? f->pixel : nullptr; }
uint32_t Film_Entpackt(const Film* f) { return f ? f->entpackt : 0; }
bool Film_Hat_Ton(const Film* f) { return f && f->ton; }

bool Film_Faellig(const Film* f) { return f && !f->pausiert && int32_t(Plat_Ms() - f->faellig_ms) >= 0; }

int32_t Film_Faellig_In(const Film* f) {
    if (!f || f->pausiert) return -1;
    const int32_t rest = int32_t(f->faellig_ms - Plat_Ms());
    return rest > 0 ? rest : 0;
}

void Film_Zeigen(Film* f) {
    if (!f) return;
    const int32_t q = f->tabelle[f->aktuell - 1].quelle;
    if (q != f->im_bild) entpacken(f, q);
    if (f->durchgang) {
        f->durchgang = false;
        if (f->ton && Optionen(SOUND_OPTION_EFFEKTE, 0, 0)) {
            Sound_Sample_Stop(f->ton);
            Sound_Sample_Play(f->ton, 255, -1, false);
        }
    }
    const uint32_t jetzt = Plat_Ms();
    f->faellig_rest_us += f->bild_us;
    f->faellig_ms += f->faellig_rest_us / 1000;
    f->faellig_rest_us %= 1000;
    if (int32_t(f->faellig_ms - jetzt) <= 0) {
        // More than a frame behind (a long frame of the program): the film
        // goes on from now instead of racing to catch up.
        f->faellig_ms = jetzt + f->bild_us / 1000;
        f->faellig_rest_us = f->bild_us % 1000;
    }
}

void Film_Naechstes(Film* f) {
    if (f && f->aktuell < f->bilder) ++f->aktuell;
}

void Film_Gehe_Zu(Film* f, int32_t bild) {
    if (!f) return;
    f->aktuell = std::clamp(bild, 1, f->bilder);
    f->durchgang = true;
}

void Film_Pause(Film* f, bool pause) {
    if (!f) return;
    if (pause) {
        ton_stoppen(f);
    } else if (f->pausiert) {
        f->faellig_ms = Plat_Ms();
        f->faellig_rest_us = 0;
    }
    f->pausiert = pause;
}

int32_t Film_Kopieren(const Film* f, void* ziel, int32_t pitch, int32_t hoehe, int32_t x, int32_t y, uint32_t art) {
    if (!f || !ziel || pitch <= 0 || hoehe <= 0) return 0;
    const int32_t bpp = art == FILM_ZIEL_565 || art == FILM_ZIEL_555 ? 2 : art == FILM_ZIEL_24 ? 3 : art == FILM_ZIEL_32 ? 4 : 0;
    if (!bpp) return 0;
    // The target's width follows from its pitch; the film is cut to it.
    const int32_t ziel_breite = pitch / bpp;
    const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int32_t x1 = int32_t(std::min<int64_t>(int64_t(x) + f->breite, ziel_breite));
    const int32_t y1 = int32_t(std::min<int64_t>(int64_t(y) + f->hoehe, hoehe));
    if (x0 >= x1 || y0 >= y1) return 0;
    const int32_t n = x1 - x0;
    for (int32_t zy = y0; zy < y1; ++zy) {
        const uint16_t* q = f->pixel + size_t(zy - y) * size_t(f->breite) + size_t(x0 - x);
        uint8_t* z = static_cast<uint8_t*>(ziel) + size_t(zy) * size_t(pitch) + size_t(x0) * size_t(bpp);
        if (art == FILM_ZIEL_565) {
            std::memcpy(z, q, size_t(n) * 2);
            continue;
        }
        for (int32_t i = 0; i < n; ++i) {
            if (art == FILM_ZIEL_555) {
                const uint16_t p = Colour_565_To_555(q[i]);
                std::memcpy(z + 2 * i, &p, 2);
                continue;
            }
            const uint32_t r = q[i] >> 11, g = q[i] >> 5 & 63, b = q[i] & 31;
            uint8_t* o = z + size_t(i) * size_t(bpp);   // blue, green, red (and a zero byte)
            o[0] = uint8_t(b << 3 | b >> 2);
            o[1] = uint8_t(g << 2 | g >> 4);
            o[2] = uint8_t(r << 3 | r >> 2);
            if (bpp == 4) o[3] = 0;
        }
    }
    return 0;
}

std::vector<uint8_t> Film_Bild_Packen(const uint16_t* pixel, int32_t breite, int32_t hoehe) {
    const uint32_t bytes = uint32_t(breite) * uint32_t(hoehe) * 2;
    std::vector<uint8_t> block(Zlib_Pack_Bound(bytes));
    block.resize(Zlib_Pack(pixel, block.data(), bytes, block.size()));
    return block;
}

std::vector<uint8_t> Film_Zusammensetzen(const FilmBau& bau) {
    std::vector<uint8_t> d = {'V', 'F', 'L', 'M'};
    const uint32_t n = uint32_t(bau.bilder.size());
    const uint32_t tabelle = FILM_KOPF_BYTES;
    uint32_t offset = tabelle + 8 * n;
    const uint32_t ton_offset = bau.ton.empty() ? 0 : offset;
    offset += uint32_t(bau.ton.size());
    Le_Put_U16(d, FILM_VERSION);
    Le_Put_U16(d, bau.ton.empty() ? 0 : FILM_FLAG_TON);
    Le_Put_U16(d, uint16_t(bau.breite));
    Le_Put_U16(d, uint16_t(bau.hoehe));
    Le_Put_U32(d, n);
    Le_Put_U32(d, bau.bild_us);
    Le_Put_U32(d, tabelle);
    Le_Put_U32(d, ton_offset);
    Le_Put_U32(d, uint32_t(bau.ton.size()));
    for (const auto& b : bau.bilder) {
        Le_Put_U32(d, b.empty() ? 0 : offset);
        Le_Put_U32(d, uint32_t(b.size()));
        offset += uint32_t(b.size());
    }
    Le_Put_Bytes(d, bau.ton.data(), bau.ton.size());
    for (const auto& b : bau.bilder) Le_Put_Bytes(d, b.data(), b.size());
    return d;
}

}  // namespace velmora
