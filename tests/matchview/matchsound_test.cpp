// tests/matchview/matchsound_test.cpp - the match sounds: the cue's variant
// drawn uniformly (chi-square over 9000 draws of the views' generator), a loop
// started twice playing once, loudness and pan, the crowd's answers, a missing
// sound file leaving the match silent; the generated loops join without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/mem.h"
#include "core/res.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/matchsound.h"
#include "media/sound.h"
#include "platform/audio.h"

namespace velmora::test {
namespace {

int32_t g_datei = -1;

class MatchSoundTest : public ::testing::Test {
protected:
    const uint32_t zufall = Ansicht_Zufall_Stand();
    void SetUp() override {
        ASSERT_EQ(Sound_Init_Mit(AUDIO_OHNE_GERAET), 1);
        g_datei = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/stadion_sound.res").c_str(), 0);
        ASSERT_GE(g_datei, 0);
        Sound_Hooks().resourcen_slot = [](int32_t i) { return i == MATCHSOUND_RES ? g_datei : -1; };
        Ansicht_Zufall_Setzen(4711);
        MatchSound_Laden();
        MatchSound_Init(0);
    }
    void TearDown() override {
        MatchSound_Free_Set();
        MatchSound_Free();
        Sound_Hooks() = SoundHooks{};
        g_datei = Res_Close(g_datei);
        Sound_Close();
        Ansicht_Zufall_Setzen(zufall);
    }
};

// Chi-square of the counts against equal shares.
double Chi2(const std::map<int32_t, int32_t>& n, int32_t gesamt) {
    const double e = double(gesamt) / double(n.size());
    double c = 0;
    for (auto& [slot, k] : n) c += (k - e) * (k - e) / e;
    return c;
}

TEST_F(MatchSoundTest, ARandomVariantIsUniformOverTheCuesVariants) {
    struct Fall {
        int32_t cue, variante;
        std::vector<int32_t> slots;
        double grenze;   // chi-square at p = 0.001 for (variants - 1) degrees of freedom
    } faelle[] = {{1, -1, {19, 20, 31, 32}, 16.27}, {6, -1, {26, 27, 34}, 13.82}, {0, -1, {17, 18}, 10.83},
                  {1, 9, {19, 20, 31, 32}, 16.27},   // a variant above 5 counts as -1
                  {6, 4, {26, 27, 34}, 13.82}};      // an empty variant is drawn afresh
    for (const Fall& f : faelle) {
        std::map<int32_t, int32_t> n;
        for (int32_t s : f.slots) n[s] = 0;
        for (int32_t i = 0; i < 9000; ++i) {
            MatchSound_Play(f.cue, false, 0, 4, f.variante);
            const int32_t s = MatchSound_Letzter().slot;
            ASSERT_TRUE(n.count(s)) << "cue " << f.cue << " played slot " << s;
            ++n[s];
        }
        EXPECT_LT(Chi2(n, 9000), f.grenze) << "cue " << f.cue << " variant " << f.variante;
    }
    // A given variant plays its own sample.
    MatchSound_Play(1, false, 0, 4, 2);
    EXPECT_EQ(MatchSound_Letzter().slot, 31);
}

TEST_F(MatchSoundTest, TheBackgroundLoopStartedTwicePlaysOnce) {
    EXPECT_EQ(MatchSound_Aktueller_Set(), 0);
    MatchSound_Free_Set();
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    const int32_t vorher = MatchSound_Starts(17);
    EXPECT_EQ(MatchSound_Init(2), 1);
    EXPECT_EQ(MatchSound_Starts(17), vorher + 1) << "the set's start plays its background loop";
    EXPECT_TRUE(MatchSound_Letzter().loop);
    EXPECT_EQ(MatchSound_Letzter().volume, 255 - 40);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 1);
    MatchSound_Play(0, true, 0, 0, 0);
    EXPECT_EQ(MatchSound_Starts(17), vorher + 1);
    EXPECT_EQ(MatchSound_Init(2), 1);   // the current set again: nothing
    EXPECT_EQ(MatchSound_Starts(17), vorher + 1);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 1);
    // A cue that may not loop plays once instead.
    MatchSound_Play(2, true, 0, 4, 0);
    EXPECT_FALSE(MatchSound_Letzter().loop);
    MatchSound_Play(2, true, 0, 4, 0);
    EXPECT_EQ(MatchSound_Starts(24), 2);
    // Freed and loaded again, the counts begin anew (a later match, or test, counts its own).
    MatchSound_Free();
    MatchSound_Laden();
    EXPECT_EQ(MatchSound_Starts(24), 0);
    EXPECT_EQ(MatchSound_Starts(17), 0);
}

// The loop's voice ends with its handle: what the mixer gives afterwards is silence.
TEST_F(MatchSoundTest, FreeingTheSetSilencesItsLoopingVoice) {
    ASSERT_EQ(Audio_Kanaele_Aktiv(), 1) << "the set's background loop";
    auto pegel = [] {
        std::vector<int16_t> out(2 * 4096);
        Audio_Mischen(out.data(), 4096);
        int32_t max = 0;
        for (int16_t v : out) max = std::max(max, std::abs(int32_t(v)));
        return max;
    };
    EXPECT_GT(pegel(), 0);
    MatchSound_Free_Set();
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
    EXPECT_EQ(pegel(), 0);
}

