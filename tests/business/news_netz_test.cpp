// The news between a client and the server: a fake network keeps the server's
// news in a second module state; each remote call swaps it in, runs the
// server's handler for the client's team and swaps the client's back.
#include <gtest/gtest.h>

#include <cstring>

#include "business/news_netz.h"
#include "business/news_satz.h"
#include "business/news_testing.h"
#include "core/bytes.h"
#include "core/str.h"
#include "tests/business/news_welt.h"

namespace velmora {
namespace {

struct Netz {
    NewsZustand* server = nullptr;
    int32_t modus = 1;
    int32_t client_team = 3;
    std::vector<int32_t> anfragen;
};
Netz netz;

bool Fake_Server(int32_t anfrage, const char*, const std::vector<uint8_t>& a, std::vector<uint8_t>& antwort) {
    netz.anfragen.push_back(anfrage);
    News_Testing_Zustand_Tauschen(netz.server);
    netz.modus = 2;
    bool ok = News_Server_Anfrage(anfrage, netz.client_team, a.data(), a.size(), antwort);
    netz.modus = 1;
    News_Testing_Zustand_Tauschen(netz.server);
    return ok;
}

class NewsNetzTest : public test::NewsWelt {
protected:
    void SetUp() override {
        test::NewsWelt::SetUp();
        netz = Netz{};
        netz.server = News_Testing_Zustand_Neu();
        Server([] { ASSERT_TRUE(News_Datei_Oeffnen()); });
        ClubHooks& h = Club_Hooks();
        h.netzwerk_modus = [] { return netz.modus; };
        h.client_team = [] { return netz.client_team; };
        h.client_read = Fake_Server;
    }
    void TearDown() override {
        News_Testing_Zustand_Loeschen(netz.server);
        test::NewsWelt::TearDown();
    }
    // Runs `f` on the server's news.
    template <typename F>
    void Server(F f) {
        News_Testing_Zustand_Tauschen(netz.server);
        int32_t modus = netz.modus;
        netz.modus = 2;
        f();
        netz.modus = modus;
        News_Testing_Zustand_Tauschen(netz.server);
    }
    std::vector<std::string> Texte() {
        std::vector<std::string> t;
        for (int32_t i = 0; i < News_Anzahl(); ++i) t.push_back(News_Text(i));
        return t;
    }
};

TEST_F(NewsNetzTest, ClientAddGoesToTheServerAndKeepsAnOwnCopyUnderItsId) {
    Server([] { ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "vorher"), 1); });
    ASSERT_EQ(News_Add(3, 3, -1, 4, nullptr, "an mich %d", 1), 1);
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_EQ(News_Get_Id(0), 2u);   // the server's id
    EXPECT_EQ(Empfaenger(0), "3:40000804");
    ASSERT_EQ(News_Add(3, 4, -1, 4, nullptr, "an Cora"), 1);   // stored on the server, no copy here
    EXPECT_EQ(News_Anzahl(), 1);
    Server([] {
        ASSERT_EQ(News_Anzahl(), 3);
        EXPECT_STREQ(News_Text(1), "an mich 1");
        EXPECT_EQ(Empfaenger(2), "4:40000804");
        EXPECT_EQ(News_Get_Absender(2), 3);
    });
    EXPECT_EQ(News_Add(3, 2, -1, 2, nullptr, "eine Antwort"), 0);   // answers return 0 and stay on the server
    EXPECT_EQ(News_Anzahl(), 1);
    Server([] { EXPECT_EQ(News_Anzahl(), 4); });
    EXPECT_EQ(netz.anfragen, (std::vector<int32_t>{1013, 1013, 1013}));
}

TEST_F(NewsNetzTest, ServerRefusesAnItemInAnotherTeamsNameAndTellsTheClient) {
    EXPECT_EQ(News_Add(2, 4, -1, 4, nullptr, "von Anna"), 0);
    EXPECT_EQ(News_Add(2, 3, 4, 4, nullptr, "an mich und Cora"), 0);
    EXPECT_EQ(News_Add(2, 3, -1, 4, nullptr, "an mich"), 1);   // to the client's own team alone: accepted
    EXPECT_EQ(News_Client_Holen(3), 2);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"an mich", "Falscher Absender: von Anna",
                                                 "Falscher Absender: an mich und Cora"}));
    Server([] { EXPECT_EQ(News_Anzahl(), 3); });
}

