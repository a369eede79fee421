// Decode and encode speed of the codec at every processor class against
// libjpeg-turbo called through its TurboJPEG functions, side by side in one run.
//
// Nine pictures made here: 2048x1536 and 800x600 4:2:0 q75 baseline of a
// natural-looking scene (several octaves of value noise with edges), the same
// scene at 2048x1536 4:4:4 q90 progressive, a smooth 2048x1536 4:2:0 q75
// picture (gradients only), and a detailed photograph (the scene with film
// grain, a band of foliage and a page of text) at 2048x1536 4:2:0, 4:2:2 and
// 4:4:4 baseline and 4:2:0 progressive, and a grainy photograph (texture and
// strong grain everywhere) at 2048x1536 4:2:0 q85 progressive. The peer
// writes the streams both decoders read.
//
// Fairness: both sides decode into one RGB buffer allocated once; the peer
// keeps one TurboJPEG handle per thread and reads the whole picture in one
// call (integer DCT, plain up-sampling like this codec); this codec runs its
// ordinary jpeg_init / jpeg_read / jpeg_free sequence per picture. Encoding
// writes into a reused buffer on both sides, standard Huffman tables for
// baseline. The peer runs with the SIMD it picks itself, limited to SSE2
// (JSIMD_FORCESSE2) and without SIMD (JSIMD_FORCENONE); it reads those
// variables once per thread, so each forced run happens in a fresh thread
// started while the variable is set, and is timed inside that thread.
//
// One benchmark iteration is one round in which every runner takes its turn on
// the picture; the table printed at the end gives each runner's median rate
// and, for the goal ratios, the median and range of the per-round ratios.
// VELMORA_BENCH_ROUNDS sets the number of rounds (default 7). The machine
// may be shared: each run is timed by the processor time of the thread that
// runs it (both sides decode and encode in the calling thread), so time spent
// waiting for a processor does not count; the rounds interleave every runner
// on every picture, so a load that comes and goes (and slows the caches)
// touches both sides alike, and the spread of the per-round ratios shows how
// much it moved them. The processor, the class the probe picks and the load
// average before and after are printed.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"

