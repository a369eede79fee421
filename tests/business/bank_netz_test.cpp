// The bank on a network client: copies fetched from the server, transfers and
// loans sent to it, and the server's handlers that serve only the client's club.
//
// One process plays both machines: the fake remote call saves the client's
// bank, loads the server's, answers through the server's handler and swaps back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

#include "business/bank_netz.h"
#include "club/club_netz.h"
#include "tests/business/bank_welt.h"

namespace velmora {
namespace {

using test::BankWelt;

constexpr int32_t CLIENT = 2;

struct Netz {
    int32_t modus = 1;
    std::vector<uint8_t> server;      // the server's bank
    std::map<int32_t, int> anfragen;  // requests sent, by id
    bool ausfall = false;             // the server does not answer
    void (*verderben)(std::vector<uint8_t>&) = nullptr;   // damages the answer
};
Netz& N() {
    static Netz n;
    return n;
}

bool Fake_Server(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    ++N().anfragen[anfrage];
    if (N().ausfall) return false;
    std::vector<uint8_t> client;
    Bank_Save(client);
    N().modus = 2;
    EXPECT_TRUE(Bank_Load(N().server.data(), N().server.size()));
    bool ok = Bank_Server_Anfrage(anfrage, CLIENT, argumente.data(), argumente.size(), antwort);
    N().server.clear();
    Bank_Save(N().server);
    N().modus = 1;
    EXPECT_TRUE(Bank_Load(client.data(), client.size()));
    if (N().verderben) N().verderben(antwort);
    return ok;
}

// The server's world: clubs 2 and 3 with accounts and bookings. The client
// starts with a fresh bank that knows nothing of it.
struct ClientWelt : BankWelt {
    ClientWelt() {
        N() = Netz{};
        Bank_Ueberweisung(-1, CLIENT, 250000.0f, BUCHUNG_EINTRITT, 0, -1);
        Bank_Ueberweisung(CLIENT, -1, 50000.0f, BUCHUNG_STADION_UNTERHALT, 0, -1);
        Bank_Kredit(-1, CLIENT, 300000.0f, 6, 0, -1.0f, 0);
        Bank_Ueberweisung(-1, 3, 777.0f, BUCHUNG_EINTRITT, 0, -1);
        N().server.clear();
        Bank_Save(N().server);
        Bank_Init();
        ClubHooks& c = Club_Hooks();
        c.netzwerk_modus = [] { return N().modus; };
        c.client_team = [] { return CLIENT; };
        c.client_read = Fake_Server;
        test::Bank_Am_Zug() = CLIENT;
    }
    // Runs `f` on the server's bank.
    template <typename F>
    static void Auf_Dem_Server(F f) {
        std::vector<uint8_t> client;
        Bank_Save(client);
        N().modus = 2;
        Bank_Load(N().server.data(), N().server.size());
        f();
        N().server.clear();
        Bank_Save(N().server);
        N().modus = 1;
        Bank_Load(client.data(), client.size());
    }
};

float Stand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

TEST(BankClient, FullFetchBringsBalanceAccountAndLoans) {
    ClientWelt w;
    EXPECT_FALSE(Bank_Hat_Konto(CLIENT));
    ASSERT_TRUE(Bank_Client_Alles_Holen(CLIENT));
    EXPECT_TRUE(Bank_Hat_Konto(CLIENT));
    EXPECT_EQ(Stand(CLIENT), 1500000);
    EXPECT_EQ(Bank_Anzahl_Posten(CLIENT), 1);
    EXPECT_TRUE(Bank_Hat_Kredit(CLIENT));
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_STATUS], 1);
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_KONTO], 1);
    // All five account words come with the account fetch.
    ASSERT_TRUE(Bank_Client_Konto_Holen());
    EXPECT_EQ(BankWelt::Konto(CLIENT).summe, 500000.0f);
    // Another club's balance is not served.
    ASSERT_TRUE(Bank_Sync_Status(3));
    EXPECT_EQ(Stand(3), 0);
}