TEST_F(NewsNetzTest, FetchBringsOnlyTheOwnTeamsNewItems) {
    int32_t kopf[10] = {12, 3, 2, 40, 17, 0, 0, 0, 0, -1};
    Server([&] {
        ASSERT_EQ(News_Add(2, 3, -1, 1, kopf, "Angebot"), 1);
        ASSERT_EQ(News_Add(-1, -1, -1, 4, nullptr, "an alle"), 1);
        ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "nur Anna"), 1);
        ASSERT_EQ(News_Eintragen(0, 33, -1, 3, -1, 0x1004, nullptr, "Geld"), 1);
    });
    EXPECT_EQ(News_Client_Holen(3), 3);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"Angebot", "an alle", "Geld"}));
    EXPECT_EQ(News_Get_Id(0), 1u);
    EXPECT_EQ(News_Get_Id(2), 4u);
    EXPECT_EQ(std::memcmp(News_Get_Kopf(0), kopf, sizeof kopf), 0);
    EXPECT_EQ(News_Get_Absender(0), 2);
    EXPECT_EQ(News_Get_Tag(2), 33);
    EXPECT_EQ(Empfaenger(0), "3:40000801");
    EXPECT_EQ(Empfaenger(2), "3:40001004");
    EXPECT_EQ(News_Client_Holen(3), 0);   // nothing new
    EXPECT_EQ(News_Anzahl(), 3);
    netz.modus = 0;
    EXPECT_EQ(News_Client_Holen(3), 0);   // only a client fetches
}

TEST_F(NewsNetzTest, LongBacklogArrivesOverSeveralFetches) {
    std::string text(799, 't');
    Server([&] {
        for (int32_t i = 0; i < 100; ++i) ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "%03d%s", i, text.c_str() + 3), 1);
    });
    std::vector<int32_t> je_abruf;
    for (int32_t n = News_Client_Holen(3); n > 0; n = News_Client_Holen(3)) je_abruf.push_back(n);
    ASSERT_GE(je_abruf.size(), 2u);
    EXPECT_LE(je_abruf[0], 61);   // 49000 bytes of entries of 864 bytes, and one more
    ASSERT_EQ(News_Anzahl(), 100);
    for (int32_t i = 0; i < 100; ++i) {
        EXPECT_EQ(News_Get_Id(i), uint32_t(i + 1));
        EXPECT_EQ(std::string(News_Text(i)).substr(0, 3), Str_Format("%03d", i));
    }
}

TEST_F(NewsNetzTest, NewsBlockEntriesArePaddedToFourBytes) {
    Server([] {
        ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "abc"), 1);     // 60 + 4 bytes: padded by 4
        ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "abcdef"), 1);  // 60 + 7 bytes: padded by 1
        std::vector<uint8_t> block;
        News_Block_Bauen(3, {}, block);
        ASSERT_EQ(block.size(), 68u + 68 + 4);
        EXPECT_EQ(Bytes_Get32(&block[0]), 1u);
        EXPECT_EQ(Bytes_Get32(&block[4]), 0x40000804u);
        EXPECT_EQ(Bytes_Get32(&block[8]), 3u);
        EXPECT_EQ(int32_t(Bytes_Get32(&block[16])), -1);   // the sender
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&block[60])), "abc");
        for (size_t i = 64; i < 68; ++i) EXPECT_EQ(block[i], 0);
        EXPECT_EQ(Bytes_Get32(&block[68]), 2u);
        EXPECT_EQ(Bytes_Get32(&block[136]), 0u);
        std::vector<uint8_t> ohne_erste;
        News_Block_Bauen(3, {1}, ohne_erste);
        EXPECT_EQ(ohne_erste.size(), 68u + 4);
        // Damaged blocks store what came before the damage and say so.
        std::vector<uint8_t> kaputt = block;
        Bytes_Put32(&kaputt[68 + 8], 900);
        ASSERT_TRUE(News_Datei_Oeffnen());
        EXPECT_EQ(News_Block_Eintragen(3, kaputt.data(), kaputt.size()), -1);
        EXPECT_EQ(News_Anzahl(), 1);
        for (size_t n = 0; n < block.size(); ++n) {
            ASSERT_TRUE(News_Datei_Oeffnen());
            EXPECT_EQ(News_Block_Eintragen(3, block.data(), n), -1) << n;
        }
    });
}

TEST_F(NewsNetzTest, ClientSetChangesOnlyItsOwnTeamOnTheServer) {
    Server([] { ASSERT_EQ(News_Add(-1, 3, 4, 5, nullptr, "fuer Bert und Cora"), 1); });
    ASSERT_EQ(News_Client_Holen(3), 1);
    EXPECT_EQ(News_Set(0, 3, 0x100, NEWS_SET_SETZEN), 0);
    Server([] { EXPECT_EQ(Empfaenger(0), "3:40000905 4:40000805"); });
    EXPECT_EQ(News_Set(0, -1, -1, NEWS_SET_LOESCHEN), 1);   // deleting here removes only team 3 there
    EXPECT_EQ(News_Anzahl(), 0);
    Server([] {
        ASSERT_EQ(News_Anzahl(), 1);
        EXPECT_EQ(Empfaenger(0), "4:40000805");
    });
    // A 1014 for another team is ignored without an answer.
    std::vector<uint8_t> a, antwort;
    for (int32_t w : {1, 4, -1, NEWS_SET_LOESCHEN}) News_Put32(a, uint32_t(w));
    Server([&] {
        EXPECT_TRUE(News_Server_Setzen(3, a.data(), a.size(), antwort));
        EXPECT_TRUE(antwort.empty());
        EXPECT_EQ(News_Anzahl(), 1);
    });
}

