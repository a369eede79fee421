// tests/screens/icon_bereiche_test.cpp - the icon numbers of every screen and
// window lie in that screen's own blocks of the game's one table, and no two
// blocks share a number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "business/markt_statistik.h"
#include "business/scout_screen.h"
#include "business/spielerliste.h"
#include "business/talente_screen.h"
#include "business/training_fenster.h"
#include "business/training_screen.h"
#include "business/trainingslager_fenster.h"
#include "business/trainingslager_screen.h"
#include "business/transfer_screen.h"
#include "business/verhandlung_fenster.h"
#include "club/manager.h"
#include "gui/menue_requester.h"
#include "matchview/ergebnis_seite.h"
#include "screens/bank_screen.h"
#include "screens/disk_screen.h"
#include "screens/editor.h"
#include "screens/editor_aussehen.h"
#include "screens/editor_nation.h"
#include "screens/editor_wappen.h"
#include "screens/einsetzen1.h"
#include "screens/einsetzen2.h"
#include "screens/einwechseln.h"
#include "screens/finanzen.h"
#include "screens/icon_bereiche.h"
#include "screens/menue_optionen.h"
#include "screens/menue_panel.h"
#include "screens/optionen.h"
#include "screens/platzhalter.h"
#include "screens/rangliste.h"
#include "screens/regler.h"
#include "screens/spielerinfo.h"
#include "screens/spielstart_screen.h"
#include "screens/stadion_screen.h"
#include "screens/tabelle.h"
#include "screens/taktik.h"
#include "screens/talent_panel.h"
#include "screens/werbung_screen.h"