namespace {

constexpr int kClasses = 7;
enum Peer { kPeerBest, kPeerSse2, kPeerNone, kPeers };
const char* const kPeerEnv[kPeers] = {nullptr, "JSIMD_FORCESSE2", "JSIMD_FORCENONE"};
const char* const kPeerName[kPeers] = {"turbo best", "turbo SSE2", "turbo none"};
constexpr int kRunners = kClasses + kPeers;   // classes 0-6, then the peer's three modes

struct Picture {
    std::string name;
    int width, height;
    int sub;            // TJSAMP_420, TJSAMP_422 or TJSAMP_444
    int quality;
    bool progressive;
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> jpg;   // written by the peer
};

// Value noise: a lattice of random values every `cell` pixels, interpolated smoothly.
float lattice(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}
float noise(float x, float y, uint32_t seed) {
    const auto xi = uint32_t(x), yi = uint32_t(y);
    float fx = x - float(xi), fy = y - float(yi);
    fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
    const float a = lattice(xi, yi, seed), b = lattice(xi + 1, yi, seed);
    const float c = lattice(xi, yi + 1, seed), d = lattice(xi + 1, yi + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

// A scene with the spectrum of a photograph: octaves of noise from 256 down to
// 2 pixels with falling weight, a horizon, and hard-edged shapes; or, smooth,
// only wide gradients and the two coarsest octaves.
std::vector<uint8_t> scene(int w, int h, bool smooth) {
    std::vector<uint8_t> px(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float u = float(x) * 2048.0f / float(w), v = float(y) * 1536.0f / float(h);
            float rgb[3];
            for (int c = 0; c < 3; ++c) {
                float s = 0, weight = 0.5f;
                const int octaves = smooth ? 2 : 7;
                for (int o = 0; o < octaves; ++o, weight *= 0.55f) {
                    const float cell = 256.0f / float(1 << o);
                    s += weight * noise(u / cell, v / cell, uint32_t(c * 16 + o));
                }
                float base = v < 600 ? 0.55f + 0.3f * (c == 2) - v / 3000.0f : 0.25f + 0.2f * (c == 1);
                if (!smooth && ((int(u) / 160 + int(v) / 120) % 5 == 0) && int(v) % 120 < 80) base += 0.25f - 0.1f * c;
                if (smooth) base = 0.2f + 0.5f * u / 2048.0f + 0.1f * c;
                rgb[c] = (base + s * (smooth ? 0.4f : 0.6f) - 0.3f) * 255.0f;
            }
            for (int c = 0; c < 3; ++c)
                px[(size_t(y) * w + x) * 3 + c] = uint8_t(std::clamp(rgb[c], 0.0f, 255.0f));
        }
    return px;
}

// Eight bits of a hash of a position, for grain and glyphs.
uint32_t hash8(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 2654435761u ^ y * 2246822519u ^ seed * 3266489917u;
    h = (h ^ (h >> 15)) * 2246822519u;
    return (h ^ (h >> 13)) & 0xFF;
}

// A detailed photograph: the scene with film grain everywhere, foliage (leaf
// shapes of 2 to 6 pixels, dark gaps between them) over the lower left third
// and a page of text (dark strokes on white, 12 x 18 pixel characters) in the
// upper right quarter.
std::vector<uint8_t> detailed(int w, int h) {
    std::vector<uint8_t> px = scene(w, h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t(y) * w + x) * 3];
            float rgb[3] = {float(p[0]), float(p[1]), float(p[2])};
            if (x < w / 3 && y > h / 3) {
                const float leaf = noise(float(x) / 4.0f, float(y) / 3.0f, 77) + 0.6f * noise(float(x) / 1.7f, float(y) / 2.1f, 78);
                const float shade = leaf > 0.8f ? 1.0f : leaf > 0.55f ? 0.6f : 0.15f;
                rgb[0] = 40 * shade + 20, rgb[1] = 150 * shade + 30, rgb[2] = 50 * shade + 10;
            }
            if (x > w / 2 && y < h / 4) {
                const int cx = x / 12, cy = y / 18, ix = x % 12, iy = y % 18;
                const uint32_t glyph = hash8(uint32_t(cx), uint32_t(cy), 5) | hash8(uint32_t(cx), uint32_t(cy), 6) << 8;
                bool ink = false;
                if (iy >= 3 && iy < 15 && ix >= 2 && ix < 10 && (cx % 9) != 8) {
                    ink = ((glyph & 1) && ix < 4) || ((glyph & 2) && ix >= 8) || ((glyph & 4) && iy < 5) ||
                          ((glyph & 8) && iy >= 13) || ((glyph & 16) && iy >= 8 && iy < 10) ||
                          ((glyph & 32) && std::abs((ix - 2) * 3 - (iy - 3) * 2) < 2);
                }
                rgb[0] = rgb[1] = rgb[2] = ink ? 30.0f : 235.0f;
            }
            for (int c = 0; c < 3; ++c)
                p[c] = uint8_t(std::clamp(rgb[c] + float(int(hash8(uint32_t(x), uint32_t(y), uint32_t(c))) - 128) / 10.0f,
                                          0.0f, 255.0f));
        }
    return px;
}

// A grainy photograph taken in poor light: the scene, gravel and grass
// texture of one to three pixels over all of it, and strong film grain,
// mostly in luminance with a weaker part per colour. High-frequency detail
// everywhere, so that a progressive stream's refinement scans carry most of
// its bits (about 2.6 bits a pixel at q85 4:2:0).
std::vector<uint8_t> grainy(int w, int h) {
    std::vector<uint8_t> px = scene(w, h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t(y) * w + x) * 3];
            const float fx = float(x), fy = float(y);
            const float texture = 40.0f * (noise(fx / 1.3f, fy / 1.6f, 91) - 0.5f) +
                                  25.0f * (noise(fx / 2.7f, fy / 2.2f, 92) - 0.5f);
            const float grain = float(int(hash8(uint32_t(x), uint32_t(y), 9)) - 128) / 7.0f;
            for (int c = 0; c < 3; ++c) {
                const float own = float(int(hash8(uint32_t(x), uint32_t(y), uint32_t(10 + c))) - 128) / 16.0f;
                p[c] = uint8_t(std::clamp(float(p[c]) + texture + grain + own, 0.0f, 255.0f));
            }
        }
    return px;
}

