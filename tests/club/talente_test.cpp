// tests/club/talente_test.cpp - talent rules, market value and salary,
// transfer factors, demand and the injury draw.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "club/global_config.h"
#include "club/regeln.h"
#include "club/spieler_dummy.h"
#include "club/talente.h"
#include "club/team_suche.h"
#include "club/wirtschaft.h"
#include "core/config.h"
#include "tests/club/talent_tabelle.h"
#include "tests/club/welt.h"
#include "tests/club/wirtschaft_faktoren.h"

namespace velmora {
namespace {

using test::WeltTest;

// Talents 0-52 with requirement 10; talent 25 needs talent 5; talent 0 keeps negative 40 away.
void Tabelle_Setzen() {
    test::Talent_Tabelle_Setzen({.noetige_punkte = 10, .kostpreis = 1000, .namen = true},
                                [](int32_t id, AttributDaten& a) {
                                    if (id == 25) a.voraussetzung[1] = 5;
                                    if (id == 0) a.schutz[2] = 40;
                                });
}

class Talente : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Tabelle_Setzen();
    }
    const int32_t feld = 1;    // player 1: a midfielder of club 2
    const int32_t torwart = 0; // player 0: the goalkeeper of club 2
};

TEST_F(Talente, LearningObeysKindMaximumBlockAndNegativeLimits) {
    struct Fall {
        int32_t spieler, id;
        bool erwartet;
    } faelle[] = {{feld, 3, true}, {feld, 48, false}, {torwart, 48, true}, {torwart, 3, false}, {feld, 41, true}};
    for (const Fall& f : faelle)
        EXPECT_EQ(Attribut_Spieler_Setze_Wert(f.spieler, f.id, ATTRIBUT_LERNEN), f.erwartet) << f.spieler << "/" << f.id;
    EXPECT_EQ(Spieler_Wert(3, feld, 0, 0), 10);
    EXPECT_TRUE(Attribute_Hat_Attribut(feld, 3));
    EXPECT_FALSE(Attribute_Attribut_Aktief(feld, 3));
    // Blocked: refused until reset.
    EXPECT_TRUE(Attribut_Spieler_Setze_Wert(feld, 7, ATTRIBUT_SPERREN));
    EXPECT_TRUE(Attribut_Ist_Gesperrt(feld, 7));
    EXPECT_FALSE(Attribut_Spieler_Setze_Wert(feld, 7, ATTRIBUT_LERNEN));
    EXPECT_FALSE(Attribut_Erlernbar_2(feld, 7));
    EXPECT_TRUE(Attribut_Spieler_Setze_Wert(feld, 7, ATTRIBUT_ZURUECKSETZEN));
    EXPECT_TRUE(Attribut_Erlernbar_2(feld, 7));
    // A fourth negative talent is refused; a protected one too.
    EXPECT_TRUE(Attribut_Spieler_Setze_Wert(feld, 42, ATTRIBUT_LERNEN));
    EXPECT_TRUE(Attribut_Spieler_Setze_Wert(feld, 43, ATTRIBUT_LERNEN));
    EXPECT_FALSE(Attribut_Spieler_Setze_Wert(feld, 44, ATTRIBUT_LERNEN));
    EXPECT_TRUE(Attribut_Spieler_Setze_Wert(feld + 1, 0, ATTRIBUT_LERNEN));
    EXPECT_FALSE(Attribut_Spieler_Setze_Wert(feld + 1, 40, ATTRIBUT_LERNEN));
    // 18 field talents at most; the editor's form skips the limit.
    for (int32_t id = 0; id < 18; ++id) Attribut_Spieler_Setze_Wert(feld + 2, id, ATTRIBUT_LERNEN);
    EXPECT_TRUE(Attribute_Attribut_Hat_Maximum(feld + 2));
    EXPECT_FALSE(Attribut_Spieler_Setze_Wert(feld + 2, 18, ATTRIBUT_LERNEN));
    EXPECT_TRUE(Attribut_Spieler_Setze_Wert_2(feld + 2, 18, ATTRIBUT_LERNEN));
    int32_t liste[20] = {};
    EXPECT_EQ(Attribute_Get_Attribute(feld + 2, liste, 20, 1), 18);
    EXPECT_EQ(liste[0], 18);
    EXPECT_EQ(liste[19], 0);   // beyond the padding the array is left alone
    // The count of learnt talents of the player's own kind: negative ones,
    // talents still in training and the other kind's do not count.
    Spieler_Wert(5, feld, 9, OP_SCHREIBEN);
    Spieler_Wert(50, feld, 10, OP_SCHREIBEN);
    Spieler_Wert(3, torwart, 10, OP_SCHREIBEN);
    int32_t alle[50];
    struct Anzahl {
        int32_t spieler, erwartet;
    } anzahlen[] = {{feld, 1}, {torwart, 1}, {feld + 1, 1}, {feld + 2, 19}, {-1, 0}, {Spieler_Anzahl(), 0}};
    for (const Anzahl& a : anzahlen) {
        EXPECT_EQ(Attribute_Anzahl_Gelernt(a.spieler), a.erwartet) << a.spieler;
        if (a.spieler >= 0 && a.spieler < Spieler_Anzahl()) {
            EXPECT_EQ(Attribute_Get_Attribute_2(a.spieler, alle, 50, 1), a.erwartet) << a.spieler;
        }
    }
}

