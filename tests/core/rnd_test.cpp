#include "core/rnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/debug.h"

using namespace velmora;

namespace {
std::vector<std::string> g_log;
void fangen(uint32_t, const char* text) { g_log.emplace_back(text); }

std::vector<int32_t> ziehen(int n) {
    std::vector<int32_t> v;
    for (int i = 0; i < n; ++i) v.push_back(Rnd(0, 1000000));
    return v;
}
}  // namespace

TEST(Rnd, SameSeedGivesSameSequence) {
    Rnd_Init();
    auto a = ziehen(500);
    Rnd_Init();
    auto b = ziehen(500);
    EXPECT_EQ(a, b);
    // and it is not constant
    EXPECT_NE(a[0], a[1]);
}

TEST(Rnd, IndexAdvancesFirstAndWrapsAt6000) {
    Rnd_Init();
    EXPECT_EQ(Rnd_Get_Index(), 0);
    Rnd(0, 9);
    EXPECT_EQ(Rnd_Get_Index(), 1);
    Rnd_Set_Index(5999, 0);
    Rnd(0, 9);
    EXPECT_EQ(Rnd_Get_Index(), 0);
    // The value drawn at index 0 after the wrap equals table entry 0.
    Rnd_Set_Index(5999, 0);
    int32_t nach_wrap = Rnd(0, 1 << 30);
    Rnd_Set_Index(5999, 0);
    EXPECT_EQ(Rnd(0, 1 << 30), nach_wrap);
}

TEST(Rnd, RangeRules) {
    Rnd_Init();
    EXPECT_EQ(Rnd(5, 3), 5);
    EXPECT_EQ(Rnd(7, 7), 7);
    for (int i = 0; i < 2000; ++i) {
        int32_t v = Rnd(-10, -3);
        ASSERT_GE(v, -10);
        ASSERT_LE(v, -3);
        int32_t w = Rnd(INT32_MIN, INT32_MAX);
        (void)w;   // a full range must not overflow (UBSan checks)
    }
}

TEST(Rnd, BereichCoversLargeAndNegativeRanges) {
    Rnd_Init();
    int32_t lo_seen = INT32_MAX, hi_seen = INT32_MIN;
    for (int i = 0; i < 5000; ++i) {
        int32_t v = Rnd_Bereich(-50000, 50000);
        ASSERT_GE(v, -50000);
        ASSERT_LE(v, 50000);
        lo_seen = std::min(lo_seen, v);
        hi_seen = std::max(hi_seen, v);
        int32_t k = Rnd_Bereich(0, 2000);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 2000);
    }
    EXPECT_LT(lo_seen, -40000);
    EXPECT_GT(hi_seen, 40000);
    for (int i = 0; i < 200; ++i) {
        int32_t v = Rnd_Bereich(10, 10105);   // just above the two-step threshold, odd end
        ASSERT_GE(v, 10);
        ASSERT_LE(v, 10105);
    }
}

TEST(Rnd, BereichWithHiBelowLoLogsAndGivesZero) {
    g_log.clear();
    Debug_Faenger_Setzen(fangen);
    EXPECT_EQ(Rnd_Bereich(8, 3), 0);
    Debug_Faenger_Setzen(nullptr);
    ASSERT_EQ(g_log.size(), 1u);
    EXPECT_EQ(g_log[0], "Rnd: bis (3) < von (8) !\n");
}

TEST(Rnd, SetIndexPushPop) {
    Rnd_Init();
    Rnd_Set_Index(-7, 0);
    EXPECT_EQ(Rnd_Get_Index(), 7);
    Rnd_Set_Index(12005, 0);
    EXPECT_EQ(Rnd_Get_Index(), 5);
    Rnd_Set_Index(INT32_MIN, 0);
    EXPECT_EQ(Rnd_Get_Index(), int32_t(2147483648LL % 6000));
    Rnd_Set_Index(0, 0);
    Rnd_Push();
    Rnd_Set_Index(4321, 0);
    Rnd(0, 5);
    Rnd_Pop();
    EXPECT_EQ(Rnd_Get_Index(), 0);
    Rnd_Set_Index(99999, 1);   // random: the value is ignored
    EXPECT_GE(Rnd_Get_Index(), 0);
    EXPECT_LT(Rnd_Get_Index(), 6000);
}

