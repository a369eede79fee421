// The computer clubs' economy: salaries at the season update, talents bought
// by rich clubs, and the transfers of their rounds, on hand-computed figures.
#include <gtest/gtest.h>

#include <memory>

#include "business/compi.h"
#include "business/verhandlung.h"
#include "club/kader_hooks.h"
#include "club/regeln.h"
#include "club/talente.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/config.h"
#include "tests/business/bank_welt.h"
#include "tests/business/compi_welt.h"

namespace velmora {
namespace {

using test::BankWelt;

constexpr int32_t MENSCH = 2;      // clubs 2 and 3 have human managers
constexpr int32_t COMPI = 4;       // clubs 4 and 5 are computer clubs
constexpr int32_t PARTNER = 5;
constexpr int32_t TALENT = 5;      // the one talent of the table
constexpr int32_t JE_CLUB = 18;

int32_t Erster(int32_t club) { return (club - 2) * JE_CLUB; }   // the club's players are Erster .. Erster + 17
float Stand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

void Regel_Setzen(int32_t regel, int32_t wert) {
    std::string text;
    Config_Schreibe_Wert(text, Regel_Name(regel), wert);
    ASSERT_TRUE(Read_Config_Open_Text(text.data(), text.size(), "global.cfg", nullptr, 0));
    while (const char* b = Read_Config_Next()) Regeln_Config_Lesen(b);
    Read_Config_Close();
}

class Compi : public ::testing::Test {
protected:
    void SetUp() override {
        welt = std::make_unique<BankWelt>();
        Compi_Zaehler_Zuruecksetzen();
        test::Wirtschaft_Faktoren_Setzen();
        Transferfaktor_Setzen(TF_COMPI_TRANSFER_DELTA_TEAMS_ABS, 1);
        // Talent 5 alone: requirement 30, 7 points a unit (4 units), 10,000 a unit x factor 2.
        Attribut_Tabelle_Leeren();
        AttributDaten a{};
        for (int32_t& v : a.voraussetzung) v = -1;
        for (int32_t& v : a.schutz) v = -1;
        a.moeglich_wann[1] = 12;
        a.noetige_punkte = 30;
        a.punkte_training = 7;
        a.kostpreis = 10000;
        Attribut_Daten_Setzen(TALENT, a);
        Regel_Setzen(REGEL_ATTRIBUT_TRAINING_KOSTEN, 2);
        // Every player of strength 0 without appearances: his salary base stays
        // below the deduction, so his salary is 0.
        for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
            Spieler_Wert(SPW_STAERKE, p, 0, OP_SCHREIBEN);
            Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_SCHREIBEN);
            Spieler_Wert(SPW_EINSAETZE, p, 0, OP_SCHREIBEN);
        }
    }
    void TearDown() override {
        Kader_Hooks() = KaderHooks{};
        Attribut_Tabelle_Leeren();
        Regeln_Standard();
        Transferfaktor_Leeren();
        welt.reset();
    }
    // A player of strength `staerke` (maximum `max` half stars) with nine appearances in a row.
    static void Spieler(int32_t p, int32_t staerke, int32_t max) {
        Spieler_Wert(SPW_STAERKE, p, staerke, OP_SCHREIBEN);
        Spieler_Wert(SPW_MAX_STERNE, p, max, OP_SCHREIBEN);
        Spieler_Wert(SPW_EINSAETZE, p, 9, OP_SCHREIBEN);
    }
    std::unique_ptr<BankWelt> welt;
};

TEST_F(Compi, TheSeasonUpdateChargesTheComputerClubsTheirSalaries) {
    // Player 3 of each club is a defender (type value 85). Salary variant at
    // strength 6000 and 9 appearances: (50 x 50 + 30 x 100 + 20 x 85) / 100 = 72;
    // 36 + 36^2 = 1332 x 400 = 532,800 -> 532,000; - 100,000 = 432,000;
    // ((432,000 / 100) x 80 / 1000) x 100 = 34,500.
    for (int32_t club : {MENSCH, COMPI}) Spieler(Erster(club) + 3, 6000, 6);
    ASSERT_EQ(Spieler_Get_Art(Erster(COMPI) + 3), 1);
    EXPECT_EQ(Compi_Gehaelter(COMPI), 34500);
    EXPECT_EQ(Compi_Gehaelter(PARTNER), 0);
    Compi_Saison();
    EXPECT_EQ(Stand(COMPI), -34500.0f) << "a computer club pays even into debt";
    EXPECT_EQ(Stand(MENSCH), 1000000.0f) << "a human manager's club pays no salaries here";
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_SPIELERKOSTEN, false), 34500.0);
    EXPECT_EQ(Compi_Zaehler().gehaelter, 34500);
}

