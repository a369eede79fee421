// jpeg/jpeg_lib.h - the JPEG codec's calls: one caller-owned JPEG_IMAGE_PARAMS
// per picture, jpeg_init to set it up, jpeg_read for every read operation
// (parameters, whole image, tables only, entropy data only, 1/2, 1/4 and 1/8
// size, thumbnail) from a file or a memory block, jpeg_free to release it.
//
// The picture loaders call, in this order: jpeg_init; set stream_file, or
// stream_data and stream_size; jpeg_read with operation 0 or 1 (parameters);
// set the image side from stream_width and stream_height; jpeg_read with
// operation 2 or 3; jpeg_free. Every call returns a JPEG_RESULT and prints nothing.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

// Sets the defaults and creates the environment. 0, or -5 when memory runs out
// (the record then still goes to jpeg_free).
JPEG_RESULT jpeg_init(JPEG_IMAGE_PARAMS* params);

// Closes the open file, frees the tables and buffers and the environment.
JPEG_RESULT jpeg_free(JPEG_IMAGE_PARAMS* params);

// Runs one read operation (JPEG_OPERATION 0-7, 14-21). 0 on success, 2 when a
// region read is complete, negative on failure; a failure closes the open file.
JPEG_RESULT jpeg_read(JPEG_IMAGE_PARAMS* params, int32_t operation);

// Runs one write operation (JPEG_OPERATION 8-13) into a file or a memory block
// (jpeg/jpeg_write.cpp). 0 on success, 1 when a low-level caller's interrupt
// request stopped a baseline encode (the next call continues it), negative on
// failure; stream_size becomes the bytes written.
JPEG_RESULT jpeg_write(JPEG_IMAGE_PARAMS* params, int32_t operation);

// Checks the record for the operation stored in its JPEG_PROPERTIES.
JPEG_RESULT jpeg_check_params(JPEG_IMAGE_PARAMS* params);

// The fixed English text of a result ("Unknown error code" for others).
const char* jpeg_error_text(JPEG_RESULT code);

const JPEG_LIB_VERSION* jpeg_lib_version();

}  // namespace velmora
