// Encoded pictures checked from the outside: libjpeg-turbo decodes them without
// warnings, baseline and progressive carry the same quantised coefficients, the
// round-trip PSNR stays in its measured band, the codec's own decoder reads them,
// restart markers, interrupted encodes, file output and a full memory block.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"
#include "tests/support/temp_dir.h"
#include "tests/jpeg/enc_support.h"

using namespace velmora;

namespace {

struct Config {
    const char* name;
    int32_t image_color, channels, stream_color, stream_channels, sampling;
};

const Config kConfigs[] = {
    {"rgb 4:2:0", JPEG_COLOR_RGB, 3, JPEG_COLOR_YCBCR, 3, 1},
    {"bgr 4:2:2", JPEG_COLOR_BGR, 3, JPEG_COLOR_YCBCR, 3, 2},
    {"rgb 4:4:4", JPEG_COLOR_RGB, 3, JPEG_COLOR_YCBCR, 3, 0},
    {"gray", JPEG_COLOR_GRAY, 1, JPEG_COLOR_GRAY, 1, 0},
    {"rgb as gray", JPEG_COLOR_RGB, 3, JPEG_COLOR_GRAY, 1, 0},
    {"rgb as rgb", JPEG_COLOR_RGB, 3, JPEG_COLOR_RGB, 3, 0},
    {"rgba as ycbcra 4:2:0", JPEG_COLOR_RGBA, 4, JPEG_COLOR_YCBCRA, 4, 3},
    {"rgba as rgba", JPEG_COLOR_RGBA, 4, JPEG_COLOR_RGBA, 4, 0},
    {"rgb 4 channels 4:2:2", JPEG_COLOR_RGB, 4, JPEG_COLOR_YCBCR, 3, 2},
};

enc::Setup setup_of(const Config& c, int w, int h) {
    enc::Setup s;
    s.width = w, s.height = h;
    s.image_color = c.image_color, s.channels = c.channels;
    s.stream_color = c.stream_color, s.stream_channels = c.stream_channels, s.sampling = c.sampling;
    return s;
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// The codec's own decoder into the layout libjpeg-turbo gives.
std::vector<uint8_t> own_decode(const std::vector<uint8_t>& jpg, int w, int h, int channels) {
    auto p = std::make_unique<JPEG_IMAGE_PARAMS>();
    jpeg_init(p.get());
    p->stream_data = jpg.data();
    p->stream_size = int32_t(jpg.size());
    std::vector<uint8_t> px(size_t(w) * h * channels);
    JPEG_RESULT r = jpeg_read(p.get(), JPEG_OP_PARAMS_MEM);
    p->image_data = px.data();
    p->image_width = w;
    p->image_height = h;
    p->image_channels = channels;
    p->image_color = channels == 1 ? JPEG_COLOR_GRAY : channels == 4 ? JPEG_COLOR_RGBA : JPEG_COLOR_RGB;
    if (r == 0) r = jpeg_read(p.get(), JPEG_OP_IMAGE_MEM);
    jpeg_free(p.get());
    return r == 0 ? px : std::vector<uint8_t>{};
}

// The codec's own decoder at a class and read operation; empty on failure.
std::vector<uint8_t> own_decode_at(const std::vector<uint8_t>& jpg, int32_t cls, int32_t op, uint32_t divisor,
                                   int channels) {
    auto p = std::make_unique<JPEG_IMAGE_PARAMS>();
    jpeg_init(p.get());
    jpeg_fill_kernels(p->props.stream.environment, cls);
    p->stream_data = jpg.data();
    p->stream_size = int32_t(jpg.size());
    JPEG_RESULT r = jpeg_read(p.get(), JPEG_OP_PARAMS_MEM);
    const int w = int(uint32_t(p->stream_width) + divisor - 1) / int(divisor);
    const int h = int(uint32_t(p->stream_height) + divisor - 1) / int(divisor);
    std::vector<uint8_t> px(size_t(w) * h * channels, 0xA5);
    p->image_data = px.data();
    p->image_width = w;
    p->image_height = h;
    p->image_channels = channels;
    p->image_color = channels == 1 ? JPEG_COLOR_GRAY : channels == 4 ? JPEG_COLOR_RGBA : JPEG_COLOR_RGB;
    if (r == 0) r = jpeg_read(p.get(), op);
    jpeg_free(p.get());
    return r == 0 ? px : std::vector<uint8_t>{};
}

}  // namespace

TEST(EncRoundTrip, ProgressiveDecodesAsTheBaselineOfTheSameCoefficients) {
    // The two files carry the same quantised coefficients (the test below), so
    // the decoder must give the same bytes from both: the progressive scans
    // keep their coefficients in their own buffer layout, the baseline decode
    // does not. Every class and scale, subsampled, gray and four-channel
    // pictures, sizes that cut MCUs.
    const struct { int sizes[2]; int32_t op; uint32_t divisor; } reads[] = {
        {{45, 27}, JPEG_OP_IMAGE_MEM, 1}, {{45, 27}, JPEG_OP_HALF_MEM, 2}, {{33, 70}, JPEG_OP_QUARTER_MEM, 4},
        {{33, 70}, JPEG_OP_EIGHTH_MEM, 8}, {{8, 8}, JPEG_OP_IMAGE_MEM, 1}, {{131, 17}, JPEG_OP_IMAGE_MEM, 1}};
    for (const Config& c : {kConfigs[0], kConfigs[1], kConfigs[2], kConfigs[3], kConfigs[6]})
        for (const auto& rd : reads) {
            enc::Setup s = setup_of(c, rd.sizes[0], rd.sizes[1]);
            s.quality = 90;
            const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, s.channels, 7);
            int32_t r = -1;
            const std::vector<uint8_t> base = enc::encode(s, px, &r);
            ASSERT_EQ(r, 0) << c.name;
            s.progressive = 1;
            const std::vector<uint8_t> prog = enc::encode(s, px, &r);
            ASSERT_EQ(r, 0) << c.name;
            for (int32_t cls = 0; cls < 7; ++cls) {
                const auto a = own_decode_at(base, cls, rd.op, rd.divisor, c.channels);
                const auto b = own_decode_at(prog, cls, rd.op, rd.divisor, c.channels);
                ASSERT_FALSE(a.empty()) << c.name << " class " << cls << " op " << rd.op;
                EXPECT_EQ(a, b) << c.name << " " << s.width << "x" << s.height << " class " << cls << " op " << rd.op;
            }
        }
}

