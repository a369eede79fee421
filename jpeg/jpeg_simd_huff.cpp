// jpeg/jpeg_simd_huff.cpp
#include "jpeg/jpeg_simd_huff.h"

#include <cstring>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff_fast.h"
#include "jpeg/jpeg_idct.h"

namespace velmora {

const int32_t jpeg_extend_threshold[17] = {0,    1,    2,    4,     8,     16,    32,    64,   128,
                                           256,  512,  1024, 2048,  4096,  8192,  16384, 0};
const int32_t jpeg_extend_offset[17] = {0,     -1,    -3,    -7,     -15,    -31,    -63,    -127,  -255,
                                        -511,  -1023, -2047, -4095,  -8191,  -16383, -32767, 0};

JPEG_RESULT jpeg_stream_refill_simd(JPEG_STREAM* s) {
    const int64_t got = s->file >= 0 ? jpeg_file_read(s->file, s->buffer, sizeof(s->buffer)) : -1;
    s->current = s->buffer;
    if (got <= 0) {
        // A failed read ends the refill like the end of the file, so no caller
        // asks again and again.
        s->left = 0;
        s->data_end = 1;
        return got == 0 ? JPEG_ERR_EOF : JPEG_ERR_FILE;
    }
    s->left = int32_t(got);
    return 0;
}

namespace {

// True when one of the eight bytes of w is 0xFF (a zero byte of ~w): such
// bytes start a marker or a stuffing and cannot go into the bits as they are.
inline bool has_ff(uint64_t w) {
    const uint64_t inv = ~w;
    return ((inv - 0x0101010101010101ull) & ~inv & 0x8080808080808080ull) != 0;
}

// The stream's reading state, copied in at entry and stored back at every exit.
struct Bits {
    uint64_t buf;        // left-aligned
    int32_t count;       // may drop below zero after a marker
    const uint8_t* cur;
    int32_t left;
    uint8_t marker;
    uint32_t consumed;
};

inline Bits load(const JPEG_STREAM* s) {
    return {s->bits, s->bit_count, s->current, s->left, s->marker, s->consumed};
}

inline void store(JPEG_STREAM* s, const Bits& b) {
    if (b.count < 0) s->starved = 1;   // bits were taken past the marker or the data's end
    s->bits = b.buf;
    s->bit_count = b.count;
    s->current = b.cur;
    s->left = b.left;
    s->marker = b.marker;
    s->consumed = b.consumed;
}

// The next byte of the source, refilling a file source's buffer when it is
// empty; false when the memory block or the file is used up.
inline bool next_byte(JPEG_STREAM* s, Bits& b, uint32_t& v) {
    if (b.left <= 0) {
        if (s->file < 0) return false;
        if (jpeg_stream_refill_simd(s) != 0) return false;
        b.cur = s->current;
        b.left = s->left;
    }
    v = *b.cur++;
    --b.left;
    ++b.consumed;
    return true;
}

// The byte step: bytes appended one at a time until the buffer holds more than
// 56 bits, 0xFF 0x00 read as one data byte 0xFF, a marker recorded. The end of
// the data is recorded as a stand-in end marker. Past a marker the kernels read
// zero bits and the count drops below zero, which store() reports as starved.
// Kept out of line so the decoders' state stays in registers on the fast paths.
__attribute__((noinline)) bool refill_bytes(JPEG_STREAM* s, Bits* bp) {
    Bits& b = *bp;
    uint64_t v = b.count > 0 ? b.buf >> (64 - b.count) : 0;
    int32_t n = b.count > 0 ? b.count : 0;
    bool ok = true;
    for (;;) {
        uint32_t c = 0;
        if (!next_byte(s, b, c)) {
            ok = false;
            break;
        }
        if (c == 0xFF) {
            uint32_t d = 0xFF;
            while (d == 0xFF) {
                if (!next_byte(s, b, d)) {
                    ok = false;
                    break;
                }
            }
            if (!ok) break;
            if (d != 0) {   // a marker: recorded, nothing appended
                b.marker = uint8_t(d);
                break;
            }
        }
        v = (v << 8) | c;
        n += 8;
        if (n > 56) break;
    }
    if (!ok) {
        b.left = 0;
        b.marker = 0xD9;
        s->data_end = 1;
    }
    b.count = n;
    b.buf = n > 0 ? v << (64 - n) : 0;
    return true;
}

// Run whenever a kernel needs more bits than it holds (never more than 16, so
// the count is below 16 here). With a marker pending nothing is added and the
// kernel reads zero bits. The four-byte step takes a group of four bytes
// without 0xFF whole, below the bits held.
template <bool FourByte>
inline bool refill(JPEG_STREAM* s, Bits& b) {
    if (b.marker != 0) return true;
    if (FourByte && b.left >= 4) {
        uint32_t w;
        std::memcpy(&w, b.cur, 4);
        const uint32_t inv = ~w;   // a byte 0xFF is a zero byte here
        if (((inv - 0x01010101u) & ~inv & 0x80808080u) == 0) {
            const int32_t held = b.count > 0 ? b.count : 0;
            b.buf = (held > 0 ? b.buf : 0) | (uint64_t(__builtin_bswap32(w)) << (32 - held));
            b.count = held + 32;
            b.cur += 4;
            b.left -= 4;
            b.consumed += 4;
            return true;
        }
    }
    Bits c = b;
    const bool ok = refill_bytes(s, &c);
    b = c;
    return ok;
}

inline uint32_t take(Bits& b, int32_t n) {
    const uint32_t v = uint32_t(b.buf >> (64 - n));
    b.buf <<= n;
    b.count -= n;
    return v;
}

// Code by code from length l on; false when a refill fails.
template <bool FourByte>
bool decode_long(JPEG_STREAM* s, Bits& b, const JPEG_HUFF_DECODE_TABLE* t, int32_t l, uint32_t& sym) {
    if (b.count < l && !refill<FourByte>(s, b)) return false;
    uint32_t code = take(b, l);
    for (;;) {
        const uint32_t mc = t->maxcode[l];
        if (mc != 0xFFFF && code <= mc) {
            const uint16_t idx = uint16_t(t->valptr[l] + code - t->mincode[l]);
            sym = idx < 256 ? t->symbols[idx] : 0;   // a damaged table never reads past the symbols
            return true;
        }
        if (b.count < 1 && !refill<FourByte>(s, b)) return false;
        code = (code << 1) | take(b, 1);
        if (l == 16) {   // no code of 16 bits or fewer: symbol 0 after 17 bits
            sym = 0;
            s->bad_code = 1;
            return true;
        }
        ++l;
    }
}

template <bool FourByte>
inline bool decode_symbol(JPEG_STREAM* s, Bits& b, const JPEG_HUFF_DECODE_TABLE* t, uint32_t& sym) {
    if (b.count < 8) {
        if (!refill<FourByte>(s, b)) return false;
        if (b.count < 8) return decode_long<FourByte>(s, b, t, 1, sym);
    }
    const uint32_t e = t->lookahead[b.buf >> 56];
    const int32_t len = int32_t(e >> 16);
    if (len == 0) return decode_long<FourByte>(s, b, t, 9, sym);
    b.buf <<= len;
    b.count -= len;
    sym = e & 0xFFFF;
    return true;
}

// s bits sign-extended; false when a refill fails.
template <bool FourByte, bool Cmov>
inline bool receive(JPEG_STREAM* s, Bits& b, uint32_t size, int32_t& v) {
    if (b.count < int32_t(size) && !refill<FourByte>(s, b)) return false;
    v = int32_t(take(b, int32_t(size)));
    if constexpr (Cmov) {
        v += v < jpeg_extend_threshold[size] ? jpeg_extend_offset[size] : 0;
    } else {
        if (v < jpeg_extend_threshold[size]) v += jpeg_extend_offset[size];
    }
    return true;
}

// One sequential block; with Store false only the predictor changes. A DC
// category above 16 (a damaged table) ends the block with the predictor kept.
template <bool FourByte, bool Cmov, bool Store>
void decode(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc, const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred,
            int16_t* block) {
    Bits b = load(s);
    uint32_t sym = 0;
    int32_t v = 0;
    if (!decode_symbol<FourByte>(s, b, dc, sym)) return store(s, b);
    if (sym > 16) {
        s->bad_code = 1;
        return store(s, b);
    }
    if (sym != 0) {
        if (!receive<FourByte, Cmov>(s, b, sym, v)) return store(s, b);
        *pred = int16_t(uint16_t(uint16_t(*pred) + uint16_t(v)));
    }
    if constexpr (Store) block[0] = *pred;
    for (uint32_t k = 1; k < 64; ++k) {
        if (!decode_symbol<FourByte>(s, b, ac, sym)) break;
        const uint32_t size = sym & 15;
        if (size == 0) {
            if (sym < 0xF0) break;   // end of block, and every other symbol with size 0
            k += 15;
            continue;
        }
        k += sym >> 4;
        if (k > 63) s->bad_code = 1;   // a run past the last coefficient
        if (!receive<FourByte, Cmov>(s, b, size, v)) break;
        if constexpr (Store) block[jpeg_natural_order[k]] = int16_t(v);   // k <= 78: past 63 lands on 63
    }
    store(s, b);
}

// The decoder of classes 4 to 6 with the combined lookups of each block's two
// tables, over the n blocks of a unit in turn (one call per block would cost a
// call, two lookups found and the state copied for every block). While 32 bits
// or more are held (a code and its value bits never need more) a symbol is one
// lookup, and for most AC symbols the value comes with it. An AC symbol with
// 10 to 63 bits held tops the buffer up to 56-63 bits from the next eight
// bytes whenever they hold no 0xFF (no marker pending, eight bytes left),
// without a branch on the count. Otherwise, below 32 bits the buffer is topped
// up eight bytes at a time under the same conditions: as many whole bytes as
// fit go below the bits held, which then number more than 56.
// With an 0xFF among them the bytes go in one at a time, a stuffed 0xFF 0x00 as
// one byte, up to a marker (in detailed pictures one top-up in fifteen).
// Where that cannot be, the symbol takes the table's own steps with their
// refills (stuffing, markers, the end of the data). Either way the same symbols
// and values result as in decode<true, true, Store>. The reading state lives in
// locals so that it stays in registers; the own steps get it through a Bits.
// The reading state of decode_fast, held in its locals and reached by
// reference, so that the steps below, inlined, keep it in registers.
struct FastRegs {
    JPEG_STREAM* s;
    Bits& b;
    uint64_t& buf;
    int32_t& count;
    const uint8_t*& cur;
    int32_t& left;
    uint32_t& consumed;
    // The AC symbols' top-up: where the eight bytes at cur are at hand and hold
    // no 0xFF, they go in below the bits held on every symbol, without a
    // branch on the count, after the lookup's bits are taken from the buffer as
    // it was (so the top-up is off the path from one lookup to the next). The
    // bits below the count are then the stream's next bits rather than zeros,
    // which the next top-up writes again alike; they are cleared before the own
    // steps and the store. pending: a marker was met (the own steps' alone).
    uint8_t& pending;

