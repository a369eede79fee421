// jpeg/jpeg_output.cpp
#include "jpeg/jpeg_output.h"

#include <algorithm>
#include <cstring>

#include "jpeg/jpeg_color.h"
#include "jpeg/jpeg_mcu.h"

namespace velmora {

JPEG_RESULT jpeg_mcu_output_rect(const JPEG_RECT& region, int32_t w, int32_t h, uint32_t col, uint32_t row,
                                 int32_t channels, int32_t pitch, int32_t width, int32_t height,
                                 ptrdiff_t* offset, JPEG_RECT* rect) {
    const int64_t x0 = int64_t(col) * w, y0 = int64_t(row) * h;
    const int64_t ah = height < 0 ? -int64_t(height) : height;
    const bool none = region.left == 0 && region.top == 0 && region.right == 0 && region.bottom == 0;
    int64_t left, top, right, bottom;
    if (none) {
        *offset = ptrdiff_t(x0 * channels + y0 * pitch);
        left = 0, top = 0;
        right = std::min<int64_t>(w, width - x0);
        bottom = std::min<int64_t>(h, ah - y0);
    } else {
        const int64_t L = region.left, T = region.top, R = region.right, B = region.bottom;
        if (x0 >= R || x0 + w < L || y0 >= B || y0 + h < T) return JPEG_ERR_PARAMS;
        *offset = ptrdiff_t((x0 - L) * channels + (y0 - T) * pitch);
        left = std::max<int64_t>(L - x0, 0);
        top = std::max<int64_t>(T - y0, 0);
        right = std::min<int64_t>({int64_t(w), R - x0, L - x0 + width});
        bottom = std::min<int64_t>({int64_t(h), B - y0, T - y0 + ah});
    }
    // Nothing to write: an empty rectangle at the MCU's corner.
    if (right <= left || bottom <= top) left = top = right = bottom = 0;
    *rect = {int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
    return 0;
}

void jpeg_rect_intersect(JPEG_RECT* out, const JPEG_RECT& a, const JPEG_RECT& b) {
    if (a.left <= b.right && a.right >= b.left && a.top <= b.bottom && a.bottom >= b.top)
        *out = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    else
        *out = {0, 0, 0, 0};
}

bool jpeg_rect_equal(const JPEG_RECT& a, const JPEG_RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
bool jpeg_rect_differ(const JPEG_RECT& a, const JPEG_RECT& b) { return !jpeg_rect_equal(a, b); }

void jpeg_rect_offset(JPEG_RECT* out, const JPEG_RECT& r, int32_t x, int32_t y) {
    const JPEG_RECT empty = {0, 0, 0, 0};
    *out = jpeg_rect_equal(r, empty) ? r : JPEG_RECT{r.left + x, r.top + y, r.right + x, r.bottom + y};
}
void jpeg_rect_unoffset(JPEG_RECT* out, const JPEG_RECT& r, int32_t x, int32_t y) {
    jpeg_rect_offset(out, r, -x, -y);
}

namespace {

// One component of the MCU in the work buffer.
struct OutComp {
    uint32_t index;   // frame component, and so its channel
    uint32_t h, v;
    const int16_t* blocks;
};

// The components of the current MCU and its size in pixels at block size b.
struct McuLayout {
    OutComp comps[4];
    int n = 0;
    bool single = false;   // one block of one component of a separately coded image
    int32_t w = 0, h = 0;
};

uint32_t block_offset(const JPEG_FRAME& f, uint32_t index) {
    uint32_t o = 0;
    for (uint32_t i = 0; i < index && i < 4; ++i) o += f.components[i].h * f.components[i].v;
    return o;
}

McuLayout layout(const JPEG_PROPERTIES* p, int32_t b) {
    const JPEG_FRAME& f = p->frame;
    McuLayout m;
    const bool separate = p->non_interleaved && p->progressive_scans == 0 && p->scan;
    if (separate) {
        m.single = p->scan->ns == 1;
        for (uint32_t i = 0; i < p->scan->ns && i < 4; ++i) {
            const JPEG_SCAN_COMPONENT& c = p->scan->components[i];
            uint32_t off = m.single ? 0 : block_offset(f, c.index);
            m.comps[m.n++] = {c.index, c.h, c.v, p->work_blocks + off * 64};
        }
    } else {
        for (uint32_t i = 0; i < f.ncomps && i < 4; ++i)
            m.comps[m.n++] = {i, f.components[i].h, f.components[i].v, p->work_blocks + block_offset(f, i) * 64};
    }
    if (m.single) {
        m.w = int32_t(f.hmax / m.comps[0].h) * b;
        m.h = int32_t(f.vmax / m.comps[0].v) * b;
    } else {
        m.w = int32_t(f.hmax) * b;
        m.h = int32_t(f.vmax) * b;
    }
    return m;
}

// Fills the 32 x 32 component buffer: replication by the factors, or a copy of
// the samples as they stand when the blocks were transformed to the size they cover.
void fill_buffer(const JPEG_FRAME& f, const OutComp& c, int32_t b, bool prescaled, bool single, uint8_t* buf) {
    std::memset(buf, 0, 32 * 32);
    const uint32_t fh = f.hmax / c.h, fv = f.vmax / c.v;
    const uint32_t bh = single ? 1 : c.h, bv = single ? 1 : c.v;
    for (uint32_t by = 0; by < bv; ++by) {
        for (uint32_t bx = 0; bx < bh; ++bx) {
            const int16_t* blk = c.blocks + (by * bh + bx) * 64;
            if (prescaled) {
                const uint32_t sw = std::min<uint32_t>(fh * b, 8), sh = std::min<uint32_t>(fv * b, 8);
                for (uint32_t i = 0; i < sh; ++i)
                    for (uint32_t j = 0; j < sw; ++j)
                        buf[(by * fv * b + i) * 32 + bx * fh * b + j] = uint8_t(blk[i * 8 + j]);
                continue;
            }
            for (int32_t i = 0; i < b; ++i) {
                for (int32_t j = 0; j < b; ++j) {
                    const uint8_t s = uint8_t(blk[i * 8 + j]);
                    const uint32_t r0 = (by * b + i) * fv, c0 = (bx * b + j) * fh;
                    for (uint32_t di = 0; di < fv; ++di)
                        for (uint32_t dj = 0; dj < fh; ++dj) buf[(r0 + di) * 32 + c0 + dj] = s;
                }
            }
        }
    }
}

// The triangle filter for one component of MCU (col, row) of a smoothed walk:
// horizontally for components of half width (Vmax 1), in both directions for
// components of half width and height (Vmax 2). Each output sample weighs its
// chroma sample 3:1 against the nearer neighbour in each direction (the shifts
// are arithmetic; the +1/+2 and +8/+7 roundings alternate so that no direction
// is favoured). False when the component is not filtered.
bool fill_triangle(const JpegSmoothing& sm, const JPEG_FRAME& f, const OutComp& c, bool single, uint32_t col,
                   uint32_t row, uint8_t* buf) {
    const uint32_t fh = f.hmax / c.h, fv = f.vmax / c.v;
    if (fh != 2 || c.h != 1 || c.v != 1 || (sm.vertical ? fv != 2 : fv != 1)) return false;
    const int32_t b = sm.b;
    const uint32_t off = single ? 0 : block_offset(f, c.index);
    const int16_t* const rows = sm.rows;
    auto at = [&](int32_t x, int32_t y) -> int32_t {
        x = std::clamp(x, sm.xlo, sm.xhi);
        y = std::clamp(y, sm.ylo, sm.yhi);
        const uint32_t mx = uint32_t(x / b), my = uint32_t(y / b);
        return rows[size_t(my % 3) * sm.row_samples + (size_t(mx) * sm.blocks + off) * 64 + size_t(y % b) * 8 +
                    size_t(x % b)];
    };
    const int32_t x0 = int32_t(col) * b, y0 = int32_t(row) * b;
    for (int32_t i = 0; i < b; ++i) {
        const int32_t y = y0 + i;
        for (int32_t j = 0; j < b; ++j) {
            const int32_t x = x0 + j;
            const int32_t s = at(x, y), l = at(x - 1, y), r = at(x + 1, y);
            if (!sm.vertical) {
                buf[i * 32 + 2 * j] = uint8_t((3 * s + l + 1) >> 2);
                buf[i * 32 + 2 * j + 1] = uint8_t((3 * s + r + 2) >> 2);
                continue;
            }
            const int32_t u = at(x, y - 1), ul = at(x - 1, y - 1), ur = at(x + 1, y - 1);
            const int32_t d = at(x, y + 1), dl = at(x - 1, y + 1), dr = at(x + 1, y + 1);
            uint8_t* top = buf + (2 * i) * 32 + 2 * j;
            top[0] = uint8_t((9 * s + 3 * l + 3 * u + ul + 8) >> 4);
            top[1] = uint8_t((9 * s + 3 * r + 3 * u + ur + 7) >> 4);
            top[32] = uint8_t((9 * s + 3 * l + 3 * d + dl + 8) >> 4);
            top[33] = uint8_t((9 * s + 3 * r + 3 * d + dr + 7) >> 4);
        }
    }
    return true;
}

inline uint8_t* pixel(JPEG_PROPERTIES* p, ptrdiff_t off, int32_t x, int32_t y) {
    return p->image_data + off + ptrdiff_t(y) * p->image_pitch + ptrdiff_t(x) * p->image_channels;
}

// Writes one channel (at chan_off, the offset of the MCU's pixel plus the channel)
// from the component buffer, with the gray and alpha rules.
void put_channel(JPEG_PROPERTIES* p, const JPEG_RECT& r, uint32_t comp, ptrdiff_t chan_off, const uint8_t* buf) {
    const int32_t ch = p->image_channels;
    if (int32_t(comp) >= ch && p->image_color != JPEG_COLOR_YCBCR) return;
    const bool gray = p->stream_color == JPEG_COLOR_GRAY;
    const bool rgba = p->image_color == JPEG_COLOR_RGBA;
    const bool opaque = rgba && comp >= 3 &&
                        (p->stream_color == JPEG_COLOR_YCBCR || p->stream_color == JPEG_COLOR_RGB);
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            uint8_t* o = pixel(p, chan_off, x, y);
            const uint8_t s = buf[y * 32 + x];
            if (gray && rgba) {
                o[0] = o[1] = o[2] = s, o[3] = 255;
            } else if (opaque) {
                o[0] = 255;
            } else if (gray && ch >= 3 && (p->image_color == JPEG_COLOR_RGB || p->image_color == JPEG_COLOR_BGR)) {
                o[0] = o[1] = o[2] = s;
            } else {
                o[0] = s;
            }
        }
    }
}

// Up-samples the MCU's components and writes each into its channel.
void upsample_out(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, int32_t b, bool prescaled) {
    const JPEG_FRAME& f = p->frame;
    McuLayout m = layout(p, b);
    if (m.n == 0) return;
    const bool ycc = p->image_color == JPEG_COLOR_YCBCR;
    const uint32_t limit = ycc ? 3u : uint32_t(p->image_channels);
    if (m.single && m.comps[0].index >= limit) return;
    JPEG_RECT r;
    ptrdiff_t off = 0;
    if (jpeg_mcu_output_rect(p->region, m.w, m.h, col, row, p->image_channels, p->image_pitch, p->image_width,
                             p->image_height, &off, &r) != 0)
        return;
    p->output_offset = off;
    if (r.right <= r.left) return;
    const bool reversed = p->image_color == JPEG_COLOR_BGR && p->stream_color == JPEG_COLOR_RGB;
    uint8_t buf[32 * 32];
    uint32_t placed = 0;
    bool has_last = false;
    const JpegSmoothing* sm = prescaled ? nullptr : jpeg_smoothing_walk(p);
    for (int i = 0; i < m.n; ++i) {
        const OutComp& c = m.comps[i];
        if (c.index >= limit) continue;
        if (!sm || !fill_triangle(*sm, f, c, m.single, col, row, buf)) fill_buffer(f, c, b, prescaled, m.single, buf);
        if (ycc) {
            // Two-byte 4:2:2 pixels: Y, then Cb on even and Cr on odd pixels.
            for (int32_t y = r.top; y < r.bottom; ++y) {
                for (int32_t x = r.left; x < r.right; ++x) {
                    if (c.index == 0) {
                        pixel(p, off, x, y)[0] = buf[y * 32 + x];
                    } else if (((x - r.left) & 1) == 0) {
                        if (c.index == 1) pixel(p, off, x, y)[1] = buf[y * 32 + x];
                        else if (x + 1 < r.right) pixel(p, off, x + 1, y)[1] = buf[y * 32 + x];
                    }
                }
            }
        } else {
            const uint32_t channel = reversed && c.index < 3 ? 2 - c.index : c.index;
            put_channel(p, r, c.index, off + ptrdiff_t(channel), buf);
        }
        placed = std::max(placed, c.index + 1);
        if (c.index + 1 == f.ncomps) has_last = true;
    }
    // Channels beyond the components: alpha, or copies of the last component.
    if (ycc || p->stream_color == JPEG_COLOR_GRAY) return;
    if (p->image_color == JPEG_COLOR_OTHER && p->stream_color == JPEG_COLOR_OTHER) return;
    if (m.single && !has_last) return;
    for (uint32_t k = placed; k < uint32_t(p->image_channels); ++k) put_channel(p, r, k, off + ptrdiff_t(k), buf);
}

// The 1x1 components placed channel by channel, without up-sampling or conversion.
void plain_out(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, int32_t b) {
    JPEG_RECT r;
    ptrdiff_t off = 0;
    if (jpeg_mcu_output_rect(p->region, b, b, col, row, p->image_channels, p->image_pitch, p->image_width,
                             p->image_height, &off, &r) != 0)
        return;
    p->output_offset = off;
    const uint32_t n = p->frame.ncomps;
    const bool reversed = p->image_color == JPEG_COLOR_BGR && p->stream_color == JPEG_COLOR_RGB;
    const bool gray = p->stream_color == JPEG_COLOR_GRAY;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            uint8_t* o = pixel(p, off, x, y);
            for (int32_t k = 0; k < p->image_channels; ++k) {
                if (gray && k > 0) {
                    o[k] = k == 3 ? 255 : o[k - 1];
                } else if (uint32_t(k) < n) {
                    const uint32_t comp = reversed && k < 3 ? 2 - k : uint32_t(k);
                    o[k] = uint8_t(p->work_blocks[comp * 64 + y * 8 + x]);
                } else if (k == 3 && p->image_color == JPEG_COLOR_RGBA) {
                    o[k] = 255;
                }
            }
        }
    }
}