TEST(EncRoundTrip, OracleDecodesWithoutWarningsAndCoefficientsAgree) {
    for (const Config& c : kConfigs)
        for (uint32_t transform : {0u, 1u}) {
            enc::Setup s = setup_of(c, 45, 27);
            s.transform = transform;
            const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, s.channels, 5);
            int32_t r = -1;
            const std::vector<uint8_t> base = enc::encode(s, px, &r);
            ASSERT_EQ(r, 0) << c.name;
            s.progressive = 1;
            const std::vector<uint8_t> prog = enc::encode(s, px, &r);
            ASSERT_EQ(r, 0) << c.name;
            for (const auto* jpg : {&base, &prog}) {
                const enc::Decoded d = enc::oracle_decode(*jpg);
                EXPECT_TRUE(d.ok) << c.name;
                EXPECT_EQ(d.warnings, 0) << c.name;
                EXPECT_EQ(d.image.width, s.width);
                EXPECT_EQ(d.image.height, s.height);
            }
            const auto cb = enc::oracle_coefficients(base), cp = enc::oracle_coefficients(prog);
            ASSERT_EQ(cb.size(), size_t(s.stream_channels)) << c.name;
            EXPECT_EQ(cb, cp) << c.name << " transform " << transform;
            EXPECT_LT(prog.size(), base.size() + base.size() / 10) << c.name;
        }
}

