// jpeg/jpeg_simd_color.h - the vector colour converters of the decoder's output
// slots 35 to 44 and 49 to 52 for processor classes 3 to 6, with the entries of
// slots 38 and 41 that run the 2x2 half converters twice per MCU.
//
// Arguments and areas are those of the plain converters in jpeg_color.h. The
// chroma terms keep the offset outside the shift:
//   R = clamp(Y + ((359 Cr) >> 8) - 179)
//   G = clamp(Y - ((88 Cb + 183 Cr - 34806) >> 8))
//   B = clamp(Y + ((454 Cb) >> 8) - 227)
// so R and B equal the plain converters' or lie one below them; G is the same.
// The four-component kernels read the fourth component's blocks right after Cr
// and ignore their fourth argument. Away from x86-64 every name stands for its
// slot's plain converter.
#pragma once
#include <cstdint>

namespace velmora {

void jpeg_dec_gray_mmx(const int16_t* y, uint8_t* out, int32_t pitch);                    // 35
void jpeg_dec_ycc_rgb_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,    // 36
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgb_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,    // 37, classes 3-4
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgb_h2v1_sse(const int16_t* y, const int16_t* cb, const int16_t* cr,    // 37, classes 5-6
                               uint8_t* out, int32_t pitch);
// The upper or lower 16 x 8 half of a 2x2 MCU: two luminance blocks, four chroma rows.
void jpeg_dec_ycc_rgb_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgb_h2v2_entry(const int16_t* y, const int16_t* cb, const int16_t* cr,  // 38
                                 uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,    // 39
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,    // 40, classes 3-4
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h2v1_sse(const int16_t* y, const int16_t* cb, const int16_t* cr,    // 40, classes 5-6
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,
                               uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h2v2_entry(const int16_t* y, const int16_t* cb, const int16_t* cr,  // 41
                                 uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgba_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,   // 42
                                uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgba_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,   // 43
                                uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgba_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,   // 44, whole MCU
                                uint8_t* out, int32_t pitch);
void jpeg_dec_ycbycr_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,     // 49
                              uint8_t* out, int32_t pitch);
void jpeg_dec_ycca_rgba_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,  // 50
                                 const int16_t* fourth, uint8_t* out, int32_t pitch);
void jpeg_dec_ycca_rgba_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,  // 51
                                 const int16_t* fourth, uint8_t* out, int32_t pitch);
void jpeg_dec_ycca_rgba_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr,  // 52, whole MCU
                                 const int16_t* fourth, uint8_t* out, int32_t pitch);

// The SSSE3 variants of slots 36-41 (the h2v2 ones for the whole MCU, like the
// entries): the same bytes as the SSE2 forms, interleaved with byte shuffles.
// The fill takes them on processors with SSSE3 (jpeg_cpu_has_ssse3).
void jpeg_dec_ycc_rgb_h1v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgb_h2v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_rgb_h2v2_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h1v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h2v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_dec_ycc_bgr_h2v2_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);

}  // namespace velmora
