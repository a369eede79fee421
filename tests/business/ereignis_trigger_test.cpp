// The random events as they happen: the triggers after matches, on series,
// on ordinary days and at the month change, the requests they send and the
// effects of the answers. The random table is scripted: every value is 7
// (a value at which no chance of the triggers fires) except the draws a
// test sets.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "business/bank.h"
#include "business/ereignis.h"
#include "business/ereignis_trigger.h"
#include "business/news.h"
#include "business/stadion.h"
#include "club/regeln.h"
#include "club/talente.h"
#include "core/optionen.h"
#include "season/kalender.h"
#include "tests/business/bank_welt.h"
#include "tests/club/talent_tabelle.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

// One event per category, the running number equals the category; a second
// union election (number 20) for the content side.
const char* const KATALOG =
    "NEUES_EREIGNIS\nKATEGORIE \"RANDALE\"\nTEXT \"Randale %s\"\nWERT1 5000\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SERIEN_SIEGE\"\nTEXT \"Serie %s\"\nWERT1 10000\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SERIEN_NIEDERLAGEN\"\nTEXT \"Pleiten %s\"\nWERT1 10000\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_NEGATIVES_ATTRIBUT_WEG\"\nTEXT \"Heilung %s %s %s\"\n"
    "JA_TEXT \"geheilt %s\"\nNEIN_TEXT \"nicht geheilt %s\"\nWERT1 50\nSOUND 3\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_BEENDET_AKTUELLES_TRAINING\"\nTEXT \"Training %s %s %s\"\n"
    "JA_TEXT \"fertig %s\"\nNEIN_TEXT \"nein\"\nSOUND 4\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_NEGATIVES_ATTRIBUT_DAZU\"\nTEXT \"Unart %s\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"ZUSCHAUER_EUPHORIE\"\nTEXT \"Euphorie\"\nWERT1 300\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_NICHT_EINGESETZT\"\nTEXT \"Sauer %s\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELERGEWERKSCHAFT_UNZUFRIEDEN\"\nTEXT \"Unzufrieden %d\"\nWERT1 -20\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELERGEWERKSCHAFT_ZUFRIEDEN\"\nTEXT \"Zufrieden %d\"\nWERT1 20\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_TALENT_JETZT_ERLERNBAR\"\nTEXT \"Talent %s\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_TALENT_NICHT_MEHR_ERLERNBAR\"\nTEXT \"Weg %s %s\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELERGEWERKSCHAFT_WAHL\"\nTEXT \"Wahl %s %d\"\nWERT1 0\nWERT2 -50\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_MAXSTAEKE_VERAENDERT\"\nTEXT \"Max %s %d %d %s\"\n"
    "JA_TEXT \"mehr %s\"\nNEIN_TEXT \"\"\nWERT1 50\nSOUND 13\n"
    "NEUES_EREIGNIS\nKATEGORIE \"MANAGER_WECHSEL\"\nTEXT \"Angebot %s\"\nJA_TEXT \"ja\"\nNEIN_TEXT \"nein\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"STADIONALTER\"\nTEXT \"Alter %s\"\nWERT1 2000\nWERT2 10\n"
    "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN\"\nTEXT \"Allg %s %d\"\nWERT1 10000\nWERT2 50\n"
    "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN_TEAM\"\nTEXT \"Frage %s\"\nJA_TEXT \"ja team\"\n"
    "NEIN_TEXT \"nein team\"\nWERT1 1000\nWERT2 20\nWERT3 4\nSOUND 17\n"
    "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN_SPIELER\"\nTEXT \"Spieler %s %s\"\nJA_TEXT \"ja %s %s\"\n"
    "NEIN_TEXT \"nein %s\"\nWERT1 1000\nWERT2 40\nWERT3 1\nSOUND 18\n"
    "NEUES_EREIGNIS\nKATEGORIE \"MANAGER_NATIONALTRAINER\"\nTEXT \"National %s\"\nJA_TEXT \"ja\"\nNEIN_TEXT \"nein\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELERGEWERKSCHAFT_WAHL\"\nTEXT \"Wahl %s %d\"\nWERT1 1\nWERT2 50\n";

constexpr int32_t NEUTRAL = 7;
constexpr int32_t PUNKTE = 100;   // every talent's requirement

