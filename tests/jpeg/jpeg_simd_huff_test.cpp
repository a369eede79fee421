// The Huffman block decoders of classes 3 to 6: random blocks coded here decode
// to the coefficients and predictors of the plain decoder, from memory and from
// a file; the worked cases of stuffing, markers, runs and truncation hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_simd_huff.h"
#include "tests/jpeg/jpeg_simd_helpers.h"

namespace {

using namespace velmora;
using simdtest::Rng;
using simdtest::rounds;

// Code-length counts of the usual luminance AC table (162 symbols) and a DC table
// with all 17 sizes.
const uint8_t kAcCounts[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
const uint8_t kDcCounts[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};

struct Code {
    uint16_t code[256] = {};
    uint8_t length[256] = {};
};

struct Tables {
    uint8_t dc_values[17], ac_values[162];
    JPEG_HUFF_DECODE_TABLE dc{}, ac{};
    Code dc_code, ac_code;
};

void canonical(const uint8_t* counts, const uint8_t* values, Code& c) {
    uint32_t code = 0, k = 0;
    for (int l = 1; l <= 16; ++l, code <<= 1)
        for (int j = 0; j < counts[l - 1]; ++j, ++k, ++code) {
            c.code[values[k]] = uint16_t(code);
            c.length[values[k]] = uint8_t(l);
        }
}

std::unique_ptr<Tables> make_tables() {
    auto t = std::make_unique<Tables>();
    const uint8_t dc_order[17] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    std::memcpy(t->dc_values, dc_order, 17);
    int k = 0;
    for (uint8_t s : {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07})
        t->ac_values[k++] = s;
    for (int r = 0; r < 16; ++r)
        for (int s = 0; s <= 10; ++s) {
            const uint8_t sym = uint8_t(r << 4 | s);
            if (s == 0 && r != 0 && r != 15) continue;
            bool seen = false;
            for (int i = 0; i < k; ++i) seen |= t->ac_values[i] == sym;
            if (!seen) t->ac_values[k++] = sym;
        }
    EXPECT_EQ(k, 162);
    EXPECT_EQ(jpeg_build_huffman_table(kDcCounts, t->dc_values, 0, 0, &t->dc), 0);
    EXPECT_EQ(jpeg_build_huffman_table(kAcCounts, t->ac_values, 1, 0, &t->ac), 0);
    canonical(kDcCounts, t->dc_values, t->dc_code);
    canonical(kAcCounts, t->ac_values, t->ac_code);
    return t;
}

// A bit writer with byte stuffing.
struct Writer {
    std::vector<uint8_t> out;
    uint64_t acc = 0;
    int n = 0;
    void put(uint32_t v, int len) {
        for (int i = len - 1; i >= 0; --i) {
            acc = acc << 1 | ((v >> i) & 1);
            if (++n == 8) {
                out.push_back(uint8_t(acc));
                if (uint8_t(acc) == 0xFF) out.push_back(0);
                acc = 0, n = 0;
            }
        }
    }
    void finish(uint8_t marker, uint32_t pad_bit = 1) {
        while (n != 0) put(pad_bit, 1);
        out.push_back(0xFF);
        out.push_back(marker);
    }
};

int size_of(int v) {
    int s = 0;
    for (int a = v < 0 ? -v : v; a; a >>= 1) ++s;
    return s;
}

void put_value(Writer& w, int v, int s) { w.put(uint32_t(v < 0 ? v + (1 << s) - 1 : v), s); }

// One block in natural order against the running predictor.
void encode_block(Writer& w, const Tables& t, const int16_t* b, int& pred) {
    const int diff = int16_t(uint16_t(b[0] - pred));
    pred = b[0];
    const int s = size_of(diff);
    w.put(t.dc_code.code[s], t.dc_code.length[s]);
    put_value(w, diff, s);
    int run = 0;
    for (int k = 1; k < 64; ++k) {
        const int v = b[jpeg_natural_order[k]];
        if (v == 0) {
            ++run;
            continue;
        }
        while (run > 15) {
            w.put(t.ac_code.code[0xF0], t.ac_code.length[0xF0]);
            run -= 16;
        }
        const int sz = size_of(v);
        const int sym = run << 4 | sz;
        w.put(t.ac_code.code[sym], t.ac_code.length[sym]);
        put_value(w, v, sz);
        run = 0;
    }
    if (run) w.put(t.ac_code.code[0], t.ac_code.length[0]);
}

void random_block(Rng& rng, int16_t* b) {
    std::memset(b, 0, 64 * sizeof(int16_t));
    b[0] = int16_t(rng.range(-2047, 2047));
    const int density = rng.range(0, 63);
    for (int k = 1; k < 64; ++k) {
        if (rng.range(0, 63) >= density) continue;
        const int mag = 1 << rng.range(0, 9);
        b[jpeg_natural_order[k]] = int16_t(rng.range(-mag, mag) | 1);
    }
    if (rng.next() % 8 == 0) b[63] = int16_t(rng.range(1, 1023));   // runs reaching the last coefficient
}

struct Stream {
    std::unique_ptr<JPEG_STREAM> s = std::make_unique<JPEG_STREAM>();
    explicit Stream(const std::vector<uint8_t>& d, int32_t file = -1) { simdtest::open_stream(s.get(), d, file); }
};

using Decoder = JPEG_RESULT (*)(JPEG_STREAM*, const JPEG_HUFF_DECODE_TABLE*, const JPEG_HUFF_DECODE_TABLE*,
                                int16_t*, int16_t*);

TEST(JpegSimdHuff, RandomBlocksDecodeAsThePlainDecoderDoes) {
    auto t = make_tables();
    Rng rng(31);
    const int total = rounds(1000000 / 2);   // through each of the two block kernels
    const int per_stream = 2000;
    for (int done = 0; done < total; done += per_stream) {
        Writer w;
        std::vector<int16_t> blocks(size_t(per_stream) * 64);
        int pred = 0;
        for (int i = 0; i < per_stream; ++i) {
            random_block(rng, &blocks[size_t(i) * 64]);
            encode_block(w, *t, &blocks[size_t(i) * 64], pred);
        }
        w.finish(0xD9);
        Stream plain(w.out), mmx(w.out), cmov(w.out), dc(w.out);
        int16_t pp = 0, pm = 0, pc = 0, pd = 0;
        for (int i = 0; i < per_stream; ++i) {
            int16_t a[64], b[64], c[64];
            std::memset(b, 0x77, sizeof(b));
            ASSERT_EQ(jpeg_decode_block(plain.s.get(), &t->dc, &t->ac, &pp, a), 0);
            ASSERT_EQ(jpeg_huff_decode_block_mmx(mmx.s.get(), &t->dc, &t->ac, &pm, b), 0);
            ASSERT_EQ(jpeg_huff_decode_block_mmx_cmov(cmov.s.get(), &t->dc, &t->ac, &pc, c), 0);
            ASSERT_EQ(jpeg_huff_decode_dc_entry(dc.s.get(), &t->dc, &t->ac, &pd, nullptr), 0);
            ASSERT_EQ(0, std::memcmp(a, &blocks[size_t(i) * 64], sizeof(a))) << "plain, block " << i;
            ASSERT_EQ(0, std::memcmp(a, b, sizeof(a))) << "byte-wise kernel, block " << i;
            ASSERT_EQ(0, std::memcmp(a, c, sizeof(a))) << "four-byte kernel, block " << i;
            ASSERT_EQ(pp, pm);
            ASSERT_EQ(pp, pc);
            ASSERT_EQ(pp, pd);
        }
        // Every kernel read no further than the end marker and buffers at most 8 bytes.
        for (const Stream* s : {&mmx, &cmov, &dc}) {
            EXPECT_LE(s->s->consumed, uint32_t(w.out.size()));
            EXPECT_GE(s->s->consumed + 10, uint32_t(w.out.size()));
            EXPECT_EQ(s->s->consumed, uint32_t(s->s->current - w.out.data()));
        }
    }
}

TEST(JpegSimdHuff, FileSourceRefillsAcrossBuffers) {
    auto t = make_tables();
    Rng rng(32);
    Writer w;
    std::vector<int16_t> blocks(3000 * 64);
    int pred = 0;
    for (int i = 0; i < 3000; ++i) {
        random_block(rng, &blocks[size_t(i) * 64]);
        encode_block(w, *t, &blocks[size_t(i) * 64], pred);
    }
    w.finish(0xD9);
    ASSERT_GT(w.out.size(), 3u * 4096);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("velmora_simd_huff_" + std::to_string(rng.next()))).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(w.out.data()), std::streamsize(w.out.size()));
    for (Decoder dec : {jpeg_huff_decode_block_mmx, jpeg_huff_decode_block_mmx_cmov}) {
        const int32_t fh = jpeg_file_open(path.c_str(), false);
        ASSERT_GE(fh, 0);
        Stream s(w.out, fh);
        int16_t p = 0;
        for (int i = 0; i < 3000; ++i) {
            int16_t b[64];
            dec(s.s.get(), &t->dc, &t->ac, &p, b);
            ASSERT_EQ(0, std::memcmp(b, &blocks[size_t(i) * 64], sizeof(b))) << i;
        }
        EXPECT_LE(s.s->consumed, uint32_t(w.out.size()));
        EXPECT_GE(s.s->consumed + 10, uint32_t(w.out.size()));
        // With the file used up the block reads zero bits past a stand-in end
        // marker and reports itself starved.
        s.s->marker = 0;
        s.s->bit_count = 0;
        s.s->bits = 0;
        s.s->left = 0;
        s.s->starved = 0;
        int16_t b[64];
        EXPECT_EQ(dec(s.s.get(), &t->dc, &t->ac, &p, b), 0);
        EXPECT_EQ(s.s->starved, 1);
        EXPECT_EQ(s.s->data_end, 1);
        EXPECT_EQ(s.s->marker, 0xD9);
        EXPECT_EQ(jpeg_stream_refill_simd(s.s.get()), JPEG_ERR_EOF);
        jpeg_file_close(fh);
    }
    std::filesystem::remove(path);
    // A stream without a file fails its refill as a failed read.
    std::vector<uint8_t> none;
    Stream m(none);
    EXPECT_EQ(jpeg_stream_refill_simd(m.s.get()), JPEG_ERR_FILE);
    EXPECT_EQ(m.s->left, 0);
}

