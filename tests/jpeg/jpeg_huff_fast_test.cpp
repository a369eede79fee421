// The combined Huffman lookups: on random tables every entry says what the
// plain symbol decoder makes of the same bits, and the block decoders of classes
// 4 to 6 give with the lookups armed the blocks and predictors they give without
// them, on random bit streams with stuffing and markers, from memory and files,
// block by block or a unit of blocks in one call.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_huff_fast.h"
#include "jpeg/jpeg_simd_huff.h"
#include "tests/jpeg/jpeg_simd_helpers.h"

namespace {

using namespace velmora;
using simdtest::Rng;
using simdtest::rounds;

constexpr int32_t kBits = JPEG_HUFF_FAST_BITS;

// A random table the builder accepts: code-length counts that fit their lengths
// without the reserved all-ones code,
// short codes made likely, symbols drawn from `limit` values (DC tables sometimes
// hold a size above 16, as a damaged stream may).
std::unique_ptr<JPEG_HUFF_DECODE_TABLE> random_table(Rng& rng, bool dc) {
    uint8_t counts[16] = {}, values[256] = {};
    uint32_t code = 0, total = 0;
    const uint32_t want = dc ? uint32_t(rng.range(1, 18)) : uint32_t(rng.range(1, 256));
    for (uint32_t l = 1; l <= 16 && total < want; ++l) {
        const uint32_t room = (1u << l) - code - 1;
        uint32_t n = rng.next() % (room + 1);
        if (l == 16 || rng.next() % 3 == 0) n = room;
        if (n > want - total) n = want - total;
        if (l < 16 && n == room && rng.next() % 2) n = room ? room - 1 : 0;   // leave room for longer codes
        counts[l - 1] = uint8_t(n);
        total += n;
        code = (code + n) << 1;
    }
    for (uint32_t i = 0; i < total; ++i) values[i] = uint8_t(dc ? rng.range(0, rng.next() % 8 ? 16 : 20) : rng.next());
    auto t = std::make_unique<JPEG_HUFF_DECODE_TABLE>();
    EXPECT_EQ(jpeg_build_huffman_table(counts, values, dc ? 0 : 1, 0, t.get()), 0);
    return t;
}

// Plain-decoder view of the pattern p followed by ones: symbol, bits taken.
void plain_symbol(const JPEG_HUFF_DECODE_TABLE* t, uint32_t p, uint32_t& sym, int32_t& used) {
    uint8_t bytes[8];
    const uint64_t bits = (uint64_t(p) << (64 - kBits)) | ((1ull << (64 - kBits)) - 1);
    for (int i = 0; i < 8; ++i) bytes[i] = uint8_t(bits >> (56 - 8 * i));
    // Stuffing is not wanted here: 0xFF bytes would be read as markers. Ones after
    // the pattern keep the byte values below 0xFF only by chance, so they are cleared.
    for (auto& b : bytes)
        if (b == 0xFF) b = 0xFE;
    auto s = std::make_unique<JPEG_STREAM>();
    std::memset(s.get(), 0, sizeof(JPEG_STREAM));
    s->file = -1;
    s->start = s->current = bytes;
    s->left = 8;
    s->size = 8;
    s->end = bytes + 8;
    sym = 0;
    ASSERT_EQ(jpeg_huff_decode(s.get(), &sym, t), 0);
    used = int32_t(s->consumed) * 8 - s->bit_count;
}

TEST(JpegHuffFast, EntriesSayWhatThePlainDecoderReads) {
    Rng rng(71);
    for (int round = 0; round < rounds(300); ++round) {
        const bool dc = round % 2 == 0;
        auto t = random_table(rng, dc);
        std::vector<uint32_t> entry(1u << kBits);
        ASSERT_TRUE(jpeg_huff_fast_build(t.get(), dc, entry.data()));
        for (uint32_t p = 0; p < (1u << kBits); ++p) {
            // The plain reader sees the pattern with the padding bytes changed
            // only where a byte reached 0xFF; patterns whose own bits changed are
            // left out.
            uint32_t sym = 0;
            int32_t used = 0;
            plain_symbol(t.get(), p, sym, used);
            const uint64_t bits = (uint64_t(p) << (64 - kBits)) | ((1ull << (64 - kBits)) - 1);
            bool changed = false;
            for (int i = 0; i < 8; ++i) changed |= uint8_t(bits >> (56 - 8 * i)) == 0xFF && 8 * i < kBits;
            if (changed) continue;
            const uint32_t e = entry[p];
            const int32_t len = int32_t(e & 31);
            const bool takes = used <= kBits;
            ASSERT_EQ(len != 0, takes) << "pattern " << p << " used " << used;
            if (!takes) continue;
            const uint32_t size = dc ? sym : sym & 15;
            if (e & JPEG_HUFF_FAST_VALUE) {
                ASSERT_EQ(len, used + int32_t(size)) << p;
                ASSERT_LE(len, kBits);
                int32_t v = 0;
                if (size) {
                    v = int32_t((p >> (kBits - used - int32_t(size))) & ((1u << size) - 1));
                    if (v < (1 << (size - 1))) v += 1 - (1 << size);
                }
                ASSERT_EQ(int16_t(e >> 16), v) << p;
                ASSERT_EQ((e >> 12) & 15, size) << p;
                ASSERT_EQ((e >> 8) & 15, dc ? 0 : sym >> 4) << p;
            } else {
                ASSERT_EQ(len, used) << p;
                ASSERT_EQ((e >> 8) & 0xFF, sym) << p;
                ASSERT_TRUE((!dc && size == 0) || used + int32_t(size) > kBits || size > 15) << p;
            }
            int32_t code_bits = 0;
            ASSERT_EQ(jpeg_huff_fast_symbol(e, dc, code_bits), sym) << p;
            ASSERT_EQ(code_bits, used) << p;
        }
    }
}

// Random entropy-coded bytes: data bytes with 0xFF stuffed, now and then a run of
// fill bytes 0xFF before a stuffed zero, a restart marker or the end marker last.
std::vector<uint8_t> random_data(Rng& rng, size_t n, bool marker_inside) {
    std::vector<uint8_t> d;
    const size_t at = marker_inside ? rng.next() % n : n;
    for (size_t i = 0; i < n; ++i) {
        if (i == at) {
            d.push_back(0xFF);
            d.push_back(uint8_t(0xD0 + rng.range(0, 7)));
        }
        uint8_t b = uint8_t(rng.next() % 5 == 0 ? rng.range(0xF0, 0xFF) : rng.next());
        if (rng.next() % 97 == 0) b = 0;
        d.push_back(b);
        if (b == 0xFF) {
            for (int k = rng.range(0, 2); k > 0; --k) d.push_back(0xFF);
            d.push_back(0);
        }
    }
    d.push_back(0xFF);
    d.push_back(0xD9);
    return d;
}

struct Source {
    std::unique_ptr<JPEG_STREAM> s = std::make_unique<JPEG_STREAM>();
    Source(const std::vector<uint8_t>& d, JPEG_ENVIRONMENT* env, int32_t file = -1) {
        simdtest::open_stream(s.get(), d, file, env);
    }
};

// The tables of a scan of two components, armed in a fresh environment.
struct Armed {
    std::unique_ptr<JPEG_HUFF_DECODE_TABLE> dc[2], ac[2];
    std::unique_ptr<JPEG_ENVIRONMENT> env = std::make_unique<JPEG_ENVIRONMENT>();
    JPEG_SCAN_COMPONENT comp[2] = {};
    JPEG_SCAN scan{};
    explicit Armed(Rng& rng) {
        for (int i = 0; i < 2; ++i) {
            dc[i] = random_table(rng, true);
            ac[i] = random_table(rng, false);
            comp[i].dc = dc[i].get();
            comp[i].ac = ac[i].get();
        }
        scan.ns = 2;
        scan.components = comp;
        jpeg_huff_fast_arm(env.get(), &scan);
    }
};

using Decoder = JPEG_RESULT (*)(JPEG_STREAM*, const JPEG_HUFF_DECODE_TABLE*, const JPEG_HUFF_DECODE_TABLE*,
                                int16_t*, int16_t*);

// Decodes blocks of alternating components with and without the lookups until
// both have used the data up; every block and predictor must agree.
void compare_streams(Armed& a, Source& fast, Source& slow, Decoder dec, bool store, int blocks) {
    int16_t pf[2] = {}, ps[2] = {};
    for (int i = 0; i < blocks; ++i) {
        const int c = (i % 3) == 2 ? 1 : 0;
        int16_t bf[64], bs[64];
        std::memset(bf, 0x5A, sizeof(bf));
        std::memcpy(bs, bf, sizeof(bs));
        ASSERT_EQ(dec(fast.s.get(), a.dc[c].get(), a.ac[c].get(), &pf[c], store ? bf : nullptr), 0);
        ASSERT_EQ(dec(slow.s.get(), a.dc[c].get(), a.ac[c].get(), &ps[c], store ? bs : nullptr), 0);
        ASSERT_EQ(pf[c], ps[c]) << "block " << i;
        if (store) {
            ASSERT_EQ(0, std::memcmp(bf, bs, sizeof(bf))) << "block " << i;
        }
    }
    EXPECT_EQ(fast.s->marker, slow.s->marker);
}

TEST(JpegHuffFast, BlockDecodersGiveTheSameBlocksWithTheLookups) {
    Rng rng(72);
    for (int round = 0; round < rounds(400); ++round) {
        Armed a(rng);
        ASSERT_NE(jpeg_huff_fast_find(Source({}, a.env.get()).s.get(), a.ac[1].get(), false), nullptr);
        const auto data = random_data(rng, size_t(rng.range(1, 3000)), round % 3 == 0);
        for (int store = 0; store < 2; ++store) {
            Source fast(data, a.env.get()), slow(data, nullptr);
            if (store) compare_streams(a, fast, slow, jpeg_huff_decode_block_mmx_cmov, true, 400);
            else compare_streams(a, fast, slow, jpeg_huff_decode_dc_entry, false, 400);
            if (HasFatalFailure()) return;
            // The data and the marker at its end were read; nothing past them.
            EXPECT_EQ(fast.s->consumed, uint32_t(fast.s->current - data.data()));
            EXPECT_LE(fast.s->consumed, uint32_t(data.size()));
        }
    }
}

// A unit of n blocks in one call gives the blocks, predictors, blocks holding
// their DC value alone and reading state of n calls, on data with stuffing,
// fill bytes, a marker inside and the data's end.
TEST(JpegHuffFast, UnitsDecodeAsTheirBlocksOneByOne) {
    Rng rng(75);
    for (int round = 0; round < rounds(200); ++round) {
        Armed a(rng);
        const auto data = random_data(rng, size_t(rng.range(1, 3000)), round % 3 == 0);
        Source whole(data, a.env.get()), single(data, a.env.get());
        const uint32_t n = uint32_t(rng.range(1, 10));
        int16_t pw[2] = {}, ps[2] = {};
        std::vector<int16_t> bw(n * 64), bs(n * 64);
        std::vector<JpegFastBlock> unit(n);
        for (uint32_t j = 0; j < n; ++j) {
            const int c = j + 2 >= n && n > 2 ? 1 : 0;   // the last two blocks of a unit of three or more: chroma
            unit[j] = {a.dc[c].get(),
                       a.ac[c].get(),
                       jpeg_huff_fast_find(whole.s.get(), a.dc[c].get(), true),
                       jpeg_huff_fast_find(whole.s.get(), a.ac[c].get(), false),
                       &pw[c],
                       &bw[j * 64],
                       jpeg_huff_fast_find_pairs(whole.s.get(), a.ac[c].get())};
        }
        for (int u = 0; u < 200; ++u) {
            std::fill(bw.begin(), bw.end(), int16_t(0x5A5A));
            std::fill(bs.begin(), bs.end(), int16_t(0x5A5A));
            const uint32_t got = jpeg_huff_decode_blocks_fast(whole.s.get(), unit.data(), n);
            uint32_t want = 0;
            for (uint32_t j = 0; j < n; ++j) {
                const int c = unit[j].pred == &pw[1] ? 1 : 0;
                single.s->no_ac = 0;
                ASSERT_EQ(jpeg_huff_decode_block_mmx_cmov(single.s.get(), a.dc[c].get(), a.ac[c].get(), &ps[c],
                                                          &bs[j * 64]),
                          0);
                if (single.s->no_ac) want |= 1u << j;
            }
            ASSERT_EQ(got, want) << "unit " << u;
            ASSERT_EQ(bw, bs) << "unit " << u;
            ASSERT_EQ(pw[0], ps[0]) << "unit " << u;
            ASSERT_EQ(pw[1], ps[1]) << "unit " << u;
            const JPEG_STREAM &x = *whole.s, &y = *single.s;
            ASSERT_EQ(x.bits, y.bits) << "unit " << u;
            ASSERT_EQ(x.bit_count, y.bit_count) << "unit " << u;
            ASSERT_EQ(x.consumed, y.consumed) << "unit " << u;
            ASSERT_EQ(x.marker, y.marker) << "unit " << u;
            ASSERT_EQ(x.starved, y.starved) << "unit " << u;
            ASSERT_EQ(x.bad_code, y.bad_code) << "unit " << u;
        }
    }
}

TEST(JpegHuffFast, FileSourceGivesTheSameBlocks) {
    Rng rng(73);
    Armed a(rng);
    const auto data = random_data(rng, 20000, false);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("velmora_huff_fast_" + std::to_string(rng.next()))).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    const int32_t fh = jpeg_file_open(path.c_str(), false);
    ASSERT_GE(fh, 0);
    Source fast(data, a.env.get(), fh), slow(data, nullptr);
    compare_streams(a, fast, slow, jpeg_huff_decode_block_mmx_cmov, true, 6000);
    jpeg_file_close(fh);
    std::filesystem::remove(path);
}

