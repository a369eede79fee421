// jpeg/jpeg_input.cpp
#include "jpeg/jpeg_input.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "jpeg/jpeg_env.h"
#include "jpeg/jpeg_huff.h"
#include "jpeg/jpeg_idct.h"

namespace velmora {
namespace {

inline uint32_t be16(const uint8_t* b) { return uint32_t(b[0]) << 8 | b[1]; }

inline void advance(JPEG_STREAM* s, uint32_t n) {
    s->current += n;
    s->left -= int32_t(n);
    s->consumed += n;
}

// The payload of one segment; frees its block on every exit path.
struct Segment {
    const uint8_t* data = nullptr;
    uint8_t* block = nullptr;
    uint32_t size = 0;
    ~Segment() { delete[] block; }
};

// Reads the 16-bit length and the payload after it; lengths below 2 give -21.
JPEG_RESULT read_payload(JPEG_STREAM* s, Segment& seg) {
    uint32_t len = 0;
    JPEG_RESULT r = jpeg_read_word(s, &len);
    if (r != 0) return r;
    if (len < 2) return JPEG_ERR_DATA;
    seg.size = len - 2;
    if (seg.size == 0) {
        static const uint8_t none = 0;
        seg.data = &none;
        return 0;
    }
    return jpeg_read_segment(s, seg.size, &seg.data, &seg.block);
}

// Passes over n bytes of a segment; false when the data end first.
bool skip_bytes(JPEG_STREAM* s, uint32_t n) {
    while (n > 0) {
        if (s->left <= 0 && (s->file < 0 || jpeg_stream_refill(s) != 0)) {
            s->data_end = 1;
            return false;
        }
        uint32_t piece = n < uint32_t(s->left) ? n : uint32_t(s->left);
        advance(s, piece);
        n -= piece;
    }
    return true;
}

}  // namespace

void jpeg_stream_reset(JPEG_STREAM* s) {
    if (s->file >= 0) {
        s->current = s->buffer + sizeof(s->buffer);
        s->end = s->current;
        s->left = 0;
    } else {
        s->current = s->start;
        s->end = s->start ? s->start + s->size : s->start;
        s->left = int32_t(s->size);
    }
    s->bits = 0;
    s->bit_count = 0;
    s->marker = 0;
    s->components_done = 0;
    s->components_seen = 0;
    s->eob_run = 0;
    s->starved = s->bad_code = s->data_end = 0;
    s->fault = 0;
}

JPEG_RESULT jpeg_stream_refill(JPEG_STREAM* s) {
    int64_t got = s->file >= 0 ? jpeg_file_read(s->file, s->buffer, sizeof(s->buffer)) : -1;
    s->current = s->buffer;
    // A failed read counts as the end of the file: the buffer stays empty and the
    // caller must not ask again and again.
    if (got <= 0) {
        s->end = s->buffer;
        s->left = 0;
        s->data_end = 1;
        return JPEG_ERR_FILE;
    }
    s->end = s->buffer + got;
    s->left = int32_t(got);
    return 0;
}

JPEG_RESULT jpeg_stream_take(JPEG_STREAM* s, uint32_t n, const uint8_t** out) {
    *out = nullptr;
    if (int64_t(n) > s->left) {
        if (s->file < 0) {
            s->data_end = 1;
            return JPEG_ERR_MEMORY;
        }
        if (s->left == 0) {
            JPEG_RESULT r = jpeg_stream_refill(s);
            if (r != 0) return r;
        }
        if (int64_t(n) > s->left) return JPEG_ERR_INTERNAL;
    }
    *out = s->current;
    advance(s, n);
    return 0;
}

JPEG_RESULT jpeg_read_segment(JPEG_STREAM* s, uint32_t n, const uint8_t** data, uint8_t** block) {
    *data = nullptr;
    *block = nullptr;
    if (int64_t(n) <= s->left) {
        *data = s->current;
        advance(s, n);
        return 0;
    }
    if (s->file < 0) {
        s->data_end = 1;
        return JPEG_ERR_DATA;
    }
    uint8_t* b = new (std::nothrow) uint8_t[n];
    if (!b) return JPEG_ERR_MEMORY;
    uint32_t have = uint32_t(s->left);
    std::memcpy(b, s->current, have);
    advance(s, have);
    while (have < n) {
        if (jpeg_stream_refill(s) != 0) {
            delete[] b;
            return JPEG_ERR_DATA;
        }
        uint32_t piece = n - have < uint32_t(s->left) ? n - have : uint32_t(s->left);
        std::memcpy(b + have, s->current, piece);
        advance(s, piece);
        have += piece;
    }
    *data = b;
    *block = b;
    return 0;
}

JPEG_RESULT jpeg_read_word(JPEG_STREAM* s, uint32_t* value) {
    Segment seg;
    JPEG_RESULT r = jpeg_read_segment(s, 2, &seg.data, &seg.block);
    if (r != 0) return r;
    *value = be16(seg.data);
    return 0;
}

namespace {

// Makes at least one byte available; false at the end of the data (*err set).
bool ensure_byte(JPEG_STREAM* s, JPEG_RESULT* err) {
    if (s->left > 0) return true;
    if (s->file < 0) {
        s->data_end = 1;
        *err = JPEG_ERR_MEMORY;
        return false;
    }
    *err = jpeg_stream_refill(s);
    return *err == 0;
}

}  // namespace

JPEG_RESULT jpeg_seek_marker(JPEG_STREAM* s) {
    JPEG_RESULT err = 0;
    for (;;) {
        if (!ensure_byte(s, &err)) return err;
        uint8_t b = *s->current;
        advance(s, 1);
        if (b != 0xFF) continue;
        for (;;) {
            if (!ensure_byte(s, &err)) return 1;   // the data end right after an 0xFF
            uint8_t next = *s->current;
            if (next == 0xFF) {                    // fill byte
                advance(s, 1);
                continue;
            }
            if (next == 0x00) {                    // stuffed zero, not a marker
                advance(s, 1);
                break;
            }
            return 0;
        }
    }
}

JPEG_RESULT jpeg_read_marker(JPEG_STREAM* s, uint32_t* code) {
    if (s->marker != 0) {
        *code = s->marker;
        s->marker = 0;
        return 0;
    }
    JPEG_RESULT r = jpeg_seek_marker(s);
    if (r < 0) return r;
    if (r == 1) {
        *code = 256;
        return 0;
    }
    *code = *s->current;
    advance(s, 1);
    return 0;
}

JPEG_RESULT jpeg_skip_segment(JPEG_STREAM* s) {
    uint32_t len = 0;
    JPEG_RESULT r = jpeg_read_word(s, &len);
    if (r != 0) return r;
    if (len < 2) return JPEG_ERR_DATA;
    uint32_t rest = len - 2;
    while (rest > 0) {
        if (s->left == 0) {
            if (s->file < 0 || jpeg_stream_refill(s) != 0) return JPEG_ERR_DATA;
        }
        uint32_t piece = rest < uint32_t(s->left) ? rest : uint32_t(s->left);
        if (piece > 4096) piece = 4096;
        advance(s, piece);
        rest -= piece;
    }
    return 0;
}

JPEG_RESULT jpeg_parse_dri(JPEG_STREAM* s, uint32_t* interval) {
    Segment seg;
    JPEG_RESULT r = read_payload(s, seg);
    if (r != 0) return r;
    if (seg.size < 2) return JPEG_ERR_DATA;   // the interval would lie beyond the segment
    *interval = be16(seg.data);
    return 0;
}

void jpeg_frame_geometry(JPEG_PROPERTIES* p) {
    JPEG_FRAME& f = p->frame;
    uint32_t hmax = 1, vmax = 1;
    for (uint32_t i = 0; i < f.ncomps && i < 4; ++i) {
        if (f.components[i].h > hmax) hmax = f.components[i].h;
        if (f.components[i].v > vmax) vmax = f.components[i].v;
    }
    f.hmax = hmax;
    f.vmax = vmax;
    f.mcus_per_row = (f.width + 8 * hmax - 1) / (8 * hmax);
    f.mcu_rows = (f.height + 8 * vmax - 1) / (8 * vmax);
    f.mcu_count = f.mcus_per_row * f.mcu_rows;
    bool separate = p->non_interleaved && p->progressive_scans == 0;
    f.mcu_width = separate ? 8 : 8 * hmax;
    f.mcu_height = separate ? 8 : 8 * vmax;
    p->mcus_per_row = f.mcus_per_row;
    p->mcu_rows = f.mcu_rows;
}

JPEG_RESULT jpeg_parse_sof(JPEG_STREAM* s, JPEG_PROPERTIES* p) {
    Segment seg;
    JPEG_RESULT r = read_payload(s, seg);
    if (r != 0) return r;
    JPEG_FRAME& f = p->frame;
    if (seg.size < 6) return JPEG_ERR_SOF;
    jpeg_zero_bytes(f.components, 4 * sizeof(JPEG_COMPONENT));
    const uint8_t* d = seg.data;
    uint32_t nf = d[5];
    // Only four components fit the component table: more are refused before
    // anything is stored, and so is a frame without components.
    if (nf == 0 || nf > 4) {
        f.ncomps = 0;
        return JPEG_ERR_COMP;
    }
    if (d[0] != 8) return JPEG_ERR_UNSUPPORTED_FRAME;
    if (be16(d + 1) == 0) return JPEG_ERR_DNL;
    if (be16(d + 3) == 0) return JPEG_ERR_SOF;
    if (seg.size < 6 + 3 * nf) return JPEG_ERR_SOF;
    uint32_t hmax = 1, vmax = 1;
    for (uint32_t i = 0; i < nf; ++i) {
        const uint8_t* c = d + 6 + 3 * i;
        uint32_t h = c[1] >> 4, v = c[1] & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4) return JPEG_ERR_SOF;
        hmax = std::max(hmax, h), vmax = std::max(vmax, v);
    }
    // The samples the frame declares, each component at its own resolution:
    // over the limit, the frame is refused before anything is sized for it.
    uint64_t samples = 0;
    for (uint32_t i = 0; i < nf; ++i) {
        const uint8_t* c = d + 6 + 3 * i;
        const uint64_t h = nf == 1 ? 1 : c[1] >> 4, v = nf == 1 ? 1 : c[1] & 15;
        const uint64_t fh = nf == 1 ? 1 : hmax, fv = nf == 1 ? 1 : vmax;
        samples += (uint64_t(be16(d + 3)) * h + fh - 1) / fh * ((uint64_t(be16(d + 1)) * v + fv - 1) / fv);
    }
    if (samples > jpeg_sample_limit(s->environment)) return JPEG_ERR_FRAME_TOO_LARGE;
    f.precision = d[0];
    f.height = be16(d + 1);
    f.width = be16(d + 3);
    f.ncomps = nf;
    for (uint32_t i = 0; i < nf; ++i) {
        const uint8_t* c = d + 6 + 3 * i;
        f.components[i].id = c[0];
        f.components[i].h = c[1] >> 4;
        f.components[i].v = c[1] & 15;
        f.components[i].tq = c[2];
    }
    // A single-component image is always coded one block per MCU; its factors
    // carry no meaning.
    if (nf == 1) f.components[0].h = f.components[0].v = 1;
    jpeg_frame_geometry(p);
    return 0;
}

