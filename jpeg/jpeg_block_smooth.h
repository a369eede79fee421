// jpeg/jpeg_block_smooth.h - what a progressive picture's blocks are missing,
// and the estimate of their low-frequency coefficients (and a DC's missing low
// bits) from the neighbouring blocks' DC values where later scans never came
// (a cut file).
//
// Each component keeps, per coefficient, how many low bits are still unknown
// (-1: never coded, 0: exact). A scan whose data ran out leaves the blocks from
// the one where it stopped with the state before it. A complete picture has
// every coefficient exact and is put out unchanged.
#pragma once
#include <cstddef>
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Every coefficient of every component unknown: at the start of a read.
void jpeg_coef_status_reset(JPEG_PROPERTIES* p);
// A progressive scan's band is known from now on, down to its low bit; cut:
// the block (x, y) of each of its components in the component's plane at
// which its data ended, or cut_valid false when the scan went to its end.
void jpeg_coef_status_scan(JPEG_PROPERTIES* p, const JPEG_SCAN* scan, bool cut_valid, uint32_t cut_col,
                           uint32_t cut_row);
// Whether any block of the picture lacks a coefficient the estimate fills.
bool jpeg_block_smoothing_needed(const JPEG_PROPERTIES* p);
// Fills the missing low-frequency coefficients and DC bits of one block (natural order,
// quantised) of component c at (bx, by) in its plane of zig-zag blocks.
void jpeg_smooth_block(const JPEG_PROPERTIES* p, uint32_t c, uint32_t bx, uint32_t by, const int16_t* plane,
                       size_t stride, uint32_t plane_cols, uint32_t plane_rows, int16_t* block);

}  // namespace velmora
