// jpeg/jpeg_input.h - the decoder's byte source and marker segments: a buffered
// reader over a memory block or a file, the marker search, and one parser per
// segment the decoder reads (DRI, SOF0-2, APP0, APP14, COM, DQT, DHT, SOS).
//
// Every length, count and index read from a segment is checked against the
// segment before it is used; a parser never reads past its segment.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Points the stream at the start of its data: a memory block from its start,
// a file stream with an empty buffer. Clears the bit reader, the held marker and
// the count of scan components done.
void jpeg_stream_reset(JPEG_STREAM* s);
// Reads up to 4096 bytes from the file into the buffer; -23 at the end of the
// file or when the read fails. Unread bytes of the buffer are dropped.
JPEG_RESULT jpeg_stream_refill(JPEG_STREAM* s);
// A pointer to the next n bytes of the buffer, which must hold them after at most
// one refill: -24 for a file, -5 for memory otherwise.
JPEG_RESULT jpeg_stream_take(JPEG_STREAM* s, uint32_t n, const uint8_t** out);
// n contiguous bytes: a pointer into the buffer, or a new block (*block, which the
// caller frees with delete[]) when they span file buffers. -21 when the data end first.
JPEG_RESULT jpeg_read_segment(JPEG_STREAM* s, uint32_t n, const uint8_t** data, uint8_t** block);
JPEG_RESULT jpeg_read_word(JPEG_STREAM* s, uint32_t* value);    // big-endian u16

// Moves to the next marker code byte (passing 0xFF 0x00 pairs and fill bytes).
// 1 when the data end right after an 0xFF, -5 (memory) or -23 (file) when they
// end before one.
JPEG_RESULT jpeg_seek_marker(JPEG_STREAM* s);
// The held marker, else the next one; 256 when the data end right after an 0xFF.
JPEG_RESULT jpeg_read_marker(JPEG_STREAM* s, uint32_t* code);
JPEG_RESULT jpeg_skip_segment(JPEG_STREAM* s);

JPEG_RESULT jpeg_parse_dri(JPEG_STREAM* s, uint32_t* interval);
JPEG_RESULT jpeg_parse_sof(JPEG_STREAM* s, JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_parse_app14(JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_parse_app0(JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_parse_com(JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_parse_dqt(JPEG_PROPERTIES* p, JPEG_STREAM* s, uint32_t idct_kind);
JPEG_RESULT jpeg_parse_dht(JPEG_PROPERTIES* p, JPEG_STREAM* s);
JPEG_RESULT jpeg_parse_sos(JPEG_PROPERTIES* p, JPEG_STREAM* s, JPEG_FRAME* f, JPEG_SCAN* scan);

// Largest factors, MCU size and MCU counts of the frame (8 x 8 MCUs while the
// components come in separate sequential scans).
void jpeg_frame_geometry(JPEG_PROPERTIES* p);

}  // namespace velmora
