// jpeg/jpeg_mcu.h - MCU reconstruction and output set-up: the choice of the MCU
// output routine for the stream and image at hand, and the inverse transform of
// each MCU at the requested scale before it goes to the output stage.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Recomputes the colour-conversion and up-sampling flags and the MCU geometry,
// and installs the MCU output routine in kernel slot 34 (its path number in
// converter_code). -8 for YCbCr output of anything but 2x1 sampling, -14 for a
// bad component count. A combination without a routine leaves slot 34 empty;
// a full-size decode refuses it before any MCU is written.
JPEG_RESULT jpeg_setup_output(JPEG_PROPERTIES* p);

// Transforms the n work blocks of one MCU with the transform of the scale divisor
// (1, 2, 4 or 8) and hands it to the output stage. With fine chroma, blocks of
// 1x1 components are transformed one size larger, so they need no up-sampling.
// Blocks lie in frame component order, or one block for a separately coded component.
JPEG_RESULT jpeg_decode_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, uint32_t divisor, bool fine_chroma);

// The blocks of an interleaved MCU at full size with a fused transform, worked
// out once a scan instead of at every MCU: each block of the work buffer in
// coding order with its component's table, and whether they go through the
// AVX2 pair.
struct JpegMcuPlan {
    uint32_t n = 0;   // 0: no plan, jpeg_decode_mcu works the MCU out itself
    bool pairs = false;
    JpegQuantFn fused = nullptr;
    int16_t* block[16];
    const uint16_t* table[16];
};

// The plan for the scans of p's frame at this divisor; n 0 where there is none
// (scaled reads, components coded in scans of their own, component planes,
// more than 16 blocks, no fused transform).
JpegMcuPlan jpeg_mcu_plan(const JPEG_PROPERTIES* p, uint32_t divisor);

// jpeg_decode_mcu at full size through a plan (n > 0): the same samples.
JPEG_RESULT jpeg_decode_mcu_planned(JPEG_PROPERTIES* p, const JpegMcuPlan& plan, uint32_t col, uint32_t row,
                                    bool fine_chroma);

// The transform that dequantises as it goes, when the decoder leaves
// dequantisation to it: at full size, when the dequantiser and the full-size
// transform in use are exactly the SSE2 pair (jpeg_idct_accurate_sse2_dequant)
// or the plain accurate pair (jpeg_idct_accurate_dequant); else null. The scans
// then keep the blocks undequantised and jpeg_decode_mcu applies each
// component's table through it.
JpegQuantFn jpeg_fused_transform(const JPEG_KERNELS& k, uint32_t divisor);
inline bool jpeg_dequant_fused(const JPEG_KERNELS& k, uint32_t divisor) {
    return jpeg_fused_transform(k, divisor) != nullptr;
}

// Whether every frame component has H = V of 1 or 2 (and not all of them 1).
bool jpeg_fine_chroma(const JPEG_FRAME& f);

// The smoothed (triangle) up-sampling, asked for by smooth_upsampling or
// component_row_mode 1. It runs for pictures that are up-sampled,
// with Hmax 2: horizontally for Vmax 1 (not at 1/8 size), in both directions
// for Vmax 2 at full size. jpeg_decode_mcu then keeps the transformed MCUs of
// three MCU rows (row r in slot r % 3) and puts each MCU out once its right
// (and lower) neighbours are known: one column (and one row) behind. The walk
// is the rectangle of MCUs the scan hands to jpeg_decode_mcu in raster order;
// the filter reads no sample outside it or outside the picture's samples, and
// repeats the nearest one instead (the picture's edges, as other decoders do).
struct JpegSmoothing {
    int16_t* rows = nullptr;   // three MCU rows of samples
    size_t row_samples = 0;    // samples of one MCU row
    uint32_t blocks = 0;       // blocks per MCU (1 for a component's own scan)
    uint32_t c0 = 0, c1 = 0, r0 = 0, r1 = 0;   // the walk, MCUs [c0, c1) x [r0, r1)
    int32_t b = 8;             // samples per block side at this scale
    int32_t xlo = 0, xhi = 0, ylo = 0, yhi = 0;   // chroma samples the filter may read
    bool active = false;       // a walk is under way
    bool vertical = false;     // Vmax 2: the two-dimensional filter
};

// Whether the smoothed up-sampling runs for this read at this divisor.
bool jpeg_smoothing_on(const JPEG_PROPERTIES* p, uint32_t divisor);
// Makes the three row buffers for the frame when the read asks for smoothing
// (-5 when they cannot be had); frees them with jpeg_smoothing_free.
JPEG_RESULT jpeg_smoothing_prepare(JPEG_PROPERTIES* p);
void jpeg_smoothing_free(JPEG_PROPERTIES* p);
// Starts (or, for a stepped read, continues) a walk over MCUs [c0, c1) x [r0, r1);
// false when smoothing does not run, and the MCUs go out as they come.
bool jpeg_smoothing_begin(JPEG_PROPERTIES* p, uint32_t divisor, uint32_t c0, uint32_t c1, uint32_t r0, uint32_t r1);
void jpeg_smoothing_end(JPEG_PROPERTIES* p);
// The walk under way, or null.
const JpegSmoothing* jpeg_smoothing_walk(const JPEG_PROPERTIES* p);

}  // namespace velmora