// One TurboJPEG handle pair per thread, with its output buffers allocated once.
struct PeerThread {
    tjhandle dec = tjInitDecompress();
    tjhandle enc = tjInitCompress();
    ~PeerThread() { tjDestroy(dec), tjDestroy(enc); }
};

void peer_decode(PeerThread& t, const Picture& pic, std::vector<uint8_t>& px) {
    if (tjDecompress2(t.dec, pic.jpg.data(), (unsigned long)pic.jpg.size(), px.data(), pic.width, 0, pic.height,
                      TJPF_RGB, TJFLAG_FASTUPSAMPLE) != 0) {
        std::fprintf(stderr, "peer decode of %s: %s\n", pic.name.c_str(), tjGetErrorStr2(t.dec));
        std::abort();
    }
}

size_t peer_encode(PeerThread& t, const Picture& pic, std::vector<uint8_t>& out) {
    unsigned char* buf = out.data();
    unsigned long size = (unsigned long)out.size();
    if (tjCompress2(t.enc, pic.rgb.data(), pic.width, 0, pic.height, TJPF_RGB, &buf, &size, pic.sub, pic.quality,
                    TJFLAG_NOREALLOC | (pic.progressive ? TJFLAG_PROGRESSIVE : 0)) != 0)
        std::abort();
    return size;
}

int velmora_decode(velmora::JPEG_IMAGE_PARAMS* p, const Picture& pic, std::vector<uint8_t>& px, int cpu_class,
                   bool sound = true) {
    using namespace velmora;
    jpeg_init(p);
    jpeg_fill_kernels(p->props.stream.environment, cpu_class);
    p->stream_data = pic.jpg.data();
    p->stream_size = int32_t(pic.jpg.size());
    jpeg_read(p, JPEG_OP_PARAMS_MEM);
    p->image_data = px.data();
    p->image_width = p->stream_width;
    p->image_height = p->stream_height;
    p->image_channels = 3;
    p->image_color = JPEG_COLOR_RGB;
    const JPEG_RESULT r = jpeg_read(p, JPEG_OP_IMAGE_MEM);
    if (r != 0 && sound) {
        std::fprintf(stderr, "velmora decode of %s: %d %s\n", pic.name.c_str(), r, jpeg_error_text(r));
        std::abort();
    }
    jpeg_free(p);
    return r;
}

size_t velmora_encode(velmora::JPEG_IMAGE_PARAMS* p, const Picture& pic, std::vector<uint8_t>& out, int cpu_class) {
    using namespace velmora;
    jpeg_init(p);
    jpeg_fill_kernels(p->props.stream.environment, cpu_class);
    p->image_data = const_cast<uint8_t*>(pic.rgb.data());
    p->image_width = p->stream_width = pic.width;
    p->image_height = p->stream_height = pic.height;
    p->image_channels = 3;
    p->image_color = JPEG_COLOR_RGB;
    p->stream_sampling = pic.sub == TJSAMP_420   ? JPEG_SAMPLING_420
                         : pic.sub == TJSAMP_422 ? JPEG_SAMPLING_422
                                                 : JPEG_SAMPLING_444;
    p->quality = pic.quality;
    p->props.progressive_scans = pic.progressive ? 1 : 0;
    p->stream_data = out.data();
    p->stream_size = int32_t(out.size());
    if (const JPEG_RESULT r = jpeg_write(p, JPEG_OP_WRITE_IMAGE_MEM); r != 0) {
        std::fprintf(stderr, "velmora encode of %s: %d %s\n", pic.name.c_str(), r, jpeg_error_text(r));
        std::abort();
    }
    const size_t n = size_t(p->stream_size);
    jpeg_free(p);
    return n;
}

