// jpeg/jpeg_huff_fast.cpp
#include "jpeg/jpeg_huff_fast.h"

#include <cstring>

#include "jpeg/jpeg_simd_huff.h"

namespace velmora {
namespace {

constexpr int32_t kBits = JPEG_HUFF_FAST_BITS;
static_assert(kBits >= 9 && kBits <= 16, "the lookup covers the 8-bit lookahead and one more length");

}  // namespace

// Code by code: the patterns that start with a code of up to kBits bits are
// the code followed by every tail, a range of entries. The codes are those the
// table's own steps find (the 8-bit lookahead holds the codes of up to 8 bits,
// the code ranges by length the longer ones; the builder keeps them apart), so
// every entry says what those steps say, and the patterns no such code starts
// stay 0.
bool jpeg_huff_fast_build(const JPEG_HUFF_DECODE_TABLE* t, bool dc, uint32_t* entry) {
    std::memset(entry, 0, sizeof(uint32_t) << kBits);
    for (int32_t len = 1; len <= kBits; ++len) {
        if (t->maxcode[len] == 0xFFFF) continue;   // no code of this length
        const int32_t tail = kBits - len;
        for (uint32_t code = t->mincode[len]; code <= t->maxcode[len]; ++code) {
            const uint16_t idx = uint16_t(t->valptr[len] + code - t->mincode[len]);
            const uint32_t sym = idx < 256 ? t->symbols[idx] : 0;
            if (sym > 255) return false;
            uint32_t* at = entry + (code << tail);
            const uint32_t size = dc ? sym : sym & 15, run = dc ? 0 : sym >> 4;
            // Value bits beyond the pattern, a DC size above 15, and the AC symbols
            // without value bits (end of block, ZRL and the rest) give the symbol alone.
            if ((size != 0 && (size > 15 || len + int32_t(size) > kBits)) || (!dc && size == 0)) {
                for (uint32_t j = 0; j < (1u << tail); ++j) at[j] = uint32_t(len) | sym << 8;
                continue;
            }
            const uint32_t head = uint32_t(len + int32_t(size)) | JPEG_HUFF_FAST_VALUE | run << 8 | size << 12;
            for (uint32_t j = 0; j < (1u << tail); ++j) {
                int32_t v = 0;
                if (size != 0) {
                    v = int32_t((j >> (tail - int32_t(size))) & ((1u << size) - 1));
                    if (v < jpeg_extend_threshold[size]) v += jpeg_extend_offset[size];
                }
                at[j] = head | uint32_t(uint16_t(int16_t(v))) << 16;
            }
        }
    }
    return true;
}

void jpeg_huff_fast_pairs(const uint32_t* entry, uint32_t* pair) {
    constexpr uint32_t kMask = (1u << kBits) - 1;
    for (uint32_t p = 0; p <= kMask; ++p) {
        const uint32_t e = entry[p];
        const uint32_t first = e & 31;
        if (!(e & JPEG_HUFF_FAST_VALUE)) {
            pair[p] = first | (e & 0xFF00);
            continue;
        }
        const uint32_t run = (e >> 8) & 15;
        uint32_t v = first | JPEG_HUFF_FAST_PAIR_VALUE | run << 5 | run << 9 | (e >> 16) << 22;
        if (first < uint32_t(kBits)) {
            // The entry of the bits after the first symbol, their unknown end
            // read as zeros: it stands when it takes none of those.
            const uint32_t f = entry[(p << first) & kMask];
            const uint32_t both = first + (f & 31);
            if ((f & JPEG_HUFF_FAST_VALUE) && both <= uint32_t(kBits))
                v = (v & ~(15u | 31u << 9)) | both | (run + 1 + ((f >> 8) & 15)) << 9 | ((f >> 16) & 0xFF) << 14;
        }
        pair[p] = v;
    }
}

void jpeg_huff_fast_arm(JPEG_ENVIRONMENT* env, const JPEG_SCAN* scan) {
    if (!env) return;
    JPEG_HUFF_FAST& f = env->huff_fast;
    // A stepped read goes on in the scan it made them for: no tables can have
    // changed since (the scan is current until it is freed).
    if (scan && scan == f.built_for) {
        f.armed = 1;
        return;
    }
    f.armed = 0;
    f.built_for = nullptr;
    for (int i = 0; i < 4; ++i) f.dc[i].source = f.ac[i].source = nullptr;
    if (!scan || !scan->components) return;
    uint32_t ndc = 0, nac = 0;
    auto add = [](JPEG_HUFF_FAST_TABLE* list, uint32_t& n, const JPEG_HUFF_DECODE_TABLE* t, bool dc) {
        if (!t) return false;
        for (uint32_t i = 0; i < n; ++i)
            if (list[i].source == t) return false;
        if (n >= 4 || !jpeg_huff_fast_build(t, dc, list[n].entry)) return false;
        list[n++].source = t;
        return true;
    };
    for (uint32_t i = 0; i < scan->ns && i < 4; ++i) {
        add(f.dc, ndc, scan->components[i].dc, true);
        if (add(f.ac, nac, scan->components[i].ac, false)) jpeg_huff_fast_pairs(f.ac[nac - 1].entry, f.ac_pairs[nac - 1]);
    }
    f.armed = 1;
    f.built_for = scan;
}

void jpeg_huff_fast_disarm(JPEG_ENVIRONMENT* env) {
    if (env) env->huff_fast.armed = 0;
}

}  // namespace velmora
