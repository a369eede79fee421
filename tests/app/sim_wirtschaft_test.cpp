// The simulator's economy report: transfers counted by partner, the computer
// clubs' balances with the cap, the debt beyond the credit and unplayable
// squads, and the season's lows.
#include <gtest/gtest.h>

#include "app/sim_wirtschaft.h"
#include "business/compi.h"
#include "tests/business/bank_welt.h"

namespace velmora {
namespace {

TEST(SimWirtschaft, CountsTransfersAndTheComputerClubsSeasonFigures) {
    test::BankWelt welt;
    Sim_Wirtschaft_Zuruecksetzen();
    Compi_Zaehler_Zuruecksetzen();
    // Clubs 4 and 5 are the computer clubs: one above the cap, one 20,000,000
    // in debt (the bank would lend it 12,000,000). Club 4 keeps one player.
    Bank_Ueberweisung(-1, 4, 650000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    Bank_Ueberweisung(5, -1, 20000000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(4, spieler, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 1; i < n; ++i) Team_Spieler_Entfernen(4, spieler[i]);
    Sim_Wirtschaft_Transfer(4, 5);
    Sim_Wirtschaft_Transfer(0, 4);   // team 0 is the market
    Sim_Wirtschaft_Transfer(2, 0);
    const SimWirtschaftSaison s = Sim_Wirtschaft_Stand();
    EXPECT_EQ(s.vereine, 2);
    EXPECT_EQ(s.min, -20000000);
    EXPECT_EQ(s.median, -20000000);
    EXPECT_EQ(s.max, 650000000);
    EXPECT_EQ(s.am_limit, 1);
    EXPECT_EQ(s.verschuldet, 1);
    EXPECT_EQ(s.unspielbar, 1);
    EXPECT_EQ(s.transfers, 3);
    Sim_Wirtschaft_Saisonende();
    EXPECT_EQ(Sim_Wirtschaft_Stand().transfers, 0) << "counted again from the season's end";
    const std::string text = Sim_Wirtschaft_Text();
    for (const char* zeile : {"Gehaelter 0\n", "Transfers zwischen Vereinen 1\n", "Transfers mit dem Markt 2\n",
                              "Vertragsverlaengerungen 0", "Buchungen 40 Sonstige Einnahmen: ein 650000000, aus 0\n",
                              "Buchungen 22 Sonstige Kosten: ein 0, aus 20000000\n",
                              "Saisonende 1: Vereine 2, Kontostand min -20000000"})
        EXPECT_NE(text.find(zeile), std::string::npos) << zeile << "\n" << text;
}

// A club below zero at one day's start and above it at the season's end
// counts toward the season's lows, which start again after the season's end.
TEST(SimWirtschaft, TheSeasonsLowsCountClubsBelowZeroAtAnyDaysStart) {
    test::BankWelt welt;
    Sim_Wirtschaft_Zuruecksetzen();
    Bank_Ueberweisung(-1, 4, 3000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    Sim_Wirtschaft_Tag();
    // Salaries take club 5 to -2,500,000 for a day; its income brings it back.
    Bank_Ueberweisung(5, -1, 2500000.0f, BUCHUNG_SPIELERKOSTEN, 1, -1);
    Sim_Wirtschaft_Tag();
    Bank_Ueberweisung(-1, 5, 4000000.0f, BUCHUNG_EINTRITT, 1, -1);
    Sim_Wirtschaft_Tag();
    SimWirtschaftSaison s = Sim_Wirtschaft_Stand();
    EXPECT_EQ(s.min, 1500000);
    EXPECT_EQ(s.verschuldet, 0);
    EXPECT_EQ(s.im_minus, 1);
    EXPECT_EQ(s.tiefst, -2500000);
    // The balance now counts as well: club 4 below zero since the last day's start.
    Bank_Ueberweisung(4, -1, 3500000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    s = Sim_Wirtschaft_Stand();
    EXPECT_EQ(s.im_minus, 2);
    EXPECT_EQ(s.tiefst, -2500000);
    Sim_Wirtschaft_Saisonende();
    Bank_Ueberweisung(-1, 4, 1000000.0f, BUCHUNG_EINTRITT, 1, -1);
    Sim_Wirtschaft_Tag();
    s = Sim_Wirtschaft_Stand();
    EXPECT_EQ(s.im_minus, 0) << "the new season's lows";
    EXPECT_EQ(s.tiefst, 500000);
    const std::string text = Sim_Wirtschaft_Text();
    EXPECT_NE(text.find("Saisonende 1: Vereine 2, Kontostand min -500000, 25 % -500000, Median -500000, 75 % -500000, "
                        "max 1500000; am Limit 0, verschuldet 0, am Tiefpunkt unter null 2, tiefster Stand -2500000, "
                        "Kader nicht spielbar 0, Transfers 0\n"),
              std::string::npos)
        << text;
}

}  // namespace
}  // namespace velmora
