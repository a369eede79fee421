// Loans, the loan rates and the period close.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/clock.h"
#include "tests/business/bank_welt.h"

namespace velmora {
namespace {

using test::BankWelt;

float Stand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

TEST(BankKredit, RepaidWithInterestAtTheDuePeriodClose) {
    BankWelt w;
    EXPECT_EQ(Bank_Zins_Endbetrag(1000000.0f, 12, 8.0f), 1096000.0f);
    EXPECT_EQ(Bank_Zins_Endbetrag(1000000.0f, 0, 8.0f), 1000000.0f);
    ASSERT_TRUE(Bank_Kredit(-1, 2, 1000000.0f, 12, 0, 8.0f, 0));
    EXPECT_EQ(Stand(2), 2000000);
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, BUCHUNG_KREDIT_AUSZAHLUNG | 0x80), 1000000.0f);
    int32_t cursor = 0;
    const Bank_Kredit_Posten* p = Bank_Posten_Holen(2, &cursor);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->betrag, -1000000.0f);
    EXPECT_EQ(p->gesamt, -1096000.0f);
    EXPECT_EQ(p->perioden, 12);
    EXPECT_EQ(p->zins, 8.0f);
    EXPECT_EQ(p->partei, 0);
    EXPECT_EQ(Bank_Posten_Holen(2, &cursor), nullptr);
    EXPECT_EQ(cursor, 0);
    EXPECT_TRUE(Bank_Hat_Kredit(2));
    EXPECT_EQ(Bank_Kreditrahmen(2), 11000000.0f);
    for (int i = 0; i < 11; ++i) Bank_Periode_Buchen(2, nullptr);
    EXPECT_EQ(Stand(2), 2000000) << "not due before the 12th close";
    EXPECT_TRUE(test::Bank_News().empty());
    Bank_Periode_Buchen(2, nullptr);
    EXPECT_EQ(Stand(2), 2000000 - 1096000);
    EXPECT_EQ(Bank_Kategorie_Summe(2, -1, BUCHUNG_KREDIT_TILGUNG), 1096000.0f);
    EXPECT_FALSE(Bank_Hat_Kredit(2));
    EXPECT_EQ(Bank_Anzahl_Posten(2), 0);
    ASSERT_EQ(test::Bank_News().size(), 1u);
    EXPECT_EQ(test::Bank_News()[0].team, 2);
    EXPECT_EQ(test::Bank_News()[0].flags, BANK_NEWS_FLAGS_WICHTIG);
    EXPECT_NE(test::Bank_News()[0].text.find("1.000.000"), std::string::npos);
    EXPECT_NE(test::Bank_News()[0].text.find("1.096.000"), std::string::npos);
}

TEST(BankKredit, TableRateByTermStep) {
    struct {
        int32_t laufzeit, stufe;
    } faelle[] = {{-5, 0}, {0, 0}, {1, 0}, {2, 0}, {3, 1}, {5, 1}, {6, 2}, {11, 2},
                  {12, 3}, {23, 3}, {24, 4}, {36, 5}, {47, 5}, {48, 6}, {1000, 6}};
    for (auto f : faelle) EXPECT_EQ(Bank_Stufe(f.laufzeit), f.stufe) << f.laufzeit;
    BankWelt w;
    ASSERT_TRUE(Bank_Kredit(-1, 2, 100000.0f, 24, 0, -1.0f, 7));
    int32_t cursor = 0;
    const Bank_Kredit_Posten* p = Bank_Posten_Holen(2, &cursor);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->zins, Bank_Kreditzins(4));
    EXPECT_EQ(p->partei, 7) << "the lender id of a loan from the bank";
    EXPECT_EQ(Bank_Kreditzins(7), 0.0f);
}

