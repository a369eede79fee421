// jpeg/jpeg_write.cpp
#include "jpeg/jpeg_write.h"

#include <cstdlib>
#include <cstring>

#include "jpeg/jpeg_enc_color.h"
#include "jpeg/jpeg_enc_huff.h"
#include "jpeg/jpeg_enc_output.h"
#include "jpeg/jpeg_enc_simd.h"
#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_enc_tables.h"
#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_fdct_simd.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_lib.h"
#include "jpeg/jpeg_scan.h"

namespace velmora {
namespace {

bool tables_operation(int32_t op) { return op == JPEG_OP_WRITE_TABLES_FILE || op == JPEG_OP_WRITE_TABLES_MEM; }
bool data_operation(int32_t op) { return op == JPEG_OP_WRITE_DATA_FILE || op == JPEG_OP_WRITE_DATA_MEM; }

JPEG_RESULT scale_quant(JPEG_PROPERTIES* p, uint32_t i, bool write_dqt) {
    JPEG_ENCODER* e = p->encoder;
    const JPEG_ENC_QUANT_ENTRY& q = e->quant[i];
    if (!q.base) return 0;
    uint16_t* store = e->quant_store[i];
    jpeg_quality_table(p->quality, q.base, store);
    if (write_dqt) {
        JPEG_RESULT r = jpeg_write_dqt(&p->stream, 0, q.id, store);
        if (r) return r;
    }
    if (p->idct_kind == 0) jpeg_prepare_quant_aan(store);
    else if (p->idct_kind == 1) jpeg_prepare_quant_accurate(store);
    else return JPEG_ERR_PARAMS;
    e->quant_in_use[q.id & 3] = store;
    return 0;
}

JPEG_RESULT build_pairs(JPEG_ENCODER* e) {
    for (uint32_t k = 0; k < e->huff_pairs && k < 4; ++k) {
        const JPEG_ENC_HUFF_ENTRY& dc = e->huff[2 * k];
        const JPEG_ENC_HUFF_ENTRY& ac = e->huff[2 * k + 1];
        if (dc.counts && dc.values) {
            if (jpeg_build_encode_table(dc.counts, dc.values, &e->dc_store[k])) return JPEG_ERR_BAD_HUFFMAN;
            e->dc_in_use[dc.id & 3] = &e->dc_store[k];
        }
        if (ac.counts && ac.values) {
            if (jpeg_build_encode_table(ac.counts, ac.values, &e->ac_store[k])) return JPEG_ERR_BAD_HUFFMAN;
            e->ac_in_use[ac.id & 3] = &e->ac_store[k];
        }
    }
    return 0;
}

uint32_t blocks_per_mcu(const JPEG_FRAME& f) {
    uint32_t n = 0;
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) n += f.components[c].h * f.components[c].v;
    return n;
}

// Every table a component names must exist before its data are coded.
JPEG_RESULT check_tables(const JPEG_PROPERTIES* p, bool huffman) {
    const JPEG_ENCODER* e = p->encoder;
    for (uint32_t c = 0; c < p->frame.ncomps; ++c) {
        if (!e->quant_in_use[p->frame.components[c].tq & 3]) return JPEG_ERR_NO_QUANT;
        if (huffman && (!e->dc_in_use[e->dc_sel[c] & 3] || !e->ac_in_use[e->ac_sel[c] & 3]))
            return JPEG_ERR_NO_HUFFMAN;
    }
    return 0;
}

// The caller's planes of a write from blocks: one per component, each large
// enough for the frame's block grid.
JPEG_RESULT check_planes(const JPEG_PROPERTIES* p) {
    const auto* cp = static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes);
    const JPEG_FRAME& f = p->frame;
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) {
        const size_t blocks = size_t(f.mcus_per_row) * f.components[c].h * f.mcu_rows * f.components[c].v;
        if (!cp->plane[c] || cp->capacity[c] < blocks) return JPEG_ERR_PARAMS;
    }
    return 0;
}

