// gfx/bild_laden.h - picture loaders: JPEG (through the codec) and TGA files
// decoded into the pixel memory of a bitmap of depth 15 or 16 (8 and 24 where
// stated), and the RGB conversion that also serves JPEG-packed bitmaps.
//
// Every loader returns 1 on success and 0 on failure and never reports to the
// user; a failure leaves the target unfilled. The caller sizes the target from
// the matching *_Get_Size call.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

// RGB rows (three bytes a pixel) into `ziel` at depth 15, 16 or 24; 0 for any
// other depth.
int32_t Bild_RGB_Konvertieren(const uint8_t* rgb, void* ziel, int32_t breite, int32_t hoehe, int32_t tiefe);

// The JPEG's size; bits is always 24.
int32_t Jpeg_Get_Size(const char* pfad, int32_t* bits, int32_t* breite, int32_t* hoehe);
int32_t Jpeg_Get_Size_Mem(const uint8_t* daten, int32_t groesse, int32_t* bits, int32_t* breite, int32_t* hoehe);
// Decodes the whole picture into `ziel` (its size as Jpeg_Get_Size gives it).
int32_t Jpeg_Load(const char* pfad, void* ziel, int32_t tiefe);
int32_t Jpeg_Load_Mem(const uint8_t* daten, int32_t groesse, void* ziel, int32_t tiefe);
// Encodes 15- or 16-bit pixels as a JPEG in a new tracked block (Mem_Free);
// quality modulo 101, sampling modulo 3 (0 4:4:4, 1 4:2:2, 2 4:2:0). Null on failure.
uint8_t* Jpeg_Save_Mem(const void* pixels, int32_t breite, int32_t hoehe, int32_t tiefe, int32_t qualitaet,
                       int32_t sampling, uint32_t* groesse);

// The 18-byte TGA header.
struct TgaKopf {
    uint8_t id_laenge = 0;
    uint8_t palette_typ = 0;
    uint8_t bild_typ = 0;            // 1-3 plain, 9-11 run-length coded
    uint16_t palette_erster = 0;
    uint16_t palette_laenge = 0;
    uint8_t palette_bits = 0;
    int16_t breite = 0;
    int16_t hoehe = 0;
    uint8_t bits = 0;                // 8, 16, 24 or 32
    uint8_t beschreibung = 0;        // bit 5: rows stored top-down
};
constexpr size_t TGA_KOPF_BYTES = 18;
// 1 when at least the header is there.
int32_t Tga_Kopf_Lesen(const uint8_t* daten, size_t laenge, TgaKopf* kopf);

// The TGA's size from its header: 1 when the header could be read.
int32_t Tga_Get_Size(const char* pfad, int32_t* bits, int32_t* breite, int32_t* hoehe);
// Reads the picture into `ziel` of the header's size at depth 8 (palette
// indices; the palette as 6-bit values into `palette`), 15, 16 or 24 (24-bit
// pictures only, bytes as the file stores them). `palette`, when given, holds
// 768 bytes. 1 when the pair of depths is served, else 0; pixel data that end
// early leave the rest of the target as it was.
int32_t Tga_Load(const char* pfad, void* ziel, int32_t tiefe, uint8_t* palette);
int32_t Tga_Load_Mem(const uint8_t* daten, size_t laenge, void* ziel, int32_t tiefe, uint8_t* palette);
// The size of a TGA as the pictures of the data directory give it: width and
// height from the header, depth always 16 (any output may be null). 1, or 0
// when the file cannot be opened or is shorter than its header.
int32_t TGA_Groesse(const char* pfad, int32_t* breite, int32_t* hoehe, int32_t* tiefe);
// The placeholder picture "<data>\\dummy\\<name>.tga": its size is read, but
// nothing is loaded yet and the result is always none.
Rastport* Dummy_Bild_Laden(const char* name);

// The bitmap library's JPEG reader and writer for memory blocks (the
// composition root hands them to the Rastport's hooks): a picture of exactly
// `breite` x `hoehe` into `pixels` at `tiefe` bits (1 on success), and a
// tracked block with the JPEG of a picture.
int32_t Bild_Jpeg_Laden_Mem(const uint8_t* daten, uint32_t groesse, void* pixels, uint32_t breite, uint32_t hoehe,
                            uint32_t tiefe);
uint8_t* Bild_Jpeg_Speichern_Mem(const void* pixels, uint32_t breite, uint32_t hoehe, uint32_t tiefe,
                                 int32_t qualitaet, uint32_t* groesse);

}  // namespace velmora
