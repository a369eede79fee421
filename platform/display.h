// platform/display.h - the window, the screen and the input devices.
//
// Two back-ends share this interface: SDL2 (a real window or full screen) and
// headless (no window: a virtual millisecond clock, scripted input, and the
// last shown frame kept for screenshots). The game draws into its own 800 x 600
// 5-6-5 screen memory and hands it over once per frame.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// Windows virtual-key codes, which the game's key handling uses throughout.
enum PlatVk : int32_t {
    VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_PAUSE = 19,
    VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37,
    VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
    VK_NUMPAD0 = 96, VK_MULTIPLY = 106, VK_ADD = 107, VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111,
    VK_F1 = 112,
    VK_LBUTTON = 1, VK_RBUTTON = 2,
};

enum PlatEreignisArt : int32_t {
    PLAT_E_KEINS = 0,
    PLAT_E_TASTE,        // a key went down: code = virtual key; shift, ctrl = modifier state then
    PLAT_E_ZEICHEN,      // a typed character: code = character (Latin-1)
                         // (both with `wiederholt` set when a held key repeats)
    PLAT_E_RAD,          // mouse wheel: code = -1 away from the user, +1 towards
    PLAT_E_SCHLIESSEN,   // the window's close command
    PLAT_E_BEENDEN,      // the quit message of the session
    PLAT_E_AKTIV,        // code = 1 shown normally, 0 minimised or hidden
    PLAT_E_JOY_BEWEGUNG, // joystick `joy` moved to (x, y), 0..65535
    PLAT_E_JOY_KNOPF,    // joystick `joy` button bits in code
};

struct PlatEreignis {
    PlatEreignisArt art = PLAT_E_KEINS;
    int32_t code = 0;
    int32_t shift = 0;
    int32_t ctrl = 0;
    int32_t joy = 0;
    int32_t x = 0;
    int32_t y = 0;
    // 1 when the system's key repeat sent this key or character because the key
    // is held, 0 for a fresh press (scripts set it for the headless back-end).
    int32_t wiederholt = 0;
};

enum PlatBackend : int32_t { PLAT_HEADLESS = 0, PLAT_SDL = 1 };

// True when a display exists for the SDL back-end: DISPLAY or WAYLAND_DISPLAY
// is set, SDL's video opens on it, and the driver is none of the two that draw
// on no screen ("offscreen", "dummy"). Asked once per environment.
bool Plat_Display_Vorhanden();
// Why there is no display, in a few words ("" when there is one).
std::string Plat_Display_Grund();
// True when the environment names a screen to draw on: DISPLAY or
// WAYLAND_DISPLAY is set and SDL_VIDEODRIVER is none of the two drivers that
// draw on no screen. The game then wants its window, whether it opens or not.
bool Plat_Display_Gesetzt();
// The distribution's package that holds the SDL2 library the window needs.
constexpr const char* SDL_PAKET = "libsdl2-2.0-0";
// Whether the program was built with its window (SDL); a build without one
// plays headless only.
bool Plat_Fenster_Gebaut();
// Opens the back-end and its window (none when headless) of width x height
// showing `titel`; `fenster` chooses a window over full screen.
bool Plat_Display_Oeffnen(PlatBackend backend, const char* titel, int32_t breite, int32_t hoehe, bool fenster);
void Plat_Display_Schliessen();
PlatBackend Plat_Display_Backend();
// Switches between window and full screen; the window itself stays.
bool Plat_Display_Modus(bool fenster);
// A rectangle of the screen picture or of the window.
struct PlatRechteck {
    int32_t x = 0, y = 0, b = 0, h = 0;
};

// How a shown frame differs from the one before.
enum PlatAenderung : int32_t {
    PLAT_GLEICH = 0,            // not at all
    PLAT_NUR_IN_BEREICHEN = 1,  // only inside the given rectangles (the playing films)
    PLAT_GEAENDERT = 2,         // elsewhere too
};
// Shows one frame of 5-6-5 pixels, width x height, rows packed, and says how
// it differs from the frame shown before, `bereiche` (`anzahl` rectangles)
// set apart. The window takes only the rectangle around the changed pixels
// (the whole picture after it was uncovered or resized), so a still picture
// costs the display nothing and a film's frame no more than its pixels.
// `nur_bereiche`: the caller vouches that nothing outside the rectangles
// changed (a frame that drew only its films), so only they are compared.
PlatAenderung Plat_Display_Zeigen(const uint16_t* pixel, const PlatRechteck* bereiche = nullptr, int32_t anzahl = 0,
                                  bool nur_bereiche = false);