JPEG_RESULT jpeg_parse_app14(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    uint32_t len = 0;
    JPEG_RESULT r = jpeg_read_word(s, &len);
    if (r != 0) return r;
    if (len < 2) return JPEG_ERR_DATA;
    // Too short to be Adobe's: passed over by its length, so that none of its bytes
    // can pass for a marker.
    if (len - 2 <= 11) return skip_bytes(s, len - 2) ? 0 : JPEG_ERR_DATA;
    Segment seg;
    seg.size = len - 2;
    r = jpeg_read_segment(s, seg.size, &seg.data, &seg.block);
    if (r != 0) return r;
    const uint8_t* d = seg.data;
    if (std::memcmp(d, "Adobe", 5) == 0) {
        p->adobe_version = uint16_t(be16(d + 5));
        p->adobe_flags0 = uint16_t(be16(d + 7));
        p->adobe_flags1 = uint16_t(be16(d + 9));
        p->adobe_transform = d[11];
        p->adobe_found = 1;
    }
    return 0;
}

namespace {

// Writes an RGB thumbnail of w x h pixels (3 bytes each) into the image rows.
// The image must hold it: a smaller image refuses it with -26.
JPEG_RESULT put_thumbnail_rgb(JPEG_PROPERTIES* p, const uint8_t* px, uint32_t w, uint32_t h) {
    int32_t rows = p->image_height < 0 ? -p->image_height : p->image_height;
    if (!p->image_data || p->image_channels < 3 || uint32_t(p->image_width) < w || uint32_t(rows) < h)
        return JPEG_ERR_THUMB_SMALL;
    for (uint32_t y = 0; y < h; ++y) {
        uint8_t* row = p->image_data + ptrdiff_t(y) * p->image_pitch;
        const uint8_t* src = px + size_t(y) * w * 3;
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* o = row + size_t(x) * uint32_t(p->image_channels);
            if (p->image_color == JPEG_COLOR_RGB) {
                o[0] = src[3 * x], o[1] = src[3 * x + 1], o[2] = src[3 * x + 2];
            } else {
                o[0] = src[3 * x + 2], o[1] = src[3 * x + 1], o[2] = src[3 * x];
            }
        }
    }
    return 0;
}

