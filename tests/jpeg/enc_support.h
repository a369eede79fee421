// tests/jpeg/enc_support.h - helpers of the encoder tests: an encode through
// jpeg_write into memory, and libjpeg-turbo used from the outside as the oracle
// decoder (counting its warnings) and as the reader of quantised coefficients.
// Include after the codec's headers.
#pragma once
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <memory>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace enc {

struct Setup {
    int width = 40, height = 24;
    int channels = 3;
    int32_t image_color = velmora::JPEG_COLOR_RGB;
    int32_t stream_color = velmora::JPEG_COLOR_YCBCR;
    int32_t stream_channels = 3;
    int32_t sampling = velmora::JPEG_SAMPLING_420;
    int32_t quality = 75;
    uint32_t transform = 1;
    uint32_t progressive = 0;
    uint32_t restart = 0;
    int32_t cpu_class = -1;          // -1: the detected class
    int32_t pad = 0;
};

using Params = std::unique_ptr<velmora::JPEG_IMAGE_PARAMS, void (*)(velmora::JPEG_IMAGE_PARAMS*)>;

inline Params make_params(const Setup& s, const std::vector<uint8_t>& px, std::vector<uint8_t>& out) {
    using namespace velmora;
    Params p(new JPEG_IMAGE_PARAMS(), [](JPEG_IMAGE_PARAMS* q) {
        jpeg_free(q);
        delete q;
    });
    jpeg_init(p.get());
    if (s.cpu_class >= 0) jpeg_fill_kernels(p->props.stream.environment, s.cpu_class);
    p->image_data = const_cast<uint8_t*>(px.data());
    p->image_width = s.width;
    p->image_height = s.height;
    p->image_channels = s.channels;
    p->image_color = s.image_color;
    p->image_pad_bytes = s.pad;
    p->stream_width = s.width;
    p->stream_height = s.height;
    p->stream_channels = s.stream_channels;
    p->stream_color = s.stream_color;
    p->stream_sampling = s.sampling;
    p->quality = s.quality;
    p->props.idct_kind = s.transform;
    p->props.progressive_scans = s.progressive;
    p->props.restart_interval = s.restart;
    out.assign(size_t(s.width) * s.height * 4 + 100000, 0);
    p->stream_data = out.data();
    p->stream_size = int32_t(out.size());
    return p;
}

// Encodes into memory; the bytes written, empty with *result set on failure.
inline std::vector<uint8_t> encode(const Setup& s, const std::vector<uint8_t>& px, int32_t* result = nullptr) {
    std::vector<uint8_t> out;
    Params p = make_params(s, px, out);
    const int32_t r = velmora::jpeg_write(p.get(), velmora::JPEG_OP_WRITE_IMAGE_MEM);
    if (result) *result = r;
    if (r != 0) return {};
    out.resize(size_t(p->stream_size));
    return out;
}

struct Decoded {
    bool ok = false;
    int warnings = 0;
    oracle::Image image;
};

inline void count_warning(j_common_ptr c, int level) {
    if (level < 0) ++c->err->num_warnings;
}

// Decodes with libjpeg-turbo as RGB (gray stays gray), counting warnings.
inline Decoded oracle_decode(const std::vector<uint8_t>& data) {
    Decoded d;
    jpeg_decompress_struct c;
    oracle::ErrorMgr err;
    c.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = oracle::on_error;
    err.pub.emit_message = count_warning;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&c);
        return d;
    }
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&c, TRUE);
    c.dct_method = JDCT_ISLOW;
    c.do_fancy_upsampling = FALSE;
    if (c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK) c.out_color_space = JCS_CMYK;
    else if (c.jpeg_color_space != JCS_GRAYSCALE && c.num_components == 3) c.out_color_space = JCS_RGB;
    jpeg_start_decompress(&c);
    d.image.width = int(c.output_width);
    d.image.height = int(c.output_height);
    d.image.channels = c.output_components;
    d.image.px.resize(size_t(d.image.width) * d.image.height * d.image.channels);
    while (c.output_scanline < c.output_height) {
        JSAMPROW row = d.image.px.data() + size_t(c.output_scanline) * d.image.width * d.image.channels;
        jpeg_read_scanlines(&c, &row, 1);
    }
    jpeg_finish_decompress(&c);
    d.warnings = int(err.pub.num_warnings);
    jpeg_destroy_decompress(&c);
    d.ok = true;
    return d;
}

// Every quantised coefficient of every component, block row by block row.
inline std::vector<std::vector<int16_t>> oracle_coefficients(const std::vector<uint8_t>& data) {
    std::vector<std::vector<int16_t>> out;
    jpeg_decompress_struct c;
    oracle::ErrorMgr err;
    c.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = oracle::on_error;
    err.pub.emit_message = oracle::quiet;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&c);
        return {};
    }
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&c, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&c);
    for (int ci = 0; ci < c.num_components; ++ci) {
        const jpeg_component_info& comp = c.comp_info[ci];
        std::vector<int16_t> v;
        for (JDIMENSION row = 0; row < comp.height_in_blocks; ++row) {
            JBLOCKARRAY rows = c.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&c), arrays[ci], row, 1, FALSE);
            for (JDIMENSION b = 0; b < comp.width_in_blocks; ++b)
                for (int k = 0; k < 64; ++k) v.push_back(rows[0][b][k]);
        }
        out.push_back(std::move(v));
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    return out;
}

inline double psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double se = 0;
    for (size_t i = 0; i < a.size(); ++i) se += double(int(a[i]) - int(b[i])) * (int(a[i]) - int(b[i]));
    if (se == 0) return 99;
    return 10 * std::log10(255.0 * 255.0 * double(a.size()) / se);
}

}  // namespace enc
