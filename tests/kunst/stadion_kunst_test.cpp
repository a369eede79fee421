// The figure frames of the match view: the kick rows' foot meets the ball
// where the match lets it go.
#include "kunst/stadion_kunst.h"

#include <gtest/gtest.h>

#include <string>

#include "match/live/anim.h"

namespace velmora {
namespace {

// The first frame in which the kicking foot has come through, ahead of the
// hip, after it was behind it (-1: it never does).
int32_t Durch_Den_Ball(const std::string& name, int32_t frames) {
    bool hinten = false;
    for (int32_t f = 0; f < frames; ++f) {
        const stadion_kunst::Pose p = stadion_kunst::Pose_Von(name, f, frames);
        const double vorn = p.fuss_r.f - p.huefte.f;
        if (vorn < 0) hinten = true;
        else if (hinten) return f;
    }
    return -1;
}

// A shot or pass leaves the foot with its row's first frame, so the drawn foot
// goes through the ball at once; the keeper's punt lets the ball go on its
// row's last frame, so his foot comes through there, not half a row earlier.
TEST(FigurenBilder, TheKickRowsFootMeetsTheBallWhereTheBallLeaves) {
    struct Fall {
        int32_t zeile;
        bool am_ende;
    } faelle[] = {{34, false}, {35, false}, {54, false}, {56, false}, {60, false},
                  {80, false}, {131, false}, {55, true}};
    for (const Fall& c : faelle) {
        const Anim_Satz* z = Anim_Zeile(c.zeile);
        ASSERT_TRUE(z && z->benutzt) << c.zeile;
        const int32_t frames = z->letzter_frame + 1;
        const int32_t durch = Durch_Den_Ball(z->name, frames);
        if (c.am_ende) EXPECT_EQ(durch, frames - 1) << z->name;
        else EXPECT_TRUE(durch >= 0 && durch <= 1) << z->name << ": frame " << durch;
    }
}

}   // namespace
}   // namespace velmora
