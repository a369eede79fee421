#include "media/sound.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/hooks.h"
#include "core/mem.h"
#include "core/res.h"
#include "tests/core/temp_verz.h"

using namespace velmora;

namespace {

constexpr int16_t MUSIK_PEGEL = 10000;
constexpr int16_t SAMPLE_PEGEL = 1000;

int32_t g_optionen[2] = {1, 1};   // 42 music, 43 effects
int32_t g_res_slot = -1;

// An installation with a constant-level "background.wav" and a menu sound file
// whose entries 0-11 are short samples, 12 a broken WAV and 13 a looping hum.
struct Ton : ::testing::Test {
    velmora_test::TestWelt welt;
    void SetUp() override {
        ASSERT_TRUE(welt.ok);
        g_optionen[0] = g_optionen[1] = 1;
        Core_Hooks().manager_option_lesen = [](int32_t n) { return g_optionen[n - 42]; };
        Sound_Hooks().resourcen_slot = [](int32_t index) { return index == SOUND_RES_MENUE ? g_res_slot : -1; };
        musik_schreiben();
        std::vector<ResDateiEintrag> eintraege;
        for (int i = 0; i < 12; ++i) eintraege.push_back(block(Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(4000, SAMPLE_PEGEL))));
        eintraege.push_back(block({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'J', 'U', 'N', 'K'}));
        eintraege.push_back(block(Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(100, SAMPLE_PEGEL))));
        const std::string res = welt.install + "/resfile/menue_sound.res";
        ASSERT_TRUE(Res_Schreiben(res.c_str(), eintraege));
        g_res_slot = Res_Open(res.c_str(), 0);
        ASSERT_GE(g_res_slot, 0);
        ASSERT_EQ(Sound_Init_Mit(AUDIO_OHNE_GERAET), 1);
    }
    void TearDown() override {
        Sound_Close();
        g_res_slot = Res_Close(g_res_slot);
        Core_Hooks().manager_option_lesen = nullptr;
        Sound_Hooks().resourcen_slot = nullptr;
    }
    static ResDateiEintrag block(const std::vector<uint8_t>& b) { return Res_Datenblock(b.data(), uint32_t(b.size())); }
    void musik_schreiben() const {
        const auto wav = Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(2000, MUSIK_PEGEL));
        welt.install_datei("background.wav", std::string(wav.begin(), wav.end()));
    }
    // The left side of the next mixed frame.
    static int32_t hoeren() {
        int16_t out[2];
        Audio_Mischen(out, 1);
        return out[0];
    }
    static void pruefen(int n) {
        for (int i = 0; i < n; ++i) Backsound_Pruefen();
    }
};

}  // namespace

TEST_F(Ton, MusicStartsSilentAndFadesInByFivePerCheckTo160) {
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    for (int check = 1; check <= 40; ++check) {
        Backsound_Pruefen();
        const int32_t erwartet = std::min(5 * check, SOUND_MUSIK_MAX);
        const SoundZustand z = Sound_Zustand();
        ASSERT_EQ(z.musik_volume, erwartet) << check;
        ASSERT_EQ(z.musik_zustand, 1);
        ASSERT_EQ(z.musik->volume, erwartet);
        EXPECT_NEAR(hoeren(), MUSIK_PEGEL * erwartet / 255, 1) << check;
    }
}

TEST_F(Ton, OptionFortyTwoOffStopsTheMusicAndOnStartsItSilent) {
    pruefen(40);
    ASSERT_EQ(Audio_Kanaele_Aktiv(), 1);
    g_optionen[0] = 0;
    Backsound_Pruefen();
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    EXPECT_EQ(Sound_Zustand().musik, nullptr);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    EXPECT_EQ(hoeren(), 0);
    pruefen(3);
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    g_optionen[0] = 1;
    Backsound_Pruefen();
    EXPECT_EQ(Sound_Zustand().musik_volume, 5);
    EXPECT_EQ(Sound_Zustand().musik->volume, 5);
}

