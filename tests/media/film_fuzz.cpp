// Opens arbitrary bytes as a film, and a good film damaged where the bytes
// say, then shows and copies every frame of what opens, by itself and through
// a video slot: nothing may read or write outside the film, its picture or
// the target, or crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/mem.h"
#include "media/film.h"
#include "media/video.h"
#include "platform/audio.h"
#include "platform/clock.h"

using namespace velmora;

namespace {

// A small film with a repeated frame and a sound track, the base the damage is done to.
std::vector<uint8_t> guter_film() {
    FilmBau b;
    b.breite = 7;
    b.hoehe = 5;
    std::vector<uint16_t> px(35);
    for (int32_t k = 0; k < 4; ++k) {
        for (size_t i = 0; i < px.size(); ++i) px[i] = uint16_t(k * 977 + i * 31);
        b.bilder.push_back(k == 2 ? std::vector<uint8_t>{} : Film_Bild_Packen(px.data(), 7, 5));
    }
    b.ton = Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(16, 100));
    return Film_Zusammensetzen(b);
}

void abspielen(const std::vector<uint8_t>& d, uint8_t lage) {
    Film* f = Film_Oeffnen_Speicher(d.data(), d.size());
    if (f) {
        std::vector<uint16_t> ziel(64 * 48);
        for (int32_t k = 0; k <= Film_Bilder(f) + 1; ++k) {
            Film_Gehe_Zu(f, k);
            Film_Zeigen(f);
            Film_Kopieren(f, ziel.data(), 64 * 2, 48, int32_t(lage % 80) - 10, int32_t(lage / 4) - 10, FILM_ZIEL_565);
            Film_Kopieren(f, ziel.data(), 64 * 2, 48, 60, 40, FILM_ZIEL_555);
        }
        Film_Schliessen(f);
    }
    // Through a slot: the block becomes the slot's and is freed with it.
    void* block = Mem_Alloc(d.size() ? d.size() : 1, "Fuzz");
    if (!d.empty()) std::memcpy(block, d.data(), d.size());
    BINK_VIDEO* v = Bnk_InitV(reinterpret_cast<uintptr_t>(block), nullptr, lage % 3, lage, 30, 20, BINK_SPEICHER, "Fuzz", 1);
    if (!v) {
        Mem_Free(block);
        return;
    }
    std::vector<uint16_t> schirm(64 * 48);
    Bnk_PauseV(v, false);
    for (int32_t i = 0; i < 12; ++i) {
        Plat_Uhr_Vorstellen(40);
        Bnk_DoFrameAll(schirm.data(), 64 * 2, 48);
    }
    Bnk_RelV(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    static const std::vector<uint8_t> gut = guter_film();
    static const bool bereit = [] {
        Plat_Uhr_Virtuell(true, 1);
        return Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 16);
    }();
    (void)bereit;
    abspielen(std::vector<uint8_t>(daten, daten + bytes), bytes ? daten[0] : 0);
    // The same bytes as damage: pairs of a position and a value.
    std::vector<uint8_t> d = gut;
    for (size_t i = 0; i + 1 < bytes; i += 2) d[daten[i] % d.size()] = daten[i + 1];
    if (bytes & 1) d.resize(d.size() - daten[bytes - 1] % 32);
    abspielen(d, bytes ? daten[bytes - 1] : 0);
    return 0;
}
