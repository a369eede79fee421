// jpeg/jpeg_huff.cpp
#include "jpeg/jpeg_huff.h"

#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff_fast.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_input.h"

namespace velmora {

JPEG_RESULT jpeg_build_huffman_table(const uint8_t* counts, const uint8_t* values, uint32_t table_class,
                                     uint32_t id, JPEG_HUFF_DECODE_TABLE* out) {
    uint32_t total = 0;
    for (int l = 0; l < 16; ++l) total += counts[l];
    if (total > 256) return JPEG_ERR_BAD_HUFFMAN;
    // Built aside and copied when sound, so a bad table leaves the old one whole.
    JPEG_HUFF_DECODE_TABLE t;
    std::memset(&t, 0, sizeof(t));
    t.table_class = table_class;
    t.id = id;
    uint16_t codes[256];
    uint8_t lengths[256];
    uint32_t code = 0, k = 0;
    for (uint32_t l = 1; l <= 16; ++l) {
        uint32_t n = counts[l - 1];
        if (n == 0) {
            t.maxcode[l] = 0xFFFF;
        } else {
            t.valptr[l] = uint16_t(k);
            t.mincode[l] = uint16_t(code);
            for (uint32_t j = 0; j < n; ++j, ++k, ++code) {
                t.symbols[k] = values[k];
                codes[k] = uint16_t(code);
                lengths[k] = uint8_t(l);
            }
            // Codes that no longer fit their length would make the table ambiguous
            // and index past the lookahead; the all-ones code is reserved.
            if (code >= (1u << l)) return JPEG_ERR_BAD_HUFFMAN;
            t.maxcode[l] = uint16_t(code - 1);
        }
        code <<= 1;
    }
    t.maxcode[0] = 0xFFFF;
    t.maxcode[17] = 0xFFFF;
    for (uint32_t i = 0; i < k; ++i) {
        uint32_t l = lengths[i];
        if (l > 8) continue;
        uint32_t first = uint32_t(codes[i]) << (8 - l), n = 1u << (8 - l);
        for (uint32_t j = 0; j < n; ++j) t.lookahead[first + j] = (l << 16) | t.symbols[i];
    }
    std::memcpy(out, &t, sizeof(t));
    return 0;
}

// Fills until 47 bits or more are held (at most 54, which the combined lookup
// of the block decoder still reads whole): a fill then serves several
// coefficients, not one or two.
constexpr int32_t kFillTo = 47;

JPEG_RESULT jpeg_bits_fill(JPEG_STREAM* s, int32_t n) {
    if (s->bit_count >= kFillTo) return 0;
    // The bytes the loop below would take, at once, when eight are at hand and
    // none of those it takes is 0xFF (so none starts a marker or a stuffing).
    if (s->marker == 0 && s->left >= 8 && s->bit_count >= 0) {
        const uint32_t k = uint32_t(kFillTo - s->bit_count + 7) / 8;   // 1..6
        uint64_t eight;
        std::memcpy(&eight, s->current, 8);
        const uint64_t word = __builtin_bswap64(eight) >> (64 - 8 * k);   // the k bytes, first one highest
        // A byte of the word is 0xFF exactly when its complement has a zero byte.
        const uint64_t inv = ~word & ((uint64_t(1) << (8 * k)) - 1);
        const uint64_t ones = 0x0101010101010101ull >> (64 - 8 * k), highs = ones << 7;
        if (((inv - ones) & ~inv & highs) == 0) {
            s->bits = (s->bits << (8 * k)) | word;
            s->bit_count += int32_t(8 * k);
            s->current += k;
            s->left -= int32_t(k);
            s->consumed += k;
            return 0;
        }
    }
    // The end of the data stands in for an end marker: nothing more is read, and
    // a decoder that needs more bits is told so (JPEG_BITS_MARKER).
    auto data_end = [s] {
        s->marker = 0xD9;
        s->data_end = 1;
    };
    for (;;) {
        if (s->marker != 0) break;
        if (s->left <= 0 && (s->file < 0 || jpeg_stream_refill(s) != 0)) {
            data_end();
            break;
        }
        uint32_t b = *s->current++;
        --s->left;
        ++s->consumed;
        if (b == 0xFF) {
            uint32_t next = 0xFF;
            while (next == 0xFF) {
                if (s->left <= 0 && (s->file < 0 || jpeg_stream_refill(s) != 0)) break;
                next = *s->current++;
                --s->left;
                ++s->consumed;
            }
            if (next == 0xFF) {
                data_end();
                break;
            }
            if (next != 0) {
                s->marker = uint8_t(next);
                break;
            }
        }
        s->bits = (s->bits << 8) | b;
        s->bit_count += 8;
        if (s->bit_count >= kFillTo) return 0;
    }
    return s->bit_count >= n ? 0 : JPEG_BITS_MARKER;
}

uint32_t jpeg_bits_get(JPEG_STREAM* s, int32_t n) {
    s->bit_count -= n;
    return uint32_t(s->bits >> s->bit_count) & ((1u << n) - 1);
}

uint32_t jpeg_bits_peek(JPEG_STREAM* s, int32_t n) {
    return uint32_t(s->bits >> (s->bit_count - n)) & ((1u << n) - 1);
}

JPEG_RESULT jpeg_huff_decode_slow(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* t, uint32_t* value,
                                  int32_t l) {
    if (s->bit_count < l) {
        JPEG_RESULT r = jpeg_bits_fill(s, l);
        if (r != 0) return r;
    }
    uint32_t code = jpeg_bits_get(s, l);
    while (l <= 16 && (t->maxcode[l] == 0xFFFF || code > t->maxcode[l])) {
        if (s->bit_count < 1) {
            JPEG_RESULT r = jpeg_bits_fill(s, 1);
            if (r != 0) return r;
        }
        code = (code << 1) | jpeg_bits_get(s, 1);
        ++l;
    }
    *value = 0;
    if (l > 16 || code < t->mincode[l]) {   // no code matched: symbol 0
        s->bad_code = 1;
        return 0;
    }
    uint32_t idx = t->valptr[l] + (code - t->mincode[l]);
    if (idx < 256) *value = t->symbols[idx];
    return 0;
}

JPEG_RESULT jpeg_huff_decode(JPEG_STREAM* s, uint32_t* value, const JPEG_HUFF_DECODE_TABLE* t) {
    if (s->bit_count < 8) {
        JPEG_RESULT r = jpeg_bits_fill(s, 8);
        if (r < 0) return r;
        if (s->bit_count < 8) return jpeg_huff_decode_slow(s, t, value, 1);
    }
    uint32_t e = t->lookahead[jpeg_bits_peek(s, 8)];
    if (e >> 16) {
        s->bit_count -= int32_t(e >> 16);
        *value = e & 0xFFFF;
        return 0;
    }
    return jpeg_huff_decode_slow(s, t, value, 9);
}

namespace {

// The received value of a magnitude category: v with its top bit clear is negative.
inline int32_t extend(uint32_t v, uint32_t s) {
    if (s == 0 || s >= 16) return int32_t(v);
    return v < (1u << (s - 1)) ? int32_t(v) + 1 - (1 << s) : int32_t(v);
}

inline JPEG_RESULT need(JPEG_STREAM* s, int32_t n) {
    return s->bit_count >= n ? 0 : jpeg_bits_fill(s, n);
}

// The combined-lookup entry of the bits held, when the table has a lookup, 8 or
// more bits are held (so the symbol decoder would not fill first) and the entry
// takes no more bits than are held; else 0 and the caller decodes step by step.
// With those conditions the entry takes exactly the bits, and gives exactly the
// symbol and value, that the steps would, without a fill in between. The
// accumulator holds at most 54 valid bits, so the shift keeps them all.
inline uint32_t fast_entry(const JPEG_STREAM* s, const uint32_t* f) {
    constexpr int32_t kBits = JPEG_HUFF_FAST_BITS;
    const int32_t n = s->bit_count;
    if (!f || n < 8 || n > 64 - kBits) return 0;
    const uint32_t e = f[uint32_t((s->bits << kBits) >> n) & ((1u << kBits) - 1)];
    return int32_t(e & 31) <= n ? e : 0;
}

// A run past the last coefficient: an error, read up to the symbol's code as
// the step-by-step decoder reads it.
inline JPEG_RESULT past_end(JPEG_STREAM* s, uint32_t e) {
    int32_t bits = 0;
    jpeg_huff_fast_symbol(e, false, bits);
    s->bit_count -= bits;
    s->bad_code = 1;
    return JPEG_ERR_DATA;
}

// A symbol through the lookup when it applies, else through jpeg_huff_decode.
inline JPEG_RESULT symbol(JPEG_STREAM* s, uint32_t* sym, const JPEG_HUFF_DECODE_TABLE* t, const uint32_t* f,
                          bool dc) {
    if (const uint32_t e = fast_entry(s, f)) {
        int32_t bits = 0;
        *sym = jpeg_huff_fast_symbol(e, dc, bits);
        s->bit_count -= bits;
        return 0;
    }
    return jpeg_huff_decode(s, sym, t);
}

// Decodes one sequential block; with store_ac false the AC values only pass.
JPEG_RESULT decode_sequential(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                              const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block,
                              bool store_ac) {
    const uint32_t* fdc = jpeg_huff_fast_find(s, dc, true);
    const uint32_t* fac = jpeg_huff_fast_find(s, ac, false);
    uint32_t sym = 0;
    JPEG_RESULT r = 0;
    if (const uint32_t e = fast_entry(s, fdc); e & JPEG_HUFF_FAST_VALUE) {
        s->bit_count -= int32_t(e & 31);
        *pred = int16_t(uint16_t(uint16_t(*pred) + uint16_t(e >> 16)));
    } else {
        if ((r = symbol(s, &sym, dc, fdc, true)) != 0) return r;
        if (sym > 16) return JPEG_ERR_DATA;   // no such DC category (quiet marks it)
        if (sym) {
            if ((r = need(s, int32_t(sym))) != 0) return r;
            int32_t diff = extend(jpeg_bits_get(s, int32_t(sym)), sym);
            *pred = int16_t(uint16_t(uint16_t(*pred) + uint16_t(diff)));
        }
    }
    if (block) block[0] = *pred;
    uint32_t k = 1;
    while (k < 64) {
        // Topped up before the bits run short, so the symbol after a fill takes
        // the combined lookup too. A fill reads the same bytes whenever it comes
        // (up to 47 bits or the next marker); a shortfall tells nothing until
        // bits are needed, so its answer is left to the steps below.
        if (s->bit_count < 24) jpeg_bits_fill(s, 0);
        if (const uint32_t e = fast_entry(s, fac); e & JPEG_HUFF_FAST_VALUE) {
            k += (e >> 8) & 15;
            if (k > 63) return past_end(s, e);
            s->bit_count -= int32_t(e & 31);
            if (store_ac) block[jpeg_natural_order[k]] = int16_t(uint16_t(e >> 16));
            ++k;
            continue;
        }
        if ((r = symbol(s, &sym, ac, fac, false)) != 0) return r;
        uint32_t run = sym >> 4, size = sym & 15;
        if (size == 0) {
            if (run != 15) break;   // end of block
            k += 16;
            continue;
        }
        k += run;
        if (k > 63) return JPEG_ERR_DATA;   // a run past the last coefficient
        if ((r = need(s, int32_t(size))) != 0) return r;
        int32_t v = extend(jpeg_bits_get(s, int32_t(size)), size);
        if (store_ac) block[jpeg_natural_order[k]] = int16_t(v);
        ++k;
    }
    return 0;
}

// A decoder that ran out of bits ends its block quietly; the scan decoder
// learns of it through the stream's starved flag, of other faults through bad_code.
inline JPEG_RESULT quiet(JPEG_STREAM* s, JPEG_RESULT r) {
    if (r == JPEG_BITS_MARKER) {
        s->starved = 1;
        return 0;
    }
    if (r == JPEG_ERR_DATA) s->bad_code = 1;
    return r;
}

}  // namespace

JPEG_RESULT jpeg_decode_block(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                              const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block) {
    jpeg_clear_block(block);
    return quiet(s, decode_sequential(s, dc, ac, pred, block, true));
}

JPEG_RESULT jpeg_huff_decode_dc(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block) {
    return quiet(s, decode_sequential(s, dc, ac, pred, block, false));
}

JPEG_RESULT jpeg_decode_dc_first(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc, int16_t* coef,
                                 int16_t* pred, uint32_t al) {
    uint32_t sym = 0;
    JPEG_RESULT r = symbol(s, &sym, dc, jpeg_huff_fast_find(s, dc, true), true);
    if (r != 0) return quiet(s, r);
    if (sym > 16) return JPEG_ERR_DATA;
    if (sym) {
        if ((r = need(s, int32_t(sym))) != 0) return quiet(s, r);
        int32_t diff = extend(jpeg_bits_get(s, int32_t(sym)), sym);
        *pred = int16_t(uint16_t(uint16_t(*pred) + uint16_t(diff)));
    }
    *coef = int16_t(uint16_t(uint16_t(*pred) << al));
    return 0;
}

JPEG_RESULT jpeg_decode_dc_refine(JPEG_STREAM* s, int16_t* coef, uint32_t al) {
    JPEG_RESULT r = need(s, 1);
    if (r != 0) return quiet(s, r);
    if (jpeg_bits_get(s, 1)) *coef = int16_t(uint16_t(*coef) | uint16_t(1u << al));
    return 0;
}

JPEG_RESULT jpeg_decode_ac_first(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                 uint32_t ss, uint32_t se, uint32_t al) {
    if (s->eob_run > 0) {
        --s->eob_run;
        return 0;
    }
    const uint32_t* f = jpeg_huff_fast_find(s, ac, false);
    for (uint32_t k = ss; k <= se; ++k) {
        if (const uint32_t e = fast_entry(s, f); e & JPEG_HUFF_FAST_VALUE) {
            k += (e >> 8) & 15;
            if (k > 63) return past_end(s, e);
            s->bit_count -= int32_t(e & 31);
            block[k] = int16_t(uint16_t(uint16_t(e >> 16) << al));
            continue;
        }
        uint32_t sym = 0;
        JPEG_RESULT r = symbol(s, &sym, ac, f, false);
        if (r != 0) return quiet(s, r);
        uint32_t run = sym >> 4, size = sym & 15;
        if (size) {
            k += run;
            if (k > 63) return JPEG_ERR_DATA;
            if ((r = need(s, int32_t(size))) != 0) return quiet(s, r);
            int32_t v = extend(jpeg_bits_get(s, int32_t(size)), size);
            block[k] = int16_t(uint16_t(uint16_t(v) << al));
        } else if (run == 15) {
            k += 15;
        } else {
            uint32_t eob = (1u << run) - 1;
            if (run) {
                if ((r = need(s, int32_t(run))) != 0) return quiet(s, r);
                eob += jpeg_bits_get(s, int32_t(run));
            }
            s->eob_run = eob;
            break;
        }
    }
    return 0;
}

namespace {

// Bit j set where coefficient j of the block (in the scan's order) is nonzero.
inline uint64_t nonzero_mask(const int16_t* block) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i + 8));
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
        mask |= uint64_t(~uint32_t(_mm_movemask_epi8(zeros)) & 0xFFFFu) << (16 * i);
    }
    return mask;
