// jpeg/jpeg_lib.cpp
#include "jpeg/jpeg_lib.h"

#include <cstdlib>
#include <new>

#include "jpeg/jpeg_decode.h"
#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_idct.h"
#include "jpeg/jpeg_mcu.h"
#include "jpeg/jpeg_scan.h"

namespace velmora {
namespace {

const JPEG_LIB_VERSION g_version = {2, 10, 3, "vjpeg2l.lib", "2.10.3", "[2.10.3.17]", "Mar 12 2002", "Velmora*"};

bool is_file_operation(int32_t op) { return (op & 1) == 0; }
bool is_header_operation(int32_t op) { return op == 0 || op == 1 || op == 4 || op == 5 || op == 20 || op == 21; }
bool is_write_operation(int32_t op) { return op >= 8 && op <= 13; }
bool moves_pixels(int32_t op) { return op == 2 || op == 3 || op == 6 || op == 7 || (op >= 8 && op <= 9) || op == 12 || op == 13 || op >= 14; }

// The stream sides a read may decode into each image side.
bool read_pair_ok(int32_t sc, int32_t sn, int32_t ic, int32_t in) {
    auto img = [&](int32_t c, int32_t n) { return ic == c && in == n; };
    if (sc == JPEG_COLOR_GRAY && sn == 1)
        return img(JPEG_COLOR_GRAY, 1) || img(JPEG_COLOR_RGB, 3) || img(JPEG_COLOR_BGR, 3) || img(JPEG_COLOR_RGBA, 4);
    if (sc == JPEG_COLOR_RGB && sn == 3) return img(JPEG_COLOR_RGB, 3) || img(JPEG_COLOR_BGR, 3) || img(JPEG_COLOR_RGBA, 4);
    if (sc == JPEG_COLOR_YCBCR && sn == 3)
        return img(JPEG_COLOR_GRAY, 1) || img(JPEG_COLOR_RGB, 3) || img(JPEG_COLOR_BGR, 3) || img(JPEG_COLOR_RGBA, 4) ||
               ic == JPEG_COLOR_YCBCR;
    if ((sc == JPEG_COLOR_RGBA || sc == JPEG_COLOR_YCBCRA) && sn == 4) return img(JPEG_COLOR_RGBA, 4);
    if (sc == JPEG_COLOR_OTHER) return ic == JPEG_COLOR_OTHER;
    return false;
}

bool write_pair_ok(int32_t ic, int32_t in, int32_t sc, int32_t sn, int32_t image_channels) {
    auto str = [&](int32_t c, int32_t n) { return sc == c && sn == n; };
    if (ic == JPEG_COLOR_GRAY && in == 1) return str(JPEG_COLOR_GRAY, 1) || str(JPEG_COLOR_YCBCR, 3);
    if ((ic == JPEG_COLOR_RGB || ic == JPEG_COLOR_BGR) && in == 3)
        return str(JPEG_COLOR_GRAY, 1) || str(JPEG_COLOR_RGB, 3) || str(JPEG_COLOR_YCBCR, 3);
    if (ic == JPEG_COLOR_RGB && in == 4) return str(JPEG_COLOR_YCBCR, 3);
    if (ic == JPEG_COLOR_RGBA && in == 4) return str(JPEG_COLOR_RGBA, 4) || str(JPEG_COLOR_YCBCRA, 4);
    if (ic == JPEG_COLOR_YCBCR && in == 3) return str(JPEG_COLOR_YCBCR, 3);
    if (ic == JPEG_COLOR_OTHER) return sc == JPEG_COLOR_OTHER && sn <= image_channels;
    return false;
}

void close_file(JPEG_PROPERTIES* p) {
    if (p->stream.file >= 0) jpeg_file_close(p->stream.file);
    p->stream.file = -1;
}

// The JPEG_SAMPLING code whose factors the frame has exactly.
int32_t sampling_code(const JPEG_FRAME& f) {
    if (f.ncomps <= 1) return JPEG_SAMPLING_444;
    const JPEG_COMPONENT* c = f.components;
    bool all1 = true;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) all1 = all1 && c[i].h == 1 && c[i].v == 1;
    if (all1) return JPEG_SAMPLING_444;
    const bool chroma1 = f.ncomps >= 3 && c[1].h == 1 && c[1].v == 1 && c[2].h == 1 && c[2].v == 1;
    if (f.ncomps == 3 && chroma1) {
        if (c[0].h == 2 && c[0].v == 2) return JPEG_SAMPLING_420;
        if (c[0].h == 2 && c[0].v == 1) return JPEG_SAMPLING_422;
    }
    if (f.ncomps == 4 && chroma1 && c[0].h == c[3].h && c[0].v == c[3].v) {
        if (c[0].h == 2 && c[0].v == 2) return JPEG_SAMPLING_4_420;
        if (c[0].h == 2 && c[0].v == 1) return JPEG_SAMPLING_4_422;
    }
    return JPEG_SAMPLING_OTHER;
}

// Caller tables for abbreviated streams, built before a pixel read.
JPEG_RESULT load_caller_tables(JPEG_PROPERTIES* p) {
    if (p->caller_quant_flag) {
        for (uint32_t i = 0; i < 4; ++i) {
            const JPEG_CALLER_QUANT& e = p->caller_quant[i];
            if (!e.values) continue;
            JPEG_QUANT_TABLE& q = p->quant[i];
            q.precision = e.precision;
            q.id = i;
            for (int j = 0; j < 64; ++j) q.values[j] = e.values[j];
            if (p->idct_kind == 1) jpeg_dequant_prepare_int(q.values);
            else jpeg_dequant_prepare_aan(q.values);
            p->quant_defined |= 1u << i;
        }
    }
    if (p->caller_huff_flag) {
        for (const JPEG_CALLER_HUFF& e : p->caller_huff) {
            if (!e.counts || !e.values) continue;
            if (e.table_class > 1 || e.id > 3) return JPEG_ERR_BAD_HUFFMAN;
            JPEG_HUFF_DECODE_TABLE* t = e.table_class == 0 ? &p->dc_tables[e.id] : &p->ac_tables[e.id];
            if (jpeg_build_huffman_table(e.counts, e.values, e.table_class, e.id, t) != 0) return JPEG_ERR_BAD_HUFFMAN;
            (e.table_class == 0 ? p->dc_defined : p->ac_defined) |= 1u << e.id;
        }
    }
    return 0;
}

}  // namespace

