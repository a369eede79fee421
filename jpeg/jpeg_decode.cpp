// jpeg/jpeg_decode.cpp
#include "jpeg/jpeg_decode.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "jpeg/jpeg_block_smooth.h"
#include "jpeg/jpeg_input.h"
#include "jpeg/jpeg_mcu.h"
#include "jpeg/jpeg_output.h"
#include "jpeg/jpeg_scan.h"

namespace velmora {
namespace {

bool header_operation(int32_t op) {
    return op == JPEG_OP_PARAMS_FILE || op == JPEG_OP_PARAMS_MEM || op == JPEG_OP_TABLES_FILE ||
           op == JPEG_OP_TABLES_MEM || op == JPEG_OP_THUMB_FILE || op == JPEG_OP_THUMB_MEM;
}

uint32_t frame_blocks(const JPEG_FRAME& f) {
    uint32_t n = 0;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) n += f.components[i].h * f.components[i].v;
    return n;
}

void delete_scan(JPEG_SCAN* scan) {
    if (!scan) return;
    delete[] scan->components;
    delete scan;
}

// The work buffer holds one MCU of the frame.
JPEG_RESULT ensure_work(JPEG_PROPERTIES* p) {
    uint32_t need = frame_blocks(p->frame);
    if (need == 0) need = 1;
    if (p->work_blocks && p->work_block_count >= need) return 0;
    delete[] p->work_blocks;
    p->work_blocks = new (std::nothrow) int16_t[size_t(need) * 64]();
    p->work_block_count = p->work_blocks ? need : 0;
    return p->work_blocks ? 0 : JPEG_ERR_MEMORY;
}

// The largest coefficient buffer a progressive frame may ask for: a 4096 x 4096
// 4:4:4 picture needs 96 MB, and a small damaged file must not claim gigabytes.
constexpr uint64_t kMaxCoefficientBytes = 256ull << 20;

// The coefficient buffer of a progressive image, cleared for this read.
JPEG_RESULT ensure_coefficients(JPEG_PROPERTIES* p) {
    const JPEG_FRAME& f = p->frame;
    const uint64_t bytes = uint64_t(frame_blocks(f)) * 64 * 2 * f.mcus_per_row * f.mcu_rows;
    if (bytes == 0 || bytes > kMaxCoefficientBytes) return JPEG_ERR_MEMORY;
    if (!p->coefficients || p->coefficient_bytes != bytes) {
        std::free(p->coefficients);
        p->coefficients = static_cast<int16_t*>(std::calloc(size_t(bytes), 1));
        p->coefficient_bytes = p->coefficients ? size_t(bytes) : 0;
        if (!p->coefficients) return JPEG_ERR_MEMORY;
    } else {
        std::memset(p->coefficients, 0, size_t(bytes));
    }
    return 0;
}

void note_fault(JPEG_STREAM* s, JPEG_RESULT r) {
    if (s->fault == 0) s->fault = r;
}

uint32_t all_components(const JPEG_FRAME& f) { return f.ncomps >= 32 ? ~0u : (1u << f.ncomps) - 1; }

// Components of a separately coded image whose scans never came are filled as
// zero coefficients decode, each through the output stage of its own scan.
void fill_missing_components(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    const JPEG_FRAME& f = p->frame;
    if (p->progressive_scans || p->scans_seen == 0 || !p->work_blocks) return;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) {
        if (s->components_seen & (1u << i)) continue;
        JPEG_SCAN_COMPONENT c{};
        c.index = i, c.h = f.components[i].h, c.v = f.components[i].v;
        JPEG_SCAN scan{};
        scan.ns = 1;
        scan.components = &c;
        p->scan = &scan;
        p->non_interleaved = 1;
        if (jpeg_setup_output(p) == 0) jpeg_fill_sequential(p, &scan, jpeg_scale_divisor(p->operation));
        p->scan = nullptr;
    }
}

// The end of the image: colour conversion of separately coded images, the output
// of a progressive image that no scan completed, and the region's result.
JPEG_RESULT finish_image(JPEG_PROPERTIES* p) {
    if (header_operation(p->operation) || p->header_pending) return 0;
    if (p->progressive_scans == 0 && p->scans_seen > 0 &&
        (p->stream.components_seen & all_components(p->frame)) != all_components(p->frame)) {
        note_fault(&p->stream, JPEG_ERR_EOF);   // the image ended before all its components came
        fill_missing_components(p);
    }
    if (p->non_interleaved && p->progressive_scans == 0 && p->convert_color) jpeg_finish_buffered(p);
    const uint32_t divisor = jpeg_scale_divisor(p->operation);
    if (p->progressive_scans && !p->image_output) {
        jpeg_output_progressive(p, divisor);
        p->image_output = 1;
    }
    return jpeg_region_asked(p, divisor) ? JPEG_ROI_SUCCESS : 0;
}