    // An 0xFF among the next eight bytes: byte by byte, a stuffed 0xFF 0x00 as
    // one data byte 0xFF, up to a marker (left where it stands for the own
    // steps); true when that gives 32 bits or more.
    __attribute__((always_inline)) bool stuffed() {
        int32_t held = count > 0 ? count : 0;
        uint64_t v = held > 0 ? buf : 0;
        while (held <= 56 && left >= 2) {
            const uint32_t c = cur[0];
            if (c == 0xFF) {
                if (cur[1] != 0) break;
                cur += 2, left -= 2, consumed += 2;
            } else {
                ++cur, --left, ++consumed;
            }
            v |= uint64_t(c) << (56 - held);
            held += 8;
        }
        if (held == (count > 0 ? count : 0)) return false;
        buf = v, count = held;
        return count >= 32;
    }
    // True when 32 bits or more are held, after the eight-byte step if needed.
    __attribute__((always_inline)) bool enough() {
        if (count >= 32) return true;
        if (b.marker != 0 || left < 8) return false;
        uint64_t w;
        std::memcpy(&w, cur, 8);
        if (has_ff(w)) [[unlikely]]
            return stuffed();
        const int32_t held = count > 0 ? count : 0;
        const int32_t n = (64 - held) >> 3;
        const int32_t total = held + 8 * n;
        buf = (held > 0 ? buf : 0) | ((__builtin_bswap64(w) >> held) & (~0ull << (64 - total)));
        count = total;
        cur += n;
        left -= n;
        consumed += uint32_t(n);
        return true;
    }
    __attribute__((always_inline)) void skip(int32_t t) {
        buf <<= t;
        count -= t;
    }
    __attribute__((always_inline)) void clean() {
        if (count <= 0) buf = 0;
        else if (count < 64) buf &= ~0ull << (64 - count);
    }
    // Runs one of the own steps on the state.
    template <class Step>
    __attribute__((always_inline)) bool own(Step&& step) {
        clean();
        b.buf = buf, b.count = count, b.cur = cur, b.left = left, b.consumed = consumed;
        const bool ok = step();
        buf = b.buf, count = b.count, cur = b.cur, left = b.left, consumed = b.consumed;
        pending = b.marker;
        return ok;
    }
    __attribute__((always_inline)) void finish() {
        clean();
        b.buf = buf, b.count = count, b.cur = cur, b.left = left, b.consumed = consumed;
        store(s, b);
    }
};

constexpr int32_t kFastShift = 64 - JPEG_HUFF_FAST_BITS;

// A block's DC difference into its predictor (and the block); false when a
// fault ends the block with the state as it stands.
template <bool Store>
__attribute__((always_inline)) inline bool fast_dc(FastRegs& r, const JpegFastBlock& at) {
    JPEG_STREAM* s = r.s;
    Bits& b = r.b;
    const JPEG_HUFF_DECODE_TABLE* dc = at.dc;
    uint32_t sym = 0;
    int32_t v = 0;
    if (r.enough()) {
        const uint32_t e = at.fdc[r.buf >> kFastShift];
        const int32_t t = int32_t(e & 31);
        if (e & JPEG_HUFF_FAST_VALUE) {
            r.skip(t);
            v = int16_t(uint16_t(e >> 16));
        } else {
            if (t != 0) {
                r.skip(t);
                sym = (e >> 8) & 0xFF;
            } else if (!r.own([&] { return decode_long<true>(s, b, dc, 9, sym); })) {
                return false;
            }
            if (sym > 16) {
                s->bad_code = 1;
                return false;
            }
            if (sym != 0 && !r.own([&] { return receive<true, true>(s, b, sym, v); })) return false;
        }
    } else {
        if (!r.own([&] { return decode_symbol<true>(s, b, dc, sym); })) return false;
        if (sym > 16) {
            s->bad_code = 1;
            return false;
        }
        if (sym != 0 && !r.own([&] { return receive<true, true>(s, b, sym, v); })) return false;
    }
    *at.pred = int16_t(uint16_t(uint16_t(*at.pred) + uint16_t(v)));
    if constexpr (Store) at.block[0] = *at.pred;
    return true;
}

// One block; true when it holds its DC value alone. A fault ends the block
// with the state as it stands, as the end of a call would.
template <bool Store>
__attribute__((always_inline)) inline bool fast_block(FastRegs& r, const JpegFastBlock& at) {
    JPEG_STREAM* s = r.s;
    Bits& b = r.b;
    uint64_t& buf = r.buf;
    int32_t& count = r.count;
    const uint8_t*& cur = r.cur;
    int32_t& left = r.left;
    uint32_t& consumed = r.consumed;
    const JPEG_HUFF_DECODE_TABLE* ac = at.ac;
    const uint32_t* pairs = at.pairs;
    int16_t* block = at.block;
    if constexpr (Store) jpeg_clear_block(block);
    if (!fast_dc<Store>(r, at)) return false;
    uint32_t sym = 0;
    int32_t v = 0;
    for (uint32_t k = 1; k < 64; ++k) {
        uint32_t e = 0;
        bool looked = false;
        uint64_t w = 0;
        if (uint32_t(count - 10) <= 53 && r.pending == 0 && left >= 8 && (std::memcpy(&w, cur, 8), !has_ff(w)))
            [[likely]] {
            // 10 to 63 bits held: the lookup's bits are there, and the
            // top-up leaves 56 to 63.
            const uint64_t p = buf >> kFastShift;
            buf |= __builtin_bswap64(w) >> count;
            const int32_t m = (63 - count) >> 3;
            cur += m;
            left -= m;
            consumed += uint32_t(m);
            count |= 56;
            e = pairs[p];
            looked = true;
        } else if (r.enough()) {
            e = pairs[buf >> kFastShift];
            looked = true;
        }
        if (looked) {
            const int32_t t = int32_t(e & 15);
            if (e & JPEG_HUFF_FAST_PAIR_VALUE) {
                // Where a second symbol comes in the same bits, both are
                // taken at once, the entry's bits holding both lengths, so
                // the shift waits on nothing but the lookup; a second that
                // would land past the block's end (rare) is put back.
                // Whether a pair comes is the data's, so it is taken
                // without a branch: with one symbol both places are the
                // first's, and the first's value, stored last, stands.
                const uint64_t before = buf;
                const int32_t held = count;
                r.skip(t);
                const uint32_t first = k + ((e >> 5) & 15);
                const uint32_t second = k + ((e >> 9) & 31);
                const int32_t v1 = int32_t(e) >> 22;
                if (second > 63) [[unlikely]] {
                    // A second past the block's end, or a run past it.
                    if (second != first) {
                        const int32_t bits = int32_t(at.fac[before >> kFastShift] & 31);
                        buf = before << bits;
                        count = held - bits;
                    }
                    if (first > 63) s->bad_code = 1;
                    if constexpr (Store) block[jpeg_natural_order[first]] = int16_t(v1);
                    k = first;
                    continue;
                }
                if constexpr (Store) {
                    block[jpeg_natural_order[second]] = int16_t(int32_t(e << 10) >> 24);
                    block[jpeg_natural_order[first]] = int16_t(v1);
                }
                k = second;
                continue;
            }
            if (t != 0) {
                r.skip(t);
                sym = (e >> 8) & 0xFF;
            } else if (!r.own([&] { return decode_long<true>(s, b, ac, 9, sym); })) {
                break;
            }
        } else if (!r.own([&] { return decode_symbol<true>(s, b, ac, sym); })) {
            break;
        }
        const uint32_t size = sym & 15;
        if (size == 0) {
            if (sym < 0xF0) return k == 1;   // end of block: with k 1 nothing stored past the DC value
            k += 15;
            continue;
        }
        k += sym >> 4;
        if (k > 63) s->bad_code = 1;
        if (count >= int32_t(size)) {
            v = int32_t(buf >> (64 - size));
            r.skip(int32_t(size));
            v += v < jpeg_extend_threshold[size] ? jpeg_extend_offset[size] : 0;
        } else if (!r.own([&] { return receive<true, true>(s, b, size, v); })) {
            break;
        }
        if constexpr (Store) block[jpeg_natural_order[k]] = int16_t(v);
    }
    return false;
}

template <bool Store>
uint32_t decode_fast(JPEG_STREAM* s, const JpegFastBlock* blocks, uint32_t n) {
    Bits b = load(s);
    uint64_t buf = b.buf;
    int32_t count = b.count;
    const uint8_t* cur = b.cur;
    int32_t left = b.left;
    uint32_t consumed = b.consumed;
    uint8_t pending = b.marker;
    FastRegs r{s, b, buf, count, cur, left, consumed, pending};
    uint32_t dc_only = 0;
    for (uint32_t j = 0; j < n; ++j)
        if (fast_block<Store>(r, blocks[j]) && j < 32) dc_only |= 1u << j;
    r.finish();
    return dc_only;
}

}  // namespace

JPEG_RESULT jpeg_huff_decode_block_mmx(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                       const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block) {
    jpeg_clear_block(block);
    decode<false, false, true>(s, dc, ac, pred, block);
    return 0;
}

JPEG_RESULT jpeg_huff_decode_block_mmx_cmov(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                            const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t* block) {
    const uint32_t* fdc = jpeg_huff_fast_find(s, dc, true);
    const uint32_t* fac = fdc ? jpeg_huff_fast_find(s, ac, false) : nullptr;
    if (fac) {
        const JpegFastBlock one = {dc, ac, fdc, fac, pred, block, jpeg_huff_fast_find_pairs(s, ac)};
        if (decode_fast<true>(s, &one, 1)) s->no_ac = 1;
        return 0;
    }
    jpeg_clear_block(block);
    decode<true, true, true>(s, dc, ac, pred, block);
    return 0;
}

JPEG_RESULT jpeg_huff_decode_dc_mmx(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                    const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred) {
    const uint32_t* fdc = jpeg_huff_fast_find(s, dc, true);
    const uint32_t* fac = fdc ? jpeg_huff_fast_find(s, ac, false) : nullptr;
    const JpegFastBlock one = {dc, ac, fdc, fac, pred, nullptr, fac ? jpeg_huff_fast_find_pairs(s, ac) : nullptr};
    if (fac && decode_fast<false>(s, &one, 1)) s->no_ac = 1;
    if (fac) return 0;
    else decode<true, false, false>(s, dc, ac, pred, nullptr);
    return 0;
}

uint32_t jpeg_huff_decode_blocks_fast(JPEG_STREAM* s, const JpegFastBlock* blocks, uint32_t n) {
    return decode_fast<true>(s, blocks, n);
}

JPEG_RESULT jpeg_huff_decode_dc_entry(JPEG_STREAM* s, const JPEG_HUFF_DECODE_TABLE* dc,
                                      const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred, int16_t*) {
    return jpeg_huff_decode_dc_mmx(s, dc, ac, pred);
}

}  // namespace velmora
