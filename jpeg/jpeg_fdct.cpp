// jpeg/jpeg_fdct.cpp
#include "jpeg/jpeg_fdct.h"

namespace velmora {
namespace {

inline int32_t mul15(int32_t x, int32_t k) { return (x * k + 16384) >> 15; }

// One AAN pass over eight values at stride st of a 32-bit work block.
inline void aan_pass(int32_t* x, int st) {
    const int32_t s07 = x[0] + x[7 * st], d07 = x[0] - x[7 * st];
    const int32_t s16 = x[st] + x[6 * st], d16 = x[st] - x[6 * st];
    const int32_t s25 = x[2 * st] + x[5 * st], d25 = x[2 * st] - x[5 * st];
    const int32_t s34 = x[3 * st] + x[4 * st], d34 = x[3 * st] - x[4 * st];
    const int32_t e0 = s07 + s34, e3 = s07 - s34, e1 = s16 + s25, e2 = s16 - s25;
    x[0] = e0 + e1;
    x[4 * st] = e0 - e1;
    const int32_t z1 = mul15(e2 + e3, 23170);
    x[2 * st] = e3 + z1;
    x[6 * st] = e3 - z1;
    const int32_t p = d34 + d25, r = d25 + d16, q = d16 + d07;
    const int32_t z5 = mul15(p - q, 12540);
    const int32_t z2 = mul15(p, 17734) + z5;
    const int32_t z4 = mul15(q, 42813) + z5;
    const int32_t z3 = mul15(r, 23170);
    const int32_t z11 = d07 + z3, z13 = d07 - z3;
    x[5 * st] = z13 + z2;
    x[3 * st] = z13 - z2;
    x[st] = z11 + z4;
    x[7 * st] = z11 - z4;
}

// One pass of the accurate transform. The even part rotates by pi/8 with
// sqrt(2)-scaled 15-bit constants; the odd part rotates the differences by pi/16
// and 3 pi/16 (12-bit constants) and combines them through sqrt(2) (46341 / 32768).
// `even_shift` and `odd_shift` descale the pass; the inputs arrive pre-scaled.
// Each result, cut to 16 bits, goes straight to out[k * ost]: gathered in an
// array first, the compiler packs the 64-bit results into vectors through
// memory and every such load stalls on the scalar stores before it.
template <int EvenShift, int OddShift, int DcScaleShift, int DcRoundShift, class Out>
inline void accurate_pass(const int32_t* x, int st, Out* out, int ost) {
    const int64_t s07 = x[0] + x[7 * st], d07 = x[0] - x[7 * st];
    const int64_t s16 = x[st] + x[6 * st], d16 = x[st] - x[6 * st];
    const int64_t s25 = x[2 * st] + x[5 * st], d25 = x[2 * st] - x[5 * st];
    const int64_t s34 = x[3 * st] + x[4 * st], d34 = x[3 * st] - x[4 * st];
    const int64_t e0 = s07 + s34, e3 = s07 - s34, e1 = s16 + s25, e2 = s16 - s25;
    auto put = [&](int k, int64_t v) { out[k * ost] = Out(int16_t(v)); };
    if constexpr (DcRoundShift != 0) {
        put(0, (e0 + e1 + (int64_t(1) << (DcRoundShift - 1))) >> DcRoundShift);
        put(4, (e0 - e1 + (int64_t(1) << (DcRoundShift - 1))) >> DcRoundShift);
    } else {
        put(0, (e0 + e1) << DcScaleShift);
        put(4, (e0 - e1) << DcScaleShift);
    }
    constexpr int64_t er = int64_t(1) << (EvenShift - 1);
    put(2, (e3 * 42813 + e2 * 17734 + er) >> EvenShift);
    put(6, (e3 * 17734 - e2 * 42813 + er) >> EvenShift);
    // A = 4096 (d0 c1 + d3 c7), B = 4096 (d0 c7 - d3 c1), C = 4096 (d1 c3 + d2 c5), D = 4096 (d1 c5 - d2 c3)
    const int64_t a = d07 * 4017 + d34 * 799, b = d07 * 799 - d34 * 4017;
    const int64_t c = d16 * 3406 + d25 * 2276, d = d16 * 2276 - d25 * 3406;
    constexpr int64_t orr = int64_t(1) << (OddShift - 1);
    put(1, ((a + c) * 46341 + orr) >> OddShift);
    put(7, ((b - d) * 46341 + orr) >> OddShift);
    put(3, (((a - c) + (b + d)) * 32768 + orr) >> OddShift);
    put(5, (((a - c) - (b + d)) * 32768 + orr) >> OddShift);
}

}  // namespace

void jpeg_fdct_fast(int16_t* block) {
    int32_t w[64];
    for (int i = 0; i < 64; ++i) w[i] = block[i];
    for (int r = 0; r < 8; ++r) aan_pass(w + 8 * r, 1);
    for (int c = 0; c < 8; ++c) aan_pass(w + c, 8);
    for (int i = 0; i < 64; ++i) block[i] = int16_t(w[i]);
}

void jpeg_fdct_accurate(int16_t* block) {
    // Rows: the even sums times 8, the rotations descaled by 12 bits from their
    // 15-bit constants (odd terms carry 12 + 15 bits). Columns: the sums by 6 bits,
    // the rotations by 21.
    int32_t w[64], t[64];
    for (int i = 0; i < 64; ++i) w[i] = block[i];
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) accurate_pass<12, 24, 3, 0>(w + 8 * r, 1, t + 8 * r, 1);
#pragma GCC unroll 8
    for (int c = 0; c < 8; ++c) accurate_pass<21, 33, 0, 6>(t + c, 8, block + c, 8);
}

// The quantisers: the block and the table never overlap, which lets the
// compiler run the loops in its vector instructions (the same products).
void jpeg_quantize_fast(int16_t* __restrict block, const uint16_t* __restrict table) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t((int32_t(block[i]) * int16_t(table[i]) + 16384) >> 15);
}

void jpeg_quantize_accurate(int16_t* __restrict block, const uint16_t* __restrict table) {
    for (int i = 0; i < 64; ++i) block[i] = int16_t((int32_t(block[i]) * int32_t(table[i]) + 16384) >> 15);
}

}  // namespace velmora