JPEG_RESULT frame_step(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    if (p->operation == JPEG_OP_TABLES_FILE || p->operation == JPEG_OP_TABLES_MEM) {
        s->consumed -= 2;
        return 1;   // stop here
    }
    // A second frame header after scans would change the geometry under buffers
    // already sized for the first.
    if (p->scans_seen) return JPEG_ERR_MULTIPLE_FRAMES;
    JPEG_RESULT r = jpeg_parse_sof(s, p);
    if (r != 0) return r;
    p->header_pending = 0;
    if (p->frame.ncomps < 1 || p->frame.ncomps > 255) return JPEG_ERR_COMP;
    p->stream_channels = int32_t(p->frame.ncomps);
    p->stream_width = int32_t(p->frame.width);
    p->stream_height = int32_t(p->frame.height);
    jpeg_settle_stream_color(p);
    return jpeg_setup_output(p);
}

JPEG_RESULT run_scan(JPEG_PROPERTIES* p);

// run_scan's answer for a stepped read that stopped after an MCU.
constexpr JPEG_RESULT kStepped = 1001;

// Returns 0 to read on, 1 to stop with 0, or a result to return.
JPEG_RESULT scan_step(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    JPEG_FRAME& f = p->frame;
    auto* scan = new (std::nothrow) JPEG_SCAN();
    if (!scan) return JPEG_ERR_MEMORY;
    JPEG_RESULT r = jpeg_read_scan_header(s, scan, p);
    if (r != 0) {
        delete_scan(scan);
        return r;
    }
    if (header_operation(p->operation)) {
        s->consumed -= s->environment->sos_size;
        delete_scan(scan);
        return 1;
    }
    const bool sequential = scan->ss == 0 && scan->se == 63 && scan->ah == 0 && scan->al == 0;
    const bool progressive = p->progressive_scans > 0 || !sequential;
    scan->restart_interval = p->restart_interval;
    p->non_interleaved = !progressive && scan->ns < f.ncomps;
    if (progressive) {
        if (scan->ss == 0 && scan->se == 0 && scan->al == 0) p->dc_complete += scan->ns;
        else if (scan->al == 0 && scan->se == 63) p->ac_complete += 1;
        if (p->progressive_scans == 0 && (r = ensure_coefficients(p)) != 0) {
            delete_scan(scan);
            return r;
        }
        ++p->progressive_scans;
    }
    if ((r = ensure_work(p)) != 0) {
        delete_scan(scan);
        return r;
    }
    p->scan = scan;
    ++p->scans_seen;
    r = jpeg_setup_output(p);
    // A full-size read needs an output routine for this stream and image (the
    // component planes take the blocks instead).
    if (r == 0 && jpeg_scale_divisor(p->operation) == 1 && !s->environment->k.mcu_output && !p->component_planes)
        r = JPEG_ERR_PARAMS;
    if (r == 0) r = jpeg_smoothing_prepare(p);
    if (r != 0) {
        jpeg_free_scan(p);
        return r;
    }
    p->out_count = 0;
    return run_scan(p);
}

// Decodes the current scan (from where a stepped read stopped). Returns 0 to
// read on, 1 to stop with 0, or a result to return.
JPEG_RESULT run_scan(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    JPEG_SCAN* scan = p->scan;
    uint32_t marker = 0;
    JPEG_RESULT r = jpeg_decode_scan(&marker, s, scan, p);
    if (r == JPEG_INTERRUPT_SUCCESS) {
        // The scan stays current for the next call, which sets mcu_step again.
        p->step_pending = 1;
        p->step_operation = p->operation;
        p->mcu_step = 0;
        return kStepped;
    }
    if (r == JPEG_ROI_SUCCESS) {
        if (p->progressive_scans == 0)
            for (uint32_t i = 0; i < scan->ns; ++i) s->components_seen |= 1u << (scan->components[i].index & 31);
        jpeg_free_scan(p);
        return finish_image(p);
    }
    if (r < 0) {
        jpeg_free_scan(p);
        return r;
    }
    if (p->progressive_scans == 0) {
        s->components_done += scan->ns;
        for (uint32_t i = 0; i < scan->ns; ++i) s->components_seen |= 1u << (scan->components[i].index & 31);
    }
    jpeg_free_scan(p);
    return 0;
}

