// tests/business/compi_welt.h - the economy tests' factors and transfer hooks:
// the worked numbers of the salary and market value (tests/club), the computer
// clubs' transfer factors, the bank and the negotiation's proceeds.
#pragma once
#include "business/bank.h"
#include "business/verhandlung.h"
#include "club/kader_hooks.h"
#include "club/wirtschaft.h"
#include "tests/club/wirtschaft_faktoren.h"

namespace velmora::test {

inline void Wirtschaft_Faktoren_Setzen() {
    Gehalt_Marktwert_Faktoren_Setzen();
    Transferfaktor_Setzen(TF_COMPI_TRANSFER_DELTA_SPIELER_ABS, 2);
    Transferfaktor_Setzen(TF_COMPI_TRANSFER_VERKAUF_ABZUG, 20);
    Transferfaktor_Setzen(TF_VERLAENGERUNG_KOSTEN, 100);
    KaderHooks& k = Kader_Hooks();
    k.bank_kontostand = [](int32_t team) { return float(Bank_Kontostand(team, false, -1)); };
    k.bank_ueberweisung = [](int32_t von, int32_t an, float betrag, int32_t kategorie, bool zwingend) {
        return Bank_Ueberweisung(von, an, betrag, uint8_t(kategorie), zwingend ? 1 : 0, -1);
    };
    k.verkaufserloes = [](int32_t spieler) { return float(Verhandlung_Verkauf_Erloes(spieler)); };
}

}  // namespace velmora::test
