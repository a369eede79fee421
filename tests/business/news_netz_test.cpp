// The news between a client and the server: a fake network keeps the server's
// news in a second module state; each remote call swaps it in, runs the
// server's handler for the client's team and swaps the client's back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/ereignis.h"
#include "business/ereignis_trigger.h"
#include "business/news_netz.h"
#include "business/news_satz.h"
#include "business/news_testing.h"
#include "club/club_anbindung.h"
#include "club/club_netz.h"
#include "club/manager.h"
#include "club/regeln.h"
#include "club/talente.h"
#include "core/bytes.h"
#include "core/le.h"
#include "core/str.h"
#include "net/richter.h"
#include "season/kalender.h"
#include "tests/business/news_welt.h"
#include "tests/net/net_test_hilfe.h"

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
    // An answer keeps no copy here; one that names no request the server holds is not stored there either.
    EXPECT_EQ(News_Add(3, 2, -1, 2, nullptr, "eine Antwort"), 0);
    EXPECT_EQ(News_Anzahl(), 1);
    Server([] { EXPECT_EQ(News_Anzahl(), 3); });
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
    for (int32_t w : {1, 4, -1, NEWS_SET_LOESCHEN}) Le_Put_U32(a, uint32_t(w));
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
    auto i32 = [](std::vector<uint8_t>& v, int32_t w) { Le_Put_U32(v, uint32_t(w)); };
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

// ---- The server's trust in what its clients send about requests ----
//
// A real server on 127.0.0.1 with the news, the bank and the events wired by
// the composition root, and a raw client of team 3 that packs its requests
// itself, so it can send what no honest client would.

// One event per kind of request; the running numbers are the positions.
const char* const ANFRAGE_KATALOG =
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_NEGATIVES_ATTRIBUT_WEG\"\nTEXT \"Heilung %s\"\n"
    "JA_TEXT \"geheilt %s\"\nNEIN_TEXT \"nicht geheilt %s\"\nWERT1 50\n"
    "NEUES_EREIGNIS\nKATEGORIE \"SPIELER_BEENDET_AKTUELLES_TRAINING\"\nTEXT \"Training %s\"\n"
    "JA_TEXT \"fertig %s\"\nNEIN_TEXT \"nein\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN_TEAM\"\nTEXT \"Frage %s\"\nJA_TEXT \"ja team\"\n"
    "NEIN_TEXT \"nein team\"\nWERT1 1000\nWERT2 20\nWERT3 1\n"
    "NEUES_EREIGNIS\nKATEGORIE \"MANAGER_WECHSEL\"\nTEXT \"Angebot %s\"\nJA_TEXT \"Wechsel zu %s\"\n"
    "NEIN_TEXT \"bleibt trotz %s\"\n"
    "NEUES_EREIGNIS\nKATEGORIE \"MANAGER_NATIONALTRAINER\"\nTEXT \"National %s\"\n"
    "JA_TEXT \"Nationaltrainer von %s\"\nNEIN_TEXT \"nicht fuer %s\"\n";
constexpr int32_t NR_HEILUNG = 0, NR_TRAINING = 1, NR_TEAM = 2, NR_WECHSEL = 3, NR_NATIONAL = 4;
constexpr int32_t TALENT = 20;
constexpr int32_t ROH = 3;       // the raw client's club
constexpr int32_t FREMD = 2;     // another manager's club, also the server's own