TEST(BankKredit, FourItemsAreTheLimit) {
    BankWelt w;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Bank_Kredit(-1, 2, 1000.0f, 3, 0, -1.0f, 0));
    EXPECT_TRUE(Bank_Kredit(-1, 2, 1000.0f, 3, 0, -1.0f, 0)) << "three items: the fourth loan is granted";
    EXPECT_TRUE(test::Bank_News().empty());
    float vorher = Stand(2);
    EXPECT_FALSE(Bank_Kredit(-1, 2, 1000.0f, 3, 0, -1.0f, 0));
    EXPECT_EQ(Stand(2), vorher);
    EXPECT_EQ(Bank_Anzahl_Posten(2), 4);
    ASSERT_EQ(test::Bank_News().size(), 1u);
    EXPECT_EQ(test::Bank_News()[0].team, 2);
    EXPECT_EQ(test::Bank_News()[0].flags, BANK_NEWS_FLAGS);
    // A lending club with four items is refused as well.
    EXPECT_FALSE(Bank_Kredit(2, 3, 1000.0f, 3, 0, 5.0f, 0));
    EXPECT_EQ(test::Bank_News().size(), 2u);
    EXPECT_EQ(test::Bank_News()[1].team, 2);
}

TEST(BankKredit, TheBankLendsUpToTheCreditLimit) {
    BankWelt w;
    EXPECT_FALSE(Bank_Kredit(-1, 2, 12000001.0f, 12, 0, -1.0f, 0));
    EXPECT_EQ(Bank_Kredit_Angebot(), 12000000.0f);
    ASSERT_TRUE(Bank_Kredit(-1, 2, 9000000.0f, 12, 0, -1.0f, 0));
    EXPECT_FALSE(Bank_Kredit(-1, 2, 4000000.0f, 12, 0, -1.0f, 0));
    EXPECT_EQ(Bank_Kredit_Angebot(), 3000000.0f);
    ASSERT_TRUE(Bank_Kredit(-1, 2, 3000000.0f, 12, 0, -1.0f, 0));
    EXPECT_FALSE(Bank_Kredit(-1, 2, 1.0f, 12, 0, -1.0f, 0));
    EXPECT_EQ(Bank_Kredit_Angebot(), 0.0f) << "owes 12,000,000: the offer becomes 0";
    EXPECT_EQ(Bank_Kreditrahmen(2), 0.0f);
}

TEST(BankKredit, BetweenClubsTheLenderHoldsTheMirrorAndIsPaidBack) {
    BankWelt w;
    EXPECT_FALSE(Bank_Kredit(3, 2, 1000000.0f, 3, 0, 10.0f, 0)) << "the lender needs more than the amount";
    ASSERT_TRUE(Bank_Kredit(3, 2, 600000.0f, 3, 0, 10.0f, 0));
    EXPECT_EQ(Stand(3), 400000);
    EXPECT_EQ(Stand(2), 1600000);
    EXPECT_EQ(Bank_Kategorie_Summe(3, 0, BUCHUNG_KREDIT_VERLEIH), 600000.0f);
    int32_t cursor = 0;
    const Bank_Kredit_Posten* m = Bank_Posten_Holen(3, &cursor);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->partei, 2);
    EXPECT_EQ(m->betrag, 600000.0f);
    EXPECT_EQ(m->gesamt, 618000.0f);
    EXPECT_FALSE(Bank_Hat_Kredit(3));
    EXPECT_EQ(Bank_Kreditrahmen(3), 12000000.0f) << "money lent out is no debt";
    for (int i = 0; i < 3; ++i) {
        Bank_Periode_Buchen(2, nullptr);
        Bank_Periode_Buchen(3, nullptr);
    }
    EXPECT_EQ(Stand(2), 1600000 - 618000);
    EXPECT_EQ(Stand(3), 400000 + 618000);
    EXPECT_EQ(Bank_Kategorie_Summe(3, -1, BUCHUNG_KREDIT_ZURUECK | 0x80), 618000.0f);
    EXPECT_EQ(Bank_Anzahl_Posten(2) + Bank_Anzahl_Posten(3), 0);
    ASSERT_EQ(test::Bank_News().size(), 2u);
    EXPECT_EQ(test::Bank_News()[1].flags, BANK_NEWS_FLAGS);
}

