// kunst/bild_muster_editor.h - the team editor's pictures, drawn by program in
// the game's palette. The asset tool writes them into "oddo_res.res"
// (entries 346-376, 388-393, 405-410 and 434-441, shown as slaves 28000 + entry).
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/bildnr_editor.h"
#include "gfx/rastport.h"

namespace velmora {

// The picture of slave number `slave` of gfx/bildnr_editor.h (a new depth-16
// bitmap, black transparent), null for a number without one.
Rastport* Muster_Editor_Bild(int32_t slave);
// The entries of "oddo_res.res" the editor's pictures take, each group from
// its first entry in order (empty blocks between the pictures).
struct EditorMusterGruppe {
    int32_t erster;
    std::vector<ResDateiEintrag> bilder;
};
std::vector<EditorMusterGruppe> Muster_Editor_Gruppen();

}  // namespace velmora