// Stretches without 0xFF of varied length, read from a file in units of many
// blocks: the eight-byte top-up of every AC symbol where the next eight bytes
// hold no 0xFF (also across the file buffer's ends) gives the blocks and
// predictors the byte steps give on the same bytes in memory, and leaves zeros
// below the bits it hands back.
TEST(JpegHuffFast, TopUpOverBytesWithoutFFReadsAsTheByteSteps) {
    Rng rng(76);
    for (int round = 0; round < rounds(12); ++round) {
        Armed a(rng);
        std::vector<uint8_t> data;
        const uint32_t gap = uint32_t(rng.range(20, 600));   // bytes between two 0xFF, about
        while (data.size() < 30000) {
            const uint8_t b = uint8_t(rng.next() % gap == 0 ? 0xFF : rng.range(0, 0xFE));
            data.push_back(b);
            if (b == 0xFF) data.push_back(0);
        }
        data.push_back(0xFF);
        data.push_back(0xD9);
        const std::string path = (std::filesystem::temp_directory_path() /
                                  ("velmora_huff_topup_" + std::to_string(rng.next())))
                                     .string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
        const int32_t fh = jpeg_file_open(path.c_str(), false);
        ASSERT_GE(fh, 0);
        Source fast(data, a.env.get(), fh), slow(data, nullptr);
        const uint32_t n = uint32_t(rng.range(1, 24));
        int16_t pf[2] = {}, ps[2] = {};
        std::vector<int16_t> bf(n * 64), bs(64);
        std::vector<JpegFastBlock> unit(n);
        for (uint32_t j = 0; j < n; ++j) {
            const int c = j % 3 == 2 ? 1 : 0;
            unit[j] = {a.dc[c].get(), a.ac[c].get(), jpeg_huff_fast_find(fast.s.get(), a.dc[c].get(), true),
                       jpeg_huff_fast_find(fast.s.get(), a.ac[c].get(), false), &pf[c], &bf[j * 64],
                       jpeg_huff_fast_find_pairs(fast.s.get(), a.ac[c].get())};
        }
        for (int u = 0; u < 4000 && !slow.s->data_end; ++u) {
            jpeg_huff_decode_blocks_fast(fast.s.get(), unit.data(), n);
            const int32_t held = fast.s->bit_count;
            if (held > 0 && held < 64) {
                ASSERT_EQ(fast.s->bits << held, 0u) << "unit " << u;
            }
            for (uint32_t j = 0; j < n; ++j) {
                const int c = j % 3 == 2 ? 1 : 0;
                ASSERT_EQ(jpeg_huff_decode_block_mmx_cmov(slow.s.get(), a.dc[c].get(), a.ac[c].get(), &ps[c],
                                                          bs.data()),
                          0);
                ASSERT_EQ(0, std::memcmp(&bf[j * 64], bs.data(), sizeof(int16_t) * 64))
                    << "round " << round << " unit " << u << " block " << j;
            }
            ASSERT_EQ(pf[0], ps[0]) << "unit " << u;
            ASSERT_EQ(pf[1], ps[1]) << "unit " << u;
        }
        EXPECT_EQ(fast.s->marker, slow.s->marker);
        jpeg_file_close(fh);
        std::filesystem::remove(path);
    }
}

