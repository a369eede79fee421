// core/optionen.h - the game options.
//
// Options 0 to 29 are global integers saved with the game; 40 to 43 live in the
// local manager's record (40, 41 whole bytes; 42 background music, 43 sound
// effects, read as 0 or 1); 200 and 201 are two further saved values.
//
// The global options in use:
//   0  time limit of a turn in ms (0 off)        4, 5, 11, 12, 14  announcement pages
//   6  autosave every seventh day                8  quick-look defaults after a break
//   10 matches of human teams are watched        13 job and national-team offers
//   19 confirm the end of a turn (off by default) 21 network server
//   24 sliding panel menus                      40 help texts (the manager's help byte)
//   200 frames a view stays after a watched match (at least 1)
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int32_t OPTION_ZEITLIMIT = 0;
constexpr int32_t OPTION_AUTOSAVE = 6;
constexpr int32_t OPTION_LIVE_ANSEHEN = 10;
constexpr int32_t OPTION_ZUGENDE_BESTAETIGEN = 19;
constexpr int32_t OPTION_NETZWERK_SERVER = 21;
constexpr int32_t OPTION_MENUE_GLEITEN = 24;
constexpr int32_t OPTION_HILFETEXTE = 40;
constexpr int32_t OPTION_VIEW_HALTEN = 200;
constexpr size_t OPTIONEN_BLOCK_BYTES = 140;

// Reads (schreiben = 0) or writes an option and returns its value. Numbers
// outside 0-29, 40-43, 200 and 201 give `wert` back unchanged.
int32_t Optionen(int32_t nummer, int32_t schreiben, int32_t wert);
int32_t Option_Wert(int32_t nummer, int32_t schreiben, int32_t wert);   // the same store
// Every global option back to its default.
void Optionen_Standard();
// The 140-byte block saved with the game: options 0-29 as 30 i32, then 200 and
// 201, then zero bytes; little-endian.
void Optionen_Block_Schreiben(uint8_t out[OPTIONEN_BLOCK_BYTES]);
// False (options unchanged) when the block is shorter than 140 bytes or option 200 is below 1.
bool Optionen_Block_Lesen(const uint8_t* in, size_t bytes);


}  // namespace velmora
