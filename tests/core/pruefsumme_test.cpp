// The folded CRC-32 gives zlib's sums for every length, start value and alignment.
#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "core/pruefsumme.h"

namespace velmora::test {
namespace {

uint32_t Zlib(uint32_t crc, const uint8_t* p, size_t n) { return uint32_t(crc32(crc, p, uInt(n))); }

// Every way the processor has (zlib's, 16-byte lanes, four lanes a 64-byte
// vector), at the lengths around each way's steps (16, 64 and 256 bytes).
TEST(Pruefsumme, EqualsZlibForEveryWayLengthStartAndAlignment) {
    std::mt19937 zufall(7);
    std::vector<uint8_t> puffer(70000 + 64);
    for (uint8_t& b : puffer) b = uint8_t(zufall());
    struct Fall {
        size_t laenge;
        uint32_t start;
    };
    std::vector<Fall> faelle;
    for (size_t n : {size_t(0), size_t(1), size_t(15), size_t(63), size_t(64), size_t(255), size_t(256),
                     size_t(257), size_t(271), size_t(272), size_t(319), size_t(320), size_t(383), size_t(384),
                     size_t(511), size_t(512), size_t(527), size_t(575), size_t(576), size_t(1000), size_t(4096),
                     size_t(65537), size_t(70000)})
        for (uint32_t start : {0u, 1u, 0xFFFFFFFFu, 0x12345678u}) faelle.push_back({n, start});
    EXPECT_TRUE(Pruefsumme_Weg_Da(PruefsummeWeg::ZLIB));
    for (PruefsummeWeg weg : {PruefsummeWeg::ZLIB, PruefsummeWeg::FALTEN, PruefsummeWeg::BREIT}) {
        if (!Pruefsumme_Weg_Da(weg)) continue;
        for (const Fall& f : faelle)
            for (size_t versatz : {size_t(0), size_t(1), size_t(7), size_t(33)}) {
                const uint8_t* p = puffer.data() + versatz;
                EXPECT_EQ(Pruefsumme_Crc32_Weg(weg, f.start, p, f.laenge), Zlib(f.start, p, f.laenge))
                    << "way " << int(weg) << " length " << f.laenge << " start " << f.start << " offset " << versatz;
            }
    }
    for (const Fall& f : faelle)
        EXPECT_EQ(Pruefsumme_Crc32(f.start, puffer.data(), f.laenge), Zlib(f.start, puffer.data(), f.laenge));
}

// Runs of one byte (the packed saves are full of them) and a sum continued
// piece by piece give what one pass gives.
TEST(Pruefsumme, RunsAndPiecesGiveTheSumOfOnePass) {
    for (uint8_t b : {uint8_t(0), uint8_t(0xFF), uint8_t(0x5A)}) {
        std::vector<uint8_t> lauf(5000, b);
        EXPECT_EQ(Pruefsumme_Crc32(0, lauf.data(), lauf.size()), Zlib(0, lauf.data(), lauf.size())) << int(b);
    }
    std::vector<uint8_t> daten(3000);
    for (size_t i = 0; i < daten.size(); ++i) daten[i] = uint8_t(i * 31 + 7);
    uint32_t stueckweise = 0;
    for (size_t von = 0; von < daten.size(); von += 700)
        stueckweise = Pruefsumme_Crc32(stueckweise, daten.data() + von, std::min<size_t>(700, daten.size() - von));
    EXPECT_EQ(stueckweise, Zlib(0, daten.data(), daten.size()));
}

}  // namespace
}  // namespace velmora::test
