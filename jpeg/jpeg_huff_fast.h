// jpeg/jpeg_huff_fast.h - the combined Huffman lookups of the block decoders of
// classes 4 to 6: one entry per pattern of the next JPEG_HUFF_FAST_BITS bits,
// made from the packed JPEG_HUFF_DECODE_TABLE by running the table's own
// decoding steps (8-bit lookahead, then code by code from length 9) on the
// pattern, so an entry always says what those steps say. The packed table is
// left as it is; the lookups live in the environment's JPEG_HUFF_FAST.
//
// Entry: bits 0-4 the bits it consumes (0: no code of up to JPEG_HUFF_FAST_BITS
// bits, decode code by code); with JPEG_HUFF_FAST_VALUE set, the symbol's value
// bits fitted too: bits 8-11 the zero run (AC), bits 12-15 the size, bits 16-31
// the signed value (for DC the difference); else bits 8-15 the symbol, whose
// value bits follow.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

constexpr uint32_t JPEG_HUFF_FAST_VALUE = 1u << 5;

// Fills entry[0 .. 2^JPEG_HUFF_FAST_BITS) for a DC (dc true) or AC table. False
// when a symbol above 255 or a lookahead length of 0 bits makes the table one the
// lookup cannot stand for; the decoders then keep to the table's own steps.
bool jpeg_huff_fast_build(const JPEG_HUFF_DECODE_TABLE* t, bool dc, uint32_t* entry);

// The pair lookup of an AC table beside its entries (entry from
// jpeg_huff_fast_build), as small as the entries so that the block decoder's
// tables stay in the first-level cache. Entry p: bits 0-3 the bits to take.
// Without JPEG_HUFF_FAST_PAIR_VALUE: entry[p]'s symbol alone (bits 0-3 its code
// length, 0 for none of up to ten bits, bits 8-15 the symbol). With it: the
// symbol's zero run in bits 5-8 and its value in bits 22-31 (signed; a symbol
// and its value bits within ten bits have a size of 9 at most); where the bits
// after it hold a whole second symbol carrying its value, bits 0-3 give the
// bits both take, bits 9-13 the second's place after the first's run start
// (the first's run, one, the second's run) and bits 14-21 its value (signed,
// nonzero; the two sizes add up to 8 at most, the first's is 1 or more), else
// bits 9-13 repeat the first's run and bits 14-21 are 0.
constexpr uint32_t JPEG_HUFF_FAST_PAIR_VALUE = 1u << 4;
void jpeg_huff_fast_pairs(const uint32_t* entry, uint32_t* pair);

// Makes the lookups of the scan's DC and AC tables and arms them; jpeg_decode_scan
// calls it before the blocks of a scan and jpeg_huff_fast_disarm after them, so a
// table changed between scans is never looked up in an old form.
void jpeg_huff_fast_arm(JPEG_ENVIRONMENT* env, const JPEG_SCAN* scan);
void jpeg_huff_fast_disarm(JPEG_ENVIRONMENT* env);

// The lookup made from table t while armed, else null (the decoder then takes
// the table's own steps).
inline const uint32_t* jpeg_huff_fast_find(const JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* t, bool dc) {
    const JPEG_ENVIRONMENT* env = s->environment;
    if (!env || !env->huff_fast.armed || !t) return nullptr;
    const JPEG_HUFF_FAST_TABLE* f = dc ? env->huff_fast.dc : env->huff_fast.ac;
    for (int i = 0; i < 4; ++i)
        if (f[i].source == t) return f[i].entry;
    return nullptr;
}

// The pair lookup made beside the lookup of AC table t while armed, else null.
inline const uint32_t* jpeg_huff_fast_find_pairs(const JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* t) {
    const JPEG_ENVIRONMENT* env = s->environment;
    if (!env || !env->huff_fast.armed || !t) return nullptr;
    for (int i = 0; i < 4; ++i)
        if (env->huff_fast.ac[i].source == t) return env->huff_fast.ac_pairs[i];
    return nullptr;
}

// The symbol of a nonzero entry and the length of its code.
inline uint32_t jpeg_huff_fast_symbol(uint32_t e, bool dc, int32_t& code_bits) {
    if (!(e & JPEG_HUFF_FAST_VALUE)) {
        code_bits = int32_t(e & 31);
        return (e >> 8) & 0xFF;
    }
    const uint32_t size = (e >> 12) & 15, run = (e >> 8) & 15;
    code_bits = int32_t(e & 31) - int32_t(size);
    return dc ? size : run << 4 | size;
}

}  // namespace velmora
