// core/meldung.h - messages to the managers and the fatal error box.
#pragma once
#include <cstdint>

namespace velmora {

// A message box to the active manager. Texts read from files pass through "%s".
void Meldung(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Shows the text to the manager of `team` (-1: the manager whose turn it is);
// true when shown, false when that club has no human manager.
bool Message_An_Manager(int32_t art, int32_t team, const char* format, ...) __attribute__((format(printf, 3, 4)));
// The system's error box for fatal start-up and load errors.
void Win_Error_Box(const char* text);

}  // namespace velmora
