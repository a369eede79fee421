// tests/business/training_test.cpp - the attribute training unit: payment,
// warm-up, peaks, crashes and their outcomes, bonuses, learning, the result,
// the save block and the seeded sequence.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "business/training.h"
#include "club/global_config.h"
#include "club/regeln.h"
#include "club/talente.h"
#include "core/bytes.h"
#include "tests/business/bank_welt.h"
#include "tests/club/talent_tabelle.h"

namespace velmora {
namespace {

constexpr int32_t SCHWELLE = 500;
constexpr int32_t PUNKTE_TRAINING = 100;
constexpr int32_t SPIELER = 3;        // a field player of the local club 2
constexpr int32_t TORWART = 0;        // its goalkeeper
constexpr int32_t FREMD = 20;         // a player of club 3

std::vector<std::pair<int32_t, int32_t>>& Anzeigen() {
    static std::vector<std::pair<int32_t, int32_t>> a;
    return a;
}

void Parameter(int32_t p, int32_t wert) { Global_Parameter_Setzen(p, 0, &wert, 1); }

// Every crash row gives the one outcome band `band` (0..5) the whole range.
void Absturz_Band(int32_t band) {
    int32_t t[GP_WERTE];
    for (int32_t i = 0; i < GP_WERTE; ++i) t[i] = i <= band ? 0 : 101;
    for (int32_t z = 0; z < GP_ZEILEN; ++z) Global_Parameter_Setzen(GP_TRAINING_ABSTURZ_PROCENT_PARAM, z, t, GP_WERTE);
}

class TrainingTest : public test::BankWelt, public ::testing::Test {
protected:
    void SetUp() override {
        Team_Lokal_Setzen(2);
        Regeln_Standard();
        Global_Config_Init();
        ASSERT_TRUE(Global_Config_Lesen_Text("FAKTOR_0_100_ATTRIBUT_TRAINING_KOSTEN 10\n", nullptr));
        test::Talent_Tabelle_Setzen(
            {.noetige_punkte = SCHWELLE, .punkte_training = PUNKTE_TRAINING, .kostpreis = 1000, .namen = true});
        Parameter(GP_STAERKE_STERNE_GRENZE, 300);
        Parameter(GP_TRAINING_PUNKTE_SCHNELL_PARAM, 20);
        Parameter(GP_TRAINING_PUNKTE_LANGZAM_PARAM, 10);
        Parameter(GP_TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE, 2);
        Parameter(GP_TRAINING_ABSTURZ_PARAM, 40);
        Parameter(GP_TRAINING_EXTRA_BONUS_PARAM, 40);
        Absturz_Band(4);
        Verletzungsart art{1, 14, 14};
        Spieler_Verletzungsarten_Setzen(&art, 1);
        Training_Reset();
        Anzeigen().clear();
        Training_Hooks().anzeige = [](int32_t was, int32_t a, int32_t) { Anzeigen().push_back({was, a}); };
        uhr = 1000;
    }
    void TearDown() override {
        Training_Reset();
        Training_Hooks() = TrainingHooks{};
    }
    const Training_Sitzung& S() { return *Training_Sitzung_Holen(); }
    // Frames 20 ms apart until the state is reached (or the unit closed); false when it never came.
    bool Bis(int32_t zustand, int32_t frames = 20000, uint32_t abstand = 20) {
        for (int32_t i = 0; i < frames && Training_Offen(); ++i) {
            if (S().zustand == zustand) return true;
            uhr += abstand;
            Training2_Frame(uhr);
        }
        return Training_Offen() && S().zustand == zustand;
    }
    bool Angezeigt(int32_t was) {
        for (const auto& a : Anzeigen())
            if (a.first == was) return true;
        return false;
    }
    static int32_t Konto() { return Bank_Kontostand(2, false, -1); }
    uint32_t uhr = 0;
};

TEST_F(TrainingTest, OpeningRefusesWhatCannotBeTrained) {
    Spieler_Wert(5, SPIELER, -1, OP_SCHREIBEN);          // blocked
    Spieler_Wert(6, SPIELER, SCHWELLE, OP_SCHREIBEN);    // learnt
    Spieler_Wert(7, SPIELER, SCHWELLE + 1, OP_SCHREIBEN);// active
    struct Fall {
        int32_t spieler, talent;
        bool erwartet;
    } faelle[] = {{FREMD, 3, false}, {SPIELER, 5, false}, {SPIELER, 6, false}, {SPIELER, 7, false},
                  {SPIELER, 54, false}, {SPIELER, -1, false}, {-1, 3, false}, {99999, 3, false},
                  {SPIELER, 3, true}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(Training2_Oeffnen(f.spieler, f.talent), f.erwartet) << f.spieler << "/" << f.talent;
        if (f.erwartet) {
            EXPECT_TRUE(Training_Schliessen());
        }
    }
    // Nothing written to the refused talents.
    EXPECT_EQ(Spieler_Wert(5, SPIELER, 0, 0), -1);
    EXPECT_EQ(Spieler_Wert(6, SPIELER, 0, 0), SCHWELLE);
    EXPECT_EQ(Spieler_Wert(7, SPIELER, 0, 0), SCHWELLE + 1);
    // Only one unit at a time.
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    EXPECT_FALSE(Training2_Oeffnen(SPIELER, 4));
}

TEST_F(TrainingTest, OpeningSetsStartValueAndClosingBeforePaymentChangesNothing) {
    struct Fall {
        int32_t wert, start;
    } faelle[] = {{0, 0}, {1, 0}, {2, 2}, {SCHWELLE - 1, SCHWELLE - 1}};
    for (const Fall& f : faelle) {
        Spieler_Wert(3, SPIELER, f.wert, OP_SCHREIBEN);
        int32_t konto = Konto();
        ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
        EXPECT_EQ(S().start_wert, f.start);
        EXPECT_EQ(Spieler_Wert(3, SPIELER, 0, 0), f.start);
        EXPECT_EQ(S().zustand, TR_BEREIT);
        EXPECT_EQ(S().folge, TR_FOLGE_KEINE);
        // Peaks: 2..6 ascending starts from 52, -1 beyond the count; hold time 6 is -1.
        EXPECT_GE(S().spitzen_anzahl, 2);
        EXPECT_LE(S().spitzen_anzahl, 6);
        EXPECT_EQ(S().spitze_start[0], 52);
        for (int32_t i = 1; i < TR_SPITZEN_MAX; ++i) {
            if (i < S().spitzen_anzahl) {
                EXPECT_GE(S().spitze_start[i], std::max(55, S().spitze_start[i - 1]));
                EXPECT_LE(S().spitze_start[i], 212);
                EXPECT_GE(S().halte_zeit[i], 1000);
                EXPECT_LE(S().halte_zeit[i], 2000);
            } else {
                EXPECT_EQ(S().spitze_start[i], -1);
            }
        }
        EXPECT_EQ(S().halte_zeit[TR_SPITZEN_MAX], -1);
        // Base points: the talent's 100 + 2 x form / 100 - 4 x exhaustion / 100 + 2 x value 55 / 10 + 0..50.
        EXPECT_GE(S().basis_punkte, PUNKTE_TRAINING);
        EXPECT_LE(S().basis_punkte, PUNKTE_TRAINING + 50);
        // Frames before the payment move nothing.
        for (int32_t i = 0; i < 50; ++i) Training2_Frame(uhr += 20);
        EXPECT_EQ(S().zustand, TR_BEREIT);
        EXPECT_TRUE(Training_Schliessen());
        EXPECT_EQ(Spieler_Wert(3, SPIELER, 0, 0), f.wert) << f.wert;
        EXPECT_EQ(Konto(), konto);
        EXPECT_FALSE(Training_Offen());
    }
}

TEST_F(TrainingTest, PaymentChargesThePriceOrLeavesTheUnitReady) {
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    int32_t preis = Attribut_Get_Preis(3, SPIELER);
    ASSERT_GT(preis, 0);
    int32_t konto = Konto();
    ASSERT_TRUE(Training_Start());
    EXPECT_EQ(Konto(), konto - preis);
    EXPECT_EQ(S().zustand, TR_AUFWAERMEN);
    EXPECT_TRUE(Angezeigt(TR_ANZ_FILM_START));
    EXPECT_FALSE(Training_Start());                 // paid once only
    EXPECT_FALSE(Training_Schliessen());            // the close button is off once paid
    Training_Stop();
    EXPECT_EQ(S().zustand, TR_ENDE);
    ASSERT_TRUE(Training_Anwenden());

    // A price beyond balance and credit line is refused: nothing starts, nothing is charged.
    AttributDaten teuer = *Attribut_Daten(4);
    teuer.kostpreis = 2000000000 / std::max(Regel_Wert(REGEL_ATTRIBUT_TRAINING_KOSTEN), 1);
    Attribut_Daten_Setzen(4, teuer);
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 4));
    konto = Konto();
    EXPECT_FALSE(Training_Start());
    EXPECT_EQ(S().zustand, TR_BEREIT);
    EXPECT_EQ(Konto(), konto);
}

