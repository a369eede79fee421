// core/spielstand_verwuerfeln.cpp - the key stream that scrambles a save file's blocks.
#include "core/spielstand_verwuerfeln.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "core/bytes.h"

namespace velmora {
namespace {

// The key stream's step (xorshift): a linear map of the 32 bits.
inline uint32_t schritt(uint32_t x) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
}

// The step taken 2^i times, as the images of the 32 unit words: state after
// k steps = sum over the set bits of k. Worked out once.
struct Sprungtabelle {
    uint32_t spalte[32][32];
    Sprungtabelle() {
        for (int b = 0; b < 32; ++b) spalte[0][b] = schritt(1u << b);
        for (int i = 1; i < 32; ++i)
            for (int b = 0; b < 32; ++b) spalte[i][b] = anwenden(i - 1, anwenden(i - 1, 1u << b));
    }
    uint32_t anwenden(int i, uint32_t x) const {
        uint32_t y = 0;
        for (; x; x &= x - 1) y ^= spalte[i][__builtin_ctz(x)];
        return y;
    }
    // The state `k` steps after `x`.
    uint32_t springen(uint32_t x, uint32_t k) const {
        for (int i = 0; k; ++i, k >>= 1)
            if (k & 1) x = anwenden(i, x);
        return x;
    }
};

#if defined(__x86_64__)
const Sprungtabelle& sprungtabelle() {
    static const Sprungtabelle tabelle;
    return tabelle;
}

bool kann_avx2() {
    static const bool ja = __builtin_cpu_supports("avx2");
    return ja;
}

// The key stream steps one group at a time, each step waiting for the one
// before: the stream is cut into stretches that step side by side, eight in
// each of KETTEN vectors (whose steps do not wait for each other's).
// 8 * KETTEN stretches of `l` groups each (l a multiple of 8) from `p`,
// stretch j's key stream starting from start[j]: every eight steps the keys
// of each vector are turned round so each of its stretches gets its eight
// keys in a row.
template <int KETTEN>
__attribute__((target("avx2"))) void strecken_verwuerfeln(uint8_t* p, size_t l, const uint32_t* start) {
    __m256i x[KETTEN];
    for (int c = 0; c < KETTEN; ++c) x[c] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(start + 8 * c));
    for (size_t t = 0; t < l; t += 8) {
        __m256i k[KETTEN][8];
        for (int s = 0; s < 8; ++s)
            for (int c = 0; c < KETTEN; ++c) {
                __m256i y = x[c];
                y = _mm256_xor_si256(y, _mm256_slli_epi32(y, 13));
                y = _mm256_xor_si256(y, _mm256_srli_epi32(y, 17));
                y = _mm256_xor_si256(y, _mm256_slli_epi32(y, 5));
                x[c] = y;
                k[c][s] = y;   // lane j: the key of group t + s of stretch 8c + j
            }
        for (int c = 0; c < KETTEN; ++c) {
            // 8x8 words turned round: row j becomes stretch 8c + j's keys t..t+7.
            __m256i a[8], b[8];
            for (int s = 0; s < 8; s += 2) {
                a[s] = _mm256_unpacklo_epi32(k[c][s], k[c][s + 1]);
                a[s + 1] = _mm256_unpackhi_epi32(k[c][s], k[c][s + 1]);
            }
            for (int s = 0; s < 8; s += 4) {
                b[s] = _mm256_unpacklo_epi64(a[s], a[s + 2]);
                b[s + 1] = _mm256_unpackhi_epi64(a[s], a[s + 2]);
                b[s + 2] = _mm256_unpacklo_epi64(a[s + 1], a[s + 3]);
                b[s + 3] = _mm256_unpackhi_epi64(a[s + 1], a[s + 3]);
            }
            // b[s] holds stretches s and s + 4 (low and high half) of groups 0-3, b[s + 4] of groups 4-7.
            __m256i zeile[8];
            for (int s = 0; s < 4; ++s) {
                zeile[s] = _mm256_permute2x128_si256(b[s], b[s + 4], 0x20);
                zeile[s + 4] = _mm256_permute2x128_si256(b[s], b[s + 4], 0x31);
            }
            for (int j = 0; j < 8; ++j) {
                auto* q = reinterpret_cast<__m256i*>(p + 4 * (size_t(8 * c + j) * l + t));
                _mm256_storeu_si256(q, _mm256_xor_si256(_mm256_loadu_si256(q), zeile[j]));
            }
        }
    }
}
#endif

// Below this the stretches do not pay for their starts; from the second, four
// vectors step side by side (their 31 starts cost about as much as the
// scrambling of 32 KB).
constexpr size_t STRECKEN_AB = 4096;
constexpr size_t VIER_KETTEN_AB = size_t(64) << 10;

#if defined(__x86_64__)
// Scrambles the first stretches of `n` bytes from the key stream's state `x`
// in 8 * KETTEN stretches; returns how many bytes, and `x` is the state after them.
template <int KETTEN>
size_t strecken(uint8_t* p, size_t n, uint32_t& x) {
    constexpr int STRECKEN = 8 * KETTEN;
    static const Sprungtabelle& sprung = sprungtabelle();
    // Groups per stretch: a multiple of 8, and with more than eight
    // stretches no multiple of 128 lines apart (their bytes would crowd into
    // a few sets of the caches, whose ways are fewer than the stretches).
    size_t l = n / 4 / STRECKEN / 8 * 8;
    while (KETTEN > 1 && l > 8 && (l / 16) % 8 == 0) l -= 8;
    uint32_t start[STRECKEN];
    start[0] = x;
    for (int j = 1; j < STRECKEN; ++j) start[j] = sprung.springen(start[j - 1], uint32_t(l));
    strecken_verwuerfeln<KETTEN>(p, l, start);
    x = sprung.springen(start[STRECKEN - 1], uint32_t(l));
    return 4 * STRECKEN * l;
}
#endif

}  // namespace

void Spielstand_Verwuerfeln(uint8_t* p, size_t n, uint32_t nr, uint32_t laenge) {
    uint32_t x = 0x6A09E667u ^ (nr * 0x9E3779B9u) ^ (laenge * 0x85EBCA6Bu);
    if (x == 0) x = 0x1B873593u;
    size_t i = 0;
#if defined(__x86_64__)
    if (n >= STRECKEN_AB && std::endian::native == std::endian::little && kann_avx2())
        i = n >= VIER_KETTEN_AB ? strecken<4>(p, n, x) : strecken<1>(p, n, x);
#endif
    // Two groups at a time: the first group's key in the low half.
    for (; n - i >= 8; i += 8) {
        x = schritt(x);
        const uint64_t erster = x;
        x = schritt(x);
        uint64_t schluessel = erster | uint64_t(x) << 32, w;
        if constexpr (std::endian::native == std::endian::big) schluessel = __builtin_bswap64(schluessel);
        std::memcpy(&w, p + i, 8);
        w ^= schluessel;
        std::memcpy(p + i, &w, 8);
    }
    // Whole groups a word at a time: the key's low byte goes on the group's first byte.
    for (; n - i >= 4; i += 4) {
        x = schritt(x);
        Bytes_Put32(p + i, Bytes_Get32(p + i) ^ x);
    }
    if (i < n) {
        x = schritt(x);
        for (size_t k = 0; i + k < n; ++k) p[i + k] ^= uint8_t(x >> (8 * k));
    }
}

}  // namespace velmora
