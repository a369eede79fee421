// jpeg/jpeg_block_smooth.cpp
#include "jpeg/jpeg_block_smooth.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "jpeg/jpeg_idct.h"

namespace velmora {
namespace {

// The estimated coefficients: zig-zag 1 to 9, the first- to third-order
// terms; the first five from the 3 x 3 blocks around, the third-order ones
// from the 5 x 5 blocks around.
constexpr uint32_t kFirst = 1, kLast = 9, kSecondOrder = 5;
constexpr int kRadius = 2, kSide = 2 * kRadius + 1;
// The steps (summed over a block's coefficients read as nonzero) by which the
// estimates may miss what the block got and still be taken for its zeros.
constexpr float kMissTrusted = 8;

// The weights of each estimated coefficient on the DC values of the blocks
// around it. Along each axis a polynomial of degree 2R is laid through the
// means (DC / 8) of the 2R + 1 blocks in the line, each taken as the average
// of its eight samples; the product of the two is transformed over the centre
// block. Passing through every mean, rather than fitting a lower degree to
// them, keeps the estimate to the block's own neighbourhood: a surface curved
// within a few blocks (chroma at half resolution) keeps its slopes.
struct Weights {
    float w[kLast + 1][kSide * kSide];
};

// The operator from the means of the 2R + 1 blocks of a line to the 1-D
// transform coefficient u (0..3) of the polynomial over the centre block,
// placed on the 5-block line around it.
void line_operator(int radius, double op[4][kSide]) {
    const int n = 2 * radius + 1;
    // The means of the powers of the position (in blocks) over each block's
    // samples, with the unit matrix beside them, reduced to the inverse.
    double m[kSide][2 * kSide];
    for (int k = 0; k < n; ++k)
        for (int e = 0; e < n; ++e) {
            double s = 0;
            for (int x = 0; x < 8; ++x) s += std::pow((8 * (k - radius) + x - 3.5) / 8, e);
            m[k][e] = s / 8;
            m[k][n + e] = k == e;
        }
    for (int i = 0; i < n; ++i) {
        int piv = i;
        for (int k = i + 1; k < n; ++k)
            if (std::fabs(m[k][i]) > std::fabs(m[piv][i])) piv = k;
        for (int j = 0; j < 2 * n; ++j) std::swap(m[i][j], m[piv][j]);
        for (int k = 0; k < n; ++k)
            if (k != i) {
                const double f = m[k][i] / m[i][i];
                for (int j = 0; j < 2 * n; ++j) m[k][j] -= f * m[i][j];
            }
    }
    // Row e of the inverse gives the polynomial's power e from the means.
    for (int u = 0; u < 4; ++u) {
        for (double& o : op[u]) o = 0;
        for (int e = 0; e < n; ++e) {
            double b = 0;
            for (int x = 0; x < 8; ++x) b += std::pow((x - 3.5) / 8, e) * std::cos((2 * x + 1) * u * M_PI / 16);
            b *= 0.5 * (u ? 1 : M_SQRT1_2) / m[e][e];
            for (int k = 0; k < n; ++k) op[u][k - radius + kRadius] += b * m[e][n + k];
        }
    }
}

Weights make_weights() {
    Weights out{};
    double near[4][kSide], wide[4][kSide];
    line_operator(1, near);
    line_operator(2, wide);
    for (uint32_t z = kFirst; z <= kLast; ++z) {
        const int natural = jpeg_natural_order[z], v = natural / 8, u = natural % 8;
        const auto& op = z <= kSecondOrder ? near : wide;
        for (int j = 0; j < kSide; ++j)
            for (int i = 0; i < kSide; ++i) out.w[z][j * kSide + i] = float(op[v][j] * op[u][i] / 8);
    }
    return out;
}

const Weights& weights() {
    static const Weights w = make_weights();
    return w;
}

// The lesser knowledge of two states of one coefficient.
int8_t less_known(int8_t a, int8_t b) { return a < 0 || b < 0 ? int8_t(-1) : std::max(a, b); }

}  // namespace

void jpeg_coef_status_reset(JPEG_PROPERTIES* p) {
    std::memset(p->coef_bits, 0xFF, sizeof p->coef_bits);
    std::memset(p->coef_bits_cut, 0xFF, sizeof p->coef_bits_cut);
    for (uint32_t& c : p->coef_cut) c = UINT32_MAX;
}

void jpeg_coef_status_scan(JPEG_PROPERTIES* p, const JPEG_SCAN* scan, bool cut_valid, uint32_t cut_col,
                           uint32_t cut_row) {
    const JPEG_FRAME& f = p->frame;
    const uint32_t hi = std::min<uint32_t>(scan->se, 63);
    for (uint32_t i = 0; i < scan->ns && i < 4; ++i) {
        const uint32_t c = scan->components[i].index & 3;
        int8_t* bits = p->coef_bits[c];
        int8_t* cut_bits = p->coef_bits_cut[c];
        if (!cut_valid) {
            // Every block got the scan, those past an earlier cut too.
            for (uint32_t k = scan->ss; k <= hi; ++k) bits[k] = int8_t(scan->al);
            if (p->coef_cut[c] != UINT32_MAX)
                for (uint32_t k = scan->ss; k <= hi; ++k) cut_bits[k] = int8_t(scan->al);
            continue;
        }
        // The blocks from the cut on lack the scan: a single-component scan
        // counts in the component's blocks, an interleaved one in MCUs (taken
        // from the MCU's first block row on, the safe side).
        const size_t cols = size_t(f.mcus_per_row) * f.components[c].h;
        const size_t at = scan->ns == 1 ? size_t(cut_row) * cols + cut_col
                                        : size_t(cut_row) * f.components[c].v * cols + size_t(cut_col) * f.components[c].h;
        if (p->coef_cut[c] == UINT32_MAX) {
            std::memcpy(cut_bits, bits, 64);
        } else {
            for (uint32_t k = 0; k < 64; ++k) cut_bits[k] = less_known(cut_bits[k], bits[k]);
        }
        for (uint32_t k = scan->ss; k <= hi; ++k) bits[k] = int8_t(scan->al);
        p->coef_cut[c] = uint32_t(std::min<size_t>(p->coef_cut[c], at));
    }
}

bool jpeg_block_smoothing_needed(const JPEG_PROPERTIES* p) {
    for (uint32_t c = 0; c < p->frame.ncomps && c < 4; ++c)
        for (uint32_t z = 0; z <= kLast; ++z)
            if (p->coef_bits[c][z] != 0 || (p->coef_cut[c] != UINT32_MAX && p->coef_bits_cut[c][z] != 0)) return true;
    return false;
}

void jpeg_smooth_block(const JPEG_PROPERTIES* p, uint32_t c, uint32_t bx, uint32_t by, const int16_t* plane,
                       size_t stride, uint32_t plane_cols, uint32_t plane_rows, int16_t* block) {
    const int8_t* known = size_t(by) * stride + bx >= p->coef_cut[c] ? p->coef_bits_cut[c] : p->coef_bits[c];
    // DC itself unknown, or nothing missing: the block stays.
    if (known[0] < 0) return;
    bool missing = false;
    for (uint32_t z = 0; z <= kLast && !missing; ++z) missing = known[z] != 0;
    if (!missing) return;
    const uint16_t* q = p->quant_read[p->frame.components[c].tq & 3];
    float dc[kSide * kSide];
    for (int j = -kRadius; j <= kRadius; ++j)
        for (int i = -kRadius; i <= kRadius; ++i) {
            const int64_t x = std::clamp<int64_t>(int64_t(bx) + i, 0, int64_t(plane_cols) - 1);
            const int64_t y = std::clamp<int64_t>(int64_t(by) + j, 0, int64_t(plane_rows) - 1);
            dc[(j + kRadius) * kSide + i + kRadius] = float(plane[(size_t(y) * stride + size_t(x)) * 64]);
        }
    // The span of a coefficient's values that its bits allow: a value read is
    // missing its low bits away from zero (an AC magnitude grows, a DC, shifted
    // arithmetically, rises), a zero AC lies below the first step they leave open.
    auto span = [&](uint32_t z, int32_t have, int32_t* lo, int32_t* hi) {
        const int32_t open = (1 << known[z]) - 1;
        *lo = z == 0 || have > 0 ? have : have < 0 ? have - open : -open;
        *hi = z != 0 && have < 0 ? have : have != 0 || z == 0 ? have + open : open;
    };
    if (known[0] > 0) {
        // The DC's low bits from the means along the row and the column
        // (a cubic through the two blocks on each side), the neighbours' own
        // missing bits taken at their middle.
        auto at = [&](int i, int j) { return dc[(j + kRadius) * kSide + i + kRadius]; };
        const float pred = (4 * (at(-1, 0) + at(1, 0) + at(0, -1) + at(0, 1)) - at(-2, 0) - at(2, 0) - at(0, -2) - at(0, 2)) / 12 +
                           float((1 << known[0]) - 1) / 2;
        int32_t lo, hi;
        span(0, block[0], &lo, &hi);
        block[0] = int16_t(std::clamp(int32_t(std::lround(pred)), lo, hi));
    }
    // Each coefficient's estimate in its own quantiser steps, and how far the
    // estimates of those read as nonzero fall outside what their bits allow.
    const Weights& w = weights();
    float est[kLast + 1];
    float miss = 0;
    for (uint32_t z = kFirst; z <= kLast; ++z) {
        const int n = jpeg_natural_order[z];
        float s = 0;
        for (int r = 0; r < kSide * kSide; ++r) s += w.w[z][r] * dc[r];
        est[z] = q[n] ? s * float(q[0]) / float(q[n]) : 0;
        if (known[z] >= 0 && block[n] != 0) {
            int32_t lo, hi;
            span(z, block[n], &lo, &hi);
            miss += std::max({float(lo) - est[z], est[z] - float(hi), 0.f});
        }
    }
    for (uint32_t z = kFirst; z <= kLast; ++z) {
        const int n = jpeg_natural_order[z];
        const int32_t have = block[n];
        // Never coded and read as zero, or coded down to a low bit. Where the
        // estimates miss the values the block did get by many steps (an edge
        // or grain the neighbours' means do not show), a zero that came with
        // its high bits is more likely right than the estimate.
        if (known[z] == 0 || q[n] == 0 || (known[z] < 0 && have != 0)) continue;
        if (known[z] > 0 && have == 0 && miss > kMissTrusted) continue;
        int32_t v = int32_t(std::lround(est[z]));
        if (known[z] > 0) {
            int32_t lo, hi;
            span(z, have, &lo, &hi);
            v = std::clamp(v, lo, hi);
        }
        block[n] = int16_t(std::clamp(v, -1023, 1023));
    }
}

}  // namespace velmora
