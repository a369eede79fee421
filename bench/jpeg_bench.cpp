// How quickly small files that declare huge frames are dealt with, through the
// picture loader and through jpeg_read. The decode and encode speed against
// libjpeg-turbo is measured by jpeg_turbo_bench.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "gfx/bild_laden.h"
#include "jpeg/jpeg_lib.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

// Small files that declare huge frames over a few hundred bytes of data: a
// 64 x 48 picture with its frame size raised. Through the picture loader (which
// refuses a side over 4096 as an unreadable size) and as a 1/8 read through
// jpeg_read into a 256 x 256 image: a frame over the codec's sample limit is
// refused at its header, a smaller one decodes the data there are and fills
// only what reaches into the image; the label gives the result codes.
const std::vector<std::pair<std::string, std::vector<uint8_t>>>& huge_frames() {
    static const std::vector<std::pair<std::string, std::vector<uint8_t>>> all = [] {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> v;
        struct Art {
            const char* name;
            bool progressive;
            int restart;
            int w, h;
        } arten[] = {{"65500x65500 baseline", false, 0, 65500, 65500},
                     {"30000x30000 baseline with restarts", false, 2, 30000, 30000},
                     {"4096x4096 progressive", true, 0, 4096, 4096},
                     {"65500x65500 progressive", true, 0, 65500, 65500}};
        for (const Art& a : arten) {
            oracle::Vorgabe s;
            s.width = 64, s.height = 48, s.progressive = a.progressive, s.restart_mcus = a.restart;
            std::vector<uint8_t> d = oracle::encode(s);
            for (size_t i = 2; i + 8 < d.size(); ++i)
                if (d[i] == 0xFF && (d[i + 1] == 0xC0 || d[i + 1] == 0xC2)) {
                    d[i + 5] = uint8_t(a.h >> 8), d[i + 6] = uint8_t(a.h), d[i + 7] = uint8_t(a.w >> 8), d[i + 8] = uint8_t(a.w);
                    break;
                }
            v.push_back({std::string(a.name) + " (" + std::to_string(d.size()) + " bytes)", d});
        }
        return v;
    }();
    return all;
}

void BM_HugeFrame(benchmark::State& state) {
    using namespace velmora;
    const auto& [name, d] = huge_frames()[size_t(state.range(0))];
    const bool loader = state.range(1) == 1;
    std::vector<uint8_t> px(256 * 256 * 3);
    std::vector<uint16_t> bild(256 * 256);
    int32_t result = 0;
    for (auto _ : state) {
        if (loader) {
            int32_t w = 0, h = 0;
            result = Jpeg_Get_Size_Mem(d.data(), int32_t(d.size()), nullptr, &w, &h);
            if (result) result = Jpeg_Load_Mem(d.data(), int32_t(d.size()), bild.data(), 16);
            continue;
        }
        auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
        JPEG_IMAGE_PARAMS* p = holder.get();
        jpeg_init(p);
        p->stream_data = d.data();
        p->stream_size = int32_t(d.size());
        result = jpeg_read(p, JPEG_OP_PARAMS_MEM);
        if (result == 0) {
            p->image_data = px.data();
            p->image_width = p->image_height = 256;
            p->image_channels = 3;
            p->image_color = JPEG_COLOR_RGB;
            result = jpeg_read(p, JPEG_OP_EIGHTH_MEM);
        }
        jpeg_free(p);
        benchmark::ClobberMemory();
    }
    state.SetLabel(name + (loader ? ": picture loader, result " : ": 1/8 read, result ") + std::to_string(result));
}

}  // namespace

BENCHMARK(BM_HugeFrame)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
