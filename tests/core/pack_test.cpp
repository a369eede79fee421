#include "core/pack.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/le.h"
#include "core/mem.h"
#include "core/rnd.h"

using namespace velmora;

namespace {

struct Block {
    std::string name;
    std::vector<uint8_t> daten;
};

std::vector<Block> testbloecke() {
    std::vector<Block> b;
    b.push_back({"leer", {}});
    b.push_back({"abc", {'a', 'b', 'c'}});
    std::vector<uint8_t> zufall(4096);
    uint32_t x = 0x12345678;
    for (uint8_t& c : zufall) {
        x = x * 1664525u + 1013904223u;
        c = uint8_t(x >> 24);
    }
    b.push_back({"zufall", zufall});
    std::vector<uint8_t> gross(1 << 20);
    for (size_t i = 0; i < gross.size(); ++i) gross[i] = uint8_t((i * 31) ^ (i >> 9));
    b.push_back({"1MB", gross});
    return b;
}

// A heap block of exactly `n` bytes, so the sanitizers catch any write past it.
std::unique_ptr<uint8_t[]> genau(size_t n) { return std::unique_ptr<uint8_t[]>(new uint8_t[n ? n : 1]); }

}  // namespace

TEST(ZlibPack, BoundCoversShortAndIncompressibleBlocks) {
    EXPECT_EQ(Zlib_Pack_Bound(3), 24u);
    for (const Block& b : testbloecke()) {
        size_t grenze = Zlib_Pack_Bound(b.daten.size());
        auto ziel = genau(grenze);
        uint32_t n = Zlib_Pack(b.daten.data(), ziel.get(), uint32_t(b.daten.size()), grenze);
        ASSERT_GT(n, 0u) << b.name;
        EXPECT_LE(n, grenze) << b.name;
        EXPECT_EQ(Bytes_Get32(ziel.get()), b.daten.size()) << b.name;
        EXPECT_EQ(Bytes_Get32(ziel.get() + 4), n - PACK_KOPF) << b.name;

        auto zurueck = genau(b.daten.size());
        ASSERT_EQ(Zlib_Unpack(ziel.get(), n, zurueck.get(), b.daten.size()), int32_t(b.daten.size())) << b.name;
        EXPECT_TRUE(b.daten.empty() || std::memcmp(zurueck.get(), b.daten.data(), b.daten.size()) == 0) << b.name;
    }
}

// The packer keeps its stream between blocks; every block, after a larger or
// a failed one too, must be the bytes zlib's one-shot compress2 gives.
TEST(ZlibPack, EveryBlockIsCompress2sBytes) {
    std::vector<Block> reihe = testbloecke();
    const std::vector<Block> noch = testbloecke();
    reihe.insert(reihe.end(), noch.rbegin(), noch.rend());   // small after large
    for (const Block& b : reihe) {
        uLongf soll_n = compressBound(uLong(b.daten.size()));
        std::vector<uint8_t> soll(soll_n);
        static const uint8_t leer = 0;
        ASSERT_EQ(compress2(soll.data(), &soll_n, b.daten.empty() ? &leer : b.daten.data(), uLong(b.daten.size()),
                            Z_DEFAULT_COMPRESSION),
                  Z_OK);
        const size_t grenze = Zlib_Pack_Bound(b.daten.size());
        std::vector<uint8_t> ist(grenze);
        const uint32_t n = Zlib_Pack(b.daten.data(), ist.data(), uint32_t(b.daten.size()), grenze);
        ASSERT_EQ(n, soll_n + PACK_KOPF) << b.name;
        EXPECT_TRUE(std::equal(soll.begin(), soll.begin() + long(soll_n), ist.begin() + PACK_KOPF)) << b.name;
        // A destination one byte short fails and leaves the stream fit for the next block.
        std::vector<uint8_t> knapp(n - 1);
        EXPECT_EQ(Zlib_Pack(b.daten.data(), knapp.data(), uint32_t(b.daten.size()), knapp.size()), 0u) << b.name;
    }
}

TEST(ZlibPack, TooSmallDestinationIsReportedNotReturned) {
    std::vector<uint8_t> zufall = testbloecke()[2].daten;
    for (size_t kapazitaet : {size_t(0), size_t(7), size_t(8), zufall.size(), zufall.size() + 8}) {
        auto ziel = genau(kapazitaet);
        EXPECT_EQ(Zlib_Pack(zufall.data(), ziel.get(), uint32_t(zufall.size()), kapazitaet), 0u) << kapazitaet;
    }
    uint8_t z[64];
    EXPECT_EQ(Zlib_Pack(nullptr, z, 5, sizeof z), 0u);
    EXPECT_EQ(Zlib_Pack("abc", nullptr, 3, 64), 0u);
}

