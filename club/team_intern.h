// club/team_intern.h - what the team records' network file shares with the
// records: the module's state lives in team.cpp, these reach it. Not for
// modules outside the teams.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "club/team.h"

namespace velmora::team_intern {

// Teams a client fetches per request.
constexpr int32_t CLIENT_BLOCK_TEAMS = 200;

struct TeamModul {
    bool initialisiert = false;
    std::vector<TeamStruktur> satz;
    std::vector<TeamFix> fix;
    std::vector<TeamOwn> own;
    std::vector<int32_t> markt_liste;
    std::vector<int32_t> besitzer;       // per player: the team whose list holds him
    std::vector<StartTeam> startteams;
    int32_t markt = -1;
    int32_t lokal = -1;
    int32_t spiel_laeuft = 0;
    int32_t level = 0;
};
extern TeamModul g;

// Logs "<wer>: Team <n> ungueltig" and returns false for a bad team or before Team_Init.
bool Gueltig(const char* wer, int32_t team);
// Notes the team whose list holds a player / works every owner out again from the lists.
void Besitzer_Setzen(int32_t spieler, int32_t team);
void Besitzer_Neu();
// A text into a fixed field, cut and padded with zeros.
void Kopieren(char* ziel, size_t groesse, const char* text);
// Block TZ_AUFSTELLUNG: the current formation, then the seven tactic bytes.
void Aufstellung_Block_Lesen(TeamOwn& own, const uint8_t* d);

}  // namespace velmora::team_intern