bool thumbnail_operation(const JPEG_PROPERTIES* p) {
    return p->operation == JPEG_OP_THUMB_FILE || p->operation == JPEG_OP_THUMB_MEM;
}

JPEG_RESULT thumbnail_rgb(JPEG_PROPERTIES* p, const Segment& seg, uint32_t w, uint32_t h,
                          uint32_t header) {
    if (w == 0 || h == 0) return 0;
    p->thumb_width = int32_t(w);
    p->thumb_height = int32_t(h);
    if (!thumbnail_operation(p)) return 0;
    if (seg.size < header + 3 * w * h) return 0;
    return put_thumbnail_rgb(p, seg.data + header, w, h);
}

}  // namespace

JPEG_RESULT jpeg_parse_app0(JPEG_PROPERTIES* p) {
    JPEG_STREAM* s = &p->stream;
    uint32_t len = 0;
    if (jpeg_read_word(s, &len) != 0 || len < 2) return 0;
    uint32_t size = len - 2;
    // Not a JFIF or JFXX segment of a size worth reading: passed over by its length.
    if (size < 14 || size > 196622) return skip_bytes(s, size) ? 0 : JPEG_ERR_DATA;
    Segment seg;
    seg.size = size;
    if (jpeg_read_segment(s, size, &seg.data, &seg.block) != 0) return JPEG_ERR_DATA;
    if (!p->header_pending) return 0;
    const uint8_t* d = seg.data;
    if (std::memcmp(d, "JFXX", 5) == 0) {
        uint32_t w = d[6], h = d[7];
        switch (d[5]) {
        case 0x11: {
            if (!thumbnail_operation(p) || w * h + 776 > size) return 0;
            p->thumb_width = int32_t(w);
            p->thumb_height = int32_t(h);
            if (w == 0 || h == 0) return 0;
            // Palette indices to RGB pixels, then out like an RGB thumbnail.
            uint8_t* rgb = new (std::nothrow) uint8_t[size_t(w) * h * 3];
            if (!rgb) return JPEG_ERR_MEMORY;
            const uint8_t* pal = d + 8;
            const uint8_t* idx = d + 776;
            for (uint32_t i = 0; i < w * h; ++i) std::memcpy(rgb + 3 * i, pal + 3 * idx[i], 3);
            JPEG_RESULT r = put_thumbnail_rgb(p, rgb, w, h);
            delete[] rgb;
            return r;
        }
        case 0x13:
            return thumbnail_rgb(p, seg, w, h, 8);
        default:
            return 0;   // 0x10 (a JPEG thumbnail) and unknown codes are ignored
        }
    }
    if (std::memcmp(d, "JFIF", 5) == 0) {
        p->jfif_found = 1;
        p->jfif_version = uint16_t(be16(d + 5));
        p->jfif_units = d[7];
        p->jfif_xdensity = uint16_t(be16(d + 8));
        p->jfif_ydensity = uint16_t(be16(d + 10));
        return thumbnail_rgb(p, seg, d[12], d[13], 14);
    }
    return 0;
}

