// The encoder: quality-scaled tables, the header segments byte by byte, baseline
// and progressive output checked by libjpeg-turbo (no warnings, same quantised
// coefficients, PSNR bands) and by the codec's own decoder, restart markers,
// interrupted and resumed encodes, file and memory output and their failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_enc_huff.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_lib.h"
#include "tests/support/temp_dir.h"
#include "tests/jpeg/enc_support.h"

using namespace velmora;

namespace {

struct Segment {
    uint8_t marker;
    std::vector<uint8_t> body;   // after the length field
};

// The marker segments up to the first SOS (SOI and EOI with empty bodies).
std::vector<Segment> segments(const std::vector<uint8_t>& d) {
    std::vector<Segment> out;
    size_t i = 0;
    while (i + 1 < d.size() && d[i] == 0xFF) {
        const uint8_t m = d[i + 1];
        if (m == 0xD8 || m == 0xD9) {
            out.push_back({m, {}});
            i += 2;
            continue;
        }
        const size_t len = size_t(d[i + 2]) << 8 | d[i + 3];
        out.push_back({m, std::vector<uint8_t>(d.begin() + long(i) + 4, d.begin() + long(i + 2 + len))});
        if (m == 0xDA) break;
        i += 2 + len;
    }
    return out;
}

std::vector<uint8_t> tables_only(enc::Setup s, int32_t* size_out = nullptr) {
    std::vector<uint8_t> px(size_t(s.width) * s.height * s.channels, 128), out;
    enc::Params p = enc::make_params(s, px, out);
    EXPECT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_TABLES_MEM), 0);
    if (size_out) *size_out = p->stream_size;
    out.resize(size_t(p->stream_size));
    return out;
}

std::vector<uint8_t> banner_segment() {
    const std::string text = "Velmora JPEG Codec, version [2.10.3.17]";
    std::vector<uint8_t> body(text.begin(), text.end());
    body.push_back(0);
    return body;
}

}  // namespace

TEST(EncTables, QualityScalesTheBaseTables) {
    uint16_t t[64], u[64];
    jpeg_quality_table(75, jpeg_std_quant_luma, t);
    const uint16_t first[8] = {8, 6, 6, 7, 6, 5, 8, 7};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(t[i], first[i]) << i;
    jpeg_quality_table(100, jpeg_std_quant_luma, t);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(t[i], 1);
    jpeg_quality_table(50, jpeg_std_quant_chroma, t);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(t[i], jpeg_std_quant_chroma[i]);
    // Quality 0, 1 and negative qualities agree, as do 101 and 100.
    const struct { int32_t a, b; } same[] = {{0, 1}, {-40, 1}, {101, 100}, {1000, 100}};
    for (auto c : same) {
        jpeg_quality_table(c.a, jpeg_std_quant_luma, t);
        jpeg_quality_table(c.b, jpeg_std_quant_luma, u);
        EXPECT_EQ(0, std::memcmp(t, u, sizeof(t))) << c.a;
    }
    jpeg_quality_table(1, jpeg_std_quant_luma, t);
    EXPECT_EQ(t[0], 255);   // 16 x 50 clamped
    EXPECT_EQ(t[1], 255);
}

TEST(EncTables, ReciprocalsOfBothTransforms) {
    uint16_t t[64];
    for (auto& v : t) v = 1;
    jpeg_prepare_quant_aan(t);
    EXPECT_EQ(t[0], 4096);
    EXPECT_EQ(t[63], (1 + 53810) / 2);   // entry 63 raised to 2: the last coefficient is halved
    EXPECT_EQ(t[1], 2953);
    for (auto& v : t) v = 3;
    jpeg_prepare_quant_accurate(t);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(t[i], 32768 / 3);
    jpeg_quality_table(75, jpeg_std_quant_luma, t);
    const uint16_t q1 = t[1], q2 = t[2];   // zig-zag 1 and 2 are natural 1 and 8
    jpeg_prepare_quant_aan(t);
    EXPECT_EQ(t[1], (q1 / 2 + 2953) / q1);
    EXPECT_EQ(t[8], (q2 / 2 + 2953) / q2);
}

