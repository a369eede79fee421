#include "media/film.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/bytes.h"
#include "core/mem.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "tests/media/film_hilfe.h"

using namespace velmora;
using namespace velmora::test;

namespace {

Film* aus(const std::vector<uint8_t>& d) { return Film_Oeffnen_Speicher(d.data(), d.size()); }

// Each damage of a good film's bytes gets the film refused, and nothing of it stays behind.
TEST(FilmFormat, RefusesFilmsThatBreakTheLayout) {
    const std::vector<uint8_t> gut = Film_Testbau(8, 4, 3, Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(64, 9)));
    Film* f = aus(gut);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Film_Breite(f), 8);
    EXPECT_EQ(Film_Hoehe(f), 4);
    EXPECT_EQ(Film_Bilder(f), 3);
    Film_Schliessen(f);
    const uint32_t tabelle = Bytes_Get32(gut.data() + 20), ton = Bytes_Get32(gut.data() + 24);
    const uint32_t groesse = uint32_t(gut.size());
    struct Fall {
        const char* was;
        std::function<void(std::vector<uint8_t>&)> schaden;
    };
    const Fall faelle[] = {
        {"magic", [](auto& d) { d[0] = 'X'; }},
        {"version 2", [](auto& d) { Bytes_Put16(d.data() + 4, 2); }},
        {"width 0", [](auto& d) { Bytes_Put16(d.data() + 8, 0); }},
        {"width 801", [](auto& d) { Bytes_Put16(d.data() + 8, 801); }},
        {"height 601", [](auto& d) { Bytes_Put16(d.data() + 10, 601); }},
        {"no frames", [](auto& d) { Bytes_Put32(d.data() + 12, 0); }},
        {"frame time 0", [](auto& d) { Bytes_Put32(d.data() + 16, 0); }},
        {"table outside", [&](auto& d) { Bytes_Put32(d.data() + 20, groesse - 8); }},
        {"frame outside", [&](auto& d) { Bytes_Put32(d.data() + tabelle + 8, groesse - 4); }},
        {"first frame repeats", [&](auto& d) { Bytes_Put32(d.data() + tabelle + 4, 0); }},
        {"sound outside", [&](auto& d) { Bytes_Put32(d.data() + 24, groesse - 10); }},
        {"sound without flag", [](auto& d) { Bytes_Put16(d.data() + 6, 0); }},
        {"flag without sound", [](auto& d) { Bytes_Put32(d.data() + 28, 0); }},
        {"sound no WAV", [&](auto& d) { d[ton] = 'X'; }},
        {"cut header", [](auto& d) { d.resize(20); }},
        {"cut table", [&](auto& d) { d.resize(tabelle + 12); }},
    };
    const size_t bloecke = Mem_Anzahl_Bloecke();
    for (const Fall& fall : faelle) {
        std::vector<uint8_t> d = gut;
        fall.schaden(d);
        Film* kaputt = aus(d);
        EXPECT_EQ(kaputt, nullptr) << fall.was;
        Film_Schliessen(kaputt);
    }
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke);
}

// Frame 2 is damaged zlib data, frame 3 unpacks to the wrong size, frames 5
// and 6 repeat 4: the picture stays on the last good frame, and a repeated
// frame is not unpacked again.
TEST(FilmFormat, ShowsTheLastGoodPictureAndUnpacksRepeatsOnce) {
    std::vector<uint8_t> d = Film_Testbau(8, 4, 6, {}, {5, 6});
    const uint32_t tabelle = Bytes_Get32(d.data() + 20);
    const uint32_t b2 = Bytes_Get32(d.data() + tabelle + 8), b3 = Bytes_Get32(d.data() + tabelle + 16);
    d[b2 + 12] ^= 0x5A;
    d[b2 + 13] ^= 0xA5;
    Bytes_Put32(d.data() + b3, 8 * 4 * 2 - 2);
    Film* f = aus(d);
    ASSERT_NE(f, nullptr);
    const int32_t soll[] = {1, 1, 1, 4, 4, 4};
    const uint32_t entpackt[] = {1, 2, 3, 4, 4, 4};
    for (int32_t k = 1; k <= 6; ++k) {
        Film_Gehe_Zu(f, k);
        Film_Zeigen(f);
        EXPECT_EQ(Film_Pixel(f)[0], Bild_Farbe(soll[k - 1])) << "frame " << k;
        EXPECT_EQ(Film_Entpackt(f), entpackt[k - 1]) << "frame " << k;
    }
    Film_Schliessen(f);
}

// A 320 x 240 film copied into an 800 x 600 target of each kind: only the
// part inside the target is written, in the target's pixel form.
TEST(FilmKopie, ClipsToTheTargetAndConvertsToItsKind) {
    const std::vector<uint8_t> d = Film_Testbau(320, 240, 1);
    Film* f = aus(d);
    ASSERT_NE(f, nullptr);
    const uint16_t c = Bild_Farbe(1);
    // Channels widen by repeating their top bits.
    const uint32_t r = c >> 11, g = c >> 5 & 63, b = c & 31;
    const uint8_t r8 = uint8_t(r << 3 | r >> 2), g8 = uint8_t(g << 2 | g >> 4), b8 = uint8_t(b << 3 | b >> 2);
    const uint16_t c555 = uint16_t((c >> 11) << 10 | (c >> 6 & 31) << 5 | (c & 31));
    struct Fall {
        uint32_t art;
        int32_t bpp, x, y;
        std::vector<uint8_t> pixel;
    };
    const Fall faelle[] = {
        {FILM_ZIEL_565, 2, 700, 550, {uint8_t(c), uint8_t(c >> 8)}},
        {FILM_ZIEL_565, 2, -100, -200, {uint8_t(c), uint8_t(c >> 8)}},
        {FILM_ZIEL_565, 2, 800, 0, {}},
        {FILM_ZIEL_555, 2, 10, 20, {uint8_t(c555), uint8_t(c555 >> 8)}},
        {FILM_ZIEL_24, 3, 600, 500, {b8, g8, r8}},
        {FILM_ZIEL_32, 4, -5, 400, {b8, g8, r8, 0}},
    };
    for (const Fall& fall : faelle) {
        const int32_t pitch = 800 * fall.bpp;
        std::vector<uint8_t> ziel(size_t(pitch) * 600, 0xEE);
        EXPECT_EQ(Film_Kopieren(f, ziel.data(), pitch, 600, fall.x, fall.y, fall.art), 0);
        size_t falsch = 0, drin = 0;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = 0; x < 800; ++x) {
                const bool im_film = x >= fall.x && x < fall.x + 320 && y >= fall.y && y < fall.y + 240;
                drin += im_film;
                for (int32_t b = 0; b < fall.bpp; ++b) {
                    const uint8_t ist = ziel[size_t(y) * pitch + size_t(x) * fall.bpp + b];
                    falsch += ist != (im_film ? fall.pixel[b] : 0xEE);
                }
            }
        EXPECT_EQ(falsch, 0u) << "kind " << fall.art << " at " << fall.x << "," << fall.y << " (" << drin << " pixels)";
    }
    Film_Schliessen(f);
}

}  // namespace
