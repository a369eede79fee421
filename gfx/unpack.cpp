// gfx/unpack.cpp
#include "gfx/unpack.h"

#include "core/bytes.h"
#include "core/debug.h"

namespace velmora {

int32_t Bytes_Unpack_Backward(uint32_t tail, uint32_t unpacked_size, uint32_t packed_size, const uint8_t* input,
                              uint8_t* output) {
    if (!input || !output || tail > packed_size || tail > unpacked_size) {
        Debug_Printf("Bytes_Unpack_Backward: Groessen ungueltig\n");
        return 0;
    }
    int64_t o = int64_t(unpacked_size) - 1;   // next output byte, counting down
    int64_t i = int64_t(packed_size) - 1;     // next input byte, counting down
    for (uint32_t k = 0; k < tail; ++k) output[o--] = input[i--];
    auto lesen = [&](uint8_t& v) {
        if (i < 0) return false;
        v = input[i--];
        return true;
    };
    auto schaden = [](const char* was) {
        Debug_Printf("Bytes_Unpack_Backward: %s\n", was);
        return 0;
    };
    uint8_t c;
    if (!lesen(c)) return 1;
    bool pruefen = true;
    for (;;) {
        if (pruefen && i < 0) return 1;
        pruefen = true;
        if (c >= 0x80 && c != 0xFF) {
            const int64_t n = (c & 0x7F) + 1;
            if (n > i + 1) return schaden("Literal hinter dem Anfang der Eingabe");
            if (n > o + 1) return schaden("Literal vor dem Anfang der Ausgabe");
            for (int64_t k = 0; k < n; ++k) output[o--] = input[i--];
            if (i < 0) return 1;
            c = input[i--];
            pruefen = false;   // decoded even when it was the very first input byte
            continue;
        }
        int64_t offset, laenge;
        uint8_t b;
        if (c == 0xFF) {
            uint8_t c1, l1, l2;
            if (!lesen(c1) || !lesen(b) || !lesen(l1) || !lesen(l2)) return schaden("langer Verweis abgeschnitten");
            offset = 4 * int64_t(b) + (c1 >> 5);
            laenge = (c1 & 0x1F) + 2 + l1 + 256 * int64_t(l2);
        } else {
            if (!lesen(b)) return schaden("kurzer Verweis abgeschnitten");
            offset = 4 * int64_t(b) + (c >> 5);
            laenge = (c & 0x1F) + 2;
        }
        const bool weiter = lesen(c);
        if (o + offset + laenge >= int64_t(unpacked_size)) return schaden("Verweis hinter das Ende der Ausgabe");
        if (laenge > o + 1) return schaden("Verweis vor den Anfang der Ausgabe");
        for (int64_t k = 0; k < laenge; ++k, --o) output[o] = output[o + offset + laenge];
        if (!weiter) return 1;
    }
}

int32_t Bytes_Unpack_Block(const uint8_t* block, size_t block_size, uint8_t* output, size_t output_size) {
    if (!block || block_size < 12) return 0;
    const uint32_t tail = Bytes_Get32(block), unpacked = Bytes_Get32(block + 4), packed = Bytes_Get32(block + 8);
    if (packed > block_size - 12 || unpacked > output_size) {
        Debug_Printf("Bytes_Unpack_Block: Groessen ungueltig\n");
        return 0;
    }
    return Bytes_Unpack_Backward(tail, unpacked, packed, block + 12, output);
}

}  // namespace velmora
