// Showing the pending news, requests and their answers, and the wiring to the
// request processor, the calendar, the match day and the transfers.
#include <gtest/gtest.h>

#include <cstring>

#include "core/bytes.h"
#include "core/optionen.h"
#include "core/spielstand.h"
#include "net/richter.h"
#include "season/kalender.h"
#include "tests/business/news_welt.h"

namespace velmora {
namespace {

using test::Meldungen;

struct Requester {
    int32_t geoeffnet = 0;
    int32_t team = -1;
    std::string text, ja, nein;
    NewsAntwortDaten daten;
    bool modal = false;
};
Requester req;

class NewsAnfrageTest : public test::NewsWelt {
protected:
    void SetUp() override {
        test::NewsWelt::SetUp();
        req = Requester{};
        NewsHooks& h = News_Hooks();
        h.requester = [](int32_t team, const char* text, const char* ja, const char* nein,
                         const NewsAntwortDaten* daten) {
            ++req.geoeffnet;
            req.team = team;
            req.text = text;
            req.ja = ja;
            req.nein = nein;
            req.daten = *daten;
            req.modal = true;
            return true;
        };
        h.modal_offen = [] { return req.modal; };
    }
    // The button: the requester closes and its procedure runs.
    void Druecken(bool ja) {
        req.modal = false;
        if (ja) News_Antwort_Ja(&req.daten);
        else News_Antwort_Nein(&req.daten);
    }
};

TEST_F(NewsAnfrageTest, PendingMessagesAreShownOnePerCallOldestFirst) {
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "erste"), 1);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "zweite"), 1);
    ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "fuer Bert"), 1);
    ASSERT_EQ(News_Add(-1, 2, -1, 2, nullptr, "Antwort"), 1);   // answers are never shown
    EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
    EXPECT_EQ(Meldungen(), (std::vector<std::string>{"2:erste"}));
    EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 0);
    EXPECT_EQ(Meldungen(), (std::vector<std::string>{"2:erste", "2:zweite"}));
    EXPECT_EQ(News_Anzahl(), 2);   // Bert's message and the answer
}

TEST_F(NewsAnfrageTest, AnsweredRequestBecomesAnAnswerItemAndGoes) {
    for (bool ja : {true, false}) {
        SCOPED_TRACE(ja);
        int32_t kopf[10] = {5, 3, 2, Tag_Index() + 5, 1000000, 8, 12, 0, 0, -1};
        ASSERT_EQ(News_Add(3, 2, -1, 1 | 4, kopf, "Kredit von Bert?"), 1);
        EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
        EXPECT_EQ(req.text, "Kredit von Bert?");
        EXPECT_EQ(req.team, 2);
        EXPECT_EQ(News_Anfragen_Pruefen(2), 1);   // the requester is open: nothing else
        EXPECT_EQ(req.geoeffnet, 1);
        Druecken(ja);
        ASSERT_EQ(News_Anzahl(), 1);
        EXPECT_EQ(News_Get_Flags(0, 3), int32_t(0x40000806));   // bit 0 cleared, bit 1 set
        EXPECT_EQ(News_Get_Flags(0, 2), -1);
        EXPECT_EQ(News_Get_Absender(0), 2);
        const int32_t* antwort = News_Get_Kopf(0);
        EXPECT_EQ(antwort[9], ja ? 1 : 0);
        EXPECT_EQ(std::memcmp(antwort, kopf, 9 * sizeof(int32_t)), 0);
        EXPECT_STREQ(News_Text(0), ja ? "(Anna sagt ja!)" : "(Anna sagt nein!)");
        EXPECT_EQ(News_Anfragen_Pruefen(2), 1);   // one frame of hold after the requester
        EXPECT_EQ(News_Anfragen_Pruefen(2), 0);
        News_Set(0, -1, -1, NEWS_SET_LOESCHEN);
        req.geoeffnet = 0;
    }
}

