// Corrupt pictures: truncated at every offset and with flipped bits, through
// every read operation. Each read ends with a result and never touches memory
// outside the stream or the image (the sanitizer build checks that).
#include "tests/jpeg/jpeg_decode_helpers.h"

#include <gtest/gtest.h>

#include "tests/jpeg/jpeg_oracle.h"

namespace {

using namespace velmora;

// Reads the bytes as the picture loaders do, into an image of the size announced.
JPEG_RESULT read_any(const std::vector<uint8_t>& d, int op, int color = JPEG_COLOR_RGB, int ch = 3) {
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    jpeg_init(p);
    p->stream_data = d.data();
    p->stream_size = int32_t(d.size());
    JPEG_RESULT r = jpeg_read(p, JPEG_OP_PARAMS_MEM);
    std::vector<uint8_t> px;
    if (r == 0 && p->stream_width > 0 && p->stream_height > 0 && p->stream_width * p->stream_height <= (1 << 20)) {
        px.resize(size_t(p->stream_width) * size_t(p->stream_height) * size_t(ch));
        p->image_data = px.data();
        p->image_width = p->stream_width;
        p->image_height = p->stream_height;
        p->image_channels = ch;
        p->image_color = color;
        r = jpeg_read(p, op);
    }
    jpeg_free(p);
    return r;
}

std::vector<std::vector<uint8_t>> seeds() {
    std::vector<std::vector<uint8_t>> out;
    oracle::Vorgabe s;
    s.width = 19, s.height = 13, s.quality = 60;
    out.push_back(oracle::encode(s));
    s.progressive = true;
    out.push_back(oracle::encode(s));
    s.progressive = false, s.restart_mcus = 1, s.h0 = 1, s.v0 = 1;
    out.push_back(oracle::encode(s));
    s.restart_mcus = 0, s.space = oracle::Space::Gray, s.progressive = true;
    out.push_back(oracle::encode(s));
    s.space = oracle::Space::YCbCr, s.progressive = false, s.separate_scans = true, s.h0 = 2, s.v0 = 2;
    out.push_back(oracle::encode(s));
    return out;
}

TEST(JpegCorrupt, TruncationAtEveryOffset) {
    int failures = 0;
    for (const auto& full : seeds()) {
        for (size_t n = 0; n < full.size(); ++n) {
            std::vector<uint8_t> cut(full.begin(), full.begin() + ptrdiff_t(n));
            if (cut.empty()) cut.push_back(0xFF);
            JPEG_RESULT r = read_any(cut, JPEG_OP_IMAGE_MEM);
            EXPECT_LE(r, 2);
            if (r < 0) ++failures;
        }
        // The complete picture still decodes.
        EXPECT_EQ(read_any(full, JPEG_OP_IMAGE_MEM), 0);
    }
    EXPECT_GT(failures, 0);
}

TEST(JpegCorrupt, FlippedBitsEverywhere) {
    uint32_t rng = 12345;
    for (const auto& full : seeds()) {
        for (int round = 0; round < 400; ++round) {
            std::vector<uint8_t> d = full;
            int flips = 1 + round % 4;
            for (int i = 0; i < flips; ++i) {
                rng = rng * 1664525u + 1013904223u;
                size_t at = (rng >> 8) % d.size();
                d[at] ^= uint8_t(1u << (rng >> 29));
            }
            static const int ops[] = {JPEG_OP_IMAGE_MEM, JPEG_OP_HALF_MEM, JPEG_OP_EIGHTH_MEM};
            EXPECT_LE(read_any(d, ops[round % 3], round % 2 ? JPEG_COLOR_BGR : JPEG_COLOR_RGB), 2);
        }
    }
}

TEST(JpegCorrupt, RandomBytesAfterAHeader) {
    uint32_t rng = 99;
    const auto full = seeds()[0];
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> d = full;
        for (size_t i = full.size() / 2; i < d.size(); ++i) {
            rng = rng * 1664525u + 1013904223u;
            d[i] = uint8_t(rng >> 24);
        }
        EXPECT_LE(read_any(d, JPEG_OP_IMAGE_MEM, JPEG_COLOR_RGBA, 4), 2);
    }
}

}  // namespace
