// gfx/hilfe_text.h - help texts: the small translucent box with a short text
// that the menu framework shows near the mouse pointer while it rests on an
// icon that has one. Lines are separated by "^l"; other markup works as in
// every text, and a "%" in a help text is drawn as it stands.
#pragma once
#include <cstdint>

namespace velmora {

constexpr uint16_t HILFE_FARBE_BOX = 33677;      // drawn at 85 per cent over the screen
constexpr uint16_t HILFE_FARBE_SCHATTEN = 4226;
constexpr uint16_t HILFE_FARBE_TEXT = 65535;
constexpr int32_t HILFE_FONT = 9;                // of the font set

// The number of "^l" codes in the text (0 for none).
int32_t Hilfe_Text_Zeilen(const char* text);
// Shows the help box of `text` at (x, y); x or y of -1 places it under the
// mouse pointer (4 to the left, 20 below, 40 higher near the bottom). The box's
// top is y + 8 and it stays on the 800 x 600 screen. The first call after
// Hilfe_Text_Free only prepares the box and marks it shown; every following
// call draws it onto the current target, (text block width + 7) x (lines x 10
// + 13), and writes the text with a shadow.
void Hilfe_Text_Ausgabe(const char* text, int32_t x, int32_t y);
// Frees the prepared box and marks it hidden.
void Hilfe_Text_Free();
bool Hilfe_Text_Gezeigt();

}  // namespace velmora