std::vector<Picture>& pictures() {
    static std::vector<Picture> all = [] {
        std::vector<Picture> v;
        v.push_back({"2048x1536 4:2:0 q75 baseline", 2048, 1536, TJSAMP_420, 75, false, scene(2048, 1536, false), {}});
        v.push_back({"800x600 4:2:0 q75 baseline", 800, 600, TJSAMP_420, 75, false, scene(800, 600, false), {}});
        v.push_back({"2048x1536 4:4:4 q90 progressive", 2048, 1536, TJSAMP_444, 90, true, v[0].rgb, {}});
        v.push_back({"2048x1536 smooth 4:2:0 q75", 2048, 1536, TJSAMP_420, 75, false, scene(2048, 1536, true), {}});
        const std::vector<uint8_t> detail = detailed(2048, 1536);
        v.push_back({"2048x1536 detailed 4:2:0 q85", 2048, 1536, TJSAMP_420, 85, false, detail, {}});
        v.push_back({"2048x1536 detailed 4:2:2 q85", 2048, 1536, TJSAMP_422, 85, false, detail, {}});
        v.push_back({"2048x1536 detailed 4:4:4 q90", 2048, 1536, TJSAMP_444, 90, false, detail, {}});
        v.push_back({"2048x1536 detailed 4:2:0 q85 progr.", 2048, 1536, TJSAMP_420, 85, true, detail, {}});
        v.push_back({"2048x1536 grainy 4:2:0 q85 progr.", 2048, 1536, TJSAMP_420, 85, true, grainy(2048, 1536), {}});
        // A fresh handle per picture: libjpeg-turbo 2.1.5 writes a damaged
        // baseline stream from a handle that wrote a progressive one before.
        for (Picture& pic : v) {
            PeerThread t;
            pic.jpg.resize(tjBufSize(pic.width, pic.height, pic.sub));
            pic.jpg.resize(peer_encode(t, pic, pic.jpg));
            std::vector<uint8_t> px(size_t(pic.width) * pic.height * 3);
            peer_decode(t, pic, px);   // aborts on a damaged stream
        }
        return v;
    }();
    return all;
}

constexpr int kPictures = 9;

// Seconds per operation of each runner in each round: [picture][runner][round].
std::vector<double> g_times[2][kPictures][kRunners];   // [0] decode, [1] encode
size_t g_bytes[kPictures][kRunners];                    // encoded sizes

// The processor time of the calling thread, in seconds.
double thread_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Runs `op` `reps` times and returns the thread's processor seconds per run; in
// a fresh thread that sees the peer's variable when `env` is set. `fastest`,
// when given, gets the fastest single run: on a shared machine the figure the
// load disturbs least.
template <class Op>
double timed(const char* env, int reps, Op op, double* fastest = nullptr) {
    double seconds = 0;
    auto body = [&] {
        PeerThread t;
        op(t);   // warm: the first call sets up the handle's tables and SIMD choice
        const double t0 = thread_seconds();
        double last = t0;
        for (int i = 0; i < reps; ++i) {
            op(t);
            if (!fastest) continue;
            const double now = thread_seconds();
            if (i == 0 || now - last < *fastest) *fastest = now - last;
            last = now;
        }
        seconds = (thread_seconds() - t0) / reps;
    };
    if (!env) {
        body();
        return seconds;
    }
    ::setenv(env, "1", 1);
    std::thread th(body);
    th.join();
    ::unsetenv(env);
    return seconds;
}

