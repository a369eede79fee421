// gfx/rastport.cpp
#include "gfx/rastport.h"

#include <cstring>
#include <new>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/file.h"
#include "core/mem.h"
#include "core/pack.h"

namespace velmora {
namespace {

// No bitmap of the program comes near this; anything larger in a file is damage.
constexpr uint32_t MAX_SEITE = 16384;
constexpr uint32_t PB_RECORD = 72;
constexpr uint32_t RP_RECORD = 52;
const char MAGIC[4] = {'N', 'A', 'L', 'P'};

struct RastportModul {
    RastportHooks hooks;
    Rastport screen_rp;
    PixelBuffer screen_pb;
    Rastport* screen = nullptr;
    Rastport* target = nullptr;
};
RastportModul g;

// A fresh zero-filled record from the tracked heap, or null.
template <typename T>
T* Neu(const char* besitzer) {
    void* p = Mem_Alloc(sizeof(T), besitzer);
    return p ? new (p) T() : nullptr;
}

// Sequential input from a byte buffer or from an open file, never past its end.
struct Quelle {
    const uint8_t* daten = nullptr;
    size_t laenge = 0;
    size_t pos = 0;
    int32_t handle = -1;

    size_t rest() const { return laenge - pos; }
    bool lesen(void* ziel, size_t n) {
        if (n > rest()) return false;
        if (handle >= 0) {
            if (n > 0 && File_Read(ziel, 1, int32_t(n), handle) != int32_t(n)) return false;
        } else if (n > 0) {
            std::memcpy(ziel, daten + pos, n);
        }
        pos += n;
        return true;
    }
    bool ueberspringen(size_t n) {
        if (n > rest()) return false;
        if (handle >= 0 && File_Seek(handle, int32_t(n), 1) < 0) return false;
        pos += n;
        return true;
    }
    // A fresh block of `n` bytes filled from the input. A failed allocation
    // skips the bytes and leaves the part absent; `ok` turns false only when the
    // input itself is short.
    uint8_t* block(size_t n, const char* besitzer, bool& ok) {
        if (n > rest()) {
            ok = false;
            return nullptr;
        }
        uint8_t* p = static_cast<uint8_t*>(Mem_Alloc(n, besitzer));
        if (!p) {
            ok = ueberspringen(n);
            return nullptr;
        }
        if (!lesen(p, n)) {
            Mem_Free(p);
            ok = false;
            return nullptr;
        }
        return p;
    }
};

Quelle Quelle_Datei(int32_t handle) {
    Quelle q;
    q.handle = handle;
    int32_t groesse = File_Size(handle);
    int32_t pos = File_Tell(handle);
    q.laenge = (groesse >= 0 && pos >= 0 && groesse >= pos) ? size_t(groesse - pos) : 0;
    return q;
}

// Sequential output into a byte buffer or an open file.
struct Senke {
    uint8_t* ziel = nullptr;
    size_t groesse = 0;
    size_t pos = 0;
    int32_t handle = -1;
    bool ok = true;

