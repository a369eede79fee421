// tests/business/trainingslager_test.cpp - training camps: booking with the
// season's allowance and the price, browsing, the run's bars, strength work,
// injuries, news lines, end effects, the save block and the seeded sequence.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "business/trainingslager.h"
#include "business/trainingslager_lauf.h"
#include "club/club_netz.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/talente.h"
#include "club/wirtschaft.h"
#include "core/bytes.h"
#include "core/hooks.h"
#include "tests/business/bank_welt.h"
#include "tests/club/talent_tabelle.h"

namespace velmora {
namespace {

constexpr int32_t TEAM = 2;   // the local club: players 0..17

std::vector<std::string>& Meldungen() {
    static std::vector<std::string> m;
    return m;
}
std::vector<int32_t>& Anzeigen() {
    static std::vector<int32_t> a;
    return a;
}

void Parameter(int32_t p, int32_t wert) { Global_Parameter_Setzen(p, 0, &wert, 1); }

class LagerTest : public test::BankWelt, public ::testing::Test {
protected:
    void SetUp() override {
        Team_Lokal_Setzen(TEAM);
        Global_Config_Init();
        ASSERT_TRUE(Global_Config_Lesen_Text("FAKTOR_0_100_TRAININGSLAGER_KOSTEN 10\n", nullptr));
        for (int32_t i = 0; i < TL_LAGER; ++i) {
            TrLagerDaten d{};
            std::snprintf(d.name, sizeof d.name, "Lager %d", i);
            for (int32_t& a : d.attribute) a = -1;
            d.kosten = 1000 * (i + 1);
            d.moral = 50 + 5 * i;
            d.erholung = 60;
            d.staerke = 70;
            ASSERT_TRUE(Trainingslager_Daten_Setzen(i, d));
        }
        test::Talent_Tabelle_Setzen({.noetige_punkte = 100});
        Parameter(GP_TRAINING_LAGER_BALKEN_MORAL_PARAM, 2);
        Parameter(GP_TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM, 2);
        Parameter(GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM, 2);
        Parameter(GP_TRAINING_LAGER_STAERKE_PARAM, 5);
        Parameter(GP_TRAINING_LAGER_VERLETZUNG_PARAM, 0);
        Verletzungsart art{1, 21, 21};
        Spieler_Verletzungsarten_Setzen(&art, 1);
        Manager_Set_Wert_33844(TEAM, 2);
        Lager_Reset();
        Meldungen().clear();
        Anzeigen().clear();
        Core_Hooks().meldung = [](const char* text) { Meldungen().push_back(text); };
        Lager_Hooks().anzeige = [](int32_t was, int32_t) { Anzeigen().push_back(was); };
        uhr = 1000;
    }
    void TearDown() override {
        Lager_Reset();
        Lager_Hooks() = LagerHooks{};
        Core_Hooks().meldung = nullptr;
    }
    static int32_t Konto() { return Bank_Kontostand(TEAM, false, -1); }
    const Lager_Balken& B(int32_t i) { return *Lager_Balken_Holen(i); }
    // Ticks 101 ms apart through Lager_Frame until the camp ends; the ticks run.
    int32_t Bis_Ende(int32_t max = 100000) {
        int32_t n = 0;
        while (Lager_Laeuft() && n < max) {
            Lager_Frame(uhr += 101);
            ++n;
        }
        return n;
    }
    int32_t Belegt() {
        int32_t n = 0;
        for (int32_t i = 0; i < LAGER_EREIGNISSE; ++i) n += Lager_Ereignis_Holen(i)->spieler != -1;
        return n;
    }
    // The camp's save block with one bar value changed, loaded back.
    // A finished bar has passed all its steps.
    void Balken_Wert_Setzen(int32_t balken, int32_t wert, int32_t zustand) {
        std::vector<uint8_t> b;
        Lager_Save(b);
        size_t ort = 8 + 24 + size_t(balken) * sizeof(Lager_Balken);
        if (zustand == LB_FERTIG) Bytes_Put32(b.data() + ort + offsetof(Lager_Balken, index), uint32_t(B(balken).anzahl));
        Bytes_Put32(b.data() + ort + offsetof(Lager_Balken, wert), uint32_t(wert));
        Bytes_Put32(b.data() + ort + offsetof(Lager_Balken, zustand), uint32_t(zustand));
        ASSERT_TRUE(Lager_Load(b.data(), b.size()));
        Lager_Frame(uhr);   // the clocks go on from here
    }
    uint32_t uhr = 0;
};

TEST_F(LagerTest, TwoCampsASeasonAtTheirPrice) {
    struct Fall {
        int32_t lager, ergebnis, uebrig;
        bool bezahlt;
    } faelle[] = {{3, TL_GEBUCHT, 1, true}, {0, TL_GEBUCHT, 0, true}, {5, TL_KEINE_MEHR, 0, false}};
    for (const Fall& f : faelle) {
        int32_t konto = Konto();
        int32_t preis = Trainingslager_Kosten(f.lager);
        ASSERT_GT(preis, 0);
        EXPECT_EQ(Trainingslager_Buchen(f.lager, uhr), f.ergebnis) << f.lager;
        EXPECT_EQ(Trainingslager_Uebrig(), f.uebrig);
        EXPECT_EQ(Konto(), f.bezahlt ? konto - preis : konto) << f.lager;
        EXPECT_EQ(Lager_Laeuft(), f.bezahlt);
        if (f.bezahlt) {
            EXPECT_EQ(Lager_Nummer(), f.lager);
            EXPECT_TRUE(Lager_Beenden());
        }
    }
    ASSERT_EQ(Meldungen().size(), 1u);
    EXPECT_EQ(Meldungen()[0], "Keine Trainingslager mehr in dieser Saison m\xf6glich!");
    // The season change gives two camps again.
    Manager_Set_Wert_33844(TEAM, 2);
    EXPECT_EQ(Trainingslager_Buchen(5, uhr), TL_GEBUCHT);
    EXPECT_EQ(Trainingslager_Uebrig(), 1);
}

TEST_F(LagerTest, ARefusedOrImpossibleBookingChangesNothing) {
    TrLagerDaten teuer = *Trainingslager_Daten(1);
    teuer.kosten = 200000000;
    ASSERT_TRUE(Trainingslager_Daten_Setzen(1, teuer));
    int32_t konto = Konto();
    EXPECT_EQ(Trainingslager_Buchen(1, uhr), TL_ABGELEHNT);
    EXPECT_EQ(Trainingslager_Uebrig(), 2);
    EXPECT_FALSE(Lager_Laeuft());
    EXPECT_EQ(Konto(), konto);
    // No such camp, or a camp running already: refused before any payment.
    for (int32_t lager : {-1, 8, 99}) EXPECT_EQ(Trainingslager_Buchen(lager, uhr), TL_FEHLER);
    ASSERT_EQ(Trainingslager_Buchen(2, uhr), TL_GEBUCHT);
    konto = Konto();
    EXPECT_EQ(Trainingslager_Buchen(3, uhr), TL_FEHLER);
    EXPECT_EQ(Konto(), konto);
    EXPECT_EQ(Trainingslager_Uebrig(), 1);
    EXPECT_EQ(Lager_Nummer(), 2);
    // Without a local club nothing is booked.
    Lager_Reset();
    Team_Lokal_Setzen(-1);
    EXPECT_EQ(Trainingslager_Buchen(2, uhr), TL_FEHLER);
}

TEST_F(LagerTest, BrowsingWrapsAndIgnoresStepsWithin300Ms) {
    struct Fall {
        int32_t richtung;
        uint32_t nach;
        bool schritt;
        int32_t auswahl;
    } faelle[] = {{-1, 0, true, 7},  {-1, 300, false, 7}, {-1, 1, true, 6},  {+1, 301, true, 7},
                  {+1, 301, true, 0}, {+1, 100, false, 0}, {+1, 250, true, 1}, {0, 500, false, 1}};
    int32_t start = Trainingslager_Oeffnen();
    ASSERT_EQ(start, Trainingslager_Auswahl());
    // Bring the remembered camp to 0 first.
    while (Trainingslager_Auswahl() != 0) Trainingslager_Blaettern(1, uhr += 400);
    uhr += 400;
    for (const Fall& f : faelle) {
        uhr += f.nach;
        EXPECT_EQ(Trainingslager_Blaettern(f.richtung, uhr), f.schritt) << f.richtung << " +" << f.nach;
        EXPECT_EQ(Trainingslager_Auswahl(), f.auswahl);
    }
    EXPECT_EQ(Trainingslager_Oeffnen(), 1);   // remembered for the program run
    // As at a program's start: camp 0, and the next step is not held back by the last one.
    Trainingslager_Auswahl_Zuruecksetzen();
    EXPECT_EQ(Trainingslager_Oeffnen(), 0);
    EXPECT_TRUE(Trainingslager_Blaettern(1, uhr));
    EXPECT_EQ(Trainingslager_Auswahl(), 1);
}

TEST_F(LagerTest, BarWidthsOfTheBookingPage) {
    struct Fall {
        int32_t wert, breite;
    } faelle[] = {{0, 0}, {1, 2}, {50, 90}, {99, 177}, {100, 179}, {150, 179}, {-5, 0}};
    for (const Fall& f : faelle) EXPECT_EQ(Trainingslager_Balken_Breite(f.wert), f.breite) << f.wert;
}

TEST_F(LagerTest, StartingSetsUpTheBarsAndTheSnapshot) {
    Spieler_Wert(90, 4, 6, OP_SCHREIBEN);
    Spieler_Wert(87, 0, 15, OP_SCHREIBEN);   // the goalkeeper moves to the bench slot 15
    ASSERT_TRUE(Lager_Starten(2, uhr));
    EXPECT_FALSE(Lager_Starten(3, uhr));
    EXPECT_TRUE(std::find(Anzeigen().begin(), Anzeigen().end(), LA_START) != Anzeigen().end());
    for (int32_t nr : {LB_MORAL, LB_ERHOLUNG}) {
        const Lager_Balken& b = B(nr);
        EXPECT_GE(b.wert, 200);
        EXPECT_LE(b.wert, 240);
        EXPECT_EQ(b.zustand, LB_STEIGEN);
        EXPECT_EQ(b.index, 0);
        EXPECT_GE(b.anzahl, 4);
        EXPECT_LE(b.anzahl, 10);
        EXPECT_LE(b.ziel[0], 360);
        int32_t lang = nr == LB_MORAL ? 60 * 2 * 70 : 60 * 2 * 70;
        EXPECT_EQ(b.dauer[0], lang);
        EXPECT_EQ(b.dauer[1], lang);
        for (int32_t i = 2; i < b.anzahl; ++i) {
            EXPECT_LE(b.ziel[i], b.ziel[i - 1]);
            EXPECT_EQ(b.dauer[i], lang * 2 / 7);
        }
    }
    const Lager_Balken& s = B(LB_STAERKE);
    EXPECT_EQ(s.wert, 180);
    EXPECT_EQ(s.index, -1);
    EXPECT_EQ(s.zustand, LB_WARTEN);
    EXPECT_GE(s.anzahl, 5);
    EXPECT_EQ(s.dauer[0], 70 * 2 * 100);
    EXPECT_EQ(s.dauer[2], 70 * 2 * 30);
    for (int32_t i = 1; i < s.anzahl; ++i) EXPECT_GE(s.ziel[i], s.ziel[0] / 4);
    // The squad in line-up slot order.
    ASSERT_EQ(Lager_Teilnehmer_Anzahl(), 18);
    Lager_Ergebnis z{};
    ASSERT_TRUE(Lager_Ergebnis_Zeile(0, &z));
    EXPECT_EQ(z.spieler, 1);
    ASSERT_TRUE(Lager_Ergebnis_Zeile(14, &z));
    EXPECT_EQ(z.spieler, 0);
    ASSERT_TRUE(Lager_Ergebnis_Zeile(3, &z));
    EXPECT_EQ(z.spieler, 4);
    EXPECT_EQ(z.moral_vorher, 6);
    EXPECT_FALSE(Lager_Ergebnis_Zeile(18, &z));
}

TEST_F(LagerTest, TheStrengthBarStartsOnlyOnceAnotherBarReachedItsPeak) {
    ASSERT_TRUE(Lager_Starten(0, uhr));
    int32_t ticks = 0;
    while (B(LB_MORAL).index < 1 && B(LB_ERHOLUNG).index < 1 && ticks < 10000) {
        EXPECT_EQ(B(LB_STAERKE).index, -1);
        EXPECT_EQ(B(LB_STAERKE).zustand, LB_WARTEN);
        Lager_Frame(uhr += 101);
        ++ticks;
    }
    EXPECT_GT(ticks, 1);
    EXPECT_EQ(B(LB_STAERKE).index, 0);
    EXPECT_EQ(B(LB_STAERKE).zustand, LB_STEIGEN);
}

TEST_F(LagerTest, TheCampEndsByItselfOnlyAfterABarFinished) {
    for (int32_t seed = 0; seed < 5; ++seed) {
        Rnd_Set_Index(seed * 977, 0);
        Lager_Reset();
        Anzeigen().clear();
        ASSERT_TRUE(Lager_Starten(seed, uhr));
        bool fertig = false;
        int32_t ticks = 0;
        while (Lager_Laeuft() && ticks < 200000) {
            for (int32_t i = 0; i < 3; ++i) {
                fertig = fertig || B(i).zustand == LB_FERTIG;
                EXPECT_GE(B(i).wert, 0);
                EXPECT_LE(B(i).wert, LAGER_BALKEN_MAX);
            }
            Lager_Frame(uhr += 101);
            ++ticks;
        }
        ASSERT_FALSE(Lager_Laeuft()) << seed;
        EXPECT_TRUE(fertig) << seed;
        EXPECT_LE(B(LB_ERHOLUNG).wert, 10);
        EXPECT_TRUE(Lager_Ergebnisse_Offen());
        EXPECT_TRUE(std::find(Anzeigen().begin(), Anzeigen().end(), LA_ENDE_MELDUNG) != Anzeigen().end());
        Lager_Ergebnisse_Schliessen();
        EXPECT_FALSE(Lager_Ergebnisse_Offen());
    }
}

TEST_F(LagerTest, AFinishedBarSinksToTenAtMostAndStaysThere) {
    ASSERT_TRUE(Lager_Starten(0, uhr));
    Balken_Wert_Setzen(LB_MORAL, 40, LB_FERTIG);
    Balken_Wert_Setzen(LB_ERHOLUNG, 300, LB_HALTEN);   // keeps the end rule away
    for (int32_t i = 0; i < 200; ++i) {
        Lager_Tick(uhr += 101);
        if (i > 20) {
            EXPECT_LE(B(LB_MORAL).wert, 10);
            EXPECT_GE(B(LB_MORAL).wert, 0);
        }
    }
    EXPECT_TRUE(Lager_Laeuft());
}

TEST_F(LagerTest, AnExhaustedSquadRisksInjuries) {
    Parameter(GP_TRAINING_LAGER_VERLETZUNG_PARAM, 36);   // 3600 beats every draw of random(0, 3500)
    ASSERT_TRUE(Lager_Starten(0, uhr));
    Balken_Wert_Setzen(LB_ERHOLUNG, 0, LB_HALTEN);
    ASSERT_TRUE(Lager_Erschoepft());
    // Injuries come while recovery stays near 0 (the bar step moves it by at most 3).
    for (int32_t i = 0; i < 10; ++i) {
        Balken_Wert_Setzen(LB_ERHOLUNG, 0, LB_HALTEN);
        Lager_Tick(uhr += 101);
    }
    int32_t verletzt = 0;
    for (int32_t p = 0; p < 18; ++p) verletzt += (Spieler_Wert(75, p, 0, 0) & SP_STATUS_VERLETZT) != 0;
    EXPECT_GE(verletzt, 3);
    EXPECT_LE(verletzt, 10);
    int32_t ereignisse = 0;
    for (int32_t i = 0; i < LAGER_EREIGNISSE; ++i)
        ereignisse += Lager_Ereignis_Holen(i)->art == LE_VERLETZT && Lager_Ereignis_Holen(i)->spieler != -1;
    EXPECT_EQ(ereignisse, verletzt);
    // Without the risk nobody is hurt however long the squad is exhausted.
    Parameter(GP_TRAINING_LAGER_VERLETZUNG_PARAM, 0);
    for (int32_t i = 0; i < 50; ++i) {
        Balken_Wert_Setzen(LB_ERHOLUNG, 0, LB_HALTEN);
        Lager_Tick(uhr += 101);
    }
    int32_t danach = 0;
    for (int32_t p = 0; p < 18; ++p) danach += (Spieler_Wert(75, p, 0, 0) & SP_STATUS_VERLETZT) != 0;
    EXPECT_EQ(danach, verletzt);
}

TEST_F(LagerTest, StrengthWorkRespectsTheMaximum) {
    Parameter(GP_TRAINING_LAGER_STAERKE_PARAM, 0);
    struct Fall {
        int32_t staerke, max;
        bool staerke_moeglich, max_moeglich;
    } faelle[] = {{4, 8, true, true}, {10, 12, true, false}, {12, 12, false, false}};
    for (const Fall& f : faelle) {
        Lager_Reset();
        for (int32_t p = 0; p < 18; ++p) {
            Spieler_Wert(97, p, f.max, OP_SCHREIBEN);
            Spieler_Wert(92, p, f.staerke, OP_SCHREIBEN);
            Spieler_Wert(75, p, 0, OP_ERSETZEN);
        }
        ASSERT_TRUE(Lager_Starten(0, uhr));
        // The strength bar runs from the start on.
        while (B(LB_STAERKE).index < 0) Lager_Tick(uhr += 101);
        bool st = false, mx = false;
        for (int32_t i = 0; i < 300 && Lager_Laeuft(); ++i) {
            Lager_Tick(uhr += 101);
            for (int32_t s = 0; s < LAGER_EREIGNISSE; ++s) {
                const Lager_Ereignis* e = Lager_Ereignis_Holen(s);
                if (e->spieler == -1) continue;
                st = st || e->art == LE_STAERKE;
                mx = mx || e->art == LE_MAX_STAERKE;
            }
            for (int32_t p = 0; p < 18; ++p) {
                EXPECT_LE(Spieler_Wert(92, p, 0, 0), Spieler_Wert(97, p, 0, 0));
                EXPECT_LE(Spieler_Wert(97, p, 0, 0), 12);
            }
        }
        EXPECT_EQ(st, f.staerke_moeglich) << f.staerke << "/" << f.max;
        EXPECT_EQ(mx, f.max_moeglich) << f.staerke << "/" << f.max;
    }
}

TEST_F(LagerTest, StrengthWorkRemovesANegativeTalentFirst) {
    Parameter(GP_TRAINING_LAGER_STAERKE_PARAM, 0);
    for (int32_t p = 1; p < 18; ++p) Spieler_Wert(42, p, 101, OP_SCHREIBEN);   // an active negative talent
    ASSERT_TRUE(Lager_Starten(0, uhr));
    bool weg = false;
    for (int32_t i = 0; i < 2000 && Lager_Laeuft() && !weg; ++i) {
        Lager_Tick(uhr += 101);
        for (int32_t s = 0; s < LAGER_EREIGNISSE; ++s) {
            const Lager_Ereignis* e = Lager_Ereignis_Holen(s);
            if (e->spieler == -1 || e->art != LE_NEGATIV_WEG) continue;
            weg = true;
            EXPECT_EQ(e->wert, 42);
            EXPECT_EQ(Spieler_Wert(42, e->spieler, 0, 0), 0);
        }
    }
    EXPECT_TRUE(weg);
}

TEST_F(LagerTest, TheNewsListHoldsTwentyLinesAndShowsThemInTurn) {
    Parameter(GP_TRAINING_LAGER_STAERKE_PARAM, 0);
    for (int32_t p = 0; p < 18; ++p) {
        Spieler_Wert(97, p, 12, OP_SCHREIBEN);
        Spieler_Wert(92, p, 0, OP_SCHREIBEN);
    }
    ASSERT_TRUE(Lager_Starten(0, uhr));
    int32_t gewinne = 0;
    for (int32_t i = 0; i < 3000 && Lager_Laeuft(); ++i) {
        int32_t vorher = 0;
        for (int32_t p = 0; p < 18; ++p) vorher += Spieler_Wert(92, p, 0, 0);
        Lager_Tick(uhr += 101);
        int32_t nachher = 0;
        for (int32_t p = 0; p < 18; ++p) nachher += Spieler_Wert(92, p, 0, 0);
        gewinne += nachher - vorher;
        EXPECT_LE(Belegt(), LAGER_EREIGNISSE);
        if (gewinne > 30) break;
    }
    ASSERT_GT(gewinne, LAGER_EREIGNISSE);
    EXPECT_EQ(Belegt(), LAGER_EREIGNISSE);   // the further lines were lost
    // The display: the first line for 1500 ms (700 while exhausted), then the next.
    bool erschoepft = Lager_Erschoepft();
    uint32_t halten = erschoepft ? 700 : 1500;
    int32_t erste = Lager_Ereignis_Anzeige(uhr);
    EXPECT_EQ(erste, 0);
    EXPECT_EQ(Lager_Ereignis_Anzeige(uhr + halten), 0);
    EXPECT_EQ(Lager_Ereignis_Anzeige(uhr + halten + 1), 1);
    EXPECT_EQ(Lager_Ereignis_Holen(0)->spieler, -1);
    EXPECT_EQ(Belegt(), LAGER_EREIGNISSE - 1);
}

TEST_F(LagerTest, EndEffectsHealMoraleAndExhaustion) {
    // Player 4 arrives with morale 6, player 5 injured for 10 days, player 6 for 2, player 7 exhausted.
    Spieler_Wert(90, 4, 6, OP_SCHREIBEN);
    Spieler_Wert(75, 5, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
    Spieler_Wert(71, 5, 10, OP_SCHREIBEN);
    Spieler_Wert(90, 5, 2, OP_SCHREIBEN);
    Spieler_Wert(75, 6, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
    Spieler_Wert(71, 6, 2, OP_SCHREIBEN);
    Spieler_Wert(56, 7, 9, OP_SCHREIBEN);
    ASSERT_TRUE(Lager_Starten(0, uhr));
    Balken_Wert_Setzen(LB_MORAL, 360, LB_HALTEN);
    Balken_Wert_Setzen(LB_ERHOLUNG, 350, LB_HALTEN);
    ASSERT_TRUE(Lager_Beenden());
    EXPECT_FALSE(Lager_Laeuft());
    EXPECT_TRUE(Lager_Ergebnisse_Offen());
    EXPECT_FALSE(Lager_Beenden());
    EXPECT_EQ(Spieler_Wert(90, 4, 0, 0), 5);                 // never above 5
    EXPECT_EQ(Spieler_Wert(71, 5, 0, 0), 4);                 // (10 - 1) / 2, still out
    EXPECT_TRUE(Spieler_Wert(75, 5, 0, 0) & SP_STATUS_VERLETZT);
    EXPECT_EQ(Spieler_Wert(90, 5, 0, 0), 2);                 // an injured player is finished
    EXPECT_EQ(Spieler_Wert(71, 6, 0, 0), 0);                 // healed
    EXPECT_FALSE(Spieler_Wert(75, 6, 0, 0) & SP_STATUS_VERLETZT);
    int32_t e = Spieler_Wert(56, 7, 0, 0);
    EXPECT_TRUE(e == 9 || e == 8 || e == 6 || e == 4 || e == 2) << e;
    Lager_Ergebnis z{};
    bool gefunden = false;
    for (int32_t i = 0; i < Lager_Teilnehmer_Anzahl(); ++i) {
        ASSERT_TRUE(Lager_Ergebnis_Zeile(i, &z));
        if (z.spieler != 4) continue;
        gefunden = true;
        EXPECT_EQ(z.moral_vorher, 6);
        EXPECT_EQ(z.moral, 5);
    }
    EXPECT_TRUE(gefunden);
    // Every morale stays within 0..5 and no exhaustion rose.
    for (int32_t p = 0; p < 18; ++p) {
        EXPECT_LE(Spieler_Wert(90, p, 0, 0), 5);
        EXPECT_LE(Spieler_Wert(56, p, 0, 0), p == 7 ? 9 : 0);
    }
}

TEST_F(LagerTest, TheSaveBlockCarriesTheRunAndRefusesDamage) {
    ASSERT_TRUE(Lager_Starten(4, uhr));
    for (int32_t i = 0; i < 300; ++i) Lager_Frame(uhr += 101);
    ASSERT_TRUE(Lager_Laeuft());
    std::vector<uint8_t> block;
    Lager_Save(block);
    Lager_Balken vorher[3] = {B(0), B(1), B(2)};
    int32_t rnd = Rnd_Get_Index();
    // Run on from the block and from the live state: the same bars.
    for (int32_t i = 0; i < 200 && Lager_Laeuft(); ++i) Lager_Frame(uhr + 101 * uint32_t(i + 1));
    Lager_Balken live[3] = {B(0), B(1), B(2)};
    Lager_Reset();
    ASSERT_TRUE(Lager_Load(block.data(), block.size()));
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(B(i).wert, vorher[i].wert);
        EXPECT_EQ(B(i).index, vorher[i].index);
        EXPECT_EQ(0, std::memcmp(B(i).ziel, vorher[i].ziel, sizeof vorher[i].ziel));
    }
    Rnd_Set_Index(rnd, 0);
    uint32_t spaeter = uhr + 777777;   // another clock after the load
    Lager_Frame(spaeter);
    for (int32_t i = 0; i < 200 && Lager_Laeuft(); ++i) Lager_Frame(spaeter + 101 * uint32_t(i + 1));
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(B(i).wert, live[i].wert) << i;
        EXPECT_EQ(B(i).zustand, live[i].zustand) << i;
    }
    // Damage is refused and changes nothing.
    Lager_Balken jetzt = B(0);
    std::vector<uint8_t> kurz(block.begin(), block.end() - 4);
    EXPECT_FALSE(Lager_Load(kurz.data(), kurz.size()));
    std::vector<uint8_t> kaputt = block;
    Bytes_Put32(kaputt.data() + 8 + 24 + offsetof(Lager_Balken, anzahl), 11);
    EXPECT_FALSE(Lager_Load(kaputt.data(), kaputt.size()));
    kaputt = block;
    Bytes_Put32(kaputt.data() + 8, 8);   // camp 8
    EXPECT_FALSE(Lager_Load(kaputt.data(), kaputt.size()));
    kaputt = block;
    Bytes_Put32(kaputt.data() + 4, 1);   // running and showing results at once
    EXPECT_FALSE(Lager_Load(kaputt.data(), kaputt.size()));
    EXPECT_EQ(B(0).wert, jetzt.wert);
    // The results list survives a save too.
    Lager_Beenden();
    block.clear();
    Lager_Save(block);
    Lager_Reset();
    ASSERT_TRUE(Lager_Load(block.data(), block.size()));
    EXPECT_TRUE(Lager_Ergebnisse_Offen());
    EXPECT_FALSE(Lager_Laeuft());
    EXPECT_EQ(Lager_Teilnehmer_Anzahl(), 18);
}

TEST_F(LagerTest, TheSameRandomIndexGivesTheSameCamp) {
    auto lauf = [this] {
        std::vector<int32_t> spur;
        Rnd_Set_Index(321, 0);
        for (int32_t p = 0; p < 18; ++p) {
            Spieler_Wert(92, p, 2, OP_SCHREIBEN);
            Spieler_Wert(97, p, 6, OP_SCHREIBEN);
            Spieler_Wert(90, p, 3, OP_SCHREIBEN);
            Spieler_Wert(75, p, 0, OP_ERSETZEN);
        }
        Lager_Reset();
        uhr = 5000;
        EXPECT_TRUE(Lager_Starten(6, uhr));
        Bis_Ende();
        for (int32_t i = 0; i < 3; ++i) spur.push_back(B(i).wert);
        for (int32_t p = 0; p < 18; ++p)
            for (int32_t m : {56, 90, 92, 97}) spur.push_back(Spieler_Wert(m, p, 0, 0));
        return spur;
    };
    EXPECT_EQ(lauf(), lauf());
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// A client's camp is counted off on the server: its own club's value 308
// falls by one per request and never below 0; another club's stays.
TEST_F(LagerTest, TheServerCountsOffOnlyTheClientsOwnCampsByOne) {
    Manager_Set_Wert_33844(TEAM, 2);
    struct Fall {
        int32_t team, antwort, uebrig;
    } faelle[] = {{TEAM, 1, 1}, {TEAM, 0, 0}, {TEAM, -1, 0}, {TEAM + 1, -1, 0}};
    for (const Fall& f : faelle) {
        std::vector<uint8_t> arg, antwort;
        ClubPacker pk{arg};
        pk.i32(f.team);
        ClubLeser l{arg.data(), arg.size()};
        ASSERT_TRUE(Manager_Server_Anfrage(ANFRAGE_MANAGER_LAGER, TEAM, l, antwort));
        ClubLeser a{antwort.data(), antwort.size()};
        EXPECT_EQ(a.i32(), f.antwort) << "team " << f.team;
        EXPECT_EQ(Trainingslager_Uebrig(), f.uebrig);
    }
}

}  // namespace
}  // namespace velmora
