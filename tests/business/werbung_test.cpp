// tests/business/werbung_test.cpp - advertising: offers, acceptance, the
// weekly payments, automatic filling, the agency and the save block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "club/team_suche.h"
#include "core/rnd.h"
#include "season/rangliste.h"
#include "tests/business/stadion_welt.h"
#include "tests/support/rnd_vorgabe.h"

namespace velmora {
namespace {

using test::Bank;

class WerbungTest : public test::StadionWelt {
protected:
    void SetUp() override {
        StadionWelt::SetUp();
        ASSERT_NE(Manager_Neuer_Mitspieler(2, "Anna", -1), nullptr);
        test::Konto_Setzen(2, 5000000);
    }
    Werbung_Datensatz& W() { return *Werbung_Get_Team(2); }
    // Every place filled with a contract of the given value, matches and lock.
    void Alle_Belegen(int32_t wert, int32_t spiele, int32_t sperre) {
        for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p) {
            W().sponsor[p] = uint8_t(p);
            W().wert[p] = wert;
            W().spiele[p] = spiele;
            W().sperre[p] = sperre;
        }
    }
};

TEST_F(WerbungTest, ComputerClubsHaveNoRecord) {
    EXPECT_EQ(Werbung_Get_Team(3), nullptr);
    EXPECT_FALSE(Werbung_Angebot_Annehmen(3));
    EXPECT_EQ(Werbung_Agentur_Preis(3), 0);
    EXPECT_EQ(Werbung_Attraktivitaet(3), 0);
    EXPECT_EQ(Werbung_Altern(3), 0);
    Werbung_Team_Woche(3);
    Werbung_Angebot_Erzeugen(3, 1);
    EXPECT_TRUE(Bank().buchungen.empty());
}

TEST_F(WerbungTest, AResetFillsEveryPlaceWithoutLocksAndMakesAnOffer) {
    Werbung_Team_Reset(2, 1);
    EXPECT_EQ(std::count(W().wert, W().wert + WERBUNG_PLAETZE, 0), 0);
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p) {
        EXPECT_EQ(W().sperre[p], 0);
        EXPECT_GE(W().spiele[p], 17 * 50 / 100);
        EXPECT_LE(W().spiele[p], 17 * 150 / 100);
        int32_t r = W().sponsor[p];
        if (p == 0) {
            EXPECT_GE(r, 15);
        } else if (p < WERBUNG_ERSATZ_PLATZ) {
            EXPECT_LT(r, 15);
        }
    }
    EXPECT_GT(W().angebot_wert, 0);
    EXPECT_EQ(W().angebot_wert % 1000, 0);
    // Nothing is paid to the club before a match.
    EXPECT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 0.0f);
}

TEST_F(WerbungTest, ContractsPayAfterEveryMatchAndRunOut) {
    Alle_Belegen(0, 0, 0);
    W().wert[0] = 50000;
    W().spiele[0] = 2;
    W().sperre[0] = 1;
    W().wert[3] = 7000;
    W().spiele[3] = 5;
    Werbung_Team_Woche(2);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 57000.0f);
    EXPECT_EQ(W().spiele[0], 1);
    EXPECT_EQ(W().sperre[0], 0);
    Werbung_Team_Woche(2);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 114000.0f);
    EXPECT_EQ(W().wert[0], 0);   // run out: free again
    EXPECT_EQ(W().wert[3], 7000);
    Werbung_Team_Woche(2);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 121000.0f);
    for (const test::Buchung& b : Bank().buchungen) EXPECT_EQ(b.von, -1);
}

TEST_F(WerbungTest, TheReplacementPartnerPaysForEveryEmptyBoard) {
    Alle_Belegen(0, 0, 0);
    W().wert[8] = 1000;
    W().spiele[8] = 3;
    W().ersatz[0] = 100;
    W().ersatz[1] = 200;
    W().ersatz[2] = 300;
    Werbung_Team_Woche(2);
    // Empty: the TV place, the main sponsor and six boards.
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 100 + 200 + 6 * 300.0f);
    // With every other place filled it pays nothing.
    Bank() = test::Bankbuch{};
    for (int32_t p = 0; p < WERBUNG_ERSATZ_PLATZ; ++p) {
        W().wert[p] = 1;
        W().spiele[p] = 10;
    }
    Werbung_Team_Woche(2);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 8.0f);
    // Its contract runs out: the place and all three payments end.
    for (int32_t p = 0; p < WERBUNG_ERSATZ_PLATZ; ++p) W().wert[p] = 0;
    Werbung_Team_Woche(2);
    EXPECT_EQ(W().wert[8], 0);
    for (int32_t j = 0; j < 3; ++j) EXPECT_EQ(W().ersatz[j], 0);
    Bank() = test::Bankbuch{};
    Werbung_Team_Woche(2);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 0.0f);
}