TEST_F(Talente, ActivationAllowsThreeAndTogglesBack) {
    for (int32_t id : {1, 2, 3, 4}) ASSERT_TRUE(Attribut_Spieler_Setze_Wert(feld, id, ATTRIBUT_LERNEN));
    EXPECT_EQ(Attribut_Toggle_Aktive(feld, 9), 0);      // not learnt
    for (int32_t id : {1, 2, 3}) EXPECT_EQ(Attribut_Toggle_Aktive(feld, id), 1);
    EXPECT_EQ(Attribut_Toggle_Aktive(feld, 4), 0);      // no room
    EXPECT_EQ(Attribut_Toggle_Aktive_2(feld, 4), 1);    // the editor's form has room
    EXPECT_EQ(Attribut_Toggle_Aktive(feld, 2), 1);      // off again
    EXPECT_EQ(Spieler_Wert(2, feld, 0, 0), 10);
    int32_t aktiv[3];
    EXPECT_EQ(Attribute_Get_Attribute(feld, aktiv, 3, 0), 3);
    EXPECT_EQ(aktiv[0], 4);
    EXPECT_EQ(aktiv[1], 3);
    EXPECT_EQ(aktiv[2], 1);
    Attribut_Spieler_Setze_Wert(feld, 2, ATTRIBUT_SPERREN);
    EXPECT_EQ(Attribut_Toggle_Aktive(feld, 2), 0);
}

