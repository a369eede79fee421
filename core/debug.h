// core/debug.h - debug output and the diagnostic panel.
//
// Every guard and trace message of every module goes to one sink. The shipped
// program prints nothing; with VELMORA_DEBUG=1 in the environment the sink
// writes to stderr. Messages are formatted once and handed on as plain text, so
// a '%' inside a name is never read twice as a directive.
#pragma once
#include <cstdint>

namespace velmora {

void Debug_Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same sink with a level word (the match AI uses 0xF0000).
void Debug_Ausgabe(uint32_t level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Lets a test or tool watch the sink; null restores the default. The catcher
// sees every message, whether or not VELMORA_DEBUG is set.
using DebugFaenger = void (*)(uint32_t level, const char* text);
void Debug_Faenger_Setzen(DebugFaenger faenger);

// The per-frame diagnostic panel: drawn only when the drawing target is
// 1024 x 768, so on the game's 800 x 600 screen nothing happens.
void Debug_Monitor();

}  // namespace velmora