TEST(EncRoundTrip, PsnrPerQualityStaysInItsBand) {
    // Measured on the smooth-with-noise test pattern, 4:4:4 YCbCr and gray
    // (4:2:0 loses the pattern's colour detail on top): the bands hold both
    // transforms and both writers.
    const struct { int32_t quality; double lo, hi; } bands[] = {{25, 25.0, 31.0}, {50, 27.0, 33.0}, {75, 28.5, 35.0},
                                                                {90, 32.0, 40.0}, {100, 40.0, 75.0}};
    for (const Config& c : {kConfigs[2], kConfigs[3]})
        for (auto b : bands)
            for (uint32_t prog : {0u, 1u}) {
                enc::Setup s = setup_of(c, 64, 48);
                s.quality = b.quality;
                s.progressive = prog;
                const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, s.channels, 9);
                const enc::Decoded d = enc::oracle_decode(enc::encode(s, px));
                const double v = enc::psnr(px, d.image.px);
                EXPECT_GT(v, b.lo) << c.name << " q" << b.quality;
                EXPECT_LT(v, b.hi) << c.name << " q" << b.quality;
            }
}

TEST(EncRoundTrip, OwnDecoderReadsTheOutput) {
    for (const Config& c : {kConfigs[0], kConfigs[1], kConfigs[3], kConfigs[6]})
        for (uint32_t prog : {0u, 1u}) {
            enc::Setup s = setup_of(c, 37, 21);
            s.progressive = prog;
            const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, s.channels, 2);
            const std::vector<uint8_t> jpg = enc::encode(s, px);
            const enc::Decoded d = enc::oracle_decode(jpg);
            const std::vector<uint8_t> own = own_decode(jpg, s.width, s.height, d.image.channels);
            ASSERT_FALSE(own.empty()) << c.name;
            EXPECT_GT(enc::psnr(d.image.px, own), 30.0) << c.name;
        }
}

TEST(EncRoundTrip, RestartMarkersAfterEveryInterval) {
    // Restart interval 2 on 3 x 2 MCUs: RST0, RST1, RST2, the last right before EOI.
    const struct { int w, h; uint32_t interval; std::vector<uint8_t> markers; } cases[] = {
        {48, 32, 2, {0xD0, 0xD1, 0xD2}},
        {160, 32, 1, {0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7,
                     0xD0, 0xD1, 0xD2, 0xD3}},
    };
    for (const auto& c : cases) {
        enc::Setup s = setup_of(kConfigs[0], c.w, c.h);
        s.restart = c.interval;
        const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, 3, 4);
        const std::vector<uint8_t> jpg = enc::encode(s, px);
        std::vector<uint8_t> found;
        bool dri = false;
        for (size_t i = 0; i + 1 < jpg.size(); ++i) {
            if (jpg[i] == 0xFF && jpg[i + 1] >= 0xD0 && jpg[i + 1] <= 0xD7) found.push_back(jpg[i + 1]);
            if (i + 5 < jpg.size() && jpg[i] == 0xFF && jpg[i + 1] == 0xDD && jpg[i + 4] == 0 && jpg[i + 5] == c.interval) dri = true;
        }
        EXPECT_TRUE(dri);
        EXPECT_EQ(found, c.markers);
        EXPECT_EQ(jpg[jpg.size() - 4], 0xFF);
        EXPECT_EQ(jpg[jpg.size() - 3], c.markers.back());
        const enc::Decoded d = enc::oracle_decode(jpg);
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.warnings, 0);
        // The restart resets the predictors: the picture equals the one without restarts.
        s.restart = 0;
        EXPECT_EQ(enc::oracle_decode(enc::encode(s, px)).image.px, d.image.px);
    }
}

