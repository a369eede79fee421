#include "media/video.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/hooks.h"
#include "core/mem.h"
#include "core/reg.h"
#include "core/res.h"
#include "gfx/colour.h"
#include "media/sound.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "tests/core/temp_verz.h"
#include "tests/media/film_hilfe.h"

using namespace velmora;
using namespace velmora::test;

namespace {

// Films in memory on a virtual clock, drawn into an 800 x 600 screen; every
// test leaves no slot and no block behind.
struct Slots : ::testing::Test {
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600);
    size_t bloecke = 0;
    void SetUp() override {
        Plat_Uhr_Virtuell(true, 1000);
        ASSERT_TRUE(Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 16));
        bloecke = Mem_Anzahl_Bloecke();
    }
    void TearDown() override {
        EXPECT_TRUE(Bnk_RelAll());
        for (int32_t i = 0; i < BINK_SLOTS; ++i) EXPECT_EQ(Bink_Slot(i)->slot, -1);
        EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke);
        Plat_Uhr_Virtuell(false);
    }
    static BINK_VIDEO* oeffnen(int32_t bilder, int32_t loops, int32_t start, std::vector<uint8_t> ton = {}) {
        return Bnk_InitV(Film_Block(Film_Testbau(4, 4, bilder, std::move(ton))), nullptr, loops, start, 0, 0,
                         BINK_SPEICHER, "TestVideo", 0);
    }
    // One program frame `ms` after the last; the frame the screen then shows
    // at (0, 0), 0 when no film was drawn.
    int32_t frame(uint32_t ms = 40) {
        std::fill(schirm.begin(), schirm.end(), 0);
        Plat_Uhr_Vorstellen(ms);
        Bnk_DoFrameAll(schirm.data(), 800 * 2, 600);
        for (int32_t k = 1; k < 100; ++k)
            if (schirm[0] == Bild_Farbe(k)) return k;
        return 0;
    }
    std::vector<int32_t> frames(int32_t n) {
        std::vector<int32_t> v;
        for (int32_t i = 0; i < n; ++i) v.push_back(frame());
        return v;
    }
};

// Loop counts and loop starts of a 4-frame film, 40 ms a program frame.
TEST_F(Slots, LoopsFromTheLoopStartOrEndsPausedOnTheLastFrame) {
    struct Fall {
        int32_t loops, start;
        std::vector<int32_t> gezeigt;
    };
    const Fall faelle[] = {
        {0, 1, {1, 2, 3, 4, 2, 3, 4, 2, 3, 4}},   // endless, each further pass from frame 2
        // Twice, then paused on frame 4: the frame that ends the last pass
        // pauses the film before it is drawn, and it is no longer drawn.
        {2, 0, {1, 2, 3, 4, 1, 2, 3, 0, 0, 0}},
        {1, 0, {1, 2, 3, 0, 0, 0, 0, 0, 0, 0}},
        {0, 99, {1, 2, 3, 4, 4, 4, 4, 4, 4, 4}},  // a loop start beyond the film: its last frame
    };
    for (const Fall& f : faelle) {
        BINK_VIDEO* v = oeffnen(4, f.loops, f.start);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(frame(), 0) << "opened paused";
        EXPECT_TRUE(Bnk_PauseV(v, false));
        EXPECT_EQ(frames(10), f.gezeigt) << "loops " << f.loops << " from " << f.start;
        if (f.loops) {
            EXPECT_EQ(Bnk_FrameV(v), 4);
            EXPECT_EQ(Bnk_PauseFlagV(v), 1) << "the last request stays";
        }
        EXPECT_TRUE(Bnk_RelV(v));
    }
}

