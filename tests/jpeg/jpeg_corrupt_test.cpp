// Corrupt pictures: truncated at every offset and with flipped bits, through
// every read operation. Each read ends with a result and never touches memory
// outside the stream or the image (the sanitizer build checks that).
#include "tests/jpeg/jpeg_decode_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tests/jpeg/jpeg_oracle.h"

namespace {

using namespace velmora;

// Reads the bytes as the picture loaders do, into an image of the size announced.
JPEG_RESULT read_any(const std::vector<uint8_t>& d, int op, int color = JPEG_COLOR_RGB, int ch = 3) {
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    jpeg_init(p);
    p->stream_data = d.data();
    p->stream_size = int32_t(d.size());
    JPEG_RESULT r = jpeg_read(p, JPEG_OP_PARAMS_MEM);
    std::vector<uint8_t> px;
    if (r == 0 && p->stream_width > 0 && p->stream_height > 0 && p->stream_width * p->stream_height <= (1 << 20)) {
        px.resize(size_t(p->stream_width) * size_t(p->stream_height) * size_t(ch));
        p->image_data = px.data();
        p->image_width = p->stream_width;
        p->image_height = p->stream_height;
        p->image_channels = ch;
        p->image_color = color;
        r = jpeg_read(p, op);
    }
    jpeg_free(p);
    return r;
}

std::vector<std::vector<uint8_t>> seeds() {
    std::vector<std::vector<uint8_t>> out;
    oracle::Vorgabe s;
    s.width = 19, s.height = 13, s.quality = 60;
    out.push_back(oracle::encode(s));
    s.progressive = true;
    out.push_back(oracle::encode(s));
    s.progressive = false, s.restart_mcus = 1, s.h0 = 1, s.v0 = 1;
    out.push_back(oracle::encode(s));
    s.restart_mcus = 0, s.space = oracle::Space::Gray, s.progressive = true;
    out.push_back(oracle::encode(s));
    s.space = oracle::Space::YCbCr, s.progressive = false, s.separate_scans = true, s.h0 = 2, s.v0 = 2;
    out.push_back(oracle::encode(s));
    return out;
}

TEST(JpegCorrupt, TruncationAtEveryOffset) {
    int failures = 0;
    for (const auto& full : seeds()) {
        for (size_t n = 0; n < full.size(); ++n) {
            std::vector<uint8_t> cut(full.begin(), full.begin() + ptrdiff_t(n));
            if (cut.empty()) cut.push_back(0xFF);
            JPEG_RESULT r = read_any(cut, JPEG_OP_IMAGE_MEM);
            EXPECT_LE(r, 2);
            if (r < 0) ++failures;
        }
        // The complete picture still decodes.
        EXPECT_EQ(read_any(full, JPEG_OP_IMAGE_MEM), 0);
    }
    EXPECT_GT(failures, 0);
}

TEST(JpegCorrupt, FlippedBitsEverywhere) {
    uint32_t rng = 12345;
    for (const auto& full : seeds()) {
        for (int round = 0; round < 400; ++round) {
            std::vector<uint8_t> d = full;
            int flips = 1 + round % 4;
            for (int i = 0; i < flips; ++i) {
                rng = rng * 1664525u + 1013904223u;
                size_t at = (rng >> 8) % d.size();
                d[at] ^= uint8_t(1u << (rng >> 29));
            }
            static const int ops[] = {JPEG_OP_IMAGE_MEM, JPEG_OP_HALF_MEM, JPEG_OP_EIGHTH_MEM};
            EXPECT_LE(read_any(d, ops[round % 3], round % 2 ? JPEG_COLOR_BGR : JPEG_COLOR_RGB), 2);
        }
    }
}

TEST(JpegCorrupt, RandomBytesAfterAHeader) {
    uint32_t rng = 99;
    const auto full = seeds()[0];
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> d = full;
        for (size_t i = full.size() / 2; i < d.size(); ++i) {
            rng = rng * 1664525u + 1013904223u;
            d[i] = uint8_t(rng >> 24);
        }
        EXPECT_LE(read_any(d, JPEG_OP_IMAGE_MEM, JPEG_COLOR_RGBA, 4), 2);
    }
}

}  // namespace

