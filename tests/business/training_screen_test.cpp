// tests/business/training_screen_test.cpp - the training screen in a running
// game, opened from the team menu: the squad with the selected player's
// carousel, the carousel's wrap both ways and its 250 ms step, and a player
// holding every talent he may have, who is offered only the strength stars.
#include "business/training_screen.h"

#include <vector>

#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "gui/menue.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t TEAM_X = 322, TRAINING_Y = 558;

// The trainable talents of a player in ascending order.
std::vector<int32_t> Trainierbare(int32_t s) {
    std::vector<int32_t> t;
    for (int32_t id = 0; id <= TRAINING_STERNE; ++id)
        if (Attribut_Name(s, id) == 1) t.push_back(id);
    return t;
}

class TrainingScreen : public GeldWelt {};

TEST_F(TrainingScreen, TheCarouselWrapsBothWaysAndAFullPlayerTrainsOnlyStars) {
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, TEAM_X, TRAINING_Y);
    skript.push_back({2, 30, 300, 0, true, 0, [] {
        const TrainingStand st = Training_Screen_Stand();
        ASSERT_TRUE(Training_Screen_Offen());
        ASSERT_GE(st.spieler, 0);
        EXPECT_EQ(st.spieler, st.zeilen[0]) << "with no selection the first row";
    }});
    skript.push_back({1, 30, 300, 0, false, 0, [] {
        // A field player with at least three trainable talents and none in training.
        int32_t s = -1;
        const TrainingStand st = Training_Screen_Stand();
        for (int32_t p : st.zeilen)
            if (p >= 0 && s < 0 && Spieler_Get_Art(p) != 0 && Attribute_Anzahl(p) < 0 && Trainierbare(p).size() >= 3) s = p;
        ASSERT_GE(s, 0);
        const std::vector<int32_t> t = Trainierbare(s);
        const int32_t n = int32_t(t.size());
        Karussell k;
        Karussell_Schritt(s, KARUSSELL_NEU, k);
        EXPECT_EQ(k, (Karussell{t[0], t[1], t[2]}));
        // Forward to the last: the next wraps to the lowest not shown.
        for (int32_t i = 0; i < n - 2; ++i) Karussell_Schritt(s, KARUSSELL_VOR, k);
        EXPECT_EQ(k.akt, t[size_t(n - 1)]);
        EXPECT_EQ(k.nach, t[0]);
        // Back from the first: the previous wraps to the highest not shown.
        Karussell_Schritt(s, KARUSSELL_NEU, k);
        Karussell_Schritt(s, KARUSSELL_ZURUECK, k);
        EXPECT_EQ(k.akt, t[0]);
        EXPECT_EQ(k.nach, t[1]);
        EXPECT_EQ(k.vor, t[size_t(n - 1)]);
        // A player holding the most talents: only the strength stars, and only below his highest strength.
        for (int32_t id = 0; id < 40 && !Attribute_Attribut_Hat_Maximum(s); ++id)
            if (Attribut_Name(s, id) == 1) Spieler_Wert(id, s, Attribut_Schwelle(id), OP_SCHREIBEN);
        ASSERT_TRUE(Attribute_Attribut_Hat_Maximum(s));
        Spieler_Wert(SPW_MAX_STERNE, s, 10, OP_SCHREIBEN);
        Spieler_Wert(SPW_STERNE, s, 8, OP_SCHREIBEN);
        Karussell_Schritt(s, KARUSSELL_NEU, k);
        EXPECT_EQ(k, (Karussell{-1, TRAINING_STERNE, -1}));
        Spieler_Wert(SPW_STERNE, s, 10, OP_SCHREIBEN);
        Karussell_Schritt(s, KARUSSELL_NEU, k);
        EXPECT_EQ(k, Karussell{});
        // The arrows step once per 250 ms.
        EXPECT_TRUE(Training_Pfeil(true));
        EXPECT_FALSE(Training_Pfeil(true));
    }});
    skript.back().bilder = 13;
    skript.push_back({1, 30, 300, 0, false, 0, [] { EXPECT_TRUE(Training_Pfeil(false)) << "260 ms later"; }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("training_screen", 0), "");
}

}  // namespace
}  // namespace velmora::test