TEST(EncRoundTrip, InterruptedEncodeEqualsUninterrupted) {
    for (uint32_t restart : {0u, 3u})
        for (const Config& c : {kConfigs[0], kConfigs[3]}) {
            enc::Setup s = setup_of(c, 50, 40);
            s.restart = restart;
            const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, s.channels, 6);
            const std::vector<uint8_t> whole = enc::encode(s, px);
            std::vector<uint8_t> out;
            enc::Params p = enc::make_params(s, px, out);
            int calls = 0;
            JPEG_RESULT r;
            do {
                p->props.mcu_step = 1;
                r = jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_MEM);
                ++calls;
                if (r == 1) {
                    EXPECT_EQ(p->props.mcu_step, 0u);
                    EXPECT_GT(p->props.region.right, 0);
                    EXPECT_LE(p->props.region.right, s.width);
                    EXPECT_LE(p->props.region.bottom, s.height);
                }
            } while (r == 1 && calls < 1000);
            ASSERT_EQ(r, 0);
            EXPECT_EQ(uint32_t(calls), p->props.frame.mcu_count + 1);
            out.resize(size_t(p->stream_size));
            EXPECT_EQ(out, whole) << c.name << " restart " << restart;
        }
}

TEST(EncRoundTrip, FileOutputEqualsMemoryOutput) {
    velmora::test::TempDir dir;
    for (uint32_t prog : {0u, 1u}) {
        enc::Setup s = setup_of(kConfigs[0], 300, 200);   // more than one 4096-byte buffer
        s.progressive = prog;
        s.quality = 95;
        const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, 3, 8);
        const std::vector<uint8_t> mem = enc::encode(s, px);
        ASSERT_GT(mem.size(), 8192u);
        std::vector<uint8_t> unused;
        enc::Params p = enc::make_params(s, px, unused);
        const std::string path = dir / (prog ? "p.jpg" : "b.jpg");
        p->stream_file = path.c_str();
        ASSERT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_FILE), 0);
        EXPECT_EQ(p->stream_size, int32_t(mem.size()));
        EXPECT_EQ(read_file(path), mem);
    }
    enc::Setup s = setup_of(kConfigs[0], 16, 16);
    std::vector<uint8_t> px(16 * 16 * 3), unused;
    enc::Params p = enc::make_params(s, px, unused);
    const std::string bad = dir / "missing/dir/x.jpg";
    p->stream_file = bad.c_str();
    EXPECT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_FILE), JPEG_ERR_FILE_NAME);
}

// A negative image height reads the rows bottom-up: the file is the one of the
// picture turned upside down, at every class, for MCUs the edges cut and not.
TEST(EncRoundTrip, BottomUpImageWritesThePictureTurned) {
    for (int32_t sampling : {JPEG_SAMPLING_420, JPEG_SAMPLING_444})
        for (uint32_t prog : {0u, 1u})
            for (int32_t cls : {0, -1}) {
                enc::Setup s;
                s.width = 70, s.height = 50, s.sampling = sampling, s.progressive = prog, s.cpu_class = cls;
                const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, 3, 4);
                std::vector<uint8_t> turned(px.size());
                const size_t row = size_t(s.width) * 3;
                for (int y = 0; y < s.height; ++y)
                    std::copy_n(px.begin() + ptrdiff_t(y * row), row, turned.begin() + ptrdiff_t((s.height - 1 - y) * row));
                const std::vector<uint8_t> expected = enc::encode(s, turned);
                ASSERT_FALSE(expected.empty());
                std::vector<uint8_t> out;
                enc::Params p = enc::make_params(s, px, out);
                p->image_height = -s.height;
                ASSERT_EQ(jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_MEM), 0);
                out.resize(size_t(p->stream_size));
                EXPECT_EQ(out, expected) << "sampling " << sampling << " prog " << prog << " class " << cls;
            }
}

