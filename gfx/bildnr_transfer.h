// gfx/bildnr_transfer.h - the numbers of the pictures of the transfer screen,
// its negotiation window, the training screen and the camp booking page, and
// the sizes they lay out by. The pictures are drawn at build time
// (kunst/bild_muster_transfer.h) into "oddo_res.res" (entries 19-50, 254-268
// and 321-337, shown as slaves 28000 + entry).
#pragma once
#include <cstdint>

namespace velmora {

// The screen: its board at (3, 86); the unavailable shade over an own row; own
// rows selected, plain and lit; right rows selected, plain and lit; the
// negotiation window's frame over the screen (800 x 566 at 0, 0).
constexpr int32_t TRANSFER_BILD_BRETT = 28019, TRANSFER_BILD_GESPERRT = 28020;
constexpr int32_t TRANSFER_BILD_ZEILE_AN = 28021, TRANSFER_BILD_ZEILE = 28022, TRANSFER_BILD_ZEILE_LICHT = 28023;
constexpr int32_t TRANSFER_BILD_RECHTS_AN = 28024, TRANSFER_BILD_RECHTS = 28025, TRANSFER_BILD_RECHTS_LICHT = 28026;
constexpr int32_t TRANSFER_BILD_RAHMEN = 28027;
// The scout buttons (previous, next; each followed by its pressed picture),
// the text button (28036, pressed 28047) and the window's board (600 x 400).
constexpr int32_t TRANSFER_BILD_SCOUT_ZURUECK = 28032, TRANSFER_BILD_SCOUT_WEITER = 28034;
constexpr int32_t TRANSFER_BILD_KNOPF = 28036, TRANSFER_BILD_KNOPF_DRUCK = 28047;
constexpr int32_t TRANSFER_BILD_FENSTER = 28037;
// The price bar (228 wide), its fill and the offer's marker.
constexpr int32_t TRANSFER_BILD_BALKEN = 28038, TRANSFER_BILD_BALKEN_VOLL = 28039, TRANSFER_BILD_MARKE = 28040;
// The raise buttons (10,000 and 100,000, each followed by its pressed picture),
// leave (and pressed), the card button, the clock's start button off and on.
constexpr int32_t TRANSFER_BILD_PLUS_KLEIN = 28041, TRANSFER_BILD_PLUS_GROSS = 28043, TRANSFER_BILD_VERLASSEN = 28045;
constexpr int32_t TRANSFER_BILD_KARTE = 28048, TRANSFER_BILD_START_AUS = 28049, TRANSFER_BILD_START = 28050;
constexpr int32_t TRANSFER_BALKEN_B = 228;
constexpr int32_t TRANSFER_ZEILE_B = 384, TRANSFER_RECHTS_B = 388, TRANSFER_ZEILE_H = 16;

// The training screen: its board at (3, 86) with the detail panel (28254),
// the progress bar and its fill (28259, 28260; 182 wide), a row's small bar
// and its fill (28261, 28262; 32 wide), the current talent's button and
// pressed (28267, 28268). Its rows and buttons share the transfer screen's.
constexpr int32_t TRANSFER_BILD_TR_BRETT = 28254, TRANSFER_BILD_TR_BALKEN = 28259, TRANSFER_BILD_TR_ZEILENBALKEN = 28261;
constexpr int32_t TRANSFER_BILD_TR_WAHL = 28267;

// The camp booking page: the page at (9, 107) with the three full bars,
// the cover of a bar's empty part (179 wide) and the eight camps' pictures
// (28330 + camp, 430 x 300).
constexpr int32_t TRANSFER_BILD_LAGER_SEITE = 28321, TRANSFER_BILD_LAGER_LEER = 28322, TRANSFER_BILD_LAGER_BILD = 28330;
constexpr int32_t TRANSFER_BALKEN_LAGER = 179;

}  // namespace velmora
