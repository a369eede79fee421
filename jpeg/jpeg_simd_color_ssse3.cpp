// jpeg/jpeg_simd_color_ssse3.cpp - the SSSE3 variants of the three-channel
// colour converters. The whole file is built for SSSE3; the kernel fill takes
// these only when the processor reports SSSE3.
#include "jpeg/jpeg_simd_color.h"

#include "jpeg/jpeg_color.h"

#if defined(__x86_64__)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3"))), apply_to = function)
#else
#pragma GCC target("ssse3")
#endif
#define JPEG_SIMD_COLOR_SSSE3 1
#include "jpeg/jpeg_simd_color_steps.h"
#endif

namespace velmora {

#if defined(__x86_64__)

void jpeg_dec_ycc_rgb_h1v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    convert<1, 1, Form::Rgb>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgb_h2v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    convert<2, 1, Form::Rgb>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgb_h2v2_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    convert<2, 2, Form::Rgb>(y, cb, cr, out, pitch, 8);
    convert<2, 2, Form::Rgb>(y + 128, cb + 32, cr + 32, out + ptrdiff_t(8) * pitch, pitch, 8);
}
void jpeg_dec_ycc_bgr_h1v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    convert<1, 1, Form::Bgr>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_bgr_h2v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    convert<2, 1, Form::Bgr>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_bgr_h2v2_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    convert<2, 2, Form::Bgr>(y, cb, cr, out, pitch, 8);
    convert<2, 2, Form::Bgr>(y + 128, cb + 32, cr + 32, out + ptrdiff_t(8) * pitch, pitch, 8);
}

#else

void jpeg_dec_ycc_rgb_h1v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    jpeg_cc_ycc_rgb(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgb_h2v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    jpeg_cc_ycc_rgb_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgb_h2v2_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    jpeg_cc_ycc_rgb_h2v2(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_bgr_h1v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    jpeg_cc_ycc_bgr(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_bgr_h2v1_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    jpeg_cc_ycc_bgr_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_bgr_h2v2_ssse3(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
    jpeg_cc_ycc_bgr_h2v2(y, cb, cr, out, pitch);
}

#endif

}  // namespace velmora

#if defined(__x86_64__) && defined(__clang__)
#pragma clang attribute pop
#endif
