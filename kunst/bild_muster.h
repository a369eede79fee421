// kunst/bild_muster.h - the built-in pictures of the installation, drawn by
// program: club crests, trophies, kits with their masks and the portrait
// parts. The asset tool writes them into the resource files; the tests use
// them as real pictures.
#pragma once
#include <cstdint>
#include <string>
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
// Entries erster to letzter in order, packed: the picture `bild` draws for
// each entry number, an empty data block where it draws none.
std::vector<ResDateiEintrag> Muster_Eintraege(int32_t erster, int32_t letzter, Rastport* (*bild)(int32_t eintrag));

// The entries of whole resource files: crests 0 to anzahl - 1; trophies at
// POKAL_RES_ERSTER + graphic number 0 to anzahl - 1; kits (entries
// TRIKOT_RES_ERSTER + 13 n + variant and + 6 for the mask); the portrait
// parts. Entries without a picture are empty data blocks.
std::vector<ResDateiEintrag> Muster_Wappen_Datei(int32_t anzahl);
std::vector<ResDateiEintrag> Muster_Pokal_Datei(int32_t anzahl);
std::vector<ResDateiEintrag> Muster_Trikot_Datei();
std::vector<ResDateiEintrag> Muster_Portrait_Datei();

// A resource file assembled from groups of pictures. Every picture claims its
// entry; a second claim is refused, naming both groups, so that the asset tool
// stops instead of writing one picture over another.
struct MusterDatei {
    std::vector<ResDateiEintrag> eintraege;   // empty data blocks where no picture stands
    std::vector<std::string> gruppen;         // the group that claimed each entry, "" none
};
// Puts the group's entries at erster, erster + 1, ...; an empty data block
// claims nothing. "" when every entry was free, else the first refusal
// ("entry 331: the trophies and the darkening claim it"), the rest placed.
std::string Muster_Datei_Setzen(MusterDatei& datei, int32_t erster, std::vector<ResDateiEintrag> bilder,
                                const std::string& gruppe);

}  // namespace velmora
