// Requests about a player: a computer club's offer to a human manager, the
// answers (a yes sells through the transfer execution), forged or stale
// answers, the drop when the player leaves, and contract extensions.
#include <gtest/gtest.h>

#include <memory>

#include "business/angebot.h"
#include "business/compi.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/verhandlung.h"
#include "club/kader_hooks.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "match/day/spieltag_hooks.h"
#include "season/kalender.h"
#include "tests/business/bank_welt.h"
#include "tests/business/compi_welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

constexpr int32_t MENSCH = 2;   // clubs 2 and 3 have human managers, 4 and 5 are computer clubs
constexpr int32_t COMPI = 4;
constexpr int32_t JE_CLUB = 18;
constexpr int32_t STAR = 3;     // player 3: a defender of club 2
constexpr int32_t TAUSCH = 2 * JE_CLUB + 3;   // club 4's first defender

float Stand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

class Angebot : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(verz.ok);
        welt = std::make_unique<test::BankWelt>();
        ASSERT_TRUE(News_Datei_Oeffnen());
        Compi_Zaehler_Zuruecksetzen();
        test::Wirtschaft_Faktoren_Setzen();
        Transferfaktor_Setzen(TF_COMPI_TRANSFER_DELTA_TEAMS_ABS, 2);
        for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
            Spieler_Wert(SPW_STAERKE, p, 5000, OP_SCHREIBEN);
            Spieler_Wert(SPW_MAX_STERNE, p, 5, OP_SCHREIBEN);
            Spieler_Wert(SPW_EINSAETZE, p, 0, OP_SCHREIBEN);
            Spieler_Wert(SPW_MORAL, p, 4, OP_SCHREIBEN);
        }
        Spieler_Wert(SPW_STAERKE, STAR, 6000, OP_SCHREIBEN);
        Spieler_Wert(SPW_MAX_STERNE, STAR, 6, OP_SCHREIBEN);
        Spieler_Wert(SPW_EINSAETZE, STAR, 9, OP_SCHREIBEN);
        Bank_Ueberweisung(-1, COMPI, 3000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    }
    void TearDown() override {
        Kader_Hooks() = KaderHooks{};
        Spieltag_Hooks() = SpieltagHooks{};
        Transferfaktor_Leeren();
        News_Datei_Schliessen();
        welt.reset();
    }
    // The header of the club's open request about a player, with the answer set.
    static bool Anfrage(int32_t team, int32_t kopf[NEWS_KOPF_WORTE], int32_t antwort) {
        const int32_t i = News_Erste(team, int32_t(NEWS_ANFRAGE));
        if (i < 0) return false;
        std::copy(News_Get_Kopf(i), News_Get_Kopf(i) + NEWS_KOPF_WORTE, kopf);
        kopf[NEWS_KOPF_ANTWORT] = antwort;
        return true;
    }
    velmora_test::TestWelt verz;
    std::unique_ptr<test::BankWelt> welt;
};

