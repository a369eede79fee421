// The players' match grades and the fine-donation news after a live match.
#include <cmath>
#include <string>
#include <vector>

#include "club/spieler.h"
#include "match/nachbearbeitung.h"
#include "match/spieltag_hooks.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

class NoteTest : public SpielTest {
protected:
    // The first slot whose player is of kind `art` (0 keeper .. 3 forward).
    int32_t Slot_Der_Art(int32_t art) {
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot)
            if (s->spieler[slot].nummer >= 0 && Spieler_Get_Art(s->spieler[slot].nummer) == art) return slot;
        return -1;
    }
};

TEST_F(NoteTest, TheGradeFollowsTheCountersAndTheTimeFactor) {
    // counters c0..c7: passes lost, passes, shots, duels lost, duels, balls won, saves, shots faced
    struct Fall {
        const char* was;
        int32_t art;
        uint8_t c[8];
        float t;
        float punkte;   // 100 - the fault sum
        int32_t note;
    } faelle[] = {
        {"no statistics", 3, {0, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1},
        {"nothing but lost passes", 2, {5, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1},
        // Two shots: 30 x 5 / 100 + 30 x 20 / 100 + 25 x 45 / T / 100 + 40 x 30 / 100.
        {"forward, two shots", 3, {0, 0, 2, 0, 0, 0, 0, 0}, 1, 100 - (1.5f + 6 + 11.25f + 12), 35},
        {"forward, two shots, half time", 3, {0, 0, 2, 0, 0, 0, 0, 0}, 0.5f, 100 - (1.5f + 6 + 22.5f + 12), 40},
        // A defender: 2.5 + 4 + 0 + (40 - 40 / T) x 20 / 100. The score 93.5
        // reaches the best grade only while 93 + T stays below it.
        {"defender, T 1", 1, {0, 9, 3, 0, 9, 4, 0, 0}, 1, 93.5f, 15},
        {"defender, T 0.5", 1, {0, 9, 3, 0, 9, 4, 0, 0}, 0.5f, 93.5f, 10},
        {"defender, T 2", 1, {0, 9, 3, 0, 9, 4, 0, 0}, 2, 89.5f, 15},
        // A keeper with 2 saves of 4 shots: 3 + 3 + trunc(100 - 500 / 7) / 2 + 30 x 30 / 100.
        {"keeper", 0, {0, 0, 0, 0, 0, 0, 2, 4}, 1, 100 - (3 + 3 + 14 + 9), 30},
        {"keeper, only shots faced", 0, {0, 0, 0, 0, 0, 0, 0, 3}, 1, 100 - (3 + 3 + 25 + 15), 45},
        // Every pass and duel lost, no shot, no ball won: the worst grade.
        {"midfielder, all lost", 2, {10, 10, 0, 10, 10, 0, 0, 0}, 1, 100 - (35 + 15 + 8 + 18), 60},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.was);
        const int32_t slot = Slot_Der_Art(c.art);
        ASSERT_GE(slot, 0);
        std::copy(std::begin(c.c), std::end(c.c), s->statistik[slot]);
        s->zeit_faktor = c.t;
        s->bewertung[slot] = 0;
        float punkte = -99;
        EXPECT_EQ(Spielfeld_Get_Spielernote(s, slot, &punkte), c.note);
        EXPECT_NEAR(punkte, c.punkte, 0.01f);
        if (c.note > 0) {
            EXPECT_EQ(s->bewertung[slot], c.note) << "kept in the record";
        }
        std::fill(std::begin(s->statistik[slot]), std::end(s->statistik[slot]), uint8_t(0));
    }
}

TEST_F(NoteTest, BadArgumentsGiveNoGrade) {
    float punkte = 5;
    EXPECT_EQ(Spielfeld_Get_Spielernote(nullptr, 0, &punkte), -1);
    EXPECT_EQ(punkte, 0);
    EXPECT_EQ(Spielfeld_Get_Spielernote(s, 34, nullptr), -1);
    EXPECT_EQ(Spielfeld_Get_Spielernote(s, -1, nullptr), -1);
    EXPECT_TRUE(Log_Enthaelt("Spielfeld_Get_Spielernote: Falsche Parameter"));
}

std::vector<std::string>& Nachrichten() {
    static std::vector<std::string> n;
    return n;
}

TEST_F(NoteTest, OnlyALosingSideWithAFineRateSendsTheDonationNews) {
    Spieltag_Hooks().news = [](int32_t team, int32_t art, const char* text) {
        Nachrichten().push_back(std::to_string(team) + "/" + std::to_string(art) + ":" + text);
    };
    struct Fall {
        uint8_t tore[2];
        int8_t rate[2];
        bool news[2];
    } faelle[] = {
        {{0, 1}, {2, 2}, {true, false}},
        {{3, 1}, {2, 2}, {false, true}},
        {{1, 1}, {2, 2}, {false, false}},   // a draw sends nothing
        {{0, 1}, {0, 2}, {false, false}},   // no fine rate
        {{0, 1}, {-1, 0}, {true, false}},
    };
    for (const Fall& c : faelle) {
        s->tore[0] = c.tore[0];
        s->tore[1] = c.tore[1];
        s->strafe0 = c.rate[0];
        s->strafe1 = c.rate[1];
        for (int32_t seite = 0; seite < 2; ++seite) {
            Nachrichten().clear();
            EXPECT_EQ(Spielfeld_Strafe_Spende_News(s, seite, 11), c.news[seite]) << seite;
            ASSERT_EQ(Nachrichten().size(), c.news[seite] ? 1u : 0u);
            if (c.news[seite]) {
                EXPECT_EQ(Nachrichten()[0].rfind(std::to_string(s->team[seite]) + "/516:Die Strafe, von ", 0), 0u)
                    << Nachrichten()[0];
            }
        }
    }
    Spieltag_Hooks().news = nullptr;
}

}  // namespace
}  // namespace velmora::test