// Bytes of one block coded by hand: symbols and values written bit by bit.
struct Hand {
    std::unique_ptr<Tables> t = make_tables();
    Writer w;
    void dc(int diff) {
        const int s = size_of(diff);
        w.put(t->dc_code.code[s], t->dc_code.length[s]);
        put_value(w, diff, s);
    }
    void ac(int sym, int v = 0) {
        w.put(t->ac_code.code[sym], t->ac_code.length[sym]);
        if (sym & 15) put_value(w, v, sym & 15);
    }
    struct Result {
        int16_t block[64];
        int16_t pred;
        std::unique_ptr<JPEG_STREAM> s;
    };
    Result decode(const std::vector<uint8_t>& bytes, Decoder dec, int16_t pred = 0) {
        Result r;
        Stream st(bytes);
        r.pred = pred;
        std::memset(r.block, 0x33, sizeof(r.block));
        EXPECT_EQ(dec(st.s.get(), &t->dc, &t->ac, &r.pred, r.block), 0);
        r.s = std::move(st.s);
        return r;
    }
};

TEST(JpegSimdHuff, WorkedCasesOfRunsAndSymbols) {
    for (Decoder dec : {jpeg_huff_decode_block_mmx, jpeg_huff_decode_block_mmx_cmov}) {
        {   // end of block first: coefficient 0 only
            Hand h;
            h.dc(5);
            h.ac(0x00);
            h.w.finish(0xD9);
            auto r = h.decode(h.w.out, dec, 10);
            EXPECT_EQ(r.pred, 15);
            EXPECT_EQ(r.block[0], 15);
            for (int i = 1; i < 64; ++i) EXPECT_EQ(r.block[i], 0);
        }
        {   // three ZRLs reach k = 49; a fourth makes k 65 and ends the block
            Hand h;
            h.dc(0);
            for (int i = 0; i < 3; ++i) h.ac(0xF0);
            h.ac(0xF0);
            h.ac(0x01, 1);   // never read
            h.w.finish(0xD9);
            auto r = h.decode(h.w.out, dec);
            for (int i = 1; i < 64; ++i) EXPECT_EQ(r.block[i], 0);
            // The unread symbol (code 00, value bit 1) is next in the left-aligned buffer.
            Stream st(h.w.out);
            int16_t p = 0, b[64];
            dec(st.s.get(), &h.t->dc, &h.t->ac, &p, b);
            ASSERT_GE(st.s->bit_count, 3);
            EXPECT_EQ(st.s->bits >> 61, 1u);
        }
        {   // a run past 63 lands on 63
            Hand h;
            h.dc(0);
            h.ac(0x02, 3);           // k = 1
            for (int i = 0; i < 3; ++i) h.ac(0xF0);   // k = 50
            h.ac(0xF1, -1);          // k = 65 -> coefficient 63
            h.w.finish(0xD9);
            auto r = h.decode(h.w.out, dec);
            EXPECT_EQ(r.block[1], 3);
            EXPECT_EQ(r.block[63], -1);
        }
        {   // an AC symbol 0x30 ends the block like end of block
            Hand h;
            // Symbol 0x30 is not in the table: build one that has it.
            uint8_t vals[162];
            std::memcpy(vals, h.t->ac_values, 162);
            for (auto& v : vals)
                if (v == 0xA0 + 1) v = 0x30;   // swap a rare symbol for 0x30
            JPEG_HUFF_DECODE_TABLE ac{};
            ASSERT_EQ(jpeg_build_huffman_table(kAcCounts, vals, 1, 0, &ac), 0);
            Code code;
            canonical(kAcCounts, vals, code);
            Writer w;
            w.put(h.t->dc_code.code[1], h.t->dc_code.length[1]);
            w.put(1, 1);
            w.put(code.code[0x02], code.length[0x02]);
            w.put(1, 2);   // -2
            w.put(code.code[0x30], code.length[0x30]);
            w.put(code.code[0x01], code.length[0x01]);
            w.put(1, 1);
            w.finish(0xD9);
            Stream st(w.out);
            int16_t p = 0, b[64];
            dec(st.s.get(), &h.t->dc, &ac, &p, b);
            EXPECT_EQ(b[0], 1);
            EXPECT_EQ(b[1], -2);
            for (int i = 2; i < 64; ++i) EXPECT_EQ(b[i], 0) << i;
        }
        {   // the predictor wraps: 32767 + 1 = -32768
            Hand h;
            h.dc(1);
            h.ac(0x00);
            h.w.finish(0xD9);
            auto r = h.decode(h.w.out, dec, 32767);
            EXPECT_EQ(r.pred, -32768);
            EXPECT_EQ(r.block[0], -32768);
        }
    }
}