TEST_F(Angebot, AComputerClubOffersTheDemandAndAYesSellsThePlayer) {
    // Club 4, the only computer club within two team numbers of club 2, gives
    // its weakest defender (5000) for club 2's defender of 6000 at his demand.
    ASSERT_TRUE(Angebot_Machen(MENSCH));
    EXPECT_FALSE(Angebot_Machen(MENSCH)) << "one offer at a time";
    EXPECT_FALSE(Angebot_Machen(COMPI)) << "only to a human manager";
    int32_t kopf[NEWS_KOPF_WORTE];
    ASSERT_TRUE(Anfrage(MENSCH, kopf, 1));
    const int32_t preis = Spieler_Get_Forderung(STAR), erloes = Verhandlung_Verkauf_Erloes(TAUSCH);
    ASSERT_GT(erloes, 0);
    const int32_t erwartet[NEWS_KOPF_WORTE] = {ANFRAGE_ART_SPIELER, MENSCH, COMPI, Tag_Index() + ANGEBOT_FRIST, STAR,
                                               TAUSCH, preis, ANGEBOT_KAUF, erloes, 1};
    for (int32_t w = 0; w < NEWS_KOPF_WORTE; ++w) EXPECT_EQ(kopf[w], erwartet[w]) << "word " << w;
    Angebot_Antwort(kopf, Richter_Fall::ANTWORT);
    EXPECT_EQ(Spieler_Get_Team(STAR), COMPI);
    EXPECT_EQ(Spieler_Get_Team(TAUSCH), MENSCH);
    EXPECT_EQ(Stand(MENSCH), 1000000.0f + float(preis - erloes));
    EXPECT_EQ(Stand(COMPI), 3000000.0f - float(preis - erloes));
    // Each side books what it pays as transfer costs and what it receives as transfer income.
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_TRANSFER_AUS, false), double(preis + erloes));
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_TRANSFER_EIN, true), double(preis + erloes));
    // The player has left: the open offer about him is dropped.
    Angebot_Spieler_Gegangen(STAR, MENSCH);
    EXPECT_FALSE(Anfrage(MENSCH, kopf, 1));
}

TEST_F(Angebot, NoExpiredStaleOrForgedAnswersMoveNothing) {
    ASSERT_TRUE(Angebot_Machen(MENSCH));
    int32_t kopf[NEWS_KOPF_WORTE];
    ASSERT_TRUE(Anfrage(MENSCH, kopf, 1));
    struct Fall {
        const char* name;
        int32_t wort, wert;
        Richter_Fall fall;
    } faelle[] = {
        {"no", NEWS_KOPF_ANTWORT, 0, Richter_Fall::ANTWORT},
        {"expired", NEWS_KOPF_ANTWORT, 1, Richter_Fall::ABGELAUFEN},
        {"late", NEWS_KOPF_ANTWORT, 1, Richter_Fall::ANTWORT_SPAET},
        {"another club's player", 4, 3 * JE_CLUB + 3, Richter_Fall::ANTWORT},
        {"a human club buys", 2, 3, Richter_Fall::ANTWORT},
        {"exchange of another kind", 5, TAUSCH + 1, Richter_Fall::ANTWORT},
        {"exchange not the buyer's", 5, 3 * JE_CLUB + 3, Richter_Fall::ANTWORT},
        {"no price", 6, 0, Richter_Fall::ANTWORT},
        {"negative proceeds", 8, -1, Richter_Fall::ANTWORT},
        {"unknown request", 7, 5, Richter_Fall::ANTWORT},
    };
    for (const Fall& f : faelle) {
        int32_t k[NEWS_KOPF_WORTE];
        std::copy(kopf, kopf + NEWS_KOPF_WORTE, k);
        k[f.wort] = f.wert;
        Angebot_Antwort(k, f.fall);
        EXPECT_EQ(Spieler_Get_Team(STAR), MENSCH) << f.name;
        EXPECT_EQ(Stand(MENSCH), 1000000.0f) << f.name;
        EXPECT_EQ(Stand(COMPI), 3000000.0f) << f.name;
    }
}

TEST_F(Angebot, AComputerClubsMoveIsShownToTheHumanManagersOfBothLeagues) {
    // Club 4 (league 50) takes club 5's (league 51) defender 57 of 6000 for its
    // defender 39; clubs 2 (league 50) and 3 (league 51) hear of it.
    const int32_t kommt = 3 * JE_CLUB + 3;
    Spieler_Wert(SPW_STAERKE, kommt, 6000, OP_SCHREIBEN);
    Spieler_Wert(SPW_MAX_STERNE, kommt, 6, OP_SCHREIBEN);
    ASSERT_TRUE(Compi_Transfer(COMPI, false));
    ASSERT_EQ(Spieler_Get_Team(kommt), COMPI);
    const std::string name = Spieler_String(SPS_NAME, kommt, 0, 0);
    for (int32_t mensch : {MENSCH, MENSCH + 1}) {
        const int32_t i = News_Erste(mensch, int32_t(NEWS_NACHRICHT));
        ASSERT_GE(i, 0) << mensch;
        EXPECT_NE(std::string(News_Text(i)).find(name), std::string::npos) << News_Text(i);
    }
}

