// club/club_config.h - "team.cfg" and "spieler.cfg": the builders that make
// the teams and players of a new game from them, the writers that the team
// editor and the world generator use, and their binary cache regions.
// The grammars are in docs/config-format.md.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// Builds the teams from team.cfg of the current set (all teams before are
// freed). False when the file cannot be read or a structural error stops the
// load; wrong lines are reported and skipped.
bool Team(int32_t);
// Builds the players from spieler.cfg and puts them into the teams' lists.
// Writes 1 into `vollstaendig` when the file's SPIELER_ANZAHL matched the
// players read, else 0 with the message "Falsche Spielerzahl!".
bool Spieler(int32_t, uint8_t* vollstaendig);
// The same over texts in memory (tests, the generator's check, benchmarks).
bool Team_Config_Lesen_Text(const std::string& text, const char* anzeige);
bool Spieler_Config_Lesen_Text(const std::string& text, const char* anzeige, uint8_t* vollstaendig);

// The files as text, with a generated header carrying the description. Teams
// in team order; players team by team in list order, then those without a team.
std::string Convert_Team_Config_Text(const char* beschreibung);
std::string Convert_Spieler_Config_Text(const char* beschreibung);
// Write "%d_team.cfg" / "%d_spieler.cfg" of the set into the user's configuration directory.
bool Convert_Team_Config_Speichern(int32_t satz, const char* beschreibung);
bool Convert_Spieler_Config_Speichern(int32_t satz, const char* beschreibung);

// The stadium a club's STADION line names (name, seats, terrace places), for
// the stadium module to build from; null when the team has none. Setting keeps
// to the file's limits (0 to 200000 places each, names cut at 47 characters).
struct StadionVorgabe {
    std::string name;
    int32_t sitze = 0;
    int32_t stehplaetze = 0;
};
const StadionVorgabe* Team_Stadion_Vorgabe(int32_t team);
bool Team_Stadion_Vorgabe_Setzen(int32_t team, const char* name, int32_t sitze, int32_t stehplaetze);

// A club's short name of at most TEAM_KUERZEL_MAX characters (the KUERZEL
// line); without one the first characters of `vorgabe`. Setting cuts to the limit.
constexpr size_t TEAM_KUERZEL_MAX = 10;
const char* Team_Kuerzel(int32_t team, const char* vorgabe);
bool Team_Kuerzel_Setzen(int32_t team, const char* text);
// Forgets every club's stadium line and short name: a world built from
// nothing (generated, or a test's) starts without those of the last one.
void Team_Vorgaben_Leeren();

// For the club's configuration readers: the current keyword's number within
// lo..hi; outside it is reported with `code` and takes the nearer bound.
int32_t Club_Config_Zahl(int32_t code, int32_t lo, int32_t hi);

// Registers the cache regions "spieler", "teams" and "stadien" (sources spieler.cfg and team.cfg).
bool Club_Config_Bin_Anmelden();

}  // namespace velmora