JPEG_RESULT jpeg_parse_com(JPEG_PROPERTIES* p) {
    Segment seg;
    JPEG_RESULT r = read_payload(&p->stream, seg);
    if (r != 0) return JPEG_ERR_DATA;
    if (!p->header_pending || !p->jpeg_comment) return 0;
    if (p->jpeg_comment_size < seg.size) {
        std::memcpy(p->jpeg_comment, seg.data, p->jpeg_comment_size);
        p->jpeg_comment_size = uint16_t(seg.size);
        return JPEG_ERR_COMMENT;
    }
    std::memcpy(p->jpeg_comment, seg.data, seg.size);
    p->jpeg_comment_size = uint16_t(seg.size);
    return 0;
}

JPEG_RESULT jpeg_parse_dqt(JPEG_PROPERTIES* p, JPEG_STREAM* s, uint32_t idct_kind) {
    Segment seg;
    JPEG_RESULT r = read_payload(s, seg);
    if (r != 0) return r;
    if (seg.size >= 517) return JPEG_ERR_DATA;
    uint32_t pos = 0;
    while (pos < seg.size) {
        uint32_t pq = seg.data[pos] >> 4, tq = seg.data[pos] & 15;
        if (tq > 3) return JPEG_ERR_BAD_QUANT;
        uint32_t need = pq == 0 ? 65 : 129;
        if (seg.size - pos < need) return JPEG_ERR_BAD_QUANT;   // the table runs past the segment
        JPEG_QUANT_TABLE& q = p->quant[tq];
        q.precision = pq;
        q.id = tq;
        const uint8_t* v = seg.data + pos + 1;
        for (int i = 0; i < 64; ++i) q.values[i] = uint16_t(pq == 0 ? v[i] : be16(v + 2 * i));
        for (int i = 0; i < 64; ++i) p->quant_read[tq][jpeg_natural_order[i]] = q.values[i];
        if (idct_kind == 1)
            jpeg_dequant_prepare_int(q.values);
        else
            jpeg_dequant_prepare_aan(q.values);
        if (tq + 1 > p->quant_ids) p->quant_ids = tq + 1;
        if (p->quant_count < 4) ++p->quant_count;
        p->quant_defined |= 1u << tq;
        pos += need;
    }
    return 0;
}

