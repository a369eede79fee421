// jpeg/jpeg_simd_fill.h - the decoder's share of the kernel table for processor
// classes 3 to 6: which vector kernel takes which decoder slot.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Puts the decoder kernels of the class into the table after the plain fill:
// slot 0 the end of vector use; slots 3 and 7 the inverse DCTs; 35-44 and 49-52
// the colour converters (37 and 40 in their SSE forms for classes 5 and 6); 55
// and 56 the Huffman decoders; 61 the dequantiser (its SSE2 form for class 6).
// On a processor with SSE2, classes 3 to 5 take class 6's SSE2 forms at slots 7
// and 61: their results are bit for bit those of the class's own kernels.
// Classes 0 to 2, unknown classes and a null environment leave the table alone;
// the encoder's slots are never touched.
void jpeg_kernels_decoder_fill(JPEG_ENVIRONMENT* env, int32_t cpu_class);

// Whether the processor this runs on has SSE2 (CPUID leaf 1, EDX bit 26).
bool jpeg_cpu_has_sse2();
// Whether the processor has SSSE3 (leaf 1 ECX bit 9), for the converters' variants.
bool jpeg_cpu_has_ssse3();

}  // namespace velmora
