// The search for a server on the local network, on 127.0.0.x.
#include "net/internet_suche.h"

#include <gtest/gtest.h>

#include "net_test_hilfe.h"

using namespace velmora;
using namespace velmora::test;

namespace {

// Asks all of 127.0.0.0-254 and reads the answers until the search has ended
// and 127.0.0.5 has its answer. `fremd` tells whether a server of another
// process answered on the same port at another 127.0.0.x (a port picked by the
// system is free only on the address it was bound to): the search's result
// then names that one, and only .5's entry is this test's to check.
int32_t Suchen(uint16_t port, uint32_t* gefunden, bool* fremd) {
    // On loopback a listening address takes the connection and a free one
    // refuses it at once: the long window only keeps a busy machine from
    // deciding (a thread late to its connect must not read as "none").
    const uint32_t vorher = Net_Zeiten_Wert().suche_ms;
    Net_Zeiten_Wert().suche_ms = 10000;
    Internet_Server_Suche_Zuruecksetzen();
    for (uint32_t k = 0; k < 255; ++k) Internet_Server_Suche_Frage(127, 0, 0, k, port, false);
    uint8_t liste[255];
    int32_t r = 1;
    uint32_t start = Plat_Ms();
    while ((r > 0 || Internet_Server_Suche_Eintrag(5) == SUCHE_OFFEN) && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
        Server_Runde();
        Plat_Sleep_Ms(5);
        r = Internet_Server_Suche_Ergebnis(nullptr, nullptr, nullptr, gefunden, port, liste);
        if (r > 0) {
            EXPECT_LE(r, 255);
            EXPECT_NE(Internet_Server_Suche_Eintrag(liste[0]), SUCHE_KEINER);
        }
    }
    *fremd = false;
    for (uint32_t k = 0; k < 255; ++k)
        if (k != 5 && Internet_Server_Suche_Eintrag(k) == SUCHE_SERVER) *fremd = true;
    Net_Zeiten_Wert().suche_ms = vorher;
    return r;
}

}  // namespace

TEST(ServerSuche, FindsTheServerOn127005AndNoneAfterItStops) {
    const uint8_t fuenf[4] = {127, 0, 0, 5};
    Testnetz netz(fuenf);
    ASSERT_NE(netz.port, 0) << "127.0.0.5 cannot be bound";
    uint32_t o4 = 0;
    bool fremd = false;
    const int32_t r = Suchen(netz.port, &o4, &fremd);
    EXPECT_EQ(Internet_Server_Suche_Eintrag(5), SUCHE_SERVER);
    if (!fremd) {
        EXPECT_EQ(r, -1);
        EXPECT_EQ(o4, 5u);
    }
    netz.Server_Stoppen();
    o4 = 0;
    const int32_t danach = Suchen(netz.port, &o4, &fremd);
    EXPECT_EQ(Internet_Server_Suche_Eintrag(5), SUCHE_KEINER);
    if (!fremd) {
        EXPECT_EQ(danach, 0);
        EXPECT_EQ(o4, 0u);
    }
}

TEST(ServerSuche, WaitingAskAnswersForThatAddressOnly) {
    const uint8_t sieben[4] = {127, 0, 0, 7};
    Testnetz netz(sieben);
    ASSERT_NE(netz.port, 0);
    Internet_Server_Suche_Zuruecksetzen();
    EXPECT_TRUE(Internet_Server_Suche_Frage(127, 0, 0, 7, netz.port, true));
    EXPECT_EQ(Internet_Server_Suche_Eintrag(7), SUCHE_SERVER);
    EXPECT_FALSE(Internet_Server_Suche_Frage(127, 0, 0, 8, netz.port, true));
    EXPECT_EQ(Internet_Server_Suche_Eintrag(8), SUCHE_KEINER);
    // Asking one address again clears only its own entry.
    Internet_Server_Suche_Frage(127, 0, 0, 9, netz.port, false);
    EXPECT_EQ(Internet_Server_Suche_Eintrag(7), SUCHE_SERVER);
    EXPECT_EQ(Internet_Server_Suche_Eintrag(8), SUCHE_KEINER);
    // A stopped server is not reported from the earlier answer.
    netz.Server_Stoppen();
    EXPECT_FALSE(Internet_Server_Suche_Frage(127, 0, 0, 7, netz.port, true));
    Internet_Server_Suche_Zuruecksetzen();
    for (uint32_t k : {7u, 8u, 9u}) EXPECT_EQ(Internet_Server_Suche_Eintrag(k), SUCHE_OFFEN);
}

TEST(ServerSuche, BadAddressesAreRefused) {
    Net_Init();
    EXPECT_FALSE(Internet_Server_Suche_Frage(256, 0, 0, 1, 3040, true));
    EXPECT_FALSE(Internet_Server_Suche_Frage(127, 0, 0, 300, 3040, false));
    EXPECT_EQ(Internet_Server_Suche_Eintrag(300), SUCHE_OFFEN);
}
