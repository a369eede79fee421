// libFuzzer target: jpeg_read from memory over arbitrary bytes at a processor
// class 0 to 6 taken from the input, a parameters read and then a whole, a
// half-size or an eighth-size read into an image of the size announced. Seeds are written into an empty corpus directory at start-up
// by the system's libjpeg-turbo, used from the outside only.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

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
    // Every processor class's kernels, picked by the input.
    jpeg_fill_kernels(p->props.stream.environment, data[size / 5] % 7);
    p->stream_data = data;
    p->stream_size = int32_t(size);
    if (jpeg_read(p, JPEG_OP_PARAMS_MEM) == 0 && p->stream_width > 0 && p->stream_height > 0 &&
        int64_t(p->stream_width) * p->stream_height <= (1 << 20)) {
        const int ops[] = {JPEG_OP_IMAGE_MEM, JPEG_OP_HALF_MEM, JPEG_OP_EIGHTH_MEM};
        const int op = ops[data[size - 1] % 3];
        const int ch = p->image_channels == 4 ? 4 : 3;
        std::vector<uint8_t> px(size_t(p->stream_width) * size_t(p->stream_height) * ch);
        p->image_data = px.data();
        p->image_width = p->stream_width;
        p->image_height = (data[0] & 1) ? -p->stream_height : p->stream_height;
        p->image_channels = ch;
        p->image_color = ch == 4 ? JPEG_COLOR_RGBA : (data[size / 2] & 1) ? JPEG_COLOR_BGR : JPEG_COLOR_RGB;
        p->props.idct_kind = data[size / 3] & 1;
        jpeg_read(p, op);
    }
    jpeg_free(p);
    return 0;
}
