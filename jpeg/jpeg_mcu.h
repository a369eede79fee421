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

}  // namespace velmora
