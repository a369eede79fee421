// The star row: the pictures laid for a maximum, a strength and a deduction.
#include "business/sterne.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

std::vector<SternBild> Plan(int32_t max, int32_t halbe, int32_t abzug, bool gewaehlt = false) {
    SternBild b[STERNE_MAX_BILDER];
    return std::vector<SternBild>(b, b + Sterne_Planen(max, halbe, abzug, gewaehlt, b));
}

TEST(Sterne, TheRowLaysSlotsStarsAndTheDeductionAsTheScreensShowThem) {
    constexpr int32_t V = STERN_VOLL, H = STERN_HALB, L = STERN_LEER, G = STERN_LEER_GEWAEHLT, HA = STERN_HALB_ABZUG,
                      VA = STERN_VOLL_ABZUG, HH = STERN_HALB_HALB;
    struct Fall {
        const char* name;
        int32_t max, halbe, abzug;
        bool gewaehlt;
        std::vector<SternBild> erwartet;
    };
    const Fall faelle[] = {
        {"3 of 4 stars", 8, 6, 0, false, {{0, L}, {15, L}, {30, L}, {45, L}, {0, V}, {15, V}, {30, V}}},
        {"an odd strength ends with a half star on a slot", 4, 5, 0, true, {{0, G}, {15, G}, {0, V}, {15, V}, {30, G}, {30, H}}},
        {"a deduction of 1 on an odd strength reduces the half star", 0, 5, 1, false, {{0, V}, {15, V}, {30, L}, {30, HA}}},
        {"a deduction of 2 takes the last full star", 0, 6, 2, false, {{0, V}, {15, V}, {30, VA}}},
        {"an odd remainder splits a star", 0, 7, 2, false, {{0, V}, {15, V}, {30, HH}, {45, L}, {45, HA}}},
        {"a defender in attack: 4 half stars of 8", 0, 8, 4, false, {{0, V}, {15, V}, {30, VA}, {45, VA}}},
        {"the whole strength taken, never more", 0, 4, 9, false, {{0, VA}, {15, VA}}},
        {"a negative deduction counts as none", 0, 4, -3, false, {{0, V}, {15, V}}},
        {"a damaged strength stays on the scale", 40, 99, 0, false, Plan(12, 12, 0)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Plan(f.max, f.halbe, f.abzug, f.gewaehlt), f.erwartet);
    }
    EXPECT_EQ(Plan(12, 12, 0).size(), 12u);
    EXPECT_EQ(Sterne_Planen(12, 12, 0, false, nullptr), 0);
}

}  // namespace
}  // namespace velmora