#else
    uint64_t mask = 0;
    for (int j = 0; j < 64; ++j) mask |= uint64_t(block[j] != 0) << j;
    return mask;
#endif
}

// Bits k..se (k <= se <= 63).
inline uint64_t band_mask(uint32_t k, uint32_t se) { return (~uint64_t(0) << k) & (~uint64_t(0) >> (63 - se)); }

// A nonzero coefficient with its correction bit: moved one step of 2^al away
// from zero when the bit is set and that bit of the magnitude is still clear.
// Without branches on the data: the bits are noise to a branch predictor.
inline void correct(int16_t* c, uint32_t bit, int32_t p1) {
    const int32_t v = *c;
    const int32_t apply = -int32_t(bit & uint32_t((v & p1) == 0));
    const int32_t step = v >= 0 ? p1 : -p1;
    *c = int16_t(v + (step & apply));
}

// Corrects the nonzero coefficients of `set`, lowest position first, one
// correction bit each, filling the stream only when no bit is held, where a
// bit-by-bit reader would fill: a cut stream leaves the same coefficients
// corrected.
inline JPEG_RESULT correct_set(JPEG_STREAM* s, int16_t* block, uint64_t set, int32_t p1) {
    uint64_t bits = s->bits;
    int32_t count = s->bit_count;
    for (; set != 0; set &= set - 1) {
        if (count < 1) {
            s->bits = bits;
            s->bit_count = count;
            const JPEG_RESULT r = jpeg_bits_fill(s, 1);
            bits = s->bits;
            count = s->bit_count;
            if (r != 0) return r;
        }
        --count;
        correct(block + __builtin_ctzll(set), uint32_t(bits >> count) & 1u, p1);
    }
    s->bits = bits;
    s->bit_count = count;
    return 0;
}

