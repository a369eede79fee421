// gui/menue.h - the Menue frame: the per-frame redraw and mouse input, the
// hooked procedures (the framework's timers), the input state and the seams
// through which the framework reaches the mouse, the manager's icon states and
// the resource files of the layers above it.
//
// Road of a click: the shell samples the mouse; Menue_Icons_Check finds the
// topmost icon under it by priority and distance and calls its Main_P with the
// event code; the procedure changes game data and the next frame shows it.
#pragma once
#include <cstdint>

#include "gui/icon.h"

namespace velmora {

// What the framework needs of the layers above it; the program's entry fills
// these at start. An unfilled hook does the neutral thing (no mouse, no button,
// state 0, no picture) and says so once in the debug log.
struct MenueHooks {
    // The mouse position of this frame and the buttons to act on (bit 0 left, bit 1 right).
    int32_t (*maus_x)() = nullptr;
    int32_t (*maus_y)() = nullptr;
    uint32_t (*maus_klick)() = nullptr;
    // The buttons of this frame that went down since the last frame (a fresh
    // press); unfilled, the framework compares the reads of its own checks.
    uint32_t (*maus_neu)() = nullptr;
    // Makes the rest of the current right press read as no press.
    void (*rechts_sperre)() = nullptr;
    // The wheel steps since the last call, cleared by the read.
    int32_t (*rad_holen)() = nullptr;
    // The local manager's icon state of an icon number, and its writer.
    int32_t (*icon_zustand)(int32_t nummer) = nullptr;
    void (*icon_zustand_setzen)(int32_t nummer, int32_t wert) = nullptr;
    // The slot handle of resource file `index` of the program's list, -1 when not open.
    int32_t (*resourcen_slot)(int32_t index) = nullptr;
    // The name of the base nation's team, or null when there is none.
    const char* (*basis_team_name)() = nullptr;
    // The help option of the local manager: non-zero shows help texts.
    uint8_t (*hilfe_option)() = nullptr;
    // Shows a help text at (x, y) and removes it again.
    void (*hilfe_zeigen)(const char* text, int32_t x, int32_t y) = nullptr;
    void (*hilfe_stoppen)() = nullptr;
    // A picture loaded by file name (the placeholder loader), or null.
    Rastport* (*bild_laden)(const char* name) = nullptr;
    // Scroll bars: the wheel moves a scroll-bar button by `schritte`.
    void (*scrollbar_rad)(s_icon* icon, int32_t schritte) = nullptr;
    // Input fields: ends the rocker highlight of an icon.
    void (*wippe_ende)(s_icon* icon) = nullptr;
};
MenueHooks& Menue_Hooks();

// One frame of the menu phase: redraw, then mouse input and hooked procedures.
void Menue_Frame();
// -1 after the right-click icon fired or a click was armed; 0, 1 or 2 after a
// move ended, a hover ended or a click fired (the frame ignores the result).
int32_t Menue_Icons_Check();

// Hooked procedures: at most 20, each called for every visible icon the check
// passes, with 0x2000 at most once per interval and 0x800 otherwise.
using MenueHookProc = void (*)(void* argument, int32_t ereignis);
void Menue_Hook_Procedure(MenueHookProc proc, void* argument, int32_t entfernen, int32_t intervall);
bool Menue_Hook_Ist_Aktiv(MenueHookProc proc, void* argument);
void Menue_Hooks_Leeren();
constexpr int32_t MENUE_HOOK_SLOTS = 20;

uint32_t Menue_Get_Zeit();
void Menue_Set_Rechtsklick_Icon(int32_t nummer);
int32_t Menue_Get_Rechtsklick_Icon();
// The keys of the box on top: Return fires its default button (a
// requester's "Ja" or "OK") with a left click, Escape the button that leaves
// it with a right click (-1 each: none); without a button of its own Escape
// fires the right-click icon, the screen's back or close button. A key fires
// only a button that was named already at the frame before (a box opened by
// the Return that ended a text entry is not answered by it), and never on a
// held key's repeat. A removed button is forgotten.
void Menue_Set_Tasten_Icons(int32_t return_icon, int32_t escape_icon);
s_icon* Menue_Get_Maus_Ereignis();     // the moved icon
s_icon* Menue_Get_Aktuelles_Icon();    // the hovered icon
s_icon* Menue_Get_Gedrueckt();         // the pressed icon (drawn pressed)
void Menue_Get_Mausposition(int32_t* x, int32_t* y);   // the moving picture's top left
// The mouse of this frame (-1 without a mouse), for screens that act by position.
void Menue_Maus_Position(int32_t* x, int32_t* y);
// True when the mouse of this frame lies over a shown icon that takes input
// (not passive; while a modal icon is shown, only modal ones): a click there
// belongs to the icon, not to what is drawn beneath it.
bool Menue_Maus_Ueber_Icon();
// The icon a click at (x, y) would go to: of the shown icons that take input
// there, the one the frame chooses (priority first, then distance); null
// when none does.
s_icon* Menue_Icon_An(int32_t x, int32_t y);
uint8_t Menue_Get_Zustand_Byte();      // 1 while a modal icon is on screen
// Clears the hover of an icon being removed (sends 0x20 to a type-0x200 icon).
void Menue_Hover_Entfernen(s_icon* icon);
// The 0x10 / 0x20 events of type-0x200 icons; nothing while an icon is moved.
void Menue_Mouse_Over_Info(s_icon* icon, s_icon* bewegt);
void Menue_Mouse_Not_Over_Info(s_icon* icon, s_icon* bewegt, int32_t leise, int32_t ereignis);
// The snap cell nearest to the mouse; false with "Raster-Fehler!" when there is none.
bool Menue_Check_Icon_Raster(const s_icon_raster* raster, int32_t* x, int32_t* y);
// Forgets the whole input state (hover, move, press, click, right-click icon).
void Menue_Eingabe_Zuruecksetzen();

// Drawing: one full redraw, one icon, one picture in its state.
void Menue_Screen_Refresh();
void Menue_Icon_Blit(s_icon* icon);
void Menue_Icon_Blit_Zustand(s_icon* icon, uint32_t status, int32_t sx, int32_t sy, int32_t w, int32_t h,
                             Rastport* ziel, int32_t x, int32_t y);
void Menue_Icon_Passgroesse_Ermitteln(s_icon* icon, int32_t* x0, int32_t* x1, int32_t* y0, int32_t* y1);
// The icon's state for toggles and the on colour: the local manager's state.
int32_t Menue_Icon_Zustand(int32_t nummer);

}  // namespace velmora
