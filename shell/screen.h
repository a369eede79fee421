// shell/screen.h - the screen memory and its display.
//
// Every screen is drawn into one block of 800 x 600 pixels of 5-6-5 in ordinary
// memory and shown once per frame, full screen (mode code 102) or in a window
// (mode code 105, "-w"); Ctrl+B switches between them.
#pragma once
#include <cstdint>

#include "platform/display.h"

namespace velmora {

constexpr int32_t SCREEN_VOLLBILD = 102;
constexpr int32_t SCREEN_FENSTER = 105;
constexpr int32_t SCREEN_BREITE = 800;
constexpr int32_t SCREEN_HOEHE = 600;
extern const char* const SCREEN_TITEL;   // window class and title "Korvel - Velmora V1.24"

struct Screen_Record {
    int32_t initialisiert;
    int32_t modus;            // above 103 window, below 104 full screen
    int32_t breite;
    int32_t hoehe;
    int32_t tiefe;            // bits per pixel of the screen memory: 16
    int32_t aktiv;            // 1 while the window is shown normally
    uint16_t* speicher;       // the screen memory, breite x hoehe pixels
    int32_t ist_555;          // the display wants 5-5-5 (never here: the platform converts)
};

Screen_Record& Screen_Get();
// Creates the window once; `fenster` ("-w") chooses a window over full screen.
// 0 or E_FAIL (0x80004005).
int32_t Win_Create_Window(bool fenster, bool headless);
// (Re-)creates the display in the record's mode code; 1 ok, 0 failed.
int32_t DDraw_Init(Screen_Record* rec);
// Releases what DDraw_Init made; safe to call twice.
void DDraw_Release(Screen_Record* rec);
// Closes the window at program end.
void Win_Destroy_Window();
// Decodes the playing films into the screen memory and shows it (only while
// the quit state is 0). How the picture changed, the playing films set apart.
// `nur_filme`: nothing but the films drew since the last frame shown, so only
// their rectangles are compared and shown.
PlatAenderung Screen_Present(bool nur_filme = false);
// Shows the given pixels in the current mode; how they changed.
PlatAenderung Screen_Update(const uint16_t* pixel, bool nur_filme = false);

// Films decode into the screen memory just before it is shown, and every
// screen set-up (also a Ctrl+B switch) tells the video slots its depth. The
// composition root fills both; null empties them.
void Screen_Film_Hook_Setzen(void (*bnk_do_frame_all)(uint16_t* speicher, int32_t pitch, int32_t hoehe));
void Screen_Bink_Hook_Setzen(void (*bink_init)(int32_t tiefe));

}  // namespace velmora
