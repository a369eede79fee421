// tests/app/verein_verdrahtung_test.cpp - the club management as the
// composition root wires it: the bank, the training unit and the camps in the
// lower modules' hooks, the calendar's lists and the save game.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "business/news.h"
#include "business/training.h"
#include "business/trainingslager_lauf.h"
#include "club/global_config.h"
#include "club/kader_hooks.h"
#include "club/manager.h"
#include "club/talente.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld_hooks.h"
#include "net/richter.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "tests/business/bank_welt.h"
#include "tests/business/news_welt.h"
#include "tests/business/stadion_welt.h"

namespace velmora {
namespace {

using test::BankWelt;

// Binds only the named modules, as a test world does.
void Binden(std::vector<std::string> module) {
    VerdrahtungOptionen o;
    o.nur = std::move(module);
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(o, &fehler)) << fehler;
}

TEST(BankVerdrahtung, LowerModulesMoveMoneyThroughTheBank) {
    BankWelt w;
    Binden({"Bank"});
    Bank_Waehrung_Umrechnen(2, 1000000, 0);
    // Transfers: a payment may be refused unless it is forced.
    EXPECT_EQ(Kader_Hooks().bank_kontostand(2), 1000000.0f);
    EXPECT_FALSE(Kader_Hooks().bank_ueberweisung(2, -1, 2000000.0f, BUCHUNG_TRANSFER_KAUF, false));
    EXPECT_TRUE(Kader_Hooks().bank_ueberweisung(2, -1, 400000.0f, BUCHUNG_TRANSFER_KAUF, false));
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, BUCHUNG_TRANSFER_AUS), 400000.0f);
    EXPECT_TRUE(Kader_Hooks().bank_ueberweisung(2, -1, 700000.0f, BUCHUNG_TRANSFER_KAUF, true));
    EXPECT_EQ(Bank_Kontostand(2, false, -1), -100000);
    ASSERT_TRUE(Kader_Hooks().bank_ueberweisung(-1, 2, 100000.0f, BUCHUNG_TRANSFER_ERLOES, false));
    // A fine of the match day is forced.
    Spieltag_Hooks().bank_ueberweisung(2, -1, 900000.0f, BUCHUNG_SONSTIGE_KOSTEN);
    EXPECT_EQ(Bank_Kontostand(2, false, -1), -900000);
    EXPECT_STREQ(Spieltag_Hook_Geld_Text(1234567.0f, 2), "1.234.567");
    // A competition's bonus is other income.
    Wettbewerb_Hooks().bank_buchen(2, 5000.0f, BUCHUNG_PRAEMIE, "Punktpraemie");
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, BUCHUNG_SONSTIGE_EINNAHMEN | 0x80), 5000.0f);
    // After a match the club's period is booked.
    Kalender_Hooks().nach_spiel_team.Aufrufen(2, 0);
    EXPECT_EQ(BankWelt::Konto(2).periode, 1u);
    EXPECT_EQ(Spielstand_Hooks().kontostand(2), Bank_Kontostand(2, false, -1));
    Spiel_Entdrahten();
    EXPECT_EQ(Kader_Hooks().bank_ueberweisung, nullptr);
    EXPECT_TRUE(Kalender_Hooks().nach_spiel_team.Leer());
    EXPECT_FALSE(Bank_Ist_Initialisiert());
}

TEST(BankVerdrahtung, TheBankBlockTravelsWithTheSaveGame) {
    BankWelt w;
    Binden({"Club", "Bank"});
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
    Spiel_Entdrahten();
}

// Four clubs with grounds and advertising, and the bank of the stadium tests.
class StadionVerdrahtung : public test::StadionWelt {
protected:
    void SetUp() override {
        StadionWelt::SetUp();
        ASSERT_NE(Manager_Neuer_Mitspieler(2, "Anna", -1), nullptr);
        ASSERT_NE(Manager_Neuer_Mitspieler(3, "Bert", -1), nullptr);
        test::Konto_Setzen(2, 5000000);
        Bauen(2, 23000);
        Bauen(3, 40000);
        Werbung_Team_Reset(2, 1);
    }
    void TearDown() override {
        Spiel_Entdrahten();
        Kalender_Hooks() = KalenderHooks{};
        StadionWelt::TearDown();
    }
};