TEST(JpegSimdHuff, StuffingMarkersAndTruncation) {
    auto t = make_tables();
    for (Decoder dec : {jpeg_huff_decode_block_mmx, jpeg_huff_decode_block_mmx_cmov}) {
        {   // 0xFF 0xFF 0xFF 0x00 is one data byte 0xFF; all four bytes counted
            std::vector<uint8_t> d = {0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xD9};
            Stream s(d);
            int16_t p = 0, b[64];
            dec(s.s.get(), &t->dc, &t->ac, &p, b);
            EXPECT_EQ(s.s->consumed, 6u);   // the data byte and the end marker
            EXPECT_EQ(s.s->marker, 0xD9);
        }
        {   // a marker inside a block: pending, the rest decodes from zero bits
            Hand h;
            h.dc(3);
            h.ac(0x01, 1);
            h.w.finish(0xD3, 0);   // no end of block before the marker, zero padding
            Stream st(h.w.out);
            int16_t p = 0, b[64];
            dec(st.s.get(), &h.t->dc, &h.t->ac, &p, b);
            EXPECT_EQ(st.s->marker, 0xD3);
            EXPECT_EQ(b[0], 3);
            EXPECT_EQ(b[1], 1);
            // Zero bits are the all-zero code: here AC symbol 0x01 with value bits 0 (-1).
            EXPECT_EQ(b[jpeg_natural_order[2]], -1);
            EXPECT_EQ(b[63], -1);
            EXPECT_LT(st.s->bit_count, 0);
            // Later blocks decode from zero bits too: DC size 0 (code 00), then the same AC.
            int16_t b2[64];
            dec(st.s.get(), &h.t->dc, &h.t->ac, &p, b2);
            EXPECT_EQ(b2[0], 3);
            EXPECT_EQ(b2[1], -1);
        }
        {   // a memory block that ends mid-block: what came decodes, then zero
            // bits past a stand-in end marker, and the block reports itself starved
            Hand h;
            h.dc(7);
            for (int i = 0; i < 40; ++i) h.ac(0x01, (i & 1) ? 1 : -1);
            h.ac(0x00);
            h.w.finish(0xD9);
            std::vector<uint8_t> cut(h.w.out.begin(), h.w.out.begin() + 5);
            Stream st(cut);
            int16_t p = 0, b[64];
            EXPECT_EQ(dec(st.s.get(), &h.t->dc, &h.t->ac, &p, b), 0);
            EXPECT_EQ(b[0], 7);
            EXPECT_EQ(st.s->starved, 1);
            EXPECT_EQ(st.s->data_end, 1);
            EXPECT_EQ(st.s->marker, 0xD9);
            EXPECT_EQ(st.s->left, 0);
            EXPECT_EQ(st.s->consumed, 5u);
        }
    }
    {   // a four-byte group holding 0xFF goes through the byte step; one without is taken whole
        std::vector<uint8_t> d = {0x12, 0x34, 0xFF, 0x00, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x11, 0x22, 0xFF, 0xD9};
        Stream s(d);
        int16_t p = 0;
        jpeg_huff_decode_dc_mmx(s.s.get(), &t->dc, &t->ac, &p);
        // The byte step ran first and filled beyond 56 bits: 8 bytes for 7 data bytes.
        EXPECT_GE(s.s->consumed, 8u);
        std::vector<uint8_t> clean = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0xFF, 0xD9};
        Stream c(clean);
        p = 0;
        int16_t b[64];
        jpeg_huff_decode_block_mmx_cmov(c.s.get(), &t->dc, &t->ac, &p, b);
        Stream c2(clean);
        int16_t p2 = 0, b2[64];
        jpeg_huff_decode_block_mmx(c2.s.get(), &t->dc, &t->ac, &p2, b2);
        EXPECT_EQ(0, std::memcmp(b, b2, sizeof(b)));
        EXPECT_EQ(p, p2);
    }
}

}  // namespace