// The data ended in the marker loop of an image read: what the scans gave is
// put out, and a picture short of scans reports the early end.
JPEG_RESULT data_ended(JPEG_PROPERTIES* p) {
    if (p->scans_seen == 0) return JPEG_ERR_EOF;
    const uint32_t n = p->frame.ncomps;
    const bool complete = p->progressive_scans ? p->dc_complete >= n && p->ac_complete >= n
                                               : (p->stream.components_seen & all_components(p->frame)) ==
                                                     all_components(p->frame);
    if (!complete) note_fault(&p->stream, JPEG_ERR_EOF);
    return finish_image(p);
}

}  // namespace

void jpeg_free_scan(JPEG_PROPERTIES* p) {
    if (p->stream.environment) p->stream.environment->huff_fast.built_for = nullptr;
    delete_scan(p->scan);
    p->scan = nullptr;
}

void jpeg_settle_stream_color(JPEG_PROPERTIES* p) {
    if (p->stream_color == JPEG_COLOR_OTHER) return;
    const uint32_t n = p->frame.ncomps;
    if (p->adobe_found) {
        if (n == 1) p->stream_color = JPEG_COLOR_GRAY;
        else if (n == 3) p->stream_color = p->adobe_transform ? JPEG_COLOR_YCBCR : JPEG_COLOR_RGB;
        else if (n == 4) p->stream_color = p->adobe_transform ? JPEG_COLOR_YCBCRA : JPEG_COLOR_RGBA;
    } else if (n == 1) {
        p->stream_color = JPEG_COLOR_GRAY;
    } else if (n == 3 && p->jfif_found) {
        p->stream_color = JPEG_COLOR_YCBCR;
    }
}

JPEG_RESULT jpeg_read_scan_header(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p) {
    if (p->header_pending) return JPEG_ERR_NO_FRAME;
    JPEG_RESULT r = jpeg_parse_sos(p, s, &p->frame, scan);
    if (r != 0) return r;
    s->eob_run = 0;
    const bool sequential = scan->ss == 0 && scan->se == 63 && scan->ah == 0 && scan->al == 0;
    const bool progressive = p->progressive_scans > 0 || !sequential;
    if (progressive) {
        // Spectral selection and successive approximation must stay inside the
        // block and the 16-bit coefficients; AC bands belong to one component.
        if (scan->se > 63 || scan->ss > scan->se || scan->ah > 13 || scan->al > 13 ||
            (scan->ss == 0 && scan->se != 0) || (scan->ss > 0 && scan->ns != 1))
            return JPEG_ERR_DATA;
    }
    for (uint32_t i = 0; i < scan->ns; ++i) {
        // A progressive scan needs only the tables it decodes with: DC first scans
        // the DC table, AC scans the AC table, DC refinements none.
        const bool need_dc = !progressive || (scan->ss == 0 && scan->ah == 0);
        const bool need_ac = !progressive || scan->ss > 0;
        if (need_dc && !(p->dc_defined & (1u << p->scan_dc_ids[i]))) return JPEG_ERR_NO_HUFFMAN;
        if (need_ac && !(p->ac_defined & (1u << p->scan_ac_ids[i]))) return JPEG_ERR_NO_HUFFMAN;
        if (!(p->quant_defined & (1u << p->frame.components[scan->components[i].index].tq)))
            return JPEG_ERR_NO_QUANT;
    }
    return 0;
}