TEST_F(Ton, ASampleDucksTheMusicFor40ChecksThenItRisesAgain) {
    pruefen(40);
    ASSERT_EQ(Sound_Zustand().musik_volume, 160);
    ASSERT_EQ(Sample_Spielen(0, false), 0);
    EXPECT_EQ(Sound_Zustand().musik_volume, 120);
    EXPECT_EQ(Sound_Zustand().musik->volume, 120);
    EXPECT_EQ(Sound_Zustand().duck, 40);
    const int32_t folge[] = {105, 90, 75, 60, 50, 50};
    for (int32_t v : folge) {
        Backsound_Pruefen();
        EXPECT_EQ(Sound_Zustand().musik_volume, v);
        EXPECT_EQ(Sound_Zustand().musik->volume, v);
    }
    pruefen(34);
    EXPECT_EQ(Sound_Zustand().duck, 0);
    EXPECT_EQ(Sound_Zustand().musik_volume, 50);
    Backsound_Pruefen();
    EXPECT_EQ(Sound_Zustand().musik_volume, 55);
}

TEST_F(Ton, ALoopingSamplePausesTheMusicUntilSamplesStop) {
    pruefen(40);
    ASSERT_EQ(Sample_Spielen(13, true), 0);
    SoundZustand z = Sound_Zustand();
    EXPECT_EQ(z.exklusiv, 1);
    EXPECT_EQ(z.musik_zustand, 2);
    EXPECT_EQ(z.musik_volume, 0);
    EXPECT_EQ(hoeren(), SAMPLE_PEGEL);   // only the sample sounds
    pruefen(50);
    EXPECT_EQ(Sound_Zustand().musik_zustand, 2);
    for (int i = 0; i < 1000; ++i) hoeren();   // the loop goes on past its 100 frames
    EXPECT_EQ(hoeren(), SAMPLE_PEGEL);
    Samples_Stop();
    z = Sound_Zustand();
    EXPECT_EQ(z.exklusiv, 0);
    EXPECT_EQ(z.musik_zustand, 1);
    EXPECT_EQ(z.musik_volume, 50);
    EXPECT_EQ(z.slots_belegt, 0);
    Backsound_Pruefen();   // still ducked: held at 50
    EXPECT_EQ(Sound_Zustand().musik->volume, 50);
    EXPECT_NEAR(hoeren(), MUSIK_PEGEL * 50 / 255, 1);
}

TEST_F(Ton, AnEleventhSampleIsRefusedButStillLowersTheMusic) {
    pruefen(40);
    for (int i = 0; i < SOUND_SAMPLE_SLOTS; ++i) ASSERT_EQ(Sample_Spielen(i, false), i);
    EXPECT_EQ(hoeren(), SAMPLE_PEGEL * 10 + MUSIK_PEGEL * 120 / 255);
    pruefen(40);
    ASSERT_EQ(Sound_Zustand().duck, 0);
    pruefen(20);
    ASSERT_EQ(Sound_Zustand().musik_volume, 150);
    EXPECT_EQ(Sample_Spielen(11, false), -1);
    EXPECT_EQ(Sound_Zustand().musik_volume, 120);
    EXPECT_EQ(Sound_Zustand().duck, 40);
    EXPECT_EQ(Sound_Zustand().slots_belegt, 10);
}

TEST_F(Ton, EffectsOffRefusesSamplesAndChangesNothing) {
    pruefen(40);
    g_optionen[1] = 0;
    EXPECT_EQ(Sample_Spielen(0, false), -1);
    EXPECT_EQ(Sample_Spielen(13, true), -1);
    const SoundZustand z = Sound_Zustand();
    EXPECT_EQ(z.musik_volume, 160);
    EXPECT_EQ(z.duck, 0);
    EXPECT_EQ(z.exklusiv, 0);
    EXPECT_EQ(z.slots_belegt, 0);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 1);
}

TEST_F(Ton, SlotsHoldTheResourceBlocksAndFreeThem) {
    const size_t bloecke = Mem_Anzahl_Bloecke();
    ASSERT_EQ(Sample_Spielen(2, false), 0);
    ASSERT_EQ(Sample_Spielen(3, false), 1);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke + 2);
    const Sound_Handle* h = Sound_Slot_Handle(1);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->art, SOUND_ART_SAMPLE);
    EXPECT_EQ(h->volume, 255);
    EXPECT_EQ(h->pan, 128);
    EXPECT_EQ(hoeren(), 2 * SAMPLE_PEGEL);
    // Missing entries and a broken WAV leave the slot free and the memory as it was.
    EXPECT_EQ(Sample_Spielen(99, false), -1);
    EXPECT_EQ(Sample_Spielen(12, false), -1);
    EXPECT_EQ(Sound_Zustand().slots_belegt, 2);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke + 2);
    Samples_Stop();
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke);
    EXPECT_EQ(hoeren(), 0);
    EXPECT_EQ(Sound_Slot_Handle(1), nullptr);
}

