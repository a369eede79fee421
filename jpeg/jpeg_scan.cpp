// jpeg/jpeg_scan.cpp
#include "jpeg/jpeg_scan.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "jpeg/jpeg_block_smooth.h"
#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_huff_fast.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_input.h"
#include "jpeg/jpeg_mcu.h"
#include "jpeg/jpeg_scan_walk.h"
#include "jpeg/jpeg_simd_huff.h"

namespace velmora {
namespace {

using namespace scan_walk;

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

// The size in output pixels of a sequential scan's unit, at least 1.
void unit_size(const JPEG_PROPERTIES* p, const JPEG_SCAN* scan, uint32_t divisor, uint32_t* mw, uint32_t* mh) {
    const JPEG_FRAME& f = p->frame;
    *mw = f.hmax * 8, *mh = f.vmax * 8;
    if (scan->ns == 1 && p->non_interleaved) {
        *mw = f.hmax / scan->components[0].h * 8;
        *mh = f.vmax / scan->components[0].v * 8;
    }
    *mw = *mw / divisor ? *mw / divisor : 1;
    *mh = *mh / divisor ? *mh / divisor : 1;
}

// The MCUs of a grid of cols x rows MCUs of mw x mh output pixels that reach
// into the caller's image: columns [*c0, *c1), rows [*r0, *r1). With a region
// the image holds the region's pixels from its top-left corner on.
void image_extent(const JPEG_PROPERTIES* p, uint32_t mw, uint32_t mh, uint32_t cols, uint32_t rows, uint32_t* c0,
                  uint32_t* c1, uint32_t* r0, uint32_t* r1) {
    if (p->component_planes) {   // the planes take every MCU
        *c0 = *r0 = 0, *c1 = cols, *r1 = rows;
        return;
    }
    const JPEG_RECT& g = p->region;
    const int64_t iw = std::max(p->image_width, 0);
    const int64_t ih = p->image_height < 0 ? -int64_t(p->image_height) : p->image_height;
    int64_t x0 = 0, y0 = 0, x1 = iw, y1 = ih;
    if (g.left != 0 || g.top != 0 || g.right != 0 || g.bottom != 0) {
        x0 = std::max(g.left, 0), y0 = std::max(g.top, 0);
        x1 = std::min<int64_t>(g.right, x0 + iw), y1 = std::min<int64_t>(g.bottom, y0 + ih);
    }
    *c0 = uint32_t(std::min<int64_t>(cols, x0 / mw));
    *r0 = uint32_t(std::min<int64_t>(rows, y0 / mh));
    *c1 = uint32_t(std::clamp<int64_t>((x1 + mw - 1) / mw, *c0, cols));
    *r1 = uint32_t(std::clamp<int64_t>((y1 + mh - 1) / mh, *r0, rows));
}

// Fills the units of a sequential scan from (col, row) to its end as zero
// coefficients decode, only those that reach into the image (and the region):
// the rest would write nothing, so a huge frame costs no more than its image.
void fill_rest(JPEG_PROPERTIES* p, JPEG_SCAN* scan, uint32_t cols, uint32_t rows, uint32_t col, uint32_t row,
               uint32_t divisor) {
    uint32_t mw, mh, c0, c1, r0, r1;
    unit_size(p, scan, divisor, &mw, &mh);
    image_extent(p, mw, mh, cols, rows, &c0, &c1, &r0, &r1);
    if (const JpegSmoothing* sm = jpeg_smoothing_walk(p))   // the walk goes on in raster order
        c0 = sm->c0, c1 = sm->c1, r0 = sm->r0, r1 = sm->r1;
    if (row < r0) row = r0, col = 0;
    // Once an interleaved scan's data end, every MCU row of zero coefficients
    // puts out the same pixel rows: after the cut row and two whole rows (past
    // any filter's reach) the last pixel row is copied down instead, so the
    // rest costs no more than the image's bytes, at every scale.
    const JPEG_RECT& g = p->region;
    const bool copy_down = p->image_data && !p->component_planes && !p->non_interleaved &&
                           scan->ns == p->frame.ncomps && !jpeg_smoothing_walk(p) && g.left == 0 && g.top == 0 &&
                           g.right == 0 && g.bottom == 0;
    const uint32_t end = copy_down ? std::min(r1, row + 3) : r1;
    const size_t bytes = size_t(p->work_block_count) * 64 * sizeof(int16_t);
    for (; row < end; ++row, col = 0) {
        for (col = std::max(col, c0); col < c1; ++col) {
            std::memset(p->work_blocks, 0, bytes);
            jpeg_decode_mcu(p, col, row, divisor, jpeg_fine_chroma(p->frame));
        }
    }
    if (end < r1) {
        const int64_t ah = p->image_height < 0 ? -int64_t(p->image_height) : p->image_height;
        const int64_t y_end = std::min<int64_t>(ah, int64_t(r1) * mh);
        const size_t width = size_t(std::min<int64_t>(p->image_width, int64_t(c1) * mw)) * size_t(p->image_channels);
        const uint8_t* src = p->image_data + ptrdiff_t(int64_t(end) * mh - 1) * p->image_pitch;
        for (int64_t y = int64_t(end) * mh; y < y_end; ++y)
            std::memcpy(p->image_data + ptrdiff_t(y) * p->image_pitch, src, width);
    }
}

}  // namespace

int16_t* jpeg_component_plane(const JPEG_PROPERTIES* p, uint32_t index, size_t* blocks_per_row) {
    const JPEG_FRAME& f = p->frame;
    size_t before = 0;
    for (uint32_t i = 0; i < index && i < 4; ++i)
        before += size_t(f.components[i].h) * f.components[i].v * f.mcus_per_row * f.mcu_rows;
    *blocks_per_row = size_t(f.mcus_per_row) * f.components[index & 3].h;
    return p->coefficients + before * 64;
}

void jpeg_report_step(JPEG_PROPERTIES* p, uint32_t mw, uint32_t mh, uint32_t divisor) {
    const int64_t w = ceil_div(p->frame.width, divisor), h = ceil_div(p->frame.height, divisor);
    const int64_t col = p->out_col, row = p->out_row;
    p->region = {int32_t(col), int32_t(row), int32_t(std::min<int64_t>((col + 1) * mw, w)),
                 int32_t(std::min<int64_t>((row + 1) * mh, h))};
    p->step_reported = p->region;
}

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

void jpeg_fill_sequential(JPEG_PROPERTIES* p, JPEG_SCAN* scan, uint32_t divisor) {
    uint32_t cols = p->frame.mcus_per_row, rows = p->frame.mcu_rows;
    if (scan->ns == 1) component_grid(p->frame, scan->components[0], &cols, &rows);
    fill_rest(p, scan, cols, rows, 0, 0, divisor);
}

namespace {

// The region index: the decoder's state at the start of each MCU row of the
// scan, kept from the first region read of a stream until jpeg_free, so that a
// later region read starts at the nearest recorded row above its own instead
// of the scan's start. It belongs to one stream and scan: a read of anything
// else (another block or file, other contents, another scan, another kernel
// family, whose bit buffer differs) starts it afresh. Only rows reached from
// sound data are recorded.
struct RegionEntry {
    int64_t position = -1;   // offset in the memory block or file; -1 not yet known
    uint32_t consumed = 0;
    uint64_t bits = 0;
    int32_t bit_count = 0;
    int16_t pred[4] = {};
    uint8_t marker = 0;
    uint8_t expected = 0;    // the restart marker due next, modulo 8
};

}  // namespace

struct JPEG_REGION_INDEX {
    uint64_t key = 0;
    uint32_t rows = 0;
    RegionEntry* entries = nullptr;
};

namespace {

uint64_t mix(uint64_t h, uint64_t v) { return (h ^ v) * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull; }

// Names the stream (its contents too, for a memory block) and the scan.
uint64_t index_key(const JPEG_STREAM* s, const JPEG_SCAN* scan, const JPEG_PROPERTIES* p, uint32_t cols,
                   uint32_t rows, int64_t scan_start) {
    uint64_t h = 0x243F6A8885A308D3ull;
    if (s->file >= 0) {
        const uint64_t id = jpeg_file_identity(s->file, p->stream_file);
        if (id == 0) return 0;
        h = mix(h, id);
    } else {
        h = mix(mix(h, uint64_t(uintptr_t(s->start))), s->size);
        uint64_t w = 0;
        size_t i = 0;
        for (; i + 8 <= s->size; i += 8) {
            std::memcpy(&w, s->start + i, 8);
            h = (h ^ w) * 0x100000001B3ull;
        }
        for (; i < s->size; ++i) h = (h ^ s->start[i]) * 0x100000001B3ull;
    }
    h = mix(h, uint64_t(scan_start));
    h = mix(h, uint64_t(uintptr_t(s->environment->k.huff_decode_block)));
    h = mix(mix(mix(h, cols), rows), scan->restart_interval);
    for (uint32_t i = 0; i < scan->ns; ++i) h = mix(h, scan->components[i].index);
    return h ? h : 1;
}

int64_t stream_position(const JPEG_STREAM* s) {
    if (s->file < 0) return s->current - s->start;
    const int64_t at = jpeg_file_tell(s->file);
    return at < 0 ? -1 : at - s->left;
}

// The index for this scan, made or started afresh; null when it cannot be had.
JPEG_REGION_INDEX* region_index(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t cols, uint32_t rows) {
    const int64_t start = stream_position(s);
    if (start < 0 || s->bit_count != 0 || s->fault != 0) return nullptr;
    const uint64_t key = index_key(s, scan, p, cols, rows, start);
    if (key == 0) return nullptr;
    auto* ix = static_cast<JPEG_REGION_INDEX*>(p->region_index);
    if (!ix) {
        ix = new (std::nothrow) JPEG_REGION_INDEX();
        if (!ix) return nullptr;
        p->region_index = ix;
    }
    if (ix->key == key && ix->rows == rows && ix->entries) return ix;
    delete[] ix->entries;
    ix->entries = new (std::nothrow) RegionEntry[size_t(rows) + 1];
    ix->rows = ix->entries ? rows : 0;
    ix->key = ix->entries ? key : 0;
    if (!ix->entries) return nullptr;
    RegionEntry& e = ix->entries[0];
    e.position = start, e.consumed = s->consumed, e.marker = s->marker;
    return ix;
}

void save_row(JPEG_REGION_INDEX* ix, uint32_t row, const JPEG_STREAM* s, const JPEG_SCAN* scan, const Restarts& rs) {
    if (row >= ix->rows || ix->entries[row].position >= 0) return;
    if (rs.skipping || rs.dead || s->fault != 0 || s->data_end || s->starved || s->bad_code) return;
    RegionEntry& e = ix->entries[row];
    const int64_t at = stream_position(s);
    if (at < 0) return;
    e.consumed = s->consumed, e.bits = s->bits, e.bit_count = s->bit_count, e.marker = s->marker;
    e.expected = uint8_t(rs.expected);
    for (int i = 0; i < 4; ++i) e.pred[i] = scan->pred[i];
    e.position = at;
}

// Puts the decoder back to the recorded start of a row; false (-23 noted) when
// the file cannot be brought there.
bool restore_row(const RegionEntry& e, JPEG_STREAM* s, JPEG_SCAN* scan) {
    if (s->file < 0) {
        s->current = s->start + e.position;
        s->left = int32_t(int64_t(s->size) - e.position);
    } else if (!jpeg_file_seek(s->file, e.position, 0) || jpeg_stream_refill(s) != 0) {
        note_fault(s, JPEG_ERR_FILE);
        return false;
    }
    s->consumed = e.consumed, s->bits = e.bits, s->bit_count = e.bit_count, s->marker = e.marker;
    s->data_end = s->starved = s->bad_code = 0;
    s->eob_run = 0;
    for (int i = 0; i < 4; ++i) scan->pred[i] = e.pred[i];
    scan->position[0] = e.expected, scan->position[1] = scan->position[2] = 0;
    return true;
}

// The sequential scan over its MCUs; region: only the MCUs inside the region
// are put out, the others are only passed over (their AC values not stored).
// 1 when a stepped read stops after an MCU, else 0.
JPEG_RESULT scan_sequential(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor, bool region) {
    const JPEG_FRAME& f = p->frame;
    p->dc_only_valid = 0;
    const JPEG_KERNELS& k = s->environment->k;
    const bool fine = jpeg_fine_chroma(f);
    const auto* planes = static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes);
    // Coefficient planes take the blocks as read; a fused transform dequantises itself.
    const bool dequantise = !jpeg_dequant_fused(k, divisor) && !(planes && !planes->samples);
    uint32_t cols = f.mcus_per_row, rows = f.mcu_rows;
    if (scan->ns == 1) component_grid(f, scan->components[0], &cols, &rows);
    uint32_t mw, mh;
    unit_size(p, scan, divisor, &mw, &mh);
    const JPEG_RECT& g = p->region;
    uint32_t first_col = 0, end_col = cols, first_row = 0, end_row = rows;
    if (region) {
        first_col = uint32_t(g.left) / mw, end_col = std::min(cols, ceil_div(uint32_t(g.right), mw));
        first_row = uint32_t(g.top) / mh, end_row = std::min(rows, ceil_div(uint32_t(g.bottom), mh));
        if (jpeg_smoothing_on(p, divisor)) {
            // The filter reads one MCU beyond the region on each side.
            first_col -= first_col > 0, first_row -= first_row > 0;
            end_col += end_col < cols, end_row += end_row < rows;
        }
    }
    jpeg_smoothing_begin(p, divisor, first_col, end_col, first_row, end_row);
    auto inside = [&](uint32_t col, uint32_t row) {
        return row >= first_row && row < end_row && col >= first_col && col < end_col;
    };
    // The block decoder of classes 4 to 6 takes a whole MCU in one call where the
    // blocks are kept as read (a fused transform dequantises them), every table
    // has its combined lookups and the MCU's blocks lie in the work buffer in
    // the order they are coded: the same blocks as one call per block. It is
    // plain code, and gives the plain block decoder's blocks, predictors and
    // faults too, so the plain classes take it as well, except in a region read:
    // there the blocks outside the region pass through the plain decoder, whose
    // bit buffer is laid out otherwise. Class 3's block decoder (without
    // conditional moves, for processors that lack them) reads the same bits
    // into the same buffer; every 64-bit processor has those moves.
    JpegFastBlock unit[32];
    uint32_t unit_blocks = 0;
    bool whole = (k.huff_decode_block == jpeg_huff_decode_block_mmx_cmov ||
                  k.huff_decode_block == jpeg_huff_decode_block_mmx ||
                  (k.huff_decode_block == jpeg_decode_block && !region)) &&
                 !dequantise;
    for (uint32_t i = 0; whole && i < scan->ns; ++i) {
        const JPEG_SCAN_COMPONENT& c = scan->components[i];
        const uint32_t first = scan->ns == 1 ? 0 : frame_offset(f, c.index);
        const uint32_t count = scan->ns == 1 ? 1 : c.h * c.v;
        const uint32_t* fdc = jpeg_huff_fast_find(s, c.dc, true);
        const uint32_t* fac = jpeg_huff_fast_find(s, c.ac, false);
        for (uint32_t b = 0; whole && b < count; ++b) {
            whole = fdc && fac && unit_blocks < 32 && first + b == unit_blocks;
            if (whole)
                unit[unit_blocks++] = {c.dc, c.ac, fdc, fac, &scan->pred[i], p->work_blocks + (first + b) * 64,
                                       jpeg_huff_fast_find_pairs(s, c.ac)};
        }
    }
    auto decode = [&](uint32_t col, uint32_t row) -> JPEG_RESULT {
        const bool in = inside(col, row);
        if (whole && in) {
            p->dc_only_blocks = jpeg_huff_decode_blocks_fast(s, unit, unit_blocks);
            p->dc_only_col = col, p->dc_only_row = row, p->dc_only_valid = 1;
            return 0;
        }
        // Blocks outside the region are only passed over.
        const JpegHuffDecodeFn dec = in ? k.huff_decode_block : k.huff_decode_dc;
        uint32_t dc_only = 0;
        p->dc_only_valid = 0;
        for (uint32_t i = 0; i < scan->ns; ++i) {
            const JPEG_SCAN_COMPONENT& c = scan->components[i];
            const uint32_t first = scan->ns == 1 ? 0 : frame_offset(f, c.index);
            const uint32_t count = scan->ns == 1 ? 1 : c.h * c.v;
            for (uint32_t b = 0; b < count; ++b) {
                int16_t* blk = p->work_blocks + (first + b) * 64;
                s->no_ac = 0;
                const JPEG_RESULT r = dec(s, c.dc, c.ac, &scan->pred[i], blk);
                if (r < 0) return r;
                if (s->no_ac && first + b < 32) dc_only |= 1u << (first + b);
                if (in && dequantise) k.dequantize_in_use(blk, c.quant->values);
            }
        }
        p->dc_only_blocks = dc_only, p->dc_only_col = col, p->dc_only_row = row, p->dc_only_valid = 1;
        return 0;
    };
    const bool stepping = p->mcu_step != 0;
    // The MCU's blocks and tables worked out once for the scan (an MCU of an
    // interleaved scan holds every component's blocks).
    const JpegMcuPlan plan = scan->ns == f.ncomps ? jpeg_mcu_plan(p, divisor) : JpegMcuPlan{};
    auto place = [&](uint32_t col, uint32_t row, bool zero) {
        if (!inside(col, row)) return false;
        if (zero) std::memset(p->work_blocks, 0, size_t(p->work_block_count) * 64 * sizeof(int16_t));
        const uint32_t before = p->out_count;
        if (plan.n != 0) jpeg_decode_mcu_planned(p, plan, col, row, fine);
        else jpeg_decode_mcu(p, col, row, divisor, fine);
        return stepping && p->out_count != before;
    };
    auto rest = [&](uint32_t col, uint32_t row) { fill_rest(p, scan, cols, rows, col, row, divisor); };
    // A fresh region read of an image coded in one scan starts at the nearest
    // row the index knows above the region, and records the rows it passes.
    JPEG_REGION_INDEX* ix = nullptr;
    if (region && !p->non_interleaved && scan->resume_col == 0 && scan->resume_row == 0 &&
        (ix = region_index(s, scan, p, cols, rows)) != nullptr) {
        uint32_t k = std::min(first_row, rows);
        while (k > 0 && ix->entries[k].position < 0) --k;
        if (k > 0 && !restore_row(ix->entries[k], s, scan)) return JPEG_ERR_FILE;
        scan->resume_row = k;
    }
    auto row_done = [&](uint32_t row, const Restarts& rs) {
        if (ix) save_row(ix, row, s, scan, rs);
    };
    // A region read needs nothing below the region's last row.
    if (walk_units(s, scan, cols, region ? end_row : rows, scan->resume_col, scan->resume_row, decode, place, rest,
                   stepping, row_done)) {
        jpeg_report_step(p, mw, mh, divisor);
        return JPEG_INTERRUPT_SUCCESS;
    }
    jpeg_smoothing_end(p);
    scan->resume_col = scan->resume_row = 0;
    return 0;
}

}  // namespace

