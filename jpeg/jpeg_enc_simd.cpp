// jpeg/jpeg_enc_simd.cpp
#include "jpeg/jpeg_enc_simd.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "jpeg/jpeg_enc_color.h"
#include "jpeg/jpeg_enc_convert_steps.h"
#include "jpeg/jpeg_enc_huff.h"
#include "jpeg/jpeg_enc_mcu_steps.h"
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_fdct.h"
#include "jpeg/jpeg_idct.h"

namespace velmora {
namespace {

uint8_t* cursor(JPEG_STREAM* s) { return const_cast<uint8_t*>(s->current); }

bool group_has_ff(uint64_t acc) {
    return ((acc >> 32) & 0xFF) == 0xFF || ((acc >> 40) & 0xFF) == 0xFF || ((acc >> 48) & 0xFF) == 0xFF ||
           ((acc >> 56) & 0xFF) == 0xFF;
}

// Writes the top four bytes of the accumulator, a 0x00 after every 0xFF, as far
// as four output bytes go; a stuffed zero that does not fit starts the next group.
void write_group(JPEG_STREAM* s) {
    uint8_t* out = cursor(s);
    const uint64_t acc = s->bits;
    if (!group_has_ff(acc)) {
        for (int i = 0; i < 4; ++i) out[i] = uint8_t(acc >> (56 - 8 * i));
        s->bits = acc << 32;
        s->bit_count -= 32;
    } else {
        int w = 0, used = 0;
        bool zero_pending = false;
        while (w < 4) {
            const uint8_t b = uint8_t(acc >> (56 - 8 * used));
            out[w++] = b;
            ++used;
            if (b == 0xFF) {
                if (w < 4) out[w++] = 0;
                else zero_pending = true;
            }
        }
        s->bits = acc << (8 * used);
        s->bit_count -= 8 * used;
        if (zero_pending) {
            s->bits >>= 8;   // the stuffed zero becomes the next group's first byte
            s->bit_count += 8;
        }
    }
    s->current += 4;
    s->consumed += 4;
    if (s->file < 0) s->left -= 4;
}

// Room for one group: memory fails, a file buffer is written out.
JPEG_RESULT group_room(JPEG_STREAM* s, uint32_t need, uint32_t file_margin) {
    const uint32_t room = uint32_t(s->end - s->current);
    if (s->file < 0) return room < need ? JPEG_ERR_OUTPUT_SMALL : 0;
    return room <= file_margin ? jpeg_write_buffer(s) : 0;
}

// Bytes the held bits become when flushed, stuffing included.
uint32_t held_bytes(const JPEG_STREAM* s) {
    uint32_t n = 0;
    for (int32_t c = 0; c < s->bit_count; c += 8) n += uint8_t(s->bits >> (56 - c)) == 0xFF ? 2 : 1;
    return n;
}

inline uint32_t pattern_of(int32_t v, uint32_t n) { return uint32_t(v < 0 ? v - 1 : v) & ((1u << n) - 1); }

// Makes room for n more bits in the stream's accumulator: whole groups are
// written out (a file buffer emptied when it runs short). Called only when the
// held bits and n pass 64.
[[gnu::noinline]] JPEG_RESULT make_room(JPEG_STREAM* s, uint32_t n) {
    while (uint32_t(s->bit_count) + n > 64) {
        if (uint32_t(s->end - s->current) < 8) {
            if (s->file < 0) return JPEG_ERR_OUTPUT_SMALL;
            JPEG_RESULT r = jpeg_write_buffer(s);
            if (r) return r;
            continue;
        }
        write_group(s);
    }
    return 0;
}

// True when one of the eight bytes of x is 0xFF (x's complement has a zero byte).
inline bool has_ff64(uint64_t x) { return ((~x - 0x0101010101010101ull) & x & 0x8080808080808080ull) != 0; }

// The lazy writer of class 5: works on the accumulator the block encoder
// holds, kept in locals (registers) for the block and given back to the
// stream by done(). The whole bytes held go out in place, with the bytes
// write_group would write, while none of them is 0xFF; anything else takes
// make_room.
struct LazyWriter {
    JPEG_STREAM* s;
    uint64_t bits;
    int32_t count;
    explicit LazyWriter(JPEG_STREAM* st) : s(st), bits(st->bits), count(st->bit_count) {}
    [[gnu::always_inline]] JPEG_RESULT put(uint32_t v, uint32_t n) {
        if (n == 0) return 0;
        return put_fitted(v & (n >= 32 ? 0xFFFFFFFFu : (1u << n) - 1), n);
    }
    // v holds no bits above its n (1 to 32) bits: a code below its length's
    // power of two with the value bits below it.
    [[gnu::always_inline]] JPEG_RESULT put_fitted(uint32_t v, uint32_t n) {
        if (uint32_t(count) + n > 64) [[unlikely]] {
            // Every whole byte held (four to eight, as count passes 32) in one
            // eight-byte store when none of them is 0xFF and eight bytes are free.
            const int32_t whole = count >> 3;
            const uint64_t held = bits & (~0ull << (64 - 8 * whole));
            if (count >= 32 && !has_ff64(held) && s->end - s->current >= 8) {
                const uint64_t be = __builtin_bswap64(held);
                std::memcpy(cursor(s), &be, 8);
                s->current += whole;
                s->consumed += uint32_t(whole);
                if (s->file < 0) s->left -= whole;
                bits = (bits << (4 * whole)) << (4 * whole);
                count -= 8 * whole;
            } else {
                s->bits = bits, s->bit_count = count;
                const JPEG_RESULT r = make_room(s, n);
                if (r) return r;
                bits = s->bits, count = s->bit_count;
            }
        }
        count += int32_t(n);
        bits |= uint64_t(v) << (64 - count);
        return 0;
    }
    JPEG_RESULT done(JPEG_RESULT r) {
        if (r == 0) s->bits = bits, s->bit_count = count;
        return r;
    }
};

#if defined(__SSE2__)
inline void transpose8(__m128i* v) {
    __m128i a0 = _mm_unpacklo_epi16(v[0], v[1]), a1 = _mm_unpackhi_epi16(v[0], v[1]);
    __m128i a2 = _mm_unpacklo_epi16(v[2], v[3]), a3 = _mm_unpackhi_epi16(v[2], v[3]);
    __m128i a4 = _mm_unpacklo_epi16(v[4], v[5]), a5 = _mm_unpackhi_epi16(v[4], v[5]);
    __m128i a6 = _mm_unpacklo_epi16(v[6], v[7]), a7 = _mm_unpackhi_epi16(v[6], v[7]);
    __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    v[0] = _mm_unpacklo_epi64(b0, b4), v[1] = _mm_unpackhi_epi64(b0, b4);
    v[2] = _mm_unpacklo_epi64(b1, b5), v[3] = _mm_unpackhi_epi64(b1, b5);
    v[4] = _mm_unpacklo_epi64(b2, b6), v[5] = _mm_unpackhi_epi64(b2, b6);
    v[6] = _mm_unpacklo_epi64(b3, b7), v[7] = _mm_unpackhi_epi64(b3, b7);
}

// One AAN pass on eight lanes with eight-bit constants and truncating products.
inline void fast_pass(__m128i* d) {
    const __m128i tmp0 = _mm_add_epi16(d[0], d[7]), tmp7 = _mm_sub_epi16(d[0], d[7]);
    const __m128i tmp1 = _mm_add_epi16(d[1], d[6]), tmp6 = _mm_sub_epi16(d[1], d[6]);
    const __m128i tmp2 = _mm_add_epi16(d[2], d[5]), tmp5 = _mm_sub_epi16(d[2], d[5]);
    const __m128i tmp3 = _mm_add_epi16(d[3], d[4]), tmp4 = _mm_sub_epi16(d[3], d[4]);
    const __m128i tmp10 = _mm_add_epi16(tmp0, tmp3), tmp13 = _mm_sub_epi16(tmp0, tmp3);
    const __m128i tmp11 = _mm_add_epi16(tmp1, tmp2), tmp12 = _mm_sub_epi16(tmp1, tmp2);
    d[0] = _mm_add_epi16(tmp10, tmp11);
    d[4] = _mm_sub_epi16(tmp10, tmp11);
    const __m128i z1 = _mm_mulhi_epi16(_mm_slli_epi16(_mm_add_epi16(tmp12, tmp13), 1), _mm_set1_epi16(23168));
    d[2] = _mm_add_epi16(tmp13, z1);
    d[6] = _mm_sub_epi16(tmp13, z1);
    const __m128i t10 = _mm_add_epi16(tmp4, tmp5), t11 = _mm_add_epi16(tmp5, tmp6), t12 = _mm_add_epi16(tmp6, tmp7);
    const __m128i z5 = _mm_mulhi_epi16(_mm_sub_epi16(t10, t12), _mm_set1_epi16(25088));
    const __m128i z2 = _mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(t10, 1), _mm_set1_epi16(17792)), z5);
    const __m128i z4 = _mm_add_epi16(_mm_mulhi_epi16(_mm_slli_epi16(t12, 2), _mm_set1_epi16(21376)), z5);
    const __m128i z3 = _mm_mulhi_epi16(_mm_slli_epi16(t11, 1), _mm_set1_epi16(23168));
    const __m128i z11 = _mm_add_epi16(tmp7, z3), z13 = _mm_sub_epi16(tmp7, z3);
    d[5] = _mm_add_epi16(z13, z2);
    d[3] = _mm_sub_epi16(z13, z2);
    d[1] = _mm_add_epi16(z11, z4);
    d[7] = _mm_sub_epi16(z11, z4);
}