// The next draws give these raw table values (Rnd(lo, hi) = lo + value mod
// span); all draws after them give NEUTRAL.
void Skript(std::initializer_list<int32_t> roh) {
    std::vector<uint8_t> z(RND_ZUSTAND_BYTES, 0);
    for (int32_t i = 0; i < RND_TABELLE; ++i) z[size_t(i) * 4] = NEUTRAL;
    int32_t i = 1;
    for (int32_t v : roh) {
        z[size_t(i) * 4] = uint8_t(v);
        z[size_t(i) * 4 + 1] = uint8_t(v >> 8);
        ++i;
    }
    ASSERT_TRUE(Rnd_Zustand_Lesen(z.data(), z.size()));
}

// Sets the calendar's day through a save block of a game that started on
// 3 July 2001.
void Tag_Setzen(int32_t tag) {
    std::vector<uint8_t> b;
    Kalender_Save(b);
    b.resize(8);   // magic and version as the calendar writes them
    for (int32_t v : {tag, 0, 2001, KALENDER_TAG_START, 0, 1, 0, 3, 7, 2001, 0})
        for (int32_t k = 0; k < 4; ++k) b.push_back(uint8_t(uint32_t(v) >> (8 * k)));
    ASSERT_TRUE(Kalender_Load(b.data(), b.size()));
    ASSERT_EQ(Tag_Index(), tag);
}

// The bank world (clubs 2 and 3 human, 1,000,000 each), the news file, a
// stadium for club 2, the talent table and the catalogue above.
class EreignisWelt : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        bank = new test::BankWelt();
        ASSERT_TRUE(News_Datei_Oeffnen());
        Regeln_Standard();
        ASSERT_TRUE(test::Talent_Tabelle_Setzen(
            {.noetige_punkte = PUNKTE, .punkte_training = 10, .kostpreis = 50, .namen = true},
            [](int32_t, AttributDaten& d) { d.moeglich_wann[1] = 12; }));
        ASSERT_TRUE(Stadion_Init());
        Stadion_Satz v{};
        v.kapazitaet = 20000;
        std::snprintf(v.name, sizeof v.name, "Arena");
        ASSERT_TRUE(Stadion_Team_Anlegen(2, &v));
        ASSERT_TRUE(Ereignis_Lesen_Text(KATALOG, uint32_t(std::strlen(KATALOG)), "ereignis.cfg"));
        Ereignis_Zustand_Zuruecksetzen();
        int32_t s[20];
        kader.assign(s, s + Teamspieler_Ins_Array(2, s, 20, 0));
        ASSERT_EQ(kader.size(), 18u);
        for (int32_t p = 0; p < Spieler_Anzahl(); ++p) Spieler_Wert(90, p, 2, OP_SCHREIBEN);
        Skript({});
    }
    void TearDown() override {
        Ereignis_Exit();
        Ereignis_Zustand_Zuruecksetzen();
        Stadion_Free();
        Attribut_Tabelle_Leeren();
        Regeln_Standard();
        News_Datei_Schliessen();
        delete bank;
        Kalender_Zuruecksetzen();
    }
    static int32_t Geld(int32_t team) { return Bank_Kontostand(team, false, 0); }
    static std::string Name(int32_t p) { return Spieler_String(505, p, 0, 0); }
    static std::string GeldText(int32_t b, int32_t team) { return Geld_Text(float(b), team, -1); }
    // The texts of the news items stored since `ab`.
    static std::vector<std::string> Texte(int32_t ab = 0) {
        std::vector<std::string> t;
        for (int32_t i = ab; i < News_Anzahl(); ++i) t.push_back(News_Text(i));
        return t;
    }
    static std::vector<int32_t> Kopf(int32_t i) {
        const int32_t* k = News_Get_Kopf(i);
        return std::vector<int32_t>(k, k + 10);
    }
    velmora_test::TestWelt dirs;
    test::BankWelt* bank = nullptr;
    std::vector<int32_t> kader;
};

using Texte_t = std::vector<std::string>;