void BM_Round(benchmark::State& state) {
    const int index = int(state.range(0));
    const bool encode = state.range(1) != 0;
    const Picture& pic = pictures()[size_t(index)];
    const int reps = pic.width * pic.height > 1000000 ? 3 : 12;
    std::vector<uint8_t> px(size_t(pic.width) * pic.height * 3);
    std::vector<uint8_t> out(tjBufSize(pic.width, pic.height, pic.sub));
    auto holder = std::make_unique<velmora::JPEG_IMAGE_PARAMS>();
    for (auto _ : state) {
        for (int r = 0; r < kRunners; ++r) {
            double s = 0;
            if (r < kClasses) {
                s = timed(nullptr, reps, [&](PeerThread&) {
                    if (encode) g_bytes[index][r] = velmora_encode(holder.get(), pic, out, r);
                    else velmora_decode(holder.get(), pic, px, r);
                });
            } else {
                s = timed(kPeerEnv[r - kClasses], reps, [&](PeerThread& t) {
                    if (encode) g_bytes[index][r] = peer_encode(t, pic, out);
                    else peer_decode(t, pic, px);
                });
            }
            g_times[encode][index][r].push_back(s);
        }
    }
    state.SetLabel(std::string(encode ? "encode " : "decode ") + pic.name);
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Median and range of the per-round ratio of runner a's speed to runner b's.
std::string ratio(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> q;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) q.push_back(b[i] / a[i]);
    if (q.empty()) return "    -            ";
    char s[64];
    std::snprintf(s, sizeof s, "%5.2f [%4.2f-%4.2f]", median(q), *std::min_element(q.begin(), q.end()),
                  *std::max_element(q.begin(), q.end()));
    return s;
}

void print_table(bool encode, int probe) {
    size_t rounds = 0;
    for (const auto& t : g_times[encode]) rounds = std::max(rounds, t[0].size());
    std::printf("\n%s, megapixels per second of thread processor time (median of %zu rounds)\n",
                encode ? "ENCODE" : "DECODE", rounds);
    std::printf("%-36s", "picture");
    for (int r = 0; r < kRunners; ++r)
        r < kClasses ? std::printf(" class %d", r) : std::printf(" %10s", kPeerName[r - kClasses]);
    std::printf("\n");
    for (size_t i = 0; i < pictures().size(); ++i) {
        const Picture& pic = pictures()[i];
        if (g_times[encode][i][0].empty()) continue;
        std::printf("%-36s", pic.name.c_str());
        for (int r = 0; r < kRunners; ++r)
            std::printf(r < kClasses ? " %7.1f" : " %10.1f",
                        double(pic.width) * pic.height / 1e6 / median(g_times[encode][i][r]));
        std::printf("\n");
        if (encode) {
            std::printf("%-36s", "  bytes");
            for (int r = 0; r < kRunners; ++r) std::printf(r < kClasses ? " %7zu" : " %10zu", g_bytes[i][r]);
            std::printf("\n");
        }
    }
    std::printf("ratios, median [range] of rounds:\n");
    std::printf("%-36s %-18s %-18s %-18s %-18s %s\n", "picture", "class 0/none", "probe/SSE2", "probe/best",
                "class 6/best", "slowest class step");
    for (size_t i = 0; i < pictures().size(); ++i) {
        const auto& t = g_times[encode][i];
        if (t[0].empty()) continue;
        // The class whose median rate falls furthest below the class under it.
        double worst = 1e9;
        int at = 0;
        for (int c = 1; c < kClasses; ++c) {
            const double step = median(t[c - 1]) / median(t[c]);
            if (step < worst) worst = step, at = c;
        }
        std::printf("%-36s %-18s %-18s %-18s %-18s %d/%d %.2f\n", pictures()[i].name.c_str(),
                    ratio(t[0], t[kClasses + kPeerNone]).c_str(), ratio(t[probe], t[kClasses + kPeerSse2]).c_str(),
                    ratio(t[probe], t[kClasses + kPeerBest]).c_str(), ratio(t[6], t[kClasses + kPeerBest]).c_str(),
                    at, at - 1, worst);
    }
}