// One channel of eight pixels as 16-bit lanes, gathered straight into a
// register (through memory the vector load would wait on eight small stores).
inline __m128i channel8(const uint8_t* p) {
    return _mm_setr_epi16(p[0], p[3], p[6], p[9], p[12], p[15], p[18], p[21]);
}
struct GatherInserts {
    template <int RO, int BO>
    static void load(const uint8_t* p, __m128i& r, __m128i& g, __m128i& b) {
        r = channel8(p + RO), g = channel8(p + 1), b = channel8(p + BO);
    }
};
#endif

template <int RO, int BO, int HF, int VF>
void convert_simd(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb, int16_t* cr) {
#if defined(__SSE2__)
    enc_convert_rows<GatherInserts, RO, BO, HF, VF>(src, step, y, cb, cr);
#else
    if (RO == 0) {
        if (HF == 1) jpeg_enc_rgb_h1v1(src, step, y, cb, cr, nullptr);
        else if (VF == 1) jpeg_enc_rgb_h2v1(src, step, y, cb, cr, nullptr);
        else jpeg_enc_rgb_h2v2(src, step, y, cb, cr, nullptr);
    } else {
        if (HF == 1) jpeg_enc_bgr_h1v1(src, step, y, cb, cr, nullptr);
        else if (VF == 1) jpeg_enc_bgr_h2v1(src, step, y, cb, cr, nullptr);
        else jpeg_enc_bgr_h2v2(src, step, y, cb, cr, nullptr);
    }
#endif
}

}  // namespace

