// jpeg/jpeg_fdct.h - the encoder's plain forward transforms and quantisers.
//
// Transform 0 is the AAN factorisation: its output still carries the factor
// 8 s(u) s(v), which the fast reciprocal table removes. Transform 1 gives the
// DCT of ITU-T T.81 A.3.3 (a constant block v gives DC 8v). Both work in place on
// 64 signed 16-bit values in natural order.
#pragma once
#include <cstdint>

namespace velmora {

void jpeg_fdct_fast(int16_t* block);       // slot 1
void jpeg_fdct_accurate(int16_t* block);   // slot 2

// (x * r + 16384) >> 15 for every coefficient; the fast form reads r signed,
// the accurate form unsigned.
void jpeg_quantize_fast(int16_t* block, const uint16_t* table);       // slot 57
void jpeg_quantize_accurate(int16_t* block, const uint16_t* table);   // slot 58

}  // namespace velmora
