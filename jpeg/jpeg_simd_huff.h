// jpeg/jpeg_simd_huff.h - the Huffman block decoders of kernel slots 55 and 56
// for processor classes 3 to 6.
//
// They keep the stream's 64-bit bit buffer left-aligned (the next bit is bit 63,
// every bit below the counted ones is zero) and refill it to more than 56 bits
// at a time; a scan is decoded by one family only, and the scan decoder clears
// the buffer at every restart and at the end of the scan. On sound data they
// give the coefficients and predictors of the plain decoders. They return no
// errors but mark them in the stream: past a marker or the data's end they read
// zero bits and set starved; a run past the last coefficient (it lands on
// coefficient 63), a DC category above 16 (the block ends) and a bit pattern
// that matches no code (symbol 0 after 17 bits) set bad_code.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Sign extension of an s-bit value v: v below threshold[s] gets offset[s] added.
extern const int32_t jpeg_extend_threshold[17];
extern const int32_t jpeg_extend_offset[17];

// Reads up to 4096 bytes of the stream's file into its buffer: 0, or -11 when
// the file has no more bytes and -23 when the read fails. The end pointer stays.
JPEG_RESULT jpeg_stream_refill_simd(JPEG_STREAM* s);

// Slot 55, class 3: byte-wise refill. Clears the block, then decodes DC and AC.
JPEG_RESULT jpeg_huff_decode_block_mmx(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                       const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block);
// Slot 55, classes 4-6: a four-byte refill first, branch-free sign extension.
JPEG_RESULT jpeg_huff_decode_block_mmx_cmov(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                            const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block);
// Decodes the DC difference into the predictor and passes over the AC values.
JPEG_RESULT jpeg_huff_decode_dc_mmx(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                    const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred);
// One block of a unit for jpeg_huff_decode_blocks_fast: its tables, their
// combined lookups (jpeg_huff_fast_find), its predictor and coefficients, and
// the AC table's pair lookup.
struct JpegFastBlock {
    const JPEG_HUFF_DECODE_TABLE* dc;
    const JPEG_HUFF_DECODE_TABLE* ac;
    const uint32_t* fdc;
    const uint32_t* fac;
    int16_t* pred;
    int16_t* block;
    const uint32_t* pairs;   // the AC table's pair lookup (jpeg_huff_fast_find_pairs)
};
// The n blocks decoded in turn as n calls of jpeg_huff_decode_block_mmx_cmov
// would, the reading state kept in registers between them. Bit j of the result
// (j below 32) is set when block j holds its DC value alone.
uint32_t jpeg_huff_decode_blocks_fast(JPEG_STREAM* s, const JpegFastBlock* blocks, uint32_t n);
// Slot 56, classes 3-6: the slot's arguments, the block left alone.
JPEG_RESULT jpeg_huff_decode_dc_entry(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                      const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block);

}  // namespace velmora