// One MCU's blocks from the caller's planes into the work buffer: samples
// (0-255) level-shifted, or quantised coefficients held to the range the
// Huffman code can carry (DC -1024..1023, AC -1023..1023).
void fetch_planes(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) {
    const auto* cp = static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes);
    const JPEG_FRAME& f = p->frame;
    int16_t* dst = p->encoder->mcu;
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) {
        const uint32_t h = f.components[c].h, v = f.components[c].v;
        const size_t pcols = size_t(f.mcus_per_row) * h;
        for (uint32_t by = 0; by < v; ++by)
            for (uint32_t bx = 0; bx < h; ++bx, dst += 64) {
                const int16_t* src = cp->plane[c] + ((size_t(row) * v + by) * pcols + size_t(col) * h + bx) * 64;
                if (cp->samples) {
                    for (uint32_t i = 0; i < 64; ++i)
                        dst[i] = int16_t((src[i] < 0 ? 0 : src[i] > 255 ? 255 : src[i]) - 128);
                } else {
                    dst[0] = src[0] < -1024 ? -1024 : src[0] > 1023 ? 1023 : src[0];
                    for (uint32_t i = 1; i < 64; ++i) dst[i] = src[i] < -1023 ? -1023 : src[i] > 1023 ? 1023 : src[i];
                }
            }
    }
}

// Samples of one MCU into the work buffer, transformed; quantised when asked.
// Coefficients from the caller's planes are taken as they stand.
void transform_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, bool quantise) {
    JPEG_ENCODER* e = p->encoder;
    const JPEG_KERNELS& k = p->stream.environment->k;
    if (p->component_planes) [[unlikely]] {
        fetch_planes(p, col, row);
        if (!static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes)->samples) return;
    } else {
        k.enc_mcu_fetch(p, col, row);
    }
    int16_t* blk = e->mcu;
    // Where the SSE2 accurate transform is in use and the processor has AVX2,
    // the MCU's blocks go through it two at a time (the same coefficients).
    static const bool pairs = jpeg_fdct_pair_available();
    if (pairs && k.fdct_in_use == jpeg_fdct_accurate_sse2) {
        uint32_t blocks = 0;
        for (uint32_t c = 0; c < p->frame.ncomps; ++c) blocks += p->frame.components[c].h * p->frame.components[c].v;
        // With the accurate vector quantiser in use as well, both steps in one
        // pass over each pair.
        if (quantise && k.quantize_in_use == jpeg_quantize_accurate_simd && blocks <= 16) {
            const uint16_t* table[16];
            for (uint32_t c = 0, b = 0; c < p->frame.ncomps; ++c) {
                const JPEG_COMPONENT& comp = p->frame.components[c];
                for (uint32_t i = 0; i < comp.h * comp.v; ++i) table[b++] = e->quant_in_use[comp.tq & 3];
            }
            uint32_t b = 0;
            for (; b + 1 < blocks; b += 2)
                jpeg_fdct_quantize_avx2_pair(blk + b * 64, table[b], blk + (b + 1) * 64, table[b + 1]);
            if (b < blocks) {
                k.fdct_in_use(blk + b * 64);
                k.quantize_in_use(blk + b * 64, table[b]);
            }
            return;
        }
        uint32_t b = 0;
        for (; b + 1 < blocks; b += 2) jpeg_fdct_accurate_avx2_pair(blk + b * 64, blk + (b + 1) * 64);
        if (b < blocks) k.fdct_in_use(blk + b * 64);
        if (!quantise) return;
        for (uint32_t c = 0; c < p->frame.ncomps; ++c) {
            const JPEG_COMPONENT& comp = p->frame.components[c];
            for (uint32_t i = 0; i < comp.h * comp.v; ++i, blk += 64) k.quantize_in_use(blk, e->quant_in_use[comp.tq & 3]);
        }
        return;
    }
    for (uint32_t c = 0; c < p->frame.ncomps; ++c) {
        const JPEG_COMPONENT& comp = p->frame.components[c];
        for (uint32_t b = 0; b < comp.h * comp.v; ++b, blk += 64) {
            k.fdct_in_use(blk);
            if (quantise) k.quantize_in_use(blk, e->quant_in_use[comp.tq & 3]);
        }
    }
}

