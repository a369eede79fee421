// Whole pictures at every processor class: classes 0 to 2 decode identically,
// classes 3 to 6 identically among themselves and within a small bound of the
// plain classes; the class comes from "USECPU" as the program would set it.
#include "tests/jpeg/jpeg_decode_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "jpeg/jpeg_env.h"
#include "platform/settings.h"
#include "tests/jpeg/jpeg_oracle.h"
#include "tests/support/temp_dir.h"

namespace {

using jtest::Options;
using oracle::Space;
using oracle::Vorgabe;
using namespace velmora;

struct Case {
    const char* name;
    Vorgabe vorgabe;
    Options options;
    // Largest difference per sample between class 0 and classes 3-6: the
    // transform's 2 in luminance, its 2 in chroma scaled by up to 1.78 in the
    // colour formulas, and the converters' 1; the fast family's 4 likewise.
    int bound;
    double mean;
};

std::vector<Case> corpus() {
    std::vector<Case> v;
    auto add = [&](const char* name, Vorgabe s, Options o = {}, int bound = 6, double mean = 0.75) {
        v.push_back({name, s, o, bound, mean});
    };
    const int factors[][2] = {{1, 1}, {2, 1}, {2, 2}, {1, 2}};
    for (auto& f : factors) {
        Vorgabe s;
        s.width = 70, s.height = 45, s.h0 = f[0], s.v0 = f[1];
        add("sampling", s);
        s.progressive = true;
        add("sampling progressive", s);
        s.progressive = false;
        add("bgr", s, {JPEG_COLOR_BGR, 3});
        add("rgba", s, {JPEG_COLOR_RGBA, 4});
        add("bottom-up with pad", s, {JPEG_COLOR_RGB, 3, 1, 3, true});
        Options half;
        half.scale = 2;
        add("half size", s, half);
        Options fast;
        fast.idct_kind = 0;
        add("fast transform", s, fast, 12, 1.2);
    }
    for (int q : {5, 50, 95, 100}) {
        Vorgabe s;
        s.width = 64, s.height = 32, s.quality = q;
        add("quality", s);
    }
    Vorgabe gray;
    gray.space = Space::Gray, gray.width = 33, gray.height = 21, gray.h0 = gray.v0 = 1;
    add("gray", gray, {JPEG_COLOR_GRAY, 1});
    add("gray as rgb", gray);
    for (Space sp : {Space::Cmyk, Space::Ycck})
        for (int h : {1, 2}) {
            Vorgabe s;
            s.space = sp, s.h0 = s.v0 = h, s.width = 37, s.height = 29;
            add("four components", s, {JPEG_COLOR_RGBA, 4});
        }
    Vorgabe ycbcr;
    ycbcr.width = 48, ycbcr.height = 16, ycbcr.h0 = 2, ycbcr.v0 = 1;
    add("packed 4:2:2", ycbcr, {JPEG_COLOR_YCBCR, 2});
    Vorgabe restart;
    restart.width = 100, restart.height = 60, restart.restart_mcus = 3;
    add("restart", restart);
    restart.optimize = true, restart.restart_mcus = 1;
    add("restart optimized", restart);
    Vorgabe separate;
    separate.width = 45, separate.height = 35, separate.separate_scans = true;
    add("separate scans", separate);
    Vorgabe odd;
    odd.width = 17, odd.height = 9, odd.h0 = odd.v0 = 2;
    add("odd size", odd);
    return v;
}

TEST(JpegSimdCorpus, ClassesAgreeWithinTheirBounds) {
    for (const Case& c : corpus()) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> jpg = oracle::encode(c.vorgabe);
        ASSERT_FALSE(jpg.empty());
        jtest::Decoded got[7];
        for (int cls = 0; cls <= 6; ++cls) {
            Options o = c.options;
            o.cpu_class = cls;
            got[cls] = jtest::decode(jpg, o);
            ASSERT_EQ(got[cls].result, 0) << "class " << cls << ": " << jpeg_error_text(got[cls].result);
        }
        EXPECT_EQ(got[1].px, got[0].px);
        EXPECT_EQ(got[2].px, got[0].px);
        for (int cls = 4; cls <= 6; ++cls) EXPECT_EQ(got[cls].px, got[3].px) << "class " << cls;
        const jtest::Diff d = jtest::compare(got[6].px, got[0].px);
        ASSERT_TRUE(d.same_size);
        EXPECT_LE(d.max, c.bound);
        EXPECT_LE(d.mean, c.mean);
    }
}

TEST(JpegSimdCorpus, UsecpuSelectsTheKernels) {
    test::TempDir dir;
    Vorgabe s;
    s.width = 40, s.height = 24;
    const std::vector<uint8_t> jpg = oracle::encode(s);
    for (uint32_t cls = 0; cls <= 6; ++cls) {
        ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_CPU, cls));
        auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
        ASSERT_EQ(jpeg_init(params.get()), 0);
        EXPECT_EQ(params->props.cpu_class, int32_t(cls));
        auto filled = std::make_unique<JPEG_ENVIRONMENT>();
        jpeg_fill_kernels(filled.get(), int32_t(cls));
        EXPECT_EQ(0, std::memcmp(&filled->k, &params->props.stream.environment->k, sizeof(JPEG_KERNELS)));
        jpeg_free(params.get());
        // A read through the settings gives what the class fill gives.
        Options forced;
        forced.cpu_class = int32_t(cls);
        EXPECT_EQ(jtest::decode(jpg).px, jtest::decode(jpg, forced).px) << cls;
    }
}

}  // namespace
