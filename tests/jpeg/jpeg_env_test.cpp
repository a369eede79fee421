// The environment: the processor class rule, the "USECPU" override through the
// settings layer, and the kernel table filled for every class.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"
#include "platform/settings.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

using namespace velmora;

constexpr uint32_t MMX = 1u << 23, SSE = 1u << 25, SSE2 = 1u << 26;

TEST(JpegEnv, ProcessorClassRule) {
    struct Row {
        uint32_t family, features;
        int32_t cls;
    } rows[] = {
        {5, MMX, 3}, {5, 0, 1}, {6, MMX, 4}, {6, MMX | SSE, 5}, {6, SSE, 2}, {6, 0, 2},
        {15, SSE2 | SSE | MMX, 6}, {15, MMX | SSE, 0}, {4, MMX | SSE | SSE2, 0}, {7, MMX, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(jpeg_cpu_class_of(r.family, r.features), r.cls) << r.family;
}

class JpegEnvSettings : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = (std::filesystem::temp_directory_path() / ("velmora_jpeg_env_" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(dir_);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        had_ = old != nullptr;
        if (had_) old_ = old;
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (had_) ::setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        else ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir_);
    }
    std::string dir_, old_;
    bool had_ = false;
};

TEST_F(JpegEnvSettings, UsecpuOverridesTheClassWhenInRange) {
    auto env = std::make_unique<JPEG_ENVIRONMENT>();
    jpeg_setup_environment(env.get());
    const JPEG_CPU_INFO* info = jpeg_cpu_info();
    const int32_t probed = jpeg_cpu_class_of(info->family, info->features);
    EXPECT_EQ(jpeg_read_cpu_override(env.get()), -1);   // absent
    EXPECT_EQ(jpeg_detect_cpu(env.get()), probed);
    for (uint32_t v : {0u, 4u, 6u}) {
        ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_CPU, v));
        EXPECT_EQ(jpeg_detect_cpu(env.get()), int32_t(v));
    }
    ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_CPU, 7));
    EXPECT_EQ(jpeg_detect_cpu(env.get()), probed);   // out of range: the probe decides
    env->read_setting = nullptr;                     // no settings reader: no override
    ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_CPU, 0));
    EXPECT_EQ(jpeg_detect_cpu(env.get()), probed);
    // jpeg_init records the class it set up with.
    auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
    ASSERT_EQ(jpeg_init(params.get()), 0);
    EXPECT_EQ(params->props.cpu_class, 0);
    jpeg_free(params.get());
}

TEST(JpegEnv, KernelTableIsFilledAlikeForEveryPlainClass) {
    auto base = std::make_unique<JPEG_ENVIRONMENT>();
    jpeg_fill_kernels(base.get(), 0);
    const JPEG_KERNELS& k = base->k;
    void* const* slots = reinterpret_cast<void* const*>(&k);
    // Decoder slots hold their plain routines; the run-time slots start empty.
    for (int s : {0, 3, 4, 5, 6, 7, 8, 9, 10, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52,
                  53, 55, 56, 60, 61, 62})
        EXPECT_NE(slots[s], nullptr) << s;
    for (int s : {11, 12, 13, 14, 15, 18, 34}) EXPECT_EQ(slots[s], nullptr) << s;
    EXPECT_EQ(k.dequantize_in_use, k.dequantize_fast);
    k.simd_exit();   // slot 0 does nothing on the plain classes
    // Classes 3-6 carry the processor kernels (the decoder and encoder kernel tests).
    for (int cls : {1, 2, 9, -1}) {
        auto other = std::make_unique<JPEG_ENVIRONMENT>();
        jpeg_fill_kernels(other.get(), cls);
        EXPECT_EQ(0, std::memcmp(&other->k, &base->k, sizeof(JPEG_KERNELS))) << cls;
    }
}

TEST(JpegEnv, ProbeFillsVendorText) {
    jpeg_query_cpu();
    const JPEG_CPU_INFO* info = jpeg_cpu_info();
    EXPECT_EQ(std::strlen(info->vendor), 12u);
    EXPECT_GT(jpeg_timestamp() + 1, 0u);
}

}  // namespace

TEST_F(JpegEnvSettings, SampleLimitComesFromTheSettings) {
    auto env = std::make_unique<JPEG_ENVIRONMENT>();
    jpeg_setup_environment(env.get());
    EXPECT_EQ(jpeg_sample_limit(env.get()), JPEG_DEFAULT_MAX_SAMPLES);   // absent
    ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_MAX_SAMPLES, 5000));
    jpeg_setup_environment(env.get());
    EXPECT_EQ(jpeg_sample_limit(env.get()), 5000u);
    ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_MAX_SAMPLES, 0));
    jpeg_setup_environment(env.get());
    EXPECT_EQ(jpeg_sample_limit(env.get()), JPEG_DEFAULT_MAX_SAMPLES);   // 0: the default
    // Through jpeg_init: a 16 x 16 gray frame (256 samples) against a limit of 255.
    ASSERT_TRUE(Plat_Settings_Write_U32(JPEG_SETTINGS_KEY, JPEG_SETTINGS_MAX_SAMPLES, 255));
    oracle::Vorgabe v;
    v.width = v.height = 16, v.space = oracle::Space::Gray;
    const std::vector<uint8_t> d = oracle::encode(v);
    auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
    ASSERT_EQ(jpeg_init(params.get()), 0);
    params->stream_data = d.data();
    params->stream_size = int32_t(d.size());
    EXPECT_EQ(jpeg_read(params.get(), JPEG_OP_PARAMS_MEM), JPEG_ERR_FRAME_TOO_LARGE);
    jpeg_free(params.get());
}