// Attractiveness and offers by hand. Strength 55 of 132: s = 5500 / 132 - 15
// = 26, 26^1.13 = 39.7 -> 39. League of 4, club 2 first (t = 4 x 100 / 4 =
// 100), club 5 last (t = 1 x 100 / 4 = 25); ranked (no points yet, team
// order) club 2 gets g = 100, club 5 100 - 3 x 100 / 4 = 25, kept at 30.
TEST_F(WerbungTest, AttractivenessAndOffersFollowTheirWeights) {
    ASSERT_EQ(Team_Berechne_Staerke(2, 16), 55);
    ASSERT_NE(Manager_Neuer_Mitspieler(5, "Bert", -1), nullptr);
    struct Attraktiv {
        int32_t team;
        bool rangliste, ohne_liga;
        const char* regeln;
        int32_t wert;
    } attraktiv[] = {
        // a = (39 x 60 + 50 x 20 + 100 x 20) / 100 = 53; u = 53: 53^1.5 = 385.8.
        {2, false, false, "", 385},
        {2, true, false, "", 500},     // a = (2340 + 2000 + 2000) / 100 = 63, 63^1.5 = 500.05
        {5, true, false, "", 198},     // a = (2340 + 600 + 500) / 100 = 34, 34^1.5 = 198.3
        {2, false, true, "", 281},     // t = 50: a = 43, 43^1.5 = 281.97
        // The later lines win: u = 53 x 40 / 100 = 21, (53 - 21) + 21^2 = 473.
        {2, false, false, "WERBUNG_RANGLISTEN_PROGRESSION 200\nWERBUNG_RANGLISTEN_PROGRESSION_GRENZE 40\n", 473},
    };
    for (const Attraktiv& f : attraktiv) {
        ASSERT_TRUE(Global_Config_Lesen_Text(std::string(test::STADION_REGELN) + f.regeln, "test"));
        if (f.rangliste) {
            ASSERT_TRUE(Rangliste_Init());
            Rangliste_Tag();
        }
        if (f.ohne_liga) Team_Wert(TW_WETTBEWERB, f.team, -1, OP_SCHREIBEN);
        EXPECT_EQ(Werbung_Attraktivitaet(f.team), f.wert) << "team " << f.team << " ranked " << f.rangliste;
        Team_Wert(TW_WETTBEWERB, f.team, test::LIGA, OP_SCHREIBEN);
        if (f.rangliste) Rangliste_Free();
    }

    // Offers for the one place left free, every table entry 106: Rnd(15,19) =
    // 16, Rnd(0,14) = 1, Rnd(x - 15, x + 15) = x - 2, Rnd(70,105) = 104,
    // duration Rnd(8,25) = 24, lock 24 - Rnd(1,4) = 21. Attractiveness 385,
    // base price 40; surcharges 200, 150, 50, 30.
    struct Angebot {
        int32_t frei, kategorie, sponsor, preisbasis, wert, aufpreis;
        int32_t ersatz[3];
    } angebote[] = {
        // TV: 40 + 2 x 16 - 30 = 42; 42 x 198 x 10 x 385 / 100 = 320166; 198 + 100 - 200.
        {0, 0, 16, 42, 320000, 98, {0, 0, 0}},
        // Board: 40 + 1 = 41; 41 x 48 x 10 x 385 / 100 = 75768; 48 + 100 - 50.
        {4, 2, 1, 41, 75000, 98, {0, 0, 0}},
        // Replacement partner, lowest values 60,500, 45,000 and 7,000:
        // 605 x 104 x 80 / 100 + (198 x 41 / 100 x 20000) / 100 = 50336 + 16200 = 66536;
        // 450 x 104 x 80 / 100 + 60 x 20000 / 100 = 37440 + 12000 = 49440;
        // 70 x 104 x 80 / 100 + 19 x 20000 / 100 = 5824 + 3800 = 9624; surcharge 104 + 12.
        {8, 3, 1, 41, 66000, 116, {66000, 49000, 9000}},
    };
    ASSERT_TRUE(Global_Config_Lesen_Text(test::STADION_REGELN, "test"));
    for (const Angebot& f : angebote) {
        Alle_Belegen(9000, 30, 30);
        W().wert[0] = 60500;
        W().wert[1] = 45000;
        W().wert[5] = 7000;
        W().wert[f.frei] = 0;
        test::Rnd_Alle(106);
        Werbung_Angebot_Erzeugen(2, 0);
        EXPECT_EQ(W().angebot_kategorie, f.kategorie) << "free place " << f.frei;
        EXPECT_EQ(W().angebot_sponsor, f.sponsor) << "free place " << f.frei;
        const int32_t preisbasis = Werbung_Sponsor(f.sponsor)->preisbasis;   // a packed record: read by value
        EXPECT_EQ(preisbasis, f.preisbasis) << "free place " << f.frei;
        EXPECT_EQ(W().angebot_wert, f.wert) << "free place " << f.frei;
        EXPECT_EQ(W().angebot_aufpreis, f.aufpreis) << "free place " << f.frei;
        EXPECT_EQ(W().angebot_dauer, 24);
        EXPECT_EQ(W().angebot_sperre, 21);
        if (f.kategorie == 3) {
            for (int32_t j = 0; j < 3; ++j) EXPECT_EQ(W().angebot_ersatz[j], f.ersatz[j]) << "category " << j;
        }
    }
    EXPECT_TRUE(Bank().buchungen.empty());   // a free place needs no agency
}

