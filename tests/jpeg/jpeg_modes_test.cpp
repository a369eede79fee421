// The decoder's low-level modes: the smoothed (triangle) up-sampling against
// libjpeg-turbo's fancy up-sampling, step mode and region reads against
// whole-picture reads of the same stream, and component planes against the
// interleaved output.
#include "tests/jpeg/jpeg_decode_helpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_scan.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

using namespace velmora;
using oracle::Space;
using oracle::Vorgabe;

struct ReadSetup {
    int scale = 1;
    int color = JPEG_COLOR_RGB;
    int channels = 3;
    int cpu_class = -1;
    bool smooth = false;
    bool row_mode = false;       // the same filter asked for through component_row_mode
    JPEG_RECT region{};
    bool step = false;
    bool file = false;
    bool other_stream = false;   // samples as stored: the stream colour set to "other"
    JPEG_COMPONENT_PLANES* planes = nullptr;
};

struct Out {
    JPEG_RESULT result = 0;
    int calls = 0;
    std::vector<JPEG_RECT> steps;   // the positions reported by a stepped read
    int width = 0, height = 0;
    std::vector<uint8_t> px;
    JPEG_FRAME frame{};
    JPEG_COMPONENT comps[4]{};
    JPEG_QUANT_TABLE quant[4]{};
};

std::string temp_file(const std::vector<uint8_t>& data) {
    static int n = 0;
    std::string name = "/tmp/velmora_jpeg_modes_" + std::to_string(getpid()) + "_" + std::to_string(n++) + ".jpg";
    FILE* f = std::fopen(name.c_str(), "wb");
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
    return name;
}

// A parameters read, then the picture read (step by step when asked).
Out run(const std::vector<uint8_t>& jpg, const ReadSetup& s) {
    Out o;
    auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = params.get();
    if (jpeg_init(p) != 0) {
        o.result = -1000;
        return o;
    }
    if (s.cpu_class >= 0) jpeg_fill_kernels(p->props.stream.environment, s.cpu_class);
    const std::string name = s.file ? temp_file(jpg) : std::string();
    p->stream_data = jpg.data();
    p->stream_size = int32_t(jpg.size());
    p->stream_file = name.c_str();
    o.result = jpeg_read(p, s.file ? JPEG_OP_PARAMS_FILE : JPEG_OP_PARAMS_MEM);
    if (o.result == 0) {
        o.width = (p->stream_width + s.scale - 1) / s.scale;
        o.height = (p->stream_height + s.scale - 1) / s.scale;
        if (s.region.right > 0) o.width = s.region.right - s.region.left, o.height = s.region.bottom - s.region.top;
        o.px.assign(size_t(o.width) * o.height * s.channels, 0xCD);
        p->image_data = s.planes ? nullptr : o.px.data();
        p->image_width = o.width;
        p->image_height = o.height;
        p->image_channels = s.channels;
        p->image_color = s.color;
        if (s.other_stream) p->stream_color = JPEG_COLOR_OTHER;
        p->props.smooth_upsampling = s.smooth ? 1 : 0;
        p->props.component_row_mode = s.row_mode ? 1 : 0;
        p->props.component_planes = s.planes;
        p->props.region = s.region;
        const int op = jtest::op_for(s.scale, !s.file);
        do {
            p->props.mcu_step = s.step ? 1 : 0;
            o.result = jpeg_read(p, op);
            ++o.calls;
            if (o.result == JPEG_INTERRUPT_SUCCESS) o.steps.push_back(p->props.region);
        } while (o.result == JPEG_INTERRUPT_SUCCESS && o.calls < 1000000);
        o.frame = p->props.frame;
        for (uint32_t i = 0; i < 4 && i < o.frame.ncomps; ++i) o.comps[i] = o.frame.components[i];
        for (int i = 0; i < 4; ++i) o.quant[i] = p->props.quant[i];
    }
    jpeg_free(p);
    if (s.file) std::remove(name.c_str());
    return o;
}