JPEG_RESULT jpeg_init(JPEG_IMAGE_PARAMS* params) {
    if (!params) return JPEG_ERR_PARAMS;
    *params = JPEG_IMAGE_PARAMS{};
    JPEG_PROPERTIES* p = &params->props;
    p->stream.file = -1;
    auto* env = new (std::nothrow) JPEG_ENVIRONMENT();
    if (!env) return JPEG_ERR_MEMORY;
    p->stream.environment = env;
    jpeg_setup_environment(env);
    params->image_channels = 3;
    params->image_color = JPEG_COLOR_BGR;
    params->stream_channels = 3;
    params->stream_color = JPEG_COLOR_YCBCR;
    params->stream_sampling = JPEG_SAMPLING_420;
    params->convert_color = 1;
    params->upsample = 1;
    params->quality = 75;
    p->operation = -1;
    p->idct_kind = 1;
    p->image_channels = params->image_channels;
    p->image_color = params->image_color;
    p->stream_channels = params->stream_channels;
    p->stream_color = params->stream_color;
    p->stream_sampling = params->stream_sampling;
    p->convert_color = params->convert_color;
    p->upsample = params->upsample;
    p->quality = params->quality;
    p->header_pending = 1;
    p->cpu_class = p->cpu_class_copy = env->cpu_class;
    p->jfif_version = 0x0101;
    p->jfif_xdensity = p->jfif_ydensity = 1;
    p->adobe_version = 100;
    p->frame.components = new (std::nothrow) JPEG_COMPONENT[4]();
    if (!p->frame.components) return JPEG_ERR_MEMORY;
    p->frame.ncomps = 4;
    for (int i = 1; i < 4; ++i) p->frame.components[i].tq = 1;
    return 0;
}

JPEG_RESULT jpeg_free(JPEG_IMAGE_PARAMS* params) {
    if (!params) return JPEG_ERR_PARAMS;
    JPEG_PROPERTIES* p = &params->props;
    close_file(p);
    delete[] p->frame.components;
    p->frame.components = nullptr;
    p->frame.ncomps = 0;
    std::free(p->coefficients);
    p->coefficients = nullptr;
    p->coefficient_bytes = 0;
    jpeg_smoothing_free(p);
    jpeg_region_index_free(p);
    delete[] p->work_blocks;
    p->work_blocks = nullptr;
    p->work_block_count = 0;
    jpeg_free_scan(p);
    jpeg_encoder_free(p);
    for (auto& e : p->caller_quant) e = {};
    for (auto& e : p->caller_huff) e = {};
    p->caller_quant_flag = p->caller_huff_flag = 0;
    p->quant_count = p->dc_count = p->ac_count = 0;
    if (p->stream.environment) {
        jpeg_release_environment(p->stream.environment);
        delete p->stream.environment;
        p->stream.environment = nullptr;
    }
    return 0;
}