void convert_pixel_in_place(uint8_t* o, int32_t ch, int32_t image_color, int32_t stream_color) {
    uint8_t rgb[3];
    jpeg_ycc_to_rgb(o[0], o[1], o[2], true, rgb);
    if (ch == 3) {
        if (image_color == JPEG_COLOR_BGR) o[0] = rgb[2], o[1] = rgb[1], o[2] = rgb[0];
        else o[0] = rgb[0], o[1] = rgb[1], o[2] = rgb[2];
    } else if (ch == 4) {
        if (stream_color == JPEG_COLOR_YCBCRA)
            o[0] = uint8_t(255 - rgb[0]), o[1] = uint8_t(255 - rgb[1]), o[2] = uint8_t(255 - rgb[2]);
        else if (stream_color == JPEG_COLOR_YCBCR)
            o[0] = rgb[0], o[1] = rgb[1], o[2] = rgb[2];
    }
}

void convert_in_place(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, int32_t b) {
    const int32_t ic = p->image_color;
    if (ic != JPEG_COLOR_RGB && ic != JPEG_COLOR_BGR && ic != JPEG_COLOR_RGBA) return;
    if (p->image_channels < 3) return;
    JPEG_RECT r;
    ptrdiff_t off = 0;
    if (jpeg_mcu_output_rect(p->region, int32_t(p->frame.hmax) * b, int32_t(p->frame.vmax) * b, col, row,
                             p->image_channels, p->image_pitch, p->image_width, p->image_height, &off, &r) != 0)
        return;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            convert_pixel_in_place(pixel(p, off, x, y), p->image_channels, ic, p->stream_color);
}

}  // namespace

