// The backward byte unpacker: codes, overlaps, the first input byte, damaged blocks.
#include "gfx/unpack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/le.h"
#include "core/pack.h"
#include "gfx/grafik_laden.h"

namespace velmora {
namespace {

// Packed data is written here in decoding order (first code first) and
// reversed, since the unpacker reads from the end.
std::vector<uint8_t> Rueckwaerts(std::vector<uint8_t> v) { return std::vector<uint8_t>(v.rbegin(), v.rend()); }

std::string Entpacken(uint32_t tail, uint32_t groesse, const std::vector<uint8_t>& in, int32_t* ok = nullptr) {
    std::string out(groesse, '.');
    int32_t r = Bytes_Unpack_Backward(tail, groesse, uint32_t(in.size()), in.data(),
                                      reinterpret_cast<uint8_t*>(out.data()));
    if (ok) *ok = r;
    return out;
}

TEST(BytesUnpackBackward, TailOnly) {
    std::vector<uint8_t> in = {'a', 'b', 'c'};
    int32_t ok;
    EXPECT_EQ(Entpacken(3, 3, in, &ok), "abc");
    EXPECT_EQ(ok, 1);
}

TEST(BytesUnpackBackward, LiteralRuns) {
    // 0x80 copies one byte; in decoding order the bytes land from the end backwards.
    std::vector<uint8_t> in = Rueckwaerts({0x80, 'z', 0x81, 'y', 'x'});
    EXPECT_EQ(Entpacken(0, 3, in), "xyz");
    std::vector<uint8_t> lang = {0xFE};
    for (int i = 0; i < 127; ++i) lang.push_back(uint8_t('A' + i % 26));
    std::string out = Entpacken(0, 127, Rueckwaerts(lang));
    EXPECT_EQ(out[126], 'A');
    EXPECT_EQ(out[0], char('A' + 126 % 26));
}

// The input as the packer lays it out: the codes in decoding order, reversed,
// then the tail bytes (copied unchanged to the end of the output).
std::vector<uint8_t> Eingabe(std::vector<uint8_t> codes, const std::string& tail) {
    std::vector<uint8_t> v = Rueckwaerts(std::move(codes));
    v.insert(v.end(), tail.begin(), tail.end());
    return v;
}

TEST(BytesUnpackBackward, ShortMatchCopiesFromAbove) {
    // c = 0x00, b = 0: 2 bytes from 2 above. The control byte read after the
    // match is the first input byte: read, not decoded (0x85 would be damage).
    int32_t ok;
    EXPECT_EQ(Entpacken(2, 4, Eingabe({0x00, 0x00, 0x85}, "ab"), &ok), "abab");
    EXPECT_EQ(ok, 1);
    // Offset 1 (c >> 5 = 1): the copied bytes lie 3 above.
    EXPECT_EQ(Entpacken(3, 5, Eingabe({0x20, 0x00}, "xyz"), &ok), "yzxyz");
    EXPECT_EQ(ok, 1);
    // Offset 4 x b: b = 1, length 3 (c & 0x1F = 1): 7 above.
    EXPECT_EQ(Entpacken(7, 10, Eingabe({0x01, 0x01}, "abcdefg"), &ok), "efgabcdefg");
    EXPECT_EQ(ok, 1);
}

TEST(BytesUnpackBackward, LongMatchThenLiteral) {
    // c1 = 0, b = 0, l1 = 6, l2 = 0: length 8 from 8 above; then a literal 'q'
    // whose control byte was read before the copy.
    int32_t ok;
    EXPECT_EQ(Entpacken(8, 17, Eingabe({0xFF, 0x00, 0x00, 6, 0, 0x80, 'q'}, "abcdefgh"), &ok), "qabcdefghabcdefgh");
    EXPECT_EQ(ok, 1);
    // l2 counts 256: a run of 2 + 256 bytes of one repeated pair.
    std::string out = Entpacken(2, 260, Eingabe({0xFF, 0x00, 0x00, 0, 1}, "xy"), &ok);
    EXPECT_EQ(ok, 0);   // 258 bytes from 258 above: above the output, refused
    std::string tail(258, 'r');
    out = Entpacken(258, 516, Eingabe({0xFF, 0x00, 0x00, 0, 1}, tail), &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(out, std::string(516, 'r'));
}

TEST(BytesUnpackBackward, FirstByteDecodedOnlyAfterALiteral) {
    // After a literal the first input byte is decoded as a control byte: here a
    // literal that reaches before the input start, so the data is refused.
    int32_t ok;
    Entpacken(0, 2, Eingabe({0x80, 'k', 0x80}, ""), &ok);
    EXPECT_EQ(ok, 0);
    // After a match it is read and the loop stops.
    EXPECT_EQ(Entpacken(0, 4, Eingabe({0x81, 'a', 'b', 0x00, 0x00, 0x85}, ""), &ok), "baba");
    EXPECT_EQ(ok, 1);
}

TEST(BytesUnpackBackward, DamageIsRefused) {
    struct Fall {
        const char* was;
        uint32_t tail, groesse;
        std::vector<uint8_t> in;
    } faelle[] = {
        {"tail longer than input", 4, 8, {1, 2, 3}},
        {"tail longer than output", 3, 2, {1, 2, 3}},
        {"literal past output start", 0, 1, Rueckwaerts({0x81, 'a', 'b'})},
        {"match above the output", 0, 4, Rueckwaerts({0x80, 'a', 0x1F, 0x10})},
        {"match past output start", 1, 3, {0x00, 0x00, 0x0A, 'x'}},
        {"long match cut off", 0, 8, Rueckwaerts({0x80, 'a', 0xFF, 0x00})},
    };
    for (const Fall& f : faelle) {
        std::string out(f.groesse, '.');
        EXPECT_EQ(Bytes_Unpack_Backward(f.tail, f.groesse, uint32_t(f.in.size()), f.in.data(),
                                        reinterpret_cast<uint8_t*>(out.data())),
                  0)
            << f.was;
    }
    EXPECT_EQ(Bytes_Unpack_Backward(0, 1, 1, nullptr, nullptr), 0);
}

TEST(BytesUnpackBlock, HeaderSizesChecked) {
    std::vector<uint8_t> block(12 + 3);
    Bytes_Put32(block.data(), 3);
    Bytes_Put32(block.data() + 4, 3);
    Bytes_Put32(block.data() + 8, 3);
    block[12] = 'a', block[13] = 'b', block[14] = 'c';
    uint8_t out[4] = {};
    EXPECT_EQ(Bytes_Unpack_Block(block.data(), block.size(), out, 3), 1);
    EXPECT_EQ(out[2], 'c');
    EXPECT_EQ(Bytes_Unpack_Block(block.data(), block.size(), out, 2), 0);       // output too small
    EXPECT_EQ(Bytes_Unpack_Block(block.data(), block.size() - 1, out, 4), 0);   // packed size past the block
    EXPECT_EQ(Bytes_Unpack_Block(block.data(), 11, out, 4), 0);
}

TEST(BytesUnpackBlock, ThePackersMethod31ReportsTheDamageTheUnpackerFound) {
    const PackHooks vorher = Pack_Hooks();
    Pack_Hooks().bytes_unpack_backward = Grafik_Rueckwaerts_Entpacken;
    struct Fall {
        const char* was;
        uint32_t tail;
        std::vector<uint8_t> in;
        int32_t erwartet;
    } faelle[] = {
        {"a match within the output", 3, Eingabe({0x20, 0x00}, "xyz"), 5},
        {"a match pointing past the output", 0, Eingabe({0x80, 'a', 0x1F, 0x10}, ""), -1},
        {"a literal past the output start", 0, Eingabe({0x85, 'a', 'b', 'c', 'd', 'e', 'f'}, ""), -1},
    };
    for (const Fall& f : faelle) {
        std::vector<uint8_t> block;
        Le_Put_U32(block, f.tail);
        Le_Put_U32(block, 5);
        Le_Put_U32(block, uint32_t(f.in.size()));
        Le_Put_Bytes(block, f.in.data(), f.in.size());
        uint8_t out[5] = {};
        EXPECT_EQ(Pack_Entpacken(PACK_METHODE_RUECKWAERTS, block.data(), block.size(), out, sizeof out), f.erwartet)
            << f.was;
    }
    Pack_Hooks() = vorher;
}

}  // namespace
}  // namespace velmora
