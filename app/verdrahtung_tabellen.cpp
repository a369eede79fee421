// app/verdrahtung_tabellen.cpp - the match-day pages and the competition
// screens in the window's game: the announcement sequence between the
// calendar, the match day, the competitions and the news; the panel's
// competitions entries (table, fixtures, comparison, ranking); the result
// panels of a live match.
#include "app/verdrahtung_intern.h"
#include "business/bank.h"
#include "business/bank_netz.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "core/prioritaeten.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_requester.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld_hooks.h"
#include "matchview/ankuendigung.h"
#include "matchview/ergebnis_seite.h"
#include "platform/clock.h"
#include "screens/finanzen.h"
#include "screens/menue_panel.h"
#include "screens/rangliste.h"
#include "screens/tabelle.h"
#include "screens/tabelle_screen.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "shell/maus.h"

namespace velmora::verdrahtung {
namespace {

// The staging record of a finished game seen from `team`: the human team
// stands as its home team, the match data keep the game's sides and the
// counters of its match record.
void ankuendigung_setzen(int32_t spiel, int32_t team, const Spielfeld_Satz* satz) {
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 0);
    if (!sp) return;
    const AnkuendigungDaten daten = Ankuendigung_Daten_Von_Spiel(spiel, satz);
    const int32_t gast = team == sp->heim ? sp->gast : sp->heim;
    Ankuendigung_Setzen(sp->wettbewerb, team, gast, sp->runde, sp->paarung, sp->spieltag, &daten);
}

void an_team_senden(int32_t team, const uint8_t* daten, int32_t bytes) {
    int32_t kopf[NEWS_KOPF_WORTE] = {};
    kopf[0] = bytes + 1;
    News_Add_Block(-1, team, -1, int32_t(NEWS_ANKUENDIGUNG), kopf, reinterpret_cast<const char*>(daten));
}

bool finanzen(int32_t team, int32_t versatz, const char* label[FINANZ_ZEILEN], int32_t wert[FINANZ_ZEILEN]) {
    // The page shows the rows alone: no opponent is needed.
    const FinanzWerte w = Finanz_Werte_Berechnen(team, versatz, -1, false);
    for (int32_t i = 0; i < FINANZ_ZEILEN; ++i) {
        label[i] = Finanz_Zeile_Text(i);
        wert[i] = w.wert[i];
    }
    return true;
}

}  // namespace

