#include "platform/audio.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

#include "platform/files.h"
#include "tests/support/temp_dir.h"

using namespace velmora;

namespace {

// A headless mixer, closed again after each test.
struct Mixer : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(Audio_Oeffnen(AUDIO_OHNE_GERAET)); }
    void TearDown() override { Audio_Schliessen(); }
    static int32_t klang(const std::vector<int16_t>& werte, int32_t kanaele = 1, int32_t rate = AUDIO_RATE) {
        const std::vector<uint8_t> wav = Audio_Wav_Bauen(kanaele, rate, werte);
        return Audio_Klang_Speicher(wav.data(), wav.size());
    }
    static std::vector<int16_t> mischen(size_t frames) {
        std::vector<int16_t> out(frames * 2, 12345);
        Audio_Mischen(out.data(), frames);
        return out;
    }
};

}  // namespace

TEST_F(Mixer, VolumeAndPanScaleEachSide) {
    const int32_t k = klang(std::vector<int16_t>(8, 10000));
    ASSERT_GT(k, 0);
    struct Fall {
        int32_t volume, pan, links, rechts;
    } faelle[] = {
        {255, 128, 10000, 10000}, {255, 0, 10000, 0},   {255, 255, 0, 10000},
        {128, 128, 5019, 5019},   {0, 128, 0, 0},       {255, 64, 10000, 5000},
        {300, -5, 10000, 0},   // out of range: clamped to 255 and 0
    };
    for (const Fall& f : faelle) {
        const int32_t kanal = Audio_Spielen(k, false);
        ASSERT_GE(kanal, 0);
        ASSERT_TRUE(Audio_Kanal_Lautstaerke(kanal, f.volume));
        ASSERT_TRUE(Audio_Kanal_Pan(kanal, f.pan));
        const auto out = mischen(1);
        EXPECT_EQ(out[0], f.links) << f.volume << "/" << f.pan;
        EXPECT_EQ(out[1], f.rechts) << f.volume << "/" << f.pan;
        Audio_Kanal_Stop(kanal);
    }
}

TEST_F(Mixer, StereoAndEightBitAndOtherRatesAreConverted) {
    const int32_t stereo = klang({1000, -2000, 3000, -4000}, 2);
    ASSERT_EQ(Audio_Klang_Frames(stereo), 2u);
    ASSERT_GE(Audio_Spielen(stereo, false), 0);
    EXPECT_EQ(mischen(2), (std::vector<int16_t>{1000, -2000, 3000, -4000}));

    // 8-bit unsigned: 128 is silence, 255 the top.
    std::vector<uint8_t> wav = Audio_Wav_Bauen(1, AUDIO_RATE, {0});
    AudioWav w;
    ASSERT_TRUE(Audio_Wav_Lesen(wav.data(), wav.size(), &w));
    wav[34] = 8;                                   // bits per sample
    wav[32] = 1;                                   // block align
    wav[40] = 2;                                   // data bytes
    wav[w.pcm_offset] = 255;
    wav[w.pcm_offset + 1] = 0;
    const int32_t acht = Audio_Klang_Speicher(wav.data(), wav.size());
    ASSERT_GT(acht, 0);
    ASSERT_GE(Audio_Spielen(acht, false), 0);
    EXPECT_EQ(mischen(2), (std::vector<int16_t>{127 << 8, 127 << 8, -32768, -32768}));

    // 11025 Hz: every source frame is held for two output frames.
    const int32_t halb = klang({100, 200}, 1, AUDIO_RATE / 2);
    ASSERT_GE(Audio_Spielen(halb, false), 0);
    EXPECT_EQ(mischen(5), (std::vector<int16_t>{100, 100, 100, 100, 200, 200, 200, 200, 0, 0}));
}

TEST_F(Mixer, SumsAllChannelsAndClips) {
    const int32_t k = klang(std::vector<int16_t>(4, 1000));
    for (int32_t i = 0; i < AUDIO_KANAELE; ++i) ASSERT_GE(Audio_Spielen(k, false), 0) << i;
    EXPECT_EQ(Audio_Kanaele_Aktiv(), AUDIO_KANAELE);
    EXPECT_EQ(Audio_Spielen(k, false), -1);   // a 65th sound finds no channel
    EXPECT_EQ(mischen(1), (std::vector<int16_t>{32767, 32767}));   // 64000 clipped

    Audio_Schliessen();
    ASSERT_TRUE(Audio_Oeffnen(AUDIO_OHNE_GERAET));
    const int32_t tief = klang({-20000});
    const int32_t halb = klang({500});
    for (int i = 0; i < 2; ++i) Audio_Spielen(tief, false);
    Audio_Spielen(halb, false);
    EXPECT_EQ(mischen(1), (std::vector<int16_t>{-32768, -32768}));   // -39500 clipped
}