// libjpeg-turbo's fancy up-sampling, turned to the output's channel order.
std::vector<uint8_t> fancy_reference(const std::vector<uint8_t>& jpg, int color) {
    oracle::Image ref = oracle::decode(jpg, 1, false, true);
    std::vector<uint8_t> want;
    for (size_t i = 0; i + 2 < ref.px.size(); i += 3) {
        const uint8_t r = ref.px[i], g = ref.px[i + 1], b = ref.px[i + 2];
        if (color == JPEG_COLOR_BGR) want.insert(want.end(), {b, g, r});
        else if (color == JPEG_COLOR_RGBA) want.insert(want.end(), {r, g, b, 255});
        else want.insert(want.end(), {r, g, b});
    }
    return want;
}

// The codec's tolerance against libjpeg-turbo (see the oracle test).
constexpr int kTolerance = 4;
constexpr double kMeanTolerance = 0.6;

struct SmoothCase {
    const char* name;
    Vorgabe v;
    int color, channels;
};

TEST(JpegModes, SmoothedUpsamplingMatchesFancyUpsamplingAtEveryClass) {
    const SmoothCase cases[] = {
        {"4:2:0 64x48", {64, 48, Space::YCbCr, 2, 2, 80}, JPEG_COLOR_RGB, 3},
        {"4:2:0 odd 49x41", {49, 41, Space::YCbCr, 2, 2, 75}, JPEG_COLOR_BGR, 3},
        {"4:2:0 33x17 progressive", {33, 17, Space::YCbCr, 2, 2, 90, true}, JPEG_COLOR_RGBA, 4},
        {"4:2:2 64x40", {64, 40, Space::YCbCr, 2, 1, 80}, JPEG_COLOR_RGB, 3},
        {"4:2:2 odd 45x23 restart", {45, 23, Space::YCbCr, 2, 1, 75, false, 0, 3}, JPEG_COLOR_RGB, 3},
        {"4:2:2 47x30 progressive", {47, 30, Space::YCbCr, 2, 1, 85, true}, JPEG_COLOR_BGR, 3},
        {"4:2:0 separate scans", {50, 38, Space::YCbCr, 2, 2, 80, false, 0, 0, true, false, true}, JPEG_COLOR_RGB, 3},
        {"4:2:2 separate scans", {43, 20, Space::YCbCr, 2, 1, 80, false, 0, 0, true, false, true}, JPEG_COLOR_BGR, 3},
    };
    int largest[7] = {};
    double largest_mean[7] = {};
    for (const SmoothCase& c : cases) {
        const std::vector<uint8_t> jpg = oracle::encode(c.v);
        ASSERT_FALSE(jpg.empty()) << c.name;
        const std::vector<uint8_t> want = fancy_reference(jpg, c.color);
        for (int cls = 0; cls <= 6; ++cls) {
            ReadSetup s;
            s.color = c.color, s.channels = c.channels, s.cpu_class = cls, s.smooth = true;
            s.row_mode = cls == 3;   // the other name of the same request
            const Out got = run(jpg, s);
            ASSERT_EQ(got.result, 0) << c.name << " class " << cls;
            const jtest::Diff d = jtest::compare(got.px, want);
            ASSERT_TRUE(d.same_size) << c.name;
            EXPECT_LE(d.max, kTolerance) << c.name << " class " << cls;
            EXPECT_LE(d.mean, kMeanTolerance) << c.name << " class " << cls;
            largest[cls] = std::max(largest[cls], d.max);
            largest_mean[cls] = std::max(largest_mean[cls], d.mean);
            // Replication is measurably further from the filtered reference.
            s.smooth = s.row_mode = false;
            const jtest::Diff plain = jtest::compare(run(jpg, s).px, want);
            EXPECT_GT(plain.mean, d.mean * 1.5) << c.name << " class " << cls;
        }
    }
    for (int cls = 0; cls <= 6; ++cls)
        std::printf("JPEG smoothed up-sampling against fancy up-sampling, class %d: largest difference %d, "
                    "largest mean %.3f\n", cls, largest[cls], largest_mean[cls]);
}

