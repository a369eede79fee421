// jpeg/jpeg_write.h - the encoder's drivers: the header (SOI, application segment,
// COM, DQT, DHT), the baseline writer (one interleaved sequential scan, resumable
// after an interrupt request) and the progressive writer (a fixed scan script with
// Huffman tables optimised per scan). jpeg_write itself is declared in jpeg_lib.h.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

struct JPEG_ENC_SCAN;

// Scales, writes and prepares the quantisation tables; unless the encode is
// progressive, writes one DHT and builds the encode tables.
JPEG_RESULT jpeg_write_tables(JPEG_PROPERTIES* p);
// Opens the output and writes the stream's start for the operation; chooses the
// forward transform and quantiser (slots 11 and 59).
JPEG_RESULT jpeg_write_header(JPEG_PROPERTIES* p);
// 0 when the image is written, 1 when interrupted (resumed by the next call).
JPEG_RESULT jpeg_write_baseline(JPEG_PROPERTIES* p);
JPEG_RESULT jpeg_write_progressive(JPEG_PROPERTIES* p);

// The progressive scan script for the stream's channels and colour; -8 when
// there is none.
JPEG_RESULT jpeg_scan_script(JPEG_PROPERTIES* p, uint32_t* count);

// The sequential MCU loop, with restart markers when the interval is nonzero.
JPEG_RESULT jpeg_encode_mcus_restart(JPEG_PROPERTIES* p, JPEG_STREAM* s, JPEG_ENC_SCAN* scan);
// Transforms and quantises every MCU into the progressive coefficient buffer.
JPEG_RESULT jpeg_fill_coefficients(JPEG_PROPERTIES* p);

}  // namespace velmora
