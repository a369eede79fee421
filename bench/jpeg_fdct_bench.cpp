// The encoder's forward transforms block by block: the plain accurate transform
// against its three vector forms (the 128-bit one on an aligned and on an
// unaligned block) and the plain and vector fast transforms, over a ring of 256
// noise blocks so that the branch predictor and caches see varied data.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "jpeg/jpeg_enc_simd.h"
#include "jpeg/jpeg_fdct.h"
#include "jpeg/jpeg_fdct_simd.h"

namespace {

using Fn = void (*)(int16_t*);

void run(benchmark::State& state, Fn fn, int word_offset) {
    std::mt19937 rng(1);
    std::vector<int16_t> source(256 * 64);
    for (auto& v : source) v = int16_t(int(rng() % 256) - 128);
    alignas(16) int16_t work[64 + 8];
    int16_t* block = work + word_offset;
    size_t i = 0;
    for (auto _ : state) {
        std::memcpy(block, &source[(i++ & 255) * 64], 128);
        fn(block);
        benchmark::DoNotOptimize(block[0]);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BM_AccuratePlain(benchmark::State& s) { run(s, velmora::jpeg_fdct_accurate, 0); }
void BM_AccurateMmx(benchmark::State& s) { run(s, velmora::jpeg_fdct_accurate_mmx, 0); }
void BM_AccurateSse(benchmark::State& s) { run(s, velmora::jpeg_fdct_accurate_sse, 0); }
void BM_AccurateSse2Aligned(benchmark::State& s) { run(s, velmora::jpeg_fdct_accurate_sse2, 0); }
void BM_AccurateSse2Unaligned(benchmark::State& s) { run(s, velmora::jpeg_fdct_accurate_sse2, 4); }
void BM_FastPlain(benchmark::State& s) { run(s, velmora::jpeg_fdct_fast, 0); }
void BM_FastVector(benchmark::State& s) { run(s, velmora::jpeg_fdct_fast_simd, 0); }

}  // namespace

BENCHMARK(BM_AccuratePlain);
BENCHMARK(BM_AccurateMmx);
BENCHMARK(BM_AccurateSse);
BENCHMARK(BM_AccurateSse2Aligned);
BENCHMARK(BM_AccurateSse2Unaligned);
BENCHMARK(BM_FastPlain);
BENCHMARK(BM_FastVector);

BENCHMARK_MAIN();
