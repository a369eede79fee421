// core/text.h - the screen texts and the game's text table.
//
// The screen-text file "%d_te.cfg" holds named arrays of up to 200 texts:
//   SCREEN SPIELER_INFO_SCREEN
//   TEXT 0, "Name"
// and "text.cfg" (configuration file 6) holds the game's text table, the
// target of the "*N" references in configuration and commentary:
//   TEXT 17, "Muskelfaserriss"
// A text that is missing reads as null; nothing here crashes on a bad number.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t TEXT_PRO_SCREEN = 200;
constexpr int32_t TEXT_TABELLE_MAX = 10000;

// Registers the texts with the binary configuration cache (region "texte",
// sources "te.cfg" and text.cfg); called before the cache is loaded.
void Text_Init();
// Reads "te.cfg" and the text table of the current set. Unknown keywords and
// duplicate texts are reported and skipped; false only when a file cannot be
// read (the texts read before stay).
bool Text_Laden();
void Text_Free();

// The screen's array of 200 texts, null where a text is missing; an unknown
// screen gives an array of nulls, never a null array.
const char* const* Text_cfg(const char* screen);
const char* Text_Get(const char* screen, int32_t nummer);   // null when missing
// The same, "" when missing: what a screen draws for a text it lacks.
const char* Text_Oder_Leer(const char* screen, int32_t nummer);
// The text table: entry n, or null; the whole table and its length.
const char* Text_Tabelle(int32_t nummer);
const char* const* Text_Tabelle_Array(int32_t* anzahl);
int32_t Text_Screen_Anzahl();

// When *text is "*" followed by a decimal number N, replaces it by entry N of
// `tabelle` (`anzahl` entries; a screen array has TEXT_PRO_SCREEN); an entry
// outside the table becomes null. Other texts stay. Returns the text.
const char* Str_Referenz_Aufloesen(const char** text, const char* const* tabelle, int32_t anzahl);

}  // namespace velmora