// Interior chroma of a 2x1 picture follows (3s + n + 1) >> 2 and (3s + n + 2) >> 2,
// also at half and quarter size, where the filter runs on the scaled blocks.
TEST(JpegModes, SmoothedUpsamplingFollowsTheFilterAtScaledSizes) {
    const std::vector<uint8_t> jpg = oracle::encode({64, 16, Space::YCbCr, 2, 1, 90});
    for (int scale : {1, 2, 4}) {
        ReadSetup s;
        s.scale = scale, s.color = JPEG_COLOR_OTHER, s.other_stream = true;
        const Out plain = run(jpg, s);
        s.smooth = true;
        const Out smooth = run(jpg, s);
        ASSERT_EQ(plain.result, 0);
        ASSERT_EQ(smooth.result, 0);
        ASSERT_EQ(plain.px.size(), smooth.px.size());
        const int w = plain.width;
        int differ = 0;
        for (int y = 0; y < plain.height; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = (size_t(y) * w + x) * 3;
                EXPECT_EQ(smooth.px[i], plain.px[i]) << "luma is not filtered";
                // Replicated chroma: sample x / 2, its neighbour on the side of x.
                const int sx = x / 2, nx = std::clamp(x % 2 ? sx + 1 : sx - 1, 0, (w + 1) / 2 - 1);
                for (int k = 1; k < 3; ++k) {
                    const int sv = plain.px[(size_t(y) * w + 2 * sx) * 3 + k];
                    const int nv = plain.px[(size_t(y) * w + 2 * nx) * 3 + k];
                    const int want = (3 * sv + nv + (x % 2 ? 2 : 1)) >> 2;
                    EXPECT_EQ(smooth.px[i + k], want) << "scale " << scale << " x " << x << " y " << y;
                    differ += smooth.px[i + k] != plain.px[i + k];
                }
            }
        EXPECT_GT(differ, 0) << scale;
    }
}

struct WholeCase {
    const char* name;
    Vorgabe v;
    ReadSetup s;
};

// Steps and regions give the whole picture's pixels: every case is read whole,
// stepped MCU by MCU, and (where it names a region) as a region, at every class.
TEST(JpegModes, SteppedAndRegionReadsGiveTheWholePicture) {
    ReadSetup rgba;
    rgba.color = JPEG_COLOR_RGBA, rgba.channels = 4;
    ReadSetup half;
    half.scale = 2;
    ReadSetup smooth;
    smooth.smooth = true;
    ReadSetup file;
    file.file = true;
    const WholeCase cases[] = {
        {"4:2:0 baseline", {72, 56, Space::YCbCr, 2, 2, 75}, {}},
        {"4:2:2 restart every 2", {61, 37, Space::YCbCr, 2, 1, 80, false, 0, 2}, rgba},
        {"4:4:4 progressive", {40, 33, Space::YCbCr, 1, 1, 85, true}, {}},
        {"4:2:0 progressive half", {70, 50, Space::YCbCr, 2, 2, 75, true}, half},
        {"separate scans", {50, 42, Space::YCbCr, 2, 2, 75, false, 0, 0, true, false, true}, {}},
        {"gray from a file", {45, 37, Space::Gray, 1, 1, 70}, file},
        {"4:2:0 smoothed", {66, 50, Space::YCbCr, 2, 2, 75}, smooth},
        {"4:2:2 smoothed progressive", {58, 34, Space::YCbCr, 2, 1, 75, true}, smooth},
        {"4:2:0 smoothed separate scans", {60, 44, Space::YCbCr, 2, 2, 75, false, 0, 0, true, false, true}, smooth},
    };
    for (const WholeCase& c : cases) {
        const std::vector<uint8_t> jpg = oracle::encode(c.v);
        ASSERT_FALSE(jpg.empty()) << c.name;
        for (int cls = 0; cls <= 6; ++cls) {
            ReadSetup s = c.s;
            s.cpu_class = cls;
            const Out whole = run(jpg, s);
            ASSERT_EQ(whole.result, 0) << c.name;
            ASSERT_EQ(whole.calls, 1);
            s.step = true;
            const Out stepped = run(jpg, s);
            EXPECT_EQ(stepped.result, 0) << c.name << " class " << cls;
            EXPECT_EQ(stepped.px, whole.px) << c.name << " class " << cls;
            // One call per MCU put out: the positions run in raster order, and
            // right and bottom give the pixel position reached.
            EXPECT_GT(stepped.calls, 4) << c.name;
            for (size_t i = 1; i < stepped.steps.size(); ++i) {
                const JPEG_RECT& a = stepped.steps[i - 1];
                const JPEG_RECT& b = stepped.steps[i];
                // Raster order within a pass; a later pass (another scan) starts again above.
                if (b.top == a.top) {
                    EXPECT_GT(b.left, a.left) << c.name << " step " << i;
                }
                EXPECT_GT(b.right, 0);
                EXPECT_LE(b.right, whole.width);
                EXPECT_LE(b.bottom, whole.height);
            }
            // Regions inside the picture, read whole and stepped: exactly the
            // pixels of the same rectangle of the whole picture, on MCU bounds
            // and off them (an MCU the region cuts converts as the whole read
            // converts it).
            const int m = 16 / s.scale;
            const JPEG_RECT regions[] = {
                {m, m, 2 * m, 2 * m},
                {whole.width / 5, whole.height / 3, whole.width * 4 / 5, whole.height - 3},
                {3, 5, whole.width - 7, whole.height - 2},
            };
            for (const JPEG_RECT& g : regions) {
                s.region = g;
                for (bool step : {false, true}) {
                    s.step = step;
                    const Out part = run(jpg, s);
                    EXPECT_EQ(part.result, JPEG_ROI_SUCCESS) << c.name << " class " << cls << " step " << step;
                    ASSERT_EQ(part.width, g.right - g.left);
                    const int ch = s.channels;
                    std::vector<uint8_t> want;
                    for (int y = 0; y < part.height; ++y) {
                        const auto row = whole.px.begin() + ptrdiff_t((size_t(y + g.top) * whole.width + g.left) * ch);
                        want.insert(want.end(), row, row + ptrdiff_t(part.width) * ch);
                    }
                    const jtest::Diff d = jtest::compare(part.px, want);
                    EXPECT_TRUE(d.same_size);
                    EXPECT_EQ(d.max, 0) << c.name << " class " << cls << " step " << step << " region "
                                                << g.left << "," << g.top;
                }
            }
        }
    }
}