    void schreiben(const void* daten, size_t n) {
        if (!ok || n == 0) return;
        if (handle >= 0) {
            ok = File_Write(daten, 1, int32_t(n), handle) == int32_t(n);
        } else if (n > groesse - pos) {
            ok = false;
        } else {
            std::memcpy(ziel + pos, daten, n);
            pos += n;
        }
    }
};

uint64_t Pixel_Bytes(uint32_t depth, uint32_t width, uint32_t height) {
    return uint64_t(Depth_Bytes(depth)) * width * height;
}

uint64_t Mask_Bytes(uint32_t width, uint32_t height) {
    return uint64_t(width) * height / 8 + 4;
}

void PixelBuffer_Record_Schreiben(const PixelBuffer* pb, uint8_t* r) {
    const uint32_t worte[11] = {pb->id, pb->width, pb->height, pb->depth, pb->reserved5[0], pb->reserved5[1],
                                pb->reserved5[2], pb->key_colour, pb->reserved9, pb->packed_size, pb->byte_size};
    for (int i = 0; i < 11; ++i) Bytes_Put32(r + 4 * i, worte[i]);
    r[44] = pb->packing_kind;
    r[45] = pb->keep_pixels;
    r[46] = pb->keep_packed;
    r[47] = pb->screen;
    for (int i = 0; i < 3; ++i) Bytes_Put32(r + 48 + 4 * i, pb->reserved13[i]);
    // The colour table is not part of the written form, so its word says absent.
    Bytes_Put32(r + 60, 0);
    Bytes_Put32(r + 64, pb->packed ? 1u : 0u);
    Bytes_Put32(r + 68, pb->pixels ? 1u : 0u);
}

// The magic "NALP" and the record behind it.
bool Kopf_Lesen(Quelle& q, uint8_t* record, size_t groesse, const char* wer) {
    char magic[4];
    if (!q.lesen(magic, 4) || std::memcmp(magic, MAGIC, 4) != 0) {
        Debug_Printf("%s: kein NALP\n", wer);
        return false;
    }
    if (!q.lesen(record, groesse)) {
        Debug_Printf("%s: Datei zu kurz\n", wer);
        return false;
    }
    return true;
}

PixelBuffer* PixelBuffer_Lesen(Quelle& q) {
    uint8_t r[PB_RECORD];
    if (!Kopf_Lesen(q, r, PB_RECORD, "PixelBuffer_Read")) return nullptr;
    auto* pb = Neu<PixelBuffer>("PixelBuffer");
    if (!pb) return nullptr;
    uint32_t* worte[11] = {&pb->id, &pb->width, &pb->height, &pb->depth, &pb->reserved5[0], &pb->reserved5[1],
                           &pb->reserved5[2], &pb->key_colour, &pb->reserved9, &pb->packed_size, &pb->byte_size};
    for (int i = 0; i < 11; ++i) *worte[i] = Bytes_Get32(r + 4 * i);
    pb->packing_kind = r[44];
    pb->keep_pixels = r[45];
    pb->keep_packed = r[46];
    pb->screen = 0;   // only the screen's own record points into foreign memory
    for (int i = 0; i < 3; ++i) pb->reserved13[i] = Bytes_Get32(r + 48 + 4 * i);
    bool hat_tabelle = Bytes_Get32(r + 60) != 0;
    bool hat_packed = Bytes_Get32(r + 64) != 0;
    bool hat_pixel = Bytes_Get32(r + 68) != 0;

    bool ok = pb->width <= MAX_SEITE && pb->height <= MAX_SEITE && pb->depth <= 32;
    if (ok && hat_pixel) ok = pb->byte_size == Pixel_Bytes(pb->depth, pb->width, pb->height);
    if (ok && !hat_pixel && hat_packed && pb->byte_size != 0)
        ok = pb->byte_size == Pixel_Bytes(pb->depth, pb->width, pb->height);
    if (!ok) {
        Debug_Printf("PixelBuffer_Read: Groessen ungueltig (%u x %u, Tiefe %u, %u Bytes)\n", pb->width, pb->height,
                     pb->depth, pb->byte_size);
        return PixelBuffer_Free(pb);
    }
    if (hat_tabelle) pb->colour_table = reinterpret_cast<uint16_t*>(q.block(512, "PixelBuffer", ok));
    if (ok && hat_packed) pb->packed = q.block(pb->packed_size, "PixelBuffer", ok);
    if (ok && hat_pixel) pb->pixels = q.block(pb->byte_size, "PixelBuffer", ok);
    if (!ok) {
        Debug_Printf("PixelBuffer_Read: Datei zu kurz\n");
        return PixelBuffer_Free(pb);
    }
    if (!pb->packed) pb->packed_size = 0;
    return pb;
}

bool PixelBuffer_Schreiben(Senke& s, const PixelBuffer* pb) {
    uint8_t r[PB_RECORD];
    PixelBuffer_Record_Schreiben(pb, r);
    s.schreiben(MAGIC, 4);
    s.schreiben(r, PB_RECORD);
    if (pb->packed) s.schreiben(pb->packed, pb->packed_size);
    if (pb->pixels) s.schreiben(pb->pixels, pb->byte_size);
    return s.ok;
}

Rastport* Rastport_Lesen(Quelle& q) {
    uint8_t r[RP_RECORD];
    if (!Kopf_Lesen(q, r, RP_RECORD, "Rastport_Read")) return nullptr;
    auto* rp = Neu<Rastport>("Rastport");
    if (!rp) return nullptr;
    rp->width = Bytes_Get32(r + 0);
    rp->height = Bytes_Get32(r + 4);
    rp->converted = Bytes_Get32(r + 8);
    rp->reserved4 = Bytes_Get32(r + 12);
    rp->reserved5 = Bytes_Get32(r + 16);
    rp->shape_size = Bytes_Get32(r + 20);
    bool da[6];
    for (int i = 0; i < 6; ++i) da[i] = Bytes_Get32(r + 24 + 4 * i) != 0;
    if (rp->width > MAX_SEITE || rp->height > MAX_SEITE) {
        Debug_Printf("Rastport_Read: Groesse %u x %u ungueltig\n", rp->width, rp->height);
        return Rastport_Free(rp);
    }
    bool ok = true;
    auto puffer = [&](PixelBuffer*& ziel, bool haupt) {
        if (!ok) return;
        ziel = PixelBuffer_Lesen(q);
        if (!ziel) {
            ok = false;
            return;
        }
        // The blitter indexes the main buffer with the bitmap's own width and height.
        if (haupt && (ziel->width != rp->width || ziel->height != rp->height)) {
            Debug_Printf("Rastport_Read: Puffer %u x %u passt nicht zu %u x %u\n", ziel->width, ziel->height,
                         rp->width, rp->height);
            ok = false;
        }
    };
    if (da[0]) puffer(rp->pixels, true);
    if (ok && da[1]) rp->mask = q.block(Mask_Bytes(rp->width, rp->height), "Rastport", ok);
    if (da[2]) puffer(rp->second, false);
    if (da[3]) puffer(rp->third, false);
    if (ok && da[4]) rp->alpha = q.block(uint64_t(rp->width) * rp->height, "Rastport", ok);
    if (ok && da[5]) {
        rp->shape = q.block(rp->shape_size, "Rastport", ok);
        if (ok && rp->shape && !Shape_Prepare(rp->shape, rp->shape_size)) {
            Debug_Printf("Rastport_Read: Shape-Daten ungueltig\n");
            ok = false;
        }
    }
    if (!ok) {
        Debug_Printf("Rastport_Read: Datei beschaedigt\n");
        return Rastport_Free(rp);
    }
    if (!rp->shape) rp->shape_size = 0;
    rp->rgb24 = nullptr;
    return rp;
}

bool Rastport_Schreiben(Senke& s, const Rastport* rp) {
    uint8_t r[RP_RECORD];
    const uint32_t worte[6] = {rp->width, rp->height, rp->converted, rp->reserved4, rp->reserved5, rp->shape_size};
    for (int i = 0; i < 6; ++i) Bytes_Put32(r + 4 * i, worte[i]);
    const bool da[7] = {rp->pixels != nullptr, rp->mask != nullptr, rp->second != nullptr, rp->third != nullptr,
                        rp->alpha != nullptr,  rp->shape != nullptr, false};
    for (int i = 0; i < 7; ++i) Bytes_Put32(r + 24 + 4 * i, da[i] ? 1u : 0u);
    s.schreiben(MAGIC, 4);
    s.schreiben(r, RP_RECORD);
    if (rp->pixels) PixelBuffer_Schreiben(s, rp->pixels);
    if (rp->mask) s.schreiben(rp->mask, Mask_Bytes(rp->width, rp->height));
    if (rp->second) PixelBuffer_Schreiben(s, rp->second);
    if (rp->third) PixelBuffer_Schreiben(s, rp->third);
    if (rp->alpha) s.schreiben(rp->alpha, size_t(rp->width) * rp->height);
    if (rp->shape) s.schreiben(rp->shape, rp->shape_size);
    return s.ok;
}

}  // namespace

RastportHooks& Rastport_Hooks() { return g.hooks; }

Rastport* Rastport_Create(int32_t width, int32_t height, int32_t depth, int32_t no_buffer, int32_t options) {
    if (width < 0 || height < 0 || uint32_t(width) > MAX_SEITE || uint32_t(height) > MAX_SEITE) {
        Debug_Printf("Rastport_Create: Groesse %d x %d ungueltig\n", width, height);
        return nullptr;
    }
    auto* rp = Neu<Rastport>("Rastport");
    if (!rp) return nullptr;
    rp->width = uint32_t(width);
    rp->height = uint32_t(height);
    if (options & 1) {
        rp->mask = static_cast<uint8_t*>(Mem_Alloc_Fill(Mask_Bytes(rp->width, rp->height), "Rastport", 0));
        if (!rp->mask) return Rastport_Free(rp);
    }
    if (options == 0 && no_buffer == 0) {
        rp->pixels = PixelBuffer_Create(width, height, depth, 0);
        if (!rp->pixels) return Rastport_Free(rp);
    }
    return rp;
}

Rastport* Rastport_Create_Simple(int32_t width, int32_t height, int32_t depth) {
    return Rastport_Create(width, height, depth, 0, 0);
}

Rastport* Rastport_Free(Rastport* rp) {
    if (!rp || rp == &g.screen_rp) return nullptr;
    rp->pixels = PixelBuffer_Free(rp->pixels);
    rp->second = PixelBuffer_Free(rp->second);
    rp->third = PixelBuffer_Free(rp->third);
    if (rp->mask) Mem_Free(rp->mask);
    if (rp->alpha) Mem_Free(rp->alpha);
    if (rp->shape) Mem_Free(rp->shape);
    if (rp == g.target) g.target = g.screen;
    Mem_Free(rp);
    return nullptr;
}

Rastport* Rastport_Free_Simple(Rastport* rp) { return Rastport_Free(rp); }

int32_t Rastport_Mask_Size(int32_t width, int32_t height) { return int32_t(int64_t(width) * height / 8 + 4); }

int32_t Rastport_Lock(Rastport* rp) {
    if (!rp) return 0;
    PixelBuffer* pb = rp->pixels;
    if (!pb || pb->pixels || !pb->packed) return 1;
    return PixelBuffer_Unpack(pb);
}

int32_t Rastport_Unlock(Rastport*) { return 0; }

PixelBuffer* PixelBuffer_Create(int32_t width, int32_t height, int32_t depth, int32_t id) {
    if (width < 0 || height < 0 || uint32_t(width) > MAX_SEITE || uint32_t(height) > MAX_SEITE || depth < 0 ||
        depth > 32) {
        Debug_Printf("PixelBuffer_Create: %d x %d, Tiefe %d ungueltig\n", width, height, depth);
        return nullptr;
    }
    auto* pb = Neu<PixelBuffer>("PixelBuffer");
    if (!pb) return nullptr;
    pb->id = uint32_t(id);
    pb->width = uint32_t(width);
    pb->height = uint32_t(height);
    pb->depth = uint32_t(depth);
    pb->byte_size = uint32_t(Pixel_Bytes(pb->depth, pb->width, pb->height));
    pb->keep_pixels = 1;
    pb->keep_packed = 0;
    pb->pixels = Mem_Alloc(pb->byte_size, "PixelBuffer");
    if (!pb->pixels) {
        Mem_Free(pb);
        return nullptr;
    }
    return pb;
}

PixelBuffer* PixelBuffer_Free(PixelBuffer* pb) {
    if (!pb) return nullptr;
    if (pb->screen) return nullptr;   // points into the screen memory; not ours
    if (pb->pixels) Mem_Free(pb->pixels);
    if (pb->packed) Mem_Free(pb->packed);
    if (pb->colour_table) Mem_Free(pb->colour_table);
    Mem_Free(pb);
    return nullptr;
}

int32_t PixelBuffer_Unpack(PixelBuffer* pb) {
    if (!pb || !pb->packed) return 0;
    if (pb->byte_size == 0) pb->byte_size = uint32_t(Pixel_Bytes(pb->depth, pb->width, pb->height));
    if (pb->byte_size == 0) return 0;
    pb->pixels = Mem_Alloc(pb->byte_size, "PixelBuffer");
    if (!pb->pixels) return 0;
    bool ok = false;
    if (pb->packing_kind == PACK_JPEG) {
        if (g.hooks.jpeg_load_mem) {
            ok = g.hooks.jpeg_load_mem(pb->packed, pb->packed_size, pb->pixels, pb->width, pb->height, pb->depth) == 1;
        } else {
            Debug_Printf("PixelBuffer_Unpack: kein JPEG-Decoder eingetragen\n");
        }
    } else if (pb->packing_kind == PACK_ZLIB) {
        ok = Zlib_Unpack(pb->packed, pb->packed_size, pb->pixels, pb->byte_size) == int32_t(pb->byte_size);
    } else {
        Debug_Printf("PixelBuffer_Unpack: Packart %u unbekannt\n", pb->packing_kind);
    }
    if (!ok) {
        // Undecoded memory must never be drawn: the next lock tries again.
        pb->pixels = Mem_Free(pb->pixels);
        return 0;
    }
    if (!pb->keep_packed) {
        pb->packed = static_cast<uint8_t*>(Mem_Free(pb->packed));
        pb->packed_size = 0;
    }
    return 1;
}

int32_t PixelBuffer_Pack(PixelBuffer* pb, int32_t kind) {
    if (!pb || pb->screen) return 0;
    auto pixel_abgeben = [pb]() {
        if (!pb->keep_pixels && pb->pixels) {
            pb->pixels = Mem_Free(pb->pixels);
            pb->byte_size = 0;
        }
    };
    if (pb->packed) {
        pixel_abgeben();
        return 1;
    }
    if (!pb->pixels || pb->byte_size == 0) return 0;
    uint8_t* block = nullptr;
    uint32_t groesse = 0;
    if (kind == PACK_ZLIB) {
        size_t platz = Zlib_Pack_Bound(pb->byte_size);
        block = static_cast<uint8_t*>(Mem_Alloc(platz, "PixelBuffer"));
        if (block) groesse = Zlib_Pack(pb->pixels, block, pb->byte_size, platz);
    } else if (kind == PACK_JPEG && g.hooks.jpeg_save_mem) {
        block = g.hooks.jpeg_save_mem(pb->pixels, pb->width, pb->height, pb->depth, 100, &groesse);
    } else {
        Debug_Printf("PixelBuffer_Pack: Packart %d nicht verfuegbar\n", kind);
    }
    if (block && groesse > 0) pb->packed = static_cast<uint8_t*>(Mem_Alloc(groesse, "PixelBuffer"));
    if (!pb->packed) {
        if (block) Mem_Free(block);
        pb->packed_size = 0;
        return 0;
    }
    std::memcpy(pb->packed, block, groesse);
    Mem_Free(block);
    pb->packed_size = groesse;
    pb->packing_kind = uint8_t(kind);
    pixel_abgeben();
    return 1;
}

namespace {
template <typename T>
T* Aus_Speicher(T* (*lesen)(Quelle&), const uint8_t* daten, size_t laenge, size_t* gelesen) {
    if (!daten) return nullptr;
    Quelle q;
    q.daten = daten;
    q.laenge = laenge;
    T* ergebnis = lesen(q);
    if (gelesen) *gelesen = ergebnis ? q.pos : 0;
    return ergebnis;
}

template <typename T>
T* Aus_Datei(T* (*lesen)(Quelle&), int32_t handle) {
    if (handle < 0) return nullptr;
    Quelle q = Quelle_Datei(handle);
    return lesen(q);
}
}  // namespace

Rastport* Rastport_Read(const uint8_t* daten, size_t laenge, size_t* gelesen) {
    return Aus_Speicher(Rastport_Lesen, daten, laenge, gelesen);
}
Rastport* Rastport_Read_File(int32_t handle) { return Aus_Datei(Rastport_Lesen, handle); }
PixelBuffer* PixelBuffer_Read(const uint8_t* daten, size_t laenge, size_t* gelesen) {
    return Aus_Speicher(PixelBuffer_Lesen, daten, laenge, gelesen);
}
PixelBuffer* PixelBuffer_Read_File(int32_t handle) { return Aus_Datei(PixelBuffer_Lesen, handle); }

int32_t Rastport_Write(int32_t handle, const Rastport* rp) {
    if (!rp || handle < 0) return 0;
    Senke s;
    s.handle = handle;
    return Rastport_Schreiben(s, rp) ? 1 : 0;
}

int32_t PixelBuffer_Write(int32_t handle, const PixelBuffer* pb) {
    if (!pb || handle < 0) return 0;
    Senke s;
    s.handle = handle;
    return PixelBuffer_Schreiben(s, pb) ? 1 : 0;
}

size_t Rastport_Write_Mem(const Rastport* rp, uint8_t* ziel, size_t groesse) {
    if (!rp || !ziel) return 0;
    Senke s;
    s.ziel = ziel;
    s.groesse = groesse;
    return Rastport_Schreiben(s, rp) ? s.pos : 0;
}

uint32_t PixelBuffer_File_Size(const PixelBuffer* pb) {
    if (!pb) return 0;
    return 4 + PB_RECORD + (pb->packed ? pb->packed_size : 0) + (pb->pixels ? pb->byte_size : 0);
}

uint32_t Rastport_File_Size(const Rastport* rp) {
    if (!rp) return 0;
    uint64_t n = 4 + RP_RECORD;
    n += PixelBuffer_File_Size(rp->pixels) + PixelBuffer_File_Size(rp->second) + PixelBuffer_File_Size(rp->third);
    if (rp->mask) n += Mask_Bytes(rp->width, rp->height);
    if (rp->alpha) n += uint64_t(rp->width) * rp->height;
    if (rp->shape) n += rp->shape_size;
    return uint32_t(n);
}

Rastport* Rastport_Load(const char* name) {
    int32_t h = File_Open_Read(name);
    if (h < 0) return nullptr;
    Rastport* rp = Rastport_Read_File(h);
    File_Close(h);
    return rp;
}

int32_t Rastport_Save(const char* name, const Rastport* rp) {
    int32_t h = File_Create(name);
    if (h < 0) return 0;
    int32_t ok = Rastport_Write(h, rp);
    File_Close(h);
    return ok;
}

int32_t Shape_Prepare(uint8_t* shape, uint32_t size) {
    if (!shape || size < SHAPE_HEADER) return 0;
    int16_t w = int16_t(Bytes_Get16(shape + SHAPE_OFS_WIDTH));
    int16_t h = int16_t(Bytes_Get16(shape + SHAPE_OFS_HEIGHT));
    if (w < 0 || h < 0 || SHAPE_HEADER + 4u * uint32_t(h) > size) return 0;
    Bytes_Put32(shape + SHAPE_OFS_DATA, SHAPE_HEADER + 4u * uint32_t(h));
    Bytes_Put32(shape + SHAPE_OFS_ROWS, SHAPE_HEADER);
    Bytes_Put32(shape + SHAPE_OFS_ZERO, 0);
    return 1;
}

uint32_t Shape_Words(const uint8_t* shape, uint32_t size) {
    if (!shape || size < SHAPE_HEADER) return 0;
    uint32_t start = Bytes_Get32(shape + SHAPE_OFS_DATA);
    return start <= size ? (size - start) / 2 : 0;
}

void Rastport_Screen_Setup(int32_t width, int32_t height, uint16_t* screen_memory) {
    if (!screen_memory || width <= 0 || height <= 0) {
        Debug_Printf("Rastport_Screen_Setup: kein Bildschirm\n");
        return;
    }
    g.screen_rp = Rastport();
    g.screen_pb = PixelBuffer();
    g.screen_rp.width = uint32_t(width);
    g.screen_rp.height = uint32_t(height);
    g.screen_pb.id = 255;
    g.screen_pb.width = uint32_t(width);
    g.screen_pb.height = uint32_t(height);
    g.screen_pb.depth = 16;
    g.screen_pb.byte_size = uint32_t(width) * uint32_t(height) * 2;
    g.screen_pb.keep_pixels = 1;
    g.screen_pb.screen = 1;
    g.screen_pb.pixels = screen_memory;
    g.screen_rp.pixels = &g.screen_pb;
    if (!g.target || g.target == g.screen) g.target = &g.screen_rp;
    g.screen = &g.screen_rp;
}

Rastport* Rastport_Screen() { return g.screen; }
Rastport* Rastport_Target() { return g.target; }
void Rastport_Set_Target(Rastport* rp) { g.target = rp ? rp : g.screen; }

int32_t Rastport_Screen_Depth() {
    if (g.screen && g.screen->pixels) return int32_t(g.screen->pixels->depth);
    return 16;
}

uint16_t* Rastport_Pixels16(const Rastport* rp) {
    if (!rp || !rp->pixels) return nullptr;
    return static_cast<uint16_t*>(rp->pixels->pixels);
}

uint32_t Rastport_Depth(const Rastport* rp) { return rp && rp->pixels ? rp->pixels->depth : 0; }

void Row_565_To_RGB(const uint16_t* p, uint8_t* r, uint8_t* g8, uint8_t* b, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        r[i] = uint8_t((p[i] & 0xF800) >> 8);
        g8[i] = uint8_t((p[i] & 0x07E0) >> 3);
        b[i] = uint8_t((p[i] & 0x1F) * 8);
    }
}

