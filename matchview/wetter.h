// matchview/wetter.h - rain and snow over a match view.
//
// Each view keeps 4000 particles in its world picture's pixels, scattered on
// its first weather frame; the first 40 per step of intensity (all from 100)
// fall each frame: rain in blended streaks, snow opaque and drifting. Every
// random choice comes from the views' generator. The shapes are
// "stadion_sprites.res" 12-20 (rain) and 21-29 (snow).
#pragma once
#include <cstdint>

#include "matchview/ansicht_fenster.h"

namespace velmora {

constexpr int32_t WETTER_TEILCHEN = 4000;
constexpr int32_t WETTER_RES_REGEN = 12, WETTER_RES_SCHNEE = 21, WETTER_BILDER = 9;
constexpr int32_t WETTER_REGEN = 0, WETTER_SCHNEE = 1;

struct WetterTeilchen {
    uint16_t x = 0, y = 0;
    uint16_t tempo = 0;   // 0-9
    uint8_t frame = 0;    // 0-8
};

// A weather frame draws into a view's window (its world picture's size and scroll).
using WetterAnsicht = AnsichtFenster;

// The view's weather kind from the match record's weather byte (0 none,
// 1 and 3 rain, 4 to 6 snow): WETTER_REGEN, WETTER_SCHNEE, or -1 for none.
int32_t Wetter_Art(uint8_t wetter);
// The particles a frame moves and draws at an intensity.
int32_t Wetter_Anzahl(int32_t intensitaet);

// Loads the shapes once; false (logged) when one is missing: no weather is drawn.
bool Wetter_Init();
void Wetter_Exit();
// One weather frame of a view; the particles drawn.
int32_t Weather_Draw(const WetterAnsicht& v, int32_t intensitaet, int32_t art);
// The particles of a view (tests).
const WetterTeilchen* Wetter_Teilchen(int32_t ansicht);

}  // namespace velmora
