// tests/business/training_anbindung_test.cpp - the training unit and the camp
// wired into the save game and the calendar.
#include <gtest/gtest.h>

#include <cstring>

#include "business/training.h"
#include "business/training_anbindung.h"
#include "business/trainingslager_lauf.h"
#include "club/club_anbindung.h"
#include "club/global_config.h"
#include "club/talente.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "season/kalender.h"
#include "tests/business/bank_welt.h"

namespace velmora {
namespace {

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

TEST(TrainingAnbindung, TheMenuFrameDrivesUnitAndCampAndKeepsEarlierHooks) {
    TrainingWelt w;
    Kalender_Hooks().menue_frame = [] { ++Vorher_Frames(); };
    Training_Anbinden();
    ASSERT_TRUE(Training2_Oeffnen(3, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Lager_Starten(0, Uhr()));
    uint32_t tick = Lager_Balken_Holen(LB_MORAL)->start;
    for (int32_t i = 0; i < 20; ++i) {
        Uhr() += 60;
        Kalender_Hooks().menue_frame();
    }
    EXPECT_EQ(Vorher_Frames(), 20);
    EXPECT_GT(Training_Sitzung_Holen()->punkte, 0);
    EXPECT_NE(Lager_Balken_Holen(LB_MORAL)->wert, 0);
    EXPECT_GE(Lager_Balken_Holen(LB_MORAL)->start, tick);
    // A new game clears both.
    Kalender_Hooks().module_init();
    EXPECT_FALSE(Training_Offen());
    EXPECT_FALSE(Lager_Laeuft());
    Training_Abbinden();
    ASSERT_NE(Kalender_Hooks().menue_frame, nullptr);
    Kalender_Hooks().menue_frame();
    EXPECT_EQ(Vorher_Frames(), 21);
    EXPECT_EQ(Kalender_Hooks().module_init, nullptr);
}

TEST(TrainingAnbindung, UnitAndCampTravelWithTheSaveGame) {
    TrainingWelt w;
    EXPECT_EQ(Spielstand_Position_Von("Training"), 45);
    EXPECT_EQ(Spielstand_Position_Von("Trainingslager"), 46);
    Club_Anbinden();
    Training_Anbinden();
    ASSERT_TRUE(Training2_Oeffnen(3, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Lager_Starten(0, Uhr()));
    for (int32_t i = 0; i < 40; ++i) {
        Uhr() += 60;
        Kalender_Hooks().menue_frame();
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
    Training_Abbinden();
    Club_Abbinden();
}

}  // namespace
}  // namespace velmora
