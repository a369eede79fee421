// gfx/bildnr_geld.h - the numbers of the club's money screens' pictures and
// the sizes the screens lay out by. The pictures are drawn at build time
// (kunst/bild_muster_geld.h) into "zemo_res.res", whose entries n the menu
// framework shows as slaves 16000 + n.
#pragma once
#include <cstdint>

namespace velmora {

// Entries of "zemo_res.res": the finance screen's result pictures (97 a
// profit or an even result, 98 a loss), its window (100) and its two period
// buttons (101 back, 102 pressed; 103 forward, 104 pressed).
constexpr int32_t GELD_BILD_GEWINN = 97, GELD_BILD_VERLUST = 98;
constexpr int32_t GELD_FINANZ_FENSTER = 100, GELD_FINANZ_ZURUECK = 101, GELD_FINANZ_VOR = 103;
// The bank screen: its window (105), a spinner (106: arrows for ten steps
// down, one down, one up, ten up, then the value's field), the apply button
// (107, 108 pressed) and the lender's field (109).
constexpr int32_t GELD_BANK_FENSTER = 105, GELD_SPINNER = 106, GELD_BANK_KNOPF = 107, GELD_BANK_GEBER = 109;
// The stadium screen: the six models (83-88, 392 x 280, the model level
// added), its window (110), the spinner's keys alone (111), a button (112,
// 113 pressed) and the notice window (114).
constexpr int32_t GELD_STADION_MODELL = 83, GELD_STADION_FENSTER = 110, GELD_STADION_SPINNER = 111,
                  GELD_STADION_KNOPF = 112, GELD_STADION_HINWEIS = 114;
constexpr int32_t GELD_MODELL_B = 392, GELD_MODELL_H = 280;
// The options screen: an option on (115) and off (116), its scroll bar's
// track (117, 12 x 270) and knob (118, 12 x 24).
constexpr int32_t GELD_OPTION_AN = 115, GELD_OPTION_AUS = 116, GELD_SCROLL_SPUR = 117, GELD_SCROLL_KNAUF = 118;
constexpr int32_t GELD_KNAUF_H = 24;
// The advertising screen: its window (119, 794 x 470) and the twenty
// sponsors' logos (120-139, 40 x 20, the sponsor row added).
constexpr int32_t GELD_WERBUNG_FENSTER = 119, GELD_SPONSOR_LOGO = 120;
constexpr int32_t GELD_LOGO_B = 40, GELD_LOGO_H = 20;
// Entries 183 and 184 of "zemo_res.res": the options screen's window (736 x
// 420) and the bar under the pointer (614 x 25).
constexpr int32_t GELD_OPTIONEN_FENSTER = 183, GELD_OPTIONEN_UNTER_MAUS = 184;
// Entries of "hask_res.res" (slaves 24000 + n): the bank's building (107) and
// the spinner with one arrow pressed (110 ten down, 111 one down, 112 ten up,
// 113 one up).
constexpr int32_t GELD_HASK_BANK = 107, GELD_HASK_SPINNER = 110;
// The spinner's keys from its left edge: ten down below 30, one down below 50,
// one up to 67, ten up beyond; the value's field from 100 to the right end.
constexpr int32_t GELD_SPINNER_B = 280, GELD_SPINNER_H = 26;

}  // namespace velmora
