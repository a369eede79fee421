// jpeg/jpeg_enc_output.h - the encoder's output: the stream opened for writing
// (a memory block, or a file through the stream's 4096-byte buffer), the plain
// byte output and bit writer with 0xFF stuffing, and the marker segment writers.
//
// The plain writers keep the pending bits right-aligned with a count of free bits
// (8 = byte-aligned). Every byte that reaches the output, stuffing included, is
// counted in the stream's byte count. A memory block is never filled to its
// last byte: a write that would reach its end fails with -28.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

struct JPEG_ENC_SCAN;

// Slot 16 (plain): file streams write into their buffer, memory streams into the block.
void jpeg_open_output(JPEG_STREAM* s, uint8_t* block, uint32_t size);
// Slot 17 (plain): completes a pending partial byte, then appends n bytes unchanged.
JPEG_RESULT jpeg_put_bytes(const uint8_t* bytes, uint32_t n, JPEG_STREAM* s);
// The low n bits of v (n up to 16), most significant first.
JPEG_RESULT jpeg_put_bits(JPEG_STREAM* s, uint32_t v, int32_t n);
// Stores one byte of entropy-coded data, followed by a 0x00 after 0xFF.
JPEG_RESULT jpeg_emit_byte(JPEG_STREAM* s, uint8_t b);
// Writes the filled part of a file stream's buffer; -23 when the write falls short.
JPEG_RESULT jpeg_write_buffer(JPEG_STREAM* s);
// Completes the last byte through slot 17 and writes a file stream's buffer out.
JPEG_RESULT jpeg_finish_output(JPEG_STREAM* s);
int64_t jpeg_file_write(int32_t handle, const void* buf, uint32_t n);

// Marker segments, written whole through slot 17.
JPEG_RESULT jpeg_write_soi(JPEG_STREAM* s);
JPEG_RESULT jpeg_write_eoi(JPEG_STREAM* s);
JPEG_RESULT jpeg_write_app0(JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_write_app14(uint8_t transform, JPEG_PROPERTIES* p);
// The caller's comment (cut to 65531 bytes, nothing for size 0), else the banner.
JPEG_RESULT jpeg_write_comment(JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_write_dqt(JPEG_STREAM* s, uint32_t precision, uint32_t id, const uint16_t* table);
// One table; -6 without output when the segment would reach 325 bytes.
JPEG_RESULT jpeg_write_dht(JPEG_STREAM* s, const uint8_t* counts, const uint8_t* values, uint32_t table_class,
                           uint32_t id);
// Every entry of the encoder's pairs in one segment; -6 for an entry of more than 307 values.
JPEG_RESULT jpeg_write_dht_all(JPEG_STREAM* s, JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_write_sof0(JPEG_STREAM* s, const JPEG_FRAME* f);
JPEG_RESULT jpeg_write_sof2(JPEG_STREAM* s, const JPEG_FRAME* f);
JPEG_RESULT jpeg_write_dri(uint32_t interval, JPEG_STREAM* s);
JPEG_RESULT jpeg_write_sos(JPEG_STREAM* s, uint32_t ns, const uint8_t* dc, const uint8_t* ac);
JPEG_RESULT jpeg_write_sos_progressive(JPEG_STREAM* s, const JPEG_ENC_SCAN* scan, const uint8_t* dc,
                                       const uint8_t* ac);
JPEG_RESULT jpeg_write_rst(uint32_t n, JPEG_STREAM* s);   // -25 for n above 7

}  // namespace velmora
