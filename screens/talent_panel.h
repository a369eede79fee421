// screens/talent_panel.h - the two large talent panels, built like the talent
// list window (header, rows, bottom piece, close button, two arrows):
//
// - the developer panel: opened instead of the talent list once the developer
//   action has run; it lists every talent a player has, in two columns, and
//   switches any learnt one on or off without limits, for any club;
// - the editor panel: the team editor's; it shows every talent of the player's
//   kind and marks each one not learnt, learnt (adding the prerequisites it
//   lacks) or blocked.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_ENTWICKLER_KOPF = 3547;      // rows 3548-3600
constexpr int32_t ICON_ENTWICKLER_BODEN = 3601;
constexpr int32_t ICON_ENTWICKLER_SCHLIESSEN = 3602;
constexpr int32_t ICON_ENTWICKLER_ZURUECK = 3603;
constexpr int32_t ICON_ENTWICKLER_WEITER = 3604;
constexpr int32_t ICON_ENTWICKLER_FLAECHE[2] = {3605, 3546};   // the catchers under the columns
constexpr int32_t ENTWICKLER_ZEILEN = 53;
constexpr int32_t ENTWICKLER_SPALTE = 22;           // rows of the first column

constexpr int32_t ICON_EDITOR_KOPF = 3736;          // rows 3737-3788
constexpr int32_t ICON_EDITOR_BODEN = 3790;
constexpr int32_t ICON_EDITOR_SCHLIESSEN = 3791;
constexpr int32_t ICON_EDITOR_ZURUECK = 3792;
constexpr int32_t ICON_EDITOR_WEITER = 3793;
constexpr int32_t ICON_EDITOR_FLAECHE[2] = {3789, 3794};
constexpr int32_t EDITOR_ZEILEN = 52;
constexpr uint32_t TALENT_PANEL_PFEIL_MS = 200;     // at most one step per 200 ms

// The developer panel, with the talent list's opener arguments; nothing when open.
void Screen_Talente_Oeffnen(int32_t spieler, int32_t x, int32_t y, int32_t club);
// Closes it; true when it was open.
bool Screen_Talente_Schliessen();
bool Screen_Talente_Offen();

// The editor panel for a player of `team`, always at the left edge. For the
// transfer-market team the arrows walk the editor's list of market players
// (Screen_Talente_2_Liste_Setzen) from the player's place in it; a player not
// in its first count - 1 entries walks by line-up slot instead.
void Screen_Talente_2_Oeffnen(int32_t spieler, int32_t x, int32_t y, int32_t team);
bool Screen_Talente_2_Schliessen();
bool Screen_Talente_2_Offen();
// The editor's list of transfer-market players (the array stays the caller's).
void Screen_Talente_2_Liste_Setzen(const int32_t* liste, int32_t anzahl);

// The panels as they stand (for the editor's screen and the tests).
struct TalentPanelStand {
    int32_t spieler = -1, team = -1, slot = -1, zeilen = 0;
    bool liste = false;      // the editor panel walks the market list
    int32_t listen_index = -1;
    int32_t x = 0, y = 0;    // the header
};
TalentPanelStand Screen_Talente_Stand();
TalentPanelStand Screen_Talente_2_Stand();
// The editor panel's state of row `zeile` (1-based): its talent and 0 not
// learnt, 1 learnt, 2 blocked; -1 for a row not shown.
int32_t Screen_Talente_2_Zeile(int32_t zeile, int32_t* talent);

}  // namespace velmora
