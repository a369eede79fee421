// jpeg/jpeg_mcu.cpp
#include "jpeg/jpeg_mcu.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "jpeg/jpeg_color.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_input.h"
#include "jpeg/jpeg_output.h"
#include "jpeg/jpeg_simd_idct.h"

namespace velmora {
namespace {

bool factors(const JPEG_FRAME& f, uint32_t h, uint32_t v) {
    // "2x2" or "2x1" only when exact: first (and fourth) component h x v, the others 1x1.
    if (f.ncomps != 3 && f.ncomps != 4) return false;
    const JPEG_COMPONENT* c = f.components;
    if (c[0].h != h || c[0].v != v) return false;
    if (c[1].h != 1 || c[1].v != 1 || c[2].h != 1 || c[2].v != 1) return false;
    if (f.ncomps == 4 && (c[3].h != h || c[3].v != v)) return false;
    return true;
}

bool smoothing_asked(const JPEG_PROPERTIES* p) { return p->smooth_upsampling == 1 || p->component_row_mode == 1; }

JpegSmoothing* smoothing(const JPEG_PROPERTIES* p) { return static_cast<JpegSmoothing*>(p->smoothing_ring); }

uint32_t frame_blocks(const JPEG_FRAME& f) {
    uint32_t n = 0;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) n += f.components[i].h * f.components[i].v;
    return n;
}

bool separate_scans(const JPEG_PROPERTIES* p) { return p->non_interleaved && p->progressive_scans == 0 && p->scan; }

// Copies the MCU's blocks into the caller's planes at their positions.
[[gnu::noinline, gnu::cold]] void store_planes(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) {
    const auto* cp = static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes);
    const JPEG_FRAME& f = p->frame;
    const bool separate = separate_scans(p);
    const bool single = separate && p->scan->ns == 1;
    const uint32_t n = separate ? std::min<uint32_t>(p->scan->ns, 4) : std::min<uint32_t>(f.ncomps, 4);
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t index = separate ? p->scan->components[i].index & 3 : i;
        const JPEG_COMPONENT& c = f.components[index];
        int16_t* plane = cp->plane[index];
        uint32_t first = 0;
        if (!single)
            for (uint32_t j = 0; j < index; ++j) first += f.components[j].h * f.components[j].v;
        if (!plane) continue;
        const size_t pcols = size_t(f.mcus_per_row) * c.h, prows = size_t(f.mcu_rows) * c.v;
        const uint32_t bh = single ? 1 : c.h, bv = single ? 1 : c.v;
        for (uint32_t by = 0; by < bv; ++by)
            for (uint32_t bx = 0; bx < bh; ++bx) {
                const size_t x = size_t(col) * bh + bx, y = size_t(row) * bv + by;
                if (x >= pcols || y >= prows || y * pcols + x >= cp->capacity[index]) continue;
                std::memcpy(plane + (y * pcols + x) * 64, p->work_blocks + (first + by * bh + bx) * 64,
                            64 * sizeof(int16_t));
            }
    }
    ++p->out_count;
    p->out_col = col, p->out_row = row;
}

// Hands one transformed MCU of the work buffer to the output stage.
void output_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, uint32_t divisor, bool fine) {
    ++p->out_count;
    p->out_col = col, p->out_row = row;
    if (divisor == 1) {
        if (p->stream.environment->k.mcu_output) p->stream.environment->k.mcu_output(p, col, row);
    } else {
        jpeg_output_scaled_mcu(p, col, row, int32_t(8 / divisor), fine);
    }
}

int16_t* ring_mcu(const JpegSmoothing& sm, uint32_t col, uint32_t row) {
    return sm.rows + size_t(row % 3) * sm.row_samples + size_t(col) * sm.blocks * 64;
}

// Takes MCU (col, row) back from the rows into the work buffer and puts it out.
void emit(JPEG_PROPERTIES* p, const JpegSmoothing& sm, uint32_t col, uint32_t row, uint32_t divisor, bool fine) {
    std::memcpy(p->work_blocks, ring_mcu(sm, col, row), size_t(sm.blocks) * 64 * sizeof(int16_t));
    output_mcu(p, col, row, divisor, fine);
}