TEST_F(Angebot, AnExtensionCostsASeasonsSalaryTimesTheFactorTimesOnePointFour) {
    // Star's salary: (50 x 50 + 30 x 100 + 20 x 85) / 100 = 72 -> 1332 x 400 ->
    // 532,000 - 100,000 = 432,000 -> 34,500; x 100 x 1.4 / 100 = 48,300 -> 40,000.
    EXPECT_EQ(Spieler_Berechne_Gehalt(STAR), 34500);
    EXPECT_EQ(Angebot_Verlaengerung_Kosten(STAR), 40000);
    int32_t kopf[NEWS_KOPF_WORTE] = {ANFRAGE_ART_SPIELER, MENSCH, -1, Tag_Index() + VERLAENGERUNG_FRIST, STAR, -1,
                                     40000, ANGEBOT_VERLAENGERUNG, 0, 0};
    Angebot_Antwort(kopf, Richter_Fall::ANTWORT);
    EXPECT_EQ(Spieler_Wert(SPW_MORAL, STAR, 0, OP_LESEN), 3) << "a refused extension disappoints";
    EXPECT_EQ(Stand(MENSCH), 1000000.0f);
    kopf[NEWS_KOPF_ANTWORT] = 1;
    Angebot_Antwort(kopf, Richter_Fall::ANTWORT);
    EXPECT_EQ(Stand(MENSCH), 960000.0f);
    EXPECT_EQ(Bank_Gesamt(BUCHUNG_SPIELERKOSTEN, false), 40000.0);
    EXPECT_EQ(Compi_Zaehler().verlaengerungen, 1);
    EXPECT_EQ(Spieler_Wert(SPW_MORAL, STAR, 0, OP_LESEN), 3);
}

// The finance page's rows of the open period, income as credits, costs as debits.
float Zeilen_Saldo(int32_t team) {
    constexpr uint8_t EIN[] = {BUCHUNG_WERBUNG, BUCHUNG_EINTRITT, BUCHUNG_TRANSFER_EIN, BUCHUNG_SONSTIGE_EINNAHMEN};
    constexpr uint8_t AUS[] = {BUCHUNG_WERBUNG_KOSTEN, BUCHUNG_STADION_UNTERHALT, BUCHUNG_STADIONBAU,
                               BUCHUNG_TRANSFER_AUS,   BUCHUNG_SPIELERKOSTEN,     BUCHUNG_TRAINING,
                               BUCHUNG_SONSTIGE_KOSTEN};
    float saldo = 0;
    for (uint8_t k : EIN) saldo += Bank_Kategorie_Summe(team, 0, uint8_t(k | BUCHUNG_EINNAHME));
    for (uint8_t k : AUS) saldo -= Bank_Kategorie_Summe(team, 0, k);
    return saldo;
}

TEST_F(Angebot, APurchaseAndASaleInOnePeriodShowOnTheFinanceRowsAsTheBalanceMoves) {
    // The human manager buys a market player without giving one, then sells
    // his star to the computer club for its defender, all in the open period.
    const int32_t markt_spieler = 4 * JE_CLUB;
    ASSERT_EQ(Spieler_Get_Team(markt_spieler), Team_Markt());
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(MENSCH, Team_Markt(), -1, markt_spieler, 300000.0f));
    ASSERT_TRUE(Angebot_Machen(MENSCH));
    int32_t kopf[NEWS_KOPF_WORTE];
    ASSERT_TRUE(Anfrage(MENSCH, kopf, 1));
    const int32_t preis = kopf[6], erloes = Verhandlung_Verkauf_Erloes(TAUSCH);
    ASSERT_GT(erloes, 0);
    Angebot_Antwort(kopf, Richter_Fall::ANTWORT);
    ASSERT_EQ(Spieler_Get_Team(STAR), COMPI);
    EXPECT_EQ(Stand(MENSCH), 1000000.0f - 300000.0f + float(preis - erloes));
    EXPECT_EQ(Bank_Kategorie_Summe(MENSCH, 0, BUCHUNG_TRANSFER_EIN | BUCHUNG_EINNAHME), float(preis));
    EXPECT_EQ(Bank_Kategorie_Summe(MENSCH, 0, BUCHUNG_TRANSFER_AUS), 300000.0f + float(erloes));
    EXPECT_EQ(Zeilen_Saldo(MENSCH), Stand(MENSCH) - 1000000.0f);
}