namespace {

using namespace velmora;

// ---- Damaged streams: one rule at every processor class ----

// Decodes into an image of w x h RGB pixels (0xCD where nothing was written),
// from memory, or from a file when `file` names one; scale 1, 2, 4 or 8.
struct Read {
    JPEG_RESULT result = 0;
    std::vector<uint8_t> px;
};
Read read_into(const std::vector<uint8_t>& d, int cls, int w, int h, int ch = 3, const char* file = nullptr,
               int scale = 1, JPEG_RECT region = {}) {
    Read out;
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    jpeg_init(p);
    jpeg_fill_kernels(p->props.stream.environment, cls);
    p->stream_data = d.data();
    p->stream_size = int32_t(d.size());
    if (file) p->stream_file = file;
    out.result = jpeg_read(p, file ? JPEG_OP_PARAMS_FILE : JPEG_OP_PARAMS_MEM);
    out.px.assign(size_t(w) * size_t(h) * size_t(ch), 0xCD);
    if (out.result == 0) {
        p->image_data = out.px.data();
        p->image_width = w;
        p->image_height = h;
        p->image_channels = ch;
        p->image_color = ch == 1 ? JPEG_COLOR_GRAY : JPEG_COLOR_RGB;
        p->props.region = region;
        out.result = jpeg_read(p, jtest::op_for(scale, file == nullptr));
    }
    jpeg_free(p);
    return out;
}

// The first byte of the n-th scan's entropy data (1-based).
size_t scan_data(const std::vector<uint8_t>& d, int n) {
    int scans = 0;
    for (size_t i = 2; i + 3 < d.size(); ++i) {
        if (d[i] != 0xFF || d[i + 1] != 0xDA) continue;
        if (++scans == n) return i + 2 + (size_t(d[i + 2]) << 8 | d[i + 3]);
    }
    return d.size();
}

// Offsets of the restart markers in the n-th scan's entropy data.
std::vector<size_t> markers_in_scan(const std::vector<uint8_t>& d, int n) {
    std::vector<size_t> out;
    for (size_t i = scan_data(d, n); i + 1 < d.size(); ++i) {
        if (d[i] != 0xFF || d[i + 1] == 0 || d[i + 1] == 0xFF) continue;
        if (d[i + 1] < 0xD0 || d[i + 1] > 0xD7) break;
        out.push_back(i);
    }
    return out;
}

struct Variant {
    std::string name;
    std::vector<uint8_t> data;
    JPEG_RESULT code;
    // MCUs (interval units) that must equal the complete file's: [0, sound_to)
    // and [sound_from, end); MCUs in [grey_from, end) must be mid-grey.
    int sound_to, sound_from, grey_from;
};

TEST(JpegCorrupt, DamagedStreamsGiveOneResultAndTheSoundRowsAtEveryClass) {
    // 96 x 80 4:2:0: 6 x 5 MCUs of 16 x 16, a restart marker after every 3.
    oracle::Vorgabe v;
    v.width = 96, v.height = 80, v.quality = 80, v.restart_mcus = 3;
    const std::vector<uint8_t> full = oracle::encode(v);
    const int total = 30, per = 3;
    const std::vector<size_t> rst = markers_in_scan(full, 1);
    ASSERT_EQ(rst.size(), 9u);
    const size_t eoi = full.size() - 2;
    ASSERT_EQ(full[eoi + 1], 0xD9);

    std::vector<Variant> vs;
    auto without = [&](size_t at, size_t n) {
        std::vector<uint8_t> d = full;
        d.erase(d.begin() + ptrdiff_t(at), d.begin() + ptrdiff_t(at + n));
        return d;
    };
    vs.push_back({"end marker removed", without(eoi, 2), 0, total, total, total});
    // Cut at ten points of the entropy data: intervals whose marker came whole
    // are sound, those after the cut's interval mid-grey.
    const size_t first = scan_data(full, 1);
    for (int i = 1; i <= 10; ++i) {
        const size_t at = first + (eoi - first) * size_t(i) / 11;
        int done = 0;
        while (done < 9 && rst[size_t(done)] + 2 <= at) ++done;
        vs.push_back({"cut at " + std::to_string(at), std::vector<uint8_t>(full.begin(), full.begin() + ptrdiff_t(at)),
                      JPEG_ERR_EOF, done * per, total, std::min(total, (done + 1) * per)});
    }
    const int m = 4;   // the marker after interval 4
    const int lost_from = (m + 1) * per, lost_to = (m + 2) * per;
    vs.push_back({"restart marker dropped", without(rst[m], 2), JPEG_ERR_BAD_RST, lost_from, lost_to, total});
    {
        std::vector<uint8_t> d = full;
        d[rst[m]] = d[rst[m] + 1] = 0;
        vs.push_back({"restart marker zeroed", d, JPEG_ERR_BAD_RST, lost_from, lost_to, total});
        d = full;
        d.insert(d.begin() + ptrdiff_t(rst[m]), full.begin() + ptrdiff_t(rst[m]), full.begin() + ptrdiff_t(rst[m] + 2));
        vs.push_back({"restart marker doubled", d, JPEG_ERR_BAD_RST, total, total, total});
        d = full;
        d[rst[m] + 1] = 0xFE;
        vs.push_back({"restart marker replaced by another marker", d, 0, total, total, total});
        d = full;
        d[rst[m] + 1] = 0xD9;
        vs.push_back({"restart marker replaced by the end marker", d, JPEG_ERR_EOF, lost_from, total, lost_from});
        d = full;
        for (size_t i = 0; i < rst.size(); ++i) d[rst[i] + 1] = uint8_t(0xD0 + (i * 5 + 3) % 8);
        vs.push_back({"every restart marker renumbered in place", d, 0, total, total, total});
        // Forty-eight one bits in interval 4 match no code of the tables.
        d = full;
        size_t at = (rst[m - 1] + rst[m]) / 2;
        while (d[at - 1] == 0xFF) ++at;
        ASSERT_LT(at + 12, rst[m]);
        for (int i = 0; i < 6; ++i) d[at + 2 * size_t(i)] = 0xFF, d[at + 2 * size_t(i) + 1] = 0;
        vs.push_back({"code no table holds", d, JPEG_ERR_DATA, m * per, (m + 1) * per, total});
        // The first Huffman table given two 1-bit codes: the second is all ones.
        d = full;
        size_t dht = 2;
        while (!(d[dht] == 0xFF && d[dht + 1] == 0xC4)) ++dht;
        d[dht + 5] = 2;
        vs.push_back({"overfull Huffman table", d, JPEG_ERR_BAD_HUFFMAN, 0, 0, total});
        // The frame's height raised to 60000 over the same data: the picture's
        // 80 rows decode as before, the data end where more were due.
        d = full;
        size_t sof = 2;
        while (!(d[sof] == 0xFF && d[sof + 1] == 0xC0)) ++sof;
        d[sof + 5] = 60000 >> 8, d[sof + 6] = 60000 & 255;
        vs.push_back({"huge frame over little data", d, JPEG_ERR_EOF, total, total, total});
    }

    auto mcu_equal = [](const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int mcu) {
        const int x0 = (mcu % 6) * 16, y0 = (mcu / 6) * 16;
        for (int y = y0; y < y0 + 16; ++y)
            if (!std::equal(a.begin() + (y * 96 + x0) * 3, a.begin() + (y * 96 + x0 + 16) * 3, b.begin() + (y * 96 + x0) * 3))
                return false;
        return true;
    };
    // A filled MCU is flat, as zero coefficients decode: mid-grey, every
    // channel within one level of 128 after the colour conversion.
    auto grey = [](const std::vector<uint8_t>& px, int mcu) {
        const int x0 = (mcu % 6) * 16, y0 = (mcu / 6) * 16;
        const uint8_t* first = &px[size_t(y0 * 96 + x0) * 3];
        for (int c = 0; c < 3; ++c)
            if (std::abs(first[c] - 128) > 1) return false;
        for (int y = y0; y < y0 + 16; ++y)
            for (int x = x0; x < x0 + 16; ++x)
                if (!std::equal(first, first + 3, &px[size_t(y * 96 + x) * 3])) return false;
        return true;
    };
    // Each class against its own decode of the complete file (their transforms
    // may differ by a few levels on sound data).
    for (int cls = 0; cls <= 6; ++cls) {
        const Read whole = read_into(full, cls, 96, 80);
        ASSERT_EQ(whole.result, 0);
        for (const Variant& var : vs) {
            SCOPED_TRACE(var.name + " at class " + std::to_string(cls));
            const Read r = read_into(var.data, cls, 96, 80);
            EXPECT_EQ(r.result, var.code);
            // The same result at 1/8 size, and from a file the same pixels.
            EXPECT_EQ(read_into(var.data, cls, 12, 10, 3, nullptr, 8).result, var.code);
            if (cls == 0 || cls == 6) {
                const std::string path = testing::TempDir() + "velmora_damaged.jpg";
                FILE* f = std::fopen(path.c_str(), "wb");
                ASSERT_NE(f, nullptr);
                std::fwrite(var.data.data(), 1, var.data.size(), f);
                std::fclose(f);
                const Read rf = read_into(var.data, cls, 96, 80, 3, path.c_str());
                std::remove(path.c_str());
                EXPECT_EQ(rf.result, var.code) << "file";
                EXPECT_TRUE(rf.px == r.px) << "file";
            }
            if (var.code == JPEG_ERR_BAD_HUFFMAN) continue;   // refused before any pixel
            for (int mcu = 0; mcu < total; ++mcu) {
                if (mcu < var.sound_to || mcu >= var.sound_from) {
                    EXPECT_TRUE(mcu_equal(r.px, whole.px, mcu)) << "MCU " << mcu;
                }
                if (mcu >= var.grey_from) {
                    EXPECT_TRUE(grey(r.px, mcu)) << "grey MCU " << mcu;
                }
            }
        }
    }
}

TEST(JpegCorrupt, CutProgressiveAndSeparateScansStillPutOutEveryRow) {
    oracle::Vorgabe v;
    v.width = 96, v.height = 80, v.quality = 80;
    v.progressive = true;
    const std::vector<uint8_t> prog = oracle::encode(v);
    v.progressive = false, v.separate_scans = true, v.restart_mcus = 6;
    const std::vector<uint8_t> sep = oracle::encode(v);
    for (const auto* full : {&prog, &sep}) {
        // Without its end marker the picture is whole, converted, at every class.
        std::vector<uint8_t> d(full->begin(), full->end() - 2);
        for (int cls = 0; cls <= 6; ++cls) {
            const Read whole = read_into(*full, cls, 96, 80);
            ASSERT_EQ(whole.result, 0);
            const Read r = read_into(d, cls, 96, 80);
            EXPECT_EQ(r.result, 0) << "class " << cls;
            EXPECT_TRUE(r.px == whole.px) << "class " << cls;
        }
    }
    // A progressive file cut at ten points: every row is written, the same at every class.
    const size_t first = scan_data(prog, 1);
    for (int i = 1; i <= 10; ++i) {
        const size_t at = first + (prog.size() - 2 - first) * size_t(i) / 11;
        const std::vector<uint8_t> d(prog.begin(), prog.begin() + ptrdiff_t(at));
        for (int cls = 0; cls <= 6; cls += 3) {
            const Read r = read_into(d, cls, 96, 80);
            EXPECT_EQ(r.result, JPEG_ERR_EOF) << at;
            for (int y = 0; y < 80; ++y)
                EXPECT_FALSE(std::all_of(r.px.begin() + y * 288, r.px.begin() + (y + 1) * 288, [](uint8_t b) { return b == 0xCD; }))
                    << "row " << y << " cut " << at << " class " << cls;
        }
    }
    // Separate scans cut inside the third (Cr, one 16-row band per interval)
    // after its third marker: the first 48 rows are the complete file's,
    // converted, at every class.
    const std::vector<size_t> cr = markers_in_scan(sep, 3);
    ASSERT_GE(cr.size(), 4u);
    const std::vector<uint8_t> d(sep.begin(), sep.begin() + ptrdiff_t((cr[2] + cr[3]) / 2));
    for (int cls = 0; cls <= 6; ++cls) {
        const Read whole = read_into(sep, cls, 96, 80);
        const Read r = read_into(d, cls, 96, 80);
        EXPECT_EQ(r.result, JPEG_ERR_EOF) << "class " << cls;
        EXPECT_TRUE(std::equal(r.px.begin(), r.px.begin() + 48 * 288, whole.px.begin())) << "class " << cls;
    }
}

// A progressive file cut part way: the blocks whose later scans never came get
// their low frequencies from their neighbours. What the cut adds to the error
// against the original picture is, at every cut from 30 to 95 % and at every
// class, no more than what it adds to libjpeg-turbo's with its block
// smoothing; the file without its end marker is the complete file. The cuts
// are ones at which libjpeg-turbo still gives a whole picture. Each picture's
// ratios (ours to libjpeg-turbo's) are printed.
TEST(JpegCorrupt, CutProgressiveFilesEstimateTheMissingLowFrequencies) {
    const int w = 256, h = 192;
    std::vector<uint8_t> px(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                const double v = 128 + 70 * std::sin(x / (11.0 + 3 * c)) * std::cos(y / 17.0) +
                                 40 * std::sin((x + 2 * y) / (29.0 - 4 * c)) + ((x * 7 + y * 13 + c) % 5) - 2;
                px[(size_t(y) * w + x) * 3 + c] = uint8_t(std::clamp(v, 0.0, 255.0));
            }
    // A picture that is not whole (a decoder that gave up on the file) fails
    // the test here; its error is not a number, so no comparison holds.
    auto mae = [&](const std::vector<uint8_t>& a, const char* who) {
        if (a.size() != px.size()) {
            ADD_FAILURE() << who << " gave " << a.size() << " bytes, not the picture's " << px.size();
            return std::nan("");
        }
        double s = 0;
        for (size_t i = 0; i < px.size(); ++i) s += std::abs(int(a[i]) - int(px[i]));
        return s / double(px.size());
    };
    for (int factor : {2, 1}) {
        oracle::Vorgabe v;
        v.width = w, v.height = h, v.quality = 75, v.progressive = true, v.h0 = v.v0 = factor;
        const std::vector<uint8_t> jpg = oracle::encode(v, &px);
        const double theirs_whole = mae(oracle::decode(jpg, 1, false, false, true).px, "libjpeg-turbo");
        for (int cls : {0, 6}) {
            const Read whole = read_into(jpg, cls, w, h);
            ASSERT_EQ(whole.result, 0);
            const std::vector<uint8_t> no_end(jpg.begin(), jpg.end() - 2);
            EXPECT_TRUE(read_into(no_end, cls, w, h).px == whole.px) << "factor " << factor << " class " << cls;
            const double ours_whole = mae(whole.px, "the codec");
            std::string line = "factor " + std::to_string(factor) + " class " + std::to_string(cls) + ", cut: ours / libjpeg-turbo";
            for (int percent : {30, 47, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95}) {
                const std::vector<uint8_t> d(jpg.begin(), jpg.begin() + ptrdiff_t(jpg.size() * size_t(percent) / 100));
                const Read ours = read_into(d, cls, w, h);
                EXPECT_EQ(ours.result, JPEG_ERR_EOF);
                const double ours_added = mae(ours.px, "the codec") - ours_whole;
                const double theirs_added = mae(oracle::decode(d, 1, false, false, true).px, "libjpeg-turbo") - theirs_whole;
                EXPECT_LE(ours_added, theirs_added) << "factor " << factor << " cut at " << percent << " % class " << cls;
                char ratio[32];
                std::snprintf(ratio, sizeof ratio, "  %d: %.3f", percent, ours_added / theirs_added);
                line += ratio;
            }
            std::printf("%s\n", line.c_str());
        }
    }
}

// A region read of a damaged picture gives that part of the whole read: the
// filling reaches the region's pixels wherever the region lies, at every class.
TEST(JpegCorrupt, RegionOfADamagedPictureIsPartOfTheWholeRead) {
    for (int cls = 0; cls <= 6; ++cls) {
        for (bool progressive : {false, true}) {
            oracle::Vorgabe v;
            v.width = 96, v.height = 80, v.quality = 80, v.progressive = progressive, v.restart_mcus = progressive ? 0 : 3;
            const std::vector<uint8_t> full = oracle::encode(v);
            for (size_t cut : {full.size() * 2 / 3, full.size() / 2}) {
                const std::vector<uint8_t> d(full.begin(), full.begin() + ptrdiff_t(cut));
                const Read whole = read_into(d, cls, 96, 80);
                const Read part = read_into(d, cls, 64, 52, 3, nullptr, 1, JPEG_RECT{20, 18, 84, 70});
                EXPECT_EQ(whole.result, JPEG_ERR_EOF);
                EXPECT_EQ(part.result, JPEG_ERR_EOF);
                for (int y = 0; y < 52; ++y)
                    EXPECT_TRUE(std::equal(part.px.begin() + y * 64 * 3, part.px.begin() + (y + 1) * 64 * 3,
                                           whole.px.begin() + ((y + 18) * 96 + 20) * 3))
                        << "row " << y << (progressive ? " progressive" : "") << " cut " << cut << " class " << cls;
            }
        }
    }
}

// A small picture whose frame header declares another size.
std::vector<uint8_t> declaring(oracle::Vorgabe v, int w, int h) {
    std::vector<uint8_t> d = oracle::encode(v);
    size_t sof = 2;
    while (!(d[sof] == 0xFF && (d[sof + 1] == 0xC0 || d[sof + 1] == 0xC2))) ++sof;
    d[sof + 5] = uint8_t(h >> 8), d[sof + 6] = uint8_t(h), d[sof + 7] = uint8_t(w >> 8), d[sof + 8] = uint8_t(w);
    return d;
}

// Frames over the sample limit are refused at their header, whatever the data:
// by default those over the largest picture the loaders take (4096 x 4096, four
// full components), which itself passes; a limit of the environment is exact.
TEST(JpegCorrupt, FramesOverTheSampleLimitAreRefusedAtTheHeader) {
    oracle::Vorgabe small;
    small.width = 16, small.height = 16, small.quality = 50;
    const struct { const char* what; int h0; bool progressive; oracle::Space space; int w, h; uint64_t limit;
                   JPEG_RESULT want; } cases[] = {
        {"65535 x 65535 4:2:0", 2, false, oracle::Space::YCbCr, 65535, 65535, 0, JPEG_ERR_FRAME_TOO_LARGE},
        {"65535 x 65535 4:4:4", 1, false, oracle::Space::YCbCr, 65535, 65535, 0, JPEG_ERR_FRAME_TOO_LARGE},
        {"65535 x 65535 progressive", 2, true, oracle::Space::YCbCr, 65535, 65535, 0, JPEG_ERR_FRAME_TOO_LARGE},
        {"4097 x 4096 four components", 1, false, oracle::Space::Ycck, 4097, 4096, 0, JPEG_ERR_FRAME_TOO_LARGE},
        {"4096 x 4096 four components", 1, false, oracle::Space::Ycck, 4096, 4096, 0, 0},
        {"4096 x 4096 4:2:0 progressive", 2, true, oracle::Space::YCbCr, 4096, 4096, 0, 0},
        {"30 x 20 4:2:0 at its samples", 2, false, oracle::Space::YCbCr, 30, 20, 600 + 2 * 150, 0},
        {"30 x 20 4:2:0 one sample over", 2, false, oracle::Space::YCbCr, 30, 20, 600 + 2 * 150 - 1,
         JPEG_ERR_FRAME_TOO_LARGE},
        {"31 x 20 gray", 1, false, oracle::Space::Gray, 31, 20, 620, 0},
    };
    for (const auto& c : cases) {
        oracle::Vorgabe v = small;
        v.h0 = v.v0 = c.h0, v.progressive = c.progressive, v.space = c.space;
        const std::vector<uint8_t> d = declaring(v, c.w, c.h);
        auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
        JPEG_IMAGE_PARAMS* p = holder.get();
        jpeg_init(p);
        p->props.stream.environment->max_samples = c.limit;
        p->stream_data = d.data();
        p->stream_size = int32_t(d.size());
        EXPECT_EQ(jpeg_read(p, JPEG_OP_PARAMS_MEM), c.want) << c.what;
        jpeg_free(p);
    }
    EXPECT_STREQ(jpeg_error_text(JPEG_ERR_FRAME_TOO_LARGE), "Frame too large");
}

// Data cut after the first MCU rows of a large frame: the read ends with the
// early end once the rows after the cut are out, handing the output stage no
// more than the cut row and two more, at every scale, top-down or bottom-up,
// and the picture is the one a stepped read (every MCU put out) gives.
TEST(JpegCorrupt, CutDataEndTheDecodeAtEveryScale) {
    for (int h0 : {1, 2})
        for (const auto& [color, ch] : {std::pair{JPEG_COLOR_RGB, 3}, std::pair{JPEG_COLOR_GRAY, 1}}) {
            oracle::Vorgabe v;
            v.width = 64, v.height = 48, v.h0 = v.v0 = h0;
            const std::vector<uint8_t> d = declaring(v, 512, 512);
            for (int scale : {1, 2, 4, 8})
                for (bool bottom_up : {false, true}) {
                    const std::string what = "factor " + std::to_string(h0) + " channels " + std::to_string(ch) +
                                             " scale " + std::to_string(scale) + (bottom_up ? " bottom-up" : "");
                    const int w = 512 / scale;
                    std::vector<uint8_t> px[2];
                    uint32_t handed = 0, mcus_per_row = 0;
                    for (int stepped = 0; stepped < 2; ++stepped) {
                        auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
                        JPEG_IMAGE_PARAMS* p = holder.get();
                        jpeg_init(p);
                        p->stream_data = d.data();
                        p->stream_size = int32_t(d.size());
                        ASSERT_EQ(jpeg_read(p, JPEG_OP_PARAMS_MEM), 0);
                        px[stepped].assign(size_t(w) * w * ch, 0xCD);
                        p->image_data = px[stepped].data();
                        p->image_width = w;
                        p->image_height = bottom_up ? -w : w;
                        p->image_channels = ch;
                        p->image_color = color;
                        JPEG_RESULT r;
                        int calls = 0;
                        do {
                            p->props.mcu_step = uint32_t(stepped);
                            r = jpeg_read(p, jtest::op_for(scale, true));
                        } while (r == JPEG_INTERRUPT_SUCCESS && ++calls < (1 << 22));
                        EXPECT_EQ(r, JPEG_ERR_EOF) << what;
                        if (!stepped) handed = p->props.out_count, mcus_per_row = p->props.frame.mcus_per_row;
                        jpeg_free(p);
                    }
                    // 64 x 48 pixels of data: the cut lies in the first three MCU rows.
                    EXPECT_LE(handed, mcus_per_row * 6) << what;
                    EXPECT_TRUE(px[0] == px[1]) << what;
                }
        }
}

}  // namespace
