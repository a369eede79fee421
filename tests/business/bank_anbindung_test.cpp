// The bank wired into the lower modules' hooks and the save driver.
#include <gtest/gtest.h>

#include "business/bank_anbindung.h"
#include "club/club_anbindung.h"
#include "club/kader_hooks.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "match/spieltag_hooks.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "tests/business/bank_welt.h"

namespace velmora {
namespace {

using test::BankWelt;

TEST(BankAnbindung, LowerModulesMoveMoneyThroughTheBank) {
    BankWelt w;
    Bank_Anbinden();
    Bank_Waehrung_Umrechnen(2, 1000000, 0);
    // Transfers: costs may be refused, income not.
    EXPECT_EQ(Kader_Hooks().bank_kontostand(2), 1000000.0f);
    EXPECT_FALSE(Kader_Hooks().bank_ueberweisung(2, 3, 2000000.0f, BUCHUNG_TRANSFER_KAUF));
    EXPECT_TRUE(Kader_Hooks().bank_ueberweisung(2, 3, 400000.0f, BUCHUNG_TRANSFER_KAUF));
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, BUCHUNG_TRANSFER_AUS), 400000.0f);
    // A fine of the match day is forced.
    Spieltag_Hooks().bank_ueberweisung(2, -1, 900000.0f, BUCHUNG_SONSTIGE_KOSTEN);
    EXPECT_EQ(Bank_Kontostand(2, false, -1), -300000);
    EXPECT_STREQ(Spieltag_Hook_Geld_Text(1234567.0f, 2), "1.234.567");
    // A competition's bonus is other income.
    Wettbewerb_Hooks().bank_buchen(2, 5000.0f, BUCHUNG_PRAEMIE, "Punktpraemie");
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, BUCHUNG_SONSTIGE_EINNAHMEN | 0x80), 5000.0f);
    // After a match the club's period is booked.
    Kalender_Hooks().nach_spiel_team(2, 0);
    EXPECT_EQ(BankWelt::Konto(2).periode, 1u);
    EXPECT_EQ(Spielstand_Hooks().kontostand(2), Bank_Kontostand(2, false, -1));
    Bank_Abbinden();
    EXPECT_EQ(Kader_Hooks().bank_ueberweisung, nullptr);
    EXPECT_EQ(Kalender_Hooks().nach_spiel_team, nullptr);
    EXPECT_FALSE(Bank_Ist_Initialisiert());
}

TEST(BankAnbindung, TheBankBlockTravelsWithTheSaveGame) {
    BankWelt w;
    EXPECT_EQ(Spielstand_Position_Von("Bank"), 41);
    Club_Anbinden();
    Bank_Anbinden();
    Bank_Waehrung_Umrechnen(2, 1000000, 0);
    Bank_Ueberweisung(-1, 2, 4321.0f, BUCHUNG_EINTRITT, 0, -1);
    Bank_Kredit(-1, 2, 10000.0f, 3, 0, -1.0f, 0);
    std::vector<uint8_t> bild, vorher;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    Bank_Save(vorher);
    Bank_Ueberweisung(2, -1, 999.0f, BUCHUNG_TRAINING, 0, -1);
    Bank_Konto_Loeschen(2);
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild));
    std::vector<uint8_t> nachher;
    Bank_Save(nachher);
    EXPECT_EQ(nachher, vorher);
    Bank_Abbinden();
    Club_Abbinden();
}

}  // namespace
}  // namespace velmora
