// libFuzzer target: jpeg_write of pictures made from the input. The first
// bytes choose the colour layout and subsampling, the size (up to 64 x 64),
// quality, transform, baseline or progressive (and so its scan script), a
// restart interval, the processor class, the row padding and orientation, and
// whether the picture is given as pixels, as component sample planes or as
// quantised coefficient planes; the rest of the input fills it. Every write must
// succeed; a baseline write interrupted after every MCU must give the same
// bytes; the codec's decoder must read every file back, and coefficient planes
// must come back exactly (held to the range the code carries).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_lib.h"

namespace {

using namespace velmora;

struct Layout {
    int32_t image_color, channels, stream_color, stream_channels, sampling;
};

const Layout kLayouts[] = {
    {JPEG_COLOR_GRAY, 1, JPEG_COLOR_GRAY, 1, JPEG_SAMPLING_444},
    {JPEG_COLOR_RGB, 3, JPEG_COLOR_YCBCR, 3, JPEG_SAMPLING_420},
    {JPEG_COLOR_RGB, 3, JPEG_COLOR_YCBCR, 3, JPEG_SAMPLING_422},
    {JPEG_COLOR_RGB, 3, JPEG_COLOR_YCBCR, 3, JPEG_SAMPLING_444},
    {JPEG_COLOR_BGR, 3, JPEG_COLOR_YCBCR, 3, JPEG_SAMPLING_420},
    {JPEG_COLOR_RGB, 3, JPEG_COLOR_GRAY, 1, JPEG_SAMPLING_444},
    {JPEG_COLOR_RGB, 3, JPEG_COLOR_RGB, 3, JPEG_SAMPLING_444},
    {JPEG_COLOR_RGBA, 4, JPEG_COLOR_YCBCRA, 4, JPEG_SAMPLING_4_420},
    {JPEG_COLOR_RGBA, 4, JPEG_COLOR_YCBCRA, 4, JPEG_SAMPLING_4_422},
    {JPEG_COLOR_RGBA, 4, JPEG_COLOR_RGBA, 4, JPEG_SAMPLING_444},
    {JPEG_COLOR_RGB, 4, JPEG_COLOR_YCBCR, 3, JPEG_SAMPLING_422},
    {JPEG_COLOR_YCBCR, 3, JPEG_COLOR_YCBCR, 3, JPEG_SAMPLING_420},
    {JPEG_COLOR_OTHER, 2, JPEG_COLOR_OTHER, 2, JPEG_SAMPLING_444},
    {JPEG_COLOR_OTHER, 3, JPEG_COLOR_OTHER, 3, JPEG_SAMPLING_444},
};

struct Choice {
    Layout layout;
    int width, height, quality, pad, cpu_class;
    uint32_t transform, progressive, restart, mode;   // mode 0 pixels, 1 sample planes, 2 coefficient planes
    bool bottom_up, stepped;
};

// The component planes of a frame, in the decoder's layout.
struct Planes {
    JPEG_COMPONENT_PLANES record{};
    std::vector<int16_t> store[4];
    uint32_t cols[4]{}, rows[4]{};   // blocks
};

Planes make_planes(const JPEG_FRAME& f, uint32_t samples) {
    Planes pl;
    pl.record.samples = samples;
    for (uint32_t c = 0; c < f.ncomps && c < 4; ++c) {
        pl.cols[c] = f.mcus_per_row * f.components[c].h, pl.rows[c] = f.mcu_rows * f.components[c].v;
        pl.store[c].assign(size_t(pl.cols[c]) * pl.rows[c] * 64, 0);
        pl.record.plane[c] = pl.store[c].data();
        pl.record.capacity[c] = size_t(pl.cols[c]) * pl.rows[c];
    }
    return pl;
}

// The frame the writer will use: MCU grid of the sampling.
JPEG_FRAME frame_of(const Choice& c, JPEG_COMPONENT* comps) {
    JPEG_FRAME f{};
    f.ncomps = uint32_t(c.layout.stream_channels);
    const int32_t s = c.layout.sampling;
    for (uint32_t i = 0; i < f.ncomps; ++i) {
        const bool lead = i == 0 || i == 3;
        comps[i] = {i, lead && s >= 1 && s <= 4 ? 2u : 1u, lead && (s == 1 || s == 3) ? 2u : 1u, 0};
    }
    f.components = comps;
    f.hmax = comps[0].h, f.vmax = comps[0].v;
    f.mcus_per_row = uint32_t(c.width + 8 * int(f.hmax) - 1) / (8 * f.hmax);
    f.mcu_rows = uint32_t(c.height + 8 * int(f.vmax) - 1) / (8 * f.vmax);
    return f;
}

[[noreturn]] void fail() { __builtin_trap(); }

std::vector<uint8_t> write(const Choice& c, const std::vector<uint8_t>& px, Planes* planes, bool stepped) {
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    if (jpeg_init(p) != 0) fail();
    jpeg_fill_kernels(p->props.stream.environment, c.cpu_class);
    // Room for the worst case: every coefficient at its largest (about 26 bits each).
    std::vector<uint8_t> out(size_t(c.width + 16) * size_t(c.height + 16) * 4 * 4 + 8192);
    p->image_data = planes ? nullptr : const_cast<uint8_t*>(px.data());
    p->image_width = c.width;
    p->image_height = c.bottom_up ? -c.height : c.height;
    p->image_pad_bytes = c.pad;
    p->image_channels = c.layout.channels;
    p->image_color = c.layout.image_color;
    p->stream_width = c.width;
    p->stream_height = c.height;
    p->stream_channels = c.layout.stream_channels;
    p->stream_color = c.layout.stream_color;
    p->stream_sampling = c.layout.sampling;
    p->quality = c.quality;
    p->stream_data = out.data();
    p->stream_size = int32_t(out.size());
    p->props.idct_kind = c.transform;
    p->props.progressive_scans = c.progressive;
    p->props.restart_interval = c.restart;
    if (planes) p->props.component_planes = &planes->record;
    JPEG_RESULT r;
    int calls = 0;
    do {
        p->props.mcu_step = stepped ? 1 : 0;
        r = jpeg_write(p, JPEG_OP_WRITE_IMAGE_MEM);
    } while (r == JPEG_INTERRUPT_SUCCESS && ++calls < (1 << 16));
    if (r != 0) {
        std::fprintf(stderr, "write: %d\n", r);
        fail();
    }
    out.resize(size_t(p->stream_size));
    jpeg_free(p);
    return out;
}

// Reads the file back: its size must be the picture's; with coefficient
// planes, the blocks inside each component's grid must be the ones written.
void read_back(const Choice& c, const std::vector<uint8_t>& jpg, const Planes* written) {
    auto holder = std::make_unique<JPEG_IMAGE_PARAMS>();
    JPEG_IMAGE_PARAMS* p = holder.get();
    if (jpeg_init(p) != 0) fail();
    p->stream_data = jpg.data();
    p->stream_size = int32_t(jpg.size());
    if (jpeg_read(p, JPEG_OP_PARAMS_MEM) != 0) fail();
    if (p->stream_width != c.width || p->stream_height != c.height || p->stream_channels != c.layout.stream_channels)
        fail();
    const int ch = p->stream_channels == 1 ? 1 : p->stream_channels == 4 ? 4 : 3;
    std::vector<uint8_t> px(size_t(c.width) * c.height * ch);
    p->image_data = px.data();
    p->image_width = c.width;
    p->image_height = c.height;
    p->image_channels = ch;
    p->image_color = ch == 1 ? JPEG_COLOR_GRAY : ch == 4 ? JPEG_COLOR_RGBA : JPEG_COLOR_RGB;
    if (p->stream_channels == 2 || c.layout.stream_color == JPEG_COLOR_OTHER) {
        p->stream_color = JPEG_COLOR_OTHER;
        p->image_color = JPEG_COLOR_OTHER;
        p->image_channels = p->stream_channels;
        px.resize(size_t(c.width) * c.height * size_t(p->stream_channels));
        p->image_data = px.data();
    }
    Planes back;
    if (written) {
        back = make_planes(p->props.frame, 0);
        p->props.component_planes = &back.record;
    }
    if (jpeg_read(p, JPEG_OP_IMAGE_MEM) != 0) fail();
    if (written) {
        const JPEG_FRAME& f = p->props.frame;
        for (uint32_t i = 0; i < f.ncomps; ++i) {
            const uint32_t bw = ((uint32_t(c.width) * f.components[i].h + f.hmax - 1) / f.hmax + 7) / 8;
            const uint32_t bh = ((uint32_t(c.height) * f.components[i].v + f.vmax - 1) / f.vmax + 7) / 8;
            for (uint32_t by = 0; by < bh; ++by)
                for (uint32_t bx = 0; bx < bw; ++bx) {
                    const size_t at = (size_t(by) * back.cols[i] + bx) * 64;
                    for (uint32_t k = 0; k < 64; ++k) {
                        const int lo = k == 0 ? -1024 : -1023;
                        const int want = std::clamp<int>(written->store[i][at + k], lo, 1023);
                        if (back.store[i][at + k] != want) fail();
                    }
                }
        }
    }
    jpeg_free(p);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    Choice c;
    c.layout = kLayouts[data[0] % (sizeof kLayouts / sizeof kLayouts[0])];
    c.width = data[1] % 64 + 1;
    c.height = data[2] % 64 + 1;
    c.quality = data[3] % 100 + 1;
    c.transform = data[4] & 1;
    c.progressive = (data[4] >> 1) & 1;
    c.bottom_up = (data[4] >> 2) & 1;
    c.mode = ((data[4] >> 3) & 3) % 3;
    c.stepped = (data[4] >> 5) & 1;
    c.restart = data[5] % 4;
    c.cpu_class = data[6] % 7;
    c.pad = data[7] % 4;
    // Planes come with the image side that names the stream's own layout.
    if (c.mode != 0) {
        const int32_t sc = c.layout.stream_color;
        c.layout.image_color = sc == JPEG_COLOR_YCBCRA ? JPEG_COLOR_RGBA : sc;
        c.layout.channels = c.layout.stream_channels;
    }
    const uint8_t* fill = data + 8;
    const size_t n = size - 8;
    Planes planes;
    std::vector<uint8_t> px;
    if (c.mode == 0) {
        px.resize((size_t(c.width) * c.layout.channels + size_t(c.pad)) * size_t(c.height));
        for (size_t i = 0; i < px.size(); ++i) px[i] = fill[i % n];
    } else {
        JPEG_COMPONENT comps[4];
        planes = make_planes(frame_of(c, comps), c.mode == 1);
        size_t k = 0;
        for (uint32_t i = 0; i < uint32_t(c.layout.stream_channels); ++i)
            for (int16_t& v : planes.store[i]) {
                // Samples as bytes (some out of range); coefficients signed and spread.
                const uint8_t a = fill[k++ % n], b = fill[k++ % n];
                v = c.mode == 1 ? int16_t(a) - (b == 0xFF ? 300 : 0) : int16_t(uint16_t(a) << 8 | b) >> (b & 7);
            }
    }
    const std::vector<uint8_t> jpg = write(c, px, c.mode ? &planes : nullptr, false);
    if (c.stepped && !c.progressive && write(c, px, c.mode ? &planes : nullptr, true) != jpg) fail();
    read_back(c, jpg, c.mode == 2 ? &planes : nullptr);
    return 0;
}
