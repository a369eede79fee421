// gui/anim_liste.h - timed picture animations: flip books of numbered slave
// pictures that a screen plays on top of its icons, each in a slot of a small
// fixed array the screen owns (the training unit and the scout dialogue).
//
// A run of pictures is consecutive: frame k is slave `erstes` + k. Each frame
// stays `intervall` ms on the millisecond clock; at most one frame is stepped
// per drawing call, so a slow frame rate slows the animation instead of
// skipping frames. The last frame shown is `anzahl` - 2: a run is laid out
// with one picture more than it shows. Nothing is allocated.
#pragma once
#include <cstdint>
#include <span>

namespace velmora {

struct Anim_Slot {
    int32_t erstes = -1;          // slave number of frame 0; -1 when cleared
    int32_t x = 0, y = 0;         // where on the drawing target
    uint8_t aktiv = 0;            // 1 while it runs
    int32_t bild = 0;             // the frame shown now
    int32_t anzahl = 0;           // pictures of the run
    uint32_t letzter_schritt = 0; // clock when the frame shown was entered
    int32_t intervall = 0;        // ms per frame
    uint8_t schleife = 0;         // 1: back to `zurueck` after the last frame; else the slot is freed
    int32_t zurueck = 0;          // the frame a loop continues from
    uint8_t gemeldet = 0;         // a missing picture was logged once
};

// The operations take the screen's array; a count or index outside it is
// refused with a debug line and changes nothing.
//
// Clears the first n slots (free, no run). Screens call it when they open, when
// a training unit ends, and with n = 1 on one slot to stop its animation.
void Anim_Liste_Init(std::span<Anim_Slot> slots, int32_t n);
// Starts a run in the first free slot of the first n: frame 0, entered now.
// The slot's index, or -1 when all n run (nothing changes then).
int32_t Anim_Liste_Neu(std::span<Anim_Slot> slots, int32_t n, int32_t x, int32_t y, int32_t erstes, int32_t anzahl,
                       int32_t intervall, int32_t schleife, int32_t zurueck);
// Per frame: each running slot of the first n, in slot order, is drawn onto the
// current target, then stepped when its interval has passed: to the next
// frame while below anzahl - 2, else back to `zurueck` when it loops, else
// freed. A picture that is missing is not drawn (logged once); the slot steps on.
void Anim_Liste_Zeichnen(std::span<Anim_Slot> slots, int32_t n);
bool Anim_Liste_Aktiv(std::span<const Anim_Slot> slots, int32_t i);
// The frame slot i shows (-1 for an index outside the array).
int32_t Anim_Liste_Bild(std::span<const Anim_Slot> slots, int32_t i);

}  // namespace velmora
