// One pass of the server answers every request its connections have already
// delivered: a client with several calls out (a fetch without waiting, its
// sign of life, a request of its screens) no longer waits a pass of the
// server's main loop for each one.
#include <gtest/gtest.h>

#include <vector>

#include "net/internet.h"
#include "net/net.h"
#include "net/net_kontext.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {
namespace {

int32_t g_gefragt = 0;
std::vector<int32_t> g_gesendet;   // the request ids the client told its subscribers of
void Gesendet(int32_t id) { g_gesendet.push_back(id); }

TEST(ServerDurchgang, OnePassAnswersEveryRequestAlreadyReceived) {
    Testnetz netz;
    ASSERT_NE(netz.port, 0);
    g_gefragt = 0;
    ASSERT_TRUE(Internet_Server_Anmelden(1004, "i", [](Internet_Aufruf&) { return ++g_gefragt; }));
    NetKontext* c = netz.Client();
    constexpr int32_t N = 5;
    Internet_Offen offen[N];
    // The client's copies of the server's data hear of every request before it goes out.
    g_gesendet.clear();
    ASSERT_TRUE(Net_Hooks().client_anfrage.Anmelden(0, Gesendet, "test"));
    {
        ImKontext im(c);
        for (Internet_Offen& o : offen) ASSERT_TRUE(Internet_Client_Senden(o, 1004, "i", 0, 0));
        Net_Senden_Leeren(5000);
    }
    Net_Hooks().client_anfrage.Abmelden(Gesendet);
    EXPECT_EQ(g_gesendet, std::vector<int32_t>(N, 1004));
    // The server's sockets read until all five requests wait in its queue.
    {
        ImKontext im(netz.server);
        auto wartend = [] {
            size_t n = 0;
            for (const Net_Verbindung& v : Net_K().verbindung) n += v.fertig.size();
            return n;
        };
        for (int32_t i = 0; i < 10000 && wartend() < size_t(N); ++i) {
            Net_Pump();
            Plat_Sleep_Ms(1);
        }
        ASSERT_EQ(wartend(), size_t(N));
        // One pass of the main loop: the slots take their messages, the server answers.
        Net_Server_Slot_Pump();
        Net_Server_Bedienen();
        EXPECT_EQ(g_gefragt, N) << "every request received was answered in the pass";
        EXPECT_EQ(wartend(), 0u);
        Net_Senden_Leeren(5000);
    }
    {
        ImKontext im(c);
        for (int32_t k = 0; k < N; ++k) {
            int32_t r = 0, ergebnis = 0;
            for (int32_t i = 0; i < 10000 && (r = Internet_Client_Abholen(offen[k], &ergebnis)) == 0; ++i) {
                Net_Pump();
                Plat_Sleep_Ms(1);
            }
            EXPECT_EQ(r, 1) << k;
            EXPECT_EQ(ergebnis, k + 1) << "answered in order";
        }
    }
    Internet_Server_Abmelden(1004);
}

}  // namespace
}  // namespace velmora::test
