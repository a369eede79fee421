// Transfers: players change clubs with every list and line-up kept
// consistent; money and news go through the hooks; a client's transfer runs
// on the server.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <utility>
#include <vector>

#include "club/aufstellung.h"
#include "club/club_netz.h"
#include "club/kader_hooks.h"
#include "club/transfer.h"
#include "club/team_suche.h"
#include "tests/club/kader_welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

struct Buchung {
    int32_t von, an;
    float betrag;
    int32_t kategorie;
    bool zwingend;
    bool operator==(const Buchung&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Buchung& b) {
    return o << b.von << "->" << b.an << " " << b.betrag << " (" << b.kategorie << (b.zwingend ? ", forced)" : ")");
}
struct Nachricht {
    int32_t team, partner, kommt, geht;
    float bezahlt, erhalten;
};
struct Bank {
    std::map<int32_t, float> konto;
    std::vector<Buchung> buchungen;
    std::vector<Nachricht> news;
    bool verweigern = false;
};
Bank bank;

void Hooks_Fuellen() {
    KaderHooks& h = Kader_Hooks();
    h.bank_kontostand = [](int32_t team) { return bank.konto[team]; };
    // As the bank does: a debit not forced is refused when the balance does not cover it.
    h.bank_ueberweisung = [](int32_t von, int32_t an, float betrag, int32_t kategorie, bool zwingend) {
        if (bank.verweigern || (von >= 0 && !zwingend && bank.konto[von] < betrag)) return false;
        bank.konto[von] -= betrag;
        bank.konto[an] += betrag;
        bank.buchungen.push_back({von, an, betrag, kategorie, zwingend});
        return true;
    };
    h.verkaufserloes = [](int32_t spieler) { return spieler >= 0 ? 200000.0f : 0.0f; };
    h.transfer_news = [](int32_t team, int32_t partner, int32_t kommt, int32_t geht, float bezahlt, float erhalten) {
        bank.news.push_back({team, partner, kommt, geht, bezahlt, erhalten});
    };
}

// Every player stands in exactly one list and that list's owner is his club.
void Listen_Pruefen(int32_t erwartet_gesamt) {
    std::vector<int32_t> gesehen(size_t(Spieler_Anzahl()), 0);
    int32_t gesamt = 0;
    std::vector<int32_t> liste(MARKT_SPIELER_MAX);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        int32_t n = Teamspieler_Ins_Array(t, liste.data(), MARKT_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) {
            ++gesehen[size_t(liste[size_t(i)])];
            EXPECT_EQ(Spieler_Get_Team(liste[size_t(i)]), t);
        }
        gesamt += n;
    }
    EXPECT_EQ(gesamt, erwartet_gesamt);
    for (size_t p = 0; p < gesehen.size(); ++p) EXPECT_LE(gesehen[p], 1) << p;
}

class TransferTest : public test::WeltTest {
protected:
    void SetUp() override {
        test::WeltTest::SetUp();
        bank = Bank{};
        Kader_Hooks() = KaderHooks{};
        Team_Aufstellung_Initialisieren(-1);
    }
    void TearDown() override {
        Kader_Hooks() = KaderHooks{};
        test::WeltTest::TearDown();
    }
    static int32_t Im_Slot(int32_t club, int32_t slot) { return test::Spieler_Im_Slot(club, slot); }
};

TEST_F(TransferTest, ExchangeBetweenClubsKeepsListsAndLineUps) {
    Manager_Neuer_Mitspieler(2, "Trainer", -1);
    Team_Formation_Flag_Loeschen(2);
    int32_t geht = Im_Slot(2, 4), kommt = Im_Slot(3, 14);
    int32_t gesamt = Spieler_Anzahl();
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, 3, geht, kommt, 0));
    EXPECT_EQ(Spieler_Get_Team(geht), 3);
    EXPECT_EQ(Spieler_Get_Team(kommt), 2);
    EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 0, 0), 18);
    EXPECT_EQ(Teamspieler_Ins_Array(3, nullptr, 0, 0), 18);
    Listen_Pruefen(gesamt);
    // The manager's club keeps its line-up: the newcomer takes the slot.
    EXPECT_EQ(Spieler_Wert(87, kommt, 0, OP_LESEN), 4);
    EXPECT_TRUE(Team_Aufstellung_Pruefen(2));
    EXPECT_TRUE(Team_Aufstellung_Pruefen(3));
    EXPECT_TRUE(bank.buchungen.empty());
}

