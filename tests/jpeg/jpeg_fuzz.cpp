// libFuzzer target: jpeg_read over arbitrary bytes at a processor class 0 to 6
// taken from the input, from memory or from a file, a parameters read and then
// a whole, half, quarter or eighth-size read into an image of the size
// announced, in RGB, BGR, RGBA or gray, upside down or not, of the whole
// picture or of a region taken from the input, with the smoothed up-sampling,
// step by step, or into component planes. The codec's own sample limit is set
// to 65,536 samples: larger frames are refused at their header, so no input
// costs more than a small picture's decode (extreme sides still pass, 65535 x 1).
// Seeds are written into an empty corpus directory at start-up by the system's
// libjpeg-turbo, used from the outside only.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

constexpr uint64_t kSampleLimit = 1u << 16;

void write_seeds(const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(dir, ec) || !fs::is_empty(dir, ec)) return;
    int n = 0;
    auto put = [&](const oracle::Vorgabe& s) {
        std::vector<uint8_t> d = oracle::encode(s);
        std::ofstream(dir + "/seed" + std::to_string(n++) + ".jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(d.data()), std::streamsize(d.size()));
    };
    oracle::Vorgabe s;
    s.width = 21, s.height = 17, s.quality = 50;
    put(s);
    s.progressive = true;
    put(s);
    s.progressive = false, s.restart_mcus = 2, s.h0 = 2, s.v0 = 1;
    put(s);
    s.restart_mcus = 0, s.space = oracle::Space::Gray;
    put(s);
    s.space = oracle::Space::Ycck, s.h0 = 1, s.v0 = 1;
    put(s);
    s.space = oracle::Space::YCbCr, s.separate_scans = true, s.h0 = 2, s.v0 = 2;
    put(s);
    // Small files whose frame headers declare 65535 x 65535, 4:2:0 and 4:4:4:
    // refused at the header by the sample limit.
    for (int factor : {2, 1}) {
        oracle::Vorgabe v;
        v.width = v.height = 16, v.quality = 50, v.h0 = v.v0 = factor;
        std::vector<uint8_t> d = oracle::encode(v);
        for (size_t i = 2; i + 8 < d.size(); ++i)
            if (d[i] == 0xFF && d[i + 1] == 0xC0) {
                std::fill(d.begin() + ptrdiff_t(i) + 5, d.begin() + ptrdiff_t(i) + 9, uint8_t(0xFF));
                break;
            }
        std::ofstream(dir + "/seed" + std::to_string(n++) + ".jpg", std::ios::binary)
            .write(reinterpret_cast<const char*>(d.data()), std::streamsize(d.size()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The first directory is the one the run writes into; the build's seeds lie beside it.
    for (int i = 1; i < *argc; ++i)
        if ((*argv)[i][0] != '-') {
            write_seeds((*argv)[i]);
            break;
        }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    if (size == 0 || size > (1u << 20)) return 0;
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    if (jpeg_init(p) != 0) {
        jpeg_free(p);
        return 0;
    }
    p->props.stream.environment->max_samples = kSampleLimit;
    // Every processor class's kernels, picked by the input.
    jpeg_fill_kernels(p->props.stream.environment, data[size / 5] % 7);
    // One input byte in three picks a file read: the bytes go through a file of this process.
    const bool file = data[size / 7] % 3 == 0;
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("velmora_jpeg_fuzz_" + std::to_string(::getpid()))).string();
    if (file) {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), std::streamsize(size));
        p->stream_file = path.c_str();
    } else {
        p->stream_data = data;
        p->stream_size = int32_t(size);
    }
    if (jpeg_read(p, file ? JPEG_OP_PARAMS_FILE : JPEG_OP_PARAMS_MEM) == 0 && p->stream_width > 0 &&
        p->stream_height > 0) {
        const int ops[] = {JPEG_OP_IMAGE_MEM, JPEG_OP_HALF_MEM, JPEG_OP_QUARTER_MEM, JPEG_OP_EIGHTH_MEM};
        const int scale = data[size - 1] % 4;
        const int op = ops[scale] - (file ? 1 : 0);   // each file operation is the memory one minus 1
        const int colour = data[size / 2] % 4;
        const int ch = colour == 3 ? 1 : (p->image_channels == 4 || colour == 2) ? 4 : 3;
        // The picture at the read's scale, or a region of it given by four input bytes.
        int32_t w = (p->stream_width + (1 << scale) - 1) >> scale, h = (p->stream_height + (1 << scale) - 1) >> scale;
        if (size > 16 && data[size / 11] % 4 == 0) {
            const int32_t l = data[size / 13] % w, t = data[size / 17] % h;
            p->props.region = {l, t, l + 1 + data[size / 19] % (w - l), t + 1 + data[size / 23] % (h - t)};
            w = p->props.region.right - l, h = p->props.region.bottom - t;
        }
        std::vector<uint8_t> px(size_t(w) * size_t(h) * ch);
        p->image_data = px.data();
        p->image_width = w;
        p->image_height = (data[0] & 1) ? -h : h;
        p->image_channels = ch;
        const JPEG_COLOR colours[] = {JPEG_COLOR_RGB, JPEG_COLOR_BGR, JPEG_COLOR_RGBA, JPEG_COLOR_GRAY};
        p->image_color = colours[colour];
        p->props.idct_kind = data[size / 3] & 1;
        // The low-level modes, picked by the input: the smoothed up-sampling,
        // step mode (the read called again while it answers 1), both, or
        // component planes (samples or coefficients) instead of pixels.
        const int mode = size > 29 ? data[size / 29] % 8 : 0;
        std::vector<int16_t> planes[4];
        JPEG_COMPONENT_PLANES cp{};
        if (mode == 2 || mode == 4) p->props.smooth_upsampling = 1;
        if (mode == 3) p->props.component_row_mode = 1;
        if (mode == 5 || mode == 6) {
            const JPEG_FRAME& f = p->props.frame;
            cp.samples = mode == 6;
            for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) {
                const size_t blocks = size_t(f.mcus_per_row) * f.components[i].h * f.mcu_rows * f.components[i].v;
                if (blocks > (1u << 16)) continue;
                planes[i].resize(blocks * 64);
                cp.plane[i] = planes[i].data();
                cp.capacity[i] = blocks;
            }
            p->props.component_planes = &cp;
        }
        const bool step = mode == 4 || mode == 7;
        int calls = 0;
        do p->props.mcu_step = step ? 1 : 0;
        while (jpeg_read(p, op) == JPEG_INTERRUPT_SUCCESS && ++calls < (1 << 18));
    }
    jpeg_free(p);
    if (file) std::remove(path.c_str());
    return 0;
}