void jpeg_output_plain(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) { plain_out(p, col, row, 8); }

void jpeg_output_generic_scan(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) { upsample_out(p, col, row, 8, false); }

void jpeg_output_generic_frame(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) {
    upsample_out(p, col, row, 8, false);
}

void jpeg_output_generic(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) {
    if (p->progressive_scans) jpeg_output_generic_frame(p, col, row);
    else jpeg_output_generic_scan(p, col, row);
    convert_in_place(p, col, row, 8);
}

void jpeg_output_single_ycbcr(JPEG_PROPERTIES* p, uint32_t col, uint32_t row) { upsample_out(p, col, row, 8, false); }

void jpeg_output_scaled_mcu(JPEG_PROPERTIES* p, uint32_t col, uint32_t row, int32_t b, bool prescaled) {
    const bool us = p->upsample != 0, cc = p->convert_color != 0;
    if (p->non_interleaved && p->progressive_scans == 0) {
        upsample_out(p, col, row, b, prescaled);
    } else if (us && cc) {
        upsample_out(p, col, row, b, prescaled);
        convert_in_place(p, col, row, b);
    } else if (cc) {
        plain_out(p, col, row, b);
        convert_in_place(p, col, row, b);
    } else if (us || p->image_color == JPEG_COLOR_YCBCR) {
        upsample_out(p, col, row, b, prescaled);
    } else {
        plain_out(p, col, row, b);
    }
}