TEST_F(TransferTest, ReleaseToTheMarketFillsTheEmptyPlace) {
    Manager_Neuer_Mitspieler(2, "Trainer", -1);
    Team_Formation_Flag_Loeschen(2);
    int32_t geht = Im_Slot(2, 6);
    Spieler_Wert(75, geht, 0x1000, OP_SETZEN);
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, Team_Markt(), geht, -1, 0));
    EXPECT_EQ(Spieler_Get_Team(geht), Team_Markt());
    EXPECT_EQ(Spieler_Wert(75, geht, 0, OP_LESEN) & (16 | 32 | 0x1000), 0);
    EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 0, 0), 17);
    EXPECT_GE(Im_Slot(2, 6), 0);
    EXPECT_TRUE(Team_Aufstellung_Pruefen(2));
    EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 0, SP_STATUS_START), 11);
    Listen_Pruefen(Spieler_Anzahl());
}

TEST_F(TransferTest, PurchaseBooksPriceAndProceedsAndSendsNews) {
    Hooks_Fuellen();
    Manager_Neuer_Mitspieler(2, "Trainer", -1);
    int32_t geht = Im_Slot(2, 15);
    int32_t markt[MARKT_SPIELER_MAX];
    ASSERT_GT(Teamspieler_Ins_Array(Team_Markt(), markt, MARKT_SPIELER_MAX, 0), 0);
    int32_t kommt = markt[0];
    bank.konto[2] = 500000;
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, Team_Markt(), geht, kommt, 500000));
    // The market stands outside the league: the club's cost and income only.
    EXPECT_EQ(bank.buchungen, (std::vector<Buchung>{{2, -1, 500000, BUCHUNG_TRANSFER_KAUF, false},
                                                    {-1, 2, 200000, BUCHUNG_TRANSFER_ERLOES, true}}));
    EXPECT_EQ(bank.konto[2], 200000);
    ASSERT_EQ(bank.news.size(), 1u);   // the market has no manager
    EXPECT_EQ(bank.news[0].team, 2);
    EXPECT_EQ(bank.news[0].partner, Team_Markt());
    EXPECT_EQ(bank.news[0].kommt, kommt);
    EXPECT_EQ(bank.news[0].geht, geht);
    EXPECT_EQ(bank.news[0].bezahlt, 500000);
    EXPECT_EQ(bank.news[0].erhalten, 200000);
    EXPECT_EQ(Spieler_Get_Team(kommt), 2);
    EXPECT_TRUE(Team_Aufstellung_Pruefen(2));
}

TEST_F(TransferTest, BetweenTwoManagersBothHearOfIt) {
    Hooks_Fuellen();
    Manager_Neuer_Mitspieler(2, "Eins", -1);
    Manager_Neuer_Mitspieler(3, "Zwei", -1);
    bank.konto[2] = 1000000;
    int32_t geht = Im_Slot(2, 12), kommt = Im_Slot(3, 12);
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, 3, geht, kommt, 400000));
    EXPECT_EQ(bank.konto[2], 1000000 - 400000 + 200000);
    EXPECT_EQ(bank.konto[3], 400000 - 200000);
    // Each amount in its direction: the payer's cost (31), the receiver's income (30).
    EXPECT_EQ(bank.buchungen, (std::vector<Buchung>{{2, -1, 400000, BUCHUNG_TRANSFER_KAUF, false},
                                                    {-1, 3, 400000, BUCHUNG_TRANSFER_ERLOES, true},
                                                    {3, -1, 200000, BUCHUNG_TRANSFER_KAUF, true},
                                                    {-1, 2, 200000, BUCHUNG_TRANSFER_ERLOES, true}}));
    ASSERT_EQ(bank.news.size(), 2u);
    // The buyer pays the price and is paid the proceeds; the seller the other way round.
    EXPECT_EQ(bank.news[0].team, 2);
    EXPECT_EQ(bank.news[0].partner, 3);
    EXPECT_EQ(bank.news[0].bezahlt, 400000);
    EXPECT_EQ(bank.news[0].erhalten, 200000);
    EXPECT_EQ(bank.news[1].team, 3);
    EXPECT_EQ(bank.news[1].partner, 2);
    EXPECT_EQ(bank.news[1].kommt, geht);
    EXPECT_EQ(bank.news[1].geht, kommt);
    EXPECT_EQ(bank.news[1].bezahlt, 200000);
    EXPECT_EQ(bank.news[1].erhalten, 400000);
}