// The processor's name as the system reports it.
std::string processor_name() {
    std::ifstream f("/proc/cpuinfo");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("model name", 0) == 0) {
            const size_t colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    return "unknown";
}

// The first three fields of /proc/loadavg.
std::string load_average() {
    std::ifstream f("/proc/loadavg");
    std::string a, b, c;
    f >> a >> b >> c;
    return a + " " + b + " " + c;
}

}  // namespace

// VELMORA_BENCH_PROFILE="runner picture encode [runs]" (e.g. "0 1 0": class 0
// decoding the 800x600 picture; runners 7-9 are the peer's modes) runs that one
// runner for about five seconds, or the given number of runs, and nothing else,
// for a profiler to watch.
int profile_one(const char* request) {
    int r = 0, index = 0, encode = 0, runs = 0;
    if (std::sscanf(request, "%d %d %d %d", &r, &index, &encode, &runs) < 3 || r < 0 || r >= kRunners || index < 0 ||
        index >= kPictures)
        return 2;
    const Picture& pic = pictures()[size_t(index)];
    std::vector<uint8_t> px(size_t(pic.width) * pic.height * 3);
    std::vector<uint8_t> out(tjBufSize(pic.width, pic.height, pic.sub));
    auto holder = std::make_unique<velmora::JPEG_IMAGE_PARAMS>();
    auto op = [&](PeerThread& t) {
        if (r < kClasses) {
            if (encode) velmora_encode(holder.get(), pic, out, r);
            else velmora_decode(holder.get(), pic, px, r);
        } else if (encode) {
            peer_encode(t, pic, out);
        } else {
            peer_decode(t, pic, px);
        }
    };
    const char* env = r < kClasses ? nullptr : kPeerEnv[r - kClasses];
    const double once = timed(env, 1, op);
    const int reps = runs > 0 ? runs : std::max(1, int(5.0 / std::max(once, 1e-6)));
    double fastest = 0;
    const double s = timed(env, reps, op, &fastest);
    std::printf("%s %s runner %d: %.3f ms, fastest %.3f ms, %d runs\n", encode ? "encode" : "decode",
                pic.name.c_str(), r, s * 1e3, fastest * 1e3, reps + 2);
    return 0;
}

// VELMORA_BENCH_DIGEST=1 prints, for every picture and class, a digest of the
// decoded samples and of the written stream, and nothing is timed: two builds
// that print the same lines give the same bytes.
int digest_all() {
    auto fnv = [](const std::vector<uint8_t>& v, size_t n) {
        uint64_t h = 0xCBF29CE484222325ull;
        for (size_t i = 0; i < n; ++i) h = (h ^ v[i]) * 0x100000001B3ull;
        return h;
    };
    auto holder = std::make_unique<velmora::JPEG_IMAGE_PARAMS>();
    for (const Picture& pic : pictures()) {
        std::vector<uint8_t> px(size_t(pic.width) * pic.height * 3);
        std::vector<uint8_t> out(tjBufSize(pic.width, pic.height, pic.sub));
        for (int r = 0; r < kClasses; ++r) {
            velmora_decode(holder.get(), pic, px, r);
            const size_t n = velmora_encode(holder.get(), pic, out, r);
            std::printf("%-36s class %d decode %016llx encode %016llx %zu\n", pic.name.c_str(), r,
                        (unsigned long long)fnv(px, px.size()), (unsigned long long)fnv(out, n), n);
        }
        // Damaged copies: cut at a third and two thirds, and a byte of the
        // data changed every 40,000 bytes.
        for (int damage = 0; damage < 3; ++damage) {
            Picture bad = pic;
            if (damage < 2) bad.jpg.resize(pic.jpg.size() * size_t(damage + 1) / 3);
            else
                for (size_t i = 1000; i + 2 < bad.jpg.size(); i += 40000) bad.jpg[i] = uint8_t(bad.jpg[i] * 7 + 3);
            for (int r = 0; r < kClasses; ++r) {
                std::fill(px.begin(), px.end(), uint8_t(0));
                const int result = velmora_decode(holder.get(), bad, px, r, false);
                std::printf("%-36s class %d damage %d result %d decode %016llx\n", pic.name.c_str(), r, damage,
                            result, (unsigned long long)fnv(px, px.size()));
            }
        }
    }
    return 0;
}