void jpeg_finish_buffered(JPEG_PROPERTIES* p) {
    if (p->component_planes || !p->image_data) return;   // no picture was written
    const int32_t ic = p->image_color;
    if ((ic != JPEG_COLOR_RGB && ic != JPEG_COLOR_BGR && ic != JPEG_COLOR_RGBA) || !p->convert_color) return;
    if (p->image_channels < 3) return;
    const JPEG_RECT& g = p->region;
    const int64_t ah = p->image_height < 0 ? -int64_t(p->image_height) : p->image_height;
    int64_t rows = g.top == g.bottom ? ah : int64_t(g.bottom) - g.top;
    int64_t cols = g.right - g.left;
    if (cols <= 0) cols = p->image_width;
    // A region larger than the image must not reach past the image's rows.
    rows = std::clamp<int64_t>(rows, 0, ah);
    cols = std::clamp<int64_t>(cols, 0, p->image_width);
    for (int64_t y = rows - 1; y >= 0; --y) {
        for (int64_t x = 0; x < cols; ++x) {
            uint8_t* o = p->image_data + ptrdiff_t(y) * p->image_pitch + ptrdiff_t(x) * p->image_channels;
            convert_pixel_in_place(o, p->image_channels, ic, p->stream_color);
            if (p->image_channels == 4 && p->stream_color == JPEG_COLOR_YCBCR) o[3] = 255;
        }
    }
}

}  // namespace velmora
