// jpeg/jpeg_decode.h - the decoder's marker loop: walks the marker segments of a
// stream, hands each to its parser and each scan to the scan decoder, keeps the
// bookkeeping of progressive and separately coded images, and stops where the
// operation asks (at the first scan header, at the frame header, at the end).
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Runs one read operation over the stream. 0 at the operation's stop point or the
// end of the image, 2 when a region read is complete, negative on failure.
JPEG_RESULT jpeg_decode_stream(JPEG_PROPERTIES* p);

// The scan step's checks: a frame must be known, the SOS segment sound, and every
// table the scan decodes with defined (-19, -21, -17, -18).
JPEG_RESULT jpeg_read_scan_header(JPEG_STREAM* s, JPEG_SCAN* scan, JPEG_PROPERTIES* p);

// Sets the stream colour from the segments found: APP14 decides by its transform
// flag, else one component is gray and JFIF with three components YCbCr;
// otherwise (and for the caller's "other") the colour held stays.
void jpeg_settle_stream_color(JPEG_PROPERTIES* p);

// Releases the current scan record.
void jpeg_free_scan(JPEG_PROPERTIES* p);

}  // namespace velmora
