// business/finanzen.cpp - the balance sheet of a club's period.
#include "business/finanzen.h"

#include "business/bank.h"
#include "core/text.h"
#include "match/spieltag.h"

namespace velmora {

const FinanzZeile FINANZ_TABELLE[FINANZ_ZEILEN] = {
    {10, BUCHUNG_WERBUNG, true},          {9, BUCHUNG_EINTRITT, true},
    {8, BUCHUNG_TRANSFER_EIN, true},      {11, BUCHUNG_SONSTIGE_EINNAHMEN, true},
    {17, BUCHUNG_WERBUNG_KOSTEN, false},  {16, BUCHUNG_STADION_UNTERHALT, false},
    {15, BUCHUNG_STADIONBAU, false},      {13, BUCHUNG_TRANSFER_AUS, false},
    {12, BUCHUNG_SPIELERKOSTEN, false},   {14, BUCHUNG_TRAINING, false},
    {18, BUCHUNG_SONSTIGE_KOSTEN, false},
};

namespace {

const char* const STANDARD_TEXT[FINANZ_ZEILEN] = {"Werbung",      "Zuschauer", "Transfers",  "Sonstiges",
                                                   "Werbung",      "Unterhalt", "Stadionbau", "Transfers",
                                                   "Spielergehalt", "Training", "Sonstiges"};

int32_t Figur(int32_t team, int32_t versatz, uint8_t kategorie) {
    return int32_t(Bank_Kategorie_Summe(team, versatz, uint8_t(kategorie | BUCHUNG_EINNAHME)));
}

}  // namespace

void Finanz_Werte_Berechnen(int32_t team, int32_t versatz, FinanzWerte* out) {
    if (!out) return;
    *out = FinanzWerte{};
    for (int32_t i = 0; i < FINANZ_ZEILEN; ++i) {
        const FinanzZeile& z = FINANZ_TABELLE[i];
        const uint8_t code = uint8_t(z.kategorie | (z.einnahme ? BUCHUNG_EINNAHME : 0));
        out->wert[i] = int32_t(Bank_Kategorie_Summe(team, versatz, code));
        (z.einnahme ? out->einnahmen : out->ausgaben) += out->wert[i];
    }
    out->heim = Figur(team, versatz, BUCHUNG_SPIEL_HEIM);
    if (out->heim != 0) {
        out->gast = Figur(team, versatz, BUCHUNG_SPIEL_GAST);
        out->tore_heim = Figur(team, versatz, BUCHUNG_SPIEL_TORE_HEIM);
        out->tore_gast = Figur(team, versatz, BUCHUNG_SPIEL_TORE_GAST);
        out->zuschauer = Figur(team, versatz, BUCHUNG_SPIEL_ZUSCHAUER);
        return;
    }
    // No match closed this period: the club and its next opponent.
    int32_t seite = 0;
    const int32_t gegner = team >= 0 ? Spieltag_Spiel_Info(team, &seite, nullptr, nullptr, nullptr) : -1;
    out->heim = seite == 1 ? gegner : team;
    out->gast = seite == 1 ? team : gegner;
    out->tore_heim = -1;
}

const char* Finanz_Zeile_Text(int32_t zeile) {
    if (zeile < 0 || zeile >= FINANZ_ZEILEN) return "";
    const char* t = Text_Get(FINANZ_TEXTE, FINANZ_TABELLE[zeile].text);
    return t ? t : STANDARD_TEXT[zeile];
}

}  // namespace velmora