TEST_F(MatchSoundTest, LoudnessPanAndTheCrowdsAnswers) {
    struct Laut {
        int32_t cue, lautstaerke, volume;
    } laut[] = {{2, 4, 128}, {2, 0, 88}, {2, 2, 108}, {2, 9, 128}, {5, 4, 200}, {5, 0, 160}};
    for (const Laut& l : laut) {
        MatchSound_Play(l.cue, false, 0, l.lautstaerke, 0);
        EXPECT_EQ(MatchSound_Letzter().volume, l.volume) << l.cue << " at " << l.lautstaerke;
        EXPECT_EQ(MatchSound_Letzter().pan, 128);
    }
    struct Pan {
        int32_t a, b, pan;
    } pan[] = {{3, 3, 128}, {4, 3, 143}, {0, 9, 0}, {9, 0, 255}, {20, 0, 255}, {0, 12, 0}};
    for (const Pan& p : pan) {
        MatchSound_Trigger(9, p.a, p.b);
        EXPECT_EQ(MatchSound_Letzter().slot, 9);
        EXPECT_EQ(MatchSound_Letzter().volume, 100);
        EXPECT_EQ(MatchSound_Letzter().pan, p.pan) << p.a << "-" << p.b;
    }
    MatchSound_Trigger(35, 0, 0);
    EXPECT_EQ(MatchSound_Letzter().slot, -1);
    // Each answer plays two samples: the first at its volume less (4 - loudness) x 10.
    struct Antwort {
        int32_t art, erster, zweiter;
    } antworten[] = {{0, 28, 24}, {1, 28, 22}, {2, 25, 24}, {3, 25, 22}, {4, 34, 24}};
    for (const Antwort& a : antworten) {
        const int32_t e0 = MatchSound_Starts(a.erster), z0 = MatchSound_Starts(a.zweiter);
        MatchSound_Update(a.art, 1);
        EXPECT_EQ(MatchSound_Starts(a.erster), e0 + 1) << a.art;
        EXPECT_EQ(MatchSound_Starts(a.zweiter), z0 + 1) << a.art;
        EXPECT_EQ(MatchSound_Letzter().volume, MatchSound_Slot(a.zweiter).volume) << a.art;
    }
    // Without a current set nothing plays.
    MatchSound_Free_Set();
    MatchSound_Play(2, false, 0, 4, 0);
    MatchSound_Update(4, 4);
    MatchSound_Trigger(9, 0, 0);
    EXPECT_EQ(MatchSound_Letzter().slot, -1);
}

TEST_F(MatchSoundTest, AMissingSoundFileLeavesTheMatchSilent) {
    MatchSound_Free_Set();
    MatchSound_Free();
    Sound_Hooks().resourcen_slot = [](int32_t) { return -1; };
    MatchSound_Laden();
    EXPECT_EQ(MatchSound_Init(1), 1);
    for (int32_t cue = 0; cue < MATCHSOUND_CUES; ++cue) MatchSound_Play(cue, true, 0, 4, -1);
    for (int32_t art = 0; art < 5; ++art) MatchSound_Update(art, 4);
    MatchSound_Trigger(0, 1, 2);
    EXPECT_EQ(Audio_Kanaele_Aktiv(), 0);
}

// The PCM of an entry's WAV block.
std::vector<int16_t> Pcm(int32_t eintrag) {
    uint32_t n = 0;
    auto* d = static_cast<uint8_t*>(Res_Load(g_datei, eintrag, 0, &n));
    std::vector<int16_t> out;
    for (uint32_t i = 12; d && i + 8 <= n;) {
        uint32_t laenge = 0;
        std::memcpy(&laenge, d + i + 4, 4);
        if (std::memcmp(d + i, "data", 4) == 0) {
            out.resize(std::min<uint32_t>(laenge, n - i - 8) / 2);
            std::memcpy(out.data(), d + i + 8, out.size() * 2);
            break;
        }
        i += 8 + laenge;
    }
    Mem_Free(d);
    return out;
}

TEST_F(MatchSoundTest, TheGeneratedCrowdLoopsJoinWithoutAClick) {
    for (int32_t slot = 0; slot < MATCHSOUND_SLOTS; ++slot) {
        const std::vector<int16_t> p = Pcm(MatchSound_Slot(slot).eintrag);
        EXPECT_GT(p.size(), 500u) << MatchSound_Slot(slot).name;
        if (!MatchSound_Slot(slot).loopbar || p.size() < 2) continue;
        double schritt = 0;
        for (size_t i = 1; i < p.size(); ++i) schritt += std::abs(int32_t(p[i]) - int32_t(p[i - 1]));
        schritt /= double(p.size() - 1);
        const double naht = std::abs(int32_t(p.front()) - int32_t(p.back()));
        EXPECT_LT(naht, 4 * schritt + 64) << MatchSound_Slot(slot).name << ": the seam jumps " << naht;
    }
}

}  // namespace
}  // namespace velmora::test