TEST_F(TrainingTest, SafeModeEndsAfterTheWarmUpWithoutCrash) {
    for (int32_t seed = 0; seed < 20; ++seed) {
        Rnd_Set_Index(seed * 37, 0);
        Spieler_Wert(3, SPIELER, 0, OP_SCHREIBEN);
        ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
        Training_Sicher_Setzen(true);
        ASSERT_TRUE(Training_Start());
        ASSERT_TRUE(Bis(TR_ENDE)) << seed;
        // 20 at a time until fewer than 6 are missing, then 1 at a time.
        EXPECT_GE(S().punkte, S().basis_punkte) << seed;
        EXPECT_LE(S().punkte, S().basis_punkte + 14) << seed;
        EXPECT_LE(S().level, 50);
        EXPECT_EQ(S().folge, TR_FOLGE_KEINE);
        int32_t punkte = S().punkte;
        int32_t geld = Spieler_Wert(93, SPIELER, 0, 0), einheiten = Spieler_Wert(98, SPIELER, 0, 0);
        ASSERT_TRUE(Training_Anwenden());
        EXPECT_EQ(Spieler_Wert(3, SPIELER, 0, 0), punkte);
        EXPECT_EQ(Spieler_Wert(93, SPIELER, 0, 0), geld + Attribut_Get_Preis(3, SPIELER));
        EXPECT_EQ(Spieler_Wert(98, SPIELER, 0, 0), einheiten + 1);
        EXPECT_FALSE(Training_Offen());
    }
}