int32_t g_andere = 0;

TEST_F(StadionVerdrahtung, TheMatchHooksAndTheAfterMatchWorkComeFromTheStadium) {
    g_andere = 0;
    Kalender_Hooks().nach_spiel_team.Anmelden(prio::NACH_SPIEL_BANK, [](int32_t, Spiel_Lock) { ++g_andere; }, "Test");
    Binden({"Stadion"});
    EXPECT_EQ(Spieltag_Hook_Kapazitaet(2), 23000);
    EXPECT_EQ(Spieltag_Hook_Kapazitaet(4), -1);
    Spiel_Lock spiel = Spiel(2, 3);
    int32_t z = Spieltag_Hook_Einnahmen(2, spiel, 100, 0);
    EXPECT_GT(z, 0);
    EXPECT_FLOAT_EQ(test::Bank().summe(2, BUCHUNG_EINTRITT), float(int64_t(z) * Stadion_Get(2, 1)->preis));
    SpielfeldStadion st;
    ASSERT_TRUE(Spielfeld_Hooks().stadion(2, &st));
    EXPECT_EQ(st.modell, 2);
    uint8_t banden[14];
    std::memset(banden, 0xEE, sizeof banden);
    Spielfeld_Hooks().werbung(2, banden);
    EXPECT_EQ(banden[0], Werbung_Get_Team(2)->sponsor[0] + 1);
    EXPECT_EQ(banden[13], 0);
    // After the match: upkeep and the advertising week, and the other subscriber.
    test::Bank() = test::Bankbuch{};
    Kalender_Hooks().nach_spiel_team.Aufrufen(2, spiel);
    EXPECT_FLOAT_EQ(test::Bank().summe(2, BUCHUNG_STADION_UNTERHALT), 23 * 300.0f);
    EXPECT_GT(test::Bank().summe(2, BUCHUNG_WERBUNG), 0.0f);
    EXPECT_EQ(g_andere, 1);
    // Binding again does not run the work twice.
    Binden({"Stadion"});
    test::Bank() = test::Bankbuch{};
    Kalender_Hooks().nach_spiel_team.Aufrufen(2, spiel);
    EXPECT_FLOAT_EQ(test::Bank().summe(2, BUCHUNG_STADION_UNTERHALT), 23 * 300.0f);
    EXPECT_EQ(g_andere, 2);
    // Unbound, the stadium's work is gone and the other subscriber stays.
    Spiel_Entdrahten();
    EXPECT_EQ(Spieltag_Hooks().stadion_einnahmen, nullptr);
    test::Bank() = test::Bankbuch{};
    Kalender_Hooks().nach_spiel_team.Aufrufen(2, spiel);
    EXPECT_EQ(test::Bank().buchungen.size(), 0u);
    EXPECT_EQ(g_andere, 3);
}

uint32_t& Uhr() {
    static uint32_t u = 0;
    return u;
}
int32_t& Vorher_Frames() {
    static int32_t n = 0;
    return n;
}

struct TrainingWelt : test::BankWelt {
    TrainingWelt() {
        Team_Lokal_Setzen(2);
        Global_Config_Init();
        Attribut_Tabelle_Leeren();
        AttributDaten a{};
        a.noetige_punkte = 500;
        a.punkte_training = 100;
        for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) Attribut_Daten_Setzen(id, a);
        TrLagerDaten d{};
        d.moral = d.erholung = d.staerke = 50;
        Trainingslager_Daten_Setzen(0, d);
        Training_Reset();
        Lager_Reset();
        Uhr() = 1000;
        Vorher_Frames() = 0;
        Kalender_Hooks() = KalenderHooks{};
        Kalender_Hooks().uhr = [] { return Uhr(); };
    }
    ~TrainingWelt() {
        Training_Reset();
        Lager_Reset();
        Kalender_Hooks() = KalenderHooks{};
    }
};

