// matchview/radar.h - the radar of a watched match: the whole pitch from
// above on one 800 x 600 screen, both crests, names, score, minute and team
// strengths, every player as a numbered dot (a tired one pulsing), the ball
// with its height, the two players of the current duel by name and, for the
// player under the mouse, his ranges and his card.
//
// The radar only reads the match record. Its pictures ("menue_res.res":
// background 31, home dot 33, away dot 34, the ball at 31 heights 35-65, the
// goals 66 and 67) are loaded on first use and kept until Radar_Freigeben.
#pragma once
#include <cstdint>

namespace velmora {

struct Spielfeld_Satz;
struct Rastport;

constexpr int32_t RADAR_RES_DATEI = 0;   // "menue_res.res"
constexpr int32_t RADAR_HINTERGRUND = 31, RADAR_PUNKT_HEIM = 33, RADAR_PUNKT_GAST = 34;
constexpr int32_t RADAR_BALL_ERSTER = 35, RADAR_BALL_BILDER = 31;
constexpr int32_t RADAR_TOR_LINKS = 66, RADAR_TOR_RECHTS = 67;
constexpr int32_t RADAR_BALL = 37;        // the ball's figure

struct RadarPunkt {
    int32_t x = 0, y = 0;
};
// A pitch position (cm) on the panel; mirrored when the record's sides changed.
RadarPunkt Radar_Punkt(const Spielfeld_Satz& satz, float x, float y);
// The ball picture of a height in cm: 0 on the ground, 30 from 700 cm.
int32_t Radar_Ball_Bild(float hoehe);
// The figure whose dot lies under the mouse, -1 none.
int32_t Radar_Figur_Unter(const Spielfeld_Satz& satz, int32_t maus_x, int32_t maus_y);

// Draws the radar of `satz` into the screen with the mouse where it is.
void Spieltag_Radar_Anzeigen(const Spielfeld_Satz* satz);
// The same into `ziel` (800 x 600) with the mouse at (maus_x, maus_y).
// False when the pictures cannot be loaded (nothing drawn).
bool Radar_Zeichnen(const Spielfeld_Satz& satz, Rastport* ziel, int32_t maus_x, int32_t maus_y);
// The pulse of tired players' dots (30..100, 10 a frame), for the tests.
int32_t Radar_Puls();
void Radar_Puls_Setzen(int32_t wert, int32_t richtung);
// Frees the pictures; the next drawing loads them again.
void Radar_Freigeben();

}  // namespace velmora