TEST(EncTables, EncodeTableAssignsCanonicalCodes) {
    JPEG_HUFF_ENCODE_TABLE t;
    ASSERT_EQ(jpeg_build_encode_table(jpeg_std_dc_luma_counts, jpeg_std_dc_luma_values, &t), 0);
    // T.81 Table K.3: category 0 is 00, 1 is 010, 5 is 110, 11 is 111111110.
    const struct { int sym; uint32_t len; uint16_t code; } cases[] = {
        {0, 2, 0b00}, {1, 3, 0b010}, {5, 3, 0b110}, {6, 4, 0b1110}, {11, 9, 0b111111110}};
    for (auto c : cases) {
        EXPECT_EQ(t.length[c.sym], c.len) << c.sym;
        EXPECT_EQ(t.code[c.sym], c.code) << c.sym;
    }
    uint8_t counts[16] = {};
    counts[8] = 255;
    counts[9] = 4;   // 259 codes
    uint8_t values[259] = {};
    EXPECT_EQ(jpeg_build_encode_table(counts, values, &t), JPEG_ERR_BAD_HUFFMAN);
}

TEST(EncTables, OptimisedTables) {
    uint8_t counts[16], values[256];
    uint32_t freq[257] = {};
    freq[7] = 100;   // one used symbol: one code of length 1, the reserved one takes the other
    jpeg_optimise_huffman(freq, counts, values);
    EXPECT_EQ(counts[0], 1);
    for (int i = 1; i < 16; ++i) EXPECT_EQ(counts[i], 0);
    EXPECT_EQ(values[0], 7);
    // Equal frequencies: the higher symbol is merged first and ends with the longer code.
    std::memset(freq, 0, sizeof(freq));
    freq[1] = freq[2] = 10;
    freq[3] = 40;
    jpeg_optimise_huffman(freq, counts, values);
    EXPECT_EQ(counts[0], 1);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 1);
    EXPECT_EQ(values[0], 3);
    EXPECT_EQ(values[1], 1);
    EXPECT_EQ(values[2], 2);
    // Skewed frequencies never give codes longer than 16 bits.
    for (int i = 0; i < 256; ++i) freq[i] = 1u << (i % 30);
    jpeg_optimise_huffman(freq, counts, values);
    uint32_t total = 0;
    for (int i = 0; i < 16; ++i) total += counts[i];
    EXPECT_EQ(total, 256u);
    JPEG_HUFF_ENCODE_TABLE t;
    EXPECT_EQ(jpeg_build_encode_table(counts, values, &t), 0);
}

