#include "core/zahlen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using namespace velmora;

TEST(Zahlen, ClampRules) {
    struct Fall {
        int32_t wert, unten, oben, standard, erwartet;
    };
    const Fall faelle[] = {
        {5, 0, 10, -1, 5},  {-3, 0, 10, -1, 0}, {11, 0, 10, -1, 10},
        {11, 0, 10, 4, 4},  {-3, 0, 10, 7, 7},  {0, 0, 10, 99, 0},
        {10, 0, 10, 99, 10},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Clamp(f.wert, f.unten, f.oben, f.standard), f.erwartet) << f.wert;
}

TEST(Zahlen, RoundingAndPercentHalfAwayFromZero) {
    EXPECT_EQ(Runden(2.5), 3);
    EXPECT_EQ(Runden(-2.5), -3);
    EXPECT_EQ(Runden(2.49), 2);
    EXPECT_EQ(Runden(-0.4), 0);
    EXPECT_EQ(Runden(1e12), INT32_MAX);
    EXPECT_EQ(Prozent(1, 8), 13);   // 12.5
    EXPECT_EQ(Prozent(-1, 8), -13);
    EXPECT_EQ(Prozent(3, 0), 0);
}

TEST(Zahlen, DistancesAndSmallHelpers) {
    EXPECT_EQ(Distanz(3, 4), 5);
    EXPECT_EQ(Distanz(1, 1), 1);   // 1.414 truncated
    EXPECT_EQ(Distanz(-6, -8), 10);
    EXPECT_DOUBLE_EQ(Hypot(3.0, 4.0), 5.0);
    EXPECT_EQ(Abstand(-5, 7), 12);
    EXPECT_EQ(Abstand(INT32_MIN, INT32_MAX), INT32_MAX);
    EXPECT_EQ(Min(3, -2), -2);
    int32_t a = 1, b = 2;
    Tausche(&a, &b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    const uint32_t arr[] = {4, 8, 15, 16};
    EXPECT_EQ(Index_Von(arr, 4, 15), 2);
    EXPECT_EQ(Index_Von(arr, 4, 23), -1);
}

// The live match's distances must stay the C library's to the last bit (the
// float root of the float squares differs in about one case in ten): seeded
// play depends on every comparison coming out as before.
TEST(Zahlen, HypotFIsTheLibrarysHypotfBitForBit) {
    uint32_t z = 12345;
    auto zufall = [&z](float weite) {
        z = z * 1664525u + 1013904223u;
        return (float(z >> 8) / float(1u << 24) - 0.5f) * 2 * weite;
    };
    int32_t anders_als_float = 0;
    for (int32_t i = 0; i < 200000; ++i) {
        const float weite = i % 3 == 0 ? 12000.0f : i % 3 == 1 ? 300.0f : 1.5f;
        const float dx = zufall(weite), dy = zufall(weite);
        const float erwartet = ::hypotf(dx, dy);
        ASSERT_EQ(Hypot_F(dx, dy), erwartet) << dx << ' ' << dy;
        if (std::sqrt(dx * dx + dy * dy) != erwartet) ++anders_als_float;
    }
    EXPECT_GT(anders_als_float, 0);   // the cases exist in this sample
    const float faelle[][2] = {{0, 0}, {3, 4}, {-3, -4}, {1e-30f, 1e-30f}, {1e18f, 1e18f}, {10800, 6806}, {-0.0f, 5}};
    for (const auto& f : faelle) EXPECT_EQ(Hypot_F(f[0], f[1]), ::hypotf(f[0], f[1])) << f[0] << ' ' << f[1];
}

TEST(Zahlen, SortiereIsStableInBothDirections) {
    int32_t keys[] = {3, 1, 3, 2, 1};
    uint32_t werte[] = {10, 11, 12, 13, 14};
    Sortiere(werte, keys, 5, 0);
    const int32_t k_auf[] = {1, 1, 2, 3, 3};
    const uint32_t w_auf[] = {11, 14, 13, 10, 12};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(keys[i], k_auf[i]);
        EXPECT_EQ(werte[i], w_auf[i]);
    }
    Sortiere(werte, keys, 5, 1);
    const uint32_t w_ab[] = {10, 12, 13, 11, 14};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(werte[i], w_ab[i]);
    int32_t einer[] = {5};
    uint32_t w1[] = {1};
    Sortiere(w1, einer, 1, 0);   // fewer than two entries: nothing happens
    EXPECT_EQ(w1[0], 1u);
    // Short lists are sorted in place, longer ones through buffers: each
    // length either side of the edge gives std::stable_sort's order, with
    // and without a payload.
    for (int32_t n : {2, 20, 31, 32, 33, 40, 100})
        for (int32_t ab = 0; ab < 2; ++ab) {
            std::vector<int32_t> k(static_cast<size_t>(n)), k2;
            std::vector<uint32_t> w(static_cast<size_t>(n));
            std::vector<std::pair<int32_t, uint32_t>> soll;
            for (int32_t i = 0; i < n; ++i) {
                k[size_t(i)] = (i * 7919) % 5 - 2;   // many ties
                w[size_t(i)] = uint32_t(i);
                soll.push_back({k[size_t(i)], uint32_t(i)});
            }
            std::stable_sort(soll.begin(), soll.end(),
                             [ab](const auto& a, const auto& b) { return ab ? a.first > b.first : a.first < b.first; });
            k2 = k;
            Sortiere(w.data(), k.data(), n, ab);
            Sortiere(nullptr, k2.data(), n, ab);
            for (int32_t i = 0; i < n; ++i) {
                EXPECT_EQ(k[size_t(i)], soll[size_t(i)].first) << n << ' ' << ab << ' ' << i;
                EXPECT_EQ(w[size_t(i)], soll[size_t(i)].second) << n << ' ' << ab << ' ' << i;
                EXPECT_EQ(k2[size_t(i)], soll[size_t(i)].first) << n << ' ' << ab << ' ' << i;
            }
        }
}