// Keeps the MCU just transformed and puts out those whose neighbours are now known.
[[gnu::noinline, gnu::cold]] void smooth_step(JPEG_PROPERTIES* p, JpegSmoothing& sm, uint32_t col, uint32_t row, uint32_t divisor, bool fine) {
    std::memcpy(ring_mcu(sm, col, row), p->work_blocks, size_t(sm.blocks) * 64 * sizeof(int16_t));
    auto put_row = [&](uint32_t r) {
        if (col > sm.c0) emit(p, sm, col - 1, r, divisor, fine);
        if (col + 1 == sm.c1) emit(p, sm, col, r, divisor, fine);
    };
    if (!sm.vertical) {
        put_row(row);
        return;
    }
    if (row > sm.r0) put_row(row - 1);
    if (row + 1 == sm.r1) put_row(row);   // no row below: the last row goes out with it
}

}  // namespace

bool jpeg_smoothing_on(const JPEG_PROPERTIES* p, uint32_t divisor) {
    if (!smoothing_asked(p) || !p->upsample || p->component_planes) return false;
    const JPEG_FRAME& f = p->frame;
    if (f.hmax != 2) return false;
    return (f.vmax == 1 && divisor != 8) || (f.vmax == 2 && divisor == 1);
}

JPEG_RESULT jpeg_smoothing_prepare(JPEG_PROPERTIES* p) {
    if (!smoothing_asked(p) || p->component_planes) return 0;
    const JPEG_FRAME& f = p->frame;
    const uint32_t blocks = frame_blocks(f);
    const size_t need = size_t(f.mcus_per_row) * blocks * 64;
    JpegSmoothing* sm = smoothing(p);
    if (!sm) {
        sm = new (std::nothrow) JpegSmoothing();
        if (!sm) return JPEG_ERR_MEMORY;
        p->smoothing_ring = sm;
    }
    sm->active = false;
    if (sm->rows && sm->row_samples == need) return 0;
    delete[] sm->rows;
    sm->rows = new (std::nothrow) int16_t[need * 3]();
    sm->row_samples = sm->rows ? need : 0;
    sm->blocks = blocks;
    return sm->rows ? 0 : JPEG_ERR_MEMORY;
}

void jpeg_smoothing_free(JPEG_PROPERTIES* p) {
    if (JpegSmoothing* sm = smoothing(p)) {
        delete[] sm->rows;
        delete sm;
    }
    p->smoothing_ring = nullptr;
}

bool jpeg_smoothing_begin(JPEG_PROPERTIES* p, uint32_t divisor, uint32_t c0, uint32_t c1, uint32_t r0, uint32_t r1) {
    JpegSmoothing* sm = smoothing(p);
    const JPEG_FRAME& f = p->frame;
    // A component coded in a scan of its own comes one block a unit, over its own grid.
    const uint32_t blocks = separate_scans(p) && p->scan->ns == 1 ? 1 : frame_blocks(f);
    if (sm) sm->active = false;
    if (!sm || !sm->rows || !jpeg_smoothing_on(p, divisor) || c0 >= c1 || r0 >= r1 ||
        sm->row_samples < size_t(c1) * blocks * 64)
        return false;
    sm->blocks = blocks;
    sm->c0 = c0, sm->c1 = c1, sm->r0 = r0, sm->r1 = r1;
    sm->vertical = f.vmax == 2;
    sm->b = int32_t(8 / divisor);
    // The chroma samples of the picture (the first 1x1 component's), inside the walk.
    const int32_t cw = int32_t((uint64_t(f.width) + 2 * divisor - 1) / (2 * divisor));
    const int32_t chh = sm->vertical ? int32_t((uint64_t(f.height) + 1) / 2) : int32_t(r1 * uint32_t(sm->b));
    sm->xlo = int32_t(c0) * sm->b, sm->xhi = std::min<int32_t>(cw, int32_t(c1) * sm->b) - 1;
    sm->ylo = int32_t(r0) * sm->b, sm->yhi = std::min<int32_t>(chh, int32_t(r1) * sm->b) - 1;
    sm->active = true;
    return true;
}

void jpeg_smoothing_end(JPEG_PROPERTIES* p) {
    if (JpegSmoothing* sm = smoothing(p)) sm->active = false;
}

const JpegSmoothing* jpeg_smoothing_walk(const JPEG_PROPERTIES* p) {
    const JpegSmoothing* sm = smoothing(p);
    return sm && sm->active ? sm : nullptr;
}

