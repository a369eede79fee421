// jpeg/jpeg_enc_simd.h - the encoder's kernels for the processor classes with
// SIMD units (3-6): the quantisers and the fast forward transform on 16-bit lanes
// with their own rounding, the 64-bit bit writers (bits left-aligned, four bytes
// at a time), the Huffman block encoders built on them, and the colour
// converters. The accurate forward transform of these classes is in
// jpeg/jpeg_fdct_simd.h.
//
// The block encoders and converters give exactly the bits and samples of the
// plain routines; the quantisers and transforms follow their own arithmetic.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_enc_state.h"
#include "jpeg/jpeg_types.h"

namespace velmora {

void jpeg_quantize_fast_simd(int16_t* block, const uint16_t* table);       // 57 and 59
void jpeg_quantize_accurate_simd(int16_t* block, const uint16_t* table);   // 58
void jpeg_fdct_fast_simd(int16_t* block);                                  // 1

// Slot 16 for classes 3-6: as the plain one, with the bit count counting bits held.
void jpeg_open_output_simd(JPEG_STREAM* s, uint8_t* block, uint32_t size);
// Slot 17 for classes 3-6: the held bits (stuffed, last byte padded with 0
// bits), then the n bytes; the same room rule as the plain form.
JPEG_RESULT jpeg_put_bytes_simd(const uint8_t* bytes, uint32_t n, JPEG_STREAM* s);
// Eager writer: adds up to 32 bits, writes four-byte groups while more than 32 are held.
JPEG_RESULT jpeg_put_bits_simd(JPEG_STREAM* s, uint32_t v, int32_t n);

// Slot 54: classes 3, 4 and 6 list the nonzero coefficients first and write code
// and value bits as one string; class 5 writes lazily from a local accumulator.
JPEG_RESULT jpeg_encode_block_mmx(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc,
                                  const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred, int16_t* block);
JPEG_RESULT jpeg_encode_block_sse(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc,
                                  const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred, int16_t* block);
// The same bits, the coefficients put into zig-zag order by byte shuffles
// (jpeg_zigzag_ssse3), for processors that report SSSE3.
JPEG_RESULT jpeg_encode_block_ssse3(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc,
                                    const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred, int16_t* block);
// The block's coefficients in zig-zag order into zz (16-byte aligned), by byte
// shuffles of its eight rows (jpeg/jpeg_enc_simd_ssse3.cpp).
void jpeg_zigzag_ssse3(const int16_t* block, int16_t* zz);
// The same bits, the coefficients put into zig-zag order and split by the word
// permutes of AVX-512 (jpeg/jpeg_enc_avx512.cpp); only where
// jpeg_enc_avx512_available() (the processor reports AVX-512 BW and VL).
JPEG_RESULT jpeg_encode_block_avx512(JPEG_STREAM* s, const JPEG_HUFF_ENCODE_TABLE* dc,
                                     const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred, int16_t* block);
bool jpeg_enc_avx512_available();
// The block's coefficients in zig-zag order as the block encoder takes them:
// each value v's magnitude into mag, v - 1 for v < 0 (v itself else) into bits;
// returned, the mask of the nonzero ones (bit k for zig-zag position k).
uint64_t jpeg_zigzag_split_avx512(const int16_t* block, uint16_t* mag, uint16_t* bits);

// One MCU of a sequential scan as the MCU encoders take it: per block, in
// coding order, its tables and its component's predictor (scan position).
struct JPEG_ENC_MCU_TABLES {
    uint32_t blocks;
    uint8_t comp[JPEG_ENC_MAX_BLOCKS];
    const JPEG_HUFF_ENCODE_TABLE* dc[JPEG_ENC_MAX_BLOCKS];
    const JPEG_HUFF_ENCODE_TABLE* ac[JPEG_ENC_MAX_BLOCKS];
};
// Codes the MCU's blocks (64 each, quantised, natural order) with the bits the
// block encoder it stands for writes block by block (jpeg/jpeg_enc_mcu_steps.h).
using JpegEncMcuFn = JPEG_RESULT (*)(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks);
// The MCU encoder of block encoder `block` (slot 54) for an output the plain
// writer opened (left_aligned false) or the writer of classes 3-6; null where
// there is none.
JpegEncMcuFn jpeg_enc_mcu_for(JpegHuffEncodeFn block, bool left_aligned);
// The plain block encoder's MCU form (jpeg/jpeg_enc_huff.cpp), built without
// vector instructions.
JPEG_RESULT jpeg_encode_mcu_plain(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks);
// True when every code of the table lies below two to the power of its length
// (so it takes no bits beyond them): the MCU encoders ask it of every table.
bool jpeg_enc_table_fits(const JPEG_HUFF_ENCODE_TABLE* t);
// The MCU forms of the AVX-512 block encoder (jpeg/jpeg_enc_avx512.cpp) and,
// where jpeg_enc_mcu_avx2_available() (AVX2, BMI2 and LZCNT), of the SSSE3 one
// (jpeg/jpeg_enc_mcu_avx2.cpp).
JPEG_RESULT jpeg_encode_mcu_avx512(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks);
JPEG_RESULT jpeg_encode_mcu_avx2(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks);
bool jpeg_enc_mcu_avx2_available();
// The processor has LZCNT (jpeg/jpeg_enc_mcu_avx2.cpp).
bool jpeg_cpu_has_lzcnt();
// The MCU's blocks one by one through block encoder `block`.
JPEG_RESULT jpeg_encode_mcu_by_blocks(JPEG_STREAM* s, const JPEG_ENC_MCU_TABLES* t, int16_t* pred, int16_t* blocks,
                                      JpegHuffEncodeFn block);

// Converters of slots 20-25 (RGB and BGR at 1x1, 2x1, 2x2); the remaining
// converter slots keep their plain forms.
void jpeg_enc_rgb_h1v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_rgb_h2v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_rgb_h2v2_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h1v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h2v1_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h2v2_simd(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
// Their SSSE3 variants (jpeg/jpeg_enc_simd_ssse3.cpp): the same samples, for
// processors that report SSSE3.
void jpeg_enc_rgb_h1v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_rgb_h2v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_rgb_h2v2_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h1v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h2v1_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h2v2_ssse3(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);

// The two-wide converters (slots 21, 22, 24, 25) on sixteen pixels a pass in
// 256-bit registers, the one-wide ones (slots 20, 23) on two rows a pass
// (jpeg/jpeg_avx2.cpp): the same samples as the forms above. Only where
// jpeg_enc_avx2_available() (the processor reports AVX2).
bool jpeg_enc_avx2_available();
void jpeg_enc_rgb_h1v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h1v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_rgb_h2v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_rgb_h2v2_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h2v1_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);
void jpeg_enc_bgr_h2v2_avx2(const uint8_t* s, int32_t st, int16_t* y, int16_t* cb, int16_t* cr, int16_t* q);

}  // namespace velmora