// The MCUs the picture's edge does not cut, where the input goes through a
// converter slot and the AVX2 transform pair with the vector quantiser is in
// use: jpeg_input_mcu's and transform_mcu's steps for such an MCU, with what
// stays the same from MCU to MCU worked out once (the same samples and
// coefficients).
struct DirectMcus {
    JpegEncConvertFn convert = nullptr;   // null: every MCU takes transform_mcu
    const uint8_t* image = nullptr;
    ptrdiff_t row_bytes = 0, mcu_bytes = 0;   // one MCU row down, one MCU across
    int32_t pitch = 0;
    uint32_t full_cols = 0, full_rows = 0;    // MCUs the right and bottom edges leave whole
    int16_t* comp[4] = {};
    const uint16_t* table[JPEG_ENC_MAX_BLOCKS] = {};
    uint32_t blocks = 0;
};

DirectMcus direct_mcus(JPEG_PROPERTIES* p) {
    DirectMcus d;
    const JPEG_KERNELS& k = p->stream.environment->k;
    static const bool pairs = jpeg_fdct_pair_available();
    const JPEG_FRAME& f = p->frame;
    if (p->component_planes || !pairs || k.fdct_in_use != jpeg_fdct_accurate_sse2 ||
        k.quantize_in_use != jpeg_quantize_accurate_simd || blocks_per_mcu(f) > JPEG_ENC_MAX_BLOCKS)
        return d;
    d.convert = jpeg_input_converter(p);
    const int64_t bpp = p->image_sampling == 2 ? 2 : p->image_channels;
    d.image = p->image_data;
    d.pitch = p->image_pitch;
    d.row_bytes = ptrdiff_t(f.mcu_height) * p->image_pitch;
    d.mcu_bytes = ptrdiff_t(f.mcu_width * bpp);
    d.full_cols = f.mcus_per_row - (f.width % f.mcu_width ? 1 : 0);
    d.full_rows = f.mcu_rows - (f.height % f.mcu_height ? 1 : 0);
    int16_t* at = p->encoder->mcu;
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) {
        const JPEG_COMPONENT& comp = f.components[c];
        d.comp[c] = at;
        at += 64 * comp.h * comp.v;
        for (uint32_t i = 0; i < comp.h * comp.v; ++i) d.table[d.blocks++] = p->encoder->quant_in_use[comp.tq & 3];
    }
    return d;
}

// One MCU into the work buffer, transformed and quantised.
void quantised_mcu(JPEG_PROPERTIES* p, const DirectMcus& d, uint32_t col, uint32_t row) {
    if (!d.convert || col >= d.full_cols || row >= d.full_rows) {
        transform_mcu(p, col, row, true);
        return;
    }
    d.convert(d.image + ptrdiff_t(row) * d.row_bytes + ptrdiff_t(col) * d.mcu_bytes, d.pitch, d.comp[0], d.comp[1],
              d.comp[2], d.comp[3]);
    int16_t* blk = p->encoder->mcu;
    uint32_t b = 0;
    for (; b + 1 < d.blocks; b += 2)
        jpeg_fdct_quantize_avx2_pair(blk + b * 64, d.table[b], blk + (b + 1) * 64, d.table[b + 1]);
    if (b < d.blocks) {
        jpeg_fdct_accurate_sse2(blk + b * 64);
        jpeg_quantize_accurate_simd(blk + b * 64, d.table[b]);
    }
}

void scan_single(JPEG_ENC_SCAN* s, const JPEG_FRAME& f, uint32_t c, uint32_t ss, uint32_t se, uint32_t ah,
                 uint32_t al) {
    *s = {};
    s->ns = 1;
    s->ss = ss, s->se = se, s->ah = ah, s->al = al;
    s->comp[0] = {c, f.components[c].h, f.components[c].v, nullptr, nullptr};
}

void scan_dc(JPEG_ENC_SCAN* s, const JPEG_FRAME& f, uint32_t n, uint32_t ah, uint32_t al) {
    *s = {};
    s->ns = n;
    s->ah = ah, s->al = al;
    for (uint32_t c = 0; c < n; ++c) s->comp[c] = {c, f.components[c].h, f.components[c].v, nullptr, nullptr};
}