JpegQuantFn jpeg_fused_transform(const JPEG_KERNELS& k, uint32_t divisor) {
    if (divisor != 1) return nullptr;
    if (k.idct_in_use[0] == jpeg_idct_accurate_sse2 && k.dequantize_in_use == jpeg_dequantize_sse2)
        return jpeg_idct_accurate_sse2_dequant;
    if (k.idct_in_use[0] == jpeg_idct_accurate && k.dequantize_in_use == jpeg_dequantize)
        return jpeg_idct_accurate_dequant;
    return nullptr;
}

bool jpeg_fine_chroma(const JPEG_FRAME& f) {
    if (f.hmax == 1 && f.vmax == 1) return false;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) {
        const JPEG_COMPONENT& c = f.components[i];
        if (c.h != c.v || (c.h != 1 && c.h != 2)) return false;
    }
    return true;
}

JPEG_RESULT jpeg_setup_output(JPEG_PROPERTIES* p) {
    JPEG_KERNELS& k = p->stream.environment->k;
    JPEG_FRAME& f = p->frame;
    const int32_t sc = p->stream_color, ic = p->image_color, ch = p->image_channels;
    p->convert_color = !(sc == JPEG_COLOR_GRAY || sc == JPEG_COLOR_RGB || sc == JPEG_COLOR_RGBA ||
                         sc == JPEG_COLOR_OTHER || ic == JPEG_COLOR_GRAY || ic == JPEG_COLOR_YCBCR);
    p->upsample = 0;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i)
        if (f.components[i].h != 1 || f.components[i].v != 1) p->upsample = ic == JPEG_COLOR_YCBCR ? 0 : 1;
    k.mcu_output = nullptr;
    p->converter_code = 0;
    // A frame without components or factors must not reach the geometry's divisions.
    if (f.ncomps < 1 || f.ncomps > 255 || f.ncomps > 4) return JPEG_ERR_COMP;
    jpeg_frame_geometry(p);
    const uint32_t n = f.ncomps;
    const bool s420 = factors(f, 2, 2), s422 = factors(f, 2, 1);
    if (n == 3 && sc == JPEG_COLOR_YCBCR && ic == JPEG_COLOR_YCBCR && !s422) return JPEG_ERR_PARAMS;

    auto set = [&](JpegMcuFn fn, uint32_t code) {
        k.mcu_output = fn;
        p->converter_code = code;
    };
    if (p->non_interleaved && p->progressive_scans == 0) {
        set(ic == JPEG_COLOR_YCBCR ? jpeg_output_single_ycbcr : jpeg_output_generic_scan, 0);
        return 0;
    }
    const bool cc = p->convert_color, us = p->upsample;
    const bool rgb = ic == JPEG_COLOR_RGB, bgr = ic == JPEG_COLOR_BGR, rgba = ic == JPEG_COLOR_RGBA;
    // The smoothed up-sampling goes through the general routines, which filter.
    const bool smooth = smoothing_asked(p);
    if (cc && us && smooth) {
        if ((n == 3 || n == 4) && (ch == 3 || ch == 4) && (rgb || bgr || rgba)) set(jpeg_output_generic, 0);
    } else if (cc && us) {
        if (n == 3 && ch == 3 && rgb && s420) set(jpeg_out_ycc_rgb_h2v2, 3);
        else if (n == 3 && ch == 3 && rgb && s422) set(jpeg_out_ycc_rgb_h2v1, 5);
        else if (n == 3 && ch == 3 && bgr && s420) set(jpeg_out_ycc_bgr_h2v2, 4);
        else if (n == 3 && ch == 3 && bgr && s422) set(jpeg_out_ycc_bgr_h2v1, 6);
        else if (n == 3 && ch == 4 && rgba && s420) set(jpeg_out_ycc_rgba_h2v2, 8);
        else if (n == 3 && ch == 4 && rgba && s422) set(jpeg_out_ycc_rgba_h2v1, 9);
        else if (n == 4 && ch == 4 && rgba && s422) set(jpeg_out_ycca_rgba_h2v1, 12);
        else if (n == 4 && ch == 4 && rgba && s420) set(jpeg_out_ycca_rgba_h2v2, 11);
        else if ((n == 3 || n == 4) && (ch == 3 || ch == 4) && (rgb || bgr || rgba)) set(jpeg_output_generic, 0);
    } else if (cc) {
        if (n == 3 && ch == 3 && rgb) set(jpeg_out_ycc_rgb, 1);
        else if (n == 3 && ch == 3 && bgr) set(jpeg_out_ycc_bgr, 2);
        else if (n == 3 && ch == 4 && rgba) set(jpeg_out_ycc_rgba, 7);
        else if (n == 4 && ch == 4 && rgba) set(jpeg_out_ycca_rgba, 10);
    } else if (us) {
        JpegMcuFn general = p->progressive_scans ? jpeg_output_generic_frame : jpeg_output_generic_scan;
        if (n == 3 && ch == 3 && !bgr && s420) set(smooth ? general : jpeg_out_copy3_h2v2, 16);
        else if (n == 3 && ch == 3 && !bgr && s422) set(smooth ? general : jpeg_out_copy3_h2v1, 17);
        else if ((n == 3 || n == 4) && (ch == 1 || ch == 3 || ch == 4)) set(general, 0);
    } else {
        if (n == 1 && ch == 1) set(jpeg_out_gray, 0);
        else if (n == 1 || n == 2 || (n == 3 && ch == 1)) set(jpeg_output_plain, 0);
        else if (n == 3 && ch == 2 && s422) set(jpeg_out_ycc422, 19);
        else if (n == 3 && ch == 3 && bgr) set(jpeg_output_plain, 0);
        else if (n == 3 && ch == 3) set(jpeg_out_copy3, 15);
        else if (n == 3 && ch == 4 && rgba) set(jpeg_out_copy3_rgba, 13);
        else if (n == 3 && ch == 4) set(jpeg_output_plain, 0);
        else if (n == 4 && ch == 3) set(jpeg_output_plain, 0);
        else if (n == 4 && ch == 4) set(jpeg_out_copy4, 14);
    }
    return 0;
}

