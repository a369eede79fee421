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

// The weights of each estimated coefficient on the DC values of the blocks
// around it: a surface (quadratic over 3 x 3, cubic over 5 x 5) fitted by
// least squares to the blocks' means (DC / 8), transformed over the centre
// block. Made once.
struct Weights {
    float w[kLast + 1][kSide * kSide];
};

void fit(Weights& out, int radius, int degree, uint32_t first, uint32_t last) {
    int mons[10][2], nm = 0;
    for (int a = 0; a <= degree; ++a)
        for (int b = 0; a + b <= degree; ++b) mons[nm][0] = a, mons[nm][1] = b, ++nm;
    const int side = 2 * radius + 1, nb = side * side;
    double A[kSide * kSide][10];
    for (int bj = -radius; bj <= radius; ++bj)
        for (int bi = -radius; bi <= radius; ++bi)
            for (int m = 0; m < nm; ++m) {
                double s = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        s += std::pow(8 * bi + x - 3.5, mons[m][0]) * std::pow(8 * bj + y - 3.5, mons[m][1]);
                A[(bj + radius) * side + bi + radius][m] = s / 64;
            }
    // The normal equations, solved for the fit's operator (AᵀA)⁻¹Aᵀ.
    double N[10][10 + kSide * kSide];
    for (int i = 0; i < nm; ++i) {
        for (int j = 0; j < nm; ++j) {
            double s = 0;
            for (int r = 0; r < nb; ++r) s += A[r][i] * A[r][j];
            N[i][j] = s;
        }
        for (int r = 0; r < nb; ++r) N[i][nm + r] = A[r][i];
    }
    for (int i = 0; i < nm; ++i) {
        int piv = i;
        for (int k = i + 1; k < nm; ++k)
            if (std::fabs(N[k][i]) > std::fabs(N[piv][i])) piv = k;
        for (int j = 0; j < nm + nb; ++j) std::swap(N[i][j], N[piv][j]);
        for (int k = 0; k < nm; ++k)
            if (k != i) {
                const double f = N[k][i] / N[i][i];
                for (int j = 0; j < nm + nb; ++j) N[k][j] -= f * N[i][j];
            }
    }
    for (uint32_t z = first; z <= last; ++z) {
        const int natural = jpeg_natural_order[z], v = natural / 8, u = natural % 8;
        double d[10];
        for (int m = 0; m < nm; ++m) {
            double s = 0;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    s += std::pow(x - 3.5, mons[m][0]) * std::pow(y - 3.5, mons[m][1]) *
                         std::cos((2 * x + 1) * u * M_PI / 16) * std::cos((2 * y + 1) * v * M_PI / 16);
            d[m] = s * 0.25 * (u ? 1 : M_SQRT1_2) * (v ? 1 : M_SQRT1_2);
        }
        for (int r = 0; r < nb; ++r) {
            double w = 0;
            for (int m = 0; m < nm; ++m) w += d[m] * N[m][nm + r] / N[m][m];
            // Placed on the 5 x 5 grid around the block.
            const int y = r / side - radius + kRadius, x = r % side - radius + kRadius;
            out.w[z][y * kSide + x] = float(w / 8);
        }
    }
}

Weights make_weights() {
    Weights out{};
    fit(out, 1, 2, kFirst, kSecondOrder);
    fit(out, 2, 3, kSecondOrder + 1, kLast);
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
        for (uint32_t z = kFirst; z <= kLast; ++z)
            if (p->coef_bits[c][z] != 0 || (p->coef_cut[c] != UINT32_MAX && p->coef_bits_cut[c][z] != 0)) return true;
    return false;
}

void jpeg_smooth_block(const JPEG_PROPERTIES* p, uint32_t c, uint32_t bx, uint32_t by, const int16_t* plane,
                       size_t stride, uint32_t plane_cols, uint32_t plane_rows, int16_t* block) {
    const int8_t* known = size_t(by) * stride + bx >= p->coef_cut[c] ? p->coef_bits_cut[c] : p->coef_bits[c];
    // DC itself unknown, or nothing missing: the block stays.
    if (known[0] < 0) return;
    bool missing = false;
    for (uint32_t z = kFirst; z <= kLast && !missing; ++z) missing = known[z] != 0 && block[jpeg_natural_order[z]] == 0;
    if (!missing) return;
    const uint16_t* q = p->quant_read[p->frame.components[c].tq & 3];
    float dc[kSide * kSide];
    for (int j = -kRadius; j <= kRadius; ++j)
        for (int i = -kRadius; i <= kRadius; ++i) {
            const int64_t x = std::clamp<int64_t>(int64_t(bx) + i, 0, int64_t(plane_cols) - 1);
            const int64_t y = std::clamp<int64_t>(int64_t(by) + j, 0, int64_t(plane_rows) - 1);
            dc[(j + kRadius) * kSide + i + kRadius] = float(plane[(size_t(y) * stride + size_t(x)) * 64]);
        }
    const Weights& w = weights();
    for (uint32_t z = kFirst; z <= kLast; ++z) {
        const int n = jpeg_natural_order[z];
        if (known[z] == 0 || block[n] != 0 || q[n] == 0) continue;
        float s = 0;
        for (int r = 0; r < kSide * kSide; ++r) s += w.w[z][r] * dc[r];
        // In the coefficient's own steps; where its high bits came (as zero),
        // below the first step they leave open.
        int32_t v = int32_t(std::lround(s * float(q[0]) / float(q[n])));
        if (known[z] > 0) {
            const int32_t lim = (1 << known[z]) - 1;
            v = std::clamp(v, -lim, lim);
        }
        block[n] = int16_t(std::clamp(v, -1023, 1023));
    }
}

}  // namespace velmora