void jpeg_quantize_fast_simd(int16_t* block, const uint16_t* table) {
#if defined(__SSE2__)
    for (int i = 56; i >= 0; i -= 8) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
        const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + i));
        // Clamp to -8192..8191 with saturating unsigned arithmetic.
        x = _mm_add_epi16(x, _mm_set1_epi16(-32768));
        x = _mm_adds_epu16(x, _mm_set1_epi16(24576));
        x = _mm_subs_epu16(x, _mm_set1_epi16(int16_t(49152)));
        x = _mm_add_epi16(x, _mm_set1_epi16(-8192));
        const __m128i p = _mm_mulhi_epi16(_mm_slli_epi16(x, 2), r);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), _mm_srai_epi16(_mm_add_epi16(p, _mm_set1_epi16(1)), 1));
    }
#else
    for (int i = 0; i < 64; ++i) {
        int32_t x = block[i] < -8192 ? -8192 : block[i] > 8191 ? 8191 : block[i];
        block[i] = int16_t((x * int16_t(table[i]) + 16384) >> 15);
    }
#endif
}

void jpeg_quantize_accurate_simd(int16_t* block, const uint16_t* table) {
#if defined(__SSE2__)
    for (int i = 0; i < 64; i += 8) {
        const __m128i a = _mm_slli_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i)), 3);
        const __m128i b = _mm_srli_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table + i)), 1);
        const __m128i p = _mm_mulhi_epi16(a, b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(block + i), _mm_srai_epi16(_mm_add_epi16(p, _mm_set1_epi16(1)), 1));
    }
#else
    for (int i = 0; i < 64; ++i) {
        const int32_t a = int16_t(uint16_t(block[i]) << 3), b = table[i] >> 1;
        block[i] = int16_t(((a * b) >> 16) + 1) >> 1;
    }
