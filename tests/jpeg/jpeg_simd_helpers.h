// tests/jpeg/jpeg_simd_helpers.h - what the differential tests of the vector
// kernels share: the number of random rounds (fewer under the sanitizers, whose
// unoptimised build runs many times slower) and a small random source.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "jpeg/jpeg_types.h"

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

// Points a cleared stream at the bytes d, or at the open file when file >= 0.
inline void open_stream(velmora::JPEG_STREAM* s, const std::vector<uint8_t>& d, int32_t file,
                        velmora::JPEG_ENVIRONMENT* env = nullptr) {
    std::memset(s, 0, sizeof(velmora::JPEG_STREAM));
    s->environment = env;
    s->file = file;
    if (file < 0) {
        s->start = s->current = d.data();
        s->size = uint32_t(d.size());
        s->end = d.data() + d.size();
        s->left = int32_t(d.size());
    }
}

}  // namespace simdtest
