// A client that comes back on a match day, on the server's side: its club
// was dropped while the match day was prepared, so the computer took over
// its side. The club taken again and its report of the day must not hand the
// side back to a client that never fetches the record: the match day ends
// with every match played, the club's by the computer.
#include <gtest/gtest.h>

#include <cstring>

#include "club/team.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_sync.h"
#include "net/internet.h"
#include "net/net.h"
#include "season/spiele.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

class RueckkehrTest : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        Netzwerk_Modus_Setzen(2);
    }
    void TearDown() override {
        for (int32_t t = 0; t < Team_Anzahl(); ++t) Spieltag_Client_Live_Setzen(t, false);
        Client_Team_Setzen(-1);
        Netzwerk_Modus_Setzen(0);
        Spieltag_Welt_Ende();
    }
};

// The server's request switch hands request `id` of the client playing
// `team` to its handler; the competition word of a 1031 answer, or 1029's result.
int32_t Fragen(int32_t id, int32_t team) {
    Internet_Aufruf a;
    const char* typ = id == ANFRAGE_SPIELTAG_SLOT ? SPIELTAG_SLOT_TYP : "vi";
    Internet_Typ_Lesen(typ, std::strlen(typ), a.typ);
    a.id = id;
    for (const Internet_Element& e : a.typ.elemente) {
        a.ein.push_back(e.aus ? nullptr : reinterpret_cast<const uint8_t*>(&team));
        a.aus.emplace_back(e.aus ? e.groesse : 0, uint8_t(0));
    }
    Client_Team_Setzen(team);
    int32_t r = 0;
    if (id == ANFRAGE_SPIELTAG_SLOT) {
        EXPECT_EQ(Spieltag_Netz_Nachricht(a), 1);
        std::memcpy(&r, a.aus[1].data(), 4);
    } else {
        r = Spieltag_Melden_Anfrage(a);
    }
    Client_Team_Setzen(-1);
    return r;
}

// The slot of `team`'s game today and its side, -1 none.
int32_t Slot_Von(int32_t team, int32_t* seite) {
    Spieltag_Slot s;
    for (int32_t i = 0; Spieltag_Get_Slot(i, &s); ++i) {
        const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
        if (sp && (sp->heim == team || sp->gast == team)) {
            *seite = sp->heim == team ? 0 : 1;
            return i;
        }
    }
    return -1;
}

// A client that plays live asks for its slot and reports before the match
// day is prepared; its side is confirmed (1). It is dropped: the computer's
// side (2). It comes back, asks and reports again, on the prepared day: the
// answer says the computer plays today (-3), nothing is marked live, the side
// stays the computer's, and the day's matches all end. Before, the report
// lowered the side to 1 and the rejoined client, marked live, never fetched
// the record: the whole start group stood before its kick-off.
TEST_F(RueckkehrTest, AClubTakenAgainOnItsMatchDayIsPlayedByTheComputerAndTheDayEnds) {
    ASSERT_GT(Spieltag_Slots_Auffuellen(), 0);
    Spieltag_Slot s;
    ASSERT_TRUE(Spieltag_Get_Slot(0, &s));
    const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
    ASSERT_NE(sp, nullptr);
    const int32_t team = sp->heim, spiel = s.spiel;
    int32_t seite = -1;
    ASSERT_EQ(Slot_Von(team, &seite), 0);

    ASSERT_TRUE(Team_Client_Nehmen(team, "Carl", 1));
    EXPECT_NE(Fragen(ANFRAGE_SPIELTAG_SLOT, team), SPIELTAG_OHNE_CLIENT) << "asked before the match day";
    EXPECT_TRUE(Spieltag_Client_Spielt_Live(team));
    EXPECT_EQ(Fragen(ANFRAGE_SPIELTAG_MELDEN, team), 1);
    ASSERT_TRUE(Spieltag_Slots_Vorbereiten());
    ASSERT_TRUE(Spieltag_Get_Slot(0, &s));
    EXPECT_EQ(s.bereit[seite], 1) << "the live client's side waits for its fetch";

    Spieltag_Client_Freigeben(team);
    ASSERT_TRUE(Spieltag_Get_Slot(0, &s));
    EXPECT_EQ(s.bereit[seite], 2) << "the computer's side";
    ASSERT_TRUE(Team_Client_Nehmen(team, "Carl", 1)) << "taken again";

    EXPECT_EQ(Fragen(ANFRAGE_SPIELTAG_SLOT, team), SPIELTAG_OHNE_CLIENT);
    EXPECT_FALSE(Spieltag_Client_Spielt_Live(team));
    EXPECT_EQ(Fragen(ANFRAGE_SPIELTAG_MELDEN, team), 1);
    ASSERT_TRUE(Spieltag_Get_Slot(0, &s));
    EXPECT_EQ(s.bereit[seite], 2) << "the report hands the side back to no one";

    // The match day to its end; a match takes about a hundred frames.
    int32_t frames = 0;
    while (Spieltag_Frame() && frames < 100000) {
        ++frames;
        // Asked on while the day runs, the answer stays.
        if (frames % 50 == 0) {
            ASSERT_EQ(Fragen(ANFRAGE_SPIELTAG_SLOT, team), SPIELTAG_OHNE_CLIENT) << frames;
        }
        for (Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Naechster(nullptr) : nullptr; satz;
             satz = Spielfeld_Naechster(satz))
            ASSERT_FALSE(Spielfeld_Seite_Im_Netz(satz, 0) || Spielfeld_Seite_Im_Netz(satz, 1)) << "frame " << frames;
    }
    EXPECT_LT(frames, 100000) << "the match day never ended";
    EXPECT_FALSE(Spieltag_Spiele_Offen());
    const SpielDatensatz* gespielt = Spiele_Get_Spiel(spiel, 0);
    ASSERT_NE(gespielt, nullptr);
    EXPECT_GE(gespielt->tore_heim, 0) << "the club's match has its result";
    Team_Client_Freigeben(team);
}

}  // namespace
}  // namespace velmora::test
