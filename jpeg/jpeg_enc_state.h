// jpeg/jpeg_enc_state.h - the encoder's working state: the table entries it
// writes, the quality-scaled quantisation stores and their reciprocal tables,
// the Huffman encode tables, the scan in progress of an interrupted baseline
// encode, the progressive scan script and the MCU work buffer.
//
// The state is too large for the caller's JPEG_IMAGE_PARAMS (the decoder's tables
// fill it), so the first write allocates it and jpeg_free releases it.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// One scan as the encoder writes it: components, spectral band and successive
// approximation, the restart counter, the resume position and the DC predictors.
struct JPEG_ENC_SCAN_COMPONENT {
    uint32_t index;                          // frame component
    uint32_t h, v;
    const JPEG_HUFF_ENCODE_TABLE* dc;
    const JPEG_HUFF_ENCODE_TABLE* ac;
};

struct JPEG_ENC_SCAN {
    uint32_t ns;
    uint32_t ss, se, ah, al;
    uint32_t mcu_counter;                    // MCUs since the last restart marker
    uint32_t resume_col, resume_row;         // next MCU of an interrupted scan
    int16_t pred[4];
    JPEG_ENC_SCAN_COMPONENT comp[4];
};

// A quantisation entry: 64 base values in zig-zag order and the table number.
struct JPEG_ENC_QUANT_ENTRY {
    const uint8_t* base;
    uint8_t id;
};

// A Huffman entry: 16 counts, the values, class 0 DC / 1 AC, the table number.
struct JPEG_ENC_HUFF_ENTRY {
    const uint8_t* counts;
    const uint8_t* values;
    uint8_t table_class;
    uint8_t id;
};

constexpr uint32_t JPEG_ENC_MAX_SCANS = 11;
constexpr uint32_t JPEG_ENC_MAX_BLOCKS = 10;     // 2x2 + 1 + 1 + 2x2

struct JPEG_ENCODER {
    uint32_t quant_tables;                   // quantisation entries written (default 2)
    uint32_t huff_pairs;                     // Huffman pairs written (default 2)
    uint32_t caller_quant;                   // the quantisation entries are the caller's
    JPEG_ENC_QUANT_ENTRY quant[4];
    JPEG_ENC_HUFF_ENTRY huff[8];             // entry 2k DC, 2k+1 AC of pair k
    uint8_t dc_sel[4], ac_sel[4];            // Huffman table numbers per component
    alignas(16) uint16_t quant_store[4][64]; // scaled, then the reciprocal table
    const uint16_t* quant_in_use[4];         // by table number
    JPEG_HUFF_ENCODE_TABLE dc_store[4], ac_store[4];   // one per pair
    const JPEG_HUFF_ENCODE_TABLE* dc_in_use[4];
    const JPEG_HUFF_ENCODE_TABLE* ac_in_use[4];
    uint32_t use_conversion;                 // colour conversion of the input stage
    uint32_t encoding;                       // a baseline encode is in progress
    JPEG_ENC_SCAN scan;                      // the scan in progress
    uint32_t script_count;
    JPEG_ENC_SCAN script[JPEG_ENC_MAX_SCANS];
    uint32_t bits_left_aligned;              // the output was opened by the 64-bit writers
    uint32_t input_kind;                     // how the general input stage reads a pixel
    int32_t input_slot;                      // converter slot (19-33) of a fixed layout, -1 none
    alignas(32) int16_t mcu[JPEG_ENC_MAX_BLOCKS * 64];
};

// The encoder state of the record, allocated zeroed on first use; null when
// memory runs out.
JPEG_ENCODER* jpeg_encoder_state(JPEG_PROPERTIES* p);
void jpeg_encoder_free(JPEG_PROPERTIES* p);

}  // namespace velmora
