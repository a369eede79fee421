// The match day's remote calls of network play on a generated world: 1031
// gives a client's team its slot of today, and a client told its team has no
// match asks no more until the flag clears.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "club/club_hooks.h"
#include "club/team.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
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
    // Each client asked at the end of its day, before the match day began.
    for (int32_t t = 0; t < Team_Anzahl(); ++t) Spieltag_Client_Live_Setzen(t, true);
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

// A server's answer to 1031 that stays put while this process, as the
// client, starts its own match-day table afresh: slot `g_slot` of the game at
// `g_koordinaten` (competition, round, matchday, pairing).
Spieltag_Slot g_slot;
int32_t g_koordinaten[4];
int32_t Slot_Fest(Internet_Aufruf& a) {
    uint32_t n = 0;
    std::memcpy(a.Ergebnis(0, &n), &g_slot, sizeof g_slot);
    for (int32_t k = 0; k < 4; ++k) std::memcpy(a.Ergebnis(1 + k, &n), &g_koordinaten[k], 4);
    return 1;
}

// The server sets a game's weather as it prepares its day, after the client's
// last fetch of the fixtures: a client valued its players with a temperature
// of 0. With its slot it takes the game's record from the server (1034).
TEST_F(AufrufTest, AClientTakesItsGamesRecordWithTheServersWeatherWithItsSlot) {
    Testnetz netz;
    ASSERT_NE(netz.port, 0);
    Spieltag_Slot& s = g_slot;
    int32_t team = -1;
    NetKontext* c = netz.Client();
    {
        ImKontext im(netz.server);
        ASSERT_TRUE(Spieltag_Start());
        ASSERT_TRUE(Spieltag_Get_Slot(0, &s));
        const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
        ASSERT_NE(sp, nullptr);
        team = sp->heim;
        const int32_t k[4] = {sp->wettbewerb, sp->runde, sp->spieltag, sp->paarung};
        std::memcpy(g_koordinaten, k, sizeof k);
        ASSERT_TRUE(Net_Slot_Team_Setzen(0, team));
        Internet_Server_Abmelden(ANFRAGE_SPIELTAG_SLOT);
        ASSERT_TRUE(Internet_Server_Anmelden(ANFRAGE_SPIELTAG_SLOT, SPIELTAG_SLOT_TYP, Slot_Fest));
    }
    // The server's answer: the game as it has it, with its day's weather.
    static int32_t geholt;
    geholt = 0;
    const auto client_read_vorher = Club_Hooks().client_read;
    Club_Hooks().client_read = [](int32_t anfrage, const char*, const std::vector<uint8_t>& arg,
                                  std::vector<uint8_t>& antwort) {
        if (anfrage != ANFRAGE_SPIELE_SPIEL || arg.size() != 16) return false;
        int32_t k[4];
        std::memcpy(k, arg.data(), 16);
        const Spiel_Lock h = Spiele_Lock(k[0], k[1], k[2], k[3]);
        if (h <= 0) return false;
        SpielDatensatz sp = *Spiele_Get_Spiel(h, 0);
        Spiele_Unlock(h);
        sp.temperatur = uint8_t(int8_t(-7));
        sp.ereignis_start = -1;
        sp.ereignis_anzahl = 0;
        const uint32_t n = sizeof sp;
        antwort.assign(reinterpret_cast<const uint8_t*>(&n), reinterpret_cast<const uint8_t*>(&n) + 4);
        antwort.insert(antwort.end(), reinterpret_cast<const uint8_t*>(&sp), reinterpret_cast<const uint8_t*>(&sp + 1));
        ++geholt;
        return true;
    };
    const SpielDatensatz* vorher = Spiele_Get_Spiel(s.spiel, 0);
    ASSERT_NE(vorher, nullptr);
    ASSERT_NE(int8_t(vorher->temperatur), -7);
    {
        ImKontext im(c);
        Client_Team_Setzen(team);
        Spieltag_Kein_Spiel_Loeschen();
        EXPECT_TRUE(Spieltag_Slot_Anfordern(team));
        Spieltag_Slot eigen;
        ASSERT_TRUE(Spieltag_Get_Slot(0, &eigen));
        const SpielDatensatz* sp = Spiele_Get_Spiel(eigen.spiel, 0);
        ASSERT_NE(sp, nullptr);
        EXPECT_EQ(geholt, 1);
        EXPECT_EQ(int8_t(sp->temperatur), -7) << "the server's weather";
        Client_Team_Setzen(-1);
    }
    Club_Hooks().client_read = client_read_vorher;
    ImKontext im(netz.server);
    Internet_Server_Abmelden(ANFRAGE_SPIELTAG_SLOT);
    EXPECT_TRUE(Internet_Server_Anmelden(ANFRAGE_SPIELTAG_SLOT, SPIELTAG_SLOT_TYP, Spieltag_Netz_Nachricht));
}

}  // namespace
}  // namespace velmora::test