// The stepped read of a 2 x 2-MCU picture: three calls return 1 with the MCUs
// (0,0), (1,0) and (0,1); the fourth puts out (1,1) and returns 0.
TEST(JpegModes, StepModeReportsEachMcu) {
    const std::vector<uint8_t> jpg = oracle::encode({32, 30, Space::YCbCr, 2, 2, 75});
    ReadSetup s;
    s.step = true;
    const Out o = run(jpg, s);
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.calls, 4);
    ASSERT_EQ(o.steps.size(), 3u);
    const JPEG_RECT want[] = {{0, 0, 16, 16}, {1, 0, 32, 16}, {0, 1, 16, 30}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(o.steps[i].left, want[i].left) << i;
        EXPECT_EQ(o.steps[i].top, want[i].top) << i;
        EXPECT_EQ(o.steps[i].right, want[i].right) << i;
        EXPECT_EQ(o.steps[i].bottom, want[i].bottom) << i;
    }
    // A stepped, smoothed read given up after two calls leaves nothing behind:
    // the next reads on the record are those of a fresh one.
    {
        const std::vector<uint8_t> jpg = oracle::encode({72, 56, Space::YCbCr, 2, 2, 75});
        const Out plain = run(jpg, ReadSetup{});
        auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
        JPEG_IMAGE_PARAMS* p = params.get();
        ASSERT_EQ(jpeg_init(p), 0);
        p->stream_data = jpg.data();
        p->stream_size = int32_t(jpg.size());
        ASSERT_EQ(jpeg_read(p, JPEG_OP_PARAMS_MEM), 0);
        std::vector<uint8_t> px(plain.px.size());
        p->image_data = px.data();
        p->image_width = plain.width, p->image_height = plain.height;
        p->image_channels = 3, p->image_color = JPEG_COLOR_RGB;
        p->props.smooth_upsampling = 1;
        for (int i = 0; i < 2; ++i) {
            p->props.mcu_step = 1;
            EXPECT_EQ(jpeg_read(p, JPEG_OP_IMAGE_MEM), JPEG_INTERRUPT_SUCCESS);
        }
        p->props.smooth_upsampling = 0;
        EXPECT_EQ(jpeg_read(p, JPEG_OP_PARAMS_MEM), 0);
        EXPECT_EQ(jpeg_read(p, JPEG_OP_IMAGE_MEM), 0);
        EXPECT_EQ(px, plain.px);
        jpeg_free(p);
    }
    // A damaged stream stepped to its end reports its fault at the end, as whole.
    std::vector<uint8_t> cut(jpg.begin(), jpg.end() - 40);
    s.step = false;
    const Out whole = run(cut, s);
    s.step = true;
    const Out stepped = run(cut, s);
    EXPECT_EQ(whole.result, JPEG_ERR_EOF);
    EXPECT_EQ(stepped.result, whole.result);
    EXPECT_EQ(stepped.px, whole.px);
}

