// business/trainingslager.cpp - training camp booking.
#include "business/trainingslager.h"

#include "business/bank.h"
#include "business/trainingslager_lauf.h"
#include "club/club_hooks.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/meldung.h"

namespace velmora {

const char* const TL_TEXT_KEINE_MEHR = "Keine Trainingslager mehr in dieser Saison m\xf6glich!";

namespace {

struct BuchungModul {
    int32_t auswahl = 0;          // the selected camp, kept for the program run
    bool geblaettert = false;
    uint32_t letzter_schritt = 0; // clock of the last browse step
};
BuchungModul g;

}  // namespace

int32_t Trainingslager_Uebrig() {
    ManagerStruktur* m = Manager_Record(Team_Lokal());
    return m ? Manager_Wert(308, m, 0, OP_LESEN) : 0;
}

int32_t Trainingslager_Buchen(int32_t lager, uint32_t jetzt) {
    int32_t team = Team_Lokal();
    ManagerStruktur* m = Manager_Record(team);
    if (!m || lager < 0 || lager >= TL_LAGER || !Trainingslager_Daten(lager)) {
        Debug_Printf("Trainingslager_Buchen: Lager %d / Team %d ungueltig\n", lager, team);
        return TL_FEHLER;
    }
    // A second booking while a camp runs would be paid for and never held.
    if (Lager_Laeuft()) {
        Debug_Printf("Trainingslager_Buchen: ein Trainingslager laeuft schon\n");
        return TL_FEHLER;
    }
    // A client counts with the server's number: its own copy dates from its join.
    if (Club_Ist_Client() && !Manager_Internet_Client_Refresh())
        Debug_Printf("Trainingslager_Buchen: Lager des Servers nicht geholt\n");
    int32_t uebrig = Manager_Wert(308, m, 0, OP_LESEN);
    int32_t preis = Trainingslager_Kosten(lager);
    if (uebrig < 1) {
        Meldung("%s", TL_TEXT_KEINE_MEHR);
        return TL_KEINE_MEHR;
    }
    // A camp without a price needs no booking (the bank refuses an amount of 0).
    if (preis > 0 && !Bank_Ueberweisung(team, -1, float(preis), BUCHUNG_TRAINING, 0, -1)) return TL_ABGELEHNT;
    // On a client the server counts the camp off (the client cannot write its manager's values).
    if (Manager_Lager_Verbrauchen(team) < 0) Debug_Printf("Trainingslager_Buchen: Lager nicht abgezogen\n");
    Lager_Starten(lager, jetzt);
    if (Club_Ist_Client()) Club_Client_Refresh_Alle();
    return TL_GEBUCHT;
}

int32_t Trainingslager_Oeffnen() {
    if (g.auswahl < 0 || g.auswahl >= TL_LAGER) g.auswahl = 0;
    // The page shows the camps left as the server counts them.
    if (Club_Ist_Client() && !Manager_Internet_Client_Refresh())
        Debug_Printf("Trainingslager_Oeffnen: Lager des Servers nicht geholt\n");
    return g.auswahl;
}

int32_t Trainingslager_Auswahl() { return g.auswahl; }

void Trainingslager_Auswahl_Zuruecksetzen() { g = BuchungModul{}; }

bool Trainingslager_Blaettern(int32_t richtung, uint32_t jetzt) {
    if (richtung != 1 && richtung != -1) {
        Debug_Printf("Trainingslager_Blaettern: Richtung %d ungueltig\n", richtung);
        return false;
    }
    if (g.geblaettert && jetzt - g.letzter_schritt <= uint32_t(TL_BLAETTERN_MS)) return false;
    g.geblaettert = true;
    g.letzter_schritt = jetzt;
    g.auswahl = (g.auswahl + richtung + TL_LAGER) % TL_LAGER;
    return true;
}

int32_t Trainingslager_Balken_Breite(int32_t wert) {
    if (wert >= 100) return 179;
    if (wert <= 0) return 0;
    return (wert * 179 + 50) / 100;
}

}  // namespace velmora
