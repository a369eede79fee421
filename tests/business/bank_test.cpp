// The bank's accounts: the transfer routine, the booking ring, period sums,
// balances, money texts and the save block.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "core/config.h"
#include "core/config_bin.h"
#include "core/text.h"
#include "season/spiele.h"
#include "tests/business/bank_welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

using test::BankWelt;

float Stand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

TEST(BankUeberweisung, ZeroMovesNothingAndFromOutsideOnlyCredits) {
    BankWelt w;
    EXPECT_FALSE(Bank_Ueberweisung(2, 3, 0.0f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_EQ(Stand(2), 1000000);
    EXPECT_EQ(Stand(3), 1000000);
    EXPECT_EQ(BankWelt::Belegte_Slots(2), 0);

    EXPECT_TRUE(Bank_Ueberweisung(-1, 2, 250000.0f, BUCHUNG_EINTRITT, 0, -1));
    EXPECT_EQ(Stand(2), 1250000);
    EXPECT_EQ(BankWelt::Konto(2).summe, 250000.0f);
    EXPECT_TRUE(Bank_Ueberweisung(2, -1, 50000.0f, BUCHUNG_STADION_UNTERHALT, 0, -1));
    EXPECT_EQ(Stand(2), 1200000);
    EXPECT_EQ(BankWelt::Konto(2).summe, 200000.0f);
    // Between two clubs both sides move.
    EXPECT_TRUE(Bank_Ueberweisung(2, 3, 100000.0f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_EQ(Stand(2), 1100000);
    EXPECT_EQ(Stand(3), 1100000);
    // Bad parties and amounts are refused without a change.
    EXPECT_FALSE(Bank_Ueberweisung(2000, 3, 10.0f, BUCHUNG_EINTRITT, 1, -1));
    EXPECT_FALSE(Bank_Ueberweisung(2, -2, 10.0f, BUCHUNG_EINTRITT, 1, -1));
    EXPECT_FALSE(Bank_Ueberweisung(-1, 2, NAN, BUCHUNG_EINTRITT, 1, -1));
    EXPECT_FALSE(Bank_Ueberweisung(-1, 2, INFINITY, BUCHUNG_EINTRITT, 1, -1));
    EXPECT_EQ(Stand(2), 1100000);
}

TEST(BankUeberweisung, RefusedDebitCreditsNothingAndTellsTheManagerAtTheTurn) {
    BankWelt w;
    Bank_Konto vorher = BankWelt::Konto(2);
    EXPECT_FALSE(Bank_Ueberweisung(2, 3, 1500000.0f, BUCHUNG_STADIONBAU, 0, -1));
    EXPECT_EQ(Stand(2), 1000000);
    EXPECT_EQ(Stand(3), 1000000);
    Bank_Konto nachher = BankWelt::Konto(2);
    EXPECT_EQ(std::memcmp(&vorher, &nachher, sizeof vorher), 0);
    EXPECT_TRUE(test::Bank_Meldungen().empty()) << "club 2 does not have the turn";

    test::Bank_Am_Zug() = 2;
    EXPECT_FALSE(Bank_Ueberweisung(2, 3, 1500000.0f, BUCHUNG_STADIONBAU, 0, -1));
    ASSERT_EQ(test::Bank_Meldungen().size(), 1u);
    EXPECT_EQ(test::Bank_Meldungen()[0].team, 2);
    EXPECT_NE(test::Bank_Meldungen()[0].text.find("1.500.000"), std::string::npos) << test::Bank_Meldungen()[0].text;

    // Forced, the same debit goes through into the red; the balance is exactly enough unforced.
    EXPECT_TRUE(Bank_Ueberweisung(2, 3, 1500000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1));
    EXPECT_EQ(Stand(2), -500000);
    EXPECT_EQ(Stand(3), 2500000);
    EXPECT_TRUE(Bank_Ueberweisung(3, -1, 2500000.0f, BUCHUNG_TRAINING, 0, -1));
    EXPECT_EQ(Stand(3), 0);
    // Clubs without an account are never refused.
    EXPECT_TRUE(Bank_Ueberweisung(4, -1, 5000000.0f, BUCHUNG_TRAINING, 0, -1));
    EXPECT_EQ(Stand(4), -5000000);
    // A very large debit of a club with an account is refused like any other.
    EXPECT_FALSE(Bank_Ueberweisung(2, -1, 250000000.0f, BUCHUNG_STADIONBAU, 0, -1));
    EXPECT_EQ(Stand(2), -500000);
}

TEST(BankBuchung, CreditsMergeWithinTheirRunDebitsAcrossTheRing) {
    BankWelt w;
    Bank_Gutschrift(2, 100.0f, BUCHUNG_EINTRITT, -1);
    Bank_Gutschrift(2, 50.0f, BUCHUNG_EINTRITT, -1);
    Bank_Konto k = BankWelt::Konto(2);
    EXPECT_EQ(k.schreib_index, 1u);
    EXPECT_EQ(k.slot[0].betrag, 150.0f);
    EXPECT_EQ(k.slot[0].kategorie, BUCHUNG_EINTRITT | BUCHUNG_EINNAHME);

    Bank_Abbuchung(2, 30.0f, BUCHUNG_STADION_UNTERHALT, 0, -1);
    Bank_Gutschrift(2, 20.0f, BUCHUNG_EINTRITT, -1);   // another category in between: a new slot
    Bank_Abbuchung(2, 5.0f, BUCHUNG_STADION_UNTERHALT, 0, -1);   // merges with slot 1 across slot 2
    k = BankWelt::Konto(2);
    EXPECT_EQ(k.schreib_index, 3u);
    EXPECT_EQ(k.slot[1].betrag, 35.0f);
    EXPECT_EQ(k.slot[1].kategorie, BUCHUNG_STADION_UNTERHALT);
    EXPECT_EQ(k.slot[2].betrag, 20.0f);
    EXPECT_EQ(k.slot[2].kategorie, BUCHUNG_EINTRITT | BUCHUNG_EINNAHME);
    EXPECT_EQ(k.summe, 100.0f + 50.0f - 30.0f + 20.0f - 5.0f);

    // A new period takes new slots even for the same category.
    Bank_Periode_Buchen(2, nullptr);
    Bank_Gutschrift(2, 7.0f, BUCHUNG_EINTRITT, -1);
    Bank_Abbuchung(2, 3.0f, BUCHUNG_STADION_UNTERHALT, 0, -1);
    k = BankWelt::Konto(2);
    EXPECT_EQ(k.schreib_index, 5u);
    EXPECT_EQ(k.slot[3].periode, 1u);
    EXPECT_EQ(k.slot[4].periode, 1u);
    // A negative credit is booked without the income bit.
    Bank_Gutschrift(2, -9.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1);
    EXPECT_EQ(BankWelt::Konto(2).slot[5].kategorie, BUCHUNG_SONSTIGE_EINNAHMEN);
}

TEST(BankBuchung, The701stNewSlotOverwritesSlot0) {
    BankWelt w;
    for (int32_t i = 0; i < BANK_BUCHUNGEN; ++i)
        Bank_Gutschrift(2, 1.0f, uint8_t(i % 2 ? BUCHUNG_EINTRITT : BUCHUNG_WERBUNG), -1);
    Bank_Konto k = BankWelt::Konto(2);
    EXPECT_EQ(k.schreib_index, 0u);
    EXPECT_EQ(k.slot[0].kategorie, BUCHUNG_WERBUNG | BUCHUNG_EINNAHME);
    Bank_Gutschrift(2, 5.0f, BUCHUNG_TRANSFER_EIN, -1);
    k = BankWelt::Konto(2);
    EXPECT_EQ(k.schreib_index, 1u);
    EXPECT_EQ(k.slot[0].kategorie, BUCHUNG_TRANSFER_EIN | BUCHUNG_EINNAHME);
    EXPECT_EQ(k.slot[0].betrag, 5.0f);
    EXPECT_EQ(k.slot[1].kategorie, BUCHUNG_EINTRITT | BUCHUNG_EINNAHME);
}

TEST(BankBuchung, LargeAmountsChangeTheBalanceButLeaveNoTrace) {
    struct Fall {
        bool gutschrift;
        float betrag;
        bool spur;
    } faelle[] = {
        {true, 79999992.0f, true}, {true, 80000000.0f, false}, {true, -80000000.0f, false},
        {false, 199999984.0f, true}, {false, 200000000.0f, false}, {false, -200000000.0f, false},
    };
    for (const Fall& f : faelle) {
        BankWelt w;
        Bank_Waehrung_Umrechnen(2, 300000000, 0);
        bool ok = f.gutschrift ? Bank_Gutschrift(2, f.betrag, BUCHUNG_SONSTIGE_EINNAHMEN, -1)
                               : Bank_Abbuchung(2, f.betrag, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
        EXPECT_TRUE(ok) << f.betrag;
        float erwartet = 300000000.0f + (f.gutschrift ? f.betrag : -f.betrag);
        EXPECT_EQ(Stand(2), int32_t(erwartet)) << f.betrag;
        EXPECT_EQ(BankWelt::Belegte_Slots(2) == 1, f.spur) << f.betrag;
        EXPECT_EQ(BankWelt::Konto(2).summe != 0, f.spur) << f.betrag;
    }
}

TEST(BankBuchung, MatchFiguresAreRecordedAndNeverTouchTheBalance) {
    BankWelt w;
    SpielDatensatz spiel{};
    spiel.heim = 2;
    spiel.gast = 4;
    spiel.tore_heim = 0;
    spiel.tore_gast = 3;
    spiel.zuschauer = 23456;
    Bank_Periode_Buchen(2, &spiel);
    Bank_Periode_Buchen(4, &spiel);   // a club without an account: its balance stays
    EXPECT_EQ(Stand(2), 1000000);
    EXPECT_EQ(Stand(4), 0);
    Bank_Konto k = BankWelt::Konto(2);
    EXPECT_EQ(k.periode, 1u);
    EXPECT_EQ(k.summe, 0.0f);
    ASSERT_EQ(k.schreib_index, 5u);
    EXPECT_EQ(k.slot[2].kategorie, BUCHUNG_SPIEL_TORE_HEIM | BUCHUNG_EINNAHME);
    EXPECT_EQ(k.slot[2].betrag, 0.0f);
    EXPECT_EQ(k.slot[2].periode, 0u);
    struct {
        uint8_t code;
        float summe;
    } faelle[] = {{BUCHUNG_SPIEL_HEIM | 0x80, 2}, {BUCHUNG_SPIEL_GAST | 0x80, 4}, {BUCHUNG_SPIEL_TORE_HEIM | 0x80, 0},
                  {BUCHUNG_SPIEL_TORE_GAST | 0x80, 3}, {BUCHUNG_SPIEL_ZUSCHAUER | 0x80, 23456}};
    for (auto f : faelle) EXPECT_EQ(Bank_Kategorie_Summe(2, -1, f.code), f.summe) << int(f.code);
    EXPECT_TRUE(Bank_Periode_Hat_Buchungen(2, -1));
    EXPECT_FALSE(Bank_Periode_Hat_Buchungen(2, 0));
}

TEST(BankBuchung, MissingCategoriesAreReportedAndBookedAllTheSame) {
    BankWelt w;
    Bank_Gutschrift(2, 10.0f, BUCHUNG_KEINE, -1);
    EXPECT_TRUE(test::Log_Enthaelt("Buchung ohne Kategorie"));
    Bank_Abbuchung(3, 10.0f, BUCHUNG_NIX, 0, -1);
    EXPECT_TRUE(test::Log_Enthaelt("Buchung hat NIX-Kategorie"));
    ASSERT_EQ(test::Bank_Meldungen().size(), 2u);
    EXPECT_EQ(test::Bank_Meldungen()[0].team, 2);
    EXPECT_EQ(test::Bank_Meldungen()[1].team, 3);
    EXPECT_NE(test::Bank_Meldungen()[0].text.find("keine KATEGORIE"), std::string::npos);
    EXPECT_EQ(Stand(2), 1000010);
    EXPECT_EQ(Stand(3), 999990);
    // A computer club's manager cannot be told.
    Bank_Abbuchung(4, 10.0f, BUCHUNG_KEINE, 0, -1);
    EXPECT_EQ(test::Bank_Meldungen().size(), 2u);
}

TEST(BankSumme, SumsAPeriodByCategoryAndDirection) {
    BankWelt w;
    Bank_Ueberweisung(-1, 2, 300000.0f, BUCHUNG_EINTRITT, 0, -1);
    Bank_Ueberweisung(-1, 2, 40000.0f, BUCHUNG_WERBUNG, 0, -1);
    Bank_Ueberweisung(2, -1, 70000.0f, BUCHUNG_STADION_UNTERHALT, 0, -1);
    Bank_Ueberweisung(2, -1, 5000.0f, BUCHUNG_SPIELERKOSTEN, 0, -1);
    Bank_Periode_Buchen(2, nullptr);
    Bank_Ueberweisung(-1, 2, 111.0f, BUCHUNG_EINTRITT, 0, -1);
    struct {
        int32_t versatz;
        uint8_t code;
        float summe;
    } faelle[] = {
        {-1, BUCHUNG_EINTRITT | 0x80, 300000}, {-1, BUCHUNG_EINTRITT, 0},       {-1, 0x80, 340000},
        {-1, 0, 75000},                        {-1, BUCHUNG_STADION_UNTERHALT, 70000}, {0, BUCHUNG_EINTRITT | 0x80, 111},
        {0, 0, 0},                             {-2, 0x80, 0},                   {1, 0x80, 0},
    };
    for (auto f : faelle)
        EXPECT_EQ(Bank_Kategorie_Summe(2, f.versatz, f.code), f.summe) << f.versatz << " " << int(f.code);
    EXPECT_EQ(Bank_Kategorie_Summe(4, 0, 0x80), 0.0f) << "no account, no sheet";
}

TEST(BankKontostand, ConvertsBetweenCurrenciesAndCaps) {
    BankWelt w;
    ASSERT_TRUE(Bank_Waehrung_Umrechnen(2, -1, 1));   // 1,000,000 in currency 0 -> x 100 / 182
    EXPECT_EQ(Bank_Waehrung(2), 1);
    EXPECT_EQ(Bank_Kontostand(2, false, -1), int32_t(1000000.0f * 100.0f / 182.0f));
    EXPECT_NEAR(Bank_Kontostand(2, false, 0), 1000000, 1);
    EXPECT_NEAR(Bank_Kontostand(2, false, 2), 5000000, 5);
    EXPECT_EQ(Bank_Waehrung(4), 0);
    EXPECT_EQ(Bank_Waehrung(-1), 0);
    // A credit given in currency 0 arrives converted into the account's currency.
    Bank_Gutschrift(2, 182.0f, BUCHUNG_EINTRITT, 0);
    EXPECT_NEAR(BankWelt::Konto(2).slot[0].betrag, 100.0f, 1e-3);
    // Start balances replace; the display is capped both ways.
    Bank_Waehrung_Umrechnen(3, 2000000000, 0);
    EXPECT_EQ(Bank_Kontostand(3, false, -1), 1200000000);
    Bank_Ueberweisung(4, -1, 3e9f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    EXPECT_EQ(Bank_Kontostand(4, false, -1), -1200000000);
    EXPECT_EQ(Bank_Kontostand(2000, false, -1), 0);
    Bank_Exit();
    EXPECT_EQ(Bank_Kontostand(2, false, -1), BANK_KONTOSTAND_FEHLT);
    EXPECT_TRUE(test::Log_Enthaelt("Bank muß initialisiert werden"));
    EXPECT_FALSE(Bank_Ueberweisung(-1, 2, 5.0f, BUCHUNG_EINTRITT, 0, -1));
    EXPECT_FALSE(Bank_Waehrung_Umrechnen(2, 0, 0));
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, 0), 0.0f);
}

TEST(BankMittelwert, StepsATenthOfTheWayTowardsTheBalance) {
    BankWelt w;
    // Smoothed value starts at 0: 0 + 1,000,000 / 100 x 10 = 100,000, then 190,000, ...
    EXPECT_EQ(Bank_Mittelwert(2, false, -1), 100000);
    EXPECT_EQ(Bank_Mittelwert(2, false, -1), 190000);
    int32_t v = 0;
    for (int i = 0; i < 200; ++i) v = Bank_Mittelwert(2, false, -1);
    EXPECT_EQ(v, 1000000) << "within 1000 it snaps to the balance";
    EXPECT_EQ(Bank_Mittelwert(4, false, -1), 0) << "no account: the balance itself";
}

TEST(ZahlText, WidthsSeparatorsAndSigns) {
    struct {
        int32_t wert;
        uint32_t stil;
        const char* text;
    } faelle[] = {
        {0, 1, "0"},           {0, 0, "0"},          {5, 1, "5"},            {999, 1, "999"},
        {1000, 1, "1.000"},    {1234567, 1, "1.234.567"}, {1234567, 64 + 1, "1234567"},
        {-1234, 1, "-1.234"},  {-5, 64 + 4, "  -5"},   {-5, 4, "   -5"},      {42, 3, " 42"},         {0, 3, "  0"},
        {-2147483647 - 1, 1, "-2.147.483.648"},     {5, 10, "            5"}, {1234567, 10, "    1.234.567"},
        {-5, 10, "           -5"},                   {7, 64 + 10, "         7"},
    };
    for (auto f : faelle) EXPECT_STREQ(Zahl_Text(nullptr, f.wert, f.stil), f.text) << f.wert << " " << f.stil;
    char out[ZAHL_TEXT_GROESSE];
    Zahl_Text(out, 12345, 128 + 1);
    EXPECT_STREQ(out, "12.345");
    // The widest texts (width 63 and its room for separators) fit the buffer.
    EXPECT_EQ(std::strlen(Zahl_Text(nullptr, -2147483647 - 1, 63)), 83u);
    EXPECT_EQ(std::strlen(Zahl_Text(nullptr, 5, 63)), 83u);
}

TEST(GeldText, CurrencyAffixesSeparatorsAndCap) {
    BankWelt w;
    EXPECT_STREQ(Geld_Text(1234567.0f, 2, 1), "$ 1.234.567");
    EXPECT_STREQ(Geld_Text(1234567.0f, 2, 2), "\xa3 1.234.567");
    EXPECT_STREQ(Geld_Text(5e9f, 2, 0), "1.200.000.000");
    EXPECT_STREQ(Geld_Text(-5e9f, 2, 0), "-1.200.000.000");
    EXPECT_STREQ(Geld_Text(99.9f, 2, 0), "99");
    // Currency -1: the club's, converted from currency 0.
    Bank_Waehrung_Umrechnen(3, -1, 2);
    EXPECT_STREQ(Geld_Text(1000.0f, 3, -1), "\xa3 5.000");
    test::Bank_Am_Zug() = 3;
    EXPECT_STREQ(Geld_Text(1000.0f, -1, -1), "5.000") << "team -1: the global currency's affixes, the turn's account";
    // Converted exactly: a stadium's 90,000,000 is not 89,999,992.
    Bank_Waehrung_Umrechnen(3, -1, 0);
    EXPECT_STREQ(Geld_Text(90000000.0f, 3, -1), "90.000.000");
    EXPECT_STREQ(Geld_Text(-90000000.0f, 3, -1), "-90.000.000");
    // Eight results stay valid together.
    const char* t[9];
    for (int i = 0; i < 9; ++i) t[i] = Geld_Text(float(i), 2, 0);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(std::string(t[i]), std::to_string(i));
    EXPECT_EQ(t[8], t[0]);
}

TEST(GeldText, TakesTheFinanceScreenTextsSafely) {
    velmora_test::TestWelt tw;
    ASSERT_TRUE(tw.ok);
    Config_Satz_Setzen(0);
    tw.install_datei("config/0_te.cfg",
                     "SCREEN FINANZ_SCREEN\n"
                     "TEXT 25, \"Kein Geld fuer %s %d %n %s\"\n"
                     "TEXT 27, \"Taler\"\n"
                     "TEXT 28, \"T \"\n"
                     "TEXT 29, \",-\"\n"
                     "TEXT 30, \"'\"\n");
    tw.install_datei("config/0_text.cfg", "TEXT 0, \"Ja\"\n");
    ASSERT_TRUE(Text_Laden());
    {
        BankWelt w;
        EXPECT_STREQ(Geld_Text(1234567.0f, 2, -1), "T 1'234'567,-");
        EXPECT_STREQ(Bank_Waehrungs_Name(), "Taler");
        test::Bank_Am_Zug() = 2;
        EXPECT_FALSE(Bank_Ueberweisung(2, -1, 2000000.0f, BUCHUNG_TRAINING, 0, -1));
        ASSERT_EQ(test::Bank_Meldungen().size(), 1u);
        // The amount fills the first conversion; those without argument and "%n" print nothing.
        EXPECT_EQ(test::Bank_Meldungen()[0].text, "Kein Geld fuer T 2'000'000,-   ");
    }
    Text_Free();
    Config_Bin_Region_Abmelden("texte");
}

// ---- save block ----

std::vector<uint8_t> Volle_Bank() {
    Bank_Ueberweisung(-1, 2, 300000.0f, BUCHUNG_EINTRITT, 0, -1);
    Bank_Ueberweisung(3, 2, 1234.5f, BUCHUNG_TRANSFER_AUS, 0, -1);
    Bank_Kredit(-1, 2, 500000.0f, 12, 0, -1.0f, 0);
    Bank_Kredit(3, 2, 200000.0f, 6, 0, 9.0f, 0);
    Bank_Waehrung_Umrechnen(5, -1, 0);
    Bank_Mittelwert(2, false, -1);
    Bank_Periode_Buchen(2, nullptr);
    std::vector<uint8_t> block;
    Bank_Save(block);
    return block;
}

TEST(BankSpeichern, SaveLoadSaveIsByteIdentical) {
    BankWelt w;
    std::vector<uint8_t> block = Volle_Bank();
    ASSERT_EQ(block.size(), sizeof(Bank_Global) + 12 + (4 + 3 * (8 + sizeof(Bank_Konto))) + (4 + 3 * (8 + 24)));
    Bank_Konto vorher = BankWelt::Konto(2);
    // Changes after the save are undone by the load.
    Bank_Ueberweisung(-1, 2, 777.0f, BUCHUNG_WERBUNG, 0, -1);
    Bank_Konto_Loeschen(5);
    Bank_Kredit(-1, 3, 100.0f, 1, 0, -1.0f, 0);
    ASSERT_TRUE(Bank_Load(block.data(), block.size()));
    std::vector<uint8_t> wieder;
    Bank_Save(wieder);
    EXPECT_EQ(wieder, block);
    Bank_Konto nachher = BankWelt::Konto(2);
    EXPECT_EQ(std::memcmp(&vorher, &nachher, sizeof vorher), 0);
    EXPECT_TRUE(Bank_Hat_Konto(5));
    EXPECT_EQ(Bank_Anzahl_Posten(3), 1);
    // A bank that did not run loads the block as well.
    Bank_Exit();
    ASSERT_TRUE(Bank_Load(block.data(), block.size()));
    wieder.clear();
    Bank_Save(wieder);
    EXPECT_EQ(wieder, block);
    // No bank, no block; loading it ends the bank.
    Bank_Exit();
    wieder.clear();
    Bank_Save(wieder);
    EXPECT_TRUE(wieder.empty());
    Bank_Init();
    EXPECT_TRUE(Bank_Load(wieder.data(), 0));
    EXPECT_FALSE(Bank_Ist_Initialisiert());
}

TEST(BankSpeichern, DamagedBlocksAreRefusedAndChangeNothing) {
    BankWelt w;
    const std::vector<uint8_t> gut = Volle_Bank();
    const size_t konten = sizeof(Bank_Global) + 12;   // the account list's count
    const size_t konto1 = konten + 4;                 // key of the first account
    const size_t kredite = konten + 4 + 3 * (8 + sizeof(Bank_Konto));
    auto setze32 = [](std::vector<uint8_t>& b, size_t pos, uint32_t v) { std::memcpy(&b[pos], &v, 4); };
    auto setzef = [](std::vector<uint8_t>& b, size_t pos, float v) { std::memcpy(&b[pos], &v, 4); };
    struct Schaden {
        const char* name;
        void (*machen)(std::vector<uint8_t>&);
    };
    std::vector<std::pair<const char*, std::vector<uint8_t>>> faelle;
    auto fall = [&](const char* name, auto f) {
        std::vector<uint8_t> b = gut;
        f(b);
        faelle.push_back({name, b});
    };
    fall("kurz", [](std::vector<uint8_t>& b) { b.resize(100); });
    fall("abgeschnitten", [](std::vector<uint8_t>& b) { b.pop_back(); });
    fall("Rest", [](std::vector<uint8_t>& b) { b.push_back(0); });
    fall("Waehrung global", [&](std::vector<uint8_t>& b) { setze32(b, 4, 3); });
    fall("Kontostand NaN", [&](std::vector<uint8_t>& b) { setzef(b, 100 + 4 * 7, NAN); });
    fall("Kreditzins unendlich", [&](std::vector<uint8_t>& b) { setzef(b, 8128, INFINITY); });
    fall("Faktor 0", [&](std::vector<uint8_t>& b) { setzef(b, sizeof(Bank_Global) + 4, 0.0f); });
    fall("Konto Team 2000", [&](std::vector<uint8_t>& b) { setze32(b, konto1, 2000); });
    fall("Konto doppelt", [&](std::vector<uint8_t>& b) { setze32(b, konto1 + 8 + sizeof(Bank_Konto), 2); });
    fall("Kontogroesse", [&](std::vector<uint8_t>& b) { setze32(b, konto1 + 4, 8431); });
    fall("Schreibindex", [&](std::vector<uint8_t>& b) { setze32(b, konto1 + 8 + 8400, 700); });
    fall("Kontowaehrung", [&](std::vector<uint8_t>& b) { setze32(b, konto1 + 8 + 8420, 7); });
    fall("Buchung NaN", [&](std::vector<uint8_t>& b) { setzef(b, konto1 + 8 + 12 * 5, NAN); });
    fall("Kontenzahl", [&](std::vector<uint8_t>& b) { setze32(b, konten, 4); });
    fall("Kreditzahl", [&](std::vector<uint8_t>& b) { setze32(b, kredite, 0xffffffffu); });
    fall("Kreditgroesse", [&](std::vector<uint8_t>& b) { setze32(b, kredite + 8, 23); });
    fall("Kredit Team", [&](std::vector<uint8_t>& b) { setze32(b, kredite + 4, uint32_t(-1)); });
    fall("Kredit NaN", [&](std::vector<uint8_t>& b) { setzef(b, kredite + 12 + 4, NAN); });

    Bank_Ueberweisung(-1, 3, 4242.0f, BUCHUNG_WERBUNG, 0, -1);
    std::vector<uint8_t> stand;
    Bank_Save(stand);
    for (auto& [name, block] : faelle) {
        EXPECT_FALSE(Bank_Load(block.data(), block.size())) << name;
        std::vector<uint8_t> danach;
        Bank_Save(danach);
        EXPECT_EQ(danach, stand) << name;
    }
    EXPECT_TRUE(Bank_Load(gut.data(), gut.size()));
}

TEST(BankKonto, DeletedAccountBooksOnTheBalanceOnly) {
    BankWelt w;
    EXPECT_TRUE(Bank_Konto_Loeschen(2));
    EXPECT_FALSE(Bank_Hat_Konto(2));
    EXPECT_FALSE(Bank_Konto_Loeschen(2));
    EXPECT_TRUE(Bank_Ueberweisung(-1, 2, 10.0f, BUCHUNG_EINTRITT, 0, -1));
    EXPECT_EQ(Stand(2), 1000010);
    EXPECT_EQ(Bank_Kategorie_Summe(2, 0, BUCHUNG_EINTRITT | 0x80), 0.0f);
    // A re-opened account starts afresh and keeps the balance.
    EXPECT_TRUE(Bank_Waehrung_Umrechnen(2, -1, 0));
    EXPECT_EQ(BankWelt::Konto(2).schreib_index, 0u);
    EXPECT_EQ(Stand(2), 1000010);
}

TEST(ZufallBereich, StaysInRangeAndLeavesTheGameRandomAlone) {
    Rnd_Init();
    Rnd_Set_Index(1234, 0);
    std::set<int32_t> gesehen;
    for (int i = 0; i < 2000; ++i) {
        int32_t z = Zufall_Bereich(-3, 3);
        ASSERT_GE(z, -3);
        ASSERT_LE(z, 3);
        gesehen.insert(z);
    }
    EXPECT_EQ(gesehen.size(), 7u);
    EXPECT_EQ(Rnd_Get_Index(), 1234);
    EXPECT_EQ(Zufall_Bereich(5, 5), 5);
    EXPECT_EQ(Zufall_Bereich(5, 4), 5);
    int32_t weit = Zufall_Bereich(INT32_MIN, INT32_MAX);
    (void)weit;   // the full range must not overflow (checked by the sanitizer build)
}

}  // namespace
}  // namespace velmora