JpegMcuPlan jpeg_mcu_plan(const JPEG_PROPERTIES* p, uint32_t divisor) {
    JpegMcuPlan plan;
    const JPEG_FRAME& f = p->frame;
    const JpegQuantFn fused = jpeg_fused_transform(p->stream.environment->k, divisor);
    if (!fused || p->component_planes || separate_scans(p) || f.ncomps > 4) return plan;
    uint32_t n = 0;
    for (uint32_t i = 0; i < f.ncomps; ++i) {
        const JPEG_COMPONENT& c = f.components[i];
        for (uint32_t b = 0; b < c.h * c.v; ++b, ++n) {
            if (n >= 16) return JpegMcuPlan{};
            plan.block[n] = p->work_blocks + n * 64;
            plan.table[n] = p->quant[c.tq & 3].values;
        }
    }
    static const bool pairs = jpeg_idct_pair_available();
    plan.pairs = pairs && fused == jpeg_idct_accurate_sse2_dequant;
    plan.fused = fused;
    plan.n = n;
    return plan;
}

JPEG_RESULT jpeg_decode_mcu_planned(JPEG_PROPERTIES* p, const JpegMcuPlan& plan, uint32_t col, uint32_t row,
                                    bool fine) {
    const uint32_t dc_only =
        p->dc_only_valid && p->dc_only_col == col && p->dc_only_row == row ? p->dc_only_blocks : 0;
    p->dc_only_valid = 0;
    if (plan.pairs) {
        int16_t* blk[16];
        const uint16_t* qs[16];
        uint32_t m = 0;
        for (uint32_t i = 0; i < plan.n; ++i) {
            if (dc_only >> i & 1) {
                jpeg_idct_accurate_dc_fill(plan.block[i], plan.table[i]);
            } else {
                blk[m] = plan.block[i], qs[m] = plan.table[i];
                ++m;
            }
        }
        uint32_t j = 0;
        for (; j + 1 < m; j += 2) jpeg_idct_accurate_avx2_dequant_pair(blk[j], qs[j], blk[j + 1], qs[j + 1]);
        if (j < m) plan.fused(blk[j], qs[j]);
    } else {
        for (uint32_t i = 0; i < plan.n; ++i) plan.fused(plan.block[i], plan.table[i]);
    }
    if (JpegSmoothing* sm = smoothing(p); sm && sm->active) [[unlikely]] {
        smooth_step(p, *sm, col, row, 1, fine);
        return 0;
    }
    output_mcu(p, col, row, 1, fine);
    return 0;
}