// VELMORA_BENCH_WRITE=DIR writes the nine streams the decoders read to
// DIR/0.jpg .. DIR/8.jpg, so a profiler can watch a decoder without the
// pictures being made first.
int write_streams(const char* dir) {
    for (int i = 0; i < kPictures; ++i) {
        const Picture& pic = pictures()[size_t(i)];
        std::ofstream f(std::string(dir) + "/" + std::to_string(i) + ".jpg", std::ios::binary);
        f.write(reinterpret_cast<const char*>(pic.jpg.data()), std::streamsize(pic.jpg.size()));
        if (!f) return 1;
    }
    return 0;
}

// VELMORA_BENCH_SIZES=1 prints, instead of timing, the bytes and the quality
// (PSNR of the peer's decode, fancy up-sampling, against the pixels) of both
// encoders' baseline files at qualities 50-95 in the three samplings: the
// bench's five distinct pixel sets, a smooth red-blue gradient, a text page,
// noise and a 16 x 16 picture. Per picture: the median and range of our bytes
// over the peer's and the median PSNR difference.
int sizes_all() {
    auto psnr = [](const Picture& pic, const std::vector<uint8_t>& jpg) {
        PeerThread t;
        std::vector<uint8_t> px(pic.rgb.size());
        if (tjDecompress2(t.dec, jpg.data(), (unsigned long)jpg.size(), px.data(), pic.width, 0, pic.height, TJPF_RGB,
                          0) != 0)
            std::abort();
        double sum = 0;
        for (size_t i = 0; i < px.size(); ++i) sum += (double(px[i]) - pic.rgb[i]) * (double(px[i]) - pic.rgb[i]);
        return sum == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * double(px.size()) / sum);
    };
    auto made = [](int w, int h, auto pixel) {
        std::vector<uint8_t> px(size_t(w) * h * 3);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixel(x, y, &px[(size_t(y) * w + x) * 3]);
        return px;
    };
    std::vector<Picture> set;
    for (int i : {0, 1, 3, 4, 8}) set.push_back(pictures()[size_t(i)]);
    set.push_back({"512x512 red-blue gradient", 512, 512, 0, 0, false, made(512, 512, [](int x, int, uint8_t* p) {
                       p[0] = uint8_t(std::lround(255.0 * (511 - x) / 511)), p[1] = 0;
                       p[2] = uint8_t(std::lround(255.0 * x / 511));
                   }), {}});
    set.push_back({"800x600 text page", 800, 600, 0, 0, false, made(800, 600, [](int x, int y, uint8_t* p) {
                       const uint32_t g = hash8(uint32_t(x / 10), uint32_t(y / 16), 5);
                       const int ix = x % 10, iy = y % 16;
                       const bool ink = iy >= 3 && iy < 13 && ix >= 2 && ix < 8 &&
                                        (((g & 1) && ix < 4) || ((g & 2) && ix >= 6) || ((g & 4) && iy < 5) ||
                                         ((g & 8) && iy >= 11) || ((g & 16) && (iy == 7 || iy == 8)));
                       p[0] = p[1] = p[2] = ink ? 20 : 240;
                   }), {}});
    set.push_back({"512x512 noise", 512, 512, 0, 0, false, made(512, 512, [](int x, int y, uint8_t* p) {
                       for (int c = 0; c < 3; ++c) p[c] = uint8_t(hash8(uint32_t(x), uint32_t(y), uint32_t(20 + c)));
                   }), {}});
    set.push_back({"16x16 scene", 16, 16, 0, 0, false, scene(16, 16, false), {}});
    auto holder = std::make_unique<velmora::JPEG_IMAGE_PARAMS>();
    const int subs[3] = {TJSAMP_420, TJSAMP_422, TJSAMP_444};
    const char* const sub_names[3] = {"4:2:0", "4:2:2", "4:4:4"};
    for (Picture pic : set) {
        std::vector<double> ratios, gains;
        std::string lines;
        for (int sub = 0; sub < 3; ++sub)
            for (int quality : {50, 75, 85, 90, 95}) {
                pic.sub = subs[sub], pic.quality = quality, pic.progressive = false;
                std::vector<uint8_t> ours(tjBufSize(pic.width, pic.height, pic.sub) + 4096), peer(ours.size());
                ours.resize(velmora_encode(holder.get(), pic, ours, 6));
                PeerThread t;
                peer.resize(peer_encode(t, pic, peer));
                const double a = psnr(pic, ours), b = psnr(pic, peer);
                ratios.push_back(double(ours.size()) / double(peer.size()));
                gains.push_back(a - b);
                char line[160];
                std::snprintf(line, sizeof line, "  %s q%d: ours %zu bytes %.2f dB, peer %zu bytes %.2f dB (%+ld)\n",
                              sub_names[sub], quality, ours.size(), a, peer.size(), b,
                              long(ours.size()) - long(peer.size()));
                lines += line;
            }
        std::printf("%s: ours/peer bytes median %.3f [%.3f-%.3f], PSNR ours - peer median %+.2f dB [%+.2f %+.2f]\n%s",
                    pic.name.c_str(), median(ratios), *std::min_element(ratios.begin(), ratios.end()),
                    *std::max_element(ratios.begin(), ratios.end()), median(gains),
                    *std::min_element(gains.begin(), gains.end()), *std::max_element(gains.begin(), gains.end()),
                    lines.c_str());
    }
    return 0;
}