JPEG_RESULT jpeg_check_params(JPEG_IMAGE_PARAMS* params) {
    if (!params) return JPEG_ERR_PARAMS;
    if (params->use_low_level) return 0;
    const JPEG_PROPERTIES* p = &params->props;
    const int32_t op = p->operation;
    if (op < 0 || op > 21) return JPEG_ERR_PARAMS;
    if (moves_pixels(op) && !p->component_planes) {
        if (!params->image_data) return JPEG_ERR_PARAMS;
        if (params->image_width < 1 || params->image_width > 65535) return JPEG_ERR_PARAMS;
        if (params->image_height < -65535 || params->image_height > 65535) return JPEG_ERR_PARAMS;
        if ((op == 20 || op == 21) && params->image_color != JPEG_COLOR_RGB && params->image_color != JPEG_COLOR_BGR)
            return JPEG_ERR_THUMB_COLOR;
        if (params->image_pad_bytes < 0) return JPEG_ERR_PARAMS;
        if (params->image_channels < 1 || params->image_channels > 255) return JPEG_ERR_PARAMS;
        if (params->image_sampling != 0 &&
            (params->image_sampling != 2 || params->image_color != JPEG_COLOR_YCBCR))
            return JPEG_ERR_SUBSAMPLING;
    }
    if (is_file_operation(op)) {
        if (!params->stream_file) return JPEG_ERR_PARAMS;
    } else if (!params->stream_data || params->stream_size <= 0) {
        return JPEG_ERR_PARAMS;   // a negative size would read far past the block
    }
    if (params->stream_channels < 1 || params->stream_channels > 256) return JPEG_ERR_PARAMS;
    const int32_t sc = params->stream_color, sn = params->stream_channels;
    const int32_t ic = params->image_color, in = params->image_channels;
    if (is_write_operation(op)) {
        if (op == 8 || op == 9 || op == 12 || op == 13) {
            if (params->stream_width < 1 || params->stream_width > 65535) return JPEG_ERR_PARAMS;
            if (params->stream_height < 1 || params->stream_height > 65535) return JPEG_ERR_PARAMS;
            if (sn > in && ic != JPEG_COLOR_GRAY && sc != JPEG_COLOR_YCBCR) return JPEG_ERR_PARAMS;
        }
        const int32_t ss = params->stream_sampling;
        const bool fits = sn == 3 ? (ss == 0 || ss == 1 || ss == 2) : sn == 4 ? (ss == 0 || ss == 3 || ss == 4) : ss == 0;
        if (!fits) return JPEG_ERR_SUBSAMPLING;
        if (!write_pair_ok(ic, in, sc, sn, in)) return JPEG_ERR_PARAMS;
    } else if (!read_pair_ok(sc, sn, ic, in)) {
        return JPEG_ERR_PARAMS;
    }
    if (p->idct_kind > 1) return JPEG_ERR_PARAMS;
    // The planes take the blocks before any up-sampling: no filter to run.
    if (p->component_planes && (p->component_row_mode == 1 || p->smooth_upsampling == 1)) return JPEG_ERR_PARAMS;
    return 0;
}

