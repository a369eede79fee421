// jpeg/jpeg_enc_mcu_steps.h - the sequential MCU encoder: the
// blocks of one MCU coded in one call, with the stream's bits, bit count and
// output cursor held in registers from block to block. Every code goes in with
// its value bits, AC codes three at a time, and the whole bytes held go out at
// once, in one eight-byte store, after each such string: no test of the bit
// count decides when to write, so no branch of the loop depends on the data
// but the end of a block's nonzero coefficients, a zero run of more than 15,
// three codes of more than 56 bits and an 0xFF among the bytes (then they go
// out one by one, each 0xFF followed by a stuffed zero). A block is
// begun only with room for its worst case in the output; short of it, a file
// buffer is written out, and at a memory block's end the remaining blocks go
// to the block encoder of slot 54, which reports the end where it did before.
//
// The bits are those of the block encoders of slot 54 for tables whose every
// code fits its length (jpeg_enc_table_fits): each code with its value bits,
// in the same order.
//
// The plain classes take the same steps with the zig-zag split done one
// coefficient at a time (jpeg/jpeg_enc_huff.cpp, no vector instructions) on
// the plain writer's bits.
//
// Everything here has internal linkage: each file compiles it for its own
// instruction set (the MCU forms of classes 3-6 with BMI2, whose shifts by a
// register and bit extracts shorten every step; jpeg/jpeg_enc_avx512.cpp and
// jpeg/jpeg_enc_mcu_avx2.cpp), and no form may be merged into another. The
// split of the SSE2 and SSSE3 block encoders is here as well.
#pragma once
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_simd.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_idct.h"

namespace velmora {
namespace {

// The block's coefficients put into zig-zag order by Gather, then split as
// the block encoder takes them: each value v's magnitude into mag, v - 1 for
// v < 0 (v itself else) into bits, whose low bits, as many as the magnitude
// has, are the value's bits; returned, the mask of the nonzero ones.
template <void (*Gather)(const int16_t*, int16_t*)>
uint64_t split_gathered(const int16_t* block, uint16_t* mag, uint16_t* bits) {
    alignas(16) int16_t zz[64];
    Gather(block, zz);
    uint64_t nonzero = 0;
#if defined(__SSE2__)
    for (int i = 0; i < 64; i += 16) {
        const __m128i zero = _mm_setzero_si128();
        __m128i isz[2];
        for (int h = 0; h < 2; ++h) {
            const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(zz + i + 8 * h));
            const __m128i sign = _mm_srai_epi16(v, 15);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(mag + i + 8 * h), _mm_sub_epi16(_mm_xor_si128(v, sign), sign));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(bits + i + 8 * h), _mm_add_epi16(v, sign));
            isz[h] = _mm_cmpeq_epi16(v, zero);
        }
        nonzero |= uint64_t(uint16_t(~_mm_movemask_epi8(_mm_packs_epi16(isz[0], isz[1])))) << i;
    }
#else
    for (int k = 0; k < 64; ++k) {
        const int32_t v = zz[k];
        mag[k] = uint16_t(v < 0 ? -v : v);
        bits[k] = uint16_t(v < 0 ? v - 1 : v);
        nonzero |= uint64_t(v != 0) << k;
    }
#endif
    return nonzero;
}

// The same split one coefficient at a time, for the plain classes.
inline uint64_t split_plain(const int16_t* block, uint16_t* mag, uint16_t* bits) {
    uint64_t nonzero = 0;
#pragma GCC unroll 64
    for (int k = 0; k < 64; ++k) {
        const int32_t v = block[jpeg_natural_order[k]];
        mag[k] = uint16_t(v < 0 ? -v : v);
        bits[k] = uint16_t(v < 0 ? v - 1 : v);
        nonzero |= uint64_t(v != 0) << k;
    }
    return nonzero;
}

// Output a block may need at most: 68 codes (DC, 63 AC, three ZRL, EOB) of up
// to 32 bits with their value bits, doubled for stuffing, the eight bytes held
// at entry (doubled) and the eight-byte store past the last byte.
constexpr uint32_t kMcuBlockRoom = 68 * 4 * 2 + 16 + 8;

struct McuWriter {
    uint64_t acc;      // held bits, left-aligned; below them zeros
    int32_t count;     // bits held
    uint8_t* out;

    static bool has_ff(uint64_t x) { return ((~x - 0x0101010101010101ull) & x & 0x8080808080808080ull) != 0; }

    // The top `bytes` bytes of acc, one by one, a zero after each 0xFF; returns
    // the cursor after them. Out of line, with the state passed by value, so
    // the state stays in registers on the common path.
    [[gnu::noinline]] static uint8_t* write_stuffed(uint64_t acc, int32_t bytes, uint8_t* out) {
        for (; bytes > 0; --bytes, acc <<= 8) {
            const uint8_t b = uint8_t(acc >> 56);
            *out++ = b;
            if (b == 0xFF) *out++ = 0;
        }
        return out;
    }
    // Every whole byte held goes out; at most seven bits stay.
    [[gnu::always_inline]] void write_whole() {
        const int32_t whole = count & ~7;
        if (has_ff(acc)) [[unlikely]] {
            out = write_stuffed(acc, whole >> 3, out);
        } else {
            const uint64_t be = __builtin_bswap64(acc);
            std::memcpy(out, &be, 8);
            out += whole >> 3;
        }
        acc = (acc << (whole >> 1)) << (whole >> 1);   // up to 64
        count &= 7;
    }
    // n (1 to 32) bits v, then every whole byte held; at most seven bits stay.
    // Bits below the held ones are zero, so no byte short of whole is 0xFF. A
    // code of length 0 (n = 0, v = 0) changes nothing.
    [[gnu::always_inline]] void put(uint64_t v, uint32_t n) {
        count += int32_t(n);
        acc |= v << ((64 - count) & 63);
        const int32_t whole = count >> 3;   // at most 7: at most 7 + 56 bits held
        if (has_ff(acc)) [[unlikely]] {
            out = write_stuffed(acc, whole, out);
        } else {
            const uint64_t be = __builtin_bswap64(acc);
            std::memcpy(out, &be, 8);
            out += whole;
        }
        acc <<= 8 * whole;
        count &= 7;
    }
};