TEST(BankKredit, BadArgumentsAreRefused) {
    BankWelt w;
    struct {
        int32_t verleiher, schuldner;
        float betrag;
        int32_t laufzeit;
        uint8_t anlage;
        float zins;
    } faelle[] = {
        {-1, 2, 0.0f, 12, 0, -1.0f},  {-1, 2, -5.0f, 12, 0, -1.0f}, {-1, 2, NAN, 12, 0, -1.0f},
        {-1, 2, 100.0f, -1, 0, -1.0f}, {-1, 2, 100.0f, 12, 1, -1.0f}, {2, 2, 100.0f, 12, 0, 5.0f},
        {-1, -1, 100.0f, 12, 0, -1.0f}, {-1, 2000, 100.0f, 12, 0, -1.0f}, {3, 2, 100.0f, 12, 0, -3.0f},
        {3, 2, 100.0f, 12, 0, NAN},
    };
    for (auto f : faelle) {
        EXPECT_FALSE(Bank_Kredit(f.verleiher, f.schuldner, f.betrag, f.laufzeit, f.anlage, f.zins, 0))
            << f.verleiher << " " << f.schuldner << " " << f.betrag << " " << f.laufzeit;
    }
    EXPECT_EQ(Bank_Anzahl_Posten(2) + Bank_Anzahl_Posten(3), 0);
    EXPECT_EQ(Stand(2), 1000000);
}

TEST(BankKredit, TheListIsOrderedByPeriodsRemaining) {
    BankWelt w;
    int32_t laufzeiten[] = {12, 3, 12, 1, 6};
    for (int32_t l : laufzeiten) ASSERT_TRUE(Bank_Kredit(-1, l == 12 ? 3 : 2, 1000.0f + float(l), l, 0, -1.0f, 0));
    int32_t cursor = 0;
    int32_t reihe[5] = {};
    int n = 0;
    for (int32_t team : {2, 3}) {
        while (const Bank_Kredit_Posten* p = Bank_Posten_Holen(team, &cursor)) reihe[n++] = p->perioden;
    }
    EXPECT_EQ(n, 5);
    // Within a team the items come by periods remaining.
    EXPECT_EQ(reihe[0], 1);
    EXPECT_EQ(reihe[1], 3);
    EXPECT_EQ(reihe[2], 6);
    EXPECT_EQ(reihe[3], 12);
    EXPECT_EQ(reihe[4], 12);
}

