// velmora-sim --active: a human manager's week through his client's requests:
// a loan when money is short, the answers to an offer and an extension
// request, a market player bought at no less than the market's price; and
// through the functions of his screens: a training unit, a camp, a scout's
// search with the negotiation for the prospect.
#include <gtest/gtest.h>

#include <memory>

#include "app/sim_aktiv.h"
#include "business/angebot.h"
#include "business/bank_kredit.h"
#include "business/compi.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/scout.h"
#include "business/training.h"
#include "business/trainingslager.h"
#include "business/trainingslager_lauf.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/regeln.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "tests/business/bank_welt.h"
#include "tests/business/compi_welt.h"
#include "tests/club/talent_tabelle.h"
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
        // The configuration's tables start empty (no training units a week),
        // whatever world a test before this one loaded in the same process.
        Global_Config_Init();
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

void Parameter(int32_t p, int32_t wert) { Global_Parameter_Setzen(p, 0, &wert, 1); }

// The screens' world: talents of 500 points (100 a unit, price basis 1,000),
// units on (crash and bonus draws as the shipped configuration's), eight camps
// (camp i costs (i + 1) x 10,000, camp 5 builds the most strength but costs
// more than the club has, camp 3 the next most), one scout and the regions.
class SimAktivBildschirm : public SimAktiv {
protected:
    static constexpr int32_t LOKAL_VORHER = 5;
    void SetUp() override {
        SimAktiv::SetUp();
        Regeln_Standard();
        Global_Config_Init();
        ASSERT_TRUE(Global_Config_Lesen_Text(
            "FAKTOR_0_100_ATTRIBUT_TRAINING_KOSTEN 10\nFAKTOR_0_100_TRAININGSLAGER_KOSTEN 10\n", nullptr));
        test::Wirtschaft_Faktoren_Setzen();
        Transferfaktor_Setzen(TF_COMPI_TRANSFER_DELTA_TEAMS_ABS, 2);
        test::Talent_Tabelle_Setzen({.noetige_punkte = 500, .punkte_training = 100, .kostpreis = 1000});
        Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 1);
        Parameter(GP_STAERKE_STERNE_GRENZE, 300);
        Parameter(GP_TRAINING_PUNKTE_SCHNELL_PARAM, 20);
        Parameter(GP_TRAINING_PUNKTE_LANGZAM_PARAM, 10);
        Parameter(GP_TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE, 2);
        Parameter(GP_TRAINING_ABSTURZ_PARAM, 40);
        Parameter(GP_TRAINING_EXTRA_BONUS_PARAM, 40);
        for (int32_t i = 0; i < TL_LAGER; ++i) {
            TrLagerDaten d{};
            for (int32_t& a : d.attribute) a = -1;
            d.kosten = i == 5 ? 100000 : 1000 * (i + 1);
            d.moral = d.erholung = 60;
            d.staerke = i == 5 ? 95 : (i == 3 ? 90 : 10 * i);
            ASSERT_TRUE(Trainingslager_Daten_Setzen(i, d));
        }
        for (int32_t p : {GP_TRAINING_LAGER_BALKEN_MORAL_PARAM, GP_TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM,
                          GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM})
            Parameter(p, 2);
        Parameter(GP_TRAINING_LAGER_STAERKE_PARAM, 5);
        Manager_Set_Wert_33844(MENSCH, 2);
        Lager_Reset();
        Training_Reset();
        Scout_Init();
        for (int32_t r = 0; r < REGIONEN; ++r) Kontinent_Setzen(r, "Region", false);
        ScoutDaten d{};
        d.grundpreis_factor = 5;
        for (int32_t r = 0; r < REGIONEN; ++r) {
            d.gebietspreis[r] = 10;
            d.wahrscheinlichkeit[r] = d.ueberredung[r] = 100;
            d.staerke_factor[r] = 5;
        }
        ASSERT_TRUE(Scout_Daten_Setzen(0, d));
        Team_Lokal_Setzen(LOKAL_VORHER);
    }
    void TearDown() override {
        EXPECT_EQ(Team_Lokal(), LOKAL_VORHER) << "the local club is as before the week";
        EXPECT_FALSE(Plat_Uhr_Ist_Virtuell()) << "the program clock is real again";
        Lager_Reset();
        Training_Reset();
        Scout_Init();
        Global_Config_Init();
        SimAktiv::TearDown();
    }
    // The club acts `n` more weeks.
    static void Wochen(int32_t n) {
        for (int32_t w = 0; w < n; ++w) Sim_Aktiv_Woche(MENSCH);
    }
    static double Training_Ausgaben() { return Bank_Gesamt(BUCHUNG_TRAINING, false); }
};

