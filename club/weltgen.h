// club/weltgen.h - the demo world generator: builds a whole world of
// countries, clubs, players, talents, scouts, camps, events and texts from a
// seed and writes it as configuration set 0 of an installation directory.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

struct WeltgenOptionen {
    uint32_t seed = 1;
    bool klein = false;      // 2 countries, 2 levels of 10 clubs (for tests)
};

// One country that plays: its country entry and its clubs by league level.
struct WeltgenLand {
    int32_t team = -1;                          // the country entry's team number
    std::string name;
    std::string alias;                          // its name in team_alias.cfg
    std::vector<std::vector<int32_t>> ligen;    // level 0 the top league, clubs by team number
    std::vector<int32_t> pokal;                 // the national cup: every club of the country
};

// What the generator made, as the competition files need it.
struct WeltgenWelt {
    std::vector<WeltgenLand> laender;
    std::vector<int32_t> international;         // the international cup: the top clubs of each country
    std::vector<int32_t> freundschaft;          // the friendlies: every club
    int32_t markt = -1;                         // the transfer-market team
    int32_t clubs = 0;
    int32_t spieler = 0;
    int32_t scout_spieler = 0;
    // Shown by pictures from the user directory rather than drawn: players with
    // a photo (negative appearance code) and the crest numbers of clubs with
    // their own crest picture, each with its team; the generator tool draws them.
    std::vector<std::pair<int32_t, int32_t>> foto_spieler;   // player, team
    std::vector<std::pair<int32_t, int32_t>> bild_wappen;    // crest number, team
};

// Builds the world into the club data (players, teams, global tables). Same
// seed and preset, same world.
bool Weltgen_Erzeugen(const WeltgenOptionen& optionen, WeltgenWelt& welt);

// The extension point for the competition files ("wettbewerb.cfg",
// "zeitplan.cfg"): called by Weltgen_Schreiben with the world and the
// directory that receives "0_*.cfg". Unset, no competition file is written.
using WeltgenWettbewerbe = bool (*)(const WeltgenWelt& welt, const std::string& config_verz);
void Weltgen_Wettbewerbe_Setzen(WeltgenWettbewerbe schreiber);

// The extension point that dresses a club: called for each club once its
// crest, colours and drawn kit numbers stand, with a number from those draws
// (the kinds 1 and 2 kit numbers, the second shifted by 8), and may give it
// kits and colours in its crest's colours. Unset, the drawn kits and colours stay.
using WeltgenTrikots = void (*)(int32_t team, uint32_t wahl);
void Weltgen_Trikots_Setzen(WeltgenTrikots einkleiden);

// Writes configuration set 0 of the built world into `<install>/config/`:
// team.cfg, team_alias.cfg, spieler.cfg, global.cfg, ereignis.cfg, text.cfg
// and te.cfg, then hands over to the competition writer. The files are
// written aside, the set is marked complete, and they are renamed over the
// old ones one by one (core/dateisatz.h). False with `fehler` one line naming
// the file and why. When a file cannot be written or the set not marked, the
// old set stays whole as it was. When a rename fails once the set is marked,
// the files renamed before it are already the new ones and the others still
// the old: the directory holds a mixed set until the game's next start on
// this installation (before it reads the set) or the next run of this
// function finishes the renames from the marked set kept aside; a rename
// failing there again leaves the mix, logged (and this function then fails).
bool Weltgen_Schreiben(const WeltgenWelt& welt, const std::string& install_verz, std::string* fehler = nullptr);

// The sponsors' names the generated texts give the advertising module
// (row 0-19); "" outside. The stadium's boards are lettered with them.
constexpr int32_t WELTGEN_SPONSOREN = 20;
const char* Weltgen_Sponsor_Name(int32_t zeile);

}  // namespace velmora
