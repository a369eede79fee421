// jpeg/jpeg_enc_tables.cpp
#include "jpeg/jpeg_enc_tables.h"

#include <cstring>

#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_idct.h"

namespace velmora {

const uint8_t jpeg_std_quant_luma[64] = {
    16, 11, 12, 14, 12, 10, 16, 14, 13, 14, 18, 17, 16, 19, 24, 40, 26, 24, 22, 22, 24, 49,
    35, 37, 29, 40, 58, 51, 61, 60, 57, 51, 56, 55, 64, 72, 92, 78, 64, 68, 87, 69, 55, 56,
    80, 109, 81, 87, 95, 98, 103, 104, 103, 62, 77, 113, 121, 112, 100, 120, 92, 101, 103, 99};
const uint8_t jpeg_std_quant_chroma[64] = {
    17, 18, 18, 24, 21, 24, 47, 26, 26, 47, 99, 66, 56, 66, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

const uint8_t jpeg_std_dc_luma_counts[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
const uint8_t jpeg_std_dc_luma_values[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const uint8_t jpeg_std_dc_chroma_counts[16] = {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
const uint8_t jpeg_std_dc_chroma_values[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const uint8_t jpeg_std_ac_luma_counts[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
const uint8_t jpeg_std_ac_luma_values[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
    0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0,
    0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28,
    0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
    0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
    0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89,
    0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7,
    0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5,
    0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
    0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8,
    0xf9, 0xfa};
const uint8_t jpeg_std_ac_chroma_counts[16] = {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
const uint8_t jpeg_std_ac_chroma_values[162] = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71,
    0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0,
    0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26,
    0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48,
    0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68,
    0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87,
    0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5,
    0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
    0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda,
    0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8,
    0xf9, 0xfa};

const uint16_t jpeg_aan_reciprocal[64] = {
    4096, 2953, 2953, 3134, 2129, 3134, 3483, 2260, 2260, 3483, 4096, 2511, 2399, 2511, 4096, 5213,
    2953, 2666, 2666, 2953, 5213, 7568, 3758, 3134, 2962, 3134, 3758, 7568, 14846, 5456, 3990, 3483,
    3483, 3990, 5456, 14846, 10703, 5792, 4433, 4096, 4433, 5792, 10703, 11362, 6436, 5213, 5213, 6436,
    11362, 12625, 7568, 6635, 7568, 12625, 14846, 9632, 9632, 14846, 18895, 13984, 18895, 27432, 27432, 53810};

const uint8_t jpeg_bit_count[256] = {
#define B2(n) n, n
#define B4(n) B2(n), B2(n)
#define B8(n) B4(n), B4(n)
#define B16(n) B8(n), B8(n)
#define B32(n) B16(n), B16(n)
#define B64(n) B32(n), B32(n)
#define B128(n) B64(n), B64(n)
    0, 1, B2(2), B4(3), B8(4), B16(5), B32(6), B64(7), B128(8)
#undef B2
#undef B4
#undef B8
#undef B16
#undef B32
#undef B64
#undef B128
};

JPEG_RESULT jpeg_encoder_defaults(JPEG_PROPERTIES* p) {
    JPEG_ENCODER* e = p ? p->encoder : nullptr;
    if (!e) return 0;
    bool caller_quant = false;
    if (p->caller_quant_flag) {
        for (uint32_t i = 0; i < 4; ++i) caller_quant = caller_quant || p->caller_quant[i].values;
    }
    e->caller_quant = caller_quant;
    if (caller_quant) {
        e->quant_tables = 0;
        for (uint32_t i = 0; i < 4; ++i) {
            e->quant[i] = {p->caller_quant[i].values, uint8_t(i)};
            if (p->caller_quant[i].values) e->quant_tables = i + 1;
        }
    } else {
        e->quant_tables = 2;
        e->quant[0] = {jpeg_std_quant_luma, 0};
        e->quant[1] = {jpeg_std_quant_chroma, 1};
        e->quant[2] = e->quant[3] = {};
    }
    if (p->caller_huff_flag) {
        bool any = false;
        uint32_t pairs = 0;
        for (uint32_t i = 0; i < 8; ++i) {
            const JPEG_CALLER_HUFF& c = p->caller_huff[i];
            e->huff[i] = {c.counts, c.values, c.table_class, c.id};
            if (c.counts && c.values) {
                any = true;
                pairs = i / 2 + 1;
            }
        }
        if (any) {
            e->huff_pairs = pairs;
            return 0;
        }
    }
    e->huff_pairs = 2;
    e->huff[0] = {jpeg_std_dc_luma_counts, jpeg_std_dc_luma_values, 0, 0};
    e->huff[1] = {jpeg_std_ac_luma_counts, jpeg_std_ac_luma_values, 1, 0};
    e->huff[2] = {jpeg_std_dc_chroma_counts, jpeg_std_dc_chroma_values, 0, 1};
    e->huff[3] = {jpeg_std_ac_chroma_counts, jpeg_std_ac_chroma_values, 1, 1};
    for (uint32_t i = 4; i < 8; ++i) e->huff[i] = {};
    for (uint32_t c = 0; c < 4; ++c) e->dc_sel[c] = e->ac_sel[c] = c == 0 ? 0 : 1;
    return 0;
}

void jpeg_quality_table(int32_t quality, const uint8_t* base, uint16_t* out) {
    int32_t q = quality <= 0 ? 1 : quality > 100 ? 100 : quality;
    const int32_t s = q < 50 ? 5000 / q : 200 - 2 * q;
    for (int i = 0; i < 64; ++i) {
        int32_t v = (int32_t(base[i]) * s + 50) / 100;
        out[i] = uint16_t(v < 1 ? 1 : v > 255 ? 255 : v);
    }
}

void jpeg_prepare_quant_aan(uint16_t* table) {
    uint16_t out[64];
    if (table[63] < 2) table[63] = 2;
    for (int i = 0; i < 64; ++i) {
        const uint32_t q = table[i] ? table[i] : 1;
        out[jpeg_natural_order[i]] = uint16_t((q / 2 + jpeg_aan_reciprocal[i]) / q);
    }
    std::memcpy(table, out, sizeof(out));
}

void jpeg_prepare_quant_accurate(uint16_t* table) {
    uint16_t out[64];
    for (int i = 0; i < 64; ++i) {
        const uint32_t q = table[i] ? table[i] : 1;
        out[jpeg_natural_order[i]] = uint16_t(32768u / q);
    }
    std::memcpy(table, out, sizeof(out));
}

JPEG_RESULT jpeg_build_encode_table(const uint8_t* counts, const uint8_t* values, JPEG_HUFF_ENCODE_TABLE* t) {
    std::memset(t->length, 0, sizeof(t->length));
    std::memset(t->code, 0, sizeof(t->code));
    uint32_t total = 0;
    for (int l = 0; l < 16; ++l) total += counts[l];
    if (total > 258) return JPEG_ERR_BAD_HUFFMAN;
    uint32_t code = 0, k = 0;
    for (int l = 1; l <= 16; ++l) {
        for (uint32_t n = 0; n < counts[l - 1]; ++n, ++k, ++code) {
            const uint8_t sym = values[k];
            t->length[sym] = uint32_t(l);
            t->code[sym] = uint16_t(code);
        }
        code <<= 1;
    }
    return 0;
}

void jpeg_optimise_huffman(const uint32_t* freq_in, uint8_t* counts, uint8_t* values) {
    uint64_t freq[257];
    int32_t size[257] = {};
    int32_t next[257];
    for (int i = 0; i < 257; ++i) {
        freq[i] = freq_in[i];
        next[i] = -1;
    }
    freq[256] = 1;
    for (;;) {
        // The smallest nonzero frequency, the higher symbol on ties; then the next.
        int a = -1, b = -1;
        for (int i = 0; i < 257; ++i)
            if (freq[i] && (a < 0 || freq[i] <= freq[a])) a = i;
        for (int i = 0; i < 257; ++i)
            if (freq[i] && i != a && (b < 0 || freq[i] <= freq[b])) b = i;
        if (b < 0) break;
        freq[a] += freq[b];
        freq[b] = 0;
        int i = a;
        for (++size[i]; next[i] >= 0; ++size[i]) i = next[i];
        next[i] = b;
        for (i = b, ++size[i]; next[i] >= 0; ++size[i]) i = next[i];
    }
    // Very skewed statistics of a large picture can build codes longer than 32
    // bits; every length is kept, so the limiting below stays exact.
    int32_t bits[258] = {};
    for (int i = 0; i < 257; ++i)
        if (size[i]) ++bits[size[i]];
    for (int i = 257; i > 16; --i) {
        while (bits[i] > 0) {
            int j = i - 2;
            while (bits[j] == 0) --j;
            bits[i] -= 2;
            bits[i - 1] += 1;
            bits[j + 1] += 2;
            bits[j] -= 1;
        }
    }
    int i = 16;
    while (bits[i] == 0) --i;
    bits[i] -= 1;
    for (int l = 1; l <= 16; ++l) counts[l - 1] = uint8_t(bits[l]);
    int k = 0;
    for (int l = 1; l <= 257; ++l)
        for (int s = 0; s < 256; ++s)
            if (size[s] == l) values[k++] = uint8_t(s);
}

}  // namespace velmora
