// screens/einsetzen_info.h - the hover texts of the line-up screens: the
// column and area help of the list screen's window, the buttons' help, and on
// rows, markers and cards the player summary (business/spieler_info) or the
// name of the talent under the pointer. The texts live until the next call.
#pragma once
#include <cstdint>

namespace velmora {

// The list screen's window at the pointer (mx, my): a column title's help
// above y 110, the group's help below; null where there is none.
const char* Einsetzen_Info_Fenster(int32_t mx, int32_t my);
// A row of player p at pointer x `mx`: over one of the three talent pictures
// (x 546-635) that talent's name, else his summary; `eigen` for the own club.
const char* Einsetzen_Info_Zeile(int32_t spieler, int32_t mx, bool eigen);
// A marker: the summary with the talents line, without injury and percentage.
const char* Einsetzen_Info_Marker(int32_t spieler, bool eigen);
// A card of the second screen at (kx, ky) under the pointer (mx, my): over
// its talents (x + 43 on, below y + 16) that talent's name, else the summary
// with fitness and morale for the own club.
const char* Einsetzen_Info_Karte(int32_t spieler, int32_t kx, int32_t ky, int32_t mx, int32_t my, bool eigen);
// One of the list screen's texts (the pitch's and the buttons' help).
const char* Einsetzen_Info_Text(int32_t nummer);

}  // namespace velmora
