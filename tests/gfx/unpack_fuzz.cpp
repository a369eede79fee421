// Fuzzes the backward byte unpacker with arbitrary packed blocks, and the
// bitmap reader with the same bytes: neither may read or write outside its buffers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/blit.h"
#include "gfx/rastport.h"
#include "gfx/unpack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    if (size >= 2) {
        // The first two bytes choose the output size, so that small outputs meet long codes.
        const size_t ausgabe = size_t(data[0] | data[1] << 8) % 4096;
        std::vector<uint8_t> out(ausgabe);
        Bytes_Unpack_Block(data + 2, size - 2, out.data(), out.size());
        if (size >= 14) {
            const uint32_t tail = data[2] % 64;
            Bytes_Unpack_Backward(tail, uint32_t(ausgabe), uint32_t(size - 2), data + 2, out.data());
        }
    }
    if (Rastport* rp = Rastport_Read(data, size)) {
        Rastport* ziel = Rastport_Create(64, 64, 16, 0, 0);
        const BlitMode* modi[] = {nullptr, BlitMode_Key, BlitMode_Mask, BlitMode_Shape, BlitMode_Plane,
                                  BlitMode_Key_Plane, BlitMode_Plane_Colour};
        for (const BlitMode* m : modi) Rastport_Blit(rp, 0, 0, -1, -1, ziel, 0, 0, m);
        Rastport_Free(ziel);
        Rastport_Free(rp);
    }
    return 0;
}
