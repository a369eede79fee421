// jpeg/jpeg_simd_fill.cpp
#include "jpeg/jpeg_simd_fill.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_simd_color.h"
#include "jpeg/jpeg_simd_huff.h"
#include "jpeg/jpeg_simd_idct.h"

namespace velmora {

bool jpeg_cpu_has_sse2() {
    JPEG_CPU_INFO info{};
    jpeg_cpuid(&info);
    return info.features & (1u << 26);
}

bool jpeg_cpu_has_ssse3() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __get_cpuid(1, &a, &b, &c, &d) && (c & (1u << 9));
#else
    return false;
#endif
}

void jpeg_kernels_decoder_fill(JPEG_ENVIRONMENT* env, int32_t cpu_class) {
    if (!env || cpu_class < JPEG_CPU_P5_MMX || cpu_class > JPEG_CPU_P15_SSE2) return;
    const bool sse = cpu_class >= JPEG_CPU_P6_SSE;
    // The SSE2 transform and dequantiser give exactly the MMX and SSE forms'
    // results, eight columns at a time; every class takes them where the
    // processor has SSE2.
    static const bool sse2 = jpeg_cpu_has_sse2();
    JPEG_KERNELS& k = env->k;
    k.simd_exit = jpeg_mmx_exit;
    k.idct_fast = jpeg_idct_fast_mmx;
    k.idct_accurate = cpu_class == JPEG_CPU_P15_SSE2 || sse2 ? jpeg_idct_accurate_sse2
                    : cpu_class == JPEG_CPU_P6_SSE   ? jpeg_idct_accurate_sse
                                                     : jpeg_idct_accurate_mmx;
    k.cc_gray = jpeg_dec_gray_mmx;
    k.cc_ycc_rgb = jpeg_dec_ycc_rgb_h1v1_mmx;
    k.cc_ycc_rgb_h2v1 = sse ? jpeg_dec_ycc_rgb_h2v1_sse : jpeg_dec_ycc_rgb_h2v1_mmx;
    k.cc_ycc_rgb_h2v2 = jpeg_dec_ycc_rgb_h2v2_entry;
    k.cc_ycc_bgr = jpeg_dec_ycc_bgr_h1v1_mmx;
    k.cc_ycc_bgr_h2v1 = sse ? jpeg_dec_ycc_bgr_h2v1_sse : jpeg_dec_ycc_bgr_h2v1_mmx;
    k.cc_ycc_bgr_h2v2 = jpeg_dec_ycc_bgr_h2v2_entry;
    // The three-channel converters' SSSE3 variants write the same bytes faster.
    static const bool ssse3 = jpeg_cpu_has_ssse3();
    if (ssse3) {
        k.cc_ycc_rgb = jpeg_dec_ycc_rgb_h1v1_ssse3;
        k.cc_ycc_rgb_h2v1 = jpeg_dec_ycc_rgb_h2v1_ssse3;
        k.cc_ycc_rgb_h2v2 = jpeg_dec_ycc_rgb_h2v2_ssse3;
        k.cc_ycc_bgr = jpeg_dec_ycc_bgr_h1v1_ssse3;
        k.cc_ycc_bgr_h2v1 = jpeg_dec_ycc_bgr_h2v1_ssse3;
        k.cc_ycc_bgr_h2v2 = jpeg_dec_ycc_bgr_h2v2_ssse3;
    }
    k.cc_ycc_rgba = jpeg_dec_ycc_rgba_h1v1_mmx;
    k.cc_ycc_rgba_h2v1 = jpeg_dec_ycc_rgba_h2v1_mmx;
    k.cc_ycc_rgba_h2v2 = jpeg_dec_ycc_rgba_h2v2_mmx;
    k.cc_ycc422 = jpeg_dec_ycbycr_h2v1_mmx;
    k.cc_ycca_rgba = jpeg_dec_ycca_rgba_h1v1_mmx;
    k.cc_ycca_rgba_h2v1 = jpeg_dec_ycca_rgba_h2v1_mmx;
    k.cc_ycca_rgba_h2v2 = jpeg_dec_ycca_rgba_h2v2_mmx;
    k.huff_decode_block = cpu_class == JPEG_CPU_P5_MMX ? jpeg_huff_decode_block_mmx : jpeg_huff_decode_block_mmx_cmov;
    k.huff_decode_dc = jpeg_huff_decode_dc_entry;
    k.dequantize_accurate = cpu_class == JPEG_CPU_P15_SSE2 || sse2 ? jpeg_dequantize_sse2 : jpeg_dequantize_mmx;
}

}  // namespace velmora