TEST_F(Slots, PauseFreezesAndResumesStopRewindsGotoClamps) {
    BINK_VIDEO* v = oeffnen(4, 0, 0);
    ASSERT_NE(v, nullptr);
    Bnk_PauseV(v, false);
    EXPECT_EQ(frames(2), (std::vector<int32_t>{1, 2}));
    EXPECT_TRUE(Bnk_PauseV(v, true));
    EXPECT_EQ(frames(3), (std::vector<int32_t>{0, 0, 0}));
    frame(5000);
    EXPECT_EQ(Bnk_FrameV(v), 3);
    Bnk_PauseV(v, false);
    EXPECT_EQ(frames(2), (std::vector<int32_t>{3, 4})) << "on from the same frame";
    EXPECT_TRUE(Bnk_StopV(v));
    EXPECT_EQ(Bnk_FrameV(v), 1);
    EXPECT_EQ(Bnk_PauseFlagV(v), 0);
    EXPECT_EQ(frame(), 0);
    const int32_t ziel[][2] = {{3, 3}, {0, 1}, {-7, 1}, {5, 4}, {2717, 4}};
    for (const auto& z : ziel) EXPECT_EQ(Bnk_GotoV(v, z[0]), z[1]) << z[0];
    Bnk_PauseV(v, false);
    EXPECT_EQ(frame(), 4);
}

TEST_F(Slots, NinthFilmFindsNoSlot) {
    for (int32_t i = 0; i < BINK_SLOTS; ++i) ASSERT_EQ(oeffnen(2, 0, 0), Bink_Slot(i));
    const uintptr_t block = Film_Block(Film_Testbau(4, 4, 2));
    EXPECT_EQ(Bnk_InitV(block, nullptr, 0, 0, 0, 0, BINK_SPEICHER, "TestVideo", 0), nullptr);
    Mem_Free(reinterpret_cast<void*>(block));
}

// Null and free slots: every operation returns its neutral value and nothing happens.
TEST_F(Slots, NullAndFreeSlotsDoNothing) {
    BINK_VIDEO* frei = const_cast<BINK_VIDEO*>(Bink_Slot(5));
    BINK_VIDEO* v = oeffnen(3, 0, 0);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(Bnk_RelV(v));
    for (BINK_VIDEO* s : {static_cast<BINK_VIDEO*>(nullptr), frei, v}) {
        const bool null = s == nullptr;
        EXPECT_EQ(Bnk_RelV(s), !null);
        EXPECT_EQ(Bnk_PauseV(s, false), !null);
        EXPECT_EQ(Bnk_StopV(s), !null);
        EXPECT_EQ(Bnk_GotoV(s, 2), -1);
        EXPECT_EQ(Bnk_FrameV(s), -1);
        EXPECT_EQ(Bnk_PauseFlagV(s), 0);
    }
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(std::count(schirm.begin(), schirm.end(), 0), 800 * 600);
}

// 25 frames a second under 20 ms program frames: a step every second frame; a
// stalled frame of 500 ms steps once and the film goes on from there; never
// two frames unpacked in one program frame.
TEST_F(Slots, PacesByTheClockWithoutRacing) {
    BINK_VIDEO* v = oeffnen(60, 0, 0);
    ASSERT_NE(v, nullptr);
    Bnk_PauseV(v, false);
    std::vector<int32_t> gezeigt;
    for (uint32_t ms : {20, 20, 20, 20, 20, 20, 500, 20, 20, 20, 20}) {
        const uint32_t vorher = Film_Entpackt(v->video);
        gezeigt.push_back(frame(ms));
        EXPECT_LE(Film_Entpackt(v->video) - vorher, 1u);
    }
    EXPECT_EQ(gezeigt, (std::vector<int32_t>{1, 2, 2, 3, 3, 4, 5, 5, 6, 6, 7}));
}

// Ctrl+B sets the screen up again: the film keeps its slot and plays on, now
// copied in the new depth's form.
TEST_F(Slots, ScreenSetUpKeepsPlayingFilms) {
    BINK_VIDEO* v = oeffnen(8, 0, 0);
    ASSERT_NE(v, nullptr);
    Bnk_PauseV(v, false);
    EXPECT_EQ(frames(2), (std::vector<int32_t>{1, 2}));
    EXPECT_TRUE(Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 16));
    EXPECT_EQ(v->slot, 0);
    EXPECT_EQ(frame(), 3);
    EXPECT_TRUE(Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 15));
    frame();
    EXPECT_EQ(schirm[0], Colour_565_To_555(Bild_Farbe(4)));
    EXPECT_FALSE(Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 8));
    EXPECT_EQ(frame(), 0) << "no copy for a palette screen";
    EXPECT_EQ(Bnk_FrameV(v), 6);
    EXPECT_TRUE(Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 16));
}