TEST(TrainingVerdrahtung, TheMenuFrameDrivesUnitAndCampAndOtherSubscribersStay) {
    TrainingWelt w;
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM, [] { ++Vorher_Frames(); }, "Test");
    Binden({"Training"});
    ASSERT_TRUE(Training2_Oeffnen(3, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Lager_Starten(0, Uhr()));
    uint32_t tick = Lager_Balken_Holen(LB_MORAL)->start;
    for (int32_t i = 0; i < 20; ++i) {
        Uhr() += 60;
        Kalender_Hooks().menue_frame.Aufrufen();
    }
    EXPECT_EQ(Vorher_Frames(), 20);
    EXPECT_GT(Training_Sitzung_Holen()->punkte, 0);
    EXPECT_NE(Lager_Balken_Holen(LB_MORAL)->wert, 0);
    EXPECT_GE(Lager_Balken_Holen(LB_MORAL)->start, tick);
    // A new game clears both.
    Kalender_Hooks().module_init.Aufrufen();
    EXPECT_FALSE(Training_Offen());
    EXPECT_FALSE(Lager_Laeuft());
    Spiel_Entdrahten();
    ASSERT_EQ(Kalender_Hooks().menue_frame.Anzahl(), 1);
    Kalender_Hooks().menue_frame.Aufrufen();
    EXPECT_EQ(Vorher_Frames(), 21);
    EXPECT_TRUE(Kalender_Hooks().module_init.Leer());
}

TEST(TrainingVerdrahtung, UnitAndCampTravelWithTheSaveGame) {
    TrainingWelt w;
    Binden({"Club", "Training"});
    ASSERT_TRUE(Training2_Oeffnen(3, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Lager_Starten(0, Uhr()));
    for (int32_t i = 0; i < 40; ++i) {
        Uhr() += 60;
        Kalender_Hooks().menue_frame.Aufrufen();
    }
    std::vector<uint8_t> bild, unit_vorher, lager_vorher;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    Training_Save(unit_vorher);
    Lager_Save(lager_vorher);
    Training_Stop();
    ASSERT_TRUE(Training_Anwenden());
    Lager_Beenden();
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild));
    EXPECT_TRUE(Training_Offen());
    EXPECT_TRUE(Lager_Laeuft());
    std::vector<uint8_t> unit_nachher, lager_nachher;
    Training_Save(unit_nachher);
    Lager_Save(lager_nachher);
    EXPECT_EQ(unit_nachher, unit_vorher);
    EXPECT_EQ(lager_nachher, lager_vorher);
    Spiel_Entdrahten();
}


// The news of the small test world, wired as in a game.
class NewsVerdrahtung : public test::NewsWelt {
protected:
    void TearDown() override {
        Spiel_Entdrahten();
        Kalender_Hooks() = KalenderHooks{};
        test::NewsWelt::TearDown();
    }
};

TEST_F(NewsVerdrahtung, RequestProcessorWorksOnTheRealNewsWithoutSkipping) {
    Binden({"News"});
    static std::vector<int32_t> faelle;
    faelle.clear();
    Richter_Art_Anmelden(5, [](const int32_t* kopf, Richter_Fall fall) {
        faelle.push_back(kopf[9] * 10 + int32_t(fall));
    });
    int32_t kopf[10] = {5, 3, 2, Tag_Index() + 5, 1000, 5, 10, 0, 0, -1};
    for (int32_t i = 0; i < 3; ++i) {
        kopf[9] = i % 2;
        ASSERT_EQ(News_Add(2, 3, -1, 2, kopf, "Antwort %d", i), 1);
    }
    kopf[9] = -1;
    ASSERT_EQ(News_Add(3, 2, -1, 1, kopf, "noch offen"), 1);
    kopf[3] = Tag_Index();
    ASSERT_EQ(News_Add(3, 2, -1, 1, kopf, "abgelaufen"), 1);
    EXPECT_EQ(Richter_Kredit_Antworten(), 4);
    EXPECT_EQ(faelle, (std::vector<int32_t>{1, 11, 1, -10}));
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_STREQ(News_Text(0), "noch offen");
    EXPECT_TRUE(Kalender_Hooks().anfrage_offen());
    Richter_Art_Anmelden(5, nullptr);
    Spiel_Entdrahten();
    EXPECT_FALSE(News_Ist_Offen());
    EXPECT_EQ(Kalender_Hooks().anfrage_offen, nullptr);
}

