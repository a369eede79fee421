// screens/tabelle.h - the selection and computation behind the competition
// screens (table, fixtures, team comparison): which competition, matchday and
// parallel group a manager looks at, the walkers over a competition's chain
// of rounds and groups, and the rows the screens draw.
//
// The selection is kept per manager in the icon words 802 (index into the
// manager's competition list, -1 not chosen yet), 834 (matchday, 1-based and
// counted over the whole chain of rounds) and 835 (parallel group); the
// options in the icon states 803 (table filter 0 all, 1 home, 2 away games),
// 804 (whole season), 836 (own games), 846 and 847 (the comparison's player
// selection and player set). A value out of range (a damaged save, a season
// change that shrank the list) falls back to the club's league at its next
// matchday.
#pragma once
#include <cstdint>
#include <vector>

#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {

// Icon numbers the selection is kept under and the selector's buttons.
constexpr int32_t ICON_TAB_WETTBEWERB = 802, ICON_TAB_FILTER = 803, ICON_TAB_SAISON = 804;
constexpr int32_t ICON_TAB_WETT_ZURUECK = 807, ICON_TAB_WETT_VOR = 808;
constexpr int32_t ICON_TAB_TAG_ZURUECK = 809, ICON_TAB_TAG_VOR = 810;
constexpr int32_t ICON_TAB_GRUPPE_ZURUECK = 811, ICON_TAB_GRUPPE_VOR = 812;
constexpr int32_t ICON_TAB_KNAUF = 813, ICON_TAB_BALKEN = 814;
constexpr int32_t ICON_TAB_TAG = 834, ICON_TAB_GRUPPE = 835, ICON_TAB_EIGENE = 836;
constexpr int32_t ICON_TAB_SPIELER = 846, ICON_TAB_SPIELERSATZ = 847;
constexpr int32_t ICON_TAB_ZEILE = 815;        // table rows 815-832
constexpr int32_t ICON_TAB_PLAN_ZEILE = 837;   // fixture rows 837-845
constexpr int32_t ICON_TAB_VERGLEICH = 849;    // comparison rows 849-866
constexpr int32_t TAB_ZEILEN = 18, TAB_PLAN_ZEILEN = 9;
constexpr int32_t TAB_RUNDEN_MAX = 256;

// The views.
constexpr int32_t TAB_ANSICHT_TABELLE = 0, TAB_ANSICHT_SPIELPLAN = 1, TAB_ANSICHT_VERGLEICH = 2;

// A knock-out round's team with its sort key.
struct TabKoZeile {
    int32_t team;
    int64_t schluessel;
};
// A fixture row: a pairing with both legs (goals -1 not played), the teams'
// places, the day of the first leg and each leg's decision text.
struct TabSpielZeile {
    int32_t wettbewerb = -1, runde = 0, paarung = 0;
    int32_t heim = -1, gast = -1;
    int32_t platz_heim = 0, platz_gast = 0;
    int32_t tore[2][2] = {{-1, -1}, {-1, -1}};   // [leg][home, away of that leg]
    int32_t tag = -1;
    char flag_text[2][16] = {};
    bool zwei_spiele = false;
};
// A comparison row.
struct TabVergleichZeile {
    int32_t team = -1;
    int32_t staerke = 0, spieler = 0, attribut = 0;
    int64_t marktwert = 0;
};

// The resolved selection.
struct TabAuswahl {
    int32_t liste_wettbewerb = -1;   // the entry of the list (802)
    int32_t wettbewerb = -1;         // the round (and group) the matchday lies in
    WettbewerbInfo info{};
    int32_t spieltag = 1;            // overall matchday (834)
    int32_t runden_spieltag = 1;     // matchday within the round
    int32_t gruppe = 0;              // group index (835)
    int32_t gruppen = 1;             // groups of the round
};

// The competition list of the manager's team (weighted: a competition a human
// team plays in or of the manager's country first, then by list position);
// with `waehlen` an unset 802 takes the team's league. The list's length.
int32_t Tabelle_Suche_Wettbewerb(int32_t* puffer, int32_t waehlen);
const std::vector<int32_t>& Tabelle_Liste();
// Resolves 802, 834 and 835 (falling back when out of range).
TabAuswahl Tabelle_Get_Auswahl();
// Daily refresh: the list again, 834 at the chain's next matchday, the view recomputed.
void Tabelle_Screen_Aktualisieren();
// 0 table, 1 fixtures, 2 comparison: by the row icons on screen.
int32_t Tabelle_Ansicht();
// The selector buttons 807-812 and a click into the selector area.
void Tabelle_Auswahl_Klick(int32_t icon);
// The option buttons 803, 804, 836, 846, 847.
void Tabelle_Optionen_Prozedur(int32_t icon);
// Recomputes the current view; the number of scroll positions.
int32_t Tabelle_Berechnen();

// Walkers over a competition's chain.
int32_t Tabelle_Runden(int32_t wettbewerb, int32_t* out);
int32_t Tabelle_Gruppen(int32_t wettbewerb, int32_t* out);
int32_t Tabelle_Spieltage_Gesamt(int32_t wettbewerb);
int32_t Tabelle_Spieltag_Aktuell_Gesamt(int32_t wettbewerb);
// The round of a 0-based overall matchday and the matchday within it.
int32_t Tabelle_Runde_Zu_Spieltag(int32_t wettbewerb, int32_t spieltag, int32_t* runden_spieltag);
// Moves `wettbewerb` to the round holding the 1-based overall `spieltag`,
// which becomes the matchday within that round.
void Tabelle_Runde_Waehlen(int32_t* wettbewerb, int32_t* spieltag);
void Tabelle_Gruppe_Waehlen(int32_t* wettbewerb, int32_t gruppe);
// The team's games (first legs) in the competition's whole hierarchy from
// `erster` round on, by date; their number (at most 256).
int32_t Tabelle_Team_Spiele(int32_t wettbewerb, int32_t team, int32_t erster, std::vector<TabSpielZeile>& out);

// The computed rows of the last Tabelle_Berechnen.
struct TabDaten {
    int32_t ansicht = TAB_ANSICHT_TABELLE;
    TabAuswahl auswahl;
    bool ko = false;
    int32_t filter = 0;                       // 803
    bool saison = false;                      // 804
    int32_t tabellen_spieltag = 0;            // the matchday the table counts up to
    TabellenPuffer tabelle{};
    int32_t tabelle_zeilen = 0;
    std::vector<TabKoZeile> ko_zeilen;
    std::vector<TabSpielZeile> spiele;
    std::vector<TabVergleichZeile> vergleich;
    int32_t zeilen = 0;
    int32_t erste = 0;                        // the first row shown
    int32_t scroll_max = 0;
};
const TabDaten& Tabelle_Daten();
// The first row shown (the scroll knob's procedure).
void Tabelle_Erste_Zeile(int32_t erste);
// The trend picture 0 (strong) to 4 of a form value t at a matchday.
int32_t Tabelle_Trend(int32_t t, int32_t spieltag);
// The form value: points of the team's last min(matchday, 5) matchdays up to
// the matchday (the filter's home or away games only).
int32_t Tabelle_Form(const TabellenZeile& z, int32_t spieltag, int32_t filter);

}  // namespace velmora
