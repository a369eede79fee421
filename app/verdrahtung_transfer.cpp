// app/verdrahtung_transfer.cpp - the composition root's binding of the
// transfers: the market's daily line-up and demand (with the negotiation's
// module, in every mode) and the transfer screen with its negotiation window
// (with the screens): its panel entry, the player card, a change of screen
// and the end of a manager's day; and the training units a human club's
// match sets free.
#include "app/verdrahtung_intern.h"
#include <cstdlib>
#include <cstring>

#include "business/markt_statistik.h"
#include "business/scout.h"
#include "business/scout_screen.h"
#include "business/training.h"
#include "business/training_fenster.h"
#include "business/training_screen.h"
#include "business/trainingslager_fenster.h"
#include "business/trainingslager_lauf.h"
#include "business/trainingslager_screen.h"
#include "business/transfer_screen.h"
#include "business/verhandlung.h"
#include "business/verhandlung_fenster.h"
#include "club/markt_elf.h"
#include "club/talente.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/prioritaeten.h"
#include "club/team.h"
#include "core/taste.h"
#include "platform/display.h"
#include "screens/menue_panel.h"
#include "screens/tabelle.h"
#include "media/sound.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/day/spieltag_hooks.h"
#include "screens/spielerinfo.h"
#include "season/kalender.h"

namespace velmora::verdrahtung {
namespace {

// An open transfer screen shows the squad and the market's eleven as they are now.
void Transfer_Listen_Zeigen() {
    if (!Transfer_Screen_Offen()) return;
    Transfer_Liste_Aktualisieren();
    Transfer_Rechts_Aktualisieren();
}

// The day's offer: the demand's surcharge and the market's eleven are drawn
// for the calendar's day; an open transfer screen shows the new eleven.
void Markt_Tag() {
    Spieler_Forderung_Tag_Setzen(Tag_Index());
    Markt_Elf_Aufstellen(Tag_Index());
    Transfer_Listen_Zeigen();
}

// The market of a game's first day: drawn, and a new world's clubs get their first negotiations and camps.
void Markt_Beginnen() {
    if (Markt_Elf_Tag() == Tag_Index()) return;
    if (Markt_Elf_Tag() < 0) Markt_Verhandlungen_Auffuellen(true);
    Markt_Tag();
}

// With VELMORA_DEBUG=1, Ctrl+F7 during a manager's turn (developer action 7) opens the market statistics.
void Statistik_Taste() {
    if (Taste_Get_Code() == VK_F1 + 6 && Taste_Ctrl() && !Taste_Wiederholt() && Menue_Lokal().team >= 0)
        Transfermarkt_Statistik_Screen();
}

}  // namespace

void Binden_Markt_Elf() {
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_MARKT_ELF, Markt_Elf_Zuruecksetzen);
    Abonnieren(k.tag_ereignisse, "Kalender.tag_ereignisse", prio::TAG_MARKT_ELF, Markt_Tag);
    Abonnieren(k.monat_ereignisse, "Kalender.monat_ereignisse", prio::MONAT_MARKT_VERHANDLUNGEN,
               [] { Markt_Verhandlungen_Auffuellen(false); });
    // A new or loaded game: its first turn finds the market lined up for the
    // day, and a new world's clubs their first negotiations and camps. A
    // server without managers of its own has no turn: its waiting menu frame
    // does it (else its clients' clubs could neither negotiate nor book a
    // camp before the month's and the season's refills).
    Abonnieren(k.zug_beginnt, "Kalender.zug_beginnt", prio::ZUG_BEGINN_MARKT_ELF, [](int32_t) { Markt_Beginnen(); });
    Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_MARKT_ELF, Markt_Beginnen);
}

void Binden_Training_Einheiten() {
    // Without it a human club's players could train only once for good.
    Abonnieren(Spieltag_Hooks().nach_spiel_team, "Spieltag.nach_spiel_team", prio::SPIELTAG_TRAINING_EINHEITEN,
               [](int32_t team, int32_t) {
                   if (Team_Hat_Manager(team)) Spielfeld_Team_Wert98_Nullen(team);
               });
}