TEST_F(Mixer, ASoundThatEndsFreesItsChannelAndItsHandle) {
    const int32_t k = klang({7, 8, 9});
    const int32_t kanal = Audio_Spielen(k, false);
    ASSERT_TRUE(Audio_Kanal_Aktiv(kanal));
    EXPECT_EQ(mischen(5), (std::vector<int16_t>{7, 7, 8, 8, 9, 9, 0, 0, 0, 0}));
    EXPECT_FALSE(Audio_Kanal_Aktiv(kanal));
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    // The channel is taken again; the old handle no longer reaches it.
    const int32_t neu = Audio_Spielen(k, false);
    ASSERT_GE(neu, 0);
    EXPECT_NE(neu, kanal);
    EXPECT_FALSE(Audio_Kanal_Lautstaerke(kanal, 0));
    EXPECT_FALSE(Audio_Kanal_Stop(kanal));
    EXPECT_TRUE(Audio_Kanal_Aktiv(neu));
    EXPECT_EQ(mischen(1)[0], 7);
}

TEST_F(Mixer, LoopsPausesAndFreesWhilePlaying) {
    const int32_t k = klang({1, 2});
    const int32_t kanal = Audio_Spielen(k, true);
    EXPECT_EQ(mischen(5), (std::vector<int16_t>{1, 1, 2, 2, 1, 1, 2, 2, 1, 1}));
    ASSERT_TRUE(Audio_Kanal_Pause(kanal, true));
    EXPECT_EQ(mischen(2), (std::vector<int16_t>{0, 0, 0, 0}));
    ASSERT_TRUE(Audio_Kanal_Pause(kanal, false));
    EXPECT_EQ(mischen(1), (std::vector<int16_t>{2, 2}));   // goes on where it stopped
    EXPECT_TRUE(Audio_Klang_Freigeben(k));
    EXPECT_FALSE(Audio_Kanal_Aktiv(kanal));
    EXPECT_FALSE(Audio_Klang_Freigeben(k));
    EXPECT_EQ(Audio_Spielen(k, false), -1);
    EXPECT_EQ(mischen(1), (std::vector<int16_t>{0, 0}));
}

TEST_F(Mixer, StreamsComeFromWavFiles) {
    const std::string pfad = ::testing::TempDir() + "/velmora_audio_test.wav";
    const std::vector<uint8_t> wav = Audio_Wav_Bauen(1, AUDIO_RATE, {300, 400});
    FILE* f = std::fopen(pfad.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(wav.data(), 1, wav.size(), f);
    std::fclose(f);
    const int32_t k = Audio_Klang_Datei(pfad.c_str());
    ASSERT_GT(k, 0);
    ASSERT_GE(Audio_Spielen(k, false), 0);
    EXPECT_EQ(mischen(2), (std::vector<int16_t>{300, 300, 400, 400}));
    std::remove(pfad.c_str());
    EXPECT_EQ(Audio_Klang_Datei(pfad.c_str()), 0);
    EXPECT_EQ(Audio_Klang_Datei(nullptr), 0);
}

TEST(MixerGeschlossen, RefusesEverythingAndMixesSilence) {
    Audio_Schliessen();
    const std::vector<uint8_t> wav = Audio_Wav_Bauen(1, AUDIO_RATE, {5});
    EXPECT_FALSE(Audio_Offen());
    EXPECT_EQ(Audio_Klang_Speicher(wav.data(), wav.size()), 0);
    EXPECT_EQ(Audio_Spielen(1, false), -1);
    std::vector<int16_t> out(4, 99);
    Audio_Mischen(out.data(), 2);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 0, 0}));
}

