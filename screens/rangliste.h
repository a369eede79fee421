// screens/rangliste.h - the club ranking screen: on one canvas and thirteen
// mode buttons the club's last ten matches, the ranking of the clubs (season,
// form, the all-time top ten), the best players of the league's hierarchy by
// match statistics and by market value, and the club's titles.
#pragma once
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t ICON_RANG_BALKEN = 1738, ICON_RANG_KNAUF = 1739, ICON_RANG_HOCH = 1740, ICON_RANG_RUNTER = 1741;
constexpr int32_t ICON_RANG_LEINWAND = 1742;
constexpr int32_t ICON_RANG_MODUS = 1749;   // 1749-1761: modes 0-12
constexpr int32_t RANG_MODI = 13;
constexpr int32_t RANG_SPIELER_MAX = 60;    // ranked players at most
constexpr int32_t RANG_ZEILEN = 10;

// Pictures (zemo_res.res, slave 16000 + entry; one title is a full star, 8324 of ulvo_res.res).
constexpr int32_t SLAVE_RANG_LEINWAND_0 = 16148, SLAVE_RANG_LEINWAND = 16149, SLAVE_RANG_KNOPF = 16150;
constexpr int32_t SLAVE_RANG_KNAUF = 16152, SLAVE_RANG_BALKEN = 16153;
constexpr int32_t SLAVE_RANG_NIEDERLAGE = 16154, SLAVE_RANG_SIEG = 16155, SLAVE_RANG_REMIS = 16156;
constexpr int32_t SLAVE_RANG_PLATZ_1 = 16157;   // 16157-16159: the first three ranks
constexpr int32_t SLAVE_RANG_HOCH = 16160, SLAVE_RANG_RUNTER = 16162;   // + 1 pressed
constexpr int32_t SLAVE_RANG_TITEL = 8324;
constexpr const char* RANG_TEXTE = "RANGLISTE_SCREEN";

// One row of a player ranking.
struct RangSpieler {
    int32_t spieler, team, wert;
};

// The opener behind the competitions button (entries 3 and 5).
void Rangliste_Screen_Oeffnen();
// The ranking's daily update calls it; the screen keeps nothing to update.
void Rangliste_Screen_Tag();
// A mode button (1749-1761).
void Rangliste_Modus_Klick(int32_t icon);

// What the screen shows (tests): mode, first row, scroll range, the player
// ranking and the local club's best row (-1 none).
int32_t Rangliste_Screen_Modus();
int32_t Rangliste_Screen_Versatz();
int32_t Rangliste_Screen_Bereich();
const std::vector<RangSpieler>& Rangliste_Screen_Spieler(int32_t* lokal_rang);
// Builds the player ranking of a mode (3-8, 12) for a club: at most 60 rows;
// the club's first row's rank, or -1 when it has none.
int32_t Rangliste_Spieler_Bauen(int32_t modus, int32_t team, std::vector<RangSpieler>& out);

}  // namespace velmora