TEST(EncRoundTrip, MemoryBlockMustHaveRoomToSpare) {
    for (uint32_t prog : {0u, 1u}) {
        enc::Setup s = setup_of(kConfigs[0], 40, 24);
        s.progressive = prog;
        const std::vector<uint8_t> px = oracle::pattern(s.width, s.height, 3, 1);
        const std::vector<uint8_t> whole = enc::encode(s, px);
        for (size_t size : {whole.size() - 100, whole.size(), whole.size() + 1}) {
            std::vector<uint8_t> out;
            enc::Params p = enc::make_params(s, px, out);
            p->stream_size = int32_t(size);
            const JPEG_RESULT r = jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_MEM);
            if (size > whole.size()) {
                EXPECT_EQ(r, 0);
                EXPECT_EQ(p->stream_size, int32_t(whole.size()));
                EXPECT_TRUE(std::equal(whole.begin(), whole.end(), out.begin()));
            } else {
                EXPECT_EQ(r, JPEG_ERR_OUTPUT_SMALL) << size;
            }
        }
    }
}

TEST(EncRoundTrip, RefusedParameters) {
    const std::vector<uint8_t> px(64 * 64 * 4, 7);
    const struct { const char* what; void (*change)(JPEG_IMAGE_PARAMS*); JPEG_RESULT r; } cases[] = {
        {"read operation", nullptr, JPEG_ERR_PARAMS},
        {"stream larger than image", [](JPEG_IMAGE_PARAMS* p) { p->stream_width = p->image_width + 1; }, JPEG_ERR_PARAMS},
        {"rgb sampling 3", [](JPEG_IMAGE_PARAMS* p) { p->stream_sampling = 3; }, JPEG_ERR_SUBSAMPLING},
        {"transform 2", [](JPEG_IMAGE_PARAMS* p) { p->props.idct_kind = 2; }, JPEG_ERR_PARAMS},
        {"three channels as gray progressive script",
         [](JPEG_IMAGE_PARAMS* p) {
             p->stream_color = JPEG_COLOR_GRAY;
             p->props.progressive_scans = 1;
         },
         JPEG_ERR_PARAMS},
        {"five components", [](JPEG_IMAGE_PARAMS* p) {
             p->image_color = p->stream_color = JPEG_COLOR_OTHER;
             p->image_channels = p->stream_channels = 5;
             p->stream_sampling = 0;
         }, JPEG_ERR_COMP},
    };
    for (const auto& c : cases) {
        enc::Setup s;
        s.width = s.height = 32;
        std::vector<uint8_t> out;
        enc::Params p = enc::make_params(s, px, out);
        if (c.change) c.change(p.get());
        EXPECT_EQ(jpeg_write(p.get(), c.change ? JPEG_OP_WRITE_IMAGE_MEM : JPEG_OP_IMAGE_MEM), c.r) << c.what;
    }
}