TEST_F(TrainingTest, ReachingTheRequirementLearnsAtOnceWithExactPoints) {
    Spieler_Wert(3, SPIELER, SCHWELLE - 30, OP_SCHREIBEN);
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Bis(TR_ENDE));
    EXPECT_EQ(S().punkte, 30);
    EXPECT_TRUE(Angezeigt(TR_ANZ_GELERNT));
    ASSERT_TRUE(Training_Anwenden());
    EXPECT_TRUE(Attribute_Hat_Attribut(SPIELER, 3));
}

TEST_F(TrainingTest, ALearntTalentTakesThePlaceOfALowerActiveOne) {
    struct Fall {
        int32_t spieler;
        std::vector<int32_t> aktiv;
        int32_t talent;
        bool aktiviert;
        int32_t abgeloest;   // -1 none
    } faelle[] = {
        {SPIELER, {2, 5}, 10, true, 2},       // searched from the third entry down: 2 is found first
        {SPIELER, {12, 15}, 10, false, -1},   // no lower active talent
        {SPIELER, {}, 10, false, -1},
        {TORWART, {48}, 50, false, -1},       // goalkeepers keep theirs
    };
    for (const Fall& f : faelle) {
        for (int32_t t = 0; t < ATTRIBUT_STERNE; ++t) Spieler_Wert(t, f.spieler, 0, OP_SCHREIBEN);
        for (int32_t a : f.aktiv) Spieler_Wert(a, f.spieler, SCHWELLE + 1, OP_SCHREIBEN);
        Spieler_Wert(f.talent, f.spieler, SCHWELLE - 5, OP_SCHREIBEN);
        ASSERT_TRUE(Training2_Oeffnen(f.spieler, f.talent));
        ASSERT_TRUE(Training_Start());
        ASSERT_TRUE(Bis(TR_ENDE));
        ASSERT_TRUE(Training_Anwenden());
        EXPECT_EQ(Spieler_Wert(f.talent, f.spieler, 0, 0), SCHWELLE + (f.aktiviert ? 1 : 0)) << f.talent;
        for (int32_t a : f.aktiv)
            EXPECT_EQ(Spieler_Wert(a, f.spieler, 0, 0), a == f.abgeloest ? SCHWELLE : SCHWELLE + 1) << a;
    }
}