// The pixel position an interrupted encode has reached.
void report_position(JPEG_PROPERTIES* p) {
    const int64_t right = (int64_t(p->region.right) * 8 + 8) * p->frame.hmax;
    const int64_t bottom = (int64_t(p->region.bottom) * 8 + 8) * p->frame.vmax;
    p->region.right = int32_t(right < p->stream_width ? right : p->stream_width);
    p->region.bottom = int32_t(bottom < p->stream_height ? bottom : p->stream_height);
}

// The frame of the stream to write: identifiers 0-3, factors of the sampling
// code, quantisation selectors, MCU size and counts.
JPEG_RESULT setup_frame(JPEG_PROPERTIES* p) {
    JPEG_FRAME& f = p->frame;
    JPEG_ENCODER* e = p->encoder;
    if (p->stream_channels < 1 || p->stream_channels > 4 || !f.components) return JPEG_ERR_COMP;
    const int32_t code = p->stream_sampling;
    f.precision = 8;
    f.width = uint32_t(p->stream_width);
    f.height = uint32_t(p->stream_height);
    f.ncomps = uint32_t(p->stream_channels);
    f.hmax = f.vmax = 1;
    const bool caller_quant = e->caller_quant != 0;
    for (uint32_t c = 0; c < f.ncomps; ++c) {
        JPEG_COMPONENT& k = f.components[c];
        const bool lead = c == 0 || c == 3;
        k.id = c;
        k.h = lead && (code >= 1 && code <= 4) ? 2 : 1;
        k.v = lead && (code == 1 || code == 3) ? 2 : 1;
        if (!caller_quant) {
            if (code == 0) k.tq = c == 0 ? 0 : e->use_conversion ? 1 : 0;
            else k.tq = (c == 1 || c == 2) && p->convert_color ? 1 : 0;
        }
        f.hmax = k.h > f.hmax ? k.h : f.hmax;
        f.vmax = k.v > f.vmax ? k.v : f.vmax;
    }
    p->upsample = f.hmax > 1 || f.vmax > 1 ? 1 : 0;
    f.mcu_width = 8 * f.hmax;
    f.mcu_height = 8 * f.vmax;
    f.mcus_per_row = (f.width + f.mcu_width - 1) / f.mcu_width;
    f.mcu_rows = (f.height + f.mcu_height - 1) / f.mcu_height;
    f.mcu_count = f.mcus_per_row * f.mcu_rows;
    p->mcus_per_row = f.mcus_per_row;
    p->mcu_rows = f.mcu_rows;
    return 0;
}

}  // namespace

JPEG_RESULT jpeg_write_tables(JPEG_PROPERTIES* p) {
    JPEG_ENCODER* e = p->encoder;
    for (uint32_t i = 0; i < e->quant_tables && i < 4; ++i) {
        JPEG_RESULT r = scale_quant(p, i, true);
        if (r) return r;
    }
    if (p->progressive_scans) return 0;
    JPEG_RESULT r = jpeg_write_dht_all(&p->stream, p);
    return r ? r : build_pairs(e);
}

JPEG_RESULT jpeg_write_header(JPEG_PROPERTIES* p) {
    JPEG_ENCODER* e = p->encoder;
    JPEG_STREAM* s = &p->stream;
    JPEG_KERNELS& k = s->environment->k;
    k.open_output(s, const_cast<uint8_t*>(p->stream_data), uint32_t(p->stream_size));
    e->bits_left_aligned = k.open_output != jpeg_open_output;
    JPEG_RESULT r = jpeg_write_soi(s);
    if (!r && !data_operation(p->operation)) {
        const int32_t sc = p->stream_color;
        if (sc == JPEG_COLOR_RGB || sc == JPEG_COLOR_RGBA) r = jpeg_write_app14(0, p);
        else if (sc == JPEG_COLOR_YCBCRA) r = jpeg_write_app14(2, p);
        else r = jpeg_write_app0(p);
        if (!r) r = jpeg_write_comment(p);
        if (!r) r = jpeg_write_tables(p);
    } else if (!r) {
        for (uint32_t i = 0; i < e->quant_tables && i < 4 && !r; ++i)
            if (!e->quant_in_use[e->quant[i].id & 3]) r = scale_quant(p, i, false);
        if (!r) r = build_pairs(e);
    }
    if (!r) {
        k.fdct_in_use = p->idct_kind == 1 ? k.fdct_accurate : k.fdct_fast;
        k.quantize_in_use = p->idct_kind == 1 ? k.quantize_accurate : k.quantize_fast;
    }
    if (!r && tables_operation(p->operation)) r = jpeg_write_eoi(s);
    if (!r && s->file >= 0) r = jpeg_finish_output(s);
    return r;
}

