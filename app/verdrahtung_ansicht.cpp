// app/verdrahtung_ansicht.cpp - the composition root's binding of the live
// match views (window only): the match day names its watched records while it
// walks its games, and the views draw them once the walk is done.
#include "app/verdrahtung_intern.h"
#include "match/spielfeld.h"
#include "match/spieltag_hooks.h"
#include "matchview/spielansicht.h"

namespace velmora::verdrahtung {

void Binden_Ansicht() {
    SpieltagHooks& h = Spieltag_Hooks();
    Besetzen(h.ansicht_beobachtet, MatchView_Beobachtet, "Spieltag.ansicht_beobachtet");
    Besetzen(h.ansicht_frame, [] { MatchView_Beobachtete_Zeichnen(Spielfeld_Ansicht()); }, "Spieltag.ansicht_frame");
    Beim_Abbinden(MatchView_Exit);
}

}  // namespace velmora::verdrahtung
