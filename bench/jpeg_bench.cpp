// Decode speed of the codec against libjpeg-turbo (integer DCT, no smoothing
// up-sampling) on the same in-memory pictures: 800x600 and 2048x1536, 4:2:0 q75
// baseline and 4:4:4 q90 progressive. Five runners per picture: this codec at
// the probed processor class and at class 0 (plain routines), the peer with the
// SIMD it picks itself, with SSE2 only (JSIMD_FORCESSE2) and without SIMD
// (JSIMD_FORCENONE). The peer reads those variables once per thread, so its
// forced runs decode in a fresh thread started while the variable is set. The
// ratios are printed at the end: best class against the peer's own SIMD and
// against its SSE2, class 0 against the peer without SIMD.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gfx/bild_laden.h"
#include "jpeg/jpeg_env.h"
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
            oracle::Vorgabe base;
            base.width = w, base.height = h, base.quality = 75, base.h0 = 2, base.v0 = 2;
            v.push_back({std::to_string(w) + "x" + std::to_string(h) + " 4:2:0 q75 baseline", w, h, oracle::encode(base)});
            oracle::Vorgabe prog = base;
            prog.quality = 90, prog.h0 = 1, prog.v0 = 1, prog.progressive = true;
            v.push_back({std::to_string(w) + "x" + std::to_string(h) + " 4:4:4 q90 progressive", w, h, oracle::encode(prog)});
        }
        return v;
    }();
    return all;
}

enum Runner { kBest, kPlain, kPeerSimd, kPeerSse2, kPeerNone, kRunners };
const char* const kRunnerName[kRunners] = {"velmora best class", "velmora class 0", "libjpeg-turbo SIMD",
                                           "libjpeg-turbo SSE2", "libjpeg-turbo no SIMD"};
std::map<std::string, double> g_mpps[kRunners];

// cpu_class -1 keeps the class the environment probed.
void decode_velmora(const Picture& pic, std::vector<uint8_t>& px, int cpu_class) {
    using namespace velmora;
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    jpeg_init(p);
    if (cpu_class >= 0) jpeg_fill_kernels(p->props.stream.environment, cpu_class);
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

// One peer decode in a new thread that sees `variable` set, timed inside it.
double peer_forced(const Picture& pic, const char* variable) {
    double seconds = 0;
    ::setenv(variable, "1", 1);
    std::thread t([&] {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(oracle::decode(pic.jpg).px.data());
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    });
    t.join();
    ::unsetenv(variable);
    return seconds;
}

void BM_Decode(benchmark::State& state) {
    const Picture& pic = pictures()[size_t(state.range(0))];
    const auto runner = Runner(state.range(1));
    std::vector<uint8_t> px(size_t(pic.width) * pic.height * 3);
    double seconds = 0;
    for (auto _ : state) {
        double took = 0;
        auto t0 = std::chrono::steady_clock::now();
        switch (runner) {
        case kBest: decode_velmora(pic, px, -1); break;
        case kPlain: decode_velmora(pic, px, 0); break;
        case kPeerSimd: benchmark::DoNotOptimize(oracle::decode(pic.jpg).px.data()); break;
        case kPeerSse2: took = peer_forced(pic, "JSIMD_FORCESSE2"); break;
        default: took = peer_forced(pic, "JSIMD_FORCENONE"); break;
        }
        if (took == 0) took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(took);
        seconds += took;
        benchmark::ClobberMemory();
    }
    const double mp = double(pic.width) * pic.height / 1e6;
    state.counters["MP/s"] = benchmark::Counter(mp * double(state.iterations()), benchmark::Counter::kIsRate);
    g_mpps[runner][pic.name] = mp * double(state.iterations()) / seconds;
    state.SetLabel(std::string(kRunnerName[runner]) + " " + pic.name);
}

// Small files that declare huge frames over a few hundred bytes of data: a
// 64 x 48 picture with its frame size raised. Through the picture loader (which
// refuses a side over 4096 as an unreadable size) and as a 1/8 read through
// jpeg_read into a 256 x 256 image, which decodes the data there are and fills
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
BENCHMARK(BM_Decode)->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3, 4}})->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("velmora runs at processor class %d\n", velmora::jpeg_detect_cpu(nullptr));
    auto rate = [](int runner, const std::string& name) {
        auto it = g_mpps[runner].find(name);
        return it == g_mpps[runner].end() ? 0.0 : it->second;
    };
    for (const auto& pic : pictures()) {
        const double best = rate(kBest, pic.name), plain = rate(kPlain, pic.name);
        const double simd = rate(kPeerSimd, pic.name), sse2 = rate(kPeerSse2, pic.name), none = rate(kPeerNone, pic.name);
        if (best == 0 || plain == 0 || simd == 0 || sse2 == 0 || none == 0) continue;
        std::printf("%-36s best %7.1f / peer SIMD %7.1f = %.2f   best / peer SSE2 %7.1f = %.2f   "
                    "class 0 %7.1f / peer no SIMD %7.1f = %.2f\n",
                    pic.name.c_str(), best, simd, best / simd, sse2, best / sse2, plain, none, plain / none);
    }
    benchmark::Shutdown();
    return 0;
}