JPEG_RESULT jpeg_encode_mcus_restart(JPEG_PROPERTIES* p, JPEG_STREAM* s, JPEG_ENC_SCAN* scan) {
    JPEG_ENCODER* e = p->encoder;
    const JPEG_KERNELS& k = s->environment->k;
    const JPEG_FRAME& f = p->frame;
    const uint32_t interval = p->restart_interval;
    // Where the block encoder has an MCU form and every table fits it, the
    // MCU's blocks go to that in one call (the same bits).
    JPEG_ENC_MCU_TABLES plan{};
    JpegEncMcuFn mcu_encode = jpeg_enc_mcu_for(k.huff_encode_block, e->bits_left_aligned != 0);
    for (uint32_t i = 0; i < scan->ns && mcu_encode; ++i) {
        if (!jpeg_enc_table_fits(scan->comp[i].dc) || !jpeg_enc_table_fits(scan->comp[i].ac)) mcu_encode = nullptr;
        for (uint32_t b = 0; b < scan->comp[i].h * scan->comp[i].v && plan.blocks < JPEG_ENC_MAX_BLOCKS; ++b) {
            plan.comp[plan.blocks] = uint8_t(i);
            plan.dc[plan.blocks] = scan->comp[i].dc;
            plan.ac[plan.blocks++] = scan->comp[i].ac;
        }
    }
    const DirectMcus direct = direct_mcus(p);
    JPEG_RESULT r = 0;
    for (uint32_t row = scan->resume_row; row < f.mcu_rows && !r; ++row) {
        for (uint32_t col = row == scan->resume_row ? scan->resume_col : 0; col < f.mcus_per_row; ++col) {
            quantised_mcu(p, direct, col, row);
            int16_t* blk = e->mcu;
            if (mcu_encode) {
                r = mcu_encode(s, &plan, scan->pred, blk);
            } else {
                for (uint32_t i = 0; i < scan->ns && !r; ++i)
                    for (uint32_t b = 0; b < scan->comp[i].h * scan->comp[i].v && !r; ++b, blk += 64)
                        r = k.huff_encode_block(s, scan->comp[i].dc, scan->comp[i].ac, &scan->pred[i], blk);
            }
            if (!r && interval && ++scan->mcu_counter % interval == 0) {
                const uint32_t m = (scan->mcu_counter / interval - 1) & 7;
                if (m == 7) scan->mcu_counter = 0;
                r = jpeg_write_rst(m, s);
                for (int16_t& pr : scan->pred) pr = 0;
            }
            if (r) break;
            if (p->mcu_step) {
                p->region.right = int32_t(col);
                p->region.bottom = int32_t(row);
                scan->resume_col = (col + 1) % f.mcus_per_row;
                scan->resume_row = row + (scan->resume_col == 0 ? 1 : 0);
                k.simd_exit();
                return JPEG_INTERRUPT_SUCCESS;
            }
        }
    }
    if (!r) scan->resume_row = f.mcu_rows, scan->resume_col = 0;
    k.simd_exit();
    return r;
}

JPEG_RESULT jpeg_write_baseline(JPEG_PROPERTIES* p) {
    JPEG_ENCODER* e = p->encoder;
    JPEG_STREAM* s = &p->stream;
    JPEG_RESULT r = 0;
    if (!e->encoding) {
        r = check_tables(p, true);
        JPEG_ENC_SCAN& sc = e->scan;
        sc = {};
        sc.ns = p->frame.ncomps;
        sc.se = 63;
        for (uint32_t c = 0; c < sc.ns; ++c)
            sc.comp[c] = {c, p->frame.components[c].h, p->frame.components[c].v, e->dc_in_use[e->dc_sel[c] & 3],
                          e->ac_in_use[e->ac_sel[c] & 3]};
        if (!r) r = jpeg_write_sof0(s, &p->frame);
        if (!r && p->restart_interval) r = jpeg_write_dri(p->restart_interval, s);
        if (!r) r = jpeg_write_sos(s, sc.ns, e->dc_sel, e->ac_sel);
        if (!r) r = jpeg_finish_output(s);
        if (!r) r = p->component_planes ? check_planes(p) : jpeg_select_input(p);
        if (r) return r;
        e->encoding = 1;
    }
    r = jpeg_encode_mcus_restart(p, s, &e->scan);
    if (r == JPEG_INTERRUPT_SUCCESS) {
        p->mcu_step = 0;
        return r;
    }
    e->encoding = 0;
    if (r) return r;
    r = jpeg_write_eoi(s);
    return r ? r : jpeg_finish_output(s);
}