TEST_F(Talente, TheMaskOfActiveTalentsAnswersAsEachTalentAlone) {
    // Talent 30 has no requirement: never active, whatever its points.
    AttributDaten ohne{};
    for (int32_t& v : ohne.voraussetzung) v = -1;
    for (int32_t& v : ohne.schutz) v = -1;
    Attribut_Daten_Setzen(30, ohne);
    struct Fall {
        int32_t spieler, id, punkte;
        bool aktiv;
    } faelle[] = {{feld, 0, 11, true},     {feld, 1, 10, false},   {feld, 2, 9999, true}, {feld, 3, -1, false},
                  {feld, 30, 500, false},  {feld, 52, 11, true},   {torwart, 47, 12, true}, {torwart, 48, 10, false}};
    for (const Fall& f : faelle) Spieler_Wert(f.id, f.spieler, f.punkte, OP_SCHREIBEN);
    for (int32_t spieler : {feld, torwart}) {
        uint64_t maske = ~uint64_t(0);
        ASSERT_TRUE(Attribute_Aktive_Maske(spieler, &maske));
        for (int32_t id = 0; id <= ATTRIBUT_STERNE; ++id)
            EXPECT_EQ((maske >> id & 1) != 0, Attribute_Attribut_Aktief(spieler, id)) << spieler << "/" << id;
        EXPECT_EQ(maske >> (ATTRIBUT_STERNE + 1), 0u);
    }
    for (const Fall& f : faelle) {
        uint64_t maske = 0;
        Attribute_Aktive_Maske(f.spieler, &maske);
        EXPECT_EQ((maske >> f.id & 1) != 0, f.aktiv) << f.spieler << "/" << f.id;
    }
    // Requirements past the points' range never activate; the mask follows a
    // table loaded over a changed one.
    std::vector<uint8_t> tabelle;
    Attribut_Tabelle_Speichern(tabelle);
    AttributDaten hoch = *Attribut_Daten(4);
    hoch.noetige_punkte = 40000;
    Attribut_Daten_Setzen(4, hoch);
    Spieler_Wert(4, feld, INT16_MAX, OP_SCHREIBEN);
    Spieler_Wert(5, feld, INT16_MAX, OP_SCHREIBEN);
    hoch.noetige_punkte = Spieler_Wert(5, feld, 0, OP_LESEN) - 1;   // the most points a talent takes, less one
    Attribut_Daten_Setzen(5, hoch);
    for (bool geladen : {false, true}) {
        if (geladen) {
            ASSERT_TRUE(Attribut_Tabelle_Laden(tabelle.data(), tabelle.size()));
        }
        uint64_t m = 0;
        ASSERT_TRUE(Attribute_Aktive_Maske(feld, &m));
        for (int32_t id : {4, 5}) EXPECT_EQ((m >> id & 1) != 0, Attribute_Attribut_Aktief(feld, id)) << id << geladen;
        if (!geladen) {
            EXPECT_EQ(m >> 4 & 1, 0u);
            EXPECT_EQ(m >> 5 & 1, 1u);
        }
    }
    uint64_t maske = 7;
    EXPECT_FALSE(Attribute_Aktive_Maske(-1, &maske));
    EXPECT_FALSE(Attribute_Aktive_Maske(Spieler_Anzahl(), &maske));
    EXPECT_FALSE(Attribute_Aktive_Maske(feld, nullptr));
    EXPECT_EQ(maske, 7u);
}

TEST_F(Talente, TheLearntCountTakesEachRequirementAtItsEdges) {
    const int32_t hoechste = [&] {
        Spieler_Wert(6, feld, INT16_MAX, OP_SCHREIBEN);
        return Spieler_Wert(6, feld, 0, OP_LESEN);   // the most points a talent takes
    }();
    // One talent of one player set on a clean record, with its requirement.
    struct Fall {
        int32_t spieler, id, schwelle, punkte;
        bool gelernt;
    } faelle[] = {
        {feld, 2, 10, 9, false},           {feld, 2, 10, 10, true},         {feld, 2, 10, 11, true},
        {feld, 2, 10, -1, false},          {feld, 2, 1, 1, true},           {feld, 2, 1, 0, false},
        {feld, 2, 0, 500, false},          {feld, 2, -5, 500, false},       {feld, 2, 40000, hoechste, false},
        {feld, 2, hoechste, hoechste, true}, {feld, 2, hoechste + 1, hoechste, false},
        {feld, 0, 10, 10, true},           {feld, ATTRIBUT_FELD_ENDE, 10, 10, true},
        {feld, ATTRIBUT_NEG_START, 10, 10, false}, {feld, ATTRIBUT_TW_START, 10, 10, false},
        {torwart, ATTRIBUT_TW_START, 10, 10, true}, {torwart, ATTRIBUT_TW_ENDE, 10, 10, true},
        {torwart, ATTRIBUT_TW_ENDE, 10, 9, false},  {torwart, 3, 10, 10, false},
        {torwart, ATTRIBUT_NEG_ENDE, 10, 10, false}, {torwart, ATTRIBUT_TW_ENDE, 0, 10, false},
    };
    for (const Fall& f : faelle) {
        Tabelle_Setzen();
        for (int32_t id = 0; id <= ATTRIBUT_STERNE; ++id) Spieler_Wert(id, f.spieler, 0, OP_SCHREIBEN);
        AttributDaten d = *Attribut_Daten(f.id);
        d.noetige_punkte = f.schwelle;
        Attribut_Daten_Setzen(f.id, d);
        Spieler_Wert(f.id, f.spieler, f.punkte, OP_SCHREIBEN);
        Spieler_Wert(ATTRIBUT_STERNE, f.spieler, 20, OP_SCHREIBEN);   // the stars are no talent
        EXPECT_EQ(Attribute_Anzahl_Gelernt(f.spieler), f.gelernt ? 1 : 0)
            << f.spieler << "/" << f.id << " " << f.schwelle << " " << f.punkte;
    }
    // Many at once: every talent of the player's kind, the other kind's and the negative ones.
    Tabelle_Setzen();
    for (int32_t id = 0; id < ATTRIBUT_STERNE; ++id) {
        Spieler_Wert(id, feld, 10, OP_SCHREIBEN);
        Spieler_Wert(id, torwart, 10, OP_SCHREIBEN);
    }
    EXPECT_EQ(Attribute_Anzahl_Gelernt(feld), ATTRIBUT_FELD_ENDE + 1);
    EXPECT_EQ(Attribute_Anzahl_Gelernt(torwart), ATTRIBUT_TW_ENDE - ATTRIBUT_TW_START + 1);
}