TEST(BankClient, FinanceScreenTwiceFetchesTheBookingsOnce) {
    ClientWelt w;
    EXPECT_EQ(Bank_Kategorie_Summe(CLIENT, 0, BUCHUNG_EINTRITT | 0x80), 0.0f) << "no account copy yet";
    ASSERT_TRUE(Bank_Client_Alles_Holen(CLIENT));
    EXPECT_EQ(Bank_Kategorie_Summe(CLIENT, 0, BUCHUNG_EINTRITT | 0x80), 250000.0f);
    EXPECT_EQ(Bank_Kategorie_Summe(CLIENT, 0, BUCHUNG_STADION_UNTERHALT), 50000.0f);
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_BUCHUNGEN], 1);
    // A transfer marks the copy stale: the next sheet fetches again.
    ASSERT_TRUE(Bank_Ueberweisung(CLIENT, -1, 1000.0f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_EQ(Stand(CLIENT), 1499000) << "the balance came back with request 1024";
    EXPECT_EQ(Bank_Kategorie_Summe(CLIENT, 0, BUCHUNG_TRANSFER_AUS), 1000.0f);
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_BUCHUNGEN], 2);
    // Only the club whose manager has the turn fetches.
    test::Bank_Am_Zug() = 3;
    N().anfragen.clear();
    EXPECT_FALSE(Bank_Client_Buchungen_Holen(CLIENT));
    EXPECT_TRUE(N().anfragen.empty());
}

