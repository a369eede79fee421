// tools/mksounds.cpp - synthesises the installation's sounds.
//
//   mksounds <installation directory>
//
// Writes "resfile/menue_sound.res" (the menu samples: entry n is a data block
// holding a short WAV file), "resfile/stadion_sound.res" (the match's 35
// samples, the same way) and "background.wav" (the background music, a
// slow chord loop), all made from sine tones and noise at the mixer's rate.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/res.h"
#include "kunst/klang.h"
#include "kunst/stadion_klang.h"
#include "media/sound.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "shell/resourcen.h"
#include "tools/werkzeug.h"

using namespace velmora;
using werkzeug::RATE;
using werkzeug::synth;
using werkzeug::Ton;

namespace {

// Entries 0-21: the screens' clicks and chimes, 19 the winner page's fanfare,
// 20 and 21 the learnt talent's film (a talent, a weakness).
constexpr int32_t SAMPLES = 22;
constexpr int32_t STADION_SAMPLES = 35, SOUND_RES_STADION = 20;   // "stadion_sound.res"

std::vector<int16_t> sample(int32_t nummer) {
    switch (nummer) {
    case 3:   // dialogue and confirmation: a rising two-tone chime
        return synth(0.30, {{660, 0, 0.15, 0.5}, {990, 0.12, 0.18, 0.5}}, 0, 1);
    case 13:   // scrolling: a short tick of noise
        return synth(0.04, {{2000, 0, 0.02, 0.2}}, 0.5, 13);
    case 19:   // the winner: a major fanfare ending on a held chord
        return synth(1.40, {{523.3, 0, 0.20, 0.45}, {659.3, 0.16, 0.20, 0.45}, {784.0, 0.32, 0.20, 0.45},
                            {1046.5, 0.48, 0.9, 0.4}, {523.3, 0.48, 0.9, 0.3}, {659.3, 0.48, 0.9, 0.3}},
                     0, 19);
    case 20:   // a talent learnt: a bright rising arpeggio
        return synth(0.70, {{587.3, 0, 0.25, 0.45}, {740.0, 0.12, 0.25, 0.45}, {880.0, 0.24, 0.45, 0.45}}, 0, 20);
    case 21:   // a weakness learnt: a falling minor third, low
        return synth(0.70, {{392.0, 0, 0.30, 0.5}, {329.6, 0.22, 0.45, 0.5}}, 0, 21);
    default: {   // clicks of rising pitch
        const double hz = 400.0 * std::pow(2.0, nummer / 12.0);
        return synth(0.08, {{hz, 0, 0.08, 0.6}}, 0.1, uint32_t(nummer + 1));
    }
    }
}

// Four bars of a slow progression, each chord's notes struck one after another.
std::vector<int16_t> musik() {
    const double akkorde[4][3] = {{220.0, 277.2, 329.6}, {196.0, 246.9, 293.7}, {174.6, 220.0, 261.6},
                                  {196.0, 246.9, 293.7}};
    std::vector<Ton> toene;
    for (int takt = 0; takt < 4; ++takt)
        for (int schlag = 0; schlag < 4; ++schlag) {
            const double t = takt * 2.0 + schlag * 0.5;
            toene.push_back({akkorde[takt][schlag % 3], t, 0.9, 0.18});
            if (schlag == 0) toene.push_back({akkorde[takt][0] / 2, t, 2.0, 0.25});
        }
    return synth(8.0, toene, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* BENUTZUNG =
        "Usage: mksounds <installation directory>\n"
        "Synthesises the menu samples (resfile/menue_sound.res), the match's samples\n"
        "(resfile/stadion_sound.res) and the background music (background.wav).\n";
    if (int ende = werkzeug::Hilfe_Oder_Version(argc, argv, "mksounds", BENUTZUNG); ende >= 0) return ende;
    if (argc != 2 || argv[1][0] == '-') {
        return werkzeug::Falsch("mksounds", "needs the installation directory");
    }
    const std::string install = argv[1];
    const std::string resfile = install + "/resfile";
    if (!Plat_Make_Dirs(resfile.c_str())) {
        std::fprintf(stderr, "mksounds: cannot create %s\n", resfile.c_str());
        return 1;
    }
    std::vector<ResDateiEintrag> eintraege;
    for (int32_t i = 0; i < SAMPLES; ++i) {
        const std::vector<uint8_t> wav = Audio_Wav_Bauen(1, RATE, sample(i));
        eintraege.push_back(Res_Datenblock(wav.data(), uint32_t(wav.size())));
    }
    const std::string res = resfile + "/" + Resourcen_Standardname(SOUND_RES_MENUE);
    if (!Res_Schreiben(res.c_str(), eintraege)) {
        std::fprintf(stderr, "mksounds: cannot write %s\n", res.c_str());
        return 1;
    }
    std::vector<ResDateiEintrag> stadion;
    for (int32_t i = 0; i < STADION_SAMPLES; ++i) {
        const std::vector<uint8_t> wav = Audio_Wav_Bauen(1, RATE, werkzeug::stadion::Eintrag(i));
        stadion.push_back(Res_Datenblock(wav.data(), uint32_t(wav.size())));
    }
    const std::string stadion_res = resfile + "/" + Resourcen_Standardname(SOUND_RES_STADION);
    if (!Res_Schreiben(stadion_res.c_str(), stadion)) {
        std::fprintf(stderr, "mksounds: cannot write %s\n", stadion_res.c_str());
        return 1;
    }
    const std::vector<uint8_t> wav = Audio_Wav_Bauen(1, RATE, musik());
    const std::string hg = install + "/background.wav";
    if (!Plat_Write_Atomic(hg.c_str(), wav.data(), wav.size())) {
        std::fprintf(stderr, "mksounds: cannot write %s\n", hg.c_str());
        return 1;
    }
    std::printf("mksounds: %d samples in %s, %d in %s, music in %s\n", SAMPLES, res.c_str(), STADION_SAMPLES,
                stadion_res.c_str(), hg.c_str());
    return 0;
}