TEST_F(Compi, ARichComputerClubBuysATalentForItsStrongestPlayer) {
    // Price: 10,000 x 2 a unit x (30 / 7 = 4 units) = 80,000. The reserve is two
    // seasons' salaries, 2 x 34,500 = 69,000.
    EXPECT_EQ(Compi_Talent_Preis(TALENT), 80000);
    EXPECT_EQ(Compi_Talent_Preis(6), 0);
    const int32_t star = Erster(COMPI) + 3;
    Spieler(star, 6000, 6);
    struct Fall {
        float stand;
        bool kauft;
    } faelle[] = {{0.0f, false}, {69000.0f, false}, {140000.0f, false}, {148999.0f, false}, {149000.0f, true}};
    // 148,999 - 80,000 < 69,000 <= 149,000 - 80,000; at or below the reserve nothing is looked at.
    for (const Fall& f : faelle) {
        Bank_Ueberweisung(-1, COMPI, f.stand - Stand(COMPI), BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
        ASSERT_EQ(Stand(COMPI), f.stand);
        EXPECT_EQ(Compi_Talent_Kaufen(COMPI), f.kauft) << f.stand;
        EXPECT_EQ(Attribute_Hat_Attribut(star, TALENT), f.kauft) << f.stand;
        EXPECT_EQ(Stand(COMPI), f.kauft ? f.stand - 80000.0f : f.stand) << f.stand;
    }
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_TRAINING, false), 80000.0);
    EXPECT_EQ(Compi_Zaehler().talente, 1);
    // The learnt talent adds a tenth to the salary base: 585,200 - 100,000 -> 38,800.
    EXPECT_EQ(Compi_Gehaelter(COMPI), 38800);
    // A human manager's club buys nothing.
    Spieler(Erster(MENSCH) + 3, 6000, 6);
    EXPECT_FALSE(Compi_Talent_Kaufen(MENSCH));
}

// The salaries are summed in the order of the club's last whole sum, the
// highest first; the squad and the salaries of the day decide all the same.
TEST_F(Compi, TheSalariesOfTheDaysSquadDecideAfterTheSquadOrTheSalariesChanged) {
    const int32_t star = Erster(COMPI) + 3, zweiter = Erster(COMPI) + 5, neu = Erster(PARTNER) + 2;
    auto ohne_gehalt = [](int32_t p) {
        Spieler_Wert(SPW_STAERKE, p, 0, OP_SCHREIBEN);
        Spieler_Wert(SPW_EINSAETZE, p, 0, OP_SCHREIBEN);
    };
    Spieler(star, 6000, 6);   // 34,500 (worked out above)
    EXPECT_EQ(Compi_Gehaelter(COMPI), 34500);
    // The star earns nothing now, another player of another kind earns: the
    // price of 80,000 and twice his salary are needed, one less buys nothing.
    ohne_gehalt(star);
    Spieler(zweiter, 6000, 6);
    const int32_t gehalt = Spieler_Berechne_Gehalt(zweiter);
    ASSERT_GT(gehalt, 0);
    ASSERT_NE(gehalt, 34500);
    Bank_Ueberweisung(-1, COMPI, float(80000 + 2 * gehalt - 1), BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    EXPECT_FALSE(Compi_Talent_Kaufen(COMPI));
    Bank_Ueberweisung(-1, COMPI, 1.0f, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    EXPECT_TRUE(Compi_Talent_Kaufen(COMPI));
    EXPECT_TRUE(Attribute_Hat_Attribut(zweiter, TALENT));
    EXPECT_GT(Spieler_Berechne_Gehalt(zweiter), gehalt);   // a tenth more
    EXPECT_EQ(Compi_Gehaelter(COMPI), Spieler_Berechne_Gehalt(zweiter));
    // The earner leaves for the partner club, one without salary comes and
    // the star earns again: the sums are the new squads'.
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(COMPI, PARTNER, zweiter, neu, 0.0f));
    ASSERT_EQ(Spieler_Get_Team(zweiter), PARTNER);
    ASSERT_EQ(Spieler_Get_Team(neu), COMPI);
    ohne_gehalt(neu);
    Spieler(star, 6000, 6);
    EXPECT_EQ(Compi_Gehaelter(COMPI), 34500);
    EXPECT_EQ(Compi_Gehaelter(PARTNER), Spieler_Berechne_Gehalt(zweiter));
    EXPECT_GT(Spieler_Berechne_Gehalt(zweiter), 0);
}

TEST_F(Compi, ARoundExchangesTheWeakestForTheStrongestAffordablePlayerOfTheKind) {
    // Club 4 gives its defender 3 (4000, 5 half stars); club 5, the only
    // computer club within one team number, has defenders 21 (7000, 7 half
    // stars: within 2), 24 (9000, 8: too far above) and 27 (5000, 5).
    const int32_t geht = Erster(COMPI) + 3, kommt = Erster(PARTNER) + 3;
    for (int32_t i = 1; i < JE_CLUB; ++i) {
        Spieler(Erster(COMPI) + i, 5000, 5);
        Spieler(Erster(PARTNER) + i, 5000, 5);
    }
    Spieler(geht, 4000, 5);
    Spieler(kommt, 7000, 7);
    Spieler(Erster(PARTNER) + 6, 9000, 8);
    // Market value of 21: (60 x 58 + 15 x 100 + 25 x 85) / 100 = 71.05;
    // 35.525 + 35.525^2 = 1297.55 x 400 = 519,022 -> 519,000; the demand adds 0-25 %.
    EXPECT_EQ(Spieler_Berechne_Marktwert(kommt), 519000);
    const int32_t preis = Spieler_Get_Forderung(kommt);
    ASSERT_GE(preis, 519000);
    ASSERT_LE(preis, 519000 * 5 / 4);
    const int32_t erloes = Verhandlung_Verkauf_Erloes(geht);
    // Not enough money even with the proceeds: nothing happens.
    Bank_Ueberweisung(COMPI, -1, float(erloes), BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    EXPECT_FALSE(Compi_Transfer(COMPI, false));
    EXPECT_EQ(Spieler_Get_Team(kommt), PARTNER);
    Bank_Ueberweisung(-1, COMPI, float(preis), BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    ASSERT_EQ(Stand(COMPI), float(preis - erloes));
    EXPECT_TRUE(Compi_Transfer(COMPI, false));
    EXPECT_EQ(Spieler_Get_Team(kommt), COMPI);
    EXPECT_EQ(Spieler_Get_Team(geht), PARTNER);
    EXPECT_EQ(Teamspieler_Ins_Array(COMPI, nullptr, TEAM_SPIELER_MAX, 0), JE_CLUB);
    EXPECT_EQ(Stand(COMPI), 0.0f);
    EXPECT_EQ(Stand(PARTNER), float(preis - erloes));
    // The buyer's price and the seller's proceeds each leave one club as a
    // transfer cost and reach the other as transfer income.
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_TRANSFER_AUS, false), double(preis + erloes));
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_TRANSFER_EIN, true), double(preis + erloes));
    EXPECT_EQ(Compi_Zaehler().transfers, 1);
    // A human manager's club never acts in a round.
    EXPECT_FALSE(Compi_Transfer(MENSCH, false));
}

