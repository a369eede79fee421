// gfx/demobild.h - the demo world's own pictures: the photos of its players
// shown by photo and the crest pictures of its clubs with their own crest,
// drawn at depth 16 and written as JPEG files by the project's encoder. The
// generator tool writes them into the installation's "demobilder" folders, from
// where a new user directory gets them (core/dirs.h).
#pragma once
#include <cstdint>
#include <string>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t DEMOBILD_FOTO_BREITE = 85, DEMOBILD_FOTO_HOEHE = 100;   // a portrait's own size
constexpr int32_t DEMOBILD_WAPPEN_SEITE = 66;                             // the largest crest drawn
constexpr int32_t DEMOBILD_QUALITAET = 92;

// The photo of a player: a studio backdrop, head and shoulders, the shirt in
// the kit's first two colours (`farben`: two RGB triples). The same number
// gives the same face. A new depth-16 bitmap, or null.
Rastport* Demobild_Foto(int32_t spieler, const uint8_t* farben);
// The crest picture of crest number `nummer`: a shield halved in the two
// colours with a gold edge and a star, on black (shown as transparent by the
// crest drawing). A new depth-16 bitmap, or null.
Rastport* Demobild_Wappen(int32_t nummer, const uint8_t* farben);
// Writes the bitmap as "<verzeichnis>/<nummer>.jpg" (created as needed) and
// frees it; the file is whole or not there (written under a temporary name).
// False when the bitmap is null or the file cannot be written; `grund` then
// names the file and the system's reason.
bool Demobild_Schreiben(Rastport* bild, const std::string& verzeichnis, int32_t nummer, std::string* grund = nullptr);

}  // namespace velmora
