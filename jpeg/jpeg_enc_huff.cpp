// jpeg/jpeg_enc_huff.cpp
#include "jpeg/jpeg_enc_huff.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "jpeg/jpeg_enc_mcu_steps.h"
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_scan.h"

namespace velmora {
namespace {

// The plain writer's pending bits held in a register for one block or one
// progressive scan: n bits, right-aligned (anything above them is left over
// and never read). Whole bytes go out four at a time where none of them is
// 0xFF and the output has room for them, else one at a time through
// jpeg_emit_byte (stuffing, a full file buffer, a memory block's end); the
// bytes are those of jpeg_put_bits.
struct PlainBits {
    JPEG_STREAM* s;
    uint64_t acc;
    int32_t n;
    explicit PlainBits(JPEG_STREAM* st) : s(st), acc(st->bits), n(8 - st->bit_count) {}
    // Writes every whole byte held, leaving fewer than eight bits.
    [[gnu::noinline]] JPEG_RESULT flush() {
        while (n >= 32 && s->end - s->current >= 4) {
            const uint32_t w = uint32_t(acc >> (n - 32));
            if (((~w - 0x01010101u) & w & 0x80808080u) != 0) break;   // an 0xFF among them
            uint8_t* out = const_cast<uint8_t*>(s->current);
            out[0] = uint8_t(w >> 24), out[1] = uint8_t(w >> 16), out[2] = uint8_t(w >> 8), out[3] = uint8_t(w);
            s->current += 4;
            s->consumed += 4;
            if (s->file < 0) s->left -= 4;
            n -= 32;
        }
        for (; n >= 8; n -= 8)
            if (const JPEG_RESULT r = jpeg_emit_byte(s, uint8_t(acc >> (n - 8)))) return r;
        return 0;
    }
    // The low len bits of v (up to 32; v holds nothing above them).
    [[gnu::always_inline]] JPEG_RESULT put(uint32_t v, uint32_t len) {
        if (uint32_t(n) + len > 64) [[unlikely]] {
            if (const JPEG_RESULT r = flush()) return r;
        }
        acc = (acc << len) | v;
        n += int32_t(len);
        return 0;
    }
    JPEG_RESULT done(JPEG_RESULT r) {
        if (!r) r = flush();
        if (r) return r;
        s->bits = acc & ((uint64_t(1) << n) - 1);
        s->bit_count = 8 - n;
        return 0;
    }
};

inline uint32_t value_bits(int32_t v, uint32_t n) { return uint32_t(v < 0 ? v - 1 : v) & ((1u << n) - 1); }

constexpr uint32_t kMaxCorrectionBits = 1000;

// One progressive pass: the statistics pass counts symbols into freq, the output
// pass writes codes and bits. Both walk the blocks the same way.
struct Pass {
    JPEG_STREAM* s = nullptr;                // null: statistics
    PlainBits* w = nullptr;                  // the output's bits while the scan is written
    uint32_t (*freq)[257] = nullptr;
    const JPEG_ENC_SCAN* scan = nullptr;
    const JPEG_HUFF_ENCODE_TABLE* table = nullptr;   // AC table of the scan
    uint32_t ac_id = 0;
    uint32_t eobrun = 0;
    uint32_t be = 0;                         // correction bits waiting
    uint8_t bits[kMaxCorrectionBits];
    JPEG_RESULT r = 0;

    void symbol(const JPEG_HUFF_ENCODE_TABLE* t, uint32_t id, uint32_t sym) {
        if (r) return;
        if (!s) ++freq[id][sym];
        else r = w->put(t->code[sym], t->length[sym]);
    }
    void raw(uint32_t v, uint32_t n) {
        if (s && !r && n) r = w->put(v & ((1u << n) - 1), n);
    }
    void emit_eobrun() {
        if (!eobrun) return;
        uint32_t n = 0;
        while ((eobrun >> (n + 1)) != 0) ++n;
        symbol(table, ac_id, n << 4);
        raw(eobrun, n);
        eobrun = 0;
    }
    void emit_correction(const uint8_t* b, uint32_t count) {
        if (!s) return;
        for (uint32_t i = 0; i < count && !r; ++i) raw(b[i], 1);
    }
    void settle() {
        emit_eobrun();
        emit_correction(bits, be);
        be = 0;
    }
};

// The magnitudes of the block's coefficients (kept in zig-zag order), shifted right
// by al, and the mask of the nonzero ones among positions ss..se. A magnitude
// is formed unsigned, so -32768 gives 32768 as the 32-bit arithmetic does.
uint64_t band_magnitudes(const int16_t* zz, uint32_t ss, uint32_t se, uint32_t al, uint16_t* mag) {
    uint64_t nonzero = 0;
#if defined(__SSE2__)
    const __m128i shift = _mm_cvtsi32_si128(int(al)), zero = _mm_setzero_si128();
    for (int i = 0; i < 64; i += 16) {
        __m128i m[2];
        for (int h = 0; h < 2; ++h) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(zz + i + 8 * h));
            const __m128i sign = _mm_srai_epi16(x, 15);
            m[h] = _mm_srl_epi16(_mm_sub_epi16(_mm_xor_si128(x, sign), sign), shift);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(mag + i + 8 * h), m[h]);
        }
        const __m128i z = _mm_packs_epi16(_mm_cmpeq_epi16(m[0], zero), _mm_cmpeq_epi16(m[1], zero));
        nonzero |= uint64_t(uint16_t(~_mm_movemask_epi8(z))) << i;
    }