TEST(EncHeaders, TablesMatchTheOracleAndStandard) {
    // libjpeg-turbo scales K.1/K.2 the same way and sends the K.3 tables.
    std::vector<uint8_t> ot, oi;
    oracle::Vorgabe vorgabe;
    vorgabe.quality = 75;
    oracle::encode_abbreviated(vorgabe, ot, oi);
    std::vector<uint8_t> oracle_dqt, oracle_dht, ours_dqt, ours_dht;
    for (const Segment& s : segments(ot)) {
        if (s.marker == 0xDB) oracle_dqt.insert(oracle_dqt.end(), s.body.begin(), s.body.end());
        if (s.marker == 0xC4) oracle_dht.insert(oracle_dht.end(), s.body.begin(), s.body.end());
    }
    enc::Setup s;
    s.transform = 0;
    int32_t size = 0;
    const std::vector<uint8_t> ours = tables_only(s, &size);
    const std::vector<Segment> seg = segments(ours);
    // SOI, APP0, COM, two DQT, one DHT with four tables, EOI.
    std::vector<uint8_t> order;
    for (const Segment& g : seg) order.push_back(g.marker);
    EXPECT_EQ(order, (std::vector<uint8_t>{0xD8, 0xE0, 0xFE, 0xDB, 0xDB, 0xC4, 0xD9}));
    for (const Segment& g : seg) {
        if (g.marker == 0xDB) ours_dqt.insert(ours_dqt.end(), g.body.begin(), g.body.end());
        if (g.marker == 0xC4) ours_dht = g.body;
    }
    EXPECT_EQ(ours_dqt, oracle_dqt);
    EXPECT_EQ(ours_dht, oracle_dht);
    EXPECT_EQ(size_t(size), ours.size());
    EXPECT_EQ(size, 2 + 18 + 2 + 42 + 2 * 69 + 4 + 4 * 17 + 2 * 12 + 2 * 162 + 2);
    // APP0 field by field: JFIF 1.01, unit 0, density 1 x 1, no thumbnail.
    EXPECT_EQ(seg[1].body, (std::vector<uint8_t>{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(seg[2].body, banner_segment());
    EXPECT_EQ(seg[3].body[0], 0x00);   // precision 0, table 0
    EXPECT_EQ(seg[4].body[0], 0x01);
}

TEST(EncHeaders, ApplicationSegmentFollowsTheStreamColour) {
    const struct { int32_t image, channels, stream, stream_channels, sampling; uint8_t marker; int transform; } cases[] = {
        {JPEG_COLOR_GRAY, 1, JPEG_COLOR_GRAY, 1, 0, 0xE0, -1},
        {JPEG_COLOR_RGB, 3, JPEG_COLOR_RGB, 3, 0, 0xEE, 0},
        {JPEG_COLOR_RGBA, 4, JPEG_COLOR_RGBA, 4, 0, 0xEE, 0},
        {JPEG_COLOR_RGBA, 4, JPEG_COLOR_YCBCRA, 4, 3, 0xEE, 2},
        {JPEG_COLOR_RGB, 3, JPEG_COLOR_YCBCR, 3, 1, 0xE0, -1},
        {JPEG_COLOR_OTHER, 2, JPEG_COLOR_OTHER, 2, 0, 0xE0, -1},
    };
    for (const auto& c : cases) {
        enc::Setup s;
        s.image_color = c.image, s.channels = c.channels, s.stream_color = c.stream;
        s.stream_channels = c.stream_channels, s.sampling = c.sampling;
        const std::vector<Segment> seg = segments(tables_only(s));
        ASSERT_GE(seg.size(), 2u);
        EXPECT_EQ(seg[1].marker, c.marker) << c.stream;
        if (c.marker == 0xEE) {
            EXPECT_EQ(seg[1].body, (std::vector<uint8_t>{'A', 'd', 'o', 'b', 'e', 0, 100, 0, 0, 0, 0, uint8_t(c.transform)}));
        }
    }
}

TEST(EncHeaders, CommentSegment) {
    enc::Setup s;
    std::vector<uint8_t> px(size_t(s.width) * s.height * 3, 128), out;
    // The caller's comment is sent as it stands; size 0 sends none; a size above
    // 65531 is cut to 65531 and the cut size stored back.
    std::vector<uint8_t> text(70000, 'x');
    const struct { uint16_t size; size_t sent; bool present; } cases[] = {
        {5, 5, true}, {0, 0, false}, {65531, 65531, true}, {65535, 65531, true}};
    for (auto c : cases) {
        enc::Params p = enc::make_params(s, px, out);
        p->props.jpeg_comment = text.data();
        p->props.jpeg_comment_size = c.size;
        ASSERT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_TABLES_MEM), 0);
        out.resize(size_t(p->stream_size));
        const std::vector<Segment> seg = segments(out);
        EXPECT_EQ(seg[2].marker == 0xFE, c.present) << c.size;
        EXPECT_EQ(c.present ? seg[2].body.size() : 0u, c.sent);
        EXPECT_EQ(p->props.jpeg_comment_size, c.size > 65531 ? 65531 : c.size);
    }
}

TEST(EncHeaders, EntropyOnlyAndProgressiveHeaders) {
    enc::Setup s;
    s.width = s.height = 16;
    std::vector<uint8_t> px(16 * 16 * 3, 90), out;
    enc::Params p = enc::make_params(s, px, out);
    ASSERT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_DATA_MEM), 0);
    out.resize(size_t(p->stream_size));
    std::vector<uint8_t> order;
    for (const Segment& g : segments(out)) order.push_back(g.marker);
    EXPECT_EQ(order, (std::vector<uint8_t>{0xD8, 0xC0, 0xDA}));   // no tables
    s.progressive = 1;
    std::vector<uint8_t> order2;
    for (const Segment& g : segments(tables_only(s))) order2.push_back(g.marker);
    EXPECT_EQ(order2, (std::vector<uint8_t>{0xD8, 0xE0, 0xFE, 0xDB, 0xDB, 0xD9}));   // no DHT
}

