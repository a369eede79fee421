// screens/editor.h - the team editor: every club on the left, the chosen
// club's squad (or the market's players) on the right; a click on a column
// edits that field in place, Tab and Shift+Tab walk the columns, a club's
// league column swaps two clubs' leagues, and the world is written back as
// the configuration files of the user's directory.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

constexpr int32_t ICON_EDITOR_HINTERGRUND = 3632;
constexpr int32_t ICON_EDITOR_TEAMS = 3635;       // the club rows' area
constexpr int32_t ICON_EDITOR_SPIELER = 3655;     // the player rows' area
constexpr int32_t ICON_EDITOR_TEAM_SCROLL = 3634;
constexpr int32_t ICON_EDITOR_SPIELER_SCROLL = 3677;
constexpr int32_t ICON_EDITOR_SORT_NAME = 3675;
constexpr int32_t ICON_EDITOR_SORT_NATION = 3676;
constexpr int32_t ICON_EDITOR_MARKT = 3721;
constexpr int32_t ICON_EDITOR_SCOUTS = 3722;
constexpr int32_t ICON_EDITOR_SPEICHERN = 3723;
constexpr int32_t ICON_EDITOR_LADEN = 3724;
constexpr int32_t ICON_EDITOR_ENDE = 3725;

// Opens the editor on the world built for it (nothing when it is open).
void Editor_Start();
bool Editor_Offen();
// Takes its icons off and ends the competition editing mode.
void Editor_Schliessen();

// The editor as it stands (the tests).
struct EditorStand {
    int32_t club = -1;            // the selected club
    int32_t markiert = -1;        // the club marked for a league swap
    int32_t team_versatz = 0, spieler_versatz = 0;
    int32_t teams = 0, spieler = 0;
    int32_t markt_art = -1;       // -1 the club's squad, 0 the market, 1 its scout players
    bool edit = false;
    int32_t edit_ziel = -1, edit_feld = -1;
    bool edit_team = false;
    std::string puffer;
    std::string letzter_fehler;   // the file the last save failed on
};
EditorStand Editor_Stand();

}  // namespace velmora