TEST_F(TransferTest, RefusedTransfersChangeNothing) {
    Hooks_Fuellen();
    bank.konto[2] = 299999;   // 500000 - 200000 is not covered
    int32_t geht = Im_Slot(2, 15), kommt = Im_Slot(3, 15), fremd = Im_Slot(4, 3);
    struct Fall {
        const char* was;
        int32_t von, zu, spieler_von, spieler_zu;
        float preis;
    } faelle[] = {
        {"balance too low", 2, 3, geht, kommt, 500000},
        {"same club", 2, 2, geht, kommt, 0},
        {"player of another club", 2, 3, fremd, kommt, 0},
        {"other player of another club", 2, 3, geht, fremd, 0},
        {"nobody moves", 2, 3, -1, -1, 0},
        {"bad team", 2, 99, geht, -1, 0},
        {"negative price", 2, 3, geht, kommt, -10000},
        {"price not a number", 2, 3, geht, kommt, std::nanf("")},
    };
    for (const Fall& fall : faelle) {
        EXPECT_FALSE(Spieler_Transfer_Ausfuehren(fall.von, fall.zu, fall.spieler_von, fall.spieler_zu, fall.preis))
            << fall.was;
        EXPECT_EQ(Spieler_Get_Team(geht), 2) << fall.was;
        EXPECT_EQ(Spieler_Get_Team(kommt), 3) << fall.was;
        EXPECT_TRUE(bank.buchungen.empty()) << fall.was;
    }
    EXPECT_TRUE(Log_Enthaelt("Spieler_Transfer_Ausfuehren: Kontostand von Team 2 reicht nicht"));
    // The bank refusing the payment stops the transfer too.
    bank.konto[2] = 1e9f;
    bank.verweigern = true;
    EXPECT_FALSE(Spieler_Transfer_Ausfuehren(2, 3, geht, kommt, 500000));
    EXPECT_EQ(Spieler_Get_Team(geht), 2);
}

// The finance page's two transfer lines of a club: its transfer costs and its
// transfer income, as booked.
std::pair<float, float> Transferzeilen(int32_t team) {
    float kosten = 0, einnahmen = 0;
    for (const Buchung& b : bank.buchungen) {
        if (b.von == team && b.kategorie == BUCHUNG_TRANSFER_KAUF) kosten += b.betrag;
        if (b.an == team && b.kategorie == BUCHUNG_TRANSFER_ERLOES) einnahmen += b.betrag;
    }
    return {kosten, einnahmen};
}

TEST_F(TransferTest, AFullSquadRefusesTheDealBeforeAnyMoneyMoves) {
    Hooks_Fuellen();
    bank.konto[2] = 1e7f;
    bank.konto[3] = -2e6f;   // a club deep in debt as the other side
    int32_t markt[MARKT_SPIELER_MAX];
    Teamspieler_Ins_Array(Team_Markt(), markt, MARKT_SPIELER_MAX, 0);
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, Team_Markt(), -1, markt[0], 0));
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, Team_Markt(), -1, markt[1], 0));
    ASSERT_EQ(Teamspieler_Ins_Array(2, nullptr, 0, 0), TEAM_SPIELER_MAX);
    const std::pair<float, float> zeilen = Transferzeilen(2);
    const int32_t kommt = Im_Slot(3, 15);
    struct Fall {
        const char* was;
        int32_t zu, kommt;
    } faelle[] = {{"from the market", Team_Markt(), markt[2]}, {"from another club", 3, kommt}};
    for (const Fall& f : faelle) {
        EXPECT_FALSE(Spieler_Transfer_Ausfuehren(2, f.zu, -1, f.kommt, 500000)) << f.was;
        EXPECT_EQ(bank.konto[2], 1e7f) << f.was;
        EXPECT_EQ(bank.konto[3], -2e6f) << f.was;
        EXPECT_EQ(Transferzeilen(2), zeilen) << f.was;
        EXPECT_EQ(Transferzeilen(3), (std::pair<float, float>{0, 0})) << f.was;
        EXPECT_EQ(Spieler_Get_Team(f.kommt), f.zu) << f.was;
        EXPECT_TRUE(Team_Aufstellung_Pruefen(2)) << f.was;
    }
    EXPECT_TRUE(Log_Enthaelt("Team 2 voll"));
}

TEST_F(TransferTest, WithoutBankTheTransferStillHappensAndSaysSo) {
    int32_t geht = Im_Slot(2, 15), kommt = Im_Slot(3, 15);
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(2, 3, geht, kommt, 100000));
    EXPECT_TRUE(Log_Enthaelt("Spieler_Transfer_Ausfuehren: keine Bank"));
    EXPECT_EQ(Spieler_Get_Team(kommt), 2);
}

