// gfx/bild_muster_spieler.h - the pictures of the player windows, drawn by
// program in the game's palette: the talent badges in six sizes, the stars,
// the kind shirts and strain gauges, the injury and suspension marks, the
// player card, the talents map with its cells, frames and greyed talents,
// and the pieces of the talent list window and the talent panels. The asset
// tool writes them into the resource files; text on them uses the game's
// fonts when they are loaded (without fonts a badge carries no letters).
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/rastport.h"

namespace velmora {

// The six runs of talent badges (slave first + talent id, ids 0-53) and their sizes.
constexpr int32_t TALENT_BILD_RUNDEN = 6;
constexpr int32_t TALENT_BILD_IDS = 54;
constexpr int32_t TALENT_BILD_ERSTER[TALENT_BILD_RUNDEN] = {8000, 8054, 8108, 8162, 8216, 8270};
constexpr int32_t TALENT_BILD_GROESSE[TALENT_BILD_RUNDEN] = {44, 56, 22, 30, 16, 40};

// The big talent picture the talents screen shows beside a hovered cell (28064 + id).
constexpr int32_t TALENT_GROSS_ERSTER = 28064;
constexpr int32_t TALENT_GROSS = 72;
// The talents map's cells: small (talents 0-34) and large (35-39, goalkeepers).
constexpr int32_t TALENT_ZELLE_KLEIN = 36;
constexpr int32_t TALENT_ZELLE_GROSS = 66;

// The cell of talent `id` on the talents map: its icon's top-left corner and
// size (ids 0-39 on the field players' map, 47-52 on the goalkeepers', whose
// art lies on the cells, at (83 + 120 k, 230)). False for an id without a cell.
bool Talent_Zelle(int32_t id, int32_t* x, int32_t* y, int32_t* groesse);
void Talent_Torwart_Bild_Position(int32_t id, int32_t* x, int32_t* y);

// The picture of slave number `slave` among those above, as a new depth-16
// bitmap (black transparent), or null for a number that has none.
Rastport* Muster_Spieler_Bild(int32_t slave);

// One group of pictures for the asset tool: resource file (list index), its
// first entry and the entries.
struct MusterGruppe {
    int32_t datei;
    int32_t erster;
    std::vector<ResDateiEintrag> bilder;
    const char* name;
};
std::vector<MusterGruppe> Muster_Spieler_Gruppen();

// The small shirt of a player kind (0 goalkeeper ... 3 forward) in the kind's
// colour, into w x h at (x, y) of a canvas (the line-up screens' markers).
struct Leinwand;
void Muster_Hemd(Leinwand& b, int32_t x, int32_t y, int32_t w, int32_t h, int32_t art);

}  // namespace velmora