class AnfrageNetzTest : public test::NewsWelt {
protected:
    void SetUp() override {
        test::NewsWelt::SetUp();
        VerdrahtungOptionen o;
        o.nur = {"News", "Bank", "Ereignis"};
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(o, &fehler)) << fehler;
        for (int32_t t : {2, 3, 4}) Bank_Waehrung_Umrechnen(t, 1000000, 0);
        Regeln_Standard();
        Attribut_Tabelle_Leeren();
        AttributDaten d{};
        d.voraussetzung[0] = d.voraussetzung[1] = d.voraussetzung[2] = -1;
        d.schutz[0] = d.schutz[1] = d.schutz[2] = -1;
        d.moeglich_wann[1] = 12;
        d.noetige_punkte = 100;
        d.punkte_training = 10;
        ASSERT_TRUE(Attribut_Daten_Setzen(TALENT, d));
        ASSERT_TRUE(Ereignis_Lesen_Text(ANFRAGE_KATALOG, uint32_t(std::strlen(ANFRAGE_KATALOG)), "ereignis.cfg"));
        int32_t s[20];
        ASSERT_GT(Teamspieler_Ins_Array(ROH, s, 20, 0), 0);
        spieler = s[0];
        ASSERT_GT(Teamspieler_Ins_Array(FREMD, s, 20, 0), 0);
        fremder_spieler = s[0];
        netz = std::make_unique<test::Testnetz>();
        ASSERT_NE(netz->port, 0);
        bool ok = false;
        client = netz->Client(&ok);
        ASSERT_TRUE(ok);
        ASSERT_TRUE(test::Server_Bis([this] {
            test::ImKontext im(netz->server);
            return Net_Slot(0)->zustand == 1 && Net_Slot_Team_Setzen(0, ROH);
        }));
    }
    void TearDown() override {
        netz.reset();
        Ereignis_Exit();
        Attribut_Tabelle_Leeren();
        Regeln_Standard();
        Spiel_Entdrahten();
        test::NewsWelt::TearDown();
    }
    // A raw request of the client; the server's answer block, empty when it failed.
    std::vector<uint8_t> Roh(int32_t anfrage, std::initializer_list<int32_t> worte, const int32_t* kopf = nullptr,
                             const char* text = nullptr) {
        std::vector<uint8_t> a, antwort;
        ClubPacker pk{a};
        for (int32_t w : worte) pk.i32(w);
        if (kopf) {
            for (int32_t i = 0; i < 10; ++i) pk.i32(kopf[i]);
            pk.block_mit_laenge(text, std::strlen(text) + 1);
        }
        test::ImKontext im(client);
        if (!Club_Client_Lesen(anfrage, "", a, antwort)) antwort.clear();
        return antwort;
    }
    // Request 1013 of the raw client: the id the server gave, -1 without an answer.
    int32_t Hinzufuegen(int32_t sender, int32_t recipient, int32_t flags, const int32_t kopf[10],
                        const char* text = "x") {
        std::vector<uint8_t> antwort = Roh(ANFRAGE_NEWS_HINZUFUEGEN, {sender, recipient, -1, flags}, kopf, text);
        return antwort.size() == 4 ? int32_t(Bytes_Get32(antwort.data())) : -1;
    }
    // An answer of the raw client to the request `id`, with any header it likes.
    int32_t Antworten(uint32_t id, int32_t antwort, std::vector<int32_t> kopf = {14, ROH, 0, 0, 0, 0, 0, 0, 0, 0}) {
        kopf[NEWS_KOPF_ANFRAGE_ID] = int32_t(id);
        kopf[NEWS_KOPF_ANTWORT] = antwort;
        return Hinzufuegen(ROH, -1, int32_t(NEWS_ANTWORT), kopf.data());
    }
    // A request of the game to the client's club; its id.
    static uint32_t Anfrage_Des_Spiels(std::vector<int32_t> kopf) {
        EXPECT_EQ(News_Add(-1, ROH, -1, int32_t(NEWS_ANFRAGE), kopf.data(), "Frage"), 1);
        return News_Get_Id(News_Anzahl() - 1);
    }
    void Richter() {
        test::ImKontext im(netz->server);
        Richter_Kredit_Antworten();
    }
    static int32_t Geld(int32_t team) { return Bank_Kontostand(team, false, -1); }
    static int32_t Texte_Mit(const std::string& teil) {
        int32_t n = 0;
        for (int32_t i = 0; i < News_Anzahl(); ++i) n += std::string(News_Text(i)).find(teil) != std::string::npos;
        return n;
    }
    std::unique_ptr<test::Testnetz> netz;
    NetKontext* client = nullptr;
    int32_t spieler = -1, fremder_spieler = -1;
};

