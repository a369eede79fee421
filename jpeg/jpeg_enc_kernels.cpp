// jpeg/jpeg_enc_kernels.cpp
#include "jpeg/jpeg_enc_kernels.h"

#include "jpeg/jpeg_enc_color.h"
#include "jpeg/jpeg_enc_huff.h"
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_simd.h"
#include "jpeg/jpeg_fdct.h"
#include "jpeg/jpeg_fdct_simd.h"
#include "jpeg/jpeg_simd_fill.h"

namespace velmora {

void jpeg_kernels_encoder_fill(JPEG_ENVIRONMENT* env, int32_t cpu_class) {
    if (!env) return;
    JPEG_KERNELS& k = env->k;
    k.fdct_fast = jpeg_fdct_fast;
    k.fdct_accurate = jpeg_fdct_accurate;
    k.fdct_in_use = nullptr;
    k.open_output = jpeg_open_output;
    k.put_bytes = jpeg_put_bytes;
    k.enc_mcu_fetch = nullptr;
    static const JpegEncConvertFn plain[15] = {
        jpeg_enc_gray,     jpeg_enc_rgb_h1v1,   jpeg_enc_rgb_h2v1,   jpeg_enc_rgb_h2v2,    jpeg_enc_bgr_h1v1,
        jpeg_enc_bgr_h2v1, jpeg_enc_bgr_h2v2,   jpeg_enc_copy3,      jpeg_enc_copy3_h2v1,  jpeg_enc_copy3_h2v2,
        jpeg_enc_ycbycr_h2v1, jpeg_enc_rgba_h1v1, jpeg_enc_rgba_h2v1, jpeg_enc_rgba_h2v2, jpeg_enc_copy4};
    for (int i = 0; i < 15; ++i) k.enc_convert[i] = plain[i];
    k.huff_encode_block = jpeg_encode_block;
    k.quantize_fast = jpeg_quantize_fast;
    k.quantize_accurate = jpeg_quantize_accurate;
    k.quantize_in_use = jpeg_quantize_fast;
    if (cpu_class < JPEG_CPU_P5_MMX || cpu_class > JPEG_CPU_P15_SSE2) return;
    // Classes 3-6: the processor-specific forms. The gray, 4:2:2-pair and
    // four-byte converters keep their plain forms. The forms of one slot give
    // the same coefficients and bits, so where the processor has the wider unit
    // every class takes the fastest: the SSE2 accurate transform, the block
    // encoder that visits only the nonzero coefficients (its mask is formed with
    // SSE2), and the SSSE3 converters.
    static const bool sse2 = jpeg_cpu_has_sse2(), ssse3 = sse2 && jpeg_cpu_has_ssse3();
    k.fdct_fast = jpeg_fdct_fast_simd;
    k.fdct_accurate = cpu_class == JPEG_CPU_P15_SSE2 || sse2 ? jpeg_fdct_accurate_sse2
                    : cpu_class == JPEG_CPU_P6_SSE   ? jpeg_fdct_accurate_sse
                                                     : jpeg_fdct_accurate_mmx;
    k.open_output = jpeg_open_output_simd;
    k.put_bytes = jpeg_put_bytes_simd;
    k.enc_convert[20 - 19] = ssse3 ? jpeg_enc_rgb_h1v1_ssse3 : jpeg_enc_rgb_h1v1_simd;
    k.enc_convert[21 - 19] = ssse3 ? jpeg_enc_rgb_h2v1_ssse3 : jpeg_enc_rgb_h2v1_simd;
    k.enc_convert[22 - 19] = ssse3 ? jpeg_enc_rgb_h2v2_ssse3 : jpeg_enc_rgb_h2v2_simd;
    k.enc_convert[23 - 19] = ssse3 ? jpeg_enc_bgr_h1v1_ssse3 : jpeg_enc_bgr_h1v1_simd;
    k.enc_convert[24 - 19] = ssse3 ? jpeg_enc_bgr_h2v1_ssse3 : jpeg_enc_bgr_h2v1_simd;
    k.enc_convert[25 - 19] = ssse3 ? jpeg_enc_bgr_h2v2_ssse3 : jpeg_enc_bgr_h2v2_simd;
    // The RGB and BGR converters' AVX2 variants write the same samples faster.
    static const bool avx2 = ssse3 && jpeg_enc_avx2_available();
    if (avx2) {
        k.enc_convert[20 - 19] = jpeg_enc_rgb_h1v1_avx2;
        k.enc_convert[23 - 19] = jpeg_enc_bgr_h1v1_avx2;
        k.enc_convert[21 - 19] = jpeg_enc_rgb_h2v1_avx2;
        k.enc_convert[22 - 19] = jpeg_enc_rgb_h2v2_avx2;
        k.enc_convert[24 - 19] = jpeg_enc_bgr_h2v1_avx2;
        k.enc_convert[25 - 19] = jpeg_enc_bgr_h2v2_avx2;
    }
    // The block encoder's zig-zag step takes AVX-512's word permutes where the
    // processor has them (the same bytes).
    static const bool avx512 = avx2 && jpeg_enc_avx512_available();
    k.huff_encode_block = avx512  ? jpeg_encode_block_avx512
                        : ssse3 ? jpeg_encode_block_ssse3
                        : cpu_class == JPEG_CPU_P6_SSE || sse2 ? jpeg_encode_block_sse
                                                               : jpeg_encode_block_mmx;
    k.quantize_fast = jpeg_quantize_fast_simd;
    k.quantize_accurate = jpeg_quantize_accurate_simd;
    k.quantize_in_use = jpeg_quantize_fast_simd;
}

}  // namespace velmora
