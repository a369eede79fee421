// Decode speed of the codec against libjpeg-turbo (integer DCT, no smoothing
// up-sampling) on the same in-memory pictures: 800x600 and 2048x1536, 4:2:0 q75
// baseline and 4:4:4 q90 progressive. Reports megapixels per second and, at the
// end, the ratio of the two for each picture.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "jpeg/jpeg_lib.h"
#include "tests/jpeg/jpeg_oracle.h"

namespace {

struct Picture {
    std::string name;
    int width, height;
    std::vector<uint8_t> jpg;
};

const std::vector<Picture>& pictures() {
    static const std::vector<Picture> all = [] {
        std::vector<Picture> v;
        for (auto [w, h] : {std::pair{800, 600}, std::pair{2048, 1536}}) {
            oracle::Spec base;
            base.width = w, base.height = h, base.quality = 75, base.h0 = 2, base.v0 = 2;
            v.push_back({std::to_string(w) + "x" + std::to_string(h) + " 4:2:0 q75 baseline", w, h, oracle::encode(base)});
            oracle::Spec prog = base;
            prog.quality = 90, prog.h0 = 1, prog.v0 = 1, prog.progressive = true;
            v.push_back({std::to_string(w) + "x" + std::to_string(h) + " 4:4:4 q90 progressive", w, h, oracle::encode(prog)});
        }
        return v;
    }();
    return all;
}

std::map<std::string, double> g_mpps[2];   // [0] this codec, [1] the peer

void decode_velmora(const Picture& pic, std::vector<uint8_t>& px) {
    using namespace velmora;
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    jpeg_init(p);
    p->stream_data = pic.jpg.data();
    p->stream_size = int32_t(pic.jpg.size());
    jpeg_read(p, JPEG_OP_PARAMS_MEM);
    p->image_data = px.data();
    p->image_width = p->stream_width;
    p->image_height = p->stream_height;
    p->image_channels = 3;
    p->image_color = JPEG_COLOR_RGB;
    if (jpeg_read(p, JPEG_OP_IMAGE_MEM) != 0) std::abort();
    jpeg_free(p);
}

void BM_Decode(benchmark::State& state) {
    const Picture& pic = pictures()[size_t(state.range(0))];
    const bool peer = state.range(1) != 0;
    std::vector<uint8_t> px(size_t(pic.width) * pic.height * 3);
    double seconds = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        if (peer) benchmark::DoNotOptimize(oracle::decode(pic.jpg).px.data());
        else decode_velmora(pic, px);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        benchmark::ClobberMemory();
    }
    const double mp = double(pic.width) * pic.height / 1e6;
    state.counters["MP/s"] = benchmark::Counter(mp * double(state.iterations()), benchmark::Counter::kIsRate);
    g_mpps[peer ? 1 : 0][pic.name] = mp * double(state.iterations()) / seconds;
    state.SetLabel((peer ? "libjpeg-turbo " : "velmora ") + pic.name);
}

}  // namespace

BENCHMARK(BM_Decode)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    for (const auto& pic : pictures()) {
        auto a = g_mpps[0].find(pic.name), b = g_mpps[1].find(pic.name);
        if (a == g_mpps[0].end() || b == g_mpps[1].end()) continue;
        std::printf("%-36s velmora %7.1f MP/s  libjpeg-turbo %7.1f MP/s  ratio %.2f\n", pic.name.c_str(), a->second,
                    b->second, a->second / b->second);
    }
    benchmark::Shutdown();
    return 0;
}