TEST_F(Talente, PrerequisitesDevelopmentAndStartingNow) {
    int32_t v[3];
    EXPECT_EQ(Attribut_Zaehle(25, v), 1);
    EXPECT_EQ(v[0], -1);
    EXPECT_EQ(v[1], 5);
    EXPECT_FALSE(Attribut_Erlernbar(feld, 25, 0));
    EXPECT_EQ(Attribut_Name(feld, 25), 0);
    Attribut_Spieler_Setze_Wert(feld, 5, ATTRIBUT_LERNEN);
    EXPECT_TRUE(Attribut_Erlernbar(feld, 25, 0));
    EXPECT_EQ(Attribut_Name(feld, 25), 1);
    EXPECT_EQ(Attribute_Anzahl(feld), -1);
    Spieler_Wert(12, feld, 4, 1);                        // talent 12 in development
    EXPECT_EQ(Attribute_Anzahl(feld), 12);
    EXPECT_EQ(Attribut_Name(feld, 25), 0);               // one talent at a time
    EXPECT_TRUE(Attribute_Attribut_Aktief(feld, 99) == false);
    EXPECT_TRUE(test::Log_Enthaelt("Attribute_Attribut_Aktief : Attributnr ungultig!"));
    Attribut_Sterne_Grenze_Setzen(50);
    Spieler_Wert(12, feld, 0, 1);
    Spieler_Wert(53, feld, 20, 1);
    EXPECT_EQ(Attribute_Anzahl(feld), 53);
}

TEST_F(Talente, TheDeveloperActionTeachesTeamsOneToTwentyClosesTheListAndSetsTheFlag) {
    static int32_t geschlossen = 0;
    geschlossen = 0;
    Talent_Hooks().liste_schliessen = [] { ++geschlossen; };
    const int32_t markt = 72;   // the first player on the market
    ASSERT_EQ(Attribut_Toggle_Aktive(feld, 3), 0);
    ASSERT_TRUE(Attribut_Spieler_Setze_Wert(feld, 3, ATTRIBUT_LERNEN));
    ASSERT_EQ(Attribut_Toggle_Aktive(feld, 3), 1);
    EXPECT_FALSE(Attribut_Entwickler_Flag());
    Attribute_Tag();
    Talent_Hooks() = TalentHooks{};
    struct Fall {
        int32_t spieler, id, wert;
    } faelle[] = {{feld, 0, 10}, {feld, 39, 10}, {feld, 3, 10}, {feld, 40, 0}, {feld, 47, 0}, {torwart, 47, 10},
                  {torwart, 52, 10}, {torwart, 0, 0}, {71, 20, 10}, {markt, 0, 0}};
    for (const Fall& f : faelle) EXPECT_EQ(Spieler_Wert(f.id, f.spieler, 0, 0), f.wert) << f.spieler << "/" << f.id;
    EXPECT_EQ(geschlossen, 1);
    EXPECT_TRUE(Attribut_Entwickler_Flag());
    Tabelle_Setzen();   // the next game reads its talents
    EXPECT_FALSE(Attribut_Entwickler_Flag());
}

