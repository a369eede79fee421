// tools/publikum_kunst.h - the crowd's 15 animations for mkassets
// ("stadion_gfx.res" 189-203, the figure frames' format): seated spectators
// still or cheering, standing ones still or cheering, posed by the figure
// frames' poser in all 16 directions.
#pragma once
#include <cstring>
#include <vector>

#include "matchview/publikum.h"
#include "matchview/spielansicht_figuren.h"
#include "tools/stadion_kunst.h"

namespace publikum_kunst {

using namespace velmora;

// Animation a: its pose name and frame count.
inline void Art(int32_t a, const char** name, int32_t* frames) {
    switch (a) {
    case 0: case 1: case 2: case 5: case 6: *name = "SITZT JUBEL"; *frames = 6; return;
    case 3: case 4: *name = "JUBEL"; *frames = 6; return;
    case 10: case 11: case 12: *name = "STEHT"; *frames = 1; return;
    default: *name = "SITZT"; *frames = 1; return;
    }
}

inline std::vector<ResDateiEintrag> Datei() {
    std::vector<ResDateiEintrag> d(size_t(PUBLIKUM_RES[1] + PUBLIKUM_ANIMATIONEN), Res_Datenblock(nullptr, 0));
    for (int32_t a = 0; a < PUBLIKUM_ANIMATIONEN; ++a) {
        Anim_Satz z{};
        const char* name = nullptr;
        int32_t frames = 1;
        Art(a, &name, &frames);
        std::strncpy(z.name, name, sizeof z.name - 1);
        z.benutzt = 1;
        z.letzter_frame = frames - 1;
        z.richtungen = FIGUREN_RICHTUNGEN;
        ResDateiEintrag e;
        e.typ = FIGUREN_RES_TYP;
        e.bytes = Figuren_Eintrag_Schreiben(stadion_kunst::Zeile_Malen(-1, z), frames);
        d[size_t(PUBLIKUM_RES[a])] = std::move(e);
    }
    return d;
}

}  // namespace publikum_kunst