TEST_F(NewsVerdrahtung, MatchDayAndTransferNewsArriveAsItems) {
    Binden({"News"});
    Spieltag_Hook_News(2, 516, "Strafe!");
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_EQ(News_Get_Flags(0, 2), int32_t(0x40000204));
    EXPECT_STREQ(News_Text(0), "Strafe!");
    // Club 3 pays club 4 500,000 for player 0 and is paid 200,000 for player 2.
    Kader_Hooks().transfer_news(3, 4, 0, 2, 500000.0f, 200000.0f);
    ASSERT_EQ(News_Anzahl(), 2);
    EXPECT_EQ(News_Get_Flags(1, 3), int32_t(0x40000104));
    const std::string t = News_Text(1), verein = Team_String(TS_NAME, 4, 0, 0),
                      kommt = Spieler_String(SPS_NAME, 0, 0, 0), geht = Spieler_String(SPS_NAME, 2, 0, 0);
    EXPECT_EQ(t, "Transfer abgeschlossen: " + kommt + " kommt zu Ihrem Verein. " + geht + " verl\xe4sst Ihren Verein. "
                 "Sie zahlen 500000 an " + verein + " f\xfcr " + kommt + ". " + verein + " zahlt Ihnen 200000 f\xfcr " +
                 geht + ". Ihr Verein zahlt damit 300000.");
    Spiel_Entdrahten();
}

TEST_F(NewsVerdrahtung, CalendarOpensAndClosesTheFileAndRunsTheRoundsInTheMenu) {
    News_Datei_Schliessen();
    static int32_t vorher = 0;
    vorher = 0;
    Kalender_Hooks().module_init.Anmelden(prio::INIT_KONFIG_CACHE, [] { ++vorher; }, "Test");
    Binden({"News"});
    KalenderHooks& k = Kalender_Hooks();
    k.module_init.Aufrufen();
    EXPECT_TRUE(News_Ist_Offen());
    EXPECT_EQ(vorher, 1);   // the other subscriber runs too
    k.module_free.Aufrufen();
    EXPECT_FALSE(News_Ist_Offen());
    Spiel_Entdrahten();
    EXPECT_EQ(Kalender_Hooks().module_init.Anzahl(), 1);
    Kalender_Hooks() = KalenderHooks{};
    ASSERT_TRUE(News_Datei_Oeffnen());
    // Outside the menu phase there is no local team: the round ends at once.
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "wartet"), 1);
    News_Runde(0);
    EXPECT_TRUE(test::Meldungen().empty());
}

TEST_F(NewsVerdrahtung, NewsBlockTakesTheOptionsPlaceInTheSaveGame) {
    Binden({"Club", "News"});
    // Position 40 is free for nobody else now, and the options travel with the news.
    EXPECT_FALSE(Spielstand_Modul_Anmelden(40, "Optionen", [](SpielstandDatei*) { return true; },
                                           [](SpielstandDatei*) { return true; }));
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "gespeichert"), 1);
    Optionen(13, 1, 0);
    ASSERT_TRUE(Spielstand_Speichern(0));
    Optionen(13, 1, 1);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "danach"), 1);
    ASSERT_TRUE(Spielstand_Laden(0));
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_STREQ(News_Text(0), "gespeichert");
    EXPECT_EQ(Optionen(13, 0, 0), 0);
    Spiel_Entdrahten();
}

}  // namespace
}  // namespace velmora
