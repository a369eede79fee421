// tests/business/stadion_netz_test.cpp - the stadium's and the advertising's
// remote calls between a client and a server (the server's state kept as save
// blocks beside the client's), and the connection to the match day, the
// calendar and the save game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "club/club_config.h"
#include "club/club_netz.h"
#include "tests/business/stadion_welt.h"

namespace velmora {
namespace {

using test::Bank;

struct Server {
    int32_t modus = 1;
    std::vector<uint8_t> stadion, werbung;
    std::vector<int32_t> anfragen;
};
Server server;

void Bloecke_Sichern(std::vector<uint8_t>& s, std::vector<uint8_t>& w) {
    s.clear();
    w.clear();
    Stadion_Save(s);
    Werbung_Save(w);
}

void Bloecke_Laden(const std::vector<uint8_t>& s, const std::vector<uint8_t>& w) {
    ASSERT_TRUE(Stadion_Load(s.data(), s.size()));
    ASSERT_TRUE(Werbung_Load(w.data(), w.size()));
}

bool Fake_Server(int32_t anfrage, const char*, const std::vector<uint8_t>& arg, std::vector<uint8_t>& antwort) {
    server.anfragen.push_back(anfrage);
    std::vector<uint8_t> s, w;
    Bloecke_Sichern(s, w);
    Bloecke_Laden(server.stadion, server.werbung);
    server.modus = 2;
    bool ok = anfrage == ANFRAGE_WERBUNG ? Werbung_Server_Anfrage(anfrage, 2, arg.data(), arg.size(), antwort)
                                         : Stadion_Server_Anfrage(anfrage, 2, arg.data(), arg.size(), antwort);
    Bloecke_Sichern(server.stadion, server.werbung);
    Bloecke_Laden(s, w);
    server.modus = 1;
    return ok;
}

class StadionNetzTest : public test::StadionWelt {
protected:
    void SetUp() override {
        StadionWelt::SetUp();
        ASSERT_NE(Manager_Neuer_Mitspieler(2, "Anna", -1), nullptr);
        ASSERT_NE(Manager_Neuer_Mitspieler(3, "Bert", -1), nullptr);
        test::Konto_Setzen(2, 5000000);
        Bauen(2, 23000);
        Bauen(3, 40000);
        Werbung_Team_Reset(2, 1);
        server = Server{};
        Bloecke_Sichern(server.stadion, server.werbung);
    }
    // From here on this machine is the client of team 2.
    void Client_Werden() {
        ClubHooks& h = Club_Hooks();
        h.netzwerk_modus = [] { return server.modus; };
        h.client_team = [] { return 2; };
        h.client_read = Fake_Server;
    }
    // A change made on the server only.
    template <typename F>
    void Auf_Dem_Server(F f) {
        std::vector<uint8_t> s, w;
        Bloecke_Sichern(s, w);
        Bloecke_Laden(server.stadion, server.werbung);
        f();
        Bloecke_Sichern(server.stadion, server.werbung);
        Bloecke_Laden(s, w);
    }
};

TEST_F(StadionNetzTest, AClientReadsTheServersRecordAndItsOwnOnlyOnceUntilTheSync) {
    Auf_Dem_Server([] {
        Stadion_Get(2, 1)->preis = 33;
        Stadion_Get(3, 1)->preis = 44;
    });
    Client_Werden();
    EXPECT_EQ(Stadion_Get(3, 1)->preis, 44);
    EXPECT_EQ(Stadion_Get(2, 1)->preis, 33);
    size_t n = server.anfragen.size();
    EXPECT_EQ(Stadion_Get_Kapazitaet(2), 23000);
    EXPECT_EQ(server.anfragen.size(), n);
    Stadion_Client_Sync();
    Stadion_Get(2, 1);
    EXPECT_EQ(server.anfragen.size(), n + 1);
    for (int32_t id : server.anfragen) EXPECT_EQ(id, ANFRAGE_STADION_HOLEN);
    // A club without a stadium on the server has none here either.
    EXPECT_EQ(Stadion_Get(4, 1), nullptr);
}

TEST_F(StadionNetzTest, AClientBuildsTheNextModelOfItsOwnStadiumOnly) {
    Client_Werden();
    Stadion_Satz neu = *Stadion_Get(2, 1);
    ASSERT_EQ(neu.modell, 2);
    neu.modell = 3;
    neu.komfort = 64;
    neu.kapazitaet = 26000;
    neu.preis = 31;
    test::Konto_Setzen(2, 100000000);   // the new model is dear
    Bank().buchungen.clear();
    ASSERT_TRUE(Stadion_Netz_Nachricht(2, &neu));
    EXPECT_NE(std::find(server.anfragen.begin(), server.anfragen.end(), ANFRAGE_STADION_AENDERN), server.anfragen.end());
    const Stadion_Satz* s = Stadion_Get(2, 1);
    EXPECT_EQ(s->modell, 3);
    EXPECT_EQ(s->komfort, 64);
    EXPECT_EQ(s->kapazitaet, 26000);
    EXPECT_EQ(s->preis, 31);
    // The server booked the change once: the model, four comfort points over
    // its norm and the thousand places over its minimum.
    auto wert = [](int32_t spalte) { return int64_t(Stadion_Modell_Wert(3, spalte)); };
    const int64_t preis = wert(MODELL_BAUPREIS) + (64 - wert(MODELL_NORMKOMFORT)) * wert(MODELL_KOMFORT_BAUPREIS) +
                          (26000 - wert(MODELL_MIN_KAPAZITAET)) * wert(MODELL_PLATZ_BAUPREIS);
    ASSERT_EQ(Bank().buchungen.size(), 1u);
    EXPECT_EQ(Bank().buchungen[0].von, 2);
    EXPECT_EQ(Bank().buchungen[0].kategorie, BUCHUNG_STADIONBAU);
    EXPECT_EQ(double(Bank().buchungen[0].betrag), double(float(preis)));
    // Another club's stadium is not sent at all.
    size_t n = server.anfragen.size();
    Stadion_Satz fremd = *Stadion_Get(3, 0);
    n = server.anfragen.size();
    EXPECT_FALSE(Stadion_Netz_Nachricht(3, &fremd));
    EXPECT_EQ(server.anfragen.size(), n);
}

TEST_F(StadionNetzTest, TheServerRefusesAnotherClubAndUnsoundValues) {
    struct Fall {
        int32_t client, team, modell, komfort, kapazitaet, preis;
    } faelle[] = {
        {3, 2, 2, 50, 23000, 20},        // not the client's club
        {2, 2, 4, 50, 23000, 20},        // two models at once
        {2, 2, 2, 101, 23000, 20},       // comfort above 100
        {2, 2, 2, 50, 5000000, 20},      // capacity beyond the model
        {2, 2, 2, 50, 23000, -3},        // a negative price
        {2, 4, 2, 50, 23000, 20},        // a club without a stadium
    };
    Stadion_Satz vorher = *Stadion_Get(2, 0);
    for (const Fall& f : faelle) {
        std::vector<uint8_t> arg, antwort;
        ClubPacker p{arg};
        for (int32_t v : {f.team, f.modell, f.komfort, f.kapazitaet, f.preis}) p.i32(v);
        ASSERT_TRUE(Stadion_Server_Anfrage(ANFRAGE_STADION_AENDERN, f.client, arg.data(), arg.size(), antwort));
        ClubLeser l{antwort.data(), antwort.size()};
        EXPECT_EQ(l.i32(), 0);
        EXPECT_EQ(std::memcmp(Stadion_Get(2, 1), &vorher, sizeof vorher), 0);
    }
    // A short request is malformed.
    std::vector<uint8_t> antwort;
    EXPECT_FALSE(Stadion_Server_Anfrage(ANFRAGE_STADION_AENDERN, 2, nullptr, 0, antwort));
    std::vector<uint8_t> arg;
    ClubPacker{arg}.i32(2);
    antwort.clear();
    ASSERT_TRUE(Stadion_Server_Anfrage(ANFRAGE_STADION_PRUEFEN, 2, arg.data(), arg.size(), antwort));
    EXPECT_EQ((ClubLeser{antwort.data(), antwort.size()}.i32()), 1);
}

// A client's change is priced and paid on the server in the same request: a
// change the club cannot pay is not made, and the client cannot skip paying.
TEST_F(StadionNetzTest, TheServerChargesEachChangeAndRefusesItUnpaid) {
    const Stadion_Satz vorher = *Stadion_Get(2, 0);
    ASSERT_EQ(vorher.modell, 2);
    const int32_t komfort_preis = Stadion_Modell_Wert(2, MODELL_KOMFORT_BAUPREIS);
    const int32_t platz_preis = Stadion_Modell_Wert(2, MODELL_PLATZ_BAUPREIS);
    struct Fall {
        int32_t komfort, kapazitaet, preis;
        int64_t kosten;
    } faelle[] = {
        {vorher.komfort + 7, vorher.kapazitaet, vorher.preis, 7LL * komfort_preis},
        {vorher.komfort - 5, vorher.kapazitaet, vorher.preis, 0},                        // comfort given up is free
        {vorher.komfort, vorher.kapazitaet + 2000, vorher.preis, 2000LL * platz_preis},
        {vorher.komfort, vorher.kapazitaet - 3000, vorher.preis, 3000LL * 50},           // 50 per place given up
        {vorher.komfort, vorher.kapazitaet + 1999, vorher.preis, 1000LL * platz_preis},  // whole thousands only
        {vorher.komfort, vorher.kapazitaet, vorher.preis + 9, 0},                        // the ticket price is free
    };
    test::Konto_Setzen(2, 100000000);   // enough for every change of the table
    for (const Fall& f : faelle) {
        SCOPED_TRACE(&f - faelle);
        Bank().buchungen.clear();
        Stadion_Satz* s = Stadion_Get(2, 1);
        *s = vorher;
        EXPECT_EQ(Stadion_Umbau_Preis(vorher, 2, f.komfort, f.kapazitaet), f.kosten);
        std::vector<uint8_t> arg, antwort;
        ClubPacker p{arg};
        for (int32_t v : {2, 2, f.komfort, f.kapazitaet, f.preis}) p.i32(v);
        ASSERT_TRUE(Stadion_Server_Anfrage(ANFRAGE_STADION_AENDERN, 2, arg.data(), arg.size(), antwort));
        EXPECT_EQ((ClubLeser{antwort.data(), antwort.size()}.i32()), 1);
        EXPECT_EQ(s->komfort, f.komfort);
        EXPECT_EQ(s->kapazitaet, f.kapazitaet / 1000 * 1000);
        EXPECT_EQ(s->preis, f.preis);
        ASSERT_EQ(Bank().buchungen.size(), f.kosten ? 1u : 0u);
        if (f.kosten) {
            EXPECT_EQ(double(Bank().buchungen[0].betrag), double(f.kosten));
            EXPECT_EQ(Bank().buchungen[0].von, 2);
            EXPECT_EQ(Bank().buchungen[0].kategorie, BUCHUNG_STADIONBAU);
        }
    }
    // A club that cannot pay: the bank refuses the payment, the stadium stays
    // as it was, and the client learns the change was not made.
    *Stadion_Get(2, 1) = vorher;
    Bloecke_Sichern(server.stadion, server.werbung);
    test::Konto_Setzen(2, 1000);
    Client_Werden();
    Stadion_Satz neu = *Stadion_Get(2, 1);
    neu.modell = 3;
    EXPECT_FALSE(Stadion_Netz_Nachricht(2, &neu));
    neu = vorher;
    neu.komfort = vorher.komfort + 1;
    EXPECT_FALSE(Stadion_Netz_Nachricht(2, &neu));
    EXPECT_EQ(std::memcmp(Stadion_Get(2, 1), &vorher, sizeof vorher), 0);
    Auf_Dem_Server([&] { EXPECT_EQ(std::memcmp(Stadion_Get(2, 1), &vorher, sizeof vorher), 0); });
    // What the club can pay goes through.
    test::Konto_Setzen(2, 10 * komfort_preis);
    EXPECT_TRUE(Stadion_Netz_Nachricht(2, &neu));
    EXPECT_EQ(Stadion_Get(2, 1)->komfort, vorher.komfort + 1);
}

TEST_F(StadionNetzTest, AClientsAdvertisingRequestsRunOnTheServer) {
    Auf_Dem_Server([] { Werbung_Get_Team(2)->wert[6] = 0; });
    Client_Werden();
    // The first read fetches the server's record.
    EXPECT_EQ(Werbung_Get_Team(2)->wert[6], 0);
    ASSERT_EQ(server.anfragen.size(), 1u);
    EXPECT_EQ(server.anfragen[0], ANFRAGE_WERBUNG);
    int32_t kategorie = Werbung_Get_Team(2)->angebot_kategorie;
    bool annehmbar = kategorie == 2 && Werbung_Get_Team(2)->angebot_wert > 0;
    EXPECT_EQ(Werbung_Angebot_Annehmen(2), annehmbar);
    // The agency ages the record on the server; the client learns the result.
    Werbung_Get_Team(2)->belastung = 0;
    Auf_Dem_Server([] { Werbung_Get_Team(2)->belastung = 5; });
    Werbung_Angebot_Erzeugen(2, 1);
    EXPECT_EQ(Werbung_Altern(2), 1);
    EXPECT_EQ(Werbung_Get_Team(2)->belastung, 10);
    // Another club's record is not asked for.
    size_t n = server.anfragen.size();
    EXPECT_FALSE(Werbung_Angebot_Annehmen(3));
    EXPECT_EQ(server.anfragen.size(), n);
    // The client and the server hold the same record now.
    Werbung_Datensatz hier = *Werbung_Get_Team(2);
    Werbung_Datensatz dort{};
    Auf_Dem_Server([&] { dort = *Werbung_Get_Team(2); });
    EXPECT_EQ(std::memcmp(&hier, &dort, sizeof hier), 0);
}

TEST_F(StadionNetzTest, TheServerAnswersAdvertisingOnlyForTheClientsClub) {
    std::vector<uint8_t> arg, antwort;
    ClubPacker p{arg};
    for (int32_t v : {3, 1, 1, 1}) p.i32(v);
    ASSERT_TRUE(Werbung_Server_Anfrage(ANFRAGE_WERBUNG, 2, arg.data(), arg.size(), antwort));
    EXPECT_EQ((ClubLeser{antwort.data(), antwort.size()}.i32()), 0);
    EXPECT_EQ(Werbung_Get_Team(3)->automatisch, 0);
    EXPECT_FALSE(Werbung_Server_Anfrage(ANFRAGE_WERBUNG, 2, arg.data(), 6, antwort));
}

TEST_F(StadionNetzTest, ANewGameGivesEveryClubItsStadiumAndEveryManagerHisContracts) {
    // (The same line as the stadium tests give this club: the club file's lines outlive a test.)
    ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(3, "Waldstadion", 12000, 11456));
    ASSERT_TRUE(Stadion_Spielstart());
    EXPECT_EQ(Stadion_Get_Kapazitaet(3), 23000);
    EXPECT_EQ(Stadion_Get(2, 1), nullptr);   // the club file has no line for it
    EXPECT_EQ(std::count(Werbung_Get_Team(2)->wert, Werbung_Get_Team(2)->wert + WERBUNG_PLAETZE, 0), 0);
    EXPECT_EQ(Werbung_Get_Team(5), nullptr);
}

}  // namespace
}  // namespace velmora