#else
    for (int k = 0; k < 64; ++k) {
        const int32_t v = zz[k];
        mag[k] = uint16_t((v < 0 ? -v : v) >> al);
        nonzero |= uint64_t(mag[k] != 0) << k;
    }
#endif
    const uint64_t band = (se >= 63 ? ~uint64_t(0) : (uint64_t(1) << (se + 1)) - 1) & ~((uint64_t(1) << ss) - 1);
    return nonzero & band;
}

// The band's nonzero coefficients only, found through the mask; a zero run is
// the distance between two of them.
void ac_first(Pass& ps, const int16_t* blk) {
    const JPEG_ENC_SCAN& sc = *ps.scan;
    if (sc.ss > sc.se || sc.se > 63) return;
    uint16_t mag[64];
    uint64_t nonzero = band_magnitudes(blk, sc.ss, sc.se, sc.al, mag);
    uint32_t next = sc.ss;   // the first position not yet coded
    while (nonzero) {
        const uint32_t k = uint32_t(__builtin_ctzll(nonzero));
        nonzero &= nonzero - 1;
        uint32_t run = k - next;
        next = k + 1;
        const int32_t t = mag[k];
        const int32_t v = blk[k];
        ps.emit_eobrun();
        while (run > 15) {
            ps.symbol(ps.table, ps.ac_id, 0xF0);
            run -= 16;
        }
        const uint32_t n = jpeg_category(t);
        ps.symbol(ps.table, ps.ac_id, (run << 4) + n);
        ps.raw(uint32_t(v < 0 ? ~t : t) & ((1u << n) - 1), n);
    }
    if (next <= sc.se && ++ps.eobrun == 0x7FFF) ps.emit_eobrun();
}

void ac_refine(Pass& ps, const int16_t* blk) {
    const JPEG_ENC_SCAN& sc = *ps.scan;
    if (sc.ss > sc.se || sc.se > 63) return;
    uint16_t t[64];
    const uint64_t nonzero = band_magnitudes(blk, sc.ss, sc.se, sc.al, t);
    uint32_t eob = 0;   // the last coefficient that becomes nonzero in this scan
    for (uint64_t m = nonzero; m; m &= m - 1)
        if (const uint32_t k = uint32_t(__builtin_ctzll(m)); t[k] == 1) eob = k;
    uint32_t run = 0, br = 0, next = sc.ss;
    uint8_t brb[64];                         // this block's correction bits
    // The nonzero coefficients only; the zeros between them add to the run.
    for (uint64_t m = nonzero; m; m &= m - 1) {
        const uint32_t k = uint32_t(__builtin_ctzll(m));
        run += k - next;
        next = k + 1;
        while (run > 15 && k <= eob) {
            ps.settle();
            ps.symbol(ps.table, ps.ac_id, 0xF0);
            run -= 16;
            ps.emit_correction(brb, br);
            br = 0;
        }
        if (t[k] > 1) {
            brb[br++] = uint8_t(t[k] & 1);
            continue;
        }
        ps.settle();
        ps.symbol(ps.table, ps.ac_id, (run << 4) + 1);
        ps.raw(blk[k] < 0 ? 0 : 1, 1);
        ps.emit_correction(brb, br);
        br = 0;
        run = 0;
    }
    run += sc.se + 1 - next;
    if (run > 0 || br > 0) {
        ++ps.eobrun;
        std::memcpy(ps.bits + ps.be, brb, br);
        ps.be += br;
        if (ps.eobrun == 0x7FFF || ps.be > kMaxCorrectionBits - 63) ps.settle();
    }
}

