// The match day's remote calls of network play on a generated world: 1031
// gives a client's team its slot of today, and a client told its team has no
// match asks no more until the flag clears.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "club/team.h"
#include "match/spieltag.h"
#include "match/spieltag_netz.h"
#include "net/internet.h"
#include "net/net.h"
#include "season/spiele.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {
namespace {

class AufrufTest : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
    }
    void TearDown() override {
        for (int32_t t = 0; t < Team_Anzahl(); ++t) Spieltag_Client_Live_Setzen(t, false);
        Client_Team_Setzen(-1);
        Netzwerk_Modus_Setzen(0);
        Spieltag_Welt_Ende();
    }
};

// Request 1031 from team `fragt` for team `team`, as the server's request switch hands it over.
struct Slot_Antwort {
    Spieltag_Slot slot{};
    int32_t koordinaten[4] = {};
};
Slot_Antwort Slot_Fragen(int32_t fragt, int32_t team) {
    Internet_Aufruf a;
    Internet_Typ_Lesen(SPIELTAG_SLOT_TYP, std::strlen(SPIELTAG_SLOT_TYP), a.typ);
    a.id = ANFRAGE_SPIELTAG_SLOT;
    for (const Internet_Element& e : a.typ.elemente) {
        a.ein.push_back(e.aus ? nullptr : reinterpret_cast<const uint8_t*>(&team));
        a.aus.emplace_back(e.aus ? e.groesse : 0, uint8_t(0));
    }
    Client_Team_Setzen(fragt);
    EXPECT_EQ(Spieltag_Netz_Nachricht(a), 1);
    Slot_Antwort r;
    std::memcpy(&r.slot, a.aus[0].data(), sizeof r.slot);
    for (int32_t k = 0; k < 4; ++k) std::memcpy(&r.koordinaten[k], a.aus[size_t(1 + k)].data(), 4);
    return r;
}

// Every team of the table, team 0 included, gets the slot of its game today
// or -1; a number outside the table gets "no team" (-2); a team asking for
// another team's slot learns nothing and is not taken as playing live.
TEST_F(AufrufTest, TheSlotRequestGivesEachTeamItsOwnSlot) {
    Netzwerk_Modus_Setzen(2);
    ASSERT_TRUE(Spieltag_Start());
    int32_t mit_spiel = 0, ohne_spiel = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        // The slot of t's game, found through the fixtures store.
        int32_t erwartet = -1;
        Spieltag_Slot s;
        for (int32_t i = 0; Spieltag_Get_Slot(i, &s); ++i) {
            const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
            if (sp && (sp->heim == t || sp->gast == t)) erwartet = i;
        }
        const Slot_Antwort r = Slot_Fragen(t, t);
        EXPECT_TRUE(Spieltag_Client_Spielt_Live(t)) << "team " << t;
        if (erwartet < 0) {
            ++ohne_spiel;
            EXPECT_EQ(r.koordinaten[0], -1) << "team " << t;
            continue;
        }
        ++mit_spiel;
        ASSERT_TRUE(Spieltag_Get_Slot(erwartet, &s));
        const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
        ASSERT_NE(sp, nullptr);
        EXPECT_EQ(std::memcmp(&r.slot, &s, sizeof s), 0) << "team " << t;
        EXPECT_EQ(r.koordinaten[0], sp->wettbewerb) << "team " << t;
        EXPECT_EQ(r.koordinaten[1], sp->runde) << "team " << t;
        EXPECT_EQ(r.koordinaten[2], sp->spieltag) << "team " << t;
        EXPECT_EQ(r.koordinaten[3], sp->paarung) << "team " << t;
    }
    EXPECT_GT(mit_spiel, 0);
    EXPECT_GT(ohne_spiel, 0) << "team 0, the transfer market, plays no match";
    EXPECT_EQ(Slot_Fragen(0, 0).koordinaten[0], -1) << "team 0 is a team of the table";
    for (int32_t t : {-1, Team_Anzahl()}) EXPECT_EQ(Slot_Fragen(t, t).koordinaten[0], SPIELTAG_KEIN_TEAM) << t;
    Spieltag_Client_Live_Setzen(3, false);
    EXPECT_EQ(Slot_Fragen(4, 3).koordinaten[0], -1);
    EXPECT_FALSE(Spieltag_Client_Spielt_Live(3));
}

// A client whose team has no match today asks once: the answer -1 sets its
// flag, and it asks again only once the flag is cleared.
TEST_F(AufrufTest, AClientWithoutAMatchStopsAskingUntilTheFlagClears) {
    Testnetz netz;
    ASSERT_NE(netz.port, 0);
    const int32_t team = 0;
    NetKontext* c = netz.Client();
    {
        ImKontext im(netz.server);
        ASSERT_TRUE(Net_Slot_Team_Setzen(0, team));
    }
    ImKontext im(c);
    Client_Team_Setzen(team);
    Spieltag_Kein_Spiel_Loeschen();
    struct Schritt {
        bool flag_loeschen;
        bool fragt;   // the server sees the request (it marks the team live)
    } schritte[] = {{false, true}, {false, false}, {false, false}, {true, true}};
    for (const Schritt& st : schritte) {
        if (st.flag_loeschen) Spieltag_Kein_Spiel_Loeschen();
        Spieltag_Client_Live_Setzen(team, false);
        EXPECT_FALSE(Spieltag_Slot_Anfordern(team));
        EXPECT_TRUE(Spieltag_Kein_Spiel());
        EXPECT_EQ(Spieltag_Client_Spielt_Live(team), st.fragt);
    }
    Spieltag_Kein_Spiel_Loeschen();
}

}  // namespace
}  // namespace velmora::test
