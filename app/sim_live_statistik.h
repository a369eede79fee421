// app/sim_live_statistik.h - the simulator's figures of the matches computed
// live (--live --stats): goals, shots, shots on target, fouls whistled,
// cards, penalties, corners, substitutions, injuries and the wall time, each
// counted by the match itself (the fixture keeps only its last events).
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// Looks at every live record after a frame; `ms` is the wall time the frame took.
void Sim_Live_Frame(double ms);
// An event a match hands to its fixture (bits of the fixtures store).
void Sim_Live_Ereignis(int32_t spiel, uint32_t art);
// The figures as text: totals and per live match; empty before any live match.
std::string Sim_Live_Statistik_Text();
void Sim_Live_Statistik_Zuruecksetzen();
// The live matches finished so far; `ms` the wall time of the frames they ran in.
int64_t Sim_Live_Beendet(double* ms);

}  // namespace velmora