TEST_F(TrainingTest, CrashParameterZeroCrashesTheFirstRiseStep) {
    Parameter(GP_TRAINING_ABSTURZ_PARAM, 0);
    Absturz_Band(0);    // the unit's points are lost
    Spieler_Wert(3, SPIELER, 40, OP_SCHREIBEN);
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Bis(TR_ABSTURZ));
    EXPECT_LT(S().level, TR_LEVEL_MAX);
    EXPECT_EQ(S().folge, TR_FOLGE_PUNKTE);
    EXPECT_EQ(S().spitze_index, 0);
    EXPECT_TRUE(Angezeigt(TR_ANZ_HERZ));
    EXPECT_GT(S().punkte, 0);
    // Acknowledged, the shown points run down by 10 a frame.
    ASSERT_TRUE(Training_Anwenden());
    EXPECT_EQ(S().zustand, TR_ENDE);
    int32_t gezeigt = S().punkte;
    for (int32_t i = 0; i < 3; ++i) Training2_Frame(uhr += 20);
    EXPECT_EQ(S().angezeigte_punkte, std::max(gezeigt - 30, 0));
    // The start value comes back, the price stays charged and the unit counts.
    int32_t einheiten = Spieler_Wert(98, SPIELER, 0, 0);
    int32_t geld = Spieler_Wert(93, SPIELER, 0, 0);
    ASSERT_TRUE(Training_Anwenden());
    EXPECT_EQ(Spieler_Wert(3, SPIELER, 0, 0), 40);
    EXPECT_EQ(Spieler_Wert(98, SPIELER, 0, 0), einheiten + 1);
    EXPECT_EQ(Spieler_Wert(93, SPIELER, 0, 0), geld + Attribut_Get_Preis(3, SPIELER));
}

TEST_F(TrainingTest, CrashOutcomesChangeThePlayer) {
    struct Fall {
        int32_t band, moral, erschoepfung, staerke;
        int32_t folge;
    } faelle[] = {
        {1, 3, 0, 6, TR_FOLGE_MORAL},   {1, 0, 0, 6, TR_FOLGE_NICHTS},       // morale 0: no effect
        {2, 3, 2, 6, TR_FOLGE_ERSCHOEPFT}, {2, 3, 9, 6, TR_FOLGE_NICHTS},    // exhausted already
        {3, 3, 0, 6, TR_FOLGE_STAERKE}, {3, 3, 0, 0, TR_FOLGE_NICHTS},       // no strength to lose
        {4, 3, 0, 6, TR_FOLGE_NICHTS},  {5, 3, 0, 6, TR_FOLGE_VERLETZT},
    };
    Parameter(GP_TRAINING_ABSTURZ_PARAM, 0);
    for (const Fall& f : faelle) {
        Absturz_Band(f.band);
        Spieler_Wert(75, SPIELER, 0, OP_ERSETZEN);
        Spieler_Wert(90, SPIELER, f.moral, OP_SCHREIBEN);
        Spieler_Wert(56, SPIELER, f.erschoepfung, OP_SCHREIBEN);
        Spieler_Wert(92, SPIELER, f.staerke, OP_SCHREIBEN);
        Spieler_Wert(3, SPIELER, 0, OP_SCHREIBEN);
        ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
        ASSERT_TRUE(Training_Start());
        ASSERT_TRUE(Bis(TR_ABSTURZ)) << f.band;
        EXPECT_EQ(S().folge, f.folge) << f.band << "/" << f.moral << "/" << f.erschoepfung << "/" << f.staerke;
        int32_t b = S().folge_betrag;
        switch (S().folge) {
        case TR_FOLGE_MORAL:
            EXPECT_GE(b, 1);
            EXPECT_EQ(Spieler_Wert(90, SPIELER, 0, 0), std::max(f.moral - b, 0));
            break;
        case TR_FOLGE_ERSCHOEPFT:
            EXPECT_GE(b, 1);
            EXPECT_EQ(Spieler_Wert(56, SPIELER, 0, 0) / 2 - f.erschoepfung / 2, b);
            EXPECT_LE(Spieler_Wert(56, SPIELER, 0, 0), 9);
            break;
        case TR_FOLGE_STAERKE:
            EXPECT_TRUE(b == 1 || b == 2);
            EXPECT_EQ(Spieler_Wert(92, SPIELER, 0, 0), f.staerke - b);
            break;
        case TR_FOLGE_VERLETZT:
            EXPECT_TRUE(Spieler_Wert(75, SPIELER, 0, 0) & SP_STATUS_VERLETZT);
            EXPECT_TRUE(Angezeigt(TR_ANZ_KWAGEN));
            break;
        default:
            EXPECT_EQ(Spieler_Wert(90, SPIELER, 0, 0), f.moral);
            EXPECT_EQ(Spieler_Wert(56, SPIELER, 0, 0), f.erschoepfung);
            EXPECT_EQ(Spieler_Wert(92, SPIELER, 0, 0), f.staerke);
        }
        ASSERT_TRUE(Training_Anwenden());
        ASSERT_TRUE(Training_Anwenden());
        // Points kept (outcomes other than 0); a value of 0 becomes 1.
        EXPECT_GE(Spieler_Wert(3, SPIELER, 0, 0), 1);
    }
}

