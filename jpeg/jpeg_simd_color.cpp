// jpeg/jpeg_simd_color.cpp
#include "jpeg/jpeg_simd_color.h"

#include <cstddef>

#include "jpeg/jpeg_color.h"

#if defined(__x86_64__)
#define JPEG_SIMD_COLOR_SSSE3 0
#include "jpeg/jpeg_simd_color_steps.h"
#endif

namespace velmora {

#if defined(__x86_64__)

void jpeg_dec_gray_mmx(const int16_t* y, uint8_t* out, int32_t pitch) {
    for (int i = 0; i < 8; ++i, out += pitch) {
        const __m128i v = load8(y + 8 * i);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(v, v));
    }
}

void jpeg_dec_ycc_rgb_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<1, 1, Form::Rgb>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgb_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 1, Form::Rgb>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgb_h2v1_sse(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 1, Form::Rgb, true>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgb_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 2, Form::Rgb>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_bgr_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<1, 1, Form::Bgr>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_bgr_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 1, Form::Bgr>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_bgr_h2v1_sse(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 1, Form::Bgr, true>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_bgr_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 2, Form::Bgr>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgba_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<1, 1, Form::Rgba>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgba_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 1, Form::Rgba>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycc_rgba_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    convert<2, 2, Form::Rgba>(y, cb, cr, out, pitch, 16);
}

void jpeg_dec_ycbycr_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    for (int i = 0; i < 8; ++i, out += pitch) {
        const __m128i lum = _mm_packus_epi16(load8(y + 8 * i), load8(y + 64 + 8 * i));
        const __m128i c = _mm_unpacklo_epi8(_mm_packus_epi16(load8(cb + 8 * i), load8(cb + 8 * i)),
                                            _mm_packus_epi16(load8(cr + 8 * i), load8(cr + 8 * i)));
        __m128i* o = reinterpret_cast<__m128i*>(out);
        _mm_storeu_si128(o, _mm_unpacklo_epi8(lum, c));
        _mm_storeu_si128(o + 1, _mm_unpackhi_epi8(lum, c));
    }
}

void jpeg_dec_ycca_rgba_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t*,
                                 uint8_t* out, int32_t pitch) {
    convert<1, 1, Form::Ycca>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycca_rgba_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t*,
                                 uint8_t* out, int32_t pitch) {
    convert<2, 1, Form::Ycca>(y, cb, cr, out, pitch, 8);
}
void jpeg_dec_ycca_rgba_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t*,
                                 uint8_t* out, int32_t pitch) {
    convert<2, 2, Form::Ycca>(y, cb, cr, out, pitch, 16);
}

#else

void jpeg_dec_gray_mmx(const int16_t* y, uint8_t* out, int32_t pitch) { jpeg_cc_gray(y, out, pitch); }
void jpeg_dec_ycc_rgb_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_rgb(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgb_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_rgb_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgb_h2v1_sse(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_rgb_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgb_h2v2_mmx(const int16_t*, const int16_t*, const int16_t*, uint8_t*, int32_t) {}
void jpeg_dec_ycc_bgr_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_bgr(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_bgr_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_bgr_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_bgr_h2v1_sse(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_bgr_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_bgr_h2v2_mmx(const int16_t*, const int16_t*, const int16_t*, uint8_t*, int32_t) {}
void jpeg_dec_ycc_rgba_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_rgba(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgba_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_rgba_h2v1(y, cb, cr, out, pitch);
}
void jpeg_dec_ycc_rgba_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc_rgba_h2v2(y, cb, cr, out, pitch);
}
void jpeg_dec_ycbycr_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch) {
    jpeg_cc_ycc422(y, cb, cr, out, pitch);
}
void jpeg_dec_ycca_rgba_h1v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                                 uint8_t* out, int32_t pitch) {
    jpeg_cc_ycca_rgba(y, cb, cr, k, out, pitch);
}
void jpeg_dec_ycca_rgba_h2v1_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                                 uint8_t* out, int32_t pitch) {
    jpeg_cc_ycca_rgba_h2v1(y, cb, cr, k, out, pitch);
}
void jpeg_dec_ycca_rgba_h2v2_mmx(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                                 uint8_t* out, int32_t pitch) {
    jpeg_cc_ycca_rgba_h2v2(y, cb, cr, k, out, pitch);
}

#endif

// The 2x2 entries: the upper half from luminance blocks 0 and 1 and chroma rows
// 0-3, the lower half from blocks 2 and 3 and chroma rows 4-7, eight rows further down.
void jpeg_dec_ycc_rgb_h2v2_entry(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
#if defined(__x86_64__)
    jpeg_dec_ycc_rgb_h2v2_mmx(y, cb, cr, out, pitch);
    jpeg_dec_ycc_rgb_h2v2_mmx(y + 128, cb + 32, cr + 32, out + ptrdiff_t(8) * pitch, pitch);
#else
    jpeg_cc_ycc_rgb_h2v2(y, cb, cr, out, pitch);
#endif
}

void jpeg_dec_ycc_bgr_h2v2_entry(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                                 int32_t pitch) {
#if defined(__x86_64__)
    jpeg_dec_ycc_bgr_h2v2_mmx(y, cb, cr, out, pitch);
    jpeg_dec_ycc_bgr_h2v2_mmx(y + 128, cb + 32, cr + 32, out + ptrdiff_t(8) * pitch, pitch);
#else
    jpeg_cc_ycc_bgr_h2v2(y, cb, cr, out, pitch);
#endif
}

}  // namespace velmora