TEST(AudioWav, BrokenFilesAreRefused) {
    const std::vector<uint8_t> gut = Audio_Wav_Bauen(2, 44100, {1, 2, 3, 4});
    AudioWav w;
    ASSERT_TRUE(Audio_Wav_Lesen(gut.data(), gut.size(), &w));
    EXPECT_EQ(w.kanaele, 2);
    EXPECT_EQ(w.rate, 44100);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.pcm_offset, 44u);
    EXPECT_EQ(w.pcm_bytes, 8u);
    struct Fall {
        const char* was;
        size_t stelle;
        uint8_t wert;
    } faelle[] = {
        {"not RIFF", 0, 'X'},         {"not WAVE", 8, 'X'},          {"compressed", 20, 2},
        {"three channels", 22, 3},    {"no channels", 22, 0},        {"24 bits", 34, 24},
        {"wrong block align", 32, 3}, {"data runs past the end", 41, 1}, {"fmt runs past the end", 19, 1},
        {"rate below 1000", 25, 0},
    };
    for (const Fall& f : faelle) {
        std::vector<uint8_t> b = gut;
        b[f.stelle] = f.wert;
        if (std::strcmp(f.was, "rate below 1000") == 0) b[24] = 100;
        EXPECT_FALSE(Audio_Wav_Lesen(b.data(), b.size(), &w)) << f.was;
    }
    for (size_t n = 0; n < 44; ++n) EXPECT_FALSE(Audio_Wav_Lesen(gut.data(), n, &w)) << n;
    EXPECT_FALSE(Audio_Wav_Lesen(nullptr, 100, &w));
    // A data chunk before the format chunk is refused; an odd chunk is padded.
    std::vector<uint8_t> extra(gut.begin(), gut.begin() + 12);
    const uint8_t liste[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    extra.insert(extra.end(), liste, liste + sizeof liste);
    extra.insert(extra.end(), gut.begin() + 12, gut.end());
    ASSERT_TRUE(Audio_Wav_Lesen(extra.data(), extra.size(), &w));
    EXPECT_EQ(w.pcm_offset, 56u);
}

// The real device path, on SDL's dummy driver: the device's thread mixes and a
// short sound runs out by itself.
TEST(AudioGeraet, TheDeviceThreadPlaysASoundToItsEnd) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!Audio_Oeffnen(AUDIO_GERAET)) GTEST_SKIP() << "no SDL audio here";
    const std::vector<uint8_t> wav = Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(AUDIO_RATE / 50, 1000));
    const int32_t k = Audio_Klang_Speicher(wav.data(), wav.size());
    const int32_t kanal = Audio_Spielen(k, false);
    ASSERT_GE(kanal, 0);
    // 20 ms of sound; the wait's bound (30 s) only guards against a hang, a busy machine never reaches it.
    for (int i = 0; i < 3000 && Audio_Kanal_Aktiv(kanal); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(Audio_Kanal_Aktiv(kanal));
    Audio_Schliessen();
    EXPECT_FALSE(Audio_Offen());
}

// Opening the device says nothing on stderr, whichever driver: one without an
// output device (ALSA with no sound card) is refused quietly, the game runs
// silent; the dummy driver opens; an unknown driver is refused.
TEST(AudioGeraet, OpeningWithoutASoundDevicePrintsNothing) {
    test::TempDir tmp;
    const std::string datei = tmp / "stderr.txt";
    struct Fall {
        const char* treiber;
        int32_t offen;   // 1 opens, 0 refused, -1 depends on the machine
    } faelle[] = {{"alsa", -1}, {"dummy", 1}, {"kein-solcher-treiber", 0}};
    for (const Fall& f : faelle) {
        setenv("SDL_AUDIODRIVER", f.treiber, 1);
        std::fflush(stderr);
        const int alt = dup(2);
        FILE* ziel = std::fopen(datei.c_str(), "w");
        ASSERT_TRUE(ziel);
        dup2(fileno(ziel), 2);
        const bool offen = Audio_Oeffnen(AUDIO_GERAET);
        Audio_Schliessen();
        std::fflush(stderr);
        dup2(alt, 2);
        close(alt);
        std::fclose(ziel);
        std::vector<uint8_t> text;
        ASSERT_TRUE(Plat_Read_All(datei.c_str(), text));
        EXPECT_EQ(std::string(text.begin(), text.end()), "") << f.treiber;
        if (f.offen >= 0) {
            EXPECT_EQ(offen, f.offen == 1) << f.treiber;
        }
        EXPECT_FALSE(Audio_Offen());
    }
    unsetenv("SDL_AUDIODRIVER");
}