TEST_F(TrainingTest, BonusParameterZeroStartsABonusThatPaysAtFrameFifteen) {
    Parameter(GP_TRAINING_EXTRA_BONUS_PARAM, 0);
    Parameter(GP_TRAINING_ABSTURZ_PARAM, 40);
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Bis(TR_ANSTIEG));
    // The first step of the climb starts the bonus animation.
    for (int32_t i = 0; i < 10 && !S().bonus_laeuft; ++i) Training2_Frame(uhr += 10);
    ASSERT_TRUE(S().bonus_laeuft);
    EXPECT_TRUE(Angezeigt(TR_ANZ_BONUS));
    EXPECT_EQ(S().bonus_x, 130);
    // Frames 10 ms apart until frame 15 shows: the payout adds 25 x 1..4.
    int32_t vorher = 0;
    for (int32_t i = 0; i < 100 && !S().bonus_text_laeuft; ++i) {
        vorher = S().punkte;
        Training2_Frame(uhr += 10);
    }
    ASSERT_TRUE(S().bonus_text_laeuft);
    EXPECT_GE((uhr - S().bonus_start) / 50, 15u);
    int32_t r = 0;
    for (const auto& a : Anzeigen())
        if (a.first == TR_ANZ_BONUS_TEXT) r = a.second;
    ASSERT_GE(r, 1);
    ASSERT_LE(r, 4);
    EXPECT_GE(S().punkte - vorher, 25 * r);
    EXPECT_LE(S().punkte - vorher, 25 * r + 5);
}

TEST_F(TrainingTest, BasePointsOfZeroOrLessEndTheWarmUpBeforeItsFirstStep) {
    AttributDaten a = *Attribut_Daten(3);
    a.punkte_training = -100;
    Attribut_Daten_Setzen(3, a);
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    ASSERT_LE(S().basis_punkte, 0);
    for (int32_t i = 0; i < 20; ++i) Training2_Frame(uhr += 20);
    EXPECT_EQ(S().zustand, TR_BEREIT);   // unpaid: nothing moves
    ASSERT_TRUE(Training_Start());
    Training2_Frame(uhr += 20);
    EXPECT_EQ(S().zustand, TR_PAUSE);
    EXPECT_EQ(S().punkte, 0);
    EXPECT_EQ(S().level, 0);
    // The pause ends after more than 100 ms of its stopwatch.
    Training2_Frame(uhr += 100);
    EXPECT_EQ(S().zustand, TR_PAUSE);
    Training2_Frame(uhr += 1);
    EXPECT_EQ(S().zustand, TR_ANSTIEG);
}

// A record taken from the save block, changed and loaded back.
void Satz_Aendern(void (*aendern)(Training_Sitzung&)) {
    std::vector<uint8_t> b;
    Training_Save(b);
    Training_Sitzung s{};
    std::memcpy(&s, b.data() + 4, sizeof s);
    aendern(s);
    std::memcpy(b.data() + 4, &s, sizeof s);
    ASSERT_TRUE(Training_Load(b.data(), b.size()));
}

TEST_F(TrainingTest, ARiseTargetBelowTheLevelEndsTheRiseAtOnce) {
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    ASSERT_TRUE(Training_Start());
    Training2_Frame(uhr += 20);
    Satz_Aendern([](Training_Sitzung& s) {
        s.zustand = TR_ANSTIEG;
        s.punkte = s.basis_punkte;
        s.level = 200;
        s.spitze_index = 0;
        s.spitzen_anzahl = 2;
        s.spitze_start[0] = 190;
        s.spitze_start[1] = 200;
    });
    Parameter(GP_TRAINING_ABSTURZ_PARAM, 40);
    Training2_Frame(uhr += 20);
    EXPECT_EQ(S().zustand, TR_SPITZE);
    Training2_Frame(uhr += 60);
    // 190 + 30..50 reaches 219, so it drops by 219 - 10..60.
    EXPECT_LT(S().ziel, 200);
    EXPECT_TRUE(S().zustand == TR_HALTEN || S().zustand == TR_ABSTURZ) << S().zustand << " " << S().level;
    if (S().zustand == TR_HALTEN) {
        EXPECT_EQ(S().haltend, 1);
    }
}

