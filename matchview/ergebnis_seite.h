// matchview/ergebnis_seite.h - the results, table and winner windows of the
// announcement sequence (kinds 5, 6, 8), and the two small panels a manager
// opens during a live match: the results of the competition's other games
// and its live table.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora {

// Icons.
constexpr int32_t ICON_ERGEBNIS_SEITE = 1705;   // the page: draws the rows, a click closes
constexpr int32_t ICON_SEITE_HOCH = 1706;
constexpr int32_t ICON_SEITE_RUNTER = 1707;
constexpr int32_t ICON_SEITE_ZU = 1708;
constexpr int32_t ICON_SIEGER_FENSTER = 1709;
constexpr int32_t ICON_SIEGER_BILD = 1710;
constexpr int32_t ICON_PANEL_TABELLE = 1711;    // 1711 draws, 1712 takes the drags
constexpr int32_t ICON_PANEL_ERGEBNIS = 1713;   // 1713 draws, 1714 takes the drags
// The option-bar icons the panels switch off when they close (table, results).
constexpr int32_t ICON_OPTION_TABELLE = 719, ICON_OPTION_ERGEBNISSE = 720;

// Pictures (slave numbers of trobe_res.res, file 4... as the menu reads them).
constexpr int32_t SLAVE_SIEGER = 16004;          // the winner's frame
constexpr int32_t SLAVE_SIEGER_POKAL = 16005;    // + graphic number: the winner's trophy picture
constexpr int32_t SLAVE_SEITE_RAHMEN = 16166;    // the heading band above the rows
constexpr int32_t SLAVE_SEITE_HINTERGRUND = 16168;
constexpr int32_t SLAVE_SEITE = 16172;
constexpr int32_t SLAVE_SEITE_HOCH = 16173;      // + 1 pressed
constexpr int32_t SLAVE_SEITE_RUNTER = 16175;    // + 1 pressed
constexpr int32_t SLAVE_SEITE_ZU = 16177;

// One row of a table page or panel.
struct SeitenTabelle {
    int32_t team, spiele, punkte, tore, gegentore, vorher;   // vorher: 1-based, -1 unknown
};
// One pairing of a results page or panel: both legs, oriented as the first
// leg (home, away); goals -1 where a leg does not exist or is not played.
struct SeitenErgebnis {
    int32_t heim = -1, gast = -1;
    int32_t tore[2][2] = {{-1, -1}, {-1, -1}};   // [leg][side of the first leg]
    char flag_text[2][16] = {};
    int32_t sieger = -1;
    bool zwei_spiele = false;
};

// The rows of a league's or group's table after matchday `runde` (at most
// 40: a buffer's rows; none for a knock-out competition).
int32_t Ergebnis_Tabelle_Zeilen(int32_t wettbewerb, int32_t runde, std::vector<SeitenTabelle>& out);
// The pairings of a matchday with both legs.
int32_t Ergebnis_Paarungen(int32_t wettbewerb, int32_t runde, std::vector<SeitenErgebnis>& out);
// Rows per page: the count below 10, else the size from `grenze` down to 6
// that leaves the smallest last page remainder (the larger on a tie).
int32_t Ergebnis_Seitengroesse(int32_t anzahl, int32_t grenze);
// The page window's first row and page size (tests).
void Ergebnis_Seite_Blatt(int32_t* erste, int32_t* seite, int32_t* anzahl);
// A club whose name the results and table pages and panels write in the
// persons' colour.
bool Ergebnis_Team_Hervorgehoben(int32_t team);

// The panels during a live match: open (1 results, 0 table; true when open)
// and close; the goal events mark both for redrawing.
bool Ergebnis_Seite(int32_t welche);
void Ergebnis_Seite_Tabelle(int32_t welche);
void Ankuendigung_Flags();
void Ankuendigung_Ergebnis_Panels_Schliessen();

}  // namespace velmora
