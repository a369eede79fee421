// tests/business/werbung_test.cpp - advertising: offers, acceptance, the
// weekly payments, automatic filling, the agency and the save block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "club/team_suche.h"
#include "core/rnd.h"
#include "tests/business/stadion_welt.h"

namespace velmora {
namespace {

using test::Bank;

class WerbungTest : public test::StadionWelt {
protected:
    void SetUp() override {
        StadionWelt::SetUp();
        ASSERT_NE(Manager_Neuer_Mitspieler(2, "Anna", -1), nullptr);
        Bank().konto[2] = 5000000;
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
    Bank() = test::Ersatzbank{};
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
    Bank() = test::Ersatzbank{};
    Werbung_Team_Woche(2);
    EXPECT_FLOAT_EQ(Bank().summe(2, BUCHUNG_WERBUNG), 0.0f);
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
    Bank().konto[2] = 800000;
    ASSERT_TRUE(Werbung_Automatik_Setzen(2, 1));
    EXPECT_EQ(W().automatisch, 1);
    EXPECT_EQ(W().angebot_sponsor, 0);
    EXPECT_EQ(W().angebot_wert, 9000);
    EXPECT_EQ(std::count(W().wert, W().wert + WERBUNG_PLAETZE, 0), WERBUNG_PLAETZE);
    // With money in the bank fresh offers come until the places are filled.
    Bank().konto[2] = 900000;
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