TEST_F(EreignisWelt, SeriesOfFivePayOnlyOnTheirChance) {
    struct Fall {
        int32_t siege, niederlagen, chance, prozent_roh;
        int32_t delta;
    };
    const Fall faelle[] = {
        {10, 0, 2, 4, 12000},  {5, 0, 2, 0, 8000},   {10, 0, 0, 4, 0}, {10, 0, 1, 4, 0}, {10, 0, 3, 4, 0},
        {7, 0, 2, 4, 0},       {0, 5, 2, 2, -10000}, {0, 15, 2, 0, -8000}, {0, 0, 2, 4, 0}, {0, 6, 2, 4, 0},
    };
    for (const Fall& f : faelle) {
        int32_t vorher = Geld(2), news = News_Anzahl();
        Skript({f.chance, 0, f.prozent_roh});
        Ereignis_Spiel_Serie(2, f.siege, f.niederlagen);
        EXPECT_EQ(Geld(2) - vorher, f.delta) << f.siege << "/" << f.niederlagen << " r" << f.chance;
        if (f.delta == 0) {
            EXPECT_EQ(News_Anzahl(), news);
        } else {
            ASSERT_EQ(News_Anzahl(), news + 1);
            std::string t = News_Text(news);
            EXPECT_EQ(t, (f.delta > 0 ? "Serie " : "Pleiten ") + GeldText(f.delta > 0 ? f.delta : -f.delta, 2));
            EXPECT_NE(News_Get_Flags(news, 2), -1);
        }
    }
}

TEST_F(EreignisWelt, WinningSeriesMakesATalentLearnable) {
    // 1 in 4, 1 in 6, the event, talent 34 + 2, player 3
    Skript({2, 3, 0, 2, 3});
    Ereignis_Spiel_Serie(2, 3, 0);
    EXPECT_EQ(Spieler_Wert(36, kader[3], 0, OP_LESEN), 3);
    EXPECT_EQ(Texte(), Texte_t{"Talent " + Name(kader[3])});
    // a player who has the talent gets no message
    Spieler_Wert(36, kader[4], PUNKTE, OP_SCHREIBEN);
    Skript({2, 3, 0, 2, 4});
    Ereignis_Spiel_Serie(2, 3, 0);
    EXPECT_EQ(Spieler_Wert(36, kader[4], 0, OP_LESEN), PUNKTE);
    EXPECT_EQ(News_Anzahl(), 1);
    // short series (both below 3) never do
    Skript({2, 3, 0, 2, 5});
    Ereignis_Spiel_Serie(2, 2, 2);
    EXPECT_EQ(Spieler_Wert(36, kader[5], 0, OP_LESEN), 0);
}

TEST_F(EreignisWelt, LosingSeriesClosesATalent) {
    // 1 in 4, 1 in 6, the event, talent 20 + 5, player 1
    Skript({2, 3, 0, 5, 1});
    Ereignis_Spiel_Serie(2, 0, 3);
    EXPECT_EQ(Spieler_Wert(25, kader[1], 0, OP_LESEN), 2);
    EXPECT_EQ(Texte(), Texte_t{"Weg T25 " + Name(kader[1])});
}

TEST_F(EreignisWelt, TalentPrerequisitesAreMarkedFirst) {
    AttributDaten d = *Attribut_Daten(30);
    d.voraussetzung[0] = 31;
    ASSERT_TRUE(Attribut_Daten_Setzen(30, d));
    d = *Attribut_Daten(31);
    d.voraussetzung[0] = 32;
    ASSERT_TRUE(Attribut_Daten_Setzen(31, d));
    int32_t p = kader[2];
    EXPECT_EQ(Ereignis_Talent_Erlernbar(p, 30), 1);
    EXPECT_EQ(Spieler_Wert(30, p, 0, OP_LESEN), 3);
    EXPECT_EQ(Spieler_Wert(31, p, 0, OP_LESEN), 3);
    EXPECT_EQ(Spieler_Wert(32, p, 0, OP_LESEN), 3);
    // A configuration that chains them in a circle (32 needs 30) leaves the
    // talent unlearnable instead of following the circle until the stack ends.
    d = *Attribut_Daten(32);
    d.voraussetzung[0] = 30;
    ASSERT_TRUE(Attribut_Daten_Setzen(32, d));
    const int32_t q = kader[3];
    EXPECT_EQ(Ereignis_Talent_Erlernbar(q, 30), 0);
    EXPECT_EQ(Spieler_Wert(30, q, 0, OP_LESEN), 0);
}

