// shell/maus.h - mouse, keyboard and joystick input.
//
// The mouse is polled: its position is taken once per frame, the buttons are
// read at every query and also latched at frame start, so a press released
// before the frame's first query is still seen as a click.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

uint32_t Mouse_Buttons();   // held now: bit 0 left, bit 1 right
int32_t Mouse_X();          // the cursor now, in screen-bitmap coordinates
int32_t Mouse_Y();
int32_t Maus_X();           // the position sampled at the start of this frame
int32_t Maus_Y();
void Maus_Frame_Position_Setzen(int32_t x, int32_t y);   // the frame's sample (the shell's frame)
// Called once per frame by the calendar and the match day.
void Maus_Tasten_Latch();
// The buttons to act on in this frame (held ones, or a click released since the
// latch); a button one call of this frame saw held stays held until the next latch.
uint32_t Maus_Klick();
// The buttons of this frame's click that the previous frame did not report:
// a press that began since the previous latch.
uint32_t Maus_Neu();
// Drops the mouse input so far: the latched click, what this frame's reads saw
// and the wheel; buttons held now count again only after they have been
// released. For a click that was acted on and must not act again (an
// announcement page's) and at the program's start (a button already down
// clicks nothing); the end of a remote call's wait is Maus_Warten_Ende.
void Maus_Eingabe_Verwerfen();
// The end of a wait (a remote call): a button pressed during it is kept as the
// click of the next frame, counted once; the frame's latched click stays; one
// held since before the wait counts again only after its release (the click
// that made the call is not repeated). The wheel steps of the wait are dropped.
void Maus_Warten_Ende();
// Set when a right click has been acted on; Maus_Klick then reports nothing
// while the right button is still involved.
void Maus_Rechts_Sperre_Setzen(uint32_t an);
// True when x <= mouse x <= x + w and y <= mouse y <= y + h (the cursor now).
bool Maus_In_Rechteck(int32_t x, int32_t y, int32_t w, int32_t h);

// True when the cursor lies over a visible pixel of the bitmap drawn at (x, y):
// inside its rectangle and, with a 1-bit mask, on a set bit; else, with pixel
// memory, on a non-zero pixel (8, 15 or 16 bits); a bitmap with neither counts
// as hit inside its rectangle.
bool Maus_Ueber_Bild(const Rastport* rp, int32_t x, int32_t y);

// The wheel: -1 away from the user, +1 towards; read and cleared by the icon framework.
int32_t Maus_Rad();
void Maus_Rad_Setzen(int32_t wert);

struct Joystick {
    int32_t vorhanden;
    int32_t knopf1;
    int32_t knopf2;
    int32_t x;          // 0..65535
    int32_t y;
    int32_t richtung;   // -1 centred, 0 up, then clockwise to 7 up-left
};
// The direction of a joystick position, stored into the record and returned.
int32_t Joy_Direction(Joystick* joy);
Joystick* Joy_Record(int32_t nummer);   // 0 or 1
// The game never captures a joystick; these only mark what is present.
int32_t Joy_Capture();
void Joy_Release();

}  // namespace velmora