// One block: the DC difference's code and value bits, then each nonzero AC
// coefficient's, visited through Split's mask, a ZRL for every 16 zeros
// before one, EOB when the last coefficient is zero. The AC codes are gathered
// three at a time into one string written at once, as long as the string
// takes at most 56 bits, which it nearly always does: the test is a branch the
// data hardly ever turn.
template <uint64_t (*Split)(const int16_t*, uint16_t*, uint16_t*)>
[[gnu::always_inline]] inline void mcu_encode_block(McuWriter& w, const JPEG_HUFF_ENCODE_TABLE* dc,
                                                    const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred,
                                                    const int16_t* block) {
    constexpr int kGroup = 3;
    const int32_t diff = block[0] - *pred;
    *pred = block[0];
    uint32_t n = jpeg_category(diff);
    w.put((uint32_t(dc->code[n]) << n) | (uint32_t(diff < 0 ? diff - 1 : diff) & ((1u << n) - 1)),
          dc->length[n] + n);
    alignas(32) uint16_t mag[64], bits[64];
    uint64_t nonzero = Split(block, mag, bits) & ~uint64_t(1);
    int last = 0;
    while (nonzero) {
        uint64_t gv = 0;   // the string gathered, gl bits (at most 56)
        uint32_t gl = 0;
#pragma GCC unroll 3
        for (int i = 0; i < kGroup; ++i) {
            if (i > 0 && !nonzero) break;
            const int k = __builtin_ctzll(nonzero);
            nonzero &= nonzero - 1;
            uint32_t z = uint32_t(k - last - 1);
            last = k;
            if (z > 15) [[unlikely]] {
                w.put(gv, gl);
                gv = gl = 0;
                for (; z > 15; z -= 16) w.put(ac->code[0xF0], ac->length[0xF0]);
            }
            n = 32u - uint32_t(__builtin_clz(mag[k]));   // 1 to 16
            const uint32_t sym = (z << 4) + n;
            const uint32_t v = (uint32_t(ac->code[sym]) << n) | (bits[k] & ((1u << n) - 1));
            const uint32_t l = ac->length[sym] + n;
            if (i > 0 && gl + l > 56) [[unlikely]] {
                w.put(gv, gl);
                gv = gl = 0;
            }
            gv = (gv << l) | v;
            gl += l;
        }
        w.put(gv, gl);
    }
    if (last < 63) w.put(ac->code[0], ac->length[0]);
}

// Plain: the stream holds its bits as the plain writer does (right-aligned,
// bit_count the bits free in the byte begun); else left-aligned, bit_count
// the bits held, as the writers of classes 3-6 hold them.
template <uint64_t (*Split)(const int16_t*, uint16_t*, uint16_t*), JpegHuffEncodeFn Block, bool Plain = false>
JPEG_RESULT mcu_encode_masked(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    McuWriter w{s->bits, s->bit_count, const_cast<uint8_t*>(s->current)};
    if (Plain) {
        w.count = 8 - s->bit_count;
        if (w.count < 0 || w.count > 7) return jpeg_encode_mcu_by_blocks(s, t, pred, blocks, Block);
        w.acc = w.count ? (s->bits & ((uint64_t(1) << w.count) - 1)) << (64 - w.count) : 0;
    }
    auto give_back = [&] {
        const uint32_t n = uint32_t(w.out - s->current);
        s->current = w.out;
        s->consumed += n;
        if (s->file < 0) s->left -= int32_t(n);
        s->bits = w.acc;
        s->bit_count = w.count;
        if (Plain) s->bits = w.count ? w.acc >> (64 - w.count) : 0, s->bit_count = 8 - w.count;
    };
    uint32_t b = 0;
    for (; b < t->blocks; ++b) {
        if (uint32_t(s->end - w.out) < kMcuBlockRoom) [[unlikely]] {
            if (s->file < 0 || s->size <= kMcuBlockRoom) break;
            give_back();
            if (const JPEG_RESULT r = jpeg_write_buffer(s)) return r;
            w.out = const_cast<uint8_t*>(s->current);
        }
        if (w.count > 7) [[unlikely]] w.write_whole();   // bits another writer left
        mcu_encode_block<Split>(w, t->dc[b], t->ac[b], pred + t->comp[b], blocks + 64 * b);
    }
    give_back();
    for (; b < t->blocks; ++b)
        if (const JPEG_RESULT r = Block(s, t->dc[b], t->ac[b], pred + t->comp[b], blocks + 64 * b)) return r;
    return 0;
}

}  // namespace
}  // namespace velmora