// Component planes: the samples of each component at its blocks' positions
// agree with the interleaved (replicated, unconverted) output; the coefficient
// planes, dequantised and transformed by the class's own kernels, give the
// sample planes exactly.
TEST(JpegModes, ComponentPlanesMatchTheInterleavedOutput) {
    const Vorgabe cases[] = {
        {48, 40, Space::YCbCr, 2, 2, 75},
        {53, 27, Space::YCbCr, 2, 1, 85, true},
        {40, 24, Space::YCbCr, 2, 2, 75, false, 0, 0, true, false, true},
        {35, 21, Space::YCbCr, 1, 1, 70, false, 0, 2},
    };
    for (const Vorgabe& v : cases) {
        const std::vector<uint8_t> jpg = oracle::encode(v);
        for (int cls : {0, 4, 6}) {
            ReadSetup s;
            s.cpu_class = cls, s.color = JPEG_COLOR_OTHER, s.other_stream = true;
            const Out pixels = run(jpg, s);
            ASSERT_EQ(pixels.result, 0);
            // Planes sized from the frame of that read.
            std::vector<int16_t> store[2][4];
            JPEG_COMPONENT_PLANES planes[2];
            size_t pcols[4], prows[4];
            for (int mode = 0; mode < 2; ++mode) {
                planes[mode].samples = uint32_t(mode);
                for (uint32_t i = 0; i < 4; ++i) {
                    planes[mode].plane[i] = nullptr;
                    planes[mode].capacity[i] = 0;
                    if (i >= pixels.frame.ncomps) continue;
                    pcols[i] = size_t(pixels.frame.mcus_per_row) * pixels.comps[i].h;
                    prows[i] = size_t(pixels.frame.mcu_rows) * pixels.comps[i].v;
                    store[mode][i].assign(pcols[i] * prows[i] * 64, int16_t(-999));
                    planes[mode].plane[i] = store[mode][i].data();
                    planes[mode].capacity[i] = pcols[i] * prows[i];
                }
                s.planes = &planes[mode];
                EXPECT_EQ(run(jpg, s).result, 0);
            }
            const JPEG_FRAME& f = pixels.frame;
            for (uint32_t i = 0; i < f.ncomps; ++i) {
                const uint32_t fh = f.hmax / pixels.comps[i].h, fv = f.vmax / pixels.comps[i].v;
                for (int y = 0; y < pixels.height; ++y)
                    for (int x = 0; x < pixels.width; ++x) {
                        const size_t cx = size_t(x) / fh, cy = size_t(y) / fv;
                        const int16_t sample = store[1][i][((cy / 8) * pcols[i] + cx / 8) * 64 + (cy % 8) * 8 + cx % 8];
                        ASSERT_EQ(uint8_t(sample), pixels.px[(size_t(y) * pixels.width + x) * 3 + i])
                            << "class " << cls << " component " << i << " at " << x << "," << y;
                    }
                // Every block of the coefficient plane turns into the sample block.
                JPEG_ENVIRONMENT env{};
                jpeg_setup_environment(&env);
                jpeg_fill_kernels(&env, cls);
                const uint16_t* q = pixels.quant[pixels.comps[i].tq & 3].values;
                const size_t nblocks = pcols[i] * prows[i];
                for (size_t b = 0; b < nblocks; ++b) {
                    int16_t blk[64];
                    std::copy_n(store[0][i].begin() + ptrdiff_t(b * 64), 64, blk);
                    if (blk[0] == -999) continue;   // outside the component's grid
                    env.k.dequantize_accurate(blk, q);
                    env.k.idct_accurate(blk);
                    ASSERT_TRUE(std::equal(blk, blk + 64, store[1][i].begin() + ptrdiff_t(b * 64)))
                        << "class " << cls << " component " << i << " block " << b;
                }
                jpeg_release_environment(&env);
            }
        }
    }
}

// The rectangle g of a whole picture's pixels.
std::vector<uint8_t> cut(const Out& whole, const JPEG_RECT& g, int ch) {
    std::vector<uint8_t> want;
    for (int y = g.top; y < g.bottom; ++y) {
        const auto row = whole.px.begin() + ptrdiff_t((size_t(y) * whole.width + g.left) * ch);
        want.insert(want.end(), row, row + ptrdiff_t(g.right - g.left) * ch);
    }
    return want;
}