// After a match with only the stadium check left: draws of steps 1-4 neutral.
TEST_F(EreignisWelt, StadiumCheckLowersComfortAndCharges) {
    Stadion_Satz* s = Stadion_Get(2, 1);
    ASSERT_NE(s, nullptr);
    s->komfort = 60;
    s->modell = 2;
    int32_t vorher = Geld(2);
    // chance (0, 50 or 100), model level draw 1, the event, drop WERT2 - 5 + 8
    Skript({50, 1, 0, 8});
    Ereignis_Stadion_Pruefen(2);
    EXPECT_EQ(Stadion_Get(2, 1)->komfort, 60 - 13);
    EXPECT_EQ(vorher - Geld(2), 2000);
    EXPECT_EQ(Texte(), Texte_t{"Alter " + GeldText(2000, 2)});
    // below comfort 21 or above the model level nothing happens
    struct Fall {
        int32_t komfort, modell, chance, modell_roh;
    };
    for (Fall f : {Fall{20, 2, 0, 0}, Fall{60, 2, 0, 3}, Fall{60, 2, 1, 0}}) {
        s = Stadion_Get(2, 1);
        s->komfort = f.komfort;
        s->modell = f.modell;
        vorher = Geld(2);
        Skript({f.chance, f.modell_roh, 0, 8});
        Ereignis_Stadion_Pruefen(2);
        EXPECT_EQ(Stadion_Get(2, 1)->komfort, f.komfort);
        EXPECT_EQ(Geld(2), vorher);
    }
    EXPECT_EQ(News_Anzahl(), 1);
}

TEST_F(EreignisWelt, NegativeTalentCureIsOfferedAndAnswered) {
    int32_t p = kader[4];
    Spieler_Wert(41, p, PUNKTE + 1, OP_SCHREIBEN);   // an active negative talent
    // step 1 fires, the only candidate, his talent, price (300 + 500 x 2) x 50
    Skript({0, 0, 0, 0, 2});
    Ereignis_Spiel_Nachher(2, -1, 1, 1);
    ASSERT_EQ(News_Anzahl(), 1);
    const int32_t preis = 1300 * 50;
    EXPECT_EQ(Kopf(0), (std::vector<int32_t>{11, 2, p, Tag_Index() + 40, 3, 41, 3, preis, 3, -1}));
    EXPECT_EQ(std::string(News_Text(0)), "Heilung " + Name(p) + " " + GeldText(preis, 2) + " T41");
    EXPECT_NE(News_Get_Flags(0, 2), -1);

    std::vector<int32_t> k = Kopf(0);
    // no: costs nothing, changes nothing
    k[9] = 0;
    int32_t vorher = Geld(2);
    Ereignis_Antwort(k.data());
    EXPECT_EQ(Geld(2), vorher);
    EXPECT_EQ(Spieler_Wert(41, p, 0, OP_LESEN), PUNKTE + 1);
    EXPECT_EQ(News_Anzahl(), 1);
    // yes, the attempt fails (Rnd(10, 100) = 60 >= 50): paid, nothing cured
    k[9] = 1;
    Skript({50});
    Ereignis_Antwort(k.data());
    EXPECT_EQ(vorher - Geld(2), preis);
    EXPECT_EQ(Spieler_Wert(41, p, 0, OP_LESEN), PUNKTE + 1);
    EXPECT_EQ(Texte(1), Texte_t{"nicht geheilt " + Name(p)});
    // yes, it works (Rnd(10, 100) = 20): WERT1 below 80 leaves the value 3
    Skript({10});
    Ereignis_Antwort(k.data());
    EXPECT_EQ(vorher - Geld(2), 2 * preis);
    EXPECT_EQ(Spieler_Wert(41, p, 0, OP_LESEN), 3);
    EXPECT_EQ(Texte(2), Texte_t{"geheilt " + Name(p)});
}

TEST_F(EreignisWelt, BadHabitDrawRepeatsUntilOutsideTheList) {
    int32_t p = kader[6];
    Spieler_Wert(40, p, PUNKTE + 1, OP_SCHREIBEN);
    Spieler_Wert(41, p, PUNKTE + 1, OP_SCHREIBEN);
    // step 1 no, step 2 yes, candidate 6, talents 40, 41, 40, then 42, its 1 in 3, the event
    Skript({NEUTRAL, 0, 6, 0, 1, 0, 2, 0, 0});
    Ereignis_Spiel_Nachher(2, -1, 0, 0);
    EXPECT_EQ(Spieler_Wert(42, p, 0, OP_LESEN), PUNKTE);
    EXPECT_EQ(Texte(), Texte_t{"Unart " + Name(p)});
    // a talent whose condition fails gives nothing: 45 needs talent 13
    int32_t q = kader[7];
    Skript({NEUTRAL, 0, 7, 5, 0, 0});
    Ereignis_Spiel_Nachher(2, -1, 0, 0);
    EXPECT_EQ(Spieler_Wert(45, q, 0, OP_LESEN), 0);
    EXPECT_EQ(News_Anzahl(), 1);
}

