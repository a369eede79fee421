// jpeg/jpeg_color.h - colour conversion to the image: the output block
// converters of kernel slots 35-53 and the MCU output drivers that
// jpeg_setup_output installs in slot 34 for the regular pairs of coded colour
// and sampling and image colour and channels.
//
// A driver converts a whole MCU through its slot when the MCU lies wholly in the
// image, and otherwise only the visible pixels with the same arithmetic.
// Fixed-point YCbCr to RGB (>> is floor division, results clamped to 0..255):
//   R = Y + ((359 Cr - 45813) >> 8)
//   G = Y - ((88 Cb + 183 Cr - 34806) >> 8)
//   B = Y + ((454 Cb - 57937) >> 8)
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// The three formulas for one pixel; in_place selects the G of the in-place
// converters, Y + ((34806 - 88 Cb - 183 Cr) >> 8), which is 1 lower whenever
// 88 Cb + 183 Cr - 34806 is not a multiple of 256.
void jpeg_ycc_to_rgb(int32_t y, int32_t cb, int32_t cr, bool in_place, uint8_t* rgb);

// Block converters (slots 35-53): sample blocks of one MCU, output address of its
// top-left pixel, row pitch in bytes.
void jpeg_cc_gray(const int16_t* y, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_rgb(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_rgb_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_rgb_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_bgr(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_bgr_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_bgr_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_rgba(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_rgba_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc_rgba_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_copy3(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch);
void jpeg_cc_copy3_h2v1(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch);
void jpeg_cc_copy3_h2v2(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch);
void jpeg_cc_copy3_rgba(const int16_t* a, const int16_t* b, const int16_t* c, uint8_t* out, int32_t pitch);
void jpeg_cc_ycc422(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out, int32_t pitch);
void jpeg_cc_ycca_rgba(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                       uint8_t* out, int32_t pitch);
void jpeg_cc_ycca_rgba_h2v1(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                            uint8_t* out, int32_t pitch);
void jpeg_cc_ycca_rgba_h2v2(const int16_t* y, const int16_t* cb, const int16_t* cr, const int16_t* k,
                            uint8_t* out, int32_t pitch);
void jpeg_cc_copy4(const int16_t* a, const int16_t* b, const int16_t* c, const int16_t* d, uint8_t* out,
                   int32_t pitch);

// MCU output drivers (slot 34), each (properties, MCU column, MCU row); the
// comment names the path number jpeg_setup_output records.
void jpeg_out_gray(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);
void jpeg_out_ycc_rgb(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);          // 1
void jpeg_out_ycc_bgr(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);          // 2
void jpeg_out_ycc_rgb_h2v2(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);     // 3
void jpeg_out_ycc_bgr_h2v2(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);     // 4
void jpeg_out_ycc_rgb_h2v1(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);     // 5
void jpeg_out_ycc_bgr_h2v1(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);     // 6
void jpeg_out_ycc_rgba(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);         // 7
void jpeg_out_ycc_rgba_h2v2(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);    // 8
void jpeg_out_ycc_rgba_h2v1(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);    // 9
void jpeg_out_ycca_rgba(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);        // 10
void jpeg_out_ycca_rgba_h2v2(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);   // 11
void jpeg_out_ycca_rgba_h2v1(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);   // 12
void jpeg_out_copy3_rgba(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);       // 13
void jpeg_out_copy4(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);            // 14
void jpeg_out_copy3(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);            // 15
void jpeg_out_copy3_h2v2(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);       // 16
void jpeg_out_copy3_h2v1(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);       // 17
void jpeg_out_ycc422(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);           // 19

}  // namespace velmora
