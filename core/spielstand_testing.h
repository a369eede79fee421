// core/spielstand_testing.h - seams of the save-game driver for tests and the fuzz target.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// Makes every save stop after the temporary file is written and flushed,
// before it is renamed over the old save, as if the machine stopped there.
void Spielstand_Test_Abbruch_Vor_Umbenennen(bool an);
// Loads a whole file image exactly as Spielstand_Laden loads a slot's file.
bool Spielstand_Laden_Aus_Bild(std::vector<uint8_t> bild);
// Builds the file image of the running game as Spielstand_Speichern would.
bool Spielstand_Speichern_In_Bild(std::vector<uint8_t>* bild);
// Empties the registration table down to the random table.
void Spielstand_Module_Zuruecksetzen();
// The scrambling of a block's `n` bytes as the file stores them (its own inverse).
void Spielstand_Test_Verwuerfeln(uint8_t* daten, size_t n, uint32_t nr, uint32_t laenge);

}  // namespace velmora