namespace {

// A write from the caller's component planes instead of pixels.
struct Planes {
    JPEG_COMPONENT_PLANES record{};
    std::vector<int16_t> store[4];
    size_t cols[4]{}, rows[4]{};
};

// Planes sized for the frame a setup gives (MCU grid of the sampling).
Planes planes_for(const enc::Setup& s, uint32_t samples) {
    Planes pl;
    pl.record.samples = samples;
    const bool wide = s.sampling == JPEG_SAMPLING_420 || s.sampling == JPEG_SAMPLING_422;
    const int hmax = wide ? 2 : 1, vmax = s.sampling == JPEG_SAMPLING_420 ? 2 : 1;
    const size_t mcols = size_t(s.width + 8 * hmax - 1) / (8 * hmax), mrows = size_t(s.height + 8 * vmax - 1) / (8 * vmax);
    for (int c = 0; c < s.stream_channels; ++c) {
        pl.cols[c] = mcols * (c == 0 ? hmax : 1), pl.rows[c] = mrows * (c == 0 ? vmax : 1);
        pl.store[c].assign(pl.cols[c] * pl.rows[c] * 64, 0);
        pl.record.plane[c] = pl.store[c].data();
        pl.record.capacity[c] = pl.cols[c] * pl.rows[c];
    }
    return pl;
}

int16_t& at(Planes& pl, int c, size_t x, size_t y) {
    return pl.store[c][((y / 8) * pl.cols[c] + x / 8) * 64 + (y % 8) * 8 + x % 8];
}

std::vector<uint8_t> encode_planes(const enc::Setup& s, Planes& pl, int32_t* result) {
    const std::vector<uint8_t> none;
    std::vector<uint8_t> out;
    enc::Params p = enc::make_params(s, none, out);
    p->image_data = nullptr;
    p->props.component_planes = &pl.record;
    *result = jpeg_write(p.get(), JPEG_OP_WRITE_IMAGE_MEM);
    out.resize(*result == 0 ? size_t(p->stream_size) : 0);
    return out;
}

// The codec's own decoder into sample planes of the same grid.
Planes decode_planes(const std::vector<uint8_t>& jpg, const enc::Setup& s) {
    Planes pl = planes_for(s, 1);
    auto p = std::make_unique<JPEG_IMAGE_PARAMS>();
    jpeg_init(p.get());
    p->stream_data = jpg.data();
    p->stream_size = int32_t(jpg.size());
    EXPECT_EQ(jpeg_read(p.get(), JPEG_OP_PARAMS_MEM), 0);
    p->image_width = s.width, p->image_height = s.height;
    p->image_channels = s.stream_channels;
    p->image_color = s.stream_channels == 1 ? JPEG_COLOR_GRAY : JPEG_COLOR_OTHER;
    p->stream_color = s.stream_channels == 1 ? JPEG_COLOR_GRAY : JPEG_COLOR_OTHER;
    p->props.component_planes = &pl.record;
    EXPECT_EQ(jpeg_read(p.get(), JPEG_OP_IMAGE_MEM), 0);
    jpeg_free(p.get());
    return pl;
}

}  // namespace