TEST_F(EreignisWelt, TrainingCanBeFinishedForMoney) {
    int32_t p = kader[5];
    Spieler_Wert(8, p, 4, OP_SCHREIBEN);   // talent 8 in training
    // steps 1, 2 no, step 3 yes, player 5, the event, Rnd(2, 6) = 3
    Skript({NEUTRAL, NEUTRAL, 0, 5, 0, 1});
    Ereignis_Spiel_Nachher(2, -1, 0, 0);
    ASSERT_EQ(News_Anzahl(), 1);
    const int32_t preis = 50 * Regel_Wert(REGEL_ATTRIBUT_TRAINING_KOSTEN) * (PUNKTE / 10) * (80 - 30) / 100;
    EXPECT_EQ(Kopf(0), (std::vector<int32_t>{11, 2, p, Tag_Index() + 40, 4, 8, 4, preis, 4, -1}));
    EXPECT_EQ(std::string(News_Text(0)), "Training " + Name(p) + " T8 " + GeldText(preis, 2));
    std::vector<int32_t> k = Kopf(0);
    k[9] = 1;
    int32_t vorher = Geld(2);
    Ereignis_Antwort(k.data());
    EXPECT_EQ(Spieler_Wert(8, p, 0, OP_LESEN), PUNKTE);
    EXPECT_EQ(vorher - Geld(2), preis);
    EXPECT_EQ(Texte(1), Texte_t{"fertig " + Name(p)});
    // a second yes finds the talent learnt: no charge
    Ereignis_Antwort(k.data());
    EXPECT_EQ(vorher - Geld(2), preis);
}

TEST_F(EreignisWelt, MaximumStrengthOfferClampsAt12) {
    struct Fall {
        int32_t max, rnd_1_2_roh;
        int32_t neu;   // 0: no request
    };
    const Fall faelle[] = {{11, 1, 12}, {11, 0, 12}, {7, 0, 9}, {7, 1, 11}, {12, 0, 0}, {2, 0, 0}};
    int32_t p = kader[9];
    Stadion_Get(2, 1)->komfort = 0;   // the stadium check after the match stays quiet
    for (const Fall& f : faelle) {
        ASSERT_EQ(Spieler_Wert(97, p, f.max, OP_SCHREIBEN), f.max);
        int32_t news = News_Anzahl();
        // steps 1-3 no, step 4 yes, player 9, the event, Rnd(1, 2), Rnd(2, 6) = 2
        Skript({NEUTRAL, NEUTRAL, NEUTRAL, 0, 9, 0, f.rnd_1_2_roh, 0});
        Ereignis_Spiel_Nachher(2, -1, 0, 0);
        if (!f.neu) {
            EXPECT_EQ(News_Anzahl(), news) << f.max;
            continue;
        }
        ASSERT_EQ(News_Anzahl(), news + 1) << f.max;
        const int32_t preis = f.neu * 20000 * 60 / 100;
        EXPECT_EQ(Kopf(news), (std::vector<int32_t>{11, 2, p, Tag_Index() + 40, 13, f.neu, 13, preis, 13, -1}));
        EXPECT_EQ(std::string(News_Text(news)),
                  "Max " + Name(p) + " " + std::to_string(f.max / 2) + " " + std::to_string(f.neu / 2) + " " +
                      GeldText(preis, 2));
    }
    // yes: paid, the maximum raised (no NEIN_TEXT: always a success)
    Spieler_Wert(97, p, 7, OP_SCHREIBEN);
    std::vector<int32_t> k = Kopf(News_Anzahl() - 1);
    k[9] = 1;
    int32_t vorher = Geld(2);
    Ereignis_Antwort(k.data());
    EXPECT_EQ(Spieler_Wert(97, p, 0, OP_LESEN), k[5]);
    EXPECT_EQ(vorher - Geld(2), k[7]);
}