TEST_F(Angebot, TheOfferAndTheSalesNewsSayWhoPaysWhomHowMuch) {
    Spieltag_Hooks().geld_text = [](float betrag, int32_t team) { return Geld_Text(betrag, team, -1); };
    Kader_Hooks().transfer_news = News_Transfer;
    const int32_t erloes = Verhandlung_Verkauf_Erloes(TAUSCH), preis = Spieler_Get_Forderung(STAR);
    ASSERT_GT(erloes, 0);
    ASSERT_GT(preis, erloes);
    auto geld = [](int32_t betrag) { return std::string(Geld_Text(float(betrag), MENSCH, -1)); };
    const std::string star = Spieler_String(SPS_NAME, STAR, 0, 0), tausch = Spieler_String(SPS_NAME, TAUSCH, 0, 0);
    ASSERT_TRUE(Angebot_Machen(MENSCH));
    const int32_t i = News_Erste(MENSCH, int32_t(NEWS_ANFRAGE));
    ASSERT_GE(i, 0);
    EXPECT_EQ(std::string(News_Text(i)), "Angebot: Club 4 bietet " + geld(preis) + " f\xfcr " + star +
                                             " und gibt Ihnen dazu " + tausch + ", f\xfcr den Sie " + geld(erloes) +
                                             " zahlen. Ihr Verein erh\xe4lt damit " + geld(preis - erloes) +
                                             ". Verkaufen Sie?");
    // The exchanged player's value moves in the days the offer stands: the
    // sale books, and its news tells, the money the offer named.
    Spieler_Wert(SPW_STAERKE, TAUSCH, 5600, OP_SCHREIBEN);
    Spieler_Wert(SPW_EINSAETZE, TAUSCH, 9, OP_SCHREIBEN);
    ASSERT_NE(Verhandlung_Verkauf_Erloes(TAUSCH), erloes);
    int32_t kopf[NEWS_KOPF_WORTE];
    ASSERT_TRUE(Anfrage(MENSCH, kopf, 1));
    Angebot_Antwort(kopf, Richter_Fall::ANTWORT);
    EXPECT_EQ(Stand(MENSCH), 1000000.0f + float(preis - erloes));
    EXPECT_EQ(Stand(COMPI), 3000000.0f - float(preis - erloes));
    EXPECT_EQ(Bank_Kategorie_Summe(MENSCH, 0, BUCHUNG_TRANSFER_AUS), float(erloes));
    const int32_t n = News_Erste(MENSCH, int32_t(NEWS_NACHRICHT));
    ASSERT_GE(n, 0);
    EXPECT_EQ(std::string(News_Text(n)), "Transfer abgeschlossen: " + tausch + " kommt zu Ihrem Verein. " + star +
                                             " verl\xe4sst Ihren Verein. Sie zahlen " + geld(erloes) +
                                             " an Club 4 f\xfcr " + tausch + ". Club 4 zahlt Ihnen " + geld(preis) +
                                             " f\xfcr " + star + ". Ihr Verein erh\xe4lt damit " +
                                             geld(preis - erloes) + ".");
}

}  // namespace
}  // namespace velmora
