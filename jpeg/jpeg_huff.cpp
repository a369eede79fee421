// jpeg/jpeg_huff.cpp
#include "jpeg/jpeg_huff.h"

#include <cstring>

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

// The refinement scans' bit reader: the stream's accumulator held in locals
// while a run of correction bits is read, written back before every fill and
// when the run ends, so fills happen exactly where need() would make them.
struct RefineBits {
    JPEG_STREAM* s;
    uint64_t bits;
    int32_t count;
    explicit RefineBits(JPEG_STREAM* st) : s(st), bits(st->bits), count(st->bit_count) {}
    void put() const {
        s->bits = bits;
        s->bit_count = count;
    }
    // The next bit, or the fill's result when none is left.
    JPEG_RESULT next(uint32_t& bit) {
        if (count < 1) {
            put();
            const JPEG_RESULT r = jpeg_bits_fill(s, 1);
            bits = s->bits;
            count = s->bit_count;
            if (r != 0) return r;
        }
        --count;
        bit = uint32_t(bits >> count) & 1;
        return 0;
    }
};

// A nonzero coefficient with its correction bit: moved one step of 2^al away
// from zero when the bit is set and that bit of the magnitude is still clear.
// Without branches on the data: the bits are noise to a branch predictor.
inline void correct(int16_t* c, uint32_t bit, int32_t p1) {
    const int32_t v = *c;
    const int32_t apply = -int32_t(bit & uint32_t((v & p1) == 0));
    const int32_t step = v >= 0 ? p1 : -p1;
    *c = int16_t(v + (step & apply));
}

// Passes over coefficients k.. of the band, correcting each nonzero one, until
// `run` zero coefficients are passed and the next zero one is reached. k is
// left at that zero coefficient, or past se.
inline JPEG_RESULT pass_band(JPEG_STREAM* s, int16_t* block, uint32_t& k, uint32_t se, int32_t run, int32_t p1) {
    RefineBits rb(s);
    for (; k <= se; ++k) {
        // Four zero coefficients that the run passes over as a whole.
        while (run >= 4 && se - k >= 4) {
            uint64_t four;
            std::memcpy(&four, block + k, sizeof four);
            if (four != 0) break;
            k += 4, run -= 4;
        }
        int16_t* c = &block[k];
        if (*c == 0) {
            if (--run < 0) break;
            continue;
        }
        uint32_t bit = 0;
        if (const JPEG_RESULT r = rb.next(bit); r != 0) return r;
        correct(c, bit, p1);
    }
    rb.put();
    return 0;
}

// The same pass to the band's end (an end-of-band block). The high bands are
// mostly zero: four coefficients at a time are passed over while all are zero.
inline JPEG_RESULT pass_band_to_end(JPEG_STREAM* s, int16_t* block, uint32_t k, uint32_t se, int32_t p1) {
    RefineBits rb(s);
    while (k <= se) {
        if (se - k >= 3) {
            uint64_t four;
            std::memcpy(&four, block + k, sizeof four);
            if (four == 0) {
                k += 4;
                continue;
            }
        }
        if (block[k] != 0) {
            uint32_t bit = 0;
            if (const JPEG_RESULT r = rb.next(bit); r != 0) return r;
            correct(&block[k], bit, p1);
        }
        ++k;
    }
    rb.put();
    return 0;
}

}  // namespace

JPEG_RESULT jpeg_decode_ac_refine(JPEG_STREAM* s, int16_t* block, const JPEG_HUFF_DECODE_TABLE* ac,
                                  uint32_t ss, uint32_t se, uint32_t al) {
    const int32_t p1 = 1 << al, m1 = -(1 << al);
    uint32_t k = ss;
    JPEG_RESULT r = 0;
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
            // Pass over the coefficients already nonzero (refining each) and r zero ones.
            if ((r = pass_band(s, block, k, se, run, p1)) != 0) return quiet(s, r);
            if (value != 0 && k <= 63) block[k] = int16_t(value);
        }
    }
    if (s->eob_run > 0) {
        if ((r = pass_band_to_end(s, block, k, se, p1)) != 0) return quiet(s, r);
        --s->eob_run;
    }
    return 0;
}

}  // namespace velmora