TEST_F(EreignisWelt, RiotAfterAHomeDefeatInTheFirstSlot) {
    Stadion_Satz* s = Stadion_Get(2, 1);
    s->komfort = 60;
    s->modell = 3;
    int32_t vorher = Geld(2);
    // steps 1-4 no, riot chance 5, level 2 below 3, the event; stadium check no
    Skript({NEUTRAL, NEUTRAL, NEUTRAL, NEUTRAL, 5, 2, 0});
    Ereignis_Spiel_Nachher(2, 0, 0, 2);
    EXPECT_EQ(vorher - Geld(2), 5000);
    EXPECT_EQ(Texte(), Texte_t{"Randale " + GeldText(5000, 2)});
    // a draw or a later slot: no riot
    Skript({NEUTRAL, NEUTRAL, NEUTRAL, NEUTRAL, 5, 2, 0});
    Ereignis_Spiel_Nachher(2, 0, 1, 1);
    Skript({NEUTRAL, NEUTRAL, NEUTRAL, NEUTRAL, 5, 2, 0});
    Ereignis_Spiel_Nachher(2, 1, 0, 2);
    EXPECT_EQ(vorher - Geld(2), 5000);
}

TEST_F(EreignisWelt, UnusedStrongPlayerLosesMorale) {
    int32_t p = kader[12];   // the strongest of the squad
    Spieler_Wert(56, p, 9, OP_SCHREIBEN);
    struct Fall {
        int32_t moral, chance, rnd100;
        int32_t danach;
        bool text;
    };
    const Fall faelle[] = {{4, 5, 5, 2, true}, {4, 5, 50, 3, true}, {1, 5, 5, 0, true}, {0, 5, 5, 0, false},
                           {4, 4, 5, 4, false}};
    for (const Fall& f : faelle) {
        Spieler_Wert(90, p, f.moral, OP_SCHREIBEN);
        int32_t news = News_Anzahl();
        Skript({f.chance, 0, f.rnd100});
        Ereignis_Nicht_Eingesetzt(2, p);
        EXPECT_EQ(Spieler_Wert(90, p, 0, OP_LESEN), f.danach) << f.moral << " " << f.chance;
        EXPECT_EQ(News_Anzahl(), news + (f.text ? 1 : 0));
    }
    // a weak player never minds
    int32_t q = kader[0];
    Spieler_Wert(90, q, 4, OP_SCHREIBEN);
    Skript({5, 0, 5});
    Ereignis_Nicht_Eingesetzt(2, q);
    EXPECT_EQ(Spieler_Wert(90, q, 0, OP_LESEN), 4);
}

TEST_F(EreignisWelt, SpectatorEuphoriaOnlyFromTheNormalLevel) {
    ASSERT_EQ(Stadion_Zuschauer_Prozent(), 100);
    Skript({50, 0});
    Ereignis_Tag();
    EXPECT_EQ(Stadion_Zuschauer_Prozent(), 200);   // WERT1 300 clamped
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_STREQ(News_Text(0), "Euphorie");
    EXPECT_NE(News_Get_Flags(0, 2), -1);
    EXPECT_NE(News_Get_Flags(0, 3), -1);
    Skript({50, 0});
    Ereignis_Tag();
    EXPECT_EQ(News_Anzahl(), 1);
    Stadion_Zuschauer_Prozent_Setzen(100);
}

TEST_F(EreignisWelt, NoUnionEventInTheFirstYear) {
    // No euphoria, the daily union chance hits (Rnd(0, 10) = 5), no president yet.
    Tag_Setzen(365);
    Skript({NEUTRAL, 5});
    Ereignis_Tag();
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
    EXPECT_EQ(News_Anzahl(), 0);
    // From day 366 on the same draws elect one; a missed chance elects none.
    Tag_Setzen(366);
    Skript({NEUTRAL, 4});
    Ereignis_Tag();
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), -1);
    Skript({NEUTRAL, 5});
    Ereignis_Tag();
    int32_t u = Spieler_Get_Gewerkschafts_Praesi();
    ASSERT_GT(u, 1);   // the neutral draws give side 1 (content) and the second election event
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_EQ(std::string(News_Text(0)), "Wahl " + Name(u) + " 50");
    EXPECT_NE(News_Get_Flags(0, 2), -1);
    for (int32_t s : kader) EXPECT_EQ(Spieler_Wert(90, s, 0, OP_LESEN), 3);   // 2 + 2 x 50 %
}