// kSelectInByte[b][r]: the place of the set bit of b with r set bits below it.
constexpr auto kSelectInByte = [] {
    std::array<std::array<uint8_t, 8>, 256> t{};
    for (uint32_t b = 0; b < 256; ++b)
        for (uint32_t i = 0, r = 0; i < 8; ++i)
            if (b >> i & 1) t[b][r++] = uint8_t(i);
    return t;
}();

// The place of the set bit of x with r set bits below it (r < 64), or 64 when x
// has r or fewer set bits. Without branches on the data: the byte holding it is
// found from the bytes' running bit counts, the place in that byte by a table.
inline uint32_t select_bit(uint64_t x, uint32_t r) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    uint64_t c = x - ((x >> 1) & 0x5555555555555555ull);
    c = (c & 0x3333333333333333ull) + ((c >> 2) & 0x3333333333333333ull);
    c = ((c + (c >> 4)) & 0x0F0F0F0F0F0F0F0Full) * kOnes;   // byte i: the set bits of bytes 0..i
    // High bit of byte i set while bytes 0..i hold r or fewer: a run of low bytes.
    const uint64_t at_most = (((r * kOnes) | kHighs) - c) & kHighs;
    const uint64_t beyond = ~at_most & kHighs;
    if (beyond == 0) return 64;
    const uint32_t shift = uint32_t(__builtin_ctzll(beyond)) - 7;   // 8 x the byte's index
    const uint32_t below = uint32_t((c << 8) >> shift) & 0xFF;
    return shift + kSelectInByte[(x >> shift) & 0xFF][r - below];
}