void Binden_Ankuendigungen() {
    AnkuendigungHooks& a = Ankuendigung_Hooks();
    Besetzen(a.an_team_senden, an_team_senden, "Ankuendigung.an_team_senden");
    Besetzen(a.bank_holen, [](int32_t team) { Bank_Client_Alles_Holen(team); }, "Ankuendigung.bank_holen");
    Besetzen(a.finanzen, finanzen, "Ankuendigung.finanzen");
    Besetzen(a.geld_text, [](float betrag, int32_t team) { return Geld_Text(betrag, team, -1); }, "Ankuendigung.geld_text");
    Besetzen(a.maus_klick, Maus_Klick, "Ankuendigung.maus_klick");
    Besetzen(a.klick_schlucken, Maus_Eingabe_Verwerfen, "Ankuendigung.klick_schlucken");
    // The page before the turn holds the header's competition film paused
    // (a paused film is not drawn over the page); when it closes the film
    // plays on in the header, which shows it for the whole turn.
    Besetzen(a.wettbewerb_video, [](int32_t, int32_t zeigen, int32_t pause) { Menue_Wettbewerb_Video(1, zeigen ? pause : 0); },
             "Ankuendigung.wettbewerb_video");
    Besetzen(a.menue_neustart, Menue_Neustart, "Ankuendigung.menue_neustart");

    KalenderHooks& k = Kalender_Hooks();
    Besetzen(k.ankuendigung_treiber, Ankuendigung_Treiber, "Kalender.ankuendigung_treiber");
    Besetzen(k.ankuendigung_wartet, [] { return !Ankuendigung_Buffer_Leer() && !Menue_Get_Zustand_Byte(); },
             "Kalender.ankuendigung_wartet");
    Besetzen(k.ankuendigung_aktiv, Ankuendigung_Aktiv, "Kalender.ankuendigung_aktiv");
    Besetzen(k.letzter_zug, Ankuendigung_Vor_Spieltag, "Kalender.letzter_zug");
    // The page before the menu waits while a box waits for its answer (at a
    // shared machine the turn's first box says whose turn it is): it comes
    // once the box is answered, not over it.
    Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_ANKUENDIGUNG, [] {
        if (!Menue_Requester_Offen()) Ankuendigung_Menue_Frame(Plat_Ms());
    });
    Abonnieren(k.zug_beginnt, "Kalender.zug_beginnt", prio::ZUG_BEGINN_ANKUENDIGUNG, Ankuendigung_Zug_Beginnt);
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_ANKUENDIGUNG, Ankuendigung_Leeren);

    SpieltagHooks& s = Spieltag_Hooks();
    Besetzen(s.ankuendigung_setzen, ankuendigung_setzen, "Spieltag.ankuendigung_setzen");
    Besetzen(s.ankuendigung, [](int32_t art, int32_t schluessel) { Ankuendigung_In_Buffer(art, uint32_t(schluessel)); },
             "Spieltag.ankuendigung");
    Besetzen(Wettbewerb_Hooks().beendet, Ankuendigung_Wettbewerb_Beendet, "Wettbewerb.beendet");
    // A received page waits in the news while the buffer is full.
    Besetzen(
        News_Hooks().ankuendigung,
        [](const uint8_t* daten, int32_t bytes) {
            if (!Ankuendigung_Buffer_Nimmt()) return false;
            Ankuendigung_Buffer_Empfangen(daten, bytes);
            return true;
        },
        "News.ankuendigung");

    MenuePanelHooks& p = Menue_Panel_Hooks();
    Besetzen(p.ankuendigung_reset, Ankuendigung_Reset, "MenuePanel.ankuendigung_reset");
    Besetzen(p.ankuendigung_jetzt,
             [](int32_t art, int32_t dauer, int32_t leer) { return Ankuendigung_Jetzt(art, dauer, leer); },
             "MenuePanel.ankuendigung_jetzt");
    // The continue button reads "Zum Spiel" on the morning of a match day too,
    // from the fixture the page before the turn announces.
    Besetzen(p.spiel_heute, [](int32_t team) { return Ankuendigung_Heutiger_Gegner(team, nullptr, nullptr, nullptr) >= 0; },
             "MenuePanel.spiel_heute");
    Besetzen(p.ergebnis_seite, Ergebnis_Seite, "MenuePanel.ergebnis_seite");
    Besetzen(p.ergebnis_seite_schliessen, Ergebnis_Seite_Tabelle, "MenuePanel.ergebnis_seite_schliessen");
    // A goal of the live match redraws the open result panels with the new score.
    Besetzen(Spielfeld_Hooks().ankuendigung_flags, Ankuendigung_Flags, "Spielfeld.ankuendigung_flags");
    Block(Ankuendigung_Spielstand_Anmelden, "Ankuendigung");
    Beim_Abbinden(Ankuendigung_Leeren);
}

void Binden_Tabellen_Screens() {
    // Competitions: table, fixtures, comparison (entries 0-2), the ranking (3 and 5).
    MenuePanelHooks& p = Menue_Panel_Hooks();
    const int32_t wettbewerbe = 1;
    Besetzen(p.screens[wettbewerbe][0], Tabelle_Screen, "MenuePanel.screens");
    Besetzen(p.screens[wettbewerbe][1], Tabelle_Spielplan_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[wettbewerbe][2], Tabelle_Bestenliste_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[wettbewerbe][3], Rangliste_Screen_Oeffnen, "MenuePanel.screens");
    Besetzen(p.screens[wettbewerbe][5], Rangliste_Screen_Oeffnen, "MenuePanel.screens");
    // The ranking's day refreshes the views.
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.aufstellung_pruefen, "Kalender.aufstellung_pruefen", prio::RANGLISTE_TAG_TABELLE, Tabelle_Screen_Aktualisieren);
    Abonnieren(k.aufstellung_pruefen, "Kalender.aufstellung_pruefen", prio::RANGLISTE_TAG_RANGLISTE, Rangliste_Screen_Tag);
}

}  // namespace velmora::verdrahtung
