// shell/maus.cpp - mouse, keyboard and joystick input.
#include "shell/maus.h"

#include "gfx/rastport.h"
#include "platform/display.h"

namespace velmora {
namespace {

// A frame's life, and the fields each step reads and writes:
// - Maus_Tasten_Latch, once at the frame's start: a click the previous frame
//   read (`verbraucht`) is gone unless it was kept over a wait (`aufgehoben`).
//   The buttons held now, less the ignored ones (`gesperrt`), become the
//   frame's click (`gelatcht`); a click pressed and released since the last
//   latch stays latched, so a quick click is still seen. `stand` is what the
//   frame reports, `neu` those of its buttons the previous frame did not
//   report (new until a frame reads them); `im_frame` starts empty.
// - Maus_Klick, any number of times during the frame: the buttons held now
//   (less `gesperrt`), else the latched click; each button one read saw held
//   stays in `im_frame` and is reported by every later read of the frame, so
//   a release arriving mid-frame does not hide the press from the icons
//   looked at after it. It marks the click read (`verbraucht`). After a right
//   click was acted on (`rechts_sperre`) nothing is reported until the right
//   button is released.
// - A remote call's wait ends with Maus_Warten_Ende: a press made during it
//   becomes the next frame's click (`aufgehoben` keeps it over the next
//   latch); buttons held since before the wait (`zuletzt`, what the last read
//   saw) are ignored until released.
// - Maus_Eingabe_Verwerfen forgets the click, the frame's reads and the wheel;
//   the buttons held then are ignored until released.
// Every read of the buttons drops released ones from `gesperrt` (Knoepfe_Frei).
struct MausModul {
    int32_t frame_x = 0, frame_y = 0;
    uint32_t gelatcht = 0;   // the frame's click: held at the latch, or pressed since and released
    uint32_t verbraucht = 0; // 1 once a read of this frame took the click
    uint32_t rechts_sperre = 0;
    uint32_t gesperrt = 0;   // buttons held when input was dropped, ignored until released
    uint32_t zuletzt = 0;    // the buttons the last read saw (held or pressed since)
    uint32_t im_frame = 0;   // the buttons a click read of this frame saw held
    bool aufgehoben = false; // the latched click came during a wait: the next latch keeps it
    uint32_t stand = 0;      // the buttons this frame reports at its latch (held or latched)
    uint32_t neu = 0;        // those of them the previous frame did not report
    int32_t rad = 0;
    Joystick joy[2] = {};
};
MausModul g;

// The buttons held now, less those still held since input was dropped.
uint32_t Knoepfe_Frei() {
    const uint32_t b = Mouse_Buttons();
    g.zuletzt = b;
    g.gesperrt &= b;
    return b & ~g.gesperrt;
}

}  // namespace

uint32_t Mouse_Buttons() { return Plat_Maus_Knoepfe() & 3u; }

int32_t Mouse_X() {
    int32_t x = 0;
    Plat_Maus(&x, nullptr);
    return x;
}

int32_t Mouse_Y() {
    int32_t y = 0;
    Plat_Maus(nullptr, &y);
    return y;
}

int32_t Maus_X() { return g.frame_x; }
int32_t Maus_Y() { return g.frame_y; }

void Maus_Frame_Position_Setzen(int32_t x, int32_t y) {
    g.frame_x = x;
    g.frame_y = y;
}

void Maus_Tasten_Latch() {
    const bool gelesen = g.verbraucht == 1;
    if (g.verbraucht == 1 && !g.aufgehoben) {
        g.verbraucht = 0;
        g.gelatcht = 0;
    }
    g.aufgehoben = false;
    g.im_frame = 0;
    uint32_t b = Knoepfe_Frei();
    if (b) g.gelatcht = b;
    // A click no frame has read yet stays new until one does.
    g.neu = ((gelesen ? 0u : g.neu) | (g.gelatcht & ~g.stand)) & g.gelatcht;
    g.stand = g.gelatcht;
}

uint32_t Maus_Neu() { return g.neu; }

void Maus_Eingabe_Verwerfen() {
    g.gelatcht = 0;
    g.im_frame = 0;
    g.verbraucht = 0;
    g.rad = 0;
    g.aufgehoben = false;
    g.gesperrt = Mouse_Buttons();
    g.zuletzt = g.gesperrt;
}

void Maus_Warten_Ende() {
    const uint32_t vorher = g.zuletzt;
    const uint32_t b = Mouse_Buttons();   // held now, or pressed during the wait
    g.zuletzt = b;
    g.rad = 0;
    g.gesperrt = (g.gesperrt | vorher) & b;
    const uint32_t neu = b & ~g.gesperrt;
    // The frame's latched click stays: the wait came after its latch, and the
    // frame still acts on it (as the click of the call it is not repeated:
    // that one was released before its frame fired it).
    g.gelatcht = (g.gelatcht & ~g.gesperrt) | neu;
    if (neu) {
        g.verbraucht = 0;
        g.aufgehoben = true;
    }
}

uint32_t Maus_Klick() {
    uint32_t b = Knoepfe_Frei();
    if (b) g.gelatcht = 0;
    else b = g.gelatcht;
    // The buttons are read anew at every query, so a release can arrive in
    // the middle of a frame (the display's events come in while it runs, more
    // so on a loaded machine). A button one read of this frame saw held stays
    // held for the frame's later reads: the icons looked at after the release
    // still see the press that the first ones saw, and the next frame sees the
    // release. (Without this the press was gone for the icon under the
    // pointer, and with it the click.)
    g.im_frame = (g.im_frame & ~g.gesperrt) | b;
    b = g.im_frame;
    g.verbraucht = 1;
    if (g.rechts_sperre) {
        if (!(b & 2)) g.rechts_sperre = 0;
        else b = 0;
    }
    return b;
}

void Maus_Rechts_Sperre_Setzen(uint32_t an) { g.rechts_sperre = an; }

bool Maus_In_Rechteck(int32_t x, int32_t y, int32_t w, int32_t h) {
    int32_t mx = Mouse_X(), my = Mouse_Y();
    return x <= mx && mx <= x + w && y <= my && my <= y + h;
}

bool Maus_Ueber_Bild(const Rastport* rp, int32_t x, int32_t y) {
    if (!rp) return false;
    const int64_t rx = int64_t(Mouse_X()) - x, ry = int64_t(Mouse_Y()) - y;
    if (rx < 0 || ry < 0 || rx >= int64_t(rp->width) || ry >= int64_t(rp->height)) return false;
    const uint64_t i = uint64_t(ry) * rp->width + uint64_t(rx);
    if (rp->mask) return (rp->mask[i / 8] >> (i % 8)) & 1;
    const PixelBuffer* pb = rp->pixels;
    if (pb && pb->pixels) {
        if (pb->depth == 8) return static_cast<const uint8_t*>(pb->pixels)[i] != 0;
        if (pb->depth == 15 || pb->depth == 16) return static_cast<const uint16_t*>(pb->pixels)[i] != 0;
        return false;
    }
    return true;
}

int32_t Maus_Rad() { return g.rad; }
void Maus_Rad_Setzen(int32_t wert) { g.rad = wert; }

int32_t Joy_Direction(Joystick* joy) {
    if (!joy) return -1;
    static const int32_t tabelle[3][3] = {{7, 6, 5}, {0, -1, 4}, {1, 2, 3}};
    int32_t cx = (joy->x + 16384) >> 15;
    int32_t cy = (joy->y + 16384) / 32786;
    cx = cx < 0 ? 0 : cx > 2 ? 2 : cx;
    cy = cy < 0 ? 0 : cy > 2 ? 2 : cy;
    joy->richtung = tabelle[cx][cy];
    return joy->richtung;
}

Joystick* Joy_Record(int32_t nummer) { return nummer == 0 || nummer == 1 ? &g.joy[nummer] : nullptr; }

int32_t Joy_Capture() {
    // Joysticks announce themselves through the platform layer's events; none is captured.
    int32_t n = 0;
    for (Joystick& j : g.joy) n += j.vorhanden ? 1 : 0;
    return n;
}

void Joy_Release() {
    for (Joystick& j : g.joy) j.vorhanden = 0;
}

}  // namespace velmora
