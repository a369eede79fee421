// Fuzzes the reader of the figure frames' type-66 entries: whatever it
// accepts is drawn, every frame in every direction, at full and half size,
// whole and cut by the edges of a small target; nothing may be read or
// written outside the entry or the target.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/rastport.h"
#include "matchview/spielansicht_figuren.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    FigurenAnim a;
    if (!Figuren_Eintrag_Lesen(data, size, 0, &a, nullptr)) return 0;
    std::vector<uint16_t> pixel(64 * 48, 0);
    PixelBuffer pb;
    pb.width = 64, pb.height = 48, pb.depth = 16, pb.pixels = pixel.data();
    Rastport rp;
    rp.width = 64, rp.height = 48, rp.pixels = &pb;
    uint16_t tabelle[256];
    for (int32_t i = 0; i < 256; ++i) tabelle[i] = uint16_t(i + 1);
    for (const FigurenFrame& f : a.frame)
        for (bool halb : {false, true})
            for (int32_t x : {-200, 5, 32, 60})
                Figuren_Frame_Zeichnen(a, f, tabelle, &rp, x, 24, 0, 0, 64, 48, halb);
    return 0;
}
