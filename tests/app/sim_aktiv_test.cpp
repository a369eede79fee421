// velmora-sim --active: a human manager's week through his client's requests:
// a loan when money is short, the answers to an offer and an extension
// request, a market player bought at no less than the market's price.
#include <gtest/gtest.h>

#include <memory>

#include "app/sim_aktiv.h"
#include "business/angebot.h"
#include "business/bank_kredit.h"
#include "business/compi.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "club/transfer.h"
#include "season/kalender.h"
#include "tests/business/bank_welt.h"
#include "tests/business/compi_welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

constexpr int32_t MENSCH = 2;   // clubs 2 and 3 have human managers, 4 and 5 are computer clubs
constexpr int32_t JE_CLUB = 18;

float Stand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

class SimAktiv : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(verz.ok);
        welt = std::make_unique<test::BankWelt>();
        ASSERT_TRUE(News_Datei_Oeffnen());
        test::Wirtschaft_Faktoren_Setzen();
        Transferfaktor_Setzen(TF_COMPI_TRANSFER_DELTA_TEAMS_ABS, 2);
        Sim_Aktiv_Zuruecksetzen();
        for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
            Spieler_Wert(SPW_STAERKE, p, 5000, OP_SCHREIBEN);
            Spieler_Wert(SPW_MAX_STERNE, p, 5, OP_SCHREIBEN);
        }
    }
    void TearDown() override {
        Kader_Hooks() = KaderHooks{};
        Transferfaktor_Leeren();
        News_Datei_Schliessen();
        welt.reset();
    }
    velmora_test::TestWelt verz;
    std::unique_ptr<test::BankWelt> welt;
};

TEST_F(SimAktiv, AShortClubBorrowsFromTheBankOnceItsMoneyRunsLow) {
    Sim_Aktiv_Woche(MENSCH);
    EXPECT_EQ(Bank_Anzahl_Posten(MENSCH), 0) << "1,000,000 is enough";
    Bank_Ueberweisung(MENSCH, -1, 700000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    Sim_Aktiv_Woche(MENSCH);
    EXPECT_EQ(Bank_Anzahl_Posten(MENSCH), 1);
    EXPECT_EQ(Stand(MENSCH), 2300000.0f);
    EXPECT_EQ(Bank_Kreditrahmen(MENSCH), 10000000.0f);
    EXPECT_EQ(Sim_Aktiv_Zaehler().kredite, 1);
    Sim_Aktiv_Woche(4);
    EXPECT_EQ(Sim_Aktiv_Zaehler().wochen, 2) << "a computer club has no active manager";
}

TEST_F(SimAktiv, OffersAtATenthOverTheValueAreTakenExtensionsWhenPaid) {
    const int32_t spieler = 3, wert = Spieler_Berechne_Marktwert(spieler);
    struct Fall {
        int32_t art, preis, antwort;
    } faelle[] = {
        {ANGEBOT_KAUF, wert + wert / 10, 1},
        {ANGEBOT_KAUF, wert + wert / 20, 0},
        {ANGEBOT_VERLAENGERUNG, 1000000, 1},
        {ANGEBOT_VERLAENGERUNG, 1000001, 0},
    };
    for (const Fall& f : faelle) {
        const int32_t kopf[NEWS_KOPF_WORTE] = {ANFRAGE_ART_SPIELER, MENSCH, 4, Tag_Index() + 7, spieler, 2 * JE_CLUB + 3,
                                               f.preis, f.art, 0, -1};
        ASSERT_EQ(News_Add(-1, MENSCH, -1, int32_t(NEWS_ANFRAGE), kopf, "Anfrage"), 1);
        Sim_Aktiv_Woche(MENSCH);
        EXPECT_EQ(News_Erste(MENSCH, int32_t(NEWS_ANFRAGE)), -1) << f.preis << ": answered";
        const int32_t i = News_Erste(-1, int32_t(NEWS_ANTWORT));
        ASSERT_GE(i, 0);
        EXPECT_EQ(News_Get_Kopf(i)[NEWS_KOPF_ANTWORT], f.antwort) << f.art << " " << f.preis;
        News_Set(i, -1, -1, NEWS_SET_LOESCHEN);
    }
    EXPECT_EQ(Sim_Aktiv_Zaehler().antworten_ja, 2);
    EXPECT_EQ(Sim_Aktiv_Zaehler().antworten_nein, 2);
}

TEST_F(SimAktiv, AMarketPlayerIsBoughtThroughTheClientsTransferRequest) {
    // Market player 72 becomes a forward of 7000 (7 half stars); the club's
    // forwards stand at 5000 (5): within two half stars, stronger, affordable.
    const int32_t markt_spieler = 4 * JE_CLUB;
    Spieler_Wert(SPW_ART, markt_spieler, 3, OP_SCHREIBEN);
    Spieler_Wert(SPW_STAERKE, markt_spieler, 7000, OP_SCHREIBEN);
    Spieler_Wert(SPW_MAX_STERNE, markt_spieler, 7, OP_SCHREIBEN);
    Sim_Aktiv_Woche(MENSCH);
    EXPECT_EQ(Sim_Aktiv_Zaehler().kaeufe, 1);
    EXPECT_EQ(Spieler_Get_Team(markt_spieler), MENSCH);
    EXPECT_GE(Bank_Gesamt(BUCHUNG_TRANSFER_AUS, false), double(Transfer_Mindestpreis(markt_spieler)));
}

}  // namespace
}  // namespace velmora
