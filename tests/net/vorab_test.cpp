// Reads sent ahead: a refresh's independent reads go out together and each
// later call takes the answer of the read it made, never another read's and
// never an answer older than a request that went out since.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "net/internet.h"
#include "net/net.h"
#include "net/net_kontext.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {
namespace {

constexpr int32_t LESEN = 1030;      // "ii": key, unused; answers value * 1000 + key
constexpr int32_t SCHREIBEN = 1026;  // "iii": key, value, unused; sets the value

std::map<int32_t, int32_t> g_wert;        // the server's values by key
std::map<int32_t, int32_t> g_anfragen;    // requests the server answered, by id

int32_t Lesen(Internet_Aufruf& a) {
    ++g_anfragen[LESEN];
    return g_wert[a.I(0)] * 1000 + a.I(0);
}

int32_t Schreiben(Internet_Aufruf& a) {
    ++g_anfragen[SCHREIBEN];
    g_wert[a.I(0)] = a.I(1);
    return 1;
}

int32_t Gelesen(int32_t schluessel) { return Internet_Client_Read(LESEN, "iii", 0, 0, schluessel, 0); }
bool Vorab(int32_t schluessel) { return Internet_Client_Vorab(LESEN, "iii", 0, 0, schluessel, 0); }

struct VorabNetz : ::testing::Test {
    Testnetz netz;
    NetKontext* client = nullptr;
    void SetUp() override {
        ASSERT_NE(netz.port, 0);
        g_wert = {{0, 5}, {1, 7}, {2, 9}};
        g_anfragen.clear();
        ASSERT_TRUE(Internet_Server_Anmelden(LESEN, "iii", Lesen));
        ASSERT_TRUE(Internet_Server_Anmelden(SCHREIBEN, "iiii", Schreiben));
        bool ok = false;
        client = netz.Client(&ok);
        ASSERT_TRUE(ok);
    }
    void TearDown() override {
        Internet_Server_Abmelden(LESEN);
        Internet_Server_Abmelden(SCHREIBEN);
    }
};

TEST_F(VorabNetz, EachCallTakesTheAnswerOfItsOwnRead) {
    ImKontext im(client);
    // Sent in one order, taken in another: each answer names its key.
    for (int32_t s : {2, 0, 1}) ASSERT_TRUE(Vorab(s));
    struct Fall {
        int32_t schluessel, erwartet;
    };
    for (const Fall& f : {Fall{0, 5000}, Fall{1, 7001}, Fall{2, 9002}}) EXPECT_EQ(Gelesen(f.schluessel), f.erwartet);
    EXPECT_EQ(g_anfragen[LESEN], 3) << "the calls took the reads sent ahead, none went out again";
    EXPECT_TRUE(Net_K().vorab.empty());
    Internet_Client_Vorab_Ende();
}

TEST_F(VorabNetz, TheSameReadSentAheadTwiceGoesOutOnce) {
    ImKontext im(client);
    ASSERT_TRUE(Vorab(1));
    ASSERT_TRUE(Vorab(1));
    EXPECT_EQ(Gelesen(1), 7001);
    // Taken once: asked again, the read goes to the server anew.
    EXPECT_EQ(Gelesen(1), 7001);
    EXPECT_EQ(g_anfragen[LESEN], 2);
    Internet_Client_Vorab_Ende();
}

TEST_F(VorabNetz, ARequestNotSentAheadDropsTheReadsBeforeIt) {
    ImKontext im(client);
    ASSERT_TRUE(Vorab(0));
    ASSERT_TRUE(Vorab(1));
    // A write goes out between the reads sent ahead and their calls: their
    // answers tell the values before it.
    ASSERT_EQ(Internet_Client_Read(SCHREIBEN, "iiii", 0, 0, 0, 8, 0), 1);
    EXPECT_EQ(Gelesen(0), 8000) << "not the value before the write";
    EXPECT_EQ(Gelesen(1), 7001);
    EXPECT_EQ(g_anfragen[LESEN], 4) << "both reads went out again after the write";
    Internet_Client_Vorab_Ende();
}

TEST_F(VorabNetz, AReadOfOtherArgumentsIsNotTaken) {
    ImKontext im(client);
    ASSERT_TRUE(Vorab(0));
    EXPECT_EQ(Gelesen(2), 9002) << "key 2 asked, not key 0's answer";
    // The read of key 2 was not sent ahead: the one of key 0 is gone too.
    EXPECT_TRUE(Net_K().vorab.empty());
    EXPECT_EQ(Gelesen(0), 5000);
    Internet_Client_Vorab_Ende();
}

TEST_F(VorabNetz, TheEndForgetsWhatNoCallTook) {
    {
        ImKontext im(client);
        ASSERT_TRUE(Vorab(1));
        // Its answer arrives and waits on the client's connection.
        ASSERT_TRUE(Server_Bis([] {
            Net_Pump();
            return !Net_K().verbindung[NET_CLIENT_VERBINDUNG].fertig.empty();
        }));
        Internet_Client_Vorab_Ende();
        EXPECT_TRUE(Net_K().vorab.empty());
    }
    // The server's value changes on its own (its day moves on).
    g_wert[1] = 3;
    ImKontext im(client);
    EXPECT_EQ(Gelesen(1), 3001) << "the answer kept from before the end is not taken";
    EXPECT_EQ(g_anfragen[LESEN], 2);
    EXPECT_TRUE(Net_K().verbindung[NET_CLIENT_VERBINDUNG].fertig.empty()) << "the forgotten answer was dropped";
}

TEST_F(VorabNetz, AClosedConnectionForgetsTheReadsSentAhead) {
    ImKontext im(client);
    ASSERT_TRUE(Vorab(0));
    Internet_Netzwerk_Stop();
    EXPECT_TRUE(Net_K().vorab.empty());
    EXPECT_TRUE(Net_K().wartend.empty());
    EXPECT_FALSE(Vorab(0)) << "nothing is sent ahead without a connection";
}

// The server's idle wait ends when a client's message can be read.
TEST_F(VorabNetz, TheServersWaitEndsWithAClientsMessage) {
    NetKontext* c = client;
    {
        ImKontext im(netz.server);
        // The welcome's connection taken: nothing is left to read.
        ASSERT_TRUE(Server_Bis([] {
            Net_Pump();
            Net_Server_Slot_Pump();
            return !Net_Server_Warten(0);
        }));
    }
    {
        ImKontext im(c);
        ASSERT_TRUE(Internet_Client_Lebenszeichen(1004));
        Net_Senden_Leeren(5000);
    }
    ImKontext im(netz.server);
    bool geweckt = false;
    for (int32_t i = 0; i < 100 && !geweckt; ++i) geweckt = Net_Server_Warten(100);
    EXPECT_TRUE(geweckt);
    ImKontext ohne(c);
    EXPECT_FALSE(Net_Server_Warten(0)) << "a client waits for no connection";
}

}  // namespace
}  // namespace velmora::test
