// jpeg/jpeg_env.cpp
#include "jpeg/jpeg_env.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

#include "jpeg/jpeg_color.h"
#include "jpeg/jpeg_enc_kernels.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_simd_fill.h"
#include "platform/files.h"
#include "platform/settings.h"

namespace velmora {

const char* const JPEG_SETTINGS_KEY = "Software\\Brannik\\Velmora\\JpegCodec";
const char* const JPEG_SETTINGS_CPU = "USECPU";
const char* const JPEG_SETTINGS_MAX_SAMPLES = "MAXSAMPLES";

namespace {

// Process-wide, rewritten by every set-up; the program holds one record at a time.
struct JpegProcess {
    JPEG_CPU_INFO cpu{};
    uint64_t (*timestamp)() = jpeg_timestamp_none;
};
JpegProcess g;

}  // namespace

namespace {

// What the processor answers, asked once: the instruction is slow (under a
// hypervisor it leaves the guest), and every jpeg_init asks through the probe.
// level: 0 no answer, 1 the vendor only, 2 vendor and leaf 1.
struct CpuAnswer {
    int level = 0;
    JPEG_CPU_INFO info{};
};

CpuAnswer ask_cpu() {
    CpuAnswer r;
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0, &a, &b, &c, &d)) return r;
    std::memcpy(r.info.vendor, &b, 4);
    std::memcpy(r.info.vendor + 4, &d, 4);
    std::memcpy(r.info.vendor + 8, &c, 4);
    r.info.vendor[12] = 0;
    r.level = 1;
    if (a == 0) return r;
    __get_cpuid(1, &a, &b, &c, &d);
    r.info.brand = b & 0xFF;
    r.info.type = (a >> 12) & 3;
    r.info.family = (a >> 8) & 15;
    r.info.model = (a >> 4) & 15;
    r.info.stepping = a & 15;
    r.info.features = d;
    r.level = 2;
#endif
    return r;
}

}  // namespace

void jpeg_cpuid(JPEG_CPU_INFO* info) {
    static const CpuAnswer answer = ask_cpu();
    if (answer.level >= 1) std::memcpy(info->vendor, answer.info.vendor, sizeof(info->vendor));
    if (answer.level < 2) return;
    info->brand = answer.info.brand;
    info->type = answer.info.type;
    info->family = answer.info.family;
    info->model = answer.info.model;
    info->stepping = answer.info.stepping;
    info->features = answer.info.features;
}

void jpeg_query_cpu() {
    std::memset(&g.cpu, 0, sizeof(g.cpu));
    std::memset(g.cpu.vendor, ' ', 12);
    jpeg_cpuid(&g.cpu);
}

const JPEG_CPU_INFO* jpeg_cpu_info() { return &g.cpu; }

uint64_t jpeg_read_tsc() {
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return 0;
#endif
}

uint64_t jpeg_timestamp_none() { return 0; }
uint64_t jpeg_timestamp() { return g.timestamp(); }

int32_t jpeg_cpu_class_of(uint32_t family, uint32_t features) {
    bool mmx = features & (1u << 23), sse = features & (1u << 25), sse2 = features & (1u << 26);
    switch (family) {
    case 5: return mmx ? JPEG_CPU_P5_MMX : JPEG_CPU_P5;
    case 6: return !mmx ? JPEG_CPU_P6 : sse ? JPEG_CPU_P6_SSE : JPEG_CPU_P6_MMX;
    case 15: return sse2 ? JPEG_CPU_P15_SSE2 : JPEG_CPU_GENERIC;
    default: return JPEG_CPU_GENERIC;
    }
}

int32_t jpeg_read_cpu_override(JPEG_ENVIRONMENT* env) {
    if (!env || !env->read_setting) return -1;
    uint32_t v = 0xFFFFFFFFu;
    if (!env->read_setting(JPEG_SETTINGS_KEY, JPEG_SETTINGS_CPU, v)) return -1;
    return v <= 6 ? int32_t(v) : -1;
}

int32_t jpeg_detect_cpu(JPEG_ENVIRONMENT* env) {
    jpeg_query_cpu();
    int32_t r = jpeg_read_cpu_override(env);
    if (r >= 0) return r;
    return jpeg_cpu_class_of(g.cpu.family, g.cpu.features);
}

void jpeg_simd_exit_none() {}

