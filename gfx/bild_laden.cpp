// gfx/bild_laden.cpp - JPEG and TGA pictures into bitmap pixel memory.
#include "gfx/bild_laden.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/file.h"
#include "core/mem.h"
#include "gfx/rastport.h"
#include "jpeg/jpeg_lib.h"

namespace velmora {
namespace {

constexpr const char* BESITZER = "Bild_Laden";

// The codec's record is large; it lives on the heap and is always handed to
// jpeg_free once jpeg_init ran.
struct JpegRecord {
    JPEG_IMAGE_PARAMS* p = new JPEG_IMAGE_PARAMS();
    bool bereit = false;
    JpegRecord() { bereit = jpeg_init(p) == 0; }
    ~JpegRecord() {
        jpeg_free(p);
        delete p;
    }
};

// The game draws pictures at screen size or smaller; a larger frame is taken
// for a damaged header, so a small file cannot keep the decoder busy.
constexpr int32_t JPEG_GROESSTE_SEITE = 4096;

// A picture's size from its parameters (operation 0 or 1).
bool Jpeg_Kopf(JpegRecord& j, int32_t operation, int32_t* bits, int32_t* breite, int32_t* hoehe) {
    if (!j.bereit || jpeg_read(j.p, operation) != 0) return false;
    if (j.p->stream_width <= 0 || j.p->stream_height <= 0) return false;
    if (j.p->stream_width > JPEG_GROESSTE_SEITE || j.p->stream_height > JPEG_GROESSTE_SEITE) return false;
    if (breite) *breite = j.p->stream_width;
    if (hoehe) *hoehe = j.p->stream_height;
    if (bits) *bits = 24;
    return true;
}

// Decodes the picture whose parameters were read into `ziel`.
int32_t Jpeg_Bild(JpegRecord& j, int32_t operation, void* ziel, int32_t tiefe) {
    const int32_t w = j.p->stream_width, h = j.p->stream_height;
    const size_t bytes = size_t(w) * size_t(h) * 3;
    uint8_t* rgb = static_cast<uint8_t*>(Mem_Virtual_Alloc(bytes, 0, BESITZER));
    if (!rgb) return 0;
    j.p->image_width = w;
    j.p->image_height = h;
    j.p->image_channels = 3;
    j.p->image_color = JPEG_COLOR_RGB;
    j.p->image_pad_bytes = 0;
    j.p->image_data = rgb;
    int32_t ok = 0;
    if (jpeg_read(j.p, operation) == 0) ok = Bild_RGB_Konvertieren(rgb, ziel, w, h, tiefe);
    j.p->image_data = nullptr;
    Mem_Virtual_Free(rgb);
    return ok;
}

inline uint16_t Rgb_Zu(int32_t tiefe, uint32_t r, uint32_t g, uint32_t b) {
    if (tiefe == 15) return uint16_t((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
    return uint16_t((r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3);
}

// Walks the pixel data of a TGA picture in file order, plain or run-length
// coded; every call yields the next pixel's bytes or null at the end of the data.
struct TgaStrom {
    const uint8_t* p;
    const uint8_t* ende;
    uint32_t bpp;
    bool rle;
    uint32_t lauf = 0;          // pixels left in the current packet
    bool wiederholen = false;   // the current packet repeats one pixel
    const uint8_t* wert = nullptr;

    const uint8_t* Naechstes() {
        if (!rle) {
            if (size_t(ende - p) < bpp) return nullptr;
            const uint8_t* q = p;
            p += bpp;
            return q;
        }
        if (lauf == 0) {
            if (p >= ende) return nullptr;
            uint8_t kopf = *p++;
            lauf = (kopf & 0x7F) + 1u;
            wiederholen = (kopf & 0x80) != 0;
            if (wiederholen) {
                if (size_t(ende - p) < bpp) return nullptr;
                wert = p;
                p += bpp;
            }
        }
        --lauf;
        if (wiederholen) return wert;
        if (size_t(ende - p) < bpp) return nullptr;
        const uint8_t* q = p;
        p += bpp;
        return q;
    }
};

}  // namespace

int32_t Bild_RGB_Konvertieren(const uint8_t* rgb, void* ziel, int32_t breite, int32_t hoehe, int32_t tiefe) {
    if (!rgb || !ziel || breite <= 0 || hoehe <= 0) return 0;
    const size_t n = size_t(breite) * size_t(hoehe);
    if (tiefe == 24) {
        std::memcpy(ziel, rgb, n * 3);
        return 1;
    }
    if (tiefe != 15 && tiefe != 16) return 0;
    uint16_t* z = static_cast<uint16_t*>(ziel);
    for (size_t i = 0; i < n; ++i, rgb += 3) z[i] = Rgb_Zu(tiefe, rgb[0], rgb[1], rgb[2]);
    return 1;
}

int32_t Jpeg_Get_Size(const char* pfad, int32_t* bits, int32_t* breite, int32_t* hoehe) {
    if (!pfad) return 0;
    JpegRecord j;
    j.p->stream_file = pfad;
    return Jpeg_Kopf(j, JPEG_OP_PARAMS_FILE, bits, breite, hoehe) ? 1 : 0;
}

int32_t Jpeg_Get_Size_Mem(const uint8_t* daten, int32_t groesse, int32_t* bits, int32_t* breite, int32_t* hoehe) {
    if (!daten || groesse <= 0) return 0;
    JpegRecord j;
    j.p->stream_data = daten;
    j.p->stream_size = groesse;
    return Jpeg_Kopf(j, JPEG_OP_PARAMS_MEM, bits, breite, hoehe) ? 1 : 0;
}

int32_t Jpeg_Load(const char* pfad, void* ziel, int32_t tiefe) {
    if (!pfad || !ziel) return 0;
    JpegRecord j;
    j.p->stream_file = pfad;
    if (!Jpeg_Kopf(j, JPEG_OP_PARAMS_FILE, nullptr, nullptr, nullptr)) return 0;
    return Jpeg_Bild(j, JPEG_OP_IMAGE_FILE, ziel, tiefe);
}

int32_t Jpeg_Load_Mem(const uint8_t* daten, int32_t groesse, void* ziel, int32_t tiefe) {
    if (!daten || groesse <= 0 || !ziel) return 0;
    JpegRecord j;
    j.p->stream_data = daten;
    j.p->stream_size = groesse;
    if (!Jpeg_Kopf(j, JPEG_OP_PARAMS_MEM, nullptr, nullptr, nullptr)) return 0;
    return Jpeg_Bild(j, JPEG_OP_IMAGE_MEM, ziel, tiefe);
}

uint8_t* Jpeg_Save_Mem(const void* pixels, int32_t breite, int32_t hoehe, int32_t tiefe, int32_t qualitaet,
                       int32_t sampling, uint32_t* groesse) {
    if (groesse) *groesse = 0;
    if (!pixels || breite <= 0 || hoehe <= 0 || breite > 0x7FFF || hoehe > 0x7FFF || (tiefe != 15 && tiefe != 16))
        return nullptr;
    const size_t n = size_t(breite) * size_t(hoehe);
    std::vector<uint8_t> rgb(n * 3);
    const uint16_t* p = static_cast<const uint16_t*>(pixels);
    std::vector<uint8_t> r(n), g(n), b(n);
    if (tiefe == 16) Row_565_To_RGB(p, r.data(), g.data(), b.data(), int32_t(n));
    else Row_555_To_RGB(p, r.data(), g.data(), b.data(), int32_t(n));
    for (size_t i = 0; i < n; ++i) {
        rgb[3 * i] = r[i];
        rgb[3 * i + 1] = g[i];
        rgb[3 * i + 2] = b[i];
    }
    static constexpr int32_t SAMPLING[3] = {JPEG_SAMPLING_444, JPEG_SAMPLING_422, JPEG_SAMPLING_420};
    std::vector<uint8_t> aus(n * 4 + 100000);
    JpegRecord j;
    if (!j.bereit) return nullptr;
    j.p->image_data = rgb.data();
    j.p->image_width = breite;
    j.p->image_height = hoehe;
    j.p->image_channels = 3;
    j.p->image_color = JPEG_COLOR_RGB;
    j.p->stream_width = breite;
    j.p->stream_height = hoehe;
    j.p->stream_channels = 3;
    j.p->stream_color = JPEG_COLOR_YCBCR;
    j.p->stream_sampling = SAMPLING[((sampling % 3) + 3) % 3];
    j.p->quality = ((qualitaet % 101) + 101) % 101;
    j.p->stream_data = aus.data();
    j.p->stream_size = int32_t(aus.size());
    if (jpeg_write(j.p, JPEG_OP_WRITE_IMAGE_MEM) != 0 || j.p->stream_size <= 0) return nullptr;
    uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(size_t(j.p->stream_size), BESITZER));
    if (!block) return nullptr;
    std::memcpy(block, aus.data(), size_t(j.p->stream_size));
    if (groesse) *groesse = uint32_t(j.p->stream_size);
    return block;
}

int32_t Tga_Kopf_Lesen(const uint8_t* d, size_t laenge, TgaKopf* k) {
    if (!d || !k || laenge < TGA_KOPF_BYTES) return 0;
    k->id_laenge = d[0];
    k->palette_typ = d[1];
    k->bild_typ = d[2];
    k->palette_erster = uint16_t(d[3] | d[4] << 8);
    k->palette_laenge = uint16_t(d[5] | d[6] << 8);
    k->palette_bits = d[7];
    k->breite = int16_t(d[12] | d[13] << 8);
    k->hoehe = int16_t(d[14] | d[15] << 8);
    k->bits = d[16];
    k->beschreibung = d[17];
    return 1;
}

int32_t Tga_Get_Size(const char* pfad, int32_t* bits, int32_t* breite, int32_t* hoehe) {
    if (!pfad) return 0;
    int32_t h = File_Open_Read(pfad);
    if (h < 0) return 0;
    uint8_t d[TGA_KOPF_BYTES];
    TgaKopf k;
    const bool ok = File_Read(d, 1, int32_t(sizeof d), h) == int32_t(sizeof d) && Tga_Kopf_Lesen(d, sizeof d, &k);
    File_Close(h);
    if (!ok) return 0;
    if (bits) *bits = k.bits;
    if (breite) *breite = k.breite;
    if (hoehe) *hoehe = k.hoehe;
    return 1;
}

int32_t TGA_Groesse(const char* pfad, int32_t* breite, int32_t* hoehe, int32_t* tiefe) {
    if (!pfad) return 0;
    const int32_t h = File_Open_Read(pfad);
    if (h < 0) return 0;
    uint8_t d[TGA_KOPF_BYTES];
    const bool ganz = File_Read(d, 1, int32_t(sizeof d), h) == int32_t(sizeof d);
    File_Close(h);
    // A cut header would leave the size unread: refused rather than guessed.
    if (!ganz) {
        Debug_Printf("TGA_Groesse: %s kuerzer als der Kopf\n", pfad);
        return 0;
    }
    if (breite) *breite = Bytes_Get16(d + 12);
    if (hoehe) *hoehe = Bytes_Get16(d + 14);
    if (tiefe) *tiefe = 16;
    return 1;
}

Rastport* Dummy_Bild_Laden(const char* name) {
    if (!name) return nullptr;
    const std::string pfad = std::string(Dirs_Get(DIR_DATEN)) + "\\dummy\\" + name + ".tga";
    int32_t w = 0, h = 0, t = 0;
    TGA_Groesse(pfad.c_str(), &w, &h, &t);
    return nullptr;
}

int32_t Tga_Load(const char* pfad, void* ziel, int32_t tiefe, uint8_t* palette) {
    if (!pfad || !ziel) return 0;
    int32_t h = File_Open_Read(pfad);
    if (h < 0) return 0;
    int32_t groesse = File_Size(h);
    std::vector<uint8_t> d(groesse > 0 ? size_t(groesse) : 0);
    int32_t gelesen = d.empty() ? 0 : File_Read(d.data(), 1, groesse, h);
    File_Close(h);
    if (gelesen < int32_t(TGA_KOPF_BYTES)) return 0;
    return Tga_Load_Mem(d.data(), size_t(gelesen), ziel, tiefe, palette);
}

int32_t Tga_Load_Mem(const uint8_t* daten, size_t laenge, void* ziel, int32_t tiefe, uint8_t* palette) {
    TgaKopf k;
    if (!ziel || !Tga_Kopf_Lesen(daten, laenge, &k)) return 0;
    if (k.breite <= 0 || k.hoehe <= 0) {
        Debug_Printf("Tga_Load: Groesse %d x %d ungueltig\n", k.breite, k.hoehe);
        return 0;
    }
    const uint32_t bpp = k.bits / 8u;
    const bool rle = k.bild_typ >= 9 && k.bild_typ <= 11;
    const bool passt = (k.bits == 8 && (tiefe == 8 || tiefe == 15 || tiefe == 16)) ||
                       (k.bits == 16 && (tiefe == 15 || tiefe == 16)) ||
                       (k.bits == 24 && (tiefe == 15 || tiefe == 16 || tiefe == 24)) ||
                       (k.bits == 32 && (tiefe == 15 || tiefe == 16));
    if (!passt) return 0;

    // The identification field and the colour map lie between header and pixels.
    size_t pos = TGA_KOPF_BYTES + k.id_laenge;
    uint8_t eigene[768];
    uint8_t* pal = palette ? palette : eigene;   // red, green, blue per entry
    std::memset(pal, 0, 768);
    if (k.palette_typ != 0) {
        const uint32_t eb = (k.palette_bits + 1u) / 8u;
        if (eb < 2 || eb > 4) return 0;
        for (uint32_t e = 0; e < k.palette_laenge; ++e, pos += eb) {
            if (pos + eb > laenge) return 0;
            const uint32_t index = k.palette_erster + e;
            if (index >= 256) continue;
            const uint8_t* q = daten + pos;
            uint8_t* z = pal + 3 * index;
            if (eb == 2) {
                uint32_t v = uint32_t(q[0] | q[1] << 8);
                z[0] = uint8_t((v >> 10 & 31) << 3);
                z[1] = uint8_t((v >> 5 & 31) << 3);
                z[2] = uint8_t((v & 31) << 3);
            } else {
                z[0] = q[2];
                z[1] = q[1];
                z[2] = q[0];
            }
        }
    } else if (k.bits == 8) {
        for (int32_t i = 0; i < 256; ++i) pal[3 * i] = pal[3 * i + 1] = pal[3 * i + 2] = uint8_t(i);   // grey
    }
    if (pos > laenge) return 0;
    if (k.bits == 8 && tiefe == 8)
        for (int32_t i = 0; i < 768; ++i) pal[i] = uint8_t(pal[i] >> 2);

    const size_t w = size_t(k.breite), h = size_t(k.hoehe);
    // A 24-bit picture into a 24-bit target keeps the file's rows and bytes.
    const bool von_oben = (k.beschreibung & 0x20) != 0 || (k.bits == 24 && tiefe == 24);
    TgaStrom s{daten + pos, daten + laenge, bpp, rle};
    uint8_t* z8 = static_cast<uint8_t*>(ziel);
    uint16_t* z16 = static_cast<uint16_t*>(ziel);
    for (size_t zeile = 0; zeile < h; ++zeile) {
        const size_t basis = (von_oben ? zeile : h - 1 - zeile) * w;
        for (size_t x = 0; x < w; ++x) {
            const uint8_t* q = s.Naechstes();
            if (!q) return 1;
            const size_t i = basis + x;
            switch (k.bits) {
            case 8:
                if (tiefe == 8) z8[i] = q[0];
                else z16[i] = Rgb_Zu(tiefe, pal[3 * q[0]], pal[3 * q[0] + 1], pal[3 * q[0] + 2]);
                break;
            case 16: {
                const uint32_t p = uint32_t(q[0] | q[1] << 8) & 0x7FFF;   // bit 15 is an attribute
                z16[i] = tiefe == 15 ? uint16_t(p) : uint16_t((p & 0x7C00) << 1 | (p & 0x03E0) << 1 | (p & 0x1F));
                break;
            }
            case 24:
                if (tiefe == 24) std::memcpy(z8 + 3 * i, q, 3);
                else z16[i] = Rgb_Zu(tiefe, q[2], q[1], q[0]);
                break;
            default:   // 32: blue, green, red and an alpha byte that is skipped
                z16[i] = Rgb_Zu(tiefe, q[2], q[1], q[0]);
                break;
            }
        }
    }
    return 1;
}

int32_t Bild_Jpeg_Laden_Mem(const uint8_t* daten, uint32_t groesse, void* pixels, uint32_t breite, uint32_t hoehe,
                        uint32_t tiefe) {
    int32_t w = 0, h = 0;
    if (!Jpeg_Get_Size_Mem(daten, int32_t(groesse), nullptr, &w, &h)) return 0;
    if (uint32_t(w) != breite || uint32_t(h) != hoehe) {
        Debug_Printf("Jpeg_Load_Mem: Groesse %d x %d statt %u x %u\n", w, h, breite, hoehe);
        return 0;
    }
    return Jpeg_Load_Mem(daten, int32_t(groesse), pixels, int32_t(tiefe));
}
uint8_t* Bild_Jpeg_Speichern_Mem(const void* pixels, uint32_t breite, uint32_t hoehe, uint32_t tiefe, int32_t qualitaet,
                             uint32_t* groesse) {
    return Jpeg_Save_Mem(pixels, int32_t(breite), int32_t(hoehe), int32_t(tiefe), qualitaet, 0, groesse);
}
}  // namespace velmora