TEST_F(NewsNetzTest, ClientAnswerReachesTheServerAndTheRequestGoes) {
    int32_t kopf[10] = {5, 4, 3, 50, 1000000, 8, 12, 0, 0, -1};
    Server([&] { ASSERT_EQ(News_Add(4, 3, -1, 1, kopf, "Kredit?"), 1); });
    static NewsAntwortDaten daten;
    News_Hooks().requester = [](int32_t, const char*, const char*, const char*, const NewsAntwortDaten* d) {
        daten = *d;
        return true;
    };
    EXPECT_EQ(News_Anfragen_Pruefen(3), 1);   // fetches, then opens the requester
    EXPECT_EQ(daten.id, 1u);
    News_Antwort_Nein(&daten);
    EXPECT_EQ(News_Anzahl(), 0);
    Server([] {
        ASSERT_EQ(News_Anzahl(), 1);
        EXPECT_EQ(News_Get_Flags(0, 4), int32_t(0x40000802));
        EXPECT_EQ(News_Get_Kopf(0)[9], 0);
        EXPECT_EQ(News_Get_Absender(0), 3);
        EXPECT_STREQ(News_Text(0), "(Bert sagt nein!)");
    });
}

TEST_F(NewsNetzTest, MalformedRequestsAreRefused) {
    auto i32 = [](std::vector<uint8_t>& v, int32_t w) { News_Put32(v, uint32_t(w)); };
    std::vector<uint8_t> kopf(40, 0);
    auto hinzufuegen = [&](int32_t flags, int32_t kopf0, std::vector<uint8_t> text, bool laenge_stimmt) {
        std::vector<uint8_t> a;
        for (int32_t w : {3, 3, -1, flags}) i32(a, w);
        std::vector<uint8_t> k = kopf;
        Bytes_Put32(k.data(), uint32_t(kopf0));
        a.insert(a.end(), k.begin(), k.end());
        i32(a, int32_t(text.size()) + (laenge_stimmt ? 0 : 5));
        a.insert(a.end(), text.begin(), text.end());
        return a;
    };
    struct Fall {
        int32_t anfrage;
        std::vector<uint8_t> daten;
        bool ok;
    } faelle[] = {
        {1013, hinzufuegen(4, -1, {'a', 0}, true), true},
        {1013, hinzufuegen(4, -1, {'a', 'b'}, true), false},          // no zero byte
        {1013, hinzufuegen(4, -1, {}, true), false},
        {1013, hinzufuegen(4, -1, {'a', 0}, false), false},           // the length runs past the end
        {1013, hinzufuegen(int32_t(NEWS_BINAER), 3, {1, 2, 3, 0}, true), false},   // data longer than the header says
        {1013, hinzufuegen(int32_t(NEWS_BINAER), 4, {1, 2, 3, 0}, true), true},
        {1013, hinzufuegen(4, -1, std::vector<uint8_t>(801, 'x'), true), false},
        {1013, {}, false},
        {1014, {1, 0, 0, 0}, false},
        {1012, {}, false},
        {1012, {8, 0, 0, 0, 5, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0}, false},   // five ids announced, one sent
        {1040, {}, false},
    };
    faelle[6].daten.back() = 0;
    Server([&] {
        for (const Fall& f : faelle) {
            SCOPED_TRACE(&f - faelle);
            std::vector<uint8_t> antwort;
            EXPECT_EQ(News_Server_Anfrage(f.anfrage, 3, f.daten.data(), f.daten.size(), antwort), f.ok);
        }
        EXPECT_EQ(News_Anzahl(), 2);
    });
}

TEST_F(NewsNetzTest, FetchForAnotherTeamGivesNothing) {
    Server([] { ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "nur Anna"), 1); });
    EXPECT_EQ(News_Client_Holen(2), 0);
    EXPECT_EQ(News_Anzahl(), 0);
    Club_Hooks().client_read = nullptr;
    EXPECT_EQ(News_Client_Holen(3), -1);
    EXPECT_EQ(News_Add(3, 3, -1, 4, nullptr, "ohne Server"), 0);
}

TEST_F(NewsNetzTest, ClientStartReopensEmptyExceptOnTheServer) {
    ASSERT_EQ(News_Add(3, 3, -1, 4, nullptr, "da"), 1);
    News_Client_Start();
    EXPECT_EQ(News_Anzahl(), 0);
    EXPECT_EQ(News_Client_Holen(3), 1);   // the next fetch brings everything anew
    Server([] {
        News_Client_Start();
        EXPECT_EQ(News_Anzahl(), 1);
    });
}

}  // namespace
}  // namespace velmora
