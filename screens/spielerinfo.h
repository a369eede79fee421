// screens/spielerinfo.h - the player card: one player in full (portrait,
// club, kind, name, strain, stars, injury or suspension, the talent in
// training, the season's statistics, salary, market value and talents) over
// the screen that opened it, with arrows to the previous and next player of
// the same group and a button to the talents screen. It changes no game data.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_KARTE_FENSTER = 3301;
constexpr int32_t ICON_KARTE = 3302;
constexpr int32_t ICON_KARTE_ZURUECK = 3304;
constexpr int32_t ICON_KARTE_WEITER = 3305;
constexpr int32_t ICON_KARTE_SCHLIESSEN = 3307;
constexpr int32_t ICON_KARTE_TALENTE = 3308;
constexpr uint32_t KARTE_PFEIL_MS = 200;   // a click at most 200 ms after the last step is ignored

// Modes: 0 the local club (slots 0-19), 1 another club (its bench first),
// 2 a transfer-market or scout player (no stepping), 3 the transfer screen's
// right list (the market's offer and the scout prospect).
constexpr int32_t KARTE_EIGENER = 0, KARTE_ANDERER = 1, KARTE_MARKT = 2, KARTE_RECHTE_LISTE = 3;

// Opens the card; nothing when it is open. The club argument is not used: the
// club shown is the one whose list holds the player.
void Spielerinfo_Oeffnen(int32_t spieler, int32_t club, int32_t modus);
// Closes the card and frees its counter block (every close path ends here).
void Spielerinfo_Schliessen();
bool Spielerinfo_Offen();

struct SpielerinfoStand {
    int32_t spieler = -1, club = -1, modus = -1, slot = -1;
    size_t zaehler = 0;   // words of the counter block (0 when closed)
};
SpielerinfoStand Spielerinfo_Stand();

}  // namespace velmora
