// The Rastport cache and the shadow cache: lookups, frame purges, full caches.
#include "gfx/cache.h"

#include <gtest/gtest.h>

#include "core/mem.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"

namespace velmora {
namespace {

struct CacheLeer {
    ~CacheLeer() { Schatten_Cache_Leeren(); }
};

TEST(RastportCache, EntrySurvivesOneFrameUnlessLookedUp) {
    CacheLeer leer;
    const int32_t p[3] = {1, 2, 3};
    Rastport* rp = Rastport_Create(2, 2, 16, 0, 0);
    ASSERT_EQ(Rastport_Cache_Add(rp, p, 3, CACHE_ART_WAPPEN), 1);
    Rastport_Cache_Purge();   // end of the frame it was added in
    EXPECT_EQ(Rastport_Cache_Find(p, 3, CACHE_ART_WAPPEN), rp);
    Rastport_Cache_Purge();   // looked up in this frame
    EXPECT_EQ(Rastport_Cache_Belegt(), 1);
    Rastport_Cache_Purge();   // not looked up
    EXPECT_EQ(Rastport_Cache_Belegt(), 0);
    EXPECT_EQ(Rastport_Cache_Find(p, 3, CACHE_ART_WAPPEN), nullptr);
}

TEST(RastportCache, KeyIsKindCountAndEveryParameter) {
    CacheLeer leer;
    int32_t p[4] = {7, 8, 9, 10};
    Rastport* rp = Rastport_Create(1, 1, 16, 0, 0);
    Rastport_Cache_Add(rp, p, 4, CACHE_ART_PORTRAIT);
    p[3] = 11;   // the cache keeps its own copy
    EXPECT_EQ(Rastport_Cache_Find(p, 4, CACHE_ART_PORTRAIT), nullptr);
    p[3] = 10;
    EXPECT_EQ(Rastport_Cache_Find(p, 4, CACHE_ART_PORTRAIT), rp);
    EXPECT_EQ(Rastport_Cache_Find(p, 3, CACHE_ART_PORTRAIT), nullptr);
    EXPECT_EQ(Rastport_Cache_Find(p, 4, CACHE_ART_POKAL), nullptr);
    EXPECT_EQ(Rastport_Cache_Add(nullptr, p, 4, CACHE_ART_POKAL), 0);
}

TEST(RastportCache, FullCacheRefusesThenPurgeFrees) {
    CacheLeer leer;
    size_t bloecke = Mem_Anzahl_Bloecke();
    for (int32_t i = 0; i < RASTPORT_CACHE_ANZAHL; ++i)
        ASSERT_EQ(Rastport_Cache_Add(Rastport_Create(1, 1, 16, 0, 0), &i, 1, CACHE_ART_POKAL), 1);
    Rastport* extra = Rastport_Create(1, 1, 16, 0, 0);
    int32_t k = 999;
    EXPECT_EQ(Rastport_Cache_Add(extra, &k, 1, CACHE_ART_POKAL), 0);
    Rastport_Free(extra);   // stays the caller's
    int32_t fuenf = 5;
    Rastport_Cache_Purge();
    EXPECT_NE(Rastport_Cache_Find(&fuenf, 1, CACHE_ART_POKAL), nullptr);
    Rastport_Cache_Purge();
    EXPECT_EQ(Rastport_Cache_Belegt(), 1);
    Rastport_Cache_Clear();
    EXPECT_EQ(Rastport_Cache_Belegt(), 0);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke);
}

TEST(SchattenCache, FillsInOrderThenPushesOutTheLastSlot) {
    CacheLeer leer;
    Rastport* dst = Rastport_Create(100, 100, 16, 0, 0);
    Rastport_Fill(dst, 0, 0, -1, -1, 0x1234, nullptr);
    for (int32_t i = 0; i < SCHATTEN_CACHE_ANZAHL; ++i) {
        ASSERT_EQ(Schatten_Cache_Speichern(dst, 0, 0, 2, 2, i, 0), 1);
        ASSERT_NE(Schatten_Cache_Slot(i), nullptr);
    }
    Rastport* neunzigster = Schatten_Cache_Slot(89);
    EXPECT_EQ(Schatten_Cache_Suchen(0, 0, 2, 2, 89, 0), neunzigster);
    Schatten_Cache_Speichern(dst, 0, 0, 2, 2, 95, 5);   // the 91st
    EXPECT_EQ(Schatten_Cache_Suchen(0, 0, 2, 2, 89, 0), nullptr);   // the 90th stored is gone
    EXPECT_NE(Schatten_Cache_Suchen(0, 0, 2, 2, 0, 0), nullptr);    // the first is still there
    EXPECT_EQ(Schatten_Cache_Slot(0), Schatten_Cache_Suchen(0, 0, 2, 2, 95, 5));
    Schatten_Cache_Speichern(dst, 0, 0, 2, 2, 96, 5);   // pushes out what moved into slot 89
    EXPECT_EQ(Schatten_Cache_Suchen(0, 0, 2, 2, 88, 0), nullptr);
    EXPECT_NE(Schatten_Cache_Suchen(0, 0, 2, 2, 95, 5), nullptr);
    // The stored copy is the destination's rectangle.
    EXPECT_EQ(Rastport_Pixels16(Schatten_Cache_Suchen(0, 0, 2, 2, 96, 5))[3], 0x1234);
    Rastport_Free(dst);
}

TEST(SchattenCache, KeysAndRemovalByPosition) {
    CacheLeer leer;
    Rastport* dst = Rastport_Create(50, 50, 16, 0, 0);
    Rastport_Fill(dst, 0, 0, -1, -1, 9, nullptr);
    Schatten_Cache_Speichern(dst, 1, 2, 10, 5, 20, 30);
    Schatten_Cache_Speichern(dst, 0, 0, 4, 4, 20, 30);
    Schatten_Cache_Speichern(dst, 0, 0, 4, 4, 21, 30);
    EXPECT_NE(Schatten_Cache_Suchen(1, 2, 10, 5, 20, 30), nullptr);
    EXPECT_EQ(Schatten_Cache_Suchen(2, 1, 10, 5, 20, 30), nullptr);
    EXPECT_EQ(Schatten_Cache_Suchen(1, 2, 5, 10, 20, 30), nullptr);
    EXPECT_EQ(Schatten_Cache_Suchen(1, 2, 10, 5, 30, 20), nullptr);
    Schatten_Cache_Entfernen(20, 30);
    EXPECT_EQ(Schatten_Cache_Suchen(1, 2, 10, 5, 20, 30), nullptr);
    EXPECT_EQ(Schatten_Cache_Suchen(0, 0, 4, 4, 20, 30), nullptr);
    EXPECT_NE(Schatten_Cache_Suchen(0, 0, 4, 4, 21, 30), nullptr);
    // Emptying the shadow cache empties the Rastport cache too.
    int32_t p = 1;
    Rastport_Cache_Add(Rastport_Create(1, 1, 16, 0, 0), &p, 1, CACHE_ART_WAPPEN);
    Schatten_Cache_Leeren();
    EXPECT_EQ(Schatten_Cache_Suchen(0, 0, 4, 4, 21, 30), nullptr);
    EXPECT_EQ(Rastport_Cache_Belegt(), 0);
    Rastport_Free(dst);
}

}  // namespace
}  // namespace velmora