TEST_F(AnfrageNetzTest, ForgedAnswersAndRequestsOfARawClientMoveNothing) {
    const int32_t frist = Tag_Index() + 40;
    const int32_t geld_roh = Geld(ROH), geld_fremd = Geld(FREMD), talent = Spieler_Wert(TALENT, spieler, 0, OP_LESEN);
    // Answers that name no request the server holds, with the header the
    // client chose: money for itself, a cure charged to another club, a talent.
    struct Faelschung {
        const char* was;
        std::vector<int32_t> kopf;
    } antworten[] = {
        {"50,000,000 for itself", {14, ROH, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 50000000, 0, 1}},
        {"another club charged",
         {11, FREMD, fremder_spieler, frist, EK_NEG_ATTRIBUT_WEG, TALENT, NR_HEILUNG, 900000, 0, 1}},
        {"a talent taught", {11, ROH, spieler, frist, EK_TRAINING_BEENDET, TALENT, NR_TRAINING, 0, 0, 1}},
    };
    for (const Faelschung& f : antworten) {
        SCOPED_TRACE(f.was);
        EXPECT_EQ(Hinzufuegen(ROH, -1, int32_t(NEWS_ANTWORT), f.kopf.data()), 0);
        EXPECT_EQ(Antworten(987, 1, f.kopf), 0);   // an id the server never gave
    }
    // Requests in the game's name, to itself, which it could then answer.
    int32_t ereignis[10] = {14, ROH, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 50000000, 0, -1};
    EXPECT_EQ(Hinzufuegen(-1, ROH, int32_t(NEWS_ANFRAGE), ereignis), 0);
    EXPECT_EQ(Hinzufuegen(ROH, ROH, int32_t(NEWS_ANFRAGE), ereignis), 0);
    // A request of the game to another club: the client cannot answer it.
    uint32_t fremd = 0;
    {
        int32_t k[10] = {14, FREMD, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 1000, 0, -1};
        ASSERT_EQ(News_Add(-1, FREMD, -1, int32_t(NEWS_ANFRAGE), k, "Frage"), 1);
        fremd = News_Get_Id(News_Anzahl() - 1);
    }
    EXPECT_EQ(Antworten(fremd, 1), 0);
    // A message to itself with a chosen header, then made an answer by 1014.
    int32_t id = Hinzufuegen(ROH, ROH, 4, ereignis);
    ASSERT_GT(id, 0);
    for (int32_t modus : {NEWS_SET_WERT, NEWS_SET_UMSCHALTEN, NEWS_SET_SETZEN})
        Roh(ANFRAGE_NEWS_SETZEN, {id, ROH, int32_t(NEWS_ANTWORT | NEWS_NACHRICHT), modus});
    EXPECT_EQ(News_Get_Flags(News_Index_Von_Id(uint32_t(id)), ROH) & int32_t(NEWS_ANFRAGE | NEWS_ANTWORT), 0);
    Richter();
    EXPECT_EQ(Geld(ROH), geld_roh);
    EXPECT_EQ(Geld(FREMD), geld_fremd);
    EXPECT_EQ(Spieler_Wert(TALENT, spieler, 0, OP_LESEN), talent);
    EXPECT_GE(News_Index_Von_Id(fremd), 0);   // still open for its club
}

TEST_F(AnfrageNetzTest, AnAnswerTakesOnlyTheAnswerWordFromTheClient) {
    const int32_t frist = Tag_Index() + 40;
    const int32_t geld_roh = Geld(ROH), geld_fremd = Geld(FREMD);
    uint32_t id = Anfrage_Des_Spiels({14, ROH, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 1000, 0, -1});
    // The client names its own request but inflates the amount and names another club.
    EXPECT_GT(Antworten(id, 1, {14, FREMD, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 50000000, 0, 1}), 0);
    EXPECT_EQ(News_Index_Von_Id(id), -1);   // answered: the request is gone
    Richter();
    EXPECT_EQ(Geld(ROH) - geld_roh, 1000);
    EXPECT_EQ(Geld(FREMD), geld_fremd);
    // An answer word that is neither yes nor no is refused.
    id = Anfrage_Des_Spiels({14, ROH, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 1000, 0, -1});
    EXPECT_EQ(Antworten(id, 7), 0);
    EXPECT_GE(News_Index_Von_Id(id), 0);
}