TEST(Abfangpunkt, StandingTargetIsMetWhereItStands) {
    double x = -1, y = -1;
    int32_t d = Abfangpunkt_Suchen(0, 0, 500, 300, 400, 900, 900, 0, 50, 25, -1.0, 1, &x, &y, 10800, 6806, 1, 0);
    EXPECT_EQ(d, 500);
    EXPECT_DOUBLE_EQ(x, 300);
    EXPECT_DOUBLE_EQ(y, 400);
}

TEST(Abfangpunkt, UnreachableTargetGivesMinusOne) {
    // A slow runner far behind a fast target that runs away from him.
    double x = 7, y = 7;
    int32_t d = Abfangpunkt_Suchen(0, 0, 100, 5000, 3000, 9000, 3000, 900, 50, 25, -1.0, 1, &x, &y, 10800, 6806, 1, 0);
    EXPECT_EQ(d, -1);
    EXPECT_EQ(x, 7);   // outputs untouched
    EXPECT_EQ(y, 7);
    // A damaged record: a position that is no number meets nothing, a huge
    // distance counts as the largest.
    const double nan = std::nan("");
    EXPECT_EQ(Abfangpunkt_Suchen(nan, 0, 100, 5000, 3000, 9000, 3000, 0, 50, 25, -1.0, 1, &x, &y, 0, 0, 1, 0), -1);
    EXPECT_EQ(Abfangpunkt_Suchen(0, 0, 100, 5000, nan, 9000, 3000, 900, 50, 25, -1.0, 1, &x, &y, 0, 0, 1, 0), -1);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(Abfangpunkt_Suchen(0, 0, 100, 1e30, 0, 0, 0, 0, 50, 25, -1.0, 1, &x, &y, 0, 0, 1, 0), INT32_MAX);
}

TEST(Abfangpunkt, HeadOnMeetingLiesBetweenThem) {
    // Runner at (8000, 3000), target at (2000, 3000) running towards (9000, 3000),
    // both at the same speed: they can meet around the middle, not behind the runner.
    double x = 0, y = 0;
    int32_t d = Abfangpunkt_Suchen(8000, 3000, 600, 2000, 3000, 9000, 3000, 600, 50, 25, -1.0, 1, &x, &y, 10800, 6806, 1, 0);
    ASSERT_GE(d, 0);
    EXPECT_DOUBLE_EQ(y, 3000);
    EXPECT_GE(x, 5000);   // the runner is there no later than the target
    EXPECT_LE(x, 8000);
    EXPECT_EQ(d, int32_t(std::fabs(8000 - x)));
    // The runner's time to the point is not above the target's.
    EXPECT_LE(std::fabs(8000 - x) / 600, std::fabs(x - 2000) / 600 + 1e-9);
}

TEST(Abfangpunkt, PointsOutsideThePitchAndBeyondTheLimitAreRefused) {
    double x = 0, y = 0;
    // The whole path lies beyond the goal line.
    EXPECT_EQ(Abfangpunkt_Suchen(10000, 3000, 800, 11000, 3000, 12000, 3000, 200, 50, 25, -1.0, 1, &x, &y, 10800, 6806, 1, 0), -1);
    // A limit below every reachable distance.
    EXPECT_EQ(Abfangpunkt_Suchen(0, 0, 800, 5000, 0, 6000, 0, 200, 50, 25, 10.0, 1, &x, &y, 10800, 6806, 1, 0), -1);
}