JPEG_RESULT jpeg_parse_dht(JPEG_PROPERTIES* p, JPEG_STREAM* s) {
    Segment seg;
    JPEG_RESULT r = read_payload(s, seg);
    if (r != 0) return r;
    if (seg.size >= 1092) return JPEG_ERR_DATA;
    uint32_t pos = 0;
    while (pos < seg.size) {
        if (seg.size - pos < 17) return JPEG_ERR_BAD_HUFFMAN;
        uint32_t tc = seg.data[pos] >> 4, th = seg.data[pos] & 15;
        if (tc > 1 || th > 3) return JPEG_ERR_BAD_HUFFMAN;
        const uint8_t* counts = seg.data + pos + 1;
        uint32_t total = 0;
        for (int i = 0; i < 16; ++i) total += counts[i];
        if (seg.size - pos - 17 < total) return JPEG_ERR_BAD_HUFFMAN;   // values beyond the segment
        JPEG_HUFF_DECODE_TABLE* t = tc == 0 ? &p->dc_tables[th] : &p->ac_tables[th];
        r = jpeg_build_huffman_table(counts, counts + 16, tc, th, t);
        if (r != 0) return r;
        if (tc == 0) {
            if (th + 1 > p->dc_ids) p->dc_ids = th + 1;
            if (p->dc_count < 4) ++p->dc_count;
            p->dc_defined |= 1u << th;
        } else {
            if (th + 1 > p->ac_ids) p->ac_ids = th + 1;
            if (p->ac_count < 4) ++p->ac_count;
            p->ac_defined |= 1u << th;
        }
        pos += 17 + total;
    }
    return 0;
}