TEST(Transferfaktor, KeywordsAreClampedAndListsKeepTheirTail) {
    struct Fall {
        const char* zeile;
        int32_t faktor, index, erwartet;
    } faelle[] = {
        {"FAKTOR_0_100_PROGRESSION 1200", TF_PROGRESSION, 0, 999},
        {"FAKTOR_0_100_PROGRESSION_GRENZE -5", TF_PROGRESSION_GRENZE, 0, 0},
        {"FAKTOR_0_100_GEHALT -5", TF_GEHALT, 0, -5},
        {"FAKTOR_0_100_STAERKE_SPIELE_ART_TRANSFER \"40, 30, 30\"", TF_STAERKE_SPIELE_ART_TRANSFER, 2, 30},
        {"FAKTOR_0_100_STAERKE_SPIELE_ART_TRANSFER \"40, 30, 30\"", TF_STAERKE_SPIELE_ART_TRANSFER, 3, 77},
        {"FAKTOR_0_100_STAERKE_SPIELE_ART_GEHALT \"1,2,3,4,5,6\"", TF_STAERKE_SPIELE_ART_GEHALT, 3, 4},
    };
    for (const Fall& f : faelle) {
        Transferfaktor_Leeren();
        const int32_t alt[4] = {77, 77, 77, 77};
        Transferfaktor_Liste_Setzen(f.faktor, alt, 4);
        std::string text = std::string(f.zeile) + "\n";
        ASSERT_TRUE(Read_Config_Open_Text(text.data(), text.size(), "global.cfg", nullptr, 0));
        const char* b = Read_Config_Next();
        EXPECT_TRUE(Transferfaktor_Config_Lesen(b)) << f.zeile;
        Read_Config_Close();
        EXPECT_EQ(Transferfaktor_Liste(f.faktor, f.index), f.erwartet) << f.zeile;
    }
    EXPECT_FALSE(Transferfaktor_Config_Lesen("FAKTOR_0_100_GEHALTX"));
}

class Wirtschaft : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Tabelle_Setzen();
        test::Gehalt_Marktwert_Faktoren_Setzen();
    }
};

TEST_F(Wirtschaft, MarketValueFollowsTheFactorOrderOnWorkedNumbers) {
    // Player 3: defender (type value 85). Strength 6000 -> 6000/1000*1000/120 = 50;
    // appearances 9 -> 100. Sum (60*50 + 15*100 + 25*85)/100 = 66.25; linear half
    // 33.125, the rest 33.125^2 = 1097.27 -> 1130.39 x 400 = 452,158 -> 452,000.
    Spieler_Wert(58, 3, 6000, 1);
    Spieler_Wert(56, 3, 9, 1);
    EXPECT_EQ(Spieler_Berechne_Marktwert(3), 452000);
    // 12,000 strength: s = 100, sum (6000+1500+2125)/100 = 96.25 -> 48.125 + 2316.02 = 2364.14,
    // + 10 % = 2600.56, x 400 = 1,040,223 -> 1,040,000.
    Spieler_Wert(58, 3, 12000, 1);
    EXPECT_EQ(Spieler_Berechne_Marktwert(3), 1040000);
    // Clamped to at least 1, then rounded down to 1000: a factor of 0 gives 0.
    Transferfaktor_Setzen(TF_MARKTWERT_ABS, 0);
    EXPECT_EQ(Spieler_Berechne_Marktwert(3), 0);
}