// Sample planes holding what the pixel input stage makes of a YCbCr picture
// (its chroma constant over the subsampling cells, its edges repeated) write the
// same bytes as the picture, baseline and progressive; the codec's decoder gives
// the planes back within the quality's error. Coefficient planes come back from
// libjpeg-turbo exactly, out-of-range values held to what the code can carry.
TEST(EncRoundTrip, ComponentPlanesWriteAsThePicture) {
    const struct { int32_t sampling; int channels; } kinds[] = {
        {JPEG_SAMPLING_444, 3}, {JPEG_SAMPLING_420, 3}, {JPEG_SAMPLING_422, 3}, {JPEG_SAMPLING_444, 1}};
    for (const auto& k : kinds)
        for (uint32_t prog : {0u, 1u}) {
            enc::Setup s;
            s.width = 45, s.height = 27, s.quality = 90, s.progressive = prog;
            s.sampling = k.sampling;
            s.channels = s.stream_channels = k.channels;
            s.image_color = s.stream_color = k.channels == 1 ? JPEG_COLOR_GRAY : JPEG_COLOR_YCBCR;
            const std::string what = "sampling " + std::to_string(k.sampling) + " channels " +
                                     std::to_string(k.channels) + " progressive " + std::to_string(prog);
            std::vector<uint8_t> px = oracle::pattern(s.width, s.height, s.channels, 11);
            for (int y = 0; y < s.height; ++y)   // chroma constant over 2x2 cells
                for (int x = 0; x < s.width; ++x)
                    for (int c = 1; c < k.channels; ++c)
                        px[(size_t(y) * s.width + x) * 3 + c] = px[(size_t(y & ~1) * s.width + (x & ~1)) * 3 + c];
            int32_t r = -1;
            const std::vector<uint8_t> want = enc::encode(s, px, &r);
            ASSERT_EQ(r, 0) << what;

            Planes pl = planes_for(s, 1);
            for (int c = 0; c < k.channels; ++c) {
                const int fx = c > 0 && k.sampling != JPEG_SAMPLING_444 ? 2 : 1;
                const int fy = c > 0 && k.sampling == JPEG_SAMPLING_420 ? 2 : 1;
                for (size_t y = 0; y < pl.rows[c] * 8; ++y)
                    for (size_t x = 0; x < pl.cols[c] * 8; ++x) {
                        const size_t sx = std::min<size_t>(x * fx, size_t(s.width) - 1);
                        const size_t sy = std::min<size_t>(y * fy, size_t(s.height) - 1);
                        at(pl, c, x, y) = px[(sy * s.width + sx) * k.channels + c];
                    }
            }
            const std::vector<uint8_t> got = encode_planes(s, pl, &r);
            ASSERT_EQ(r, 0) << what;
            EXPECT_EQ(got, want) << what;
            const Planes back = decode_planes(got, s);
            for (int c = 0; c < k.channels; ++c) {
                std::vector<uint8_t> a, b;
                for (size_t y = 0; y < pl.rows[c] * 8; ++y)
                    for (size_t x = 0; x < pl.cols[c] * 8; ++x) {
                        a.push_back(uint8_t(at(pl, c, x, y)));
                        b.push_back(uint8_t(back.store[c][((y / 8) * pl.cols[c] + x / 8) * 64 + (y % 8) * 8 + x % 8]));
                    }
                EXPECT_GT(enc::psnr(a, b), 34.0) << what << " component " << c;
            }

            // Coefficients: sparse random values, one far out of range.
            Planes cf = planes_for(s, 0);
            uint32_t seed = 99;
            auto rnd = [&seed](int n) { return int((seed = seed * 1103515245u + 12345u) >> 16) % n; };
            for (int c = 0; c < k.channels; ++c)
                for (size_t b = 0; b < cf.record.capacity[c]; ++b) {
                    int16_t* blk = cf.store[c].data() + b * 64;
                    blk[0] = int16_t(rnd(400) - 200);
                    for (int i = 1; i < 64; ++i)
                        if (rnd(6) == 0) blk[i] = int16_t(rnd(81) - 40);
                }
            cf.store[0][64 + 9] = 30000;
            const std::vector<uint8_t> coded = encode_planes(s, cf, &r);
            ASSERT_EQ(r, 0) << what;
            cf.store[0][64 + 9] = 1023;
            const auto read = enc::oracle_coefficients(coded);
            ASSERT_EQ(read.size(), size_t(k.channels)) << what;
            for (int c = 0; c < k.channels; ++c) {
                const int fx = c > 0 && k.sampling != JPEG_SAMPLING_444 ? 2 : 1;
                const int fy = c > 0 && k.sampling == JPEG_SAMPLING_420 ? 2 : 1;
                const size_t bw = (size_t(s.width + fx - 1) / fx + 7) / 8, bh = (size_t(s.height + fy - 1) / fy + 7) / 8;
                ASSERT_EQ(read[c].size(), bw * bh * 64) << what;
                for (size_t by = 0; by < bh; ++by)
                    for (size_t bx = 0; bx < bw; ++bx)
                        ASSERT_TRUE(std::equal(cf.store[c].begin() + ptrdiff_t((by * cf.cols[c] + bx) * 64),
                                               cf.store[c].begin() + ptrdiff_t((by * cf.cols[c] + bx + 1) * 64),
                                               read[c].begin() + ptrdiff_t((by * bw + bx) * 64)))
                            << what << " component " << c << " block " << bx << "," << by;
            }
            // A plane too small for the frame, or missing, is refused.
            cf.record.capacity[k.channels - 1] -= 1;
            encode_planes(s, cf, &r);
            EXPECT_EQ(r, JPEG_ERR_PARAMS) << what;
            cf.record.capacity[k.channels - 1] += 1;
            cf.record.plane[0] = nullptr;
            encode_planes(s, cf, &r);
            EXPECT_EQ(r, JPEG_ERR_PARAMS) << what;
        }
}
