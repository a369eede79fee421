// gui/menue_film.h - the competition film of the menu header and the delayed
// release of videos.
//
// The header shows the film of the local team's competition (film 59 + the
// competition's graphic number of "animationen.res") over its cup at (15, 5).
// The cup is drawn under it all the same: a paused film is not drawn, and a
// requester's backdrop, taken from the finished screen before the films are
// copied, shows the cup where the film stood. A film is never closed during the frame
// that still shows it: it is queued and closed at the start of the next frame.
#pragma once
#include <cstdint>

#include "media/video.h"

namespace velmora {

constexpr int32_t MENUE_FILM_X = 15, MENUE_FILM_Y = 5, MENUE_FILM_GROESSE = 66;
constexpr int32_t MENUE_FILM_PRI = 1;          // the header's icons; a higher one over the film covers it
constexpr int32_t MENUE_FILM_ERSTER = 59;     // film of graphic number 0
constexpr int32_t MENUE_FILM_OHNE = 18;       // 59 + 18 is another film: no competition film
constexpr int32_t MENUE_FREIGABEN = BINK_SLOTS;   // the release queue: room for every slot

// Shows (1), hides (0) or keeps (-1) the competition film and passes `pause`
// to it. Showing opens the film of the local team's competition, or keeps
// the open one when it shows the same graphic.
void Menue_Wettbewerb_Video(int32_t zeigen, int32_t pause);
// Queues a video for release (dropped when the queue is full) / closes the
// queued videos and empties the queue.
void Menue_Video_Freigabe_Vormerken(BINK_VIDEO* video);
void Menue_Videos_Freigeben();
// While an icon above the header lies over the competition film, the film
// pauses (a film is copied over the finished screen and would cover it).
void Menue_Wettbewerb_Film_Verdeckt(bool verdeckt);
// While a modal icon is up every playing film pauses (films are copied over
// the finished screen and would cover it); when it is gone they play on.
void Menue_Filme_Modal(bool modal);
// The menu's end of a day or of the program: the film is forgotten and every
// video closed.
void Menue_Filme_Schliessen();

}  // namespace velmora
