#include "core/mem.h"
#include "tests/support/pruefung.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace velmora;

namespace {
MemBlockHeader* kopf(void* p) { return static_cast<MemBlockHeader*>(p) - 1; }
}  // namespace

TEST(Mem, SizeZeroGivesNull) {
    EXPECT_EQ(Mem_Alloc(0, "test"), nullptr);
    EXPECT_EQ(Mem_Alloc_Fill(0, "test", 7), nullptr);
    EXPECT_EQ(Mem_Virtual_Alloc(0, 0, "test"), nullptr);
    EXPECT_EQ(Mem_Free(nullptr), nullptr);
}

TEST(Mem, BlockCarriesHeaderGuardsAndOwner) {
    size_t vorher = Mem_Anzahl_Bloecke();
    void* p = Mem_Alloc(37, "besitzer");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
    MemBlockHeader* h = kopf(p);
    EXPECT_EQ(h->guard_vorn, 0xFAFAFAFAu);
    EXPECT_EQ(h->guard_kopf, 0xAFAFAFAFu);
    EXPECT_EQ(h->art, 0xFF02u);
    EXPECT_EQ(h->groesse, 37u);
    EXPECT_STREQ(h->besitzer, "besitzer");
    uint32_t hinten;
    std::memcpy(&hinten, static_cast<uint8_t*>(p) + 37, 4);
    EXPECT_EQ(hinten, 0xFAFAFAFAu);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), vorher + 1);
    EXPECT_EQ(Mem_Free(p), nullptr);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), vorher);
}

TEST(Mem, FillByteIsApplied) {
    for (uint8_t fill : {uint8_t(0), uint8_t(0x5A), uint8_t(0xFF)}) {
        auto* p = static_cast<uint8_t*>(Mem_Alloc_Fill(1000, "fill", fill));
        ASSERT_NE(p, nullptr);
        for (int i = 0; i < 1000; ++i) ASSERT_EQ(p[i], fill) << i;
        EXPECT_EQ(Mem_Free(p), nullptr);
    }
}

// Each kind of damage breaks the check: the sanitizer build stops there; a
// shipped build keeps the block: the free returns the pointer and the block
// stays counted, so nothing was handed to the heap.
TEST(Mem, DamagedBlockIsNotFreed) {
    struct Fall {
        const char* name;
        void (*beschaedigen)(uint8_t* daten);
        void (*reparieren)(uint8_t* daten);
    };
    const Fall faelle[] = {
        {"vordere Wache", [](uint8_t* d) { kopf(d)->guard_vorn = 0; },
         [](uint8_t* d) { kopf(d)->guard_vorn = MEM_GUARD_VORN; }},
        {"Kopfwache", [](uint8_t* d) { kopf(d)->guard_kopf ^= 1; },
         [](uint8_t* d) { kopf(d)->guard_kopf = MEM_GUARD_KOPF; }},
        {"Art", [](uint8_t* d) { kopf(d)->art = 0xFF01; }, [](uint8_t* d) { kopf(d)->art = MEM_ART_HEAP; }},
        {"hintere Wache", [](uint8_t* d) { d[16] = 0; }, [](uint8_t* d) { d[16] = 0xFA; }},
    };
    for (const Fall& f : faelle) {
        auto* p = static_cast<uint8_t*>(Mem_Alloc(16, "guard"));
        ASSERT_NE(p, nullptr);
        size_t bloecke = Mem_Anzahl_Bloecke();
        f.beschaedigen(p);
        EXPECT_PRUEFUNG_VERLETZT(EXPECT_EQ(Mem_Free(p), p) << f.name, "Speicherblock .* beschaedigt");
        EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke) << f.name;
        f.reparieren(p);
        EXPECT_EQ(Mem_Free(p), nullptr) << f.name;
    }
}

TEST(Mem, VirtualBlockReadWriteAndFree) {
    auto* p = static_cast<uint8_t*>(Mem_Virtual_Alloc(10000, 0, "virt"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(kopf(p)->art, 0xFF01u);
    p[0] = 1;
    p[9999] = 2;
    EXPECT_EQ(p[9999], 2);
    EXPECT_EQ(Mem_Virtual_Free(p), nullptr);
    int lokal = 0;
    EXPECT_EQ(Mem_Virtual_Free(&lokal), &lokal);   // not a virtual block
}

TEST(Mem, InaccessibleVirtualBlockIsNotFreed) {
    void* p = Mem_Virtual_Alloc(100, 2, "virt");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Mem_Virtual_Free(p), p);
}

TEST(MemDeathTest, ReadOnlyVirtualBlockFaultsOnWrite) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto* p = static_cast<volatile uint8_t*>(Mem_Virtual_Alloc(4096, 4, "ro"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 0);   // readable
    EXPECT_DEATH({ p[10] = 1; }, "");
    EXPECT_EQ(Mem_Virtual_Free(const_cast<uint8_t*>(p)), nullptr);
}

TEST(Mem, CopyFastCopiesEveryLength) {
    uint8_t quelle[64], ziel[64];
    for (int i = 0; i < 64; ++i) quelle[i] = uint8_t(i * 7 + 1);
    for (size_t n = 0; n <= 40; ++n) {
        std::memset(ziel, 0xEE, sizeof ziel);
        Mem_Copy_Fast(ziel, quelle, n);
        EXPECT_EQ(std::memcmp(ziel, quelle, n), 0) << n;
        EXPECT_EQ(ziel[n], 0xEE) << n;   // nothing written past the end
    }
}