namespace velmora {
namespace {

TEST(IconBereiche, TheBlocksStandInNumberOrderAndNoTwoShareANumber) {
    int32_t vorher = 0;
    for (const IconBereich& b : ICON_BEREICHE) {
        EXPECT_GT(b.erste, vorher) << b.name;
        EXPECT_LE(b.erste, b.letzte) << b.name;
        EXPECT_LT(b.letzte, MANAGER_ICONS) << b.name;
        vorher = b.letzte;
    }
}

TEST(IconBereiche, EveryScreensIconsLieInItsOwnBlocks) {
    struct Screen {
        const char* bereich;
        std::vector<int32_t> nummern;
    };
    const Screen SCREENS[] = {
        {"Menue-Panel", {ICON_PANEL_TEAM, ICON_PANEL_SYSTEM, ICON_WEITER, ICON_SPIELZEILE, ICON_KONTOSTAND}},
        {"Requester", {ICON_REQUESTER_RAHMEN, ICON_REQUESTER_KNOPF_1, ICON_REQUESTER_KNOPF_2}},
        {"Optionen-Leiste", {ICON_OPTION_ERSTE, ICON_OPTION_PAUSE, ICON_OPTION_FAST, ICON_OPTION_SPIELER,
             ICON_OPTION_TEMPO, ICON_OPTION_LEISTE, ICON_OPTION_TABELLE, ICON_OPTION_ERGEBNISSE}},
        {"Tabelle", {ICON_TAB_WETTBEWERB, ICON_TAB_FILTER, ICON_TAB_SAISON, ICON_TAB_WETT_ZURUECK,
             ICON_TAB_WETT_VOR, ICON_TAB_TAG_ZURUECK, ICON_TAB_TAG_VOR, ICON_TAB_GRUPPE_ZURUECK,
             ICON_TAB_GRUPPE_VOR, ICON_TAB_KNAUF, ICON_TAB_BALKEN, ICON_TAB_TAG, ICON_TAB_GRUPPE, ICON_TAB_EIGENE,
             ICON_TAB_SPIELER, ICON_TAB_SPIELERSATZ, ICON_TAB_ZEILE, ICON_TAB_PLAN_ZEILE, ICON_TAB_VERGLEICH,
             ICON_TAB_ZEILE + TAB_ZEILEN - 1, ICON_TAB_PLAN_ZEILE + TAB_PLAN_ZEILEN - 1, ICON_TAB_VERGLEICH +
             TAB_ZEILEN - 1}},
        {"Marktstatistik", {ICON_MARKT_STATISTIK}},
        {"Spielstart", {ICON_START_NEU, ICON_START_EDITOR, ICON_START_LADEN, ICON_START_LETZTES,
             ICON_WIZARD_UEBERSICHT, ICON_WIZARD_PANEL, ICON_WIZARD_ZURUECK, ICON_WIZARD_WEITER, ICON_WIZARD_NAME,
             ICON_WIZARD_ZEILE, ICON_WIZARD_BALKEN, ICON_WIZARD_KNAUF, ICON_WIZARD_PLUS, ICON_WIZARD_MINUS,
             ICON_WIZARD_ANZAHL, ICON_WIZARD_KADER, ICON_NETZ, ICON_NETZ_ROLLE, ICON_NETZ_SUCHEN,
             ICON_NETZ_ADRESSE_TEXT, ICON_NETZ_ADRESSE, ICON_NETZ_STOPP, ICON_NETZ_PRUEFEN, ICON_WIZARD_ZEILE +
             WIZARD_ZEILEN - 1}},
        {"Disk-Laden", {ICON_DISK_LADEN_FENSTER, ICON_DISK_LADEN, ICON_DISK_ZURUECK}},
        {"Ergebnisseite", {ICON_ERGEBNIS_SEITE, ICON_SEITE_HOCH, ICON_SEITE_RUNTER, ICON_SEITE_ZU,
             ICON_SIEGER_FENSTER, ICON_SIEGER_BILD, ICON_PANEL_TABELLE, ICON_PANEL_ERGEBNIS}},
        {"Disk-Speichern", {ICON_DISK_SPEICHERN_FENSTER, ICON_DISK_SPEICHERN, ICON_DISK_ABBRECHEN,
             ICON_DISK_FAENGER_LADEN, ICON_DISK_FAENGER_SPEICHERN}},
        {"Stadion", {ICON_STADION_FENSTER, ICON_STADION_AUSBAUEN, ICON_STADION_KOMFORT_ZAHLEN,
             ICON_STADION_PLAETZE_ZAHLEN, ICON_STADION_PREIS, ICON_STADION_KOMFORT, ICON_STADION_PLAETZE,
             ICON_STADION_BILD, ICON_STADION_FAENGER, ICON_STADION_HINWEIS}},
        {"Finanzen", {ICON_FINANZ_FENSTER, ICON_FINANZ_ZURUECK, ICON_FINANZ_VOR}},
        {"Werbung", {ICON_WERBUNG_FENSTER, ICON_WERBUNG_ANNEHMEN, ICON_WERBUNG_AGENTUR, ICON_WERBUNG_AUTOMATIK}},
        {"Rangliste", {ICON_RANG_BALKEN, ICON_RANG_KNAUF, ICON_RANG_HOCH, ICON_RANG_RUNTER, ICON_RANG_LEINWAND}},
        {"Optionen", {ICON_OPTIONEN_BALKEN, ICON_OPTIONEN_KNAUF, ICON_OPTIONEN_FENSTER, ICON_OPTIONEN_SCHLIESSEN,
             ICON_OPTIONEN_FAENGER}},
        {"Rangliste-Modi", {ICON_RANG_MODUS, ICON_RANG_MODUS + RANG_MODI - 1}},
        {"Einsetzen-1", {ICON_E1_FENSTER, ICON_E1_PLATZ, ICON_E1_ZEILE, ICON_E1_MARKER, ICON_E1_ZWEITE,
             ICON_E1_ASSI, ICON_E1_GEGNER, ICON_E1_ZEILE + E1_ZEILEN - 1, ICON_E1_MARKER + E1_MARKER - 1}},
        {"Einsetzen-2", {ICON_E2_GEGNER, ICON_E2_FELD, ICON_E2_FORMATION, ICON_E2_KARTE, ICON_E2_MINI,
             ICON_E2_LISTE, ICON_E2_ZURUECKSETZEN}},
        {"Bank", {ICON_BANK_FENSTER, ICON_BANK_GEBER, ICON_BANK_BETRAG, ICON_BANK_LAUFZEIT, ICON_BANK_ZINS,
             ICON_BANK_ANTRAG}},
        {"Taktik", {ICON_TAKTIK_FENSTER, ICON_TAKTIK_T0, ICON_TAKTIK_SCHIEBER_T0, ICON_TAKTIK_SCHIEBER_T1,
             ICON_TAKTIK_SCHIEBER_T3, ICON_TAKTIK_T2_AB, ICON_TAKTIK_T2_AUF, ICON_TAKTIK_T4_AB, ICON_TAKTIK_T4_AUF,
             ICON_TAKTIK_T5_AB, ICON_TAKTIK_T5_AUF, ICON_TAKTIK_T6_AB, ICON_TAKTIK_T6_AUF, ICON_TAKTIK_ZEILE,
             ICON_TAKTIK_MARKE, ICON_TAKTIK_ZEILE + TAKTIK_ZEILEN - 1, ICON_TAKTIK_MARKE + 4 * TAKTIK_ZEILEN - 1}},
        {"Einwechseln", {ICON_SPL_LISTE, ICON_SPL_FELD, ICON_SPL_ZEILE, ICON_SPL_TORWART, ICON_SPL_SCHALTER,
             ICON_SPL_ZEILE + SPL_ZEILEN - 1}},
        {"Regler", {ICON_REGLER_FENSTER, ICON_REGLER_T6, ICON_REGLER_T3, ICON_REGLER_MINUS, ICON_REGLER_T12}},
        {"Spielerkarte", {ICON_KARTE_FENSTER, ICON_KARTE, ICON_KARTE_ZURUECK, ICON_KARTE_WEITER,
             ICON_KARTE_SCHLIESSEN, ICON_KARTE_TALENTE}},
        {"Transfer", {ICON_TRANSFER_KOPF, ICON_TRANSFER_EIGENE, ICON_TRANSFER_RECHTS, ICON_TRANSFER_KANDIDAT,
             ICON_TRANSFER_SCOUT_ZURUECK, ICON_TRANSFER_SCOUT_WEITER, ICON_TRANSFER_SCOUT_LOS, ICON_TRANSFER_EIGENE
             + TRANSFER_EIGENE_ZEILEN - 1, ICON_TRANSFER_RECHTS + TRANSFER_RECHTE_ZEILEN - 1}},
        {"Verhandlung", {ICON_VH_BRETT, ICON_VH_PLUS_KLEIN, ICON_VH_PLUS_GROSS, ICON_VH_START, ICON_VH_VERLASSEN,
             ICON_VH_ABSCHLUSS, ICON_VH_KARTE, ICON_VH_RAHMEN}},
        {"Scout", {ICON_SCOUT_SEITE, ICON_SCOUT_SUCHE, ICON_SCOUT_BEZAHLEN, ICON_SCOUT_ZURUECK, ICON_SCOUT_REGION,
             ICON_SCOUT_REGION_14, ICON_SCOUT_KANDIDAT, ICON_SCOUT_KARTE, ICON_SCOUT_VERPFLICHTEN,
             ICON_SCOUT_VERLASSEN, ICON_SCOUT_WEGSCHICKEN}},
        {"Talente", {ICON_TALENTE_FENSTER, ICON_TALENTE_INFO, ICON_TALENTE_SCHLIESSEN, ICON_TALENTE_ERSTES,
             ICON_TALENTE_ZURUECK, ICON_TALENTE_WEITER, ICON_TALENTE_TORWART}},
        {"Training", {ICON_TRAINING_FENSTER, ICON_TRAINING_ZEILE, ICON_TRAINING_SCHALTER, ICON_TRAINING_START,
             ICON_TRAINING_WAHL, ICON_TRAINING_ZURUECK, ICON_TRAINING_WEITER, ICON_TRAINING_TALENTE,
             ICON_TRAINING_ZURUECK_2, ICON_TRAINING_WEITER_2, ICON_TRAINING_ZEILE + TRAINING_ZEILEN - 1}},
        {"Trainingsfenster", {ICON_TRF_FENSTER, ICON_TRF_SICHER, ICON_TRF_START, ICON_TRF_ANWENDEN,
             ICON_TRF_HINTERGRUND, ICON_TRF_SCHLIESSEN, ICON_TRF_FILM, ICON_TRF_FILM_ZU}},
        {"Spielerliste", {ICON_SPIELERLISTE_KOPF, ICON_SPIELERLISTE_ZEILE_1, ICON_SPIELERLISTE_BODEN,
             ICON_SPIELERLISTE_SCHLIESSEN, ICON_SPIELERLISTE_ZURUECK, ICON_SPIELERLISTE_WEITER}},
        {"Trainingslager", {ICON_LAGER_SEITE, ICON_LAGER_ZURUECK, ICON_LAGER_WEITER, ICON_LAGER_BUCHEN}},
        {"Entwickler-Panel", {ICON_ENTWICKLER_KOPF, ICON_ENTWICKLER_BODEN, ICON_ENTWICKLER_SCHLIESSEN,
             ICON_ENTWICKLER_ZURUECK, ICON_ENTWICKLER_WEITER, ICON_ENTWICKLER_KOPF + ENTWICKLER_ZEILEN}},
        {"Lagerfenster", {ICON_LF_HINTERGRUND, ICON_LF_FENSTER, ICON_LF_ENDE, ICON_LF_ERGEBNIS}},
        {"Editor", {ICON_EDITOR_HINTERGRUND, ICON_EDITOR_TEAMS, ICON_EDITOR_SPIELER, ICON_EDITOR_TEAM_SCROLL,
             ICON_EDITOR_SPIELER_SCROLL, ICON_EDITOR_SORT_NAME, ICON_EDITOR_SORT_NATION, ICON_EDITOR_MARKT,
             ICON_EDITOR_SCOUTS, ICON_EDITOR_SPEICHERN, ICON_EDITOR_LADEN, ICON_EDITOR_ENDE}},
        {"Editor-Nation", {ICON_NATION_LISTE, ICON_NATION_FAENGER}},
        {"Talent-Editor", {ICON_EDITOR_KOPF, ICON_EDITOR_BODEN, ICON_EDITOR_SCHLIESSEN, ICON_EDITOR_ZURUECK,
             ICON_EDITOR_WEITER, ICON_EDITOR_KOPF + EDITOR_ZEILEN}},
        {"Editor-Aussehen", {ICON_AUSSEHEN_PANEL, ICON_AUSSEHEN_FAENGER}},
        {"Editor-Wappen", {ICON_WAPPEN_SEITE, ICON_WAPPEN_FAENGER}},
        {"Platzhalter", {ICON_PLATZHALTER}},
    };
    for (const Screen& s : SCREENS)
        for (int32_t n : s.nummern) {
            const IconBereich* b = Icon_Bereich(n);
            ASSERT_NE(b, nullptr) << s.bereich << " " << n;
            EXPECT_EQ(std::string(b->name), s.bereich) << n;
        }
}

}  // namespace
}  // namespace velmora