int32_t& Neuer_Zustand() {
    static int32_t z = 0;
    return z;
}

TEST_F(TrainingTest, LevelAtTheTopCrashesFromAnyRunningState) {
    for (int32_t zustand : {TR_ANSTIEG, TR_ABFALL, TR_PAUSE}) {
        ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
        ASSERT_TRUE(Training_Start());
        Satz_Aendern([](Training_Sitzung& s) {
            s.punkte = s.basis_punkte;
            s.level = TR_LEVEL_MAX;
        });
        Neuer_Zustand() = zustand;
        Satz_Aendern([](Training_Sitzung& s) { s.zustand = Neuer_Zustand(); });
        Training2_Frame(uhr += 20);
        EXPECT_EQ(S().zustand, TR_ABSTURZ) << zustand;
        EXPECT_NE(S().folge, TR_FOLGE_KEINE);
        Training_Stop();
        ASSERT_TRUE(Training_Anwenden());
    }
}

TEST_F(TrainingTest, UnitsKeepTheirInvariantsOverManySeeds) {
    // The states a frame may lead to from each state.
    const std::set<std::pair<int32_t, int32_t>> erlaubt = {
        {1, 1}, {1, 2}, {1, 9}, {2, 2}, {2, 3}, {2, 9}, {3, 3}, {3, 6}, {3, 4}, {3, 7}, {3, 9},
        {6, 6}, {6, 4}, {6, 7}, {6, 9}, {6, 3}, {4, 4}, {4, 5}, {4, 7}, {4, 9}, {4, 3}, {5, 5},
        {5, 3}, {5, 7}, {5, 9}, {5, 6}, {7, 7}, {7, 9}, {9, 9}};
    Parameter(GP_TRAINING_ABSTURZ_PARAM, 30);
    for (int32_t seed = 0; seed < 25; ++seed) {
        Rnd_Set_Index(seed * 211, 0);
        Spieler_Wert(75, SPIELER, 0, OP_ERSETZEN);
        Spieler_Wert(3, SPIELER, 0, OP_SCHREIBEN);
        ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
        ASSERT_TRUE(Training_Start());
        int32_t vorher = S().zustand;
        for (int32_t i = 0; i < 20000 && S().zustand != TR_ABSTURZ && S().zustand != TR_ENDE; ++i) {
            Training2_Frame(uhr += 20);
            EXPECT_TRUE(erlaubt.count({vorher, S().zustand})) << vorher << "->" << S().zustand << " seed " << seed;
            EXPECT_GE(S().level, 0);
            EXPECT_LE(S().level, TR_LEVEL_MAX + 3);
            EXPECT_LE(S().spitze_index, S().spitzen_anzahl);
            EXPECT_GE(S().punkte, 0);
            vorher = S().zustand;
        }
        ASSERT_TRUE(S().zustand == TR_ABSTURZ || S().zustand == TR_ENDE) << seed;
        if (S().zustand == TR_ABSTURZ) {
            ASSERT_TRUE(Training_Anwenden());
        }
        ASSERT_TRUE(Training_Anwenden());
        int32_t wert = Spieler_Wert(3, SPIELER, 0, 0);
        EXPECT_GE(wert, 1);
        EXPECT_LE(wert, SCHWELLE + 1);
    }
}

TEST_F(TrainingTest, StrengthStarsNeedNoPaymentAndCompleteAStar) {
    Spieler_Wert(92, SPIELER, 5, OP_SCHREIBEN);
    Spieler_Wert(ATTRIBUT_STERNE, SPIELER, 290, OP_SCHREIBEN);
    int32_t konto = Konto();
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, ATTRIBUT_STERNE));
    EXPECT_EQ(S().preis, 0);
    ASSERT_TRUE(Training_Start());
    EXPECT_EQ(Konto(), konto);
    Training_Sicher_Setzen(true);
    ASSERT_TRUE(Bis(TR_ENDE));
    ASSERT_TRUE(Training_Anwenden());
    EXPECT_EQ(Spieler_Wert(92, SPIELER, 0, 0), 6);
    EXPECT_EQ(Spieler_Wert(ATTRIBUT_STERNE, SPIELER, 0, 0), 0);
}

