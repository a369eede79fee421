// tests/screens/beispiel_screen.h - the example screen of docs/screens.md: a
// manager's day in one panel (his club's crest and name, his name, the date,
// the club's league place) in the work area under the menu panel, with the
// button that ends his day.
// It lives beside its test as the pattern every screen of the game follows.
#pragma once
#include <cstdint>

namespace velmora::test {

// Icon numbers of the example (a game screen takes its numbers from its own list).
constexpr int32_t BEISPIEL_ICON_TAFEL = 4191;
constexpr int32_t BEISPIEL_ICON_WEITER = 4192;

// Opens the screen for the manager of `team`, after closing whatever it showed.
void Beispiel_Screen_Oeffnen(int32_t team);
// Takes its icons off the screen (the framework frees their pictures).
void Beispiel_Screen_Schliessen();
bool Beispiel_Screen_Offen();

}  // namespace velmora::test
