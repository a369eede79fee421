// The figure frames of the match view: the kick rows' foot meets the ball
// where the match lets it go; the goal's parts stand where the match counts
// its goal.
#include "kunst/stadion_kunst.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "match/live/anim.h"
#include "match/record/spielfeld.h"
#include "matchview/spielansicht_geometrie.h"

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

// The extent of a frame's post-coloured pixels relative to its ground point.
struct Stange {
    int32_t x0 = 9999, x1 = -9999, y0 = 9999, y1 = -9999;
};
Stange Stange_Von(const FigurenBild& f) {
    Stange s;
    for (int32_t y = 0; y < f.hoehe; ++y)
        for (int32_t x = 0; x < f.breite; ++x)
            if (f.pixel[size_t(y * f.breite + x)] == FIGUREN_STANGE) {
                s.x0 = std::min(s.x0, x + f.x_versatz), s.x1 = std::max(s.x1, x + f.x_versatz);
                s.y0 = std::min(s.y0, y + f.y_versatz), s.y1 = std::max(s.y1, y + f.y_versatz);
            }
    return s;
}

// The goal's rows (in play 17-24, at rest 25-32; left goal then right goal,
// each bar, net and the two posts with their side nets) stand at the middle
// of their goal line. Their post-coloured pixels stand where the view puts
// the match's goal: each post at the pixel of the match's post beside the
// goal's middle and as high as the match's bar, the bar from post to post.
TEST(FigurenBilder, TheGoalsPostsAndBarStandWhereTheMatchCountsAGoal) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const AnsichtPunkt mitte = Spielansicht_Projektion(0, float(k.breite) / 2, 0, false, false);
    const AnsichtPunkt pfosten = Spielansicht_Projektion(0, float(k.pfosten_unten[0]), 0, false, false);
    const AnsichtPunkt oben = Spielansicht_Projektion(0, float(k.pfosten_unten[0]), float(k.latte[0]), false, false);
    const int32_t quer = std::abs(pfosten.x - mitte.x), hoch = pfosten.y - oben.y;
    ASSERT_GT(quer, 40);
    for (int32_t erste : {17, 21, 25, 29}) {
        std::vector<Stange> teile;
        for (int32_t teil = 0; teil < 4; ++teil) {
            const Anim_Satz* z = Anim_Zeile(erste + teil);
            ASSERT_TRUE(z && z->benutzt) << erste + teil;
            const std::vector<FigurenBild> b = stadion_kunst::Zeile_Malen(erste + teil, *z);
            ASSERT_FALSE(b.empty()) << z->name;
            teile.push_back(Stange_Von(b[0]));
        }
        // The bar spans the posts.
        EXPECT_LE(teile[0].x0, -quer + 2) << "row " << erste;
        EXPECT_GE(teile[0].x1, quer - 2) << "row " << erste;
        // Each post: one to three pixels wide, its foot where the view puts the
        // match's post, as high as the match's bar.
        for (int32_t p : {2, 3}) {
            const Stange& s = teile[size_t(p)];
            EXPECT_LE(s.x1 - s.x0, 3) << "row " << erste + p;
            EXPECT_NEAR(std::abs(s.x0 + s.x1) / 2, quer, 2) << "row " << erste + p;
            EXPECT_NEAR(s.y1 - s.y0, hoch, 3) << "row " << erste + p;
            EXPECT_NEAR(std::abs(s.y1), std::abs(pfosten.y - mitte.y), 2) << "row " << erste + p << ": its foot";
        }
        EXPECT_NEAR(teile[2].x0 + teile[2].x1, -(teile[3].x0 + teile[3].x1), 3)
            << "row " << erste << ": the posts either side of the middle";
    }
}


// Whether a frame has a pixel of colour `ton` within `r` pixels of (x, y)
// relative to its ground point.
bool Ton_Nahe(const FigurenBild& f, uint8_t ton, int32_t x, int32_t y, int32_t r) {
    for (int32_t py = 0; py < f.hoehe; ++py)
        for (int32_t px = 0; px < f.breite; ++px)
            if (f.pixel[size_t(py * f.breite + px)] == ton && std::abs(px + f.x_versatz - x) <= r &&
                std::abs(py + f.y_versatz - y) <= r)
                return true;
    return false;
}

// The net the match stops the ball in is 205 cm deep at the ground and 135 cm
// at the bar's height; a ball at rest lies against its back at the ground,
// often in a back corner at a post's line. The drawn back net stands there:
// its corners at the ground and at the bar's height, behind each post, where
// the view puts the match's net.
TEST(FigurenBilder, TheBackOfTheNetStandsWhereTheMatchStopsTheBall) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const uint8_t netz = Figuren_Ton(4, 2);
    struct Ecke {
        float tiefe, hoehe;
    } ecken[] = {{205, 0}, {135, float(k.latte[0])}};
    for (int32_t erste : {17, 21, 25, 29}) {
        const Anim_Satz* z = Anim_Zeile(erste + 1);
        ASSERT_TRUE(z && z->benutzt) << erste + 1;
        const std::vector<FigurenBild> b = stadion_kunst::Zeile_Malen(erste + 1, *z);
        ASSERT_FALSE(b.empty()) << z->name;
        const float gx = z->pos[0], hinten = gx > 0 ? 1.0f : -1.0f;
        const AnsichtPunkt mitte = Spielansicht_Projektion(gx, z->pos[1], 0, false, false);
        for (const Ecke& e : ecken)
            for (int32_t pfosten : {k.pfosten_unten[0], k.pfosten_oben[0]}) {
                const AnsichtPunkt p = Spielansicht_Projektion(gx + hinten * e.tiefe, float(pfosten), e.hoehe, false, false);
                EXPECT_TRUE(Ton_Nahe(b[0], netz, p.x - mitte.x, p.y - mitte.y, 2))
                    << z->name << ": no net at " << e.tiefe << " cm behind the post at y " << pfosten << ", "
                    << e.hoehe << " cm high (pixel " << p.x - mitte.x << ", " << p.y - mitte.y << ")";
            }
    }
}

}   // namespace
}   // namespace velmora