TEST(BankClient, TransferFromAnotherClubIsRefusedLocally) {
    ClientWelt w;
    EXPECT_FALSE(Bank_Ueberweisung(3, CLIENT, 1000.0f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_FALSE(Bank_Ueberweisung(-1, CLIENT, 1000.0f, BUCHUNG_EINTRITT, 0, -1));
    EXPECT_TRUE(test::Log_Enthaelt("CLIENT DARF NUR GELD AUSZAHLEN"));
    EXPECT_TRUE(N().anfragen.empty());
    ClientWelt::Auf_Dem_Server([] { EXPECT_EQ(Stand(3), 1000777); });
}

TEST(BankClient, TheServerRefusesAmountsBelowOne) {
    ClientWelt w;
    EXPECT_FALSE(Bank_Ueberweisung(CLIENT, -1, 0.5f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_FALSE(Bank_Ueberweisung(CLIENT, -1, -5000.0f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_AUSZAHLUNG], 2);
    EXPECT_FALSE(Bank_Ueberweisung(CLIENT, -1, 5000000.0f, BUCHUNG_TRANSFER_AUS, 0, -1)) << "refused by the server's balance";
    EXPECT_FALSE(Bank_Ueberweisung(CLIENT, 3, 1.0f, BUCHUNG_TRANSFER_AUS, 0, -1)) << "refused: money only leaves the league";
    ClientWelt::Auf_Dem_Server([] {
        EXPECT_EQ(Stand(CLIENT), 1500000);
        EXPECT_EQ(Stand(3), 1000777);
    });
    ASSERT_TRUE(Bank_Ueberweisung(CLIENT, -1, 1.9f, BUCHUNG_TRANSFER_AUS, 0, -1));
    ClientWelt::Auf_Dem_Server([] {
        EXPECT_EQ(Stand(CLIENT), 1499999);
        EXPECT_EQ(Stand(3), 1000777);
    });
}

TEST(BankClient, LoanFromTheBankIsMadeOnTheServer) {
    ClientWelt w;
    ASSERT_TRUE(Bank_Client_Alles_Holen(CLIENT));
    ASSERT_TRUE(Bank_Kredit(-1, CLIENT, 1000000.0f, 12, 0, -1.0f, 0));
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_KREDIT], 1);
    EXPECT_EQ(Bank_Anzahl_Posten(CLIENT), 2) << "the loan list came back with request 1025";
    EXPECT_EQ(Stand(CLIENT), 2500000);
    float tabelle = 0;
    ClientWelt::Auf_Dem_Server([&] {
        EXPECT_EQ(Bank_Anzahl_Posten(CLIENT), 2);
        EXPECT_EQ(Stand(CLIENT), 2500000);
        tabelle = Bank_Kreditzins(Bank_Stufe(12));
    });
    int32_t cursor = 0;
    const Bank_Kredit_Posten* p = nullptr;
    while (const Bank_Kredit_Posten* q = Bank_Posten_Holen(CLIENT, &cursor))
        if (q->perioden == 12) p = q;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->zins, tabelle) << "the server's table rate";
    // A loan from a club is not made on a client.
    EXPECT_FALSE(Bank_Kredit(3, CLIENT, 1000.0f, 3, 0, 5.0f, 0));
    EXPECT_EQ(N().anfragen[ANFRAGE_BANK_KREDIT], 1);
}

std::vector<uint8_t> Packen(std::initializer_list<int32_t> werte) {
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    for (int32_t v : werte) pk.i32(v);
    return a;
}
int32_t Ergebnis(const std::vector<uint8_t>& antwort) {
    ClubLeser l{antwort.data(), antwort.size()};
    return l.i32();
}
int32_t Bits(float f) {
    int32_t i;
    std::memcpy(&i, &f, 4);
    return i;
}

TEST(BankServer, AnswersOnlyTheClientsOwnClub) {
    BankWelt w;
    Bank_Kredit(-1, 3, 1000.0f, 3, 0, -1.0f, 0);
    std::vector<uint8_t> antwort;
    struct Fall {
        const char* name;
        int32_t anfrage;
        std::vector<uint8_t> argumente;
        int32_t ergebnis;
    } faelle[] = {
        {"Auszahlung fremd", ANFRAGE_BANK_AUSZAHLUNG, Packen({3, 2, 1000, BUCHUNG_TRANSFER_AUS, 1, -1}), 0},
        {"Auszahlung 0", ANFRAGE_BANK_AUSZAHLUNG, Packen({2, 3, 0, BUCHUNG_TRANSFER_AUS, 1, -1}), 0},
        {"Auszahlung Kategorie", ANFRAGE_BANK_AUSZAHLUNG, Packen({2, 3, 10, 300, 1, -1}), 0},
        {"Kredit fuer andere", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 3, 12, 0}), 0},
        {"Kredit von Verein", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), 3, 2, 12, 0}), 0},
        {"Kredit eigener Zins", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(0.1f), -1, 2, 12, 0}), 0},
        {"Kredit Anlage", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 2, 12, 1}), 0},
        // Only the terms the bank offers: none without interest, none for ever.
        {"Kredit Laufzeit 0", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 2, 0, 0}), 0},
        {"Kredit Laufzeit 9", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 2, 9, 0}), 0},
        {"Kredit Laufzeit 51", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 2, 51, 0}), 0},
        {"Kredit Laufzeit groesste", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 2, INT32_MAX, 0}), 0},
        {"Kredit", ANFRAGE_BANK_KREDIT, Packen({Bits(1000.0f), Bits(-1.0f), -1, 2, 12, 0}), 1},
        {"Auszahlung an Verein", ANFRAGE_BANK_AUSZAHLUNG, Packen({2, 3, 10, BUCHUNG_TRANSFER_AUS, 0, -1}), 0},
        {"Auszahlung ueber Grenze erzwungen", ANFRAGE_BANK_AUSZAHLUNG, Packen({2, -1, 1002000, BUCHUNG_TRANSFER_AUS, 1, -1}), 0},
        {"Auszahlung 200 Mio", ANFRAGE_BANK_AUSZAHLUNG, Packen({2, -1, 200000000, BUCHUNG_TRANSFER_AUS, 1, -1}), 0},
        {"Auszahlung", ANFRAGE_BANK_AUSZAHLUNG, Packen({2, -1, 10, BUCHUNG_TRANSFER_AUS, 0, -1}), 1},
    };
    for (const Fall& f : faelle) {
        ASSERT_TRUE(Bank_Server_Anfrage(f.anfrage, 2, f.argumente.data(), f.argumente.size(), antwort)) << f.name;
        EXPECT_EQ(Ergebnis(antwort), f.ergebnis) << f.name;
    }
    EXPECT_EQ(Stand(2), 1000000 + 1000 - 10);
    // Each refused term told the client's manager why, in his news.
    int32_t absagen = 0;
    for (const test::BankNachricht& n : test::Bank_News())
        absagen += n.team == 2 && n.text == "Die Bank leiht nur f\xfcr 10 bis 50 Perioden.";
    EXPECT_EQ(absagen, 4);
    EXPECT_EQ(Stand(3), 1000000 + 1000);
    // Another team's account: an empty loan list and zero words, a zeroed ring.
    std::vector<uint8_t> arg = Packen({3});
    ASSERT_TRUE(Bank_Server_Anfrage(ANFRAGE_BANK_KONTO, 2, arg.data(), arg.size(), antwort));
    ASSERT_EQ(antwort.size(), 4u + 4u + 4u + 20u);
    EXPECT_EQ(std::vector<uint8_t>(antwort.begin() + 8, antwort.end()), std::vector<uint8_t>(24, 0));
    ASSERT_TRUE(Bank_Server_Anfrage(ANFRAGE_BANK_BUCHUNGEN, 2, arg.data(), arg.size(), antwort));
    EXPECT_EQ(antwort, std::vector<uint8_t>(8408, 0));
    ASSERT_TRUE(Bank_Server_Anfrage(ANFRAGE_BANK_BUCHUNGEN, 3, arg.data(), arg.size(), antwort));
    EXPECT_NE(antwort, std::vector<uint8_t>(8408, 0));
    // Malformed requests and foreign ids get no answer.
    std::vector<uint8_t> kurz = {1, 2};
    for (int32_t id : {ANFRAGE_BANK_STATUS, ANFRAGE_BANK_KONTO, ANFRAGE_BANK_AUSZAHLUNG, ANFRAGE_BANK_BUCHUNGEN,
                       ANFRAGE_BANK_KREDIT, 1029})
        EXPECT_FALSE(Bank_Server_Anfrage(id, 2, kurz.data(), kurz.size(), antwort)) << id;
    EXPECT_FALSE(Bank_Server_Anfrage(ANFRAGE_BANK_STATUS, 2, nullptr, 0, antwort));
}