// Each kind of event request: the answer acts once, however often it is sent.
TEST_F(AnfrageNetzTest, EachEventAnswerActsOnce) {
    const int32_t frist = Tag_Index() + 40;
    ManagerStruktur* m = Manager_Record(ROH);
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(Manager_Wert(309, m, 0, OP_LESEN), -1);
    const std::string verein4 = Team_String(0, 4, 0, 0), verein5 = Team_String(0, 5, 0, 0);
    struct Fall {
        const char* was;
        std::vector<int32_t> kopf;
        int32_t geld;          // what the club gains
        const char* text;      // the news it gets once
    } faelle[] = {
        {"training finished (kind 11)",
         {11, ROH, spieler, frist, EK_TRAINING_BEENDET, TALENT, NR_TRAINING, 3000, 0, -1}, -3000, "fertig"},
        {"team question (kind 14)", {14, ROH, 0, frist, EK_ALLGEMEIN_TEAM, 0, NR_TEAM, 2500, 0, -1}, 2500, "ja team"},
        {"job offer (kind 13)", {13, ROH, 4, Tag_Index() + 1, EK_MANAGER_WECHSEL, 0, NR_WECHSEL, 0, 0, -1}, 0,
         "Wechsel zu"},
        {"national team (kind 16)", {16, ROH, 5, Tag_Index() + 1, EK_NATIONALTRAINER, 0, NR_NATIONAL, 0, 0, -1}, 0,
         "Nationaltrainer von"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const int32_t geld = Geld(ROH);
        uint32_t id = Anfrage_Des_Spiels(f.kopf);
        EXPECT_GT(Antworten(id, 1), 0);
        EXPECT_EQ(Antworten(id, 1), 0);
        EXPECT_EQ(Antworten(id, 0), 0);
        Richter();
        Richter();
        EXPECT_EQ(Geld(ROH) - geld, f.geld);
        EXPECT_EQ(Texte_Mit(f.text), 1);
    }
    EXPECT_EQ(Spieler_Wert(TALENT, spieler, 0, OP_LESEN), Attribut_Schwelle(TALENT));
    EXPECT_EQ(Manager_Wert(309, m, 0, OP_LESEN), 4);
    EXPECT_EQ(Texte_Mit("Wechsel zu " + verein4), 1);
    EXPECT_EQ(Texte_Mit("Nationaltrainer von " + verein5), 1);
    // A no to the next job offer changes nothing and says so; with a change
    // pending a second yes does not replace it.
    uint32_t id = Anfrage_Des_Spiels({13, ROH, 5, Tag_Index() + 1, EK_MANAGER_WECHSEL, 0, NR_WECHSEL, 0, 0, -1});
    EXPECT_GT(Antworten(id, 0), 0);
    id = Anfrage_Des_Spiels({13, ROH, 5, Tag_Index() + 1, EK_MANAGER_WECHSEL, 0, NR_WECHSEL, 0, 0, -1});
    EXPECT_GT(Antworten(id, 1), 0);
    Richter();
    EXPECT_EQ(Manager_Wert(309, m, 0, OP_LESEN), 4);
    EXPECT_EQ(Texte_Mit("bleibt trotz " + verein5), 1);
    EXPECT_EQ(Texte_Mit("Wechsel zu"), 1);
}

// A loan one manager's club asks of another's: the client asks for its own
// club only; the lender's yes books it, a no or no answer is reported.
TEST_F(AnfrageNetzTest, LoanRequestsBetweenManagersAreBookedOrDeclined) {
    const int32_t frist = Tag_Index() + 5;
    const std::string lender = Team_String(0, FREMD, 0, 0);
    // Only for the client's own club, from the club it asks.
    int32_t falsch[][10] = {
        {5, 4, FREMD, frist, 200000, 8, 12, 0, 0, -1},          // for a third club
        {5, ROH, 4, frist, 200000, 8, 12, 0, 0, -1},            // the lender is not the recipient
        {5, ROH, FREMD, frist, -200000, 8, 12, 0, 0, -1},       // a negative amount
        {5, ROH, FREMD, Tag_Index(), 200000, 8, 12, 0, 0, -1},  // its deadline has come
        {5, ROH, FREMD, frist, 200000, 8, 0, 0, 0, -1},         // no term: no interest
        {5, ROH, FREMD, frist, 200000, 8, 51, 0, 0, -1},        // a term the bank does not offer
        {5, ROH, FREMD, frist, 200000, 8, INT32_MAX, 0, 0, -1},
    };
    for (const auto& k : falsch) EXPECT_EQ(Hinzufuegen(ROH, FREMD, int32_t(NEWS_ANFRAGE), k), 0) << &k - falsch;
    int32_t kopf[10] = {5, ROH, FREMD, frist, 200000, 8, 12, 0, 0, -1};
    // The lender (the server's own manager) says yes, then no to a second request.
    struct Fall {
        int32_t antwort;
        int32_t geld;
        const char* text;
    } faelle[] = {
        {1, 200000, "Ihre Anfrage nach einem Kredit von %s wurde angenommen"},
        {0, 0, "Ihre Anfrage nach einem Kredit von %s wurde leider abgelehnt."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.antwort);
        const int32_t geld_roh = Geld(ROH), geld_fremd = Geld(FREMD), posten = Bank_Anzahl_Posten(ROH);
        int32_t id = Hinzufuegen(ROH, FREMD, int32_t(NEWS_ANFRAGE), kopf);
        ASSERT_GT(id, 0);
        NewsAntwortDaten d{FREMD, News_Index_Von_Id(uint32_t(id)), uint32_t(id)};
        if (f.antwort) News_Antwort_Ja(&d);
        else News_Antwort_Nein(&d);
        Richter();
        EXPECT_EQ(Geld(ROH) - geld_roh, f.geld);
        EXPECT_EQ(geld_fremd - Geld(FREMD), f.geld);
        EXPECT_EQ(Bank_Anzahl_Posten(ROH) - posten, f.antwort);
        EXPECT_EQ(Texte_Mit(Str_Format(f.text, lender.c_str())), 1);
    }
    // Unanswered until its deadline.
    kopf[3] = Tag_Index();
    ASSERT_EQ(News_Add(ROH, FREMD, -1, int32_t(NEWS_ANFRAGE), kopf, "Kredit?"), 1);
    const int32_t geld_roh = Geld(ROH);
    Richter();
    EXPECT_EQ(Geld(ROH), geld_roh);
    EXPECT_EQ(Texte_Mit(Str_Format("Ihre Anfrage nach einem Kredit von %s wurde nicht beantwortet.", lender.c_str())),
              1);
    EXPECT_FALSE(News_Anfrage_Offen());
}

}  // namespace
}  // namespace velmora