JPEG_RESULT jpeg_scan_baseline(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor) {
    return scan_sequential(s, scan, p, divisor, false);
}

JPEG_RESULT jpeg_scan_baseline_region(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor) {
    if (scan_sequential(s, scan, p, divisor, true) == JPEG_INTERRUPT_SUCCESS) return JPEG_INTERRUPT_SUCCESS;
    // An image coded in separate component scans waits for its further scans.
    if (p->non_interleaved && s->components_done + scan->ns < p->frame.ncomps) return 0;
    return JPEG_ROI_SUCCESS;
}

namespace {

// The four kinds of progressive scan, each decoding one block of a component.
enum class Pass { DcFirst, DcRefine, AcFirst, AcRefine };

template <Pass kind>
JPEG_RESULT decode_unit(JPEG_STREAM* s, JPEG_SCAN* scan, const JPEG_SCAN_COMPONENT& c, uint32_t i, int16_t* blk) {
    if constexpr (kind == Pass::DcFirst) {
        jpeg_clear_block(blk);
        return jpeg_decode_dc_first(s, c.dc, &blk[0], &scan->pred[i], scan->al);
    } else if constexpr (kind == Pass::DcRefine) {
        // One bit a block: taken here while the accumulator holds one.
        if (s->bit_count < 1) return jpeg_decode_dc_refine(s, &blk[0], scan->al);
        --s->bit_count;
        blk[0] = int16_t(uint16_t(blk[0]) | uint16_t((uint32_t(s->bits >> s->bit_count) & 1u) << scan->al));
        return 0;
    } else if constexpr (kind == Pass::AcFirst) {
        // A block inside an end-of-band run holds nothing of the band: counted
        // off here, as the decoder would, without the call.
        if (s->eob_run > 0) {
            --s->eob_run;
            return 0;
        }
        return jpeg_decode_ac_first(s, blk, c.ac, scan->ss, scan->se, scan->al);
    } else {
        return jpeg_decode_ac_refine(s, blk, c.ac, scan->ss, scan->se, scan->al);
    }
}

// One progressive scan of one kind over the coefficient buffer. What a damaged
// unit's decoders leave stays; the units after it keep what the earlier scans
// gave. Where nothing more of the scan could be decoded, its coefficients'
// state records the unit from which the blocks lack it.
template <Pass kind>
void progressive_pass(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p) {
    const JPEG_FRAME& f = p->frame;
    auto place = [](uint32_t, uint32_t, bool) { return false; };
    bool cut = false;
    uint32_t cut_col = 0, cut_row = 0, grid_cols = 1;
    // Told the unit after the damaged one: the damaged one is the first without the scan.
    auto rest = [&](uint32_t col, uint32_t row) {
        cut = true;
        cut_col = col > 0 ? col - 1 : grid_cols - 1;
        cut_row = col > 0 ? row : row - 1;
    };
    constexpr size_t kAhead = 4 * 64;
    if (scan->ns == 1) {
        // A single-component scan runs over the component's own block grid,
        // for DC scans as for AC scans.
        const JPEG_SCAN_COMPONENT& c = scan->components[0];
        size_t stride = 0;
        int16_t* const base = jpeg_component_plane(p, c.index, &stride);
        const uint32_t plane_cols = f.mcus_per_row * c.h, plane_rows = f.mcu_rows * c.v;
        uint32_t bw, bh;
        component_grid(f, c, &bw, &bh);
        auto unit = [&](uint32_t bx, uint32_t by) -> JPEG_RESULT {
            if (bx >= plane_cols || by >= plane_rows) return 0;
            int16_t* blk = base + (by * stride + bx) * 64;
            jpeg_prefetch_block(blk + kAhead);
            return decode_unit<kind>(s, scan, c, 0, blk);
        };
        grid_cols = bw;
        walk_units(s, scan, bw, bh, 0, 0, unit, place, rest);
        jpeg_coef_status_scan(p, scan, cut, cut_col, cut_row);
        return;
    }
    int16_t* planes[4];
    size_t strides[4];
    for (uint32_t i = 0; i < scan->ns && i < 4; ++i)
        planes[i] = jpeg_component_plane(p, scan->components[i].index, &strides[i]);
    auto mcu = [&](uint32_t col, uint32_t row) -> JPEG_RESULT {
        for (uint32_t i = 0; i < scan->ns; ++i) {
            const JPEG_SCAN_COMPONENT& c = scan->components[i];
            int16_t* const first = planes[i] + (size_t(row) * c.v * strides[i] + size_t(col) * c.h) * 64;
            jpeg_prefetch_block(first + kAhead);
            for (uint32_t by = 0; by < c.v; ++by)
                for (uint32_t bx = 0; bx < c.h; ++bx) {
                    int16_t* blk = first + (by * strides[i] + bx) * 64;
                    if (const JPEG_RESULT r = decode_unit<kind>(s, scan, c, i, blk); r < 0) return r;
                }
        }
        return 0;
    };
    grid_cols = f.mcus_per_row;
    walk_units(s, scan, f.mcus_per_row, f.mcu_rows, 0, 0, mcu, place, rest);
    jpeg_coef_status_scan(p, scan, cut, cut_col, cut_row);
}

}  // namespace

