// jpeg/jpeg_enc_output.cpp
#include "jpeg/jpeg_enc_output.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_lib.h"
#include "platform/files.h"

namespace velmora {
namespace {

// The stream record is shared with the reader, whose pointers are read-only; a
// stream opened for writing points at the caller's writable block or its own buffer.
uint8_t* cursor(JPEG_STREAM* s) { return const_cast<uint8_t*>(s->current); }

JPEG_RESULT put(JPEG_STREAM* s, const uint8_t* bytes, uint32_t n) {
    return s->environment->k.put_bytes(bytes, n, s);
}

uint8_t* put_word(uint8_t* c, uint32_t v) {
    c[0] = uint8_t(v >> 8);
    c[1] = uint8_t(v);
    return c + 2;
}

uint8_t* put_marker(uint8_t* c, uint8_t code) {
    c[0] = 0xFF;
    c[1] = code;
    return c + 2;
}

JPEG_RESULT write_marker(JPEG_STREAM* s, uint8_t code) {
    uint8_t b[2];
    put_marker(b, code);
    return put(s, b, 2);
}

JPEG_RESULT write_sof(JPEG_STREAM* s, const JPEG_FRAME* f, uint8_t code, uint32_t first_id) {
    uint8_t b[8 + 3 * 4 + 2];
    const uint32_t n = f->ncomps > 4 ? 4 : f->ncomps;
    uint8_t* c = put_marker(b, code);
    c = put_word(c, 8 + 3 * n);
    *c++ = 8;
    c = put_word(c, f->height);
    c = put_word(c, f->width);
    *c++ = uint8_t(n);
    for (uint32_t i = 0; i < n; ++i) {
        const JPEG_COMPONENT& k = f->components[i];
        *c++ = n == 1 ? 0 : uint8_t(first_id + i);
        *c++ = n == 1 ? 0x11 : uint8_t((k.h << 4) + k.v);
        *c++ = uint8_t(k.tq);
    }
    return put(s, b, uint32_t(c - b));
}

}  // namespace

int64_t jpeg_file_write(int32_t handle, const void* buf, uint32_t n) { return Plat_File_Write(handle, buf, n); }

void jpeg_open_output(JPEG_STREAM* s, uint8_t* block, uint32_t size) {
    if (s->file >= 0) {
        block = s->buffer;
        size = sizeof(s->buffer);
    }
    s->start = s->current = block;
    s->end = block + size;
    s->size = size;
    s->left = int32_t(size);
    s->consumed = 0;
    s->bits = 0;
    s->bit_count = 8;
    s->eob_run = 0;
}

JPEG_RESULT jpeg_write_buffer(JPEG_STREAM* s) {
    const uint32_t n = uint32_t(s->current - s->start);
    if (n && jpeg_file_write(s->file, s->start, n) != int64_t(n)) return JPEG_ERR_FILE;
    s->current = s->start;
    s->end = s->start + s->size;
    return 0;
}

JPEG_RESULT jpeg_emit_byte(JPEG_STREAM* s, uint8_t b) {
    for (int i = 0; i < (b == 0xFF ? 2 : 1); ++i) {
        if (s->current >= s->end) {
            if (s->file < 0) return JPEG_ERR_OUTPUT_SMALL;
            // A full buffer goes to the file whole.
            if (jpeg_file_write(s->file, s->start, s->size) != int64_t(s->size)) return JPEG_ERR_FILE;
            s->current = s->start;
        }
        *cursor(s) = i == 0 ? b : 0;
        ++s->current;
        ++s->consumed;
        if (s->file < 0) --s->left;
    }
    return 0;
}

JPEG_RESULT jpeg_put_bytes(const uint8_t* bytes, uint32_t n, JPEG_STREAM* s) {
    const bool pending = s->bit_count < 8;
    const uint8_t last = pending ? uint8_t(s->bits << s->bit_count) : 0;
    if (s->file < 0) {
        const uint64_t need = uint64_t(n) + (pending ? (last == 0xFF ? 2 : 1) : 0);
        if (uint64_t(s->current - s->start) + need >= s->size) return JPEG_ERR_OUTPUT_SMALL;
    }
    if (pending) {
        JPEG_RESULT r = jpeg_emit_byte(s, last);
        if (r) return r;
        s->bits = 0;
        s->bit_count = 8;
    }
    if (!bytes) return 0;
    if (s->file < 0) {
        std::memcpy(cursor(s), bytes, n);
        s->current += n;
        s->consumed += n;
        s->left -= int32_t(n);
        return 0;
    }
    while (n) {
        if (s->current >= s->end) {
            if (jpeg_file_write(s->file, s->start, s->size) != int64_t(s->size)) return JPEG_ERR_FILE;
            s->current = s->start;
        }
        uint32_t room = uint32_t(s->end - s->current), take = n < room ? n : room;
        std::memcpy(cursor(s), bytes, take);
        s->current += take;
        s->consumed += take;
        bytes += take;
        n -= take;
    }
    return 0;
}

JPEG_RESULT jpeg_put_bits(JPEG_STREAM* s, uint32_t v, int32_t n) {
    while (n > 0) {
        const int32_t take = n < s->bit_count ? n : s->bit_count;
        s->bits = (s->bits << take) | ((v >> (n - take)) & ((1u << take) - 1));
        n -= take;
        s->bit_count -= take;
        if (s->bit_count == 0) {
            JPEG_RESULT r = jpeg_emit_byte(s, uint8_t(s->bits));
            if (r) return r;
            s->bits = 0;
            s->bit_count = 8;
        }
    }
    return 0;
}

JPEG_RESULT jpeg_finish_output(JPEG_STREAM* s) {
    JPEG_RESULT r = s->environment->k.put_bytes(nullptr, 0, s);
    if (r) return r;
    return s->file >= 0 ? jpeg_write_buffer(s) : 0;
}

JPEG_RESULT jpeg_write_soi(JPEG_STREAM* s) { return write_marker(s, 0xD8); }
JPEG_RESULT jpeg_write_eoi(JPEG_STREAM* s) { return write_marker(s, 0xD9); }

JPEG_RESULT jpeg_write_rst(uint32_t n, JPEG_STREAM* s) {
    if (n > 7) return JPEG_ERR_BAD_RST;
    return write_marker(s, uint8_t(0xD0 + n));
}

JPEG_RESULT jpeg_write_app0(JPEG_PROPERTIES* p) {
    uint8_t b[18];
    uint8_t* c = put_marker(b, 0xE0);
    c = put_word(c, 16);
    std::memcpy(c, "JFIF", 5);
    c = put_word(c + 5, p->jfif_version);
    *c++ = p->jfif_units;
    c = put_word(c, p->jfif_xdensity);
    c = put_word(c, p->jfif_ydensity);
    *c++ = 0;
    *c++ = 0;
    return put(&p->stream, b, sizeof(b));
}

JPEG_RESULT jpeg_write_app14(uint8_t transform, JPEG_PROPERTIES* p) {
    uint8_t b[16];
    uint8_t* c = put_marker(b, 0xEE);
    c = put_word(c, 14);
    std::memcpy(c, "Adobe", 5);
    c = put_word(c + 5, p->adobe_version);
    c = put_word(c, p->adobe_flags0);
    c = put_word(c, p->adobe_flags1);
    *c = transform;
    return put(&p->stream, b, sizeof(b));
}

JPEG_RESULT jpeg_write_comment(JPEG_PROPERTIES* p) {
    if (p->jpeg_comment) {
        if (p->jpeg_comment_size == 0) return 0;
        if (p->jpeg_comment_size > 65531) p->jpeg_comment_size = 65531;
        const uint32_t n = p->jpeg_comment_size;
        uint8_t* b = new (std::nothrow) uint8_t[n + 4]();
        if (!b) return JPEG_ERR_MEMORY;
        uint8_t* c = put_word(put_marker(b, 0xFE), n + 2);
        std::memcpy(c, p->jpeg_comment, n);
        JPEG_RESULT r = put(&p->stream, b, n + 4);
        delete[] b;
        return r;
    }
    static const char kFormat[] = "Velmora JPEG Codec, version %s";
    uint8_t b[80] = {};
    const int n = std::snprintf(reinterpret_cast<char*>(b + 4), sizeof(b) - 4, kFormat,
                                jpeg_lib_version()->internal_version);
    if (n <= int(sizeof(kFormat) - 1) || n > int(sizeof(b) - 5)) return 0;
    put_word(put_marker(b, 0xFE), uint32_t(n) + 3);
    return put(&p->stream, b, uint32_t(n) + 5);
}

JPEG_RESULT jpeg_write_dqt(JPEG_STREAM* s, uint32_t precision, uint32_t id, const uint16_t* table) {
    uint8_t b[133];
    uint8_t* c = put_marker(b, 0xDB);
    c = put_word(c, precision ? 131 : 67);
    *c++ = uint8_t(((precision ? 1 : 0) << 4) + id);
    for (int i = 0; i < 64; ++i) {
        if (precision) c = put_word(c, table[i]);
        else *c++ = uint8_t(table[i]);
    }
    return put(s, b, uint32_t(c - b));
}

JPEG_RESULT jpeg_write_dht(JPEG_STREAM* s, const uint8_t* counts, const uint8_t* values, uint32_t table_class,
                           uint32_t id) {
    uint32_t n = 0;
    for (int i = 0; i < 16; ++i) n += counts[i];
    const uint32_t len = 19 + n;
    if (len > 324) return JPEG_ERR_BAD_HUFFMAN;
    uint8_t b[326];
    uint8_t* c = put_word(put_marker(b, 0xC4), len);
    *c++ = uint8_t((table_class << 4) + id);
    std::memcpy(c, counts, 16);
    std::memcpy(c + 16, values, n);
    return put(s, b, len + 2);
}

JPEG_RESULT jpeg_write_dht_all(JPEG_STREAM* s, JPEG_PROPERTIES* p) {
    const JPEG_ENCODER* e = p->encoder;
    if (!e) return JPEG_ERR_INTERNAL;
    const uint32_t entries = 2 * (e->huff_pairs > 4 ? 4 : e->huff_pairs);
    uint32_t len = 2;
    for (uint32_t i = 0; i < entries; ++i) {
        len += 17;
        if (!e->huff[i].counts) continue;
        for (int l = 0; l < 16; ++l) len += e->huff[i].counts[l];
    }
    uint8_t head[4];
    put_word(put_marker(head, 0xC4), len);
    JPEG_RESULT r = put(s, head, 4);
    for (uint32_t i = 0; i < entries && r == 0; ++i) {
        const JPEG_ENC_HUFF_ENTRY& h = e->huff[i];
        uint8_t b[17 + 307];
        uint32_t n = 0;
        if (h.counts)
            for (int l = 0; l < 16; ++l) n += h.counts[l];
        if (n > 307) return JPEG_ERR_BAD_HUFFMAN;
        b[0] = uint8_t((h.table_class << 4) + h.id);
        if (h.counts) std::memcpy(b + 1, h.counts, 16);
        else std::memset(b + 1, 0, 16);
        if (n) std::memcpy(b + 17, h.values, n);
        r = put(s, b, 17 + n);
    }
    return r;
}

JPEG_RESULT jpeg_write_sof0(JPEG_STREAM* s, const JPEG_FRAME* f) { return write_sof(s, f, 0xC0, 1); }
JPEG_RESULT jpeg_write_sof2(JPEG_STREAM* s, const JPEG_FRAME* f) { return write_sof(s, f, 0xC2, 0); }

JPEG_RESULT jpeg_write_dri(uint32_t interval, JPEG_STREAM* s) {
    uint8_t b[6];
    put_word(put_word(put_marker(b, 0xDD), 4), interval);
    return put(s, b, 6);
}

JPEG_RESULT jpeg_write_sos(JPEG_STREAM* s, uint32_t ns, const uint8_t* dc, const uint8_t* ac) {
    uint8_t b[6 + 2 * 4 + 2];
    if (ns > 4) ns = 4;
    uint8_t* c = put_word(put_marker(b, 0xDA), 6 + 2 * ns);
    *c++ = uint8_t(ns);
    for (uint32_t i = 0; i < ns; ++i) {
        *c++ = ns == 1 ? 0 : uint8_t(i + 1);
        *c++ = ns == 1 ? 0 : uint8_t((dc[i] << 4) + ac[i]);
    }
    *c++ = 0;
    *c++ = 63;
    *c++ = 0;
    return put(s, b, uint32_t(c - b));
}

JPEG_RESULT jpeg_write_sos_progressive(JPEG_STREAM* s, const JPEG_ENC_SCAN* scan, const uint8_t* dc,
                                       const uint8_t* ac) {
    uint8_t b[6 + 2 * 4 + 2];
    const uint32_t ns = scan->ns > 4 ? 4 : scan->ns;
    uint8_t* c = put_word(put_marker(b, 0xDA), 6 + 2 * ns);
    *c++ = uint8_t(ns);
    for (uint32_t i = 0; i < ns; ++i) {
        const uint32_t m = ns == 1 ? scan->comp[0].index : i;
        *c++ = uint8_t(m);
        *c++ = uint8_t((dc[m] << 4) + ac[m]);
    }
    *c++ = uint8_t(scan->ss);
    *c++ = uint8_t(scan->se);
    *c++ = uint8_t((scan->ah << 4) + scan->al);
    return put(s, b, uint32_t(c - b));
}

}  // namespace velmora
