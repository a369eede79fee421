// season/spielstart.h - the start of a game: the world of a new game built
// from the configuration (or its binary cache), and the game-running flag the
// calendar waits for. The start screens keep the managers' choices and call
// these; a game without screens (the simulator, the headless program) calls
// them directly.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// Called by the calendar at its start (no out pointer) and every frame while
// it waits for a game: writes the player-data flag through `spielerdaten`
// when given and returns the game-running flag.
int32_t Spielstart_Pruefen(int32_t, uint8_t* spielerdaten);
int32_t Spielstart_Spiel_Laeuft();
// Raises the game-running flag (after a start or a load).
void Spielstart_Set_Spiel_Laeuft();
// 1 when the player data came in whole (from the cache or a matching count).
uint8_t Spielstart_Spielerdaten();

// Keeps the binary configuration cache of an earlier build ("-d") instead of
// deleting it before the world is built.
void Spielstart_Cache_Behalten(bool behalten);
// Registers the configuration cache's regions of the world (global.cfg, the
// players, the teams and their stadiums, the competitions, the schedule) when
// the program binds the season; the world build uses the cache only while
// they are. Abmelden takes back what Anmelden registered.
bool Spielstart_Cache_Anmelden();
void Spielstart_Cache_Abmelden();

// Reads the rules of the configuration set (global.cfg: crowd and price
// levels, talents, factors), which no save game holds; called before a save
// game is loaded, so a loaded game plays by the rules it was started with.
// False (logged; the default rules stay) when the file cannot be read.
bool Spielstart_Regeln_Lesen();

// Builds the world of a new game: the cache when it is kept ("-d") and
// loads, else global.cfg, the teams, the players, the competitions and the
// schedule from the files, after which the cache is written when all of them
// were read whole; then the first season's fixtures, and every team's base
// data, line-up and players. The transfer market's manager record (the start
// screens' placeholder) survives. A world from the cache equals the world
// from the files. False when the world could not be built.
bool Spielstart_Welt_Aufbauen();
// Why the world could not be built, in one line: the configuration file that
// is missing or unreadable, else the directory whose files are faulty.
std::string Spielstart_Welt_Fehler();

}  // namespace velmora
