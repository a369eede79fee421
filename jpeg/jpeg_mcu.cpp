// jpeg/jpeg_mcu.cpp
#include "jpeg/jpeg_mcu.h"

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

}  // namespace

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
    if (cc && us) {
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
        if (n == 3 && ch == 3 && !bgr && s420) set(jpeg_out_copy3_h2v2, 16);
        else if (n == 3 && ch == 3 && !bgr && s422) set(jpeg_out_copy3_h2v1, 17);
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

JPEG_RESULT jpeg_decode_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, uint32_t divisor, bool fine) {
    JPEG_KERNELS& k = p->stream.environment->k;
    const JPEG_FRAME& f = p->frame;
    const int slot = divisor == 1 ? 0 : divisor == 2 ? 1 : divisor == 4 ? 2 : 3;
    const bool separate = p->non_interleaved && p->progressive_scans == 0 && p->scan;
    const bool single = separate && p->scan->ns == 1;
    const JpegQuantFn fused = jpeg_fused_transform(k, divisor);
    // Walk the MCU's components in block order.
    uint32_t idx[4], n = 0;
    if (separate) {
        for (uint32_t i = 0; i < p->scan->ns && i < 4; ++i) idx[n++] = p->scan->components[i].index;
    } else {
        for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) idx[n++] = i;
    }
    for (uint32_t i = 0; i < n; ++i) {
        const JPEG_COMPONENT& c = f.components[idx[i]];
        uint32_t first = 0;
        if (!single)
            for (uint32_t j = 0; j < idx[i]; ++j) first += f.components[j].h * f.components[j].v;
        const uint32_t count = single ? 1 : c.h * c.v;
        int16_t* blocks = p->work_blocks + first * 64;
        if (fused) {
            const uint16_t* q = p->quant[c.tq & 3].values;
            for (uint32_t b = 0; b < count; ++b) fused(blocks + b * 64, q);
            continue;
        }
        JpegBlockFn t = k.idct_in_use[slot];
        if (divisor != 1 && fine && c.h * c.v == 1) t = k.idct_in_use[slot - 1];
        for (uint32_t b = 0; b < count; ++b) t(blocks + b * 64);
    }
    if (divisor == 1) {
        if (k.mcu_output) k.mcu_output(p, col, row);
    } else {
        jpeg_output_scaled_mcu(p, col, row, int32_t(8 / divisor), fine);
    }
    return 0;
}

}  // namespace velmora