TEST_F(SimAktivBildschirm, AUnitTrainsTheFirstFitPlayerOfTheWeeksTurnUntilTheFirstPeakIsBehind) {
    int32_t kader[TEAM_SPIELER_MAX];
    ASSERT_EQ(Teamspieler_Ins_Array(MENSCH, kader, TEAM_SPIELER_MAX, 0), JE_CLUB);
    // Week 1 passes over its turn's player, who is injured, to the next.
    Spieler_Wert(SPW_STATUS, kader[1], int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
    struct Fall {
        int32_t woche, spieler;
    } faelle[] = {{0, kader[0]}, {1, kader[2]}};
    int32_t woche = 0;
    for (const Fall& f : faelle) {
        const double vorher = Training_Ausgaben();
        int32_t werte[ATTRIBUT_ANZAHL];
        for (int32_t t = 0; t < ATTRIBUT_ANZAHL; ++t) werte[t] = Spieler_Wert(t, f.spieler, 0, OP_LESEN);
        for (; woche <= f.woche; ++woche) Sim_Aktiv_Woche(MENSCH);
        EXPECT_FALSE(Training_Offen());
        EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, f.spieler, 0, OP_LESEN), 1) << f.woche;
        int32_t geaendert = -1, anzahl = 0;
        for (int32_t t = 0; t < ATTRIBUT_ANZAHL; ++t)
            if (Spieler_Wert(t, f.spieler, 0, OP_LESEN) != werte[t]) geaendert = t, ++anzahl;
        ASSERT_EQ(anzahl, 1) << "one talent trained in week " << f.woche;
        // The warm-up alone brings 100 points and more; the talent is not learnt in one unit.
        EXPECT_GE(Spieler_Wert(geaendert, f.spieler, 0, OP_LESEN), 100);
        EXPECT_LT(Spieler_Wert(geaendert, f.spieler, 0, OP_LESEN), 500);
        EXPECT_EQ(Training_Ausgaben() - vorher, double(Attribut_Get_Preis(geaendert, f.spieler))) << f.woche;
    }
    EXPECT_EQ(Sim_Aktiv_Zaehler().einheiten, 2);
    EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, kader[1], 0, OP_LESEN), 0);
}

TEST_F(SimAktivBildschirm, TheThirdWeekBooksTheStrongestCampItPaysAndRunsItToItsEnd) {
    Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0);   // no units: the camp is the week's only cost
    Wochen(2);
    EXPECT_EQ(Sim_Aktiv_Zaehler().lager, 0) << "the first two weeks have no camp";
    Wochen(1);
    EXPECT_EQ(Sim_Aktiv_Zaehler().lager, 1);
    EXPECT_EQ(Training_Ausgaben(), double(Trainingslager_Kosten(3))) << "camp 5 costs more than the club has";
    Team_Lokal_Setzen(MENSCH);
    EXPECT_EQ(Trainingslager_Uebrig(), 1);
    Team_Lokal_Setzen(LOKAL_VORHER);
    EXPECT_FALSE(Lager_Laeuft());
    EXPECT_FALSE(Lager_Ergebnisse_Offen());
}

TEST_F(SimAktivBildschirm, TheSeventhWeeksScoutFindsAProspectWhoIsSignedThroughTheNegotiation) {
    Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0);
    Manager_Set_Wert_33844(MENSCH, 0);
    Team_Wert(TW_VERHANDLUNGEN, MENSCH, 2, OP_SCHREIBEN);
    // Every player of the other clubs comes from region 0, which week 6 searches.
    const int32_t erster = 3 * JE_CLUB, letzter = 6 * JE_CLUB;
    for (int32_t p = erster; p < letzter; ++p) Spieler_Wert(68, p, 0, OP_SCHREIBEN);
    Wochen(6);
    EXPECT_EQ(Sim_Aktiv_Zaehler().scouts, 0);
    const double vorher = Bank_Gesamt(BUCHUNG_TRANSFER_AUS, false);
    Wochen(1);
    EXPECT_EQ(Sim_Aktiv_Zaehler().scouts, 1);
    EXPECT_EQ(Sim_Aktiv_Zaehler().scout_kaeufe, 1);
    int32_t gekommen = 0;
    for (int32_t p = erster; p < letzter; ++p) gekommen += Spieler_Get_Team(p) == MENSCH;
    EXPECT_EQ(gekommen, 1);
    EXPECT_EQ(Team_Wert(TW_VERHANDLUNGEN, MENSCH, 0, OP_LESEN), 1) << "one negotiation used";
    EXPECT_FALSE(Verhandlung_Offen());
    // The search's price (base and region) and the negotiated price.
    EXPECT_GT(Bank_Gesamt(BUCHUNG_TRANSFER_AUS, false) - vorher,
              double(Scout_Grundpreis(0)) + Scout_Gebietspreis(0, 0));
}

}  // namespace
}  // namespace velmora