#if defined(__x86_64__)
// The same place by the processor's bit deposit (BMI2): one instruction where
// the portable form's chain of counts, compares and table takes about twenty
// cycles, and the next symbol's band waits for it. Written as an instruction
// so that the routine around it needs no target of its own.
inline uint32_t select_bit_deposit(uint64_t x, uint32_t r) {
    uint64_t d;
    asm("pdep %2, %1, %0" : "=r"(d) : "r"(uint64_t(1) << r), "rm"(x));
    return d != 0 ? uint32_t(__builtin_ctzll(d)) : 64;
}
#endif

template <bool kDeposit>
[[gnu::always_inline]] inline JPEG_RESULT ac_refine(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                                    uint32_t ss, uint32_t se, uint32_t al) {
    const int32_t p1 = 1 << al, m1 = -(1 << al);
    uint32_t k = ss;
    JPEG_RESULT r = 0;
    // The coefficients earlier scans made nonzero; a correction keeps them so.
    uint64_t nonzero = nonzero_mask(block);
    if (s->eob_run == 0) {
        const uint32_t* f = jpeg_huff_fast_find(s, ac, false);
        for (; k <= se; ++k) {
            uint32_t sym = 0;
            if ((r = symbol(s, &sym, ac, f, false)) != 0) return quiet(s, r);
            int32_t run = int32_t(sym >> 4);
            uint32_t size = sym & 15;
            int32_t value = 0;
            if (size) {
                if ((r = need(s, 1)) != 0) return quiet(s, r);
                value = jpeg_bits_get(s, 1) ? p1 : m1;
            } else if (run != 15) {
                uint32_t eob = 1u << run;
                if (run) {
                    if ((r = need(s, run)) != 0) return quiet(s, r);
                    eob += jpeg_bits_get(s, run);
                }
                s->eob_run = eob;
                break;
            }
            // Passes `run` zero coefficients, refining the nonzero ones on the
            // way, and stops at the next zero one (past se when there is none).
            const uint64_t band = band_mask(k, se);
#if defined(__x86_64__)
            const uint32_t stop = kDeposit ? select_bit_deposit(~nonzero & band, uint32_t(run))
                                           : select_bit(~nonzero & band, uint32_t(run));
#else
            const uint32_t stop = select_bit(~nonzero & band, uint32_t(run));
#endif
            uint64_t passed = nonzero & band;
            if (stop < 64) {
                k = stop;
                passed &= (uint64_t(1) << k) - 1;
            } else {
                k = se + 1;
            }
            if ((r = correct_set(s, block, passed, p1)) != 0) return quiet(s, r);
            if (value != 0 && k <= 63) {
                block[k] = int16_t(value);
                nonzero |= uint64_t(1) << k;
            }
        }
    }
    if (s->eob_run > 0) {
        if (k <= se && (r = correct_set(s, block, nonzero & band_mask(k, se), p1)) != 0) return quiet(s, r);
        --s->eob_run;
    }
    return 0;
}