void Row_555_To_RGB(const uint16_t* p, uint8_t* r, uint8_t* g8, uint8_t* b, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        r[i] = uint8_t((p[i] & 0x7C00) >> 7);
        g8[i] = uint8_t((p[i] & 0x03E0) >> 2);
        b[i] = uint8_t((p[i] & 0x1F) * 8);
    }
}

void Row_RGB_To_555(const uint8_t* r, const uint8_t* g8, const uint8_t* b, uint16_t* p, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        p[i] = uint16_t(((r[i] << 7) & 0x7C00) | ((g8[i] * 4) & 0x03E0) | (b[i] >> 3));
}

void Row_RGB_To_565(const uint8_t* r, const uint8_t* g8, const uint8_t* b, uint16_t* p, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        p[i] = uint16_t(((r[i] << 8) & 0xF800) | ((g8[i] * 8) & 0x07E0) | (b[i] >> 3));
}

int32_t Rastport_To_24(Rastport* rp) {
    if (!rp || rp->converted) return 0;
    if (!Rastport_Lock(rp)) return 0;
    int32_t ergebnis = 0;
    uint32_t depth = Rastport_Depth(rp);
    uint16_t* p = Rastport_Pixels16(rp);
    size_t n = size_t(rp->width) * rp->height;
    if (p && (depth == 15 || depth == 16)) {
        if (!rp->rgb24) rp->rgb24 = static_cast<uint8_t*>(Mem_Alloc(3 * n, "Rastport"));
        if (rp->rgb24) {
            if (depth == 16) Row_565_To_RGB(p, rp->rgb24, rp->rgb24 + n, rp->rgb24 + 2 * n, int32_t(n));
            else Row_555_To_RGB(p, rp->rgb24, rp->rgb24 + n, rp->rgb24 + 2 * n, int32_t(n));
            rp->converted = 1;
            ergebnis = 1;
        }
    }
    Rastport_Unlock(rp);
    return ergebnis;
}

int32_t Rastport_From_24(Rastport* rp) {
    if (!rp || !rp->rgb24) return 0;
    if (!Rastport_Lock(rp)) return 0;
    int32_t ergebnis = 0;
    uint32_t depth = Rastport_Depth(rp);
    uint16_t* p = Rastport_Pixels16(rp);
    size_t n = size_t(rp->width) * rp->height;
    if (p && (depth == 15 || depth == 16)) {
        if (depth == 16) Row_RGB_To_565(rp->rgb24, rp->rgb24 + n, rp->rgb24 + 2 * n, p, int32_t(n));
        else Row_RGB_To_555(rp->rgb24, rp->rgb24 + n, rp->rgb24 + 2 * n, p, int32_t(n));
        rp->converted = 1;
        ergebnis = 1;
    }
    Rastport_Unlock(rp);
    return ergebnis;
}

}  // namespace velmora