TEST_F(NewsAnfrageTest, RequestFromTheGameIsAnsweredToTheAnsweringTeam) {
    int32_t kopf[10] = {11, 2, -1, Tag_Index() + 3, 0, 0, 0, 0, 9, -1};
    int32_t sound = 0;
    static int32_t* gespielt;
    gespielt = &sound;
    News_Hooks().hinweis_sound = [](int32_t s) { *gespielt = s; };
    ASSERT_EQ(News_Add(-1, 2, -1, 1 | 0x10000000, kopf, "Ereignis?"), 1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
    EXPECT_EQ(sound, 9);
    Druecken(true);
    ASSERT_EQ(News_Anzahl(), 1);
    EXPECT_EQ(News_Get_Flags(0, 2), int32_t(0x50000802));   // only both hold bits together are cleared
    EXPECT_EQ(News_Get_Kopf(0)[9], 1);
}

TEST_F(NewsAnfrageTest, HeldRequestsAreNotShownAndAnsweringClearsBothHoldBits) {
    ASSERT_EQ(News_Add(-1, 2, -1, 1 | 0x20000000, nullptr, "gehalten"), 1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 0);
    News_Set(0, 2, 0x10000000, NEWS_SET_SETZEN);
    req.daten = NewsAntwortDaten{2, 0, News_Get_Id(0)};
    Druecken(false);
    EXPECT_EQ(News_Get_Flags(0, 2), int32_t(0x40000802));
}

TEST_F(NewsAnfrageTest, AnswerFindsItsRequestAfterOlderItemsWent) {
    ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "alt, fuer Bert"), 1);
    ASSERT_EQ(News_Add(3, 2, -1, 1, nullptr, "Anfrage"), 1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
    EXPECT_EQ(req.text, "Anfrage");
    EXPECT_EQ(req.daten.index, 1);
    News_Set(0, -1, -1, NEWS_SET_LOESCHEN);   // an older item goes meanwhile
    ASSERT_EQ(News_Add(-1, 2, -1, 1, nullptr, "neue Anfrage"), 1);   // and a new one takes index 1
    Druecken(true);
    ASSERT_EQ(News_Anzahl(), 2);
    EXPECT_STREQ(News_Text(0), "neue Anfrage");
    EXPECT_EQ(News_Get_Flags(0, 2), int32_t(0x40000801));
    EXPECT_EQ(News_Get_Flags(1, 3), int32_t(0x40000802));
    News_Set(0, -1, -1, NEWS_SET_LOESCHEN);
    test::Log().clear();
    Druecken(true);   // a second press finds nothing
    EXPECT_TRUE(test::Log_Enthaelt("nicht mehr vorhanden"));
    EXPECT_EQ(News_Anzahl(), 1);
}

TEST_F(NewsAnfrageTest, WithoutRequesterRequestsWaitAndMessagesBehindThemAreShown) {
    News_Hooks().requester = nullptr;
    ASSERT_EQ(News_Add(3, 2, -1, 1, nullptr, "Anfrage"), 1);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "Nachricht"), 1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
    EXPECT_EQ(Meldungen(), (std::vector<std::string>{"2:Nachricht"}));
    EXPECT_EQ(News_Anfragen_Pruefen(2), 0);
    EXPECT_EQ(News_Anzahl(), 1);
    EXPECT_TRUE(News_Anfrage_Offen());
}

TEST_F(NewsAnfrageTest, PopupsAreShownOnlyFromManagersAwayToday) {
    static int32_t icon;
    News_Hooks().icon_707_flags = [] { return icon; };
    struct Fall {
        int32_t icon, tag, team;
        bool gezeigt;
    } faelle[] = {
        {-1, 0, 3, true},       // the framework does not know the icon
        {0, 0, 5, true},        // from a team whose manager is not at the machine
        {0, 0, 3, false},       // the manager is active again
        {0, -7, 5, false},      // not from today
        {2, 0, 5, false},       // the icon says no
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.icon << "/" << f.tag << "/" << f.team);
        icon = f.icon;
        Meldungen().clear();
        int32_t kopf[10] = {Tag_Index() + f.tag, f.team, -1, -1, 0, 0, 0, 0, 0, 0};
        ASSERT_EQ(News_Add(f.team, 2, -1, int32_t(NEWS_POPUP | NEWS_NACHRICHT), kopf, "fertig"), 1);
        EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
        EXPECT_EQ(Meldungen().size(), f.gezeigt ? 1u : 0u);
        EXPECT_EQ(News_Anzahl(), 0);
    }
    // Where the screen takes notes, such a word is a note and never a box,
    // while the continue button is disabled too; an old one or one of the
    // manager at the machine is dropped.
    static std::vector<std::string> notizen;
    News_Hooks().notiz = [](const char* text) { notizen.emplace_back(text); };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "note " << f.icon << "/" << f.tag << "/" << f.team);
        icon = f.icon;
        Meldungen().clear();
        notizen.clear();
        int32_t kopf[10] = {Tag_Index() + f.tag, f.team, -1, -1, 0, 0, 0, 0, 0, 0};
        ASSERT_EQ(News_Add(f.team, 2, -1, int32_t(NEWS_POPUP | NEWS_NACHRICHT), kopf, "fertig"), 1);
        EXPECT_EQ(News_Anfragen_Pruefen(2), 1);
        EXPECT_TRUE(Meldungen().empty());
        EXPECT_EQ(notizen, f.tag == 0 && f.team == 5 ? std::vector<std::string>{"fertig"} : std::vector<std::string>{});
        EXPECT_EQ(News_Anzahl(), 0);
    }
    News_Hooks().notiz = nullptr;
}