int32_t g_effekte = 1;

// The sound track starts with the first frame of a pass and stops on pause;
// with the effects off the film plays silent.
TEST_F(Slots, SoundTrackStartsWithThePassAndStopsOnPause) {
    ASSERT_EQ(Sound_Init_Mit(AUDIO_OHNE_GERAET), 1);
    Core_Hooks().manager_option_lesen = [](int32_t n) { return n == SOUND_OPTION_EFFEKTE ? g_effekte : 1; };
    const std::vector<uint8_t> ton = Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(AUDIO_RATE, 3000));
    for (int32_t effekte : {1, 0}) {
        g_effekte = effekte;
        BINK_VIDEO* v = oeffnen(50, 0, 0, ton);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(Audio_Kanaele_Aktiv(), 0) << "opened paused";
        Bnk_PauseV(v, false);
        frame();
        EXPECT_EQ(Audio_Kanaele_Aktiv(), effekte);
        Bnk_PauseV(v, true);
        EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
        Bnk_RelV(v);
    }
    Core_Hooks().manager_option_lesen = nullptr;
    Sound_Close();
}

// Films from the film resource file: "res_27" names it; empty, it is written
// with the default name and the caller's name is opened.
TEST_F(Slots, ResourceFileFromTheSettingWithTheDefaultWrittenBack) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    const std::string resfile = welt.install + "/resfile/";
    ASSERT_TRUE(Res_Hrf_Schreiben((resfile + "animationen.res").c_str(),
                                  {Film_Testbau(4, 4, 2), {}, Film_Testbau(8, 6, 3), {'V', 'F'}}, false, 0));
    ASSERT_TRUE(Res_Hrf_Schreiben((resfile + "andere.res").c_str(), {Film_Testbau(2, 2, 1), Film_Testbau(16, 9, 5)}, false, 0));
    struct Fall {
        const char* res_27;
        const char* datei;
        int32_t eintrag;
        int32_t breite, bilder;   // 0: no film
        const char* danach;       // "res_27" after the call
    };
    const Fall faelle[] = {
        {"", "animationen.res", 2, 8, 3, "animationen.res"},
        {"andere.res", "animationen.res", 1, 16, 5, "andere.res"},
        {"", "andere.res", 0, 2, 1, "animationen.res"},
        {"animationen.res", nullptr, 1, 0, 0, "animationen.res"},   // an empty entry
        {"animationen.res", nullptr, 3, 0, 0, "animationen.res"},   // no film in the entry
        {"animationen.res", nullptr, 4, 0, 0, "animationen.res"},   // beyond the table
        {"fehlt.res", nullptr, 0, 0, 0, "fehlt.res"},
    };
    for (const Fall& f : faelle) {
        ASSERT_TRUE(Reg_Write_Key_String(REG_PRODUKT_SCHLUESSEL, "res_27", f.res_27));
        BINK_VIDEO* v = Bnk_InitV(uintptr_t(f.eintrag), f.datei, 0, 0, 10, 10, BINK_DATEI, "TestVideo", 1);
        char danach[99] = {};
        Reg_Read_Key_String(REG_PRODUKT_SCHLUESSEL, "res_27", danach, sizeof danach);
        EXPECT_STREQ(danach, f.danach) << f.res_27 << " " << f.eintrag;
        if (!f.breite) {
            EXPECT_EQ(v, nullptr) << f.res_27 << " " << f.eintrag;
            continue;
        }
        ASSERT_NE(v, nullptr) << f.res_27 << " " << f.eintrag;
        EXPECT_EQ(v->breite, f.breite);
        EXPECT_EQ(Film_Bilder(v->video), f.bilder);
        ASSERT_NE(v->rastport, nullptr);
        EXPECT_EQ(int32_t(v->rastport->width), f.breite);
        Bnk_PauseV(v, false);
        frame();
        EXPECT_EQ(schirm[10 * 800 + 10], Bild_Farbe(1));
        Bnk_RelV(v);
    }
}

}  // namespace