TEST_F(Ton, SampleVolumeAppliesUntilTheNextStop) {
    EXPECT_EQ(Sample_Spielen_Lautstaerke(0, false, 128), 0);
    EXPECT_EQ(Sound_Slot_Handle(0)->volume, 128);
    EXPECT_NEAR(hoeren(), SAMPLE_PEGEL * 128 / 255, 1);
    Sample_Lautstaerke(999);
    EXPECT_EQ(Sound_Zustand().sample_volume, 255);
    Sample_Lautstaerke(-3);
    EXPECT_EQ(Sound_Zustand().sample_volume, 0);
    EXPECT_EQ(Sample_Spielen_Einzeln(1, false), 0);   // stops the first, volume back to 255
    EXPECT_EQ(Sound_Zustand().slots_belegt, 1);
    EXPECT_EQ(Sound_Slot_Handle(0)->volume, 255);
}

TEST_F(Ton, PauseAllStopsSamplesAndResumeAllOnlyTheMusic) {
    pruefen(40);
    ASSERT_EQ(Sample_Spielen(0, false), 0);
    Sound_Pause_All();
    EXPECT_EQ(hoeren(), 0);
    EXPECT_EQ(Sound_Slot_Handle(0)->paused, 1);
    EXPECT_EQ(Sound_Zustand().musik->paused, 1);
    Sound_Resume_All();
    EXPECT_EQ(Sound_Slot_Handle(0)->paused, 0);
    EXPECT_EQ(Sound_Zustand().musik->paused, 0);
    EXPECT_NEAR(hoeren(), MUSIK_PEGEL * 120 / 255, 1);   // the music alone
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 1);
}

TEST_F(Ton, HoldKeepsTheMusicOffUntilReleased) {
    pruefen(10);
    Backsound_Stop(true);
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    pruefen(5);
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    EXPECT_EQ(hoeren(), 0);
    Samples_Stop();   // restarting the music is refused while held
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    Backsound_Stop(false);
    EXPECT_EQ(Sound_Zustand().musik_zustand, 2);   // started silent
    Backsound_Pruefen();
    EXPECT_EQ(Sound_Zustand().musik_zustand, 1);
}

TEST_F(Ton, AFailedMusicStartIsTriedAgainAtTheNextStartRequest) {
    std::filesystem::remove(welt.install + "/background.wav");
    Backsound_Pruefen();
    EXPECT_EQ(Sound_Zustand().musik_zustand, 1);
    EXPECT_EQ(Sound_Zustand().musik, nullptr);
    musik_schreiben();
    pruefen(3);   // the periodic checks do not open the file again
    EXPECT_EQ(Sound_Zustand().musik, nullptr);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    EXPECT_EQ(Sample_Spielen(0, false), 0);   // samples still play

    // Each way of asking for the music starts it now that the file is there.
    struct Fall {
        const char* was;
        void (*anfrage)();
    } faelle[] = {
        {"Backsound_Start", [] { Backsound_Start(); }},
        {"the end of the samples", [] { Samples_Stop(); }},
        {"the end of a hold", [] { Backsound_Stop(true), Backsound_Stop(false); }},
        {"music switched off and on", [] {
             g_optionen[0] = 0;
             Backsound_Pruefen();
             g_optionen[0] = 1;
             Backsound_Pruefen();
         }},
    };
    for (const Fall& f : faelle) {
        std::filesystem::rename(welt.install + "/background.wav", welt.install + "/weg.wav");
        Medien_Stop();
        Backsound_Pruefen();
        ASSERT_EQ(Sound_Zustand().musik, nullptr) << f.was;
        std::filesystem::rename(welt.install + "/weg.wav", welt.install + "/background.wav");
        f.anfrage();
        EXPECT_NE(Sound_Zustand().musik, nullptr) << f.was;
    }
}