#if defined(__x86_64__)
// Built for BMI2 as a whole: its shifts by a register take one instruction.
__attribute__((target("bmi2"))) JPEG_RESULT ac_refine_deposit(JPEG_STREAM* s, int16_t* block,
                                                               const JPEG_HUFF_DECODE_TABLE* ac, uint32_t ss,
                                                               uint32_t se, uint32_t al) {
    return ac_refine<true>(s, block, ac, ss, se, al);
}
#endif

const bool kFastDeposit = jpeg_cpu_has_fast_deposit();

}  // namespace

bool jpeg_cpu_has_fast_deposit() {
#if defined(__x86_64__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d) || (b & (1u << 8)) == 0) return false;   // BMI2
    __get_cpuid(0, &a, &b, &c, &d);
    const bool amd = b == 0x68747541u || b == 0x6F677948u;   // "Auth"enticAMD, "Hygo"nGenuine
    __get_cpuid(1, &a, &b, &c, &d);
    uint32_t family = (a >> 8) & 15;
    if (family == 15) family += (a >> 20) & 255;
    // Before family 0x19 AMD's processors run the deposit in microcode, up to
    // hundreds of cycles: there the portable form is faster.
    return !(amd && family < 0x19);
#else
    return false;
#endif
}

JPEG_RESULT jpeg_decode_ac_refine(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                  uint32_t ss, uint32_t se, uint32_t al) {
#if defined(__x86_64__)
    if (kFastDeposit) return ac_refine_deposit(s, block, ac, ss, se, al);
#endif
    return ac_refine<false>(s, block, ac, ss, se, al);
}

JPEG_RESULT jpeg_decode_ac_refine_portable(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                           uint32_t ss, uint32_t se, uint32_t al) {
    return ac_refine<false>(s, block, ac, ss, se, al);
}

}  // namespace velmora
