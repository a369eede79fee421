// kunst/bild_muster_spieler.h - the pictures of the player windows, drawn by
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
#include "gfx/bildnr_spieler.h"
#include "gfx/rastport.h"

namespace velmora {

// The picture of slave number `slave` of the player windows (gfx/bildnr_spieler.h), as a new depth-16
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
// The entries erster to letzter of resource file `datei` as one group: each
// the picture `bild` draws for its slave (datei x 4000 + entry), an empty
// data block where it draws none.
MusterGruppe Muster_Gruppe(int32_t datei, int32_t erster, int32_t letzter, const char* name,
                           Rastport* (*bild)(int32_t slave));

// The small shirt of a player kind (0 goalkeeper ... 3 forward) in the kind's
// colour, into w x h at (x, y) of a canvas (the line-up screens' markers).
struct Leinwand;
void Muster_Hemd(Leinwand& b, int32_t x, int32_t y, int32_t w, int32_t h, int32_t art);

}  // namespace velmora