TEST_F(EreignisWelt, UnionMoodChangesMoraleWithItsEvents) {
    Tag_Setzen(400);
    std::vector<uint8_t> b;
    Ereignis_Save(b);
    // a content union (president 5) raises morale by 20 %
    b[4] = 5;
    b[5] = b[6] = b[7] = 0;
    ASSERT_TRUE(Ereignis_Load(b.data(), b.size()));
    for (int32_t s : kader) Spieler_Wert(90, s, 5, OP_SCHREIBEN);
    // no euphoria, the daily chance hit, the election draw missed, the mood event's chance hit
    Skript({NEUTRAL, 5, 0, 200, 0});
    Ereignis_Tag();
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_STREQ(News_Text(0), "Zufrieden 20");
    EXPECT_EQ(Spieler_Get_Gewerkschafts_Praesi(), 5);
    for (int32_t s : kader) EXPECT_EQ(Spieler_Wert(90, s, 0, OP_LESEN), 6);
}

TEST_F(EreignisWelt, GeneralEventPaysAndChangesMorale) {
    int32_t vorher = Geld(2);
    // the event, amount 80 + 10 x 2 %, percentage 50 + 10 x 5 %
    Skript({0, 2, 5});
    Ereignis_Manager(2, EK_ALLGEMEIN);
    EXPECT_EQ(Geld(2) - vorher, 10000);
    EXPECT_EQ(Texte(), Texte_t{"Allg " + GeldText(10000, 2) + " 50"});
    for (int32_t s : kader) EXPECT_EQ(Spieler_Wert(90, s, 0, OP_LESEN), 3);
}

TEST_F(EreignisWelt, TeamQuestionAnswers) {
    // the event, amount 100 %, percentage 50 + 10 x 0 = 50 % of 20 = 10
    Skript({0, 2, 0});
    Ereignis_Manager(2, EK_ALLGEMEIN_TEAM);
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_EQ(Kopf(0), (std::vector<int32_t>{14, 2, 10, Tag_Index() + 40, 17, 0, 17, 1000, 17, -1}));
    EXPECT_EQ(Texte(), Texte_t{"Frage " + GeldText(1000, 2)});
    for (int32_t s : kader) Spieler_Wert(90, s, 5, OP_SCHREIBEN);
    // WERT3 4: yes debits word 7 and raises morale by word 2 %
    std::vector<int32_t> k = Kopf(0);
    k[9] = 1;
    int32_t vorher = Geld(2);
    Ereignis_Antwort(k.data());
    EXPECT_EQ(vorher - Geld(2), 1000);
    for (int32_t s : kader) EXPECT_EQ(Spieler_Wert(90, s, 0, OP_LESEN), 5);   // 5 + 5 x 10 / 100 = 5
    k[2] = 20;
    Ereignis_Antwort(k.data());
    for (int32_t s : kader) EXPECT_EQ(Spieler_Wert(90, s, 0, OP_LESEN), 6);
    // no: lowers morale by word 2 %
    k[9] = 0;
    k[2] = 50;
    vorher = Geld(2);
    Ereignis_Antwort(k.data());
    EXPECT_EQ(Geld(2), vorher);
    for (int32_t s : kader) EXPECT_EQ(Spieler_Wert(90, s, 0, OP_LESEN), 3);
    EXPECT_EQ(Texte(1), (Texte_t{"ja team", "ja team", "nein team"}));
}

TEST_F(EreignisWelt, PlayerQuestionAnswers) {
    // the event, i = 3, j = (3 + 1 + 5) mod 18 = 9, amount 100 %, 50 + 10 x 5 % of 40
    Skript({0, 3, 5, 2, 5});
    Ereignis_Manager(2, EK_ALLGEMEIN_SPIELER);
    ASSERT_EQ(News_Anzahl(), 1);
    int32_t a = kader[3], b = kader[9];
    EXPECT_EQ(Kopf(0), (std::vector<int32_t>{14, a, b, Tag_Index() + 40, 18, 40, 18, 1000, 18, -1}));
    EXPECT_EQ(Texte(), Texte_t{"Spieler " + Name(a) + " " + Name(b)});
    EXPECT_NE(News_Get_Flags(0, 2), -1);
    Spieler_Wert(90, a, 5, OP_SCHREIBEN);
    Spieler_Wert(90, b, 5, OP_SCHREIBEN);
    std::vector<int32_t> k = Kopf(0);
    k[9] = 1;
    int32_t vorher = Geld(2);
    Ereignis_Antwort(k.data());
    EXPECT_EQ(Spieler_Wert(90, a, 0, OP_LESEN), 3);   // 5 - 5 x 40 / 100
    EXPECT_EQ(Spieler_Wert(90, b, 0, OP_LESEN), 3);
    EXPECT_EQ(Geld(2) - vorher, 2000);
    EXPECT_EQ(Texte(1), Texte_t{"ja " + Name(a) + " " + Name(b)});
    k[9] = 0;
    Ereignis_Antwort(k.data());
    EXPECT_EQ(Texte(2), Texte_t{"nein " + Name(a)});
    EXPECT_EQ(Geld(2) - vorher, 2000);
}

