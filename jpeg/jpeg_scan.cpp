// jpeg/jpeg_scan.cpp
#include "jpeg/jpeg_scan.h"

#include <cstring>

#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_huff_fast.h"
#include "jpeg/jpeg_input.h"
#include "jpeg/jpeg_mcu.h"

namespace velmora {
namespace {

uint32_t ceil_div(uint64_t a, uint64_t b) { return uint32_t((a + b - 1) / b); }

uint32_t frame_offset(const JPEG_FRAME& f, uint32_t index) {
    uint32_t o = 0;
    for (uint32_t i = 0; i < index && i < 4; ++i) o += f.components[i].h * f.components[i].v;
    return o;
}

uint32_t blocks_per_mcu(const JPEG_FRAME& f) { return frame_offset(f, f.ncomps); }

// The block grid of one component (T.81 A.2.2): its own size in blocks.
void component_grid(const JPEG_FRAME& f, const JPEG_SCAN_COMPONENT& c, uint32_t* cols, uint32_t* rows) {
    *cols = ceil_div(ceil_div(uint64_t(f.width) * c.h, f.hmax), 8);
    *rows = ceil_div(ceil_div(uint64_t(f.height) * c.v, f.vmax), 8);
}

constexpr uint8_t MARKER_EOI = 0xD9;

}  // namespace

uint32_t jpeg_scale_divisor(int32_t operation) {
    switch (operation) {
    case JPEG_OP_HALF_FILE: case JPEG_OP_HALF_MEM: return 2;
    case JPEG_OP_QUARTER_FILE: case JPEG_OP_QUARTER_MEM: return 4;
    case JPEG_OP_EIGHTH_FILE: case JPEG_OP_EIGHTH_MEM: return 8;
    default: return 1;
    }
}

void jpeg_stream_done(JPEG_STREAM* s) {
    s->bit_count = 0;
    s->bits = 0;
}

JPEG_RESULT jpeg_check_restart(JPEG_STREAM* s, JPEG_SCAN* scan, uint32_t per_row, uint32_t rows, uint32_t col,
                               uint32_t row) {
    if (scan->restart_interval == 0) return 0;
    const uint64_t k = uint64_t(col) + uint64_t(row) * per_row + 1;
    if (k % scan->restart_interval != 0 || k == uint64_t(per_row) * rows) return 0;
    for (int16_t& pr : scan->pred) pr = 0;
    s->bit_count = 0;
    s->bits = 0;
    s->eob_run = 0;
    // Any marker stands in for the next RSTn, whatever its code; only EOI is
    // left for the marker loop, so it still ends the scan.
    if (s->marker != 0) {
        if (s->marker != MARKER_EOI) s->marker = 0;
        return 0;
    }
    uint32_t code = 0;
    JPEG_RESULT r = jpeg_read_marker(s, &code);
    if (r < 0) return r;
    if (code == MARKER_EOI) s->marker = uint8_t(code);
    return 0;
}

JPEG_RESULT jpeg_scan_baseline(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor) {
    const JPEG_FRAME& f = p->frame;
    const JPEG_KERNELS& k = s->environment->k;
    const bool fine = jpeg_fine_chroma(f);
    uint32_t cols = f.mcus_per_row, rows = f.mcu_rows;
    if (scan->ns == 1) component_grid(f, scan->components[0], &cols, &rows);
    for (uint32_t row = scan->resume_row; row < rows; ++row) {
        for (uint32_t col = row == scan->resume_row ? scan->resume_col : 0; col < cols; ++col) {
            for (uint32_t i = 0; i < scan->ns; ++i) {
                const JPEG_SCAN_COMPONENT& c = scan->components[i];
                const uint32_t first = scan->ns == 1 ? 0 : frame_offset(f, c.index);
                const uint32_t count = scan->ns == 1 ? 1 : c.h * c.v;
                for (uint32_t b = 0; b < count; ++b) {
                    int16_t* blk = p->work_blocks + (first + b) * 64;
                    JPEG_RESULT r = k.huff_decode_block(s, c.dc, c.ac, &scan->pred[i], blk);
                    if (r < 0) return r;
                    k.dequantize_in_use(blk, c.quant->values);
                }
            }
            JPEG_RESULT r = jpeg_check_restart(s, scan, cols, rows, col, row);
            if (r < 0) return r;
            jpeg_decode_mcu(p, col, row, divisor, fine);
        }
    }
    scan->resume_col = scan->resume_row = 0;
    return 0;
}

JPEG_RESULT jpeg_scan_baseline_region(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor) {
    const JPEG_FRAME& f = p->frame;
    const JPEG_KERNELS& k = s->environment->k;
    const bool fine = jpeg_fine_chroma(f);
    uint32_t cols = f.mcus_per_row, rows = f.mcu_rows;
    uint32_t mw = f.hmax * 8, mh = f.vmax * 8;
    if (scan->ns == 1) {
        component_grid(f, scan->components[0], &cols, &rows);
        if (p->non_interleaved) {
            mw = f.hmax / scan->components[0].h * 8;
            mh = f.vmax / scan->components[0].v * 8;
        }
    }
    mw = mw / divisor ? mw / divisor : 1;
    mh = mh / divisor ? mh / divisor : 1;
    const JPEG_RECT& g = p->region;
    const uint32_t first_col = uint32_t(g.left) / mw, end_col = ceil_div(uint32_t(g.right), mw);
    const uint32_t first_row = uint32_t(g.top) / mh;
    uint32_t end_row = ceil_div(uint32_t(g.bottom), mh);
    if (end_row > rows) end_row = rows;
    for (uint32_t row = 0; row < end_row; ++row) {
        for (uint32_t col = 0; col < cols; ++col) {
            const bool inside = row >= first_row && col >= first_col && col < end_col;
            for (uint32_t i = 0; i < scan->ns; ++i) {
                const JPEG_SCAN_COMPONENT& c = scan->components[i];
                const uint32_t first = scan->ns == 1 ? 0 : frame_offset(f, c.index);
                const uint32_t count = scan->ns == 1 ? 1 : c.h * c.v;
                for (uint32_t b = 0; b < count; ++b) {
                    int16_t* blk = p->work_blocks + (first + b) * 64;
                    // Blocks outside the region are only passed over.
                    JpegHuffDecodeFn dec = inside ? k.huff_decode_block : k.huff_decode_dc;
                    if (dec(s, c.dc, c.ac, &scan->pred[i], blk) < 0) return JPEG_ERR_DATA;
                    if (inside) k.dequantize_in_use(blk, c.quant->values);
                }
            }
            if (jpeg_check_restart(s, scan, cols, rows, col, row) < 0) return JPEG_ERR_BAD_RST;
            if (inside) jpeg_decode_mcu(p, col, row, divisor, fine);
        }
    }
    // An image coded in separate component scans waits for its further scans.
    if (p->non_interleaved && s->components_done + scan->ns < f.ncomps) return 0;
    return JPEG_ROI_SUCCESS;
}

JPEG_RESULT jpeg_scan_progressive(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor) {
    const JPEG_FRAME& f = p->frame;
    const uint32_t nb = blocks_per_mcu(f);
    auto block = [&](const JPEG_SCAN_COMPONENT& c, uint32_t bx, uint32_t by) -> int16_t* {
        const uint32_t mc = bx / c.h, mr = by / c.v;
        if (mc >= f.mcus_per_row || mr >= f.mcu_rows) return nullptr;
        const size_t mcu = size_t(mr) * f.mcus_per_row + mc;
        return p->coefficients + (mcu * nb + frame_offset(f, c.index) + (by % c.v) * c.h + bx % c.h) * 64;
    };
    // One block of the scan; the progressive decoders' results are not tested:
    // corrupt data leaves coefficients wrong, never out of place.
    auto decode = [&](uint32_t i, int16_t* blk) {
        if (!blk) return;
        const JPEG_SCAN_COMPONENT& c = scan->components[i];
        if (scan->ss == 0) {
            if (scan->ah == 0) {
                std::memset(blk, 0, 64 * sizeof(int16_t));
                jpeg_decode_dc_first(s, c.dc, &blk[0], &scan->pred[i], scan->al);
            } else {
                jpeg_decode_dc_refine(s, &blk[0], scan->al);
            }
        } else if (scan->ah == 0) {
            jpeg_decode_ac_first(s, blk, c.ac, scan->ss, scan->se, scan->al);
        } else {
            jpeg_decode_ac_refine(s, blk, c.ac, scan->ss, scan->se, scan->al);
        }
    };
    if (scan->ns == 1) {
        // A single-component scan runs over the component's own block grid,
        // for DC scans as for AC scans.
        uint32_t bw, bh;
        component_grid(f, scan->components[0], &bw, &bh);
        for (uint32_t by = 0; by < bh; ++by) {
            for (uint32_t bx = 0; bx < bw; ++bx) {
                decode(0, block(scan->components[0], bx, by));
                if (jpeg_check_restart(s, scan, bw, bh, bx, by) < 0) return JPEG_ERR_BAD_RST;
            }
        }
    } else {
        for (uint32_t row = 0; row < f.mcu_rows; ++row) {
            for (uint32_t col = 0; col < f.mcus_per_row; ++col) {
                for (uint32_t i = 0; i < scan->ns; ++i) {
                    const JPEG_SCAN_COMPONENT& c = scan->components[i];
                    for (uint32_t by = 0; by < c.v; ++by)
                        for (uint32_t bx = 0; bx < c.h; ++bx) decode(i, block(c, col * c.h + bx, row * c.v + by));
                }
                if (jpeg_check_restart(s, scan, f.mcus_per_row, f.mcu_rows, col, row) < 0) return JPEG_ERR_BAD_RST;
            }
        }
    }
    if (p->dc_complete >= f.ncomps && p->ac_complete >= f.ncomps) {
        jpeg_output_progressive(p, divisor);
        p->image_output = 1;
    }
    return 0;
}

void jpeg_output_progressive(JPEG_PROPERTIES* p, uint32_t divisor) {
    const JPEG_FRAME& f = p->frame;
    const JPEG_KERNELS& k = p->stream.environment->k;
    const uint32_t nb = blocks_per_mcu(f);
    const bool fine = jpeg_fine_chroma(f);
    if (!p->coefficients || !p->work_blocks || p->work_block_count < nb) return;
    for (uint32_t row = 0; row < f.mcu_rows; ++row) {
        for (uint32_t col = 0; col < f.mcus_per_row; ++col) {
            const int16_t* src = p->coefficients + (size_t(row) * f.mcus_per_row + col) * nb * 64;
            std::memcpy(p->work_blocks, src, size_t(nb) * 64 * sizeof(int16_t));
            uint32_t b = 0;
            for (uint32_t i = 0; i < f.ncomps; ++i) {
                const uint16_t* q = p->quant[f.components[i].tq & 3].values;
                for (uint32_t j = 0; j < f.components[i].h * f.components[i].v; ++j, ++b)
                    k.dequantize_in_use(p->work_blocks + b * 64, q);
            }
            jpeg_decode_mcu(p, col, row, divisor, fine);
        }
    }
}

namespace {

// A region read is asked for when the rectangle leaves out part of the (scaled)
// image; the rectangle is then clamped to it.
bool region_read(JPEG_PROPERTIES* p, uint32_t divisor) {
    JPEG_RECT& g = p->region;
    if (g.left == 0 && g.top == 0 && g.right == 0 && g.bottom == 0) return false;
    const bool asked = jpeg_region_asked(p, divisor);
    const int32_t w = int32_t(ceil_div(p->frame.width, divisor)), h = int32_t(ceil_div(p->frame.height, divisor));
    if (g.right <= 0 || g.right > w) g.right = w;
    if (g.bottom <= 0 || g.bottom > h) g.bottom = h;
    if (g.left < 0) g.left = 0;
    if (g.top < 0) g.top = 0;
    return asked;
}

}  // namespace

JPEG_RESULT jpeg_decode_scan(uint32_t* marker, JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p) {
    *marker = 0;
    JPEG_KERNELS& k = s->environment->k;
    if (p->idct_kind == 1) {
        k.idct_in_use[0] = k.idct_accurate;
        k.idct_in_use[1] = k.idct_accurate_4x4;
        k.idct_in_use[2] = k.idct_accurate_2x2;
        k.idct_in_use[3] = k.idct_accurate_1x1;
        k.dequantize_in_use = k.dequantize_accurate;
    } else {
        k.idct_in_use[0] = k.idct_fast;
        k.idct_in_use[1] = k.idct_fast_4x4;
        k.idct_in_use[2] = k.idct_fast_2x2;
        k.idct_in_use[3] = k.idct_fast_1x1;
        k.dequantize_in_use = k.dequantize_fast;
    }
    const uint32_t divisor = jpeg_scale_divisor(p->operation);
    const bool region = region_read(p, divisor);
    JPEG_RESULT r;
    jpeg_huff_fast_arm(s->environment, scan);
    if (p->progressive_scans) r = jpeg_scan_progressive(s, scan, p, divisor);
    else if (region) r = jpeg_scan_baseline_region(s, scan, p, divisor);
    else r = jpeg_scan_baseline(s, scan, p, divisor);
    jpeg_huff_fast_disarm(s->environment);
    if (r == 0) jpeg_stream_done(s);
    k.simd_exit();
    return r;
}

bool jpeg_region_asked(const JPEG_PROPERTIES* p, uint32_t divisor) {
    const JPEG_RECT& g = p->region;
    if (g.left == 0 && g.top == 0 && g.right == 0 && g.bottom == 0) return false;
    const int32_t w = int32_t(ceil_div(p->frame.width, divisor)), h = int32_t(ceil_div(p->frame.height, divisor));
    return (g.right >= 1 && g.right <= w - 1) || (g.bottom >= 1 && g.bottom <= h - 1) || g.top >= 1 || g.left >= 1;
}

}  // namespace velmora