TEST(ZlibUnpack, NeverWritesPastItsDestination) {
    std::vector<uint8_t> daten(1000, 'q');
    std::vector<uint8_t> block(Zlib_Pack_Bound(daten.size()));
    uint32_t n = Zlib_Pack(daten.data(), block.data(), uint32_t(daten.size()), block.size());
    ASSERT_GT(n, 0u);
    auto klein = genau(999);
    EXPECT_EQ(Zlib_Unpack(block.data(), n, klein.get(), 999), -1);   // one byte short
    auto ziel = genau(1000);
    EXPECT_EQ(Zlib_Unpack(block.data(), n - 1, ziel.get(), 1000), -1);   // block cut short
    EXPECT_EQ(Zlib_Unpack(block.data(), 7, ziel.get(), 1000), -1);
    EXPECT_EQ(Zlib_Unpack(nullptr, n, ziel.get(), 1000), -1);

    std::vector<uint8_t> gelogen = block;
    Bytes_Put32(gelogen.data(), 500);   // the stream holds more than the header says
    EXPECT_EQ(Zlib_Unpack(gelogen.data(), n, ziel.get(), 1000), -1);
    gelogen = block;
    gelogen[PACK_KOPF + 5] ^= 0x55;   // damaged stream
    EXPECT_EQ(Zlib_Unpack(gelogen.data(), n, ziel.get(), 1000), -1);
}

TEST(PufferPacken, RoundTripsThroughExactBlocks) {
    for (const Block& b : testbloecke()) {
        uint32_t gepackt = 0;
        void* p = Puffer_Packen(b.daten.empty() ? "" : static_cast<const void*>(b.daten.data()),
                                uint32_t(b.daten.size()), &gepackt);
        ASSERT_NE(p, nullptr) << b.name;
        EXPECT_EQ(Bytes_Get32(static_cast<uint8_t*>(p)), b.daten.size());
        // A copy of exactly the packed length, so a read past it is caught.
        auto exakt = genau(gepackt);
        std::memcpy(exakt.get(), p, gepackt);
        Mem_Free(p);
        uint32_t laenge = 99;
        void* u = Puffer_Entpacken(exakt.get(), gepackt, &laenge);
        ASSERT_NE(u, nullptr) << b.name;
        ASSERT_EQ(laenge, b.daten.size());
        EXPECT_TRUE(laenge == 0 || std::memcmp(u, b.daten.data(), laenge) == 0) << b.name;
        Mem_Free(u);
    }
}

TEST(PufferPacken, AbcStartsWithItsLength) {
    uint32_t gepackt = 0;
    uint8_t* p = static_cast<uint8_t*>(Puffer_Packen("abc", 3, &gepackt));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::memcmp(p, "\3\0\0\0", 4), 0);
    uint32_t laenge = 0;
    void* u = Puffer_Entpacken(p, gepackt, &laenge);
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(laenge, 3u);
    EXPECT_EQ(std::memcmp(u, "abc", 3), 0);
    Mem_Free(u);
    Mem_Free(p);
}

TEST(PufferPacken, MissingOrDamagedInputGivesNull) {
    uint32_t n = 5;
    EXPECT_EQ(Puffer_Packen(nullptr, 3, &n), nullptr);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(Puffer_Packen("abc", 3, nullptr), nullptr);

    uint32_t gepackt = 0;
    uint8_t* p = static_cast<uint8_t*>(Puffer_Packen("hallo welt", 10, &gepackt));
    ASSERT_NE(p, nullptr);
    std::vector<uint8_t> gut(p, p + gepackt);
    Mem_Free(p);
    struct Fall {
        const char* name;
        size_t feld;
        uint32_t wert;
        uint32_t laenge;
    } faelle[] = {
        {"outer length disagrees", 0, 11, gepackt},
        {"huge length", 0, 0xFFFFFFF0u, gepackt},
        {"inner length huge", 4, 0xFFFFFFF0u, gepackt},
        {"truncated", 0, 10, gepackt - 1},
        {"header only", 0, 10, 11},
    };
    for (const Fall& f : faelle) {
        std::vector<uint8_t> b = gut;
        Bytes_Put32(b.data() + f.feld, f.wert);
        uint32_t laenge = 77;
        EXPECT_EQ(Puffer_Entpacken(b.data(), f.laenge, &laenge), nullptr) << f.name;
        EXPECT_EQ(laenge, 0u) << f.name;
    }
    uint32_t laenge = 0;
    EXPECT_EQ(Puffer_Entpacken(nullptr, 20, &laenge), nullptr);
}