// Each factor of the value's curve and each input of a player is seen at
// the next reading: one value read, the factor or input changed, read
// again, changed back (a value kept from before a change would be read).
TEST_F(Wirtschaft, EveryFactorAndInputIsSeenAtTheNextReading) {
    Spieler_Wert(58, 3, 6000, 1);
    Spieler_Wert(56, 3, 4, 1);
    struct Fall {
        const char* was;
        std::function<void(bool)> setzen;   // true: the changed setting, false: back
    };
    const int32_t gewichte[3] = {60, 15, 25}, andere[3] = {20, 50, 30};
    const std::vector<Fall> faelle = {
        {"weights", [&](bool b) { Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_TRANSFER, b ? andere : gewichte, 3); }},
        {"salary weights", [&](bool b) { Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_GEHALT, b ? andere : gewichte, 3); }},
        {"linear share", [](bool b) { Transferfaktor_Setzen(TF_PROGRESSION_GRENZE, b ? 80 : 50); }},
        {"exponent", [](bool b) { Transferfaktor_Setzen(TF_PROGRESSION, b ? 150 : 200); }},
        {"multiplier", [](bool b) { Transferfaktor_Setzen(TF_MARKTWERT_ABS, b ? 300 : 400); }},
        {"strength", [](bool b) { Spieler_Wert(58, 3, b ? 9000 : 6000, 1); }},
        {"appearances", [](bool b) { Spieler_Wert(56, 3, b ? 0 : 4, 1); }},
        {"kind", [](bool b) { Spieler_Wert(67, 3, b ? 3 : 1, 1); }},
    };
    for (const Fall& f : faelle) {
        f.setzen(false);
        const int32_t wert = Spieler_Berechne_Marktwert(3), gehalt = Spieler_Berechne_Gehalt(3);
        f.setzen(true);
        const int32_t wert2 = Spieler_Berechne_Marktwert(3), gehalt2 = Spieler_Berechne_Gehalt(3);
        EXPECT_TRUE(wert2 != wert || gehalt2 != gehalt) << f.was;
        f.setzen(false);
        EXPECT_EQ(Spieler_Berechne_Marktwert(3), wert) << f.was;
        EXPECT_EQ(Spieler_Berechne_Gehalt(3), gehalt) << f.was;
        f.setzen(true);
        EXPECT_EQ(Spieler_Berechne_Marktwert(3), wert2) << f.was;
        EXPECT_EQ(Spieler_Berechne_Gehalt(3), gehalt2) << f.was;
        f.setzen(false);
    }
}

TEST_F(Wirtschaft, SalaryDividesByTheFactorAndNeverByZero) {
    // Salary variant at 6000 / 9: sum (50*50 + 30*100 + 20*85)/100 = 72 -> 36 + 1296 = 1332 x 400 = 532,800
    // -> 532,000; one learnt talent adds a tenth: 585,200; minus 100,000 = 485,200;
    // ((485,200 / 100) x 80 / 1000) x 100 = (4852 x 80 / 1000) x 100 = 388 x 100 = 38,800.
    Spieler_Wert(58, 3, 6000, 1);
    Spieler_Wert(56, 3, 9, 1);
    Attribut_Spieler_Setze_Wert(3, 3, ATTRIBUT_LERNEN);
    EXPECT_EQ(Spieler_Berechne_Gehalt(3), 38800);
    Transferfaktor_Setzen(TF_GEHALT, 0);
    EXPECT_EQ(Spieler_Berechne_Gehalt(3), 0);
    EXPECT_TRUE(test::Log_Enthaelt("Spieler_Berechne_Gehalt: FAKTOR_0_100_GEHALT ist 0"));
}

TEST_F(Wirtschaft, DemandIsStableWithinADayAndRounded) {
    Spieler_Wert(58, 3, 9000, 1);
    Spieler_Forderung_Tag_Setzen(17);
    int32_t mw = Spieler_Berechne_Marktwert(3);
    int32_t a = Spieler_Get_Forderung(3);
    Rnd(0, 100);   // other draws in between do not change it
    EXPECT_EQ(Spieler_Get_Forderung(3), a);
    EXPECT_EQ(a % 10000, 0);
    EXPECT_GE(a, Kosten_Runden(mw));
    EXPECT_LE(a, mw + mw / 4);
    bool anders = false;
    for (int32_t tag = 18; tag < 40 && !anders; ++tag) {
        Spieler_Forderung_Tag_Setzen(tag);
        anders = Spieler_Get_Forderung(3) != a;
    }
    EXPECT_TRUE(anders);
    EXPECT_EQ(Kosten_Runden(1239999), 1230000);
}