TEST_F(TrainingTest, TheSaveBlockCarriesARunningUnitAndRefusesDamage) {
    ASSERT_TRUE(Training2_Oeffnen(SPIELER, 3));
    ASSERT_TRUE(Training_Start());
    ASSERT_TRUE(Bis(TR_ANSTIEG));
    for (int32_t i = 0; i < 30; ++i) Training2_Frame(uhr += 20);
    std::vector<uint8_t> block;
    Training_Save(block);
    ASSERT_EQ(block.size(), 4 + sizeof(Training_Sitzung));
    Training_Sitzung vorher = S();
    uint32_t rnd = uint32_t(Rnd_Get_Index());
    // Go on, then load: the unit stands where it was saved.
    for (int32_t i = 0; i < 30; ++i) Training2_Frame(uhr += 20);
    Training_Reset();
    ASSERT_TRUE(Training_Load(block.data(), block.size()));
    EXPECT_EQ(S().punkte, vorher.punkte);
    EXPECT_EQ(S().level, vorher.level);
    EXPECT_EQ(S().zustand, vorher.zustand);
    EXPECT_EQ(0, std::memcmp(S().spitze_start, vorher.spitze_start, sizeof vorher.spitze_start));
    // Its clocks go on from the next frame, whatever the clock shows now.
    Rnd_Set_Index(int32_t(rnd), 0);
    uhr += 5000000;
    Training2_Frame(uhr);
    EXPECT_LE(uhr - S().letzter_schritt, 51u);
    EXPECT_EQ(S().zustand == TR_ANSTIEG || S().zustand == TR_SPITZE || S().zustand == TR_HALTEN ||
                  S().zustand == TR_ABFALL || S().zustand == TR_ABSTURZ,
              true);

    // Damaged blocks change nothing.
    Training_Sitzung jetzt = S();
    std::vector<uint8_t> kurz(block.begin(), block.end() - 1);
    EXPECT_FALSE(Training_Load(kurz.data(), kurz.size()));
    std::vector<uint8_t> kaputt = block;
    Bytes_Put32(kaputt.data() + 4 + offsetof(Training_Sitzung, zustand), 8);
    EXPECT_FALSE(Training_Load(kaputt.data(), kaputt.size()));
    kaputt = block;
    Bytes_Put32(kaputt.data() + 4 + offsetof(Training_Sitzung, spieler), 99999);
    EXPECT_FALSE(Training_Load(kaputt.data(), kaputt.size()));
    EXPECT_FALSE(Training_Load(nullptr, 0));
    EXPECT_EQ(S().punkte, jetzt.punkte);
    EXPECT_EQ(S().zustand, jetzt.zustand);
    // A closed unit saves and loads as closed.
    Training_Reset();
    block.clear();
    Training_Save(block);
    ASSERT_TRUE(Training_Load(block.data(), block.size()));
    EXPECT_FALSE(Training_Offen());
}

TEST_F(TrainingTest, TheSameRandomIndexGivesTheSameUnit) {
    auto lauf = [this] {
        std::vector<int32_t> spur;
        Rnd_Set_Index(4242, 0);
        Spieler_Wert(3, SPIELER, 0, OP_SCHREIBEN);
        Spieler_Wert(75, SPIELER, 0, OP_ERSETZEN);
        uhr = 1000;
        EXPECT_TRUE(Training2_Oeffnen(SPIELER, 3));
        EXPECT_TRUE(Training_Start());
        for (int32_t i = 0; i < 3000 && S().zustand != TR_ENDE && S().zustand != TR_ABSTURZ; ++i) {
            Training2_Frame(uhr += 20);
            spur.push_back(S().punkte * 1000 + S().level * 10 + S().zustand);
        }
        Training_Stop();
        EXPECT_TRUE(Training_Anwenden());
        return spur;
    };
    std::vector<int32_t> a = lauf(), b = lauf();
    ASSERT_GT(a.size(), 50u);
    EXPECT_EQ(a, b);
}

}  // namespace
}  // namespace velmora
