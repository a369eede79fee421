// kunst/bild_muster_seiten.h - the pictures of the match-day pages and the
// competition screens, drawn by program in the menus' palette: the pages
// before and after the matches, the pre-match picture with its figure layers
// and back-number strips, the result and table windows, the winner pictures,
// the table, fixtures and comparison screens and the club ranking. The asset
// tool writes them into the resource files (gfx/bildnr_seiten.h).
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/bildnr_seiten.h"
#include "gfx/rastport.h"

namespace velmora {

// Single pictures (new depth-16 bitmaps, black transparent; the masks depth 8),
// by file and entry as the file holds it; null for an entry without one.
Rastport* Muster_Seiten_Bild(int32_t datei, int32_t eintrag);
// The entries of a file these pictures take (with 4000 + n for the ones read
// by number), in ascending order.
std::vector<int32_t> Muster_Seiten_Eintraege(int32_t datei);

}  // namespace velmora
