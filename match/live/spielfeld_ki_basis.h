// match/live/spielfeld_ki_basis.h - small operations the figure behaviours share:
// a free point around the ball, the players in a pass lane, a point's
// distance from a path, a bearing, the stand variants, the referee's
// readiness for a restart, and a team-wide reset of player value 98.
#pragma once
#include <cmath>
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// A point on the circle of radius r + 10 around the centre figure, on the
// pitch and with no player within 50 cm, drawn with Rnd. With `hinten` the
// point lies on the half towards the slot's own goal line. A circle pushed off
// the pitch at a goal line moves 50 cm back for the draws that follow. After
// 200 draws without a free point the last one drawn is taken, kept on the
// pitch (Punkt_Ins_Feld), and logged.
void Spielfeld_Freier_Punkt(Spielfeld_Satz* satz, int32_t slot, int32_t zentrum, float r, int32_t* x, int32_t* y,
                            int8_t hinten);
// The players of `seite` (0: slots 0-16, else 17-33) standing exactly "on the
// pitch" in the lane of half-width w from the start figure to (x1, y1); the
// lane narrows towards the start. The nearest of them (a goalkeeper always
// wins) goes to the nearest outputs when both are given; `nahe` counts those
// within (t + 1) x 120 cm of the line (t the fraction of the path). `dicht`
// is always 0 (the callers' weights assume it). Null outputs are skipped.
int32_t Spielfeld_Spieler_Im_Passweg(Spielfeld_Satz* satz, int32_t start, float x1, float y1, int32_t seite,
                                     float* nah_abstand, int32_t* nah_slot, float w, int32_t* dicht, int32_t* nahe);
// The distance of P from the path A-B, or -1 when the foot of the
// perpendicular from P lies off the path; the path counts 1/25 of its length
// longer beyond B. The foot goes to the outputs that are given (not for -1).
float Spielfeld_Abstand_Strecke(float x0, float y0, float x1, float y1, float px, float py, float* fx, float* fy);
// The length of (dx, dy): the plain root of the squares, for the figure
// loop's hot paths (the library's hypot guards against overflow that
// distances on the pitch never reach, at several times the cost).
inline float Abstand_Kurz(float dx, float dy) { return std::sqrt(dx * dx + dy * dy); }
// Whether (dx, dy) is shorter than r, without a root.
inline bool Naeher_Als(float dx, float dy, float r) { return dx * dx + dy * dy < r * r; }
// The arc tangent of b / a in hundredths of a radian, truncated; 156 for a = 0.
int32_t Spielfeld_Winkel(float a, float b);
// The stand variant for an endless current order: a stand row (0-6) in use
// drawn with Rnd into the current order (frame 0, ten repeats). -1, with the
// order unchanged, for a finite order or when `anim` (-1: the order's own
// row) is no stand row.
int32_t Figur_Standvariante_Waehlen(Figur* f, int32_t anim);
// The referee stands (or has no speed), is not whistling and may be interrupted.
bool Schiedsrichter_Bereit(const Spielfeld_Satz* satz);
// Player value 98 of every player of the team becomes 0.
void Spielfeld_Team_Wert98_Nullen(int32_t team);

}  // namespace velmora