void Binden_Transfer_Screens() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    Besetzen(p.screens[0][3], Transfer_Screen_Oeffnen, "MenuePanel.screens");
    TransferScreenHooks& t = Transfer_Screen_Hooks();
    Besetzen(t.karte_oeffnen, Spielerinfo_Oeffnen, "TransferScreen.karte_oeffnen");
    Besetzen(t.karte_offen, Spielerinfo_Offen, "TransferScreen.karte_offen");
    Abonnieren(Menue_Spiel_Hooks().screen_wechsel, "MenueSpiel.screen_wechsel", prio::SCREEN_WECHSEL_TRANSFER, Transfer_Screen_Verlassen);
    // The scout screen, opened by the transfer screen's send button; the
    // search shows its prospect and plays its samples there.
    Besetzen(t.scout_oeffnen, Scout_Screen_Oeffnen, "TransferScreen.scout_oeffnen");
    Besetzen(Scout_Screen_Hooks().karte_oeffnen, Spielerinfo_Oeffnen, "ScoutScreen.karte_oeffnen");
    Besetzen(Scout_Hooks().kandidat, Scout_Screen_Kandidat, "Scout.kandidat");
    Besetzen(Scout_Hooks().sample, [](int32_t nummer) { Sample_Spielen(nummer, false); }, "Scout.sample");
    // The training screen (entry 4); its start button waits for the training window.
    Besetzen(p.screens[0][4], Training_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(Training_Screen_Hooks().karte_oeffnen, Spielerinfo_Oeffnen, "TrainingScreen.karte_oeffnen");
    Besetzen(p.screens[0][5], Trainingslager_Screen_Oeffnen, "MenuePanel.screens");
    // A transfer made anywhere (a release, the day's end carrying a deal out,
    // another manager's purchase from the market) shows in the open lists.
    Abonnieren(Transfer_Hooks().kader_geaendert, "Transfer.kader_geaendert", prio::KADER_TRANSFER_SCREEN,
               [](int32_t, int32_t) { Transfer_Listen_Zeigen(); });
    Abonnieren(Transfer_Hooks().kader_geaendert, "Transfer.kader_geaendert", prio::KADER_TRAINING_SCREEN,
               [](int32_t, int32_t) { Training_Aktualisieren(); });
    Abonnieren(Talent_Hooks().geaendert, "Talent.geaendert", prio::KADER_TRAINING_SCREEN, Training_Aktualisieren);
    Besetzen(Markt_Statistik_Hooks().wettbewerbe, [](int32_t* puffer) { return Tabelle_Suche_Wettbewerb(puffer, 0); },
             "MarktStatistik.wettbewerbe");
    const char* debug = std::getenv("VELMORA_DEBUG");
    if (debug && std::strcmp(debug, "1") == 0)
        Abonnieren(Kalender_Hooks().menue_frame, "Kalender.menue_frame", prio::MENUE_ENTWICKLER_STATISTIK, Statistik_Taste);
    // The training window: opened by the training screen's start button, showing what the unit reports.
    Besetzen(Training_Screen_Hooks().fenster_oeffnen, Training_Fenster_Oeffnen, "TrainingScreen.fenster_oeffnen");
    Besetzen(Training_Hooks().anzeige, Training_Fenster_Anzeige, "Training.anzeige");
    Besetzen(Lager_Hooks().anzeige, Lager_Fenster_Anzeige, "Lager.anzeige");
    // The day's end closes a negotiation (an agreed one is carried out first).
    Abonnieren(Kalender_Hooks().zug_endet, "Kalender.zug_endet", prio::ZUG_ENDE_VERHANDLUNG, [](int32_t) {
        Verhandlung_Fenster_Schliessen();
        Verhandlung_Tagesende();
    });
}

}  // namespace velmora::verdrahtung
