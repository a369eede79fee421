// gfx/bildnr_spieler.h - the numbers of the player windows' pictures (the
// talent badges in six sizes, the big talent pictures) and the cells of the
// talents map, which its screen and its picture share. The pictures are drawn
// at build time (kunst/bild_muster_spieler.h).
#pragma once
#include <algorithm>
#include <cstdint>

namespace velmora {

// The six runs of talent badges (slave first + talent id, ids 0-53) and their sizes.
constexpr int32_t TALENT_BILD_RUNDEN = 6;
constexpr int32_t TALENT_BILD_IDS = 54;
constexpr int32_t TALENT_BILD_ERSTER[TALENT_BILD_RUNDEN] = {8000, 8054, 8108, 8162, 8216, 8270};
constexpr int32_t TALENT_BILD_GROESSE[TALENT_BILD_RUNDEN] = {44, 56, 22, 30, 16, 40};
// The runs by their badges' size: TALENT_BILD_ERSTER[TALENT_16] + id is talent id's 16-pixel badge.
constexpr int32_t TALENT_44 = 0, TALENT_56 = 1, TALENT_22 = 2, TALENT_30 = 3, TALENT_16 = 4, TALENT_40 = 5;
static_assert(TALENT_BILD_GROESSE[TALENT_44] == 44 && TALENT_BILD_GROESSE[TALENT_56] == 56 &&
              TALENT_BILD_GROESSE[TALENT_22] == 22 && TALENT_BILD_GROESSE[TALENT_30] == 30 &&
              TALENT_BILD_GROESSE[TALENT_16] == 16 && TALENT_BILD_GROESSE[TALENT_40] == 40);

// The big talent picture the talents screen shows beside a hovered cell (28064 + id).
constexpr int32_t TALENT_GROSS_ERSTER = 28064;
constexpr int32_t TALENT_GROSS = 72;
// The talents map's cells: small (talents 0-34) and large (35-39, goalkeepers).
constexpr int32_t TALENT_ZELLE_KLEIN = 36;
constexpr int32_t TALENT_ZELLE_GROSS = 66;

// The cell of talent `id` on the talents map: its icon's top-left corner and
// size (ids 0-39 on the field players' map, 47-52 on the goalkeepers', whose
// art lies on the cells, at (83 + 120 k, 230)). False for an id without a cell.
inline bool Talent_Zelle(int32_t id, int32_t* x, int32_t* y, int32_t* groesse) {
    int32_t cx = 0, cy = 0, g = TALENT_ZELLE_KLEIN;
    if (id >= 0 && id <= 19) {
        cx = 3 + 40 * id;
        cy = 72;
    } else if (id >= 20 && id <= 34) {
        cx = 33 + 50 * (id - 20);
        cy = 272;
    } else if (id >= 35 && id <= 38) {
        cx = 616 - 120 * (id - 35);
        cy = 386;
        g = TALENT_ZELLE_GROSS;
    } else if (id == 39) {
        cx = 32;
        cy = 496;
        g = TALENT_ZELLE_GROSS;
    } else if (id >= 47 && id <= 52) {
        cx = 83 + 120 * (id - 47);
        cy = 230;
        g = TALENT_ZELLE_GROSS;
    } else {
        return false;
    }
    if (x) *x = cx;
    if (y) *y = cy;
    if (groesse) *groesse = g;
    return true;
}
inline void Talent_Torwart_Bild_Position(int32_t id, int32_t* x, int32_t* y) {
    const int32_t k = std::clamp(id - 47, 0, 5);
    if (x) *x = 83 + 120 * k;
    if (y) *y = 230;
}

}  // namespace velmora
