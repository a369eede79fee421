// Encode speed of the codec against libjpeg-turbo (integer DCT, standard tables,
// no optimisation for baseline) on the same in-memory RGB pictures: 800x600 and
// 2048x1536, 4:2:0 q75 baseline and 4:4:4 q90 progressive. Reports megapixels per
// second and, at the end, the ratio of the two for each picture.
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
    bool progressive;
    int quality, h0, v0;
    std::vector<uint8_t> px;
};

const std::vector<Picture>& pictures() {
    static const std::vector<Picture> all = [] {
        std::vector<Picture> v;
        for (auto [w, h] : {std::pair{800, 600}, std::pair{2048, 1536}}) {
            const std::string size = std::to_string(w) + "x" + std::to_string(h);
            v.push_back({size + " 4:2:0 q75 baseline", w, h, false, 75, 2, 2, oracle::pattern(w, h, 3, 1)});
            v.push_back({size + " 4:4:4 q90 progressive", w, h, true, 90, 1, 1, oracle::pattern(w, h, 3, 2)});
        }
        return v;
    }();
    return all;
}

std::map<std::string, double> g_mpps[2];   // [0] this codec, [1] the peer

size_t encode_velmora(const Picture& pic, std::vector<uint8_t>& out) {
    using namespace velmora;
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    jpeg_init(p);
    p->image_data = const_cast<uint8_t*>(pic.px.data());
    p->image_width = p->stream_width = pic.width;
    p->image_height = p->stream_height = pic.height;
    p->image_channels = 3;
    p->image_color = JPEG_COLOR_RGB;
    p->stream_sampling = pic.h0 == 2 ? JPEG_SAMPLING_420 : JPEG_SAMPLING_444;
    p->quality = pic.quality;
    p->props.progressive_scans = pic.progressive ? 1 : 0;
    p->stream_data = out.data();
    p->stream_size = int32_t(out.size());
    if (jpeg_write(p, JPEG_OP_WRITE_IMAGE_MEM) != 0) std::abort();
    const size_t n = size_t(p->stream_size);
    jpeg_free(p);
    return n;
}

void BM_Encode(benchmark::State& state) {
    const Picture& pic = pictures()[size_t(state.range(0))];
    const bool peer = state.range(1) != 0;
    std::vector<uint8_t> out(size_t(pic.width) * pic.height * 3 + 65536);
    oracle::Vorgabe vorgabe;
    vorgabe.width = pic.width, vorgabe.height = pic.height, vorgabe.quality = pic.quality;
    vorgabe.h0 = pic.h0, vorgabe.v0 = pic.v0, vorgabe.progressive = pic.progressive;
    double seconds = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        bytes = peer ? oracle::encode(vorgabe, &pic.px).size() : encode_velmora(pic, out);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        benchmark::ClobberMemory();
    }
    const double mp = double(pic.width) * pic.height / 1e6;
    state.counters["MP/s"] = benchmark::Counter(mp * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes"] = double(bytes);
    g_mpps[peer ? 1 : 0][pic.name] = mp * double(state.iterations()) / seconds;
    state.SetLabel((peer ? "libjpeg-turbo " : "velmora ") + pic.name);
}

}  // namespace

BENCHMARK(BM_Encode)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

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
