// gfx/grafik_laden.cpp - the graphics subsystem's loaders for core's resource files.
#include "gfx/grafik_laden.h"

#include <cstring>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/mem.h"
#include "gfx/rastport.h"
#include "gfx/unpack.h"

namespace velmora {
namespace {

constexpr size_t SHAPE_KOPF = 36;

}  // namespace

void* Grafik_Bitmap_Laden(const uint8_t* daten, size_t bytes, int32_t) { return Rastport_Read(daten, bytes); }

bool Grafik_Rueckwaerts_Entpacken(uint32_t tail, uint32_t unpacked, uint32_t packed, const uint8_t* input,
                                  uint8_t* output) {
    if (Bytes_Unpack_Backward(tail, unpacked, packed, input, output)) return true;
    Debug_Printf("Bytes_Unpack_Backward: Daten beschaedigt\n");
    return false;
}

void* Shape_Aus_Eintrag(const uint8_t* daten, size_t bytes, int32_t, uint32_t extra) {
    if (!daten || bytes < 24) {
        Debug_Printf("Shape_Aus_Eintrag: Eintrag zu kurz (%zu)\n", bytes);
        return nullptr;
    }
    int32_t x = int32_t(Bytes_Get32(daten + 8));
    int32_t y = int32_t(Bytes_Get32(daten + 12));
    uint32_t groesse = Bytes_Get32(daten + 20);
    if (groesse < SHAPE_KOPF || groesse > bytes - 24) {
        Debug_Printf("Shape_Aus_Eintrag: Groesse %u passt nicht in %zu Bytes\n", groesse, bytes);
        return nullptr;
    }
    auto* shape = static_cast<uint8_t*>(Mem_Alloc(groesse, "Shape"));
    if (!shape) return nullptr;
    std::memcpy(shape, daten + 24, groesse);
    if (!Shape_Prepare(shape, groesse)) {
        Mem_Free(shape);
        return nullptr;
    }
    Bytes_Put32(shape + 4, uint32_t(-x));
    Bytes_Put32(shape + 8, uint32_t(-y));
    if (extra == SHAPE_NUR_DATEN) return shape;
    int32_t breite = int16_t(Bytes_Get16(shape));
    int32_t hoehe = int16_t(Bytes_Get16(shape + 2));
    Rastport* rp = Rastport_Create(breite, hoehe, Rastport_Screen_Depth(), 3, 0);
    if (!rp) {
        Mem_Free(shape);
        return nullptr;
    }
    rp->shape = shape;
    rp->shape_size = groesse;
    return rp;
}

}  // namespace velmora