#endif
}

void jpeg_fdct_fast_simd(int16_t* block) {
#if defined(__SSE2__)
    __m128i v[8];
    for (int i = 0; i < 8; ++i) v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * i));
    transpose8(v);   // lanes are rows: the row pass
    fast_pass(v);
    transpose8(v);   // lanes are columns: the column pass
    fast_pass(v);
    for (int i = 0; i < 8; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(block + 8 * i), v[i]);
#else
    jpeg_fdct_fast(block);
#endif
}

void jpeg_open_output_simd(JPEG_STREAM* s, uint8_t* block, uint32_t size) {
    jpeg_open_output(s, block, size);
    s->bit_count = 0;
}

JPEG_RESULT jpeg_put_bytes_simd(const uint8_t* bytes, uint32_t n, JPEG_STREAM* s) {
    const uint32_t held = held_bytes(s);
    if (s->file < 0 && uint64_t(s->current - s->start) + held + n >= s->size) return JPEG_ERR_OUTPUT_SMALL;
    for (int32_t c = 0; c < s->bit_count; c += 8) {
        JPEG_RESULT r = jpeg_emit_byte(s, uint8_t(s->bits >> (56 - c)));
        if (r) return r;
    }
    s->bits = 0;
    s->bit_count = 8;   // the plain copy below sees an empty byte
    JPEG_RESULT r = jpeg_put_bytes(bytes, n, s);
    s->bit_count = 0;
    return r;
}

JPEG_RESULT jpeg_put_bits_simd(JPEG_STREAM* s, uint32_t v, int32_t n) {
    if (n <= 0) return 0;
    s->bit_count += n;
    s->bits |= uint64_t(v) << (64 - s->bit_count);
    if (s->bit_count <= 32) return 0;
    for (;;) {
        JPEG_RESULT r = group_room(s, 4, 22);
        if (r) return r;
        const bool stuffed = group_has_ff(s->bits);
        write_group(s);
        if (!stuffed || s->bit_count < 32) return 0;
    }
}

JPEG_RESULT jpeg_encode_block_mmx(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc, const JPEG_HUFF_ENCODE_TABLE* ac,
                                  int16_t* pred, int16_t* block) {
    // The list of nonzero values in zig-zag order with their runs; position 0
    // holds the DC difference.
    int16_t value[64];
    uint8_t run[64];
    uint32_t count = 0, zeros = 0;
    const int32_t diff = block[0] - *pred;
    *pred = block[0];
    for (int k = 0; k < 64; ++k) {
        const int32_t v = k == 0 ? diff : block[jpeg_natural_order[k]];
        if (v == 0) {
            ++zeros;
            continue;
        }
        value[count] = int16_t(v);
        run[count++] = uint8_t(zeros);
        zeros = 0;
    }
    JPEG_RESULT r = 0;
    uint32_t first = 0;
    if (diff == 0) {
        r = jpeg_put_bits_simd(s, dc->code[0], int32_t(dc->length[0]));
        if (count) --run[0];   // its run counted position 0
    } else {
        const uint32_t n = jpeg_category(diff);
        r = jpeg_put_bits_simd(s, (uint32_t(dc->code[n]) << n) | pattern_of(diff, n), int32_t(dc->length[n] + n));
        first = 1;
    }
    for (uint32_t i = first; i < count && !r; ++i) {
        uint32_t z = run[i];
        while (z > 15 && !r) {
            r = jpeg_put_bits_simd(s, ac->code[0xF0], int32_t(ac->length[0xF0]));
            z -= 16;
        }
        const uint32_t n = jpeg_category(value[i]), sym = (z << 4) + n;
        if (!r) r = jpeg_put_bits_simd(s, (uint32_t(ac->code[sym]) << n) | pattern_of(value[i], n), int32_t(ac->length[sym] + n));
    }
    if (!r && (count == 0 || zeros > 0)) r = jpeg_put_bits_simd(s, ac->code[0], int32_t(ac->length[0]));
    return r;
}