JPEG_RESULT jpeg_read(JPEG_IMAGE_PARAMS* params, int32_t operation) {
    if (!params || !params->props.stream.environment) return JPEG_ERR_PARAMS;
    JPEG_PROPERTIES* p = &params->props;
    JPEG_STREAM* s = &p->stream;
    p->operation = operation;
    JPEG_RESULT r = jpeg_check_params(params);
    if (r == 0 && (operation < 0 || operation > 21 || is_write_operation(operation))) r = JPEG_ERR_PARAMS;
    if (r == 0 && is_header_operation(operation)) {
        // A header read parses the stream from its SOI: tables and segments of an
        // earlier stream no longer count.
        p->header_pending = 1;
        p->quant_defined = p->dc_defined = p->ac_defined = 0;
        p->quant_count = p->quant_ids = p->dc_count = p->ac_count = p->dc_ids = p->ac_ids = 0;
        p->adobe_found = p->jfif_found = 0;
        p->thumb_width = p->thumb_height = 0;
        p->restart_interval = 0;
    }
    if (r == 0 && !is_header_operation(operation)) r = load_caller_tables(p);
    // A memory read reads the block, even when an earlier file read left its file open.
    if (r == 0 && !is_file_operation(operation)) close_file(p);
    if (r == 0 && is_file_operation(operation) && s->file < 0) {
        s->file = jpeg_file_open(params->stream_file, false);
        if (s->file < 0) r = JPEG_ERR_FILE_NAME;
    }
    if (r == 0) {
        if (!params->use_low_level) {
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
            p->stream_color = params->stream_color;
            p->stream_channels = params->stream_channels;
            p->convert_color = params->convert_color;
            p->upsample = params->upsample;
            p->quality = params->quality;
        }
        // The row pitch, negative for a bottom-up image whose first row is the
        // block's last; a pitch beyond 32 bits is refused. A low-level caller's
        // stepped read keeps the image placed by its first call.
        const bool resuming = p->step_pending && p->scan && p->step_operation == operation;
        const int64_t pitch = int64_t(p->image_width) * p->image_channels + p->image_pad_bytes;
        if (pitch > INT32_MAX) r = JPEG_ERR_PARAMS;
        if (!(resuming && params->use_low_level)) p->image_pitch = int32_t(pitch);
        if (p->image_height < 0 && p->image_data && !(resuming && params->use_low_level)) {
            p->image_data += ptrdiff_t(-int64_t(p->image_height) - 1) * pitch;
            p->image_pitch = -p->image_pitch;
        }
        if (s->file < 0) {
            s->start = p->stream_data;
            s->size = uint32_t(p->stream_size > 0 ? p->stream_size : 0);
        }
    }
    if (r == 0) r = jpeg_decode_stream(p);
    if (r == 0) {
        jpeg_settle_stream_color(p);
        if (p->adobe_found && (operation == 0 || operation == 1)) {
            p->image_channels = int32_t(p->frame.ncomps);
            if (p->frame.ncomps == 4) p->image_color = JPEG_COLOR_RGBA;
        }
        if (p->image_color == JPEG_COLOR_YCBCR && p->stream_color == JPEG_COLOR_YCBCR) p->image_sampling = 2;
        // A header read leaves the file at the SOS marker for the image read.
        if ((operation == 0 || operation == 20) && s->file >= 0) {
            const int64_t back = int64_t(s->left) + s->environment->sos_size;
            if (!jpeg_file_seek(s->file, -back, 1)) r = JPEG_ERR_FILE;
        }
        if (!params->use_low_level) {
            params->stream_width = p->stream_width;
            params->stream_height = p->stream_height;
            params->stream_channels = p->stream_channels;
            params->thumb_width = p->thumb_width;
            params->thumb_height = p->thumb_height;
            params->convert_color = p->convert_color;
            params->upsample = p->upsample;
            params->stream_color = p->stream_color;
            params->image_color = p->image_color;
            params->image_channels = p->image_channels;
            params->image_sampling = p->image_sampling;
            params->stream_sampling = sampling_code(p->frame);
        }
    }
    if (s->environment) s->environment->k.simd_exit();
    // Every read but a header read ends with its file closed.
    // A stepped read (1) keeps its file for the next call.
    if (s->file >= 0 && (r < 0 || (operation != 0 && operation != 20 && r != JPEG_INTERRUPT_SUCCESS))) close_file(p);
    return r;
}

const char* jpeg_error_text(JPEG_RESULT code) {
    switch (code) {
    case 2: return "ROI Success";
    case 1: return "Interrupt Success";
    case 0: return "Success";
    case -1: return "Exception detected";
    case -2: return "Invalid Encoder";
    case -3: return "Unsupported subsampling";
    case -4: return "Unsupported bytes per pixel";
    case -5: return "Memory error";
    case -6: return "Bad Huffman table";
    case -7: return "Bad Quantization table";
    case -8: return "Invalid JPEG_PROPERTIES";
    case -9: return "Error close file";
    case -10: return "Invalid file name";
    case -11: return "Error EOF";
    case -12: return "Not supported";
    case -13: return "Not JPEG";
    case -14: return "Error COMP";
    case -15: return "Error SOF";
    case -16: return "Error DNL";
    case -17: return "No Huffman table";
    case -18: return "No Quantization table";
    case -19: return "No frame";
    case -20: return "Multiply frame";
    case -21: return "Data error";
    case -22: return "No image";
    case -23: return "File error";
    case -24: return "Internal error";
    case -25: return "Bad RST marker";
    case -26: return "Thumbnail too small";
    case -27: return "Thumbnail has wrong color";
    case -28: return "Output buffer too small";
    case -29: return "Unsupported frame was found";
    case -30: return "Error access to jpeg_comment buffer";
    case -31: return "Frame too large";
    case -99: return "Reserved";
    default: return "Unknown error code";
    }
}

const JPEG_LIB_VERSION* jpeg_lib_version() { return &g_version; }

}  // namespace velmora
