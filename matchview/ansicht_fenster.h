// matchview/ansicht_fenster.h - what the stadium's dressing (boards,
// weather) needs of a view: its slot, its game, its scale, the world
// picture's size, the window onto it (scroll) and the place on the screen.
#pragma once
#include <cstdint>

namespace velmora {

struct AnsichtFenster {
    int32_t ansicht = 0;
    uint32_t spiel = 0;
    bool halb = false;
    int32_t welt_w = 0, welt_h = 0;
    int32_t scroll_x = 0, scroll_y = 0;
    int32_t x = 0, y = 0, w = 0, h = 0;
};

}  // namespace velmora
