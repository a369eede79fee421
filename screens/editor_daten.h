// screens/editor_daten.h - the team editor's world on disk: the competition
// descriptions it keeps beside the live competitions, the league swap of two
// clubs, the save of team.cfg, spieler.cfg and wettbewerb.cfg into the user's
// configuration directory, and the reload from there.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "season/wettbewerb_cfg.h"

namespace velmora {

// Reads the competition descriptions the editor writes back (wettbewerb.cfg of
// the current set). False when the file cannot be read.
bool Editor_Daten_Oeffnen();
void Editor_Daten_Schliessen();
const std::vector<WettbewerbBeschreibung>& Editor_Daten_Wettbewerbe();

// Each club moves into the other's league, live and in the descriptions; the
// slots are exchanged, so the file keeps its order. False (nothing changed)
// for the same club, a club without a league or two clubs of one league.
bool Editor_Ligen_Tauschen(int32_t a, int32_t b);

// Deletes the binary configuration cache and writes the three files as set 0,
// put in place as one set. "" on success, else the name of the file (or
// cache) that failed with the reason in brackets; the files already there
// all stay as they were.
std::string Editor_Speichern();

// Rebuilds teams and players (and the clubs' leagues) from the files. When a
// file cannot be read or fails, the clubs and players in memory stay as they
// were and false is returned; the readers have reported file and line.
bool Editor_Neu_Laden();

}  // namespace velmora