TEST(BankPeriode, CapsOverdraftInterestAndSupport) {
    struct Fall {
        const char* name;
        int32_t level;
        int32_t team;
        float start;
        float erwartet;
        uint8_t kategorie;   // where the money shows in the closed period (0: nowhere)
        float gebucht;
        size_t news;
    } faelle[] = {
        {"Kappung", 1, 2, 650000000.0f, 600000000.0f, BUCHUNG_SONSTIGE_KOSTEN, 0, 1},
        {"Kappung ohne Konto", 1, 4, 650000000.0f, 600000000.0f, 0, 0, 1},
        {"Dispo", 1, 2, -1000000.0f, -1005500.0f, BUCHUNG_SONSTIGE_KOSTEN, 5500, 0},
        {"Dispo ohne Konto", 1, 4, -1000000.0f, -1000000.0f, 0, 0, 0},
        {"Stuetze", 0, 2, 9000000.0f, 19000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN | 0x80, 10000000, 1},
        {"keine Stuetze", 1, 2, 9000000.0f, 9000000.0f, 0, 0, 0},
        {"Stuetze und Dispo", 0, 2, -300000.0f, 9698350.0f, BUCHUNG_SONSTIGE_EINNAHMEN | 0x80, 10000000, 1},
        {"reich genug", 0, 2, 10000000.0f, 10000000.0f, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        BankWelt w;
        Team_Spielstand_Setzen(1, f.level);
        if (f.team == 4) Bank_Ueberweisung(-1, 4, f.start, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
        else Bank_Waehrung_Umrechnen(f.team, int32_t(f.start), 0);
        Bank_Periode_Buchen(f.team, nullptr);
        EXPECT_NEAR(Stand(f.team), f.erwartet, 1.0f) << f.name;
        if (f.kategorie && f.gebucht > 0) {
            EXPECT_NEAR(Bank_Kategorie_Summe(f.team, -1, f.kategorie), f.gebucht, 1.0f) << f.name;
        }
        EXPECT_EQ(test::Bank_News().size(), f.news) << f.name;
        if (f.start > 600000000.0f && !test::Bank_News().empty()) {
            // The levy's news names the amount taken, here 650,000,000 - 600,000,000.
            const std::string abgabe = Geld_Text(f.start - 600000000.0f, f.team, -1);
            EXPECT_NE(test::Bank_News()[0].text.find(abgabe), std::string::npos)
                << f.name << ": " << test::Bank_News()[0].text;
        }
    }
}

TEST(BankZinsen, TheShiftFollowsTheRandomTableAndStaysWithinBounds) {
    // Finds clock values whose draw shifts the rates, and one that does not.
    Rnd_Init();
    int32_t schieben = -1, bleiben = -1;
    float erwartet = 0;
    for (int32_t i = 0; i < RND_TABELLE && (schieben < 0 || bleiben < 0); ++i) {
        Rnd_Set_Index(i, 0);
        if (Rnd(0, 9) < 1) {
            if (schieben < 0) {
                schieben = i;
                erwartet = float(Rnd(1, 9)) / 10.0f;
                if (erwartet < 0.5f) erwartet = -erwartet;
            }
        } else if (bleiben < 0) {
            bleiben = i;
        }
    }
    ASSERT_GE(schieben, 0);
    ASSERT_GE(bleiben, 0);
    BankWelt w;
    Rnd_Set_Index(77, 0);
    Plat_Uhr_Virtuell(true, uint32_t(bleiben));
    Bank_Init();
    float basis[7];
    for (int s = 0; s < 7; ++s) basis[s] = Bank_Kreditzins(s);
    EXPECT_EQ(basis[0], 8.5f);
    EXPECT_EQ(basis[6], 7.2f);
    Plat_Uhr_Virtuell(true, uint32_t(schieben));
    Bank_Zinsen_Schwanken();
    for (int s = 0; s < 7; ++s) EXPECT_FLOAT_EQ(Bank_Kreditzins(s), basis[s] + erwartet) << s;
    EXPECT_EQ(Rnd_Get_Index(), 77) << "the game's random sequence is not disturbed";

    // Rates at the bounds stay there: a block with rates 5.0 and 19.5 loaded, then moved many times.
    std::vector<uint8_t> block;
    Bank_Save(block);
    float rand_werte[7] = {5.0f, 5.05f, 19.5f, 19.45f, 5.0f, 19.5f, 12.0f};
    std::memcpy(block.data() + offsetof(Bank_Global, kreditzins), rand_werte, sizeof rand_werte);
    ASSERT_TRUE(Bank_Load(block.data(), block.size()));
    for (uint32_t t = 0; t < 600; ++t) {
        Plat_Uhr_Virtuell(true, t * 7);
        Bank_Zinsen_Schwanken();
        for (int s = 0; s < 7; ++s) {
            ASSERT_GE(Bank_Kreditzins(s), 5.0f);
            ASSERT_LE(Bank_Kreditzins(s), 19.5f);
        }
    }
    Plat_Uhr_Virtuell(false);
}

}  // namespace
}  // namespace velmora
