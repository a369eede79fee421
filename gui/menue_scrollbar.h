// gui/menue_scrollbar.h - scroll bars and the scroll screen of the Menue
// framework.
//
// A list pages through its rows with a scroll bar: a track icon and a movable
// bar button (type 0x8 | 0x10) whose pixel coordinate on its moving axis is
// the local manager's icon state of the button's number. The button is
// dragged, the track jumps the button to a click, the wheel steps it; every
// move calls the bar's procedure with the bar position (0..positions - 1) and
// the screen shows its rows from it. The button's related icon is its track,
// the track's related icon is the button.
//
// The scroll screen (number 0) is a window onto a larger content bitmap into
// which icons of the scroll screen are drawn; it counts as active while its
// content bitmap exists.
#pragma once
#include <cstdint>

#include "gui/icon.h"

namespace velmora {

// Flags passed to a bar procedure.
constexpr int32_t SCROLL_REFRESH = int32_t(0x80000000u);   // from the frame's redraw
constexpr int32_t SCROLL_GESETZT = 0x4000000;             // after a click, a wheel step or the end of a drag
constexpr int32_t SCROLL_ZIEHEN = 0;                       // while the button is dragged

using ScrollbarProc = void (*)(s_icon* icon, int32_t balkenpos, int32_t flag);

// The data of a scroll-bar button.
struct s_scrollbar {
    ScrollbarProc proc = nullptr;   // called after every move and each redraw
    int16_t reserviert = 0;
    int16_t x_min = -1, x_max = -1;  // range of x on a horizontal bar
    int16_t fest_y = -1;             // y of the button on a horizontal bar; -1: the bar is vertical
    int16_t y_min = -1, y_max = -1;  // range of y on a vertical bar
    int16_t fest_x = -1;             // x of the button on a vertical bar; -1: the bar is horizontal
    float faktor = 0;                // content pixels per percent of the bar
    int16_t scrollscreen = -1;       // moved by the standard procedure; -1 none
    int16_t positionen = 0;          // rows or pages; below 2 the bar is hidden
};

// The standard draw procedure of the scroll screen: the content's window on
// the screen, its overlay icons, and the icons of the scroll screen moved by
// the scroll since the last call.
void Menue_Universale_Scroll_Blit_Prozedur(int32_t nr, int32_t flag);

// The one scroll screen.
struct Scrollscreen {
    Rastport* bitmap = nullptr;      // the content; null while inactive
    int32_t inhalt_br = 155, inhalt_ho = 200;
    int32_t fenster_br = 155, fenster_ho = 348;
    int32_t fenster_x = 1, fenster_y = 124;
    int32_t hg_x = 0, hg_y = -8;     // offset of the background picture
    void (*zeichnen)(int32_t nr, int32_t flag) = Menue_Universale_Scroll_Blit_Prozedur;
    int16_t scrollbutton = -1;
    int16_t hg_slave = -1;
    uint8_t flags = 0x0E;            // 0x1 horizontal, 0x2 vertical, 0x4 background keyed, 0x8 no saved background
    int32_t vorher = -1;             // the position of the last scroll
    int32_t position = 0;            // in content pixels
    int32_t inhalt_start = 0, inhalt_ende = -1;
    int16_t overlay[5] = {-1, -1, -1, -1, -1};   // icons drawn over the window
};

// A screen's vertical bar: the track `track_nr` at (x, y) with its picture,
// its button `knopf_nr` of height `knopf_h` moving from y to y + hoehe -
// knopf_h at x + knopf_dx and calling `proc`. The records (track, button and
// structure) stay the caller's, live while the icons are on screen.
void Menue_Senkrechter_Balken(s_icon* track, s_icon* knopf, s_scrollbar* sc, int32_t track_nr, int32_t knopf_nr,
                              int32_t x, int32_t y, int32_t hoehe, int32_t knopf_dx, int32_t knopf_h,
                              int32_t track_bild, int32_t knopf_bild, ScrollbarProc proc);

// The bar position of a button: 0..positions - 1 from its coordinate; 0 with
// fewer than 2 positions or an empty range; -1 for a null icon or a button
// without structure.
int32_t Menue_Abs_Balkenpos(s_icon* icon);
// The standard Main_P of a track: the button jumps to the click.
void Menue_Scrollbar_Klick(s_icon* track, int32_t ereignis);
// One wheel move of `schritte` steps (negative: up or left).
void Menue_Scrollbar_Klick_Ausfuehren(s_icon* button, int32_t schritte);
// Places the button at the manager's stored coordinate, kept within its range.
void Menue_Scrollbuttonpos_Zuweisen(s_icon* button);
// Hides the button and its track with fewer than 2 positions, else shows them.
void Menue_Scrollbar_Sichtbarkeit(s_icon* button);
// Calls a bar procedure unless procedure and value equal those of the
// previous call made through here.
void Menue_Scrollbar_Aufrufen(ScrollbarProc proc, s_icon* icon, int32_t wert, int32_t flag);

// The drag of a button: the position follows the mouse within the range and
// is stored; the procedure gets flag 0. On release it gets 0x4000000.
// The grab offset keeps its part on the moving axis only.
void Menue_Scrollbutton_Greifen(s_icon* button, int32_t* greif_x, int32_t* greif_y);
void Menue_Scrollbutton_Ziehen(s_icon* button, int32_t x, int32_t y);
void Menue_Scrollbutton_Loslassen(s_icon* button);

// The redraw's part: visibility of every bar, the visible buttons listed while
// the icons are drawn, then the marked scroll screens and the listed bars.
void Menue_Scrollbars_Vorbereiten(uint8_t modal);
void Menue_Scrollbars_Merken(s_icon* icon, int32_t breite, int32_t hoehe);
void Menue_Scrollbars_Aufrufen();

Scrollscreen* Menue_Get_Scrollscreen(int32_t nr);
// Drops the content and removes the scroll screen's icons, its button and track.
void Menue_Kill_Scrollscreen(int32_t nr);
// True while the scroll screen's content exists and its window meets the
// rectangle (lies inside it with mode bit 0x2), as the area clear tests icons.
bool Menue_Scrollscreen_Getroffen(int32_t modus, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// Frees the content bitmap and marks the scroll screen inactive; the caching
// caller (Menue_Scrollbar_Aufrufen) forgets its remembered pair.
void Menue_Scrollscreen_Freigeben();
// The content bitmap, created on first use.
Rastport* Menue_Screen_Icon_Scroll_Bitmap(int32_t nr);
// Where an icon is drawn: the current target at its position, or the content
// bitmap at its place in the content.
Rastport* Menue_Blit_Rastport(s_icon* icon, int32_t* x, int32_t* y);
// The standard bar procedure: scrolls the bar's scroll screen.
void Menue_Universale_Scroll_Prozedur(s_icon* button, int32_t wert, int32_t flag);
// Shows the bar when the content is longer than the window and sets its
// factor (content pixels per percent), else hides it at position 0.
void Menue_Scrollscreen_Rasterbreite_Festlegen(int32_t nr);
// The scroll screen's position from the button's stored coordinate.
int32_t Menue_Abs_Balkenpos_Setzen(s_icon* button);
// Takes the current position as scrolled, so the next draw moves no icon.
void Menue_Dynamischen_Scrollbar_Korrigieren(Scrollscreen* ss);

}  // namespace velmora