TEST_F(Ton, MediaStopEndsSamplesAndMusicAndTheNextCheckRestarts) {
    pruefen(40);
    ASSERT_EQ(Sample_Spielen(0, false), 0);
    Medien_Stop();
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    EXPECT_EQ(Sound_Zustand().musik_zustand, 0);
    Backsound_Pruefen();
    EXPECT_EQ(Sound_Zustand().musik_zustand, 2);   // started silent, ducked at 0
}

TEST_F(Ton, FreeingAllSamplesEmptiesTheSlotsSoTheirHandlesCanBeReused) {
    ASSERT_EQ(Sample_Spielen(0, false), 0);
    const size_t bloecke = Mem_Anzahl_Bloecke();
    Sound_Samples_Free_All();
    EXPECT_EQ(Sound_Zustand().slots_belegt, 0);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke - 1);
    // Someone else's sample takes the freed handle; a later stop leaves it alone.
    const auto wav = Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(100, 7));
    Sound_Handle* fremd = Sound_Sample_Load(wav.data(), uint32_t(wav.size()));
    ASSERT_NE(fremd, nullptr);
    Sound_Sample_Play(fremd, -1, -1, false);
    Samples_Stop();
    EXPECT_EQ(fremd->art, SOUND_ART_SAMPLE);
    EXPECT_EQ(hoeren(), 7);
    EXPECT_EQ(Sound_Sample_Free(fremd), nullptr);
}

TEST_F(Ton, HandlesAreLimitedTo64AndWrongKindsDoNothing) {
    std::vector<Sound_Handle*> alle;
    for (int i = 0; i < SOUND_HANDLES; ++i) alle.push_back(Sound_Handle_Alloc());
    EXPECT_EQ(alle.back() != nullptr, true);
    EXPECT_EQ(Sound_Handle_Alloc(), nullptr);
    EXPECT_EQ(Sample_Spielen(0, false), -1);   // no handle for the sample
    EXPECT_EQ(Sound_Stream_Play((welt.install + "/background.wav").c_str(), 255, 128), nullptr);
    for (Sound_Handle* h : alle) EXPECT_EQ(Sound_Handle_Clear(h), nullptr);

    Sound_Handle* strom = Sound_Stream_Play((welt.install + "/background.wav").c_str(), 300, -9);
    ASSERT_NE(strom, nullptr);
    EXPECT_EQ(strom->art, SOUND_ART_STREAM);
    EXPECT_EQ(strom->volume, 255);
    EXPECT_EQ(strom->pan, 0);
    EXPECT_EQ(Sound_Sample_Play(strom, 255, 128, false), strom);   // a stream is no sample
    EXPECT_EQ(Sound_Sample_Free(strom), nullptr);
    EXPECT_EQ(strom->art, SOUND_ART_STREAM);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 1);
    Sound_Stream_Close(strom);
    EXPECT_EQ(strom->in_use, 0);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    Sound_Stream_Pause(nullptr);
    Sound_Stream_Volume(nullptr, 3);
    EXPECT_EQ(Sound_Sample_Play(nullptr, 1, 1, true), nullptr);
    EXPECT_EQ(Sound_Stream_Play("/gibt/es/nicht.wav", 255, 128), nullptr);
    EXPECT_EQ(Sound_Sample_Load("RIFF", 4), nullptr);
}

TEST(TonAus, WithSoundOffEverythingIsNeutral) {
    Sound_Close();
    EXPECT_EQ(Sound_An(), 0);
    EXPECT_EQ(Sound_Stream_Play("background.wav", 255, 128), nullptr);
    const auto wav = Audio_Wav_Bauen(1, AUDIO_RATE, {1});
    EXPECT_EQ(Sound_Sample_Load(wav.data(), uint32_t(wav.size())), nullptr);
    Sound_Pause_All();
    Sound_Resume_All();
    Sound_Samples_Free_All();
    EXPECT_EQ(Sample_Spielen(0, false), -1);
    Samples_Stop();
    EXPECT_EQ(Sound_Zustand().slots_belegt, 0);
}