JPEG_RESULT jpeg_decode_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, uint32_t divisor, bool fine) {
    JPEG_KERNELS& k = p->stream.environment->k;
    const JPEG_FRAME& f = p->frame;
    const int slot = divisor == 1 ? 0 : divisor == 2 ? 1 : divisor == 4 ? 2 : 3;
    const bool separate = p->non_interleaved && p->progressive_scans == 0 && p->scan;
    const bool single = separate && p->scan->ns == 1;
    const JpegQuantFn fused = jpeg_fused_transform(k, divisor);
    const auto* planes = static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes);
    if (planes && !planes->samples) [[unlikely]] {
        store_planes(p, col, row);   // the quantised coefficients as the scan left them
        return 0;
    }
    // Walk the MCU's components in block order.
    uint32_t idx[4], n = 0;
    if (separate) {
        for (uint32_t i = 0; i < p->scan->ns && i < 4; ++i) idx[n++] = p->scan->components[i].index;
    } else {
        for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) idx[n++] = i;
    }
    // Component i's blocks: the first in the work buffer, how many, and its
    // table; read once here (the kernels' stores could alias the frame).
    uint32_t first[4], count[4], total = 0;
    const uint16_t* table[4];
    for (uint32_t i = 0; i < n; ++i) {
        const JPEG_COMPONENT& c = f.components[idx[i]];
        first[i] = 0;
        if (!single)
            for (uint32_t j = 0; j < idx[i]; ++j) first[i] += f.components[j].h * f.components[j].v;
        count[i] = single ? 1 : c.h * c.v;
        table[i] = p->quant[c.tq & 3].values;
        total += count[i];
    }
    // Where the fused SSE2 transform is in use and the processor has AVX2, the
    // MCU's blocks go through it two at a time (the same samples).
    static const bool pairs = jpeg_idct_pair_available();
    // The blocks the scan's decoder found to hold their DC value alone (this
    // MCU's, taken once).
    const uint32_t dc_only =
        p->dc_only_valid && p->dc_only_col == col && p->dc_only_row == row ? p->dc_only_blocks : 0;
    p->dc_only_valid = 0;
    if (pairs && fused == jpeg_idct_accurate_sse2_dequant && total <= 16) {
        int16_t* blk[16];
        const uint16_t* qs[16];
        uint32_t m = 0;
        for (uint32_t i = 0; i < n; ++i)
            for (uint32_t b = 0; b < count[i]; ++b) {
                const uint32_t at = first[i] + b;
                int16_t* x = p->work_blocks + at * 64;
                const uint16_t* q = table[i];
                if (at < 32 && (dc_only >> at & 1)) {
                    jpeg_idct_accurate_dc_fill(x, q);
                } else {
                    blk[m] = x, qs[m] = q;
                    ++m;
                }
            }
        uint32_t j = 0;
        for (; j + 1 < m; j += 2) jpeg_idct_accurate_avx2_dequant_pair(blk[j], qs[j], blk[j + 1], qs[j + 1]);
        if (j < m) fused(blk[j], qs[j]);
        n = 0;   // transformed
    }
    for (uint32_t i = 0; i < n; ++i) {
        const JPEG_COMPONENT& c = f.components[idx[i]];
        int16_t* blocks = p->work_blocks + first[i] * 64;
        if (fused) {
            for (uint32_t b = 0; b < count[i]; ++b) fused(blocks + b * 64, table[i]);
            continue;
        }
        JpegBlockFn t = k.idct_in_use[slot];
        if (divisor != 1 && fine && c.h * c.v == 1) t = k.idct_in_use[slot - 1];
        for (uint32_t b = 0; b < count[i]; ++b) t(blocks + b * 64);
    }
    if (planes) [[unlikely]] {
        store_planes(p, col, row);
        return 0;
    }
    if (JpegSmoothing* sm = smoothing(p); sm && sm->active) [[unlikely]] {
        smooth_step(p, *sm, col, row, divisor, fine);
        return 0;
    }
    output_mcu(p, col, row, divisor, fine);
    return 0;
}

}  // namespace velmora
