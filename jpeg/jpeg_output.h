// jpeg/jpeg_output.h - the decoder's output stage: placing an MCU in the image
// (row pitch, bottom-up images, clipping to the image and the region of
// interest), up-sampling by replication, putting each component into its
// channel, the in-place YCbCr conversion and the output of scaled reads and of
// images whose components arrive in separate scans.
//
// Pixels are addressed relative to image_data; an MCU outside the image or the
// region writes nothing, and the pad bytes after each row are never written.
#pragma once
#include <cstddef>
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Places an MCU of W x H pixels at (col, row): *offset is the image offset of its
// top-left pixel, *rect the part of it to write (relative to that pixel; right
// and bottom exclusive). -8 when the MCU lies outside the region.
JPEG_RESULT jpeg_mcu_output_rect(const JPEG_RECT& region, int32_t w, int32_t h, uint32_t col, uint32_t row,
                                 int32_t channels, int32_t pitch, int32_t width, int32_t height,
                                 ptrdiff_t* offset, JPEG_RECT* rect);

void jpeg_rect_intersect(JPEG_RECT* out, const JPEG_RECT& a, const JPEG_RECT& b);
bool jpeg_rect_equal(const JPEG_RECT& a, const JPEG_RECT& b);
bool jpeg_rect_differ(const JPEG_RECT& a, const JPEG_RECT& b);
void jpeg_rect_offset(JPEG_RECT* out, const JPEG_RECT& r, int32_t x, int32_t y);
void jpeg_rect_unoffset(JPEG_RECT* out, const JPEG_RECT& r, int32_t x, int32_t y);

// Full-size MCU output routines for the pairs the converters do not serve.
void jpeg_output_plain(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);          // 1x1, no conversion
void jpeg_output_generic(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);        // up-sample, convert in place
void jpeg_output_generic_scan(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);   // up-sample the scan's components
void jpeg_output_generic_frame(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);  // up-sample the frame's components
void jpeg_output_single_ycbcr(JPEG_PROPERTIES* p, uint32_t col, uint32_t row);   // separate scans into 4:2:2 pairs

// One MCU of a scaled read (block size 4, 2 or 1); prescaled: chroma blocks were
// transformed to the size they cover, so they are copied, not replicated.
void jpeg_output_scaled_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, int32_t b, bool prescaled);

// Converts the YCbCr bytes of a whole image (components stored by separate scans)
// in place, once the last scan is done.
void jpeg_finish_buffered(JPEG_PROPERTIES* p);

}  // namespace velmora
