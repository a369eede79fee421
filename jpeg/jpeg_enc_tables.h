// jpeg/jpeg_enc_tables.h - the encoder's tables: the default quantisation and
// Huffman tables of ITU-T T.81 Annex K, their scaling by quality, the reciprocal
// tables the quantisers multiply with, the Huffman encode tables and the
// optimised Huffman tables built from symbol statistics.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Tables K.1 (luminance) and K.2 (chrominance), zig-zag order.
extern const uint8_t jpeg_std_quant_luma[64];
extern const uint8_t jpeg_std_quant_chroma[64];
// Tables K.3: counts of code lengths 1..16 and the values of the four tables.
extern const uint8_t jpeg_std_dc_luma_counts[16];
extern const uint8_t jpeg_std_dc_luma_values[12];
extern const uint8_t jpeg_std_ac_luma_counts[16];
extern const uint8_t jpeg_std_ac_luma_values[162];
extern const uint8_t jpeg_std_dc_chroma_counts[16];
extern const uint8_t jpeg_std_dc_chroma_values[12];
extern const uint8_t jpeg_std_ac_chroma_counts[16];
extern const uint8_t jpeg_std_ac_chroma_values[162];
// The fast transform's scale folded into its reciprocals, zig-zag order.
extern const uint16_t jpeg_aan_reciprocal[64];
// Number of significant bits of 0..255.
extern const uint8_t jpeg_bit_count[256];

// The magnitude category of a value: the bits of |v| (0 for 0).
// Counted from the leading zeros without a branch or a load; at most 16.
inline uint32_t jpeg_category(int32_t v) {
    const uint32_t a = uint32_t(v < 0 ? -int64_t(v) : v);
    const uint32_t n = a ? 32u - uint32_t(__builtin_clz(a)) : 0u;
    return n < 16u ? n : 16u;
}

// Entries and selectors: the caller's tables when their flags are set and an
// entry is given, else the standard tables with component 0 on table 0 and
// components 1-3 on table 1. Always 0.
JPEG_RESULT jpeg_encoder_defaults(JPEG_PROPERTIES* p);

// Scales a base table by quality (0 and below as 1, above 100 as 100): factor
// 5000 / q below 50, 200 - 2q from 50 on; every value kept in 1..255.
void jpeg_quality_table(int32_t quality, const uint8_t* base, uint16_t* out);

// Turns a scaled table (zig-zag) into reciprocals in natural order: for the fast
// transform (entry 63 raised to 2 first) r = (q/2 + K) / q, for the accurate one
// r = 32768 / q.
void jpeg_prepare_quant_aan(uint16_t* table);
void jpeg_prepare_quant_accurate(uint16_t* table);

// Canonical code of every symbol of the counts and values; -6 for more than 258 codes.
JPEG_RESULT jpeg_build_encode_table(const uint8_t* counts, const uint8_t* values, JPEG_HUFF_ENCODE_TABLE* t);

// The code-length counts and values of the optimal table for 257 frequencies
// (entry 256 reserved, so no code is all ones), lengths limited to 16.
void jpeg_optimise_huffman(const uint32_t* freq, uint8_t* counts, uint8_t* values);

}  // namespace velmora