int main(int argc, char** argv) {
    if (const char* request = std::getenv("VELMORA_BENCH_PROFILE")) return profile_one(request);
    if (const char* dir = std::getenv("VELMORA_BENCH_WRITE")) return write_streams(dir);
    if (std::getenv("VELMORA_BENCH_DIGEST")) return digest_all();
    if (std::getenv("VELMORA_BENCH_SIZES")) return sizes_all();
    const char* env = std::getenv("VELMORA_BENCH_ROUNDS");
    const int rounds = env ? std::max(1, std::atoi(env)) : 7;
    for (int i = 0; i < kPictures; ++i)
        for (int encode = 0; encode < 2; ++encode)
            benchmark::RegisterBenchmark("BM_Round", BM_Round)
                ->Args({i, encode})
                ->Iterations(rounds)
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    pictures();
    const std::string load_before = load_average();
    benchmark::RunSpecifiedBenchmarks();
    const int probe = velmora::jpeg_detect_cpu(nullptr);
    const velmora::JPEG_CPU_INFO* cpu = velmora::jpeg_cpu_info();
    std::printf("\nprocessor: %s (%s, family %u), %u processors online; load average before %s, after %s\n",
                processor_name().c_str(), cpu->vendor, cpu->family, std::thread::hardware_concurrency(),
                load_before.c_str(), load_average().c_str());
    std::printf("velmora's probe picks class %d here; turbo best = libjpeg-turbo with the SIMD it picks\n", probe);
    print_table(false, probe);
    print_table(true, probe);
    benchmark::Shutdown();
    return 0;
}