JPEG_RESULT jpeg_scan_script(JPEG_PROPERTIES* p, uint32_t* count) {
    JPEG_ENCODER* e = p->encoder;
    const JPEG_FRAME& f = p->frame;
    const int32_t n = p->stream_channels, sc = p->stream_color;
    JPEG_ENC_SCAN* s = e->script;
    uint32_t i = 0;
    auto dc = [&](uint32_t ah, uint32_t al) { scan_dc(&s[i++], f, uint32_t(n), ah, al); };
    auto one = [&](uint32_t c, uint32_t ss, uint32_t se, uint32_t ah, uint32_t al) {
        scan_single(&s[i++], f, c, ss, se, ah, al);
    };
    if (n == 1 && sc == JPEG_COLOR_GRAY) {
        dc(0, 1), one(0, 1, 5, 0, 2), one(0, 6, 63, 0, 2), one(0, 1, 63, 2, 1), dc(1, 0), one(0, 1, 63, 1, 0);
    } else if (n == 2 && sc == JPEG_COLOR_OTHER) {
        dc(0, 0), one(0, 1, 5, 0, 0), one(1, 1, 5, 0, 0), one(0, 6, 63, 0, 0), one(1, 6, 63, 0, 0);
    } else if ((n == 3 && sc == JPEG_COLOR_YCBCR) || (n == 4 && sc == JPEG_COLOR_YCBCRA)) {
        dc(0, 1), one(0, 1, 5, 0, 2), one(2, 1, 63, 0, 1), one(1, 1, 63, 0, 1);
        if (n == 4) one(3, 1, 63, 0, 0);
        one(0, 6, 63, 0, 2), one(0, 1, 63, 2, 1), dc(1, 0), one(2, 1, 63, 1, 0), one(1, 1, 63, 1, 0);
        one(0, 1, 63, 1, 0);
    } else if ((n == 3 && (sc == JPEG_COLOR_RGB || sc == JPEG_COLOR_OTHER)) ||
               (n == 4 && (sc == JPEG_COLOR_RGBA || sc == JPEG_COLOR_OTHER))) {
        dc(0, 1);
        for (int32_t c = 0; c < n; ++c) one(uint32_t(c), 1, 5, 0, 0);
        dc(1, 0);
        for (int32_t c = 0; c < n; ++c) one(uint32_t(c), 6, 63, 0, 0);
    } else {
        *count = 0;
        e->script_count = 0;
        return JPEG_ERR_PARAMS;
    }
    *count = e->script_count = i;
    return 0;
}

JPEG_RESULT jpeg_fill_coefficients(JPEG_PROPERTIES* p) {
    const JPEG_FRAME& f = p->frame;
    int16_t* planes[4];
    size_t strides[4];
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) planes[c] = jpeg_component_plane(p, c, &strides[c]);
    const DirectMcus direct = direct_mcus(p);
    for (uint32_t row = 0; row < f.mcu_rows; ++row)
        for (uint32_t col = 0; col < f.mcus_per_row; ++col) {
            quantised_mcu(p, direct, col, row);
            // Each block from the MCU into its component's plane, in zig-zag order.
            const int16_t* src = p->encoder->mcu;
            for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) {
                const uint32_t h = f.components[c].h, v = f.components[c].v;
                for (uint32_t by = 0; by < v; ++by)
                    for (uint32_t bx = 0; bx < h; ++bx, src += 64) {
                        int16_t* dst = planes[c] + ((size_t(row) * v + by) * strides[c] + size_t(col) * h + bx) * 64;
#pragma GCC unroll 64
                        for (uint32_t k = 0; k < 64; ++k) dst[k] = src[jpeg_natural_order[k]];
                    }
            }
        }
    p->stream.environment->k.simd_exit();
    return 0;
}