namespace {

// The plain routines; the same fill serves every class until processor-specific
// kernels exist. The encoder's slots stay empty until the encoder is built.
void fill_plain(JPEG_KERNELS& k) {
    std::memset(&k, 0, sizeof(k));
    k.simd_exit = jpeg_simd_exit_none;
    k.idct_fast = jpeg_idct_fast;
    k.idct_fast_4x4 = jpeg_idct_fast_4x4;
    k.idct_fast_2x2 = jpeg_idct_fast_2x2;
    k.idct_fast_1x1 = jpeg_idct_fast_1x1;
    k.idct_accurate = jpeg_idct_accurate;
    k.idct_accurate_4x4 = jpeg_idct_accurate_4x4;
    k.idct_accurate_2x2 = jpeg_idct_accurate_2x2;
    k.idct_accurate_1x1 = jpeg_idct_accurate_1x1;
    k.cc_gray = jpeg_cc_gray;
    k.cc_ycc_rgb = jpeg_cc_ycc_rgb;
    k.cc_ycc_rgb_h2v1 = jpeg_cc_ycc_rgb_h2v1;
    k.cc_ycc_rgb_h2v2 = jpeg_cc_ycc_rgb_h2v2;
    k.cc_ycc_bgr = jpeg_cc_ycc_bgr;
    k.cc_ycc_bgr_h2v1 = jpeg_cc_ycc_bgr_h2v1;
    k.cc_ycc_bgr_h2v2 = jpeg_cc_ycc_bgr_h2v2;
    k.cc_ycc_rgba = jpeg_cc_ycc_rgba;
    k.cc_ycc_rgba_h2v1 = jpeg_cc_ycc_rgba_h2v1;
    k.cc_ycc_rgba_h2v2 = jpeg_cc_ycc_rgba_h2v2;
    k.cc_copy3 = jpeg_cc_copy3;
    k.cc_copy3_h2v1 = jpeg_cc_copy3_h2v1;
    k.cc_copy3_h2v2 = jpeg_cc_copy3_h2v2;
    k.cc_copy3_rgba = jpeg_cc_copy3_rgba;
    k.cc_ycc422 = jpeg_cc_ycc422;
    k.cc_ycca_rgba = jpeg_cc_ycca_rgba;
    k.cc_ycca_rgba_h2v1 = jpeg_cc_ycca_rgba_h2v1;
    k.cc_ycca_rgba_h2v2 = jpeg_cc_ycca_rgba_h2v2;
    k.cc_copy4 = jpeg_cc_copy4;
    k.huff_decode_block = jpeg_decode_block;
    k.huff_decode_dc = jpeg_huff_decode_dc;
    k.dequantize_fast = jpeg_dequantize_scaled;
    k.dequantize_accurate = jpeg_dequantize;
    k.dequantize_in_use = jpeg_dequantize_scaled;
}

}  // namespace

void jpeg_fill_kernels(JPEG_ENVIRONMENT* env, int32_t cpu_class) {
    fill_plain(env->k);   // the plain routines first; the class's kernels then take their slots
    jpeg_kernels_decoder_fill(env, cpu_class);
    jpeg_kernels_encoder_fill(env, cpu_class);
}

int32_t jpeg_setup_environment(JPEG_ENVIRONMENT* env) {
    // The settings layer stands in for the registry routines.
    env->read_setting = Plat_Settings_Read_U32;
    env->cpu_class = jpeg_detect_cpu(env);
    g.timestamp = (g.cpu.features & (1u << 4)) ? jpeg_read_tsc : jpeg_timestamp_none;
    jpeg_fill_kernels(env, env->cpu_class);
    uint32_t limit = 0;
    env->max_samples = env->read_setting(JPEG_SETTINGS_KEY, JPEG_SETTINGS_MAX_SAMPLES, limit) ? limit : 0;
    return 1;
}

uint64_t jpeg_sample_limit(const JPEG_ENVIRONMENT* env) {
    return env && env->max_samples ? env->max_samples : JPEG_DEFAULT_MAX_SAMPLES;
}

void jpeg_release_environment(JPEG_ENVIRONMENT* env) {
    if (!env) return;
    env->read_setting = nullptr;
}

void jpeg_copy_bytes(void* dst, const void* src, uint32_t n) {
    auto* d = static_cast<uint8_t*>(dst);
    auto* s = static_cast<const uint8_t*>(src);
    for (uint32_t i = 0; i < n; ++i) d[i] = s[i];
}

int32_t jpeg_zero_bytes(void* dst, uint32_t n) {
    std::memset(dst, 0, n);
    return 0;
}

int32_t jpeg_file_open(const char* name, bool write) {
    if (!name) return -1;
    std::string path = Plat_Path(name);
    return Plat_File_Open(path.c_str(), write ? PLAT_WRITE : PLAT_READ);
}

bool jpeg_file_close(int32_t handle) {
    // Plat_File_Close always answers -1; a handle that was open counts as closed.
    if (handle < 0) return false;
    Plat_File_Close(handle);
    return true;
}

int64_t jpeg_file_read(int32_t handle, void* buf, uint32_t n) { return Plat_File_Read(handle, buf, n); }

bool jpeg_file_seek(int32_t handle, int64_t distance, int32_t origin) {
    return Plat_File_Seek(handle, distance, origin == 0 ? 0 : 1) >= 0;
}

int64_t jpeg_file_tell(int32_t handle) { return Plat_File_Seek(handle, 0, 1); }

uint64_t jpeg_file_identity(int32_t handle, const char* name) {
    if (!name) return 0;
    const int64_t size = Plat_File_Size(handle), time = Plat_File_Time(Plat_Path(name).c_str());
    if (size < 0 || time < 0) return 0;
    uint64_t h = 0xcbf29ce484222325ull;
    for (const char* c = name; *c; ++c) h = (h ^ uint8_t(*c)) * 0x100000001b3ull;
    h = (h ^ uint64_t(size)) * 0x9E3779B97F4A7C15ull;
    return (h ^ uint64_t(time)) * 0x9E3779B97F4A7C15ull;
}

}  // namespace velmora