// Walks the scan's blocks in the order the decoder reads them.
void walk_scan(JPEG_PROPERTIES* p, Pass& ps) {
    const JPEG_FRAME& f = p->frame;
    const JPEG_ENC_SCAN& sc = *ps.scan;
    int16_t pred[4] = {};
    const bool dc = sc.ss == 0;
    auto code = [&](uint32_t i, uint32_t c, const int16_t* blk) {
        if (dc && sc.ah == 0) {
            const int32_t v = blk[0] >> sc.al;
            const int32_t diff = v - pred[i];
            pred[i] = int16_t(v);
            const uint32_t n = jpeg_category(diff);
            ps.symbol(sc.comp[i].dc, c == 0 ? 0 : 1, n);
            ps.raw(value_bits(diff, n), n);
        } else if (dc) {
            ps.raw(uint32_t(blk[0] >> sc.al) & 1, 1);
        } else if (sc.ah == 0) {
            ac_first(ps, blk);
        } else {
            ac_refine(ps, blk);
        }
    };
    int16_t* planes[4];
    size_t strides[4];
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) planes[c] = jpeg_component_plane(p, c, &strides[c]);
    constexpr size_t kAhead = 4 * 64;
    if (sc.ns == 1) {
        // One component: its blocks in raster order, those inside the image only.
        const uint32_t c = sc.comp[0].index;
        const JPEG_COMPONENT& k = f.components[c];
        for (uint32_t br = 0; br < f.mcu_rows * k.v && !ps.r; ++br) {
            if (br * 8 >= f.height) break;
            const int16_t* blk = planes[c] + br * strides[c] * 64;
            for (uint32_t bc = 0; bc < f.mcus_per_row * k.h && !ps.r; ++bc, blk += 64) {
                if (bc * 8 >= f.width) break;
                jpeg_prefetch_block(blk + kAhead);
                code(0, c, blk);
            }
        }
    } else {
        // Interleaved DC: every MCU, each component's blocks row by row.
        for (uint32_t row = 0; row < f.mcu_rows && !ps.r; ++row)
            for (uint32_t col = 0; col < f.mcus_per_row && !ps.r; ++col)
                for (uint32_t i = 0; i < sc.ns; ++i) {
                    const uint32_t c = sc.comp[i].index;
                    const uint32_t h = f.components[c].h, v = f.components[c].v;
                    for (uint32_t by = 0; by < v; ++by)
                        for (uint32_t bx = 0; bx < h; ++bx)
                            code(i, c, planes[c] + ((size_t(row) * v + by) * strides[c] + size_t(col) * h + bx) * 64);
                }
    }
    if (!dc) ps.settle();
}

}  // namespace

JPEG_RESULT jpeg_encode_mcu_plain(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks) {
    return mcu_encode_masked<split_plain, jpeg_encode_block, true>(s, t, pred, blocks);
}

JPEG_RESULT jpeg_encode_block(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc, const JPEG_HUFF_ENCODE_TABLE* ac,
                              int16_t* pred, int16_t* block) {
    PlainBits w(s);
    const int32_t diff = block[0] - *pred;
    *pred = block[0];
    uint32_t n = jpeg_category(diff);
    // A code and its value bits go in as one string of up to 32 bits.
    JPEG_RESULT r = w.put((uint32_t(dc->code[n]) << n) | value_bits(diff, n), dc->length[n] + n);
    // The AC values in zig-zag order and the mask of the nonzero ones: only
    // those are visited, a zero run being the distance between two.
    int16_t zz[64];
#pragma GCC unroll 64
    for (int k = 0; k < 64; ++k) zz[k] = block[jpeg_natural_order[k]];
    uint64_t nonzero = 0;
    for (int k = 1; k < 64; ++k) nonzero |= uint64_t(zz[k] != 0) << k;
    int last = 0;
    while (nonzero && !r) {
        const int k = __builtin_ctzll(nonzero);
        nonzero &= nonzero - 1;
        uint32_t run = uint32_t(k - last - 1);
        last = k;
        while (run > 15 && !r) {
            r = w.put(ac->code[0xF0], ac->length[0xF0]);
            run -= 16;
        }
        const int32_t v = zz[k];
        n = jpeg_category(v);
        const uint32_t sym = (run << 4) + n;
        if (!r) r = w.put((uint32_t(ac->code[sym]) << n) | value_bits(v, n), ac->length[sym] + n);
    }
    if (!r && last < 63) r = w.put(ac->code[0x00], ac->length[0x00]);
    return w.done(r);
}

void jpeg_gather_scan_statistics(JPEG_PROPERTIES* p, JPEG_ENC_SCAN* scan, uint32_t (*freq)[257]) {
    if (scan->ss == 0 && scan->ah != 0) return;
    Pass ps;
    ps.freq = freq;
    ps.scan = scan;
    ps.ac_id = scan->comp[0].index == 0 ? 0 : 1;
    walk_scan(p, ps);
}

JPEG_RESULT jpeg_encode_scan(JPEG_PROPERTIES* p, JPEG_STREAM* s, JPEG_ENC_SCAN* scan) {
    Pass ps;
    PlainBits w(s);
    ps.s = s;
    ps.w = &w;
    ps.scan = scan;
    ps.table = scan->comp[0].ac;
    ps.ac_id = scan->comp[0].index == 0 ? 0 : 1;
    walk_scan(p, ps);
    JPEG_RESULT r = w.done(ps.r);
    // The scan ends on a byte boundary: the partial byte is completed with 0 bits.
    if (!r && s->bit_count < 8) {
        r = jpeg_emit_byte(s, uint8_t(s->bits << s->bit_count));
        s->bits = 0;
        s->bit_count = 8;
    }
    return r;
}

}  // namespace velmora
