// jpeg/jpeg_huff.h - entropy decoding: the bit reader over JPEG_STREAM (byte
// stuffing removed, markers held back), the Huffman table builder and symbol
// decoder, the sequential block decoders of kernel slots 55 and 56, and the four
// progressive coefficient decoders.
//
// Results: 0, a negative JPEG_RESULT, or internally 100 when a marker stands
// before the bits asked for. Nothing is ever written outside the 64 coefficients.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

constexpr JPEG_RESULT JPEG_BITS_MARKER = 100;

// Canonical codes of the 16 counts for the symbol values; -6 when the counts
// ask for more than 256 codes or for codes that do not fit their length.
JPEG_RESULT jpeg_build_huffman_table(const uint8_t* counts, const uint8_t* values, uint32_t table_class,
                                     uint32_t id, JPEG_HUFF_DECODE_TABLE* t);

JPEG_RESULT jpeg_bits_fill(JPEG_STREAM* s, int32_t n);
uint32_t jpeg_bits_get(JPEG_STREAM* s, int32_t n);    // the bits must be present
uint32_t jpeg_bits_peek(JPEG_STREAM* s, int32_t n);
JPEG_RESULT jpeg_huff_decode(JPEG_STREAM* s, uint32_t* value, const JPEG_HUFF_DECODE_TABLE* t);
JPEG_RESULT jpeg_huff_decode_slow(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* t, uint32_t* value,
                                  int32_t length);

// Slot 55: clears the block, decodes DC (against the predictor) and AC.
JPEG_RESULT jpeg_decode_block(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                              const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block);
// Slot 56: as slot 55 but keeps only the DC coefficient (block may be null).
JPEG_RESULT jpeg_huff_decode_dc(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block);

// The progressive decoders. The AC decoders keep a block's coefficients in
// zig-zag order (block[k] is coefficient k of the bands); the output puts them
// into natural order once the scans are read.
JPEG_RESULT jpeg_decode_dc_first(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc, int16_t* coef,
                                 int16_t* pred, uint32_t al);
JPEG_RESULT jpeg_decode_dc_refine(JPEG_STREAM* s, int16_t* coef, uint32_t al);
JPEG_RESULT jpeg_decode_ac_first(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                 uint32_t ss, uint32_t se, uint32_t al);
// An AC refinement scan's block. Where the processor has a fast bit deposit
// (jpeg_cpu_has_fast_deposit) the end of each zero run is found by it; the
// portable form finds the same place and reads the same bits.
JPEG_RESULT jpeg_decode_ac_refine(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                  uint32_t ss, uint32_t se, uint32_t al);
JPEG_RESULT jpeg_decode_ac_refine_portable(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                           uint32_t ss, uint32_t se, uint32_t al);
// BMI2, on a processor that does not run its deposit in microcode (AMD and
// Hygon before family 0x19).
bool jpeg_cpu_has_fast_deposit();

}  // namespace velmora