JPEG_RESULT jpeg_write_progressive(JPEG_PROPERTIES* p) {
    JPEG_ENCODER* e = p->encoder;
    JPEG_STREAM* s = &p->stream;
    const JPEG_FRAME& f = p->frame;
    JPEG_RESULT r = check_tables(p, false);
    if (r) return r;
    std::free(p->coefficients);
    p->coefficient_bytes = size_t(f.mcu_count) * blocks_per_mcu(f) * 64 * sizeof(int16_t);
    p->coefficients = static_cast<int16_t*>(std::malloc(p->coefficient_bytes));
    if (!p->coefficients) {
        p->coefficient_bytes = 0;
        return JPEG_ERR_MEMORY;
    }
    uint32_t count = 0;
    r = jpeg_scan_script(p, &count);
    // No DRI: the progressive scans carry no restart markers, and a DRI would make
    // every decoder wait for markers that never come.
    if (!r) r = jpeg_write_sof2(s, &f);
    if (!r) r = p->component_planes ? check_planes(p) : jpeg_select_input(p);
    if (!r) r = jpeg_fill_coefficients(p);
    // Table numbers of the scans: component 0 uses table 0, the others table 1.
    static const uint8_t kIds[4] = {0, 1, 1, 1};
    for (uint32_t i = 0; i < count && !r; ++i) {
        JPEG_ENC_SCAN& sc = e->script[i];
        uint32_t freq[2][257] = {};
        uint8_t counts[16], values[256];
        jpeg_gather_scan_statistics(p, &sc, freq);
        if (sc.ss == 0 && sc.ah == 0) {
            for (uint32_t t = 0; t < (p->stream_channels == 1 ? 1u : 2u) && !r; ++t) {
                jpeg_optimise_huffman(freq[t], counts, values);
                if (jpeg_build_encode_table(counts, values, &e->dc_store[t])) r = JPEG_ERR_BAD_HUFFMAN;
                e->dc_in_use[t] = &e->dc_store[t];
                if (!r) r = jpeg_write_dht(s, counts, values, 0, t);
            }
        } else if (sc.ss != 0) {
            const uint32_t t = sc.comp[0].index == 0 ? 0 : 1;
            jpeg_optimise_huffman(freq[t], counts, values);
            if (jpeg_build_encode_table(counts, values, &e->ac_store[t])) r = JPEG_ERR_BAD_HUFFMAN;
            e->ac_in_use[t] = &e->ac_store[t];
            if (!r) r = jpeg_write_dht(s, counts, values, 1, t);
        }
        for (uint32_t c = 0; c < sc.ns; ++c) {
            const uint32_t t = kIds[sc.comp[c].index];
            sc.comp[c].dc = &e->dc_store[t];
            sc.comp[c].ac = &e->ac_store[t];
        }
        if (!r) r = jpeg_write_sos_progressive(s, &sc, kIds, kIds);
        if (r) break;
        // The scan is coded by the byte-wise writer; the output is byte-aligned
        // here in either writer's convention, and is left so after the scan.
        s->bits = 0;
        s->bit_count = 8;
        r = jpeg_encode_scan(p, s, &sc);
        s->bits = 0;
        s->bit_count = e->bits_left_aligned ? 0 : 8;
    }
    e->script_count = 0;
    if (!r) r = jpeg_write_eoi(s);
    if (!r) r = jpeg_finish_output(s);
    return r;
}