// How the frame `neu` differs from `alt` (breite x hoehe), as Plat_Display_Zeigen
// tells it, and the smallest rectangle around every changed pixel in `huelle`.
PlatAenderung Plat_Bild_Vergleichen(const uint16_t* alt, const uint16_t* neu, int32_t breite, int32_t hoehe,
                                    const PlatRechteck* bereiche, int32_t anzahl, bool nur_bereiche,
                                    PlatRechteck* huelle);
// The part of the picture the last Plat_Display_Zeigen handed to the window
// (headless: would have): the changed pixels' hull, the whole picture when the
// window was drawn anew, empty when nothing changed.
PlatRechteck Plat_Display_Zuletzt();
// The window pixels that show the picture's rectangle `bereich` when the
// picture (bild_b x bild_h) is drawn into `bild` of the window, each window
// pixel taking the nearest picture pixel to its upper left; empty when none.
PlatRechteck Plat_Bereich_Im_Fenster(const PlatRechteck& bereich, const PlatRechteck& bild, int32_t bild_b,
                                     int32_t bild_h);
// Waits at most `ms` milliseconds for an event (headless: returns at once);
// true when one is pending (0 ms: only looks).
bool Plat_Ereignis_Warten_Ms(uint32_t ms);
// How many events the display has taken so far, of every kind (a pointer's
// move and a button too, which Plat_Ereignis_Holen does not hand on): a
// frame can tell whether anything came since another.
uint32_t Plat_Eingaben();

// The screen picture inside the window's drawing area: the largest rectangle
// of the picture's aspect, centred; the rest is a black border.
PlatRechteck Plat_Bild_Rechteck(int32_t flaeche_b, int32_t flaeche_h, int32_t bild_b, int32_t bild_h);
// A pointer position in window points (the window fenster_b x fenster_h
// points, drawn as flaeche_b x flaeche_h pixels) to screen-picture pixels
// 0..bild_b-1, 0..bild_h-1: on the border it holds to the picture's edge.
void Plat_Fenster_Zu_Bild(int32_t fx, int32_t fy, int32_t fenster_b, int32_t fenster_h, int32_t flaeche_b,
                          int32_t flaeche_h, int32_t bild_b, int32_t bild_h, int32_t* x, int32_t* y);
// Reads back what the display shows now, as 5-6-5 pixels of the screen size
// (SDL: from the renderer; headless: the last frame). False when nothing is shown.
bool Plat_Display_Lesen(std::vector<uint16_t>& pixel);
// Takes the next pending event; false when none is pending.
bool Plat_Ereignis_Holen(PlatEreignis& e);
// Blocks until an event is pending (headless: returns at once).
void Plat_Ereignis_Warten();
// The cursor in screen-bitmap coordinates, and the buttons held now (bit 0 left, bit 1 right).
void Plat_Maus(int32_t* x, int32_t* y);
uint32_t Plat_Maus_Knoepfe();
// Whether a key (virtual-key code) is held now.
bool Plat_Taste_Gehalten(int32_t vk);
// A modal message box with a caption; on stderr as well, as one line.
void Plat_Meldungsbox(const char* titel, const char* text);
// A start that failed before any window opened: the line goes to stderr as
// Plat_Stderr_Zeile gives it and, where a display exists, into a modal box
// captioned "ERROR:" that waits for the user (a player who started the game
// from a desktop reads no terminal). Needs no window and no renderer.
void Plat_Startfehler(const char* text);
// A message on stderr as one line named by the program ("velmora: ..."),
// its line breaks turned into spaces, its text as Plat_Terminal_Text gives it.
void Plat_Stderr_Zeile(const char* text);
// Text of the game (Latin-1, its character set, with paths and the like in
// UTF-8) as a terminal shows it: UTF-8 throughout. A well-formed UTF-8
// sequence stays, any other byte from 0xA0 up is the Latin-1 character; a
// control character (but line break and tab) or a stray byte from 0x80 to
// 0x9F becomes '?', so a damaged file's raw bytes never reach the terminal.
std::string Plat_Terminal_Text(std::string_view text);

// Headless back-end: scripted input and the shown frames.
void Plat_Headless_Ereignis(const PlatEreignis& e);
void Plat_Headless_Maus(int32_t x, int32_t y, uint32_t knoepfe);
void Plat_Headless_Taste(int32_t vk, bool gehalten);
// The last frame handed to Plat_Display_Zeigen and how many were shown.
const std::vector<uint16_t>& Plat_Headless_Bild();
uint32_t Plat_Headless_Bilder();
// The message boxes shown so far (caption and text).
const std::vector<std::pair<std::string, std::string>>& Plat_Headless_Meldungen();

}  // namespace velmora
