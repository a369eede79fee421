// kunst/film_muster.h - the films of the installation ("animationen.res"),
// drawn by program in the game's palette with its fonts, 25 frames a second.
// The asset tool writes them; the tests open them from the written file.
//
//   0-7     training camps, 320 x 240: a looping scene per camp
//   9, 10   "kwagen" (the ambulance) and "herz" (the heart monitor, each
//           further pass from frame 25), 200 x 150, with sound tracks
//   11-52   talent training, 200 x 150: 11 + talent for talents 0-39, 51 the
//           strength star (talent 53), 52 the goalkeeper talents
//   53-58   the new-game wizard: 55 the band above its panel (800 x 100), the
//           others 200 x 72 page films
//   59 + g  competition films of graphic number g (0-47 but 18), 66 x 66:
//           the competition's cup on the header's medallion
//   77      "Attr_Film", 320 x 240: frames 1-125 the opening, then talent t
//           (0-53) in frames 126 + 48 t to 173 + 48 t; 2,717 frames
// Entry 8 holds no film.
#pragma once
#include <cstdint>
#include <memory>

#include "gfx/font.h"
#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t FILM_EINTRAEGE = 107;
constexpr int32_t FILM_LAGER_ANZAHL = 8;
constexpr int32_t FILM_KWAGEN = 9;
constexpr int32_t FILM_HERZ = 10;
constexpr int32_t FILM_TALENT_ERSTER = 11;
constexpr int32_t FILM_TALENT_STAERKE = 51;
constexpr int32_t FILM_TALENT_TORWART = 52;
constexpr int32_t FILM_ASSISTENT_BAND = 55;
constexpr int32_t FILM_WETTBEWERB_ERSTER = 59;
constexpr int32_t FILM_WETTBEWERB_GRAFIKEN = 48;
constexpr int32_t FILM_ATTR = 77;
constexpr int32_t FILM_ATTR_OEFFNUNG = 125;   // frames of the opening
constexpr int32_t FILM_ATTR_SEGMENT = 48;     // frames per talent
constexpr int32_t FILM_ATTR_TALENTE = 54;

struct FilmMuster {
    int32_t breite = 0, hoehe = 0;
    int32_t bilder = 0;       // 0: the entry holds no film
    int32_t schleife = 1;     // the frame each further pass begins at
    bool ton = false;         // with a sound track (the asset tool synthesises it)
};
FilmMuster Film_Muster(int32_t eintrag);

// Draws the frames of one film; every frame is drawn whole, in any order.
class FilmSzene {
public:
    virtual ~FilmSzene() = default;
    // Frame `bild` (from 1) into `ziel`, a depth-16 bitmap of the film's size.
    virtual void Zeichnen(int32_t bild, Rastport* ziel) = 0;
};
// The scene of entry `eintrag` (null for an entry without film); `schriften`
// are the installation's 17 fonts.
std::unique_ptr<FilmSzene> Film_Muster_Szene(int32_t eintrag, Font* const* schriften);

}  // namespace velmora
