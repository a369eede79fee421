// app/sim_wirtschaft.h - the simulator's economy report (--stats): the
// salaries, the transfers between clubs and with the market, the contract
// extensions, every booking category's money moved, and at each season's end
// the computer clubs' balances (minimum, quartiles, maximum) with the clubs at
// the cap, in debt beyond their credit and with a squad that cannot play, and
// the season's lows: the clubs whose balance stood below zero at the start of
// some day of the season (the salaries are charged at the season's start,
// after the season's end is taken) and the lowest balance of them all.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// A transfer moved players between `von` and `zu` (the transfer's hook).
void Sim_Wirtschaft_Transfer(int32_t von, int32_t zu);
// Before the season change: the season's figures are kept and the lows are
// counted again from here.
void Sim_Wirtschaft_Saisonende();
// The start of each day: the computer clubs' balances as the day begins count
// toward the season's lows.
void Sim_Wirtschaft_Tag();
// The report; the clubs' figures of today close it as the running season's line.
std::string Sim_Wirtschaft_Text();
void Sim_Wirtschaft_Zuruecksetzen();

// One season's line of figures over the computer clubs (normal clubs without a
// human manager) as they stand now.
struct SimWirtschaftSaison {
    int32_t vereine = 0;
    int64_t min = 0, q1 = 0, median = 0, q3 = 0, max = 0;
    int32_t am_limit = 0;        // balance at or above the period close's cap
    int32_t verschuldet = 0;     // in debt beyond what the bank would lend them
    int32_t im_minus = 0;        // below zero at their lowest point of the season so far
    int64_t tiefst = 0;          // the lowest balance of the season so far
    int32_t unspielbar = 0;      // fewer than eleven players or no goalkeeper
    int64_t transfers = 0;       // transfers counted since the last season's end
};
SimWirtschaftSaison Sim_Wirtschaft_Stand();

}  // namespace velmora