TEST_F(EreignisWelt, AnswerToAnUnknownEventDoesNothing) {
    int32_t vorher = Geld(2);
    for (int32_t nummer : {-1, 21, 1000000}) {
        int32_t k[10] = {11, 2, kader[1], 0, 3, 41, nummer, 5000, 0, 1};
        Ereignis_Antwort(k);
    }
    Ereignis_Antwort(nullptr);
    EXPECT_EQ(Geld(2), vorher);
    EXPECT_EQ(News_Anzahl(), 0);
}

TEST_F(EreignisWelt, JobOfferAndNationalTeamRequests) {
    Ereignis_Manager(2, EK_MANAGER_WECHSEL);
    ASSERT_EQ(News_Anzahl(), 1);
    std::vector<int32_t> k = Kopf(0);
    EXPECT_EQ(k[0], 13);
    EXPECT_EQ(k[1], 2);
    EXPECT_GE(k[2], 2);
    EXPECT_NE(k[2], 2);
    EXPECT_EQ(k[3], Tag_Index() + 1);
    EXPECT_EQ(k[4], 14);
    EXPECT_EQ(k[7], 0);
    EXPECT_EQ(Texte(), Texte_t{"Angebot " + std::string(Team_String(0, k[2], 0, 0))});
    // a club without a human manager gets no offer
    Ereignis_Manager(4, EK_MANAGER_WECHSEL);
    Ereignis_Manager(4, EK_NATIONALTRAINER);
    EXPECT_EQ(News_Anzahl(), 1);
}

// The calendar's work: 1 January with option 13, the month change's categories.
TEST_F(EreignisWelt, CalendarHooksChooseTheManagerCategories) {
    Team_Lokal_Setzen(2);
    const int32_t lokal = 2;
    struct Fall {
        int32_t roh, kategorie;
    };
    for (Fall f : {Fall{0, 16}, Fall{9, 16}, Fall{10, 17}, Fall{18, 17}, Fall{19, 18}, Fall{20, 18}}) {
        int32_t news = News_Anzahl(), vorher = Geld(lokal);
        Skript({f.roh, 0, 2, 0, 2, 0});
        Ereignis_Kalender_Monat();
        ASSERT_EQ(News_Anzahl(), news + 1) << f.roh;
        if (f.kategorie == 16) {
            EXPECT_EQ(Geld(lokal) - vorher, 10000);
            EXPECT_EQ(News_Get_Kopf(news)[0], -1);
        } else {
            EXPECT_EQ(News_Get_Kopf(news)[0], 14);
            EXPECT_EQ(News_Get_Kopf(news)[4], f.kategorie);
        }
    }
    // ordinary days: option 13 and 1 January
    Optionen(13, 1, 1);
    Tag_Setzen(Kalender_Tag_Index_Von_Datum(1, 1, 2002));
    int32_t news = News_Anzahl();
    Skript({NEUTRAL, NEUTRAL, 0});   // no euphoria, no union; Rnd(0, 1) = 0: the national team
    Ereignis_Kalender_Tag();
    int32_t art = News_Anzahl() > news ? News_Get_Kopf(news)[0] : 0;
    // the national team may find no free club; any request is of kind 16
    if (News_Anzahl() > news) {
        EXPECT_EQ(art, 16);
    }
    news = News_Anzahl();
    Skript({NEUTRAL, NEUTRAL, 1});   // Rnd(0, 1) = 1: a job offer
    Ereignis_Kalender_Tag();
    ASSERT_EQ(News_Anzahl(), news + 1);
    EXPECT_EQ(News_Get_Kopf(news)[0], 13);
    // an ordinary day or option 13 off: none
    news = News_Anzahl();
    Tag_Setzen(Kalender_Tag_Index_Von_Datum(2, 1, 2002));
    Skript({NEUTRAL, 1});
    Ereignis_Kalender_Tag();
    Optionen(13, 1, 0);
    Tag_Setzen(Kalender_Tag_Index_Von_Datum(1, 1, 2002));
    Skript({NEUTRAL, 1});
    Ereignis_Kalender_Tag();
    EXPECT_EQ(News_Anzahl(), news);
}

}  // namespace
}  // namespace velmora