TEST(JpegHuffFast, DisarmedOrForeignTablesAreNotLookedUp) {
    Rng rng(74);
    Armed a(rng);
    Source s({}, a.env.get());
    EXPECT_EQ(jpeg_huff_fast_find(s.s.get(), a.dc[0].get(), true), a.env->huff_fast.dc[0].entry);
    EXPECT_EQ(jpeg_huff_fast_find(s.s.get(), a.dc[0].get(), false), nullptr);   // not an AC table of the scan
    JPEG_HUFF_DECODE_TABLE other{};
    EXPECT_EQ(jpeg_huff_fast_find(s.s.get(), &other, true), nullptr);
    jpeg_huff_fast_disarm(a.env.get());
    EXPECT_EQ(jpeg_huff_fast_find(s.s.get(), a.dc[0].get(), true), nullptr);
    Source none({}, nullptr);
    EXPECT_EQ(jpeg_huff_fast_find(none.s.get(), a.dc[0].get(), true), nullptr);
    // Arming a scan again forgets the tables of the last one.
    JPEG_SCAN_COMPONENT c{};
    c.dc = &other;
    JPEG_SCAN scan{};
    scan.ns = 1;
    scan.components = &c;
    jpeg_huff_fast_arm(a.env.get(), &scan);
    EXPECT_EQ(jpeg_huff_fast_find(s.s.get(), a.dc[0].get(), true), nullptr);
    EXPECT_NE(jpeg_huff_fast_find(s.s.get(), &other, true), nullptr);
    EXPECT_EQ(jpeg_huff_fast_find(s.s.get(), a.ac[0].get(), false), nullptr);
}

}  // namespace