TEST(TransferWelt, ManyRandomTransfersKeepEveryListConsistent) {
    test::LogFaenger log;
    Kader_Hooks() = KaderHooks{};
    test::Kader_Welt_Bauen(40, 18, 3, 200);
    Team_Aufstellung_Initialisieren(-1);
    for (int32_t t = 1; t <= 40; t += 5) Manager_Neuer_Mitspieler(t, "Mensch", -1);
    for (int32_t t = 1; t <= 40; t += 10) Team_Formation_Flag_Loeschen(t);
    test::TestZufall z(5);
    int32_t gesamt = Spieler_Anzahl(), gelungen = 0;
    for (int32_t k = 0; k < 600; ++k) {
        int32_t von = z(1, 40), zu = z(0, 40);
        int32_t a[MARKT_SPIELER_MAX], b[MARKT_SPIELER_MAX];
        int32_t na = Teamspieler_Ins_Array(von, a, MARKT_SPIELER_MAX, 0);
        int32_t nb = Teamspieler_Ins_Array(zu, b, MARKT_SPIELER_MAX, 0);
        int32_t sa = na && z(0, 3) ? a[z(0, na - 1)] : -1;
        int32_t sb = nb && z(0, 3) ? b[z(0, nb - 1)] : -1;
        gelungen += Spieler_Transfer_Ausfuehren(von, zu, sa, sb, 0);
    }
    EXPECT_GT(gelungen, 300);
    Listen_Pruefen(gesamt);
    for (int32_t t = 1; t <= 40; ++t) {
        int32_t n = Teamspieler_Ins_Array(t, nullptr, 0, 0);
        EXPECT_LE(n, TEAM_SPIELER_MAX);
        if (n >= 11) {
            EXPECT_TRUE(Team_Aufstellung_Pruefen(t)) << t;
        }
    }
    test::Welt_Freigeben();
}

// The client's transfer through the network block, answered by the server's
// handler on a world of its own (kept as save blocks).
struct Netz {
    int32_t modus = 1;
    test::WeltBloecke server;
    std::vector<int32_t> anfragen;
};
Netz netz;

bool Fake_Server(int32_t anfrage, const char*, const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort) {
    netz.anfragen.push_back(anfrage);
    test::WeltBloecke client;
    client.sichern();
    netz.server.laden();
    netz.modus = 2;
    bool ok = Club_Server_Anfrage(anfrage, 3, argumente.data(), argumente.size(), antwort);
    netz.server.sichern();
    client.laden();
    netz.modus = 1;
    return ok;
}

TEST_F(TransferTest, ClientTransferRunsOnTheServerForItsOwnClubOnly) {
    Manager_Neuer_Mitspieler(3, "Gast", -1);
    // A release to the second club: its first player of the same kind comes back.
    Team_Wert(TW_ZWEITCLUB, 3, 4, OP_SCHREIBEN);
    int32_t geht = Im_Slot(3, 15), kommt = Team_Suche_Spieler_Mit_Art(4, Spieler_Get_Art(geht));
    ASSERT_GE(kommt, 0);
    netz = Netz{};
    netz.server.sichern();
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = [] { return netz.modus; };
    h.client_team = [] { return 3; };
    h.client_read = Fake_Server;
    // Another club's transfer is refused on the client already.
    EXPECT_FALSE(Spieler_Transfer_Ausfuehren(4, 3, kommt, geht, 0));
    EXPECT_TRUE(netz.anfragen.empty());
    ASSERT_TRUE(Spieler_Transfer_Ausfuehren(3, 4, geht, kommt, 0));
    ASSERT_FALSE(netz.anfragen.empty());
    EXPECT_EQ(netz.anfragen[0], ANFRAGE_TRANSFER);
    // The client has fetched the lists again.
    EXPECT_EQ(Spieler_Get_Team(geht), 4);
    EXPECT_EQ(Spieler_Get_Team(kommt), 3);
    // The server saw it too.
    netz.modus = 2;
    netz.server.laden();
    EXPECT_EQ(Spieler_Get_Team(geht), 4);
    EXPECT_TRUE(Team_Aufstellung_Pruefen(3));
}

TEST_F(TransferTest, ServerRefusesATransferForAnotherClub) {
    int32_t geht = Im_Slot(2, 15), kommt = Im_Slot(4, 15);
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    for (int32_t v : {2, 4, geht, kommt, 2}) pk.i32(v);
    pk.i32(0);
    ASSERT_TRUE(Club_Server_Anfrage(ANFRAGE_TRANSFER, 3, a.data(), a.size(), antwort));
    ClubLeser l{antwort.data(), antwort.size()};
    EXPECT_EQ(l.i32(), 0);
    EXPECT_EQ(Spieler_Get_Team(geht), 2);
    EXPECT_TRUE(Log_Enthaelt("Spieler_Transfer_Ausfuehren: CLIENT-WRITE!"));
    // A short request is malformed.
    antwort.clear();
    EXPECT_FALSE(Club_Server_Anfrage(ANFRAGE_TRANSFER, 2, a.data(), 12, antwort));
    EXPECT_EQ(Spieler_Get_Team(geht), 2);
}

}  // namespace
}  // namespace velmora
