// tests/jpeg/jpeg_simd_helpers.h - what the differential tests of the vector
// kernels share: the number of random rounds (fewer under the sanitizers, whose
// unoptimised build runs many times slower) and a small random source.
#pragma once
#include <cstdint>

namespace simdtest {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Rounds of a differential test: n in an optimised build, n / 64 under sanitizers.
constexpr int rounds(int n) { return kSanitized ? (n / 64 > 0 ? n / 64 : 1) : n; }

struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return uint32_t(s >> 16);
    }
    int32_t range(int32_t lo, int32_t hi) { return lo + int32_t(next() % uint32_t(hi - lo + 1)); }
};

}  // namespace simdtest
