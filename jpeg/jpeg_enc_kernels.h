// jpeg/jpeg_enc_kernels.h - the encoder's slots of the kernel table: forward
// transforms (1, 2), byte output (16, 17), input converters (19-33), block
// encoder (54) and quantisers (57-59), plain for classes 0-2 and unknown
// classes, the processor-specific forms for classes 3-6.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

void jpeg_kernels_encoder_fill(JPEG_ENVIRONMENT* env, int32_t cpu_class);

}  // namespace velmora