TEST_F(WerbungTest, AFullyLockedClubStillGetsOffersAndPaysTheAgency) {
    Alle_Belegen(10000, 30, 30);
    int32_t preis = Werbung_Agentur_Preis(2);
    ASSERT_GT(preis, 0);
    Werbung_Angebot_Erzeugen(2, 0);
    EXPECT_EQ(W().angebot_kategorie, 0);
    EXPECT_GE(W().angebot_sponsor, 15);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG_KOSTEN), float(preis));
    // Accepting finds no place that is free or unlocked.
    EXPECT_FALSE(Werbung_Angebot_Annehmen(2));
    EXPECT_EQ(W().wert[0], 10000);
}

TEST_F(WerbungTest, AcceptingTakesAFreePlaceElseTheCheapestUnlockedOne) {
    Alle_Belegen(10000, 30, 0);
    W().wert[5] = 3000;
    W().wert[6] = 0;
    W().angebot_wert = 0;
    // Without an offer nothing is accepted.
    EXPECT_FALSE(Werbung_Angebot_Annehmen(2));
    auto angebot = [&](int32_t kategorie) {
        W().angebot_sponsor = 4;
        W().angebot_kategorie = kategorie;
        W().angebot_wert = 55000;
        W().angebot_dauer = 12;
        W().angebot_sperre = 9;
    };
    angebot(2);
    ASSERT_TRUE(Werbung_Angebot_Annehmen(2));
    EXPECT_EQ(W().wert[6], 55000);    // the free board
    EXPECT_EQ(W().sponsor[6], 4);
    EXPECT_EQ(W().spiele[6], 12);
    EXPECT_EQ(W().sperre[6], 9);
    angebot(2);
    ASSERT_TRUE(Werbung_Angebot_Annehmen(2));
    EXPECT_EQ(W().wert[5], 55000);    // the cheapest board without lock
    // The replacement partner takes its three payments.
    angebot(3);
    W().angebot_ersatz[0] = 11000;
    W().angebot_ersatz[1] = 12000;
    W().angebot_ersatz[2] = 13000;
    ASSERT_TRUE(Werbung_Angebot_Annehmen(2));
    EXPECT_EQ(W().wert[8], 11000);
    EXPECT_EQ(W().ersatz[2], 13000);
}

TEST_F(WerbungTest, TheAgencyStrainAnnouncesItsNewsAfterOneOrTwoMatches) {
    struct Schritt {
        int32_t belastung_vorher, ergebnis, belastung_nachher;
    } schritte[] = {{4, 0, 5}, {5, 1, 10}, {13, 2, 18}, {21, 3, 22}, {30, 0, 31}, {100, 0, 100}};
    for (const Schritt& s : schritte) {
        W().belastung = uint8_t(s.belastung_vorher);
        W().countdown = 0;
        EXPECT_EQ(Werbung_Altern(2), s.ergebnis) << s.belastung_vorher;
        EXPECT_EQ(W().belastung, s.belastung_nachher);
    }
    W().belastung = 21;
    W().countdown = 0;
    ASSERT_EQ(Werbung_Altern(2), 3);
    int32_t countdown = W().countdown;
    ASSERT_GE(countdown, 1);
    ASSERT_LE(countdown, 2);
    for (int32_t i = 1; i <= countdown; ++i) {
        EXPECT_TRUE(Bank().news.empty());
        Werbung_Team_Woche(2);
    }
    ASSERT_EQ(Bank().news.size(), 1u);
    EXPECT_EQ(Bank().news[0].second, 0x1004u);
    Werbung_Team_Woche(2);
    EXPECT_EQ(Bank().news.size(), 1u);
    // A match lowers the strain by two and forgets the requests.
    EXPECT_EQ(W().belastung, 22 - 2 * (countdown + 1));
    EXPECT_EQ(W().anfragen, 0);
}