// One region read on a record that lives on between reads.
std::vector<uint8_t> region_read(JPEG_IMAGE_PARAMS* p, const JPEG_RECT& g, bool file, JPEG_RESULT* result) {
    std::vector<uint8_t> px(size_t(g.right - g.left) * (g.bottom - g.top) * 3, 0xCD);
    p->image_data = px.data();
    p->image_width = g.right - g.left;
    p->image_height = g.bottom - g.top;
    p->image_channels = 3;
    p->image_color = JPEG_COLOR_RGB;
    p->props.region = g;
    *result = jpeg_read(p, file ? JPEG_OP_IMAGE_FILE : JPEG_OP_IMAGE_MEM);
    return px;
}

// Later region reads of one stream start at the rows the index recorded and
// give the whole picture's pixels; another picture put in the same block or
// file (same size, same headers) is not read through the old index.
TEST(JpegModes, RegionIndexServesLaterReadsOfTheSameStreamOnly) {
    const Vorgabe v = {64, 160, Space::YCbCr, 2, 2, 75};
    const Vorgabe with_restarts = {64, 160, Space::YCbCr, 2, 1, 75, false, 0, 3};
    for (const Vorgabe& vv : {v, with_restarts}) {
        std::vector<uint8_t> a = oracle::encode(vv, nullptr);
        const std::vector<uint8_t> pixels_b = oracle::pattern(vv.width, vv.height, 3, 99);
        std::vector<uint8_t> b = oracle::encode(vv, &pixels_b);
        const size_t size = std::max(a.size(), b.size());
        a.resize(size, 0), b.resize(size, 0);   // bytes after the end marker are not read
        for (bool file : {false, true}) {
            for (int cls : {0, 6}) {
                ReadSetup s;
                s.cpu_class = cls;
                const Out whole_a = run(a, s), whole_b = run(b, s);
                ASSERT_EQ(whole_a.result, 0);
                ASSERT_EQ(whole_b.result, 0);
                std::vector<uint8_t> block = a;
                const std::string name = file ? temp_file(a) : std::string();
                auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
                JPEG_IMAGE_PARAMS* p = params.get();
                ASSERT_EQ(jpeg_init(p), 0);
                jpeg_fill_kernels(p->props.stream.environment, cls);
                p->stream_data = block.data();
                p->stream_size = int32_t(block.size());
                p->stream_file = name.c_str();
                ASSERT_EQ(jpeg_read(p, file ? JPEG_OP_PARAMS_FILE : JPEG_OP_PARAMS_MEM), 0);
                // On MCU bounds: the pixels are the same at every class (see above).
                const JPEG_RECT low = {16, 128, 48, 144}, middle = {0, 64, 32, 96}, top = {16, 0, 48, 16};
                JPEG_RESULT r;
                EXPECT_EQ(jtest::compare(region_read(p, low, file, &r), cut(whole_a, low, 3)).max, 0) << file << cls;
                EXPECT_EQ(r, JPEG_ROI_SUCCESS);
                const uint32_t known = jpeg_region_index_known(&p->props);
                EXPECT_GE(known, 128u / (vv.v0 * 8));   // every row above the region's
                for (const JPEG_RECT& g : {middle, top, low}) {
                    EXPECT_EQ(jtest::compare(region_read(p, g, file, &r), cut(whole_a, g, 3)).max, 0)
                        << file << cls << " " << g.top;
                    EXPECT_EQ(r, JPEG_ROI_SUCCESS);
                }
                EXPECT_EQ(jpeg_region_index_known(&p->props), known);   // nothing new to record
                // The other picture in the same place.
                if (file) {
                    FILE* f = std::fopen(name.c_str(), "wb");
                    std::fwrite(b.data(), 1, b.size(), f);
                    std::fclose(f);
                } else {
                    block = b;
                }
                EXPECT_EQ(jtest::compare(region_read(p, middle, file, &r), cut(whole_b, middle, 3)).max, 0)
                    << file << cls;
                EXPECT_EQ(r, JPEG_ROI_SUCCESS);
                jpeg_free(p);
                if (file) std::remove(name.c_str());
            }
        }
    }
}

}  // namespace
