// match/live/anweisung.h - orders: the only way a figure is moved.
//
// Each figure holds a ring of four orders: the current one and up to three
// queued behind it. An order names a target, a speed and an animation. The
// figure AI, the set-up and the tick give orders through SetZSA or its parts.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr int32_t RING_OHNE_PRUEFUNG = -1;   // the current order, without the busy checks

// Mode bits of SetZiel.
constexpr int32_t ZIEL_ANHAENGEN = 1;        // behind the last busy slot
constexpr int32_t ZIEL_FLAGS_10 = 2;         // order flags 10 (42 with ZIEL_BIT5)
constexpr int32_t ZIEL_FLAGS_8 = 4;
constexpr int32_t ZIEL_IGNORIEREN = 16;      // ignore whether the queued slot is busy
constexpr int32_t ZIEL_BIT5 = 32;

// Target, speed and animation in one call; false when the order was refused.
bool SetZSA(Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, int32_t z, int32_t tempo, int32_t anim,
            int32_t start, float dauer, int32_t erstes, int32_t letztes, int32_t schritt, int32_t wiederholung,
            int32_t ring, int32_t modus, int32_t modus_hoch);
// The slot chosen (0-3 from the current one), -1 when refused.
int32_t SetZiel(Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, int32_t z, int32_t ring, int32_t modus);
void SetSpeed(Spielfeld_Satz* satz, int32_t figur, float tempo, int32_t ring);
void SetNum(Spielfeld_Satz* satz, int32_t figur, int32_t anim, int32_t start, float dauer, int32_t erstes,
            int32_t letztes, int32_t schritt, int32_t wiederholung, int32_t ring);
// Places a figure; x = -1 at its current order's target.
void SetAnim(Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, int32_t z);
// Grounds a figure: height 0, order speed 0, the given launch speed, flight clock 0.
void Figur_Stoppen(Spielfeld_Satz* satz, int32_t figur, float vz);
// The velocity from the current order and a speed.
void Figur_Geschwindigkeit_Setzen(Figur* f, float tempo);
// A ball's deceleration stops any ball in one frame long before this bound;
// deflections in a row multiply the decelerations, which stop there instead
// of growing without end (towards infinity and a save the loader refuses).
constexpr float FIGUR_BREMSE_GRENZE = 1e8f;
// Multiplies the decelerations `erste`, `erste + schritt`, ... below 4 by
// `faktor`, each held within the bound.
void Figur_Bremse_Mal(Figur* f, int32_t erste, int32_t schritt, float faktor);
// The running animation for an order's speed.
int32_t Anim_Nach_Tempo(const Anweisung* a);
// The figure's current order (the index is taken modulo 4).
inline Anweisung* Figur_Aktuelle_Anweisung(Figur* f) { return f ? &f->ring[f->aktuell & 3] : nullptr; }

// One frame of a figure's animation, called by the tick before the movement:
// the animation timer runs down by `schritt` ms and for each frame duration
// used up the order's frame advances. A player's stamina and fatigue follow
// his order's speed (in frames whose stamina timer ran out), brake frames
// slow him down; at the end of a cycle the order wraps, counts down its
// repeats, hands over to the next queued order or, with none queued, stops
// the figure and asks its AI again. An order without a frame duration makes
// no frame step.
void Figur_Anim_Schritt(Spielfeld_Satz* satz, int32_t index, Figur* f, float schritt);

}  // namespace velmora