namespace {
uint32_t gesehen[3];
bool rueckwaerts_zeuge(uint32_t tail, uint32_t unpacked, uint32_t packed, const uint8_t* input, uint8_t* output) {
    gesehen[0] = tail;
    gesehen[1] = unpacked;
    gesehen[2] = packed;
    // Enough of the unpacker for a block of plain tail bytes; anything else is damage to it.
    for (uint32_t i = 0; i < tail; ++i) output[unpacked - 1 - i] = input[packed - 1 - i];
    return tail == packed;
}
std::vector<uint8_t> rueckwaerts_block(uint32_t tail, uint32_t unpacked, const std::string& daten) {
    std::vector<uint8_t> b;
    Le_Put_U32(b, tail);
    Le_Put_U32(b, unpacked);
    Le_Put_U32(b, uint32_t(daten.size()));
    Le_Put_Bytes(b, daten.data(), daten.size());
    return b;
}
}  // namespace

TEST(PackEntpacken, Method31IsHandedToTheRegisteredUnpacker) {
    std::vector<uint8_t> b = rueckwaerts_block(4, 4, "wxyz");
    uint8_t ziel[4] = {};
    EXPECT_EQ(Pack_Entpacken(PACK_METHODE_RUECKWAERTS, b.data(), b.size(), ziel, 4), -1);   // none registered
    Pack_Hooks().bytes_unpack_backward = rueckwaerts_zeuge;
    ASSERT_EQ(Pack_Entpacken(PACK_METHODE_RUECKWAERTS, b.data(), b.size(), ziel, 4), 4);
    EXPECT_EQ(gesehen[0], 4u);
    EXPECT_EQ(gesehen[1], 4u);
    EXPECT_EQ(gesehen[2], 4u);
    EXPECT_EQ(std::memcmp(ziel, "wxyz", 4), 0);

    struct Fall {
        const char* name;
        std::vector<uint8_t> block;
        size_t laenge, kapazitaet;
    } faelle[] = {
        {"packed size past the block", rueckwaerts_block(0, 4, "wxyz"), b.size() - 1, 4},
        {"unpacked larger than destination", rueckwaerts_block(0, 5, "wxyz"), b.size(), 4},
        {"tail beyond output", rueckwaerts_block(5, 4, "wxyz"), b.size(), 8},
        {"short header", rueckwaerts_block(0, 0, ""), 11, 4},
        {"damage the unpacker found", rueckwaerts_block(2, 4, "wxyz"), b.size(), 4},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Pack_Entpacken(PACK_METHODE_RUECKWAERTS, f.block.data(), f.laenge, ziel, f.kapazitaet), -1)
            << f.name;
    EXPECT_EQ(Pack_Entpacken(64000, b.data(), b.size(), ziel, 4), -1);
    Pack_Hooks() = PackHooks{};
}

TEST(PackEntpacken, Method26IsZlib) {
    const char text[] = "ein Block fuer Methode 26";
    std::vector<uint8_t> block(Zlib_Pack_Bound(sizeof text));
    uint32_t n = Zlib_Pack(text, block.data(), sizeof text, block.size());
    char ziel[sizeof text];
    ASSERT_EQ(Pack_Entpacken(PACK_METHODE_ZLIB, block.data(), n, ziel, sizeof ziel), int32_t(sizeof text));
    EXPECT_STREQ(ziel, text);
}

TEST(PackLzwExit, ReleasesTheScratchBlock) {
    uint32_t gepackt = 0;
    std::vector<uint8_t> daten(50000, 3);
    void* p = Puffer_Packen(daten.data(), uint32_t(daten.size()), &gepackt);
    ASSERT_NE(p, nullptr);
    Mem_Free(p);
    size_t vorher = Mem_Anzahl_Bloecke();
    Pack_Lzw_Exit();
    EXPECT_EQ(Mem_Anzahl_Bloecke(), vorher - 1);
    Pack_Lzw_Exit();   // twice is harmless
    EXPECT_EQ(Mem_Anzahl_Bloecke(), vorher - 1);
    p = Puffer_Packen(daten.data(), uint32_t(daten.size()), &gepackt);   // packs afresh afterwards
    EXPECT_NE(p, nullptr);
    Mem_Free(p);
    Pack_Lzw_Exit();
}