JPEG_RESULT jpeg_write(JPEG_IMAGE_PARAMS* params, int32_t operation) {
    if (!params || !params->props.stream.environment) return JPEG_ERR_PARAMS;
    JPEG_PROPERTIES* p = &params->props;
    JPEG_STREAM* s = &p->stream;
    p->operation = operation;
    JPEG_RESULT r = jpeg_check_params(params);
    if (r == 0 && (operation < JPEG_OP_WRITE_IMAGE_FILE || operation > JPEG_OP_WRITE_DATA_MEM)) r = JPEG_ERR_PARAMS;
    // The component-row mode belongs to the decoder's up-sampling.
    if (r == 0 && p->component_row_mode) r = JPEG_ERR_NOT_SUPPORTED;
    JPEG_ENCODER* e = r == 0 ? jpeg_encoder_state(p) : nullptr;
    if (r == 0 && !e) r = JPEG_ERR_MEMORY;
    const bool resuming = e && e->encoding;
    if (r == 0 && (operation & 1) == 0 && s->file < 0) {
        s->file = jpeg_file_open(params->stream_file, true);
        if (s->file < 0) r = JPEG_ERR_FILE_NAME;
    }
    if (r == 0 && (operation & 1) && !resuming && s->file >= 0) {
        jpeg_file_close(s->file);   // a memory write writes the block, not a file a read left open
        s->file = -1;
    }
    if (r == 0 && !params->use_low_level && !resuming) {
        p->image_data = params->image_data;
        p->image_width = params->image_width;
        p->image_height = params->image_height;
        p->image_pad_bytes = params->image_pad_bytes;
        p->image_channels = params->image_channels;
        p->image_color = params->image_color;
        p->image_sampling = params->image_sampling;
        p->stream_file = params->stream_file;
        p->stream_data = params->stream_data;
        p->stream_size = params->stream_size;
        p->stream_width = params->stream_width;
        p->stream_height = params->stream_height;
        p->stream_channels = params->stream_channels;
        p->stream_color = params->stream_color;
        p->stream_sampling = params->stream_sampling;
        p->convert_color = params->convert_color;
        p->upsample = params->upsample;
        p->quality = params->quality;
        if (p->image_sampling == 2 && p->image_color == JPEG_COLOR_YCBCR && p->stream_color == JPEG_COLOR_YCBCR)
            p->stream_sampling = JPEG_SAMPLING_422;
    }
    const bool pixels = !tables_operation(operation);
    if (r == 0 && !resuming) {
        const int64_t per_pixel = p->image_sampling == 2 ? 2 : p->image_channels;
        const int64_t pitch = int64_t(p->image_width) * per_pixel + p->image_pad_bytes;
        if (pitch > INT32_MAX) r = JPEG_ERR_PARAMS;
        p->image_pitch = int32_t(pitch);
        // The coded picture is read from the caller's block: it must lie inside it.
        const int64_t rows = p->image_height < 0 ? -int64_t(p->image_height) : p->image_height;
        if (pixels && !p->component_planes && (p->stream_width > p->image_width || p->stream_height > rows))
            r = JPEG_ERR_PARAMS;
    }
    if (r == 0) r = jpeg_encoder_defaults(p);
    if (r == 0) {
        e->use_conversion = !(p->stream_color == JPEG_COLOR_RGB || p->stream_color == JPEG_COLOR_RGBA ||
                              p->image_color == JPEG_COLOR_GRAY || p->image_color == JPEG_COLOR_YCBCR ||
                              p->image_color == JPEG_COLOR_OTHER);
        r = setup_frame(p);
    }
    if (r == 0 && !resuming) {
        if (p->image_height < 0 && p->image_data) {
            p->image_data += ptrdiff_t(-int64_t(p->image_height) - 1) * p->image_pitch;
            p->image_pitch = -p->image_pitch;
        }
        s->consumed = 0;
        r = jpeg_write_header(p);
        if (r == 0 && tables_operation(operation)) p->stream_size = int32_t(s->consumed);
    }
    if (r == 0 && pixels) {
        r = p->progressive_scans ? jpeg_write_progressive(p) : jpeg_write_baseline(p);
        p->header_pending = 1;
        if (r >= 0) p->stream_size = int32_t(s->consumed);
    }
    if (r == JPEG_INTERRUPT_SUCCESS || r == JPEG_ROI_SUCCESS) {
        report_position(p);
    } else if (s->file >= 0) {
        const bool closed = jpeg_file_close(s->file);
        s->file = -1;
        if (r == 0 && !closed) r = JPEG_ERR_CLOSE_FILE;
    }
    if (r < 0 && e) e->encoding = 0;
    if (r >= 0 && !params->use_low_level) params->stream_size = p->stream_size;
    s->environment->k.simd_exit();
    return r;
}

}  // namespace velmora