TEST(BankClient, FailedOrDamagedAnswersLeaveTheCopiesAlone) {
    ClientWelt w;
    ASSERT_TRUE(Bank_Client_Alles_Holen(CLIENT));
    std::vector<uint8_t> vorher;
    Bank_Save(vorher);
    N().ausfall = true;
    EXPECT_FALSE(Bank_Sync_Status(CLIENT));
    EXPECT_FALSE(Bank_Client_Konto_Holen());
    EXPECT_FALSE(Bank_Client_Alles_Holen(CLIENT));
    EXPECT_FALSE(Bank_Client_Buchungen_Holen(CLIENT));
    EXPECT_FALSE(Bank_Ueberweisung(CLIENT, 3, 10.0f, BUCHUNG_TRANSFER_AUS, 0, -1));
    EXPECT_FALSE(Bank_Kredit(-1, CLIENT, 10.0f, 3, 0, -1.0f, 0));
    N().ausfall = false;
    // Answers cut short, grown or with a broken float are refused.
    void (*schaeden[])(std::vector<uint8_t>&) = {
        [](std::vector<uint8_t>& a) { a.pop_back(); },
        [](std::vector<uint8_t>& a) { a.push_back(0); },
        [](std::vector<uint8_t>& a) {
            float nan = NAN;
            std::memcpy(&a[a.size() - 52 - 4], &nan, 4);   // the balance of a status answer
        },
    };
    for (auto s : schaeden) {
        N().verderben = s;
        EXPECT_FALSE(Bank_Sync_Status(CLIENT));
    }
    N().verderben = schaeden[0];
    EXPECT_FALSE(Bank_Client_Konto_Holen());
    EXPECT_FALSE(Bank_Client_Buchungen_Holen(CLIENT));
    N().verderben = nullptr;
    std::vector<uint8_t> nachher;
    Bank_Save(nachher);
    EXPECT_EQ(nachher, vorher);
}

}  // namespace
}  // namespace velmora
