// gfx/bild_muster.h - the built-in pictures of the installation, drawn by
// program: club crests, trophies, kits with their masks and the portrait
// parts. The asset tool writes them into the resource files; the tests use
// them as real pictures.
#pragma once
#include <cstdint>
#include <vector>

#include "core/res.h"
#include "gfx/rastport.h"

namespace velmora {

// Single pictures as new depth-16 bitmaps (the caller frees them). Black (0)
// is transparent everywhere.
Rastport* Muster_Wappen(int32_t nummer);                  // 66 x 66 shield in two colours
Rastport* Muster_Pokal(int32_t nummer);                   // 66 x 66 cup
Rastport* Muster_Trikot(int32_t trikot, int32_t variante);          // 32 x 36 shirt in the kit's colours
Rastport* Muster_Trikot_Maske(int32_t trikot, int32_t variante);    // its 8-bit plane (depth 8)
Rastport* Muster_Portrait_Teil(int32_t eintrag);          // 85 x 100 with an alpha plane

// A bitmap as a resource entry of type 14 (pixels zlib-packed when `packen`).
ResDateiEintrag Muster_Eintrag(Rastport* rp, bool packen);

// The entries of whole resource files: crests 0 to anzahl - 1; trophies at
// 135 + graphic number 0 to anzahl - 1; kits (entries 16 + 13 n + variant and
// + 6 for the mask); the 207 portrait parts. Entries without a picture are
// empty data blocks.
std::vector<ResDateiEintrag> Muster_Wappen_Datei(int32_t anzahl);
std::vector<ResDateiEintrag> Muster_Pokal_Datei(int32_t anzahl);
std::vector<ResDateiEintrag> Muster_Trikot_Datei();
std::vector<ResDateiEintrag> Muster_Portrait_Datei();

}  // namespace velmora