TEST_F(NewsAnfrageTest, AnnouncementItemsGoToTheBufferOnAClientAndAreRemoved) {
    static std::vector<uint8_t> puffer;
    puffer.clear();
    static bool voll;
    voll = false;
    News_Hooks().ankuendigung = [](const uint8_t* d, int32_t n) {
        if (voll) return false;
        puffer.assign(d, d + n);
        return true;
    };
    char daten[NEWS_ANKUENDIGUNG_BYTES];
    for (int32_t i = 0; i < NEWS_ANKUENDIGUNG_BYTES; ++i) daten[i] = char(i % 250 + 1);
    int32_t kopf[10] = {NEWS_ANKUENDIGUNG_BYTES + 1};
    ASSERT_EQ(News_Add_Block(-1, 2, 3, int32_t(NEWS_ANKUENDIGUNG), kopf, daten), 1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 1);   // handled, nothing shown
    EXPECT_TRUE(puffer.empty());              // only a client fills the buffer
    EXPECT_TRUE(Meldungen().empty());
    EXPECT_EQ(News_Get_Flags(0, 2), -1);
    EXPECT_NE(News_Get_Flags(0, 3), -1);
    EXPECT_EQ(News_Anfragen_Pruefen(2), 0);
    ClubHooks& c = Club_Hooks();
    c.netzwerk_modus = [] { return 1; };
    c.client_team = [] { return 3; };
    // While the client's buffer is full the item waits for a later round.
    voll = true;
    EXPECT_EQ(News_Anfragen_Pruefen(3), 0);
    EXPECT_EQ(News_Anfragen_Pruefen(3), 0);
    EXPECT_TRUE(puffer.empty());
    ASSERT_NE(News_Get_Flags(0, 3), -1) << "the page is kept, not lost";
    voll = false;
    EXPECT_EQ(News_Anfragen_Pruefen(3), 1);
    ASSERT_EQ(puffer.size(), size_t(NEWS_ANKUENDIGUNG_BYTES));
    EXPECT_EQ(std::memcmp(puffer.data(), daten, puffer.size()), 0);
    EXPECT_EQ(News_Anzahl(), 0);
}

TEST_F(NewsAnfrageTest, ManagerNoteGoesToTheOtherManagersInNetworkPlayOnly) {
    News_Manager_Nachricht();   // alone, and outside the menu phase
    EXPECT_EQ(News_Anzahl(), 0);
    ClubHooks& c = Club_Hooks();
    c.netzwerk_modus = [] { return 2; };
    c.client_team = [] { return 3; };
    News_Manager_Nachricht();   // the server outside the menu phase has no local team
    EXPECT_EQ(News_Anzahl(), 0);
    c.netzwerk_modus = [] { return 1; };
    static std::vector<uint8_t> gesendet;
    c.client_read = [](int32_t anfrage, const char*, const std::vector<uint8_t>& a, std::vector<uint8_t>& antwort) {
        EXPECT_EQ(anfrage, 1013);
        gesendet = a;
        antwort = {7, 0, 0, 0};
        return true;
    };
    News_Manager_Nachricht();
    ASSERT_GE(gesendet.size(), 56u + 4);
    EXPECT_EQ(Bytes_Get32(&gesendet[0]), 3u);
    EXPECT_EQ(Bytes_Get32(&gesendet[4]), 0xFFFFFFFFu);
    EXPECT_EQ(Bytes_Get32(&gesendet[12]), 0x4004u);
    EXPECT_EQ(int32_t(Bytes_Get32(&gesendet[16])), Tag_Index());
    EXPECT_EQ(Bytes_Get32(&gesendet[20]), 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&gesendet[60])), "Bert (Club 3) ist fertig.");
    EXPECT_EQ(News_Anzahl(), 0);   // the sender keeps no copy: it is no recipient
}

TEST_F(NewsAnfrageTest, ARoundBroughtForwardStartsWithTheNextFrame) {
    News_Anzeige_Zuruecksetzen();
    ClubHooks& c = Club_Hooks();
    c.netzwerk_modus = [] { return 1; };
    c.client_team = [] { return 3; };
    static int32_t runden;
    runden = 0;
    News_Hooks().client_vorbereiten = [](int32_t) { ++runden; };
    // A client's round asks the server first; one every 5 s.
    News_Runde(10000);
    EXPECT_EQ(runden, 1);
    News_Runde(11000);
    EXPECT_EQ(runden, 1);
    // Its turn begins: the next frame checks at once, then the pace holds again.
    News_Runde_Vorziehen();
    News_Runde(11100);
    EXPECT_EQ(runden, 2);
    News_Runde(11200);
    EXPECT_EQ(runden, 2);
    News_Runde(16100);
    EXPECT_EQ(runden, 3);
}

}  // namespace
}  // namespace velmora
