// screens/tabelle_screen.h - the three competition screens of the panel's
// competitions button: the league table (for a knock-out round the list of
// its teams with their progress), the fixtures and results of a matchday,
// and the comparison of the teams that play on it. They share the selector
// and option icons and the rows computed by screens/tabelle.
#pragma once
#include <cstdint>

namespace velmora {

// Pictures (pirak_res.res, slave 12000 + entry).
constexpr int32_t SLAVE_TAB_SPIELERSATZ_AN = 12100, SLAVE_TAB_SPIELERSATZ = 12101;
constexpr int32_t SLAVE_TAB_KOPF_VERGLEICH = 12102;
constexpr int32_t SLAVE_TAB_SCHALTER_AN = 12103, SLAVE_TAB_SCHALTER = 12104;   // a wide option switch
constexpr int32_t SLAVE_TAB_SAISON_AN = 12105, SLAVE_TAB_SAISON = 12106;
constexpr int32_t SLAVE_TAB_WETT_ZURUECK = 12108, SLAVE_TAB_WETT_VOR = 12110;    // + 1 pressed
constexpr int32_t SLAVE_TAB_TAG_ZURUECK = 12112, SLAVE_TAB_TAG_VOR = 12114;
constexpr int32_t SLAVE_TAB_GRUPPE_ZURUECK = 12116, SLAVE_TAB_GRUPPE_VOR = 12118;
constexpr int32_t SLAVE_TAB_LABEL = 12119;
constexpr int32_t SLAVE_TAB_KOPF_TABELLE = 12121, SLAVE_TAB_KOPF_KO = 12130, SLAVE_TAB_KOPF_SPIELPLAN = 12153;
constexpr int32_t SLAVE_TAB_TREND = 12123;                                   // + 0 (strong rise) ... 4
constexpr int32_t SLAVE_TAB_KNAUF = 12128, SLAVE_TAB_BALKEN = 12129;
constexpr int32_t SLAVE_TAB_RAUS = 12131, SLAVE_TAB_WEITER = 12132;
constexpr int32_t SLAVE_TAB_EIGENE_AN = 12155, SLAVE_TAB_EIGENE = 12156;
constexpr const char* TAB_TEXTE = "TABELLE_SCREEN";

// The openers behind the panel's competitions button (entries 0, 1, 2).
void Tabelle_Screen();
void Tabelle_Spielplan_Oeffnen();
void Tabelle_Bestenliste_Oeffnen();

}  // namespace velmora
