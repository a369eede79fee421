// jpeg/jpeg_scan.h - scan decoding: the entropy-coded data of one scan, block by
// block through the kernel table, with restart intervals, sequential and
// progressive scans, whole images and regions, at full size and at 1/2, 1/4 and
// 1/8 size.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Decodes the current scan. 0 when done, 2 when a sequential region is complete,
// 1 when a stepped read (mcu_step) stops after an MCU, negative on failure. A marker met in the data stays held in the stream.
// Damaged data do not stop the scan: every unit is decoded from sound data or
// filled, restart markers resynchronise, and the first fault goes to the
// stream's fault (-21 a code no table holds, -11 data ending early, -25 a
// restart marker missing or out of place).
JPEG_RESULT jpeg_decode_scan(uint32_t* marker, JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p);

JPEG_RESULT jpeg_scan_baseline(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor);
JPEG_RESULT jpeg_scan_progressive(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor);
JPEG_RESULT jpeg_scan_baseline_region(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor);

// Fills every MCU of a sequential scan that reaches into the image as zero
// coefficients decode (a component whose scan never came).
void jpeg_fill_sequential(JPEG_PROPERTIES* p, JPEG_SCAN* scan, uint32_t divisor);
void jpeg_stream_done(JPEG_STREAM* s);

// Outputs every MCU of a progressive image from its coefficient buffer. With
// step (a stepped read's scan) it stops after each MCU put out but the last,
// keeps the next one in the scan record and returns true.
bool jpeg_output_progressive(JPEG_PROPERTIES* p, uint32_t divisor, JPEG_SCAN* step = nullptr);

// The region index of the stream's region reads (the decoder's state at the
// start of each MCU row), freed by jpeg_free; and how many rows it knows.
void jpeg_region_index_free(JPEG_PROPERTIES* p);
uint32_t jpeg_region_index_known(const JPEG_PROPERTIES* p);

// Step mode: the region reports the MCU put out last (left and top its column
// and row, right and bottom the pixel position reached, mw x mh pixels an MCU).
void jpeg_report_step(JPEG_PROPERTIES* p, uint32_t mw, uint32_t mh, uint32_t divisor);

// The coefficient buffer of a progressive picture (decoded or to be encoded)
// holds one plane per component, each a grid of mcus_per_row * h by
// mcu_rows * v blocks in raster order, every block in zig-zag order: a scan of
// one component then walks its blocks in memory order and its bands
// coefficient by coefficient. Returns the first block of component `index`'s
// plane and the plane's width in blocks.
int16_t* jpeg_component_plane(const JPEG_PROPERTIES* p, uint32_t index, size_t* blocks_per_row);

// Asks for a block a few units ahead to be brought into the cache: a pass over
// the buffer touches each block once, and the work per block is too short to
// hide the wait.
inline void jpeg_prefetch_block(const int16_t* blk) {
    __builtin_prefetch(blk, 1);
    __builtin_prefetch(blk + 32, 1);
}

// Whether the region rectangle leaves out part of the image scaled by the divisor.
bool jpeg_region_asked(const JPEG_PROPERTIES* p, uint32_t divisor);

// The scale divisor of an operation: 2, 4 or 8 for the scaled reads, else 1.
uint32_t jpeg_scale_divisor(int32_t operation);

}  // namespace velmora