TEST_F(Wirtschaft, ScoutAndCampPrices) {
    Global_Config_Init();
    ScoutDaten s{};
    s.grundpreis_factor = 5;
    s.gebietspreis[2] = 10;
    ASSERT_TRUE(Scout_Daten_Setzen(0, s));
    TrLagerDaten l{};
    l.kosten = 300;
    ASSERT_TRUE(Trainingslager_Daten_Setzen(0, l));
    Team_Lokal_Setzen(2);
    int32_t st = Team_Get_Staerke(2);
    ASSERT_GT(st, 0);
    double b = st * 1000 / 1.5;
    EXPECT_EQ(Scout_Grundpreis(0), int32_t(std::lround(b * 5 / 10 + b)) / 10000 * 10000);
    double b2 = st * 100 / 1.5;
    EXPECT_EQ(Scout_Gebietspreis(0, 2), int32_t(std::lround(b2 * 10 / 10 + b2)) / 10000 * 10000);
    EXPECT_EQ(Scout_Grundpreis(3), 0);
    std::string text = "FAKTOR_0_100_TRAININGSLAGER_KOSTEN 1000\n";
    ASSERT_TRUE(Global_Config_Lesen_Text(text, nullptr));
    ASSERT_TRUE(Trainingslager_Daten_Setzen(0, l));
    EXPECT_EQ(Trainingslager_Kosten(0), 300000);
    Trainingslager_Prozent_Setzen(80);
    EXPECT_EQ(Trainingslager_Kosten(0), 240000);
    Trainingslager_Prozent_Setzen(0);
    Team_Lokal_Setzen(-1);
}

TEST_F(Wirtschaft, InjuryDrawFollowsTheTableWeights) {
    Global_Config_Init();
    ASSERT_TRUE(Verletzung_Setzen(0, "*100", 1, 7, 7));
    ASSERT_TRUE(Verletzung_Setzen(1, "*101", 0, 1, 1));
    ASSERT_TRUE(Verletzung_Setzen(2, "*102", 3, 14, 20));
    int32_t zahl[3] = {};
    for (int32_t i = 0; i < 4000; ++i) {
        int32_t art = Spieler_Verletzen(2, 1, 1);
        ASSERT_GE(art, 0);
        ASSERT_LE(art, 2);
        ++zahl[art];
        int32_t tage = Spieler_Wert(71, 1, 0, 0);
        if (art == 0) {
            EXPECT_EQ(tage, 2);   // 7 / 7 + 1
        } else if (art == 2) {
            EXPECT_TRUE(tage == 3 || tage == 4);
        }
    }
    EXPECT_EQ(zahl[1], 0);
    EXPECT_NEAR(double(zahl[2]) / zahl[0], 3.0, 0.6);
    EXPECT_TRUE(Spieler_Wert(75, 1, 0, 0) & SP_STATUS_VERLETZT);
}

TEST_F(Wirtschaft, StartDummiesFitTheLeagueLevel) {
    for (int32_t niveau : {100, 50}) {
        for (int32_t i = 0; i < 30; ++i) {
            Spieler_Wert(5, 4, 10, 1);
            ASSERT_TRUE(Spieler_Init_Start_Dummies(4, niveau));
            int32_t st = Spieler_Wert(58, 4, 0, 0);
            EXPECT_GE(st, std::max(1000, niveau * 70));
            EXPECT_LE(st, niveau * 105);
            EXPECT_GE(Spieler_Wert(97, 4, 0, 0), Spieler_Wert(92, 4, 0, 0));
            EXPECT_EQ(Spieler_Wert(5, 4, 0, 0), 0);
            EXPECT_EQ(Spieler_Get_Team(4), 2);
        }
    }
    EXPECT_FALSE(Spieler_Init_Start_Dummies(-1, 50));
}

}  // namespace
}  // namespace velmora