// Between equal strengths the squad's order decides: the first of the weakest
// goes, the first of the strongest affordable comes.
TEST_F(Compi, AmongEqualStrengthsTheFirstInTheSquadIsTaken) {
    for (int32_t i = 0; i < JE_CLUB; ++i) {
        Spieler(Erster(COMPI) + i, 5000, 5);
        Spieler(Erster(PARTNER) + i, 5000, 5);
    }
    // Defenders 6 and 9 of the buyer and 3 and 12 of the partner tie.
    for (int32_t i : {6, 9}) Spieler(Erster(COMPI) + i, 4000, 5);
    for (int32_t i : {3, 12}) Spieler(Erster(PARTNER) + i, 7000, 6);
    auto erster_von = [](int32_t team, int32_t a, int32_t b) {
        int32_t sp[TEAM_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(team, sp, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i)
            if (sp[i] == a || sp[i] == b) return sp[i];
        return -1;
    };
    const int32_t geht_soll = erster_von(COMPI, Erster(COMPI) + 6, Erster(COMPI) + 9);
    const int32_t kommt_soll = erster_von(PARTNER, Erster(PARTNER) + 3, Erster(PARTNER) + 12);
    ASSERT_GE(geht_soll, 0);
    ASSERT_GE(kommt_soll, 0);
    for (int32_t p : {Erster(COMPI) + 6, Erster(COMPI) + 9, Erster(PARTNER) + 3, Erster(PARTNER) + 12})
        ASSERT_EQ(Spieler_Get_Art(p), 1) << p;
    Bank_Ueberweisung(-1, COMPI, 5000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    for (int32_t versuch = 0; versuch < 4; ++versuch) {   // whichever kind comes first
        int32_t geht = -1, kommt = -1, preis = 0;
        ASSERT_TRUE(Compi_Tausch_Suchen(COMPI, PARTNER, &geht, &kommt, &preis));
        EXPECT_EQ(geht, geht_soll);
        EXPECT_EQ(kommt, kommt_soll);
        EXPECT_EQ(preis, Spieler_Get_Forderung(kommt_soll));
    }
}

TEST_F(Compi, WithTheMarketTheClubBuysAMarketPlayerOfTheKind) {
    // The market holds players 72-76 (Welt_Bauen); 72 becomes a forward of 8000.
    const int32_t markt_spieler = 4 * JE_CLUB;
    ASSERT_EQ(Spieler_Get_Team(markt_spieler), Team_Markt());
    Spieler_Wert(SPW_ART, markt_spieler, 3, OP_SCHREIBEN);
    Spieler(markt_spieler, 8000, 8);
    for (int32_t i = 0; i < JE_CLUB; ++i) Spieler(Erster(COMPI) + i, 7000, 7);
    Bank_Ueberweisung(-1, COMPI, 5000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    EXPECT_TRUE(Compi_Transfer(COMPI, true));
    EXPECT_EQ(Spieler_Get_Team(markt_spieler), COMPI);
    EXPECT_EQ(Teamspieler_Ins_Array(COMPI, nullptr, TEAM_SPIELER_MAX, 0), JE_CLUB);
    EXPECT_GT(Bank_Gesamt(BUCHUNG_TRANSFER_AUS, false), 0.0);
}

}  // namespace
}  // namespace velmora