TEST(Rnd, DigitsAreRoughlyUniformOverTheTable) {
    Rnd_Init();
    int zaehler[10] = {};
    for (int i = 0; i < RND_TABELLE; ++i) ++zaehler[Rnd(0, 9)];
    double erwartet = RND_TABELLE / 10.0, chi2 = 0;
    for (int z : zaehler) chi2 += (z - erwartet) * (z - erwartet) / erwartet;
    EXPECT_LT(chi2, 27.88);   // 9 degrees of freedom, p = 0.001
}

TEST(Rnd, ShuffleKeepsTheElements) {
    Rnd_Init();
    std::vector<uint32_t> v(100);
    for (uint32_t i = 0; i < 100; ++i) v[i] = i;
    Misch_U32(v.data(), 100);
    std::vector<uint32_t> s = v;
    std::sort(s.begin(), s.end());
    for (uint32_t i = 0; i < 100; ++i) EXPECT_EQ(s[i], i);
    int an_platz = 0;
    for (uint32_t i = 0; i < 100; ++i) an_platz += v[i] == i;
    EXPECT_LT(an_platz, 20);
}

TEST(Rnd, StateRoundTripAndDamagedStateRefused) {
    Rnd_Init();
    Rnd_Set_Index(1234, 0);
    std::vector<uint8_t> zustand(RND_ZUSTAND_BYTES);
    Rnd_Zustand_Schreiben(zustand.data());
    auto folge = ziehen(10);
    Rnd_Init();
    ASSERT_TRUE(Rnd_Zustand_Lesen(zustand.data(), zustand.size()));
    EXPECT_EQ(Rnd_Get_Index(), 1234);
    EXPECT_EQ(ziehen(10), folge);

    EXPECT_FALSE(Rnd_Zustand_Lesen(zustand.data(), zustand.size() - 1));
    auto kaputt = zustand;
    kaputt[RND_ZUSTAND_BYTES - 1] = 0xFF;   // index far out of range
    EXPECT_FALSE(Rnd_Zustand_Lesen(kaputt.data(), kaputt.size()));
}

// Each draw is the table value at the advanced index mod the span, plus lo,
// for spans from 1 to the whole int32 range and table values up to 2^31-1.
TEST(Rnd, EveryDrawIsTheTableValueModTheSpanPlusLo) {
    Rnd_Init();
    std::vector<uint8_t> zustand(RND_ZUSTAND_BYTES);
    Rnd_Zustand_Schreiben(zustand.data());
    // Edge values in the first entries, the generated table after them.
    const uint32_t rand_werte[] = {0u, 1u, 2u, 0x7FFFFFFFu, 0x7FFFFFFEu, 0x40000000u, 0x3FFFFFFFu, 999999u, 1000000u};
    for (size_t i = 0; i < std::size(rand_werte); ++i)
        for (int b = 0; b < 4; ++b) zustand[4 * i + b] = uint8_t(rand_werte[i] >> (8 * b));
    ASSERT_TRUE(Rnd_Zustand_Lesen(zustand.data(), zustand.size()));
    auto tabelle = [&](int32_t i) {
        const uint8_t* p = zustand.data() + 4 * i;
        return int64_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    };
    struct Bereich {
        int32_t lo, hi;
    };
    const Bereich bereiche[] = {
        {0, 0},           {0, 1},           {0, 30},          {1, 5},           {-10, -3},
        {1, 1000000},     {0, 999999},      {-(1 << 30), 1 << 30},                {0, INT32_MAX},
        {INT32_MIN, -1},  {-1, INT32_MAX},  {INT32_MIN, 0},   {INT32_MIN + 1, INT32_MAX},
        {INT32_MIN, INT32_MAX},             {INT32_MAX - 1, INT32_MAX},           {INT32_MIN, INT32_MIN + 6},
    };
    for (const Bereich& b : bereiche) {
        const int64_t spanne = int64_t(b.hi) - b.lo + 1;
        Rnd_Set_Index(RND_TABELLE - 1, 0);
        for (int32_t i = 0; i < RND_TABELLE; ++i) {
            const int32_t wert = Rnd(b.lo, b.hi);
            ASSERT_EQ(Rnd_Get_Index(), i);
            ASSERT_EQ(int64_t(wert), tabelle(i) % spanne + b.lo) << b.lo << ".." << b.hi << " index " << i;
        }
    }
}
