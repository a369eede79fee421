// matchview/spielansicht.h - the live match views: up to four watched
// matches on the screen at once, each the pitch from the diagonal camera with
// its figures, the camera easing after the ball and the names of players
// under the mouse.
//
// The views read the match records and keep everything they show (camera,
// each figure's shown animation, frame and facing, name times) themselves, per
// view, so that a watched match plays exactly as an unwatched one. No view
// keeps a record from one frame to the next: each frame names its matches,
// and a view is known by its game number.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

struct Spielfeld_Satz;
struct Spielfeld_Ansicht_Einstellung;
struct Rastport;

constexpr int32_t MATCHVIEW_ANSICHTEN = 4;

// What the views need from above: whether the mouse lies over an icon of the
// menu framework (then the views take no click). Unfilled: never.
struct MatchViewHooks {
    bool (*maus_ueber_icon)() = nullptr;
    // A click chose a view: the substitution panel shows its match's home
    // club, at the next such click its away club (the panel takes only a
    // club managed at this machine). Unfilled: nothing.
    int32_t (*team_wechseln)(int32_t team) = nullptr;
};
MatchViewHooks& MatchView_Hooks();

// Loads the figure frames once; false (with a debug line) when an entry of
// "stadion_gfx.res" is missing or damaged: the views then stay dark and the
// matches play on.
bool MatchView_Init();
// Stops every view and frees the frames and pictures.
void MatchView_Exit();
// One frame of the views: `spiele` the watched records (1 to 4), the display
// settings (PAUSE and the frame time are read), `folgen` takes the scroll
// from the record rather than moving the camera. True when a view was drawn.
// The first call only sets the views up.
bool MatchView_Frame(Spielfeld_Satz* const* spiele, int32_t anzahl, const Spielfeld_Ansicht_Einstellung& anzeige,
                     bool folgen);
// The live record of the main view's game (the game's record when the view
// was handed it or its display copy), else null.
Spielfeld_Satz* MatchView_Current();
// The game of the main view, -1 when no view is in use.
int32_t MatchView_Aktuelles_Spiel();
// A record was replaced by another (same game): the views take the new one.
void MatchView_Check_Update(Spielfeld_Satz* alt, Spielfeld_Satz* neu);
// The records were released: the views let go of every record they were handed.
void MatchView_Loslassen();

// One frame of the views over the watched games, looked up by their numbers:
// a game with the match's display copy is drawn from the copy (it runs 142 ms
// behind the match), a diced one from its stand-in copy
// (matchview/spielansicht_ersatz.h), the others from their records. Games without a record
// are left out; with none left the views stop. True when a view was drawn.
bool MatchView_Spiele_Zeichnen(const int32_t* spiele, int32_t anzahl, const Spielfeld_Ansicht_Einstellung& anzeige);

// Writes the clubs' names onto the score plates of every visible view again:
// the club the team panel shows (team_wechseln asked with -1) stands out, the
// others are white. Called whenever the team panel switches clubs.
void MatchView_Name_Plates();

// Hands a line to the ticker of every view that shows the game.
void Ticker_Add_Line(uint32_t spiel, const char* text);

// A view's place for the tests: in use, visible, main, size mode, rectangle.
struct MatchViewLage {
    bool in_use = false, visible = false, is_main = false;
    int32_t size_mode = 0, x = 0, y = 0, w = 0, h = 0;
    uint32_t spiel = 0;
    int32_t starts = 0;       // how often the view was started
    int32_t scroll[2] = {0, 0};
};
MatchViewLage MatchView_Lage(int32_t ansicht);
// A view's ticker text and the match clock it was set at (tests).
std::string MatchView_Ticker(int32_t ansicht, uint32_t* zeit);
// The shown direction of a figure in a view (255 none yet).
int32_t MatchView_Richtung(int32_t ansicht, int32_t figur);

}  // namespace velmora
