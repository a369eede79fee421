// Fuzzes the TGA reader with arbitrary files at every target depth: the
// target is sized from the file's own header, and nothing may be read or
// written outside the data or the target.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/bild_laden.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    TgaKopf kopf;
    if (!Tga_Kopf_Lesen(data, size, &kopf)) return 0;
    // Pictures up to 256 x 256 keep every run fast; larger ones are refused here.
    if (kopf.breite > 256 || kopf.hoehe > 256) return 0;
    const size_t pixel = kopf.breite > 0 && kopf.hoehe > 0 ? size_t(kopf.breite) * size_t(kopf.hoehe) : 0;
    std::vector<uint8_t> ziel(pixel * 3 + 1);
    uint8_t palette[768];
    for (int32_t tiefe : {8, 15, 16, 24}) Tga_Load_Mem(data, size, ziel.data(), tiefe, tiefe == 8 ? palette : nullptr);
    return 0;
}
