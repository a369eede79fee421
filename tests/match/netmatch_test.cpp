// Two processes of velmora-netmatch play one match in lock-step through a
// relay on 127.0.0.1 that the test drives: it forwards both ways with a
// settable delay and jitter, a stall, or one byte at a time.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/match/netmatch_relay.h"

namespace velmora::test {
namespace {

constexpr const char* TEAM = "5";

// Under the sanitizers both programs run several times slower: the limits
// grow with them, and only the direct and single-byte runs play there (the delayed and stalled
// runs test timing, which the plain build covers).
#if defined(__SANITIZE_ADDRESS__)
constexpr int32_t LANGSAM = 4;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int32_t LANGSAM = 4;
#else
constexpr int32_t LANGSAM = 1;
#endif
#else
constexpr int32_t LANGSAM = 1;
#endif
const std::string GRENZE_S = std::to_string(180 * LANGSAM);

class NetMatch : public ::testing::TestWithParam<Einstellung> {};

TEST_P(NetMatch, BothSidesReachTheFinalWhistleWithTheServersResult) {
    const Einstellung& e = GetParam();
    if (LANGSAM > 1 && (e.verzoegerung_ms > 0 || e.stau_ms > 0)) GTEST_SKIP() << "timing runs only without the sanitizers";
    const Netmatch_Ergebnis r = Netmatch_Spielen(VELMORA_NETMATCH_BIN, e, TEAM, 180 * LANGSAM);
    const std::string& server = r.server;
    const std::string& client = r.client;
    ASSERT_TRUE(r.fertig) << "server:\n" << server << "\nclient:\n" << client;
    EXPECT_TRUE(WIFEXITED(r.server_status) && WEXITSTATUS(r.server_status) == 0) << server;
    EXPECT_TRUE(WIFEXITED(r.client_status) && WEXITSTATUS(r.client_status) == 0) << client << "\nserver:\n" << server;
    const std::regex ergebnis(R"(result (\d+:\d+))");
    std::smatch a, b;
    ASSERT_TRUE(std::regex_search(server, a, ergebnis)) << server;
    ASSERT_TRUE(std::regex_search(client, b, ergebnis)) << client;
    EXPECT_EQ(a[1].str(), b[1].str()) << "one result on both machines";
    // Both played the minutes up to the final whistle.
    const std::vector<int32_t> minuten_c = Zahlen(client, std::regex(R"(minute +(\d+))"));
    const std::vector<int32_t> minuten_s = Zahlen(server, std::regex(R"(minute +(\d+))"));
    ASSERT_FALSE(minuten_c.empty());
    ASSERT_FALSE(minuten_s.empty());
    EXPECT_GE(minuten_c.back(), 90);
    EXPECT_GE(minuten_s.back(), 90);
    // At every packet no side ran more than two minutes ahead of the other.
    const std::vector<int32_t> differenz = Zahlen(server, std::regex(R"(largest lead (\d+))"));
    ASSERT_EQ(differenz.size(), 1u) << server;
    EXPECT_LE(differenz[0], 2);
    std::printf("[ %s ] %.1f s\n", e.name, r.sekunden);
}

// Both sides play until the client reaches `minute`; then the server or the
// client is killed, or the client stopped (a silent peer). The survivor's
// exit status, -1 when it does not end within `grenze_s`.
int Ueberlebender(bool server_stirbt, int signal, int32_t minute, int32_t grenze_s, std::string* text) {
    Prozess server({VELMORA_NETMATCH_BIN, "--server", "0", "--team", TEAM, "--timeout", GRENZE_S, "--silent-drop", "5"});
    const uint16_t port = Server_Port(server, 60 * LANGSAM);
    if (!port) return -2;
    Relay relay(Einstellung{"direct", 0, 0, 0, 0, false});
    Prozess client({VELMORA_NETMATCH_BIN, "--client", "127.0.0.1:" + std::to_string(relay.port), "--team", TEAM,
                    "--timeout", GRENZE_S});
    const std::regex zeile(R"(minute +(\d+))");
    Uhr::time_point tod{};
    for (auto start = Uhr::now(); Uhr::now() - start < std::chrono::seconds(150 * LANGSAM);) {
        relay.pass(port, Ms(Uhr::now()));
        server.lesen();
        client.lesen();
        Prozess& opfer = server_stirbt ? server : client;
        Prozess& rest = server_stirbt ? client : server;
        if (tod == Uhr::time_point{}) {
            const std::vector<int32_t> m = Zahlen(client.text, zeile);
            if (!m.empty() && m.back() >= minute) {
                kill(opfer.pid, signal);
                tod = Uhr::now();
            }
        } else if (rest.fertig) {
            *text = rest.text;
            return WIFEXITED(rest.status) ? WEXITSTATUS(rest.status) : -3;
        } else if (Uhr::now() - tod > std::chrono::seconds(grenze_s * LANGSAM)) {
            *text = rest.text;
            return -1;
        }
        usleep(1000);
    }
    return -1;
}

TEST(NetMatchVerschwunden, AClientWhoseServerVanishesStopsWithinTheAnswerTime) {
    std::string text;
    EXPECT_EQ(Ueberlebender(true, SIGKILL, 20, 31, &text), 3) << text;
}

// A client killed closes its connection; a stopped one falls silent and is
// dropped after the server's silence limit (5 s here). Either way the server
// plays the client's side itself and finishes the match.
void Server_Spielt_Zu_Ende(int signal) {
    std::string text;
    EXPECT_EQ(Ueberlebender(false, signal, 20, 60, &text), 0) << text;
    const std::vector<int32_t> m = Zahlen(text, std::regex(R"(minute +(\d+))"));
    ASSERT_FALSE(m.empty());
    EXPECT_GE(m.back(), 90);
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(result \d+:\d+)"))) << text;
}

TEST(NetMatchVerschwunden, AServerWhoseClientVanishesPlaysTheMatchToItsEnd) { Server_Spielt_Zu_Ende(SIGKILL); }

TEST(NetMatchVerschwunden, AServerWhoseClientFallsSilentPlaysTheMatchToItsEnd) { Server_Spielt_Zu_Ende(SIGSTOP); }

INSTANTIATE_TEST_SUITE_P(Relay, NetMatch,
                         ::testing::Values(Einstellung{"direct", 0, 0, 0, 0, false},
                                           Einstellung{"delay50", 50, 20, 0, 0, false},
                                           Einstellung{"delay200", 200, 100, 0, 0, false},
                                           Einstellung{"stall5s", 0, 0, 8000, 5000, false},
                                           Einstellung{"singlebytes", 0, 0, 0, 0, true}),
                         [](const ::testing::TestParamInfo<Einstellung>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace velmora::test
