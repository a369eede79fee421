// matchview/publikum.h - the crowd in the stands of a match view.
//
// Up to 934 spectators a view, seated by the stands' layout rows in the
// eight blocks of the six stand positions, each seat taken by the stand's
// fill; they wear the home side's colours, the away side's or the crowd's,
// sit or stand, and move with the match's mood and goal reactions. Every
// random choice comes from the views' generator. The 15 crowd animations are
// entries 189-203 of "stadion_gfx.res" in the figure frames' format.
#pragma once
#include <cstdint>

#include "matchview/ansicht_fenster.h"

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t PUBLIKUM_MAX = 4000, PUBLIKUM_ANIMATIONEN = 15;
constexpr int32_t PUBLIKUM_FARBE_ERSTE = 57;   // the crowd's colour tables 57-61
// The crowd animations' entries, animation 0-14.
constexpr int32_t PUBLIKUM_RES[PUBLIKUM_ANIMATIONEN] = {193, 189, 190, 191, 192, 197, 198, 194,
                                                        195, 196, 199, 200, 201, 202, 203};

struct Zuschauer {
    uint8_t art = 0;        // 0 empty seat, 1 seated rows, 2 standing rows
    uint8_t frame = 0;
    uint8_t anim = 0;       // 0-14
    uint8_t richtung = 0;
    int64_t zeit = 0;       // match clock of the last frame
    int32_t intervall = 0;  // ms
    int32_t x = 0, y = 0;   // world-picture pixels at full scale
    uint8_t farbe = 0;      // colour-table slot
    uint8_t gruppe = 0;     // 0 or 1
    bool bewegt = false;
};

// Seats the crowd of a view for the record's stands (kinds and fill); the count.
int32_t Crowd_Setup(int32_t ansicht, const Spielfeld_Satz& s);
// The view's crowd (tests); `anzahl` gets the count.
const Zuschauer* Publikum(int32_t ansicht, int32_t* anzahl);

bool Publikum_Init();
void Publikum_Exit();
// Draws and moves the view's crowd; its colour tables by slot come from `tabelle`.
void Crowd_Draw(const AnsichtFenster& v, const Spielfeld_Satz& s, const uint16_t* (*tabelle)(int32_t ansicht, int32_t slot));

}  // namespace velmora