namespace {

// The plain decoders take the lookups only where their own steps would read the
// same bits without a fill: with and without them the results, the blocks and
// the whole reading state agree after every call.
void expect_same_state(const JPEG_STREAM& a, const JPEG_STREAM& b, int i) {
    ASSERT_EQ(a.bit_count, b.bit_count) << i;
    ASSERT_EQ(a.bit_count > 0 ? a.bits << (64 - a.bit_count) : 0, b.bit_count > 0 ? b.bits << (64 - b.bit_count) : 0) << i;
    ASSERT_EQ(a.consumed, b.consumed) << i;
    ASSERT_EQ(a.marker, b.marker) << i;
    ASSERT_EQ(a.eob_run, b.eob_run) << i;
}

TEST(JpegHuffFast, PlainDecodersReadAlikeWithTheLookups) {
    Rng rng(75);
    for (int round = 0; round < rounds(300); ++round) {
        Armed a(rng);
        const auto data = random_data(rng, size_t(rng.range(1, 2000)), round % 2 == 0);
        Source fast(data, a.env.get()), slow(data, nullptr);
        int16_t pf = 0, ps = 0;
        std::vector<int16_t> bf(64), bs(64);
        const int kind = round % 4;
        const uint32_t ss = uint32_t(rng.range(1, 63)), se = uint32_t(rng.range(int32_t(ss), 63));
        const uint32_t al = uint32_t(rng.range(0, 3));
        for (int i = 0; i < 300; ++i) {
            const int c = i % 2;
            JPEG_RESULT rf = 0, rs = 0;
            if (kind == 0) {
                rf = jpeg_decode_block(fast.s.get(), a.dc[c].get(), a.ac[c].get(), &pf, bf.data());
                rs = jpeg_decode_block(slow.s.get(), a.dc[c].get(), a.ac[c].get(), &ps, bs.data());
            } else if (kind == 1) {
                rf = jpeg_decode_dc_first(fast.s.get(), a.dc[c].get(), &bf[0], &pf, al);
                rs = jpeg_decode_dc_first(slow.s.get(), a.dc[c].get(), &bs[0], &ps, al);
            } else if (kind == 2) {
                rf = jpeg_decode_ac_first(fast.s.get(), bf.data(), a.ac[c].get(), ss, se, al);
                rs = jpeg_decode_ac_first(slow.s.get(), bs.data(), a.ac[c].get(), ss, se, al);
            } else {
                // Refinement over coefficients already partly set.
                if (i % 7 == 0)
                    for (size_t k = 0; k < 64; ++k)
                        bf[k] = bs[k] = int16_t(rng.next() % 3 == 0 ? rng.range(-9, 9) * (1 << al) : 0);
                rf = jpeg_decode_ac_refine(fast.s.get(), bf.data(), a.ac[c].get(), ss, se, al);
                rs = jpeg_decode_ac_refine(slow.s.get(), bs.data(), a.ac[c].get(), ss, se, al);
            }
            ASSERT_EQ(rf, rs) << "kind " << kind << " call " << i;
            ASSERT_EQ(pf, ps) << i;
            ASSERT_EQ(bf, bs) << "kind " << kind << " call " << i;
            expect_same_state(*fast.s, *slow.s, i);
            if (HasFatalFailure()) return;
            if (rf < 0) break;
        }
    }
}

// The refinement scan's procedure as written, one coefficient and one bit at a
// time, through the table's steps: the decoder takes the band's nonzero
// coefficients as a set and the stop of a zero run by counting bits.
JPEG_RESULT refine_by_steps(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac, uint32_t ss,
                            uint32_t se, uint32_t al) {
    auto quiet = [s](JPEG_RESULT r) {
        if (r == JPEG_BITS_MARKER) {
            s->starved = 1;
            return JPEG_RESULT(0);
        }
        if (r == JPEG_ERR_DATA) s->bad_code = 1;
        return r;
    };
    auto take = [s](int32_t n, uint32_t& v) {
        if (s->bit_count < n)
            if (const JPEG_RESULT r = jpeg_bits_fill(s, n); r != 0) return r;
        v = jpeg_bits_get(s, n);
        return JPEG_RESULT(0);
    };
    const int32_t p1 = 1 << al;
    auto refine = [&](int16_t& c) {
        uint32_t bit = 0;
        if (const JPEG_RESULT r = take(1, bit); r != 0) return r;
        if (bit && (c & p1) == 0) c = int16_t(c + (c >= 0 ? p1 : -p1));
        return JPEG_RESULT(0);
    };
    uint32_t k = ss;
    JPEG_RESULT r = 0;
    if (s->eob_run == 0) {
        for (; k <= se; ++k) {
            uint32_t sym = 0, v = 0;
            if ((r = jpeg_huff_decode(s, &sym, ac)) != 0) return quiet(r);
            int32_t run = int32_t(sym >> 4), value = 0;
            if (sym & 15) {
                if ((r = take(1, v)) != 0) return quiet(r);
                value = v ? p1 : -p1;
            } else if (run != 15) {
                if (run && (r = take(run, v)) != 0) return quiet(r);
                s->eob_run = (1u << run) + (run ? v : 0);
                break;
            }
            for (; k <= se; ++k) {
                if (block[k] != 0) {
                    if ((r = refine(block[k])) != 0) return quiet(r);
                } else if (--run < 0) {
                    break;
                }
            }
            if (value != 0 && k <= 63) block[k] = int16_t(value);
        }
    }
    if (s->eob_run > 0) {
        for (; k <= se; ++k)
            if (block[k] != 0 && (r = refine(block[k])) != 0) return quiet(r);
        --s->eob_run;
    }
    return 0;
}

// Both forms of the refinement decoder: the one the processor takes (with the
// bit deposit where it is fast) and the portable one.
TEST(JpegHuffFast, RefinementReadsAsTheProcedureStepByStep) {
    using Refine = JPEG_RESULT (*)(JPEG_STREAM*, int16_t*, const JPEG_HUFF_DECODE_TABLE*, uint32_t, uint32_t, uint32_t);
    for (const Refine refine : {&jpeg_decode_ac_refine, &jpeg_decode_ac_refine_portable}) {
        Rng rng(76);
        for (int round = 0; round < rounds(400); ++round) {
            Armed a(rng);
            // Short data with a marker inside starve the decoder mid-band.
            const auto data = random_data(rng, size_t(rng.range(1, 600)), round % 2 == 0);
            Source fast(data, a.env.get()), steps(data, nullptr);
            const uint32_t ss = uint32_t(rng.range(1, 63));
            const uint32_t se = round % 3 == 0 ? 63 : uint32_t(rng.range(int32_t(ss), 63));
            const uint32_t al = uint32_t(rng.range(0, 3));
            std::vector<int16_t> bf(64), bs(64);
            for (int i = 0; i < 200; ++i) {
                if (i % 5 == 0) {
                    const int density = rng.range(1, 6);   // from nearly empty to nearly full blocks
                    for (size_t k = 0; k < 64; ++k)
                        bf[k] = bs[k] = int16_t(rng.range(0, 5) < density ? rng.range(-20, 20) * (1 << al) : 0);
                }
                const int c = i % 2;
                const JPEG_RESULT rf = refine(fast.s.get(), bf.data(), a.ac[c].get(), ss, se, al);
                const JPEG_RESULT rs = refine_by_steps(steps.s.get(), bs.data(), a.ac[c].get(), ss, se, al);
                ASSERT_EQ(rf, rs) << "round " << round << " call " << i;
                ASSERT_EQ(bf, bs) << "round " << round << " call " << i;
                ASSERT_EQ(fast.s->starved, steps.s->starved) << i;
                ASSERT_EQ(fast.s->bad_code, steps.s->bad_code) << i;
                expect_same_state(*fast.s, *steps.s, i);
                if (HasFatalFailure()) return;
                if (rf < 0 || fast.s->starved) break;
            }
        }
    }
}

}  // namespace
