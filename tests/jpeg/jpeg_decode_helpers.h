// tests/jpeg/jpeg_decode_helpers.h - running the codec the way the picture
// loaders do, and comparing pictures.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"

namespace jtest {

using namespace velmora;

struct Decoded {
    JPEG_RESULT header = 0;
    JPEG_RESULT result = 0;
    int width = 0, height = 0, channels = 0;
    int stream_color = 0, stream_sampling = 0, stream_channels = 0;
    std::vector<uint8_t> px;
};

struct Options {
    int color = JPEG_COLOR_RGB;
    int channels = 3;
    int scale = 1;           // 1, 2, 4, 8
    int pad = 0;
    bool bottom_up = false;
    int idct_kind = 1;
    int cpu_class = -1;      // 0..6 refills the kernel table for that class; -1 as probed
};

inline int op_for(int scale, bool memory) {
    int op = scale == 2 ? JPEG_OP_HALF_FILE : scale == 4 ? JPEG_OP_QUARTER_FILE : scale == 8 ? JPEG_OP_EIGHTH_FILE
                                                                                                : JPEG_OP_IMAGE_FILE;
    return memory ? op + 1 : op;
}

// Parameters read, then the whole image, from a memory block; pixels without pad.
inline Decoded decode(const std::vector<uint8_t>& data, const Options& o = {}) {
    Decoded d;
    auto params = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = params.get();
    if (jpeg_init(p) != 0) {
        d.result = -5;
        return d;
    }
    p->props.idct_kind = uint32_t(o.idct_kind);
    if (o.cpu_class >= 0) jpeg_fill_kernels(p->props.stream.environment, o.cpu_class);
    p->stream_data = data.data();
    p->stream_size = int32_t(data.size());
    d.header = jpeg_read(p, JPEG_OP_PARAMS_MEM);
    if (d.header != 0) {
        d.result = d.header;
        jpeg_free(p);
        return d;
    }
    d.stream_color = p->stream_color;
    d.stream_sampling = p->stream_sampling;
    d.stream_channels = p->stream_channels;
    d.width = (p->stream_width + o.scale - 1) / o.scale;
    d.height = (p->stream_height + o.scale - 1) / o.scale;
    d.channels = o.channels;
    const size_t pitch = size_t(d.width) * o.channels + size_t(o.pad);
    std::vector<uint8_t> block(pitch * size_t(d.height) + 1, 0xCD);
    p->image_data = block.data();
    p->image_width = d.width;
    p->image_height = o.bottom_up ? -d.height : d.height;
    p->image_channels = o.channels;
    p->image_color = o.color;
    p->image_pad_bytes = o.pad;
    d.result = jpeg_read(p, op_for(o.scale, true));
    jpeg_free(p);
    d.px.resize(size_t(d.width) * d.height * o.channels);
    for (int y = 0; y < d.height; ++y) {
        int src_row = o.bottom_up ? d.height - 1 - y : y;
        std::copy_n(block.begin() + ptrdiff_t(src_row * pitch), size_t(d.width) * o.channels,
                    d.px.begin() + ptrdiff_t(size_t(y) * d.width * o.channels));
    }
    if (o.pad > 0 || true) {
        // Pad bytes and the byte after the block must stay untouched.
        for (int y = 0; y < d.height; ++y)
            for (int k = 0; k < o.pad; ++k)
                if (block[size_t(y) * pitch + size_t(d.width) * o.channels + size_t(k)] != 0xCD) d.result = -1000;
        if (block.back() != 0xCD) d.result = -1001;
    }
    return d;
}

struct Diff {
    int max = 0;
    double mean = 0;
    bool same_size = false;
};

inline Diff compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    Diff d;
    d.same_size = a.size() == b.size() && !a.empty();
    if (!d.same_size) return d;
    long long sum = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        int v = std::abs(int(a[i]) - int(b[i]));
        sum += v;
        if (v > d.max) d.max = v;
    }
    d.mean = double(sum) / double(a.size());
    return d;
}

}  // namespace jtest
