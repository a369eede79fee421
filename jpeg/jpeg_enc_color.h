// jpeg/jpeg_enc_color.h - the encoder's input stage: the plain block converters
// of kernel slots 19-33 (one full MCU of pixels to level-shifted 16-bit samples),
// the choice of the MCU input routine for the image and stream at hand, and that
// routine (slot 18), which also handles the MCUs cut by the right and bottom edges.
//
// Conversion: Y = (77 R + 150 G + 29 B - 32640) >> 8, Cb = (-43 R - 85 G + 128 B + k) >> s,
// Cr = (128 R - 107 G - 21 B + k) >> s, the chroma from the sums of the 1, 2 or 4
// pixels a sample covers, (s, k) = (8, 128), (9, 256), (10, 512). Four-byte colour
// pixels are inverted first. Without conversion every sample is its byte - 128.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// The plain converters, argument lists as JpegEncConvertFn (source, row step, Y,
// Cb, Cr, fourth component); each converts one MCU wholly inside the image.
void jpeg_enc_gray(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);            // 19
void jpeg_enc_rgb_h1v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);        // 20
void jpeg_enc_rgb_h2v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);        // 21
void jpeg_enc_rgb_h2v2(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);        // 22
void jpeg_enc_bgr_h1v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);        // 23
void jpeg_enc_bgr_h2v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);        // 24
void jpeg_enc_bgr_h2v2(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);        // 25
void jpeg_enc_copy3(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);           // 26
void jpeg_enc_copy3_h2v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);      // 27
void jpeg_enc_copy3_h2v2(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);      // 28
void jpeg_enc_ycbycr_h2v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);     // 29
void jpeg_enc_rgba_h1v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);       // 30
void jpeg_enc_rgba_h2v1(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);       // 31
void jpeg_enc_rgba_h2v2(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);       // 32
void jpeg_enc_copy4(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);           // 33

// Chooses the MCU input routine (slot 18) and records the input mode in the
// path word: 0 or -14 for a component count outside 1..255; -12 when the layout
// has no routine.
JPEG_RESULT jpeg_select_input(JPEG_PROPERTIES* p);

// Slot 18: fills the encoder's MCU buffer for one MCU.
void jpeg_input_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);
// The converter through which jpeg_input_mcu takes an MCU the picture's edge
// does not cut (its slot), null where the input takes the general routine.
JpegEncConvertFn jpeg_input_converter(const JPEG_PROPERTIES* p);

}  // namespace velmora
