// matchview/spielansicht_geometrie.h - the match view's geometry: pitch
// centimetres to pixels of the world picture seen from the diagonal camera,
// the facing direction of a screen vector, the camera's easing towards the
// ball and a figure's turning by sixteenths.
//
// Everything here is pure: the view's driver keeps the state and hands it in,
// so the rules are tested without a screen.
#pragma once
#include <cstdint>

namespace velmora {

// The world picture: 3610 x 980 at full scale, 1805 x 490 at half scale.
constexpr int32_t ANSICHT_WELT_BREITE = 3610;
constexpr int32_t ANSICHT_WELT_HOEHE = 980;

struct AnsichtPunkt {
    int32_t x = 0, y = 0;
};

// The world-picture pixel of a pitch point (cm); `halb` the half scale,
// `gespiegelt` the mirrored side (x = 0 lies where x = 10800 lies otherwise).
// Positions that are no numbers or lie far off the pitch are clamped first, so
// a damaged record never yields a pixel out of all proportion.
AnsichtPunkt Spielansicht_Projektion(float x, float y, float z, bool halb, bool gespiegelt);

// Direction index 0-15 of a screen vector: 0 up, 4 right, 8 down, 12 left,
// clockwise in sixteenths.
int32_t Spielansicht_Richtung16(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
float Spielansicht_Abstand(float x1, float y1, float x2, float y2);

// One sixteenth of turning from `gezeigt` (255: none yet) towards `gewollt`:
// the shorter way, counter-clockwise on a tie.
int32_t Spielansicht_Drehen(int32_t gezeigt, int32_t gewollt);

// The camera of one view.
struct AnsichtKamera {
    int32_t pos[3] = {0, 0, 0};      // cm
    int32_t scroll[2] = {0, 0};      // top-left corner of the view in the world picture
};

// The camera's inputs from the match record and the display settings.
struct KameraEingabe {
    float ziel[3] = {0, 0, 0};       // target (cm); clamped in place to the camera's field
    int32_t schritte = 0;            // simulation frames not yet shown: one easing step each
    bool schnell = false;            // fast camera (divisor 5)
    bool pause = false;              // nothing moves while set
    uint32_t frame_zeit = 45;        // display frame time; 0 gives divisor 8
    bool halb = false;               // half scale
    bool gespiegelt = false;
    int32_t breite = 800, hoehe = 564;   // the view's size
};

// Clamps a camera target to the field the camera may look at.
void Spielansicht_Kamera_Ziel_Klemmen(float ziel[3]);
// The easing steps of one frame; returns the number of steps made. The
// scroll stays within 0..(world - view) in both directions.
int32_t Spielansicht_Kamera_Schritt(AnsichtKamera* k, KameraEingabe* e);
// The scroll for a camera position.
void Spielansicht_Kamera_Scroll(AnsichtKamera* k, const KameraEingabe& e);

}  // namespace velmora