namespace {

// The block's 64 coefficients in zig-zag order, one by one.
void zigzag_plain(const int16_t* block, int16_t* zz) {
#pragma GCC unroll 64
    for (int k = 0; k < 64; ++k) zz[k] = block[jpeg_natural_order[k]];
}

// The block encoder of slot 54 with its bit buffer in locals; Split gives the
// AC values in zig-zag order as magnitudes and value bits, and the mask of the
// nonzero ones: the loop below visits only those, a zero run being the
// distance between two.
template <uint64_t (*Split)(const int16_t*, uint16_t*, uint16_t*)>
JPEG_RESULT encode_block_masked(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc, const JPEG_HUFF_ENCODE_TABLE* ac,
                                int16_t* pred, int16_t* block) {
    LazyWriter w(s);
    const int32_t diff = block[0] - *pred;
    *pred = block[0];
    uint32_t n = jpeg_category(diff);
    // A code and its value bits go in as one string: at most 16 + 16 bits.
    JPEG_RESULT r = w.put((uint32_t(dc->code[n]) << n) | pattern_of(diff, n), dc->length[n] + n);
    alignas(32) uint16_t mag[64], bits[64];
    uint64_t nonzero = Split(block, mag, bits);
    nonzero &= ~uint64_t(1);   // position 0 is the DC value, coded above
    int last = 0;
    while (nonzero && !r) {
        const int k = __builtin_ctzll(nonzero);
        nonzero &= nonzero - 1;
        uint32_t z = uint32_t(k - last - 1);
        last = k;
        while (z > 15 && !r) {
            r = w.put(ac->code[0xF0], ac->length[0xF0]);
            z -= 16;
        }
        // a is 1 to 32768 here: n is its bit length, the value bits the low n of bits[k].
        n = 32u - uint32_t(__builtin_clz(mag[k]));
        const uint32_t sym = (z << 4) + n;
        if (!r) r = w.put_fitted((uint32_t(ac->code[sym]) << n) | (bits[k] & ((1u << n) - 1)), ac->length[sym] + n);
    }
    if (!r && last < 63) r = w.put(ac->code[0], ac->length[0]);
    return w.done(r);
}

}  // namespace

JPEG_RESULT jpeg_encode_block_sse(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc, const JPEG_HUFF_ENCODE_TABLE* ac,
                                  int16_t* pred, int16_t* block) {
    return encode_block_masked<split_gathered<zigzag_plain>>(s, dc, ac, pred, block);
}

JPEG_RESULT jpeg_encode_block_ssse3(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc,
                                    const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred, int16_t* block) {
    return encode_block_masked<split_gathered<jpeg_zigzag_ssse3>>(s, dc, ac, pred, block);
}

JPEG_RESULT jpeg_encode_block_avx512(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc,
                                     const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred, int16_t* block) {
    return encode_block_masked<jpeg_zigzag_split_avx512>(s, dc, ac, pred, block);
}

JpegEncMcuFn jpeg_enc_mcu_for(JpegHuffEncodeFn block, bool left_aligned) {
    if (!left_aligned) return block == jpeg_encode_block ? jpeg_encode_mcu_plain : nullptr;
    if (block == jpeg_encode_block_avx512) return jpeg_encode_mcu_avx512;
    static const bool avx2 = jpeg_enc_mcu_avx2_available();
    if (block == jpeg_encode_block_ssse3 && avx2) return jpeg_encode_mcu_avx2;
    return nullptr;
}

JPEG_RESULT jpeg_encode_mcu_by_blocks(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks,
                                      JpegHuffEncodeFn block) {
    for (uint32_t b = 0; b < t->blocks; ++b)
        if (const JPEG_RESULT r = block(s, t->dc[b], t->ac[b], pred + t->comp[b], blocks + 64 * b)) return r;
    return 0;
}

bool jpeg_enc_table_fits(const JPEG_HUFF_ENCODE_TABLE* t) {
    for (int i = 0; i < 256; ++i)
        if (t->length[i] > 16 || (uint32_t(t->code[i]) >> t->length[i]) != 0) return false;
    return true;
}

void jpeg_enc_rgb_h1v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_simd<0, 2, 1, 1>(s, st, y, cb, cr);
}
void jpeg_enc_rgb_h2v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_simd<0, 2, 2, 1>(s, st, y, cb, cr);
}
void jpeg_enc_rgb_h2v2_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_simd<0, 2, 2, 2>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h1v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_simd<2, 0, 1, 1>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h2v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_simd<2, 0, 2, 1>(s, st, y, cb, cr);
}
void jpeg_enc_bgr_h2v2_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t*) {
    convert_simd<2, 0, 2, 2>(s, st, y, cb, cr);
}

}  // namespace velmora