namespace {

JPEG_RESULT marker_loop(JPEG_PROPERTIES* p);

JPEG_RESULT decode_markers(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    // A stepped read goes on in its scan where the last call stopped, with the
    // caller's region (the region reported the position in between).
    if (p->step_pending && p->scan && p->step_operation == p->operation) {
        p->step_pending = 0;
        p->region = p->step_region;
        JPEG_RESULT r = run_scan(p);
        if (r == kStepped) return JPEG_INTERRUPT_SUCCESS;
        if (r == 1) return 0;
        if (r != 0) return r;
        return marker_loop(p);
    }
    // A stepped read given up: the region the caller left holding our report
    // is the caller's own again.
    const JPEG_RECT& g = p->region;
    const JPEG_RECT& q = p->step_reported;
    if (p->step_pending && g.left == q.left && g.top == q.top && g.right == q.right && g.bottom == q.bottom)
        p->region = p->step_region;
    p->step_pending = 0;
    p->step_region = p->region;
    jpeg_smoothing_end(p);   // a stepped walk the caller abandoned
    // Every other read starts at the stream's beginning; nothing of an earlier
    // image's scans carries over.
    jpeg_free_scan(p);
    jpeg_stream_reset(s);
    s->consumed = 0;
    s->environment->sos_size = 0;
    p->progressive_scans = 0;
    jpeg_coef_status_reset(p);
    p->dc_complete = p->ac_complete = 0;
    p->non_interleaved = 0;
    p->scans_seen = 0;
    p->image_output = 0;
    JPEG_RESULT r;
    if (!p->header_pending && (r = jpeg_setup_output(p)) != 0) return r;
    uint32_t code = 0;
    if (header_operation(p->operation)) {
        r = jpeg_read_marker(s, &code);
        if (r < 0 || code != 0xD8) return JPEG_ERR_NOT_JPEG;
    }
    return marker_loop(p);
}

JPEG_RESULT marker_loop(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    const bool header_op = header_operation(p->operation);
    JPEG_RESULT r;
    uint32_t code = 0;
    // Once the frame is known, an image read that meets the end of the data or
    // a damaged segment still puts out what its scans gave.
    const bool image_read = !header_op;
    for (;;) {
        r = jpeg_read_marker(s, &code);
        if (image_read && !p->header_pending && (r < 0 || code >= 256)) return data_ended(p);
        if (r < 0) return r;
        if (code >= 256) return finish_image(p);
        r = 0;
        switch (code) {
        case 0xD8: p->restart_interval = 0; break;
        case 0xE0:
            r = p->operation == JPEG_OP_DATA_FILE ? jpeg_skip_segment(s) : jpeg_parse_app0(p);
            break;
        case 0xEE:
            r = jpeg_parse_app14(p);
            if (r == 0 && !p->header_pending) {
                jpeg_settle_stream_color(p);
                r = jpeg_setup_output(p);
            }
            break;
        case 0xFE: r = jpeg_parse_com(p); break;
        case 0xDB: r = jpeg_parse_dqt(p, s, p->idct_kind); break;
        case 0xC4: r = jpeg_parse_dht(p, s); break;
        case 0xDD: r = jpeg_parse_dri(s, &p->restart_interval); break;
        case 0xC0: case 0xC1: case 0xC2:
            if (code != 0xC0 && !p->header_pending) {
                r = jpeg_skip_segment(s);   // the frame is known already
                break;
            }
            r = frame_step(p);
            if (r == 1) return 0;
            break;
        case 0xDA:
            r = scan_step(p);
            if (r == 1) return 0;
            if (r == kStepped) return JPEG_INTERRUPT_SUCCESS;
            break;
        case 0xD9:
            if (header_op) return 0;
            if (p->header_pending) {
                // A tables stream may be followed by the image itself.
                if (jpeg_read_marker(s, &code) < 0 || code != 0xD8) return JPEG_ERR_NO_IMAGE;
                p->restart_interval = 0;
                break;
            }
            // The stand-in end marker of data that ran out, or an end marker
            // before every component of a sequential picture came.
            if (s->data_end || (p->progressive_scans == 0 && p->scans_seen > 0)) return data_ended(p);
            return finish_image(p);
        case 0xD0: case 0xD1: case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6: case 0xD7:
            break;
        case 0xC3: case 0xC5: case 0xC6: case 0xC7: case 0xC8: case 0xC9: case 0xCA: case 0xCB:
        case 0xCD: case 0xCE: case 0xCF:
            return JPEG_ERR_UNSUPPORTED_FRAME;
        default:
            r = jpeg_skip_segment(s);
            break;
        }
        if (r < 0 && image_read && p->scans_seen > 0) {
            note_fault(s, s->data_end ? JPEG_ERR_EOF : r);
            return data_ended(p);
        }
        if (r != 0) return r;
    }
}

}  // namespace

// Runs the marker loop; a picture put out whole with damage met on the way
// reports the first fault.
JPEG_RESULT jpeg_decode_stream(JPEG_PROPERTIES* p) {
    const JPEG_RESULT r = decode_markers(p);
    // A stepped read reports its faults when it ends.
    return (r == 0 || r == JPEG_ROI_SUCCESS) && p->stream.fault != 0 ? p->stream.fault : r;
}

}  // namespace velmora