TEST(EncHeaders, FrameAndScanHeaders) {
    enc::Setup s;
    s.width = s.height = 16;
    std::vector<uint8_t> px(16 * 16 * 3, 90);
    // Gray: identifier 0, factors 0x11; SOS identifier 0 and table byte 0.
    enc::Setup g = s;
    g.image_color = JPEG_COLOR_GRAY, g.channels = 1, g.stream_color = JPEG_COLOR_GRAY, g.stream_channels = 1,
    g.sampling = 0;
    std::vector<Segment> seg = segments(enc::encode(g, px));
    EXPECT_EQ(seg[seg.size() - 2].body, (std::vector<uint8_t>{8, 0, 16, 0, 16, 1, 0, 0x11, 0}));
    EXPECT_EQ(seg.back().body, (std::vector<uint8_t>{1, 0, 0, 0, 63, 0}));
    // YCbCr 4:2:0 baseline: components 1 (0x22, table 0), 2 and 3 (0x11, table 1).
    seg = segments(enc::encode(s, px));
    EXPECT_EQ(seg[seg.size() - 2].body,
              (std::vector<uint8_t>{8, 0, 16, 0, 16, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
    EXPECT_EQ(seg.back().body, (std::vector<uint8_t>{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
    // Progressive: SOF2 with identifiers 0, 1, 2; the first scan a DC scan with its DHTs.
    s.progressive = 1;
    seg = segments(enc::encode(s, px));
    size_t sof = 0;
    while (seg[sof].marker != 0xC2) ++sof;
    EXPECT_EQ(seg[sof].body, (std::vector<uint8_t>{8, 0, 16, 0, 16, 3, 0, 0x22, 0, 1, 0x11, 1, 2, 0x11, 1}));
    EXPECT_EQ(seg[sof + 1].marker, 0xC4);
    EXPECT_EQ(seg[sof + 1].body[0], 0x00);
    EXPECT_EQ(seg[sof + 2].marker, 0xC4);
    EXPECT_EQ(seg[sof + 2].body[0], 0x01);
    EXPECT_EQ(seg.back().body, (std::vector<uint8_t>{3, 0, 0x00, 1, 0x11, 2, 0x11, 0, 0, 0x01}));
}

TEST(EncHeaders, SegmentWritersRefuseBadInput) {
    std::vector<uint8_t> px(64 * 3, 1), out;
    enc::Setup s;
    s.width = s.height = 8;
    enc::Params p = enc::make_params(s, px, out);
    JPEG_STREAM* st = &p->props.stream;
    st->environment->k.open_output(st, out.data(), 1000);
    EXPECT_EQ(jpeg_write_rst(8, st), JPEG_ERR_BAD_RST);
    uint8_t counts[16] = {}, values[306] = {};
    counts[15] = 255;
    counts[14] = 51;   // 306 values: length 325
    EXPECT_EQ(jpeg_write_dht(st, counts, values, 1, 0), JPEG_ERR_BAD_HUFFMAN);
    EXPECT_EQ(st->consumed, 0u);
    counts[14] = 50;   // 305 values: length 324, written
    EXPECT_EQ(jpeg_write_dht(st, counts, values, 1, 0), 0);
    EXPECT_EQ(st->consumed, 326u);
}

TEST(EncBlock, SequentialBlockCoding) {
    JPEG_HUFF_ENCODE_TABLE dc, ac;
    jpeg_build_encode_table(jpeg_std_dc_luma_counts, jpeg_std_dc_luma_values, &dc);
    jpeg_build_encode_table(jpeg_std_ac_luma_counts, jpeg_std_ac_luma_values, &ac);
    auto bits_of = [&](int16_t* blk, int16_t pred) {
        std::vector<uint8_t> px(64, 0), out;
        enc::Setup s;
        s.width = s.height = 8;
        s.cpu_class = 0;
        enc::Params p = enc::make_params(s, px, out);
        JPEG_STREAM* st = &p->props.stream;
        st->environment->k.open_output(st, out.data(), 1000);
        EXPECT_EQ(jpeg_encode_block(st, &dc, &ac, &pred, blk), 0);
        EXPECT_EQ(pred, blk[0]);
        std::string bits;
        for (uint32_t i = 0; i < st->consumed; ++i)
            for (int b = 7; b >= 0; --b) bits += char('0' + ((out[i] >> b) & 1));
        for (int b = 7; b >= st->bit_count; --b) bits += char('0' + ((st->bits >> (b - st->bit_count)) & 1));
        return bits;
    };
    int16_t blk[64] = {};
    blk[0] = 5;
    EXPECT_EQ(bits_of(blk, 5), "00" "1010");   // DC category 0, EOB
    blk[1] = -1;                                // AC (0,1) = 00, value bit 0
    EXPECT_EQ(bits_of(blk, 5), "00" "000" "1010");
    blk[1] = 1;
    EXPECT_EQ(bits_of(blk, 5), "00" "001" "1010");
    std::memset(blk, 0, sizeof(blk));
    blk[jpeg_natural_order[17]] = 1;         // sixteen zeros, then a 1: ZRL (11111111001), then 0/1
    EXPECT_EQ(bits_of(blk, 0), "00" "11111111001" "001" "1010");
    std::memset(blk, 0, sizeof(blk));
    blk[63] = 1;                                // last coefficient nonzero: no EOB
    const std::string last = bits_of(blk, 0);
    EXPECT_NE(last.substr(last.size() - 4), "1010");
}

namespace {

// The bytes from the first SOS marker on.
std::vector<uint8_t> from_scan(const std::vector<uint8_t>& f) {
    for (size_t i = 0; i + 1 < f.size(); ++i)
        if (f[i] == 0xFF && f[i + 1] == 0xDA) return {f.begin() + ptrdiff_t(i), f.end()};
    return {};
}

}  // namespace

// An MCU the picture's edge cuts is coded as the MCU of the picture with its
// last column and row repeated to the MCU's bounds: the scans of a 37 x 21
// picture and of that picture widened so are the same bytes, at every class,
// for each two-wide sampling and for RGB and BGR.
TEST(EncWrite, EdgeMcusCodeAsThePictureWithItsEdgeRepeated) {
    const int w = 37, h = 21;
    std::vector<uint8_t> px(size_t(w) * h * 3);
    uint32_t seed = 5;
    for (auto& b : px) b = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    for (int32_t sampling : {JPEG_SAMPLING_420, JPEG_SAMPLING_422})
        for (int32_t color : {JPEG_COLOR_RGB, JPEG_COLOR_BGR})
            for (int cls = 0; cls <= 6; ++cls) {
                const int mh = sampling == JPEG_SAMPLING_420 ? 16 : 8;
                const int W = 48, H = (h + mh - 1) / mh * mh;
                std::vector<uint8_t> wide(size_t(W) * H * 3);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x) {
                        const size_t from = size_t(std::min(y, h - 1)) * w + size_t(std::min(x, w - 1));
                        std::memcpy(&wide[(size_t(y) * W + x) * 3], &px[from * 3], 3);
                    }
                enc::Setup s;
                s.sampling = sampling, s.image_color = color, s.cpu_class = cls;
                s.width = w, s.height = h;
                const std::vector<uint8_t> a = enc::encode(s, px);
                s.width = W, s.height = H;
                const std::vector<uint8_t> b = enc::encode(s, wide);
                ASSERT_FALSE(a.empty());
                const std::vector<uint8_t> sa = from_scan(a), sb = from_scan(b);
                EXPECT_FALSE(sa.empty());
                EXPECT_EQ(sa, sb) << "sampling " << sampling << " colour " << color << " class " << cls;
            }
}