JPEG_RESULT jpeg_scan_progressive(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p, uint32_t divisor) {
    const JPEG_FRAME& f = p->frame;
    // position[3]: a stepped read has decoded this scan and is putting the picture out.
    if (scan->position[3] == 0) {
        if (scan->ss == 0) {
            if (scan->ah == 0) progressive_pass<Pass::DcFirst>(s, scan, p);
            else progressive_pass<Pass::DcRefine>(s, scan, p);
        } else {
            if (scan->ah == 0) progressive_pass<Pass::AcFirst>(s, scan, p);
            else progressive_pass<Pass::AcRefine>(s, scan, p);
        }
    }
    if (p->dc_complete >= f.ncomps && p->ac_complete >= f.ncomps) {
        if (jpeg_output_progressive(p, divisor, p->mcu_step ? scan : nullptr)) return JPEG_INTERRUPT_SUCCESS;
        p->image_output = 1;
    }
    return 0;
}

bool jpeg_output_progressive(JPEG_PROPERTIES* p, uint32_t divisor, JPEG_SCAN* step) {
    const JPEG_FRAME& f = p->frame;
    const JPEG_KERNELS& k = p->stream.environment->k;
    const uint32_t nb = blocks_per_mcu(f);
    const bool fine = jpeg_fine_chroma(f);
    const auto* planes = static_cast<const JPEG_COMPONENT_PLANES*>(p->component_planes);
    const bool dequantise = !jpeg_dequant_fused(k, divisor) && !(planes && !planes->samples);
    if (!p->coefficients || !p->work_blocks || p->work_block_count < nb) return false;
    // Only the MCUs that reach into the image are put out: the others write nothing.
    const uint32_t mw = std::max<uint32_t>(f.hmax * 8 / divisor, 1), mh = std::max<uint32_t>(f.vmax * 8 / divisor, 1);
    uint32_t c0, c1, r0, r1;
    image_extent(p, mw, mh, f.mcus_per_row, f.mcu_rows, &c0, &c1, &r0, &r1);
    if (jpeg_smoothing_on(p, divisor)) {
        // The filter reads one MCU beyond them on each side.
        c0 -= c0 > 0, r0 -= r0 > 0;
        c1 += c1 < f.mcus_per_row, r1 += r1 < f.mcu_rows;
    }
    jpeg_smoothing_begin(p, divisor, c0, c1, r0, r1);
    uint32_t first_col = c0, first_row = r0;
    if (step && step->position[3]) first_col = step->resume_col, first_row = step->resume_row;
    int16_t* planes_in[4];
    size_t strides[4];
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) planes_in[i] = jpeg_component_plane(p, i, &strides[i]);
    // Blocks whose later scans never came get their low frequencies estimated
    // from their neighbours (not for coefficient planes, which take them as read).
    const bool estimate = !(planes && !planes->samples) && jpeg_block_smoothing_needed(p);
    const JpegMcuPlan plan = jpeg_mcu_plan(p, divisor);
    for (uint32_t row = first_row; row < r1; ++row) {
        for (uint32_t col = row == first_row ? first_col : c0; col < c1; ++col) {
            // Each component's blocks of the MCU from its plane, from zig-zag
            // order (as the scans keep them) into natural order for the transforms.
            int16_t* dst = p->work_blocks;
            for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) {
                const uint32_t h = f.components[i].h, v = f.components[i].v;
                for (uint32_t by = 0; by < v; ++by)
                    for (uint32_t bx = 0; bx < h; ++bx, dst += 64) {
                        const int16_t* src =
                            planes_in[i] + ((size_t(row) * v + by) * strides[i] + size_t(col) * h + bx) * 64;
#pragma GCC unroll 64
                        for (uint32_t z = 0; z < 64; ++z) dst[jpeg_natural_order[z]] = src[z];
                        if (estimate) [[unlikely]]
                            jpeg_smooth_block(p, i, col * h + bx, row * v + by, planes_in[i], strides[i],
                                              f.mcus_per_row * h, f.mcu_rows * v, dst);
                    }
            }
            uint32_t b = 0;
            for (uint32_t i = 0; i < f.ncomps && dequantise; ++i) {
                const uint16_t* q = p->quant[f.components[i].tq & 3].values;
                for (uint32_t j = 0; j < f.components[i].h * f.components[i].v; ++j, ++b)
                    k.dequantize_in_use(p->work_blocks + b * 64, q);
            }
            const uint32_t before = p->out_count;
            if (plan.n != 0) jpeg_decode_mcu_planned(p, plan, col, row, fine);
            else jpeg_decode_mcu(p, col, row, divisor, fine);
            const bool last = row + 1 == r1 && col + 1 == c1;
            if (step && p->out_count != before && !last) {
                // A stepped read stops here and goes on with the next MCU.
                step->position[3] = 1;
                step->resume_col = col + 1 == c1 ? c0 : col + 1;
                step->resume_row = col + 1 == c1 ? row + 1 : row;
                jpeg_report_step(p, mw, mh, divisor);
                return true;
            }
        }
    }
    if (step) step->position[3] = 0, step->resume_col = step->resume_row = 0;
    jpeg_smoothing_end(p);
    return false;
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

void jpeg_region_index_free(JPEG_PROPERTIES* p) {
    auto* ix = static_cast<JPEG_REGION_INDEX*>(p->region_index);
    if (ix) delete[] ix->entries;
    delete ix;
    p->region_index = nullptr;
}

uint32_t jpeg_region_index_known(const JPEG_PROPERTIES* p) {
    const auto* ix = static_cast<const JPEG_REGION_INDEX*>(p->region_index);
    uint32_t n = 0;
    for (uint32_t i = 0; ix && i < ix->rows; ++i) n += ix->entries[i].position >= 0;
    return n;
}

}  // namespace velmora