JPEG_RESULT jpeg_parse_sos(JPEG_PROPERTIES* p, JPEG_STREAM* s, JPEG_FRAME* f, JPEG_SCAN* scan) {
    uint32_t len = 0;
    JPEG_RESULT r = jpeg_read_word(s, &len);
    if (r != 0) return r;
    if (len < 2) return JPEG_ERR_DATA;
    if (s->environment) s->environment->sos_size = len + 2;
    Segment seg;
    seg.size = len - 2;
    if (seg.size > 0) {
        r = jpeg_read_segment(s, seg.size, &seg.data, &seg.block);
        if (r != 0) return r;
    }
    if (seg.size < 1) return JPEG_ERR_DATA;
    uint32_t ns = seg.data[0];
    // Ns components of two bytes each and Ss, Se, Ah/Al must lie inside the segment.
    if (ns == 0 || ns > 4 || seg.size < 1 + 2 * ns + 3) return JPEG_ERR_DATA;
    auto* comps = new (std::nothrow) JPEG_SCAN_COMPONENT[ns]();
    if (!comps) return JPEG_ERR_MEMORY;
    uint32_t used = 0;
    for (uint32_t i = 0; i < ns; ++i) {
        uint32_t cs = seg.data[1 + 2 * i];
        uint32_t td = seg.data[2 + 2 * i] >> 4, ta = seg.data[2 + 2 * i] & 15;
        uint32_t idx = 0;
        while (idx < f->ncomps && idx < 4 && f->components[idx].id != cs) ++idx;
        // A component named twice would overrun the blocks of the MCU.
        bool bad = td > 3 || ta > 3 || idx >= f->ncomps || idx >= 4 || (used & (1u << idx)) ||
                   f->components[idx].tq > 3;
        if (bad) {
            delete[] comps;
            return JPEG_ERR_DATA;
        }
        used |= 1u << idx;
        comps[i].index = idx;
        comps[i].h = f->components[idx].h;
        comps[i].v = f->components[idx].v;
        comps[i].dc = &p->dc_tables[td];
        comps[i].ac = &p->ac_tables[ta];
        comps[i].quant = &p->quant[f->components[idx].tq];
        p->scan_dc_ids[i] = uint8_t(td);
        p->scan_ac_ids[i] = uint8_t(ta);
    }
    const uint8_t* tail = seg.data + 1 + 2 * ns;
    scan->ns = ns;
    scan->components = comps;
    scan->ss = tail[0];
    scan->se = tail[1];
    scan->ah = tail[2] >> 4;
    scan->al = tail[2] & 15;
    return 0;
}

}  // namespace velmora