TEST_F(WerbungTest, AskingTheAgencyAgainRaisesItsPrice) {
    Alle_Belegen(0, 0, 0);
    int64_t v = Team_Suche_Spieler(2, -1, 0);
    int64_t faktor = std::max<int64_t>(20, v / 2);
    for (int32_t k = 0; k < 4; ++k) {
        EXPECT_EQ(W().anfragen, k);
        int64_t erwartet = ((25000 + k * 10000) * faktor / 100 + 4900) / 5000 * 5000;
        EXPECT_EQ(Werbung_Agentur_Preis(2), erwartet) << k;
        Werbung_Angebot_Erzeugen(2, 1);
        Werbung_Altern(2);
    }
}

TEST_F(WerbungTest, AutomaticFillingOnALowBalanceKeepsAnUnattractiveOffer) {
    Alle_Belegen(0, 0, 0);
    // Row 0 has no appeal at all.
    W().angebot_sponsor = 0;
    W().angebot_kategorie = 2;
    W().angebot_wert = 9000;
    W().angebot_aufpreis = 100;
    test::Konto_Setzen(2, 800000);
    ASSERT_TRUE(Werbung_Automatik_Setzen(2, 1));
    EXPECT_EQ(W().automatisch, 1);
    EXPECT_EQ(W().angebot_sponsor, 0);
    EXPECT_EQ(W().angebot_wert, 9000);
    EXPECT_EQ(std::count(W().wert, W().wert + WERBUNG_PLAETZE, 0), WERBUNG_PLAETZE);
    // With money in the bank fresh offers come until the places are filled.
    test::Konto_Setzen(2, 900000);
    Werbung_Slots_Fuellen(2, 1);
    EXPECT_LT(std::count(W().wert, W().wert + WERBUNG_PLAETZE, 0), WERBUNG_PLAETZE);
}

TEST_F(WerbungTest, PitchBoardsShowTheSponsorsOrRandomOnesWithoutMovingTheSequence) {
    Alle_Belegen(1000, 5, 0);
    W().wert[2] = 0;
    int32_t b[6];
    ASSERT_TRUE(Werbung_Sponsoren_Banden(2, b, 6));
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 2);
    EXPECT_EQ(b[2], 0);
    EXPECT_EQ(b[5], 6);
    Rnd_Set_Index(1234, 0);
    ASSERT_TRUE(Werbung_Sponsoren_Banden(3, b, 6));
    EXPECT_EQ(Rnd_Get_Index(), 1234);
    for (int32_t x : b) {
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 15);
    }
    EXPECT_FALSE(Werbung_Sponsoren_Banden(3, b, 7));
    EXPECT_FALSE(Werbung_Sponsoren_Banden(3, nullptr, 6));
}

TEST_F(WerbungTest, EveryOperationBeforeInitIsRefusedWithItsLogLine) {
    Werbung_Free();
    EXPECT_EQ(Werbung_Get_Team(2), nullptr);
    EXPECT_FALSE(Werbung_Angebot_Annehmen(2));
    Werbung_Team_Woche(2);
    EXPECT_TRUE(Bank().buchungen.empty());
    EXPECT_TRUE(test::Log_Enthaelt("Werbung muß initialisiert werden"));
}

TEST_F(WerbungTest, SaveAndLoadGiveTheSameBytesAndDamagedBlocksAreRefused) {
    ASSERT_NE(Manager_Neuer_Mitspieler(4, "Bert", -1), nullptr);
    Werbung_Team_Reset(2, 1);
    Werbung_Team_Reset(4, 1);
    W().automatisch = 1;
    std::vector<uint8_t> a;
    Werbung_Save(a);
    ASSERT_EQ(a.size(), 240u + 4u + 2 * 180u);
    Werbung_Free();
    ASSERT_TRUE(Werbung_Load(a.data(), a.size()));
    EXPECT_EQ(W().automatisch, 1);
    std::vector<uint8_t> b;
    Werbung_Save(b);
    EXPECT_EQ(a, b);
    auto geaendert = [&](size_t pos, uint8_t wert) {
        std::vector<uint8_t> k = a;
        k[pos] = wert;
        return k;
    };
    const size_t satz = 244 + 4;
    std::vector<std::vector<uint8_t>> kaputt = {
        std::vector<uint8_t>(a.begin(), a.end() - 1),
        geaendert(240, 3),              // three records announced
        geaendert(244 + 180, 2),        // the same club twice
        geaendert(satz + 3, 20),        // a sponsor row beyond the table
        geaendert(satz + 170, 101),     // strain above 100
        geaendert(satz + 136, 4),       // an offer of category 4
    };
    W().automatisch = 0;
    for (const auto& k : kaputt) {
        EXPECT_FALSE(Werbung_Load(k.data(), k.size()));
        EXPECT_EQ(W().automatisch, 0);
    }
}

}  // namespace
}  // namespace velmora
