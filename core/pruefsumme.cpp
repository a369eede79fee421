// core/pruefsumme.cpp - the CRC-32 of zlib, folded 64 or 256 bytes at a time with carry-less multiplication.
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

// The folding constants x^(8D+32) and x^(8D-32) mod P (reflected) for a
// lane moved on by D bytes: D = 16 and 64 (256 with the wide lanes below).
#define K16 _mm_set_epi64x(0x0ccaa009e, 0x1751997d0)
#define K64 _mm_set_epi64x(0x1c6e41596, 0x154442bd4)

__attribute__((target("pclmul,sse4.1"))) inline __m128i laden(const uint8_t* q) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

// The CRC register from the lane `x1` that the bytes before `p` were folded
// into, and the n bytes from p (a multiple of 16): folded on 16 bytes at a
// time, then 128 bits to 64, to 32 plus the reduction's input, and by a
// Barrett reduction to 32.
__attribute__((target("pclmul,sse4.1"))) inline uint32_t abschliessen(__m128i x1, const uint8_t* p, size_t n) {
    const __m128i k3k4 = K16;
    const __m128i k5 = _mm_set_epi64x(0, 0x163cd6124);
    // P and floor(x^64 / P), reflected, for the Barrett reduction.
    const __m128i poly = _mm_set_epi64x(0x1f7011641, 0x1db710641);
    const __m128i maske32 = _mm_set_epi32(0, 0, 0, -1);
    for (; n >= 16; p += 16, n -= 16) x1 = falten(x1, k3k4, laden(p));
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, k3k4, 0x10), _mm_srli_si128(x1, 8));
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, maske32), k5, 0x00), _mm_srli_si128(x1, 4));
    __m128i t = _mm_and_si128(x1, maske32);
    t = _mm_clmulepi64_si128(t, poly, 0x10);
    t = _mm_and_si128(t, maske32);
    t = _mm_clmulepi64_si128(t, poly, 0x00);
    return uint32_t(_mm_extract_epi32(_mm_xor_si128(t, x1), 1));
}

// The bit-reflected CRC register (no inversion) over n bytes, n >= 64 and a
// multiple of 16: four lanes are folded 64 bytes at a time, then into one.
__attribute__((target("pclmul,sse4.1"))) uint32_t crc_gefaltet(uint32_t roh, const uint8_t* p, size_t n) {
    const __m128i k1k2 = K64;
    __m128i x[4];
    for (int j = 0; j < 4; ++j) x[j] = laden(p + 16 * j);
    x[0] = _mm_xor_si128(x[0], _mm_cvtsi32_si128(int32_t(roh)));
    for (p += 64, n -= 64; n >= 64; p += 64, n -= 64)
        for (int j = 0; j < 4; ++j) x[j] = falten(x[j], k1k2, laden(p + 16 * j));
    return abschliessen(falten(falten(falten(x[0], K16, x[1]), K16, x[2]), K16, x[3]), p, n);
}

#define ZIEL_BREIT __attribute__((target("avx512f,vpclmulqdq,pclmul,sse4.1")))

ZIEL_BREIT inline __m512i laden4(const uint8_t* q) { return _mm512_loadu_si512(q); }

// Four lanes moved on and the next 64 bytes added.
ZIEL_BREIT inline __m512i falten4(__m512i x, __m512i k, __m512i dazu) {
    return _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(x, k, 0x00), _mm512_clmulepi64_epi128(x, k, 0x11), dazu,
                                     0x96);   // a ^ b ^ c
}

// The same over n >= 256 bytes with four lanes in each of four 64-byte
// vectors, folded 256 bytes at a time (one instruction multiplies four lanes).
ZIEL_BREIT uint32_t crc_gefaltet_breit(uint32_t roh, const uint8_t* p, size_t n) {
    const __m512i k256 = _mm512_set_epi64(0x1322d1430, 0x11542778a, 0x1322d1430, 0x11542778a, 0x1322d1430,
                                          0x11542778a, 0x1322d1430, 0x11542778a);
    const __m512i k64 = _mm512_set_epi64(0x1c6e41596, 0x154442bd4, 0x1c6e41596, 0x154442bd4, 0x1c6e41596,
                                         0x154442bd4, 0x1c6e41596, 0x154442bd4);
    __m512i y[4];
    for (int j = 0; j < 4; ++j) y[j] = laden4(p + 64 * j);
    y[0] = _mm512_xor_si512(y[0], _mm512_zextsi128_si512(_mm_cvtsi32_si128(int32_t(roh))));
    for (p += 256, n -= 256; n >= 256; p += 256, n -= 256)
        for (int j = 0; j < 4; ++j) y[j] = falten4(y[j], k256, laden4(p + 64 * j));
    // Into one vector, on 64 bytes at a time, then its four lanes into one.
    __m512i z = falten4(falten4(falten4(y[0], k64, y[1]), k64, y[2]), k64, y[3]);
    for (; n >= 64; p += 64, n -= 64) z = falten4(z, k64, laden4(p));
    __m128i x1 = _mm512_maskz_extracti32x4_epi32(0xF, z, 0);
    x1 = falten(x1, K16, _mm512_maskz_extracti32x4_epi32(0xF, z, 1));
    x1 = falten(x1, K16, _mm512_maskz_extracti32x4_epi32(0xF, z, 2));
    x1 = falten(x1, K16, _mm512_maskz_extracti32x4_epi32(0xF, z, 3));
    return abschliessen(x1, p, n);
}

bool kann_falten() {
    static const bool ja = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return ja;
}

bool kann_breit() {
    static const bool ja = kann_falten() && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq");
    return ja;
}
#endif

uint32_t crc_auf(PruefsummeWeg weg, uint32_t crc, const uint8_t* daten, size_t n) {
    if (n == 0 || !daten) return crc;
    (void)weg;
#if defined(__x86_64__)
    if (n >= FALTEN_AB && weg != PruefsummeWeg::ZLIB) {
        const size_t ganz = n & ~size_t(15);
        crc = ~(weg == PruefsummeWeg::BREIT ? crc_gefaltet_breit(~crc, daten, ganz) : crc_gefaltet(~crc, daten, ganz));
        daten += ganz;
        n -= ganz;
    }
#endif
    return zlib_crc(crc, daten, n);
}

}  // namespace

bool Pruefsumme_Weg_Da(PruefsummeWeg weg) {
#if defined(__x86_64__)
    if (weg == PruefsummeWeg::FALTEN) return kann_falten();
    if (weg == PruefsummeWeg::BREIT) return kann_breit();
#endif
    return weg == PruefsummeWeg::ZLIB;
}

uint32_t Pruefsumme_Crc32_Weg(PruefsummeWeg weg, uint32_t crc, const uint8_t* daten, size_t n) {
    return crc_auf(Pruefsumme_Weg_Da(weg) ? weg : PruefsummeWeg::ZLIB, crc, daten, n);
}

uint32_t Pruefsumme_Crc32(uint32_t crc, const uint8_t* daten, size_t n) {
    static const PruefsummeWeg bester = Pruefsumme_Weg_Da(PruefsummeWeg::BREIT)    ? PruefsummeWeg::BREIT
                                        : Pruefsumme_Weg_Da(PruefsummeWeg::FALTEN) ? PruefsummeWeg::FALTEN
                                                                                   : PruefsummeWeg::ZLIB;
    return crc_auf(bester, crc, daten, n);
}

}  // namespace velmora
