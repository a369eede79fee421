// jpeg/jpeg_enc_huff.h - entropy coding of the encoder: the sequential block
// encoder of kernel slot 54 and the two passes of every progressive scan (symbol
// statistics, then output) for DC first and refinement scans and AC first and
// refinement scans with end-of-band runs, as ITU-T T.81 F.1.2 and G.1.2 lay out.
// Blocks arrive quantised, in natural order; every walk goes in zig-zag order.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

struct JPEG_ENC_SCAN;

// Slot 54 (plain): DC difference against the predictor (which becomes the block's
// DC), then run/size symbols, ZRL for 16 zeros, EOB after the last nonzero value.
JPEG_RESULT jpeg_encode_block(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc, const JPEG_HUFF_ENCODE_TABLE* ac,
                              int16_t* pred, int16_t* block);

// Statistics pass of one progressive scan over the coefficient buffer: symbol
// counts into freq[table number][257].
void jpeg_gather_scan_statistics(JPEG_PROPERTIES* p, JPEG_ENC_SCAN* scan, uint32_t (*freq)[257]);
// Output pass with the tables registered in the scan; ends with the last byte
// completed. 0 or the stream's failure.
JPEG_RESULT jpeg_encode_scan(JPEG_PROPERTIES* p, JPEG_STREAM* s, JPEG_ENC_SCAN* scan);

}  // namespace velmora
