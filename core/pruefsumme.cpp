// core/pruefsumme.cpp - the CRC-32 of zlib, folded 64 bytes at a time with carry-less multiplication.
#include "core/pruefsumme.h"

#include <zlib.h>

#include <climits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace velmora {
namespace {

// zlib takes its length as an unsigned int: longer runs go in pieces.
uint32_t zlib_crc(uint32_t crc, const uint8_t* p, size_t n) {
    while (n > 0) {
        const size_t stueck = n < size_t(UINT_MAX) ? n : size_t(UINT_MAX);
        crc = uint32_t(crc32(crc, p, uInt(stueck)));
        p += stueck;
        n -= stueck;
    }
    return crc;
}

#if defined(__x86_64__)
// Below this a fold does not pay for its set-up.
constexpr size_t FALTEN_AB = 256;

// One 128-bit lane moved on by the distance the constant pair stands for, and
// the next 16 bytes added.
__attribute__((target("pclmul,sse4.1"))) inline __m128i falten(__m128i x, __m128i k, __m128i dazu) {
    const __m128i a = _mm_clmulepi64_si128(x, k, 0x00);
    const __m128i b = _mm_clmulepi64_si128(x, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(a, b), dazu);
}

// The bit-reflected CRC register (no inversion) over n bytes, n >= 64 and a
// multiple of 16: four lanes are folded 64 bytes at a time, then into one,
// which a Barrett reduction brings to 32 bits.
__attribute__((target("pclmul,sse4.1"))) uint32_t crc_gefaltet(uint32_t roh, const uint8_t* p, size_t n) {
    // x^(4*128+32) and x^(4*128-32) mod P (reflected), for the 64-byte stride.
    const __m128i k1k2 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    // The same for a 16-byte stride.
    const __m128i k3k4 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
    const __m128i k5 = _mm_set_epi64x(0, 0x163cd6124);
    // P and floor(x^64 / P), reflected, for the Barrett reduction.
    const __m128i poly = _mm_set_epi64x(0x1f7011641, 0x1db710641);
    const __m128i maske32 = _mm_set_epi32(0, 0, 0, -1);
    auto laden = [](const uint8_t* q) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)); };

    __m128i x1 = _mm_xor_si128(laden(p), _mm_cvtsi32_si128(int32_t(roh)));
    __m128i x2 = laden(p + 16), x3 = laden(p + 32), x4 = laden(p + 48);
    p += 64;
    n -= 64;
    for (; n >= 64; p += 64, n -= 64) {
        x1 = falten(x1, k1k2, laden(p));
        x2 = falten(x2, k1k2, laden(p + 16));
        x3 = falten(x3, k1k2, laden(p + 32));
        x4 = falten(x4, k1k2, laden(p + 48));
    }
    x1 = falten(x1, k3k4, x2);
    x1 = falten(x1, k3k4, x3);
    x1 = falten(x1, k3k4, x4);
    for (; n >= 16; p += 16, n -= 16) x1 = falten(x1, k3k4, laden(p));

    // 128 bits to 64, then to 32 plus the reduction's input.
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, k3k4, 0x10), _mm_srli_si128(x1, 8));
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, maske32), k5, 0x00), _mm_srli_si128(x1, 4));
    __m128i t = _mm_and_si128(x1, maske32);
    t = _mm_clmulepi64_si128(t, poly, 0x10);
    t = _mm_and_si128(t, maske32);
    t = _mm_clmulepi64_si128(t, poly, 0x00);
    return uint32_t(_mm_extract_epi32(_mm_xor_si128(t, x1), 1));
}

bool kann_falten() {
    static const bool ja = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return ja;
}
#endif

}  // namespace

uint32_t Pruefsumme_Crc32(uint32_t crc, const uint8_t* daten, size_t n) {
    if (n == 0 || !daten) return crc;
#if defined(__x86_64__)
    if (n >= FALTEN_AB && kann_falten()) {
        const size_t ganz = n & ~size_t(15);
        crc = ~crc_gefaltet(~crc, daten, ganz);
        daten += ganz;
        n -= ganz;
    }
#endif
    return zlib_crc(crc, daten, n);
}

}  // namespace velmora
